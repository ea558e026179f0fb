// A grid printed to PDF through the platform printer, read back with
// poppler's tools: the page count, the texts on their pages, and a few
// pixels of the rendered first page (borders, a gradient's colours).

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "platform/Forms.h"
#include "platform/Printers.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <memory>

namespace {

String Tool(const String& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return String();
    return String::fromUtf8(p.readAllStandardOutput());
}

TEST(GridPrintPdf, PagesTextsAndPixelsOfAPrintedGrid)
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " (poppler-utils) is not installed";
    TTestSeams seams;
    TempFolder dir;
    TForm form(nullptr);
    auto* grid = new TZvStringGrid(&form);
    grid->SetParent(&form);
    grid->SetColCount(3);
    grid->SetRowCount(150);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 150; ++r) grid->SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    grid->SetColors(1, 5, clRed);
    grid->SetColorsTo(1, 5, clBlue);
    grid->PrintSettings()->SetPageNr(TPrintPosition::ppBottomCenter);
    grid->PrintSettings()->SetPageNumSep("/");
    grid->PrintSettings()->SetFont(grid->Font());
    grid->PrintSettings()->Font()->SetSize(12);

    const String pdf = dir.File("grid.pdf");
    Printer()->SetOutputFileName(pdf);
    grid->Print();
    Printer()->SetOutputFileName(String());

    const int pages = grid->PrintNrOfPages();
    ASSERT_GT(pages, 1);
    const String info = Tool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();

    const QStringList texts = Tool("pdftotext", {"-layout", pdf, "-"}).split(u'\f');
    ASSERT_GE(texts.size(), pages);
    EXPECT_TRUE(texts[0].contains("c0r0") && texts[0].contains("c2r5")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].contains(QStringLiteral("1/%1").arg(pages)));
    EXPECT_FALSE(texts[1].contains("c0r0 "));
    EXPECT_TRUE(texts[pages - 1].contains("c2r149"));
    EXPECT_TRUE(texts[pages - 1].contains(QStringLiteral("%1/%1").arg(pages)));

    const int dpi = Printer()->Resolution();
    Tool("pdftoppm", {"-r", String::number(dpi), "-f", "1", "-l", "1", "-png", pdf, dir.File("page")});
    QImage image(dir.File("page-1.png"));
    if (image.isNull()) image.load(dir.File("page-01.png"));
    ASSERT_FALSE(image.isNull());
    image.save(ScreenshotFolder() + "/grid-print-page1.png");
    auto dev = [&](int units) { return int(std::lround(units * double(dpi) / 254.0)); };
    const int left = Printer()->PageLeft();
    const int top = Printer()->PageTop();
    // Borders at every column's left edge, a few rows into the table.
    const int y = top + dev(200);
    for (int c = 0; c < 3; ++c) {
        const int x = left + dev(grid->GetPrintColOffset(c));
        bool dark = false;
        for (int dx = -4; dx <= 4; ++dx) dark = dark || qGray(image.pixel(x + dx, y)) < 80;
        EXPECT_TRUE(dark) << "no border at column " << c;
    }
    // The gradient cell: red above, blue below, in the middle of column 1.
    const int x = left + dev(grid->GetPrintColOffset(1) + grid->GetPrintColWidth(1) / 2);
    int red = -1, blue = -1;
    for (int py = top; py < image.height() / 2; ++py) {
        const QColor p = image.pixelColor(x, py);
        if (red < 0 && p.red() > 200 && p.blue() < 80 && p.green() < 80) red = py;
        if (p.blue() > 200 && p.red() < 80 && p.green() < 80) blue = py;
    }
    EXPECT_GE(red, 0);
    EXPECT_GT(blue, red);
}

}   // namespace
