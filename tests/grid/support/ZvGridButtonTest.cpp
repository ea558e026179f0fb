#include "grid/support/ZvGridButton.h"

#include "platform/Forms.h"
#include "platform/Seams.h"

#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

// A 10 x 10 glyph: a red square on a white ground (the bottom-left pixel, so white is see-through).
std::unique_ptr<TBitmap> RedSquare()
{
    auto bmp = std::make_unique<TBitmap>(10, 10);
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 8; ++x) img.setPixel(x, y, qRgb(255, 0, 0));
    bmp->SetImage(img);
    return bmp;
}

struct TButtonForm : ::testing::Test {
    TForm form{nullptr};
    int clicks = 0;

    TZvGridButton* Make(int left, int group = 0)
    {
        auto* b = new TZvGridButton(&form);
        b->SetParent(&form);
        b->SetBounds(left, 10, 40, 24);
        b->SetGroupIndex(group);
        b->OnClick = [this](TObject*) { ++clicks; };
        return b;
    }

    void SetUp() override
    {
        form.SetBounds(0, 0, 300, 100);
        form.Show();
    }

    // The button as drawn, cut out of its form.
    QImage Shot(TZvGridButton* b)
    {
        const QImage all = form.Handle()->grab().toImage();
        return all.copy(b->Left(), b->Top(), b->Width(), b->Height());
    }
};

}  // namespace

TEST_F(TButtonForm, StartsWithItsDefaults)
{
    TZvGridButton* b = new TZvGridButton(&form);
    EXPECT_EQ(b->Width(), 23);
    EXPECT_EQ(b->Height(), 22);
    EXPECT_TRUE(b->Flat());
    EXPECT_EQ(b->Margin(), -1);
    EXPECT_EQ(b->Spacing(), 4);
    EXPECT_EQ(b->ColorHot(), TColor(0xCAC7C7));
    EXPECT_EQ(b->ColorChecked(), TColor(0x808080));
    EXPECT_EQ(b->BorderColor(), clNone);
    EXPECT_TRUE(b->Shaded());
    EXPECT_FALSE(b->Down());
    b->SetMargin(-2);   // refused
    EXPECT_EQ(b->Margin(), -1);
    b->SetMargin(3);
    EXPECT_EQ(b->Margin(), 3);
}

// Without a caption the glyph sits in the top-left corner whatever the layout says.
TEST_F(TButtonForm, AGlyphWithoutCaptionSitsAtTheTopLeft)
{
    auto glyph = RedSquare();
    const TButtonLayout layouts[] = {TButtonLayout::blGlyphLeft, TButtonLayout::blGlyphRight,
                                     TButtonLayout::blGlyphTop, TButtonLayout::blGlyphBottom};
    for (TButtonLayout layout : layouts) {
        TZvGridButton* b = Make(10);
        b->SetGlyph(glyph.get());
        b->SetLayout(layout);
        b->SetMargin(8);
        b->SetSpacing(6);
        const QImage shot = Shot(b);
        EXPECT_EQ(shot.pixelColor(2, 2), QColor(255, 0, 0)) << int(layout);
        EXPECT_EQ(shot.pixelColor(7, 7), QColor(255, 0, 0)) << int(layout);
        EXPECT_NE(shot.pixelColor(12, 12), QColor(255, 0, 0)) << int(layout);
        delete b;
    }
}

TEST_F(TButtonForm, LayingOutAGlyphBesideACaption)
{
    TBitmap canvasOwner(10, 10);
    TPoint glyphPos;
    TRect text;
    const TRect client{0, 0, 100, 30};
    TZvGridButton::LayoutGlyphAndCaption(canvasOwner.Canvas(), client, TSize{16, 16}, "", TButtonLayout::blGlyphLeft,
                                         -1, 4, TPoint{0, 0}, false, glyphPos, text);
    EXPECT_EQ(glyphPos.X, (100 - 16 + 1) / 2);   // no caption: no spacing, centred
    EXPECT_EQ(glyphPos.Y, (30 - 16 + 1) / 2);
    TZvGridButton::LayoutGlyphAndCaption(canvasOwner.Canvas(), client, TSize{16, 16}, "", TButtonLayout::blGlyphRight,
                                         5, 4, TPoint{1, 1}, false, glyphPos, text);
    EXPECT_EQ(glyphPos.X, 100 - 5 - 16 + 1);
    // Right to left swaps left and right.
    TZvGridButton::LayoutGlyphAndCaption(canvasOwner.Canvas(), client, TSize{16, 16}, "", TButtonLayout::blGlyphLeft,
                                         5, 4, TPoint{0, 0}, true, glyphPos, text);
    EXPECT_EQ(glyphPos.X, 100 - 5 - 16);
    TZvGridButton::LayoutGlyphAndCaption(canvasOwner.Canvas(), client, TSize{16, 16}, "Find",
                                         TButtonLayout::blGlyphLeft, 3, 4, TPoint{0, 0}, false, glyphPos, text);
    EXPECT_EQ(glyphPos.X, 3);
    EXPECT_EQ(text.Left, 3 + 16 + 4);
    EXPECT_GT(text.Right, text.Left);
}

TEST_F(TButtonForm, AGroupedButtonThatIsDownStaysDownUnlessAllMayBeUp)
{
    TZvGridButton* a = Make(10, 1);
    TZvGridButton* b = Make(60, 1);
    Simulate::Click(a, {5, 5});
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), TZvGridButtonState::bsExclusive);
    Simulate::Click(a, {5, 5});   // again: stays down
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks, 2);

    Simulate::Click(b, {5, 5});   // the other one of the group goes down, this one up
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), TZvGridButtonState::bsUp);

    b->SetAllowAllUp(true);   // told to the group
    EXPECT_TRUE(a->AllowAllUp());
    Simulate::Click(b, {5, 5});
    EXPECT_FALSE(b->Down());

    // Without a group index or check style a button is never down.
    TZvGridButton* plain = Make(110);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    plain->SetStyle(TZvGridButtonStyle::tasCheck);
    Simulate::Click(plain, {5, 5});
    EXPECT_TRUE(plain->Down());
    Simulate::Click(plain, {5, 5});
    EXPECT_FALSE(plain->Down());
}

TEST_F(TButtonForm, AReleaseOutsideEndsThePressWithoutAClick)
{
    TZvGridButton* plain = Make(10);
    Simulate::MouseDown(plain, {5, 5});
    EXPECT_EQ(plain->State(), TZvGridButtonState::bsDown);
    Simulate::MouseMove(plain, {200, 5}, Qt::LeftButton);
    EXPECT_EQ(plain->State(), TZvGridButtonState::bsUp);
    Simulate::MouseUp(plain, {200, 5});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(plain->State(), TZvGridButtonState::bsUp);

    TZvGridButton* grouped = Make(60, 2);
    grouped->SetDown(true);
    Simulate::MouseDown(grouped, {5, 5});
    Simulate::MouseUp(grouped, {200, 5});
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(grouped->Down());
    EXPECT_EQ(grouped->State(), TZvGridButtonState::bsExclusive);
}

TEST_F(TButtonForm, ADisabledButtonShowsTheGreyGlyph)
{
    auto glyph = RedSquare();
    TZvGridButton* b = Make(10);
    b->SetGlyph(glyph.get());
    ASSERT_FALSE(b->GlyphDisabled()->Empty());
    // Red (255, 0, 0) turns into ((255 / 3) / 2 + 96) in every channel.
    EXPECT_EQ(b->GlyphDisabled()->Image().pixelColor(4, 4), QColor(138, 138, 138));
    EXPECT_EQ(b->GlyphShade()->Image().pixelColor(4, 4), QColor(128, 128, 128));
    EXPECT_EQ(b->GlyphShade()->Image().pixelColor(0, 0), QColor(255, 255, 255));
    b->SetEnabled(false);
    const QImage shot = Shot(b);
    EXPECT_EQ(shot.pixelColor(4, 4), QColor(138, 138, 138));
    EXPECT_EQ(b->State(), TZvGridButtonState::bsDisabled);

    // A disabled glyph given first is kept when the glyph comes later.
    TZvGridButton* c = Make(60);
    TBitmap own(10, 10);
    own.Canvas()->Brush()->SetColor(clBlue);
    own.Canvas()->FillRect(TRect{0, 0, 10, 10});
    c->SetGlyphDisabled(&own);
    c->SetGlyph(glyph.get());
    EXPECT_EQ(c->GlyphDisabled()->Image().pixelColor(4, 4), QColor(0, 0, 255));
}

TEST_F(TButtonForm, LooksSetTheirColours)
{
    TZvGridButton* b = Make(10);
    b->SetFlat(false);
    b->SetBorderColor(clRed);
    b->SetLook(0);
    EXPECT_TRUE(b->Flat());
    EXPECT_TRUE(b->Rounded());
    EXPECT_EQ(b->BorderColor(), clNone);
    EXPECT_EQ(b->Color(), TColor(0xEDF1F1));
    EXPECT_EQ(b->BorderDownColor(), TColor(0xAF987A));
    EXPECT_EQ(b->BorderHotColor(), TColor(0xC3CECE));
    b->SetLook(3);
    EXPECT_FALSE(b->Rounded());
    EXPECT_EQ(b->ColorTo(), TColor(0x8CC0B1));
    EXPECT_EQ(b->ColorHot(), TColor(0xCCF4FF));
    b->SetLook(9);   // ignored
    EXPECT_EQ(b->ColorTo(), TColor(0x8CC0B1));

    // The flat face is painted in Color when the pointer is elsewhere.
    b->SetLook(5);
    b->SetColor(0x00FF00);
    const QImage shot = Shot(b);
    EXPECT_EQ(shot.pixelColor(20, 12), QColor(0, 255, 0));
    EXPECT_TRUE(shot.save(ScreenshotFolder() + QStringLiteral("/grid-button.png")));
}

TEST_F(TButtonForm, GradientBandsRunFromColourToColour)
{
    TBitmap bmp(10, 16);
    TZvGridButton::DrawButtonGradient(bmp.Canvas(), 0x000000, 0xF0F0F0, true, TRect{0, 0, 10, 16}, 16, clNone);
    const QImage img = bmp.Image();
    EXPECT_EQ(img.pixelColor(5, 0), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(5, 15), QColor(225, 225, 225));   // band 15 of 16
    EXPECT_LT(img.pixelColor(5, 4).red(), img.pixelColor(5, 12).red());
}
