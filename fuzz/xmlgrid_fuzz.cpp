// Arbitrary bytes as an XML list for the grid: the reader either refuses the
// file before the grid changes or fills cells; what it filled saves and reads
// back to the same cells.

#include "fuzz/GridReaderFuzz.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
    file.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString input = Folder().filePath(QStringLiteral("in.xml"));
    const QString again = Folder().filePath(QStringLiteral("again.xml"));
    return grid_fuzz::ReadInto<Exception>(data, size, [&](TZvStringGrid& grid, std::uint8_t options, QBuffer& buffer) {
        grid.SetSaveFixedCells(options & 1);
        WriteFile(input, buffer.data());
        grid.LoadFromXML(input, options & 2, options & 4);
        if (grid.ColCount() * qint64(grid.RowCount()) > 200000) return;
        // What was read goes out and comes back cell for cell.
        grid.SetSaveFixedCells(true);
        grid.SaveToXML(again, QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
        TZvStringGrid back(nullptr);
        back.SetSaveFixedCells(true);
        back.LoadFromXML(again, false, false);
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c)
                if (back.Cells(c, r) != grid.Cells(c, r)) __builtin_trap();
    });
}
