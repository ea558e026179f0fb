// The grid's combo editor driven through keys, the wheel, list picks and
// typing on a shown column grid. The harness opens the combo over a cell the
// way the grid's show step does (list, text, preselection, shown, focused),
// answers the current-cell text and validation, and records the combo's
// notifications to the grid without acting on them, so that what is checked
// here is the combo's own part of each event sequence.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGrid.h"
#include "grid/editors/ZvGridCombo.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TNotification {
    WORD Code;
    int ItemIndex;
    String Text;
    bool operator==(const TNotification&) const = default;
};

class THarnessGrid : public TZvColumnGrid {
public:
    using TZvColumnGrid::TZvColumnGrid;

    std::vector<TNotification> Notifications;
    std::vector<String> Writes;
    int Validations = 0;

    String CurrentCell() override { return GetCellEx(RealColIndex(Col()), Row()); }
    void SetCurrentCell(const String& Value) override
    {
        Writes.push_back(Value);
        SetCellEx(RealColIndex(Col()), Row(), Value);
    }
    bool ValidateCell(const String& NewValue) override
    {
        ++Validations;
        String value = NewValue;
        bool valid = true;
        if (OnCellValidate) OnCellValidate(this, RealColIndex(Col()), Row(), value, valid);
        FNewCellText = value;
        return valid;
    }

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_COMMAND && ComboEditor() &&
            Message.LParam == reinterpret_cast<LPARAM>(ComboEditor()->Handle())) {
            Notifications.push_back({HiWord(Message.WParam), ComboEditor()->ItemIndex(), ComboEditor()->Text()});
            return;
        }
        TZvColumnGrid::WndProc(Message);
    }
};

struct TComboEvent {
    TObject* Sender;
    int Col, Row, Index;
    String Text;
    bool operator==(const TComboEvent&) const = default;
};

struct TComboEditor : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    THarnessGrid* grid = nullptr;
    TGridCombo* combo = nullptr;
    std::vector<TComboEvent> comboChanges;
    std::vector<TObject*> objects;
    std::vector<TObject*> keySenders;
    TObject deviceTag, sensorTag;

    void SetUp() override
    {
        form->SetBounds(0, 0, 640, 400);
        grid = new THarnessGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 600, 360);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetOptions(grid->Options() + TGridOptions{TGridOption::goEditing});
        for (int r = 1; r < 6; ++r) grid->SetCellEx(2, r, "Sensor");
        grid->SetCellEx(2, 2, "device");   // a lower-case value read from a file: not in the list
        combo = grid->ComboEditor();
        grid->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) {
            comboChanges.push_back({s, c, r, i, t});
        };
        grid->OnComboObjectChange = [this](TObject*, int, int, int, const String&, TObject* o) { objects.push_back(o); };
        grid->OnKeyPress = [this](TObject* s, QChar&) { keySenders.push_back(s); };
        form->Show();
        grid->SetFocus();
    }

    // As the grid's show step: the list, the cell's text, the first entry when
    // a list-only combo cannot show the text (with its OnComboChange), shown, focused.
    void Open(int col, int row, TComboBoxStyle style, const QStringList& items = {"Device", "Sensor", "Actor"})
    {
        // The grid hides the combo when an edit ends.
        combo->SetVisible(false);
        grid->GotoCell(col, row);
        combo->Items()->Clear();
        combo->Items()->AddObject(items.value(0), &deviceTag);
        for (int i = 1; i < items.size(); ++i) combo->Items()->AddObject(items[i], i == 1 ? &sensorTag : nullptr);
        combo->SetStyle(style);
        const String text = grid->CurrentCell();
        combo->SetItemIndex(combo->Items()->IndexOf(text));
        if (style != TComboBoxStyle::csDropDownList) combo->SetText(text);
        else if (combo->ItemIndex() < 0 && combo->Items()->Count() > 0) {
            combo->SetItemIndex(0);
            grid->OnComboChange(grid, grid->RealColIndex(col), row, 0, combo->Items()->Strings(0));
        }
        const TRect r = grid->CellRect(col, row);
        combo->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        combo->SetEnabled(true);
        combo->SetVisible(true);
        combo->SetFocus();
        comboChanges.clear();
        objects.clear();
        grid->Notifications.clear();
    }
};

}  // namespace

TEST(TGridComboControl, BelongsToAGridAndKeepsItsButtonWidthInRange)
{
    TForm form(nullptr);
    EXPECT_THROW(TGridCombo{&form}, Exception);

    TZvStringGrid grid(&form);
    TGridCombo* combo = grid.ComboEditor();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Grid(), &grid);
    EXPECT_TRUE(combo->WorkMode);
    EXPECT_EQ(combo->ButtonWidth(), 16);
    combo->SetButtonWidth(40);
    EXPECT_EQ(combo->ButtonWidth(), 16);
    combo->SetButtonWidth(13);
    EXPECT_EQ(combo->ButtonWidth(), 16);
    combo->SetButtonWidth(32);
    EXPECT_EQ(combo->ButtonWidth(), 32);
}

TEST_F(TComboEditor, ListOnlyPicksByArrowTypeAheadAndListClick)
{
    Open(2, 1, TComboBoxStyle::csDropDownList);
    ASSERT_EQ(combo->ItemIndex(), 1);
    EXPECT_FALSE(combo->UserChangedSelection());

    // Down steps the list while the grid lets the combo have the arrows.
    Simulate::Key(combo, Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_TRUE(combo->UserChangedSelection());
    EXPECT_EQ(grid->Notifications, (std::vector<TNotification>{{CBN_SELCHANGE, 2, "Actor"}}));
    EXPECT_EQ(grid->Row(), 1);

    // Typing "d" picks "Device": reported to the grid as a selection change
    // only, which the grid turns into OnComboChange; nothing fires it twice.
    grid->Notifications.clear();
    Simulate::Key(combo, Qt::Key_D, Qt::NoModifier, "d");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(grid->Notifications, (std::vector<TNotification>{{CBN_SELCHANGE, 0, "Device"}}));
    EXPECT_TRUE(comboChanges.empty());
    EXPECT_TRUE(objects.empty());
    // The grid's OnKeyPress hears the key with the grid as Sender.
    EXPECT_EQ(keySenders, (std::vector<TObject*>{grid}));

    // A pick from the opened list.
    grid->Notifications.clear();
    combo->SetDroppedDown(true);
    combo->UserSelect(1);
    combo->SetDroppedDown(false);
    EXPECT_EQ(combo->Text(), String("Sensor"));
    const std::vector<TNotification> expected{
        {CBN_DROPDOWN, 0, "Device"}, {CBN_SELCHANGE, 1, "Sensor"}, {CBN_CLOSEUP, 1, "Sensor"}};
    EXPECT_EQ(grid->Notifications, expected);
}

TEST_F(TComboEditor, WheelStepsWithinTheListAndReportsEveryStep)
{
    Open(2, 1, TComboBoxStyle::csDropDownList);
    std::vector<std::pair<int, String>> edits;
    grid->OnEditChange = [&](TObject*, int c, int, const String& t) { edits.emplace_back(c, t); };

    struct Step {
        int delta;
        int index;
    };
    // Towards the user goes down; the ends hold and still report.
    for (const Step s : {Step{-120, 2}, Step{-120, 2}, Step{120, 1}, Step{120, 0}, Step{120, 0}}) {
        EXPECT_NE(combo->Perform(WM_MOUSEWHEEL, MakeWParam(0, s.delta), 0), 0);
        EXPECT_EQ(combo->ItemIndex(), s.index) << s.delta;
    }
    ASSERT_EQ(comboChanges.size(), 5u);
    EXPECT_EQ(comboChanges[1], (TComboEvent{grid, 2, 1, 2, "Actor"}));
    EXPECT_EQ(comboChanges[4], (TComboEvent{grid, 2, 1, 0, "Device"}));
    EXPECT_EQ(objects.back(), &deviceTag);
    EXPECT_EQ(edits.size(), 5u);
    EXPECT_EQ(edits.front(), std::make_pair(2, String("Actor")));
    EXPECT_TRUE(combo->UserChangedSelection());

    // An empty list takes the wheel and reports nothing.
    comboChanges.clear();
    combo->Items()->Clear();
    EXPECT_NE(combo->Perform(WM_MOUSEWHEEL, MakeWParam(0, -120), 0), 0);
    EXPECT_TRUE(comboChanges.empty());
}

TEST_F(TComboEditor, EscapeOnAnUnlistedCellTextRestoresItExactlyAndStoresNothing)
{
    Open(2, 2, TComboBoxStyle::csDropDownList);
    // The preselection of the first entry stays as the combo shows it.
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_FALSE(combo->UserChangedSelection());

    Simulate::Key(combo, Qt::Key_Down);
    ASSERT_EQ(combo->ItemIndex(), 1);
    Simulate::Key(combo, Qt::Key_Escape, Qt::NoModifier, QString(QChar(0x1B)));
    EXPECT_TRUE(combo->EditCancelled());
    EXPECT_EQ(grid->GetCellEx(2, 2), String("device"));
    EXPECT_TRUE(grid->Writes.empty());
    EXPECT_EQ(grid->Validations, 0);

    // A listed text is selected again.
    Open(2, 3, TComboBoxStyle::csDropDownList);
    Simulate::Key(combo, Qt::Key_Up);
    Simulate::Key(combo, Qt::Key_Escape, Qt::NoModifier, QString(QChar(0x1B)));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(grid->GetCellEx(2, 3), String("Sensor"));
    // The next opening starts a new edit.
    Open(2, 4, TComboBoxStyle::csDropDownList);
    EXPECT_FALSE(combo->EditCancelled());
}

TEST_F(TComboEditor, EnterValidatesAndARefusalKeepsTheComboOnTheCell)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->Navigation()->SetAdvanceAutoEdit(false);
    int refusals = 0;
    grid->OnCellValidate = [&](TObject*, int, int, String& value, bool& valid) {
        if (value == "Actor") {
            ++refusals;
            value = "Sensor";
            valid = false;
        }
    };
    Open(2, 1, TComboBoxStyle::csDropDownList);
    Simulate::Key(combo, Qt::Key_Down);   // Actor: refused, the replacement shows
    Simulate::Key(combo, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(combo->Text(), String("Sensor"));
    EXPECT_EQ(grid->Row(), 1) << "a refused text does not advance";
    EXPECT_EQ(grid->Col(), 2);

    Simulate::Key(combo, Qt::Key_Up);   // Device: accepted, stored and moved on
    Simulate::Key(combo, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->GetCellEx(2, 1), String("Device"));
    EXPECT_NE(std::make_pair(grid->Col(), grid->Row()), std::make_pair(2, 1));
    EXPECT_EQ(keySenders.size(), 2u) << "each Enter reaches the grid's OnKeyPress";
}

TEST_F(TComboEditor, ArrowsGoToTheGridWhenItDoesNotLendThemToTheCombo)
{
    grid->Navigation()->SetComboGetUpDown(false);
    Open(2, 1, TComboBoxStyle::csDropDown);
    Simulate::Key(combo, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(combo->ItemIndex(), 1) << "the closed list did not step";
    EXPECT_TRUE(grid->Writes.empty()) << "nothing is written into the cell moved to";
    EXPECT_TRUE(grid->Notifications.empty());
}

TEST_F(TComboEditor, TypingIntoAnEditableComboReportsTheTypedTextWithoutAnEntry)
{
    std::vector<std::pair<int, String>> edits;
    grid->OnEditChange = [&](TObject*, int c, int, const String& t) { edits.emplace_back(c, t); };
    Open(2, 1, TComboBoxStyle::csDropDown);
    ASSERT_EQ(combo->ItemIndex(), 1);
    combo->SelectAll();
    Simulate::Type(combo, "Dev");
    const std::vector<TNotification> typed{
        {CBN_EDITCHANGE, -1, "D"}, {CBN_EDITCHANGE, -1, "De"}, {CBN_EDITCHANGE, -1, "Dev"}};
    EXPECT_EQ(grid->Notifications, typed);
    // Typing a listed text in full still reports no entry.
    grid->Notifications.clear();
    Simulate::Type(combo, "ice");
    ASSERT_FALSE(grid->Notifications.empty());
    EXPECT_EQ(grid->Notifications.back(), (TNotification{CBN_EDITCHANGE, -1, "Device"}));
    EXPECT_EQ(edits.back(), std::make_pair(2, String("Device")));
    EXPECT_TRUE(comboChanges.empty()) << "the key press reports picks of list-only combos only";
    EXPECT_EQ(keySenders.size(), 6u);
    for (TObject* s : keySenders) EXPECT_EQ(s, grid);

    Simulate::Key(combo, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->GetCellEx(2, 1), String("Device"));
}

TEST_F(TComboEditor, LookupCompletesFromTheListThenFromLookupItemsButNotAfterBackspace)
{
    grid->SetLookup(true);
    grid->LookupItems()->Add("Gateway");
    Open(2, 1, TComboBoxStyle::csDropDown);
    combo->SelectAll();
    Simulate::Type(combo, "se");
    EXPECT_EQ(combo->Text(), String("sensor"));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->SelStart(), 2);
    EXPECT_EQ(combo->SelLength(), 4);

    combo->SelectAll();
    Simulate::Type(combo, "G");
    EXPECT_EQ(combo->Text(), String("Gateway"));
    EXPECT_EQ(combo->ItemIndex(), -1);

    Simulate::Key(combo, Qt::Key_Backspace);
    EXPECT_FALSE(combo->WorkMode);
    EXPECT_EQ(combo->Text(), String("G"));
}

TEST_F(TComboEditor, LeavingWithLookupHistoryAddsANewNonEmptyText)
{
    grid->SetLookupHistory(true);
    Open(2, 1, TComboBoxStyle::csDropDown);
    combo->SelectAll();
    Simulate::Type(combo, "Relay");
    grid->SetFocus();
    EXPECT_EQ(combo->Items()->IndexOf("Relay"), 3);

    Open(2, 3, TComboBoxStyle::csDropDown);
    combo->SetText(String());
    grid->SetFocus();
    EXPECT_EQ(combo->Items()->Count(), 3);
}

TEST_F(TComboEditor, TwoThousandEntriesOpenWithTheCellsEntryAndSizeTheList)
{
    QStringList many;
    for (int i = 0; i < 2000; ++i) many << QStringLiteral("Object %1").arg(i, 4, 10, QChar('0'));
    grid->SetCellEx(2, 1, "Object 1999");
    Open(2, 1, TComboBoxStyle::csDropDownList, many);
    EXPECT_EQ(combo->ItemIndex(), 1999);
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    combo->SetDroppedDown(false);
    EXPECT_TRUE(comboChanges.empty());

    combo->SizeDropDownWidth();
    EXPECT_GE(combo->ListWidth(), combo->Width());
    combo->Items()->Clear();
    combo->SizeDropDownWidth();
    EXPECT_EQ(combo->ListWidth(), combo->Width());
    combo->Items()->Add(QString(80, QChar('W')));
    combo->SizeDropDownWidth();
    EXPECT_GT(combo->ListWidth(), combo->Width());
}

TEST_F(TComboEditor, TabWithValidationOnTabsToTheNextCell)
{
    grid->SetOptions(grid->Options() + TGridOptions{TGridOption::goTabs});
    Open(2, 1, TComboBoxStyle::csDropDownList);
    Simulate::Key(combo, Qt::Key_Up);
    Simulate::Key(combo, Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(grid->GetCellEx(2, 1), String("Device"));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Validations, 1);
}

TEST(TAsgCombo, PlacesItsLabelByPosition)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* combo = new TAsgComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(100, 100, 120, 22);
    combo->SetLabelCaption("Port");
    TLabel* label = combo->ComboLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(combo->LabelCaption(), String("Port"));
    const int tw = label->TextSize().cx;
    const int lh = label->Height();
    struct Case {
        TLabelPosition pos;
        int left, top;
    };
    const Case cases[] = {
        {TLabelPosition::lpLeftTop, 100 - tw - 4, 100},
        {TLabelPosition::lpLeftCenter, 100 - tw - 4, 100 + (22 - lh) / 2},
        {TLabelPosition::lpTopLeft, 100, 100 - lh - 4},
        {TLabelPosition::lpBottomCenter, 100 + (120 - tw) / 2, 126},
        {TLabelPosition::lpLeftBottomLeft, 96, 122 - lh},
        {TLabelPosition::lpRighBottom, 224, 122 - lh},
    };
    for (const Case& c : cases) {
        combo->SetLabelPosition(c.pos);
        EXPECT_EQ(label->Left(), c.left) << int(c.pos);
        EXPECT_EQ(label->Top(), c.top) << int(c.pos);
    }
    combo->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    combo->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
}
