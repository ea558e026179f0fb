// Picture files (bitmaps, icons, PNG, JPEG) written byte by byte here and read
// back pixel by pixel; broken and hostile files; pictures, icons, bitmap
// resources and image lists.

#include "platform/ImgList.h"
#include "platform/Pictures.h"
#include "tests/common/TestUtil.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <limits>
#include <random>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace {

// ---- Writing sample files ------------------------------------------------------

struct Le {
    QByteArray bytes;
    Le& u8(int v) { bytes.append(char(v & 0xFF)); return *this; }
    Le& u16(int v) { return u8(v).u8(v >> 8); }
    Le& u32(quint32 v) { return u16(int(v & 0xFFFF)).u16(int(v >> 16)); }
    Le& i32(qint32 v) { return u32(quint32(v)); }
    Le& raw(const QByteArray& b) { bytes.append(b); return *this; }
};

// Rows of raw pixel values (palette indexes or packed colours), top row first.
using Rows = std::vector<std::vector<quint32>>;

// Packs rows as a bitmap stores them: MSB-first bits for small depths,
// little-endian values for 16 and 32 bits, B,G,R for 24 bits; each row padded
// to 4 bytes; bottom row first unless top-down.
QByteArray PackRows(const Rows& rows, int bpp, bool topDown)
{
    QByteArray out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[topDown ? i : rows.size() - 1 - i];
        Le line;
        if (bpp <= 8) {
            int acc = 0, used = 0;
            for (quint32 v : row) {
                acc = (acc << bpp) | int(v);
                used += bpp;
                if (used == 8) line.u8(acc), acc = 0, used = 0;
            }
            if (used) line.u8(acc << (8 - used));
        } else {
            for (quint32 v : row) {
                if (bpp == 16) line.u16(int(v));
                else if (bpp == 24) line.u8(int(v)).u8(int(v >> 8)).u8(int(v >> 16));
                else line.u32(v);
            }
        }
        while (line.bytes.size() % 4) line.u8(0);
        out += line.bytes;
    }
    return out;
}

struct BmpFields {
    int header = 40;   // 12, 40, 108 or 124
    int width = 0;
    int height = 0;    // negative: top-down
    int bpp = 24;
    quint32 compression = 0;
    std::vector<QRgb> palette;
    quint32 clrUsed = 0;
    std::vector<quint32> masks;   // in the header (108, 124) or after a 40-byte one
    QByteArray pixels;
    qint64 offBits = -1;          // -1: just after the palette
};

QByteArray MakeBmp(const BmpFields& s)
{
    Le h;
    if (s.header == 12) {
        h.u32(12).u16(s.width).u16(s.height).u16(1).u16(s.bpp);
    } else {
        h.u32(quint32(s.header)).i32(s.width).i32(s.height).u16(1).u16(s.bpp).u32(s.compression)
            .u32(quint32(s.pixels.size())).u32(2835).u32(2835).u32(s.clrUsed).u32(0);
        if (s.header >= 108) {
            for (int i = 0; i < 4; ++i) h.u32(i < int(s.masks.size()) ? s.masks[std::size_t(i)] : 0);
            h.u32(0x73524742);   // colour space "sRGB"
            while (h.bytes.size() < s.header) h.u8(0);
        } else {
            for (quint32 m : s.masks) h.u32(m);
        }
    }
    for (QRgb c : s.palette) {
        h.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c));
        if (s.header != 12) h.u8(0);
    }
    const qint64 offBits = s.offBits >= 0 ? s.offBits : 14 + h.bytes.size();
    Le f;
    f.u8('B').u8('M').u32(quint32(14 + h.bytes.size() + s.pixels.size())).u32(0).u32(quint32(offBits));
    return f.bytes + h.bytes + s.pixels;
}

// An icon picture: a bitmap header of doubled height, palette, colour rows and
// the AND mask (1 = transparent), both bottom row first.
QByteArray IconDib(int w, int h, int bpp, const std::vector<QRgb>& palette, const Rows& pixels,
                   const std::vector<std::vector<int>>& mask, bool withMask = true)
{
    Le d;
    d.u32(40).i32(w).i32(2 * h).u16(1).u16(bpp).u32(0).u32(0).u32(0).u32(0).u32(quint32(palette.size())).u32(0);
    for (QRgb c : palette) d.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
    d.raw(PackRows(pixels, bpp, false));
    if (withMask) {
        Rows bits;
        for (const auto& row : mask) bits.emplace_back(row.begin(), row.end());
        d.raw(PackRows(bits, 1, false));
    }
    return d.bytes;
}

struct IcoEntry {
    int w, h, bpp;
    QByteArray data;
};

QByteArray MakeIco(const std::vector<IcoEntry>& entries)
{
    Le d;
    d.u16(0).u16(1).u16(int(entries.size()));
    quint32 offset = 6 + 16 * quint32(entries.size());
    for (const auto& e : entries) {
        d.u8(e.w & 0xFF).u8(e.h & 0xFF).u8(0).u8(0).u16(1).u16(e.bpp).u32(quint32(e.data.size())).u32(offset);
        offset += quint32(e.data.size());
    }
    for (const auto& e : entries) d.raw(e.data);
    return d.bytes;
}

void PngWriteBytes(png_structp png, png_bytep data, std::size_t n)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(n));
}

struct PngFields {
    int width = 0, height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int depth = 8;
    bool interlaced = false;
    std::vector<QRgb> palette;
    std::vector<png_byte> paletteAlpha;   // tRNS of a palette picture
    int greyTransparent = -1;             // tRNS of a grey picture
    std::vector<QByteArray> rows;         // raw row bytes as PNG stores them
};

QByteArray MakePng(const PngFields& s)
{
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "writing the sample PNG failed";
        return {};
    }
    png_set_write_fn(png, &out, PngWriteBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), s.depth, s.colourType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> pal;
    for (QRgb c : s.palette) pal.push_back(png_color{png_byte(qRed(c)), png_byte(qGreen(c)), png_byte(qBlue(c))});
    if (!pal.empty()) png_set_PLTE(png, info, pal.data(), int(pal.size()));
    if (!s.paletteAlpha.empty())
        png_set_tRNS(png, info, s.paletteAlpha.data(), int(s.paletteAlpha.size()), nullptr);
    png_color_16 grey{};
    grey.gray = png_uint_16(s.greyTransparent);
    if (s.greyTransparent >= 0) png_set_tRNS(png, info, nullptr, 0, &grey);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& r : s.rows) rows.push_back(reinterpret_cast<png_bytep>(const_cast<char*>(r.constData())));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

enum class JpegKind { Colour, Grey, Progressive, Cmyk };

// Flat 16 x 16 blocks, written without chroma subsampling, so that each
// block keeps its colour up to its edges.
const std::vector<QRgb> JpegBlocks = {qRgb(200, 30, 40), qRgb(20, 180, 60), qRgb(30, 60, 210), qRgb(240, 240, 240)};

QRgb JpegBlockColour(int x, int y) { return JpegBlocks[std::size_t((x / 16) + 2 * (y / 16))]; }

QByteArray MakeJpeg(JpegKind kind)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = 32;
    c.image_height = 32;
    c.input_components = kind == JpegKind::Grey ? 1 : kind == JpegKind::Cmyk ? 4 : 3;
    c.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : kind == JpegKind::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = 1;
    if (kind == JpegKind::Progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(std::size_t(32 * c.input_components));
    while (c.next_scanline < c.image_height) {
        const int y = int(c.next_scanline);
        for (int x = 0; x < 32; ++x) {
            const QRgb p = JpegBlockColour(x, y);
            unsigned char* px = row.data() + x * c.input_components;
            if (kind == JpegKind::Grey) {
                px[0] = (unsigned char)qGray(p);
            } else {
                px[0] = (unsigned char)qRed(p), px[1] = (unsigned char)qGreen(p), px[2] = (unsigned char)qBlue(p);
                if (kind == JpegKind::Cmyk) px[3] = 0;
            }
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&c);
    free(buffer);
    return out;
}

QByteArray QtPng(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

// ---- Checking ---------------------------------------------------------------------

// Pixel-exact comparison, naming the first pixel that differs.
::testing::AssertionResult SamePixels(const QImage& actual, const std::vector<std::vector<QRgb>>& expected)
{
    if (actual.isNull()) return ::testing::AssertionFailure() << "no picture";
    const int h = int(expected.size()), w = int(expected[0].size());
    if (actual.width() != w || actual.height() != h)
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << ", expected "
                                             << w << "x" << h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (actual.pixel(x, y) != expected[std::size_t(y)][std::size_t(x)])
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                     << actual.pixel(x, y) << ", expected "
                                                     << expected[std::size_t(y)][std::size_t(x)];
    return ::testing::AssertionSuccess();
}

using Picture = std::vector<std::vector<QRgb>>;

// The picture of `rows` through `palette`.
Picture Through(const Rows& rows, const std::vector<QRgb>& palette)
{
    Picture p;
    for (const auto& row : rows) {
        p.emplace_back();
        for (quint32 v : row) p.back().push_back(palette[v]);
    }
    return p;
}

// ---- Bitmaps: every layout ----------------------------------------------------------

struct BmpLayout {
    const char* name;
    int header;
    int bpp;
    quint32 compression;
    bool topDown;
};

constexpr quint32 BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

// A 5 x 3 picture in the layout, with the picture it must decode to. Five
// pixels a row leave padding at every depth.
std::pair<QByteArray, Picture> Sample(const BmpLayout& l)
{
    const int w = 5, h = 3;
    BmpFields s;
    s.header = l.header;
    s.width = w;
    s.height = l.topDown ? -h : h;
    s.bpp = l.bpp;
    s.compression = l.compression;
    Picture expected(h, std::vector<QRgb>(w));
    Rows raw(h, std::vector<quint32>(w));
    if (l.bpp <= 8) {
        s.palette = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0x12, 0x34, 0x56), qRgb(0xFE, 0x80, 0x01)};
        const int colours = l.bpp == 1 ? 2 : 4;
        s.palette.resize(std::size_t(colours));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                raw[y][x] = quint32((x * 3 + y) % colours);
                expected[y][x] = s.palette[raw[y][x]];
            }
    } else {
        // 16-bit channels have 5 or 6 bits: use colours they hold exactly.
        const std::vector<QRgb> colours =
            l.bpp == 16 ? std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)}
                        : std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0x12, 0x34, 0x56), qRgb(0xFE, 0x80, 0x01), qRgb(0, 0, 255)};
        const bool alpha = l.bpp == 32 && l.compression == BI_BITFIELDS;
        const int alphas[] = {255, 0x80, 0, 0x40};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb c = colours[std::size_t((x + 2 * y) % 5)];
                const int a = alpha ? alphas[(x + y) % 4] : 255;
                expected[y][x] = qRgba(qRed(c), qGreen(c), qBlue(c), a);
                if (l.bpp == 24) raw[y][x] = c & 0xFFFFFF;
                else if (l.bpp == 32) raw[y][x] = (c & 0xFFFFFF) | (alpha ? quint32(a) << 24 : 0x40000000u);  // stray 4th byte without a mask
                else if (l.compression == BI_BITFIELDS) raw[y][x] = quint32((qRed(c) >> 3) << 11 | (qGreen(c) >> 2) << 5 | qBlue(c) >> 3);
                else raw[y][x] = quint32((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3);
            }
        if (l.compression == BI_BITFIELDS)
            s.masks = l.bpp == 16 ? std::vector<quint32>{0xF800, 0x07E0, 0x001F}
                                  : std::vector<quint32>{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    }
    s.pixels = PackRows(raw, l.bpp, l.topDown);
    return {MakeBmp(s), expected};
}

const BmpLayout Layouts[] = {
    {"core 1 bpp", 12, 1, BI_RGB, false},
    {"core 4 bpp", 12, 4, BI_RGB, false},
    {"core 8 bpp", 12, 8, BI_RGB, false},
    {"core 24 bpp", 12, 24, BI_RGB, false},
    {"info 1 bpp", 40, 1, BI_RGB, false},
    {"info 4 bpp", 40, 4, BI_RGB, false},
    {"info 8 bpp", 40, 8, BI_RGB, false},
    {"info 8 bpp top-down", 40, 8, BI_RGB, true},
    {"info 16 bpp 5-5-5", 40, 16, BI_RGB, false},
    {"info 16 bpp 5-6-5 bit fields", 40, 16, BI_BITFIELDS, false},
    {"info 24 bpp", 40, 24, BI_RGB, false},
    {"info 24 bpp top-down", 40, 24, BI_RGB, true},
    {"info 32 bpp, fourth byte ignored", 40, 32, BI_RGB, false},
    {"V4 32 bpp bit fields with alpha", 108, 32, BI_BITFIELDS, false},
    {"V5 32 bpp bit fields with alpha top-down", 124, 32, BI_BITFIELDS, true},
    {"V5 24 bpp", 124, 24, BI_RGB, false},
};

TEST(PicturesBmp, EveryLayoutDecodesPixelForPixel)
{
    for (const auto& layout : Layouts) {
        SCOPED_TRACE(layout.name);
        const auto [bytes, expected] = Sample(layout);
        QImage image;
        String error;
        ASSERT_TRUE(DecodeBmp(bytes, image, &error)) << error.toStdString();
        EXPECT_TRUE(SamePixels(image, expected));
    }
}

TEST(PicturesBmp, AllZeroAlphaMeansOpaque)
{
    // Writers that do not know alpha leave it zero; such pictures must not vanish.
    BmpFields s;
    s.header = 124;
    s.width = 2;
    s.height = 1;
    s.bpp = 32;
    s.compression = BI_BITFIELDS;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    s.pixels = PackRows({{0x00112233, 0x00445566}}, 32, false);
    QImage image;
    ASSERT_TRUE(DecodeBmp(MakeBmp(s), image));
    EXPECT_TRUE(SamePixels(image, {{qRgb(0x11, 0x22, 0x33), qRgb(0x44, 0x55, 0x66)}}));
}

const std::vector<QRgb> Eight = {qRgb(0, 0, 0),     qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(0, 0, 255),
                                 qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 255)};

QByteArray RleBmp(int bpp, int w, int h, const QByteArray& stream, std::vector<QRgb> palette = Eight)
{
    BmpFields s;
    s.width = w;
    s.height = h;
    s.bpp = bpp;
    s.compression = bpp == 8 ? BI_RLE8 : BI_RLE4;
    s.palette = std::move(palette);
    s.pixels = stream;
    return MakeBmp(s);
}

QByteArray B(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes) out.append(char(b));
    return out;
}

TEST(PicturesBmp, RunLengthStreamsDecode)
{
    // Rows are stored bottom first. RLE8: runs, an absolute run with its pad
    // byte, a delta (skipped pixels keep the first colour), end of line and
    // end of bitmap.
    const QByteArray rle8 = B({2, 1, 0, 3, 2, 3, 2, 0, 0, 0,   // bottom: 1 1 2 3 2
                               0, 2, 2, 0, 3, 3, 0, 0,         // middle: skip 2, 3 3 3
                               5, 2, 0, 1});                   // top: 2 2 2 2 2
    QImage image;
    String error;
    ASSERT_TRUE(DecodeBmp(RleBmp(8, 5, 3, rle8), image, &error)) << error.toStdString();
    EXPECT_TRUE(SamePixels(image, Through({{2, 2, 2, 2, 2}, {0, 0, 3, 3, 3}, {1, 1, 2, 3, 2}}, Eight)));

    // RLE4: a run alternates its two nibbles; an absolute run of 3 nibbles takes 2 bytes.
    const QByteArray rle4 = B({5, 0x12, 0, 0,                  // bottom: 1 2 1 2 1
                               0, 3, 0x34, 0x50, 2, 0x67, 0, 1});   // top: 3 4 5 6 7
    ASSERT_TRUE(DecodeBmp(RleBmp(4, 5, 2, rle4), image, &error)) << error.toStdString();
    EXPECT_TRUE(SamePixels(image, Through({{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}}, Eight)));
}

// ---- Bitmaps: broken files ------------------------------------------------------------

struct Broken {
    const char* name;
    QByteArray bytes;
};

std::vector<Broken> BrokenBitmaps()
{
    const auto [good, expected] = Sample({"", 40, 8, BI_RGB, false});
    BmpFields indexed;
    indexed.width = 4;
    indexed.height = 1;
    indexed.bpp = 8;
    indexed.palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    indexed.clrUsed = 2;
    indexed.pixels = PackRows({{0, 1, 5, 0}}, 8, false);

    auto with = [](BmpFields s, auto change) { change(s); return MakeBmp(s); };
    BmpFields plain;
    plain.width = 2;
    plain.height = 2;
    plain.pixels = PackRows({{0, 0}, {0, 0}}, 24, false);

    QByteArray badHeader = good;
    badHeader[14] = 41;
    return {
        {"empty", {}},
        {"only the signature", "BM"},
        {"garbage", QByteArray(64, '\x5A')},
        {"file header cut short", good.left(10)},
        {"header size unknown", badHeader},
        {"zero width", with(plain, [](BmpFields& s) { s.width = 0; })},
        {"zero height", with(plain, [](BmpFields& s) { s.height = 0; })},
        {"negative width", with(plain, [](BmpFields& s) { s.width = -2; })},
        {"width beyond the side limit", with(plain, [](BmpFields& s) { s.width = 100000; })},
        {"side allowed, too many pixels", with(plain, [](BmpFields& s) { s.width = 16384, s.height = 16384; })},
        {"most negative height", with(plain, [](BmpFields& s) { s.height = std::numeric_limits<qint32>::min(); })},
        {"huge run-length picture", RleBmp(8, 16384, 16384, B({0, 1}))},
        {"7 bits per pixel", with(plain, [](BmpFields& s) { s.bpp = 7; })},
        {"RLE8 at 24 bits", with(plain, [](BmpFields& s) { s.compression = BI_RLE8; })},
        {"unknown compression", with(plain, [](BmpFields& s) { s.compression = 9; })},
        {"run-length top-down", with(plain, [](BmpFields& s) { s.bpp = 8, s.compression = BI_RLE8, s.height = -2, s.palette = Eight; })},
        {"palette index beyond the palette", MakeBmp(indexed)},
        {"pixel offset inside the header", with(plain, [](BmpFields& s) { s.offBits = 20; })},
        {"pixel offset beyond the file", with(plain, [](BmpFields& s) { s.offBits = 100000; })},
        {"pixel data cut short", with(plain, [](BmpFields& s) { s.pixels.chop(5); })},
        {"bit field masks missing", with(plain, [](BmpFields& s) { s.bpp = 32, s.compression = BI_BITFIELDS, s.pixels.clear(); })},
        {"RLE run past the row", RleBmp(8, 5, 2, B({6, 1, 0, 1}))},
        {"RLE absolute run past the row", RleBmp(8, 2, 2, B({0, 3, 1, 1, 1, 0, 0, 1}))},
        {"RLE delta past the picture", RleBmp(8, 5, 2, B({0, 2, 0, 3, 0, 1}))},
        {"RLE more lines than the picture", RleBmp(8, 2, 1, B({0, 0, 0, 0, 2, 1, 0, 1}))},
        {"RLE without its end mark", RleBmp(8, 2, 2, B({2, 1, 0, 0, 2, 1}))},
        {"RLE absolute run cut short", RleBmp(8, 5, 2, B({0, 5, 1, 1}))},
        {"RLE palette index beyond the palette", RleBmp(8, 2, 1, B({2, 7, 0, 1}), {qRgb(1, 2, 3)})},
        {"RLE4 nibble beyond the palette", RleBmp(4, 2, 1, B({2, 0x05, 0, 1}), {qRgb(1, 2, 3), qRgb(4, 5, 6)})},
    };
}

TEST(PicturesBmp, BrokenFilesGiveAnErrorAndNoPicture)
{
    for (const auto& broken : BrokenBitmaps()) {
        SCOPED_TRACE(broken.name);
        QImage image(3, 3, QImage::Format_ARGB32);   // a left-over picture must go
        String error;
        EXPECT_FALSE(DecodeBmp(broken.bytes, image, &error));
        EXPECT_TRUE(image.isNull());
        EXPECT_TRUE(error.startsWith(u"BMP: ")) << error.toStdString();
        EXPECT_GT(error.size(), 6);
    }
}

TEST(PicturesBmp, ErrorsSayWhatIsWrong)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {RleBmp(8, 5, 2, B({6, 1, 0, 1})), "past the picture"},
        {RleBmp(8, 2, 1, B({2, 7, 0, 1}), {qRgb(1, 2, 3)}), "palette index 7"},
        {RleBmp(8, 16384, 16384, B({0, 1})), "too large"},
        {QByteArray(), "empty"},
    };
    for (const auto& [bytes, phrase] : cases) {
        String error;
        QImage image;
        EXPECT_FALSE(DecodeBmp(bytes, image, &error));
        EXPECT_TRUE(error.contains(QString::fromLatin1(phrase))) << error.toStdString();
    }
}

// ---- Icons ---------------------------------------------------------------------------

const std::vector<QRgb> Four = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

TEST(PicturesIco, BitmapEntryTakesItsAlphaFromTheMask)
{
    // 3 x 2 at 4 bpp: odd width pads both the colour rows and the mask rows.
    const Rows pixels = {{1, 2, 3}, {0, 1, 2}};
    const std::vector<std::vector<int>> mask = {{0, 1, 0}, {1, 0, 0}};
    QImage image;
    String error;
    ASSERT_TRUE(DecodeIco(MakeIco({{3, 2, 4, IconDib(3, 2, 4, Four, pixels, mask)}}), image, &error))
        << error.toStdString();
    EXPECT_TRUE(SamePixels(image, {{Four[1], 0, Four[3]}, {0, Four[1], Four[2]}}));
}

TEST(PicturesIco, ThirtyTwoBitEntryKeepsItsOwnAlpha)
{
    const Rows pixels = {{0xFF112233, 0x80445566}, {0x00000000, 0x40FFFFFF}};
    // The mask says "all transparent" but the colour image's alpha wins.
    QImage image;
    ASSERT_TRUE(DecodeIco(MakeIco({{2, 2, 32, IconDib(2, 2, 32, {}, pixels, {{1, 1}, {1, 1}})}}), image));
    EXPECT_TRUE(SamePixels(image, {{0xFF112233, 0x80445566}, {0x00000000, 0x40FFFFFF}}));

    // Alpha zero everywhere: the mask decides.
    ASSERT_TRUE(DecodeIco(MakeIco({{2, 1, 32, IconDib(2, 1, 32, {}, {{0x00112233, 0x00445566}}, {{1, 0}})}}), image));
    EXPECT_TRUE(SamePixels(image, {{0, 0xFF445566}}));
}

TEST(PicturesIco, PngEntryDecodes)
{
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.setPixel(0, 0, 0xFF102030), picture.setPixel(1, 0, 0x80FF0000), picture.setPixel(2, 0, 0x00000000);
    picture.setPixel(0, 1, 0xFFFFFFFF), picture.setPixel(1, 1, 0xFF00FF00), picture.setPixel(2, 1, 0xFF0000FF);
    QImage image;
    String error;
    ASSERT_TRUE(DecodeIco(MakeIco({{3, 2, 32, QtPng(picture)}}), image, &error)) << error.toStdString();
    EXPECT_TRUE(SamePixels(image, {{0xFF102030, 0x80FF0000, 0x00000000}, {0xFFFFFFFF, 0xFF00FF00, 0xFF0000FF}}));
}

// Entry of size n filled with one palette colour, fully opaque.
IcoEntry Solid(int n, int bpp, int colour)
{
    return {n, n, bpp, IconDib(n, n, bpp, Four, Rows(std::size_t(n), std::vector<quint32>(std::size_t(n), quint32(colour))),
                               std::vector<std::vector<int>>(std::size_t(n), std::vector<int>(std::size_t(n), 0)))};
}

TEST(PicturesIco, ChoosesTheLargestThenTheDeepestEntry)
{
    struct Case {
        const char* name;
        std::vector<IcoEntry> entries;
        QRgb colour;
        int size;
    } cases[] = {
        {"largest wins", {Solid(2, 4, 1), Solid(4, 4, 2), Solid(3, 8, 3)}, Four[2], 4},
        {"same size: deepest wins", {Solid(2, 4, 1), Solid(2, 8, 2)}, Four[2], 2},
        {"tie: first wins", {Solid(2, 4, 1), Solid(2, 4, 2)}, Four[1], 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image;
        ASSERT_TRUE(DecodeIco(MakeIco(c.entries), image));
        EXPECT_EQ(image.width(), c.size);
        EXPECT_EQ(image.pixel(0, 0), c.colour);
    }

    // A broken best entry gives way to the next best.
    IcoEntry broken = Solid(4, 4, 2);
    broken.data.truncate(30);
    QImage image;
    ASSERT_TRUE(DecodeIco(MakeIco({Solid(2, 4, 1), broken}), image));
    EXPECT_EQ(image.width(), 2);
    EXPECT_EQ(image.pixel(0, 0), Four[1]);
}

TEST(PicturesIco, BrokenFilesGiveAnErrorAndNoPicture)
{
    const QByteArray good = MakeIco({Solid(2, 4, 1)});
    auto patched = [&good](int at, QByteArray with) { QByteArray b = good; b.replace(at, with.size(), with); return b; };
    const Broken cases[] = {
        {"empty", {}},
        {"garbage", QByteArray(40, '\x33')},
        {"no entries", B({0, 0, 1, 0, 0, 0})},
        {"directory cut short", good.left(12)},
        {"entry longer than the file", patched(14, B({0xFF, 0xFF, 0, 0}))},
        {"entry offset beyond the file", patched(18, B({0, 0, 0, 0x7F}))},
        {"entry without its mask", MakeIco({{2, 2, 4, IconDib(2, 2, 4, Four, {{1, 1}, {1, 1}}, {}, false)}})},
        {"entry of odd height one", MakeIco({{1, 1, 4, [] {
                                                 QByteArray d = IconDib(1, 1, 4, Four, {{1}}, {{0}});
                                                 d[8] = 1;
                                                 return d;
                                             }()}})},
        {"entry that is garbage", MakeIco({{2, 2, 4, QByteArray(50, '\x01')}})},
        {"PNG entry that is cut short", MakeIco({{2, 2, 32, QtPng(QImage(2, 2, QImage::Format_ARGB32)).left(30)}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(2, 2, QImage::Format_ARGB32);
        String error;
        EXPECT_FALSE(DecodeIco(c.bytes, image, &error));
        EXPECT_TRUE(image.isNull());
        EXPECT_TRUE(error.startsWith(u"ICO: ")) << error.toStdString();
    }
}

// ---- PNG ----------------------------------------------------------------------------

QByteArray Row(std::initializer_list<int> bytes) { return B(bytes); }

TEST(PicturesPng, EveryColourTypeAndDepthDecodes)
{
    struct Case {
        const char* name;
        PngFields fields;
        Picture expected;
    };
    auto png = [](int w, int h, int type, int depth, std::vector<QByteArray> rows) {
        PngFields s;
        s.width = w, s.height = h, s.colourType = type, s.depth = depth, s.rows = std::move(rows);
        return s;
    };
    PngFields palette = png(3, 1, PNG_COLOR_TYPE_PALETTE, 2, {Row({0b00011011})});
    palette.palette = {qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90), qRgb(100, 110, 120)};
    palette.paletteAlpha = {255, 0x80};
    PngFields greyKey = png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {Row({0x10, 0x20})});
    greyKey.greyTransparent = 0x20;
    PngFields interlaced = png(9, 9, PNG_COLOR_TYPE_RGB, 8, {});
    Picture interlacedPicture;
    for (int y = 0; y < 9; ++y) {
        QByteArray row;
        interlacedPicture.emplace_back();
        for (int x = 0; x < 9; ++x) {
            row += B({x * 20, y * 20, (x * y) & 0xFF});
            interlacedPicture.back().push_back(qRgb(x * 20, y * 20, (x * y) & 0xFF));
        }
        interlaced.rows.push_back(row);
    }
    interlaced.interlaced = true;

    const Case cases[] = {
        {"grey 1 bit", png(10, 1, PNG_COLOR_TYPE_GRAY, 1, {Row({0b10110000, 0b01000000})}),
         {{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
           0xFF000000, 0xFFFFFFFF}}},
        {"grey 4 bit", png(2, 1, PNG_COLOR_TYPE_GRAY, 4, {Row({0xF1})}), {{0xFFFFFFFF, 0xFF111111}}},
        {"grey 8 bit with a transparent key", greyKey, {{0xFF101010, 0x00202020}}},
        {"grey 16 bit", png(2, 1, PNG_COLOR_TYPE_GRAY, 16, {Row({0xFF, 0xFF, 0x80, 0x00})}), {{0xFFFFFFFF, 0xFF808080}}},
        {"grey with alpha", png(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {Row({0x40, 0x80})}), {{0x80404040}}},
        {"palette 2 bit with alpha", palette, {{0xFF0A141E, 0x8028323C, 0xFF46505A}}},
        {"RGB 8 bit", png(2, 1, PNG_COLOR_TYPE_RGB, 8, {Row({1, 2, 3, 250, 251, 252})}), {{0xFF010203, 0xFFFAFBFC}}},
        {"RGBA 16 bit", png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {Row({0xFF, 0xFF, 0, 0, 0x80, 0, 0x40, 0})}),
         {{0x40FF0080}}},
        {"interlaced", interlaced, interlacedPicture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image;
        String error;
        ASSERT_TRUE(DecodePng(MakePng(c.fields), image, &error)) << error.toStdString();
        EXPECT_TRUE(SamePixels(image, c.expected));
    }
}

// A PNG whose header claims a size and that ends after it, with correct
// check sums, so only the size check can stop it.
QByteArray PngClaiming(quint32 w, quint32 h)
{
    auto be = [](quint32 v) { return B({int(v >> 24), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)}); };
    const QByteArray body = QByteArray("IHDR") + be(w) + be(h) + B({8, 6, 0, 0, 0});
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size())));
    return B({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}) + be(13) + body + be(crc);
}

TEST(PicturesPng, BrokenFilesGiveAnErrorAndNoPicture)
{
    QByteArray badCrc = QtPng(QImage(4, 4, QImage::Format_RGB32));
    badCrc[29] = char(badCrc[29] ^ 0x55);   // inside the header's check sum
    const Broken cases[] = {
        {"empty", {}},
        {"garbage", QByteArray(100, '\x42')},
        {"signature only", B({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})},
        {"header check sum wrong", badCrc},
        {"width beyond the side limit", PngClaiming(100000, 1)},
        {"too many pixels", PngClaiming(16384, 16384)},
        {"zero width", PngClaiming(0, 5)},
        {"size allowed, data missing", PngClaiming(20, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(2, 2, QImage::Format_ARGB32);
        String error;
        EXPECT_FALSE(DecodePng(c.bytes, image, &error));
        EXPECT_TRUE(image.isNull());
        EXPECT_TRUE(error.startsWith(u"PNG: ")) << error.toStdString();
        EXPECT_GT(error.size(), 6);
    }
}

// ---- JPEG --------------------------------------------------------------------------

::testing::AssertionResult CloseToBlocks(const QImage& image, bool grey)
{
    if (image.isNull() || image.width() != 32 || image.height() != 32)
        return ::testing::AssertionFailure() << "wrong or no picture";
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb want = JpegBlockColour(x, y), got = image.pixel(x, y);
            const int wr = grey ? qGray(want) : qRed(want), wg = grey ? qGray(want) : qGreen(want),
                      wb = grey ? qGray(want) : qBlue(want);
            if (std::abs(qRed(got) - wr) > 8 || std::abs(qGreen(got) - wg) > 8 || std::abs(qBlue(got) - wb) > 8
                || qAlpha(got) != 255)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << got;
        }
    return ::testing::AssertionSuccess();
}

TEST(PicturesJpeg, ColourGreyAndProgressiveDecode)
{
    const std::pair<JpegKind, const char*> kinds[] = {
        {JpegKind::Colour, "colour"}, {JpegKind::Grey, "grey"}, {JpegKind::Progressive, "progressive"}};
    for (const auto& [kind, name] : kinds) {
        SCOPED_TRACE(name);
        QImage image;
        String error;
        ASSERT_TRUE(DecodeJpeg(MakeJpeg(kind), image, &error)) << error.toStdString();
        EXPECT_TRUE(CloseToBlocks(image, kind == JpegKind::Grey));
    }
}

TEST(PicturesJpeg, BrokenFilesGiveAnErrorAndNoPicture)
{
    // The frame header's height and width, patched to a huge size.
    QByteArray huge = MakeJpeg(JpegKind::Colour);
    const qsizetype sof = huge.indexOf(B({0xFF, 0xC0}));
    ASSERT_GT(sof, 0);
    huge.replace(sof + 5, 4, B({0xFF, 0xF0, 0xFF, 0xF0}));
    const QByteArray good = MakeJpeg(JpegKind::Colour);
    const Broken cases[] = {
        {"empty", {}},
        {"garbage", QByteArray(100, '\x42')},
        {"start marker only", B({0xFF, 0xD8, 0xFF})},
        {"cut inside the picture data", good.left(good.size() * 2 / 3)},
        {"end marker missing", good.left(good.size() - 2)},
        {"too large", huge},
        {"CMYK", MakeJpeg(JpegKind::Cmyk)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(2, 2, QImage::Format_ARGB32);
        String error;
        EXPECT_FALSE(DecodeJpeg(c.bytes, image, &error));
        EXPECT_TRUE(image.isNull());
        EXPECT_TRUE(error.startsWith(u"JPEG: ")) << error.toStdString();
        EXPECT_GT(error.size(), 7);
    }
}

// ---- Every decoder against cut and mutated samples -----------------------------------

struct Valid {
    const char* name;
    QByteArray bytes;
};

std::vector<Valid> ValidSamples()
{
    std::vector<Valid> samples;
    for (const auto& layout : Layouts) samples.push_back({layout.name, Sample(layout).first});
    samples.push_back({"RLE8", RleBmp(8, 5, 3, B({2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 0, 3, 3, 0, 0, 5, 2, 0, 1}))});
    samples.push_back({"RLE4", RleBmp(4, 5, 2, B({5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x67, 0, 1}))});
    // The entry chosen comes first, so any cut that breaks it breaks the other too.
    samples.push_back({"icon, bitmap entries", MakeIco({Solid(3, 8, 2), Solid(2, 4, 1)})});
    samples.push_back({"icon, 32-bit entry", MakeIco({{2, 2, 32, IconDib(2, 2, 32, {}, {{0xFF112233, 0x80445566}, {0, 0x40FFFFFF}}, {{1, 1}, {1, 1}})}})});
    samples.push_back({"icon, PNG entry", MakeIco({{4, 4, 32, QtPng(QImage(4, 4, QImage::Format_ARGB32))}})});
    PngFields png;
    png.width = 5, png.height = 3, png.colourType = PNG_COLOR_TYPE_PALETTE, png.depth = 8;
    png.palette = Four;
    png.paletteAlpha = {255, 0, 128};
    png.interlaced = true;
    for (int y = 0; y < 3; ++y) png.rows.push_back(B({0, 1, 2, 3, y}));
    samples.push_back({"PNG", MakePng(png)});
    samples.push_back({"JPEG", MakeJpeg(JpegKind::Colour)});
    samples.push_back({"progressive JPEG", MakeJpeg(JpegKind::Progressive)});
    return samples;
}

// Puts right the check sum of every whole chunk, so that mutations reach
// libpng's decoding instead of stopping at its check-sum test.
void RechecksumPng(QByteArray& bytes)
{
    auto be = [&bytes](qsizetype at) {
        return quint32(uchar(bytes[at])) << 24 | quint32(uchar(bytes[at + 1])) << 16 | quint32(uchar(bytes[at + 2])) << 8
               | quint32(uchar(bytes[at + 3]));
    };
    for (qsizetype pos = 8; pos + 12 <= bytes.size();) {
        const qint64 length = be(pos);
        if (length > bytes.size() - pos - 12) break;
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData() + pos + 4), uInt(length + 4)));
        for (int k = 0; k < 4; ++k) bytes[pos + 8 + length + k] = char(crc >> (24 - 8 * k));
        pos += 12 + length;
    }
}

// The outcome every decoder promises: a picture within the limits, or no
// picture and a reason.
::testing::AssertionResult Sound(bool ok, const QImage& image, const String& error)
{
    if (ok && (image.isNull() || image.width() > MaxPictureSide || image.height() > MaxPictureSide))
        return ::testing::AssertionFailure() << "success without a sound picture";
    if (!ok && (!image.isNull() || error.isEmpty()))
        return ::testing::AssertionFailure() << "failure with a picture or without a reason";
    return ::testing::AssertionSuccess();
}

TEST(PicturesRobustness, EveryCutOfAValidFileFailsOrGivesTheWholePicture)
{
    // Only the last row's padding may go missing without loss.
    for (const auto& sample : ValidSamples()) {
        SCOPED_TRACE(sample.name);
        QImage whole;
        ASSERT_NE(DecodeImage(sample.bytes, {}, whole), TImageKind::ikUnknown);
        for (qsizetype n = 0; n < sample.bytes.size(); ++n) {
            QImage image;
            String error;
            const bool ok = DecodeImage(sample.bytes.left(n), {}, image, &error) != TImageKind::ikUnknown;
            ASSERT_TRUE(Sound(ok, image, error)) << "cut at " << n;
            if (ok) {
                ASSERT_EQ(image, whole) << "cut at " << n;
            }
        }
    }
}

TEST(PicturesRobustness, MutatedFilesNeverCrashAnyDecoder)
{
    std::mt19937 random(20240611);
    const quint32 extremes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 0x4000};
    using Decoder = bool (*)(const QByteArray&, QImage&, String*);
    const Decoder decoders[] = {DecodeBmp, DecodeIco, DecodePng, DecodeJpeg};
    for (const auto& sample : ValidSamples()) {
        SCOPED_TRACE(sample.name);
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes = sample.bytes;
            const int changes = 1 + int(random() % 4);
            for (int i = 0; i < changes && !bytes.isEmpty(); ++i) {
                const auto at = qsizetype(random() % quint32(bytes.size()));
                switch (random() % 5) {
                case 0: bytes[at] = char(random()); break;
                case 1: bytes[at] = char(bytes[at] ^ (1 << (random() % 8))); break;
                case 2: bytes.truncate(at); break;
                case 3: bytes.insert(at, QByteArray(int(random() % 8) + 1, char(random()))); break;
                default: {
                    const quint32 v = extremes[random() % std::size(extremes)];
                    for (int k = 0; k < 4 && at + k < bytes.size(); ++k) bytes[at + k] = char(v >> (8 * k));
                }
                }
            }
            if (SniffImageKind(sample.bytes) == TImageKind::ikPng && round % 2) RechecksumPng(bytes);
            for (Decoder decode : decoders) {
                QImage image;
                String error;
                const bool ok = decode(bytes, image, &error);
                ASSERT_TRUE(Sound(ok, image, error)) << "round " << round;
            }
        }
    }
}

// ---- Files ----------------------------------------------------------------------------

TEST(PicturesFiles, ExtensionsAndContentChooseTheReader)
{
    const std::pair<const char*, TImageKind> names[] = {
        {"a.bmp", TImageKind::ikBmp},  {"a.DIB", TImageKind::ikBmp},   {"dir.x/a.Ico", TImageKind::ikIco},
        {"a.png", TImageKind::ikPng},  {"a.JPG", TImageKind::ikJpeg},  {"a.jpeg", TImageKind::ikJpeg},
        {"a.jpe", TImageKind::ikJpeg}, {"a.gif", TImageKind::ikUnknown}, {"bmp", TImageKind::ikUnknown},
    };
    for (const auto& [name, kind] : names) EXPECT_EQ(ImageKindFromExtension(QString::fromLatin1(name)), kind) << name;

    const std::pair<QByteArray, TImageKind> contents[] = {
        {MakeJpeg(JpegKind::Colour), TImageKind::ikJpeg},
        {QtPng(QImage(1, 1, QImage::Format_RGB32)), TImageKind::ikPng},
        {Sample(Layouts[0]).first, TImageKind::ikBmp},
        {MakeIco({Solid(2, 4, 1)}), TImageKind::ikIco},
        {B({0, 0, 1, 0, 0, 0}), TImageKind::ikUnknown},   // an icon needs at least one entry
        {"GIF89a", TImageKind::ikUnknown},
        {{}, TImageKind::ikUnknown},
    };
    for (const auto& [bytes, kind] : contents) EXPECT_EQ(SniffImageKind(bytes), kind);
}

TEST(PicturesFiles, LoadImageFileReadsByContentAndExplainsFailures)
{
    TempFolder folder;
    const QByteArray bmp = Sample(Layouts[6]).first;
    const QByteArray png = QtPng(QImage(3, 2, QImage::Format_RGB32));
    folder.Write("flag.BMP", bmp);
    folder.Write("renamed.bmp", png);    // a PNG under a bitmap name
    folder.Write("picture.dat", png);    // no picture extension at all
    folder.Write("broken.bmp", QByteArray("BM") + QByteArray(20, '\0'));
    folder.Write("notes.txt", "just text");
    folder.Write("empty.png", {});

    struct Case {
        const char* name;
        bool ok;
        TImageKind kind;
        const char* phrase;   // in the error
    } cases[] = {
        {"flag.BMP", true, TImageKind::ikBmp, ""},
        {"renamed.bmp", true, TImageKind::ikPng, ""},
        {"picture.dat", true, TImageKind::ikPng, ""},
        {"broken.bmp", false, TImageKind::ikUnknown, "BMP: "},
        {"notes.txt", false, TImageKind::ikUnknown, "not a picture format"},
        {"empty.png", false, TImageKind::ikUnknown, "empty"},
        {"missing.bmp", false, TImageKind::ikUnknown, "does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const String path = folder.File(QString::fromLatin1(c.name));
        QImage image;
        String error;
        TImageKind kind = TImageKind::ikBmp;
        EXPECT_EQ(LoadImageFile(path, image, &error, &kind), c.ok);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(image.isNull(), !c.ok);
        if (!c.ok) {
            EXPECT_TRUE(error.startsWith(path)) << error.toStdString();
            EXPECT_TRUE(error.contains(QString::fromLatin1(c.phrase))) << error.toStdString();
        }
    }
}

// ---- Pictures, bitmaps, icons, resources -----------------------------------------------

TEST(PicturesPicture, LoadFromFileChoosesTheGraphicByContent)
{
    TempFolder folder;
    folder.Write("de.bmp", Sample(Layouts[10]).first);
    folder.Write("app.ico", MakeIco({Solid(3, 4, 2)}));
    folder.Write("logo.png", QtPng(QImage(7, 4, QImage::Format_ARGB32)));
    folder.Write("DefaultFlag.bmp", "BM broken");

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&changes](TObject*) { ++changes; };

    ASSERT_TRUE(picture.LoadFromFile(folder.File("de.bmp"))) << picture.LastError().toStdString();
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(picture.LoadFromFile(folder.File("app.ico")));
    EXPECT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 3);

    ASSERT_TRUE(picture.LoadFromFile(folder.File("logo.png")));
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_TRUE(picture.LastError().isEmpty());

    // A broken user file empties the picture and says why.
    changes = 0;
    EXPECT_FALSE(picture.LoadFromFile(folder.File("DefaultFlag.bmp")));
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(picture.LastError().contains(u"DefaultFlag.bmp")) << picture.LastError().toStdString();
}

TEST(PicturesPicture, AssignCopiesAndBitmapOrIconReplaceOtherKinds)
{
    TPicture a, b;
    a.Bitmap()->SetSize(4, 2);
    b.Assign(&a);
    ASSERT_NE(b.Graphic(), a.Graphic());   // a copy, not the same graphic
    a.Bitmap()->SetSize(9, 9);
    EXPECT_EQ(b.Width(), 4);

    int changes = 0;
    b.OnChange = [&changes](TObject*) { ++changes; };
    b.Bitmap()->SetSize(6, 6);             // the graphic changing itself tells the picture
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Width(), 6);

    TIcon icon;
    icon.SetImage(QImage(5, 5, QImage::Format_ARGB32));
    b.SetGraphic(&icon);
    EXPECT_NE(dynamic_cast<TIcon*>(b.Graphic()), nullptr);
    EXPECT_EQ(b.Icon()->Width(), 5);
    EXPECT_EQ(b.Bitmap()->Width(), 0);     // asking for a bitmap drops the icon

    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    b.Assign(&icon);
    EXPECT_EQ(b.Width(), 5);
}

TEST(PicturesIcon, DrawsWithItsAlphaAndLoadsOnlyIcons)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, 0xFFFF0000);
    picture.setPixel(1, 0, 0x00FF0000);
    TIcon icon;
    icon.SetImage(picture);
    EXPECT_TRUE(icon.Transparent());
    TBitmap sheet(3, 1);   // white
    sheet.Canvas()->Draw(1, 0, &icon);
    EXPECT_EQ(sheet.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(sheet.Canvas()->Pixels(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(sheet.Canvas()->Pixels(2, 0), clWhite);

    TempFolder folder;
    folder.Write("a.ico", MakeIco({Solid(2, 4, 1)}));
    folder.Write("b.ico", QtPng(QImage(2, 2, QImage::Format_RGB32)));   // a PNG under an icon name
    String error;
    EXPECT_TRUE(icon.LoadFromFile(folder.File("a.ico"), &error));
    EXPECT_EQ(icon.Width(), 2);
    EXPECT_FALSE(icon.LoadFromFile(folder.File("b.ico"), &error));
    EXPECT_TRUE(icon.Empty());
    EXPECT_TRUE(error.contains(u"not an icon")) << error.toStdString();
}

TEST(PicturesBitmap, LoadFromFileGoesThroughOurReaders)
{
    TempFolder folder;
    folder.Write("rle.bmp", RleBmp(8, 5, 3, B({2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 0, 3, 3, 0, 0, 5, 2, 0, 1})));
    folder.Write("bad.bmp", RleBmp(8, 5, 2, B({6, 1, 0, 1})));
    TBitmap bitmap(2, 2);
    ASSERT_TRUE(bitmap.LoadFromFile(folder.File("rle.bmp")));
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 2), RGB(255, 0, 0));   // palette colour 1, bottom-left
    EXPECT_FALSE(bitmap.LoadFromFile(folder.File("bad.bmp")));
    EXPECT_TRUE(bitmap.Empty());
}

TEST(PicturesResources, RegisteredByNameIgnoringCase)
{
    int made = 0;
    RegisterBitmapResource("TESTGLYPH", [&made] {
        ++made;
        QImage image(36, 18, QImage::Format_ARGB32);
        image.fill(Qt::red);
        return image;
    });
    EXPECT_EQ(BitmapResource("testglyph").size(), QSize(36, 18));
    EXPECT_TRUE(BitmapResource("NO_SUCH_GLYPH").isNull());

    TBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadFromResourceName("TestGlyph"));
    EXPECT_EQ(bitmap.Width(), 36);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), RGB(255, 0, 0));
    EXPECT_FALSE(bitmap.LoadFromResourceName("NO_SUCH_GLYPH"));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(made, 2);

    RegisterBitmapResource("testGlyph", [] { return QImage(5, 3, QImage::Format_ARGB32); });
    EXPECT_EQ(BitmapResource("TESTGLYPH").size(), QSize(5, 3));
    RegisterBitmapResource("TESTGLYPH", nullptr);
    EXPECT_TRUE(BitmapResource("TESTGLYPH").isNull());
}

// ---- Image lists -----------------------------------------------------------------------

// A strip of `count` 4 x 4 images: image i is colour i of `colours` with a
// magenta bottom-left pixel.
TBitmap* Strip(TBitmap& bitmap, const std::vector<TColor>& colours)
{
    bitmap.SetSize(4 * int(colours.size()), 4);
    TCanvas& c = *bitmap.Canvas();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        c.Brush()->SetColor(colours[i]);
        c.FillRect(TRect{int(i) * 4, 0, int(i) * 4 + 4, 4});
        c.SetPixel(int(i) * 4, 3, clFuchsia);
    }
    return &bitmap;
}

TEST(PicturesImageList, StripsMasksAndDrawingByIndex)
{
    TImageList list(nullptr);
    list.SetSize(4, 4);
    int changes = 0;
    list.OnChange = [&changes](TObject*) { ++changes; };
    TBitmap strip;
    EXPECT_EQ(list.AddMasked(Strip(strip, {clRed, clLime, clBlue}), clDefault), 0);
    EXPECT_EQ(list.AddMasked(Strip(strip, {clYellow}), clFuchsia), 3);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(changes, 2);

    struct Case {
        int index;
        bool enabled;
        TColor inside;   // at (1, 1) of the image
    } cases[] = {{0, true, clRed}, {1, true, clLime}, {2, true, clBlue}, {3, true, clYellow}, {-1, true, clWhite},
                 {4, true, clWhite}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        TBitmap sheet(6, 6);
        list.Draw(*sheet.Canvas(), 2, 2, c.index, c.enabled);
        EXPECT_EQ(sheet.Canvas()->Pixels(3, 3), c.inside);
        EXPECT_EQ(sheet.Canvas()->Pixels(2, 5), clWhite);   // the masked corner
        EXPECT_EQ(sheet.Canvas()->Pixels(1, 1), clWhite);
    }

    // Disabled: every drawn pixel grey, masked pixels still untouched; a
    // darker colour stays darker.
    TBitmap sheet(8, 4);
    list.Draw(*sheet.Canvas(), 0, 0, 2, false);
    list.Draw(*sheet.Canvas(), 4, 0, 3, false);
    const TColor blue = sheet.Canvas()->Pixels(1, 1), yellow = sheet.Canvas()->Pixels(5, 1);
    EXPECT_EQ(GetRValue(blue), GetGValue(blue));
    EXPECT_EQ(GetGValue(blue), GetBValue(blue));
    EXPECT_LT(GetRValue(blue), GetRValue(yellow));
    EXPECT_NE(blue, clBlue);
    EXPECT_EQ(sheet.Canvas()->Pixels(0, 3), clWhite);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    TBitmap out;
    ASSERT_TRUE(list.GetBitmap(0, &out));
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Canvas()->Pixels(1, 1), clLime);
    EXPECT_FALSE(list.GetBitmap(3, &out));
    list.Delete(7);   // ignored
    EXPECT_EQ(list.Count(), 3);

    changes = 0;
    list.SetWidth(8);   // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
}

TEST(PicturesImageList, MaskBitmapWhiteMeansTransparent)
{
    TImageList list(nullptr);
    list.SetSize(2, 2);
    TBitmap image(2, 2), mask(2, 2);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(TRect{0, 0, 2, 2});
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(TRect{0, 0, 2, 2});
    mask.Canvas()->SetPixel(1, 0, clWhite);
    ASSERT_EQ(list.Add(&image, &mask), 0);
    // Without a mask every pixel counts.
    ASSERT_EQ(list.Add(&image, nullptr), 1);

    TBitmap sheet(4, 2);
    list.Draw(*sheet.Canvas(), 0, 0, 0);
    list.Draw(*sheet.Canvas(), 2, 0, 1);
    EXPECT_EQ(sheet.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(sheet.Canvas()->Pixels(1, 0), clWhite);
    EXPECT_EQ(sheet.Canvas()->Pixels(3, 0), clRed);
}

} // namespace
