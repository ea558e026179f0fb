#pragma once
// Files and folders. Paths use '/' throughout.

#include "platform/SysUtils.h"

#include <QByteArray>
#include <system_error>
#include <vector>

// Existence: FileExists is true for files only, DirectoryExists for folders
// only; both follow symbolic links.
bool FileExists(const String& path);
bool DirectoryExists(const String& path);

// One level: false when the parent is missing, the folder exists already or
// it cannot be made.
bool CreateDir(const String& path);
// The same, saying why it failed: the system's error (ENOENT for a missing
// parent or an empty path, EEXIST when the entry exists, EACCES, EROFS ...).
bool CreateDir(const String& path, std::error_code& error);
// With every missing parent; true when the folder exists afterwards.
bool ForceDirectories(const String& path);
// Files only; false when the file is missing or cannot be removed.
bool DeleteFile(const String& path);
// Moves a file or folder; fails, as the platform does, when the new name exists.
bool RenameFile(const String& oldName, const String& newName);

// Names (not paths) of the sub-folders, in the order the file system gives,
// without "." and "..". Empty when the folder cannot be read.
std::vector<String> ListSubfolders(const String& folder);
// Names of the regular files (symbolic links to files included) whose name
// matches `pattern` ("*" any run, "?" one character) ignoring case, in the
// order the file system gives.
std::vector<String> ListFiles(const String& folder, const String& pattern);
// True when `name` matches the wildcard pattern, ignoring case.
bool MatchesFileMask(const String& name, const String& pattern);

// Full path of the entry (file or folder) of `folder` named `name` ignoring
// case; an entry with exactly that spelling wins, else the first of the others
// in code-unit order, so the choice does not depend on the file system. Empty
// when there is none, or when `name` is empty, "." or "..", or holds a '/'.
// The result keeps the on-disk spelling, as a Windows user expects.
String FindFileIgnoringCase(const String& folder, const String& name);

// Writes beside the file and renames over it, so a reader never sees half a
// file and a failed save leaves the old file whole. On failure returns false
// and, when asked, a readable reason naming the path. A file that is marked
// read-only is not replaced.
bool SaveFileAtomically(const String& path, const QByteArray& bytes, String* error = nullptr);
// The same for the device's binary images.
bool WriteBinaryFile(const String& path, const QByteArray& bytes, String* error = nullptr);
// The whole file; false (and `bytes` emptied) when it cannot be read.
bool ReadFileBytes(const String& path, QByteArray& bytes);

// The file-stream errors of the class library: a file that cannot be opened
// for reading ('Cannot open file "<path>". <reason>') or created for writing
// ('Cannot create file "<path>". <reason>').
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};
// The whole file, or EFOpenError naming it.
QByteArray ReadFileOrRaise(const String& path);
// SaveFileAtomically, or EFCreateError with its reason.
void SaveFileOrRaise(const String& path, const QByteArray& bytes);

// Path pieces. ExtractFilePath keeps the trailing '/', ExtractFileDir drops it
// (except for the root "/"); ExtractFileExt includes the dot and is empty
// when the name holds none.
String ExtractFilePath(const String& path);
String ExtractFileDir(const String& path);
String ExtractFileName(const String& path);
String ExtractFileExt(const String& path);
// Replaces (or adds) the extension; `ext` includes its dot, empty removes it.
String ChangeFileExt(const String& path, const String& ext);
String IncludeTrailingPathDelimiter(const String& path);
// Drops one trailing '/', but leaves the root "/" as it is.
String ExcludeTrailingPathDelimiter(const String& path);
// Joins with exactly one '/' between the two; an empty side gives the other.
String PathJoin(const String& a, const String& b);

// The folder of the running program, without a trailing '/'.
String ProgramFolder();
// Tests point the program folder elsewhere; an empty path restores the real one.
void SetProgramFolderForTest(const String& path);
