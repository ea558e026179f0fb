#pragma once
// The drop-down cell editors: one family over the nine drop-down controls.
// Each binds its control to a TZvStringGrid cell and turns Enter, Tab,
// Escape and the navigation keys into the grid's commit, validate and
// move-on steps. What the family shares lives in TGridDropDownEditor; the
// template TGridDropDownOf<Base> routes the control's own handlers to it, and
// each member (ZvGridDropDowns.h) adds only what differs: its key set, what
// it does before a commit, how it loads and stores the cell.
//
// The key rule, for a key the member handles (Tab, Enter, Escape, Page Up,
// Page Down, End, Up, Down; never Alt+Down, which opens the pop-up):
//   Escape          the editor takes the cell's text back and the edit ends
//                   without storing; the grid takes the focus.
//   Enter, Up, Down commit (the text into the cell, then validation); a
//                   refusal keeps the editor on the cell with the text
//                   validation left, all of it selected, and the grid stays.
//   Tab             (only while the grid wants Tab) commit; a refusal keeps
//                   the editor, the caret at the end; with goTabs the grid
//                   tabs on, else the Tab is posted to the grid.
//   dropped down    the edit ends; Page Up/Down and Up/Down do nothing more.
//   End, closed     the caret goes to the end; the edit stays open.
//   then            the grid ends the edit and acts on the key; with
//                   AdvanceOnEnter and AdvanceAutoEdit it opens the next editor.
// Every other key is the control's own.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "grid/editors/ZvCellEditor.h"

class TGridDropDownEditor : public TZvCellEditor {
public:
    // ---- The cell editor ----
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return TextOf(); }
    void EndCellEdit() override;
    bool WritesThrough(const TControl*) override { return false; }

    TZvStringGrid* OwnerGrid() const { return FGrid; }
    // The cell's value is being loaded into the editor.
    bool Loading() const { return FLoading; }

protected:
    // AOwner must be a TZvStringGrid.
    explicit TGridDropDownEditor(TComponent* AOwner) : FGrid(OwningGrid(AOwner)) {}

    // ---- What the template supplies ----
    virtual TZvCustomDropDown& DropDown() = 0;
    // The member's own key-down step and key-down message handling.
    virtual void BaseKeyDown(WORD& Key, TShiftState Shift) = 0;
    virtual void BaseWMKeyDown(TWMKey& Message) = 0;
    virtual void BaseKeyPress(QChar& Key) = 0;
    // The plain control's key-down message handling, without the member's moves.
    virtual void PlainWMKeyDown(TWMKey& Message) = 0;

    // ---- What a member changes ----
    // The text the editor holds (the memo: its lines joined).
    virtual String TextOf() { return DropDown().Text(); }
    // Loads the cell's value as the member loads it.
    virtual void LoadCell(const TZvCellEditStart& Start) { DropDown().SetText(Start.Text); }
    virtual bool HandlesKey(WORD Key, TShiftState Shift) const;
    // Enter, Up and Down commit by default.
    virtual bool CommitsOn(WORD Key) const { return Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN; }
    // Runs before the commit the key asks for (the calculator's pending calculation).
    virtual void BeforeCommit(WORD Key) { (void)Key; }
    virtual bool ClaimsEnterAndEscape() const { return false; }
    virtual bool PlacesCaretOnFocus() const { return false; }

    // ---- The handlers the template routes here ----
    void GridChange();
    void GridExit();
    void GridKeyPress(QChar& Key);
    void GridWantSpecialKey(TWMKey& Message);
    void GridDlgCode(TWMGetDlgCode& Message);
    void GridKeyDown(WORD& Key, TShiftState Shift);
    void GridWMKeyDown(TWMKey& Message);
    void GridSetFocus();
    void GridKillFocus();

    TZvStringGrid* FGrid;
    // A key passed on to the member's own handling: the key-down step is the member's.
    bool FPassing = false;
    // The cell's value is being loaded: its changes are no edits.
    bool FLoading = false;

private:
    // Writes the text into the current cell and validates it; false when validation refused it.
    bool Commit();
    void PlaceCaretAtMouse();
};

// Routes a drop-down control's handlers into the family.
template <class Base>
class TGridDropDownOf : public Base, public TGridDropDownEditor {
public:
    explicit TGridDropDownOf(TComponent* AOwner) : Base(AOwner), TGridDropDownEditor(AOwner) {}

    TWinControl* EditorControl() override { return this; }

protected:
    TZvCustomDropDown& DropDown() override { return *this; }
    void BaseKeyDown(WORD& Key, TShiftState Shift) override { Base::KeyDown(Key, Shift); }
    void BaseWMKeyDown(TWMKey& Message) override { Base::WMKeyDown(Message); }
    void BaseKeyPress(QChar& Key) override { Base::KeyPress(Key); }
    void PlainWMKeyDown(TWMKey& Message) override { TWinControl::WMKeyDown(Message); }

    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        if (FPassing) Base::KeyDown(Key, Shift);
        else GridKeyDown(Key, Shift);
    }
    void WMKeyDown(TWMKey& Message) override { GridWMKeyDown(Message); }
    void KeyPress(QChar& Key) override { GridKeyPress(Key); }
    void Change() override
    {
        Base::Change();
        GridChange();
    }
    void DoExit() override
    {
        GridExit();
        Base::DoExit();
    }
    void CMWantSpecialKey(TWMKey& Message) override
    {
        Base::CMWantSpecialKey(Message);
        GridWantSpecialKey(Message);
    }
    void WMGetDlgCode(TWMGetDlgCode& Message) override
    {
        Base::WMGetDlgCode(Message);
        GridDlgCode(Message);
    }
    void WMSetFocus(TWMSetFocus& Message) override
    {
        Base::WMSetFocus(Message);
        GridSetFocus();
    }
    void WMKillFocus(TWMKillFocus& Message) override
    {
        Base::WMKillFocus(Message);
        GridKillFocus();
    }
};
