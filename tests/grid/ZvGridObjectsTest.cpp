#include "grid/ZvGrid.h"

#include "platform/Forms.h"
#include "platform/Pictures.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

struct TObjectGrid : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;
    // Every OnCheckBoxChange as (column, row, state).
    std::vector<std::tuple<int, int, bool>> changes;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { changes.emplace_back(c, r, s); };
    }
};

}  // namespace

// A data check box keeps its state in the text; adding one makes the text agree
// unless it already holds one of the grid's two check texts.
TEST_F(TObjectGrid, AddingADataCheckBoxMakesTheTextAgree)
{
    struct Case {
        const char* text;
        bool state;
        const char* expected;
    };
    const Case cases[] = {
        {"Y", false, "Y"}, {"N", true, "N"}, {"", true, "Y"}, {"", false, "N"}, {"maybe", true, "Y"}, {"y", false, "N"},
    };
    for (const Case& c : cases) {
        grid->SetCellEx(1, 1, c.text);
        grid->AddCheckBox(1, 1, c.state, true);
        EXPECT_EQ(grid->GetCellEx(1, 1), String(c.expected)) << c.text << " " << c.state;
        EXPECT_EQ(grid->GetCellType(1, 1), TCellType::ctDataCheckBox);
    }
    // An object check box leaves the text alone.
    grid->SetCellEx(2, 1, "label");
    grid->AddCheckBox(2, 1, true, false);
    EXPECT_EQ(grid->GetCellEx(2, 1), String("label"));
    EXPECT_EQ(grid->GetCellType(2, 1), TCellType::ctCheckBox);
}

TEST_F(TObjectGrid, ReadingCheckBoxStates)
{
    grid->AddCheckBox(1, 1, false, true);
    grid->SetCellEx(1, 1, "");
    grid->AddCheckBox(1, 2, false, true);
    grid->SetCellEx(1, 2, "Y");
    grid->AddCheckBox(1, 3, true, false);
    grid->AddCheckBox(1, 4, TCheckBoxState::cbGrayed);

    struct Case {
        int row;
        bool result;
        bool state;
    };
    // A data box with empty text reads clear; a cell without a graphic leaves State as it was.
    const Case cases[] = {{1, true, false}, {2, true, true}, {3, true, true}, {5, false, true}};
    for (const Case& c : cases) {
        bool state = true;
        EXPECT_EQ(grid->GetCheckBoxState(1, c.row, state), c.result) << c.row;
        EXPECT_EQ(state, c.state) << c.row;
    }
    TCheckBoxState tri = TCheckBoxState::cbUnchecked;
    EXPECT_TRUE(grid->GetCheckBoxState(1, 4, tri));
    EXPECT_EQ(tri, TCheckBoxState::cbGrayed);
    EXPECT_FALSE(grid->IsChecked(1, 4));
    EXPECT_FALSE(grid->IsChecked(2, 2));

    // Per-cell check texts decide for data boxes.
    grid->OnGetCheckTrue = [](TObject*, int, int, String& v) { v = "ON"; };
    grid->SetCellEx(1, 2, "ON");
    EXPECT_TRUE(grid->IsChecked(1, 2));
}

TEST_F(TObjectGrid, SettingAStateWritesItWithoutAnEvent)
{
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(1, 2, false, true);
    EXPECT_TRUE(grid->SetCheckBoxState(1, 1, true));   // already checked: still written
    EXPECT_TRUE(grid->SetCheckBoxState(1, 2, true));
    EXPECT_EQ(grid->GetCellEx(1, 2), String("Y"));
    EXPECT_TRUE(grid->SetCheckBoxState(1, 2, false));
    EXPECT_EQ(grid->GetCellEx(1, 2), String("N"));
    EXPECT_FALSE(grid->SetCheckBoxState(2, 2, true));   // no graphic
    EXPECT_TRUE(changes.empty());

    // The three-state setter only takes three-state boxes.
    EXPECT_FALSE(grid->SetCheckBoxState(1, 1, TCheckBoxState::cbGrayed));
    grid->AddCheckBox(2, 1, TCheckBoxState::cbUnchecked);
    EXPECT_TRUE(grid->SetCheckBoxState(2, 1, TCheckBoxState::cbChecked));
    TCheckBoxState tri = TCheckBoxState::cbUnchecked;
    grid->GetCheckBoxState(2, 1, tri);
    EXPECT_EQ(tri, TCheckBoxState::cbChecked);
}

TEST_F(TObjectGrid, CheckAllFiresOnlyForBoxesThatChange)
{
    grid->AddCheckBoxColumn(1, false, false);
    grid->SetCheckBoxState(1, 2, true);
    grid->AddCheckBox(1, 3, true, true);
    grid->AddCheckBox(1, 4, false, true);
    grid->CheckAll(1);
    const std::vector<std::tuple<int, int, bool>> expected{{1, 1, true}, {1, 4, true}, {1, 5, true}};
    EXPECT_EQ(changes, expected);
    for (int r = 1; r < 6; ++r) EXPECT_TRUE(grid->IsChecked(1, r)) << r;

    changes.clear();
    grid->UnCheckAll(1);
    EXPECT_EQ(changes.size(), 5u);
    EXPECT_EQ(grid->GetCellEx(1, 3), String("N"));
}

TEST_F(TObjectGrid, ACellCarriesOneGraphic)
{
    grid->AddCheckBox(1, 1, true, false);
    TPicture* picture = grid->CreatePicture(1, 1, false, TStretchMode::noStretch, 0, TCellHAlign::haLeft,
                                            TCellVAlign::vaTop);
    EXPECT_FALSE(grid->HasCheckBox(1, 1));
    EXPECT_TRUE(grid->HasPicture(1, 1));
    EXPECT_EQ(grid->GetPicture(1, 1), picture);
    bool state = false;
    EXPECT_FALSE(grid->GetCheckBoxState(1, 1, state));

    grid->AddButton(1, 1, 40, 18, "Go", TCellHAlign::haRight, TCellVAlign::vaCenter);
    EXPECT_FALSE(grid->HasPicture(1, 1));
    EXPECT_TRUE(grid->HasButton(1, 1));
    EXPECT_EQ(grid->GetCellGraphic(1, 1)->CellIndex(), 18 * 65536 + 40);
    grid->SetButtonText(1, 1, "Stop");
    EXPECT_EQ(grid->GetButtonText(1, 1), String("Stop"));
    grid->RemoveAllButtons();
    EXPECT_EQ(grid->GetCellType(1, 1), TCellType::ctEmpty);
    // An empty cell keeps its empty text through adding a graphic.
    EXPECT_EQ(grid->GetCellEx(1, 1), String());
}

// The cell text of kinds whose value lives in the graphic is left alone; reading a
// kind from another cell answers nothing.
TEST_F(TObjectGrid, KindsHoldTheirFieldsAndAnswerOnlyForThemselves)
{
    grid->AddProgressEx(1, 1, clRed, clWhite, clBlue, clBlack);
    const TCellGraphic* g = grid->GetCellGraphic(1, 1);
    EXPECT_EQ(g->CellType(), TCellType::ctProgress);
    EXPECT_EQ(g->CellBitmapColor(), clRed);
    EXPECT_EQ(g->CellIconColor(), clBlue);
    EXPECT_EQ(g->CellIndex(), int(clWhite));
    EXPECT_EQ(g->CellAngle(), int(clBlack));
    EXPECT_TRUE(g->CellBoolean());
    EXPECT_EQ(g->CellErrLen(), 100);
    EXPECT_TRUE(grid->HasProgress(1, 1));

    grid->AddShape(2, 1, TCellShape::csCircle, clYellow, clBlack, TCellHAlign::haCenter, TCellVAlign::vaCenter);
    EXPECT_EQ(grid->GetShapeColor(2, 1), clYellow);
    grid->SetShapeColor(2, 1, clGreen);
    EXPECT_EQ(grid->GetShapeColor(2, 1), clGreen);
    EXPECT_EQ(grid->GetShapeColor(1, 1), clNone);

    grid->AddScrollBar(3, 1, false);
    grid->SetScrollPosition(3, 1, 42);
    grid->SetScrollProp(3, 1, 10, 200);
    int page = 0, range = 0;
    grid->GetScrollProp(3, 1, page, range);
    EXPECT_EQ(grid->GetScrollPosition(3, 1), 42);
    EXPECT_EQ(page, 10);
    EXPECT_EQ(range, 200);
    grid->GetScrollProp(1, 1, page, range);
    EXPECT_EQ(page, -1);
    EXPECT_EQ(range, -1);
    EXPECT_EQ(grid->GetScrollPosition(1, 1), -1);

    grid->AddRotated(1, 2, -90, "turned");
    int angle = 0;
    EXPECT_TRUE(grid->IsRotated(1, 2, angle));
    EXPECT_EQ(angle, 270);
    EXPECT_EQ(grid->GetCellEx(1, 2), String("turned"));
    EXPECT_FALSE(grid->IsRotated(1, 1, angle));

    // Image kinds need an image list.
    grid->AddImageIdx(2, 2, 3, TCellHAlign::haLeft, TCellVAlign::vaTop);
    EXPECT_EQ(grid->GetCellType(2, 2), TCellType::ctEmpty);
}

TEST_F(TObjectGrid, CommentsAndMarkers)
{
    grid->SetComment(1, 1, "note");
    EXPECT_EQ(grid->GetComment(1, 1), String("note"));
    grid->AddMarker(1, 1, 2, 3);
    int pos = 0, len = 0;
    grid->GetMarker(1, 1, pos, len);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(len, 3);
    grid->RemoveMarker(1, 1);   // the comment stays, the marker goes
    EXPECT_EQ(grid->GetComment(1, 1), String("note"));
    grid->GetMarker(1, 1, pos, len);
    EXPECT_EQ(pos + len, 0);

    grid->AddMarker(2, 1, 1, 1);   // a marker alone lives in an empty graphic
    EXPECT_NE(grid->GetCellGraphic(2, 1), nullptr);
    grid->RemoveMarker(2, 1);
    EXPECT_EQ(grid->GetCellGraphic(2, 1), nullptr);

    grid->AddCheckBox(3, 1, false, false);
    grid->SetComment(3, 1, "ignored");   // another kind is left alone
    EXPECT_TRUE(grid->HasCheckBox(3, 1));
    grid->RemoveAllComments();
    EXPECT_EQ(grid->GetComment(1, 1), String());
}

TEST_F(TObjectGrid, ACheckBoxOutsideTheGridIsAnInvalidCell)
{
    struct Case {
        int col, row;
    };
    const Case cases[] = {{-1, 1}, {1, -1}, {4, 1}, {1, 6}, {1, 100}};
    for (const Case& c : cases) {
        try {
            grid->AddCheckBox(c.col, c.row, true, false);
            ADD_FAILURE() << c.col << "," << c.row;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), String("Invalid cell"));
        }
        EXPECT_THROW(grid->AddRadioButton(c.col, c.row, true), Exception);
        EXPECT_THROW(grid->AddCheckBox(c.col, c.row, TCheckBoxState::cbChecked), Exception);
    }
    EXPECT_EQ(grid->GetCellGraphic(1, 5), nullptr);
}

TEST_F(TObjectGrid, CheckBoxColumnSkipsSummaryRowsAndGivesNodesThreeStates)
{
    grid->MarkSummaryRow(2);
    grid->MarkSummaryRow(4);
    grid->AddNode(3, 1);
    grid->AddCheckBoxColumn(1, true, true);
    EXPECT_TRUE(grid->HasDataCheckBox(1, 1));
    EXPECT_FALSE(grid->HasCheckBox(1, 2));
    EXPECT_EQ(grid->GetCellType(1, 3), TCellType::ctTriStateCheckBox);
    EXPECT_FALSE(grid->HasCheckBox(1, 4));
    EXPECT_EQ(grid->GetCellEx(1, 5), String("Y"));
    EXPECT_FALSE(grid->HasCheckBox(1, 0));

    grid->MouseActions()->SetCheckAllCheck(true);
    grid->AddCheckBoxColumn(2, false, false);
    EXPECT_TRUE(grid->HasCheckBox(2, 0));
    grid->RemoveCheckBoxColumn(2);
    for (int r = 0; r < 6; ++r) EXPECT_FALSE(grid->HasCheckBox(2, r)) << r;
}

TEST_F(TObjectGrid, ACheckBoxColumnOfOnlySummaryRowsGetsNothing)
{
    grid->SetRowCount(3);
    grid->MarkSummaryRow(1);
    grid->MarkSummaryRow(2);
    grid->AddCheckBoxColumn(1, false, false);
    EXPECT_FALSE(grid->HasCheckBox(1, 1));
    EXPECT_FALSE(grid->HasCheckBox(1, 2));
}

TEST_F(TObjectGrid, RadioButtonsAgainstTheColumnIndex)
{
    grid->AddRadioButtonColumn(2);
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), -1);
    grid->SetRadioButtonState(2, 3, true);
    grid->SetRadioButtonState(2, 4, true);   // leaves row 3 set
    EXPECT_TRUE(grid->IsRadioButtonChecked(2, 3));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 3);
    grid->SetRadioButtonColumnIndex(2, 4);   // clears every other
    EXPECT_FALSE(grid->IsRadioButtonChecked(2, 3));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 4);

    // Selecting one by click clears the rest of the column, fixed rows included.
    grid->AddRadioButton(2, 0, true);
    EXPECT_TRUE(grid->SelectCellRadioButton(2, 1, false));
    EXPECT_FALSE(grid->IsRadioButtonChecked(2, 0));
    EXPECT_FALSE(grid->IsRadioButtonChecked(2, 4));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 1);
    EXPECT_TRUE(grid->SelectCellRadioButton(2, 1, false));   // already set: still true
    EXPECT_FALSE(grid->SelectCellRadioButton(1, 1, false));
    EXPECT_FALSE(grid->SetRadioButtonState(1, 1, true));
    grid->RemoveRadioButtonColumn(2);
    EXPECT_FALSE(grid->HasRadioButton(2, 1));
    EXPECT_TRUE(grid->HasRadioButton(2, 0));   // the fixed row's is not part of the column
}

TEST_F(TObjectGrid, TogglingFlipsEachKindAndRegistersUndoTexts)
{
    TZvGridUndoRedo undo(&form);
    grid->SetUndoRedo(&undo);
    grid->AddCheckBox(1, 1, false, false);
    grid->AddCheckBox(1, 2, true, true);
    grid->AddCheckBox(1, 3, TCheckBoxState::cbUnchecked);

    EXPECT_TRUE(grid->ToggleCellCheckBox(1, 1, false));
    EXPECT_TRUE(grid->IsChecked(1, 1));
    EXPECT_TRUE(grid->ToggleCellCheckBox(1, 2, false));
    EXPECT_EQ(grid->GetCellEx(1, 2), String("N"));
    EXPECT_FALSE(grid->ToggleCellCheckBox(2, 2, false));   // nothing to toggle

    // Off the tree a three-state box runs clear, grayed, checked, clear.
    TCheckBoxState tri = TCheckBoxState::cbUnchecked;
    const TCheckBoxState cycle[] = {TCheckBoxState::cbGrayed, TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked};
    for (TCheckBoxState expected : cycle) {
        grid->ToggleCheckBox(1, 3);
        grid->GetCheckBoxState(1, 3, tri);
        EXPECT_EQ(tri, expected);
    }

    const std::vector<std::tuple<int, int, bool>> expected{
        {1, 1, true}, {1, 2, false}, {1, 3, false}, {1, 3, false}, {1, 3, false}};
    EXPECT_EQ(changes, expected);
    ASSERT_GE(undo.Items()->Count(), 2);
    const TUndoRedoItem* first = undo.Items()->Items(0);
    EXPECT_EQ(first->OrigValue(), String("N"));
    EXPECT_EQ(first->Value(), String("Y"));
    const TUndoRedoItem* second = undo.Items()->Items(1);
    EXPECT_EQ(second->Col(), 1);
    EXPECT_EQ(second->Row(), 2);
    EXPECT_EQ(second->OrigValue(), String("Y"));
    EXPECT_EQ(second->Value(), String("N"));
    grid->SetUndoRedo(nullptr);
}

TEST_F(TObjectGrid, AToggleByTheUserAsksWhetherTheCellMayBeEdited)
{
    grid->AddCheckBox(1, 1, false, false);
    bool asked = false;
    grid->OnCanEditCell = [&](TObject*, int, int, bool& can) {
        asked = true;
        can = false;
    };
    grid->ToggleCellCheckBox(1, 1, true);
    if (asked) {
        EXPECT_FALSE(grid->IsChecked(1, 1));
        grid->ControlLook()->SetCheckAlwaysActive(true);
        EXPECT_TRUE(grid->ToggleCellCheckBox(1, 1, true));
        EXPECT_TRUE(grid->IsChecked(1, 1));
    }
}

// The box's rectangle for a precise hit test: 2 pixels in from the aligned edge,
// the right and bottom edges outside.
TEST_F(TObjectGrid, ThePreciseCheckBoxRectangle)
{
    grid->MouseActions()->SetPreciseCheckBoxCheck(true);
    grid->SetDefaultRowHeight(30);
    const int s = grid->ControlLook()->CheckSize();
    struct Case {
        TVAlignment valign;
        int top;   // offset of the box in the cell
    };
    const Case cases[] = {{TVAlignment::vtaTop, 2}, {TVAlignment::vtaCenter, (30 - s) / 2}, {TVAlignment::vtaBottom, 30 - s - 2}};
    for (const Case& c : cases) {
        grid->SetVAlignment(c.valign);
        grid->AddCheckBox(1, 1, false, false);
        const TRect cell = grid->CellRect(1, 1);
        const int left = cell.Left + 2, top = cell.Top + c.top;
        EXPECT_TRUE(grid->IsInCheckBox(1, 1, left, top)) << int(c.valign);
        EXPECT_TRUE(grid->IsInCheckBox(1, 1, left + s - 1, top + s - 1)) << int(c.valign);
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, left + s, top)) << int(c.valign);
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, left, top + s)) << int(c.valign);
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, left - 1, top)) << int(c.valign);
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, left, top - 1)) << int(c.valign);
    }
    EXPECT_FALSE(grid->IsInCheckBox(2, 1, 0, 0));   // no box there
    grid->MouseActions()->SetPreciseCheckBoxCheck(false);
    EXPECT_TRUE(grid->IsInCheckBox(1, 1, -100, -100));
}

TEST_F(TObjectGrid, SetRadioIdxTouchesOnlyRadioGroups)
{
    grid->AddButton(1, 1, 30, 20, "b", TCellHAlign::haLeft, TCellVAlign::vaTop);
    const int packed = grid->GetCellGraphic(1, 1)->CellIndex();
    EXPECT_FALSE(grid->SetRadioIdx(1, 1, 2));
    EXPECT_EQ(grid->GetCellGraphic(1, 1)->CellIndex(), packed);
    EXPECT_FALSE(grid->SetRadioIdx(2, 1, 2));   // no graphic at all

    TStringList* options = grid->CreateRadio(2, 2, 0, -1);
    options->Add("a");
    options->Add("b");
    options->Add("c");
    grid->SetCellEx(2, 2, "b");
    EXPECT_TRUE(grid->SetRadioIdx(2, 2, 1));
    int idx = -5;
    EXPECT_TRUE(grid->GetRadioIdx(2, 2, idx));
    EXPECT_EQ(idx, 1);
    EXPECT_TRUE(grid->SetRadioIdx(2, 2, -1));
    EXPECT_EQ(grid->GetCellEx(2, 2), String());
    EXPECT_EQ(grid->GetRadioStrings(2, 2), options);
}

TEST_F(TObjectGrid, AdvancingARadioGroupWraps)
{
    TStringList* options = grid->CreateRadio(1, 1, 1, -1);
    options->Add("one");
    options->Add("two");
    struct Case {
        const char* text;
        const char* next;
    };
    // From -1 the cell text decides: an option moves on, anything else starts at the first.
    grid->SetCellEx(1, 1, "unknown");
    grid->AdvanceCellRadio(1, 1, false);
    EXPECT_EQ(grid->GetCellEx(1, 1), String("one"));
    grid->AdvanceCellRadio(1, 1, false);
    EXPECT_EQ(grid->GetCellEx(1, 1), String("two"));
    grid->AdvanceCellRadio(1, 1, false);   // last wraps to the first
    EXPECT_EQ(grid->GetCellEx(1, 1), String("one"));
    int idx = 0;
    grid->GetRadioIdx(1, 1, idx);
    EXPECT_EQ(idx, 0);

    grid->CreateRadio(1, 2, 0, -1);   // no options: nothing to pick, nothing breaks
    grid->SetCellEx(1, 2, "x");
    grid->AdvanceCellRadio(1, 2, false);
    EXPECT_EQ(grid->GetCellEx(1, 2), String("x"));
}

TEST_F(TObjectGrid, BalloonsRideOnCheckBoxesAndNothingElse)
{
    grid->AddCheckBox(1, 1, true, true);
    grid->AddBalloon(1, 1, "Title", "Text", 2);
    EXPECT_TRUE(grid->HasDataCheckBox(1, 1));
    EXPECT_FALSE(grid->HasBalloon(1, 1));
    String title, text;
    int icon = 0;
    EXPECT_TRUE(grid->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(title, String("Title"));
    EXPECT_EQ(text, String("Text"));
    EXPECT_EQ(icon, 2);
    grid->RemoveCheckBox(1, 1);   // the balloon goes with it
    EXPECT_FALSE(grid->IsBalloon(1, 1, title, text, icon));

    grid->AddBalloon(2, 1, "Own", "Balloon", 1);
    EXPECT_TRUE(grid->HasBalloon(2, 1));
    grid->AddBalloon(2, 1, "New", "Text", 3);   // an existing balloon stays as it was
    grid->IsBalloon(2, 1, title, text, icon);
    EXPECT_EQ(title, String("Own"));

    grid->CreateBitmap(3, 1, false, TCellHAlign::haLeft, TCellVAlign::vaTop);
    grid->AddBalloon(3, 1, "No", "Place", 1);
    EXPECT_FALSE(grid->IsBalloon(3, 1, title, text, icon));

    grid->AddRadioButton(3, 2, false);
    grid->AddBalloon(3, 2, "R", "B", 1);
    grid->RemoveBalloon(3, 2);
    EXPECT_TRUE(grid->HasRadioButton(3, 2));
    EXPECT_FALSE(grid->IsBalloon(3, 2, title, text, icon));
}

TEST_F(TObjectGrid, ExpandButtonsSwitchBetweenTwoHeights)
{
    EXPECT_EQ(grid->GetExpandHeight(1, 1, true), grid->DefaultRowHeight());
    grid->AddExpand(1, 1, 60);
    EXPECT_FALSE(grid->GetExpandState(1, 1));
    EXPECT_TRUE(grid->ToggleExpand(1, 1));
    EXPECT_TRUE(grid->GetExpandState(1, 1));
    EXPECT_EQ(grid->GetExpandHeight(1, 1, true), 60);
    EXPECT_EQ(grid->GetExpandHeight(1, 1, false), grid->RowHeights(1));
    const TRect cell = grid->CellRect(1, 1);
    const TRect button = grid->ExpandButtonRect(1, 1);
    EXPECT_EQ(button.Right, cell.Right - 2);
    EXPECT_EQ(button.Right - button.Left, 11);
    EXPECT_EQ(button.Bottom - button.Top, 11);
    EXPECT_EQ(grid->ExpandButtonRect(2, 1).Right, 0);
    // A node's column value is not an expand state.
    grid->AddNode(2, 2);
    EXPECT_FALSE(grid->ToggleExpand(0, 2));
    EXPECT_EQ(grid->GetCellGraphic(0, 2)->CellVar().toInt(), -1);
}

// Rows are addressed by real index: a hidden row's box is found in the store of
// hidden rows, a shown row's at its displayed place.
TEST_F(TObjectGrid, CheckBoxStatesByRealRowWhileRowsAndColumnsAreHidden)
{
    grid->AddCheckBoxColumn(1, false, false);
    grid->AddCheckBoxColumn(3, false, false);
    grid->AddCheckBox(2, 2, false, true);
    grid->HideColumn(2);
    grid->HideRow(2);
    ASSERT_EQ(grid->RowCount(), 5);

    EXPECT_TRUE(grid->SetCheckBoxState(1, 2, true));   // the hidden row
    EXPECT_TRUE(grid->SetCheckBoxState(1, 4, true));   // shown at display row 3
    EXPECT_TRUE(grid->SetCheckBoxState(3, 5, true));   // beyond the hidden column
    EXPECT_TRUE(grid->IsChecked(1, 2));
    EXPECT_TRUE(grid->IsChecked(1, 4));
    EXPECT_FALSE(grid->IsChecked(1, 3));
    EXPECT_TRUE(grid->IsChecked(3, 5));
    EXPECT_TRUE(grid->SetCheckBoxState(2, 2, true));   // a data box of the hidden row
    EXPECT_TRUE(grid->IsChecked(2, 2));
    EXPECT_TRUE(changes.empty());

    grid->UnHideRowsAll();
    grid->UnHideColumnsAll();
    const bool expected[] = {false, true, false, true, false};
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(grid->IsChecked(1, r), expected[r - 1]) << r;
    EXPECT_TRUE(grid->IsChecked(3, 5));
    EXPECT_FALSE(grid->IsChecked(3, 4));
    EXPECT_EQ(grid->GetCellEx(2, 2), String("Y"));
}
