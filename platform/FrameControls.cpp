#include "platform/FrameControls.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Paints solid pixels in resolved colours through the canvas's painter,
// leaving the canvas's own pen, brush and raster mode as they were: the
// platform's frame routines never change what the caller has selected.
class Ink {
public:
    // Nothing reaches beyond `limit`: a picture stays within the rectangle it was given.
    Ink(TCanvas& canvas, const TRect& limit) : FPainter(canvas.Painter())
    {
        if (!FPainter) return;
        FPainter->save();
        FPainter->setRenderHint(QPainter::Antialiasing, false);
        FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        FPainter->setPen(Qt::NoPen);
        FPainter->setBrush(Qt::NoBrush);
        FPainter->setClipRect(limit.ToQRect(), Qt::IntersectClip);
    }
    ~Ink()
    {
        if (FPainter) FPainter->restore();
    }
    Ink(const Ink&) = delete;
    Ink& operator=(const Ink&) = delete;

    explicit operator bool() const { return FPainter != nullptr; }
    QPainter& Painter() const { return *FPainter; }

    void Fill(const TRect& r, TColor color) const
    {
        if (!r.IsEmpty() && color != clNone) FPainter->fillRect(r.ToQRect(), ToQColor(color));
    }
    // The platform's 50 % grey of a pushed or indeterminate face: a checkerboard of two colours.
    void Checker(const TRect& r, TColor a, TColor b) const
    {
        if (r.IsEmpty()) return;
        Fill(r, b);
        QBrush dots(ToQColor(a), Qt::Dense4Pattern);
        FPainter->setBrushOrigin(r.Left, r.Top);
        FPainter->fillRect(r.ToQRect(), dots);
    }
    void Image(int x, int y, const QImage& image) const { FPainter->drawImage(QPoint(x, y), image); }

private:
    QPainter* FPainter;
};

// One ring of an edge, one pixel wide. The right and bottom lines own the
// corners they share with the top and left ones, as the platform draws them.
void Ring(const Ink& ink, TRect& r, TColor topLeft, TColor bottomRight, unsigned sides)
{
    if (r.IsEmpty()) return;
    const bool left = sides & BF_LEFT, top = sides & BF_TOP, right = sides & BF_RIGHT, bottom = sides & BF_BOTTOM;
    if (top) ink.Fill({r.Left, r.Top, r.Right - (right ? 1 : 0), r.Top + 1}, topLeft);
    if (left) ink.Fill({r.Left, r.Top, r.Left + 1, r.Bottom - (bottom ? 1 : 0)}, topLeft);
    if (right) ink.Fill({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
    if (bottom) ink.Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    if (left) ++r.Left;
    if (top) ++r.Top;
    if (right) --r.Right;
    if (bottom) --r.Bottom;
}

struct RingColors {
    TColor topLeft;
    TColor bottomRight;
};

// Classic 3-D colours: a raised border is lit from the top left, a sunken one
// from the bottom right; the outer ring is the darker of each pair. A soft
// raised edge swaps the lit colours so the outermost line is the brightest.
RingColors OuterColors(unsigned edge, unsigned flags)
{
    if (flags & BF_MONO) return {clWindowFrame, clWindowFrame};
    if (flags & BF_FLAT) return {clBtnShadow, clBtnShadow};
    if (edge & BDR_RAISEDOUTER) return {(flags & BF_SOFT) ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {clBtnShadow, clBtnHighlight};
}

RingColors InnerColors(unsigned edge, unsigned flags)
{
    if (flags & BF_MONO) return {clWindow, clWindow};
    if (flags & BF_FLAT) return {clBtnFace, clBtnFace};
    if (edge & BDR_RAISEDINNER) return {(flags & BF_SOFT) ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {cl3DDkShadow, cl3DLight};
}

// A diagonal edge: the line from one corner to the opposite one, the sides in
// the flags naming the corner it ends in. A line facing up takes the lit
// colours, one facing down the shaded ones; the inner line runs beside the
// outer one, a pixel further right for a rising line and further left for a
// falling one.
void DiagonalEdge(const Ink& ink, const TRect& r, unsigned edge, unsigned flags)
{
    if (r.IsEmpty()) return;
    const bool endsTop = flags & BF_TOP, endsRight = flags & BF_RIGHT;
    const QPoint start(endsRight ? r.Left : r.Right - 1, endsTop ? r.Bottom - 1 : r.Top);
    const QPoint end(endsRight ? r.Right - 1 : r.Left, endsTop ? r.Top : r.Bottom - 1);
    auto line = [&](TColor color, int shift) {
        if (color == clNone) return;
        QPainter& p = ink.Painter();
        p.setPen(QPen(ToQColor(color), 1));
        const QPoint offset(endsRight == endsTop ? shift : -shift, 0);
        p.drawLine(start + offset, end + offset);
        p.setPen(Qt::NoPen);
    };
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        const RingColors c = OuterColors(edge, flags);
        line(endsTop ? c.topLeft : c.bottomRight, 0);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        const RingColors c = InnerColors(edge, flags);
        line(endsTop ? c.topLeft : c.bottomRight, 1);
    }
}

// The largest square centred in `r`.
TRect CenteredSquare(const TRect& r)
{
    const int side = std::max(0, std::min(r.Width(), r.Height()));
    const int left = r.Left + (r.Width() - side) / 2, top = r.Top + (r.Height() - side) / 2;
    return {left, top, left + side, top + side};
}

// ---- Check box ---------------------------------------------------------------------

// The classic tick, three pixels thick at the usual 7-pixel size: down from
// the left to a valley at two sevenths of its width, then up to the top right.
void CheckMark(const Ink& ink, const TRect& box, TColor color)
{
    const int m = std::min(box.Width(), box.Height());
    if (m < 3) return;
    const int thick = std::max(1, (m * 3 + 3) / 7);
    const int valley = std::max(1, (m * 2 + 3) / 7);
    const int valleyTop = m - thick;
    const int rise = std::max(1, m - 1 - valley);
    for (int x = 0; x < m; ++x) {
        const int top = x <= valley ? valleyTop - (valley - x) : valleyTop - ((x - valley) * valleyTop + rise / 2) / rise;
        ink.Fill({box.Left + x, box.Top + top, box.Left + x + 1, box.Top + top + thick}, color);
    }
}

void DrawCheckBox(const Ink& ink, const TRect& rect, unsigned state)
{
    TRect box = CenteredSquare(rect);
    if (state & DFCS_MONO) Ring(ink, box, clWindowFrame, clWindowFrame, BF_RECT);
    else if (state & DFCS_FLAT) Ring(ink, box, clBtnShadow, clBtnShadow, BF_RECT);
    else {
        Ring(ink, box, clBtnShadow, clBtnHighlight, BF_RECT);
        Ring(ink, box, cl3DDkShadow, cl3DLight, BF_RECT);
    }
    const bool checked = state & DFCS_CHECKED;
    const bool mixed = checked && (state & DFCS_BUTTON3STATE);
    const bool dimmed = state & (DFCS_PUSHED | DFCS_INACTIVE);
    if (mixed && !(state & DFCS_MONO)) ink.Checker(box, clBtnHighlight, clBtnFace);
    else if (dimmed && !(state & DFCS_MONO)) ink.Fill(box, clBtnFace);
    else if (!(state & DFCS_TRANSPARENT)) ink.Fill(box, clWindow);
    if (!checked) return;
    const int margin = std::max(1, box.Width() / 8);
    const TColor ink3 = (mixed || (state & DFCS_INACTIVE)) ? clBtnShadow : clWindowText;
    CheckMark(ink, {box.Left + margin, box.Top + margin, box.Right - margin, box.Bottom - margin}, ink3);
}

// ---- Radio button ------------------------------------------------------------------

// Fills a circle of `side` pixels inset by `inset`, split along the
// anti-diagonal into a lit top-left and a shaded bottom-right half.
void Disc(QPainter& p, int side, int inset, TColor topLeft, TColor bottomRight)
{
    const QRectF circle(inset, inset, side - 2 * inset, side - 2 * inset);
    if (circle.width() <= 0) return;
    QPainterPath disc;
    disc.addEllipse(circle);
    QPainterPath upper;
    upper.addPolygon(QPolygonF({QPointF(0, 0), QPointF(side, 0), QPointF(0, side)}));
    upper.closeSubpath();
    p.fillPath(disc, ToQColor(bottomRight));
    if (topLeft != bottomRight) p.fillPath(disc.intersected(upper), ToQColor(topLeft));
}

QImage RadioImage(int side, unsigned state)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    if ((state & 0x1F) == DFCS_BUTTONRADIOMASK) {
        // The mask of the picture: the round shape in black on white.
        p.fillRect(image.rect(), Qt::white);
        Disc(p, side, 0, clBlack, clBlack);
        return image;
    }
    int inset = 0;
    if (state & DFCS_MONO) Disc(p, side, inset++, clWindowFrame, clWindowFrame);
    else if (state & DFCS_FLAT) Disc(p, side, inset++, clBtnShadow, clBtnShadow);
    else {
        Disc(p, side, inset++, clBtnShadow, clBtnHighlight);
        Disc(p, side, inset++, cl3DDkShadow, cl3DLight);
    }
    const bool dimmed = (state & (DFCS_PUSHED | DFCS_INACTIVE)) && !(state & DFCS_MONO);
    const TColor face = dimmed ? clBtnFace : clWindow;
    Disc(p, side, inset, face, face);
    if (state & DFCS_CHECKED) {
        const TColor dot = (state & DFCS_INACTIVE) ? clBtnShadow : clWindowText;
        Disc(p, side, std::max(inset + 1, (side * 5 + 8) / 16), dot, dot);
    }
    return image;
}

void DrawRadio(const Ink& ink, const TRect& rect, unsigned state)
{
    const TRect box = CenteredSquare(rect);
    if (box.IsEmpty()) return;
    ink.Image(box.Left, box.Top, RadioImage(box.Width(), state));
}

// ---- Push button -------------------------------------------------------------------

void DrawPushButton(const Ink& ink, TRect& rect, unsigned state)
{
    TRect r = rect;
    const bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    if (state & DFCS_MONO) Ring(ink, r, clWindowFrame, clWindowFrame, BF_RECT);
    else if (state & DFCS_FLAT) Ring(ink, r, clBtnShadow, clBtnShadow, BF_RECT);
    else if (down) {
        Ring(ink, r, cl3DDkShadow, clBtnHighlight, BF_RECT);
        Ring(ink, r, clBtnShadow, cl3DLight, BF_RECT);
    } else {
        Ring(ink, r, clBtnHighlight, cl3DDkShadow, BF_RECT);
        Ring(ink, r, cl3DLight, clBtnShadow, BF_RECT);
    }
    if (!(state & DFCS_TRANSPARENT)) {
        if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED)) ink.Checker(r, clBtnHighlight, clBtnFace);
        else ink.Fill(r, (state & DFCS_MONO) ? clWindow : clBtnFace);
    }
    if (state & DFCS_ADJUSTRECT) rect = r;
}

// ---- Arrows and caption glyphs -----------------------------------------------------

enum class Direction { Up, Down, Left, Right };

// A solid triangle of `rows` lines, its point towards `dir`, centred on (cx, cy).
void Arrow(const Ink& ink, int cx, int cy, int rows, Direction dir, TColor color)
{
    for (int k = 0; k < rows; ++k) {
        const int half = rows - 1 - k;   // the line k steps from the base
        const int along = k - rows / 2;
        switch (dir) {
        case Direction::Down: ink.Fill({cx - half, cy + along, cx + half + 1, cy + along + 1}, color); break;
        case Direction::Up: ink.Fill({cx - half, cy - along, cx + half + 1, cy - along + 1}, color); break;
        case Direction::Right: ink.Fill({cx + along, cy - half, cx + along + 1, cy + half + 1}, color); break;
        case Direction::Left: ink.Fill({cx - along, cy - half, cx - along + 1, cy + half + 1}, color); break;
        }
    }
}

// Draws a glyph in the button text colour, or embossed (a light copy one
// pixel down and right under a shaded one) when the control is inactive.
template <typename Glyph>
void Emboss(unsigned state, Glyph glyph)
{
    if (state & DFCS_INACTIVE) {
        glyph(1, clBtnHighlight);
        glyph(0, clBtnShadow);
    } else
        glyph(0, clBtnText);
}

// The face and frame of an arrow or caption button; returns the inside.
TRect ButtonFace(const Ink& ink, const TRect& rect, unsigned state, bool soft)
{
    TRect r = rect;
    if (state & DFCS_MONO) Ring(ink, r, clWindowFrame, clWindowFrame, BF_RECT);
    else if (state & (DFCS_FLAT | DFCS_PUSHED)) {
        Ring(ink, r, clBtnShadow, clBtnShadow, BF_RECT);
        if (!(state & DFCS_FLAT)) Ring(ink, r, clBtnFace, clBtnFace, BF_RECT);
    } else {
        Ring(ink, r, soft ? clBtnHighlight : cl3DLight, cl3DDkShadow, BF_RECT);
        Ring(ink, r, soft ? cl3DLight : clBtnHighlight, clBtnShadow, BF_RECT);
    }
    if (!(state & DFCS_TRANSPARENT)) ink.Fill(r, (state & DFCS_MONO) ? clWindow : clBtnFace);
    return r;
}

void SizeGrip(const Ink& ink, const TRect& rect)
{
    if (rect.IsEmpty()) return;
    QPainter& p = ink.Painter();
    const int side = std::min(rect.Width(), rect.Height());
    const QPoint corner(rect.Right - 1, rect.Bottom - 1);
    // Three ridges, each a light line above two shaded ones.
    for (int d = 3; d + 1 < side; d += 4) {
        const TColor colors[3] = {clBtnHighlight, clBtnShadow, clBtnShadow};
        for (int k = 0; k < 3 && d + k < side; ++k) {
            p.setPen(QPen(ToQColor(colors[k]), 1));
            p.drawLine(corner - QPoint(d + k - 1, 0), corner - QPoint(0, d + k - 1));
        }
    }
    p.setPen(Qt::NoPen);
}

bool DrawScroll(const Ink& ink, TRect& rect, unsigned state)
{
    const unsigned part = state & 0xFF;
    if (part == DFCS_SCROLLSIZEGRIP) {
        if (!(state & DFCS_TRANSPARENT)) ink.Fill(rect, clBtnFace);
        SizeGrip(ink, rect);
        return true;
    }
    Direction dir;
    switch (part) {
    case DFCS_SCROLLUP: dir = Direction::Up; break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX: dir = Direction::Down; break;
    case DFCS_SCROLLLEFT: dir = Direction::Left; break;
    case DFCS_SCROLLRIGHT: dir = Direction::Right; break;
    default: return false;
    }
    ButtonFace(ink, rect, state, false);
    const int side = std::min(rect.Width(), rect.Height());
    const int rows = std::max(1, (side - 4) / 3);
    // A pressed arrow moves one pixel down and right, with its button.
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    const int cx = rect.Left + (rect.Width() - 1) / 2 + shift, cy = rect.Top + (rect.Height() - 1) / 2 + shift;
    Emboss(state, [&](int offset, TColor color) { Arrow(ink, cx + offset, cy + offset, rows, dir, color); });
    return true;
}

// The picture of a caption button, in a square glyph area.
void CaptionGlyph(const Ink& ink, const TRect& g, unsigned part, TColor color)
{
    const int s = g.Width();
    const int t = std::max(1, s / 7);   // stroke width
    switch (part) {
    case DFCS_CAPTIONCLOSE: {
        QPainter& p = ink.Painter();
        QPen pen(ToQColor(color), t);
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        const double a = g.Left + t / 2.0, b = g.Right - 1 - t / 2.0 + (t % 2 ? 0.5 : 0);
        const double c = g.Top + t / 2.0, d = g.Bottom - 1 - t / 2.0 + (t % 2 ? 0.5 : 0);
        p.drawLine(QPointF(a, c), QPointF(b, d));
        p.drawLine(QPointF(b, c), QPointF(a, d));
        p.setPen(Qt::NoPen);
        break;
    }
    case DFCS_CAPTIONMIN: ink.Fill({g.Left, g.Bottom - 2 * t, g.Left + s * 2 / 3, g.Bottom}, color); break;
    case DFCS_CAPTIONMAX: {
        TRect box = g;
        ink.Fill({box.Left, box.Top, box.Right, box.Top + 2 * t}, color);
        Ring(ink, box, color, color, BF_RECT);
        break;
    }
    case DFCS_CAPTIONRESTORE: {
        const int w = s * 2 / 3;
        for (TRect box : {TRect{g.Right - w, g.Top, g.Right, g.Top + w}, TRect{g.Left, g.Bottom - w, g.Left + w, g.Bottom}}) {
            ink.Fill(box, clBtnFace);
            ink.Fill({box.Left, box.Top, box.Right, box.Top + 2 * t}, color);
            Ring(ink, box, color, color, BF_RECT);
        }
        break;
    }
    case DFCS_CAPTIONHELP: {
        // A question mark of strokes, not of a font, so it looks the same everywhere.
        QPainter& p = ink.Painter();
        QPen pen(ToQColor(color), t + 1);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        const double cx = g.Left + s / 2.0;
        const QRectF hook(g.Left + s * 0.2, g.Top + (t + 1) / 2.0, s * 0.6, s * 0.45);
        p.drawArc(hook, 160 * 16, -250 * 16);
        p.drawLine(QPointF(cx, hook.bottom()), QPointF(cx, g.Top + s * 0.72));
        p.setPen(Qt::NoPen);
        ink.Fill({int(cx) - t / 2 - (t + 1) % 2, g.Bottom - t - 1, int(cx) + (t + 2) / 2, g.Bottom}, color);
        break;
    }
    default: break;
    }
}

bool DrawCaption(const Ink& ink, TRect& rect, unsigned state)
{
    const unsigned part = state & 0xFF;
    if (part > DFCS_CAPTIONHELP) return false;
    ButtonFace(ink, rect, state, true);
    const int side = std::min(rect.Width(), rect.Height());
    const int glyph = std::max(3, side - 2 * std::max(3, side / 4));
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    const int left = rect.Left + (rect.Width() - glyph) / 2 + shift, top = rect.Top + (rect.Height() - glyph) / 2 + shift;
    const TRect g{left, top, left + glyph, top + glyph};
    Emboss(state, [&](int offset, TColor color) {
        CaptionGlyph(ink, {g.Left + offset, g.Top + offset, g.Right + offset, g.Bottom + offset}, part, color);
    });
    return true;
}

// One channel at step i of `last`, rounded half away from zero.
TColor Channel(unsigned from, unsigned to, int i, int last)
{
    const int n = (int(to) - int(from)) * i;
    return TColor(int(from) + (2 * n + (n >= 0 ? last : -last)) / (2 * last));
}

} // namespace

// ---- Public routines ---------------------------------------------------------------

bool DrawFrameControl(TCanvas& canvas, TRect& rect, unsigned kind, unsigned state)
{
    Ink ink(canvas, rect);
    if (!ink) return false;
    switch (kind) {
    case DFC_BUTTON: {
        const unsigned type = state & 0x1F;
        if (type & DFCS_BUTTONPUSH) {
            DrawPushButton(ink, rect, state);
            return true;
        }
        if (type == DFCS_BUTTONRADIO || type == DFCS_BUTTONRADIOIMAGE || type == DFCS_BUTTONRADIOMASK) {
            DrawRadio(ink, rect, state);
            return true;
        }
        // A check box, two- or three-state.
        DrawCheckBox(ink, rect, state);
        return true;
    }
    case DFC_SCROLL: return DrawScroll(ink, rect, state);
    case DFC_CAPTION: return DrawCaption(ink, rect, state);
    default: return false;   // menu glyphs: nothing of this system draws them
    }
}

bool DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags)
{
    Ink ink(canvas, rect);
    if (!ink) return false;
    if (flags & BF_DIAGONAL) {
        DiagonalEdge(ink, rect, edge, flags);
        return true;
    }
    TRect r = rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        const RingColors c = OuterColors(edge, flags);
        Ring(ink, r, c.topLeft, c.bottomRight, flags);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        const RingColors c = InnerColors(edge, flags);
        Ring(ink, r, c.topLeft, c.bottomRight, flags);
    }
    if (flags & BF_MIDDLE) ink.Fill(r, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST) rect = r;
    return true;
}

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    Ink ink(canvas, r);
    if (!ink) return;
    for (int i = 0; i < width && !r.IsEmpty(); ++i) Ring(ink, r, topColor, bottomColor, BF_RECT);
}

void GradientFillRect(TCanvas& canvas, const TRect& rect, TColor from, TColor to, bool vertical, int bands)
{
    if (rect.IsEmpty() || (from == clNone && to == clNone)) return;
    Ink ink(canvas, rect);
    if (!ink) return;
    if (from == clNone || to == clNone) {
        // Only one colour to go by: a solid fill in it.
        ink.Fill(rect, from == clNone ? to : from);
        return;
    }
    const TColor a = ColorToRGB(from), b = ColorToRGB(to);
    const int extent = vertical ? rect.Height() : rect.Width();
    const int count = bands <= 0 ? extent : std::min(bands, extent);
    const int last = std::max(1, count - 1);
    for (int i = 0; i < count; ++i) {
        // Every band ends where the next begins, so the bands tile the rectangle.
        const int start = extent * i / count, end = extent * (i + 1) / count;
        const TColor color = count == 1 ? a
                                        : RGB(Channel(GetRValue(a), GetRValue(b), i, last),
                                              Channel(GetGValue(a), GetGValue(b), i, last),
                                              Channel(GetBValue(a), GetBValue(b), i, last));
        if (vertical) ink.Fill({rect.Left, rect.Top + start, rect.Right, rect.Top + end}, color);
        else ink.Fill({rect.Left + start, rect.Top, rect.Left + end, rect.Bottom}, color);
    }
}
