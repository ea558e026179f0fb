// Tree nodes, balloons, radio groups and expand buttons.
//
// A node lives in the graphic of column 0 of its row: CellIndex is the span
// (the node row included), CellBoolean the contracted flag, CellErrFrom the
// number of sub-group headers inside the span and CellVar the sub-grouped
// column (-1 for an ordinary node). Contracted rows are ordinary hidden
// rows, so every operation says whether it takes a real or a displayed row.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace {

const TCellTypes kBalloonCarriers{TCellType::ctCheckBox, TCellType::ctDataCheckBox, TCellType::ctRadioButton};

bool RidesBalloon(const TCellGraphic* g)
{
    return g && kBalloonCarriers.Contains(g->CellType()) && g->CellAngle() == 1;
}

}  // namespace

// ---- Node queries (displayed rows) ----------------------------------------------------------------
TCellGraphic* TZvStringGrid::NodeGraphic(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return nullptr;
    auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(0, ARow));
    return g && g->CellType() == TCellType::ctNode ? g : nullptr;
}

int TZvStringGrid::RowLevel(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return 0;
    auto* props = dynamic_cast<TCellProperties*>(GetGridObject(0, ARow));
    return props ? props->NodeLevel() : 0;
}

void TZvStringGrid::ShiftRowLevels(int FromRow, int Count, int Delta)
{
    const int last = std::min(FromRow + Count, RowCount()) - 1;
    for (int r = std::max(FromRow, 0); r <= last; ++r) {
        TCellProperties* props = GetCellProperties(0, r);
        props->SetNodeLevel(props->NodeLevel() + Delta);
    }
}

int TZvStringGrid::RealRowOfDisplayed(int ARow) const
{
    if (NumHiddenRows() == 0) return ARow;
    return ARow < RowCount() ? RealRowIndex(ARow) : AllRowCount();
}

int TZvStringGrid::NextNodeRow(int ARow)
{
    int r = ARow + 1;
    while (r < RowCount() && !NodeGraphic(r)) ++r;
    return r;
}

bool TZvStringGrid::IsNode(int ARow) { return NodeGraphic(ARow) != nullptr; }

bool TZvStringGrid::IsSummary(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return false;
    auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(0, ARow));
    return g && g->CellType() == TCellType::ctSummary;
}

bool TZvStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    return g && g->CellBoolean();
}

int TZvStringGrid::GetNodeLevel(int ARow) { return NodeGraphic(ARow) ? RowLevel(ARow) : -1; }

int TZvStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    return g ? g->CellIndex() : -1;
}

void TZvStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* g = NodeGraphic(ARow)) g->SetCellIndex(Span);
}

void TZvStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeGraphic(ARow)) g->SetCellIndex(g->CellIndex() + Delta);
}

int TZvStringGrid::GetSubNodeCount(int ARow)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    return g ? g->CellErrFrom() : 0;
}

void TZvStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeGraphic(ARow)) g->SetCellErrFrom(g->CellErrFrom() + Delta);
}

int TZvStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow)) return 0;
    const int next = ARow + 1;
    if (ARow < RowCount() - d->FFixedFooters - 1 && GetGridObject(0, next) && RowLevel(next) >= RowLevel(ARow))
        return 2;
    return 1;
}

int TZvStringGrid::GetParentRow(int ARow)
{
    if (d->FNumNodes <= 0) return -1;
    const bool isNode = IsNode(ARow);
    const int reference = isNode ? RowLevel(ARow) : 0;
    int hidden = 0;
    for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
        const TCellGraphic* g = NodeGraphic(r);
        if (!g || (isNode && RowLevel(r) >= reference)) continue;
        if (g->CellBoolean()) hidden += g->CellIndex() - 1;
        if (ARow < r + g->CellIndex() - hidden) return r;
    }
    return isNode ? ARow : -1;
}

// ---- Node changes --------------------------------------------------------------------------------
void TZvStringGrid::AddNode(int ARow, int Span)
{
    const int dr = DisplayedRowOfReal(ARow);
    if (dr < 0 || dr >= RowCount()) return;
    TCellGraphic* g = NewCellGraphic(0, dr);
    g->SetCellType(TCellType::ctNode);
    g->SetCellIndex(Span);
    g->SetCellBoolean(false);
    g->SetCellErrFrom(0);
    g->SetCellVar(-1);
    g->SetCellAngle(dr);
    g->SetCellHAlign(TCellHAlign::haBeforeText);
    g->SetCellVAlign(TCellVAlign::vaCenter);
    ShiftRowLevels(dr, Span, 1);
    if (d->FNumNodes == 0) RepaintCol(0);
    ++d->FNumNodes;
    if (Col() == 0) SetCol(1);
}

void TZvStringGrid::RemoveNode(int ARow)
{
    DoExpandNode(ARow);
    const int dr = DisplayedRowOfReal(ARow);
    const TCellGraphic* g = NodeGraphic(dr);
    if (!g) return;
    ShiftRowLevels(dr, g->CellIndex(), -1);
    RemoveCellGraphicOfType(0, dr, TCellType::ctNode);
    d->FNumNodes = std::max(d->FNumNodes - 1, 0);
}

void TZvStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!IsNode(r)) continue;
        DoExpandNode(RealRowOfDisplayed(r));
        ShiftRowLevels(r, GetNodeSpan(r), -1);
        RemoveCellGraphicOfType(0, r, TCellType::ctNode);
        d->FNumNodes = std::max(d->FNumNodes - 1, 0);
    }
    Invalidate();
}

void TZvStringGrid::SetNodeState(int ARow, bool Value)
{
    if (!IsNode(ARow) || GetNodeState(ARow) == Value) return;
    if (Value)
        ContractNode(RealRowOfDisplayed(ARow));
    else
        ExpandNode(RealRowOfDisplayed(ARow));
}

void TZvStringGrid::ExpandNode(int ARow)
{
    if (d->FCellNode->ExpandOne()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (IsNode(r) && !GetNodeState(r) && RealRowOfDisplayed(r) != ARow) ContractNode(RealRowOfDisplayed(r));
    }
    DoExpandNode(ARow);
}

void TZvStringGrid::DoExpandNode(int ARow)
{
    const int dr = DisplayedRowOfReal(ARow);
    TCellGraphic* g = NodeGraphic(dr);
    if (!g || !g->CellBoolean()) return;
    g->SetCellBoolean(false);
    const int e = g->CellIndex() == 0 ? NextNodeRow(dr) : dr + 1;

    const int topRow = TopRow();
    const int curRow = Row();
    const bool disjunct = d->FMouseActions->DisjunctRowSelect();
    d->FMouseActions->SetDisjunctRowSelect(false);
    const bool rowSelect = Options().Contains(TGridOption::goRowSelect);
    if (rowSelect) SetOptions(Options() - TGridOptions{TGridOption::goRowSelect});

    const bool noControls = d->FCellControls->Count() == 0;
    if (noControls) BeginUpdate();
    const int from = RealRowOfDisplayed(dr) + 1;
    const int to = RealRowOfDisplayed(e) - 1;
    if (to >= from) UnHideRows(from, to);
    if (noControls) EndUpdate();

    d->FMouseActions->SetDisjunctRowSelect(disjunct);
    if (rowSelect) {
        SetOptions(Options() + TGridOptions{TGridOption::goRowSelect});
        if (curRow < RowCount()) SetRow(curRow);
        SetTopRow(topRow);
    }
    CalcFooter(-1);
}

void TZvStringGrid::ContractNode(int ARow)
{
    HideInplaceEdit();
    d->FForceSelect = true;
    const int dr = DisplayedRowOfReal(ARow);
    TCellGraphic* g = NodeGraphic(dr);
    if (!g || g->CellBoolean()) {
        d->FForceSelect = false;
        return;
    }
    g->SetCellBoolean(true);
    const int b = dr + 1;
    int e = g->CellIndex() <= 0 ? NextNodeRow(dr) : dr + g->CellIndex();
    e = std::min(e, RowCount());

    int r = b;
    while (r < e) {
        TCellGraphic* nested = NodeGraphic(r);
        if (nested && nested->CellBoolean()) {
            // Its own rows are hidden already; they come back with the parent's.
            nested->SetCellBoolean(false);
            if (TControl* control = GetCellControls(1, r + 1)) control->Hide();
            const int nestedSpan = nested->CellIndex();
            HideRows(RealRowOfDisplayed(b), RealRowOfDisplayed(r));
            e -= (r - b) + nestedSpan;
            e = std::min(e, RowCount());
            r = b;
        } else {
            ++r;
        }
    }
    if (r - 1 >= b) HideRows(RealRowOfDisplayed(b), RealRowOfDisplayed(r - 1));
    d->FForceSelect = false;
    CalcFooter(-1);
}

void TZvStringGrid::ExpandAll()
{
    BeginUpdate();
    const int all = AllRowCount();
    for (int r = FixedRows(); r < all; ++r) {
        if (!IsNode(r)) continue;
        ExpandNode(RealRowOfDisplayed(r));
        if (TCellGraphic* g = NodeGraphic(r)) g->SetCellBoolean(false);
    }
    EndUpdate();
    CalcFooter(-1);
}

void TZvStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    TIntList rows;
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = NodeGraphic(r);
        if (!g) {
            ++r;
            continue;
        }
        g->SetCellBoolean(true);
        const int span = std::max(g->CellIndex(), 1);
        for (int i = r + 1; i < std::min(r + span, RowCount()); ++i) rows.Add(RealRowOfDisplayed(i));
        r += span;
    }
    if (rows.Count() > 0) HideRowList(&rows);
    EndUpdate();
    CellControlsUpdate(false);
    CalcFooter(-1);
}

void TZvStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    const int dr = DisplayedRowOfReal(ARow);
    const int p = GetParentRow(dr);
    const int pr = p >= 0 ? RealRowOfDisplayed(p) : -1;
    int level = 1;
    if (p >= 0) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(pr);
        level = RowLevel(p);
        int cur = p;
        while (level > 1 && cur >= FixedRows()) {
            const int up = GetParentRow(cur);
            if (up < 0 || up == cur) break;
            if (RowLevel(up) < level) {
                UpdateNodeSpan(up, 1);
                UpdateSubNodeCount(p, 1);
                ExpandNode(RealRowOfDisplayed(up));
                level = RowLevel(up);
            }
            cur = up;
        }
        level = RowLevel(p);
    }

    const bool belowNode = IsNode(dr) && InsertAt == 0;
    const int at = belowNode ? dr + 1 : dr + InsertAt;
    InsertRows(at, 1, true);

    if (belowNode) {
        // The node row becomes the header: its contents go down into the new row.
        for (int c = 0; c < AllColCount(); ++c) {
            SetGridCell(c, at, GetGridCell(c, dr));
            SetGridCell(c, dr, String());
            if (c == 0) continue;
            TObject* slot = GetGridObject(c, dr);
            SetGridObject(c, dr, nullptr);
            SetGridObject(c, at, slot);
            if (auto* props = dynamic_cast<TCellProperties*>(slot)) props->SetOwnerRow(at);
        }
    }
    // InsertRows has moved the hidden rows below the new one down already.
    if (p >= 0) GetCellProperties(0, at)->SetNodeLevel(level);
}

void TZvStringGrid::RemoveChildRow(int ARow)
{
    const int dr = DisplayedRowOfReal(ARow);
    int p = GetParentRow(dr);
    if (p >= 0) {
        const int l0 = RowLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        for (;;) {
            ExpandNode(RealRowOfDisplayed(p));
            if (RowLevel(p) <= 1) break;
            const int up = GetParentRow(p);
            if (up < 0 || up == p || RowLevel(up) >= l0) break;
            if (GetNodeSpan(up) > 1) {
                UpdateNodeSpan(up, -1);
                UpdateSubNodeCount(up, -1);
            }
            p = up;
        }
    }
    RemoveRowsInternal(DisplayedRowOfReal(ARow), 1);
    d->FMaxRowCount = std::max(d->FMaxRowCount - 1, 0);
}

void TZvStringGrid::InsertNormalRow(int ARow)
{
    // The hidden rows below the new one move down with it inside InsertRows.
    InsertRows(DisplayedRowOfReal(ARow), 1, true);
}

void TZvStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(ARow, 1);
    d->FMaxRowCount = std::max(d->FMaxRowCount - 1, 0);
}

bool TZvStringGrid::IsInNodeButton(int ARow, int X)
{
    if (!d->FMouseActions->PreciseNodeClick()) return true;
    const int level = GetNodeLevel(ARow);
    const int indent = d->FCellNode->NodeIndent();
    int right = 4, left = 4;
    switch (d->FCellNode->NodeType()) {
    case TNodeType::cn3D:
        right = 6;
        left = 0;
        break;
    case TNodeType::cnGlyph: {
        const TBitmap* glyph = d->FCellNode->ExpandGlyph();
        const bool empty = !glyph || glyph->Empty();
        right = empty ? 0 : glyph->Width() / 2;
        left = empty ? 0 : 2;
        break;
    }
    case TNodeType::cnLeaf:
        right = 8;
        left = 2;
        break;
    default:
        break;
    }
    if (BiDiMode() == TBiDiMode::bdRightToLeft) {
        if (RowCount() - FixedRows() > VisibleRowCount()) X += QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        return Width() - 2 - level * indent - right <= X && X < Width() - (level - 1) * indent;
    }
    return left + (level - 1) * indent < X && X < right + level * indent;
}

// ---- Radio groups ---------------------------------------------------------------------------------
void TZvStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctRadio);
    g->SetCellBitmap(sl);
    g->SetCellIndex(IdxRadio);
    g->SetCellBoolean(DirRadio != 0);
    g->SetCellAngle(sl ? sl->Count() : 0);
}

TStringList* TZvStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    auto* list = new TStringList;
    AddRadio(ACol, ARow, DirRadio, IdxRadio, list);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return list;
}

bool TZvStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    IdxRadio = g->CellIndex();
    return g->CellType() == TCellType::ctRadio;
}

bool TZvStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    // Only a radio group keeps its choice in CellIndex; other kinds keep sizes or colours there.
    TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctRadio);
    if (!g) return false;
    g->SetCellIndex(IdxRadio);
    if (IdxRadio == -1) SetCellEx(ACol, ARow, String());
    RepaintObjectCell(ACol, ARow);
    return true;
}

TStringList* TZvStringGrid::GetRadioStrings(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && g->CellType() == TCellType::ctRadio ? dynamic_cast<TStringList*>(g->CellBitmap()) : nullptr;
}

bool TZvStringGrid::IsRadio(int ACol, int ARow) { return HasCellType(ACol, ARow, TCellType::ctRadio); }

void TZvStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctRadio); }

void TZvStringGrid::AdvanceCellRadio(int ACol, int ARow, bool ByUser)
{
    TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctRadio);
    if (!g) return;
    if (ByUser && !d->FControlLook->RadioAlwaysActive()) {
        bool allow = true;
        QueryCellEditable(ACol, ARow, allow);
        if (!allow) return;
    }
    const auto* options = dynamic_cast<TStringList*>(g->CellBitmap());
    // Without options there is nothing to select.
    if (!options || options->Count() == 0) return;
    const int stored = g->CellIndex();
    int next = stored >= 0 ? stored + 1 : options->IndexOf(GetCellEx(ACol, ARow)) + 1;
    if (next >= options->Count()) next = 0;
    if (stored >= -1) g->SetCellIndex(next);
    g->SetCellVar(next);
    SetCellEx(ACol, ARow, options->Strings(next));
}

// ---- Balloons ------------------------------------------------------------------------------------
void TZvStringGrid::DropRidingBalloon(TCellGraphic* Graphic)
{
    if (!RidesBalloon(Graphic)) return;
    delete Graphic->CellBitmap();
    Graphic->SetCellBitmap(nullptr);
    Graphic->SetCellAngle(0);
}

void TZvStringGrid::AddBalloon(int ACol, int ARow, const String& Title, const String& Text, int Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    const bool carrier = g && kBalloonCarriers.Contains(g->CellType());
    if (g && !carrier) return;
    auto* lines = new TStringList;
    lines->Add(Title);
    lines->Add(Text);
    if (carrier) {
        DropRidingBalloon(g);
        g->SetCellAngle(1);
    } else {
        g = NewCellGraphic(ACol, ARow);
        g->SetCellType(TCellType::ctBalloon);
        g->SetCellAngle(0);
    }
    g->SetCellBitmap(lines);
    g->SetCellIndex(Icon);
}

bool TZvStringGrid::IsBalloon(int ACol, int ARow, String& Title, String& Text, int& Icon)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || (g->CellType() != TCellType::ctBalloon && !RidesBalloon(g))) return false;
    const auto* lines = dynamic_cast<TStringList*>(g->CellBitmap());
    Title = lines && lines->Count() > 0 ? lines->Strings(0) : String();
    Text = lines && lines->Count() > 1 ? lines->Strings(1) : String();
    Icon = g->CellIndex();
    return true;
}

void TZvStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (RidesBalloon(g))
        DropRidingBalloon(g);
    else
        RemoveCellGraphicOfType(ACol, ARow, TCellType::ctBalloon);
}

bool TZvStringGrid::HasBalloon(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, TCellType::ctBalloon); }

// ---- Expand buttons ------------------------------------------------------------------------------
void TZvStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctExpand);
    g->SetCellAngle(ExpandedHeight);
    g->SetCellIndex(RowHeights(ARow));
    g->SetCellVar(false);
}

// The expand kinds read their state from CellVar, which nodes use for a column index:
// only a real expand button is toggled or read.
TCellGraphic* TZvStringGrid::ExpandGraphic(int ACol, int ARow)
{
    TCellGraphic* g = BaseGraphic(ACol, ARow);
    return g && g->CellType() == TCellType::ctExpand ? g : nullptr;
}

bool TZvStringGrid::ToggleExpand(int ACol, int ARow)
{
    TCellGraphic* g = ExpandGraphic(ACol, ARow);
    if (!g) return false;
    g->SetCellVar(!g->CellVar().toBool());
    return g->CellVar().toBool();
}

bool TZvStringGrid::GetExpandState(int ACol, int ARow)
{
    const TCellGraphic* g = ExpandGraphic(ACol, ARow);
    return g && g->CellVar().toBool();
}

int TZvStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    const TCellGraphic* g = ExpandGraphic(ACol, ARow);
    if (!g) return DefaultRowHeight();
    return Expanded ? g->CellAngle() : g->CellIndex();
}

bool TZvStringGrid::HasExpand(int ACol, int ARow) { return HasCellType(ACol, ARow, TCellType::ctExpand); }

void TZvStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctExpand); }

TRect TZvStringGrid::ExpandButtonRect(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow)) return TRect{};
    const TRect cell = CellRect(DisplColIndex(ACol), ARow);
    return TRect{cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13};
}

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::NumNodes() const { return d->FNumNodes; }
