// The per-cell queries of the string grid and the events they fire.

#include "grid/ZvGrid.h"

void TZvStringGrid::FireCanEditCell(int, int, bool&) {}
void TZvStringGrid::FireSearchFooterAction(const String&, int, int, TSearchAction) {}
void TZvStringGrid::FireButtonClick(int, int) {}
void TZvStringGrid::FireExpandClick(int, int, bool) {}
void TZvStringGrid::FireComboCloseUp(int, int) {}
void TZvStringGrid::FireComboDropDown(int, int) {}
void TZvStringGrid::FireGetCellCursor(int, int, int, int) {}
void TZvStringGrid::FireGridHint(int, int, String&, String&) {}
void TZvStringGrid::QueryCellColor(int, int, TGridDrawState, TBrush*, TFont*) {}
void TZvStringGrid::FireGetCellPrintColor(int, int, TGridDrawState, TBrush*, TFont*) {}
void TZvStringGrid::QueryCellBorder(int, int, TPen*, TCellBorders&) {}
void TZvStringGrid::FireGetCellPrintBorder(int, int, TPen*, TCellBorders&) {}
void TZvStringGrid::QueryCellAlignment(int, int, TAlignment&, TVAlignment&) {}
void TZvStringGrid::FireGetFormat(int, TSortStyle&, String&, String&) {}
void TZvStringGrid::QueryDisplayEditorType(int, int, TEditorType&) {}
void TZvStringGrid::QueryEditorType(int, int, TEditorType&) {}
bool TZvStringGrid::IsNoEditorCell(int, int) { return false; }
void TZvStringGrid::QueryCellEditable(int, int, bool&) {}
void TZvStringGrid::FireIsPasswordCell(int, int, bool&) {}
void TZvStringGrid::FireGetWordWrap(int, int, bool&) {}
bool TZvStringGrid::QueryHasComboBox(int, int) { return false; }
bool TZvStringGrid::QueryHasSpinEdit(int, int) { return false; }
bool TZvStringGrid::QueryColumnFilter(int) { return false; }
void TZvStringGrid::InitialCellProperties(int ACol, int ARow, TCellGradientDirection& GD, bool& WW, TVAlignment& VA, TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo, TColor& ColorTo, TBrush* ABrush, TFont* AFont)
{
    TBaseGrid::InitialCellProperties(ACol, ARow, GD, WW, VA, HA, MirrorColor, MirrorColorTo, ColorTo, ABrush, AFont);
}

void TZvStringGrid::PaintCellBorders(int, int, TRect) {}

void TZvStringGrid::QueryFixedCell(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = IsFixed || (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin) ||
              (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) || ACol < FixedCols() ||
              ARow < FixedRows();
    // The event can make more cells fixed, never fewer.
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TZvStringGrid::QueryCheckTrue(int ACol, int ARow, String& Value)
{
    Value = FCheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TZvStringGrid::QueryCheckFalse(int ACol, int ARow, String& Value)
{
    Value = FCheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TZvStringGrid::IsFixed(int ACol, int ARow)
{
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    const int col = RealToDisplayCol(base.X);
    if (base.Y >= RowCount() - FFixedFooters) return true;
    if (col >= ColCount() - FFixedRightCols && col < ColCount()) return true;
    bool fixed = false;
    QueryFixedCell(base.X, base.Y, fixed);
    return fixed;
}
