// The spin, date, time, date-and-time, edit-button and button cell editors,
// the fixed-cell editor and the form-control editor driven through real keys and clicks on a shown
// grid: how each opens, what its keys do, and the text the cell holds after.
// The pickers' own rules (auto-advance, the value setters, the label) are
// checked on a picker of their own.

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvDateTimePicker.h"
#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridButton.h"
#include "grid/editors/ZvGridDatePicker.h"
#include "grid/editors/ZvGridSimpleEditors.h"
#include "grid/editors/ZvSpinEdit.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Day first, four-digit years, 24-hour clock: the texts below read one way.
struct DayFirstRegion {
    DayFirstRegion()
    {
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = u'.';
        fs.DateSeparator = u'/';
        fs.TimeSeparator = u':';
        fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        fs.ShortTimeFormat = QStringLiteral("hh:nn");
        fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
        SetFormatSettings(fs);
    }
    ~DayFirstRegion() { ResetFormatSettingsFromSystem(); }
};

void Flush()
{
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct EditorScenarios : ::testing::Test {
    DayFirstRegion region;
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    TEditorType kind = TEditorType::edNormal;

    // Four columns (one fixed), five rows (one fixed); column 1 edits with `kind`.
    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 520, 300);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 500, 280);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(150);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = kind;
        };
        form->Show();
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
    }
    void TearDown() override { ClearKeyStates(); }

    void Press(TWinControl* target, int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Simulate::Key(target, key, m);
        Flush();
    }
    void TypeDigits(TWinControl* target, const String& digits)
    {
        for (QChar c : digits) {
            Simulate::Key(target, Qt::Key_0 + c.digitValue(), Qt::NoModifier, String(c));
            Flush();
        }
    }
    TPoint Middle(int c, int r)
    {
        const TRect R = grid->CellRect(c, r);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    template <class T>
    T* Editor(TEditorType k)
    {
        return dynamic_cast<T*>(grid->CellEditor(k));
    }
};

// ---- One editor kind per row: open, keys, the stored text ----------------------------------------------
TEST_F(EditorScenarios, EachKindOpensOnItsCellAndItsKeysLeaveTheExpectedText)
{
    using E = TEditorType;
    enum class Open { F2, Click, Typing };
    const struct {
        const char* Name;
        E Kind;
        const char* Cell;
        Open How;
        std::vector<int> Keys;   // Qt keys after opening; digits type themselves
        const char* Stored;      // the cell's text afterwards
        bool StaysOpen;
    } cases[] = {
        {"spin up, Enter", E::edSpinEdit, "41", Open::F2, {Qt::Key_Up, Qt::Key_Return}, "42", false},
        {"spin steps then Escape", E::edSpinEdit, "41", Open::F2, {Qt::Key_Up, Qt::Key_Up, Qt::Key_Escape}, "41", false},
        {"spin Home is the maximum", E::edSpinEdit, "7", Open::F2, {Qt::Key_Home, Qt::Key_Return}, "100", false},
        {"spin End is the minimum", E::edSpinEdit, "7", Open::F2, {Qt::Key_End, Qt::Key_Return}, "0", false},
        {"spin opened by typing", E::edSpinEdit, "5", Open::Typing, {Qt::Key_Return}, "8", false},
        {"float spin up", E::edFloatSpinEdit, "1.5", Open::F2, {Qt::Key_Up, Qt::Key_Return}, "1.60", false},
        {"date spin keeps its date", E::edDateSpinEdit, "10/03/2026", Open::Click, {Qt::Key_Return}, "10/03/2026",
         false},
        {"date picker day then month", E::edDateEdit, "10/03/2026", Open::F2, {Qt::Key_2, Qt::Key_5, Qt::Key_Return},
         "02/05/2026", false},
        {"date picker Up steps the day", E::edDateEdit, "10/03/2026", Open::Click, {Qt::Key_Up, Qt::Key_Return},
         "11/03/2026", false},
        {"date picker Escape keeps the cell", E::edDateEdit, "10/03/2026", Open::F2, {Qt::Key_Up, Qt::Key_Escape},
         "10/03/2026", false},
        {"date picker Escape keeps a text that is no date", E::edDateEdit, "someday", Open::F2,
         {Qt::Key_Up, Qt::Key_Escape}, "someday", false},
        {"date picker up-down kind", E::edDateEditUpDown, "28/02/2026", Open::F2, {Qt::Key_Down, Qt::Key_Return},
         "27/02/2026", false},
        {"time picker hour then minutes", E::edTimeEdit, "09:15:00", Open::F2, {Qt::Key_1, Qt::Key_3, Qt::Key_0,
         Qt::Key_Return}, "01:03:00", false},
        {"date and time Up then Enter", E::edDateTimeEdit, "10/03/2026 09:15", Open::F2, {Qt::Key_Up, Qt::Key_Return},
         "11/03/2026 09:15", false},
        {"date and time Escape keeps the cell", E::edDateTimeEdit, "10/03/2026 09:15", Open::F2,
         {Qt::Key_Up, Qt::Key_Escape}, "10/03/2026 09:15", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        kind = c.Kind;
        grid->SetCells(1, 1, QString::fromLatin1(c.Cell));
        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetFocus();
        if (c.How == Open::F2) Press(grid, Qt::Key_F2);
        else if (c.How == Open::Click) {
            Simulate::Click(grid, Middle(1, 1));
            Flush();
            if (!grid->EditActive()) Press(grid, Qt::Key_F2);
        } else {
            Simulate::Key(grid, Qt::Key_8, Qt::NoModifier, QStringLiteral("8"));
            Flush();
        }
        ASSERT_TRUE(grid->EditActive());
        TWinControl* editor = grid->CellEditor(c.Kind)->EditorControl();
        ASSERT_TRUE(editor->Visible());
        for (int key : c.Keys) {
            TWinControl* target = dynamic_cast<TWinControl*>(FindControl(QApplication::focusWidget()));
            ASSERT_NE(target, nullptr);
            if (key >= Qt::Key_0 && key <= Qt::Key_9) TypeDigits(target, String(QChar(u'0' + (key - Qt::Key_0))));
            else Press(target, key);
        }
        EXPECT_EQ(editor->Visible(), c.StaysOpen);
        EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(c.Stored));
    }
}

// ---- Spin --------------------------------------------------------------------------------------------
TEST_F(EditorScenarios, SpinStepsAndHomeEndReportTheSpinEventOfTheirKind)
{
    std::vector<std::pair<int, bool>> clicks;
    std::vector<String> changes;
    grid->OnSpinClick = [&](TObject*, int, int, int v, bool up) { clicks.push_back({v, up}); };
    grid->OnEditChange = [&](TObject*, int, int, const String& v) { changes.push_back(v); };
    kind = TEditorType::edSpinEdit;
    grid->SetCells(1, 1, QStringLiteral("10"));
    Press(grid, Qt::Key_F2);
    auto* spin = Editor<TGridSpin>(TEditorType::edSpinEdit);
    ASSERT_TRUE(spin && spin->Visible());
    Press(spin, Qt::Key_Home);
    Press(spin, Qt::Key_End);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, bool>>{{100, true}, {0, false}}));
    EXPECT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), QStringLiteral("0"));

    // The buttons step on the clock: one step at the press's first repeat, one per repeat after.
    clicks.clear();
    spin->SetValue(10);
    const TPoint up{spin->Button()->Left() + 3, spin->Button()->Top() + 2};
    TZvTimerSpeedButton* upButton = spin->Button()->UpButton();
    const TPoint onButton{upButton->Width() / 2, upButton->Height() / 2};
    (void)up;
    Simulate::MouseDown(upButton, onButton);
    seams.Clock().Advance(400);
    Flush();
    seams.Clock().Advance(100);
    Flush();
    seams.Clock().Advance(100);
    Flush();
    Simulate::MouseUp(upButton, {200, 200});
    Flush();
    const int steps = spin->Value() - 10;
    EXPECT_GE(steps, 3);
    ASSERT_EQ(int(clicks.size()), steps);
    EXPECT_EQ(clicks.back(), std::make_pair(spin->Value(), true));
}

TEST_F(EditorScenarios, ARefusedSpinValueKeepsTheEditorOpenOnTheCellsText)
{
    grid->OnCellValidate = [](TObject*, int, int, String& v, bool& ok) {
        ok = v.toInt() <= 50;
        if (!ok) v = QStringLiteral("50");
    };
    kind = TEditorType::edSpinEdit;
    grid->SetCells(1, 1, QStringLiteral("49"));
    Press(grid, Qt::Key_F2);
    auto* spin = Editor<TGridSpin>(TEditorType::edSpinEdit);
    Press(spin, Qt::Key_Up);
    Press(spin, Qt::Key_Up);
    Press(spin, Qt::Key_Return);
    EXPECT_TRUE(spin->Visible());
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(spin->Text(), grid->CurrentCell());
}

// ---- Date picker ---------------------------------------------------------------------------------------
TEST_F(EditorScenarios, TheDatePickerMovesOnAfterADigitUnlessItCompletedTheFormatsLastPart)
{
    kind = TEditorType::edDateEdit;
    grid->SetCells(1, 1, QStringLiteral("10/03/2026"));
    Press(grid, Qt::Key_F2);
    auto* picker = Editor<TGridDatePicker>(TEditorType::edDateEdit);
    ASSERT_TRUE(picker && picker->Visible());
    const struct {
        const char* Format;
        int Part;
        const char* Digit;
        int PartAfter;
    } cases[] = {
        {"dd/MM/yyyy", 0, "4", 1},   // the day changed: on to the month
        {"dd/MM/yyyy", 1, "7", 2},   // the month changed: on to the year
        {"dd/MM/yyyy", 2, "9", 2},   // the year ends the format: it stays
        {"yyyy-MM-dd", 2, "5", 2},   // the day ends this one
        {"yyyy-MM-dd", 1, "6", 2},
        {"", 0, "4", 1},             // the regional format: day and month move on
        {"", 2, "7", 2},             // a year alone never does
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Format) + " part " + std::to_string(c.Part));
        picker->SetFormat(QString::fromLatin1(c.Format));
        picker->SetDateTime(EncodeDate(2026, 3, 10));
        picker->SetPartIndex(c.Part);
        TypeDigits(picker, QString::fromLatin1(c.Digit));
        EXPECT_EQ(picker->PartIndex(), c.PartAfter);
    }
}

TEST_F(EditorScenarios, ARefusedDateStaysOpenShowingWhatValidationLeft)
{
    grid->OnCellValidate = [](TObject*, int, int, String& v, bool& ok) {
        ok = false;
        v = QStringLiteral("01/01/2000");
    };
    kind = TEditorType::edDateEdit;
    grid->SetCells(1, 1, QStringLiteral("10/03/2026"));
    Press(grid, Qt::Key_F2);
    auto* picker = Editor<TGridDatePicker>(TEditorType::edDateEdit);
    Press(picker, Qt::Key_Up);
    Press(picker, Qt::Key_Return);
    EXPECT_TRUE(picker->Visible());
    EXPECT_EQ(picker->Text(), QStringLiteral("01/01/2000"));
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(EditorScenarios, TheCalendarDropsDownOnF4AndItsChoiceBecomesTheCellsDate)
{
    int dropped = 0, closed = 0;
    grid->OnDatePickerDropDown = [&](TObject*, int, int) { ++dropped; };
    grid->OnDatePickerCloseUp = [&](TObject*, int, int) { ++closed; };
    kind = TEditorType::edDateEdit;
    grid->SetCells(1, 1, QStringLiteral("10/03/2026"));
    Press(grid, Qt::Key_F2);
    auto* picker = Editor<TGridDatePicker>(TEditorType::edDateEdit);
    Press(picker, Qt::Key_F4);
    QCalendarWidget* calendar = picker->Calendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(dropped, 1);
    EXPECT_TRUE(picker->Visible()) << "the calendar taking the focus does not end the edit";
    calendar->setSelectedDate(QDate(2026, 3, 21));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    Simulate::Key(picker, Qt::Key_Return);   // the picker's own keys do not reach the calendar
    if (picker->DroppedDown()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &press);
    }
    Flush();
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(picker->Text(), QStringLiteral("21/03/2026"));
    Press(picker, Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("21/03/2026"));
}

// ---- Date and time ---------------------------------------------------------------------------------------
TEST_F(EditorScenarios, EscapeInTheDateAndTimeEditorPutsBackTheWholeValue)
{
    kind = TEditorType::edDateTimeEdit;
    grid->SetCells(1, 1, QStringLiteral("10/03/2026 09:15"));
    Press(grid, Qt::Key_F2);
    auto* picker = Editor<TGridDateTimePicker>(TEditorType::edDateTimeEdit);
    ASSERT_TRUE(picker && picker->Visible());
    ASSERT_NE(picker->TimePicker(), nullptr);
    EXPECT_TRUE(picker->TimePicker()->Visible());
    const TDateTime original = EncodeDate(2026, 3, 10) + EncodeTime(9, 15, 0, 0);
    EXPECT_DOUBLE_EQ(picker->DateTime(), original);
    Press(picker, Qt::Key_Up);                    // the day
    picker->TimePicker()->SetFocus();
    Press(picker->TimePicker(), Qt::Key_Up);      // the hour, in the time part
    EXPECT_NE(picker->DateTime(), original);
    Press(picker->TimePicker(), Qt::Key_Escape);  // the time part's keys reach the editor
    EXPECT_FALSE(picker->Visible());
    EXPECT_DOUBLE_EQ(picker->DateTime(), original);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("10/03/2026 09:15"));
}

TEST_F(EditorScenarios, TabInTheDateAndTimeEditorWritesTheCellAndMovesOn)
{
    grid->SetOptions(grid->Options() + goTabs);
    kind = TEditorType::edDateTimeEdit;
    grid->SetCells(1, 1, QStringLiteral("10/03/2026 09:15"));
    Press(grid, Qt::Key_F2);
    auto* picker = Editor<TGridDateTimePicker>(TEditorType::edDateTimeEdit);
    Press(picker, Qt::Key_Down);
    Press(picker, Qt::Key_Tab);
    EXPECT_FALSE(picker->Visible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("09/03/2026 09:15"));
    EXPECT_EQ(grid->Col(), 2);
}

// ---- The pickers themselves ------------------------------------------------------------------------------
struct Pickers : ::testing::Test {
    DayFirstRegion region;
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);

    void SetUp() override
    {
        form->SetBounds(0, 0, 400, 200);
        form->Show();
    }
};

TEST_F(Pickers, WritingTheDateTimeDropsTheMillisecondsInBothPartsAndWritingTheDateKeepsTheTime)
{
    auto* p = new TZvDateTimePicker(form.get());
    p->SetParent(form.get());
    p->SetBounds(100, 40, 220, 22);
    p->SetDateTime(EncodeDate(2026, 3, 10) + EncodeTime(12, 30, 45, 500));
    const TDateTime whole = EncodeDate(2026, 3, 10) + EncodeTime(12, 30, 45, 0);
    EXPECT_DOUBLE_EQ(p->DateTime(), whole);
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_DOUBLE_EQ(p->TimePicker()->DateTime(), whole);
    p->SetDate(EncodeDate(2027, 1, 2));
    EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2027, 1, 2) + EncodeTime(12, 30, 45, 0));
    // Only the date-and-time kind has a time part.
    p->SetKind(TZvDateTimeKind::dkDate);
    EXPECT_EQ(p->TimePicker(), nullptr);
}

TEST_F(Pickers, AutoTabMovesToTheNextPartOrIntoTheTimePart)
{
    auto* p = new TZvDateTimePicker(form.get());
    p->SetParent(form.get());
    p->SetBounds(100, 40, 240, 22);
    p->SetFormat(QStringLiteral("dd/MM/yyyy"));
    p->SetAutoTab(true);
    p->SetDateTime(EncodeDate(2026, 3, 10) + EncodeTime(9, 0, 0, 0));
    p->SetFocus();
    Simulate::Key(p, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
    Flush();
    EXPECT_EQ(p->PartIndex(), 1) << "a changed day moves on to the month";
    EXPECT_TRUE(p->Focused());
    p->SetPartIndex(2);
    Simulate::Key(p, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    Flush();
    EXPECT_TRUE(p->TimePicker()->Focused()) << "the year completes the date: the time part goes on";
    // The time part advances by itself too.
    Simulate::Key(p->TimePicker(), Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    Flush();
    EXPECT_EQ(p->TimePicker()->PartIndex(), 1);
    int h, m, s, ms;
    DecodeTime(p->DateTime(), h, m, s, ms);
    EXPECT_EQ(h, 7);
}

TEST_F(Pickers, TheLabelStandsWhereItsPositionSays)
{
    const TRect control{100, 50, 200, 70};   // 100 wide, 20 high
    using P = TPickerLabelPosition;
    const struct {
        P Position;
        TPoint At;
    } cases[] = {
        {P::lpLeftTop, {100 - 30 - 4, 50}},      {P::lpLeftCenter, {66, 50 + (20 - 10) / 2}},
        {P::lpLeftBottom, {66, 60}},             {P::lpTopLeft, {100, 50 - 10 - 4}},
        {P::lpBottomLeft, {100, 74}},            {P::lpLeftTopLeft, {96, 50}},
        {P::lpTopCenter, {100 + (100 - 30) / 2, 36}}, {P::lpBottomCenter, {135, 74}},
        {P::lpRightTop, {204, 50}},              {P::lpRightCenter, {204, 55}},
        {P::lpRighBottom, {204, 60}},
    };
    for (const auto& c : cases) {
        const TPoint at = PickerLabelPlace(c.Position, control, 30, 10, 4);
        EXPECT_EQ(at.X, c.At.X) << int(c.Position);
        EXPECT_EQ(at.Y, c.At.Y) << int(c.Position);
    }
    // A label wider than the control stands half the difference left of it.
    EXPECT_EQ(PickerLabelPlace(P::lpTopCenter, control, 141, 10, 4).X, 100 - 20);

    auto* p = new TZvDateTimePicker(form.get());
    p->SetParent(form.get());
    p->SetBounds(120, 80, 220, 22);
    p->SetLabelPosition(P::lpTopLeft);
    p->SetLabelCaption(QStringLiteral("Due"));
    ASSERT_NE(p->Label(), nullptr);
    EXPECT_EQ(p->Label()->Parent(), form.get());
    EXPECT_EQ(p->Label()->Left(), 120);
    EXPECT_EQ(p->Label()->Top() + p->Label()->Height() + p->LabelMargin(), 80);
    p->SetBounds(20, 100, 220, 22);
    EXPECT_EQ(p->Label()->Left(), 20) << "the label follows the picker";
}

TEST_F(Pickers, BrokenTextsOpenTheEditorsOnTodayAndLoseNothing)
{
    TZvStringGrid* grid = new TZvStringGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(0, 0, 380, 180);
    grid->SetDefaultColWidth(150);
    grid->SetOptions(grid->Options() + goEditing);
    TEditorType kind = TEditorType::edNormal;
    grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& e) { e = kind; };
    grid->SetFocus();
    grid->SetCol(1);
    grid->SetRow(1);
    for (TEditorType k : {TEditorType::edDateEdit, TEditorType::edDateTimeEdit, TEditorType::edDateSpinEdit})
        for (const char* text : {"", "32/13/2026", "31/02/2026", "10/03", "\x01\x02", "99:99", "10/03/2026 25:61"}) {
            SCOPED_TRACE(std::string(text) + " kind " + std::to_string(int(k)));
            kind = k;
            grid->SetCells(1, 1, QString::fromLatin1(text));
            Simulate::Key(grid, Qt::Key_F2);
            Flush();
            TWinControl* editor = grid->CellEditor(k)->EditorControl();
            ASSERT_TRUE(editor->Visible());
            if (auto* picker = dynamic_cast<TDateTimePicker*>(editor); picker && QByteArray(text) != "10/03")
                EXPECT_DOUBLE_EQ(std::floor(picker->DateTime()), Date());
            Simulate::Key(editor, Qt::Key_Escape);
            Flush();
            EXPECT_FALSE(editor->Visible());
            if (k != TEditorType::edDateSpinEdit) EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(text));
        }
}

// ---- Fixed cells and form controls ---------------------------------------------------------------------
TEST_F(EditorScenarios, AFixedCellIsEditedAndStoppedThroughValidation)
{
    grid->MouseActions()->SetFixedRowsEdit(TGridFixedCellEdit::fceDblClick);
    grid->SetCells(2, 0, QStringLiteral("Name"));
    bool refuse = true;
    grid->OnCellValidate = [&](TObject*, int, int, String& v, bool& ok) {
        v = v.toUpper();
        ok = !refuse;
    };
    int done = 0;
    grid->OnEditingDone = [&](TObject*) { ++done; };
    Simulate::DoubleClick(grid, Middle(2, 0));
    Flush();
    TGridTransEdit* edit = grid->TransEdit();
    ASSERT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Text(), QStringLiteral("Name"));
    EXPECT_EQ(edit->Col(), 2);
    EXPECT_EQ(edit->Row(), 0);
    edit->SelectAll();
    Simulate::Type(edit, QStringLiteral("title"));
    Press(edit, Qt::Key_Return);
    EXPECT_TRUE(edit->Visible()) << "Enter alone ends no fixed-cell edit";
    // Refused: the editor stays open and focused, the grid's cell moves to it.
    EXPECT_FALSE(edit->StopEdit());
    EXPECT_TRUE(edit->Visible());
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("Name"));
    // Accepted on leaving: the upper-case text the validation made goes into the cell.
    refuse = false;
    grid->SetFocus();
    Flush();
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(grid->Cells(2, 0), QStringLiteral("TITLE"));
    EXPECT_EQ(done, 1);
}

TEST_F(EditorScenarios, AFormControlInAMarkupCellIsEditedAndTabMovesOn)
{
    grid->SetCells(2, 1, QStringLiteral("Name: <CONTROL TYPE=\"EDIT\" ID=\"who\" VALUE=\"ann\">"));
    grid->SetCol(2);
    grid->ActivateCellControl(2, 1, QStringLiteral("who"));
    TEdit* edit = grid->FormControlEdit();
    ASSERT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Text(), QStringLiteral("ann"));
    edit->SelectAll();
    Simulate::Type(edit, QStringLiteral("bob"));
    Simulate::Key(edit, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Flush();
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(grid->Focused());
    EXPECT_TRUE(grid->Cells(2, 1).contains(QStringLiteral("VALUE=\"bob\"")));

    // Tab without AdvanceAuto opens the cell's current form control again.
    grid->ActivateCellControl(2, 1, QStringLiteral("who"));
    Simulate::Type(edit, QStringLiteral("x"));
    Simulate::Key(edit, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    Flush();
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(grid->Col(), 2);
    // With AdvanceAuto it moves on to the next cell.
    grid->Navigation()->SetAdvanceAuto(true);
    Simulate::Key(edit, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    Flush();
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(grid->Col(), 3);
}

} // namespace

namespace {

// ---- Edit-button and button cells ---------------------------------------------------------------------
TEST_F(EditorScenarios, TheEditButtonKindsFilterWhatIsTyped)
{
    using E = TEditorType;
    RegionalScope comma(u',', u'.');
    const struct {
        E Kind;
        const char* Cell;
        int Caret;        // -1: at the end
        const char* Typed;
        const char* Text;
        int Beeps;
    } cases[] = {
        {E::edNumericEditBtn, "12", 0, "-", "-12", 0},
        {E::edNumericEditBtn, "-12", 0, "-", "-12", 1},     // a second minus
        {E::edNumericEditBtn, "12", 1, "-", "12", 1},       // not at the start
        {E::edNumericEditBtn, "12", -1, "a3", "123", 1},    // a letter beeps, the digit goes in
        {E::edFloatEditBtn, "1,5", -1, ",", "1,5", 0},      // a second decimal separator
        {E::edFloatEditBtn, "15", -1, ".", "15", 0},        // the thousand separator, always
        {E::edFloatEditBtn, "15", -1, "x", "15", 0},        // a letter, silently
        {E::edFloatEditBtn, "15", 0, "-", "-15", 0},
        {E::edFloatEditBtn, "15", 1, "-", "15", 1},
        {E::edEditBtn, "ab", -1, "c-,", "abc-,", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Cell) + " + " + c.Typed);
        kind = c.Kind;
        grid->SetCells(1, 1, QString::fromLatin1(c.Cell));
        grid->SetFocus();
        Press(grid, Qt::Key_F2);
        auto* edit = Editor<TGridEditBtn>(c.Kind);
        ASSERT_TRUE(edit && edit->Visible());
        edit->SetSelLength(0);
        edit->SetSelStart(c.Caret < 0 ? int(edit->Text().size()) : c.Caret);
        const int beepsBefore = BeepCount();
        Simulate::Type(edit, QString::fromLatin1(c.Typed));
        Flush();
        EXPECT_EQ(edit->Text(), QString::fromLatin1(c.Text));
        EXPECT_EQ(BeepCount() - beepsBefore, c.Beeps);
        Press(edit, Qt::Key_Escape);
        EXPECT_FALSE(edit->Visible());
    }
}

TEST_F(EditorScenarios, PastingIntoTheEditButtonDropsOnlyATrailingLineEnd)
{
    kind = TEditorType::edEditBtn;
    const struct {
        const char* Clip;
        const char* Text;
    } cases[] = {{"word\r\n", "abword"}, {"two\r\nlines", "abtwo\r\nlines"}};
    for (const auto& c : cases) {
        grid->SetCells(1, 1, QStringLiteral("ab"));
        grid->SetFocus();
        Press(grid, Qt::Key_F2);
        auto* edit = Editor<TGridEditBtn>(kind);
        edit->SetSelLength(0);
        edit->SetSelStart(2);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(c.Clip));
        edit->Perform(WM_PASTE);
        EXPECT_EQ(edit->Text(), QString::fromLatin1(c.Text));
        EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(c.Text)) << "the paste is written at once";
        Press(edit, Qt::Key_Escape);
    }
    // A refused paste changes nothing.
    grid->OnClipboardPaste = [](TObject*, bool& allow) { allow = false; };
    grid->SetCells(1, 1, QStringLiteral("ab"));
    Press(grid, Qt::Key_F2);
    Editor<TGridEditBtn>(kind)->Perform(WM_PASTE);
    EXPECT_EQ(Editor<TGridEditBtn>(kind)->Text(), QStringLiteral("ab"));
}

TEST_F(EditorScenarios, EditButtonKeysCommitValidateAndComplete)
{
    kind = TEditorType::edEditBtn;
    grid->SetCells(1, 1, QStringLiteral("abc"));
    grid->SetCells(1, 2, QStringLiteral("next"));
    // Enter commits, the validation's text goes in.
    grid->OnCellValidate = [](TObject*, int, int, String& v, bool& ok) {
        v = v.toUpper();
        ok = v != QStringLiteral("BAD");
    };
    Press(grid, Qt::Key_F2);
    auto* edit = Editor<TGridEditBtn>(kind);
    Simulate::Type(edit, QStringLiteral("d"));
    Press(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("D")) << "the opened text is selected: typing replaces it";
    // A refused text keeps the editor open with its whole text selected.
    grid->SetRow(1);
    Press(grid, Qt::Key_F2);
    edit->SetText(QStringLiteral("bad"));
    Press(edit, Qt::Key_Return);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->SelLength(), edit->Text().size());
    EXPECT_EQ(grid->Row(), 1);
    // Escape puts back the text the grid holds as the edit's start.
    const String began = grid->OriginalCellValue();
    Press(edit, Qt::Key_Escape);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(grid->Cells(1, 1), began);

    // Look-up completes from the list and selects the completed tail.
    grid->OnCellValidate = nullptr;
    grid->SetLookup(true);
    grid->LookupItems()->Add(QStringLiteral("Alpha"));
    grid->LookupItems()->Add(QStringLiteral("Bravo"));
    grid->SetCells(1, 1, QString());
    grid->SetFocus();
    Press(grid, Qt::Key_F2);
    Simulate::Type(edit, QStringLiteral("br"));
    Flush();
    EXPECT_EQ(edit->Text(), QStringLiteral("bravo"));
    EXPECT_EQ(edit->SelText(), QStringLiteral("avo"));
    Press(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->Text(), QStringLiteral("br")) << "Backspace takes the completion back and completes nothing";
}

TEST_F(EditorScenarios, TheEllipsisButtonAndTheButtonCellHandTheirTextToTheGrid)
{
    std::vector<String> log;
    grid->OnEllipsClick = [&](TObject*, int c, int r, String& s) {
        log.push_back(QStringLiteral("ellips %1,%2 %3").arg(c).arg(r).arg(s));
        s += QStringLiteral("!");
    };
    grid->OnButtonClick = [&](TObject*, int c, int r) { log.push_back(QStringLiteral("button %1,%2").arg(c).arg(r)); };
    kind = TEditorType::edEditBtn;
    grid->SetCells(1, 1, QStringLiteral("go"));
    Press(grid, Qt::Key_F2);
    auto* edit = Editor<TGridEditBtn>(kind);
    edit->SetStopEditAfterClick(true);
    Press(edit, Qt::Key_F4);
    EXPECT_FALSE(edit->Visible()) << "StopEditAfterClick ends the edit";
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("go!"));

    kind = TEditorType::edButton;
    grid->SetCells(1, 2, QStringLiteral("Run"));
    grid->SetRow(2);
    Press(grid, Qt::Key_F2);
    TGridButton* button = grid->ButtonEditor();
    ASSERT_TRUE(button->Visible());
    Simulate::Click(button, {5, 5});
    Flush();
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Run!"));
    EXPECT_EQ(log, (std::vector<String>{QStringLiteral("ellips 1,1 go"), QStringLiteral("button 1,2"),
                                        QStringLiteral("ellips 1,2 Run")}));
    // Escape puts back the cell's text from when this edit began (before the
    // click wrote into it), and an arrow leaves the button to the grid, which moves on.
    ASSERT_TRUE(button->Visible()) << "a click keeps the button open";
    const String began = QStringLiteral("Run");
    Press(button, Qt::Key_Escape);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(grid->Cells(1, 2), began);
    Press(grid, Qt::Key_F2);
    ASSERT_TRUE(button->Visible());
    Press(button, Qt::Key_Down);
    EXPECT_FALSE(button->Visible());
    EXPECT_EQ(grid->Row(), 3);
}

} // namespace
