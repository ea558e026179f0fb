// The About dialog: its fixed texts and places, the link to the maker's home
// page (through the seam, never a browser), the OK button, and its picture.
#include "core/UAbout.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

namespace {

const String Home_Page = QStringLiteral("http://www.zorvat.example/HOME/default.asp?frompg=KS40219");

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Create_Text_Table();
        Load_Default_Texts();
    }
    void TearDown() override { Reset_Program_State(); }
    TTestSeams Seams;
    TFAbout Dialog{nullptr};
};

TEST_F(AboutTest, ShowsTheFixedTextsInTheirPlaces)
{
    Dialog.FormShow(&Dialog);
    EXPECT_EQ(Dialog.Caption(), QStringLiteral("About..."));
    EXPECT_EQ(Dialog.ClientWidth(), 425);
    EXPECT_EQ(Dialog.ClientHeight(), 148);
    EXPECT_EQ(Dialog.Color(), TColor(0xEDF7F8));
    EXPECT_EQ(Dialog.Font()->Color(), TColor(0x333333));
    EXPECT_EQ(Dialog.BorderStyle(), TFormBorderStyle::bsSingle);
    EXPECT_EQ(Dialog.BorderIcons(), TBorderIcons{TBorderIcon::biSystemMenu});

    struct TRow {
        TControl* Control;
        int Left, Top;
        const char* Text;
    };
    const TRow rows[] = {
        {Dialog.Label1, 128, 24, "Software Quillmer "},
        {Dialog.Label2, 128, 39, "DALI / SNMP Manager - Converter"},
        {Dialog.Label6, 128, 62, "Software Code : "},
        {Dialog.Label9, 240, 62, "KS40219"},
        {Dialog.Label3, 128, 77, "Version :"},
        {Dialog.Label10, 240, 77, "1.000"},
        {Dialog.Label8, 128, 93, "Document Code :"},
        {Dialog.Label12, 240, 93, "KM40219"},
        {Dialog.Label4, 316, 131, "zorvat.example"},
        {Dialog.ZvPushButton1, 32, 115, "OK"},
    };
    for (const TRow& r : rows) {
        SCOPED_TRACE(r.Text);
        EXPECT_EQ(r.Control->Left(), r.Left);
        EXPECT_EQ(r.Control->Top(), r.Top);
        EXPECT_EQ(r.Control->Caption(), QString::fromUtf8(r.Text));
        EXPECT_TRUE(r.Control->Visible());
    }
    EXPECT_TRUE(Dialog.Label1->Font()->Style().Contains(TFontStyle::fsBold));
    EXPECT_EQ(Dialog.Label4->Font()->Color(), clBlue);
    EXPECT_TRUE(Dialog.Label4->Font()->Style().Contains(TFontStyle::fsUnderline));
    EXPECT_EQ(Dialog.Label4->Cursor(), crHandPoint);
    EXPECT_LE(Dialog.Label4->Left() + Dialog.Label4->Width(), Dialog.ClientWidth());

    for (TImage* image : {Dialog.Image2, Dialog.I_Obrant}) {
        EXPECT_EQ(image->BoundsRect(), Bounds(32, 24, 81, 81));
        EXPECT_TRUE(image->Stretch());
        EXPECT_FALSE(image->Picture()->Empty());
    }
    EXPECT_TRUE(Dialog.Image2->Visible());
    EXPECT_FALSE(Dialog.I_Obrant->Visible());

    EXPECT_EQ(Dialog.ZvPushButton1->BoundsRect(), Bounds(32, 115, 81, 22));
    EXPECT_EQ(Dialog.ZvPushButton1->ColorWhenDown(), clYellow);
    EXPECT_EQ(Dialog.ZvPushButton1->ModalResult(), mrOk);
}

TEST_F(AboutTest, EachShowPutsTheIdentityBackAndIgnoresTheTextTable)
{
    Dialog.Label2->SetCaption(QStringLiteral("changed"));
    Dialog.Label10->SetCaption(QStringLiteral("9.999"));
    Dialog.I_Obrant->Show();
    Dialog.SetClientSize(10, 10);
    for (int slot = 0; slot < Lang_Slot_Count; ++slot) Lang_Strings.SetStrings(slot, QStringLiteral("xx"));
    Dialog.Set_Lang();
    Dialog.FormShow(&Dialog);
    EXPECT_EQ(Dialog.Label2->Caption(), QStringLiteral("DALI / SNMP Manager - Converter"));
    EXPECT_EQ(Dialog.Label10->Caption(), QStringLiteral("1.000"));
    EXPECT_EQ(Dialog.Label6->Caption(), QStringLiteral("Software Code : "));
    EXPECT_FALSE(Dialog.I_Obrant->Visible());
    EXPECT_EQ(Dialog.ClientWidth(), 425);
    EXPECT_EQ(Dialog.ClientHeight(), 148);
}

TEST_F(AboutTest, AddressAndPicturesOpenTheHomePage)
{
    Seams.AnswerModal(
        [&](TCustomForm&) {
            Simulate::Click(Dialog.Label4, {3, 3});
            Simulate::Click(Dialog.Image2, {40, 40});
        },
        mrNone);
    Seams.AnswerModal([&](TCustomForm&) { Simulate::Click(Dialog.ZvPushButton1, {10, 10}); }, mrNone);
    EXPECT_EQ(Dialog.ShowModal(), mrOk);
    EXPECT_EQ(Seams.OpenedUrls, (std::vector<String>{Home_Page, Home_Page}));
    Dialog.Label4Click(Dialog.I_Obrant);
    EXPECT_EQ(Seams.OpenedUrls.size(), 3u);
}

TEST_F(AboutTest, Screenshot)
{
    Dialog.FormShow(&Dialog);
    const QImage image = Dialog.PaintToImage();
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, image.rect()));
    EXPECT_TRUE(image.save(ScreenshotFolder() + QStringLiteral("/about.png")));
}

} // namespace
