// What the pointer does on top of the press and release rules: the fixed
// cells' drop-down button and editing, the header filter list, the disjunct
// cell selection, hover of rows, fixed cells, buttons and links, row and
// column drag selection, sizing of fixed cells and the sizing hint.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/services/panels/ZvFilterDropLists.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLRender.h"
#include "grid/support/ZvHTMLUtil.h"
#include "platform/Cursors.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/ScopeGuard.h"

#include <cmath>
#include <functional>

namespace {

bool Inside(const TRect& r, int X, int Y) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; }

// The filter list's rows and the width of the window edge around it.
constexpr int FilterListItemHeight = 16;
constexpr int FilterListEdge = 2;

} // namespace

TRect TZvStringGrid::FilterListBounds() const { return d->FFilterListBounds; }
const TStringList& TZvStringGrid::FilterListItems() const { return d->FFilterListItems; }
bool TZvStringGrid::FilterListTicked(int Index) const
{
    return Index >= 0 && Index < int(d->FFilterListTicked.size()) && d->FFilterListTicked[std::size_t(Index)];
}
int TZvStringGrid::FilterListColumn() const { return d->FFilterCol; }

// ---- Mouse down ---------------------------------------------------------------------------------------
void TZvStringGrid::MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridCoord cell = MouseCoord(X, Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    if (Button == TMouseButton::mbLeft && onCell && d->FMouseActions->RangeSelectAndEdit() &&
        !d->FMouseActions->EditOnDblClickOnly()) {
        const bool current = cell.X == Col() && cell.Y == Row();
        if (current && !Options().Contains(goEditing) && IsEditable(RealColIndex(cell.X), cell.Y)) {
            SetOptions(Options() + goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            ShowInplaceEdit();
            return;
        }
        // Shift grows the range without editing.
        if (!current && Shift.Contains(ssShift) && Options().Contains(goEditing)) {
            SetOptions(Options() - goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }
    if (onCell && PressFixedDropDown(cell, X)) return;
    if (onCell && IsHoverFixedCell(cell.X, cell.Y) && cell.Y == FixedRows() - 1 &&
        d->FControlLook->FixedGradientDownTo() != clNone)
        RepaintCell(cell.X, cell.Y);
    {
        d->FEditStart = true;
        const TScopeExit done([this] { d->FEditStart = false; });
        TBaseGrid::MouseDown(Button, Shift, X, Y);
    }
    if (Shift.Contains(ssShift) && d->FSelectionRectangle) InvalidateRect(Selection());
    if (EditFixedCellOnPress(Button, cell, X, Y)) return;
    if (TZvStringGrid* other = d->FSyncGrid->Grid(); other && other != this && !d->FSyncing) {
        d->FSyncing = true;
        const TScopeExit synced([this] { d->FSyncing = false; });
        if (d->FSyncGrid->SelectionColumn() && Col() < other->ColCount()) other->SetCol(Col());
        if (d->FSyncGrid->SelectionRow() && Row() < other->RowCount()) other->SetRow(Row());
    }
}

// The drop-down button in the rightmost 16 pixels of a hover-highlighted
// fixed cell pops its menu up under the cell; true when the press was its.
bool TZvStringGrid::PressFixedDropDown(TGridCoord Cell, int X)
{
    if (!d->FControlLook->FixedDropDownButton() || !IsHoverFixedCell(Cell.X, Cell.Y)) return false;
    const TRect r = CellRect(Cell.X, Cell.Y);
    const int right = Options().Contains(goColSizing) ? r.Right - 2 : r.Right;
    if (X <= r.Right - 16 || X >= right) return false;
    d->FDropDownDown = true;
    TPopupMenu* menu = d->FFixedDropDownMenu;
    if (!menu && !OnFixedDropDownClick) return false;
    d->FNoMouseLeave = true;
    if (menu) menu->SetTag(Cell.X);
    bool keep = false;
    if (OnFixedDropDownClick) OnFixedDropDownClick(this, Cell.X, menu, keep);
    if (menu) {
        d->FMouseDownMove = false;
        d->FHoverFixedCell = Cell;
        RepaintCell(Cell.X, Cell.Y);
        const TPoint at = ClientToScreen(TPoint{r.Right - 16, r.Bottom});
        menu->Popup(at.X, at.Y);
        d->FHoverFixedCell = {-1, -1};
        RepaintCell(Cell.X, Cell.Y);
    }
    d->FNoMouseLeave = keep;
    return true;
}

// A click in a fixed cell edits it where the fixed-cell settings ask for a
// click. A right press obeys fceRightClick, a left one fceLeftClick; where
// sizing is on, the click must keep 4 pixels from the borders.
bool TZvStringGrid::EditFixedCellOnPress(TMouseButton Button, TGridCoord Cell, int X, int Y)
{
    if (Cell.X < 0 || Cell.Y < 0) return false;
    const bool fixedRow = Cell.Y < FixedRows();
    const bool fixedCol = Cell.X < FixedCols();
    const TGridFixedCellEdit wanted =
        Button == TMouseButton::mbRight ? TGridFixedCellEdit::fceRightClick : TGridFixedCellEdit::fceLeftClick;
    if (Button != TMouseButton::mbLeft && Button != TMouseButton::mbRight) return false;
    bool border = false;
    if (fixedRow && d->FMouseActions->FixedRowsEdit() == wanted) border = Options().Contains(goColSizing);
    else if (fixedCol && d->FMouseActions->FixedColsEdit() == wanted) border = Options().Contains(goRowSizing);
    else return false;
    TRect r = CellRect(Cell.X, Cell.Y);
    if (border) r = {r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
    if (Inside(r, X, Y)) EditFixedCell(Cell.X, Cell.Y);
    return true;
}

// ---- Mouse up -----------------------------------------------------------------------------------------
void TZvStringGrid::MouseUpHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (d->FDesignTime) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        return;
    }
    const TGridRect atStart = Selection();
    const bool report = Button == TMouseButton::mbLeft ||
                        (Button == TMouseButton::mbRight && d->FMouseActions->SelectOnRightClick());
    const TGridCoord cell = MouseCoord(X, Y);
    FilterListOnRelease(cell, X, Y);
    d->FDropDownDown = false;
    // A border dragged out of the grid sizes nothing.
    if ((GridState() == gsColSizing && X > Width()) || (GridState() == gsRowSizing && Y > Height())) {
        FGridState = gsNormal;
        FSizingIndex = -1;
        return;
    }
    if (Button == TMouseButton::mbLeft && d->FMouseActions->DisjunctCellSelect() && cell.X >= 0 && cell.Y >= 0 &&
        !DisjunctCellsOnRelease(cell, Shift))
        return;
    if (report) FireSelectionChanged(atStart.Left, atStart.Top, atStart.Right, atStart.Bottom);
    if (Button == TMouseButton::mbRight && GridState() == gsColMoving) return;
    // The base grid sizes the column or row at the release: remember which,
    // so that the width-change step knows the user sized it.
    if (GridState() == gsColSizing) d->FUserSizedCol = FSizingIndex;
    if (GridState() == gsRowSizing) d->FUserSizedRow = FSizingIndex;
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (cell.X >= 0 && cell.Y >= 0 && IsHoverFixedCell(cell.X, cell.Y) && cell.Y == FixedRows() - 1 &&
        d->FControlLook->FixedGradientDownTo() != clNone)
        RepaintCell(cell.X, cell.Y);
    const TGridRect now = Selection();
    if (now != atStart) FireSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

// The header filter button (the rightmost 16 pixels of a cell in the filter
// row) opens the column's filter list; any other release closes a plain list.
bool TZvStringGrid::FilterListOnRelease(TGridCoord Cell, int X, int Y)
{
    const int filterRow = FilterService().FFilterDropDownRow;
    if (Cell.X >= 0 && Cell.Y == filterRow) {
        const int rc = RealColIndex(Cell.X);
        const TRect r = CellRect(Cell.X, Cell.Y);
        if (rc != d->FFilterCol && X > r.Right - 16 && X < r.Right - 3 && Y < r.Top + 19 && QueryColumnFilter(rc)) {
            OpenFilterList(Cell.X, Cell.Y);
            return true;
        }
    }
    if (TDropList* list = FilterDropList(); list && list->Visible()) list->SetVisible(false);
    d->FFilterCol = -1;
    return false;
}

// The column's filter list under its header: each entry shows the text
// before its first "="; in the check list an entry is ticked when a filter
// condition of the column names it (a text with a blank in double quotes).
void TZvStringGrid::OpenFilterList(int ACol, int ARow)
{
    const int rc = RealColIndex(ACol);
    d->FFilterCol = rc;
    TZvGridFilter& f = FilterService();
    // The list's pick is taken by the filter service at the column it names.
    f.SetFilterCol(rc);
    TStringList* entries = FilterValues();
    TStringList shown;
    std::vector<bool> ticked;
    int widest = 0;
    if (entries) {
        for (int i = 0; i < entries->Count(); ++i) {
            const String entry = entries->Strings(i);
            const int eq = entry.indexOf(u'=');
            const String text = eq < 0 ? entry : entry.left(eq);
            shown.Add(text);
            bool on = false;
            if (f.FFilterDropDownCheck) {
                const String quoted = text.contains(u' ') ? u'"' + text + u'"' : text;
                for (int k = 0; k < Filter()->Count(); ++k)
                    if (Filter()->Items(k)->Column() == rc && Filter()->Items(k)->Condition() == quoted) on = true;
            }
            ticked.push_back(on);
            if (Canvas()) widest = std::max(widest, Canvas()->TextWidth(text) + 8);
        }
    }
    TFilterDropDown* dd = f.FFilterDropDown.get();
    const TRect cell = CellRect(ACol, ARow);
    TRect place{cell.Right - 16, cell.Top + 16, 0, 0};
    int width = dd ? dd->Width() : 150, height = dd ? dd->Height() : 150;
    if (dd && dd->AutoSize()) {
        height = shown.Count() * FilterListItemHeight + 2 * FilterListEdge;
        width = widest + 2 * FilterListEdge;
    }
    if (dd && dd->ColumnWidth()) {
        place.Left = cell.Left;
        width = cell.Right - cell.Left;
    }
    if (place.Left + width > Width()) place.Left = std::max(0, CellRect(ACol, 0).Right - width);
    d->FFilterListBounds = {place.Left, place.Top, place.Left + width, place.Top + height};
    d->FFilterListItems.Assign(&shown);
    d->FFilterListTicked = ticked;
    TCustomControl* list = f.FFilterDropDownCheck ? static_cast<TCustomControl*>(FilterDropCheckList())
                                                  : static_cast<TCustomControl*>(FilterDropList());
    if (!list) return;
    if (dd) {
        list->SetColor(dd->Color());
        list->Font()->Assign(dd->Font());
    }
    list->SetParent(this);
    list->SetBounds(place.Left, place.Top, width, height);
    list->SetVisible(true);
    if (list->CanFocus()) list->SetFocus();
}

// A release in the disjunct cell selection: Shift adds the clicked cell, Ctrl
// toggles its base cell, a plain click starts over from it. False when
// OnSelectCell refused the cell, which ends the release.
bool TZvStringGrid::DisjunctCellsOnRelease(TGridCoord Cell, TShiftState Shift)
{
    const TPoint rb = BaseCell(RealColIndex(Cell.X), Cell.Y);
    const TGridCoord base{RealToDisplayCol(rb.X), rb.Y};
    const bool baseFixed = IsFixed(base.X, base.Y) || base.X < FixedCols() || base.Y < FixedRows();
    if (!baseFixed) {
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, base.X, base.Y, can);
        if (!can) return false;
        if (Shift.Contains(ssShift)) {
            SetSelectedCells(Cell.X, Cell.Y, true);
        } else if (Shift.Contains(ssCtrl)) {
            SetSelectedCells(base.X, base.Y, !GetSelectedCells(base.X, base.Y));
        } else {
            RepaintSelectedCells();
            d->FSelectedCells->Clear();
            SetSelectedCells(base.X, base.Y, true);
        }
    } else if (!IsFixed(Cell.X, Cell.Y) && !Shift.Contains(ssCtrl)) {
        d->FSelectedCells->Clear();
        Invalidate();
    }
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        RepaintCell(s.Left, s.Top);
    } else {
        AddSelectionToSelectedCells(base);
        RepaintCell(Cell.X, Cell.Y);
    }
    return true;
}

// ---- Mouse move ---------------------------------------------------------------------------------------
void TZvStringGrid::MouseMoveHook(TShiftState Shift, int X, int Y)
{
    if (d->FMouseDownMove && d->FMouseActions->RangeSelectAndEdit() && Options().Contains(goEditing) &&
        !EditorMode())
        SetOptions(Options() - goEditing);
    const TGridRect before = Selection();
    if (GridState() == gsSelecting && d->FSelectionRectangle && before != d->FSizeSelection)
        d->FSizeSelection = before;

    if (OleDragOnMove(Shift, X, Y)) return;
    const TGridCoord cell = MouseCoord(X, Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    if (onCell && !d->FDesignTime) HoverOnMove(cell, X, Y);
    DragSelectOnMove(cell, Y);
    FixedBordersOnMove(cell, X, Y);
    MoveEventsOnMove(X, Y);
    if (GridState() == gsColMoving || GridState() == gsRowMoving) RowColMoveOnMove(cell, X, Y);

    // A drag that selects whole rows or columns keeps its mode to its end.
    if (d->FMouseSelectStart < 0) d->FMouseSelectMode = MouseSelectModeAt(cell, X, Y);
    const bool linkCursor = onCell && LinkHoverOnMove(cell, X, Y);
    EndHintOfOtherCell(X, Y);
    if (GridState() == gsSelecting && d->FSelectionRectangle && Selection() != d->FMoveSelection) {
        InvalidateRect(Selection());
        d->FMoveSelection = Selection();
    }
    TBaseGrid::MouseMove(Shift, X, Y);
    if (d->FNavigation->KeepHorizScroll() && d->FMouseKeepDown && GridState() != gsColMoving &&
        d->FOldKeepLeftCol >= FixedCols() && LeftCol() != d->FOldKeepLeftCol) {
        StartUpdate();
        SetLeftCol(d->FOldKeepLeftCol);
        ResetUpdate();
    }
    SizingHintOnMove(X, Y);
    if (!linkCursor) PointerCursorHook(X, Y);
    if (d->FEnhRowColMove && (GridState() == gsColMoving || GridState() == gsRowMoving)) Update();
    const TGridRect now = Selection();
    if (now != before) FireSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

// Hover of the row, the fixed cells and the cell buttons under the pointer.
void TZvStringGrid::HoverOnMove(TGridCoord Cell, int X, int Y)
{
    if (HoverRow() && Cell.Y != HoverRowIdx()) {
        const int old = HoverRowIdx();
        SetHoverRowIdx(Cell.Y);
        RepaintRow(Cell.Y);
        if (old >= 0 && old < RowCount()) RepaintRow(old);
    }
    PlaceCellScrollBar(Cell);
    if (d->FHoverFixedCells != THoverFixedCells::hfNone && !d->FNoMouseLeave) {
        const TGridCoord hovered = IsHoverFixedCell(Cell.X, Cell.Y) ? Cell : TGridCoord{-1, -1};
        const TGridCoord old = d->FHoverFixedCell;
        if (hovered != old) {
            d->FHoverFixedCell = hovered;
            auto near = [this](TGridCoord c) {
                return c.X >= 0 && (c.Y <= FixedRows() || c.X <= FixedCols());
            };
            if (near(old)) RepaintCell(old.X, old.Y);
            if (near(hovered)) RepaintCell(hovered.X, hovered.Y);
        }
    }
    if (d->FLook == TGridLook::glListView && Cell != d->FHotFixedCell) {
        const TGridCoord old = d->FHotFixedCell;
        d->FHotFixedCell = Cell;
        auto fixed = [this](TGridCoord c) { return c.X >= 0 && (c.X < FixedCols() || c.Y < FixedRows()); };
        if (fixed(old)) RepaintCell(old.X, old.Y);
        if (fixed(Cell)) RepaintCell(Cell.X, Cell.Y);
    }
    // The painter compares the hovered button by real column.
    const int rc = RealColIndex(Cell.X);
    const bool onButton = (HasButton(rc, Cell.Y) && Inside(CellButtonRect(Cell.X, Cell.Y), X, Y)) ||
                          (HasExpand(rc, Cell.Y) && Inside(ExpandButtonRect(rc, Cell.Y), X, Y));
    const TGridCoord old = d->FHoverButtonCell;
    const TGridCoord now = onButton ? TGridCoord{rc, Cell.Y} : TGridCoord{-1, -1};
    if (now != old) {
        d->FHoverButtonCell = now;
        if (old.X >= 0) RepaintCell(RealToDisplayCol(old.X), old.Y);
        if (now.X >= 0) RepaintCell(Cell.X, Cell.Y);
    }
}

// A drag begun on a row header selects whole rows (scrolling at the top and
// bottom edges); one begun on a column header whole columns.
void TZvStringGrid::DragSelectOnMove(TGridCoord Cell, int Y)
{
    if (d->FMouseSelectStart < 0 || Cell.X < 0 || Cell.Y < 0) return;
    auto apply = [this](const TGridRect& sel) {
        if (sel == Selection()) return;
        SetSelection(sel);
        if (d->FSelectionRectangle) {
            Invalidate();
            d->FMoveSelection = sel;
        }
    };
    if (d->FMouseSelectMode == TMouseSelectMode::msRow && d->FMouseActions->RowSelect()) {
        if (Cell.Y >= FixedRows() && Cell.Y <= RowCount() - d->FFixedFooters) {
            const int to = std::min(std::max(Cell.Y, FixedRows()), RowCount() - 1);
            apply(GridRect({FixedCols(), std::max(d->FMouseSelectStart, FixedRows())}, {ColCount() - 1, to}));
        }
        if (Y > Height() - 4 && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
        if (FixedRows() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            d->FDragScrolledUp = true;
        }
    } else if (d->FMouseSelectMode == TMouseSelectMode::msColumn && d->FMouseActions->ColSelect()) {
        const int to = std::max(Cell.X, FixedCols());
        apply(GridRect({std::max(d->FMouseSelectStart, FixedCols()), FixedRows()}, {to, RowCount() - 1}));
    }
}

// Within 2 pixels of a fixed column's right border (or a fixed row's bottom
// one) the pointer may size it; while it does, the sizing line follows.
void TZvStringGrid::FixedBordersOnMove(TGridCoord Cell, int X, int Y)
{
    if (d->FFixedSizing || d->FFixedRowSizing) {
        if (d->FFixedSizing) DrawFixedSizingLine(true, X);
        if (d->FFixedRowSizing) DrawFixedSizingLine(false, Y);
        return;
    }
    d->FFixedSizingHover = false;
    d->FFixedRowSizingHover = false;
    d->FFixedSizingIndex = -1;
    d->FFixedRowSizingIndex = -1;
    if (Cell.X < 0 || Cell.Y < 0 || d->FDesignTime) return;
    // A border lies after the sizes up to it plus one pixel per line before it.
    auto borderAt = [](int count, int pos, const std::function<int(int)>& size) {
        int edge = 0;
        for (int i = 0; i < count; ++i) {
            edge += size(i) + (i > 0 ? 1 : 0);
            if (std::abs(pos - edge) < 3) return i;
        }
        return -1;
    };
    if (d->FMouseActions->SizeFixedCol()) {
        d->FFixedSizingIndex = borderAt(FixedCols(), X, [this](int c) { return ColWidths(c); });
        d->FFixedSizingHover = d->FFixedSizingIndex >= 0;
    }
    if (d->FMouseActions->SizeFixedRow()) {
        d->FFixedRowSizingIndex = borderAt(FixedRows(), Y, [this](int r) { return RowHeights(r); });
        d->FFixedRowSizingHover = d->FFixedRowSizingIndex >= 0;
    }
}

// The dotted line of a fixed column or row being sized is painted with the
// grid; moving it repaints the strips it leaves and enters.
void TZvStringGrid::DrawFixedSizingLine(bool Column, int Pos)
{
    int& at = Column ? d->FSizeFixedX : d->FSizeFixedY;
    if (at == Pos) return;
    const int old = at;
    at = Pos;
    for (int p : {old, Pos}) {
        if (p < 0) continue;
        const TRect strip = Column ? TRect{p - 1, 0, p + 2, Height()} : TRect{0, p - 1, Width(), p + 2};
        TWinControl::InvalidateRect(strip);
    }
}

// The 6 by 6 pixel square at the bottom-right corner of the selection (its
// bottom-left one when reading right to left).
bool TZvStringGrid::OnResizeHandle(int X, int Y)
{
    if (!d->FSelectionResizer || !d->FSelectionRectangle) return false;
    const TGridRect s = Selection();
    const TRect r = CellRect(std::max(s.Left, s.Right), std::max(s.Top, s.Bottom));
    if (r.Right <= r.Left) return false;
    const TRect grip = UseRightToLeftReading() ? TRect{r.Left, r.Bottom - 6, r.Left + 6, r.Bottom}
                                               : TRect{r.Right - 6, r.Bottom - 6, r.Right, r.Bottom};
    return Inside(grip, X, Y);
}

// Sizing and moving: which one happened, and whether a move may go on.
void TZvStringGrid::MoveEventsOnMove(int X, int Y)
{
    (void)X;
    (void)Y;
    if (d->FDesignTime) return;
    if (GridState() == gsColSizing) d->FColSized = true;
    if (GridState() == gsRowSizing) d->FRowSized = true;
    bool allow = true;
    if (GridState() == gsColMoving && OnColumnMove) OnColumnMove(this, FMoveIndex, allow);
    if (GridState() == gsRowMoving && OnRowMove) OnRowMove(this, FMoveIndex, allow);
    if (!allow) FGridState = gsNormal;
}

// A column or row dragged to a new place: the target follows the pointer,
// OnColumnMoving / OnRowMoving choose the pointer shape, the view scrolls at
// its edges.
void TZvStringGrid::RowColMoveOnMove(TGridCoord Cell, int X, int Y)
{
    if (RowCount() <= 1 || !d->FEnhRowColMove || d->FFixedSizing || d->FFixedRowSizing) return;
    if (X == d->FPressPos.X && Y == d->FPressPos.Y) return;
    if (d->FMoveColInd < 0 && d->FMoveRowInd < 0) FireStartBlockFocus(Cell.X, Cell.Y);
    bool allow = true;
    if (GridState() == gsColMoving) {
        int fixedWidth = 0;
        for (int c = 0; c < FixedCols(); ++c) fixedWidth += ColWidths(c);
        if (VisibleColCount() < ColCount() - FixedCols()) {
            if (X < fixedWidth && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
            else if (X > Width() && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
        }
        d->FMoveColInd = Cell.X;
        if (OnColumnMoving) OnColumnMoving(this, Cell.X, allow);
        ShowHeaderDragPicture(FMoveIndex, ClientToScreen(TPoint{X, Y}));
    } else {
        const bool footerRow = d->FFloatingFooter->Visible() &&
                               d->FFloatingFooter->FooterStyle() == TFooterStyle::fsFixedLastRow &&
                               Cell.Y == RowCount() - 1;
        int fixedHeight = 0;
        for (int r = 0; r < FixedRows(); ++r) fixedHeight += RowHeights(r);
        if (VisibleRowCount() < RowCount() - FixedRows()) {
            if (Y < fixedHeight && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
            else if (Y > Height() && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
        }
        if (!footerRow) d->FMoveRowInd = Cell.Y;
        if (OnRowMoving) OnRowMoving(this, Cell.Y, allow);
    }
    ShowCursorNow(this, allow ? crDrag : crNoDrop);
}

TMouseSelectMode TZvStringGrid::MouseSelectModeAt(TGridCoord Cell, int X, int Y)
{
    if (OnResizeHandle(X, Y)) return TMouseSelectMode::msResize;
    if (Cell.X < 0 || Cell.Y < 0) return TMouseSelectMode::msNormal;
    const bool fixedRow = Cell.Y < FixedRows();
    const bool fixedCol = Cell.X < FixedCols();
    if (fixedRow && fixedCol && d->FMouseActions->AllSelect()) return TMouseSelectMode::msAll;
    const TRect r = CellRect(Cell.X, Cell.Y);
    const bool colBorder =
        fixedRow && Options().Contains(goColSizing) && (std::abs(X - r.Left) < 4 || std::abs(r.Right - X) < 4);
    const bool rowBorder =
        fixedCol && Options().Contains(goRowSizing) && (std::abs(Y - r.Top) < 3 || std::abs(r.Bottom - Y) < 3);
    if (colBorder || rowBorder) return TMouseSelectMode::msNormal;
    if (fixedRow && !fixedCol && d->FMouseActions->ColSelect()) return TMouseSelectMode::msColumn;
    const bool footer = d->FFloatingFooter->Visible() &&
                        d->FFloatingFooter->FooterStyle() == TFooterStyle::fsFixedLastRow;
    const int first = d->FDragScrolledUp ? 0 : FixedRows();
    const int last = RowCount() - (footer ? 2 : 1);
    if (fixedCol && Cell.Y >= first && Cell.Y <= last && d->FMouseActions->RowSelect()) {
        const int rr = RealRowIndex(Cell.Y);
        const bool nodeArea = Cell.X == 0 && HasNodes() && IsNode(rr) &&
                              (!d->FMouseActions->PreciseNodeClick() || IsInNodeButton(Cell.Y, X));
        if (!nodeArea) return TMouseSelectMode::msRow;
    }
    return TMouseSelectMode::msNormal;
}

// Links under the pointer: a URL text or a markup anchor shows the hand, and
// entering or leaving an anchor is reported. True when it set the pointer.
bool TZvStringGrid::LinkHoverOnMove(TGridCoord Cell, int X, int Y)
{
    const int rc = RealColIndex(Cell.X);
    const String text = GetCellEx(rc, Cell.Y);
    const bool html = CellTextKind(text, true) == ctHTML;
    if (!html) {
        if (d->FURLUnderlineOnHover && (d->FHoverCell.X >= 0 || d->FHoverLink >= 0)) {
            const TGridCoord old = d->FHoverCell;
            d->FHoverLink = -1;
            d->FHoverCell = {-1, -1};
            if (old.X >= 0) RepaintCell(old.X, old.Y);
        }
        if (d->FURLShow && IsURLText(text)) {
            ShowCursorNow(this, crHandPoint);
            return true;
        }
        return false;
    }
    THTMLDrawResult hit;
    const bool overAnchor = HitTestMarkup(Cell.X, Cell.Y, X, Y, hit);
    if (d->FURLUnderlineOnHover) {
        const int link = overAnchor ? hit.MouseLink : -1;
        if (link != d->FHoverLink || Cell != d->FHoverCell) {
            const TGridCoord old = d->FHoverCell;
            d->FHoverLink = link;
            d->FHoverCell = overAnchor ? Cell : TGridCoord{-1, -1};
            if (old.X >= 0) RepaintCell(old.X, old.Y);
            RepaintCell(Cell.X, Cell.Y);
        }
    }
    if (!overAnchor) {
        if (!d->FAnchor.isEmpty()) {
            if (OnAnchorExit) OnAnchorExit(this, Cell.Y, Cell.X, String());
            d->FAnchor.clear();
        }
        return false;
    }
    const String anchor = hit.AnchorVal;
    String hint = hit.AnchorTitle;
    if (hint.isEmpty() && OnAnchorHint) OnAnchorHint(this, Cell.Y, Cell.X, hint);
    if (!d->FLastAnchorHint.isEmpty() && hint != d->FLastAnchorHint && anchor != d->FAnchor) {
        d->FLastAnchorHint = hint;
        if (Application->HintControl() == this) Application->CancelHint();
    }
    ShowCursorNow(this, crHandPoint);
    if (anchor != d->FAnchor) {
        if (OnAnchorEnter) OnAnchorEnter(this, Cell.Y, Cell.X, anchor);
        d->FAnchor = anchor;
    }
    return true;
}

// While a column or row border is dragged, OnColumnSizing / OnRowSizing get
// the size it would give, and with HintShowSizing a hint shows it.
void TZvStringGrid::SizingHintOnMove(int X, int Y)
{
    String text;
    TGridCoord at{-1, -1};
    if (GridState() == gsColSizing && FSizingIndex >= 0) {
        const TRect r = CellRect(FSizingIndex, 0);
        const int size = X - r.Left - FSizingOfs;
        if (OnColumnSizing) OnColumnSizing(this, FSizingIndex, size);
        text = QStringLiteral("cw=<b>%1</b>").arg(size);
        at = {FSizingIndex, 0};
    } else if (GridState() == gsRowSizing && FSizingIndex >= 0) {
        const TRect r = CellRect(0, FSizingIndex);
        const int size = Y - r.Top - FSizingOfs;
        if (OnRowSizing) OnRowSizing(this, FSizingIndex, size);
        text = QStringLiteral("rh=<b>%1</b>").arg(size);
        at = {0, FSizingIndex};
    } else if (d->FFixedSizing) {
        if (OnColumnSizing) OnColumnSizing(this, 0, d->FSizeFixedX);
        text = QStringLiteral("cw=<b>%1</b>").arg(d->FSizeFixedX);
        at = {0, 0};
    } else if (d->FFixedRowSizing) {
        if (OnRowSizing) OnRowSizing(this, 0, d->FSizeFixedY);
        text = QStringLiteral("rh=<b>%1</b>").arg(d->FSizeFixedY);
        at = {0, 0};
    }
    if (text.isEmpty() || !(d->FDesignTime || d->FHintShowSizing) || !ScrollHintWindow()) return;
    const TRect cell = CellRect(at.X, at.Y);
    const TPoint screen = ClientToScreen(TPoint{cell.Left, cell.Top});
    const TRect size = ScrollHintWindow()->CalcHintRect(200, text, nullptr);
    ScrollHintWindow()->SetCaption(text);
    ScrollHintWindow()->SetBounds(screen.X, screen.Y, size.Right - size.Left, size.Bottom - size.Top);
    ScrollHintWindow()->SetColor(d->FHintColor);
    ScrollHintWindow()->SetVisible(true);
    d->FScrollHintShowing = true;
}

// ---- Mouse leave --------------------------------------------------------------------------------------
void TZvStringGrid::CMMouseLeave(TMessage& Message)
{
    TBaseGrid::CMMouseLeave(Message);
    MouseLeaveHook();
}

void TZvStringGrid::MouseLeaveHook()
{
    d->FMouseSelectMode = TMouseSelectMode::msNormal;
    d->FFixedSizingHover = false;
    d->FFixedRowSizingHover = false;
    if (!d->FNoMouseLeave && d->FHoverFixedCell.X >= 0) {
        const TGridCoord old = d->FHoverFixedCell;
        d->FHoverFixedCell = {-1, -1};
        RepaintCell(old.X, old.Y);
    }
    if (d->FLook == TGridLook::glListView && d->FHotFixedCell.X >= 0) {
        const TGridCoord old = d->FHotFixedCell;
        d->FHotFixedCell = {-1, -1};
        RepaintCell(old.X, old.Y);
    }
    if (HoverRow() && HoverRowIdx() >= 0) {
        const int old = HoverRowIdx();
        SetHoverRowIdx(-1);
        if (old < RowCount()) RepaintRow(old);
    }
}
