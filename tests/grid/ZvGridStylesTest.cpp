// The style presets: what a style leaves in the grid, also where the look
// setter's own preset and the control look's copies into the grid meet it.

#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

using LG = TLookGradient;

struct TStyledGrid {
    TForm form{nullptr};
    TZvStringGrid* grid = new TZvStringGrid(&form);
    TStyledGrid() { grid->SetParent(&form); }
};

} // namespace

// What each style leaves, on a grid that had no style before: the look, the look gradient (F, T,
// MF, MT), the control look's fixed gradient, active cell, selection, footer and line colours.
TEST(ZvGridStyles, EachStyleLeavesItsColours)
{
    using S = TZvGridStyle;
    using L = TGridLook;
    using SS = TGridSelectionStyle;
    const TColor N = clNone, W = clWhite, F = clBtnFace;
    struct Case {
        S style;
        L look;
        TColor from, to, mirrorFrom, mirrorTo, clFrom, clTo, active, activeTo, sel, selText, footer, footerTo,
            line, fixedLine;
        SS selStyle;
    };
    const TColor H = clHighlight, HT = clHighlightText;
    const Case cases[] = {
        {S::gsOffice2003Blue, L::glXP, 0xFCE1CB, 0xE0A57D, N, N, 0xFCE1CB, 0xE0A57D, 0x94E6FB, 0x1595EE, 0x94E6FB, 0,
         0xFCE1CB, N, 0xC0C0C0, 0x808080, SS::ssDefault},
        {S::gsOffice2003Olive, L::glXP, 0xCFF0EA, 0x8CC0B1, N, N, 0xCFF0EA, 0x8CC0B1, 0x94E6FB, 0x1595EE, 0x94E6FB, 0,
         0xCFF0EA, N, 0xC0C0C0, 0x808080, SS::ssDefault},
        {S::gsOffice2003Classic, L::glXP, W, 0xCCD4D8, N, N, N, N, 0xD8D5D4, 0xD8D5D4, H, HT, W, N, 0xC0C0C0, 0x808080,
         SS::ssDefault},
        {S::gsOffice2007Luna, L::glOffice2007, 0xFBF9F6, 0xE8DBD2, N, N, 0xFBF9F6, 0xE8DBD2, 0x9DD8F9, 0x5EC1F1,
         0x5EC1F1, 0, 0xFBF9F6, N, 0xF1EDEB, 0xD1BBA4, SS::ssOffice2007},
        {S::gsOffice2007Obsidian, L::glOffice2007, 0xF7F7F7, 0xDEDEDE, N, N, 0xF7F7F7, 0xDEDEDE, 0x9DD8F9, 0x5EC1F1,
         0x5EC1F1, 0, 0xF7F7F7, N, 0xE5D7D0, 0x808080, SS::ssOffice2007},
        {S::gsOffice2007Silver, L::glOffice2007, 0xF3F3F1, 0xCAC9C8, N, N, 0xF3F3F1, 0xCAC9C8, 0x99CCFF, 0x699CFF,
         0x95C7F5, 0, 0xF3F3F1, N, 0xE5D7D0, 0x808080, SS::ssOffice2007},
        {S::gsWindowsXP, L::glXP, F, F, N, N, N, N, F, F, H, HT, F, N, 0xC0C0C0, 0x808080, SS::ssDefault},
        {S::gsWhidbey, L::glXP, W, F, N, N, N, N, 0x94E6FB, 0x1595EE, H, HT, W, N, 0xC0C0C0, 0x808080, SS::ssDefault},
        {S::gsWindowsVista, L::glVista, W, W, 0xFAF8F7, 0xF4F2F1, N, N, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, 0, W, 0xF4F2F1,
         0xECECF0, 0xD4D2D1, SS::ssVista},
        {S::gsWindows7, L::glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, N, N, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, 0,
         0xFDFCFA, 0xF7E9DD, 0xECECF0, 0xD4D2D1, SS::ssWin7},
        {S::gsOffice2010Silver, L::glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, N, N, 0x5BD5FF, 0x71EFFF,
         0xFFDBB7, 0, 0xE8E3DF, 0xE8E3DF, 0xC0C0C0, 0xBAB5B1, SS::ssDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        TStyledGrid t;
        TZvStringGrid& g = *t.grid;
        g.SetStyle(c.style);
        const TControlLook& cl = *g.ControlLook();
        EXPECT_EQ(g.Look(), c.look);
        EXPECT_EQ(g.VUDGradient(LG::lgFrom), c.from);
        EXPECT_EQ(g.VUDGradient(LG::lgTo), c.to);
        EXPECT_EQ(g.VUDGradient(LG::lgMirrorFrom), c.mirrorFrom);
        EXPECT_EQ(g.VUDGradient(LG::lgMirrorTo), c.mirrorTo);
        EXPECT_EQ(cl.FixedGradientFrom(), c.clFrom);
        EXPECT_EQ(cl.FixedGradientTo(), c.clTo);
        EXPECT_EQ(g.ActiveCellColor(), c.active);
        EXPECT_EQ(g.ActiveCellColorTo(), c.activeTo);
        EXPECT_EQ(g.SelectionColor(), c.sel);
        EXPECT_EQ(g.SelectionTextColor(), c.selText);
        EXPECT_EQ(g.SearchFooter()->Color(), c.footer);
        EXPECT_EQ(g.SearchFooter()->ColorTo(), c.footerTo);
        EXPECT_EQ(g.GridLineColor(), c.line);
        EXPECT_EQ(g.GridFixedLineColor(), c.fixedLine);
        EXPECT_EQ(g.SelectionStyle(), c.selStyle);
    }
}

// The control look's hover and down colours reach the grid's own; its fixed gradient set back to no
// colour leaves the grid's in place.
TEST(ZvGridStyles, ControlLookColoursLandOnTheGrid)
{
    TStyledGrid t;
    TZvStringGrid& g = *t.grid;
    g.SetStyle(TZvGridStyle::gsOffice2010Blue);
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(g.VUDGradient(LG::lgFrom), TColor(0xF5E7DA));
    EXPECT_EQ(g.VUDGradient(LG::lgHoverFrom), TColor(0x6BDFFF));
    EXPECT_EQ(g.VUDGradient(LG::lgDownBorder), TColor(0x308AC2));
    EXPECT_EQ(g.SortSettings()->HeaderMirrorColorTo(), TColor(0xD6CEC7));

    // Vista names the grid's hover colours itself and the control look's the same.
    g.SetStyle(TZvGridStyle::gsWindowsVista);
    EXPECT_EQ(g.VUDGradient(LG::lgHoverBorder), TColor(0xE3C993));
    EXPECT_EQ(g.ControlLook()->FixedGradientHoverMirrorTo(), TColor(0xFBE7B7));
    EXPECT_EQ(g.VUDGradient(LG::lgDownMirrorFrom), TColor(0xF7D68D));
}

// A style that names no mirror colours keeps what the look left: the look's own preset when the
// look changes, the previous style's colours when it does not.
TEST(ZvGridStyles, Office2007SilverKeepsTheMirrorColoursTheLookLeft)
{
    {
        TStyledGrid t;
        t.grid->SetStyle(TZvGridStyle::gsOffice2007Silver);
        EXPECT_EQ(t.grid->VUDGradient(LG::lgMirrorTo), clNone);
        EXPECT_EQ(t.grid->SearchFooter()->ColorTo(), clNone);
    }
    {
        TStyledGrid t;
        t.grid->SetStyle(TZvGridStyle::gsOffice2010Black);
        t.grid->SetStyle(TZvGridStyle::gsOffice2007Silver);
        EXPECT_EQ(t.grid->VUDGradient(LG::lgMirrorTo), TColor(0x6A6A6A));
        EXPECT_EQ(t.grid->SearchFooter()->ColorTo(), TColor(0x6A6A6A));
        EXPECT_EQ(t.grid->VUDGradient(LG::lgFrom), TColor(0xF3F3F1));
    }
    // The custom style only resets what every style resets.
    TStyledGrid t;
    t.grid->SetStyle(TZvGridStyle::gsWindows7);
    t.grid->SetStyle(TZvGridStyle::gsCustom);
    EXPECT_EQ(t.grid->Look(), TGridLook::glWin7);
    EXPECT_EQ(t.grid->SelectionColor(), clHighlight);
    EXPECT_EQ(t.grid->SortSettings()->HeaderColor(), clNone);
    EXPECT_EQ(t.grid->VUDGradient(LG::lgFrom), TColor(0xFDFCFA));
}
