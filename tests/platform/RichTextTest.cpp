// The rich text of cells: RTF read into paragraphs of formatted runs and
// written back as 7-bit RTF, broken documents read as far as they go, and the
// rich edit that loads and saves it through streams and measures it.

#include "platform/RichEdit.h"
#include "platform/RichText.h"

#include "platform/Forms.h"
#include "tests/common/TestUtil.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// Each run as "text" with its formats after a colon, paragraphs split by "|".
String Describe(const TRichTextDocument& doc)
{
    QStringList paragraphs;
    for (const TRichParagraph& p : doc.Paragraphs) {
        QStringList runs;
        for (const TRichRun& r : p.Runs) {
            QStringList f;
            if (r.Format.Bold) f << "b";
            if (r.Format.Italic) f << "i";
            if (r.Format.Underline) f << "u";
            if (r.Format.HalfPoints) f << QStringLiteral("fs%1").arg(r.Format.HalfPoints);
            if (const QColor c = doc.ColorOf(r.Format.ColorIndex); c.isValid()) f << "#" + c.name().mid(1);
            if (r.Format.OffsetTwips) f << QStringLiteral("off%1").arg(r.Format.OffsetTwips);
            if (r.Format.Script) f << (r.Format.Script > 0 ? "sup" : "sub");
            runs << (f.isEmpty() ? r.Text : r.Text + ":" + f.join(','));
        }
        paragraphs << "[" + runs.join("][") + "]";
    }
    return paragraphs.join('|');
}

// The document part of written RTF: what follows the header's paragraph reset.
String BodyOf(const String& rtf)
{
    static const QRegularExpression head(QStringLiteral(R"(^.*\\pard\\f0(\\fs\d+)? )"),
                                         QRegularExpression::DotMatchesEverythingOption);
    String body = rtf;
    body.remove(head);
    if (body.endsWith(QStringLiteral("\r\n}\r\n"))) body.chop(5);
    return body;
}

// A document whose own size is fixed, so that sizes a run names are never the document's.
struct TWrittenDocument {
    QTextDocument doc;
    TWrittenDocument()
    {
        QFont f = doc.defaultFont();
        f.setPointSize(13);
        doc.setDefaultFont(f);
    }
    String Write(const String& rtf)
    {
        RichTextToDocument(ParseRtf(rtf), doc);
        return DocumentToRtf(doc);
    }
};

} // namespace

TEST(RichText, RoundTripsTheFormatsCellsUse)
{
    struct Case {
        const char* rtf;
        const char* plain;
        const char* runs;
        const char* body;   // as written back
    };
    const Case cases[] = {
        {R"({\rtf1\ansi{\fonttbl{\f0\fswiss Arial;}}\f0\fs20 Hello \b world\b0\par second})", "Hello world\nsecond",
         "[Hello :fs20][world:b,fs20]|[second:fs20]", "\\fs20 Hello \\b world\\par\r\n\\b0 second"},
        {R"({\rtf1 a\i b\i0\ul c\ulnone d\ul0 e})", "abcde", "[a][b:i][c:u][de]",
         "a\\i b\\i0\\ul c\\ulnone de"},
        {R"({\rtf1{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;}x\cf2 y\cf1 z\cf0 w})", "xyzw",
         "[x][y:#0000ff][z:#ff0000][w]", "x\\cf1 y\\cf2 z\\cf0 w"},
        {R"({\rtf1 H\dn4 2\dn0 O x\up4 2\up0  E=mc\super 2\nosupersub})", "H2O x2 E=mc2",
         "[H][2:off-40][O x][2:off40][ E=mc][2:sup]", "H\\dn4 2\\dn0 O x\\up4 2\\up0  E=mc\\super 2"},
        {R"({\rtf1 caf\'e9 \u937? \u20013?\u-223? \{x\}\\ t\tab e\line n})", "caf\u00e9 \u03a9 \u4e2d\uff21 {x}\\ t\te\nn",
         "[caf\u00e9 \u03a9 \u4e2d\uff21 {x}\\ t\te\u2028n]", "caf\\'e9 \\u937? \\u20013?\\u-223? \\{x\\}\\\\ t\\tab e\\line n"},
        {R"({\rtf1\fs36 big\fs18 small\plain plain})", "bigsmallplain", "[big:fs36][small:fs18][plain]",
         "\\fs36 big\\fs18 small\\fs26 plain"},
        {R"({\rtf1\foo\bar12 a{\*\unknown hidden}b{\stylesheet{\s1 x;}}c{\info{\title t}}d})", "abcd", "[abcd]", "abcd"},
        {R"({\rtf1 one\par\par three\par})", "one\n\nthree", "[one]|[]|[three]|[]", "one\\par\r\n\\par\r\nthree\\par\r\n"},
        {R"({\rtf1})", "", "[]", ""},
        {"{\\rtf1 a\\'07b\x01" "c}", "a\x07" "bc", "[a\x07" "bc]", "a\\'07bc"},   // a raw control character is no text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        const String rtf = QString::fromUtf8(c.rtf);
        const TRichTextDocument parsed = ParseRtf(rtf);
        EXPECT_EQ(parsed.PlainText(), QString::fromUtf8(c.plain));
        EXPECT_EQ(Describe(parsed), QString::fromUtf8(c.runs));

        TWrittenDocument written;
        const String out = written.Write(rtf);
        EXPECT_EQ(BodyOf(out), QString::fromUtf8(c.body));
        for (QChar ch : out) ASSERT_LT(ch.unicode(), 0x80) << "written RTF is 7-bit";
        // What was written reads back as what was read.
        const TRichTextDocument again = ParseRtf(out);
        EXPECT_EQ(again.PlainText(), parsed.PlainText());
        // Read on its own, the written text gives every run the document's size (13 pt).
        String againRuns = Describe(again);
        againRuns.replace(QStringLiteral(":fs26,"), QStringLiteral(":")).replace(QStringLiteral(",fs26"), QString());
        againRuns.replace(QStringLiteral(":fs26"), QString());
        String expectedRuns = QString::fromUtf8(c.runs);
        expectedRuns.replace(QStringLiteral(":fs26"), QString());
        EXPECT_EQ(againRuns, expectedRuns);
    }
}

TEST(RichText, WritesAColourTableOnlyForColoursInUseAndADocumentForNothing)
{
    TWrittenDocument written;
    const String coloured = written.Write(QStringLiteral(R"({\rtf1{\colortbl ;\red1\green2\blue3;\red4\green5\blue6;}\cf2 a})"));
    EXPECT_TRUE(coloured.contains(QStringLiteral(R"({\colortbl ;\red4\green5\blue6;})"))) << coloured.toStdString();
    EXPECT_FALSE(coloured.contains(QStringLiteral(R"(\red1\green2)")));
    const String empty = written.Write(QString());
    EXPECT_FALSE(empty.contains(QStringLiteral("colortbl")));
    EXPECT_TRUE(empty.startsWith(QStringLiteral("{\\rtf1"))) << "an empty document is still a document";
    EXPECT_TRUE(LooksLikeRtf(empty));
    EXPECT_EQ(RtfPlainText(empty), QString());
}

TEST(RichText, BrokenDocumentsShowWhatCanBeRead)
{
    struct Case {
        const char* rtf;
        const char* plain;
    };
    const Case cases[] = {
        {R"({\rtf1 {\b bold} after)", "bold after"},             // never closed
        {R"({\rtf1 a}b}c})", "a"},                                // nothing after the document's end
        {R"({\rtf1 a\u937 b})", "a\u03a9"},                      // the fallback character is skipped
        {R"({\rtf1 a\uc0\u937 b})", "a\u03a9b"},                 // no fallback
        {R"({\rtf1 x\u)", "x"},
        {R"({\rtf1 x\'4)", "x"},
        {R"({\rtf1 x\'g1y})", "xy"},
        {R"({\rtf1\fs99999999999999999999 big})", "big"},
        {R"({\rtf1\cf-5\up99999999 odd})", "odd"},
        {R"({\rtf1{\colortbl\red300\green-1;}c})", "c"},
        {R"({\rtf1 \verylongcontrolwordthatgoesonandonandonbeyondanyrealone text})", "text"},
        {"{\\rtf1 tail\\", "tail"},
        {"{\\rtf1{{{{{{{", ""},
        {"{\\rtf1}}}}{\\rtf1 after}", ""},
        {"{{{{", "{{{{"},                                           // no control word: no RTF
        {"plain {text}", "plain {text}"},
    };
    for (const Case& c : cases) {
        const String rtf = QString::fromUtf8(c.rtf);
        EXPECT_EQ(RtfPlainText(rtf), QString::fromUtf8(c.plain)) << c.rtf;
        QTextDocument doc;
        LoadRtfIntoDocument(rtf, doc);   // never throws, never crashes
    }
}

TEST(RichEdit, LoadsRtfOrPlainBytesAndSavesRtfOrItsText)
{
    TRichEdit edit(nullptr);
    QByteArray bytes = QByteArrayLiteral(R"({\rtf1 one \b two\b0\par three})");
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    edit.LoadFromStream(in);
    EXPECT_EQ(edit.PlainTextContent(), QStringLiteral("one two\nthree"));
    EXPECT_EQ(edit.Text(), QStringLiteral("one two\nthree"));

    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    edit.SaveToStream(out, true);   // a control in rich mode writes RTF whatever it is asked
    EXPECT_TRUE(saved.startsWith("{\\rtf1"));
    EXPECT_TRUE(saved.contains("one \\b two\\par")) << saved.constData();

    QByteArray plainBytes("caf\xe9 au lait");
    QBuffer plainIn(&plainBytes);
    plainIn.open(QIODevice::ReadOnly);
    edit.LoadFromStream(plainIn);
    EXPECT_EQ(edit.PlainTextContent(), QStringLiteral("caf\u00e9 au lait")) << "bytes that are no RTF load as text";

    edit.SetPlainText(true);
    QByteArray utf16;
    QBuffer out16(&utf16);
    out16.open(QIODevice::WriteOnly);
    edit.SaveToStream(out16, true);
    EXPECT_EQ(utf16.size(), 2 * QStringLiteral("caf\u00e9 au lait").size()) << "plain-text mode honours UTF-16";
}

TEST(RichEdit, AsksForTheSizeItsContentNeedsWithoutAWindow)
{
    TRichEdit edit(nullptr);
    std::vector<TRect> asked;
    edit.OnResizeRequest = [&](TObject*, const TRect& r) { asked.push_back(r); };
    edit.SetText(QStringLiteral("one line"));
    ASSERT_FALSE(asked.empty());
    const int oneLine = asked.back().Height();
    EXPECT_GT(oneLine, 0);
    edit.SetText(QStringLiteral("one line\nand another\nand a third"));
    EXPECT_GT(asked.back().Height(), 2 * oneLine);
    EXPECT_FALSE(edit.HandleAllocated()) << "converting and measuring need no window";
}
