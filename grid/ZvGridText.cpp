// Cell text measuring, formatted and saved text, and small grid hooks.

#include "grid/ZvGrid.h"

String TZvStringGrid::GetFormattedCell(int, int) { return String(); }
void TZvStringGrid::FireFixedEdit(int, int, TStringList*, TGridFixedCellEditor&) {}
void TZvStringGrid::FireSelectionChanged(int, int, int, int) {}
void TZvStringGrid::InplaceEditChangeHook(const String&, int) {}
void TZvStringGrid::AutoInsertRow(int) {}
void TZvStringGrid::AutoDeleteRow(int) {}
void TZvStringGrid::FireFilterDone() {}
String TZvStringGrid::CalculatedCellText(int, int) { return String(); }
String TZvStringGrid::CellTextToSave(int, int) { return String(); }
void TZvStringGrid::StoreLoadedCell(int, int, const String&) {}
void TZvStringGrid::ExportNotification(TGridExportState, int) {}
void TZvStringGrid::ImportNotification(TGridImportState, int) {}
TPoint TZvStringGrid::GetCellTextSize(int, int, bool, bool) { return TPoint{}; }
void TZvStringGrid::NotifyMessageHook(TMessage&) {}
