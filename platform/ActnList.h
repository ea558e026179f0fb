#pragma once
// Actions and action lists: a command with a caption, an enabled state and an
// image, shared by the controls linked to it (TControl::SetAction). A change
// of the action reaches every linked control through ActionChange.

#include "platform/Classes.h"

#include <vector>

class TControl;
class TCustomImageList;
class TCustomActionList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    TNotifyEvent OnExecute;

    // Internal: the controls linked to the action (TControl::SetAction keeps this).
    void RegisterClient(TControl* client);
    void UnRegisterClient(TControl* client);
    int ClientCount() const { return int(FClients.size()); }

protected:
    // Tells every linked control that the action changed.
    void Change();
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TControl*> FClients;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner);
    ~TCustomAction() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& value);
    // An image of the action list's Images; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);

    // The list that holds the action (nullptr when none).
    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* value);

    // A disabled action does not run.
    bool Execute() override;

private:
    friend class TCustomActionList;
    String FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    String FHint;
    int FImageIndex = -1;
    TCustomActionList* FActionList = nullptr;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;

    int ActionCount() const { return int(FActions.size()); }
    TCustomAction* Actions(int index) const { return FActions.at(std::size_t(index)); }

    // The images the actions' ImageIndex points into; forgotten when it goes away first.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomAction;
    void AddAction(TCustomAction* action);
    void RemoveAction(TCustomAction* action);
    // The actions' linked controls see the new images.
    void ImagesChanged();

    std::vector<TCustomAction*> FActions;
    TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
public:
    using TCustomActionList::TCustomActionList;
};
