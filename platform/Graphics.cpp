#include "platform/Graphics.h"
#include "platform/Pictures.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

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

void TFont::SetName(const String& name) { Update(FName, name); }

void TFont::SetHeight(int height) { Update(FHeight, height); }

int TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style) { Update(FStyle, style); }

void TFont::SetColor(TColor color) { Update(FColor, color); }

void TFont::SetOrientation(int tenths) { Update(FOrientation, tenths); }

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
    if (auto* other = dynamic_cast<TFont*>(source))
        Update(Fields(), other->Fields());
    else
        TPersistent::Assign(source);
}

void TPen::SetColor(TColor color) { Update(FColor, color); }

void TPen::SetWidth(int width) { Update(FWidth, width); }

void TPen::SetStyle(TPenStyle style) { Update(FStyle, style); }

void TPen::SetMode(TPenMode mode) { Update(FMode, mode); }

void TPen::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TPen*>(source))
        Update(Fields(), other->Fields());
    else
        TPersistent::Assign(source);
}

void TBrush::SetColor(TColor color) { Update(FColor, color); }

void TBrush::SetStyle(TBrushStyle style) { Update(FStyle, style); }

void TBrush::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TBrush*>(source))
        Update(Fields(), other->Fields());
    else
        TPersistent::Assign(source);
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
std::vector<int> DashPattern(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psDash: return {18, 6};
    case TPenStyle::psDot: return {3, 3};
    case TPenStyle::psDashDot: return {9, 6, 3, 6};
    case TPenStyle::psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// Whether pixel `k` of a line lies on a dash of the pattern.
bool DashOn(const std::vector<int>& pattern, int period, long long k)
{
    int at = int(k % period);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i]) return i % 2 == 0;
        at -= pattern[i];
    }
    return true;
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

// n / d rounded to the nearest integer, halves upwards; d > 0.
long long RoundDiv(long long n, long long d)
{
    const long long twice = 2 * n + d;
    const long long q = twice / (2 * d);
    return (twice % (2 * d) != 0 && twice < 0) ? q - 1 : q;
}

// Visits the pixels of a one-pixel line from a towards b, b left out: one
// pixel per step along the longer axis, the other axis rounded to the pixel
// nearest the ideal line.
template <class Visit> void WalkLine(QPoint a, QPoint b, Visit&& visit)
{
    const long long dx = b.x() - a.x(), dy = b.y() - a.y();
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    for (long long i = 0; i < n; ++i)
        visit(int(a.x() + RoundDiv(i * dx, n)), int(a.y() + RoundDiv(i * dy, n)));
}

// Gathers pixels into horizontal or vertical runs and fills each run at once.
class RunPainter {
public:
    RunPainter(QPainter& p, const QColor& color) : FPainter(p), FColor(color) {}
    ~RunPainter() { Flush(); }
    void Add(int x, int y)
    {
        if (FCount > 0) {
            const bool row = y == FRun.top() && FRun.height() == 1 &&
                             (x == FRun.right() + 1 || x == FRun.left() - 1);
            const bool column = x == FRun.left() && FRun.width() == 1 &&
                                (y == FRun.bottom() + 1 || y == FRun.top() - 1);
            if (row && (FCount == 1 || FRun.width() > 1)) {
                FRun = FRun.united(QRect(x, y, 1, 1));
                ++FCount;
                return;
            }
            if (column && (FCount == 1 || FRun.height() > 1)) {
                FRun = FRun.united(QRect(x, y, 1, 1));
                ++FCount;
                return;
            }
            Flush();
        }
        FRun = QRect(x, y, 1, 1);
        FCount = 1;
    }
    void Flush()
    {
        if (FCount > 0) FPainter.fillRect(FRun, FColor);
        FCount = 0;
    }

private:
    QPainter& FPainter;
    QColor FColor;
    QRect FRun;
    int FCount = 0;
};

constexpr char CanvasRefusal[] = "Canvas does not allow drawing";

} // namespace

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
}

TCanvas::~TCanvas() { FreeHandle(); }

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

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
        if (!FDevice) throw Exception(QString::fromLatin1(CanvasRefusal));
        FOwnPainter = std::make_unique<QPainter>(FDevice);
        ApplyClip(*FOwnPainter);
    }
    return *FOwnPainter;
}

void TCanvas::ApplyClip(QPainter& p) const
{
    const bool handedIn = &p == FPainter && FHasBaseClip;
    if (!FHasUserClip) {
        if (handedIn) p.setClipRegion(FBaseClip);
        else p.setClipping(false);
        return;
    }
    QRegion clip = FUserClip;
    if (handedIn) clip &= FBaseClip;
    // An empty clip region would lift the clip: an empty rectangle drops everything.
    if (clip.isEmpty()) p.setClipRect(QRect(0, 0, 0, 0));
    else p.setClipRegion(clip);
}

void TCanvas::SetClipRect(const TRect& r)
{
    SetClipRegion(r.IsEmpty() ? QRegion() : QRegion(r.ToQRect()));
}

void TCanvas::SetClipRegion(const QRegion& region)
{
    FHasUserClip = !region.isEmpty();
    FUserClip = region;
    if (FPainter) ApplyClip(*FPainter);
    else if (FOwnPainter) ApplyClip(*FOwnPainter);
}

QRegion TCanvas::ClipRegion() const { return FHasUserClip ? FUserClip : QRegion(); }

TRect TCanvas::ClipRect() const
{
    QRect bounds;
    if (FHasUserClip) bounds = (FPainter && FHasBaseClip ? FUserClip & FBaseClip : FUserClip).boundingRect();
    else if (FPainter && FHasBaseClip) bounds = FBaseClip.boundingRect();
    else if (QPaintDevice* device = FPainter ? FPainter->device() : FDevice) {
        QPoint offset;
        if (!DeviceOffset(offset)) offset = QPoint();
        bounds = QRect(-offset, QSize(device->width(), device->height()));
    }
    if (bounds.isEmpty()) return TRect{};
    return TRect{bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
}

bool TCanvas::PenVisible() const
{
    return FPen->Style() != TPenStyle::psClear && FPen->Color() != clNone && FPen->Mode() != TPenMode::pmNop;
}

bool TCanvas::BrushVisible() const
{
    return FBrush->Style() != TBrushStyle::bsClear && FBrush->Color() != clNone && FPen->Mode() != TPenMode::pmNop;
}

bool TCanvas::OpaqueBackground() const
{
    return FBrush->Style() == TBrushStyle::bsSolid && FBrush->Color() != clNone;
}

// Outlines of curves and wide lines; one-pixel lines go through StrokePolyline.
void TCanvas::ApplyPen(QPainter& p) const
{
    const RasterMode mode = ModeOf(FPen->Mode());
    p.setCompositionMode(mode.composition);
    if (!PenVisible()) {
        p.setPen(Qt::NoPen);
        return;
    }
    const int width = std::max(1, FPen->Width());
    QPen pen(mode.forced.value_or(ToQColor(FPen->Color())));
    pen.setWidth(width);
    // Wide pens have round ends and joins; a one-pixel pen stops short of its end point.
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
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

void TCanvas::StrokeWide(QPainter& p, const QPolygon& points) const
{
    ApplyPen(p);
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawPolyline(points);
}

// One-pixel lines are laid pixel by pixel, so that their ends and the steps
// of slanted lines fall where the platform puts them, the dash pattern runs
// on across corners, and raster modes touch every pixel once.
void TCanvas::StrokePolyline(QPainter& p, const QPolygon& points) const
{
    if (!PenVisible() || points.size() < 2) return;
    if (FPen->Width() > 1) {
        // A wide pen draws solid whatever its style.
        StrokeWide(p, points);
        return;
    }
    const RasterMode mode = ModeOf(FPen->Mode());
    p.setCompositionMode(mode.composition);
    const std::vector<int> pattern = DashPattern(FPen->Style());
    int period = 0;
    for (int d : pattern) period += d;
    RunPainter ink(p, mode.forced.value_or(ToQColor(FPen->Color())));
    const bool fillGaps = period > 0 && OpaqueBackground();
    RunPainter gap(p, mode.forced.value_or(ToQColor(FBrush->Color())));
    long long k = 0;
    for (int i = 1; i < points.size(); ++i)
        WalkLine(points[i - 1], points[i], [&](int x, int y) {
            if (period == 0 || DashOn(pattern, period, k)) ink.Add(x, y);
            else if (fillGaps) gap.Add(x, y);
            ++k;
        });
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    if (!PenVisible() || (from.X == x && from.Y == y)) return;
    StrokePolyline(Ready(), QPolygon({QPoint(from.X, from.Y), QPoint(x, y)}));
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.size() < 2 || !PenVisible()) return;
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    StrokePolyline(Ready(), poly);
    Changed();
}

void TCanvas::PolyBezier(const std::vector<TPoint>& points)
{
    if (points.size() < 4 || !PenVisible()) return;
    QPainterPath path(QPointF(points[0].X, points[0].Y));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(QPointF(points[i].X, points[i].Y), QPointF(points[i + 1].X, points[i + 1].Y),
                     QPointF(points[i + 2].X, points[i + 2].Y));
    QPolygon poly;
    for (const QPolygonF& piece : path.toSubpathPolygons())
        for (const QPointF& pt : piece) {
            const QPoint q = pt.toPoint();
            if (poly.isEmpty() || poly.last() != q) poly << q;
        }
    // The curve ends on its last control point, which a line would leave out.
    const QPoint last = poly.last();
    QPainter& p = Ready();
    StrokePolyline(p, poly);
    if (FPen->Width() <= 1) StrokePolyline(p, QPolygon({last, last + QPoint(1, 0)}));
    Changed();
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
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawPolygon(poly, Qt::OddEvenFill);
    }
    if (PenVisible()) {
        poly << poly.first();
        StrokePolyline(p, poly);
    }
    Changed();
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
        Changed();
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
    if (w == 1 && !DashPattern(FPen->Style()).empty()) {
        const QPolygon ring({box.topLeft(), QPoint(box.right(), box.top()), box.bottomRight(),
                             QPoint(box.left(), box.bottom()), box.topLeft()});
        StrokePolyline(p, ring);
    } else {
        // A solid outline as bands that never overlap, so XOR and NOT modes stay exact.
        const QColor color = mode.forced.value_or(ToQColor(FPen->Color()));
        const QRegion ring = QRegion(outer) - QRegion(inner.isValid() ? inner : QRect());
        for (const QRect& band : ring) FillSolid(p, band, color);
    }
    Changed();
}

QRectF TCanvas::FigureBox(const QRect& box) const
{
    // Qt strokes a one-pixel outline through pixel centres: the box less its last column and row.
    const int w = PenVisible() ? std::max(1, FPen->Width()) : 1;
    QRectF figure = QRectF(box).adjusted(0, 0, -1, -1);
    if (w > 1 && FPen->Style() == TPenStyle::psInsideFrame) {
        const qreal in = (w - 1) / 2.0;
        figure.adjust(in, in, -in, -in);
    }
    return figure;
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int rx, int ry)
{
    const QRect box = Span(x1, y1, x2, y2);
    if (box.width() < 1 || box.height() < 1 || (!PenVisible() && !BrushVisible())) return;
    QPainter& p = Ready();
    ApplyPen(p);
    ApplyBrush(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    // The corner figures are given by their full width and height.
    p.drawRoundedRect(FigureBox(box), std::abs(rx) / 2.0, std::abs(ry) / 2.0, Qt::AbsoluteSize);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const QRect box = Span(x1, y1, x2, y2);
    if (box.width() < 1 || box.height() < 1 || (!PenVisible() && !BrushVisible())) return;
    QPainter& p = Ready();
    ApplyPen(p);
    ApplyBrush(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawEllipse(FigureBox(box));
    Changed();
}

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty() || FBrush->Style() == TBrushStyle::bsClear || FBrush->Color() == clNone) return;
    QPainter& p = Ready();
    // Fills copy the brush whatever the pen mode.
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.fillRect(r.ToQRect(), QBrush(ToQColor(FBrush->Color()), QtBrushStyle(FBrush->Style())));
    Changed();
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
    Changed();
}

// Every other pixel of the frame, counted on the device so that neighbouring
// focus rectangles dot alike, is inverted; the frame's bands never overlap.
void TCanvas::DrawFocusRect(const TRect& r)
{
    const QRect box = Span(r.Left, r.Top, r.Right, r.Bottom);
    if (box.isEmpty()) return;
    QPainter& p = Ready();
    QPoint offset;
    if (!DeviceOffset(offset)) offset = QPoint();
    const QRect inner = box.adjusted(1, 1, -1, -1);
    const QRegion ring = QRegion(box) - QRegion(inner.isValid() ? inner : QRect());
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const QRect& band : ring)
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left() + ((band.left() + offset.x() + y + offset.y()) & 1); x <= band.right(); x += 2)
                p.fillRect(QRect(x, y, 1, 1), Qt::black);
    p.restore();
    Changed();
}

QImage* TCanvas::TargetImage() const
{
    QPaintDevice* device = FPainter ? FPainter->device() : FDevice;
    if (!device || device->devType() != QInternal::Image) return nullptr;
    return static_cast<QImage*>(device);
}

bool TCanvas::DeviceOffset(QPoint& offset) const
{
    const QPainter* p = FPainter ? FPainter : FOwnPainter.get();
    offset = QPoint();
    if (!p) return true;
    const QTransform t = p->transform();
    if (t.type() > QTransform::TxTranslate) return false;
    offset = QPoint(qRound(t.dx()), qRound(t.dy()));
    return true;
}

namespace {

// The colour of a pixel of the formats bitmaps keep, as 0x00RRGGBB.
QRgb RgbAt(const QImage& image, int x, int y)
{
    switch (image.format()) {
    case QImage::Format_BGR888: {
        const uchar* px = image.constScanLine(y) + 3 * x;
        return qRgb(px[2], px[1], px[0]) & 0xFFFFFF;
    }
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32: return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] & 0xFFFFFF;
    default: return image.pixel(x, y) & 0xFFFFFF;
    }
}

QRgb ToRgb(TColor color)
{
    const TColor c = ColorToRGB(color);
    return qRgb(int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c))) & 0xFFFFFF;
}

} // namespace

// clNone for a point outside the picture, outside the clip, or on a device
// that cannot be read back.
TColor TCanvas::Pixels(int x, int y) const
{
    const QImage* image = TargetImage();
    QPoint offset;
    if (!image || !DeviceOffset(offset)) return clNone;
    const QPoint at = QPoint(x, y) + offset;
    if (!image->valid(at)) return clNone;
    if (FHasUserClip && !FUserClip.contains(QPoint(x, y))) return clNone;
    if (FPainter && FHasBaseClip && !FBaseClip.contains(QPoint(x, y))) return clNone;
    const QRgb rgb = RgbAt(*image, at.x(), at.y());
    return RGB(unsigned(qRed(rgb)), unsigned(qGreen(rgb)), unsigned(qBlue(rgb)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (color == clNone) return;
    QPainter& p = Ready();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(x, y, 1, 1), ToQColor(color));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Changed();
}

// A scan-line fill with a stack of seeds: every pixel is looked at a bounded
// number of times, whatever the size and shape of the area.
void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    if (FBrush->Style() == TBrushStyle::bsClear || FBrush->Color() == clNone) return;
    const QImage* image = TargetImage();
    if (!image) return;
    QPainter& p = Ready();
    QPoint offset;
    if (!DeviceOffset(offset)) return;
    const int w = image->width(), h = image->height();
    const QPoint start = QPoint(x, y) + offset;
    if (!image->valid(start)) return;

    // Where painting may go, in device pixels.
    std::vector<uchar> allowed;
    if (p.hasClipping()) {
        allowed.assign(std::size_t(w) * h, 0);
        for (const QRect& r : p.clipRegion().translated(offset) & QRegion(0, 0, w, h))
            for (int yy = r.top(); yy <= r.bottom(); ++yy)
                std::fill_n(allowed.begin() + std::ptrdiff_t(yy) * w + r.left(), r.width(), uchar(1));
    }
    const QRgb key = ToRgb(color);
    std::vector<uchar> done(std::size_t(w) * h, 0);
    auto inside = [&](int px, int py) {
        const std::size_t i = std::size_t(py) * w + px;
        if (done[i] || (!allowed.empty() && !allowed[i])) return false;
        const bool same = RgbAt(*image, px, py) == key;
        return style == TFillStyle::fsSurface ? same : !same;
    };

    std::vector<QRect> spans;
    std::vector<QPoint> seeds{start};
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        if (!inside(seed.x(), seed.y())) continue;
        int left = seed.x(), right = seed.x();
        while (left > 0 && inside(left - 1, seed.y())) --left;
        while (right < w - 1 && inside(right + 1, seed.y())) ++right;
        std::fill_n(done.begin() + std::ptrdiff_t(seed.y()) * w + left, right - left + 1, uchar(1));
        spans.emplace_back(left, seed.y(), right - left + 1, 1);
        for (int ny : {seed.y() - 1, seed.y() + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int nx = left; nx <= right; ++nx) {
                const bool in = inside(nx, ny);
                if (in && !inRun) seeds.emplace_back(nx, ny);
                inRun = in;
            }
        }
    }
    if (spans.empty()) return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrushOrigin(-offset);
    const QBrush brush(ToQColor(FBrush->Color()), QtBrushStyle(FBrush->Style()));
    for (const QRect& span : spans) p.fillRect(span.translated(-offset), brush);
    p.restore();
    Changed();
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
// orientation about that point; with `opaque` the cell is painted in the
// brush colour first.
void TCanvas::PaintText(QPainter& p, int x, int y, const String& text, bool opaque) const
{
    const QFont font = FFont->ToQFont();
    const QFontMetrics fm(font);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.translate(x, y);
    if (FFont->Orientation() != 0) p.rotate(-FFont->Orientation() / 10.0);
    if (FTextFlags & ETO_RTLREADING) p.setLayoutDirection(Qt::RightToLeft);
    if (opaque) p.fillRect(QRect(0, 0, fm.horizontalAdvance(text), fm.height()), ToQColor(FBrush->Color()));
    if (FFont->Color() != clNone && !text.isEmpty()) {
        p.setFont(font);
        p.setPen(ToQColor(FFont->Color()));
        if (FTextFlags & ETO_RTLREADING) {
            // Right-to-left reading order, still starting at the left edge.
            QTextOption option(Qt::AlignLeft | Qt::AlignTop);
            option.setTextDirection(Qt::RightToLeft);
            p.drawText(QRectF(0, 0, fm.horizontalAdvance(text) + 1, fm.height()), text, option);
        } else {
            p.drawText(QPoint(0, fm.ascent()), text);
        }
    }
    p.restore();
}

void TCanvas::TextOut(int x, int y, const String& text)
{
    PaintText(Ready(), x, y, text, OpaqueBackground());
    FPenPos = {x + TextWidth(text), y};
    Changed();
}

// Clipped to `r`, which a brush that is not clear fills first.
void TCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    QPainter& p = Ready();
    if (r.IsEmpty()) return;
    p.save();
    p.setClipRect(r.ToQRect(), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const bool fill = (FBrush->Style() != TBrushStyle::bsClear || (FTextFlags & ETO_OPAQUE)) && FBrush->Color() != clNone;
    if (fill) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.fillRect(r.ToQRect(), ToQColor(FBrush->Color()));
    }
    PaintText(p, x, y, text, false);
    p.restore();
    Changed();
}

// ---- Pictures on the canvas -------------------------------------------------

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, TRect{x, y, x + graphic->Width(), y + graphic->Height()});
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic, std::uint8_t opacity)
{
    if (!graphic || graphic->Empty() || opacity == 0) return;
    QPainter& p = Ready();
    p.save();
    p.setOpacity(p.opacity() * opacity / 255.0);
    graphic->Draw(*this, TRect{x, y, x + graphic->Width(), y + graphic->Height()});
    p.restore();
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, r);
    Changed();
}

namespace {

// Draws `picture` into `dest` combined by the copy mode.
void Blit(QPainter& p, const QRect& dest, const QImage& picture, TCopyMode mode)
{
    using C = QPainter::CompositionMode;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (mode) {
    case TCopyMode::cmBlackness: p.fillRect(dest, Qt::black); break;
    case TCopyMode::cmWhiteness: p.fillRect(dest, Qt::white); break;
    case TCopyMode::cmDstInvert:
        p.setCompositionMode(C::RasterOp_NotDestination);
        p.fillRect(dest, Qt::black);
        break;
    default: {
        C c = C::CompositionMode_Source;
        switch (mode) {
        case TCopyMode::cmSrcPaint: c = C::RasterOp_SourceOrDestination; break;
        case TCopyMode::cmSrcAnd: c = C::RasterOp_SourceAndDestination; break;
        case TCopyMode::cmSrcInvert: c = C::RasterOp_SourceXorDestination; break;
        case TCopyMode::cmSrcErase: c = C::RasterOp_SourceAndNotDestination; break;
        case TCopyMode::cmNotSrcCopy: c = C::RasterOp_NotSource; break;
        case TCopyMode::cmNotSrcErase: c = C::RasterOp_NotSourceAndNotDestination; break;
        case TCopyMode::cmMergePaint: c = C::RasterOp_NotSourceOrDestination; break;
        default: break;
        }
        p.setCompositionMode(c);
        p.drawImage(dest, picture);
    }
    }
    p.restore();
}

} // namespace

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src)
{
    if (dest.Left == dest.Right || dest.Top == dest.Bottom || src.Left == src.Right || src.Top == src.Bottom) return;
    QPainter& p = Ready();
    const QRect target = Span(dest.Left, dest.Top, dest.Right, dest.Bottom);
    QImage picture;
    if (FCopyMode != TCopyMode::cmBlackness && FCopyMode != TCopyMode::cmWhiteness &&
        FCopyMode != TCopyMode::cmDstInvert) {
        const QImage* image = source.TargetImage();
        QPoint offset;
        if (!image || !source.DeviceOffset(offset)) return;
        // A copy first, so that a canvas can copy onto itself.
        picture = image->copy(Span(src.Left, src.Top, src.Right, src.Bottom).translated(offset));
        const bool flipX = (dest.Right < dest.Left) != (src.Right < src.Left);
        const bool flipY = (dest.Bottom < dest.Top) != (src.Bottom < src.Top);
        if (flipX || flipY) picture = picture.mirrored(flipX, flipY);
    }
    Blit(p, target, picture, FCopyMode);
    Changed();
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

QImage::Format TBitmap::StorageFormat() const
{
    return FPixelFormat == TPixelFormat::pf24bit ? QImage::Format_BGR888 : QImage::Format_ARGB32_Premultiplied;
}

void TBitmap::SetSize(int w, int h)
{
    FlushCanvas();
    if (w <= 0 || h <= 0) {
        FImage = QImage();
    } else if (w != FImage.width() || h != FImage.height()) {
        QImage resized(w, h, StorageFormat());
        resized.fill(Qt::white);
        if (!FImage.isNull()) {
            QPainter p(&resized);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, FImage);
        }
        FImage = resized;
    }
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    if (f == FPixelFormat) return;
    FlushCanvas();
    FPixelFormat = f;
    if (!FImage.isNull() && FImage.format() != StorageFormat()) FImage = FImage.convertToFormat(StorageFormat());
    Changed();
}

void* TBitmap::ScanLine(int row)
{
    FlushCanvas();
    if (row < 0 || row >= FImage.height()) throw Exception(QStringLiteral("Scan line index out of range"));
    return FImage.scanLine(row);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == TTransparentMode::tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (FImage.isNull()) return clNone;
    FlushCanvas();
    const QRgb rgb = RgbAt(FImage, 0, FImage.height() - 1);
    return RGB(unsigned(qRed(rgb)), unsigned(qGreen(rgb)), unsigned(qBlue(rgb)));
}

void TBitmap::SetTransparentColor(TColor c)
{
    FTransparentColor = c;
    FTransparentMode = c == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
}

void TBitmap::SetTransparentMode(TTransparentMode m)
{
    if (m == FTransparentMode) return;
    // Fixing keeps the colour the picture has now; returning to auto forgets the fixed one.
    if (m == TTransparentMode::tmFixed) FTransparentColor = TransparentColor();
    else FTransparentColor = clDefault;
    FTransparentMode = m;
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetDevice(&FImage);
    }
    return FCanvas.get();
}

// Drawn with the canvas's copy mode; a transparent bitmap leaves out the
// pixels of its transparent colour and lays the others over what is there.
void TBitmap::Draw(TCanvas& canvas, const TRect& dest)
{
    if (FImage.isNull() || dest.IsEmpty()) return;
    FlushCanvas();
    QPainter* p = canvas.Painter();
    if (!p) return;
    if (!Transparent()) {
        TCopyMode mode = canvas.CopyMode();
        // Copying keeps the alpha of what lies beneath an opaque picture's painter.
        if (mode == TCopyMode::cmSrcCopy) {
            p->save();
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
            p->setRenderHint(QPainter::SmoothPixmapTransform, false);
            p->drawImage(dest.ToQRect(), FImage);
            p->restore();
        } else {
            Blit(*p, dest.ToQRect(), FImage, mode);
        }
        return;
    }
    const QRgb key = ToRgb(TransparentColor());
    QImage picture = FImage.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->drawImage(dest.ToQRect(), picture);
    p->restore();
}

bool TBitmap::LoadFromFile(const String& path)
{
    // Any picture file we read loads, whatever its extension says.
    QImage loaded;
    const bool ok = LoadImageFile(path, loaded);
    SetImage(loaded);
    return ok;
}

void TBitmap::SetImage(const QImage& image)
{
    FlushCanvas();
    FImage = image.isNull() ? QImage() : image.convertToFormat(StorageFormat());
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
    FTransparentMode = other->FTransparentMode;
    FPixelFormat = other->FPixelFormat;
    Changed();
}

bool TBitmap::LoadFromResourceName(const String& name)
{
    const QImage made = BitmapResource(name);
    SetImage(made);
    return !made.isNull();
}
