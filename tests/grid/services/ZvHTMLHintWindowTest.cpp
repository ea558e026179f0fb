// The grid's hint window: a markup cell's hint shown rendered at the cell
// through the application's hint handling and the grid's cell hint, its
// size and margins, keeping on the screen and never taking the focus.

#include "grid/ZvGrid.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLRender.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "platform/Forms.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

struct HTMLHint : ::testing::Test {
    TTestSeams seams;
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        Application->CancelHint();
        form.SetBounds(40, 40, 460, 300);
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetBounds(0, 0, 440, 260);
        // Each cell's own text as its hint, markup kept for the grid's window.
        grid->SetHintShowCells(true);
        grid->SetHTMLHint(true);
        grid->SetShowHint(true);
        form.Show();
        QCoreApplication::processEvents();
    }
    void TearDown() override { Application->CancelHint(); }

    // The pointer rests over a client point of the grid.
    void HoverAt(const TPoint& at)
    {
        Simulate::MouseMove(grid, at);
        seams.Clock().Advance(std::uint64_t(Application->HintPause()));
        QCoreApplication::processEvents();
    }
};

TEST_F(HTMLHint, MarkupCellHintIsShownRenderedAtTheCell)
{
    grid->SetCells(2, 3, QStringLiteral("<b>Bold</b> and <font color=\"clred\">red</font> text"));
    const TRect cell = grid->CellRect(2, 3);
    const TPoint at{cell.Left + 5, cell.Top + 5};
    HoverAt(at);

    auto* hint = dynamic_cast<THTMLHintWindow*>(ActiveHintWindow());
    ASSERT_NE(hint, nullptr);
    const TPoint screen = grid->ClientToScreen({at.X, cell.Top});
    EXPECT_EQ(hint->Left(), screen.X);
    EXPECT_EQ(hint->Top(), screen.Y);
    EXPECT_EQ(hint->Caption(), grid->Cells(2, 3));
    EXPECT_EQ(hint->Width(), hint->TextWidth() + 16);
    EXPECT_EQ(hint->Height(), hint->TextHeight() + 4);
    EXPECT_FALSE(hint->Handle()->isActiveWindow());

    const QImage shot = hint->Handle()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    shot.save(ScreenshotFolder() + QStringLiteral("/html_hint.png"));
    // A raised frame, the hint colour inside, the text in black and red.
    EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFF, ToQColor(cl3DLight).rgb() & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(shot.width() - 1, shot.height() - 1) & 0xFFFFFF, ToQColor(cl3DDkShadow).rgb() & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(2, 1) & 0xFFFFFF, ToQColor(clInfoBk).rgb() & 0xFFFFFF);
    int black = 0, red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c(shot.pixel(x, y));
            black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    EXPECT_GT(black, 20);
    EXPECT_GT(red, 10);

    // A plain cell goes back to the application's own hint window.
    grid->SetCells(1, 1, QStringLiteral("plain"));
    const TRect plain = grid->CellRect(1, 1);
    HoverAt({plain.Left + 3, plain.Top + 3});
    ASSERT_NE(ActiveHintWindow(), nullptr);
    EXPECT_EQ(ActiveHintWindow()->Caption(), QStringLiteral("plain"));
    EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(ActiveHintWindow()), nullptr);
}

TEST_F(HTMLHint, SizesByTextKindAndWrapsLongMarkup)
{
    THTMLHintWindow hint(nullptr);
    hint.ActivateHint(Rect(10, 10, 10, 10), QStringLiteral("plain words"));
    EXPECT_EQ(hint.Width(), hint.TextWidth() + 16);
    EXPECT_FALSE(hint.Handle()->isActiveWindow());

    const String unicode = EncodeUnicodeCellText(QStringLiteral("wide text"));
    hint.ActivateHint(Rect(10, 10, 10, 10), unicode);
    EXPECT_EQ(hint.Width(), hint.TextWidth() + 8);
    const int oneLine = hint.TextHeight();

    String longText;
    for (int i = 0; i < 80; ++i) longText += QStringLiteral("<b>word</b> ");
    hint.ActivateHint(Rect(10, 10, 10, 10), longText);
    EXPECT_LE(hint.TextWidth(), THTMLHintWindow::MaxTextWidth);
    EXPECT_GT(hint.TextHeight(), oneLine);

    // A long Unicode-coded hint stays on one line.
    hint.ActivateHint(Rect(10, 10, 10, 10), EncodeUnicodeCellText(QStringLiteral("wide ").repeated(300)));
    EXPECT_EQ(hint.TextHeight(), oneLine);
    hint.ReleaseHandle();
}

TEST_F(HTMLHint, StaysOnTheNearestScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    THTMLHintWindow hint(nullptr);
    const int right = screen.left() + screen.width(), bottom = screen.top() + screen.height();
    hint.ActivateHint(Rect(right - 5, bottom - 5, right - 5, bottom - 5), QStringLiteral("near the corner"));
    EXPECT_EQ(hint.Left() + hint.Width(), right - 2);
    EXPECT_EQ(hint.Top() + hint.Height(), bottom - 2);
    hint.ReleaseHandle();
}

}  // namespace
