// Arbitrary bytes through the GIF walk and frame decoder, and through the
// picture that selects and steps frames: nothing may crash, overrun or loop.

#include "grid/support/ZvGifWalk.h"
#include "grid/support/ZvPictureContainer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TGifInfo info;
    if (WalkGif(bytes, info)) {
        for (int i = 0; i < int(info.Frames.size()) && i < 8; ++i) {
            QImage image;
            String error;
            const bool ok = DecodeGifFrame(bytes, info, i, image, &error);
            if (ok == image.isNull() || (!ok && error.isEmpty())) __builtin_trap();
        }
    }
    THTMLPicture picture;
    try {
        picture.LoadFromStream(bytes);
    } catch (const Exception&) {
        return 0;
    }
    for (int tick = 0; tick < 4; ++tick) picture.Step();
    picture.FramePrev();
    return 0;
}
