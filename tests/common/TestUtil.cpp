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

::testing::AssertionResult LooksPainted(const QImage& image, std::uint32_t background, const QRect& inkArea)
{
    if (image.isNull()) return ::testing::AssertionFailure() << "no picture";
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = qRgb(int(background & 0xFF), int((background >> 8) & 0xFF), int((background >> 16) & 0xFF));
    qsizetype backgroundPixels = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if ((rgb.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) ++backgroundPixels;
    const qsizetype all = qsizetype(rgb.width()) * rgb.height();
    if (backgroundPixels * 10 < all)
        return ::testing::AssertionFailure() << "the background colour covers only " << backgroundPixels << " of " << all
                                             << " pixels";
    int ink = 0;
    const QRect area = inkArea.intersected(rgb.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(rgb.pixel(x, y)) < 160) ++ink;
    if (ink < 20) return ::testing::AssertionFailure() << "no text in the ink area (" << ink << " dark pixels)";
    return ::testing::AssertionSuccess();
}
