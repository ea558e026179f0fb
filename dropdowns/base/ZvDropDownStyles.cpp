// The sixteen visual styles and the colour tones of the drop-down edits: the
// colours are data, one row per style.
#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvDropDownStyles.h"

#include <array>

namespace {

constexpr TColor U = clUnchanged;   // the pop-up border colour is left as it is

struct TStyleRow {
    TColor DropDownColor, GradientEnd, PopupBorder;
    TColor Header[4];   // Color, ColorTo, font colour, BorderColor
    TColor Footer[4];
    TColor Button[3];   // Color, ColorTo, BorderColor
    TColor Hot[3], Down[3], Disabled[2], Checked[3];
};


#define SAME(a, b, c, d) {a, b, c, d}, {a, b, c, d}
#define OFFICE_BUTTONS {0xEBFDFF, 0xACECFF, 0x99CEDB}, {0xAAD9FF, 0x6EBBFF, 0x42AEFE}, {0xF2F2F2, 0xB6B6B6}, \
    {0x76AFF1, 0x4190F3, 0x45667B}
#define OFFICE2010_BUTTONS {0x8AE3FD, clNone, 0x58CAF1}, {0x6CD0FF, clNone, 0x308AC2}, {0xF2F2F2, 0xB6B6B6}, \
    {0x45E1FE, clNone, 0x4FA0CE}

// In the order of TZvStyle; tsCustom's row is never read.
const std::array<TStyleRow, 16> StyleRows = {{
    // tsOffice2003Blue
    {clWhite, clNone, U, {0xFCE1CB, 0xE0A57D, clBlack, clBlack}, {0xFCE1CB, 0xE0A57D, clBlack, 0x962D00},
     {0xFCE1CB, 0xE0A57D, clNone}, OFFICE_BUTTONS},
    // tsOffice2003Silver
    {clWhite, clNone, U, SAME(0xECE2E1, 0xB39698, clBlack, 0x947C7C), {0xECE2E1, 0xB39698, clNone}, OFFICE_BUTTONS},
    // tsOffice2003Olive
    {clWhite, clNone, clNone, SAME(0xCFF0EA, 0x8CC0B1, clBlack, 0x588060), {0xCFF0EA, 0x8CC0B1, clNone},
     OFFICE_BUTTONS},
    // tsOffice2003Classic
    {0xF2F2F2, 0xF2F2F2, clNone, SAME(clGray, clGray, clWhite, clGray), {clWhite, 0xC9D1D5, clNone},
     {0xD2BDB6, 0xD2BDB6, clGray}, {0xB59285, 0xB59285, clGray}, {0xD8D5D4, 0xD8D5D4}, {0xD8D5D4, 0xD8D5D4, clGray}},
    // tsOffice2007Luna
    {0xF3E5DA, 0xF0DED0, clNone, SAME(0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF), {0xFFEFE3, 0xFFDDC4, clNone},
     OFFICE_BUTTONS},
    // tsOffice2007Obsidian
    {clWhite, clNone, clNone, SAME(0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C), {0xF2F1F0, 0xC9C2BD, clNone},
     OFFICE_BUTTONS},
    // tsWindowsXP
    {clWhite, clNone, U, SAME(clWhite, clBtnFace, clBlack, clGray), {clWhite, clBtnFace, clNone},
     {0xEFD3C6, 0xEFD3C6, clHighlight}, {clInactiveCaption, clInactiveCaption, clHighlight}, {0xB6B6B6, 0xB6B6B6},
     {0xB9D8DC, 0xB9D8DC, clBlack}},
    // tsWhidbey
    {0xF5F9FA, 0xF5F9FA, clNone, SAME(0xEBEEEF, 0x7E9898, clWhite, 0x962D00), {clWhite, 0xDFEDF0, clNone},
     OFFICE_BUTTONS},
    // tsCustom
    {},
    // tsOffice2007Silver
    {0xF8F4F1, 0xF0E8E3, clNone, SAME(0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F), {0xF9F8F8, 0xE4E2DF, clNone},
     OFFICE_BUTTONS},
    // tsWindowsVista
    {clWhite, clWhite, 0x979797, {0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA}, {0xFFFAF0, 0xFFFDF9, clBlack, 0xFCF2DA},
     {0xFFFDF9, 0xFFFAF0, 0xFCF2DA}, {0xFEF9F0, 0xFFFAF0, 0xFCF2DA}, {0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
     {clWhite, clWhite}, {0xFEF9F0, 0xFDF0D7, 0xFEDF9A}},
    // tsWindows7
    {clWhite, clWhite, 0x979797, SAME(0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8), {0xFDFBFA, 0xFDF3EB, 0xFBD6B8},
     {0xFDFBFA, 0xFDF3EB, 0xFBD6B8}, {0xFCEBDC, 0xFCDBC1, 0xCEA27D}, {clWhite, clWhite}, {0xFEF9F0, 0xFCDBC1, 0xCEA27D}},
    // tsTerminal
    {clWhite, clWhite, clGray, SAME(clBtnFace, clBtnFace, clBlack, clNone), {clBtnFace, clBtnFace, clNone},
     {clSilver, clSilver, clGray}, {clHighlight, clHighlight, clGray}, {clBtnFace, clBtnFace},
     {clBtnFace, clBtnFace, clHighlight}},
    // tsOffice2010Blue
    {clWhite, 0xF1EFED, 0xEDEDEC, SAME(0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F), {0xFDF6EF, 0xF0DAC7, 0xC7B29F},
     OFFICE2010_BUTTONS},
    // tsOffice2010Silver
    {clWhite, 0xF1EFED, 0xEDEDEC, SAME(clWhite, 0xEDE5E0, 0x5B391E, 0xD2CDC8), {clWhite, 0xEDE5E0, 0xD2CDC8},
     OFFICE2010_BUTTONS},
    // tsOffice2010Black
    {clWhite, 0xF1EFED, 0xEDEDEC, SAME(0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D), {0xBFBFBF, 0x919191, 0xD7D7D6},
     OFFICE2010_BUTTONS},
}};
#undef SAME
#undef OFFICE_BUTTONS
#undef OFFICE2010_BUTTONS

void PaintStrip(TDropDownStripAppearance& strip, const TColor (&c)[4])
{
    strip.SetColor(c[0]);
    strip.SetColorTo(c[1]);
    strip.Font()->SetColor(c[2]);
    strip.SetBorderColor(c[3]);
}

struct TItemRow {
    TColor Hot[4], Selected[4], Border, Edges[3], SelectedText;
};

const TItemRow ItemOffice = {{0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF}, {0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE},
                             0x42AEFE, {clNone, clNone, clNone}, clBlack};
const TItemRow Item2007 = {{0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF}, {0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE},
                           0x42AEFE, {0xF4FEFF, 0xCAF8FF, 0xC3D9DF}, clBlack};
const TItemRow ItemClassic = {{0xD2BDB6, 0xD2BDB6, clNone, clNone}, {0xB59285, 0xB59285, clNone, clNone}, clGray,
                              {clNone, clNone, clNone}, clBlack};
const TItemRow ItemXP = {{0xEFD3C6, 0xEFD3C6, clNone, clNone}, {clHighlight, clNone, clNone, clNone}, clHighlight,
                         {clNone, clNone, clNone}, clHighlightText};
const TItemRow ItemVista = {{0xFFFDF9, 0xFFFAF0, clNone, clNone}, {0xFEF9F0, 0xFDF0D7, clNone, clNone}, 0xFEDF9A,
                            {0xFDFBF6, 0xFDF5E7, 0xFCEDCB}, clBlack};
const TItemRow Item7 = {{0xFDFBFA, 0xFDF3EB, clNone, clNone}, {0xFCEBDC, 0xFCDBC1, clNone, clNone}, 0xCEA27D,
                        {0xFDF4EB, 0xFDEADB, 0xE0C5AE}, clBlack};
const TItemRow ItemTerminal = {{clSilver, clSilver, clNone, clNone}, {clHighlight, clNone, clNone, clNone}, clGray,
                               {clNone, clNone, clNone}, clHighlightText};
const TItemRow Item2010 = {{0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD}, {0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF},
                           0x308AC2, {clNone, clNone, clNone}, clBlack};

const TItemRow* ItemRowOf(TZvStyle style)
{
    switch (style) {
    case TZvStyle::tsOffice2003Blue: case TZvStyle::tsOffice2003Silver: case TZvStyle::tsOffice2003Olive:
    case TZvStyle::tsWhidbey: return &ItemOffice;
    case TZvStyle::tsOffice2007Luna: case TZvStyle::tsOffice2007Obsidian: case TZvStyle::tsOffice2007Silver:
        return &Item2007;
    case TZvStyle::tsOffice2003Classic: return &ItemClassic;
    case TZvStyle::tsWindowsXP: return &ItemXP;
    case TZvStyle::tsWindowsVista: return &ItemVista;
    case TZvStyle::tsWindows7: return &Item7;
    case TZvStyle::tsTerminal: return &ItemTerminal;
    case TZvStyle::tsOffice2010Blue: case TZvStyle::tsOffice2010Silver: case TZvStyle::tsOffice2010Black:
        return &Item2010;
    case TZvStyle::tsCustom: break;
    }
    return nullptr;
}

} // namespace

void TZvCustomDropDown::SetComponentStyle(TZvStyle AStyle)
{
    FStyle = AStyle;
    if (AStyle == TZvStyle::tsCustom) return;
    const TStyleRow& row = StyleRows[std::size_t(AStyle)];
    FDropDownColor = row.DropDownColor;
    FDropDownGradientEnd = row.GradientEnd;
    if (row.PopupBorder != U) FDropDownBorderColor = row.PopupBorder;
    PaintStrip(*FDropDownHeader, row.Header);
    PaintStrip(*FDropDownFooter, row.Footer);
    TZvButtonAppearance& b = *FButtonAppearance;
    b.SetColor(row.Button[0]);
    b.SetColorTo(row.Button[1]);
    b.SetBorderColor(row.Button[2]);
    b.SetColorHot(row.Hot[0]);
    b.SetColorHotTo(row.Hot[1]);
    b.SetBorderColorHot(row.Hot[2]);
    b.SetColorDown(row.Down[0]);
    b.SetColorDownTo(row.Down[1]);
    b.SetBorderColorDown(row.Down[2]);
    b.SetColorDisabled(row.Disabled[0]);
    b.SetColorDisabledTo(row.Disabled[1]);
    b.SetColorChecked(row.Checked[0]);
    b.SetColorCheckedTo(row.Checked[1]);
    b.SetBorderColorChecked(row.Checked[2]);
}

void TZvCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TZvCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    FSelectionColorStyle = value;
    switch (value) {
    case TSelectionColorStyle::scOffice2007: FSelectionColor = 0xD7FFFD; FSelectionColorTo = 0x58D4FC; break;
    case TSelectionColorStyle::scWindowsVista: FSelectionColor = 0xFDF8F1; FSelectionColorTo = 0xFCEFD5; break;
    case TSelectionColorStyle::scWindows7: FSelectionColor = 0xFCEBDC; FSelectionColorTo = 0xFCDBC1; break;
    case TSelectionColorStyle::scCustom: break;
    }
}

void ApplyItemAppearanceStyle(TItemAppearanceColors* Appearance, TZvStyle AStyle)
{
    if (!Appearance) return;
    const TItemRow* row = ItemRowOf(AStyle);
    if (!row) return;
    TItemAppearanceColors& a = *Appearance;
    a.BorderColorHot = clNone;
    a.BorderColorSelected = clNone;
    a.ColorSelectedText = clBlack;
    a.ColorHotText = clBlack;
    a.ColorHot = row->Hot[0];
    a.ColorHotTo = row->Hot[1];
    a.ColorMirrorHot = row->Hot[2];
    a.ColorMirrorHotTo = row->Hot[3];
    a.ColorSelected = row->Selected[0];
    a.ColorSelectedTo = row->Selected[1];
    a.ColorMirrorSelected = row->Selected[2];
    a.ColorMirrorSelectedTo = row->Selected[3];
    a.BorderColor = row->Border;
    a.BorderColorTop = row->Edges[0];
    a.BorderColorBottom = row->Edges[1];
    a.EdgeColor = row->Edges[2];
    a.ColorSelectedText = row->SelectedText;
}
