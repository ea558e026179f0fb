#pragma once
// TZvMemoDropDown: an edit whose pop-up holds a multi-line memo. The lines
// live in MemoText; the edit shows all of them, or, when it is not editable,
// the first line cut to fit (with "..." when more follow). Enter and the
// arrows stay in the memo; Escape closes discarding the memo's edits, F4 and
// Alt+Up/Down close keeping them.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "platform/Grids.h"
#include "platform/ScopeGuard.h"

class TMemo;
class TPopupMenu;
class TStringList;

class TZvMemoDropDown : public TZvCustomDropDown {
public:
    explicit TZvMemoDropDown(TComponent* AOwner);
    ~TZvMemoDropDown() override;

    TStringList* MemoText() const { return FLines.get(); }
    void SetMemoText(TStringList* value);
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* value) { FMemoPopup = value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle value) { FMemoScrollBars = value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool value);
    bool AutoDrop = false;
    TMemo* Memo() const { return FMemo; }

    // The edit's text as the text kinds read it.
    String Text() const { return TZvCustomDropDown::Text(); }
    // The edit's change: unless the memo drop-down writes the edit itself, the
    // lines take the edit's text; then OnChange.
    void ChangeHook();

    TNotifyEvent OnMemoChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void CloseDropDownForm(bool CancelChanges) override;
    void DropDownFormHidden() override;
    void ControlKeyDown(WORD& Key, TShiftState Shift) override;
    void ControlKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    void DoEnter() override;
    void Change() override { ChangeHook(); }

private:
    void UpdateEditFromMemo();
    void WriteEdit(const String& text);

    std::unique_ptr<TStringList> FLines;
    TMemo* FMemo = nullptr;
    TPopupMenu* FMemoPopup = nullptr;
    TScrollStyle FMemoScrollBars = TScrollStyle::ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
};
