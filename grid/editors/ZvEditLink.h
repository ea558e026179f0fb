#pragma once
// External edit links: any control of the application's own as a cell's
// editor. A link is a component the application derives from: it creates its
// control in CreateEditor, places it in SetRect, loads and reads it in
// SetEditorValue and GetEditorValue, and attaches EditKeyDown and EditExit
// to the control's key-down and exit events. A cell of the kind edCustom
// edits through the grid's EditLink (in a column grid, the column's).
//
// The grid opens the link: it tells it the grid and the cell, creates the
// control in the cell (esInplace) or on the link's pop-up window laid at the
// cell's top-left corner (esPopup), loads the cell's text and focuses it.
// The link ends the edit itself from EditKeyDown: the keys that leave a cell
// (Tab, Enter, Escape, the arrows, Page Up and Down, End, and any key with
// Alt) store the value and hand the grid the focus, unless the link wants
// the key (the WantKey flags); Escape first puts back the text from before
// the edit. The pop-up window belongs to the link: it is made on the first
// pop-up opening, reused after, and freed with the link.

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/WindowProc.h"

class TZvStringGrid;
class TForm;

enum class TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;

    // ---- What a derived link provides (the base class has no control) ----
    // The key rule below; a derived link attaches it as its control's OnKeyDown.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; } // the base class has no control
    virtual void CreateEditor(TWinControl* AParent) { (void)AParent; } // nothing to create in the base class
    virtual void DestroyEditor() {} // nothing to free in the base class
    // True: shows, enables and focuses the control; false: the grid takes the focus.
    virtual void SetFocus(bool Value);
    // Moves and sizes the control to R, less the grid's line width each way.
    virtual void SetRect(const TRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {} // the base class has no settings of its own to apply
    virtual void SetCellProps(TColor AColor, TFont* AFont) { (void)AColor, (void)AFont; } // no control to colour
    virtual String GetEditorValue() { return String(); }
    virtual void SetEditorValue(const String& S) { (void)S; } // no control to load

    // ---- Handlers offered to the control and the pop-up ----
    // The control lost the focus to another window: the value is stored and the editor hidden.
    void EditExit(TObject* Sender);
    // The pop-up window lost activation.
    void FormExit(TObject* Sender);

    // The grid's current cell (real column), and a text stored into it.
    String GetCellValue();
    void SetCellValue(const String& S);
    // Where the control lives: the pop-up window for esPopup, else the grid.
    TWinControl* GetParent();
    void HideEditor();
    void RestoreWinProc();

    // ---- Settings ----
    bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
    void SetWantKeyLeftRight(bool v) { FWantKeyLeftRight = v; }
    bool WantKeyUpDown() const { return FWantKeyUpDown; }
    void SetWantKeyUpDown(bool v) { FWantKeyUpDown = v; }
    bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
    void SetWantKeyHomeEnd(bool v) { FWantKeyHomeEnd = v; }
    bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
    void SetWantKeyPriorNext(bool v) { FWantKeyPriorNext = v; }
    bool WantKeyReturn() const { return FWantKeyReturn; }
    void SetWantKeyReturn(bool v) { FWantKeyReturn = v; }
    bool WantKeyEscape() const { return FWantKeyEscape; }
    void SetWantKeyEscape(bool v) { FWantKeyEscape = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }
    TEditStyle EditStyle() const { return FEditStyle; }
    void SetEditStyle(TEditStyle v) { FEditStyle = v; }
    int PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(int v) { FPopupWidth = v; }
    int PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(int v) { FPopupHeight = v; }
    bool AutoPopupWidth() const { return FAutoPopupWidth; }
    void SetAutoPopupWidth(bool v) { FAutoPopupWidth = v; }
    // A fixed screen position of the pop-up; -1 in either puts it at the cell.
    int PopupLeft() const { return FPopupLeft; }
    void SetPopupLeft(int v) { FPopupLeft = v; }
    int PopupTop() const { return FPopupTop; }
    void SetPopupTop(int v) { FPopupTop = v; }

    // ---- State the grid sets and reads ----
    // The grid the link serves now (set at each opening; not owned).
    TZvStringGrid* Grid() const { return FOwner; }
    void SetGrid(TZvStringGrid* Grid) { FOwner = Grid; }
    // The cell being edited (real column, row).
    TPoint EditCell() const { return FEditCell; }
    void SetEditCell(const TPoint& Cell) { FEditCell = Cell; }
    // The pop-up window, once an esPopup opening made it.
    TForm* PopupForm() const { return FPopupForm; }
    // Makes the pop-up window on first use; the link owns it.
    TForm* NeedPopupForm();
    bool ForcedExit() const { return FForcedExit; }
    bool SubClassed() const { return FSubClassed; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The link leaves the cell: the grid takes the focus, then stores the value and hides the editor.
    void Leave();

    TZvStringGrid* FOwner = nullptr;
    bool FWantKeyLeftRight = false;
    bool FWantKeyUpDown = false;
    bool FWantKeyHomeEnd = false;
    bool FWantKeyPriorNext = false;
    bool FWantKeyReturn = false;
    bool FWantKeyEscape = false;
    TEditStyle FEditStyle = TEditStyle::esInplace;
    TForm* FPopupForm = nullptr;
    int FPopupWidth = 0;
    int FPopupHeight = 0;
    bool FForcedExit = false;
    TPoint FEditCell{0, 0};
    bool FAutoPopupWidth = false;
    int FPopupLeft = -1;
    int FPopupTop = -1;
    bool FSubClassed = false;
    bool FOwnProc = true;   // the control ran its own procedure before the grid's
    bool FWantTabs = false;
};
