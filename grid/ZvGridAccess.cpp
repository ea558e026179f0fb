// Dimensions of the string grid and typed access to its cells.

#include "grid/ZvGrid.h"

#include <algorithm>

String TZvStringGrid::CellFloatFormat(int, int)
{
    return FFloatFormat;
}

TGridRect TZvStringGrid::UsedCells() { return TGridRect{}; }
int TZvStringGrid::GetInts(int, int) { return 0; }
void TZvStringGrid::SetInts(int, int, int) {}
int TZvStringGrid::GetAllInts(int, int) { return 0; }
void TZvStringGrid::SetAllInts(int, int, int) {}
double TZvStringGrid::GetFloats(int, int) { return 0; }
void TZvStringGrid::SetFloats(int, int, double) {}
double TZvStringGrid::GetAllFloats(int, int) { return 0; }
void TZvStringGrid::SetAllFloats(int, int, double) {}
String TZvStringGrid::GetCtrlVal(int, int, const String&) { return String(); }
void TZvStringGrid::SetCtrlVal(int, int, const String&, const String&) {}
int TZvStringGrid::GetPrintColWidth(int) const { return 0; }
int TZvStringGrid::GetPrintColOffset(int) const { return 0; }
int TZvStringGrid::SaveStartCol() const { return 0; }
int TZvStringGrid::SaveStartRow() const { return 0; }
int TZvStringGrid::SaveEndCol() const { return 0; }
int TZvStringGrid::SaveEndRow() const { return 0; }
int TZvStringGrid::SaveColCount() const { return 0; }
int TZvStringGrid::SaveRowCount() const { return 0; }
void TZvStringGrid::HilightTextInRange(const String&, const String&, int, int, int, int, bool) {}
void TZvStringGrid::UnHilightTextInRange(const String&, int, int, int, int) {}
void TZvStringGrid::CellIntListChanged(TObject*, int, int) {}

// ---- Dimensions -----------------------------------------------------------------------------------
void TZvStringGrid::SetRowCount(int Value)
{
    TBaseGrid::SetRowCount(Value);
    if (FFixedRowAlways && FFixedRowsMin < RowCount()) SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    if (FFooterPanel) FFooterPanel->Invalidate();
    UpdateProportionalHScroll();
    UpdateProportionalVScroll();
    ApplyScrollBarAlways(false);
    if (FScrollType != TScrollType::ssNormal) UpdateFlatScrollBars();
}

void TZvStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FFixedColAlways && FFixedColsMin < ColCount()) SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, Value);
    if (FFooterPanel) FFooterPanel->Invalidate();
    SetBounds(Left(), Top(), Width(), Height());
    UpdateProportionalHScroll();
    UpdateProportionalVScroll();
    ApplyScrollBarAlways(false);
}

void TZvStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (FSyncGrid->Grid() && FSyncGrid->SelectionColumn()) FSyncGrid->Grid()->SetCol(Value);
}

int TZvStringGrid::FixedRows() const
{
    const int n = TBaseGrid::FixedRows();
    return n == 0 && FFixedRowAlways ? 1 : n;
}

void TZvStringGrid::SetFixedRows(int Value)
{
    TBaseGrid::SetFixedRows(FFixedRowAlways && Value >= RowCount() ? RowCount() - 1 : Value);
    if (!FLoading) FFixedRowsMin = Value;
}

int TZvStringGrid::FixedCols() const
{
    const int n = TBaseGrid::FixedCols();
    return n == 0 && FFixedColAlways ? 1 : n;
}

void TZvStringGrid::SetFixedCols(int Value)
{
    TBaseGrid::SetFixedCols(FFixedColAlways && Value >= ColCount() ? ColCount() - 1 : Value);
    if (!FLoading) FFixedColsMin = Value;
}

int TZvStringGrid::FixedColWidth() const { return ColWidths(0); }

void TZvStringGrid::SetFixedColWidth(int Value)
{
    if (FLoading || Value == DefaultColWidth()) return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TZvStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (FLoading) return;
    if (Value == DefaultRowHeight()) {
        TBaseGrid::SetDefaultRowHeight(Value);
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
}

void TZvStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (FDesignTime) FFixedRowHeight = Value;
    FFloatingFooter->SetHeight(Value);
    if (FFloatingFooter->Visible() && FFooterPanel) FFooterPanel->SetHeight(Value);
}

void TZvStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (FDefaultAlignment == Value) return;
    FDefaultAlignment = Value;
    Invalidate();
}

void TZvStringGrid::SetFixedFooters(int Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TZvStringGrid::SetFixedRightCols(int Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

void TZvStringGrid::SetWordWrap(bool Value)
{
    FWordWrapEx = Value;
    FWordWrap = Value;
    if (FUpdateCount == 0) Invalidate();
}
