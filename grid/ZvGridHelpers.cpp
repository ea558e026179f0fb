// Editor handlers, column and row headers.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"

#include <algorithm>

String TZvStringGrid::EditMaskHook(int ACol, int ARow)
{
    String mask = d->FEditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

void TZvStringGrid::GridButtonClick(TObject* Sender)
{
    if (OnButtonClick) OnButtonClick(Sender, Col(), Row());
}

void TZvStringGrid::RichEditSelectionChanged(TObject* Sender)
{
    if (OnRichEditSelectionChange) OnRichEditSelectionChange(Sender);
}

// ---- Column and row headers ---------------------------------------------------------------------------------
void TZvStringGrid::ShowColumnHeaders()
{
    if (FixedRows() == 0) return;
    const int n = std::min(d->FColumnHeaders->Count(), TotalColCount());
    for (int i = 0; i < n; ++i) SetCells(i, 0, EscapedNewlineToCR(d->FColumnHeaders->Strings(i)));
}

void TZvStringGrid::ClearColumnHeaders()
{
    for (int i = 0; i < ColCount(); ++i) SetCells(i, 0, String());
}

void TZvStringGrid::ShowRowHeaders()
{
    if (FixedCols() == 0) return;
    const int n = std::min(d->FRowHeaders->Count(), RowCount());
    for (int j = 0; j < n; ++j) SetCells(0, j, EscapedNewlineToCR(d->FRowHeaders->Strings(j)));
}

void TZvStringGrid::ClearRowHeaders()
{
    for (int j = 0; j < RowCount(); ++j) SetCells(0, j, String());
}

TCheckBoxState TZvStringGrid::BoolToCheckBoxState(bool b) const
{
    return b ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
}
