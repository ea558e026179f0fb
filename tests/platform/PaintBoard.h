#pragma once
// A bitmap filled with a colour no painting routine uses, so every pixel a
// routine paints shows, and what it paints outside its rectangle too.

#include "platform/Graphics.h"

#include <QImage>

constexpr TColor Untouched = clFuchsia;

struct Board {
    TBitmap bmp;
    Board(int w, int h) : bmp(w, h)
    {
        C().Brush()->SetColor(Untouched);
        C().FillRect({0, 0, w, h});
    }
    TCanvas& C() { return *bmp.Canvas(); }
    TColor At(int x, int y) { return C().Pixels(x, y); }
    // Pixels of `color` inside r.
    int Count(const TRect& r, TColor color)
    {
        const TColor rgb = ColorToRGB(color);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += At(x, y) == rgb;
        return n;
    }
    int Changed(const TRect& r) { return r.Width() * r.Height() - Count(r, Untouched); }
    // Painted pixels outside r.
    int Outside(const TRect& r)
    {
        int n = 0;
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x) n += !r.Contains({x, y}) && At(x, y) != Untouched;
        return n;
    }
    QImage Picture() { return bmp.Image().copy(); }
};
