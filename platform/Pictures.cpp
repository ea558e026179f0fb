// Bitmap resources, icons and the picture that holds any graphic.

#include "platform/Pictures.h"

#include <QPainter>
#include <map>
#include <mutex>

// ---- Bitmap resources --------------------------------------------------------

namespace {

struct ResourceTable {
    std::mutex lock;
    std::map<String, std::function<QImage()>> makers;   // by lower-case name
};

// Made on first use, so controls may register from static initialisers.
ResourceTable& Resources()
{
    static ResourceTable table;
    return table;
}

} // namespace

void RegisterBitmapResource(const String& name, std::function<QImage()> make)
{
    ResourceTable& table = Resources();
    const std::lock_guard<std::mutex> guard(table.lock);
    if (make)
        table.makers[LowerCase(name)] = std::move(make);
    else
        table.makers.erase(LowerCase(name));
}

QImage BitmapResource(const String& name)
{
    std::function<QImage()> make;
    {
        ResourceTable& table = Resources();
        const std::lock_guard<std::mutex> guard(table.lock);
        const auto it = table.makers.find(LowerCase(name));
        if (it == table.makers.end()) return QImage();
        make = it->second;
    }
    return make();
}

// ---- Icon --------------------------------------------------------------------

TIcon::TIcon() { FTransparent = true; }

void TIcon::Changed()
{
    if (OnChange) OnChange(this);
}

void TIcon::Draw(TCanvas& canvas, const TRect& dest)
{
    if (FImage.isNull() || dest.IsEmpty()) return;
    QPainter* p = canvas.Painter();
    if (!p) return;
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setRenderHint(QPainter::SmoothPixmapTransform, dest.Width() != Width() || dest.Height() != Height());
    p->drawImage(dest.ToQRect(), FImage);
    p->restore();
}

bool TIcon::LoadFromFile(const String& path, String* error)
{
    QImage image;
    TImageKind kind = TImageKind::ikUnknown;
    String why;
    bool ok = LoadImageFile(path, image, &why, &kind);
    if (ok && kind != TImageKind::ikIco) {
        ok = false;
        why = QStringLiteral("%1: not an icon file").arg(path);
    }
    SetImage(ok ? image : QImage());
    if (error) *error = ok ? String() : why;
    return ok;
}

void TIcon::SetImage(const QImage& image)
{
    FImage = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
    Changed();
}

void TIcon::Assign(TPersistent* source)
{
    if (!source) {
        SetImage(QImage());
    } else if (auto* icon = dynamic_cast<TIcon*>(source)) {
        if (icon != this) SetImage(icon->FImage);
    } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        SetImage(bitmap->Image());
    } else {
        TGraphic::Assign(source);
    }
}

// ---- Picture -----------------------------------------------------------------

namespace {

// A copy of any graphic: bitmaps and icons keep their class; anything else is
// drawn into a bitmap of its size with a transparent background.
std::unique_ptr<TGraphic> CopyGraphic(TGraphic* source)
{
    if (auto* icon = dynamic_cast<TIcon*>(source)) {
        auto copy = std::make_unique<TIcon>();
        copy->Assign(icon);
        return copy;
    }
    auto copy = std::make_unique<TBitmap>();
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        copy->Assign(bitmap);
        return copy;
    }
    if (source->Empty() || source->Width() <= 0 || source->Height() <= 0) return copy;
    QImage clear(source->Width(), source->Height(), QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    copy->SetImage(clear);
    source->Draw(*copy->Canvas(), TRect{0, 0, source->Width(), source->Height()});
    copy->Canvas()->FreeHandle();
    copy->SetTransparent(source->Transparent());
    return copy;
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture()
{
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void TPicture::Replace(std::unique_ptr<TGraphic> graphic)
{
    if (FGraphic) FGraphic->OnChange = nullptr;
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* graphic)
{
    if (graphic == FGraphic.get() && graphic) return;
    Replace(graphic ? CopyGraphic(graphic) : nullptr);
}

TBitmap* TPicture::Bitmap()
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return bitmap;
    Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
    if (auto* icon = dynamic_cast<TIcon*>(FGraphic.get())) return icon;
    Replace(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }

int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

bool TPicture::LoadFromFile(const String& path)
{
    QImage image;
    TImageKind kind = TImageKind::ikUnknown;
    FLastError.clear();
    if (!LoadImageFile(path, image, &FLastError, &kind)) {
        Replace(nullptr);
        return false;
    }
    std::unique_ptr<TGraphic> graphic;
    if (kind == TImageKind::ikIco) {
        auto icon = std::make_unique<TIcon>();
        icon->SetImage(image);
        graphic = std::move(icon);
    } else {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetImage(image);
        graphic = std::move(bitmap);
    }
    Replace(std::move(graphic));
    return true;
}

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture != this) SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}
