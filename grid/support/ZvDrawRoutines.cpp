// Free drawing routines shared by the grid's painting and the drop-down controls.

#include "grid/support/ZvDrawRoutines.h"

#include "grid/support/ZvGridCellGraphic.h"

#include "platform/Controls.h"
#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/Pictures.h"
#include "platform/SysUtils.h"
#include "platform/Themes.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

int Channel(TColor c, int shift) { return int((c >> shift) & 0xFF); }

int ClampChannel(long v) { return int(std::clamp<long>(v, 0, 255)); }

// Brush and pen in one colour, as the banded fills paint.
void SetFillColor(TCanvas& canvas, TColor color)
{
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Pen()->SetColor(color);
}

void FillSolid(TCanvas& canvas, const TRect& rect, TColor color)
{
    if (color == clNone || rect.IsEmpty()) return;
    SetFillColor(canvas, color);
    canvas.FillRect(rect);
}

TColor Blend(TColor c1, TColor c2, int i, int steps)
{
    int ch[3];
    for (int k = 0; k < 3; ++k) {
        const int a = Channel(c1, 8 * k), b = Channel(c2, 8 * k);
        ch[k] = ClampChannel(std::lround(a + double(b - a) * i / steps));
    }
    return RGB(unsigned(ch[0]), unsigned(ch[1]), unsigned(ch[2]));
}

} // namespace

// ---- Colours ---------------------------------------------------------------------

TColor HalfColor(TColor color)
{
    if (color == clNone) return clNone;
    const TColor c = ColorToRGB(color);
    return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
}

TColor ShadeColorByPercent(TColor color, int percent)
{
    if (color == clNone) return clNone;
    const TColor c = ColorToRGB(color);
    auto shade = [percent](unsigned v) {
        return unsigned(ClampChannel(std::lround(v + double(v) * percent / 100.0)));
    };
    return RGB(shade(GetRValue(c)), shade(GetGValue(c)), shade(GetBValue(c)));
}

TColor InterpolateColor(TColor color1, TColor color2, int minimum, int maximum, int position)
{
    if (color2 == clNone || color1 == clNone || maximum == minimum) return color1;
    const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
    int ch[3];
    for (int k = 0; k < 3; ++k) {
        const int ca = Channel(a, 8 * k), cb = Channel(b, 8 * k);
        ch[k] = ClampChannel(std::lround(ca + double(cb - ca) / (maximum - minimum) * position));
    }
    return RGB(unsigned(ch[0]), unsigned(ch[1]), unsigned(ch[2]));
}

// ---- Gradients and fills -----------------------------------------------------------

void DrawGradientRect(TCanvas& canvas, TColor color1, TColor color2, int steps, TRect rect, bool horizontal)
{
    if (rect.Top == rect.Bottom) return;
    if (rect.Top > rect.Bottom) std::swap(rect.Top, rect.Bottom);
    if (color1 == clNone || color2 == clNone) {
        FillSolid(canvas, rect, color1 == clNone ? color2 : color1);
        return;
    }
    const TColor c1 = ColorToRGB(color1), c2 = ColorToRGB(color2);
    const int extent = horizontal ? rect.Width() - 1 : rect.Height() - 1;
    steps = std::max(1, std::min(steps, extent));
    const double stepSize = double(std::max(extent, 0)) / steps;
    const int bandLength = int(stepSize) + 1;
    for (int i = 0; i <= steps; ++i) {
        const int start = int(i * stepSize);
        TRect band = rect;
        if (horizontal) {
            band.Left = rect.Left + start;
            band.Right = std::min(band.Left + bandLength, rect.Right);
        } else {
            band.Top = rect.Top + start;
            band.Bottom = std::min(band.Top + bandLength, rect.Bottom);
        }
        FillSolid(canvas, band, Blend(c1, c2, i, steps));
    }
}

void DrawGradientBox(TCanvas& canvas, TRect rect, TColor color, TColor colorTo, TColor mirrorColor,
                     TColor mirrorColorTo, bool vertical, TColor borderColor, bool sidesOnly, bool fill)
{
    if (fill && color != clNone) {
        if (mirrorColor == clNone) {
            if (colorTo == clNone) {
                canvas.Pen()->SetStyle(TPenStyle::psSolid);
                canvas.Pen()->SetWidth(1);
                FillSolid(canvas, Rect(rect.Left, rect.Top, rect.Right, rect.Bottom + 1), color);
            } else {
                DrawGradientRect(canvas, color, colorTo, 128, rect, !vertical);
            }
        } else {
            TRect first = rect, second = rect;
            if (vertical) {
                first.Bottom = second.Top = rect.Top + rect.Height() / 2;
            } else {
                first.Right = second.Left = rect.Left + rect.Width() / 2;
            }
            DrawGradientRect(canvas, color, colorTo, 128, first, !vertical);
            DrawGradientRect(canvas, mirrorColor, mirrorColorTo, 128, second, !vertical);
        }
    }
    if (borderColor == clNone) return;
    if (sidesOnly) {
        FillSolid(canvas, Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), borderColor);
        FillSolid(canvas, Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), borderColor);
    } else {
        canvas.Brush()->SetColor(borderColor);
        canvas.FrameRect(rect);
    }
}

void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color) { FillSolid(canvas, rect, color); }

void DrawSelectionBox(TCanvas& canvas, TColor color, TColor colorTo, TColor mirrorColor, TColor mirrorColorTo,
                      TColor innerLineColor, TColor bottomLineColor, TColor borderColor, TColor cornerColor,
                      TColor outerCornerColor, TRect rect, TSelectionSegment segment)
{
    const TRect box = Rect(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 2);
    if (box.Width() < 4 || box.Height() < 4) return;
    const bool leftClosed = segment == TSelectionSegment::ssWhole || segment == TSelectionSegment::ssLeftEnd;
    const bool rightClosed = segment == TSelectionSegment::ssWhole || segment == TSelectionSegment::ssRightEnd;
    const int mid = box.Top + box.Height() / 2;
    const int l = box.Left, t = box.Top, r = box.Right, b = box.Bottom;

    // Inside first, so the lines and corners stand on top of it.
    const TRect inside = Rect(leftClosed ? l + 2 : l, t + 2, rightClosed ? r - 2 : r, b - 1);
    if (colorTo == clNone) {
        FillSolid(canvas, inside, color);
    } else if (mirrorColor == clNone) {
        DrawGradientRect(canvas, color, colorTo, 16, inside, false);
    } else {
        const int half = inside.Top + inside.Height() / 2;
        DrawGradientRect(canvas, color, colorTo, 16, Rect(inside.Left, inside.Top, inside.Right, half), false);
        DrawGradientRect(canvas, mirrorColor, mirrorColorTo, 16, Rect(inside.Left, half, inside.Right, inside.Bottom),
                         false);
    }
    auto line = [&canvas](TColor c, int x1, int y1, int x2, int y2) {
        if (c == clNone) return;
        canvas.Pen()->SetColor(c);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    line(innerLineColor, leftClosed ? l + 1 : l, t + 1, rightClosed ? r - 1 : r, t + 1);
    if (leftClosed) line(innerLineColor, l + 1, t + 1, l + 1, mid);
    if (rightClosed) line(innerLineColor, r - 2, t + 1, r - 2, mid);
    line(bottomLineColor, leftClosed ? l + 1 : l, b - 2, rightClosed ? r - 1 : r, b - 2);
    if (leftClosed) line(bottomLineColor, l + 1, mid, l + 1, b - 1);
    if (rightClosed) line(bottomLineColor, r - 2, mid, r - 2, b - 1);
    line(borderColor, leftClosed ? l + 2 : l, t, rightClosed ? r - 2 : r, t);
    line(borderColor, leftClosed ? l + 2 : l, b - 1, rightClosed ? r - 2 : r, b - 1);
    if (leftClosed) line(borderColor, l, t + 2, l, b - 2);
    if (rightClosed) line(borderColor, r - 1, t + 2, r - 1, b - 2);
    auto corner = [&](int x, int y, int dx, int dy) {
        if (cornerColor != clNone) {
            canvas.SetPixel(x + dx, y, cornerColor);
            canvas.SetPixel(x, y + dy, cornerColor);
            canvas.SetPixel(x + dx, y + dy, cornerColor);
        }
        if (outerCornerColor != clNone) canvas.SetPixel(x, y, outerCornerColor);
    };
    if (leftClosed) {
        corner(l, t, 1, 1);
        corner(l, b - 1, 1, -1);
    }
    if (rightClosed) {
        corner(r - 1, t, -1, 1);
        corner(r - 1, b - 1, -1, -1);
    }
}

// ---- Buttons -------------------------------------------------------------------------

namespace {

const TColorTone& ToneOf(const TColorTones& tones, TButtonState state)
{
    switch (state) {
    case TButtonState::bsHot: return tones.Hover;
    case TButtonState::bsDown: return tones.Selected;
    case TButtonState::bsDisabled: return tones.Disabled;
    default: return tones.Background;
    }
}

void DrawThemed(TCanvas& canvas, TWinControl* window, const String& cls, int part, int state, const TRect& r)
{
    HTHEME theme = OpenThemeData(window, cls);
    DrawThemeBackground(theme, canvas, part, state, r);
    CloseThemeData(theme);
}

} // namespace

void DrawComboButton(TCanvas& canvas, TWinControl* window, TRect rect, TButtonLook look, TButtonState state,
                     const TColorTones& tones)
{
    TRect r = Rect(rect.Right - 19, rect.Top + 1, rect.Right - 2, rect.Bottom - 1);
    const bool disabled = state == TButtonState::bsDisabled;
    switch (look) {
    case TButtonLook::blTheme:
        DrawThemed(canvas, window, "combobox", CP_DROPDOWNBUTTON, disabled ? CBXS_DISABLED : CBXS_NORMAL, r);
        break;
    case TButtonLook::blClassic:
    case TButtonLook::blFlat:
        DrawFrameControl(canvas, r, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0u) |
                             (look == TButtonLook::blFlat ? DFCS_FLAT : 0u));
        break;
    case TButtonLook::blColored: {
        r.Left += 3;
        FillSolid(canvas, r, ToneOf(tones, state).BrushColor);
        FillSolid(canvas, Rect(r.Left + 1, r.Top, r.Left + 2, r.Bottom), tones.Background.BorderColor);
        const TColor arrow = tones.Background.TextColor;
        if (arrow != clNone) {
            SetFillColor(canvas, arrow);
            canvas.Polygon({{r.Left + 5, r.Top + 8}, {r.Left + 11, r.Top + 8}, {r.Left + 8, r.Top + 11}});
        }
        break;
    }
    }
}

void DrawEllipsisButton(TCanvas& canvas, TWinControl* window, TRect rect, TButtonLook look, TButtonState state,
                        const TColorTones& tones)
{
    switch (look) {
    case TButtonLook::blTheme: {
        static constexpr int states[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
        DrawThemed(canvas, window, "button", BP_PUSHBUTTON, states[int(state)], rect);
        break;
    }
    case TButtonLook::blClassic:
    case TButtonLook::blFlat: {
        static constexpr unsigned flags[] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
        DrawFrameControl(canvas, rect, DFC_BUTTON,
                         DFCS_BUTTONPUSH | flags[int(state)] | (look == TButtonLook::blFlat ? DFCS_FLAT : 0u));
        break;
    }
    case TButtonLook::blColored: {
        const TColorTone& tone = ToneOf(tones, state);
        canvas.Brush()->SetStyle(tone.BrushColor == clNone ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(tone.BrushColor);
        canvas.Pen()->SetColor(tone.BorderColor);
        canvas.Rectangle(rect);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        break;
    }
    }
}

void DrawSpinButtons(TCanvas& canvas, TWinControl* window, TRect rect, TButtonLook look, TButtonState state,
                     const TColorTones& tones)
{
    const TRect r = Rect(rect.Right - 16, rect.Top - 1, rect.Right - 1, rect.Bottom - 1);
    const int m = r.Top + r.Height() / 2;
    TRect up = Rect(r.Left, r.Top, r.Right, m);
    TRect down = Rect(r.Left, m + 1, r.Right, r.Bottom);
    const bool disabled = state == TButtonState::bsDisabled;
    switch (look) {
    case TButtonLook::blTheme:
        DrawThemed(canvas, window, "spin", SPNP_UP, disabled ? UPS_DISABLED : UPS_NORMAL, up);
        DrawThemed(canvas, window, "spin", SPNP_DOWN, disabled ? DNS_DISABLED : DNS_NORMAL, down);
        break;
    case TButtonLook::blClassic:
    case TButtonLook::blFlat: {
        const unsigned extra = (disabled ? DFCS_INACTIVE : 0u) | (look == TButtonLook::blFlat ? DFCS_FLAT : 0u);
        DrawFrameControl(canvas, up, DFC_SCROLL, DFCS_SCROLLUP | extra);
        DrawFrameControl(canvas, down, DFC_SCROLL, DFCS_SCROLLDOWN | extra);
        break;
    }
    case TButtonLook::blColored: {
        const TColor face = ToneOf(tones, state).BrushColor;
        FillSolid(canvas, up, face);
        FillSolid(canvas, down, face);
        SetFillColor(canvas, clBlack);
        canvas.Polygon({{up.Left + 5, up.Top + 5}, {up.Left + 9, up.Top + 5}, {up.Left + 7, up.Top + 3}});
        const int dm = down.Top;
        canvas.Polygon({{down.Left + 5, dm + 1}, {down.Left + 9, dm + 1}, {down.Left + 7, dm + 3}});
        break;
    }
    }
}

// ---- Progress and value displays -------------------------------------------------------

void ProgressBarText(double position, double minimum, double maximum, const String& format, String& text,
                     int& percent)
{
    if (format.isEmpty()) {
        const long rounded = std::lround(position);
        text = QString::number(rounded) + "%";
        percent = int(std::clamp<long>(rounded, 0, 100));
        return;
    }
    try {
        if (format.contains('d') || format.contains('u'))
            text = Format(format, {QVariant::fromValue<qlonglong>(std::llround(position))});
        else
            text = Format(format, {position});
    } catch (const std::exception&) {
        text = QString::number(position);
    }
    // An empty range has nothing to fill: 0 % rather than a division by zero.
    const double extent = maximum - minimum;
    const long p = extent == 0 ? 0 : std::lround((position - minimum) * 100.0 / extent);
    percent = int(std::clamp<long>(p, 0, 100));
}

void DrawProgressBar(TCanvas& canvas, TRect rect, TColor fillColor, TColor fillTextColor, TColor restColor,
                     TColor restTextColor, double position, int marginX, int marginY, double minimum,
                     double maximum, const String& format, TColor borderColor, bool print)
{
    const TColor entryBrush = canvas.Brush()->Color();
    String text;
    int percent = 0;
    ProgressBarText(position, minimum, maximum, format, text, percent);

    const TRect r = Rect(rect.Left + marginX, rect.Top + marginY, rect.Right - marginX, rect.Bottom - marginY);
    const int split = r.Left + int(std::lround(r.Width() * percent / 100.0));
    const TSize extent = canvas.TextExtent(text);
    const int tx = r.Left + (r.Width() - extent.cx) / 2;
    const int ty = print ? r.Top + (r.Height() + extent.cy) / 2 : r.Top + (r.Height() - extent.cy) / 2;

    const TColor oldFont = canvas.Font()->Color();
    auto part = [&](const TRect& pr, TColor back, TColor fore) {
        if (pr.IsEmpty()) return;
        FillSolid(canvas, pr, back);
        canvas.SetClipRect(pr);
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        canvas.Font()->SetColor(fore);
        canvas.TextOut(tx, ty, text);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.SetClipRect(TRect());
    };
    part(Rect(r.Left, r.Top, split, r.Bottom), fillColor, fillTextColor);
    part(Rect(split, r.Top, r.Right, r.Bottom), restColor, restTextColor);
    canvas.Font()->SetColor(oldFont);

    TRect frame = Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    if (borderColor != clNone) {
        canvas.Brush()->SetColor(borderColor);
        canvas.FrameRect(frame);
    }
    frame = Rect(frame.Left - 1, frame.Top - 1, frame.Right + 1, frame.Bottom + 1);
    canvas.Brush()->SetColor(entryBrush);
    if (entryBrush != clNone) canvas.FrameRect(frame);
}

namespace {

void FillBar(TCanvas& canvas, const TRect& r, TColor color, TColor colorTo, const TProgressStyleRecord& s)
{
    if (r.IsEmpty()) return;
    if (!s.ShowGradient || colorTo == clNone) {
        FillSolid(canvas, r, color);
        return;
    }
    // Two halves across the bar: towards the colour and back.
    if (s.Vertical) {
        const int half = r.Left + r.Width() / 2;
        DrawGradientRect(canvas, colorTo, color, s.Steps, Rect(r.Left, r.Top, half, r.Bottom), true);
        DrawGradientRect(canvas, color, colorTo, s.Steps, Rect(half, r.Top, r.Right, r.Bottom), true);
    } else {
        const int half = r.Top + r.Height() / 2;
        DrawGradientRect(canvas, colorTo, color, s.Steps, Rect(r.Left, r.Top, r.Right, half), false);
        DrawGradientRect(canvas, color, colorTo, s.Steps, Rect(r.Left, half, r.Right, r.Bottom), false);
    }
}

} // namespace

void DrawStyledProgressBar(TCanvas& canvas, TRect rect, int percent, const TProgressStyleRecord& s)
{
    percent = std::clamp(percent, 0, 100);
    const TColor outline = s.ShowBorder ? s.BorderColor : s.BackgroundColor;
    auto drawOutline = [&] {
        if (outline == clNone) return;
        canvas.Brush()->SetColor(outline);
        canvas.FrameRect(rect);
    };
    FillSolid(canvas, rect, s.BackgroundColor);
    drawOutline();
    const int L = (s.Vertical ? rect.Height() : rect.Width()) - 2;
    // A segment from a to b pixels along the bar, one pixel inside the outline.
    auto segment = [&](int from, int to, int inset) {
        if (s.Vertical)
            return Rect(rect.Left + inset, rect.Bottom - 1 - to, rect.Right - inset, rect.Bottom - 1 - from);
        return Rect(rect.Left + 1 + from, rect.Top + inset, rect.Left + 1 + to, rect.Bottom - inset);
    };
    auto px = [L](int perc) { return int(std::lround(L * perc / 100.0)); };

    if (percent > 0 && s.Stacked) {
        const int p1 = std::min(percent, s.Level1Perc);
        FillBar(canvas, segment(0, px(p1), 1), s.Level0Color, s.Level0ColorTo, s);
        if (percent >= s.Level1Perc) {
            const int p2 = std::min(percent, s.Level2Perc);
            FillBar(canvas, segment(px(s.Level1Perc), px(p2), 1), s.Level1Color, s.Level1ColorTo, s);
            if (percent >= s.Level2Perc) {
                const int end = percent >= 100 ? L : px(percent);
                FillBar(canvas, segment(px(s.Level2Perc), end, 1), s.Level3Color, s.Level3ColorTo, s);
            }
        }
    } else if (percent > 0) {
        TColor c = s.Level2Color, ct = s.Level2ColorTo;
        if (percent < s.Level1Perc) {
            c = s.Level0Color;
            ct = s.Level0ColorTo;
        } else if (percent < s.Level2Perc) {
            c = s.Level1Color;
            ct = s.Level1ColorTo;
        } else if (percent > 99) {
            c = s.Level3Color;
            ct = s.Level3ColorTo;
        }
        if (s.CompletionSmooth) {
            FillBar(canvas, segment(0, px(percent), 1), c, ct, s);
        } else {
            const int b = px(percent);
            if (b > 9) {
                for (int i = 0; i < b / 9; ++i) FillBar(canvas, segment(1 + i * 9, 1 + i * 9 + 7, 2), c, ct, s);
                if (b % 9 > 2) {
                    const int start = 1 + (b / 9) * 9;
                    FillBar(canvas, segment(start, start + b % 9 - 1, 2), c, ct, s);
                }
            } else if (b >= 2) {
                FillBar(canvas, segment(1, b, 2), c, ct, s);
            }
        }
    }
    if (s.ShowPercentage) {
        TFont font;
        if (s.Font) font.Assign(s.Font);
        font.SetColor(s.CompleteFontColor);
        if (s.Vertical) font.SetOrientation(900);
        canvas.SetFont(&font);
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        const String text = QString::number(percent) + "%";
        const TSize e = canvas.TextExtent(text);
        if (s.Vertical)
            canvas.TextOut(rect.Left + (rect.Width() - e.cy) / 2, rect.Top + (rect.Height() + e.cx) / 2, text);
        else
            canvas.TextOut(rect.Left + (rect.Width() - e.cx) / 2, rect.Top + (rect.Height() - e.cy) / 2, text);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
    drawOutline();
}

void DrawProgressPie(TCanvas& canvas, TRect rect, TColor fillColor, int percent, bool upward)
{
    const TColor grey = RGB(128, 128, 128);
    canvas.Pen()->SetColor(grey);
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Ellipse(rect);
    const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
    canvas.MoveTo(cx, rect.Top);
    canvas.LineTo(cx, cy);
    const double angle = percent / 100.0 * 2 * M_PI;
    const int ex = cx + int(std::lround(std::sin(angle) * (rect.Width() + 1) / 2.0));
    const int ey = cy - int(std::lround(std::cos(angle) * (rect.Height() + 1) / 2.0));
    canvas.MoveTo(cx, cy);
    canvas.LineTo(ex, ey);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    if (percent != 0 && fillColor != clNone) {
        canvas.Brush()->SetColor(fillColor);
        canvas.FloodFill(cx + 1, upward ? cy - 2 : rect.Top + 2, grey, TFillStyle::fsBorder);
    }
}

void DrawCenteredValueBar(TCanvas& canvas, TRect rect, int value, int maximum, bool showValue,
                          TColor negativeColor, TColor positiveColor)
{
    const TRect r = Rect(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
    // A range without extent has no bar to scale.
    if (maximum > 0 && !r.IsEmpty()) {
        value = std::clamp(value, -maximum, maximum);
        const int mid = r.Left + r.Width() / 2;
        const int len = int(std::lround(double(r.Width() / 2) * value / maximum));
        if (len > 0) FillSolid(canvas, Rect(mid, r.Top, mid + len, r.Bottom), positiveColor);
        if (len < 0) FillSolid(canvas, Rect(mid + len, r.Top, mid, r.Bottom), negativeColor);
    }
    if (showValue) {
        // The value stands centred over the bar, where it reads best.
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        const String text = QString::number(value);
        const TSize e = canvas.TextExtent(text);
        canvas.TextOut(rect.Left + (rect.Width() - e.cx) / 2, rect.Top + (rect.Height() - e.cy) / 2, text);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
}

// ---- Shapes, marks and bitmaps -------------------------------------------------------------

namespace {

std::vector<TPoint> StarPoints(int x, int y, int w, int h)
{
    std::vector<TPoint> pts;
    const double cx = x + w / 2.0, cy = y + h / 2.0;
    for (int i = 0; i < 10; ++i) {
        const double a = i * 36.0 * M_PI / 180.0;
        const double rx = (i % 2 == 0) ? w / 2.0 : w / 6.0;
        const double ry = (i % 2 == 0) ? h / 2.0 : h / 6.0;
        pts.push_back({int(std::lround(cx + rx * std::sin(a))), int(std::lround(cy - ry * std::cos(a)))});
    }
    return pts;
}

} // namespace

void DrawCellShape(TCanvas& canvas, int x, int y, int w, int h, TCellShape shape, TColor brushColor,
                   TColor penColor)
{
    if (shape == TCellShape::csCircle || shape == TCellShape::csSquare || shape == TCellShape::csRoundSquare)
        w = h = std::min(w, h);
    canvas.Brush()->SetStyle(brushColor == clNone ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(brushColor);
    canvas.Pen()->SetColor(penColor);
    canvas.Pen()->SetStyle(penColor == clNone ? TPenStyle::psClear : TPenStyle::psSolid);
    const int hw = w / 2, hh = h / 2;
    switch (shape) {
    case TCellShape::csRectangle:
    case TCellShape::csSquare: canvas.Rectangle(x + 1, y + 1, x + w - 1, y + h - 1); break;
    case TCellShape::csCircle:
    case TCellShape::csEllips: canvas.Ellipse(x, y, x + w, y + h); break;
    case TCellShape::csTriangleLeft: canvas.Polygon({{x + w, y}, {x + w, y + h}, {x, y + hh}}); break;
    case TCellShape::csTriangleRight: canvas.Polygon({{x, y}, {x, y + h}, {x + w, y + hh}}); break;
    case TCellShape::csTriangleUp: canvas.Polygon({{x, y + h}, {x + w, y + h}, {x + hw, y}}); break;
    case TCellShape::csTriangleDown: canvas.Polygon({{x, y}, {x + w, y}, {x + hw, y + h}}); break;
    case TCellShape::csDiamond: canvas.Polygon({{x, y + hh}, {x + hw, y}, {x + w, y + hh}, {x + hw, y + h}}); break;
    case TCellShape::csLineVert: canvas.Rectangle(x + hw, y, x + hw + 1, y + h); break;
    case TCellShape::csLineHorz: canvas.Rectangle(x, y + hh, x + w, y + hh + 1); break;
    case TCellShape::csRoundRect:
    case TCellShape::csRoundSquare: canvas.RoundRect(x, y, x + w, y + h, 10, 10); break;
    case TCellShape::csStar: canvas.Polygon(StarPoints(x, y, w, h)); break;
    case TCellShape::csHalfStar: {
        const std::vector<TPoint> s = StarPoints(x, y, w, h);
        // Top, the inner point below the centre, then the left side's outer and inner points.
        canvas.Polygon({s[0], s[5], s[6], s[7], s[8], s[9]});
        break;
    }
    case TCellShape::csArrowUp:
    case TCellShape::csArrowDown:
    case TCellShape::csArrowLeft:
    case TCellShape::csArrowRight: {
        const bool vertical = shape == TCellShape::csArrowUp || shape == TCellShape::csArrowDown;
        const int across = vertical ? w : h;
        const int q = (across / 2 * 2) / 4;
        if (shape == TCellShape::csArrowUp)
            canvas.Polygon({{x, y + hh}, {x + hw, y}, {x + w, y + hh}, {x + 3 * q, y + hh}, {x + 3 * q, y + h},
                            {x + q, y + h}, {x + q, y + hh}});
        else if (shape == TCellShape::csArrowDown)
            canvas.Polygon({{x, y + hh}, {x + hw, y + h}, {x + w, y + hh}, {x + 3 * q, y + hh}, {x + 3 * q, y},
                            {x + q, y}, {x + q, y + hh}});
        else if (shape == TCellShape::csArrowLeft)
            canvas.Polygon({{x + hw, y}, {x, y + hh}, {x + hw, y + h}, {x + hw, y + 3 * q}, {x + w, y + 3 * q},
                            {x + w, y + q}, {x + hw, y + q}});
        else
            canvas.Polygon({{x + hw, y}, {x + w, y + hh}, {x + hw, y + h}, {x + hw, y + 3 * q}, {x, y + 3 * q},
                            {x, y + q}, {x + hw, y + q}});
        break;
    }
    }
    canvas.Pen()->SetStyle(TPenStyle::psSolid);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void DrawMarkerTriangle(TCanvas& canvas, int x, int y, TColor color)
{
    if (color == clNone) return;
    SetFillColor(canvas, color);
    canvas.Polygon({{x - 3, y}, {x + 3, y}, {x, y + 3}});
}

void DrawErrorUnderline(TCanvas& canvas, const String& text, TRect rect, int verticalOffset, int start, int length)
{
    if (start < 0 || length <= 0) return;
    // Positions as a single-line edit shows the text: the canvas font, from the left edge.
    auto xAt = [&](int index) {
        if (index >= text.size()) return canvas.TextWidth(text) + 4;
        return canvas.TextWidth(text.left(index));
    };
    const int x1 = rect.Left + xAt(start);
    const int x2 = rect.Left + xAt(std::min<int>(start + length, int(text.size())));
    const int base = rect.Top + canvas.TextHeight("gh") - 3 + 3 + verticalOffset;
    const TColor oldPen = canvas.Pen()->Color();
    const int oldWidth = canvas.Pen()->Width();
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(2);
    std::vector<TPoint> zig;
    bool up = false;
    for (int x = x1; x <= x2 + 3; x += 3) {
        zig.push_back({x, up ? base - 3 : base});
        up = !up;
    }
    if (zig.size() > 1) canvas.Polyline(zig);
    canvas.Pen()->SetColor(oldPen);
    canvas.Pen()->SetWidth(oldWidth);
}

void DrawBitmapTransparent(TCanvas& canvas, TBitmap& bitmap, TColor background, const TRect& rect)
{
    if (bitmap.Empty()) return;
    QImage copy = bitmap.Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = copy.pixel(0, 0);
    const QRgb fill = background == clNone ? qRgba(0, 0, 0, 0) : ToQColor(background).rgba();
    for (int y = 0; y < copy.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            if (line[x] == key) line[x] = fill;
    }
    TBitmap shown;
    shown.SetImage(copy);
    canvas.Draw(rect.Left, rect.Top, &shown);
}

bool DrawResourceBitmap(TCanvas& canvas, TColor background, const TRect& rect, const String& name)
{
    RegisterGridBitmaps();
    TBitmap bitmap;
    if (!bitmap.LoadFromResourceName(name)) return false;
    DrawBitmapTransparent(canvas, bitmap, background, rect);
    return true;
}

// ---- Layered windows ---------------------------------------------------------------------------

bool CallUpdateLayeredWindow(TWinControl* window, const QImage& image, int alpha)
{
    if (!window || image.isNull()) return true;
    if (QWidget* w = window->Handle()) {
        w->setWindowOpacity(alpha / 255.0);
        w->resize(image.size());
    }
    return true;
}

bool CallSetLayeredWindowAttributes(TWinControl* window, TColor, int alpha, unsigned)
{
    if (window)
        if (QWidget* w = window->Handle()) w->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
    return true;
}
