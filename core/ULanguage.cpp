#include "core/ULanguage.h"

#include "core/UComon.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <cstddef>
#include <utility>

// The English texts, in the language-file format, built into the program.
extern const unsigned char EnglishTexts[];
extern const std::size_t EnglishTexts_size;

TStringList Lang_Strings;
int Lang_Count = 0;

namespace {

// The flag shown beside "English" in the language list: our own drawing.
#include "resources/bitmaps/EnglishFlag.xpm"

// A pair of pilcrows around a text keeps the blanks at its ends, which the
// line reader would otherwise trim away.
constexpr QChar Pilcrow = QChar(0x00B6);

// One "STR <n> = <text>" line over slots 0 to slotCount - 1 of the table;
// anything that does not fit is skipped and the slot it meant keeps its text.
void Apply_Language_Line(TStringList& table, int slotCount, const String& rawLine)
{
    const String line = Trim(rawLine);
    if (!line.startsWith(QLatin1String("STR"))) return;
    const int equals = line.indexOf(u'=');
    if (equals < 0) return;
    int slot = -1;
    if (!TryStrToInt(Trim(line.mid(3, equals - 3)), slot) || slot < 0 || slot >= slotCount || slot >= table.Count())
        return;

    String value = Trim(line.mid(equals + 1));
    if (value.isEmpty()) return;
    const int comment = value.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        value = Trim(value.left(comment));
        if (value.isEmpty()) return;
    }
    if (value.startsWith(Pilcrow)) value.remove(0, 1);
    const int pilcrow = value.indexOf(Pilcrow);
    if (pilcrow >= 0) value.truncate(pilcrow);
    table.SetStrings(slot, value);
}

void Apply_Language_Text(TStringList& table, int slotCount, const String& text)
{
    // CR, LF and CR LF all end a line, as the string list splits them.
    TStringList lines;
    lines.SetText(text);
    for (int i = 0; i < lines.Count(); ++i) Apply_Language_Line(table, slotCount, lines[i]);
}

// The text that fills every slot no window uses.
const String Unused_Slot = QStringLiteral(" ");

// The language-file line of one text, or an empty line when the reader could
// not give the text back exactly.
String Language_Line(int slot, const String& text)
{
    if (text.contains(Pilcrow) || text.contains(QLatin1String("/#/")) || text.contains(u'\n') ||
        text.contains(u'\r'))
        return {};
    // The reader trims blanks and control characters at both ends; a pair of
    // pilcrows keeps them, and a lone one stands for the empty text.
    String value = text;
    if (text.isEmpty()) value = Pilcrow;
    else if (Trim(text) != text) value = Pilcrow + text + Pilcrow;
    return QStringLiteral("STR %1 = ").arg(slot) + value;
}

// The regular file of that language in Language_Path, whatever the case of
// its name; empty when there is none. Folders, pipes and devices named like a
// language file are no language file (a pipe would hang the start-up).
String Find_Language_File(const String& language)
{
    if (Language_Path.isEmpty()) return {};
    const String path = FindFileIgnoringCase(Language_Path, language + QStringLiteral(".lng"));
    if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
    return path;
}

} // namespace

void Create_Text_Table()
{
    Lang_Strings.Clear();
    Lang_Count = 0;
}

void Apply_Language_Text(const String& text) { Apply_Language_Text(Lang_Strings, Lang_Count, text); }

void Built_In_Texts(TStringList& table)
{
    table.BeginUpdate();
    table.Clear();
    for (int i = 0; i < Lang_Slot_Count; ++i) table.Add(Unused_Slot);
    Apply_Language_Text(table, Lang_Slot_Count,
                        DecodeText(QByteArray::fromRawData(reinterpret_cast<const char*>(EnglishTexts),
                                                           qsizetype(EnglishTexts_size))));
    table.EndUpdate();
}

void Load_Default_Texts()
{
    Built_In_Texts(Lang_Strings);
    Lang_Count = Lang_Slot_Count;
}

QByteArray Language_File_Bytes(const TStringList& table)
{
    QByteArray out("\xEF\xBB\xBF");
    out += QByteArrayLiteral("Texts of the configurator, one slot a line: \"STR\", the slot number, \" = \" and the text.\n"
                             "A text with blanks at either end stands between two pilcrows. Lines that do not\n"
                             "begin with \"STR\" are notes. A copy of this file named after another language,\n"
                             "with its texts translated, adds that language to the Software Options.\n\n");
    for (int slot = 0; slot < table.Count(); ++slot) {
        const String text = table[slot];
        if (text == Unused_Slot) continue;
        const String line = Language_Line(slot, text);
        if (line.isEmpty())
            throw Exception(QStringLiteral("The text of slot %1 cannot stand in a language file: \"%2\"").arg(slot).arg(text));
        out += line.toUtf8() + '\n';
    }
    return out;
}

QByteArray English_Language_File()
{
    TStringList table;
    Built_In_Texts(table);
    return Language_File_Bytes(table);
}

QByteArray English_Flag_Bitmap()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // 24 bits a pixel: the form every reader of flag pictures knows. The
    // resolution is fixed, as it would otherwise follow the screen there is.
    QImage flag = QImage(EnglishFlag_xpm).convertToFormat(QImage::Format_RGB888);
    flag.setDotsPerMeterX(3780);
    flag.setDotsPerMeterY(3780);
    flag.save(&buffer, "BMP");
    return bytes;
}

bool Ship_English_Language(const String& folder, bool replace, String* error)
{
    const std::pair<String, QByteArray (*)()> files[] = {
        {Default_Language_Name + QStringLiteral(".lng"), &English_Language_File},
        {Default_Language_Name + QStringLiteral(".bmp"), &English_Flag_Bitmap},
    };
    for (const auto& [name, bytes] : files) {
        // A file already there in any letter case is the user's own (or an
        // older one of ours): the list would offer it twice otherwise.
        const String there = FindFileIgnoringCase(folder, name);
        if (!there.isEmpty() && !replace) continue;
        if (!SaveFileAtomically(there.isEmpty() ? PathJoin(folder, name) : there, bytes(), error)) return false;
    }
    return true;
}

void Load_Language_File(const String& path)
{
    // A language file comes from anywhere; nothing in it may stop the start-up.
    // The table is changed slot by slot, so even a failure half-way through
    // leaves a text in every slot.
    try {
        const QFileInfo info(path);
        if (!info.isFile() || info.size() > Max_Language_File_Size) return;
        String text;
        if (!LoadTextFile(path, text)) return;
        Apply_Language_Text(text);
    } catch (...) {
    }
}

void Load_Language()
{
    Load_Default_Texts();
    const String path = Find_Language_File(Language_Name);
    if (!path.isEmpty()) {
        // Keep the name as the file spells it: the options dialog lists the
        // files, and the settings file should name the language the same way.
        Language_Name = QFileInfo(path).fileName().chopped(4);
        Load_Language_File(path);
        return;
    }
    Language_Name = Default_Language_Name;
    const String english = Find_Language_File(Default_Language_Name);
    if (!english.isEmpty()) Load_Language_File(english);
}

String Lang_Text(int n)
{
    if (n < 0 || n >= Lang_Strings.Count()) return {};
    return Lang_Strings[n];
}
