// Forms and the application: modal forms through the seam, dialog keys
// (Escape and Enter only through Cancel and Default buttons), focus and tab
// order, closing, the message loop and the error box at the boundary
// between Qt and our code.
#include "TestControls.h"

#include "platform/Forms.h"
#include "platform/Seams.h"
#include "platform/Timers.h"
#include "tests/common/TestSeams.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class FormsTest : public ::testing::Test {
protected:
    TTestSeams Seams;
};

// A dialog with an edit, an OK and a Cancel button.
class TDialog : public TForm {
public:
    explicit TDialog(TComponent* owner) : TForm(owner)
    {
        SetCaption(QStringLiteral("Dialog"));
        SetClientSize(300, 120);
        Edit = new TLineEditControl(this);
        Edit->SetParent(this);
        Edit->SetBounds(10, 10, 200, 22);
        Ok = new TTestButton(this);
        Ok->SetParent(this);
        Ok->SetBounds(10, 80, 75, 25);
        Ok->ModalResult = mrOk;
        Cancel = new TTestButton(this);
        Cancel->SetParent(this);
        Cancel->SetBounds(100, 80, 75, 25);
        Cancel->ModalResult = mrCancel;
        OnShow = [this](TObject*) { Log.push_back("show"); };
        OnHide = [this](TObject*) { Log.push_back("hide"); };
    }
    TLineEditControl* Edit;
    TTestButton* Ok;
    TTestButton* Cancel;
    std::vector<std::string> Log;
};

TEST_F(FormsTest, ShowModalRunsTheScriptAgainstTheShownForm)
{
    TDialog dialog(nullptr);
    bool checked = false;
    Seams.AnswerModal(
        [&](TCustomForm& form) {
            EXPECT_EQ(&form, &dialog);
            EXPECT_TRUE(form.Visible());
            EXPECT_TRUE(form.Modal());
            EXPECT_EQ(dialog.Log, (std::vector<std::string>{"show"}));
            EXPECT_EQ(Screen->ActiveForm(), &dialog);
            // The first tab stop has the focus.
            EXPECT_TRUE(dialog.Edit->Focused());
            Simulate::Type(dialog.Edit, QStringLiteral("hi"));
            checked = true;
        },
        mrOk);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.Modal());
    EXPECT_EQ(dialog.Edit->Edit()->text(), QStringLiteral("hi"));
    EXPECT_EQ(dialog.Log, (std::vector<std::string>{"show", "hide"}));
    ASSERT_EQ(Seams.ModalForms.size(), 1u);
    EXPECT_EQ(Seams.ModalForms[0].ClassName, QStringLiteral("TDialog"));
    EXPECT_EQ(Seams.ModalForms[0].Caption, QStringLiteral("Dialog"));
    EXPECT_EQ(Seams.ModalForms[0].Result, mrOk);
}

TEST_F(FormsTest, ResultSetByTheScriptedClickStands)
{
    TDialog dialog(nullptr);
    Seams.AnswerModal([&](TCustomForm&) { Simulate::Click(dialog.Ok, {5, 5}); }, mrCancel);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Ok->Clicks, 1);
}

TEST_F(FormsTest, UnscriptedModalFormClosesWithCancel)
{
    TDialog dialog(nullptr);
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(Seams.ModalForms.size(), 1u);
}

TEST_F(FormsTest, CloseQueryCanKeepAModalFormOpenUntilTheNextStep)
{
    TDialog dialog(nullptr);
    int asked = 0;
    dialog.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    Seams.AnswerModal(mrOk);
    Seams.AnswerModal([&](TCustomForm& form) { EXPECT_TRUE(form.Visible()); }, mrYes);
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_EQ(asked, 2);
}

TEST_F(FormsTest, ModalFormThatNeverClosesIsAnErrorNotAHang)
{
    TDialog dialog(nullptr);
    dialog.OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    EXPECT_THROW(dialog.ShowModal(), Exception);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(dialog.Modal());
}

TEST_F(FormsTest, VisibleFormCannotBeShownModally)
{
    TDialog dialog(nullptr);
    dialog.Show();
    EXPECT_THROW(dialog.ShowModal(), EInvalidOperation);
}

// Which button a dialog key clicks, for each set of buttons.
struct TDialogKeyCase {
    bool CancelSet;
    bool DefaultSet;
    int Key;
    const char* Text;
    int OkClicks;
    int CancelClicks;
};

class DialogKeys : public FormsTest, public ::testing::WithParamInterface<TDialogKeyCase> {};

TEST_P(DialogKeys, OnlyTheButtonThatSaysSoAnswers)
{
    const TDialogKeyCase& c = GetParam();
    TDialog dialog(nullptr);
    dialog.Cancel->Cancel = c.CancelSet;
    dialog.Ok->Default = c.DefaultSet;
    std::vector<int> typed;
    dialog.Edit->OnKeyPress = [&](TObject*, QChar& k) { typed.push_back(k.unicode()); };
    dialog.Show();
    dialog.Edit->SetFocus();
    Simulate::Key(dialog.Edit, c.Key, Qt::NoModifier, QString::fromLatin1(c.Text));
    EXPECT_EQ(dialog.Ok->Clicks, c.OkClicks);
    EXPECT_EQ(dialog.Cancel->Clicks, c.CancelClicks);
    // Nothing but a button closes the form; a key no button took reaches the edit.
    EXPECT_TRUE(dialog.Visible());
    const bool taken = c.OkClicks + c.CancelClicks > 0;
    EXPECT_EQ(dialog.ModalResult(), !taken ? mrNone : (c.OkClicks ? mrOk : mrCancel));
    EXPECT_EQ(typed.empty(), taken);
}

INSTANTIATE_TEST_SUITE_P(FormsTest, DialogKeys,
                         ::testing::Values(TDialogKeyCase{false, false, Qt::Key_Escape, "\x1b", 0, 0},
                                           TDialogKeyCase{false, false, Qt::Key_Return, "\r", 0, 0},
                                           TDialogKeyCase{true, false, Qt::Key_Escape, "\x1b", 0, 1},
                                           TDialogKeyCase{true, false, Qt::Key_Return, "\r", 0, 0},
                                           TDialogKeyCase{false, true, Qt::Key_Escape, "\x1b", 0, 0},
                                           TDialogKeyCase{false, true, Qt::Key_Return, "\r", 1, 0},
                                           TDialogKeyCase{true, true, Qt::Key_Escape, "\x1b", 0, 1},
                                           TDialogKeyCase{true, true, Qt::Key_Return, "\r", 1, 0}));

TEST_F(FormsTest, EscapeOnAModalFormClosesItThroughItsCancelButton)
{
    TDialog dialog(nullptr);
    dialog.Cancel->Cancel = true;
    Seams.AnswerModal([&](TCustomForm&) { Simulate::Key(dialog.Edit, Qt::Key_Escape, {}, QStringLiteral("\x1b")); },
                      mrOk);
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST_F(FormsTest, ExceptionInAClickHandlerBecomesTheErrorBoxAndTheProgramGoesOn)
{
    TDialog dialog(nullptr);
    dialog.Show();
    struct TCase {
        std::function<void()> Raise;
        const char* Text;   // nullptr: no box
    };
    const TCase cases[] = {
        {[] { throw Exception(QStringLiteral("Boom")); }, "Boom."},
        {[] { throw Exception(QStringLiteral("Device Not Found!")); }, "Device Not Found!"},
        {[] { throw Exception(QStringLiteral("Error!!! Check the Ip Address")); }, "Error!!! Check the Ip Address."},
        {[] { throw Exception(QStringLiteral("Stopped.")); }, "Stopped."},
        {[] { throw Exception(QStringLiteral("Value 12")); }, "Value 12."},
        {[] { throw std::runtime_error("disk full"); }, "disk full."},
        {[] { throw 42; }, "Unknown exception."},
        {[] { Abort(); }, nullptr},
    };
    for (const TCase& c : cases) {
        Seams.Boxes.clear();
        dialog.Ok->OnClick = [&](TObject*) { c.Raise(); };
        Simulate::Click(dialog.Ok, {5, 5});
        if (!c.Text) {
            EXPECT_TRUE(Seams.Boxes.empty());
            continue;
        }
        ASSERT_EQ(Seams.Boxes.size(), 1u) << c.Text;
        const TMessageBoxRequest& box = Seams.Boxes[0];
        EXPECT_EQ(box.Text, QString::fromUtf8(c.Text));
        EXPECT_EQ(box.Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(box.Buttons, std::vector<int>{IDOK});
        EXPECT_EQ(box.Caption, Application->Title());
    }
    // Still working: the next click is an ordinary one.
    int clicks = 0;
    dialog.Ok->OnClick = [&](TObject*) { ++clicks; };
    Simulate::Click(dialog.Ok, {5, 5});
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormsTest, ExceptionsFromTimersPostedMessagesAndKeysAreCaughtToo)
{
    TDialog dialog(nullptr);
    dialog.Show();
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.OnTimer = [](TObject*) { throw Exception(QStringLiteral("from the timer")); };
    Seams.Clock().Advance(100);
    dialog.Edit->OnKeyDown = [](TObject*, WORD&, TShiftState) { throw Exception(QStringLiteral("from a key")); };
    Simulate::Key(dialog.Edit, Qt::Key_F2);
    struct TThrower : TCustomControl {
        using TCustomControl::TCustomControl;
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == WM_USER) throw Exception(QStringLiteral("from a posted message"));
            TCustomControl::Dispatch(m);
        }
    } thrower(nullptr);
    PostMessage(&thrower, WM_USER);
    Application->ProcessMessages();
    std::vector<QString> texts;
    for (const auto& b : Seams.Boxes) texts.push_back(b.Text);
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("from the timer."), QStringLiteral("from a key."),
                                           QStringLiteral("from a posted message.")}));
    // The timer keeps ticking after its handler failed.
    Seams.Clock().Advance(100);
    EXPECT_EQ(Seams.Boxes.size(), 4u);
}

TEST_F(FormsTest, OnExceptionReplacesTheErrorBox)
{
    TDialog dialog(nullptr);
    std::vector<QString> seen;
    Application->OnException = [&](TObject* sender, const Exception& e) {
        EXPECT_EQ(sender, dialog.Ok);
        seen.push_back(e.Message());
    };
    dialog.Ok->OnClick = [](TObject*) { throw Exception(QStringLiteral("quiet")); };
    Simulate::Click(dialog.Ok, {1, 1});
    Application->OnException = nullptr;
    EXPECT_EQ(seen, std::vector<QString>{QStringLiteral("quiet")});
    EXPECT_TRUE(Seams.Boxes.empty());
}

TEST_F(FormsTest, TabMovesTheFocusInTabOrderOverTabStopsThatCanTakeIt)
{
    TForm form(nullptr);
    std::vector<TLineEditControl*> edits;
    for (int i = 0; i < 4; ++i) {
        auto* e = new TLineEditControl(&form);
        e->SetParent(&form);
        e->SetTop(i * 30);
        edits.push_back(e);
    }
    // Tab order 0: edits[3], 1: edits[1], 2: edits[0], 3: edits[2].
    edits[3]->SetTabOrder(0);
    edits[0]->SetTabOrder(2);
    edits[2]->SetTabOrder(3);
    EXPECT_EQ(edits[1]->TabOrder(), 1);
    edits[2]->SetEnabled(false);
    form.Show();
    EXPECT_TRUE(edits[3]->Focused()) << "the first tab stop gets the focus";
    Simulate::Key(edits[3], Qt::Key_Tab, {}, QStringLiteral("\t"));
    EXPECT_TRUE(edits[1]->Focused());
    Simulate::Key(edits[1], Qt::Key_Tab, {}, QStringLiteral("\t"));
    EXPECT_TRUE(edits[0]->Focused());
    Simulate::Key(edits[0], Qt::Key_Tab, {}, QStringLiteral("\t"));   // the disabled one is skipped
    EXPECT_TRUE(edits[3]->Focused());
    Simulate::Key(edits[3], Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"));
    EXPECT_TRUE(edits[0]->Focused());
    EXPECT_EQ(form.ActiveControl(), edits[0]);
    EXPECT_EQ(edits[0]->Edit()->text(), QString()) << "Tab types nothing";
}

// Size limits hold every size a control takes, from code or, for a window,
// from the user dragging its frame; changed limits apply at once.
TEST_F(FormsTest, SizeLimitsHoldEverySizeTheControlTakes)
{
    TForm form(nullptr);
    form.SetBounds(10, 10, 300, 200);
    auto* child = new TCustomControl(&form);
    child->SetParent(&form);
    child->SetBounds(5, 5, 100, 40);
    child->Constraints()->SetMinWidth(50);
    child->SetWidth(10);
    EXPECT_EQ(child->Width(), 50);
    child->Constraints()->SetMinWidth(80);
    EXPECT_EQ(child->Width(), 80) << "a raised limit applies at once";
    child->Constraints()->SetMaxHeight(30);
    EXPECT_EQ(child->Height(), 30);

    form.Constraints()->SetMinWidth(200);
    form.Constraints()->SetMinHeight(150);
    form.Constraints()->SetMaxWidth(400);
    form.Constraints()->SetMaxHeight(300);
    form.SetBounds(10, 10, 100, 100);
    EXPECT_EQ(form.Width(), 200);
    EXPECT_EQ(form.Height(), 150);
    form.SetBounds(10, 10, 500, 500);
    EXPECT_EQ(form.Width(), 400);
    EXPECT_EQ(form.Height(), 300);

    form.Show();
    EXPECT_EQ(form.Handle()->minimumSize(), QSize(200, 150));
    EXPECT_EQ(form.Handle()->maximumSize(), QSize(400, 300));
    form.Handle()->resize(50, 50);
    Application->ProcessMessages();
    EXPECT_EQ(form.Width(), 200);
    EXPECT_EQ(form.Height(), 150);
    form.Constraints()->SetMaxWidth(0);
    EXPECT_EQ(form.Handle()->maximumSize().width(), QWIDGETSIZE_MAX) << "0 is no limit";

    // A window of fixed size keeps its size fixed.
    TForm fixed(nullptr);
    fixed.SetBorderStyle(TFormBorderStyle::bsSingle);
    fixed.SetBounds(0, 0, 120, 80);
    fixed.Constraints()->SetMinWidth(100);
    fixed.Show();
    EXPECT_EQ(fixed.Handle()->minimumSize(), QSize(120, 80));
    EXPECT_EQ(fixed.Handle()->maximumSize(), QSize(120, 80));
}

TEST_F(FormsTest, AControlAddedAfterRenumberingComesLastInTabOrder)
{
    TForm form(nullptr);
    std::vector<TLineEditControl*> edits;
    auto add = [&] {
        auto* e = new TLineEditControl(&form);
        e->SetParent(&form);
        edits.push_back(e);
    };
    add();
    add();
    edits[1]->SetTabOrder(0);
    add();
    EXPECT_EQ(edits[2]->TabOrder(), 2);
    form.Show();
    EXPECT_TRUE(edits[1]->Focused());
    Simulate::Key(edits[1], Qt::Key_Tab, {}, QStringLiteral("\t"));
    EXPECT_TRUE(edits[0]->Focused());
    Simulate::Key(edits[0], Qt::Key_Tab, {}, QStringLiteral("\t"));
    EXPECT_TRUE(edits[2]->Focused()) << "the newest control comes after every renumbered one";
}

TEST_F(FormsTest, PostedTabMovesTheFocusLikeATypedOne)
{
    TDialog dialog(nullptr);
    dialog.Show();
    dialog.Edit->SetFocus();
    PostMessage(&dialog, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(dialog.Edit->Focused());
    Application->ProcessMessages();
    EXPECT_TRUE(dialog.Ok->Focused());
}

TEST_F(FormsTest, FocusChangeSendsExitUpAndEnterDownTheContainers)
{
    TForm form(nullptr);
    std::vector<std::string> log;
    auto* panel = new TCustomControl(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    auto* inner = new TLineEditControl(&form);
    inner->SetParent(panel);
    auto* outer = new TLineEditControl(&form);
    outer->SetParent(&form);
    outer->SetTop(150);
    auto watch = [&](TWinControl* c, const std::string& name) {
        c->OnEnter = [&log, name](TObject*) { log.push_back("enter " + name); };
        c->OnExit = [&log, name](TObject*) { log.push_back("exit " + name); };
    };
    watch(panel, "panel");
    watch(inner, "inner");
    watch(outer, "outer");
    form.Show();
    log.clear();
    outer->SetFocus();
    inner->SetFocus();
    outer->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"exit inner", "exit panel", "enter outer", "exit outer", "enter panel",
                                             "enter inner", "exit inner", "exit panel", "enter outer"}));
    EXPECT_EQ(inner->Focus.back(), "kill");
    EXPECT_EQ(outer->Focus.back(), "set");
}

TEST_F(FormsTest, FocusGoingIntoTheControlsOwnPopupIsNoExit)
{
    TDialog dialog(nullptr);
    std::vector<std::string> log;
    dialog.Edit->OnExit = [&](TObject*) { log.push_back("exit"); };
    dialog.Show();
    dialog.Edit->SetFocus();
    dialog.Edit->Focus.clear();
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(dialog.Edit->Handle(), &popup);
    EXPECT_TRUE(dialog.Edit->Focused());
    EXPECT_TRUE(dialog.Edit->Focus.empty());
    QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(dialog.Edit->Handle(), &back);
    EXPECT_TRUE(dialog.Edit->Focus.empty());
    EXPECT_TRUE(log.empty());
    // Moving on to another control is leaving.
    dialog.Ok->SetFocus();
    EXPECT_EQ(log, std::vector<std::string>{"exit"});
    EXPECT_EQ(dialog.Edit->Focus, std::vector<std::string>{"kill"});
}

TEST_F(FormsTest, KeyPreviewLetsTheFormSeeKeysFirst)
{
    TDialog dialog(nullptr);
    std::vector<std::string> log;
    dialog.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("form " + std::to_string(key));
        if (key == VK_F3) key = 0;
    };
    dialog.Edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("edit " + std::to_string(key)); };
    dialog.Show();
    Simulate::Key(dialog.Edit, Qt::Key_F2);
    dialog.SetKeyPreview(true);
    Simulate::Key(dialog.Edit, Qt::Key_F2);
    Simulate::Key(dialog.Edit, Qt::Key_F3);
    EXPECT_EQ(log, (std::vector<std::string>{"edit 113", "form 113", "edit 113", "form 114"}));
}

TEST_F(FormsTest, CloseAsksAndHidesOrStays)
{
    struct TCase {
        bool CanClose;
        TCloseAction Action;
        bool VisibleAfter;
    };
    const TCase cases[] = {
        {true, TCloseAction::caHide, false},
        {false, TCloseAction::caHide, true},
        {true, TCloseAction::caNone, true},
    };
    for (const TCase& c : cases) {
        TDialog dialog(nullptr);
        int closes = 0;
        dialog.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.CanClose; };
        dialog.OnClose = [&](TObject*, TCloseAction& action) {
            ++closes;
            EXPECT_EQ(action, TCloseAction::caHide);
            action = c.Action;
        };
        dialog.Show();
        dialog.Close();
        EXPECT_EQ(dialog.Visible(), c.VisibleAfter);
        EXPECT_EQ(closes, c.CanClose ? 1 : 0);
    }
}

TEST_F(FormsTest, CloseOnAModalFormEndsItWithCancel)
{
    TDialog dialog(nullptr);
    std::vector<std::string> log;
    dialog.OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
    Seams.AnswerModal([](TCustomForm& f) { f.Close(); }, mrOk);
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(log, std::vector<std::string>{"close"});
}

TEST_F(FormsTest, CreateFormAssignsTheReferenceBeforeOnCreateAndTheFirstIsMain)
{
    ASSERT_EQ(Application->MainForm(), nullptr);
    static TForm* First = nullptr;
    struct TCreated : TForm {
        explicit TCreated(TComponent* owner) : TForm(owner)
        {
            OnCreate = [this](TObject*) {
                SeenFirst = First;
                SeenMain = Application->MainForm();
            };
        }
        TForm* SeenFirst = nullptr;
        TCustomForm* SeenMain = reinterpret_cast<TCustomForm*>(1);
    };
    TCreated* a = nullptr;
    TCreated* b = nullptr;
    Application->CreateForm(a);
    First = a;
    Application->CreateForm(b);
    EXPECT_EQ(a->SeenFirst, nullptr);
    EXPECT_EQ(a->SeenMain, nullptr) << "the main form is known once its creation is done";
    EXPECT_EQ(b->SeenFirst, a);
    EXPECT_EQ(b->SeenMain, a);
    EXPECT_EQ(Application->MainForm(), a);
    EXPECT_EQ(a->Owner(), Application);
    delete b;
    delete a;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormsTest, RunHandlesMessagesUntilTheMainFormCloses)
{
    Application->Initialize();
    TForm* main = nullptr;
    Application->CreateForm(main);
    std::vector<std::string> log;
    main->OnShow = [&](TObject*) { log.push_back("show"); };
    main->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
    PostMessage(main, WM_CLOSE);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(log, (std::vector<std::string>{"show", "close"}));
    Application->DestroyForms();
    Application->Initialize();
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(FormsTest, ShowActivatesAndHideGivesActivationBack)
{
    TDialog first(nullptr), second(nullptr);
    std::vector<std::string> log;
    first.OnActivate = [&](TObject*) { log.push_back("first on"); };
    first.OnDeactivate = [&](TObject*) { log.push_back("first off"); };
    second.OnActivate = [&](TObject*) { log.push_back("second on"); };
    first.Show();
    second.Show();
    EXPECT_EQ(Screen->ActiveForm(), &second);
    EXPECT_TRUE(second.Edit->Focused());
    second.Hide();
    EXPECT_EQ(Screen->ActiveForm(), &first);
    EXPECT_TRUE(first.Edit->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"first on", "first off", "second on", "first on"}));
    // Qt's own activation events, once they arrive, agree with that.
    Application->ProcessMessages();
    EXPECT_EQ(Screen->ActiveForm(), &first);
}

TEST_F(FormsTest, ScreenCentredFormSitsInTheMiddleOnFirstShow)
{
    TForm form(nullptr);
    form.SetPosition(TPosition::poScreenCenter);
    form.SetBorderStyle(TFormBorderStyle::bsSingle);
    form.SetClientSize(200, 100);
    form.Show();
    EXPECT_EQ(form.Left(), (Screen->Width() - 200) / 2);
    EXPECT_EQ(form.Top(), (Screen->Height() - 100) / 2);
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.Handle()->size(), QSize(200, 100));
    // A fixed border keeps the window at its size.
    EXPECT_EQ(form.Handle()->minimumSize(), form.Handle()->maximumSize());
}

TEST_F(FormsTest, CaptionIsTheWindowTitle)
{
    TForm form(nullptr);
    form.HandleNeeded();
    form.SetCaption(QStringLiteral("Create New Configuration"));
    EXPECT_EQ(form.Handle()->windowTitle(), QStringLiteral("Create New Configuration"));
}

TEST_F(FormsTest, ReleaseFreesTheFormAfterTheHandlerThatAskedForIt)
{
    auto* released = new TDialog(nullptr);
    bool destroyed = false;
    released->OnDestroy = [&](TObject*) { destroyed = true; };
    released->Show();
    released->Cancel->OnClick = [&](TObject*) { released->Release(); };
    Simulate::Click(released->Cancel, {3, 3});
    EXPECT_FALSE(destroyed) << "released from the loop, after the click";
    Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(FormsTest, WheelGoesToTheFocusedControl)
{
    TDialog dialog(nullptr);
    int delta = 0;
    dialog.Edit->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
        delta = d;
        handled = true;
    };
    dialog.Show();
    dialog.Edit->SetFocus();
    Simulate::Wheel(&dialog, {200, 100}, -120);
    EXPECT_EQ(delta, -120);
}

TEST_F(FormsTest, MessageBoxGoesThroughTheSeamWithItsFlags)
{
    Seams.AnswerBox(IDNO);
    EXPECT_EQ(Application->MessageBox(QStringLiteral("Sure?"), QStringLiteral("Q"), MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Question);
    EXPECT_EQ(Seams.Boxes[0].Caption, QStringLiteral("Q"));
}

} // namespace
