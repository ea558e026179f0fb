// The multi-column drop-down and its list: completion in the edit, the open
// list's type-ahead, paging, the pop-up's snapped height and scaled columns,
// column and row sizing, and which inputs take an item.
#include "dropdowns/pickers/ZvMultiColumnDropDown.h"
#include "platform/DrawText.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

namespace {

struct TMultiColumnFixture : TPickerFixture<TZvMultiColumnDropDown> {
    int Selects = 0;
    void SetUp() override
    {
        TPickerFixture::SetUp();
        Fill({{"Berlin", "DE"}, {"Bern", "CH"}, {"Bonn", "DE"}});
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
    }
    void Fill(std::initializer_list<std::initializer_list<const char*>> rows)
    {
        Edit->Columns()->Clear();
        Edit->Items()->Clear();
        for (const char* header : {"City", "Country"}) Edit->Columns()->Add()->Header = QString::fromLatin1(header);
        for (const auto& row : rows) {
            auto* item = Edit->Items()->Add();
            for (const char* text : row) item->Text()->Add(QString::fromLatin1(text));
        }
        Edit->EndUpdate();
    }
    void Many(int count)
    {
        Edit->Items()->Clear();
        for (int i = 0; i < count; ++i) Edit->Items()->Add()->Text()->Add(QStringLiteral("Item %1").arg(i, 2, 10, QChar('0')));
        Edit->EndUpdate();
    }
    TZvColGrid& List() { return *Edit->List(); }
    void ListKey(int qtKey, const String& text = {}) { Simulate::Key(Edit->List(), qtKey, Qt::NoModifier, text); }
    void ListType(const String& text)
    {
        for (QChar c : text) ListKey(0, String(c));
    }
};

TEST_F(TMultiColumnFixture, TypingCompletesFromTheLookupTexts)
{
    struct TCase {
        bool MatchCase;
        const char* Typed;
        const char* Text;
        int Caret, Selected, Index;
    } cases[] = {
        {false, "b", "berlin", 1, 5, 0},    {false, "bern", "Bern", 4, 0, 1},
        {false, "bo", "bonn", 2, 2, 2},     {true, "b", "b", 1, 0, -1},
        {true, "B", "Berlin", 1, 5, 0},     {false, "x", "x", 1, 0, -1},
    };
    for (const TCase& c : cases) {
        Edit->MatchCase = c.MatchCase;
        Edit->SetItemIndex(-1);
        Simulate::Type(Edit, QString::fromLatin1(c.Typed));
        const auto label = ::testing::Message() << c.Typed << " MatchCase " << c.MatchCase;
        EXPECT_EQ(Edit->Text(), QString::fromLatin1(c.Text)) << label;
        EXPECT_EQ(Edit->SelStart(), c.Caret) << label;
        EXPECT_EQ(Edit->SelLength(), c.Selected) << label;
        EXPECT_EQ(Edit->ItemIndex(), c.Index) << label;
    }
}

TEST_F(TMultiColumnFixture, AnUnmatchedKeyDropsWhatStoodAfterTheCaret)
{
    Simulate::Type(Edit, QStringLiteral("b"));
    ASSERT_EQ(Edit->Text(), QStringLiteral("berlin"));
    Simulate::Type(Edit, QStringLiteral("q"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("bq"));
    EXPECT_EQ(Edit->SelStart(), 2);
}

TEST_F(TMultiColumnFixture, EscapeWithAnUnknownTextClearsTheEditAndTheIndex)
{
    Edit->SetItemIndex(1);
    Edit->SetText(QStringLiteral("Paris"));
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->Text(), String());
}

TEST_F(TMultiColumnFixture, EnterTakesAnEqualLookupTextWithoutCase)
{
    Edit->SetText(QStringLiteral("BONN"));
    Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Bonn"));
}

TEST_F(TMultiColumnFixture, ItemIndexSetterIgnoresTooLargeAndClearsForNegative)
{
    Edit->SetItemIndex(1);
    Edit->SetItemIndex(3);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Bern"));
    Edit->SetItemIndex(-1);
    EXPECT_EQ(Edit->Text(), String());
    Edit->Items()->GetItem(0)->Text()->Clear();
    Edit->SetItemIndex(0);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), String()) << "an item without a lookup text shows nothing";
    Edit->SetLookupColumn(-1);
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), String());
}

TEST_F(TMultiColumnFixture, ClosedEditStepsAndPagesThroughTheItems)
{
    Many(12);
    struct TCase {
        int From;
        int QtKey;
        int To;
    } cases[] = {{5, Qt::Key_PageDown, 11}, {5, Qt::Key_PageUp, 0}, {0, Qt::Key_PageDown, 10},
                 {11, Qt::Key_PageUp, 1},   {-1, Qt::Key_PageDown, 0}, {-1, Qt::Key_Down, 0},
                 {3, Qt::Key_Down, 4},      {3, Qt::Key_Up, 2},       {11, Qt::Key_Down, 11},
                 {0, Qt::Key_Up, 0}};
    for (const TCase& c : cases) {
        Edit->SetItemIndex(c.From);
        Press(c.QtKey);
        EXPECT_EQ(Edit->ItemIndex(), c.To) << "from " << c.From << " key " << c.QtKey;
    }
    Edit->SetEditorEnabled(false);
    Edit->SetItemIndex(4);
    Press(Qt::Key_End);
    EXPECT_EQ(Edit->ItemIndex(), 11);
    Press(Qt::Key_Home);
    EXPECT_EQ(Edit->ItemIndex(), 0);
}

TEST_F(TMultiColumnFixture, PopupHeightSnapsToWholeRows)
{
    struct TCase {
        bool Strips;
        int RowHeight, HeaderHeight, Proposed, Expected;
    } cases[] = {{false, 22, 25, 200, 25 + 2 + 7 * 22}, {false, 20, 25, 200, 25 + 2 + 8 * 20},
                 {true, 20, 25, 200, 44 + 25 + 2 + 6 * 20}, {false, 0, 25, 200, 200}, {false, -5, 25, 173, 173}};
    for (const TCase& c : cases) {
        // A new pop-up each time: a closed one keeps the size it had.
        auto* edit = new TZvMultiColumnDropDown(Form.get());
        edit->SetParent(Form.get());
        edit->SetBounds(20, 60, 200, 21);
        edit->DropDownHeader()->SetVisible(c.Strips);
        edit->DropDownFooter()->SetVisible(c.Strips);
        edit->DropDownHeader()->SetHeight(22);
        edit->DropDownFooter()->SetHeight(22);
        edit->DropDownRowHeight = c.RowHeight;
        edit->HeaderHeight = c.HeaderHeight;
        edit->SetDropDownHeight(c.Proposed);
        edit->ShowDropDown();
        ASSERT_TRUE(edit->DroppedDown());
        EXPECT_EQ(edit->DropDownForm()->Height(), c.Expected) << "row height " << c.RowHeight << " strips " << c.Strips;
        edit->HideDropDown(true);
    }
}

TEST_F(TMultiColumnFixture, ColumnsScaleToThePopupWidthAndAutoWidthFollowsTheColumns)
{
    Edit->Columns()->Add()->Header = QStringLiteral("Third");
    Edit->Columns()->GetItem(0)->Width = 100;
    Edit->Columns()->GetItem(1)->Width = 50;
    Edit->Columns()->GetItem(2)->Width = 50;
    Edit->DropDownAutoWidth = true;
    Edit->ColumnSizeWithDropDown = false;
    Open();
    EXPECT_EQ(Edit->DropDownForm()->Width(), 200 + 2 * Edit->DropDownBorderWidth()) << "the columns' width";
    Edit->HideDropDown(true);

    Edit->DropDownAutoWidth = false;
    Edit->ColumnSizeWithDropDown = true;
    Edit->SetDropDownWidth(402);
    Open();
    ASSERT_EQ(Edit->DropDownForm()->Width(), 402);
    EXPECT_EQ(List().ColWidths(0), 200);
    EXPECT_EQ(List().ColWidths(1), 100);
    EXPECT_EQ(List().ColWidths(2), 100);
}

TEST_F(TMultiColumnFixture, AutoSizeMeasuresItemTextsNotTheHeader)
{
    Edit->Columns()->GetItem(1)->AutoSize = true;
    Edit->Columns()->GetItem(1)->Header = QStringLiteral("A very long country header");
    Edit->ColumnSizeWithDropDown = false;
    Open();
    TCanvas& canvas = *List().Canvas();
    canvas.SetFont(Edit->Columns()->GetItem(1)->Font());
    int widest = 0;
    for (const char* text : {"DE", "CH"}) {
        TRect measured = Rect(0, 0, 1000, 500);
        DrawText(canvas, QString::fromLatin1(text), measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        widest = std::max(widest, measured.Width());
    }
    EXPECT_EQ(Edit->Columns()->GetItem(1)->Width, widest + 6);
    EXPECT_EQ(List().ColWidths(1), Edit->Columns()->GetItem(1)->Width);
    Edit->HideDropDown(true);
    Edit->Items()->Clear();
    Open();
    EXPECT_EQ(Edit->Columns()->GetItem(1)->Width, 0) << "without items the column collapses";
    EXPECT_EQ(List().RowCount(), 1);
    EXPECT_EQ(List().FixedRows(), 0) << "the single row is no header";
}

TEST_F(TMultiColumnFixture, WrappedColumnsMakeRowsAtLeastTwentyFourHigh)
{
    Edit->DropDownRowHeight = 16;
    Edit->Columns()->GetItem(0)->Wordwrap = true;
    Edit->Columns()->GetItem(0)->Width = 40;
    Edit->Items()->GetItem(1)->Text()->SetStrings(0, QStringLiteral("one two three four five six"));
    Open();
    EXPECT_EQ(List().RowHeights(1), 24);
    EXPECT_GT(List().RowHeights(2), 24) << "the wrapped text needs several lines";
    EXPECT_EQ(List().RowHeights(0), Edit->HeaderHeight);
}

TEST_F(TMultiColumnFixture, OpenListTypeAheadHonoursCaseSensitive)
{
    struct TCase {
        bool CaseSensitive;
        const char* Keys;
        int Index;
        const char* Text;
    } cases[] = {{false, "BE", 0, "Berlin"}, {false, "bon", 2, "Bonn"}, {true, "BE", 0, "Berlin"},
                 {true, "Bo", 2, "Bonn"},   {false, "z", -1, ""}};
    for (const TCase& c : cases) {
        Edit->CaseSensitive = c.CaseSensitive;
        Edit->SetItemIndex(-1);
        Open();
        ListType(QString::fromLatin1(c.Keys));
        const auto label = ::testing::Message() << c.Keys << " CaseSensitive " << c.CaseSensitive;
        EXPECT_EQ(Edit->ItemIndex(), c.Index) << label;
        if (c.Index >= 0) {
            EXPECT_EQ(Edit->Text(), QString::fromLatin1(c.Text)) << label;
            EXPECT_EQ(List().Row(), c.Index + 1) << label;
        }
        Edit->HideDropDown(false);
    }
}

TEST_F(TMultiColumnFixture, CaseSensitiveTypeAheadRetriesTheKeyAlone)
{
    Edit->CaseSensitive = true;
    Open();
    ListType(QStringLiteral("B"));
    EXPECT_EQ(Edit->ItemIndex(), 0);
    ListType(QStringLiteral("E"));   // "BE" matches nothing with case; "E" alone neither
    EXPECT_EQ(Edit->LookupEntry(), String());
    EXPECT_EQ(Edit->ItemIndex(), 0);
}

TEST_F(TMultiColumnFixture, EnterAndClicksTakeARowHeaderAndWheelDoNot)
{
    Open();
    ListKey(Qt::Key_Down);
    ListKey(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_GE(Selects, 1);

    Selects = 0;
    Open();
    const TRect header = List().CellRect(0, 0);
    Simulate::Click(Edit->List(), Point(header.Left + 5, header.Top + 5));
    EXPECT_EQ(Selects, 0) << "the header row takes nothing";
    EXPECT_TRUE(Edit->DroppedDown());
    const TRect third = List().CellRect(0, 3);
    Simulate::Click(Edit->List(), Point(third.Left + 5, third.Top + 5));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Bonn"));
}

TEST_F(TMultiColumnFixture, WheelInTheListKeepsTheItemAndEscapeRestoresIt)
{
    Many(30);
    Edit->SetItemIndex(2);
    Open();
    Simulate::Wheel(Edit->List(), Point(10, 40), -120);
    EXPECT_EQ(Edit->ItemIndex(), 2) << "wheel turns do not choose";
    Edit->HideDropDown(false);
    EXPECT_EQ(Edit->ItemIndex(), 2) << "no key or click: the item stays";

    Open();
    ListKey(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 3) << "a key moves the choice at once";
    ListKey(Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
}

TEST_F(TMultiColumnFixture, TabInTheListDoesNothing)
{
    Open();
    ListKey(Qt::Key_Down);
    const int row = List().Row();
    const int col = List().Col();
    ListKey(Qt::Key_Tab, QStringLiteral("\t"));
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(List().Row(), row);
    EXPECT_EQ(List().Col(), col);
}

TEST_F(TMultiColumnFixture, StylesSetTheListColours)
{
    EXPECT_EQ(Edit->HeaderFont()->Color(), TColor(0x723708));
    EXPECT_EQ(Edit->LineColor, TColor(0xF1EDEB));
    EXPECT_EQ(Edit->FixedLineColor, TColor(0xD1BBA4));
    Edit->SetComponentStyle(TZvStyle::tsOffice2010Blue);
    EXPECT_EQ(Edit->HeaderColor, TColor(0xEDDBCD));
    EXPECT_EQ(Edit->HeaderColorTo, clNone);
    EXPECT_EQ(Edit->SelectionColor(), TColor(0x6CD0FF));
    EXPECT_EQ(Edit->LineColor, TColor(0xEEDDCF));
    Edit->SetComponentStyle(TZvStyle::tsWindowsXP);
    EXPECT_EQ(Edit->SelectionTextColor, clHighlightText);
    EXPECT_EQ(Edit->FixedLineColor, TColor(0));
}

TEST_F(TMultiColumnFixture, FlatHeaderWhenTheGradientEndIsNone)
{
    Edit->HeaderColor = 0x00FF00;
    Edit->HeaderColorTo = clNone;
    Open();
    QApplication::processEvents();
    const QImage shot = Edit->List()->Handle()->grab().toImage();
    const TRect h = List().CellRect(0, 0);
    EXPECT_EQ(shot.pixelColor(h.Left + 3, h.Top + 3), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(h.Left + 3, h.Bottom - 4), QColor(0, 255, 0));
}

} // namespace
