#pragma once
// A cell editor: the control the grid lays over the current cell while it is
// edited. The grid finds the editor of a cell's kind in the registry
// (ZvCellEditorRegistry.h), begins the edit with the cell's text, and ends it
// when the user leaves the cell or when the editor calls one of the grid's
// three ending calls:
//   CommitEdit  the editor's value goes into the cell and the edit ends (an
//               editor that holds no value, like a check box, writes nothing);
//   RejectEdit  the edit ends and nothing is written: the cell keeps the text
//               it holds now;
//   CancelEdit  the edit ends and the cell gets back the text it had when the
//               edit began.
// An editor reaches the grid only through the grid's public members; it never
// writes the grid's state. The grid owns the editor's control as a component.

#include "platform/Controls.h"
#include "platform/Messages.h"

class TZvStringGrid;
class TInplaceEdit;

// What the grid hands an editor when an edit begins.
struct TZvCellEditStart {
    int Col = 0;       // displayed column
    int Row = 0;
    int RealCol = 0;   // the column in the store
    TRect Cell;        // the cell's rectangle in the grid's client area
    String Text;       // the cell's text as it is edited (tags stripped unless the grid edits them)
    TColor Color = clWindow;  // the cell's own background, which the editor takes over
    QChar StartChar;   // the character typed to open the edit; null when none was
};

// What a picking editor holds now: a colour picker its colour and the
// colour's text, an image picker its item index. Editors that pick nothing
// leave the defaults.
struct TZvPickedValue {
    TColor Color = clNone;
    String Text;
    int ItemIndex = -1;
};

class TZvCellEditor {
public:
    virtual ~TZvCellEditor() = default;

    // The control the grid places, shows, hides and focuses.
    virtual TWinControl* EditorControl() = 0;
    // Places the control over Start.Cell, loads Start.Text, shows and focuses it.
    virtual void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) = 0;
    // The text the editor holds now; a commit writes it into the cell.
    virtual String EditorText() = 0;
    // Hides and disables the control; the grid has already written what it writes.
    virtual void EndCellEdit() = 0;
    // Writes the editor's value into the cell (real column) as the edit ends;
    // most editors write their text, a picker may write a colour or a picture.
    virtual void StoreCellValue(TZvStringGrid* Grid, int RealCol, int Row);
    virtual TZvPickedValue PickedValue() { return {}; }
    // The keys the editor keeps for itself instead of the form's focus moves (DLGC_ codes).
    virtual LRESULT WantedKeys() { return EditorControl()->Perform(WM_GETDLGCODE); }

    // ---- What the kind is like ----
    // Whether ending the edit writes the editor's text at all. A check box or a
    // button shows the cell but holds no value of its own; such an editor is
    // hidden whenever the edit ends, a writing one only while it is open.
    virtual bool WritesCell() const { return true; }
    // Whether the editor can open on the grid now (an edit link needs the grid to hold one);
    // when it cannot, the grid opens nothing and leaves no edit behind.
    virtual bool CanBegin(TZvStringGrid* Grid) { return (void)Grid, true; }
    // Whether the editor holds a value to write now (a list that only shows its
    // preselected entry does not).
    virtual bool HasValue() { return true; }
    // Whether the grid reports the control as its EditCtrl while the edit is open.
    virtual bool IsEditCtrl() const { return true; }
    // Whether a change notification (EN_CHANGE) from Sender is written into the
    // cell as it happens, while the edit is open.
    virtual bool WritesThrough(const TControl* Sender) { return Sender == EditorControl(); }
    // The platform grid's own text editor when this editor is it: the grid then
    // opens and hides it through the platform grid's editor steps.
    virtual TInplaceEdit* AsInplaceEdit() { return nullptr; }
    // A control notification (WM_COMMAND) that reached the grid while this editor
    // exists, with the control that sent it (nullptr for an unknown window). Every
    // editor of the grid hears every notification; most ignore them.
    virtual void GridCommand(TZvStringGrid* Grid, const TControl* Sender, WORD Code)
    {
        (void)Grid, (void)Sender, (void)Code;
    }

    // ---- Steps most editors share ----
    // The grid an editor is made for: its owner, which must be a TZvStringGrid
    // (another owner raises "Invalid class typecast").
    static TZvStringGrid* OwningGrid(TComponent* AOwner);
    // Lays the control over the cell, inside the cell's grid lines.
    static void PlaceOverCell(TWinControl* Control, const TRect& Cell);
    // Focuses the control and hands it the character that opened the edit.
    static void FocusWithStartChar(TWinControl* Control, QChar StartChar);
    // Ends the edit (the value stored) and gives the grid the focus.
    static void LeaveToGrid(TZvStringGrid* Grid);
    // Leaves to the grid and tabs on to the next cell, backwards while Shift is held.
    static void TabToNextCell(TZvStringGrid* Grid);
    // Disables and hides the control: the end of an edit for most editors.
    static void DisableAndHide(TWinControl* Control);
};
