// Arbitrary bytes through every picture reader: none may crash, read out of
// bounds, loop or allocate without limit.

#include "platform/Pictures.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (auto decode : {DecodeBmp, DecodeIco, DecodePng, DecodeJpeg}) {
        QImage image;
        String error;
        const bool ok = decode(bytes, image, &error);
        if (ok == image.isNull() || (!ok && error.isEmpty())) __builtin_trap();
    }
    return 0;
}
