#include "grid/support/ZvPictureContainer.h"

#include "platform/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>

// ---- THTMLPicture ----------------------------------------------------------------

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

int THTMLPicture::Width() const { return FImage.isNull() ? 0 : FImage.width(); }

int THTMLPicture::Height() const { return FImage.isNull() ? 0 : FImage.height(); }

int THTMLPicture::GetMaxWidth() const
{
    if (FImage.isNull()) return 0;
    return FAnimMaxX != 0 ? FAnimMaxX : Width();
}

int THTMLPicture::GetMaxHeight() const
{
    if (FImage.isNull()) return 0;
    return FAnimMaxY != 0 ? FAnimMaxY : Height();
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& dest)
{
    if (FIsEmpty || FImage.isNull()) return;
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    if (FStretched) painter->drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), FImage);
    else painter->drawImage(QPoint(dest.Left, dest.Top), FImage);
}

void THTMLPicture::Changed()
{
    if (OnChange) OnChange(this);
}

const TGifInfo& THTMLPicture::Gif()
{
    if (!FGifWalked) {
        WalkGif(FDatastream, FGif);
        FGifWalked = true;
    }
    return FGif;
}

void THTMLPicture::TakeData(const QByteArray& bytes)
{
    FDatastream = bytes;
    FGifWalked = false;
    FIsEmpty = false;
}

void THTMLPicture::DecodePicture()
{
    FImage = QImage();
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    if (FDatastream.isEmpty()) throw Exception(QStringLiteral("Empty image stream created"));
    String error;
    if (IsGIF()) {
        const TGifInfo& gif = Gif();
        if (!gif.Frames.empty()) {
            FAnimMaxX = gif.ScreenWidth;
            FAnimMaxY = gif.ScreenHeight;
            const int index = std::clamp(FFrame, 1, int(gif.Frames.size())) - 1;
            const TGifFrame& frame = gif.Frames[size_t(index)];
            FFrameXPos = frame.Left;
            FFrameYPos = frame.Top;
            FFrameXSize = frame.Width;
            FFrameYSize = frame.Height;
            if (!DecodeGifFrame(FDatastream, gif, index, FImage, &error))
                throw Exception(QStringLiteral("Could not load image. Invalid format"));
            return;
        }
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    }
    if (DecodeImage(FDatastream, String(), FImage, &error) == TImageKind::ikUnknown)
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
}

void THTMLPicture::LoadFromFile(const String& name)
{
    try {
        const QFileInfo info(name);
        // Only regular files of bounded size: a FIFO or device would block the paint.
        if (!info.isFile() || info.size() > MaxHTMLPictureFileBytes) throw Exception(QStringLiteral("Cannot open file ") + name);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Cannot open file ") + name);
        const QByteArray bytes = file.read(MaxHTMLPictureFileBytes + 1);
        if (bytes.size() > MaxHTMLPictureFileBytes) throw Exception(QStringLiteral("Cannot open file ") + name);
        TakeData(bytes);
        DecodePicture();
        Changed();
    } catch (const Exception&) {
        FIsEmpty = true;
        FImage = QImage();
    }
}

void THTMLPicture::LoadFromStream(const QByteArray& bytes)
{
    if (bytes.isEmpty()) return;
    TakeData(bytes);
    DecodePicture();
    Changed();
}

void THTMLPicture::LoadFromResourceName(const String& name)
{
    const QImage image = BitmapResource(name);
    if (image.isNull()) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    LoadFromStream(bytes);
}

void THTMLPicture::LoadFromResourceID(int id)
{
    const String name = QString::number(id);
    if (BitmapResource(name).isNull()) throw Exception(QStringLiteral("Resource %1 not found").arg(id));
    LoadFromResourceName(name);
}

void THTMLPicture::LoadFromURL(const String& url)
{
    const String upper = url.toUpper();
    if (upper.startsWith(QLatin1String("RES://"))) {
        FID = url;
        if (url.size() > 6) LoadFromResourceName(url.mid(6));
    } else if (upper.startsWith(QLatin1String("FILE://"))) {
        FID = url;
        if (url.size() > 7) LoadFromFile(url.mid(7));
    } else if (!FAsynch) {
        FURL = url;
        FID = url;
    } else if (!FThreadBusy) {
        // The download never transfers anything; the picture only remembers it asked.
        FURL = url;
        FThreadBusy = true;
    }
}

void THTMLPicture::Assign(TPersistent* source)
{
    FIsEmpty = true;
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    SetFrame(1);
    auto* other = dynamic_cast<THTMLPicture*>(source);
    if (!source) {
        FDatastream.clear();
        FGifWalked = false;
        FImage = QImage();
        return;
    }
    if (!other) return;
    TakeData(other->FDatastream);
    DecodePicture();
    Changed();
}

int THTMLPicture::CountFrames()
{
    if (!IsGIF()) return -1;
    if (FFrameCount < 0) FFrameCount = int(Gif().Frames.size());
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int i)
{
    if (!IsGIF()) return -1;
    const TGifInfo& gif = Gif();
    if (i < 1 || i > int(gif.Frames.size())) return -1;
    // A frame without a control block waits no time.
    return std::max(gif.Frames[size_t(i - 1)].Delay, 0);
}

void THTMLPicture::SetFrame(int value)
{
    FFrame = value;
    if (FDatastream.isEmpty()) return;
    try {
        DecodePicture();
    } catch (const Exception&) {
        FImage = QImage();
    }
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    const int count = CountFrames();
    SetFrame(FFrame >= count ? 1 : FFrame + 1);
}

void THTMLPicture::FramePrev()
{
    const int count = CountFrames();
    SetFrame(FFrame <= 1 ? std::max(count, 1) : FFrame - 1);
}

bool THTMLPicture::Step()
{
    bool changed = false;
    if (CountFrames() < 2 || FIsEmpty) return false;
    if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        FNextCount += GetFrameTime(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

// ---- THTMLPictureCache ----------------------------------------------------------------

THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture()
{
    FItems.push_back(std::make_unique<THTMLPicture>());
    return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& id) const
{
    for (const auto& picture : FItems)
        if (picture->ID() == id) return picture.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int i) const
{
    return i >= 0 && i < Count() ? FItems[size_t(i)].get() : nullptr;
}

void THTMLPictureCache::SetPicture(int i, THTMLPicture* picture)
{
    if (i < 0 || i >= Count()) return;
    FItems[size_t(i)].reset(picture);
}

void THTMLPictureCache::ClearPictures() { FItems.clear(); }

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& picture : FItems) changed = picture->Step() || changed;
    return changed;
}

// ---- Picture items, collection and container ------------------------------------------

TPictureItem::TPictureItem(TPictureCollection* collection)
    : FPicture(std::make_unique<THTMLPicture>()), FCollection(collection)
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::SetPicture(THTMLPicture* value) { FPicture->Assign(value); }

void TPictureItem::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TPictureItem*>(source);
    if (!other) return TPersistent::Assign(source);
    FName = other->FName;
    FTag = other->FTag;
    FPicture->Assign(other->FPicture.get());
}

TPictureCollection::~TPictureCollection() = default;

TPictureItem* TPictureCollection::Add() { return Insert(Count()); }

TPictureItem* TPictureCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TPictureItem>(this);
    TPictureItem* raw = item.get();
    FItems.insert(FItems.begin() + index, std::move(item));
    return raw;
}

TPictureItem* TPictureCollection::Items(int index) const
{
    return index >= 0 && index < Count() ? FItems[size_t(index)].get() : nullptr;
}

void TPictureCollection::SetItems(int index, TPictureItem* value)
{
    if (TPictureItem* item = Items(index)) item->Assign(value);
}

void TPictureCollection::Delete(int index)
{
    if (index >= 0 && index < Count()) FItems.erase(FItems.begin() + index);
}

void TPictureCollection::Clear() { FItems.clear(); }

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (const auto& item : FItems) changed = item->Picture()->Step() || changed;
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(TPictureCollection* value)
{
    if (value == FItems.get()) return;
    FItems.reset(value);
    if (FItems) FItems->FOwner = this;
}

THTMLPicture* TPictureContainer::FindPicture(const String& name) const
{
    if (!FItems) return nullptr;
    for (const auto& item : FItems->FItems)
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0) return item->Picture();
    return nullptr;
}
