#include "core/ULanguage.h"

#include "core/UComon.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <QFileInfo>
#include <cstddef>

// The English texts, in the language-file format, built into the program.
extern const unsigned char EnglishTexts[];
extern const std::size_t EnglishTexts_size;

TStringList Lang_Strings;
int Lang_Count = 0;

namespace {

// A pair of pilcrows around a text keeps the blanks at its ends, which the
// line reader would otherwise trim away.
constexpr QChar Pilcrow = QChar(0x00B6);

// One "STR <n> = <text>" line; anything that does not fit is skipped and the
// slot it meant keeps its text.
void Apply_Language_Line(const String& rawLine)
{
    const String line = Trim(rawLine);
    if (!line.startsWith(QLatin1String("STR"))) return;
    const int equals = line.indexOf(u'=');
    if (equals < 0) return;
    int slot = -1;
    if (!TryStrToInt(Trim(line.mid(3, equals - 3)), slot) || slot < 0 || slot >= Lang_Count ||
        slot >= Lang_Strings.Count())
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
    Lang_Strings.SetStrings(slot, value);
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

void Apply_Language_Text(const String& text)
{
    // CR, LF and CR LF all end a line, as the string list splits them.
    TStringList lines;
    lines.SetText(text);
    for (int i = 0; i < lines.Count(); ++i) Apply_Language_Line(lines[i]);
}

void Load_Default_Texts()
{
    Lang_Strings.BeginUpdate();
    Lang_Strings.Clear();
    for (int i = 0; i < Lang_Slot_Count; ++i) Lang_Strings.Add(QStringLiteral(" "));
    Lang_Count = Lang_Slot_Count;
    Apply_Language_Text(DecodeText(QByteArray::fromRawData(reinterpret_cast<const char*>(EnglishTexts),
                                                           qsizetype(EnglishTexts_size))));
    Lang_Strings.EndUpdate();
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
