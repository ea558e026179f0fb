// The main window's third step on the road: the DALI access window opens
// from the step button, the user's choices are confirmed, and the image
// builder reads the device flags from the file the window wrote. Cancel
// leaves the files as they were.

#include "app/UQuillmereFirmWare.h"
#include "core/UBinConfig.h"
#include "core/UComon.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/Xml.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/dali/UDALI_AccessRules.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class DALIAccessRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Program_Path = Dir.Path();
        ASSERT_TRUE(QDir().mkpath(Dir.File("PROJECTS/Plant")));
        Dir.Write("Quillmer.xml",
                  "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj>"
                  "<lastipadd><ipaddress>127.0.0.1</ipaddress></lastipadd>"
                  "<lastlang><language>English</language></lastlang><lastinternet><enable_internet>0"
                  "</enable_internet><enable_update>0</enable_update></lastinternet></Conf_Settings>");
        Create_All_Forms();
    }
    void TearDown() override
    {
        Destroy_All_Forms();
        Reset_Program_State();
        Application->Initialize();
    }
    void Step_3() { FQuillmereFirmWare->Btn_DALI_Access->Click(); }

    TTestSeams Seams;
    TempFolder Dir;
};

std::uint16_t Flags(const QByteArray& bank2, int address)
{
    const int at = 4 + 2 * address;
    return std::uint16_t(std::uint8_t(bank2[at]) | (std::uint8_t(bank2[at + 1]) << 8));
}

TEST_F(DALIAccessRoadTest, ConfirmedChoicesReachTheDeviceImageAndCancelChangesNothing)
{
    ASSERT_FALSE(Project_Path.isEmpty());
    Seams.AnswerModal(
        [](TCustomForm& form) {
            auto& dali = dynamic_cast<TFDALI_Access&>(form);
            dali.ACG_DALI_Device->SetCellEx(1, 3, "Y");
            dali.ACG_DALI_Device->SetCellEx(5, 3, DALI_Recall_Old_Value);
            dali.ACG_DALI_Device->SetCellEx(4, 10, "Y");
            dali.PC_DALI->SetActivePage(dali.TS_Functions);
            dali.PC_DALIChange(dali.PC_DALI);
            dali.ACG->SetCellEx(1, 1, "Toggle");
            dali.ACG->SetCellEx(7, 1, "hall");
            dali.ACGComboChange(dali.ACG, 3, 1, 10, "Vacant");
            dali.ACG->SetCellEx(3, 1, "Vacant");
            dali.PC_DALI->SetActivePage(dali.TS_Set_Access);
            dali.PC_DALIChange(dali.PC_DALI);
            for (int c = 2; c <= 10; ++c)
                dali.ASG->SetCellEx(c, 1, std::vector<String>{"Sensor", "Occupancy Sensor", "4", "0", "1", "100",
                                                              "1000", dali.SelFunct[1], "7"}[std::size_t(c - 2)]);
            dali.ASG->SetCheckBoxState(1, 1, false);
            dali.Btn_OKClick(nullptr);
        },
        mrCancel);
    Step_3();
    ASSERT_EQ(Seams.ModalForms.size(), 1u);
    EXPECT_EQ(Seams.ModalForms[0].Result, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());

    const TBinImages images = Build_Bin_Images({File_ParGen, File_DALI_Access, File_SNMP_Manager});
    EXPECT_EQ(Flags(images.Bank2, 2), 0x8000 | 0x0010) << "in use, recall old value";
    EXPECT_EQ(Flags(images.Bank2, 9), 0x0004) << "min-max only, not in use";
    EXPECT_EQ(Flags(images.Bank2, 0), 0);

    TXMLDocument doc;
    doc.LoadFromFile(File_DALI2_Access);
    const TDALI2Tables saved = Load_DALI2_Access(doc);
    ASSERT_EQ(saved.Functions.size(), 1u);
    EXPECT_EQ(saved.Functions[0][1], DALI_Cond_Nand) << "the picked event set the condition";
    ASSERT_EQ(saved.Rules.size(), 1u);
    EXPECT_FALSE(saved.Rules[0].Enable);
    EXPECT_EQ(saved.Rules[0].Cells[7], "1 - hall");

    const QByteArray first = Dir.Read("PROJECTS/Plant/DALI_Access.xml");
    const QByteArray second = Dir.Read("PROJECTS/Plant/DALI2_Access.xml");
    ASSERT_FALSE(first.isEmpty());
    Seams.AnswerModal(
        [](TCustomForm& form) {
            auto& dali = dynamic_cast<TFDALI_Access&>(form);
            EXPECT_EQ(dali.PC_DALI->ActivePage(), dali.TS_Set_Access) << "the tab is kept";
            EXPECT_EQ(dali.ACG_DALI_Device->GetCellEx(1, 3), "Y") << "reloaded from the file";
            dali.Btn_ClearAllClick(nullptr);
        },
        mrCancel);
    Step_3();
    EXPECT_EQ(Seams.ModalForms.back().Result, mrCancel);
    EXPECT_EQ(Dir.Read("PROJECTS/Plant/DALI_Access.xml"), first);
    EXPECT_EQ(Dir.Read("PROJECTS/Plant/DALI2_Access.xml"), second);
}

} // namespace
