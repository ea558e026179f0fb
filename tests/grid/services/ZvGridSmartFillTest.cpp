// The paste at the selection and the smart fill after it: one value copied
// into every cell, date, time, decimal and integer series continued, blocks
// repeated down a column, along a row and over a larger selection; every fill
// ends with the import-done notification and recalculated footers.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

class TFillGrid : public TZvStringGrid {
public:
    using TZvStringGrid::TZvStringGrid;
    std::vector<String> Log;
    void ImportNotification(TGridImportState State, int) override
    {
        if (State == TGridImportState::isImportStart) Log.push_back(QStringLiteral("start"));
        if (State == TGridImportState::isImportDone) Log.push_back(QStringLiteral("done"));
    }
    void RecalcAllFooters() override
    {
        Log.push_back(QStringLiteral("footers"));
        TZvStringGrid::RecalcAllFooters();
    }
};

struct SmartFill : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TFormatSettings saved = FormatSettings();

    void SetUp() override
    {
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = u'.';
        fs.ThousandSeparator = u',';
        fs.DateSeparator = u'/';
        fs.TimeSeparator = u':';
        fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
        SetFormatSettings(fs);
        Clipboard().Clear();
    }
    void TearDown() override { SetFormatSettings(saved); }

    TFillGrid* MakeGrid()
    {
        auto* g = new TFillGrid(form.get());
        g->SetParent(form.get());
        g->SetColCount(6);
        g->SetRowCount(8);
        g->SetOptions(g->Options() + goEditing);
        g->Navigation()->SetAllowSmartClipboard(true);
        return g;
    }
};

// The texts of the selection's cells, columns left to right and rows top to bottom within each.
std::vector<String> Texts(TZvStringGrid& g, TGridRect R)
{
    std::vector<String> texts;
    for (int c = R.Left; c <= R.Right; ++c)
        for (int r = R.Top; r <= R.Bottom; ++r) texts.push_back(g.Cells(c, r));
    return texts;
}

TEST_F(SmartFill, TheFillContinuesWhatWasPastedOverTheSelection)
{
    const struct {
        const char* Name;
        const char* Clip;
        TGridRect Sel;
        std::vector<const char*> Expect;
        bool Smart = true;
    } cases[] = {
        {"one value into 3x2", "5", {1, 1, 3, 2}, {"5", "5", "5", "5", "5", "5"}},
        {"one value with a final break", "5\r\n", {1, 1, 1, 3}, {"5", "5", "5"}},
        {"integers down a column", "1\r\n3\r\n", {1, 1, 1, 5}, {"1", "3", "5", "7", "9"}},
        {"integers along a row", "10\t7", {1, 1, 5, 1}, {"10", "7", "4", "1", "-2"}},
        {"decimals take the float format", "1.5\r\n2\r\n", {1, 1, 1, 4}, {"1.50", "2.00", "2.50", "3.00"}},
        {"dates a month apart keep their day", "15/01/2026\r\n15/02/2026\r\n", {1, 1, 1, 4},
         {"15/01/2026", "15/02/2026", "15/03/2026", "15/04/2026"}},
        {"months pass the year's end", "15/11/2026\r\n15/12/2026\r\n", {1, 1, 1, 4},
         {"15/11/2026", "15/12/2026", "15/01/2027", "15/02/2027"}},
        {"days and months differ: the days between", "31/01/2026\r\n28/02/2026\r\n", {1, 1, 1, 4},
         {"31/01/2026", "28/02/2026", "28/03/2026", "25/04/2026"}},
        {"years apart", "01/03/2020\r\n01/03/2021\r\n", {1, 1, 1, 3}, {"01/03/2020", "01/03/2021", "01/03/2022"}},
        {"a leap day a year on is the days between", "29/02/2020\r\n28/02/2021\r\n", {1, 1, 1, 3},
         {"29/02/2020", "28/02/2021", "28/02/2022"}},
        {"days apart", "01/01/2026\r\n08/01/2026\r\n", {1, 1, 1, 3}, {"01/01/2026", "08/01/2026", "15/01/2026"}},
        {"times", "10:00:00\r\n10:30:00\r\n", {1, 1, 1, 4}, {"10:00:00", "10:30:00", "11:00:00", "11:30:00"}},
        {"a text block repeats", "a\r\nb\r\n", {1, 1, 1, 5}, {"a", "b", "a", "b", "a"}},
        {"a block without a final break is as long", "a\r\nb", {1, 1, 1, 4}, {"a", "b", "a", "b"}},
        {"one row of two texts into two cells", "a\tb", {1, 1, 2, 1}, {"a", "b"}},
        {"one row of two texts with a break into two cells", "a\tb\r\n", {1, 1, 2, 1}, {"a", "b"}},
        {"a text row along a longer row", "a\tb\tc", {1, 1, 5, 1}, {"a", "b", "c", "a", "b"}},
        {"a one-row text repeats into every row", "a\tb\tc", {1, 1, 3, 3},
         {"a", "a", "a", "b", "b", "b", "c", "c", "c"}},
        {"a one-row text with a final break is still one row", "a\tb\tc\r\n", {1, 1, 3, 3},
         {"a", "a", "a", "b", "b", "b", "c", "c", "c"}},
        {"two rows over a larger selection stay as pasted", "a\tb\r\nc\td\r\n", {1, 1, 3, 3},
         {"a", "c", "", "b", "d", "", "", "", ""}},
        {"a one-column text repeats into every column", "p\r\nq", {1, 1, 3, 2}, {"p", "q", "p", "q", "p", "q"}},
        {"smart fill off: only the paste", "5", {1, 1, 3, 2}, {"5", "", "", "", "", ""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFillGrid* g = MakeGrid();
        g->Navigation()->SetAllowSmartClipboard(c.Smart);
        Clipboard().SetAsText(String::fromUtf8(c.Clip));
        g->SetSelection(c.Sel);
        g->PasteSelectionFromClipboard();
        std::vector<String> expect;
        for (const char* e : c.Expect) expect.push_back(String::fromUtf8(e));
        EXPECT_EQ(Texts(*g, c.Sel), expect);
        EXPECT_EQ(g->Cells(c.Sel.Right + 1, c.Sel.Top), String()) << "nothing beyond the selection";
        EXPECT_EQ(g->Cells(c.Sel.Left, c.Sel.Bottom + 1), String());
        delete g;
    }
}

// Cells that may not be edited keep their text; a series still counts them, so the values after them
// are where they would be.
TEST_F(SmartFill, ProtectedCellsAreSkippedAndTheSeriesCountsThem)
{
    TFillGrid* g = MakeGrid();
    g->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 1 && ARow == 3); };
    g->SetCells(1, 3, "ro");
    Clipboard().SetAsText(QStringLiteral("2\r\n4\r\n"));
    g->SetSelection(TGridRect{1, 1, 1, 5});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(*g, {1, 1, 1, 5}), (std::vector<String>{"2", "4", "ro", "8", "10"}));

    // The single value honours AllowClipboardAlways; series and repeats do not.
    g->Navigation()->SetAllowClipboardAlways(true);
    Clipboard().SetAsText(QStringLiteral("z"));
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(*g, {1, 1, 1, 5}), (std::vector<String>{"z", "z", "z", "z", "z"}));
    delete g;
}

TEST_F(SmartFill, TheEventsSeeEveryFilledCellButTheFirstAndMayRefuse)
{
    TFillGrid* g = MakeGrid();
    std::vector<String> before, after;
    g->OnClipboardBeforePasteCell = [&](TObject*, int ACol, int ARow, String& Value, bool& Allow) {
        before.push_back(QStringLiteral("%1,%2 %3").arg(ACol).arg(ARow).arg(Value));
        if (ARow == 3) Allow = false;
        if (ARow == 4) Value = QStringLiteral("four");
    };
    g->OnClipboardAfterPasteCell = [&](TObject*, int ACol, int ARow, const String& Value) {
        after.push_back(QStringLiteral("%1,%2 %3").arg(ACol).arg(ARow).arg(Value));
    };
    Clipboard().SetAsText(QStringLiteral("7"));
    g->SetSelection(TGridRect{2, 1, 2, 4});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(*g, {2, 1, 2, 4}), (std::vector<String>{"7", "7", "", "four"}));
    // The first entries come from the paste itself; the fill reports rows 2 to 4.
    EXPECT_EQ(std::vector<String>(before.end() - 3, before.end()), (std::vector<String>{"2,2 7", "2,3 7", "2,4 7"}));
    EXPECT_EQ(std::vector<String>(after.end() - 2, after.end()), (std::vector<String>{"2,2 7", "2,4 four"}));
    delete g;
}

TEST_F(SmartFill, EveryFillEndsWithImportDoneAndFooters)
{
    for (const char* clip : {"5", "1\r\n2\r\n", "1.5\r\n2.5\r\n", "01/01/2026\r\n02/01/2026\r\n", "a\r\nb\r\n"}) {
        SCOPED_TRACE(clip);
        TFillGrid* g = MakeGrid();
        std::vector<TRect> changed;
        g->OnCellsChanged = [&](TObject*, TRect R) { changed.push_back(R); };
        Clipboard().SetAsText(QString::fromLatin1(clip));
        g->SetSelection(TGridRect{1, 1, 1, 4});
        g->PasteSelectionFromClipboard();
        ASSERT_FALSE(g->Log.empty());
        EXPECT_EQ(g->Log.front(), String("start"));
        const auto done = std::find(g->Log.begin(), g->Log.end(), String("done"));
        ASSERT_NE(done, g->Log.end());
        EXPECT_EQ(g->Log.back(), String("footers"));
        ASSERT_FALSE(changed.empty());
        EXPECT_EQ(changed.back(), (TRect{1, 1, 1, 4}));
        delete g;
    }
}

// A text that is no date, or a date the month does not have, ends the series where it stands.
TEST_F(SmartFill, AFailingConversionEndsTheSeriesSilently)
{
    TFillGrid* g = MakeGrid();
    Clipboard().SetAsText(QStringLiteral("31/01/2026\r\n31/03/2026\r\n"));
    g->SetSelection(TGridRect{1, 1, 1, 4});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(*g, {1, 1, 1, 4}), (std::vector<String>{"31/01/2026", "31/03/2026", "31/05/2026", "31/07/2026"}));

    Clipboard().SetAsText(QStringLiteral("31/01/2026\r\n31/02/2026\r\n"));
    g->SetSelection(TGridRect{2, 1, 2, 4});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(*g, {2, 1, 2, 4}), (std::vector<String>{"31/01/2026", "31/02/2026", "", ""}));
    delete g;
}

} // namespace
