// The gallery's calculator and time picker opened, and its two clocks in two
// looks: rendered, saved under the screenshot folder and pixel-checked.
#include "dropdowns/base/ZvDropDownForm.h"
#include "dropdowns/calculator/ZvCalculatorDropDown.h"
#include "dropdowns/clock/ZvWatch.h"
#include "dropdowns/timepicker/ZvTimePickerDropDown.h"
#include "examples/gallery/Gallery.h"
#include "platform/DateTimePicker.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

QColor Colour(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

TEST(TGalleryClockTest, ShowsTheCalculatorAndTimePickerOpenAndClocksInTwoLooks)
{
    TTestSeams seams;
    seams.SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true}});
    TGalleryForm form(nullptr);
    form.Show();
    QApplication::processEvents();
    const TGalleryClockMembers& m = form.ClockMembers();
    QDir().mkpath(ScreenshotFolder());

    // The window: two clocks, the classic one white-faced, the tower one in its gradient.
    const QImage window = form.PaintToImage();
    window.save(ScreenshotFolder() + QStringLiteral("/gallery-clocks.png"));
    const TPoint classic = Point(m.ClassicClock->Left() + 90, m.ClassicClock->Top() + 90);
    EXPECT_EQ(window.pixelColor(classic.X - 40, classic.Y + 40), QColor(255, 255, 255));
    const QColor towerTop = window.pixelColor(m.StyledClock->Left() + 30, m.StyledClock->Top() + 6);
    const QColor towerBottom = window.pixelColor(m.StyledClock->Left() + 30, m.StyledClock->Top() + 174);
    EXPECT_GT(towerTop.lightness(), towerBottom.lightness());
    EXPECT_GT(towerTop.red(), towerTop.blue());   // a warm yellow
    EXPECT_EQ(m.StyledClock->Appearance()->Shape(), TWatchShape::wsRect);

    // The calculator open: its keys drawn on the white pop-up, the "=" caption in the special colour.
    m.Calculator->ShowDropDown();
    QApplication::processEvents();
    TDropDownForm& calcPopup = *m.Calculator->DropDownForm();
    ASSERT_TRUE(calcPopup.Visible());
    const QImage calc = calcPopup.PaintToImage();
    calc.save(ScreenshotFolder() + QStringLiteral("/gallery-calculator.png"));
    EXPECT_EQ(calc.width(), 230);
    TCustomButtonPanel& panel = *m.Calculator->ButtonPanel();
    const TRect equals = panel.GetButtonRect(24);
    int maroon = 0, face = 0;
    for (int y = equals.Top; y < equals.Bottom; ++y)
        for (int x = equals.Left; x < equals.Right; ++x) {
            const QColor c = calc.pixelColor(panel.Left() + x, panel.Top() + y);
            if (c.red() > 90 && c.green() < 40 && c.blue() < 40) ++maroon;
            if (c != QColor(255, 255, 255)) ++face;
        }
    EXPECT_GT(maroon, 3);
    EXPECT_GT(face, equals.Width() * equals.Height() / 2);
    EXPECT_EQ(calc.pixelColor(panel.Left() + 2, panel.Top() + 2), QColor(255, 255, 255));
    m.Calculator->HideDropDown(false);

    // The time picker open: the clock in the pop-up in the default style's colours.
    m.TimePicker->ShowDropDown();
    QApplication::processEvents();
    TDropDownForm& timePopup = *m.TimePicker->DropDownForm();
    ASSERT_TRUE(timePopup.Visible());
    const QImage time = timePopup.PaintToImage();
    time.save(ScreenshotFolder() + QStringLiteral("/gallery-timepicker.png"));
    EXPECT_EQ(time.size(), QSize(170, 172));
    TZvWatch& watch = *m.TimePicker->Watch();
    const TPoint c = watch.ClientToScreen(watch.GetClockCenter());
    const TPoint origin = timePopup.ClientToScreen(Point(0, 0));
    const int cx = c.X - origin.X, cy = c.Y - origin.Y;
    EXPECT_EQ(time.pixelColor(cx - 30, cy + 30), Colour(0xFFEFE3));
    // The hour pointer at ten past ten points up left, in the pointer colour.
    EXPECT_EQ(time.pixelColor(cx - 15, cy - 10), Colour(0x723708));
    m.TimePicker->HideDropDown(false);

    // The one with the platform time picker: the clock, and below it the picker showing 17:45.
    m.PickerTime->ShowDropDown();
    QApplication::processEvents();
    TDropDownForm& pickerPopup = *m.PickerTime->DropDownForm();
    ASSERT_TRUE(pickerPopup.Visible());
    const QImage both = pickerPopup.PaintToImage();
    both.save(ScreenshotFolder() + QStringLiteral("/gallery-timepicker-with-picker.png"));
    TDateTimePicker& picker = *m.PickerTime->TimePicker();
    EXPECT_EQ(both.size(), QSize(170, 172 + picker.Height()));
    EXPECT_EQ(picker.Text(), QStringLiteral("17:45"));
    const TPoint p = picker.ClientToScreen(Point(0, 0));
    const TPoint o = pickerPopup.ClientToScreen(Point(0, 0));
    int dark = 0;
    for (int y = 2; y < picker.Height() - 2; ++y)
        for (int x = 2; x < picker.Width() / 2; ++x)
            if (both.pixelColor(p.X - o.X + x, p.Y - o.Y + y).lightness() < 100) ++dark;
    EXPECT_GT(dark, 20) << "the picker's digits are drawn";
    EXPECT_GT(p.Y - o.Y, 160) << "below the clock";
    m.PickerTime->HideDropDown(false);
}

} // namespace
