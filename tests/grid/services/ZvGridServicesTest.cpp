// The grid's services as they stand: an operation whose service is not built
// yet says so by name; the clipboard keys reach the clipboard; the small
// hooks that are built (rows marked modified, the fixed-cell editor's change,
// the cell text margins) behave as the grid's users see them; and the grid
// text stream carries one grid's cells to another, line by line as its layout
// says, and stops at the first line that is not the grid's.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/services/ZvGridService.h"
#include "grid/ZvGrid.h"

#include "grid/support/ZvGridCellGraphic.h"
#include "grid/editors/ZvGridSimpleEditors.h"
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/Messages.h"
#include "platform/Pictures.h"
#include "platform/SysUtils.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct GridServices : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 320);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        for (int c = 0; c < 5; ++c) grid->SetColWidths(c, 64);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TPoint Middle(int c, int r)
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    // The texts of the error boxes shown so far, emptied.
    std::vector<String> TakeErrors()
    {
        std::vector<String> texts;
        for (const TMessageBoxRequest& box : seams.Boxes) texts.push_back(box.Text);
        seams.Boxes.clear();
        return texts;
    }
};

// ---- Not built yet ----------------------------------------------------------------------------------------------
// Every service operation is built now; the rule for one that is not stays: it names itself and raises.
TEST_F(GridServices, AnUnbuiltOperationNamesItself)
{
    try {
        NotBuilt("SomeOperation");
    } catch (const EZvGridError& e) {
        EXPECT_EQ(e.Message(), String("SomeOperation is not built yet"));
    }
    EXPECT_FALSE(grid->FilterActive());
    grid->SetFilterActive(false);   // switching off what is off stays quiet
    EXPECT_FALSE(grid->FilterActive());
}

// A header click on a sorting grid sorts by that column, and a click on a cell still moves there.
TEST_F(GridServices, AHeaderClickSortsByThatColumn)
{
    const char* texts[] = {"c", "a", "e", "b", "d"};
    for (int r = 1; r < 6; ++r) grid->SetCells(2, r, texts[r - 1]);
    grid->SortSettings()->SetShow(true);
    Simulate::Click(grid, Middle(2, 0));
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_EQ(grid->SortSettings()->Column(), 2);
    for (int r = 1; r < 5; ++r) EXPECT_LT(grid->Cells(2, r), grid->Cells(2, r + 1)) << r;
    Simulate::Click(grid, Middle(3, 3));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(TakeErrors().empty());
}

// The clipboard keys reach the clipboard only when the grid allows them and the handler lets them through.
TEST_F(GridServices, ClipboardKeysCopyCutAndPasteWhenTheHandlerAllows)
{
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetCells(1, 1, "kept");
    grid->GotoCell(1, 1);
    Clipboard().SetAsText("before");
    Simulate::Key(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().AsText(), String("before")) << "clipboard keys are off by default";

    grid->Navigation()->SetAllowClipboardShortCuts(true);
    bool allow = false;
    grid->OnClipboardCopy = [&](TObject*, bool& Allow) { Allow = allow; };
    grid->OnClipboardCut = [&](TObject*, bool& Allow) { Allow = allow; };
    grid->OnClipboardPaste = [&](TObject*, bool& Allow) { Allow = allow; };
    for (int key : {int(Qt::Key_C), int(Qt::Key_X), int(Qt::Key_V)}) Simulate::Key(grid, key, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().AsText(), String("before")) << "the handler refused";
    EXPECT_EQ(grid->Cells(1, 1), String("kept"));

    allow = true;
    Simulate::Key(grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().AsText(), String("kept"));
    Simulate::Key(grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(1, 1), String());
    grid->GotoCell(2, 3);
    Simulate::Key(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(2, 3), String("kept"));
    grid->GotoCell(3, 4);
    Simulate::Key(grid, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid->Cells(3, 4), String("kept"));
    EXPECT_TRUE(TakeErrors().empty());
}

// ---- Built hooks ------------------------------------------------------------------------------------------------
// A row inserted with the Insert key counts as modified exactly when ShowModified asks for it.
TEST_F(GridServices, AnInsertedRowIsMarkedModifiedWhenShowModifiedIsOn)
{
    grid->Navigation()->SetAllowInsertRow(true);
    for (bool show : {false, true}) {
        grid->ShowModified()->SetEnabled(show);
        grid->ClearModifiedRows();
        grid->GotoCell(1, 2);
        const int rows = grid->RowCount();
        Simulate::Key(grid, Qt::Key_Insert);
        ASSERT_EQ(grid->RowCount(), rows + 1);
        EXPECT_EQ(grid->GetRowModified(2), show) << "ShowModified " << show;
        EXPECT_FALSE(grid->GetRowModified(3));
        EXPECT_EQ(grid->ModifiedRowCount(), show ? 1 : 0);
    }
}

// Typing in the editor over a fixed cell reports that cell and the editor's text.
TEST_F(GridServices, TheFixedCellEditorReportsItsCellAndText)
{
    grid->MouseActions()->SetFixedRowsEdit(TGridFixedCellEdit::fceDblClick);
    std::vector<String> changes;
    grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
        changes.push_back(QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v));
    };
    grid->SetCells(3, 0, "Head");
    Simulate::DoubleClick(grid, Middle(3, 0));
    ASSERT_TRUE(grid->TransEdit()->Visible());
    EXPECT_EQ(grid->TransEdit()->Text(), String("Head"));
    Simulate::Key(grid->TransEdit(), Qt::Key_End);
    Simulate::Type(grid->TransEdit(), "er");
    EXPECT_EQ(changes, (std::vector<String>{"3,0 Heade", "3,0 Header"}));
}

// A stretched picture fills its cell less the text margins: the offset on both sides, or on the top-left only.
TEST_F(GridServices, APictureCellLeavesRoomForTheTextMargins)
{
    grid->SetColWidths(1, 80);
    grid->SetRowHeights(1, 30);
    TPicture* picture = grid->CreatePicture(1, 1, false, TStretchMode::Stretch, 0, TCellHAlign::haLeft,
                                            TCellVAlign::vaTop);
    picture->Bitmap()->SetSize(200, 100);
    const struct {
        TPoint Offset;
        bool TopLeftOnly;
        TPoint Expected;
    } cases[] = {
        {{2, 2}, false, {80 - 4 - 1, 30 - 4 - 1}},
        {{2, 2}, true, {80 - 2 - 1, 30 - 2 - 1}},
        {{5, 1}, false, {80 - 10 - 1, 30 - 2 - 1}},
        {{0, 0}, false, {80 - 1, 30 - 1}},
    };
    for (const auto& c : cases) {
        grid->SetXYOffset(c.Offset);
        grid->SetXYOffsetTopLeftOnly(c.TopLeftOnly);
        TPoint size;
        grid->CellGraphicExtent(1, 1, size, 0);
        EXPECT_EQ(size.X, c.Expected.X) << c.Offset.X << "," << c.Offset.Y << " top-left only " << c.TopLeftOnly;
        EXPECT_EQ(size.Y, c.Expected.Y) << c.Offset.X << "," << c.Offset.Y << " top-left only " << c.TopLeftOnly;
    }
}

// ---- The grid text stream ---------------------------------------------------------------------------------------
QByteArray Utf16Lines(const std::vector<String>& lines)
{
    QByteArray bytes;
    for (const String& line : lines) {
        for (QChar ch : line + QStringLiteral("\r\n")) {
            bytes.append(char(ch.unicode() & 0xFF));
            bytes.append(char(ch.unicode() >> 8));
        }
    }
    return bytes;
}

QByteArray Saved(TZvStringGrid* grid)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    grid->SaveToStream(&buffer);
    return buffer.data();
}

TEST_F(GridServices, TheStreamHoldsCountsWidthsAndTheNonEmptyCells)
{
    grid->SetColCount(3);
    grid->SetRowCount(2);
    grid->SetColWidths(0, 30);
    grid->SetColWidths(1, 40);
    grid->SetColWidths(2, 50);
    grid->SetCells(1, 1, "a");
    EXPECT_EQ(Saved(grid), Utf16Lines({"3,2", "cw 0,30", "cw 1,40", "cw 2,50", "1,1,a"}));

    // Without the fixed cells the cells count from the first normal one; a line break is kept as 9 and 8.
    grid->SetSaveFixedCells(false);
    grid->SetCells(2, 1, "x\r\ny");
    EXPECT_EQ(Saved(grid), Utf16Lines({"2,1", "cw 0,30", "cw 1,40", "cw 2,50", "0,0,a",
                                       QStringLiteral("1,0,x") + QChar(9) + QChar(8) + QStringLiteral("y")}));
}

// Assign copies the cells through the stream; a multi-line text keeps its lines only with Multilinecells.
TEST_F(GridServices, AssignCarriesTheCellsThroughTheStream)
{
    TZvStringGrid source(nullptr);
    source.SetColCount(4);
    source.SetRowCount(5);
    source.SetCells(0, 0, "Head");
    source.SetCells(2, 3, "x\r\ny");
    source.SetCells(3, 4, QStringLiteral("W\u00e4rme, \u00b0C"));
    source.SetColWidths(2, 77);
    for (bool multiline : {true, false}) {
        TZvStringGrid copy(nullptr);
        copy.SetMultilinecells(multiline);
        copy.SetCells(1, 1, "gone");
        copy.Assign(&source);
        EXPECT_EQ(copy.ColCount(), 4);
        EXPECT_EQ(copy.RowCount(), 5);
        EXPECT_EQ(copy.Cells(0, 0), String("Head"));
        EXPECT_EQ(copy.Cells(2, 3), multiline ? String("x\r\ny") : String("x"));
        EXPECT_EQ(copy.Cells(3, 4), QStringLiteral("W\u00e4rme, \u00b0C"));
        EXPECT_EQ(copy.ColWidths(2), 77);
        EXPECT_EQ(copy.Cells(1, 1), String("gone")) << "loading writes the stream's cells and leaves the others";
    }
}

// The grid's lines may be followed by other data: reading stops at the first foreign line and leaves it unread.
TEST_F(GridServices, LoadingStopsAtTheFirstForeignLine)
{
    QBuffer buffer;
    buffer.setData(Utf16Lines({"2,2", "cw 1,55", "1,1,in", "other data", "0,0,never"}));
    buffer.open(QIODevice::ReadOnly);
    grid->LoadFromStream(&buffer);
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->ColWidths(1), 55);
    EXPECT_EQ(grid->Cells(1, 1), String("in"));
    EXPECT_EQ(grid->Cells(0, 0), String());
    EXPECT_EQ(buffer.pos(), Utf16Lines({"2,2", "cw 1,55", "1,1,in"}).size());
}

// A grid line with a non-number where a number is due raises the conversion error; what came before stays.
TEST_F(GridServices, BrokenStreamsRaiseOrStopWithoutLosingWhatWasRead)
{
    const struct {
        std::vector<String> Lines;
        bool Raises;
    } cases[] = {
        {{"2,x"}, true},
        {{"2,2", "1x,1,text"}, true},
        {{"2,2", "1,y,text"}, true},
        {{"2,2", "cw 1,wide"}, true},
        {{"2,2", "1,1"}, false},      // no text field: not a cell line, so the grid's part ends
        {{"2,2", ",1,text"}, false},  // no column
        {{"2,2", ""}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetCells(4, 5, "before");
        QBuffer buffer;
        buffer.setData(Utf16Lines(c.Lines));
        buffer.open(QIODevice::ReadOnly);
        const String what = c.Lines.empty() ? String("(empty)") : c.Lines.back();
        if (c.Raises) {
            EXPECT_THROW(grid->LoadFromStream(&buffer), EConvertError) << what.toStdString();
        } else {
            EXPECT_NO_THROW(grid->LoadFromStream(&buffer)) << what.toStdString();
        }
        if (c.Lines.empty()) {
            EXPECT_EQ(grid->Cells(4, 5), String("before"));
        }
    }
    // A broken line anywhere leaves the grid as it was: the stream is read whole before the grid changes.
    grid->SetCells(1, 1, "before");
    QBuffer partly;
    partly.setData(Utf16Lines({"3,3", "1,1,ok", "2x,2,bad"}));
    partly.open(QIODevice::ReadOnly);
    EXPECT_THROW(grid->LoadFromStream(&partly), EConvertError);
    EXPECT_EQ(grid->Cells(1, 1), String("before"));
    EXPECT_EQ(grid->ColCount(), 5);

    // An odd number of bytes ends in half a code unit, which is not read.
    QBuffer odd;
    odd.setData(Utf16Lines({"1,1", "0,0,z"}) + QByteArray("\x41", 1));
    odd.open(QIODevice::ReadOnly);
    EXPECT_NO_THROW(grid->LoadFromStream(&odd));
    EXPECT_EQ(grid->Cells(0, 0), String("z"));
}

}   // namespace
