// The per-cell queries of the string grid and the events they fire. Each
// query computes the grid's own answer first and lets the event change it;
// callers ask the queries, never the events, so the column grid can answer
// from its column settings by overriding them.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/Cursors.h"

#include <algorithm>

void TZvStringGrid::FireCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TZvStringGrid::FireSearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction SearchAction)
{
    if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TZvStringGrid::FireButtonClick(int ACol, int ARow)
{
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TZvStringGrid::FireExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
    // The row follows the expand button whether or not anybody listens.
    SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TZvStringGrid::FireComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TZvStringGrid::FireComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TZvStringGrid::FireGetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor) return;
    TCursor cursor = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, cursor);
    // Shown at once for this position only: the grid's own Cursor stays as it is.
    ShowCursorNow(this, cursor);
}

void TZvStringGrid::FireGridHint(int ACol, int ARow, String& AHint, String& AWideHint)
{
    if (OnGridHint) OnGridHint(this, ARow, ACol, AHint);
    if (!OnGridWideHint) return;
    OnGridWideHint(this, ARow, ACol, AWideHint);
    // The hint window decodes the cell coding, so a wide hint travels in the narrow one.
    if (!AWideHint.isEmpty()) AHint = EncodeUnicodeCellText(AWideHint);
}

void TZvStringGrid::QueryCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (d->FActiveCellShow) {
        const int dc = DisplColIndex(ACol);
        const bool rowHeader = ARow == Row() && dc == FixedCols() - 1 && FixedCols() > 0;
        const bool colHeader = dc == Col() && ARow == FixedRows() - 1 && FixedRows() > 0;
        if (rowHeader || colHeader) {
            AFont->Assign(d->FActiveCellFont.get());
            ABrush->SetColor(d->FActiveCellColor);
        }
    }
    // Reading must never create properties, so only cells that have them are asked.
    if (HasCellObject(ACol, ARow)) {
        const TCellProperties* props = PropsAt(ACol, ARow);
        if (props) {
            switch (GetCellType(ACol, ARow)) {
            case TCellType::ctIcon:
            case TCellType::ctNone:
            case TCellType::ctImageList:
            case TCellType::ctEmpty:
            case TCellType::ctImages:
            case TCellType::ctComment:
                if (props->BrushColor() != clNone) ABrush->SetColor(props->BrushColor());
                break;
            default: break;
            }
            if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
            if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
            if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
            if (!props->FontName().isEmpty()) AFont->SetName(props->FontName());
        }
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZvStringGrid::FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

bool TZvStringGrid::HasCustomCellBorders() { return bool(OnGetCellBorder); }

void TZvStringGrid::QueryCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (d->FGrouping->HeaderUnderline() && ACol > 0 && IsNode(ARow)) {
        Borders = TCellBorders{TCellBorder::cbBottom};
        APen->SetColor(d->FGrouping->HeaderLineColor());
        APen->SetWidth(d->FGrouping->HeaderLineWidth());
    }
    if (d->FGrouping->SummaryLine() && ACol > 0 && IsSummary(ARow)) {
        Borders = TCellBorders{TCellBorder::cbTop};
        APen->SetColor(d->FGrouping->SummaryLineColor());
        APen->SetWidth(d->FGrouping->SummaryLineWidth());
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TZvStringGrid::FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TZvStringGrid::QueryCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && d->FMouseActions->HotmailRowSelect()) HAlign = TAlignment::taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TZvStringGrid::FireGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix)
{
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TZvStringGrid::QueryDisplayEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TZvStringGrid::QueryEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TZvStringGrid::IsNoEditorCell(int ACol, int ARow)
{
    if (!OnGetEditorType) return false;
    TEditorType editor = TEditorType::edNormal;
    OnGetEditorType(this, ACol, ARow, editor);
    return editor == TEditorType::edNone;
}

void TZvStringGrid::QueryCellEditable(int ACol, int ARow, bool& CanEdit)
{
    const TPoint base = BaseCell(ACol, ARow);
    if (CanEdit && HasCellObject(base.X, base.Y)) {
        if (const TCellProperties* props = PropsAt(base.X, base.Y)) {
            CanEdit = !props->ReadOnly();
            if (!Options().Contains(goEditing) && !d->FEditingDisabled && !d->FMouseActions->RangeSelectAndEdit())
                CanEdit = false;
        }
    }
    if (base.X < ColCount() + d->FNumHidden) FireCanEditCell(base.X, base.Y, CanEdit);
    else CanEdit = true;
}

void TZvStringGrid::FireIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TZvStringGrid::FireGetWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TZvStringGrid::QueryHasComboBox(int ACol, int ARow)
{
    if (OnHasComboBox) {
        bool has = false;
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (!d->FControlLook->DropDownAlwaysVisible()) return false;
    TEditorType editor = d->FDefaultEditor;
    QueryEditorType(ACol, ARow, editor);
    return editor == TEditorType::edComboEdit || editor == TEditorType::edComboList;
}

bool TZvStringGrid::QueryHasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (OnHasSpinEdit) {
        bool has = false;
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (!d->FControlLook->SpinButtonsAlwaysVisible()) return false;
    TEditorType editor = d->FDefaultEditor;
    QueryDisplayEditorType(ACol, ARow, editor);
    switch (editor) {
    case TEditorType::edSpinEdit:
    case TEditorType::edFloatSpinEdit:
    case TEditorType::edTimeSpinEdit:
    case TEditorType::edDateSpinEdit: return true;
    default: return false;
    }
}

bool TZvStringGrid::QueryColumnFilter(int Column)
{
    TStringList* list = FilterValues();
    list->Clear();
    if (FilterDropDownAuto() &&
        (Column >= FixedCols() || FilterDropDownColumns() == TFilterDropDownColumns::fdAll)) {
        // A text with a space is offered as itself and filtered on as one quoted condition.
        const auto entry = [](const String& s) {
            return s.contains(QLatin1Char(' ')) ? s + QLatin1Char('=') + QLatin1Char('"') + s + QLatin1Char('"') : s;
        };
        list->SetDuplicates(TDuplicates::dupIgnore);
        list->SetCaseSensitive(false);
        list->SetSorted(true);
        // A search leaves its highlight and mark tags in the cells; the list offers what the cells hold.
        for (int r = FixedRows(); r <= RowCount() - d->FFixedFooters - 1; ++r)
            list->Add(entry(Trim(WithoutSearchTags(GetCellEx(Column, r)))));
        if (!FilterService().FFilterIncremental) {
            for (const auto& item : d->FGridItems) {
                if (Column >= 0 && Column < item->Items()->Count()) list->Add(entry(item->Items()->Strings(Column)));
            }
        }
        list->SetSorted(false);
        if (!FilterService().FFilterDropDownClear.isEmpty()) list->Insert(0, FilterService().FFilterDropDownClear);
    }
    if (OnGetColumnFilter) OnGetColumnFilter(this, Column, list);
    return list->Count() > 0;
}

void TZvStringGrid::InitialCellProperties(int ACol, int ARow, TCellGradientDirection& GD, bool& WW, TVAlignment& VA,
                                          TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo, TColor& ColorTo,
                                          TBrush* ABrush, TFont* AFont)
{
    TGridDrawState state;
    // ACol is a store column; the look depends on where it is shown. A hidden
    // column has no look on screen, so no colour is taken as its own.
    const bool shown = !IsHiddenColumn(ACol);
    const int displ = shown ? DisplColIndex(ACol) : ACol;
    GetVisualProperties(displ, ARow, state, false, false, shown, ABrush, ColorTo, MirrorColor, MirrorColorTo, AFont,
                        HA, VA, WW, GD);
    // A new properties object must not freeze a fixed, banded, background or selection colour as the cell's own.
    const TBackGroundDisplay bg = d->FBackGround->Display();
    if (!shown || IsFixed(displ, ARow) || d->FBands->Active() || bg == TBackGroundDisplay::bdGradientHorz ||
        bg == TBackGroundDisplay::bdGradientVert || state.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
}

void TZvStringGrid::QueryFixedCell(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = IsFixed || (d->FFixedRowAlways && ARow <= d->FFixedRowsMin && RowCount() == d->FFixedRowsMin) ||
              (d->FFixedColAlways && ACol < d->FFixedColsMin && ColCount() == d->FFixedColsMin) || ACol < FixedCols() ||
              ARow < FixedRows();
    // The event can make more cells fixed, never fewer.
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TZvStringGrid::QueryCheckTrue(int ACol, int ARow, String& Value)
{
    Value = d->FCheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TZvStringGrid::QueryCheckFalse(int ACol, int ARow, String& Value)
{
    Value = d->FCheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TZvStringGrid::IsFixed(int ACol, int ARow)
{
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    const int col = RealToDisplayCol(base.X);
    if (base.Y >= RowCount() - d->FFixedFooters) return true;
    if (col >= ColCount() - d->FFixedRightCols && col < ColCount()) return true;
    // The fixed-cell query is asked by displayed column, like this call.
    bool fixed = false;
    QueryFixedCell(col, base.Y, fixed);
    return fixed;
}

void TZvStringGrid::PaintCellBorders(int RCol, int ARow, TRect Rect)
{
    TCanvas* canvas = Canvas();
    TPen saved;
    saved.Assign(canvas->Pen());
    TCellBorders borders;
    QueryCellBorder(RCol, ARow, canvas->Pen(), borders);
    TPen left, top, right, bottom;
    for (TPen* pen : {&left, &top, &right, &bottom}) pen->Assign(canvas->Pen());
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, RCol, &left, &top, &right, &bottom);

    // Thick borders stay inside the cell, clear of the grid lines.
    const int h = (canvas->Pen()->Width() + 1) / 2;
    if (Options().Contains(goVertLine)) {
        Rect.Left += h;
        Rect.Right -= h;
    }
    if (Options().Contains(goHorzLine)) {
        Rect.Top += h;
        Rect.Bottom -= h;
    }
    const auto line = [canvas](TPen& pen, int x1, int y1, int x2, int y2) {
        canvas->Pen()->Assign(&pen);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    if (borders.Contains(TCellBorder::cbLeft)) line(left, std::max(0, Rect.Left), Rect.Top, std::max(0, Rect.Left), Rect.Bottom);
    if (borders.Contains(TCellBorder::cbRight)) line(right, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
    if (borders.Contains(TCellBorder::cbTop)) {
        const int y = GridLineWidth() == 0 ? Rect.Top + 1 : std::max(0, Rect.Top - GridLineWidth());
        line(top, Rect.Left, y, Rect.Right, y);
    }
    if (borders.Contains(TCellBorder::cbBottom))
        line(bottom, Rect.Left - GridLineWidth() - 1, Rect.Bottom - 1, Rect.Right, Rect.Bottom - 1);
    canvas->Pen()->Assign(&saved);
}
