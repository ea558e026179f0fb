#pragma once
// Menu items and pop-up menus. A pop-up menu is shown through the seam
// (Seams().PopupMenu), so the product gets a real menu and tests see the
// request and pick an item without one.

#include "platform/Classes.h"
#include "platform/Types.h"

#include <vector>

// One entry of a menu; its sub-items make a sub-menu. A caption of "-" is a
// separator line. An item deletes the sub-items it still holds when it goes.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) { FCaption = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    bool IsLine() const { return FCaption == QStringLiteral("-"); }

    // ---- Sub-items ----
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without deleting it.
    void Remove(TMenuItem* item);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(std::size_t(index)); }
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return FParent; }

    // What choosing the item does: OnClick, when the item is enabled.
    virtual void Click();
    TNotifyEvent OnClick;

private:
    String FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    int FImageIndex = -1;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return FItems.get(); }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    // The component whose pop-up this is, while it is shown.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value) { FPopupComponent = value; }

    // Shows the menu at a screen point: notes the point, fires OnPopup, then
    // the menu runs (the chosen item's Click comes before Popup returns).
    virtual void Popup(int x, int y);
    // Where the menu was last popped up, in screen coordinates.
    TPoint PopupPoint() const { return FPopupPoint; }

    TNotifyEvent OnPopup;

private:
    std::unique_ptr<TMenuItem> FItems;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = TPopupAlignment::paLeft;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint{-1, -1};
};

// The real pop-up: a Qt menu at the screen point, modal until the user
// chooses or dismisses; the chosen item is clicked.
void ShowPopupMenuWindow(TPopupMenu& menu, int x, int y);
