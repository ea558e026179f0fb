#pragma once
// Drawing and text routines shared by the drop-down controls, their pop-up
// strips and buttons, the item selector, the calculator, the clock and the
// grid's own gradients. They keep no state. They live beside the grid: the
// grid's look needs them, and the drop-downs, which sit above the grid, reach
// them here without an include running back up.

#include "platform/Graphics.h"
#include "platform/Types.h"

class TCustomImageList;

// Bands of colour from `fromColor` to `toColor`: left to right with
// `horizontal`, top to bottom otherwise. Neighbouring bands overlap by one
// pixel; a step count of 0 counts as 1.
void DrawDropDownGradient(TCanvas& canvas, TColor fromColor, TColor toColor, bool horizontal, const TRect& rect,
                          int steps);
// A gradient (80 steps) when `colorTo` is a colour, else a solid fill when
// `color` is one; then a frame when `borderColor` is a colour and `borderWidth` > 0.
void DrawGradientRect(TCanvas* canvas, const TRect& rect, TColor color, bool vertical, int borderWidth,
                      TColor borderColor, TColor colorTo);
// P% of A and the rest of B per channel; P >= 100 gives A, P <= 0 gives B.
TColor BlendColors(TColor a, TColor b, int percent);
// Each non-zero channel times min(100, 100 + p) / 100; a zero channel becomes max(0, p).
TColor ScaleColor(TColor color, int redPercent, int greenPercent, int bluePercent);
void DrawImageAndText(TCanvas* canvas, const TRect& rect, const String& text, int imageIndex,
                      TCustomImageList* images);
// The bitmap over a background colour, its top-left pixel's colour transparent.
void DrawTransparentBitmap(TCanvas& canvas, TBitmap& bitmap, TColor background, const TRect& rect);
TSize MeasureSingleLine(TCanvas& canvas, const String& text);
// The longest head of the text (with "..." when `ellipsis`) narrower than `maxWidth`.
String FitTextToWidth(TCanvas& canvas, const String& text, int maxWidth, bool ellipsis);
// Draws (or, with `measureOnly`, only measures) an item caption in markup;
// returns its width and height, (0, 0) for an empty text.
TSize DrawItemHTML(TCanvas& canvas, const String& text, const TRect& rect, TCustomImageList* images,
                   bool measureOnly);
bool IsListSeparator(QChar c);
int HexDigitValue(QChar c);
int HexTextToInt(const String& text);
// The text unchanged with `keepCase`, else upper-cased by the locale's rules.
String ApplyCaseRule(const String& text, bool keepCase);
