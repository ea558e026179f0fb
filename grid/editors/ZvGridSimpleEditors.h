#pragma once
// The small editors the string grid's constructor creates for its fixed cells:
// the edit box and the combo. Each is the smallest control that lets the grid
// create, place, hide and free it and receive its notifications.

#include "platform/StdCtrls.h"

// The edit box and combo over fixed cells. StopEdit ends the edit; false
// keeps the editor open.
class TGridTransEdit : public TEdit {
public:
    using TEdit::TEdit;
    virtual bool StopEdit() { return true; }
};

class TGridTransCombo : public TComboBox {
public:
    using TComboBox::TComboBox;
    virtual bool StopEdit() { return true; }
};
