#include "grid/ZvBaseGrid.h"

#include "grid/support/ZvGridCellGraphic.h"
#include "grid/support/ZvGridUtil.h"

#include "grid/support/ZvDrawRoutines.h"

#include "platform/DrawText.h"

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
    // The owner column is a store column; the screen shows it at its display position.
    if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerGrid->DisplColIndex(FOwnerCol), FOwnerRow);
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
    if (!StoreChanged(FGrid, v)) return;
    if (FGrid) FGrid->FreeNotification(this);
}

void TZvGridUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue)
{
    // A new change ends the redo branch: the undone items would otherwise count as
    // done again and a later Undo would walk back over changes the user never saw.
    DropUndone();
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
    TUndoRedoItem* item = FItems->Add();
    item->SetCol(ACol);
    item->SetRow(ARow);
    item->SetValue(NewValue);
    item->SetOrigValue(OldValue);
    FLevel = FItems->Count();
}

void TZvGridUndoRedo::DropUndone()
{
    while (FItems->Count() > FLevel) FItems->Delete(FItems->Count() - 1);
}

void TZvGridUndoRedo::AddMarker(bool start)
{
    DropUndone();
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
    // A sequence opened and not yet closed holds no change to give back: its
    // start marker is stepped over, never written into the grid as a cell.
    while (FLevel > 0 && FItems->Items(FLevel - 1)->SequenceStart()) --FLevel;
    if (FLevel == 0) return;
    if (FItems->Items(FLevel - 1)->SequenceStop()) {
        --FLevel;
        while (FLevel > 0 && !FItems->Items(FLevel - 1)->SequenceStart()) {
            // A stray stop marker inside the sequence is no cell.
            if (!FItems->Items(FLevel - 1)->SequenceStop()) UndoItem(FItems->Items(FLevel - 1));
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
        // Up to and past the stop marker; a sequence never closed ends with the list.
        while (FLevel < FItems->Count()) {
            TUndoRedoItem* next = FItems->Items(FLevel);
            ++FLevel;
            if (next->SequenceStop()) break;
            if (!next->SequenceStart()) RedoItem(next);
        }
        FGrid->Invalidate();
        return;
    }
    // A marker without its partner (a stop after an undone start) is no cell.
    if (!FItems->Items(FLevel - 1)->SequenceStop()) RedoItem(FItems->Items(FLevel - 1));
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

TFreshCellLook::TFreshCellLook(TBaseGrid& grid, int c, int r) : WW(grid.BaseWordWrap())
{
    grid.InitialCellProperties(c, r, GD, WW, VA, HA, MirrorColor, MirrorColorTo, ColorTo, &Brush, &Font);
}

TCellProperties* TBaseGrid::CreateCellProperties(int c, int r, bool withCalcType)
{
    auto* props = new TCellProperties(this, c, r);
    // In the slot before the look is asked: the look of a cell with properties just made.
    SetObjects(c, r, props);
    const TFreshCellLook look(*this, c, r);
    if (withCalcType) props->SetCalcType(TColumnCalcType::acNONE);
    props->SetAlignment(look.HA);
    props->SetVAlignment(look.VA);
    props->SetWordWrap(look.WW);
    props->SetFontName(look.Font.Name());
    props->SetFontSize(look.Font.Size());
    props->SetFontStyle(look.Font.Style());
    props->SetFontColor(look.Font.Color());
    props->SetBrushColor(look.Brush.Color());
    props->SetBrushColorTo(look.ColorTo);
    props->SetGradientDirection(look.GD);
    return props;
}

bool TBaseGrid::IsInsideGrid(int c, int r) { return c >= 0 && r >= 0 && c < TotalColCount() && r < RowCount(); }

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (!IsInsideGrid(c, r)) throw EZvGridError(QStringLiteral("Invalid cell"));
    if (TCellProperties* props = PropsAt(c, r)) return props;
    return CreateCellProperties(c, r, true);
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    TCellProperties* old = PropsAt(c, r);
    if (old == Value) return;
    // A graphic handed on to the new properties stays alive.
    if (old && Value && old->GraphicObject() == Value->GraphicObject()) old->SetGraphicObject(nullptr);
    FreeCellProperties(old);
    SetObjects(c, r, Value);
}

void TBaseGrid::FreeCellGraphic(TObject* graphic)
{
    if (!graphic || typeid(*graphic) != typeid(TCellGraphic)) return;
    const TCellType kind = static_cast<TCellGraphic*>(graphic)->CellType();
    if (kind == TCellType::ctVirtCheckBox || kind == TCellType::ctRowCheckBox) return;
    delete graphic;
}

void TBaseGrid::FreeCellProperties(TCellProperties* props)
{
    if (!props) return;
    FreeCellGraphic(props->GraphicObject());
    delete props;
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
            FreeCellProperties(dynamic_cast<TCellProperties*>(slot));
            SetObjects(c, r, nullptr);
        }
    }
}

// The properties in the store's rows From .. To - 1, across every column the store keeps for them
// (hidden ones past the count included): all are the grid's.
void TBaseGrid::FreeStoredRowsProperties(int From, int To)
{
    const TGridCellStore& store = Store();
    To = std::min(To, store.RowCapacity());
    for (int r = std::max(From, 0); r < To; ++r)
        for (int c = 0; c < store.ColCapacity(r); ++c)
            if (TCellProperties* props = PropsAt(c, r)) {
                FreeCellProperties(props);
                SetObjects(c, r, nullptr);
            }
}

void TBaseGrid::ClearAllCellProperties() { FreeStoredRowsProperties(0, Store().RowCapacity()); }

// Rows cut off by a smaller count lose their properties: texts may come back with the rows,
// but nothing may write over properties that no one can reach any more.
void TBaseGrid::FreeCutRowsProperties(int OldRowCount) { FreeStoredRowsProperties(RowCount(), OldRowCount); }

// The graphic goes with the properties: left behind it would belong to nobody.
void TBaseGrid::FreeCellObject(int c, int r)
{
    FreeCellProperties(PropsAt(c, r));
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
namespace {

// The base cell as seen from the asked cell: its recorded owner position
// goes stale once rows are hidden, inserted or moved above it.
TPoint BaseFrom(const TCellProperties& props, int c, int r)
{
    if (!props.IsBaseCell() && props.CellSpanX() != -1 && props.CellSpanY() != -1)
        return {c - props.CellSpanX(), r - props.CellSpanY()};
    return {c, r};
}

}  // namespace

TPoint TBaseGrid::BaseCell(int c, int r) const
{
    if (!HasCellObject(c, r)) return {c, r};
    const TCellProperties* props = PropsAt(c, r);
    return props ? BaseFrom(*props, c, r) : TPoint{c, r};
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
    const TPoint b = BaseFrom(*props, c, r);
    const TCellProperties* base = PropsAt(b.X, b.Y);
    if (!base) return {0, 0};
    return {base->CellSpanX(), base->CellSpanY()};
}

TPoint TBaseGrid::CellExt(int c, int r) const
{
    if (!HasCellObject(c, r)) return {0, 0};
    const TCellProperties* props = PropsAt(c, r);
    if (!props || props->CellSpanX() == -1 || props->CellSpanY() == -1) return {0, 0};
    const TPoint b = BaseFrom(*props, c, r);
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
    if (!IsInsideGrid(c, r)) throw EZvGridError(QStringLiteral("Invalid cell"));
    // A span past the edge would create properties under indexes no row or column owns.
    spanx = std::min(spanx, TotalColCount() - c);
    spany = std::min(spany, RowCount() - r);
    ++FMergeCount;
    FEverMerged = true;
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
TRect TBaseGrid::MergedAreaRect(int c, int r)
{
    const TPoint b = BaseCell(c, r);
    const TPoint span = CellSpan(c, r);
    TRect a = RangeRect(b.X, b.Y);
    if (a.Width() == 0) ++a.Right;
    TRect e = RangeRect(b.X + span.X, b.Y + span.Y);
    if (e.Width() == 0) --e.Left;
    return {std::min(a.Left, e.Left), std::min(a.Top, e.Top), std::max(a.Right, e.Right),
            std::max(a.Bottom, e.Bottom)};
}

TRect TBaseGrid::CellRect(int c, int r)
{
    if (const TCellProperties* props = HasCellObject(c, r) ? PropsAt(c, r) : nullptr) {
        if (props->CellSpanX() != -1 || props->CellSpanY() != -1) return MergedAreaRect(c, r);
        if (props->Control()) return RangeRect(c, r);
    }
    // The platform cuts a cell at the client edge; painting wants the whole cell.
    TRect rc = TCustomGrid::CellRect(c, r);
    // A cell scrolled out of view has no rectangle; sizing it would place it at the origin.
    if (rc.IsEmpty()) return rc;
    rc.Right = rc.Left + ColWidths(c);
    rc.Bottom = rc.Top + RowHeights(r);
    return rc;
}

TPoint TBaseGrid::CellSize(int c, int r)
{
    const TPoint span = CellSpan(c, r);
    const TRect rc = span.X > 0 || span.Y > 0 ? MergedAreaRect(c, r) : RangeRect(c, r);
    return {rc.Width(), rc.Height()};
}

namespace {
// The pixel distance from the start of item `from` to the start of item `to`.
template <class Size>
int SpanBetween(int from, int to, Size size)
{
    int d = 0;
    for (int i = from; i < to; ++i) d += size(i);
    for (int i = to; i < from; ++i) d -= size(i);
    return d;
}
}   // namespace

TRect TBaseGrid::RangeRect(int c, int r)
{
    // Computed from the sizes (the platform draws no lines of its own), so it
    // holds for cells scrolled out of view too; a scrolling cell counts from the top-left one.
    const auto width = [this](int i) { return ColWidths(i); };
    const auto height = [this](int j) { return RowHeights(j); };
    const TRect topLeft = TCustomGrid::CellRect(LeftCol(), TopRow());
    const int x = c >= FixedCols() ? topLeft.Left + SpanBetween(LeftCol(), c, width) : SpanBetween(0, c, width);
    const int y = r >= FixedRows() ? topLeft.Top + SpanBetween(TopRow(), r, height) : SpanBetween(0, r, height);
    return {x, y, x + ColWidths(c), y + RowHeights(r)};
}

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
    if (!HasCellObject(Col(), Row())) return;
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

namespace {
struct TSelectionBoxColors {
    TColor From, To, LowerFrom, LowerTo, Border, InnerTop, InnerBottom, InnerCorner;
};

TSelectionBoxColors SelectionBoxColors(TGridSelectionStyle style, bool focused)
{
    if (!focused) return {0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};
    switch (style) {
    case TGridSelectionStyle::ssWin7:
        return {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
    case TGridSelectionStyle::ssOffice2007:
        return {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
    default: return {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
    }
}

// A solid fill without an end colour, else 64 bands towards it; a mirror end
// colour makes the two-half box, which always runs top to bottom.
void FillCellBackground(TCanvas* canvas, const TRect& r, TColor from, TColor to, TColor mirror, TColor mirrorTo,
                        bool horizontal)
{
    if (mirrorTo != clNone) {
        DrawGradientBox(*canvas, r, from, to, mirror, mirrorTo, true, clNone, false, true);
        return;
    }
    if (to == clNone || to == from) {
        FillRectColor(*canvas, r, from);
        return;
    }
    DrawGradientRect(*canvas, from, to, 64, r, horizontal);
}
}   // namespace

void TBaseGrid::PaintCellFrame(TCanvas* ACanvas, int ACol, int ARow, bool Full, TGridDrawState AState, TRect ARect)
{
    if (ARow == RowCount() - 1 && FHideLastRow) {
        ACanvas->Brush()->SetColor(Color());
        ACanvas->Pen()->SetColor(Color());
        ACanvas->FillRect(ARect);
        return;
    }
    int bc = ACol, br = ARow;
    if (!BaseCellOf(ACol, ARow, bc, br)) {
        // A merged area is painted once per paint cycle, by the first of its cells asked for.
        TCellProperties* base = PropsAt(bc, br);
        if (base && base->PaintID() != FPaintID) {
            base->SetPaintID(FPaintID);
            PaintCellFrame(ACanvas, bc, br, Full, AState, Full ? CellRect(bc, br) : ARect);
        }
        return;
    }
    if (TCellProperties* props = PropsAt(ACol, ARow); props && (props->CellSpanX() > 0 || props->CellSpanY() > 0))
        props->SetPaintID(FPaintID);

    const bool fixed = IsFixed(ACol, ARow);
    if (fixed && Full) {
        AState.Exclude(gdSelected);
        AState.Include(gdFixed);
    }
    // The platform hands one cell's rectangle; a merged area paints over all of its cells.
    if (Full && IsMergedCell(ACol, ARow)) ARect = CellRect(ACol, ARow);

    // A partly scrolled cell must not paint over the fixed cells.
    const int x0 = ACol >= FixedCols() ? FixedColsWidth() : 0;
    const int y0 = ARow >= FixedRows() ? FixedRowsHeight() : 0;
    const QRegion oldClip = ACanvas->ClipRegion();
    const bool clipped = (ACol >= FixedCols() && FixedCols() > 0 && ARect.Left < x0) ||
                         (ARow >= FixedRows() && FixedRows() > 0 && ARect.Top < y0);
    if (clipped) ACanvas->SetClipRect(TRect{x0, y0, Width(), Height()});

    ACanvas->Pen()->SetWidth(1);
    ACanvas->Font()->Assign(Font());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = TAlignment::taLeftJustify;
    TVAlignment va = TVAlignment::vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = TCellGradientDirection::GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), colorTo, mirror, mirrorTo,
                        ACanvas->Font(), ha, va, ww, gd);
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

    const bool selected = AState.Contains(gdSelected);
    if (ARow == FHoverRowIdx && FHoverRow && !(selected && !FHoverRowCells.Contains(THoverRowCell::hcSelected)) &&
        !(fixed && !FHoverRowCells.Contains(THoverRowCell::hcFixed))) {
        ACanvas->Brush()->SetColor(FHoverRowColor);
        colorTo = FHoverRowColorTo;
        mirror = mirrorTo = clNone;
        gd = TCellGradientDirection::GradientVertical;
    }
    if ((FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FixedCols()) ||
        (!Full && selected)) {
        ACanvas->Brush()->SetColor(FActiveRowColor);
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
        ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
    }

    const bool rtl = UseRightToLeftReading();
    const TGridOptions options = Options();
    if (selected && FSelectionStyle != TGridSelectionStyle::ssDefault && FShowSel) {
        const TGridRect sel = Selection();
        const bool wider = sel.Right > sel.Left;
        const int segment = !wider ? 0 : ACol == sel.Left ? 1 : ACol == sel.Right ? 2 : ACol > sel.Left && ACol < sel.Right ? 3 : 0;
        TRect box = ARect;
        if (!options.Contains(goHorzLine)) ++box.Bottom;
        if (!options.Contains(goVertLine)) ++box.Right;
        if (rtl) {
            ++box.Right;
            ++box.Bottom;
        }
        const bool focused = Focused() || options.Contains(goDrawFocusSelected);
        const TSelectionBoxColors k = SelectionBoxColors(FSelectionStyle, focused);
        const TSelectionSegment kinds[] = {TSelectionSegment::ssWhole, TSelectionSegment::ssLeftEnd,
                                           TSelectionSegment::ssRightEnd, TSelectionSegment::ssMiddle};
        DrawSelectionBox(*ACanvas, k.From, k.To, k.LowerFrom, k.LowerTo, k.InnerTop, k.InnerBottom, k.Border,
                         k.InnerCorner, Color(), box, kinds[segment]);
    } else if (!(UsesVCLStyles() && (fixed || selected))) {
        FillCellBackground(ACanvas, ARect, ACanvas->Brush()->Color(), colorTo, mirror, mirrorTo,
                           gd == TCellGradientDirection::GradientHorizontal);
    }

    int h = 1;
    if (fixed) {
        ACanvas->Pen()->SetColor(FGridFixedLineColor);
        ACanvas->Pen()->SetWidth(1);
    } else if (FGridLineWidth > 0) {
        ACanvas->Pen()->SetColor(FGridLineColor);
        ACanvas->Pen()->SetWidth(FGridLineWidth);
        h = (FGridLineWidth + 1) / 2;
    }
    const bool drawLines = fixed || FGridLineWidth > 0;
    const bool horz = options.Contains(fixed ? goFixedHorzLine : goHorzLine);
    const bool vert = options.Contains(fixed ? goFixedVertLine : goVertLine);
    if (drawLines && horz && !(bc == 0 && HasNodes())) {
        ACanvas->MoveTo(ARect.Left - h + 1, ARect.Bottom - h);
        ACanvas->LineTo(ARect.Right - h + 1, ARect.Bottom - h);
    }
    if (drawLines && vert) {
        const int x = rtl ? ARect.Right - h + 1 : ARect.Right - h;
        ACanvas->MoveTo(x, ARect.Bottom - h);
        ACanvas->LineTo(x, ARect.Top - h);
    }

    TRect content = ARect;
    if (fixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        content.Left += FGridLineWidth;
        content.Top += FGridLineWidth;
        content.Right -= FGridLineWidth;
        content.Bottom -= FGridLineWidth;
    }
    if (Full) PaintCellContents(ACanvas, ACol, ARow, content, AState);

    if (clipped) ACanvas->SetClipRegion(oldClip);
    ACanvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    ACanvas->Pen()->SetStyle(TPenStyle::psSolid);
}

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
    if (!StoreChanged(FUndoRedo, v)) return;
    if (FUndoRedo) {
        FUndoRedo->FreeNotification(this);
        FUndoRedo->SetGrid(this);
    }
}

// ---- New virtual operations: base behaviour ---------------------------------------------------------
bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::RowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::PaintCellContents(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
    ACanvas->Brush()->SetStyle(TBrushStyle::bsClear);
    DrawText(*ACanvas, GetCellEx(ACol, ARow), ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ACanvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}
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
bool TBaseGrid::CellSelectHook(int ACol, int ARow)
{
    // Merged areas span beyond the platform's one-cell repaint, so the old and new cells repaint whole.
    if (UseRightToLeftReading()) {
        const bool allowed = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return allowed;
    }
    RepaintCell(Col(), Row());
    const bool allowed = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return allowed;
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift) { KeyDownHook(Key, Shift); }

void TBaseGrid::KeyDownHook(WORD& Key, TShiftState Shift)
{
    const TCellProperties* props = HasCellObject(Col(), Row()) ? PropsAt(Col(), Row()) : nullptr;
    const TPoint b = props ? BaseCell(Col(), Row()) : TPoint{Col(), Row()};
    const TCellProperties* base = props ? PropsAt(b.X, b.Y) : nullptr;
    switch (Key) {
    case VK_NEXT:
        if (RowCount() == VisibleRowCount() + TopRow() - FixedRows() + 1 && FHideLastRow && RowCount() > 1)
            SetRow(RowCount() - 2);
        break;
    case VK_RIGHT:
        if (base) {
            const int e = b.X + std::max(base->CellSpanX(), 0);
            if (e >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && e < ColCount()) SetCol(e);
        }
        break;
    case VK_DOWN:
        if (base) {
            const int e = b.Y + std::max(base->CellSpanY(), 0);
            if (e >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1) SetRow(e);
        }
        break;
    case VK_LEFT:
        // From a covered cell the step starts at the area's left edge, so it leaves the area.
        if (base && b.X < Col() && FixedCols() < Col() && b.X > 0) SetCol(b.X);
        break;
    case VK_UP:
        if (base && b.Y < Row() && FixedRows() < Row() && b.Y > 0) SetRow(b.Y);
        break;
    default: break;
    }
    TObjStringGrid::KeyDown(Key, Shift);
    MoveToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return WheelDownHook(Shift, MousePos); }
bool TBaseGrid::WheelDownHook(TShiftState Shift, TPoint MousePos)
{
    const bool handled = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
    MoveToBaseCell();
    return handled;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return WheelUpHook(Shift, MousePos); }
bool TBaseGrid::WheelUpHook(TShiftState Shift, TPoint MousePos)
{
    const bool handled = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    MoveToBaseCell();
    return handled;
}

void TBaseGrid::TopLeftChanged() { TopLeftChangeHook(); }
void TBaseGrid::TopLeftChangeHook()
{
    TObjStringGrid::TopLeftChanged();
    if (!FEverMerged) return;
    // Merged fixed cells reach into the scrolling part, so they follow the scroll.
    const int lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    for (int r = TopRow(); r <= lastRow; ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
    const int lastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (int c = LeftCol(); c <= lastCol; ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}

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
