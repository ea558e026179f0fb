// Pictures of mini-HTML text: GIF frames found by walking the blocks, frame
// selection and stepping, the cache and the container, and files that must
// not be read.

#include "grid/support/ZvGifWalk.h"
#include "grid/support/ZvPictureContainer.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>

#include <sys/stat.h>

namespace {

// A GIF written by hand: four colours, each frame one colour, each pixel
// coded as clear code plus root code so no dictionary is needed.
struct TGifFrameSpec {
    int left, top, width, height, colour, delay;
};

void PutWord(QByteArray& out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

QByteArray FrameData(int pixels, int colour)
{
    QByteArray bits;
    quint32 buffer = 0;
    int count = 0;
    auto put = [&](int code) {
        buffer |= quint32(code) << count;
        count += 3;
        while (count >= 8) {
            bits.append(char(buffer & 0xFF));
            buffer >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < pixels; ++i) {
        put(4);   // clear
        put(colour);
    }
    put(5);   // end
    if (count > 0) bits.append(char(buffer & 0xFF));
    QByteArray out;
    out.append(char(2));   // minimum code size
    for (qsizetype at = 0; at < bits.size(); at += 255) {
        const QByteArray block = bits.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    return out;
}

QByteArray MakeGif(int width, int height, const std::vector<TGifFrameSpec>& frames, bool decoyComment = true)
{
    QByteArray out("GIF89a");
    PutWord(out, width);
    PutWord(out, height);
    out.append(char(0x81));   // global table of 4 colours
    out.append(char(0));
    out.append(char(0));
    out.append(QByteArray::fromHex("000000ff000000ff000000ff"));   // black, red, green, blue
    if (decoyComment) {
        // A comment whose bytes look like a control block and an image descriptor.
        const QByteArray decoy = QByteArray::fromHex("21f904000a00002c0000000001000100");
        out.append(QByteArray::fromHex("21fe"));
        out.append(char(decoy.size()));
        out.append(decoy);
        out.append(char(0));
    }
    for (const TGifFrameSpec& f : frames) {
        out.append(QByteArray::fromHex("21f904"));
        out.append(char(0));
        PutWord(out, f.delay);
        out.append(char(0));
        out.append(char(0));
        out.append(char(0x2C));
        PutWord(out, f.left);
        PutWord(out, f.top);
        PutWord(out, f.width);
        PutWord(out, f.height);
        out.append(char(0));
        out.append(FrameData(f.width * f.height, f.colour));
    }
    out.append(char(0x3B));
    return out;
}

const std::vector<TGifFrameSpec> ThreeFrames = {{0, 0, 6, 4, 1, 10}, {2, 1, 3, 2, 2, 20}, {1, 3, 4, 1, 3, 30}};

TEST(GifWalk, FramesComeFromTheBlockStructure)
{
    const QByteArray gif = MakeGif(6, 4, ThreeFrames);
    TGifInfo info;
    ASSERT_TRUE(WalkGif(gif, info));
    EXPECT_FALSE(info.Truncated);
    EXPECT_EQ(info.ScreenWidth, 6);
    EXPECT_EQ(info.ScreenHeight, 4);
    ASSERT_EQ(info.Frames.size(), 3u);   // the decoy inside the comment is not a frame
    EXPECT_EQ(info.Frames[1].Left, 2);
    EXPECT_EQ(info.Frames[1].Top, 1);
    EXPECT_EQ(info.Frames[2].Delay, 30);

    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        QImage image;
        ASSERT_TRUE(DecodeGifFrame(gif, info, i, image));
        EXPECT_EQ(image.width(), ThreeFrames[size_t(i)].width);
        EXPECT_EQ(image.height(), ThreeFrames[size_t(i)].height);
        EXPECT_EQ(image.pixel(0, 0), colours[i]);
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), colours[i]);
    }
}

TEST(GifWalk, BrokenFilesKeepWhatArrivedAndNeverOverrun)
{
    const QByteArray gif = MakeGif(6, 4, ThreeFrames);
    EXPECT_FALSE(IsGifData("GIF8"));
    EXPECT_TRUE(IsGifData("GIF89"));
    TGifInfo info;
    EXPECT_FALSE(WalkGif("GIF89a", info));
    // Every cut of the file walks and decodes without reading past its end.
    for (qsizetype cut = 0; cut <= gif.size(); ++cut) {
        const QByteArray part = gif.left(cut);
        if (!WalkGif(part, info)) continue;
        for (int i = 0; i < int(info.Frames.size()); ++i) {
            QImage image;
            DecodeGifFrame(part, info, i, image);
        }
    }
    // Random bytes in place of the image data.
    QRandomGenerator random(77);
    for (int round = 0; round < 300; ++round) {
        QByteArray bad = gif;
        for (int e = 0; e < 4; ++e) bad[random.bounded(13, int(bad.size()))] = char(random.bounded(256));
        if (!WalkGif(bad, info)) continue;
        for (int i = 0; i < int(info.Frames.size()); ++i) {
            QImage image;
            DecodeGifFrame(bad, info, i, image);
        }
    }
    // A frame that claims a huge size is refused before anything is allocated.
    QByteArray huge = MakeGif(6, 4, {{0, 0, 6, 4, 1, 0}}, false);
    const qsizetype descriptor = huge.indexOf(char(0x2C), 20);
    huge[descriptor + 5] = char(0xFF);
    huge[descriptor + 6] = char(0xFF);
    huge[descriptor + 7] = char(0xFF);
    huge[descriptor + 8] = char(0xFF);
    ASSERT_TRUE(WalkGif(huge, info));
    QImage image;
    String error;
    EXPECT_FALSE(DecodeGifFrame(huge, info, 0, image, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(HTMLPicture, FrameSelectionStepsAndWraps)
{
    THTMLPicture picture;
    int frameChanges = 0;
    picture.OnFrameChange = [&](TObject*) { ++frameChanges; };
    picture.LoadFromStream(MakeGif(6, 4, ThreeFrames));
    EXPECT_FALSE(picture.Empty());
    EXPECT_TRUE(picture.IsGIF());
    EXPECT_EQ(picture.CountFrames(), 3);
    EXPECT_EQ(picture.GetMaxWidth(), 6);
    EXPECT_EQ(picture.GetMaxHeight(), 4);
    EXPECT_EQ(picture.GetFrameTime(2), 20);
    EXPECT_EQ(picture.GetFrameTime(4), -1);

    picture.SetFrame(2);
    EXPECT_EQ(picture.FrameXPos(), 2);
    EXPECT_EQ(picture.FrameYPos(), 1);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(frameChanges, 1);

    picture.SetFrame(3);
    picture.FrameNext();
    EXPECT_EQ(picture.Frame(), 1);
    picture.FramePrev();
    EXPECT_EQ(picture.Frame(), 3);

    // Ticks are tenths of a second against delays in hundredths.
    THTMLPicture animated;
    animated.LoadFromStream(MakeGif(6, 4, ThreeFrames));
    std::vector<int> frames;
    for (int tick = 0; tick < 8; ++tick) {
        animated.Step();
        frames.push_back(animated.Frame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3, 3, 1}));
}

TEST(HTMLPicture, LoadsOtherPicturesAndRejectsBadOnes)
{
    QImage image(5, 7, QImage::Format_ARGB32);
    image.fill(qRgb(10, 20, 30));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    THTMLPicture picture;
    picture.LoadFromStream(png);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 7);
    EXPECT_EQ(picture.CountFrames(), -1);
    EXPECT_EQ(picture.GetMaxWidth(), 5);

    THTMLPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.Height(), 7);
    EXPECT_EQ(copy.SaveToStream(), png);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);

    THTMLPicture bad;
    EXPECT_THROW(bad.LoadFromStream("not a picture at all"), Exception);
    EXPECT_THROW(bad.LoadFromStream("GIF89a\x01\x00\x01\x00\x00\x00\x00\x3B"), Exception);
    bad.LoadFromStream(QByteArray());   // a nil stream changes nothing
}

TEST(HTMLPicture, FilesLoadOnlyWhenRegularAndSmall)
{
    TempFolder folder;
    QImage image(3, 3, QImage::Format_ARGB32);
    image.fill(qRgb(1, 2, 3));
    image.save(folder.File(QStringLiteral("good.png")), "PNG");
    const String fifo = folder.File(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    {
        QFile big(folder.File(QStringLiteral("big.png")));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(MaxHTMLPictureFileBytes + 1));
    }
    struct Case {
        String url;
        bool loaded;
    } cases[] = {
        {QStringLiteral("file://") + folder.File(QStringLiteral("good.png")), true},
        {QStringLiteral("FILE://") + folder.File(QStringLiteral("good.png")), true},
        {QStringLiteral("file://") + fifo, false},
        {QStringLiteral("file://") + folder.Path(), false},
        {QStringLiteral("file:///dev/zero"), false},
        {QStringLiteral("file://") + folder.File(QStringLiteral("big.png")), false},
        {QStringLiteral("file://") + folder.File(QStringLiteral("missing.png")), false},
        {QStringLiteral("file://"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        THTMLPicture picture;
        picture.LoadFromURL(c.url);
        EXPECT_EQ(!picture.Empty(), c.loaded);
        EXPECT_EQ(picture.ID(), c.url);
    }
    // Web locations never load: asynchronous ones remember the request, synchronous ones the ID.
    THTMLPicture web;
    web.LoadFromURL(QStringLiteral("http://127.0.0.1/p.png"));
    EXPECT_TRUE(web.Empty());
    EXPECT_TRUE(web.ThreadBusy());
    THTMLPicture sync;
    sync.SetAsynch(false);
    sync.LoadFromURL(QStringLiteral("http://127.0.0.1/p.png"));
    EXPECT_EQ(sync.ID(), QStringLiteral("http://127.0.0.1/p.png"));
    EXPECT_FALSE(sync.ThreadBusy());
}

TEST(PictureContainer, NamesMatchIgnoringCaseWhileTheCacheIsExact)
{
    TPictureContainer container(nullptr);
    container.Items()->Add()->SetName(QStringLiteral("LOGO"));
    TPictureItem* second = container.Items()->Insert(0);
    second->SetName(QStringLiteral("first"));
    EXPECT_EQ(container.FindPicture(QStringLiteral("Logo")), container.Items()->Items(1)->Picture());
    EXPECT_EQ(container.FindPicture(QStringLiteral("FIRST")), second->Picture());
    EXPECT_EQ(container.FindPicture(QStringLiteral("none")), nullptr);
    EXPECT_EQ(container.Items()->Owner(), &container);

    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->SetID(QStringLiteral("res://Logo"));
    EXPECT_EQ(cache.FindPicture(QStringLiteral("res://Logo")), a);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("RES://LOGO")), nullptr);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

}  // namespace
