#pragma once
// The date and time picker: a box showing a date or a time split into parts
// (day, month, year, hours, ...) with a drop-down month calendar. One part is
// current; digits typed go into it, Up and Down step it, Left and Right move
// to the neighbouring part, F4 and Alt+Down drop the calendar down. Digits
// never move to the next part by themselves: a descendant that wants that
// posts a Right-arrow key-down after the digit.
//
// Format uses the picker's letters (d dd ddd dddd M MM MMM MMMM yy yyyy h hh
// H HH m mm s ss t tt, text in single quotes); an empty Format shows the
// regional short date (date kind) or long time (time kind), read at each use.

#include "platform/Controls.h"
#include "platform/DateUtils.h"

#include <memory>
#include <vector>

class QCalendarWidget;

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TCustomControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    // ---- Value ----
    TDateTime DateTime() const { return FDateTime; }
    virtual void SetDateTime(TDateTime value);
    // The date part alone; writing it keeps the time of day.
    TDateTime Date() const;
    virtual void SetDate(TDateTime value);
    // The time of day alone; writing it keeps the date.
    TDateTime Time() const;
    virtual void SetTime(TDateTime value);
    // Limits of the value; 0 is no limit.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime value) { FMinDate = value; }
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime value) { FMaxDate = value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool value);

    // ---- Shape ----
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode value);
    const String& Format() const { return FFormat; }
    void SetFormat(const String& value);
    // The format in force: Format, or the regional one of the kind.
    String EffectiveFormat() const;
    // The picker's letters for a regional format (m month, n minutes, "/" and ":" the separators).
    static String PickerFormatOf(const String& regionalFormat);
    // The value as shown.
    static String FormatValue(const String& pickerFormat, TDateTime value);
    // The part the keys act on, counted over the format's fields.
    int PartIndex() const { return FPart; }
    void SetPartIndex(int value);
    int PartCount() const;

    // ---- The calendar ----
    bool DroppedDown() const;
    void DropDown();
    // Closes the calendar; Accept takes its date.
    void CloseUp(bool Accept);
    // The month calendar while it is dropped down, else nullptr.
    QCalendarWidget* Calendar() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void Paint() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoEnter() override;
    void DoExit() override;
    String GetText() const override;
    // The value changed by the user (typing, stepping, the calendar).
    virtual void Change();
    // The right-hand area the drop-down button (or the up-down pair) takes.
    virtual int DropButtonWidth() const;
    // Draws the box, the text with its current part and the button, as the platform does.
    void PaintPlatform();
    TRect ButtonRect() const;

private:
    struct TPart {
        enum TField { Literal, Day, DayName, Month, Year, Hour12, Hour24, Minute, Second, AmPm } Field;
        String Token;
    };
    std::vector<TPart> Parts() const;
    int FieldOfPart(int partIndex) const;
    void StepPart(int Delta);
    void TypeDigit(int Digit);
    void UserValue(TDateTime value);
    TDateTime Clamped(TDateTime value) const;

    TDateTime FDateTime = 0;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FChecked = true;
    bool FShowCheckbox = false;
    TDateTimeKind FKind = TDateTimeKind::dtkDate;
    TDTDateMode FDateMode = TDTDateMode::dmComboBox;
    String FFormat;
    int FPart = 0;
    // The digits typed into the current part since it became current.
    int FTyped = 0;
    int FTypedDigits = 0;
    std::unique_ptr<QCalendarWidget> FCalendar;
};
