// The column grid's per-cell answers: each query receives a real column
// and reads that column's item; beyond the last item the string grid answers.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/services/ZvGridFilter.h"

bool TZvColumnGrid::IsNormalCell(int ACol, int ARow)
{
    return ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow >= FixedRows() &&
           ARow < RowCount() - FixedFooters();
}

void TZvColumnGrid::QueryEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        // A column's number format becomes the grid's, for every cell of it.
        if (!item->FloatFormat().isEmpty()) SetFloatFormat(item->FloatFormat());
        if (ACol >= FixedCols() && ARow >= FixedRows()) {
            AEditor = item->Editor();
            LoadComboList(item->ComboItems(), item->DropDownCount());
            SetEditLink(item->EditLink());
            if (ControlLook()) ControlLook()->SetDropDownCount(item->DropDownCount());
        }
    }
    TZvStringGrid::QueryEditorType(ACol, ARow, AEditor);
}

void TZvColumnGrid::QueryCellEditable(int ACol, int ARow, bool& CanEdit)
{
    CanEdit = false;
    TGridColumnItem* item = ItemOf(ACol);
    if (item && ACol >= FixedCols() && ARow >= FixedRows() && !Loading()) {
        CanEdit = !item->ReadOnly() && !item->Fixed();
        // A writable column still has read-only cells of its own.
        if (CanEdit)
            if (const TCellProperties* p = PropsAt(ACol, ARow); p && p->ReadOnly()) CanEdit = false;
    }
    if (OnCanEditCell) {
        const TPoint base = BaseCell(ACol, ARow);
        OnCanEditCell(this, base.Y, base.X, CanEdit);
    }
}

bool TZvColumnGrid::QueryHasComboBox(int ACol, int ARow)
{
    bool result = false;
    if (TGridColumnItem* item = ItemOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows())
        result = item->Editor() == TEditorType::edComboEdit || item->Editor() == TEditorType::edComboList;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, result);
    return result;
}

void TZvColumnGrid::QueryCheckTrue(int ACol, int ARow, String& Value)
{
    TZvStringGrid::QueryCheckTrue(ACol, ARow, Value);
    if (TGridColumnItem* item = ItemOf(ACol); item && IsNormalCell(ACol, ARow)) Value = item->CheckTrue();
}

void TZvColumnGrid::QueryCheckFalse(int ACol, int ARow, String& Value)
{
    TZvStringGrid::QueryCheckFalse(ACol, ARow, Value);
    if (TGridColumnItem* item = ItemOf(ACol); item && IsNormalCell(ACol, ARow)) Value = item->CheckFalse();
}

TCellType TZvColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType t = TZvStringGrid::GetCellType(ACol, ARow);
    if (d->FDestroying || t != TCellType::ctEmpty) return t;
    TGridColumnItem* item = ItemOf(ACol);
    if (item && item->Editor() == TEditorType::edDataCheckBox && IsNormalCell(ACol, ARow))
        return TCellType::ctDataCheckBox;
    return t;
}

TCellGraphic* TZvColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* own = TZvStringGrid::GetCellGraphic(ACol, ARow);
    if (own || d->FDestroying) return own;
    TGridColumnItem* item = ItemOf(ACol);
    if (!item || item->Editor() != TEditorType::edDataCheckBox || !IsNormalCell(ACol, ARow)) return own;
    FCellGraphic->SetCellType(TCellType::ctVirtCheckBox);
    FCellGraphic->SetCellTransparent(ControlLook() && ControlLook()->ControlStyle() == TGridControlStyle::csFlat);
    return FCellGraphic.get();
}

void TZvColumnGrid::QueryFixedCell(int ACol, int ARow, bool& IsFixed)
{
    // Asked by displayed column.
    const int real = RealColIndex(ACol);
    if (TGridColumnItem* item = ItemOf(real); item && ACol >= FixedCols() && ARow >= FixedRows())
        IsFixed = item->Fixed();
    TZvStringGrid::QueryFixedCell(ACol, ARow, IsFixed);
}

void TZvColumnGrid::QueryCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        HAlign = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (const TCellProperties* p = PropsAt(ACol, ARow)) HAlign = p->Alignment();
    }
    TZvStringGrid::QueryCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TZvColumnGrid::QueryCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    TGridColumnItem* item = ItemOf(ACol);
    if (item && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
        ARow < RowCount() - FixedFooters()) {
        const bool banded = item->ShowBands() && Bands() && Bands()->Active();
        if (item->Fixed())
            ABrush->SetColor(FixedColor());
        else if (ARow >= FixedRows() && !banded)
            ABrush->SetColor(item->Color());
        AFont->Assign(ARow < FixedRows() ? item->HeaderFont() : item->Font());
        if (const TCellProperties* p = PropsAt(ACol, ARow)) {
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        }
    }
    TZvStringGrid::QueryCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TZvColumnGrid::FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        const bool fixedArea = ACol < FixedCols() || ARow < FixedRows() ||
                               ACol >= ColCount() + NumHiddenColumns() - FixedRightCols() ||
                               ARow >= RowCount() - FixedFooters();
        if (fixedArea) {
            if (PrintSettings()) AFont->Assign(PrintSettings()->FixedFont());
        } else {
            const TCellProperties* p = PropsAt(ACol, ARow);
            const bool banded = item->ShowBands() && Bands() && Bands()->Active() && Bands()->Print();
            if (item->Fixed())
                ABrush->SetColor(FixedColor());
            else if (!banded)
                ABrush->SetColor(item->PrintColor());
            else if (p && p->BrushColor() != clNone)
                ABrush->SetColor(p->BrushColor());
            if (item->PrintFontCustom()) {
                AFont->Assign(item->PrintFont());
                if (p) {
                    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
                    if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
                    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
                    if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
                }
            } else if (PrintSettings()) {
                AFont->Assign(PrintSettings()->Font());
            }
        }
    }
    TZvStringGrid::FireGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TZvColumnGrid::QueryCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (TGridColumnItem* item = ItemOf(ACol); item && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = item->Borders();
        APen->Assign(item->BorderPen());
    }
    TZvStringGrid::QueryCellBorder(ACol, ARow, APen, Borders);
}

void TZvColumnGrid::FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (TGridColumnItem* item = ItemOf(ACol);
        item && item->PrintBorderCustom() && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = item->PrintBorders();
        APen->Assign(item->PrintBorderPen());
    }
    TZvStringGrid::FireGetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TZvColumnGrid::FireGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix)
{
    if (TGridColumnItem* item = ItemOf(ACol)) {
        AStyle = item->SortStyle();
        APrefix = item->SortPrefix();
        ASuffix = item->SortSuffix();
    }
    TZvStringGrid::FireGetFormat(ACol, AStyle, APrefix, ASuffix);
}

String TZvColumnGrid::CellFloatFormat(int ACol, int ARow)
{
    if (TGridColumnItem* item = ItemOf(ACol); item && !item->FloatFormat().isEmpty()) return item->FloatFormat();
    if (ItemOf(ACol)) return FloatFormat();
    return TZvStringGrid::CellFloatFormat(ACol, ARow);
}

void TZvColumnGrid::FireIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (TGridColumnItem* item = ItemOf(ACol)) IsPassword = item->Password();
    TZvStringGrid::FireIsPasswordCell(ACol, ARow, IsPassword);
}

String TZvColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    TGridColumnItem* item = ItemOf(ACol);
    if (!item) return TZvStringGrid::GetFormattedCell(ACol, ARow);
    String format = item->FloatFormat();
    const String text = GetCellEx(ACol, ARow);
    const int kind = NumberTextType(text);
    bool isFloat = !text.isEmpty() && (kind == ntInteger || kind == ntDecimal);
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (format.isEmpty() || !isFloat) return text;
    try {
        return Format(format, {GetFloats(ACol, ARow)});
    } catch (const EConvertError&) {
        return text;
    }
}

void TZvColumnGrid::InitialCellProperties(int ACol, int ARow, TCellGradientDirection& GD, bool& WW, TVAlignment& VA,
                                          TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo,
                                          TColor& ColorTo, TBrush* ABrush, TFont* AFont)
{
    TGridColumnItem* item = ItemOf(ACol);
    if (!item) {
        TZvStringGrid::InitialCellProperties(ACol, ARow, GD, WW, VA, HA, MirrorColor, MirrorColorTo, ColorTo, ABrush,
                                             AFont);
        return;
    }
    AFont->Assign(item->Font());
    ABrush->SetColor(item->Color());
    ColorTo = clNone;
    GD = TCellGradientDirection::GradientVertical;
    HA = ARow < FixedRows() ? item->HeaderAlignment() : item->Alignment();
    VA = VAlignment();
    WW = WordWrap();
    if (IsFixed(ACol, ARow) || (Bands() && Bands()->Active() && item->ShowBands())) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
}

bool TZvColumnGrid::QueryColumnFilter(int Column)
{
    TStringList* list = FilterValues();
    if (list) list->SetSorted(false);
    TZvStringGrid::QueryColumnFilter(Column);
    TGridColumnItem* item = ItemOf(Column);
    if (!item || item->Filter()->Count() == 0 || !list) return false;
    list->Clear();
    for (int i = 0; i < item->Filter()->Count(); ++i) {
        const String line = item->Filter()->Strings(i);
        const int eq = line.indexOf(QLatin1Char('='));
        list->Add(eq >= 0 ? line.left(eq) : line);
    }
    return true;
}

void TZvColumnGrid::SelectFilterValue(int Column, int ItemIndex)
{
    Q_UNUSED(Column);
    const int c = FilterService().FilterCol();
    TGridColumnItem* item = ItemOf(c);
    if (item && ItemIndex >= 0 && ItemIndex < item->Filter()->Count()) {
        const String line = item->Filter()->Strings(ItemIndex);
        const int eq = line.indexOf(QLatin1Char('='));
        const String display = eq >= 0 ? line.left(eq) : line;
        String condition = eq >= 0 ? line.mid(eq + 1) : line;
        if (FAutoFilterDisplay) item->SetHeader(display);
        if (AutoFilterUpdate()) SetFilterActive(false);
        if (OnFilterSelect) OnFilterSelect(this, c, ItemIndex, display, condition);
        if (Filter()) {
            TFilterData* data = Filter()->GetColFilter(c);
            data->SetCondition(condition);
            data->SetCaseSensitive(item->FilterCaseSensitive());
        }
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways())) SetRow(FixedRows());
            FireFilterDone();
        }
    }
    FilterService().SetFilterCol(-1);
}

void TZvColumnGrid::ConstrainColumnSize(int ACol, int& AWidth)
{
    if (TGridColumnItem* item = ItemOf(RealColIndex(ACol))) {
        if (item->MinSize() > 0 && AWidth < item->MinSize()) AWidth = item->MinSize();
        if (item->MaxSize() > 0 && AWidth > item->MaxSize()) AWidth = item->MaxSize();
    }
    TZvStringGrid::ConstrainColumnSize(ACol, AWidth);
}

void TZvColumnGrid::ConstrainAutoColumnSize(int ACol, int& AWidth)
{
    if (TGridColumnItem* item = ItemOf(RealColIndex(ACol))) {
        if (item->AutoMinSize() > 0 && AWidth < item->AutoMinSize()) AWidth = item->AutoMinSize();
        if (item->AutoMaxSize() > 0 && AWidth > item->AutoMaxSize()) AWidth = item->AutoMaxSize();
    }
    TZvStringGrid::ConstrainAutoColumnSize(ACol, AWidth);
}
