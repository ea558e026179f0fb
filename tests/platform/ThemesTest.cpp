// The theme painter and the platform's version answers.

#include "platform/Themes.h"
#include "tests/common/TestUtil.h"
#include "tests/platform/PaintBoard.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {


// Keeps the theme switched as a test wants it, and restores it afterwards.
class ThemeSwitch {
public:
    explicit ThemeSwitch(bool active) : FPrevious(SetThemeActiveForTest(active)) {}
    ~ThemeSwitch() { SetThemeActiveForTest(FPrevious); }

private:
    bool FPrevious;
};

struct Part {
    const char* themeClass;
    int part;
    int states;   // state ids run from 1 to this
    TRect rect;
};

const Part Parts[] = {
    {"header", HP_HEADERITEM, 3, {4, 4, 80, 24}},
    {"button", BP_PUSHBUTTON, 5, {4, 4, 80, 27}},
    {"button", BP_RADIOBUTTON, 8, {4, 4, 17, 17}},
    {"button", BP_CHECKBOX, 12, {4, 4, 19, 19}},
    {"combobox", CP_DROPDOWNBUTTON, 4, {4, 4, 21, 25}},
    {"spin", SPNP_UP, 4, {4, 4, 19, 14}},
    {"spin", SPNP_DOWN, 4, {4, 4, 19, 14}},
    {"spin", SPNP_UPHORZ, 4, {4, 4, 19, 19}},
    {"spin", SPNP_DOWNHORZ, 4, {4, 4, 19, 19}},
    {"Progress", PP_BAR, 1, {4, 4, 80, 20}},
    {"Progress", PP_BARVERT, 1, {4, 4, 20, 60}},
    {"Progress", PP_CHUNK, 1, {4, 4, 40, 20}},
    {"Progress", PP_CHUNKVERT, 1, {4, 4, 20, 40}},
};

QImage DrawPart(const Part& p, int state, const TRect* clip = nullptr)
{
    Board b(90, 70);
    HTHEME theme = OpenThemeData(nullptr, QString::fromLatin1(p.themeClass));
    EXPECT_TRUE(DrawThemeBackground(theme, b.C(), p.part, state, p.rect, clip));
    CloseThemeData(theme);
    return b.Picture();
}

} // namespace

TEST(ThemesTest, OpensTheClassesItKnows)
{
    for (const char* name : {"header", "HEADER", "Button", "combobox", "Spin", "Progress", "Edit;Button", " spin "})
        EXPECT_NE(OpenThemeData(nullptr, QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"", "edit", "toolbar;window"})
        EXPECT_EQ(OpenThemeData(nullptr, QString::fromLatin1(name)), nullptr) << name;
    EXPECT_NE(OpenThemeData(nullptr, QStringLiteral("button")), OpenThemeData(nullptr, QStringLiteral("header")));
    CloseThemeData(nullptr);   // harmless
}

TEST(ThemesTest, EveryPartAndStatePaintsInsideItsRectangleOnly)
{
    for (const Part& p : Parts)
        for (int state = 1; state <= p.states; ++state) {
            SCOPED_TRACE(testing::Message() << p.themeClass << " part " << p.part << " state " << state);
            Board b(90, 70);
            HTHEME theme = OpenThemeData(nullptr, QString::fromLatin1(p.themeClass));
            ASSERT_TRUE(DrawThemeBackground(theme, b.C(), p.part, state, p.rect));
            EXPECT_GT(b.Changed(p.rect), p.rect.Width() * p.rect.Height() / 3);
            EXPECT_EQ(b.Outside(p.rect), 0);
        }
}

TEST(ThemesTest, UnknownPartsAndStatesDrawNothing)
{
    struct Row {
        const char* themeClass;
        int part, state;
    };
    const Row rows[] = {{"header", 2, 1}, {"header", HP_HEADERITEM, 4}, {"button", BP_CHECKBOX, 13},
                        {"button", BP_RADIOBUTTON, 9}, {"button", 4, 1},   {"button", BP_PUSHBUTTON, 0},
                        {"combobox", 2, 1}, {"spin", 5, 1},                  {"Progress", 5, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.themeClass << " " << row.part << " " << row.state);
        Board b(40, 40);
        const TRect r{0, 0, 40, 40};
        EXPECT_FALSE(DrawThemeBackground(OpenThemeData(nullptr, QString::fromLatin1(row.themeClass)), b.C(), row.part,
                                         row.state, r));
        EXPECT_EQ(b.Changed(r), 0);
    }
    Board b(10, 10);
    EXPECT_FALSE(DrawThemeBackground(nullptr, b.C(), BP_CHECKBOX, CBS_CHECKEDNORMAL, {0, 0, 10, 10}));
}

TEST(ThemesTest, StatesLookDifferent)
{
    const Part& check = Parts[3];
    const QImage unchecked = DrawPart(check, CBS_UNCHECKEDNORMAL);
    const QImage checked = DrawPart(check, CBS_CHECKEDNORMAL);
    const QImage mixed = DrawPart(check, CBS_MIXEDNORMAL);
    EXPECT_NE(unchecked, checked);
    EXPECT_NE(checked, mixed);
    EXPECT_NE(unchecked, mixed);
    EXPECT_NE(checked, DrawPart(check, CBS_CHECKEDDISABLED));
    EXPECT_NE(unchecked, DrawPart(check, CBS_UNCHECKEDPRESSED));

    const Part& radio = Parts[2];
    EXPECT_NE(DrawPart(radio, RBS_UNCHECKEDNORMAL), DrawPart(radio, RBS_CHECKEDNORMAL));
    EXPECT_NE(DrawPart(radio, RBS_CHECKEDNORMAL), DrawPart(radio, RBS_CHECKEDDISABLED));

    const Part& push = Parts[1];
    EXPECT_NE(DrawPart(push, PBS_NORMAL), DrawPart(push, PBS_PRESSED));
    EXPECT_NE(DrawPart(push, PBS_NORMAL), DrawPart(push, PBS_DISABLED));
    EXPECT_NE(DrawPart(Parts[0], HIS_NORMAL), DrawPart(Parts[0], HIS_PRESSED));
    EXPECT_NE(DrawPart(Parts[4], CBXS_NORMAL), DrawPart(Parts[4], CBXS_DISABLED));
    EXPECT_NE(DrawPart(Parts[5], UPS_NORMAL), DrawPart(Parts[5], UPS_PRESSED));
    EXPECT_NE(DrawPart(Parts[5], UPS_NORMAL), DrawPart(Parts[6], DNS_NORMAL)) << "up and down arrows";
    EXPECT_NE(DrawPart(Parts[7], UPS_NORMAL), DrawPart(Parts[8], UPS_NORMAL)) << "right and left arrows";
}

TEST(ThemesTest, CheckMarkInkInTheMiddleOfACheckedBox)
{
    // The middle of a checked box holds ink darker than any unchecked box's middle.
    auto darkest = [](const QImage& image, const TRect& r) {
        int low = 255;
        for (int y = r.Top + r.Height() / 3; y < r.Bottom - r.Height() / 3; ++y)
            for (int x = r.Left + r.Width() / 3; x < r.Right - r.Width() / 3; ++x) low = std::min(low, qGray(image.pixel(x, y)));
        return low;
    };
    const Part& check = Parts[3];
    EXPECT_LT(darkest(DrawPart(check, CBS_CHECKEDNORMAL), check.rect) + 60,
              darkest(DrawPart(check, CBS_UNCHECKEDNORMAL), check.rect));
}

TEST(ThemesTest, ChunkFillsInTheHighlightColour)
{
    const Part& chunk = Parts[11];
    const QImage image = DrawPart(chunk, 1);
    const QColor middle = image.pixelColor(22, 12);
    const QColor highlight = ToQColor(clHighlight);
    EXPECT_LT(std::abs(middle.hue() - highlight.hue()), 20);
    EXPECT_GT(middle.saturation(), 100);
}

TEST(ThemesTest, ClipLimitsThePicture)
{
    const Part& push = Parts[1];
    const TRect clip{4, 4, 30, 15};
    Board b(90, 70);
    EXPECT_TRUE(DrawThemeBackground(OpenThemeData(nullptr, QStringLiteral("button")), b.C(), push.part, PBS_NORMAL,
                                    push.rect, &clip));
    EXPECT_EQ(b.Outside(clip), 0);
    EXPECT_GT(b.Changed(clip), 0);
    // The canvas's own clip is back afterwards.
    b.C().Brush()->SetColor(clBlack);
    b.C().FillRect({60, 40, 62, 42});
    EXPECT_EQ(b.At(61, 41), clBlack);
}

TEST(ThemesTest, ThemesOffSendsCallersToTheClassicBranch)
{
    EXPECT_TRUE(IsThemeActive());
    EXPECT_TRUE(IsAppThemed());
    HTHEME opened = OpenThemeData(nullptr, QStringLiteral("button"));
    {
        ThemeSwitch off(false);
        EXPECT_FALSE(IsThemeActive());
        EXPECT_FALSE(IsAppThemed());
        EXPECT_EQ(OpenThemeData(nullptr, QStringLiteral("button")), nullptr);
        EXPECT_TRUE(GetCurrentThemeName().isEmpty());
        String file, color, size;
        EXPECT_FALSE(GetCurrentThemeName(&file, &color, &size));
        EXPECT_TRUE(color.isEmpty());
        // A handle opened before still draws.
        Board b(20, 20);
        EXPECT_TRUE(DrawThemeBackground(opened, b.C(), BP_CHECKBOX, CBS_CHECKEDNORMAL, {2, 2, 17, 17}));
    }
    EXPECT_TRUE(IsThemeActive());
    EXPECT_TRUE(SetThemeActiveForTest(true));
}

TEST(ThemesTest, AnswersAsACurrentThemedSystem)
{
    EXPECT_EQ(GetComCtlVersion(), 6);
    EXPECT_EQ(Win32MajorVersion(), 10);
    EXPECT_EQ(Win32MinorVersion(), 0);
    struct Row {
        int major, minor;
        bool atLeast;
    };
    for (const Row& row : {Row{5, 1, true}, Row{6, 1, true}, Row{10, 0, true}, Row{10, 1, false}, Row{11, 0, false}})
        EXPECT_EQ(CheckWin32Version(row.major, row.minor), row.atLeast) << row.major << "." << row.minor;

    EXPECT_TRUE(IsWinXPOrLater());
    EXPECT_TRUE(IsVistaOrLater());
    EXPECT_TRUE(IsWin7OrLater());
    EXPECT_TRUE(IsComCtl6());
    EXPECT_GT(ModuleFileVersion(QStringLiteral("COMCTL32.DLL")) >> 16, 5);
    EXPECT_GE(ModuleFileVersion(QStringLiteral("comctl32.dll")), 0x00040046) << "4.70 or later";
    EXPECT_EQ(ModuleFileVersion(QStringLiteral("nothing.dll")), -1);

    EXPECT_TRUE(ModuleExports(QStringLiteral("kernel32"), QStringLiteral("GetLocaleInfoEx")));
    EXPECT_TRUE(ModuleExports(QStringLiteral("KERNEL32.DLL"), QStringLiteral("GetLocaleInfoEx")));
    EXPECT_TRUE(ModuleExports(QStringLiteral("UXTHEME.DLL"), QStringLiteral("OpenThemeData")));
    EXPECT_FALSE(ModuleExports(QStringLiteral("kernel32"), QStringLiteral("NoSuchFunction")));
    EXPECT_FALSE(ModuleExports(QStringLiteral("user32"), QStringLiteral("GetLocaleInfoEx")));

    // The blue scheme of a current visual style.
    String file, color, size;
    EXPECT_TRUE(GetCurrentThemeName(&file, &color, &size));
    EXPECT_TRUE(color.contains(QStringLiteral("NormalColor")));
    EXPECT_TRUE(file.endsWith(QStringLiteral(".msstyles"), Qt::CaseInsensitive));
    EXPECT_EQ(GetCurrentThemeName(), file);
    EXPECT_TRUE(GetCurrentThemeName(nullptr, nullptr, nullptr));
}

TEST(ThemesTest, SheetOfEveryThemedPart)
{
    const int rowHeight = 70, column = 90;
    int maxStates = 0;
    for (const Part& p : Parts) maxStates = std::max(maxStates, p.states);
    Board b(maxStates * column + 10, int(std::size(Parts)) * rowHeight + 10);
    b.C().Brush()->SetColor(clBtnFace);
    b.C().FillRect({0, 0, b.bmp.Width(), b.bmp.Height()});
    for (int i = 0; i < int(std::size(Parts)); ++i) {
        const Part& p = Parts[i];
        HTHEME theme = OpenThemeData(nullptr, QString::fromLatin1(p.themeClass));
        for (int state = 1; state <= p.states; ++state) {
            TRect r = p.rect;
            r.Left += 5 + (state - 1) * column;
            r.Right += 5 + (state - 1) * column;
            r.Top += 5 + i * rowHeight;
            r.Bottom += 5 + i * rowHeight;
            DrawThemeBackground(theme, b.C(), p.part, state, r);
        }
        CloseThemeData(theme);
    }
    ASSERT_TRUE(b.bmp.Image().save(ScreenshotFolder() + QStringLiteral("/themed-parts.png")));
}
