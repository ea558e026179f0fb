// The clipboard: the service's state and the grid's members that front it.
// Not built yet (each raises through NotBuilt): CopySelectionToClipboard, CutSelectionToClipboard,
// PasteSelectionFromClipboard.

#include "grid/services/ZvGridClipboard.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridClipboard& TZvStringGrid::ClipboardService() const { return MadeOnFirstUse(d->FClipboardService, this); }

bool TZvStringGrid::ExcelClipboardFormat() const { return ClipboardService().FExcelClipboardFormat; }
void TZvStringGrid::SetExcelClipboardFormat(bool Value) { ClipboardService().FExcelClipboardFormat = Value; }

// Rows that a paste, an inserted or a deleted row changed show as modified when ShowModified asks for it.
void TZvStringGrid::MarkRowsModified(int FromRow, int ToRow)
{
    if (!ShowModified()->Enabled()) return;
    for (int r = FromRow; r <= ToRow; ++r) SetRowModified(r, true);
}

void TZvStringGrid::CopySelectionToClipboard() { NotBuilt("CopySelectionToClipboard"); }

void TZvStringGrid::CutSelectionToClipboard() { NotBuilt("CutSelectionToClipboard"); }

void TZvStringGrid::PasteSelectionFromClipboard() { NotBuilt("PasteSelectionFromClipboard"); }
