#pragma once
// The platform's classic frame pictures: frame controls (check boxes, radio and
// push buttons, arrows, caption buttons), 3-D edges, 3-D frames and banded
// gradients. Colours come from the system colours, so pictures are the same on
// every machine.

#include "platform/Graphics.h"

// ---- Frame controls -----------------------------------------------------------
constexpr unsigned DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIOIMAGE = 0x1, DFCS_BUTTONRADIOMASK = 0x2,
    DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8, DFCS_BUTTONPUSH = 0x10,
    DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3,
    DFCS_SCROLLCOMBOBOX = 0x5, DFCS_SCROLLSIZEGRIP = 0x8,
    DFCS_CAPTIONCLOSE = 0x0, DFCS_CAPTIONMIN = 0x1, DFCS_CAPTIONMAX = 0x2, DFCS_CAPTIONRESTORE = 0x3, DFCS_CAPTIONHELP = 0x4,
    DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400, DFCS_TRANSPARENT = 0x800,
    DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

bool DrawFrameControl(TCanvas& canvas, TRect& rect, unsigned kind, unsigned state);

// ---- Edges ----------------------------------------------------------------------
constexpr unsigned BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = 0x5, EDGE_SUNKEN = 0xA, EDGE_ETCHED = 0x6, EDGE_BUMP = 0x9;
constexpr unsigned BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF,
    BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

bool DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags);

// A 3-D frame of `width` rings inside `r`: top and left edges in `topColor`,
// right and bottom edges in `bottomColor`. `r` comes back shrunk by the frame.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

// Banded gradient: `bands` equal bands from `from` to `to`, vertical = top to bottom.
void GradientFillRect(TCanvas& canvas, const TRect& rect, TColor from, TColor to, bool vertical, int bands = 0 /*0 = smooth*/);
