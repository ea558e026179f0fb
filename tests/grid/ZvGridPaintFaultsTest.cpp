// Painting a shown grid where it used to go wrong: graphic cells whose text
// holds no number, a cell's own clip that lifted the clip keeping scrolled
// cells off the fixed ones, and markup links that ignored the pointer and the
// selection.

#include "grid/ZvGrid.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct ShownGridPaint : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        form.SetBounds(0, 0, 420, 220);
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 400, 200);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        for (int c = 0; c < 5; ++c) grid->SetColWidths(c, 80);
        grid->SetColor(clWhite);
        grid->GotoCell(4, 5);
        form.Show();
    }

    static int CountNear(const QImage& img, TColor colour, const TRect& area)
    {
        const QColor want = ToQColor(colour);
        int n = 0;
        for (int y = std::max(0, area.Top); y < std::min(img.height(), area.Bottom); ++y)
            for (int x = std::max(0, area.Left); x < std::min(img.width(), area.Right); ++x) {
                const QColor p = img.pixelColor(x, y);
                n += std::abs(p.red() - want.red()) < 50 && std::abs(p.green() - want.green()) < 50 &&
                     std::abs(p.blue() - want.blue()) < 50;
            }
        return n;
    }
    static int CountDark(const QImage& img, const TRect& area)
    {
        int n = 0;
        for (int y = std::max(0, area.Top); y < std::min(img.height(), area.Bottom); ++y)
            for (int x = std::max(0, area.Left); x < std::min(img.width(), area.Right); ++x)
                n += qGray(img.pixel(x, y)) < 100;
        return n;
    }
};

TEST_F(ShownGridPaint, GraphicCellsWhoseTextHoldsNoNumberPaintWithoutRaising)
{
    using TAdd = std::function<void(TZvStringGrid*, int, int)>;
    const std::pair<const char*, TAdd> kinds[] = {
        {"progress", [](TZvStringGrid* g, int c, int r) { g->AddProgress(c, r, clNavy, clSilver); }},
        {"styled progress", [](TZvStringGrid* g, int c, int r) { g->AddZvProgress(c, r, 0, 100); }},
        {"rating", [](TZvStringGrid* g, int c, int r) { g->AddRating(c, r, 5, clYellow, clGray); }},
        {"range", [](TZvStringGrid* g, int c, int r) { g->AddRangeIndicator(c, r, 100, clRed, clGreen, true); }},
        {"data image",
         [](TZvStringGrid* g, int c, int r) { g->AddDataImage(c, r, 0, TCellHAlign::haLeft, TCellVAlign::vaTop); }},
    };
    const char* texts[] = {"abc", "12abc", "1e999", "nan", "-inf", "99999999999999999999", "3,4.5", " "};
    int row = 1;
    for (const auto& [name, add] : kinds) {
        add(grid, 1, row);
        for (const char* text : texts) {
            SCOPED_TRACE(std::string(name) + " on \"" + text + "\"");
            grid->SetCellEx(1, row, QString::fromLatin1(text));
            QImage img;
            EXPECT_NO_THROW(img = grid->PaintToImage());
            EXPECT_FALSE(img.isNull());
        }
        ++row;
    }
    // A number still paints as its value.
    grid->SetCellEx(2, 2, QStringLiteral("100"));
    grid->AddProgress(2, 2, clNavy, clSilver);
    const QImage img = grid->PaintToImage();
    EXPECT_GT(CountNear(img, clNavy, grid->CellRect(2, 2)), 200);
}

TEST_F(ShownGridPaint, AScrolledCellsTextStaysOffTheFixedColumn)
{
    // A merged area whose left part has scrolled under the fixed column, its
    // text clipped again by the cell's own scroll bar.
    grid->SetColCount(8);
    for (int c = 0; c < 8; ++c) grid->SetColWidths(c, 80);
    grid->SetFixedColor(clSilver);
    grid->SetCellEx(1, 2, QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    grid->MergeCells(1, 2, 4, 1);
    grid->AddScrollBar(1, 2, false);
    grid->SetScrollProp(1, 2, 10, 40);
    grid->SetScrollPosition(1, 2, 1);
    grid->SetLeftCol(2);
    QApplication::processEvents();
    const QImage img = grid->PaintToImage();
    const TRect fixedCell = grid->CellRect(0, 2);
    const TRect inside{fixedCell.Left + 3, fixedCell.Top + 3, fixedCell.Right - 3, fixedCell.Bottom - 3};
    EXPECT_EQ(CountDark(img, inside), 0) << "text painted over the fixed column";
    // It is painted in the part still shown.
    const TRect shown = grid->CellRect(2, 2);
    EXPECT_GT(CountDark(img, TRect{shown.Left, shown.Top, shown.Right, shown.Bottom}), 20);
}

TEST_F(ShownGridPaint, AMarkupLinkTakesItsHoverLookUnderThePointerAndTheSelectionsColour)
{
    grid->SetURLUnderlineOnHover(true);
    grid->SetURLColor(clBlue);
    grid->SetCellEx(1, 1, QStringLiteral("<a href=\"go\">linklinklink</a>"));
    const TRect cell = grid->CellRect(1, 1);
    const QImage before = grid->PaintToImage().copy(cell.Left, cell.Top, cell.Width(), cell.Height());
    EXPECT_GT(CountNear(before, clBlue, TRect{0, 0, cell.Width(), cell.Height()}), 10);

    // The pointer over the link underlines it; moving off takes the underline away again.
    Simulate::MouseMove(grid, {cell.Left + 12, (cell.Top + cell.Bottom) / 2});
    QApplication::processEvents();
    const QImage hovered = grid->PaintToImage().copy(cell.Left, cell.Top, cell.Width(), cell.Height());
    EXPECT_GT(CountNear(hovered, clBlue, TRect{0, 0, cell.Width(), cell.Height()}),
              CountNear(before, clBlue, TRect{0, 0, cell.Width(), cell.Height()}));
    Simulate::MouseMove(grid, {grid->CellRect(3, 3).Left + 5, grid->CellRect(3, 3).Top + 5});
    QApplication::processEvents();
    const QImage after = grid->PaintToImage().copy(cell.Left, cell.Top, cell.Width(), cell.Height());
    EXPECT_EQ(after, before);

    // In a selected cell the link takes the selection's text colour.
    grid->SetSelectionColor(clNavy);
    grid->SetSelectionTextColor(clYellow);
    grid->SetSelection(TGridRect{1, 1, 1, 1});
    const QImage selected = grid->PaintToImage().copy(cell.Left, cell.Top, cell.Width(), cell.Height());
    EXPECT_EQ(CountNear(selected, clBlue, TRect{0, 0, cell.Width(), cell.Height()}), 0);
    EXPECT_GT(CountNear(selected, clYellow, TRect{0, 0, cell.Width(), cell.Height()}), 10);
}

} // namespace
