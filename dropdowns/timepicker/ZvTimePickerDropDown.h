#pragma once
// The drop-down edit for a time of day. The edit shows hours, minutes and
// (optionally) seconds joined by the regional time separator under an edit
// mask; Up and Down step the part under the caret; typed text is parsed into
// Time. The pop-up holds an analog clock on which the user sets the time
// with the mouse or the keys; every change of the clock is written back to
// the edit at once, and a cancelling close puts back the time of the opening.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/clock/ZvWatch.h"
#include "platform/MaskEdit.h"

#include <memory>

class TDateTimePicker;
class TPanel;

class TZvTimePickerDropDown : public TZvCustomDropDown {
public:
    explicit TZvTimePickerDropDown(TComponent* AOwner);
    ~TZvTimePickerDropDown() override;

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool value) { FAnimation = value; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int value) { FAnimationFactor = value; }
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(TWatchSettings* value) { FWatchSettings->Assign(value); }
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(TWatchAppearance* value) { FWatchAppearance->Assign(value); }
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool value) { FShowWatchAMPM = value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool value) { FShowWatchNumbers = value; }
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool value) { FShowTimePicker = value; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    // The mask in force ("!90:00:00;1; " with the regional separator).
    const TEditMask& EditMask() const { return FMask; }

    TZvWatch* Watch() const { return FZvWatch; }
    TPanel* WatchPanel() const { return FPanelCtrl; }
    // The platform time picker below the clock, once ShowTimePicker has been used at an opening.
    TDateTimePicker* TimePicker() const { return FDateTimePicker; }

    // Through the mask, as the masked edit's own text setter does.
    void SetText(const String& value) override;

    void SetComponentStyle(TZvStyle AStyle) override;

    // Key-down and change entry points, which the grid's time editor calls too.
    void KeyDownHook(WORD& Key, TShiftState Shift);
    void ChangeHook();

    // Fired after Up or Down changed the time.
    TNotifyEvent OnTimeChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void CloseDropDownForm(bool Cancel) override;
    void DropDownFormHidden() override;
    void FormKeyDown(WORD& Key, TShiftState Shift) override;
    void FormKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyDown(WORD& Key, TShiftState Shift) override;
    void ControlKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMChar(TWMKey& Message) override;
    void Dispatch(TMessage& Message) override;
    void Change() override;

private:
    String FormatTime(int h, int m, int s) const;
    String MaskText() const;
    void ParseEditText();
    bool IsTimeTextShaped(const String& text) const;
    void SetHourPart(int V);
    void SetMinutePart(int V);
    void SetSecondPart(int V);
    void SetPart(int part, int V);
    void WatchChanged();
    void WatchAppearanceChanged();
    void ShowPicker();
    void PickerChanged();
    void ApplyMaskEdit(const TEditMask::TEditResult& r);
    void PasteThroughMask();

    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TDateTime FTime = 0;
    TDateTime FTimeAtOpening = 0;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FShowTimePicker = false;
    bool FShowSeconds = true;
    TPanel* FPanelCtrl = nullptr;
    TZvWatch* FZvWatch = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    // The panel's height as this opening wants it; the pop-up's client
    // alignment would otherwise hand the panel the last opening's height.
    int FPanelHeight = 170;
    bool FInternalCall = false;
    TEditMask FMask;
};
