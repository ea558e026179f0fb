#pragma once
// The grid's rich edit, in two roles: the editor shown over edRichEdit cells,
// and the grid's hidden converter, never shown, that holds a cell's rich text
// to read or measure it. A cell keeps its rich text as the RTF document
// itself, one character per byte (platform/RichText.h reads and writes it).
//
// The editor grows its row while the user types when the grid's
// SizeWhileTyping.Height is on, except while the grid loads a cell into it
// (LockResize), so that opening a long text does not resize anything.

#include "grid/editors/ZvCellEditor.h"
#include "platform/RichEdit.h"

class TZvStringGrid;

class TZvRichEdit : public TRichEdit, public TZvCellEditor {
public:
    // AOwner must be a TZvStringGrid.
    explicit TZvRichEdit(TComponent* AOwner);

    // Makes the control ready for another opening.
    void ReCreate();

    // The selection's shift from the baseline: 40 twips down, 40 up, none.
    void SelSubscript() { SetSelOffset(-SubSuperOffset); }
    void SelSuperscript() { SetSelOffset(SubSuperOffset); }
    void SelNormal() { SetSelOffset(0); }
    bool IsSelSubscript() const { return SelOffset() == -SubSuperOffset; }
    bool IsSelSuperscript() const { return SelOffset() == SubSuperOffset; }
    bool IsSelNormal() const { return SelOffset() == 0; }
    void SetSelOffset(int Twips);
    int SelOffset() const;

    void LockResize() { FLocked = true; }
    void UnlockResize() { FLocked = false; }
    bool Locked() const { return FLocked; }
    // The size the content last asked for (recorded by the grid's hidden converter only).
    int ReqHeight() const { return FReqHeight; }
    int ReqWidth() const { return FReqWidth; }
    bool IsConverter() const { return FConverter; }

    TZvStringGrid* Grid() const { return FGrid; }

    // ---- The cell editor (edRichEdit) ----
    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    // The rich text as the cell keeps it.
    String EditorText() override;
    void EndCellEdit() override;
    bool WritesThrough(const TControl*) override { return false; }

    // The grid's hidden converter, made on first use.
    static TZvRichEdit* ConverterOf(TZvStringGrid* Grid);

    static constexpr int SubSuperOffset = 40;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMKillFocus(TWMKillFocus& Message) override;
    void RequestSize(const TRect& Rect) override;

private:
    TZvStringGrid* FGrid = nullptr;
    int FReqHeight = 0;
    int FReqWidth = 0;
    bool FLocked = false;
    bool FConverter = false;
};
