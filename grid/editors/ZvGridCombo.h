#pragma once
// The combo box with its own look and attached label, and the grid's one
// combo editor built on it, shared by the list-only and the editable combo
// cells.

#include "grid/editors/ZvCellEditor.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <memory>

class TZvStringGrid;

enum class TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom
};

// A colour value meaning "not set".
constexpr TColor clComboNone = TColor(0x1FFFFFFF);

// The index of the entry equal to S (case counts), or -1.
int ExactItemIndex(const TStringList* Items, const String& S);

class TAsgCustomCombo : public TComboBox {
public:
    explicit TAsgCustomCombo(TComponent* AOwner);
    ~TAsgCustomCombo() override;

    // ---- Look ----
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // 14 to 32 pixels; other widths are ignored.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value) { FFocusBorder = Value; }
    // The opened list's width; 0 is the combo's width.
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    bool IsThemed() const { return FIsThemed; }
    void SetIsThemed(bool Value) { FIsThemed = Value; }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool Value) { FIsVista = Value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor ButtonColor = clComboNone;
    TColor ButtonColorHot = clComboNone;
    TColor ButtonColorDown = clComboNone;
    TColor ButtonBorderColor = clComboNone;
    TColor ButtonTextColor = clComboNone;
    TColor ButtonTextColorHot = clComboNone;
    TColor ButtonTextColorDown = clComboNone;
    // The pointer is over the combo / over its drop-down button.
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    bool HasFocus() const { return FHasFocus; }

    // ---- Attached label ----
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    TLabel* ComboLabel() const { return FLabel; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }

    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetComboColor(TColor Value);
    // After the window layout was read: applies the loaded colour and the label settings.
    void Loaded();
    void Init();
    // Selects the entry equal to S when there is one.
    void SelectItem(const String& S);

    TNotifyEvent OnDropUp;

protected:
    void CloseUp() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoEnter() override;
    void DoExit() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMVisibleChanged(TMessage& Message) override;
    void PlaceLabel();

private:
    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    TColor FLoadedColor = clWindow;
    bool FOldParentColor = false;
    int FButtonWidth = 18;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsThemed = false;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    int FLabelMargin = 4;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = TLabelPosition::lpLeftTop;
    TLabel* FLabel = nullptr;
    TColor FFlatLineColor = clComboNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clComboNone;
    TColor FFocusBorderColor = clComboNone;
    TColor FBorderColor = clComboNone;
    bool FDisabledBorder = true;
    TColor FNormalColor = clWindow;
    bool FHasFocus = false;
    bool FFocusLabel = false;
    bool FIsVista = false;
};

using TAsgComboBox = TAsgCustomCombo;

// The grid's combo editor. The grid fills it, places it over the cell and
// stores its text; the combo handles the keys, the wheel, typing and the
// focus while it is open and hands the edit back to the grid.
//
// The grid learns of list picks, typing, opening and closing through
// WM_COMMAND messages (CBN_SELCHANGE, CBN_EDITCHANGE, CBN_DROPDOWN,
// CBN_CLOSEUP) sent to it with the combo's window as LParam. While a
// CBN_EDITCHANGE is handled ItemIndex() is -1 and Text() the typed text.
class TGridCombo : public TAsgCustomCombo, public TZvCellEditor {
public:
    // AOwner must be a TZvStringGrid.
    explicit TGridCombo(TComponent* AOwner);

    // ---- The cell editor (edComboEdit, edComboList) ----
    TWinControl* EditorControl() override { return this; }
    // Loads the cell's editor properties, selects the cell's entry (a list-only
    // combo on a text outside its list preselects the first entry) and opens.
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return Text(); }
    void EndCellEdit() override;
    LRESULT WantedKeys() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    // An opening that only preselected the first entry holds no value until the
    // user picks (the first entry too); nor does a list-only combo with nothing
    // selected (an empty list), which would blank the cell; nor an edit Escape ended.
    bool HasValue() override;
    // Typing, picks, opening and closing of the list become the grid's combo events.
    void GridCommand(TZvStringGrid* Grid, const TControl* Sender, WORD Code) override;
    // The entry the next opening selects when the cell's text is none of the
    // entries (-1: none); SetComboSelection and SetComboSelectionString set it.
    int PresetIndex() const { return FPresetIndex; }
    void SetPresetIndex(int Index) { FPresetIndex = Index; }

    TZvStringGrid* Grid() const { return FGrid; }

    // Look-up completion is active: off after Backspace or Delete, on after any other key.
    bool WorkMode = true;
    TNotifyEvent OnReturnKey;

    // Sizes the opened list to the widest entry.
    void SizeDropDownWidth();
    // Completes the typed text from the entries or the grid's LookupItems.
    void DoChange();

    // ---- State of the current edit, for the grid's store step ----
    // Escape ended this edit: nothing is to be stored.
    bool EditCancelled() const { return FEditCancelled; }
    // The user picked, stepped or typed since the combo was last shown;
    // the selection made when the combo opened does not count.
    bool UserChangedSelection() const { return FUserChanged; }
    // Starts a new edit: both flags above clear. Showing the combo does this.
    void ResetEditState();

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMChar(TWMKey& Message) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void Change() override;
    void Select() override;
    void DropDown() override;
    void CloseUp() override;
    int TypedItemIndex(const String& text) const override;
    void DoEnter() override;
    void DoExit() override;
    void WMKillFocus(TWMKillFocus& Message) override;
    void WMMouseWheel(TWMMouseWheel& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void CMWantSpecialKey(TWMKey& Message) override;
    void CMVisibleChanged(TMessage& Message) override;

private:
    bool IsListOnly() const;
    bool EditorWantsTab() const;
    int RealCol() const;
    void NotifyGrid(WORD Code);
    void FireComboChange(int Index, const String& Text);
    // Writes the text into the current cell and validates it; false when refused.
    bool CommitText();
    void TakeCellText();
    // Hides the editor, gives the grid the focus and lets it act on the key.
    void DoneByKey(WORD Key, TShiftState Shift);
    void HideEditor();
    void CursorWalk(bool Forward);

    TZvStringGrid* FGrid = nullptr;
    bool Forced = false;
    int ItemIdx = -1;
    bool ItemChange = false;
    bool FEditCancelled = false;
    bool FUserChanged = false;
    bool FHiding = false;
    bool FInSelect = false;
    int FPresetIndex = -1;
    // This opening preselected the first entry of a list-only combo.
    bool FDefaulted = false;
};
