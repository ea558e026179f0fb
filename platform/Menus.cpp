#include "platform/Menus.h"

#include "platform/Controls.h"
#include "platform/Seams.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <algorithm>
#include <map>

// ---- TMenuItem ---------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent) FParent->Remove(this);
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this) return;
    if (item->FParent) item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Clear()
{
    // Each sub-item leaves the list as it is deleted.
    while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick) OnClick(this);
}

// ---- TPopupMenu ----------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y)
{
    FPopupPoint = {x, y};
    if (OnPopup) OnPopup(this);
    Seams().PopupMenu(this, x, y);
}

// ---- The real menu -----------------------------------------------------------------------

namespace {

void FillMenu(QMenu& menu, const TMenuItem& parent, std::map<QAction*, TMenuItem*>& actions)
{
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(item->Caption());
            sub->setEnabled(item->Enabled());
            FillMenu(*sub, *item, actions);
            continue;
        }
        QAction* action = menu.addAction(item->Caption());
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked());
        action->setChecked(item->Checked());
        actions[action] = item;
    }
}

} // namespace

void ShowPopupMenuWindow(TPopupMenu& menu, int x, int y)
{
    QMenu qmenu;
    std::map<QAction*, TMenuItem*> actions;
    FillMenu(qmenu, *menu.Items(), actions);
    QAction* chosen = qmenu.exec(QPoint(x, y));
    auto it = actions.find(chosen);
    if (it == actions.end()) return;
    TMenuItem* item = it->second;
    RunGuarded(&menu, [&] { item->Click(); });
}
