#pragma once
// Where the grid's own windows beside its cells are: the footer and search
// panels along its bottom edge, the scroll hint, the header filter lists, the
// header drag picture and the slim scroll bars. The grid creates each at the
// point of its life cycle that needs it (most with the grid, the slim bars
// with its window) as a component of its own, which frees them; this service
// only knows where they are.

#include "grid/services/ZvGridService.h"

class TFooterPanel;
class TSearchPanel;
class THTMLHintWindow;
class TDropList;
class TDropCheckList;
class THeaderDragButton;
class TScrollControl;

class TZvGridPanels : public TZvGridService {
public:
    using TZvGridService::TZvGridService;

private:
    friend class TZvStringGrid;
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    THTMLHintWindow* FScrollHintWindow = nullptr;
    TDropList* FFilterDropList = nullptr;
    TDropCheckList* FFilterDropCheckList = nullptr;
    THeaderDragButton* FHeaderDragButton = nullptr;
    TScrollControl* FVScrlCtrl = nullptr;
    TScrollControl* FHScrlCtrl = nullptr;
};
