// Tab and advance navigation: the moves the grid and every inplace editor
// share, so Tab and Enter behave alike whoever has the focus.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

#include "platform/ScopeGuard.h"

void TZvStringGrid::MoveToFirstRow()
{
    SetRow(FixedRows());
}

// The row and column events see every move; the cell event stays quiet while
// the advance rule moves the cursor, as the advance has asked it once already.
bool TZvStringGrid::FireCellChanging(int OldRow, int OldCol, int NewRow, int NewCol)
{
    bool allow = true;
    if (NewRow != OldRow && OnRowChanging) OnRowChanging(this, OldRow, NewRow, allow);
    if (NewCol != OldCol && OnColChanging) OnColChanging(this, OldCol, NewCol, allow);
    if (NewRow == OldRow && NewCol == OldCol) return allow;
    if (!d->FDisableChange && OnCellChanging) OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, allow);
    return allow;
}

bool TZvStringGrid::FireAdvanceCellChanging(int OldRow, int OldCol, int NewRow, int NewCol)
{
    bool allow = true;
    if (OnCellChanging) OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, allow);
    return allow;
}

int TZvStringGrid::FirstDataColumn()
{
    // The node column stays out of navigation.
    return FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
}

int TZvStringGrid::VisibleFixedRightCols()
{
    int n = d->FFixedRightCols;
    const int all = AllColCount();
    for (int c = all - d->FFixedRightCols; c < all; ++c)
        if (c >= 0 && IsHiddenColumn(c)) --n;
    return std::max(0, n);
}

bool TZvStringGrid::IsTabStopCell(int ACol, int ARow)
{
    bool accept;
    // Editing switched off by a read-only cell on the way still counts as editing.
    if (Options().Contains(goEditing) || d->FEditingDisabled) accept = IsEditable(RealColIndex(ACol), ARow);
    // A fixed column or row is never a stop, whatever the fixed-cell rules say.
    else accept = ACol >= FixedCols() && ARow >= FixedRows() && !IsFixed(ACol, ARow);
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, accept);
    return accept;
}

int TZvStringGrid::FirstTabStopCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (IsTabStopCell(c, ARow)) return c;
    return -1;
}

int TZvStringGrid::LastTabStopCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (IsTabStopCell(c, ARow)) return c;
    return -1;
}

void TZvStringGrid::JumpToCell(int ACol, int ARow)
{
    TBaseGrid::FocusCell(ACol, ARow, true);
}

// ---- Tab ----------------------------------------------------------------------------------------
bool TZvStringGrid::TabToNextCell(bool Backward)
{
    if (OnKeyDown) {
        WORD key = VK_TAB;
        TShiftState shift;
        if (Backward) shift.Include(ssShift);
        OnKeyDown(this, key, shift);
        if (key != VK_TAB) return true;
    }
    const TGridCoord start{Col(), Row()};
    if (start == d->FLastTabCell) return true;
    d->FLastTabCell = start;

    bool handedOn = false;
    // A grid without any cell that may take the Tab would cycle for ever:
    // one full pass over the grid is the bound, and then the cell stays.
    const int limit = std::max(1, ColCount() * RowCount());
    for (int step = 0;; ++step) {
        bool again = false;
        TabMove(Backward, handedOn, again);
        if (!again && (Options().Contains(goEditing) || d->FEditingDisabled) && !IsEditable(RealColIndex(Col()), Row()))
            again = true;
        if (!again) break;
        if (step >= limit || TGridCoord{Col(), Row()} == start) {
            if (TGridCoord{Col(), Row()} != start) JumpToCell(start.X, start.Y);
            break;
        }
    }

    if (d->FNavigation->AdvanceAutoEdit() && !IsCheckOrButtonCell(RealColIndex(Col()), Row()))
        SimulateCellClick(Col(), Row());
    d->FLastTabCell = {-1, -1};
    if (d->FNavigation->AlwaysEdit() && CanFocus()) SetFocus();
    return !handedOn;
}

// One step of Tab from the current cell. HandedOn is set (once) when the
// walk left the grid's end and the focus went to the next control; Again
// when the step ended inside a merged area and must go on.
void TZvStringGrid::TabMove(bool Backward, bool& HandedOn, bool& Again)
{
    const int lastDataRow = RowCount() - d->FFixedFooters - 1;
    const int rightEnd = ColCount() - VisibleFixedRightCols();
    const int fdc = FirstDataColumn();
    bool handOn = false;

    if (Backward) {
        if (d->FNavigation->TabAdvanceDirection() != TAdvanceDirection::adLeftRight) {
            if (Row() > FixedRows()) SetRow(Row() - 1);
            else {
                SetRow(lastDataRow);
                SetCol(Col() > fdc ? Col() - 1 : rightEnd - 1);
            }
        } else if (Col() > fdc) {
            int found = -1;
            for (int c = Col() - 1; c >= fdc; --c)
                if (IsTabStopCell(c, Row()) && IsBaseCell(RealColIndex(c), Row())) {
                    found = c;
                    break;
                }
            if (found >= 0) SetCol(found);
            else {
                const int r = Row() > FixedRows() ? Row() - 1 : lastDataRow;
                const int c = LastTabStopCol(r);
                if (c != -1) {
                    JumpToCell(c, r);
                    if (r == lastDataRow) ScrollInView(c, r);
                }
                const TPoint b = BaseCell(RealColIndex(Col()), Row());
                if (b.X != RealColIndex(Col()) || b.Y != Row()) JumpToCell(RealToDisplayCol(b.X), b.Y);
            }
        } else {
            int c = rightEnd - 1;
            while (c > FixedCols() && !IsTabStopCell(c, Row())) --c;
            SetCol(c);
            SetRow(Row() > FixedRows() ? Row() - 1 : lastDataRow);
        }
        return;
    }

    const TPoint span = CellSpan(RealColIndex(Col()), Row());
    if (d->FNavigation->TabAdvanceDirection() != TAdvanceDirection::adLeftRight) {
        if (Row() + span.Y + 1 <= lastDataRow) SetRow(Row() + span.Y + 1);
        else {
            MoveToFirstRow();
            if (Col() < rightEnd - 1) SetCol(Col() + 1);
            else {
                SetCol(fdc);
                handOn = true;
            }
        }
    } else if (Col() + span.X + 1 < rightEnd) {
        int target = Col() + span.X + 1;
        while (target < rightEnd && !IsTabStopCell(target, Row())) ++target;
        if (target >= rightEnd) {
            d->FForceSelect = true;
            if (Row() < lastDataRow) {
                const int t = FirstTabStopCol(Row() + 1);
                const int newCol = t == -1 ? FixedCols() : t;
                bool allow = true;
                if (OnRowChanging) OnRowChanging(this, Row(), Row() + 1, allow);
                if (OnCellChanging) OnCellChanging(this, Row(), Col(), Row() + 1, newCol, allow);
                if (OnColChanging) OnColChanging(this, Col(), newCol, allow);
                if (allow) JumpToCell(newCol, Row() + 1);
            } else {
                const int t = FirstTabStopCol(FixedRows());
                if (t != -1) JumpToCell(t, FixedRows());
                handOn = true;
            }
            d->FForceSelect = false;
        } else {
            SetCol(target);
        }
        if (!IsBaseCell(RealColIndex(Col()), Row())) Again = true;
    } else if (Row() < lastDataRow) {
        const int next = Row() + 1;
        int c = fdc;
        while (c < ColCount() && !(IsBaseCell(RealColIndex(c), next) && IsTabStopCell(c, next))) ++c;
        if (c >= ColCount()) {
            int r = next + 1;
            while (r <= lastDataRow && FirstTabStopCol(r) == -1) ++r;
            if (r <= lastDataRow) JumpToCell(FirstTabStopCol(r), r);
            else {
                JumpToCell(ColCount() - 1, RowCount() - 1);
                Again = true;
            }
        } else {
            d->FForceSelect = true;
            JumpToCell(c, next);
            d->FForceSelect = false;
        }
    } else {
        if (d->FNavigation->TabToNextAtEnd() || !d->FNavigation->AdvanceInsert()) MoveToFirstRow();
        else {
            bool canAdd = true;
            FireCanAddRow(canAdd);
            if (canAdd) {
                if (d->FFloatingFooter->Visible()) {
                    InsertRows(RowCount() - 1, 1);
                    SetRow(RowCount() - 2);
                } else {
                    SetRowCount(RowCount() + 1);
                    SetRow(RowCount() - 1);
                }
                if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - d->FFixedFooters - 1);
            } else {
                MoveToFirstRow();
            }
        }
        const int t = FirstTabStopCol(Row());
        if (t != -1) SetCol(t);
        handOn = true;
    }

    if (handOn && Parent() && d->FNavigation->TabToNextAtEnd() && !HandedOn) {
        PostMessage(Parent(), WM_KEYDOWN, VK_TAB, 0);
        HandedOn = true;
    }
}

// ---- Advance after an edit or on Enter ------------------------------------------------------------
void TZvStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Internal,
                                      bool ReopenEditor)
{
    if (!d->FNavigation->AdvanceOnEnter() && !Force) return;
    if (d->FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) SetOptions(Options() + goEditing);
    if (!Internal) d->FAdvanceOrigin = {ACol, ARow};
    d->FStartEditChar = QChar();
    const TGridCoord startCell{Col(), Row()};

    // Skipping read-only cells walks on from each one; on a grid whose
    // remaining cells are all read-only the walk would never end, so it
    // stops after one pass or at a dead end and the current cell stays.
    const int limit = std::max(1, ColCount() * RowCount());
    int c = ACol, r = ARow;
    for (int step = 0;; ++step) {
        const int fromC = c, fromR = r;
        bool stop = false;
        AdvanceTarget(c, r, Forward, stop);
        if (stop) return;
        bool canEdit = true;
        QueryCellEditable(RealColIndex(c), r, canEdit);
        if (canEdit) {
            int newRow = r, newCol = c;
            bool allow = true;
            if (OnAutoAdvance) OnAutoAdvance(this, d->FAdvanceOrigin.Y, d->FAdvanceOrigin.X, newRow, newCol, allow);
            if (allow) allow = FireAdvanceCellChanging(d->FAdvanceOrigin.Y, d->FAdvanceOrigin.X, newRow, newCol);
            d->FDisableChange = true;
            const TScopeExit quiet([this] { d->FDisableChange = false; });
            if (allow) {
                SetCol(newCol);
                SetRow(newRow);
            } else {
                CellSelectHook(startCell.X, startCell.Y);
            }
            break;
        }
        if (!d->FNavigation->AdvanceSkipReadOnlyCells()) {
            SetCol(c);
            SetRow(r);
            break;
        }
        if (step >= limit || (c == fromC && r == fromR)) return;
    }

    if (!ReopenEditor) return;
    const bool checkTarget = IsCheckOrButtonCell(RealColIndex(Col()), Row());
    if ((AutoEdit && d->FNavigation->AdvanceAutoEdit()) || checkTarget) {
        if (!IsEditable(RealColIndex(Col()), Row())) return;
        ShowEditor();
        if (checkTarget) {
            const TGridCoord target{Col(), Row()};
            d->FDisableChange = true;
            SetCol(startCell.X);
            SetRow(startCell.Y);
            SetCol(target.X);
            SetRow(target.Y);
            if (!IsCheckOrButtonCell(RealColIndex(startCell.X), startCell.Y)) {
                const TRect rc = CellRect(target.X, target.Y);
                ReplayClick(rc.Left + 2, rc.Top + 2);
                if (d->FNavigation->AdvanceDirection() != TAdvanceDirection::adLeftRight) HideInplaceEdit();
            }
            d->FDisableChange = false;
        }
        FireAdvanceCellChanging(startCell.Y, startCell.X, Row(), Col());
        TEditorType ed = d->FDefaultEditor;
        QueryEditorType(RealColIndex(startCell.X), startCell.Y, ed);
        if (!IsTextEditorKind(ed)) HideInplaceEdit();
    }

    if (d->FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

// The next cell from (ACol, ARow) in the advance direction; Stop when the
// advance ends without a move (a new row that no column may edit).
void TZvStringGrid::AdvanceTarget(int& ACol, int& ARow, bool Forward, bool& Stop)
{
    const TAdvanceDirection dir = d->FNavigation->AdvanceDirection();
    const int fdc = FirstDataColumn();
    const int lastDataRow = RowCount() - d->FFixedFooters - 1;
    const TPoint span = CellSpan(RealColIndex(ACol), ARow);

    if (!Forward) {
        if (dir == TAdvanceDirection::adLeftRight) {
            if (ACol > fdc) --ACol;
            else {
                ARow = ARow == FixedRows() ? lastDataRow : ARow - 1;
                ACol = ColCount() - d->FFixedRightCols - 1;
            }
        } else if (dir == TAdvanceDirection::adTopBottom) {
            if (ARow > FixedRows()) --ARow;
            else {
                ACol = ACol == fdc ? ColCount() - d->FFixedRightCols - 1 : ACol - 1;
                ARow = lastDataRow;
            }
        }
        return;
    }

    if (dir == TAdvanceDirection::adLeftRight || dir == TAdvanceDirection::adLeftRightInRow) {
        if (ACol + span.X < ColCount() - VisibleFixedRightCols() - 1) ACol += span.X + 1;
        else if (dir == TAdvanceDirection::adLeftRightInRow) {
            if (d->FNavigation->AdvanceOnEnterLoop()) ACol = fdc;
        } else if (ARow < lastDataRow) {
            ++ARow;
            ACol = fdc;
        } else if (d->FNavigation->AdvanceInsert()) {
            bool canAdd = true;
            FireCanAddRow(canAdd);
            ACol = fdc;
            if (canAdd) {
                AddRow();
                ++ARow;
                if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - d->FFixedFooters - 1);
                bool any = false;
                for (int c = fdc; c < ColCount() && !any; ++c) any = IsEditable(RealColIndex(c), ARow);
                if (!any) {
                    JumpToCell(ACol, std::min(ARow, RowCount() - 1));
                    Stop = true;
                }
            }
        } else if (d->FNavigation->AdvanceOnEnterLoop()) {
            ARow = FixedRows();
            ACol = fdc;
        }
        return;
    }

    if (ARow + 1 != RowCount() - d->FFixedFooters) ++ARow;
    else if (dir == TAdvanceDirection::adTopBottomInCol) ARow = FixedRows();
    else {
        if (ACol + 1 != ColCount() - d->FFixedRightCols) {
            ARow = FixedRows();
            ++ACol;
            if (ACol >= ColCount()) ACol = fdc;
        } else if (d->FNavigation->AdvanceInsert()) {
            SetColCount(ColCount() + 1);
            ACol += span.X + 1;
            ARow = FixedRows();
            if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - d->FFixedRightCols - 1);
        } else {
            ARow = FixedRows();
            ACol = fdc;
        }
        Invalidate();
    }
}
