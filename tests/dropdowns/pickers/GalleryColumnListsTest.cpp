// The gallery's column-list drop-downs open, the grid drop-down also sorted
// and narrowed: saved as screenshots and checked for what they must show.
#include "dropdowns/pickers/ZvGridDropDown.h"
#include "examples/gallery/GalleryPickers.h"
#include "grid/ZvGridOptions.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

#include <QDir>

namespace {

struct TGalleryColumnListsTest : TGalleryWindowFixture<TGalleryPickersForm> {
    QImage Save(TZvCustomDropDown* edit, const char* name)
    {
        QApplication::processEvents();
        const QImage popup = edit->DropDownForm()->PaintToImage();
        popup.save(ScreenshotFolder() + QStringLiteral("/gallery-%1-open.png").arg(QString::fromLatin1(name)));
        return popup;
    }
    // Pixels darker than the light header and cell backgrounds: the drawn texts.
    static int Ink(const QImage& image, const QRect& area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
            for (int x = area.left(); x <= area.right() && x < image.width(); ++x) n += image.pixelColor(x, y).lightness() < 90;
        return n;
    }
};

TEST_F(TGalleryColumnListsTest, MultiColumnListShowsHeaderItemsAndTheSelection)
{
    TZvMultiColumnDropDown* edit = Form->Columns();
    edit->ShowDropDown();
    ASSERT_TRUE(edit->DroppedDown());
    const QImage popup = Save(edit, "multicolumn");
    TZvColGrid& list = *edit->List();
    EXPECT_EQ(list.RowCount(), 6);
    EXPECT_EQ(list.Row(), 2) << "Bern, the chosen item";
    const QPoint offset = list.Handle()->mapTo(edit->DropDownForm()->Handle(), QPoint(0, 0));
    const TRect header = list.CellRect(0, 0);
    EXPECT_GT(Ink(popup, QRect(offset.x() + header.Left, offset.y() + header.Top, header.Width(), header.Height())), 10)
        << "the header caption";
    const TRect bern = list.CellRect(0, 2);
    const QColor selection = popup.pixelColor(offset.x() + bern.Left + 1, offset.y() + bern.Top + bern.Height() / 2);
    const TRect other = list.CellRect(0, 4);
    EXPECT_NE(selection, popup.pixelColor(offset.x() + other.Left + 1, offset.y() + other.Top + other.Height() / 2))
        << "the selected row is drawn apart";
    for (int row = 1; row < 6; ++row) {
        const TRect r = list.CellRect(1, row);
        EXPECT_GT(Ink(popup, QRect(offset.x() + r.Left, offset.y() + r.Top, r.Width(), r.Height())), 5) << "row " << row;
    }
    edit->HideDropDown(false);
}

TEST_F(TGalleryColumnListsTest, GridDropDownOpenSortedAndNarrowed)
{
    TZvGridDropDown* edit = Form->GridPicker();
    edit->ShowDropDown();
    ASSERT_TRUE(edit->DroppedDown());
    ZvGridDrop::TZvColGrid& grid = *edit->InnerGrid();
    Save(edit, "griddropdown");
    EXPECT_EQ(grid.Cells(0, 1), QStringLiteral("Apple"));

    grid.SortSettings()->SetColumn(0);
    grid.SortSettings()->SetDirection(TSortDirection::sdDescending);
    bool sort = true;
    grid.OnCanSort(&grid, 0, sort);
    grid.QSort();
    grid.OnClickSort(&grid, 0);
    const QImage sorted = Save(edit, "griddropdown-sorted");
    EXPECT_EQ(grid.Cells(0, 1), QStringLiteral("Lemon"));
    EXPECT_EQ(grid.Row(), 5) << "Apple, the chosen item, is current after the sort";
    EXPECT_FALSE(sorted.isNull());
    edit->HideDropDown(true);

    edit->LookupMethod = TLookupMethod::lmNarrowDown;
    edit->ShowDropDown();
    for (QChar c : QStringLiteral("ap")) Simulate::Key(edit->InnerGrid(), 0, Qt::NoModifier, String(c));
    const QImage narrowed = Save(edit, "griddropdown-narrowed");
    EXPECT_EQ(grid.RowCount(), 3) << "the header, Apple and Apricot";
    const QPoint offset = grid.Handle()->mapTo(edit->DropDownForm()->Handle(), QPoint(0, 0));
    const TRect below = grid.CellRect(0, 2);
    EXPECT_GT(Ink(narrowed, QRect(offset.x() + below.Left, offset.y() + below.Top, below.Width(), below.Height())), 5);
    EXPECT_EQ(Ink(narrowed, QRect(offset.x() + below.Left, offset.y() + below.Bottom + 30, below.Width(), 20)), 0)
        << "nothing is drawn where the narrowed-away rows stood";
    edit->HideDropDown(true);
}

} // namespace
