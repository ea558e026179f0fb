#pragma once
// Drag and drop: its settings, the grid's drop target, and the column being
// dragged out of a column list (its column, its index in the list, the list).

#include "grid/ZvGridOptions.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TGridDropTarget;

class TZvGridDragDrop : public TZvGridService {
public:
    explicit TZvGridDragDrop(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    TGridDropTarget* FGridDropTarget = nullptr;
    TObject* FOleDragList = nullptr;
    int FOleDragIndex = -1;
    int FOleDragCol = -1;
};
