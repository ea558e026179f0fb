// Arbitrary markup through the mini-HTML renderer: measuring, drawing and
// hit-testing must never crash, read out of bounds or loop.

#include "grid/support/ZvHTMLRender.h"
#include "grid/support/ZvPictureContainer.h"
#include "platform/ImgList.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "html_fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

}  // namespace

// The font database of the application object, which lives until the
// process ends, holds fontconfig's patterns; the leak check at exit would
// report them although nothing is lost per input.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    App();
    if (size < 1) return 0;
    // The first byte picks the options; the rest is the markup as UTF-8.
    const std::uint8_t options = data[0];
    const String markup = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    static TBitmap bitmap(160, 80);
    static TCustomImageList images;
    static TPictureContainer pictures(nullptr);
    static THTMLPictureCache cache;
    if (images.Count() == 0) {
        TBitmap cell(16, 16);
        images.Add(&cell, nullptr);
        pictures.Items()->Add()->SetName(QStringLiteral("pic"));
    }
    THTMLDrawParams p;
    p.Images = &images;
    p.Pictures = &pictures;
    p.PictureCache = &cache;
    p.WordWrap = options & 1;
    p.CheckHotSpot = options & 2;
    p.MeasureOnly = options & 4;
    p.Selected = options & 8;
    p.HoverStyle = options & 16;
    p.RightToLeft = options & 32;
    p.XPos = (options >> 2) * 3;
    p.YPos = (options >> 4) * 5;
    p.FocusLink = options % 3;
    p.HoverLink = options % 4;
    THTMLDrawResult r;
    DrawHTMLText(*bitmap.Canvas(), markup, Rect(0, 0, 160, 80), p, r);
    if (r.YSize <= 0 || r.XSize < 0) __builtin_trap();
    cache.ClearPictures();
    return 0;
}
