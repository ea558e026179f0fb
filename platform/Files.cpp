#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace {

String& ProgramFolderOverride()
{
    static String path;
    return path;
}

// Every entry of a folder, in the order the file system hands them out.
template <class Visit>
void ForEachEntry(const String& folder, QDir::Filters filters, Visit visit)
{
    if (folder.isEmpty()) return;
    QDirIterator it(folder, filters | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        visit(it.fileInfo());
    }
}

QChar FoldCase(QChar c) { return c.toCaseFolded(); }

bool MatchFrom(const String& name, int n, const String& mask, int m)
{
    // Iterative wildcard match with one back-tracking point per "*", which
    // keeps long names linear instead of exponential.
    int starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == u'?' || FoldCase(mask[m]) == FoldCase(name[n]))) {
            ++m;
            ++n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*') ++m;
    return m == mask.size();
}

String SaveError(const String& path, const String& reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
}

} // namespace

bool FileExists(const String& path)
{
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool DirectoryExists(const String& path)
{
    if (path.isEmpty()) return false;
    return QFileInfo(path).isDir();
}

bool CreateDir(const String& path, std::error_code& error)
{
    error.clear();
    if (path.isEmpty()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
        return false;
    }
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0) return true;
    error = std::error_code(errno, std::generic_category());
    return false;
}

bool CreateDir(const String& path)
{
    std::error_code ignored;
    return CreateDir(path, ignored);
}

bool ForceDirectories(const String& path)
{
    if (path.isEmpty()) return false;
    return QDir().mkpath(path) && DirectoryExists(path);
}

bool DeleteFile(const String& path)
{
    if (!FileExists(path)) return false;
    return QFile::remove(path);
}

bool RenameFile(const String& oldName, const String& newName)
{
    if (oldName.isEmpty() || newName.isEmpty()) return false;
    const QFileInfo source(oldName);
    if (!source.exists() && !source.isSymLink()) return false;
    const QFileInfo target(newName);
    if (target.exists() || target.isSymLink()) return false;
    return QDir().rename(oldName, newName);
}

std::vector<String> ListSubfolders(const String& folder)
{
    std::vector<String> names;
    ForEachEntry(folder, QDir::Dirs, [&](const QFileInfo& info) { names.push_back(info.fileName()); });
    return names;
}

bool MatchesFileMask(const String& name, const String& pattern) { return MatchFrom(name, 0, pattern, 0); }

std::vector<String> ListFiles(const String& folder, const String& pattern)
{
    std::vector<String> names;
    ForEachEntry(folder, QDir::Files, [&](const QFileInfo& info) {
        if (info.isFile() && MatchesFileMask(info.fileName(), pattern)) names.push_back(info.fileName());
    });
    return names;
}

String FindFileIgnoringCase(const String& folder, const String& name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/')) return {};
    String best;
    bool exact = false;
    ForEachEntry(folder, QDir::AllEntries, [&](const QFileInfo& info) {
        if (exact) return;
        const String entry = info.fileName();
        if (entry == name) {
            best = entry;
            exact = true;
        } else if (QString::compare(entry, name, Qt::CaseInsensitive) == 0 && (best.isEmpty() || entry < best)) {
            best = entry;
        }
    });
    return best.isEmpty() ? String() : PathJoin(folder, best);
}

bool SaveFileAtomically(const String& path, const QByteArray& bytes, String* error)
{
    auto fail = [&](const String& reason) {
        if (error) *error = SaveError(path, reason);
        return false;
    };
    if (path.isEmpty()) return fail(QStringLiteral("No file name given."));
    const QFileInfo existing(path);
    if (existing.isDir()) return fail(QStringLiteral("A folder of that name exists."));
    // The platform refuses to replace a read-only file; the write permission
    // bit plays that part here, whatever the user's rights on the folder.
    if (existing.exists() && !(existing.permissions() & QFileDevice::WriteOwner))
        return fail(QStringLiteral("The file is read-only."));
    if (!DirectoryExists(existing.path())) return fail(QStringLiteral("The folder does not exist."));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const String reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit()) return fail(file.errorString());
    if (error) error->clear();
    return true;
}

bool WriteBinaryFile(const String& path, const QByteArray& bytes, String* error)
{
    return SaveFileAtomically(path, bytes, error);
}

bool ReadFileBytes(const String& path, QByteArray& bytes)
{
    bytes.clear();
    if (!FileExists(path)) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    bytes = std::move(all);
    return true;
}

QByteArray ReadFileOrRaise(const String& path)
{
    QFile file(path);
    const auto fail = [&](const String& reason) {
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
    };
    if (QFileInfo(path).isDir()) fail(QStringLiteral("It is a folder."));
    if (!file.open(QIODevice::ReadOnly)) fail(file.errorString());
    QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError) fail(file.errorString());
    return all;
}

void SaveFileOrRaise(const String& path, const QByteArray& bytes)
{
    String message;   // already 'Cannot create file "<path>". <reason>'
    if (!SaveFileAtomically(path, bytes, &message)) throw EFCreateError(message);
}

String ExtractFilePath(const String& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

String ExtractFileDir(const String& path)
{
    const int slash = path.lastIndexOf(u'/');
    if (slash < 0) return {};
    if (slash == 0) return QStringLiteral("/");
    return path.left(slash);
}

String ExtractFileName(const String& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

String ExtractFileExt(const String& path)
{
    const int dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < path.lastIndexOf(u'/')) return {};
    return path.mid(dot);
}

String ChangeFileExt(const String& path, const String& ext)
{
    return path.left(path.size() - ExtractFileExt(path).size()) + ext;
}

String IncludeTrailingPathDelimiter(const String& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

String ExcludeTrailingPathDelimiter(const String& path)
{
    // The root stays "/": without its slash it would name the current folder.
    if (path == u"/" || !path.endsWith(u'/')) return path;
    return path.left(path.size() - 1);
}

String PathJoin(const String& a, const String& b)
{
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    String tail = b;
    while (tail.startsWith(u'/')) tail.remove(0, 1);
    return IncludeTrailingPathDelimiter(a) + tail;
}

String ProgramFolder()
{
    if (!ProgramFolderOverride().isEmpty()) return ProgramFolderOverride();
    if (QCoreApplication::instance()) return ExcludeTrailingPathDelimiter(QCoreApplication::applicationDirPath());
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return QDir::currentPath();
    return ExcludeTrailingPathDelimiter(ExtractFileDir(QString::fromStdString(exe.string())));
}

void SetProgramFolderForTest(const String& path)
{
    ProgramFolderOverride() = ExcludeTrailingPathDelimiter(path);
}
