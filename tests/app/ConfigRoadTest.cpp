// A configuration made the way a user makes it: the main window's buttons,
// the table windows' grids through the pointer and the keyboard (cells
// clicked, editors opened by typing, combo lists stepped by keys, check boxes
// clicked), then the update step's images compared byte for byte with the
// images the device layout gives for what was entered. Cancel changes no
// file; a language picked in the options renames both windows' headers.

#include "app/UQuillmereFirmWare.h"
#include "core/UComon.h"
#include "core/UNew_Project.h"
#include "core/USoftOptions.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/dali/UDALI_AccessRules.h"
#include "tables/snmp/USNMPManagerAccess.h"
#include "tests/common/BinImageLayout.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace BinLayout;

TPoint Middle(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A click in the middle of a button, a label or any other control.
void Press(TControl* control)
{
    Simulate::Click(control, {control->Width() / 2, control->Height() / 2});
}

void Press_Enter(TWinControl* control)
{
    Simulate::Key(control, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

void Click_Cell(TZvStringGrid* grid, int displayedCol, int row)
{
    Simulate::Click(grid, Middle(grid->CellRect(displayedCol, row)));
}

// The cell is clicked, its first letter opens the text editor over it, the
// rest goes into that editor, and Enter stores it.
void Type_Into_Cell(TZvStringGrid* grid, int displayedCol, int row, const String& text)
{
    Click_Cell(grid, displayedCol, row);
    Simulate::Type(grid, text.left(1));
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_TRUE(editor && editor->Visible()) << "no editor opened over " << displayedCol << ',' << row;
    Simulate::Type(editor, text.mid(1));
    Press_Enter(editor);
    EXPECT_FALSE(editor->Visible());
}

// The cell is clicked, F2 opens its combo, the keys step or type to the
// entry, and Enter stores it.
void Pick_In_Cell(TZvStringGrid* grid, int displayedCol, int row, const std::function<void(TGridCombo*)>& keys)
{
    Click_Cell(grid, displayedCol, row);
    Simulate::Key(grid, Qt::Key_F2);
    TGridCombo* combo = grid->ComboEditor();
    ASSERT_TRUE(combo && combo->Visible()) << "no combo opened over " << displayedCol << ',' << row;
    keys(combo);
    Press_Enter(combo);
    EXPECT_FALSE(combo->Visible());
}

auto Down(int times)
{
    return [times](TGridCombo* combo) {
        for (int i = 0; i < times; ++i) Simulate::Key(combo, Qt::Key_Down);
    };
}

// The list opened by a click on the combo's button; in the open list Down
// moves to the entry, and Enter takes it.
auto From_List(const char* text)
{
    return [text](TGridCombo* combo) {
        Simulate::Click(combo, {combo->Width() - 4, combo->Height() / 2});
        ASSERT_TRUE(combo->DroppedDown()) << "the button opened no list";
        auto* widget = qobject_cast<QComboBox*>(combo->Handle());
        ASSERT_NE(widget, nullptr);
        const int target = widget->findText(QString::fromLatin1(text));
        ASSERT_GE(target, 0) << text;
        QAbstractItemView* list = widget->view();
        for (int i = 0; i < widget->count() && list->currentIndex().row() != target; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(combo->Text(), QString::fromLatin1(text));
    };
}

auto Letter(const char* text)
{
    return [text](TGridCombo* combo) { Simulate::Type(combo, QString::fromLatin1(text)); };
}

void Pick_Tab(TPageControl* pages, TTabSheet* sheet)
{
    Simulate::Click(pages, Middle(pages->TabRect(sheet->PageIndex())));
    ASSERT_EQ(pages->ActivePage(), sheet);
}

class ConfigRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Program_Path = Dir.Path();
        Dir.Write("Quillmer.xml",
                  "<Conf_Settings><lastproj><projectname></projectname></lastproj>"
                  "<lastipadd><ipaddress>127.0.0.1</ipaddress></lastipadd>"
                  "<lastlang><language>English</language></lastlang><lastinternet><enable_internet>0"
                  "</enable_internet><enable_update>0</enable_update></lastinternet></Conf_Settings>");
        Create_All_Forms();
        Main().Show();
    }
    void TearDown() override
    {
        Destroy_All_Forms();
        Reset_Program_State();
        Application->Initialize();
    }
    TFQuillmereFirmWare& Main() const { return *FQuillmereFirmWare; }

    // The New button, a name typed into the dialog, its OK button.
    void New_Configuration(const char* name)
    {
        Seams.AnswerModal(
            [name](TCustomForm&) {
                Simulate::Type(FNew_Project->E_New_Proj, QString::fromLatin1(name));
                Press(FNew_Project->Btn_OK);
            },
            mrCancel);
        Press(Main().Btn_New);
    }

    // One of the main window's steps, the window it opens run by `user`.
    template <class TWindow>
    int Step(TZvPushButton* button, std::function<void(TWindow&)> user)
    {
        const std::size_t before = Seams.ModalForms.size();
        Seams.AnswerModal([user](TCustomForm& form) { user(dynamic_cast<TWindow&>(form)); }, mrNone);
        Press(button);
        EXPECT_EQ(Seams.ModalForms.size(), before + 1);
        return Seams.ModalForms.empty() ? mrNone : Seams.ModalForms.back().Result;
    }

    QByteArray Project_File(const char* name) const { return Dir.Read(QStringLiteral("PROJECTS/Plant/") + name); }

    TTestSeams Seams;
    TempFolder Dir;
};

// What the update step must write for the tables entered below, from the
// device layout: address 3 in use with its old level recalled, and one
// version-2 request to 10.0.0.7.
struct TExpected_Images {
    QByteArray Bank1, Bank2;
};
TExpected_Images Expected_Images()
{
    Net net;
    net.records = 1;
    std::array<std::uint16_t, 81> dali{};
    dali[3] = 0x8000 | 0x0010;
    Rec request;
    request.ip = {10, 0, 0, 7};
    request.flags = 0x20;
    request.user = QByteArray("Sorvine");
    request.oid = QByteArray("1.3.6.1.2.1.1.5.0");
    request.convertFrom = 1;
    request.numberBytes = 4;
    return {expectedBank1(net), expectedBank2(dali, {request}, {"1.3.6.1.2.1.1.5.0", "Sorvine"})};
}

TEST_F(ConfigRoadTest, EditedTablesReachTheImagesAndCancelChangesNoFile)
{
    New_Configuration("Plant");
    ASSERT_EQ(Project_Name, "Plant");
    ASSERT_EQ(Seams.ModalForms.back().Result, mrOk);

    // Step 3: address 3 in use with its old level recalled, one function and one rule.
    const int dali = Step<TFDALI_Access>(Main().Btn_DALI_Access, [](TFDALI_Access& form) {
        TZvColumnGrid* devices = form.ACG_DALI_Device;
        Click_Cell(devices, 1, 4);
        EXPECT_EQ(devices->GetCellEx(1, 4), "Y");
        Pick_In_Cell(devices, 3, 4, Down(2));
        EXPECT_EQ(devices->GetCellEx(5, 4), DALI_Recall_Old_Value);

        Pick_Tab(form.PC_DALI, form.TS_Functions);
        Pick_In_Cell(form.ACG, 1, 1, Letter("T"));
        Pick_In_Cell(form.ACG, 3, 1, From_List("Vacant"));
        Type_Into_Cell(form.ACG, 7, 1, "hall");
        EXPECT_EQ(form.ACG->GetCellEx(1, 1), "Toggle");
        EXPECT_EQ(form.ACG->GetCellEx(3, 1), "Vacant");
        EXPECT_EQ(form.ACG->GetCellEx(2, 1), DALI_Cond_Nand) << "the picked event set the condition";

        Pick_Tab(form.PC_DALI, form.TS_Set_Access);
        Pick_In_Cell(form.ASG, 2, 1, Letter("S"));
        Pick_In_Cell(form.ASG, 9, 1, Down(1));
        Click_Cell(form.ASG, 1, 1);
        bool ticked = true;
        EXPECT_TRUE(form.ASG->GetCheckBoxState(1, 1, ticked));
        EXPECT_FALSE(ticked);
        Press(form.Btn_OK);
    });
    EXPECT_EQ(dali, mrOk);

    TXMLDocument doc;
    doc.LoadFromFile(File_DALI2_Access);
    const TDALI2Tables rules = Load_DALI2_Access(doc);
    ASSERT_EQ(rules.Functions.size(), 1u);
    EXPECT_EQ(rules.Functions[0], (TDALIFunctionRow{"Toggle", DALI_Cond_Nand, "Vacant", "", "", "", "hall"}));
    ASSERT_EQ(rules.Rules.size(), 1u);
    EXPECT_FALSE(rules.Rules[0].Enable);
    EXPECT_EQ(rules.Rules[0].Cells[0], "Sensor");
    EXPECT_EQ(rules.Rules[0].Cells[7], "1 - hall");

    // Step 4: one request, typed and picked.
    const int snmp = Step<TFSNMPManagerAccess>(Main().Btn_SNMP_Manager_Access, [](TFSNMPManagerAccess& form) {
        TZvColumnGrid* grid = form.ACG_SNMP;
        Type_Into_Cell(grid, SM_IP_Address, 1, "10.0.0.7");
        Pick_In_Cell(grid, SM_Version, 1, Letter("2"));
        Pick_In_Cell(grid, SM_Community, 1, From_List("Sorvine"));
        Type_Into_Cell(grid, SM_OID, 1, "1.3.6.1.2.1.1.5.0");
        Type_Into_Cell(grid, SM_Num_Bytes, 1, "4");
        // Down, not "F": within the key-search interval the letter would extend the "2" typed above.
        Pick_In_Cell(grid, SM_Conversion, 1, Down(1));
        EXPECT_EQ(grid->GetCellEx(SM_Version, 1), "2");
        EXPECT_EQ(grid->GetCellEx(SM_Conversion, 1), "Float");
        Press(form.Btn_OK);
    });
    EXPECT_EQ(snmp, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty()) << Seams.Boxes.front().Text.toStdString();

    // The update step: both images written before the update dialog, which is cancelled.
    Seams.AnswerModal(mrCancel);
    Press(Main().Btn_CreateBin);
    EXPECT_EQ(Seams.ModalForms.back().ClassName, "TFBoot");
    const QByteArray bank1 = Project_File("bin/bank1.bin");
    const QByteArray bank2 = Project_File("bin/bank2.bin");
    const TExpected_Images expected = Expected_Images();
    EXPECT_TRUE(SameImage(bank1, expected.Bank1));
    EXPECT_TRUE(SameImage(bank2, expected.Bank2));
    // The same facts read straight at their offsets.
    const struct {
        const QByteArray& image;
        int offset;
        QByteArray bytes;
    } fields[] = {
        {bank1, 484, QByteArray("\x01\x00\x00\x00", 4)},       // one request in use
        {bank2, 4 + 2 * 3, QByteArray("\x10\x80", 2)},         // address 3: in use, old level
        {bank2, 256 + 4, QByteArray("\x07\x00\x00\x0A", 4)},   // 10.0.0.7, last part first
        {bank2, 256 + 8, QByteArray("\x20\x00\x00\x00", 4)},   // version 2
        {bank2, 256 + 28, QByteArray("\x01\x02\x04", 3)},      // Float, Trap, 4 bytes
        {bank2, 256 + 0x4801, QByteArray("1.3.6.1.2.1.1.5.0\0Sorvine\0", 26)},
    };
    for (const auto& field : fields)
        EXPECT_EQ(field.image.mid(field.offset, field.bytes.size()).toHex(), field.bytes.toHex()) << field.offset;

    // Cancel after edits in every table leaves every file as it was.
    const QByteArray files[] = {Project_File("DALI_Access.xml"), Project_File("DALI2_Access.xml"),
                                Project_File("SNMP_Manager.xml")};
    const int dali_cancel = Step<TFDALI_Access>(Main().Btn_DALI_Access, [](TFDALI_Access& form) {
        EXPECT_EQ(form.PC_DALI->ActivePage(), form.TS_Set_Access) << "the tab is kept";
        Click_Cell(form.ASG, 1, 1);
        Type_Into_Cell(form.ASG, 12, 1, "changed");
        Pick_Tab(form.PC_DALI, form.TS_Select_Device);
        EXPECT_EQ(form.ACG_DALI_Device->GetCellEx(1, 4), "Y") << "reloaded from the file";
        Press(form.Btn_ClearAll);
        Click_Cell(form.ACG_DALI_Device, 1, 1);
        EXPECT_EQ(form.ACG_DALI_Device->GetCellEx(1, 4), "N");
        EXPECT_EQ(form.ACG_DALI_Device->GetCellEx(1, 1), "Y");
        EXPECT_EQ(form.ASG->GetCellEx(12, 1), "changed");
        Press(form.Btn_Cancel);
    });
    EXPECT_EQ(dali_cancel, mrCancel);
    const int snmp_cancel = Step<TFSNMPManagerAccess>(Main().Btn_SNMP_Manager_Access, [](TFSNMPManagerAccess& form) {
        EXPECT_EQ(form.ACG_SNMP->GetCellEx(SM_IP_Address, 1), "10.0.0.7") << "reloaded from the file";
        Type_Into_Cell(form.ACG_SNMP, SM_IP_Address, 2, "10.0.0.8");
        Pick_In_Cell(form.ACG_SNMP, SM_Version, 1, Down(1));
        EXPECT_EQ(form.ACG_SNMP->GetCellEx(SM_IP_Address, 2), "10.0.0.8");
        EXPECT_EQ(form.ACG_SNMP->GetCellEx(SM_Version, 1), "3");
        Press(form.Btn_Cancel);
    });
    EXPECT_EQ(snmp_cancel, mrCancel);
    EXPECT_EQ(Project_File("DALI_Access.xml"), files[0]);
    EXPECT_EQ(Project_File("DALI2_Access.xml"), files[1]);
    EXPECT_EQ(Project_File("SNMP_Manager.xml"), files[2]);
    EXPECT_TRUE(Seams.Boxes.empty());
}

// A language picked in the options, through the main window's button, renames
// the headers of both table windows, shown or not.
TEST_F(ConfigRoadTest, ALanguagePickedInTheOptionsRenamesBothWindowsHeaders)
{
    Dir.Write("LANGUAGE/Deutsch.lng", "STR 2710 = IP-Adresse\nSTR 2502 = Ger/Sen\nSTR 2540 = Funktion\n"
                                      "STR 759 = Aktiv\n");
    New_Configuration("Plant");
    TFSNMPManagerAccess& snmp = *FSNMPManagerAccess;
    TFDALI_Access& dali = *FDALI_Access;
    auto headers = [&] {
        return std::vector<String>{snmp.ACG_SNMP->Columns()->Items(SM_IP_Address)->Header(), dali.ASG->GetCellEx(2, 0),
                                   dali.ACG->Columns()->Items(1)->Header(),
                                   dali.ACG_DALI_Device->Columns()->Items(1)->Header()};
    };
    EXPECT_EQ(headers(), (std::vector<String>{"IP Address", "Dev/Sen", "Function", "Enable"}));

    Seams.AnswerBox(IDYES);
    Seams.AnswerModal(
        [](TCustomForm& form) {
            auto& options = dynamic_cast<TFSoftOptions&>(form);
            ASSERT_EQ(options.L_L[0]->Caption(), "Deutsch");
            Press(options.L_L[0]);
            Press(options.Btn_OK);
        },
        mrCancel);
    Press(Main().Btn_Opz);
    ASSERT_EQ(Seams.Boxes.size(), 1u) << "the question whether to change";
    EXPECT_EQ(Seams.ModalForms.back().Result, mrOk);
    EXPECT_EQ(Language_Name, "Deutsch");
    EXPECT_EQ(headers(), (std::vector<String>{"IP-Adresse", "Ger/Sen", "Funktion", "Aktiv"}));

    // Shown again, the windows keep the new headers.
    Step<TFSNMPManagerAccess>(Main().Btn_SNMP_Manager_Access, [](TFSNMPManagerAccess& form) {
        EXPECT_EQ(form.ACG_SNMP->Columns()->Items(SM_IP_Address)->Header(), "IP-Adresse");
        Press(form.Btn_Cancel);
    });
    Step<TFDALI_Access>(Main().Btn_DALI_Access, [](TFDALI_Access& form) {
        EXPECT_EQ(form.ASG->GetCellEx(2, 0), "Ger/Sen");
        Press(form.Btn_Cancel);
    });
}

// A user types into a cell and clicks OK without Enter: the text still in
// the editor is what the file gets, in both windows.
TEST_F(ConfigRoadTest, TextLeftInTheEditorIsSavedByOK)
{
    New_Configuration("Plant");
    Step<TFSNMPManagerAccess>(Main().Btn_SNMP_Manager_Access, [](TFSNMPManagerAccess& form) {
        TZvColumnGrid* grid = form.ACG_SNMP;
        Type_Into_Cell(grid, SM_IP_Address, 1, "10.0.0.7");
        Type_Into_Cell(grid, SM_OID, 1, "1.3.6");
        Pick_In_Cell(grid, SM_Conversion, 1, Down(0));
        Click_Cell(grid, SM_Num_Bytes, 1);
        Simulate::Type(grid, "1");
        Simulate::Type(grid->InplaceEditor(), "2");
        ASSERT_TRUE(grid->InplaceEditor()->Visible());
        Press(form.Btn_OK);
    });
    EXPECT_TRUE(Seams.Boxes.empty()) << "the number of bytes was taken";
    EXPECT_EQ(Seams.ModalForms.back().Result, mrOk);
    EXPECT_TRUE(Project_File("SNMP_Manager.xml").contains("Number_Bytes=\"12\""));

    Step<TFDALI_Access>(Main().Btn_DALI_Access, [](TFDALI_Access& form) {
        Pick_Tab(form.PC_DALI, form.TS_Functions);
        Pick_In_Cell(form.ACG, 1, 1, Letter("T"));
        Pick_In_Cell(form.ACG, 3, 1, From_List("Vacant"));
        Click_Cell(form.ACG, 7, 1);
        Simulate::Type(form.ACG, "h");
        Simulate::Type(form.ACG->InplaceEditor(), "all");
        Press(form.Btn_OK);
    });
    EXPECT_EQ(Seams.ModalForms.back().Result, mrOk);
    TXMLDocument doc;
    doc.LoadFromFile(File_DALI2_Access);
    const TDALI2Tables rules = Load_DALI2_Access(doc);
    ASSERT_EQ(rules.Functions.size(), 1u);
    EXPECT_EQ(rules.Functions[0][6], "hall");
}

} // namespace
