#include "grid/ZvGrid.h"
#include "grid/ZvGridFocusWindow.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

// The glow window is a window of its own above the grid, not a child clipped
// to it: it is placed in screen coordinates and never takes the focus.
TEST(FocusWindow, IsATopLevelPopUpThatNeverTakesTheFocus)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* grid = new TZvStringGrid(&form);
    grid->SetParent(&form);
    form.Show();

    TGridFocusWindow* glow = grid->FocusFrameWindow();
    ASSERT_NE(glow, nullptr);
    glow->SetBounds(-5, -5, 60, 30);   // reaching past the grid's corner
    glow->SetVisible(true);
    ASSERT_TRUE(glow->HandleAllocated());
    QWidget* w = glow->Handle();
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(-5, -5, 60, 30));
    EXPECT_FALSE(glow->Enabled());

    // Its picture is what it shows.
    QImage picture(60, 30, QImage::Format_ARGB32_Premultiplied);
    picture.fill(qRgba(0, 0, 255, 255));
    glow->SetAlphaImage(picture);
    const QImage shown = w->grab().toImage();
    EXPECT_EQ(shown.pixelColor(30, 15), QColor(0, 0, 255));

    glow->SetVisible(false);
    EXPECT_FALSE(w->isVisible());
}
