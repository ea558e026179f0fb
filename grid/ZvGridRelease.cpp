// Mouse release, double click, right button, fixed-cell editing, the
// header-click sort decision and the grid's steps after a column or row moved.

#include "grid/ZvGrid.h"

#include "grid/support/ZvGridUtil.h"

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
    if (FTransEdit && FTransEdit->Visible() && !FTransEdit->StopEdit()) return;
    if (FTransCombo && FTransCombo->Visible() && !FTransCombo->StopEdit()) return;
    bool canEdit = true;
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, canEdit);
    if (!canEdit) return;
    TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
    TStringList values;
    values.Assign(FMouseActions->FixedComboValues());
    FireFixedEdit(ACol, ARow, &values, kind);
    TRect r = CellRect(ACol, ARow);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    const String text = GetCellEx(RealColIndex(ACol), ARow);
    FClickedCol = RealColIndex(ACol);
    FClickedRow = ARow;
    if (kind == TGridFixedCellEditor::fceEdit) {
        if (!FTransEdit) return;
        FTransEdit->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
        FTransEdit->SetText(text);
        FTransEdit->OnChange = [this](TObject* s) { FixedEditChanged(s); };
        FTransEdit->SetVisible(true);
        if (FTransEdit->CanFocus()) FTransEdit->SetFocus();
    } else {
        if (!FTransCombo) return;
        FTransCombo->SetStyle(kind == TGridFixedCellEditor::fceComboList ? TComboBoxStyle::csDropDownList
                                                                          : TComboBoxStyle::csDropDown);
        FTransCombo->Items()->Assign(&values);
        FTransCombo->SetBounds(r.Left - 1, r.Top - 1, r.Right - r.Left + 1, r.Bottom - r.Top);
        FTransCombo->SetText(text);
        FTransCombo->OnChange = [this](TObject* s) { FixedEditChanged(s); };
        FTransCombo->SetVisible(true);
        if (FTransCombo->CanFocus()) FTransCombo->SetFocus();
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
    if (FColumnOrder && from < FColumnOrder->Count() && to < FColumnOrder->Count() && from >= 0 && to >= 0)
        FColumnOrder->Move(from, to);
    if (FEnhRowColMove) FColumnMovedFlag = true;
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
    FSortSettings->SetColumn(follow(FSortSettings->Column()));
    if (FSortSettings->IndexShow() && FSortIndexes)
        for (int i = 0; i < FSortIndexes->Count(); ++i) FSortIndexes->SetSortColumns(i, follow(FSortIndexes->SortColumns(i)));
    if (FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->Invalidate();
    if (TZvStringGrid* other = FSyncGrid->Grid(); other && FSyncGrid->MoveColumn() && !FSyncing) {
        FSyncing = true;
        other->MoveColumn(FromIndex, ToIndex);
        FSyncing = false;
    }
}

void TZvStringGrid::RowMovedHook(int FromIndex, int ToIndex)
{
    if (ToIndex == RowCount() - 1 && FFloatingFooter->Visible() &&
        FFloatingFooter->FooterStyle() == TFooterStyle::fsFixedLastRow)
        return;
    const TMovedEvent saved = OnRowMoved;
    OnRowMoved = nullptr;
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    OnRowMoved = saved;
    if (FEnhRowColMove) FColumnMovedFlag = true;
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    if (TZvStringGrid* other = FSyncGrid->Grid(); other && FSyncGrid->MoveRow() && !FSyncing) {
        FSyncing = true;
        other->MoveRow(FromIndex, ToIndex);
        FSyncing = false;
    }
}

// ---- Left button up -------------------------------------------------------------------------------------
void TZvStringGrid::LButtonUpMessageHook(TWMMouse& Message)
{
    const int X = Message.XPos();
    const int Y = Message.YPos();
    FColumnMovedFlag = false;
    FColSized = false;
    FMouseDown = false;
    FMouseKeepDown = false;
    FMouseDownMove = false;
    FMouseSelectMode = TMouseSelectMode::msNormal;
    FMouseSelectStart = -1;
    if (FHTMLButtonDown) {
        FHTMLButtonDown = false;
        RepaintCell(FHTMLButtonCell.X, FHTMLButtonCell.Y);
    }
    for (TArrowWindow* a : FArrows)
        if (a && !FDesignTime) a->SetVisible(false);

    const TGridState stateAtRelease = GridState();
    const bool moveEnded = stateAtRelease == gsColMoving || stateAtRelease == gsRowMoving;
    const bool sizeEnded = stateAtRelease == gsColSizing || stateAtRelease == gsRowSizing;

    if (FPushedFixed) {
        FPushedFixed = false;
        Invalidate();
    }

    const TGridCoord cell = MouseCoord(X, Y);
    const bool onCell = cell.X >= 0 && cell.Y >= 0;
    if (FPushedCellButton.X >= 0) {
        const TGridCoord pushed = FPushedCellButton;
        const int prc = RealColIndex(pushed.X);
        const bool fixedArea =
            pushed.Y < FixedRows() || (FFixedAsButtons && pushed.X < FixedCols());
        bool enabled = onCell && !FControlLook->NoDisabledButtonLook() && CellAllowsEdit(prc, pushed.Y);
        if (!enabled && !(onCell && !FControlLook->NoDisabledButtonLook())) enabled = Options().Contains(goEditing);
        if (enabled || FControlLook->NoDisabledButtonLook() || fixedArea) {
            if (!IsNode(RealRowIndex(pushed.Y)) && HasButton(prc, pushed.Y)) PushButton(prc, pushed.Y, false);
            if (onCell) {
                const TPoint b = BaseCell(RealColIndex(cell.X), cell.Y);
                const bool sameBase = b.X == prc && b.Y == pushed.Y;
                const TRect btn = CellButtonRect(prc, pushed.Y);
                const bool inButton = sameBase && X >= btn.Left && X < btn.Right && Y >= btn.Top && Y < btn.Bottom;
                if (inButton || fixedArea) FireButtonClick(pushed.X, pushed.Y);
                if (HasExpand(prc, pushed.Y)) {
                    const TRect exp = ExpandButtonRect(prc, pushed.Y);
                    if ((sameBase && X >= exp.Left && X < exp.Right && Y >= exp.Top && Y < exp.Bottom) || fixedArea)
                        FireExpandClick(pushed.X, pushed.Y, ToggleExpand(prc, pushed.Y));
                }
            }
        }
        FPushedCellButton = {-1, -1};
        SetMouseCapture(false);
        return;
    }

    if (FClickPending && OnClick && onCell && (cell.Y < FixedRows() || cell.X < FixedCols())) {
        int index = 0, pos = 0;
        const bool sizingCursor = cell.Y < FixedRows() && Options().Contains(goColSizing) &&
                                  IsColSizingPoint(X, Y, index, pos);
        if (!sizingCursor) OnClick(this);
    }
    FClickPending = false;

    if (stateAtRelease == gsSelecting) {
        FGridState = gsNormal;
        Click();
    }

    if (FSelectionClick) {
        FSelectionClick = false;
        if (onCell && cell.X >= FixedCols() && cell.Y >= FixedRows()) {
            if (Options().Contains(goRowSelect)) SetSelection({FixedCols(), cell.Y, ColCount() - 1, cell.Y});
            else SetSelection({cell.X, cell.Y, cell.X, cell.Y});
        }
    }

    if (FMouseActions->DisjunctRowSelect() && onCell) {
        SelectionToRowSelect(false);
        if (FDeselect && cell.Y >= FixedRows())
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(cell.Y) : cell.Y, false);
    }
    if (FMouseActions->DisjunctColSelect()) {
        SelectionToColSelect(false);
        if (FDeselect && onCell && cell.X >= FixedCols()) SetColSelect(cell.X, false);
    }
    FDeselect = false;

    if (moveEnded) {
        if (FHeaderDragButton) FHeaderDragButton->SetVisible(false);
        FireEndBlockFocus();
    }

    TBaseGrid::WndProc(Message.Message);
    if (moveEnded) FColumnMovedFlag = true;
    if (GridState() == gsSelecting) FGridState = gsNormal;

    if (FMouseResize) {
        if (OnSelectionResize) OnSelectionResize(this, FResizeSelection, Selection());
        if (FEditingDisabled) PasteSelectionFromClipboard();
        FMouseResize = false;
        if (OnSelectionResized) OnSelectionResized(this, FResizeSelection, Selection());
    }

    if (FColumnMovedFlag || sizeEnded || !onCell) {
        FDblClickSized = false;
        return;
    }

    const int rc = RealColIndex(cell.X);
    if (cell.X >= FixedCols() || FSortSettings->FixedCols()) {
        bool state = false;
        if (HasCheckBox(rc, cell.Y) && OnCheckBoxMouseUp && GetCheckBoxState(rc, cell.Y, state))
            OnCheckBoxMouseUp(this, cell.X, cell.Y, state);
        int idx = -1;
        if (IsRadio(rc, cell.Y) && OnRadioMouseUp && GetRadioIdx(rc, cell.Y, idx))
            OnRadioMouseUp(this, cell.X, cell.Y, idx);
    }

    if (FDblClickSized) {
        FDblClickSized = false;
        return;
    }
    HeaderClickSort(cell, X, Y);
}

// A release on a header cell sorts on its column, by the sort settings.
void TZvStringGrid::HeaderClickSort(TGridCoord Cell, int X, int Y)
{
    const TRect r = CellRect(Cell.X, Cell.Y);
    if (Cell.Y == 0 && Options().Contains(goColSizing) && NearBorder(r, X)) return;
    if (X >= r.Right - 16 && ((FControlLook->FixedDropDownButton() && FireCanShowFixedDropDown(Cell.X)) ||
                              QueryColumnFilter(Cell.X)))
        return;
    const TSortSettings* s = FSortSettings.get();
    const TGridCoord press = MouseCoord(FPressPos.X, FPressPos.Y);
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
    if (!FSortXRef || FSortXRef->Count() != RowCount()) InitSortXRef();
    const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
    const int leftBefore = LeftCol();
    if (keepLeft) BeginUpdate();
    TSortSettings* ss = FSortSettings.get();
    const TSortDirection init = ss->InitSortDirection();
    const TSortDirection opposite =
        init == TSortDirection::sdAscending ? TSortDirection::sdDescending : TSortDirection::sdAscending;
    if (ss->IndexShow() && FSortIndexes) {
        const bool indexKey = GetKeyState(ss->IndexSortKey() == TIndexSortKey::ikCtrl ? VK_CONTROL : VK_SHIFT) < 0;
        const int at = FSortIndexes->FindIndex(Cell.X);
        if (indexKey) {
            if (at >= 0) FSortIndexes->ToggleIndex(Cell.X);
            else FSortIndexes->AddIndex(Cell.X, opposite == TSortDirection::sdAscending);
        } else if (at == 0 && FSortIndexes->Count() == 1) {
            FSortIndexes->ToggleIndex(Cell.X);
        } else {
            FSortIndexes->Clear();
            FSortIndexes->AddIndex(Cell.X, init == TSortDirection::sdAscending);
        }
        if (HasNodes()) QSortGroupIndexed();
        else QSortIndexed();
        ss->SetColumn(FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : -1);
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
    if (keepLeft) {
        SetLeftCol(leftBefore);
        EndUpdate();
    }
    if (FCellControls && FCellControls->Count() > 0) CellControlsUpdate(false);
    FireClickSort(ss->Column());
}

// ---- Double click ---------------------------------------------------------------------------------------
void TZvStringGrid::LButtonDblClkMessageHook(TWMMouse& Message)
{
    const int X = Message.XPos();
    const int Y = Message.YPos();
    TGridCoord cell = MouseCoord(X, Y);
    bool forceSelect = false;
    if (FMouseActions->RangeSelectAndEdit() && cell.X >= 0 && cell.Y >= 0 &&
        !IsCheckOrButtonCell(RealColIndex(cell.X), cell.Y))
        forceSelect = true;
    if (cell.X < 0 && cell.Y >= 0 && X > 0) {
        if (FFixedRowAlways) {
            TBaseGrid::WndProc(Message.Message);
            return;
        }
        cell = {ColCount() - 1, 0};
    }
    FForceSelect = forceSelect;

    if (cell.Y >= 0 && cell.Y < FixedRows() && cell.X >= 0 && Options().Contains(goColSizing) &&
        FMouseActions->AutoSizeColOnDblClick()) {
        const TRect r = CellRect(cell.X, cell.Y);
        int sizeCol = -1;
        if (std::abs(X - r.Left) < 4 && cell.X - 1 >= FixedCols()) sizeCol = cell.X - 1;
        else if (std::abs(r.Right - X) < 4 && cell.X >= FixedCols()) sizeCol = cell.X;
        if (sizeCol >= 0) {
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, sizeCol, allow);
            if (allow) {
                // The press began a drag sizing; the fitted width ends it here, once.
                FUserSizedCol = -1;
                AutoSizeCol(sizeCol);
                if (OnEndColumnSize) OnEndColumnSize(this, sizeCol);
            }
            FDblClickSized = true;
            FForceSelect = false;
            TBaseGrid::WndProc(Message.Message);
            return;
        }
    }

    if (cell.X < 0 || cell.Y < 0) {
        FForceSelect = false;
        TBaseGrid::WndProc(Message.Message);
        return;
    }
    const int rc = RealColIndex(cell.X);
    auto inRect = [X, Y](const TRect& r) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; };
    if ((HasButton(rc, cell.Y) && inRect(CellButtonRect(rc, cell.Y))) ||
        (HasExpand(rc, cell.Y) && inRect(ExpandButtonRect(rc, cell.Y)))) {
        FForceSelect = false;
        return;
    }
    if (IsCheckOrButtonCell(rc, cell.Y)) {
        FForceSelect = false;
        TBaseGrid::WndProc(Message.Message);
        return;
    }

    TBaseGrid::WndProc(Message.Message);
    if (OnDblClickCell) OnDblClickCell(this, cell.Y, cell.X);

    if (FMouseActions->EditOnDblClickOnly()) {
        const bool was = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(rc, cell.Y);
        FMouseActions->SetRangeSelectAndEdit(was);
        if (editable) {
            SetOptions(Options() + goEditing);
            RememberOldCell(cell.X, cell.Y);
            ShowInplaceEdit();
        }
    } else if (FMouseActions->RangeSelectAndEdit() && IsEditable(rc, cell.Y)) {
        SetOptions(Options() + goEditing);
        const TRect r = CellRect(cell.X, cell.Y);
        ReplayPress(r.Left + 4, r.Top + 4);
    }
    FForceSelect = false;
    if ((cell.Y < FixedRows() && cell.X >= FixedCols() &&
         FMouseActions->FixedRowsEdit() == TGridFixedCellEdit::fceDblClick) ||
        (cell.X < FixedCols() && cell.Y >= FixedRows() &&
         FMouseActions->FixedColsEdit() == TGridFixedCellEdit::fceDblClick))
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
    if (FMouseActions->SelectOnRightClick() && onCell && !IsFixed(cell.X, cell.Y) && cell.X >= FixedCols() &&
        cell.Y >= FixedRows() && !(FMouseActions->DisjunctCellSelect() && IsSelected(cell.X, cell.Y))) {
        const int rc = RealColIndex(cell.X);
        if (!IsCheckOrButtonCell(rc, cell.Y)) {
            if (OnRightClickCell) FocusCell(cell.X, cell.Y);
            else {
                const TRect r = CellRect(cell.X, cell.Y);
                ReplayClick(X, Y);
                (void)r;
            }
        }
        if (IsSelected(cell.X, cell.Y) && OnSelectCell) {
            bool can = true;
            OnSelectCell(this, cell.X, cell.Y, can);
        } else {
            const TPoint b = BaseCell(rc, cell.Y);
            const bool keepLeft = FNavigation->KeepHorizScroll();
            const int leftBefore = LeftCol();
            if (keepLeft) BeginUpdate();
            JumpToCell(RealToDisplayCol(b.X), b.Y);
            if (keepLeft) {
                SetLeftCol(leftBefore);
                EndUpdate();
            }
        }
        if (FMouseActions->DisjunctRowSelect()) {
            if (GetKeyState(VK_CONTROL) < 0 || FMouseActions->DisjunctRowSelectNoCtrl())
                SetRowSelect(cell.Y, !GetRowSelect(cell.Y));
            else {
                ClearRowSelect();
                SetRowSelect(cell.Y, true);
            }
        }
    }
    if (OnRightClickCell) OnRightClickCell(this, onCell ? cell.Y : -1, onCell ? cell.X : -1);
    if (onCell && FURLShow && FURLEdit && IsURLText(GetCellEx(RealColIndex(cell.X), cell.Y))) {
        JumpToCell(cell.X, cell.Y);
        ShowInplaceEdit();
    }
}

void TZvStringGrid::RButtonUpMessageHook(TWMMouse& Message)
{
    // No context menu while a column or row is being dragged.
    if (FEnhRowColMove && (GridState() == gsColMoving || GridState() == gsRowMoving)) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::WndProc(Message.Message);
}
