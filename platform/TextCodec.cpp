#include "platform/TextCodec.h"

#include "platform/Files.h"

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, which map to
// the C1 control of the same number as the platform's converter does.
const char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

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
