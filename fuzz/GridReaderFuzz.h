#pragma once
// What the fuzz targets of the grid's own readers share: one offscreen application, a grid with
// a known cell, and the rule that a refused input leaves that grid exactly as it was.
// Each target is one program of its own, so this header is included once per program.

#include "grid/ZvGrid.h"

#include <QApplication>
#include <QBuffer>

#include <cstddef>
#include <cstdint>

// The application's font database keeps fontconfig's patterns until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace grid_fuzz {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "grid_fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

inline bool Untouched(TZvStringGrid& grid)
{
    return grid.ColCount() == 4 && grid.RowCount() == 5 && grid.Cells(1, 1) == QLatin1String("before");
}

// The first byte chooses the reader's settings, the rest is the input. Load(grid, options, buffer)
// reads it; when it raises TRefusal the grid must be as it was.
template <class TRefusal, class TLoad>
int ReadInto(const std::uint8_t* data, std::size_t size, TLoad Load)
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
    try {
        Load(grid, options, buffer);
    } catch (const TRefusal&) {
        if (!Untouched(grid)) __builtin_trap();
    }
    return 0;
}

}  // namespace grid_fuzz
