#pragma once
// The header filter drop-down lists: a pick list and a check list for several
// values. The grid shows one below a filter button, fills it from the
// column's filter values and hands every choice to its filtering.

#include "platform/Controls.h"

#include <functional>
#include <vector>

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// What both lists share: the entries, drawn one per line, the current entry,
// and closing when the user turns elsewhere.
class TDropListBase : public TCustomControl {
public:
    explicit TDropListBase(TComponent* AOwner);
    ~TDropListBase() override;

    TStringList* Items() const { return FItems.get(); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int TopIndex() const { return FTopIndex; }
    int ItemHeight() const;
    // The entry at a client point, -1 for none.
    int ItemAtPos(int X, int Y) const;

    TDropSelectEvent OnSelect;
    // The list closed without a choice (the grid forgets its open filter column).
    TNotifyEvent OnCancel;

protected:
    void Paint() override;
    virtual void PaintItem(TCanvas& Canvas, int Index, const TRect& R);
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    void DoExit() override;
    void Cancel();
    void ScrollIntoView();

private:
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FTopIndex = 0;
};

class TDropList : public TDropListBase {
public:
    using TDropListBase::TDropListBase;

protected:
    void KeyPress(QChar& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Choose();
};

// Stays open while entries are ticked; each tick or clearing fires OnSelect with -1.
class TDropCheckList : public TDropListBase {
public:
    using TDropListBase::TDropListBase;

    bool Checked(int Index) const;
    // Code setting a tick fires nothing.
    void SetChecked(int Index, bool Value);
    void ClearChecks() { FChecked.clear(); }

protected:
    void PaintItem(TCanvas& Canvas, int Index, const TRect& R) override;
    void KeyPress(QChar& Key) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Toggle(int Index);
    std::vector<bool> FChecked;
};
