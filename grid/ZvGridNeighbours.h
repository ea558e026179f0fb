#pragma once
// The editors that the string grid's constructor creates but whose behaviour
// lives with the editors. Each is the smallest control that lets the grid
// create, place, hide and free it and receive its notifications.

#include "grid/ZvPictureContainer.h"
#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridCheckBox.h"
#include "grid/editors/ZvGridCombo.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/services/panels/ZvFilterDropLists.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvHeaderDragButton.h"
#include "grid/services/panels/ZvScrollControl.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

class TZvStringGrid;

// ---- Editors the constructor creates -------------------------------------------------
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

