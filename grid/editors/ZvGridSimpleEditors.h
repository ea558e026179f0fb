#pragma once
// The small editors the string grid's constructor creates: the edit box and
// combo that edit fixed cells, and the cell button. Each is the smallest
// control that lets the grid create, place, hide and free it and receive its
// notifications.

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

class TGridButton : public TButton {
public:
    using TButton::TButton;
};
