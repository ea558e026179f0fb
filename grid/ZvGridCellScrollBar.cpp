// Cell scroll bars. Many cells may show a bar, but only one real control
// exists: it is laid over the bar of the cell the pointer is on, so that bar
// can be dragged; every other cell's bar is only painted, by a windowless bar.
#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

#include "platform/ScrollBar.h"

#include <algorithm>

namespace {
// A scroll-bar line and page in the cell's pixels.
constexpr int CellScrollLine = 10;
constexpr int CellScrollPage = 100;
constexpr int CellScrollBarWidth = 17;
}   // namespace

void TZvStringGrid::PlaceCellScrollBar(TGridCoord Cell)
{
    TScrollBar* bar = d->FScrollBar;
    if (!bar) return;
    const int rc = RealColIndex(Cell.X);
    if (!HasScrollBar(rc, Cell.Y)) {
        bar->SetVisible(false);
        return;
    }
    d->FScrollCol = rc;
    d->FScrollRow = Cell.Y;
    const int pos = GetScrollPosition(rc, Cell.Y);
    int page = 0, range = 0;
    GetScrollProp(rc, Cell.Y, page, range);
    bar->SetParams(pos, bar->Min(), std::max(bar->Max(), pos));
    if (page >= range) return;
    const TRect r = CellRect(Cell.X, Cell.Y);
    const int line = GridLineWidth();
    if (bar->Visible() && bar->Top() == r.Top + line && bar->Left() == r.Right - bar->Width() - line) return;
    bar->SetPageSize(page);
    bar->SetParams(pos, 0, range);
    bar->SetBounds(r.Right - CellScrollBarWidth - line, r.Top + line, CellScrollBarWidth, r.Height() - 2 * line);
    bar->SetVisible(true);
}

// After a scroll or a resize the control stays over the bar it was laid on;
// it is hidden while that cell is out of view.
void TZvStringGrid::FollowCellScrollBar()
{
    TScrollBar* bar = d->FScrollBar;
    if (!bar || !bar->Visible()) return;
    const int col = IsHiddenColumn(d->FScrollCol) ? -1 : RealToDisplayCol(d->FScrollCol);
    const int row = d->FScrollRow;
    const bool inView = col >= LeftCol() && col <= LeftCol() + VisibleColCount() && row >= TopRow() &&
                        row <= TopRow() + VisibleRowCount() && row < RowCount();
    if (!inView) {
        bar->SetBounds(bar->Left(), bar->Top(), bar->Width(), 0);
        return;
    }
    const TRect r = CellRect(col, row);
    const int line = GridLineWidth();
    bar->SetBounds(r.Right - bar->Width() - line, r.Top + line, bar->Width(), r.Height() - 2 * line);
}

bool TZvStringGrid::CellScrollBarMessage(TWMScroll& Message)
{
    TScrollBar* bar = d->FScrollBar;
    if (!bar || Message.ScrollBar != reinterpret_cast<LPARAM>(bar)) return false;
    const int old = bar->Position();
    int pos = old;
    switch (Message.ScrollCode()) {
    case SB_LINEUP: pos -= CellScrollLine; break;
    case SB_LINEDOWN: pos += CellScrollLine; break;
    case SB_PAGEUP: pos -= CellScrollPage; break;
    case SB_PAGEDOWN: pos += CellScrollPage; break;
    case SB_TOP: pos = bar->Min(); break;
    case SB_BOTTOM: pos = bar->Max(); break;
    case SB_THUMBTRACK: pos = Message.Pos(); break;
    default: break;   // the end of a drag: the position is where tracking left it
    }
    bar->SetPosition(pos);
    // Answered either way: the bar of a cell moves only with its cell.
    Message.Result = 1;
    if (bar->Position() == old) return true;
    SetScrollPosition(d->FScrollCol, d->FScrollRow, bar->Position());
    RepaintCell(RealToDisplayCol(d->FScrollCol), d->FScrollRow);
    FireScrollCell(d->FScrollCol, d->FScrollRow, bar->Position(), bar->Min(), bar->Max());
    return true;
}

int TZvStringGrid::PaintCellScrollBar(TCanvas& Canvas, int RCol, int ARow, const TRect& ARect)
{
    TScrollBar* bar = d->FPaintScrollBar;
    if (!bar) return 0;
    int page = 0, range = 0;
    GetScrollProp(RCol, ARow, page, range);
    const int pos = GetScrollPosition(RCol, ARow);
    if (page < range) {
        bar->SetPageSize(page);
        bar->SetParams(pos, 0, range);
    } else {
        bar->SetPageSize(0);
        bar->SetParams(0, 0, 0);
    }
    const int width = CellScrollBarWidth;
    bar->DrawTo(Canvas, Rect(ARect.Right - width, ARect.Top, ARect.Right, ARect.Bottom));
    return width;
}
