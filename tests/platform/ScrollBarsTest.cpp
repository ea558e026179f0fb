// The scrolling window: its bars appear when the children reach past the client area, and the wheel, the
// scroll messages and the Qt bar itself move the children within the range.
#include "platform/ScrollBars.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct TScrollingFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TScrollingWinControl* Box = nullptr;
    TCustomControl* Child = nullptr;

    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 300);
        Box = new TScrollingWinControl(Form.get());
        Box->SetParent(Form.get());
        Box->SetBounds(10, 10, 120, 100);
        Child = new TCustomControl(Form.get());
        Child->SetParent(Box);
        Child->SetBounds(0, 0, 80, 400);   // taller than the box, narrower than it
        Box->UpdateScrollBars();
        Form->Show();
        QApplication::processEvents();
    }
    QScrollBar* QtBar(Qt::Orientation o) const
    {
        for (QScrollBar* b : Box->Handle()->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
            if (b->orientation() == o && b->isVisible()) return b;
        return nullptr;
    }
    void Scroll(int code, int pos = 0) { Box->Perform(WM_VSCROLL, MakeWParam(code, pos), 0); }
};

TEST_F(TScrollingFixture, ABarAppearsWhenTheChildrenReachPastTheClientArea)
{
    TControlScrollBar* v = Box->VertScrollBar();
    EXPECT_TRUE(v->IsScrollBarVisible());
    EXPECT_FALSE(Box->HorzScrollBar()->IsScrollBarVisible()) << "the child fits beside the bar";
    EXPECT_EQ(v->Range(), 400);
    EXPECT_EQ(Box->ClientWidth(), 120 - TWindowScrollBars::Size);
    EXPECT_EQ(Box->ClientHeight(), 100);
    TScrollInfo info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(Box, SB_VERT, info));
    EXPECT_EQ(info.nMax, 399);
    EXPECT_EQ(info.nPage, 100u);
    QScrollBar* bar = QtBar(Qt::Vertical);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(120 - TWindowScrollBars::Size, 0, TWindowScrollBars::Size, 100));

    // A child wider than what is left beside the bar brings the other bar.
    Child->SetWidth(110);
    Box->UpdateScrollBars();
    EXPECT_TRUE(Box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(Box->ClientHeight(), 100 - TWindowScrollBars::Size);
}

TEST_F(TScrollingFixture, ScrollMessagesMoveTheChildrenWithinTheRange)
{
    const struct {
        int Code, Thumb, Position;
    } steps[] = {
        {SB_LINEDOWN, 0, 8},   {SB_PAGEDOWN, 0, 108},    {SB_THUMBTRACK, 50, 108}, {SB_THUMBPOSITION, 50, 50},
        {SB_LINEUP, 0, 42},    {SB_BOTTOM, 0, 300},      {SB_LINEDOWN, 0, 300},    {SB_TOP, 0, 0},
        {SB_PAGEUP, 0, 0},     {SB_THUMBPOSITION, 999, 300},
    };
    for (const auto& s : steps) {
        Scroll(s.Code, s.Thumb);
        EXPECT_EQ(Box->VertScrollBar()->Position(), s.Position) << "code " << s.Code;
        EXPECT_EQ(Child->Top(), -s.Position) << "code " << s.Code;
        EXPECT_EQ(GetScrollPos(Box, SB_VERT), s.Position);
    }
    Box->VertScrollBar()->SetTracking(true);
    Scroll(SB_THUMBTRACK, 20);
    EXPECT_EQ(Child->Top(), -20) << "a tracking bar follows the thumb";
}

TEST_F(TScrollingFixture, TheWheelAndTheQtBarScroll)
{
    // The wheel goes to the focused control.
    Box->SetTabStop(true);
    Box->SetFocus();
    Simulate::Wheel(Box, Point(90, 20), -120);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 24) << "three lines a notch";
    Simulate::Wheel(Box, Point(90, 20), 240);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);

    QScrollBar* bar = QtBar(Qt::Vertical);
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 8);
    EXPECT_EQ(bar->sliderPosition(), 8) << "the bar shows where the window went";
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(Child->Top(), -300);
}

TEST_F(TScrollingFixture, ShrinkingChildrenHideTheBarAndScrollBack)
{
    Scroll(SB_BOTTOM);
    Child->SetHeight(250);
    Box->UpdateScrollBars();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 150) << "the position stays inside the smaller range";
    EXPECT_EQ(Child->Top(), -150);
    Child->SetHeight(60);
    Box->UpdateScrollBars();
    EXPECT_FALSE(Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(Child->Top(), 0);
    EXPECT_EQ(QtBar(Qt::Vertical), nullptr);
    EXPECT_EQ(Box->ClientWidth(), 120);
}

TEST_F(TScrollingFixture, ScrollInViewBringsAChildInWithTheMargin)
{
    auto* low = new TCustomControl(Form.get());
    low->SetParent(Box);
    low->SetBounds(0, 300, 20, 20);
    Box->UpdateScrollBars();
    Box->VertScrollBar()->SetMargin(5);
    Box->ScrollInView(low);
    EXPECT_EQ(low->Top() + low->Height() + 5, Box->ClientHeight());
    Box->ScrollInView(Child);
    EXPECT_EQ(Child->Top(), 0) << "the margin cannot go above the top";
}

} // namespace
