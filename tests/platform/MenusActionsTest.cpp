// Pop-up menus through the seam, menu item trees, actions linked to
// controls, and action lists with their images.
#include "platform/ActnList.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Seams.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(Menus, ItemsFormATreeThatDeletesWhatItHolds)
{
    TForm owner(nullptr);
    auto* root = new TMenuItem(&owner);
    auto* a = new TMenuItem(&owner);
    auto* b = new TMenuItem(&owner);
    auto* sub = new TMenuItem(&owner);
    root->Add(a);
    root->Insert(0, b);
    a->Add(sub);
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(root->Items(0), b);
    EXPECT_EQ(root->IndexOf(a), 1);
    EXPECT_EQ(sub->Parent(), a);

    // Moving an item takes it out of its old parent.
    b->Add(sub);
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(sub->Parent(), b);

    // Deleting an item deletes its sub-items; each leaves its owner and parent.
    const int owned = owner.ComponentCount();
    delete b;
    EXPECT_EQ(owner.ComponentCount(), owned - 2);
    EXPECT_EQ(root->Count(), 1);
    root->Remove(a);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(root->Count(), 0);
}

TEST(Menus, PopupGoesThroughTheSeamAndClicksTheChosenItem)
{
    TTestSeams seams;
    TPopupMenu menu(nullptr);
    std::vector<std::string> log;
    const char* names[] = {"one", "two", "three"};
    for (const char* name : names) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(QString::fromLatin1(name));
        item->OnClick = [&log, name](TObject*) { log.push_back(name); };
        menu.Items()->Add(item);
    }
    menu.Items()->Items(2)->SetEnabled(false);
    menu.OnPopup = [&](TObject*) { log.push_back("popup"); };

    seams.AnswerPopup(1);
    menu.Popup(30, 40);
    seams.AnswerPopup(2);   // disabled: nothing happens
    menu.Popup(5, 6);
    menu.Popup(7, 8);       // not scripted: dismissed
    seams.AnswerPopup(9);   // out of range: dismissed
    menu.Popup(9, 9);
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "two", "popup", "popup", "popup"}));
    ASSERT_EQ(seams.Popups.size(), 4u);
    EXPECT_EQ(seams.Popups[0].Menu, &menu);
    EXPECT_EQ(seams.Popups[0].X, 30);
    EXPECT_EQ(seams.Popups[0].Y, 40);
    EXPECT_EQ(menu.PopupPoint(), (TPoint{9, 9}));
}

TEST(Actions, LinkedControlFollowsTheActionAndRunsIt)
{
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    auto* action = new TAction(&form);
    action->SetCaption(QStringLiteral("Go"));
    action->SetHint(QStringLiteral("Runs it"));
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };

    // Linking fills only what the control leaves at its default.
    button->SetCaption(QStringLiteral("Mine"));
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), QStringLiteral("Mine"));
    EXPECT_EQ(button->Hint(), QStringLiteral("Runs it"));
    EXPECT_EQ(action->ClientCount(), 1);

    // Later changes of the action reach the control whatever it holds.
    action->SetCaption(QStringLiteral("Go on"));
    action->SetEnabled(false);
    action->SetVisible(false);
    EXPECT_EQ(button->Caption(), QStringLiteral("Go on"));
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(button->Visible());

    // A click runs the action (a disabled one does not run); a click handler of its own wins.
    TControl* control = button;
    control->TControl::Click();
    EXPECT_EQ(runs, 0);
    action->SetEnabled(true);
    control->TControl::Click();
    EXPECT_EQ(runs, 1);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    control->TControl::Click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(clicks, 1);

    // Whichever goes first, the other forgets it.
    delete action;
    EXPECT_EQ(button->Action(), nullptr);
    auto* second = new TAction(&form);
    button->SetAction(second);
    delete button;
    EXPECT_EQ(second->ClientCount(), 0);
    second->SetCaption(QStringLiteral("nobody listens"));
}

TEST(Actions, ListsKeepTheirActionsAndForgetDeletedImages)
{
    TActionList list(nullptr);
    auto* images = new TImageList(nullptr);
    list.SetImages(images);
    auto* a = new TAction(nullptr);
    auto* b = new TAction(nullptr);
    a->SetActionList(&list);
    b->SetActionList(&list);
    ASSERT_EQ(list.ActionCount(), 2);
    EXPECT_EQ(a->ActionList(), &list);
    delete a;
    ASSERT_EQ(list.ActionCount(), 1);
    EXPECT_EQ(list.Actions(0), b);
    b->SetActionList(nullptr);
    EXPECT_EQ(list.ActionCount(), 0);
    delete images;
    EXPECT_EQ(list.Images(), nullptr);
    b->SetActionList(&list);
    {
        TActionList other(nullptr);
        b->SetActionList(&other);
        EXPECT_EQ(list.ActionCount(), 0);
    }
    EXPECT_EQ(b->ActionList(), nullptr);
    delete b;
}

TEST(Menus, ControlForgetsADeletedPopupMenu)
{
    TForm form(nullptr);
    auto* menu = new TPopupMenu(&form);
    form.SetPopupMenu(menu);
    EXPECT_EQ(form.PopupMenu(), menu);
    delete menu;
    EXPECT_EQ(form.PopupMenu(), nullptr);
}

} // namespace
