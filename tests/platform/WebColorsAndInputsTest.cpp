// The named web colours, the track bar's range rules and the memo's text.
#include "platform/Memo.h"
#include "platform/TrackBar.h"
#include "platform/WebColors.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(TWebColorsTest, HoldsTheStandardNamesWithTheirValues)
{
    EXPECT_EQ(WebNamedColors.size(), 138u);
    std::set<std::string> names;
    for (const TWebNamedColor& c : WebNamedColors) {
        EXPECT_TRUE(names.insert(c.Name).second) << c.Name;
        EXPECT_EQ(std::string(c.Name).rfind("clWeb", 0), 0u) << c.Name;
        EXPECT_EQ(c.Value & 0xFF000000u, 0u) << c.Name;
    }
    struct TCase {
        TColor Value;
        const char* Name;
    } cases[] = {{0x0000FF, "clWebRed"},          {0xFAFAFF, "clWebSnow"},    {0xFFF8F0, "clWebAliceBlue"},
                 {0x00D7FF, "clWebGold"},          {0x8B0000, "clWebDarkBlue"}, {0x32CD9A, "clWebYellowGreen"},
                 {0x808080, "clWebGray"},          {0xFFFF00, "clWebAqua"},    {0xFF00FF, "clWebFuchsia"},
                 {0x3C14DC, "clWebCrimson"},       {0x000000, "clWebBlack"},   {0xFFFFFF, "clWebWhite"}};
    for (const TCase& c : cases) EXPECT_EQ(WebColorName(c.Value), QString::fromLatin1(c.Name)) << c.Name;
    EXPECT_EQ(clWebRed, 0x0000FFu);
    EXPECT_EQ(clWebSnow, 0xFAFAFFu);
    EXPECT_EQ(WebColorName(0x123456), String());
    EXPECT_EQ(WebColorName(clNone), String());
}

TEST(TTrackBarTest, KeepsThePositionInsideTheRangeAndReportsEveryMove)
{
    TForm form(nullptr);
    auto* bar = new TTrackBar(&form);
    bar->SetParent(&form);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->SetPosition(4);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(4);
    EXPECT_EQ(changes, 1) << "no move, no report";
    bar->SetPosition(99);
    EXPECT_EQ(bar->Position(), 10);
    bar->SetMax(6);
    EXPECT_EQ(bar->Position(), 6);
    bar->SetMin(8);
    EXPECT_EQ(bar->Max(), 8);
    EXPECT_EQ(bar->Position(), 8);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 8);
    EXPECT_EQ(changes, 4);
}

TEST(TMemoTest, HoldsLinesAndLimitsWhatIsTyped)
{
    TTestSeams seams;
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    form.Show();
    QApplication::processEvents();
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->SetText(QStringLiteral("one\ntwo"));
    EXPECT_EQ(memo->LineCount(), 2);
    EXPECT_EQ(changes, 1);
    memo->SetMaxLength(9);
    memo->SetFocus();
    Simulate::Type(memo, QStringLiteral("abcd"));
    EXPECT_EQ(memo->Text().size(), 9) << memo->Text().toStdString();
    memo->SetReadOnly(true);
    const String before = memo->Text();
    Simulate::Type(memo, QStringLiteral("z"));
    EXPECT_EQ(memo->Text(), before);
}

} // namespace
