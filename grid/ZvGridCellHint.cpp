// The text and place of a cell's hint: the cell's comment, an anchor's
// title, the cell's own text or a handler's text per cell, placed below the
// cell, at its corner or beside the pointer; and its end when the pointer
// reaches another cell.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLRender.h"
#include "grid/support/ZvHTMLUtil.h"

#include "platform/Forms.h"

namespace {
// Where a hint goes relative to the cell or the pointer.
constexpr int HintBelowCell = 6;
constexpr int AnchorHintRight = 8;
constexpr int AnchorHintAbove = 16;
} // namespace

void TZvStringGrid::FillCellHint(String& HintStr, THintInfo& HintInfo)
{
    const TPoint pointer = HintInfo.CursorPos;
    if (d->FControlLook && d->FControlLook->HintMaxWidth() > 0) HintInfo.HintMaxWidth = d->FControlLook->HintMaxWidth();
    SetHTMLHintFontName(Font()->Name());
    const TGridCoord base = HintCellAt(pointer.X, pointer.Y);
    if (base.X >= 0) {
        // By displayed column for the event and by real column for the texts.
        const int col = base.X, row = base.Y, rcol = RealColIndex(col);
        d->FLastHintPos = base;
        const TRect cell = TCustomGrid::CellRect(col, row);
        TPoint at{pointer.X, cell.Bottom + HintBelowCell};
        String comment;
        if (IsComment(rcol, row, comment)) {
            HintStr = comment;
            at = TPoint{cell.Right, cell.Top};
        }
        const String text = GetCellEx(rcol, row);
        const int kind = CellTextKind(text, true);
        THTMLDrawResult hit;
        if (kind == ctHTML && d->FAnchorHint && HitTestMarkup(col, row, pointer.X, pointer.Y, hit) &&
            hit.AnchorVal != QStringLiteral("ctrl")) {
            String anchor = hit.AnchorTitle.isEmpty() ? hit.AnchorVal : hit.AnchorTitle;
            if (OnAnchorHint) OnAnchorHint(this, row, rcol, anchor);
            d->FLastAnchorHint = anchor;
            HintStr = anchor;
            at = TPoint{pointer.X + AnchorHintRight, pointer.Y - AnchorHintAbove};
        }
        const bool normal = col >= FixedCols() && row >= FixedRows() && col < ColCount() - d->FFixedRightCols &&
                            row < RowCount() - d->FFixedFooters;
        if (d->FHintShowCells && normal) {
            at.Y = cell.Top;
            if (kind == ctUnicode) HintStr = GetWideCells(rcol, row);
            else HintStr = d->FHTMLHint ? text : GetStrippedCell(rcol, row);
        }
        if (d->FHintShowLargeText) {
            const bool saved = d->FEnhTextSize;
            d->FEnhTextSize = false;
            const TPoint size = GetCellTextSize(rcol, row, false, true);
            d->FEnhTextSize = saved;
            if (size.X > cell.Width() || size.Y > cell.Height()) {
                if (d->FHintShowLargeTextPos == THintShowLargeTextPos::hpCell) at = TPoint{cell.Left, cell.Top};
                HintStr = kind != ctHTML || d->FHTMLHint ? text : StripHTMLTags(text);
            }
        }
        // Every cell asks the handler, fixed ones too, except the floating footer's row.
        const bool footerRow = d->FFloatingFooter && d->FFloatingFooter->Visible() && row == RowCount() - 1;
        if (!footerRow) {
            String wide;
            FireGridHint(col, row, HintStr, wide);
        }
        // Markup and wide text need the grid's own window to be drawn as they are meant.
        const int hintKind = CellTextKind(HintStr, true);
        if ((hintKind == ctHTML || hintKind == ctUnicode) && d->FUseInternalHintClass) {
            HintInfo.HintWindowClass = [](TComponent* AOwner) -> THintWindow* { return new THTMLHintWindow(AOwner); };
            HintInfo.HintData = static_cast<TObject*>(this);
        }
        HintInfo.HintPos = ClientToScreen(at);
    }
    HintInfo.HintStr = HintStr;
    HintInfo.HintColor = d->FHintColor;
}

TGridCoord TZvStringGrid::HintCellAt(int X, int Y)
{
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) return TGridCoord{-1, -1};
    const TPoint base = BaseCell(RealColIndex(cell.X), cell.Y);
    return TGridCoord{DisplColIndex(base.X), base.Y};
}

// A hint belongs to one cell: the pointer reaching another cell ends it, so
// that the application asks again when the pointer rests there.
void TZvStringGrid::EndHintOfOtherCell(int X, int Y)
{
    if (d->FLastHintPos.X < 0 || HintCellAt(X, Y) == d->FLastHintPos) return;
    if (Application->HintControl() == this) Application->CancelHint();
    d->FLastHintPos = TGridCoord{-1, -1};
}
