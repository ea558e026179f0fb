#pragma once
// The gallery's window: what no window of the product opens, shown for
// screenshots and for driving by hand. For now a drop-down with a header, a
// footer with buttons and a size grip, and an item selector in its pop-up.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvItemSelector.h"
#include "examples/gallery/GalleryClock.h"
#include "platform/Forms.h"

// A drop-down whose pop-up hosts an item selector: picking an item writes
// its caption into the edit and closes the pop-up, as the members do.
class TGalleryPicker : public TZvCustomDropDown {
public:
    explicit TGalleryPicker(TComponent* AOwner);
    TZvCustomItemSelector* Selector() const { return FSelector; }

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;

private:
    TZvCustomItemSelector* FSelector = nullptr;
};

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* AOwner);
    TGalleryPicker* Picker() const { return FPicker; }
    // What the footer's buttons reported, last first.
    String LastButton() const { return FLastButton; }
    const TGalleryClockMembers& ClockMembers() const { return FClockMembers; }

private:
    TGalleryPicker* FPicker;
    String FLastButton;
    TGalleryClockMembers FClockMembers;
};
