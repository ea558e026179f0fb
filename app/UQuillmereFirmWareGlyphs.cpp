// The main window's pictures. Each is drawn smooth on a clear background:
// the button leaves out the colour of the bottom-left pixel, which is the
// clear one, and blends the soft edges over its face. No picture uses pure
// black, so nothing drawn is taken for the background.

#include "app/UQuillmereFirmWareGlyphs.h"

#include "platform/Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace {

const QColor Ink(40, 48, 64);
const QColor Steel(84, 110, 140);
const QColor Sky(52, 126, 204);
const QColor Leaf(46, 150, 72);
const QColor Ember(206, 58, 48);
const QColor Amber(236, 176, 44);
const QColor Paper(250, 250, 246);

// A picture of `size` pixels drawn on a 32-unit grid.
QImage Draw(int size, const std::function<void(QPainter&)>& paint)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    paint(p);
    p.end();
    // The bottom-left pixel tells the button what to leave out: keep it clear.
    image.setPixel(0, size - 1, 0);
    return image;
}

QPen Stroke(const QColor& c, double w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Info(QPainter& p)
{
    p.setPen(Stroke(Sky.darker(130), 1.5));
    p.setBrush(Sky);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawEllipse(QRectF(14, 7.5, 4, 4));
    p.drawRoundedRect(QRectF(14, 13.5, 4, 12), 1, 1);
}

void Options(QPainter& p)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth, a1 = (i + 0.5) * M_PI / teeth;
        const double r = (i % 2 == 0) ? 14.0 : 10.5;
        const QPointF p0(16 + r * std::cos(a0), 16 + r * std::sin(a0));
        const QPointF p1(16 + r * std::cos(a1), 16 + r * std::sin(a1));
        if (i == 0) gear.moveTo(p0); else gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(16, 16), 4.5, 4.5);
    p.setPen(Stroke(Steel.darker(140), 1.2));
    p.setBrush(Steel);
    p.drawPath(gear);
}

void Close(QPainter& p)
{
    p.setPen(Stroke(Ember.darker(130), 1.5));
    p.setBrush(Ember);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(Stroke(Paper, 3.5));
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void Sheet(QPainter& p)
{
    QPainterPath page;
    page.moveTo(6, 3);
    page.lineTo(19, 3);
    page.lineTo(26, 10);
    page.lineTo(26, 29);
    page.lineTo(6, 29);
    page.closeSubpath();
    p.setPen(Stroke(Ink, 1.5));
    p.setBrush(Paper);
    p.drawPath(page);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(19, 3), QPointF(19, 10), QPointF(26, 10)}));
}

void New(QPainter& p)
{
    Sheet(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Leaf);
    p.drawEllipse(QRectF(15, 15, 15, 15));
    p.setPen(Stroke(Paper, 2.5));
    p.drawLine(QPointF(22.5, 18.5), QPointF(22.5, 26.5));
    p.drawLine(QPointF(18.5, 22.5), QPointF(26.5, 22.5));
}

void Open(QPainter& p)
{
    p.setPen(Stroke(Amber.darker(150), 1.5));
    p.setBrush(Amber.darker(115));
    p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(12, 7), QPointF(15, 10), QPointF(27, 10), QPointF(27, 26),
                              QPointF(3, 26)}));
    p.setBrush(Amber);
    p.drawPolygon(QPolygonF({QPointF(7, 14), QPointF(30, 14), QPointF(27, 26), QPointF(3, 26)}));
}

void Communication(QPainter& p)
{
    p.setPen(Stroke(Steel, 2));
    p.drawLine(QPointF(16, 8), QPointF(7, 24));
    p.drawLine(QPointF(16, 8), QPointF(25, 24));
    p.drawLine(QPointF(7, 24), QPointF(25, 24));
    p.setPen(Stroke(Ink, 1.2));
    p.setBrush(Sky);
    for (const QPointF& c : {QPointF(16, 8), QPointF(7, 24), QPointF(25, 24)}) p.drawEllipse(c, 5, 5);
}

void DALI(QPainter& p)
{
    p.setPen(Stroke(Amber.darker(160), 1.4));
    p.setBrush(QColor(255, 224, 96));
    QPainterPath bulb;
    bulb.addEllipse(QRectF(7, 2, 18, 18));
    bulb.addRect(QRectF(12, 16, 8, 6));
    p.drawPath(bulb.simplified());
    p.setBrush(Steel);
    p.setPen(Stroke(Ink, 1));
    p.drawRoundedRect(QRectF(11.5, 22, 9, 7), 2, 2);
    p.setPen(Stroke(Ink, 1));
    p.drawLine(QPointF(12, 25.5), QPointF(20, 25.5));
}

void SNMP(QPainter& p)
{
    p.setPen(Stroke(Ink, 1.4));
    p.setBrush(Steel);
    p.drawRoundedRect(QRectF(4, 4, 24, 18), 2, 2);
    p.setBrush(QColor(210, 232, 250));
    p.drawRect(QRectF(7, 7, 18, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Leaf);
    const double bars[] = {4, 7, 10};
    for (int i = 0; i < 3; ++i) p.drawRect(QRectF(10 + i * 5, 18 - bars[i], 3, bars[i]));
    p.setPen(Stroke(Ink, 1.6));
    p.drawLine(QPointF(16, 22), QPointF(16, 27));
    p.drawLine(QPointF(9, 28), QPointF(23, 28));
}

void Update(QPainter& p)
{
    p.setPen(Stroke(Ink, 1.4));
    p.setBrush(Steel);
    p.drawRoundedRect(QRectF(5, 19, 22, 10), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Leaf.lighter(140));
    p.drawEllipse(QPointF(22, 24), 1.8, 1.8);
    p.setBrush(Sky);
    p.setPen(Stroke(Sky.darker(140), 1.2));
    p.drawPolygon(QPolygonF({QPointF(13, 2), QPointF(19, 2), QPointF(19, 9), QPointF(24, 9), QPointF(16, 17),
                              QPointF(8, 9), QPointF(13, 9)}));
}

void Table(QPainter& p)
{
    p.setPen(Stroke(Ink, 1.4));
    p.setBrush(Paper);
    p.drawRect(QRectF(4, 6, 24, 20));
    p.setBrush(QColor(200, 220, 240));
    p.drawRect(QRectF(4, 6, 24, 5));
    p.setPen(Stroke(Ink, 1));
    p.drawLine(QPointF(12, 6), QPointF(12, 26));
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
    p.drawLine(QPointF(4, 21), QPointF(28, 21));
}

void File(QPainter& p)
{
    Sheet(p);
    p.setPen(Stroke(Steel, 1.5));
    for (double y : {14.0, 18.0, 22.0}) p.drawLine(QPointF(10, y), QPointF(22, y));
}

void Brand(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Sky);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    p.setPen(Stroke(Paper, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(9, 9), QPointF(23, 9), QPointF(9, 23), QPointF(23, 23)}));
}

} // namespace

void Register_Main_Window_Glyphs()
{
    struct TEntry {
        const String* Name;
        int Size;
        void (*Paint)(QPainter&);
    };
    // The three buttons of the title area are larger than the step buttons.
    const TEntry entries[] = {
        {&Glyph_Info, 32, Info},       {&Glyph_Options, 32, Options},
        {&Glyph_Close, 32, Close},     {&Glyph_New, 24, New},
        {&Glyph_Open, 24, Open},       {&Glyph_Communication, 24, Communication},
        {&Glyph_DALI, 24, DALI},       {&Glyph_SNMP, 24, SNMP},
        {&Glyph_Update, 24, Update},   {&Glyph_Table, 24, Table},
        {&Glyph_File, 24, File},       {&Glyph_Brand, 48, Brand},
    };
    for (const TEntry& e : entries) {
        const int size = e.Size;
        auto paint = e.Paint;
        RegisterBitmapResource(*e.Name, [size, paint] { return Draw(size, paint); });
    }
}
