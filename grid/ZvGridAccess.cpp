// Dimensions of the string grid and typed access to its cells.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/services/ZvGridPrint.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/services/panels/ZvFooterPanel.h"
#include "platform/Regional.h"

#include <algorithm>

String TZvStringGrid::CellFloatFormat(int, int)
{
    return d->FFloatFormat;
}

namespace {
// The platform's integer forms; an empty text or a lone minus sign counts as 0.
int CellTextToInt(const String& text)
{
    const String t = Trim(text);
    if (t.isEmpty() || t == QLatin1String("-")) return 0;
    int value = 0;
    if (!TryStrToInt(t, value)) throw EZvGridError(QStringLiteral("Cell does not contain integer value"));
    return value;
}


}   // namespace

double CellTextToFloat(const String& text)
{
    const String trimmed = Trim(text);
    if (trimmed.isEmpty() || trimmed == QLatin1String("-")) return 0;
    // Text that cleans away to nothing held no number: an error, not a silent 0.
    const String t = CleanNumericText(trimmed);
    TFormatSettings point = FormatSettings();
    point.DecimalSeparator = u'.';
    double value = 0;
    if (!TryStrToFloat(t, value, point)) throw EZvGridError(QStringLiteral("Cell does not contain a float value"));
    return value;
}

namespace {
// printf-style, then the locale's decimal separator in place of the point.
String FormatCellFloat(const String& format, double value)
{
    String text = Format(format, {value});
    const QChar sep = FormatSettings().DecimalSeparator;
    if (sep != u'.') text.replace(u'.', sep);
    return text;
}
}   // namespace

TGridRect TZvStringGrid::UsedCells()
{
    TGridRect used{-1, -1, -1, -1};
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < ColCount(); ++c) {
            if (GetCellEx(c, r).isEmpty()) continue;
            if (used.Left < 0 || c < used.Left) used.Left = c;
            if (used.Top < 0) used.Top = r;
            used.Right = std::max(used.Right, c);
            used.Bottom = r;
        }
    }
    return used.Left < 0 ? TGridRect{0, 0, 0, 0} : used;
}

int TZvStringGrid::GetInts(int ACol, int ARow) { return CellTextToInt(GetStrippedCell(ACol, ARow)); }

void TZvStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCellEx(ACol, ARow, IntToStr(Value));
    if (d->FNumHidden > 0) RepaintCell(DisplColIndex(ACol), ARow);
}

int TZvStringGrid::GetAllInts(int ACol, int ARow) { return CellTextToInt(StripHTMLTags(GetCellsEx(ACol, ARow))); }

void TZvStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetCellsEx(ACol, ARow, IntToStr(Value)); }

double TZvStringGrid::GetFloats(int ACol, int ARow) { return CellTextToFloat(GetStrippedCell(ACol, ARow)); }

void TZvStringGrid::SetFloats(int ACol, int ARow, double Value) { SetCellEx(ACol, ARow, FloatsText(ACol, ARow, Value)); }

String TZvStringGrid::FloatsText(int ACol, int ARow, double Value)
{
    return FormatCellFloat(CellFloatFormat(ACol, ARow), Value);
}

double TZvStringGrid::GetAllFloats(int ACol, int ARow)
{
    return CellTextToFloat(StripHTMLTags(GetCellsEx(ACol, ARow)));
}

void TZvStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetCellsEx(ACol, ARow, FormatCellFloat(d->FFloatFormat, Value));
}

String TZvStringGrid::GetCtrlVal(int ACol, int ARow, const String& ID)
{
    String value;
    return FindControlTag(GetCellEx(ACol, ARow), ID, value) ? value : String();
}

void TZvStringGrid::SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value)
{
    String text = GetCellEx(ACol, ARow);
    if (SetControlValue(text, ID, Value)) SetCellEx(ACol, ARow, text);
}



int TZvStringGrid::SaveStartCol() const { return d->FSaveFixedCells || d->FSaveFixedCols ? 0 : FixedCols(); }
int TZvStringGrid::SaveEndCol() const
{
    return d->FSaveFixedCells || d->FSaveFixedCols ? ColCount() - 1 : ColCount() - d->FFixedRightCols - 1;
}
int TZvStringGrid::SaveColCount() const { return SaveEndCol() - SaveStartCol() + 1; }
int TZvStringGrid::SaveStartRow() const { return d->FSaveFixedCells || d->FSaveFixedRows ? 0 : FixedRows(); }
int TZvStringGrid::SaveEndRow() const
{
    return d->FSaveFixedCells || d->FSaveFixedRows ? RowCount() - 1 : RowCount() - d->FFixedFooters - 1;
}
int TZvStringGrid::SaveRowCount() const { return SaveEndRow() - SaveStartRow() + 1; }




void TZvStringGrid::CellIntListChanged(TObject*, int ACol, int ARow) { RepaintCell(ACol, ARow); }

// ---- Dimensions -----------------------------------------------------------------------------------
void TZvStringGrid::SetRowCount(int Value)
{
    const int old = RowCount();
    // A grid of fixed rows only parked its selection; the new rows get it back.
    if (old == FixedRows() && d->FFixedRowAlways && d->FSelectionHidden) UnHideSelection();
    TBaseGrid::SetRowCount(Value);
    if (d->FFixedRowAlways && d->FFixedRowsMin < RowCount()) SetFixedRows(d->FFixedRowsMin);
    d->FMaxRowCount = std::max(d->FMaxRowCount, Value);
    FNormalRowCount = Value;
    if (FooterPanel()) FooterPanel()->Invalidate();
    UpdateProportionalHScroll();
    UpdateProportionalVScroll();
    ApplyScrollBarAlways(false);
    if (d->FScrollType != TScrollType::ssNormal) UpdateFlatScrollBars();
    // The floating footer's texts stay in the last row, wherever that now is.
    if (!d->FRowsMoving && d->FFloatingFooter && d->FFloatingFooter->Visible() && RowCount() != old && old > 0) {
        const int from = old - 1, to = RowCount() - 1;
        for (int c = 0; c < AllColCount(); ++c) {
            SetGridCell(c, to, GetGridCell(c, from));
            SetGridCell(c, from, String());
        }
        CalcFooter(-1);
    }
}

void TZvStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (d->FFixedColAlways && d->FFixedColsMin < ColCount()) SetFixedCols(d->FFixedColsMin);
    d->FMaxColCount = std::max(d->FMaxColCount, Value);
    if (FooterPanel()) FooterPanel()->Invalidate();
    SetBounds(Left(), Top(), Width(), Height());
    UpdateProportionalHScroll();
    UpdateProportionalVScroll();
    ApplyScrollBarAlways(false);
}

void TZvStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (d->FSyncGrid->Grid() && d->FSyncGrid->SelectionColumn()) d->FSyncGrid->Grid()->SetCol(Value);
}

int TZvStringGrid::FixedRows() const
{
    const int n = TBaseGrid::FixedRows();
    return n == 0 && d->FFixedRowAlways ? 1 : n;
}

void TZvStringGrid::SetFixedRows(int Value)
{
    TBaseGrid::SetFixedRows(d->FFixedRowAlways && Value >= RowCount() ? RowCount() - 1 : Value);
    if (!d->FLoading) d->FFixedRowsMin = Value;
}

int TZvStringGrid::FixedCols() const
{
    const int n = TBaseGrid::FixedCols();
    return n == 0 && d->FFixedColAlways ? 1 : n;
}

void TZvStringGrid::SetFixedCols(int Value)
{
    TBaseGrid::SetFixedCols(d->FFixedColAlways && Value >= ColCount() ? ColCount() - 1 : Value);
    if (!d->FLoading) d->FFixedColsMin = Value;
}

int TZvStringGrid::FixedColWidth() const { return ColWidths(0); }

void TZvStringGrid::SetFixedColWidth(int Value)
{
    if (d->FLoading || Value == DefaultColWidth()) return;
    for (int c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TZvStringGrid::SetFixedRowHeight(int Value)
{
    d->FFixedRowHeight = Value;
    if (d->FLoading) return;
    if (Value == DefaultRowHeight()) {
        TBaseGrid::SetDefaultRowHeight(Value);
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
}

void TZvStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (d->FDesignTime) d->FFixedRowHeight = Value;
    d->FFloatingFooter->SetHeight(Value);
    if (d->FFloatingFooter->Visible() && FooterPanel()) FooterPanel()->SetHeight(Value);
}

void TZvStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (!StoreChanged(d->FDefaultAlignment, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetFixedFooters(int Value)
{
    d->FFixedFooters = Value;
    Invalidate();
}

void TZvStringGrid::SetFixedRightCols(int Value)
{
    d->FFixedRightCols = Value;
    Invalidate();
}

void TZvStringGrid::SetWordWrap(bool Value)
{
    d->FWordWrapEx = Value;
    FWordWrap = Value;
    if (d->FUpdateCount == 0) Invalidate();
}

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::FixedRowHeight() const { return d->FFixedRowHeight; }
TAlignment TZvStringGrid::DefaultAlignment() const { return d->FDefaultAlignment; }
int TZvStringGrid::FixedFooters() const { return d->FFixedFooters; }
int TZvStringGrid::FixedRightCols() const { return d->FFixedRightCols; }
bool TZvStringGrid::WordWrap() const { return d->FWordWrapEx; }
bool TZvStringGrid::FixedRowAlways() const { return d->FFixedRowAlways; }
void TZvStringGrid::SetFixedRowAlways(bool Value) { d->FFixedRowAlways = Value; }
bool TZvStringGrid::FixedColAlways() const { return d->FFixedColAlways; }
void TZvStringGrid::SetFixedColAlways(bool Value) { d->FFixedColAlways = Value; }
