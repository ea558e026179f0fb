// The KNX telegram table: every check with its bounds, the addresses and
// APCI forms, the priority normaliser, its file and its window.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/common/UGridRows.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/knx/UKNXAccessRules.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// ---- Rules ----------------------------------------------------------------------------------

TRowTexts Valid_Row()
{
    TRowTexts row(KX_Col_Count);
    row[KX_Enable] = "Y";
    row[KX_Source_Address] = "1.1.20";
    row[KX_Destination_Address] = "1/2/3";
    row[KX_APCI] = "Write";
    row[KX_Priority] = "Low";
    row[KX_Format] = "None";
    row[KX_Extended] = "N";
    row[KX_ReTest] = "N";
    row[KX_On_Command] = "N";
    row[KX_On_Change] = "Y";
    row[KX_On_Timer] = "N";
    row[KX_Position] = "0";
    row[KX_Bit_Mode] = "No";
    row[KX_Length] = "2";
    row[KX_Mnemonic] = "lamp";
    return row;
}

constexpr int Source = 2649, Individual = 2650, Group = 2651, APCI = 2652, Priority = 2653, Format_Text = 2654,
              Poll = 2655, Position = 2656, Bit_Mode = 2657, Length = 2658, Span = 2659;

// Every check in its order: each case breaks cells of an otherwise valid
// row (a later one too where order matters, which must not be reported).
TEST(KNXAccessRules, EveryRowCheckInItsOrderWithItsBounds)
{
    Load_Default_Texts();   // the messages are read from the text table, which no other step filled
    struct TCase {
        std::vector<std::pair<int, const char*>> Cells;
        int Slot;        // 0: passes
        int Bound = -1;
    };
    const TCase cases[] = {
        {{}, 0},
        // Source: an individual address or a plain number, never a group.
        {{{KX_Source_Address, "15.15.255"}}, 0},
        {{{KX_Source_Address, "0.0.0"}}, 0},
        {{{KX_Source_Address, " 4660 "}}, 0},
        {{{KX_Source_Address, "16.1.1"}, {KX_Destination_Address, "0/0"}}, Source},
        {{{KX_Source_Address, "1.16.1"}}, Source},
        {{{KX_Source_Address, "1.1.256"}}, Source},
        {{{KX_Source_Address, "1/1/20"}}, Source},
        {{{KX_Source_Address, "0"}}, Source},
        {{{KX_Source_Address, "65536"}}, Source},
        {{{KX_Source_Address, "65535"}}, 0},
        // Destination: a group without a point, an individual address with one.
        {{{KX_Destination_Address, "31/7/255"}}, 0},
        {{{KX_Destination_Address, "31/2047"}}, 0},
        {{{KX_Destination_Address, "0/0/1"}}, 0},
        {{{KX_Destination_Address, "0/0/0"}, {KX_APCI, "x"}}, Group},
        {{{KX_Destination_Address, "0/0"}}, Group},
        {{{KX_Destination_Address, "32/0/1"}}, Group},
        {{{KX_Destination_Address, "1/8/1"}}, Group},
        {{{KX_Destination_Address, "1/2048"}}, Group},
        {{{KX_Destination_Address, "1"}}, 0},
        {{{KX_Destination_Address, "0"}}, Group},
        {{{KX_Destination_Address, "1.1.20"}}, 0},
        {{{KX_Destination_Address, "1.1.256"}}, Individual},
        {{{KX_Destination_Address, "1.1/2"}}, Individual},
        // APCI: the two words in any case, or a code 0 to 1023.
        {{{KX_APCI, "read"}}, 0},
        {{{KX_APCI, "WRITE"}}, 0},
        {{{KX_APCI, "1023"}}, 0},
        {{{KX_APCI, "$3FF"}}, 0},
        {{{KX_APCI, "1024"}, {KX_Priority, "x"}}, APCI},
        {{{KX_APCI, " Read"}}, APCI},
        {{{KX_APCI, ""}}, APCI},
        // Priority exactly as listed.
        {{{KX_Priority, "normal"}}, Priority},
        {{{KX_Priority, "Urgent "}}, Priority},
        {{{KX_Priority, "System"}}, 0},
        {{{KX_Format, " "}, {KX_Position, "1500"}}, Format_Text},
        // Poll Time only counts when the timer is on.
        {{{KX_On_Timer, "N"}, {KX_Poll_Time, ""}}, 0},
        {{{KX_On_Timer, "Y"}, {KX_Poll_Time, "0"}}, Poll},
        {{{KX_On_Timer, "y"}, {KX_Poll_Time, "100000001"}}, Poll},
        {{{KX_On_Timer, "Y"}, {KX_Poll_Time, "100000000"}}, 0},
        {{{KX_Position, "1500"}}, Position, 1499},
        {{{KX_Position, "-1"}}, Position, 1499},
        {{{KX_Position, "1499"}, {KX_Length, "1"}}, 0},
        // Bit Mode "No" in any case, or a start bit.
        {{{KX_Bit_Mode, "no"}}, 0},
        {{{KX_Bit_Mode, "7"}}, 0},
        {{{KX_Bit_Mode, "8"}}, Bit_Mode},
        {{{KX_Bit_Mode, ""}}, Bit_Mode},
        // Length limits: bytes 14 or 255 extended, bits 112 or 2040 extended.
        {{{KX_Length, "14"}}, 0},
        {{{KX_Length, "15"}}, Length, 14},
        {{{KX_Length, "0"}}, Length, 14},
        {{{KX_Extended, "y"}, {KX_Length, "255"}}, 0},
        {{{KX_Extended, "Y"}, {KX_Length, "256"}}, Length, 255},
        {{{KX_Bit_Mode, "0"}, {KX_Length, "112"}}, 0},
        {{{KX_Bit_Mode, "0"}, {KX_Length, "113"}}, Length, 112},
        {{{KX_Bit_Mode, "0"}, {KX_Extended, "Y"}, {KX_Length, "2041"}}, Length, 2040},
        // The bytes used against the end of the data array.
        {{{KX_Bit_Mode, "3"}, {KX_Length, "112"}, {KX_Position, "1485"}}, 0},
        {{{KX_Bit_Mode, "3"}, {KX_Length, "112"}, {KX_Position, "1486"}}, Span, 1500},
        {{{KX_Bit_Mode, "0"}, {KX_Length, "1"}, {KX_Position, "1499"}}, 0},
        {{{KX_Bit_Mode, "7"}, {KX_Length, "2"}, {KX_Position, "1499"}}, Span, 1500},
        {{{KX_Position, "1499"}, {KX_Length, "2"}}, Span, 1500},
        {{{KX_Extended, "Y"}, {KX_Position, "1245"}, {KX_Length, "255"}}, 0},
        {{{KX_Extended, "Y"}, {KX_Position, "1246"}, {KX_Length, "255"}}, Span, 1500},
        // Cells no check reads.
        {{{KX_ReTest, "?"}, {KX_On_Command, "?"}, {KX_On_Change, "?"}, {KX_Mnemonic, "<&>"}}, 0},
    };
    for (const TCase& c : cases) {
        std::vector<TRowTexts> rows{Valid_Row(), Valid_Row()};
        for (const auto& [col, text] : c.Cells) rows[1][std::size_t(col)] = QString::fromLatin1(text);
        const auto fault = Check_KNX_Access(rows);
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases) << " expecting " << c.Slot);
        if (c.Slot == 0) {
            EXPECT_FALSE(fault) << fault->Slot;
            continue;
        }
        ASSERT_TRUE(fault);
        EXPECT_EQ(*fault, (TKNXFault{c.Slot, 2, c.Bound}));
        EXPECT_EQ(KNX_Fault_Text(*fault),
                  Lang_Text(2648) + "2" + Lang_Text(c.Slot) + (c.Bound >= 0 ? IntToStr(c.Bound) : String()));
    }
    // The joined messages as the user reads them.
    std::vector<TRowTexts> rows{Valid_Row()};
    rows[0][KX_Position] = "1499";
    EXPECT_EQ(KNX_Fault_Text(*Check_KNX_Access(rows)),
              "Error row 1!! [KNX in Write] Position plus Length must be minor or equal to 1500");
    rows[0][KX_Bit_Mode] = "x";
    EXPECT_EQ(KNX_Fault_Text(*Check_KNX_Access(rows)),
              "Error row 1!! [KNX in Write] Bit Mode must be \"No\" or between 0 and 7");
    rows[0][KX_Destination_Address] = "230.240";
    EXPECT_EQ(KNX_Fault_Text(*Check_KNX_Access(rows)),
              "Error row 1!! [KNX in Write] Destination Address must be a valid KNX Address (Ex. 1.1.20)");
}

TEST(KNXAccessRules, OnlyEnabledRowsAreJudgedAndThePriorityNormaliser)
{
    TRowTexts junk(KX_Col_Count, QStringLiteral("junk"));
    for (const char* enable : {"N", "", "y"}) {
        junk[KX_Enable] = QString::fromLatin1(enable);
        EXPECT_FALSE(Check_KNX_Access({junk})) << enable;
    }
    junk[KX_Enable] = " Y";
    EXPECT_EQ(Check_KNX_Access({Valid_Row(), junk}), (TKNXFault{Source, 2}));

    const struct {
        const char* Loaded;
        const char* Shown;
    } priorities[] = {{"System", "System"}, {"Urgent", "Urgent"}, {"Normal", "Normal"}, {"Low", "Low"},
                      {"low", "Normal"},     {" Low", "Normal"},   {"", "Normal"},       {"High", "Normal"}};
    for (const auto& p : priorities) EXPECT_EQ(KNX_Priority(QString::fromLatin1(p.Loaded)), p.Shown) << p.Loaded;
}

// ---- Window ---------------------------------------------------------------------------------

struct KNXAccessTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFKNXAccess> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        File_KNX_SetAccess = Folder.File("KNX_SetAccess.xml");
        Form = std::make_unique<TFKNXAccess>(nullptr);
        Form->AfterConstruction();
        Form->FormShow(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }
    TZvColumnGrid* Grid() { return Form->ACG_KNX_in_Write; }
    void Fill_Row(int row, const TRowTexts& cells)
    {
        for (int c = 1; c < KX_Col_Count; ++c) Grid()->SetCellEx(c, row, cells[std::size_t(c)]);
    }
    TRowTexts Row(int row)
    {
        TRowTexts cells(KX_Col_Count);
        for (int c = 1; c < KX_Col_Count; ++c) cells[std::size_t(c)] = Grid()->GetCellEx(c, row);
        return cells;
    }
};

TEST_F(KNXAccessTest, ColumnsListsHeadersInRowZeroAndHints)
{
    EXPECT_EQ(Form->ClientWidth(), 1141);
    EXPECT_EQ(Form->ClientHeight(), 337);
    EXPECT_EQ(Grid()->RowCount(), 1025);
    EXPECT_EQ(Grid()->ColCount(), 17);
    EXPECT_EQ(Grid()->NumHiddenColumns(), 0);
    EXPECT_EQ(Grid()->Columns()->Items(KX_Mnemonic)->Width(), 96);
    EXPECT_FALSE(Grid()->Options().Contains(goEditing));
    TStringList* positions = Grid()->Columns()->Items(KX_Position)->ComboItems();
    ASSERT_EQ(positions->Count(), 1500);
    EXPECT_EQ((*positions)[1499], "1499");
    EXPECT_EQ(Grid()->Columns()->Items(KX_Bit_Mode)->ComboItems()->Count(), 9);
    EXPECT_EQ(Grid()->Columns()->Items(KX_Format)->ComboItems()->Count(), 10);
    EXPECT_EQ(Grid()->Columns()->Items(KX_APCI)->Editor(), TEditorType::edComboEdit);
    EXPECT_EQ(Form->Max_Num_Byte, 1500);
    EXPECT_EQ(Grid()->GetCellEx(KX_Source_Address, 0), "Source Add");
    EXPECT_EQ(Grid()->GetCellEx(KX_Mnemonic, 0), "Mnemonic");
    // Hints stay aligned with their columns although slot 2639 has none.
    ASSERT_EQ(Form->Hint().Count(), 16);
    const struct {
        int Col;
        const char* Hint;
    } hints[] = {{KX_Enable, "Enable/Disabel the KNX Rule"},
                 {KX_ReTest, "Enable/Disable the ReTest of KNX Variable"},
                 {KX_On_Command, "Enable/Disable the Possibility to Send the KNX Message on Command"},
                 {KX_Mnemonic, "Insert a description of the KNX Message"}};
    for (const auto& h : hints) {
        String text;
        Form->Grid_Hint(Grid(), 0, h.Col, text);
        EXPECT_EQ(text, h.Hint);
    }
    String none = "x";
    Form->Grid_Hint(Grid(), 3, KX_Enable, none);
    EXPECT_EQ(none, "") << "only the header row has hints";
    EXPECT_EQ(Form->Caption(), "KNX Set Access");
    EXPECT_EQ(Form->Btn_PasteRow->Hint(), "Paste the Copied Fields in the Selected Row");

    Lang_Strings.SetStrings(2619, "Priorit\u00e0");
    Form->Set_Lang();
    EXPECT_EQ(Grid()->GetCellEx(KX_Priority, 0), "Priorit\u00e0");
}

// The file as laid out, disabled rows too, up to the first empty "Source
// Add"; read back unchanged.
TEST_F(KNXAccessTest, GoldenRoundTrip)
{
    TRowTexts disabled = Valid_Row();
    disabled[KX_Enable] = "N";
    disabled[KX_Mnemonic] = "a <b> & \"c\" \u00e8";
    Fill_Row(1, Valid_Row());
    Fill_Row(2, disabled);
    Grid()->SetCellEx(KX_Mnemonic, 4, "");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk) << (Seams.Boxes.empty() ? "" : Seams.Boxes[0].Text.toStdString());
    const QByteArray row =
        "Source_Address=\"1.1.20\" Destination_Address=\"1/2/3\" APCI=\"Write\" Priority=\"Low\" Format=\"None\" "
        "Extended=\"N\" ReTest=\"N\" On_Command=\"N\" On_Change=\"Y\" On_Timer=\"N\" Poll_Time=\"\" Position=\"0\" "
        "Bit_Mode=\"No\" Length=\"2\" ";
    const QByteArray golden = "<BACnet_to_KNX>\n"
                              "  <KNX_in_Write>\n"
                              "    <row Enable=\"Y\" " + row + "Mnemonic=\"lamp\" />\n"
                              "    <row Enable=\"N\" " + row + "Mnemonic=\"a &lt;b> &amp; &quot;c&quot; \xc3\xa8\" />\n"
                              "  </KNX_in_Write>\n"
                              "</BACnet_to_KNX>\n"
                              "<!--SW_VERSION = 1.707-->\n";
    EXPECT_EQ(Folder.Read("KNX_SetAccess.xml").toStdString(), golden.toStdString());
    Form->FormShow(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Row(2), disabled);
    Form->SetModalResult(mrNone);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Folder.Read("KNX_SetAccess.xml"), golden);
}

// Loading: the optional attributes' defaults, a priority not exactly one of
// the four shown as "Normal", a missing required one left empty and warned
// about once.
TEST_F(KNXAccessTest, LoadDefaultsAndThePriorityNormalisedOnLoad)
{
    Folder.Write("KNX_SetAccess.xml",
                 "<Other><KNX_in_Write>"
                 "<row Enable=\"N\" Source_Address=\"1.1.1\" Priority=\"normal\"/>"
                 "<row Source_Address=\"1.1.2\" Priority=\"Urgent\" Destination_Address=\"1/1\" APCI=\"Read\" "
                 "Extended=\"N\" ReTest=\"N\" On_Change=\"N\" Poll_Time=\"\" Position=\"3\" Bit_Mode=\"No\" "
                 "Length=\"1\" Mnemonic=\"\"/>"
                 "<row Source_Address=\"1.1.3\" Priority=\"System \"/>"
                 "</KNX_in_Write></Other>");
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Incomplete_Rows), {QStringLiteral("KNX_SetAccess.xml"), 2}));
    EXPECT_EQ(Grid()->GetCellEx(KX_Priority, 1), "Normal");
    EXPECT_EQ(Grid()->GetCellEx(KX_Priority, 2), "Urgent");
    EXPECT_EQ(Grid()->GetCellEx(KX_Priority, 3), "Normal");
    EXPECT_EQ(Grid()->GetCellEx(KX_Priority, 4), "") << "rows the file did not reach stay reset";
    const TRowTexts second = Row(2);
    EXPECT_EQ(second[KX_Enable], "Y");
    EXPECT_EQ(second[KX_Format], "None");
    EXPECT_EQ(second[KX_On_Command], "N");
    EXPECT_EQ(second[KX_On_Timer], "N");
    EXPECT_EQ(Row(1)[KX_Extended], "") << "required and missing: the reset cell";
}

// Delete after the question moves every column up; insert gives "Y".
TEST_F(KNXAccessTest, RowButtons)
{
    TRowTexts second = Valid_Row();
    second[KX_Mnemonic] = "second";
    Fill_Row(1, Valid_Row());
    Fill_Row(2, second);
    Grid()->SetRow(1);
    Seams.AnswerBox(IDNO);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, "Are you sure to delete the Row number 1");
    EXPECT_EQ(Row(1), Valid_Row()) << "No keeps the row";
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Row(1), second);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Grid()->GetCellEx(KX_Enable, 1), "Y");
    EXPECT_EQ(Grid()->GetCellEx(KX_Mnemonic, 1), "");
    EXPECT_EQ(Row(2), second);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Write());
}

// A click on a row number selects the row.
TEST_F(KNXAccessTest, AClickOnARowNumberSelectsTheRow)
{
    Form->Show();
    const TRect number = Grid()->CellRect(0, 3);
    Simulate::Click(Grid(), TPoint{(number.Left + number.Right) / 2, (number.Top + number.Bottom) / 2});
    const TGridRect selection = Grid()->Selection();
    EXPECT_EQ(selection.Top, 3);
    EXPECT_EQ(selection.Bottom, 3);
    EXPECT_EQ(selection.Left, 1);
    EXPECT_EQ(selection.Right, Grid()->ColCount() - 1);
    Form->Hide();
}

TEST_F(KNXAccessTest, Screenshot)
{
    Fill_Row(1, Valid_Row());
    Form->Show();
    const QImage image = Form->PaintToImage();
    Form->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("knx_access.png"))));
    EXPECT_EQ(image.size(), QSize(1141, 337));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    // The "Format" column shows its colour beside its text.
    const TRect cell = Grid()->CellRect(KX_Format, 1);
    const TPoint origin = Grid()->ClientToScreen(TPoint{0, 0});
    const TPoint form = Form->ClientToScreen(TPoint{0, 0});
    const QRgb pixel = image.pixel(origin.X - form.X + cell.Right - 3, origin.Y - form.Y + cell.Top + 3);
    EXPECT_EQ(QColor(pixel), QColor(0xFF, 0xFF, 0xA8));
}

} // namespace
