#pragma once
// Image lists: pictures of one size kept together and drawn by index.

#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <QImage>
#include <vector>

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner = nullptr);
    ~TCustomImageList() override;

    // 16 x 16 until set; a new size empties the list.
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    int Count() const { return int(FImages.size()); }

    // A picture wider than the list's images is a strip and gives one image
    // per full image width (at least one). `mask` (may be nil) is a
    // black-and-white picture of the same size: white marks transparent
    // pixels. Without a mask the picture's own alpha counts. Returns the
    // index of the first image added, -1 when nothing was added.
    int Add(TBitmap* image, TBitmap* mask);
    // Pixels of `maskColor` become transparent; clDefault takes the colour of
    // the picture's bottom-left pixel.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Clear();
    // Out-of-range indexes are ignored.
    void Delete(int index);
    // The image with its transparency as alpha; false for an index out of range.
    bool GetBitmap(int index, TBitmap* image) const;
    // The image itself (a null image for an index out of range).
    QImage Image(int index) const;

    // Draws the image at its own size with its transparency; disabled images
    // are drawn greyed. Out-of-range indexes draw nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    TNotifyEvent OnChange;

private:
    int AddCells(const QImage& picture);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    std::vector<QImage> FImages;   // ARGB32, FWidth x FHeight each
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
