// The gallery's pickers window: each of the six drop-downs open, saved as a
// screenshot and checked for what its pop-up must show.
#include "examples/gallery/GalleryPickers.h"

#include "dropdowns/pickers/ZvColorPickerDropDown.h"
#include "dropdowns/pickers/ZvColorSelectors.h"
#include "dropdowns/pickers/ZvDetailDropDown.h"
#include "dropdowns/pickers/ZvImagePickerDropDown.h"
#include "dropdowns/pickers/ZvMemoDropDown.h"
#include "dropdowns/pickers/ZvTrackBarDropDown.h"
#include "platform/Memo.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

#include <QDir>

namespace {

struct TGalleryPickersTest : TGalleryWindowFixture<TGalleryPickersForm> {
    // Opens the drop-down and saves the window and the pop-up's pictures.
    QImage Shot(TZvCustomDropDown* edit, const char* name)
    {
        edit->ShowDropDown();
        QApplication::processEvents();
        EXPECT_TRUE(edit->DroppedDown()) << name;
        const QImage popup = edit->DropDownForm()->PaintToImage();
        popup.save(ScreenshotFolder() + QStringLiteral("/gallery-%1-open.png").arg(QString::fromLatin1(name)));
        Form->PaintToImage().save(ScreenshotFolder() +
                                  QStringLiteral("/gallery-%1-window.png").arg(QString::fromLatin1(name)));
        edit->HideDropDown(false);
        return popup;
    }
    static int CountColour(const QImage& image, const QColor& colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
        return n;
    }
};

TEST_F(TGalleryPickersTest, ShowsEachPickerOpen)
{
    const QImage track = Shot(Form->TrackBar(), "trackbar");
    EXPECT_EQ(track.width(), Form->TrackBar()->Width());
    EXPECT_EQ(track.height(), 50) << "40 high, raised to the pop-up's least height";

    const QImage memo = Shot(Form->Memo(), "memo");
    EXPECT_EQ(memo.width(), Form->Memo()->Width());
    EXPECT_GT(memo.height(), 100);
    EXPECT_TRUE(LooksPainted(memo, clWhite, QRect(0, 22, memo.width(), 40)));

    const QImage detail = Shot(Form->Detail(), "detail");
    int ink = 0;
    for (int y = 0; y < detail.height(); ++y)
        for (int x = 0; x < detail.width(); ++x) ink += detail.pixelColor(x, y).lightness() < 60;
    EXPECT_GT(ink, 100) << "captions and notes";
    EXPECT_GT(CountColour(detail, QColor(255, 0, 0)), 100) << "the first item's red image";

    const QImage images = Shot(Form->ImagePicker(), "imagepicker");
    EXPECT_GT(CountColour(images, QColor(0, 0, 255)), 200) << "the blue image";
    EXPECT_GT(CountColour(images, QColor(0, 128, 128)), 200) << "the teal image";
    EXPECT_GT(images.width(), 4 * 16);

    const QImage list = Shot(Form->ColorList(), "colorlist");
    EXPECT_GT(CountColour(list, QColor(255, 255, 0)), 100) << "the yellow box";
    EXPECT_GT(CountColour(list, QColor(0, 0, 128)), 100) << "the navy box";

    const QImage cube = Shot(Form->ColorCube(), "colorcube");
    EXPECT_EQ(cube.size(), QSize(182 + 2, 160 + 2));
    // Cell 1's centre, one pixel right of the border.
    EXPECT_EQ(cube.pixelColor(1 + 55, 1 + 20), QColor(0x00, 0x33, 0x66));
    EXPECT_EQ(cube.pixelColor(1 + 91, 1 + 80), QColor(255, 255, 255));

    Form->ColorCube()->SetColorSelectionStyle(TColorSelectionStyle::csSpectrum);
    const QImage spectrum = Shot(Form->ColorCube(), "spectrum");
    EXPECT_EQ(spectrum.size(), QSize(150 + 2, 174 + 2));
    EXPECT_EQ(spectrum.pixelColor(1 + 11 + 64, 1 + 10), QColor(255, 255, 255));
    Form->ColorCube()->SetColorSelectionStyle(TColorSelectionStyle::csDiscrete);
    const QImage palette = Shot(Form->ColorCube(), "palette");
    EXPECT_EQ(palette.size(), QSize(165 + 2, 84 + 2));
    EXPECT_EQ(palette.pixelColor(1 + 4 + 16 * 5 + 6, 1 + 4 + 6), QColor(0xC0, 0x50, 0x4D));

    // The closed colour edits show their box.
    const QImage window = Form->PaintToImage();
    const TPoint box = Point(Form->ColorList()->Left() + 1 + 4 + 7, Form->ColorList()->Top() + 10);
    EXPECT_EQ(window.pixelColor(box.X, box.Y), QColor(255, 0, 0));
}

} // namespace
