// Image lists: pictures of one size kept together and drawn by index.

#include "platform/ImgList.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr QRgb RgbOnly = 0x00FFFFFF;

QImage Straight(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

// The washed-out grey a disabled image shows: dark parts become mid grey,
// light parts stay light, and the shape keeps its transparency.
QImage Greyed(const QImage& image)
{
    QImage grey = image.copy();
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb p = line[x];
            const int luminance = (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
            const int level = 128 + luminance / 2;
            line[x] = qRgba(level, level, level, qAlpha(p));
        }
    }
    return grey;
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed()
{
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetWidth(int width) { SetSize(width, FHeight); }

void TCustomImageList::SetHeight(int height) { SetSize(FWidth, height); }

void TCustomImageList::SetSize(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Changed();
}

int TCustomImageList::AddCells(const QImage& picture)
{
    const int first = Count();
    const int cells = std::max(1, picture.width() / FWidth);
    for (int i = 0; i < cells; ++i) {
        QImage cell(FWidth, FHeight, QImage::Format_ARGB32);
        cell.fill(Qt::transparent);
        QPainter p(&cell);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture, i * FWidth, 0, FWidth, FHeight);
        p.end();
        FImages.push_back(cell);
    }
    Changed();
    return first;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (!image || image->Empty()) return -1;
    QImage picture = Straight(image->Image());
    if (mask && !mask->Empty()) {
        const QImage& bits = mask->Image();
        const int w = std::min(picture.width(), bits.width());
        const int h = std::min(picture.height(), bits.height());
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < w; ++x)
                if (qGray(bits.pixel(x, y)) >= 128) line[x] = 0;
        }
    }
    return AddCells(picture);
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty()) return -1;
    QImage picture = Straight(image->Image());
    const QRgb key = maskColor == clDefault ? picture.pixel(0, picture.height() - 1) & RgbOnly
                                            : ToQColor(maskColor).rgb() & RgbOnly;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if ((line[x] & RgbOnly) == key) line[x] = 0;
    }
    return AddCells(picture);
}

void TCustomImageList::Clear()
{
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TCustomImageList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    FImages.erase(FImages.begin() + index);
    Changed();
}

QImage TCustomImageList::Image(int index) const
{
    if (index < 0 || index >= Count()) return QImage();
    return FImages[std::size_t(index)];
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image) const
{
    if (!image || index < 0 || index >= Count()) return false;
    image->SetImage(FImages[std::size_t(index)]);
    return true;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count()) return;
    QPainter* p = canvas.Painter();
    if (!p) return;
    const QImage& image = FImages[std::size_t(index)];
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(QPoint(x, y), enabled ? image : Greyed(image));
    p->restore();
}
