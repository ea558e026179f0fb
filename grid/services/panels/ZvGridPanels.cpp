// The grid's windows beside its cells: where they are, and the grid's members that hand them out.

#include "grid/services/panels/ZvGridPanels.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridPanels& TZvStringGrid::Panels() const { return MadeOnFirstUse(d->FPanels, this); }

TFooterPanel* TZvStringGrid::FooterPanel() const { return Panels().FFooterPanel; }
TSearchPanel* TZvStringGrid::SearchPanel() const { return Panels().FSearchPanel; }
THTMLHintWindow* TZvStringGrid::ScrollHintWindow() const { return Panels().FScrollHintWindow; }
TDropList* TZvStringGrid::FilterDropList() const { return Panels().FFilterDropList; }
TDropCheckList* TZvStringGrid::FilterDropCheckList() const { return Panels().FFilterDropCheckList; }
THeaderDragButton* TZvStringGrid::HeaderDragButton() const { return Panels().FHeaderDragButton; }
TScrollControl* TZvStringGrid::VertScrollControl() const { return Panels().FVScrlCtrl; }
TScrollControl* TZvStringGrid::HorzScrollControl() const { return Panels().FHScrlCtrl; }
