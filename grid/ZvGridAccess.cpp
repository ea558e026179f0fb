// Dimensions of the string grid and typed access to its cells.

#include "grid/ZvGrid.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"

#include "platform/Regional.h"

#include <algorithm>

String TZvStringGrid::CellFloatFormat(int, int)
{
    return FFloatFormat;
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

void CheckPrintColumn(int ACol)
{
    if (ACol < 0 || ACol >= 512) throw EZvGridError(QStringLiteral("Columns is not in valid range"));
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
    if (FNumHidden > 0) RepaintCell(DisplColIndex(ACol), ARow);
}

int TZvStringGrid::GetAllInts(int ACol, int ARow) { return CellTextToInt(StripHTMLTags(GetCellsEx(ACol, ARow))); }

void TZvStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetCellsEx(ACol, ARow, IntToStr(Value)); }

double TZvStringGrid::GetFloats(int ACol, int ARow) { return CellTextToFloat(GetStrippedCell(ACol, ARow)); }

void TZvStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCellEx(ACol, ARow, FormatCellFloat(CellFloatFormat(ACol, ARow), Value));
}

double TZvStringGrid::GetAllFloats(int ACol, int ARow)
{
    return CellTextToFloat(StripHTMLTags(GetCellsEx(ACol, ARow)));
}

void TZvStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetCellsEx(ACol, ARow, FormatCellFloat(FFloatFormat, Value));
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

int TZvStringGrid::GetPrintColWidth(int ACol) const
{
    CheckPrintColumn(ACol);
    return MaxWidths[std::size_t(ACol)];
}

int TZvStringGrid::GetPrintColOffset(int ACol) const
{
    CheckPrintColumn(ACol);
    return Indents[std::size_t(ACol)];
}

int TZvStringGrid::SaveStartCol() const { return FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols(); }
int TZvStringGrid::SaveEndCol() const
{
    return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}
int TZvStringGrid::SaveColCount() const { return SaveEndCol() - SaveStartCol() + 1; }
int TZvStringGrid::SaveStartRow() const { return FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows(); }
int TZvStringGrid::SaveEndRow() const
{
    return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}
int TZvStringGrid::SaveRowCount() const { return SaveEndRow() - SaveStartRow() + 1; }

String TZvStringGrid::HighlightSourceText(int ACol, int ARow)
{
    // A display-text handler decides what is shown, so the highlight works on that.
    return OnGetDisplText ? GetCellEx(ACol, ARow) : GetGridCell(ACol, ARow);
}

void TZvStringGrid::HilightTextInRange(const String& HiText, const String& Tag, int FromCol, int ToCol, int FromRow,
                                       int ToRow, bool DoCase)
{
    const String search = HTMLEscape(HiText, false);
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            const String text = HTMLEscape(HighlightSourceText(c, r), false);
            SetCellEx(c, r, HighlightHTMLText(text, search, Tag, DoCase));
        }
    }
}

void TZvStringGrid::UnHilightTextInRange(const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            SetCellEx(c, r, UnhighlightHTMLText(HTMLUnescape(HighlightSourceText(c, r), false), Tag));
        }
    }
}

void TZvStringGrid::CellIntListChanged(TObject*, int ACol, int ARow) { RepaintCell(ACol, ARow); }

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
