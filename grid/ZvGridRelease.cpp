// Mouse release, double click, right button, fixed-cell editing, the
// header-click sort decision and the grid's steps after a column or row moved.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "platform/ScopeGuard.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/support/ZvGridUtil.h"
#include "grid/editors/ZvGridSimpleEditors.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvHeaderDragButton.h"

#include <cmath>

namespace {

bool NearBorder(const TRect& r, int X)
{
    return std::abs(X - r.Left) < 4 || std::abs(r.Right - X) < 4;
}

} // namespace

void TZvStringGrid::FireClickSort(int ACol)
{
    if (OnClickSort) OnClickSort(this, ACol);
}

bool TZvStringGrid::FireCanShowFixedDropDown(int ACol)
{
    bool allow = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, allow);
    return allow;
}

void TZvStringGrid::EditFixedCell(int ACol, int ARow)
{
    if (d->FTransEdit && d->FTransEdit->Visible() && !d->FTransEdit->StopEdit()) return;
    if (d->FTransCombo && d->FTransCombo->Visible() && !d->FTransCombo->StopEdit()) return;
    bool canEdit = true;
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, canEdit);
    if (!canEdit) return;
    TGridFixedCellEditor kind = ACol == 0 ? d->FMouseActions->FixedColsEditor() : d->FMouseActions->FixedRowsEditor();
    TStringList values;
    values.Assign(d->FMouseActions->FixedComboValues());
    FireFixedEdit(ACol, ARow, &values, kind);
    TRect r = CellRect(ACol, ARow);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    const String text = GetCellEx(RealColIndex(ACol), ARow);
    d->FClickedCol = RealColIndex(ACol);
    d->FClickedRow = ARow;
    if (kind == TGridFixedCellEditor::fceEdit) {
        if (!d->FTransEdit) return;
        d->FTransEdit->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        d->FTransEdit->SetText(text);
        d->FTransEdit->SetCol(d->FClickedCol);
        d->FTransEdit->SetRow(ARow);
        d->FTransEdit->OnChange = [this](TObject* s) { FixedEditChanged(s); };
        d->FTransEdit->SetVisible(true);
        if (d->FTransEdit->CanFocus()) d->FTransEdit->SetFocus();
    } else {
        if (!d->FTransCombo) return;
        d->FTransCombo->SetStyle(kind == TGridFixedCellEditor::fceComboList ? TComboBoxStyle::csDropDownList
                                                                          : TComboBoxStyle::csDropDown);
        d->FTransCombo->Items()->Assign(&values);
        d->FTransCombo->SetBounds(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top);
        d->FTransCombo->SetText(text);
        d->FTransCombo->SetCol(d->FClickedCol);
        d->FTransCombo->SetRow(ARow);
        d->FTransCombo->OnChange = [this](TObject* s) { FixedEditChanged(s); };
        d->FTransCombo->SetVisible(true);
        if (d->FTransCombo->CanFocus()) d->FTransCombo->SetFocus();
    }
}

// ---- Column and row moves ------------------------------------------------------------------------------
void TZvStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    ColumnMovedHook(FromIndex, ToIndex);
}

void TZvStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    RowMovedHook(FromIndex, ToIndex);
}

void TZvStringGrid::ColumnMovedHook(int FromIndex, int ToIndex)
{
    const int from = RealColIndex(FromIndex);
    const int to = RealColIndex(ToIndex);
    if (d->FColumnOrder && from < d->FColumnOrder->Count() && to < d->FColumnOrder->Count() && from >= 0 && to >= 0)
        d->FColumnOrder->Move(from, to);
    if (d->FEnhRowColMove) d->FColumnMovedFlag = true;
    // The base grid has moved the width and the current cell with the column.
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    // A column index follows the moved column: the moved one takes the
    // target, the ones between shift by one towards the source.
    auto follow = [from, to](int c) {
        if (c == from) return to;
        if (from < to && c > from && c <= to) return c - 1;
        if (from > to && c >= to && c < from) return c + 1;
        return c;
    };
    SortSettings()->SetColumn(follow(SortSettings()->Column()));
    if (TSortIndexList* indexes = SortIndexes(); SortSettings()->IndexShow() && indexes)
        for (int i = 0; i < indexes->Count(); ++i) indexes->SetSortColumns(i, follow(indexes->SortColumns(i)));
    if (d->FFloatingFooter->Visible() && FooterPanel()) FooterPanel()->Invalidate();
    if (TZvStringGrid* other = d->FSyncGrid->Grid(); other && d->FSyncGrid->MoveColumn() && !d->FSyncing) {
        d->FSyncing = true;
        other->MoveColumn(FromIndex, ToIndex);
        d->FSyncing = false;
    }
}

void TZvStringGrid::RowMovedHook(int FromIndex, int ToIndex)
{
    if (ToIndex == RowCount() - 1 && d->FFloatingFooter->Visible() &&
        d->FFloatingFooter->FooterStyle() == TFooterStyle::fsFixedLastRow)
        return;
    const TMovedEvent saved = OnRowMoved;
    OnRowMoved = nullptr;
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    OnRowMoved = saved;
    if (d->FEnhRowColMove) d->FColumnMovedFlag = true;
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    if (TZvStringGrid* other = d->FSyncGrid->Grid(); other && d->FSyncGrid->MoveRow() && !d->FSyncing) {
        d->FSyncing = true;
        other->MoveRow(FromIndex, ToIndex);
        d->FSyncing = false;
    }
}

// ---- Left button up -------------------------------------------------------------------------------------
void TZvStringGrid::LButtonUpMessageHook(TWMMouse& Message)
{
    const int X = Message.XPos();
    const int Y = Message.YPos();
    d->FColumnMovedFlag = false;
    d->FColSized = false;
    d->FMouseDown = false;
    d->FMouseKeepDown = false;
    d->FMouseDownMove = false;
    d->FMouseSelectMode = TMouseSelectMode::msNormal;
    d->FMouseSelectStart = -1;
    if (d->FHTMLButtonDown) {
        d->FHTMLButtonDown = false;
        RepaintCell(d->FHTMLButtonCell.X, d->FHTMLButtonCell.Y);
    }
    for (TArrowWindow* a : d->FArrows)
        if (a && !d->FDesignTime) a->SetVisible(false);

    if (d->FFixedSizing) {
        d->FFixedSizing = false;
        const int c = d->FFixedSizingIndex;
        d->FFixedSizingIndex = -1;
        DrawFixedSizingLine(true, -1);
        int before = 0;
        for (int i = 0; i < c; ++i) before += ColWidths(i);
        int width = X - before;
        if (c >= 0 && width > 0) {
            SetColWidths(c, width);
            if (OnEndColumnSize) OnEndColumnSize(this, c);
            const int asked = width;
            if (OnUpdateColumnSize) OnUpdateColumnSize(this, c, width);
            if (width != asked) SetColWidths(c, width);
        }
    }
    if (d->FFixedRowSizing) {
        d->FFixedRowSizing = false;
        const int r = d->FFixedRowSizingIndex;
        d->FFixedRowSizingIndex = -1;
        DrawFixedSizingLine(false, -1);
        int before = 0;
        for (int i = 0; i < r; ++i) before += RowHeights(i);
        if (r >= 0 && Y - before > 0) {
            SetRowHeights(r, Y - before);
            if (OnEndRowSize) OnEndRowSize(this, r);
        }
    }

    const TGridState stateAtRelease = GridState();
    const bool moveEnded = stateAtRelease == gsColMoving || stateAtRelease == gsRowMoving;
    const bool sizeEnded = stateAtRelease == gsColSizing || stateAtRelease == gsRowSizing;

    if (d->FPushedFixed) {
        d->FPushedFixed = false;
        Invalidate();
    }
    if ((d->FDesignTime || d->FHintShowSizing) && d->FScrollHintShowing) HideScrollHint();

    const TGridCoord cell = MouseCoord(X, Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    if (d->FPushedCellButton.X >= 0) {
        const TGridCoord pushed = d->FPushedCellButton;
        const int prc = RealColIndex(pushed.X);
        const bool fixedArea =
            pushed.Y < FixedRows() || (d->FFixedAsButtons && pushed.X < FixedCols());
        bool enabled = onCell && !d->FControlLook->NoDisabledButtonLook() && CellAllowsEdit(prc, pushed.Y);
        if (!enabled && !(onCell && !d->FControlLook->NoDisabledButtonLook())) enabled = Options().Contains(goEditing);
        if (enabled || d->FControlLook->NoDisabledButtonLook() || fixedArea) {
            if (!IsNode(RealRowIndex(pushed.Y)) && HasButton(prc, pushed.Y)) PushButton(pushed.X, pushed.Y, false);
            if (onCell) {
                const TPoint b = BaseCell(RealColIndex(cell.X), cell.Y);
                const bool sameBase = b.X == prc && b.Y == pushed.Y;
                const TRect btn = CellButtonRect(pushed.X, pushed.Y);
                const bool inButton = sameBase && X >= btn.Left && X < btn.Right && Y >= btn.Top && Y < btn.Bottom;
                if (inButton || fixedArea) FireButtonClick(pushed.X, pushed.Y);
                if (HasExpand(prc, pushed.Y)) {
                    const TRect exp = ExpandButtonRect(prc, pushed.Y);
                    if ((sameBase && X >= exp.Left && X < exp.Right && Y >= exp.Top && Y < exp.Bottom) || fixedArea)
                        FireExpandClick(pushed.X, pushed.Y, ToggleExpand(prc, pushed.Y));
                }
            }
        }
        d->FPushedCellButton = {-1, -1};
        SetMouseCapture(false);
        return;
    }

    if (d->FClickPending && OnClick && onCell && (cell.Y < FixedRows() || cell.X < FixedCols())) {
        int index = 0, pos = 0;
        const bool sizingCursor = cell.Y < FixedRows() && Options().Contains(goColSizing) &&
                                  IsColSizingPoint(X, Y, index, pos);
        if (!sizingCursor) OnClick(this);
    }
    d->FClickPending = false;

    if (stateAtRelease == gsSelecting) {
        FGridState = gsNormal;
        Click();
    }

    if (d->FSelectionClick) {
        d->FSelectionClick = false;
        if (onCell && cell.X >= FixedCols() && cell.Y >= FixedRows()) {
            if (Options().Contains(goRowSelect)) SetSelection({FixedCols(), cell.Y, ColCount() - 1, cell.Y});
            else SetSelection({cell.X, cell.Y, cell.X, cell.Y});
        }
    }

    if (d->FMouseActions->DisjunctRowSelect() && onCell) {
        SelectionToRowSelect(false);
        if (d->FDeselect && cell.Y >= FixedRows())
            SetRowSelect(d->FMouseActions->RowSelectPersistent() ? RealRowIndex(cell.Y) : cell.Y, false);
    }
    if (d->FMouseActions->DisjunctColSelect()) {
        SelectionToColSelect(false);
        if (d->FDeselect && onCell && cell.X >= FixedCols()) SetColSelect(cell.X, false);
    }
    d->FDeselect = false;

    if (d->FGrouping->AutoSelectGroup() && onCell && cell.X > 0 && cell.Y >= FixedRows()) {
        const int rr = RealRowIndex(cell.Y);
        const int span = IsNode(rr) && !GetNodeState(rr) ? GetNodeSpan(cell.Y) : 0;
        const int last = std::min(cell.Y + span - 1, RowCount() - 1);
        if (span > 1) {
            if (d->FMouseActions->DisjunctRowSelect())
                for (int r = cell.Y + 1; r <= last; ++r) SetRowSelect(SelectionRow(r), true);
            else
                SetSelection(GridRect({FixedCols(), cell.Y + 1}, {ColCount() - 1, last}));
        }
    }

    if (moveEnded) {
        if (HeaderDragButton()) HeaderDragButton()->SetVisible(false);
        FireEndBlockFocus();
    }

    TBaseGrid::WndProc(Message.Message);
    if (moveEnded) d->FColumnMovedFlag = true;
    if (GridState() == gsSelecting) FGridState = gsNormal;

    if (d->FMouseResize) {
        if (OnSelectionResize) OnSelectionResize(this, d->FResizeSelection, Selection());
        if (d->FEditingDisabled) PasteSelectionFromClipboard();
        d->FMouseResize = false;
        if (OnSelectionResized) OnSelectionResized(this, d->FResizeSelection, Selection());
    }

    if (d->FColumnMovedFlag || sizeEnded || !onCell) {
        d->FDblClickSized = false;
        return;
    }

    const int rc = RealColIndex(cell.X);
    if (cell.X >= FixedCols() || SortSettings()->FixedCols()) {
        bool state = false;
        if (HasCheckBox(rc, cell.Y) && OnCheckBoxMouseUp && GetCheckBoxState(rc, cell.Y, state))
            OnCheckBoxMouseUp(this, cell.X, cell.Y, state);
        int idx = -1;
        if (IsRadio(rc, cell.Y) && OnRadioMouseUp && GetRadioIdx(rc, cell.Y, idx))
            OnRadioMouseUp(this, cell.X, cell.Y, idx);
    }

    if (d->FDblClickSized) {
        d->FDblClickSized = false;
        return;
    }
    HeaderClickSort(cell, X, Y);
}

// A release on a header cell sorts on its column, by the sort settings.
void TZvStringGrid::HeaderClickSort(TGridCoord Cell, int X, int Y)
{
    const TRect r = CellRect(Cell.X, Cell.Y);
    if (Cell.Y == 0 && Options().Contains(goColSizing) && NearBorder(r, X)) return;
    if (X >= r.Right - 16 && ((d->FControlLook->FixedDropDownButton() && FireCanShowFixedDropDown(Cell.X)) ||
                              QueryColumnFilter(Cell.X)))
        return;
    const TSortSettings* s = SortSettings();
    const TGridCoord press = MouseCoord(d->FPressPos.X, d->FPressPos.Y);
    if (Cell.Y != s->Row() || press.Y != s->Row() || FixedRows() == 0 || !s->Show() || RowCount() <= 2) return;
    const int rc = RealColIndex(Cell.X);
    if (HasCheckBox(rc, Cell.Y) && IsInCheckBox(rc, Cell.Y, X, Y)) return;
    bool doSort = !IsIgnoredColumn(rc);
    if (doSort && OnCanSort) OnCanSort(this, Cell.X, doSort);
    if (!doSort) {
        RepaintCell(Cell.X, Cell.Y);
        return;
    }

    HideInplaceEdit();
    if (!SortService().FSortXRef || SortService().FSortXRef->Count() != RowCount()) InitSortXRef();
    const bool keepLeft = Options().Contains(goRowSelect) && d->FNavigation->KeepHorizScroll();
    const int leftBefore = LeftCol();
    if (keepLeft) BeginUpdate();
    TSortSettings* ss = SortSettings();
    // Merged runs would not survive rows moving under them: split, sort, and merge the new runs,
    // the first listed column on equal texts alone, the others within its runs.
    const bool remerge = ss->AutoColumnMerge();
    if (remerge)
        for (int i = 0; i < d->FMergedColumns->Count(); ++i) SplitColumnCells(d->FMergedColumns->Items(i));
    {
        const TScopeExit merge([&] {
            if (remerge)
                for (int i = 0; i < d->FMergedColumns->Count(); ++i)
                    MergeColumnCells(d->FMergedColumns->Items(i), i == 0);
        });
        const TSortDirection init = ss->InitSortDirection();
        const TSortDirection opposite =
            init == TSortDirection::sdAscending ? TSortDirection::sdDescending : TSortDirection::sdAscending;
        if (ss->IndexShow() && SortIndexes()) {
            const bool indexKey = GetKeyState(ss->IndexSortKey() == TIndexSortKey::ikCtrl ? VK_CONTROL : VK_SHIFT) < 0;
            const int at = SortIndexes()->FindIndex(Cell.X);
            if (indexKey) {
                if (at >= 0) SortIndexes()->ToggleIndex(Cell.X);
                else SortIndexes()->AddIndex(Cell.X, opposite == TSortDirection::sdAscending);
            } else if (at == 0 && SortIndexes()->Count() == 1) {
                SortIndexes()->ToggleIndex(Cell.X);
            } else {
                SortIndexes()->Clear();
                SortIndexes()->AddIndex(Cell.X, init == TSortDirection::sdAscending);
            }
            if (HasNodes()) QSortGroupIndexed();
            else QSortIndexed();
            ss->SetColumn(SortIndexes()->Count() > 0 ? SortIndexes()->SortColumns(0) : -1);
        } else {
            bool undone = false;
            if (Cell.X == ss->Column()) {
                const TSortDirection old = ss->Direction();
                ss->SetDirection(old == TSortDirection::sdAscending ? TSortDirection::sdDescending
                                                                     : TSortDirection::sdAscending);
                if (old != init && ss->UndoSort()) {
                    QUnSort();
                    ss->SetColumn(-1);
                    undone = true;
                }
            } else {
                ss->SetDirection(init);
                ss->SetColumn(Cell.X);
            }
            if (!undone) {
                if (HasNodes()) QSortGroup();
                else QSort();
            }
        }
    }
    if (keepLeft) {
        SetLeftCol(leftBefore);
        EndUpdate();
    }
    if (d->FCellControls && d->FCellControls->Count() > 0) CellControlsUpdate(false);
    FireClickSort(ss->Column());
}

// ---- Double click ---------------------------------------------------------------------------------------
void TZvStringGrid::LButtonDblClkMessageHook(TWMMouse& Message)
{
    const int X = Message.XPos();
    const int Y = Message.YPos();
    TGridCoord cell = MouseCoord(X, Y);
    bool forceSelect = false;
    if (d->FMouseActions->RangeSelectAndEdit() && cell.X >= 0 && cell.Y >= 0 &&
        !IsCheckOrButtonCell(RealColIndex(cell.X), cell.Y))
        forceSelect = true;
    if (cell.X < 0 && cell.Y >= 0 && X > 0) {
        if (d->FFixedRowAlways) {
            TBaseGrid::WndProc(Message.Message);
            return;
        }
        cell = {ColCount() - 1, 0};
    }
    d->FForceSelect = forceSelect;

    if (cell.Y >= 0 && cell.Y < FixedRows() && cell.X >= 0 && Options().Contains(goColSizing) &&
        d->FMouseActions->AutoSizeColOnDblClick()) {
        const TRect r = CellRect(cell.X, cell.Y);
        int sizeCol = -1;
        if (std::abs(X - r.Left) < 4 && cell.X - 1 >= FixedCols()) sizeCol = cell.X - 1;
        else if (std::abs(r.Right - X) < 4 && cell.X >= FixedCols()) sizeCol = cell.X;
        if (sizeCol >= 0) {
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, sizeCol, allow);
            if (allow) {
                // The press began a drag sizing; the fitted width ends it here, once.
                d->FUserSizedCol = -1;
                AutoSizeCol(sizeCol);
                if (OnEndColumnSize) OnEndColumnSize(this, sizeCol);
            }
            d->FDblClickSized = true;
            d->FForceSelect = false;
            TBaseGrid::WndProc(Message.Message);
            return;
        }
    }

    if (cell.X < 0 || cell.Y < 0) {
        d->FForceSelect = false;
        TBaseGrid::WndProc(Message.Message);
        return;
    }
    const int rc = RealColIndex(cell.X);
    auto inRect = [X, Y](const TRect& r) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; };
    if ((HasButton(rc, cell.Y) && inRect(CellButtonRect(rc, cell.Y))) ||
        (HasExpand(rc, cell.Y) && inRect(ExpandButtonRect(rc, cell.Y)))) {
        d->FForceSelect = false;
        return;
    }
    if (IsCheckOrButtonCell(rc, cell.Y)) {
        d->FForceSelect = false;
        TBaseGrid::WndProc(Message.Message);
        return;
    }

    TBaseGrid::WndProc(Message.Message);
    if (OnDblClickCell) OnDblClickCell(this, cell.Y, cell.X);

    if (d->FMouseActions->EditOnDblClickOnly()) {
        const bool was = d->FMouseActions->RangeSelectAndEdit();
        d->FMouseActions->SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(rc, cell.Y);
        d->FMouseActions->SetRangeSelectAndEdit(was);
        if (editable) {
            SetOptions(Options() + goEditing);
            RememberOldCell(cell.X, cell.Y);
            ShowInplaceEdit();
        }
    } else if (d->FMouseActions->RangeSelectAndEdit() && IsEditable(rc, cell.Y)) {
        SetOptions(Options() + goEditing);
        const TRect r = CellRect(cell.X, cell.Y);
        ReplayPress(r.Left + 4, r.Top + 4);
    }
    d->FForceSelect = false;
    if ((cell.Y < FixedRows() && cell.X >= FixedCols() &&
         d->FMouseActions->FixedRowsEdit() == TGridFixedCellEdit::fceDblClick) ||
        (cell.X < FixedCols() && cell.Y >= FixedRows() &&
         d->FMouseActions->FixedColsEdit() == TGridFixedCellEdit::fceDblClick))
        EditFixedCell(cell.X, cell.Y);
}

// ---- Right button ---------------------------------------------------------------------------------------
void TZvStringGrid::RButtonDownMessageHook(TWMMouse& Message)
{
    const int X = Message.XPos();
    const int Y = Message.YPos();
    TBaseGrid::WndProc(Message.Message);
    const TGridCoord cell = MouseCoord(X, Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    if (d->FMouseActions->SelectOnRightClick() && onCell && !IsFixed(cell.X, cell.Y) && cell.X >= FixedCols() &&
        cell.Y >= FixedRows() && !(d->FMouseActions->DisjunctCellSelect() && IsSelected(cell.X, cell.Y))) {
        const int rc = RealColIndex(cell.X);
        // A right click on one of several selected rows keeps them for the pop-up menu to act on.
        const bool keepRows = d->FMouseActions->DisjunctRowSelect() && PopupMenu() && GetRowSelectCount() > 1 &&
                              GetRowSelect(SelectionRow(cell.Y));
        const std::vector<bool> rowsBefore = d->FRowSelect;
        if (!IsCheckOrButtonCell(rc, cell.Y)) {
            if (OnRightClickCell) FocusCell(cell.X, cell.Y);
            else ReplayClick(X, Y);
        }
        if (keepRows)
            for (std::size_t r = 0; r < rowsBefore.size(); ++r)
                if (r < d->FRowSelect.size() && d->FRowSelect[r] != rowsBefore[r]) SetRowSelect(int(r), rowsBefore[r]);
        if (IsSelected(cell.X, cell.Y) && OnSelectCell) {
            bool can = true;
            OnSelectCell(this, cell.X, cell.Y, can);
        } else {
            const TPoint b = BaseCell(rc, cell.Y);
            const bool keepLeft = d->FNavigation->KeepHorizScroll();
            const int leftBefore = LeftCol();
            if (keepLeft) BeginUpdate();
            JumpToCell(RealToDisplayCol(b.X), b.Y);
            if (keepLeft) {
                SetLeftCol(leftBefore);
                EndUpdate();
            }
        }
        if (d->FMouseActions->DisjunctRowSelect()) {
            const int key = SelectionRow(cell.Y);
            if (GetKeyState(VK_CONTROL) < 0 || d->FMouseActions->DisjunctRowSelectNoCtrl()) {
                SetRowSelect(key, !GetRowSelect(key));
            } else if (!keepRows) {
                ClearRowSelect();
                SetRowSelect(key, true);
            }
        }
    }
    if (OnRightClickCell) OnRightClickCell(this, onCell ? cell.Y : -1, onCell ? cell.X : -1);
    if (onCell && d->FURLShow && d->FURLEdit && IsURLText(GetCellEx(RealColIndex(cell.X), cell.Y))) {
        JumpToCell(cell.X, cell.Y);
        ShowInplaceEdit();
    }
}

void TZvStringGrid::RButtonUpMessageHook(TWMMouse& Message)
{
    // No context menu while a column or row is being dragged.
    if (d->FEnhRowColMove && (GridState() == gsColMoving || GridState() == gsRowMoving)) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::WndProc(Message.Message);
}

// Typing in a fixed cell's editor reports the fixed cell and the editor's text.
void TZvStringGrid::FixedEditChanged(TObject* Sender)
{
    if (!OnEditChange) return;
    String text;
    if (auto* edit = dynamic_cast<TEdit*>(Sender)) text = edit->Text();
    else if (auto* combo = dynamic_cast<TComboBox*>(Sender)) text = combo->Text();
    OnEditChange(this, d->FClickedCol, d->FClickedRow, text);
}
