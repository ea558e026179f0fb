#include "grid/ZvBaseGrid.h"

#include "grid/ZvGridCellGraphic.h"
#include "grid/ZvGridUtil.h"

#include <typeinfo>

#include <algorithm>

// ---- TCellProperties ---------------------------------------------------------------------
TCellProperties::TCellProperties(TBaseGrid* AOwnerGrid, int AOwnerCol, int AOwnerRow)
    : FOwnerGrid(AOwnerGrid), FOwnerCol(AOwnerCol), FOwnerRow(AOwnerRow)
{
    if (FOwnerGrid) {
        FWordWrap = FOwnerGrid->BaseWordWrap();
        FOwnerGrid->NoteCellPropsCreated();
    }
}

void TCellProperties::RepaintOwnerCell()
{
    if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor v)
{
    FBrushColorTo = v;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    RepaintOwnerCell();
}

TPoint TCellProperties::GetBaseCell() const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
        return {FOwnerCol - FCellSpanX, FOwnerRow - FCellSpanY};
    return {FOwnerCol, FOwnerRow};
}

void TCellProperties::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TCellProperties*>(source);
    if (!s) return;   // another kind is ignored
    FIsBaseCell = s->FIsBaseCell;
    FCellSpanX = s->FCellSpanX;
    FCellSpanY = s->FCellSpanY;
    FOwnerRow = s->FOwnerRow;
    FOwnerCol = s->FOwnerCol;
    FObject = s->FObject;
    FAlignment = s->FAlignment;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FBrushColor = s->FBrushColor;
    FBrushStyle = s->FBrushStyle;
    FFontColor = s->FFontColor;
    FFontStyle = s->FFontStyle;
    FFontName = s->FFontName;
    FFontSize = s->FFontSize;
    FReadOnly = s->FReadOnly;
    FEditor = s->FEditor;
    FVAlignment = s->FVAlignment;
    FWordWrap = s->FWordWrap;
    FNodeLevel = s->FNodeLevel;
    FControl = s->FControl;
}

// ---- Undo and redo -------------------------------------------------------------------------------
void TUndoRedoItem::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TUndoRedoItem*>(source);
    if (!s) return;
    FRow = s->FRow;
    FCol = s->FCol;
    FValue = s->FValue;
    FOrigValue = s->FOrigValue;
    FSequenceStart = s->FSequenceStart;
    FSequenceStop = s->FSequenceStop;
}

TUndoRedoItem* TUndoRedoCollection::Add()
{
    FItems.push_back(std::make_unique<TUndoRedoItem>());
    return FItems.back().get();
}

void TUndoRedoCollection::Delete(int index)
{
    if (index >= 0 && index < Count()) FItems.erase(FItems.begin() + index);
}

TZvGridUndoRedo::TZvGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>())
{
}

// The grid hears of the end through the free notification it asked for.
TZvGridUndoRedo::~TZvGridUndoRedo() = default;

void TZvGridUndoRedo::SetGrid(TBaseGrid* v)
{
    // Notifications stay asked for both ways: the old grid may still link to this component.
    if (FGrid == v) return;
    FGrid = v;
    if (FGrid) FGrid->FreeNotification(this);
}

void TZvGridUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue)
{
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
    TUndoRedoItem* item = FItems->Add();
    item->SetCol(ACol);
    item->SetRow(ARow);
    item->SetValue(NewValue);
    item->SetOrigValue(OldValue);
    FLevel = FItems->Count();
}

void TZvGridUndoRedo::AddMarker(bool start)
{
    TUndoRedoItem* item = FItems->Add();
    item->SetCol(-1);
    item->SetRow(-1);
    item->SetSequenceStart(start);
    item->SetSequenceStop(!start);
    FLevel = FItems->Count();
}

void TZvGridUndoRedo::StartSequence() { AddMarker(true); }
void TZvGridUndoRedo::StopSequence() { AddMarker(false); }

void TZvGridUndoRedo::UndoItem(TUndoRedoItem* item)
{
    if (OnUndo) OnUndo(this, FGrid, item->Col(), item->Row(), FGrid->GetCellEx(item->Col(), item->Row()),
                       item->OrigValue());
    FGrid->SetCellEx(item->Col(), item->Row(), item->OrigValue());
    FGrid->SetCol(FGrid->DisplColIndex(item->Col()));
    FGrid->SetRow(item->Row());
}

void TZvGridUndoRedo::RedoItem(TUndoRedoItem* item)
{
    if (OnRedo) OnRedo(this, FGrid, item->Col(), item->Row(), FGrid->GetCellEx(item->Col(), item->Row()),
                       item->Value());
    FGrid->SetCellEx(item->Col(), item->Row(), item->Value());
    FGrid->SetCol(FGrid->DisplColIndex(item->Col()));
    FGrid->SetRow(item->Row());
}

void TZvGridUndoRedo::Undo()
{
    if (!FGrid || FLevel == 0 || FItems->Count() < FLevel) return;
    if (FItems->Items(FLevel - 1)->SequenceStop()) {
        --FLevel;
        while (FLevel > 0 && !FItems->Items(FLevel - 1)->SequenceStart()) {
            UndoItem(FItems->Items(FLevel - 1));
            --FLevel;
        }
        if (FLevel > 0) --FLevel;   // past the start marker
        FGrid->Invalidate();
        return;
    }
    UndoItem(FItems->Items(FLevel - 1));
    FGrid->RepaintCell(FGrid->Col(), FGrid->Row());
    --FLevel;
}

void TZvGridUndoRedo::Redo()
{
    if (!FGrid || FLevel >= FItems->Count()) return;
    ++FLevel;
    if (FItems->Items(FLevel - 1)->SequenceStart()) {
        ++FLevel;
        while (FLevel < FItems->Count() && !FItems->Items(FLevel - 1)->SequenceStop()) {
            RedoItem(FItems->Items(FLevel - 1));
            ++FLevel;
        }
        FGrid->Invalidate();
        return;
    }
    RedoItem(FItems->Items(FLevel - 1));
}

void TZvGridUndoRedo::Reset() { FItems->Clear(); }

void TZvGridUndoRedo::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FGrid) FGrid = nullptr;
}

// ---- TBaseGrid: creation ----------------------------------------------------------------------
TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    // The cell painter draws the lines and the contents; the platform's own stay off.
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
    if (FUndoRedo) FUndoRedo->SetGrid(nullptr);
    ClearAllCellProperties();
}

// ---- Cell text and objects ------------------------------------------------------------------
TCellProperties* TBaseGrid::PropsAt(int c, int r) const
{
    if (c < 0 || r < 0) return nullptr;
    return dynamic_cast<TCellProperties*>(Objects(c, r));
}

bool TBaseGrid::HasCellObject(int c, int r) const
{
    // TotalColCount is a virtual query of the live grid; it does not change the grid.
    auto* self = const_cast<TBaseGrid*>(this);
    return c >= 0 && r >= 0 && c < self->TotalColCount() && r < RowCount() && Objects(c, r) != nullptr;
}

String TBaseGrid::GetCellEx(int c, int r)
{
    if (HasCellObject(c, r)) {
        const TPoint b = BaseCell(c, r);
        c = b.X;
        r = b.Y;
    }
    String text = Cells(c, r);
    if (c < 0 || r < 0 || r >= FNormalRowCount) return text;
    FireGetDisplText(c, r, text);
    if (OnGetDisplWideText) {
        String wide = DecodeUnicodeCellText(text);
        FireGetDisplWideText(c, r, wide);
        text = EncodeUnicodeCellText(wide);
    }
    return text;
}

void TBaseGrid::SetCellEx(int c, int r, const String& Value)
{
    if (HasCellObject(c, r)) {
        const TPoint b = BaseCell(c, r);
        SetCells(b.X, b.Y, Value);
        UpdateCellScrollBar(b.X, b.Y);
        if (Parent()) RepaintCell(c, r);
    } else {
        SetCells(c, r, Value);
    }
    if (FHideLastRow && RowCount() == r + 1) LastRowWrittenHook();
}

String TBaseGrid::GetGridCell(int c, int r) const { return Cells(c, r); }

void TBaseGrid::SetGridCell(int c, int r, const String& Value) { SetCells(c, r, Value); }

TCellProperties* TBaseGrid::CreateCellProperties(int c, int r, bool withCalcType)
{
    auto* props = new TCellProperties(this, c, r);
    SetObjects(c, r, props);
    TFont font;
    TBrush brush;
    TCellGradientDirection gd = TCellGradientDirection::GradientVertical;
    bool ww = FWordWrap;
    TVAlignment va = TVAlignment::vtaTop;
    TAlignment ha = TAlignment::taLeftJustify;
    TColor mirror = clNone, mirrorTo = clNone, colorTo = clNone;
    InitialCellProperties(c, r, gd, ww, va, ha, mirror, mirrorTo, colorTo, &brush, &font);
    if (withCalcType) props->SetCalcType(TColumnCalcType::acNONE);
    props->SetAlignment(ha);
    props->SetVAlignment(va);
    props->SetWordWrap(ww);
    props->SetFontName(font.Name());
    props->SetFontSize(font.Size());
    props->SetFontStyle(font.Style());
    props->SetFontColor(font.Color());
    props->SetBrushColor(brush.Color());
    props->SetBrushColorTo(colorTo);
    props->SetGradientDirection(gd);
    return props;
}

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (TCellProperties* props = PropsAt(c, r)) return props;
    return CreateCellProperties(c, r, true);
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    delete PropsAt(c, r);
    SetObjects(c, r, Value);
}

TObject* TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties* props = PropsAt(c, r);
    return props ? reinterpret_cast<TObject*>(props->CellObject()) : nullptr;
}

void TBaseGrid::SetObjectEx(int c, int r, TObject* Value)
{
    const bool wasEmpty = GetCellEx(c, r).isEmpty();
    if (wasEmpty) SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetCellObject(reinterpret_cast<std::uintptr_t>(Value));
    if (wasEmpty) SetCellEx(c, r, String());
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const { return CellGraphicOf(PropsAt(c, r)); }

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* Value)
{
    if (Destroying()) return;
    const bool wasEmpty = GetCellEx(c, r).isEmpty();
    if (wasEmpty) SetCellEx(c, r, QStringLiteral(" "));
    TCellProperties* props = PropsAt(c, r);
    if (!props) props = CreateCellProperties(c, r, false);
    props->SetGraphicObject(Value);
    if (wasEmpty) SetCellEx(c, r, String());
}

TObject* TBaseGrid::GetGridObject(int c, int r) const { return Objects(c, r); }

void TBaseGrid::SetGridObject(int c, int r, TObject* Value) { SetObjects(c, r, Value); }

// ---- Clearing ------------------------------------------------------------------------------------
void TBaseGrid::ClearCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FHasCellProps) return;
    for (int c = std::max(FromCol, 0); c <= ToCol; ++c) {
        for (int r = std::max(FromRow, 0); r <= ToRow; ++r) {
            TObject* slot = Objects(c, r);
            if (!slot) continue;
            if (auto* props = dynamic_cast<TCellProperties*>(slot)) {
                TObject* graphic = props->GraphicObject();
                // Only the grid's own graphic class is freed with the cell; a
                // graphic of another class belongs to whoever attached it.
                if (graphic && typeid(*graphic) == typeid(TCellGraphic)) delete graphic;
                delete props;
            }
            SetObjects(c, r, nullptr);
        }
    }
}

void TBaseGrid::ClearAllCellProperties() { ClearCellPropertiesRange(0, 0, ColCount() - 1, RowCount() - 1); }

void TBaseGrid::FreeCellObject(int c, int r)
{
    delete PropsAt(c, r);
    SetObjects(c, r, nullptr);
}

void TBaseGrid::ClearColumnObjects(int col)
{
    for (int r = 0; r < RowCount(); ++r) {
        SetObjects(col, r, nullptr);
        SetCells(col, r, String());
    }
}

void TBaseGrid::ClearRowObjects(int row)
{
    for (int c = 0; c < ColCount(); ++c) {
        SetObjects(c, row, nullptr);
        SetCells(c, row, String());
    }
}

void TBaseGrid::ClearCellObject(int c, int r)
{
    SetCells(c, r, String());
    SetObjects(c, r, nullptr);
}

// ---- Merges ---------------------------------------------------------------------------------------
TPoint TBaseGrid::BaseCell(int c, int r) const
{
    if (!HasCellObject(c, r)) return {c, r};
    const TCellProperties* props = PropsAt(c, r);
    return props ? props->GetBaseCell() : TPoint{c, r};
}

bool TBaseGrid::BaseCellOf(int c, int r, int& bc, int& br) const
{
    const TPoint b = BaseCell(c, r);
    bc = b.X;
    br = b.Y;
    return IsBaseCell(c, r);
}

bool TBaseGrid::IsBaseCell(int c, int r) const
{
    if (!HasCellObject(c, r)) return true;
    const TCellProperties* props = PropsAt(c, r);
    return !props || props->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int c, int r) const
{
    if (!HasCellObject(c, r)) return false;
    const TCellProperties* props = PropsAt(c, r);
    return props && (props->CellSpanX() > 0 || props->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int c, int r) const
{
    return IsMergedCell(c, r) && !PropsAt(c, r)->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int c, int r) const
{
    if (!HasCellObject(c, r)) return false;
    const TPoint b = BaseCell(c, r);
    const TCellProperties* base = PropsAt(b.X, b.Y);
    return base && base->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int c, int r) const
{
    if (!HasCellObject(c, r)) return false;
    const TPoint b = BaseCell(c, r);
    const TCellProperties* base = PropsAt(b.X, b.Y);
    return base && base->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int c, int r) const
{
    if (!HasCellObject(c, r)) return {0, 0};
    const TCellProperties* props = PropsAt(c, r);
    if (!props || props->CellSpanX() == -1 || props->CellSpanY() == -1) return {0, 0};
    const TPoint b = props->GetBaseCell();
    const TCellProperties* base = PropsAt(b.X, b.Y);
    if (!base) return {0, 0};
    return {base->CellSpanX(), base->CellSpanY()};
}

TPoint TBaseGrid::CellExt(int c, int r) const
{
    if (!HasCellObject(c, r)) return {0, 0};
    const TCellProperties* props = PropsAt(c, r);
    if (!props || props->CellSpanX() == -1 || props->CellSpanY() == -1) return {0, 0};
    const TPoint b = props->GetBaseCell();
    const TPoint span = CellSpan(c, r);
    return {b.X + span.X - c, b.Y + span.Y - r};
}

TRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r);
    const TPoint span = CellSpan(c, r);
    return {b.X, b.Y, b.X + span.X, b.Y + span.Y};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = RowCount();
    for (int c = 0; c < ColCount(); ++c) {
        const int y = CellSpan(c, ARow).Y;
        if (y > 0 && y < result) result = y;
    }
    return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    for (int c = 0; c < ColCount(); ++c) result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool counted = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            counted = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
        }
    }
    return counted;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool counted = false;
    for (int r = 0; r < RowCount(); ++r) {
        const TPoint s1 = CellSpan(ACol1, r);
        const TPoint s2 = CellSpan(ACol2, r);
        if (s1.X > 0 && s2.X > 0) {
            counted = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
        } else if (s1.X != s2.X) {
            return false;
        }
    }
    return counted;
}

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    for (int i = c; i < c + spanx; ++i) {
        for (int j = r; j < r + spany; ++j) {
            TCellProperties* props = GetCellProperties(i, j);
            const bool base = i == c && j == r;
            props->SetIsBaseCell(base);
            props->SetCellSpanX(base ? spanx - 1 : i - c);
            props->SetCellSpanY(base ? spany - 1 : j - r);
        }
    }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    const TPoint b = BaseCell(c, r);
    const TPoint span = CellSpan(c, r);
    for (int i = b.X; i <= b.X + span.X; ++i) {
        for (int j = b.Y; j <= b.Y + span.Y; ++j) {
            TCellProperties* props = GetCellProperties(i, j);
            props->SetIsBaseCell(true);
            props->SetCellSpanX(-1);
            props->SetCellSpanY(-1);
            RepaintCell(i, j);
        }
    }
    --FMergeCount;
}

// ---- Geometry ---------------------------------------------------------------------------------------
TRect TBaseGrid::CellRect(int c, int r) { return TCustomGrid::CellRect(c, r); }

TPoint TBaseGrid::CellSize(int c, int r)
{
    const TRect rc = RangeRect(c, r);
    return {rc.Width(), rc.Height()};
}

TRect TBaseGrid::RangeRect(int c, int r) { return TCustomGrid::CellRect(c, r); }

void TBaseGrid::RepaintCell(int c, int r)
{
    if (HandleAllocated()) InvalidateRect(CellRect(c, r));
}

int TBaseGrid::FixedColsWidth() const
{
    int w = 0;
    for (int c = 0; c < FixedCols(); ++c) w += ColWidths(c);
    return w;
}

int TBaseGrid::FixedRowsHeight() const
{
    int h = 0;
    for (int r = 0; r < FixedRows(); ++r) h += RowHeights(r);
    return h;
}

void TBaseGrid::MoveToBaseCell()
{
    if (!PropsAt(Col(), Row())) return;
    const TPoint b = BaseCell(Col(), Row());
    SetCol(b.X);
    SetRow(b.Y);
}

// ---- Painting ----------------------------------------------------------------------------------------
void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(ACanvas, ACol, ARow, true, AState, ARect);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(ACanvas, ACol, ARow, false, AState, ARect);
}

void TBaseGrid::PaintCellFrame(TCanvas*, int, int, bool, TGridDrawState, TRect) {}

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    CellDrawHook(ACol, ARow, ARect, AState);
}

void TBaseGrid::CellDrawHook(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    PaintCellFrame(Canvas(), ACol, ARow, true, AState, ARect);
}

// ---- Properties ----------------------------------------------------------------------------------------
namespace {
template <class T>
bool StoreChanged(T& field, const T& value)
{
    if (field == value) return false;
    field = value;
    return true;
}
}   // namespace

void TBaseGrid::SetActiveRowShow(bool v)
{
    if (StoreChanged(FActiveRowShow, v)) Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor v)
{
    if (StoreChanged(FActiveRowColor, v)) Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor v)
{
    if (StoreChanged(FActiveRowColorTo, v)) Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor v)
{
    if (StoreChanged(FActiveRowMirrorColor, v)) Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor v)
{
    if (StoreChanged(FActiveRowMirrorColorTo, v)) Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle v)
{
    if (StoreChanged(FSelectionStyle, v)) Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool v)
{
    FDefaultDrawing = v;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int v)
{
    FGridLineWidth = v;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor v)
{
    FGridLineColor = v;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor v)
{
    FGridFixedLineColor = v;
    Invalidate();
}

void TBaseGrid::SetUndoRedo(TZvGridUndoRedo* v)
{
    if (FUndoRedo == v) return;
    FUndoRedo = v;
    if (FUndoRedo) {
        FUndoRedo->FreeNotification(this);
        FUndoRedo->SetGrid(this);
    }
}

// ---- New virtual operations: base behaviour ---------------------------------------------------------
bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::RowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::PaintCellContents(TCanvas*, int, int, TRect, TGridDrawState) {}
void TBaseGrid::LastRowWrittenHook() {}

void TBaseGrid::FireGetDisplText(int ACol, int ARow, String& Value)
{
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::FireGetDisplWideText(int ACol, int ARow, String& Value)
{
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::InitialCellProperties(int, int, TCellGradientDirection& GD, bool& WW, TVAlignment& VA,
                                      TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo, TColor& ColorTo,
                                      TBrush* ABrush, TFont* AFont)
{
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    WW = FWordWrap;
    GD = TCellGradientDirection::GradientVertical;
    VA = TVAlignment::vtaTop;
    HA = TAlignment::taLeftJustify;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    ColorTo = clNone;
}

void TBaseGrid::UpdateCellScrollBar(int, int) {}
bool TBaseGrid::HasCustomCellBorders() { return false; }
bool TBaseGrid::UsesVCLStyles() { return false; }
void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&, TColor&,
                                    TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&)
{
}
int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
int TBaseGrid::TotalColCount() { return ColCount(); }

// ---- Platform steps --------------------------------------------------------------------------------
bool TBaseGrid::SelectCell(int ACol, int ARow) { return CellSelectHook(ACol, ARow); }
bool TBaseGrid::CellSelectHook(int ACol, int ARow) { return TObjStringGrid::SelectCell(ACol, ARow); }

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift) { KeyDownHook(Key, Shift); }
void TBaseGrid::KeyDownHook(WORD& Key, TShiftState Shift) { TObjStringGrid::KeyDown(Key, Shift); }

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return WheelDownHook(Shift, MousePos); }
bool TBaseGrid::WheelDownHook(TShiftState Shift, TPoint MousePos)
{
    return TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return WheelUpHook(Shift, MousePos); }
bool TBaseGrid::WheelUpHook(TShiftState Shift, TPoint MousePos)
{
    return TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
}

void TBaseGrid::TopLeftChanged() { TopLeftChangeHook(); }
void TBaseGrid::TopLeftChangeHook() { TObjStringGrid::TopLeftChanged(); }

String TBaseGrid::GetEditText(int ACol, int ARow) { return EditTextGetHook(ACol, ARow); }
String TBaseGrid::EditTextGetHook(int ACol, int ARow) { return TObjStringGrid::GetEditText(ACol, ARow); }

void TBaseGrid::SetEditText(int ACol, int ARow, const String& Value) { EditTextSetHook(ACol, ARow, Value); }
void TBaseGrid::EditTextSetHook(int ACol, int ARow, const String& Value)
{
    TObjStringGrid::SetEditText(ACol, ARow, Value);
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    ComponentRemovedHook(AComponent, Operation);
}

void TBaseGrid::ComponentRemovedHook(TComponent* AComponent, TOperation Operation)
{
    TObjStringGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}
