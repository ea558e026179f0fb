// The SNMP trap table: its checks, its default table, the numbering of the
// enabled rows, its file and its window.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "tables/common/UGridRows.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tables/snmptrap/USNMP_Trap_AccessRules.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// ---- Rules ----------------------------------------------------------------------------------

TRowTexts Read_Row(const char* description = "temp1")
{
    TRowTexts row = SNMP_Trap_Default_Read_Row(0);
    row[TR_Description] = QString::fromLatin1(description);
    return row;
}
TRowTexts Write_Row(const char* description = "set1")
{
    TRowTexts row = SNMP_Trap_Default_Write_Row(0);
    row[TW_Description] = QString::fromLatin1(description);
    return row;
}

TEST(SNMPTrapRules, CharacterCheckOfNamesAndDescriptions)
{
    const struct {
        const char* Text;
        int Type;
        bool Fault;
    } cases[] = {
        {"", 0, false},       {"", 1, false},          {"Quenta9", 0, false}, {"9quenta", 0, false},
        {"quenta 1", 0, true}, {" quenta", 0, true},    {"que_nta", 0, true},  {"lamp0", 1, false},
        {"Lamp0", 1, true},   {"0lamp", 1, true},      {"lamp_0", 1, true},   {"lamp\xe8", 1, true},
        {"z", 1, false},      {"lampADV63", 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_Error_CommName_Desc(QString::fromLatin1(c.Text), c.Type), c.Fault)
            << '"' << c.Text << "\" type " << c.Type;
}

// Every check of a Read row and of a Write row in its order: each case
// breaks one cell of an otherwise valid row (and, where order matters,
// a later cell too, which must not be the one reported).
TEST(SNMPTrapRules, EveryRowCheckInItsOrder)
{
    Load_Default_Texts();   // the messages are read from the text table, which no other step filled
    struct TCase {
        bool Write;
        std::vector<std::pair<int, const char*>> Cells;
        int Slot;  // 0: passes
    };
    const TCase cases[] = {
        {false, {}, 0},
        {false, {{TR_Community, "que nta"}, {TR_Type, ""}}, 1976},
        {false, {{TR_Community, " quenta"}}, 1976},
        {false, {{TR_Type, " "}, {TR_Position, ""}}, 1961},
        {false, {{TR_On_Timer, "Y"}, {TR_Time, "0"}}, 1962},
        {false, {{TR_On_Timer, "y"}, {TR_Time, "abc"}}, 1962},
        {false, {{TR_On_Timer, "Y"}, {TR_Time, "1000000001"}}, 1962},
        {false, {{TR_On_Timer, "Y"}, {TR_Time, "1000000000"}}, 0},
        {false, {{TR_On_Timer, "N"}, {TR_Time, ""}}, 0},
        {false, {{TR_Position, ""}, {TR_Bit, ""}}, 1963},
        {false, {{TR_Bit, " "}}, 1964},
        {false, {{TR_Type, "String"}, {TR_Bit, "3"}}, 1965},
        {false, {{TR_Type, "String"}, {TR_Bit, "0"}, {TR_Num_Bits, "17"}}, 1967},
        {false, {{TR_Type, "String"}, {TR_Num_Bits, "16"}}, 0},
        {false, {{TR_Type, "Float"}, {TR_Num_Bits, "64"}}, 1967},
        {false, {{TR_Type, "int"}, {TR_Num_Bits, "64"}}, 0},
        {false, {{TR_Num_Bits, "65"}}, 1966},
        {false, {{TR_Num_Bits, "0"}}, 1966},
        {false, {{TR_Num_Bits, "$40"}}, 0},
        {false, {{TR_Description, "Temp1"}, {TR_IP_Address, ""}}, 1977},
        {false, {{TR_Description, "1temp"}}, 1977},
        {false, {{TR_Description, "te_mp"}}, 1977},
        {false, {{TR_Description, ""}}, 0},
        {false, {{TR_IP_Address, "192.168.2"}, {TR_Conversion, ""}}, 1968},
        {false, {{TR_IP_Address, "256.1.1.1"}}, 1968},
        {false, {{TR_IP_Address, " 10 . 0 . 0 . 1 "}}, 0},
        {false, {{TR_Conversion, " "}}, 1985},
        {true, {}, 0},
        {true, {{TW_Community, "a-b"}, {TW_Type, ""}}, 1978},
        {true, {{TW_Type, ""}, {TW_Position, ""}}, 1969},
        {true, {{TW_Position, ""}}, 1970},
        {true, {{TW_Bit, ""}}, 1971},
        {true, {{TW_Type, "String"}, {TW_Bit, "7"}}, 1972},
        {true, {{TW_Num_Bits, "65"}}, 1973},
        {true, {{TW_Type, "String"}, {TW_Num_Bits, "17"}}, 1974},
        {true, {{TW_Description, "Set1"}, {TW_Conversion, ""}}, 1979},
        {true, {{TW_Conversion, ""}}, 1986},
    };
    for (const TCase& c : cases) {
        std::vector<TRowTexts> read{Read_Row("other")}, write{Write_Row("another")};
        TRowTexts& row = c.Write ? write.emplace_back(Write_Row()) : read.emplace_back(Read_Row());
        for (const auto& [col, text] : c.Cells) row[std::size_t(col)] = QString::fromLatin1(text);
        const auto fault = Check_SNMP_Trap(read, write);
        SCOPED_TRACE(::testing::Message() << (c.Write ? "write" : "read") << " case expecting " << c.Slot);
        if (c.Slot == 0) {
            EXPECT_FALSE(fault) << fault->Slot;
            continue;
        }
        ASSERT_TRUE(fault);
        EXPECT_EQ(*fault, (TSNMPTrapFault{c.Slot, 2}));
        EXPECT_EQ(SNMP_Trap_Fault_Text(*fault), Lang_Text(1960) + "2" + Lang_Text(c.Slot));
    }
    // The joined message as the user reads it.
    std::vector<TRowTexts> read{Read_Row(), Read_Row("temp2")};
    read[1][TR_Num_Bits] = "65";
    EXPECT_EQ(SNMP_Trap_Fault_Text(*Check_SNMP_Trap(read, {})),
              "Error row 2!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits");
}

TEST(SNMPTrapRules, OnlyEnabledRowsAreJudgedAndTheirDescriptionsMustDifferAcrossBothTables)
{
    Load_Default_Texts();   // the messages are read from the text table, which no other step filled
    const struct {
        const char* Read_Enable;
        const char* Read_Desc;
        const char* Write_Enable;
        const char* Write_Desc;
        bool Clash;
    } cases[] = {
        {"Y", "lamp1", "Y", "lamp1", true},  {"Y", "lamp1", "Y", "lamp2", false}, {"N", "lamp1", "Y", "lamp1", false},
        {"y", "lamp1", "Y", "lamp1", true},  {" Y", "lamp1", "Y", "lamp1", false}, {"Y", "", "Y", "", true},
        {"Y", "lamp1", "Y", "Lamp1", false},
    };
    for (const auto& c : cases) {
        TRowTexts read = Read_Row(c.Read_Desc), write = Write_Row(c.Write_Desc);
        read[TR_Enable] = QString::fromLatin1(c.Read_Enable);
        write[TW_Enable] = QString::fromLatin1(c.Write_Enable);
        if (QString::fromLatin1(c.Write_Desc) == "Lamp1") write[TW_Enable] = "N";  // a bad disabled row passes
        std::vector<String> seen;
        const auto fault = Check_SNMP_Trap({read}, {write}, &seen);
        SCOPED_TRACE(::testing::Message() << c.Read_Enable << ' ' << c.Read_Desc << " / " << c.Write_Desc);
        if (c.Clash) {
            ASSERT_TRUE(fault);
            EXPECT_EQ(*fault, (TSNMPTrapFault{1980, 0}));
            EXPECT_EQ(SNMP_Trap_Fault_Text(*fault), "Error!! The Descriptions must be all differents");
        } else {
            EXPECT_FALSE(fault);
        }
    }
    // Two enabled Read rows with empty descriptions clash too.
    EXPECT_EQ(Check_SNMP_Trap({Read_Row(""), Read_Row("")}, {}), (TSNMPTrapFault{1980, 0}));
    // A disabled row is not judged at all.
    TRowTexts bad = Read_Row("Bad Description");
    bad[TR_Enable] = "N";
    bad[TR_IP_Address] = "nowhere";
    EXPECT_FALSE(Check_SNMP_Trap({bad}, {}));
}

TEST(SNMPTrapRules, TheDefaultTablePasses)
{
    std::vector<TRowTexts> read, write;
    for (int i = 0; i < SNMP_Trap_Default_Rows; ++i) {
        read.push_back(SNMP_Trap_Default_Read_Row(i));
        write.push_back(SNMP_Trap_Default_Write_Row(i));
    }
    EXPECT_FALSE(Check_SNMP_Trap(read, write));
}

// ---- Window and file ------------------------------------------------------------------------

struct SNMPTrapTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFSNMP_Trap_Access> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        File_SNMP_Trap = Folder.File("SNMP_Trap.xml");
        Form = std::make_unique<TFSNMP_Trap_Access>(nullptr);
        Form->AfterConstruction();
        Form->FormShow(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }
    TZvColumnGrid* Read() { return Form->ACG_SNMP_Read; }
    TZvColumnGrid* Write() { return Form->ACG_SNMP_Write; }
    static std::vector<String> Row(TZvStringGrid* grid, int row)
    {
        std::vector<String> cells;
        for (int c = 0; c < Real_Col_Count(grid); ++c) cells.push_back(grid->GetCellEx(c, row));
        return cells;
    }
    static std::vector<String> Numbers(TZvStringGrid* grid, int rows)
    {
        std::vector<String> n;
        for (int r = 1; r <= rows; ++r) n.push_back(grid->GetCellEx(0, r));
        return n;
    }
    // Empties both tables as a new file without rows would.
    void Clear()
    {
        Folder.Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap>");
        Form->FormShow(nullptr);
    }
};

TEST_F(SNMPTrapTest, WithoutAFileBothTablesShowTheDefaultRowsAndOKWritesThemAll)
{
    EXPECT_TRUE(Seams.Boxes.empty());
    for (int i = 0; i < SNMP_Trap_Default_Rows; ++i) {
        EXPECT_EQ(Row(Read(), i + 1), SNMP_Trap_Default_Read_Row(i)) << i;
        EXPECT_EQ(Row(Write(), i + 1), SNMP_Trap_Default_Write_Row(i)) << i;
    }
    EXPECT_EQ(Read()->GetCellEx(TR_Position, 64), "504");
    EXPECT_EQ(Read()->GetCellEx(TR_Description, 64), "lampADV63");
    EXPECT_EQ(Write()->GetCellEx(TW_Position, 64), "63");
    EXPECT_EQ(Write()->GetCellEx(TW_Mnemonic, 1), "lamp0");
    // Rows below hold the reset state: "Y", then nothing; column 0 goes on counting them.
    EXPECT_EQ(Read()->GetCellEx(TR_Enable, 65), "Y");
    EXPECT_EQ(Read()->GetCellEx(TR_Community, 65), "");
    EXPECT_EQ(Read()->GetCellEx(0, 256), "256");

    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    TXMLDocument doc;
    doc.LoadFromFile(File_SNMP_Trap);
    EXPECT_EQ(doc.DocumentElement().ChildNode("SNMP_Trap_Read").ChildNodes().size(), 64u);
    EXPECT_EQ(doc.DocumentElement().ChildNode("SNMP_Trap_Write").ChildNodes().size(), 64u);
    EXPECT_EQ(Form->SL_Check_Desc.Count(), 128);
}

TEST_F(SNMPTrapTest, SavedFileIsBothTablesAsShownAndReadsBackTheSame)
{
    Clear();
    const TRowTexts r1 = Read_Row("temp1");
    TRowTexts r2 = Read_Row("Bad <&\">");
    r2[TR_Enable] = "N";
    r2[TR_On_Timer] = "Y";
    TRowTexts w1 = Write_Row("set1");
    w1[TW_Type] = "String";
    for (int c = 1; c < TR_Col_Count; ++c) {
        Read()->SetCellEx(c, 1, r1[std::size_t(c)]);
        Read()->SetCellEx(c, 2, r2[std::size_t(c)]);
    }
    for (int c = 1; c < TW_Col_Count; ++c) Write()->SetCellEx(c, 1, w1[std::size_t(c)]);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    const QByteArray golden =
        "<SNMP_Trap>\n"
        "  <SNMP_Trap_Read>\n"
        "    <row Enable=\"Y\" Community_Name=\"quenta\" Type=\"Int\" On_Change=\"N\" On_Command=\"N\" "
        "On_Timer=\"N\" Time=\"1000\" Position=\"0\" Bit=\"0\" NumBits=\"8\" Description=\"temp1\" "
        "IP_Address=\"192.168.2.16\" Conversion=\"None\" Mnemonic=\"lampADV0\" />\n"
        "    <row Enable=\"N\" Community_Name=\"quenta\" Type=\"Int\" On_Change=\"N\" On_Command=\"N\" "
        "On_Timer=\"Y\" Time=\"1000\" Position=\"0\" Bit=\"0\" NumBits=\"8\" Description=\"Bad &lt;&amp;&quot;>\" "
        "IP_Address=\"192.168.2.16\" Conversion=\"None\" Mnemonic=\"lampADV0\" />\n"
        "  </SNMP_Trap_Read>\n"
        "  <SNMP_Trap_Write>\n"
        "    <row Enable=\"Y\" Community_Name=\"quenta\" Type=\"String\" Position=\"0\" Bit=\"0\" NumBits=\"8\" "
        "Description=\"set1\" Conversion=\"None\" Mnemonic=\"lamp0\" />\n"
        "  </SNMP_Trap_Write>\n"
        "</SNMP_Trap>\n"
        "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(Folder.Read("SNMP_Trap.xml").toStdString(), golden.toStdString());

    Form->FormShow(nullptr);
    EXPECT_EQ(Row(Read(), 2)[TR_Description], "Bad <&\">");
    EXPECT_EQ(Numbers(Read(), 3), (std::vector<String>{"1", "", "2"})) << "row 3 is an empty enabled row";
    Form->SetModalResult(mrNone);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Folder.Read("SNMP_Trap.xml"), golden);
}

TEST_F(SNMPTrapTest, MissingAttributesTakeTheirLoadDefaultsAndAMissingSectionIsAnEmptyTable)
{
    Folder.Write("SNMP_Trap.xml", "<Other><SNMP_Trap_Read><row Community_Name=\"c\"/></SNMP_Trap_Read></Other>");
    Form->FormShow(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Form->ModalResult(), mrNone);
    const std::vector<String> row = Row(Read(), 1);
    EXPECT_EQ(row[TR_Enable], "Y");
    for (int col : {TR_On_Change, TR_On_Command, TR_On_Timer}) EXPECT_EQ(row[std::size_t(col)], "N");
    EXPECT_EQ(row[TR_Conversion], "None");
    EXPECT_EQ(row[TR_Type], "");
    EXPECT_EQ(Write()->GetCellEx(TW_Community, 1), "") << "no Write section: an empty table, not the defaults";
    EXPECT_EQ(Write()->GetCellEx(0, 1), "1") << "the numbering ran";
}

TEST_F(SNMPTrapTest, ColumnZeroNumbersTheEnabledRowsAfterEveryChangeOfRows)
{
    Form->Show();
    // A real click on the "Enable" box of row 3.
    const TRect box = Read()->CellRect(Read()->RealToDisplayCol(TR_Enable), 3);
    Simulate::Click(Read(), TPoint{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
    ASSERT_EQ(Read()->GetCellEx(TR_Enable, 3), "N");
    EXPECT_EQ(Numbers(Read(), 5), (std::vector<String>{"1", "2", "", "3", "4"}));

    // Insert at row 2 gives an enabled row: every number below moves.
    Read()->SetRow(2);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Numbers(Read(), 6), (std::vector<String>{"1", "2", "3", "", "4", "5"}));
    // Delete the disabled row (now row 4).
    Read()->SetRow(4);
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, "Are you sure to delete the Row number 4");
    EXPECT_EQ(Numbers(Read(), 5), (std::vector<String>{"1", "2", "3", "4", "5"}));
    // Paste a disabled row over row 1.
    Read()->SetCellEx(TR_Enable, 5, "N");
    Read()->SetRow(5);
    Form->Btn_CopyRow->Click();
    Read()->SetRow(1);
    Seams.AnswerBox(IDYES);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Numbers(Read(), 3), (std::vector<String>{"", "1", "2"}));
    // The Write table keeps its own count.
    EXPECT_EQ(Write()->GetCellEx(0, 64), "64");
    Form->Hide();
}

TEST_F(SNMPTrapTest, RowButtonsActOnTheActiveTabAndACopyTakesThePasteRightFromTheOtherTable)
{
    Form->PageControl1->SetActivePage(Form->TS_SNMP_Read);
    Read()->SetRow(1);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Read());
    Form->PageControl1->SetActivePage(Form->TS_SNMP_Write);
    Write()->SetRow(2);
    Form->Btn_PasteRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(902)) << "no copy in the Write table yet";
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Write());
    EXPECT_FALSE(Form->Do_Copy_In_Read());
    // Inserting on the Write tab leaves the Read table alone.
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Write()->GetCellEx(TW_Community, 2), "");
    EXPECT_EQ(Read()->GetCellEx(TR_Community, 2), "quenta");
    // The active tab survives a new showing.
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_SNMP_Write);
}

TEST_F(SNMPTrapTest, ColumnsListsTextsAndALanguageChange)
{
    EXPECT_EQ(Read()->RowCount(), 257);
    EXPECT_EQ(Read()->Columns()->Count(), 15);
    EXPECT_EQ(Write()->Columns()->Count(), 10);
    EXPECT_EQ(Read()->Columns()->Items(TR_Community)->Editor(), TEditorType::edComboEdit);
    EXPECT_EQ(Read()->Columns()->Items(TR_Community)->EditLength(), 15);
    EXPECT_EQ(Read()->Columns()->Items(TR_Description)->EditLength(), 15);
    EXPECT_EQ(Read()->Columns()->Items(TR_Bit)->ComboItems()->Count(), 8);
    EXPECT_EQ(Read()->Columns()->Items(TR_Conversion)->ComboItems()->Count(), 6);
    for (TZvColumnGrid* grid : {Read(), Write()}) {
        TStringList* positions = grid->Columns()->Items(grid == Read() ? TR_Position : TW_Position)->ComboItems();
        ASSERT_EQ(positions->Count(), 1440);
        EXPECT_EQ((*positions)[1439], "1439");
    }
    EXPECT_TRUE(Read()->Options().Contains(goEditing));
    EXPECT_FALSE(Write()->Options().Contains(goEditing));
    EXPECT_EQ(Read()->Columns()->Items(TR_Time)->Header(), "Time (ms)");
    EXPECT_EQ(Write()->Columns()->Items(TW_Conversion)->Header(), "Conversion");
    EXPECT_EQ(Form->Hint_SNMP_Read().Count(), 14);
    EXPECT_EQ(Form->Hint_SNMP_Write().Count(), 9);
    String hint;
    Form->Grid_Hint(Write(), 0, TW_Bit, hint);
    EXPECT_EQ(hint, "Insert the Start Bit of Array where to Write the data");
    Form->Grid_Hint(Read(), 0, TR_Bit, hint);
    EXPECT_EQ(hint, "Insert the Start Bit of Array where to Read the data");
    EXPECT_EQ(Form->Caption(), "Set SNMP Trap Access");
    EXPECT_EQ(Form->TS_SNMP_Write->Caption(), "SNMP Write");
    EXPECT_EQ(Form->Btn_OK->Hint(), "Confirm and save the SNMP Trap List");
    EXPECT_EQ(Form->ClientWidth(), 1256);

    Lang_Strings.SetStrings(1918, "Communaut\u00e9");
    Lang_Strings.SetStrings(1932, "Nom");
    Lang_Strings.SetStrings(1909, "Ecriture");
    Form->Set_Lang();
    EXPECT_EQ(Read()->Columns()->Items(TR_Community)->Header(), "Communaut\u00e9");
    EXPECT_EQ(Write()->Columns()->Items(TW_Community)->Header(), "Nom");
    EXPECT_EQ(Form->TS_SNMP_Write->Caption(), "Ecriture");
    EXPECT_EQ(Read()->GetCellEx(TR_Community, 1), "quenta") << "the data stays";
}

TEST_F(SNMPTrapTest, OKShowsTheFirstFaultAndWritesNothing)
{
    Read()->SetCellEx(TR_Type, 5, "String");
    Read()->SetCellEx(TR_Bit, 5, "3");
    Write()->SetCellEx(TW_Description, 2, "lampADV1");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_EQ(Seams.Boxes[0].Text, "Error row 5!! [SNMP Read] Start Bit must be 0 if Type is String");
    Read()->SetCellEx(TR_Bit, 5, "0");
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Seams.Boxes.back().Text, Lang_Text(1980)) << "a Write row named like a Read row";
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(File_SNMP_Trap));
}

TEST_F(SNMPTrapTest, Screenshot)
{
    Form->Show();
    Read()->SetCellEx(TR_Enable, 2, "N");
    TFSNMP_Trap_Access::Index_Row_Build(Read());
    const QImage image = Form->PaintToImage();
    Form->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("snmp_trap_access.png"))));
    EXPECT_EQ(image.size(), QSize(1256, 337));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    // An empty "Description" cell of row 70 would be off screen; row 6's
    // "IP Address" column shows its colour around its text.
    const TRect ip = Read()->CellRect(Read()->RealToDisplayCol(TR_IP_Address), 1);
    const TPoint origin = Read()->ClientToScreen(TPoint{0, 0});
    const TPoint form = Form->ClientToScreen(TPoint{0, 0});
    const QRgb pixel = image.pixel(origin.X - form.X + ip.Right - 3, origin.Y - form.Y + ip.Top + 3);
    EXPECT_EQ(QColor(pixel), QColor(0xC9, 0xE4, 0xE4));
}

} // namespace
