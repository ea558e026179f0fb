#pragma once
// The check box laid over an edCheckBox cell while it is edited. It never
// stores its state: ending the edit leaves the cell's text as it was.

#include "platform/StdCtrls.h"

class TZvStringGrid;

class TGridCheckBox : public TCheckBox {
public:
    // AOwner must be a TZvStringGrid.
    explicit TGridCheckBox(TComponent* AOwner);

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
    void EndEdit();

    TZvStringGrid* FGrid = nullptr;
    bool FEnding = false;
};
