#include "grid/support/ZvDropDownAppearance.h"

#include <gtest/gtest.h>

namespace {

String S(const char* utf8) { return QString::fromUtf8(utf8); }

struct Counter {
    int Changes = 0;
    int ButtonChanges = 0;
    void Watch(TDropDownStripAppearance& a)
    {
        a.OnChange = [this](TObject*) { ++Changes; };
        a.OnButtonsChanged = [this](TObject*) { ++ButtonChanges; };
    }
};

TEST(DropDownAppearance, Defaults)
{
    TPersistent owner;
    THeaderAppearance header(&owner);
    TFooterAppearance footer(&owner);
    for (TDropDownStripAppearance* a : {static_cast<TDropDownStripAppearance*>(&header),
                                        static_cast<TDropDownStripAppearance*>(&footer)}) {
        EXPECT_EQ(a->Color(), clSilver);
        EXPECT_EQ(a->ColorTo(), clWhite);
        EXPECT_EQ(a->Caption(), String());
        EXPECT_EQ(a->GradientDirection(), TGradientDirection::gdVertical);
        EXPECT_TRUE(a->Visible());
        EXPECT_EQ(a->Height(), 22);
        EXPECT_EQ(a->BorderColor(), clBlack);
        EXPECT_EQ(a->BorderWidth(), 1);
        EXPECT_EQ(a->ImageIndex(), -1);
        EXPECT_EQ(a->ButtonAlignment(), TButtonAlignment::baRight);
        EXPECT_EQ(a->GetOwner(), &owner);
    }
    EXPECT_EQ(header.Font()->Name(), S("Tahoma"));
    EXPECT_EQ(footer.Font()->Name(), TFont().Name()) << "the platform's default font";
    EXPECT_TRUE(footer.SizeGrip());
    EXPECT_EQ(header.Buttons()->Count(), 0);
    EXPECT_EQ(footer.Buttons()->GetOwner(), &owner);

    THeaderButton* hb = header.Buttons()->Add();
    EXPECT_EQ(hb->Caption(), String());
    EXPECT_EQ(hb->ImageIndex(), -1);
    EXPECT_TRUE(hb->Enabled());
    EXPECT_EQ(hb->Width(), 0);
    EXPECT_EQ(hb->Height(), 0);
    EXPECT_EQ(footer.Buttons()->Add()->ModalResult(), mrNone);
}

TEST(DropDownAppearance, OnlyVisibleAndSomeButtonSettersNotify)
{
    THeaderAppearance header(nullptr);
    Counter n;
    n.Watch(header);
    header.SetColor(clRed);
    header.SetCaption(S("x"));
    header.SetHeight(40);
    header.SetVisible(true);
    EXPECT_EQ(n.Changes, 0) << "plain stores and an unchanged Visible";
    header.SetVisible(false);
    EXPECT_EQ(n.Changes, 1);

    THeaderButton* b = header.Buttons()->Add();
    header.Buttons()->Insert(0);
    EXPECT_EQ(n.ButtonChanges, 0) << "adding and inserting fire nothing";
    struct Step {
        const char* what;
        std::function<void()> change;
        int fires;
    } steps[] = {
        {"Caption", [&] { b->SetCaption(S("OK")); }, 1},
        {"same Caption", [&] { b->SetCaption(S("OK")); }, 0},
        {"Enabled", [&] { b->SetEnabled(false); }, 1},
        {"Width", [&] { b->SetWidth(30); }, 1},
        {"Height", [&] { b->SetHeight(30); }, 0},
        {"ImageIndex", [&] { b->SetImageIndex(3); }, 0},
        {"Delete", [&] { header.Buttons()->Delete(0); }, 0},
    };
    for (const Step& s : steps) {
        const int before = n.ButtonChanges;
        s.change();
        EXPECT_EQ(n.ButtonChanges - before, s.fires) << s.what;
    }
    EXPECT_THROW(header.Buttons()->GetItem(5), Exception);
}

TEST(DropDownAppearance, AssignCopiesFromTheSameKindOnly)
{
    THeaderAppearance source(nullptr);
    source.SetColor(clRed);
    source.SetColorTo(clNone);
    source.SetCaption(S("Head"));
    source.Font()->SetHeight(-20);
    source.SetImageIndex(2);
    source.SetBorderWidth(3);
    source.SetBorderColor(clBlue);
    source.SetGradientDirection(TGradientDirection::gdHorizontal);
    source.SetHeight(30);
    source.SetButtonAlignment(TButtonAlignment::baLeft);
    source.Buttons()->Add()->SetCaption(S("One"));
    source.Buttons()->Add()->SetCaption(S("Two"));

    THeaderAppearance target(nullptr);
    Counter n;
    n.Watch(target);
    target.Assign(&source);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.ColorTo(), clNone);
    EXPECT_EQ(target.Caption(), S("Head"));
    EXPECT_EQ(target.Font()->Height(), -20);
    EXPECT_EQ(target.ImageIndex(), 2);
    EXPECT_EQ(target.BorderWidth(), 3);
    EXPECT_EQ(target.BorderColor(), clBlue);
    EXPECT_EQ(target.GradientDirection(), TGradientDirection::gdHorizontal);
    EXPECT_EQ(target.Height(), 30);
    EXPECT_EQ(target.ButtonAlignment(), TButtonAlignment::baLeft);
    ASSERT_EQ(target.Buttons()->Count(), 2);
    EXPECT_EQ(target.Buttons()->GetItem(1)->Caption(), S("Two"));
    EXPECT_EQ(n.Changes, 0) << "Visible was the same";
    source.SetVisible(false);
    target.Assign(&source);
    EXPECT_EQ(n.Changes, 1);
    EXPECT_EQ(target.Buttons()->Count(), 2) << "the items are replaced, not appended";

    // A footer appearance is no header appearance: nothing changes, nothing is raised.
    TFooterAppearance footer(nullptr);
    footer.SetColor(clYellow);
    footer.SetSizeGrip(false);
    EXPECT_NO_THROW(target.Assign(&footer));
    EXPECT_EQ(target.Color(), clRed);
    TFooterAppearance footer2(nullptr);
    footer2.Assign(&footer);
    EXPECT_FALSE(footer2.SizeGrip());
    EXPECT_EQ(footer2.Color(), clYellow);

    THeaderAppearance colours(nullptr);
    colours.AssignColors(&source);
    EXPECT_EQ(colours.Color(), clRed);
    EXPECT_EQ(colours.BorderColor(), clBlue);
    EXPECT_EQ(colours.Font()->Height(), -20);
    EXPECT_EQ(colours.Caption(), String()) << "colours only";
    EXPECT_EQ(colours.Height(), 22);
    EXPECT_TRUE(colours.Visible());
    colours.AssignColors(&footer);
    EXPECT_EQ(colours.Color(), clRed);
}

TEST(DropDownAppearance, ButtonAssign)
{
    TFooterButtons buttons(nullptr);
    TFooterButton* a = buttons.Add();
    TFooterButton* b = buttons.Add();
    a->SetCaption(S("Close"));
    a->SetModalResult(mrCancel);
    a->SetEnabled(false);
    a->SetWidth(50);
    a->SetHeight(20);
    a->SetImageIndex(4);
    int fired = 0;
    buttons.OnChange = [&](TObject*) { ++fired; };
    buttons.SetItem(1, a);
    EXPECT_EQ(b->Caption(), S("Close"));
    EXPECT_EQ(b->ModalResult(), mrCancel);
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->Width(), 50);
    EXPECT_EQ(b->Height(), 20);
    EXPECT_EQ(b->ImageIndex(), 4);
    EXPECT_EQ(fired, 3) << "Caption, Enabled and Width notify";

    THeaderButtons other(nullptr);
    THeaderButton* h = other.Add();
    EXPECT_THROW(h->Assign(a), EConvertError) << "a button description of another class";
}

}  // namespace
