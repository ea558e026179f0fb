// The buttons: check box, radio button, push button and speed button, and the beep.

#include "platform/StdCtrls.h"
#include "platform/StdCtrlsPrivate.h"

#include "platform/DrawText.h"
#include "platform/Forms.h"
#include "platform/FrameControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <atomic>
#include <algorithm>

using namespace StdCtrlsPrivate;

// ---- Check box ----------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

TCheckBox::~TCheckBox() { FLink.reset(); }

QWidget* TCheckBox::CreateWidget(QWidget* parentWidget)
{
    auto* box = new QCheckBox(parentWidget);
    FBox = box;
    QObject::connect(box, &QCheckBox::clicked, FLink.get(), [this] { RunGuarded(this, [&] { Toggle(); }); });
    return box;
}

void TCheckBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FBox) return;
    FBox->setText(TWinControl::GetText());
    FBox->setLayoutDirection(FAlignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    ShowState();
}

void TCheckBox::ShowState()
{
    if (!FBox) return;
    const QSignalBlocker block(FBox.data());
    FBox->setTristate(FAllowGrayed || FState == TCheckBoxState::cbGrayed);
    FBox->setCheckState(FState == TCheckBoxState::cbChecked  ? Qt::Checked
                        : FState == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                             : Qt::Unchecked);
}

void TCheckBox::SetState(TCheckBoxState value)
{
    // The platform's box clicks itself whenever its state changes, also when code changes it.
    if (value == FState) {
        ShowState();
        return;
    }
    FState = value;
    ShowState();
    Click();
}

void TCheckBox::Toggle()
{
    switch (FState) {
    case TCheckBoxState::cbUnchecked: SetState(TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked:
        SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
        break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbUnchecked); break;
    }
}

void TCheckBox::SetAllowGrayed(bool value)
{
    FAllowGrayed = value;
    ShowState();
}

void TCheckBox::SetAlignment(TAlignment value)
{
    FAlignment = value;
    if (FBox) FBox->setLayoutDirection(value == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SetTextValue(const String& value)
{
    TWinControl::SetTextValue(value);
    if (FBox) FBox->setText(value);
}

void TCheckBox::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && CanFocus()) {
        SetFocus();
        Toggle();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

void TCheckBox::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Caption);
}

void TCheckBox::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Caption);
}

// ---- Radio button ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 113, 17);
}

TRadioButton::~TRadioButton() { FLink.reset(); }

QWidget* TRadioButton::CreateWidget(QWidget* parentWidget)
{
    auto* radio = new QRadioButton(parentWidget);
    FRadio = radio;
    // The siblings are kept exclusive here, not by Qt.
    radio->setAutoExclusive(false);
    QObject::connect(radio, &QRadioButton::clicked, FLink.get(), [this] {
        RunGuarded(this, [&] {
            SetChecked(true);
            ShowChecked();
        });
    });
    return radio;
}

void TRadioButton::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FRadio) return;
    FRadio->setText(TWinControl::GetText());
    ShowChecked();
}

void TRadioButton::ShowChecked()
{
    if (!FRadio) return;
    const QSignalBlocker block(FRadio.data());
    FRadio->setChecked(FChecked);
}

void TRadioButton::SetChecked(bool value)
{
    if (value == FChecked) return;
    FChecked = value;
    SetTabStop(value);
    ShowChecked();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    }
    Click();
}

void TRadioButton::SetTextValue(const String& value)
{
    TWinControl::SetTextValue(value);
    if (FRadio) FRadio->setText(value);
}

void TRadioButton::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && CanFocus()) {
        SetFocus();
        SetChecked(true);
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

void TRadioButton::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Caption);
}

void TRadioButton::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Caption);
}

// ---- Button ---------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton() { FLink.reset(); }

QWidget* TButton::CreateWidget(QWidget* parentWidget)
{
    auto* button = new QPushButton(parentWidget);
    FButton = button;
    // Enter and Escape are ours to handle (CM_DIALOGKEY), not Qt's.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, FLink.get(), [this] { RunGuarded(this, [&] { Click(); }); });
    return button;
}

void TButton::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!FButton) return;
    FButton->setText(TWinControl::GetText());
    FButton->setDefault(FDefault);
}

void TButton::SetDefault(bool value)
{
    FDefault = value;
    if (FButton) FButton->setDefault(value);
}

void TButton::SetTextValue(const String& value)
{
    TWinControl::SetTextValue(value);
    if (FButton) FButton->setText(value);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::CMDialogKey(TCMDialogKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    // Enter belongs to the focused button, else to the default button unless
    // another button has the focus.
    bool active = Focused();
    if (!active && FDefault) active = dynamic_cast<TButton*>(FindFocusedControl()) == nullptr;
    if (((key == VK_RETURN && active) || (key == VK_ESCAPE && FCancel)) &&
        KeyDataToShiftState(Message.KeyData).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(Message);
}

void TButton::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Button);
}

void TButton::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Button);
}

// ---- Speed button ----------------------------------------------------------------------

namespace {
std::atomic<int> Beeps{0};
}

void MessageBeep()
{
    ++Beeps;
    QApplication::beep();
}

int BeepCount() { return Beeps.load(); }

TSpeedButton::TSpeedButton(TComponent* AOwner) : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 23, 22);
    SetTabStop(false);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value)
{
    if (value == FFlat) return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* value)
{
    if (value) FGlyph->Assign(value);
    else FGlyph = std::make_unique<TBitmap>();
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value)
{
    FNumGlyphs = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !Enabled()) return;
    FDragging = true;
    FState = TSpeedButtonState::bsDown;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const TSpeedButtonState now = ClientRect().Contains(TPoint{X, Y}) ? TSpeedButtonState::bsDown : TSpeedButtonState::bsUp;
    if (now == FState) return;
    FState = now;
    Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !FDragging) return;
    FDragging = false;
    const bool over = ClientRect().Contains(TPoint{X, Y});
    FState = TSpeedButtonState::bsUp;
    Invalidate();
    if (over) Click();
}

void TSpeedButton::MouseEnter()
{
    TCustomControl::MouseEnter();
    FMouseInControl = true;
    if (FFlat) Invalidate();
}

void TSpeedButton::MouseLeave()
{
    TCustomControl::MouseLeave();
    FMouseInControl = false;
    if (FFlat) Invalidate();
}

void TSpeedButton::Paint()
{
    TCanvas& c = *Canvas();
    PaintFace(c, ClientRect());
}

void TSpeedButton::PaintFace(TCanvas& c, TRect r)
{
    const bool down = FState == TSpeedButtonState::bsDown || FState == TSpeedButtonState::bsExclusive;
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    if (!FFlat) {
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
    } else if (down || FMouseInControl) {
        DrawEdge(c, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    const int shift = down ? 1 : 0;
    if (!FGlyph->Empty()) {
        const int gw = FGlyph->Width() / FNumGlyphs;
        const int gh = FGlyph->Height();
        TBitmap one;
        one.SetSize(gw, gh);
        one.Canvas()->CopyRect(TRect{0, 0, gw, gh}, *FGlyph->Canvas(), TRect{0, 0, gw, gh});
        one.SetTransparent(true);
        c.Draw(r.Left + (r.Width() - gw) / 2 + shift, r.Top + (r.Height() - gh) / 2 + shift, &one);
    }
    if (!Caption().isEmpty()) {
        c.SetFont(Font());
        c.Brush()->SetStyle(TBrushStyle::bsClear);
        TRect t{r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift};
        DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
