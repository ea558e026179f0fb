// Drag and drop: the service's state and the grid's members that front it.

#include "grid/services/ZvGridDragDrop.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridDragDrop::TZvGridDragDrop(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FDragDropSettings(std::make_unique<TDragDropSettings>(AGrid))
{
}

TZvGridDragDrop& TZvStringGrid::DragDropService() const { return MadeOnFirstUse(d->FDragDropService, this); }

TDragDropSettings* TZvStringGrid::DragDropSettings() const { return DragDropService().FDragDropSettings.get(); }
void TZvStringGrid::SetDragDropSettings(TDragDropSettings* Value) { DragDropSettings()->Assign(Value); }

void TZvStringGrid::OleColumnDragStart(int ACol, int AIndex, TObject* AList)
{
    DragDropService().FOleDragCol = ACol;
    DragDropService().FOleDragIndex = AIndex;
    DragDropService().FOleDragList = AList;
}
