// The clock's appearance and settings, its construction, geometry and painting.
#include "dropdowns/clock/ZvWatch.h"

#include "grid/support/ZvDropDownDraw.h"
#include "platform/DrawText.h"
#include "platform/Timers.h"

#include <QPainterPath>
#include <QRegion>

#include <cmath>
#include <numbers>

namespace {
// Halves go to the even neighbour, as the clock's arithmetic expects.
int Nearest(double x) { return int(std::nearbyint(x)); }
double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }
} // namespace

// ---- Appearance -----------------------------------------------------------------------------------
TWatchAppearance::TWatchAppearance()
    : FHourFont(std::make_unique<TFont>()), FAMPMFont(std::make_unique<TFont>()), FPicture(std::make_unique<TPicture>())
{
    SetDefaults();
    FPicture->OnChange = [this](TObject*) { Changed(); };
}

TWatchAppearance::~TWatchAppearance() { FPicture->OnChange = nullptr; }

void TWatchAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

void TWatchAppearance::SetDefaults()
{
    FSize = 0;
    FHourPointer = clBlack;
    FBackgroundColor = clWhite;
    FMinutePointerShadow = clBtnShadow;
    FBackgroundColorTo = clNone;
    FHourPointerShadow = clBtnShadow;
    FSecondPointer = clRed;
    FBorderColor = clBlack;
    FMinutePointer = clBlack;
    FAMPMFrame = TAMPMFrame::apRect;
    FShape = TWatchShape::wsCircle;
    FPointerStyle = TPointerStyle::psLine;
    FHourPointerSize = 4;
    FSecondPointerSize = 1;
    FMinutePointerSize = 3;
    FHourColor = clBlack;
    FMinuteColor = clGray;
    FCenterPointSize = 4;
    FCenterPointColor = clBlack;
    FCenterPointBorderColor = clNone;
    FBackgroundGradient = TWatchGradient::wgVertical;
    FHourMarkLength = 0;
    FHourMarkWidth = 1;
    FMinuteMarkLength = 0;
    FMinuteMarkWidth = 1;
    FBorderWidth = 4;
    FAMPMColor = clWhite;
    FAMPMBorderColor = clBlack;
    FCenterPointOuterBorderColor = clNone;
    FTickMarks = TTickMarks::tmAll;
    FHourMarkStyle = THourMarkStyle::hmsLine;
    TFont hour;
    hour.SetName(QStringLiteral("Tahoma"));
    hour.SetSize(8);
    FHourFont->Assign(&hour);
    hour.SetSize(10);
    FAMPMFont->Assign(&hour);
    const TNotifyEvent keep = FPicture->OnChange;
    FPicture->OnChange = nullptr;
    FPicture->Assign(nullptr);
    FPicture->OnChange = keep;
    Changed();
}

void TWatchAppearance::SetHourFont(TFont* value)
{
    FHourFont->Assign(value);
    Changed();
}

void TWatchAppearance::SetAMPMFont(TFont* value)
{
    FAMPMFont->Assign(value);
    Changed();
}

void TWatchAppearance::SetPicture(TPicture* value)
{
    FPicture->Assign(value);
    Changed();
}

void TWatchAppearance::StoreAMPMColorsQuietly(TColor borderColor, TColor color)
{
    FAMPMBorderColor = borderColor;
    FAMPMColor = color;
}

void TWatchAppearance::Assign(TPersistent* source)
{
    auto* o = dynamic_cast<TWatchAppearance*>(source);
    if (!o) {
        TPersistent::Assign(source);
        return;
    }
    if (o == this) return;
    FSize = o->FSize;
    FHourPointer = o->FHourPointer;
    FBackgroundColor = o->FBackgroundColor;
    FMinutePointerShadow = o->FMinutePointerShadow;
    FBackgroundColorTo = o->FBackgroundColorTo;
    FHourPointerShadow = o->FHourPointerShadow;
    FSecondPointer = o->FSecondPointer;
    FBorderColor = o->FBorderColor;
    FMinutePointer = o->FMinutePointer;
    FHourFont->Assign(o->FHourFont.get());
    FAMPMFont->Assign(o->FAMPMFont.get());
    FPicture->Assign(o->FPicture.get());
    FAMPMFrame = o->FAMPMFrame;
    FShape = o->FShape;
    FPointerStyle = o->FPointerStyle;
    FHourPointerSize = o->FHourPointerSize;
    FSecondPointerSize = o->FSecondPointerSize;
    FMinutePointerSize = o->FMinutePointerSize;
    FHourColor = o->FHourColor;
    FMinuteColor = o->FMinuteColor;
    FCenterPointSize = o->FCenterPointSize;
    FCenterPointColor = o->FCenterPointColor;
    FCenterPointBorderColor = o->FCenterPointBorderColor;
    FBackgroundGradient = o->FBackgroundGradient;
    FHourMarkLength = o->FHourMarkLength;
    FHourMarkWidth = o->FHourMarkWidth;
    FMinuteMarkLength = o->FMinuteMarkLength;
    FMinuteMarkWidth = o->FMinuteMarkWidth;
    FBorderWidth = o->FBorderWidth;
    FAMPMColor = o->FAMPMColor;
    FAMPMBorderColor = o->FAMPMBorderColor;
    SetCenterPointOuterBorderColor(o->FCenterPointOuterBorderColor);
    SetTickMarks(o->FTickMarks);
    SetHourMarkStyle(o->FHourMarkStyle);
    Changed();
}

void TWatchSettings::Assign(TPersistent* source)
{
    auto* o = dynamic_cast<TWatchSettings*>(source);
    if (!o) {
        TPersistent::Assign(source);
        return;
    }
    FSecond = o->FSecond;
    FTimeOffset = o->FTimeOffset;
    SetAuto(o->FAuto);
}

// ---- Construction ---------------------------------------------------------------------------------
TZvWatch::TZvWatch(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()), FBKGCache(std::make_unique<TBitmap>())
{
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
    FSettings->OnChange = [this](TObject*) { SettingsChanged(); };
    FWatchTimer = new TTimer(this);
    FWatchTimer->SetInterval(100);
    FWatchTimer->SetEnabled(FSettings->Auto());
    FWatchTimer->OnTimer = [this](TObject*) { WatchTimerTick(); };
    FAnimationTimer = new TTimer(this);
    FAnimationTimer->SetInterval(1);
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->OnTimer = [this](TObject*) { AnimationTick(); };
    SetBounds(Left(), Top(), 180, 180);
    FBKGCache->SetSize(180, 180);
}

TZvWatch::~TZvWatch()
{
    FAppearance->OnChange = nullptr;
    FSettings->OnChange = nullptr;
    FAnimationTimer->SetEnabled(false);
    FWatchTimer->SetEnabled(false);
}

void TZvWatch::SetTime(TDateTime value)
{
    if (value == FTime) return;
    StoreTime(value);
    RefreshPointers();
}

void TZvWatch::SetShowAMPM(bool value)
{
    if (value == FShowAMPM) return;
    FShowAMPM = value;
    Invalidate();
}

void TZvWatch::SetShowNumbers(bool value)
{
    if (value == FShowNumbers) return;
    FShowNumbers = value;
    Invalidate();
}

void TZvWatch::AppearanceChanged() { Invalidate(); }

void TZvWatch::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = TabStop() ? (DLGC_WANTARROWS | DLGC_WANTALLKEYS) : 0;
}

// ---- Geometry --------------------------------------------------------------------------------------
TDateTime TZvWatch::GetDisplayTime() const
{
    if (FSettings->Auto()) return Now() + FSettings->TimeOffset() / 1440.0;
    return FTime;
}

TRect TZvWatch::GetClockRect() const
{
    const TRect c = ClientRect();
    const int w = c.Width();
    const int h = c.Height();
    int s = FAppearance->Size();
    if (s > 0) s = std::min(std::min(s, w), h);
    else s = std::min(w, h) - 20;
    const int left = c.Left + (w - s) / 2;
    const int top = c.Top + (h - s) / 2;
    return Rect(left, top, left + s, top + s);
}

TPoint TZvWatch::GetClockCenter() const
{
    const TRect f = GetClockRect();
    return Point(f.Left + (f.Right - f.Left) / 2, f.Top + (f.Bottom - f.Top) / 2);
}

double TZvWatch::GetClockRadius() const
{
    const TRect f = GetClockRect();
    return double((f.Right - f.Left) / 2);
}

TRect TZvWatch::GetAMPMRect() const
{
    if (!FShowAMPM) return Rect(-1, -1, -1, -1);
    TCanvas* canvas = Canvas();
    canvas->SetFont(FAppearance->AMPMFont());
    const TSize m = MeasureSingleLine(*canvas, QStringLiteral("AM"));
    const int w = m.cx + 8;
    const int h = m.cy;
    const TPoint c = GetClockCenter();
    const int left = c.X - w / 2;
    const int top = Nearest((GetClockRadius() - h) / 3) + c.Y;
    return Rect(left, top, left + w, top + h);
}

TPoint TZvWatch::PointAt(double fraction, double degrees) const
{
    const TPoint c = GetClockCenter();
    const double r = GetClockRadius();
    return Point(Nearest(c.X + fraction * r * std::sin(Rad(degrees))), Nearest(c.Y - fraction * r * std::cos(Rad(degrees))));
}

// ---- Painting --------------------------------------------------------------------------------------
void TZvWatch::Paint()
{
    TCustomControl::Paint();
    PaintClock();
}

void TZvWatch::PaintClock()
{
    TCanvas* target = Canvas();
    if (!target) return;
    const TRect client = ClientRect();
    FBKGCache->SetSize(client.Width(), client.Height());
    // The face stands on the control's own colour where the shape leaves the corners free.
    TCanvas& cache = *FBKGCache->Canvas();
    cache.Brush()->SetStyle(TBrushStyle::bsSolid);
    cache.Brush()->SetColor(Color());
    cache.FillRect(client);
    DrawBackground(cache, client);
    DrawDial(cache);
    DrawAMPM(cache);
    target->Draw(0, 0, FBKGCache.get());
    DrawPointers(*target);
}

void TZvWatch::RefreshPointers()
{
    const TRect client = ClientRect();
    if (FBKGCache->Width() != client.Width() || FBKGCache->Height() != client.Height() || !HandleAllocated()) {
        Invalidate();
        return;
    }
    TBitmap frame(client.Width(), client.Height());
    frame.Canvas()->Draw(0, 0, FBKGCache.get());
    DrawPointers(*frame.Canvas());
    Canvas()->Draw(0, 0, &frame);
}

void TZvWatch::DrawBackground(TCanvas& canvas, const TRect& client)
{
    const TWatchAppearance& a = *FAppearance;
    const TRect f = a.Shape() == TWatchShape::wsCircle ? GetClockRect() : client;
    const QRect enlarged(f.Left - 1, f.Top - 1, f.Width() + 3, f.Height() + 3);
    if (a.Shape() == TWatchShape::wsCircle) {
        canvas.SetClipRegion(QRegion(enlarged, QRegion::Ellipse));
    } else if (a.Shape() == TWatchShape::wsRoundRect) {
        QPainterPath path;
        path.addRoundedRect(QRectF(enlarged), 10, 10);
        canvas.SetClipRegion(QRegion(path.toFillPolygon().toPolygon()));
    }
    if (a.BackgroundColor() != clNone && a.BackgroundColorTo() != clNone) {
        DrawDropDownGradient(canvas, a.BackgroundColor(), a.BackgroundColorTo(),
                             a.BackgroundGradient() == TWatchGradient::wgRadial, f, 80);
    } else if (a.BackgroundColor() != clNone) {
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(a.BackgroundColor());
        canvas.FillRect(f);
    }
    if (a.BorderColor() != clNone && a.BorderWidth() > 0) {
        canvas.Pen()->SetColor(a.BorderColor());
        canvas.Pen()->SetWidth(a.BorderWidth());
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        switch (a.Shape()) {
        case TWatchShape::wsCircle: canvas.Ellipse(f); break;
        case TWatchShape::wsRect: canvas.Rectangle(client); break;
        case TWatchShape::wsRoundRect: canvas.RoundRect(client, 20, 20); break;
        }
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
    canvas.SetClipRegion(QRegion());
    TGraphic* graphic = a.Picture()->Graphic();
    if (graphic && !graphic->Empty()) {
        // Drawn at its own size; the colour of the bottom-left pixel shows the face through.
        TBitmap layer(client.Width(), client.Height());
        layer.Canvas()->Brush()->SetColor(clWhite);
        layer.Canvas()->FillRect(Rect(0, 0, client.Width(), client.Height()));
        layer.Canvas()->Draw(0, 0, graphic);
        layer.SetTransparentMode(TTransparentMode::tmAuto);
        layer.SetTransparent(true);
        canvas.StretchDraw(client, &layer);
    }
}

void TZvWatch::DrawDial(TCanvas& canvas)
{
    DrawTickMarks(canvas);
    DrawNumbers(canvas);
}

void TZvWatch::DrawTickMarks(TCanvas& canvas)
{
    const TWatchAppearance& a = *FAppearance;
    if (a.TickMarks() == TTickMarks::tmNone) return;
    const TPoint c = GetClockCenter();
    const double rOut = GetClockRadius() - a.BorderWidth() / 2;
    // Angles from 3 o'clock here.
    auto at = [&](double r, double deg) {
        return Point(Nearest(c.X + r * std::cos(Rad(deg))), Nearest(c.Y + r * std::sin(Rad(deg))));
    };
    auto mark = [&](double rIn, double deg, int dx, int dy) {
        const TPoint p = at(rIn, deg);
        const TPoint q = at(rOut, deg);
        canvas.MoveTo(p.X + dx, p.Y + dy);
        canvas.LineTo(q.X + dx, q.Y + dy);
    };
    double rIn = a.HourMarkLength() > 0 ? rOut - a.HourMarkLength() : 0.9 * rOut;
    canvas.Pen()->SetColor(a.HourColor());
    canvas.Pen()->SetWidth(a.HourMarkWidth());
    for (int q = 0; q < 4; ++q) {
        const double deg = q * 90.0;
        if (a.HourMarkStyle() == THourMarkStyle::hmsQuartDblLine) {
            const bool horizontal = q % 2 == 0;   // 3 and 9 o'clock
            mark(rIn, deg, horizontal ? 0 : -2, horizontal ? -2 : 0);
            mark(rIn, deg, horizontal ? 0 : 2, horizontal ? 2 : 0);
        } else {
            mark(rIn, deg, 0, 0);
        }
    }
    if (a.TickMarks() == TTickMarks::tmAll || a.TickMarks() == TTickMarks::tmHours)
        for (int deg = 30; deg < 360; deg += 30)
            if (deg % 90 != 0) mark(rIn, deg, 0, 0);
    if (a.TickMarks() != TTickMarks::tmAll) return;
    rIn = a.MinuteMarkLength() > 0 ? rOut - a.MinuteMarkLength() : 0.95 * rOut;
    canvas.Pen()->SetColor(a.MinuteColor());
    canvas.Pen()->SetWidth(a.MinuteMarkWidth());
    for (int deg = 0; deg < 360; deg += 6)
        if (deg % 30 != 0) mark(rIn, deg, 0, 0);
}

void TZvWatch::DrawNumbers(TCanvas& canvas)
{
    const TWatchAppearance& a = *FAppearance;
    if (!FShowNumbers || a.TickMarks() == TTickMarks::tmNone || a.TickMarks() == TTickMarks::tmHours) return;
    canvas.SetFont(a.HourFont());
    TCanvas& own = *Canvas();
    own.SetFont(a.HourFont());
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    const TPoint c = GetClockCenter();
    const double rOut = GetClockRadius() - a.BorderWidth() / 2;
    const int b = a.HourMarkLength() > 0 ? a.HourMarkLength() : Nearest(rOut - 0.9 * rOut) + 2;
    const double rn = rOut - 2 * b - 2;
    for (int i = 1; i <= 12; ++i) {
        if (a.TickMarks() == TTickMarks::tmQuartHours && i % 3 != 0) continue;
        const String text = String::number(i);
        const TSize m = MeasureSingleLine(own, text);
        const int d = i == 10 ? Nearest(m.cy * 0.2) : i == 11 ? Nearest(m.cy * 0.15) : 0;
        const double r = rn - d + b / 2;
        canvas.TextOut(c.X + Nearest(r * std::sin(Rad(30.0 * i))) - m.cx / 2,
                       c.Y - Nearest(r * std::cos(Rad(30.0 * i))) - m.cy / 2, text);
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TZvWatch::DrawAMPMFrame(TCanvas& canvas, const TRect& box)
{
    if (FAppearance->AMPMFrame() == TAMPMFrame::apRect) canvas.Rectangle(box);
    else canvas.RoundRect(box, 5, 5);
}

void TZvWatch::DrawAMPM(TCanvas& canvas)
{
    if (!FShowAMPM) return;
    const TWatchAppearance& a = *FAppearance;
    TRect box = GetAMPMRect();
    if (a.AMPMColor() == clNone) {
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    } else {
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(a.AMPMColor());
    }
    canvas.Pen()->SetColor(a.AMPMBorderColor());
    canvas.Pen()->SetWidth(1);
    if (a.AMPMColor() != clNone || a.AMPMBorderColor() != clNone) DrawAMPMFrame(canvas, box);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.SetFont(a.AMPMFont());
    DrawText(canvas, FAM ? QStringLiteral("AM") : QStringLiteral("PM"), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TZvWatch::DrawPointers(TCanvas& canvas)
{
    const TWatchAppearance& a = *FAppearance;
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(GetDisplayTime(), hour, minute, second, ms);
    if (FSettings->Auto() && FAM != (hour < 12)) {
        // The half of the day changed in live mode: the box shows it at the next full paint.
        FAM = hour < 12;
        Invalidate();
    }
    const double ah = (hour % 12) * 30 + minute / 12.0 * 6;
    const double am = minute * 6;
    const double as = second * 6;
    auto line = [&](TColor color, int width, double from, double to, double deg, int dx, int dy) {
        canvas.Pen()->SetColor(color);
        canvas.Pen()->SetWidth(width);
        const TPoint p = PointAt(from, deg);
        const TPoint q = PointAt(to, deg);
        canvas.MoveTo(p.X + dx, p.Y + dy);
        canvas.LineTo(q.X + dx, q.Y + dy);
    };
    auto pointer = [&](TColor color, double length, double deg, int dx, int dy) {
        canvas.Pen()->SetColor(color);
        canvas.Pen()->SetWidth(1);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(color);
        std::vector<TPoint> pts = {PointAt(-0.1, deg), PointAt(0.05, deg - 90), PointAt(length, deg),
                                   PointAt(0.05, deg + 90)};
        for (TPoint& p : pts) p = Point(p.X + dx, p.Y + dy);
        canvas.Polygon(pts);
    };
    const bool second_ = FSettings->Auto() && FSettings->Second();
    if (a.PointerStyle() == TPointerStyle::psLine) {
        if (a.HourPointerShadow() != clNone) line(a.HourPointerShadow(), a.HourPointerSize(), -0.1, 0.46, ah, -1, 3);
        if (a.MinutePointerShadow() != clNone) line(a.MinutePointerShadow(), a.MinutePointerSize(), -0.1, 0.65, am, 0, 3);
        line(a.HourPointer(), a.HourPointerSize(), -0.1, 0.5, ah, 0, 0);
        line(a.MinutePointer(), a.MinutePointerSize(), -0.1, 0.7, am, 0, 0);
        if (second_) line(a.SecondPointer(), a.SecondPointerSize(), -0.2, 0.9, as, 0, 0);
    } else if (a.PointerStyle() == TPointerStyle::psPointer) {
        if (a.HourPointerShadow() != clNone) pointer(a.HourPointerShadow(), 0.5, ah, 1, 3);
        pointer(a.HourPointer(), 0.5, ah, 0, 0);
        if (a.MinutePointerShadow() != clNone) pointer(a.MinutePointerShadow(), 0.7, am, 1, 3);
        pointer(a.MinutePointer(), 0.7, am, 0, 0);
        if (second_) line(a.SecondPointer(), a.SecondPointerSize(), -0.2, 0.9, as, 0, 0);
    }
    // psShortLine and psLineArrow have no shapes of their own: only the centre point shows.
    const int s = a.CenterPointSize();
    if (s <= 0) return;
    const TPoint c = GetClockCenter();
    const int x1 = Nearest(c.X - s / 2.0);
    const int y1 = Nearest(c.Y - s / 2.0);
    int wo = 0;
    if (a.CenterPointColor() != clNone) {
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(a.CenterPointColor());
        canvas.Pen()->SetColor(a.CenterPointColor());
        canvas.Pen()->SetWidth(1);
        canvas.Ellipse(x1, y1, x1 + s, y1 + s);
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    if (a.CenterPointOuterBorderColor() != clNone) {
        wo = Nearest(0.2 * s);
        canvas.Pen()->SetColor(a.CenterPointOuterBorderColor());
        canvas.Pen()->SetWidth(wo);
        canvas.Ellipse(x1, y1, x1 + s, y1 + s);
    }
    if (a.CenterPointBorderColor() != clNone) {
        const int inner = s - wo;
        const int xi = Nearest(c.X - inner / 2.0);
        const int yi = Nearest(c.Y - inner / 2.0);
        canvas.Pen()->SetColor(a.CenterPointBorderColor());
        canvas.Pen()->SetWidth(Nearest(0.1 * s));
        canvas.Ellipse(xi, yi, xi + inner, yi + inner);
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}
