#pragma once
// Small helpers shared by the test programs.

#include "platform/Regional.h"
#include "platform/SysUtils.h"

#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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

// What a picture of a window must show to count as painted, so a screenshot
// test fails on a blank, one-coloured or broken window: the window's
// background colour (a platform colour, 0xBBGGRR) over at least a tenth of
// it, and text-dark ink in `inkArea`, where the window's own texts stand.
::testing::AssertionResult LooksPainted(const QImage& image, std::uint32_t background, const QRect& inkArea);

// Test failures show texts as text, not as a list of 16-bit units.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Regional settings replaced for one test.
struct RegionalScope {
    explicit RegionalScope(QChar decimal, QChar thousands)
    {
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = decimal;
        fs.ThousandSeparator = thousands;
        SetFormatSettings(fs);
    }
    ~RegionalScope() { ResetFormatSettingsFromSystem(); }
};
