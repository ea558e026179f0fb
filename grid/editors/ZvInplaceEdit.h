#pragma once
// The grid's text editor: the edit field over a cell for every text kind of
// editor, with its character filter per kind, paste filtering, look-up
// completion and validation before the caret leaves the cell.

#include "grid/editors/ZvCellEditor.h"
#include "platform/Grids.h"

class TZvStringGrid;

class TZvInplaceEdit : public TInplaceEdit, public TZvCellEditor {
public:
    // The owner must be a TZvStringGrid; another one raises "Invalid class typecast".
    explicit TZvInplaceEdit(TCustomGrid* AOwner);

    // ---- The cell editor (the text kinds) ----
    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    String EditorText() override { return Text(); }
    void EndCellEdit() override { HideEditor(); }
    TInplaceEdit* AsInplaceEdit() override { return this; }

    TZvStringGrid* ZvGrid() const { return FGrid; }
    bool VAlign() const { return FValign; }
    void SetVAlign(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int value);
    // The cell the editor was last loaded for (displayed column, row).
    int EditCol() const { return FColE; }
    int EditRow() const { return FRowE; }
    // Look-up completion is active (off after Backspace or Delete went down).
    bool Workmode() const { return Workmode_; }

    // Loads the current cell: text, colour, font and alignment; no edit-change
    // event fires while loading.
    void UpdateContents() override;
    // Places the editor over the current cell.
    void Move(const TRect& Loc) override;

    // Whether the text of one editor kind accepts the whole text (as a paste would give it).
    static bool AcceptsText(int Kind, const String& Text, const String& ValidChars);

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DblClick() override;
    void WMSetFocus(TWMSetFocus& Message) override;
    void WMKillFocus(TWMKillFocus& Message) override;
    void Change() override;

private:
    // ---- Keys ----
    // After a refused validation: the text validation left, selected or with the caret after it.
    void ReloadAfterReject(const String& Saved);
    // Writes the text into the current cell and validates it; false when refused.
    bool WriteAndValidate(const String& Text);
    // Ends the edit through the grid; the text stays what it is now.
    void EndEdit();
    // The kind's filter for one typed character: false drops it (Key may change).
    bool FilterChar(QChar& Key);
    void LookupComplete();
    bool CaretInFirstLine() const;
    bool CaretInLastLine() const;
    // ---- Clipboard ----
    void Paste();
    bool ClipboardAllowed(bool Cut);
    int Kind() const;

    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    bool GotKey = false;
    bool FGotFocus = false;
    bool Workmode_ = true;
    TZvStringGrid* FGrid;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
    // The Enter being handled was validated on its way down already: accepted
    // (its key press goes on without a second validation) or refused (its key press is dropped).
    enum class TEnterState { None, Accepted, Refused };
    TEnterState FEnterState = TEnterState::None;
};
