#include "platform/Graphics.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <array>
#include <cmath>
#include <optional>

// ---- Colours ---------------------------------------------------------------

namespace {

// The classic system palette, as 0x00BBGGRR, by system colour number. Fixed so
// that every machine paints the same pictures.
constexpr std::array<TColor, 31> SystemPalette = {
    RGB(200, 200, 200), // 0 scroll bar
    RGB(0, 0, 0),       // 1 desktop
    RGB(153, 180, 209), // 2 active caption
    RGB(191, 205, 219), // 3 inactive caption
    RGB(240, 240, 240), // 4 menu
    RGB(255, 255, 255), // 5 window
    RGB(100, 100, 100), // 6 window frame
    RGB(0, 0, 0),       // 7 menu text
    RGB(0, 0, 0),       // 8 window text
    RGB(0, 0, 0),       // 9 caption text
    RGB(180, 180, 180), // 10 active border
    RGB(244, 247, 252), // 11 inactive border
    RGB(171, 171, 171), // 12 application workspace
    RGB(0, 120, 215),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(240, 240, 240), // 15 button face
    RGB(160, 160, 160), // 16 button shadow
    RGB(109, 109, 109), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(0, 0, 0),       // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight
    RGB(105, 105, 105), // 21 3-D dark shadow
    RGB(227, 227, 227), // 22 3-D light
    RGB(0, 0, 0),       // 23 info text
    RGB(255, 255, 225), // 24 info background
    RGB(0, 0, 0),       // 25 has no meaning
    RGB(0, 102, 204),   // 26 hot light
    RGB(185, 209, 234), // 27 gradient of the active caption
    RGB(215, 228, 242), // 28 gradient of the inactive caption
    RGB(51, 153, 255),  // 29 menu highlight
    RGB(240, 240, 240), // 30 menu bar
};

bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == 0xFF000000u; }

} // namespace

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color)) {
        const unsigned index = color & 0xFF;
        return index < SystemPalette.size() ? SystemPalette[index] : clBlack;
    }
    if (color == clNone || color == clDefault) return color;
    return color & 0xFFFFFF;
}

QColor ToQColor(TColor color)
{
    if (color == clNone || color == clDefault) return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(color);
    return QColor(int(GetRValue(rgb)), int(GetGValue(rgb)), int(GetBValue(rgb)));
}

TColor FromQColor(const QColor& color)
{
    if (!color.isValid() || color.alpha() == 0) return clNone;
    return RGB(unsigned(color.red()), unsigned(color.green()), unsigned(color.blue()));
}

// ---- Font, pen, brush ------------------------------------------------------

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c)
{
    const long long n = static_cast<long long>(a) * b;
    const long long q = (std::llabs(n) * 2 + c) / (2LL * c);
    return int(n < 0 ? -q : q);
}

enum class FontKind { Sans, Serif, Mono };

FontKind KindOfFamily(const String& name)
{
    static const QStringList mono = {"Courier New", "Courier", "Consolas", "Lucida Console", "Fixedsys",
                                     "Terminal"};
    static const QStringList serif = {"Times New Roman", "Times", "Georgia", "MS Serif", "Cambria"};
    for (const QString& m : mono)
        if (name.compare(m, Qt::CaseInsensitive) == 0) return FontKind::Mono;
    for (const QString& s : serif)
        if (name.compare(s, Qt::CaseInsensitive) == 0) return FontKind::Serif;
    return FontKind::Sans;
}

String FallbackFamily(FontKind kind)
{
    static const QString preferred[] = {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                                        QStringLiteral("DejaVu Sans Mono")};
    const QString& want = preferred[int(kind)];
    if (QFontDatabase::hasFamily(want)) return want;
    const auto which = kind == FontKind::Mono ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont;
    return QFontDatabase::systemFont(which).family();
}

// The installed family that stands in for a requested one: itself when
// installed, else a family of the same kind.
String InstalledFamily(const String& name)
{
    static QHash<QString, QString> cache;
    auto it = cache.constFind(name);
    if (it != cache.constEnd()) return *it;
    const QString family = !name.isEmpty() && QFontDatabase::hasFamily(name) ? name : FallbackFamily(KindOfFamily(name));
    cache.insert(name, family);
    return family;
}

// Pixel size per pixel of cell height (ascent + descent) of a family.
double EmPerCellHeight(const QFont& font)
{
    static QHash<QString, double> cache;
    const QString key = font.family() + QString::number(int(font.weight())) + (font.italic() ? u'i' : u'n');
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QFont probe(font);
    constexpr int reference = 200;
    probe.setPixelSize(reference);
    const QFontMetrics fm(probe);
    const int cell = fm.ascent() + fm.descent();
    const double ratio = cell > 0 ? double(reference) / cell : 1.0;
    cache.insert(key, ratio);
    return ratio;
}

constexpr int DefaultCharHeight = 11;

} // namespace

TFont::TFont() = default;

void TFont::SetName(const String& name)
{
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style)
{
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetOrientation(int tenths)
{
    if (tenths == FOrientation) return;
    FOrientation = tenths;
    Changed();
}

// A negative height is the character height, which is the pixel size; a
// positive one is the cell height (ascent + descent), turned into a pixel size
// by the family's own ratio of em to cell; 0 takes the default character height.
QFont TFont::ToQFont() const
{
    QFont f(InstalledFamily(FName));
    f.setBold(FStyle.Contains(TFontStyle::fsBold));
    f.setItalic(FStyle.Contains(TFontStyle::fsItalic));
    f.setUnderline(FStyle.Contains(TFontStyle::fsUnderline));
    f.setStrikeOut(FStyle.Contains(TFontStyle::fsStrikeOut));
    int pixels = DefaultCharHeight;
    if (FHeight < 0) pixels = -FHeight;
    else if (FHeight > 0) pixels = std::max(1, int(std::lround(FHeight * EmPerCellHeight(f))));
    f.setPixelSize(pixels);
    return f;
}

void TFont::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TFont*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    const bool same = FName == other->FName && FHeight == other->FHeight && FStyle == other->FStyle &&
                      FColor == other->FColor && FOrientation == other->FOrientation;
    FName = other->FName;
    FHeight = other->FHeight;
    FStyle = other->FStyle;
    FColor = other->FColor;
    FOrientation = other->FOrientation;
    if (!same) Changed();
}

void TPen::SetColor(TColor color)
{
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width == FWidth) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == FMode) return;
    FMode = mode;
    Changed();
}

void TPen::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TPen*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    const bool same = FColor == other->FColor && FWidth == other->FWidth && FStyle == other->FStyle &&
                      FMode == other->FMode;
    FColor = other->FColor;
    FWidth = other->FWidth;
    FStyle = other->FStyle;
    FMode = other->FMode;
    if (!same) Changed();
}

void TBrush::SetColor(TColor color)
{
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TBrush::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TBrush*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    const bool same = FColor == other->FColor && FStyle == other->FStyle;
    FColor = other->FColor;
    FStyle = other->FStyle;
    if (!same) Changed();
}

// ---- Canvas ----------------------------------------------------------------

namespace {

// How a pen mode combines the pen (and the brush of a filled figure) with
// what is already there. Black and white ignore the pen colour; Nop draws nothing.
struct RasterMode {
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    std::optional<QColor> forced;
    bool skip = false;
};

RasterMode ModeOf(TPenMode mode)
{
    using C = QPainter::CompositionMode;
    switch (mode) {
    case TPenMode::pmBlack: return {C::CompositionMode_SourceOver, QColor(Qt::black), false};
    case TPenMode::pmWhite: return {C::CompositionMode_SourceOver, QColor(Qt::white), false};
    case TPenMode::pmNop: return {C::CompositionMode_SourceOver, std::nullopt, true};
    case TPenMode::pmNot: return {C::RasterOp_NotDestination, std::nullopt, false};
    case TPenMode::pmCopy: return {};
    case TPenMode::pmNotCopy: return {C::RasterOp_NotSource, std::nullopt, false};
    case TPenMode::pmMergePenNot: return {C::RasterOp_SourceOrNotDestination, std::nullopt, false};
    case TPenMode::pmMaskPenNot: return {C::RasterOp_SourceAndNotDestination, std::nullopt, false};
    case TPenMode::pmMergeNotPen: return {C::RasterOp_NotSourceOrDestination, std::nullopt, false};
    case TPenMode::pmMaskNotPen: return {C::RasterOp_NotSourceAndDestination, std::nullopt, false};
    case TPenMode::pmMerge: return {C::RasterOp_SourceOrDestination, std::nullopt, false};
    case TPenMode::pmNotMerge: return {C::RasterOp_NotSourceAndNotDestination, std::nullopt, false};
    case TPenMode::pmMask: return {C::RasterOp_SourceAndDestination, std::nullopt, false};
    case TPenMode::pmNotMask: return {C::RasterOp_NotSourceOrNotDestination, std::nullopt, false};
    case TPenMode::pmXor: return {C::RasterOp_SourceXorDestination, std::nullopt, false};
    case TPenMode::pmNotXor: return {C::RasterOp_NotSourceXorDestination, std::nullopt, false};
    }
    return {};
}

// The platform's cosmetic dash patterns, in pixels: on, off, on, off ...
QList<qreal> DashPattern(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psDash: return {18, 6};
    case TPenStyle::psDot: return {3, 3};
    case TPenStyle::psDashDot: return {9, 6, 3, 6};
    case TPenStyle::psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case TBrushStyle::bsSolid: return Qt::SolidPattern;
    case TBrushStyle::bsClear: return Qt::NoBrush;
    case TBrushStyle::bsHorizontal: return Qt::HorPattern;
    case TBrushStyle::bsVertical: return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal: return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::bsCross: return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// Rectangle from corner coordinates, Right/Bottom exclusive, normalised.
QRect Span(int x1, int y1, int x2, int y2)
{
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
}

TCanvas::~TCanvas() { FreeHandle(); }

QPainter* TCanvas::Painter() const
{
    if (FPainter) return FPainter;
    if (FDevice) return &Ready();
    return nullptr;
}

void TCanvas::BeginPaint(QPainter* painter)
{
    FreeHandle();
    FPainter = painter;
    FHasBaseClip = painter && painter->hasClipping();
    FBaseClip = FHasBaseClip ? painter->clipRegion() : QRegion();
    if (FPainter) ApplyClip(*FPainter);
}

void TCanvas::EndPaint()
{
    if (FPainter) {
        if (FHasBaseClip) FPainter->setClipRegion(FBaseClip);
        else FPainter->setClipping(false);
    }
    FPainter = nullptr;
    FHasBaseClip = false;
    FBaseClip = QRegion();
}

void TCanvas::SetDevice(QPaintDevice* device)
{
    if (device == FDevice) return;
    FreeHandle();
    FDevice = device;
}

bool TCanvas::HandleAllocated() const { return FPainter != nullptr || FOwnPainter != nullptr; }

void TCanvas::FreeHandle()
{
    if (FOwnPainter) {
        FOwnPainter->end();
        FOwnPainter.reset();
    }
}

QPainter& TCanvas::Ready() const
{
    if (FPainter) return *FPainter;
    if (!FOwnPainter) {
        if (!FDevice) throw Exception(QStringLiteral("Canvas does not allow drawing"));
        FOwnPainter = std::make_unique<QPainter>(FDevice);
        ApplyClip(*FOwnPainter);
    }
    return *FOwnPainter;
}

void TCanvas::ApplyClip(QPainter& p) const
{
    if (FClipRect.IsEmpty()) {
        if (&p == FPainter && FHasBaseClip) p.setClipRegion(FBaseClip);
        else p.setClipping(false);
        return;
    }
    QRegion clip(FClipRect.ToQRect());
    if (&p == FPainter && FHasBaseClip) clip &= FBaseClip;
    p.setClipRegion(clip);
}

void TCanvas::SetClipRect(const TRect& r)
{
    FClipRect = r.IsEmpty() ? TRect{} : r;
    if (FPainter) ApplyClip(*FPainter);
    else if (FOwnPainter) ApplyClip(*FOwnPainter);
}

bool TCanvas::PenVisible() const
{
    return FPen->Style() != TPenStyle::psClear && FPen->Color() != clNone && FPen->Mode() != TPenMode::pmNop;
}

bool TCanvas::BrushVisible() const
{
    return FBrush->Style() != TBrushStyle::bsClear && FBrush->Color() != clNone && FPen->Mode() != TPenMode::pmNop;
}

void TCanvas::ApplyPen(QPainter& p) const
{
    const RasterMode mode = ModeOf(FPen->Mode());
    p.setCompositionMode(mode.composition);
    if (!PenVisible()) {
        p.setPen(Qt::NoPen);
        return;
    }
    QPen pen(mode.forced.value_or(ToQColor(FPen->Color())));
    pen.setWidth(std::max(1, FPen->Width()));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    // Only a one-pixel pen is broken into dashes; a wider one draws solid.
    const QList<qreal> dashes = FPen->Width() <= 1 ? DashPattern(FPen->Style()) : QList<qreal>{};
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
    p.setPen(pen);
}

void TCanvas::ApplyBrush(QPainter& p) const
{
    if (!BrushVisible()) {
        p.setBrush(Qt::NoBrush);
        return;
    }
    const RasterMode mode = ModeOf(FPen->Mode());
    p.setBrush(QBrush(mode.forced.value_or(ToQColor(FBrush->Color())), QtBrushStyle(FBrush->Style())));
}

void TCanvas::FillSolid(QPainter& p, const QRect& r, const QColor& color) const
{
    if (r.width() > 0 && r.height() > 0) p.fillRect(r, color);
}

void TCanvas::StrokePolyline(QPainter& p, const QPolygon& points) const
{
    if (!PenVisible() || points.size() < 2) return;
    ApplyPen(p);
    const QList<qreal> dashes = p.pen().dashPattern();
    const bool broken = p.pen().style() == Qt::CustomDashLine && !dashes.isEmpty();
    if (broken && BrushVisible() && FBrush->Style() == TBrushStyle::bsSolid) {
        // The gaps of a broken line show the background colour, which is the brush's.
        QPen gap = p.pen();
        QList<qreal> rotated = dashes.mid(1);
        rotated.append(dashes.first());
        gap.setDashPattern(rotated);
        qreal total = 0;
        for (qreal d : dashes) total += d;
        gap.setDashOffset(total - dashes.first());
        const RasterMode mode = ModeOf(FPen->Mode());
        gap.setColor(mode.forced.value_or(ToQColor(FBrush->Color())));
        p.setPen(gap);
        p.drawPolyline(points);
        ApplyPen(p);
    }
    p.drawPolyline(points);
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    if (!PenVisible() || (from.X == x && from.Y == y)) return;
    QPainter& p = Ready();
    // A flat cap leaves out the end point, as the platform's lines do.
    StrokePolyline(p, QPolygon({QPoint(from.X, from.Y), QPoint(x, y)}));
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.size() < 2 || !PenVisible()) return;
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    StrokePolyline(Ready(), poly);
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2) return;
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    QPainter& p = Ready();
    if (BrushVisible()) {
        ApplyPen(p);
        p.setPen(Qt::NoPen);
        ApplyBrush(p);
        p.drawPolygon(poly, Qt::OddEvenFill);
    }
    if (PenVisible()) {
        poly << poly.first();
        StrokePolyline(p, poly);
    }
}

// The figure covers Left..Right-1 and Top..Bottom-1. The pen's outline lies
// on that edge (a wider pen grows outwards as much as inwards, InsideFrame
// keeps it inside) and the brush fills what lies within. Without a pen the
// platform fills one pixel less to the right and bottom.
void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const QRect box = Span(x1, y1, x2, y2);
    if (box.isEmpty()) return;
    QPainter& p = Ready();
    ApplyPen(p);
    const RasterMode mode = ModeOf(FPen->Mode());
    if (!PenVisible()) {
        if (BrushVisible()) {
            ApplyBrush(p);
            p.fillRect(box.adjusted(0, 0, -1, -1), p.brush());
        }
        return;
    }
    const int w = std::max(1, FPen->Width());
    QRect outer = box;
    if (w > 1 && FPen->Style() != TPenStyle::psInsideFrame) outer = box.adjusted(-(w - 1) / 2, -(w - 1) / 2, w / 2, w / 2);
    const QRect inner = outer.adjusted(w, w, -w, -w);
    if (BrushVisible() && inner.width() > 0 && inner.height() > 0) {
        ApplyBrush(p);
        p.fillRect(inner, p.brush());
    }
    const bool broken = w == 1 && !DashPattern(FPen->Style()).isEmpty();
    if (broken) {
        const QPolygon ring({box.topLeft(), QPoint(box.right(), box.top()), box.bottomRight(),
                             QPoint(box.left(), box.bottom()), box.topLeft()});
        StrokePolyline(p, ring);
        return;
    }
    // A solid outline as bands that never overlap, so XOR and NOT modes stay exact.
    const QColor color = mode.forced.value_or(ToQColor(FPen->Color()));
    const QRegion ring = QRegion(outer) - QRegion(inner.isValid() ? inner : QRect());
    for (const QRect& band : ring) FillSolid(p, band, color);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int rx, int ry)
{
    const QRect box = Span(x1, y1, x2, y2);
    if (box.width() < 1 || box.height() < 1) return;
    QPainter& p = Ready();
    ApplyPen(p);
    ApplyBrush(p);
    if (!PenVisible() && !BrushVisible()) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    // The corner figures are given by their full width and height.
    p.drawRoundedRect(box.adjusted(0, 0, -1, -1), rx / 2.0, ry / 2.0, Qt::AbsoluteSize);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const QRect box = Span(x1, y1, x2, y2);
    if (box.width() < 1 || box.height() < 1) return;
    QPainter& p = Ready();
    ApplyPen(p);
    ApplyBrush(p);
    if (!PenVisible() && !BrushVisible()) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawEllipse(box.adjusted(0, 0, -1, -1));
}

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty() || FBrush->Style() == TBrushStyle::bsClear || FBrush->Color() == clNone) return;
    QPainter& p = Ready();
    // Fills copy the brush whatever the pen mode.
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(r.ToQRect(), QBrush(ToQColor(FBrush->Color()), QtBrushStyle(FBrush->Style())));
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty() || FBrush->Style() == TBrushStyle::bsClear || FBrush->Color() == clNone) return;
    QPainter& p = Ready();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor c = ToQColor(FBrush->Color());
    const QRect q = r.ToQRect();
    FillSolid(p, QRect(q.left(), q.top(), q.width(), 1), c);
    if (q.height() > 1) FillSolid(p, QRect(q.left(), q.bottom(), q.width(), 1), c);
    if (q.height() > 2) {
        FillSolid(p, QRect(q.left(), q.top() + 1, 1, q.height() - 2), c);
        if (q.width() > 1) FillSolid(p, QRect(q.right(), q.top() + 1, 1, q.height() - 2), c);
    }
}

QImage* TCanvas::TargetImage() const
{
    QPaintDevice* device = FPainter ? FPainter->device() : FDevice;
    if (!device || device->devType() != QInternal::Image) return nullptr;
    return static_cast<QImage*>(device);
}

// clNone for a point outside the picture or a device that cannot be read back.
TColor TCanvas::Pixels(int x, int y) const
{
    const QImage* image = TargetImage();
    if (!image || !image->valid(x, y)) return clNone;
    if (!FClipRect.IsEmpty() && !FClipRect.Contains({x, y})) return clNone;
    const QRgb rgb = image->pixel(x, y);
    return RGB(unsigned(qRed(rgb)), unsigned(qGreen(rgb)), unsigned(qBlue(rgb)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (color == clNone) return;
    QPainter& p = Ready();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(x, y, 1, 1), ToQColor(color));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- Text ------------------------------------------------------------------

int TCanvas::TextWidth(const String& text) const { return TextExtent(text).cx; }

int TCanvas::TextHeight(const String& text) const { return TextExtent(text).cy; }

TSize TCanvas::TextExtent(const String& text) const
{
    const QFontMetrics fm(FFont->ToQFont());
    return {fm.horizontalAdvance(text), fm.height()};
}

// Text stands with the top-left of its cell at (x, y), turned by the font's
// orientation about that point; a non-clear brush paints the cell first.
void TCanvas::TextOut(int x, int y, const String& text)
{
    const QFont font = FFont->ToQFont();
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(text);
    QPainter& p = Ready();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.translate(x, y);
    if (FFont->Orientation() != 0) p.rotate(-FFont->Orientation() / 10.0);
    if (FBrush->Style() != TBrushStyle::bsClear && FBrush->Color() != clNone)
        p.fillRect(QRect(0, 0, width, fm.height()), ToQColor(FBrush->Color()));
    if (FFont->Color() != clNone && !text.isEmpty()) {
        p.setFont(font);
        p.setPen(ToQColor(FFont->Color()));
        p.drawText(QPoint(0, fm.ascent()), text);
    }
    p.restore();
    FPenPos = {x + width, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    const QFont font = FFont->ToQFont();
    const QFontMetrics fm(font);
    QPainter& p = Ready();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setClipRect(r.ToQRect(), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (FBrush->Style() != TBrushStyle::bsClear && FBrush->Color() != clNone && !r.IsEmpty())
        p.fillRect(r.ToQRect(), ToQColor(FBrush->Color()));
    if (FFont->Color() != clNone && !text.isEmpty() && !r.IsEmpty()) {
        p.translate(x, y);
        if (FFont->Orientation() != 0) p.rotate(-FFont->Orientation() / 10.0);
        p.setFont(font);
        p.setPen(ToQColor(FFont->Color()));
        p.drawText(QPoint(0, fm.ascent()), text);
    }
    p.restore();
}

// ---- Pictures on the canvas -------------------------------------------------

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, TRect{x, y, x + graphic->Width(), y + graphic->Height()});
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, r);
}

// ---- Bitmap ----------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap()
{
    if (FCanvas) FCanvas->FreeHandle();
}

void TBitmap::FlushCanvas() const
{
    if (FCanvas) FCanvas->FreeHandle();
}

void TBitmap::Changed()
{
    if (OnChange) OnChange(this);
}

// A new size keeps nothing of the old picture: the bitmap starts white.
void TBitmap::SetSize(int w, int h)
{
    FlushCanvas();
    if (w <= 0 || h <= 0) {
        FImage = QImage();
    } else {
        FImage = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        FImage.fill(Qt::white);
    }
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentColor != clDefault) return FTransparentColor;
    if (FImage.isNull()) return clNone;
    FlushCanvas();
    return FromQColor(QColor(FImage.pixel(0, FImage.height() - 1)));
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetDevice(&FImage);
    }
    return FCanvas.get();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& dest)
{
    if (FImage.isNull() || dest.IsEmpty()) return;
    FlushCanvas();
    QImage picture = FImage;
    if (Transparent()) {
        // Pixels of the transparent colour are left out.
        const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
        picture = FImage.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    QPainter* p = canvas.Painter();
    if (!p) return;
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->drawImage(dest.ToQRect(), picture);
    p->restore();
}

bool TBitmap::LoadFromFile(const String& path)
{
    FlushCanvas();
    QImage loaded;
    const bool ok = loaded.load(path, "BMP");
    FImage = ok ? loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
    Changed();
    return ok;
}

void TBitmap::SetImage(const QImage& image)
{
    FlushCanvas();
    FImage = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

void TBitmap::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    FlushCanvas();
    other->FlushCanvas();
    FImage = other->FImage.copy();
    FTransparent = other->FTransparent;
    FTransparentColor = other->FTransparentColor;
    FPixelFormat = other->FPixelFormat;
    Changed();
}
