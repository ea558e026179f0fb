#include "platform/Files.h"

#include "tests/common/TestUtil.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<String> Sorted(std::vector<String> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

void MakeFolder(const TempFolder& tmp, const String& name) { ASSERT_TRUE(QDir().mkpath(tmp.File(name))); }

TEST(Files, ExistenceTellsFilesFromFolders)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("a.txt"), "x");
    MakeFolder(tmp, QStringLiteral("sub"));
    ASSERT_TRUE(QFile::link(tmp.File(QStringLiteral("a.txt")), tmp.File(QStringLiteral("link.txt"))));
    ASSERT_TRUE(QFile::link(tmp.File(QStringLiteral("gone")), tmp.File(QStringLiteral("dangling"))));

    struct Case {
        const char* name;
        bool file, dir;
    } cases[] = {
        {"a.txt", true, false}, {"sub", false, true}, {"missing", false, false},
        {"link.txt", true, false}, {"dangling", false, false},
    };
    for (const Case& c : cases) {
        const String path = tmp.File(QString::fromLatin1(c.name));
        EXPECT_EQ(FileExists(path), c.file) << c.name;
        EXPECT_EQ(DirectoryExists(path), c.dir) << c.name;
    }
    EXPECT_FALSE(FileExists(String()));
    EXPECT_FALSE(DirectoryExists(String()));
}

TEST(Files, CreateDirMakesOneLevelAndForceDirectoriesAll)
{
    TempFolder tmp;
    EXPECT_FALSE(CreateDir(tmp.File(QStringLiteral("a/b")))) << "parent missing";
    EXPECT_FALSE(DirectoryExists(tmp.File(QStringLiteral("a"))));
    EXPECT_TRUE(CreateDir(tmp.File(QStringLiteral("a"))));
    EXPECT_FALSE(CreateDir(tmp.File(QStringLiteral("a")))) << "exists already";
    EXPECT_TRUE(CreateDir(tmp.File(QStringLiteral("a/b"))));

    EXPECT_TRUE(ForceDirectories(tmp.File(QStringLiteral("x/y/z"))));
    EXPECT_TRUE(DirectoryExists(tmp.File(QStringLiteral("x/y/z"))));
    EXPECT_TRUE(ForceDirectories(tmp.File(QStringLiteral("x/y/z")))) << "existing folders are fine";

    tmp.Write(QStringLiteral("file"), "x");
    EXPECT_FALSE(CreateDir(tmp.File(QStringLiteral("file"))));
    EXPECT_FALSE(ForceDirectories(tmp.File(QStringLiteral("file/sub")))) << "a file stands in the way";
    EXPECT_FALSE(ForceDirectories(String()));
    EXPECT_FALSE(CreateDir(String()));
}

// The reason of a failure tells a folder that takes nothing new from a name
// that cannot be.
TEST(Files, CreateDirSaysWhyItFailed)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("file"), "x");
    ASSERT_TRUE(CreateDir(tmp.File(QStringLiteral("taken"))));
    const struct {
        const char* What;
        String Path;
        std::errc Error;   // errc{} for success
    } cases[] = {
        {"made", tmp.File(QStringLiteral("new")), std::errc{}},
        {"exists", tmp.File(QStringLiteral("taken")), std::errc::file_exists},
        {"file of that name", tmp.File(QStringLiteral("file")), std::errc::file_exists},
        {"parent missing", tmp.File(QStringLiteral("none/new")), std::errc::no_such_file_or_directory},
        {"parent is a file", tmp.File(QStringLiteral("file/new")), std::errc::not_a_directory},
        {"empty path", String(), std::errc::no_such_file_or_directory},
        {"name too long", tmp.File(QString(300, u'n')), std::errc::filename_too_long},
    };
    for (const auto& c : cases) {
        std::error_code error = std::make_error_code(std::errc::io_error);
        EXPECT_EQ(CreateDir(c.Path, error), c.Error == std::errc{}) << c.What;
        EXPECT_EQ(error, c.Error == std::errc{} ? std::error_code() : std::make_error_code(c.Error)) << c.What;
    }
}

TEST(Files, DeleteAndRename)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("a"), "1");
    tmp.Write(QStringLiteral("b"), "2");
    MakeFolder(tmp, QStringLiteral("dir"));

    EXPECT_FALSE(DeleteFile(tmp.File(QStringLiteral("dir")))) << "folders are not files";
    EXPECT_TRUE(DirectoryExists(tmp.File(QStringLiteral("dir"))));
    EXPECT_FALSE(DeleteFile(tmp.File(QStringLiteral("missing"))));

    EXPECT_FALSE(RenameFile(tmp.File(QStringLiteral("a")), tmp.File(QStringLiteral("b")))) << "target exists";
    EXPECT_EQ(tmp.Read(QStringLiteral("b")), "2");
    EXPECT_TRUE(RenameFile(tmp.File(QStringLiteral("a")), tmp.File(QStringLiteral("c"))));
    EXPECT_EQ(tmp.Read(QStringLiteral("c")), "1");
    EXPECT_FALSE(FileExists(tmp.File(QStringLiteral("a"))));
    EXPECT_TRUE(RenameFile(tmp.File(QStringLiteral("dir")), tmp.File(QStringLiteral("dir2"))));
    EXPECT_TRUE(DirectoryExists(tmp.File(QStringLiteral("dir2"))));
    EXPECT_FALSE(RenameFile(tmp.File(QStringLiteral("missing")), tmp.File(QStringLiteral("x"))));

    EXPECT_TRUE(DeleteFile(tmp.File(QStringLiteral("c"))));
    EXPECT_FALSE(FileExists(tmp.File(QStringLiteral("c"))));
}

TEST(Files, ListingsKeepFoldersAndFilesApart)
{
    TempFolder tmp;
    MakeFolder(tmp, QStringLiteral("Plant A"));
    MakeFolder(tmp, QStringLiteral(".hidden"));
    MakeFolder(tmp, QStringLiteral("Dir.lng"));
    tmp.Write(QStringLiteral("English.lng"), "");
    tmp.Write(QStringLiteral("Italiano.LNG"), "");
    tmp.Write(QStringLiteral("notes.lngx"), "");
    tmp.Write(QStringLiteral("English.bmp"), "");
    tmp.Write(QStringLiteral(".lng"), "");
    tmp.Write(QStringLiteral("Fran\u00E7ais.lng"), "");

    EXPECT_EQ(Sorted(ListSubfolders(tmp.Path())),
              (std::vector<String>{QStringLiteral(".hidden"), QStringLiteral("Dir.lng"), QStringLiteral("Plant A")}));
    EXPECT_EQ(Sorted(ListFiles(tmp.Path(), QStringLiteral("*.lng"))),
              (std::vector<String>{QStringLiteral(".lng"), QStringLiteral("English.lng"), QStringLiteral("Fran\u00E7ais.lng"),
                                   QStringLiteral("Italiano.LNG")}));
    EXPECT_EQ(ListFiles(tmp.Path(), QStringLiteral("english.BMP")), (std::vector<String>{QStringLiteral("English.bmp")}));
    EXPECT_TRUE(ListFiles(tmp.File(QStringLiteral("missing")), QStringLiteral("*")).empty());
    EXPECT_TRUE(ListSubfolders(tmp.File(QStringLiteral("missing"))).empty());
    EXPECT_TRUE(ListSubfolders(String()).empty());
}

TEST(Files, WildcardMatching)
{
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {"English.lng", "*.lng", true},  {"English.LNG", "*.lng", true},   {"English.lngx", "*.lng", false},
        {"a.lng.bak", "*.lng", false},   {"x", "?", true},                {"", "?", false},
        {"", "*", true},                 {"", "", true},                  {"a", "", false},
        {"abc", "a*c", true},            {"ac", "a*c", true},             {"abcbc", "a*bc", true},
        {"abcbd", "a*bc", false},        {"aaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false},
        {"\xC3\x89t\xC3\xA9.lng", "\xC3\xA9T\xC3\x89.LNG", true}, // letters beyond ASCII fold too
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesFileMask(QString::fromUtf8(c.name), QString::fromUtf8(c.mask)), c.match) << c.name << " ~ " << c.mask;
}

TEST(Files, FindFileIgnoringCaseKeepsTheOnDiskSpelling)
{
    TempFolder tmp;
    MakeFolder(tmp, QStringLiteral("alpha"));
    tmp.Write(QStringLiteral("English.lng"), "");
    tmp.Write(QStringLiteral("dup"), "");
    tmp.Write(QStringLiteral("DUP"), "");
    tmp.Write(QStringLiteral("Dup"), "");

    struct Case {
        const char* asked;
        const char* found; // empty: none
    } cases[] = {
        {"Alpha", "alpha"},      {"ALPHA", "alpha"},  {"alpha", "alpha"},     {"english.LNG", "English.lng"},
        {"Dup", "Dup"},          {"dup", "dup"},      {"dUp", "DUP"}, // no exact spelling: first in code-unit order
        {"beta", ""},            {"", ""},            {".", ""},              {"..", ""},
        {"alpha/x", ""},
    };
    for (const Case& c : cases) {
        const String expected = *c.found ? tmp.File(QString::fromLatin1(c.found)) : String();
        EXPECT_EQ(FindFileIgnoringCase(tmp.Path(), QString::fromLatin1(c.asked)), expected) << c.asked;
    }
    EXPECT_EQ(FindFileIgnoringCase(tmp.Path() + u'/', QStringLiteral("ALPHA")), tmp.File(QStringLiteral("alpha")));
    EXPECT_EQ(FindFileIgnoringCase(tmp.File(QStringLiteral("missing")), QStringLiteral("x")), String());
}

TEST(Files, AtomicSaveReplacesTheWholeFile)
{
    TempFolder tmp;
    const String path = tmp.File(QStringLiteral("f.xml"));
    String error = QStringLiteral("stale");
    ASSERT_TRUE(SaveFileAtomically(path, "first version, long", &error));
    EXPECT_TRUE(error.isEmpty());
    ASSERT_TRUE(SaveFileAtomically(path, "second"));
    EXPECT_EQ(tmp.Read(QStringLiteral("f.xml")), "second");
    ASSERT_TRUE(WriteBinaryFile(path, QByteArray("\x00\x01\xFF", 3)));
    EXPECT_EQ(tmp.Read(QStringLiteral("f.xml")), QByteArray("\x00\x01\xFF", 3));
    ASSERT_TRUE(SaveFileAtomically(path, QByteArray()));
    EXPECT_EQ(tmp.Read(QStringLiteral("f.xml")), QByteArray());
    // Nothing is left beside the file.
    EXPECT_EQ(QDir(tmp.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{QStringLiteral("f.xml")});
}

TEST(Files, FailedSaveLeavesTheOldFileAndSaysWhy)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("keep.xml"), "old contents");
    MakeFolder(tmp, QStringLiteral("dir.xml"));
    tmp.Write(QStringLiteral("ro.xml"), "read-only contents");
    QFile::setPermissions(tmp.File(QStringLiteral("ro.xml")), QFileDevice::ReadOwner | QFileDevice::ReadUser);

    struct Case {
        String path;
        const char* original; // what must still be there afterwards; nullptr: nothing
    } cases[] = {
        {tmp.File(QStringLiteral("gone/keep.xml")), nullptr},
        {tmp.File(QStringLiteral("dir.xml")), nullptr},
        {tmp.File(QStringLiteral("ro.xml")), "read-only contents"},
        {String(), nullptr},
    };
    for (const Case& c : cases) {
        String error;
        EXPECT_FALSE(SaveFileAtomically(c.path, "new", &error)) << c.path.toStdString();
        EXPECT_FALSE(WriteBinaryFile(c.path, "new")) << c.path.toStdString();
        EXPECT_TRUE(error.contains(c.path)) << error.toStdString();
        EXPECT_GT(error.size(), c.path.size() + 20) << "a reason follows the path: " << error.toStdString();
        if (c.original) {
            QFile f(c.path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), c.original);
        }
    }
    EXPECT_EQ(tmp.Read(QStringLiteral("keep.xml")), "old contents");
    EXPECT_TRUE(DirectoryExists(tmp.File(QStringLiteral("dir.xml"))));
}

TEST(Files, ReadFileBytes)
{
    TempFolder tmp;
    tmp.Write(QStringLiteral("b.bin"), QByteArray("\x00\x01", 2));
    MakeFolder(tmp, QStringLiteral("d"));
    QByteArray bytes = "junk";
    EXPECT_TRUE(ReadFileBytes(tmp.File(QStringLiteral("b.bin")), bytes));
    EXPECT_EQ(bytes, QByteArray("\x00\x01", 2));
    for (const String& bad : {tmp.File(QStringLiteral("missing")), tmp.File(QStringLiteral("d")), String()}) {
        bytes = "junk";
        EXPECT_FALSE(ReadFileBytes(bad, bytes)) << bad.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
}

TEST(Files, PathPieces)
{
    struct Case {
        const char* path;
        const char* filePath;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"/opt/q/PROJECTS/Plant A/ParGen.xml", "/opt/q/PROJECTS/Plant A/", "/opt/q/PROJECTS/Plant A", "ParGen.xml", ".xml"},
        {"/opt/q/", "/opt/q/", "/opt/q", "", ""},
        {"/x", "/", "/", "x", ""},
        {"name.tar.gz", "", "", "name.tar.gz", ".gz"},
        {"dir.d/file", "dir.d/", "dir.d", "file", ""},
        {".hidden", "", "", ".hidden", ".hidden"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const String p = QString::fromLatin1(c.path);
        EXPECT_EQ(ExtractFilePath(p), QString::fromLatin1(c.filePath)) << c.path;
        EXPECT_EQ(ExtractFileDir(p), QString::fromLatin1(c.dir)) << c.path;
        EXPECT_EQ(ExtractFileName(p), QString::fromLatin1(c.name)) << c.path;
        EXPECT_EQ(ExtractFileExt(p), QString::fromLatin1(c.ext)) << c.path;
    }
    EXPECT_EQ(ChangeFileExt(QStringLiteral("a/English.lng"), QStringLiteral(".bmp")), QStringLiteral("a/English.bmp"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("a.b/c"), QStringLiteral(".x")), QStringLiteral("a.b/c.x"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("c.txt"), String()), QStringLiteral("c"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(QStringLiteral("a")), QStringLiteral("a/"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(QStringLiteral("a/")), QStringLiteral("a/"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter(QStringLiteral("a/")), QStringLiteral("a"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter(QStringLiteral("a")), QStringLiteral("a"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(PathJoin(QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("a/b"));
    EXPECT_EQ(PathJoin(QStringLiteral("a/"), QStringLiteral("/b")), QStringLiteral("a/b"));
    EXPECT_EQ(PathJoin(String(), QStringLiteral("b")), QStringLiteral("b"));
    EXPECT_EQ(PathJoin(QStringLiteral("a"), String()), QStringLiteral("a"));
}

TEST(Files, ProgramFolderCanBeRedirectedByTests)
{
    const String real = ProgramFolder();
    EXPECT_FALSE(real.isEmpty());
    EXPECT_FALSE(real.endsWith(u'/'));
    EXPECT_TRUE(DirectoryExists(real));

    SetProgramFolderForTest(QStringLiteral("/tmp/elsewhere/"));
    EXPECT_EQ(ProgramFolder(), QStringLiteral("/tmp/elsewhere"));
    SetProgramFolderForTest(String());
    EXPECT_EQ(ProgramFolder(), real);
}

} // namespace
