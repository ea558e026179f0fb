// Each CAN and CANopen table as a user meets it: the window runs its real
// modal loop, the mouse and the keys come through the window system, a key
// cell is retyped and OK writes it; Cancel after another edit leaves the
// file byte for byte.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Forms.h"
#include "tables/can/UReceiveCAN.h"
#include "tables/can/UTransmitCAN.h"
#include "tables/canopen/USet_PDO_Access.h"
#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct TModalCase {
    const char* Name;
    TTableForm* (*Make)();
    const char* File;
    int Key_Col;
    TRowTexts Row;       // a valid first row of the first table
    const char* Typed;   // a valid new key
};

const TModalCase Modal_Cases[] = {
    {"Receive", []() -> TTableForm* { return new TFReceiveCAN(nullptr); }, "CAN_Rec_Frames.xml", RC_CobID,
     {"1", "Y", "0x100", CAN_Type_11, "2", "1000", "0", "1", "", "", "", "", "", "", "speed"}, "0x123"},
    {"Transmit", []() -> TTableForm* { return new TFTransmitCAN(nullptr); }, "CAN_Send_Frames.xml", TC_CobID,
     {"1", "Y", "0x200", CAN_Type_11, "2", "Y", "N", "N", "", "0", "511", "", "", "", "", "", "", "cmd"}, "$7FF"},
    {"PDO", []() -> TTableForm* { return new TFSet_PDO_Access(nullptr); }, "PDO_CANopen.xml", PR_COB_ID,
     {"1", "0x181", "3", "0", "1", "2", "", "", "", "", "", "100", "speed"}, "0x185"},
    {"SDO_Client", []() -> TTableForm* { return new TFSet_SDO_Client_Access(nullptr); }, "SDO_Client_CANopen.xml",
     CR_Device_ID, {"1", "5", "0x2000", "1", "2", "100", "0", "1", "", "", "poll"}, "127"},
    {"SDO_Server", []() -> TTableForm* { return new TFSet_SDO_Server_Access(nullptr); }, "SDO_Server_CANopen.xml",
     SS_Index, {"1", "0x2000", "0", "4", "0", "1", "2", "3", "obj"}, "0x5FFF"},
};

struct CANTablesModalTest : ProgramStateFixture, ::testing::WithParamInterface<TModalCase> {
    TTestSeams Seams;
    TempFolder Folder;
    Simulate::TPointer Pointer;
    std::unique_ptr<TTableForm> Form;
    QObject Context;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        Set_Files();
        ::Seams().ModalStep = RealSeams().ModalStep;
        Form.reset(GetParam().Make());
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }

    int Run_Modal(const std::function<void()>& user)
    {
        bool acted = false;
        QTimer::singleShot(0, &Context, [&] {
            acted = true;
            user();
            if (Form->Visible() && Form->ModalResult() == mrNone) {
                ADD_FAILURE() << "the window was left open";
                Form->SetModalResult(mrAbort);
            }
        });
        TModalLoopGuard guard(*Form);
        const int result = Form->ShowModal();
        EXPECT_TRUE(acted);
        return result;
    }
    void Click(TControl* control, const TPoint& at) { Pointer.Click(control, at, 1000); }
    // Two clicks: the first makes the cell current (and starts editing in a
    // grid laid out without it), the second opens its editor.
    void Type_Into(TZvStringGrid* grid, int col, int row, const String& text)
    {
        const TRect r = grid->CellRect(grid->RealToDisplayCol(col), row);
        const TPoint middle{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        Click(grid, middle);
        Click(grid, middle);
        Simulate::TypeIntoFocus(text + u'\r');
    }
};

TEST_P(CANTablesModalTest, AKeyRetypedReachesTheFileOnOKAndCancelKeepsIt)
{
    TZvStringGrid* grid = Form->Table(0).Grid;
    Form->FormShow(nullptr);
    const TRowTexts& row = GetParam().Row;
    for (int c = 1; c < int(row.size()); ++c) grid->SetCellEx(c, 1, row[std::size_t(c)]);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    const QByteArray before = Folder.Read(GetParam().File);

    int result = Run_Modal([&] {
        Type_Into(grid, GetParam().Key_Col, 1, QString::fromLatin1(GetParam().Typed));
        EXPECT_EQ(grid->GetCellEx(GetParam().Key_Col, 1), GetParam().Typed);
        Click(Form->Btn_OK, {Form->Btn_OK->Width() / 2, Form->Btn_OK->Height() / 2});
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty()) << (Seams.Boxes.empty() ? "" : Seams.Boxes[0].Text.toStdString());
    const QByteArray saved = Folder.Read(GetParam().File);
    EXPECT_NE(saved, before);
    EXPECT_TRUE(saved.contains("=\"" + QByteArray(GetParam().Typed) + "\"")) << saved.toStdString();

    result = Run_Modal([&] {
        Type_Into(grid, GetParam().Key_Col, 1, QStringLiteral("77"));
        Type_Into(grid, GetParam().Key_Col, 2, QStringLiteral("78"));
        Click(Form->Btn_Cancel, {Form->Btn_Cancel->Width() / 2, Form->Btn_Cancel->Height() / 2});
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Folder.Read(GetParam().File), saved);
}

INSTANTIATE_TEST_SUITE_P(EveryCANTable, CANTablesModalTest, ::testing::ValuesIn(Modal_Cases),
                         [](const ::testing::TestParamInfo<TModalCase>& info) { return std::string(info.param.Name); });

} // namespace
