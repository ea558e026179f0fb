// Row and column operations and cell access shared with the rest of the grid.

#include "grid/ZvGrid.h"

void TZvStringGrid::RecalcColumnFooter(int) {}
void TZvStringGrid::FireCellsChanged(TRect) {}
void TZvStringGrid::RecalcAllFooters() {}
void TZvStringGrid::RemoveRowsInternal(int, int) {}
void TZvStringGrid::RemoveRowsEx(int, int) {}
void TZvStringGrid::RemoveRows(int, int) {}
void TZvStringGrid::InsertRows(int, int, bool) {}
void TZvStringGrid::RemoveCols(int, int) {}
void TZvStringGrid::InsertCols(int, int) {}
void TZvStringGrid::ClearRect(int, int, int, int) {}
void TZvStringGrid::TrimRect(int, int, int, int) {}
void TZvStringGrid::UpdateCellScrollBar(int, int) {}
void TZvStringGrid::AddRow() {}
void TZvStringGrid::AutoSizeCol(int, int) {}
void TZvStringGrid::AutoSizeColumns(bool, int) {}
void TZvStringGrid::BalloonInit() {}
void TZvStringGrid::BalloonDone() {}
void TZvStringGrid::CellControlsUpdate(bool) {}
TCellProperties* TZvStringGrid::CellObjectByRealRow(int, int) { return nullptr; }
void TZvStringGrid::ClearRows(int, int) {}
double TZvStringGrid::ColumnSum(int, int, int) { return 0; }
double TZvStringGrid::ColumnAvg(int, int, int) { return 0; }
double TZvStringGrid::ColumnMin(int, int, int) { return 0; }
double TZvStringGrid::ColumnMax(int, int, int) { return 0; }
double TZvStringGrid::ColumnStdDev(int, int, int) { return 0; }
double TZvStringGrid::ColumnDistinct(int, int, int) { return 0; }
double TZvStringGrid::CustomGroupCalc(int, int, int) { return 0; }
void TZvStringGrid::FillCellHint(String&, THintInfo&) {}
TControl* TZvStringGrid::GetCellControls(int, int) { return nullptr; }
String TZvStringGrid::GetCellsEx(int, int) { return String(); }
void TZvStringGrid::SetCellsEx(int, int, const String&) {}
bool TZvStringGrid::GetReadOnly(int, int) { return false; }
String TZvStringGrid::GetStrippedCell(int, int) { return String(); }
String TZvStringGrid::GetWideCells(int, int) { return String(); }
void TZvStringGrid::HideInplaceEdit() {}
void TZvStringGrid::InitOrigColSizes() {}
void TZvStringGrid::InsertRowsCore(int, int, bool) {}
bool TZvStringGrid::IsSelected(int, int) { return false; }
void TZvStringGrid::RemoveRowsCore(int, int, bool) {}
void TZvStringGrid::SetAlignments(int, int, TAlignment) {}
void TZvStringGrid::SetColors(int, int, TColor) {}
void TZvStringGrid::SetColorsTo(int, int, TColor) {}
void TZvStringGrid::SetFontColors(int, int, TColor) {}
void TZvStringGrid::SetColumnOrder() {}
void TZvStringGrid::SetRowColor(int, TColor) {}
void TZvStringGrid::SetRowColorTo(int, TColor) {}
void TZvStringGrid::SetRowFontColor(int, TColor) {}
void TZvStringGrid::ShowInplaceEdit() {}
void TZvStringGrid::SimulateCellClick(int, int) {}
void TZvStringGrid::UpdateSearchPanel() {}
void TZvStringGrid::SizeWithFormResize(TObject*) {}
void TZvStringGrid::MergedColumnsChanged(TObject*, int, int) {}
