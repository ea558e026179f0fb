#pragma once
// The pictures of mini-HTML text: a picture that keeps the raw bytes of its
// file and shows one frame of them, the cache of pictures loaded by location,
// and the container of named pictures that image tags refer to by name.

#include "grid/support/ZvGifWalk.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>
#include <vector>

using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& err)>;
using TDownloadProgressEvent = std::function<void(TObject* Sender, qint64 dwSize, qint64 dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;

// Files named by an image tag are read only when they are regular files of
// at most this size, so a FIFO, a device or a huge file never stalls a paint.
constexpr qint64 MaxHTMLPictureFileBytes = qint64(16) << 20;

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;

    int Width() const override;
    int Height() const override;
    bool Empty() const override { return FIsEmpty; }
    void Draw(TCanvas& canvas, const TRect& dest) override;
    // A picture's size follows its data; setting it does nothing.
    void SetWidth(int) {}
    void SetHeight(int) {}

    // Errors (missing, unreadable or undecodable file) leave the picture empty.
    void LoadFromFile(const String& name);
    // Decoding errors reach the caller as exceptions; an empty array is a nil stream.
    void LoadFromStream(const QByteArray& bytes);
    // From the program's named resources; nothing when no resource has the name.
    void LoadFromResourceName(const String& name);
    // Raises when no resource has that number.
    void LoadFromResourceID(int id);
    // "res://name" and "file://path" load at once (the prefix in any case);
    // other locations load nothing: this program never downloads pictures.
    void LoadFromURL(const String& url);
    QByteArray SaveToStream() const { return FDatastream; }
    void Assign(TPersistent* source) override;

    // Largest frame size: the GIF logical screen when known, else the picture's size.
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    bool IsGIF() const { return IsGifData(FDatastream); }
    // -1 for data that is not a GIF.
    int CountFrames();
    // Delay of frame i (1-based) in hundredths of a second; -1 when there is none.
    int GetFrameTime(int i);
    int Frame() const { return FFrame; }
    void SetFrame(int value);
    void FrameNext();
    void FramePrev();
    // One animation tick (a tenth of a second of GIF time); true when the frame changed.
    bool Step();

    bool Stretch() const { return FStretched; }
    void SetStretch(bool value) { FStretched = value; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool value) { FAsynch = value; }
    const String& ID() const { return FID; }
    void SetID(const String& value) { FID = value; }
    const String& URL() const { return FURL; }
    bool ThreadBusy() const { return FThreadBusy; }
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int FrameXSize() const { return FFrameXSize; }
    int FrameYSize() const { return FFrameYSize; }
    // The decoded picture of the current frame.
    const QImage& Image() const { return FImage; }

    TNotifyEvent OnFrameChange;
    // Kept for layouts that set them; no transfer ever runs, so they never fire.
    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TNotifyEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

private:
    void DecodePicture();
    void TakeData(const QByteArray& bytes);
    void Changed();
    const TGifInfo& Gif();

    QByteArray FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    QImage FImage;
    String FURL;
    String FID;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    int FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
    int FAnimMaxX = 0, FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
    // The walk of the data, redone only when the data changes.
    TGifInfo FGif;
    bool FGifWalked = false;
};

// Pictures the renderer loaded by location; it owns them.
class THTMLPictureCache : public TObject {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() override;

    THTMLPicture* AddPicture();
    // The first picture whose ID equals `id` exactly; nil when none.
    THTMLPicture* FindPicture(const String& id) const;
    int Count() const { return int(FItems.size()); }
    THTMLPicture* GetPicture(int i) const;
    // Replaces (and frees) the picture at i.
    void SetPicture(int i, THTMLPicture* picture);
    void ClearPictures();
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureCollection;

class TPictureItem : public TPersistent {
public:
    explicit TPictureItem(TPictureCollection* collection = nullptr);
    ~TPictureItem() override;
    THTMLPicture* Picture() const { return FPicture.get(); }
    // Copies the picture's data.
    void SetPicture(THTMLPicture* value);
    const String& Name() const { return FName; }
    void SetName(const String& value) { FName = value; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    TPictureCollection* Collection() const { return FCollection; }
    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<THTMLPicture> FPicture;
    String FName;
    int FTag = 0;
    TPictureCollection* FCollection;
};

class TPictureContainer;

class TPictureCollection : public TPersistent {
public:
    explicit TPictureCollection(TPictureContainer* owner = nullptr) : FOwner(owner) {}
    ~TPictureCollection() override;
    TPictureItem* Add();
    // Inserts at index (clamped to the list).
    TPictureItem* Insert(int index);
    int Count() const { return int(FItems.size()); }
    TPictureItem* Items(int index) const;
    // Copies `value` into the item at index.
    void SetItems(int index, TPictureItem* value);
    void Delete(int index);
    void Clear();
    TPictureContainer* Owner() const { return FOwner; }
    bool Animate();

private:
    friend class TPictureContainer;
    std::vector<std::unique_ptr<TPictureItem>> FItems;
    TPictureContainer* FOwner;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner = nullptr);
    ~TPictureContainer() override;
    TPictureCollection* Items() const { return FItems.get(); }
    // Takes the given collection over (no copy).
    void SetItems(TPictureCollection* value);
    // The picture of the first item whose Name equals `name` ignoring case; nil when none.
    virtual THTMLPicture* FindPicture(const String& name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
