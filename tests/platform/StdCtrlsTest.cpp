// The standard controls: what code and the user change, which events fire, and what they paint.

#include "platform/ComCtrls.h"
#include "platform/DrawText.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A form to put controls on; deleted with the test.
struct FormFixture : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);

    template <class T>
    T* Add(int left, int top, TWinControl* parent = nullptr)
    {
        auto* c = new T(form.get());
        c->SetParent(parent ? parent : form.get());
        c->SetLeft(left);
        c->SetTop(top);
        return c;
    }
};

TColor PixelAt(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

// Smallest rectangle (Right/Bottom exclusive) of pixels inside `area` that differ from `background`.
TRect InkBounds(const QImage& img, const TRect& area, TColor background)
{
    TRect r{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            if (PixelAt(img, x, y) == background) continue;
            r.Left = std::min(r.Left, x);
            r.Top = std::min(r.Top, y);
            r.Right = std::max(r.Right, x + 1);
            r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
}

void TypeInto(QWidget* widget, const QString& text)
{
    for (QChar ch : text) {
        const int key = ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_A + (ch.toUpper().unicode() - 'A');
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void Press(TControl* c, UINT down, UINT up, int x, int y)
{
    c->Perform(down, MK_LBUTTON, MakeLParam(x, y));
    c->Perform(up, 0, MakeLParam(x, y));
}

} // namespace

// ---- Edit -------------------------------------------------------------------------

using EditTest = FormFixture;

TEST_F(EditTest, SetTextFiresOnChangeOnlyOnRealChangeAndPutsTheCaretAtZero)
{
    TEdit* edit = Add<TEdit>(10, 10);
    std::vector<String> seen;
    edit->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, edit);
        seen.push_back(edit->Text());
    };
    edit->SetText(QStringLiteral("abc"));
    edit->SetText(QStringLiteral("abc"));
    edit->HandleNeeded();
    edit->SetSelStart(3);
    edit->SetText(QStringLiteral("abcd"));
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 0);
    edit->SetText(QStringLiteral("abcd"));
    edit->Clear();
    EXPECT_EQ(seen, (std::vector<String>{"abc", "abcd", ""}));
    // The widget shows what the control holds.
    EXPECT_EQ(static_cast<QLineEdit*>(edit->Handle())->text(), QString());
}

TEST_F(EditTest, TextSetBeforeTheWindowReachesIt)
{
    TEdit* edit = Add<TEdit>(10, 10);
    edit->SetText(QStringLiteral("192"));
    edit->SetReadOnly(true);
    edit->HandleNeeded();
    auto* line = static_cast<QLineEdit*>(edit->Handle());
    EXPECT_EQ(line->text(), QStringLiteral("192"));
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_EQ(line->cursorPosition(), 0);
}

TEST_F(EditTest, SelectionReadsAndWrites)
{
    TEdit* edit = Add<TEdit>(10, 10);
    edit->SetText(QStringLiteral("configuration"));
    for (bool withWindow : {false, true}) {
        if (withWindow) edit->HandleNeeded();
        edit->SetSelStart(3);
        edit->SetSelLength(4);
        EXPECT_EQ(edit->SelStart(), 3) << withWindow;
        EXPECT_EQ(edit->SelLength(), 4) << withWindow;
        EXPECT_EQ(edit->SelText(), QStringLiteral("figu")) << withWindow;
        edit->SetSelLength(100);
        EXPECT_EQ(edit->SelLength(), 10) << withWindow;
        edit->SelectAll();
        EXPECT_EQ(edit->SelText(), QStringLiteral("configuration")) << withWindow;
    }
}

TEST_F(EditTest, InputRulesLimitTypingButNotCode)
{
    struct Case {
        const char* name;
        int maxLength;
        bool numbersOnly;
        TEditCharCase charCase;
        const char* previous;
        const char* proposed;
        bool accepted;
        const char* result;
    };
    const Case cases[] = {
        {"within the limit", 3, false, TEditCharCase::ecNormal, "ab", "abc", true, "abc"},
        {"beyond the limit", 3, false, TEditCharCase::ecNormal, "abc", "abcd", false, ""},
        {"shrinking an over-long text", 3, false, TEditCharCase::ecNormal, "abcdef", "abcde", true, "abcde"},
        {"no limit", 0, false, TEditCharCase::ecNormal, "abc", "abcdefgh", true, "abcdefgh"},
        {"digit", 0, true, TEditCharCase::ecNormal, "12", "123", true, "123"},
        {"letter among digits", 0, true, TEditCharCase::ecNormal, "12", "12a", false, ""},
        {"old letters stay", 0, true, TEditCharCase::ecNormal, "x1", "x12", true, "x12"},
        {"upper case", 0, false, TEditCharCase::ecUpperCase, "A", "Ab", true, "AB"},
        {"lower case", 0, false, TEditCharCase::ecLowerCase, "a", "aB", true, "ab"},
    };
    for (const Case& c : cases) {
        TEdit edit(nullptr);
        edit.SetMaxLength(c.maxLength);
        edit.SetNumbersOnly(c.numbersOnly);
        edit.SetCharCase(c.charCase);
        String proposed = QString::fromLatin1(c.proposed);
        EXPECT_EQ(edit.AcceptInput(proposed, QString::fromLatin1(c.previous)), c.accepted) << c.name;
        if (c.accepted) {
            EXPECT_EQ(proposed, QString::fromLatin1(c.result)) << c.name;
        }
    }
    // Code is not held to the limit, but to the letter case.
    TEdit edit(nullptr);
    edit.SetMaxLength(2);
    edit.SetText(QStringLiteral("longer"));
    EXPECT_EQ(edit.Text(), QStringLiteral("longer"));
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    EXPECT_EQ(edit.Text(), QStringLiteral("LONGER"));
    edit.SetText(QStringLiteral("mixed"));
    EXPECT_EQ(edit.Text(), QStringLiteral("MIXED"));
}

TEST_F(EditTest, TypingFiresOnChangeAndStopsAtMaxLength)
{
    form->HandleNeeded();
    TEdit* edit = Add<TEdit>(10, 10);
    edit->SetMaxLength(4);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->HandleNeeded();
    TypeInto(edit->Handle(), QStringLiteral("abcdef"));
    EXPECT_EQ(edit->Text(), QStringLiteral("abcd"));
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(edit->Modified());
}

// Whatever way the user brings text in, what no file of the program can
// hold stays out; what the program itself sets stands.
TEST_F(EditTest, TextTheUserBringsInLosesWhatNoFileCanHold)
{
    form->HandleNeeded();
    form->Show();
    TEdit* edit = Add<TEdit>(10, 10);
    edit->SetFocus();
    const QChar lone(char16_t(0xD800));
    const struct {
        String Clip;
        String Result;
    } pastes[] = {
        {QStringLiteral("pump\u00011"), QStringLiteral("pump1")},
        {QString(QChar(0)) + QStringLiteral("a\u0008b\u000Bc\u001F"), QStringLiteral("abc")},
        {QStringLiteral("x\uFFFEy\uFFFF") + lone + QStringLiteral("z"), QStringLiteral("xyz")},
        {QStringLiteral("\u00C4l\U0001F600"), QStringLiteral("\u00C4l\U0001F600")},
    };
    for (const auto& p : pastes) {
        edit->SetText(QStringLiteral("[]"));
        edit->SetSelStart(1);
        int changes = 0;
        edit->OnChange = [&](TObject*) { ++changes; };
        QGuiApplication::clipboard()->setText(p.Clip);
        Simulate::Key(edit, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        EXPECT_EQ(edit->Text(), QStringLiteral("[") + p.Result + QStringLiteral("]")) << p.Clip.toStdString();
        EXPECT_EQ(edit->SelStart(), 1 + p.Result.size()) << "the caret stands after what was kept";
        EXPECT_EQ(changes, 1);
        EXPECT_TRUE(edit->Modified());
        edit->OnChange = nullptr;
    }

    // An input method commits a whole text at once.
    edit->SetText(String());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("a\uFFFEb\u0001\u00E8"));
    QApplication::sendEvent(edit->Handle(), &commit);
    EXPECT_EQ(edit->Text(), QStringLiteral("ab\u00E8"));

    edit->SetText(QStringLiteral("x\u0001y"));
    EXPECT_EQ(edit->Text(), QStringLiteral("x\u0001y")) << "the program's own text stands";
}

TEST_F(EditTest, KeyPressHandlerCanSwallowACharacter)
{
    form->HandleNeeded();
    TEdit* edit = Add<TEdit>(10, 10);
    edit->OnKeyPress = [](TObject*, QChar& key) {
        if (key == u'.') key = QChar();
    };
    edit->HandleNeeded();
    for (QChar ch : QStringLiteral("1.2")) {
        const int key = ch == u'.' ? Qt::Key_Period : Qt::Key_0 + ch.digitValue();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit->Handle(), &press);
    }
    EXPECT_EQ(edit->Text(), QStringLiteral("12"));
}

// Focus from the keyboard or from code selects the whole text, so what the
// user types replaces it; a click places the caret and selects nothing.
TEST_F(EditTest, AutoSelectOnFocusFromTheKeyboardOrCodeButNotFromAClick)
{
    TEdit* first = Add<TEdit>(10, 10);
    TEdit* second = Add<TEdit>(10, 40);
    TEdit* plain = Add<TEdit>(10, 70);
    first->SetText(QStringLiteral("192"));
    second->SetText(QStringLiteral("168"));
    plain->SetText(QStringLiteral("205"));
    plain->SetAutoSelect(false);
    form->SetBounds(0, 0, 200, 120);
    form->Show();
    Application->ProcessMessages();   // the window system activates the window
    // The keys go where the window system has the focus.
    auto focusWidget = [] {
        QWidget* w = QApplication::focusWidget();
        if (!w) throw std::runtime_error("no widget has the focus");
        return w;
    };

    ASSERT_TRUE(first->Focused());
    EXPECT_EQ(first->SelText(), QStringLiteral("192")) << "the focus given when the form shows";

    Simulate::Key(first, Qt::Key_Tab, {}, QStringLiteral("\t"));
    ASSERT_TRUE(second->Focused());
    EXPECT_EQ(second->SelText(), QStringLiteral("168")) << "Tab";
    TypeInto(focusWidget(), QStringLiteral("7"));
    EXPECT_EQ(second->Text(), QStringLiteral("7")) << "typing replaces the selected text";

    Simulate::Key(second, Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"));
    ASSERT_TRUE(first->Focused());
    EXPECT_EQ(first->SelText(), QStringLiteral("192")) << "Shift+Tab";

    second->SetFocus();
    EXPECT_EQ(second->SelText(), QStringLiteral("7")) << "SetFocus";

    plain->SetFocus();
    EXPECT_EQ(plain->SelLength(), 0) << "AutoSelect off";
    TypeInto(focusWidget(), QStringLiteral("1"));
    EXPECT_EQ(plain->Text(), QStringLiteral("1205"));

    // A click at the end of the text: the caret goes there, nothing is selected.
    auto* line = static_cast<QLineEdit*>(first->Handle());
    const QPoint end(line->width() - 4, line->height() / 2);
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, end);
    ASSERT_TRUE(first->Focused());
    EXPECT_EQ(first->SelLength(), 0);
    EXPECT_EQ(first->SelStart(), 3);
    TypeInto(focusWidget(), QStringLiteral("0"));
    EXPECT_EQ(first->Text(), QStringLiteral("1920"));
}

TEST_F(EditTest, ColourAndFontColourReachTheWidget)
{
    TEdit* edit = Add<TEdit>(10, 10);
    edit->HandleNeeded();
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clRed);
    const QPalette palette = edit->Handle()->palette();
    EXPECT_EQ(palette.color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(palette.color(QPalette::Text), QColor(255, 0, 0));
}

// ---- Combo box -------------------------------------------------------------------------

using ComboTest = FormFixture;

TEST_F(ComboTest, ListOnlyComboShowsItsEntries)
{
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    int events = 0;
    combo->OnChange = combo->OnSelect = combo->OnClick = [&](TObject*) { ++events; };
    combo->Items()->SetCommaText(QStringLiteral("Normal,\"Start Break\",Other"));
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), QString());
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Start Break"));
    combo->SetText(QStringLiteral("other"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetText(QStringLiteral("not listed"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(0);
    // The widget of a hidden combo takes its entries when it shows, and then follows them at once.
    form->Show();
    auto* widget = static_cast<QComboBox*>(combo->Handle());
    EXPECT_EQ(widget->count(), 3);
    EXPECT_EQ(widget->currentIndex(), 0);
    EXPECT_EQ(widget->currentText(), QStringLiteral("Normal"));
    // Code fires nothing.
    EXPECT_EQ(events, 0);
    combo->Items()->Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(widget->count(), 0);
}

TEST_F(ComboTest, AHiddenComboFilledEntryByEntryShowsThemAllWhenShownOrOpened)
{
    for (const bool open : {false, true}) {
        TComboBox* combo = Add<TComboBox>(10, 10);
        combo->SetStyle(open ? TComboBoxStyle::csDropDown : TComboBoxStyle::csDropDownList);
        combo->SetVisible(false);
        form->Show();
        combo->Items()->Add(QStringLiteral("early"));
        combo->SetItemIndex(0);
        auto* widget = static_cast<QComboBox*>(combo->Handle());
        for (int i = 0; i < 500; ++i) combo->Items()->Add(QStringLiteral("entry %1").arg(i));
        combo->SetText(QStringLiteral("entry 250"));
        if (open) {
            combo->SetDroppedDown(true);
            EXPECT_TRUE(combo->DroppedDown());
        } else {
            combo->SetVisible(true);
        }
        EXPECT_EQ(widget->count(), 501) << open;
        EXPECT_EQ(widget->currentIndex(), 251) << open;
        EXPECT_EQ(widget->currentText(), QStringLiteral("entry 250")) << open;
        if (open) {
            EXPECT_EQ(widget->lineEdit()->text(), QStringLiteral("entry 250"));
            combo->SetDroppedDown(false);
        }
        delete combo;
    }
}

TEST_F(ComboTest, EditableComboKeepsFreeText)
{
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->Items()->SetCommaText(QStringLiteral("alpha,beta"));
    combo->SetText(QStringLiteral("beta"));
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetText(QStringLiteral("gamma"));
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), QStringLiteral("gamma"));
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), QStringLiteral("alpha"));
    combo->HandleNeeded();
    EXPECT_EQ(static_cast<QComboBox*>(combo->Handle())->currentText(), QStringLiteral("alpha"));
}

TEST_F(ComboTest, UserChoiceFiresClickThenSelectOrChange)
{
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->SetCommaText(QStringLiteral("a,b,c"));
    std::vector<std::string> order;
    combo->OnClick = [&](TObject*) { order.push_back("click:" + combo->Text().toStdString()); };
    combo->OnChange = [&](TObject*) { order.push_back("change"); };
    combo->UserSelect(2);
    EXPECT_EQ(order, (std::vector<std::string>{"click:c", "change"}));
    order.clear();
    combo->OnSelect = [&](TObject*) { order.push_back("select"); };
    combo->HandleNeeded();
    // Through the widget, as a pick from its list.
    emit static_cast<QComboBox*>(combo->Handle())->activated(1);
    EXPECT_EQ(order, (std::vector<std::string>{"click:b", "select"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
}

// A pick from the opened list is the combo's choice by the time the close-up
// is reported; a list closed without a pick, or closed when it is not open,
// keeps the choice and fires only what happened.
TEST_F(ComboTest, AClickedEntryIsChosenWhenTheCloseUpIsReported)
{
    const int savedInterval = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(0); // Qt ignores a release right after the list opened
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->SetCommaText(QStringLiteral("a,b,c"));
    combo->SetItemIndex(1);
    std::vector<std::string> order;
    combo->OnCloseUp = [&](TObject*) { order.push_back("closeup:" + combo->Text().toStdString()); };
    combo->OnSelect = [&](TObject*) { order.push_back("select:" + combo->Text().toStdString()); };
    form->Show();
    auto* widget = static_cast<QComboBox*>(combo->Handle());

    combo->SetDroppedDown(false);
    EXPECT_TRUE(order.empty());

    combo->SetDroppedDown(true);
    QAbstractItemView* view = widget->view();
    ASSERT_TRUE(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 0)).center());
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(order, (std::vector<std::string>{"closeup:c", "select:c"}));
    order.clear();

    combo->SetDroppedDown(true);
    QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(0, 0)).center());
    combo->SetDroppedDown(false);
    EXPECT_EQ(order, (std::vector<std::string>{"closeup:c"}));
    EXPECT_EQ(combo->ItemIndex(), 2);
    QApplication::setDoubleClickInterval(savedInterval);
}

// The press that opens the list may be let go over the box at once, within a
// double click's time or long after, and may itself be the second press of a
// double click: the list stays open. Dragged down into the list, the same
// press picks the entry it is let go over.
TEST_F(ComboTest, ThePressThatOpensTheListLeavesItOpenHoweverLongItIsHeld)
{
    const int savedInterval = QApplication::doubleClickInterval();
    // Short, so that holding past it costs the test little time.
    const int interval = 40;
    QApplication::setDoubleClickInterval(interval);
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->SetCommaText(QStringLiteral("a,b,c"));
    combo->SetItemIndex(0);
    int closeUps = 0;
    combo->OnCloseUp = [&](TObject*) { ++closeUps; };
    form->Show();
    const TPoint arrow{combo->Width() - 6, combo->Height() / 2};
    Simulate::TPointer pointer;

    struct Case {
        const char* Name;
        bool Double;  // a click just before, at the same spot
        int Hold;
    };
    const Case cases[] = {{"let go at once", false, 0},
                          {"held a little", false, interval / 2},
                          {"held past a double click's time", false, 2 * interval},
                          {"second press of a double click", true, 0},
                          {"second press of a double click, held long", true, 2 * interval}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Double) {
            pointer.Click(combo, arrow, 1000);
            ASSERT_TRUE(combo->DroppedDown());
            pointer.Click(combo, arrow, interval * 2);
            ASSERT_FALSE(combo->DroppedDown());
        }
        pointer.Press(combo, arrow, c.Double ? interval / 4 : 1000);
        ASSERT_TRUE(combo->DroppedDown());
        if (c.Hold > interval) QTest::qWait(c.Hold);
        closeUps = 0;
        pointer.Release(combo, arrow, c.Hold);
        EXPECT_TRUE(combo->DroppedDown());
        EXPECT_EQ(closeUps, 0);
        // A click on the box closes it again and picks nothing.
        pointer.Click(combo, arrow, 1000);
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(combo->ItemIndex(), 0);
    }

    auto* widget = static_cast<QComboBox*>(combo->Handle());
    pointer.Press(combo, arrow, 1000);
    ASSERT_TRUE(combo->DroppedDown());
    QAbstractItemView* view = widget->view();
    // The list is a window of its own: the point over its last entry, in the combo's terms.
    const QPoint item = view->viewport()->mapToGlobal(view->visualRect(view->model()->index(2, 0)).center()) -
                        widget->mapToGlobal(QPoint(0, 0));
    const TPoint over{item.x(), item.y()};
    pointer.Move(combo, over, 10);
    QTest::qWait(2 * interval);
    pointer.Release(combo, over, 10);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2) << "picked by letting go over it";
    QApplication::setDoubleClickInterval(savedInterval);
}

TEST_F(ComboTest, TypingIntoAnEditableComboFiresOnChange)
{
    form->HandleNeeded();
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->Items()->SetCommaText(QStringLiteral("alpha,beta"));
    std::vector<int> indexes;
    combo->OnChange = [&](TObject*) { indexes.push_back(combo->ItemIndex()); };
    combo->HandleNeeded();
    QLineEdit* line = static_cast<QComboBox*>(combo->Handle())->lineEdit();
    ASSERT_NE(line, nullptr);
    TypeInto(line, QStringLiteral("beta"));
    EXPECT_EQ(combo->Text(), QStringLiteral("beta"));
    EXPECT_EQ(indexes, (std::vector<int>{-1, -1, -1, 1}));
}

TEST_F(ComboTest, TextPastedIntoAnEditableComboLosesWhatNoFileCanHold)
{
    form->HandleNeeded();
    form->Show();
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->Items()->SetCommaText(QStringLiteral("alpha,beta"));
    combo->HandleNeeded();
    QLineEdit* line = static_cast<QComboBox*>(combo->Handle())->lineEdit();
    ASSERT_NE(line, nullptr);
    line->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("pu\u0001mp\uFFFF\t1\U0001F600"));
    QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(combo->Text(), QStringLiteral("pump\t1\U0001F600"));

    combo->SetText(QStringLiteral("x\u0001"));
    EXPECT_EQ(combo->Text(), QStringLiteral("x\u0001")) << "the program's own text stands";
}

TEST_F(ComboTest, SortingKeepsTheChosenEntry)
{
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->SetCommaText(QStringLiteral("zeta,alpha,mu"));
    combo->SetItemIndex(0);
    combo->SetSorted(true);
    EXPECT_EQ(combo->Items()->CommaText(), QStringLiteral("alpha,mu,zeta"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), QStringLiteral("zeta"));
}

// ---- Check box and radio button -------------------------------------------------------------

using ButtonsTest = FormFixture;

TEST_F(ButtonsTest, CheckBoxClicksWheneverCheckedChanges)
{
    TCheckBox* box = Add<TCheckBox>(10, 10);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    box->SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(box->Checked());

    // The user's click goes round the states; grayed only when allowed.
    box->SetState(TCheckBoxState::cbUnchecked);
    box->HandleNeeded();
    auto* widget = static_cast<QCheckBox*>(box->Handle());
    std::vector<TCheckBoxState> states;
    box->OnClick = [&](TObject*) { states.push_back(box->State()); };
    widget->click();
    widget->click();
    box->SetAllowGrayed(true);
    widget->click();
    widget->click();
    widget->click();
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked,
                                                   TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed,
                                                   TCheckBoxState::cbUnchecked}));
    EXPECT_EQ(widget->checkState(), Qt::Unchecked);
    box->SetChecked(true);
    EXPECT_EQ(widget->checkState(), Qt::Checked);
}

// The focus mark shows once the keyboard has moved the focus, not before:
// a check box focused by code looks as it does unfocused, one reached by Tab
// shows the mark, and Space toggles it.
TEST_F(ButtonsTest, CheckBoxShowsTheFocusMarkOnceTheKeyboardMovesTheFocus)
{
    TEdit* edit = Add<TEdit>(10, 10);
    TCheckBox* box = Add<TCheckBox>(10, 40);
    box->SetCaption(QStringLiteral("Disable DALI Scan"));
    box->SetWidth(150);
    form->SetBounds(0, 0, 200, 80);
    form->Show();
    Application->ProcessMessages();
    ASSERT_TRUE(edit->Focused());
    auto look = [&] { return box->Handle()->grab().toImage(); };
    const QImage unfocused = look();

    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    EXPECT_EQ(look(), unfocused) << "focus from code draws no mark while the mouse is in use";

    edit->SetFocus();
    Simulate::Key(edit, Qt::Key_Tab, {}, QStringLiteral("\t"));
    ASSERT_TRUE(box->Focused());
    const QImage marked = look();
    EXPECT_NE(marked, unfocused) << "Tab draws the focus mark";
    // The mark is around the caption, right of the box itself.
    const int indicator = box->Handle()->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    bool changedBesideTheBox = false;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = indicator + 2; x < marked.width(); ++x)
            changedBesideTheBox = changedBesideTheBox || marked.pixel(x, y) != unfocused.pixel(x, y);
    EXPECT_TRUE(changedBesideTheBox);

    Simulate::Key(box, Qt::Key_Space, {}, QStringLiteral(" "));
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused());
}

TEST_F(ButtonsTest, RadioButtonsOfOneParentExcludeEachOther)
{
    TGroupBox* group = Add<TGroupBox>(10, 100);
    TRadioButton* a = Add<TRadioButton>(10, 10);
    TRadioButton* b = Add<TRadioButton>(10, 30);
    TRadioButton* other = Add<TRadioButton>(10, 20, group);
    other->SetChecked(true);
    std::vector<std::string> clicks;
    a->OnClick = [&](TObject*) { clicks.push_back("a"); };
    b->OnClick = [&](TObject*) { clicks.push_back("b"); };
    a->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked()); // another parent, another group
    b->SetChecked(false);          // clearing clicks nothing
    EXPECT_EQ(clicks, (std::vector<std::string>{"a", "b"}));

    // A user's click on a checked button leaves it checked.
    a->SetChecked(true);
    a->HandleNeeded();
    b->HandleNeeded();
    static_cast<QRadioButton*>(a->Handle())->click();
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(static_cast<QRadioButton*>(a->Handle())->isChecked());
    static_cast<QRadioButton*>(b->Handle())->click();
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(static_cast<QRadioButton*>(a->Handle())->isChecked());
}

TEST_F(ButtonsTest, ButtonClickSetsTheFormsModalResultThenFiresOnClick)
{
    TButton* ok = Add<TButton>(10, 10);
    ok->SetModalResult(mrOk);
    TModalResult seen = -1;
    ok->OnClick = [&](TObject*) { seen = form->ModalResult(); };
    ok->Click();
    EXPECT_EQ(seen, mrOk);
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(ButtonsTest, OkButtonClosesAModalFormWithItsResult)
{
    TTestSeams seams;
    TButton* ok = Add<TButton>(10, 10);
    ok->SetModalResult(mrOk);
    bool clicked = false;
    ok->OnClick = [&](TObject*) { clicked = true; };
    seams.AnswerModal([&](TCustomForm&) { static_cast<QPushButton*>(ok->Handle())->click(); }, mrCancel);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(clicked);
}

TEST_F(ButtonsTest, AnErrorInAHandlerBecomesAnErrorBox)
{
    TTestSeams seams;
    TComboBox* combo = Add<TComboBox>(10, 10);
    combo->Items()->SetCommaText(QStringLiteral("a,b"));
    combo->OnSelect = [](TObject*) { throw Exception(QStringLiteral("Broken handler")); };
    combo->HandleNeeded();
    EXPECT_NO_THROW(emit static_cast<QComboBox*>(combo->Handle())->activated(1));
    ASSERT_EQ(seams.Boxes.size(), 1u);
    EXPECT_TRUE(seams.Boxes[0].Text.startsWith(QStringLiteral("Broken handler")));
    EXPECT_EQ(seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    // The choice itself stands.
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ButtonsTest, EnterAndEscapeClickOnlyTheirButtons)
{
    // Only a button that can take the focus answers, so the form is shown.
    form->SetBounds(0, 0, 300, 100);
    form->Show();
    TButton* ok = Add<TButton>(10, 10);
    TButton* cancel = Add<TButton>(100, 10);
    TButton* plain = Add<TButton>(200, 10);
    std::vector<std::string> clicks;
    ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    plain->OnClick = [&](TObject*) { clicks.push_back("plain"); };
    auto dialogKey = [&](TControl* c, WORD key) { return c->Perform(CM_DIALOGKEY, key, 0); };

    // Neither is set: nobody answers.
    EXPECT_EQ(dialogKey(ok, VK_RETURN), 0);
    EXPECT_EQ(dialogKey(cancel, VK_ESCAPE), 0);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    EXPECT_EQ(dialogKey(ok, VK_RETURN), 1);
    EXPECT_EQ(dialogKey(ok, VK_ESCAPE), 0);
    EXPECT_EQ(dialogKey(cancel, VK_ESCAPE), 1);
    EXPECT_EQ(dialogKey(cancel, VK_RETURN), 0);
    EXPECT_EQ(dialogKey(plain, VK_RETURN), 0);
    // A disabled default button does not click.
    ok->SetEnabled(false);
    EXPECT_EQ(dialogKey(ok, VK_RETURN), 0);
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(ButtonsTest, AcceleratorsAreFoundIgnoringCase)
{
    EXPECT_TRUE(IsAccel(u'o', QStringLiteral("&Open")));
    EXPECT_TRUE(IsAccel(u'N', QStringLiteral("Ope&n")));
    EXPECT_FALSE(IsAccel(u'O', QStringLiteral("Open")));
    EXPECT_FALSE(IsAccel(u'&', QStringLiteral("A && B")));
    const TAccelText a = StripAccelChar(QStringLiteral("Save && &Exit&"));
    EXPECT_EQ(a.Text, QStringLiteral("Save & Exit&"));
    EXPECT_EQ(a.AccelIndex, 7);
    EXPECT_EQ(a.Accel, u'E');
}

// ---- List box ---------------------------------------------------------------------------------

using ListBoxTest = FormFixture;

TEST_F(ListBoxTest, CodeSelectsSilentlyTheUserWithOnClick)
{
    TListBox* list = Add<TListBox>(10, 10);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->Items()->SetCommaText(QStringLiteral("Beta,alpha,gamma"));
    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_TRUE(list->Selected(1));
    EXPECT_FALSE(list->Selected(0));
    list->SetItemIndex(9);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
    EXPECT_THROW(list->Selected(3), EStringListError);

    list->HandleNeeded();
    auto* widget = static_cast<QListWidget*>(list->Handle());
    EXPECT_EQ(widget->count(), 3);
    widget->setCurrentRow(2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    list->SetItemIndex(0);
    EXPECT_EQ(widget->currentRow(), 0);
    EXPECT_TRUE(widget->item(0)->isSelected());
    EXPECT_FALSE(widget->item(2)->isSelected());
    EXPECT_EQ(clicks, 1);
    list->UserSelect(1);
    EXPECT_EQ(clicks, 2);
    int doubleClicks = 0;
    list->OnDblClick = [&](TObject*) { ++doubleClicks; };
    emit widget->itemDoubleClicked(widget->item(1));
    EXPECT_EQ(doubleClicks, 1);
    list->Items()->Clear();
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(widget->count(), 0);
}

TEST_F(ListBoxTest, MultiSelectKeepsEveryChoice)
{
    TListBox* list = Add<TListBox>(10, 10);
    list->Items()->SetCommaText(QStringLiteral("a,b,c,d"));
    list->SetMultiSelect(true);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_EQ(list->SelCount(), 2);
    list->HandleNeeded();
    auto* widget = static_cast<QListWidget*>(list->Handle());
    EXPECT_TRUE(widget->item(2)->isSelected());
    EXPECT_FALSE(widget->item(1)->isSelected());
    list->SetSelected(0, false);
    EXPECT_EQ(list->SelCount(), 1);
    list->ClearSelection();
    EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(ListBoxTest, SortedListKeepsTheChosenEntry)
{
    TListBox* list = Add<TListBox>(10, 10);
    list->Items()->SetCommaText(QStringLiteral("Beta,alpha,Gamma"));
    list->SetItemIndex(0);
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->CommaText(), QStringLiteral("alpha,Beta,Gamma"));
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Items()->Add(QStringLiteral("delta"));
    EXPECT_EQ(list->Items()->Strings(2), QStringLiteral("delta"));
}

// ---- Label --------------------------------------------------------------------------------------

using LabelTest = FormFixture;

TEST_F(LabelTest, AutoSizeFollowsCaptionAndFont)
{
    TLabel* label = Add<TLabel>(16, 8);
    label->Font()->SetName(QStringLiteral("Verdana"));
    label->Font()->SetHeight(-32);
    label->SetCaption(QStringLiteral("KS40219"));
    const QFontMetrics big(label->Font()->ToQFont());
    EXPECT_EQ(label->Width(), big.horizontalAdvance(QStringLiteral("KS40219")));
    EXPECT_EQ(label->Height(), big.height());
    EXPECT_EQ(label->Left(), 16);

    label->SetCaption(QStringLiteral("Save && E&xit"));
    EXPECT_EQ(label->Width(), big.horizontalAdvance(QStringLiteral("Save & Exit")));
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Width(), big.horizontalAdvance(QStringLiteral("Save && E&xit")));

    // An empty caption keeps one line's height.
    label->SetCaption(QString());
    EXPECT_EQ(label->Height(), big.height());
    EXPECT_GT(label->Width(), 0);

    // Without AutoSize nothing moves.
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 40);
    label->SetCaption(QStringLiteral("A much longer caption"));
    EXPECT_EQ(label->Width(), 40);
}

TEST_F(LabelTest, WordWrapGrowsDownAndRightAlignmentKeepsTheRightEdge)
{
    TLabel* label = Add<TLabel>(10, 10);
    label->Font()->SetHeight(-11);
    const QFontMetrics fm(label->Font()->ToQFont());
    label->SetAutoSize(false);
    label->SetWidth(fm.horizontalAdvance(QStringLiteral("Use Step1 to")) + 2);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption(QStringLiteral("Use Step1 to open or create new configuration"));
    EXPECT_EQ(label->Width(), fm.horizontalAdvance(QStringLiteral("Use Step1 to")) + 2);
    EXPECT_GE(label->Height(), 3 * fm.height());
    EXPECT_EQ(label->Height() % fm.height(), 0);

    TLabel* right = Add<TLabel>(0, 40);
    right->SetAlignment(TAlignment::taRightJustify);
    right->SetCaption(QStringLiteral("abc"));
    const int edge = right->Left() + right->Width();
    right->SetCaption(QStringLiteral("a far longer text"));
    EXPECT_EQ(right->Left() + right->Width(), edge);
}

TEST_F(LabelTest, TextBlockBreaksAtBlanksAndLineEnds)
{
    TFont font;
    const QFontMetrics fm(font.ToQFont());
    const TTextBlock lines(QStringLiteral("one\r\ntwo\nthree"), font, 0, true);
    ASSERT_EQ(lines.LineCount(), 3);
    EXPECT_EQ(lines.Line(2), QStringLiteral("three"));
    const int width = std::max(fm.horizontalAdvance(QStringLiteral("alpha beta")),
                               fm.horizontalAdvance(QStringLiteral("gamma delta")));
    const TTextBlock wrapped(QStringLiteral("alpha beta gamma delta"), font, width, true);
    ASSERT_EQ(wrapped.LineCount(), 2);
    EXPECT_EQ(wrapped.Line(0), QStringLiteral("alpha beta"));
    EXPECT_EQ(wrapped.Line(1), QStringLiteral("gamma delta"));
    // A word wider than the width stands alone.
    const TTextBlock wide(QStringLiteral("a Configurator b"), font, fm.horizontalAdvance(QStringLiteral("a")), true);
    EXPECT_EQ(wide.LineCount(), 3);
    EXPECT_EQ(wide.Line(1), QStringLiteral("Configurator"));
}

// A label of fixed size cuts a caption too wide for it and ends it in "...",
// drawn inside its bounds; an AutoSize label grows instead.
TEST_F(LabelTest, EllipsisCutsACaptionTooWideForALabelOfFixedSize)
{
    form->SetColor(0xEDF7F8);
    form->SetBounds(0, 0, 400, 60);
    const String caption = QStringLiteral("Configuration of the second floor, east wing, lights");
    TLabel* label = Add<TLabel>(20, 20);
    label->SetCaption(caption);
    label->SetAutoSize(false);
    label->SetWidth(120);
    label->SetTransparent(true);
    const QImage clipped = form->PaintToImage();
    label->SetEllipsisPosition(TEllipsisPosition::epEndEllipsis);
    const QImage cut = form->PaintToImage();
    EXPECT_NE(cut, clipped);
    const TRect ink = InkBounds(cut, TRect{0, 0, 400, 60}, 0xEDF7F8);
    EXPECT_GE(ink.Left, label->Left());
    EXPECT_LE(ink.Right, label->Left() + label->Width());

    const TTextBlock block(caption, *label->Font(), 0, true, DT_END_ELLIPSIS, 120);
    ASSERT_EQ(block.LineCount(), 1);
    EXPECT_TRUE(block.Line(0).endsWith(QStringLiteral("..."))) << block.Line(0).toStdString();
    EXPECT_TRUE(caption.startsWith(block.Line(0).chopped(3)));
    EXPECT_LE(block.Size().cx, 120);
    // A caption that fits is left whole.
    EXPECT_EQ(TTextBlock(QStringLiteral("Plant A"), *label->Font(), 0, true, DT_END_ELLIPSIS, 120).Line(0),
              QStringLiteral("Plant A"));

    label->SetAutoSize(true);
    EXPECT_GT(label->Width(), 120);
    const QImage grown = form->PaintToImage();
    label->SetEllipsisPosition(TEllipsisPosition::epNone);
    EXPECT_EQ(form->PaintToImage(), grown) << "an AutoSize label has nothing to cut";
}

TEST_F(LabelTest, PaintsItsCaptionInItsFontColourOnItsParent)
{
    form->SetColor(0xEDF7F8);
    form->SetBounds(0, 0, 300, 100);
    TLabel* label = Add<TLabel>(20, 30);
    label->Font()->SetColor(clRed);
    label->Font()->SetHeight(-16);
    label->SetCaption(QStringLiteral("Opened"));
    const QImage img = form->PaintToImage();
    const TRect ink = InkBounds(img, TRect{0, 0, 300, 100}, 0xEDF7F8);
    EXPECT_GE(ink.Left, label->Left());
    EXPECT_GE(ink.Top, label->Top());
    EXPECT_LE(ink.Right, label->Left() + label->Width() + 1);
    EXPECT_LE(ink.Bottom, label->Top() + label->Height());
    EXPECT_GT(ink.Width(), label->Width() / 2);
    bool red = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) red = red || PixelAt(img, x, y) == clRed;
    EXPECT_TRUE(red);

    // A disabled label is drawn etched in the shadow colour.
    label->SetEnabled(false);
    const QImage disabled = form->PaintToImage();
    bool shadow = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) shadow = shadow || PixelAt(disabled, x, y) == ColorToRGB(clBtnShadow);
    EXPECT_TRUE(shadow);
}

// ---- Shape, bevel, panel and image ----------------------------------------------------------------

using ExtCtrlsTest = FormFixture;

TEST_F(ExtCtrlsTest, ShapesPaintInsideTheirBounds)
{
    struct Case {
        TShapeType shape;
        int penWidth;
        TRect expected;   // painted pixels, in the shape's own coordinates
    };
    const Case cases[] = {
        {TShapeType::stRectangle, 1, {0, 0, 40, 20}},
        {TShapeType::stRectangle, 3, {0, 0, 40, 20}},
        {TShapeType::stSquare, 1, {10, 0, 30, 20}},
        {TShapeType::stEllipse, 1, {0, 0, 40, 20}},
        {TShapeType::stCircle, 1, {10, 0, 30, 20}},
        {TShapeType::stRoundRect, 1, {0, 0, 40, 20}},
    };
    form->SetColor(clWhite);
    form->SetBounds(0, 0, 100, 60);
    TShape* shape = Add<TShape>(30, 20);
    shape->SetBounds(30, 20, 40, 20);
    shape->Brush()->SetColor(clRed);
    for (const Case& c : cases) {
        shape->SetShape(c.shape);
        shape->Pen()->SetWidth(c.penWidth);
        const QImage img = form->PaintToImage();
        const TRect ink = InkBounds(img, TRect{0, 0, 100, 60}, clWhite);
        EXPECT_EQ(ink, (TRect{30 + c.expected.Left, 20 + c.expected.Top, 30 + c.expected.Right,
                              20 + c.expected.Bottom}))
            << int(c.shape) << " " << c.penWidth;
        EXPECT_EQ(PixelAt(img, 50, 30), clRed) << int(c.shape);
    }
    // A line shape, as the main window draws one: 1 pixel high in the pen colour.
    shape->SetShape(TShapeType::stRectangle);
    shape->Pen()->SetWidth(1);
    shape->Pen()->SetColor(clBlue);
    shape->SetBounds(10, 50, 80, 1);
    const QImage line = form->PaintToImage();
    EXPECT_EQ(InkBounds(line, TRect{0, 0, 100, 60}, clWhite), (TRect{10, 50, 90, 51}));
    EXPECT_EQ(PixelAt(line, 10, 50), clBlue);
}

TEST_F(ExtCtrlsTest, FrameShapeWithClearBrushShowsTheParent)
{
    form->SetColor(0xEDF7F8);
    form->SetBounds(0, 0, 100, 60);
    TShape* frame = Add<TShape>(10, 10);
    frame->SetBounds(10, 10, 50, 30);
    frame->Pen()->SetColor(clSilver);
    frame->Brush()->SetStyle(TBrushStyle::bsClear);
    const QImage img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 10, 10), clSilver);
    EXPECT_EQ(PixelAt(img, 59, 39), clSilver);
    EXPECT_EQ(PixelAt(img, 30, 25), 0xEDF7F8u);
    EXPECT_EQ(PixelAt(img, 60, 25), 0xEDF7F8u);
}

TEST_F(ExtCtrlsTest, ImagePlacesItsPicture)
{
    TImage* image = Add<TImage>(0, 0);
    image->SetBounds(0, 0, 100, 50);
    image->Picture()->SetSize(20, 10);
    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 20, 10}));
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), (TRect{40, 20, 60, 30}));
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 100, 50}));
    image->SetProportional(true);
    EXPECT_EQ(image->DestRect(), (TRect{0, 0, 100, 50}));
    image->Picture()->SetSize(40, 40);
    EXPECT_EQ(image->DestRect(), (TRect{25, 0, 75, 50}));
    image->SetStretch(false);
    image->Picture()->SetSize(400, 100);
    EXPECT_EQ(image->DestRect(), (TRect{0, 12, 100, 37}));
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 400);
    EXPECT_EQ(image->Height(), 100);
    image->SetTransparent(true);
    EXPECT_TRUE(image->Picture()->Transparent());
}

TEST_F(ExtCtrlsTest, TransparentImageLeavesOutTheKeyColour)
{
    form->SetColor(clBlue);
    form->SetBounds(0, 0, 40, 40);
    TImage* image = Add<TImage>(5, 5);
    image->Picture()->SetSize(4, 4);
    TCanvas* c = image->Picture()->Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(TRect{0, 0, 4, 4});
    c->SetPixel(1, 1, clRed);
    image->SetAutoSize(true);
    image->SetTransparent(true);
    const QImage img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 6, 6), clRed);
    EXPECT_EQ(PixelAt(img, 5, 5), clBlue);
}

TEST_F(ExtCtrlsTest, PanelBevelsAndCaption)
{
    form->SetBounds(0, 0, 200, 100);
    TPanel* panel = Add<TPanel>(0, 0);
    panel->SetBounds(0, 0, 200, 69);
    panel->SetColor(0xEDF7F8);
    QImage img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(img, 199, 68), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(img, 100, 30), 0xEDF7F8u);
    panel->SetBevelOuter(TBevelCut::bvLowered);
    img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 0, 0), ColorToRGB(clBtnShadow));
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetCaption(QStringLiteral("Caption"));
    img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 0, 0), 0xEDF7F8u);
    const TRect ink = InkBounds(img, TRect{0, 0, 200, 69}, 0xEDF7F8);
    EXPECT_FALSE(ink.IsEmpty());
    // Centred both ways.
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 100, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 34, 4);
    form->SetColor(clYellow);
    panel->SetParentBackground(true);
    img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 2, 2), clYellow);
}

TEST_F(ExtCtrlsTest, BevelLinesUseShadowAndHighlight)
{
    form->SetBounds(0, 0, 100, 50);
    TBevel* bevel = Add<TBevel>(10, 10);
    bevel->SetBounds(10, 10, 60, 20);
    bevel->SetShape(TBevelShape::bsTopLine);
    const QImage img = form->PaintToImage();
    EXPECT_EQ(PixelAt(img, 30, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(img, 30, 11), ColorToRGB(clBtnHighlight));
    EXPECT_NE(PixelAt(img, 30, 12), ColorToRGB(clBtnShadow));
}

// ---- Link label ---------------------------------------------------------------------------------------

TEST(LinkLabelParse, AnchorsAndPlainTextComeApart)
{
    struct Case {
        const char* caption;
        std::vector<std::tuple<std::string, bool, std::string>> pieces; // text, link, href
    };
    const Case cases[] = {
        {"plain text", {{"plain text", false, ""}}},
        {"<a href=\"http://x.example/d#K\">New Version</a>", {{"New Version", true, "http://x.example/d#K"}}},
        {"Go <a href='one'>here</a> or <A HREF=two>there</A>.",
         {{"Go ", false, ""}, {"here", true, "one"}, {" or ", false, ""}, {"there", true, "two"}, {".", false, ""}}},
        {"<a href=\"u\">open end", {{"open end", true, "u"}}},
        {"<a href=\"u\"", {{"<a href=\"u\"", false, ""}}},
        {"<abbr>x</abbr>", {{"<abbr>x</abbr>", false, ""}}},
        {"a < b and <a>c</a>", {{"a < b and ", false, ""}, {"c", true, ""}}},
        {"<a href=\"u\"></a>", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const auto pieces = TLinkLabel::Parse(QString::fromUtf8(c.caption));
        ASSERT_EQ(pieces.size(), c.pieces.size()) << c.caption;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i].Text.toStdString(), std::get<0>(c.pieces[i])) << c.caption;
            EXPECT_EQ(pieces[i].IsLink, std::get<1>(c.pieces[i])) << c.caption;
            EXPECT_EQ(pieces[i].Href.toStdString(), std::get<2>(c.pieces[i])) << c.caption;
        }
    }
    const auto withId = TLinkLabel::Parse(QStringLiteral("<a id=\"help\">Help</a>"));
    ASSERT_EQ(withId.size(), 1u);
    EXPECT_TRUE(withId[0].Href.isNull());
    EXPECT_EQ(withId[0].Id, QStringLiteral("help"));
    const auto emptyHref = TLinkLabel::Parse(QStringLiteral("<a href=\"\">x</a>"));
    ASSERT_EQ(emptyHref.size(), 1u);
    EXPECT_FALSE(emptyHref[0].Href.isNull());
}

using LinkLabelTest = FormFixture;

TEST_F(LinkLabelTest, ClickOnALinkReportsItsHref)
{
    TLinkLabel* link = Add<TLinkLabel>(208, 19);
    link->SetCaption(QStringLiteral("See <a href=\"http://www.zorvat.example/Home/download/download.asp#KH40219\">"
                                    "New Version Available</a> now or <a id=\"later\">later</a>"));
    std::vector<std::pair<String, TSysLinkType>> clicks;
    link->OnLinkClick = [&](TObject* sender, const String& href, TSysLinkType type) {
        EXPECT_EQ(sender, link);
        clicks.push_back({href, type});
    };
    const auto& pieces = link->Pieces();
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(link->Width(), pieces.back().Bounds.Right);
    const TRect first = pieces[1].Bounds;
    const TRect second = pieces[3].Bounds;
    Press(link, WM_LBUTTONDOWN, WM_LBUTTONUP, first.Left + 3, first.Top + 3);
    Press(link, WM_LBUTTONDOWN, WM_LBUTTONUP, second.Left + 2, second.Top + 3);
    // Plain text, and a press that ends elsewhere, click nothing.
    Press(link, WM_LBUTTONDOWN, WM_LBUTTONUP, pieces[0].Bounds.Left + 1, 3);
    link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.Left + 3, 3));
    link->Perform(WM_LBUTTONUP, 0, MakeLParam(second.Left + 3, 3));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].first, QStringLiteral("http://www.zorvat.example/Home/download/download.asp#KH40219"));
    EXPECT_EQ(clicks[0].second, TSysLinkType::sltURL);
    EXPECT_EQ(clicks[1].first, QStringLiteral("later"));
    EXPECT_EQ(clicks[1].second, TSysLinkType::sltID);
}

TEST_F(LinkLabelTest, LinksArePaintedInTheLinkColour)
{
    form->SetBounds(0, 0, 300, 40);
    TLinkLabel* link = Add<TLinkLabel>(10, 10);
    link->SetColor(clWhite);
    link->SetCaption(QStringLiteral("No Update Available <a href=\"x\">link</a>"));
    const QImage img = form->PaintToImage();
    const TRect linkRect = link->Pieces()[1].Bounds;
    bool linkColour = false, plainLinkColour = false;
    for (int y = 10; y < 10 + link->Height(); ++y) {
        for (int x = 10 + linkRect.Left; x < 10 + linkRect.Right; ++x)
            linkColour = linkColour || PixelAt(img, x, y) == ColorToRGB(clHotLight);
        for (int x = 10; x < 10 + linkRect.Left; ++x)
            plainLinkColour = plainLinkColour || PixelAt(img, x, y) == ColorToRGB(clHotLight);
    }
    EXPECT_TRUE(linkColour);
    EXPECT_FALSE(plainLinkColour);
}

// ---- Page control ----------------------------------------------------------------------------------------

using PageControlTest = FormFixture;

TEST_F(PageControlTest, UserTabClicksAskThenChangeCodeChangesSilently)
{
    TPageControl* pc = Add<TPageControl>(0, 69);
    pc->SetBounds(0, 69, 509, 264);
    TTabSheet* pages[3];
    const char* captions[] = {"Language", "Connection Options", "Software Settings"};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TTabSheet(form.get());
        pages[i]->SetPageControl(pc);
        pages[i]->SetCaption(QString::fromLatin1(captions[i]));
    }
    ASSERT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_TRUE(pages[0]->Visible());
    EXPECT_FALSE(pages[1]->Visible());
    EXPECT_EQ(pages[1]->BoundsRect(), pc->DisplayRect());

    std::vector<std::string> events;
    bool allow = true;
    pc->OnChanging = [&](TObject*, bool& Allow) {
        events.push_back("changing:" + std::to_string(pc->ActivePageIndex()));
        Allow = allow;
    };
    pc->OnChange = [&](TObject*) { events.push_back("change:" + std::to_string(pc->ActivePageIndex())); };

    const TRect tab2 = pc->TabRect(2);
    Press(pc, WM_LBUTTONDOWN, WM_LBUTTONUP, (tab2.Left + tab2.Right) / 2, (tab2.Top + tab2.Bottom) / 2);
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_TRUE(pages[2]->Visible());
    EXPECT_FALSE(pages[0]->Visible());
    allow = false;
    const TRect tab0 = pc->TabRect(0);
    Press(pc, WM_LBUTTONDOWN, WM_LBUTTONUP, tab0.Left + 5, tab0.Top + 5);
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    // A click on the active tab or beside the tabs changes nothing.
    allow = true;
    const TRect active = pc->TabRect(2);
    Press(pc, WM_LBUTTONDOWN, WM_LBUTTONUP, active.Left + 5, active.Top + 5);
    Press(pc, WM_LBUTTONDOWN, WM_LBUTTONUP, 500, 5);
    EXPECT_EQ(events, (std::vector<std::string>{"changing:0", "change:2", "changing:2"}));

    events.clear();
    pc->SetActivePageIndex(1);
    pc->SetActivePage(pages[0]);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(PageControlTest, HiddenTabsAndPageOrder)
{
    TPageControl* pc = Add<TPageControl>(0, 0);
    TTabSheet* a = new TTabSheet(form.get());
    TTabSheet* b = new TTabSheet(form.get());
    TTabSheet* c = new TTabSheet(form.get());
    for (TTabSheet* s : {a, b, c}) s->SetPageControl(pc);
    EXPECT_EQ(b->TabIndex(), 1);
    b->SetTabVisible(false);
    EXPECT_EQ(b->TabIndex(), -1);
    EXPECT_EQ(c->TabIndex(), 1);
    EXPECT_TRUE(pc->TabRect(1).IsEmpty());
    // Hiding the active page's tab moves on to the next visible page.
    a->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), c);
    EXPECT_EQ(pc->FindNextPage(c, true, true), c);
    EXPECT_EQ(pc->FindNextPage(c, true, false), a);
    c->SetPageIndex(0);
    EXPECT_EQ(c->PageIndex(), 0);
    EXPECT_EQ(a->PageIndex(), 1);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    // A sheet deleted first leaves its page control.
    delete c;
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_NE(pc->ActivePage(), c);
    a->SetPageControl(nullptr);
    EXPECT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(a->PageIndex(), -1);
}

TEST_F(PageControlTest, SheetsShowAndHideWithTheirTabs)
{
    TPageControl* pc = Add<TPageControl>(0, 0);
    TTabSheet* a = new TTabSheet(form.get());
    TTabSheet* b = new TTabSheet(form.get());
    a->SetPageControl(pc);
    b->SetPageControl(pc);
    std::vector<std::string> events;
    a->OnHide = [&](TObject*) { events.push_back("hide a"); };
    b->OnShow = [&](TObject*) { events.push_back("show b"); };
    pc->SetActivePage(b);
    EXPECT_EQ(events, (std::vector<std::string>{"show b", "hide a"}));
    // A resize moves every sheet along.
    pc->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(a->BoundsRect(), pc->DisplayRect());
    EXPECT_EQ(pc->DisplayRect().Right, 396);
}

// ---- A small form, for looking at ---------------------------------------------------------------------------

using ScreenshotTest = FormFixture;

TEST_F(ScreenshotTest, StandardControlsOnAForm)
{
    form->SetColor(0xEDF7F8);
    form->Font()->SetName(QStringLiteral("Verdana"));
    form->Font()->SetHeight(-11);
    form->SetBounds(0, 0, 509, 373);
    form->SetCaption(QStringLiteral("Software Options"));

    TPanel* title = Add<TPanel>(0, 0);
    title->SetBounds(0, 0, 509, 69);
    title->SetColor(clWhite);
    title->SetBevelOuter(TBevelCut::bvNone);
    TLabel* code = Add<TLabel>(16, 8, title);
    code->Font()->SetHeight(-32);
    code->Font()->SetColor(clGray);
    code->SetCaption(QStringLiteral("KS40219"));
    TLabel* desc = Add<TLabel>(16, 42, title);
    desc->Font()->SetStyle(TFontStyle::fsBold);
    desc->Font()->SetColor(clGray);
    desc->SetCaption(QStringLiteral("Software Options"));
    TLinkLabel* link = Add<TLinkLabel>(300, 20, title);
    link->SetColor(clWhite);
    link->SetCaption(QStringLiteral("<a href=\"http://www.zorvat.example\">New Version Available</a>"));

    TPageControl* pc = Add<TPageControl>(0, 69);
    pc->SetBounds(0, 69, 509, 264);
    TTabSheet* lang = new TTabSheet(form.get());
    lang->SetPageControl(pc);
    lang->SetCaption(QStringLiteral("Language"));
    TTabSheet* conn = new TTabSheet(form.get());
    conn->SetPageControl(pc);
    conn->SetCaption(QStringLiteral("Connection Options"));
    TTabSheet* soft = new TTabSheet(form.get());
    soft->SetPageControl(pc);
    soft->SetCaption(QStringLiteral("Software Settings"));
    pc->SetActivePage(conn);

    TCheckBox* en = Add<TCheckBox>(12, 16, conn);
    en->SetWidth(250);
    en->SetCaption(QStringLiteral("Enable Internet Connection"));
    en->SetChecked(true);
    TCheckBox* upd = Add<TCheckBox>(36, 47, conn);
    upd->SetWidth(290);
    upd->SetCaption(QStringLiteral("Check Software Update at Start of Program"));
    TButton* check = Add<TButton>(36, 78, conn);
    check->SetBounds(36, 78, 204, 28);
    check->SetCaption(QStringLiteral("Check Available Update"));
    TEdit* edit = Add<TEdit>(340, 16, conn);
    edit->SetText(QStringLiteral("192.168.0.10"));
    TComboBox* combo = Add<TComboBox>(340, 47, conn);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->SetCommaText(QStringLiteral("Normal,\"Start Break\""));
    combo->SetItemIndex(0);
    TRadioButton* r1 = Add<TRadioButton>(340, 80, conn);
    r1->SetCaption(QStringLiteral("&Firmware"));
    r1->SetChecked(true);
    TRadioButton* r2 = Add<TRadioButton>(340, 100, conn);
    r2->SetCaption(QStringLiteral("C&onfiguration"));
    TGroupBox* group = Add<TGroupBox>(12, 120, conn);
    group->SetBounds(12, 120, 220, 100);
    group->SetCaption(QStringLiteral(" SNMP Manager "));
    TLabel* inGroup = Add<TLabel>(16, 24, group);
    inGroup->SetCaption(QStringLiteral("IP ADDRESS"));
    TListBox* list = Add<TListBox>(280, 125, conn);
    list->SetBounds(280, 125, 200, 90);
    list->Items()->SetCommaText(QStringLiteral("alpha,Beta,gamma"));
    list->SetItemIndex(1);

    TShape* frame = Add<TShape>(80, 340);
    frame->SetBounds(80, 338, 200, 30);
    frame->Pen()->SetColor(clSilver);
    frame->Brush()->SetStyle(TBrushStyle::bsClear);
    TShape* circle = Add<TShape>(300, 338);
    circle->SetBounds(300, 338, 30, 30);
    circle->SetShape(TShapeType::stCircle);
    circle->Brush()->SetColor(clYellow);
    TBevel* bevel = Add<TBevel>(340, 338);
    bevel->SetBounds(340, 338, 150, 4);
    bevel->SetShape(TBevelShape::bsTopLine);

    const QImage img = form->PaintToImage();
    ASSERT_FALSE(img.isNull());
    const String path = ScreenshotFolder() + QStringLiteral("/standard-controls.png");
    EXPECT_TRUE(img.save(path));
    EXPECT_EQ(img.width(), 509);
    EXPECT_EQ(img.height(), 373);
}
