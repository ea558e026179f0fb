// How the clock's time changes: clicks, keys, SetHour and SetMinute with the
// pointer animation and OnChange, the AM/PM switch and the live mode.
#include "dropdowns/clock/ZvWatch.h"

#include "grid/support/ZvDropDownDraw.h"
#include "platform/DrawText.h"
#include "platform/ScopeGuard.h"
#include "platform/Seams.h"
#include "platform/Timers.h"

#include <QRegion>

#include <cmath>
#include <numbers>

namespace {
int Nearest(double x) { return int(std::nearbyint(x)); }

struct TParts {
    int H = 0, M = 0, S = 0, Ms = 0;
};
TParts Decode(TDateTime t)
{
    TParts p;
    DecodeTime(t, p.H, p.M, p.S, p.Ms);
    return p;
}

// Moves v by step toward t; false when it stood there already.
bool StepHourValue(int& v, int t, int step)
{
    if (v == t) return false;
    step = std::max(step, 1);
    v = v < t ? std::min(v + step, t) : std::max(v - step, t);
    return true;
}

// A target of 0 from above 30 runs forward through 60, which wraps to 0.
bool StepMinuteValue(int& v, int t, int step)
{
    if (v == t) return false;
    step = std::max(step, 1);
    if (v < t || (t == 0 && v > 30)) v += step;
    else v -= step;
    if (v >= 60) v = 0;
    return true;
}
} // namespace

bool TZvWatch::Animating() const { return FAnimationTimer->Enabled(); }

void TZvWatch::StoreTime(TDateTime value)
{
    if (value == FTime) return;
    FTime = value;
    FInternalSet = true;
    TScopeExit reset([this] { FInternalSet = false; });
    SetAMState(Decode(value).H < 12);
}

// ---- Clicks and keys ----------------------------------------------------------------------------
int TZvWatch::PointToMinute(int X, int Y) const
{
    const TPoint c = GetClockCenter();
    int dy = std::abs(c.Y - Y);
    int dx = std::abs(c.X - X);
    if (dy == 0) dy = 1;
    if (dx == 0) dx = 1;
    const int m0 = Nearest(std::atan(double(dy) / dx) * 180.0 / std::numbers::pi / 6);
    int m = 0;
    if (X >= c.X && Y >= c.Y) m = m0 + 15;
    else if (X <= c.X && Y >= c.Y) m = 45 - m0;
    else if (X <= c.X && Y <= c.Y) m = m0 + 45;
    else m = 15 - m0;
    return m < 0 || m > 59 ? 0 : m;
}

int TZvWatch::PointToHour(int X, int Y) const
{
    const int h0 = Nearest(PointToMinute(X, Y) / 5.0);
    if (h0 == 0 || h0 == 12) return FAM ? 0 : 12;
    return FAM ? h0 : h0 + 12;
}

void TZvWatch::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    SetCursor(GetAMPMRect().Contains(Point(X, Y)) ? crHandPoint : crDefault);
}

void TZvWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FSettings->Auto()) return;
    const TRect f = GetClockRect();
    const QRegion face(QRect(f.Left, f.Top, f.Width(), f.Height()), QRegion::Ellipse);
    if (!face.contains(QPoint(X, Y))) {
        SetMinute(PointToMinute(X, Y));
        return;
    }
    if (GetAMPMRect().Contains(Point(X, Y))) {
        if (FAnimation) SetAMState(!FAM);
        const int h = Decode(GetDisplayTime()).H;
        FInternalCall = true;
        TScopeExit reset([this] { FInternalCall = false; });
        FCurrentHourTo = h < 12 ? h + 12 : h - 12;
        SetHour(FCurrentHourTo);
        return;
    }
    SetHour(PointToHour(X, Y));
}

void TZvWatch::ClockKeyDown(WORD Key)
{
    if (FSettings->Auto()) return;
    const TParts t = Decode(GetDisplayTime());
    auto internal = [this](auto step) {
        FInternalCall = true;
        TScopeExit reset([this] { FInternalCall = false; });
        step();
    };
    if (Key == 0x41 && t.H > 11) SetHour(t.H - 12);
    if (Key == 0x50 && t.H < 12) SetHour(t.H + 12);
    switch (Key) {
    case VK_PRIOR:
        if (t.H < 23) SetHour(t.H + 1);
        else internal([&] { SetHour(0); });
        break;
    case VK_NEXT:
        if (t.H > 0) SetHour(t.H - 1);
        else internal([&] { SetHour(23); });
        break;
    case VK_HOME: internal([&] { SetHour(12); }); break;
    case VK_END: SetMinute(0); break;
    case VK_LEFT:
        if (t.M > 0) SetMinute(t.M - 1);
        else SetTime(EncodeTime(t.H == 0 ? 23 : t.H - 1, 59, t.S, t.Ms));
        break;
    case VK_RIGHT:
        if (t.M < 59) SetMinute(t.M + 1);
        else SetMinute(0);
        break;
    default: break;
    }
}

// ---- Setting the time ---------------------------------------------------------------------------
void TZvWatch::SetHour(int Value)
{
    const TParts t = Decode(GetDisplayTime());
    if (Value == t.H) return;
    if (FAnimation && !FInternalCall) {
        FCurrentHourTo = Value;
        FHourAnimating = true;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    StoreTime(EncodeTime(Value, t.M, t.S, t.Ms));
    RefreshPointers();
    if (Value == FCurrentHourTo && OnChange) OnChange(this);
}

void TZvWatch::SetMinute(int Value)
{
    if (Value >= 60 || Value < 0) throw Exception(QStringLiteral("Invalid time"));
    TParts t = Decode(GetDisplayTime());
    if (Value == t.M) return;
    if (FAnimation && !FInternalCall) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = t.M;
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation) FMinuteFrom = t.M;
    if (Value == 0 && FMinuteFrom > 30) {
        t.H = t.H + 1 == 24 ? 0 : t.H + 1;
        FMinuteFrom = 0;
    }
    StoreTime(EncodeTime(t.H, Value, t.S, t.Ms));
    RefreshPointers();
    if (Value == FCurrentMinuteTo && OnChange) OnChange(this);
}

void TZvWatch::AnimationTick()
{
    if (!FAnimation) return;
    const TParts t = Decode(GetDisplayTime());
    FInternalCall = true;
    TScopeExit reset([this] { FInternalCall = false; });
    if (FHourAnimating) {
        int h = t.H;
        const int step = Nearest(std::abs(FCurrentHourTo - h) / double(AnimationDivisor()));
        if (StepHourValue(h, FCurrentHourTo, step)) {
            SetHour(h);
        } else {
            SetHour(FCurrentHourTo);
            FAnimationTimer->SetEnabled(false);
        }
        return;
    }
    int m = t.M;
    const int d = FCurrentMinuteTo == 0 && m > 30 ? std::abs(60 - m) : std::abs(FCurrentMinuteTo - m);
    const int step = Nearest(d / double(AnimationDivisor()));
    if (StepMinuteValue(m, FCurrentMinuteTo, step)) {
        SetMinute(m);
    } else {
        SetMinute(FCurrentMinuteTo);
        FAnimationTimer->SetEnabled(false);
    }
}

// ---- AM/PM ----------------------------------------------------------------------------------------
void TZvWatch::SetAMState(bool value)
{
    if (value == FAM) return;
    FAM = value;
    const TWatchAppearance& a = *FAppearance;
    if (FAnimation && FShowAMPM && a.AMPMColor() != clNone && !FInternalSet && HandleAllocated() &&
        FBKGCache->Width() == ClientWidth() && FBKGCache->Height() == ClientHeight()) {
        const TRect box = GetAMPMRect();
        const TRect inner = Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
        const int w = inner.Width();
        const int h = inner.Height();
        if (w > 0 && h > 0) {
            // Both captions on one strip; a window of the box's height slides from the old one to the new.
            TBitmap strip(w, 2 * h);
            TCanvas& sc = *strip.Canvas();
            sc.Brush()->SetColor(a.AMPMColor());
            sc.FillRect(Rect(0, 0, w, 2 * h));
            sc.Brush()->SetStyle(TBrushStyle::bsClear);
            sc.SetFont(a.AMPMFont());
            TRect upper = Rect(0, 0, w, h);
            TRect lower = Rect(0, h, w, 2 * h);
            DrawText(sc, QStringLiteral("AM"), upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            DrawText(sc, QStringLiteral("PM"), lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            int top = value ? h : 0;
            const int direction = value ? -1 : 1;
            for (int i = 0; i < h; ++i) {
                TBitmap frame(ClientWidth(), ClientHeight());
                TCanvas& fc = *frame.Canvas();
                fc.Draw(0, 0, FBKGCache.get());
                fc.CopyRect(inner, sc, Rect(0, top, w, top + h));
                fc.Brush()->SetStyle(TBrushStyle::bsClear);
                fc.Pen()->SetColor(a.AMPMBorderColor());
                fc.Pen()->SetWidth(1);
                DrawAMPMFrame(fc, box);
                DrawPointers(fc);
                Canvas()->Draw(0, 0, &frame);
                top += direction;
                Sleep(10);
            }
        }
    }
    Invalidate();
}

// ---- Live mode --------------------------------------------------------------------------------------
void TZvWatch::SettingsChanged()
{
    FWatchTimer->SetEnabled(FSettings->Auto());
    if (FSettings->Auto()) {
        SetTime(Now());
        FInternalSet = true;
        TScopeExit reset([this] { FInternalSet = false; });
        SetAMState(Decode(Now()).H < 12);
    }
    Invalidate();
}

void TZvWatch::WatchTimerTick() { RefreshPointers(); }
