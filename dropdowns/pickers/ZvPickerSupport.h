#pragma once
// What the picking drop-downs (detail, image, colour) share: their item
// collections, the caption search typed on the keys, the guard that marks a
// selection move as the control's own, and the system's scroll-bar width.

#include "platform/Classes.h"
#include "platform/Messages.h"
#include "platform/ScopeGuard.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"

#include <memory>
#include <vector>

class QWidget;
class TCanvas;
class TTimer;
class TZvCustomItemSelector;

// Paints in place of a control's own drawing of its selected item.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

// A collection whose items report a change of what they show through
// NotifyChange (OnChange, Sender = the collection).
class TPickerCollection : public TPersistent {
public:
    explicit TPickerCollection(TPersistent* AOwner) : FMyOwner(AOwner) {}
    TPersistent* GetOwner() const { return FMyOwner; }
    void NotifyChange()
    {
        if (FOnChange) FOnChange(this);
    }
    TNotifyEvent& OnChange() { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = std::move(value); }

private:
    TPersistent* FMyOwner;
    TNotifyEvent FOnChange;
};

// The typed operations over items of one class; TItem is built from the collection.
template <class TItem>
class TPickerItems : public TPickerCollection {
public:
    using TPickerCollection::TPickerCollection;
    int Count() const { return int(FItems.size()); }
    TItem* Add() { return Insert(Count()); }
    TItem* Insert(int index)
    {
        if (index < 0 || index > Count()) RaiseIndex(index);
        FItems.insert(FItems.begin() + index, NewItem());
        NotifyChange();
        return FItems[std::size_t(index)].get();
    }
    void Delete(int index)
    {
        if (index < 0 || index >= Count()) RaiseIndex(index);
        FItems.erase(FItems.begin() + index);
        NotifyChange();
    }
    void Clear()
    {
        FItems.clear();
        NotifyChange();
    }
    TItem* GetItem(int index) const
    {
        if (index < 0 || index >= Count()) RaiseIndex(index);
        return FItems[std::size_t(index)].get();
    }
    TItem* operator[](int index) const { return GetItem(index); }
    void SetItem(int index, TItem* value) { GetItem(index)->Assign(value); }
    // The same number of items, each assigned from its counterpart.
    void Assign(TPersistent* source) override
    {
        auto* other = dynamic_cast<TPickerItems<TItem>*>(source);
        if (!other) {
            TPersistent::Assign(source);
            return;
        }
        if (other == this) return;
        FItems.clear();
        for (int i = 0; i < other->Count(); ++i) {
            FItems.push_back(NewItem());
            FItems.back()->Assign(other->GetItem(i));
        }
        NotifyChange();
    }

protected:
    // A new item of the collection's item class.
    virtual std::unique_ptr<TItem> NewItem() { return std::make_unique<TItem>(this); }

private:
    [[noreturn]] static void RaiseIndex(int index)
    {
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    std::vector<std::unique_ptr<TItem>> FItems;
};

// The letters typed for a caption search. A letter key adds its upper-case
// letter; the text is forgotten when the timer (500 ms) runs out. With
// `restartEachKey` every key starts the time again, else only the first key
// of a burst does. Pure modifier keys add nothing.
class TPickerSearch {
public:
    TPickerSearch(TComponent* owner, bool restartEachKey);
    ~TPickerSearch();
    const String& Text() const { return FText; }
    void Add(WORD key);
    TTimer* Timer() const { return FTimer.get(); }

private:
    void Elapsed();
    std::unique_ptr<TTimer> FTimer;
    String FText;
    bool FRestartEachKey;
};

// Runs `step` with `flag` set: a selection the control moves itself, which
// must not close its pop-up.
template <class TStep>
void AsInternalCall(bool& flag, TStep&& step)
{
    const bool was = flag;
    flag = true;
    const TScopeExit restore([&] { flag = was; });
    step();
}

// The steps of an item list's SelectFirst, SelectLast, SelectNext and
// SelectPrevious. Next and Previous from no selection go to the first item;
// a step past either end, or any step in an empty list, stays where it is.
enum class TListStep { First, Last, Next, Previous };
// The index the step selects among `count` items from `current`; -1 to stay.
int ListStepTarget(TListStep step, int current, int count);
template <class TList>
void SelectListStep(TList& list, TListStep step, int count)
{
    const int target = ListStepTarget(step, list.ItemIndex(), count);
    if (target >= 0) list.SetItemIndex(target);
}

// Moves the selector's selection to `index` as the control's own move and
// scrolls it into view; nothing when `index` is not one of its items.
void MoveSelectorTo(TZvCustomItemSelector& selector, bool& internalCall, int index);

// Page Up (`down` false) or Page Down from the selector's selection by its
// visible item count, held within 0 and `count` - 1; -1 when no page fits.
int SelectorPageTarget(const TZvCustomItemSelector& selector, bool down, int count);

// Paints over a Qt widget that paints itself (the edit's line edit): run
// while the widget's own paint event is handled, after it painted.
void PaintOverWidget(QWidget* widget, const std::function<void(TCanvas&)>& paint);

// The width of the system's vertical scroll bar.
int VerticalScrollBarWidth();
