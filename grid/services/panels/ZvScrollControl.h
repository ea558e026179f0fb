#pragma once
// The slim scroll indicator of the ssMetro scroll style: a thumb along the
// grid's right edge (Direction 0) or bottom edge (Direction 1) showing which
// part of the normal rows (columns) is in view. A press before or after the
// thumb pages, dragging the thumb scrolls. It serves the grid it lies on and
// does nothing without one.

#include "platform/Controls.h"

class TZvStringGrid;

class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner);

    // The thumb's colour (Color) and thickness.
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
    int Direction = 0;

    // Where the thumb starts along the bar and how long it is; false (and
    // nothing drawn) while every normal row (column) is in view.
    bool ThumbSpan(int& Start, int& Length) const;

protected:
    void Paint() override;
    void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TZvStringGrid* Grid() const;

    int FScrollWidth = 4;
    bool FDragging = false;
    int FPressPos = 0;
    int FPressFirst = 0;
};
