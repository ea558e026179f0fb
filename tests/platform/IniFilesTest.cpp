#include "platform/IniFiles.h"

#include "tests/common/TestUtil.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(MemIniFile, KeepsOrderCommentsAndLineEndsWhenWritingBack)
{
    TempFolder dir;
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        // CRLF stays CRLF; a changed value keeps its place; a new key goes after
        // the section's last key, before its blank line; a new section at the end.
        {"; top\r\n[B]\r\nz=1\r\na=2\r\n\r\n[A]\r\nk=v\r\n",
         "; top\r\n[B]\r\nz=9\r\na=2\r\nnew=x\r\n\r\n[A]\r\nk=v\r\n[C]\r\nc=3\r\n"},
        {"[B]\nZ=1\n# note\nA=2\n", "[B]\nZ=9\n# note\nA=2\nnew=x\n[C]\nc=3\n"},
    };
    for (const Case& c : cases) {
        dir.Write("t.ini", QByteArray(c.in));
        TMemIniFile ini(dir.File("t.ini"));
        ini.WriteInteger("b", "z", 9);      // names compare ignoring case
        ini.WriteString("B", "new", "x");
        ini.WriteInteger("C", "c", 3);
        ASSERT_TRUE(ini.UpdateFile());
        EXPECT_EQ(dir.Read("t.ini"), QByteArray(c.out)) << c.in;
    }
}

TEST(MemIniFile, ReadsValuesAndGivesDefaultsForMissingOrBadOnes)
{
    TempFolder dir;
    dir.Write("t.ini", "[S]\nN = 42 \nText=a=b  \nBad=4x\nEmpty=\n");
    const TMemIniFile ini(dir.File("t.ini"));
    EXPECT_EQ(ini.ReadInteger("s", "n", -1), 42);
    EXPECT_EQ(ini.ReadString("S", "Text", ""), "a=b");
    EXPECT_EQ(ini.ReadInteger("S", "Bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "Empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "None", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Other", "N", 5), 5);
    EXPECT_TRUE(ini.ValueExists("S", "empty"));
    EXPECT_FALSE(ini.ValueExists("S", "None"));
    std::vector<String> keys;
    ini.ReadSection("S", keys);
    EXPECT_EQ(keys, (std::vector<String>{"N", "Text", "Bad", "Empty"}));
}

TEST(MemIniFile, BrokenAndMissingFilesReadAsEmptyAndLoseNothingWhenWritten)
{
    TempFolder dir;
    const QByteArray broken[] = {
        QByteArray("\xff\xfe garbage \x00\x01 [[[ = =\n", 22),
        "=no key\n[\n[]\nk=v\n]x[\n",
        "no section=1\n[S]\nk=\xe9\n",      // Windows-1252 byte
        QByteArray("\xff\xfe\xff\xfe", 4),     // a byte-order mark saved twice
        QByteArray("\xfe\xff\xde\xff\xfe", 5), // UTF-16 with half a surrogate pair and an odd byte
        " \xef\xbb\xbf= \n",                   // a key that is only an invisible mark
        QByteArray(),
    };
    for (const QByteArray& bytes : broken) {
        dir.Write("b.ini", bytes);
        TMemIniFile ini(dir.File("b.ini"));
        const String before = ini.Text();
        ini.WriteInteger("New", "K", 1);
        ASSERT_TRUE(ini.UpdateFile());
        TMemIniFile again(dir.File("b.ini"));
        EXPECT_EQ(again.ReadInteger("New", "K", 0), 1) << bytes.toHex().constData();
        EXPECT_TRUE(again.Text().startsWith(before)) << bytes.toHex().constData();
    }
    TMemIniFile missing(dir.File("sub/none.ini"));
    EXPECT_EQ(missing.Text(), "");
    EXPECT_FALSE(missing.UpdateFile());     // the folder does not exist
}

TEST(MemIniFile, AMarkSavedTwiceStillFindsTheFirstSection)
{
    // Files written by a tool that prefixed a byte-order mark to text already holding one.
    const QByteArray utf8 = "\xef\xbb\xbf\xef\xbb\xbf[Cols]\nCol0=64\n";
    const String marked = QChar(0xFEFF) + QStringLiteral("[Cols]\nCol0=64\n");
    const QByteArray utf16 = QByteArray("\xff\xfe", 2)
        + QByteArray(reinterpret_cast<const char*>(marked.utf16()), marked.size() * 2);
    for (const QByteArray& bytes : {utf8, utf16}) {
        TMemIniFile ini(String{});
        ini.LoadFromBytes(bytes);
        EXPECT_EQ(ini.ReadInteger("Cols", "Col0", 0), 64) << bytes.toHex().constData();
        EXPECT_EQ(ini.Text(), "[Cols]\nCol0=64\n");
    }
}

TEST(MemIniFile, AValueWithALineBreakStaysOneLine)
{
    TMemIniFile ini(String{});
    ini.WriteString("S", "K", "a\nb");
    EXPECT_EQ(ini.Text(), "[S]\nK=a b\n");
}

TEST(RegistryIniFile, KeepsEachKeyAndSubKeyAsASectionOfOneUserFile)
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(TRegistryIniFile::StoragePath());
    {
        TRegistryIniFile reg("\\Software\\Grid\\");
        EXPECT_EQ(reg.ReadInteger("Cols", "Col0", -1), -1);
        EXPECT_FALSE(QFile::exists(TRegistryIniFile::StoragePath()));   // reading writes nothing
        reg.WriteInteger("Cols", "Col0", 80);
    }
    const TRegistryIniFile again("Software\\Grid");
    EXPECT_EQ(again.ReadInteger("Cols", "Col0", -1), 80);
    EXPECT_TRUE(again.ValueExists("cols", "col0"));
    TMemIniFile raw(TRegistryIniFile::StoragePath());
    EXPECT_EQ(raw.ReadInteger("Software\\Grid\\Cols", "Col0", -1), 80);
    QFile::remove(TRegistryIniFile::StoragePath());
}
