#include "platform/DrawText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const QString EllipsisText = QStringLiteral("...");

constexpr unsigned AnyEllipsis = DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool IsBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// The characters that are shown, where each came from in the source text
// (one entry more: the source length), and the one to underline.
struct VisibleText {
    String Text;
    std::vector<int> Source;
    int Accel = -1;
};

// "&&" shows one "&", "&x" shows x underlined (the first such mark counts), a
// mark at the very end or before a line break shows nothing.
VisibleText TakeOutPrefixes(const String& text, bool prefixes, bool singleLine)
{
    VisibleText v;
    v.Text.reserve(text.size());
    v.Source.reserve(std::size_t(text.size()) + 1);
    for (int i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        int from = i;
        if (prefixes && c == u'&') {
            if (i + 1 >= text.size() || IsBreak(text[i + 1])) continue;
            c = text[++i];
            from = i;
            if (c != u'&' && v.Accel < 0) v.Accel = int(v.Text.size());
        }
        if (singleLine && IsBreak(c)) continue;
        v.Text += c;
        v.Source.push_back(from);
    }
    v.Source.push_back(int(text.size()));
    return v;
}

// Largest n in [lo, hi] for which fits(n) holds, fits being true up to some
// point and false after it; lo - 1 when even fits(lo) fails.
template <typename Fits>
int LargestFitting(int lo, int hi, Fits fits)
{
    int best = lo - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid)) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return best;
}

// Never cut between the halves of a surrogate pair.
int KeepPairs(const String& s, int n)
{
    if (n > 0 && n < s.size() && s[n - 1].isHighSurrogate()) return n - 1;
    return n;
}

} // namespace

// ---- Layout -----------------------------------------------------------------

class TDrawTextLayout::Builder {
public:
    Builder(TDrawTextLayout& out, const QFont& font, unsigned format, int width, int height, int tabChars)
        : FOut(out), FMetrics(font), FFormat(format), FWidth(width), FHeight(height)
    {
        FTabWidth = std::max(1, std::max(1, tabChars) * std::max(1, FMetrics.averageCharWidth()));
        FOut.FLineHeight = FMetrics.height();
        if (format & DT_EXTERNALLEADING) FOut.FLineHeight += std::max(0, FMetrics.leading());
        FOut.FAscent = FMetrics.ascent();
        FOut.FUnderlineHeight = std::max(1, FMetrics.lineWidth());
    }

    void Build(const String& text)
    {
        FVisible = TakeOutPrefixes(text, !(FFormat & DT_NOPREFIX), FFormat & DT_SINGLELINE);
        // Without expansion a tab is no more than a blank.
        if (!(FFormat & DT_EXPANDTABS)) FVisible.Text.replace(u'\t', u' ');
        if (FFormat & DT_SINGLELINE) AddLine(0, int(FVisible.Text.size()), int(FVisible.Text.size()));
        else SplitParagraphs();
        LimitHeight();
        for (TTextLine& line : FOut.FLines) {
            FOut.FWidth = std::max(FOut.FWidth, line.Width);
            line.Left = AlignedLeft(line.Width);
        }
        FOut.FLengthProcessed = FOut.FLines.empty() ? 0 : FOut.FLines.back().SourceEnd;
    }

private:
    const String& Text() const { return FVisible.Text; }

    // Lays `s` out from x = 0 in pieces between tabs, each tab moving on to
    // the next tab stop; the width reached.
    int Layout(const String& s, std::vector<TTextRun>* runs) const
    {
        int x = 0;
        int start = 0;
        for (int i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != u'\t') continue;
            if (i > start) {
                const String piece = s.mid(start, i - start);
                const int w = FMetrics.horizontalAdvance(piece);
                if (runs) runs->push_back({piece, x, w});
                x += w;
            }
            if (i < s.size()) x = (x / FTabWidth + 1) * FTabWidth;
            start = i + 1;
        }
        return x;
    }

    int Measure(const String& s) const { return Layout(s, nullptr); }
    int MeasureVisible(int from, int to) const { return Measure(Text().mid(from, to - from)); }

    // Runs, width and underline of a line from its text.
    void Finish(TTextLine& line) const
    {
        line.Runs.clear();
        line.Width = Layout(line.Text, &line.Runs);
        if (line.Accel >= 0 && line.Accel < line.Text.size()) {
            const int length = line.Text[line.Accel].isHighSurrogate() ? 2 : 1;
            line.UnderlineX = Measure(line.Text.left(line.Accel));
            line.UnderlineWidth = Measure(line.Text.left(line.Accel + length)) - line.UnderlineX;
        } else {
            line.Accel = -1;
        }
    }

    // A line of the visible characters [from, to); the next line starts at `next`.
    void AddLine(int from, int to, int next)
    {
        TTextLine line;
        line.Text = Text().mid(from, to - from);
        if (FVisible.Accel >= from && FVisible.Accel < to) line.Accel = FVisible.Accel - from;
        line.SourceEnd = FVisible.Source[std::size_t(next)];
        Finish(line);
        if ((FFormat & AnyEllipsis) && line.Width > FWidth) {
            if (FFormat & DT_PATH_ELLIPSIS) CutPath(line);
            else CutEnd(line);
        }
        FOut.FLines.push_back(std::move(line));
    }

    // Paragraphs end at CR, LF or CR LF; a break at the very end of the text
    // starts no further line.
    void SplitParagraphs()
    {
        const String& s = Text();
        const int size = int(s.size());
        int start = 0;
        while (true) {
            int end = start;
            while (end < size && !IsBreak(s[end])) ++end;
            if (end == size) {
                if (start < size || FOut.FLines.empty()) Paragraph(start, size, size);
                return;
            }
            const int breakLength = s[end] == u'\r' && end + 1 < size && s[end + 1] == u'\n' ? 2 : 1;
            Paragraph(start, end, end + breakLength);
            start = end + breakLength;
            if (start == size) return;
        }
    }

    void Paragraph(int from, int to, int next)
    {
        if (FFormat & DT_WORDBREAK) BreakWords(from, to, next);
        else AddLine(from, to, next);
    }

    // Greedy breaking at blanks: a line takes words while they fit; the blanks
    // at a break belong to no line. Blanks before the paragraph's first word
    // stay in front of it. A word too wide for a line of its own stands alone,
    // or, like an edit control, is broken between characters.
    void BreakWords(int from, int to, int next)
    {
        const String& s = Text();
        int lineStart = from;
        int fitEnd = from;
        bool placed = false;
        int i = from;
        while (true) {
            int wordEnd = i;
            while (wordEnd < to && !IsBlank(s[wordEnd])) ++wordEnd;
            int blanksEnd = wordEnd;
            while (blanksEnd < to && IsBlank(s[blanksEnd])) ++blanksEnd;
            if (wordEnd == i) {
                // Only at the paragraph's start: leading blanks or an empty paragraph.
                if (blanksEnd >= to) {
                    AddLine(lineStart, lineStart, next);
                    return;
                }
                i = blanksEnd;
                continue;
            }
            if (MeasureVisible(lineStart, wordEnd) <= FWidth) {
                fitEnd = wordEnd;
                placed = true;
                if (blanksEnd >= to) {
                    AddLine(lineStart, fitEnd, next);
                    return;
                }
                i = blanksEnd;
                continue;
            }
            if (placed) {
                AddLine(lineStart, fitEnd, i);
                lineStart = i;
                placed = false;
                continue;
            }
            const int cut = (FFormat & DT_EDITCONTROL) ? CharacterBreak(lineStart, wordEnd) : wordEnd;
            if (cut < wordEnd) {
                AddLine(lineStart, cut, cut);
                lineStart = i = cut;
                continue;
            }
            if (blanksEnd >= to) {
                AddLine(lineStart, wordEnd, next);
                return;
            }
            AddLine(lineStart, wordEnd, blanksEnd);
            lineStart = i = blanksEnd;
        }
    }

    // Where a line of [from, to) that does not fit is cut: after the most
    // characters that fit, at least one.
    int CharacterBreak(int from, int to) const
    {
        const String& s = Text();
        int cut = LargestFitting(from + 1, to - 1, [&](int n) { return MeasureVisible(from, n) <= FWidth; });
        cut = std::max(from + 1, cut);
        if (cut < to && s[cut - 1].isHighSurrogate()) ++cut;
        return cut;
    }

    // The most of the line's head that fits with "..." after it.
    void CutEnd(TTextLine& line) const
    {
        const String text = line.Text;
        int keep = LargestFitting(0, int(text.size()),
                                  [&](int n) { return Measure(text.left(n) + EllipsisText) <= FWidth; });
        keep = KeepPairs(text, std::max(0, keep));
        line.Text = text.left(keep) + EllipsisText;
        if (line.Accel >= keep) line.Accel = -1;
        line.Cut = true;
        Finish(line);
    }

    // "..." replaces the middle, keeping the part from the last path separator
    // on; when even that does not fit, the end is cut instead.
    void CutPath(TTextLine& line) const
    {
        const String text = line.Text;
        const int separator = int(std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/')));
        const String tail = separator > 0 ? text.mid(separator) : String();
        if (separator <= 0 || Measure(EllipsisText + tail) > FWidth) {
            CutEnd(line);
            return;
        }
        int keep = LargestFitting(0, separator,
                                  [&](int n) { return Measure(text.left(n) + EllipsisText + tail) <= FWidth; });
        keep = KeepPairs(text, std::max(0, keep));
        line.Text = text.left(keep) + EllipsisText + tail;
        if (line.Accel >= separator) line.Accel += keep + int(EllipsisText.size()) - separator;
        else if (line.Accel >= keep) line.Accel = -1;
        line.Cut = true;
        Finish(line);
    }

    // Like an edit control, shows whole lines only (the first always); a
    // word-broken text that loses lines ends its last one in "...".
    void LimitHeight()
    {
        auto& lines = FOut.FLines;
        if (FHeight < 0 || !(FFormat & DT_EDITCONTROL) || FOut.FLineHeight <= 0) return;
        const std::size_t keep = std::size_t(std::max(1, FHeight / FOut.FLineHeight));
        if (lines.size() <= keep) return;
        lines.resize(keep);
        TTextLine& last = lines.back();
        if ((FFormat & DT_WORDBREAK) && (FFormat & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && !last.Cut) CutEnd(last);
    }

    int AlignedLeft(int lineWidth) const
    {
        if (FFormat & DT_CENTER) return (FWidth - lineWidth) / 2;
        if (FFormat & DT_RIGHT) return FWidth - lineWidth;
        return 0;
    }

    TDrawTextLayout& FOut;
    QFontMetrics FMetrics;
    unsigned FFormat;
    int FWidth;
    int FHeight;
    int FTabWidth = 1;
    VisibleText FVisible;
};

TDrawTextLayout::TDrawTextLayout(const QFont& font, const String& text, unsigned format, int width, int height, int tabChars)
{
    Builder(*this, font, format, width, height, tabChars).Build(text);
}

// ---- Drawing ----------------------------------------------------------------

namespace {

struct TextFormat {
    unsigned Flags = 0;
    int TabChars = 8;
};

// With DT_TABSTOP the second byte of the format is the tab length, not flags.
TextFormat ReadFormat(unsigned format, const TDrawTextParams* params)
{
    TextFormat f{format, 8};
    if (format & DT_TABSTOP) {
        f.Flags &= ~0xFF00u;
        const int chars = int((format >> 8) & 0xFF);
        if (chars > 0) f.TabChars = chars;
    }
    if (params && params->iTabLength > 0) f.TabChars = params->iTabLength;
    return f;
}

void PaintLayout(TCanvas& canvas, QPainter& p, const TDrawTextLayout& layout, const QFont& font, int left, int top,
                 unsigned flags, const TRect& rect)
{
    const TBrush& brush = *canvas.Brush();
    const TColor color = canvas.Font()->Color();
    const bool prefixOnly = flags & DT_PREFIXONLY;
    const bool opaque = !prefixOnly && brush.Style() != TBrushStyle::bsClear && brush.Color() != clNone;
    const bool showText = !prefixOnly && color != clNone;
    const bool showAccel = !(flags & DT_HIDEPREFIX) && color != clNone;
    const QColor ink = ToQColor(color);

    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!(flags & DT_NOCLIP)) p.setClipRect(rect.ToQRect(), p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    p.setLayoutDirection(flags & DT_RTLREADING ? Qt::RightToLeft : Qt::LeftToRight);
    p.setFont(font);
    p.setPen(ink);
    int y = top;
    for (const TTextLine& line : layout.Lines()) {
        const int x = left + line.Left;
        if (opaque && line.Width > 0)
            p.fillRect(QRect(x, y, line.Width, layout.LineHeight()), ToQColor(brush.Color()));
        if (showText)
            for (const TTextRun& run : line.Runs) p.drawText(QPoint(x + run.X, y + layout.Ascent()), run.Text);
        if (showAccel && line.Accel >= 0 && line.UnderlineWidth > 0)
            p.fillRect(QRect(x + line.UnderlineX, y + layout.UnderlineTop(), line.UnderlineWidth, layout.UnderlineHeight()),
                       ink);
        y += layout.LineHeight();
    }
    p.restore();
}

} // namespace

int DrawText(TCanvas& canvas, const String& text, TRect& rect, unsigned format)
{
    return DrawTextEx(canvas, text, rect, format, nullptr);
}

int DrawTextEx(TCanvas& canvas, const String& text, TRect& rect, unsigned format, TDrawTextParams* params)
{
    const TextFormat f = ReadFormat(format, params);
    const int leftMargin = params ? params->iLeftMargin : 0;
    const int rightMargin = params ? params->iRightMargin : 0;
    const bool measureOnly = f.Flags & DT_CALCRECT;
    const QFont font = canvas.Font()->ToQFont();
    const TDrawTextLayout layout(font, text, f.Flags, rect.Width() - leftMargin - rightMargin,
                             measureOnly ? -1 : rect.Height(), f.TabChars);
    if (params) params->uiLengthDrawn = unsigned(layout.LengthProcessed());

    if (measureOnly) {
        rect.Right = rect.Left + leftMargin + layout.Width() + rightMargin;
        rect.Bottom = rect.Top + layout.Height();
        return layout.Height();
    }

    int top = rect.Top;
    if (f.Flags & DT_SINGLELINE) {
        if (f.Flags & DT_VCENTER) top += (rect.Height() - layout.Height()) / 2;
        else if (f.Flags & DT_BOTTOM) top = rect.Bottom - layout.Height();
    }
    QPainter* painter = canvas.Painter();
    if (!painter || !painter->isActive()) return 0;
    if ((f.Flags & DT_NOCLIP) || !rect.IsEmpty())
        PaintLayout(canvas, *painter, layout, font, rect.Left + leftMargin, top, f.Flags, rect);
    return top - rect.Top + layout.Height();
}
