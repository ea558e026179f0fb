// The colour picker drop-down: the value pair, its texts, the four styles,
// keys, search, cancel and the edit's colour box.
#include "dropdowns/pickers/ZvColorPickerDropDown.h"
#include "dropdowns/pickers/ZvColorSelectors.h"
#include "platform/ExtCtrls.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

namespace {

struct TColorPickerFixture : TPickerFixture<TZvColorPickerDropDown> {
    int Selects = 0;
    void SetUp() override
    {
        TPickerFixture::SetUp();
        Edit->AddDefaultColors();
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
    }
};

TEST(TColorValueTextTest, WritesEachForm)
{
    struct TCase {
        TColor Color;
        TColorValueText Kind;
        const char* Text;
    } cases[] = {
        {0x0000FF, TColorValueText::cvtHex, "0000FF"},
        {0x0000FF, TColorValueText::cvtHTML, "#FF0000"},
        {0x0000FF, TColorValueText::cvtRGB, "Red:255,Green:0,Blue:0"},
        {0x0000FF, TColorValueText::cvtWebName, "clWebRed"},
        {0xFFFFFF, TColorValueText::cvtRGB, "Red:255,Green:255,Blue:255"},
        {0x123456, TColorValueText::cvtHex, "123456"},
        {0x123456, TColorValueText::cvtHTML, "#563412"},
        {0x123456, TColorValueText::cvtWebName, "#563412"},
        {0x000A0B, TColorValueText::cvtHex, "000A0B"},
        {clHighlight, TColorValueText::cvtHex, "FF00000D"},
        {0xFAFAFF, TColorValueText::cvtWebName, "clWebSnow"},
        {0x0000FF, TColorValueText::cvtNone, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ColorValueToText(c.Color, c.Kind), QString::fromLatin1(c.Text)) << c.Text;
    // A system colour's name and RGB forms take its current value.
    EXPECT_EQ(ColorValueToText(clHighlight, TColorValueText::cvtHTML),
              ColorValueToText(ColorToRGB(clHighlight), TColorValueText::cvtHTML));
}

TEST_F(TColorPickerFixture, SelectedColorAndItemIndexMoveTogether)
{
    EXPECT_EQ(Edit->Colors()->Count(), 16);
    Edit->SetSelectedColor(0x0000FF);
    EXPECT_EQ(Edit->ItemIndex(), 9);
    EXPECT_EQ(Edit->SelectedColorText(), QStringLiteral("Red"));
    EXPECT_EQ(Selects, 1);
    Edit->SetSelectedColor(0x0000FF);
    EXPECT_EQ(Selects, 1) << "an unchanged colour does nothing";
    // A colour no entry has is no entry's: the text names the colour itself.
    Edit->ColorValueText = TColorValueText::cvtHTML;
    Edit->SetSelectedColor(0x123456);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->SelectedColorText(), QStringLiteral("#563412"));
    Edit->SetItemIndex(15);
    EXPECT_EQ(Edit->SelectedColor(), clWhite);
    Edit->SetItemIndex(16);
    EXPECT_EQ(Edit->ItemIndex(), 15);
    Edit->AddDefaultColors();
    EXPECT_EQ(Edit->Colors()->Count(), 32);
    // Colours removed under the index: the index reads as none.
    Edit->Colors()->Clear();
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->SelectedColorText(), QStringLiteral("#FFFFFF"));
}

TEST_F(TColorPickerFixture, TheListPicksByKeysAndSearchAndEscapeRestores)
{
    Edit->SetSelectedColor(0x008000);
    ASSERT_EQ(Edit->ItemIndex(), 2);
    Open();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 4);
    EXPECT_EQ(Edit->SelectedColor(), 0x800000u);
    EXPECT_TRUE(Edit->DroppedDown());
    Simulate::KeyDown(Edit, Qt::Key_G);
    Seams.Clock().Advance(300);
    Simulate::KeyDown(Edit, Qt::Key_R);
    EXPECT_EQ(Edit->CurrentSearch(), QStringLiteral("GR"));
    EXPECT_EQ(Edit->ItemIndex(), 2) << "Green, the first caption starting with GR";
    Seams.Clock().Advance(300);
    EXPECT_EQ(Edit->CurrentSearch(), QStringLiteral("GR")) << "each key restarts the 500 ms";
    Seams.Clock().Advance(250);
    EXPECT_EQ(Edit->CurrentSearch(), String());
    Selects = 0;
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->SelectedColor(), 0x008000u);
    EXPECT_EQ(Selects, 1);
    // Closed, the keys step through the colours.
    Press(Qt::Key_Up);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    Press(Qt::Key_End);
    EXPECT_EQ(Edit->ItemIndex(), 15);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 15);
}

TEST_F(TColorPickerFixture, TheListsWheelMovesTheHotMarkAndEnterTakesIt)
{
    Edit->SetItemIndex(0);
    Open();
    Simulate::Wheel(Edit->ListSelector(), Point(4, 4), -120);
    Simulate::Wheel(Edit->ListSelector(), Point(4, 4), -120);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    const int hot = Edit->ListSelector()->ItemHot();
    ASSERT_GE(hot, 0);
    Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), hot);
}

TEST_F(TColorPickerFixture, EachStyleHostsItsOwnPicker)
{
    struct TCase {
        TColorSelectionStyle Style;
        int Width, Height;
    } cases[] = {{TColorSelectionStyle::csDiscrete, 165, 84},
                 {TColorSelectionStyle::csColorCube, 182, 160},
                 {TColorSelectionStyle::csSpectrum, 150, 174}};
    for (const TCase& c : cases) {
        Edit->SetColorSelectionStyle(c.Style);
        Open();
        TControl* hosted = Edit->HostedControl();
        ASSERT_NE(hosted, nullptr);
        EXPECT_TRUE(hosted->Visible());
        EXPECT_EQ(Edit->DropDownForm()->Width(), c.Width + 2);
        EXPECT_EQ(Edit->DropDownForm()->Height(), c.Height + 2);
        EXPECT_FALSE(Edit->DropDownForm()->Sizeable());
        EXPECT_FALSE(Edit->ListSelector()->Visible());
        Edit->HideDropDown(false);
    }
    EXPECT_EQ(Edit->HostedControl(), Edit->SpectrumPanel());
    // The same style again changes nothing.
    Edit->SetColorSelectionStyle(TColorSelectionStyle::csSpectrum);
    EXPECT_EQ(Edit->HostedControl(), Edit->SpectrumPanel());
    Edit->SetColorSelectionStyle(TColorSelectionStyle::csList);
    EXPECT_EQ(Edit->HostedControl(), Edit->ListSelector());
    EXPECT_TRUE(Edit->ListSelector()->Visible());
    EXPECT_FALSE(Edit->CubePanel()->Visible());
}

TEST_F(TColorPickerFixture, ThePaletteStepsWhileClosedAndCancelRestoresTheColour)
{
    Edit->SetColorSelectionStyle(TColorSelectionStyle::csDiscrete);
    Edit->SetSelectedColor(0x123456);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->SelectedColor(), 0xFFFFFFu) << "the first box";
    Press(Qt::Key_Down);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), 0x000000u) << "the next box";
    EXPECT_EQ(Edit->ItemIndex(), -1) << "a palette pick never names an entry";
    Edit->SetSelectedColor(0x123456);
    Open();
    Press(Qt::Key_Down);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), 0xFFFFFFu) << "the first box, nothing being selected";
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), 0x123456u) << "a colour the palette lacks comes back too";
    // A click on a box picks it and closes.
    Open();
    TCustomColorSelector& palette = *Edit->PaletteSelector();
    const TRect box = palette.Items()->GetItem(13)->ItemRect();
    Simulate::Click(&palette, Point(box.Left + 2, box.Top + 2));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), palette.Items()->GetItem(13)->Color());
}

TEST_F(TColorPickerFixture, ACubeClickPicksClearsTheIndexAndCloses)
{
    Edit->ColorValueText = TColorValueText::cvtHTML;
    Edit->SetItemIndex(9);
    Edit->SetColorSelectionStyle(TColorSelectionStyle::csColorCube);
    Open();
    EXPECT_EQ(Edit->CubePanel()->SelectedIndex(), 118) << "red's cell is marked";
    Selects = 0;
    Simulate::Click(Edit->CubePanel(), Point(55, 20));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), 0x663300u);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->SelectedColorText(), QStringLiteral("#003366"));
    Edit->ColorValueText = TColorValueText::cvtHex;
    EXPECT_EQ(Edit->SelectedColorText(), QStringLiteral("663300"));
    EXPECT_GE(Selects, 1);
}

TEST_F(TColorPickerFixture, ASpectrumClickPicksTheShownPixel)
{
    Edit->SetColorSelectionStyle(TColorSelectionStyle::csSpectrum);
    Open();
    TZvColorSpectrumPanel& panel = *Edit->SpectrumPanel();
    TImage* image = panel.SpectrumImage();
    const QPoint at(40, 70);
    const QRgb shown = image->Picture()->Image().pixel(at);
    Simulate::MouseMove(image, Point(at.x(), at.y()));
    Simulate::Click(image, Point(at.x(), at.y()));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->SelectedColor(), TColor(qRed(shown) | (qGreen(shown) << 8) | (qBlue(shown) << 16)));
    EXPECT_EQ(Edit->ItemIndex(), -1);
}

TEST_F(TColorPickerFixture, TheEditShowsABoxAndTextOnlyForAColour)
{
    Form->SetFocus();
    QApplication::processEvents();
    Edit->SetShowText(true);
    QImage picture = Edit->PaintToImage();
    const QPoint inBox(1 + 4 + 7, Edit->Height() / 2);
    const QColor empty = picture.pixelColor(inBox);
    Edit->SetSelectedColor(0x00FF00);
    picture = Edit->PaintToImage();
    EXPECT_EQ(picture.pixelColor(inBox), QColor(0, 255, 0));
    // The caption "Lime" stands right of the box: without it the area looks different.
    Edit->SetShowText(false);
    const QImage withoutText = Edit->PaintToImage();
    const QRect textArea(1 + 4 + 14 + 4, 3, 40, Edit->Height() - 6);
    EXPECT_NE(picture.copy(textArea), withoutText.copy(textArea));
    Edit->SetShowText(true);
    Edit->SetSelectedColor(clNone);
    picture = Edit->PaintToImage();
    EXPECT_EQ(picture.pixelColor(inBox), empty);
    int calls = 0;
    Edit->OnDrawSelectedColor = [&](TObject*, TCanvas*, TRect r) {
        ++calls;
        EXPECT_EQ(r, Rect(1, 1, Edit->Width() - Edit->DropDownButtonWidth() - 2, Edit->Height() - 2));
    };
    Edit->PaintToImage();
    EXPECT_GT(calls, 0);
}

} // namespace
