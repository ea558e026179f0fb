// Appearance properties, style presets and colour tones.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"

#include "grid/support/ZvDrawRoutines.h"

#include <algorithm>

namespace {

using LG = TLookGradient;

struct TGradientSet {
    TColor From, To, MirrorFrom, MirrorTo, Border;
};

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
    SortSettings()->SetHeaderColor(clNone);
    SortSettings()->SetHeaderColorTo(clNone);
    SortSettings()->SetHeaderMirrorColor(clNone);
    SortSettings()->SetHeaderMirrorColorTo(clNone);
    d->FControlLook->Init();

    TControlLook& cl = *d->FControlLook;
    auto lines = [this](TColor line, TColor fixedLine) {
        SetGridLineColor(line);
        SetGridFixedLineColor(fixedLine);
    };
    auto footer = [this](TColor c, TColor to) {
        SearchFooter()->SetColor(c);
        SearchFooter()->SetColorTo(to);
    };
    auto active = [this](TColor c, TColor to) {
        SetActiveCellColor(c);
        SetActiveCellColorTo(to);
    };
    auto clFixed = [&cl](TColor from, TColor to) {
        cl.SetFixedGradientFrom(from);
        cl.SetFixedGradientTo(to);
    };
    auto clHover = [&cl](const TGradientSet& g) {
        cl.SetFixedGradientHoverFrom(g.From);
        cl.SetFixedGradientHoverTo(g.To);
        cl.SetFixedGradientHoverMirrorFrom(g.MirrorFrom);
        cl.SetFixedGradientHoverMirrorTo(g.MirrorTo);
        cl.SetFixedGradientHoverBorder(g.Border);
    };
    auto clDown = [&cl](const TGradientSet& g) {
        cl.SetFixedGradientDownFrom(g.From);
        cl.SetFixedGradientDownTo(g.To);
        cl.SetFixedGradientDownMirrorFrom(g.MirrorFrom);
        cl.SetFixedGradientDownMirrorTo(g.MirrorTo);
        cl.SetFixedGradientDownBorder(g.Border);
    };
    auto sortHeader = [this](TColor c, TColor to, TColor m, TColor mt) {
        SortSettings()->SetHeaderColor(c);
        SortSettings()->SetHeaderColorTo(to);
        SortSettings()->SetHeaderMirrorColor(m);
        SortSettings()->SetHeaderMirrorColorTo(mt);
    };
    auto grad = [this](LG which) { return d->FVUDGradient[std::size_t(which)]; };
    const TColor black = 0;

    switch (AStyle) {
    case TZvGridStyle::gsOffice2003Blue:
    case TZvGridStyle::gsOffice2003Silver:
    case TZvGridStyle::gsOffice2003Olive: {
        static constexpr TColor from[] = {0xFCE1CB, 0xECE2E1, 0xCFF0EA};
        static constexpr TColor to[] = {0xE0A57D, 0xB39698, 0x8CC0B1};
        const int i = int(AStyle) - int(TZvGridStyle::gsOffice2003Blue);
        SetLook(TGridLook::glXP);
        SetLookGradient(from[i], to[i], clNone, clNone);
        active(0x94E6FB, 0x1595EE);
        clFixed(from[i], to[i]);
        lines(0xC0C0C0, 0x808080);
        footer(from[i], clNone);
        d->FSelectionColor = 0x94E6FB;
        d->FSelectionColorTo = 0x1595EE;
        d->FSelectionTextColor = black;
        break;
    }
    case TZvGridStyle::gsOffice2003Classic:
        SetLook(TGridLook::glXP);
        active(0xD8D5D4, 0xD8D5D4);
        SetLookGradient(clWhite, 0xCCD4D8, clNone, clNone);
        clFixed(clNone, clNone);
        lines(0xC0C0C0, 0x808080);
        footer(clWhite, clNone);
        break;
    case TZvGridStyle::gsOffice2007Luna:
        SetLook(TGridLook::glOffice2007);
        active(0x9DD8F9, 0x5EC1F1);
        SetLookGradient(0xFBF9F6, 0xE8DBD2, clNone, clNone);
        clFixed(0xFBF9F6, 0xE8DBD2);
        lines(0xF1EDEB, 0xD1BBA4);
        d->FSelectionColor = 0x5EC1F1;
        d->FSelectionTextColor = black;
        footer(0xFBF9F6, clNone);
        clHover({0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87});
        clDown({0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D});
        SetSelectionStyle(TGridSelectionStyle::ssOffice2007);
        break;
    case TZvGridStyle::gsOffice2007Obsidian:
        SetLook(TGridLook::glOffice2007);
        active(0x9DD8F9, 0x5EC1F1);
        SetLookGradient(0xF7F7F7, 0xDEDEDE, clNone, clNone);
        clFixed(0xF7F7F7, 0xDEDEDE);
        lines(0xE5D7D0, 0x808080);
        d->FSelectionColor = 0x5EC1F1;
        d->FSelectionTextColor = black;
        footer(0xF7F7F7, clNone);
        break;
    case TZvGridStyle::gsOffice2007Silver:
        SetLook(TGridLook::glOffice2007);
        active(0x99CCFF, 0x699CFF);
        d->FVUDGradient[std::size_t(LG::lgFrom)] = 0xF3F3F1;
        d->FVUDGradient[std::size_t(LG::lgTo)] = 0xCAC9C8;
        clFixed(0xF3F3F1, 0xCAC9C8);
        lines(0xE5D7D0, 0x808080);
        d->FSelectionColor = 0x95C7F5;
        d->FSelectionTextColor = black;
        footer(0xF3F3F1, grad(LG::lgMirrorTo));
        break;
    case TZvGridStyle::gsWindowsXP:
        SetLook(TGridLook::glXP);
        active(clBtnFace, clBtnFace);
        SetLookGradient(clBtnFace, clBtnFace, clNone, clNone);
        clFixed(clNone, clNone);
        lines(0xC0C0C0, 0x808080);
        footer(clBtnFace, clNone);
        break;
    case TZvGridStyle::gsWhidbey:
        active(0x94E6FB, 0x1595EE);
        SetLookGradient(clWhite, clBtnFace, clNone, clNone);
        clFixed(clNone, clNone);
        lines(0xC0C0C0, 0x808080);
        footer(clWhite, clNone);
        break;
    case TZvGridStyle::gsCustom: break;
    case TZvGridStyle::gsWindowsVista: {
        SetLook(TGridLook::glVista);
        SetLookGradient(clWhite, clWhite, 0xFAF8F7, 0xF4F2F1);
        const TGradientSet hover{0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993};
        d->FVUDGradient[std::size_t(LG::lgHoverFrom)] = hover.From;
        d->FVUDGradient[std::size_t(LG::lgHoverTo)] = hover.To;
        d->FVUDGradient[std::size_t(LG::lgHoverMirrorFrom)] = hover.MirrorFrom;
        d->FVUDGradient[std::size_t(LG::lgHoverMirrorTo)] = hover.MirrorTo;
        d->FVUDGradient[std::size_t(LG::lgHoverBorder)] = hover.Border;
        cl.SetFixedGradientMirrorFrom(0xFAF8F7);
        cl.SetFixedGradientMirrorTo(0xF4F2F1);
        cl.SetFixedGradientHoverFrom(hover.From);
        cl.SetFixedGradientHoverTo(hover.To);
        cl.SetFixedGradientHoverMirrorFrom(hover.MirrorFrom);
        cl.SetFixedGradientHoverMirrorTo(hover.MirrorTo);
        clDown({0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F});
        sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        active(0xFDF8F1, 0xFCEFD5);
        clFixed(clNone, clNone);
        d->FSelectionColor = 0xEACAB6;
        d->FSelectionTextColor = black;
        footer(clWhite, 0xF4F2F1);
        SetSelectionStyle(TGridSelectionStyle::ssVista);
        lines(0xECECF0, 0xD4D2D1);
        break;
    }
    case TZvGridStyle::gsWindows7:
        SetLook(TGridLook::glWin7);
        SetLookGradient(0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD);
        d->FVUDGradient[std::size_t(LG::lgHoverBorder)] = 0xEEE8E3;
        cl.SetFixedGradientMirrorFrom(0xF4E6DC);
        cl.SetFixedGradientMirrorTo(0xF7E9DD);
        cl.SetFixedGradientHoverFrom(0xFEFBF8);
        cl.SetFixedGradientHoverTo(0xFAF2ED);
        cl.SetFixedGradientHoverMirrorFrom(0xF4E4D7);
        cl.SetFixedGradientHoverMirrorTo(0xE8D2C1);
        clDown({0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA});
        sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        active(0xFCEBDC, 0xFCDBC1);
        clFixed(clNone, clNone);
        d->FSelectionColor = 0xEACAB6;
        d->FSelectionTextColor = black;
        footer(0xFDFCFA, 0xF7E9DD);
        SetSelectionStyle(TGridSelectionStyle::ssWin7);
        lines(0xECECF0, 0xD4D2D1);
        break;
    case TZvGridStyle::gsTerminal: SetLook(TGridLook::glStandard); break;
    case TZvGridStyle::gsOffice2010Blue:
    case TZvGridStyle::gsOffice2010Silver:
    case TZvGridStyle::gsOffice2010Black: {
        static constexpr TColor base[] = {0xF5E7DA, 0xE8E3DF, 0x6A6A6A};
        static constexpr TColor header[] = {0xD6CEC7, 0xAAAAAA, 0xBABABA};
        static constexpr TColor fixedLine[] = {0xC7B0A0, 0xBAB5B1, 0x444444};
        const int i = int(AStyle) - int(TZvGridStyle::gsOffice2010Blue);
        const TColor B = base[i];
        SetLook(TGridLook::glOffice2007);
        SetLookGradient(B, B, B, B);
        cl.SetFixedGradientFrom(B);
        cl.SetFixedGradientTo(B);
        cl.SetFixedGradientMirrorFrom(B);
        cl.SetFixedGradientMirrorTo(B);
        clHover({0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8});
        clDown({0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2});
        sortHeader(header[i], header[i], header[i], header[i]);
        active(0x5BD5FF, 0x71EFFF);
        clFixed(clNone, clNone);
        d->FSelectionColor = 0xFFDBB7;
        d->FSelectionTextColor = black;
        footer(B, B);
        SetSelectionStyle(TGridSelectionStyle::ssDefault);
        lines(0xC0C0C0, fixedLine[i]);
        break;
    }
    }
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
    static constexpr TZvStyle styles[] = {
        TZvStyle::tsOffice2003Blue,     TZvStyle::tsOffice2003Silver,  TZvStyle::tsOffice2003Olive,
        TZvStyle::tsOffice2003Classic,  TZvStyle::tsOffice2007Luna,    TZvStyle::tsOffice2007Silver,
        TZvStyle::tsOffice2007Obsidian, TZvStyle::tsOffice2010Blue,    TZvStyle::tsOffice2010Silver,
        TZvStyle::tsOffice2010Black};
    if (theme != TOfficeTheme::otUnknown) SetComponentStyle(styles[int(theme)]);
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
