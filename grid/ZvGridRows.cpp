// Row and column operations and cell access shared with the rest of the grid.

#include "grid/ZvGrid.h"
#include "grid/ZvGridUtil.h"
#include "grid/ZvHTMLUtil.h"

#include <algorithm>
#include <cmath>
#include <set>

void TZvStringGrid::RemoveRowsInternal(int, int) {}
void TZvStringGrid::RemoveRowsEx(int, int) {}
void TZvStringGrid::RemoveRows(int, int) {}
void TZvStringGrid::InsertRows(int, int, bool) {}
void TZvStringGrid::RemoveCols(int, int) {}
void TZvStringGrid::InsertCols(int, int) {}
void TZvStringGrid::UpdateCellScrollBar(int, int) {}
void TZvStringGrid::AutoSizeCol(int, int) {}
void TZvStringGrid::AutoSizeColumns(bool, int) {}
void TZvStringGrid::BalloonInit() {}
void TZvStringGrid::BalloonDone() {}
void TZvStringGrid::CellControlsUpdate(bool) {}
void TZvStringGrid::FillCellHint(String&, THintInfo&) {}
void TZvStringGrid::HideInplaceEdit() {}
void TZvStringGrid::InsertRowsCore(int, int, bool) {}
void TZvStringGrid::RemoveRowsCore(int, int, bool) {}
void TZvStringGrid::ShowInplaceEdit() {}
void TZvStringGrid::SimulateCellClick(int, int) {}
void TZvStringGrid::UpdateSearchPanel() {}
void TZvStringGrid::SizeWithFormResize(TObject*) {}
void TZvStringGrid::MergedColumnsChanged(TObject*, int, int) {}

// ---- Cells addressed by real row ----------------------------------------------------------------------
TGridItem* TZvStringGrid::HiddenRowItem(int ARealRow) const
{
    for (const auto& item : FGridItems)
        if (item->Idx() == ARealRow) return item.get();
    return nullptr;
}

TCellProperties* TZvStringGrid::CellObjectByRealRow(int ACol, int ARealRow)
{
    if (TGridItem* item = HiddenRowItem(ARealRow)) {
        TStringList* cells = item->Items();
        return ACol >= 0 && ACol < cells->Count() ? dynamic_cast<TCellProperties*>(cells->Objects(ACol)) : nullptr;
    }
    const int r = RealToDisplayRow(ARealRow);
    return HasCellObject(ACol, r) ? PropsAt(ACol, r) : nullptr;
}

String TZvStringGrid::GetCellsEx(int ACol, int ARow)
{
    TGridItem* item = FGridItems.empty() ? nullptr : HiddenRowItem(ARow);
    if (!item) return GetCellEx(ACol, FGridItems.empty() ? ARow : RealToDisplayRow(ARow));
    TStringList* cells = item->Items();
    String text = ACol >= 0 && ACol < cells->Count() ? cells->Strings(ACol) : String();
    FireGetDisplText(ACol, ARow, text);
    return text;
}

void TZvStringGrid::SetCellsEx(int ACol, int ARow, const String& Value)
{
    TGridItem* item = FGridItems.empty() ? nullptr : HiddenRowItem(ARow);
    if (!item) {
        SetCellEx(ACol, FGridItems.empty() ? ARow : RealToDisplayRow(ARow), Value);
        return;
    }
    if (ACol < 0) return;
    TStringList* cells = item->Items();
    while (cells->Count() <= ACol) cells->Add(String());
    cells->SetStrings(ACol, Value);
}

bool TZvStringGrid::GetReadOnly(int ACol, int ARow)
{
    const TCellProperties* props = HasCellObject(ACol, ARow) ? PropsAt(ACol, ARow) : nullptr;
    return props && props->ReadOnly();
}

String TZvStringGrid::GetStrippedCell(int ACol, int ARow) { return StripHTMLTags(GetCellEx(ACol, ARow)); }

String TZvStringGrid::GetWideCells(int ACol, int ARow) { return DecodeUnicodeCellText(GetCellEx(ACol, ARow)); }

TControl* TZvStringGrid::GetCellControls(int ACol, int ARow)
{
    const TCellProperties* props = HasCellObject(ACol, ARow) ? PropsAt(ACol, ARow) : nullptr;
    return props ? props->Control() : nullptr;
}

// ---- Per-cell colours and alignment -------------------------------------------------------------------
void TZvStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
}

void TZvStringGrid::SetColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    if (FUpdateCount == 0) RepaintCell(ACol, ARow);
}

void TZvStringGrid::SetColorsTo(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
    if (FUpdateCount == 0) RepaintCell(ACol, ARow);
}

void TZvStringGrid::SetFontColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    if (FUpdateCount == 0) RepaintCell(ACol, ARow);
}

void TZvStringGrid::SetRowColor(int ARow, TColor Value)
{
    for (int c = 0; c < ColCount(); ++c) SetColors(c, ARow, Value);
}

void TZvStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    for (int c = 0; c < ColCount(); ++c) SetColorsTo(c, ARow, Value);
}

void TZvStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    for (int c = 0; c < ColCount(); ++c) SetFontColors(c, ARow, Value);
}

void TZvStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int c = 0; c < ColCount(); ++c) FColumnOrder->Add(c);
}

bool TZvStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->IndexOf(ARow * 65536 + ACol) >= 0;
    if (FMouseActions->DisjunctRowSelect())
        return GetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (FMouseActions->DisjunctColSelect()) return GetColSelect(ACol);
    const TGridRect sel = Selection();
    return ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom;
}

// ---- Rows ------------------------------------------------------------------------------------------------
void TZvStringGrid::AddRow()
{
    if (FFloatingFooter->Visible()) {
        InsertRows(RowCount() - 1, 1, true);
        if (FFloatingFooter->FooterStyle() == TFooterStyle::fsFixedLastRow) ClearRows(RowCount() - 2, 1);
        return;
    }
    InsertRows(RowCount(), 1, false);
    ClearRows(RowCount() - 1, 1);
}

void TZvStringGrid::ClearRows(int RowIndex, int RCount)
{
    const int cols = ColCount() + FNumHidden;
    for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r) {
        for (int c = 0; c < cols; ++c) {
            SetGridCell(c, r, String());
            if (!FClearObjectsOnRowClear) continue;
            FreeCellObject(c, r);
        }
    }
}

// ---- Column calculations ---------------------------------------------------------------------------------
void TZvStringGrid::CalcRowRange(int& FromRow, int& ToRow) const
{
    if (FromRow == -1) FromRow = FixedRows();
    if (ToRow == -1) ToRow = RowCount() - 1 - FFixedFooters;
}

std::vector<double> TZvStringGrid::ColumnValues(int ACol, int FromRow, int ToRow)
{
    std::vector<double> values;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (!IsBaseCell(ACol, r)) continue;
        if (FIsGrouping && (IsNode(r) || IsSummary(r))) continue;
        try {
            values.push_back(GetFloats(ACol, r));
        } catch (const EZvGridError&) {
            // A cell that holds no number takes no part in the calculation.
        }
    }
    return values;
}

double TZvStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    CalcRowRange(FromRow, ToRow);
    double sum = 0;
    for (double v : ColumnValues(ACol, FromRow, ToRow)) sum += v;
    return sum;
}

double TZvStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    CalcRowRange(FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    return n > 0 ? ColumnSum(ACol, FromRow, ToRow) / n : 0;
}

double TZvStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    CalcRowRange(FromRow, ToRow);
    const std::vector<double> values = ColumnValues(ACol, FromRow, ToRow);
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double TZvStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    CalcRowRange(FromRow, ToRow);
    const std::vector<double> values = ColumnValues(ACol, FromRow, ToRow);
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

double TZvStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    CalcRowRange(FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    if (n <= 0) return 0;
    const double avg = ColumnAvg(ACol, FromRow, ToRow);
    double squares = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        double v = 0;
        try {
            v = GetFloats(ACol, r);
        } catch (const EZvGridError&) {
            // An unreadable cell counts as 0, as every row of the range counts.
        }
        squares += (v - avg) * (v - avg);
    }
    return std::sqrt(squares / n);
}

double TZvStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    CalcRowRange(FromRow, ToRow);
    std::set<String> seen;
    for (int r = FromRow; r <= ToRow; ++r) seen.insert(GetCellEx(ACol, r).toLower());
    return double(seen.size());
}

double TZvStringGrid::CustomGroupCalc(int ACol, int FromRow, int ToRow)
{
    double result = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, result);
    return result;
}

// ---- Rectangles and change notification ---------------------------------------------------------------------
void TZvStringGrid::RecalcColumnFooter(int ACol) { CalcFooter(ACol); }

void TZvStringGrid::RecalcAllFooters() { CalcFooter(-1); }

void TZvStringGrid::FireCellsChanged(TRect R)
{
    if (OnCellsChanged) OnCellsChanged(this, R);
    for (TGridChangeNotifier* notifier : FNotifiers) notifier->GridCellsChanged(R);
    RecalcAllFooters();
}

void TZvStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = ARow1; r <= ARow2; ++r) {
        for (int c = ACol1; c <= ACol2; ++c) {
            const int col = FSaveHiddenCells ? c : RealColIndex(c);
            SetGridCell(col, r, String());
            if (!FClearTextOnly && HasCellObject(col, r)) FreeCellObject(col, r);
        }
    }
    FireCellsChanged(TRect{ACol1, ARow1, ACol2, ARow2});
}

void TZvStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) SetCellEx(c, r, Trim(GetCellEx(c, r)));
}

void TZvStringGrid::InitOrigColSizes()
{
    FColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c) FColSizes->Add(ColWidths(c));
    FOldWidth = Width();
}
