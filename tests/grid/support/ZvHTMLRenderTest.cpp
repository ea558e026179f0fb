// The mini-HTML renderer: measuring, drawing (pixel probes) and hit-testing
// through the one layout, and markup that must never hang or crash it.

#include "grid/support/ZvHTMLRender.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/support/ZvPictureContainer.h"
#include "platform/DrawText.h"
#include "platform/ImgList.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>

#include <utility>
#include <vector>

namespace {

class HTMLRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bitmap.SetSize(400, 200);
        Clear();
        Canvas().Font()->SetName(QStringLiteral("DejaVu Sans"));
        Canvas().Font()->SetHeight(-13);
        Canvas().Font()->SetColor(clBlack);
    }
    TCanvas& Canvas() { return *Bitmap.Canvas(); }
    void Clear()
    {
        Canvas().Brush()->SetStyle(TBrushStyle::bsSolid);
        Canvas().Brush()->SetColor(clWhite);
        Canvas().FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
    }
    THTMLDrawResult Measure(const String& text, TRect box = Rect(0, 0, 400, 200), bool wrap = false)
    {
        THTMLDrawParams p;
        p.MeasureOnly = true;
        p.WordWrap = wrap;
        p.Images = Images;
        p.Pictures = Pictures;
        THTMLDrawResult r;
        DrawHTMLText(Canvas(), text, box, p, r);
        return r;
    }
    void Draw(const String& text, TRect box = Rect(0, 0, 400, 200), bool wrap = false)
    {
        THTMLDrawParams p;
        p.WordWrap = wrap;
        p.Images = Images;
        p.Pictures = Pictures;
        THTMLDrawResult r;
        DrawHTMLText(Canvas(), text, box, p, r);
    }
    int GhHeight() { return Canvas().TextHeight(QStringLiteral("gh")); }
    // Leftmost and rightmost columns in a band of rows holding a pixel that is not white; -1 when none.
    std::pair<int, int> InkSpan(int top, int bottom)
    {
        const QImage& image = Bitmap.Image();
        int left = -1, right = -1;
        for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    if (left < 0 || x < left) left = x;
                    right = std::max(right, x);
                }
        return {left, right};
    }
    bool HasColor(QRgb color)
    {
        const QImage& image = Bitmap.Image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) return true;
        return false;
    }

    TBitmap Bitmap;
    TCustomImageList* Images = nullptr;
    TPictureContainer* Pictures = nullptr;
};

TEST_F(HTMLRender, MeasuresPlainTextTagsAndEntities)
{
    struct Case {
        const char* markup;
        const char* strip;
        const char* sameWidthAs;   // markup of the same width; nullptr: wider than the plain text
    } cases[] = {
        {"ww", "ww", "ww"},
        {"<B>w</B>w", "ww", nullptr},
        {"<b>w</b>w", "ww", nullptr},
        {"<q>w</q>w", "ww", "w<b></b>w"},          // unknown tags go without effect
        {"w<z>hidden</z>w", "whiddenw", "w<b></b>w"},  // hidden text is plain text but takes no room
        {"<zz>w</zz>w", "ww", "w"},                // any name beginning with Z hides
    };
    const int plain = Measure(QStringLiteral("ww")).XSize;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markup);
        const THTMLDrawResult r = Measure(QString::fromUtf8(c.markup));
        EXPECT_EQ(r.StripVal, QString::fromUtf8(c.strip));
        const int expected = c.sameWidthAs ? Measure(QString::fromUtf8(c.sameWidthAs)).XSize : -1;
        if (expected >= 0) {
            EXPECT_EQ(r.XSize, expected);
        } else {
            EXPECT_GT(r.XSize, plain);
        }
        EXPECT_EQ(r.YSize, GhHeight());
    }
    // Upper- and lower-case tags lay out the same.
    EXPECT_EQ(Measure(QStringLiteral("<b>w</b>w")).XSize, Measure(QStringLiteral("<B>w</B>w")).XSize);
}

TEST_F(HTMLRender, EntitiesShowTheirCharactersAndNeverOpenTags)
{
    // "&amp;" shows one ampersand: the same width as a doubled one in the text drawing.
    EXPECT_EQ(Measure(QStringLiteral("a&amp;b")).StripVal, QStringLiteral("a&&b"));
    TRect r = Rect(0, 0, 400, 0);
    DrawTextEx(Canvas(), QStringLiteral("a&b"), r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    EXPECT_EQ(Measure(QStringLiteral("a&amp;b")).XSize, r.Width());

    // Escaped angle brackets are text, not a bold tag.
    const THTMLDrawResult escaped = Measure(QStringLiteral("&lt;B&gt;x"));
    EXPECT_EQ(escaped.StripVal, QStringLiteral("<B>x"));
    TRect plain = Rect(0, 0, 400, 0);
    DrawTextEx(Canvas(), QStringLiteral("<B>x"), plain, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    EXPECT_EQ(escaped.XSize, plain.Width());
    EXPECT_EQ(Measure(QStringLiteral("&quot;&euro;&copy;")).StripVal, QStringLiteral("\"\u20AC\u00A9"));
}

TEST_F(HTMLRender, LineBreaksWrappingAndEllipsis)
{
    const int gh = GhHeight();
    const THTMLDrawResult two = Measure(QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(two.StripVal, QStringLiteral("one\rtwo"));
    EXPECT_EQ(two.YSize, 2 * gh);
    EXPECT_EQ(Measure(QStringLiteral("one<br>two<BR>three")).YSize, 3 * gh);
    EXPECT_EQ(Measure(QString()).YSize, gh);
    EXPECT_EQ(Measure(QString()).XSize, 0);

    const String sentence = QStringLiteral("alpha beta gamma delta epsilon zeta eta theta");
    const TRect narrow = Rect(0, 0, 80, 400);
    EXPECT_EQ(Measure(sentence, narrow, false).YSize, gh);
    const THTMLDrawResult wrapped = Measure(sentence, narrow, true);
    EXPECT_GE(wrapped.YSize, 3 * gh);
    EXPECT_LE(wrapped.XSize, 80);
    // A word wider than the box stays whole on a line of its own.
    const THTMLDrawResult longWord = Measure(QStringLiteral("a extraordinarilylongword b"), Rect(0, 0, 40, 400), true);
    EXPECT_EQ(longWord.YSize, 3 * gh);
    EXPECT_GT(longWord.XSize, 40);

    // Without wrapping the drawn line ends in an ellipsis inside the box.
    Draw(sentence, Rect(0, 0, 80, 40), false);
    const auto [left, right] = InkSpan(0, 40);
    EXPECT_GE(left, 0);
    EXPECT_LT(right, 80);
}

TEST_F(HTMLRender, FontSizesColoursAndHighlightDraw)
{
    struct Case {
        int markupSize;
        int points;
    } sizes[] = {{1, 8}, {2, 10}, {3, 12}, {4, 14}, {5, 16}, {20, 20}};
    for (const Case& c : sizes) {
        SCOPED_TRACE(c.markupSize);
        Canvas().Font()->SetSize(c.points);
        const int sized = Canvas().TextHeight(QStringLiteral("gh"));
        Canvas().Font()->SetHeight(-13);
        // A line is never lower than the text's own font.
        const int expected = std::max(sized, GhHeight());
        EXPECT_EQ(Measure(QStringLiteral("<font size=\"%1\">gh</font>").arg(c.markupSize)).YSize, expected);
        EXPECT_EQ(Measure(QStringLiteral("<font size=%1>gh</font>").arg(c.markupSize)).YSize, expected);
    }
    // The canvas comes back as it was.
    EXPECT_EQ(Canvas().Font()->Height(), -13);

    Draw(QStringLiteral("<font color=\"clred\">XXXX</font>"));
    EXPECT_TRUE(HasColor(qRgb(255, 0, 0)));
    Clear();
    Draw(QStringLiteral("<font color=\"#00FF00\">XXXX</font>"));
    EXPECT_TRUE(HasColor(qRgb(0, 255, 0)));
    Clear();
    SetHTMLHighlightColors(clBlue, clWhite);
    Draw(QStringLiteral("a<hi>found</hi>b"));
    EXPECT_TRUE(HasColor(qRgb(0, 0, 255)));
    SetHTMLHighlightColors(clHighlight, clHighlightText);
}

TEST_F(HTMLRender, ParagraphAlignmentHoldsForTheFollowingLines)
{
    const int gh = GhHeight();
    Draw(QStringLiteral("<P align=\"center\">ab</P>cd<br>ef"));
    for (int line = 0; line < 3; ++line) {
        SCOPED_TRACE(line);
        const auto [left, right] = InkSpan(line * gh, (line + 1) * gh);
        EXPECT_GT(left, 150);
        EXPECT_LT(right, 250);
    }
    Clear();
    Draw(QStringLiteral("<p align=\"right\">ab"));
    EXPECT_GT(InkSpan(0, gh).first, 300);
    Clear();
    Draw(QStringLiteral("ab"));
    EXPECT_LT(InkSpan(0, gh).first, 10);
}

TEST_F(HTMLRender, AnchorsAreCountedAndHitTested)
{
    const String markup = QStringLiteral("go <a href=\"http://127.0.0.1/x\" title=\"T\">there</a> now <a href=\"y\">b</a>");
    EXPECT_EQ(Measure(markup).HyperLinks, 2);
    const int before = Measure(QStringLiteral("go ")).XSize;
    const int word = Measure(QStringLiteral("there")).XSize;
    const int y = GhHeight() / 2;

    struct Case {
        int x;
        bool hit;
        int link;
        const char* value;
    } cases[] = {
        {1 + before + word / 2, true, 1, "http://127.0.0.1/x"},
        {3, false, -1, "unchanged"},
        {1 + before + word + 60, false, -1, "unchanged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        THTMLDrawParams p;
        p.CheckHotSpot = true;
        p.XPos = c.x;
        p.YPos = y;
        THTMLDrawResult r;
        r.AnchorVal = QStringLiteral("unchanged");
        EXPECT_EQ(DrawHTMLText(Canvas(), markup, Rect(0, 0, 400, 200), p, r), c.hit);
        EXPECT_EQ(r.MouseLink, c.link);
        EXPECT_EQ(r.AnchorVal, QString::fromUtf8(c.value));
        if (c.hit) {
            EXPECT_EQ(r.AnchorTitle, QStringLiteral("T"));
            EXPECT_LE(r.HoverRect.Left, c.x);
            EXPECT_GT(r.HoverRect.Right, c.x);
        }
    }
    // Hit-testing draws nothing.
    EXPECT_EQ(InkSpan(0, 200).first, -1);
    // Drawing paints the anchor in the link colour.
    Draw(markup);
    EXPECT_TRUE(HasColor(qRgb(0, 0, 255)));
}

TEST_F(HTMLRender, ImageListPicturesTakeRoomOnlyWhenTheyExist)
{
    TCustomImageList list;
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    for (int i = 0; i < 3; ++i) list.Add(&red, nullptr);
    Images = &list;
    const int ab = Measure(QStringLiteral("ab")).XSize;
    EXPECT_EQ(Measure(QStringLiteral("a<img src=\"idx:5\">b")).XSize, ab);
    EXPECT_EQ(Measure(QStringLiteral("a<img src=\"idx:1\">b")).XSize, ab + 16);
    EXPECT_EQ(Measure(QStringLiteral("a<img src=\"idx:1\" width=\"32\">b")).XSize, ab + 32);
    Images = nullptr;
    EXPECT_EQ(Measure(QStringLiteral("a<img src=\"idx:1\">b")).XSize, ab);
    Images = &list;
    Draw(QStringLiteral("<img src=\"idx:2\">"));
    EXPECT_TRUE(HasColor(qRgb(255, 0, 0)));
}

TEST_F(HTMLRender, FormControlsAreFoundByIdOrUnderThePoint)
{
    const String markup = QStringLiteral(
        "x <control type=\"CHECK\" id=\"c1\" value=\"TRUE\" width=\"16\"> "
        "<control type=\"EDIT\" id=\"e1\" value=\"text\" width=\"60\">");
    THTMLDrawParams p;
    p.CheckHotSpot = true;
    p.XPos = 390;
    p.YPos = 190;
    THTMLDrawResult r;
    r.ControlID = QStringLiteral("c1");
    EXPECT_TRUE(DrawHTMLText(Canvas(), markup, Rect(0, 0, 400, 200), p, r));
    EXPECT_EQ(r.ControlType, QStringLiteral("CHECK"));
    EXPECT_EQ(r.ControlValue, QStringLiteral("TRUE"));
    EXPECT_EQ(r.AnchorVal, QStringLiteral("ctrl"));
    EXPECT_EQ(r.ControlRect.Width(), 16);

    // Without an ID to find, the control under the point answers.
    THTMLDrawResult under;
    p.XPos = r.ControlRect.Right + Measure(QStringLiteral(" ")).XSize + 20;
    p.YPos = r.ControlRect.Bottom - 5;
    EXPECT_TRUE(DrawHTMLText(Canvas(), markup, Rect(0, 0, 400, 200), p, under));
    EXPECT_EQ(under.ControlID, QStringLiteral("e1"));
    EXPECT_EQ(under.ControlValue, QStringLiteral("text"));

    // A control without WIDTH is left out.
    EXPECT_EQ(Measure(QStringLiteral("a<control type=\"EDIT\" id=\"e\">b")).XSize, Measure(QStringLiteral("ab")).XSize);
    Draw(markup);
    EXPECT_NE(InkSpan(0, 200).first, -1);
}

TEST_F(HTMLRender, ContainerPicturesByName)
{
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->SetName(QStringLiteral("LOGO"));
    QImage image(10, 8, QImage::Format_ARGB32);
    image.fill(qRgb(0, 0, 255));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    item->Picture()->LoadFromStream(png);
    Pictures = &container;
    const int ab = Measure(QStringLiteral("ab")).XSize;
    EXPECT_EQ(Measure(QStringLiteral("a<img src=\"logo\">b")).XSize, ab + 10);
    EXPECT_EQ(Measure(QStringLiteral("a<img src=\"other\">b")).XSize, ab);
    Draw(QStringLiteral("<img src=\"Logo\">"));
    EXPECT_TRUE(HasColor(qRgb(0, 0, 255)));
}

TEST(HTMLAnchors, OnlyWebAndCellAnchorsAreFollowed)
{
    struct Case {
        const char* href;
        THTMLAnchorKind kind;
    } cases[] = {
        {"http://127.0.0.1/page", THTMLAnchorKind::akWeb},
        {"HTTPS://127.0.0.1/", THTMLAnchorKind::akWeb},
        {"mailto:someone@example.invalid", THTMLAnchorKind::akWeb},
        {"cell://R2C3", THTMLAnchorKind::akCell},
        {"file:///etc/passwd", THTMLAnchorKind::akRefused},
        {"/usr/bin/xterm", THTMLAnchorKind::akRefused},
        {"javascript:alert(1)", THTMLAnchorKind::akRefused},
        {"ftp://127.0.0.1/", THTMLAnchorKind::akRefused},
        {"http://", THTMLAnchorKind::akRefused},
        {"cell://R2", THTMLAnchorKind::akRefused},
        {"", THTMLAnchorKind::akRefused},
    };
    TTestSeams seams;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.href);
        const String href = QString::fromUtf8(c.href);
        int row = -1, col = -1;
        EXPECT_EQ(ClassifyHTMLAnchor(href, &row, &col), c.kind);
        if (c.kind == THTMLAnchorKind::akCell) {
            EXPECT_EQ(row, 2);
            EXPECT_EQ(col, 3);
        }
        seams.OpenedUrls.clear();
        FollowHTMLAnchor(href);
        EXPECT_EQ(seams.OpenedUrls.size(), c.kind == THTMLAnchorKind::akWeb ? 1u : 0u);
    }
    // A cell anchor without a grid to move in does nothing.
    EXPECT_FALSE(FollowHTMLAnchor(QStringLiteral("cell://R1C1")));
}

// The cell anchor reaches the one who shows the text, column first as the
// grid counts, and its answer (the cell may not be there) is the result.
TEST(HTMLAnchors, CellAnchorIsHandedToTheGotoCellHook)
{
    TTestSeams seams;
    std::vector<std::pair<int, int>> moves;
    bool cellThere = true;
    const THTMLGotoCell gotoCell = [&](int col, int row) {
        moves.emplace_back(col, row);
        return cellThere;
    };
    EXPECT_TRUE(FollowHTMLAnchor(QStringLiteral(" CELL://R12C3 "), gotoCell));
    cellThere = false;
    EXPECT_FALSE(FollowHTMLAnchor(QStringLiteral("cell://R40C7/"), gotoCell));
    EXPECT_TRUE(FollowHTMLAnchor(QStringLiteral("http://127.0.0.1/"), gotoCell));
    EXPECT_FALSE(FollowHTMLAnchor(QStringLiteral("file:///etc/passwd"), gotoCell));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{3, 12}, {7, 40}}));
    EXPECT_EQ(seams.OpenedUrls.size(), 1u);
}

TEST_F(HTMLRender, HostileMarkupLaysOutInBoundedTime)
{
    String deep;
    for (int i = 0; i < 20000; ++i) deep += QStringLiteral("<b><i><u><font size=\"5\">");
    const String cases[] = {
        deep,
        deep + QStringLiteral("text"),
        QStringLiteral("<ul>").repeated(3000) + QStringLiteral("<li>x") + QStringLiteral("</ul>").repeated(3000),
        QStringLiteral("<b"),
        QStringLiteral("<"),
        QStringLiteral("a<"),
        QStringLiteral("<<<<>>>>"),
        QStringLiteral("&amp;").repeated(5) + QStringLiteral("amp;").repeated(5000),
        QStringLiteral("<ind x=\"999999999999\">a<img width=\"99999999\" src=\"idx:0\">"),
        QStringLiteral("<control type=\"BUTTON\" width=\"2147483647\" height=\"2147483647\" id=\"b\">"),
        QStringLiteral("<a href=\"x\">").repeated(5000),
        QStringLiteral("<p align=\"center\" indent=\"-50\">x</p>").repeated(500),
        QStringLiteral("<r a=\"90\">turned</r><sub>s</sub><sup>p</sup><sh>h</sh><e>e</e><bl>b</bl><hr><body bgcolor=\"clred\">"),
    };
    for (const String& markup : cases) {
        SCOPED_TRACE(markup.left(60).toStdString());
        const THTMLDrawResult r = Measure(markup, Rect(0, 0, 200, 100), true);
        EXPECT_GT(r.YSize, 0);
        Draw(markup, Rect(0, 0, 200, 100), true);
        Draw(markup, Rect(0, 0, 200, 100), false);
    }
    EXPECT_EQ(Canvas().Font()->Height(), -13);
}

TEST_F(HTMLRender, MutatedMarkupNeverCrashes)
{
    const String seeds[] = {
        QStringLiteral("<b>bold</b> <i>it</i> <a href=\"http://127.0.0.1\">link</a>&amp;&lt;x&gt;"),
        QStringLiteral("<p align=\"right\"><font face=\"Arial\" color=\"#FF0000\" size=\"4\">f</font></p><br>"),
        QStringLiteral("<ul><li>one<li>two</ul><img src=\"idx:0\" align=\"top\"><hr>"),
        QStringLiteral("<control type=\"COMBO\" id=\"c\" value=\"v\" width=\"50\"><control type=\"RADIO\" id=\"r\" width=\"16\">"),
        QStringLiteral("<hi>h</hi><e>e</e><z>z</z><sub>1</sub><sup>2</sup><s>s</s><sh>sh</sh><ind x=\"40\">i"),
    };
    const String fragments[] = {QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("</"), QStringLiteral("\""),
                                QStringLiteral("&"), QStringLiteral("\r\n"), QStringLiteral(" "), QStringLiteral("<li>"),
                                QStringLiteral("</a>"), QStringLiteral("<a href=\""), QStringLiteral("=\"")};
    QRandomGenerator random(1234);
    for (int round = 0; round < 600; ++round) {
        String markup = seeds[random.bounded(int(std::size(seeds)))];
        const int edits = 1 + random.bounded(6);
        for (int e = 0; e < edits && !markup.isEmpty(); ++e) {
            const int at = random.bounded(int(markup.size()));
            switch (random.bounded(4)) {
            case 0: markup.remove(at, 1 + random.bounded(5)); break;
            case 1: markup.insert(at, fragments[random.bounded(int(std::size(fragments)))]); break;
            case 2: markup[at] = QChar(char16_t(random.bounded(0x80))); break;
            default: markup.truncate(at); break;
            }
        }
        SCOPED_TRACE(markup.toStdString());
        THTMLDrawParams p;
        p.WordWrap = round % 2 == 0;
        p.XPos = random.bounded(200);
        p.YPos = random.bounded(60);
        p.CheckHotSpot = round % 3 == 0;
        THTMLDrawResult r;
        DrawHTMLText(Canvas(), markup, Rect(0, 0, 200, 60), p, r);
        EXPECT_GT(r.YSize, 0);
        EXPECT_GE(r.XSize, 0);
    }
}

}  // namespace
