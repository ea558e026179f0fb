#pragma once
// The grid family's date and time pickers, over the platform picker:
//   TAsgDateTimePicker    a date or time picker with an optional flat or metro
//                         look (single-line border in chosen colours, flat button,
//                         focus and hover feedback); the date cell editor's base.
//   TCustomDateTimePicker the same look, plus AutoTab: a typed digit that changes
//                         a part moves on to the next part. The embedded time part.
//   TZvDateTimePicker     a date, a time, or a date with a time part embedded at
//                         its right end, with an optional caption label beside
//                         it; the date-and-time cell editor's base.
// AutoTab works by a posted message: the digit goes in first, and only when the
// picker has taken it does the advance compare the parts with those remembered
// before the digit.

#include "platform/DateTimePicker.h"
#include "platform/StdCtrls.h"

#include <memory>

// The message a picker posts to itself after a typed digit.
UINT DTPShiftFocusMessage();

// The look shared by the pickers that paint their own border. Colours are clNone when not set.
struct TPickerLook {
    TBorderStyle BorderStyle = TBorderStyle::bsNone;
    TColor BorderColor = clNone;
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    TColor ButtonTextColor = clNone, ButtonTextColorHot = clNone, ButtonTextColorDown = clNone;
    TColor FocusBorderColor = clNone;
    bool MetroStyle = false;
    bool DisabledBorder = false;
    bool FocusBorder = false;
};

// The painting and hover state the two look-carrying pickers share.
class TPickerLookPainter {
public:
    TPickerLook Look;
    bool IsThemed = true;
    int ButtonWidth = 19;
    bool ButtonHover = false;
    bool MouseInControl = false;
    bool HasFocus = false;
    bool MouseDown = false;
    // The flat border and button over what the platform painted; only with metro look
    // and, for an enabled picker, a border or focus colour set.
    void DrawBorders(TDateTimePicker* Picker, TCanvas& Canvas, bool Metro, bool DroppedDown);
    // True when the frame goes hot: FocusBorder with the mouse over the picker or the picker focused.
    bool Hot() const { return Look.FocusBorder && (MouseInControl || HasFocus); }
};

// The mouse, focus and painting steps of a picker that carries the look.
class TLookDateTimePicker : public TDateTimePicker {
public:
    explicit TLookDateTimePicker(TComponent* AOwner);

    TPickerLook& Look() { return FPainter.Look; }
    const TPickerLookPainter& Painter() const { return FPainter; }

protected:
    // Whether the flat metro look is painted over the platform's.
    virtual bool MetroActive() { return FPainter.Look.MetroStyle; }
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;

    TPickerLookPainter FPainter;
};

// ---- The look-carrying date and time picker ---------------------------------------------------
class TAsgDateTimePicker : public TLookDateTimePicker {
public:
    explicit TAsgDateTimePicker(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FPainter.Look.BorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TColor BorderColor() const { return FPainter.Look.BorderColor; }
    void SetBorderColor(TColor value);
    bool MetroStyle() const { return FPainter.Look.MetroStyle; }
    void SetMetroStyle(bool value);
    // 1.0.0.0, one byte per part, highest first.
    static int GetVersionNr() { return 0x01000000; }
    static String Version() { return QStringLiteral("1.0.0.0"); }

protected:
    virtual void ChangeBorderStyle() { Invalidate(); }
};

// ---- The auto-advancing picker (the embedded time part) ---------------------------------------
class TCustomDateTimePicker : public TLookDateTimePicker {
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool value) { FAutoTab = value; }
    virtual void SetBorderStyle(TBorderStyle value);
    // Compares the parts with those remembered at the last digit and moves on when one changed.
    virtual void AutoTabAdvance();
    // Whether this picker leaves its border to the platform (no metro look of its own).
    virtual bool SkipCustomBorder() { return true; }

protected:
    void WndProc(TMessage& Message) override;
    void KeyPress(QChar& Key) override;
    bool MetroActive() override { return FPainter.Look.MetroStyle && !SkipCustomBorder(); }
    // Remembers the parts a digit may change, before it goes in.
    virtual void RememberParts();
    // Posts a Right-arrow key-down to this picker: the caret goes to the next part.
    void PostNextPart();

    bool FAutoTab = false;
    quint16 Fh = 0, Fm = 0, Fs = 0, Fms = 0;
};

// ---- The date, time, or date-and-time picker with a label ------------------------------------
enum class TZvDateTimeKind { dkDate, dkTime, dkDateTime };
enum class TPickerLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

// Where a label of the given size goes beside a control's bounds.
TPoint PickerLabelPlace(TPickerLabelPosition Position, const TRect& Control, int LabelWidth, int LabelHeight,
                        int Margin);

class TZvDateTimePicker : public TCustomDateTimePicker {
public:
    explicit TZvDateTimePicker(TComponent* AOwner);
    ~TZvDateTimePicker() override;

    TZvDateTimeKind Kind() const { return FKind; }
    void SetKind(TZvDateTimeKind value);
    // The time part's time with a time part, else the picker's own.
    TDateTime Time() const;
    void SetTime(TDateTime value) override;
    // The date with the time part's time; writing keeps whole seconds in both parts.
    TDateTime DateTime() const;
    void SetDateTime(TDateTime value) override;
    // Replaces the date and keeps the time of day.
    void SetDate(TDateTime value) override;
    const String& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& value);
    void SetAutoTab(bool value) override;
    void SetBorderStyle(TBorderStyle value) override;
    bool SkipCustomBorder() override { return false; }
    void AutoTabAdvance() override;
    // The embedded time part; only for dkDateTime.
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
    static int GetVersionNr() { return 0x01020000; }

    // ---- The label ----
    const String& LabelCaption() const { return FLabelCaption; }
    void SetLabelCaption(const String& value);
    TLabel* Label() const { return FLabel; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    TPickerLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TPickerLabelPosition value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool value);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool value) { FFocusLabel = value; }
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value) { FLabelAlwaysEnabled = value; }

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void FireChange();
    void FireClick();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetEnabled(bool value) override;

protected:
    void RememberParts() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMVisibleChanged(TMessage& Message) override;
    void DoEnter() override;
    void DoExit() override;
    void Paint() override;
    // Lays the time part out at the right end, or frees it outside dkDateTime.
    void LayoutTimePicker();
    void PlaceLabel();
    // The embedded part's key presses end here.
    void NoOpHook(TObject*, QChar&) {} // the time part's characters stay in the time part

    TZvDateTimeKind FKind = TZvDateTimeKind::dkDateTime;
    String FTimeFormat;
    quint16 Fy = 0, Fmo = 0, Fd = 0;

private:
    void MakeTimePicker();

    TCustomDateTimePicker* FTimePicker = nullptr;
    TLabel* FLabel = nullptr;
    String FLabelCaption;
    std::unique_ptr<TFont> FLabelFont;
    TPickerLabelPosition FLabelPosition = TPickerLabelPosition::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    bool FFirstRun = true;
};
