#pragma once
// Reading GIF pictures by walking their block structure: the header, the
// colour tables, the extension blocks and the image blocks, each sub-block by
// its length byte. Frames are the image descriptors the walk meets, so bytes
// inside image data that happen to look like a block never count as a frame.

#include "platform/SysUtils.h"

#include <QByteArray>
#include <QImage>
#include <vector>

struct TGifFrame {
    qsizetype DescriptorOffset = 0;   // of the 0x2C that opens the image descriptor
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Delay = -1;                   // hundredths of a second; -1 without a control block
    int TransparentIndex = -1;
    bool Interlaced = false;
    qsizetype ColorTableOffset = -1;  // the frame's own table, else the global one
    int ColorCount = 0;
    qsizetype DataOffset = 0;         // of the LZW minimum code size byte
};

struct TGifInfo {
    int ScreenWidth = 0, ScreenHeight = 0;
    qsizetype GlobalTableOffset = -1;
    int GlobalColorCount = 0;
    std::vector<TGifFrame> Frames;
    // The data ended before the trailer; the frames found so far still count.
    bool Truncated = false;
};

// At least 5 bytes beginning with "GIF8".
bool IsGifData(const QByteArray& data);
// Walks the whole file. False (with a reason) only when the header or the
// logical screen descriptor is missing; a file cut short keeps the frames
// that were complete.
bool WalkGif(const QByteArray& data, TGifInfo& info, String* error = nullptr);
// Decodes frame `index` (0-based) of a walked file into a picture of the
// frame's own size, with its transparent colour as alpha. Image data that
// ends early leaves the remaining pixels transparent.
bool DecodeGifFrame(const QByteArray& data, const TGifInfo& info, int index, QImage& image, String* error = nullptr);
