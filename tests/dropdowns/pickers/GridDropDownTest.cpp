// The grid drop-down: completion and type-ahead, both content modes, the
// item<->row mapping through sorting and narrowing, the pop-up's sizing,
// taking and cancelling, and which inner-grid events reach its handlers.
#include "dropdowns/pickers/ZvGridDropDown.h"
#include "grid/ZvGridOptions.h"
#include "platform/ImgList.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

namespace {

struct TGridDropFixture : TPickerFixture<TZvGridDropDown> {
    int Selects = 0;
    void SetUp() override
    {
        TPickerFixture::SetUp();
        Fill({{"Apple", "red"}, {"Apricot", "orange"}, {"Banana", "yellow"}});
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
    }
    void Fill(std::initializer_list<std::initializer_list<const char*>> rows)
    {
        Edit->Columns()->Clear();
        Edit->Items()->Clear();
        for (const char* header : {"Fruit", "Colour"}) Edit->Columns()->Add()->Header = QString::fromLatin1(header);
        for (const auto& row : rows) {
            auto* item = Edit->Items()->Add();
            for (const char* text : row) item->Text()->Add(QString::fromLatin1(text));
        }
        Edit->EndUpdate();
    }
    ZvGridDrop::TZvColGrid& Grid() { return *Edit->InnerGrid(); }
    void GridKey(int qtKey, const String& text = {}) { Simulate::Key(Edit->InnerGrid(), qtKey, Qt::NoModifier, text); }
    void GridType(const String& text)
    {
        for (QChar c : text) GridKey(0, String(c));
    }
};

TEST_F(TGridDropFixture, TypingCompletesFromTheLookupColumn)
{
    struct TCase {
        bool MatchCase, CaseSensitive;
        const char* Typed;
        const char* Text;
        int Selected, Index;
    } cases[] = {{false, false, "ap", "Apple", 3, 0}, {false, false, "apr", "Apricot", 4, 1},
                 {true, true, "ap", "ap", 0, -1},      {true, false, "Ap", "Apple", 3, 0},
                 {false, false, "ba", "Banana", 4, 2}};
    for (const TCase& c : cases) {
        Edit->MatchCase = c.MatchCase;
        Edit->CaseSensitive = c.CaseSensitive;
        Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));   // forgets the typed entry
        Edit->SetItemIndex(-1);
        Simulate::Type(Edit, QString::fromLatin1(c.Typed));
        const auto label = ::testing::Message() << c.Typed << " MatchCase " << c.MatchCase;
        // The case of the shown text follows whichever of completion and lookup wrote it last.
        EXPECT_EQ(Edit->Text().compare(QString::fromLatin1(c.Text), Qt::CaseInsensitive), 0) << label;
        EXPECT_EQ(Edit->SelStart(), int(strlen(c.Typed))) << label;
        EXPECT_EQ(Edit->SelLength(), c.Selected) << label;
        EXPECT_EQ(Edit->ItemIndex(), c.Index) << label;
    }
}

TEST_F(TGridDropFixture, EscapeWithAnUnknownTextClearsTheEdit)
{
    Simulate::Type(Edit, QStringLiteral("xyz"));
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->Text(), String());
}

TEST_F(TGridDropFixture, ItemIndexSetterInBothModes)
{
    Edit->SetItemIndex(2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Banana"));
    Edit->SetItemIndex(3);
    EXPECT_EQ(Edit->ItemIndex(), 2) << "past the items is ignored";

    Edit->SetUseItems(false);
    Grid().SetColCount(2);
    Grid().SetRowCount(3);   // the header and two rows
    Grid().SetCells(0, 1, QStringLiteral("Cherry"));
    Grid().SetCells(0, 2, QStringLiteral("Damson"));
    Edit->SetItemIndex(1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Damson"));
    Edit->SetItemIndex(2);
    EXPECT_EQ(Edit->ItemIndex(), 1) << "an index past the last row is ignored";
    EXPECT_EQ(Edit->Text(), QStringLiteral("Damson"));
    Edit->SetItemIndex(-1);
    EXPECT_EQ(Edit->Text(), String());
}

TEST_F(TGridDropFixture, LookupTextSearchesItemsOrGridRows)
{
    String T;
    int index = -1;
    EXPECT_TRUE(Edit->LookupText(QStringLiteral("apr"), T, index));
    EXPECT_EQ(T, QStringLiteral("Apricot"));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(Edit->LookupText(String(), T, index)) << "an empty text matches nothing";
    Edit->CaseSensitive = true;
    EXPECT_FALSE(Edit->LookupText(QStringLiteral("apr"), T, index));
    Edit->Items()->GetItem(0)->Text()->Clear();
    Edit->CaseSensitive = false;
    EXPECT_TRUE(Edit->LookupText(QStringLiteral("ap"), T, index));
    EXPECT_EQ(index, 1) << "an item without a lookup text never matches";

    Edit->SetUseItems(false);
    Grid().SetRowCount(3);
    Grid().SetCells(0, 1, QStringLiteral("Cherry"));
    Grid().SetCells(0, 2, QStringLiteral("Damson"));
    EXPECT_TRUE(Edit->LookupText(QStringLiteral("d"), T, index));
    EXPECT_EQ(index, 2) << "without items the index is the grid row";
}

TEST_F(TGridDropFixture, OpenListLookupRestartsWithTheKeyAloneInAList)
{
    Edit->SetStyle(TDropDownStyle::dsDropDownList);
    Open();
    GridType(QStringLiteral("a"));
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Grid().Row(), 1);
    GridType(QStringLiteral("b"));
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Banana"));
    EXPECT_EQ(Edit->LookupEntry(), QStringLiteral("b"));
    EXPECT_EQ(Grid().Row(), 3);
}

TEST_F(TGridDropFixture, SortedListMapsRowsBackToItems)
{
    Edit->Sorting = TGridSorting::gsSingleColumn;
    Edit->SetItemIndex(0);
    Open();
    Grid().SortSettings()->SetColumn(0);
    Grid().SortSettings()->SetDirection(TSortDirection::sdDescending);
    Grid().OnCanSort(&Grid(), 0, *std::make_unique<bool>(true));
    Grid().QSort();
    Grid().OnClickSort(&Grid(), 0);
    ASSERT_EQ(Grid().Cells(0, 1), QStringLiteral("Banana"));
    EXPECT_EQ(Edit->ItemOfRow(1), 2);
    EXPECT_EQ(Edit->RowOfItem(0), 3);
    EXPECT_EQ(Grid().Row(), 3) << "the selected item's row stays current after the sort";

    // The item typed in the edit is the item Enter takes, whatever the rows' order.
    Edit->SetStyle(TDropDownStyle::dsDropDownList);
    GridType(QStringLiteral("apr"));
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Grid().Cells(0, Grid().Row()), QStringLiteral("Apricot"));
    GridKey(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Apricot"));
}

TEST_F(TGridDropFixture, NarrowingKeepsTheMappingAndTheTypedText)
{
    Edit->LookupMethod = TLookupMethod::lmNarrowDown;
    Open();
    GridType(QStringLiteral("ap"));
    EXPECT_EQ(Grid().RowCount(), 3) << "the header and the two ap rows";
    GridType(QStringLiteral("r"));
    ASSERT_EQ(Grid().RowCount(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(Edit->SelStart(), 3) << "the typed part stays, the rest is selected";
    EXPECT_EQ(Edit->ItemOfRow(1), 1);
    GridKey(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Apricot"));
}

TEST_F(TGridDropFixture, PopupHeightSnapsToWholeRows)
{
    struct TCase {
        int RowHeight, Proposed, Expected;
    } cases[] = {{22, 200, 25 + 2 + 7 * 22 + 4}, {0, 200, 200}, {-3, 190, 190}};
    for (const TCase& c : cases) {
        auto* edit = new TZvGridDropDown(Form.get());
        edit->SetParent(Form.get());
        edit->SetBounds(20, 60, 200, 21);
        edit->DropDownHeader()->SetVisible(false);
        edit->DropDownFooter()->SetVisible(false);
        edit->DropDownRowHeight = c.RowHeight;
        edit->SetDropDownHeight(c.Proposed);
        edit->ShowDropDown();
        ASSERT_TRUE(edit->DroppedDown());
        EXPECT_EQ(edit->DropDownForm()->Height(), c.Expected) << "row height " << c.RowHeight;
        edit->HideDropDown(true);
    }
}

TEST_F(TGridDropFixture, ColumnsScaleToThePopupWidth)
{
    Edit->Columns()->Add();
    Edit->Columns()->GetItem(0)->Width = 80;
    Edit->Columns()->GetItem(1)->Width = 80;
    Edit->Columns()->GetItem(2)->Width = 40;
    Edit->AutoSizeColumns = false;
    Edit->DropDownAutoWidth = false;
    Edit->SetDropDownWidth(402);
    Open();
    ASSERT_EQ(Edit->DropDownForm()->Width(), 402);
    EXPECT_EQ(Grid().ColWidths(0), 160);
    EXPECT_EQ(Grid().ColWidths(1), 160);
    EXPECT_EQ(Grid().ColWidths(2), 80);
}

TEST_F(TGridDropFixture, EscapeRestoresAndTheWheelDoesNotChoose)
{
    Edit->SetItemIndex(0);
    Open();
    GridKey(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    GridKey(Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 0);

    Open();
    EXPECT_EQ(Edit->ItemIndex(), 0) << "opening chooses nothing";
    Simulate::Wheel(Edit->InnerGrid(), Point(10, 40), -120);
    EXPECT_EQ(Edit->ItemIndex(), 0) << "the wheel moves the list, not the choice";
    Edit->HideDropDown(false);
    EXPECT_EQ(Edit->ItemIndex(), 0) << "no key or click confirmed a row";
    Simulate::Wheel(Edit, Point(10, 10), -120);
    EXPECT_EQ(Edit->ItemIndex(), 1) << "the closed edit steps with the wheel";
}

TEST_F(TGridDropFixture, ClicksOnItemRowsTakeThemAndTheHeaderDoesNot)
{
    Open();
    const TRect header = Grid().CellRect(0, 0);
    Simulate::Click(Edit->InnerGrid(), Point(header.Left + 5, header.Top + 5));
    EXPECT_EQ(Selects, 0);
    const TRect banana = Grid().CellRect(0, 3);
    Simulate::Click(Edit->InnerGrid(), Point(banana.Left + 5, banana.Top + 5));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(TGridDropFixture, WrappedRowsReadItemsOnlyInsideTheList)
{
    Edit->Columns()->GetItem(1)->Wordwrap = true;
    Edit->Columns()->GetItem(1)->Width = 30;
    Edit->AutoSizeColumns = false;
    Edit->Items()->GetItem(2)->Text()->SetStrings(1, QStringLiteral("pale yellow with brown spots"));
    Open();
    EXPECT_EQ(Grid().RowHeights(1), 24);
    EXPECT_GT(Grid().RowHeights(3), 24);
    Edit->HideDropDown(true);

    // Without items the grid's own rows, more of them than items, are measured from their cells.
    Edit->SetUseItems(false);
    Grid().SetRowCount(6);
    for (int r = 1; r < 6; ++r) Grid().SetCells(1, r, QStringLiteral("x"));
    Open();
    EXPECT_EQ(Grid().RowHeights(5), 24);
}

TEST_F(TGridDropFixture, GridEventsReachTheDropDownHandlers)
{
    Open();
    ZvGridDrop::TZvColGrid& g = Grid();
    struct TCase {
        const char* Name;
        std::function<void(TCustomZvGridDropDown&, int&, bool&)> Assign;
        std::function<void()> Fire;
        bool Blocks;
    };
    TDropDownForm* form = Edit->DropDownForm();
    const TCase cases[] = {
        {"AnchorClick", [form](TCustomZvGridDropDown& d, int& n, bool& b) {
             d.OnGridAnchorClick = [&, form](TObject*, int, int, const String&, bool&) { ++n; b = form->BlockActivate(); }; },
         [&] { bool h = true; g.OnAnchorClick(&g, 1, 0, QStringLiteral("a"), h); }, true},
        {"ButtonClick", [form](TCustomZvGridDropDown& d, int& n, bool& b) {
             d.OnGridButtonClick = [&, form](TObject*, int, int) { ++n; b = form->BlockActivate(); }; },
         [&] { g.OnButtonClick(&g, 0, 1); }, true},
        {"EllipsClick", [form](TCustomZvGridDropDown& d, int& n, bool& b) {
             d.OnGridEllipsClick = [&, form](TObject*, int, int, String&) { ++n; b = form->BlockActivate(); }; },
         [&] { String s; g.OnEllipsClick(&g, 0, 1, s); }, true},
        {"AnchorEnter", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridAnchorEnter = [&](TObject*, int, int, const String&) { ++n; }; },
         [&] { g.OnAnchorEnter(&g, 1, 0, QStringLiteral("a")); }, false},
        {"RightClickCell", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridRightClickCell = [&](TObject*, int, int) { ++n; }; },
         [&] { g.OnRightClickCell(&g, 1, 0); }, false},
        {"GridHint", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridHint = [&](TObject*, int, int, String&) { ++n; }; },
         [&] { String s; g.OnGridHint(&g, 1, 0, s); }, false},
        {"CheckBoxClick", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridCheckBoxClick = [&](TObject*, int, int, bool) { ++n; }; },
         [&] { g.OnCheckBoxClick(&g, 0, 1, true); }, false},
        {"CanEditCell", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridCanEditCell = [&](TObject*, int, int, bool&) { ++n; }; },
         [&] { bool e = true; g.OnCanEditCell(&g, 1, 0, e); }, false},
        {"GetAlignment", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridGetAlignment = [&](TObject*, int, int, TAlignment&, TVAlignment&) { ++n; }; },
         [&] { TAlignment h{}; TVAlignment v{}; g.OnGetAlignment(&g, 1, 0, h, v); }, false},
        {"ColumnMoved", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridColumnMoved = [&](TObject*, int, int) { ++n; }; },
         [&] { g.OnColumnMoved(&g, 0, 1); }, false},
        {"GetFloatFormat", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridGetFloatFormat = [&](TObject*, int, int, bool&, String& f) { n += f.isEmpty(); }; },
         [&] { bool isFloat = false; String f = QStringLiteral("%.2f"); g.OnGetFloatFormat(&g, 0, 1, isFloat, f); }, false},
        {"TopLeftChanged", [](TCustomZvGridDropDown& d, int& n, bool&) {
             d.OnGridTopLeftChanged = [&n, &d](TObject* s) { n += s == &d; }; },
         [&] { g.OnTopLeftChanged(&g); }, false},
    };
    for (const TCase& c : cases) {
        int fired = 0;
        bool blockedDuring = false;
        c.Assign(*Edit, fired, blockedDuring);
        c.Fire();
        EXPECT_EQ(fired, 1) << c.Name;
        EXPECT_EQ(blockedDuring, c.Blocks) << c.Name;
        EXPECT_FALSE(form->BlockActivate()) << c.Name << ": the block ends with the event";
    }
}

TEST_F(TGridDropFixture, AlignmentAndColourComeFromTheColumnsFirst)
{
    Edit->Columns()->GetItem(1)->Alignment = TAlignment::taRightJustify;
    Edit->Columns()->GetItem(1)->Color = 0x00FFEE;
    Open();
    TAlignment h = TAlignment::taLeftJustify;
    TVAlignment v{};
    Grid().OnGetAlignment(&Grid(), 1, 1, h, v);
    EXPECT_EQ(h, TAlignment::taRightJustify);
    TBrush brush;
    TFont font;
    Grid().OnGetCellColor(&Grid(), 1, 1, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), TColor(0x00FFEE));
}

} // namespace

namespace {

// The drop-down's option objects are the inner grid's at every opening: a
// change on the drop-down reaches the open list, one made on the list alone
// is set back at the next opening.
TEST_F(TGridDropFixture, OptionObjectsAreCopiedIntoTheListAtEachOpening)
{
    EXPECT_EQ(Edit->Navigation()->HomeEndKey(), THomeEndAction::heFirstLastRow);
    Edit->SearchFooter()->SetVisible(true);
    Edit->SearchFooter()->SetColor(0x112233);
    Edit->Bands()->SetActive(true);
    Edit->Bands()->SetPrimaryColor(0x445566);
    Edit->Navigation()->SetAllowInsertRow(true);
    Edit->MouseActions()->SetAllSelect(true);
    Open();
    ZvGridDrop::TZvColGrid& g = Grid();
    EXPECT_TRUE(g.SearchFooter()->Visible());
    EXPECT_EQ(g.SearchFooter()->Color(), TColor(0x112233));
    EXPECT_TRUE(g.Bands()->Active());
    EXPECT_EQ(g.Bands()->PrimaryColor(), TColor(0x445566));
    EXPECT_TRUE(g.Navigation()->AllowInsertRow());
    EXPECT_EQ(g.Navigation()->HomeEndKey(), THomeEndAction::heFirstLastRow);
    EXPECT_TRUE(g.MouseActions()->AllSelect());
    Edit->HideDropDown(false);

    g.Bands()->SetActive(false);
    g.MouseActions()->SetAllSelect(false);
    Edit->SearchFooter()->SetVisible(false);
    Edit->Navigation()->SetAllowInsertRow(false);
    Open();
    EXPECT_TRUE(g.Bands()->Active()) << "the drop-down's bands again";
    EXPECT_TRUE(g.MouseActions()->AllSelect());
    EXPECT_FALSE(g.SearchFooter()->Visible());
    EXPECT_FALSE(g.Navigation()->AllowInsertRow());

    // The setters copy: the object given stays the caller's.
    TBands bands;
    bands.SetPrimaryColor(0x778899);
    Edit->SetBands(&bands);
    EXPECT_NE(Edit->Bands(), &bands);
    EXPECT_EQ(Edit->Bands()->PrimaryColor(), TColor(0x778899));
}

// A descendant's items class: CreateItems answers the collection, whose
// GetItemClass makes every added or copied item.
struct TTaggedItem : ZvMultiColumn::TDropDownItem {
    using TDropDownItem::TDropDownItem;
    String Tag = QStringLiteral("tagged");
};
struct TTaggedItems : ZvMultiColumn::TDropDownItems {
    using TDropDownItems::TDropDownItems;
    TItemClass GetItemClass() const override
    {
        return [](TPickerCollection* c) -> std::unique_ptr<ZvMultiColumn::TDropDownItem> {
            return std::make_unique<TTaggedItem>(c);
        };
    }
};
struct TTaggedDropDown : TZvGridDropDown {
    using TZvGridDropDown::TZvGridDropDown;

protected:
    std::unique_ptr<TDropDownItems> CreateItems(TComponent* AOwner) override
    {
        return std::make_unique<TTaggedItems>(AOwner);
    }
};

TEST(GridDropDownItems, ADescendantsItemsClassMakesEveryItem)
{
    TTestSeams seams;
    TForm form(nullptr);
    auto* plain = new TZvGridDropDown(&form);
    auto* tagged = new TTaggedDropDown(&form);
    EXPECT_EQ(plain->GetVersionNumber(), 0x06000101u);
    EXPECT_EQ(dynamic_cast<TTaggedItem*>(plain->Items()->Add()), nullptr);
    plain->Items()->GetItem(0)->Text()->Add(QStringLiteral("Apple"));
    ASSERT_NE(dynamic_cast<TTaggedItems*>(tagged->Items()), nullptr);
    EXPECT_NE(dynamic_cast<TTaggedItem*>(tagged->Items()->Add()), nullptr);
    // A copy into the descendant's collection makes its own class too, with the texts.
    tagged->SetItems(plain->Items());
    ASSERT_EQ(tagged->Items()->Count(), 1);
    auto* copied = dynamic_cast<TTaggedItem*>(tagged->Items()->GetItem(0));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->TextAt(0), QStringLiteral("Apple"));
    tagged->EndUpdate();
    tagged->SetItemIndex(0);
    EXPECT_EQ(tagged->Text(), QStringLiteral("Apple"));
}

// Image lists that go away leave neither the drop-down nor its list pointing at them.
TEST_F(TGridDropFixture, ARemovedImageListIsForgotten)
{
    auto* images = new TImageList(Form.get());
    auto* measured = new TImageList(Form.get());
    Edit->SetGridImages(images);
    Edit->SetImages(measured);
    Open();
    EXPECT_EQ(Grid().GridImages(), images);
    EXPECT_EQ(Grid().Images, measured);
    Edit->HideDropDown(false);
    delete images;
    delete measured;
    EXPECT_EQ(Edit->GridImages(), nullptr);
    EXPECT_EQ(Grid().GridImages(), nullptr);
    EXPECT_EQ(Grid().Images, nullptr);
    Open();
    EXPECT_EQ(Grid().GridImages(), nullptr);
}

// The list's own line width is kept while the inherited lines get none.
TEST_F(TGridDropFixture, TheListKeepsItsLineWidthApart)
{
    Open();
    EXPECT_EQ(Grid().GridLineWidth(), 1);
    Grid().SetGridLineWidth(3);
    EXPECT_EQ(Grid().GridLineWidth(), 3);
    EXPECT_EQ(Grid().TZvStringGrid::GridLineWidth(), 0);
}

} // namespace
