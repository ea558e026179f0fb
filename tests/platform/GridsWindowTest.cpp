// A window with a string grid of 13 columns and 257 rows, drawn by the
// platform grid alone, scrolled by keys and the wheel; screenshots of it
// before and after go to the screenshot folder for a person to look at.
#include "tests/common/TestUtil.h"

#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QColor Rgb(TColor c)
{
    return ToQColor(ColorToRGB(c));
}

TEST(GridWindow, StringGridScrolledByKeysAndWheel)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 640, 360);
    form->SetCaption(QStringLiteral("Grid"));
    auto* grid = new TStringGrid(form.get());
    grid->SetParent(form.get());
    grid->SetAlign(TAlign::alClient);
    grid->SetColCount(13);
    grid->SetRowCount(257);
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    grid->SetColWidths(0, 40);
    for (int c = 1; c < 13; ++c) grid->SetCells(c, 0, QStringLiteral("Col %1").arg(c));
    for (int r = 1; r < 257; ++r) {
        grid->SetCells(0, r, QString::number(r));
        for (int c = 1; c < 13; ++c) grid->SetCells(c, r, QStringLiteral("R%1 C%2").arg(r).arg(c));
    }
    form->Show();
    grid->SetFocus();
    grid->SetCol(2);
    grid->SetRow(3);
    grid->SetSelection(TGridRect{2, 3, 4, 5});

    const QImage before = grid->PaintToImage();
    ASSERT_FALSE(before.isNull());
    EXPECT_TRUE(before.save(ScreenshotFolder() + QStringLiteral("/grid-window.png")));
    EXPECT_EQ(before.pixelColor(5, 5), Rgb(clBtnFace)) << "fixed cell";
    const TRect selected = grid->CellRect(3, 4);
    EXPECT_EQ(before.pixelColor(selected.Right - 3, selected.Bottom - 3), Rgb(clHighlight)) << "selected cell";
    const TRect plain = grid->CellRect(6, 6);
    EXPECT_EQ(before.pixelColor(plain.Right - 3, plain.Bottom - 3), Rgb(clWindow));
    ASSERT_TRUE(IsScrollBarVisible(grid, SB_VERT));
    ASSERT_TRUE(IsScrollBarVisible(grid, SB_HORZ)) << "13 columns do not fit in 640 pixels";
    EXPECT_EQ(grid->ClientWidth(), grid->Width() - 17);

    // Two pages down by keys, then three notches of the wheel.
    Simulate::Key(grid, Qt::Key_PageDown);
    Simulate::Key(grid, Qt::Key_PageDown);
    const int page = grid->VisibleRowCount();
    EXPECT_EQ(grid->Row(), 3 + 2 * page);
    Simulate::Wheel(grid, {100, 100}, -3 * WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 6 + 2 * page);
    Simulate::Key(grid, Qt::Key_End);
    EXPECT_EQ(grid->Col(), 12);
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_GT(grid->LeftCol(), 1);
    EXPECT_FALSE(grid->CellRect(grid->Col(), grid->Row()).IsEmpty());

    const QImage after = grid->PaintToImage();
    EXPECT_TRUE(after.save(ScreenshotFolder() + QStringLiteral("/grid-window-scrolled.png")));
    EXPECT_EQ(after.pixelColor(5, 5), Rgb(clBtnFace)) << "fixed cells stay";
    EXPECT_NE(after, before);
}

} // namespace
