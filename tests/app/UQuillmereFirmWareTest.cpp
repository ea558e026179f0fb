// The main window and the program's start-up: what a user meets on the first
// start and after a restart, the step buttons, the update check's timing, the
// language change reaching every window, and the window's layout.

#include "core/UAbout.h"
#include "core/UBoot.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UNew_Project.h"
#include "core/UOpenConf.h"
#include "core/UParGen.h"
#include "app/UQuillmereFirmWare.h"
#include "core/USoftOptions.h"
#include "core/ZvPushButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/HintWindow.h"
#include "platform/Seams.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"
#include "platform/Xml.h"
#include "tables/profinet/UProfinetFileName.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tables/snmp/USNMPManagerAccess.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tables/bacnet/UBACnetAccess.h"
#include "tables/bacnet/UImportEDEFile.h"
#include "tables/can/UReceiveCAN.h"
#include "tables/can/UTransmitCAN.h"
#include "tables/canopen/USet_PDO_Access.h"
#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"
#include "tests/common/LocalHttpServer.h"
#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <QDir>
#include <QHelpEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

const String Expected_Title = Q("www.zorvat.example - Configurator KS40219 - DALI / SNMP Manager ");
const String Download_Link = Q("http://www.zorvat.example/Home/download/download.asp#KH40219");

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Program_Path = Dir.Path();
    }

    void TearDown() override
    {
        Destroy_All_Forms();
        Reset_Program_State();
        // Closing the main window ends the application's run; the next test starts afresh.
        Application->Initialize();
    }

    // The program's start: every window, in the program's order.
    void Start() { Create_All_Forms(); }
    TFQuillmereFirmWare& Main() const { return *FQuillmereFirmWare; }

    void Make_Configuration(const String& name) const
    {
        ASSERT_TRUE(QDir().mkpath(PathJoin(Dir.File(Q("PROJECTS")), name)));
    }
    void Write_Settings(const String& projectName, const String& internet = Q("0"),
                        const String& update = Q("0")) const
    {
        Dir.Write(Q("Quillmer.xml"),
                  (Q("<Conf_Settings><lastproj><projectname>") + projectName +
                   Q("</projectname></lastproj><lastipadd><ipaddress>127.0.0.1</ipaddress></lastipadd>"
                     "<lastlang><language>English</language></lastlang><lastinternet><enable_internet>") +
                   internet + Q("</enable_internet><enable_update>") + update +
                   Q("</enable_update></lastinternet></Conf_Settings>"))
                      .toUtf8());
    }
    // The value a settings file written by the window holds.
    String Saved_Setting(const char* group, const char* element) const
    {
        TXMLDocument doc;
        doc.LoadFromFile(PathJoin(Program_Path, Q("Quillmer.xml")));
        return doc.DocumentElement().ChildNode(Q(group)).ChildNode(Q(element)).Text();
    }

    // Every request the version check sends, and whether the timer was on meanwhile.
    void Watch_Version_Queries()
    {
        auto inner = ::Seams().HttpUrl;
        ::Seams().HttpUrl = [this, inner](const String& url) {
            Timer_On_During_Query.push_back(Main().Timer_Update->Enabled());
            return inner ? inner(url) : url;
        };
    }

    void Confirm_Options(bool internet, bool update)
    {
        Seams.AnswerModal(
            [=](TCustomForm&) {
                Enable_Internet = internet;
                Enable_Update = update;
            },
            mrOk);
        Main().Btn_Opz->Click();
    }

    TTestSeams Seams;   // first made, last gone: every window goes through it
    TempFolder Dir;
    std::vector<bool> Timer_On_During_Query;
};

// ---- Start-up ---------------------------------------------------------------------------

TEST_F(MainWindowTest, CreatesTheWindowsInTheProgramsOrderMainWindowFirst)
{
    Start();
    const std::vector<std::pair<const char*, TCustomForm*>> expected = {
        {"TFQuillmereFirmWare", FQuillmereFirmWare},
        {"TFNew_Project", FNew_Project},
        {"TFOpenConf", FOpenConf},
        {"TFAbout", FAbout},
        {"TFSoftOptions", FSoftOptions},
        {"TFParGen", FParGen},
        {"TFDALI_Access", FDALI_Access},
        {"TFBoot", FBoot},
        {"TFProfinetFileName", FProfinetFileName},
        {"TFModbus_TCP_Master_Set_Access", FModbus_TCP_Master_Set_Access},
        {"TFDMXDefVal", FDMXDefVal},
        {"TFBACnetAccess", FBACnetAccess},
        {"TFImportEDEFile", FImportEDEFile},
        {"TFSetAccess", FSetAccess},
        {"TFSNMP_Trap_Access", FSNMP_Trap_Access},
        {"TFReceiveCAN", FReceiveCAN},
        {"TFTransmitCAN", FTransmitCAN},
        {"TFSet_PDO_Access", FSet_PDO_Access},
        {"TFSet_SDO_Client_Access", FSet_SDO_Client_Access},
        {"TFSet_SDO_Server_Access", FSet_SDO_Server_Access},
        {"TFKNXAccess", FKNXAccess},
        {"TFSNMPManagerAccess", FSNMPManagerAccess},
    };
    std::vector<TCustomForm*> created;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TCustomForm*>(Application->Components(i))) created.push_back(form);
    ASSERT_EQ(created.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(created[i], expected[i].second) << expected[i].first;
        EXPECT_EQ(created[i]->ClassName(), Q(expected[i].first));
    }
    EXPECT_EQ(Application->MainForm(), FQuillmereFirmWare);
}

TEST_F(MainWindowTest, FirstStartWithoutSettingsOpensNothingAndRefusesEveryLaterStep)
{
    Start();
    for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(DirectoryExists(Dir.File(Q(folder)))) << folder;
    EXPECT_FALSE(Main().Timer_Update->Enabled());
    EXPECT_FALSE(Main().Timer_Update->Running());
    EXPECT_EQ(Main().Timer_Update->Interval(), 60000u);
    EXPECT_EQ(Main().Caption(), Expected_Title);
    EXPECT_EQ(Main_Caption, Expected_Title);
    EXPECT_EQ(Main().L_SW_Code->Caption(), Q("KS40219"));
    EXPECT_EQ(Main().L_SW_Desc->Caption(), Q("DALI / SNMP Manager - Converter"));
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_EQ(Main().L_Name_Conf->Caption(), Q("None Configuration Opened "));
    EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), Q("Use Step1 to open or create new configuration"));
    EXPECT_TRUE(Update_Read_Back);

    const std::vector<TZvPushButton*> first_steps = {Main().Btn_New, Main().Btn_Open, Main().Btn_Close,
                                                     Main().Btn_Info, Main().Btn_Opz};
    for (TZvPushButton* button : Main().All_Buttons()) {
        if (std::find(first_steps.begin(), first_steps.end(), button) != first_steps.end()) continue;
        const std::size_t boxes = Seams.Boxes.size();
        // Hidden buttons take no clicks; their handler answers all the same.
        if (button->Visible()) button->Click();
        else button->OnClick(button);
        ASSERT_EQ(Seams.Boxes.size(), boxes + 1) << button->Caption().toStdString();
        const TMessageBoxRequest& box = Seams.Boxes.back();
        EXPECT_EQ(box.Text, Q("Error! Project not Valid"));
        EXPECT_EQ(box.Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(box.Buttons, std::vector<int>{IDOK});
    }
    EXPECT_TRUE(Seams.ModalForms.empty());
    EXPECT_TRUE(Seams.FileDialogs.empty());
    EXPECT_TRUE(Seams.StartedPrograms.empty());
    EXPECT_TRUE(Seams.OpenedUrls.empty());
}

// Which configuration is open after a restart, from the name the settings file keeps.
TEST_F(MainWindowTest, ReopensTheLastConfigurationOnlyWhileItsFolderExists)
{
    struct TCase {
        const char* Saved;
        const char* Folder;   // the configuration folder present, or none
        const char* Open;     // the configuration open after start, empty for none
    };
    const TCase cases[] = {
        {"Plant A", "Plant A", "Plant A"},
        {"plant a", "Plant A", "Plant A"},   // the folder's own spelling wins
        {"Plant A", nullptr, ""},            // deleted since the last run
        {"Plant A", "Plant B", ""},
        {"", "Plant A", ""},
        {"../PROJECTS/Plant A", "Plant A", ""},       // only folders of PROJECTS are configurations
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Saved);
        TempFolder program;
        Reset_Program_State();
        Program_Path = program.Path();
        if (c.Folder) {
            ASSERT_TRUE(QDir().mkpath(program.File(Q("PROJECTS/") + Q(c.Folder))));
        }
        program.Write(Q("Quillmer.xml"),
                      (Q("<Conf_Settings><lastproj><projectname>") + Q(c.Saved) +
                       Q("</projectname></lastproj></Conf_Settings>"))
                          .toUtf8());
        Start();
        const String open = Q(c.Open);
        EXPECT_EQ(Project_Name, open);
        if (open.isEmpty()) {
            EXPECT_TRUE(Project_Path.isEmpty());
            EXPECT_EQ(Main().L_Name_Conf->Caption(), Lang_Text(9));
            EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), Lang_Text(10));
        } else {
            EXPECT_EQ(Project_Path, program.File(Q("PROJECTS/") + open));
            EXPECT_EQ(Main().L_Name_Conf->Caption(), Q("Opened Configuration of the Converter : "));
            EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), open);
            EXPECT_EQ(File_ParGen, program.File(Q("PROJECTS/") + open + Q("/ParGen.xml")));
            EXPECT_EQ(File_SNMP_Manager, program.File(Q("PROJECTS/") + open + Q("/SNMP_Manager.xml")));
        }
        // Closing writes what is open now, so a vanished configuration is forgotten.
        Main().Close();
        EXPECT_EQ(Saved_Setting("lastproj", "projectname"), open);
        EXPECT_TRUE(Application->Terminated());
        Destroy_All_Forms();
        Application->Initialize();
    }
}

TEST_F(MainWindowTest, TheCloseButtonSavesTheSettingsAndEndsTheProgram)
{
    Start();
    Last_IP_Address = Q("10.1.2.3");
    Main().Btn_Close->Click();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Saved_Setting("lastipadd", "ipaddress"), Q("10.1.2.3"));
}

// ---- The steps --------------------------------------------------------------------------

TEST_F(MainWindowTest, EachStepOpensItsWindowOnceAConfigurationIsOpen)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    ASSERT_FALSE(Project_Path.isEmpty());

    struct TCase {
        TZvPushButton* TFQuillmereFirmWare::*Button;
        const char* Window;
    };
    const TCase cases[] = {
        {&TFQuillmereFirmWare::Btn_Info, "TFAbout"},
        {&TFQuillmereFirmWare::Btn_Prm_Gen, "TFParGen"},
        {&TFQuillmereFirmWare::Btn_DALI_Access, "TFDALI_Access"},
        {&TFQuillmereFirmWare::Btn_SNMP_Manager_Access, "TFSNMPManagerAccess"},
        {&TFQuillmereFirmWare::Btn_ModM_SetAccess, "TFModbus_TCP_Master_Set_Access"},
        {&TFQuillmereFirmWare::Btn_DMX_Default, "TFDMXDefVal"},
        {&TFQuillmereFirmWare::Btn_Set_BACnet_Access, "TFBACnetAccess"},
        {&TFQuillmereFirmWare::Btn_SNMP_Trap, "TFSNMP_Trap_Access"},
        {&TFQuillmereFirmWare::Btn_J1939_Rec_Frame, "TFReceiveCAN"},
        {&TFQuillmereFirmWare::Btn_J1939_Send_Frame, "TFTransmitCAN"},
        {&TFQuillmereFirmWare::Btn_PDO_CANopen, "TFSet_PDO_Access"},
        {&TFQuillmereFirmWare::Btn_SDO_Client_CANopen, "TFSet_SDO_Client_Access"},
        {&TFQuillmereFirmWare::Btn_SDO_Server_CANopen, "TFSet_SDO_Server_Access"},
        {&TFQuillmereFirmWare::Btn_KNX_Access, "TFKNXAccess"},
        {&TFQuillmereFirmWare::Btn_PROFINET_XML, "TFProfinetFileName"},
    };
    for (const TCase& c : cases) {
        const std::size_t shown = Seams.ModalForms.size();
        TZvPushButton* button = Main().*c.Button;
        if (button->Visible()) button->Click();
        else button->OnClick(button);
        ASSERT_EQ(Seams.ModalForms.size(), shown + 1) << c.Window;
        EXPECT_EQ(Seams.ModalForms.back().ClassName, Q(c.Window));
    }
    // Only the dormant BACnet window speaks: this product's settings hold no BACnet type.
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(1457));

    // The EDS step asks where to save, starting in the configuration's folder.
    Main().Btn_CANopen_EDS->OnClick(Main().Btn_CANopen_EDS);
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    EXPECT_EQ(Seams.FileDialogs[0].Kind, TFileDialogRequest::TKind::Save);
    EXPECT_EQ(Seams.FileDialogs[0].InitialDir, Project_Path);
    EXPECT_EQ(Seams.FileDialogs[0].Filter, Q("Electronic Data Sheet (*.eds)|*.eds"));
}

// The EDS step writes the sheet of the configuration's PDO and SDO server
// tables where the save dialog says; without them it names the missing file.
TEST_F(MainWindowTest, TheEDSStepWritesTheSheetOfTheConfigurationsTables)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    ASSERT_FALSE(Project_Path.isEmpty());
    const String sheet = Project_Path + Q("/device.eds");
    Seams.AnswerFileDialog(sheet);
    Main().Btn_CANopen_EDS->OnClick(Main().Btn_CANopen_EDS);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(File_PDO_CANopen)) << Seams.Boxes[0].Text.toStdString();
    EXPECT_FALSE(FileExists(sheet));

    SaveFileOrRaise(File_PDO_CANopen, "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x181\" Dimension=\"2\"/>"
                                      "</Receive_PDO><Transmit_PDO/></PDO_CANopen>");
    SaveFileOrRaise(File_SDO_Server_CANopen, "<SDO_Server_CANopen><SDO_Read/><SDO_Write/></SDO_Server_CANopen>");
    Seams.AnswerFileDialog(sheet);
    Main().Btn_CANopen_EDS->OnClick(Main().Btn_CANopen_EDS);
    EXPECT_EQ(Seams.Boxes.size(), 1u);
    QFile file(sheet);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("[FileInfo]\r\nFileName=DUDI_VARavov.eds\r\n"));
    EXPECT_TRUE(bytes.contains("NrOfRXPDO=1\r\nNrOfTXPDO=0\r\n"));
}

// The PROFINET step: the name dialog composes the name, the save dialog
// chooses the folder, and the writer reads the configuration's files.
TEST_F(MainWindowTest, ThePROFINETStepWritesTheGSDMLFileUnderTheComposedName)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    ASSERT_FALSE(Project_Path.isEmpty());
    SaveFileOrRaise(File_DALI_Access, "<DALI_Access><DALI_ID_DEVICE_0>1</DALI_ID_DEVICE_0>"
                                      "<DALI_ID_DEVICE_9>1</DALI_ID_DEVICE_9></DALI_Access>");
    SaveFileOrRaise(File_ParGen, "<ParGen><PROFINET_NAME_STA>hall-7</PROFINET_NAME_STA></ParGen>");
    const auto name_it = [](const char* user) {
        return [user](TCustomForm& form) {
            auto& dialog = dynamic_cast<TFProfinetFileName&>(form);
            dialog.E_XML_User->SetText(Q(user));
            dialog.Btn_OK->Click();
        };
    };

    // Cancel in the name dialog asks for no folder.
    Seams.AnswerModal(mrCancel);
    Main().Btn_PROFINET_XML->OnClick(Main().Btn_PROFINET_XML);
    EXPECT_TRUE(Seams.FileDialogs.empty());

    Seams.AnswerModal(name_it("line2"), mrCancel);
    Seams.AnswerFileDialog(Project_Path + Q("/whatever.xml"));
    Main().Btn_PROFINET_XML->OnClick(Main().Btn_PROFINET_XML);
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    EXPECT_EQ(Seams.FileDialogs[0].InitialDir, Project_Path);
    const String name = FProfinetFileName->Name_File_XML;
    EXPECT_EQ(name, Q("GSDML-V2.31-Zorvat-KH40227_line2") + FProfinetFileName->L_XML_Fix2->Caption());
    QFile file(PathJoin(Project_Path, name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("DNS_CompatibleName=\"hall-7\""));
    EXPECT_TRUE(bytes.contains("<Input><DataItem DataType=\"OctetString\" Length=\"16\""));
    EXPECT_TRUE(Seams.Boxes.empty());

    // A refused user part keeps the dialog open; the script then cancels it.
    Seams.AnswerModal(name_it("a/b"), mrCancel);
    Main().Btn_PROFINET_XML->OnClick(Main().Btn_PROFINET_XML);
    EXPECT_EQ(Seams.ModalForms.back().Result, mrCancel);
    EXPECT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.FileDialogs.size(), 1u);
}

TEST_F(MainWindowTest, OptionsConfirmedSaveTheSettingsAndSetTheTimerCancelledChangeNothing)
{
    Start();
    Seams.AnswerModal(
        [](TCustomForm&) {
            Enable_Internet = true;
            Enable_Update = true;
        },
        mrCancel);
    Main().Btn_Opz->Click();
    EXPECT_FALSE(Main().Timer_Update->Enabled());
    EXPECT_FALSE(FileExists(Dir.File(Q("Quillmer.xml"))));

    struct TCase {
        bool Internet, Update, Timer;
    };
    for (const TCase c : {TCase{true, true, true}, TCase{true, false, false}, TCase{false, true, false},
                          TCase{true, true, true}, TCase{false, false, false}}) {
        Confirm_Options(c.Internet, c.Update);
        EXPECT_EQ(Main().Timer_Update->Enabled(), c.Timer);
        EXPECT_EQ(Saved_Setting("lastinternet", "enable_internet"), Q(c.Internet ? "1" : "0"));
        EXPECT_EQ(Saved_Setting("lastinternet", "enable_update"), Q(c.Update ? "1" : "0"));
    }
    EXPECT_EQ(Seams.ModalForms.size(), 6u);
    for (const auto& record : Seams.ModalForms) EXPECT_EQ(record.ClassName, Q("TFSoftOptions"));
    EXPECT_TRUE(Seams.Boxes.empty());
}

// ---- The update check ----------------------------------------------------------------------

TEST_F(MainWindowTest, UpdateCheckComesAMinuteAfterStartThenEveryTwoHours)
{
    Write_Settings(String(), Q("1"), Q("1"));
    Start();
    Watch_Version_Queries();
    ASSERT_TRUE(Main().Timer_Update->Enabled());

    Seams.Clock().Advance(59999);
    EXPECT_TRUE(Timer_On_During_Query.empty());
    Seams.Clock().Advance(1);
    ASSERT_EQ(Timer_On_During_Query.size(), 1u);
    EXPECT_FALSE(Timer_On_During_Query[0]) << "no tick may come while the query runs";
    EXPECT_TRUE(Main().Timer_Update->Enabled());
    EXPECT_EQ(Main().Timer_Update->Interval(), 7200000u);
    // The query failed (nothing answers on the test's closed port): no link.
    EXPECT_FALSE(Main().LL_Update->Visible());

    Seams.Clock().Advance(7199999);
    EXPECT_EQ(Timer_On_During_Query.size(), 1u);
    Seams.Clock().Advance(1);
    EXPECT_EQ(Timer_On_During_Query.size(), 2u);
    Seams.Clock().Advance(7200000);
    EXPECT_EQ(Timer_On_During_Query.size(), 3u);
}

TEST_F(MainWindowTest, ConfirmingTheOptionsAgainKeepsTheRunningCountdown)
{
    Start();
    Watch_Version_Queries();
    Confirm_Options(true, true);
    Seams.Clock().Advance(30000);
    Confirm_Options(true, true);   // still on: the countdown goes on from where it was
    Seams.Clock().Advance(29999);
    EXPECT_TRUE(Timer_On_During_Query.empty());
    Seams.Clock().Advance(1);
    EXPECT_EQ(Timer_On_During_Query.size(), 1u);

    // After the first check the timer keeps its two hours through the options too.
    Seams.Clock().Advance(3600000);
    Confirm_Options(true, true);
    Seams.Clock().Advance(3599999);
    EXPECT_EQ(Timer_On_During_Query.size(), 1u);
    Seams.Clock().Advance(1);
    EXPECT_EQ(Timer_On_During_Query.size(), 2u);

    // Switched off, no check comes; switched on again, the two-hour interval starts afresh.
    Confirm_Options(true, false);
    Seams.Clock().Advance(3 * 7200000);
    EXPECT_EQ(Timer_On_During_Query.size(), 2u);
    Confirm_Options(true, true);
    Seams.Clock().Advance(7199999);
    EXPECT_EQ(Timer_On_During_Query.size(), 2u);
    Seams.Clock().Advance(1);
    EXPECT_EQ(Timer_On_During_Query.size(), 3u);
}

TEST_F(MainWindowTest, UpdateLinkShowsOnlyForANewerVersionAndOpensTheDownloadPage)
{
    Start();
    struct TCase {
        const char* Answer;
        bool Newer;
    };
    for (const TCase c : {TCase{"VER. 1.001", true}, TCase{"VER. 1.000", false}, TCase{"VER. 2.100", true},
                          TCase{"garbage", false}}) {
        SCOPED_TRACE(c.Answer);
        TLocalHttpServer server(TLocalHttpServer::Ok(c.Answer));
        Seams.RedirectHttpTo(server.Base());
        Main().Timer_UpdateTimer(Main().Timer_Update);
        EXPECT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(Main().LL_Update->Visible(), c.Newer);
        EXPECT_EQ(Main().Timer_Update->Interval(), 7200000u);
        EXPECT_TRUE(Main().Timer_Update->Enabled());
        if (c.Newer) {
            EXPECT_EQ(Main().LL_Update->Caption(),
                      Q("<a href=\"") + Download_Link +
                          Q("\">New Version Available. Click Here for more Details</a>"));
        }
    }

    // The link opens through the desktop's "open" action, as does the maker's address.
    TLocalHttpServer newer(TLocalHttpServer::Ok("VER. 1.001"));
    Seams.RedirectHttpTo(newer.Base());
    Main().Timer_UpdateTimer(Main().Timer_Update);
    ASSERT_EQ(Main().LL_Update->Pieces().size(), 1u);
    const TLinkLabel::Piece& link = Main().LL_Update->Pieces()[0];
    ASSERT_TRUE(link.IsLink);
    Main().Show();
    Simulate::Click(Main().LL_Update, Point((link.Bounds.Left + link.Bounds.Right) / 2, (link.Bounds.Top + link.Bounds.Bottom) / 2));
    Main().L_Zorvat->Click();
    EXPECT_EQ(Seams.OpenedUrls, (std::vector<String>{Download_Link,
                                                     Q("http://www.zorvat.example/HOME/default.asp?frompg=KS40219")}));
    EXPECT_TRUE(Seams.Boxes.empty());
}

// ---- Languages ----------------------------------------------------------------------------

TEST_F(MainWindowTest, LanguageChangeReachesEveryListedWindowInOrder)
{
    Start();
    const String english_bacnet = FBACnetAccess->Caption();
    const String english_ede = FImportEDEFile->Caption();
    const String english_about = FAbout->Caption();

    // The windows that re-read their texts, in the order they must: each
    // shows it by taking a new title.
    const std::vector<TCustomForm*> expected = {
        FNew_Project,    FOpenConf,       FSoftOptions,       FBoot,
        FParGen,         FDALI_Access,    FProfinetFileName,  FModbus_TCP_Master_Set_Access,
        FDMXDefVal,      FSNMP_Trap_Access, FSetAccess,       FReceiveCAN,
        FTransmitCAN,    FSet_PDO_Access, FSet_SDO_Client_Access, FSet_SDO_Server_Access,
        FKNXAccess,      FSNMPManagerAccess,
    };
    std::vector<TCustomForm*> reached;
    std::vector<bool> main_window_first;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(Application->Components(i));
        if (!form) continue;
        QObject::connect(form->Handle(), &QWidget::windowTitleChanged, [&reached, &main_window_first, form, this] {
            reached.push_back(form);
            main_window_first.push_back(Main().L_Begin->Caption() == Q("T0"));
        });
    }

    // A language whose every text that matters here names its slot.
    QByteArray lines;
    for (int slot : {0, 1, 5, 8, 15, 17, 21, 22, 27, 39, 40, 9, 10, 11})
        lines += "STR " + QByteArray::number(slot) + " = T" + QByteArray::number(slot) + "\r\n";
    for (int block = 100; block < 2800; block += 100)
        lines += "STR " + QByteArray::number(block) + " = T" + QByteArray::number(block) + "\r\n";
    for (int slot : {800, 801, 802, 400, 401})
        lines += "STR " + QByteArray::number(slot) + " = T" + QByteArray::number(slot) + "\r\n";
    Dir.Write(Q("LANGUAGE/Testish.lng"), lines);
    Language_Name = Q("Testish");
    Load_Language();
    Main().Change_Language();

    std::vector<String> reached_names, expected_names;
    for (TCustomForm* f : reached) reached_names.push_back(f->ClassName());
    for (TCustomForm* f : expected) expected_names.push_back(f->ClassName());
    EXPECT_EQ(reached_names, expected_names);
    EXPECT_EQ(main_window_first, std::vector<bool>(reached.size(), true)) << "the main window comes first";

    EXPECT_EQ(Main().L_Begin->Caption(), Q("T0"));
    EXPECT_EQ(Main().L_Step_1->Caption(), Q("T1"));
    EXPECT_EQ(Main().L_Step_5->Caption(), Q("T5"));
    EXPECT_EQ(Main().L_Step_8->Caption(), Q("T8"));
    EXPECT_EQ(Main().Btn_New->Caption(), Q("T15"));
    EXPECT_EQ(Main().Btn_New->Hint(), Q("T22"));
    EXPECT_EQ(Main().Btn_CreateBin->Caption(), Q("T17"));
    EXPECT_EQ(Main().Btn_DALI_Access->Caption(), Q("T21"));
    EXPECT_EQ(Main().Btn_SNMP_Manager_Access->Caption(), Q("T39"));
    EXPECT_EQ(Main().Btn_SNMP_Manager_Access->Hint(), Q("T40"));
    EXPECT_EQ(Main().Btn_PROFINET_XML->Caption(), Q("T27"));
    EXPECT_EQ(Main().L_Name_Conf->Caption(), Q("T9"));
    EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), Q("T10"));
    // Captions that are no table texts stay.
    EXPECT_EQ(Main().Btn_SNMP_MIB->Caption(), Q("SNMP MIB"));
    EXPECT_EQ(Main().L_SW_Code->Caption(), Q("KS40219"));
    // These keep the texts of their creation until the next start.
    EXPECT_EQ(FBACnetAccess->Caption(), english_bacnet);
    EXPECT_EQ(FImportEDEFile->Caption(), english_ede);
    EXPECT_EQ(FAbout->Caption(), english_about);
}

// A fresh program folder offers English beside any other language, with its
// flag: choosing the other one and then English again brings every built-in
// text back, in the table and on the windows.
TEST_F(MainWindowTest, AFreshProgramFolderOffersTheWayBackToEnglish)
{
    Start();
    EXPECT_EQ(Dir.Read(Q("LANGUAGE/English.lng")), English_Language_File());
    EXPECT_EQ(Dir.Read(Q("LANGUAGE/English.bmp")), English_Flag_Bitmap());

    TStringList english;
    Built_In_Texts(english);
    // Deutsch gives every slot the program uses a text of its own.
    QByteArray lines;
    for (int slot = 0; slot < english.Count(); ++slot)
        if (english[slot] != Q(" ")) lines += "STR " + QByteArray::number(slot) + " = D" + QByteArray::number(slot) + "\n";
    Dir.Write(Q("LANGUAGE/Deutsch.lng"), lines);
    const String newCaption = Main().Btn_New->Caption();

    TFSoftOptions& options = *FSoftOptions;
    Seams.AnswerBox(IDYES);
    Seams.AnswerBox(IDYES);
    Seams.AnswerModal(
        [&](TCustomForm&) {
            // Sorted: Deutsch, then English with its own flag.
            ASSERT_EQ(options.L_L[0]->Caption(), Q("Deutsch"));
            ASSERT_EQ(options.L_L[1]->Caption(), Q("English"));
            ASSERT_TRUE(options.L_L[1]->Visible());
            ASSERT_TRUE(options.I_L[1]->Visible());
            Simulate::Click(options.L_L[0], TPoint{2, 2});
            EXPECT_EQ(Lang_Text(15), Q("D15"));
            EXPECT_EQ(Main().Btn_New->Caption(), Q("D15"));
            Simulate::Click(options.I_L[1], TPoint{24, 24});
            for (int slot = 0; slot < english.Count(); ++slot) ASSERT_EQ(Lang_Text(slot), english[slot]) << slot;
            EXPECT_EQ(Main().Btn_New->Caption(), newCaption);
            options.Btn_OK->Click();
        },
        mrNone);
    Main().Btn_Opz->Click();
    ASSERT_EQ(Seams.Boxes.size(), 2u);
    EXPECT_EQ(Seams.Boxes[1].Text, Q("D316") + Q("Deutsch") + Q("D317") + Q("English") + Q("D318"));
    EXPECT_EQ(Language_Name, Q("English"));
    EXPECT_EQ(Saved_Setting("lastlang", "language"), Q("English"));
}

// ---- Enter in the New Configuration dialog, through the real modal loop --------------------

// The keys go into the real dialog and its real loop, not the scripted one.
// Enter goes down in the edit and closes the dialog; its release then comes
// where the window system delivers it, to the main window's focused button,
// and must press nothing.
TEST_F(MainWindowTest, EnterInTheNewDialogCreatesTheConfigurationAndLeavesNoDialogOpen)
{
    Start();
    ::Seams().ModalStep = RealSeams().ModalStep;
    Main().Show();
    Main().Btn_New->SetFocus();
    int shows = 0;
    const auto on_show = FNew_Project->OnShow;
    FNew_Project->OnShow = [&](TObject* sender) {
        ++shows;
        if (on_show) on_show(sender);
        // Whatever else happens, no showing outlives the test.
        QTimer::singleShot(2000, [] {
            if (FNew_Project && FNew_Project->Visible()) FNew_Project->SetModalResult(mrCancel);
        });
    };
    QTimer::singleShot(0, [] {
        QWidget* edit = FNew_Project->E_New_Proj->Handle();
        QTest::keyClicks(edit, QStringLiteral("Plant A"));
        QTest::keyPress(edit, Qt::Key_Return);
        QTimer::singleShot(0, [] {
            ASSERT_NE(FQuillmereFirmWare->ActiveControl(), nullptr);
            QTest::keyRelease(FQuillmereFirmWare->ActiveControl()->Handle(), Qt::Key_Return);
        });
    });
    Main().Btn_New->Click();
    QTest::qWait(100);

    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(FNew_Project->Visible());
    EXPECT_EQ(Project_Name, Q("Plant A"));
    EXPECT_TRUE(DirectoryExists(Dir.File(Q("PROJECTS/Plant A"))));
    EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), Q("Plant A"));
    // Close ends the program: no modal dialog is left to hold it.
    Main().Btn_Close->Click();
    EXPECT_TRUE(Application->Terminated());
}

// A name too long for the frame is cut short inside it, and resting the
// pointer on the frame shows it whole; a short one is shown as it is.
TEST_F(MainWindowTest, ALongConfigurationNameStaysInItsFrameAndIsTheFramesHint)
{
    const String name = Q("Building 7 - second floor - east wing - emergency lighting and corridor sensors");
    Make_Configuration(name);
    Write_Settings(name);
    Start();
    ASSERT_EQ(Project_Name, name);
    Main().Show();
    const TLabel& label = *Main().L_Name_Conf_L2;
    const TShape& frame = *Main().Shape2;
    EXPECT_EQ(label.Caption(), name);
    EXPECT_LE(label.Left() + label.Width(), frame.Left() + frame.Width() - 7);

    // No ink of the name right of the frame, on the name's row.
    const QImage image = Main().PaintToImage();
    const int frame_right = frame.Left() + frame.Width();
    const QRgb background = image.pixel(frame_right + 20, label.Top() + 2);
    for (int y = label.Top(); y < label.Top() + label.Height(); ++y)
        for (int x = frame_right + 1; x < frame_right + 60; ++x)
            ASSERT_EQ(image.pixel(x, y), background) << x << "," << y;

    for (const TControl* part : {static_cast<const TControl*>(&label), static_cast<const TControl*>(&frame),
                                 static_cast<const TControl*>(Main().L_Name_Conf)})
        EXPECT_EQ(part->Hint(), name);
    // The pointer rests on the name: the whole name shows as its hint.
    Application->CancelHint();
    Simulate::MouseMove(Main().L_Name_Conf_L2, TPoint{label.Width() / 2, label.Height() / 2});
    Seams.Clock().Advance(std::uint64_t(Application->HintPause()));
    const THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), name);
    Application->CancelHint();
    Main().Hide();
}

// ---- A configuration that vanished, a settings file that cannot be written ---------------

// The folder of the open configuration is deleted while the program runs:
// no step may build a new one from defaults in its place.
TEST_F(MainWindowTest, VanishedConfigurationIsRefusedAndNothingIsWritten)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    ASSERT_EQ(Project_Name, Q("Plant A"));
    ASSERT_TRUE(QDir(Dir.File(Q("PROJECTS/Plant A"))).removeRecursively());

    for (TZvPushButton* step : {Main().Btn_CreateBin, Main().Btn_Prm_Gen, Main().Btn_DALI_Access,
                                Main().Btn_SNMP_Manager_Access}) {
        SCOPED_TRACE(step->Caption().toStdString());
        Seams.Boxes.clear();
        step->Click();
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(18));
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        // The frame no longer names what cannot be used.
        EXPECT_EQ(Main().L_Name_Conf->Caption(), Lang_Text(9));
        EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), Lang_Text(10));
        EXPECT_TRUE(Main().L_Name_Conf_L2->Hint().isEmpty());
    }
    EXPECT_TRUE(Seams.ModalForms.empty());
    EXPECT_FALSE(DirectoryExists(Dir.File(Q("PROJECTS/Plant A"))));
    EXPECT_FALSE(FileExists(Dir.File(Q("Ethernet_Update.xml"))));
    EXPECT_TRUE(Seams.StartedPrograms.empty());

    // Put back, it is usable and named again at the next step.
    Make_Configuration(Q("Plant A"));
    Seams.Boxes.clear();
    Main().Btn_Prm_Gen->Click();
    EXPECT_TRUE(Seams.Boxes.empty());
    ASSERT_EQ(Seams.ModalForms.size(), 1u);
    EXPECT_EQ(Main().L_Name_Conf_L2->Caption(), Q("Plant A"));
}

// A settings file that cannot be written is said once, and the program ends all the same.
TEST_F(MainWindowTest, UnwritableSettingsFileIsOneErrorAndTheProgramEnds)
{
    Start();
    // A folder where the file goes: no user, root included, can write it.
    ASSERT_TRUE(QDir().mkpath(Dir.File(Q("Quillmer.xml"))));
    Main().Btn_Close->Click();

    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(Q("Quillmer.xml"))) << Seams.Boxes[0].Text.toStdString();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(DirectoryExists(Dir.File(Q("Quillmer.xml"))));
}

// A damaged communication settings file stops the step with one error box
// naming the file, and the file stays as it was.
TEST_F(MainWindowTest, BrokenCommunicationSettingsAreOneErrorBoxNamingTheFile)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    const QByteArray broken("<Par_Gen><SNMP_Manager_IP1>10</SNMP_Ma");
    Dir.Write(Q("PROJECTS/Plant A/ParGen.xml"), broken);

    // The step raises; the error box is the one every event handler's failure gets.
    RunGuarded(&Main(), [&] { Main().Btn_Prm_Gen->Click(); });

    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(File_ParGen)) << Seams.Boxes[0].Text.toStdString();
    EXPECT_TRUE(Seams.ModalForms.empty());
    EXPECT_FALSE(FParGen->Visible());
    EXPECT_EQ(Dir.Read(Q("PROJECTS/Plant A/ParGen.xml")), broken);
}

// ---- Layout -----------------------------------------------------------------------------------

TEST_F(MainWindowTest, ControlsStandWhereTheWindowPlacesThem)
{
    Start();
    TFQuillmereFirmWare& m = Main();
    EXPECT_EQ(m.ClientWidth(), 694);
    EXPECT_EQ(m.ClientHeight(), 440);
    EXPECT_EQ(m.Color(), TColor(0xEDF7F8));
    EXPECT_EQ(m.Font()->Name(), Q("Verdana"));
    EXPECT_EQ(m.Font()->Height(), -11);
    EXPECT_EQ(m.BorderStyle(), TFormBorderStyle::bsSingle);
    EXPECT_EQ(m.BorderIcons(), TBorderIcons{TBorderIcon::biSystemMenu});

    struct TPlace {
        const char* Name;
        TControl* Control;
        int Left, Top, Width, Height;   // -1: the control sizes itself
    };
    const TPlace places[] = {
        {"L_SW_Code", m.L_SW_Code, 16, 8, -1, -1},
        {"L_SW_Desc", m.L_SW_Desc, 16, 42, -1, -1},
        {"L_Begin", m.L_Begin, 16, 84, -1, -1},
        {"Shape2", m.Shape2, 80, 70, 348, 36},
        {"L_Name_Conf", m.L_Name_Conf, 87, 75, -1, -1},
        {"L_Name_Conf_L2", m.L_Name_Conf_L2, 87, 88, -1, -1},
        {"Btn_Info", m.Btn_Info, 516, 8, 50, 50},
        {"Btn_Opz", m.Btn_Opz, 574, 8, 50, 50},
        {"Btn_Close", m.Btn_Close, 632, 8, 50, 50},
        {"L_Step_1", m.L_Step_1, 16, 128, -1, -1},
        {"L_Step_2", m.L_Step_2, 16, 172, -1, -1},
        {"L_Step_3", m.L_Step_3, 16, 216, -1, -1},
        {"L_Step_4", m.L_Step_4, 16, 260, -1, -1},
        {"L_Step_5", m.L_Step_5, 16, 304, -1, -1},
        {"Btn_New", m.Btn_New, 80, 112, 170, 36},
        {"Btn_Open", m.Btn_Open, 258, 112, 170, 36},
        {"Btn_Prm_Gen", m.Btn_Prm_Gen, 80, 156, 170, 36},
        {"Btn_DALI_Access", m.Btn_DALI_Access, 80, 200, 170, 36},
        {"Btn_SNMP_Manager_Access", m.Btn_SNMP_Manager_Access, 80, 244, 170, 36},
        {"Btn_CreateBin", m.Btn_CreateBin, 80, 288, 170, 36},
        {"L_Zorvat", m.L_Zorvat, 565, 304, -1, -1},
        {"Shape1", m.Shape1, 10, 339, 674, 1},
        {"LL_Update", m.LL_Update, 208, 19, -1, -1},
    };
    for (const TPlace& p : places) {
        SCOPED_TRACE(p.Name);
        EXPECT_EQ(p.Control->Left(), p.Left);
        EXPECT_EQ(p.Control->Top(), p.Top);
        if (p.Width >= 0) {
            EXPECT_EQ(p.Control->Width(), p.Width);
        }
        if (p.Height >= 0) {
            EXPECT_EQ(p.Control->Height(), p.Height);
        }
        EXPECT_EQ(p.Control->Visible(), p.Control != m.LL_Update);
    }
    EXPECT_EQ(m.L_SW_Code->Font()->Height(), -32);
    EXPECT_EQ(m.L_Zorvat->Caption(), Q("www.zorvat.example"));
    EXPECT_EQ(m.L_Zorvat->Cursor(), crHandPoint);
    EXPECT_EQ(m.Shape2->Pen()->Color(), clSilver);
    EXPECT_EQ(m.Shape2->Brush()->Style(), TBrushStyle::bsClear);

    // The step buttons' look.
    using enum TZvPushButtonStyle;
    struct TLook {
        TZvPushButton* Button;
        TZvPushButtonStyle Style;
        TColor HotTrack;
        TAlignment Alignment;
    };
    const TLook looks[] = {
        {m.Btn_Info, bsNormal, clYellow, TAlignment::taCenter},
        {m.Btn_Opz, bsNormal, clYellow, TAlignment::taCenter},
        {m.Btn_Close, bsNormal, clYellow, TAlignment::taCenter},
        {m.Btn_New, bsEncarta, clSkyBlue, TAlignment::taLeftJustify},
        {m.Btn_Open, bsEncarta, clSkyBlue, TAlignment::taLeftJustify},
        {m.Btn_Prm_Gen, bsNormal, clYellow, TAlignment::taLeftJustify},
        {m.Btn_DALI_Access, bsEncarta, clYellow, TAlignment::taLeftJustify},
        {m.Btn_SNMP_Manager_Access, bsEncarta, clYellow, TAlignment::taLeftJustify},
        {m.Btn_CreateBin, bsEncarta, clSkyBlue, TAlignment::taLeftJustify},
    };
    for (const TLook& l : looks) {
        SCOPED_TRACE(l.Button->Hint().toStdString());
        EXPECT_EQ(l.Button->Style(), l.Style);
        EXPECT_EQ(l.Button->HotTrackColor(), l.HotTrack);
        EXPECT_EQ(l.Button->Alignment(), l.Alignment);
        EXPECT_EQ(l.Button->Color(), TColor(0xEDF7F8));
        EXPECT_EQ(l.Button->ColorWhenDown(), TColor(0x0080FF));
        EXPECT_FALSE(l.Button->Glyph()->Empty());
        EXPECT_FALSE(l.Button->Hint().trimmed().isEmpty());
    }
    EXPECT_TRUE(m.Btn_Info->Caption().isEmpty());

    // The non-visual members other windows use.
    EXPECT_EQ(m.HTTP1->ProtocolVersion, Q("1.0"));
    EXPECT_FALSE(m.HTTP1->AllowCookies);
    EXPECT_EQ(m.HTTP1->Accept, Q("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    EXPECT_EQ(m.HTTP1->UserAgent, Q("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_EQ(m.SaveMIB->DefaultExt(), Q("*.mib"));
    EXPECT_EQ(m.SaveMIB->Filter(), Q("Management Information Base (*.mib)|*.mib"));
    EXPECT_EQ(m.SaveEDS->DefaultExt(), Q("*.eds"));
}

// The MIB step, which no control of this window reaches, writes the module
// of the open configuration's trap table where its dialog says, starting in
// the configuration's folder.
TEST_F(MainWindowTest, MIBStepWritesTheTrapTablesModuleThroughTheSaveDialog)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    TFQuillmereFirmWare& m = Main();
    Dir.Write(Q("PROJECTS/Plant A/SNMP_Trap.xml"),
              "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Description=\"boiler\" Type=\"Int\"/></SNMP_Trap_Read>"
              "<SNMP_Trap_Write/></SNMP_Trap>");
    const String target = Dir.File(Q("PROJECTS/Plant A/plant.mib"));
    Seams.AnswerFileDialog(target);
    m.Btn_SNMP_MIB->OnClick(m.Btn_SNMP_MIB);
    ASSERT_EQ(Seams.FileDialogs.size(), 1u);
    EXPECT_EQ(m.SaveMIB->InitialDir(), Project_Path);
    EXPECT_TRUE(Seams.Boxes.empty());
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray module = f.readAll();
    EXPECT_TRUE(module.contains("boiler OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                                "DESCRIPTION \"boiler\" ::= { bufferinval 1 }\r\n"));
    EXPECT_EQ(MIB_In_Names.Count(), 1);
    EXPECT_EQ(MIB_Out_Names.Count(), 0);
}

TEST_F(MainWindowTest, HiddenStepsStayHiddenWhateverTheUserDoes)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    TFQuillmereFirmWare& m = Main();
    const std::vector<TControl*> hidden = {
        m.L_Step_6, m.L_Step_7, m.L_Step_8, m.I_Obrant, m.Btn_PROFINET_XML, m.Btn_ModM_SetAccess,
        m.Btn_DMX_Default, m.Btn_J1939_Rec_Frame, m.Btn_J1939_Send_Frame, m.Btn_KNX_Access,
        m.Btn_Set_BACnet_Access, m.Btn_SNMP_Trap, m.Btn_SNMP_MIB, m.Btn_SDO_Server_CANopen,
        m.Btn_SDO_Client_CANopen, m.Btn_PDO_CANopen, m.Btn_CANopen_EDS,
    };
    auto all_hidden = [&] {
        for (TControl* c : hidden)
            if (c->Visible()) return false;
        return true;
    };
    EXPECT_TRUE(all_hidden());
    m.Show();
    EXPECT_TRUE(all_hidden());
    m.Change_Language();
    EXPECT_TRUE(all_hidden());
    Confirm_Options(true, true);
    Seams.Clock().Advance(60000);
    EXPECT_TRUE(all_hidden());
    m.Btn_Open->Click();
    m.Btn_New->Click();
    EXPECT_TRUE(all_hidden());
    // No click reaches them.
    const std::size_t shown = Seams.ModalForms.size();
    for (TControl* c : hidden) c->Click();
    EXPECT_EQ(Seams.ModalForms.size(), shown);
    EXPECT_TRUE(Seams.FileDialogs.empty());
    // Their texts are in place all the same.
    EXPECT_EQ(m.Btn_ModM_SetAccess->Caption(), Q("Set Access"));
    EXPECT_EQ(m.Btn_ModM_SetAccess->Hint(), Q("Set the Rules for the Modbus TCP Master"));
    EXPECT_EQ(m.Btn_KNX_Access->Caption(), Q("KNX Access"));
    EXPECT_EQ(m.Btn_CANopen_EDS->Caption(), Q("EDS File"));
    EXPECT_EQ(m.Btn_Set_BACnet_Access->Caption(), Q("Set BACnet Access"));
}

// ---- Reading the communication settings' BACnet type ---------------------------------------------

TEST_F(MainWindowTest, BACnetTypeIsReadFromTheSettingsFileOrIsZero)
{
    Start();
    struct TCase {
        const char* Content;   // nullptr: no file
        int Type;
    };
    const TCase cases[] = {
        {nullptr, 0},
        {"<ParGen><BACnet_Type>3</BACnet_Type></ParGen>", 3},
        {"<Other><Other2/><BACnet_Type>$10</BACnet_Type></Other>", 16},
        {"<ParGen><Baud>9600</Baud></ParGen>", 0},
        {"<ParGen><BACnet_Type>three</BACnet_Type></ParGen>", 0},
        {"<ParGen><BACnet_Type></BACnet_Type></ParGen>", 0},
        {"<ParGen><BACnet_Type>3</BACnet_Type>", 0},   // not well-formed
        {"", 0},
    };
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Content ? c.Content : "no file");
        File_ParGen = Dir.File(Q("ParGen") + QString::number(n++) + Q(".xml"));
        if (c.Content) Dir.Write(ExtractFileName(File_ParGen), QByteArray(c.Content));
        EXPECT_EQ(Main().Get_Type_BACnet(), c.Type);
    }
    EXPECT_TRUE(Seams.Boxes.empty());
}

// ---- What a user sees ---------------------------------------------------------------------------

TEST_F(MainWindowTest, Screenshot)
{
    Make_Configuration(Q("Plant A"));
    Write_Settings(Q("Plant A"));
    Start();
    Main().Show();
    const QImage image = Main().PaintToImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 694);
    EXPECT_EQ(image.height(), 440);
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, image.rect()));
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), Q("main-window.png"))));

    // The update link as it shows when a newer version exists.
    TLocalHttpServer newer(TLocalHttpServer::Ok("VER. 1.001"));
    Seams.RedirectHttpTo(newer.Base());
    Main().Timer_UpdateTimer(Main().Timer_Update);
    // Under the pointer a step lights up in its hot-track colour.
    Simulate::Enter(Main().Btn_DALI_Access);
    const QImage lit = Main().PaintToImage();
    EXPECT_TRUE(LooksPainted(lit, 0xEDF7F8, lit.rect()));
    EXPECT_NE(lit, image) << "the link and the lit step show";
    EXPECT_TRUE(lit.save(PathJoin(ScreenshotFolder(), Q("main-window-update.png"))));
}

} // namespace
