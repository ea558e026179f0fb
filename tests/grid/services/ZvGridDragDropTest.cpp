// Drag and drop: real drag events with prepared data sent to a shown grid,
// the data a drag from the grid carries, and moves between grids.

#include "tests/grid/services/GridOnForm.h"

#include "grid/services/ZvGridOleDragDrop.h"
#include "grid/support/ZvGridTypes.h"
#include "platform/Clipbrd.h"

#include <QApplication>
#include <QDropEvent>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

#include <fstream>

namespace {

QByteArray ColumnBytes(qint32 col)
{
    QByteArray b(4, '\0');
    qToLittleEndian<qint32>(col, b.data());
    return b;
}

// Sends a drag over a window the way the window system does: enter, a move,
// then a drop (or a leave). Returns the action the drop answered (Ignore: refused).
struct DragPlayer {
    QWidget* Widget = nullptr;
    Qt::DropActions Possible = Qt::CopyAction | Qt::MoveAction;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;

    Qt::DropAction Enter(const QMimeData* data, QPoint pt)
    {
        QDragEnterEvent e(pt, Possible, data, Qt::LeftButton, Modifiers);
        QApplication::sendEvent(Widget, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    Qt::DropAction Move(const QMimeData* data, QPoint pt)
    {
        QDragMoveEvent e(pt, Possible, data, Qt::LeftButton, Modifiers);
        QApplication::sendEvent(Widget, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    Qt::DropAction Drop(const QMimeData* data, QPoint pt)
    {
        QDropEvent e(QPointF(pt), Possible, data, Qt::NoButton, Modifiers);
        QApplication::sendEvent(Widget, &e);
        return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
    }
    void Leave()
    {
        QDragLeaveEvent e;
        QApplication::sendEvent(Widget, &e);
    }
    // Enter, move and drop at one point; the drop's answer, Ignore when a move refused.
    Qt::DropAction Play(const QMimeData* data, QPoint pt)
    {
        Enter(data, pt);
        if (Move(data, pt) == Qt::IgnoreAction) {
            Leave();
            return Qt::IgnoreAction;
        }
        return Drop(data, pt);
    }
};

struct GridDragDrop : GridOnForm {
    DragPlayer player;

    void SetUp() override
    {
        ShowGrid(420, 300);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(20);
        grid->SetOptions(grid->Options() + goEditing);
        grid->DragDropSettings()->SetOleDropTarget(true);
        player.Widget = grid->Handle();
    }
    // The middle of a cell, in the grid's pixels.
    QPoint At(int c, int r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    String Cell(int c, int r) const { return grid->Cells(c, r); }
};

std::unique_ptr<QMimeData> TextData(const String& text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

TEST_F(GridDragDrop, TextDropPastesTheBlockAndSelectsIt)
{
    auto data = TextData(QStringLiteral("a\tb\r\nc\td"));
    EXPECT_EQ(player.Play(data.get(), At(2, 2)), Qt::MoveAction);
    EXPECT_EQ(Cell(2, 2), "a");
    EXPECT_EQ(Cell(3, 2), "b");
    EXPECT_EQ(Cell(2, 3), "c");
    EXPECT_EQ(Cell(3, 3), "d");
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));
}

TEST_F(GridDragDrop, EffectFollowsCtrlAndTheAllowedEffects)
{
    struct Case {
        const char* name;
        Qt::DropActions possible;
        Qt::KeyboardModifiers mods;
        Qt::DropAction expected;
    } cases[] = {
        {"move allowed, no Ctrl", Qt::CopyAction | Qt::MoveAction, Qt::NoModifier, Qt::MoveAction},
        {"move allowed, Ctrl", Qt::CopyAction | Qt::MoveAction, Qt::ControlModifier, Qt::CopyAction},
        {"copy only", Qt::CopyAction, Qt::NoModifier, Qt::CopyAction},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        player.Possible = k.possible;
        player.Modifiers = k.mods;
        auto data = TextData(QStringLiteral("x"));
        player.Enter(data.get(), At(1, 1));
        EXPECT_EQ(player.Move(data.get(), At(1, 1)), k.expected);
        player.Leave();
    }
}

TEST_F(GridDragDrop, RefusesOverFixedRowsAndForeignOrBrokenData)
{
    auto text = TextData(QStringLiteral("x"));
    player.Enter(text.get(), At(1, 0));
    EXPECT_EQ(player.Move(text.get(), At(1, 0)), Qt::IgnoreAction) << "fixed row";
    player.Leave();
    EXPECT_EQ(Cell(1, 0), "");

    QMimeData foreign;
    foreign.setData(QStringLiteral("application/x-unknown"), QByteArray("\x01\x02", 2));
    EXPECT_EQ(player.Play(&foreign, At(1, 1)), Qt::IgnoreAction) << "unknown format";

    // Grid cells whose byte count runs past their bytes, and a stream that is no cell stream.
    for (const QByteArray& bad : {QByteArray("\xff\x00\x00\x00\x00\x00\x00\x00junk", 12), WrapGridCells("garbage")}) {
        QMimeData cells;
        cells.setData(QString::fromLatin1(MIME_GRID_CELLS), bad);
        player.Play(&cells, At(1, 1));
        EXPECT_EQ(Cell(1, 1), "");
    }
    // An empty text changes nothing, nor does a column index of the wrong size.
    auto empty = TextData(String());
    player.Play(empty.get(), At(1, 1));
    QMimeData col;
    col.setData(QString::fromLatin1(MIME_GRID_COLUMN), QByteArray("\x01", 1));
    player.Play(&col, At(1, 0));
    EXPECT_EQ(Cell(1, 1), "");
}

TEST_F(GridDragDrop, DroppedTextHonoursTheEditableRule)
{
    grid->SetOptions(grid->Options() - goEditing);
    auto data = TextData(QStringLiteral("a"));
    player.Play(data.get(), At(1, 1));
    EXPECT_EQ(Cell(1, 1), "") << "read-only grid";
    grid->Navigation()->SetAllowClipboardAlways(true);
    player.Play(data.get(), At(1, 1));
    EXPECT_EQ(Cell(1, 1), "a");
}

TEST_F(GridDragDrop, InsertAndAppendModesMakeRoom)
{
    for (int r = 1; r < 6; ++r) grid->SetCells(1, r, QString::number(r));
    grid->DragDropSettings()->SetOleInsertRows(true);
    auto two = TextData(QStringLiteral("x\r\ny"));
    player.Play(two.get(), At(1, 2));
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(Cell(1, 2), "x");
    EXPECT_EQ(Cell(1, 3), "y");
    EXPECT_EQ(Cell(1, 4), "2") << "the overwritten row moved down";

    grid->DragDropSettings()->SetOleInsertRows(false);
    grid->DragDropSettings()->SetOleEntireRows(true);
    grid->DragDropSettings()->SetOleAppendRows(true);
    const TRect last = grid->CellRect(1, grid->RowCount() - 1);
    const QPoint below(last.Left + 5, last.Bottom + 5);
    auto one = TextData(QStringLiteral("z"));
    EXPECT_EQ(player.Play(one.get(), below), Qt::MoveAction);
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(Cell(grid->FixedCols(), 8), "z");
}

TEST_F(GridDragDrop, MarkersFollowTheDragAndGoAtTheLeave)
{
    auto data = TextData(QStringLiteral("x"));
    player.Enter(data.get(), At(2, 3));
    player.Move(data.get(), At(2, 3));
    TArrowWindow* left = grid->ArrowWindow(TArrowDirection::arrLeft);
    ASSERT_TRUE(left->Visible());
    EXPECT_EQ(left->Left(), grid->CellRect(2, 3).Left - 10);
    EXPECT_EQ(left->Top(), grid->CellRect(2, 3).Top);
    player.Leave();
    EXPECT_FALSE(left->Visible());
}

TEST_F(GridDragDrop, ColumnDropReordersAlsoPastTheLastColumn)
{
    grid->DragDropSettings()->SetOleColumnReorder(true);
    for (int c = 0; c < 5; ++c) grid->SetCells(c, 1, QString(QChar(u'A' + c)));
    int droppedTo = -2;
    grid->OnOleDropCol = [&](TObject*, int, int, int to) { droppedTo = to; };
    QMimeData col;
    col.setData(QString::fromLatin1(MIME_GRID_COLUMN), ColumnBytes(1));
    EXPECT_EQ(player.Play(&col, At(3, 0)), Qt::MoveAction);
    EXPECT_EQ(Cell(3, 1), "B");
    EXPECT_EQ(droppedTo, 3);
    EXPECT_TRUE(grid->ArrowWindow(TArrowDirection::arrDown)->Visible() == false);

    // Past the last column: the column goes last.
    const TRect lastHeader = grid->CellRect(4, 0);
    player.Play(&col, QPoint(lastHeader.Right + 20, (lastHeader.Top + lastHeader.Bottom) / 2));
    EXPECT_EQ(droppedTo, 5);
    EXPECT_EQ(Cell(4, 1), "C");

    // Over a normal cell a column is refused.
    player.Enter(&col, At(2, 2));
    EXPECT_EQ(player.Move(&col, At(2, 2)), Qt::IgnoreAction);
    player.Leave();
}

TEST_F(GridDragDrop, RichTextAndLinkDropsFillTheCell)
{
    grid->DragDropSettings()->SetOleDropRTF(true);
    QMimeData rtf;
    rtf.setData(QString::fromLatin1(MIME_RTF), QByteArray("{\\rtf1 hi}\0", 11));
    player.Play(&rtf, At(1, 1));
    EXPECT_EQ(Cell(1, 1), "{\\rtf1 hi}");
    grid->DragDropSettings()->SetOleDropRTF(false);

    QMimeData url;
    url.setUrls({QUrl(QStringLiteral("http://127.0.0.1/page"))});
    String seen;
    grid->OnOleDropURL = [&](TObject*, int, int, const String& u, bool&) { seen = u; };
    player.Play(&url, At(2, 2));
    EXPECT_EQ(seen, "http://127.0.0.1/page");
    EXPECT_EQ(Cell(2, 2), "http://127.0.0.1/page");
}

TEST_F(GridDragDrop, OneCsvFileLoadsByItsExtension)
{
    QTemporaryDir dir;
    auto write = [&](const char* name, const char* text) {
        const String path = dir.filePath(QString::fromLatin1(name));
        std::ofstream(path.toStdString()) << text;
        return path;
    };
    const String csv = write("data.CSV", "p,q\nr,s\n");
    const String bak = write("x.csv.bak", "no,no\n");
    struct Case {
        const char* name;
        std::vector<String> files;
        bool loads;
    } cases[] = {
        {"one csv, any case", {csv}, true},
        {"a csv backup is no csv", {bak}, false},
        {"two files", {csv, bak}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        grid->Clear();
        QMimeData files;
        QList<QUrl> urls;
        for (const String& f : k.files) urls << QUrl::fromLocalFile(f);
        files.setUrls(urls);
        EXPECT_NE(player.Play(&files, At(1, 1)), Qt::IgnoreAction) << "files are taken anywhere";
        EXPECT_EQ(Cell(grid->FixedCols(), grid->FixedRows()) == "p" || Cell(0, 0) == "p", k.loads);
        EXPECT_NE(Cell(0, 0), "no");
    }
}

TEST_F(GridDragDrop, OneWorkbookFileLoadsItsCells)
{
    QTemporaryDir dir;
    const String book = dir.filePath(QStringLiteral("book.xlsx"));
    {
        TZvStringGrid source(nullptr);
        source.SetColCount(3);
        source.SetRowCount(3);
        source.SetCells(1, 1, QStringLiteral("w"));
        source.SetCells(2, 2, QStringLiteral("z"));
        source.SaveToXLS(book, true);
    }
    grid->Clear();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(book)});
    EXPECT_NE(player.Play(&files, At(1, 1)), Qt::IgnoreAction);
    // The sheet's used range starts at its first filled cell; fixed cells are loaded too.
    EXPECT_EQ(Cell(0, 0), "w");
    EXPECT_EQ(Cell(1, 1), "z");
}

TEST_F(GridDragDrop, AutoScrollsNearTheEdgesOnTheTestClock)
{
    grid->SetRowCount(60);
    grid->SetColCount(30);
    grid->SetDefaultRowHeight(25);   // the last row shows in part: the target just below the visible rows
    auto data = TextData(QStringLiteral("x"));
    player.Enter(data.get(), At(1, 1));
    const int top = grid->TopRow();
    const TRect below = grid->CellRect(1, grid->TopRow() + grid->VisibleRowCount() - 1);
    player.Move(data.get(), QPoint(below.Left + 3, below.Bottom + 1));
    EXPECT_EQ(grid->TopRow(), top + 1);

    // Sideways only every second tick of the grid's timer.
    const int left = grid->LeftCol();
    auto rightEdge = [&] {
        const TRect r = grid->CellRect(grid->LeftCol() + grid->VisibleColCount() - 1, 2);
        return QPoint(r.Right + 3, (r.Top + r.Bottom) / 2);
    };
    player.Move(data.get(), rightEdge());
    const int afterFirst = grid->LeftCol();
    player.Move(data.get(), rightEdge());
    EXPECT_EQ(grid->LeftCol(), afterFirst) << "no second step within one tick";
    seams.Clock().Advance(500);
    player.Move(data.get(), rightEdge());
    seams.Clock().Advance(500);
    player.Move(data.get(), rightEdge());
    EXPECT_GT(grid->LeftCol(), left);
    player.Leave();
}

// ---- The drag source ----------------------------------------------------------------------------------------------

TEST(GridDragSource, DataObjectListsItsFormatsInOrder)
{
    SetDragDropFlag(true);
    QBuffer cells;
    cells.setData("stream");
    TSourceDataObject text(QStringLiteral("t"), &cells, -1, String());
    std::unique_ptr<QMimeData> data = text.MimeData();
    EXPECT_EQ(data->formats(), (QStringList{QStringLiteral("text/plain"), QStringLiteral("text/plain;charset=utf-8"),
                                           QStringLiteral("text/rtf"), QString::fromLatin1(MIME_GRID_CELLS)}));
    EXPECT_EQ(data->data(QStringLiteral("text/rtf")), QByteArray()) << "an empty rich text is still offered";
    EXPECT_EQ(data->data(QString::fromLatin1(MIME_GRID_CELLS)), WrapGridCells("stream"));

    TSourceDataObject column(String(), nullptr, 3, String());
    std::unique_ptr<TSourceEnumFormatEtc> list;
    ASSERT_EQ(column.EnumFormatEtc(DATADIR_GET, list), S_OK);
    TFormatEtc entries[5];
    int fetched = 0;
    EXPECT_EQ(list->Next(5, entries, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 4) << "text formats are listed even for a column";
    EXPECT_EQ(entries[3].cfFormat, CF_GRIDCOLUMN);
    EXPECT_EQ(column.QueryGetData(entries[0]), DV_E_FORMATETC) << "but answered only with text";
    EXPECT_EQ(column.MimeData()->formats(), QStringList{QString::fromLatin1(MIME_GRID_COLUMN)});
    EXPECT_EQ(column.EnumFormatEtc(DATADIR_SET, list), E_NOTIMPL);
    SetDragDropFlag(false);
    EXPECT_EQ(text.MimeData()->formats().contains(QStringLiteral("text/rtf")), false);
}

TEST(GridDragSource, EscapeCancelsAndAReleaseDrops)
{
    struct Source : TASGDropSource {
        int stopped = 0, queried = 0;
        void DragStopped() override { ++stopped; }
        void QueryDrag() override { ++queried; }
    } s;
    EXPECT_EQ(s.QueryContinueDrag(false, MK_LBUTTON), S_OK);
    EXPECT_EQ(s.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(s.stopped, 2);
    EXPECT_EQ(s.queried, 3);
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.TargetRefused());
}

// A drag started by pressing a selection and moving, dropped on a second grid.
struct TwoGrids : GridDragDrop {
    TZvStringGrid* other = nullptr;
    void SetUp() override
    {
        GridDragDrop::SetUp();
        other = new TZvStringGrid(form.get());
        other->SetParent(form.get());
        other->SetBounds(0, 200, 380, 80);
        other->SetColCount(5);
        other->SetRowCount(4);
        other->SetOptions(other->Options() + goEditing);
        other->DragDropSettings()->SetOleDropTarget(true);
        grid->SetBounds(0, 0, 380, 190);
        grid->DragDropSettings()->SetOleDropSource(true);
        // A drag starts only from a grid that is not editing; the clipboard's rule still lets it move.
        grid->SetOptions(grid->Options() - goEditing);
        grid->Navigation()->SetAllowClipboardAlways(true);
    }
    void PressAndDrag(TZvStringGrid* g, QPoint from)
    {
        g->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(from.x(), from.y()));
        g->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(from.x() + 10, from.y() + 10));
    }
};

TEST_F(TwoGrids, MoveToAnotherGridCarriesTheCellsAndClearsTheSource)
{
    grid->SetCells(1, 1, QStringLiteral("one"));
    grid->SetCells(2, 1, QStringLiteral("two"));
    grid->SetSelection(TGridRect{1, 1, 2, 1});
    DragPlayer target{other->Handle()};
    seams.PlayDrag = [&](const TDragRequest& r, std::uint32_t& effect) {
        const TRect rc = other->CellRect(1, 2);
        const Qt::DropAction a = target.Play(r.Data, QPoint(rc.Left + 5, rc.Top + 5));
        r.Source->GiveFeedback(DWORD(a));
        r.Source->QueryContinueDrag(false, 0);
        effect = DWORD(a);
        return a == Qt::IgnoreAction ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    };
    int stopEffect = -1;
    grid->OnOleDragStop = [&](TObject*, int e) { stopEffect = e; };
    PressAndDrag(grid, At(1, 1));
    ASSERT_EQ(seams.Drags.size(), 1u);
    EXPECT_EQ(seams.Drags[0].Formats.front().first, "text/plain");
    EXPECT_EQ(other->Cells(1, 2), "one");
    EXPECT_EQ(other->Cells(2, 2), "two");
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(stopEffect, int(DROPEFFECT_MOVE));
}

TEST_F(TwoGrids, OverlappingMoveInOneGridClearsOnlyOutsideTheDrop)
{
    grid->DragDropSettings()->SetOleDropTarget(true);
    grid->SetCells(1, 1, QStringLiteral("a"));
    grid->SetCells(1, 2, QStringLiteral("b"));
    grid->SetSelection(TGridRect{1, 1, 1, 2});
    DragPlayer self{grid->Handle()};
    seams.PlayDrag = [&](const TDragRequest& r, std::uint32_t& effect) {
        const Qt::DropAction a = self.Play(r.Data, At(1, 2));
        effect = DWORD(a);
        return a == Qt::IgnoreAction ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    };
    PressAndDrag(grid, At(1, 1));
    EXPECT_EQ(Cell(1, 1), "") << "source cell outside the dropped block";
    EXPECT_EQ(Cell(1, 2), "a");
    EXPECT_EQ(Cell(1, 3), "b");
}

TEST_F(TwoGrids, CancelledDragChangesNothing)
{
    grid->SetCells(1, 1, QStringLiteral("stay"));
    grid->SetSelection(TGridRect{1, 1, 1, 1});
    PressAndDrag(grid, At(1, 1));   // no script: the drag is cancelled
    ASSERT_EQ(seams.Drags.size(), 1u);
    EXPECT_EQ(Cell(1, 1), "stay");
}

} // namespace
