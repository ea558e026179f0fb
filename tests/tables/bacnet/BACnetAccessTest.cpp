// The BACnet client window and the EDE import dialog: the BACnet type and
// its key column, the Position lists, the file, the checks through OK, the
// NByte hint, and rows imported from an EDE file through both modal loops.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "examples/gallery/GalleryForms.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tables/bacnet/UBACnetAccess.h"
#include "tables/bacnet/UImportEDEFile.h"
#include "tables/common/UGridRows.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

String S(const char* text)
{
    return QString::fromUtf8(text);
}

String ParGen(const char* type)
{
    return QStringLiteral("<ParGen><Other>1</Other><BACnet_Type>%1</BACnet_Type></ParGen>").arg(S(type));
}

const char* const EDE_Text =
    "PROJECT_NAME;Plant\nVERSION_OF_REFERENCEFILE;1\nTIMESTAMP_OF_LAST_CHANGE;x\nAUTHOR_OF_LAST_CHANGE;x\n"
    "VERSION_OF_LAYOUT;2\n\n"
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional\n"
    "keyname;device;name;type;instance;description\n"
    "k1;7;Temp;0;11;Hall temperature;;;;N;\n"
    "k2;7;Device;8;7;the device itself\n"
    "k3;7;Setpoint;2;12;Hall setpoint;;;;Y;\n"
    "k4;7;Lamp;4;13;Hall lamp;;;;Y;\n"
    "k5;7;Energy;46;14;Meter;;;;N;\n";

struct BACnetTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFBACnetAccess> Form;
    std::unique_ptr<TFImportEDEFile> Dialog;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        File_ParGen = Folder.File("ParGen.xml");
        File_DALI2_Access = Folder.File("DALI2_Access.xml");
        File_BACnet_Master_Access = Folder.File("BACnet_Master_Access.xml");
        Folder.Write("ParGen.xml", ParGen("0").toUtf8());
        Publish(Dialog, FImportEDEFile);
        Dialog->AfterConstruction();
        Publish(Form, FBACnetAccess);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Withdraw(Form, FBACnetAccess);
        Withdraw(Dialog, FImportEDEFile);
        ProgramStateFixture::TearDown();
    }
    TZvColumnGrid* Read() { return Form->ACG1; }
    TZvColumnGrid* Write() { return Form->ACG2; }
    void Show_With_Type(const char* type)
    {
        Folder.Write("ParGen.xml", ParGen(type).toUtf8());
        Form->FormShow(nullptr);
    }
    static void Set(TZvStringGrid* grid, int row, const std::vector<std::pair<int, const char*>>& cells)
    {
        for (const auto& [col, text] : cells) grid->SetCellEx(col, row, S(text));
    }
    void Valid_Read(int row, const char* address = "10.0.0.5")
    {
        Set(Read(), row, {{BR_Address, address}, {BR_Object_Type, "Analog Input"}, {BR_Instance, "1"},
                          {BR_Property, "Present Value (85)"}, {BR_NByte, "4"}, {BR_Poll_Time, "1000"},
                          {BR_Max_Err, "0"}, {BR_Position, "0"}});
    }
    void Valid_Write(int row, const char* address = "10.0.0.5")
    {
        Set(Write(), row, {{BW_Address, address}, {BW_Object_Type, "Analog Value"}, {BW_Data_Type, "Real"},
                           {BW_Instance, "1"}, {BW_Property, "Present Value (85)"}, {BW_Priority, "0"},
                           {BW_NByte, "4"}, {BW_Max_Err, "0"}, {BW_Position, "Device 3"}});
    }
    static std::vector<String> Items(TZvColumnGrid* grid, int col)
    {
        std::vector<String> items;
        TStringList* list = grid->Columns()->Items(col)->ComboItems();
        for (int i = 0; i < list->Count(); ++i) items.push_back((*list)[i]);
        return items;
    }
    static std::vector<String> Row(TZvStringGrid* grid, int row)
    {
        std::vector<String> cells;
        for (int c = 1; c < Real_Col_Count(grid); ++c) cells.push_back(grid->GetCellEx(c, row));
        return cells;
    }
};

// ---- The BACnet type and the key column ----------------------------------------------------------

TEST_F(BACnetTest, TheBACnetTypeDecidesColumnTwoAndTheKey)
{
    const struct {
        const char* Name;
        const char* File;  // null: no ParGen.xml
        bool Box;
        int Type;
        const char* Header;  // null: column 2 hidden
    } cases[] = {
        {"no file", nullptr, true, 0, "IP Address"},
        {"no element", "<ParGen><Other>2</Other></ParGen>", true, 0, "IP Address"},
        {"broken", "<ParGen><BACnet_Type>1", true, 0, "IP Address"},
        {"type 0", "<ParGen><BACnet_Type>0</BACnet_Type></ParGen>", false, 0, "IP Address"},
        {"type 1", "<ParGen><BACnet_Type> 1 </BACnet_Type></ParGen>", false, 1, "Slave ID"},
        {"type 2", "<ParGen><BACnet_Type>2</BACnet_Type></ParGen>", false, 2, nullptr},
        {"type -1", "<Any><BACnet_Type>-1</BACnet_Type></Any>", false, -1, nullptr},
        {"not a number", "<ParGen><BACnet_Type>BIP</BACnet_Type></ParGen>", false, 0, "IP Address"},
        // Back to a type with an address: the column shows again.
        {"type 1 again", "<ParGen><BACnet_Type>1</BACnet_Type></ParGen>", false, 1, "Slave ID"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        DeleteFile(File_ParGen);
        if (c.File) Folder.Write("ParGen.xml", c.File);
        Seams.Boxes.clear();
        Form->FormShow(nullptr);
        EXPECT_EQ(Form->ModalResult(), mrNone);
        if (c.Box) {
            ASSERT_EQ(Seams.Boxes.size(), 1u);
            EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
            EXPECT_EQ(Seams.Boxes[0].Text, S("Select the BACnet Type in the \"Set Communication\" section"));
        } else {
            EXPECT_TRUE(Seams.Boxes.empty());
        }
        EXPECT_EQ(Form->App_BACnet_Type, c.Type);
        const int key = c.Header ? 2 : 3;
        for (TZvColumnGrid* grid : {Read(), Write()}) {
            EXPECT_EQ(grid->IsHiddenColumn(2), c.Header == nullptr);
            if (c.Header) EXPECT_EQ(grid->Columns()->Items(2)->Header(), S(c.Header));
            // Start Bit, Swap and Convertion stay hidden whatever the type.
            const int first = grid == Read() ? BR_Start_Bit : BW_Start_Bit;
            for (int col = first; col < first + 3; ++col) EXPECT_TRUE(grid->IsHiddenColumn(col)) << col;
        }
        EXPECT_EQ(Form->Table(0).Layout->Key_Col, key);
        EXPECT_EQ(Form->Table(1).Layout->Key_Col, key);
        EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_BACnet_Read);
    }
}

// Rows whose address is empty end a table of type 0 or 1; with type 2 the
// object type ends it, and no address is checked.
TEST_F(BACnetTest, ChecksAndSavingFollowTheKeyColumnOfEachType)
{
    const struct {
        const char* Type;
        const char* Address;  // of row 1 in both tables
        const char* Box;      // null: OK saves
        int Rows;             // rows saved per table
    } cases[] = {
        {"0", "10.0.0.5", nullptr, 2},
        {"0", "10.0.0", "Error in Read, row 1!! IP Address is not correct", 0},
        {"0", "", nullptr, 0},
        {"1", "10.0.0.5", "Error in Read, row 1!! Slave ID must be between 0 and 254", 0},
        {"1", "254", nullptr, 2},
        {"2", "10.0.0", nullptr, 2},
        {"2", "", nullptr, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.Type << " address \"" << c.Address << '"');
        DeleteFile(File_BACnet_Master_Access);
        Show_With_Type(c.Type);
        Form->SetModalResult(mrNone);
        Seams.Boxes.clear();
        for (int row : {1, 2}) {
            Valid_Read(row, row == 1 ? c.Address : "20");
            Valid_Write(row, row == 1 ? c.Address : "20");
        }
        // Row 2's address would be refused for type 0: with an empty row-1 key it is below the table.
        if (S(c.Type) == "0" && S(c.Address).isEmpty()) Seams.AnswerBox(IDYES);
        if (S(c.Type) == "0" && !S(c.Address).isEmpty()) {
            Read()->SetCellEx(BR_Address, 2, "10.0.0.6");
            Write()->SetCellEx(BW_Address, 2, "10.0.0.6");
        }
        if (S(c.Type) == "1") {
            Read()->SetCellEx(BR_Address, 2, "20");
            Write()->SetCellEx(BW_Address, 2, "20");
        }
        Form->Btn_OKClick(nullptr);
        if (c.Box) {
            ASSERT_FALSE(Seams.Boxes.empty());
            EXPECT_EQ(Seams.Boxes.back().Text, S(c.Box));
            EXPECT_EQ(Form->ModalResult(), mrNone);
            EXPECT_FALSE(FileExists(File_BACnet_Master_Access));
            continue;
        }
        EXPECT_EQ(Form->ModalResult(), mrOk);
        TXMLDocument doc;
        doc.LoadFromFile(File_BACnet_Master_Access);
        for (const char* section : {"BACnet_Read", "BACnet_Write"})
            EXPECT_EQ(int(doc.DocumentElement().ChildNode(S(section)).ChildNodes().size()), c.Rows) << section;
    }
}

TEST_F(BACnetTest, OKShowsTheFirstFaultOfTheReadThenTheWriteTable)
{
    Form->FormShow(nullptr);
    Valid_Read(1);
    Valid_Write(1);
    Valid_Write(2);
    // A broken Write row and a disabled broken Read row: the Write fault is reported.
    Valid_Read(2);
    Set(Read(), 2, {{BR_Enable, "N"}, {BR_Object_Type, "nothing"}});
    Set(Write(), 2, {{BW_Data_Type, "Double"}});
    Form->Btn_OK->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, S("Error in Write, row 2!! Data Type is not correct. Aspected Data Type is Real"));
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_FALSE(FileExists(File_BACnet_Master_Access));
    // A Read fault comes first; an "M3" destination is judged on its own D Add.
    Set(Read(), 1, {{BR_En_Dest, "Y"}, {BR_D_Net, "5"}, {BR_D_Len, "M3"}, {BR_D_Add, "1, 2"}});
    Form->Btn_OK->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, S("Error in Read, row 1!! Destination Address has too few bytes"));
    Set(Read(), 1, {{BR_D_Add, " 1 , 2 , 3 "}});
    Set(Write(), 2, {{BW_Data_Type, "Real"}});
    Seams.Boxes.clear();
    Form->Btn_OK->Click();
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

// ---- Position lists ------------------------------------------------------------------------------

TEST_F(BACnetTest, PositionListsTakeTheEnabledDALI2Rules)
{
    Folder.Write("DALI2_Access.xml",
                 "<DALI2_Access><DALI2_Functions><row Position=\"not a rule\"/></DALI2_Functions>"
                 "<DALI2_SetAccess_Rules>"
                 "<row Enable=\"Y\" Position=\"12\"/><row Enable=\"N\" Position=\"13\"/>"
                 "<row Position=\"14\"/><row Enable=\"Y\"/><row Enable=\"y\" Position=\"15\"/>"
                 "<row Enable=\"Y\" Position=\"\"/><row Enable=\"Y\" Position=\"12\"/>"
                 "</DALI2_SetAccess_Rules></DALI2_Access>");
    Form->FormShow(nullptr);
    const std::vector<String> read = Items(Read(), BR_Position);
    ASSERT_EQ(read.size(), 97u);
    EXPECT_EQ(read[0], "Device 0");
    EXPECT_EQ(read[63], "Device 63");
    EXPECT_EQ(read[64], "Group 1");
    EXPECT_EQ(read[79], "Group 16");
    EXPECT_EQ(read[80], "Broadcast");
    EXPECT_EQ(read[81], "Scene 1");
    EXPECT_EQ(read[96], "Scene 16");
    std::vector<String> write = Items(Write(), BW_Position);
    ASSERT_EQ(write.size(), 68u);
    EXPECT_EQ(write[63], "Device 63");
    EXPECT_EQ(std::vector<String>(write.begin() + 64, write.end()), (std::vector<String>{"12", "14", "", "12"}));

    // The list is rebuilt at every showing; a file without the section, a broken one, none: devices only.
    for (const char* file : {"<DALI2_Access><DALI2_Functions/></DALI2_Access>", "<DALI2_Access><row",
                             "<Other><DALI2_SetAccess_Rules><row Position=\"1\"/></DALI2_SetAccess_Rules></Other>"}) {
        Folder.Write("DALI2_Access.xml", file);
        Seams.Boxes.clear();
        Form->FormShow(nullptr);
        EXPECT_EQ(Items(Write(), BW_Position).size(), 64u) << file;
        EXPECT_TRUE(Seams.Boxes.empty()) << file;
    }
}

// ---- The file ------------------------------------------------------------------------------------

const char* const Golden =
    "<BACnet_Master_Access>\n"
    "  <BACnet_Read>\n"
    "    <row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Analog Input\" Instance=\"1\" "
    "Property=\"Present Value (85)\" NumByte=\"4\" Enable_Destination=\"N\" Destination_Network=\"\" "
    "Destination_Length=\"M2\" Destination_Address=\"\" PollTime=\"1000\" MaxError=\"0\" Position=\"Group 2\" "
    "StartBit=\"3\" Swap=\"Y\" ConvertFrom=\"Float to Int\" Mnemonic=\"hall &amp; stairs\" />\n"
    "    <row Enable=\"N\" IP_Address_Slave_ID=\"10.0.0.6\" Object_Type=\"300\" Instance=\"\" Property=\"\" "
    "NumByte=\"\" Enable_Destination=\"N\" Destination_Network=\"\" Destination_Length=\"\" "
    "Destination_Address=\"\" PollTime=\"\" MaxError=\"\" Position=\"\" StartBit=\"\" Swap=\"N\" "
    "ConvertFrom=\"None\" Mnemonic=\"\" />\n"
    "  </BACnet_Read>\n"
    "  <BACnet_Write>\n"
    "    <row Enable=\"Y\" IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Analog Value\" Data_Type=\"Real\" "
    "Instance=\"1\" Property=\"Present Value (85)\" Priority=\"0\" NumByte=\"4\" Enable_Destination=\"N\" "
    "Destination_Network=\"\" Destination_Length=\"\" Destination_Address=\"\" OnChange=\"Y\" OnTimer=\"N\" "
    "PollTime=\"\" MaxError=\"0\" Position=\"Device 3\" StartBit=\"7\" Swap=\"N\" "
    "ConvertFrom=\"(Int to Float) / 100\" Mnemonic=\"\u00e8\" />\n"
    "  </BACnet_Write>\n"
    "</BACnet_Master_Access>\n"
    "<!--SW_VERSION = 1.000-->\n";

TEST_F(BACnetTest, TheFileRoundTripsWithItsHiddenColumns)
{
    // A file that leaves attributes out gets the load defaults.
    Folder.Write("BACnet_Master_Access.xml",
                 "<BACnet_Master_Access><BACnet_Read>"
                 "<row IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Analog Input\" Instance=\"1\" "
                 "Property=\"Present Value (85)\" NumByte=\"4\" Destination_Length=\"M2\" PollTime=\"1000\" "
                 "MaxError=\"0\" Position=\"Group 2\" StartBit=\"3\" Swap=\"Y\" ConvertFrom=\"Float to Int\" "
                 "Mnemonic=\"hall &amp; stairs\"/>"
                 "<row Enable=\"N\" IP_Address_Slave_ID=\"10.0.0.6\" Object_Type=\"300\"/>"
                 "</BACnet_Read><BACnet_Write>"
                 "<row IP_Address_Slave_ID=\"10.0.0.5\" Object_Type=\"Analog Value\" Data_Type=\"Real\" "
                 "Instance=\"1\" Property=\"Present Value (85)\" Priority=\"0\" NumByte=\"4\" OnChange=\"Y\" "
                 "MaxError=\"0\" Position=\"Device 3\" StartBit=\"7\" ConvertFrom=\"(Int to Float) / 100\" "
                 "Mnemonic=\"\u00e8\"/>"
                 "</BACnet_Write></BACnet_Master_Access>");
    Form->FormShow(nullptr);
    EXPECT_EQ(Read()->GetCellEx(BR_Swap, 2), "N");
    EXPECT_EQ(Read()->GetCellEx(BR_Conversion, 2), "None");
    EXPECT_EQ(Write()->GetCellEx(BW_Timer, 1), "N");
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk) << (Seams.Boxes.empty() ? "" : Seams.Boxes[0].Text.toStdString());
    EXPECT_EQ(QString::fromUtf8(Folder.Read("BACnet_Master_Access.xml")), S(Golden));
    // Read back and written again: the same bytes.
    Form->FormShow(nullptr);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(QString::fromUtf8(Folder.Read("BACnet_Master_Access.xml")), S(Golden));
}

// ---- Row buttons and hints -----------------------------------------------------------------------

TEST_F(BACnetTest, RowButtonsCarryHiddenColumnsAndCopiesStayInTheirTable)
{
    Form->FormShow(nullptr);
    Valid_Read(1);
    Set(Read(), 1, {{BR_Start_Bit, "5"}, {BR_Swap, "Y"}, {BR_Conversion, "Float to Int"}, {BR_Mnemonic, "m"}});
    const std::vector<String> copied = Row(Read(), 1);
    Read()->SetRow(1);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Read());
    Read()->SetRow(3);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Row(Read(), 3), copied);
    // A Read copy cannot be pasted into the Write table.
    Form->PageControl1->SetActivePage(Form->TS_BACnet_Write);
    Write()->SetRow(1);
    Seams.Boxes.clear();
    Form->Btn_PasteRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(Text_Copy_First));
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Write());
    EXPECT_FALSE(Form->Do_Copy_In_Read());
    // Delete asks with the form's own question.
    Form->PageControl1->SetActivePage(Form->TS_BACnet_Read);
    Read()->SetRow(1);
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, S("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Row(Read(), 2), copied);
}

TEST_F(BACnetTest, OnlyTheReadNByteCellHasAHint)
{
    Show_With_Type("2");  // column 2 hidden: displayed and real columns differ
    Set(Read(), 1, {{BR_Object_Type, "Binary Input"}, {BR_Property, "Present Value (85)"}});
    Set(Read(), 2, {{BR_Object_Type, "Accumulator"}, {BR_Property, "PreScale (185)"}});
    Set(Write(), 1, {{BW_Object_Type, "Analog Value"}, {BW_Property, "Present Value (85)"}});
    const auto hint = [this](TZvColumnGrid* grid, int row, int realCol) {
        String text = S("unchanged");
        grid->OnGridHint(grid, row, grid->RealToDisplayCol(realCol), text);
        return text;
    };
    EXPECT_EQ(hint(Read(), 1, BR_NByte), "1");
    EXPECT_EQ(hint(Read(), 2, BR_NByte), "5");
    EXPECT_EQ(hint(Read(), 3, BR_NByte), "");
    EXPECT_EQ(hint(Read(), 1, BR_Instance), "");
    EXPECT_EQ(hint(Read(), 0, BR_NByte), "") << "no header hints";
    EXPECT_EQ(hint(Write(), 1, BW_NByte), "");
    EXPECT_EQ(Form->Str_Hint_Read(BR_NByte, 1), "1");
}

// ---- EDE import ----------------------------------------------------------------------------------

TEST_F(BACnetTest, ImportedObjectsFollowTheRowsAndPositionsInUse)
{
    Folder.Write("plant.csv", EDE_Text);
    Dialog->EDE_File = Folder.File("plant.csv");
    Dialog->FormShow(nullptr);
    ASSERT_EQ(Dialog->List_EDE_Var.size(), 4u) << "the device object is not listed";
    Dialog->E_ID_IP->SetText("10.0.0.9");

    Form->FormShow(nullptr);
    Form->Add_EDE_Objects(*Dialog);
    // Into empty tables: positions from 0; the settable ones also as Write rows.
    EXPECT_EQ(Row(Read(), 1), (std::vector<String>{"Y", "10.0.0.9", "Analog Input", "11", "Present Value (85)", "4",
                                                   "N", "", "", "", "1000", "0", "0", "0", "N", "",
                                                   "Temp - Hall temperature"}));
    EXPECT_EQ(Read()->GetCellEx(BR_Position, 2), "4");
    EXPECT_EQ(Read()->GetCellEx(BR_Position, 3), "8");
    EXPECT_EQ(Read()->GetCellEx(BR_NByte, 3), "1");
    EXPECT_EQ(Read()->GetCellEx(BR_Position, 4), "9");
    EXPECT_EQ(Read()->GetCellEx(BR_NByte, 4), "8");
    EXPECT_EQ(Read()->GetCellEx(BR_Address, 5), "");
    EXPECT_EQ(Row(Write(), 1),
              (std::vector<String>{"Y", "10.0.0.9", "Analog Value", "Real", "12", "Present Value (85)", "0", "4", "N",
                                   "", "", "", "N", "N", "1000", "0", "0", "0", "N", "", "Setpoint - Hall setpoint"}));
    EXPECT_EQ(Write()->GetCellEx(BW_Object_Type, 2), "Binary Output");
    EXPECT_EQ(Write()->GetCellEx(BW_Data_Type, 2), "Enumerated");
    EXPECT_EQ(Write()->GetCellEx(BW_Position, 2), "4");
    EXPECT_EQ(Write()->GetCellEx(BW_Address, 3), "");

    // Into partly filled tables: after the highest Position plus NByte in
    // use; names of devices and groups do not count.
    Read()->SetCellEx(BR_Position, 2, "Group 3");
    Read()->SetCellEx(BR_Position, 1, "40");
    Write()->SetCellEx(BW_Position, 1, "Device 5");
    for (auto& var : Dialog->List_EDE_Var) var->Do_Write = false;
    Dialog->List_EDE_Var[1]->Do_Import = false;
    Form->Add_EDE_Objects(*Dialog);
    EXPECT_EQ(Read()->GetCellEx(BR_Position, 5), "44");
    EXPECT_EQ(Read()->GetCellEx(BR_Instance, 5), "11");
    EXPECT_EQ(Read()->GetCellEx(BR_Instance, 6), "13") << "the unticked object is skipped";
    EXPECT_EQ(Read()->GetCellEx(BR_Position, 6), "48");
    EXPECT_EQ(Read()->GetCellEx(BR_Position, 7), "49");
    EXPECT_EQ(Write()->GetCellEx(BW_Address, 3), "") << "nothing new for Write";

    // A full table takes what fits and writes no row outside it.
    for (int r = 1; r <= BACnet_Rows - 1; ++r) Read()->SetCellEx(BR_Address, r, "1.1.1.1");
    Form->Add_EDE_Objects(*Dialog);
    EXPECT_EQ(Read()->GetCellEx(BR_Instance, BACnet_Rows), "11");
    EXPECT_EQ(Read()->RowCount(), BACnet_Rows + 1);
}

TEST_F(BACnetTest, TheDialogGuardsWriteChoicesAndTheAddress)
{
    Folder.Write("plant.csv", EDE_Text);
    Dialog->EDE_File = Folder.File("plant.csv");
    Dialog->Show();
    EXPECT_EQ(Dialog->ACG->RowCount(), 5);
    EXPECT_EQ(Row(Dialog->ACG, 1), (std::vector<String>{"Y", "Y", "N", "Temp", "0", "11", "Hall temperature", "N"}));
    EXPECT_EQ(Row(Dialog->ACG, 2), (std::vector<String>{"Y", "Y", "Y", "Setpoint", "2", "12", "Hall setpoint", "Y"}));
    // A real click on the Write box of an object that is only read.
    const auto click = [this](int col, int row) {
        const TRect box = Dialog->ACG->CellRect(Dialog->ACG->RealToDisplayCol(col), row);
        Simulate::Click(Dialog->ACG, TPoint{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
    };
    click(EG_Write, 1);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, S("Error line 1!! The Variable is only in read"));
    EXPECT_EQ(Dialog->ACG->GetCellEx(EG_Write, 1), "N");
    EXPECT_FALSE(Dialog->List_EDE_Var[0]->Do_Write);
    click(EG_Write, 2);
    EXPECT_EQ(Dialog->ACG->GetCellEx(EG_Write, 2), "N");
    EXPECT_FALSE(Dialog->List_EDE_Var[1]->Do_Write);
    click(EG_Read, 3);
    EXPECT_FALSE(Dialog->List_EDE_Var[2]->Do_Read);
    click(EG_Import, 4);
    EXPECT_FALSE(Dialog->List_EDE_Var[3]->Do_Import);
    // The read-only cells do not change.
    click(EG_Commandable, 2);
    EXPECT_EQ(Dialog->ACG->GetCellEx(EG_Commandable, 2), "Y");
    // Select All ticks Import again; the read and write choices stay.
    Dialog->Btn_Select_All->Click();
    EXPECT_TRUE(Dialog->List_EDE_Var[3]->Do_Import);
    EXPECT_EQ(Dialog->ACG->GetCellEx(EG_Import, 4), "Y");
    EXPECT_FALSE(Dialog->List_EDE_Var[2]->Do_Read);
    Dialog->Btn_Unselect_All->Click();
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(Dialog->ACG->GetCellEx(EG_Import, r), "N");
    Dialog->Hide();

    const struct {
        int Type;
        const char* Address;
        const char* Box;  // null: closes with OK
    } cases[] = {
        {0, "10.0.0.1", nullptr},   {0, "10.0.0", "Error!! IP Address is not correct"},
        {0, "", "Error!! IP Address is not correct"},
        {1, "254", nullptr},        {1, " 0 ", nullptr},
        {1, "255", "Error!! Slave ID must be between 0 and 254"},
        {1, "abc", "Error!! Slave ID must be between 0 and 254"},
        {2, "", nullptr},           {5, "anything", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Type << " \"" << c.Address << '"');
        Dialog->SetModalResult(mrNone);
        Seams.Boxes.clear();
        Dialog->App_BACnet_Type = c.Type;
        Dialog->E_ID_IP->SetText(S(c.Address));
        Dialog->Btn_OK->Click();
        if (c.Box) {
            ASSERT_EQ(Seams.Boxes.size(), 1u);
            EXPECT_EQ(Seams.Boxes[0].Text, S(c.Box));
            EXPECT_EQ(Dialog->ModalResult(), mrNone);
        } else {
            EXPECT_TRUE(Seams.Boxes.empty());
            EXPECT_EQ(Dialog->ModalResult(), mrOk);
        }
    }
}

TEST_F(BACnetTest, FilesThatGiveNothingToImport)
{
    const struct {
        const char* Name;
        const char* File;  // null: not there
        bool Box;
    } cases[] = {
        {"no marker", "keyname;device\nk1;7;Temp;0;11;x\n", false},
        {"only unsupported types", "#mandatory\ntitles\nk;1;dev;8;1;\n", false},
        {"unreadable", nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Seams.Boxes.clear();
        if (c.File) Folder.Write("x.csv", c.File);
        Dialog->EDE_File = c.File ? Folder.File("x.csv") : Folder.File("gone.csv");
        Dialog->FormShow(nullptr);
        EXPECT_TRUE(Dialog->List_EDE_Var.empty());
        EXPECT_EQ(Dialog->ACG->RowCount(), 2) << "one empty row";
        EXPECT_EQ(Dialog->ACG->GetCellEx(EG_Name, 1), "");
        EXPECT_EQ(Dialog->ModalResult(), c.Box ? mrCancel : mrNone);
        EXPECT_EQ(Seams.Boxes.size(), c.Box ? 1u : 0u);
        if (c.Box) EXPECT_TRUE(Seams.Boxes[0].Text.contains(Folder.File("gone.csv")));
        if (c.File) DeleteFile(Folder.File("x.csv"));
    }
}

// The whole way: the window, its Import button, the file dialog, the
// import dialog's own loop with two objects ticked, OK in both.
TEST_F(BACnetTest, ImportThroughBothModalLoopsAndSave)
{
    Folder.Write("plant.csv", EDE_Text);
    Folder.Write("DALI2_Access.xml", "<DALI2_Access><DALI2_SetAccess_Rules><row Enable=\"Y\" Position=\"Lamp 7\"/>"
                                     "</DALI2_SetAccess_Rules></DALI2_Access>");
    QImage form_image, dialog_image;
    Seams.AnswerModal(
        [&](TCustomForm&) {
            Seams.AnswerFileDialog(Folder.File("plant.csv"));
            Form->Btn_Import_CSV->Click();
            Write()->SetCellEx(BW_Position, 1, "Lamp 7");
            form_image = Form->PaintToImage();
            Form->Btn_OK->Click();
        },
        mrAbort);
    Seams.AnswerModal(
        [&](TCustomForm&) {
            // Unselect everything, then tick the temperature and the lamp.
            Dialog->Btn_Unselect_All->Click();
            for (int row : {1, 3}) {
                const TRect box = Dialog->ACG->CellRect(Dialog->ACG->RealToDisplayCol(EG_Import), row);
                Simulate::Click(Dialog->ACG, TPoint{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
            }
            Dialog->E_ID_IP->SetText("10.1.2.3");
            dialog_image = Dialog->PaintToImage();
            Dialog->Btn_OK->Click();
        },
        mrAbort);
    EXPECT_EQ(Form->ShowModal(), mrOk);
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    ASSERT_EQ(Seams.ModalForms.size(), 2u);
    EXPECT_EQ(Seams.ModalForms[1].Result, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty()) << "ParGen.xml holds a type: no box";
    EXPECT_EQ(BACnet_CSV_Dir, Folder.Path());

    TXMLDocument doc;
    doc.LoadFromFile(File_BACnet_Master_Access);
    const std::vector<TXMLNode> read = doc.DocumentElement().ChildNode("BACnet_Read").ChildNodes();
    const std::vector<TXMLNode> write = doc.DocumentElement().ChildNode("BACnet_Write").ChildNodes();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Attribute("Mnemonic"), "Temp - Hall temperature");
    EXPECT_EQ(read[1].Attribute("Object_Type"), "Binary Output");
    EXPECT_EQ(read[1].Attribute("Position"), "4");
    EXPECT_EQ(read[1].Attribute("IP_Address_Slave_ID"), "10.1.2.3");
    ASSERT_EQ(write.size(), 1u);
    EXPECT_EQ(write[0].Attribute("Instance"), "13");
    EXPECT_EQ(write[0].Attribute("Position"), "Lamp 7");

    ASSERT_FALSE(form_image.isNull());
    ASSERT_FALSE(dialog_image.isNull());
    EXPECT_TRUE(form_image.save(PathJoin(ScreenshotFolder(), QStringLiteral("bacnet_access.png"))));
    EXPECT_TRUE(dialog_image.save(PathJoin(ScreenshotFolder(), QStringLiteral("import_ede_file.png"))));
    EXPECT_TRUE(LooksPainted(form_image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    EXPECT_TRUE(LooksPainted(dialog_image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    EXPECT_EQ(dialog_image.size(), QSize(863, 337));
}

TEST_F(BACnetTest, TextsAreTakenOnlyAtCreation)
{
    EXPECT_EQ(Form->Caption(), "Set BACnet Access");
    EXPECT_EQ(Form->Btn_Import_CSV->Caption(), "Import EDE");
    EXPECT_EQ(Form->Btn_CopyRow->Caption(), "Copy Row");
    EXPECT_EQ(Form->TS_BACnet_Write->Caption(), "BACnet Write");
    EXPECT_EQ(Read()->Columns()->Items(BR_Conversion)->Header(), "Convertion");
    EXPECT_EQ(Write()->Columns()->Items(BW_Timer)->Header(), "Timer");
    EXPECT_EQ(Dialog->Caption(), "Import BACnet EDE File");
    EXPECT_EQ(Dialog->Btn_Select_All->Caption(), "Select All");
    EXPECT_EQ(Dialog->LID_IP->Caption(), "ID or IP address of the BACnet device");
    EXPECT_EQ(Dialog->ACG->Columns()->Items(EG_Commandable)->Header(), "Commandable");
}

} // namespace

namespace {

struct BACnetGalleryTest : ProgramStateFixture {
    TTestSeams Seams;
};

TEST_F(BACnetGalleryTest, TheGalleryOpensBothWindows)
{
    auto gallery = std::make_unique<TGalleryTableForms>(nullptr);
    gallery->AfterConstruction();
    gallery->Show();
    const struct {
        const char* Button;
        const char* Caption;
        int Rows;  // data rows the window shows
    } cases[] = {{"BACnet client table", "Set BACnet Access", 512}, {"EDE import dialog", "Import BACnet EDE File", 4}};
    for (const auto& c : cases) {
        TButton* button = nullptr;
        for (TButton* b : gallery->Buttons())
            if (b->Caption() == S(c.Button)) button = b;
        ASSERT_NE(button, nullptr) << c.Button;
        String shown;
        int rows = 0;
        Seams.AnswerModal(
            [&](TCustomForm& form) {
                shown = form.Caption();
                if (auto* bacnet = dynamic_cast<TFBACnetAccess*>(&form)) rows = bacnet->ACG1->RowCount() - 1;
                if (auto* ede = dynamic_cast<TFImportEDEFile*>(&form)) rows = ede->ACG->RowCount() - 1;
            },
            mrCancel);
        Simulate::Click(button, TPoint{10, 10});
        EXPECT_EQ(shown, S(c.Caption));
        EXPECT_EQ(rows, c.Rows) << c.Button;
        EXPECT_EQ(gallery->LastResult(), mrCancel);
    }
    EXPECT_TRUE(Seams.Boxes.empty()) << "the gallery's configuration names its BACnet type";
    gallery.reset();
    Application->DestroyForms();
    FBACnetAccess = nullptr;
    FImportEDEFile = nullptr;
}

} // namespace

namespace {
// Top-aligned panels stack by their tops: the address row belongs under the title, the grid under both.
TEST_F(BACnetTest, TheImportDialogStacksTitleAddressAndGrid)
{
    TFImportEDEFile dialog(nullptr);
    const TControl* address = dialog.E_ID_IP->Parent();
    EXPECT_GE(address->Top(), dialog.Title_Panel->Top() + dialog.Title_Panel->Height());
    EXPECT_GE(dialog.ACG->Top(), address->Top() + address->Height());
}
} // namespace
