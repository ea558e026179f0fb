// The RTF reader and writer of rich-text cells.
#include "platform/RichText.h"

#include "platform/TextCodec.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>

namespace {

// Where the text of a group goes.
enum class TDest { Text, Skip, Colors };

struct TGroupState {
    TRichCharFormat Format;
    int SkipCount = 1;   // \ucN: fallback characters after a \uN
    TDest Dest = TDest::Text;
};

// Destinations whose content is never shown. The font table is among them:
// a cell's text keeps the document's font.
bool IsHiddenDestination(const String& word)
{
    static const char* const names[] = {"fonttbl", "stylesheet", "info",   "pict",    "header",  "footer",
                                        "headerl", "headerr",    "headerf", "footerl", "footerr", "footerf",
                                        "footnote", "object",    "listtable", "listoverridetable", "rsidtbl",
                                        "generator", "themedata", "datastore", "latentstyles", "xmlnstbl"};
    for (const char* n : names)
        if (word == QLatin1String(n)) return true;
    return false;
}

char16_t AnsiChar(unsigned byte)
{
    if (byte < 0x80) return char16_t(byte);
    const String s = DecodeWindows1252(QByteArray(1, char(byte)));
    return s.isEmpty() ? char16_t(byte) : s[0].unicode();
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

class TRtfReader {
public:
    explicit TRtfReader(const String& text) : FText(text) {}

    TRichTextDocument Read()
    {
        FStack.push_back({});
        while (FPos < FText.size() && !FEnded) Step();
        return std::move(FDoc);
    }

private:
    TGroupState& State() { return FStack.back(); }

    void Step()
    {
        const QChar c = FText[FPos];
        if (c == u'{') {
            ++FPos;
            FStarted = true;
            FStack.push_back(State());
            return;
        }
        if (c == u'}') {
            ++FPos;
            FinishColor();
            if (FStack.size() > 1) FStack.pop_back();
            // Nothing of a document is read after its last brace.
            if (FStack.size() == 1 && FStarted) FEnded = true;
            return;
        }
        if (c == u'\\') {
            ControlWord();
            return;
        }
        ++FPos;
        if (c == u'\r' || c == u'\n') return;
        // Text outside the document's group is not part of it.
        if (FStack.size() < 2) return;
        if (State().Dest == TDest::Colors) {
            if (c == u';') FinishColor(true);
            return;
        }
        if (FPendingSkip > 0) {
            --FPendingSkip;
            return;
        }
        // A control character written as such is no text of the document; one escaped as \'hh is.
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) return;
        Emit(c.unicode() < 0x100 ? AnsiChar(c.unicode()) : c.unicode());
    }

    void Emit(char16_t ch)
    {
        if (State().Dest != TDest::Text) return;
        TRichParagraph& p = FDoc.Paragraphs.back();
        if (p.Runs.empty() || !(p.Runs.back().Format == State().Format)) p.Runs.push_back({String(), State().Format});
        p.Runs.back().Text += QChar(ch);
    }

    void NewParagraph()
    {
        if (State().Dest != TDest::Text) return;
        FDoc.Paragraphs.emplace_back();
    }

    void ControlWord()
    {
        ++FPos;   // the backslash
        if (FPos >= FText.size()) return;
        const QChar s = FText[FPos];
        if (!s.isLetter() || s.unicode() > 0x7F) {
            ++FPos;
            Symbol(s);
            return;
        }
        const qsizetype start = FPos;
        while (FPos < FText.size() && FText[FPos].unicode() < 0x80 && FText[FPos].isLetter()) ++FPos;
        // No word is longer than 32 letters; a longer one is no word this reader knows.
        const String word = FText.mid(start, std::min<qsizetype>(FPos - start, 33));
        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (FPos < FText.size() && FText[FPos] == u'-') {
            negative = true;
            ++FPos;
        }
        int digits = 0;
        while (FPos < FText.size() && FText[FPos].unicode() >= '0' && FText[FPos].unicode() <= '9') {
            if (digits < 12) param = param * 10 + (FText[FPos].unicode() - '0');
            ++digits;
            ++FPos;
        }
        hasParam = digits > 0;
        if (negative) param = -param;
        if (FPos < FText.size() && FText[FPos] == u' ') ++FPos;
        Word(word, hasParam, param);
    }

    void Symbol(QChar s)
    {
        switch (s.unicode()) {
        case u'\\':
        case u'{':
        case u'}':
            SkipOrEmit(s.unicode());
            return;
        case u'~': SkipOrEmit(0x00A0); return;
        case u'_': SkipOrEmit(0x2011); return;
        case u'-': return;
        case u'\r':
        case u'\n': NewParagraph(); return;
        case u'*':
            // An optional destination this reader does not know: passed over whole.
            State().Dest = TDest::Skip;
            return;
        case u'\'': {
            int value = 0;
            bool ok = FPos + 1 < FText.size();
            for (int k = 0; k < 2 && FPos < FText.size(); ++k, ++FPos) {
                const int h = HexDigit(FText[FPos]);
                if (h < 0) ok = false;
                else value = value * 16 + h;
            }
            if (ok) SkipOrEmit(AnsiChar(unsigned(value)));
            return;
        }
        default: return;
        }
    }

    void SkipOrEmit(char16_t ch)
    {
        if (FPendingSkip > 0) {
            --FPendingSkip;
            return;
        }
        if (State().Dest == TDest::Text && FStack.size() >= 2) Emit(ch);
    }

    void Word(const String& word, bool hasParam, std::int64_t param)
    {
        TRichCharFormat& f = State().Format;
        const bool on = !hasParam || param != 0;
        const int p = int(std::clamp<std::int64_t>(param, -100000, 100000));
        FPendingSkip = 0;
        if (IsHiddenDestination(word)) {
            State().Dest = TDest::Skip;
        } else if (word == u"colortbl") {
            if (State().Dest == TDest::Text) {
                State().Dest = TDest::Colors;
                FDoc.Colors.clear();
                FColor = QColor();
                FColorParts = 0;
            }
        } else if (State().Dest == TDest::Colors) {
            if (word == u"red" || word == u"green" || word == u"blue") {
                if (!FColor.isValid()) FColor = QColor(0, 0, 0);
                const int v = std::clamp(p, 0, 255);
                if (word == u"red") FColor.setRed(v);
                else if (word == u"green") FColor.setGreen(v);
                else FColor.setBlue(v);
                ++FColorParts;
            }
        } else if (word == u"par") {
            NewParagraph();
        } else if (word == u"line") {
            SkipOrEmit(0x2028);
        } else if (word == u"tab") {
            SkipOrEmit(u'\t');
        } else if (word == u"emdash") {
            SkipOrEmit(0x2014);
        } else if (word == u"endash") {
            SkipOrEmit(0x2013);
        } else if (word == u"bullet") {
            SkipOrEmit(0x2022);
        } else if (word == u"lquote") {
            SkipOrEmit(0x2018);
        } else if (word == u"rquote") {
            SkipOrEmit(0x2019);
        } else if (word == u"ldblquote") {
            SkipOrEmit(0x201C);
        } else if (word == u"rdblquote") {
            SkipOrEmit(0x201D);
        } else if (word == u"b") {
            f.Bold = on;
        } else if (word == u"i") {
            f.Italic = on;
        } else if (word == u"ul") {
            f.Underline = on;
        } else if (word == u"ulnone") {
            f.Underline = false;
        } else if (word == u"fs") {
            f.HalfPoints = hasParam && p > 0 && p <= 3276 ? p : 0;
        } else if (word == u"cf") {
            f.ColorIndex = std::max(0, p);
        } else if (word == u"up") {
            f.OffsetTwips = hasParam ? p * 10 : 60;
        } else if (word == u"dn") {
            f.OffsetTwips = -(hasParam ? p * 10 : 60);
        } else if (word == u"super") {
            f.Script = 1;
        } else if (word == u"sub") {
            f.Script = -1;
        } else if (word == u"nosupersub") {
            f.Script = 0;
        } else if (word == u"plain") {
            f = TRichCharFormat{};
        } else if (word == u"uc") {
            State().SkipCount = std::clamp(p, 0, 10);
        } else if (word == u"u") {
            // Out of the 16-bit range it is no character: the word is passed over whole.
            if (!hasParam || param < -32768 || param > 65535) return;
            SkipOrEmit(char16_t(param < 0 ? param + 65536 : param));
            FPendingSkip = State().SkipCount;
        }
        // Every other word is passed over.
    }

    // A colour entry ends at its semicolon; one without components is the automatic colour.
    void FinishColor(bool atSemicolon = false)
    {
        if (State().Dest != TDest::Colors) return;
        if (!atSemicolon && FColorParts == 0) return;
        FDoc.Colors.push_back(FColorParts > 0 ? FColor : QColor());
        FColor = QColor();
        FColorParts = 0;
    }

    const String& FText;
    qsizetype FPos = 0;
    std::vector<TGroupState> FStack;
    TRichTextDocument FDoc;
    bool FStarted = false;
    bool FEnded = false;
    int FPendingSkip = 0;
    QColor FColor;
    int FColorParts = 0;
};

// ---- Writing ----------------------------------------------------------------------------------
String Escaped(const String& text)
{
    String out;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += u'\\';
            out += ch;
        } else if (u == u'\t') {
            out += QStringLiteral("\\tab ");
        } else if (u == 0x2028) {
            out += QStringLiteral("\\line ");
        } else if (u == 0x00A0) {
            out += QStringLiteral("\\~");
        } else if (u >= 0x20 && u < 0x7F) {
            out += ch;
        } else if (u < 0x20 || u == 0x7F) {
            out += QStringLiteral("\\'%1").arg(unsigned(u), 2, 16, QChar(u'0'));
        } else {
            const QByteArray b = EncodeWindows1252(String(ch));
            if (b.size() == 1 && b[0] != '?') {
                out += QStringLiteral("\\'%1").arg(unsigned(static_cast<unsigned char>(b[0])), 2, 16, QChar(u'0'));
            } else {
                out += QStringLiteral("\\u%1?").arg(int(std::int16_t(u)));
            }
        }
    }
    return out;
}

QColor ForegroundOf(const QTextCharFormat& f)
{
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
}

TRichCharFormat RichFormatOf(const QTextCharFormat& f, double defaultPoints, std::vector<QColor>& colors)
{
    TRichCharFormat r;
    r.Bold = f.fontWeight() >= QFont::DemiBold;
    r.Italic = f.fontItalic();
    r.Underline = f.fontUnderline();
    const double pt = f.fontPointSize();
    if (pt > 0 && std::abs(pt - defaultPoints) > 0.01) r.HalfPoints = int(pt * 2 + 0.5);
    const QColor c = ForegroundOf(f);
    if (c.isValid()) {
        auto it = std::find(colors.begin() + 1, colors.end(), c);
        if (it == colors.end()) it = colors.insert(colors.end(), c);
        r.ColorIndex = int(it - colors.begin());
    }
    r.OffsetTwips = f.intProperty(RichTextOffsetProperty);
    if (r.OffsetTwips == 0) {
        if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) r.Script = 1;
        if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) r.Script = -1;
    }
    return r;
}

// The control words that take the state from `from` to `to`.
String FormatChange(const TRichCharFormat& from, const TRichCharFormat& to, int baseHalfPoints)
{
    String w;
    if (from.Bold != to.Bold) w += to.Bold ? QStringLiteral("\\b") : QStringLiteral("\\b0");
    if (from.Italic != to.Italic) w += to.Italic ? QStringLiteral("\\i") : QStringLiteral("\\i0");
    if (from.Underline != to.Underline) w += to.Underline ? QStringLiteral("\\ul") : QStringLiteral("\\ulnone");
    if (from.HalfPoints != to.HalfPoints) {
        // Back to the document's own size, which the header set.
        const int size = to.HalfPoints > 0 ? to.HalfPoints : baseHalfPoints;
        if (size > 0) w += QStringLiteral("\\fs%1").arg(size);
    }
    if (from.ColorIndex != to.ColorIndex) w += QStringLiteral("\\cf%1").arg(to.ColorIndex);
    if (from.OffsetTwips != to.OffsetTwips) {
        if (to.OffsetTwips > 0) w += QStringLiteral("\\up%1").arg(to.OffsetTwips / 10);
        else if (to.OffsetTwips < 0) w += QStringLiteral("\\dn%1").arg(-to.OffsetTwips / 10);
        else w += from.OffsetTwips > 0 ? QStringLiteral("\\up0") : QStringLiteral("\\dn0");
    }
    if (from.Script != to.Script)
        w += to.Script > 0 ? QStringLiteral("\\super") : to.Script < 0 ? QStringLiteral("\\sub") : QStringLiteral("\\nosupersub");
    if (!w.isEmpty()) w += u' ';
    return w;
}

} // namespace

String TRichParagraph::Text() const
{
    String t;
    for (const TRichRun& r : Runs) t += r.Text;
    return t;
}

QColor TRichTextDocument::ColorOf(int Index) const
{
    return Index > 0 && Index < int(Colors.size()) ? Colors[std::size_t(Index)] : QColor();
}

String TRichTextDocument::PlainText() const
{
    String out;
    for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i) out += u'\n';
        out += Paragraphs[i].Text();
    }
    out.replace(QChar(0x2028), QChar(u'\n'));
    while (out.endsWith(u'\n')) out.chop(1);
    return out;
}

bool LooksLikeRtf(const String& Text) { return Text.startsWith(QStringLiteral("{\\")); }

TRichTextDocument ParseRtf(const String& Text) { return TRtfReader(Text).Read(); }

String RtfPlainText(const String& Text) { return LooksLikeRtf(Text) ? ParseRtf(Text).PlainText() : Text; }

void RichTextToDocument(const TRichTextDocument& Rich, QTextDocument& Document)
{
    Document.clear();
    QTextCursor cursor(&Document);
    for (std::size_t i = 0; i < Rich.Paragraphs.size(); ++i) {
        if (i) cursor.insertBlock();
        for (const TRichRun& run : Rich.Paragraphs[i].Runs) {
            QTextCharFormat f;
            f.setFontWeight(run.Format.Bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(run.Format.Italic);
            f.setFontUnderline(run.Format.Underline);
            if (run.Format.HalfPoints > 0) f.setFontPointSize(run.Format.HalfPoints / 2.0);
            const QColor c = Rich.ColorOf(run.Format.ColorIndex);
            if (c.isValid()) f.setForeground(c);
            if (run.Format.OffsetTwips != 0) {
                f.setProperty(RichTextOffsetProperty, run.Format.OffsetTwips);
                f.setVerticalAlignment(run.Format.OffsetTwips > 0 ? QTextCharFormat::AlignSuperScript
                                                                  : QTextCharFormat::AlignSubScript);
            } else if (run.Format.Script != 0) {
                f.setVerticalAlignment(run.Format.Script > 0 ? QTextCharFormat::AlignSuperScript
                                                             : QTextCharFormat::AlignSubScript);
            }
            cursor.insertText(run.Text, f);
        }
    }
}

void LoadRtfIntoDocument(const String& Text, QTextDocument& Document)
{
    if (LooksLikeRtf(Text)) RichTextToDocument(ParseRtf(Text), Document);
    else Document.setPlainText(Text);
}

String DocumentToRtf(const QTextDocument& Document)
{
    const QFont base = Document.defaultFont();
    const double basePoints = base.pointSizeF();
    std::vector<QColor> colors{QColor()};
    String body;
    TRichCharFormat state;
    bool firstBlock = true;
    for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
        if (!firstBlock) body += QStringLiteral("\\par\r\n");
        firstBlock = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const TRichCharFormat f = RichFormatOf(frag.charFormat(), basePoints, colors);
            body += FormatChange(state, f, basePoints > 0 ? int(basePoints * 2 + 0.5) : 0);
            state = f;
            body += Escaped(frag.text());
        }
    }
    String rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil %1;}}")
                     .arg(Escaped(base.family()));
    if (colors.size() > 1) {
        rtf += QStringLiteral("{\\colortbl ;");
        for (std::size_t i = 1; i < colors.size(); ++i)
            rtf += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(colors[i].red()).arg(colors[i].green()).arg(colors[i].blue());
        rtf += u'}';
    }
    rtf += QStringLiteral("\r\n\\viewkind4\\uc1\\pard\\f0");
    if (basePoints > 0) rtf += QStringLiteral("\\fs%1").arg(int(basePoints * 2 + 0.5));
    rtf += u' ';
    rtf += body;
    rtf += QStringLiteral("\r\n}\r\n");
    return rtf;
}
