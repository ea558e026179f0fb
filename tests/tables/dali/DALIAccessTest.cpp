// The DALI access window headless: showing and loading both files, saving
// them in turn, the checks and questions on OK, the tabs and header menus,
// the Functions grid's event rule, the check grid's delete, and a picture
// of both tabs.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Regional.h"
#include "platform/Xml.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/dali/UDALI_AccessRules.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <gtest/gtest.h>

namespace {

struct DALIAccessTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TFDALI_Access> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        File_DALI_Access = Folder.File("DALI_Access.xml");
        File_DALI2_Access = Folder.File("DALI2_Access.xml");
        Form = std::make_unique<TFDALI_Access>(nullptr);
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }
    void Show() { Form->FormShow(nullptr); }
    void Tab(TTabSheet* page)
    {
        Form->PC_DALI->SetActivePage(page);
        Form->PC_DALIChange(Form->PC_DALI);
    }
    void Write_Files(const TDALIDevices& devices, const TDALI2Tables& tables)
    {
        TXMLDocument doc;
        Write_DALI_Access(doc, devices);
        doc.SaveToFile(File_DALI_Access);
        Write_DALI2_Access(doc, tables);
        doc.SaveToFile(File_DALI2_Access);
    }
    void Function_Row(int row, std::initializer_list<const char*> cells)
    {
        int c = 1;
        for (const char* text : cells) Form->ACG->SetCellEx(c++, row, text);
    }
    void Rule_Row(int row, std::initializer_list<const char*> cells)
    {
        int c = 2;
        for (const char* text : cells) Form->ASG->SetCellEx(c++, row, text);
    }
};

TDALI2Tables Sample_Tables()
{
    TDALI2Tables t;
    t.Functions.push_back({"Addition", "When Equal to Value", "Short Press", "DALI Channel 3", "128", "0", "up"});
    t.Functions.push_back({"Toggle", "No Condition", "12.5", "DALI Broadcast", "", "1", "tog"});
    t.Rules.push_back({true, {"Device", "Led Lamp", "3", "0", "255", "1000", "5000", "1 - up", "12", "", "lamp"}});
    t.Rules.push_back({false, {"Sensor", "Push Button", "99", "1", "0", "0", "0", "0 - None", "0", "2", ""}});
    return t;
}

TEST_F(DALIAccessTest, CreationShapesTheGridsAndCopiesTheTexts)
{
    EXPECT_EQ(Form->Caption(), "DALI Access");
    EXPECT_EQ(Form->ClientWidth(), 1200);
    EXPECT_EQ(Form->ClientHeight(), 496);
    EXPECT_EQ(Form->L_SW_Code->Caption(), Software_Code);
    EXPECT_EQ(Form->ACG_DALI_Device->ColCount(), 4) << "Address and Dimming Mode are hidden";
    EXPECT_EQ(Form->ACG_DALI_Device->GetCellEx(0, 64), "DALI ID Device 63");
    EXPECT_EQ(Form->ACG_DALI_Device->Columns()->Items(5)->Header(), "Recall Level");
    EXPECT_EQ(Form->ASG->RowCount(), 257);
    EXPECT_EQ(Form->ASG->GetCellEx(11, 0), "Num Bytes");
    EXPECT_EQ(Form->ACG->RowCount(), 251);
    EXPECT_EQ(Form->ACG->Columns()->Items(3)->Editor(), TEditorType::edComboEdit);
    EXPECT_EQ(Form->ACG->Columns()->Items(4)->ComboItems()->Count(), 81);
    EXPECT_EQ(Form->Hint().Count(), 12);
    EXPECT_EQ(Form->Hint_Fun()[2], "Select the Event or Insert the Value to use with Condition");
    EXPECT_EQ(Form->TS_Functions->Caption(), "Functions");
    EXPECT_EQ(Form->Btn_DelRow->Caption(), "Delete Row");
    EXPECT_EQ(Form->PC_DALI->ActivePage(), Form->TS_Select_Device);
    EXPECT_EQ(Form->DevType.Count(), 10);
    EXPECT_EQ(Form->SenType.Count(), 7);
}

TEST_F(DALIAccessTest, ShowingWithoutFilesLeavesTheResetState)
{
    Form->ACG_DALI_Device->SetCellEx(1, 3, "Y");
    Form->ACG->SetCellEx(1, 2, "Toggle");
    Show();
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Form->Device_Rows(), TDALIDevices{});
    const TDALI2Tables t = Form->Rule_Tables();
    EXPECT_TRUE(t.Rules[255].Enable);
    EXPECT_TRUE(t.Functions[1][0].isEmpty());
    EXPECT_EQ(Form->ASG->GetCellEx(0, 256), "256");
    EXPECT_EQ(Form->SelFunct.Count(), 251);
    EXPECT_EQ(Form->SelFunct[0], "0 - None");
}

TEST_F(DALIAccessTest, LoadThenOkWritesBothFilesBackAsTheyWere)
{
    TDALIDevices devices;
    devices[0] = {"Y", "Y", DALI_Recall_Old_Value};
    devices[5] = {"Y", "N", DALI_Recall_Min_Max};
    Write_Files(devices, Sample_Tables());
    const QByteArray first = Folder.Read("DALI_Access.xml");
    const QByteArray second = Folder.Read("DALI2_Access.xml");
    Show();
    EXPECT_EQ(Form->Device_Rows(), devices);
    EXPECT_FALSE(Form->ASG->IsChecked(1, 2));
    EXPECT_EQ(Form->ACG->GetCellEx(7, 2), "tog");
    EXPECT_EQ(Form->SelFunct[2], "2 - tog");
    DeleteFile(File_DALI_Access);
    DeleteFile(File_DALI2_Access);
    Form->Btn_OKClick(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty()) << "the disabled rule's channel 99 is not checked";
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_EQ(Folder.Read("DALI_Access.xml"), first);
    EXPECT_EQ(Folder.Read("DALI2_Access.xml"), second);
}

TEST_F(DALIAccessTest, AValidationFaultShowsOneBoxAndWritesNothing)
{
    Show();
    Function_Row(1, {"Toggle", "When Equal to Value", "Occupied"});
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text,
              "Function - Error Row 1!! Condition for this Event / Value must be \"AND Logic with Value\"");
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_NE(Form->ModalResult(), mrOk);
    EXPECT_FALSE(FileExists(File_DALI_Access));
    EXPECT_FALSE(FileExists(File_DALI2_Access));
}

TEST_F(DALIAccessTest, TypedValuesFollowTheRegionalDecimalSeparator)
{
    for (const char* sep : {",", "."}) {
        SCOPED_TRACE(sep);
        TFormatSettings s = FormatSettings();
        const TFormatSettings old = s;
        s.DecimalSeparator = QChar::fromLatin1(sep[0]);
        s.ThousandSeparator = sep[0] == ',' ? u'.' : u',';
        s.ProfileDecimal = QString::fromLatin1(sep);
        SetFormatSettings(s);
        Seams.Boxes.clear();
        Show();
        Function_Row(1, {"Set Out", "No Condition", "12,5"});
        Function_Row(2, {"Set Out", "No Condition", "12.5"});
        EXPECT_TRUE(Form->Controllo_dati());
        Function_Row(2, {"Set Out", "No Condition", "abc"});
        EXPECT_FALSE(Form->Controllo_dati());
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, "Functions - Error Row 2!! Value must be a valid float value");
        SetFormatSettings(old);
    }
}

TEST_F(DALIAccessTest, RowsBelowAnEmptyKeyAreDroppedOnlyWhenTheUserAgrees)
{
    Show();
    Function_Row(1, {"Toggle", "No Condition", "1"});
    Function_Row(3, {"Toggle", "No Condition", "2"});
    Seams.AnswerBox(IDNO);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Question);
    EXPECT_NE(Form->ModalResult(), mrOk) << "No keeps the form open";
    EXPECT_FALSE(FileExists(File_DALI2_Access));

    Seams.AnswerBox(IDYES);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    TXMLDocument doc;
    doc.LoadFromFile(File_DALI2_Access);
    const TDALI2Tables saved = Load_DALI2_Access(doc);
    EXPECT_EQ(saved.Functions.size(), 1u);
    EXPECT_TRUE(saved.Rules.empty()) << "a ticked but empty rule row is no text";
}

TEST_F(DALIAccessTest, OnlyAPickFromTheEventListSetsTheCondition)
{
    Show();
    Form->ACG->SetCellEx(2, 1, "No Condition");
    Form->ACGComboChange(Form->ACG, 3, 1, -1, "Vacant");
    EXPECT_EQ(Form->ACG->GetCellEx(2, 1), "No Condition") << "typing does not trigger";
    Form->ACGComboChange(Form->ACG, 2, 1, 3, "Vacant");
    EXPECT_EQ(Form->ACG->GetCellEx(2, 1), "No Condition") << "other columns do not trigger";
    Form->ACGComboChange(Form->ACG, 3, 1, 10, "Vacant");
    EXPECT_EQ(Form->ACG->GetCellEx(2, 1), "NAND Logic with Value");
    Form->ACGComboChange(Form->ACG, 3, 1, 2, "Short Press");
    EXPECT_EQ(Form->ACG->GetCellEx(2, 1), "When Equal to Value");
    Form->ACGComboChange(Form->ACG, 3, 1, 0, "12,5");
    EXPECT_EQ(Form->ACG->GetCellEx(2, 1), "When Equal to Value");
}

TEST_F(DALIAccessTest, TheTypeListFollowsDevSenAndOtherColumnsKeepTheirEditor)
{
    Show();
    struct Case {
        int Col;
        const char* DevSen;
        int Items; // -1: editor unchanged
    };
    const Case cases[] = {{2, "", 2}, {3, "Sensor", 7}, {3, "Device", 10}, {3, "device", 0},
                          {9, "", 251}, {11, "", 2}, {4, "Device", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Col);
        Form->ASG->SetCellEx(2, 1, c.DevSen);
        TEditorType editor = TEditorType::edNormal;
        Form->ASGGetEditorType(Form->ASG, c.Col, 1, editor);
        if (c.Items < 0) {
            EXPECT_EQ(editor, TEditorType::edNormal);
            continue;
        }
        EXPECT_EQ(editor, TEditorType::edComboList);
        EXPECT_EQ(Form->ASG->ComboEditor()->Items()->Count(), c.Items);
    }
}

TEST_F(DALIAccessTest, TabsArrangeTheButtonsAndAreKeptBetweenShowings)
{
    Show();
    EXPECT_TRUE(Form->Btn_SelectAll->Visible());
    EXPECT_FALSE(Form->Btn_DelRow->Visible());
    Form->ACG->SetCellEx(7, 4, "dim");
    Tab(Form->TS_Functions);
    EXPECT_FALSE(Form->Btn_SelectAll->Visible());
    EXPECT_FALSE(Form->Btn_DALI_Maps->Visible());
    EXPECT_TRUE(Form->Btn_PasteRow->Visible());
    EXPECT_EQ(Form->Btn_PasteRow->Left(), 606);
    EXPECT_EQ(Form->SelFunct[4], "4 - dim") << "a tab change rebuilds the function list";
    Show();
    EXPECT_EQ(Form->PC_DALI->ActivePage(), Form->TS_Functions);
    EXPECT_TRUE(Form->Btn_DelRow->Visible());
}

TEST_F(DALIAccessTest, RowButtonsActOnTheActiveTabsGridWithTheirOwnCopyFlags)
{
    Show();
    Tab(Form->TS_Set_Access);
    Rule_Row(1, {"Device", "Dimmer"});
    Form->ASG->SetCheckBoxState(1, 1, false);
    Form->ASG->SetRow(1);
    Form->Btn_CopyRowClick(nullptr);
    EXPECT_TRUE(Form->Do_Copy());
    Tab(Form->TS_Functions);
    Form->ACG->SetRow(1);
    Form->Btn_PasteRowClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u) << "the Functions grid has no copy of its own";
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(902));

    Tab(Form->TS_Set_Access);
    Form->ASG->SetRow(3);
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_FALSE(Form->ASG->IsChecked(1, 3));
    EXPECT_EQ(Form->ASG->GetCellEx(3, 3), "Dimmer");

    Seams.AnswerBox(IDYES);
    Form->ASG->SetRow(1);
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(Seams.Boxes.back().Text, "Are you sure to delete the Row number 1");
    EXPECT_TRUE(Form->ASG->IsChecked(1, 256)) << "the freed row is ticked";
    for (int c = 1; c < 13; ++c)
        EXPECT_FALSE(Form->ASG->GetCellProperties(c, 256)->ReadOnly()) << "the freed row stays writable, column " << c;
    EXPECT_EQ(Form->ASG->GetCellEx(3, 2), "Dimmer");
}

TEST_F(DALIAccessTest, HeaderMenusAndSelectButtonsSetAWholeColumn)
{
    Show();
    Form->Btn_SelectAllClick(nullptr);
    TMenuItem* clear = Form->PM_MinMax_Value->Items()->Items(1);
    Form->Btn_ClearAllClick(nullptr);
    Form->Btn_SelectAllClick(nullptr);
    Form->ACG_DALI_Device->SetCellEx(4, 7, "Y");
    clear->OnClick(clear);
    TMenuItem* old = Form->PM_Recall_Level->Items()->Items(2);
    old->OnClick(old);
    for (const TDALIDevice& d : Form->Device_Rows()) EXPECT_EQ(d, (TDALIDevice{"Y", "N", DALI_Recall_Old_Value}));
    EXPECT_EQ(Form->ACG_DALI_GroupBroad->GetCellEx(3, 1), "") << "the group grid has its own menus";
    TMenuItem* groupRecall = Form->PM_Recall_GB->Items()->Items(1);
    groupRecall->OnClick(groupRecall);
    EXPECT_EQ(Form->ACG_DALI_GroupBroad->GetCellEx(3, 17), DALI_Recall_Min_Max);
    EXPECT_EQ(Form->Device_Rows()[0].Recall_Level, DALI_Recall_Old_Value);
}

TEST_F(DALIAccessTest, ALanguageChangeRenamesHeadersAndKeepsTheRowButtons)
{
    Lang_Strings.SetStrings(2557, "Funktionen");
    Lang_Strings.SetStrings(762, "Min-Max");
    Form->Set_Lang();
    EXPECT_EQ(Form->TS_Functions->Caption(), "Funktionen");
    EXPECT_EQ(Form->ACG_DALI_Device->Columns()->Items(4)->Header(), "Min-Max");
    EXPECT_EQ(Form->Btn_InsRow->Caption(), "Insert Row");
}

TEST_F(DALIAccessTest, ScreenshotsOfTheDeviceAndRuleTabs)
{
    Show();
    Form->Show();
    Form->ACG_DALI_Device->SetCellEx(1, 1, "Y");
    const QImage devices = Form->PaintToImage();
    ASSERT_FALSE(devices.isNull());
    EXPECT_TRUE(devices.save(ScreenshotFolder() + QStringLiteral("/dali-access-devices.png")));
    EXPECT_EQ(devices.pixelColor(3, 3), ToQColor(TColor(0xEDF7F8))) << "the window's background";

    Tab(Form->TS_Set_Access);
    Rule_Row(1, {"Device", "Led Lamp", "3", "0", "255"});
    const QImage rules = Form->PaintToImage();
    EXPECT_TRUE(rules.save(ScreenshotFolder() + QStringLiteral("/dali-access-rules.png")));
    const TRect cell = Form->ASG->CellRect(4, 5);
    const TPoint origin = Form->ASG->ClientToScreen(TPoint{0, 0});
    const TPoint formOrigin = Form->ClientToScreen(TPoint{0, 0});
    const int x = origin.X - formOrigin.X + cell.Right - 4, y = origin.Y - formOrigin.Y + cell.Bottom - 4;
    EXPECT_EQ(rules.pixelColor(x, y), ToQColor(TColor(0xFEFAE0))) << "the Ch. Number colour";
    Form->Hide();
}

} // namespace

namespace {

TEST_F(DALIAccessTest, TheByteMapExportWritesEightBytesPerEnabledAddress)
{
    Show();
    Form->ACG_DALI_Device->SetCellEx(1, 1, "Y");
    Form->ACG_DALI_Device->SetCellEx(1, 3, "Y");
    Seams.CancelFileDialog();
    Form->Btn_DALI_MapsClick(nullptr);
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    EXPECT_EQ(Seams.FileDialogs[0].InitialDir, Project_Path);
    EXPECT_EQ(Seams.FileDialogs[0].Filter, "Comma-separated value (CSV file)|*.csv");
    EXPECT_FALSE(FileExists(Folder.File("map.csv")));

    Seams.AnswerFileDialog(Folder.File("map"));
    Form->Btn_DALI_MapsClick(nullptr);
    const QList<QByteArray> lines = Folder.Read("map.csv").split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(String::fromLocal8Bit(lines[0]).trimmed(), Lang_Text(756));
    EXPECT_EQ(lines[1].trimmed(), "1; 0; 1; 2; 3; 4; 5; 6, 7;");
    EXPECT_EQ(lines[2].trimmed(), "3; 8; 9; 10; 11; 12; 13; 14, 15;");

    // An existing file is replaced only on Yes; a ".CSV" name keeps its extension.
    const QByteArray before = Folder.Read("map.csv");
    Form->ACG_DALI_Device->SetCellEx(1, 1, "N");
    Seams.AnswerFileDialog(Folder.File("map.csv"));
    Seams.AnswerBox(IDNO);
    Form->Btn_DALI_MapsClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes.back().Text, Lang_Text(755));
    EXPECT_EQ(Folder.Read("map.csv"), before);
    Seams.AnswerFileDialog(Folder.File("MAP.CSV"));
    Form->Btn_DALI_MapsClick(nullptr);
    EXPECT_TRUE(FileExists(Folder.File("MAP.CSV")));
    EXPECT_FALSE(FileExists(Folder.File("MAP.CSV.csv")));
    Seams.AnswerFileDialog(Folder.File("map.csv"));
    Seams.AnswerBox(IDYES);
    Form->Btn_DALI_MapsClick(nullptr);
    EXPECT_TRUE(Folder.Read("map.csv").contains("3; 0; 1; 2; 3; 4; 5; 6, 7;"));
}

} // namespace
