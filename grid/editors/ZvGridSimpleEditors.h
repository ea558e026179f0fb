#pragma once
// The small editors the string grid's constructor creates: the edit box and
// the combo over fixed cells, and the live edit and combo behind the form
// controls of a cell's markup. Each knows its grid through its owner.

#include "platform/StdCtrls.h"

class TZvStringGrid;

// ---- Fixed cells ----------------------------------------------------------------------------
// The edit box and combo over a fixed cell. StopEdit validates the text with
// the grid's OnCellValidate and writes it into the fixed cell; a refused text
// keeps the editor open and focused on its cell, and StopEdit answers false.
// Leaving the editor stops the edit; Enter alone does not.
template <class TBase>
class TFixedCellEditorOf : public TBase {
public:
    explicit TFixedCellEditorOf(TComponent* AOwner);
    // The fixed cell being edited (real column).
    int Col() const { return FCol; }
    void SetCol(int value) { FCol = value; }
    int Row() const { return FRow; }
    void SetRow(int value) { FRow = value; }
    virtual bool StopEdit();

protected:
    void DoExit() override;
    void KeyPress(QChar& Key) override;

private:
    int FRow = 0;
    int FCol = 0;
    TZvStringGrid* FGrid;
};

class TGridTransEdit : public TFixedCellEditorOf<TEdit> {
public:
    using TFixedCellEditorOf::TFixedCellEditorOf;
};

class TGridTransCombo : public TFixedCellEditorOf<TComboBox> {
public:
    using TFixedCellEditorOf::TFixedCellEditorOf;
};

// ---- Form controls of a cell's markup ---------------------------------------------------------
// Enter hands the value to the grid and gives it the focus; Tab hands the value
// over, then moves on to the next cell when the grid advances by itself, or
// else to the cell's form control the grid has current.
class TControlEdit : public TEdit {
public:
    using TEdit::TEdit;

protected:
    void KeyPress(QChar& Key) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
};

class TControlCombo : public TComboBox {
public:
    using TComboBox::TComboBox;

protected:
    void KeyPress(QChar& Key) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
};
