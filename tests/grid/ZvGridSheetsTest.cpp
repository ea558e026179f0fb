// Contact sheets of the grid's painting, saved under build/screenshots for a
// person to look at: a rule table shaped like the DALI access form's, one
// small grid per style preset, and one row per kind of cell object. Each
// sheet is also probed where a fault would show: a missing gradient, a box
// or object that paints nothing, a selection that does not cover its row.

#include "grid/ZvColumnGrid.h"
#include "grid/ZvGrid.h"

#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Pictures.h"
#include "tests/common/TestUtil.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

TColor PixelAt(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
}

// Pixels inside a cell, its grid lines left out, that differ from the colour `ground`.
int InkIn(const QImage& img, const TRect& cell, TColor ground)
{
    int ink = 0;
    for (int y = std::max(cell.Top + 1, 0); y < std::min(cell.Bottom - 2, img.height()); ++y)
        for (int x = std::max(cell.Left + 1, 0); x < std::min(cell.Right - 2, img.width()); ++x)
            if (PixelAt(img, x, y) != ground) ++ink;
    return ink;
}

// Dark pixels inside a cell: ink of ticks and texts, not of frames or fills.
int DarkIn(const QImage& img, const TRect& cell)
{
    int dark = 0;
    for (int y = std::max(cell.Top + 1, 0); y < std::min(cell.Bottom - 2, img.height()); ++y)
        for (int x = std::max(cell.Left + 1, 0); x < std::min(cell.Right - 2, img.width()); ++x)
            if (qGray(img.pixel(x, y)) < 90) ++dark;
    return dark;
}

// A grid filling a form of the given size.
template <class TGrid>
TGrid* PlaceGrid(TForm& form, int width, int height)
{
    form.SetBounds(0, 0, width, height);
    auto* grid = new TGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, width, height);
    return grid;
}

bool Save(const QImage& img, const char* name)
{
    return img.save(ScreenshotFolder() + u'/' + QString::fromLatin1(name));
}

// ---- The rule table ---------------------------------------------------------------------------------------------

struct TRuleColumn {
    const char* header;
    int width;
    TColor color;   // written BGR
};

// The Set Access table of the DALI access form: 13 columns, 256 rules.
const TRuleColumn RuleColumns[] = {
    {"N", 40, clNone},          {"Enable", 50, 0xB0D8FF},     {"Dev/Sen", 80, 0xFEFAE0},
    {"Type", 120, 0xFEFAE0},    {"Ch. Number", 80, 0xFEFAE0}, {"Instance", 60, 0xFEFAE0},
    {"Command", 70, 0xA8FFA8},  {"Time Send", 70, 0xA8FFA8},  {"TimeOut", 70, 0xA8FFA8},
    {"Function", 70, 0xFFD5D5}, {"Position", 70, 0xF4D6FC},   {"Num Bytes", 70, 0xF4D6FC},
    {"Mnemonic", 130, clWhite},
};
constexpr int RuleCols = 13;
constexpr int RuleRows = 257;
constexpr int SelectedRule = 4;
constexpr int ReadOnlyCol = 3;

TEST(GridSheets, RuleTableOf13ColumnsAnd257Rows)
{
    TForm form(nullptr);
    auto* grid = PlaceGrid<TZvColumnGrid>(form, 1200, 420);
    grid->SetColCount(RuleCols);
    grid->SetRowCount(RuleRows);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goRangeSelect, goColSizing});
    grid->SetDefaultRowHeight(22);
    for (int c = 0; c < RuleCols; ++c) {
        TGridColumnItem* item = grid->Columns()->Items(c);
        item->SetHeader(RuleColumns[c].header);
        item->SetWidth(RuleColumns[c].width);
        if (RuleColumns[c].color != clNone) item->SetColor(RuleColumns[c].color);
    }
    grid->Columns()->Items(ReadOnlyCol)->SetReadOnly(true);
    const char* kinds[] = {"Device", "Sensor"};
    for (int r = 1; r < RuleRows; ++r) {
        grid->SetCellEx(0, r, IntToStr(r));
        grid->SetCellEx(2, r, kinds[r % 2]);
        grid->SetCellEx(3, r, r % 2 ? "Push Button" : "Led Lamp");
        grid->SetCellEx(4, r, IntToStr(r % 64));
        grid->SetCellEx(6, r, IntToStr(r * 3 % 256));
        grid->SetCellEx(9, r, "0 - None");
        grid->SetCellEx(12, r, "Rule " + IntToStr(r));
    }
    grid->AddCheckBoxColumn(1);
    for (int r = 1; r < RuleRows; r += 3) grid->SetCheckBoxState(1, r, true);
    form.Show();
    // A rule picked by a click on its number: the whole row is selected.
    grid->SetSelection(TGridRect{1, SelectedRule, RuleCols - 1, SelectedRule});

    const QImage img = grid->PaintToImage();
    ASSERT_FALSE(img.isNull());
    ASSERT_TRUE(Save(img, "grid-rule-table.png"));
    EXPECT_TRUE(LooksPainted(img, ColorToRGB(0xA8FFA8), QRect(0, 0, 600, 100)));

    // The fixed header runs from one colour at its top to another at its bottom.
    const TRect head = grid->CellRect(6, 0);
    EXPECT_NE(PixelAt(img, head.Right - 4, head.Top + 2), PixelAt(img, head.Right - 4, head.Bottom - 3))
        << "no gradient on the header";

    // Body cells show their column's colour, the read-only one too.
    for (int c : {2, ReadOnlyCol, 6, 10}) {
        const TRect cell = grid->CellRect(c, 2);
        EXPECT_EQ(PixelAt(img, cell.Right - 3, cell.Bottom - 3), ColorToRGB(RuleColumns[c].color)) << c;
    }

    // Ticked boxes carry more ink than clear ones, in the same cell colour.
    const TRect ticked = grid->CellRect(1, 1);
    const TRect clear = grid->CellRect(1, 2);
    const TColor box = ColorToRGB(RuleColumns[1].color);
    EXPECT_GT(InkIn(img, clear, box), 20) << "a clear box paints its frame";
    EXPECT_GT(InkIn(img, ticked, box), 20);
    EXPECT_GT(DarkIn(img, ticked), DarkIn(img, clear) + 10) << "a ticked box paints its tick";

    // The selected row takes one colour over every coloured column.
    const TRect a = grid->CellRect(2, SelectedRule);
    const TRect b = grid->CellRect(10, SelectedRule);
    const TColor selA = PixelAt(img, a.Right - 3, a.Bottom - 3);
    EXPECT_EQ(selA, PixelAt(img, b.Right - 3, b.Bottom - 3));
    EXPECT_NE(selA, ColorToRGB(RuleColumns[2].color));
}

// ---- One sheet per style preset ---------------------------------------------------------------------------------

struct TPreset {
    TZvGridStyle style;
    const char* name;
};

const TPreset Presets[] = {
    {TZvGridStyle::gsOffice2003Blue, "office2003-blue"},
    {TZvGridStyle::gsOffice2003Silver, "office2003-silver"},
    {TZvGridStyle::gsOffice2003Olive, "office2003-olive"},
    {TZvGridStyle::gsOffice2003Classic, "office2003-classic"},
    {TZvGridStyle::gsOffice2007Luna, "office2007-luna"},
    {TZvGridStyle::gsOffice2007Obsidian, "office2007-obsidian"},
    {TZvGridStyle::gsOffice2007Silver, "office2007-silver"},
    {TZvGridStyle::gsWindowsXP, "windows-xp"},
    {TZvGridStyle::gsWhidbey, "whidbey"},
    {TZvGridStyle::gsWindowsVista, "windows-vista"},
    {TZvGridStyle::gsWindows7, "windows-7"},
    {TZvGridStyle::gsTerminal, "terminal"},
    {TZvGridStyle::gsOffice2010Blue, "office2010-blue"},
    {TZvGridStyle::gsOffice2010Silver, "office2010-silver"},
    {TZvGridStyle::gsOffice2010Black, "office2010-black"},
    {TZvGridStyle::gsCustom, "custom"},
};

TEST(GridSheets, OneSheetPerStylePreset)
{
    for (const TPreset& p : Presets) {
        SCOPED_TRACE(p.name);
        TForm form(nullptr);
        auto* grid = PlaceGrid<TZvStringGrid>(form, 420, 200);
        grid->SetColCount(5);
        grid->SetRowCount(12);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing, goRangeSelect});
        grid->SetStyle(p.style);
        for (int c = 1; c < 5; ++c) grid->SetCellEx(c, 0, "Head " + IntToStr(c));
        for (int r = 1; r < 12; ++r) {
            grid->SetCellEx(0, r, IntToStr(r));
            for (int c = 2; c < 5; ++c) grid->SetCellEx(c, r, "r" + IntToStr(r) + "c" + IntToStr(c));
        }
        grid->AddCheckBoxColumn(1);
        grid->SetCheckBoxState(1, 2, true);
        form.Show();
        grid->SetSelection(TGridRect{2, 3, 3, 4});

        const QImage img = grid->PaintToImage();
        ASSERT_FALSE(img.isNull());
        ASSERT_TRUE(Save(img, (std::string("grid-style-") + p.name + ".png").c_str()));

        // Header, body and selection are three different colours.
        const TRect head = grid->CellRect(3, 0);
        const TRect body = grid->CellRect(4, 6);
        const TRect sel = grid->CellRect(3, 4);
        const TColor headColor = PixelAt(img, head.Right - 4, head.Bottom - 3);
        const TColor bodyColor = PixelAt(img, body.Right - 3, body.Bottom - 3);
        const TColor selColor = PixelAt(img, sel.Right - 3, sel.Bottom - 3);
        EXPECT_EQ(bodyColor, ColorToRGB(grid->Color()));
        EXPECT_NE(headColor, bodyColor);
        EXPECT_NE(selColor, bodyColor);
        // Every sheet shows its texts.
        EXPECT_GT(InkIn(img, grid->CellRect(4, 6), bodyColor), 15);
    }
}

// ---- Every kind of cell object ----------------------------------------------------------------------------------

TEST(GridSheets, EveryKindOfCellObject)
{
    TForm form(nullptr);
    auto* grid = PlaceGrid<TZvStringGrid>(form, 460, 1000);
    grid->SetColCount(3);
    grid->SetDefaultRowHeight(30);
    grid->SetColWidths(0, 150);
    grid->SetColWidths(1, 140);
    grid->SetColWidths(2, 140);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetCellEx(1, 0, "Object");
    grid->SetCellEx(2, 0, "Other state");

    TImageList images(&form);
    images.SetSize(16, 16);
    for (TColor c : {TColor(clRed), TColor(clGreen), TColor(clBlue)}) {
        TBitmap square(16, 16);
        square.Canvas()->Brush()->SetColor(c);
        square.Canvas()->FillRect(Rect(0, 0, 16, 16));
        images.Add(&square, nullptr);
    }
    grid->SetGridImages(&images);

    struct TKind {
        const char* name;
        std::function<void(int row)> add;
        bool paints = true;   // false: the object shows only on demand (a hint)
    };
    auto radios = [](TZvStringGrid* g, int col, int row, int idx) {
        TStringList* sl = g->CreateRadio(col, row, 0, idx);
        sl->Add("A");
        sl->Add("B");
        sl->Add("C");
        g->SetRadioIdx(col, row, idx);
    };
    const std::vector<TKind> kinds = {
        {"Check box", [&](int r) { grid->AddCheckBox(1, r, true, false); grid->AddCheckBox(2, r, false, false); }},
        {"Data check box", [&](int r) { grid->AddCheckBox(1, r, true, true); grid->AddCheckBox(2, r, false, true); }},
        {"Three-state box",
         [&](int r) {
             grid->AddCheckBox(1, r, TCheckBoxState::cbGrayed);
             grid->AddCheckBox(2, r, TCheckBoxState::cbChecked);
         }},
        {"Radio button",
         [&](int r) { grid->AddRadioButton(1, r, true); grid->AddRadioButton(2, r, false); }},
        {"Radio group", [&](int r) { radios(grid, 1, r, 0); radios(grid, 2, r, 2); }},
        {"Progress",
         [&](int r) {
             grid->SetCellEx(1, r, "40");
             grid->AddProgress(1, r, clGreen, clWhite);
             grid->SetCellEx(2, r, "85");
             grid->AddProgressEx(2, r, clNavy, clWhite, clSilver, clBlack);
         }},
        {"Themed progress",
         [&](int r) {
             grid->SetCellEx(1, r, "30");
             grid->AddZvProgress(1, r, 0, 100);
             grid->SetCellEx(2, r, "75");
             grid->AddProgressFormatted(2, r, clPurple, clWhite, clWhite, clBlack, "%.0f units", 0, 100);
         }},
        {"Progress pie", [&](int r) { grid->AddProgressPie(1, r, clRed, 25); grid->AddProgressPie(2, r, clBlue, 80); }},
        {"Range indicator",
         [&](int r) {
             grid->SetCellEx(1, r, "-40");
             grid->AddRangeIndicator(1, r, 100, clRed, clGreen, true);
             grid->SetCellEx(2, r, "60");
             grid->AddRangeIndicator(2, r, 100, clRed, clGreen, false);
         }},
        {"Rating", [&](int r) { grid->SetCellEx(1, r, "3"); grid->AddRating(1, r, 5, clYellow, clSilver); }},
        {"Shapes",
         [&](int r) {
             grid->AddShape(1, r, TCellShape::csStar, clYellow, clBlack, TCellHAlign::haCenter, TCellVAlign::vaCenter);
             grid->AddShape(2, r, TCellShape::csArrowUp, clGreen, clBlack, TCellHAlign::haCenter,
                            TCellVAlign::vaCenter);
         }},
        {"Button",
         [&](int r) {
             grid->AddButton(1, r, 80, 22, "Press", TCellHAlign::haCenter, TCellVAlign::vaCenter);
             grid->AddButton(2, r, 80, 22, "Down", TCellHAlign::haCenter, TCellVAlign::vaCenter);
             grid->PushButton(2, r, true);
         }},
        {"Bit button",
         [&](int r) {
             TBitmap* glyph = grid->CreateBitButton(1, r, 90, 22, "Glyph", TCellHAlign::haCenter,
                                                    TCellVAlign::vaCenter);
             // The corner pixel's colour is the glyph's transparent colour.
             glyph->SetSize(12, 12);
             glyph->Canvas()->Brush()->SetColor(clWhite);
             glyph->Canvas()->FillRect(Rect(0, 0, 12, 12));
             glyph->Canvas()->Brush()->SetColor(clRed);
             glyph->Canvas()->FillRect(Rect(2, 2, 10, 10));
         }},
        {"Scroll bar",
         [&](int r) {
             grid->AddScrollBar(1, r, false);
             grid->SetScrollProp(1, r, 10, 100);
             grid->SetScrollPosition(1, r, 40);
         }},
        {"Bitmap",
         [&](int r) {
             TBitmap* bmp = grid->CreateBitmap(1, r, false, TCellHAlign::haLeft, TCellVAlign::vaCenter);
             bmp->SetSize(24, 16);
             bmp->Canvas()->Brush()->SetColor(clTeal);
             bmp->Canvas()->FillRect(Rect(0, 0, 24, 16));
         }},
        {"Picture",
         [&](int r) {
             TPicture* pic = grid->CreatePicture(1, r, false, TStretchMode::Stretch, 2, TCellHAlign::haLeft,
                                                 TCellVAlign::vaTop);
             pic->Bitmap()->SetSize(40, 20);
             pic->Bitmap()->Canvas()->Brush()->SetColor(clMaroon);
             pic->Bitmap()->Canvas()->FillRect(Rect(0, 0, 40, 20));
         }},
        {"Icon",
         [&](int r) {
             TIcon* icon = grid->CreateIcon(1, r, TCellHAlign::haLeft, TCellVAlign::vaCenter);
             QImage face(16, 16, QImage::Format_ARGB32);
             face.fill(Qt::darkYellow);
             icon->SetImage(face);
         }},
        {"Image index",
         [&](int r) {
             grid->AddImageIdx(1, r, 0, TCellHAlign::haLeft, TCellVAlign::vaCenter);
             grid->AddDataImage(2, r, 2, TCellHAlign::haCenter, TCellVAlign::vaCenter);
         }},
        {"Several images",
         [&](int r) {
             grid->AddMultiImage(1, r, 0, TCellHAlign::haLeft, TCellVAlign::vaCenter);
             auto* list = dynamic_cast<TIntList*>(grid->GetCellGraphic(1, r)->CellBitmap());
             for (int i : {0, 1, 2}) list->Add(i);
         }},
        {"Rotated text", [&](int r) { grid->AddRotated(1, r, 20, "Rotated"); }},
        {"Comment",
         [&](int r) {
             grid->AddComment(1, r, "A comment");
             grid->AddColorComment(2, r, "Coloured", clBlue);
         }},
        {"Marker", [&](int r) { grid->SetCellEx(1, r, "Misspelled word"); grid->AddMarker(1, r, 0, 10); }},
        {"Expand button", [&](int r) { grid->AddExpand(1, r, 60); }},
        {"Balloon", [&](int r) { grid->AddBalloon(1, r, "Title", "Text", 1); }, false},
        {"Node", [&](int r) { grid->AddNode(r, 2); }},
    };
    grid->SetRowCount(int(kinds.size()) + 2);   // the node spans the spare last row
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const int r = int(i) + 1;
        grid->SetCellEx(0, r, kinds[i].name);
        kinds[i].add(r);
    }
    grid->SetCellEx(1, grid->RowCount() - 1, "Under the node");
    // A radio group stacks its options: the row holds all three.
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (std::string(kinds[i].name) == "Radio group") grid->SetRowHeights(int(i) + 1, 52);
    grid->GotoCell(2, grid->RowCount() - 1);
    form.Show();

    const QImage img = grid->PaintToImage();
    ASSERT_FALSE(img.isNull());
    ASSERT_TRUE(Save(img, "grid-cell-objects.png"));

    // Each object paints in its cell, and in the second column where it has one
    // there (the node's button stands in column 0).
    const TColor window = ColorToRGB(grid->Color());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const int r = int(i) + 1;
        if (grid->IsNode(r)) {
            TRect button = grid->CellRect(0, r);
            const TColor ground = PixelAt(img, button.Right - 3, button.Bottom - 3);
            button.Right = button.Left + 20;
            EXPECT_GT(InkIn(img, button, ground), 6) << kinds[i].name;
            continue;
        }
        for (int c : {1, 2}) {
            if (c == 2 && !grid->GetCellGraphic(2, r)) continue;
            const int ink = InkIn(img, grid->CellRect(c, r), window);
            if (kinds[i].paints)
                EXPECT_GT(ink, 6) << kinds[i].name << " in column " << c;
            else
                EXPECT_LT(ink, 4) << kinds[i].name << " in column " << c;
        }
    }
}

} // namespace
