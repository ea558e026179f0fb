// Arbitrary bytes as delimited text under every combination of the reader's settings.

#include "fuzz/GridReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A refusal is "File is empty".
    return grid_fuzz::ReadInto<Exception>(data, size, [](TZvStringGrid& grid, std::uint8_t options, QBuffer& buffer) {
        const QChar delimiters[] = {QChar(), u',', u';', u'\t'};
        grid.SetDelimiter(delimiters[options & 3]);
        grid.SetJavaCSV(options & 4);
        grid.SetOemConvert(options & 8);
        grid.SetLoadFirstRow(!(options & 16));
        grid.LoadFromCSVStream(&buffer, (options >> 5) & 3);
    });
}
