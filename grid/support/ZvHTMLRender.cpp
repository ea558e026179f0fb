#include "grid/support/ZvHTMLRender.h"

#include "grid/support/ZvHTMLUtil.h"
#include "grid/support/ZvPictureContainer.h"
#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/ImgList.h"
#include "platform/Seams.h"
#include "platform/Themes.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// Sizes and positions read from markup are kept to a range that no
// arithmetic on them can overflow.
constexpr int MaxMarkupNumber = 100000;
// Rewriting rounds of the entities; nested entities beyond this stay as written.
constexpr int MaxEntityRounds = 16;

// Upper-cases letter by letter, so positions in the result are positions in the source.
String UpperSameLength(const String& text)
{
    String out = text;
    for (QChar& c : out) {
        const QChar u = c.toUpper();
        if (u.unicode() != 0) c = u;
    }
    return out;
}

// Leading digits (after an optional sign) as a number in range; 0 without digits.
int LeadingNumber(const String& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = std::min<long long>(value * 10 + (text[i].unicode() - u'0'), MaxMarkupNumber);
    return int(negative ? -value : value);
}

// The quoted value after `name`="..." in `upper`, read from `source` so that the
// case is kept. Unquoted values read as empty.
bool AttrSpan(const String& upper, const String& name, qsizetype& start, qsizetype& length, qsizetype from = 0)
{
    const qsizetype at = upper.indexOf(name, from);
    if (at < 0) return false;
    qsizetype i = at + name.size();
    while (i < upper.size() && upper[i] == u' ') ++i;
    if (i >= upper.size() || upper[i] != u'=') return false;
    ++i;
    while (i < upper.size() && upper[i] == u' ') ++i;
    if (i >= upper.size() || upper[i] != u'"') return false;
    const qsizetype close = upper.indexOf(u'"', i + 1);
    if (close < 0) return false;
    start = i + 1;
    length = close - start;
    return true;
}

String Attr(const String& source, const String& upper, const String& name, qsizetype from = 0)
{
    qsizetype start = 0, length = 0;
    return AttrSpan(upper, name, start, length, from) ? source.mid(start, length) : String();
}

bool HasAttr(const String& upper, const String& name)
{
    qsizetype start = 0, length = 0;
    return AttrSpan(upper, name, start, length);
}

TColor MarkupColor(const String& value)
{
    if (value.startsWith(u'#')) return ColorFromHTMLHex(value);
    return ColorFromHTMLName(value.toLower());
}

int FontSizeFromMarkup(int size)
{
    static constexpr int points[] = {8, 10, 12, 14, 16};
    return size >= 1 && size <= 5 ? points[size - 1] : size;
}

String RewriteEntities(String text)
{
    static const std::pair<const char16_t*, const char16_t*> rules[] = {
        {u"&amp;", u"&&"},  {u"&quot;", u"\""}, {u"&sect;", u"\u00A7"}, {u"&permil;", u"\u2030"},
        {u"&reg;", u"\u00AE"}, {u"&copy;", u"\u00A9"}, {u"&para;", u"\u00B6"}, {u"&trade;", u"\u2122"},
        {u"&euro;", u"\u20AC"}};
    for (int round = 0; round < MaxEntityRounds; ++round) {
        const String before = text;
        for (const auto& [from, to] : rules)
            text.replace(QString::fromUtf16(from), QString::fromUtf16(to), Qt::CaseInsensitive);
        if (text == before) break;
    }
    return LineBreaksToBRTags(UnwrapHashTags(text));
}

String PieceEntities(String piece)
{
    piece.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    piece.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
    piece.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
    return piece;
}

enum class TPass { Measure, Draw, Hit };
enum class TParaAlign { Left, Right, Center };
enum class TTagResult { Consumed, LineBreak, Full };

struct TFontState {
    String Name;
    int Height = 0;
    TFontStyles Style;
    TColor Color = clBlack;
    int Orientation = 0;
};

TFontState ReadFont(const TFont& f) { return {f.Name(), f.Height(), f.Style(), f.Color(), f.Orientation()}; }

void ApplyFont(TFont& f, const TFontState& s)
{
    f.SetName(s.Name);
    f.SetHeight(s.Height);
    f.SetStyle(s.Style);
    f.SetColor(s.Color);
    f.SetOrientation(s.Orientation);
}

// What carries from one line to the next; each pass keeps its own copy.
struct TFlowState {
    TFontState Font;
    TColor Background = clNone;   // clNone: text is drawn transparently
    bool InLink = false, Shadow = false, Sub = false, Sup = false, Hidden = false, Error = false;
    bool ParaBackground = false, Blink = false;
    int ListLevel = 0;
    String Href, Title;
    int LinkNumber = 0;
    TColor LinkSavedBackground = clNone, LinkSavedColor = clNone;
    TColor FontSavedBackground = clNone;   // shared by FONT and BODY
    TColor HiSavedBackground = clNone, HiSavedColor = clNone;
    TColor ParaSavedBackground = clNone;
    int AnchorCount = 0;
    int PictureCount = 0;
    TParaAlign Align = TParaAlign::Left;
    int Indent = 0;
    TRotatedFontState Rotation;
    // The link under the point, waiting for its closing tag to complete its box.
    bool LinkHit = false;
    int LinkStartX = 0, LinkStartTop = 0, LinkStartLine = 0;
    bool FocusOpen = false;
    int FocusStartX = 0;
};

struct TLine {
    int Index = 0;
    int Top = 0;
    int Left = 0;         // canvas x of the line's left edge after alignment
    int Height = 0;
    int SupSpace = 0, SubSpace = 0;
    int AlignOffset = 0;  // raise of text by a picture's ALIGN
    int H0 = 0;           // height of "gh" at the line's start
    bool ListSeen = false;
    int TextBottom() const { return Top + SupSpace + Height; }
    int Bottom() const { return Top + SupSpace + Height + SubSpace; }
};

struct TPictureRef {
    int Index = -1;             // image list index
    bool Shell = false, LargeShell = false;
    String ShellName;
    THTMLPicture* Picture = nullptr;
    int Width = 0, Height = 0;  // natural size
    bool Found() const { return Index >= 0 || Shell || Picture; }
};

class TRenderer {
public:
    TRenderer(TCanvas& canvas, const TRect& rect, const THTMLDrawParams& p, THTMLDrawResult& r)
        : C(canvas), R(rect), P(p), Out(r)
    {
    }

    bool Run(const String& text);

private:
    int LayoutLine(TPass pass, const String& src, qsizetype& pos, qsizetype end, TFlowState& st, TLine& line,
                   bool& discardRest);
    TTagResult HandleTag(TPass pass, const String& tag, TFlowState& st, TLine& line, int& x);
    TTagResult Anchor(TPass pass, const String& tag, const String& upper, TFlowState& st, TLine& line, int x);
    void CloseAnchor(TPass pass, TFlowState& st, TLine& line, int x);
    TTagResult Picture(TPass pass, const String& tag, const String& upper, TFlowState& st, TLine& line, int& x);
    TTagResult Control(TPass pass, const String& tag, TFlowState& st, TLine& line, int& x);
    void DrawControl(const TControlTag& ct, const TRect& box, const TLine& line, int x, int width, int height,
                     bool hot);
    void DrawPiece(const String& piece, const TFlowState& st, const TLine& line, int x);
    void DrawErrorLine(int left, int right, int bottom);
    void Background(const String& source, const String& upper, TFlowState& st);
    TPictureRef ResolvePicture(const String& src, bool allowIndexAndShell);
    int PieceWidth(const String& piece) const;
    int GhHeight() const { return C.TextHeight(QStringLiteral("gh")); }
    bool PointIn(const TRect& r) const
    {
        return HasPoint && P.XPos >= r.Left && P.XPos < r.Right && P.YPos >= r.Top && P.YPos < r.Bottom;
    }
    bool HoverApplies(int anchor) const { return !P.HoverStyle || P.HoverLink == anchor; }
    int LineWidth(const TFlowState& st) const { return std::max(0, R.Right - (R.Left + 1) - st.Indent); }

    TCanvas& C;
    const TRect R;
    const THTMLDrawParams& P;
    THTMLDrawResult& Out;
    TFontState Base;
    TColor EntryBackground = clNone;
    unsigned Flags = 0;
    bool HasPoint = false;
    bool Hit = false;
    int FoundPicture = -1;
    bool Themed = false;
};

int TRenderer::PieceWidth(const String& piece) const
{
    if (piece.isEmpty()) return 0;
    TRect r = Rect(0, 0, MaxMarkupNumber, 0);
    DrawTextEx(C, piece, r, (Flags & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    return r.Width();
}

bool TRenderer::Run(const String& text)
{
    Out.StripVal.clear();
    Out.FocusAnchor.clear();
    Out.AnchorTitle.clear();
    Out.ControlValue.clear();
    Out.ControlType.clear();
    if (!P.CheckHotSpot) Out.ControlID.clear();
    Out.XSize = Out.YSize = Out.HyperLinks = 0;
    Out.MouseLink = -1;
    Out.ControlRect = Rect(0, 0, 0, 0);

    Base = ReadFont(*C.Font());
    const TColor penColor = C.Pen()->Color();
    const int penWidth = C.Pen()->Width();
    const TColor brushColor = C.Brush()->Color();
    const TBrushStyle brushStyle = C.Brush()->Style();
    EntryBackground = brushStyle == TBrushStyle::bsClear ? clNone : brushColor;
    C.Brush()->SetStyle(TBrushStyle::bsClear);
    Themed = CheckWin32Version(5, 1) && IsThemeActive();
    HasPoint = (P.XPos >= 0 && P.YPos >= 0) && (P.XPos != 0 || P.YPos != 0);

    Flags = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (!P.WordWrap) Flags |= DT_END_ELLIPSIS;
    Flags = BiDiDrawFlags(Flags, P.RightToLeft);

    const String src = RewriteEntities(text);
    TFlowState measure, draw;
    measure.Font = draw.Font = Base;
    // A measuring call with a point still finds what lies under it.
    const bool secondPass = !P.MeasureOnly || HasPoint;
    const TPass second = P.CheckHotSpot || P.MeasureOnly ? TPass::Hit : TPass::Draw;
    qsizetype pos = 0;
    int top = R.Top;
    int lineIndex = 0;
    while (pos < src.size()) {
        TLine line;
        line.Index = lineIndex++;
        line.Top = top;
        ApplyFont(*C.Font(), measure.Font);
        line.H0 = GhHeight();
        line.Height = line.H0;
        const qsizetype lineStart = pos;
        bool discard = false;
        const int width = LayoutLine(TPass::Measure, src, pos, src.size(), measure, line, discard);
        if (pos == lineStart && !discard) {
            // Nothing fitted and nothing ended the line: take one token so the layout moves on.
            const qsizetype gt = src[pos] == u'<' ? src.indexOf(u'>', pos) : pos;
            pos = gt < 0 ? src.size() : gt + 1;
        }
        const qsizetype lineEnd = pos;
        if (discard) pos = src.size();
        measure.Font = ReadFont(*C.Font());

        const int boxLeft = R.Left + 1;
        line.Left = boxLeft;
        if (measure.Align == TParaAlign::Right) {
            if (R.Right - width > boxLeft) line.Left = R.Right - width;
        } else if (measure.Align == TParaAlign::Center) {
            const int free = R.Right - boxLeft - width;
            if (free > 0) line.Left = boxLeft + free / 2;
        }
        line.Left += measure.Indent;
        Out.XSize = std::max(Out.XSize, width);

        if (secondPass) {
            ApplyFont(*C.Font(), draw.Font);
            qsizetype drawPos = lineStart;
            bool ignored = false;
            TLine drawLine = line;
            LayoutLine(second, src, drawPos, lineEnd, draw, drawLine, ignored);
            draw.Font = ReadFont(*C.Font());
        }
        const int advance = line.Height + line.SupSpace + line.SubSpace;
        top += advance;
        Out.YSize += advance;
        if (!P.MeasureOnly && line.H0 + top > R.Bottom) break;
    }
    Out.HyperLinks = measure.AnchorCount;
    if (draw.LinkHit && Out.MouseLink < 0) Out.MouseLink = draw.LinkNumber;

    ApplyFont(*C.Font(), Base);
    if (Out.YSize == 0) Out.YSize = GhHeight();
    C.Pen()->SetColor(penColor);
    C.Pen()->SetWidth(penWidth);
    C.Brush()->SetColor(brushColor);
    C.Brush()->SetStyle(brushStyle);
    return !P.MeasureOnly && Hit;
}

int TRenderer::LayoutLine(TPass pass, const String& src, qsizetype& pos, qsizetype end, TFlowState& st,
                          TLine& line, bool& discardRest)
{
    const bool drawing = pass == TPass::Draw;
    const int lineWidth = LineWidth(st);
    int x = 0;
    int trailing = 0;
    bool placedEndsInSpace = false;
    line.AlignOffset = pass == TPass::Measure ? 0 : line.AlignOffset;
    int alignOffset = 0;   // text drawn after a picture's ALIGN is raised
    if (drawing && st.ParaBackground && st.Background != clNone) {
        C.Brush()->SetStyle(TBrushStyle::bsSolid);
        C.Brush()->SetColor(st.Background);
        C.FillRect(Rect(R.Left, line.Top, R.Right, line.Top + line.H0));
        C.Brush()->SetStyle(TBrushStyle::bsClear);
    }
    bool ended = false;
    while (pos < end && !ended) {
        if (src[pos] != u'<') {
            qsizetype n = src.indexOf(u'<', pos);
            if (n < 0 || n > end) n = end;
            n -= pos;
            if (P.WordWrap) {
                const qsizetype space = src.indexOf(u' ', pos);
                if (space >= 0 && space - pos < n) n = space - pos + 1;
            }
            const String piece = PieceEntities(src.mid(pos, n));
            if (!piece.isEmpty()) {
                const int th = C.TextHeight(piece);
                if (pass == TPass::Measure) {
                    line.Height = std::max(line.Height, th);
                    if (st.Sup) line.SupSpace = std::max(line.SupSpace, th / 4);
                    if (st.Sub) line.SubSpace = std::max(line.SubSpace, th / 4);
                    Out.StripVal += piece;
                }
                if (st.Hidden) {
                    pos += n;
                    continue;
                }
            }
            const int w = PieceWidth(piece);
            if (pass == TPass::Measure) {
                // A word wider than the line goes to a line of its own rather than
                // after text already placed.
                const bool fits = x + w < lineWidth || !placedEndsInSpace;
                if (fits) {
                    x += w;
                    pos += n;
                    placedEndsInSpace = piece.endsWith(u' ');
                    trailing = placedEndsInSpace ? PieceWidth(QStringLiteral(" ")) : 0;
                } else if (!P.WordWrap) {
                    // The ellipsis stands for everything after this piece.
                    x += w;
                    pos += n;
                    discardRest = true;
                    ended = true;
                } else {
                    ended = true;
                }
                continue;
            }
            TLine shifted = line;
            shifted.AlignOffset = alignOffset;
            if (drawing) DrawPiece(piece, st, shifted, x);
            const int left = line.Left + x;
            x += w;
            pos += n;
            if (st.InLink && PointIn(Rect(left, line.Top, line.Left + x, line.Bottom()))) {
                Out.AnchorVal = st.Href;
                Out.AnchorTitle = st.Title;
                st.LinkHit = true;
                const int bandBottom = line.Bottom() - line.AlignOffset;
                if (P.CheckHotSpot && P.YPos >= bandBottom - line.H0 && P.YPos < bandBottom) Hit = true;
            }
            if (st.InLink && st.LinkNumber - 1 == P.FocusLink) Out.FocusAnchor = st.Href;
            continue;
        }
        if (end - pos <= 2) {
            ++pos;   // a lone "<" at the very end shows nothing
            continue;
        }
        const qsizetype gt = src.indexOf(u'>', pos);
        if (gt < 0 || gt >= end) {
            pos = end;
            discardRest = true;
            break;
        }
        const String tag = src.mid(pos, gt - pos + 1);
        const TTagResult result = HandleTag(pass, tag, st, line, x);
        if (result == TTagResult::Full) break;
        pos = gt + 1;
        if (pass != TPass::Measure) alignOffset = line.AlignOffset;
        if (result == TTagResult::LineBreak) ended = true;
    }
    if (drawing && st.FocusOpen) {
        // A focused link running on: its frame is drawn to here and restarts on the next line.
        const int bottom = line.Bottom() - line.AlignOffset;
        TRect f = Rect(st.FocusStartX - 1, bottom - line.H0, line.Left + x + 1, bottom);
        C.DrawFocusRect(f);
        st.FocusStartX = R.Left + 1;
    }
    return x - trailing;
}

void TRenderer::DrawPiece(const String& piece, const TFlowState& st, const TLine& line, int x)
{
    if (piece.isEmpty()) return;
    int bottom = line.TextBottom() - line.AlignOffset;
    if (st.Sup) bottom -= line.SupSpace;
    else if (st.Sub) bottom += line.SubSpace;
    TRect box = Rect(line.Left + x, line.Top, R.Right, bottom);
    if (box.Right <= box.Left) return;
    const TColor color = C.Font()->Color();
    if (st.Blink && !P.BlinkOn) C.Font()->SetColor(EntryBackground);
    if (st.Shadow) {
        const TColor keep = C.Font()->Color();
        C.Font()->SetColor(P.ShadowColor);
        C.Brush()->SetStyle(TBrushStyle::bsClear);
        TRect shadow = box;
        shadow.Left += P.ShadowOffset;
        shadow.Right += P.ShadowOffset;
        shadow.Top += P.ShadowOffset;
        shadow.Bottom += P.ShadowOffset;
        DrawTextEx(C, piece, shadow, Flags);
        C.Font()->SetColor(keep);
    }
    if (st.Background != clNone) {
        C.Brush()->SetStyle(TBrushStyle::bsSolid);
        C.Brush()->SetColor(st.Background);
    } else {
        C.Brush()->SetStyle(TBrushStyle::bsClear);
    }
    DrawTextEx(C, piece, box, Flags);
    C.Brush()->SetStyle(TBrushStyle::bsClear);
    C.Font()->SetColor(color);
    if (st.Error) DrawErrorLine(box.Left, std::min(box.Left + PieceWidth(piece), R.Right), bottom);
}

void TRenderer::DrawErrorLine(int left, int right, int bottom)
{
    const TColor keep = C.Pen()->Color();
    const int keepWidth = C.Pen()->Width();
    C.Pen()->SetColor(clRed);
    C.Pen()->SetWidth(1);
    int x = left - (left & 1);
    bool below = x % 4 == 0;
    C.MoveTo(x, below ? bottom + 1 : bottom - 1);
    while (x < right) {
        x += 2;
        below = !below;
        C.LineTo(x, below ? bottom + 1 : bottom - 1);
    }
    C.Pen()->SetColor(keep);
    C.Pen()->SetWidth(keepWidth);
}

TTagResult TRenderer::HandleTag(TPass pass, const String& tag, TFlowState& st, TLine& line, int& x)
{
    const bool drawing = pass == TPass::Draw;
    const String upper = UpperSameLength(tag);
    TFont& font = *C.Font();
    auto setStyle = [&](TFontStyle s, bool on) {
        TFontStyles styles = font.Style();
        if (on) styles.Include(s);
        else styles.Exclude(s);
        font.SetStyle(styles);
    };
    auto at = [&](qsizetype i) { return i < upper.size() ? upper[i] : QChar(); };

    if (at(1) == u'/') {
        if (upper.size() < 4) return TTagResult::Consumed;
        switch (at(2).unicode()) {
        case u'A': CloseAnchor(pass, st, line, x); break;
        case u'B':
            if (at(3) == u'>') {
                setStyle(TFontStyle::fsBold, false);
            } else {
                st.Blink = false;
                font.SetColor(Base.Color);
            }
            break;
        case u'E': st.Error = false; break;
        case u'F':
            font.SetName(Base.Name);
            font.SetHeight(Base.Height);
            if (!P.Selected) {
                font.SetColor(Base.Color);
                st.Background = st.FontSavedBackground;
            }
            break;
        case u'H':
            st.Background = st.HiSavedBackground;
            font.SetColor(st.HiSavedColor != clNone ? st.HiSavedColor : Base.Color);
            break;
        case u'I': setStyle(TFontStyle::fsItalic, false); break;
        case u'L': return TTagResult::LineBreak;
        case u'P':
            st.Background = st.ParaSavedBackground;
            st.ParaBackground = false;
            return TTagResult::LineBreak;
        case u'R': RestoreRotatedFont(C, st.Rotation); break;
        case u'S':
            if (at(3) == u'U') st.Sub = st.Sup = false;
            else if (at(3) == u'H') st.Shadow = false;
            else setStyle(TFontStyle::fsStrikeOut, false);
            break;
        case u'U':
            if (at(3) == u'>' || st.ListLevel == 0) setStyle(TFontStyle::fsUnderline, false);
            else --st.ListLevel;
            break;
        case u'Z': st.Hidden = false; break;
        default: break;
        }
        return TTagResult::Consumed;
    }

    switch (at(1).unicode()) {
    case u'A': return Anchor(pass, tag, upper, st, line, x);
    case u'B':
        if (at(2) == u'>') {
            setStyle(TFontStyle::fsBold, true);
        } else if (at(2) == u'R') {
            if (pass == TPass::Measure) Out.StripVal += u'\r';
            return TTagResult::LineBreak;
        } else if (at(2) == u'L') {
            st.Blink = true;
        } else if (at(2) == u'O') {
            Background(tag, upper, st);
        }
        break;
    case u'C': return Control(pass, tag, st, line, x);
    case u'E': st.Error = true; break;
    case u'F': {
        const String attrs = upper.mid(5), source = tag.mid(5);
        st.FontSavedBackground = st.Background;
        if (HasAttr(attrs, QStringLiteral("FACE"))) font.SetName(Attr(source, attrs, QStringLiteral("FACE")));
        if (!P.Selected) {
            if (HasAttr(attrs, QStringLiteral(" COLOR")))
                font.SetColor(MarkupColor(Attr(attrs, attrs, QStringLiteral(" COLOR"))));
            if (HasAttr(attrs, QStringLiteral("BGCOLOR")))
                st.Background = MarkupColor(Attr(attrs, attrs, QStringLiteral("BGCOLOR")));
        }
        if (const qsizetype s = attrs.indexOf(QStringLiteral("SIZE")); s >= 0) {
            const qsizetype eq = attrs.indexOf(u'=', s);
            if (eq >= 0) {
                String digits = attrs.mid(eq + 1).trimmed();
                if (digits.startsWith(u'"')) digits.remove(0, 1);
                const int size = FontSizeFromMarkup(LeadingNumber(digits));
                if (size > 0) font.SetSize(std::min(size, 1000));
            }
        }
        break;
    }
    case u'H':
        if (at(2) == u'I') {
            st.HiSavedBackground = st.Background;
            st.HiSavedColor = font.Color();
            st.Background = HTMLHighlightBackground();
            font.SetColor(HTMLHighlightTextColor());
        } else if (at(2) == u'R') {
            if (drawing) {
                const TColor keep = C.Pen()->Color();
                C.Pen()->SetColor(clBlack);
                C.MoveTo(R.Left, line.Bottom() + 1);
                C.LineTo(R.Right, line.Bottom() + 1);
                C.Pen()->SetColor(keep);
            }
            return TTagResult::LineBreak;
        }
        break;
    case u'I':
        if (at(2) == u'>') {
            setStyle(TFontStyle::fsItalic, true);
        } else if (at(2) == u'N') {
            const int to = std::clamp(LeadingNumber(Attr(upper, upper, QStringLiteral("X"), 3)), 0, MaxMarkupNumber);
            x = std::max(x, to);
        } else if (at(2) == u'M') {
            return Picture(pass, tag, upper, st, line, x);
        }
        break;
    case u'L': {
        if (line.ListSeen) return TTagResult::Full;
        line.ListSeen = true;
        x += 12 * std::min(st.ListLevel, 1000);
        if (drawing) {
            const String bullet = st.ListLevel % 2 == 1 ? QStringLiteral("\u2022") : QStringLiteral("o");
            TRect box = Rect(line.Left + x, line.Top, line.Left + x + 12, line.TextBottom());
            C.Brush()->SetStyle(TBrushStyle::bsClear);
            DrawTextEx(C, bullet, box, DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX);
        }
        x += 12;
        break;
    }
    case u'P': {
        const String align = Attr(upper, upper, QStringLiteral("ALIGN"));
        if (align.contains(QStringLiteral("RIGHT"))) st.Align = TParaAlign::Right;
        if (align.contains(QStringLiteral("LEFT"))) st.Align = TParaAlign::Left;
        if (align.contains(QStringLiteral("CENTER"))) st.Align = TParaAlign::Center;
        if (HasAttr(upper, QStringLiteral("INDENT")))
            st.Indent = std::clamp(LeadingNumber(Attr(upper, upper, QStringLiteral("INDENT"))), 0, MaxMarkupNumber);
        st.ParaSavedBackground = st.Background;
        if (HasAttr(upper, QStringLiteral("BGCOLOR"))) {
            st.Background = MarkupColor(Attr(upper, upper, QStringLiteral("BGCOLOR")));
            st.ParaBackground = true;
        }
        break;
    }
    case u'R': {
        const qsizetype a = upper.indexOf(u'A', 2);
        if (a >= 0) {
            st.Rotation = SelectRotatedFont(C, LeadingNumber(Attr(upper, upper, QString(u'A'), a)));
        }
        break;
    }
    case u'S':
        if (at(2) == u'>') setStyle(TFontStyle::fsStrikeOut, true);
        else if (at(2) == u'H') st.Shadow = true;
        else if (upper.startsWith(QStringLiteral("<SUB>"))) st.Sub = true;
        else if (upper.startsWith(QStringLiteral("<SUP>"))) st.Sup = true;
        break;
    case u'U':
        if (at(2) == u'>') {
            setStyle(TFontStyle::fsUnderline, true);
            break;
        }
        st.ListLevel = std::min(st.ListLevel + 1, MaxMarkupNumber);
        return TTagResult::LineBreak;
    case u'Z': st.Hidden = true; break;
    default: break;
    }
    return TTagResult::Consumed;
}

TTagResult TRenderer::Anchor(TPass pass, const String& tag, const String& upper, TFlowState& st, TLine& line, int x)
{
    const bool drawing = pass == TPass::Draw;
    TFont& font = *C.Font();
    if (st.AnchorCount == P.FocusLink) {
        st.FocusOpen = true;
        st.FocusStartX = line.Left + x;
    }
    ++st.AnchorCount;
    st.LinkNumber = st.AnchorCount;
    st.InLink = HasAttr(upper, QStringLiteral("HREF"));
    st.Href = Attr(tag, upper, QStringLiteral("HREF"));
    st.Title = Attr(tag, upper, QStringLiteral("TITLE"));
    st.LinkHit = false;
    if (HoverApplies(st.AnchorCount) && drawing) {
        TFontStyles styles = font.Style();
        styles.Include(TFontStyle::fsUnderline);
        font.SetStyle(styles);
        if (P.HoverColor != clNone) {
            st.LinkSavedBackground = st.Background;
            st.Background = P.HoverColor;
        }
        if (P.HoverFontColor != clNone) {
            st.LinkSavedColor = font.Color();
            font.SetColor(P.HoverFontColor);
        }
    }
    const bool hoverFont = P.HoverFontColor != clNone && P.HoverLink == st.AnchorCount && P.HoverStyle;
    if (!P.Selected && !hoverFont) font.SetColor(P.URLColor);
    st.LinkStartX = line.Left + x;
    st.LinkStartTop = line.Top;
    st.LinkStartLine = line.Index;
    return TTagResult::Consumed;
}

void TRenderer::CloseAnchor(TPass pass, TFlowState& st, TLine& line, int x)
{
    TFont& font = *C.Font();
    if (pass == TPass::Draw && HoverApplies(st.LinkNumber)) {
        TFontStyles styles = font.Style();
        styles.Exclude(TFontStyle::fsUnderline);
        font.SetStyle(styles);
        if (P.HoverColor != clNone) st.Background = st.LinkSavedBackground;
        if (P.HoverFontColor != clNone) font.SetColor(st.LinkSavedColor);
    }
    if (!P.Selected) font.SetColor(Base.Color);
    if (pass != TPass::Measure && st.LinkHit) {
        const int left = st.LinkStartLine == line.Index ? st.LinkStartX : line.Left;
        Out.HoverRect = Rect(left, st.LinkStartTop, line.Left + x, line.Bottom());
        Out.MouseLink = st.LinkNumber;
        st.LinkHit = false;
    }
    if (st.FocusOpen) {
        const int bottom = line.Bottom() - line.AlignOffset;
        if (pass == TPass::Draw) C.DrawFocusRect(Rect(st.FocusStartX - 1, bottom - GhHeight(), line.Left + x + 1, bottom));
        st.FocusOpen = false;
    }
    st.InLink = false;
}

TPictureRef TRenderer::ResolvePicture(const String& src, bool allowIndexAndShell)
{
    TPictureRef ref;
    const String upper = src.toUpper();
    if (allowIndexAndShell && upper.startsWith(QStringLiteral("IDX:"))) {
        const int index = LeadingNumber(src.mid(4));
        if (P.Images && index >= 0 && index < P.Images->Count()) {
            ref.Index = index;
            ref.Width = P.Images->Width();
            ref.Height = P.Images->Height();
        }
    } else if (allowIndexAndShell && (upper.startsWith(QStringLiteral("SSYS:")) || upper.startsWith(QStringLiteral("LSYS:")))) {
        ref.Shell = true;
        ref.LargeShell = upper.startsWith(u'L');
        ref.ShellName = src.mid(5);
        ref.Width = ref.Height = ref.LargeShell ? 32 : 16;
    } else if (!src.contains(u':')) {
        if (P.Pictures) ref.Picture = P.Pictures->FindPicture(src);
    } else if (src.contains(QStringLiteral("://"))) {
        if (P.PictureCache) {
            ref.Picture = P.PictureCache->FindPicture(src);
            if (!ref.Picture) {
                THTMLPicture* added = P.PictureCache->AddPicture();
                added->SetAsynch(false);
                added->LoadFromURL(src);
                added->SetID(src);
                ref.Picture = P.PictureCache->FindPicture(src);
            }
        }
    }
    if (ref.Picture) {
        if (ref.Picture->Empty()) {
            ref.Picture = nullptr;
        } else {
            ref.Width = ref.Picture->GetMaxWidth();
            ref.Height = ref.Picture->GetMaxHeight();
        }
    }
    return ref;
}

TTagResult TRenderer::Picture(TPass pass, const String& tag, const String& upper, TFlowState& st, TLine& line, int& x)
{
    const bool drawing = pass == TPass::Draw;
    ++st.PictureCount;
    String src = Attr(tag, upper, QStringLiteral("SRC"));
    const String alt = Attr(tag, upper, QStringLiteral("ALT"));
    if (!alt.isEmpty() && st.PictureCount == FoundPicture) src = alt;
    const TPictureRef ref = ResolvePicture(src, true);
    if (!ref.Found() || ref.Width <= 0 || ref.Height <= 0) return TTagResult::Consumed;
    const bool hasW = HasAttr(upper, QStringLiteral("WIDTH")), hasH = HasAttr(upper, QStringLiteral("HEIGHT"));
    int w = std::clamp(LeadingNumber(Attr(upper, upper, QStringLiteral("WIDTH"))), 0, MaxMarkupNumber);
    int h = std::clamp(LeadingNumber(Attr(upper, upper, QStringLiteral("HEIGHT"))), 0, MaxMarkupNumber);
    const bool sized = hasW || hasH;
    if (hasW && !hasH) h = int(std::lround(double(ref.Height) * w / ref.Width));
    else if (hasH && !hasW) w = int(std::lround(double(ref.Width) * h / ref.Height));
    else if (!sized) {
        w = ref.Width;
        h = ref.Height;
    }
    if (pass == TPass::Measure) {
        const int lineWidth = LineWidth(st);
        if (x + w > lineWidth && w < lineWidth && x > 0) return TTagResult::Full;
        line.Height = std::max(line.Height, h);
        const String align = Attr(upper, upper, QStringLiteral("ALIGN"));
        if (align.startsWith(QStringLiteral("TOP"))) line.AlignOffset = line.Height - line.H0;
        else if (align.startsWith(QStringLiteral("MIDDLE"))) line.AlignOffset = (line.Height - line.H0) / 2;
    }
    const TRect box = Rect(line.Left + x, line.TextBottom() - h, line.Left + x + w, line.TextBottom());
    if (drawing) {
        if (ref.Index >= 0) {
            if (!P.Print && !sized) {
                P.Images->Draw(C, box.Left, box.Top, ref.Index);
            } else {
                TBitmap bitmap;
                P.Images->GetBitmap(ref.Index, &bitmap);
                const double scale = P.Print ? P.ResFactor : 1.0;
                const TRect to = sized ? box
                                       : Rect(box.Left, box.Top, box.Left + int(std::lround(w * scale)),
                                               box.Top + int(std::lround(h * scale)));
                if (QPainter* painter = C.Painter())
                    painter->drawImage(QRect(to.Left, to.Top, to.Width(), to.Height()), bitmap.Image());
            }
        } else if (ref.Shell) {
            TSize size;
            DrawShellIcon(C, box.Left, box.Top, ref.ShellName, ref.LargeShell, true, P.Print, P.ResFactor, size);
        } else if (THTMLPicture* picture = ref.Picture) {
            QPainter* painter = C.Painter();
            if (painter && sized) {
                painter->drawImage(QRect(box.Left, box.Top, box.Width(), box.Height()), picture->Image());
            } else if (painter && picture->CountFrames() > 1) {
                if (EntryBackground != clNone)
                    painter->fillRect(QRect(box.Left, box.Top, picture->GetMaxWidth(), picture->GetMaxHeight()),
                                      ToQColor(EntryBackground));
                painter->drawImage(QPoint(box.Left + picture->FrameXPos(), box.Top + picture->FrameYPos()),
                                   picture->Image());
            } else if (painter) {
                painter->drawImage(QPoint(box.Left, box.Top), picture->Image());
            }
        }
    }
    if (pass != TPass::Measure && st.InLink && PointIn(box)) {
        Out.AnchorVal = st.Href;
        Out.AnchorTitle = st.Title;
        FoundPicture = st.PictureCount;
        st.LinkHit = true;
        Hit = true;
    }
    x += w;
    return TTagResult::Consumed;
}

TTagResult TRenderer::Control(TPass pass, const String& tag, TFlowState& st, TLine& line, int& x)
{
    const TControlTag ct = ParseControlTag(tag);
    if (ct.Width.isEmpty()) return TTagResult::Consumed;
    bool heightOk = false;
    int heightAttr = ct.Height.toInt(&heightOk);
    if (!heightOk) heightAttr = 25;
    heightAttr = std::clamp(heightAttr, 0, MaxMarkupNumber);
    const int width = std::clamp(LeadingNumber(ct.Width), 0, MaxMarkupNumber);
    const bool box16 = ct.Type == QLatin1String("CHECK") || ct.Type == QLatin1String("RADIO");
    int elemW = box16 ? 16 : width;
    int elemH = box16 ? 16 : (ct.Type == QLatin1String("BUTTON") || ct.Type == QLatin1String("COMBO") ? 25 : GhHeight() + 10);
    if (pass == TPass::Measure) {
        const int lineWidth = LineWidth(st);
        if (x + elemW > lineWidth && elemW < lineWidth && x > 0) return TTagResult::Full;
        const int need = heightAttr > 25 ? heightAttr - 2 : (box16 ? 16 : 23);
        line.Height = std::max(line.Height, need);
    }
    const int lb = line.TextBottom();
    const TRect box = Rect(line.Left + x, lb - elemH, line.Left + x + elemW, lb);
    const bool hot = PointIn(box);
    // Only what can show is painted: a control far larger than the box would
    // otherwise cost its whole size in memory.
    if (pass == TPass::Draw && box.Left < R.Right && box.Right > R.Left)
        DrawControl(ct, box, line, line.Left + x, std::min(width, R.Width() + 32), std::min(heightAttr, R.Height() + 32),
                    hot);
    if (pass != TPass::Measure && (hot || (P.CheckHotSpot && !ct.ID.isEmpty() && Out.ControlID == ct.ID))) {
        Out.AnchorVal = QStringLiteral("ctrl");
        Out.ControlRect = box;
        Out.ControlValue = ct.Value;
        Out.ControlID = ct.ID;
        Out.ControlType = ct.Type;
        FoundPicture = st.PictureCount;
        Hit = true;
    }
    x += elemW;
    return TTagResult::Consumed;
}

void TRenderer::DrawControl(const TControlTag& ct, const TRect&, const TLine& line, int x, int width, int height,
                            bool hot)
{
    const int lb = line.TextBottom();
    const int lh = line.Height;
    const TColor frame = Themed ? RGB(127, 157, 185) : RGB(128, 128, 128);
    const bool ticked = ct.Value.toUpper() == QLatin1String("TRUE");
    auto whiteBox = [&](const TRect& r) {
        C.Brush()->SetStyle(TBrushStyle::bsSolid);
        C.Brush()->SetColor(clWhite);
        C.Pen()->SetColor(frame);
        C.Rectangle(r);
        C.Brush()->SetStyle(TBrushStyle::bsClear);
    };
    auto valueText = [&](const String& text, TRect r, unsigned flags) {
        C.Brush()->SetStyle(TBrushStyle::bsClear);
        DrawTextEx(C, text, r, flags | DT_NOPREFIX);
    };
    if (ct.Type == QLatin1String("EDIT") || ct.Type == QLatin1String("PASSWORD") || ct.Type == QLatin1String("MASK")
        || ct.Type == QLatin1String("COMBO")) {
        const TRect r = Rect(x, lb - lh + 4, x + width, lb + 2);
        whiteBox(r);
        if (ct.Type == QLatin1String("COMBO")) {
            valueText(ct.Value, Rect(x + 4, r.Top, x + width - 18, r.Bottom), DT_SINGLELINE | DT_VCENTER);
            const TRect button = Rect(x + width - 18, lb - lh + 5, x + width - 1, lb + 1);
            HTHEME theme = Themed ? OpenThemeData(nullptr, QStringLiteral("combobox")) : nullptr;
            if (theme) {
                DrawThemeBackground(theme, C, CP_DROPDOWNBUTTON, hot ? CBXS_HOT : CBXS_NORMAL, button);
                CloseThemeData(theme);
            } else {
                TRect b = button;
                DrawFrameControl(C, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
            }
        } else {
            const String shown = ct.Type == QLatin1String("PASSWORD") ? PasswordMask(ct.Value) : ct.Value;
            valueText(shown, Rect(x + 2, r.Top, x + width, r.Bottom), DT_SINGLELINE | DT_VCENTER);
        }
    } else if (ct.Type == QLatin1String("CHECK") || ct.Type == QLatin1String("RADIO")) {
        const bool check = ct.Type == QLatin1String("CHECK");
        const TRect r = check ? Rect(x + 2, lb - 15, x + 15, lb) : Rect(x + 2, lb - 14, x + 14, lb);
        HTHEME theme = Themed ? OpenThemeData(nullptr, QStringLiteral("button")) : nullptr;
        if (theme) {
            const int state = check ? (ticked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL)
                                    : (ticked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL);
            DrawThemeBackground(theme, C, check ? BP_CHECKBOX : BP_RADIOBUTTON, state, r);
            CloseThemeData(theme);
        } else {
            TRect b = r;
            DrawFrameControl(C, b, DFC_BUTTON,
                             (check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | DFCS_FLAT | (ticked ? DFCS_CHECKED : 0));
        }
    } else if (ct.Type == QLatin1String("BUTTON")) {
        const TRect r = Rect(x + 2, lb - height, x + width - 2, lb);
        HTHEME theme = Themed ? OpenThemeData(nullptr, QStringLiteral("button")) : nullptr;
        if (theme) {
            DrawThemeBackground(theme, C, BP_PUSHBUTTON, P.Down && hot ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL, r);
            CloseThemeData(theme);
        } else {
            TRect b = r;
            DrawFrameControl(C, b, DFC_BUTTON, DFCS_BUTTONPUSH | (hot && P.Down ? DFCS_PUSHED : 0));
        }
        valueText(ct.Value, Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2),
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
}

void TRenderer::Background(const String& source, const String& upper, TFlowState& st)
{
    if (HasAttr(upper, QStringLiteral("BGCOLOR"))) {
        const String value = Attr(upper, upper, QStringLiteral("BGCOLOR"));
        TColor color = clNone;
        if (value.contains(QStringLiteral("CL"))) color = ColorFromHTMLName(value.toLower());
        else if (value.contains(u'#')) color = ColorFromHTMLHex(value);
        if (color != clNone) {
            st.FontSavedBackground = st.Background;
            st.Background = color;
        }
    }
    (void)source;
}

}  // namespace

bool DrawHTMLText(TCanvas& Canvas, const String& Text, const TRect& Rect, const THTMLDrawParams& Params,
                  THTMLDrawResult& Result)
{
    TRenderer renderer(Canvas, Rect, Params, Result);
    return renderer.Run(Text);
}

bool DrawHTMLText(TCanvas& Canvas, const String& Text, const TRect& Rect, TCustomImageList* Images, int XPos,
                  int YPos, int FocusLink, int HoverLink, int ShadowOffset, bool CheckHotSpot, bool MeasureOnly,
                  bool Print, bool Selected, bool BlinkOn, bool HoverStyle, bool WordWrap, bool Down,
                  double ResFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  String& AnchorVal, String& StripVal, String& FocusAnchor, String& AnchorTitle, int& XSize,
                  int& YSize, int& HyperLinks, int& MouseLink, TRect& HoverRect, TRect& ControlRect,
                  String& ControlID, String& ControlValue, String& ControlType, THTMLPictureCache* PictureCache,
                  TPictureContainer* Pictures, void* /*ThemeWindow: every window shares the one theme*/,
                  bool RightToLeft)
{
    THTMLDrawParams p;
    p.Images = Images;
    p.XPos = XPos;
    p.YPos = YPos;
    p.FocusLink = FocusLink;
    p.HoverLink = HoverLink;
    p.ShadowOffset = ShadowOffset;
    p.CheckHotSpot = CheckHotSpot;
    p.MeasureOnly = MeasureOnly;
    p.Print = Print;
    p.Selected = Selected;
    p.BlinkOn = BlinkOn;
    p.HoverStyle = HoverStyle;
    p.WordWrap = WordWrap;
    p.Down = Down;
    p.ResFactor = ResFactor;
    p.URLColor = URLColor;
    p.HoverColor = HoverColor;
    p.HoverFontColor = HoverFontColor;
    p.ShadowColor = ShadowColor;
    p.PictureCache = PictureCache;
    p.Pictures = Pictures;
    p.RightToLeft = RightToLeft;
    THTMLDrawResult r;
    r.AnchorVal = AnchorVal;
    r.HoverRect = HoverRect;
    r.ControlID = ControlID;
    const bool hit = DrawHTMLText(Canvas, Text, Rect, p, r);
    AnchorVal = r.AnchorVal;
    StripVal = r.StripVal;
    FocusAnchor = r.FocusAnchor;
    AnchorTitle = r.AnchorTitle;
    XSize = r.XSize;
    YSize = r.YSize;
    HyperLinks = r.HyperLinks;
    MouseLink = r.MouseLink;
    HoverRect = r.HoverRect;
    ControlRect = r.ControlRect;
    ControlID = r.ControlID;
    ControlValue = r.ControlValue;
    ControlType = r.ControlType;
    return hit;
}

// ---- Following anchors ---------------------------------------------------------------

THTMLAnchorKind ClassifyHTMLAnchor(const String& href, int* row, int* col)
{
    const String h = href.trimmed();
    for (const char* scheme : {"http://", "https://", "mailto:"})
        if (h.startsWith(QLatin1String(scheme), Qt::CaseInsensitive) && h.size() > qsizetype(strlen(scheme)))
            return THTMLAnchorKind::akWeb;
    static const QRegularExpression cell(QStringLiteral("^cell://R(\\d{1,9})C(\\d{1,9})/?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = cell.match(h);
    if (m.hasMatch()) {
        if (row) *row = m.captured(1).toInt();
        if (col) *col = m.captured(2).toInt();
        return THTMLAnchorKind::akCell;
    }
    return THTMLAnchorKind::akRefused;
}

bool FollowHTMLAnchor(const String& href, const THTMLGotoCell& GotoCell)
{
    int row = -1, col = -1;
    switch (ClassifyHTMLAnchor(href, &row, &col)) {
    case THTMLAnchorKind::akWeb: return OpenUrl(href.trimmed());
    case THTMLAnchorKind::akCell: return GotoCell && GotoCell(col, row);
    case THTMLAnchorKind::akRefused: break;
    }
    return false;
}
