#pragma once
// TZvWatch: an analog clock. A round or square face with quarter, hour and
// minute marks, the hour numbers, an AM/PM box and the pointers. It shows a
// Time the program sets and lets the user change it (a click inside the
// face sets the hour, in the margin the minute, on the AM/PM box the half of
// the day), animating the pointers toward the new value; or, with
// Settings.Auto, it runs live on the current time plus an offset.
//
// The face, marks, numbers and AM/PM box are drawn once per full paint into
// a cache bitmap; every time change, animation step and live tick redraws
// only the pointers over a copy of that cache, so the clock never flickers.
// Both timers run on the platform's clock seam.

#include "grid/support/ZvStyles.h"
#include "platform/Controls.h"
#include "platform/DateUtils.h"
#include "platform/Pictures.h"

#include <memory>

class TTimer;

enum class TAMPMFrame { apRect, apRoundRect };
enum class TWatchShape { wsCircle, wsRect, wsRoundRect };
enum class TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum class TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum class TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum class THourMarkStyle { hmsLine, hmsQuartDblLine };
enum class TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray, wsSuperNova,
    wsSports, wsSmooth
};

class TWatchAppearance : public TPersistent {
public:
    TWatchAppearance();
    ~TWatchAppearance() override;

    // Every setting back to its default: fonts "Tahoma" 8 and 10 points, no picture.
    void SetDefaults();

#define ZV_WATCH_PROP(Type, Name)                                                                                     \
    Type Name() const { return F##Name; }                                                                            \
    void Set##Name(Type value) { Store(F##Name, value); }
    ZV_WATCH_PROP(int, Size)
    ZV_WATCH_PROP(TColor, HourPointer)
    ZV_WATCH_PROP(TColor, BackgroundColor)
    ZV_WATCH_PROP(TColor, MinutePointerShadow)
    ZV_WATCH_PROP(TColor, BackgroundColorTo)
    ZV_WATCH_PROP(TColor, HourPointerShadow)
    ZV_WATCH_PROP(TColor, SecondPointer)
    ZV_WATCH_PROP(TColor, BorderColor)
    ZV_WATCH_PROP(TColor, MinutePointer)
    ZV_WATCH_PROP(TAMPMFrame, AMPMFrame)
    ZV_WATCH_PROP(TWatchShape, Shape)
    ZV_WATCH_PROP(TPointerStyle, PointerStyle)
    ZV_WATCH_PROP(int, HourPointerSize)
    ZV_WATCH_PROP(int, SecondPointerSize)
    ZV_WATCH_PROP(int, MinutePointerSize)
    ZV_WATCH_PROP(TColor, HourColor)
    ZV_WATCH_PROP(TColor, MinuteColor)
    ZV_WATCH_PROP(int, CenterPointSize)
    ZV_WATCH_PROP(TColor, CenterPointColor)
    ZV_WATCH_PROP(TColor, CenterPointBorderColor)
    ZV_WATCH_PROP(TWatchGradient, BackgroundGradient)
    ZV_WATCH_PROP(int, HourMarkLength)
    ZV_WATCH_PROP(int, HourMarkWidth)
    ZV_WATCH_PROP(int, MinuteMarkLength)
    ZV_WATCH_PROP(int, MinuteMarkWidth)
    ZV_WATCH_PROP(int, BorderWidth)
    ZV_WATCH_PROP(TColor, AMPMColor)
    ZV_WATCH_PROP(TColor, AMPMBorderColor)
    ZV_WATCH_PROP(TColor, CenterPointOuterBorderColor)
    ZV_WATCH_PROP(TTickMarks, TickMarks)
    ZV_WATCH_PROP(THourMarkStyle, HourMarkStyle)
#undef ZV_WATCH_PROP
    TFont* HourFont() const { return FHourFont.get(); }
    void SetHourFont(TFont* value);
    TFont* AMPMFont() const { return FAMPMFont.get(); }
    void SetAMPMFont(TFont* value);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value);

    // The style recolouring writes the AM/PM box colours without a notification.
    void StoreAMPMColorsQuietly(TColor borderColor, TColor color);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    template <class T>
    void Store(T& field, T value)
    {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();

    int FSize = 0;
    TColor FHourPointer = clBlack;
    TColor FBackgroundColor = clWhite;
    TColor FMinutePointerShadow = clBtnShadow;
    TColor FBackgroundColorTo = clNone;
    TColor FHourPointerShadow = clBtnShadow;
    TColor FSecondPointer = clRed;
    TColor FBorderColor = clBlack;
    TColor FMinutePointer = clBlack;
    std::unique_ptr<TFont> FHourFont;
    std::unique_ptr<TFont> FAMPMFont;
    std::unique_ptr<TPicture> FPicture;
    TAMPMFrame FAMPMFrame = TAMPMFrame::apRect;
    TWatchShape FShape = TWatchShape::wsCircle;
    TPointerStyle FPointerStyle = TPointerStyle::psLine;
    int FHourPointerSize = 4;
    int FSecondPointerSize = 1;
    int FMinutePointerSize = 3;
    TColor FHourColor = clBlack;
    TColor FMinuteColor = clGray;
    int FCenterPointSize = 4;
    TColor FCenterPointColor = clBlack;
    TColor FCenterPointBorderColor = clNone;
    TWatchGradient FBackgroundGradient = TWatchGradient::wgVertical;
    int FHourMarkLength = 0;
    int FHourMarkWidth = 1;
    int FMinuteMarkLength = 0;
    int FMinuteMarkWidth = 1;
    int FBorderWidth = 4;
    TColor FAMPMColor = clWhite;
    TColor FAMPMBorderColor = clBlack;
    TColor FCenterPointOuterBorderColor = clNone;
    TTickMarks FTickMarks = TTickMarks::tmAll;
    THourMarkStyle FHourMarkStyle = THourMarkStyle::hmsLine;
};

class TWatchSettings : public TPersistent {
public:
    bool Auto() const { return FAuto; }
    void SetAuto(bool value) { Store(FAuto, value); }
    bool Second() const { return FSecond; }
    void SetSecond(bool value) { Store(FSecond, value); }
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int value) { Store(FTimeOffset, value); }
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    template <class T>
    void Store(T& field, T value)
    {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange(this);
    }
    bool FAuto = false;
    bool FSecond = true;
    int FTimeOffset = 0;
};

// The recolouring of a clock appearance for one of the visual styles.
void ApplyWatchComponentStyle(TWatchAppearance& appearance, TZvStyle AStyle);

class TZvWatch : public TCustomControl, public IZvStyle {
public:
    explicit TZvWatch(TComponent* AOwner);
    ~TZvWatch() override;

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool value) { FAnimation = value; }
    // Divisor of the animation step; a value below 1 acts as 1.
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int value) { FAnimationFactor = value; }
    TWatchAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TWatchAppearance* value) { FAppearance->Assign(value); }
    TWatchSettings* Settings() const { return FSettings.get(); }
    void SetSettings(TWatchSettings* value) { FSettings->Assign(value); }
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime value);
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool value);
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle value);
    bool AM() const { return FAM; }

    // ---- Input (ZvWatchInput.cpp) ----
    // Hour 0 to 23 and minute 0 to 59; animated unless Animation is off.
    void SetHour(int Value);
    // A minute of 60 or more raises "Invalid time" and changes nothing.
    void SetMinute(int Value);
    // Keys of the time picker's pop-up: Page Up/Down, Home, End, Left, Right, A and P.
    void ClockKeyDown(WORD Key);
    int PointToMinute(int X, int Y) const;
    int PointToHour(int X, int Y) const;
    bool Animating() const;

    // ---- Styles (ZvWatchStyles.cpp) ----
    void SetComponentStyle(TZvStyle AStyle) override;

    // ---- Geometry and painting (ZvWatch.cpp) ----
    // The current time plus the offset in live mode, else Time.
    TDateTime GetDisplayTime() const;
    TRect GetClockRect() const;
    TPoint GetClockCenter() const;
    double GetClockRadius() const;
    TRect GetAMPMRect() const;
    // Redraws the pointers over the cached face.
    void RefreshPointers();
    // The cached face of the last full paint.
    const TBitmap& BackgroundCache() const { return *FBKGCache; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    void PaintClock();
    void DrawBackground(TCanvas& canvas, const TRect& client);
    void DrawDial(TCanvas& canvas);
    void DrawTickMarks(TCanvas& canvas);
    void DrawNumbers(TCanvas& canvas);
    void DrawAMPM(TCanvas& canvas);
    void DrawPointers(TCanvas& canvas);
    void DrawAMPMFrame(TCanvas& canvas, const TRect& box);
    TPoint PointAt(double fraction, double degrees) const;

    void StoreTime(TDateTime value);
    void SetAMState(bool value);
    void AnimationTick();
    void WatchTimerTick();
    void SettingsChanged();
    void AppearanceChanged();
    int AnimationDivisor() const { return FAnimationFactor < 1 ? 1 : FAnimationFactor; }

    bool FAnimation = true;
    int FAnimationFactor = 10;
    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    TWatchStyle FStyle = TWatchStyle::wsClassic;

    bool FAM = true;
    int FCurrentHourTo = 0;
    int FCurrentMinuteTo = 0;
    int FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FInternalSet = false;
    std::unique_ptr<TBitmap> FBKGCache;
    TTimer* FWatchTimer = nullptr;
    TTimer* FAnimationTimer = nullptr;
};
