#include "grid/support/ZvDropDownDraw.h"

#include "grid/support/ZvHTMLUtil.h"
#include "platform/DrawText.h"
#include "platform/ImgList.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearest integer, halves to the even neighbour.
int RoundEven(double v) { return int(std::nearbyint(v)); }

int ClampChannel(int v) { return std::clamp(v, 0, 255); }

}  // namespace

void DrawDropDownGradient(TCanvas& canvas, TColor fromColor, TColor toColor, bool horizontal, const TRect& rect,
                          int steps)
{
    if (steps <= 0) steps = 1;
    const TColor from = ColorToRGB(fromColor);
    const TColor to = ColorToRGB(toColor);
    TRect r = rect;
    if (horizontal) --r.Right;
    else --r.Bottom;
    const double extent = horizontal ? r.Width() : r.Height();
    const double band = extent / steps;
    const double incR = (double(GetRValue(to)) - GetRValue(from)) / steps;
    const double incG = (double(GetGValue(to)) - GetGValue(from)) / steps;
    const double incB = (double(GetBValue(to)) - GetBValue(from)) / steps;
    const int bandSize = RoundEven(band);
    for (int i = 0; i < steps; ++i) {
        const TColor c = RGB(unsigned(ClampChannel(int(GetRValue(from)) + RoundEven(i * incR))),
                             unsigned(ClampChannel(int(GetGValue(from)) + RoundEven(i * incG))),
                             unsigned(ClampChannel(int(GetBValue(from)) + RoundEven(i * incB))));
        canvas.Pen()->SetColor(c);
        canvas.Pen()->SetStyle(TPenStyle::psSolid);
        canvas.Pen()->SetWidth(1);
        canvas.Brush()->SetColor(c);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        const int offset = RoundEven(i * band);
        if (horizontal)
            canvas.Rectangle(r.Left + offset, r.Top, r.Left + offset + bandSize + 1, r.Bottom);
        else
            canvas.Rectangle(r.Left, r.Top + offset, r.Right, r.Top + offset + bandSize + 1);
    }
}

void DrawGradientRect(TCanvas* canvas, const TRect& rect, TColor color, bool vertical, int borderWidth,
                      TColor borderColor, TColor colorTo)
{
    if (!canvas) return;
    if (colorTo != clNone) {
        DrawDropDownGradient(*canvas, color, colorTo, !vertical, rect, 80);
    } else if (color != clNone) {
        canvas->Brush()->SetColor(color);
        canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas->FillRect(rect);
    }
    if (borderColor != clNone && borderWidth > 0) {
        canvas->Pen()->SetColor(borderColor);
        canvas->Pen()->SetWidth(borderWidth);
        canvas->Pen()->SetStyle(TPenStyle::psSolid);
        canvas->Brush()->SetStyle(TBrushStyle::bsClear);
        canvas->Rectangle(rect);
    }
}

TColor BlendColors(TColor a, TColor b, int percent)
{
    if (percent >= 100) return a;
    if (percent <= 0) return b;
    const TColor ca = ColorToRGB(a), cb = ColorToRGB(b);
    const double p = percent / 100.0;
    auto mix = [p](unsigned x, unsigned y) { return unsigned(ClampChannel(RoundEven(p * x + (1 - p) * y))); };
    return RGB(mix(GetRValue(ca), GetRValue(cb)), mix(GetGValue(ca), GetGValue(cb)), mix(GetBValue(ca), GetBValue(cb)));
}

TColor ScaleColor(TColor color, int redPercent, int greenPercent, int bluePercent)
{
    const TColor c = ColorToRGB(color);
    // Each channel is kept within 0-255, so strong shading saturates instead of wrapping.
    auto scale = [](unsigned channel, int percent) {
        if (channel == 0) return unsigned(ClampChannel(std::max(0, percent)));
        return unsigned(ClampChannel(RoundEven(std::min(100, 100 + percent) / 100.0 * channel)));
    };
    return RGB(scale(GetRValue(c), redPercent), scale(GetGValue(c), greenPercent), scale(GetBValue(c), bluePercent));
}

void DrawImageAndText(TCanvas* canvas, const TRect& rect, const String& text, int imageIndex,
                      TCustomImageList* images)
{
    if (!canvas) return;
    TRect textRect = rect;
    bool imageDrawn = false;
    if (imageIndex >= 0 && images) {
        const int y = rect.Top + (rect.Height() - images->Height()) / 2;
        images->Draw(*canvas, rect.Left + 4, y, imageIndex, true);
        textRect.Left = rect.Left + images->Width() + 8;
        imageDrawn = true;
    }
    if (text.isEmpty()) return;
    unsigned format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!imageDrawn) format |= DT_CENTER;
    DrawText(*canvas, text, textRect, format);
}

void DrawTransparentBitmap(TCanvas& canvas, TBitmap& bitmap, TColor background, const TRect& rect)
{
    if (bitmap.Empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap picture(w, h);
    picture.Canvas()->Brush()->SetColor(background);
    picture.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
    picture.Canvas()->FillRect(Rect(0, 0, w, h));

    TBitmap source;
    source.Assign(&bitmap);
    source.SetTransparentColor(source.Canvas()->Pixels(0, 0));
    source.SetTransparent(true);
    picture.Canvas()->Draw(0, 0, &source);

    // Only what both the picture and the rectangle hold is copied.
    const int cw = std::min(w, rect.Width()), ch = std::min(h, rect.Height());
    if (cw <= 0 || ch <= 0) return;
    const TCopyMode saved = canvas.CopyMode();
    canvas.SetCopyMode(TCopyMode::cmSrcCopy);
    canvas.CopyRect(Bounds(rect.Left, rect.Top, cw, ch), *picture.Canvas(), Rect(0, 0, cw, ch));
    canvas.SetCopyMode(saved);
}

TSize MeasureSingleLine(TCanvas& canvas, const String& text)
{
    if (text.isEmpty()) return {0, 0};
    TRect r = Rect(0, 0, 1000, 500);
    DrawText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE);
    return {r.Width(), r.Height()};
}

String FitTextToWidth(TCanvas& canvas, const String& text, int maxWidth, bool ellipsis)
{
    if (canvas.TextWidth(text) <= maxWidth) return text;
    const String tail = ellipsis ? QStringLiteral("...") : String();
    for (qsizetype keep = text.size() - 1; keep >= 1; --keep) {
        const String head = text.left(keep) + tail;
        if (canvas.TextWidth(head) < maxWidth) return head;
    }
    return text;
}

TSize DrawItemHTML(TCanvas& canvas, const String& text, const TRect& rect, TCustomImageList* images,
                   bool measureOnly)
{
    (void)images;
    if (text.isEmpty()) return {0, 0};
    // Captions are drawn as their plain text, line breaks kept, until the
    // markup renderer takes over this call.
    const String plain = HTMLUnescape(StripHTMLTags(text), true);
    TRect measured = rect;
    DrawText(canvas, plain, measured, DT_CALCRECT | DT_NOPREFIX);
    if (!measureOnly) {
        TRect target = rect;
        const TBrushStyle saved = canvas.Brush()->Style();
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        DrawText(canvas, plain, target, DT_NOPREFIX);
        canvas.Brush()->SetStyle(saved);
    }
    return {measured.Width(), measured.Height()};
}

bool IsListSeparator(QChar c) { return c == u',' || c == u'-' || c == u';'; }

int HexDigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    return 0;
}

int HexTextToInt(const String& text)
{
    std::uint32_t value = 0;
    for (QChar c : text) value = value * 16u + std::uint32_t(HexDigitValue(c));
    return int(value);
}

String ApplyCaseRule(const String& text, bool keepCase) { return keepCase ? text : text.toUpper(); }
