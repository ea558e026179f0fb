#pragma once
// The windows, panels and editors that the string grid's constructor creates
// but whose behaviour lives with the editors and the grid services. Each is
// the smallest control that lets the grid create, place, hide and free it and
// receive its notifications; the editors and services grow them into the
// full controls.

#include "grid/support/ZvPictureContainer.h"
#include "grid/editors/ZvEditBtn.h"
#include "grid/editors/ZvGridCheckBox.h"
#include "grid/editors/ZvGridCombo.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

class TZvStringGrid;

// ---- Grid services' windows -------------------------------------------------------
// Paints the floating footer row below the cells.
class TFooterPanel : public TCustomControl {
public:
    TFooterPanel(TComponent* AOwner, TZvStringGrid* AGrid) : TCustomControl(AOwner), FGrid(AGrid) {}
    TZvStringGrid* Grid() const { return FGrid; }

private:
    TZvStringGrid* FGrid;
};

// The search bar below the cells; it hands its edits and clicks to the grid.
class TSearchPanel : public TCustomControl {
public:
    TSearchPanel(TComponent* AOwner, TZvStringGrid* AGrid) : TCustomControl(AOwner), FGrid(AGrid) {}
    TZvStringGrid* Grid() const { return FGrid; }

    TNotifyEvent OnEditChange;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnCloseClick;
    TNotifyEvent OnHighlightClick;

private:
    TZvStringGrid* FGrid;
};

// A thin scroll bar of the grid's own, for the ssMetro scroll type; Direction 0
// is vertical (at the right edge), 1 horizontal (at the bottom edge).
class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}
    int Direction = 0;
};

// The header filter drop-down list and check list; picking runs OnSelect.
class TDropList : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnSelect;
};

class TDropCheckList : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnSelect;
};

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

// The button drawn under the pointer while a column or row header is dragged.
class THeaderDragButton : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};
