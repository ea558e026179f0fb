// The text and place of a cell's hint: the cell's comment or text, a
// handler's own text per cell, placed below the cell or at its corner.

#include "grid/ZvGrid.h"
#include "grid/support/ZvHTMLUtil.h"

void TZvStringGrid::FillCellHint(String& HintStr, THintInfo& HintInfo)
{
    int col = -1, row = -1;
    MouseToCell(HintInfo.CursorPos.X, HintInfo.CursorPos.Y, col, row);
    if (FControlLook && FControlLook->HintMaxWidth() > 0) HintInfo.HintMaxWidth = FControlLook->HintMaxWidth();
    if (col >= 0 && row >= 0) {
        // The base cell of a merge, by displayed column for the event and by real column for the texts.
        const int real0 = RealColIndex(col);
        const TPoint base = BaseCell(real0, row);
        const int rcol = base.X;
        row = base.Y;
        col = DisplColIndex(rcol);
        FLastHintPos = TGridCoord{col, row};
        const TRect cell = TCustomGrid::CellRect(col, row);
        TPoint at{HintInfo.CursorPos.X, cell.Bottom + 6};
        String comment;
        if (IsComment(rcol, row, comment)) {
            HintStr = comment;
            at = TPoint{cell.Right, cell.Top};
        }
        const bool normal = col >= FixedCols() && row >= FixedRows() && col < ColCount() - FFixedRightCols &&
                            row < RowCount() - FFixedFooters;
        const String text = GetCellEx(rcol, row);
        if (FHintShowCells && normal) {
            at.Y = cell.Top;
            HintStr = FHTMLHint ? text : StripHTMLTags(text);
        }
        if (FHintShowLargeText) {
            const bool saved = FEnhTextSize;
            FEnhTextSize = false;
            const TPoint size = GetCellTextSize(rcol, row, false, true);
            FEnhTextSize = saved;
            if (size.X > cell.Width() || size.Y > cell.Height()) {
                if (FHintShowLargeTextPos == THintShowLargeTextPos::hpCell) at = TPoint{cell.Left, cell.Top};
                HintStr = FHTMLHint ? text : StripHTMLTags(text);
            }
        }
        // Every cell asks the handler, fixed ones too, except the floating footer's row.
        const bool footerRow = FFloatingFooter && FFloatingFooter->Visible() && row == RowCount() - 1;
        if (!footerRow) {
            String wide;
            FireGridHint(col, row, HintStr, wide);
        }
        HintInfo.HintPos = ClientToScreen(at);
    }
    HintInfo.HintStr = HintStr;
    HintInfo.HintColor = FHintColor;
}
