#pragma once
// Formatted text output into a rectangle: alignment, line breaking, tabs,
// mnemonic prefixes, ellipses and measuring. Measuring and painting share one
// layout (TDrawTextLayout), so a measured rectangle always holds what is painted.

#include "platform/Graphics.h"

#include <QFont>

#include <vector>

constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80,
    DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
    DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000,
    DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;

// iTabLength: average character widths per tab stop (0: the default of 8).
// iLeftMargin, iRightMargin: pixels kept free inside the rectangle.
// uiLengthDrawn: receives the number of characters of the text processed.
struct TDrawTextParams {
    int iTabLength = 0;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    unsigned uiLengthDrawn = 0;
};

// Draws (or with DT_CALCRECT only measures) `text` with the canvas's font, font colour
// and brush: a clear brush leaves the background, any other fills each line's cell with
// the brush colour. Measuring sets rect.Right and rect.Bottom to the text's extent (the
// widest line, wider than the rectangle only when a word does not fit it) and keeps
// Left and Top. Returns the text height; with DT_VCENTER or DT_BOTTOM the offset from
// rect.Top to the bottom of the text; 0 when there is nothing to draw on.
//
// Vertical placement applies to DT_SINGLELINE only. An empty text is one empty line,
// and a text ending in a line break has no empty line after it. DT_RTLREADING sets the
// reading order only: callers mirror the alignment themselves, so it is not swapped
// here. DT_MODIFYSTRING is accepted, but the caller's string is never written to (the
// strings are shared values); DT_INTERNAL draws with the canvas font as well. With
// DT_TABSTOP bits 8 to 15 of `format` are the tab length and no flags, as the platform
// has it; a positive TDrawTextParams::iTabLength takes precedence.
int DrawText(TCanvas& canvas, const String& text, TRect& rect, unsigned format);
int DrawTextEx(TCanvas& canvas, const String& text, TRect& rect, unsigned format, TDrawTextParams* params = nullptr);

// ---- The layout behind DrawText ---------------------------------------------
// A piece of a line between tabs, X from the line's left edge.
struct TTextRun {
    String Text;
    int X = 0;
    int Width = 0;
};

struct TTextLine {
    String Text;                 // as shown: prefixes taken out, ellipsis put in, tabs kept
    std::vector<TTextRun> Runs;
    int Width = 0;
    int Left = 0;                // offset from the layout width's left edge, by alignment
    int Accel = -1;              // index in Text of the underlined character, -1 for none
    int UnderlineX = 0;          // from the line's left edge
    int UnderlineWidth = 0;
    int SourceEnd = 0;           // characters of the source text consumed up to the line's end
    bool Cut = false;            // ends in an ellipsis that stands for left-out text
};

// The lines of a text for a font, format flags (DT_*, without a tab length in them),
// layout width and height. Width bounds word breaking, ellipses and alignment. A
// height of -1 is unbounded; otherwise DT_EDITCONTROL shows whole lines only (the
// first always), and a word-broken text with an end or word ellipsis that loses lines
// that way ends its last line in "...".
class TDrawTextLayout {
public:
    TDrawTextLayout(const QFont& font, const String& text, unsigned format, int width, int height = -1, int tabChars = 8);

    const std::vector<TTextLine>& Lines() const { return FLines; }
    int LineCount() const { return int(FLines.size()); }
    int LineHeight() const { return FLineHeight; }
    int Ascent() const { return FAscent; }
    // The underline of a prefixed character, from the line's top.
    int UnderlineTop() const { return FAscent + 1; }
    int UnderlineHeight() const { return FUnderlineHeight; }
    int Width() const { return FWidth; }
    int Height() const { return FLineHeight * LineCount(); }
    // Characters of the source text up to the first line left out (all when none is).
    int LengthProcessed() const { return FLengthProcessed; }

private:
    class Builder;
    std::vector<TTextLine> FLines;
    int FLineHeight = 0;
    int FAscent = 0;
    int FUnderlineHeight = 1;
    int FWidth = 0;
    int FLengthProcessed = 0;
};
