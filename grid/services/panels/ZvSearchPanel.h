#pragma once

#include "platform/Controls.h"

class TZvStringGrid;

// The search bar below the cells; it hands its edits and clicks to the grid.
class TSearchPanel : public TCustomControl {
public:
    TSearchPanel(TComponent* AOwner, TZvStringGrid* AGrid) : TCustomControl(AOwner), FGrid(AGrid) {}
    TZvStringGrid* Grid() const { return FGrid; }

    TNotifyEvent OnEditChange;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnCloseClick;
    TNotifyEvent OnHighlightClick;

private:
    TZvStringGrid* FGrid;
};
