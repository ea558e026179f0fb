#pragma once

#include "platform/Controls.h"

class TZvStringGrid;

// Paints the floating footer row below the cells.
class TFooterPanel : public TCustomControl {
public:
    TFooterPanel(TComponent* AOwner, TZvStringGrid* AGrid) : TCustomControl(AOwner), FGrid(AGrid) {}
    TZvStringGrid* Grid() const { return FGrid; }

private:
    TZvStringGrid* FGrid;
};
