#pragma once
// The base of the grid's cell checkers.

#include "platform/Classes.h"

// The base of cell checkers: the grid asks them to mark or correct a cell's
// text when it validates an edit. The base changes nothing.
class TZvStringGridCheck : public TComponent {
public:
    explicit TZvStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}

    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool value) { FGotoCell = value; }
    bool AutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool value) { FAutoCorrect = value; }
    bool AutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool value) { FAutoMarkError = value; }
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool value) { FUseCorrect = value; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool value) { FUseMarkError = value; }

    virtual String MarkError(int ACol, int ARow, const String& s) { (void)ACol; (void)ARow; return s; }
    virtual String Correct(int ACol, int ARow, const String& s) { (void)ACol; (void)ARow; return s; }
    virtual void StartCheck() {}
    virtual void StopCheck() {}

private:
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};
