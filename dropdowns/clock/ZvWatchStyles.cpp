// The clock's twelve ready-made looks (Style) and its recolouring for the visual styles.
#include "dropdowns/clock/ZvWatch.h"

#include <cmath>
#include <optional>

namespace {
int Nearest(double x) { return int(std::nearbyint(x)); }

// A font change applied through the appearance's setter: only what is named changes.
struct TFontChange {
    std::optional<TColor> Color = std::nullopt;
    std::optional<int> Size = std::nullopt;
    std::optional<const char*> Name = std::nullopt;
    std::optional<bool> Bold = std::nullopt;
};

void Change(TFont& f, const TFont* from, const TFontChange& c)
{
    f.Assign(const_cast<TFont*>(from));
    if (c.Color) f.SetColor(*c.Color);
    if (c.Size) f.SetSize(*c.Size);
    if (c.Name) f.SetName(QString::fromLatin1(*c.Name));
    if (c.Bold) f.SetStyle(*c.Bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{});
}

void AMPMFont(TWatchAppearance& a, const TFontChange& c)
{
    TFont f;
    Change(f, a.AMPMFont(), c);
    a.SetAMPMFont(&f);
}

void HourFont(TWatchAppearance& a, const TFontChange& c)
{
    TFont f;
    Change(f, a.HourFont(), c);
    a.SetHourFont(&f);
}

constexpr const char* SansSerif = "MS Sans Serif";
} // namespace

void TZvWatch::SetStyle(TWatchStyle value)
{
    if (value == FStyle) return;
    FStyle = value;
    TWatchAppearance& a = *FAppearance;
    a.SetDefaults();
    const int m = std::min(Width(), Height());
    switch (value) {
    case TWatchStyle::wsClassic:
        AMPMFont(a, {.Name = SansSerif, .Bold = false});
        HourFont(a, {.Size = 10, .Name = "Comic Sans MS", .Bold = true});
        a.SetHourMarkLength(8);
        a.SetHourPointer(0);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        FAnimation = true;
        FAnimationFactor = 10;
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case TWatchStyle::wsTower:
        AMPMFont(a, {.Name = SansSerif, .Bold = false});
        a.SetAMPMFrame(TAMPMFrame::apRect);
        a.SetBorderWidth(1);
        a.SetBackgroundColor(0xB1F0FE);
        a.SetBackgroundColorTo(0x54C9E7);
        a.SetBackgroundGradient(TWatchGradient::wgDiagonalForward);
        a.SetCenterPointColor(0x002BD5);
        a.SetCenterPointSize(6);
        HourFont(a, {.Color = clWindowText, .Name = "Century", .Bold = true});
        a.SetHourPointer(0);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetSecondPointer(0x002BD5);
        a.SetShape(TWatchShape::wsRect);
        a.SetPointerStyle(TPointerStyle::psPointer);
        a.SetBackgroundColorTo(0x5BCCE8);
        a.SetAMPMColor(a.BackgroundColor());
        SetShowNumbers(false);
        a.SetTickMarks(TTickMarks::tmHours);
        break;
    case TWatchStyle::wsFluorescent:
        AMPMFont(a, {.Color = clWindowText, .Size = 10, .Name = SansSerif, .Bold = false});
        a.SetAMPMFrame(TAMPMFrame::apRoundRect);
        a.SetBorderColor(0xFF3E3E);
        a.SetBackgroundColor(0);
        a.SetBackgroundColorTo(0);
        a.SetCenterPointColor(0xFF3E3E);
        a.SetCenterPointBorderColor(0);
        a.SetCenterPointOuterBorderColor(0);
        a.SetCenterPointSize(20);
        HourFont(a, {.Color = clWindowText, .Size = 8, .Name = SansSerif, .Bold = false});
        a.SetHourColor(0xFF3E3E);
        a.SetHourMarkLength(10);
        a.SetHourPointer(0xFF3E3E);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0xFF3E3E);
        a.SetMinutePointer(0xFF3E3E);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinutePointerSize(2);
        a.SetShape(TWatchShape::wsRoundRect);
        a.SetHourMarkWidth(2);
        a.SetHourMarkStyle(THourMarkStyle::hmsQuartDblLine);
        a.SetTickMarks(TTickMarks::tmHours);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case TWatchStyle::wsEmerald:
        AMPMFont(a, {.Color = 0xA00000, .Name = SansSerif, .Bold = false});
        a.SetAMPMFrame(TAMPMFrame::apRoundRect);
        a.SetBorderColor(0x3AE800);
        a.SetBackgroundColor(0x3AE800);
        a.SetBackgroundColorTo(0);
        a.SetBackgroundGradient(TWatchGradient::wgDiagonalForward);
        a.SetCenterPointBorderColor(0x40FF00);
        a.SetCenterPointColor(0x38E100);
        a.SetCenterPointSize(16);
        HourFont(a, {.Name = SansSerif, .Bold = false});
        a.SetHourPointer(0x40FF00);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointer(0x40FF00);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetShape(TWatchShape::wsRect);
        a.SetPointerStyle(TPointerStyle::psPointer);
        a.SetAMPMColor(clNone);
        HourFont(a, {.Color = a.BackgroundColor()});
        a.SetCenterPointOuterBorderColor(0);
        a.SetHourMarkStyle(THourMarkStyle::hmsQuartDblLine);
        a.SetHourColor(a.BackgroundColor());
        a.SetSecondPointer(0x00FFFF);
        a.SetTickMarks(TTickMarks::tmHours);
        SetShowNumbers(false);
        SetShowAMPM(false);
        break;
    case TWatchStyle::wsBlueStar:
        AMPMFont(a, {.Color = 0xA00000, .Size = 10, .Name = SansSerif, .Bold = false});
        a.SetAMPMBorderColor(clNone);
        a.SetAMPMFrame(TAMPMFrame::apRoundRect);
        a.SetBorderColor(0xFFD5D5);
        a.SetBackgroundColor(0xFFD5D5);
        a.SetBackgroundColorTo(0xA00000);
        a.SetBackgroundGradient(TWatchGradient::wgRadial);
        HourFont(a, {.Color = clWindowText, .Size = 8, .Name = SansSerif, .Bold = false});
        a.SetHourPointer(0xA00000);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointer(0xA00000);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetShape(TWatchShape::wsRoundRect);
        a.SetPointerStyle(TPointerStyle::psPointer);
        a.SetAMPMColor(clNone);
        HourFont(a, {.Color = a.BackgroundColor()});
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case TWatchStyle::wsFuchsia:
        AMPMFont(a, {.Color = clWindowText, .Size = 10, .Name = SansSerif, .Bold = false});
        a.SetAMPMFrame(TAMPMFrame::apRoundRect);
        a.SetBorderColor(0xFFD0FF);
        a.SetBackgroundColor(0);
        a.SetBackgroundColorTo(0);
        a.SetCenterPointBorderColor(0xDD68DD);
        a.SetCenterPointSize(20);
        HourFont(a, {.Color = clWindowText, .Size = 8, .Name = SansSerif, .Bold = false});
        a.SetHourColor(0xFFD0FF);
        a.SetHourMarkLength(10);
        a.SetHourPointer(0xFFD0FF);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0xFFD0FF);
        a.SetMinutePointer(0xFFD0FF);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinutePointerSize(2);
        a.SetShape(TWatchShape::wsRect);
        a.SetCenterPointOuterBorderColor(0);
        a.SetHourMarkWidth(2);
        a.SetHourMarkStyle(THourMarkStyle::hmsQuartDblLine);
        a.SetSecondPointer(0xDD68DD);
        a.SetTickMarks(TTickMarks::tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case TWatchStyle::wsBlack:
        AMPMFont(a, {.Name = SansSerif, .Bold = false});
        a.SetBackgroundColor(0x202020);
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(0);
        a.SetCenterPointBorderColor(0xFFFFFF);
        a.SetCenterPointOuterBorderColor(0xFFFFFF);
        a.SetCenterPointColor(0xFFFFFF);
        a.SetHourColor(0x585858);
        HourFont(a, {.Color = 0xFFFFFF, .Size = 11, .Name = "Century Gothic"});
        a.SetHourPointer(0xFFFFFF);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinuteColor(0x585858);
        a.SetMinutePointer(0xFFFFFF);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case TWatchStyle::wsBlackWhite:
        a.SetBackgroundColor(0xFFFFFF);
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(0);
        a.SetBorderWidth(8);
        a.SetCenterPointBorderColor(0);
        a.SetCenterPointOuterBorderColor(0);
        a.SetCenterPointColor(0);
        a.SetCenterPointSize(8);
        a.SetHourColor(0x585858);
        HourFont(a, {.Color = 0, .Size = 14, .Name = "Century Gothic", .Bold = true});
        a.SetHourPointer(0);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetHourPointerSize(5);
        a.SetMinutePointer(0);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        a.SetSecondPointer(0x000080);
        a.SetPointerStyle(TPointerStyle::psPointer);
        a.SetTickMarks(TTickMarks::tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case TWatchStyle::wsGray:
        AMPMFont(a, {.Size = 10, .Name = SansSerif});
        a.SetBackgroundColor(0xD1D1D1);
        a.SetBackgroundColorTo(0x6C6C6C);
        a.SetBackgroundGradient(TWatchGradient::wgRadial);
        a.SetBorderColor(0x454545);
        a.SetCenterPointBorderColor(0x454545);
        a.SetCenterPointColor(0);
        a.SetCenterPointOuterBorderColor(clNone);
        a.SetHourColor(0);
        HourFont(a, {.Size = 8, .Name = "Comic Sans MS", .Bold = false});
        a.SetHourPointer(0x4E4E4E);
        a.SetHourPointerShadow(clNone);
        a.SetHourPointerSize(1);
        a.SetMinuteColor(0x808080);
        a.SetMinutePointer(0x4E4E4E);
        a.SetMinutePointerShadow(clNone);
        a.SetMinutePointerSize(1);
        a.SetSecondPointer(0x0000FF);
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case TWatchStyle::wsSuperNova:
        a.SetBackgroundColorTo(0xD1D3D3);
        a.SetBorderColor(clNone);
        a.SetCenterPointOuterBorderColor(0);
        a.SetCenterPointSize(10);
        a.SetHourMarkLength(Nearest(m / 4.5) & 0xFF);
        a.SetHourPointer(0);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinuteColor(0x808080);
        a.SetMinuteMarkLength((m / 3) & 0xFF);
        a.SetMinutePointer(0);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case TWatchStyle::wsSports:
        a.SetBackgroundColor(0);
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(0);
        a.SetBorderWidth(1);
        a.SetCenterPointBorderColor(0xFF0000);
        a.SetCenterPointOuterBorderColor(0);
        a.SetCenterPointColor(0x191919);
        a.SetCenterPointSize(Nearest(m / 3.6) & 0xFF);
        a.SetHourColor(0xABB0B1);
        HourFont(a, {.Color = 0x797979, .Size = 9, .Name = "Times New Roman"});
        a.SetHourPointer(0x0000FF);
        a.SetHourPointerShadow(clNone);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0x808080);
        a.SetMinutePointer(0x00FFFF);
        a.SetMinutePointerSize(2);
        a.SetMinutePointerShadow(clNone);
        a.SetMinuteMarkLength(1);
        a.SetSecondPointer(0x188BFE);
        a.SetTickMarks(TTickMarks::tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case TWatchStyle::wsSmooth:
        a.SetBackgroundColor(0xFFFFFF);
        a.SetBackgroundColorTo(0xABB0B1);
        a.SetBorderColor(0x585858);
        a.SetBorderWidth(1);
        a.SetCenterPointBorderColor(0);
        a.SetCenterPointOuterBorderColor(0x4A4A4A);
        a.SetCenterPointColor(0xFFFFFF);
        a.SetCenterPointSize(6);
        a.SetHourColor(0xABB0B1);
        HourFont(a, {.Color = 0x797979, .Size = 9, .Name = "Times New Roman"});
        a.SetHourPointer(0x4A4A4A);
        a.SetHourPointerShadow(0xB2B2B2);
        a.SetHourPointerSize(2);
        a.SetMinuteColor(0x808080);
        a.SetMinutePointer(0x4A4A4A);
        a.SetMinutePointerSize(2);
        a.SetMinutePointerShadow(0xB2B2B2);
        a.SetMinuteMarkLength(1);
        a.SetSecondPointer(0x4A4A4A);
        a.SetTickMarks(TTickMarks::tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    }
}

void TZvWatch::SetComponentStyle(TZvStyle AStyle) { ApplyWatchComponentStyle(*FAppearance, AStyle); }

namespace {
struct TWatchTones {
    TZvStyle Style;
    TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterBorder, Center, Marks, Shadows, Second;
};
constexpr TWatchTones WatchTones[] = {
    {TZvStyle::tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
    {TZvStyle::tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
    {TZvStyle::tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
    {TZvStyle::tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {TZvStyle::tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
    {TZvStyle::tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
    {TZvStyle::tsWindowsXP, 0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
    {TZvStyle::tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
    {TZvStyle::tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
    {TZvStyle::tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
    {TZvStyle::tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
    {TZvStyle::tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {TZvStyle::tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
    {TZvStyle::tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
    {TZvStyle::tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
};
} // namespace

void ApplyWatchComponentStyle(TWatchAppearance& a, TZvStyle AStyle)
{
    a.SetCenterPointOuterBorderColor(0);
    HourFont(a, {.Color = 0});
    AMPMFont(a, {.Color = 0});
    for (const TWatchTones& t : WatchTones) {
        if (t.Style != AStyle) continue;
        const bool obsidian = AStyle == TZvStyle::tsOffice2007Obsidian;
        a.StoreAMPMColorsQuietly(t.AMPMBorder, t.AMPM);
        if (obsidian) AMPMFont(a, {.Color = 0xF2F1F0});
        a.SetBackgroundColor(t.Background);
        a.SetBackgroundColorTo(t.BackgroundTo);
        a.SetBorderColor(t.Border);
        a.SetCenterPointBorderColor(t.CenterBorder);
        a.SetCenterPointColor(t.Center);
        a.SetHourColor(t.Marks);
        a.SetMinuteColor(t.Marks);
        a.SetHourPointer(t.Marks);
        a.SetMinutePointer(t.Marks);
        a.SetHourPointerShadow(t.Shadows);
        a.SetMinutePointerShadow(t.Shadows);
        a.SetSecondPointer(t.Second);
        if (obsidian) HourFont(a, {.Color = 0xF2F1F0});
        return;
    }
}
