// The analog clock on a shown form: geometry, hit testing of face, margin and
// AM/PM box, clicks and keys, SetHour/SetMinute with the animation stepped on
// the test clock, the OnChange rule, live mode, painting and both style tables.
#include "dropdowns/clock/ZvWatch.h"
#include "platform/Forms.h"
#include "platform/Timers.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

TDateTime At(int h, int m, int s = 0) { return EncodeTime(h, m, s, 0); }

struct TWatchFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TZvWatch* Watch = nullptr;
    int Changes = 0;

    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Watch = new TZvWatch(Form.get());
        Watch->SetParent(Form.get());
        Watch->SetLeft(10);
        Watch->SetTop(10);
        Watch->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        QApplication::processEvents();
    }
    // Runs the animation until it stops, recording the time after each tick.
    std::vector<String> RunAnimation()
    {
        std::vector<String> steps;
        for (int i = 0; i < 200 && Watch->Animating(); ++i) {
            Seams.Clock().Advance(WindowTimerFloor);
            steps.push_back(Text());
        }
        return steps;
    }
    String Text() const
    {
        int h, m, s, ms;
        DecodeTime(Watch->Time(), h, m, s, ms);
        return QStringLiteral("%1:%2").arg(h, 2, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0'));
    }
};

TEST_F(TWatchFixture, GeometryFollowsTheClientAndTheSize)
{
    struct TCase {
        int W, H, Size;
        TRect Face;
        TPoint Centre;
        double R;
    };
    const TCase cases[] = {
        {180, 180, 0, Rect(10, 10, 170, 170), Point(90, 90), 80},
        {300, 200, 0, Rect(60, 10, 240, 190), Point(150, 100), 90},
        {180, 180, 300, Rect(0, 0, 180, 180), Point(90, 90), 90},
        {180, 180, 100, Rect(40, 40, 140, 140), Point(90, 90), 50},
        {181, 181, 0, Rect(10, 10, 171, 171), Point(90, 90), 80},
    };
    for (const TCase& c : cases) {
        Watch->SetBounds(10, 10, c.W, c.H);
        Watch->Appearance()->SetSize(c.Size);
        EXPECT_EQ(Watch->GetClockRect(), c.Face) << c.W << "x" << c.H << " " << c.Size;
        EXPECT_EQ(Watch->GetClockCenter(), c.Centre) << c.W << "x" << c.H << " " << c.Size;
        EXPECT_EQ(Watch->GetClockRadius(), c.R) << c.W << "x" << c.H << " " << c.Size;
    }
    Watch->SetBounds(10, 10, 180, 180);
    Watch->Appearance()->SetSize(0);
    const TRect box = Watch->GetAMPMRect();
    EXPECT_EQ(box.Left + box.Width() / 2, 90);
    EXPECT_GT(box.Top, 90);
    EXPECT_EQ(box.Top, int(std::nearbyint((80.0 - box.Height()) / 3)) + 90);
    Watch->SetShowAMPM(false);
    EXPECT_EQ(Watch->GetAMPMRect(), Rect(-1, -1, -1, -1));
}

TEST_F(TWatchFixture, PointsOnTheFaceAndMarginGiveMinutesAndHours)
{
    struct TCase {
        int X, Y;
        int Minute;
        int HourAM, HourPM;
    };
    const TCase cases[] = {
        {176, 90, 15, 3, 15},  {90, 176, 30, 6, 18}, {4, 90, 45, 9, 21},   {90, 4, 0, 0, 12},
        {85, 30, 59, 0, 12},   {95, 30, 1, 0, 12},   {150, 90, 15, 3, 15}, {130, 130, 23, 5, 17},
        {50, 130, 37, 7, 19},  {50, 50, 53, 11, 23}, {90, 90, 23, 5, 17},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Watch->PointToMinute(c.X, c.Y), c.Minute) << c.X << "," << c.Y;
        Watch->SetTime(At(1, 0));
        EXPECT_EQ(Watch->PointToHour(c.X, c.Y), c.HourAM) << c.X << "," << c.Y;
        Watch->SetTime(At(13, 0));
        EXPECT_EQ(Watch->PointToHour(c.X, c.Y), c.HourPM) << c.X << "," << c.Y;
    }
}

TEST_F(TWatchFixture, ClicksSetTheHourInsideAndTheMinuteInTheMargin)
{
    Watch->SetAnimation(false);
    Watch->SetTime(At(2, 10));
    Simulate::Click(Watch, Point(150, 90));   // inside, at 3
    EXPECT_EQ(Text(), QStringLiteral("03:10"));
    Simulate::Click(Watch, Point(90, 176));   // margin, at 6
    EXPECT_EQ(Text(), QStringLiteral("03:30"));
    Simulate::Click(Watch, Point(4, 4));      // the corner of the square counts as margin: 45 degrees
    EXPECT_EQ(Text(), QStringLiteral("03:53"));
    // Any button's release counts.
    Simulate::MouseDown(Watch, Point(90, 40), Qt::RightButton);
    Simulate::MouseUp(Watch, Point(90, 40), Qt::RightButton);
    EXPECT_EQ(Text(), QStringLiteral("00:53"));
    // Live mode ignores clicks and keys.
    Watch->Settings()->SetAuto(true);
    const TDateTime kept = Watch->Time();
    Simulate::Click(Watch, Point(150, 90));
    Watch->ClockKeyDown(VK_PRIOR);
    Watch->Settings()->SetAuto(false);
    EXPECT_EQ(Watch->Time(), kept);
}

TEST_F(TWatchFixture, TheAMPMBoxSwitchesTheHalfOfTheDayWithOneChange)
{
    Watch->SetTime(At(9, 15));
    Seams.Clock().Advance(0);
    QApplication::processEvents();
    (void)Watch->PaintToImage();
    const TRect box = Watch->GetAMPMRect();
    Simulate::Click(Watch, Point(box.Left + 3, box.Top + 3));
    EXPECT_EQ(Text(), QStringLiteral("21:15"));
    EXPECT_FALSE(Watch->AM());
    EXPECT_EQ(Changes, 1);
    // The box scrolled one pixel per 10 ms sleep, the thread blocked meanwhile.
    EXPECT_EQ(Seams.Clock().Sleeps().size(), size_t(box.Height() - 2));
    Simulate::Click(Watch, Point(box.Left + 3, box.Top + 3));
    EXPECT_EQ(Text(), QStringLiteral("09:15"));
    EXPECT_TRUE(Watch->AM());
    EXPECT_EQ(Changes, 2);
}

TEST_F(TWatchFixture, AnimatedChangesStepOnTheClockAndFireOnce)
{
    Watch->SetTime(At(3, 0));
    Watch->SetHour(15);
    EXPECT_EQ(Text(), QStringLiteral("03:00"));
    std::vector<String> steps = RunAnimation();
    // nearest(12 / 10) = 1: one hour per tick.
    ASSERT_GE(steps.size(), 12u);
    EXPECT_EQ(steps[0], QStringLiteral("04:00"));
    EXPECT_EQ(steps[11], QStringLiteral("15:00"));
    EXPECT_EQ(Changes, 1);

    // From 45 to 0 the minute runs forward through 59, carries the hour, fires once.
    Changes = 0;
    Watch->SetTime(At(15, 45));
    Watch->SetMinute(0);
    steps = RunAnimation();
    EXPECT_EQ(steps.front(), QStringLiteral("15:47"));
    EXPECT_EQ(Text(), QStringLiteral("16:00"));
    for (size_t i = 1; i + 1 < steps.size(); ++i) EXPECT_NE(steps[i], QStringLiteral("15:00"));
    EXPECT_EQ(Changes, 1);

    // A factor below 1 acts as 1: the pointer jumps in one step.
    Changes = 0;
    Watch->SetAnimationFactor(0);
    Watch->SetHour(2);
    steps = RunAnimation();
    EXPECT_EQ(steps.front(), QStringLiteral("02:00"));
    EXPECT_EQ(Changes, 1);
}

TEST_F(TWatchFixture, DirectChangesFireOnlyAtTheRecordedTarget)
{
    Watch->SetAnimation(false);
    Watch->SetHour(5);
    EXPECT_EQ(Text(), QStringLiteral("05:00"));
    EXPECT_EQ(Changes, 0);
    Watch->SetHour(0);
    EXPECT_EQ(Changes, 1);   // the target recorded at start is 0
    // The Time setter never fires.
    Watch->SetTime(At(7, 7));
    EXPECT_EQ(Changes, 1);
    EXPECT_THROW(Watch->SetMinute(60), Exception);
    try {
        Watch->SetMinute(75);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid time"));
    }
    EXPECT_THROW(Watch->SetHour(24), EConvertError);
    EXPECT_EQ(Text(), QStringLiteral("07:07"));
}

TEST_F(TWatchFixture, KeysOfThePopupSetHoursAndMinutes)
{
    struct TCase {
        int H, M;
        WORD Key;
        const char* Result;
    };
    const TCase cases[] = {
        {10, 59, VK_RIGHT, "11:00"}, {10, 20, VK_RIGHT, "10:21"}, {0, 0, VK_LEFT, "23:59"},
        {10, 20, VK_LEFT, "10:19"},  {23, 5, VK_PRIOR, "00:05"},  {0, 5, VK_NEXT, "23:05"},
        {10, 5, VK_PRIOR, "11:05"},  {10, 5, VK_NEXT, "09:05"},   {7, 5, VK_HOME, "12:05"},
        {7, 20, VK_END, "07:00"},    {7, 45, VK_END, "08:00"},    {15, 5, 0x41, "03:05"},      {3, 5, 0x50, "15:05"},
        {3, 5, 0x41, "03:05"},       {3, 5, VK_UP, "03:05"},      {3, 5, VK_DOWN, "03:05"},
    };
    for (const bool animated : {false, true}) {
        Watch->SetAnimation(animated);
        for (const TCase& c : cases) {
            Watch->SetTime(At(c.H, c.M));
            Watch->ClockKeyDown(c.Key);
            RunAnimation();
            EXPECT_EQ(Text(), QString::fromLatin1(c.Result)) << c.H << ":" << c.M << " key " << c.Key << " " << animated;
        }
    }
}

TEST_F(TWatchFixture, LiveModeRunsTheSecondPointerOnTheClockTimer)
{
    Watch->Settings()->SetTimeOffset(0);
    Watch->Settings()->SetAuto(true);
    const TDateTime now = Now();
    EXPECT_NEAR(Watch->GetDisplayTime(), now, 2.0 / 86400);
    Watch->Settings()->SetTimeOffset(90);
    EXPECT_NEAR(Watch->GetDisplayTime() - Now(), 90.0 / 1440, 2.0 / 86400);
    auto redPixels = [this] {
        const QImage image = Watch->PaintToImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++n;
        return n;
    };
    EXPECT_GT(redPixels(), 10);
    Watch->Settings()->SetSecond(false);
    EXPECT_EQ(redPixels(), 0);
    Watch->Settings()->SetSecond(true);
    Watch->Settings()->SetAuto(false);
    EXPECT_EQ(redPixels(), 0);
}

// Pixels of the colour in the ring where the minute marks stand (radius 73 to 79 around the centre).
int CountInMarkRing(const QImage& image, const QColor& colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int d2 = (x - 90) * (x - 90) + (y - 90) * (y - 90);
            if (d2 >= 73 * 73 && d2 <= 79 * 79 && image.pixelColor(x, y) == colour) ++n;
        }
    return n;
}

TEST_F(TWatchFixture, PaintsFaceMarksAndPointersAndRefreshesOnlyThePointers)
{
    Watch->SetTime(At(3, 0));
    QImage image = Watch->PaintToImage();
    // White face, black border, grey minute marks, the centre point black.
    EXPECT_EQ(image.pixelColor(60, 130), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(90, 11), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(90, 90), QColor(0, 0, 0));
    const int grey = CountInMarkRing(image, QColor(128, 128, 128));
    EXPECT_GT(grey, 20);
    // The hour pointer at 3 runs right of the centre, the minute pointer up.
    EXPECT_EQ(image.pixelColor(115, 90), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(90, 50), QColor(0, 0, 0));
    Watch->Appearance()->SetTickMarks(TTickMarks::tmHours);
    EXPECT_EQ(CountInMarkRing(Watch->PaintToImage(), QColor(128, 128, 128)), 0);
    Watch->Appearance()->SetTickMarks(TTickMarks::tmAll);

    // A time change redraws the pointers over the cached face, which stays as it was.
    (void)Watch->PaintToImage();
    const QImage cache = Watch->BackgroundCache().Image();
    Watch->SetTime(At(9, 30));
    EXPECT_EQ(Watch->BackgroundCache().Image(), cache);
    image = Watch->PaintToImage();
    EXPECT_EQ(image.pixelColor(90, 130), QColor(0, 0, 0));
    EXPECT_NE(image.pixelColor(115, 90), QColor(0, 0, 0));

    // A radial gradient runs left to right, the others top to bottom.
    Watch->Appearance()->SetBackgroundColor(0x0000FF);
    Watch->Appearance()->SetBackgroundColorTo(0xFF0000);
    Watch->Appearance()->SetBackgroundGradient(TWatchGradient::wgRadial);
    image = Watch->PaintToImage();
    EXPECT_GT(image.pixelColor(40, 110).red(), image.pixelColor(140, 110).red());
    EXPECT_EQ(image.pixelColor(60, 70), image.pixelColor(60, 110));
    Watch->Appearance()->SetBackgroundGradient(TWatchGradient::wgDiagonalBackward);
    image = Watch->PaintToImage();
    EXPECT_GT(image.pixelColor(70, 40).red(), image.pixelColor(70, 140).red());
    EXPECT_EQ(image.pixelColor(50, 130), image.pixelColor(130, 130));
}

// ---- Styles ------------------------------------------------------------------------------------------
TEST_F(TWatchFixture, StylePresetsRewriteTheAppearance)
{
    struct TCase {
        TWatchStyle Style;
        TColor Background, BackgroundTo, HourPointer, SecondPointer;
        TWatchShape Shape;
        TPointerStyle Pointer;
        TTickMarks Marks;
        bool ShowAMPM, ShowNumbers;
        int CenterPointSize;
    };
    const TCase cases[] = {
        {TWatchStyle::wsTower, 0xB1F0FE, 0x5BCCE8, 0, 0x002BD5, TWatchShape::wsRect, TPointerStyle::psPointer,
         TTickMarks::tmHours, false, false, 6},
        {TWatchStyle::wsFluorescent, 0, 0, 0xFF3E3E, clRed, TWatchShape::wsRoundRect, TPointerStyle::psLine,
         TTickMarks::tmHours, false, false, 20},
        {TWatchStyle::wsEmerald, 0x3AE800, 0, 0x40FF00, 0x00FFFF, TWatchShape::wsRect, TPointerStyle::psPointer,
         TTickMarks::tmHours, false, false, 16},
        {TWatchStyle::wsBlueStar, 0xFFD5D5, 0xA00000, 0xA00000, clRed, TWatchShape::wsRoundRect,
         TPointerStyle::psPointer, TTickMarks::tmAll, true, true, 4},
        {TWatchStyle::wsFuchsia, 0, 0, 0xFFD0FF, 0xDD68DD, TWatchShape::wsRect, TPointerStyle::psLine,
         TTickMarks::tmQuartHours, false, false, 20},
        {TWatchStyle::wsBlack, 0x202020, clNone, 0xFFFFFF, clRed, TWatchShape::wsCircle, TPointerStyle::psLine,
         TTickMarks::tmAll, false, true, 4},
        {TWatchStyle::wsBlackWhite, 0xFFFFFF, clNone, 0, 0x000080, TWatchShape::wsCircle, TPointerStyle::psPointer,
         TTickMarks::tmQuartHours, false, true, 8},
        {TWatchStyle::wsGray, 0xD1D1D1, 0x6C6C6C, 0x4E4E4E, 0x0000FF, TWatchShape::wsCircle, TPointerStyle::psLine,
         TTickMarks::tmAll, true, true, 4},
        {TWatchStyle::wsSuperNova, clWhite, 0xD1D3D3, 0, clRed, TWatchShape::wsCircle, TPointerStyle::psLine,
         TTickMarks::tmAll, false, false, 10},
        {TWatchStyle::wsSports, 0, clNone, 0x0000FF, 0x188BFE, TWatchShape::wsCircle, TPointerStyle::psLine,
         TTickMarks::tmQuartHours, false, true, 50},
        {TWatchStyle::wsSmooth, 0xFFFFFF, 0xABB0B1, 0x4A4A4A, 0x4A4A4A, TWatchShape::wsCircle, TPointerStyle::psLine,
         TTickMarks::tmQuartHours, false, true, 6},
        {TWatchStyle::wsClassic, clWhite, clNone, 0, clRed, TWatchShape::wsCircle, TPointerStyle::psLine,
         TTickMarks::tmAll, true, true, 4},
    };
    for (const TCase& c : cases) {
        Watch->SetShowAMPM(false);
        Watch->SetStyle(c.Style);
        const TWatchAppearance& a = *Watch->Appearance();
        const int i = int(c.Style);
        EXPECT_EQ(a.BackgroundColor(), c.Background) << i;
        EXPECT_EQ(a.BackgroundColorTo(), c.BackgroundTo) << i;
        EXPECT_EQ(a.HourPointer(), c.HourPointer) << i;
        EXPECT_EQ(a.SecondPointer(), c.SecondPointer) << i;
        EXPECT_EQ(a.Shape(), c.Shape) << i;
        EXPECT_EQ(a.PointerStyle(), c.Pointer) << i;
        EXPECT_EQ(a.TickMarks(), c.Marks) << i;
        EXPECT_EQ(Watch->ShowAMPM(), c.ShowAMPM) << i;   // wsTower leaves it off as it was
        EXPECT_EQ(Watch->ShowNumbers(), c.ShowNumbers) << i;
        EXPECT_EQ(a.CenterPointSize(), c.CenterPointSize) << i;
    }
    // The preset's details: Tower's box takes the face colour, Emerald's hour font the background.
    Watch->SetStyle(TWatchStyle::wsTower);
    EXPECT_EQ(Watch->Appearance()->AMPMColor(), TColor(0xB1F0FE));
    EXPECT_EQ(Watch->Appearance()->HourFont()->Name(), QStringLiteral("Century"));
    Watch->SetShowAMPM(true);
    Watch->SetStyle(TWatchStyle::wsTower);
    EXPECT_TRUE(Watch->ShowAMPM());
    Watch->SetStyle(TWatchStyle::wsEmerald);
    EXPECT_EQ(Watch->Appearance()->HourFont()->Color(), TColor(0x3AE800));
    EXPECT_EQ(Watch->Appearance()->HourMarkStyle(), THourMarkStyle::hmsQuartDblLine);
    Watch->SetStyle(TWatchStyle::wsSuperNova);
    EXPECT_EQ(Watch->Appearance()->HourMarkLength(), 40);
    EXPECT_EQ(Watch->Appearance()->MinuteMarkLength(), 60);
    // The same style again changes nothing, even after the appearance changed.
    Watch->Appearance()->SetHourPointer(0x123456);
    Watch->SetStyle(TWatchStyle::wsSuperNova);
    EXPECT_EQ(Watch->Appearance()->HourPointer(), TColor(0x123456));
    Watch->SetStyle(TWatchStyle::wsClassic);
    EXPECT_EQ(Watch->Appearance()->HourFont()->Name(), QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(Watch->Appearance()->HourMarkLength(), 8);
}

TEST(TWatchStyleTest, VisualStylesRecolourTheAppearance)
{
    struct TCase {
        TZvStyle Style;
        TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterBorder, Center, Marks, Shadows, Second;
    };
    const TCase cases[] = {
        {TZvStyle::tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
        {TZvStyle::tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {TZvStyle::tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
        {TZvStyle::tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
        {TZvStyle::tsWindowsXP, 0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
        {TZvStyle::tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
        {TZvStyle::tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
        {TZvStyle::tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
        {TZvStyle::tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
        {TZvStyle::tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
        {TZvStyle::tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
    };
    for (const TCase& c : cases) {
        TWatchAppearance a;
        int notified = 0;
        a.OnChange = [&](TObject*) { ++notified; };
        ApplyWatchComponentStyle(a, c.Style);
        const int i = int(c.Style);
        EXPECT_EQ(a.AMPMBorderColor(), c.AMPMBorder) << i;
        EXPECT_EQ(a.AMPMColor(), c.AMPM) << i;
        EXPECT_EQ(a.BackgroundColor(), c.Background) << i;
        EXPECT_EQ(a.BackgroundColorTo(), c.BackgroundTo) << i;
        EXPECT_EQ(a.BorderColor(), c.Border) << i;
        EXPECT_EQ(a.CenterPointBorderColor(), c.CenterBorder) << i;
        EXPECT_EQ(a.CenterPointColor(), c.Center) << i;
        EXPECT_EQ(a.HourColor(), c.Marks) << i;
        EXPECT_EQ(a.MinuteColor(), c.Marks) << i;
        EXPECT_EQ(a.HourPointer(), c.Marks) << i;
        EXPECT_EQ(a.MinutePointer(), c.Marks) << i;
        EXPECT_EQ(a.HourPointerShadow(), c.Shadows) << i;
        EXPECT_EQ(a.MinutePointerShadow(), c.Shadows) << i;
        EXPECT_EQ(a.SecondPointer(), c.Second) << i;
        EXPECT_EQ(a.CenterPointOuterBorderColor(), TColor(0)) << i;
        const TColor fonts = c.Style == TZvStyle::tsOffice2007Obsidian ? 0xF2F1F0 : 0;
        EXPECT_EQ(a.HourFont()->Color(), fonts) << i;
        EXPECT_EQ(a.AMPMFont()->Color(), fonts) << i;
        EXPECT_GT(notified, 0) << i;
    }
    // tsCustom only blackens the ring and the fonts.
    TWatchAppearance custom;
    custom.SetBackgroundColor(0x123456);
    ApplyWatchComponentStyle(custom, TZvStyle::tsCustom);
    EXPECT_EQ(custom.BackgroundColor(), TColor(0x123456));
    EXPECT_EQ(custom.CenterPointOuterBorderColor(), TColor(0));
    EXPECT_EQ(custom.HourFont()->Color(), TColor(0));
    EXPECT_EQ(custom.AMPMColor(), clWhite);
}

TEST(TWatchAppearanceTest, AssignCopiesEverySettingAndDefaultsComeBack)
{
    TWatchAppearance a;
    a.SetSize(120);
    a.SetTickMarks(TTickMarks::tmNone);
    a.SetHourMarkStyle(THourMarkStyle::hmsQuartDblLine);
    a.SetCenterPointOuterBorderColor(0x111111);
    TFont f;
    f.SetName(QStringLiteral("Courier"));
    a.SetHourFont(&f);
    TWatchAppearance b;
    b.Assign(&a);
    EXPECT_EQ(b.Size(), 120);
    EXPECT_EQ(b.TickMarks(), TTickMarks::tmNone);
    EXPECT_EQ(b.HourMarkStyle(), THourMarkStyle::hmsQuartDblLine);
    EXPECT_EQ(b.CenterPointOuterBorderColor(), TColor(0x111111));
    EXPECT_EQ(b.HourFont()->Name(), QStringLiteral("Courier"));
    b.SetDefaults();
    EXPECT_EQ(b.Size(), 0);
    EXPECT_EQ(b.HourFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(b.AMPMFont()->Size(), 10);
    EXPECT_EQ(b.MinutePointerShadow(), clBtnShadow);
    TWatchSettings s;
    s.SetAuto(true);
    s.SetTimeOffset(5);
    TWatchSettings t;
    t.Assign(&s);
    EXPECT_TRUE(t.Auto());
    EXPECT_EQ(t.TimeOffset(), 5);
}

} // namespace
