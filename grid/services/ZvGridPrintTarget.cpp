#include "grid/services/ZvGridPrintTarget.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace {
String Hex(TColor C) { return QStringLiteral("%1").arg(C, 6, 16, QLatin1Char('0')); }
}   // namespace

// ---- Recording -------------------------------------------------------------------------------

void TRecordingPrintTarget::SetFont(const String& Name, int Height, TFontStyles Style, TColor Color)
{
    FHeight = std::max(1, std::abs(Height));
    const String f = QStringLiteral("font %1 %2 %3 %4").arg(Name).arg(FHeight).arg(Style.Bits()).arg(Hex(Color));
    if (f != FFont) Log << f;
    FFont = f;
}

TPoint TRecordingPrintTarget::TextExtent(const String& Text) { return {int(Text.size()) * FHeight / 2, FHeight}; }

void TRecordingPrintTarget::TextOut(int X, int Y, const String& Text)
{
    Log << QStringLiteral("text %1,%2 \"%3\"").arg(X).arg(Y).arg(Text);
}

void TRecordingPrintTarget::Fill(const TRect& R, TColor Color, TColor ColorTo)
{
    String l = QStringLiteral("fill %1,%2,%3,%4 %5").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom).arg(Hex(Color));
    if (ColorTo != clNone) l += QStringLiteral(" to %1").arg(Hex(ColorTo));
    Log << l;
}

void TRecordingPrintTarget::Line(int X1, int Y1, int X2, int Y2, TColor Color, int Width)
{
    Log << QStringLiteral("line %1,%2 %3,%4 %5 w%6").arg(X1).arg(Y1).arg(X2).arg(Y2).arg(Hex(Color)).arg(Width);
}

void TRecordingPrintTarget::NewPage() { Log << QStringLiteral("page"); }

// ---- Painter ---------------------------------------------------------------------------------

TPainterPrintTarget::TPainterPrintTarget(QPainter* Painter, int Dpi, int DeviceWidth, int DeviceHeight,
                                         std::function<void()> NewPageHook)
    : FPainter(Painter), FDpi(Dpi), FWidth(DeviceWidth), FHeight(DeviceHeight), FNewPage(std::move(NewPageHook))
{
}

int TPainterPrintTarget::ToDevice(int Units) const { return int(std::lround(double(Units) * FDpi / 254.0)); }
int TPainterPrintTarget::ToUnits(int Dots) const { return int(std::lround(double(Dots) * 254.0 / FDpi)); }

TRect TPainterPrintTarget::PageRect() const { return {0, 0, ToUnits(FWidth), -ToUnits(FHeight)}; }

void TPainterPrintTarget::SetFont(const String& Name, int Height, TFontStyles Style, TColor Color)
{
    QFont f(Name);
    f.setPixelSize(std::max(1, ToDevice(std::abs(Height))));
    f.setBold(Style.Contains(TFontStyle::fsBold));
    f.setItalic(Style.Contains(TFontStyle::fsItalic));
    f.setUnderline(Style.Contains(TFontStyle::fsUnderline));
    f.setStrikeOut(Style.Contains(TFontStyle::fsStrikeOut));
    FPainter->setFont(f);
    FPainter->setPen(ToQColor(Color));
}

TPoint TPainterPrintTarget::TextExtent(const String& Text)
{
    const QFontMetrics m(FPainter->font(), FPainter->device());
    return {ToUnits(m.horizontalAdvance(Text)), ToUnits(m.height())};
}

void TPainterPrintTarget::TextOut(int X, int Y, const String& Text)
{
    const QFontMetrics m(FPainter->font(), FPainter->device());
    FPainter->drawText(QPoint(ToDevice(X), ToDevice(-Y) + m.ascent()), Text);
}

void TPainterPrintTarget::Fill(const TRect& R, TColor Color, TColor ColorTo)
{
    const QRect r(QPoint(ToDevice(R.Left), ToDevice(-R.Top)), QPoint(ToDevice(R.Right) - 1, ToDevice(-R.Bottom) - 1));
    if (ColorTo == clNone) {
        FPainter->fillRect(r, ToQColor(Color));
        return;
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, ToQColor(Color));
    g.setColorAt(1, ToQColor(ColorTo));
    FPainter->fillRect(r, g);
}

void TPainterPrintTarget::Line(int X1, int Y1, int X2, int Y2, TColor Color, int Width)
{
    const QPen old = FPainter->pen();
    FPainter->setPen(QPen(ToQColor(Color), std::max(1, ToDevice(Width))));
    FPainter->drawLine(ToDevice(X1), ToDevice(-Y1), ToDevice(X2), ToDevice(-Y2));
    FPainter->setPen(old);
}

void TPainterPrintTarget::NewPage()
{
    if (FNewPage) FNewPage();
}
