// The focus glow's window: a top-level pop-up above everything, never
// activated and transparent to the mouse, so it can draw past the grid;
// the alpha mask it shows and the blur that softens the glow.

#include "grid/ZvGridFocusWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <vector>

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 0, 0);
    SetColor(clRed);
    SetEnabled(false);
}

TGridFocusWindow::~TGridFocusWindow() = default;

bool TGridFocusWindow::Translucent()
{
    return HandleAllocated() && Handle()->testAttribute(Qt::WA_TranslucentBackground);
}

QWidget* TGridFocusWindow::CreateWidget(QWidget*)
{
    // Never a child of the grid: a child would be clipped to the grid's area.
    auto* w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                       Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                                       Qt::NoDropShadowWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setFocusPolicy(Qt::NoFocus);
    // Desktops that compose windows show the glow over what lies below;
    // elsewhere the window keeps its plain colour behind the picture.
    const QString platform = QGuiApplication::platformName();
    if (platform != u"offscreen" && platform != u"minimal") w->setAttribute(Qt::WA_TranslucentBackground);
    return w;
}

void TGridFocusWindow::CMVisibleChanged(TMessage& Message)
{
    TCustomControl::CMVisibleChanged(Message);
    // A top-level window is shown and hidden here; its parent does not do it.
    if (Visible()) HandleNeeded();
    if (HandleAllocated()) Handle()->setVisible(Visible());
}

void TGridFocusWindow::SetAlphaImage(const QImage& image)
{
    FAlphaImage = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Invalidate();
}

void TGridFocusWindow::Paint()
{
    QPainter* painter = Canvas()->Painter();
    if (!painter) return;
    const QRect area(0, 0, Width(), Height());
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    if (Translucent())
        painter->fillRect(area, Qt::transparent);
    else
        painter->fillRect(area, ToQColor(Color()));
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!FAlphaImage.isNull()) painter->drawImage(0, 0, FAlphaImage);
    TCustomControl::Paint();
}

// ============================================================================
// TGridAlphaMask
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
