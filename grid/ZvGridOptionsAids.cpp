// The search footer's check box, the focus frame window, its alpha mask and
// the blur that softens it.

#include "grid/ZvGridOptions.h"

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

// ============================================================================
// TGridAlphaMask (the focus window is in ZvGridFocusWindow.cpp)
// ============================================================================

TGridAlphaMask::TGridAlphaMask()
{
    SetPixelFormat(TPixelFormat::pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor)
{
    if (!Mask || !Bitmap || Bitmap->PixelFormat() != TPixelFormat::pf24bit) return;
    const int w = Bitmap->Width();
    const int h = Bitmap->Height();
    SetPixelFormat(TPixelFormat::pf32bit);
    SetSize(w, h);
    const QImage mask = Mask->Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* src = static_cast<const std::uint8_t*>(Bitmap->ScanLine(y));
        auto* dst = static_cast<std::uint8_t*>(ScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int alpha = (x < mask.width() && y < mask.height()) ? qRed(mask.pixel(x, y)) : 0;
            for (int c = 0; c < 3; ++c)
                dst[4 * x + c] = std::uint8_t(std::lround(src[3 * x + c] * alpha / 255.0));
            dst[4 * x + 3] = std::uint8_t(alpha);
        }
    }
}

void TGridAlphaMask::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TGridAlphaMask*>(source)) {
        FOpacity = other->FOpacity;
        SetPixelFormat(TPixelFormat::pf32bit);
        SetImage(other->Image());
        SetPixelFormat(TPixelFormat::pf32bit);
        return;
    }
    TBitmap::Assign(source);
    SetPixelFormat(TPixelFormat::pf32bit);
}

// ============================================================================
// Blur and shadow
// ============================================================================

TBlurKernel BuildBlurKernel(double radius)
{
    TBlurKernel kernel;
    double sum = 0;
    for (int i = -10; i <= 10; ++i) {
        const double t = i / radius;
        kernel.Weights[std::size_t(i + 10)] = float(std::exp(-t * t / 2));
        sum += kernel.Weights[std::size_t(i + 10)];
    }
    for (float& w : kernel.Weights) w = float(w / sum);

    // Drop the tail that cannot change a channel value.
    int k = 10;
    double tail = 0;
    while (tail < 1.0 / 510 && k > 1) {
        tail += 2.0 * kernel.Weight(k);
        --k;
    }
    double kept = 0;
    for (int i = -k; i <= k; ++i) kept += kernel.Weight(i);
    for (int i = -10; i <= 10; ++i)
        kernel.Weights[std::size_t(i + 10)] = (i < -k || i > k) ? 0.0f : float(kernel.Weight(i) / kept);
    kernel.Size = k;
    return kernel;
}

namespace {
struct TPixel24 {
    std::uint8_t b, g, r;
};

int ClampIndex(int i, int n)
{
    return i < 0 ? 0 : i >= n ? n - 1 : i;
}

std::uint8_t ClampChannel(double v)
{
    if (v >= 255) return 255;
    if (v < 0) return 0;
    return std::uint8_t(v);
}

void BlurLine(std::vector<TPixel24>& line, const TBlurKernel& kernel)
{
    const int n = int(line.size());
    std::vector<TPixel24> out(line.size());
    for (int p = 0; p < n; ++p) {
        double b = 0, g = 0, r = 0;
        for (int i = -kernel.Size; i <= kernel.Size; ++i) {
            const TPixel24& px = line[std::size_t(ClampIndex(p - i, n))];
            const double w = kernel.Weight(i);
            b += w * px.b;
            g += w * px.g;
            r += w * px.r;
        }
        out[std::size_t(p)] = {ClampChannel(b), ClampChannel(g), ClampChannel(r)};
    }
    line.swap(out);
}

// The rows (or columns) inside the 21-pixel border are not blurred one by
// one: they all take the already blurred line 15, which is what a uniform
// middle gives anyway and keeps the cost to the border.
bool InBorder(int i, int n)
{
    return i <= 20 || i >= n - 20;
}
}

void BlurBitmap24(TBitmap* bitmap, double radius)
{
    if (!bitmap || bitmap->PixelFormat() != TPixelFormat::pf24bit)
        throw Exception(QStringLiteral("Blur only works for 24-bit bitmaps"));
    if (radius <= 0 || bitmap->Empty()) return;
    const TBlurKernel kernel = BuildBlurKernel(radius);
    const int w = bitmap->Width();
    const int h = bitmap->Height();

    auto row = [&](int y) { return static_cast<TPixel24*>(bitmap->ScanLine(y)); };
    std::vector<TPixel24> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        TPixel24* dst = row(y);
        if (InBorder(y, h)) {
            std::copy(dst, dst + w, line.begin());
            BlurLine(line, kernel);
            std::copy(line.begin(), line.end(), dst);
        } else {
            const TPixel24* model = row(15);
            std::copy(model, model + w, dst);
        }
    }

    std::vector<TPixel24> column(static_cast<std::size_t>(h));
    for (int x = 0; x < w; ++x) {
        if (InBorder(x, w)) {
            for (int y = 0; y < h; ++y) column[std::size_t(y)] = row(y)[x];
            BlurLine(column, kernel);
            for (int y = 0; y < h; ++y) row(y)[x] = column[std::size_t(y)];
        } else {
            for (int y = 0; y < h; ++y) row(y)[x] = row(y)[15];
        }
    }
}

void MakeShadowBitmap(TBitmap* bitmap, int width, int height, int penWidth, int corner, double radius)
{
    if (!bitmap) return;
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetSize(width, height);
    TCanvas& canvas = *bitmap->Canvas();
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect(Rect(0, 0, width, height));

    const int inset = 2 + penWidth / 2;
    const TRect box = Rect(inset, inset, width - inset, height - inset);
    canvas.Pen()->SetColor(clWhite);
    canvas.Pen()->SetStyle(TPenStyle::psSolid);
    if (penWidth > 0) {
        canvas.Pen()->SetWidth(penWidth);
        canvas.Brush()->SetColor(clBlack);
    } else {
        canvas.Pen()->SetWidth(1);
        canvas.Brush()->SetColor(clWhite);
    }
    canvas.RoundRect(box, corner, corner);
    canvas.FreeHandle();
    if (radius > 0) BlurBitmap24(bitmap, radius);
}
