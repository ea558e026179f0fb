#pragma once
// TZvCustomDropDown: the base of every drop-down edit. A single-line edit with
// an arrow button inside its right edge and a pop-up (TDropDownForm) that
// shows the member's control between an optional header and footer.
//
// Construction runs the base's steps in a fixed order (the base's virtual
// operations, since a member is not built yet); a member creates its hosted
// control in its own constructor through its CreateDropDownForm override and
// SetHostedControl, and calls the inherited operation first in every override.
//
// Open:  BeforeDropDown, strips, size and place, OnDropDown (may veto), the
//        monitor's work area shift, the kept user size, show, DroppedDown,
//        focus the member's FocusControl.
// Close: OnBeforeCloseUp, keep the user size, hide (DropDownFormHidden clears
//        DroppedDown and focuses the edit), restore LastAssignedText when
//        cancelling, OnDropUp.
// Keys typed in the pop-up or its hosted control reach the edit as
// WM_KEYDOWN, WM_CHAR and WM_KEYUP; Enter accepts, Escape cancels, F4 and
// Alt+Up/Down toggle (one keystroke toggles once).

#include "dropdowns/base/ZvDropDownButtons.h"
#include "dropdowns/base/ZvDropDownTypes.h"
#include "platform/StdCtrls.h"

#include <cstdint>
#include <memory>

class TDropDownForm;
class TCustomImageList;
class TLabel;

class TZvCustomDropDown : public TEdit, public IZvStyle, public IZvTones {
public:
    explicit TZvCustomDropDown(TComponent* AOwner);
    ~TZvCustomDropDown() override;

    // ---- Pop-up settings (ZvCustomDropDown.cpp) ----
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor value) { FFocusBorderColor = value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool value);
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor value) { FDropDownColor = value; }
    TColor DropDownGradientEnd() const { return FDropDownGradientEnd; }
    void SetDropDownGradientEnd(TColor value) { FDropDownGradientEnd = value; }
    TGradientDirection DropDownGradientDirection() const { return FDropDownGradientDirection; }
    void SetDropDownGradientDirection(TGradientDirection value) { FDropDownGradientDirection = value; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor value) { FDropDownBorderColor = value; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int value) { FDropDownBorderWidth = value; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool value) { FDropDownShadow = value; }
    // 0 = automatic; a change forgets the size the user dragged.
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int value);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int value);
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition value) { FDropPosition = value; }
    int DropDownButtonWidth() const { return FDropDownButtonWidth; }
    void SetDropDownButtonWidth(int value);
    const String& DropDownButtonHint() const { return FDropDownButtonHint; }
    void SetDropDownButtonHint(const String& value);
    TBitmap* DropDownButtonGlyph() const;
    void SetDropDownButtonGlyph(TBitmap* value);
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool value) { FDropDownSizeable = value; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool value) { FDropDownEnabled = value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    String Version() const;
    virtual std::uint32_t GetVersionNumber() const { return 0x01020104; }
    TZvButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TZvButtonAppearance* value) { FButtonAppearance->Assign(value); }
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* value) { FDropDownHeader->Assign(value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    // The height the visible header and footer strips take from the pop-up.
    int StripsHeight() const
    {
        return (FDropDownHeader->Visible() ? FDropDownHeader->Height() : 0) +
               (FDropDownFooter->Visible() ? FDropDownFooter->Height() : 0);
    }
    void SetDropDownFooter(TFooterAppearance* value) { FDropDownFooter->Assign(value); }
    bool FocusHighlight() const { return FFocusHighlight; }
    void SetFocusHighlight(bool value) { FFocusHighlight = value; }
    bool ShadowRefresh() const { return FShadowRefresh; }
    void SetShadowRefresh(bool value) { FShadowRefresh = value; }
    bool FlatLook() const { return FFlatLook; }
    void SetFlatLook(bool value) { FFlatLook = value; }
    bool EtchedLook() const { return FEtchedLook; }
    void SetEtchedLook(bool value) { FEtchedLook = value; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    TControl* HostedControl() const { return FHostedControl; }
    void SetHostedControl(TControl* value);
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TDropDownEditButton* Button() const { return FButton; }

    bool DroppedDown() const { return FDroppedDown; }
    int UserDropDownWidth() const { return FUserDropDownWidth; }
    int UserDropDownHeight() const { return FUserDropDownHeight; }
    const String& LastAssignedText() const { return FLastAssignedText; }

    void ShowDropDown() { OpenDropDownForm(); }
    void HideDropDown(bool CancelChanges) { CloseDropDownForm(CancelChanges); }
    // A click on the arrow (or on a non-editable edit): opens unless the pop-up
    // lost the activation at most 250 ms ago.
    void ButtonClick();

    // ---- Styles (ZvDropDownStyles.cpp) ----
    void SetComponentStyle(TZvStyle AStyle) override;
    TZvStyle GetComponentStyle() const { return FStyle; }
    void SetColorTones(const TColorTones& ATones) override;
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    virtual void SetSelectionColorStyle(TSelectionColorStyle value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor value) { FSelectionColor = value; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor value) { FSelectionColorTo = value; }

    // Copies the drop-down settings of another drop-down; other sources are ignored.
    void Assign(TPersistent* source) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ---- Text kinds (ZvDropDownText.cpp) ----
    // The window text without the prefix (when it starts with it) and the suffix
    // (when it ends with it).
    String Text() const;
    virtual void SetText(const String& value);
    // Writes the window text as it is, without prefix, suffix or kind rules.
    void AssignEditText(const String& value);
    TDropDownEditType EditKind() const { return FEditKind; }
    void SetEditKind(TDropDownEditType value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int value);
    int DigitLimit() const { return FDigitLimit; }
    void SetDigitLimit(int value) { FDigitLimit = value; }
    const String& TextPrefix() const { return FTextPrefix; }
    void SetTextPrefix(const String& value) { FTextPrefix = value; }
    const String& TextSuffix() const { return FTextSuffix; }
    void SetTextSuffix(const String& value) { FTextSuffix = value; }
    bool AllowNegative() const { return FAllowNegative; }
    void SetAllowNegative(bool value) { FAllowNegative = value; }
    const String& AllowedChars() const { return FAllowedChars; }
    void SetAllowedChars(const String& value) { FAllowedChars = value; }
    bool ShowThousandSeparators() const { return FShowThousandSeparators; }
    void SetShowThousandSeparators(bool value) { FShowThousandSeparators = value; }
    bool AllowEmptyNumber() const { return FAllowEmptyNumber; }
    void SetAllowEmptyNumber(bool value) { FAllowEmptyNumber = value; }
    bool UndoOnEscape() const { return FUndoOnEscape; }
    void SetUndoOnEscape(bool value) { FUndoOnEscape = value; }
    bool ForwardDialogKeys() const { return FForwardDialogKeys; }
    void SetForwardDialogKeys(bool value) { FForwardDialogKeys = value; }
    bool KeypadDecimalSeparator() const { return FKeypadDecimalSeparator; }
    void SetKeypadDecimalSeparator(bool value) { FKeypadDecimalSeparator = value; }
    bool EnterMovesFocus() const { return FEnterMovesFocus; }
    void SetEnterMovesFocus(bool value) { FEnterMovesFocus = value; }
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    double GetFloatValue() const;
    void SetFloatValue(double value);
    void SetIntValue(long long value);
    void SetModifiedState(bool value);

    // ---- Label (ZvDropDownLook.cpp) ----
    String LabelCaption() const;
    void SetLabelCaption(const String& value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value) { FLabelAlwaysEnabled = value; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* value);
    TLabel* EditLabel() const { return FLabel; }
    virtual void FireLabelClick();
    virtual void FireLabelDblClick();

    // ---- Layout and look (ZvDropDownLook.cpp) ----
    TRect GetEditRect() const { return FEditRect; }
    int MinimumEditHeight() const;
    void RepaintBorder();
    // The frame colour DrawBorder would paint now; clNone when it paints the flat look.
    TColor BorderFrameColor() const;
    virtual void DrawSelectionBackground(TCanvas& Canvas, const TRect& R, int Segment);
    virtual void DrawGradient(TCanvas& Canvas, TColor Color, bool Vertical, const TRect& R, int Steps,
                              TColor ColorTo);

    // ---- Entry points of the grid's editors (ZvDropDownKeys.cpp) ----
    void KeyDownHook(WORD& Key, TShiftState Shift);
    void KeyPressHook(QChar& Key);
    void SpecialKeyHook(TWMKey& Message);

    // ---- Events ----
    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TDropUp OnDropUp;
    TNotifyEvent OnBeforeCloseUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TEditClipboardEvent OnClipboardCopy;
    TEditClipboardEvent OnClipboardCut;
    TEditClipboardEvent OnClipboardPaste;

protected:
    // The pop-up calls back the close and hide steps of the edit it belongs to.
    friend class TDropDownForm;

    // ---- What a member overrides (call the inherited operation first) ----
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int& height);
    virtual void FocusDropDownControl();
    virtual void OpenDropDownForm();
    virtual void PlaceDropDownControl();
    virtual void SizeDropDownForm();
    virtual void CloseDropDownForm(bool CancelChanges);
    virtual void DropDownFormHidden();
    virtual void DropDownFormDestroyed() {}
    virtual void FormWheelDown() { WheelDownNotify(); }
    virtual void FormWheelUp() { WheelUpNotify(); }
    virtual void FormKeyPress(QChar& Key);
    virtual void FormKeyDown(WORD& Key, TShiftState Shift);
    virtual void FormKeyUp(WORD& Key, TShiftState Shift);
    virtual void ControlKeyDown(WORD& Key, TShiftState Shift);
    virtual void ControlKeyUp(WORD& Key, TShiftState Shift);
    virtual void ControlKeyPress(QChar& Key);
    virtual void DropDownFormSizing() {}
    virtual void WheelDownNotify() {}
    virtual void WheelUpNotify() {}
    virtual void DrawFocusedText();
    virtual void UpdateEditRect();
    virtual void UpdateButtonBounds();

    // ---- Messages (ZvDropDownKeys.cpp, ZvDropDownLook.cpp, ZvDropDownText.cpp) ----
    void Dispatch(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMSetFocus(TWMSetFocus& Message) override;
    void WMKillFocus(TWMKillFocus& Message) override;
    void WMSize(TWMSize& Message) override;
    void WMPaint(TWMPaint& Message) override;
    void CMWantSpecialKey(TWMKey& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void DoEnter() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Change() override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    // As the system's edit: the arrows and characters are the edit's own, not
    // the form's focus moves (the members step their values with the arrows).
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    // Drops the size the pop-up had when it last closed, for a member whose
    // pop-up has one fixed size.
    void ForgetUserSize() { FUserDropDownWidth = FUserDropDownHeight = -1; }

    // The window text, kept as it stands (prefix, value, suffix).
    String WindowText() const { return TEdit::GetText(); }
    // Writes the window text and puts the caret (selection start and length).
    void WriteWindowText(const String& text, int selStart, int selLength = 0);

private:
    // ---- Text kinds (ZvDropDownText.cpp) ----
    int ClassifyNumberText(const String& text) const;
    double ParseNumber(String text) const;
    String FormatNumber(double value, bool thousands, int decimals) const;
    void MoneyReformat();
    bool TextKindChar(QChar key, bool ctrl, bool keypad);
    bool FloatSeparatorRules(QChar key, bool money);
    bool TextKindKeyDown(WORD& key, TShiftState shift);
    void ToggleSign();
    void ClipboardMessage(TMessage& Message);
    void KillFocusReformat();
    int ValueStart() const { return int(FTextPrefix.size()); }
    int ValueEnd() const;
    void InsertTyped(QChar key);

    // ---- Keys (ZvDropDownKeys.cpp) ----
    bool AltArrow(WORD key, TShiftState shift) const;
    void ToggleDropDown(bool byF4);
    void BindHostedKeys();

    // ---- Label and look (ZvDropDownLook.cpp) ----
    void CreateLabel();
    void PositionLabel();
    void DrawBorder();
    bool IsHot() const;
    void LabelFontChanged();

    void HeaderChanged();
    void FooterChanged();

    // Pop-up settings.
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    TColor FDropDownColor = clWhite;
    TColor FDropDownGradientEnd = clNone;
    TGradientDirection FDropDownGradientDirection = TGradientDirection::gdHorizontal;
    TColor FDropDownBorderColor = clBlack;
    int FDropDownBorderWidth = 1;
    bool FDropDownShadow = true;
    int FDropDownWidth = 0;
    int FDropDownHeight = 0;
    TDropPosition FDropPosition = TDropPosition::dpAuto;
    int FDropDownButtonWidth = 17;
    String FDropDownButtonHint;
    bool FDropDownSizeable = true;
    bool FDropDownEnabled = false;
    bool FEditorEnabled = true;
    TCustomImageList* FImages = nullptr;
    bool FFocusHighlight = true;
    bool FShadowRefresh = false;
    bool FFlatLook = false;
    bool FEtchedLook = false;
    TWinControl* FFocusControl = nullptr;
    TControl* FHostedControl = nullptr;
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    std::unique_ptr<TZvButtonAppearance> FButtonAppearance;

    // State.
    bool FDroppedDown = false;
    int FUserDropDownWidth = -1;
    int FUserDropDownHeight = -1;
    String FLastAssignedText;
    bool FMouseInControl = false;
    bool FButtonPressedInSelection = false;
    TRect FEditRect;
    bool FThemed;
    // The keystroke whose key-down already toggled the pop-up: its system
    // key-down must not toggle it back.
    bool FToggledByKeyMessage = false;

    // Styles.
    TZvStyle FStyle = TZvStyle::tsOffice2007Luna;
    TSelectionColorStyle FSelectionColorStyle = TSelectionColorStyle::scCustom;
    TColor FSelectionColor = clNone;
    TColor FSelectionColorTo = clNone;

    // Text kinds.
    TDropDownEditType FEditKind = TDropDownEditType::etString;
    int FPrecision = 0;
    int FDigitLimit = 0;
    String FTextPrefix;
    String FTextSuffix;
    bool FAllowNegative = false;
    String FAllowedChars;
    bool FShowThousandSeparators = true;
    bool FAllowEmptyNumber = false;
    bool FUndoOnEscape = true;
    bool FForwardDialogKeys = true;
    bool FKeypadDecimalSeparator = false;
    bool FEnterMovesFocus = false;
    bool FBlockChange = false;
    bool FBlockCopy = false;

    // Label.
    TLabel* FLabel = nullptr;
    TLabelPosition FLabelPosition = TLabelPosition::lpLeftTop;
    int FLabelMargin = 0;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    std::unique_ptr<TFont> FLabelFont;
};
