#pragma once
// The named web colours: the CSS and X11 colour names with their standard
// values, each as a clWeb... constant (0x00BBGGRR) and as one entry of
// WebNamedColors in the same alphabetical order. Where the standard gives two
// spellings of one colour (gray and grey, aqua and cyan, fuchsia and
// magenta), the table holds one: gray, aqua, fuchsia.

#include "platform/Graphics.h"

#include <array>

constexpr TColor clWebAliceBlue = 0xFFF8F0;
constexpr TColor clWebAntiqueWhite = 0xD7EBFA;
constexpr TColor clWebAqua = 0xFFFF00;
constexpr TColor clWebAquamarine = 0xD4FF7F;
constexpr TColor clWebAzure = 0xFFFFF0;
constexpr TColor clWebBeige = 0xDCF5F5;
constexpr TColor clWebBisque = 0xC4E4FF;
constexpr TColor clWebBlack = 0x000000;
constexpr TColor clWebBlanchedAlmond = 0xCDEBFF;
constexpr TColor clWebBlue = 0xFF0000;
constexpr TColor clWebBlueViolet = 0xE22B8A;
constexpr TColor clWebBrown = 0x2A2AA5;
constexpr TColor clWebBurlyWood = 0x87B8DE;
constexpr TColor clWebCadetBlue = 0xA09E5F;
constexpr TColor clWebChartreuse = 0x00FF7F;
constexpr TColor clWebChocolate = 0x1E69D2;
constexpr TColor clWebCoral = 0x507FFF;
constexpr TColor clWebCornflowerBlue = 0xED9564;
constexpr TColor clWebCornsilk = 0xDCF8FF;
constexpr TColor clWebCrimson = 0x3C14DC;
constexpr TColor clWebDarkBlue = 0x8B0000;
constexpr TColor clWebDarkCyan = 0x8B8B00;
constexpr TColor clWebDarkGoldenRod = 0x0B86B8;
constexpr TColor clWebDarkGray = 0xA9A9A9;
constexpr TColor clWebDarkGreen = 0x006400;
constexpr TColor clWebDarkKhaki = 0x6BB7BD;
constexpr TColor clWebDarkMagenta = 0x8B008B;
constexpr TColor clWebDarkOliveGreen = 0x2F6B55;
constexpr TColor clWebDarkOrange = 0x008CFF;
constexpr TColor clWebDarkOrchid = 0xCC3299;
constexpr TColor clWebDarkRed = 0x00008B;
constexpr TColor clWebDarkSalmon = 0x7A96E9;
constexpr TColor clWebDarkSeaGreen = 0x8FBC8F;
constexpr TColor clWebDarkSlateBlue = 0x8B3D48;
constexpr TColor clWebDarkSlateGray = 0x4F4F2F;
constexpr TColor clWebDarkTurquoise = 0xD1CE00;
constexpr TColor clWebDarkViolet = 0xD30094;
constexpr TColor clWebDeepPink = 0x9314FF;
constexpr TColor clWebDeepSkyBlue = 0xFFBF00;
constexpr TColor clWebDimGray = 0x696969;
constexpr TColor clWebDodgerBlue = 0xFF901E;
constexpr TColor clWebFireBrick = 0x2222B2;
constexpr TColor clWebFloralWhite = 0xF0FAFF;
constexpr TColor clWebForestGreen = 0x228B22;
constexpr TColor clWebFuchsia = 0xFF00FF;
constexpr TColor clWebGainsboro = 0xDCDCDC;
constexpr TColor clWebGhostWhite = 0xFFF8F8;
constexpr TColor clWebGold = 0x00D7FF;
constexpr TColor clWebGoldenRod = 0x20A5DA;
constexpr TColor clWebGray = 0x808080;
constexpr TColor clWebGreen = 0x008000;
constexpr TColor clWebGreenYellow = 0x2FFFAD;
constexpr TColor clWebHoneyDew = 0xF0FFF0;
constexpr TColor clWebHotPink = 0xB469FF;
constexpr TColor clWebIndianRed = 0x5C5CCD;
constexpr TColor clWebIndigo = 0x82004B;
constexpr TColor clWebIvory = 0xF0FFFF;
constexpr TColor clWebKhaki = 0x8CE6F0;
constexpr TColor clWebLavender = 0xFAE6E6;
constexpr TColor clWebLavenderBlush = 0xF5F0FF;
constexpr TColor clWebLawnGreen = 0x00FC7C;
constexpr TColor clWebLemonChiffon = 0xCDFAFF;
constexpr TColor clWebLightBlue = 0xE6D8AD;
constexpr TColor clWebLightCoral = 0x8080F0;
constexpr TColor clWebLightCyan = 0xFFFFE0;
constexpr TColor clWebLightGoldenRodYellow = 0xD2FAFA;
constexpr TColor clWebLightGray = 0xD3D3D3;
constexpr TColor clWebLightGreen = 0x90EE90;
constexpr TColor clWebLightPink = 0xC1B6FF;
constexpr TColor clWebLightSalmon = 0x7AA0FF;
constexpr TColor clWebLightSeaGreen = 0xAAB220;
constexpr TColor clWebLightSkyBlue = 0xFACE87;
constexpr TColor clWebLightSlateGray = 0x998877;
constexpr TColor clWebLightSteelBlue = 0xDEC4B0;
constexpr TColor clWebLightYellow = 0xE0FFFF;
constexpr TColor clWebLime = 0x00FF00;
constexpr TColor clWebLimeGreen = 0x32CD32;
constexpr TColor clWebLinen = 0xE6F0FA;
constexpr TColor clWebMaroon = 0x000080;
constexpr TColor clWebMediumAquamarine = 0xAACD66;
constexpr TColor clWebMediumBlue = 0xCD0000;
constexpr TColor clWebMediumOrchid = 0xD355BA;
constexpr TColor clWebMediumPurple = 0xDB7093;
constexpr TColor clWebMediumSeaGreen = 0x71B33C;
constexpr TColor clWebMediumSlateBlue = 0xEE687B;
constexpr TColor clWebMediumSpringGreen = 0x9AFA00;
constexpr TColor clWebMediumTurquoise = 0xCCD148;
constexpr TColor clWebMediumVioletRed = 0x8515C7;
constexpr TColor clWebMidnightBlue = 0x701919;
constexpr TColor clWebMintCream = 0xFAFFF5;
constexpr TColor clWebMistyRose = 0xE1E4FF;
constexpr TColor clWebMoccasin = 0xB5E4FF;
constexpr TColor clWebNavajoWhite = 0xADDEFF;
constexpr TColor clWebNavy = 0x800000;
constexpr TColor clWebOldLace = 0xE6F5FD;
constexpr TColor clWebOlive = 0x008080;
constexpr TColor clWebOliveDrab = 0x238E6B;
constexpr TColor clWebOrange = 0x00A5FF;
constexpr TColor clWebOrangeRed = 0x0045FF;
constexpr TColor clWebOrchid = 0xD670DA;
constexpr TColor clWebPaleGoldenRod = 0xAAE8EE;
constexpr TColor clWebPaleGreen = 0x98FB98;
constexpr TColor clWebPaleTurquoise = 0xEEEEAF;
constexpr TColor clWebPaleVioletRed = 0x9370DB;
constexpr TColor clWebPapayaWhip = 0xD5EFFF;
constexpr TColor clWebPeachPuff = 0xB9DAFF;
constexpr TColor clWebPeru = 0x3F85CD;
constexpr TColor clWebPink = 0xCBC0FF;
constexpr TColor clWebPlum = 0xDDA0DD;
constexpr TColor clWebPowderBlue = 0xE6E0B0;
constexpr TColor clWebPurple = 0x800080;
constexpr TColor clWebRed = 0x0000FF;
constexpr TColor clWebRosyBrown = 0x8F8FBC;
constexpr TColor clWebRoyalBlue = 0xE16941;
constexpr TColor clWebSaddleBrown = 0x13458B;
constexpr TColor clWebSalmon = 0x7280FA;
constexpr TColor clWebSandyBrown = 0x60A4F4;
constexpr TColor clWebSeaGreen = 0x578B2E;
constexpr TColor clWebSeaShell = 0xEEF5FF;
constexpr TColor clWebSienna = 0x2D52A0;
constexpr TColor clWebSilver = 0xC0C0C0;
constexpr TColor clWebSkyBlue = 0xEBCE87;
constexpr TColor clWebSlateBlue = 0xCD5A6A;
constexpr TColor clWebSlateGray = 0x908070;
constexpr TColor clWebSnow = 0xFAFAFF;
constexpr TColor clWebSpringGreen = 0x7FFF00;
constexpr TColor clWebSteelBlue = 0xB48246;
constexpr TColor clWebTan = 0x8CB4D2;
constexpr TColor clWebTeal = 0x808000;
constexpr TColor clWebThistle = 0xD8BFD8;
constexpr TColor clWebTomato = 0x4763FF;
constexpr TColor clWebTurquoise = 0xD0E040;
constexpr TColor clWebViolet = 0xEE82EE;
constexpr TColor clWebWheat = 0xB3DEF5;
constexpr TColor clWebWhite = 0xFFFFFF;
constexpr TColor clWebWhiteSmoke = 0xF5F5F5;
constexpr TColor clWebYellow = 0x00FFFF;
constexpr TColor clWebYellowGreen = 0x32CD9A;

struct TWebNamedColor {
    const char* Name;
    TColor Value;
};

inline constexpr std::array<TWebNamedColor, 138> WebNamedColors{{
    {"clWebAliceBlue", clWebAliceBlue},
    {"clWebAntiqueWhite", clWebAntiqueWhite},
    {"clWebAqua", clWebAqua},
    {"clWebAquamarine", clWebAquamarine},
    {"clWebAzure", clWebAzure},
    {"clWebBeige", clWebBeige},
    {"clWebBisque", clWebBisque},
    {"clWebBlack", clWebBlack},
    {"clWebBlanchedAlmond", clWebBlanchedAlmond},
    {"clWebBlue", clWebBlue},
    {"clWebBlueViolet", clWebBlueViolet},
    {"clWebBrown", clWebBrown},
    {"clWebBurlyWood", clWebBurlyWood},
    {"clWebCadetBlue", clWebCadetBlue},
    {"clWebChartreuse", clWebChartreuse},
    {"clWebChocolate", clWebChocolate},
    {"clWebCoral", clWebCoral},
    {"clWebCornflowerBlue", clWebCornflowerBlue},
    {"clWebCornsilk", clWebCornsilk},
    {"clWebCrimson", clWebCrimson},
    {"clWebDarkBlue", clWebDarkBlue},
    {"clWebDarkCyan", clWebDarkCyan},
    {"clWebDarkGoldenRod", clWebDarkGoldenRod},
    {"clWebDarkGray", clWebDarkGray},
    {"clWebDarkGreen", clWebDarkGreen},
    {"clWebDarkKhaki", clWebDarkKhaki},
    {"clWebDarkMagenta", clWebDarkMagenta},
    {"clWebDarkOliveGreen", clWebDarkOliveGreen},
    {"clWebDarkOrange", clWebDarkOrange},
    {"clWebDarkOrchid", clWebDarkOrchid},
    {"clWebDarkRed", clWebDarkRed},
    {"clWebDarkSalmon", clWebDarkSalmon},
    {"clWebDarkSeaGreen", clWebDarkSeaGreen},
    {"clWebDarkSlateBlue", clWebDarkSlateBlue},
    {"clWebDarkSlateGray", clWebDarkSlateGray},
    {"clWebDarkTurquoise", clWebDarkTurquoise},
    {"clWebDarkViolet", clWebDarkViolet},
    {"clWebDeepPink", clWebDeepPink},
    {"clWebDeepSkyBlue", clWebDeepSkyBlue},
    {"clWebDimGray", clWebDimGray},
    {"clWebDodgerBlue", clWebDodgerBlue},
    {"clWebFireBrick", clWebFireBrick},
    {"clWebFloralWhite", clWebFloralWhite},
    {"clWebForestGreen", clWebForestGreen},
    {"clWebFuchsia", clWebFuchsia},
    {"clWebGainsboro", clWebGainsboro},
    {"clWebGhostWhite", clWebGhostWhite},
    {"clWebGold", clWebGold},
    {"clWebGoldenRod", clWebGoldenRod},
    {"clWebGray", clWebGray},
    {"clWebGreen", clWebGreen},
    {"clWebGreenYellow", clWebGreenYellow},
    {"clWebHoneyDew", clWebHoneyDew},
    {"clWebHotPink", clWebHotPink},
    {"clWebIndianRed", clWebIndianRed},
    {"clWebIndigo", clWebIndigo},
    {"clWebIvory", clWebIvory},
    {"clWebKhaki", clWebKhaki},
    {"clWebLavender", clWebLavender},
    {"clWebLavenderBlush", clWebLavenderBlush},
    {"clWebLawnGreen", clWebLawnGreen},
    {"clWebLemonChiffon", clWebLemonChiffon},
    {"clWebLightBlue", clWebLightBlue},
    {"clWebLightCoral", clWebLightCoral},
    {"clWebLightCyan", clWebLightCyan},
    {"clWebLightGoldenRodYellow", clWebLightGoldenRodYellow},
    {"clWebLightGray", clWebLightGray},
    {"clWebLightGreen", clWebLightGreen},
    {"clWebLightPink", clWebLightPink},
    {"clWebLightSalmon", clWebLightSalmon},
    {"clWebLightSeaGreen", clWebLightSeaGreen},
    {"clWebLightSkyBlue", clWebLightSkyBlue},
    {"clWebLightSlateGray", clWebLightSlateGray},
    {"clWebLightSteelBlue", clWebLightSteelBlue},
    {"clWebLightYellow", clWebLightYellow},
    {"clWebLime", clWebLime},
    {"clWebLimeGreen", clWebLimeGreen},
    {"clWebLinen", clWebLinen},
    {"clWebMaroon", clWebMaroon},
    {"clWebMediumAquamarine", clWebMediumAquamarine},
    {"clWebMediumBlue", clWebMediumBlue},
    {"clWebMediumOrchid", clWebMediumOrchid},
    {"clWebMediumPurple", clWebMediumPurple},
    {"clWebMediumSeaGreen", clWebMediumSeaGreen},
    {"clWebMediumSlateBlue", clWebMediumSlateBlue},
    {"clWebMediumSpringGreen", clWebMediumSpringGreen},
    {"clWebMediumTurquoise", clWebMediumTurquoise},
    {"clWebMediumVioletRed", clWebMediumVioletRed},
    {"clWebMidnightBlue", clWebMidnightBlue},
    {"clWebMintCream", clWebMintCream},
    {"clWebMistyRose", clWebMistyRose},
    {"clWebMoccasin", clWebMoccasin},
    {"clWebNavajoWhite", clWebNavajoWhite},
    {"clWebNavy", clWebNavy},
    {"clWebOldLace", clWebOldLace},
    {"clWebOlive", clWebOlive},
    {"clWebOliveDrab", clWebOliveDrab},
    {"clWebOrange", clWebOrange},
    {"clWebOrangeRed", clWebOrangeRed},
    {"clWebOrchid", clWebOrchid},
    {"clWebPaleGoldenRod", clWebPaleGoldenRod},
    {"clWebPaleGreen", clWebPaleGreen},
    {"clWebPaleTurquoise", clWebPaleTurquoise},
    {"clWebPaleVioletRed", clWebPaleVioletRed},
    {"clWebPapayaWhip", clWebPapayaWhip},
    {"clWebPeachPuff", clWebPeachPuff},
    {"clWebPeru", clWebPeru},
    {"clWebPink", clWebPink},
    {"clWebPlum", clWebPlum},
    {"clWebPowderBlue", clWebPowderBlue},
    {"clWebPurple", clWebPurple},
    {"clWebRed", clWebRed},
    {"clWebRosyBrown", clWebRosyBrown},
    {"clWebRoyalBlue", clWebRoyalBlue},
    {"clWebSaddleBrown", clWebSaddleBrown},
    {"clWebSalmon", clWebSalmon},
    {"clWebSandyBrown", clWebSandyBrown},
    {"clWebSeaGreen", clWebSeaGreen},
    {"clWebSeaShell", clWebSeaShell},
    {"clWebSienna", clWebSienna},
    {"clWebSilver", clWebSilver},
    {"clWebSkyBlue", clWebSkyBlue},
    {"clWebSlateBlue", clWebSlateBlue},
    {"clWebSlateGray", clWebSlateGray},
    {"clWebSnow", clWebSnow},
    {"clWebSpringGreen", clWebSpringGreen},
    {"clWebSteelBlue", clWebSteelBlue},
    {"clWebTan", clWebTan},
    {"clWebTeal", clWebTeal},
    {"clWebThistle", clWebThistle},
    {"clWebTomato", clWebTomato},
    {"clWebTurquoise", clWebTurquoise},
    {"clWebViolet", clWebViolet},
    {"clWebWheat", clWebWheat},
    {"clWebWhite", clWebWhite},
    {"clWebWhiteSmoke", clWebWhiteSmoke},
    {"clWebYellow", clWebYellow},
    {"clWebYellowGreen", clWebYellowGreen},
}};

// The identifier of the named web colour with exactly this value (an RGB
// colour, not a system colour), the first in the table; empty when none.
String WebColorName(TColor value);
