#pragma once
// The check box laid over an edCheckBox cell while it is edited. It never
// stores its state: ending the edit leaves the cell's text as it was.

#include "grid/editors/ZvCellEditor.h"
#include "platform/StdCtrls.h"

class TZvStringGrid;

class TGridCheckBox : public TCheckBox, public TZvCellEditor {
public:
    // AOwner must be a TZvStringGrid.
    explicit TGridCheckBox(TComponent* AOwner);

    // ---- The cell editor (edCheckBox) ----
    TWinControl* EditorControl() override { return this; }
    // Shows the cell's text as its caption, unchecked.
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return Caption(); }
    void EndCellEdit() override;
    // The keys that end the edit are the editor's, not the form's focus moves.
    LRESULT WantedKeys() override { return DLGC_WANTARROWS | DLGC_WANTALLKEYS; }
    bool WritesCell() const override { return false; }
    bool IsEditCtrl() const override { return false; }

    TZvStringGrid* Grid() const { return FGrid; }
    // Makes the control ready for another opening (called each time the editor opens).
    void ReCreate();

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoExit() override;
    void WMKillFocus(TWMKillFocus& Message) override;

private:
    // Ends the edit through the grid (Escape rejects it) and gives the grid the focus.
    void EndEdit(bool Rejected = false);

    TZvStringGrid* FGrid = nullptr;
    bool FEnding = false;
};
