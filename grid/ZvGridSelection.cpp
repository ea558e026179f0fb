// Selection, cell moves, repainting, row flags, fills and cell checks.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/ZvStringGridCheck.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/DateUtils.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstdlib>

namespace {
// Grows a flag list to hold index; new entries are clear.
template <class List>
void GrowTo(List& list, int index)
{
    if (int(list.size()) <= index) list.resize(std::size_t(index) + 1, false);
}

void GrowIntList(TIntList& list, int index)
{
    // A negative row is the caller's fault, not a reason to grow.
    if (index < 0) throw EZvGridError(QStringLiteral("Invalid row accessed"));
    while (list.Count() <= index) list.Add(0);
}
}   // namespace

void TZvStringGrid::AddEmptyRow() { SetRowCount(RowCount() + 1); }

// ---- The selection rectangle ---------------------------------------------------------------------------
void TZvStringGrid::SetSelection(const TGridRect& Value)
{
    TBaseGrid::SetSelection(Value);
    if (d->FActiveCellShow) {
        InvalidateRow(0);
        InvalidateCol(0);
    }
    if (ActiveRowShow()) RepaintRow(Value.Bottom);
}

int TZvStringGrid::SelectionRow(int ARow) const
{
    return d->FMouseActions->RowSelectPersistent() ? DisplayToRealRow(ARow) : ARow;
}

void TZvStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
    if (!d->FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int row = SelectionRow(r);
            if (row < RowCount()) SetRowSelect(row, true);
        }
    }
    if (!d->FRowIndicator->Empty()) RepaintCol(0);
    d->FSelChange = false;
}

void TZvStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (d->FMouseActions->DisjunctRowSelect()) {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int row = SelectionRow(r);
            if (row < RowCount()) SetRowSelect(row, false);
        }
    }
    d->FSelChange = false;
}

void TZvStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!d->FMouseActions->DisjunctColSelect()) {
        SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c) SetColSelect(c, true);
}

void TZvStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!d->FMouseActions->DisjunctColSelect()) return;
    for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c) SetColSelect(c, false);
}

void TZvStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TZvStringGrid::ClearRowSelect()
{
    for (std::size_t r = 0; r < d->FRowSelect.size(); ++r) {
        if (!d->FRowSelect[r]) continue;
        d->FRowSelect[r] = false;
        RepaintRow(int(r));
    }
    d->FSelectedRows->Clear();
}

void TZvStringGrid::ClearColSelect()
{
    for (std::size_t c = 0; c < d->FColSelect.size(); ++c) {
        if (!d->FColSelect[c]) continue;
        d->FColSelect[c] = false;
        RepaintCol(int(c));
    }
}

// ---- Disjunct row and column flags ----------------------------------------------------------------------
bool TZvStringGrid::GetRowSelect(int ARow)
{
    // A negative row is never valid, whatever RowSelectPersistent lets past beyond the end.
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && !d->FMouseActions->RowSelectPersistent()))
        throw EZvGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (d->FMouseActions->DisjunctRowSelect()) {
        GrowTo(d->FRowSelect, ARow);
        return d->FRowSelect[std::size_t(ARow)];
    }
    const TGridRect sel = Selection();
    return ARow >= std::min(sel.Top, sel.Bottom) && ARow <= std::max(sel.Top, sel.Bottom);
}

void TZvStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
        throw EZvGridError(QStringLiteral("Invalid row accessed"));
    const bool known = ARow < int(d->FRowSelect.size());
    if (!known || d->FRowSelect[std::size_t(ARow)] != Value) {
        bool allow = true;
        if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, allow);
        if (!allow) return;
    }
    GrowTo(d->FRowSelect, ARow);
    const bool was = d->FRowSelect[std::size_t(ARow)];
    if (was != Value) RepaintRow(ARow);
    d->FRowSelect[std::size_t(ARow)] = Value;
    if (Value) {
        if (!d->FSelectedRows->HasValue(ARow) && ARow >= FixedRows()) d->FSelectedRows->Add(ARow);
    } else {
        d->FSelectedRows->DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

void TZvStringGrid::CheckSelectColumn(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount()) throw EZvGridError(QStringLiteral("Invalid column accessed"));
}

bool TZvStringGrid::GetColSelect(int ACol)
{
    CheckSelectColumn(ACol);
    GrowTo(d->FColSelect, ACol);
    return d->FColSelect[std::size_t(ACol)];
}

void TZvStringGrid::SetColSelect(int ACol, bool Value)
{
    CheckSelectColumn(ACol);
    GrowTo(d->FColSelect, ACol);
    if (d->FColSelect[std::size_t(ACol)] != Value) RepaintCol(ACol);
    d->FColSelect[std::size_t(ACol)] = Value;
}

int TZvStringGrid::GetRowSelectCount()
{
    if (!d->FMouseActions->DisjunctRowSelect()) {
        const TGridRect sel = Selection();
        return std::abs(sel.Bottom - sel.Top) + 1;
    }
    const std::size_t n = std::min(d->FRowSelect.size(), std::size_t(RowCount() + NumHiddenRows()));
    return int(std::count(d->FRowSelect.begin(), d->FRowSelect.begin() + std::ptrdiff_t(n), true));
}

int TZvStringGrid::GetColSelectCount()
{
    if (!d->FMouseActions->DisjunctColSelect()) return Selection().Right - Selection().Left + 1;
    return int(std::count(d->FColSelect.begin(), d->FColSelect.end(), true));
}

void TZvStringGrid::SelectionToRowSelect(bool All)
{
    const TGridRect sel = Selection();
    const int bottom = std::min(sel.Bottom, RowCount() - d->FFixedFooters - 1);
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= sel.Top && r <= bottom;
        if (All || inside) SetRowSelect(SelectionRow(r), inside);
    }
    if (NumHiddenRows() > 0) Invalidate();
}

void TZvStringGrid::SelectionToColSelect(bool All)
{
    const TGridRect sel = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= sel.Left && c <= sel.Right;
        if (All || inside) SetColSelect(c, inside);
    }
}

// ---- Cell moves ---------------------------------------------------------------------------------------------
void TZvStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TZvStringGrid::FocusCell(int ACol, int ARow) { SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }

void TZvStringGrid::EditCell(int ACol, int ARow)
{
    SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TZvStringGrid::MoveToCell(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }

void TZvStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    const String text = GetGridCell(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, text);
    TObject* object = GetGridObject(FromCell.X, FromCell.Y);
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridObject(ToCell.X, ToCell.Y, object);
}

// ---- Repainting ----------------------------------------------------------------------------------------------
// The row indicator picture stands in column 0 of the current row: it moves with the row.
void TZvStringGrid::RepaintRowIndicators(int OldRow, int NewRow)
{
    if (!d->FRowIndicator || d->FRowIndicator->Empty() || FixedCols() == 0) return;
    RepaintCell(0, OldRow);
    RepaintCell(0, NewRow);
}

void TZvStringGrid::RepaintRow(int ARow)
{
    if (!HandleAllocated()) return;
    const TRect first = CellRect(0, ARow);
    const TRect last = CellRect(LeftCol() + VisibleColCount(), ARow);
    InvalidateRect(TRect{first.Left, first.Top, std::max(last.Right, first.Right), first.Bottom});
}

void TZvStringGrid::RepaintCol(int ACol)
{
    if (!HandleAllocated()) return;
    const TRect first = CellRect(ACol, TBaseGrid::TopRow());
    const TRect last = CellRect(ACol, TBaseGrid::TopRow() + VisibleRowCount());
    InvalidateRect(TRect{first.Left, first.Top, first.Right, std::max(last.Bottom, first.Bottom)});
}

void TZvStringGrid::RepaintRect(TGridRect r)
{
    if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0 || !HandleAllocated()) return;
    const TRect a = TCustomGrid::CellRect(r.Left, r.Top);
    const TRect b = TCustomGrid::CellRect(std::min(VisibleColCount() + FixedCols(), r.Right), r.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Invalidate();
        return;
    }
    InvalidateRect(TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                         std::max(a.Bottom, b.Bottom)});
}

// ---- Modified and enabled rows ---------------------------------------------------------------------------------
bool TZvStringGrid::GetRowModified(int ARow)
{
    if (ARow < 0) throw EZvGridError(QStringLiteral("Invalid row accessed"));
    return ARow < d->FModifiedRows->Count() && d->FModifiedRows->Items(ARow) == 1;
}

void TZvStringGrid::SetRowModified(int ARow, bool Value)
{
    GrowIntList(*d->FModifiedRows, ARow);
    d->FModifiedRows->SetItems(ARow, Value ? 1 : 0);
    RepaintCell(0, ARow);
}

int TZvStringGrid::ModifiedRowCount()
{
    int n = 0;
    for (int i = 0; i < d->FModifiedRows->Count(); ++i)
        if (d->FModifiedRows->Items(i) == 1) ++n;
    return n;
}

bool TZvStringGrid::GetRowEnabled(int ARow)
{
    if (ARow < 0) throw EZvGridError(QStringLiteral("Invalid row accessed"));
    return ARow >= d->FEnabledRows->Count() || d->FEnabledRows->Items(ARow) == 0;
}

void TZvStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0) throw EZvGridError(QStringLiteral("Invalid row accessed"));
    if (ARow == Row()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (r != ARow && GetRowEnabled(r)) {
                SetRow(r);
                break;
            }
        }
    }
    d->FUseEnabledRows = true;
    GrowIntList(*d->FEnabledRows, ARow);
    d->FEnabledRows->SetItems(ARow, Value ? 0 : 1);
    RepaintRow(ARow);
}

// ---- Fills -------------------------------------------------------------------------------------------------------
void TZvStringGrid::FillCells(bool DoFixed, const std::function<void(int, int)>& Fill)
{
    const int fromRow = DoFixed ? 0 : FixedRows();
    const int toRow = DoFixed ? RowCount() - 1 : RowCount() - d->FFixedFooters - 1;
    const int fromCol = DoFixed ? 0 : FixedCols();
    const int toCol = DoFixed ? ColCount() - 1 : ColCount() - d->FFixedRightCols - 1;
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c) Fill(c, r);
    RecalcAllFooters();
}

void TZvStringGrid::TextFill(bool DoFixed, const String& Txt)
{
    FillCells(DoFixed, [&](int c, int r) { SetCellEx(c, r, Txt); });
}

void TZvStringGrid::FormatFill(bool DoFixed, const String& Fmt)
{
    FillCells(DoFixed, [&](int c, int r) { SetCellEx(c, r, Format(Fmt, {c, r})); });
}

void TZvStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    FillCells(DoFixed, [&](int c, int r) {
        SetInts(c, r, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
}

void TZvStringGrid::LinearFill(bool DoFixed)
{
    FillCells(DoFixed, [&](int c, int r) { SetCellEx(c, r, IntToStr(c) + QLatin1Char(':') + IntToStr(r)); });
}

// ---- Dates and times ------------------------------------------------------------------------------------------------
void TZvStringGrid::SetDates(int ACol, int ARow, const QDateTime& Value)
{
    const TDateTime date = DateTimeFromQDateTime(Value);
    SetCellEx(ACol, ARow, date > 0 || d->FShowNullDates ? DateToStr(date) : String());
}

QDateTime TZvStringGrid::GetDates(int ACol, int ARow) { return DateTimeToQDateTime(StrToDate(GetCellEx(ACol, ARow))); }

void TZvStringGrid::SetTimes(int ACol, int ARow, const QDateTime& Value)
{
    SetCellEx(ACol, ARow, TimeToStr(DateTimeFromQDateTime(Value)));
}

QDateTime TZvStringGrid::GetTimes(int ACol, int ARow) { return DateTimeToQDateTime(StrToTime(GetCellEx(ACol, ARow))); }

// ---- Checking pass ------------------------------------------------------------------------------------------------------
bool TZvStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!d->FCellChecker) return true;
    d->FCellChecker->StartCheck();
    const int row = Row();
    const int col = Col();
    bool allGood = true;
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c) allGood = CheckCell(c, r) && allGood;
    d->FCellChecker->StopCheck();
    if (d->FCellChecker->GotoCell()) {
        SetRow(row);
        SetCol(col);
    }
    return allGood;
}

bool TZvStringGrid::CheckCol(bool DoFixed, int ACol)
{
    const int last = DoFixed ? RowCount() - 1 : RowCount() - d->FFixedFooters - 1;
    return CheckCells(ACol, DoFixed ? 0 : FixedRows(), ACol, last);
}

bool TZvStringGrid::CheckRow(bool DoFixed, int ARow)
{
    const int last = DoFixed ? ColCount() - 1 : ColCount() - d->FFixedRightCols - 1;
    return CheckCells(DoFixed ? 0 : FixedCols(), ARow, last, ARow);
}

bool TZvStringGrid::CheckGrid(bool DoFixed)
{
    return CheckCells(DoFixed ? 0 : FixedCols(), DoFixed ? 0 : FixedRows(),
                      DoFixed ? ColCount() - 1 : ColCount() - d->FFixedRightCols - 1,
                      DoFixed ? RowCount() - 1 : RowCount() - d->FFixedFooters - 1);
}

bool TZvStringGrid::CheckCell(int ACol, int ARow)
{
    if (!d->FCellChecker) return true;
    const String unmarked = UnMarkText(GetCellEx(ACol, ARow));
    if (d->FCellChecker->GotoCell()) MoveToCell(ACol, ARow);
    String text = unmarked;
    if (d->FCellChecker->UseCorrect()) text = d->FCellChecker->Correct(ACol, ARow, text);
    if (d->FCellChecker->UseMarkError()) text = d->FCellChecker->MarkError(ACol, ARow, text);
    SetCellEx(ACol, ARow, text);
    return text == unmarked;
}

// ---- The last row and the search footer ------------------------------------------------------------------------------------
bool TZvStringGrid::LastRowClearOfSearchFooter()
{
    if (!SearchFooter()->Visible()) return false;
    if (TBaseGrid::TopRow() + VisibleRowCount() < RowCount() - 1) return false;
    return RangeRect(0, RowCount() - 1).Bottom < ClientHeight() - SearchPanel()->Height() + 2;
}

void TZvStringGrid::ScrollLastRowClearOfSearchFooter()
{
    if (!SearchFooter()->Visible()) return;
    if (ClientHeight() <= DefaultRowHeight() + SearchPanel()->Height()) return;
    while (RangeRect(0, RowCount() - 1).Bottom > ClientHeight() - SearchPanel()->Height() + 2 &&
           TBaseGrid::Row() <= RowCount() - 1 && TBaseGrid::TopRow() < RowCount() - 1) {
        const int top = TBaseGrid::TopRow();
        TBaseGrid::SetTopRow(top + 1);
        if (TBaseGrid::TopRow() == top) break;   // the platform scrolls no further
    }
}
