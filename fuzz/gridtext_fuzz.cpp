// Arbitrary bytes as a grid text stream: a conversion error may stop it, before the grid changes.

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
    grid.SetSaveFixedCells(options & 1);
    grid.SetMultilinecells(options & 2);
    try {
        grid.LoadFromStream(&buffer);
    } catch (const Exception&) {
        if (!Untouched(grid)) __builtin_trap();
    }
    return 0;
}
