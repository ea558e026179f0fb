// The gallery's window of dormant table forms: each button opens its form
// modally over the gallery's own configuration folder, and the MIB button
// runs the step with its save dialog.

#include "core/UComon.h"
#include "core/ZvPushButton.h"
#include "examples/gallery/GalleryForms.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "tables/common/UTableForm.h"
#include "tables/can/UReceiveCAN.h"
#include "tables/can/UTransmitCAN.h"
#include "tables/canopen/USet_PDO_Access.h"
#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tables/profinet/UProfinetFileName.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <gtest/gtest.h>

namespace {

struct GalleryFormsTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
};

TEST_F(GalleryFormsTest, EveryButtonOpensItsFormAndTheMIBButtonWritesTheModule)
{
    auto gallery = std::make_unique<TGalleryTableForms>(nullptr);
    gallery->AfterConstruction();
    gallery->Show();
    ASSERT_EQ(gallery->Buttons().size(), 14u);
    const String folder = Project_Path;
    EXPECT_FALSE(folder.isEmpty());
    const char* captions[] = {"Set SNMP Trap Access", "DMX Default Value"};
    for (int i = 0; i < 2; ++i) {
        String shown;
        Seams.AnswerModal(
            [&](TCustomForm& form) {
                shown = form.Caption();
                EXPECT_NE(dynamic_cast<TTableForm*>(&form), nullptr);
            },
            mrCancel);
        Simulate::Click(gallery->Buttons()[std::size_t(i)], TPoint{10, 10});
        EXPECT_EQ(shown, captions[i]);
        EXPECT_EQ(gallery->LastResult(), mrCancel);
    }
    Seams.AnswerFileDialog(folder + QStringLiteral("/gallery.mib"));
    Simulate::Click(gallery->Buttons()[2], TPoint{10, 10});
    EXPECT_TRUE(FileExists(folder + QStringLiteral("/gallery.mib")));
    EXPECT_TRUE(Seams.Boxes.empty());
    // The CAN and CANopen tables, after the MIB button.
    const char* can_captions[] = {"Receive CAN Frames Set Access", "Transmit CAN Frames Set Access", "Set PDO Access",
                                  "Set SDO Client Access", "Set SDO Server Access"};
    for (int i = 0; i < 5; ++i) {
        String shown;
        Seams.AnswerModal([&](TCustomForm& form) { shown = form.Caption(); }, mrCancel);
        Simulate::Click(gallery->Buttons()[std::size_t(3 + i)], TPoint{10, 10});
        EXPECT_EQ(shown, can_captions[i]);
        EXPECT_EQ(gallery->LastResult(), mrCancel);
    }
    // The GSDML button: the name dialog, then the writer into the chosen folder.
    SaveFileOrRaise(File_DALI_Access, "<DALI_Access><DALI_ID_DEVICE_3>1</DALI_ID_DEVICE_3></DALI_Access>");
    SaveFileOrRaise(File_ParGen, "<ParGen/>");
    Seams.AnswerModal(
        [](TCustomForm& form) {
            auto& dialog = dynamic_cast<TFProfinetFileName&>(form);
            dialog.E_XML_User->SetText(QStringLiteral("demo"));
            dialog.Btn_OK->Click();
        },
        mrCancel);
    Seams.AnswerFileDialog(folder + QStringLiteral("/any.xml"));
    Simulate::Click(gallery->Buttons()[8], TPoint{10, 10});
    EXPECT_EQ(gallery->LastResult(), mrOk);
    EXPECT_TRUE(FileExists(folder + QStringLiteral("/") + FProfinetFileName->Name_File_XML));
    EXPECT_TRUE(FProfinetFileName->Name_File_XML.startsWith(QStringLiteral("GSDML-V2.31-Zorvat-KH40227_demo-")));
    EXPECT_TRUE(Seams.Boxes.empty());
    const char* tables[] = {"Set Modbus TCP Master Access", "Set Modbus Access", "KNX Set Access"};
    for (int i = 0; i < 3; ++i) {
        String shown;
        Seams.AnswerModal([&](TCustomForm& form) { shown = form.Caption(); }, mrCancel);
        Simulate::Click(gallery->Buttons()[std::size_t(11 + i)], TPoint{10, 10});
        EXPECT_EQ(shown, tables[i]);
        EXPECT_EQ(gallery->LastResult(), mrCancel);
    }
    EXPECT_GE(gallery->ClientHeight(), 24 + 48 * 14) << "every button inside the window";
    gallery.reset();
    Application->DestroyForms();
    FReceiveCAN = nullptr;
    FTransmitCAN = nullptr;
    FSet_PDO_Access = nullptr;
    FSet_SDO_Client_Access = nullptr;
    FSet_SDO_Server_Access = nullptr;
    FSNMP_Trap_Access = nullptr;
    FDMXDefVal = nullptr;
    FProfinetFileName = nullptr;
    FModbus_TCP_Master_Set_Access = nullptr;
    FSetAccess = nullptr;
    FKNXAccess = nullptr;
}

} // namespace
