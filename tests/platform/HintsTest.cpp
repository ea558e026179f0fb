// The application's hints driven as a user does: the pointer moved over a
// shown form's controls through Qt events, the pauses elapsing on the test
// clock, and the hint window that appears, where and with what text; what
// the control under the pointer may change through CM_HINTSHOW; and what
// ends a hint (moving on, keys, buttons, the wheel, leaving, time).
#include "TestControls.h"

#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "tests/common/TestSeams.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A graphic control whose answer to CM_HINTSHOW and CM_HINTSHOWPAUSE a test chooses.
class THinted : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Asked = 0;
    THintInfo Seen;
    std::function<void(THintInfo&, LRESULT&)> Answer;
    std::function<void(int& pause)> Pause;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_HINTSHOWPAUSE && Pause) Pause(*reinterpret_cast<int*>(m.LParam));
        TGraphicControl::WndProc(m);
    }
    void CMHintShow(TMessage& m) override
    {
        auto* info = reinterpret_cast<THintInfo*>(m.LParam);
        ++Asked;
        Seen = *info;
        if (Answer) Answer(*info, m.Result);
    }
};

// A window class of a test's own, to see that the control's choice is used.
class TOwnHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
};

struct HintsTest : ::testing::Test {
    TTestSeams Seams;
    TForm Form{nullptr};
    TTestButton* Button = nullptr;
    THinted* Label = nullptr;
    TTestButton* Panel = nullptr;   // shows hints for its child, which does not
    TTestButton* Child = nullptr;

    void SetUp() override
    {
        Application->CancelHint();
        Form.SetBounds(50, 60, 400, 300);
        Button = new TTestButton(&Form);
        Button->SetParent(&Form);
        Button->SetBounds(10, 10, 80, 25);
        Button->SetHint(QStringLiteral("Information"));
        Button->SetShowHint(true);
        Label = new THinted(&Form);
        Label->SetParent(&Form);
        Label->SetBounds(20, 60, 100, 20);
        Label->SetShowHint(true);
        Panel = new TTestButton(&Form);
        Panel->SetParent(&Form);
        Panel->SetBounds(150, 100, 200, 150);
        Panel->SetHint(QStringLiteral("Panel"));
        Panel->SetShowHint(true);
        Child = new TTestButton(&Form);
        Child->SetParent(Panel);
        Child->SetBounds(10, 10, 60, 25);
        Child->SetHint(QStringLiteral("Child"));
        Child->SetShowHint(false);
        Form.Show();
    }
    void TearDown() override { Application->CancelHint(); }

    void Advance(int ms) { Seams.Clock().Advance(std::uint64_t(ms)); }
    // The pointer moves to a client point of the control and rests there.
    void MoveTo(TControl* control, const TPoint& at) { Simulate::MouseMove(control, at); }
    void RestOn(TControl* control, const TPoint& at)
    {
        MoveTo(control, at);
        Advance(Application->HintPause());
    }
    static String Shown()
    {
        THintWindow* w = ActiveHintWindow();
        return w ? w->Caption() : String();
    }
};

TEST_F(HintsTest, RestingThePauseShowsTheHintBelowThePointer)
{
    MoveTo(Button, {5, 6});
    Advance(Application->HintPause() - 1);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    Advance(1);
    THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), QStringLiteral("Information"));
    const TPoint pointer = Button->ClientToScreen({5, 6});
    EXPECT_EQ(hint->Left(), pointer.X);
    EXPECT_EQ(hint->Top(), pointer.Y + 16);
    EXPECT_EQ(hint->Color(), Application->HintColor());
    EXPECT_GT(hint->Width(), 20);
    EXPECT_TRUE(hint->Handle()->isVisible());
    EXPECT_FALSE(hint->Handle()->isActiveWindow());
    EXPECT_EQ(Application->HintControl(), Button);
}

TEST_F(HintsTest, EveryMoveBeforeThePauseStartsItAfresh)
{
    MoveTo(Button, {5, 6});
    Advance(400);
    MoveTo(Button, {7, 6});
    Advance(400);
    EXPECT_EQ(ActiveHintWindow(), nullptr) << "the pointer did not rest long enough";
    Advance(100);
    EXPECT_EQ(Shown(), QStringLiteral("Information"));
}

TEST_F(HintsTest, TheControlUnderThePointerShapesItsHint)
{
    Label->SetHint(QStringLiteral("Information"));
    Label->Answer = [](THintInfo& info, LRESULT&) {
        info.HintStr += QStringLiteral(" (row 3)");
        info.HintPos = {300, 200};
        info.HintColor = clYellow;
        info.HintWindowClass = [](TComponent* owner) { return new TOwnHintWindow(owner); };
    };
    RestOn(Label, {5, 5});
    EXPECT_EQ(Label->Seen.HintControl, Label);
    EXPECT_EQ(Label->Seen.CursorPos, Point(5, 5));
    EXPECT_EQ(Label->Seen.CursorRect, Label->ClientRect());
    EXPECT_EQ(Label->Seen.HintStr, QStringLiteral("Information"));
    EXPECT_EQ(Label->Seen.HideTimeout, Application->HintHidePause());
    THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(dynamic_cast<TOwnHintWindow*>(hint), nullptr);
    EXPECT_EQ(hint->Caption(), QStringLiteral("Information (row 3)"));
    EXPECT_EQ(hint->Left(), 300);
    EXPECT_EQ(hint->Top(), 200);
    EXPECT_EQ(hint->Color(), clYellow);
}

TEST_F(HintsTest, AHintAtTheScreensEdgeIsMovedBackOntoIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int right = screen.left() + screen.width(), bottom = screen.top() + screen.height();
    Label->Answer = [&](THintInfo& info, LRESULT&) {
        info.HintStr = QStringLiteral("a hint opening at the very corner of the screen");
        info.HintPos = {right - 3, bottom - 2};
    };
    RestOn(Label, {5, 5});
    THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_GT(hint->Width(), 100);
    EXPECT_EQ(hint->Left() + hint->Width(), right);
    EXPECT_EQ(hint->Top() + hint->Height(), bottom);
}

// The control's own Hint is only where the text starts: a control with
// none may give one, and one with a text may take it back or refuse.
TEST_F(HintsTest, TheAnswerDecidesWhatShowsWhateverTheOwnHint)
{
    struct TCase {
        const char* Name;
        const char* OwnHint;
        std::function<void(THintInfo&, LRESULT&)> Answer;
        const char* Expected;   // "" when nothing shows
    };
    const TCase cases[] = {
        {"empty own hint, text given", "", [](THintInfo& i, LRESULT&) { i.HintStr = QStringLiteral("Given"); }, "Given"},
        {"empty own hint, nothing given", "", nullptr, ""},
        {"own hint kept", "Own", nullptr, "Own"},
        {"own hint taken back", "Own", [](THintInfo& i, LRESULT&) { i.HintStr.clear(); }, ""},
        {"refused", "Own", [](THintInfo&, LRESULT& r) { r = 1; }, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Application->CancelHint();
        Label->Asked = 0;
        Label->SetHint(QString::fromUtf8(c.OwnHint));
        Label->Answer = c.Answer;
        RestOn(Label, {5, 5});
        EXPECT_EQ(Label->Asked, 1);
        EXPECT_EQ(Shown(), QString::fromUtf8(c.Expected));
    }
}

TEST_F(HintsTest, WithoutShowHintTheParentsHintShowsAndWithNoneNothingIsAsked)
{
    RestOn(Child, {5, 5});
    EXPECT_EQ(Shown(), QStringLiteral("Panel"));
    EXPECT_EQ(Application->HintControl(), Panel);

    Label->SetShowHint(false);
    Form.SetShowHint(false);
    Label->Asked = 0;
    RestOn(Label, {5, 5});
    EXPECT_EQ(Label->Asked, 0);
    EXPECT_EQ(ActiveHintWindow(), nullptr);

    Label->SetShowHint(true);
    Application->SetShowHint(false);
    RestOn(Label, {5, 5});
    EXPECT_EQ(Label->Asked, 0) << "hints are off for the whole application";
    Application->SetShowHint(true);
}

TEST_F(HintsTest, MovingWithinTheNamedRectangleKeepsTheHintAndLeavingItAsksAgain)
{
    int n = 0;
    Label->Answer = [&n](THintInfo& info, LRESULT&) {
        info.HintStr = QStringLiteral("part %1").arg(++n);
        info.CursorRect = Rect(0, 0, 50, 20);
    };
    RestOn(Label, {5, 5});
    EXPECT_EQ(Shown(), QStringLiteral("part 1"));
    const TPoint place{ActiveHintWindow()->Left(), ActiveHintWindow()->Top()};
    MoveTo(Label, {40, 10});
    Advance(Application->HintPause());
    EXPECT_EQ(Label->Asked, 1);
    EXPECT_EQ(Shown(), QStringLiteral("part 1"));
    EXPECT_EQ(ActiveHintWindow()->Left(), place.X) << "the hint stays where it opened";

    MoveTo(Label, {60, 10});
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    Advance(Application->HintShortPause());
    EXPECT_EQ(Label->Asked, 2) << "asked again after the short pause, a hint having been showing";
    EXPECT_EQ(Shown(), QStringLiteral("part 2"));
}

TEST_F(HintsTest, TheNextControlsHintFollowsAfterTheShortPause)
{
    Label->SetHint(QStringLiteral("Label"));
    RestOn(Button, {5, 5});
    ASSERT_EQ(Shown(), QStringLiteral("Information"));
    MoveTo(Label, {5, 5});
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    Advance(Application->HintShortPause());
    EXPECT_EQ(Shown(), QStringLiteral("Label"));

    // Moving over no hinting control ends the chain: the next waits the full pause.
    Form.SetShowHint(false);
    MoveTo(&Form, {390, 290});
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    MoveTo(Button, {5, 5});
    Advance(Application->HintShortPause());
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    Advance(Application->HintPause() - Application->HintShortPause());
    EXPECT_EQ(Shown(), QStringLiteral("Information"));
}

TEST_F(HintsTest, CM_HINTSHOWPAUSELetsTheControlChooseThePause)
{
    Label->SetHint(QStringLiteral("Slow"));
    bool wasActive = true;
    Label->Pause = [&](int& pause) {
        wasActive = pause == Application->HintShortPause();
        pause = 1200;
    };
    RestOn(Label, {5, 5});
    EXPECT_FALSE(wasActive);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    Advance(1200 - Application->HintPause());
    EXPECT_EQ(Shown(), QStringLiteral("Slow"));
}

TEST_F(HintsTest, InputLeavingAndTimeEndTheHint)
{
    struct TCase {
        const char* Name;
        std::function<void(HintsTest&)> End;
    };
    const TCase cases[] = {
        {"key", [](HintsTest& t) { Simulate::Key(t.Button, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")); }},
        {"left button", [](HintsTest& t) { Simulate::MouseDown(t.Button, {5, 5}); Simulate::MouseUp(t.Button, {5, 5}); }},
        {"right button",
         [](HintsTest& t) {
             Simulate::MouseDown(t.Button, {5, 5}, Qt::RightButton);
             Simulate::MouseUp(t.Button, {5, 5}, Qt::RightButton);
         }},
        {"wheel", [](HintsTest& t) { Simulate::Wheel(t.Button, {5, 5}, 120); }},
        {"leaving the control", [](HintsTest& t) { Simulate::Leave(t.Button); }},
        {"leaving the form", [](HintsTest& t) { Simulate::Leave(&t.Form); }},
        {"hide pause", [](HintsTest& t) { t.Advance(Application->HintHidePause()); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Application->CancelHint();
        RestOn(Button, {5, 5});
        ASSERT_EQ(Shown(), QStringLiteral("Information"));
        c.End(*this);
        EXPECT_EQ(ActiveHintWindow(), nullptr);
        // Nothing brings it back while the pointer stays: it has to move on.
        Advance(Application->HintHidePause());
        EXPECT_EQ(ActiveHintWindow(), nullptr);
    }
    // Once hidden by time, moving over the same control leaves it hidden.
    Application->CancelHint();
    RestOn(Button, {5, 5});
    Advance(Application->HintHidePause());
    MoveTo(Button, {9, 9});
    Advance(Application->HintPause());
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

TEST_F(HintsTest, APressOrAFreedControlCancelsAPendingHint)
{
    MoveTo(Button, {5, 5});
    Simulate::MouseDown(Button, {5, 5});
    Simulate::MouseUp(Button, {5, 5});
    Advance(Application->HintPause());
    EXPECT_EQ(ActiveHintWindow(), nullptr);

    Label->SetHint(QStringLiteral("Gone"));
    MoveTo(Label, {5, 5});
    EXPECT_EQ(Application->HintControl(), Label);
    delete Label;
    Label = nullptr;
    EXPECT_EQ(Application->HintControl(), nullptr);
    Advance(Application->HintPause());
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

TEST_F(HintsTest, AReshowTimeoutAsksAgainWhileThePointerRests)
{
    int n = 0;
    Label->Answer = [&n](THintInfo& info, LRESULT&) {
        info.HintStr = QStringLiteral("reading %1").arg(++n);
        info.ReshowTimeout = 200;
    };
    RestOn(Label, {5, 5});
    EXPECT_EQ(Shown(), QStringLiteral("reading 1"));
    Advance(200);
    EXPECT_EQ(Shown(), QStringLiteral("reading 2"));
    Advance(400);
    EXPECT_EQ(Shown(), QStringLiteral("reading 4"));
}

} // namespace
