// Each of the spin, date, time, date-and-time, edit-button, button and
// fixed-cell editors open on a shown grid, grabbed to
// build/screenshots/editor-<kind>.png for looking at and checked for the
// cell's text drawn where the editor stands.

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvGridDatePicker.h"
#include "grid/editors/ZvGridSimpleEditors.h"

#include "platform/Forms.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct EditorShots : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    TEditorType kind = TEditorType::edNormal;

    void SetUp() override
    {
        TFormatSettings fs = FormatSettings();
        fs.DateSeparator = u'/';
        fs.TimeSeparator = u':';
        fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        fs.ShortTimeFormat = QStringLiteral("hh:nn");
        fs.LongTimeFormat = QStringLiteral("hh:nn:ss");
        SetFormatSettings(fs);
        ClearKeyStates();
        form->SetBounds(0, 0, 420, 260);
        form->SetColor(clBtnFace);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 420, 260);
        grid->SetColCount(3);
        grid->SetRowCount(6);
        grid->SetDefaultRowHeight(24);
        grid->SetColWidths(0, 30);
        grid->SetColWidths(1, 220);
        grid->SetColWidths(2, 150);
        grid->SetOptions(grid->Options() + goEditing);
        grid->SetCells(1, 0, QStringLiteral("Value"));
        grid->SetCells(2, 0, QStringLiteral("Note"));
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = kind;
        };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override
    {
        ClearKeyStates();
        ResetFormatSettingsFromSystem();
    }

    static int DarkPixels(const QImage& image, const TRect& r)
    {
        int dark = 0;
        for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
            for (int x = r.Left + 2; x < r.Right - 2; ++x)
                if (qGray(image.pixel(x, y)) < 160) ++dark;   // dark text, or the selection's blue
        return dark;
    }

    // Opens the editor of `k` on row 2 with `text` and grabs the window.
    QImage Open(TEditorType k, const String& text, const char* name)
    {
        kind = k;
        grid->SetCells(1, 2, text);
        grid->SetCol(1);
        grid->SetRow(2);
        grid->SetFocus();
        Simulate::Key(grid, Qt::Key_F2);
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        QImage image = form->Handle()->grab().toImage();
        EXPECT_TRUE(image.save(ScreenshotFolder() + "/editor-" + name + ".png"));
        return image;
    }
};

TEST_F(EditorShots, EachEditorShowsOpenOverItsCellWithTheCellsValue)
{
    using E = TEditorType;
    const struct {
        E Kind;
        const char* Text;
        const char* Name;
    } cases[] = {
        {E::edSpinEdit, "42", "spin"},
        {E::edFloatSpinEdit, "3.25", "floatspin"},
        {E::edDateEdit, "10/03/2026", "date"},
        {E::edDateEditUpDown, "10/03/2026", "dateupdown"},
        {E::edTimeEdit, "09:15:00", "time"},
        {E::edDateTimeEdit, "10/03/2026 09:15", "datetime"},
        {E::edEditBtn, "Quenta", "editbtn"},
        {E::edButton, "Run", "button"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage closed = form->Handle()->grab().toImage();
        const QImage image = Open(c.Kind, QString::fromLatin1(c.Text), c.Name);
        TWinControl* editor = grid->CellEditor(c.Kind)->EditorControl();
        ASSERT_TRUE(editor->Visible());
        const TRect cell = grid->CellRect(1, 2);
        const TRect r = editor->BoundsRect();
        EXPECT_NEAR(r.Left, cell.Left, 2);
        EXPECT_NEAR(r.Top, cell.Top, 2);
        EXPECT_GT(DarkPixels(image, r), 30) << "the value and the editor's parts are drawn";
        EXPECT_NE(image, closed) << "the open editor changes what the window shows";
        Simulate::Key(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_FALSE(editor->Visible());
    }
}

TEST_F(EditorShots, TheCalendarDropsBelowTheDateCell)
{
    Open(TEditorType::edDateEdit, QStringLiteral("10/03/2026"), "date");
    auto* picker = dynamic_cast<TGridDatePicker*>(grid->CellEditor(TEditorType::edDateEdit));
    ASSERT_NE(picker, nullptr);
    Simulate::Key(picker, Qt::Key_F4);
    QCoreApplication::processEvents();
    QCalendarWidget* calendar = picker->Calendar();
    ASSERT_NE(calendar, nullptr);
    // The calendar is a window of its own: drawn into the picture where it stands.
    QImage image = form->Handle()->grab().toImage();
    image = image.copy(0, 0, image.width(), image.height() + calendar->height());
    const QPoint at = form->Handle()->mapFromGlobal(calendar->mapToGlobal(QPoint(0, 0)));
    {
        QPainter painter(&image);
        painter.drawPixmap(at, calendar->grab());
    }
    EXPECT_TRUE(image.save(ScreenshotFolder() + "/editor-date-calendar.png"));
    const TRect cell = grid->CellRect(1, 2);
    EXPECT_NEAR(at.x(), cell.Left, 3);
    EXPECT_NEAR(at.y(), cell.Bottom, 4);
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 3, 10));
    EXPECT_GT(DarkPixels(image, TRect{at.x(), at.y(), at.x() + calendar->width(), at.y() + calendar->height()}), 100)
        << "the month's days are written";
    picker->CloseUp(false);
}

TEST_F(EditorShots, TheFixedCellEditorShowsOverTheHeader)
{
    grid->MouseActions()->SetFixedRowsEdit(TGridFixedCellEdit::fceDblClick);
    const TRect cell = grid->CellRect(2, 0);
    Simulate::DoubleClick(grid, TPoint{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    QCoreApplication::processEvents();
    ASSERT_TRUE(grid->TransEdit()->Visible());
    const QImage image = form->Handle()->grab().toImage();
    EXPECT_TRUE(image.save(ScreenshotFolder() + "/editor-fixedcell.png"));
    EXPECT_GT(DarkPixels(image, grid->TransEdit()->BoundsRect()), 10) << "the header's text shows in the editor";
}

} // namespace
