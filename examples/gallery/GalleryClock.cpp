#include "examples/gallery/GalleryClock.h"

#include "dropdowns/calculator/ZvCalculatorDropDown.h"
#include "dropdowns/clock/ZvWatch.h"
#include "dropdowns/timepicker/ZvTimePickerDropDown.h"
#include "platform/Forms.h"

#include <algorithm>

TGalleryClockMembers AddClockMembers(TForm* form)
{
    TGalleryClockMembers m;
    form->SetBounds(form->Left(), form->Top(), std::max(form->Width(), 480), std::max(form->Height(), 440));

    m.Calculator = new TZvCalculatorDropdown(form);
    m.Calculator->SetParent(form);
    m.Calculator->SetBounds(120, 60, 200, 21);
    m.Calculator->SetLabelCaption(QStringLiteral("Calculator:"));
    m.Calculator->SetLabelMargin(4);
    m.Calculator->SetLabelPosition(TLabelPosition::lpLeftCenter);
    m.Calculator->SetValue(1234.5);

    m.TimePicker = new TZvTimePickerDropDown(form);
    m.TimePicker->SetParent(form);
    m.TimePicker->SetBounds(120, 96, 120, 21);
    m.TimePicker->SetLabelCaption(QStringLiteral("Time:"));
    m.TimePicker->SetLabelMargin(4);
    m.TimePicker->SetLabelPosition(TLabelPosition::lpLeftCenter);
    m.TimePicker->SetTime(EncodeTime(10, 9, 30, 0));

    m.PickerTime = new TZvTimePickerDropDown(form);
    m.PickerTime->SetParent(form);
    m.PickerTime->SetBounds(340, 96, 80, 21);
    m.PickerTime->SetLabelCaption(QStringLiteral("Picker:"));
    m.PickerTime->SetLabelMargin(4);
    m.PickerTime->SetLabelPosition(TLabelPosition::lpLeftCenter);
    m.PickerTime->SetShowSeconds(false);
    m.PickerTime->SetShowTimePicker(true);
    m.PickerTime->SetTime(EncodeTime(17, 45, 0, 0));

    m.ClassicClock = new TZvWatch(form);
    m.ClassicClock->SetParent(form);
    m.ClassicClock->SetBounds(40, 150, 180, 180);
    m.ClassicClock->SetTime(EncodeTime(10, 9, 30, 0));

    m.StyledClock = new TZvWatch(form);
    m.StyledClock->SetParent(form);
    m.StyledClock->SetBounds(260, 150, 180, 180);
    m.StyledClock->SetStyle(TWatchStyle::wsTower);
    m.StyledClock->SetTime(EncodeTime(15, 42, 0, 0));
    return m;
}
