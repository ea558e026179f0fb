#pragma once
// The printer object: one per program, printing through Qt's print support to
// the default printer, or to a PDF file when an output file name is set (as
// tests and "print to file" do). A document runs from BeginDoc to EndDoc;
// Abort drops it. Sizes are device dots at Resolution dots per inch.

#include "platform/SysUtils.h"

#include <memory>

class QPainter;
class QPrinter;

class TPrinter {
public:
    TPrinter();
    ~TPrinter();

    void SetLandscape(bool Value);
    bool Landscape() const;
    void SetTitle(const String& Value);
    // Empty for the system printer, else a PDF file.
    void SetOutputFileName(const String& Value);
    const String& OutputFileName() const { return FOutputFileName; }

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return bool(FPainter); }

    int PageWidth() const;
    int PageHeight() const;
    int Resolution() const;
    // Where the printable area starts on the paper, in device dots.
    int PageLeft() const;
    int PageTop() const;
    QPainter* Painter() const { return FPainter.get(); }

private:
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QPainter> FPainter;
    String FOutputFileName;
};

TPrinter* Printer();
