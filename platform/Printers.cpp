#include "platform/Printers.h"

#include <QPainter>
#include <QPrinter>

namespace {
// Enough for text and lines to land on the same dots in every viewer.
constexpr int PrintResolution = 300;
}   // namespace

TPrinter::TPrinter() : FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    FPrinter->setResolution(PrintResolution);
    FPrinter->setPageSize(QPageSize(QPageSize::A4));
    FPrinter->setFullPage(false);
}

TPrinter::~TPrinter()
{
    if (FPainter) FPainter->end();
}

void TPrinter::SetLandscape(bool Value)
{
    FPrinter->setPageOrientation(Value ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool TPrinter::Landscape() const { return FPrinter->pageLayout().orientation() == QPageLayout::Landscape; }
void TPrinter::SetTitle(const String& Value) { FPrinter->setDocName(Value); }

void TPrinter::SetOutputFileName(const String& Value)
{
    FOutputFileName = Value;
    FPrinter->setOutputFormat(Value.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    FPrinter->setOutputFileName(Value);
}

void TPrinter::BeginDoc()
{
    if (FPainter) throw Exception(QStringLiteral("Printing in progress"));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(FPrinter.get())) throw Exception(QStringLiteral("Printer selected is not valid"));
    FPainter = std::move(painter);
}

void TPrinter::NewPage()
{
    if (!FPainter) throw Exception(QStringLiteral("Printer is not currently printing"));
    FPrinter->newPage();
}

void TPrinter::EndDoc()
{
    if (!FPainter) return;   // an aborted document has nothing left to close
    FPainter->end();
    FPainter.reset();
}

void TPrinter::Abort()
{
    if (!FPainter) return;   // nothing started
    FPrinter->abort();
    FPainter->end();
    FPainter.reset();
}

int TPrinter::PageWidth() const { return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).width(); }
int TPrinter::PageHeight() const { return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).height(); }
int TPrinter::PageLeft() const { return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).left(); }
int TPrinter::PageTop() const { return FPrinter->pageLayout().paintRectPixels(FPrinter->resolution()).top(); }
int TPrinter::Resolution() const { return FPrinter->resolution(); }

TPrinter* Printer()
{
    static TPrinter printer;
    return &printer;
}
