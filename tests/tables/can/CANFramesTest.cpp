// The CAN receive and transmit frame tables: their checks, their files
// with the load defaults, and what their windows leave out (no header
// sizing, no Enter jump).

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/can/UReceiveCAN.h"
#include "tables/can/UTransmitCAN.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// ---- Rules ----------------------------------------------------------------------------------

TRowTexts Receive_Row()
{
    return {"1", "Y", "0x100", CAN_Type_11, "2", "1000", "0", "1", "", "", "", "", "", "", "speed"};
}
TRowTexts Transmit_Row()
{
    return {"1", "Y", "0x200", CAN_Type_11, "2", "Y", "N", "N", "", "0", "511", "", "", "", "", "", "", "cmd"};
}

TEST(CANRules, ReadingNumbersAndBytePositions)
{
    const struct {
        const char* Text;
        int Value;
    } numbers[] = {{"2047", 2047}, {"0x7FF", 2047}, {"$7ff", 2047}, {"x7FF", 2047}, {" 12", 12},
                   {"12 ", -1},    {"", -1},        {"abc", -1},    {"-5", -5},     {"0x1FFFFFFF", 0x1FFFFFFF}};
    for (const auto& n : numbers) EXPECT_EQ(Cell_Number(QString::fromLatin1(n.Text)), n.Value) << n.Text;

    const TRowTexts cells = {"", "None", " None ", "0", "131", "132", "-1", "none", "x"};
    const struct {
        int First, Count, Size;
        bool None_Allowed;
        int Bad;
    } positions[] = {{0, 4, 132, true, 0},  {0, 5, 132, true, 0}, {0, 6, 132, true, 6}, {6, 1, 132, true, 1},
                     {7, 1, 132, true, 1},  {0, 1, 132, false, 1}, {3, 2, 132, false, 0}, {3, 3, 133, false, 0},
                     {1, 1, 132, false, 1}, {5, 1, 132, true, 1}};
    for (const auto& p : positions)
        EXPECT_EQ(First_Bad_Position(cells, p.First, p.Count, p.Size, p.None_Allowed), p.Bad)
            << p.First << '+' << p.Count << " of " << p.Size;

    TStringList list;
    list.Add("stale");
    Fill_Byte_Positions(&list, 132, true);
    ASSERT_EQ(list.Count(), 133);
    EXPECT_EQ(list[0], "None");
    EXPECT_EQ(list[1], "0");
    EXPECT_EQ(list[132], "131");
    Fill_Byte_Positions(&list, 3, false);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "0");
}

// Every check of both tables in its order: each case breaks cells of an
// otherwise valid row 2 (row 1 stays valid); where two cells break, the
// earlier check must be the one reported.
TEST(CANRules, EveryRowCheckInItsOrderWithItsMessage)
{
    Load_Default_Texts();  // the messages are read from the text table, which no other step filled
    struct TCase {
        bool Transmit;
        std::vector<std::pair<int, const char*>> Cells;
        TTableFault Fault;  // Slot 0: passes
    };
    const TCase cases[] = {
        {false, {}, {}},
        {false, {{RC_CobID, "2047"}}, {}},
        {false, {{RC_CobID, "0x7FF"}}, {}},
        {false, {{RC_CobID, "2048"}, {RC_Dim, "0"}}, {2045, 2}},
        {false, {{RC_CobID, "2048"}, {RC_Type, " 2.0A (11 bits) "}}, {2045, 2}},
        {false, {{RC_CobID, "2048"}, {RC_Type, CAN_Type_29}}, {}},
        {false, {{RC_CobID, "2048"}, {RC_Type, ""}}, {}},
        {false, {{RC_CobID, "$1FFFFFFF"}, {RC_Type, CAN_Type_29}}, {}},
        {false, {{RC_CobID, "0x20000000"}, {RC_Type, CAN_Type_29}}, {2046, 2}},
        {false, {{RC_CobID, "-1"}, {RC_Type, ""}}, {2046, 2}},
        {false, {{RC_CobID, "id"}}, {2045, 2}},
        {false, {{RC_Dim, ""}}, {2047, 2}},
        {false, {{RC_Dim, "9"}}, {2047, 2}},
        {false, {{RC_Dim, "8"}}, {}},
        {false, {{RC_TimeOut, "100000000"}}, {}},
        {false, {{RC_TimeOut, "100000001"}}, {2048, 2}},
        {false, {{RC_TimeOut, ""}, {RC_Byte1, "999"}}, {2048, 2}},
        {false, {{RC_Byte1 + 2, "500"}}, {}},
        {false, {{RC_Byte1 + 1, "132"}}, {2051, 2, 131, 2050}},
        {false, {{RC_Byte1, "-1"}}, {2049, 2, 131, 2050}},
        {false, {{RC_Byte1, "None"}, {RC_Byte1 + 1, ""}}, {}},
        {false, {{RC_Dim, "8"}, {RC_Byte1 + 7, "132"}}, {2057, 2, 131, 2050}},
        {false, {{RC_Enable, "N"}, {RC_CobID, "bad"}}, {}},
        {false, {{RC_Enable, " y "}, {RC_CobID, "bad"}}, {2045, 2}},
        {true, {}, {}},
        {true, {{TC_CobID, "2048"}}, {2148, 2}},
        {true, {{TC_CobID, "0x1FFFFFFF"}, {TC_Type, CAN_Type_29}}, {}},
        {true, {{TC_CobID, "0x20000000"}, {TC_Type, CAN_Type_29}}, {2149, 2}},
        {true, {{TC_Dim, "0"}}, {2150, 2}},
        {true, {{TC_OnTimer, "N"}, {TC_Time, ""}}, {}},
        {true, {{TC_OnTimer, "Y"}, {TC_Time, ""}}, {2151, 2}},
        {true, {{TC_OnTimer, "y"}, {TC_Time, "100000001"}}, {2151, 2}},
        {true, {{TC_OnTimer, "Y"}, {TC_Time, "100000000"}}, {}},
        {true, {{TC_Dim, "8"}, {TC_Byte1 + 7, "512"}}, {2160, 2, 511, 2153}},
        {true, {{TC_Dim, "8"}, {TC_Byte1 + 7, "511"}}, {}},
        {true, {{TC_Byte1, "512"}}, {2152, 2, 511, 2153}},
        {true, {{TC_OnChange, "bad"}, {TC_OnCMD, ""}}, {}},
    };
    for (const TCase& c : cases) {
        TRowTexts row = c.Transmit ? Transmit_Row() : Receive_Row();
        for (const auto& [col, text] : c.Cells) row[std::size_t(col)] = QString::fromLatin1(text);
        const std::vector<TRowTexts> rows{c.Transmit ? Transmit_Row() : Receive_Row(), row};
        const auto fault = c.Transmit ? Check_CAN_Transmit(rows) : Check_CAN_Receive(rows);
        SCOPED_TRACE(::testing::Message() << (c.Transmit ? "transmit" : "receive") << " case expecting "
                                          << c.Fault.Slot);
        if (c.Fault.Slot == 0) {
            EXPECT_FALSE(fault) << fault->Slot;
            continue;
        }
        ASSERT_TRUE(fault);
        EXPECT_EQ(*fault, c.Fault);
    }
    // The messages as the user reads them.
    TRowTexts row = Receive_Row();
    row[RC_Byte1 + 1] = "132";
    EXPECT_EQ(Table_Fault_Text(CAN_Receive_Error_Row, *Check_CAN_Receive({Receive_Row(), row})),
              "Error row 2!! Byte2 must be between 0 and 131 or None");
    row = Transmit_Row();
    row[TC_CobID] = "2048";
    EXPECT_EQ(Table_Fault_Text(CAN_Transmit_Error_Row, *Check_CAN_Transmit({row})),
              "Error row 1!! CobID must be between 0 and 2047");
}

// ---- Windows and files ----------------------------------------------------------------------

struct CANFramesTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFReceiveCAN> Receive;
    std::unique_ptr<TFTransmitCAN> Transmit;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        Set_Files();
        Receive = std::make_unique<TFReceiveCAN>(nullptr);
        Receive->AfterConstruction();
        Transmit = std::make_unique<TFTransmitCAN>(nullptr);
        Transmit->AfterConstruction();
    }
    void TearDown() override
    {
        Receive.reset();
        Transmit.reset();
        ProgramStateFixture::TearDown();
    }
    static void Set_Row(TZvStringGrid* grid, int row, const TRowTexts& cells)
    {
        for (int c = 1; c < int(cells.size()); ++c) grid->SetCellEx(c, row, cells[std::size_t(c)]);
    }
    static TRowTexts Row(TZvStringGrid* grid, int row)
    {
        TRowTexts cells;
        for (int c = 0; c < grid->ColCount(); ++c) cells.push_back(grid->GetCellEx(c, row));
        return cells;
    }
};

TEST_F(CANFramesTest, ColumnsListsAndTexts)
{
    for (TCANFrameForm* form : {static_cast<TCANFrameForm*>(Receive.get()), static_cast<TCANFrameForm*>(Transmit.get())})
        form->FormShow(nullptr);
    TZvColumnGrid* r = Receive->ACG_CAN_Receive();
    TZvColumnGrid* t = Transmit->ACG_CAN_Transmit();
    EXPECT_EQ(r->ColCount(), 15);
    EXPECT_EQ(t->ColCount(), 18);
    EXPECT_EQ(r->RowCount(), 513);
    EXPECT_EQ(t->RowCount(), 513);
    EXPECT_EQ(Receive->MAX_Byte, 132);
    EXPECT_EQ(Transmit->MAX_Byte, 512);
    for (int k = 0; k < 8; ++k) {
        TStringList* rl = r->Columns()->Items(RC_Byte1 + k)->ComboItems();
        TStringList* tl = t->Columns()->Items(TC_Byte1 + k)->ComboItems();
        ASSERT_EQ(rl->Count(), 133);
        ASSERT_EQ(tl->Count(), 513);
        EXPECT_EQ((*rl)[0], "None");
        EXPECT_EQ((*rl)[132], "131");
        EXPECT_EQ((*tl)[512], "511");
    }
    EXPECT_EQ(r->Columns()->Items(RC_Type)->ComboItems()->Count(), 2);
    EXPECT_EQ(t->Columns()->Items(TC_OnCMD)->Editor(), TEditorType::edDataCheckBox);
    EXPECT_EQ(r->Columns()->Items(RC_Byte1 + 7)->Header(), "Byte8");
    EXPECT_EQ(t->Columns()->Items(TC_OnCMD)->Header(), "OnCMD");
    EXPECT_EQ(Receive->Caption(), "Receive CAN Frames Set Access");
    EXPECT_EQ(Transmit->L_SW_Desc->Caption(), "Transmit CAN Frames Set Access");
    EXPECT_EQ(Transmit->Btn_Cancel->Hint(), "Exit without save the Transmit CAN Frames List");
    EXPECT_EQ(Receive->ClientWidth(), 1010);
    EXPECT_EQ(Transmit->ClientWidth(), 1100);
    ASSERT_EQ(Receive->Hint().Count(), 14);
    EXPECT_EQ(Receive->Hint()[RC_TimeOut - 1],
              "Insert the TimeOut in milliseconds of data for each CAN frames, insert 0 do disable the function");
    EXPECT_EQ(Receive->Hint()[RC_Byte1 + 7 - 1], "Insert the position of DeviceNet array where put the byte 8 of CAN frame");
    ASSERT_EQ(Transmit->Hint().Count(), 17);
    String hint;
    Transmit->Grid_Hint(t, 0, TC_OnCMD, hint);
    EXPECT_EQ(hint, "Enable or Disable the possibility to send the CAN Frame by Command");

    Lang_Strings.SetStrings(2010, "Identificatore");
    Receive->Set_Lang();
    EXPECT_EQ(r->Columns()->Items(RC_CobID)->Header(), "Identificatore");
}

TEST_F(CANFramesTest, SavedFilesAreTheTablesAsShownAndReadBackTheSame)
{
    Receive->FormShow(nullptr);
    TRowTexts off = Receive_Row();
    off[RC_Enable] = "N";
    off[RC_CobID] = "no <number> & \"so\"";
    Set_Row(Receive->ACG_CAN_Receive(), 1, Receive_Row());
    Set_Row(Receive->ACG_CAN_Receive(), 2, off);
    Receive->Btn_OKClick(nullptr);
    ASSERT_EQ(Receive->ModalResult(), mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    const QByteArray receive =
        "<Receive_Frames>\n"
        "  <row Enable=\"Y\" COBID=\"0x100\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" TimeOut=\"1000\" Byte1=\"0\" "
        "Byte2=\"1\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"speed\" />\n"
        "  <row Enable=\"N\" COBID=\"no &lt;number> &amp; &quot;so&quot;\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" "
        "TimeOut=\"1000\" Byte1=\"0\" Byte2=\"1\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" "
        "Mnemonic=\"speed\" />\n"
        "</Receive_Frames>\n"
        "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(Folder.Read("CAN_Rec_Frames.xml").toStdString(), receive.toStdString());

    Transmit->FormShow(nullptr);
    TRowTexts timed = Transmit_Row();
    timed[TC_Type] = CAN_Type_29;
    timed[TC_CobID] = "0x1FFFFFFF";
    timed[TC_OnTimer] = "Y";
    timed[TC_Time] = "250";
    timed[TC_Dim] = "8";
    for (int k = 0; k < 8; ++k) timed[std::size_t(TC_Byte1 + k)] = k == 3 ? "None" : IntToStr(504 + k);
    Set_Row(Transmit->ACG_CAN_Transmit(), 1, Transmit_Row());
    Set_Row(Transmit->ACG_CAN_Transmit(), 2, timed);
    Transmit->Btn_OKClick(nullptr);
    ASSERT_EQ(Transmit->ModalResult(), mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    const QByteArray transmit =
        "<Transmit_Frames>\n"
        "  <row Enable=\"Y\" COBID=\"0x200\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" OnChange=\"Y\" OnCMD=\"N\" "
        "OnTimer=\"N\" Time=\"\" Byte1=\"0\" Byte2=\"511\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" "
        "Byte8=\"\" Mnemonic=\"cmd\" />\n"
        "  <row Enable=\"Y\" COBID=\"0x1FFFFFFF\" CAN_Type=\"2.0B (29 bits)\" Dim=\"8\" OnChange=\"Y\" OnCMD=\"N\" "
        "OnTimer=\"Y\" Time=\"250\" Byte1=\"504\" Byte2=\"505\" Byte3=\"506\" Byte4=\"None\" Byte5=\"508\" "
        "Byte6=\"509\" Byte7=\"510\" Byte8=\"511\" Mnemonic=\"cmd\" />\n"
        "</Transmit_Frames>\n"
        "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(Folder.Read("CAN_Send_Frames.xml").toStdString(), transmit.toStdString());

    for (TCANFrameForm* form : {static_cast<TCANFrameForm*>(Receive.get()), static_cast<TCANFrameForm*>(Transmit.get())}) {
        form->FormShow(nullptr);
        form->SetModalResult(mrNone);
        form->Btn_OKClick(nullptr);
        EXPECT_EQ(form->ModalResult(), mrOk);
    }
    EXPECT_EQ(Folder.Read("CAN_Rec_Frames.xml"), receive);
    EXPECT_EQ(Folder.Read("CAN_Send_Frames.xml"), transmit);
    EXPECT_TRUE(Seams.Boxes.empty());
}

TEST_F(CANFramesTest, MissingAttributesTakeTheLoadDefaultsOfEachTable)
{
    Folder.Write("CAN_Rec_Frames.xml", "<Receive_Frames><row COBID=\"1\"/><row COBID=\"2\" TimeOut=\"\" Enable=\"N\"/>"
                                       "</Receive_Frames>");
    Receive->FormShow(nullptr);
    TZvColumnGrid* r = Receive->ACG_CAN_Receive();
    EXPECT_EQ(Row(r, 1), (TRowTexts{"1", "Y", "1", "", "", "0", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(r->GetCellEx(RC_TimeOut, 2), "") << "an attribute present but empty is no missing one";
    EXPECT_EQ(r->GetCellEx(RC_Enable, 2), "N");

    Folder.Write("CAN_Send_Frames.xml", "<Transmit_Frames><row COBID=\"1\"/><row COBID=\"2\" OnTimer=\"Y\"/>"
                                        "<row COBID=\"3\" OnTimer=\"Y\" Time=\"\"/><row COBID=\"4\" OnTimer=\"y\"/>"
                                        "</Transmit_Frames>");
    Transmit->FormShow(nullptr);
    TZvColumnGrid* t = Transmit->ACG_CAN_Transmit();
    EXPECT_EQ(Row(t, 1), (TRowTexts{"1", "Y", "1", CAN_Type_11, "", "Y", "N", "N", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(t->GetCellEx(TC_Time, 2), "0") << "a timed row without a time";
    EXPECT_EQ(t->GetCellEx(TC_Time, 3), "");
    EXPECT_EQ(t->GetCellEx(TC_Time, 4), "") << "only a ticked box reads \"Y\"";
    EXPECT_TRUE(Seams.Boxes.empty());
}

TEST_F(CANFramesTest, OKShowsTheFirstFaultOfAnEnabledRowAndWritesNothing)
{
    Receive->FormShow(nullptr);
    TZvColumnGrid* r = Receive->ACG_CAN_Receive();
    TRowTexts bad = Receive_Row();
    bad[RC_Dim] = "2";
    bad[RC_Byte1 + 1] = "132";
    bad[RC_Byte1 + 2] = "500";
    Set_Row(r, 1, Receive_Row());
    Set_Row(r, 2, bad);
    Receive->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_EQ(Seams.Boxes[0].Text, "Error row 2!! Byte2 must be between 0 and 131 or None");
    EXPECT_EQ(Receive->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(File_CAN_Rec_Frames));
    r->SetCellEx(RC_Byte1 + 1, 2, "131");
    Receive->Btn_OKClick(nullptr);
    EXPECT_EQ(Receive->ModalResult(), mrOk) << "byte 3 is beyond the length";
}

TEST_F(CANFramesTest, RowButtonsAskTheirQuestionsAndInsertAnEnabledRow)
{
    Receive->FormShow(nullptr);
    Receive->Show();
    TZvColumnGrid* r = Receive->ACG_CAN_Receive();
    Set_Row(r, 1, Receive_Row());
    r->SetRow(1);
    Receive->Btn_InsRow->Click();
    EXPECT_EQ(Row(r, 1), (TRowTexts{"1", "Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(r->GetCellEx(RC_CobID, 2), "0x100");
    Receive->Btn_PasteRow->Click();
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(902));
    r->SetRow(2);
    Receive->Btn_CopyRow->Click();
    EXPECT_TRUE(Receive->Do_Copy());
    r->SetRow(1);
    Receive->Btn_PasteRow->Click();
    EXPECT_EQ(r->GetCellEx(RC_CobID, 1), "0x100") << "a row holding only its box is pasted over without a question";
    Seams.AnswerBox(IDYES);
    Receive->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, "Are you sure to delete the Row number 1");
    EXPECT_EQ(r->GetCellEx(RC_CobID, 2), "");
    Receive->Hide();

    Transmit->FormShow(nullptr);
    Transmit->ACG_CAN_Transmit()->SetRow(7);
    Seams.AnswerBox(IDNO);
    Transmit->Btn_DelRow->Click();
    EXPECT_EQ(Seams.Boxes.back().Text, "Are you sure to delete the Row number 7");
}

// These tables neither fit a column to a header double-click nor move on
// Enter, whatever the options say.
TEST_F(CANFramesTest, NoHeaderSizingAndNoEnterJump)
{
    Double_Click_Auto_Size = true;
    Enable_Jump_Field_Tables = true;
    for (TCANFrameForm* form : {static_cast<TCANFrameForm*>(Receive.get()), static_cast<TCANFrameForm*>(Transmit.get())}) {
        form->FormShow(nullptr);
        form->Show();
        TZvColumnGrid* grid = form->Grid();
        grid->SetCellEx(2, 3, QString(60, u'W'));
        const int before = grid->ColWidths(2);
        const TRect header = grid->CellRect(2, 0);
        Simulate::DoubleClick(grid, TPoint{(header.Left + header.Right) / 2, (header.Top + header.Bottom) / 2});
        EXPECT_EQ(grid->ColWidths(2), before);
        grid->SetCol(2);
        grid->SetRow(1);
        grid->SetFocus();
        Simulate::Key(grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        EXPECT_EQ(grid->Col(), 2);
        form->Hide();
    }
}

TEST_F(CANFramesTest, Screenshots)
{
    const struct {
        TCANFrameForm* Form;
        const char* File;
        int Width;
    } shots[] = {{Receive.get(), "can_receive.png", 1010}, {Transmit.get(), "can_transmit.png", 1100}};
    for (const auto& s : shots) {
        // Showing resets the table: the row is typed into the shown window.
        s.Form->Show();
        Set_Row(s.Form->Grid(), 1, s.Form == Receive.get() ? Receive_Row() : Transmit_Row());
        const QImage image = s.Form->PaintToImage();
        s.Form->Hide();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), QString::fromLatin1(s.File))));
        EXPECT_EQ(image.size(), QSize(s.Width, 337));
        EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, 400, 69)));
        // An empty "Byte1" cell shows the byte columns' pink.
        TZvColumnGrid* grid = s.Form->Grid();
        const TRect byte = grid->CellRect(s.Form == Receive.get() ? int(RC_Byte1) : int(TC_Byte1), 3);
        const TPoint origin = grid->ClientToScreen(TPoint{0, 0});
        const TPoint form = s.Form->ClientToScreen(TPoint{0, 0});
        EXPECT_EQ(QColor(image.pixel(origin.X - form.X + byte.Left + 4, origin.Y - form.Y + byte.Top + 4)),
                  QColor(0xFC, 0xD6, 0xF4));
    }
}

} // namespace
