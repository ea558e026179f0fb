// Layout persistence: the service's state and the grid's members that front it.

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

void TZvStringGrid::SaveColPositions() {}

void TZvStringGrid::LoadColPositions() {}

void TZvStringGrid::LoadColSizes() {}

void TZvStringGrid::SaveColSizes() {}
