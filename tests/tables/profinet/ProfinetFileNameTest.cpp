// The GSDML file-name dialog: how the name is composed from the fixed part,
// the user part and the date of the dialog's creation, and the user parts it
// refuses, through the dialog's own edit and OK button.

#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "tables/profinet/UProfinetFileName.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <gtest/gtest.h>

namespace {

struct ProfinetFileNameTest : ProgramStateFixture {
    TTestSeams Seams;
    std::unique_ptr<TFProfinetFileName> Dialog;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Load_Default_Texts();
        Dialog = std::make_unique<TFProfinetFileName>(nullptr, QDate(2026, 3, 7));
    }
    // Types the user part and presses OK, as the user would.
    void Confirm(const String& user)
    {
        Dialog->SetModalResult(mrNone);
        Dialog->E_XML_User->SetText(user);
        Dialog->Btn_OK->Click();
    }
};

TEST(GSDMLDatePart, YearMonthDayWithLeadingZeros)
{
    EXPECT_EQ(GSDML_Date_Part(QDate(2026, 3, 7)), QStringLiteral("-20260307.xml"));
    EXPECT_EQ(GSDML_Date_Part(QDate(2026, 12, 31)), QStringLiteral("-20261231.xml"));
    EXPECT_EQ(GSDML_Date_Part(QDate(999, 1, 1)), QStringLiteral("-9990101.xml"));
}

TEST_F(ProfinetFileNameTest, ComposesFixedUserAndDateParts)
{
    const struct {
        const char* User;
        const char* Name;
    } cases[] = {
        {"", "GSDML-V2.31-Zorvat-KH40227-20260307.xml"},
        {"   ", "GSDML-V2.31-Zorvat-KH40227-20260307.xml"},
        {"\t", "GSDML-V2.31-Zorvat-KH40227-20260307.xml"},
        {"test", "GSDML-V2.31-Zorvat-KH40227_test-20260307.xml"},
        {"_test", "GSDML-V2.31-Zorvat-KH40227_test-20260307.xml"},
        {"__x", "GSDML-V2.31-Zorvat-KH40227__x-20260307.xml"},
        {" a b ", "GSDML-V2.31-Zorvat-KH40227_ a b -20260307.xml"},   // taken as typed
        {"caf\u00e9", "GSDML-V2.31-Zorvat-KH40227_caf\u00e9-20260307.xml"},
    };
    for (const auto& c : cases) {
        Confirm(QString::fromUtf8(c.User));
        EXPECT_EQ(Dialog->ModalResult(), mrOk) << c.User;
        EXPECT_EQ(Dialog->Name_File_XML, QString::fromUtf8(c.Name)) << c.User;
        EXPECT_EQ(GSDML_File_Name(QString::fromUtf8(c.User), QStringLiteral("-20260307.xml")), QString::fromUtf8(c.Name));
    }
    EXPECT_TRUE(Seams.Boxes.empty());
}

// The date part is the creation date: showing the dialog again, or a
// language change, leaves it and the fixed part as they were.
TEST_F(ProfinetFileNameTest, DateIsFixedAtCreationAndTextsComeFromTheTable)
{
    EXPECT_EQ(Dialog->L_XML_Fix1->Caption(), QStringLiteral("GSDML-V2.31-Zorvat-KH40227"));
    EXPECT_EQ(Dialog->L_XML_Fix2->Caption(), QStringLiteral("-20260307.xml"));
    Dialog->Set_Lang();
    EXPECT_EQ(Dialog->L_XML_Fix2->Caption(), QStringLiteral("-20260307.xml"));
    EXPECT_EQ(Dialog->Caption(), QStringLiteral("PROFINET XML File Name"));
    EXPECT_EQ(Dialog->Label1->Caption(), QStringLiteral("Select the PROFINET XML File Name"));
    EXPECT_EQ(Dialog->Label4->Caption(), QStringLiteral("User Part"));
    EXPECT_EQ(Dialog->E_XML_User->Hint(), QStringLiteral("Insert here the User part of GSDML file"));
    EXPECT_EQ(Dialog->Btn_Cancel->Hint(), QStringLiteral("Exit without save the GSDML File"));
    EXPECT_EQ(Dialog->ClientWidth(), 540);
    EXPECT_EQ(Dialog->ClientHeight(), 205);

    // The user part stays from one showing to the next.
    Seams.AnswerModal(
        [](TCustomForm& f) {
            auto& d = static_cast<TFProfinetFileName&>(f);
            d.E_XML_User->SetText(QStringLiteral("kept"));
            d.Btn_OK->Click();
        },
        mrOk);
    ASSERT_EQ(Dialog->ShowModal(), mrOk);
    Seams.AnswerModal(mrCancel);
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    EXPECT_EQ(Dialog->E_XML_User->Text(), QStringLiteral("kept"));
    EXPECT_EQ(Dialog->L_XML_Fix2->Caption(), QStringLiteral("-20260307.xml"));
}

// A part that would put the file into another folder, or cut its name, is
// refused with one box; the dialog stays open and the last name stands.
TEST_F(ProfinetFileNameTest, RefusesSlashBackslashAndNul)
{
    Confirm(QStringLiteral("good"));
    const String last = Dialog->Name_File_XML;
    for (const String& user : {QStringLiteral("a/b"), QStringLiteral("/"), QStringLiteral("..\\up"),
                               QStringLiteral("x") + QChar(0) + QStringLiteral("y")}) {
        Seams.Boxes.clear();
        Confirm(user);
        ASSERT_EQ(Seams.Boxes.size(), 1u) << user.toStdString();
        EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(Text_GSDML_Bad_User_Part));
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(Dialog->ModalResult(), mrNone);
        EXPECT_EQ(Dialog->Name_File_XML, last);
    }
}

TEST_F(ProfinetFileNameTest, Screenshot)
{
    Dialog->E_XML_User->SetText(QStringLiteral("line2"));
    Dialog->Show();
    const QImage image = Dialog->PaintToImage();
    Dialog->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("gsdml_file_name.png"))));
    EXPECT_EQ(image.size(), QSize(540, 205));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 70, 540, 70)));
}

} // namespace
