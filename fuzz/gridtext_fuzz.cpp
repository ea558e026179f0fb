// Arbitrary bytes as a grid text stream: a conversion error may stop it, before the grid changes.

#include "fuzz/GridReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return grid_fuzz::ReadInto<Exception>(data, size, [](TZvStringGrid& grid, std::uint8_t options, QBuffer& buffer) {
        grid.SetSaveFixedCells(options & 1);
        grid.SetMultilinecells(options & 2);
        grid.LoadFromStream(&buffer);
    });
}
