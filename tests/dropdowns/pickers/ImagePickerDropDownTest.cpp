// The image picker drop-down: image indices, Enter, keys by columns and
// pages, the wheel's hot mark, cancel, folders and the edit's painting.
#include "dropdowns/pickers/ZvImagePickerDropDown.h"
#include "platform/ImgList.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

#include <QDir>

namespace {

struct TImagePickerFixture : TPickerFixture<TZvImagePickerDropDown> {
    TImageList* Images = nullptr;
    int Selects = 0, Changes = 0;
    void SetUp() override
    {
        TPickerFixture::SetUp();
        Images = new TImageList(Form.get());
        for (int i = 0; i < 10; ++i) {
            TBitmap bitmap(16, 16);
            bitmap.Canvas()->Brush()->SetColor(TColor(0x101010 * (i + 1)));
            bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
            Images->Add(&bitmap, nullptr);
        }
        Edit->SetImages(Images);
        Edit->AddImagesFromImageList();
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->OnChange = [this](TObject*) { ++Changes; };
        Edit->SetFocus();
    }
};

TEST_F(TImagePickerFixture, ImageIndexSelectsTheFirstItemWithThatImage)
{
    ASSERT_EQ(Edit->Items()->Count(), 10);
    Edit->SetImageIndex(5);
    EXPECT_EQ(Edit->ItemIndex(), 5);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Changes, 1);
    Edit->SetImageIndex(42);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->ImageIndex(), -1);
    EXPECT_EQ(Selects, 2);
    EXPECT_EQ(Changes, 2);
    Edit->AddImagesFromImageList();
    Edit->SetImageIndex(3);
    EXPECT_EQ(Edit->ItemIndex(), 3);
    Edit->SetItemIndex(25);
    EXPECT_EQ(Edit->ItemIndex(), 3) << "beyond the items is ignored";
    EXPECT_EQ(Edit->Text(), String()) << "the edit text is not touched";
}

TEST_F(TImagePickerFixture, EnterOnTheClosedEditFiresOnSelectOnly)
{
    Edit->SetItemIndex(4);
    Selects = 0;
    Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Edit->ItemIndex(), 4);
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(TImagePickerFixture, UpAndDownInTheOpenPopupMoveByColumns)
{
    Edit->SetColumns(4);
    struct TCase {
        int From, Key, To;
    } cases[] = {{1, Qt::Key_Down, 5}, {8, Qt::Key_Down, 8}, {2, Qt::Key_Up, 2}, {6, Qt::Key_Up, 2},
                 {3, Qt::Key_Left, 2}, {3, Qt::Key_Right, 4}, {5, Qt::Key_Home, 0}, {5, Qt::Key_End, 9}};
    for (const TCase& c : cases) {
        Edit->HideDropDown(false);
        Edit->SetItemIndex(c.From);
        Open();
        Press(c.Key);
        EXPECT_EQ(Edit->ItemIndex(), c.To) << c.From << " key " << c.Key;
        EXPECT_TRUE(Edit->DroppedDown());
    }
}

TEST_F(TImagePickerFixture, PagesMoveByTheVisibleItemsAndStopAtTheEnds)
{
    Edit->DropDownHeader()->SetVisible(false);
    Edit->DropDownFooter()->SetVisible(false);
    Edit->SetDropDownHeight(100);
    Edit->SetItemIndex(0);
    Open();
    const int page = Edit->ItemSelector()->GetVisibleItemCount();
    ASSERT_GE(page, 1);
    ASSERT_LT(page, 9);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Edit->ItemIndex(), page);
    Edit->HideDropDown(false);
    Edit->SetItemIndex(8);
    Open();
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Edit->ItemIndex(), 9);
    Edit->HideDropDown(false);
    Edit->SetItemIndex(page - 1);
    Open();
    Press(Qt::Key_PageUp);
    EXPECT_EQ(Edit->ItemIndex(), 0);
}

TEST_F(TImagePickerFixture, TheWheelMovesOnlyTheHotMarkAndEnterTakesIt)
{
    Edit->SetItemIndex(2);
    Open();
    Selects = 0;
    Simulate::Wheel(Edit->ItemSelector(), Point(5, 5), -120);
    Simulate::Wheel(Edit->ItemSelector(), Point(5, 5), -120);
    EXPECT_EQ(Edit->ItemSelector()->ItemHot(), 1);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1) << "Enter that took the hot item fires no second OnSelect";
    // Closed, the wheel steps the selection.
    Simulate::Wheel(Edit, Point(5, 5), -120);
    EXPECT_EQ(Edit->ItemIndex(), 2);
}

TEST_F(TImagePickerFixture, EscapeRestoresTheItemOfTheOpening)
{
    Edit->SetItemIndex(1);
    Open();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 3);
    Selects = 0;
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
}

TEST_F(TImagePickerFixture, AClickChoosesAndCloses)
{
    Open();
    TCustomItemSelector& panel = *Edit->ItemSelector()->Panel();
    const TRect r = panel.GetItemRect(6);
    Simulate::Click(&panel, Point(r.Left + 3, r.Top + 3));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 6);
}

TEST_F(TImagePickerFixture, AFolderGivesOneItemPerFileAndNoneForFolders)
{
    TempFolder folder;
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(folder.File(QStringLiteral("a.png"))));
    ASSERT_TRUE(red.save(folder.File(QStringLiteral("c.png"))));
    folder.Write(QStringLiteral("b.png"), "not a picture");
    ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("d.png")));
    Edit->Items()->Clear();
    Edit->AddImagesFromFolder(folder.Path() + QStringLiteral("/*.png"), true);
    ASSERT_EQ(Edit->Items()->Count(), 3);
    EXPECT_EQ(Edit->Items()->GetItem(0)->Caption(), QStringLiteral("a.png"));
    EXPECT_EQ(Edit->Items()->GetItem(0)->Image()->Width(), 8);
    EXPECT_EQ(Edit->Items()->GetItem(1)->Caption(), String());
    EXPECT_EQ(Edit->Items()->GetItem(1)->Image()->Graphic(), nullptr);
    EXPECT_EQ(Edit->Items()->GetItem(2)->Caption(), QStringLiteral("c.png"));
    Edit->AddImagesFromFolder(folder.Path() + QStringLiteral("/*"), false);
    EXPECT_EQ(Edit->Items()->Count(), 6) << "\".\", \"..\" and the folder are no items";
    Edit->AddImagesFromFolder(folder.Path() + QStringLiteral("/missing/*.png"), true);
    EXPECT_EQ(Edit->Items()->Count(), 6);
}

TEST_F(TImagePickerFixture, TheClosedEditPaintsTheChosenPictureOrWhatTheHandlerDraws)
{
    Edit->SetItemIndex(9);
    QImage picture = Edit->PaintToImage();
    const TRect r = Edit->GetEditRect();
    const QPoint centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(picture.pixelColor(centre), QColor(0xA0, 0xA0, 0xA0));
    int calls = 0;
    Edit->OnDrawSelectedImage = [&](TObject* sender, TCanvas* canvas, TRect area) {
        ++calls;
        EXPECT_EQ(sender, Edit);
        EXPECT_EQ(area, r);
        canvas->Brush()->SetColor(clLime);
        canvas->FillRect(area);
    };
    Edit->Invalidate();
    picture = Edit->PaintToImage();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(picture.pixelColor(centre), QColor(0, 255, 0));
    // Items removed under the index: nothing to fetch, nothing painted.
    Edit->OnDrawSelectedImage = nullptr;
    while (Edit->Items()->Count() > 3) Edit->Items()->Delete(Edit->Items()->Count() - 1);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->ImageIndex(), -1);
    EXPECT_FALSE(Edit->PaintToImage().isNull());
}

} // namespace
