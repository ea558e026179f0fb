#pragma once
// The gallery's window of two grids side by side, each a drag source and a
// drop target: cells selected in one are dragged into the other, moved
// unless Ctrl is held.

#include "platform/Forms.h"

class TZvStringGrid;

class TGalleryDragDropForm : public TForm {
public:
    explicit TGalleryDragDropForm(TComponent* AOwner);
    TZvStringGrid* Left = nullptr;
    TZvStringGrid* Right = nullptr;
};
