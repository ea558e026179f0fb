// The search footer's check box.

#include "grid/ZvCheckBox.h"

#include "grid/support/ZvGridTypes.h"

#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/Themes.h"

#include <QPainter>

#include <cmath>
#include <vector>

// ============================================================================
// TZvCheckBox
// ============================================================================

namespace {
constexpr int ThemedCheckSize = 14;
constexpr int ClassicCheckSize = 13;
constexpr int CheckAreaSize = 16;
constexpr int StateStripWidth = 20;
}

TZvCheckBox::TZvCheckBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    // Clicks are raised by the box itself, after a release inside it.
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(Left(), Top(), 98, 20);
    FCaption = ClassName();
    FIsWinXP = IsWinXPOrLater();
    SetTabStop(false);
}

TZvCheckBox::~TZvCheckBox() = default;

bool TZvCheckBox::Themed() const
{
    return IsXPThemeActive();
}

void TZvCheckBox::SetAlignment(TLeftRight value)
{
    if (!StoreChanged(FAlignment, value)) return;
    Invalidate();
}

void TZvCheckBox::SetButtonVertAlign(TButtonVAlign value)
{
    if (!StoreChanged(FBtnVAlign, value)) return;
    Invalidate();
}

void TZvCheckBox::SetCaption(const String& value)
{
    FCaption = value;
    SetText(value);
    Invalidate();
}

void TZvCheckBox::SetEllipsis(bool value)
{
    if (!StoreChanged(FEllipsis, value)) return;
    Invalidate();
}

void TZvCheckBox::SetChecked(bool value)
{
    SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
    Invalidate();
}

void TZvCheckBox::SetState(TCheckBoxState value)
{
    if (!StoreChanged(FState, value)) return;
    const int w = ClientWidth();
    const TRect strip = FAlignment == TLeftRight::taLeftJustify ? Rect(0, 0, StateStripWidth, ClientHeight())
                                                                 : Rect(w - StateStripWidth, 0, w, ClientHeight());
    InvalidateRect(strip);
}

void TZvCheckBox::Toggle()
{
    if (!FReadOnly) SetChecked(!Checked());
}

void TZvCheckBox::DropBackgroundCache()
{
    FBkgCache = false;
    FBkgBmp.reset();
}

void TZvCheckBox::SetTransparent(bool value)
{
    if (!StoreChanged(FTransparent, value)) return;
    DropBackgroundCache();
    Repaint();
}

void TZvCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool moved = ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (moved && FTransparent) {
        DropBackgroundCache();
        Repaint();
    }
}

TRect TZvCheckBox::CheckRect() const
{
    const bool themed = Themed();
    const int size = themed ? ThemedCheckSize : ClassicCheckSize;
    const int w = ClientWidth();
    const int h = ClientHeight();
    const int x = FAlignment == TLeftRight::taLeftJustify ? 0 : (themed ? w - 15 : w - ClassicCheckSize);
    int y = 4;
    if (FBtnVAlign == TButtonVAlign::tvaCenter) y = h / 2 - 6;
    if (FBtnVAlign == TButtonVAlign::tvaBottom) y = themed ? h - 14 : h - 17;
    return Bounds(x, y, size, size);
}

TRect TZvCheckBox::CaptionRect() const
{
    TRect r = ClientRect();
    if (FAlignment == TLeftRight::taLeftJustify) {
        r.Left = 15;
    } else {
        r.Left = 6;
        r.Right = ClientWidth() - 9;
    }
    r.Top = 4;
    return r;
}

void TZvCheckBox::RepaintCheckArea()
{
    const TRect c = CheckRect();
    InvalidateRect(Bounds(c.Left, c.Top, CheckAreaSize, CheckAreaSize));
}

void TZvCheckBox::SetDown(bool value)
{
    if (!StoreChanged(FDown, value)) return;
    RepaintCheckArea();
}

void TZvCheckBox::PaintParentBackground(TCanvas& canvas)
{
    // The parent shows through: the box takes the parent's face colour,
    // cached while the box keeps its place and transparency.
    if (FTransparentCaching && FBkgCache && FBkgBmp) {
        canvas.Draw(0, 0, FBkgBmp.get());
        return;
    }
    const TColor back = Parent() ? Parent()->Color() : Color();
    auto fill = [&](TCanvas& c) {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(back);
        c.FillRect(ClientRect());
    };
    if (FTransparentCaching) {
        FBkgBmp = std::make_unique<TBitmap>(std::max(1, ClientWidth()), std::max(1, ClientHeight()));
        fill(*FBkgBmp->Canvas());
        FBkgCache = true;
        canvas.Draw(0, 0, FBkgBmp.get());
        return;
    }
    fill(canvas);
}

void TZvCheckBox::DrawCheckMark(TCanvas& canvas)
{
    TRect r = CheckRect();
    if (Themed()) {
        const int stateBase = FState == TCheckBoxState::cbChecked ? 4 : FState == TCheckBoxState::cbGrayed ? 8 : 0;
        int look = 1;   // normal
        if (!Enabled())
            look = 4;
        else if (FDown)
            look = 3;
        else if (FHot)
            look = 2;
        HTHEME theme = OpenThemeData(this, QStringLiteral("button"));
        DrawThemeBackground(theme, canvas, BP_CHECKBOX, stateBase + look, r);
        CloseThemeData(theme);
        return;
    }
    unsigned state = DFCS_BUTTONCHECK;
    if (FState == TCheckBoxState::cbChecked) state |= DFCS_CHECKED;
    if (FState == TCheckBoxState::cbGrayed || !Enabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(canvas, r, DFC_BUTTON, state);
}

void TZvCheckBox::DrawCaption(TCanvas& canvas)
{
    TRect r = CaptionRect();
    unsigned format = DT_LEFT | DT_TOP;
    if (FEllipsis) format |= DT_END_ELLIPSIS;
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    if (!Enabled()) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        canvas.Font()->SetColor(clWhite);
        DrawText(canvas, FCaption, shadow, format);
        canvas.Font()->SetColor(clGray);
    }
    DrawText(canvas, FCaption, r, format);

    if (FFocused) {
        TRect measured = CaptionRect();
        DrawText(canvas, FCaption, measured, format | DT_CALCRECT);
        const TRect focus = Rect(r.Left - 2, r.Top, r.Left + measured.Width() + 1, r.Top + measured.Height() + 1);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.DrawFocusRect(focus);
    }
}

void TZvCheckBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    if (FTransparent) {
        PaintParentBackground(canvas);
    } else {
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(ClientRect());
    }
    DrawCheckMark(canvas);
    DrawCaption(canvas);
}

void TZvCheckBox::WMEraseBkgnd(TWMEraseBkgnd& Message)
{
    if (FTransparent) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WMEraseBkgnd(Message);
}

void TZvCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && Enabled()) {
        FMouseDown = true;
        if (!Focused() && CanFocus()) SetFocus();
        SetMouseCapture(true);
        SetDown(true);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TZvCheckBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FMouseDown && MouseCapture()) SetDown(X >= 0 && X <= Width() && Y >= 0 && Y <= Height());
    TCustomControl::MouseMove(Shift, X, Y);
}

void TZvCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft) {
        const bool pressedHere = FMouseDown;
        FMouseDown = false;
        SetMouseCapture(false);
        SetDown(false);
        const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
        if (inside && pressedHere && Focused() && !FClicksDisabled) {
            Toggle();
            Click();
        }
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TZvCheckBox::MouseEnter()
{
    FHot = true;
    RepaintCheckArea();
    TCustomControl::MouseEnter();
}

void TZvCheckBox::MouseLeave()
{
    FHot = false;
    RepaintCheckArea();
    TCustomControl::MouseLeave();
}

void TZvCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = 0;
        PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    if (Key == VK_SPACE) SetDown(true);
    TCustomControl::KeyDown(Key, Shift);
}

void TZvCheckBox::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        SetDown(false);
        Toggle();
        Click();
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TZvCheckBox::DoEnter()
{
    FFocused = true;
    Invalidate();
    TCustomControl::DoEnter();
}

void TZvCheckBox::DoExit()
{
    FFocused = false;
    Invalidate();
    TCustomControl::DoExit();
}

void TZvCheckBox::CMEnabledChanged(TMessage& Message)
{
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

void TZvCheckBox::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), FCaption) && CanFocus()) {
        Toggle();
        if (TabStop()) SetFocus();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}
