#pragma once
// The gallery's calculator, time picker and two clocks in different looks.

class TForm;
class TZvCalculatorDropdown;
class TZvTimePickerDropDown;
class TZvWatch;

struct TGalleryClockMembers {
    TZvCalculatorDropdown* Calculator = nullptr;
    TZvTimePickerDropDown* TimePicker = nullptr;
    // Without seconds, with the platform time picker below its clock.
    TZvTimePickerDropDown* PickerTime = nullptr;
    TZvWatch* ClassicClock = nullptr;
    TZvWatch* StyledClock = nullptr;
};

// Puts them on the form, below what stands there, and grows the form to hold them.
TGalleryClockMembers AddClockMembers(TForm* form);
