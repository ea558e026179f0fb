// Hidden columns and rows, and the mappings between real and display indexes.

#include "grid/ZvGrid.h"

void TZvStringGrid::HideColumn(int) {}
void TZvStringGrid::HideColumns(int, int) {}
void TZvStringGrid::UnHideColumn(int) {}
void TZvStringGrid::UnHideColumns(int, int) {}
void TZvStringGrid::UnHideColumnsAll() {}
int TZvStringGrid::GetRealCol() { return 0; }
bool TZvStringGrid::IsIgnoredColumn(int) const { return false; }
void TZvStringGrid::MoveColumn(int, int) {}
void TZvStringGrid::HideRow(int) {}
void TZvStringGrid::HideRows(int, int) {}
void TZvStringGrid::HideRowsEx(int, int) {}
void TZvStringGrid::HideRowList(TIntList*) {}
void TZvStringGrid::UnHideRow(int) {}
void TZvStringGrid::UnHideRows(int, int) {}
void TZvStringGrid::UnHideRowsAll() {}
void TZvStringGrid::UnHideRowList() {}
bool TZvStringGrid::IsHiddenRow(int) const { return false; }
bool TZvStringGrid::IsHiddenRow(int, TIntList*&) const { return false; }
int TZvStringGrid::RealRowIndex(int) const { return 0; }
int TZvStringGrid::DisplRowIndex(int) const { return 0; }
int TZvStringGrid::DisplayToRealRow(int) const { return 0; }
int TZvStringGrid::RealToDisplayRow(int) const { return 0; }
int TZvStringGrid::GetRealRow() const { return 0; }
void TZvStringGrid::MoveRow(int, int) {}
void TZvStringGrid::MoveRows(int, int, int) {}
void TZvStringGrid::ScrollInView(int, int) {}
void TZvStringGrid::HideSelection() {}
void TZvStringGrid::UnHideSelection() {}
void TZvStringGrid::UpdateEditMode() {}

// ---- Index mappings ----------------------------------------------------------------------------------
int TZvStringGrid::DisplColIndex(int ACol) { return RealToDisplayCol(ACol); }

int TZvStringGrid::RealColIndex(int ACol) { return DisplayToRealCol(ACol); }

bool TZvStringGrid::IsHiddenColumn(int ColIndex) const
{
    if (ColIndex < 0 || ColIndex > 511) return false;
    return !FVisibleCol[std::size_t(ColIndex)];
}

int TZvStringGrid::RealToDisplayCol(int ACol) const
{
    if (ACol >= 512 || FNumHidden == 0 || ACol < 0) return ACol;
    int hidden = 0;
    for (int c = 0; c < ACol; ++c)
        if (!FVisibleCol[std::size_t(c)]) ++hidden;
    return ACol - hidden;
}

int TZvStringGrid::DisplayToRealCol(int ACol) const
{
    if (ACol >= 512 || FNumHidden == 0 || ACol < 0) return ACol;
    int shown = 0;
    for (int j = 0; j < 512; ++j) {
        if (!FVisibleCol[std::size_t(j)]) continue;
        if (shown == ACol) return j;
        ++shown;
    }
    return 0;
}

int TZvStringGrid::GetRowEx() const { return TBaseGrid::Row(); }

void TZvStringGrid::SetRowEx(int Value)
{
    TBaseGrid::SetRow(Value);
    if (TBaseGrid::Row() != FPrevReportedRow && OnRowUpdate) {
        OnRowUpdate(this, FPrevReportedRow, TBaseGrid::Row());
        FPrevReportedRow = TBaseGrid::Row();
    }
}

int TZvStringGrid::GetTopRowEx() const { return TBaseGrid::TopRow(); }

void TZvStringGrid::SetTopRowEx(int Value)
{
    if (Value >= TBaseGrid::FixedRows() && Value <= RowCount() - 1) TBaseGrid::SetTopRow(Value);
}
