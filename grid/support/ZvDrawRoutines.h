#pragma once
// Free drawing routines of the control library: colour arithmetic, linear and
// mirrored gradients, the selection box, combo, push and spin buttons in four
// looks, progress bars and pies, value bars, cell shapes, the wavy line under
// misspelt text, transparent bitmaps and the layered-window calls. The grid's
// painting, its focus frame, printing and the drop-down controls share them.
//
// Every routine draws on the canvas passed in and keeps no state. Colours are
// platform colour values; clNone is never painted. No routine divides by a
// zero extent: a range without width paints as empty (0 %).

#include "grid/support/ZvStyles.h"

#include "platform/Graphics.h"
#include "platform/Types.h"

#include <QImage>

class TWinControl;

// ---- Colours ---------------------------------------------------------------------
TColor HalfColor(TColor color);
// Each channel c becomes c + c * percent / 100, rounded and held to 0..255.
TColor ShadeColorByPercent(TColor color, int percent);
// From color1 towards color2 by position / (maximum - minimum); color1 when
// color2 is clNone or the extent is 0.
TColor InterpolateColor(TColor color1, TColor color2, int minimum, int maximum, int position);

// ---- Gradients and fills -----------------------------------------------------------
// `steps` bands from color1 to color2, left to right when horizontal, else top to bottom.
void DrawGradientRect(TCanvas& canvas, TColor color1, TColor color2, int steps, TRect rect, bool horizontal);
// A linear gradient, or with a mirror colour two halves, plus an optional border.
void DrawGradientBox(TCanvas& canvas, TRect rect, TColor color, TColor colorTo, TColor mirrorColor,
                     TColor mirrorColorTo, bool vertical, TColor borderColor, bool sidesOnly, bool fill);
void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color);

// Segment kinds of a selection drawn piece by piece.
enum class TSelectionSegment { ssWhole, ssLeftEnd, ssRightEnd, ssMiddle };
void DrawSelectionBox(TCanvas& canvas, TColor color, TColor colorTo, TColor mirrorColor, TColor mirrorColorTo,
                      TColor innerLineColor, TColor bottomLineColor, TColor borderColor, TColor cornerColor,
                      TColor outerCornerColor, TRect rect, TSelectionSegment segment);

// ---- Buttons -------------------------------------------------------------------------
enum class TButtonLook { blTheme, blClassic, blFlat, blColored };
enum class TButtonState { bsNormal, bsHot, bsDown, bsDisabled };

// Drop-down button at the right edge of `rect`.
void DrawComboButton(TCanvas& canvas, TWinControl* window, TRect rect, TButtonLook look, TButtonState state,
                     const TColorTones& tones);
// Push button filling `rect`.
void DrawEllipsisButton(TCanvas& canvas, TWinControl* window, TRect rect, TButtonLook look, TButtonState state,
                        const TColorTones& tones);
// Up and down buttons at the right edge of `rect`.
void DrawSpinButtons(TCanvas& canvas, TWinControl* window, TRect rect, TButtonLook look, TButtonState state,
                     const TColorTones& tones);

// ---- Progress and value displays -------------------------------------------------------
// `format` empty: the text is the rounded position and "%", which is also the
// percentage. Otherwise the format is applied to the position and the
// percentage runs from minimum to maximum (0 when they are equal).
void DrawProgressBar(TCanvas& canvas, TRect rect, TColor fillColor, TColor fillTextColor, TColor restColor,
                     TColor restTextColor, double position, int marginX, int marginY, double minimum,
                     double maximum, const String& format, TColor borderColor, bool print);
// The text and the filled percentage (0..100) DrawProgressBar shows.
void ProgressBarText(double position, double minimum, double maximum, const String& format, String& text,
                     int& percent);

struct TProgressStyleRecord {
    TColor Level0Color = clLime, Level0ColorTo = clNone;
    TColor Level1Color = clYellow, Level1ColorTo = clNone;
    TColor Level2Color = 0x00A5FF, Level2ColorTo = clNone;
    TColor Level3Color = clRed, Level3ColorTo = clNone;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont* Font = nullptr;
    TColor CompleteFontColor = clBlue;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor BackgroundColor = clWhite;
    bool Vertical = false;
};
void DrawStyledProgressBar(TCanvas& canvas, TRect rect, int percent, const TProgressStyleRecord& style);
void DrawProgressPie(TCanvas& canvas, TRect rect, TColor fillColor, int percent, bool upward);
// No bar when maximum <= 0.
void DrawCenteredValueBar(TCanvas& canvas, TRect rect, int value, int maximum, bool showValue,
                          TColor negativeColor, TColor positiveColor);

// ---- Shapes, marks and bitmaps -------------------------------------------------------------
enum class TCellShape;
void DrawCellShape(TCanvas& canvas, int x, int y, int w, int h, TCellShape shape, TColor brushColor,
                   TColor penColor);
void DrawMarkerTriangle(TCanvas& canvas, int x, int y, TColor color);
// Red zig-zag under characters start .. start + length - 1 (0-based) of a
// single-line text drawn with the canvas font at the rectangle's top-left.
void DrawErrorUnderline(TCanvas& canvas, const String& text, TRect rect, int verticalOffset, int start,
                        int length);
// The bitmap's top-left pixel colour is transparent: it shows `background`.
void DrawBitmapTransparent(TCanvas& canvas, TBitmap& bitmap, TColor background, const TRect& rect);
// False when there is no bitmap resource of that name.
bool DrawResourceBitmap(TCanvas& canvas, TColor background, const TRect& rect, const String& name);

// ---- Layered windows ---------------------------------------------------------------------------
// The layered-window functions do not exist on this platform, which counts as
// success; the window shows the image through the toolkit instead.
bool CallUpdateLayeredWindow(TWinControl* window, const QImage& image, int alpha);
bool CallSetLayeredWindowAttributes(TWinControl* window, TColor key, int alpha, unsigned flags);

// Makes the grid's built-in pictures known to the bitmap resources; called by
// every routine that loads one, so it need not be called by hand.
void RegisterGridBitmaps();
