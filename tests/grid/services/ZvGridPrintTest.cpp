// The page engine on a recording target with fixed metrics: bands, fitting,
// row paging, repeated fixed rows and columns, selected rows, page ranges,
// header and footer texts, and the job's notifications.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/services/ZvGridPrintTarget.h"
#include "platform/Forms.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <memory>

namespace {

// 200 mm by 280 mm.
constexpr TRect Page{0, 0, 2000, -2800};

struct ExportLog : TZvStringGrid {
    using TZvStringGrid::TZvStringGrid;
    QStringList Steps;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        Steps << QStringLiteral("%1:%2").arg(int(AState)).arg(ARow);
    }
};

struct GridPrint : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    ExportLog* grid = nullptr;

    void SetUp() override
    {
        form->SetBounds(0, 0, 480, 320);
        grid = new ExportLog(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        Fill(3, 4);
    }
    void Fill(int cols, int rows)
    {
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r) grid->SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
    }
    QStringList Run(TRect page = Page, bool selectedOnly = false)
    {
        TRecordingPrintTarget target(page);
        grid->PrintTo(&target, {0, 0, grid->ColCount() - 1, grid->RowCount() - 1}, selectedOnly);
        return target.Log;
    }
    // The texts drawn, page by page.
    static std::vector<QStringList> Pages(const QStringList& log)
    {
        std::vector<QStringList> pages(1);
        for (const String& l : log) {
            if (l == "page") pages.emplace_back();
            else if (l.startsWith("text ")) pages.back() << l.section(u'"', 1, 1);
        }
        return pages;
    }
};

// Only the texts with their positions, to pin a layout in a few lines.
QStringList Texts(const QStringList& log)
{
    QStringList out;
    for (const String& l : log)
        if (l.startsWith("text ") || l == "page") out << l;
    return out;
}

TEST_F(GridPrint, OneBandGolden)
{
    // Columns 3 characters of 14 wide plus 20 spacing, centred on the page;
    // rows the text height 28 + 28/8 + 2 margins of 3; one page, plain number.
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomCenter);
    const QStringList log = Run();
    const QStringList golden = {
        "font Tahoma 28 0 ff000008",
        "text 972,-2769 \"  1 \"",
        "fill 938,0,1000,-37 ffffff to f0f0f0",
        "font Tahoma 28 1 ff000008",
        "text 945,-3 \"0.0\"",
        "line 938,0 938,-37 000000 w3",
        "line 1000,0 1000,-37 000000 w3",
        "line 938,0 1000,0 000000 w3",
        "line 938,-37 1000,-37 000000 w3",
        "fill 1000,0,1062,-37 ffffff to f0f0f0",
        "text 1007,-3 \"1.0\"",
        "line 997,0 997,-37 000000 w3",
        "line 1062,0 1062,-37 000000 w3",
        "line 1000,0 1062,0 000000 w3",
        "line 1000,-37 1062,-37 000000 w3",
        "font Tahoma 28 0 ff000008",
        "fill 938,-37,1000,-74 ffffff to f0f0f0",
        "font Tahoma 28 1 ff000008",
        "text 945,-40 \"0.1\"",
        "line 938,-37 938,-74 000000 w3",
        "line 1000,-37 1000,-74 000000 w3",
        "line 938,-37 1000,-37 000000 w3",
        "line 938,-74 1000,-74 000000 w3",
        "fill 1000,-37,1062,-74 ff000005",
        "font Tahoma 28 0 ff000008",
        "text 1007,-40 \"1.1\"",
        "line 997,-37 997,-74 000000 w3",
        "line 1062,-37 1062,-74 000000 w3",
        "line 1000,-37 1062,-37 000000 w3",
        "line 1000,-74 1062,-74 000000 w3",
    };
    EXPECT_EQ(log, golden) << log.join(u'\n').toStdString();
    EXPECT_EQ(grid->PrintNrOfPages(), 1);
    EXPECT_EQ(grid->PrintColEnd(), 1);
    EXPECT_EQ(grid->GetPrintColWidth(0), 42);
    EXPECT_EQ(grid->GetPrintColOffset(1), 1000);
}

TEST_F(GridPrint, WideGridsPrintInBandsNumberedPageThenBand)
{
    // 3 columns of 162 units on a 350-unit page: two bands; 6 rows of 37 on a
    // page that holds 3 below the header: two pages per band.
    Fill(3, 6);
    for (int r = 0; r < 6; ++r) grid->SetCells(1, r, QStringLiteral("wide-cell-text"));
    for (int r = 0; r < 6; ++r) grid->SetCells(2, r, QStringLiteral("wide-cell-text"));
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppTopRight);
    grid->PrintSettings()->SetFooterSize(0);
    const QStringList log = Run({0, 0, 350, -200});
    const auto pages = Pages(log);
    ASSERT_EQ(pages.size(), 4u) << log.join(u'\n').toStdString();
    const char* numbers[] = {"  1-1 ", "  2-1 ", "  1-2 ", "  2-2 "};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pages[std::size_t(i)].first(), numbers[i]) << i;
    EXPECT_TRUE(pages[0].contains("0.0") && pages[0].contains("wide-cell-text"));
    EXPECT_FALSE(pages[0].contains("2.0"));
    EXPECT_EQ(pages[2], (QStringList{"  1-2 ", "wide-cell-text", "wide-cell-text", "wide-cell-text"}));
    EXPECT_EQ(grid->PrintNrOfPages(), 4);
}

TEST_F(GridPrint, PlainPageNumbersShowTheTotal)
{
    Fill(2, 12);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomCenter);
    grid->PrintSettings()->SetPageNumSep("/");
    const auto pages = Pages(Run({0, 0, 2000, -200}));
    ASSERT_GT(pages.size(), 1u);
    const int n = int(pages.size());
    for (int i = 0; i < n; ++i) EXPECT_EQ(pages[std::size_t(i)].first(), QStringLiteral("  %1/%2 ").arg(i + 1).arg(n));
}

TEST_F(GridPrint, FitModesShrinkAndGrowOnlyTheirWay)
{
    struct Case { TFitToPage mode; int pageWidth; bool changes; bool grows; };
    const Case cases[] = {
        {TFitToPage::fpShrink, 2000, false, false},   // narrow table, shrink never grows
        {TFitToPage::fpShrink, 150, true, false},
        {TFitToPage::fpGrow, 150, false, false},      // wide table, grow never shrinks
        {TFitToPage::fpGrow, 2000, true, true},
        {TFitToPage::fpAlways, 2000, true, true},
        {TFitToPage::fpAlways, 150, true, false},
        {TFitToPage::fpNever, 150, false, false},
    };
    for (const Case& c : cases) {
        grid->PrintSettings()->SetFitToPage(c.mode);
        Run({0, 0, c.pageWidth, -2800});
        const int w = grid->GetPrintColWidth(0);
        EXPECT_EQ(w != 42, c.changes) << int(c.mode) << " " << c.pageWidth << " " << w;
        if (c.changes) EXPECT_EQ(w > 42, c.grows) << int(c.mode) << " " << c.pageWidth;
        EXPECT_GT(w, 0);
    }
    // A page narrower than the spacing alone still prints something.
    grid->PrintSettings()->SetFitToPage(TFitToPage::fpAlways);
    Run({0, 0, 30, -2800});
    EXPECT_GE(grid->GetPrintColWidth(0), 0);
}

TEST_F(GridPrint, FixedRowsRepeatOnEveryPage)
{
    Fill(2, 12);
    grid->PrintSettings()->SetRepeatFixedRows(true);
    const auto pages = Pages(Run({0, 0, 2000, -200}));
    ASSERT_GT(pages.size(), 2u);
    for (const QStringList& p : pages) EXPECT_EQ(p.value(0), "0.0") << p.join(',').toStdString();
    grid->PrintSettings()->SetRepeatFixedRows(false);
    const auto plain = Pages(Run({0, 0, 2000, -200}));
    EXPECT_NE(plain[1].value(0), "0.0");
}

TEST_F(GridPrint, FixedColumnsRepeatInEveryBand)
{
    Fill(4, 2);
    for (int c = 1; c < 4; ++c) grid->SetCells(c, 1, QStringLiteral("wide-cell-text"));
    grid->PrintSettings()->SetRepeatFixedCols(true);
    const auto pages = Pages(Run({0, 0, 400, -2800}));
    ASSERT_GE(pages.size(), 2u);
    for (const QStringList& p : pages) EXPECT_TRUE(p.contains("0.1")) << p.join(',').toStdString();
}

TEST_F(GridPrint, SelectedRowsOnly)
{
    Fill(2, 6);
    grid->SetSelection({0, 2, 1, 3});
    const auto pages = Pages(Run(Page, true));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (QStringList{"0.2", "1.2", "0.3", "1.3"}));
}

TEST_F(GridPrint, OnPrintStartChoosesTheRangeAndNotificationsPair)
{
    Fill(2, 12);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomLeft);
    int counted = 0;
    grid->OnPrintStart = [&](TObject*, int n, int& from, int& to) {
        counted = n;
        from = 2;
        to = 2;
    };
    const QStringList log = Run({0, 0, 2000, -200});
    const auto pages = Pages(log);
    ASSERT_EQ(pages.size(), 1u) << log.join(u'\n').toStdString();
    EXPECT_TRUE(pages[0].first().startsWith(QStringLiteral(" 2/%1 ").arg(counted))) << pages[0].first().toStdString();
    EXPECT_EQ(grid->PrintNrOfPages(), 2);

    // An empty range prints nothing and still closes the job.
    grid->Steps.clear();
    grid->OnPrintStart = [](TObject*, int, int& from, int& to) { from = 3, to = 2; };
    EXPECT_TRUE(Texts(Run()).isEmpty());
    ASSERT_FALSE(grid->Steps.isEmpty());
    EXPECT_EQ(grid->Steps.first(), "0:-1");
    EXPECT_EQ(grid->Steps.last(), "3:-1");
}

TEST_F(GridPrint, FastPrintPrintsTheWholeGridWithPlainNumbers)
{
    Fill(2, 12);
    grid->SetFastPrint(true);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomLeft);
    const auto pages = Pages(Run({0, 0, 2000, -200}));
    ASSERT_GT(pages.size(), 2u);
    EXPECT_TRUE(pages.back().contains("1.11"));
    EXPECT_EQ(pages[1].first(), " 2  ");   // at the left the item goes in front of the empty text
}

TEST_F(GridPrint, ARowTallerThanThePageGetsAPageOfItsOwn)
{
    Fill(2, 3);
    grid->SetCells(1, 1, "a\nb\nc\nd\ne\nf\ng\nh\ni\nj");
    grid->SetMultilinecells(true);
    // The header and footer leave about 200 units; the tall row needs 300.
    const auto pages = Pages(Run({0, 0, 2000, -340}));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[1].contains("0.1"));
    EXPECT_TRUE(pages[2].contains("0.2"));

    // Header and footer filling the page: every row still lands on a page.
    grid->PrintSettings()->SetHeaderSize(500);
    const auto crowded = Pages(Run({0, 0, 2000, -340}));
    EXPECT_EQ(crowded.size(), 3u);
}

TEST_F(GridPrint, MoreThan512ColumnsPrint)
{
    Fill(600, 2);
    const auto pages = Pages(Run({0, 0, 2000, -2800}));
    EXPECT_TRUE(pages.back().contains("599.1"));
    EXPECT_GT(grid->PrintNrOfPages(), 1);
    EXPECT_THROW(grid->GetPrintColWidth(512), EZvGridError);
}

TEST_F(GridPrint, HeaderItemsKeepTheirOrder)
{
    struct Case { TPrintPosition pos; const char* text; };
    const Case cases[] = {
        {TPrintPosition::ppTopLeft, "Title < 1 > "},   // each item goes in front: title, then page
        {TPrintPosition::ppTopRight, " < 1 > Title"},  // each item goes behind
    };
    for (const Case& c : cases) {
        TPrintSettings* p = grid->PrintSettings();
        p->SetPageNr(c.pos);
        p->SetTitle(c.pos);
        p->SetTitleText("Title");
        p->SetPagePrefix("<");
        p->SetPageSuffix(">");
        const auto pages = Pages(Run());
        EXPECT_EQ(pages[0].first(), c.text) << int(c.pos);
    }
}

TEST_F(GridPrint, TitleLinesStackBelowTheFirst)
{
    TPrintSettings* p = grid->PrintSettings();
    p->SetTitle(TPrintPosition::ppTopCenter);
    p->TitleLines()->SetText("one\ntwo\nthree");
    const QStringList texts = Texts(Run());
    ASSERT_GE(texts.size(), 3);
    EXPECT_TRUE(texts[0].endsWith("\" one\"") || texts[0].endsWith("\"one\"")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].endsWith("\"two\"")) << texts[1].toStdString();
    EXPECT_TRUE(texts[2].endsWith("\"three\"")) << texts[2].toStdString();
}

}   // namespace

namespace {

struct GridPreview : GridPrint {
    QStringList Preview(TRect page, bool selectedOnly = false)
    {
        TRecordingPrintTarget target(page);
        grid->PrintPreviewTo(&target, {0, 0, grid->ColCount() - 1, grid->RowCount() - 1}, selectedOnly);
        return target.Log;
    }
};

TEST_F(GridPreview, DrawsTheChosenPageOnlyAndCountsThemAll)
{
    Fill(2, 12);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomLeft);
    grid->PrintSettings()->SetPageNumSep("/");
    struct Case { int page; const char* firstCell; };
    for (const Case c : {Case{1, "0.0"}, Case{2, "0.3"}, Case{3, "0.6"}}) {
        grid->SetPreviewPage(c.page);
        const auto pages = Pages(Preview({0, 0, 2000, -200}));
        ASSERT_EQ(pages.size(), 1u);   // a preview never starts a new page
        EXPECT_EQ(pages[0].value(0), QStringLiteral(" %1/4  ").arg(c.page));
        EXPECT_EQ(pages[0].value(1), c.firstCell);
        EXPECT_EQ(grid->PrintNrOfPages(), 4);
        EXPECT_FALSE(grid->IsPrintPreview());
    }
    grid->SetPreviewPage(9);   // past the end: laid out, nothing drawn
    EXPECT_TRUE(Texts(Preview({0, 0, 2000, -200})).isEmpty());
}

TEST_F(GridPreview, AfterAPrintJobDrawsTheFirstPageOfItsRangeOnly)
{
    Fill(2, 12);
    grid->OnPrintStart = [](TObject*, int, int& from, int& to) { from = 2, to = 3; };
    Run({0, 0, 2000, -200});
    grid->OnPrintStart = nullptr;
    const QStringList texts = Texts(Preview({0, 0, 2000, -200}));
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.first().endsWith("\"0.4\"")) << texts.join('\n').toStdString();
    EXPECT_FALSE(texts.join(' ').contains("\"0.8\""));
    EXPECT_EQ(grid->PreviewPage(), 2);
}

TEST_F(GridPreview, FastPrintDrawsWithoutCountingAndAnEmptyAnswerDrawsNothing)
{
    Fill(2, 12);
    grid->SetPreviewPage(1);
    Preview({0, 0, 2000, -200});
    EXPECT_EQ(grid->PrintNrOfPages(), 3);
    grid->SetFastPrint(true);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomLeft);
    grid->PrintSettings()->SetPageNumSep("/");
    grid->Steps.clear();
    const auto pages = Pages(Preview({0, 0, 2000, -200}));
    EXPECT_EQ(pages[0].value(0), " 1  ");   // plain: the total is not known
    EXPECT_EQ(grid->PrintNrOfPages(), 3);     // kept from the counted preview
    EXPECT_EQ(grid->Steps.last(), "3:-1");
    // The laying out stops soon after the page shown.
    EXPECT_LT(grid->Steps.size(), 12);

    grid->OnPrintStart = [](TObject*, int, int& from, int& to) { from = 2, to = 1; };
    EXPECT_TRUE(Preview({0, 0, 2000, -200}).isEmpty());
}

TEST_F(GridPreview, PaintsOnACanvasWithTextTheRightWayUp)
{
    TBitmap bitmap;
    bitmap.SetSize(400, 300);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect({0, 0, 400, 300});
    grid->PrintSettings()->Font()->SetSize(14);
    grid->PrintPreview(bitmap.Canvas(), {0, 0, 400, 300});
    const QImage image = bitmap.Image();
    // The table sits at the top, centred: ink in its upper part, none at the bottom.
    int inkTop = 0, inkBottom = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if (qGray(image.pixel(x, y)) < 100) (y < 150 ? inkTop : inkBottom)++;
    EXPECT_GT(inkTop, 50);
    EXPECT_EQ(inkBottom, 0);
    image.save(ScreenshotFolder() + "/grid-print-preview.png");
}

}   // namespace

namespace {

// The painter target's rules: a tenth of a millimetre is Dpi / 254 dots, y is
// negated, and a text's top-left corner lands on the point it is drawn at.
TEST(PainterPrintTarget, MapsTenthsOfAMillimetreDownTheDevice)
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterPrintTarget target(&painter, 100, 300, 300);
    EXPECT_EQ(target.PageRect().Right, 762);
    EXPECT_EQ(target.PageRect().Bottom, -762);
    target.Fill({254, -254, 508, -508}, clRed, clNone);        // dots 100..199 both ways
    target.Line(0, -635, 762, -635, clBlack, 3);                // a line across at dot 250
    target.SetFont("DejaVu Sans", 50, TFontStyles(), clBlack);  // about 20 dots high
    target.TextOut(25, -25, "Hg");                              // top-left at dot (10, 10)
    painter.end();
    EXPECT_EQ(image.pixelColor(150, 150), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(99, 150), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(150, 201), QColor(Qt::white));
    EXPECT_LT(qGray(image.pixel(150, 250)), 60);
    int inkTop = 300, inkLeft = 300;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            if (qGray(image.pixel(x, y)) < 128) inkTop = std::min(inkTop, y), inkLeft = std::min(inkLeft, x);
    EXPECT_GE(inkTop, 9);
    EXPECT_LE(inkTop, 16);
    EXPECT_GE(inkLeft, 9);
    EXPECT_LE(inkLeft, 14);
}

}   // namespace
