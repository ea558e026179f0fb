#pragma once
// The standard controls: label, edit, combo box, check box, radio button,
// group box, list box and push button, as thin controls over Qt widgets.

#include "platform/Controls.h"

#include <QPointer>

class QLineEdit;
class QComboBox;
class QCheckBox;
class QRadioButton;
class QListWidget;
class QPushButton;
class QObject;

enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

// ---- Label ---------------------------------------------------------------------
// Draws its caption with its font. "&x" shows x underlined (the accelerator)
// and "&&" a plain "&", unless ShowAccelChar is off. A label of fixed size
// (AutoSize off) with an EllipsisPosition cuts a line too wide for it and
// shows "..." in place of what it left out.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value) { FFocusControl = value; }
    TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
    void SetEllipsisPosition(TEllipsisPosition value);

    // The size the caption needs: the widest line by the lines' total height
    // (WordWrap breaks the lines at the current width).
    TSize TextSize() const;

protected:
    void Paint() override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void AdjustBounds();

private:
    bool FAutoSize = true;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TTextLayout FLayout = TTextLayout::tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
    TEllipsisPosition FEllipsisPosition = TEllipsisPosition::epNone;
};

// ---- Edit ------------------------------------------------------------------------
// A single-line edit. Setting the text by code puts the caret at 0 and fires
// OnChange only when the text differs; typing fires it on every change.
// MaxLength and NumbersOnly limit what the user types, not what code sets.
// With AutoSelect the whole text is selected whenever the focus comes in
// (Tab, an accelerator, SetFocus, the form's activation), so typing replaces
// it; a click into the edit keeps the caret where the click put it.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    ~TEdit() override;

    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar value);
    bool NumbersOnly() const { return FNumbersOnly; }
    void SetNumbersOnly(bool value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }

    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    String SelText() const;
    void SelectAll();
    void Clear() { SetText(String()); }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    // Where the text stands in the box.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Room kept free around the text, in pixels (for a button inside the box).
    TRect TextMargins() const { return FTextMargins; }
    void SetTextMargins(const TRect& value);

    TNotifyEvent OnChange;

    // Whether the user may turn the text `previous` into `proposed` (which
    // comes back in the edit's letter case): not beyond MaxLength, and no
    // new non-digit with NumbersOnly.
    bool AcceptInput(String& proposed, const String& previous) const;
    // The same against the text the edit holds before the user's change.
    bool AcceptTyped(String& proposed) const { return AcceptInput(proposed, TWinControl::GetText()); }

protected:
    void ApplyWidgetFont() override;
    void ApplyWidgetPalette() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    String GetText() const override;
    void SetTextValue(const String& value) override;
    virtual void Change();
    // The clipboard keys (Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Insert, Shift+Delete,
    // Shift+Insert) arrive as WM_COPY, WM_CUT and WM_PASTE, which a
    // descendant may intercept in WndProc; unhandled, the edit does them.
    void DefaultHandler(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    // True while the focus arrives with a left-button press on this edit.
    bool FocusedByClick() const;

private:
    void UserEdited(const String& text);
    String Cased(const String& text) const;

    QPointer<QLineEdit> FEdit;
    std::unique_ptr<QObject> FLink;   // context of the widget's signal connections
    int FMaxLength = 0;
    bool FReadOnly = false;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    QChar FPasswordChar;
    bool FNumbersOnly = false;
    bool FAutoSelect = true;
    bool FModified = false;
    int FSelStart = 0;
    int FSelLength = 0;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TRect FTextMargins{0, 0, 0, 0};
};

// ---- Combo box ---------------------------------------------------------------------
// Items is the list shown; ItemIndex the chosen entry (-1 none). A choice the
// user makes fires OnClick, then OnSelect (or OnChange when OnSelect is not
// set); typing into a csDropDown combo fires OnChange. Code changing ItemIndex
// or Text fires nothing.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;

    TStringList* Items() const { return FItems.get(); }
    void SetItems(const TStringList* items);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    void Clear();
    // The height of one list entry and the width of the opened list (0: the combo's width).
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    int ListWidth() const { return FListWidth; }
    void SetListWidth(int value);
    // The caret and selection of an editable combo's edit field.
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    void SelectAll();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // As if the user picked the entry from the list.
    void UserSelect(int index);

protected:
    void ApplyWidgetFont() override;
    void ApplyWidgetPalette() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    String GetText() const override;
    void SetTextValue(const String& value) override;
    virtual void Change();
    virtual void Select();
    // The list opened or closed; fire OnDropDown and OnCloseUp.
    virtual void DropDown();
    virtual void CloseUp();
    // The entry that typing the text selects: the one equal to it.
    virtual int TypedItemIndex(const String& text) const;

private:
    void ItemsChanged();
    void FillWidget();
    // Puts the entries into the widget when they changed since it last showed them.
    void SyncWidgetItems();
    void UserTyped(const String& text);

    std::unique_ptr<TStringList> FItems;
    QPointer<QComboBox> FCombo;
    std::unique_ptr<QObject> FLink;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    int FItemHeight = 16;
    int FListWidth = 0;
    bool FFilling = false;
    // The widget's entries lag behind Items until it is shown, opened or used.
    bool FWidgetItemsStale = true;
};

// ---- Check box ---------------------------------------------------------------------
// OnClick fires whenever Checked changes, by the user or by code.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    ~TCheckBox() override;

    bool Checked() const { return FState == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value) { FWordWrap = value; }

    // The next state of a click: unchecked, checked, then grayed when allowed.
    void Toggle();

protected:
    void ApplyWidgetFont() override;
    void ApplyWidgetPalette() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    void SetTextValue(const String& value) override;
    void CMDialogChar(TCMDialogChar& Message) override;

private:
    void ShowState();

    QPointer<QCheckBox> FBox;
    std::unique_ptr<QObject> FLink;
    TCheckBoxState FState = TCheckBoxState::cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = TAlignment::taRightJustify;
    bool FWordWrap = false;
};

// ---- Radio button --------------------------------------------------------------------
// Checking one clears the other radio buttons of the same parent; OnClick
// fires when a button becomes checked.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    ~TRadioButton() override;

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value) { FAlignment = value; }

protected:
    void ApplyWidgetFont() override;
    void ApplyWidgetPalette() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    void SetTextValue(const String& value) override;
    void CMDialogChar(TCMDialogChar& Message) override;

private:
    void ShowChecked();

    QPointer<QRadioButton> FRadio;
    std::unique_ptr<QObject> FLink;
    bool FChecked = false;
    TAlignment FAlignment = TAlignment::taRightJustify;
};

// ---- Group box -----------------------------------------------------------------------
// A container with an etched frame and its caption in the top edge.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);

protected:
    void Paint() override;
};

// ---- List box ------------------------------------------------------------------------
// A selection the user makes fires OnClick; code setting ItemIndex fires nothing.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    TStringList* Items() const { return FItems.get(); }
    void SetItems(const TStringList* items);
    int Count() const { return FItems->Count(); }
    int ItemIndex() const;
    void SetItemIndex(int value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    int TopIndex() const;
    int ItemHeight() const;
    // The entry under a client point, -1 when none.
    int ItemAtPos(const TPoint& pos, bool existing = true) const;
    void Clear();
    void ClearSelection();

    // As if the user clicked the entry.
    void UserSelect(int index);

protected:
    void ApplyWidgetFont() override;
    void ApplyWidgetPalette() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;

private:
    void ItemsChanged();
    void FillWidget();
    void ShowSelection();

    std::unique_ptr<TStringList> FItems;
    QPointer<QListWidget> FList;
    std::unique_ptr<QObject> FLink;
    int FItemIndex = -1;
    std::vector<bool> FSelected;
    bool FMultiSelect = false;
    bool FFilling = false;
};

// ---- Button --------------------------------------------------------------------------
// A plain push button. A click sets the ModalResult of the form that holds it
// (which closes a modal form) and then fires OnClick. Enter clicks the Default
// button unless another button has the focus; Escape clicks the Cancel button.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    ~TButton() override;

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }

    void Click() override;

protected:
    void ApplyWidgetFont() override;
    void ApplyWidgetPalette() override;
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    void SetTextValue(const String& value) override;
    void CMDialogKey(TCMDialogKey& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;

private:
    QPointer<QPushButton> FButton;
    std::unique_ptr<QObject> FLink;
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};

// ---- Speed button ----------------------------------------------------------------------
// A button that takes no focus: pressed while the left button is held on it,
// clicked when the button is released over it. Flat ones show a frame only
// while the pointer is over them.
enum class TSpeedButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TCustomControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // The picture drawn in the middle; NumGlyphs pictures side by side (up,
    // disabled, down, exclusive), the first one drawn.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    TSpeedButtonState State() const { return FState; }
    // The left button went down on it and is still held.
    bool Dragging() const { return FDragging; }
    bool MouseInControl() const { return FMouseInControl; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The face and the glyph or caption, pressed or not.
    void PaintFace(TCanvas& canvas, TRect r);

    TSpeedButtonState FState = TSpeedButtonState::bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;

private:
    bool FFlat = false;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
};

// The platform's default beep, given for refused input. BeepCount tells how
// many were given, so tests can see a refusal.
void MessageBeep();
int BeepCount();

// ---- Shared text helpers ---------------------------------------------------------------
// A caption without its accelerator marks: "&&" becomes "&", "&x" becomes x
// and AccelIndex is x's position in Text (-1 when there is none).
struct TAccelText {
    String Text;
    int AccelIndex = -1;
    QChar Accel;
};
TAccelText StripAccelChar(const String& caption);
// True when the character is the caption's accelerator, ignoring case.
bool IsAccel(QChar key, const String& caption);

// A caption laid out in lines the way labels and captions show it: broken at
// line ends, and at blanks to fit WrapWidth when that is above 0 (a word
// wider than that stands alone on its line). An empty text measures as one blank.
// `ellipsis` (DT_END_ELLIPSIS, DT_PATH_ELLIPSIS or DT_WORD_ELLIPSIS) cuts
// each line wider than `ellipsisWidth`.
class TTextBlock {
public:
    TTextBlock(const String& caption, const TFont& font, int wrapWidth, bool showAccelChar, unsigned ellipsis = 0,
               int ellipsisWidth = 0);
    TSize Size() const { return FSize; }
    int LineCount() const { return int(FLines.size()); }
    const String& Line(int index) const { return FLines.at(std::size_t(index)).text; }
    int LineHeight() const { return FLineHeight; }
    // Where each line starts within `r` for the alignment.
    int LineLeft(int index, const TRect& r, TAlignment alignment) const;
    // Draws the lines from the top of `r` with a clear brush, in the font's
    // colour, or etched grey when not enabled; the accelerator is underlined.
    void Draw(TCanvas& canvas, const TRect& r, TAlignment alignment, bool enabled) const;

private:
    struct LineInfo {
        String text;
        int width = 0;
        int accel = -1;   // position of the underlined character in this line
    };
    std::vector<LineInfo> FLines;
    TSize FSize;
    int FLineHeight = 0;
    int FAscent = 0;
};
