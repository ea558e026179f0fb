#include "TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TempFolder::TempFolder()
{
    if (!FDir.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

void TempFolder::Write(const String& name, const QByteArray& bytes) const
{
    const String path = File(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) throw std::runtime_error("cannot write test file");
}

QByteArray TempFolder::Read(const String& name) const
{
    QFile f(File(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

String ScreenshotFolder()
{
    const String path = QStringLiteral(QUILLMER_BUILD_DIR "/screenshots");
    QDir().mkpath(path);
    return path;
}
