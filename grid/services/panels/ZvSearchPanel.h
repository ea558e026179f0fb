#pragma once
// The search bar below the cells: a one-line edit, find-next, find-previous,
// highlight and close buttons and a match-case box. It only turns the user's
// actions into its events; the grid binds them to its search handlers and
// reads the edit, the highlight button and the box back.

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

class TZvStringGrid;
class TZvGridButton;
class TZvCheckBox;

// The search edit: Enter finds (with Ctrl backwards) and never becomes a line break.
class TRetEdit : public TEdit {
public:
    using TEdit::TEdit;

    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;
};

class TSearchPanel : public TPanel {
public:
    TSearchPanel(TComponent* AOwner, TZvStringGrid* AGrid);
    ~TSearchPanel() override;

    TZvStringGrid* Grid() const { return FGrid; }
    TRetEdit* SearchEdit() const { return FEdit; }
    TZvGridButton* ForwardButton() const { return FForward; }
    TZvGridButton* BackwardButton() const { return FBackward; }
    TZvGridButton* ExitButton() const { return FExit; }
    TZvGridButton* HighlightButton() const { return FHighlight; }
    TZvCheckBox* MatchCaseBox() const { return FMatchCase; }

    // The gradient's end colour at the bottom; clNone paints Color alone.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);

    const String& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& Value);
    const String& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& Value);
    const String& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& Value);
    const String& HighlightCaption() const { return FHighlightCaption; }
    void SetHighlightCaption(const String& Value);
    void SetHints(const String& FindNext, const String& FindPrev, const String& Close, const String& Highlight);
    // Shows the controls the footer asks for and puts each in its place.
    void ShowControls(bool FindNext, bool FindPrev, bool HighLight, bool MatchCase, bool Close);
    void SetFlatButtons(bool Value);
    // Puts every control at its place, mirrored for right-to-left reading.
    void LayoutControls();

    TNotifyEvent OnEditChange;
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighlightClick;

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    void EditChanged();

    TZvStringGrid* FGrid;
    TRetEdit* FEdit;
    TZvGridButton* FForward;
    TZvGridButton* FBackward;
    TZvGridButton* FExit;
    TZvGridButton* FHighlight;
    TZvCheckBox* FMatchCase;
    TColor FColorTo = clNone;
    String FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighlightCaption;
};
