// The push button's pictures: one 18-pixel image per kind (a disabled copy
// beside it is made from it) and the pop-up arrow. Drawn in the 16 colours
// of the classic palette on an olive background, which is the bottom-left
// pixel and so the colour that is left out when they are drawn.

#include "core/ZvPushButton.h"

#include "platform/Pictures.h"

#include <QImage>
#include <cmath>
#include <mutex>
#include <vector>

namespace {

using TPixelArt = std::vector<const char*>;

// The classic 16 colours, by letter.
QRgb PaletteColor(char c)
{
    switch (c) {
    case 'k': return qRgb(0, 0, 0);
    case 'r': return qRgb(128, 0, 0);
    case 'g': return qRgb(0, 128, 0);
    case 'y': return qRgb(128, 128, 0);
    case 'b': return qRgb(0, 0, 128);
    case 'm': return qRgb(128, 0, 128);
    case 'c': return qRgb(0, 128, 128);
    case 's': return qRgb(192, 192, 192);
    case 'd': return qRgb(128, 128, 128);
    case 'R': return qRgb(255, 0, 0);
    case 'G': return qRgb(0, 255, 0);
    case 'Y': return qRgb(255, 255, 0);
    case 'B': return qRgb(0, 0, 255);
    case 'M': return qRgb(255, 0, 255);
    case 'C': return qRgb(0, 255, 255);
    case 'w': return qRgb(255, 255, 255);
    default: return qRgb(128, 128, 0);   // '.': the background
    }
}

const QRgb Background = qRgb(128, 128, 0);
const QRgb DisabledShade = qRgb(128, 128, 128);
const QRgb DisabledLight = qRgb(255, 255, 255);

QImage FromArt(const TPixelArt& art, int width)
{
    QImage image(width, int(art.size()), QImage::Format_RGB32);
    image.fill(Background);
    for (int y = 0; y < int(art.size()); ++y) {
        const char* row = art[std::size_t(y)];
        for (int x = 0; x < width && row[x]; ++x) image.setPixel(x, y, PaletteColor(row[x]));
    }
    return image;
}

// The disabled look: the dark parts of the picture in grey with a white
// light below and right of them; light parts drop out, so inner lines stay visible.
QImage Disabled(const QImage& normal)
{
    QImage out(normal.size(), QImage::Format_RGB32);
    out.fill(Background);
    const int w = normal.width(), h = normal.height();
    auto drawn = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return false;
        const QRgb p = normal.pixel(x, y);
        return p != Background && qGray(p) < 160;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (drawn(x, y)) out.setPixel(x, y, DisabledShade);
            else if (drawn(x - 1, y - 1)) out.setPixel(x, y, DisabledLight);
        }
    return out;
}

// Normal image and its disabled copy side by side.
QImage Strip(const QImage& normal)
{
    QImage strip(normal.width() * 2, normal.height(), QImage::Format_RGB32);
    strip.fill(Background);
    for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x) strip.setPixel(x, y, normal.pixel(x, y));
    const QImage grey = Disabled(normal);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) strip.setPixel(normal.width() + x, y, grey.pixel(x, y));
    return strip;
}

// A ring (and, optionally, a disc) around the centre of an 18 x 18 cell.
void Ring(QImage& image, double inner, double outer, QRgb edge, QRgb fill)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::hypot(x - 8.5, y - 8.5);
            if (d > outer) continue;
            if (d >= inner) image.setPixel(x, y, d > outer - 1 ? edge : fill);
        }
}

const TPixelArt CheckArt = {
    "..................",
    "..................",
    "..............gg..",
    ".............gGGg.",
    "............gGGg..",
    "...........gGGg...",
    "..gg......gGGg....",
    ".gGGg....gGGg.....",
    ".gGGGg..gGGg......",
    "..gGGGggGGg.......",
    "...gGGGGGGg.......",
    "....gGGGGg........",
    ".....gGGg.........",
    "......gg..........",
    "..................",
    "..................",
    "..................",
    "..................",
};

const TPixelArt CrossArt = {
    "..................",
    "..................",
    "...rr.......rr....",
    "..rRRr.....rRRr...",
    "...rRRr...rRRr....",
    "....rRRr.rRRr.....",
    ".....rRRrRRr......",
    "......rRRRr.......",
    "......rRRRr.......",
    ".....rRRrRRr......",
    "....rRRr.rRRr.....",
    "...rRRr...rRRr....",
    "..rRRr.....rRRr...",
    "...rr.......rr....",
    "..................",
    "..................",
    "..................",
    "..................",
};

const TPixelArt HelpArt = {
    "..................",
    "......bbbbbb......",
    ".....bBBBBBBb.....",
    "....bBBb..bBBb....",
    "....bBBb..bBBb....",
    ".....bb...bBBb....",
    ".........bBBb.....",
    "........bBBb......",
    ".......bBBb.......",
    ".......bBBb.......",
    ".......bBBb.......",
    "........bb........",
    "..................",
    ".......bBBb.......",
    ".......bBBb.......",
    "........bb........",
    "..................",
    "..................",
};

const TPixelArt DoorArt = {
    "..................",
    "...kkkkkkkkkkk....",
    "...krrrrrrrrrk....",
    "...krsssssssrk....",
    "...krsrrrrrsrk....",
    "...krsrrrrrsrk....",
    "...krsssssssrk....",
    "...krrrrrrrrrk....",
    "...krrrrrrYYrk....",
    "...krrrrrrYYrk....",
    "...krsssssssrk....",
    "...krsrrrrrsrk....",
    "...krsrrrrrsrk....",
    "...krsssssssrk....",
    "...krrrrrrrrrk....",
    "..kkkkkkkkkkkkk...",
    "..................",
    "..................",
};

const TPixelArt SkipArt = {
    "..................",
    "..................",
    "..................",
    "......bbbbb.......",
    "....bbBBBBBbb.....",
    "...bBBb...bBBb....",
    "..bBBb.....bBBb...",
    "..bBb.......bBb...",
    "..bBb......bBBBbb.",
    "..bBb.......bBBb..",
    "..bBb........bb...",
    "..................",
    "kkkkkkkkkkkkkkkkk.",
    "kwwwwwwwwwwwwwwwk.",
    "kkkkkkkkkkkkkkkkk.",
    "..................",
    "..................",
    "..................",
};

const TPixelArt AllArt = {
    "..................",
    "..................",
    "..............gg..",
    ".............gGGg.",
    "............gGGg..",
    "...........gGGg...",
    "..gg......gGGg....",
    ".gGGg....gGGg.....",
    ".gGGGg..gGGg......",
    "..gGGGggGGg...gg..",
    "...gGGGGGGg..gGGg.",
    "....gGGGGg..gGGg..",
    ".....gGGg..gGGg...",
    "..gg..gg..gGGg....",
    ".gGGg....gGGg.....",
    ".gGGGg..gGGg......",
    "..gGGGggGGg.......",
    "...gGGGGGg........",
    "....gGGGg.........",
};

const TPixelArt ArrowArt = {
    "kkkkk",
    ".kkk.",
    "..k..",
};

QImage NoImage()
{
    QImage image(18, 18, QImage::Format_RGB32);
    image.fill(Background);
    Ring(image, 5.5, 8.5, qRgb(128, 0, 0), qRgb(255, 0, 0));
    for (int i = 3; i <= 14; ++i) {
        image.setPixel(i, i, qRgb(255, 0, 0));
        image.setPixel(i + 1, i, qRgb(255, 0, 0));
        image.setPixel(i, i + 1, qRgb(128, 0, 0));
    }
    return image;
}

QImage AbortImage()
{
    QImage image(18, 18, QImage::Format_RGB32);
    image.fill(Background);
    Ring(image, 0, 8.5, qRgb(128, 0, 0), qRgb(255, 0, 0));
    for (int i = 5; i <= 12; ++i) {
        image.setPixel(i, i, qRgb(255, 255, 255));
        image.setPixel(i + 1, i, qRgb(255, 255, 255));
        image.setPixel(17 - i, i, qRgb(255, 255, 255));
        image.setPixel(16 - i, i, qRgb(255, 255, 255));
    }
    return image;
}

QImage RetryImage()
{
    QImage image(18, 18, QImage::Format_RGB32);
    image.fill(Background);
    Ring(image, 4.5, 7.5, qRgb(0, 128, 0), qRgb(0, 255, 0));
    // A gap in the upper right, with the arrow head at its end.
    for (int y = 0; y <= 8; ++y)
        for (int x = 10; x < 18; ++x)
            if (y < x - 9 + 1 || y < 5) image.setPixel(x, y, Background);
    const char* head[] = {"gggggg", ".gGGg.", "..gg..", "......"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            if (head[y][x] != '.') image.setPixel(11 + x, 4 + y, PaletteColor(head[y][x]));
    return image;
}

void RegisterStrip(const char* name, std::function<QImage()> make)
{
    RegisterBitmapResource(QString::fromLatin1(name), [make = std::move(make)] { return Strip(make()); });
}

} // namespace

void RegisterPushButtonGlyphs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStrip("LBOK", [] { return FromArt(CheckArt, 18); });
        RegisterStrip("LBCANCEL", [] { return FromArt(CrossArt, 18); });
        RegisterStrip("LBHELP", [] { return FromArt(HelpArt, 18); });
        RegisterStrip("LBYES", [] { return FromArt(CheckArt, 18); });
        RegisterStrip("LBNO", NoImage);
        RegisterStrip("LBCLOSE", [] { return FromArt(DoorArt, 18); });
        RegisterStrip("LBABORT", AbortImage);
        RegisterStrip("LBRETRY", RetryImage);
        RegisterStrip("LBIGNORE", [] { return FromArt(SkipArt, 18); });
        RegisterStrip("LBALL", [] { return FromArt(AllArt, 18); });
        RegisterBitmapResource(QStringLiteral("LBARROW"), [] { return FromArt(ArrowArt, 5); });
    });
}
