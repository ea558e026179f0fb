// Column grids shaped like the product's tables in a real window: the SNMP
// manager table (23 columns, 513 rows) and the DALI device grid (6 columns,
// real columns 2 and 3 hidden, a header menu on a real column). Both are
// rendered to build/screenshots for looking at.

#include "grid/ZvColumnGrid.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Seams.h"

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class TWindowGrid : public TZvColumnGrid {
public:
    using TZvColumnGrid::TZvColumnGrid;
    using TZvColumnGrid::MouseDownHook;
};

struct TColumnLayout {
    const char* header;
    TEditorType editor;
    int width;
    TColor color;
};

// The request table's columns as the SNMP manager form lays them out (colours as RGB written BGR).
const TColumnLayout SnmpColumns[] = {
    {"N", TEditorType::edNormal, 40, clNone},
    {"Enable", TEditorType::edDataCheckBox, 50, 0xB0D8FF},
    {"IP Address", TEditorType::edNormal, 90, 0xFEFAE0},
    {"Version", TEditorType::edComboList, 60, 0xFEFAE0},
    {"Community Name", TEditorType::edComboEdit, 106, 0xFEFAE0},
    {"OID", TEditorType::edNormal, 100, 0xFEFAE0},
    {"Type", TEditorType::edComboList, 65, 0xA8FFFF},
    {"Mode", TEditorType::edComboList, 65, 0xA8FFFF},
    {"OnChange", TEditorType::edDataCheckBox, 75, 0xA8FFA8},
    {"OnCMD", TEditorType::edDataCheckBox, 50, 0xA8FFA8},
    {"OnTimer", TEditorType::edDataCheckBox, 65, 0xA8FFA8},
    {"Time", TEditorType::edNormal, 65, 0xA8FFA8},
    {"Position", TEditorType::edComboList, 75, 0xF4D6FC},
    {"Num Bytes", TEditorType::edNormal, 75, 0xF4D6FC},
    {"Conversion", TEditorType::edComboList, 95, 0xB0D8FF},
    {"Cancel", TEditorType::edDataCheckBox, 50, 0xFFD5D5},
    {"User", TEditorType::edNormal, 70, 0xFFDE91},
    {"Auth Pass", TEditorType::edNormal, 70, 0xFFDE91},
    {"Priv Pass", TEditorType::edNormal, 70, 0xFFDE91},
    {"Security Level", TEditorType::edComboList, 100, 0xFFDE91},
    {"Auth Mode", TEditorType::edComboList, 75, 0xFFDE91},
    {"Priv Mode", TEditorType::edComboList, 75, 0xFFDE91},
    {"Mnemonic", TEditorType::edNormal, 80, clWindow},
};

bool HasSeveralColours(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first) return true;
    return false;
}

// Pixels of a cell's inside in the form's picture, where the grid sits at
// (left, top) of the form: the outer two pixels (lines, border) left out.
int DarkPixels(const QImage& image, const TRect& cell, int left, int top)
{
    int dark = 0;
    for (int y = cell.Top + 2; y < cell.Bottom - 2; ++y)
        for (int x = cell.Left + 2; x < cell.Right - 2; ++x)
            if (qGray(image.pixel(left + x, top + y)) < 80) ++dark;
    return dark;
}

QColor CellCorner(const QImage& image, const TRect& cell, int left, int top)
{
    return QColor(image.pixel(left + cell.Right - 4, top + cell.Bottom - 4));
}

// A grid of that many columns and rows filling the form below its top.
TWindowGrid* PlaceGrid(TForm& form, int width, int height, int top, int cols, int rows)
{
    form.SetBounds(0, 0, width, height);
    auto* grid = new TWindowGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, top, width, height - top);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    return grid;
}

TEST(ColumnGridWindow, SnmpShapedTableIn23ColumnsAnd513Rows)
{
    TForm form(nullptr);
    TWindowGrid* grid = PlaceGrid(form, 1230, 337, 69, 23, 513);
    ASSERT_EQ(grid->Columns()->Count(), 23);
    for (int c = 0; c < 23; ++c) {
        TGridColumnItem* item = grid->Columns()->Items(c);
        item->SetHeader(SnmpColumns[c].header);
        item->SetEditor(SnmpColumns[c].editor);
        item->SetWidth(SnmpColumns[c].width);
        if (SnmpColumns[c].color != clNone) item->SetColor(SnmpColumns[c].color);
    }
    for (int r = 1; r < 513; ++r) {
        grid->SetCellEx(0, r, QString::number(r));
        grid->SetCellEx(1, r, r % 3 ? "Y" : "N");
        grid->SetCellEx(2, r, QStringLiteral("127.0.0.%1").arg(r % 250 + 1));
        grid->SetCellEx(3, r, "2");
        grid->SetCellEx(5, r, QStringLiteral("1.3.6.1.2.1.1.%1.0").arg(r));
    }
    EXPECT_EQ(grid->GetCellEx(4, 0), "Community Name");
    EXPECT_EQ(grid->ColWidths(4), 106);
    const TCellType type = grid->GetCellType(1, 5);
    EXPECT_TRUE(type == TCellType::ctDataCheckBox || type == TCellType::ctVirtCheckBox);
    EXPECT_TRUE(grid->QueryHasComboBox(3, 5));
    form.Show();
    const QImage image = form.PaintToImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(ScreenshotFolder() + QStringLiteral("/column-grid-snmp.png")));
    EXPECT_TRUE(HasSeveralColours(image));
    // Each column paints its data cells in its item's colour; the check
    // boxes of the Enable column show their state.
    const int top = grid->Top();
    for (int c : {2, 6, 8, 12, 15, 16}) {
        const TRect cell = grid->CellRect(c, 4);
        ASSERT_FALSE(cell.IsEmpty()) << c;
        EXPECT_EQ(CellCorner(image, cell, 0, top), ToQColor(SnmpColumns[c].color)) << SnmpColumns[c].header;
    }
    const int checked = DarkPixels(image, grid->CellRect(1, 4), 0, top);     // "Y"
    const int unchecked = DarkPixels(image, grid->CellRect(1, 3), 0, top);   // "N"
    EXPECT_GT(checked, unchecked + 5);
    EXPECT_GT(DarkPixels(image, grid->CellRect(2, 4), 0, top), 10) << "the address is written";
}

TEST(ColumnGridWindow, DaliShapedGridWithHiddenColumnsAndAHeaderMenu)
{
    TTestSeams seams;
    TForm form(nullptr);
    TWindowGrid* grid = PlaceGrid(form, 600, 260, 0, 6, 65);
    const char* headers[] = {"N", "Device", "Hidden A", "Hidden B", "Group", "Address"};
    for (int c = 0; c < 6; ++c) grid->Columns()->Items(c)->SetHeader(headers[c]);
    grid->Columns()->Items(1)->SetEditor(TEditorType::edDataCheckBox);
    grid->Columns()->Items(4)->SetReadOnly(true);
    for (int r = 1; r < 65; ++r) {
        grid->SetCellEx(0, r, QString::number(r - 1));
        grid->SetCellEx(1, r, r % 2 ? "Y" : "N");
        grid->SetCellEx(2, r, QStringLiteral("kept %1").arg(r));
        grid->SetCellEx(5, r, QString::number(r + 100));
    }
    TPopupMenu menu(&form);
    grid->Columns()->Items(5)->SetColumnPopup(&menu);
    grid->HideColumn(2);
    grid->HideColumn(3);
    form.Show();
    const QImage image = form.PaintToImage();
    EXPECT_TRUE(image.save(ScreenshotFolder() + QStringLiteral("/column-grid-dali.png")));
    EXPECT_TRUE(HasSeveralColours(image));
    // The rows scrolled out of view leave the visible ones painted in the cell colour,
    // not covered by the background beyond the last row.
    EXPECT_TRUE(grid->CellRect(1, 64).IsEmpty());
    const TRect lowCell = grid->CellRect(1, grid->TopRow() + grid->VisibleRowCount() - 1);
    EXPECT_EQ(QColor(image.pixel(lowCell.Right - 3, lowCell.Bottom - 3)), QColor(ColorToRGB(grid->Color())));
    // Real column 4 sits in display column 2, next to the check boxes, and
    // real column 5's numbers in display column 3.
    EXPECT_GT(DarkPixels(image, grid->CellRect(1, 1), 0, 0), DarkPixels(image, grid->CellRect(1, 2), 0, 0) + 5);
    EXPECT_EQ(DarkPixels(image, grid->CellRect(2, 3), 0, 0), 0) << "the hidden columns' texts are not shown";
    EXPECT_GT(DarkPixels(image, grid->CellRect(3, 3), 0, 0), 10);
    if (grid->NumHiddenColumns() != 2) GTEST_SKIP() << "the string grid does not hide columns yet";

    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    // Displayed column 3 is real column 5: its header menu pops on a right click.
    const TRect header = grid->TCustomGrid::CellRect(3, 0);
    grid->MouseDownHook(TMouseButton::mbRight, {}, header.Left + 2, header.Top + 2);
    ASSERT_EQ(seams.Popups.size(), 1u);
    EXPECT_EQ(seams.Popups[0].Menu, &menu);
}

} // namespace
