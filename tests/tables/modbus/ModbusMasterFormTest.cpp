// Both Modbus master windows: their tables and texts, the files as they are
// laid out (the TCP master writes "N" for the hidden triggers, the serial
// master keeps them), incomplete files, the row buttons over hidden columns,
// the checks at OK, and each window through its real modal loop.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/common/UGridRows.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// One of the two windows, as a test meets it.
struct TMasterKind {
    const char* Name;
    TModbusMasterForm* (*Make)();
    const TModbusMaster& (*Master)();
    const char* File;
    bool Tcp;
};
void PrintTo(const TMasterKind& kind, std::ostream* os)
{
    *os << kind.Name;
}

const TMasterKind Kinds[] = {
    {"TCP", []() -> TModbusMasterForm* { return new TFModbus_TCP_Master_Set_Access(nullptr); }, Modbus_TCP_Master,
     "ModbusTCPM_SetAccess.xml", true},
    {"Serial", []() -> TModbusMasterForm* { return new TFSetAccess(nullptr); }, Modbus_Serial_Master,
     "ModbusM_SetAccess.xml", false},
};

struct ModbusMasterFormTest : ProgramStateFixture, ::testing::WithParamInterface<TMasterKind> {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TModbusMasterForm> Form;

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
    const TModbusMaster& Master() const { return GetParam().Master(); }
    TZvColumnGrid* Read() { return Form->ACG_Modbus_Read; }
    TZvColumnGrid* Write() { return Form->ACG_Modbus_Write; }
    QByteArray Saved() const { return Folder.Read(QString::fromLatin1(GetParam().File)); }
    void Write_File(const QByteArray& bytes) const { Folder.Write(QString::fromLatin1(GetParam().File), bytes); }
    // A valid row's texts by real column, the key first after "Enable".
    static std::vector<const char*> Valid_Read(bool tcp)
    {
        std::vector<const char*> row{"Y", "1", "Holding Register", "0", "10", "1000", "3", "0", "0", "N", "temp"};
        if (tcp) row.insert(row.begin() + 1, {"10.0.0.7", "502"});
        return row;
    }
    static std::vector<const char*> Valid_Write(bool tcp)
    {
        std::vector<const char*> row{"Y", "2", "Coil Status", "100", "16", "0", "Y", "Y", "5", "12", "3", "Y", "valve"};
        if (tcp) row.insert(row.begin() + 1, {"10.0.0.8", "503"});
        return row;
    }
    static void Fill_Row(TZvColumnGrid* grid, int row, const std::vector<const char*>& cells)
    {
        for (std::size_t c = 0; c < cells.size(); ++c) grid->SetCellEx(int(c) + 1, row, QString::fromUtf8(cells[c]));
    }
    static std::vector<String> Row(TZvColumnGrid* grid, int row)
    {
        std::vector<String> cells;
        for (int c = 1; c < Real_Col_Count(grid); ++c) cells.push_back(grid->GetCellEx(c, row));
        return cells;
    }
    static std::vector<String> Texts(const std::vector<const char*>& cells)
    {
        std::vector<String> texts;
        for (const char* c : cells) texts.push_back(QString::fromUtf8(c));
        return texts;
    }
};

TEST_P(ModbusMasterFormTest, TablesListsAndTexts)
{
    const bool tcp = GetParam().Tcp;
    EXPECT_EQ(Form->ClientWidth(), tcp ? 1007 : 956);
    EXPECT_EQ(Form->ClientHeight(), 337);
    EXPECT_EQ(Read()->RowCount(), 513);
    EXPECT_EQ(Write()->RowCount(), 513);
    EXPECT_EQ(Read()->ColCount(), tcp ? 14 : 12);
    EXPECT_EQ(Write()->ColCount(), tcp ? 14 : 12) << "two of the Write table's columns are hidden";
    const int on_change = tcp ? int(MTW_On_Change) : int(MW_On_Change), on_cmd = tcp ? int(MTW_On_CMD) : int(MW_On_CMD);
    EXPECT_TRUE(Write()->IsHiddenColumn(on_change));
    EXPECT_TRUE(Write()->IsHiddenColumn(on_cmd));
    EXPECT_EQ(Write()->NumHiddenColumns(), 2);
    EXPECT_EQ(Write()->Columns()->Items(tcp ? int(MTW_Mnemonic) : int(MW_Mnemonic))->Width(), tcp ? 212 : 237);
    for (TZvColumnGrid* grid : {Read(), Write()}) EXPECT_FALSE(grid->Options().Contains(goEditing));

    const TModbusDirection* directions[] = {&Master().Read, &Master().Write};
    TZvColumnGrid* grids[] = {Read(), Write()};
    for (int t = 0; t < 2; ++t) {
        TStringList* positions = grids[t]->Columns()->Items(directions[t]->Cols.Position)->ComboItems();
        const int bytes = t == 0 ? 128 : 1540;
        ASSERT_EQ(positions->Count(), bytes);
        EXPECT_EQ((*positions)[bytes - 1], IntToStr(bytes - 1));
        EXPECT_EQ(grids[t]->Columns()->Items(directions[t]->Cols.Bit)->ComboItems()->Count(), 8);
        EXPECT_EQ(grids[t]->Columns()->Items(directions[t]->Cols.Type)->ComboItems()->Count(), t == 0 ? 4 : 2);
        EXPECT_EQ(grids[t]->Columns()->Items(directions[t]->Cols.Slave_ID)->Header(), "Slave ID");
    }
    EXPECT_EQ(Form->NByte_IN, 128);
    EXPECT_EQ(Form->NByte_OUT, 1540);
    EXPECT_EQ(Form->Caption(), tcp ? "Set Modbus TCP Master Access" : "Set Modbus Access");
    EXPECT_EQ(Form->L_SW_Desc->Caption(), Form->Caption());
    EXPECT_EQ(Form->TS_Modbus_Write->Caption(), "Modbus Write");
    EXPECT_EQ(Form->Btn_InsRow->Caption(), "Insert Row");
    EXPECT_EQ(Form->Btn_PasteRow->Caption(), "Paste Row");
    EXPECT_EQ(Form->Btn_OK->Hint(), "") << "no button hints";
    if (tcp) {
        EXPECT_EQ(Read()->Columns()->Items(MTR_IP_Address)->Header(), "Slave IP Address");
    }
    EXPECT_EQ(Write()->Columns()->Items(on_cmd)->Header(), "On CMD");

    // A language change reaches headers and tabs; the copy buttons of the
    // TCP window have no slot and keep their captions.
    const int first = tcp ? 1100 : 1700;
    Lang_Strings.SetStrings(first + (tcp ? 7 : 9), "Scrittura");
    Lang_Strings.SetStrings(first + 12, "Unit\u00e0");  // the Read table's "Slave ID" in both blocks
    Form->Set_Lang();
    EXPECT_EQ(Form->TS_Modbus_Write->Caption(), "Scrittura");
    EXPECT_EQ(Read()->Columns()->Items(Master().Read.Cols.Slave_ID)->Header(), "Unit\u00e0");
    EXPECT_EQ(Form->Btn_CopyRow->Caption(), "Copy Row");
}

// Every showing opens the Read tab; the row buttons act on the tab shown.
TEST_P(ModbusMasterFormTest, EveryShowingOpensTheReadTab)
{
    Form->PageControl1->SetActivePage(Form->TS_Modbus_Write);
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_Modbus_Read);
}

// The file as laid out: sections in order, the attributes in the order of
// the columns, disabled rows too, the rows up to the first empty key. The
// TCP master always writes "N" for the hidden triggers; the serial master
// writes back what it loaded.
TEST_P(ModbusMasterFormTest, GoldenRoundTrip)
{
    const bool tcp = GetParam().Tcp;
    Fill_Row(Read(), 1, Valid_Read(tcp));
    std::vector<const char*> disabled = Valid_Read(tcp);
    disabled[0] = "N";
    disabled.back() = "a <b> & \"c\" \u00e8";
    Fill_Row(Read(), 2, disabled);
    Fill_Row(Write(), 1, Valid_Write(tcp));
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk) << (Seams.Boxes.empty() ? "" : Seams.Boxes[0].Text.toStdString());
    const QByteArray trigger = tcp ? "N" : "Y";
    const QByteArray slave_r = tcp ? "IP_Address=\"10.0.0.7\" Port=\"502\" " : "";
    const QByteArray slave_w = tcp ? "IP_Address=\"10.0.0.8\" Port=\"503\" " : "";
    const QByteArray golden =
        "<" + QByteArray(tcp ? "PROFINET_Master_to_Modbus_TCP_Master" : "EtherNetIP_to_Modbus") + ">\n"
        "  <Modbus_Read>\n"
        "    <row Enable=\"Y\" " + slave_r + "Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" NPoint=\"10\" "
        "PollTime=\"1000\" MaxError=\"3\" Position=\"0\" Bit=\"0\" Swap=\"N\" Mnemonic=\"temp\" />\n"
        "    <row Enable=\"N\" " + slave_r + "Slave_ID=\"1\" Type=\"Holding Register\" Address=\"0\" NPoint=\"10\" "
        "PollTime=\"1000\" MaxError=\"3\" Position=\"0\" Bit=\"0\" Swap=\"N\" "
        "Mnemonic=\"a &lt;b> &amp; &quot;c&quot; \xc3\xa8\" />\n"
        "  </Modbus_Read>\n"
        "  <Modbus_Write>\n"
        "    <row Enable=\"Y\" " + slave_w + "Slave_ID=\"2\" Type=\"Coil Status\" Address=\"100\" NPoint=\"16\" "
        "PollTime=\"0\" OnChange=\"" + trigger + "\" OnCMD=\"" + trigger + "\" MaxError=\"5\" Position=\"12\" "
        "Bit=\"3\" Swap=\"Y\" Mnemonic=\"valve\" />\n"
        "  </Modbus_Write>\n"
        "</" + QByteArray(tcp ? "PROFINET_Master_to_Modbus_TCP_Master" : "EtherNetIP_to_Modbus") + ">\n"
        "<!--SW_VERSION = " + QByteArray(tcp ? "1.000" : "1.101") + "-->\n";
    EXPECT_EQ(Saved().toStdString(), golden.toStdString());

    // Read back: the hidden cells hold what the file says; saved again unchanged.
    Form->FormShow(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty());
    std::vector<const char*> write = Valid_Write(tcp);
    write[std::size_t(tcp ? int(MTW_On_Change) : int(MW_On_Change)) - 1] = trigger.constData();
    write[std::size_t(tcp ? int(MTW_On_CMD) : int(MW_On_CMD)) - 1] = trigger.constData();
    EXPECT_EQ(Row(Write(), 1), Texts(write));
    EXPECT_EQ(Row(Read(), 2)[std::size_t(tcp ? int(MTR_Mnemonic) : int(MR_Mnemonic)) - 1], "a <b> & \"c\" \u00e8");
    EXPECT_EQ(Read()->GetCellEx(1, 3), "Y") << "rows below the file's stay reset";
    Form->SetModalResult(mrNone);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Saved(), golden);
}

// A file whose rows lack attributes: the defaults fill the optional ones,
// the rest stays empty, one warning names the file and the count of such
// rows, and OK writes every attribute of the layout.
TEST_P(ModbusMasterFormTest, AFileMissingAttributesLoadsWarnsOnceAndOKWritesTheFullLayout)
{
    const bool tcp = GetParam().Tcp;
    const QByteArray key = tcp ? "IP_Address=\"10.0.0.1\"" : "Slave_ID=\"9\"";
    Write_File("<Any>\n<Modbus_Write><row Enable=\"N\" " + key + " OnChange=\"Y\"/><row " + key +
               " Enable=\"N\" Mnemonic=\"m\"/></Modbus_Write>\n<Modbus_Read><row Enable=\"N\" " + key +
               "/></Modbus_Read></Any>");
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Warning);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Incomplete_Rows), {QString::fromLatin1(GetParam().File), 3}));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    const int on_cmd = tcp ? int(MTW_On_CMD) : int(MW_On_CMD), swap = tcp ? int(MTW_Swap) : int(MW_Swap);
    EXPECT_EQ(Write()->GetCellEx(on_cmd, 1), "N") << "load default";
    EXPECT_EQ(Write()->GetCellEx(swap, 2), "N") << "load default";
    EXPECT_EQ(Write()->GetCellEx(on_cmd - 1, 2), "") << "required and missing: the reset cell";
    EXPECT_EQ(Write()->GetCellEx(tcp ? int(MTW_Mnemonic) : int(MW_Mnemonic), 2), "m");

    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    const QByteArray saved = Saved();
    EXPECT_EQ(saved.count("<row "), 3);
    const TModbusDirection* directions[] = {&Master().Read, &Master().Write};
    for (const TModbusDirection* d : directions)
        for (const TTableColumn& column : d->Layout.Columns)
            if (column.Attr) {
                EXPECT_TRUE(saved.contains(QByteArray(" ") + column.Attr + "=\"")) << column.Attr;
            }
    EXPECT_TRUE(saved.indexOf("<Modbus_Read>") < saved.indexOf("<Modbus_Write>")) << "the layout's order";
}

// Delete moves every column up, hidden ones and "Swap" and "Mnemonic"
// included, after the question; insert asks nothing and leaves "Enable"
// empty.
TEST_P(ModbusMasterFormTest, DeleteAndInsertCarryEveryColumn)
{
    const bool tcp = GetParam().Tcp;
    Form->PageControl1->SetActivePage(Form->TS_Modbus_Write);
    std::vector<const char*> second = Valid_Write(tcp);
    second.back() = "second";
    Fill_Row(Write(), 1, Valid_Write(tcp));
    Fill_Row(Write(), 2, second);
    Write()->SetCellEx(1, 512, "last");
    Write()->SetRow(1);
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, "Are you sure to delete the Row number 1");
    EXPECT_EQ(Row(Write(), 1), Texts(second));
    EXPECT_EQ(Write()->GetCellEx(1, 511), "last");
    EXPECT_EQ(Row(Write(), 512), std::vector<String>(std::size_t(Real_Col_Count(Write()) - 1)));
    EXPECT_EQ(Write()->GetCellEx(0, 512), "512");

    Form->Btn_InsRow->Click();
    EXPECT_EQ(Seams.Boxes.size(), 1u) << "no question";
    EXPECT_EQ(Row(Write(), 1), std::vector<String>(std::size_t(Real_Col_Count(Write()) - 1))) << "Enable too";
    EXPECT_EQ(Row(Write(), 2), Texts(second));
    EXPECT_EQ(Read()->GetCellEx(1, 1), "Y") << "the Read table stays";
}

// Copy and paste carry the whole row, hidden triggers, "Swap" and
// "Mnemonic" too; a copy in one table takes the paste right from the other.
TEST_P(ModbusMasterFormTest, CopyAndPasteCarryTheWholeRowWithinOneTable)
{
    const bool tcp = GetParam().Tcp;
    Form->PageControl1->SetActivePage(Form->TS_Modbus_Write);
    Fill_Row(Write(), 3, Valid_Write(tcp));
    Write()->SetRow(3);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Write());
    Write()->SetRow(5);
    Form->Btn_PasteRow->Click();
    EXPECT_TRUE(Seams.Boxes.empty()) << "row 5 holds nothing of the user's";
    EXPECT_EQ(Row(Write(), 5), Texts(Valid_Write(tcp)));

    Form->PageControl1->SetActivePage(Form->TS_Modbus_Read);
    Read()->SetRow(1);
    Form->Btn_PasteRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(902));
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy_In_Read());
    EXPECT_FALSE(Form->Do_Copy_In_Write());
}

// OK shows the first fault of the Read table before any of the Write
// table, keeps the window open and writes nothing; a disabled row full of
// faults does not block it.
TEST_P(ModbusMasterFormTest, OKShowsTheFirstFaultAndWritesNothing)
{
    const bool tcp = GetParam().Tcp;
    std::vector<const char*> bad_write = Valid_Write(tcp);
    bad_write[std::size_t(tcp ? int(MTW_NPoint) : int(MW_NPoint)) - 1] = "1969";
    Fill_Row(Write(), 1, bad_write);
    std::vector<const char*> bad_read = Valid_Read(tcp);
    bad_read[std::size_t(tcp ? int(MTR_Position) : int(MR_Position)) - 1] = "128";
    Fill_Row(Read(), 1, Valid_Read(tcp));
    Fill_Row(Read(), 2, bad_read);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_EQ(Seams.Boxes[0].Text, "Error row 2!! [Modbus Read] Position must be between 0 and 127");
    EXPECT_EQ(Form->ModalResult(), mrNone);
    Read()->SetCellEx(1, 2, "N");
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Seams.Boxes.back().Text, "Error row 1!! [Modbus Write] NPoint must be between 1 and 1968");
    EXPECT_FALSE(FileExists(Program_State.*Master().File));
    Write()->SetCellEx(1, 1, "N");
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_P(ModbusMasterFormTest, Screenshot)
{
    const bool tcp = GetParam().Tcp;
    Fill_Row(Read(), 1, Valid_Read(tcp));
    Fill_Row(Read(), 2, Valid_Read(tcp));
    Read()->SetCellEx(1, 2, "N");
    Form->Show();
    const QImage image = Form->PaintToImage();
    Form->Hide();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QStringLiteral("modbus_master_%1.png").arg(GetParam().Name))));
    EXPECT_EQ(image.size(), QSize(tcp ? 1007 : 956, 337));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 400, 69)));
    // The "Poll Time" column shows its colour beside its text.
    const TRect cell = Read()->CellRect(Read()->RealToDisplayCol(Master().Read.Cols.Poll_Time), 1);
    const TPoint origin = Read()->ClientToScreen(TPoint{0, 0});
    const TPoint form = Form->ClientToScreen(TPoint{0, 0});
    const QRgb pixel = image.pixel(origin.X - form.X + cell.Right - 3, origin.Y - form.Y + cell.Top + 3);
    EXPECT_EQ(QColor(pixel), QColor(0xA8, 0xFF, 0xA8));
}

INSTANTIATE_TEST_SUITE_P(BothMasters, ModbusMasterFormTest, ::testing::ValuesIn(Kinds),
                         [](const ::testing::TestParamInfo<TMasterKind>& info) { return std::string(info.param.Name); });

} // namespace
