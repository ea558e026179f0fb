#pragma once
// The spin edit: an edit with a pair of small arrow buttons that steps an
// integer, a float, a date or a time; the button pair; and the arrow button
// that repeats while it is held down.

#include "grid/editors/ZvCellEditor.h"
#include "platform/DateUtils.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

enum class TSpinDirection { spVertical, spHorizontal };
enum class TAsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum class TEditAlign { eaLeft, eaRight, eaCenter };
enum class TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum class TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateItem>;

class TAsgSpinButton;

// ---- The repeating arrow button ----------------------------------------------------------
// Held down, it clicks first 400 ms after the press, then every 100 ms, and
// once more when released over it.
class TZvTimerSpeedButton : public TSpeedButton {
public:
    TZvTimerSpeedButton(TComponent* AOwner, TAsgSpinButton* APair);
    ~TZvTimerSpeedButton() override;

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState value) { FTimeBtnState = value; }
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool value);
    bool HasMouse() const { return FHasMouse; }
    TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Paint() override;

private:
    void TimerExpired(TObject* Sender);

    TAsgSpinButton* FPair;
    TTimer* FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = TButtonDirection::bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

// ---- The button pair ------------------------------------------------------------------------
class TAsgSpinButton : public TWinControl {
public:
    explicit TAsgSpinButton(TComponent* AOwner);

    TZvTimerSpeedButton* UpButton() const { return FUpButton; }
    TZvTimerSpeedButton* DownButton() const { return FDownButton; }
    TZvTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    void SetXPLook(bool value);

    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // A press on one of the buttons: it becomes the focused one, and the focus
    // goes to FocusControl (or to the pair).
    void ButtonPressed(TZvTimerSpeedButton* Button);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void Notification(TComponent* AComponent, TComponent::TOperation Operation) override;

private:
    void LayoutButtons();
    void ButtonClicked(TObject* Sender);

    TZvTimerSpeedButton* FUpButton;
    TZvTimerSpeedButton* FDownButton;
    TZvTimerSpeedButton* FFocusedButton;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = TSpinDirection::spVertical;
    bool FIsWinXP = false;
};

// ---- The spin edit --------------------------------------------------------------------------
class TAsgSpinEdit : public TEdit {
public:
    explicit TAsgSpinEdit(TComponent* AOwner);

    // ---- Values ----
    // Unreadable text reads MinValue (Value), MinFloatValue (FloatValue),
    // MinDateValue (DateValue) or midnight (TimeValue).
    int Value();
    void SetValue(int value);
    double FloatValue();
    void SetFloatValue(double value);
    TDateTime DateValue();
    void SetDateValue(TDateTime value);
    TDateTime TimeValue();
    void SetTimeValue(TDateTime value);

    // ---- Limits and steps (a kind whose two limits are equal is not clamped) ----
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value) { FMinValue = value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value) { FMaxValue = value; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double value) { FMinFloatValue = value; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double value) { FMaxFloatValue = value; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime value) { FMinDateValue = value; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime value) { FMaxDateValue = value; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double value) { FIncrementFloat = value; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double value) { FIncrementFloatPage = value; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int value) { FIncrementHours = value; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int value) { FIncrementMinutes = value; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int value) { FIncrementSeconds = value; }

    // ---- Kind and look ----
    TAsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TAsgSpinType value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int value);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value) { FEditorEnabled = value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool value) { FReturnIsTab = value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool value) { FExcelStyleDecimalSeparator = value; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool value) { FShowSeconds = value; }
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign value);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection value);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool value);
    bool UsDates() const { return FUsDates; }
    TAsgSpinButton* Button() const { return FButton; }
    void SetXPLook(bool value);

    // While loading a layout, date and time writes are only stored; Loaded shows them.
    void BeginLoading() { FLoading = true; }
    void Loaded();

    // ---- Stepping ----
    virtual void StepUp(bool Page);
    virtual void StepDown(bool Page);
    // Whether a typed character may go into the text.
    virtual bool AcceptsChar(QChar Key);
    // The button pair's handlers.
    virtual void StepUpDefault(TObject* Sender);
    virtual void StepDownDefault(TObject* Sender);

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMSize(TWMSize& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void SetEditRect();
    int MinHeight();
    // A control lower than the text needs grows; else the buttons go to the right edge.
    void LayoutButton();

private:
    void Step(int Sign, bool Page);
    // The same value again when clamping changes nothing, else the nearer limit.
    int ClampInt(int value) const;
    double ClampFloat(double value) const;
    TDateTime ClampDate(TDateTime value) const;
    String FormatFloatValue(double value) const;
    String TimeFormat() const;
    void SetTextKeepCaret(const String& text);

    int FMinValue = 0;
    int FMaxValue = 100;
    double FMinFloatValue = 0.0;
    double FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0;
    TDateTime FMaxDateValue = 0;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    TAsgSpinButton* FButton;
    bool FEditorEnabled = true;
    TSpinDirection FDirection = TSpinDirection::spVertical;
    TAsgSpinType FSpinType = TAsgSpinType::sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1;
    int FIncrementMinutes = 1;
    int FIncrementHours = 1;
    TEditAlign FEditAlign = TEditAlign::eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    double FIncrementFloatPage = 1.0;
    bool FLoading = false;
    bool FMouseEntry = false;
};

// The grid's spin cell editor (edSpinEdit, edFloatSpinEdit, edTimeSpinEdit,
// edDateSpinEdit), made on first use: it steps the number, time or date its
// kind names, reports each step as the grid's spin event of its kind, and
// turns Enter, Tab and Escape into the grid's commit, validate and move steps.
class TGridSpin : public TAsgSpinEdit, public TZvCellEditor {
public:
    // The owner must be a TZvStringGrid.
    explicit TGridSpin(TComponent* AOwner);

    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    // The value in the kind's own form: decimal, the cell's float format, the short date, or the text.
    String EditorText() override;
    void EndCellEdit() override;
    bool WritesThrough(const TControl*) override { return false; }

    void StepUpDefault(TObject* Sender) override;
    void StepDownDefault(TObject* Sender) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMChar(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void Change() override;
    void DoExit() override;

private:
    void FireStep(bool Up);

    TZvStringGrid* FGrid;
};

class TZvCellEditorRegistry;
// Registers the spin editor for the spin kinds.
void RegisterSpinCellEditor(TZvCellEditorRegistry& Registry);
