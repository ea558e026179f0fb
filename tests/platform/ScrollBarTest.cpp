// The scroll-bar control: a user's action is offered to the parent first; only a parent that leaves it
// unanswered lets the bar take its own step, and every move of the position is reported once.
#include "platform/ScrollBar.h"

#include "platform/Forms.h"
#include "platform/Messages.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A parent that records the scroll messages it is offered and answers as told.
class TScrollParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    struct TOffer {
        UINT Msg;
        int Code;
        int Pos;
        LPARAM Bar;
    };
    std::vector<TOffer> Offers;
    LRESULT Answer = 0;

    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL) {
            Offers.push_back({Message.Msg, LoWord(Message.WParam), HiWord(Message.WParam), Message.LParam});
            Message.Result = Answer;
            return;
        }
        TCustomControl::WndProc(Message);
    }
};

struct ScrollBarControl : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TScrollParent* Parent = nullptr;
    TScrollBar* Bar = nullptr;
    int Changes = 0;

    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 300);
        Parent = new TScrollParent(Form.get());
        Parent->SetParent(Form.get());
        Parent->SetBounds(0, 0, 200, 200);
        Bar = new TScrollBar(Form.get());
        Bar->SetParent(Parent);
        Bar->SetKind(TScrollBarKind::sbVertical);
        Bar->SetBounds(10, 10, 17, 150);
        Bar->SetParams(20, 0, 100);
        Bar->SetSmallChange(5);
        Bar->SetLargeChange(30);
        Bar->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        QApplication::processEvents();
    }
    QScrollBar* QtBar() const { return qobject_cast<QScrollBar*>(Bar->Handle()); }
};

TEST_F(ScrollBarControl, PositionStaysWithinTheRangeAndReportsOnlyRealMoves)
{
    EXPECT_EQ(Bar->Kind(), TScrollBarKind::sbVertical);
    EXPECT_EQ(Bar->Width(), 17);   // the kind swapped the default horizontal shape
    Bar->SetPosition(150);
    EXPECT_EQ(Bar->Position(), 100);
    Bar->SetPosition(100);
    Bar->SetMax(60);   // the position follows the shrinking range
    EXPECT_EQ(Bar->Position(), 60);
    Bar->SetMin(80);   // a minimum above the maximum takes the maximum along
    EXPECT_EQ(Bar->Max(), 80);
    EXPECT_EQ(Bar->Position(), 80);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(QtBar()->value(), 80);
}

TEST_F(ScrollBarControl, AnUnansweredActionTakesTheBarsOwnStep)
{
    struct TCase {
        QAbstractSlider::SliderAction Action;
        int Code;
        int Expected;
    };
    const TCase cases[] = {
        {QAbstractSlider::SliderSingleStepAdd, SB_LINEDOWN, 25}, {QAbstractSlider::SliderSingleStepSub, SB_LINEUP, 15},
        {QAbstractSlider::SliderPageStepAdd, SB_PAGEDOWN, 50},   {QAbstractSlider::SliderPageStepSub, SB_PAGEUP, 0},
        {QAbstractSlider::SliderToMaximum, SB_BOTTOM, 100},      {QAbstractSlider::SliderToMinimum, SB_TOP, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Code);
        Bar->SetPosition(20);
        Parent->Offers.clear();
        QtBar()->triggerAction(c.Action);
        ASSERT_EQ(Parent->Offers.size(), 1u);
        EXPECT_EQ(Parent->Offers[0].Msg, UINT(WM_VSCROLL));
        EXPECT_EQ(Parent->Offers[0].Code, c.Code);
        EXPECT_EQ(Parent->Offers[0].Bar, reinterpret_cast<LPARAM>(Bar));
        EXPECT_EQ(Bar->Position(), c.Expected);
        EXPECT_EQ(QtBar()->value(), c.Expected);
    }
}

TEST_F(ScrollBarControl, AnAnsweredActionLeavesTheMoveToTheParent)
{
    Parent->Answer = 1;
    QtBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Bar->Position(), 20);
    EXPECT_EQ(QtBar()->value(), 20);   // Qt's own step is taken back
    EXPECT_EQ(Changes, 0);
}

TEST_F(ScrollBarControl, AClickOnTheArrowIsOfferedAsALineStep)
{
    const QPoint arrow(Bar->Width() / 2, Bar->Height() - 4);
    Simulate::Click(Bar, {arrow.x(), arrow.y()});
    ASSERT_FALSE(Parent->Offers.empty());
    EXPECT_EQ(Parent->Offers.front().Code, SB_LINEDOWN);
    EXPECT_EQ(Bar->Position(), 25);
}

TEST_F(ScrollBarControl, DrawsItselfIntoACanvasWithoutAWindow)
{
    TScrollBar painter(nullptr);
    painter.SetKind(TScrollBarKind::sbVertical);
    painter.SetPageSize(10);
    painter.SetParams(50, 0, 100);
    QImage image(40, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas;
    canvas.SetDevice(&image);
    painter.DrawTo(canvas, Rect(10, 0, 27, 120));
    canvas.FreeHandle();
    int inked = 0, outside = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool ink = image.pixel(x, y) != qRgb(255, 255, 255);
            if (x >= 10 && x < 27) inked += ink;
            else outside += ink;
        }
    EXPECT_GT(inked, 17 * 120 / 4);
    EXPECT_EQ(outside, 0);
}

} // namespace
