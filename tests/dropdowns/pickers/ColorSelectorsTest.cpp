// The colour selector panels: the cube's layout and hit test, the spectrum's
// boxes and picks, the palette's layout, keys and drawing.
#include "dropdowns/pickers/ZvColorSelectors.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

template <class TPanel>
struct TPanelFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TPanel* Panel = nullptr;
    int Selects = 0;
    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 260);
        Form->SetColor(clWhite);
        Panel = new TPanel(Form.get());
        Panel->SetParent(Form.get());
        Form->Show();
        QApplication::processEvents();
    }
};

using TCubeFixture = TPanelFixture<TZvColorCubePanel>;

TEST_F(TCubeFixture, LaysOutThirteenRowsOfHexagons)
{
    EXPECT_EQ(Panel->Width(), 182);
    EXPECT_EQ(Panel->Height(), 160);
    struct TCase {
        int Cell, X, Y;
        TColor Color;
    } cases[] = {{1, 55, 20, 0x663300},   {7, 127, 20, 0x660000},  {8, 49, 30, 0x666600}, {58, 19, 80, 0x003300},
                 {64, 91, 80, 0xFFFFFF},  {70, 163, 80, 0x660066}, {71, 25, 90, 0x006633}, {121, 55, 140, 0x003366},
                 {127, 127, 140, 0x2100A5}};
    for (const TCase& c : cases) {
        EXPECT_EQ(Panel->Cell(c.Cell).X, c.X) << c.Cell;
        EXPECT_EQ(Panel->Cell(c.Cell).Y, c.Y) << c.Cell;
        EXPECT_EQ(Panel->Cell(c.Cell).Color, c.Color) << c.Cell;
    }
}

TEST_F(TCubeFixture, HitsACellWithinItsHalfWidthTheLowerNumberFirst)
{
    Panel->OnSelect = [this](TObject*) { ++Selects; };
    struct TCase {
        int X, Y, Cell;
    } cases[] = {{55, 20, 1}, {61, 20, 1}, {55, 13, -1}, {52, 25, 1}, {49, 30, 8}, {0, 0, -1}, {91, 80, 64}};
    for (const TCase& c : cases) EXPECT_EQ(Panel->CellAtPos(c.X, c.Y), c.Cell) << c.X << "," << c.Y;
    Simulate::Click(Panel, Point(55, 13));
    EXPECT_EQ(Selects, 0);
    EXPECT_EQ(Panel->SelectedIndex(), -1);
    Simulate::Click(Panel, Point(61, 20));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Panel->SelectedIndex(), 1);
    EXPECT_EQ(Panel->SelectedColor(), 0x663300u);
}

TEST_F(TCubeFixture, SelectedColorMarksItsCellOrNoneAndMovesMakeAHotCellWithAHint)
{
    Panel->SetSelectedColor(0xFFFFFF);
    EXPECT_EQ(Panel->SelectedIndex(), 64);
    Panel->SetSelectedColor(0x010203);
    EXPECT_EQ(Panel->SelectedIndex(), -1);
    EXPECT_EQ(Panel->SelectedColor(), 0x010203u);
    Simulate::MouseMove(Panel, Point(91, 80));
    EXPECT_EQ(Panel->HotIndex(), 64);
    EXPECT_EQ(Panel->Hint(), QStringLiteral("Red: 255,  Green: 255,  Blue: 255"));
    Simulate::MouseMove(Panel, Point(2, 2));
    EXPECT_EQ(Panel->HotIndex(), 64) << "the hot cell keeps its frame";
    EXPECT_EQ(Panel->Hint(), String());
    Panel->ResetHotCell();
    EXPECT_EQ(Panel->HotIndex(), -1);
    int hides = 0;
    Panel->OnShouldHide = [&](TObject*) { ++hides; };
    Simulate::Click(Panel, Point(91, 80));
    EXPECT_EQ(hides, 1);
    // The selected cell wears the black frame over its colour.
    const QImage picture = Panel->PaintToImage();
    EXPECT_EQ(picture.pixelColor(91 + 5, 80), QColor(0, 0, 0));
    EXPECT_EQ(picture.pixelColor(55, 20), QColor(0x00, 0x33, 0x66));
}

using TSpectrumFixture = TPanelFixture<TZvColorSpectrumPanel>;

TEST_F(TSpectrumFixture, ShowsTheHotAndSelectedColoursInTheirBoxes)
{
    EXPECT_EQ(Panel->Width(), 150);
    EXPECT_EQ(Panel->Height(), 174);
    EXPECT_EQ(Panel->SpectrumImage()->Left(), 11);
    EXPECT_EQ(Panel->SpectrumImage()->Top(), 10);
    EXPECT_EQ(Panel->SelectedRect(), Rect(10, 146, 73, 166));
    EXPECT_EQ(Panel->HotRect(), Rect(77, 146, 140, 166));
    EXPECT_EQ(Panel->SelectedColor(), clWhite);
    EXPECT_EQ(Panel->HotColor(), clNone);
    Panel->OnSelect = [this](TObject*) { ++Selects; };
    TImage* image = Panel->SpectrumImage();
    const QImage spectrum = image->Picture()->Image();
    ASSERT_EQ(spectrum.size(), QSize(128, 128));
    Simulate::MouseMove(image, Point(100, 30));
    const QColor shown = spectrum.pixelColor(100, 30);
    EXPECT_EQ(Panel->HotColor(), TColor(shown.red() | (shown.green() << 8) | (shown.blue() << 16)));
    Simulate::MouseDown(image, Point(100, 30));
    EXPECT_EQ(Panel->SelectedColor(), Panel->HotColor());
    EXPECT_EQ(Selects, 1);
    const QImage picture = Panel->PaintToImage();
    EXPECT_EQ(picture.pixelColor(40, 156), shown) << "the selected box";
    EXPECT_EQ(picture.pixelColor(108, 156), shown) << "the hot box";
    Panel->UpdateLayout();
    EXPECT_EQ(Panel->HotColor(), clNone);
    // The spectrum runs from white at the top to black at the bottom.
    EXPECT_EQ(spectrum.pixelColor(64, 0), QColor(255, 255, 255));
    EXPECT_EQ(spectrum.pixelColor(64, 127), QColor(0, 0, 0));
}

struct TPaletteFixture : TPanelFixture<TCustomColorSelector> {
    void SetUp() override
    {
        TPanelFixture::SetUp();
        Panel->AddOfficeColors();
        Panel->OnItemSelect = [this](TObject*) { ++Selects; };
    }
};

TEST_F(TPaletteFixture, LaysOutSixRowsWithAGapBelowTheStandAloneRow)
{
    ASSERT_EQ(Panel->Items()->Count(), 60);
    const int rows[] = {4, 20, 32, 44, 56, 68};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 10; ++c) {
            const TRect box = Panel->Items()->GetItem(r * 10 + c)->ItemRect();
            EXPECT_EQ(box, Rect(4 + 16 * c, rows[r], 16 + 16 * c, rows[r] + 12)) << r << "," << c;
        }
    }
    EXPECT_EQ(Panel->Width(), 165);
    EXPECT_EQ(Panel->Height(), 84);
    EXPECT_EQ(Panel->Items()->GetItem(11)->Color(), 0x7F7F7Fu);
    EXPECT_EQ(Panel->Items()->GetItem(50)->Color(), 0x7F7F7Fu);
    Panel->Items()->Clear();
    Panel->UpdateLayout();
    EXPECT_EQ(Panel->Width(), 100);
    EXPECT_EQ(Panel->Height(), 50);
}

TEST_F(TPaletteFixture, KeysFollowTheRowsWhenOpenAndTheOrderWhenClosed)
{
    struct TCase {
        int From;
        WORD Key;
        bool EditorEnabled, Open;
        int To;
    } cases[] = {{3, VK_UP, false, true, 3},     {3, VK_DOWN, false, true, 13},  {55, VK_DOWN, false, true, 55},
                 {-1, VK_DOWN, false, true, 0},   {3, VK_DOWN, false, false, 4},  {3, VK_UP, false, false, 2},
                 {3, VK_LEFT, true, false, 3},    {3, VK_LEFT, false, false, 2},  {3, VK_RIGHT, true, true, 4},
                 {7, VK_PRIOR, false, false, 0},  {7, VK_END, false, true, 59},  {0, VK_LEFT, false, true, 0},
                 {7, VK_RETURN, false, true, 7}};
    for (const TCase& c : cases) {
        Panel->SetItemIndex(c.From);
        Panel->HandleKey(c.Key, c.EditorEnabled, c.Open);
        EXPECT_EQ(Panel->ItemIndex(), c.To) << c.From << " key " << c.Key;
    }
}

TEST_F(TPaletteFixture, SelectedColorPicksTheFirstBoxOfThatColour)
{
    Panel->SetSelectedColor(0x7F7F7F);
    EXPECT_EQ(Panel->ItemIndex(), 11);
    EXPECT_EQ(Selects, 1);
    Panel->SetSelectedColor(0x010101);
    EXPECT_EQ(Panel->ItemIndex(), -1);
    Panel->SetSelectedColor(clNone);
    EXPECT_EQ(Panel->ItemIndex(), -1);
    Panel->Items()->GetItem(5)->SetEnabled(false);
    Panel->SetItemIndex(5);
    EXPECT_EQ(Panel->ItemIndex(), -1) << "a disabled box is never selected";
}

TEST_F(TPaletteFixture, DrawsFramesByStateAndLeavesAnEmptyBoxUnfilled)
{
    Panel->Items()->GetItem(0)->SetColor(clNone);
    Panel->SetItemIndex(2);
    Simulate::MouseMove(Panel, Point(37, 9));
    EXPECT_EQ(Panel->ItemHot(), 2);
    Simulate::MouseMove(Panel, Point(53, 9));
    EXPECT_EQ(Panel->ItemHot(), 3);
    const QImage picture = Panel->PaintToImage();
    const TRect empty = Panel->Items()->GetItem(0)->ItemRect();
    EXPECT_EQ(picture.pixelColor(empty.Left + 5, empty.Top + 5), picture.pixelColor(2, 2)) << "not filled";
    EXPECT_EQ(picture.pixelColor(empty.Left, empty.Top + 5), QColor(0xC5, 0xC5, 0xC5)) << "its border";
    const TRect selected = Panel->Items()->GetItem(2)->ItemRect();
    EXPECT_EQ(picture.pixelColor(selected.Left, selected.Top + 5), QColor(255, 0, 0));
    const TRect hot = Panel->Items()->GetItem(3)->ItemRect();
    EXPECT_EQ(picture.pixelColor(hot.Left, hot.Top + 5), QColor(0xF2, 0x94, 0x36));
    // Hot and selected at once: the selected frame.
    Simulate::MouseMove(Panel, Point(37, 9));
    const QImage both = Panel->PaintToImage();
    EXPECT_EQ(both.pixelColor(selected.Left, selected.Top + 5), QColor(255, 0, 0));
    Simulate::Leave(Panel);
    EXPECT_EQ(Panel->ItemHot(), -1);
}

} // namespace
