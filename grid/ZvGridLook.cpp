// Appearance properties, style presets and colour tones.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"

#include "grid/support/ZvDrawRoutines.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

using LG = TLookGradient;
using TOptColor = std::optional<TColor>;

// Five colours of a fixed-cell gradient; an empty one is left as it is.
struct TPresetGradient {
    TOptColor From, To, MirrorFrom, MirrorTo, Border;
};

// One style's colours. Each is set only when named; SetStyle applies them in
// the order of the fields. That order matters where the control look's
// setters copy their colours into the grid's own look gradient: they come
// after the grid's gradient, so they land on it.
struct TGridStylePreset {
    std::optional<TGridLook> Look;           // first: the look setter applies its own preset
    TOptColor From, To, MirrorFrom, MirrorTo; // the grid's look gradient
    TPresetGradient GridHover;               // the grid's hover colours, set directly
    TOptColor FixedMirrorFrom, FixedMirrorTo; // the control look's, copied into the grid's
    TPresetGradient FixedHover, FixedDown;   // the control look's, copied into the grid's
    TOptColor SortHeader, SortHeaderTo, SortHeaderMirror, SortHeaderMirrorTo;
    TOptColor ActiveCell, ActiveCellTo;
    TOptColor FixedFrom, FixedTo;            // the control look's; clNone leaves the grid's in place
    TOptColor Selection, SelectionTo, SelectionText;
    TOptColor Footer, FooterTo;
    bool FooterToIsMirrorTo = false;         // the footer ends in the look's mirror-to colour
    std::optional<TGridSelectionStyle> SelectionStyle;
    TOptColor GridLine, FixedLine;
};

constexpr TColor Black = 0;

// A preset names only the colours its style sets; the fields it leaves out stay empty on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TGridStylePreset Office2003(TColor from, TColor to)
{
    return {.Look = TGridLook::glXP, .From = from, .To = to, .MirrorFrom = clNone, .MirrorTo = clNone,
            .ActiveCell = 0x94E6FB, .ActiveCellTo = 0x1595EE, .FixedFrom = from, .FixedTo = to,
            .Selection = 0x94E6FB, .SelectionTo = 0x1595EE, .SelectionText = Black, .Footer = from,
            .FooterTo = clNone, .GridLine = 0xC0C0C0, .FixedLine = 0x808080};
}

TGridStylePreset Office2010(TColor base, TColor header, TColor fixedLine)
{
    return {.Look = TGridLook::glOffice2007, .From = base, .To = base, .MirrorFrom = base, .MirrorTo = base,
            .FixedMirrorFrom = base, .FixedMirrorTo = base,
            .FixedHover = {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8},
            .FixedDown = {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}, .SortHeader = header,
            .SortHeaderTo = header, .SortHeaderMirror = header, .SortHeaderMirrorTo = header,
            .ActiveCell = 0x5BD5FF, .ActiveCellTo = 0x71EFFF, .FixedFrom = clNone, .FixedTo = clNone,
            .Selection = 0xFFDBB7, .SelectionText = Black, .Footer = base, .FooterTo = base,
            .SelectionStyle = TGridSelectionStyle::ssDefault, .GridLine = 0xC0C0C0, .FixedLine = fixedLine};
}

// By style, in the order of TZvGridStyle.
const TGridStylePreset& StylePreset(TZvGridStyle style)
{
    static const TGridStylePreset presets[] = {
        // gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive
        Office2003(0xFCE1CB, 0xE0A57D),
        Office2003(0xECE2E1, 0xB39698),
        Office2003(0xCFF0EA, 0x8CC0B1),
        // gsOffice2003Classic
        {.Look = TGridLook::glXP, .From = clWhite, .To = 0xCCD4D8, .MirrorFrom = clNone, .MirrorTo = clNone,
         .ActiveCell = 0xD8D5D4, .ActiveCellTo = 0xD8D5D4, .FixedFrom = clNone, .FixedTo = clNone,
         .Footer = clWhite, .FooterTo = clNone, .GridLine = 0xC0C0C0, .FixedLine = 0x808080},
        // gsOffice2007Luna
        {.Look = TGridLook::glOffice2007, .From = 0xFBF9F6, .To = 0xE8DBD2, .MirrorFrom = clNone,
         .MirrorTo = clNone, .FixedHover = {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87},
         .FixedDown = {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}, .ActiveCell = 0x9DD8F9,
         .ActiveCellTo = 0x5EC1F1, .FixedFrom = 0xFBF9F6, .FixedTo = 0xE8DBD2, .Selection = 0x5EC1F1,
         .SelectionText = Black, .Footer = 0xFBF9F6, .FooterTo = clNone,
         .SelectionStyle = TGridSelectionStyle::ssOffice2007, .GridLine = 0xF1EDEB, .FixedLine = 0xD1BBA4},
        // gsOffice2007Obsidian
        {.Look = TGridLook::glOffice2007, .From = 0xF7F7F7, .To = 0xDEDEDE, .MirrorFrom = clNone,
         .MirrorTo = clNone, .ActiveCell = 0x9DD8F9, .ActiveCellTo = 0x5EC1F1, .FixedFrom = 0xF7F7F7,
         .FixedTo = 0xDEDEDE, .Selection = 0x5EC1F1, .SelectionText = Black, .Footer = 0xF7F7F7,
         .FooterTo = clNone, .GridLine = 0xE5D7D0, .FixedLine = 0x808080},
        // gsWindowsXP
        {.Look = TGridLook::glXP, .From = clBtnFace, .To = clBtnFace, .MirrorFrom = clNone, .MirrorTo = clNone,
         .ActiveCell = clBtnFace, .ActiveCellTo = clBtnFace, .FixedFrom = clNone, .FixedTo = clNone,
         .Footer = clBtnFace, .FooterTo = clNone, .GridLine = 0xC0C0C0, .FixedLine = 0x808080},
        // gsWhidbey: the look stays
        {.From = clWhite, .To = clBtnFace, .MirrorFrom = clNone, .MirrorTo = clNone, .ActiveCell = 0x94E6FB,
         .ActiveCellTo = 0x1595EE, .FixedFrom = clNone, .FixedTo = clNone, .Footer = clWhite, .FooterTo = clNone,
         .GridLine = 0xC0C0C0, .FixedLine = 0x808080},
        // gsCustom: nothing beyond the common reset
        {},
        // gsOffice2007Silver: the mirror colours stay as the look left them
        {.Look = TGridLook::glOffice2007, .From = 0xF3F3F1, .To = 0xCAC9C8, .ActiveCell = 0x99CCFF,
         .ActiveCellTo = 0x699CFF, .FixedFrom = 0xF3F3F1, .FixedTo = 0xCAC9C8, .Selection = 0x95C7F5,
         .SelectionText = Black, .Footer = 0xF3F3F1, .FooterToIsMirrorTo = true, .GridLine = 0xE5D7D0,
         .FixedLine = 0x808080},
        // gsWindowsVista
        {.Look = TGridLook::glVista, .From = clWhite, .To = clWhite, .MirrorFrom = 0xFAF8F7, .MirrorTo = 0xF4F2F1,
         .GridHover = {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993}, .FixedMirrorFrom = 0xFAF8F7,
         .FixedMirrorTo = 0xF4F2F1, .FixedHover = {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, std::nullopt},
         .FixedDown = {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}, .SortHeader = 0xFCF9F2,
         .SortHeaderTo = 0xFCF9F2, .SortHeaderMirror = 0xF9F1E1, .SortHeaderMirrorTo = 0xF6ECD8,
         .ActiveCell = 0xFDF8F1, .ActiveCellTo = 0xFCEFD5, .FixedFrom = clNone, .FixedTo = clNone,
         .Selection = 0xEACAB6, .SelectionText = Black, .Footer = clWhite, .FooterTo = 0xF4F2F1,
         .SelectionStyle = TGridSelectionStyle::ssVista, .GridLine = 0xECECF0, .FixedLine = 0xD4D2D1},
        // gsWindows7
        {.Look = TGridLook::glWin7, .From = 0xFDFCFA, .To = 0xFAF0E6, .MirrorFrom = 0xF4E6DC, .MirrorTo = 0xF7E9DD,
         .GridHover = {.Border = 0xEEE8E3}, .FixedMirrorFrom = 0xF4E6DC, .FixedMirrorTo = 0xF7E9DD,
         .FixedHover = {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, std::nullopt},
         .FixedDown = {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}, .SortHeader = 0xFCF9F2,
         .SortHeaderTo = 0xFCF9F2, .SortHeaderMirror = 0xF9F1E1, .SortHeaderMirrorTo = 0xF6ECD8,
         .ActiveCell = 0xFCEBDC, .ActiveCellTo = 0xFCDBC1, .FixedFrom = clNone, .FixedTo = clNone,
         .Selection = 0xEACAB6, .SelectionText = Black, .Footer = 0xFDFCFA, .FooterTo = 0xF7E9DD,
         .SelectionStyle = TGridSelectionStyle::ssWin7, .GridLine = 0xECECF0, .FixedLine = 0xD4D2D1},
        // gsTerminal
        {.Look = TGridLook::glStandard},
        // gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
        Office2010(0xF5E7DA, 0xD6CEC7, 0xC7B0A0),
        Office2010(0xE8E3DF, 0xAAAAAA, 0xBAB5B1),
        Office2010(0x6A6A6A, 0xBABABA, 0x444444),
    };
    static_assert(std::size(presets) == std::size_t(TZvGridStyle::gsOffice2010Black) + 1);
    return presets[std::size_t(style)];
}
#pragma GCC diagnostic pop

// Sets what is named, through the setter given.
template <typename Setter>
void SetNamed(const TOptColor& value, Setter set)
{
    if (value) set(*value);
}

// The five colours named, each through the setter made for its slot.
template <typename SetterFor>
void SetNamedGradient(const TPresetGradient& g, const LG (&which)[5], SetterFor setterFor)
{
    SetNamed(g.From, setterFor(which[0]));
    SetNamed(g.To, setterFor(which[1]));
    SetNamed(g.MirrorFrom, setterFor(which[2]));
    SetNamed(g.MirrorTo, setterFor(which[3]));
    SetNamed(g.Border, setterFor(which[4]));
}

} // namespace

void TZvStringGrid::SetLookGradient(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo)
{
    d->FVUDGradient[std::size_t(LG::lgFrom)] = From;
    d->FVUDGradient[std::size_t(LG::lgTo)] = To;
    d->FVUDGradient[std::size_t(LG::lgMirrorFrom)] = MirrorFrom;
    d->FVUDGradient[std::size_t(LG::lgMirrorTo)] = MirrorTo;
}

void TZvStringGrid::SetStyle(TZvGridStyle AStyle)
{
    d->FSelectionColor = clHighlight;
    d->FSelectionColorTo = clNone;
    d->FSelectionTextColor = clHighlightText;
    SetSelectionStyle(TGridSelectionStyle::ssDefault);
    TSortSettings& sort = *SortSettings();
    sort.SetHeaderColor(clNone);
    sort.SetHeaderColorTo(clNone);
    sort.SetHeaderMirrorColor(clNone);
    sort.SetHeaderMirrorColorTo(clNone);
    d->FControlLook->Init();

    const TGridStylePreset& p = StylePreset(AStyle);
    TControlLook& cl = *d->FControlLook;
    auto grid = [this](LG which) { return [this, which](TColor v) { d->FVUDGradient[std::size_t(which)] = v; }; };
    auto look = [&cl](LG which) { return [&cl, which](TColor v) { cl.SetGradient(which, v); }; };

    if (p.Look) SetLook(*p.Look);
    SetNamed(p.From, grid(LG::lgFrom));
    SetNamed(p.To, grid(LG::lgTo));
    SetNamed(p.MirrorFrom, grid(LG::lgMirrorFrom));
    SetNamed(p.MirrorTo, grid(LG::lgMirrorTo));
    constexpr LG hover[] = {LG::lgHoverFrom, LG::lgHoverTo, LG::lgHoverMirrorFrom, LG::lgHoverMirrorTo,
                            LG::lgHoverBorder};
    constexpr LG down[] = {LG::lgDownFrom, LG::lgDownTo, LG::lgDownMirrorFrom, LG::lgDownMirrorTo, LG::lgDownBorder};
    SetNamedGradient(p.GridHover, hover, grid);
    SetNamed(p.FixedMirrorFrom, look(LG::lgMirrorFrom));
    SetNamed(p.FixedMirrorTo, look(LG::lgMirrorTo));
    SetNamedGradient(p.FixedHover, hover, look);
    SetNamedGradient(p.FixedDown, down, look);
    SetNamed(p.SortHeader, [&sort](TColor v) { sort.SetHeaderColor(v); });
    SetNamed(p.SortHeaderTo, [&sort](TColor v) { sort.SetHeaderColorTo(v); });
    SetNamed(p.SortHeaderMirror, [&sort](TColor v) { sort.SetHeaderMirrorColor(v); });
    SetNamed(p.SortHeaderMirrorTo, [&sort](TColor v) { sort.SetHeaderMirrorColorTo(v); });
    SetNamed(p.ActiveCell, [this](TColor v) { SetActiveCellColor(v); });
    SetNamed(p.ActiveCellTo, [this](TColor v) { SetActiveCellColorTo(v); });
    SetNamed(p.FixedFrom, look(LG::lgFrom));
    SetNamed(p.FixedTo, look(LG::lgTo));
    // Stored without their setters: the invalidation below covers them.
    SetNamed(p.Selection, [this](TColor v) { d->FSelectionColor = v; });
    SetNamed(p.SelectionTo, [this](TColor v) { d->FSelectionColorTo = v; });
    SetNamed(p.SelectionText, [this](TColor v) { d->FSelectionTextColor = v; });
    SetNamed(p.Footer, [this](TColor v) { SearchFooter()->SetColor(v); });
    const TOptColor footerTo =
        p.FooterToIsMirrorTo ? TOptColor(d->FVUDGradient[std::size_t(LG::lgMirrorTo)]) : p.FooterTo;
    SetNamed(footerTo, [this](TColor v) { SearchFooter()->SetColorTo(v); });
    if (p.SelectionStyle) SetSelectionStyle(*p.SelectionStyle);
    SetNamed(p.GridLine, [this](TColor v) { SetGridLineColor(v); });
    SetNamed(p.FixedLine, [this](TColor v) { SetGridFixedLineColor(v); });
    Invalidate();
}

void TZvStringGrid::SetTheme(TXPColorScheme Scheme)
{
    TControlLook& cl = *d->FControlLook;
    auto set = [&](TColor f, TColor t, TColor mf, TColor mt, TColor footerTo) {
        SetLookGradient(f, t, mf, mt);
        d->FActiveCellColor = 0x94E6FB;
        d->FActiveCellColorTo = 0x1595EE;
        cl.SetFixedGradientFrom(f);
        cl.SetFixedGradientTo(t);
        SearchFooter()->SetColor(f == clWhite ? TColor(0xECE2E1) : f);
        SearchFooter()->SetColorTo(footerTo);
    };
    switch (Scheme) {
    case TXPColorScheme::xpBlue: set(0xFCE1CB, 0xE0A57D, clNone, clNone, 0xE0A57D); break;
    case TXPColorScheme::xpGreen: set(0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x8CC0B1); break;
    case TXPColorScheme::xpGray: set(0xECE2E1, 0xB39698, clNone, clNone, 0xB39698); break;
    case TXPColorScheme::vistaAero: set(clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, 0xB39698); break;
    case TXPColorScheme::xpNone:
        d->FActiveCellColor = clWhite;
        d->FActiveCellColorTo = 0xFFD9B3;
        SetLookGradient(clWhite, clBtnFace, clNone, clNone);
        cl.SetFixedGradientFrom(clNone);
        cl.SetFixedGradientTo(clNone);
        SearchFooter()->SetColor(clWhite);
        SearchFooter()->SetColorTo(0xFFD9B3);
        break;
    }
}

void TZvStringGrid::ApplyOfficeTheme()
{
    if (d->FDesignTime) return;
    const TOfficeTheme theme = DetectOfficeStyle();
    if (theme == d->FLastOfficeTheme) return;
    if (theme != TOfficeTheme::otUnknown) SetComponentStyle(ZvStyleOfOfficeTheme(theme));
    d->FLastOfficeTheme = theme;
}

void TZvStringGrid::SetSelectionRectangleColor(TColor Value)
{
    if (!StoreChanged(d->FSelectionRectangleColor, Value)) return;
    Invalidate();
}
void TZvStringGrid::SetSelectionColor(TColor Value)
{
    if (!StoreChanged(d->FSelectionColor, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionColorTo(TColor Value)
{
    if (!StoreChanged(d->FSelectionColorTo, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionMirrorColor(TColor Value)
{
    if (!StoreChanged(d->FSelectionMirrorColor, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionMirrorColorTo(TColor Value)
{
    if (!StoreChanged(d->FSelectionMirrorColorTo, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionColorMixer(bool Value)
{
    if (!StoreChanged(d->FSelectionColorMixer, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionTextColor(TColor Value)
{
    if (!StoreChanged(d->FSelectionTextColor, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionRectangle(bool Value)
{
    if (!StoreChanged(d->FSelectionRectangle, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetSelectionResizer(bool Value)
{
    if (!StoreChanged(d->FSelectionResizer, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetComponentStyle(TZvStyle AStyle)
{
    d->FComponentStyle = AStyle;
    SetStyle(TZvGridStyle(int(AStyle)));
    // The drop-down editors take the style when they are made, from FComponentStyle.
    if (AStyle != TZvStyle::tsCustom && d->FScrollType == TScrollType::ssMetro) SetScrollType(TScrollType::ssNormal);
}

void TZvStringGrid::SetColorTones(const TColorTones& ATones)
{
    d->FColorTones = ATones;
    d->FHasColorTones = true;
    SetLook(TGridLook::glClassic);
    SetFlat(true);
    SetScrollType(TScrollType::ssMetro);

    SetFixedColor(ATones.Foreground.BrushColor);
    d->FFixedFont->SetColor(ATones.Foreground.TextColor);
    d->FFixedFont->SetName(DefaultUIFontName());
    Font()->SetName(DefaultUIFontName());
    SetColor(ATones.Background.BrushColor);
    Font()->SetColor(ATones.Background.TextColor);

    d->FSelectionColor = ATones.Selected.BrushColor;
    d->FSelectionTextColor = ATones.Selected.TextColor;
    d->FSelectionColorTo = clNone;

    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(ShadeColorByPercent(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(TBorderStyle::bsNone);

    RegisterGridBitmaps();
    d->FControlLook->SetControlStyle(TGridControlStyle::csGlyph);
    auto glyph = [](const char* name, auto setter) {
        TBitmap bmp;
        bmp.LoadFromResourceName(name);
        setter(&bmp);
    };
    glyph("metrocheckon", [this](TBitmap* b) { d->FControlLook->SetCheckedGlyph(b); });
    glyph("metrocheckoff", [this](TBitmap* b) { d->FControlLook->SetUnCheckedGlyph(b); });
    glyph("metroradioon", [this](TBitmap* b) { d->FControlLook->SetRadioOnGlyph(b); });
    glyph("metroradiooff", [this](TBitmap* b) { d->FControlLook->SetRadioOffGlyph(b); });

    // The built-in and drop-down editors read the tones from the grid when they open.
    d->FControlLook->SetFlatButton(true);
    d->FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
    SearchFooter()->SetColor(ATones.Foreground.BrushColor);
    SearchFooter()->SetColorTo(ATones.Foreground.BrushColor);
    d->FCellNode->SetNodeType(TNodeType::cnFlat);
    Invalidate();
}

void TZvStringGrid::SetMaxEditLength(int Value) { d->FMaxEditLength = Value; }

void TZvStringGrid::SetSelectionColorMixerFactor(int Value)
{
    if (!StoreChanged(d->FSelectionColorMixerFactor, std::clamp(Value, 0, 100))) return;
    Invalidate();
}

void TZvStringGrid::SetShowSelection(bool Value)
{
    if (!StoreChanged(d->FShowSelection, Value)) return;
    FShowSel = Value;
    Invalidate();
}

void TZvStringGrid::SetFlat(bool Value)
{
    d->FFlat = Value;
    if (!d->FLoading) Invalidate();
}

void TZvStringGrid::SetVAlignment(TVAlignment Value)
{
    d->FVAlignment = Value;
    d->FVerticalTextFlag = Value == TVAlignment::vtaCenter ? 4 : Value == TVAlignment::vtaBottom ? 8 : 0;
    if (d->FUpdateCount == 0) Invalidate();
}

void TZvStringGrid::SetAutoSize(bool Value)
{
    d->FAutoSize = Value;
    if (Value && !d->FLoading) AutoSizeColumns(false, 10);
}

void TZvStringGrid::SetSpreadSheet(bool Value)
{
    d->FSpreadSheet = Value;
    if (!Value) return;
    d->FSelectionRectangle = true;
    d->FSelectionResizer = true;
    d->FNavigation->SetAllowSmartClipboard(true);
    SetOptions(Options() + TGridOptions{goRangeSelect, goEditing});
    d->FMouseActions->SetRangeSelectAndEdit(true);
}
