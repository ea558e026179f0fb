// The DMX default values table: the channel count, the value check, its
// file and its window.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(DMXRules, EveryDefaultValueMustBeAByte)
{
    const struct {
        const char* Value;
        bool Ok;
    } cases[] = {{"0", true},    {"255", true}, {"$FF", true}, {"0x10", true}, {"256", false}, {"-1", false},
                 {"", false},    {"abc", false}, {"300", false}, {"1.5", false}};
    for (const auto& c : cases) {
        std::vector<TRowTexts> rows(3, TRowTexts{"", "7", "m"});
        rows[1][DMX_Default_Value] = QString::fromLatin1(c.Value);
        const std::optional<int> row = Check_DMX_Default_Values(rows);
        EXPECT_EQ(row.has_value(), !c.Ok) << '"' << c.Value << '"';
        if (row) EXPECT_EQ(*row, 2);
    }
}

struct DMXTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFDMXDefVal> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        File_ParGen = Folder.File("ParGen.xml");
        File_DMX_Default_Values = Folder.File("DMX_Default_Values.xml");
        Form = std::make_unique<TFDMXDefVal>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }
    TZvColumnGrid* Grid() { return Form->ACG_DMX_Def_Val; }
    void Channels(const QByteArray& text)
    {
        Folder.Write("ParGen.xml", "<ParGen><IP_Address>10.0.0.1</IP_Address><DMX_Num_Channels>" + text +
                                       "</DMX_Num_Channels></ParGen>");
    }
    static QByteArray File_Of(int rows, const char* value = "9")
    {
        QByteArray xml = "<DMX_Default_Values>";
        for (int i = 1; i <= rows; ++i)
            xml += "<Row Default_Value=\"" + QByteArray(value) + "\" Mnemonic=\"ch" + QByteArray::number(i) + "\"/>";
        return xml + "</DMX_Default_Values>";
    }
};

TEST_F(DMXTest, TheChannelCountComesFromTheSettingsAndOutOfRangeReadsAs512)
{
    const struct {
        const char* ParGen;  // null: no settings file
        int Rows;
    } cases[] = {
        {nullptr, 512},
        {"<ParGen><IP_Address>1</IP_Address></ParGen>", 512},
        {"<ParGen><DMX_Num_Channels>24</DMX_Num_Channels></ParGen>", 24},
        {"<ParGen><DMX_Num_Channels>1</DMX_Num_Channels></ParGen>", 1},
        {"<ParGen><DMX_Num_Channels>512</DMX_Num_Channels></ParGen>", 512},
        {"<ParGen><DMX_Num_Channels>$10</DMX_Num_Channels></ParGen>", 16},
        {"<ParGen><DMX_Num_Channels>0</DMX_Num_Channels></ParGen>", 512},
        {"<ParGen><DMX_Num_Channels>-5</DMX_Num_Channels></ParGen>", 512},
        {"<ParGen><DMX_Num_Channels>513</DMX_Num_Channels></ParGen>", 512},
        {"<ParGen><DMX_Num_Channels>many</DMX_Num_Channels></ParGen>", 512},
        {"<ParGen><DMX_Num_Channels></DMX_Num_Channels></ParGen>", 512},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ParGen ? c.ParGen : "no settings file");
        DeleteFile(File_ParGen);
        if (c.ParGen) Folder.Write("ParGen.xml", c.ParGen);
        Form->FormShow(nullptr);
        EXPECT_TRUE(Seams.Boxes.empty());
        ASSERT_EQ(Grid()->RowCount(), c.Rows + 1);
        EXPECT_EQ(Grid()->GetCellEx(DMX_Channel, c.Rows), IntToStr(c.Rows));
        EXPECT_EQ(Grid()->GetCellEx(DMX_Default_Value, c.Rows), "0");
        EXPECT_EQ(Grid()->GetCellEx(DMX_Mnemonic, c.Rows), "");
    }
}

TEST_F(DMXTest, ABrokenSettingsFileIsNamedAndTheWindowStaysClosed)
{
    Folder.Write("ParGen.xml", "<ParGen><DMX_Num_Channels>24");
    Folder.Write("DMX_Default_Values.xml", File_Of(3));
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(File_ParGen)) << Seams.Boxes[0].Text.toStdString();
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    EXPECT_EQ(Grid()->GetCellEx(DMX_Mnemonic, 1), "") << "nothing half-read";
}

TEST_F(DMXTest, FewerChannelsThanRowsShowsTheFirstOnesAndOKWritesOnlyThem)
{
    Channels("24");
    Folder.Write("DMX_Default_Values.xml", File_Of(512));
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Warning);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Extra_Rows), {"DMX_Default_Values.xml", 488}));
    EXPECT_EQ(Grid()->RowCount(), 25);
    EXPECT_EQ(Grid()->GetCellEx(DMX_Mnemonic, 24), "ch24");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    EXPECT_EQ(Folder.Read("DMX_Default_Values.xml").count("<Row "), 24);
}

TEST_F(DMXTest, MoreChannelsThanRowsShowZeroBelowTheFile)
{
    Channels("100");
    Folder.Write("DMX_Default_Values.xml",
                 File_Of(10) .replace("<Row Default_Value=\"9\" Mnemonic=\"ch2\"/>", "<Row Mnemonic=\"ch2\"/>")
                     .replace("Mnemonic=\"ch3\"", ""));
    Form->FormShow(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Grid()->RowCount(), 101);
    EXPECT_EQ(Grid()->GetCellEx(DMX_Default_Value, 1), "9");
    EXPECT_EQ(Grid()->GetCellEx(DMX_Default_Value, 2), "0") << "a missing value reads 0";
    EXPECT_EQ(Grid()->GetCellEx(DMX_Mnemonic, 3), "") << "a missing mnemonic reads empty";
    for (int r : {11, 50, 100}) {
        EXPECT_EQ(Grid()->GetCellEx(DMX_Default_Value, r), "0");
        EXPECT_EQ(Grid()->GetCellEx(DMX_Channel, r), IntToStr(r));
    }
}

TEST_F(DMXTest, SavedFileIsEveryChannelAsShownAndReadsBackTheSame)
{
    Channels("3");
    Form->FormShow(nullptr);
    Grid()->SetCellEx(DMX_Default_Value, 1, "255");
    Grid()->SetCellEx(DMX_Mnemonic, 1, "Spot \"A\" & <B>");
    Grid()->SetCellEx(DMX_Mnemonic, 3, "fog");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    const QByteArray golden = "<DMX_Default_Values>\n"
                              "  <Row Default_Value=\"255\" Mnemonic=\"Spot &quot;A&quot; &amp; &lt;B>\" />\n"
                              "  <Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                              "  <Row Default_Value=\"0\" Mnemonic=\"fog\" />\n"
                              "</DMX_Default_Values>\n"
                              "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(Folder.Read("DMX_Default_Values.xml").toStdString(), golden.toStdString());
    Form->FormShow(nullptr);
    EXPECT_EQ(Grid()->GetCellEx(DMX_Mnemonic, 1), "Spot \"A\" & <B>");
    Form->SetModalResult(mrNone);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Folder.Read("DMX_Default_Values.xml"), golden);
}

TEST_F(DMXTest, AStoredValueOutOfRangeShowsAsItIsAndStopsOK)
{
    Channels("5");
    Folder.Write("DMX_Default_Values.xml", File_Of(5).replace("Default_Value=\"9\" Mnemonic=\"ch4\"",
                                                               "Default_Value=\"300\" Mnemonic=\"ch4\""));
    const QByteArray before = Folder.Read("DMX_Default_Values.xml");
    Form->FormShow(nullptr);
    EXPECT_EQ(Grid()->GetCellEx(DMX_Default_Value, 4), "300");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_EQ(Seams.Boxes[0].Text, "Error row 4!! Default Value must be between 0 and 255");
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_EQ(Folder.Read("DMX_Default_Values.xml"), before);
}

TEST_F(DMXTest, WindowTextsAndALanguageChange)
{
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->Caption(), "DMX Default Value");
    EXPECT_EQ(Form->ClientWidth(), 475);
    EXPECT_EQ(Form->Btn_OK->Caption(), "OK");
    EXPECT_FALSE(Form->Btn_DelRow->Visible());
    EXPECT_FALSE(Form->Btn_PasteRow->Visible());
    EXPECT_FALSE(Grid()->Options().Contains(goEditing));
    EXPECT_EQ(Grid()->Columns()->Items(DMX_Default_Value)->Header(), "Default Value");
    EXPECT_EQ(Grid()->Columns()->Items(DMX_Mnemonic)->Width(), 250);
    Grid()->SetCellEx(DMX_Mnemonic, 2, "kept");
    Lang_Strings.SetStrings(1305, "Valeur");
    Lang_Strings.SetStrings(1300, "DMX");
    Form->Set_Lang();
    EXPECT_EQ(Grid()->Columns()->Items(DMX_Default_Value)->Header(), "Valeur");
    EXPECT_EQ(Form->Caption(), "DMX");
    EXPECT_EQ(Grid()->GetCellEx(DMX_Mnemonic, 2), "kept");
}

TEST_F(DMXTest, Screenshot)
{
    Channels("16");
    Form->Show();
    Grid()->SetCellEx(DMX_Default_Value, 2, "128");
    Grid()->SetCellEx(DMX_Mnemonic, 2, "Dimmer");
    const QImage image = Form->PaintToImage();
    Form->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("dmx_default_values.png"))));
    EXPECT_EQ(image.size(), QSize(475, 337));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 300, 69)));
    // The "Default Value" column's colour right of row 5's text.
    const TRect cell = Grid()->CellRect(DMX_Default_Value, 5);
    const TPoint at = Grid()->ClientToScreen(TPoint{cell.Right - 4, cell.Top + 4});
    const TPoint form = Form->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(QColor(image.pixel(at.X - form.X, at.Y - form.Y)), QColor(0xE0, 0xFA, 0xFE));
}

} // namespace
