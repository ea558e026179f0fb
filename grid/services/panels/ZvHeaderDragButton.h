#pragma once
// The picture of a column header that follows the pointer while the column
// is dragged: the grid's fixed-cell look with the header's caption on it.

#include "platform/Controls.h"

class TZvStringGrid;

class THeaderDragButton : public TCustomControl {
public:
    explicit THeaderDragButton(TComponent* AOwner);

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

protected:
    void Paint() override;

private:
    TZvStringGrid* Grid() const;
    bool FFlat = false;
};
