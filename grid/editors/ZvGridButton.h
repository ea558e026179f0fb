#pragma once
// The push button laid over an edButton cell while it is edited: it shows the
// cell's text as its caption, reports its click as the grid's OnButtonClick
// and holds no value of its own; it writes the cell itself.

#include "grid/editors/ZvCellEditor.h"
#include "platform/StdCtrls.h"

class TGridButton : public TButton, public TZvCellEditor {
public:
    explicit TGridButton(TComponent* AOwner);

    TWinControl* EditorControl() override { return this; }
    // Covers the cell with its grid lines, so that it looks pressed into the grid.
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return Caption(); }
    void EndCellEdit() override;
    bool WritesCell() const override { return false; }

protected:
    // A release of the left button and Space hand the caption to OnEllipsClick
    // and write what comes back into the cell.
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    // The arrows leave the button to the grid, which moves on; Escape puts the cell back.
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    void TakeEllipsText();
    // Ends the edit with nothing written and gives the grid the focus.
    void ReturnToGrid();

    TZvStringGrid* FGrid;
};
