#pragma once
// An edit with a push button at its right edge, a variant that also shows and
// chooses a unit of measure, and the grid's two cell editors built on them.

#include "grid/editors/ZvCellEditor.h"
#include "grid/support/ZvGridTypes.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

class TAsgEditButton;

// ---- The button ------------------------------------------------------------------------
// A speed button drawn in the button part's colours when it has them, else
// themed, framed or flat. Its own click does nothing: the button part acts on
// the release of the left button.
class TZvSpeedButton : public TSpeedButton {
public:
    TZvSpeedButton(TComponent* AOwner, TAsgEditButton* APart);

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value);
    bool Hot() const { return FHot; }

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Click() override;

private:
    TAsgEditButton* FPart;
    bool FIsWinXP = false;
    bool FHot = false;
};

// The small windowed part that holds the speed button and fills it.
class TAsgEditButton : public TWinControl {
public:
    explicit TAsgEditButton(TComponent* AOwner);

    TZvSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* value) { FButton->SetGlyph(value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& value) { FButton->SetCaption(value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int value) { FButton->SetNumGlyphs(value); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);

    // Custom colours; clNone (none) after construction.
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;   // kept for the layout; the painting does not use it

    // Fired by a release of the left button over the button, with this part as sender.
    TNotifyEvent OnClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The release over the button: OnClick, then the focus moves on.
    void ButtonReleased();

protected:
    void Notification(TComponent* AComponent, TComponent::TOperation Operation) override;

private:
    TZvSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
};

// ---- The edit with a button --------------------------------------------------------------
class TAsgEditBtn : public TEdit {
public:
    explicit TAsgEditBtn(TComponent* AOwner);

    TAsgEditButton* ButtonPart() const { return FButton; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value) { FEditorEnabled = value; }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* value) { FButton->SetGlyph(value); }
    String ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const String& value) { FButton->SetButtonCaption(value); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // Fired by the button (sender: the button part) and by F4 (sender: the edit).
    TNotifyEvent OnClickBtn;

    // Fires OnClickBtn with the sender it is given.
    virtual void EditButtonClick(TObject* Sender);

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMChar(TWMKey& Message) override;
    void WMSize(TWMSize& Message) override;
    void CMEnter(TMessage& Message) override;
    // Keeps the text left of the button (and of the unit).
    void SetEditRect();
    // The smallest height that shows the font's text.
    int MinHeight();

    int FUnitSize = 0;

private:
    bool FRightAlign = false;
    TAsgEditButton* FButton;
    bool FEditorEnabled = true;
    int FButtonWidth = 0;
    bool FIsWinXP = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
};

// An edit with a button that also shows a unit right of the text and offers
// its Units in a pop-up menu when the button is pressed.
using TUnitChangedEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TAsgUnitEditBtn : public TAsgEditBtn {
public:
    explicit TAsgUnitEditBtn(TComponent* AOwner);
    ~TAsgUnitEditBtn() override;

    const String& UnitID() const { return FUnitID; }
    void SetUnitID(const String& value);
    TStringList* Units() const { return FUnits.get(); }
    void SetUnits(const TStringList* value);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int value);

    TUnitChangedEvent OnUnitChanged;

    // The text followed directly by the unit.
    String TextWithUnit() const;
    // The first unit (in list order) that ends the value splits it into text
    // and unit; without one, text and unit stay as they were.
    void AssignTextAndUnit(const String& value);
    // OnClickBtn with the edit as sender, then the pop-up of the units.
    void EditButtonClick(TObject* Sender) override;
    // The pop-up menu while it is shown; owned by this edit, freed when it closes.
    TPopupMenu* UnitMenu() const { return FUnitMenu; }

protected:
    void WndProc(TMessage& Message) override;
    void WMSize(TWMSize& Message) override;
    // Places the unit's box between the text and the button.
    void PlaceUnit();

private:
    String FUnitID;
    std::unique_ptr<TStringList> FUnits;
    TCustomControl* FUnitBox;
    TPopupMenu* FUnitMenu = nullptr;
};

// ---- The grid's editors -------------------------------------------------------------------
// What the grid's two edit-button editors share: the character filter of
// their kind and the button's hand-over to the grid's OnEllipsClick.
class TGridEditBtnKeys {
public:
    // Whether the character may go into Edit of kind Kind; refused numeric characters beep.
    static bool AcceptsChar(TAsgEditBtn* Edit, TEditorType Kind, QChar Ch, bool Ctrl);
};

// The edit-button cell editor (edEditBtn, edNumericEditBtn, edFloatEditBtn,
// edMaskEditBtn); the grid makes it hidden, borderless, with the caption "...".
// What is typed is written into the cell as it is typed; Enter, Tab and the
// vertical arrows commit and validate, Escape puts back the cell's text, and
// with Lookup the text completes from the grid's LookupItems as it is typed.
class TGridEditBtn : public TAsgEditBtn, public TZvCellEditor {
public:
    explicit TGridEditBtn(TComponent* AOwner);

    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return Text(); }
    void EndCellEdit() override { DisableAndHide(this); }

    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool value) { FStopEditAfterClick = value; }
    bool WorkMode = true;

    // The button: the text goes through the grid's OnEllipsClick and comes back selected.
    void GridButtonClick();

protected:
    // Leaving the editor for another control ends the edit, its text stored.
    void DoExit() override;
    void WMChar(TWMKey& Message) override;
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DblClick() override;

private:
    void Paste();
    bool Commit();
    void CursorWalk(bool Right);
    void Complete();

    int FSelKeyDown = 0;
    TZvStringGrid* FGrid;
    bool FStopEditAfterClick = false;
};

// The unit edit-button cell editor (edUnitEditBtn, edNumericUnitEditBtn,
// edFloatUnitEditBtn): it asks the grid's editor properties for its units when
// it opens, stores its number followed by the chosen unit, and the grid hands
// its unit changes on.
class TGridUnitEditBtn : public TAsgUnitEditBtn, public TZvCellEditor {
public:
    explicit TGridUnitEditBtn(TComponent* AOwner);

    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return TextWithUnit(); }
    void EndCellEdit() override { DisableAndHide(this); }
    bool WritesThrough(const TControl*) override { return false; }

protected:
    void DoExit() override;
    void WMChar(TWMKey& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    TZvStringGrid* FGrid;
};
