#pragma once
// Pictures: bitmap resources by name, icons, the picture that holds any
// graphic, and the readers of the picture files the program meets (bitmaps,
// icons, PNG and JPEG).

#include "platform/Graphics.h"

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>

// ---- Bitmap resources --------------------------------------------------------
// The glyphs and check boxes our controls ship are drawn by code; each is
// registered under its resource name and made when asked for. Names are
// compared ignoring case; registering a name again replaces its factory.
void RegisterBitmapResource(const String& name, std::function<QImage()> make);
// A null image when no resource has that name.
QImage BitmapResource(const String& name);

// ---- Decoding ----------------------------------------------------------------
// Every reader checks each size and offset against the data before it reads,
// so broken, truncated or hostile files give false and a readable reason,
// never a crash, a huge allocation or an endless loop. Decoded images are
// QImage::Format_ARGB32 (straight alpha).

// Larger pictures are refused before anything is allocated for them.
constexpr int MaxPictureSide = 16384;
constexpr qint64 MaxPicturePixels = qint64(1) << 24;   // 64 MB of 32-bit pixels
// Files beyond this size are not read at all.
constexpr qint64 MaxPictureFileBytes = qint64(256) << 20;

enum class TImageKind { ikUnknown, ikBmp, ikIco, ikPng, ikJpeg };

// Windows bitmap files: core, info, V4 and V5 headers; 1, 4, 8, 16, 24 and 32
// bits per pixel; palettes, bit fields, RLE4 and RLE8; bottom-up and top-down.
bool DecodeBmp(const QByteArray& data, QImage& image, String* error = nullptr);
// Icon files: the entry with the most pixels, then the most bits per pixel
// (as the directory states them; the first on a tie) is decoded; when it is
// broken the next best is tried. An entry is a bitmap (colour image plus
// AND mask) or an embedded PNG.
bool DecodeIco(const QByteArray& data, QImage& image, String* error = nullptr);
bool DecodePng(const QByteArray& data, QImage& image, String* error = nullptr);
// Baseline and progressive; grey and YCbCr. CMYK pictures are refused.
bool DecodeJpeg(const QByteArray& data, QImage& image, String* error = nullptr);
// Baseline JPEG at the quality given (1 to 100); transparent parts on white.
bool EncodeJpeg(const QImage& image, QByteArray& data, int quality = 90, String* error = nullptr);

// The format the file name's extension names (.bmp .dib .ico .png .jpg .jpeg
// .jpe, any case), ikUnknown for others.
TImageKind ImageKindFromExtension(const String& path);
// The format the first bytes show, ikUnknown when they show none we read.
TImageKind SniffImageKind(const QByteArray& data);
// Decodes bytes that came from a file named `path` (the name may be empty).
// What the content shows wins over the name, since users rename files; when
// the content shows no format we know, the name's format reads it so the
// error says what is wrong. Returns the format used, ikUnknown on failure.
TImageKind DecodeImage(const QByteArray& data, const String& path, QImage& image, String* error = nullptr);
// Reads the file and decodes it as DecodeImage does; the error names the file.
// `kind`, when given, receives the format that was read.
bool LoadImageFile(const String& path, QImage& image, String* error = nullptr, TImageKind* kind = nullptr);

// ---- Icon --------------------------------------------------------------------
// A picture with its own alpha: always drawn transparent.
class TIcon : public TGraphic {
public:
    TIcon();
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    bool Empty() const override { return FImage.isNull(); }
    void Draw(TCanvas& canvas, const TRect& dest) override;
    void SetTransparent(bool) override {}

    // Reads an icon file; on failure the icon is empty.
    bool LoadFromFile(const String& path, String* error = nullptr);
    const QImage& Image() const { return FImage; }
    void SetImage(const QImage& image);
    void Assign(TPersistent* source) override;

private:
    void Changed();
    QImage FImage;
};

// ---- Picture -----------------------------------------------------------------
// Holds one graphic of any kind: a bitmap (bitmap, PNG and JPEG files) or an
// icon. Its OnChange fires when the graphic is replaced or changes itself.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of `graphic`; nil empties the picture.
    void SetGraphic(TGraphic* graphic);
    // The graphic as a bitmap or an icon; a picture that holds something else
    // (or nothing) first gets a new empty one of that kind.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const;
    int Height() const;

    // The graphic class follows what the file holds. On failure the picture
    // is empty and LastError says why.
    bool LoadFromFile(const String& path);
    const String& LastError() const { return FLastError; }

    // From another picture, a graphic, or nil (empties).
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Replace(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
    String FLastError;
};
