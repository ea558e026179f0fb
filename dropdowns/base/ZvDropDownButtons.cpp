// The arrow button, its container and the strip buttons with their appearance.
#include "dropdowns/base/ZvDropDownButtons.h"

#include "dropdowns/base/ZvCustomDropDown.h"
#include "grid/support/ZvDropDownDraw.h"
#include "platform/FrameControls.h"
#include "platform/ImgList.h"
#include "platform/Themes.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

#include <QRect>

// ---- Modal results ---------------------------------------------------------------------
bool ModalResultCancels(TModalResult result)
{
    return result == mrCancel || result == mrAbort || result == mrIgnore || result == mrNo || result == mrNoToAll;
}

bool ModalResultCloses(TModalResult result)
{
    return result == mrOk || result == mrYes || result == mrAll || result == mrYesToAll || ModalResultCancels(result);
}

// ---- TZvButtonAppearance ---------------------------------------------------------------
TZvButtonAppearance::TZvButtonAppearance()
    : FColorChecked(ScaleColor(FColorHot, -10, -10, 0)),
      FColorCheckedTo(ScaleColor(FColorHotTo, -10, -10, 0)),
      FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
}

TZvButtonAppearance::~TZvButtonAppearance() = default;

void TZvButtonAppearance::Store(TColor& field, TColor value)
{
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
}

void TZvButtonAppearance::SetGradient(TGradientDirection value)
{
    if (value == FGradient) return;
    FGradient = value;
    if (OnChange) OnChange(this);
}

void TZvButtonAppearance::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TZvButtonAppearance*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetGradient(s->FGradient);
}

// ---- TZvDropDownSpeedButton --------------------------------------------------------------
TZvDropDownSpeedButton::TZvDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner), FIsWinXP(IsComCtl6()) {}

void TZvDropDownSpeedButton::SetButtonStyle(TButtonStyle value)
{
    FButtonStyle = value;
    Invalidate();
}

void TZvDropDownSpeedButton::SetEtched(bool value)
{
    if (value == FEtched) return;
    FEtched = value;
    Invalidate();
}

void TZvDropDownSpeedButton::SetFocused(bool value)
{
    if (value == FFocused) return;
    FFocused = value;
    Invalidate();
}

bool TZvDropDownSpeedButton::Pressed() const
{
    return (FState == TSpeedButtonState::bsDown || FState == TSpeedButtonState::bsExclusive) && !FUp;
}

TDropDownEditButton* TZvDropDownSpeedButton::Container() const
{
    return dynamic_cast<TDropDownEditButton*>(Owner());
}

bool TZvDropDownSpeedButton::IsThemed() const { return FIsWinXP && IsThemeActive(); }

int TZvDropDownSpeedButton::ThemeState() const
{
    if (!Enabled()) return 4;
    if (Pressed()) return 3;
    return FHot ? 2 : 1;
}

void TZvDropDownSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TZvDropDownSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

void TZvDropDownSpeedButton::Paint()
{
    if (FButtonStyle == TButtonStyle::bsDropDown) DrawArrowButton(*Canvas());
    else DrawPushButton(*Canvas());
}

namespace {
void FillArrow(TCanvas& canvas, TColor color)
{
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Pen()->SetColor(color);
    canvas.Polygon({Point(5, 7), Point(11, 7), Point(8, 10)});
}
} // namespace

void TZvDropDownSpeedButton::DrawArrowButton(TCanvas& canvas)
{
    TDropDownEditButton* c = Container();
    auto* edit = c ? dynamic_cast<TZvCustomDropDown*>(c->Owner()) : nullptr;
    const TRect client = ClientRect();
    if (c && c->ButtonColor() != clNone) {
        TColor back = c->ButtonColor();
        if (FHot) back = c->ButtonColorHot();
        if (Pressed()) back = c->ButtonColorDown();
        canvas.Brush()->SetColor(back);
        canvas.Pen()->SetColor(back);
        canvas.FillRect(client);
        canvas.Pen()->SetColor(edit ? edit->BorderColor() : clNone);
        canvas.MoveTo(client.Left, client.Top);
        canvas.LineTo(client.Left, client.Bottom);
        TColor arrow = c->ButtonTextColor();
        if (FHot) arrow = c->ButtonTextColorHot();
        if (Pressed()) arrow = c->ButtonTextColorDown();
        FillArrow(canvas, arrow);
        return;
    }
    if (!Glyph()->Empty()) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.Pen()->SetColor(clGray);
        canvas.Rectangle(client);
        canvas.Draw(0, 0, Glyph());
        return;
    }
    // A read-only edit shows a disabled arrow, although the edit itself is enabled.
    const bool enabled = edit ? edit->Enabled() && !edit->ReadOnly() : Enabled();
    if (enabled != Enabled()) {
        SetEnabled(enabled);
    }
    if (IsThemed()) {
        TRect r = client;
        if (IsVistaOrLater()) r.Left += 1;
        else r = Rect(r.Left + 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
        HTHEME theme = OpenThemeData(c, QStringLiteral("combobox"));
        DrawThemeBackground(theme, canvas, 1, ThemeState(), r);
        CloseThemeData(theme);
        return;
    }
    TSpeedButton::Paint();
    canvas.Pen()->SetColor(clBtnFace);
    canvas.MoveTo(Width() - 2, 0);
    canvas.LineTo(0, 0);
    canvas.LineTo(0, Height() - 1);
    canvas.Pen()->SetColor(clWhite);
    canvas.MoveTo(Width() - 3, 1);
    canvas.LineTo(1, 1);
    canvas.LineTo(1, Height() - 2);
    FillArrow(canvas, Enabled() ? clBlack : clGray);
}

void TZvDropDownSpeedButton::DrawPushButton(TCanvas& canvas)
{
    TDropDownEditButton* c = Container();
    if (c && c->Owner()) canvas.SetFont(static_cast<TControl*>(c->Owner())->Font());
    const TRect client = ClientRect();
    if (IsThemed()) {
        canvas.FillRect(client);
        HTHEME theme = OpenThemeData(c, QStringLiteral("button"));
        DrawThemeBackground(theme, canvas, 1, ThemeState(), Rect(0, 0, Width() + 1, Height() + 1));
        CloseThemeData(theme);
    } else if (!Flat()) {
        TSpeedButton::Paint();
        return;
    } else {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(client);
        TRect r = Rect(0, 0, Width() + 1, Height() + 1);
        DrawEdge(canvas, r, FEtched ? EDGE_ETCHED : EDGE_RAISED,
                 BF_RECT | (FState == TSpeedButtonState::bsDown ? BF_FLAT : 0));
    }
    TRect r = client;
    const int shift = FState == TSpeedButtonState::bsDown ? 1 : 0;
    if (!Glyph()->Empty()) {
        r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
        if (Caption().isEmpty() && Glyph()->Width() < r.Width()) r.Left += (r.Width() - Glyph()->Width()) / 2;
        else if (!Caption().isEmpty()) r.Left += 2;
        if (Glyph()->Height() < r.Height()) r.Top += (r.Height() - Glyph()->Height()) / 2;
        canvas.Draw(r.Left + shift, r.Top + shift, Glyph());
    }
    if (!Caption().isEmpty()) {
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        const int x = Glyph()->Empty() ? r.Left + (r.Width() - canvas.TextWidth(Caption())) / 2
                                      : r.Left + Glyph()->Width() + 2;
        canvas.TextOut(x + shift, r.Top + 1 + shift, Caption());
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
}

// ---- TDropDownEditButton ------------------------------------------------------------------
TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    TControlStyle style = ControlStyle();
    style.Exclude(csAcceptsControls);
    style.Exclude(csSetCaption);
    style.Include(csOpaque);
    SetControlStyle(style);
    FButton = new TZvDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        SpeedButtonMouseUp(sender, button, shift, x, y);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(String());
    FButton->SetButtonStyle(TButtonStyle::bsDropDown);
    SetBounds(0, 0, 16, 25);
}

void TDropDownEditButton::SetFocusControl(TWinControl* value)
{
    if (value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (FFocusControl && FFocusControl != Owner()) FFocusControl->FreeNotification(this);
}

void TDropDownEditButton::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::AdjustButtonSize(int& width, int height)
{
    width = FBWidth;
    if (FButton) FButton->SetBounds(0, 0, FBWidth, height);
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AdjustButtonSize(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDropDownEditButton::WMSize(TWMSize& Message)
{
    TWinControl::WMSize(Message);
    int w = Width();
    AdjustButtonSize(w, Height());
    if (w != Width()) TWinControl::SetBounds(Left(), Top(), w, Height());
    Message.Result = 0;
}

void TDropDownEditButton::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    if (FButton) FButton->SetEnabled(Enabled());
}

void TDropDownEditButton::SpeedButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button == TMouseButton::mbLeft && OnClick && Sender == FButton) OnClick(this);
}

// ---- TZvButton ------------------------------------------------------------------------------
TZvButton::TZvButton(TComponent* AOwner) : TCustomControl(AOwner), FUnHotTimer(new TTimer(this))
{
    SetBounds(0, 0, 23, 22);
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks});
    SetShowHint(false);
    SetDoubleBuffered(true);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->OnTimer = [this](TObject* sender) { UnHotTimerTick(sender); };
}

TZvButton::~TZvButton() = default;

void TZvButton::SetAppearance(TZvButtonAppearance* value)
{
    FAppearance = value;
    Invalidate();
}

void TZvButton::SetImages(TCustomImageList* value)
{
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    Invalidate();
}

void TZvButton::SetImageIndex(int value)
{
    FImageIndex = value;
    Invalidate();
}

void TZvButton::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

bool TZvButton::UnHotTimerRunning() const { return FUnHotTimer->Enabled(); }

void TZvButton::FitToCaption()
{
    if (!FAppearance) return;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(FAppearance->Font());
    TSize s = MeasureSingleLine(canvas, Caption());
    if (FImages && FImageIndex >= 0) {
        s.cx = std::max(s.cx, FImages->Width());
        s.cy = std::max(s.cy, FImages->Height());
    }
    SetBounds(Left(), Top(), s.cx + 8, s.cy + 4);
}

void TZvButton::DrawFace(TCanvas& canvas)
{
    if (!FAppearance) return;
    const TZvButtonAppearance& a = *FAppearance;
    TColor from = a.Color(), to = a.ColorTo(), border = a.BorderColor();
    if (!Enabled()) {
        from = a.ColorDisabled(), to = a.ColorDisabledTo(), border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = a.ColorDown(), to = a.ColorDownTo(), border = a.BorderColorDown();
    } else if (FDown) {
        from = a.ColorChecked(), to = a.ColorCheckedTo(), border = a.BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        from = a.ColorHot(), to = a.ColorHotTo(), border = a.BorderColorHot();
    }
    const TRect r = ClientRect();
    DrawGradientRect(&canvas, r, from, a.Gradient() == TGradientDirection::gdVertical, 1, border, to);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.SetFont(a.Font());
    DrawImageAndText(&canvas, r, Caption(), FImageIndex, FImages);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TZvButton::Paint()
{
    if (!Enabled()) {
        FState = TZvButtonState::absDisabled;
        FDragging = false;
    } else if (FState == TZvButtonState::absDisabled) {
        FState = FDown && FGroupIndex != 0 ? TZvButtonState::absExclusive : TZvButtonState::absUp;
    }
    if (FStyle == TZvButtonStyle::tasCheck && FDown) FState = TZvButtonState::absDown;
    DrawFace(*Canvas());
}

bool TZvButton::Inside(int X, int Y) const { return X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight(); }

void TZvButton::MouseEntered()
{
    FMouseInControl = true;
    if (Enabled()) Invalidate();
    FUnHotTimer->SetEnabled(true);
    if (OnMouseEnterButton) OnMouseEnterButton(this);
}

void TZvButton::MouseLeft()
{
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
    if (OnMouseLeaveButton) OnMouseLeaveButton(this);
}

void TZvButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TCustomControl::Dispatch(Message);
        MouseEntered();
        return;
    case CM_MOUSELEAVE:
        TCustomControl::Dispatch(Message);
        MouseLeft();
        return;
    case CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    case CM_FOCUSCHANGED:
        TCustomControl::Dispatch(Message);
        Invalidate();
        return;
    default:
        TCustomControl::Dispatch(Message);
    }
}

void TZvButton::UnHotTimerTick(TObject*)
{
    const TPoint p = ScreenToClient(Point(QCursor::pos().x(), QCursor::pos().y()));
    if (Inside(p.X, p.Y)) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
}

void TZvButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !Enabled()) return;
    FMouseDownInControl = true;
    if (!FDown) {
        FState = TZvButtonState::absDown;
        Invalidate();
    }
    if (FStyle == TZvButtonStyle::tasCheck) {
        FState = TZvButtonState::absDown;
        Repaint();
    }
    FDragging = true;
}

void TZvButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TZvButtonState s = FDown ? TZvButtonState::absExclusive
                                 : (Inside(X, Y) ? TZvButtonState::absDown : TZvButtonState::absUp);
        if (FStyle == TZvButtonStyle::tasCheck && FDown) s = TZvButtonState::absDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TZvButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDownInControl = false;
    Invalidate();
    if (!FDragging) return;
    FDragging = false;
    const bool inside = Inside(X, Y);
    if (FGroupIndex != 0) {
        if (inside) SetDown(!FDown);
        else if (FDown) FState = TZvButtonState::absExclusive;
        Repaint();
    } else {
        FState = TZvButtonState::absUp;
        FMouseInControl = false;
        FHot = false;
        if (FStyle == TZvButtonStyle::tasCheck) {
            SetDown(!FDown);
            FState = TZvButtonState::absUp;
        }
        if (inside) Invalidate();
    }
    UpdateTracking();
}

void TZvButton::UpdateTracking()
{
    if (!Enabled() || !HandleAllocated()) return;
    const TPoint p = ScreenToClient(Point(QCursor::pos().x(), QCursor::pos().y()));
    const bool over = Inside(p.X, p.Y);
    if (over != FMouseInControl) Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, LPARAM(this));
}

void TZvButton::WMKeyDown(TWMKey& Message)
{
    if (Message.CharCode == VK_RETURN || Message.CharCode == VK_SPACE) {
        if (!FDown) {
            FState = TZvButtonState::absDown;
            Invalidate();
        }
        if (FStyle == TZvButtonStyle::tasCheck) Repaint();
        FInternalClick = true;
        struct TReset {
            bool& Flag;
            ~TReset() { Flag = false; }
        } reset{FInternalClick};
        Click();
    }
    TCustomControl::WMKeyDown(Message);
}

void TZvButton::CMDialogChar(TCMDialogChar& Message)
{
    if (Enabled() && IsAccel(QChar(char16_t(Message.CharCode)), Caption())) {
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

void TZvButton::CMEnabledChanged(TMessage& Message)
{
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

void TZvButton::SetDown(bool value)
{
    if (FGroupIndex == 0 && FStyle == TZvButtonStyle::tasButton) value = false;
    if (FStyle == TZvButtonStyle::tasCheck) {
        FDown = value;
        FState = value ? TZvButtonState::absDown : TZvButtonState::absUp;
        Repaint();
        return;
    }
    if (value == FDown || (FDown && !FAllowAllUp)) return;
    FDown = value;
    if (value) {
        if (FState == TZvButtonState::absUp) Invalidate();
        FState = TZvButtonState::absExclusive;
        ReleaseGroup();
    } else {
        FState = TZvButtonState::absUp;
        Repaint();
    }
}

void TZvButton::ReleaseGroup()
{
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(this), 0};
    Parent()->Broadcast(m);
}

void TZvButton::ButtonPressed(TMessage& Message)
{
    auto* sender = reinterpret_cast<TZvButton*>(Message.LParam);
    if (int(Message.WParam) != FGroupIndex || sender == this || !sender) return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = TZvButtonState::absUp;
        Invalidate();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TZvButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    const bool cancel = ModalResultCancels(FModalResult);
    if (FZvDropDown && ModalResultCloses(FModalResult)) FZvDropDown->HideDropDown(cancel);
    if (!FInternalClick) TCustomControl::Click();
}
