#pragma once
// The gallery's window of the drop-down cell editors: a grid whose columns
// edit with the track bar, memo, calculator, time picker, detail list,
// multi-column list, grid, colour and image drop-downs.

#include "platform/Forms.h"

class TZvStringGrid;

class TGalleryDropDownEditorsForm : public TForm {
public:
    explicit TGalleryDropDownEditorsForm(TComponent* AOwner);
    TZvStringGrid* Grid = nullptr;
};
