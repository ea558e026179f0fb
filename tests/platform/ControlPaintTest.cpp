// How a custom control paints: into its picture where it is invalid, through
// a memory bitmap when double-buffered, and with its canvas usable outside a
// paint, as the platform's controls draw at once.
#include "platform/Controls.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Fills its client area red, with a black frame, and notes every paint.
class TPaintProbe : public TCustomControl {
public:
    explicit TPaintProbe(TComponent* owner) : TCustomControl(owner)
    {
        SetBounds(0, 0, 40, 30);
        SetColor(clWhite);
    }
    int Paints = 0;
    TRect LastClip;
    bool ReadBack = false;   // the canvas could read its own pixels during Paint
    const QPaintDevice* PaintedInto = nullptr;
    bool Throw = false;

    // Controls call their Paint directly to repaint at once.
    void PaintNow() { Paint(); }

protected:
    void Paint() override
    {
        ++Paints;
        LastClip = Canvas()->ClipRect();
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(TRect{0, 0, Width(), Height()});
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FrameRect(TRect{0, 0, Width(), Height()});
        ReadBack = Canvas()->Pixels(5, 5) == clRed;
        PaintedInto = Canvas()->Painter()->device();
        if (Throw) throw std::runtime_error("paint failed");
    }
};

// What the window shows now, without asking the control to paint afresh.
QImage Shown(TWinControl& control) { return control.Handle()->grab().toImage(); }

TColor At(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

} // namespace

TEST(ControlPaint, DoubleBufferedPaintsTheSamePictureThroughAReadableCanvas)
{
    QImage pictures[2];
    for (bool buffered : {false, true}) {
        TPaintProbe probe(nullptr);
        probe.SetDoubleBuffered(buffered);
        pictures[buffered] = probe.PaintToImage();
        EXPECT_EQ(probe.Paints, 1) << buffered;
        EXPECT_TRUE(probe.ReadBack) << "Paint draws into memory it can read back, buffered " << buffered;
        EXPECT_EQ(probe.LastClip, (TRect{0, 0, 40, 30})) << buffered;
        // Outside a paint the canvas draws into what the window shows; a
        // buffered paint drew into a bitmap of its own, copied over afterwards.
        const QPaintDevice* shown = probe.Canvas()->Painter()->device();
        EXPECT_EQ(probe.PaintedInto != shown, buffered);
        EXPECT_EQ(At(pictures[buffered], 10, 10), clRed);
        EXPECT_EQ(At(pictures[buffered], 0, 0), clBlack);
    }
    EXPECT_EQ(pictures[0], pictures[1]);
}

TEST(ControlPaint, OnlyTheInvalidPartIsPaintedAgain)
{
    TPaintProbe probe(nullptr);
    probe.PaintToImage();
    Shown(probe);
    EXPECT_EQ(probe.Paints, 1) << "a valid picture is shown as it is";
    probe.InvalidateRect(TRect{5, 6, 15, 12});
    Shown(probe);
    EXPECT_EQ(probe.Paints, 2);
    EXPECT_EQ(probe.LastClip, (TRect{5, 6, 15, 12}));
    // A paint message outside a paint event paints what is invalid, and nothing when nothing is.
    probe.Invalidate();
    probe.Perform(WM_PAINT, 0, 0);
    EXPECT_EQ(probe.Paints, 3);
    probe.Perform(WM_PAINT, 0, 0);
    EXPECT_EQ(probe.Paints, 3);
    EXPECT_EQ(At(Shown(probe), 10, 10), clRed);
}

TEST(ControlPaint, DrawingOutsidePaintShowsAndStaysUntilInvalidated)
{
    for (bool buffered : {false, true}) {
        TPaintProbe probe(nullptr);
        probe.SetDoubleBuffered(buffered);
        probe.PaintToImage();
        probe.Canvas()->Brush()->SetColor(clBlue);
        probe.Canvas()->FillRect(TRect{10, 10, 20, 20});
        EXPECT_EQ(probe.Canvas()->Pixels(12, 12), clBlue);
        QImage image = Shown(probe);
        EXPECT_EQ(At(image, 12, 12), clBlue) << buffered;
        EXPECT_EQ(At(image, 5, 5), clRed) << buffered;
        EXPECT_EQ(probe.Paints, 1) << buffered;

        // The platform's XOR lines come and go without a paint.
        const QImage before = Shown(probe);
        auto line = [&] {
            probe.Canvas()->Pen()->SetMode(TPenMode::pmXor);
            probe.Canvas()->Pen()->SetColor(clWhite);
            probe.Canvas()->MoveTo(25, 0);
            probe.Canvas()->LineTo(25, 30);
        };
        line();
        EXPECT_NE(Shown(probe), before) << buffered;
        line();
        EXPECT_EQ(Shown(probe), before) << buffered;
        EXPECT_EQ(probe.Paints, 1) << buffered;

        probe.Invalidate();
        image = Shown(probe);
        EXPECT_EQ(probe.Paints, 2) << buffered;
        EXPECT_EQ(At(image, 12, 12), clRed) << buffered;
    }
}

TEST(ControlPaint, PaintCalledDirectlyDrawsAtOnceAndAResizeRepaints)
{
    TPaintProbe probe(nullptr);
    probe.PaintNow();
    EXPECT_EQ(At(Shown(probe), 10, 10), clRed);
    probe.SetBounds(0, 0, 60, 45);
    const QImage image = Shown(probe);
    ASSERT_EQ(image.size(), QSize(60, 45));
    EXPECT_EQ(At(image, 59, 44), clBlack) << "the frame moved with the new size";
    EXPECT_EQ(At(image, 39, 29), clRed);
}

TEST(ControlPaint, AFailedPaintLeavesTheControlPaintable)
{
    TTestSeams seams;
    TPaintProbe probe(nullptr);
    probe.Throw = true;
    probe.PaintToImage();
    // The error is shown as the platform's error box and goes no further.
    ASSERT_EQ(seams.Boxes.size(), 1u);
    EXPECT_TRUE(seams.Boxes[0].Text.contains(QStringLiteral("paint failed")));
    probe.Throw = false;
    probe.Invalidate();
    EXPECT_EQ(At(probe.PaintToImage(), 10, 10), clRed);
    // The canvas is free again for drawing outside a paint.
    probe.Canvas()->SetPixel(3, 3, clBlue);
    EXPECT_EQ(probe.Canvas()->Pixels(3, 3), clBlue);
}
