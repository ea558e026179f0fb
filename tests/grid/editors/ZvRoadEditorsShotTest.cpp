// The four editors the product's tables use (text, list-only combo, editable
// combo, data check box) opened by a click or a key on a grid shaped like the
// SNMP manager table, each shown in a real window and grabbed to
// build/screenshots/road-editor-<kind>.png for looking at.

#include "grid/ZvColumnGrid.h"

#include "platform/Forms.h"
#include "platform/Graphics.h"

#include "grid/editors/ZvGridCombo.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

enum { ColEnable = 1, ColAddress = 2, ColType = 3, ColCommunity = 4, ColOid = 5 };

struct RoadEditors : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 560, 230);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 560, 230);
        grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                                      goColSizing, goEditing});
        grid->SetColCount(6);
        grid->SetRowCount(7);
        grid->SetFixedRows(1);
        grid->SetFixedCols(1);
        grid->SetDefaultRowHeight(22);
        struct {
            const char* header;
            TEditorType editor;
            int width;
            TColor color;
        } const columns[] = {
            {"N", TEditorType::edNormal, 40, clBtnFace},
            {"Enable", TEditorType::edDataCheckBox, 50, 0xB0D8FF},
            {"IP Address", TEditorType::edNormal, 90, 0xFEFAE0},
            {"Type", TEditorType::edComboList, 65, 0xA8FFFF},
            {"Community Name", TEditorType::edComboEdit, 106, 0xFEFAE0},
            {"OID", TEditorType::edNormal, 150, 0xFEFAE0},
        };
        for (int c = 0; c < 6; ++c) {
            TGridColumnItem* item = grid->Columns()->Items(c);
            item->SetHeader(columns[c].header);
            item->SetEditor(columns[c].editor);
            item->SetWidth(columns[c].width);
            item->SetColor(columns[c].color);
        }
        grid->Columns()->Items(0)->SetFixed(true);
        for (const char* s : {"Quenta", "Sorvine"}) grid->Columns()->Items(ColCommunity)->ComboItems()->Add(s);
        // The Type list is filled per row, as the form does it.
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType&) {
            if (c != ColType) return;
            grid->ClearComboString();
            grid->AddComboString(QStringLiteral("String"));
            grid->AddComboString(QStringLiteral("Int"));
        };
        for (int r = 1; r < 7; ++r) {
            grid->SetCellEx(0, r, QString::number(r));
            grid->SetCellEx(ColEnable, r, r % 2 ? "Y" : "N");
            grid->SetCellEx(ColAddress, r, QStringLiteral("127.0.0.%1").arg(r));
            grid->SetCellEx(ColType, r, r % 2 ? "String" : "Int");
            grid->SetCellEx(ColCommunity, r, "Quenta");
            grid->SetCellEx(ColOid, r, QStringLiteral("1.3.6.1.2.1.1.%1.0").arg(r));
        }
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { ClearKeyStates(); }

    TPoint Middle(int col, int row)
    {
        const TRect cell = grid->CellRect(col, row);
        return TPoint{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
    }
    // A click makes the cell current; a second one on the current cell opens its editor.
    void ClickCell(int col, int row)
    {
        Simulate::Click(grid, Middle(col, row));
        QCoreApplication::processEvents();
    }

    // The window as the screen shows it, with a dropped list drawn in where it stands.
    QImage Grab(const String& kind, TRect* listRect = nullptr)
    {
        QCoreApplication::processEvents();
        QImage image = form->Handle()->grab().toImage();
        auto* combo = qobject_cast<QComboBox*>(grid->ComboEditor()->Handle());
        if (combo && grid->ComboEditor()->DroppedDown()) {
            QWidget* popup = combo->view()->window();
            const QPoint at = form->Handle()->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0)));
            QPainter painter(&image);
            painter.drawPixmap(at, popup->grab());
            if (listRect) *listRect = Bounds(at.x(), at.y(), popup->width(), popup->height());
        }
        EXPECT_TRUE(image.save(ScreenshotFolder() + "/road-editor-" + kind + ".png"));
        return image;
    }

    // The editor's rectangle in the grid's client coordinates lies inside the cell's.
    static ::testing::AssertionResult Inside(const TRect& editor, const TRect& cell)
    {
        if (editor.Left >= cell.Left && editor.Top >= cell.Top && editor.Right <= cell.Right + 1 &&
            editor.Bottom <= cell.Bottom + 1 && editor.Width() >= cell.Width() - 6 &&
            editor.Height() >= cell.Height() - 6)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "editor " << editor.Left << ',' << editor.Top << '-' << editor.Right << ',' << editor.Bottom
               << " cell " << cell.Left << ',' << cell.Top << '-' << cell.Right << ',' << cell.Bottom;
    }

    static int DarkPixels(const QImage& image, const TRect& r)
    {
        int dark = 0;
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < r.Right - 2; ++x)
                if (qGray(image.pixel(x, y)) < 90) ++dark;
        return dark;
    }
    // The top left corner of the ink (dark pixels) inside a rectangle, relative to it.
    static QPoint InkCorner(const QImage& image, const TRect& r)
    {
        QPoint corner(r.Width(), r.Height());
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < r.Right - 2; ++x)
                if (qGray(image.pixel(x, y)) < 90) {
                    corner.setX(std::min(corner.x(), x - r.Left));
                    corner.setY(std::min(corner.y(), y - r.Top));
                }
        return corner;
    }
    // The colour most pixels of the rectangle have.
    static QRgb Commonest(const QImage& image, const TRect& r)
    {
        std::map<QRgb, int> counts;
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < r.Right - 2; ++x) ++counts[image.pixel(x, y)];
        return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })
            ->first;
    }
};

TEST_F(RoadEditors, TextEditorOpensByTypingAndFitsItsCell)
{
    ClickCell(ColAddress, 2);
    ASSERT_EQ(grid->Col(), ColAddress);
    ASSERT_EQ(grid->Row(), 2);
    Simulate::Type(grid, "1");
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_TRUE(editor && editor->Visible());
    Simulate::Type(editor, "0.0.0.9");
    EXPECT_EQ(editor->Text(), "10.0.0.9");
    const TRect cell = grid->CellRect(ColAddress, 2);
    EXPECT_TRUE(Inside(editor->BoundsRect(), cell));
    EXPECT_EQ(editor->Font()->Name(), grid->Font()->Name());
    EXPECT_EQ(editor->Font()->Size(), grid->Font()->Size());
    EXPECT_EQ(editor->Color(), TColor(0xFEFAE0)) << "the editor takes the cell's colour";
    EXPECT_EQ(editor->Handle()->palette().color(QPalette::Base), ToQColor(0xFEFAE0));

    const QImage image = Grab("text");
    EXPECT_GT(DarkPixels(image, cell), 20) << "the typed text shows";
    const QPoint edited = InkCorner(image, cell), shown = InkCorner(image, grid->CellRect(ColAddress, 3));
    EXPECT_NEAR(edited.x(), shown.x(), 1) << "the text keeps its place when editing starts";
    EXPECT_NEAR(edited.y(), shown.y(), 1);
    EXPECT_EQ(QColor(Commonest(image, cell)), ToQColor(0xFEFAE0)) << "the editor shows in the cell's colour";
    Simulate::Key(editor, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->GetCellEx(ColAddress, 2), "10.0.0.9");
}

TEST_F(RoadEditors, ListOnlyComboOpensOnASecondClickAndDropsItsPerRowList)
{
    ClickCell(ColType, 2);
    ASSERT_EQ(grid->Col(), ColType);
    TGridCombo* combo = grid->ComboEditor();
    EXPECT_FALSE(combo->Visible()) << "the first click only selects";
    ClickCell(ColType, 2);
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(grid->EditCtrl(), combo);
    EXPECT_EQ(combo->Style(), TComboBoxStyle::csDropDownList);
    EXPECT_EQ(combo->Items()->Count(), 2);
    EXPECT_EQ(combo->Text(), "Int");
    const TRect cell = grid->CellRect(ColType, 2);
    EXPECT_TRUE(Inside(combo->BoundsRect(), cell));

    Simulate::Key(combo, Qt::Key_F4);
    QCoreApplication::processEvents();
    ASSERT_TRUE(combo->DroppedDown());
    TRect list;
    const QImage image = Grab("combolist", &list);
    // The list drops below the cell, as wide as it, and shows both items (the
    // grid sits at the form's top left corner).
    EXPECT_NEAR(list.Left, cell.Left, 2);
    EXPECT_GE(list.Width(), cell.Width() - 2);
    EXPECT_NEAR(list.Top, cell.Bottom, 4) << "below the cell, not laid over it";
    EXPECT_GE(list.Height(), 2 * QFontMetrics(combo->Handle()->font()).height()) << "room for both items";
    EXPECT_GT(DarkPixels(image, list), 20) << "the items are written";
    combo->SetDroppedDown(false);
}

// Enter ends a text edit; the next cell then opens the editor of its own kind.
TEST_F(RoadEditors, AfterATextEditEndedByEnterTheComboCellsOpenTheirCombo)
{
    for (const int col : {ColType, ColCommunity}) {
        SCOPED_TRACE(col);
        ClickCell(ColAddress, 2);
        Simulate::Type(grid, "1");
        ASSERT_TRUE(grid->InplaceEditor()->Visible());
        Simulate::Key(grid->InplaceEditor(), Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::processEvents();
        ASSERT_FALSE(grid->InplaceEditor()->Visible());
        EXPECT_EQ(grid->GetCellEx(ColAddress, 2), "1");
        ClickCell(col, 3);
        ClickCell(col, 3);
        EXPECT_FALSE(grid->InplaceEditor()->Visible()) << "no text editor on a combo cell";
        ASSERT_TRUE(grid->ComboEditor()->Visible());
        EXPECT_EQ(grid->ComboEditor()->Text(), col == ColType ? "String" : "Quenta");
        grid->HideInplaceEdit();
        grid->SetFocus();
    }
}

TEST_F(RoadEditors, EditableComboOpensOnASecondClickAndTakesTypedText)
{
    ClickCell(ColCommunity, 3);
    ClickCell(ColCommunity, 3);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Style(), TComboBoxStyle::csDropDown);
    EXPECT_EQ(combo->Text(), "Quenta");
    const TRect cell = grid->CellRect(ColCommunity, 3);
    EXPECT_TRUE(Inside(combo->BoundsRect(), cell));
    const QImage image = Grab("comboedit");
    EXPECT_GT(DarkPixels(image, cell), 20) << "the cell's text shows in the combo";
}

TEST_F(RoadEditors, DataCheckBoxTogglesByAClickAndOpensNoEditor)
{
    const TRect cell = grid->CellRect(ColEnable, 2);
    const QImage before = form->Handle()->grab().toImage();
    ASSERT_EQ(grid->GetCellEx(ColEnable, 2), "N");
    ClickCell(ColEnable, 2);
    const QImage image = Grab("datacheckbox");
    EXPECT_EQ(grid->GetCellEx(ColEnable, 2), "Y");
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->Visible());
    EXPECT_FALSE(grid->ComboEditor()->Visible());
    EXPECT_GT(DarkPixels(image, cell), DarkPixels(before, cell) + 5) << "the tick shows";
    Simulate::Key(grid, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(grid->GetCellEx(ColEnable, 2), "N") << "Space toggles it back";
}

} // namespace
