// The three CANopen tables: every check with its message, the files with
// every attribute required, the row buttons on two tabs, headers in the
// cells of row 0, and the grid handlers the CAN frame tables leave out.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/canopen/USet_PDO_Access.h"
#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <map>
#include <gtest/gtest.h>

namespace {

// ---- Rules ----------------------------------------------------------------------------------

enum TWhich { PDO_R, PDO_T, Client_R, Client_W, Server_R, Server_W };

TRowTexts Valid_Row(TWhich which)
{
    switch (which) {
    case PDO_R: return {"1", "0x181", "3", "0", "1", "2", "", "", "", "", "", "100", "speed"};
    case PDO_T: return {"1", "0x201", "3", "0", "1", "2", "", "", "", "", "", "100", "Y", "set"};
    case Client_R: return {"1", "5", "0x2000", "1", "2", "100", "0", "1", "", "", "poll"};
    case Client_W: return {"1", "5", "0x2000", "1", "2", "0", "N", "0", "1", "", "", "put"};
    case Server_R:
    case Server_W: return {"1", "0x2000", "0", "4", "0", "1", "2", "3", "obj"};
    }
    return {};
}

const TCANopenRules& Rules(TWhich which)
{
    switch (which) {
    case PDO_R: return PDO_Receive_Rules();
    case PDO_T: return PDO_Transmit_Rules();
    case Client_R: return SDO_Client_Read_Rules();
    case Client_W: return SDO_Client_Write_Rules();
    case Server_R: return SDO_Server_Read_Rules();
    case Server_W: return SDO_Server_Write_Rules();
    }
    return PDO_Receive_Rules();
}

// Each case breaks cells of an otherwise valid row 2; where two cells
// break, the earlier check is the one reported. The bound 1439 ends every
// byte-position message.
TEST(CANopenRules, EveryRowCheckOfEveryTableInItsOrder)
{
    struct TCase {
        TWhich Which;
        std::vector<std::pair<int, const char*>> Cells;
        int Slot;  // 0: passes
    };
    const TCase cases[] = {
        {PDO_R, {}, 0},
        {PDO_R, {{PR_COB_ID, "2047"}}, 0},
        {PDO_R, {{PR_COB_ID, "$7FF"}}, 0},
        {PDO_R, {{PR_COB_ID, "0x7FF"}}, 0},
        {PDO_R, {{PR_COB_ID, "2048"}, {PR_Dimension, ""}}, 2269},
        {PDO_R, {{PR_COB_ID, "-1"}}, 2269},
        {PDO_R, {{PR_Dimension, ""}}, 2270},
        {PDO_R, {{PR_Dimension, "9"}}, 2270},
        {PDO_R, {{PR_Dimension, "0"}, {PR_TimeOut, "x"}}, 2270},
        {PDO_R, {{PR_Add_B1 + 3, "anything"}, {PR_Add_B1 + 7, ""}}, 0},
        {PDO_R, {{PR_Add_B1 + 2, ""}}, 2273},
        {PDO_R, {{PR_Add_B1, "1439"}}, 0},
        {PDO_R, {{PR_Add_B1, "1440"}, {PR_TimeOut, "-1"}}, 2271},
        {PDO_R, {{PR_Dimension, "8"}, {PR_Add_B1 + 3, "3"}, {PR_Add_B1 + 4, "4"}, {PR_Add_B1 + 5, "5"},
                 {PR_Add_B1 + 6, "6"}, {PR_Add_B1 + 7, "0x5A0"}}, 2278},
        {PDO_R, {{PR_TimeOut, "65535"}}, 0},
        {PDO_R, {{PR_TimeOut, "65536"}}, 2279},
        {PDO_R, {{PR_TimeOut, ""}}, 2279},
        {PDO_T, {}, 0},
        {PDO_T, {{PT_COB_ID, "2048"}}, 2280},
        {PDO_T, {{PT_Dimension, ""}}, 2281},
        {PDO_T, {{PT_Add_B1 + 1, "1440"}}, 2283},
        {PDO_T, {{PT_Send_Time, "100000000"}}, 0},
        {PDO_T, {{PT_Send_Time, "100000001"}}, 2290},
        {PDO_T, {{PT_On_Change, ""}, {PT_Mnemonic, ""}}, 0},
        {Client_R, {}, 0},
        {Client_R, {{CR_Device_ID, "0"}}, 2361},
        {Client_R, {{CR_Device_ID, "128"}}, 2361},
        {Client_R, {{CR_Device_ID, "127"}}, 0},
        {Client_R, {{CR_Index, "4095"}}, 2362},
        {Client_R, {{CR_Index, "4096"}}, 0},
        {Client_R, {{CR_Index, "0x1000"}}, 0},
        {Client_R, {{CR_Index, "0xFFFF"}}, 0},
        {Client_R, {{CR_Index, "65536"}}, 2362},
        {Client_R, {{CR_SubIndex, "0xFF"}}, 0},
        {Client_R, {{CR_SubIndex, "256"}}, 2363},
        {Client_R, {{CR_NByte, "3"}}, 2364},
        {Client_R, {{CR_NByte, "0"}}, 2364},
        {Client_R, {{CR_NByte, "8"}}, 2364},
        {Client_R, {{CR_NByte, "1"}, {CR_Add_B1 + 1, ""}}, 0},
        {Client_R, {{CR_NByte, "2"}, {CR_Add_B1 + 2, "x"}}, 0},
        {Client_R, {{CR_NByte, "2"}, {CR_Add_B1 + 1, ""}}, 2367},
        {Client_R, {{CR_NByte, "4"}, {CR_Add_B1 + 2, "2"}, {CR_Add_B1 + 3, ""}}, 2369},
        {Client_R, {{CR_NByte, "4"}, {CR_Add_B1 + 2, "2"}, {CR_Add_B1 + 3, "3"}}, 0},
        {Client_R, {{CR_Poll_Time, "0"}}, 2365},
        {Client_R, {{CR_Poll_Time, "100000001"}}, 2365},
        {Client_W, {}, 0},
        {Client_W, {{CW_Poll_Time, "0"}}, 0},
        {Client_W, {{CW_Poll_Time, "-1"}}, 2374},
        {Client_W, {{CW_Device_ID, ""}}, 2370},
        {Client_W, {{CW_NByte, "3"}}, 2373},
        {Client_W, {{CW_Add_B1, "1440"}}, 2375},
        {Client_W, {{CW_On_Change, "maybe"}}, 0},
        {Server_R, {}, 0},
        {Server_R, {{SS_Index, "8191"}}, 2451},
        {Server_R, {{SS_Index, "0x1FFF"}}, 2451},
        {Server_R, {{SS_Index, "8192"}}, 0},
        {Server_R, {{SS_Index, "24575"}}, 0},
        {Server_R, {{SS_Index, "0x5FFF"}}, 0},
        {Server_R, {{SS_Index, "24576"}}, 2451},
        {Server_R, {{SS_Index, "0x6000"}}, 2451},
        {Server_R, {{SS_SubIndex, "-1"}}, 2452},
        {Server_R, {{SS_NByte, "3"}}, 2453},
        {Server_R, {{SS_NByte, "1"}, {SS_Add_B1 + 1, ""}, {SS_Add_B1 + 3, "x"}}, 0},
        {Server_R, {{SS_NByte, "2"}, {SS_Add_B1 + 2, ""}}, 0},
        {Server_R, {{SS_NByte, "2"}, {SS_Add_B1 + 1, "1440"}}, 2455},
        {Server_R, {{SS_Add_B1 + 3, ""}}, 2457},
        {Server_W, {}, 0},
        {Server_W, {{SS_Index, "0x1FFF"}}, 2458},
        {Server_W, {{SS_Index, "0x2000"}}, 0},
        {Server_W, {{SS_Index, "0x6000"}}, 2458},
        {Server_W, {{SS_SubIndex, "256"}}, 2459},
        {Server_W, {{SS_NByte, "3"}}, 2460},
        {Server_W, {{SS_Add_B1, "1440"}}, 2461},
        {Server_W, {{SS_Add_B1 + 3, "1440"}}, 2464},
    };
    for (const TCase& c : cases) {
        TRowTexts row = Valid_Row(c.Which);
        for (const auto& [col, text] : c.Cells) row[std::size_t(col)] = QString::fromLatin1(text);
        const auto fault = Check_CANopen_Table({Valid_Row(c.Which), row}, Rules(c.Which));
        SCOPED_TRACE(::testing::Message() << "table " << int(c.Which) << " case expecting " << c.Slot);
        if (c.Slot == 0) {
            EXPECT_FALSE(fault) << fault->Slot;
            continue;
        }
        ASSERT_TRUE(fault);
        const bool position = (c.Slot >= 2271 && c.Slot <= 2278) || (c.Slot >= 2282 && c.Slot <= 2289) ||
                              (c.Slot >= 2366 && c.Slot <= 2369) || (c.Slot >= 2375 && c.Slot <= 2378) ||
                              (c.Slot >= 2454 && c.Slot <= 2457) || c.Slot >= 2461;
        EXPECT_EQ(*fault, (TTableFault{c.Slot, 2, position ? 1439 : -1}));
    }
}

TEST(CANopenRules, MessagesJoinPrefixRowTextAndBound)
{
    Load_Default_Texts();  // the messages are read from the text table, which no other step filled
    TRowTexts row = Valid_Row(PDO_R);
    row[PR_Add_B1] = "1440";
    EXPECT_EQ(Table_Fault_Text(PDO_Error_Row, *Check_CANopen_Table({row}, PDO_Receive_Rules())),
              "Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 1439");
    row = Valid_Row(Client_W);
    row[CW_Add_B1] = "1440";
    EXPECT_EQ(Table_Fault_Text(SDO_Client_Error_Row,
                               *Check_CANopen_Table({Valid_Row(Client_W), row}, SDO_Client_Write_Rules())),
              "Error row 2!! [SDO Write] Address Byte1 must be between 0 and 1439");
    row = Valid_Row(Server_W);
    row[SS_Index] = "0x6000";
    EXPECT_EQ(Table_Fault_Text(SDO_Server_Error_Row, *Check_CANopen_Table({row}, SDO_Server_Write_Rules())),
              "Error row 1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF");
    row = Valid_Row(Client_R);
    row[CR_Poll_Time] = "0";
    EXPECT_EQ(Table_Fault_Text(SDO_Client_Error_Row, *Check_CANopen_Table({row}, SDO_Client_Read_Rules())),
              "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000");
}

// ---- Windows and files ----------------------------------------------------------------------

struct TFormCase {
    const char* Name;
    TCANopenForm* (*Make)();
    const char* File;
    TWhich First, Second;
    int Rows;
    int Width;
    const char* Delete_Question;
};

const TFormCase Form_Cases[] = {
    {"PDO", []() -> TCANopenForm* { return new TFSet_PDO_Access(nullptr); }, "PDO_CANopen.xml", PDO_R, PDO_T, 30, 798,
     "Are you sure to delete the Row number "},
    {"SDO_Client", []() -> TCANopenForm* { return new TFSet_SDO_Client_Access(nullptr); }, "SDO_Client_CANopen.xml",
     Client_R, Client_W, 256, 798, "Are you sure to delete the Row number "},
    {"SDO_Server", []() -> TCANopenForm* { return new TFSet_SDO_Server_Access(nullptr); }, "SDO_Server_CANopen.xml",
     Server_R, Server_W, 500, 749, "Are you sure to delete the Row number "},
};

struct CANopenFormTest : ProgramStateFixture, ::testing::WithParamInterface<TFormCase> {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TCANopenForm> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        Set_Files();
        Form.reset(GetParam().Make());
        Form->AfterConstruction();
        Form->FormShow(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }
    TZvColumnGrid* Grid(int i) { return i == 0 ? Form->sga : Form->sgb; }
    void Set_Row(int table, int row, const TRowTexts& cells)
    {
        for (int c = 1; c < int(cells.size()); ++c) Grid(table)->SetCellEx(c, row, cells[std::size_t(c)]);
    }
    TRowTexts Row(int table, int row)
    {
        TRowTexts cells;
        for (int c = 0; c < Grid(table)->ColCount(); ++c) cells.push_back(Grid(table)->GetCellEx(c, row));
        return cells;
    }
    TWhich Which(int table) const { return table == 0 ? GetParam().First : GetParam().Second; }
    void Select_Tab(int table) { Form->PageControl1->SetActivePage(Form->PageControl1->Pages(table)); }
};

TEST_P(CANopenFormTest, TablesHeadersInRowZeroAndHints)
{
    for (int t = 0; t < 2; ++t) {
        TZvColumnGrid* grid = Grid(t);
        const TTableLayout& layout = *Form->Table(t).Layout;
        EXPECT_EQ(grid->RowCount(), GetParam().Rows + 1);
        EXPECT_EQ(grid->ColCount(), int(layout.Columns.size()));
        EXPECT_EQ(int(Valid_Row(Which(t)).size()), grid->ColCount());
        EXPECT_FALSE(Form->Table(t).Has_Enable) << "column 1 is the key, no \"Enable\"";
        EXPECT_FALSE(grid->Options().Contains(goEditing)) << "editing starts with the first editable cell";
        for (int c = 0; c < grid->ColCount(); ++c)
            EXPECT_EQ(grid->GetCellEx(c, 0), Lang_Text(layout.Columns[std::size_t(c)].Header)) << c;
        EXPECT_EQ(Form->Table(t).Hint.Count(), grid->ColCount() - 1);
        // The reset: row numbers, every other cell empty.
        TRowTexts reset(std::size_t(grid->ColCount()));
        reset[0] = IntToStr(GetParam().Rows);
        EXPECT_EQ(Row(t, GetParam().Rows), reset);
        EXPECT_EQ(grid->GetCellEx(1, 1), "");
    }
    EXPECT_EQ(Form->ClientWidth(), GetParam().Width);
    EXPECT_EQ(Form->PROFINET_NByte_IN, 1440);
    EXPECT_EQ(Form->PROFINET_NByte_OUT, 1440);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->PageControl1->Pages(0));

    const int slot = Form->Table(1).Layout->Columns[1].Header;
    Lang_Strings.SetStrings(slot, "Chiave");
    Form->Set_Lang();
    EXPECT_EQ(Grid(1)->GetCellEx(1, 0), "Chiave");
}

TEST_P(CANopenFormTest, GoldenFileReadsBackTheSame)
{
    Set_Row(0, 1, Valid_Row(Which(0)));
    TRowTexts odd = Valid_Row(Which(0));
    odd.back() = "a <b> & \"c\"";
    Set_Row(0, 2, odd);
    Set_Row(1, 1, Valid_Row(Which(1)));
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    const std::map<std::string, QByteArray> goldens = {
        {"PDO",
         "<PDO_CANopen>\n"
         "  <Receive_PDO>\n"
         "    <row COB-ID=\"0x181\" Dimension=\"3\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"\" "
         "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"100\" Mnemonic=\"speed\" />\n"
         "    <row COB-ID=\"0x181\" Dimension=\"3\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"\" "
         "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"100\" "
         "Mnemonic=\"a &lt;b> &amp; &quot;c&quot;\" />\n"
         "  </Receive_PDO>\n"
         "  <Transmit_PDO>\n"
         "    <row COB-ID=\"0x201\" Dimension=\"3\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"\" "
         "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" Send_Time=\"100\" On_Change=\"Y\" "
         "Mnemonic=\"set\" />\n"
         "  </Transmit_PDO>\n"
         "</PDO_CANopen>\n"
         "<!--SW_VERSION = 1.000-->\n"},
        {"SDO_Client",
         "<SDO_Client_CANopen>\n"
         "  <SDO_Read>\n"
         "    <row Device_ID=\"5\" Index=\"0x2000\" SubIndex=\"1\" NByte=\"2\" Poll_Time=\"100\" Address_B1=\"0\" "
         "Address_B2=\"1\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"poll\" />\n"
         "    <row Device_ID=\"5\" Index=\"0x2000\" SubIndex=\"1\" NByte=\"2\" Poll_Time=\"100\" Address_B1=\"0\" "
         "Address_B2=\"1\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"a &lt;b> &amp; &quot;c&quot;\" />\n"
         "  </SDO_Read>\n"
         "  <SDO_Write>\n"
         "    <row Device_ID=\"5\" Index=\"0x2000\" SubIndex=\"1\" NByte=\"2\" Poll_Time=\"0\" On_Change=\"N\" "
         "Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"put\" />\n"
         "  </SDO_Write>\n"
         "</SDO_Client_CANopen>\n"
         "<!--SW_VERSION = 1.000-->\n"},
        {"SDO_Server",
         "<SDO_Server_CANopen>\n"
         "  <SDO_Read>\n"
         "    <row Index=\"0x2000\" SubIndex=\"0\" NByte=\"4\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" "
         "Address_B4=\"3\" Mnemonic=\"obj\" />\n"
         "    <row Index=\"0x2000\" SubIndex=\"0\" NByte=\"4\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" "
         "Address_B4=\"3\" Mnemonic=\"a &lt;b> &amp; &quot;c&quot;\" />\n"
         "  </SDO_Read>\n"
         "  <SDO_Write>\n"
         "    <row Index=\"0x2000\" SubIndex=\"0\" NByte=\"4\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" "
         "Address_B4=\"3\" Mnemonic=\"obj\" />\n"
         "  </SDO_Write>\n"
         "</SDO_Server_CANopen>\n"
         "<!--SW_VERSION = 1.000-->\n"},
    };
    const QByteArray golden = goldens.at(GetParam().Name);
    EXPECT_EQ(Folder.Read(GetParam().File).toStdString(), golden.toStdString());
    Form->FormShow(nullptr);
    EXPECT_EQ(Row(0, 2).back(), "a <b> & \"c\"");
    Form->SetModalResult(mrNone);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Folder.Read(GetParam().File), golden);
}

// Every attribute is required: a row lacking some is read whole all the
// same (the cells it lacks stay empty) and the load warns once, naming the
// file; the rows after it load as well. A missing section is an empty table.
TEST_P(CANopenFormTest, MissingAttributesAreWarnedAboutOnceAndLoadingGoesOn)
{
    const TTableLayout& first = *Form->Table(0).Layout;
    const TTableLayout& second = *Form->Table(1).Layout;
    const String root = Form->Root_Name();
    QByteArray xml = "<" + root.toUtf8() + "><" + QByteArray(first.Section) + ">";
    xml += "<row " + QByteArray(first.Columns[1].Attr) + "=\"1\"/>";
    xml += "<row " + QByteArray(first.Columns[1].Attr) + "=\"2\" " + QByteArray(first.Columns.back().Attr) + "=\"m\"/>";
    xml += "</" + QByteArray(first.Section) + "></" + root.toUtf8() + ">";
    Folder.Write(GetParam().File, xml);
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Warning);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Incomplete_Rows), {QString::fromLatin1(GetParam().File), 2}));
    EXPECT_EQ(Form->ModalResult(), mrNone) << "the window opens";
    EXPECT_EQ(Grid(0)->GetCellEx(1, 1), "1");
    EXPECT_EQ(Grid(0)->GetCellEx(1, 2), "2");
    EXPECT_EQ(Grid(0)->GetCellEx(Grid(0)->ColCount() - 1, 2), "m");
    EXPECT_EQ(Grid(0)->GetCellEx(2, 1), "");
    EXPECT_EQ(Grid(1)->GetCellEx(1, 1), "") << "no " << second.Section << " section: an empty table";
}

TEST_P(CANopenFormTest, ReceiveTableIsJudgedFirstWhicheverTabIsShown)
{
    TRowTexts bad0 = Valid_Row(Which(0)), bad1 = Valid_Row(Which(1));
    bad0[1] = "-1";
    bad1[1] = "-1";
    Set_Row(0, 1, bad0);
    Set_Row(1, 1, bad1);
    Select_Tab(1);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    const int prefix = Form->Table(0).Layout == &PDO_Receive_Layout() ? PDO_Error_Row
                       : GetParam().First == Client_R                ? SDO_Client_Error_Row
                                                                     : SDO_Server_Error_Row;
    const int first_slot = Rules(Which(0)).Before.front().Slot, second_slot = Rules(Which(1)).Before.front().Slot;
    EXPECT_EQ(Seams.Boxes[0].Text, Table_Fault_Text(prefix, {first_slot, 1}));
    Set_Row(0, 1, Valid_Row(Which(0)));
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Seams.Boxes.back().Text, Table_Fault_Text(prefix, {second_slot, 1}));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(Folder.File(GetParam().File)));
}

// Insert gives an entirely empty row, which ends the table: OK asks before
// dropping the rows below it, and No writes nothing.
TEST_P(CANopenFormTest, InsertLeavesAnEmptyKeyThatOKAsksAbout)
{
    Set_Row(0, 1, Valid_Row(Which(0)));
    Set_Row(0, 2, Valid_Row(Which(0)));
    Form->sga->SetRow(2);
    Form->Btn_InsRow->Click();
    TRowTexts empty(std::size_t(Grid(0)->ColCount()));
    empty[0] = "2";
    EXPECT_EQ(Row(0, 2), empty);
    EXPECT_EQ(Grid(0)->GetCellEx(1, 3), Valid_Row(Which(0))[1]);
    Seams.AnswerBox(IDNO);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Drop_Rows_Below), {2}));
    EXPECT_FALSE(FileExists(Folder.File(GetParam().File)));
    Seams.AnswerBox(IDYES);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    Form->FormShow(nullptr);
    EXPECT_EQ(Grid(0)->GetCellEx(1, 1), Valid_Row(Which(0))[1]);
    EXPECT_EQ(Grid(0)->GetCellEx(1, 2), "") << "the row below the gap was dropped";
}

TEST_P(CANopenFormTest, RowButtonsActOnTheActiveTabAndACopyTakesThePasteRightFromTheOther)
{
    Set_Row(0, 1, Valid_Row(Which(0)));
    Select_Tab(0);
    Form->sga->SetRow(1);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Table(0).Do_Copy);
    Select_Tab(1);
    Form->sgb->SetRow(1);
    Form->Btn_PasteRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(902)) << "no copy in this table yet";
    Set_Row(1, 2, Valid_Row(Which(1)));
    Form->sgb->SetRow(2);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Table(1).Do_Copy);
    EXPECT_FALSE(Form->Table(0).Do_Copy);
    Form->sgb->SetRow(1);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Row(1, 1).back(), Valid_Row(Which(1)).back());
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, GetParam().Delete_Question + QStringLiteral("1"));
    EXPECT_EQ(Row(1, 1).back(), Valid_Row(Which(1)).back()) << "row 2 moved up";
    EXPECT_EQ(Grid(1)->GetCellEx(1, 2), "");
    EXPECT_EQ(Grid(0)->GetCellEx(1, 1), Valid_Row(Which(0))[1]) << "the other tab is untouched";
    // A new showing brings the first tab back.
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->PageControl1->Pages(0));
}

// Both grids: a header double-click fits the column, Enter jumps to the next
// cell, a click on a row number selects the row, header hints from the list.
TEST_P(CANopenFormTest, GridHandlersThroughRealInput)
{
    Double_Click_Auto_Size = true;
    Enable_Jump_Field_Tables = true;
    Form->Show();
    for (int t = 0; t < 2; ++t) {
        Select_Tab(t);
        TZvColumnGrid* grid = Grid(t);
        const int col = grid->ColCount() - 1;
        grid->SetCellEx(col, 3, QString(80, u'W'));
        grid->SetCellEx(2, 3, QString(40, u'W'));
        const int before = grid->ColWidths(2);
        const TRect header = grid->CellRect(2, 0);
        Simulate::DoubleClick(grid, TPoint{(header.Left + header.Right) / 2, (header.Top + header.Bottom) / 2});
        EXPECT_GT(grid->ColWidths(2), before);

        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetFocus();
        Simulate::Key(grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        EXPECT_EQ(grid->Col(), 2);

        const TRect number = grid->CellRect(0, 4);
        Simulate::Click(grid, TPoint{(number.Left + number.Right) / 2, (number.Top + number.Bottom) / 2});
        EXPECT_TRUE(grid->IsSelected(1, 4)) << "table " << t;

        String hint;
        grid->OnGridHint(grid, 0, 1, hint);
        EXPECT_EQ(hint, Form->Table(t).Hint[0]);
        EXPECT_FALSE(hint.isEmpty());
        grid->OnGridHint(grid, 1, 1, hint);
        EXPECT_EQ(hint, "");
    }
    Form->Hide();
}

TEST_P(CANopenFormTest, Screenshot)
{
    // Showing resets the tables: the row is typed into the shown window.
    Form->Show();
    Set_Row(0, 1, Valid_Row(Which(0)));
    const QImage image = Form->PaintToImage();
    Form->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("canopen_%1.png").arg(GetParam().Name))));
    EXPECT_EQ(image.size(), QSize(GetParam().Width, 337));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    // The key column's light blue around an empty cell of row 3.
    const TRect key = Form->sga->CellRect(1, 3);
    const TPoint origin = Form->sga->ClientToScreen(TPoint{0, 0});
    const TPoint form = Form->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(QColor(image.pixel(origin.X - form.X + key.Left + 4, origin.Y - form.Y + key.Top + 4)),
              QColor(0xE0, 0xFA, 0xFE));
}

INSTANTIATE_TEST_SUITE_P(EveryCANopenForm, CANopenFormTest, ::testing::ValuesIn(Form_Cases),
                         [](const ::testing::TestParamInfo<TFormCase>& info) { return std::string(info.param.Name); });

} // namespace
