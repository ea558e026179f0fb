// The clipboard: the service's state and the grid's members that front it.

#include "grid/services/ZvGridClipboard.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridClipboard& TZvStringGrid::ClipboardService() const { return MadeOnFirstUse(d->FClipboardService, this); }

bool TZvStringGrid::ExcelClipboardFormat() const { return ClipboardService().FExcelClipboardFormat; }
void TZvStringGrid::SetExcelClipboardFormat(bool Value) { ClipboardService().FExcelClipboardFormat = Value; }

void TZvStringGrid::StoreCellText(int, int, const String&) {}

void TZvStringGrid::PasteBegin() {}

void TZvStringGrid::PasteEnd() {}

void TZvStringGrid::MarkRowsModified(int, int) {}

bool TZvStringGrid::UsesFormattedClipboard() { return false; }

void TZvStringGrid::CopySelectionToClipboard() {}

void TZvStringGrid::CutSelectionToClipboard() {}

void TZvStringGrid::PasteSelectionFromClipboard() {}
