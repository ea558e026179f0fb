// Controls and windows: how Qt input becomes messages, the order in which a
// message reaches handler, inherited handler, virtual step and event,
// default processing, graphic children, capture, painting, timers, posting,
// alignment and the properties' change notifications.
#include "TestControls.h"
#include "tests/common/TestUtil.h"

#include "platform/Forms.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

std::string Num(long long v)
{
    return std::to_string(v);
}

// Writes down every layer a message passes through.
class TLogControl : public TCustomControl {
public:
    TLogControl(TComponent* owner, std::vector<std::string>& log) : TCustomControl(owner), Log(log)
    {
        SetBounds(0, 0, 100, 50);
        OnKeyDown = [this](TObject*, WORD& key, TShiftState) { Log.push_back("event:keydown " + Num(key)); };
        OnKeyPress = [this](TObject*, QChar& key) { Log.push_back("event:char " + Num(key.unicode())); };
        OnKeyUp = [this](TObject*, WORD& key, TShiftState) { Log.push_back("event:keyup " + Num(key)); };
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState shift, int x, int y) {
            Log.push_back("event:mousedown " + Num(x) + "," + Num(y) + (shift.Contains(ssShift) ? " shift" : ""));
        };
        OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            Log.push_back("event:mouseup " + Num(x) + "," + Num(y));
        };
        OnClick = [this](TObject*) { Log.push_back("event:click"); };
    }
    std::vector<std::string>& Log;
    int Paints = 0;
    std::vector<UINT> Posted;

protected:
    void WMKeyDown(TWMKey& m) override
    {
        Log.push_back("handler:keydown " + Num(m.CharCode));
        TCustomControl::WMKeyDown(m);
    }
    void KeyDown(WORD& key, TShiftState shift) override
    {
        Log.push_back("step:keydown " + Num(key));
        TCustomControl::KeyDown(key, shift);
    }
    void WMChar(TWMKey& m) override
    {
        Log.push_back("handler:char " + Num(m.CharCode));
        TCustomControl::WMChar(m);
    }
    void KeyPress(QChar& key) override
    {
        Log.push_back("step:char " + Num(key.unicode()));
        TCustomControl::KeyPress(key);
    }
    void WMKeyUp(TWMKey& m) override
    {
        Log.push_back("handler:keyup " + Num(m.CharCode));
        TCustomControl::WMKeyUp(m);
    }
    void KeyUp(WORD& key, TShiftState shift) override
    {
        Log.push_back("step:keyup " + Num(key));
        TCustomControl::KeyUp(key, shift);
    }
    void WMLButtonDown(TWMMouse& m) override
    {
        Log.push_back("handler:lbuttondown " + Num(m.XPos()) + "," + Num(m.YPos()));
        TCustomControl::WMLButtonDown(m);
    }
    void WMLButtonUp(TWMMouse& m) override
    {
        Log.push_back("handler:lbuttonup");
        TCustomControl::WMLButtonUp(m);
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        Log.push_back("step:mousedown");
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        Log.push_back("step:mouseup");
        TCustomControl::MouseUp(b, s, x, y);
    }
    void Click() override
    {
        Log.push_back("step:click");
        TCustomControl::Click();
    }
    void DefaultHandler(TMessage& m) override
    {
        if (m.Msg == WM_KEYDOWN) Log.push_back("default:keydown");
        if (m.Msg == WM_CHAR) Log.push_back("default:char");
        if (m.Msg == WM_KEYUP) Log.push_back("default:keyup");
        if (m.Msg == WM_LBUTTONDOWN) Log.push_back("default:lbuttondown");
        if (m.Msg == WM_LBUTTONUP) Log.push_back("default:lbuttonup");
        TCustomControl::DefaultHandler(m);
    }
    void Dispatch(TMessage& m) override
    {
        if (m.Msg >= WM_USER && m.Msg < WM_APP) {
            Posted.push_back(m.Msg);
            m.Result = LRESULT(m.WParam + m.LParam);
            return;
        }
        TCustomControl::Dispatch(m);
    }
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(10, 10, 30, 30));
    }
};

// A graphic control that reports its mouse traffic under its name.
class TNamedGraphic : public TGraphicControl {
public:
    TNamedGraphic(TComponent* owner, std::string name, std::vector<std::string>& log, TColor fill = clBlue)
        : TGraphicControl(owner), Name(std::move(name)), Log(log), Fill(fill)
    {
        OnMouseEnter = [this](TObject*) { Log.push_back(Name + " enter"); };
        OnMouseLeave = [this](TObject*) { Log.push_back(Name + " leave"); };
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            Log.push_back(Name + " down " + Num(x) + "," + Num(y));
        };
        OnMouseMove = [this](TObject*, TShiftState, int x, int y) { Moves.push_back(Num(x) + "," + Num(y)); };
        OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            Log.push_back(Name + " up " + Num(x) + "," + Num(y));
        };
        OnClick = [this](TObject*) { Log.push_back(Name + " click"); };
    }
    std::string Name;
    std::vector<std::string>& Log;
    std::vector<std::string> Moves;
    TColor Fill;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Fill);
        // Deliberately larger than the control: the parent clips it.
        Canvas()->FillRect(Rect(-10, -10, 100, 100));
    }
};

TEST(ControlsTest, KeyPressPassesHandlerInheritedStepAndEventInThreePhases)
{
    std::vector<std::string> log;
    TLogControl control(nullptr, log);
    Simulate::Key(&control, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    const std::vector<std::string> expected = {
        "handler:keydown 65", "step:keydown 65", "event:keydown 65", "default:keydown",
        "handler:char 97",    "step:char 97",    "event:char 97",    "default:char",
        "handler:keyup 65",   "step:keyup 65",   "event:keyup 65",   "default:keyup",
    };
    EXPECT_EQ(log, expected);
}

TEST(ControlsTest, KeyHandledInStepSkipsDefaultProcessingOnly)
{
    std::vector<std::string> log;
    TLogControl control(nullptr, log);
    control.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("event:keydown " + Num(key));
        key = 0;
    };
    Simulate::Key(&control, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    // The character still comes: clearing the key stops only the key's own default.
    const std::vector<std::string> expected = {
        "handler:keydown 65", "step:keydown 65", "event:keydown 65",
        "handler:char 97",    "step:char 97",    "event:char 97",    "default:char",
        "handler:keyup 65",   "step:keyup 65",   "event:keyup 65",   "default:keyup",
    };
    EXPECT_EQ(log, expected);
}

TEST(ControlsTest, MousePressAndReleasePassAllLayersAndClickBeforeMouseUp)
{
    std::vector<std::string> log;
    TLogControl control(nullptr, log);
    Simulate::MouseDown(&control, {5, 6}, Qt::LeftButton, Qt::ShiftModifier);
    Simulate::MouseUp(&control, {7, 8});
    const std::vector<std::string> expected = {
        "handler:lbuttondown 5,6", "default:lbuttondown", "step:mousedown", "event:mousedown 5,6 shift",
        "handler:lbuttonup",       "default:lbuttonup",   "step:click",     "event:click",
        "step:mouseup",            "event:mouseup 7,8",
    };
    EXPECT_EQ(log, expected);
}

TEST(ControlsTest, ReleaseOutsideTheControlGivesNoClick)
{
    std::vector<std::string> log;
    TLogControl control(nullptr, log);
    Simulate::MouseDown(&control, {5, 5});
    EXPECT_EQ(GetCapture(), &control);
    Simulate::MouseUp(&control, {500, 5});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(std::count(log.begin(), log.end(), "event:click"), 0);
    EXPECT_EQ(log.back(), "event:mouseup 500,5");
}

// What a Qt line edit ends with when its key handlers change or clear keys.
struct TKeyCase {
    const char* Name;
    std::function<void(TLineEditControl&)> Setup;
    std::function<void(TLineEditControl&)> Keys;
    QString Expected;
};

class KeyDefaultProcessing : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(KeyDefaultProcessing, EditEndsWithExpectedText)
{
    TLineEditControl edit(nullptr);
    GetParam().Setup(edit);
    GetParam().Keys(edit);
    EXPECT_EQ(edit.Edit()->text(), GetParam().Expected);
}

void TypeAbThenDelete(TLineEditControl& e)
{
    Simulate::Type(&e, QStringLiteral("ab"));
    Simulate::Key(&e, Qt::Key_Home);
    Simulate::Key(&e, Qt::Key_Delete);
}

INSTANTIATE_TEST_SUITE_P(
    ControlsTest, KeyDefaultProcessing,
    ::testing::Values(
        TKeyCase{"Untouched", [](TLineEditControl&) {}, [](TLineEditControl& e) { Simulate::Type(&e, QStringLiteral("ab")); },
                 QStringLiteral("ab")},
        TKeyCase{"KeyPressClearsChar",
                 [](TLineEditControl& e) { e.OnKeyPress = [](TObject*, QChar& k) { if (k == u'b') k = QChar(); }; },
                 [](TLineEditControl& e) { Simulate::Type(&e, QStringLiteral("abc")); }, QStringLiteral("ac")},
        TKeyCase{"KeyPressReplacesChar",
                 [](TLineEditControl& e) { e.OnKeyPress = [](TObject*, QChar& k) { if (k == u'.') k = u','; }; },
                 [](TLineEditControl& e) { Simulate::Type(&e, QStringLiteral("1.5")); }, QStringLiteral("1,5")},
        TKeyCase{"KeyDownClearsLetterButCharStillTypes",
                 [](TLineEditControl& e) { e.OnKeyDown = [](TObject*, WORD& k, TShiftState) { if (k == 'B') k = 0; }; },
                 [](TLineEditControl& e) { Simulate::Type(&e, QStringLiteral("ab")); }, QStringLiteral("ab")},
        TKeyCase{"DeleteKeyWorks", [](TLineEditControl&) {}, TypeAbThenDelete, QStringLiteral("b")},
        TKeyCase{"KeyDownClearsDelete",
                 [](TLineEditControl& e) { e.OnKeyDown = [](TObject*, WORD& k, TShiftState) { if (k == VK_DELETE) k = 0; }; },
                 TypeAbThenDelete, QStringLiteral("ab")},
        TKeyCase{"KeyPressClearsBackspace",
                 [](TLineEditControl& e) { e.OnKeyPress = [](TObject*, QChar& k) { if (k == u'\b') k = QChar(); }; },
                 [](TLineEditControl& e) { Simulate::Type(&e, QStringLiteral("ab\b")); }, QStringLiteral("ab")},
        TKeyCase{"BackspaceWorks", [](TLineEditControl&) {},
                 [](TLineEditControl& e) { Simulate::Type(&e, QStringLiteral("ab\b")); }, QStringLiteral("a")},
        TKeyCase{"PerformedCharTypes", [](TLineEditControl&) {},
                 [](TLineEditControl& e) { e.HandleNeeded(); e.Perform(WM_CHAR, 'z', 0); }, QStringLiteral("z")}),
    [](const ::testing::TestParamInfo<TKeyCase>& info) { return std::string(info.param.Name); });

TEST(ControlsTest, KeyStatesFollowTranslatedEvents)
{
    ClearKeyStates();
    TLineEditControl edit(nullptr);
    TShiftState seen;
    edit.OnKeyDown = [&](TObject*, WORD&, TShiftState s) {
        seen = s;
        EXPECT_LT(GetKeyState(VK_CONTROL), 0);
        EXPECT_LT(GetKeyState('C'), 0);
    };
    Simulate::KeyDown(&edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(seen.Contains(ssCtrl));
    EXPECT_FALSE(seen.Contains(ssShift));
    Simulate::KeyUp(&edit, Qt::Key_C, Qt::NoModifier);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState('C'), 0);
    // Tests set states by hand.
    SetKeyDown(VK_SHIFT, true);
    EXPECT_TRUE(KeyboardStateToShiftState().Contains(ssShift));
    ClearKeyStates();
    EXPECT_TRUE(KeyboardStateToShiftState().Empty());
}

TEST(ControlsTest, KeypadPointCarriesItsScanCode)
{
    TLineEditControl edit(nullptr);
    std::vector<LPARAM> keyData;
    struct TSpy : TLineEditControl {
        using TLineEditControl::TLineEditControl;
        std::vector<LPARAM>* Data = nullptr;
        void WMChar(TWMKey& m) override
        {
            Data->push_back(m.KeyData);
            TLineEditControl::WMChar(m);
        }
    } spy(nullptr);
    spy.Data = &keyData;
    Simulate::Key(&spy, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    Simulate::Key(&spy, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
    ASSERT_EQ(keyData.size(), 2u);
    EXPECT_NE(keyData[0] & (LPARAM(1) << 22), 0);
    EXPECT_EQ(keyData[1] & (LPARAM(1) << 22), 0);
    EXPECT_EQ(KeyDataScanCode(keyData[0]), 0x53);
    EXPECT_EQ(KeyDataScanCode(keyData[1]), 0x34);
}

TEST(ControlsTest, QtKeysMapToVirtualKeys)
{
    struct TCase {
        int Qt;
        bool Keypad;
        WORD Vk;
    };
    const TCase cases[] = {
        {Qt::Key_A, false, 'A'},          {Qt::Key_Z, false, 'Z'},         {Qt::Key_5, false, '5'},
        {Qt::Key_5, true, VK_NUMPAD5},    {Qt::Key_Return, false, VK_RETURN}, {Qt::Key_Enter, true, VK_RETURN},
        {Qt::Key_Escape, false, VK_ESCAPE}, {Qt::Key_Tab, false, VK_TAB}, {Qt::Key_Backtab, false, VK_TAB},
        {Qt::Key_F2, false, VK_F2},       {Qt::Key_F12, false, VK_F12},    {Qt::Key_Insert, false, VK_INSERT},
        {Qt::Key_Delete, false, VK_DELETE}, {Qt::Key_PageUp, false, VK_PRIOR}, {Qt::Key_PageDown, false, VK_NEXT},
        {Qt::Key_Period, false, VK_OEM_PERIOD}, {Qt::Key_Period, true, VK_DECIMAL}, {Qt::Key_Comma, true, VK_DECIMAL},
        {Qt::Key_Exclam, false, '1'},     {Qt::Key_Control, false, VK_CONTROL}, {Qt::Key_Shift, false, VK_SHIFT},
        {Qt::Key_Alt, false, VK_MENU},    {Qt::Key_Space, false, VK_SPACE}, {Qt::Key_unknown, false, 0},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(QtKeyToVirtualKey(c.Qt, c.Keypad), c.Vk) << "Qt key " << std::hex << c.Qt;
    }
    for (WORD vk : {WORD('A'), WORD('7'), VK_RETURN, VK_ESCAPE, VK_TAB, VK_F2, VK_DELETE, VK_LEFT, VK_SPACE}) {
        EXPECT_EQ(QtKeyToVirtualKey(VirtualKeyToQtKey(vk), false), vk) << "virtual key " << vk;
    }
}

TEST(ControlsTest, PerformAndSendMessageAnswerAtOncePostMessageWaitsForTheLoop)
{
    std::vector<std::string> log;
    TLogControl control(nullptr, log);
    EXPECT_EQ(control.Perform(WM_USER + 1, 2, 3), 5);
    EXPECT_EQ(SendMessage(&control, WM_USER + 2, 4, 5), 9);
    control.Posted.clear();

    EXPECT_TRUE(PostMessage(&control, WM_USER + 7, 1, 1));
    EXPECT_TRUE(PostMessage(control.Handle(), WM_USER + 8, 1, 1));
    EXPECT_TRUE(control.Posted.empty());
    Application->ProcessMessages();
    EXPECT_EQ(control.Posted, (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
}

TEST(ControlsTest, MessagePostedToAControlGoneBeforeDeliveryIsDropped)
{
    std::vector<std::string> log;
    auto* control = new TLogControl(nullptr, log);
    PostMessage(control, WM_USER + 1, 0, 0);
    delete control;
    Application->ProcessMessages();   // nothing to deliver to, nothing breaks
    SUCCEED();
}

TEST(ControlsTest, MouseGoesToTopmostEnabledGraphicChildWithEnterAndLeave)
{
    std::vector<std::string> log;
    std::vector<std::string> hostLog;
    TLogControl host(nullptr, hostLog);
    host.SetBounds(0, 0, 200, 100);
    TNamedGraphic g1(nullptr, "g1", log), g2(nullptr, "g2", log);
    g1.SetBounds(10, 10, 50, 50);
    g2.SetBounds(40, 10, 50, 50);
    g1.SetParent(&host);
    g2.SetParent(&host);

    Simulate::MouseMove(&host, {20, 20});
    Simulate::MouseMove(&host, {45, 20});   // both lie here; g2 is on top
    Simulate::MouseDown(&host, {45, 20});
    Simulate::MouseUp(&host, {46, 21});
    Simulate::MouseMove(&host, {150, 20});   // over the host itself
    EXPECT_EQ(log, (std::vector<std::string>{"g1 enter", "g1 leave", "g2 enter", "g2 down 5,10", "g2 click",
                                             "g2 up 6,11", "g2 leave"}));

    log.clear();
    g2.SetEnabled(false);   // a disabled child lets the one below take the mouse
    Simulate::MouseMove(&host, {45, 20});
    Simulate::MouseDown(&host, {45, 20});
    Simulate::MouseUp(&host, {45, 20});
    g1.SetVisible(false);   // an invisible one is not there at all
    hostLog.clear();
    Simulate::MouseDown(&host, {20, 20});
    Simulate::Leave(&host);
    EXPECT_EQ(log, (std::vector<std::string>{"g1 enter", "g1 down 35,10", "g1 click", "g1 up 35,10", "g1 leave"}));
    EXPECT_NE(std::find(hostLog.begin(), hostLog.end(), "event:mousedown 20,20"), hostLog.end());
    ReleaseCapture();
}

TEST(ControlsTest, CapturedGraphicChildGetsTheMouseWherever)
{
    std::vector<std::string> log, hostLog;
    TLogControl host(nullptr, hostLog);
    host.SetBounds(0, 0, 200, 100);
    TNamedGraphic g1(nullptr, "g1", log), g2(nullptr, "g2", log);
    g1.SetBounds(10, 10, 20, 20);
    g2.SetBounds(100, 10, 20, 20);
    g1.SetParent(&host);
    g2.SetParent(&host);

    Simulate::MouseDown(&host, {15, 15});
    EXPECT_TRUE(g1.MouseCapture());
    Simulate::MouseMove(&host, {105, 15}, Qt::LeftButton);   // over g2, still g1's
    Simulate::MouseUp(&host, {150, 80});
    EXPECT_FALSE(g1.MouseCapture());
    EXPECT_EQ(g1.Moves, (std::vector<std::string>{"95,5"}));
    EXPECT_TRUE(g2.Moves.empty());
    // g2 hears nothing while g1 holds the mouse; no click outside g1.
    EXPECT_EQ(log, (std::vector<std::string>{"g1 enter", "g1 down 5,5", "g1 leave", "g1 up 140,70"}));
}

TEST(ControlsTest, ExplicitCaptureRoutesAnotherWindowsMouseAndTellsTheLoser)
{
    std::vector<std::string> aLog, bLog;
    TLogControl a(nullptr, aLog), b(nullptr, bLog);
    a.SetBounds(0, 0, 100, 50);
    b.SetBounds(300, 0, 100, 50);
    struct TCaptureSpy : TCustomControl {
        using TCustomControl::TCustomControl;
        int Changed = 0;
        void WMCaptureChanged(TMessage& m) override
        {
            ++Changed;
            TCustomControl::WMCaptureChanged(m);
        }
    } spy(nullptr);
    spy.SetBounds(0, 0, 10, 10);
    SetCapture(&b);
    Simulate::MouseDown(&a, {10, 10});
    EXPECT_TRUE(aLog.empty());
    ASSERT_FALSE(bLog.empty());
    EXPECT_EQ(bLog.front(), "handler:lbuttondown -290,10");
    SetCapture(&spy);
    ReleaseCapture();
    EXPECT_EQ(spy.Changed, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ControlsTest, ControlRendersItsPaintAndClippedGraphicChildren)
{
    for (bool doubleBuffered : {false, true}) {
        std::vector<std::string> log;
        TLogControl host(nullptr, log);
        host.SetColor(clWhite);
        host.SetBounds(0, 0, 100, 50);
        host.SetDoubleBuffered(doubleBuffered);
        TNamedGraphic child(nullptr, "child", log);
        child.SetBounds(40, 0, 20, 20);
        child.SetParent(&host);

        const QImage image = host.PaintToImage();
        ASSERT_EQ(image.size(), QSize(100, 50));
        auto at = [&](int x, int y) { return image.pixelColor(x, y); };
        EXPECT_EQ(at(15, 15), QColor(Qt::red)) << "own paint, double buffered " << doubleBuffered;
        EXPECT_EQ(at(5, 5), QColor(Qt::white)) << "background erased with Color";
        EXPECT_EQ(at(45, 5), QColor(Qt::blue)) << "graphic child painted at its place";
        EXPECT_EQ(at(39, 5), QColor(Qt::white)) << "child clipped on the left";
        EXPECT_EQ(at(60, 5), QColor(Qt::white)) << "child clipped on the right";
        EXPECT_EQ(at(45, 20), QColor(Qt::white)) << "child clipped at the bottom";
        if (!doubleBuffered) image.save(ScreenshotFolder() + QStringLiteral("/controls-paint.png"));
    }
}

TEST(ControlsTest, GraphicControlRendersAlone)
{
    std::vector<std::string> log;
    TNamedGraphic g(nullptr, "g", log, clLime);
    g.SetBounds(0, 0, 8, 6);
    const QImage image = g.PaintToImage();
    ASSERT_EQ(image.size(), QSize(8, 6));
    EXPECT_EQ(image.pixelColor(7, 5), QColor(Qt::green));
}

TEST(ControlsTest, RedrawSwitchedOffPaintsNothingUntilSwitchedOn)
{
    std::vector<std::string> log;
    TLogControl control(nullptr, log);
    control.PaintToImage();
    const int before = control.Paints;
    EXPECT_GT(before, 0);
    control.Perform(WM_SETREDRAW, 0, 0);
    EXPECT_TRUE(control.RedrawDisabled());
    control.PaintToImage();
    control.Perform(WM_PAINT, 0, 0);
    EXPECT_EQ(control.Paints, before);
    control.Perform(WM_SETREDRAW, 1, 0);
    control.PaintToImage();
    EXPECT_EQ(control.Paints, before + 1);
}

TEST(ControlsTest, WindowTimersTickWithTheirIdOnTheClock)
{
    TTestSeams seams;
    struct TTimerLog : TCustomControl {
        using TCustomControl::TCustomControl;
        std::vector<std::pair<std::uintptr_t, std::uint64_t>> Ticks;
        void WMTimer(TWMTimer& m) override { Ticks.push_back({m.TimerID, GetTickCount64()}); }
    };
    auto* control = new TTimerLog(nullptr);
    const std::uint64_t t0 = GetTickCount64();
    EXPECT_EQ(SetTimer(control, 111, 500), 111u);
    SetTimer(control, 7, 300);
    seams.Clock().Advance(1000);
    using T = std::pair<std::uintptr_t, std::uint64_t>;
    EXPECT_EQ(control->Ticks, (std::vector<T>{{7, t0 + 300}, {111, t0 + 500}, {7, t0 + 600}, {7, t0 + 900},
                                                {111, t0 + 1000}}));

    // Setting an identifier again starts its countdown afresh.
    control->Ticks.clear();
    EXPECT_TRUE(KillTimer(control, 7));
    EXPECT_FALSE(KillTimer(control, 7));
    seams.Clock().Advance(400);
    SetTimer(control->Handle(), 111, 500);
    seams.Clock().Advance(400);
    EXPECT_TRUE(control->Ticks.empty());
    seams.Clock().Advance(100);
    EXPECT_EQ(control->Ticks.size(), 1u);

    // The timers go with their window.
    delete control;
    EXPECT_EQ(seams.Clock().TimerCount(), 0);
    seams.Clock().Advance(5000);
}

TEST(ControlsTest, ChildrenAlignToTheSidesAndFollowTheParentsSize)
{
    std::vector<std::string> log;
    TLogControl parent(nullptr, log);
    parent.SetBounds(0, 0, 200, 100);
    auto make = [&](TAlign align, int w, int h) {
        auto* c = new TCustomControl(&parent);
        c->SetBounds(0, 0, w, h);
        c->SetParent(&parent);
        c->SetAlign(align);
        return c;
    };
    TControl* top = make(TAlign::alTop, 10, 20);
    TControl* hidden = make(TAlign::alTop, 10, 15);
    TControl* bottom = make(TAlign::alBottom, 10, 10);
    TControl* left = make(TAlign::alLeft, 30, 10);
    TControl* right = make(TAlign::alRight, 40, 10);
    TControl* client = make(TAlign::alClient, 1, 1);
    hidden->SetVisible(false);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 200, 20));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 90, 200, 10));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 20, 30, 70));
    EXPECT_EQ(right->BoundsRect(), Bounds(160, 20, 40, 70));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 130, 70));

    parent.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 20));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 230, 170));

    hidden->SetVisible(true);   // takes its place under the first top one
    EXPECT_EQ(hidden->BoundsRect(), Bounds(0, 20, 300, 15));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 35, 230, 155));
}

TEST(ControlsTest, AnchorsFollowTheParentsSize)
{
    std::vector<std::string> log;
    TLogControl parent(nullptr, log);
    parent.SetBounds(0, 0, 200, 100);
    struct TCase {
        TAnchors Anchors;
        TRect Expected;
    };
    using A = TAnchorKind;
    const TCase cases[] = {
        {{A::akLeft, A::akTop}, Bounds(150, 80, 40, 10)},
        {{A::akRight, A::akBottom}, Bounds(250, 130, 40, 10)},
        {{A::akLeft, A::akTop, A::akRight, A::akBottom}, Bounds(150, 80, 140, 60)},
        {{A::akLeft, A::akRight}, Bounds(150, 105, 140, 10)},
    };
    std::vector<TControl*> children;
    for (const TCase& c : cases) {
        auto* child = new TCustomControl(&parent);
        child->SetBounds(150, 80, 40, 10);
        child->SetAnchors(c.Anchors);
        child->SetParent(&parent);
        children.push_back(child);
    }
    parent.SetBounds(0, 0, 300, 150);
    for (std::size_t i = 0; i < children.size(); ++i) EXPECT_EQ(children[i]->BoundsRect(), cases[i].Expected) << i;
}

TEST(ControlsTest, SettersNotifyOnlyOnRealChange)
{
    struct TNotes : TCustomControl {
        using TCustomControl::TCustomControl;
        std::vector<UINT> Seen;
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == CM_COLORCHANGED || m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED ||
                m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_VISIBLECHANGED)
                Seen.push_back(m.Msg);
            TCustomControl::Dispatch(m);
        }
    } c(nullptr);
    c.SetColor(clRed);
    c.SetColor(clRed);
    c.SetText(QStringLiteral("x"));
    c.SetText(QStringLiteral("x"));
    c.Font()->SetHeight(-20);
    c.Font()->SetHeight(-20);
    c.SetEnabled(false);
    c.SetEnabled(false);
    c.SetVisible(false);
    c.SetVisible(false);
    EXPECT_EQ(c.Seen, (std::vector<UINT>{CM_COLORCHANGED, CM_TEXTCHANGED, CM_FONTCHANGED, CM_ENABLEDCHANGED,
                                         CM_VISIBLECHANGED}));
    EXPECT_EQ(c.Caption(), QStringLiteral("x"));
}

TEST(ControlsTest, ParentFontAndColorFlowDownUntilTheChildSetsItsOwn)
{
    TCustomControl parent(nullptr);
    auto* child = new TCustomControl(&parent);
    child->SetParent(&parent);
    parent.Font()->SetName(QStringLiteral("Verdana"));
    parent.SetColor(clYellow);
    EXPECT_EQ(child->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(child->Color(), clYellow);
    EXPECT_TRUE(child->ParentFont());
    EXPECT_TRUE(child->ParentColor());

    child->Font()->SetHeight(-20);
    child->SetColor(clAqua);
    EXPECT_FALSE(child->ParentFont());
    EXPECT_FALSE(child->ParentColor());
    parent.Font()->SetName(QStringLiteral("Arial"));
    parent.SetColor(clGreen);
    EXPECT_EQ(child->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(child->Color(), clAqua);

    child->SetParentFont(true);
    EXPECT_EQ(child->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(child->Font()->Height(), parent.Font()->Height());
}

TEST(ControlsTest, ClassNameIsTheDeclaredName)
{
    std::vector<std::string> log;
    TLogControl c(nullptr, log);
    TCustomControl plain(nullptr);
    EXPECT_EQ(c.ClassName(), QStringLiteral("TLogControl"));
    EXPECT_EQ(plain.ClassName(), QStringLiteral("TCustomControl"));
}

TEST(ControlsTest, ScreenAndClientCoordinatesGoThroughTheParents)
{
    TCustomControl top(nullptr);
    top.SetBounds(100, 50, 300, 200);
    auto* panel = new TCustomControl(&top);
    panel->SetBounds(10, 20, 100, 100);
    panel->SetParent(&top);
    std::vector<std::string> log;
    auto* g = new TNamedGraphic(&top, "g", log);
    g->SetBounds(5, 6, 10, 10);
    g->SetParent(panel);
    EXPECT_EQ(g->ClientToScreen({1, 2}), Point(116, 78));
    EXPECT_EQ(g->ScreenToClient({116, 78}), Point(1, 2));
    EXPECT_EQ(panel->ClientOrigin(), Point(110, 70));
}

TEST(ControlsTest, DestroyingAParentDestroysItsChildrenAndLeavesTheOwnerClean)
{
    TComponent owner(nullptr);
    auto* parent = new TCustomControl(&owner);
    auto* child = new TCustomControl(&owner);
    child->SetParent(parent);
    parent->HandleNeeded();
    EXPECT_TRUE(child->HandleAllocated());
    EXPECT_EQ(FindControl(child->Handle()), child);
    EXPECT_EQ(owner.ComponentCount(), 2);
    delete parent;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// A window that asks for its control's window while it is hidden, as a drop-down
// that closes up does when the form under it goes.
class TAskOnHide : public TCustomControl {
public:
    TAskOnHide(TComponent* owner, int& asked) : TCustomControl(owner), Asked(asked) {}
    int& Asked;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override
    {
        struct Window : QWidget {
            Window(QWidget* parent, TAskOnHide* owner) : QWidget(parent), Owner(owner) {}
            void hideEvent(QHideEvent*) override
            {
                ++Owner->Asked;
                Owner->HandleNeeded();
            }
            TAskOnHide* Owner;
        };
        return new Window(parentWidget, this);
    }
};

TEST(ControlsTest, AWindowAskedForWhileItsFormGoesIsNotMadeAgain)
{
    const auto before = QApplication::allWidgets().size();
    auto* form = new TForm(nullptr);
    int asked = 0;
    auto* child = new TAskOnHide(form, asked);
    child->SetParent(form);
    form->Show();
    ASSERT_TRUE(child->HandleAllocated());
    delete form;
    QCoreApplication::processEvents();
    EXPECT_GT(asked, 0) << "the child's window was hidden with the form's";
    // A window made again then would belong to no control and stay for good.
    EXPECT_EQ(QApplication::allWidgets().size(), before);
}

} // namespace
