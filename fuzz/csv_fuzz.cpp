// Arbitrary bytes as delimited text under every combination of the reader's settings.

#include "grid/ZvGrid.h"

#include <QApplication>
#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "grid_fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

bool Untouched(TZvStringGrid& grid)
{
    return grid.ColCount() == 4 && grid.RowCount() == 5 && grid.Cells(1, 1) == QLatin1String("before");
}

}  // namespace

// The application's font database keeps fontconfig's patterns until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    App();
    if (size < 1) return 0;
    const std::uint8_t options = data[0];
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    buffer.open(QIODevice::ReadOnly);
    TZvStringGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetCells(1, 1, "before");
    const QChar delimiters[] = {QChar(), u',', u';', u'\t'};
    grid.SetDelimiter(delimiters[options & 3]);
    grid.SetJavaCSV(options & 4);
    grid.SetOemConvert(options & 8);
    grid.SetLoadFirstRow(!(options & 16));
    try {
        grid.LoadFromCSVStream(&buffer, (options >> 5) & 3);
    } catch (const Exception&) {
        if (!Untouched(grid)) __builtin_trap();   // "File is empty"
    }
    return 0;
}
