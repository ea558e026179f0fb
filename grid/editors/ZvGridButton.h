#pragma once
// The push button laid over an edButton cell while it is edited: it shows the
// cell's text as its caption, reports its click as the grid's OnButtonClick
// and holds no value of its own.

#include "grid/editors/ZvCellEditor.h"
#include "platform/StdCtrls.h"

class TGridButton : public TButton, public TZvCellEditor {
public:
    using TButton::TButton;

    TWinControl* EditorControl() override { return this; }
    // Covers the cell with its grid lines, so that it looks pressed into the grid.
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return Caption(); }
    void EndCellEdit() override;
    bool WritesCell() const override { return false; }
};
