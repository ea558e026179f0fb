// Layout persistence: the service's state and the grid's members that front it.
// Not built yet (each raises through NotBuilt): SaveColPositions, LoadColPositions, LoadColSizes, SaveColSizes.

#include "grid/services/ZvGridLayout.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridLayout::TZvGridLayout(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FColumnSize(std::make_unique<TColumnSize>(AGrid)),
      FColSizes(std::make_unique<TIntList>())
{
}

TZvGridLayout& TZvStringGrid::LayoutService() const { return MadeOnFirstUse(d->FLayoutService, this); }

TColumnSize* TZvStringGrid::ColumnSize() const { return LayoutService().FColumnSize.get(); }
void TZvStringGrid::SetColumnSize(TColumnSize* Value) { ColumnSize()->Assign(Value); }

void TZvStringGrid::SaveColPositions() { NotBuilt("SaveColPositions"); }

void TZvStringGrid::LoadColPositions() { NotBuilt("LoadColPositions"); }

void TZvStringGrid::LoadColSizes() { NotBuilt("LoadColSizes"); }

void TZvStringGrid::SaveColSizes() { NotBuilt("SaveColSizes"); }
