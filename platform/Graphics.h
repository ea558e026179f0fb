#pragma once
// Colours, fonts, pens, brushes, the canvas and bitmaps over QPainter and QImage.

#include "platform/Classes.h"
#include "platform/Sets.h"
#include "platform/Types.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QRectF>
#include <QRegion>

#include <tuple>

class QPainter;
class QPaintDevice;

// ---- Colours ---------------------------------------------------------------
// 0x00BBGGRR for an RGB colour (red in the low byte), 0xFF0000nn for system
// colour nn, clNone (0x1FFFFFFF) for no colour: such a colour is never painted.
using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

constexpr TColor SystemColor(unsigned n) { return 0xFF000000u | n; }
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1), clActiveCaption = SystemColor(2),
                 clInactiveCaption = SystemColor(3), clMenu = SystemColor(4), clWindow = SystemColor(5),
                 clWindowFrame = SystemColor(6), clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10), clInactiveBorder = SystemColor(11),
                 clAppWorkSpace = SystemColor(12), clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16), clGrayText = SystemColor(17),
                 clBtnText = SystemColor(18), clInactiveCaptionText = SystemColor(19), clBtnHighlight = SystemColor(20),
                 cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22), clInfoText = SystemColor(23),
                 clInfoBk = SystemColor(24), clHotLight = SystemColor(26), clGradientActiveCaption = SystemColor(27),
                 clGradientInactiveCaption = SystemColor(28), clMenuHighlight = SystemColor(29), clMenuBar = SystemColor(30);

constexpr TColor RGB(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr unsigned GetRValue(TColor c) { return c & 0xFF; }
constexpr unsigned GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(TColor c) { return (c >> 16) & 0xFF; }

// System colours resolve from one fixed palette, so pictures are the same on
// every machine; an unknown system colour gives black. clNone and clDefault
// name no colour and come back unchanged: callers test for them before painting.
TColor ColorToRGB(TColor color);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// ---- Font, pen, brush ------------------------------------------------------
enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
    // Stores a new value and reports the change; an equal value changes nothing.
    template <class T, class V>
    void Update(T& field, const V& value)
    {
        if (field == value) return;
        field = value;
        Changed();
    }
    // The same for all fields at once, as Assign copies them.
    template <class... T>
    void Update(std::tuple<T&...> fields, std::tuple<T&...> values)
    {
        if (fields == values) return;
        fields = values;
        Changed();
    }
};

class TFont : public TGraphicsObject {
public:
    TFont();
    const String& Name() const { return FName; }
    void SetName(const String& name);
    // Negative: character height in pixels; positive: cell height. Size is in points at 96 dpi.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    // Rotation in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int tenths);

    QFont ToQFont() const;
    void Assign(TPersistent* source) override;
    static constexpr int PixelsPerInch = 96;

private:
    auto Fields() { return std::tie(FName, FHeight, FStyle, FColor, FOrientation); }
    String FName = QStringLiteral("Tahoma");
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FOrientation = 0;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
                      pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);
    void Assign(TPersistent* source) override;

private:
    auto Fields() { return std::tie(FColor, FWidth, FStyle, FMode); }
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = TPenStyle::psSolid;
    TPenMode FMode = TPenMode::pmCopy;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    void Assign(TPersistent* source) override;

private:
    auto Fields() { return std::tie(FColor, FStyle); }
    TColor FColor = clWhite;
    TBrushStyle FStyle = TBrushStyle::bsSolid;
};

// ---- Canvas ----------------------------------------------------------------
class TBitmap;
class TGraphic;

enum class TFillStyle { fsSurface, fsBorder };
// How CopyRect (and drawing a bitmap) combines the source with what is there.
enum class TCopyMode { cmSrcCopy, cmSrcPaint, cmSrcAnd, cmSrcInvert, cmSrcErase, cmNotSrcCopy, cmNotSrcErase,
                       cmMergePaint, cmDstInvert, cmBlackness, cmWhiteness };

// Text output options (the platform's ExtTextOut flags).
constexpr int ETO_OPAQUE = 2, ETO_CLIPPED = 4, ETO_RTLREADING = 0x80;

// Draws through a QPainter that is either handed in for the span of a paint
// (a control's Paint) or opened on demand over a paint device (a bitmap).
//
// Pixel rules, as the platform's: a one-pixel line covers its start point and
// leaves out its end point; Rectangle(l, t, r, b) covers l..r-1 and t..b-1,
// Ellipse and RoundRect stay inside that box. A pen, brush or font colour of
// clNone paints nothing. A solid brush also makes the background opaque: the
// gaps of broken lines and the cell behind text take its colour; any other
// brush style leaves them transparent.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetFont(TFont* f) { FFont->Assign(f); }
    void SetPen(TPen* p) { FPen->Assign(p); }
    void SetBrush(TBrush* b) { FBrush->Assign(b); }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    // Cubic pieces: a start point, then three points per piece.
    void PolyBezier(const std::vector<TPoint>& points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // rx, ry: width and height of the corner ellipse.
    void RoundRect(int x1, int y1, int x2, int y2, int rx, int ry);
    void RoundRect(const TRect& r, int rx, int ry) { RoundRect(r.Left, r.Top, r.Right, r.Bottom, rx, ry); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // Dotted focus rectangle, drawn by inverting every other pixel of its
    // one-pixel frame: drawing it twice restores the picture.
    void DrawFocusRect(const TRect& r);
    // Fills with the brush, from (x, y): fsSurface the connected area of
    // `color`, fsBorder the connected area up to `color`. Needs a canvas whose
    // pixels can be read back (a bitmap, a control's picture); elsewhere it
    // draws nothing.
    void FloodFill(int x, int y, TColor color, TFillStyle style);
    TColor Pixels(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    void TextOut(int x, int y, const String& text);
    void TextRect(const TRect& r, int x, int y, const String& text);
    int TextWidth(const String& text) const;
    int TextHeight(const String& text) const;
    TSize TextExtent(const String& text) const;
    int TextFlags() const { return FTextFlags; }
    void SetTextFlags(int flags) { FTextFlags = flags; }

    void Draw(int x, int y, TGraphic* graphic);
    // Draws with the given opacity (255 = opaque, 0 = nothing).
    void Draw(int x, int y, TGraphic* graphic, std::uint8_t opacity);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // Copies (and stretches) `src` of another canvas, or of this one, into
    // `dest`, combined by CopyMode. Rectangles of opposite direction mirror.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }

    // Painting outside this rectangle is dropped; an empty rectangle lifts the clip.
    void SetClipRect(const TRect& r);
    // The bounds of what can be painted now: the clip set here, within the
    // clip a handed-in painter came with; without either, the whole device.
    TRect ClipRect() const;
    // Painting outside this region is dropped; an empty region lifts it.
    void SetClipRegion(const QRegion& region);
    // The region set with SetClipRegion or SetClipRect; empty when none is.
    QRegion ClipRegion() const;

    // The painter in use: the one handed in, or one opened over the device.
    QPainter* Painter() const;
    void BeginPaint(QPainter* painter);
    void EndPaint();
    void SetDevice(QPaintDevice* device);
    bool HandleAllocated() const;
    // Ends a painter opened over the device, so the device can be read, copied or resized.
    void FreeHandle();
    // Pens, brushes and fonts are taken afresh at every call: nothing to reselect.
    void Refresh() {}

    // OnChange fires after every drawing operation.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // After every drawing operation; fires OnChange.
    virtual void Changed();

private:
    void ApplyPen(QPainter& p) const;
    void ApplyBrush(QPainter& p) const;
    QPainter& Ready() const;
    void ApplyClip(QPainter& p) const;
    bool PenVisible() const;
    bool BrushVisible() const;
    bool OpaqueBackground() const;
    // Strokes with the pen; a broken pen over a solid brush fills its gaps with the brush colour.
    void StrokePolyline(QPainter& p, const QPolygon& points) const;
    void StrokeWide(QPainter& p, const QPolygon& points) const;
    void FillSolid(QPainter& p, const QRect& r, const QColor& color) const;
    // The figure box of an ellipse or rounded rectangle for the pen in use.
    QRectF FigureBox(const QRect& box) const;
    void PaintText(QPainter& p, int x, int y, const String& text, bool opaque) const;
    QImage* TargetImage() const;
    // Offset from canvas to device pixels; false when the painter turns or scales.
    bool DeviceOffset(QPoint& offset) const;

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TPoint FPenPos;
    QPainter* FPainter = nullptr;
    QPaintDevice* FDevice = nullptr;
    mutable std::unique_ptr<QPainter> FOwnPainter;
    QRegion FBaseClip;   // the clip a handed-in painter came with
    bool FHasBaseClip = false;
    QRegion FUserClip;   // set by SetClipRect or SetClipRegion
    bool FHasUserClip = false;
    int FTextFlags = 0;
    TCopyMode FCopyMode = TCopyMode::cmSrcCopy;
};

// ---- Pictures --------------------------------------------------------------
class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual void Draw(TCanvas& canvas, const TRect& dest) = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value) { FTransparent = value; }
    TNotifyEvent OnChange;

protected:
    bool FTransparent = false;
};

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum class TTransparentMode { tmAuto, tmFixed };

// A picture in memory with its own canvas. pf24bit keeps 3 bytes per pixel
// (B, G, R); every other format keeps 4 (B, G, R, A with premultiplied alpha).
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    bool Empty() const override { return FImage.isNull(); }
    void SetWidth(int w) { SetSize(w, Height()); }
    void SetHeight(int h) { SetSize(Width(), h); }
    // Keeps what fits of the old picture at the top left; new pixels start white.
    void SetSize(int w, int h);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the picture, keeping what it shows.
    void SetPixelFormat(TPixelFormat f);
    // With Transparent, pixels of TransparentColor are left out when drawn.
    // tmAuto takes that colour from the bottom-left pixel; setting a colour
    // fixes it (tmFixed) until the mode returns to tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode m);
    // The bytes of one row: pf24bit B,G,R per pixel, else B,G,R,A. Writes
    // reach the picture; the pointer holds until the size or format changes.
    void* ScanLine(int row);
    bool HandleAllocated() const { return !FImage.isNull(); }

    TCanvas* Canvas();
    void Draw(TCanvas& canvas, const TRect& dest) override;
    bool LoadFromFile(const String& path);
    bool LoadFromResourceName(const String& name);
    const QImage& Image() const { FlushCanvas(); return FImage; }
    QImage& Image() { FlushCanvas(); return FImage; }
    void SetImage(const QImage& image);
    void Assign(TPersistent* source) override;

private:
    void FlushCanvas() const;
    void Changed();
    QImage::Format StorageFormat() const;

    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
};
