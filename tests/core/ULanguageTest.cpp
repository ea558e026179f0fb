#include "core/ULanguage.h"

#include "core/UComon.h"
#include "core/USoftOptions.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/TextCodec.h"
#include "tests/common/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QChar Pilcrow = QChar(0x00B6);

String Q(const char* utf8) { return QString::fromUtf8(utf8); }

class TextTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Create_Text_Table();
        Load_Default_Texts();
    }
    void TearDown() override
    {
        Reset_Program_State();
        Load_Default_Texts();
    }

    // Every slot exists and none lost its text to a broken file.
    static void Expect_Table_Whole()
    {
        ASSERT_EQ(Lang_Strings.Count(), Lang_Slot_Count);
        EXPECT_EQ(Lang_Count, Lang_Slot_Count);
        EXPECT_EQ(Lang_Text(18), QStringLiteral("Error! Project not Valid"));
        EXPECT_EQ(Lang_Text(2799), QStringLiteral(" "));
    }

    TempFolder Folder;
};

TEST_F(TextTable, BuiltInEnglishFillsEverySlot)
{
    ASSERT_EQ(Lang_Strings.Count(), 2800);
    EXPECT_EQ(Lang_Count, 2800);
    for (int i = 0; i < Lang_Strings.Count(); ++i) EXPECT_FALSE(Lang_Text(i).isEmpty()) << "slot " << i;

    const struct {
        int slot;
        const char* text;
    } known[] = {
        {0, "Begin"},
        {5, "Step 5"},
        {9, "None Configuration Opened "},
        {10, "Use Step1 to open or create new configuration"},
        {11, "Opened Configuration of the Converter : "},
        {18, "Error! Project not Valid"},
        {19, "New Version Available. Click Here for more Details"},
        {40, "Set rules for the SNMP Manager Protocol"},
        {41, " "},
        {99, " "},
        {107, "Error! Name Project is not valid"},
        {202, "List of Avaliable Configurations"},
        {306, " / "},
        {316, "Do you want to change the Language from "},
        {318, "?"},
        {424, "Do you want to exit without saving changes?"},
        {463, " DALI "},
        {466, "Error DALI!! DALI Console Port must be between 0 and 65535 and different from 10000"},
        {836, "Device Not Found!"},
        {837, "Error!!! Check the Ip Address"},
        {905, " "},
        {1232, "Start Break"},
        {1500, "Error! The folder %s cannot be created: %s"},
        {1509, " "},
        {1855, " SNMP Manager "},
        {1871, "Error SNMP Manager!! GATEWAY IP 4 must be between 0 and 255"},
        {2799, " "},
    };
    for (const auto& k : known) EXPECT_EQ(Lang_Text(k.slot), Q(k.text)) << "slot " << k.slot;

    EXPECT_EQ(Lang_Text(-1), String());
    EXPECT_EQ(Lang_Text(2800), String());
}

// A typo in the built-in file ("STR 12 - x", a stray character) would
// silently leave a slot blank; every entry of the file must reach the table.
TEST_F(TextTable, EveryBuiltInEntryReachesTheTable)
{
    QFile file(QDir::cleanPath(QStringLiteral(QUILLMER_TEST_DATA "/../../resources/texts/English.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    std::vector<bool> listed(2800, false);
    for (const String& line : lines) {
        if (!line.startsWith(QStringLiteral("STR"))) continue;
        const int slot = line.mid(3, line.indexOf(u'=') - 3).trimmed().toInt();
        ASSERT_FALSE(listed[slot]) << "slot " << slot << " listed twice";
        listed[slot] = true;
        EXPECT_NE(Lang_Text(slot), QStringLiteral(" ")) << "slot " << slot;
    }
    for (int i = 0; i < 2800; ++i) {
        if (!listed[i]) {
            EXPECT_EQ(Lang_Text(i), QStringLiteral(" ")) << "slot " << i;
        }
    }
}

TEST_F(TextTable, LineRules)
{
    struct Case {
        String line;
        int slot;
        std::optional<String> text; // nullopt: the slot keeps its text
    };
    const String P(Pilcrow);
    const Case cases[] = {
        {Q("STR 12 = Hello"), 12, Q("Hello")},
        {Q("STR12=Hello"), 12, Q("Hello")},
        {Q("  \tSTR 12 = Hello \t "), 12, Q("Hello")},
        {Q("str 12 = Hello"), 12, std::nullopt},
        {Q("Str 12 = Hello"), 12, std::nullopt},
        {Q("# STR 12 = Hello"), 12, std::nullopt},
        {Q("STR 12 Hello"), 12, std::nullopt},
        {Q("STR = Hello"), 12, std::nullopt},
        {Q("STR x = Hello"), 12, std::nullopt},
        {Q("STR 1 2 = Hello"), 12, std::nullopt},
        {Q("STR 12.0 = Hello"), 12, std::nullopt},
        {Q("STR $C = Hello"), 12, Q("Hello")},
        {Q("STR 0x0C = Hello"), 12, Q("Hello")},
        {Q("STR +12 = Hello"), 12, Q("Hello")},
        {Q("STR 0012 = Hello"), 12, Q("Hello")},
        {Q("STR 12 = "), 12, std::nullopt},
        {Q("STR 12 ="), 12, std::nullopt},
        {Q("STR 12 =  \t "), 12, std::nullopt},
        {Q("STR 12 = Hello /#/ translator's note"), 12, Q("Hello")},
        {Q("STR 12 = Hello/#/"), 12, Q("Hello")},
        {Q("STR 12 = /#/ only a note"), 12, std::nullopt},
        {Q("STR 12 = a /#/ b /#/ c"), 12, Q("a")},
        {Q("STR 12 = a = b"), 12, Q("a = b")},
        {Q("STR 12 = ==="), 12, Q("===")},
        {"STR 12 = " + P + "  word  " + P + " more text", 12, Q("  word  ")},
        {"STR 12 = " + P, 12, String()},
        {"STR 12 = " + P + P, 12, String()},
        {"STR 12 = " + P + " lead", 12, Q(" lead")},
        {"STR 12 = text" + P + "tail", 12, Q("text")},
        {"STR 12 = " + P + " x /#/ y " + P, 12, Q(" x")},
        {Q("STR 12 = tab\tinside"), 12, Q("tab\tinside")},
        {Q("STR 12 = Grüße – 日本"), 12, Q("Grüße – 日本")},
        {Q("STR 0 = first"), 0, Q("first")},
        {Q("STR 2799 = last"), 2799, Q("last")},
        {Q("STR 2800 = beyond"), 2799, std::nullopt},
        {Q("STR -1 = before"), 0, std::nullopt},
        {Q("STR 99999999999 = overflow"), 12, std::nullopt},
        {Q("STR $FFFFFFFF = wraps to -1"), 0, std::nullopt},
    };
    for (const Case& c : cases) {
        Load_Default_Texts();
        const String before = Lang_Text(c.slot);
        Apply_Language_Text(c.line);
        EXPECT_EQ(Lang_Text(c.slot), c.text.value_or(before)) << c.line.toStdString();
        EXPECT_EQ(Lang_Strings.Count(), 2800) << c.line.toStdString();
    }
}

TEST_F(TextTable, LinesEndAtCrLfOrCrLfAndTheLaterLineWins)
{
    Apply_Language_Text(Q("STR 1 = a\rSTR 2 = b\nSTR 3 = c\r\nSTR 4 = d\n\r\n\rSTR 5 = e\r\rSTR 1 = again"));
    EXPECT_EQ(Lang_Text(1), Q("again"));
    EXPECT_EQ(Lang_Text(2), Q("b"));
    EXPECT_EQ(Lang_Text(3), Q("c"));
    EXPECT_EQ(Lang_Text(4), Q("d"));
    EXPECT_EQ(Lang_Text(5), Q("e"));
    EXPECT_EQ(Lang_Text(6), Q("Step 6"));
}

// The bytes of a text in Windows-1252, for the characters the tests use.
QByteArray To_1252(const String& text)
{
    QByteArray out;
    for (QChar c : text) out.append(c == QChar(0x20AC) ? char(0x80) : char(c.unicode()));
    return out;
}

QByteArray To_Utf16(const String& text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo);
        out.append(bigEndian ? lo : hi);
    }
    return out;
}

TEST_F(TextTable, LanguageFileInEveryEncodingAndLineEnd)
{
    enum Encoding { Utf8Bom, Utf16Le, Utf16Be, Utf8Plain, Windows1252 };
    const Encoding encodings[] = {Utf8Bom, Utf16Le, Utf16Be, Utf8Plain, Windows1252};
    const char* lineEnds[] = {"\r", "\n", "\r\n"};
    for (Encoding e : encodings) {
        for (const char* eol : lineEnds) {
            const String text = Q("STR 12 = Grüße è €") + eol + Q("STR 13 = Optionen") + eol + Q("STR 14 = ") +
                                Pilcrow + Q(" Schließen ") + Pilcrow;
            QByteArray bytes;
            switch (e) {
            case Utf8Bom: bytes = "\xEF\xBB\xBF" + text.toUtf8(); break;
            case Utf16Le: bytes = To_Utf16(text, false); break;
            case Utf16Be: bytes = To_Utf16(text, true); break;
            case Utf8Plain: bytes = text.toUtf8(); break;
            case Windows1252: bytes = To_1252(text); break;
            }
            Folder.Write(QStringLiteral("Deutsch.lng"), bytes);
            Load_Default_Texts();
            Load_Language_File(Folder.File(QStringLiteral("Deutsch.lng")));
            const std::string where = "encoding " + std::to_string(e) + ", line end " + std::to_string(std::strlen(eol));
            EXPECT_EQ(Lang_Text(12), Q("Grüße è €")) << where;
            EXPECT_EQ(Lang_Text(13), Q("Optionen")) << where;
            EXPECT_EQ(Lang_Text(14), Q(" Schließen ")) << where;
            EXPECT_EQ(Lang_Text(15), Q("New Configuration")) << where;
        }
    }
}

TEST_F(TextTable, BrokenFilesNeverBreakTheTable)
{
    QRandomGenerator random(4711);
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    for (char& b : garbage) b = char(random.bounded(256));

    const QByteArray hugeLine = "STR 12 = " + QByteArray(5 * 1024 * 1024, 'x') + "\nSTR 13 = after the huge line\n";
    const QByteArray tooBig = "STR 13 = inside a file far too big\n" + QByteArray(Max_Language_File_Size, ' ');

    const struct {
        const char* name;
        QByteArray bytes;
        std::optional<String> slot13; // nullopt: keeps "Options"
    } samples[] = {
        {"empty", QByteArray(), std::nullopt},
        {"only a byte-order mark", QByteArray("\xEF\xBB\xBF"), std::nullopt},
        {"binary garbage", garbage, std::nullopt},
        {"garbage, then a good line", garbage + "\nSTR 13 = good\n", Q("good")},
        {"odd-length UTF-16 LE", To_Utf16(Q("STR 13=x"), false) + 'z', Q("x")},
        {"odd-length UTF-16 BE", To_Utf16(Q("STR 13=y"), true) + 'z', Q("y")},
        {"truncated UTF-8 read as Windows-1252", QByteArray("STR 13 = Gr\xC3"), Q("Gr\xC3\x83")},
        {"NUL bytes in a line", QByteArray("STR 13 = a\0b\nSTR 14\0 = c\n", 25), QString::fromUtf8(QByteArray("a\0b", 3))},
        {"a huge line", hugeLine, Q("after the huge line")},
        {"far too big", tooBig, std::nullopt},
        {"only equals signs", QByteArray(1000, '='), std::nullopt},
        {"only pilcrows", QByteArray("STR 13 = \xC2\xB6\xC2\xB6\xC2\xB6"), String()},
    };
    for (const auto& s : samples) {
        Load_Default_Texts();
        Folder.Write(QStringLiteral("Broken.lng"), s.bytes);
        Load_Language_File(Folder.File(QStringLiteral("Broken.lng")));
        SCOPED_TRACE(s.name);
        Expect_Table_Whole();
        EXPECT_EQ(Lang_Text(13), s.slot13.value_or(Q("Options")));
    }
}

TEST_F(TextTable, MutatedLanguageFilesNeverBreakTheTable)
{
    const QByteArray good = "\xEF\xBB\xBFSTR 12 = Informazioni\r\nSTR 13 = Opzioni /#/ nota\r\nSTR 14 = \xC2\xB6 Chiudi \xC2\xB6\r\n";
    QRandomGenerator random(20240);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good;
        const int edits = 1 + int(random.bounded(8));
        for (int k = 0; k < edits; ++k) {
            const int at = int(random.bounded(bytes.size()));
            switch (random.bounded(3)) {
            case 0: bytes[at] = char(random.bounded(256)); break;
            case 1: bytes.remove(at, 1); break;
            default: bytes.truncate(at); break;
            }
            if (bytes.isEmpty()) break;
        }
        Load_Default_Texts();
        Folder.Write(QStringLiteral("Mutated.lng"), bytes);
        Load_Language_File(Folder.File(QStringLiteral("Mutated.lng")));
        ASSERT_EQ(Lang_Strings.Count(), 2800) << "round " << round;
        EXPECT_EQ(Lang_Text(18), Q("Error! Project not Valid")) << "round " << round;
    }
}

TEST_F(TextTable, FilesThatCannotBeReadLeaveTheTableWhole)
{
    // A folder named like a language file, a missing file, an unreadable file.
    QDir(Folder.Path()).mkpath(QStringLiteral("Folder.lng"));
    Load_Language_File(Folder.File(QStringLiteral("Folder.lng")));
    Expect_Table_Whole();
    Load_Language_File(Folder.File(QStringLiteral("Missing.lng")));
    Expect_Table_Whole();
    Load_Language_File(String());
    Expect_Table_Whole();
    // Reading a pipe would wait for a writer forever and hang the start-up.
    ASSERT_EQ(::mkfifo(QFile::encodeName(Folder.File(QStringLiteral("Pipe.lng"))).constData(), 0600), 0);
    Load_Language_File(Folder.File(QStringLiteral("Pipe.lng")));
    Expect_Table_Whole();

    Folder.Write(QStringLiteral("Locked.lng"), "STR 13 = locked away\n");
    QFile::setPermissions(Folder.File(QStringLiteral("Locked.lng")), QFileDevice::Permissions());
    Load_Language_File(Folder.File(QStringLiteral("Locked.lng")));
    Expect_Table_Whole();
    if (::geteuid() != 0) { // root reads it all the same
        EXPECT_EQ(Lang_Text(13), Q("Options"));
    }
    QFile::setPermissions(Folder.File(QStringLiteral("Locked.lng")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(TextTable, LoadLanguageFindsTheFileOrFallsBackToEnglish)
{
    Folder.Write(QStringLiteral("LANGUAGE/Italiano.lng"), "STR 18 = Errore! Progetto non valido\n");
    Folder.Write(QStringLiteral("LANGUAGE/english.lng"), "STR 19 = English file\n");
    QDir(Folder.Path()).mkpath(QStringLiteral("LANGUAGE/Klingon.lng"));
    Folder.Write(QStringLiteral("NOENGLISH/Italiano.lng"), "STR 18 = Errore\n");

    const struct {
        const char* folder;
        const char* name;
        const char* nameAfter;
        const char* slot18;
        const char* slot19;
    } cases[] = {
        {"LANGUAGE", "Italiano", "Italiano", "Errore! Progetto non valido", "New Version Available. Click Here for more Details"},
        {"LANGUAGE", "ITALIANO", "Italiano", "Errore! Progetto non valido", "New Version Available. Click Here for more Details"},
        {"LANGUAGE", "Deutsch", "English", "Error! Project not Valid", "English file"},
        {"LANGUAGE", "English", "english", "Error! Project not Valid", "English file"}, // the file's spelling
        {"LANGUAGE", "Klingon", "English", "Error! Project not Valid", "English file"},
        {"LANGUAGE", "", "English", "Error! Project not Valid", "English file"},
        {"LANGUAGE", "../LANGUAGE/Italiano", "English", "Error! Project not Valid", "English file"},
        {"NOENGLISH", "Deutsch", "English", "Error! Project not Valid", "New Version Available. Click Here for more Details"},
        {"MISSING", "Italiano", "English", "Error! Project not Valid", "New Version Available. Click Here for more Details"},
    };
    for (const auto& c : cases) {
        Language_Path = Folder.File(Q(c.folder));
        Language_Name = Q(c.name);
        Load_Language();
        SCOPED_TRACE(std::string(c.folder) + " / " + c.name);
        EXPECT_EQ(Language_Name, Q(c.nameAfter));
        EXPECT_EQ(Lang_Text(18), Q(c.slot18));
        EXPECT_EQ(Lang_Text(19), Q(c.slot19));
        EXPECT_EQ(Lang_Strings.Count(), 2800);
    }
}

TEST_F(TextTable, AnotherLanguageStartsFromEnglishAgain)
{
    Folder.Write(QStringLiteral("Italiano.lng"), "STR 18 = Errore\n");
    Folder.Write(QStringLiteral("Francais.lng"), "STR 19 = Nouvelle version\n");
    Language_Path = Folder.Path();
    Language_Name = Q("Italiano");
    Load_Language();
    EXPECT_EQ(Lang_Text(18), Q("Errore"));
    Language_Name = Q("Francais");
    Load_Language();
    EXPECT_EQ(Lang_Text(18), Q("Error! Project not Valid"));
    EXPECT_EQ(Lang_Text(19), Q("Nouvelle version"));
}

TEST_F(TextTable, NoLanguagePathKeepsTheBuiltInTexts)
{
    Language_Path.clear();
    Language_Name = Q("Italiano");
    Load_Language();
    EXPECT_EQ(Language_Name, Q("English"));
    Expect_Table_Whole();
}

TEST_F(TextTable, TheEmptyTableHasNoSlotsUntilTheTextsAreLoaded)
{
    Create_Text_Table();
    EXPECT_EQ(Lang_Strings.Count(), 0);
    EXPECT_EQ(Lang_Count, 0);
    EXPECT_EQ(Lang_Text(18), String());
    Apply_Language_Text(Q("STR 18 = nowhere to go"));
    EXPECT_EQ(Lang_Strings.Count(), 0);
    Load_Default_Texts();
    Expect_Table_Whole();
}

// ---- The English language file and its flag ------------------------------------------------

// The table as Load_Default_Texts starts it: every slot the blank of an unused one.
void Blank_Table()
{
    Lang_Strings.Clear();
    for (int i = 0; i < Lang_Slot_Count; ++i) Lang_Strings.Add(QStringLiteral(" "));
    Lang_Count = Lang_Slot_Count;
}

TEST_F(TextTable, EnglishFileReadsBackToTheBuiltInTableExactly)
{
    TStringList builtIn;
    Built_In_Texts(builtIn);
    ASSERT_EQ(builtIn.Count(), Lang_Slot_Count);
    const QByteArray file = English_Language_File();
    EXPECT_TRUE(file.startsWith("\xEF\xBB\xBF")) << "a mark, so every reader takes the pilcrows as UTF-8";

    Folder.Write(QStringLiteral("English.lng"), file);
    Blank_Table();
    Load_Language_File(Folder.File(QStringLiteral("English.lng")));
    for (int i = 0; i < Lang_Slot_Count; ++i) ASSERT_EQ(Lang_Text(i), builtIn[i]) << "slot " << i;

    // One line a used slot, in slot order; blanks at the ends kept by pilcrows.
    const String text = DecodeText(file);
    int used = 0;
    for (int i = 0; i < builtIn.Count(); ++i) used += builtIn[i] != QStringLiteral(" ");
    EXPECT_EQ(text.count(QStringLiteral("\nSTR ")), used);
    EXPECT_TRUE(text.contains(QStringLiteral("\nSTR 9 = \u00B6None Configuration Opened \u00B6\n")));
    EXPECT_LT(text.indexOf(QStringLiteral("\nSTR 404 = ")), text.indexOf(QStringLiteral("\nSTR 463 = ")));
    EXPECT_FALSE(text.contains(u'\r'));
}

TEST_F(TextTable, LanguageFileCarriesEveryTextTheReaderCanGiveBack)
{
    const String texts[] = {
        Q("plain"), Q(" lead"), Q("trail "), Q("  both  "), Q("\ttab first"), Q("tab last\t"), Q(""),
        Q("a = b"), Q("STR 5 = inner"), Q("\xC3\x84 \xE2\x82\xAC \xF0\x9F\x98\x80"), Q("in\x01side"), Q("100% /#"),
    };
    TStringList table;
    for (int i = 0; i < Lang_Slot_Count; ++i) table.Add(QStringLiteral(" "));
    int slot = 1;
    for (const String& t : texts) table.SetStrings(slot++, t);
    table.SetStrings(Lang_Slot_Count - 1, Q("last"));

    Blank_Table();
    Apply_Language_Text(DecodeText(Language_File_Bytes(table)));
    for (int i = 0; i < Lang_Slot_Count; ++i) ASSERT_EQ(Lang_Text(i), table[i]) << "slot " << i;

    // What the reader could not give back is refused, naming the slot.
    for (const String& bad : {Q("a\nb"), Q("a\rb"), Q("a\xC2\xB6" "b"), Q("\xC2\xB6"), Q("x /#/ y")}) {
        table.SetStrings(77, bad);
        try {
            Language_File_Bytes(table);
            ADD_FAILURE() << "written: " << bad.toStdString();
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("slot 77"))) << e.Message().toStdString();
        }
    }
}

TEST_F(TextTable, EnglishFileAndFlagAreWrittenWhenMissingAndKeptWhenThere)
{
    ASSERT_TRUE(Ship_English_Language(Folder.Path(), false));
    EXPECT_EQ(Folder.Read(QStringLiteral("English.lng")), English_Language_File());
    EXPECT_EQ(Folder.Read(QStringLiteral("English.bmp")), English_Flag_Bitmap());
    EXPECT_EQ(List_Language_Files(Folder.Path())->Text(), QStringLiteral("English.lng\n"))
        << "written so the language list takes it";

    // The flag: a 48 x 48 picture, the flag on the dialog's colour.
    TBitmap flag;
    ASSERT_TRUE(flag.LoadFromFile(Folder.File(QStringLiteral("English.bmp"))));
    ASSERT_EQ(flag.Width(), 48);
    ASSERT_EQ(flag.Height(), 48);
    const struct {
        int X, Y;
        QRgb Colour;
    } pixels[] = {
        {0, 0, 0xF8F7ED}, {47, 47, 0xF8F7ED}, {17, 9, 0x012169}, {24, 24, 0xC8102E}, {0, 19, 0xFFFFFF},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(flag.Image().pixel(p.X, p.Y) & 0xFFFFFF, p.Colour) << p.X << ", " << p.Y;

    // Files already there, in any letter case, are the user's: kept as they are.
    QFile::remove(Folder.File(QStringLiteral("English.lng")));
    Folder.Write(QStringLiteral("english.LNG"), "STR 0 = Start\n");
    Folder.Write(QStringLiteral("English.bmp"), "own flag");
    ASSERT_TRUE(Ship_English_Language(Folder.Path(), false));
    EXPECT_EQ(Folder.Read(QStringLiteral("english.LNG")), QByteArray("STR 0 = Start\n"));
    EXPECT_EQ(Folder.Read(QStringLiteral("English.bmp")), QByteArray("own flag"));
    EXPECT_FALSE(QFile::exists(Folder.File(QStringLiteral("English.lng"))));

    // The build's refresh replaces them, in their spelling.
    ASSERT_TRUE(Ship_English_Language(Folder.Path(), true));
    EXPECT_EQ(Folder.Read(QStringLiteral("english.LNG")), English_Language_File());
    EXPECT_EQ(Folder.Read(QStringLiteral("English.bmp")), English_Flag_Bitmap());

    String error;
    EXPECT_FALSE(Ship_English_Language(Folder.File(QStringLiteral("missing")), false, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing"))) << error.toStdString();
}

// The files the build puts beside the program are the ones the program
// would write itself.
TEST(LanguageFolder, TheBuildPutsEnglishBesideTheProgram)
{
    const String folder = QStringLiteral(QUILLMER_BUILD_DIR "/bin/LANGUAGE");
    QByteArray lng, bmp;
    ASSERT_TRUE(ReadFileBytes(PathJoin(folder, QStringLiteral("English.lng")), lng));
    ASSERT_TRUE(ReadFileBytes(PathJoin(folder, QStringLiteral("English.bmp")), bmp));
    EXPECT_EQ(lng, English_Language_File());
    EXPECT_EQ(bmp, English_Flag_Bitmap());
    EXPECT_TRUE(List_Language_Files(folder)->IndexOf(QStringLiteral("English.lng")) >= 0);
}

} // namespace
