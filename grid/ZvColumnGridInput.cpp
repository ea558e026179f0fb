// Column moves, widths, the column popup menus, the inplace editor's limits
// and the references the items hold to other components.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGridPrivate.h"
#include "platform/Menus.h"

#include <cmath>

void TZvColumnGrid::ColumnMovedHook(int FromIndex, int ToIndex)
{
    TNoRecursiveUpdateScope scope(FColumns.get());
    const int top = TopRow();
    const int from = RealColIndex(FromIndex);
    const int to = RealColIndex(ToIndex);
    TZvStringGrid::ColumnMovedHook(FromIndex, ToIndex);
    BeginUpdate();
    FColMoving = true;
    // The item itself travels with its column, so every setting it holds
    // (popup type and print settings included) stays with it.
    if (from >= 0 && from < FColumns->Count() && to >= 0 && to < FColumns->Count() && from != to) {
        std::unique_ptr<TGridColumnItem> item = FColumns->Extract(from);
        FColumns->FItems.insert(FColumns->FItems.begin() + to, std::move(item));
    }
    if (top >= FixedRows() && top < RowCount()) SetTopRow(top);
    FColMoving = false;
    EndUpdate();
    if (OnAfterColumnMoved) OnAfterColumnMoved(this, from, to);
}

void TZvColumnGrid::MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvStringGrid::MouseDownHook(Button, Shift, X, Y);
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0) return;
    TGridColumnItem* item = ItemOf(RealColIndex(col));
    if (!item || !item->ColumnPopup()) return;
    const TColumnPopupType type = item->ColumnPopupType();
    const bool fixedRow = row < FixedRows();
    bool pops = false;
    if (Button == TMouseButton::mbLeft) {
        if (type != TColumnPopupType::cpFixedCellsLClick && type != TColumnPopupType::cpNormalCellsLClick &&
            type != TColumnPopupType::cpAllCellsLClick)
            return;
        pops = fixedRow ? type != TColumnPopupType::cpNormalCellsLClick
                        : type != TColumnPopupType::cpFixedCellsLClick;
    } else if (Button == TMouseButton::mbRight) {
        if (type != TColumnPopupType::cpFixedCellsRClick && type != TColumnPopupType::cpNormalCellsRClick &&
            type != TColumnPopupType::cpAllCellsRClick)
            return;
        pops = fixedRow ? type != TColumnPopupType::cpNormalCellsRClick
                        : type != TColumnPopupType::cpFixedCellsRClick;
    } else {
        return;
    }
    const TRect r = TCustomGrid::CellRect(col, row);
    const TPoint at = ClientToScreen(TPoint{r.Left, r.Bottom});
    if (OnColumnPopup) OnColumnPopup(this, col, row, item->ColumnPopup());
    // The handler may have put another menu on the item, or none.
    TPopupMenu* menu = item->ColumnPopup();
    if (!pops || !menu) return;
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
}

void TZvColumnGrid::ComponentRemovedHook(TComponent* AComponent, TOperation Operation)
{
    TZvStringGrid::ComponentRemovedHook(AComponent, Operation);
    if (Operation != TOperation::opRemove || !FColumns) return;
    for (const auto& item : FColumns->FItems) {
        if (item->EditLink() == AComponent) item->SetEditLink(nullptr);
        if (item->ColumnPopup() == AComponent) item->SetColumnPopup(nullptr);
    }
}

String TZvColumnGrid::GetEditMask(int ACol, int ARow)
{
    const String own = TZvStringGrid::GetEditMask(ACol, ARow);
    if (!own.isEmpty()) return own;
    if (Col() >= FixedCols() && Col() < FColumns->Count())
        if (TGridColumnItem* item = ItemOf(RealColIndex(Col()))) return item->EditMask();
    return own;
}

int TZvColumnGrid::GetEditLimit()
{
    if (Col() >= FixedCols() && Col() < FColumns->Count())
        if (TGridColumnItem* item = ItemOf(RealColIndex(Col()))) return item->EditLength();
    return TZvStringGrid::GetEditLimit();
}

void TZvColumnGrid::ScaleChangeHook(int M, int D)
{
    TZvStringGrid::ScaleChangeHook(M, D);
    if (M == D || D == 0 || d->FDesignTime) return;
    for (const auto& item : FColumns->FItems) {
        item->Font()->SetSize(int(std::lround(double(item->Font()->Size()) * M / D)));
        item->HeaderFont()->SetSize(int(std::lround(double(item->HeaderFont()->Size()) * M / D)));
    }
}
