// Selection, cell moves, repainting, row flags, fills and cell checks.

#include "grid/ZvGrid.h"

void TZvStringGrid::AddEmptyRow() {}
void TZvStringGrid::SetSelection(const TGridRect&) {}
void TZvStringGrid::SelectRows(int, int) {}
void TZvStringGrid::UnSelectRows(int, int) {}
void TZvStringGrid::SelectCols(int, int) {}
void TZvStringGrid::UnSelectCols(int, int) {}
void TZvStringGrid::SelectRange(int, int, int, int) {}
void TZvStringGrid::ClearRowSelect() {}
void TZvStringGrid::ClearColSelect() {}
bool TZvStringGrid::GetRowSelect(int) { return false; }
void TZvStringGrid::SetRowSelect(int, bool) {}
bool TZvStringGrid::GetColSelect(int) { return false; }
void TZvStringGrid::SetColSelect(int, bool) {}
int TZvStringGrid::GetRowSelectCount() { return 0; }
int TZvStringGrid::GetColSelectCount() { return 0; }
void TZvStringGrid::SelectionToRowSelect(bool) {}
void TZvStringGrid::SelectionToColSelect(bool) {}
void TZvStringGrid::GotoCell(int, int) {}
void TZvStringGrid::FocusCell(int, int) {}
void TZvStringGrid::EditCell(int, int) {}
void TZvStringGrid::MoveToCell(int, int) {}
void TZvStringGrid::SwapCells(TGridCoord, TGridCoord) {}
void TZvStringGrid::RepaintRow(int) {}
void TZvStringGrid::RepaintCol(int) {}
void TZvStringGrid::RepaintRect(TGridRect) {}
bool TZvStringGrid::GetRowModified(int) { return false; }
void TZvStringGrid::SetRowModified(int, bool) {}
int TZvStringGrid::ModifiedRowCount() { return 0; }
bool TZvStringGrid::GetRowEnabled(int) { return false; }
void TZvStringGrid::SetRowEnabled(int, bool) {}
void TZvStringGrid::TextFill(bool, const String&) {}
void TZvStringGrid::FormatFill(bool, const String&) {}
void TZvStringGrid::RandomFill(bool, int) {}
void TZvStringGrid::LinearFill(bool) {}
void TZvStringGrid::SetDates(int, int, const QDateTime&) {}
QDateTime TZvStringGrid::GetDates(int, int) { return QDateTime{}; }
void TZvStringGrid::SetTimes(int, int, const QDateTime&) {}
QDateTime TZvStringGrid::GetTimes(int, int) { return QDateTime{}; }
bool TZvStringGrid::CheckCells(int, int, int, int) { return false; }
bool TZvStringGrid::CheckCol(bool, int) { return false; }
bool TZvStringGrid::CheckRow(bool, int) { return false; }
bool TZvStringGrid::CheckGrid(bool) { return false; }
bool TZvStringGrid::CheckCell(int, int) { return false; }
bool TZvStringGrid::LastRowClearOfSearchFooter() { return false; }
void TZvStringGrid::ScrollLastRowClearOfSearchFooter() {}
