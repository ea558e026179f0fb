#pragma once
// Small helpers shared by the test programs.

#include "platform/SysUtils.h"

#include <QTemporaryDir>
#include <ostream>

// A fresh folder for one test, removed with it.
class TempFolder {
public:
    TempFolder();
    String Path() const { return FDir.path(); }
    String File(const String& name) const { return FDir.path() + u'/' + name; }
    // Writes raw bytes; creates the folders on the way.
    void Write(const String& name, const QByteArray& bytes) const;
    QByteArray Read(const String& name) const;

private:
    QTemporaryDir FDir;
};

// Where screenshots and other things to look at go: <build>/screenshots.
String ScreenshotFolder();

// Test failures show texts as text, not as a list of 16-bit units.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
