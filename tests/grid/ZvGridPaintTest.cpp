// The grid's cell painting: visual properties, cell contents, glyphs, text and
// the style presets, checked on the colours it decides and the pixels it paints.

#include "grid/support/ZvDrawRoutines.h"
#include "grid/ZvGrid.h"

#include "platform/DrawText.h"
#include "platform/Forms.h"
#include "platform/FrameControls.h"
#include "platform/Pictures.h"
#include "platform/Themes.h"
#include "tests/common/TestUtil.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <map>

namespace {

struct TPaintFixture : ::testing::Test {
    TForm form{nullptr};
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        grid = new TZvStringGrid(&form);
        grid->SetParent(&form);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        for (int c = 0; c < 4; ++c) grid->SetColWidths(c, 80);
        // The current cell, and with it the selection, away from the cells the tests paint.
        grid->GotoCell(3, 5);
        // Cells with objects count as editable only while the grid allows editing.
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    }

    struct TLook {
        TColor brush = clNone, colorTo = clNone, mirror = clNone, mirrorTo = clNone, font = clNone;
        TGridDrawState state;
    };

    TLook Visual(int col, int row, TGridDrawState state = {}, bool showSel = true)
    {
        TLook l;
        TBrush brush;
        TFont font;
        TAlignment ha;
        TVAlignment va;
        bool ww = true;
        TCellGradientDirection gd;
        l.state = state;
        grid->GetVisualProperties(col, row, l.state, false, showSel, true, &brush, l.colorTo, l.mirror, l.mirrorTo,
                                  &font, ha, va, ww, gd);
        l.brush = brush.Color();
        l.font = font.Color();
        return l;
    }

    // One cell painted as the base painter does: its background, then the contents.
    QImage PaintCell(int col, int row, int w = 80, int h = 22, TGridDrawState state = {})
    {
        TBitmap bmp(w, h);
        TCanvas& c = *bmp.Canvas();
        const TLook l = Visual(col, row, state);
        c.Brush()->SetColor(l.brush == clNone ? clWhite : l.brush);
        c.FillRect(Rect(0, 0, w, h));
        grid->PaintCellContents(&c, col, row, Rect(0, 0, w - 1, h - 2), state);
        return bmp.Image();
    }

    void AddCheck(int col, int row, bool checked)
    {
        grid->AttachNewCellGraphic(col, row);
        grid->GetCellGraphic(col, row)->SetCheckBox(checked, false, TCellVAlign::vaCenter, TCellHAlign::haLeft,
                                                     false);
    }
};

TColor Pixel(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

// Pixels of text: darker than mid grey.
int CountDark(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += qGray(img.pixel(x, y)) < 128;
    return n;
}

// Smallest rectangle holding every pixel unlike the top-left one.
TRect Drawn(const QImage& img)
{
    const QRgb back = img.pixel(0, 0);
    TRect r{img.width(), img.height(), 0, 0};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != back)
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
}

int CountColour(const QImage& img, TColor colour, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p))) == colour;
        }
    return n;
}

} // namespace

// ---- Colour precedence ----------------------------------------------------------------------

TEST_F(TPaintFixture, BrushPrecedenceFromGridColourToFixedGradient)
{
    grid->SetColor(clWhite);
    grid->SetFixedColor(clSilver);
    grid->SetLookGradient(clRed, clBlue, clNone, clNone);

    EXPECT_EQ(Visual(1, 1).brush, clWhite);

    // A fixed cell without own colour takes the look's gradient and the fixed state.
    const auto header = Visual(1, 0);
    EXPECT_EQ(header.brush, clRed);
    EXPECT_EQ(header.colorTo, clBlue);
    EXPECT_TRUE(header.state.Contains(gdFixed));

    // A plain cell with its own colour keeps it, in a fixed row too.
    grid->GetCellProperties(2, 0)->SetBrushColor(clYellow);
    const auto own = Visual(2, 0);
    EXPECT_EQ(own.brush, clYellow);
    EXPECT_EQ(own.colorTo, clNone);
    EXPECT_FALSE(own.state.Contains(gdFixed));

    // A check-box cell's colour does not count as its own: it takes the fixed look.
    AddCheck(3, 0, true);
    grid->GetCellProperties(3, 0)->SetBrushColor(clYellow);
    EXPECT_EQ(Visual(3, 0).brush, clRed);

    // Under the classic look the fixed colour itself (the look resets it first).
    grid->SetLook(TGridLook::glClassic);
    grid->SetFixedColor(clSilver);
    EXPECT_EQ(Visual(1, 0).brush, clSilver);
}

TEST_F(TPaintFixture, BandsAlternateOverBodyRowsOnly)
{
    grid->SetColor(clWhite);
    TBands& bands = *grid->Bands();
    bands.SetPrimaryColor(clAqua);
    bands.SetSecondaryColor(clYellow);
    bands.SetPrimaryLength(2);
    bands.SetSecondaryLength(1);
    bands.SetActive(true);
    struct Case {
        int row;
        TColor brush;
    };
    for (const Case& c : {Case{1, clAqua}, Case{2, clAqua}, Case{3, clYellow}, Case{4, clAqua}})
        EXPECT_EQ(Visual(1, c.row).brush, c.brush) << c.row;
    EXPECT_NE(Visual(1, 0).brush, clAqua);   // the header keeps its own look

    bands.SetPrimaryLength(0);
    bands.SetSecondaryLength(0);
    EXPECT_EQ(Visual(1, 1).brush, clWhite);
}

TEST_F(TPaintFixture, GradientEventAndDisabledFontHaveTheLastWord)
{
    grid->OnGetCellGradient = [](TObject*, int ARow, int ACol, TColor& Color, TColor& ColorTo, TColor&, TColor&,
                                 TCellGradientDirection&) {
        if (ARow == 2 && ACol == 1) {
            Color = clLime;
            ColorTo = clGreen;
        }
    };
    const auto l = Visual(1, 2);
    EXPECT_EQ(l.brush, clLime);
    EXPECT_EQ(l.colorTo, clGreen);

    grid->SetDisabledFontColor(clGray);
    grid->SetEnabled(false);
    EXPECT_EQ(Visual(1, 1).font, clGray);
}

TEST(GridMixColors, BlendsByPercentAndKeepsTheEnds)
{
    EXPECT_EQ(TZvStringGrid::MixColors(RGB(200, 0, 100), RGB(0, 200, 100), 50), RGB(100, 100, 100));
    EXPECT_EQ(TZvStringGrid::MixColors(clRed, clBlue, 100), clRed);
    EXPECT_EQ(TZvStringGrid::MixColors(clRed, clBlue, 0), clBlue);
    EXPECT_EQ(TZvStringGrid::MixColors(clNone, clBlue, 50), clBlue);
    EXPECT_EQ(TZvStringGrid::MixColors(clRed, clNone, 50), clRed);
}

// ---- Cell contents ---------------------------------------------------------------------------

TEST_F(TPaintFixture, FixedCellShowsItsGradientTopToBottom)
{
    grid->SetLookGradient(RGB(250, 0, 0), RGB(0, 0, 250), clNone, clNone);
    const QImage bmp = PaintCell(1, 0, 80, 40);
    const TColor top = Pixel(bmp, 40, 3), bottom = Pixel(bmp, 40, 35);
    EXPECT_GT(GetRValue(top), 200u);
    EXPECT_LT(GetBValue(top), 50u);
    EXPECT_GT(GetBValue(bottom), 200u);
    EXPECT_LT(GetRValue(bottom), 50u);

    // A mirrored gradient changes colour at half height.
    grid->SetLookGradient(clRed, clRed, clBlue, clBlue);
    const QImage mirrored = PaintCell(1, 0, 80, 40);
    EXPECT_EQ(Pixel(mirrored, 40, 10), clRed);
    EXPECT_EQ(Pixel(mirrored, 40, 30), clBlue);
}

TEST_F(TPaintFixture, ZoomFactorEnlargesEveryCellFont)
{
    std::vector<int> sizes;
    grid->OnCustomCellDraw = [&sizes](TObject*, TCanvas* Canvas, int, int, TGridDrawState, TRect, bool) {
        sizes.push_back(Canvas->Font()->Size());
    };
    const int body = grid->Font()->Size(), fixed = grid->FixedFont()->Size();
    grid->SetZoomFactor(2);
    PaintCell(1, 1);
    PaintCell(1, 0);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0], body + 2);
    EXPECT_EQ(sizes[1], fixed + 2);
}

TEST_F(TPaintFixture, NoImageAndTextDropsTheTextOfGraphicCellsOnly)
{
    grid->SetColor(clWhite);
    grid->Font()->SetColor(clBlack);
    grid->SetCellEx(1, 1, "MMMMMM");
    grid->SetCellEx(2, 1, "MMMMMM");
    AddCheck(2, 1, false);
    grid->SetNoImageAndText(true);
    const QImage plain = PaintCell(1, 1);
    const QImage withBox = PaintCell(2, 1);
    EXPECT_GT(CountDark(plain, QRect(0, 0, 79, 19)), 20);
    // Only the check box remains: no text right of it.
    EXPECT_EQ(CountDark(withBox, QRect(30, 0, 49, 19)), 0);
}

// ---- Check boxes -----------------------------------------------------------------------------

TEST_F(TPaintFixture, CheckBoxStylesDrawTheirOwnPictures)
{
    grid->SetColor(clWhite);
    AddCheck(1, 1, true);
    const TRect cell = Rect(0, 0, 80, 22);

    const int size = grid->ControlLook()->CheckSize();
    // The classic boxes: the platform's frame control, a CheckSize square where the grid put it.
    auto classicBox = [&](const QImage& painted, unsigned extra) {
        const TRect at = Drawn(painted);
        TBitmap expected(80, 22);
        expected.Canvas()->Brush()->SetColor(clWhite);
        expected.Canvas()->FillRect(cell);
        TRect box = Bounds(at.Left, at.Top, size, size);
        DrawFrameControl(*expected.Canvas(), box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | extra);
        return expected.Image();
    };

    grid->ControlLook()->SetControlStyle(TGridControlStyle::csClassic);
    const QImage classic = PaintCell(1, 1);
    EXPECT_EQ(classic, classicBox(classic, 0));
    // Left-aligned text puts the box at the left, vertically centred in the cell.
    EXPECT_LE(Drawn(classic).Left, 3);
    EXPECT_NEAR(Drawn(classic).Top + size / 2, 10, 2);

    grid->ControlLook()->SetControlStyle(TGridControlStyle::csFlat);
    const QImage flat = PaintCell(1, 1);
    EXPECT_EQ(flat, classicBox(flat, DFCS_FLAT));
    EXPECT_NE(flat, classic);

    // Without a theme the theme style falls back to the classic box.
    const bool themed = SetThemeActiveForTest(false);
    grid->ControlLook()->SetControlStyle(TGridControlStyle::csTheme);
    EXPECT_EQ(PaintCell(1, 1), classic);
    SetThemeActiveForTest(themed);

    // The XP style draws its resource picture at the box's corner.
    grid->ControlLook()->SetControlStyle(TGridControlStyle::csWinXP);
    const QImage xp = PaintCell(1, 1);
    RegisterGridBitmaps();
    const QImage picture = BitmapResource("ASGCHK05");
    const TColor inner = FromQColor(QColor(picture.pixel(8, 8)));
    int matches = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 30; ++x) matches += Pixel(xp, x, y) == inner;
    EXPECT_GT(matches, 0);
    grid->GetCellGraphic(1, 1)->SetCellBoolean(false);
    EXPECT_NE(PaintCell(1, 1), xp);

    // Glyph style: the metro glyphs the colour tones load.
    TBitmap glyph;
    glyph.LoadFromResourceName("metrocheckon");
    grid->ControlLook()->SetCheckedGlyph(&glyph);
    grid->ControlLook()->SetControlStyle(TGridControlStyle::csGlyph);
    grid->GetCellGraphic(1, 1)->SetCellBoolean(true);
    const QImage metro = PaintCell(1, 1);
    EXPECT_GT(CountColour(metro, 0x9A572B, QRect(0, 0, 30, 21)), 10);   // the metro fill
}

TEST_F(TPaintFixture, CheckBoxThatCannotBeEditedLooksDisabledUnlessAlwaysActive)
{
    grid->SetColor(clWhite);
    grid->ControlLook()->SetControlStyle(TGridControlStyle::csWinXP);
    AddCheck(1, 1, true);
    const QImage editable = PaintCell(1, 1);
    grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    grid->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_EQ(PaintCell(1, 1), editable);
}

// ---- Sort glyph ----------------------------------------------------------------------------------

TEST_F(TPaintFixture, SortGlyphDrawsByDirectionOrByIndex)
{
    TBitmap bmp(40, 40);
    bmp.Canvas()->Brush()->SetColor(clBlue);
    bmp.Canvas()->FillRect(Rect(0, 0, 40, 40));
    grid->SortSettings()->SetDirection(TSortDirection::sdDescending);
    grid->DrawSortGlyph(bmp.Canvas(), 1, 20, 20);
    EXPECT_EQ(Pixel(bmp.Image(), 24, 16), clWhite);   // the lit edge from (x+4, y-4)
    EXPECT_EQ(Pixel(bmp.Image(), 16, 16), 0x808080);  // the shaded top edge

    // With index labels: sorted on column 3, then column 1; column 2 is not sorted.
    grid->SortSettings()->SetIndexShow(true);
    grid->SortIndexes()->AddIndex(3, true);
    grid->SortIndexes()->AddIndex(1, false);
    for (int col : {3, 1, 2}) {
        TBitmap s(40, 40);
        s.Canvas()->Brush()->SetColor(clBlue);
        s.Canvas()->FillRect(Rect(0, 0, 40, 40));
        grid->DrawSortGlyph(s.Canvas(), col, 20, 20);
        const int yellow = CountColour(s.Image(), clYellow, QRect(0, 0, 40, 40));
        if (col == 2)
            EXPECT_EQ(yellow, 0);
        else
            EXPECT_GT(yellow, 20) << col;
    }
}

// ---- Text ----------------------------------------------------------------------------------------

TEST_F(TPaintFixture, LongTextEndsInAnEllipsisOnlyWithEnhancedTextSize)
{
    grid->SetColor(clWhite);
    grid->Font()->SetColor(clBlack);
    grid->SetCellEx(1, 1, "A rather long text that cannot fit");
    const TRect content = Rect(0, 0, 79, 20);
    auto expected = [&](unsigned flags) {
        TBitmap b(80, 22);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(Rect(0, 0, 80, 22));
        b.Canvas()->Font()->Assign(grid->Font());
        b.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
        TRect r = Rect(content.Left + 2, content.Top + 2, content.Right - 2, content.Bottom);
        DrawTextEx(*b.Canvas(), "A rather long text that cannot fit", r, flags);
        return b.Image();
    };
    const unsigned base = DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL;

    grid->SetEnhTextSize(true);
    EXPECT_EQ(PaintCell(1, 1), expected(base | DT_END_ELLIPSIS));
    grid->SetEnhTextSize(false);
    EXPECT_EQ(PaintCell(1, 1), expected(base));

    // Without word wrap a single line, cut without ellipsis.
    grid->SetWordWrap(false);
    grid->GetCellProperties(1, 1)->SetWordWrap(false);
    EXPECT_EQ(PaintCell(1, 1), expected(DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_SINGLELINE));
}

TEST_F(TPaintFixture, LinksAreUnderlinedInTheLinkColourWithoutTheirScheme)
{
    grid->SetColor(clWhite);
    grid->SetColWidths(1, 200);
    grid->SetURLShow(true);
    grid->SetURLColor(clBlue);
    grid->SetCellEx(1, 1, "http://host.test/page");
    const QImage bmp = PaintCell(1, 1, 200, 22);
    // An underline: a long run of link-coloured pixels on one row.
    int longest = 0;
    for (int y = 0; y < 22; ++y) {
        int run = 0;
        for (int x = 0; x < 200; ++x) {
            run = Pixel(bmp, x, y) == clBlue ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    TBitmap probe(10, 10);
    probe.Canvas()->Font()->Assign(grid->Font());
    const int shown = probe.Canvas()->TextWidth("host.test/page");
    EXPECT_GE(longest, shown - 2);
    EXPECT_LT(longest, probe.Canvas()->TextWidth("http://host.test/page"));
}

// ---- Style presets ---------------------------------------------------------------------------------

TEST_F(TPaintFixture, StylePresetsSetTheirColours)
{
    grid->SetStyle(TZvGridStyle::gsOffice2003Blue);
    EXPECT_EQ(grid->Look(), TGridLook::glXP);
    EXPECT_EQ(grid->VUDGradient(TLookGradient::lgFrom), 0xFCE1CBu);
    EXPECT_EQ(grid->VUDGradient(TLookGradient::lgTo), 0xE0A57Du);
    EXPECT_EQ(grid->SelectionColor(), 0x94E6FBu);
    EXPECT_EQ(grid->SelectionTextColor(), 0u);
    EXPECT_EQ(grid->SearchFooter()->ColorTo(), clNone);
    EXPECT_EQ(grid->GridLineColor(), 0xC0C0C0u);

    grid->SetStyle(TZvGridStyle::gsWindows7);
    EXPECT_EQ(grid->Look(), TGridLook::glWin7);
    EXPECT_EQ(grid->VUDGradient(TLookGradient::lgMirrorFrom), 0xF4E6DCu);
    EXPECT_EQ(grid->SelectionStyle(), TGridSelectionStyle::ssWin7);
    EXPECT_EQ(grid->SortSettings()->HeaderColor(), 0xFCF9F2u);

    // Custom resets the selection, sort header and control look only.
    grid->SetStyle(TZvGridStyle::gsCustom);
    EXPECT_EQ(grid->Look(), TGridLook::glWin7);
    EXPECT_EQ(grid->VUDGradient(TLookGradient::lgFrom), 0xFDFCFAu);
    EXPECT_EQ(grid->SelectionColor(), clHighlight);
    EXPECT_EQ(grid->SelectionStyle(), TGridSelectionStyle::ssDefault);
    EXPECT_EQ(grid->SortSettings()->HeaderColor(), clNone);

    grid->SetStyle(TZvGridStyle::gsOffice2010Black);
    EXPECT_EQ(grid->VUDGradient(TLookGradient::lgMirrorTo), 0x6A6A6Au);
    EXPECT_EQ(grid->GridFixedLineColor(), 0x444444u);
}

TEST_F(TPaintFixture, MixerFactorIsHeldToAPercentage)
{
    grid->SetSelectionColorMixerFactor(150);
    EXPECT_EQ(grid->SelectionColorMixerFactor(), 100);
    grid->SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(grid->SelectionColorMixerFactor(), 0);
}

TEST_F(TPaintFixture, ComponentStyleEndsTheMetroScrollBarsUnlessCustom)
{
    grid->SetScrollType(TScrollType::ssMetro);
    grid->SetComponentStyle(TZvStyle::tsCustom);
    EXPECT_EQ(grid->ScrollType(), TScrollType::ssMetro);
    grid->SetComponentStyle(TZvStyle::tsOffice2007Luna);
    EXPECT_EQ(grid->ScrollType(), TScrollType::ssNormal);
    EXPECT_EQ(grid->ComponentStyle(), TZvStyle::tsOffice2007Luna);
}

TEST_F(TPaintFixture, ColourTonesGiveAFlatLookThatCustomKeeps)
{
    TColorTones tones;
    tones.Background = {0xFAFAFA, 0xCCCCCC, 0x202020};
    tones.Foreground = {0xE0E0E0, 0x999999, 0x101010};
    tones.Selected = {0x9A572B, 0x9A572B, clWhite};
    grid->SetColorTones(tones);
    grid->SetStyle(TZvGridStyle::gsCustom);
    EXPECT_TRUE(grid->Flat());
    EXPECT_EQ(grid->Look(), TGridLook::glClassic);
    EXPECT_EQ(grid->Color(), 0xFAFAFAu);
    EXPECT_EQ(grid->FixedColor(), 0xE0E0E0u);
    EXPECT_EQ(grid->Font()->Color(), 0x202020u);
    EXPECT_EQ(grid->FixedFont()->Color(), 0x101010u);
    EXPECT_EQ(grid->GridFixedLineColor(), ShadeColorByPercent(0xE0E0E0, -20));
    EXPECT_EQ(grid->ControlLook()->ControlStyle(), TGridControlStyle::csGlyph);
    EXPECT_FALSE(grid->ControlLook()->CheckedGlyph()->Empty());
    EXPECT_EQ(grid->ScrollType(), TScrollType::ssMetro);
}

// ---- Surface ---------------------------------------------------------------------------------------

TEST_F(TPaintFixture, FocusFrameIsNinePixelsLargerAndClearInside)
{
    const QImage frame = TZvStringGrid::FocusFrameImage(Rect(10, 10, 74, 32));
    EXPECT_EQ(frame.width(), 73);
    EXPECT_EQ(frame.height(), 31);
    EXPECT_EQ(qAlpha(frame.pixel(30, 15)), 0);   // the cell itself
    int ring = 0;
    for (int x = 0; x < 73; ++x) ring += qAlpha(frame.pixel(x, 3)) > 0;
    EXPECT_GT(ring, 40);
}

TEST_F(TPaintFixture, SizingLineDrawnTwiceLeavesNoTrace)
{
    QImage img(grid->Width(), grid->Height(), QImage::Format_RGB32);
    img.fill(Qt::white);
    const QImage before = img;
    QPainter painter(&img);
    TCanvas& canvas = *grid->Canvas();
    canvas.BeginPaint(&painter);
    grid->DrawColumnSizingLine(30);
    grid->DrawRowSizingLine(12);
    painter.end();
    EXPECT_NE(img, before);
    EXPECT_NE(img.pixel(30, 40), before.pixel(30, 40));
    painter.begin(&img);
    grid->DrawColumnSizingLine(30);
    grid->DrawRowSizingLine(12);
    canvas.EndPaint();
    painter.end();
    EXPECT_EQ(img, before);
}

// ---- Saved and balloon text -------------------------------------------------------------------------

TEST(GridRichText, PlainTextOfRichCellsSurvivesBrokenInput)
{
    struct Case {
        const char* rtf;
        const char* plain;
    };
    const Case cases[] = {
        {R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 Hello \b world\b0\par second})", "Hello world\nsecond"},
        {R"({\rtf1 a\{b\}c\\d})", "a{b}c\\d"},
        {R"({\rtf1 caf\'e9})", "caf\u00e9"},
        {R"({\rtf1{\*\generator x;}kept})", "kept"},
        {"not rich at all", "not rich at all"},
        // Broken samples give what can be read and never more than the input.
        {R"({\rtf1 open)", "open"},
        {R"({\rtf1 x}}}})", "x"},
        {R"({\rtf1 end\)", "end"},
        {R"({\rtf1 hex\')", "hex"},
        {R"({\rtf1 \'zz)", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TZvStringGrid::RichTextPlain(c.rtf), QString::fromUtf8(c.plain)) << c.rtf;
}

TEST_F(TPaintFixture, SavedTextDropsMarkupUnlessAskedAndPassesTheSaveEvent)
{
    grid->SetCellEx(1, 1, "<b>bold</b> text");
    grid->SetSaveWithHTML(false);
    EXPECT_EQ(grid->CellTextToSave(1, 1), "bold text");
    grid->SetSaveWithHTML(true);
    EXPECT_EQ(grid->CellTextToSave(1, 1), "<b>bold</b> text");

    grid->SetCellEx(2, 1, "{\\rtf1 line\\par\r\nnext}");
    EXPECT_EQ(grid->CellTextToSave(2, 1), "line\nnext");
    grid->SetSaveWithRTF(true);
    EXPECT_EQ(grid->CellTextToSave(2, 1), "{\\rtf1 line\\parnext}");

    grid->OnSaveCell = [](TObject*, int ACol, int, String& Value) {
        if (ACol == 2) Value = "changed";
    };
    EXPECT_EQ(grid->CellTextToSave(2, 1), "changed");
}

TEST_F(TPaintFixture, BalloonTextIsCutToWhatTheBalloonShows)
{
    String title, text;
    int icon = 0;
    grid->SetCellEx(1, 1, "short");
    EXPECT_FALSE(grid->CellBalloonText(1, 1, title, text, icon));   // balloons off

    grid->Balloon()->SetEnable(true);
    grid->SetCellEx(1, 1, "\r\n\tA\tB");
    ASSERT_TRUE(grid->CellBalloonText(1, 1, title, text, icon));
    EXPECT_EQ(text, "A B");
    EXPECT_EQ(title, " ");
    EXPECT_EQ(icon, 1);

    grid->SetCellEx(1, 2, String(3000, 'x'));
    grid->OnCellBalloon = [](TObject*, int, int, String& ATitle, String&, int&) { ATitle = String(150, 't'); };
    ASSERT_TRUE(grid->CellBalloonText(1, 2, title, text, icon));
    EXPECT_EQ(text, String(2045, 'x') + "...");
    EXPECT_EQ(title, String(97, 't') + "...");
}

// ---- Focus rectangle ---------------------------------------------------------------------------------

TEST_F(TPaintFixture, FocusRectangleMarksTheCurrentCellUnlessRowsAreSelected)
{
    grid->SetColor(clWhite);
    form.Show();
    grid->SetFocus();
    ASSERT_TRUE(grid->Focused());
    grid->SetCol(2);
    grid->SetRow(3);
    auto dotted = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < 19; ++y) n += qGray(img.pixel(78, y)) < 128;   // the right edge
        return n;
    };
    EXPECT_GT(dotted(PaintCell(2, 3)), 5);
    EXPECT_EQ(dotted(PaintCell(1, 3)), 0);   // another cell

    grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
    EXPECT_EQ(dotted(PaintCell(2, 3)), 0);
    grid->SetOptions(grid->Options() - TGridOptions{goRowSelect});
    grid->SetHideFocusRect(true);
    EXPECT_EQ(dotted(PaintCell(2, 3)), 0);
}

TEST_F(TPaintFixture, RotatedTextStartsWhereItsTurnedBoxFitsTheCell)
{
    const String text = "turned";
    TCanvas& c = *grid->Canvas();
    c.Font()->Assign(grid->Font());
    const int w = c.TextWidth(text + "w");
    const int h = c.TextHeight(text + "w");
    const TRect cell = Rect(10, 20, 210, 120);
    struct Case {
        int angle;
        TVAlignment va;
        TAlignment ha;
        int x, y;
    };
    // The text keeps 2 pixels from every edge of the cell.
    const Case cases[] = {
        {0, TVAlignment::vtaTop, TAlignment::taLeftJustify, 12, 22},
        {0, TVAlignment::vtaBottom, TAlignment::taRightJustify, 208 - w, 118 - h},
        {0, TVAlignment::vtaCenter, TAlignment::taCenter, 12 + (196 - w) / 2, 22 + (96 - h) / 2},
        // Upwards: the text runs from its start point towards the top and lies to its right.
        {90, TVAlignment::vtaTop, TAlignment::taLeftJustify, 12, 22 + w},
        {90, TVAlignment::vtaBottom, TAlignment::taRightJustify, 208 - h, 118},
        // Downwards: the start point is at the top, the text lies to its left.
        {270, TVAlignment::vtaTop, TAlignment::taRightJustify, 208, 22},
    };
    for (const Case& k : cases) {
        TRect r = cell;
        grid->RotatedTextRect(r, k.angle, text, k.ha, k.va);
        EXPECT_NEAR(r.Left, k.x, 1) << k.angle;
        EXPECT_NEAR(r.Top, k.y, 1) << k.angle;
    }
}

TEST_F(TPaintFixture, ProgressTextTakesTheColourOfThePartItStandsOn)
{
    // A full bar: the whole text stands on the filled part.
    grid->SetCellEx(1, 1, "100");
    grid->AddProgressEx(1, 1, clNavy, clYellow, clSilver, clRed);
    const QImage full = PaintCell(1, 1, 80, 22);
    // An empty bar: the text stands on the rest.
    grid->SetCellEx(1, 2, "0");
    grid->AddProgressEx(1, 2, clNavy, clYellow, clSilver, clRed);
    const QImage empty = PaintCell(1, 2, 80, 22);
    // Text is smoothed: a pixel counts as the text colour when it is close to it.
    auto count = [](const QImage& img, TColor c) {
        const QColor want = ToQColor(c);
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor p = img.pixelColor(x, y);
                n += std::abs(p.red() - want.red()) < 60 && std::abs(p.green() - want.green()) < 60 &&
                     std::abs(p.blue() - want.blue()) < 60;
            }
        return n;
    };
    EXPECT_GT(count(full, clYellow), 5);
    EXPECT_EQ(count(full, clRed), 0);
    EXPECT_GT(count(empty, clRed), 5);
    EXPECT_EQ(count(empty, clYellow), 0);
}

TEST_F(TPaintFixture, RangeIndicatorGrowsFromTheMiddleInTheColourOfItsSign)
{
    grid->SetColor(clWhite);
    grid->SetCellEx(1, 1, "-40");
    grid->AddRangeIndicator(1, 1, 100, clRed, clGreen, false);
    grid->SetCellEx(1, 2, "60");
    grid->AddRangeIndicator(1, 2, 100, clRed, clGreen, false);
    const QImage negative = PaintCell(1, 1, 80, 22);
    const QImage positive = PaintCell(1, 2, 80, 22);
    const QRect left(0, 0, 39, 22), right(41, 0, 38, 22);
    EXPECT_GT(CountColour(negative, clRed, left), 20);
    EXPECT_EQ(CountColour(negative, clRed, right), 0);
    EXPECT_EQ(CountColour(negative, clGreen, QRect(0, 0, 80, 22)), 0);
    EXPECT_GT(CountColour(positive, clGreen, right), 20);
    EXPECT_EQ(CountColour(positive, clGreen, left), 0);
    EXPECT_EQ(CountColour(positive, clRed, QRect(0, 0, 80, 22)), 0);
}

// ---- The whole grid painted through its window ------------------------------------------------------

struct TShownGrid : TPaintFixture {
    void SetUp() override
    {
        TPaintFixture::SetUp();
        form.SetBounds(0, 0, 360, 200);
        grid->SetBounds(0, 0, 340, 180);
        grid->SetColor(clWhite);
        form.Show();
    }
    TColor Inside(const QImage& img, int col, int row)
    {
        const TRect r = grid->CellRect(col, row);
        return Pixel(img, r.Right - 4, r.Bottom - 4);
    }
};

TEST_F(TShownGrid, SelectedCellsTakeTheSelectionColourOrItsMixWithTheirOwn)
{
    grid->SetSelectionColor(clNavy);
    grid->GetCellProperties(2, 2)->SetBrushColor(clYellow);
    grid->SetSelection(TGridRect{1, 1, 2, 2});
    QImage img = grid->PaintToImage();
    EXPECT_EQ(Inside(img, 1, 1), TColor(clNavy));
    EXPECT_EQ(Inside(img, 2, 2), TColor(clNavy)) << "without the mixer the selection covers a cell's own colour";
    EXPECT_EQ(Inside(img, 1, 3), TColor(clWhite));

    grid->SetSelectionColorMixer(true);
    grid->SetSelectionColorMixerFactor(50);
    img = grid->PaintToImage();
    EXPECT_EQ(Inside(img, 1, 1), TColor(clNavy)) << "a cell of the grid's colour is not mixed";
    EXPECT_EQ(Inside(img, 2, 2), TZvStringGrid::MixColors(clNavy, clYellow, 50));
}

TEST_F(TShownGrid, TheWindowBorderTakesTheBorderColourUnderTheLooksThatDrawIt)
{
    grid->SetBorderColor(clRed);
    auto redOnEdge = [&](const QImage& img) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x) n += Pixel(img, x, 0) == clRed || Pixel(img, x, 1) == clRed;
        return n;
    };
    grid->SetLook(TGridLook::glXP);
    grid->SetBorderColor(clRed);
    EXPECT_GT(redOnEdge(grid->PaintToImage()), 300);
    grid->SetLook(TGridLook::glClassic);
    grid->SetBorderColor(clRed);
    EXPECT_EQ(redOnEdge(grid->PaintToImage()), 0);
}

TEST_F(TShownGrid, AMergedAreaIsPaintedOncePerPaint)
{
    grid->SetCellEx(1, 1, "merged");
    grid->MergeCells(1, 1, 2, 3);
    std::map<std::pair<int, int>, int> drawn;
    grid->OnDrawCell = [&](TObject*, int c, int r, const TRect&, TGridDrawState) { ++drawn[{c, r}]; };
    const QImage img = grid->PaintToImage();
    EXPECT_EQ(drawn[std::make_pair(1, 1)], 1);
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 3; ++r)
            if (c != 1 || r != 1) {
                EXPECT_EQ(drawn[std::make_pair(c, r)], 0) << c << ',' << r;
            }
    EXPECT_EQ(drawn[std::make_pair(3, 2)], 1);
    // The text stands once, in the area's top-left; the covered cells show no grid line.
    const TRect area = grid->CellRect(1, 1);
    EXPECT_GE(area.Width(), 2 * 80);
    EXPECT_GE(area.Height(), 3 * grid->DefaultRowHeight());
    EXPECT_EQ(Pixel(img, grid->CellRect(1, 1).Left + 80, grid->CellRect(1, 1).Top + 2 * grid->DefaultRowHeight() + 5),
              TColor(clWhite));
}
