#include "tests/app/ConfigStoreFixture.h"

#include "core/ZvPushButton.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tests/common/TestSeams.h"

#include <QFile>

namespace {

String Q(const char* utf8) { return QString::fromUtf8(utf8); }

String Settings_Path(const TempFolder& dir) { return dir.File(QStringLiteral("Quillmer.xml")); }

// Everything the settings file decides, for comparing in one go.
struct TSettings {
    String Project;
    String Path;
    String IP;
    String Language;
    bool Internet, Update, Jump, AutoSize;
    bool operator==(const TSettings&) const = default;
};
void PrintTo(const TSettings& s, std::ostream* os)
{
    *os << "{" << s.Project.toStdString() << " @" << s.Path.toStdString() << ", " << s.IP.toStdString() << ", "
        << s.Language.toStdString() << ", " << s.Internet << s.Update << s.Jump << s.AutoSize << "}";
}
TSettings Current_Settings()
{
    return {Project_Name,    Project_Path,  Last_IP_Address,          Language_Name,
            Enable_Internet, Enable_Update, Enable_Jump_Field_Tables, Double_Click_Auto_Size};
}

const char* const Full_Settings = R"(<Conf_Settings>
  <lastproj>
    <projectname>Plant A</projectname>
  </lastproj>
  <lastipadd>
    <ipaddress>10.0.0.7</ipaddress>
  </lastipadd>
  <lastlang>
    <language>Italiano</language>
  </lastlang>
  <lastinternet>
    <enable_internet>1</enable_internet>
    <enable_update>0</enable_update>
    <enable_jump_field_tables>1</enable_jump_field_tables>
    <Double_Click_Auto_Size>0</Double_Click_Auto_Size>
  </lastinternet>
</Conf_Settings>
)";

std::vector<String*> File_Paths()
{
    return {&File_ParGen,          &File_DALI_Access,        &File_DALI2_Access,       &File_ModbusTCPM_SetAccess,
            &File_DMX_Default_Values, &File_BACnet_Master_Access, &File_ModbusM_SetAccess, &File_SNMP_Trap,
            &File_CAN_Rec_Frames,  &File_CAN_Send_Frames,    &File_SDO_Server_CANopen, &File_SDO_Client_CANopen,
            &File_PDO_CANopen,     &File_KNX_SetAccess,      &File_SNMP_Manager};
}

using ConfigStore = ConfigStoreFixture;

// ---- Start-up -------------------------------------------------------------------

TEST_F(ConfigStore, FirstStartWithoutSettingsFile)
{
    EXPECT_TRUE(DirectoryExists(Dir.File(QStringLiteral("MASTER"))));
    EXPECT_TRUE(DirectoryExists(Dir.File(QStringLiteral("PROJECTS"))));
    EXPECT_TRUE(DirectoryExists(Dir.File(QStringLiteral("LANGUAGE"))));
    EXPECT_EQ(Projects_Path, Projects());
    EXPECT_EQ(Master_Path, Dir.File(QStringLiteral("MASTER")));
    EXPECT_EQ(Language_Path, Dir.File(QStringLiteral("LANGUAGE")));

    Enable_Update = true;   // whatever was there before, a missing file means defaults
    Project_Name = Q("stale");
    Read_Setting(Main->XML1);
    Main->Show_Open_Configuration();
    Set_Files();
    EXPECT_EQ(Current_Settings(),
              (TSettings{{}, {}, Q("192.168.2.205"), Q("English"), false, false, false, false}));
    EXPECT_EQ(Label_Top(), Lang_Text(9));
    EXPECT_EQ(Label_Bottom(), Lang_Text(10));
    // No configuration open: no editor file has a name.
    for (String* path : File_Paths()) EXPECT_TRUE(path->isEmpty()) << path->toStdString();
    EXPECT_FALSE(FileExists(Settings_Path(Dir)));   // reading writes nothing
}

TEST_F(ConfigStore, ProgramFoldersKeepWhatIsThereAndFailSilently)
{
    Dir.Write(QStringLiteral("PROJECTS/Kept/ParGen.xml"), "<x/>");
    Set_Program_Folders();
    EXPECT_EQ(Program_Path, Dir.Path());
    EXPECT_TRUE(FileExists(Configuration(Q("Kept/ParGen.xml"))));

    // A program folder that cannot hold folders: nothing is made, nothing raised.
    Dir.Write(QStringLiteral("plainfile"), "x");
    Program_Path = Dir.File(QStringLiteral("plainfile"));
    EXPECT_NO_THROW(Set_Program_Folders());
    EXPECT_FALSE(DirectoryExists(Projects_Path));
    EXPECT_NO_THROW(Read_Setting(Main->XML1));
    EXPECT_TRUE(Project_Path.isEmpty());
}

// ---- Reading the settings file --------------------------------------------------

struct TReadCase {
    const char* Name;
    QByteArray File;
    TSettings Expected;
};
void PrintTo(const TReadCase& c, std::ostream* os) { *os << c.Name; }

class SettingsRead : public ConfigStoreFixture, public ::testing::WithParamInterface<TReadCase> {};

TEST_P(SettingsRead, EachValueOnItsOwn)
{
    Make_Configuration(Q("Plant A"));
    Make_Configuration(Q("alpha"));
    Dir.Write(QStringLiteral("outside/x"), "");   // a folder beside PROJECTS, reachable only by "../"
    Dir.Write(QStringLiteral("Quillmer.xml"), GetParam().File);
    Read_Setting(Main->XML1);
    TSettings expected = GetParam().Expected;
    if (!expected.Project.isEmpty()) expected.Path = Configuration(expected.Project);
    EXPECT_EQ(Current_Settings(), expected);
}

QByteArray Settings_With(const char* project, const char* internet = "1")
{
    return QByteArray("<Conf_Settings><lastproj><projectname>") + project +
           "</projectname></lastproj><lastinternet><enable_internet>" + internet +
           "</enable_internet></lastinternet></Conf_Settings>";
}

const String IP = Q("192.168.2.205");
const String En = Q("English");

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRead,
    ::testing::Values(
        TReadCase{"full", Full_Settings, {Q("Plant A"), {}, Q("10.0.0.7"), Q("Italiano"), true, false, true, false}},
        TReadCase{"only_language",
                  "<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
                  {{}, {}, IP, Q("Deutsch"), false, false, false, false}},
        TReadCase{"deleted_configuration", Settings_With("Gone"), {{}, {}, IP, En, true, false, false, false}},
        // The folder's own spelling wins over the one in the file.
        TReadCase{"other_case", Settings_With("ALPHA"), {Q("alpha"), {}, IP, En, true, false, false, false}},
        TReadCase{"not_a_folder_name", Settings_With("../outside"), {{}, {}, IP, En, true, false, false, false}},
        TReadCase{"absolute_path", Settings_With("/tmp"), {{}, {}, IP, En, true, false, false, false}},
        TReadCase{"backslash_path", Settings_With("..\\outside"), {{}, {}, IP, En, true, false, false, false}},
        TReadCase{"dot_dot", Settings_With(".."), {{}, {}, IP, En, true, false, false, false}},
        TReadCase{"word_true", Settings_With("", "true"), {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"blank_before_1", Settings_With("", " 1"), {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"blank_after_1", Settings_With("", "1 "), {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"zero_one", Settings_With("", "01"), {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"empty_option", Settings_With("", ""), {{}, {}, IP, En, false, false, false, false}},
        // Values are kept as written, blanks included; an empty element is an empty value.
        TReadCase{"untrimmed",
                  "<Conf_Settings><lastipadd><ipaddress> 10.1.1.1 </ipaddress></lastipadd>"
                  "<lastlang><language></language></lastlang></Conf_Settings>",
                  {{}, {}, Q(" 10.1.1.1 "), {}, false, false, false, false}},
        // The root is whatever the first element is.
        TReadCase{"other_root", "<!-- c --><Settings><lastlang><language>Nederlands</language></lastlang></Settings>",
                  {{}, {}, IP, Q("Nederlands"), false, false, false, false}},
        // A value element under the wrong group does not count.
        TReadCase{"wrong_group", "<Conf_Settings><lastlang><ipaddress>1.2.3.4</ipaddress></lastlang></Conf_Settings>",
                  {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"options_only_second",
                  "<C><lastinternet><enable_update>1</enable_update><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
                  "</lastinternet></C>",
                  {{}, {}, IP, En, false, true, false, true}},
        // Broken files count as missing: every value takes its default.
        TReadCase{"not_well_formed", "<Conf_Settings><lastlang><language>Deutsch</language></lastlang>",
                  {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"empty_file", "", {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"binary", QByteArray("\x00\xff\xfe\x01<<>>", 9), {{}, {}, IP, En, false, false, false, false}},
        TReadCase{"no_element", "just text", {{}, {}, IP, En, false, false, false, false}}),
    [](const ::testing::TestParamInfo<TReadCase>& info) { return std::string(info.param.Name); });

// Prefixes of a good file, and the file with one byte damaged here and there:
// start-up goes on, and nothing but an existing configuration opens.
TEST_F(ConfigStore, DamagedSettingsFilesNeverStopStartUp)
{
    const QByteArray good(Full_Settings);
    std::vector<QByteArray> samples;
    for (int n = 0; n < good.size(); n += 7) samples.push_back(good.left(n));
    for (int i = 0; i < good.size(); i += 5) {
        QByteArray damaged = good;
        damaged[i] = char(damaged[i] ^ 0x5A);
        samples.push_back(damaged);
    }
    Make_Configuration(Q("Plant A"));
    for (const QByteArray& bytes : samples) {
        Dir.Write(QStringLiteral("Quillmer.xml"), bytes);
        ASSERT_NO_THROW(Read_Setting(Main->XML1)) << bytes.toStdString();
        // Whatever name a damaged file holds, only an existing configuration opens.
        EXPECT_TRUE(Project_Path.isEmpty() || Project_Path == Configuration(Q("Plant A"))) << bytes.toStdString();
        EXPECT_EQ(Project_Name.isEmpty(), Project_Path.isEmpty());
    }
}

// ---- Writing the settings file ----------------------------------------------------

TEST_F(ConfigStore, SaveWritesTheFileAndReadsItBack)
{
    Make_Configuration(Q("Plant A"));
    Project_Name = Q("Plant A");
    Project_Path = Configuration(Q("Plant A"));
    Last_IP_Address = Q("10.0.0.7");
    Language_Name = Q("Italiano");
    Enable_Internet = true;
    Enable_Jump_Field_Tables = true;
    Dir.Write(QStringLiteral("Quillmer.xml"), "old content that is replaced");
    Save_Setting(Main->XML1);
    EXPECT_EQ(Dir.Read(QStringLiteral("Quillmer.xml")), QByteArray(Full_Settings));

    const TSettings saved = Current_Settings();
    Reset_Program_State();
    Program_Path = Dir.Path();
    Set_Program_Folders();
    Read_Setting(Main->XML1);
    EXPECT_EQ(Current_Settings(), saved);
}

TEST_F(ConfigStore, SaveKeepsValuesAsTheyAreWithOrWithoutTheSharedDocument)
{
    Last_IP_Address = Q(" 10.0.0.1 ");
    Language_Name = Q("Fran\xC3\xA7" "ais & <Co>");
    Enable_Update = Double_Click_Auto_Size = true;
    for (bool shared : {true, false}) {
        TXMLDocument* xml = Main->XML1;
        if (!shared) Main->XML1 = nullptr;   // still owned by the window
        Save_Setting(Main->XML1);
        Main->XML1 = xml;
        const TSettings saved = Current_Settings();
        Read_Setting(Main->XML1);
        EXPECT_EQ(Current_Settings(), saved) << shared;
    }
    // No configuration open: the name is written empty.
    const QByteArray text = Dir.Read(QStringLiteral("Quillmer.xml"));
    EXPECT_TRUE(text.startsWith("<Conf_Settings>\n  <lastproj>\n    <projectname"));
    EXPECT_FALSE(text.contains("<?xml"));
}

TEST_F(ConfigStore, DeletedConfigurationIsSavedAsNone)
{
    Dir.Write(QStringLiteral("Quillmer.xml"), Settings_With("Gone"));
    Read_Setting(Main->XML1);
    Save_Setting(Main->XML1);
    TXMLDocument doc;
    doc.LoadFromFile(Settings_Path(Dir));
    const TXMLNode name = doc.DocumentElement().ChildNode(Q("lastproj")).ChildNode(Q("projectname"));
    ASSERT_FALSE(name.IsNull());
    EXPECT_EQ(name.Text(), String());
}

TEST_F(ConfigStore, FailedSaveRaisesAndKeepsTheOldFile)
{
    Dir.Write(QStringLiteral("Quillmer.xml"), Full_Settings);
    QFile::setPermissions(Settings_Path(Dir), QFileDevice::ReadOwner);
    Language_Name = Q("Deutsch");
    EXPECT_THROW(Save_Setting(Main->XML1), Exception);
    QFile::setPermissions(Settings_Path(Dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Dir.Read(QStringLiteral("Quillmer.xml")), QByteArray(Full_Settings));
}

// ---- Editor files -------------------------------------------------------------------

TEST_F(ConfigStore, SetFilesNamesEveryEditorFileInTheOpenConfiguration)
{
    const char* names[] = {"ParGen.xml",         "DALI_Access.xml",         "DALI2_Access.xml",
                           "ModbusTCPM_SetAccess.xml", "DMX_Default_Values.xml", "BACnet_Master_Access.xml",
                           "ModbusM_SetAccess.xml", "SNMP_Trap.xml",       "CAN_Rec_Frames.xml",
                           "CAN_Send_Frames.xml", "SDO_Server_CANopen.xml", "SDO_Client_CANopen.xml",
                           "PDO_CANopen.xml",    "KNX_SetAccess.xml",       "SNMP_Manager.xml"};
    Project_Path = Configuration(Q("Plant A"));
    Set_Files();
    const std::vector<String*> paths = File_Paths();
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(*paths[i], Configuration(Q("Plant A/") + Q(names[i])));

    Project_Path.clear();
    Set_Files();
    for (String* path : paths) EXPECT_TRUE(path->isEmpty());
}

// ---- Opening and creating -------------------------------------------------------------

// Picks the list entry of that name in the Open dialog as a user would, then OK.
void Choose_In_Open_Dialog(TTestSeams& seams, const String& name)
{
    seams.AnswerModal(
        [name](TCustomForm& form) {
            auto& dialog = static_cast<TFOpenConf&>(form);
            const int index = dialog.ListBox1->Items()->IndexOf(name);
            ASSERT_GE(index, 0) << name.toStdString();
            dialog.ListBox1->UserSelect(index);
        },
        mrOk);
}

TEST_F(ConfigStore, OpenProjectOpensTheChosenConfiguration)
{
    Make_Configuration(Q("Beta"));
    Make_Configuration(Q("Plant A"));
    Choose_In_Open_Dialog(Seams, Q("Plant A"));
    Main->Open_Project();
    EXPECT_EQ(Project_Name, Q("Plant A"));
    EXPECT_EQ(Project_Path, Configuration(Q("Plant A")));
    EXPECT_EQ(File_ParGen, Configuration(Q("Plant A/ParGen.xml")));
    EXPECT_EQ(Label_Top(), Lang_Text(11));
    EXPECT_EQ(Label_Bottom(), Q("Plant A"));

    // Cancel changes nothing.
    Seams.AnswerModal(mrCancel);
    Main->Open_Project();
    EXPECT_EQ(Project_Path, Configuration(Q("Plant A")));
    EXPECT_EQ(Label_Bottom(), Q("Plant A"));
    ASSERT_EQ(Seams.ModalForms.size(), 2u);
    EXPECT_EQ(Seams.ModalForms[1].Caption, Lang_Text(200));
}

TEST_F(ConfigStore, OpenWithNothingToOpenLeavesNoConfigurationOpen)
{
    // An empty list and no earlier choice.
    Seams.AnswerModal(mrOk);
    Main->Open_Project();
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_EQ(Label_Top(), Lang_Text(9));
    EXPECT_EQ(Label_Bottom(), Lang_Text(10));
    EXPECT_TRUE(File_ParGen.isEmpty());

    // A configuration open, then its folder removed while the dialog is shown.
    Make_Configuration(Q("Plant A"));
    Choose_In_Open_Dialog(Seams, Q("Plant A"));
    Main->Open_Project();
    ASSERT_EQ(Project_Name, Q("Plant A"));
    Seams.AnswerModal([&](TCustomForm&) { QDir(Configuration(Q("Plant A"))).removeRecursively(); }, mrOk);
    Main->Open_Project();
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_EQ(Label_Top(), Lang_Text(9));
    EXPECT_TRUE(File_SNMP_Manager.isEmpty());
    EXPECT_TRUE(Projects_Entries().empty());   // nothing made again behind the user's back
}

TEST_F(ConfigStore, CreateNewProjectShowsTheNewConfiguration)
{
    Seams.AnswerModal(
        [](TCustomForm& form) {
            auto& dialog = static_cast<TFNew_Project&>(form);
            dialog.E_New_Proj->SetText(QStringLiteral("Plant A"));
            dialog.Btn_OK->Click();
        },
        mrCancel);
    Main->Create_New_Project();
    EXPECT_TRUE(DirectoryExists(Configuration(Q("Plant A"))));
    EXPECT_TRUE(DirectoryExists(Configuration(Q("Plant A/bin"))));
    EXPECT_EQ(File_ParGen, Configuration(Q("Plant A/ParGen.xml")));
    EXPECT_EQ(Label_Top(), Lang_Text(11));
    EXPECT_EQ(Label_Bottom(), Q("Plant A"));

    // What the window writes on close holds the new name.
    Save_Setting(Main->XML1);
    TXMLDocument doc;
    doc.LoadFromFile(Settings_Path(Dir));
    EXPECT_EQ(doc.DocumentElement().ChildNode(Q("lastproj")).ChildNode(Q("projectname")).Text(), Q("Plant A"));

    // Cancel leaves the open configuration as it is.
    Seams.AnswerModal(mrCancel);
    Main->Create_New_Project();
    EXPECT_EQ(Project_Name, Q("Plant A"));
    EXPECT_EQ(Label_Bottom(), Q("Plant A"));
}

TEST_F(ConfigStore, LabelsFollowTheLanguage)
{
    Lang_Strings.SetStrings(9, Q("Nessuna configurazione"));
    Lang_Strings.SetStrings(11, Q("Configurazione aperta: "));
    Main->Show_Open_Configuration();
    EXPECT_EQ(Label_Top(), Q("Nessuna configurazione"));
    Make_Configuration(Q("X"));
    Project_Name = Q("X");
    Project_Path = Configuration(Q("X"));
    Main->Show_Open_Configuration();
    EXPECT_EQ(Label_Top(), Q("Configurazione aperta: "));
    EXPECT_EQ(Label_Bottom(), Q("X"));
}

} // namespace
