// Arbitrary bytes as a binary cell stream: a broken stream raises EZvGridError and leaves the grid as it was;
// nothing crashes, reads out of bounds or allocates without bound.

#include "fuzz/GridReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return grid_fuzz::ReadInto<EZvGridError>(data, size, [](TZvStringGrid& grid, std::uint8_t options, QBuffer& buffer) {
        if (options & 1) grid.LoadFromBinStream(&buffer);
        else grid.LoadAtPointFromBinStream(TPoint{options >> 4, (options >> 1) & 7}, &buffer);
    });
}
