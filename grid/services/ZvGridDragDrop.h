#pragma once
// Drag and drop of the grid: its settings, its drop target (which turns
// drops into cells, rows and column moves, with arrow markers and scrolling
// while a drag passes over) and its drop source (which moves the drag
// picture), the drag start from a pressed selection, and the column being
// dragged out of a column list (its column, its index in the list, the list).

#include "grid/ZvGridOptions.h"
#include "grid/services/ZvGridOleDragDrop.h"
#include "grid/services/ZvGridService.h"

#include <functional>
#include <memory>

class TForm;
class TZvStringGrid;

class TGridDropTarget : public TASGDropTarget {
public:
    explicit TGridDropTarget(TZvStringGrid* AGrid) : FGrid(AGrid) {}

protected:
    void DropText(TPoint Pt, const String& S) override;
    void DropStream(TPoint Pt, QBuffer* Stream) override;
    void DropCol(TPoint Pt, int Col) override;
    void DropRTF(TPoint Pt, const String& S) override;
    void DropFiles(TPoint Pt, const std::vector<String>& Files) override;
    void DropURL(TPoint Pt, const String& S) override;
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats) override;
    void DragMouseLeave() override;

private:
    // The cell under a screen point; Append: below the last row in append mode.
    TGridCoord TargetCell(TPoint Pt, bool ColumnDrag, bool& Append) const;
    void HideMarkers();
    void StoreInCell(TPoint Pt, const String& S,
                     const std::function<void(TObject*, int, int, const String&, bool&)>& Event);
    TZvStringGrid* FGrid;
};

class TGridDropSource : public TASGDropSource {
public:
    explicit TGridDropSource(TZvStringGrid* AGrid) : FGrid(AGrid) {}
    DWORD LastEffect() const { return FLastEffect; }

protected:
    void CurrentEffect(DWORD Effect) override;
    void QueryDrag() override;
    void DragStopped() override;

private:
    TZvStringGrid* FGrid;
    DWORD FLastEffect = DROPEFFECT_NONE;
};

class TZvGridDragDrop : public TZvGridService {
public:
    explicit TZvGridDragDrop(TZvStringGrid* AGrid);
    ~TZvGridDragDrop();

private:
    friend class TZvStringGrid;
    friend class TGridDropTarget;
    friend class TGridDropSource;
    bool RegisterTarget();
    void RevokeTarget();

    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TGridDropTarget> FGridDropTarget;
    TObject* FOleDragList = nullptr;
    int FOleDragIndex = -1;
    int FOleDragCol = -1;
    // The rectangle this grid started to drag; the cells it dropped on itself (Left -1: none).
    TGridRect FDropSelection{-1, -1, -1, -1};
    TGridRect FDroppedOnSelf{-1, -1, -1, -1};
    bool FDragging = false;
    // The picture of the dragged cells while they are dragged.
    TForm* FCellImage = nullptr;
};
