// The gallery's window of dormant table forms: each button opens its form
// modally over the gallery's own configuration folder, and the MIB button
// runs the step with its save dialog.

#include "core/UComon.h"
#include "examples/gallery/GalleryForms.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "tables/common/UTableForm.h"
#include "tables/dmx/UDMXDefVal.h"
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
    ASSERT_EQ(gallery->Buttons().size(), 6u);
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
    const char* tables[] = {"Set Modbus TCP Master Access", "Set Modbus Access", "KNX Set Access"};
    for (int i = 0; i < 3; ++i) {
        String shown;
        Seams.AnswerModal([&](TCustomForm& form) { shown = form.Caption(); }, mrCancel);
        Simulate::Click(gallery->Buttons()[std::size_t(3 + i)], TPoint{10, 10});
        EXPECT_EQ(shown, tables[i]);
        EXPECT_EQ(gallery->LastResult(), mrCancel);
    }
    EXPECT_GE(gallery->ClientHeight(), 24 + 48 * 6) << "every button inside the window";
    gallery.reset();
    Application->DestroyForms();
    FSNMP_Trap_Access = nullptr;
    FDMXDefVal = nullptr;
    FModbus_TCP_Master_Set_Access = nullptr;
    FSetAccess = nullptr;
    FKNXAccess = nullptr;
}

} // namespace
