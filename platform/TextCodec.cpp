#include "platform/TextCodec.h"

#include "platform/Files.h"

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, which map to
// the C1 control of the same number as the platform's converter does.
const char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// 128..255 of code page 850.
const char16_t kOem850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC,
    0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00F8,
    0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE,
    0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C,
    0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF,
    0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2,
    0x25A0, 0x00A0};

// Character to byte of an 8-bit page, built once from its table of 128..255; '?' for what the page lacks.
struct TPageEncoder {
    unsigned char Bytes[0x10000];
    explicit TPageEncoder(const char16_t* high)
    {
        for (unsigned c = 0; c < 0x10000; ++c) Bytes[c] = c < 0x80 ? static_cast<unsigned char>(c) : '?';
        for (int i = 127; i >= 0; --i) Bytes[high[i]] = static_cast<unsigned char>(0x80 + i);
    }
};

// Windows-1252's upper half: its own characters at 0x80..0x9F (the unassigned bytes as the C1 control of the
// same number, as the decoder reads them), Latin-1 above.
const TPageEncoder& Cp1252Encoder()
{
    static const TPageEncoder encoder([] {
        static char16_t high[128];
        for (int i = 0; i < 128; ++i) high[i] = i < 32 && kCp1252High[i] != 0 ? kCp1252High[i] : char16_t(0x80 + i);
        return high;
    }());
    return encoder;
}

const TPageEncoder& Oem850Encoder()
{
    static const TPageEncoder encoder(kOem850High);
    return encoder;
}

String DecodeUtf16(const QByteArray& bytes, int offset, bool bigEndian)
{
    const int units = (bytes.size() - offset) / 2;
    String r(units, Qt::Uninitialized);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + offset;
    for (int i = 0; i < units; ++i) {
        const unsigned hi = bigEndian ? p[2 * i] : p[2 * i + 1];
        const unsigned lo = bigEndian ? p[2 * i + 1] : p[2 * i];
        r[i] = QChar(char16_t((hi << 8) | lo));
    }
    return r;
}

} // namespace

bool IsValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned min;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            min = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            min = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + more >= n) return false;
        unsigned cp = c & (0x3F >> more);
        for (int k = 1; k <= more; ++k) {
            const unsigned t = p[i + k];
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += more + 1;
    }
    return true;
}

String DecodeWindows1252(const QByteArray& bytes)
{
    String r(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        char16_t u = c;
        if (c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0) u = kCp1252High[c - 0x80];
        r[i] = QChar(u);
    }
    return r;
}

QByteArray EncodeWindows1252(const String& text)
{
    const TPageEncoder& page = Cp1252Encoder();
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) out[i] = char(page.Bytes[text[i].unicode()]);
    return out;
}

char16_t Oem850Char(unsigned char byte) { return byte < 0x80 ? char16_t(byte) : kOem850High[byte - 0x80]; }

unsigned char Oem850Byte(char16_t c) { return Oem850Encoder().Bytes[c]; }

String DecodeOem850(const QByteArray& bytes)
{
    String r(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) r[i] = QChar(Oem850Char(static_cast<unsigned char>(bytes[i])));
    return r;
}

QByteArray EncodeOem850(const String& text)
{
    const TPageEncoder& page = Oem850Encoder();
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) out[i] = char(page.Bytes[text[i].unicode()]);
    return out;
}

String DecodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) return DecodeUtf16(bytes, 2, false);
    if (bytes.startsWith("\xFE\xFF")) return DecodeUtf16(bytes, 2, true);
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes);
    return DecodeWindows1252(bytes);
}

bool LoadTextFile(const String& path, String& text)
{
    text.clear();
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    text = DecodeText(bytes);
    return true;
}

namespace {

// Length of the storable character at i (2 for a surrogate pair), 0 when it
// cannot be stored.
qsizetype StorableLength(const String& text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (c < 0x20) return c == u'\t' || c == u'\n' || c == u'\r' ? 1 : 0;
    if (c == 0xFFFE || c == 0xFFFF || QChar::isLowSurrogate(c)) return 0;
    if (!QChar::isHighSurrogate(c)) return 1;
    return i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 0;
}

} // namespace

qsizetype FirstUnstorableChar(const String& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = StorableLength(text, i);
        if (n == 0) return i;
        i += n;
    }
    return -1;
}

String DropUnstorableChars(const String& text)
{
    const qsizetype first = FirstUnstorableChar(text);
    if (first < 0) return text;
    String kept = text.left(first);
    for (qsizetype i = first; i < text.size();) {
        const qsizetype n = StorableLength(text, i);
        kept += text.mid(i, n);
        i += n == 0 ? 1 : n;
    }
    return kept;
}

String CharCodeName(const String& text, qsizetype index)
{
    if (index < 0 || index >= text.size()) return {};
    char32_t code = text[index].unicode();
    if (text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate())
        code = QChar::surrogateToUcs4(text[index], text[index + 1]);
    return QStringLiteral("U+") + QString::number(uint(code), 16).toUpper().rightJustified(4, u'0');
}
