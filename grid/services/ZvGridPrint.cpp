// Printing: the service's state and the grid's members that front it.

#include "grid/services/ZvGridPrint.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

namespace {
void CheckPrintColumn(int ACol)
{
    if (ACol < 0 || ACol >= 512) throw EZvGridError(QStringLiteral("Columns is not in valid range"));
}
}   // namespace

TZvGridPrint::TZvGridPrint(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FPrintSettings(std::make_unique<TPrintSettings>(AGrid))
{
}

TZvGridPrint& TZvStringGrid::PrintService() const { return MadeOnFirstUse(d->FPrintService, this); }

bool TZvStringGrid::PrinterDriverFix() const { return PrintService().FPrinterDriverFix; }
void TZvStringGrid::SetPrinterDriverFix(bool Value) { PrintService().FPrinterDriverFix = Value; }
TPrintSettings* TZvStringGrid::PrintSettings() const { return PrintService().FPrintSettings.get(); }
void TZvStringGrid::SetPrintSettings(TPrintSettings* Value) { PrintSettings()->Assign(Value); }

int TZvStringGrid::GetPrintColWidth(int ACol) const
{
    CheckPrintColumn(ACol);
    return PrintService().MaxWidths[std::size_t(ACol)];
}

int TZvStringGrid::GetPrintColOffset(int ACol) const
{
    CheckPrintColumn(ACol);
    return PrintService().Indents[std::size_t(ACol)];
}
