// Keyboard handling and the incremental lookup. The grid's own rules run
// before and after the base grid's key processing and, for some keys,
// instead of it.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"
#include "platform/Regional.h"

namespace {

bool IsNavigationKey(WORD key)
{
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return true;
    default: return false;
    }
}

bool IsKeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

// A selection with its corners in reading order, however it was dragged.
TGridRect Ordered(const TGridRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)};
}

} // namespace

void TZvStringGrid::F2KeyHook() {} // a descendant's hook; the string grid adds nothing after F2
void TZvStringGrid::InplaceEditKeyHook(WORD&, TShiftState) {} // a descendant's hook for the text editor's keys
void TZvStringGrid::InplaceEditMessageHook(TMessage&) {} // a descendant's hook for the text editor's messages

bool TZvStringGrid::IsOnLastDataRow()
{
    return Row() + 1 == RowCount() - d->FFixedFooters || (Row() + 2 == RowCount() && d->FFloatingFooter->Visible());
}

void TZvStringGrid::AppendRowOnArrowDown()
{
    bool canAdd = true;
    if (OnCanAddRow) OnCanAddRow(this, canAdd);
    if (!canAdd) return;
    const bool footer = d->FFloatingFooter->Visible();
    AddEmptyRow();
    auto clearRow = [this](int r) {
        for (int c = 0; c < AllColCount(); ++c) {
            SetGridCell(c, r, String());
            ClearCellObject(c, r);
        }
    };
    if (footer && RowCount() >= 2) {
        // The footer stays the last row: its texts move down past the new data row.
        const int last = RowCount() - 1;
        std::vector<String> saved;
        for (int c = 0; c < AllColCount(); ++c) saved.push_back(GetGridCell(c, last - 1));
        clearRow(last - 1);
        for (int c = 0; c < AllColCount(); ++c) SetGridCell(c, last, saved[std::size_t(c)]);
    } else {
        clearRow(RowCount() - 1);
    }
    if (footer || d->FFixedFooters > 0) SetRow(Row() + 1);
    if (footer) CalcFooter(-1);
    if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - d->FFixedFooters - 1);
}

void TZvStringGrid::FireKeyDownCopy(WORD Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

bool TZvStringGrid::CellHasFormControl(int ACol, int ARow)
{
    if (!d->FEnableHTML) return false;
    const String text = GetCellEx(RealColIndex(ACol), ARow);
    return CellTextKind(text, true) == ctHTML && text.toUpper().contains(QStringLiteral("<CONTROL"));
}

void TZvStringGrid::KeyPress(QChar& Key)
{
    KeyPressHook(Key);
}

void TZvStringGrid::KeyDownHook(WORD& Key, TShiftState Shift)
{
    const TGridCoord before{Col(), Row()};
    d->FLastKeyCell = before;
    const WORD key = Key;
    TBaseGrid::KeyDownHook(Key, Shift);
    if (Shift.Contains(ssCtrl) && (key == VK_DOWN || key == VK_UP) && d->FNavigation->CursorMoveRows())
        MoveSelectedRowsByKey(key == VK_DOWN);
    if (d->FNavigation->CursorAdvance() != TCursorAdvance::caDefault) WrapCursorAtEdge(key, before);
    SkipDisabledRowByKey(key, before.Y);
    if (TZvStringGrid* other = d->FSyncGrid->Grid(); other && other != this && !d->FSyncing) {
        d->FSyncing = true;
        const TScopeExit done([this] { d->FSyncing = false; });
        if (d->FSyncGrid->SelectionColumn() && Col() < other->ColCount()) other->SetCol(Col());
        if (d->FSyncGrid->SelectionRow() && Row() < other->RowCount()) other->SetRow(Row());
    }
}

// Ctrl+Up and Ctrl+Down carry the selected rows one row along; the cursor and
// the selection go with them.
void TZvStringGrid::MoveSelectedRowsByKey(bool Down)
{
    const TGridRect sel = d->FSelectionBeforeKey;
    const int top = sel.Top, bottom = sel.Bottom, count = bottom - top + 1;
    if (Down ? bottom >= RowCount() - 1 : top <= FixedRows()) {
        // The platform has stepped the cursor already; a block at the edge stays, and so does it.
        SetSelection(sel);
        return;
    }
    const int to = Down ? top + 1 : top - 1;
    if (count == 1) {
        MoveRow(top, to);
        SetSelection(GridRect({sel.Left, to}, {sel.Right, to}));
        SetRow(to);
    } else {
        MoveRows(top, to, count);
        SetSelection(GridRect({FixedCols(), to}, {ColCount() - 1, to + count - 1}));
    }
}

// With CursorAdvance the cursor leaving an edge comes in at the opposite one
// (caLoop); caSnake also steps to the neighbouring row or column.
void TZvStringGrid::WrapCursorAtEdge(WORD Key, TGridCoord Before)
{
    const bool snake = d->FNavigation->CursorAdvance() == TCursorAdvance::caSnake;
    const int lastCol = ColCount() - d->FFixedRightCols - 1;
    const int lastRow = RowCount() - d->FFixedFooters - 1;
    TGridCoord to{-1, -1};
    switch (Key) {
    case VK_LEFT:
        if (Before.X != FixedCols()) return;
        to = {lastCol, Before.Y};
        if (snake && Before.Y > FixedRows()) --to.Y;
        break;
    case VK_UP:
        if (Before.Y != FixedRows()) return;
        to = {Before.X, lastRow};
        if (snake && Before.X > FixedCols()) --to.X;
        break;
    case VK_RIGHT:
        if (Before.X != ColCount() - 1) return;
        to = {FixedCols(), Before.Y};
        if (snake && Before.Y < lastRow) ++to.Y;
        break;
    case VK_DOWN:
        if (Before.Y != RowCount() - 1) return;
        to = {Before.X, FixedRows()};
        if (snake && Before.X < lastCol) ++to.X;
        break;
    default: return;
    }
    if (to.X < FixedCols() || to.Y < FixedRows() || to.X >= ColCount() || to.Y >= RowCount()) return;
    TBaseGrid::FocusCell(to.X, to.Y, true);
}

// Up and Down step over disabled rows when the grid keeps a row-enabled table.
void TZvStringGrid::SkipDisabledRowByKey(WORD Key, int RowBefore)
{
    if (!d->FUseEnabledRows || !d->FNavigation->SkipDisabledRows() || Row() != RowBefore) return;
    if (Key == VK_UP) {
        for (int r = RowBefore - 1; r >= FixedRows(); --r)
            if (GetRowEnabled(r)) {
                SetRow(r);
                return;
            }
    } else if (Key == VK_DOWN) {
        for (int r = RowBefore + 1; r < RowCount(); ++r)
            if (GetRowEnabled(r)) {
                SetRow(r);
                return;
            }
    }
}

// ---- Key up --------------------------------------------------------------------------------------
void TZvStringGrid::KeyUp(WORD& Key, TShiftState Shift) { KeyUpHook(Key, Shift); }

void TZvStringGrid::KeyUpHook(WORD& Key, TShiftState Shift)
{
    const WORD key = Key;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE: SearchService().FIncrSearchText.clear(); break;
    default: break;
    }
    const TGridRect before = Ordered(Selection());
    TBaseGrid::KeyUp(Key, Shift);
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    const bool tab = key == VK_TAB && Options().Contains(goTabs);
    if (d->FNavigation->AlwaysEdit() && (arrow || tab)) {
        const int rc = RealColIndex(Col());
        const TPoint base = BaseCell(rc, Row());
        if (!IsCheckOrButtonCell(base.X, base.Y)) ShowInplaceEdit();
    }
    if (arrow || key == VK_TAB) {
        const TGridRect sel = Selection();
        if (sel != d->FMoveSelection) {
            d->FMoveSelection = sel;
            FireSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        }
    }
    if (d->FMouseActions->DisjunctCellSelect() && !Options().Contains(goEditing))
        DisjunctCellsOnKeyUp(key, Shift, before);
}

// Shift grows the disjunct cell selection by the range the key selected; Space
// takes the current cell in (with Ctrl: in or out).
void TZvStringGrid::DisjunctCellsOnKeyUp(WORD Key, TShiftState Shift, const TGridRect& Before)
{
    const TGridRect sel = Ordered(Selection());
    if (Shift.Contains(ssShift)) {
        for (int r = Before.Top; r <= Before.Bottom; ++r)
            for (int c = Before.Left; c <= Before.Right; ++c) SetSelectedCells(c, r, false);
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            for (int c = sel.Left; c <= sel.Right; ++c)
                if (c != Col() || r != Row()) SetSelectedCells(c, r, true);
    }
    if (Key != VK_SPACE) return;
    const TPoint rb = BaseCell(RealColIndex(Col()), Row());
    const TGridCoord base{RealToDisplayCol(rb.X), rb.Y};
    if (!IsFixed(base.X, base.Y)) {
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, base.X, base.Y, can);
        if (!can) return;
        if (Shift.Contains(ssCtrl)) {
            SetSelectedCells(base.X, base.Y, !GetSelectedCells(base.X, base.Y));
        } else {
            RepaintSelectedCells();
            d->FSelectedCells->Clear();
            SetSelectedCells(base.X, base.Y, true);
        }
    }
    AddSelectionToSelectedCells(base);
    RepaintCell(Col(), Row());
}

// ---- Key down ------------------------------------------------------------------------------------
void TZvStringGrid::KeyDownMessageHook(TWMKey& Message)
{
    WORD key = WORD(Message.CharCode);
    d->FSelectionBeforeKey = Selection();
    const int colBefore = Col();
    const int rowBefore = Row();
    const bool ctrl = IsKeyDown(VK_CONTROL);
    const bool shiftDown = IsKeyDown(VK_SHIFT);
    const bool alt = IsKeyDown(VK_LMENU) || IsKeyDown(VK_MENU);
    TShiftState shift;
    if (shiftDown) shift.Include(ssShift);
    if (alt) shift.Include(ssAlt);
    if (ctrl) shift.Include(ssCtrl);
    const bool rowSelect = Options().Contains(goRowSelect);
    const bool keepLeft = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && rowSelect &&
                          LeftCol() != FixedCols() && d->FNavigation->KeepHorizScroll();
    const int leftBefore = LeftCol();

    if (d->FNavigation->MoveScrollOnly()) {
        const int vis = VisibleRowCount();
        bool handled = true;
        switch (key) {
        case VK_PRIOR: SetTopRow(vis + FixedRows() < TopRow() ? TopRow() - vis : FixedRows()); break;
        case VK_NEXT:
            if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + vis);
            break;
        case VK_END: SetTopRow(RowCount() - vis); break;
        case VK_HOME: SetTopRow(FixedRows()); break;
        case VK_UP:
            if (FixedRows() < TopRow()) SetTopRow(TopRow() - 1);
            break;
        case VK_DOWN:
            if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + 1);
            break;
        default: handled = false; break;
        }
        if (handled) {
            Message.Result = 1;
            return;
        }
    }

    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
    if (d->FMouseActions->EditOnDblClickOnly() && enterOrF2 && !Options().Contains(goEditing)) {
        const bool was = d->FMouseActions->RangeSelectAndEdit();
        d->FMouseActions->SetRangeSelectAndEdit(true);
        const bool editable = IsEditable(RealColIndex(Col()), Row());
        d->FMouseActions->SetRangeSelectAndEdit(was);
        if (editable) SetOptions(Options() + goEditing);
    }

    if (d->FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing) && enterOrF2) {
        if (!IsEditable(RealColIndex(Col()), Row())) {
            FireKeyDownCopy(key, shift);
            Message.CharCode = 0;
            Message.Result = 1;
            return;
        }
        SetOptions(Options() + goEditing);
        ShowInplaceEdit();
    }

    if (ctrl && key == 'F' && SearchFooter()->Visible() && SearchPanel() && SearchPanel()->CanFocus())
        SearchPanel()->SetFocus();

    if (enterOrF2) {
        if (Options().Contains(goEditing) && !IsEditable(RealColIndex(Col()), Row())) {
            FireKeyDownCopy(key, shift);
            Message.CharCode = 0;
            Message.Result = 1;
            return;
        }
        if (CellHasFormControl(Col(), Row())) {
            Message.Result = 1;
            return;
        }
    }

    if (key == VK_RETURN && !IsEditable(RealColIndex(Col()), Row())) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->KeyPreview()) {
            TBaseGrid::WndProc(Message.Message);
        } else {
            FireKeyDownCopy(key, shift);
            Message.CharCode = 0;
            Message.Result = 1;
        }
        return;
    }

    // Cell objects live in real columns: hidden columns left of the current
    // one must not shift the check-box test onto a neighbour.
    if ((key == VK_RETURN || key == VK_SPACE) && IsCheckOrButtonCell(RealColIndex(Col()), Row())) {
        const int rc = RealColIndex(Col());
        bool allowed = Options().Contains(goEditing) || d->FMouseActions->RangeSelectAndEdit();
        QueryCellEditable(rc, Row(), allowed);
        if (key == VK_SPACE && (allowed || d->FControlLook->CheckAlwaysActive()) && HasCheckBox(rc, Row())) {
            ToggleCellCheckBox(rc, Row(), true);
            if (d->FShowModified->Enabled()) {
                SetRowModified(Row(), true);
                RepaintCell(0, Row());
            }
            bool state = false;
            GetCheckBoxState(rc, RealRowIndex(Row()), state);
            FireCheckBoxClick(Col(), Row(), state);
        } else if (key == VK_SPACE && (allowed || d->FControlLook->RadioAlwaysActive()) && IsRadio(rc, Row())) {
            AdvanceCellRadio(rc, Row(), true);
            int idx = -1;
            GetRadioIdx(rc, Row(), idx);
            if (OnRadioClick) OnRadioClick(this, Col(), Row(), idx);
        } else if (key == VK_SPACE && (allowed || d->FControlLook->RadioAlwaysActive()) && HasRadioButton(rc, Row())) {
            SetRadioButtonColumnIndex(rc, Row());
            if (OnRadioButtonClick) OnRadioButtonClick(this, Col(), Row());
        } else if (allowed && HasButton(rc, Row())) {
            FireButtonClick(Col(), Row());
        }
        RepaintCell(Col(), Row());
    }

    if (!ctrl && (key == VK_HOME || key == VK_END) && HomeEndKeyDown(key, shift, rowBefore)) return;
    if (ctrl && key == VK_HOME && d->FNavigation->HomeEndKey() == THomeEndAction::heFirstLastColumn) {
        SetRow(FixedRows());
        if (HomeEndKeyDown(key, TShiftState{}, rowBefore)) return;
    }

    if ((key == VK_RIGHT || key == VK_LEFT) && IsNode(RealRowIndex(Row())) &&
        IsMergedCell(RealColIndex(Col()), Row())) {
        if (key == VK_RIGHT) ExpandNode(RealRowIndex(Row()));
        else ContractNode(RealRowIndex(Row()));
    }

    if (rowSelect && (key == VK_LEFT || key == VK_RIGHT) && !IsNode(RealRowIndex(Row())) &&
        VisibleColCount() < ColCount()) {
        auto scroll = [this](WORD k) {
            if (k == VK_LEFT && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
            if (k == VK_RIGHT && VisibleColCount() + LeftCol() < ColCount()) SetLeftCol(LeftCol() + 1);
        };
        if (d->FNavigation->LeftRightRowSelect()) {
            if (ctrl) scroll(key);
        } else {
            scroll(key);
            FireKeyDownCopy(key, shift);
            Message.Result = 0;
            return;
        }
    }

    if (key == VK_TAB && Options().Contains(goTabs)) {
        TabToNextCell(shiftDown);
        const TGridRect sel = Selection();
        if (sel != d->FSelectionBeforeKey) FireSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        return;
    }

    if (d->FNavigation->SkipFixedCells() && SkipFixedCellsKey(key, shift)) Message.CharCode = 0;

    if (key == VK_DOWN && IsOnLastDataRow() && d->FNavigation->AppendOnArrowDown()) {
        AppendRowOnArrowDown();
        if (d->FSelectionRectangle && Selection() != d->FSelectionBeforeKey) InvalidateRect(Selection());
    }

    const bool searchFooter = SearchFooter()->Visible() && TopRow() >= RowCount() - VisibleRowCount();
    const bool onLastRow = Row() == RowCount() - 1;
    if (searchFooter && onLastRow && Message.CharCode != 0) {
        const bool lastCell = key == VK_RIGHT && Col() == ColCount() - 1;
        const bool firstCell = key == VK_LEFT && Col() == FirstDataColumn();
        if (key == VK_DOWN || lastCell || firstCell) {
            if (key == VK_DOWN) ScrollLastRowClearOfSearchFooter();
            Message.Result = 1;
            FireKeyDownCopy(key, shift);
            return;
        }
    }
    const bool otherKey = Message.CharCode != 0 && !IsNavigationKey(key) && key != VK_SHIFT && key != VK_MENU;
    const bool batch = searchFooter && (otherKey || (onLastRow && (key == VK_NEXT || key == VK_END ||
                                                                   key == VK_LEFT || key == VK_RIGHT ||
                                                                   key == VK_DOWN)));
    const int topBefore = TopRow();
    if (batch || keepLeft) BeginUpdate();
    TBaseGrid::WndProc(Message.Message);
    if (keepLeft) SetLeftCol(leftBefore);
    if (batch && otherKey) SetTopRow(topBefore);
    if (batch || keepLeft) EndUpdate();
    if (SearchFooter()->Visible() && Row() == RowCount() - 1 &&
        (key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_DOWN))
        ScrollLastRowClearOfSearchFooter();

    KeyDownAfterInherited(WORD(Message.CharCode), shift, colBefore);
}

// Home and End by the Navigation.HomeEndKey rule; true when the key is done.
bool TZvStringGrid::HomeEndKeyDown(WORD Key, TShiftState Shift, int RowBefore)
{
    const THomeEndAction mode = d->FNavigation->HomeEndKey();
    const bool home = Key == VK_HOME;
    const bool shiftDown = Shift.Contains(ssShift);
    const bool onlyFixed = d->FFixedRowAlways && RowCount() == 1;
    if (mode == THomeEndAction::heFirstLastCell) {
        if (home) {
            SetCol(FixedCols());
            SetRow(FixedRows());
        } else {
            SetCol(ColCount() - 1);
            SetRow(RowCount() - 1);
        }
        MoveToBaseCell();
        FireKeyDownCopy(Key, Shift);
        return true;
    }
    if (mode == THomeEndAction::heFirstLastRow) {
        if (onlyFixed) return false;
        const bool footer = d->FFloatingFooter->Visible() && RowCount() > 2;
        const int last = footer ? RowCount() - 2 : RowCount() - d->FFixedFooters - 1;
        const int target = home ? FixedRows() : last;
        const int leftBefore = LeftCol();
        SetRow(target);
        MoveToBaseCell();
        if (!home && (d->FFixedFooters > 0 || d->FFloatingFooter->Visible())) SetTopRow(RowCount() - VisibleRowCount());
        if (shiftDown) {
            SetSelection(GridRect({0, RowBefore}, {ColCount() - 1, target}));
            if (d->FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
        } else if (d->FMouseActions->DisjunctRowSelect()) {
            ClearRowSelect();
            SelectionToRowSelect(false);
        }
        FireKeyDownCopy(Key, Shift);
        if (Options().Contains(goRowSelect) && d->FNavigation->KeepHorizScroll()) {
            StartUpdate();
            SetLeftCol(leftBefore);
            ResetUpdate();
        }
        return true;
    }
    if (Options().Contains(goRowSelect)) return false;
    if (onlyFixed) {
        TMessage m{WM_KEYDOWN, Key, 0, 0};
        TBaseGrid::WndProc(m);
        return true;
    }
    if (shiftDown) {
        const int to = home ? FixedCols() : ColCount() - d->FFixedRightCols - 1;
        SetSelection(GridRect({Col(), Row()}, {to, Row()}));
        RepaintRow(Row());
    } else if (home) {
        const int c = FirstTabStopCol(Row());
        if (c >= 0) SetCol(c);
        MoveToBaseCell();
        SetLeftCol(FirstDataColumn());
    } else {
        SetCol(ColCount() - 1);
        MoveToBaseCell();
        SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
    }
    FireKeyDownCopy(Key, Shift);
    return true;
}

// Arrow keys jump over cells that the fixed-cell rules make fixed; true
// when the grid moved itself and the base grid must not move again.
bool TZvStringGrid::SkipFixedCellsKey(WORD Key, TShiftState Shift)
{
    WORD k = Key;
    if (UseRightToLeftReading()) {
        if (k == VK_LEFT) k = VK_RIGHT;
        else if (k == VK_RIGHT) k = VK_LEFT;
    }
    const int rightEnd = ColCount() - d->FFixedRightCols;
    const int bottomEnd = RowCount() - d->FFixedFooters;
    switch (k) {
    case VK_LEFT:
        if (Col() > FixedCols() && IsFixed(Col() - 1, Row())) {
            int c = Col() - 1;
            while (c >= FixedCols() && IsFixed(c, Row())) --c;
            if (c >= FixedCols()) SetCol(c);
            FireKeyDownCopy(Key, Shift);
            return true;
        }
        break;
    case VK_RIGHT:
        if (Col() < rightEnd && Col() + 1 < ColCount() && IsFixed(Col() + 1, Row())) {
            int c = Col() + 1;
            while (c < rightEnd && IsFixed(c, Row())) ++c;
            if (c < rightEnd) SetCol(c);
            FireKeyDownCopy(Key, Shift);
            return true;
        }
        break;
    case VK_UP:
        if (Row() > FixedRows() && IsFixed(Col(), Row() - 1)) {
            if (Options().Contains(goRowSelect)) SetRow(Row() - 1);
            else {
                int r = Row() - 1;
                while (r >= FixedRows() && IsFixed(Col(), r)) --r;
                if (r >= FixedRows()) SetRow(r);
            }
            FireKeyDownCopy(Key, Shift);
            return true;
        }
        break;
    case VK_DOWN:
        if (Row() + 1 < bottomEnd && IsFixed(Col(), Row() + 1)) {
            if (Options().Contains(goRowSelect)) SetRow(Row() + 1);
            else {
                int r = Row() + 1;
                while (r < bottomEnd && IsFixed(Col(), r)) ++r;
                if (r < bottomEnd) SetRow(r);
            }
            FireKeyDownCopy(Key, Shift);
            return true;
        }
        break;
    default: break;
    }
    return false;
}

// What the key does once the base grid has seen it (and OnKeyDown may have changed it).
void TZvStringGrid::KeyDownAfterInherited(WORD Key, TShiftState Shift, int ColBefore)
{
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shiftDown = Shift.Contains(ssShift);
    const bool alt = Shift.Contains(ssAlt);
    if (d->FNavigation->AllowClipboardShortCuts()) {
        auto clip = [this](const TClipboardEvent& ev, void (TZvStringGrid::*op)()) {
            bool allow = true;
            if (ev) ev(this, allow);
            if (allow) (this->*op)();
        };
        if (ctrl && Key == 'X') clip(OnClipboardCut, &TZvStringGrid::CutSelectionToClipboard);
        else if (ctrl && Key == 'V') clip(OnClipboardPaste, &TZvStringGrid::PasteSelectionFromClipboard);
        else if (ctrl && (Key == 'C' || Key == VK_INSERT)) clip(OnClipboardCopy, &TZvStringGrid::CopySelectionToClipboard);
        else if (shiftDown && !ctrl && Key == VK_INSERT)
            clip(OnClipboardPaste, &TZvStringGrid::PasteSelectionFromClipboard);
        else if (shiftDown && !ctrl && Key == VK_DELETE)
            clip(OnClipboardCut, &TZvStringGrid::CutSelectionToClipboard);
    }

    if (Key == VK_INSERT && !ctrl && !shiftDown && !alt && d->FNavigation->AllowInsertRow()) {
        bool allow = true;
        FireCanInsertRow(Row(), allow);
        if (!allow) return;
        const bool filter = FilterService().FFilterActive;
        if (filter) SetFilterActive(false);
        int insertAt = RealRowIndex(Row());
        int newRow = insertAt;
        if (d->FNavigation->InsertPosition() == TInsertPosition::pInsertAfter) {
            if (d->FFixedRowAlways && RowCount() == FixedRows()) {
                insertAt = Row();
                newRow = 1;
            } else {
                insertAt = RealRowIndex(Row()) + 1;
                newRow = insertAt + 1 < RowCount() + 1 ? insertAt : newRow;
            }
        }
        AutoInsertRow(insertAt);
        if (OnAutoInsertRow) OnAutoInsertRow(this, insertAt);
        MarkRowsModified(insertAt, insertAt);
        if (filter) SetFilterActive(true);
        if (newRow < RowCount()) SetRow(newRow);
        CalcFooter(-1);
    }

    if (ctrl && Key == 'A' && (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect))) {
        TGridRect all{FirstDataColumn(), FixedRows(), ColCount() - d->FFixedRightCols - 1,
                      RowCount() - d->FFixedFooters - 1};
        if (d->FMouseActions->DisjunctRowSelect())
            for (int r = all.Top; r <= all.Bottom; ++r) SetRowSelect(r, true);
        AdjustSelectAllRect(all);
        SetSelection(all);
        JumpToCell(all.Right, all.Bottom);
        const TRect rc = CellRect(all.Right, all.Bottom);
        ReplayClick(rc.Left + 2, rc.Top + 2);
        JumpToCell(all.Right, all.Bottom);
        SetSelection(all);
    }

    if (IsNavigationKey(Key)) {
        if (d->FMouseActions->DisjunctRowSelect()) {
            if (!shiftDown && !ctrl) ClearRowSelect();
            if (shiftDown) SelectionToRowSelect(false);
            else SetRowSelect(d->FMouseActions->RowSelectPersistent() ? RealRowIndex(Row()) : Row(), true);
        }
        if (d->FMouseActions->DisjunctColSelect()) {
            if (!shiftDown && !ctrl) ClearColSelect();
            if (shiftDown) SelectionToColSelect(false);
            else SetColSelect(Col(), true);
        }
    }

    if (Key == VK_SPACE) {
        if (d->FMouseActions->DisjunctRowSelect()) SetRowSelect(Row(), !GetRowSelect(Row()));
        else if (d->FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !GetColSelect(Col()));
    }

    if (Key == VK_DELETE && d->FNavigation->AllowDeleteRow() && !alt && RowCount() > FixedRows() + d->FFixedFooters) {
        const bool filter = FilterService().FFilterActive;
        if (filter) SetFilterActive(false);
        bool allow = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, RealRowIndex(Row()), allow);
        if (!allow) {
            if (filter) SetFilterActive(true);
            return;
        }
        AutoDeleteRow(Row());
        if (filter) SetFilterActive(true);
        if (d->FFloatingFooter->Visible() && Row() >= RowCount() - 1) SetRow(RowCount() - 2);
        RememberOldCell(Col(), Row());
        MarkRowsModified(Row(), Row());
        CalcFooter(-1);
    }

    if (Key == VK_TAB && Options().Contains(goTabs) && d->FFixedRightCols > 0 &&
        RealColIndex(ColBefore) == AllColCount() - d->FFixedRightCols - 1) {
        if (Row() == RowCount() - d->FFixedFooters - 1) SetRow(FixedRows());
        else SetRow(Row() + 1);
        SetCol(FirstDataColumn());
    }

    if (Key == VK_RETURN || Key == VK_F2) {
        RememberOldCell(Col(), Row());
        if (CellHasFormControl(Col(), Row())) ActivateCellControl(Col(), Row(), String());
        if (Key == VK_F2) F2KeyHook();
    }

    const TGridRect sel = Selection();
    if (sel != d->FSelectionBeforeKey) {
        FireSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        d->FSelectionBeforeKey = sel;
    }
}

// Opens the HTML form control with the ID in the cell (the first editable
// one for an empty ID); without one the grid keeps the focus.
void TZvStringGrid::ActivateCellControl(int ACol, int ARow, const String& ID)
{
    const String text = GetCellEx(RealColIndex(ACol), ARow);
    const String id = ID.isEmpty() ? NextEditableControlID(text, String()) : ID;
    String value;
    if (id.isEmpty() || !FindControlTag(text, id, value)) {
        if (CanFocus()) SetFocus();
        return;
    }
    d->FHTMLControlCell = {ACol, ARow};
    d->FHTMLControlID = id;
    ShowCellControl(ACol, ARow, CellRect(ACol, ARow).Left, CellRect(ACol, ARow).Top);
}

void TZvStringGrid::KeyUpMessageHook(TWMKey& Message)
{
    TBaseGrid::WndProc(Message.Message);
}

// ---- Characters ----------------------------------------------------------------------------------
void TZvStringGrid::CharMessageHook(TWMKey& Message)
{
    // Cell objects live in real columns; the current column is a displayed one.
    const int rc = RealColIndex(Col());
    QChar ch(char16_t(Message.CharCode));
    const bool ctrl = IsKeyDown(VK_CONTROL);
    if (CellHasFormControl(Col(), Row())) {
        Message.Result = 1;
        return;
    }
    if (d->FMouseActions->EditOnDblClickOnly()) {
        bool allow = true;
        QueryCellEditable(rc, Row(), allow);
        if (allow) SetOptions(Options() + goEditing);
    }
    if (d->FNavigation->AllowClipboardShortCuts() && ctrl &&
        (ch.unicode() == 3 || ch.unicode() == 22 || ch.unicode() == 24)) {
        Message.CharCode = 0;
        return;
    }
    const bool checkCell = IsCheckOrButtonCell(rc, Row());
    if (d->FMouseActions->RangeSelectAndEdit() && IsEditable(rc, Row()) && !checkCell &&
        ch.unicode() != 9 && ch.unicode() != 27 && !ctrl) {
        QChar copy = ch;
        if (OnKeyPress) OnKeyPress(this, copy);
        d->FStartEditChar = ch;
        SetOptions(Options() + goEditing);
        if (Row() < TopRow() || Row() >= TopRow() + VisibleRowCount() || Col() < LeftCol() ||
            Col() >= LeftCol() + VisibleColCount())
            ScrollInView(Col(), Row());
        const TRect rc = CellRect(Col(), Row());
        ReplayPress(rc.Left + 2, rc.Top + 2);
        ShowEditorChar(ch);
        return;
    }
    // The numeric keypad's point types the locale's decimal separator.
    if (ch == u'.' && (Message.KeyData & (LPARAM(1) << 22)) != 0 && d->FExcelStyleDecimalSeparator) {
        ch = FormatSettings().DecimalSeparator;
        Message.CharCode = ch.unicode();
    }
    if (checkCell && ch.unicode() == 13 && d->FNavigation->AdvanceOnEnter()) {
        TBaseGrid::WndProc(Message.Message);
        return;
    }
    const char16_t u = ch.unicode();
    if (Options().Contains(goEditing) && (u == 8 || (u >= 32 && u <= 255)) && u != 9) {
        if (OnKeyPress) OnKeyPress(this, ch);
        d->FStartEditChar = ch;
        if (!checkCell && ch.unicode() != 0) ShowEditorChar(ch);
        return;
    }
    TBaseGrid::WndProc(Message.Message);
}

// ---- Key press -----------------------------------------------------------------------------------
void TZvStringGrid::KeyPressHook(QChar& Key)
{
    const char16_t k = Key.unicode();
    if (k == 27) {
        if (Options().Contains(goEditing) && EditorMode()) RestoreCellFromCache();
        if (OnKeyPress) OnKeyPress(this, Key);
        return;
    }
    if (k == 13) {
        const int rc = RealColIndex(Col());
        const bool checkCell = IsCheckOrButtonCell(rc, Row());
        if (!d->FNavigation->AdvanceOnEnter() && !IsEditable(rc, Row())) {
            if (OnKeyPress) OnKeyPress(this, Key);
            Key = QChar(0);
            return;
        }
        if (!Focused() || checkCell) {
            AdvanceToNextCell(Col(), Row(), false, false, true, false, EditorMode());
            if (!d->FNavigation->AdvanceAutoEdit()) {
                if (OnKeyPress) OnKeyPress(this, Key);
                Key = QChar(0);
                return;
            }
            if (checkCell) {
                if (OnKeyPress) OnKeyPress(this, Key);
                if (d->FNavigation->AdvanceOnEnter()) ShowInplaceEdit();
                return;
            }
        }
    }
    if (!Options().Contains(goEditing) && d->FNavigation->AutoGotoWhenSorted()) {
        if (d->FNavigation->AutoGotoIncremental()) {
            if (k == 8) SearchService().FIncrSearchText.chop(1);
            else SearchService().FIncrSearchText += Key;
            SearchService().FSearchTicks = 0;
        } else {
            SearchService().FIncrSearchText = Key;
        }
        const int r = Search(SearchService().FIncrSearchText.toUpper());
        if (r == -1) SearchService().FIncrSearchText.clear();
        else SetRow(r);
    }
    TBaseGrid::KeyPress(Key);
}

// ---- Accessors ----------------------------------------------------------------------------------------------

// Empty by design: a descendant may narrow the rectangle select-all takes; the grid takes the whole data area.
void TZvStringGrid::AdjustSelectAllRect(TGridRect&) {}
