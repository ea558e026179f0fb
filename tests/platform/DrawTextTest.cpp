// Formatted text output: what DT_CALCRECT measures is where the ink lands,
// checked against the font's own metrics rather than fixed pixel numbers.

#include "platform/DrawText.h"
#include "tests/common/TestUtil.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

// Failures show rectangles by their corners (file-local: found by argument lookup).
static void PrintTo(const TRect& r, std::ostream* os)
{
    *os << '(' << r.Left << ',' << r.Top << ")-(" << r.Right << ',' << r.Bottom << ')';
}

static std::string Str(const TRect& r)
{
    std::ostringstream os;
    PrintTo(r, &os);
    return os.str();
}

namespace {

constexpr TColor Paper = clWhite;

TColor PixelAt(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

// Smallest rectangle holding every pixel that is not paper; empty when there is none.
TRect InkBounds(const QImage& img)
{
    TRect r{img.width(), img.height(), 0, 0};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (PixelAt(img, x, y) == Paper) continue;
            r.Left = std::min(r.Left, x);
            r.Top = std::min(r.Top, y);
            r.Right = std::max(r.Right, x + 1);
            r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r.IsEmpty() ? TRect{} : r;
}

bool Inside(const TRect& inner, const TRect& outer)
{
    return inner.IsEmpty() ||
           (inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom);
}

// A white sheet with black text on a clear brush.
class DrawTextTest : public ::testing::Test {
protected:
    TBitmap bmp{420, 240};

    void SetUp() override
    {
        Canvas().Font()->SetHeight(-14);
        Canvas().Font()->SetColor(clBlack);
        Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
    }

    TCanvas& Canvas() { return *bmp.Canvas(); }
    QFontMetrics Metrics() { return QFontMetrics(Canvas().Font()->ToQFont()); }
    int W(const String& s) { return Canvas().TextWidth(s); }
    int LineH() { return Canvas().TextHeight(QStringLiteral("gh")); }

    void Clear()
    {
        const TBrushStyle style = Canvas().Brush()->Style();
        const TColor color = Canvas().Brush()->Color();
        Canvas().Brush()->SetStyle(TBrushStyle::bsSolid);
        Canvas().Brush()->SetColor(Paper);
        Canvas().FillRect(TRect{0, 0, bmp.Width(), bmp.Height()});
        Canvas().Brush()->SetStyle(style);
        Canvas().Brush()->SetColor(color);
    }

    TRect Measure(const String& text, TRect r, unsigned format, TDrawTextParams* params = nullptr)
    {
        DrawTextEx(Canvas(), text, r, format | DT_CALCRECT, params);
        return r;
    }

    // Draws on a clean sheet and returns the ink's bounds.
    TRect Ink(const String& text, TRect r, unsigned format, TDrawTextParams* params = nullptr, int* result = nullptr)
    {
        Clear();
        const int height = DrawTextEx(Canvas(), text, r, format, params);
        if (result) *result = height;
        return InkBounds(bmp.Image());
    }

    // Where the measured extent lands in `r` by the alignment flags, one
    // pixel wider each side for glyphs that overhang their advance.
    static TRect ExpectedBox(const TRect& r, const TRect& measured, unsigned format)
    {
        const int w = measured.Width(), h = measured.Height();
        int left = r.Left;
        if (format & DT_CENTER) left += (r.Width() - w) / 2;
        else if (format & DT_RIGHT) left = r.Right - w;
        int top = r.Top;
        if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) top += (r.Height() - h) / 2;
        else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) top = r.Bottom - h;
        return TRect{left - 1, top, left + w + 1, top + h};
    }

    std::vector<String> LinesOf(const String& text, unsigned format, int width, int height = -1)
    {
        const TDrawTextLayout layout(Canvas().Font()->ToQFont(), text, format, width, height);
        std::vector<String> lines;
        for (const TTextLine& line : layout.Lines()) lines.push_back(line.Text);
        return lines;
    }
};

// ---- Lines, measured extent and painted ink agree ----------------------------------------

struct LayoutCase {
    const char* name;
    String text;
    unsigned format;
    String widthOf;   // the rectangle is as wide as this text (plus `extra`); empty: 300
    int extra;
    std::vector<String> lines;
};

TEST_F(DrawTextTest, LinesMeasuredExtentAndInkAgree)
{
    const std::vector<LayoutCase> cases = {
        {"single line", "Hello", DT_SINGLELINE, "", 0, {"Hello"}},
        {"centred both ways", "Hello", DT_SINGLELINE | DT_CENTER | DT_VCENTER, "", 0, {"Hello"}},
        {"right and bottom", "Hello", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, "", 0, {"Hello"}},
        {"vertical flags need a single line", "Hello", DT_VCENTER | DT_BOTTOM, "", 0, {"Hello"}},
        {"line breaks of every kind", "one\r\ntwo\nthree\rfour", DT_LEFT, "", 0, {"one", "two", "three", "four"}},
        {"empty lines between breaks count", "one\n\ntwo", DT_LEFT, "", 0, {"one", "", "two"}},
        {"a final break starts no line", "one\r\n", DT_LEFT, "", 0, {"one"}},
        {"single line shows breaks as nothing", "one\r\ntwo", DT_SINGLELINE, "", 0, {"onetwo"}},
        {"word break at blanks", "alpha beta gamma", DT_WORDBREAK, "alpha beta", 2, {"alpha beta", "gamma"}},
        {"blanks at a break belong to no line", "alpha    beta", DT_WORDBREAK, "alpha", 2, {"alpha", "beta"}},
        {"word break keeps explicit breaks", "ab cd\nef", DT_WORDBREAK, "", 0, {"ab cd", "ef"}},
        {"right-aligned word break", "alpha beta gamma", DT_WORDBREAK | DT_RIGHT, "alpha beta", 2, {"alpha beta", "gamma"}},
        {"centred word break", "alpha beta gamma", DT_WORDBREAK | DT_CENTER, "alpha beta", 2, {"alpha beta", "gamma"}},
        {"a too wide word stands alone", "a Configurator b", DT_WORDBREAK, "a", 2, {"a", "Configurator", "b"}},
        {"single line beats word break", "alpha beta gamma", DT_WORDBREAK | DT_SINGLELINE, "alpha", 0, {"alpha beta gamma"}},
        {"prefix taken out", "&Save", DT_SINGLELINE, "", 0, {"Save"}},
        {"double prefix shows one", "a&&b", DT_SINGLELINE, "", 0, {"a&b"}},
        {"lone trailing prefix dropped", "end&", DT_SINGLELINE, "", 0, {"end"}},
        {"no prefix keeps marks", "&Save &&", DT_SINGLELINE | DT_NOPREFIX, "", 0, {"&Save &&"}},
        {"end ellipsis", "abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, "abc...", 1, {"abc..."}},
        {"word ellipsis", "abcdefghij", DT_SINGLELINE | DT_WORD_ELLIPSIS, "abc...", 1, {"abc..."}},
        {"ellipsis only when too wide", "abc", DT_SINGLELINE | DT_END_ELLIPSIS, "abc", 0, {"abc"}},
        {"path ellipsis keeps the file name", "C:\\folder\\sub\\file.txt", DT_SINGLELINE | DT_PATH_ELLIPSIS,
         "C:\\...\\file.txt", 1, {"C:\\...\\file.txt"}},
        {"path ellipsis on forward slashes", "/home/user/data/file.txt", DT_SINGLELINE | DT_PATH_ELLIPSIS,
         "/home.../file.txt", 1, {"/home.../file.txt"}},
        {"ellipsis on each too wide line", "abcdefghij\nab", DT_END_ELLIPSIS, "abc...", 1, {"abc...", "ab"}},
        {"tabs without expansion are blanks", "a\tb", DT_SINGLELINE, "", 0, {"a b"}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int width = c.widthOf.isEmpty() ? 300 : W(c.widthOf) + c.extra;
        const TRect r = Bounds(40, 30, width, 150);

        EXPECT_EQ(LinesOf(c.text, c.format, width), c.lines);

        int widest = 0;
        for (const String& line : c.lines) widest = std::max(widest, W(line));
        const TRect measured = Measure(c.text, r, c.format);
        EXPECT_EQ(measured.Left, r.Left);
        EXPECT_EQ(measured.Top, r.Top);
        EXPECT_EQ(measured.Width(), widest);
        EXPECT_EQ(measured.Height(), LineH() * int(c.lines.size()));

        int returned = 0;
        const TRect ink = Ink(c.text, r, c.format | DT_NOCLIP, nullptr, &returned);
        const TRect box = ExpectedBox(r, measured, c.format);
        EXPECT_TRUE(Inside(ink, box)) << "ink " << Str(ink) << " box " << Str(box);
        EXPECT_FALSE(ink.IsEmpty());
        EXPECT_EQ(returned, box.Bottom - r.Top);
        if (c.format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
            EXPECT_LE(measured.Width(), width);
        }
    }
}

TEST_F(DrawTextTest, AlignmentPutsInkOnItsSide)
{
    const TRect r{20, 20, 400, 200};
    const String text = QStringLiteral("Wide");
    const int w = W(text), h = LineH();
    struct Case {
        unsigned format;
        int left, top;   // where the text's cell starts
    } cases[] = {
        {DT_SINGLELINE, r.Left, r.Top},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, r.Right - w, r.Bottom - h},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2},
        {DT_RIGHT | DT_BOTTOM, r.Right - w, r.Top},   // multi-line text stays at the top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const TRect ink = Ink(text, r, c.format);
        EXPECT_GE(ink.Left, c.left - 1);
        EXPECT_LE(ink.Right, c.left + w + 1);
        EXPECT_GT(ink.Width(), w / 2);
        EXPECT_GE(ink.Top, c.top);
        EXPECT_LE(ink.Bottom, c.top + h);
    }
}

TEST_F(DrawTextTest, ReturnsTheHeightOrTheOffsetToTheTextBottom)
{
    const int h = LineH();
    const TRect r{0, 10, 200, 110};
    struct Case {
        String text;
        unsigned format;
        int expected;
    } cases[] = {
        {"one", DT_SINGLELINE, h},
        {"one\ntwo\nthree", DT_LEFT, 3 * h},
        {"one", DT_SINGLELINE | DT_VCENTER, (100 - h) / 2 + h},
        {"one", DT_SINGLELINE | DT_BOTTOM, 100},
        {"", DT_LEFT, h},
        {"", DT_SINGLELINE | DT_CALCRECT, h},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(c.format));
        TRect rect = r;
        EXPECT_EQ(DrawText(Canvas(), c.text, rect, c.format), c.expected);
    }
    // An empty text measures as one empty line.
    TRect empty = r;
    DrawText(Canvas(), String(), empty, DT_CALCRECT);
    EXPECT_EQ(empty, (TRect{0, 10, 0, 10 + h}));
}

TEST_F(DrawTextTest, MeasuringPaintsNothingAndAWordBreakKeepsTheMeasuredWidthTight)
{
    Clear();
    TRect r{10, 10, 400, 20};
    DrawText(Canvas(), QStringLiteral("alpha beta gamma"), r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_TRUE(InkBounds(bmp.Image()).IsEmpty());
    // Fits on one line: the rectangle shrinks to the text, as the platform does.
    EXPECT_EQ(r, (TRect{10, 10, 10 + W(QStringLiteral("alpha beta gamma")), 10 + LineH()}));
    // Narrower than its longest word: the rectangle widens to that word.
    TRect narrow{10, 10, 15, 20};
    DrawText(Canvas(), QStringLiteral("a Configurator"), narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.Width(), W(QStringLiteral("Configurator")));
    EXPECT_EQ(narrow.Height(), 2 * LineH());
}

// ---- Word breaking like an edit control --------------------------------------------------

TEST_F(DrawTextTest, EditControlBreaksATooWideWordBetweenCharacters)
{
    const String word = QStringLiteral("Configurator");
    const int width = W(QStringLiteral("Conf")) + 1;
    const std::vector<String> lines = LinesOf(word, DT_WORDBREAK | DT_EDITCONTROL, width);
    ASSERT_GT(lines.size(), 1u);
    String joined;
    for (const String& line : lines) {
        joined += line;
        EXPECT_LE(W(line), width) << line.toStdString();
        EXPECT_FALSE(line.isEmpty());
    }
    EXPECT_EQ(joined, word);
    // A single character wider than the rectangle still takes its own line.
    EXPECT_EQ(LinesOf(QStringLiteral("WW"), DT_WORDBREAK | DT_EDITCONTROL, 1), (std::vector<String>{"W", "W"}));
}

TEST_F(DrawTextTest, EditControlShowsWholeLinesAndAnEllipsisForTheRest)
{
    const String text = QStringLiteral("alpha beta gamma delta");
    const int width = std::max(W(QStringLiteral("alpha beta...")), W(QStringLiteral("gamma delta"))) + 1;
    ASSERT_GT(W(QStringLiteral("alpha beta gamma")), width);
    const int h = LineH();
    struct Case {
        const char* name;
        unsigned format;
        int height;
        std::vector<String> lines;
    } cases[] = {
        {"all lines fit", DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS, 2 * h, {"alpha beta", "gamma delta"}},
        {"partial last line left out", DT_WORDBREAK | DT_EDITCONTROL, 2 * h - 1, {"alpha beta"}},
        {"the last whole line ends in an ellipsis", DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS, 2 * h - 1,
         {"alpha beta..."}},
        {"the first line always shows", DT_WORDBREAK | DT_EDITCONTROL, h / 2, {"alpha beta"}},
        {"without edit control partial lines show", DT_WORDBREAK | DT_END_ELLIPSIS, h, {"alpha beta", "gamma delta"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LinesOf(text, c.format, width, c.height), c.lines);
        TRect r = Bounds(0, 0, width, c.height);
        TDrawTextParams params;
        const int returned = DrawTextEx(Canvas(), text, r, c.format, &params);
        EXPECT_EQ(returned, h * int(c.lines.size()));
        // Characters processed: up to the first line left out.
        const unsigned expected = c.lines.size() == 2 ? unsigned(text.size()) : unsigned(text.indexOf(u'g'));
        EXPECT_EQ(params.uiLengthDrawn, expected);
    }
}

// ---- Prefixes ------------------------------------------------------------------------------

TEST_F(DrawTextTest, PrefixUnderlinesItsCharacterUnlessHidden)
{
    const TRect r{20, 20, 300, 80};
    const int ascent = Metrics().ascent();
    const QImage plain = (Ink(QStringLiteral("Save"), r, DT_SINGLELINE), bmp.Image().copy());

    const TRect marked = Ink(QStringLiteral("&Save"), r, DT_SINGLELINE);
    const QImage underlined = bmp.Image().copy();
    // The underline runs under the S only, just below the baseline.
    const int y = r.Top + ascent + 1;
    for (int x = r.Left; x < r.Left + W(QStringLiteral("S")); ++x) EXPECT_EQ(PixelAt(underlined, x, y), clBlack) << x;
    EXPECT_NE(PixelAt(underlined, r.Left + W(QStringLiteral("Sa")) + 1, y), clBlack);
    EXPECT_NE(underlined, plain);
    EXPECT_LE(marked.Bottom, r.Top + LineH());

    // A prefix in the middle underlines its own character.
    Ink(QStringLiteral("Sa&ve"), r, DT_SINGLELINE);
    EXPECT_EQ(PixelAt(bmp.Image(), r.Left + W(QStringLiteral("Sa")) + W(QStringLiteral("v")) / 2, y), clBlack);
    EXPECT_NE(PixelAt(bmp.Image(), r.Left + W(QStringLiteral("S")) / 2, y), clBlack);

    // Hidden: the text without its underline.
    Ink(QStringLiteral("&Save"), r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(bmp.Image(), plain);

    // Prefix only: the underline without the text.
    const TRect only = Ink(QStringLiteral("&Save"), r, DT_SINGLELINE | DT_PREFIXONLY);
    EXPECT_EQ(only.Top, y);
    EXPECT_LE(only.Height(), 2);
    EXPECT_EQ(only.Left, r.Left);
    EXPECT_EQ(only.Right, r.Left + W(QStringLiteral("S")));

    // The underline follows the character onto its line.
    const TRect second = Ink(QStringLiteral("one\n&two"), r, DT_PREFIXONLY);
    EXPECT_EQ(second.Top, r.Top + LineH() + ascent + 1);
}

// ---- Tabs ----------------------------------------------------------------------------------

TEST_F(DrawTextTest, TabsExpandToTabStopsOfAverageCharacterWidths)
{
    const int average = Metrics().averageCharWidth();
    const String text = QStringLiteral("a\tb");
    const int b = W(QStringLiteral("b"));
    struct Case {
        const char* name;
        unsigned format;
        int tabLength;   // TDrawTextParams::iTabLength
        int width;
    } cases[] = {
        {"default: every 8 characters", DT_SINGLELINE | DT_EXPANDTABS, 0, 8 * average + b},
        {"length from the parameters", DT_SINGLELINE | DT_EXPANDTABS, 3, 3 * average + b},
        {"length from the format's second byte", DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (2u << 8), 0, 2 * average + b},
        {"not expanded: a blank", DT_SINGLELINE, 0, W(QStringLiteral("a b"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDrawTextParams params;
        params.iTabLength = c.tabLength;
        // With DT_TABSTOP the format cannot ask for measuring.
        if (!(c.format & DT_TABSTOP)) {
            EXPECT_EQ(Measure(text, TRect{0, 0, 400, 100}, c.format, &params).Width(), c.width);
        }
        const TRect ink = Ink(text, TRect{10, 10, 400, 100}, c.format, &params);
        EXPECT_GE(ink.Right, 10 + c.width - b);
        EXPECT_LE(ink.Right, 10 + c.width + 1);
    }
    // With DT_TABSTOP the second byte is no flag: 4 << 8 would read as DT_CALCRECT.
    const TRect ink = Ink(text, TRect{10, 10, 400, 100}, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.Right, 10 + 4 * average + b + 1);
    // Tab stops count from the line's start, also on a broken line.
    const TRect lines = Measure(QStringLiteral("abc\n\tb"), TRect{0, 0, 400, 100}, DT_EXPANDTABS);
    EXPECT_EQ(lines.Width(), std::max(W(QStringLiteral("abc")), 8 * average + b));
}

// ---- Colours, background, clipping, margins, leading, reading order ------------------------

TEST_F(DrawTextTest, OpaqueBrushFillsTheTextCellsAndFontColourInks)
{
    const TRect r{20, 20, 300, 150};
    Canvas().Font()->SetColor(clRed);
    Canvas().Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas().Brush()->SetColor(clYellow);
    const TRect ink = Ink(QStringLiteral("one\nlonger"), r, DT_LEFT);
    // Each line's cell is filled, nothing beyond it.
    EXPECT_EQ(ink, (TRect{r.Left, r.Top, r.Left + W(QStringLiteral("longer")), r.Top + 2 * LineH()}));
    EXPECT_EQ(PixelAt(bmp.Image(), r.Left, r.Top), clYellow);
    EXPECT_EQ(PixelAt(bmp.Image(), r.Left + W(QStringLiteral("one")) + 2, r.Top + 1), Paper);
    bool red = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) red = red || PixelAt(bmp.Image(), x, y) == clRed;
    EXPECT_TRUE(red);

    // A clear brush leaves the background.
    Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
    Ink(QStringLiteral("one"), r, DT_LEFT);
    EXPECT_EQ(PixelAt(bmp.Image(), r.Left, r.Top), Paper);
    // No font colour, no ink.
    Canvas().Font()->SetColor(clNone);
    EXPECT_TRUE(Ink(QStringLiteral("one"), r, DT_LEFT).IsEmpty());
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessToldNotTo)
{
    const String text = QStringLiteral("a rather long line of text");
    const TRect r{30, 30, 30 + W(text) / 2, 30 + LineH() / 2};
    EXPECT_TRUE(Inside(Ink(text, r, DT_SINGLELINE), r));
    const TRect free = Ink(text, r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(free.Right, r.Right + W(text) / 4);
    EXPECT_GT(free.Bottom, r.Bottom);
    // An empty rectangle shows nothing, except unclipped.
    EXPECT_TRUE(Ink(text, TRect{30, 30, 30, 60}, DT_SINGLELINE).IsEmpty());
    EXPECT_FALSE(Ink(text, TRect{30, 30, 30, 60}, DT_SINGLELINE | DT_NOCLIP).IsEmpty());
    // The canvas's own clip stays in force.
    Clear();
    Canvas().SetClipRect(TRect{0, 0, 40, 240});
    TRect wide{30, 30, 400, 100};
    DrawText(Canvas(), text, wide, DT_SINGLELINE);
    Canvas().SetClipRect(TRect{});
    const TRect clipped = InkBounds(bmp.Image());
    EXPECT_GT(clipped.Right, 30);
    EXPECT_LE(clipped.Right, 40);
}

TEST_F(DrawTextTest, MarginsNarrowTheLayoutAndWidenTheMeasure)
{
    const String text = QStringLiteral("alpha beta");
    TDrawTextParams params;
    params.iLeftMargin = 20;
    params.iRightMargin = 30;
    const TRect r{10, 10, 300, 100};
    EXPECT_GE(Ink(text, r, DT_SINGLELINE, &params).Left, r.Left + 20 - 1);
    EXPECT_LE(Ink(text, r, DT_SINGLELINE | DT_RIGHT, &params).Right, r.Right - 30 + 1);
    EXPECT_EQ(params.uiLengthDrawn, unsigned(text.size()));
    EXPECT_EQ(Measure(text, r, DT_SINGLELINE, &params).Width(), 20 + W(text) + 30);
    // The margins count against the width that words break at.
    TRect narrow = Bounds(0, 0, 20 + W(QStringLiteral("alpha beta")) + 30, 100);
    EXPECT_EQ(Measure(text, narrow, DT_WORDBREAK, &params).Height(), LineH());
    narrow.Right -= 1;
    EXPECT_EQ(Measure(text, narrow, DT_WORDBREAK, &params).Height(), 2 * LineH());
}

TEST_F(DrawTextTest, ExternalLeadingAddsTheFontsLeadingToEachLine)
{
    const int leading = std::max(0, Metrics().leading());
    const TRect measured = Measure(QStringLiteral("one\ntwo"), TRect{0, 0, 200, 10}, DT_EXTERNALLEADING);
    EXPECT_EQ(measured.Height(), 2 * (LineH() + leading));
}

TEST_F(DrawTextTest, RightToLeftReadingOrdersTheTextWithoutMovingIt)
{
    // Hebrew letters followed by Latin ones: read right to left, the Latin
    // run comes first and stands at the right end.
    const String text = QStringLiteral("abc \u05D0\u05D1\u05D2");
    const TRect r{10, 10, 300, 60};
    const TRect ltr = Ink(text, r, DT_SINGLELINE);
    const QImage ltrImage = bmp.Image().copy();
    const TRect rtl = Ink(text, r, DT_SINGLELINE | DT_RTLREADING);
    const QImage rtlImage = bmp.Image().copy();
    const TRect latin = Ink(QStringLiteral("abc"), r, DT_SINGLELINE);
    const QImage latinImage = bmp.Image().copy();
    const QRect head(r.Left, r.Top, W(QStringLiteral("abc")), LineH());
    EXPECT_EQ(ltrImage.copy(head), latinImage.copy(head));
    EXPECT_NE(rtlImage.copy(head), latinImage.copy(head));
    // Same extent, left-aligned in both orders.
    const TRect box = ExpectedBox(r, Measure(text, r, DT_SINGLELINE), DT_SINGLELINE);
    EXPECT_TRUE(Inside(ltr, box));
    EXPECT_TRUE(Inside(rtl, box)) << Str(rtl) << Str(box);
    EXPECT_FALSE(latin.IsEmpty());
}

// ---- Any text, any flags -------------------------------------------------------------------

// Random texts of blanks, tabs, breaks, prefixes and letters under random flags:
// never a crash, and the ink always lies where the measure says.
TEST_F(DrawTextTest, RandomTextsStayInsideTheirMeasure)
{
    std::mt19937 random(20240611);
    const String alphabet = QStringLiteral("ab W&\t\r\n.\\/");
    const unsigned flagPool[] = {DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM, DT_WORDBREAK, DT_SINGLELINE,
                                 DT_EXPANDTABS, DT_NOPREFIX, DT_EDITCONTROL, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS,
                                 DT_WORD_ELLIPSIS, DT_HIDEPREFIX, DT_RTLREADING, DT_EXTERNALLEADING, DT_NOCLIP};
    Canvas().Font()->SetHeight(-10);
    for (int round = 0; round < 300; ++round) {
        String text;
        const int length = int(random() % 16);
        for (int i = 0; i < length; ++i) text += alphabet[int(random() % alphabet.size())];
        unsigned format = 0;
        for (unsigned flag : flagPool)
            if (random() % 4 == 0) format |= flag;
        const int width = int(random() % 120);
        const TRect r = Bounds(150, 20, width, 200);
        SCOPED_TRACE("text \"" + text.toStdString() + "\" format " + std::to_string(format) + " width " +
                     std::to_string(width));

        TDrawTextParams params;
        const TRect measured = Measure(text, r, format, &params);
        EXPECT_LE(params.uiLengthDrawn, unsigned(text.size()));
        EXPECT_GE(measured.Height(), LineH());
        if ((format & DT_SINGLELINE) && (format & DT_END_ELLIPSIS) && width >= W(QStringLiteral("..."))) {
            EXPECT_LE(measured.Width(), width);
        }
        const TRect ink = Ink(text, r, format, &params);
        EXPECT_TRUE(Inside(ink, ExpectedBox(r, measured, format))) << Str(ink) << Str(ExpectedBox(r, measured, format));
        if (!(format & DT_NOCLIP)) {
            EXPECT_TRUE(Inside(ink, r));
        }
    }
}

} // namespace
