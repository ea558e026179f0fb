#pragma once
// The grid's glowing focus frame: its window, the alpha mask it shows and the
// blur that softens the glow.

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <QImage>

#include <array>
#include <cstdint>

// The borderless window around the focused cell that carries the glow: a
// top-level pop-up of its own (never activated, no taskbar entry, clicks pass
// through it), translucent where the desktop composes windows, so the glow
// can reach past the grid's edges. Its bounds are screen coordinates.
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner);
    ~TGridFocusWindow() override;

    // The premultiplied picture shown; an empty picture shows the plain colour.
    void SetAlphaImage(const QImage& image);
    const QImage& AlphaImage() const { return FAlphaImage; }
    // Whether the window is see-through where its picture is.
    bool Translucent();

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CMVisibleChanged(TMessage& Message) override;
    void Paint() override;

private:
    QImage FAlphaImage;
};

// A 32-bit picture with premultiplied alpha.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();

    std::uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(std::uint8_t value) { FOpacity = value; }
    // Only for a 24-bit Bitmap: takes its size; alpha from the red channel
    // of Mask, colours from Bitmap multiplied by alpha / 255. Color is unused.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);
    void Assign(TPersistent* source) override;

private:
    std::uint8_t FOpacity = 255;
};

// The weights of the blur for a radius: w[-k..k], summing to 1.
struct TBlurKernel {
    int Size = 0;                    // k
    std::array<float, 21> Weights{}; // w[i] at Weights[i + 10]
    float Weight(int i) const { return Weights[std::size_t(i + 10)]; }
};
TBlurKernel BuildBlurKernel(double radius);
// Gaussian blur of a 24-bit bitmap; other bitmaps raise "Blur only works for 24-bit bitmaps".
void BlurBitmap24(TBitmap* bitmap, double radius);
// A black 24-bit picture with a white rounded rectangle (an outline of
// penWidth, or filled when penWidth is 0), blurred when radius > 0.
void MakeShadowBitmap(TBitmap* bitmap, int width, int height, int penWidth, int corner, double radius);
