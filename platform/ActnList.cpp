#include "platform/ActnList.h"

#include "platform/Controls.h"
#include "platform/ImgList.h"

#include <algorithm>

// ---- TBasicAction ------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    // The linked controls forget the action through their free notification.
    FClients.clear();
}

bool TBasicAction::Execute()
{
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TBasicAction::RegisterClient(TControl* client)
{
    if (!client || std::find(FClients.begin(), FClients.end(), client) != FClients.end()) return;
    FClients.push_back(client);
    FreeNotification(client);
}

void TBasicAction::UnRegisterClient(TControl* client)
{
    auto it = std::find(FClients.begin(), FClients.end(), client);
    if (it == FClients.end()) return;
    FClients.erase(it);
    RemoveFreeNotification(client);
}

void TBasicAction::Change()
{
    // A handler may unlink a control while we walk the list.
    const auto clients = FClients;
    for (TControl* c : clients)
        if (std::find(FClients.begin(), FClients.end(), c) != FClients.end()) c->ActionChange(this, false);
}

void TBasicAction::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    FClients.erase(std::remove(FClients.begin(), FClients.end(), component), FClients.end());
}

// ---- TCustomAction -----------------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TCustomAction::~TCustomAction()
{
    if (FActionList) FActionList->RemoveAction(this);
}

void TCustomAction::SetCaption(const String& value)
{
    if (value == FCaption) return;
    FCaption = value;
    Change();
}

void TCustomAction::SetEnabled(bool value)
{
    if (value == FEnabled) return;
    FEnabled = value;
    Change();
}

void TCustomAction::SetChecked(bool value)
{
    if (value == FChecked) return;
    FChecked = value;
    Change();
}

void TCustomAction::SetVisible(bool value)
{
    if (value == FVisible) return;
    FVisible = value;
    Change();
}

void TCustomAction::SetHint(const String& value)
{
    if (value == FHint) return;
    FHint = value;
    Change();
}

void TCustomAction::SetImageIndex(int value)
{
    if (value == FImageIndex) return;
    FImageIndex = value;
    Change();
}

void TCustomAction::SetActionList(TCustomActionList* value)
{
    if (value == FActionList) return;
    if (FActionList) FActionList->RemoveAction(this);
    if (value) value->AddAction(this);
    Change();
}

bool TCustomAction::Execute()
{
    return FEnabled && TBasicAction::Execute();
}

// ---- TCustomActionList -------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList()
{
    while (!FActions.empty()) RemoveAction(FActions.back());
}

void TCustomActionList::AddAction(TCustomAction* action)
{
    FActions.push_back(action);
    action->FActionList = this;
    FreeNotification(action);
}

void TCustomActionList::RemoveAction(TCustomAction* action)
{
    auto it = std::find(FActions.begin(), FActions.end(), action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    action->FActionList = nullptr;
    RemoveFreeNotification(action);
}

void TCustomActionList::SetImages(TCustomImageList* value)
{
    if (value == FImages) return;
    if (FImages) RemoveFreeNotification(FImages);
    FImages = value;
    if (FImages) FreeNotification(FImages);
    ImagesChanged();
}

void TCustomActionList::ImagesChanged()
{
    for (TCustomAction* a : FActions) a->Change();
}

void TCustomActionList::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FImages) FImages = nullptr;
    auto it = std::find(FActions.begin(), FActions.end(), component);
    if (it != FActions.end()) {
        (*it)->FActionList = nullptr;
        FActions.erase(it);
    }
}
