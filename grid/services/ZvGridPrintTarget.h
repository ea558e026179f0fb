#pragma once
// What the page engine draws on. The engine thinks in tenths of a millimetre
// with y growing upward (the page's top edge is y = 0, positions below it are
// negative), as printers are addressed on the platform. A target turns that
// into its own units: the painter target scales by its resolution and flips
// y, so text always runs left to right and top to bottom on the page; the
// recording target keeps the engine's numbers and writes one line per call.

#include "platform/Graphics.h"
#include "platform/Types.h"

#include <QStringList>

class QPainter;

class TPrintTarget {
public:
    virtual ~TPrintTarget() = default;
    // The drawable page, (0, 0, width, height) with height negative.
    virtual TRect PageRect() const = 0;
    // Height in tenths of a millimetre (positive).
    virtual void SetFont(const String& Name, int Height, TFontStyles Style, TColor Color) = 0;
    // Width and height of the text in the current font.
    virtual TPoint TextExtent(const String& Text) = 0;
    // The text's top-left corner at (X, Y).
    virtual void TextOut(int X, int Y, const String& Text) = 0;
    // Top is the larger y. ColorTo clNone fills plain; else top to bottom.
    virtual void Fill(const TRect& R, TColor Color, TColor ColorTo) = 0;
    virtual void Line(int X1, int Y1, int X2, int Y2, TColor Color, int Width) = 0;
    virtual void NewPage() = 0;
};

// Fixed metrics so layouts are the same on every machine: a character is
// half the font height wide, a line is the font height.
class TRecordingPrintTarget : public TPrintTarget {
public:
    explicit TRecordingPrintTarget(TRect Page) : FPage(Page) {}
    TRect PageRect() const override { return FPage; }
    void SetFont(const String& Name, int Height, TFontStyles Style, TColor Color) override;
    TPoint TextExtent(const String& Text) override;
    void TextOut(int X, int Y, const String& Text) override;
    void Fill(const TRect& R, TColor Color, TColor ColorTo) override;
    void Line(int X1, int Y1, int X2, int Y2, TColor Color, int Width) override;
    void NewPage() override;
    // One line per call; fonts only when they change.
    QStringList Log;

private:
    TRect FPage;
    int FHeight = 10;
    String FFont;
};

// Over a painter on a printer, a PDF writer or an image of Dpi dots per inch.
// A tenth of a millimetre is Dpi / 254 device dots; y is negated.
class TPainterPrintTarget : public TPrintTarget {
public:
    TPainterPrintTarget(QPainter* Painter, int Dpi, int DeviceWidth, int DeviceHeight,
                        std::function<void()> NewPageHook = {});
    TRect PageRect() const override;
    void SetFont(const String& Name, int Height, TFontStyles Style, TColor Color) override;
    TPoint TextExtent(const String& Text) override;
    void TextOut(int X, int Y, const String& Text) override;
    void Fill(const TRect& R, TColor Color, TColor ColorTo) override;
    void Line(int X1, int Y1, int X2, int Y2, TColor Color, int Width) override;
    void NewPage() override;

    int ToDevice(int Units) const;
    int ToUnits(int Dots) const;

private:
    QPainter* FPainter;
    int FDpi;
    int FWidth;
    int FHeight;
    std::function<void()> FNewPage;
};
