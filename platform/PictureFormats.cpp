// Readers of the picture files the program meets: Windows bitmaps and icons
// are read here; PNG goes through libpng and JPEG through libjpeg.
//
// Picture files come from users (flag pictures in the LANGUAGE folder, cell
// pictures), so nothing in them is trusted: every size and offset is checked
// against the data before it is used, and every loop consumes input.

#include "platform/Files.h"
#include "platform/Pictures.h"

#include <QFileInfo>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

// The readers write pixels as the bytes B, G, R, A, which is QImage's
// ARGB32 in memory on the little-endian machines we build for.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pixel byte order assumes a little-endian machine");

namespace {

bool Fail(QImage& image, String* error, const String& why)
{
    image = QImage();
    if (error) *error = why;
    return false;
}

// A bounds-checked little-endian view of the file's bytes. Readers ask Has()
// before they read; the getters themselves do not check.
class Bytes {
public:
    explicit Bytes(const QByteArray& data)
        : FData(reinterpret_cast<const uchar*>(data.constData())), FSize(data.size()) {}
    Bytes(const uchar* data, qint64 size) : FData(data), FSize(size) {}

    qint64 Size() const { return FSize; }
    const uchar* At(qint64 pos) const { return FData + pos; }
    bool Has(qint64 pos, qint64 count) const { return pos >= 0 && count >= 0 && pos <= FSize && count <= FSize - pos; }
    quint8 U8(qint64 pos) const { return FData[pos]; }
    quint16 U16(qint64 pos) const { return qFromLittleEndian<quint16>(FData + pos); }
    quint32 U32(qint64 pos) const { return qFromLittleEndian<quint32>(FData + pos); }
    qint32 I32(qint64 pos) const { return qFromLittleEndian<qint32>(FData + pos); }

private:
    const uchar* FData;
    qint64 FSize;
};

// The checks every reader makes before it allocates the picture.
bool SizeAllowed(qint64 width, qint64 height, String& why)
{
    if (width <= 0 || height <= 0) {
        why = QStringLiteral("the picture size %1 x %2 is not valid").arg(width).arg(height);
        return false;
    }
    if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels) {
        why = QStringLiteral("the picture is too large (%1 x %2)").arg(width).arg(height);
        return false;
    }
    return true;
}

bool Allocate(QImage& image, qint64 width, qint64 height, String& why)
{
    image = QImage(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull()) {
        why = QStringLiteral("not enough memory for a picture of %1 x %2").arg(width).arg(height);
        return false;
    }
    return true;
}

// ---- Device-independent bitmaps (BMP files and icon entries) ------------------

constexpr quint32 BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5,
                  BI_ALPHABITFIELDS = 6;

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(quint32 m = 0) : mask(m)
    {
        if (!mask) return;
        shift = std::countr_zero(mask);
        bits = std::bit_width(mask >> shift);
    }
    int Get(quint32 pixel) const
    {
        const quint64 value = (pixel & mask) >> shift;
        if (bits >= 8) return int(value >> (bits - 8));
        const quint64 top = (quint64(1) << bits) - 1;
        return int((value * 255 + top / 2) / top);
    }
};

struct Dib {
    qint64 width = 0;
    qint64 height = 0;      // rows as stored (an icon's colour and mask rows together)
    bool topDown = false;
    int bpp = 0;
    quint32 compression = BI_RGB;
    quint32 masks[4] = {0, 0, 0, 0};   // red, green, blue, alpha
    qint64 sizeImage = 0;
    qint64 paletteAt = 0;   // just after the header and any separate masks
    qint64 colours = 0;     // palette entries the header asks for
    int entryBytes = 4;
};

bool ReadDibHeader(const Bytes& b, qint64 at, Dib& dib, String& why)
{
    if (!b.Has(at, 4)) {
        why = QStringLiteral("the header is cut short");
        return false;
    }
    const quint32 headerSize = b.U32(at);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108
        && headerSize != 124) {
        why = QStringLiteral("the header size %1 is not one we read").arg(headerSize);
        return false;
    }
    if (!b.Has(at, headerSize)) {
        why = QStringLiteral("the header is cut short");
        return false;
    }
    qint64 clrUsed = 0;
    if (headerSize == 12) {
        dib.width = b.U16(at + 4);
        dib.height = b.U16(at + 6);
        dib.bpp = b.U16(at + 10);
        dib.entryBytes = 3;
    } else {
        dib.width = b.I32(at + 4);
        dib.height = b.I32(at + 8);
        dib.bpp = b.U16(at + 14);
        dib.compression = b.U32(at + 16);
        dib.sizeImage = b.U32(at + 20);
        clrUsed = b.U32(at + 32);
        dib.entryBytes = 4;
    }
    dib.topDown = dib.height < 0;
    dib.height = dib.topDown ? -dib.height : dib.height;
    dib.paletteAt = at + headerSize;

    switch (dib.compression) {
    case BI_RGB:
        if (dib.bpp != 1 && dib.bpp != 4 && dib.bpp != 8 && dib.bpp != 16 && dib.bpp != 24 && dib.bpp != 32) {
            why = QStringLiteral("%1 bits per pixel is not a valid depth").arg(dib.bpp);
            return false;
        }
        if (dib.bpp == 16) {
            dib.masks[0] = 0x7C00, dib.masks[1] = 0x03E0, dib.masks[2] = 0x001F;
        } else if (dib.bpp == 32) {
            dib.masks[0] = 0xFF0000, dib.masks[1] = 0xFF00, dib.masks[2] = 0xFF;
        }
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (dib.bpp != (dib.compression == BI_RLE8 ? 8 : 4)) {
            why = QStringLiteral("run-length compression does not fit %1 bits per pixel").arg(dib.bpp);
            return false;
        }
        if (dib.topDown) {
            why = QStringLiteral("a run-length compressed picture cannot be stored top-down");
            return false;
        }
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: {
        if (dib.bpp != 16 && dib.bpp != 32) {
            why = QStringLiteral("bit fields do not fit %1 bits per pixel").arg(dib.bpp);
            return false;
        }
        const int count = dib.compression == BI_ALPHABITFIELDS || headerSize >= 56 ? 4 : 3;
        qint64 masksAt = at + 40;
        if (headerSize == 40) {
            // The masks follow a plain info header.
            if (!b.Has(dib.paletteAt, 4 * count)) {
                why = QStringLiteral("the colour masks are cut short");
                return false;
            }
            dib.paletteAt += 4 * count;
        } else if (headerSize == 12) {
            why = QStringLiteral("bit fields need an info header");
            return false;
        }
        for (int i = 0; i < count; ++i) dib.masks[i] = b.U32(masksAt + 4 * i);
        break;
    }
    case BI_JPEG:
    case BI_PNG:
        break;
    default:
        why = QStringLiteral("compression %1 is not one we read").arg(dib.compression);
        return false;
    }

    if (dib.compression != BI_JPEG && dib.compression != BI_PNG && !SizeAllowed(dib.width, dib.height, why))
        return false;
    if (dib.bpp <= 8 && dib.compression != BI_JPEG && dib.compression != BI_PNG) {
        const qint64 full = qint64(1) << dib.bpp;
        // More colours than the depth can index are never used; ignore them.
        dib.colours = clrUsed > 0 && clrUsed < full ? clrUsed : full;
    }
    return true;
}

// Reads the palette, of at most `available` entries (a bitmap file may start
// its pixels before the palette the header asks for is complete).
bool ReadPalette(const Bytes& b, const Dib& dib, qint64 available, std::vector<QRgb>& palette, String& why)
{
    const qint64 count = std::min(dib.colours, available);
    if (dib.bpp <= 8 && count <= 0) {
        why = QStringLiteral("the picture has no palette");
        return false;
    }
    if (!b.Has(dib.paletteAt, count * dib.entryBytes)) {
        why = QStringLiteral("the palette is cut short");
        return false;
    }
    palette.clear();
    for (qint64 i = 0; i < count; ++i) {
        const qint64 e = dib.paletteAt + i * dib.entryBytes;
        palette.push_back(qRgb(b.U8(e + 2), b.U8(e + 1), b.U8(e)));
    }
    return true;
}

qint64 RowStride(qint64 width, int bpp) { return (width * bpp + 31) / 32 * 4; }

bool PaletteIndexFault(qint64 index, const std::vector<QRgb>& palette, String& why)
{
    why = QStringLiteral("palette index %1 lies beyond the %2 colours of the palette").arg(index).arg(palette.size());
    return false;
}

// Uncompressed rows (any depth). With `useAlpha`, a 32-bit picture's fourth
// byte or the alpha mask gives the alpha; a picture whose alpha is zero
// everywhere is taken as opaque, as writers that ignore alpha leave it so.
// `alphaSeen` tells whether the alpha counted.
bool DecodeRows(const Bytes& b, qint64 at, const Dib& dib, const std::vector<QRgb>& palette, bool useAlpha,
                QImage& image, bool& alphaSeen, String& why)
{
    const qint64 w = dib.width, h = dib.height;
    const qint64 stride = RowStride(w, dib.bpp);
    // The last row's padding may be missing; its pixels may not.
    const qint64 need = stride * (h - 1) + (w * dib.bpp + 7) / 8;
    if (!b.Has(at, need)) {
        why = QStringLiteral("the pixel data is cut short");
        return false;
    }
    if (!Allocate(image, w, h, why)) return false;

    const Channel red(dib.masks[0]), green(dib.masks[1]), blue(dib.masks[2]), alpha(useAlpha ? dib.masks[3] : 0);
    bool anyAlpha = false;
    for (qint64 r = 0; r < h; ++r) {
        const uchar* src = b.At(at + r * stride);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(dib.topDown ? r : h - 1 - r)));
        for (qint64 x = 0; x < w; ++x) {
            if (dib.bpp <= 8) {
                const int perByte = 8 / dib.bpp;
                const int shift = 8 - dib.bpp * int(x % perByte + 1);
                const qint64 index = (src[x / perByte] >> shift) & ((1 << dib.bpp) - 1);
                if (index >= qint64(palette.size())) return PaletteIndexFault(index, palette, why);
                line[x] = palette[std::size_t(index)];
            } else if (dib.bpp == 24) {
                line[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            } else {
                const quint32 pixel = dib.bpp == 16 ? qFromLittleEndian<quint16>(src + 2 * x)
                                                    : qFromLittleEndian<quint32>(src + 4 * x);
                const int a = alpha.mask ? alpha.Get(pixel) : 255;
                anyAlpha = anyAlpha || (alpha.mask && a != 0);
                line[x] = qRgba(red.mask ? red.Get(pixel) : 0, green.mask ? green.Get(pixel) : 0,
                                blue.mask ? blue.Get(pixel) : 0, a);
            }
        }
    }
    alphaSeen = anyAlpha;
    if (alpha.mask && !anyAlpha) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) line[x] |= 0xFF000000u;
        }
    }
    return true;
}

// RLE8 and RLE4: runs, end-of-line, delta and absolute runs, until the
// end-of-bitmap mark. Pixels the stream skips keep the first palette colour.
// Each step consumes at least two bytes, so the loop ends with the data.
bool DecodeRle(const Bytes& b, qint64 at, const Dib& dib, const std::vector<QRgb>& palette, QImage& image,
               String& why)
{
    const bool rle8 = dib.compression == BI_RLE8;
    const qint64 w = dib.width, h = dib.height;
    if (!Allocate(image, w, h, why)) return false;
    image.fill(palette.front());

    auto fault = [&why](const char* what) {
        why = QString::fromLatin1(what);
        return false;
    };
    qint64 pos = at, x = 0, y = 0;   // y counts rows from the bottom
    auto put = [&](qint64 index) {
        if (index >= qint64(palette.size())) return PaletteIndexFault(index, palette, why);
        reinterpret_cast<QRgb*>(image.scanLine(int(h - 1 - y)))[x++] = palette[std::size_t(index)];
        return true;
    };
    for (;;) {
        if (!b.Has(pos, 2)) return fault("the compressed data ends before its end mark");
        const int count = b.U8(pos), value = b.U8(pos + 1);
        pos += 2;
        if (count > 0) {
            if (y >= h || x + count > w) return fault("a run goes past the picture");
            for (int i = 0; i < count; ++i)
                if (!put(rle8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F))) return false;
        } else if (value == 0) {   // end of line
            x = 0;
            if (++y > h) return fault("the compressed data has more lines than the picture");
        } else if (value == 1) {   // end of bitmap
            return true;
        } else if (value == 2) {   // delta
            if (!b.Has(pos, 2)) return fault("the compressed data ends before its end mark");
            x += b.U8(pos);
            y += b.U8(pos + 1);
            pos += 2;
            if (x > w || y > h) return fault("a move goes past the picture");
        } else {                   // absolute run of `value` pixels, padded to 16 bits
            const qint64 bytes = rle8 ? value : (value + 1) / 2;
            const qint64 padded = (bytes + 1) & ~qint64(1);
            if (!b.Has(pos, padded)) return fault("the compressed data ends before its end mark");
            if (y >= h || x + value > w) return fault("a run goes past the picture");
            for (int i = 0; i < value; ++i) {
                const int byte = b.U8(pos + (rle8 ? i : i / 2));
                if (!put(rle8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F))) return false;
            }
            pos += padded;
        }
    }
}

bool DecodeBmpBytes(const Bytes& b, QImage& image, String& why)
{
    if (!b.Has(0, 2) || b.U8(0) != 'B' || b.U8(1) != 'M') {
        why = b.Size() == 0 ? QStringLiteral("the file is empty") : QStringLiteral("not a bitmap file");
        return false;
    }
    if (!b.Has(0, 14)) {
        why = QStringLiteral("the file header is cut short");
        return false;
    }
    const qint64 offBits = b.U32(10);
    Dib dib;
    if (!ReadDibHeader(b, 14, dib, why)) return false;

    if (dib.compression == BI_JPEG || dib.compression == BI_PNG) {
        // A bitmap file that only wraps a JPEG or PNG picture.
        if (!b.Has(offBits, 1)) {
            why = QStringLiteral("the picture data lies outside the file");
            return false;
        }
        const QByteArray inner = QByteArray::fromRawData(reinterpret_cast<const char*>(b.At(offBits)),
                                                         b.Size() - offBits);
        String innerWhy;
        const bool ok = dib.compression == BI_PNG ? DecodePng(inner, image, &innerWhy)
                                                  : DecodeJpeg(inner, image, &innerWhy);
        if (!ok) why = innerWhy;
        return ok;
    }

    if (offBits < dib.paletteAt) {
        why = QStringLiteral("the pixel data offset %1 lies inside the header").arg(offBits);
        return false;
    }
    if (offBits > b.Size()) {
        why = QStringLiteral("the pixel data lies outside the file");
        return false;
    }
    std::vector<QRgb> palette;
    if (dib.bpp <= 8 && !ReadPalette(b, dib, (offBits - dib.paletteAt) / dib.entryBytes, palette, why)) return false;
    if (dib.compression == BI_RLE8 || dib.compression == BI_RLE4) return DecodeRle(b, offBits, dib, palette, image, why);
    bool alphaSeen = false;
    return DecodeRows(b, offBits, dib, palette, true, image, alphaSeen, why);
}

// ---- Icons ---------------------------------------------------------------------

const uchar PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWithPng(const Bytes& b) { return b.Has(0, 8) && std::memcmp(b.At(0), PngSignature, 8) == 0; }

// One entry: a PNG, or a bitmap whose header counts the colour rows and the
// mask rows together. The AND mask (1 = transparent) gives the alpha unless
// a 32-bit colour image brings its own.
bool DecodeIconEntry(const Bytes& b, QImage& image, String& why)
{
    if (StartsWithPng(b)) {
        const QByteArray inner = QByteArray::fromRawData(reinterpret_cast<const char*>(b.At(0)), b.Size());
        return DecodePng(inner, image, &why);
    }
    Dib dib;
    if (!ReadDibHeader(b, 0, dib, why)) return false;
    if (dib.compression != BI_RGB && dib.compression != BI_BITFIELDS && dib.compression != BI_ALPHABITFIELDS) {
        why = QStringLiteral("compression %1 is not used in icons").arg(dib.compression);
        return false;
    }
    if (dib.topDown || dib.height < 2) {
        why = QStringLiteral("the icon's bitmap height does not hold a picture and its mask");
        return false;
    }
    dib.height /= 2;
    if (dib.bpp == 32 && dib.compression == BI_RGB) dib.masks[3] = 0xFF000000u;

    std::vector<QRgb> palette;
    if (dib.bpp <= 8 && !ReadPalette(b, dib, dib.colours, palette, why)) return false;
    const qint64 pixelsAt = dib.paletteAt + (dib.bpp <= 8 ? dib.colours * dib.entryBytes : 0);
    bool alphaSeen = false;
    if (!DecodeRows(b, pixelsAt, dib, palette, true, image, alphaSeen, why)) return false;
    if (alphaSeen) return true;

    const qint64 maskAt = pixelsAt + RowStride(dib.width, dib.bpp) * dib.height;
    const qint64 maskStride = RowStride(dib.width, 1);
    if (!b.Has(maskAt, maskStride * (dib.height - 1) + (dib.width + 7) / 8)) {
        why = QStringLiteral("the icon's mask is cut short");
        image = QImage();
        return false;
    }
    for (qint64 r = 0; r < dib.height; ++r) {
        const uchar* src = b.At(maskAt + r * maskStride);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(dib.height - 1 - r)));
        for (qint64 x = 0; x < dib.width; ++x)
            if (src[x / 8] & (0x80 >> (x % 8))) line[x] = 0;
    }
    return true;
}

struct IconEntry {
    int number = 0;   // 1-based, for messages
    qint64 pixels = 0;
    int depth = 0;
    qint64 offset = 0;
    qint64 bytes = 0;
};

// Broken entries make us try the next best, but only a few: every entry may
// point at the same large data.
constexpr int MaxIconTries = 8;

bool DecodeIcoBytes(const Bytes& b, QImage& image, String& why)
{
    if (b.Size() == 0) {
        why = QStringLiteral("the file is empty");
        return false;
    }
    if (!b.Has(0, 6) || b.U16(0) != 0 || (b.U16(2) != 1 && b.U16(2) != 2)) {
        why = QStringLiteral("not an icon file");
        return false;
    }
    const int count = b.U16(4);
    if (count == 0) {
        why = QStringLiteral("the icon holds no pictures");
        return false;
    }
    if (!b.Has(6, qint64(16) * count)) {
        why = QStringLiteral("the icon directory is cut short");
        return false;
    }
    std::vector<IconEntry> entries;
    for (int i = 0; i < count; ++i) {
        const qint64 e = 6 + qint64(16) * i;
        IconEntry entry;
        entry.number = i + 1;
        const qint64 w = b.U8(e) ? b.U8(e) : 256, h = b.U8(e + 1) ? b.U8(e + 1) : 256;
        entry.pixels = w * h;
        const int colours = b.U8(e + 2);
        entry.depth = b.U16(e + 6) ? b.U16(e + 6) : (colours ? std::bit_width(unsigned(colours - 1)) : 0);
        entry.bytes = b.U32(e + 8);
        entry.offset = b.U32(e + 12);
        entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const IconEntry& a, const IconEntry& c) {
        return a.pixels != c.pixels ? a.pixels > c.pixels : a.depth > c.depth;
    });

    String first;
    const int tries = std::min<int>(MaxIconTries, int(entries.size()));
    for (int i = 0; i < tries; ++i) {
        const IconEntry& entry = entries[std::size_t(i)];
        String entryWhy;
        if (!b.Has(entry.offset, entry.bytes) || entry.bytes == 0) {
            entryWhy = QStringLiteral("its data lies outside the file");
        } else if (DecodeIconEntry(Bytes(b.At(entry.offset), entry.bytes), image, entryWhy)) {
            return true;
        }
        if (first.isEmpty()) first = QStringLiteral("picture %1 of the icon: %2").arg(entry.number).arg(entryWhy);
    }
    why = first;
    image = QImage();
    return false;
}

// ---- PNG -------------------------------------------------------------------------

// Ancillary chunks (text, colour profiles) may not ask for more than this.
constexpr png_alloc_size_t MaxPngChunkBytes = png_alloc_size_t(8) << 20;

struct PngSource {
    const uchar* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    char message[256] = {};
    QImage image;
    std::vector<png_bytep> rows;
};

[[noreturn]] void PngError(png_structp png, png_const_charp message)
{
    auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(source->message, sizeof source->message, "%s", message ? message : "unknown error");
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, std::size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->pos) png_error(png, "the file is cut short");
    std::memcpy(out, source->data + source->pos, count);
    source->pos += count;
}

// Runs under the error handler's jump: keeps nothing on the stack that needs
// destroying, as a jump out of libpng skips this frame.
void ReadPng(png_structp png, png_infop info, PngSource& source)
{
    png_set_user_limits(png, MaxPictureSide, MaxPictureSide);
    png_set_chunk_malloc_max(png, MaxPngChunkBytes);
    png_set_read_fn(png, &source, PngRead);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (qint64(width) * qint64(height) > MaxPicturePixels) png_error(png, "the picture is too large");
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;

    if (depth == 16) png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (hasTransparency) png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !hasTransparency) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * 4) png_error(png, "unexpected pixel layout");

    source.image = QImage(int(width), int(height), QImage::Format_ARGB32);
    if (source.image.isNull()) png_error(png, "not enough memory for the picture");
    source.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) source.rows[y] = source.image.scanLine(int(y));
    png_read_image(png, source.rows.data());
    png_read_end(png, nullptr);
}

// ---- JPEG ------------------------------------------------------------------------

// Progressive files may hold any number of scans, each a pass over the whole
// picture; a real picture has a dozen at most.
constexpr int MaxJpegScans = 200;
constexpr long MaxJpegMemory = 512L << 20;

struct JpegState {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    QImage image;
};

JpegState* StateOf(j_common_ptr cinfo) { return static_cast<JpegState*>(cinfo->client_data); }

[[noreturn]] void JpegFail(j_common_ptr cinfo, const char* message)
{
    JpegState* state = StateOf(cinfo);
    std::snprintf(state->message, sizeof state->message, "%s", message);
    std::longjmp(state->jump, 1);
}

// Replaces the library's handler, which would end the program.
[[noreturn]] void JpegErrorExit(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*cinfo->err->format_message)(cinfo, text);
    JpegFail(cinfo, text);
}

// Damaged data is only warned about, and decoding goes on with grey; but a
// file that simply stops is a truncated file.
void JpegEmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegFail(cinfo, "the file is cut short");
}

void JpegOutputMessage(j_common_ptr) {}

void JpegProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxJpegScans)
        JpegFail(cinfo, "the file holds too many scans");
}

// Runs under the error handler's jump (see ReadPng).
void ReadJpeg(JpegState& state, const uchar* data, std::size_t size)
{
    jpeg_decompress_struct& info = state.info;
    info.mem->max_memory_to_use = MaxJpegMemory;
    state.progress.progress_monitor = JpegProgress;
    info.progress = &state.progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
        JpegFail(reinterpret_cast<j_common_ptr>(&info), "CMYK pictures are not supported");
    if (qint64(info.image_width) > MaxPictureSide || qint64(info.image_height) > MaxPictureSide
        || qint64(info.image_width) * qint64(info.image_height) > MaxPicturePixels)
        JpegFail(reinterpret_cast<j_common_ptr>(&info), "the picture is too large");
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    if (info.output_components != 4 || info.output_width == 0 || info.output_height == 0)
        JpegFail(reinterpret_cast<j_common_ptr>(&info), "unexpected pixel layout");
    state.image = QImage(int(info.output_width), int(info.output_height), QImage::Format_ARGB32);
    if (state.image.isNull()) JpegFail(reinterpret_cast<j_common_ptr>(&info), "not enough memory for the picture");
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = state.image.scanLine(int(info.output_scanline));
        if (jpeg_read_scanlines(&info, &row, 1) != 1) JpegFail(reinterpret_cast<j_common_ptr>(&info), "the file is cut short");
    }
    jpeg_finish_decompress(&info);
}

String Prefixed(const char* format, const String& why) { return QString::fromLatin1(format) + QStringLiteral(": ") + why; }

} // namespace

// ---- Public readers ----------------------------------------------------------------

bool DecodeBmp(const QByteArray& data, QImage& image, String* error)
{
    String why;
    if (DecodeBmpBytes(Bytes(data), image, why)) return true;
    return Fail(image, error, Prefixed("BMP", why));
}

bool DecodeIco(const QByteArray& data, QImage& image, String* error)
{
    String why;
    if (DecodeIcoBytes(Bytes(data), image, why)) return true;
    return Fail(image, error, Prefixed("ICO", why));
}

bool DecodePng(const QByteArray& data, QImage& image, String* error)
{
    const Bytes b(data);
    if (!StartsWithPng(b))
        return Fail(image, error, Prefixed("PNG", data.isEmpty() ? QStringLiteral("the file is empty") : QStringLiteral("not a PNG file")));
    // Kept off the stack: a jump back from libpng leaves locals changed after
    // setjmp undefined.
    const auto source = std::make_unique<PngSource>();
    source->data = b.At(0);
    source->size = std::size_t(b.Size());
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, source.get(), PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(png ? &png : nullptr, nullptr, nullptr);
        return Fail(image, error, Prefixed("PNG", QStringLiteral("the reader cannot be set up")));
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return Fail(image, error, Prefixed("PNG", QString::fromLatin1(source->message)));
    }
    ReadPng(png, info, *source);
    png_destroy_read_struct(&png, &info, nullptr);
    image = std::move(source->image);
    return true;
}

bool DecodeJpeg(const QByteArray& data, QImage& image, String* error)
{
    const Bytes b(data);
    if (!b.Has(0, 3) || b.U8(0) != 0xFF || b.U8(1) != 0xD8 || b.U8(2) != 0xFF)
        return Fail(image, error, Prefixed("JPEG", data.isEmpty() ? QStringLiteral("the file is empty") : QStringLiteral("not a JPEG file")));
    // Kept off the stack, as for PNG.
    const auto state = std::make_unique<JpegState>();
    state->info.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = JpegErrorExit;
    state->errors.emit_message = JpegEmitMessage;
    state->errors.output_message = JpegOutputMessage;
    state->info.client_data = state.get();
    if (setjmp(state->jump)) {
        jpeg_destroy_decompress(&state->info);
        return Fail(image, error, Prefixed("JPEG", QString::fromLatin1(state->message)));
    }
    jpeg_create_decompress(&state->info);
    ReadJpeg(*state, b.At(0), std::size_t(b.Size()));
    jpeg_destroy_decompress(&state->info);
    image = std::move(state->image);
    return true;
}

TImageKind ImageKindFromExtension(const String& path)
{
    const String ext = LowerCase(ExtractFileExt(path));
    if (ext == u".bmp" || ext == u".dib") return TImageKind::ikBmp;
    if (ext == u".ico") return TImageKind::ikIco;
    if (ext == u".png") return TImageKind::ikPng;
    if (ext == u".jpg" || ext == u".jpeg" || ext == u".jpe") return TImageKind::ikJpeg;
    return TImageKind::ikUnknown;
}

TImageKind SniffImageKind(const QByteArray& data)
{
    const Bytes b(data);
    if (StartsWithPng(b)) return TImageKind::ikPng;
    if (b.Has(0, 3) && b.U8(0) == 0xFF && b.U8(1) == 0xD8 && b.U8(2) == 0xFF) return TImageKind::ikJpeg;
    if (b.Has(0, 2) && b.U8(0) == 'B' && b.U8(1) == 'M') return TImageKind::ikBmp;
    if (b.Has(0, 6) && b.U16(0) == 0 && (b.U16(2) == 1 || b.U16(2) == 2) && b.U16(4) != 0) return TImageKind::ikIco;
    return TImageKind::ikUnknown;
}

TImageKind DecodeImage(const QByteArray& data, const String& path, QImage& image, String* error)
{
    TImageKind kind = SniffImageKind(data);
    if (kind == TImageKind::ikUnknown) kind = ImageKindFromExtension(path);
    bool ok = false;
    switch (kind) {
    case TImageKind::ikBmp: ok = DecodeBmp(data, image, error); break;
    case TImageKind::ikIco: ok = DecodeIco(data, image, error); break;
    case TImageKind::ikPng: ok = DecodePng(data, image, error); break;
    case TImageKind::ikJpeg: ok = DecodeJpeg(data, image, error); break;
    case TImageKind::ikUnknown:
        Fail(image, error, data.isEmpty() ? QStringLiteral("the file is empty")
                                          : QStringLiteral("not a picture format we read (bitmap, icon, PNG or JPEG)"));
        break;
    }
    return ok ? kind : TImageKind::ikUnknown;
}

bool LoadImageFile(const String& path, QImage& image, String* error, TImageKind* kind)
{
    if (kind) *kind = TImageKind::ikUnknown;
    if (!FileExists(path)) return Fail(image, error, QStringLiteral("%1: the file does not exist").arg(path));
    const qint64 size = QFileInfo(path).size();
    if (size > MaxPictureFileBytes)
        return Fail(image, error, QStringLiteral("%1: the file is too large for a picture (%2 bytes)").arg(path).arg(size));
    QByteArray data;
    if (!ReadFileBytes(path, data)) return Fail(image, error, QStringLiteral("%1: the file cannot be read").arg(path));
    String why;
    const TImageKind used = DecodeImage(data, path, image, &why);
    if (used == TImageKind::ikUnknown) return Fail(image, error, QStringLiteral("%1: %2").arg(path, why));
    if (kind) *kind = used;
    if (error) error->clear();
    return true;
}

// ---- JPEG writing ------------------------------------------------------------

namespace {

struct JpegWriteState {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

[[noreturn]] void JpegWriteErrorExit(j_common_ptr cinfo)
{
    auto* state = static_cast<JpegWriteState*>(cinfo->client_data);
    (*cinfo->err->format_message)(cinfo, state->message);
    std::longjmp(state->jump, 1);
}

} // namespace

bool EncodeJpeg(const QImage& image, QByteArray& data, int quality, String* error)
{
    data.clear();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        if (error) *error = QStringLiteral("JPEG: the picture is empty");
        return false;
    }
    // JPEG has no transparency: what is see-through is written over white, as it shows on a page.
    QImage rgb(image.size(), QImage::Format_RGB888);
    rgb.fill(Qt::white);
    {
        QPainter painter(&rgb);
        painter.drawImage(0, 0, image);
    }
    const auto state = std::make_unique<JpegWriteState>();
    state->info.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = JpegWriteErrorExit;
    state->info.client_data = state.get();
    if (setjmp(state->jump)) {
        jpeg_destroy_compress(&state->info);
        std::free(state->buffer);
        if (error) *error = Prefixed("JPEG", QString::fromLatin1(state->message));
        return false;
    }
    jpeg_create_compress(&state->info);
    jpeg_mem_dest(&state->info, &state->buffer, &state->size);
    state->info.image_width = JDIMENSION(rgb.width());
    state->info.image_height = JDIMENSION(rgb.height());
    state->info.input_components = 3;
    state->info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&state->info);
    jpeg_set_quality(&state->info, std::clamp(quality, 1, 100), TRUE);
    jpeg_start_compress(&state->info, TRUE);
    while (state->info.next_scanline < state->info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(state->info.next_scanline)));
        jpeg_write_scanlines(&state->info, &row, 1);
    }
    jpeg_finish_compress(&state->info);
    jpeg_destroy_compress(&state->info);
    data = QByteArray(reinterpret_cast<const char*>(state->buffer), qsizetype(state->size));
    std::free(state->buffer);
    return true;
}
