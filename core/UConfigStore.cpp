#include "core/UConfigStore.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UOpenConf.h"
#include "platform/Files.h"
#include "platform/Xml.h"

#include <memory>

namespace {

const String Settings_File_Name = QStringLiteral("Quillmer.xml");

String Settings_File() { return PathJoin(Program_Path, Settings_File_Name); }

// The settings, read or about to be written. Each value is looked up on its
// own, so one missing or damaged entry costs only that entry.
struct TSettingValue {
    const char* Group;
    const char* Element;
};
constexpr TSettingValue Setting_Project{"lastproj", "projectname"};
constexpr TSettingValue Setting_IP_Address{"lastipadd", "ipaddress"};
constexpr TSettingValue Setting_Language{"lastlang", "language"};
constexpr const char* Options_Group = "lastinternet";
constexpr const char* Option_Internet = "enable_internet";
constexpr const char* Option_Update = "enable_update";
constexpr const char* Option_Jump = "enable_jump_field_tables";
constexpr const char* Option_Auto_Size = "Double_Click_Auto_Size";

TXMLNode Value_Node(const TXMLNode& root, const char* group, const char* element)
{
    return root.ChildNode(QString::fromLatin1(group)).ChildNode(QString::fromLatin1(element));
}

String Read_Value(const TXMLNode& root, const TSettingValue& value, const String& fallback)
{
    const TXMLNode node = Value_Node(root, value.Group, value.Element);
    return node ? node.Text() : fallback;
}

// Only exactly "1" switches an option on; "true" or " 1" do not.
bool Read_Option(const TXMLNode& root, const char* element)
{
    return Value_Node(root, Options_Group, element).Text() == u"1";
}

void Write_Value(TXMLNode& root, const char* group, const char* element, const String& text)
{
    TXMLNode groupNode = root.ChildNode(QString::fromLatin1(group));
    if (!groupNode) groupNode = root.AddChild(QString::fromLatin1(group));
    groupNode.AddChild(QString::fromLatin1(element)).SetText(text);
}

String Option_Text(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

void Set_Defaults()
{
    Project_Name.clear();
    Project_Path.clear();
    Program_State.Settings = TSettingsValues{};
}

// The document the settings pass through: the caller's when it hands one,
// else one of our own for the call.
class TSettingsDocument {
public:
    explicit TSettingsDocument(TXMLDocument* shared)
        : FOwn(shared ? nullptr : std::make_unique<TXMLDocument>()), FDoc(shared ? shared : FOwn.get())
    {
    }
    TXMLDocument& operator*() const { return *FDoc; }
    TXMLDocument* operator->() const { return FDoc; }

private:
    std::unique_ptr<TXMLDocument> FOwn;
    TXMLDocument* FDoc;
};

} // namespace

void Set_Program_Folders()
{
    // Tests point the program folder at a folder of their own beforehand.
    if (Program_Path.isEmpty()) Program_Path = ProgramFolder();
    Master_Path = PathJoin(Program_Path, QStringLiteral("MASTER"));
    Projects_Path = PathJoin(Program_Path, QStringLiteral("PROJECTS"));
    Language_Path = PathJoin(Program_Path, QStringLiteral("LANGUAGE"));
    // A folder that cannot be made is not reported: whatever looks in it
    // later simply finds nothing.
    for (const String& folder : {Master_Path, Projects_Path, Language_Path})
        if (!DirectoryExists(folder)) CreateDir(folder);
    // English has a file and a flag of its own, so the language list always
    // offers the way back to it; a program folder that cannot take them
    // keeps the built-in texts all the same.
    if (DirectoryExists(Language_Path)) Ship_English_Language(Language_Path, false);
}

void Read_Setting(TXMLDocument* shared)
{
    Set_Defaults();
    if (!FileExists(Settings_File())) return;

    TSettingsDocument doc(shared);
    try {
        doc->LoadFromFile(Settings_File());
    } catch (const Exception&) {
        // A damaged settings file counts as none: start-up must go on, and
        // the next save writes a sound one.
        doc->Clear();
        return;
    }
    const TXMLNode root = doc->DocumentElement();
    Open_Configuration(Read_Value(root, Setting_Project, String()));
    Last_IP_Address = Read_Value(root, Setting_IP_Address, Default_IP_Address);
    Language_Name = Read_Value(root, Setting_Language, Default_Language_Name);
    Enable_Internet = Read_Option(root, Option_Internet);
    Enable_Update = Read_Option(root, Option_Update);
    Enable_Jump_Field_Tables = Read_Option(root, Option_Jump);
    Double_Click_Auto_Size = Read_Option(root, Option_Auto_Size);
}

void Save_Setting(TXMLDocument* shared)
{
    TSettingsDocument doc(shared);
    doc->SetActive(true);
    doc->Clear();
    TXMLNode root = doc->CreateRoot(QStringLiteral("Conf_Settings"));
    Write_Value(root, Setting_Project.Group, Setting_Project.Element, Project_Name);
    Write_Value(root, Setting_IP_Address.Group, Setting_IP_Address.Element, Last_IP_Address);
    Write_Value(root, Setting_Language.Group, Setting_Language.Element, Language_Name);
    Write_Value(root, Options_Group, Option_Internet, Option_Text(Enable_Internet));
    Write_Value(root, Options_Group, Option_Update, Option_Text(Enable_Update));
    Write_Value(root, Options_Group, Option_Jump, Option_Text(Enable_Jump_Field_Tables));
    Write_Value(root, Options_Group, Option_Auto_Size, Option_Text(Double_Click_Auto_Size));
    // Written beside and renamed over; a failure raises with the path and
    // reason, and the old file stays whole.
    doc->SaveToFile(Settings_File());
}

void Open_Configuration(const String& name)
{
    const String folder = Find_Configuration(name);
    if (folder.isEmpty()) {
        Project_Name.clear();
        Project_Path.clear();
        return;
    }
    Project_Name = folder;
    Project_Path = PathJoin(Projects_Path, folder);
}

void Set_Files()
{
    // With no configuration open there is no file to name: an empty path
    // cannot be mistaken for a file at the root of the disk.
    for (const TEditorFile& file : Editor_Files)
        Program_State.*file.Path =
            Project_Path.isEmpty() ? String() : PathJoin(Project_Path, QString::fromLatin1(file.Name));
}

bool Open_Configuration_Exists()
{
    return !Project_Path.isEmpty() && DirectoryExists(Project_Path);
}
