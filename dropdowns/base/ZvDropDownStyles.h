#pragma once
// The colours the visual styles give an item appearance (the item selector's
// look), and the routine that applies them. The edit's own styles are its
// SetComponentStyle (ZvDropDownStyles.cpp).

#include "dropdowns/base/ZvDropDownTypes.h"

// Marks a style-table entry that leaves the colour as it is; never a colour itself.
constexpr TColor clUnchanged = 0x2FFFFFFF;

// The colours of an item appearance that the styles write, with the
// appearance's defaults (the scOffice2007 set).
struct TItemAppearanceColors {
    TColor BorderColor = 0x8DD7D3;
    TColor BorderColorTop = 0xF4FEFF;
    TColor BorderColorBottom = 0xCAF8FF;
    TColor BorderColorHot = clNone;
    TColor BorderColorSelected = clNone;
    TColor ColorHot = 0xD7FFFD;
    TColor ColorHotTo = 0x58D4FC;
    TColor ColorHotText = clBlack;
    TColor ColorMirrorHot = 0x58D4FC;
    TColor ColorMirrorHotTo = 0xB3F1FC;
    TColor ColorSelected = 0xA6FFFB;
    TColor ColorSelectedTo = 0x04B9F4;
    TColor ColorMirrorSelected = 0x15C1FB;
    TColor ColorMirrorSelectedTo = 0x68E3F9;
    TColor ColorSelectedText = clBlack;
    TColor EdgeColor = 0xC3D9DF;
    bool operator==(const TItemAppearanceColors&) const = default;
};

// Nothing without an appearance or for tsCustom; otherwise the style's item colours.
void ApplyItemAppearanceStyle(TItemAppearanceColors* Appearance, TZvStyle AStyle);
