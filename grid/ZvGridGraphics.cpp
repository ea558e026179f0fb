// Cell graphics: finding, sizing and placing the graphic a cell carries.

#include "grid/ZvGrid.h"

TPoint TZvStringGrid::GetCellGraphicSize(int, int) { return TPoint{}; }
void TZvStringGrid::CellGraphicExtent(int, int, TPoint&, int) {}
void TZvStringGrid::PrintCellGraphicExtent(int, int, double, int, int, TPoint&) {}
int TZvStringGrid::RowIndent(int) { return 0; }
bool TZvStringGrid::HasNodes() { return false; }
void TZvStringGrid::FireGetDisplText(int ACol, int ARow, String& Value)
{
    TBaseGrid::FireGetDisplText(ACol, ARow, Value);
}

TIntList* TZvStringGrid::GetCellImages(int, int) { return nullptr; }
int TZvStringGrid::CellImageKey(int, int) { return 0; }
namespace {
// The virtual and row check boxes are shared objects handed out for many cells.
bool IsSharedGraphic(const TCellGraphic* g)
{
    return g->CellType() == TCellType::ctVirtCheckBox || g->CellType() == TCellType::ctRowCheckBox;
}
}  // namespace

void TZvStringGrid::AttachNewCellGraphic(int ACol, int ARow)
{
    if (auto* old = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
        SetGraphicObjectEx(ACol, ARow, nullptr);
        if (!IsSharedGraphic(old)) delete old;
    }
    SetGraphicObjectEx(ACol, ARow, new TCellGraphic);
    if (FNumHidden > 0 && DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZvStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    auto* graphic = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    if (!graphic) return false;
    if (TCellProperties* props = dynamic_cast<TCellProperties*>(GetGridObject(ACol, ARow)))
        props->SetGraphicObject(nullptr);
    if (!IsSharedGraphic(graphic)) delete graphic;
    if (!FDestroying) RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TZvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind)
{
    const auto* graphic = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    if (!graphic || graphic->CellType() != Kind) return false;
    return RemoveCellGraphic(ACol, ARow);
}
void TZvStringGrid::CellGraphicLayout(int, int, TCellGraphic*&, int&, int&, TCellHAlign&, TCellVAlign&, bool&) {}
void TZvStringGrid::RepaintActiveCellHeaders(int, int, int, int) {}
void TZvStringGrid::PaintCellGraphic(TCanvas*, int, int, TRect, int) {}

TCellType TZvStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return TCellType::ctEmpty;
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    return graphic ? graphic->CellType() : TCellType::ctEmpty;
}

TCellGraphic* TZvStringGrid::GetCellGraphic(int ACol, int ARow)
{
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

TCustomImageList* TZvStringGrid::CellImageList() { return FGridImages; }

void TZvStringGrid::SetGridImages(TCustomImageList* Value)
{
    if (FGridImages == Value) return;
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (FGridImages) FGridImages->FreeNotification(this);
}
