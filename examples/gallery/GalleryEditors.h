#pragma once
// The gallery's window of the grid's cell editors no product window opens:
// a grid whose columns edit with the spin, date, time, date-and-time,
// edit-button and button editors, and a date-and-time picker with its label.

#include "platform/Forms.h"

class TZvStringGrid;
class TZvDateTimePicker;

class TGalleryEditorsForm : public TForm {
public:
    explicit TGalleryEditorsForm(TComponent* AOwner);
    TZvStringGrid* Grid = nullptr;
    TZvDateTimePicker* Picker = nullptr;
};
