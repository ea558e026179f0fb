// The push button: presets, glyph strips, face geometry, clicks by mouse,
// keys, accelerators and the form's Enter and Escape, the modal result, the
// fade on the test clock, pop-up menus, actions, and how each style looks.
#include "core/ZvPushButton.h"

#include "platform/ActnList.h"
#include "platform/DrawText.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Pictures.h"
#include "platform/Seams.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

using Style = TZvPushButtonStyle;
using Layout = TZvPushButtonLayout;
using Kind = TZvPushButtonKind;
using CS = TZvPushColorStyle;

constexpr TColor Magenta = 0xFF00FF;
constexpr TColor FormColor = 0xEDF7F8;

TColor PixelAt(const QImage& image, int x, int y)
{
    return FromQColor(QColor(image.pixel(x, y)));
}

// A form holding one button, shown, with the product's usual settings.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetColor(FormColor);
        Form->SetClientSize(240, 120);
        Button = new TZvPushButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(10, 20, 100, 23);
        Button->SetCaption(QStringLiteral("&Save"));
        Button->OnClick = [this](TObject*) { Clicks.push_back("click"); };
    }
    void TearDown() override
    {
        Form.reset();
        ClearKeyStates();
    }

    void ShowForm() { Form->Show(); }
    LRESULT Send(TControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) { return c->Perform(msg, w, l); }
    LRESULT Mouse(UINT msg, int x, int y) { return Send(Button, msg, MK_LBUTTON, PointToLParam({x, y})); }

    TTestSeams Seams;
    std::unique_ptr<TForm> Form;
    TZvPushButton* Button = nullptr;
    std::vector<std::string> Clicks;
};

// ---- Defaults and presets ------------------------------------------------------------------

TEST_F(ButtonTest, StartsWithItsDefaults)
{
    TZvPushButton b(nullptr);
    EXPECT_EQ(b.Width(), 100);
    EXPECT_EQ(b.Height(), 23);
    EXPECT_EQ(b.ControlStyle(), (TControlStyle{csCaptureMouse, csSetCaption}));
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_TRUE(b.TabStop());
    EXPECT_EQ(b.Alignment(), TAlignment::taCenter);
    EXPECT_EQ(b.ColorWhenDown(), clNone);
    EXPECT_EQ(b.HotTrackColor(), clNone);
    EXPECT_EQ(b.LightColor(), clWhite);
    EXPECT_EQ(b.ShadowColor(), clGray);
    EXPECT_EQ(b.Layout(), Layout::blGlyphLeft);
    EXPECT_EQ(b.Style(), Style::bsNormal);
    EXPECT_EQ(b.Kind(), Kind::bkCustom);
    EXPECT_EQ(b.ColorStyle(), CS::lcsCustom);
    EXPECT_EQ(b.NumGlyphs(), 0);
    EXPECT_TRUE(b.Glyph()->Empty());
    EXPECT_FALSE(b.Flat() || b.WordWrap() || b.Default() || b.Cancel() || b.SlowDecease() || b.UseHotTrackFont());
    EXPECT_FALSE(b.Transparent());
    EXPECT_EQ(b.ModalResult(), 0);
    ASSERT_NE(b.FadeTicker(), nullptr);
    EXPECT_TRUE(b.FadeTicker()->Suspended());

    // Owned by a form: the hot-track font starts as the form's font.
    Form->Font()->SetName(QStringLiteral("Courier"));
    Form->Font()->SetHeight(-17);
    TZvPushButton owned(Form.get());
    EXPECT_EQ(owned.HotTrackFont()->Name(), QStringLiteral("Courier"));
    EXPECT_EQ(owned.HotTrackFont()->Height(), -17);
}

TEST_F(ButtonTest, ColorStylesApplyTheirRowAndAreNotKept)
{
    const struct {
        CS style;
        TColor color, light, shadow, down, hot;
        bool flat;
        Style drawing;
        TColor font;
    } rows[] = {
        {CS::lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, Style::bsModern, 0x000000},
        {CS::lcsChrome, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, Style::bsModern, 0x000000},
        {CS::lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, Style::bsModern, 0x000000},
        {CS::lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, Style::bsModern, 0x000000},
        {CS::lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, Style::bsNormal, 0x000000},
        {CS::lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, Style::bsNormal, 0x000000},
        {CS::lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, Style::bsNormal, 0x000000},
        {CS::lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, Style::bsModern, 0x000000},
        {CS::lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, Style::bsNormal, 0x000000},
        {CS::lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, Style::bsQuicken, 0xFFFFFF},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.style));
        TZvPushButton b(nullptr);
        b.SetFlat(!row.flat);   // the row decides Flat either way
        b.Font()->SetColor(clRed);
        b.SetColorStyle(row.style);
        EXPECT_EQ(b.Color(), row.color);
        EXPECT_EQ(b.LightColor(), row.light);
        EXPECT_EQ(b.ShadowColor(), row.shadow);
        EXPECT_EQ(b.ColorWhenDown(), row.down);
        EXPECT_EQ(b.HotTrackColor(), row.hot);
        EXPECT_EQ(b.Flat(), row.flat);
        EXPECT_EQ(b.Style(), row.drawing);
        EXPECT_EQ(b.Font()->Color(), row.font);
        EXPECT_EQ(b.ColorStyle(), CS::lcsCustom);
        // Only the Style property makes the window transparent.
        EXPECT_FALSE(b.Transparent());
    }

    TZvPushButton b(nullptr);
    b.SetColor(0x123456);
    b.SetLightColor(0x010203);
    b.SetFlat(true);
    b.SetColorStyle(CS::lcsCustom);
    EXPECT_EQ(b.Color(), 0x123456u);
    EXPECT_EQ(b.LightColor(), 0x010203u);
    EXPECT_TRUE(b.Flat());
}

TEST_F(ButtonTest, StyleSetterMakesTheWindowTransparentForShapedStyles)
{
    const std::pair<Style, bool> rows[] = {
        {Style::bsNormal, false}, {Style::bsEncarta, false}, {Style::bsModern, true},
        {Style::bsOld, false},    {Style::bsShape, true},    {Style::bsQuicken, true},
    };
    for (auto [style, transparent] : rows) {
        Button->SetStyle(style);
        EXPECT_EQ(Button->Style(), style);
        EXPECT_EQ(Button->Transparent(), transparent) << int(style);
    }
}

TEST_F(ButtonTest, KindsLoadGlyphCaptionAndModalResult)
{
    const struct {
        Kind kind;
        int result;
        const char16_t* caption;
        int glyphHeight;
    } rows[] = {
        {Kind::bkOK, mrOk, u"OK", 18},
        {Kind::bkCancel, mrCancel, u"Abbrechen", 18},
        {Kind::bkHelp, 0, u"Hilfe", 18},
        {Kind::bkYes, mrYes, u"Ja", 18},
        {Kind::bkNo, mrNo, u"Nein", 18},
        {Kind::bkClose, 0, u"Schlie\u00DFen", 18},
        {Kind::bkAbort, mrAbort, u"Abbrechen", 18},
        {Kind::bkRetry, mrRetry, u"Wiederholen", 18},
        {Kind::bkIgnore, mrIgnore, u"Ignorieren", 18},
        {Kind::bkAll, mrAll, u"Alle", 19},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.kind));
        TZvPushButton b(nullptr);
        b.SetKind(row.kind);
        EXPECT_EQ(b.Kind(), row.kind);
        EXPECT_EQ(b.ModalResult(), row.result);
        EXPECT_EQ(b.Caption(), QString::fromUtf16(row.caption));
        EXPECT_EQ(b.NumGlyphs(), 2);
        EXPECT_EQ(b.Glyph()->Width(), 36);
        EXPECT_EQ(b.Glyph()->Height(), row.glyphHeight);
        // The disabled half differs from the normal one.
        const QImage g = b.Glyph()->Image();
        EXPECT_NE(g.copy(0, 0, 18, row.glyphHeight), g.copy(18, 0, 18, row.glyphHeight));
    }

    // A manual glyph or modal result makes the button custom again; the
    // custom kind changes nothing else.
    TZvPushButton b(nullptr);
    b.SetKind(Kind::bkOK);
    b.SetModalResult(mrOk);
    EXPECT_EQ(b.Kind(), Kind::bkCustom);
    b.SetKind(Kind::bkYes);
    TBitmap other(18, 18);
    b.SetGlyph(&other);
    EXPECT_EQ(b.Kind(), Kind::bkCustom);
    b.SetKind(Kind::bkNo);
    b.SetKind(Kind::bkCustom);
    EXPECT_EQ(b.Kind(), Kind::bkCustom);
    EXPECT_EQ(b.Caption(), QStringLiteral("Nein"));
    EXPECT_EQ(b.ModalResult(), mrNo);
    EXPECT_EQ(b.NumGlyphs(), 2);
}

TEST_F(ButtonTest, GlyphSetsNumGlyphsFromItsShape)
{
    const struct {
        int w, h, num;
    } rows[] = {{36, 18, 2}, {18, 18, 1}, {72, 18, 4}, {17, 18, 0}, {40, 19, 2}};
    for (const auto& row : rows) {
        TBitmap picture(row.w, row.h);
        Button->SetGlyph(&picture);
        EXPECT_EQ(Button->NumGlyphs(), row.num) << row.w << "x" << row.h;
        EXPECT_EQ(Button->Glyph()->Width(), row.w);
    }
    // A zero height gives 0; nil empties the glyph.
    TBitmap flat(10, 0);
    Button->SetGlyph(&flat);
    EXPECT_EQ(Button->NumGlyphs(), 0);
    Button->SetGlyph(nullptr);
    EXPECT_TRUE(Button->Glyph()->Empty());
    EXPECT_EQ(Button->NumGlyphs(), 0);

    // The glyph is a copy, and the windows' streamed NumGlyphs 1 overrides the guess.
    TBitmap strip(36, 18);
    Button->SetGlyph(&strip);
    strip.SetSize(5, 5);
    EXPECT_EQ(Button->Glyph()->Width(), 36);
    Button->SetNumGlyphs(1);
    EXPECT_EQ(Button->NumGlyphs(), 1);
}

TEST_F(ButtonTest, ShippedPicturesHaveTheirSizesAndAnOliveBackground)
{
    RegisterPushButtonGlyphs();
    for (const char* name : {"LBOK", "LBCANCEL", "LBHELP", "LBYES", "LBNO", "LBCLOSE", "LBABORT", "LBRETRY",
                             "LBIGNORE", "LBALL", "LBARROW"}) {
        SCOPED_TRACE(name);
        const QImage image = BitmapResource(QString::fromLatin1(name));
        ASSERT_FALSE(image.isNull());
        const bool all = std::string(name) == "LBALL", arrow = std::string(name) == "LBARROW";
        EXPECT_EQ(image.width(), arrow ? 5 : 36);
        EXPECT_EQ(image.height(), arrow ? 3 : all ? 19 : 18);
        EXPECT_EQ(PixelAt(image, 0, image.height() - 1), clOlive);
        // 16 colours at most, and something drawn.
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000u);
        EXPECT_LE(colours.size(), 16u);
        EXPECT_GE(colours.size(), 2u);
    }
}

// ---- Face geometry ------------------------------------------------------------------------

TEST(PushButtonFace, PlacesCaptionAndGlyphByLayoutAndAlignment)
{
    using A = TAlignment;
    const struct {
        const char* name;
        Style style;
        Layout layout;
        A align;
        bool wrap;
        int W, H, off, gw, gh, tw, th;
        bool caption;
        TPoint glyph;
        TRect text;
    } rows[] = {
        {"left centre", Style::bsNormal, Layout::blGlyphLeft, A::taCenter, false, 100, 23, 0, 18, 18, 20, 13, true, {29, 2}, {26, 5, 96, 18}},
        {"left left", Style::bsNormal, Layout::blGlyphLeft, A::taLeftJustify, false, 100, 23, 0, 18, 18, 20, 13, true, {4, 2}, {26, 5, 96, 18}},
        {"left right", Style::bsNormal, Layout::blGlyphLeft, A::taRightJustify, false, 100, 23, 0, 18, 18, 20, 13, true, {54, 2}, {26, 5, 96, 18}},
        {"left pressed", Style::bsNormal, Layout::blGlyphLeft, A::taCenter, false, 100, 23, 1, 18, 18, 20, 13, true, {30, 3}, {27, 6, 97, 19}},
        {"left wrapped", Style::bsNormal, Layout::blGlyphLeft, A::taCenter, true, 100, 23, 0, 18, 18, 20, 13, true, {4, 2}, {26, 5, 96, 18}},
        {"left no glyph", Style::bsEncarta, Layout::blGlyphLeft, A::taCenter, false, 100, 23, 0, 0, 0, 20, 13, true, {38, 11}, {4, 5, 96, 18}},
        {"left no caption", Style::bsNormal, Layout::blGlyphLeft, A::taCenter, false, 100, 23, 0, 18, 18, 0, 0, false, {41, 2}, {26, 11, 96, 11}},
        {"right centre", Style::bsNormal, Layout::blGlyphRight, A::taCenter, false, 100, 23, 0, 18, 18, 20, 13, true, {53, 2}, {4, 5, 74, 18}},
        {"right left", Style::bsNormal, Layout::blGlyphRight, A::taLeftJustify, false, 100, 23, 0, 18, 18, 20, 13, true, {28, 2}, {4, 5, 74, 18}},
        {"right right", Style::bsNormal, Layout::blGlyphRight, A::taRightJustify, false, 100, 23, 0, 18, 18, 20, 13, true, {78, 2}, {4, 5, 74, 18}},
        {"right wrapped", Style::bsNormal, Layout::blGlyphRight, A::taRightJustify, true, 100, 23, 0, 18, 18, 20, 13, true, {28, 2}, {4, 5, 74, 18}},
        {"top centre", Style::bsNormal, Layout::blGlyphTop, A::taCenter, false, 100, 40, 0, 18, 18, 20, 13, true, {41, 2}, {4, 20, 96, 33}},
        {"top left pressed", Style::bsModern, Layout::blGlyphTop, A::taLeftJustify, false, 100, 40, 1, 18, 18, 20, 13, true, {5, 3}, {5, 21, 97, 34}},
        {"bottom right", Style::bsNormal, Layout::blGlyphBottom, A::taRightJustify, false, 100, 40, 0, 18, 18, 20, 13, true, {78, 15}, {4, 2, 96, 15}},
        {"bottom no glyph", Style::bsNormal, Layout::blGlyphBottom, A::taCenter, false, 100, 40, 0, 0, 0, 20, 13, true, {50, 26}, {4, 13, 96, 26}},
        {"shape", Style::bsShape, Layout::blGlyphRight, A::taLeftJustify, false, 100, 23, 1, 18, 18, 20, 13, true, {41, 2}, {1, 6, 100, 23}},
        // Divisions cut toward zero, also below zero.
        {"too narrow", Style::bsNormal, Layout::blGlyphLeft, A::taCenter, false, 9, 23, 0, 18, 18, 0, 13, false, {-4, 2}, {26, 5, 26, 18}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const TZvFacePlacement p =
            PlaceFace(r.style, r.layout, r.align, r.wrap, r.W, r.H, r.off, r.gw, r.gh, r.tw, r.th, r.caption);
        EXPECT_EQ(p.Glyph, r.glyph);
        EXPECT_EQ(p.TextRect, r.text);
        EXPECT_EQ(p.AvailableWidth, r.style == Style::bsShape ? r.W - 8 : r.text.Width());
    }
}

TEST(PushButtonFace, PicksTheImageOfTheStateAndThePressOffset)
{
    TBitmap canvasOwner(10, 10);
    TBitmap strip(72, 18);
    const struct {
        bool enabled, hot, pressed;
        int images;
        Style style;
        int sourceX, offset;
        bool drawnPressed;
    } rows[] = {
        {true, false, false, 4, Style::bsNormal, 0, 0, false},
        {true, true, false, 4, Style::bsNormal, 54, 0, false},
        {true, false, true, 4, Style::bsNormal, 36, 1, true},
        {true, true, true, 4, Style::bsNormal, 36, 1, true},
        {true, true, false, 3, Style::bsNormal, 0, 0, false},
        {true, false, true, 3, Style::bsModern, 48, 1, true},
        {true, false, true, 2, Style::bsNormal, 0, 1, true},
        {true, false, true, 4, Style::bsEncarta, 36, 0, true},
        {false, true, true, 4, Style::bsNormal, 18, 0, false},
        {false, false, false, 1, Style::bsNormal, 72, 0, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.enabled << r.hot << r.pressed << r.images << int(r.style));
        TZvPushButtonFace face;
        face.Width = 100;
        face.Height = 23;
        face.Caption = QStringLiteral("OK");
        face.Enabled = r.enabled;
        face.Hot = r.hot;
        face.Pressed = r.pressed;
        face.Glyph = &strip;
        face.NumGlyphs = r.images;
        face.Style = r.style;
        const TZvFaceLayout lay = LayoutFace(*canvasOwner.Canvas(), face);
        EXPECT_EQ(lay.CellWidth, 72 / r.images);
        EXPECT_EQ(lay.SourceX, r.sourceX);
        EXPECT_EQ(lay.Offset, r.offset);
        EXPECT_EQ(lay.Pressed, r.drawnPressed);
    }

    // A pressed bsEncarta button writes bold.
    TZvPushButtonFace face;
    face.Width = 100;
    face.Height = 23;
    face.Style = Style::bsEncarta;
    face.Pressed = true;
    LayoutFace(*canvasOwner.Canvas(), face);
    EXPECT_TRUE(canvasOwner.Canvas()->Font()->Style().Contains(TFontStyle::fsBold));
    TFont plain;
    face.Font = &plain;
    face.Style = Style::bsNormal;
    LayoutFace(*canvasOwner.Canvas(), face);
    EXPECT_FALSE(canvasOwner.Canvas()->Font()->Style().Contains(TFontStyle::fsBold));
}

TEST(PushButtonFace, CutsTooWideCaptionsFromTheEndOrWrapsThem)
{
    TBitmap owner(10, 10);
    TCanvas& canvas = *owner.Canvas();
    const String caption = QStringLiteral("Configuration of the communication settings");
    for (const int width : {40, 60, 100}) {
        for (const Layout layout : {Layout::blGlyphLeft, Layout::blGlyphTop}) {
            SCOPED_TRACE(testing::Message() << width << " " << int(layout));
            TZvPushButtonFace face;
            face.Width = width;
            face.Height = 23;
            face.Caption = caption;
            face.Layout = layout;
            const TZvFaceLayout lay = LayoutFace(canvas, face);
            const int aw = width - 8;
            ASSERT_TRUE(caption.startsWith(lay.Caption));
            ASSERT_LT(lay.Caption.size(), caption.size());
            EXPECT_LE(canvas.TextWidth(lay.Caption), aw);
            // One more character would not fit: nothing was cut too soon, and no ellipsis.
            EXPECT_GT(canvas.TextWidth(caption.left(lay.Caption.size() + 1)), aw);
            EXPECT_FALSE(lay.Caption.contains(QStringLiteral("...")));
        }
    }

    // Word wrap keeps the whole caption on more lines.
    TZvPushButtonFace face;
    face.Width = 60;
    face.Height = 60;
    face.Caption = caption;
    face.WordWrap = true;
    const TZvFaceLayout wrapped = LayoutFace(canvas, face);
    face.Caption = QStringLiteral("C");
    const TZvFaceLayout single = LayoutFace(canvas, face);
    EXPECT_EQ(wrapped.Caption, caption);
    EXPECT_GE(wrapped.TextHeight, 3 * single.TextHeight);

    // The glyph takes its room from the caption's.
    face = {};
    face.Width = 100;
    face.Height = 23;
    face.Caption = caption;
    TBitmap strip(36, 18);
    face.Glyph = &strip;
    face.NumGlyphs = 2;
    const TZvFaceLayout withGlyph = LayoutFace(canvas, face);
    EXPECT_EQ(withGlyph.Place.AvailableWidth, 100 - 8 - 22);
    EXPECT_LE(canvas.TextWidth(withGlyph.Caption), 70);
}

TEST(PushButtonFace, FadeColorMixesInEighths)
{
    const struct {
        TColor color, hot;
        int level;
        TColor expected;
    } rows[] = {
        {0x000000, 0xFFFFFF, 8, 0xFFFFFF},
        {0x000000, 0xFFFFFF, 0, 0x000000},
        {0x000000, 0xFFFFFF, 4, 0x7F7F7F},   // 127.5 cut toward zero
        {0x102030, 0x00FFFF, 2, RGB(0x30 * 6 / 8 + 0xFF * 2 / 8, 0x20 * 6 / 8 + 0xFF * 2 / 8, 0x10 * 6 / 8)},
        {clBtnFace, clYellow, 8, clYellow},
        {clBtnFace, clYellow, 0, ColorToRGB(clBtnFace)},
    };
    for (const auto& r : rows) EXPECT_EQ(FadeColor(r.color, r.hot, r.level), r.expected) << r.level;
}

// 32 bands, the last of which starts at the bottom edge and so shows nothing.
TEST(PushButtonFace, GradientBandsStepFromTheFirstColourTowardTheLast)
{
    TBitmap bitmap(20, 70);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(Magenta);
    c.FillRect({0, 0, 20, 70});
    c.Pen()->SetStyle(TPenStyle::psDot);
    DrawGradientBands(c, 0x000000, 0xF8F8F8, 2, 3, 18, 67);
    EXPECT_EQ(c.Pen()->Style(), TPenStyle::psDot);   // restored
    const QImage& img = bitmap.Image();
    EXPECT_EQ(PixelAt(img, 2, 3), 0x000000u);
    EXPECT_EQ(PixelAt(img, 17, 66), 0xF0F0F0u);   // band 30: 30 of 31 steps of 8
    EXPECT_EQ(PixelAt(img, 1, 30), Magenta);    // outside left
    EXPECT_EQ(PixelAt(img, 18, 30), Magenta);   // right is exclusive
    EXPECT_EQ(PixelAt(img, 5, 67), Magenta);    // bottom is exclusive
    // Monotonic, and 31 bands to be seen over 64 rows.
    std::set<TColor> bands;
    TColor last = 0;
    for (int y = 3; y < 67; ++y) {
        const TColor p = PixelAt(img, 9, y);
        EXPECT_GE(GetRValue(p), GetRValue(last));
        last = p;
        bands.insert(p);
    }
    EXPECT_EQ(bands.size(), 31u);
}

TEST(PushButtonFace, GlyphCellShowsTheChosenImageTransparently)
{
    // Two 4 x 4 images: red, then blue, each on an olive bottom-left pixel.
    TBitmap strip(8, 4);
    QImage& s = strip.Image();
    s.fill(QColor(255, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x) s.setPixel(x, y, qRgb(0, 0, 255));
    s.setPixel(0, 3, qRgb(128, 128, 0));
    s.setPixel(4, 3, qRgb(128, 128, 0));
    const struct {
        int sourceX;
        TColor shown;
    } rows[] = {{0, clRed}, {4, clBlue}, {8, clRed}, {40, clRed}};
    for (const auto& r : rows) {
        TBitmap target(6, 6);
        target.Canvas()->Brush()->SetColor(clWhite);
        target.Canvas()->FillRect({0, 0, 6, 6});
        DrawGlyphCell(*target.Canvas(), &strip, 1, 1, r.sourceX, 4, 4);
        const QImage& t = target.Image();
        EXPECT_EQ(PixelAt(t, 2, 1), r.shown) << r.sourceX;
        EXPECT_EQ(PixelAt(t, 1, 4), clWhite) << "the bottom-left colour is left out";
        EXPECT_EQ(PixelAt(t, 5, 1), clWhite) << "nothing beyond the cell";
    }
}

// ---- Clicks -----------------------------------------------------------------------------------

TEST_F(ButtonTest, LeftButtonClicksInsideAndOutsideOtherButtonsDoNot)
{
    ShowForm();
    const struct {
        const char* name;
        UINT down, up;
        TPoint release;
        bool enabled;
        int clicks;
    } rows[] = {
        {"inside", WM_LBUTTONDOWN, WM_LBUTTONUP, {50, 10}, true, 1},
        {"released elsewhere", WM_LBUTTONDOWN, WM_LBUTTONUP, {300, -40}, true, 1},
        {"right button", WM_RBUTTONDOWN, WM_RBUTTONUP, {50, 10}, true, 0},
        {"disabled", WM_LBUTTONDOWN, WM_LBUTTONUP, {50, 10}, false, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Clicks.clear();
        Button->SetEnabled(r.enabled);
        Mouse(r.down, 50, 10);
        EXPECT_EQ(Button->Down(), r.enabled && r.down == WM_LBUTTONDOWN);
        if (r.enabled && r.down == WM_LBUTTONDOWN) {
            EXPECT_TRUE(Button->MouseCapture());
            EXPECT_TRUE(Button->Focused());
        }
        Mouse(r.up, r.release.X, r.release.Y);
        EXPECT_EQ(int(Clicks.size()), r.clicks);
        EXPECT_FALSE(Button->Down());
        EXPECT_FALSE(Button->MouseCapture());
    }
}

TEST_F(ButtonTest, RealMouseInputClicksThroughQt)
{
    ShowForm();
    Simulate::MouseDown(Button, {50, 10});
    Simulate::MouseUp(Button, {-30, 60});
    EXPECT_EQ(Clicks, (std::vector<std::string>{"click"}));
}

TEST_F(ButtonTest, SpaceAndEnterPressOnKeyDownAndClickOnKeyUp)
{
    ShowForm();
    for (const WORD key : {VK_SPACE, VK_RETURN}) {
        Clicks.clear();
        Send(Button, WM_KEYDOWN, key);
        EXPECT_TRUE(Button->Down());
        EXPECT_TRUE(Clicks.empty());
        Send(Button, WM_KEYUP, key);
        EXPECT_FALSE(Button->Down());
        EXPECT_EQ(Clicks.size(), 1u) << key;
    }
    // Other keys do nothing.
    Clicks.clear();
    Send(Button, WM_KEYDOWN, 'A');
    EXPECT_FALSE(Button->Down());
    Send(Button, WM_KEYUP, 'A');
    EXPECT_TRUE(Clicks.empty());

    // Typed into the focused button through Qt: the form leaves Enter to a focused button.
    Button->SetFocus();
    Simulate::Key(Button, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Simulate::Key(Button, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(ButtonTest, AcceleratorClicksOnlyAUsableButton)
{
    ShowForm();
    const struct {
        const char* name;
        QChar ch;
        bool enabled, visible;
        bool handled;
    } rows[] = {
        {"accelerator", u's', true, true, true},
        {"other case", u'S', true, true, true},
        {"other letter", u'a', true, true, false},
        {"disabled", u's', false, true, false},
        {"hidden", u's', true, false, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Clicks.clear();
        Button->SetEnabled(r.enabled);
        Button->SetVisible(r.visible);
        EXPECT_EQ(Send(Form.get(), CM_DIALOGCHAR, r.ch.unicode()) != 0, r.handled);
        EXPECT_EQ(Clicks.size(), r.handled ? 1u : 0u);
    }
}

TEST_F(ButtonTest, DefaultAndCancelAnswerEnterAndEscapeUnlessAButtonHasTheFocus)
{
    Button->SetDefault(true);
    auto* cancel = new TZvPushButton(Form.get());
    cancel->SetParent(Form.get());
    cancel->SetBounds(120, 20, 100, 23);
    cancel->SetCancel(true);
    std::vector<std::string> cancels;
    cancel->OnClick = [&](TObject*) { cancels.push_back("cancel"); };

    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(10, 60, 80, 22);
    auto* radio = new TRadioButton(Form.get());
    radio->SetParent(Form.get());
    radio->SetBounds(100, 60, 80, 22);
    auto* check = new TCheckBox(Form.get());
    check->SetParent(Form.get());
    check->SetBounds(10, 90, 80, 22);
    auto* plain = new TButton(Form.get());
    plain->SetParent(Form.get());
    plain->SetBounds(100, 90, 80, 22);
    ShowForm();

    const struct {
        const char* name;
        TWinControl* active;
        WORD key;
        int defaults, cancels;
        bool handled;
    } rows[] = {
        {"enter from an edit", edit, VK_RETURN, 1, 0, true},
        {"escape from an edit", edit, VK_ESCAPE, 0, 1, true},
        {"enter from a radio button", radio, VK_RETURN, 1, 0, true},
        {"escape from a check box", check, VK_ESCAPE, 0, 1, true},
        {"enter from a platform button", plain, VK_RETURN, 0, 0, true},   // it clicks itself
        {"escape from a platform button", plain, VK_ESCAPE, 0, 0, false},
        {"escape from the default button", Button, VK_ESCAPE, 0, 0, false},
        {"enter from the cancel button", cancel, VK_RETURN, 0, 0, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Clicks.clear();
        cancels.clear();
        r.active->SetFocus();
        ASSERT_EQ(Form->ActiveControl(), r.active);
        const LRESULT handled = Send(Form.get(), CM_DIALOGKEY, r.key);
        EXPECT_EQ(int(Clicks.size()), r.defaults);
        EXPECT_EQ(int(cancels.size()), r.cancels);
        EXPECT_EQ(handled != 0, r.handled);
    }

    // Escape with a shift key held, or on a disabled cancel button, is not the cancel button's.
    edit->SetFocus();
    cancels.clear();
    SetKeyDown(VK_SHIFT, true);
    Send(Form.get(), CM_DIALOGKEY, VK_ESCAPE);
    SetKeyDown(VK_SHIFT, false);
    cancel->SetEnabled(false);
    Send(Form.get(), CM_DIALOGKEY, VK_ESCAPE);
    EXPECT_TRUE(cancels.empty());
}

TEST_F(ButtonTest, DisabledDefaultButtonSwallowsEnterWithoutClicking)
{
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(10, 60, 80, 22);
    Button->SetDefault(true);
    Button->SetEnabled(false);
    Button->SetModalResult(mrOk);
    ShowForm();
    edit->SetFocus();
    EXPECT_NE(Send(Form.get(), CM_DIALOGKEY, VK_RETURN), 0);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Form->ModalResult(), mrNone);

    // A form without an active control still gets its default button's click.
    TForm bare(nullptr);
    auto* b = new TZvPushButton(&bare);
    b->SetParent(&bare);
    b->SetDefault(true);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    bare.Show();
    bare.SetActiveControl(nullptr);
    EXPECT_NE(bare.Perform(CM_DIALOGKEY, VK_RETURN), 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, ModalResultClosesTheModalDialogAfterOnClick)
{
    auto* cancel = new TZvPushButton(Form.get());
    cancel->SetParent(Form.get());
    cancel->SetBounds(120, 20, 100, 23);
    cancel->SetModalResult(mrCancel);
    TModalResult seenInOnClick = -1;
    cancel->OnClick = [&](TObject*) { seenInOnClick = Form->ModalResult(); };
    Seams.AnswerModal(
        [&](TCustomForm&) {
            cancel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({5, 5}));
            cancel->Perform(WM_LBUTTONUP, 0, PointToLParam({5, 5}));
        },
        mrOk);
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(seenInOnClick, mrNone);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(ButtonTest, ModalResultGoesToTheTopLevelForm)
{
    TPanel* panel = new TPanel(Form.get());
    panel->SetParent(Form.get());
    panel->SetBounds(0, 60, 200, 50);
    auto* inner = new TZvPushButton(Form.get());
    inner->SetParent(panel);
    inner->SetModalResult(mrYes);
    ShowForm();
    inner->Perform(WM_KEYDOWN, VK_SPACE);
    inner->Perform(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Form->ModalResult(), mrYes);
}

// ---- Pop-up menu ----------------------------------------------------------------------------

TEST_F(ButtonTest, ClickPopsTheMenuUpUnderTheLowerLeftCorner)
{
    auto* menu = new TPopupMenu(Form.get());
    auto* first = new TMenuItem(Form.get());
    first->SetCaption(QStringLiteral("First"));
    auto* second = new TMenuItem(Form.get());
    second->SetCaption(QStringLiteral("Second"));
    menu->Items()->Add(first);
    menu->Items()->Add(second);
    second->OnClick = [this](TObject*) { Clicks.push_back("second"); };
    menu->OnPopup = [this](TObject*) { Clicks.push_back("popup"); };
    Button->SetPopupMenu(menu);
    ShowForm();

    Seams.AnswerPopup(1);
    Mouse(WM_LBUTTONDOWN, 5, 5);
    Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"click", "popup", "second"}));
    ASSERT_EQ(Seams.Popups.size(), 1u);
    const TPoint corner = Button->ClientToScreen({0, 23});
    EXPECT_EQ(Seams.Popups[0].Menu, menu);
    EXPECT_EQ(Seams.Popups[0].X, corner.X);
    EXPECT_EQ(Seams.Popups[0].Y, corner.Y);
    EXPECT_EQ(menu->PopupPoint(), corner);

    // The arrow of the menu shows on the face, right of the middle.
    const QImage withMenu = Button->PaintToImage();
    Button->SetPopupMenu(nullptr);
    const QImage without = Button->PaintToImage();
    EXPECT_NE(withMenu.copy(89, 10, 5, 3), without.copy(89, 10, 5, 3));

    // A deleted menu is forgotten.
    Button->SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(Button->PopupMenu(), nullptr);
}

// ---- Actions ----------------------------------------------------------------------------------

TEST_F(ButtonTest, ActionGivesCaptionEnabledImageAndRunsOnClick)
{
    auto* images = new TImageList(Form.get());
    images->SetSize(16, 16);
    TBitmap picture(16, 16);
    picture.Image().fill(QColor(0, 0, 255));
    images->Add(&picture, nullptr);
    auto* list = new TActionList(Form.get());
    list->SetImages(images);
    auto* action = new TAction(Form.get());
    action->SetActionList(list);
    action->SetCaption(QStringLiteral("Run"));
    action->SetImageIndex(0);
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };

    Button->SetCaption(QString());
    Button->SetAction(action);
    EXPECT_EQ(Button->Caption(), QStringLiteral("Run"));
    EXPECT_EQ(Button->Glyph()->Width(), 16);
    EXPECT_EQ(Button->Glyph()->Height(), 16);
    EXPECT_EQ(Button->NumGlyphs(), 1);
    EXPECT_EQ(PixelAt(Button->Glyph()->Image(), 8, 8), clBlue);

    ShowForm();
    Button->Perform(WM_KEYDOWN, VK_SPACE);
    Button->Perform(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(runs, 1);

    action->SetEnabled(false);
    EXPECT_FALSE(Button->Enabled());
    action->SetCaption(QStringLiteral("Again"));
    EXPECT_EQ(Button->Caption(), QStringLiteral("Again"));
    delete action;
    EXPECT_EQ(Button->Action(), nullptr);
}

TEST_F(ButtonTest, ActionImageOnlyFillsAnEmptyGlyphFromAValidIndex)
{
    auto* images = new TImageList(Form.get());
    images->SetSize(16, 16);
    TBitmap picture(16, 16);
    images->Add(&picture, nullptr);
    auto* list = new TActionList(Form.get());
    list->SetImages(images);
    const struct {
        const char* name;
        int index;
        bool glyphFirst, listed;
        int width;
    } rows[] = {
        {"valid", 0, false, true, 16},
        {"index past the end", 1, false, true, 0},
        {"no image", -1, false, true, 0},
        {"own glyph kept", 0, true, true, 36},
        {"no action list", 0, false, false, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TZvPushButton b(nullptr);
        if (r.glyphFirst) b.SetKind(Kind::bkOK);
        TAction action(nullptr);
        if (r.listed) action.SetActionList(list);
        action.SetImageIndex(r.index);
        b.SetAction(&action);
        EXPECT_EQ(b.Glyph()->Width(), r.width);
        b.SetAction(nullptr);
    }
}

// ---- Fade ------------------------------------------------------------------------------------

TEST_F(ButtonTest, SlowFadeCountsDownOnTheTimerInEightSteps)
{
    Button->SetHotTrackColor(clYellow);
    Button->SetSlowDecease(true);
    ShowForm();
    std::vector<std::string> events;
    Button->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    Button->OnMouseExit = [&](TObject*) { events.push_back("exit"); };

    Send(Button, CM_MOUSEENTER);
    EXPECT_TRUE(Button->CursorOnButton());
    EXPECT_EQ(Button->HotTrackStep(), 8);
    Send(Button, CM_MOUSELEAVE);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
    EXPECT_FALSE(Button->CursorOnButton());
    EXPECT_EQ(Button->HotTrackStep(), 8);
    ASSERT_FALSE(Button->FadeTicker()->Suspended());

    std::vector<int> levels;
    for (int i = 0; i < 10; ++i) {
        Seams.Clock().Advance(30);
        levels.push_back(Button->HotTrackStep());
    }
    EXPECT_EQ(levels, (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 0, 0, 0}));
    EXPECT_TRUE(Button->FadeTicker()->Suspended());

    // Entering again during a fade sets the level back while the ticker keeps counting.
    Send(Button, CM_MOUSEENTER);
    Send(Button, CM_MOUSELEAVE);
    Seams.Clock().Advance(90);
    EXPECT_EQ(Button->HotTrackStep(), 5);
    Send(Button, CM_MOUSEENTER);
    EXPECT_EQ(Button->HotTrackStep(), 8);
    Seams.Clock().Advance(30);
    EXPECT_EQ(Button->HotTrackStep(), 7);
    EXPECT_FALSE(Button->FadeTicker()->Suspended());
}

TEST_F(ButtonTest, FadeShowsOnTheFace)
{
    Button->SetStyle(Style::bsEncarta);
    Button->SetColor(clWhite);
    Button->SetHotTrackColor(clBlack);
    Button->SetSlowDecease(true);
    ShowForm();
    auto faceAt = [&] { return PixelAt(Button->PaintToImage(), 3, 3); };
    EXPECT_EQ(faceAt(), clWhite);
    Send(Button, CM_MOUSEENTER);
    EXPECT_EQ(faceAt(), clBlack);
    Send(Button, CM_MOUSELEAVE);
    Seams.Clock().Advance(120);
    EXPECT_EQ(faceAt(), FadeColor(clWhite, clBlack, 4));
    Seams.Clock().Advance(120);
    EXPECT_EQ(faceAt(), clWhite);
}

TEST_F(ButtonTest, WithoutSlowFadeLeavingEndsTheHotColourAtOnce)
{
    ShowForm();
    Send(Button, CM_MOUSEENTER);
    Send(Button, CM_MOUSELEAVE);
    EXPECT_EQ(Button->HotTrackStep(), 0);
    EXPECT_TRUE(Button->FadeTicker()->Suspended());

    // Switching the fade off ends the ticker; on again makes a new one.
    Button->SetSlowDecease(false);
    EXPECT_EQ(Button->FadeTicker(), nullptr);
    Button->SetSlowDecease(true);
    ASSERT_NE(Button->FadeTicker(), nullptr);
    EXPECT_TRUE(Button->FadeTicker()->Suspended());

    // A disabled button does not light up.
    Button->SetEnabled(false);
    Send(Button, CM_MOUSEENTER);
    EXPECT_FALSE(Button->CursorOnButton());
    EXPECT_EQ(Button->HotTrackStep(), 0);
}

TEST_F(ButtonTest, DestroyingDuringAFadeStopsTheTicker)
{
    Button->SetSlowDecease(true);
    ShowForm();
    const int timersBefore = Seams.Clock().TimerCount();
    Send(Button, CM_MOUSEENTER);
    Send(Button, CM_MOUSELEAVE);
    Seams.Clock().Advance(60);
    EXPECT_EQ(Seams.Clock().TimerCount(), timersBefore + 1);
    delete Button;
    Button = nullptr;
    EXPECT_EQ(Seams.Clock().TimerCount(), timersBefore);
    Seams.Clock().Advance(300);   // nothing left to tick
}

// ---- How it looks -------------------------------------------------------------------------------

// The product's usual button: yellow hot colour, orange when down, a glyph.
void Dress(TZvPushButton& b, Style style)
{
    b.SetStyle(style);
    b.SetColor(FormColor);
    b.SetColorWhenDown(0x0080FF);
    b.SetHotTrackColor(clYellow);
    b.SetLightColor(clGray);
    RegisterPushButtonGlyphs();
    TBitmap glyph;
    glyph.SetImage(BitmapResource(QStringLiteral("LBOK")).copy(0, 0, 18, 18));
    b.SetGlyph(&glyph);
    b.SetCaption(QStringLiteral("&OK"));
}

enum class TLook { Normal, Hot, Down, Disabled, Focused };

void Into(TZvPushButton& b, TLook look)
{
    switch (look) {
    case TLook::Normal: break;
    case TLook::Hot: b.Perform(CM_MOUSEENTER); break;
    case TLook::Down: b.Perform(WM_KEYDOWN, VK_SPACE); break;
    case TLook::Disabled: b.SetEnabled(false); break;
    case TLook::Focused: b.SetFocus(); break;
    }
}

void OutOf(TZvPushButton& b)
{
    b.Perform(CM_MOUSELEAVE);
    b.SetEnabled(true);   // also lets go of a pressed button without a click
}

QImage Shot(TCustomForm& form, const TControl& b)
{
    return form.PaintToImage().copy(b.Left(), b.Top(), b.Width(), b.Height());
}

// Dark pixels where the caption is: the caption in its own (black) colour.
bool HasDarkText(const QImage& image)
{
    for (int y = 4; y < 19; ++y)
        for (int x = 28; x < 90; ++x) {
            const TColor p = PixelAt(image, x, y);
            if (GetRValue(p) < 0x50 && GetGValue(p) < 0x50 && GetBValue(p) < 0x50) return true;
        }
    return false;
}

// Magenta or a mix with it (red and blue well above green) inside `r`.
bool HasMagentaTint(const QImage& image, const TRect& r)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) - qGreen(p) > 80 && qBlue(p) - qGreen(p) > 80) return true;
        }
    return false;
}

// The sheet at twice its size, to be looked at.
void SaveSheet(const QImage& sheet, const char* name)
{
    const QImage big = sheet.scaled(sheet.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_TRUE(big.save(ScreenshotFolder() + u'/' + QString::fromLatin1(name)));
}

bool HasColour(const QImage& image, TColor colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == colour) return true;
    return false;
}

TEST_F(ButtonTest, EveryStyleAndStateLooksRightContactSheet)
{
    const Style styles[] = {Style::bsNormal, Style::bsEncarta, Style::bsModern,
                            Style::bsOld,    Style::bsShape,   Style::bsQuicken};
    const TLook looks[] = {TLook::Normal, TLook::Hot, TLook::Down, TLook::Disabled, TLook::Focused};
    const int cellW = 112, cellH = 31;
    QImage sheet(cellW * 5, cellH * 6, QImage::Format_RGB32);
    sheet.fill(Qt::white);

    const TColor parentTint = 0xD0E0FF;   // unlike the buttons' colour, to see it through them
    Form->SetColor(parentTint);
    Button->SetBounds(4, 4, 100, 23);
    auto* sink = new TEdit(Form.get());   // somewhere for the focus to go
    sink->SetParent(Form.get());
    sink->SetBounds(10, 80, 50, 22);
    ShowForm();
    for (int s = 0; s < 6; ++s) {
        Dress(*Button, styles[s]);
        for (int l = 0; l < 5; ++l) {
            SCOPED_TRACE(testing::Message() << "style " << s << " look " << l);
            sink->SetFocus();
            Into(*Button, looks[l]);
            const QImage shot = Shot(*Form, *Button);
            {
                QPainter p(&sheet);
                p.drawImage(l * cellW + 4, s * cellH + 4, shot);
            }
            // The focus rectangle inverts what it crosses (green turns magenta there).
            const TRect probe = looks[l] == TLook::Focused ? TRect{5, 5, 95, 18} : TRect{0, 0, 100, 23};
            EXPECT_FALSE(HasMagentaTint(shot, probe)) << "magenta shows";
            const int W = 100, H = 23;
            const TColor glyphGreen = 0x00FF00;   // the check of LBOK
            switch (styles[s]) {
            case Style::bsNormal:
            case Style::bsEncarta:
                if (looks[l] == TLook::Down) {
                    EXPECT_EQ(PixelAt(shot, 0, 0), clGray);   // shadow colour swaps to the top left
                    EXPECT_EQ(PixelAt(shot, 2, 2), 0x0080FFu);
                } else if (looks[l] == TLook::Hot) {
                    EXPECT_EQ(PixelAt(shot, 2, 2), clYellow);
                } else {
                    EXPECT_EQ(PixelAt(shot, 0, 0), clGray);
                    EXPECT_EQ(PixelAt(shot, W - 1, H - 1), clGray);
                    EXPECT_EQ(PixelAt(shot, 2, 2), FormColor);
                }
                break;
            case Style::bsOld:
                if (looks[l] == TLook::Focused) {
                    EXPECT_EQ(PixelAt(shot, 0, 0), clBlack);
                    EXPECT_EQ(PixelAt(shot, W - 1, H - 1), clBlack);
                    EXPECT_EQ(PixelAt(shot, 1, 1), clGray);   // the face's light edge, one pixel in
                    EXPECT_EQ(PixelAt(shot, W - 2, H - 2), ColorToRGB(cl3DDkShadow));
                } else if (looks[l] == TLook::Normal) {
                    EXPECT_EQ(PixelAt(shot, W - 1, H - 1), ColorToRGB(cl3DDkShadow));
                    EXPECT_EQ(PixelAt(shot, 0, H - 1), ColorToRGB(cl3DDkShadow));
                    EXPECT_EQ(PixelAt(shot, W - 2, 5), clGray);
                }
                break;
            case Style::bsModern:
            case Style::bsQuicken:
            case Style::bsShape:
                // The corners let the form show through.
                EXPECT_EQ(PixelAt(shot, 0, 0), parentTint);
                break;
            }
            // One image: a disabled button keeps its normal picture; its text
            // turns grey except on a shape.
            EXPECT_TRUE(HasColour(shot, glyphGreen));
            if (looks[l] == TLook::Disabled) {
                EXPECT_EQ(HasDarkText(shot), styles[s] == Style::bsShape);
            } else if (styles[s] != Style::bsQuicken) {
                EXPECT_TRUE(HasDarkText(shot));
            }
            if (looks[l] == TLook::Focused && styles[s] != Style::bsShape) {
                // The dotted focus rectangle changes the face along (4, 4) .. (W-4, H-4).
                int changed = 0;
                const QImage plain = [&] {
                    Form->SetActiveControl(sink);
                    sink->SetFocus();
                    const QImage img = Shot(*Form, *Button);
                    Button->SetFocus();
                    return img;
                }();
                for (int x = 4; x < W - 4; ++x) changed += shot.pixel(x, 4) != plain.pixel(x, 4);
                EXPECT_GT(changed, 10);
            }
            OutOf(*Button);
        }
    }
    SaveSheet(sheet, "ZvPushButton-styles.png");
}

TEST_F(ButtonTest, KindsContactSheet)
{
    const Kind kinds[] = {Kind::bkOK,    Kind::bkCancel, Kind::bkHelp,  Kind::bkYes,    Kind::bkNo,
                          Kind::bkClose, Kind::bkAbort,  Kind::bkRetry, Kind::bkIgnore, Kind::bkAll};
    QImage sheet(2 * 112, 10 * 31, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    auto* sink = new TEdit(Form.get());
    sink->SetParent(Form.get());
    sink->SetBounds(150, 80, 50, 22);
    Button->SetBounds(4, 4, 100, 23);
    Button->SetStyle(Style::bsEncarta);
    ShowForm();
    sink->SetFocus();
    for (int k = 0; k < 10; ++k)
        for (int enabled = 1; enabled >= 0; --enabled) {
            Button->SetKind(kinds[k]);
            Button->SetEnabled(enabled != 0);
            const QImage shot = Shot(*Form, *Button);
            QPainter p(&sheet);
            p.drawImage((1 - enabled) * 112 + 4, k * 31 + 4, shot);
        }
    SaveSheet(sheet, "ZvPushButton-kinds.png");
}

TEST_F(ButtonTest, LayoutsAndAlignmentsContactSheet)
{
    const Layout layouts[] = {Layout::blGlyphLeft, Layout::blGlyphRight, Layout::blGlyphTop, Layout::blGlyphBottom};
    const TAlignment aligns[] = {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify};
    const int cellW = 132, cellH = 56;
    QImage sheet(cellW * 3, cellH * 4 + 40, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    auto* sink = new TEdit(Form.get());   // the focus stays off the button
    sink->SetParent(Form.get());
    sink->SetBounds(150, 80, 50, 22);
    ShowForm();
    sink->SetFocus();
    Dress(*Button, Style::bsEncarta);
    for (int l = 0; l < 4; ++l)
        for (int a = 0; a < 3; ++a) {
            const bool tall = layouts[l] == Layout::blGlyphTop || layouts[l] == Layout::blGlyphBottom;
            Button->SetBounds(4, 4, 124, tall ? 48 : 23);
            Button->SetLayout(layouts[l]);
            Button->SetAlignment(aligns[a]);
            const QImage shot = Shot(*Form, *Button);
            QPainter p(&sheet);
            p.drawImage(a * cellW + 4, l * cellH + 4, shot);
        }
    // A cut caption and a wrapped one, side by side.
    Button->SetBounds(4, 4, 60, 36);
    Button->SetLayout(Layout::blGlyphLeft);
    Button->SetAlignment(TAlignment::taCenter);
    Button->SetGlyph(nullptr);
    Button->SetCaption(QStringLiteral("Communication settings"));
    {
        QPainter p(&sheet);
        p.drawImage(4, cellH * 4 + 2, Shot(*Form, *Button));
        Button->SetWordWrap(true);
        p.drawImage(cellW + 4, cellH * 4 + 2, Shot(*Form, *Button));
    }
    SaveSheet(sheet, "ZvPushButton-layouts.png");
}

} // namespace
