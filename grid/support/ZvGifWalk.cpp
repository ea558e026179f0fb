#include "grid/support/ZvGifWalk.h"

#include "platform/Pictures.h"

#include <algorithm>
#include <array>

namespace {

int Word(const QByteArray& data, qsizetype at)
{
    return quint8(data[at]) | (quint8(data[at + 1]) << 8);
}

void Fail(String* error, const char* reason)
{
    if (error) *error = QString::fromLatin1(reason);
}

// Skips a chain of sub-blocks starting at `at`; the offset after its zero
// terminator, or -1 when the data ends inside the chain.
qsizetype SkipSubBlocks(const QByteArray& data, qsizetype at)
{
    while (at < data.size()) {
        const int length = quint8(data[at]);
        ++at;
        if (length == 0) return at;
        at += length;
    }
    return -1;
}

// The bits of an image's LZW stream, read low bit first across its sub-blocks.
class TBitReader {
public:
    TBitReader(const QByteArray& data, qsizetype at) : FData(data), FAt(at) {}

    // False when the stream (or the data) has ended.
    bool Read(int count, int& value)
    {
        while (FBits < count) {
            if (FLeft == 0) {
                if (FAt >= FData.size()) return false;
                FLeft = quint8(FData[FAt++]);
                if (FLeft == 0) {
                    FAt = FData.size();   // a zero length ends the stream
                    return false;
                }
            }
            if (FAt >= FData.size()) return false;
            FBuffer |= quint32(quint8(FData[FAt++])) << FBits;
            FBits += 8;
            --FLeft;
        }
        value = int(FBuffer & ((1u << count) - 1));
        FBuffer >>= count;
        FBits -= count;
        return true;
    }

private:
    const QByteArray& FData;
    qsizetype FAt;
    int FLeft = 0;
    quint32 FBuffer = 0;
    int FBits = 0;
};

// LZW-decodes up to `out.size()` colour indexes; returns how many arrived.
size_t DecodeLzw(const QByteArray& data, qsizetype at, int minCodeSize, std::vector<quint8>& out)
{
    constexpr int MaxCodes = 4096;
    std::array<quint16, MaxCodes> prefix{};
    std::array<quint8, MaxCodes> suffix{};
    std::array<quint8, MaxCodes + 1> stack{};
    const int clear = 1 << minCodeSize, endCode = clear + 1;
    for (int i = 0; i < clear; ++i) suffix[i] = quint8(i);
    int codeSize = minCodeSize + 1, next = clear + 2, prev = -1, first = 0;
    size_t written = 0;
    TBitReader bits(data, at);
    int code = 0;
    while (written < out.size() && bits.Read(codeSize, code)) {
        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == endCode) break;
        if (prev < 0) {
            if (code > clear) break;   // a stream must start with a root code
            out[written++] = quint8(code);
            prev = first = code;
            continue;
        }
        if (code > next) break;
        const int inCode = code;
        int depth = 0;
        if (code == next) {
            stack[depth++] = quint8(first);
            code = prev;
        }
        // Each entry's prefix is an older entry, so the chain always ends at a root.
        while (code > endCode) {
            stack[depth++] = suffix[code];
            code = prefix[code];
        }
        first = code;
        stack[depth++] = quint8(code);
        while (depth > 0 && written < out.size()) out[written++] = stack[--depth];
        if (next < MaxCodes) {
            prefix[next] = quint16(prev);
            suffix[next] = quint8(first);
            ++next;
            if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
        }
        prev = inCode;
    }
    return written;
}

}  // namespace

bool IsGifData(const QByteArray& data) { return data.size() >= 5 && data.startsWith("GIF8"); }

bool WalkGif(const QByteArray& data, TGifInfo& info, String* error)
{
    info = {};
    if (!IsGifData(data) || data.size() < 13) {
        Fail(error, "Not a GIF picture");
        return false;
    }
    info.ScreenWidth = Word(data, 6);
    info.ScreenHeight = Word(data, 8);
    const int packed = quint8(data[10]);
    qsizetype at = 13;
    if (packed & 0x80) {
        info.GlobalTableOffset = at;
        info.GlobalColorCount = 1 << ((packed & 7) + 1);
        at += 3 * info.GlobalColorCount;
    }
    TGifFrame pending;   // carries the control block to the image it precedes
    while (true) {
        if (at >= data.size()) {
            info.Truncated = true;
            break;
        }
        const int introducer = quint8(data[at]);
        if (introducer == 0x3B) break;
        if (introducer == 0x21) {
            if (at + 1 >= data.size()) {
                info.Truncated = true;
                break;
            }
            const int label = quint8(data[at + 1]);
            if (label == 0xF9 && at + 7 < data.size() && quint8(data[at + 2]) >= 4) {
                pending.Delay = Word(data, at + 4);
                if (quint8(data[at + 3]) & 1) pending.TransparentIndex = quint8(data[at + 6]);
            }
            const qsizetype after = SkipSubBlocks(data, at + 2);
            if (after < 0) {
                info.Truncated = true;
                break;
            }
            at = after;
            continue;
        }
        if (introducer != 0x2C || at + 10 > data.size()) {
            info.Truncated = true;   // an unknown block: nothing after it can be trusted
            break;
        }
        TGifFrame frame = pending;
        pending = {};
        frame.DescriptorOffset = at;
        frame.Left = Word(data, at + 1);
        frame.Top = Word(data, at + 3);
        frame.Width = Word(data, at + 5);
        frame.Height = Word(data, at + 7);
        const int flags = quint8(data[at + 9]);
        frame.Interlaced = flags & 0x40;
        at += 10;
        if (flags & 0x80) {
            frame.ColorTableOffset = at;
            frame.ColorCount = 1 << ((flags & 7) + 1);
            at += 3 * frame.ColorCount;
        } else {
            frame.ColorTableOffset = info.GlobalTableOffset;
            frame.ColorCount = info.GlobalColorCount;
        }
        if (at >= data.size()) {
            info.Truncated = true;
            break;
        }
        frame.DataOffset = at;
        const qsizetype after = SkipSubBlocks(data, at + 1);
        // A frame whose data was cut short still shows what arrived.
        info.Frames.push_back(frame);
        if (after < 0) {
            info.Truncated = true;
            break;
        }
        at = after;
    }
    return true;
}

bool DecodeGifFrame(const QByteArray& data, const TGifInfo& info, int index, QImage& image, String* error)
{
    image = QImage();
    if (index < 0 || index >= int(info.Frames.size())) {
        Fail(error, "No such frame in the GIF picture");
        return false;
    }
    const TGifFrame& frame = info.Frames[size_t(index)];
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Width > MaxPictureSide || frame.Height > MaxPictureSide
        || qint64(frame.Width) * frame.Height > MaxPicturePixels) {
        Fail(error, "The GIF frame's size is not usable");
        return false;
    }
    const int minCodeSize = quint8(data[frame.DataOffset]);
    if (minCodeSize < 1 || minCodeSize > 11) {
        Fail(error, "The GIF frame's code size is invalid");
        return false;
    }
    const size_t pixels = size_t(frame.Width) * size_t(frame.Height);
    // Pixels the data never reaches are left transparent.
    constexpr int Missing = 256;
    std::vector<quint8> indexes(pixels, 0);
    const size_t arrived = DecodeLzw(data, frame.DataOffset + 1, std::max(minCodeSize, 2), indexes);

    QRgb palette[257];
    for (int i = 0; i < 256; ++i) {
        if (i < frame.ColorCount && frame.ColorTableOffset >= 0) {
            const qsizetype at = frame.ColorTableOffset + 3 * i;
            palette[i] = at + 2 < data.size() ? qRgb(quint8(data[at]), quint8(data[at + 1]), quint8(data[at + 2]))
                                             : qRgb(0, 0, 0);
        } else {
            palette[i] = frame.ColorTableOffset < 0 ? qRgb(i, i, i) : qRgba(0, 0, 0, 0);
        }
    }
    palette[Missing] = qRgba(0, 0, 0, 0);
    if (frame.TransparentIndex >= 0) palette[frame.TransparentIndex] = qRgba(0, 0, 0, 0);

    image = QImage(frame.Width, frame.Height, QImage::Format_ARGB32);
    // Interlaced pictures store every 8th row, then the 4th, 2nd and the rest.
    std::vector<int> rowOrder;
    rowOrder.reserve(size_t(frame.Height));
    if (frame.Interlaced) {
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = start; y < frame.Height; y += step) rowOrder.push_back(y);
    } else {
        for (int y = 0; y < frame.Height; ++y) rowOrder.push_back(y);
    }
    for (int r = 0; r < frame.Height; ++r) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(rowOrder[size_t(r)]));
        for (int x = 0; x < frame.Width; ++x) {
            const size_t i = size_t(r) * size_t(frame.Width) + size_t(x);
            line[x] = palette[i < arrived ? indexes[i] : Missing];
        }
    }
    return true;
}
