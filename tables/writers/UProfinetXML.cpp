#include "tables/writers/UProfinetXML.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/dali/UDALI_AccessFiles.h"

#include <initializer_list>
#include <utility>

namespace {

const char* const GSDML_Namespace = "http://www.profibus.com/GSDML/2003/11/DeviceProfile";
const char* const XSI_Namespace = "http://www.w3.org/2001/XMLSchema-instance";
// The maker's PROFINET identity as the engineering tool lists it.
const char* const Vendor_ID = "0x0227";
const char* const Device_ID = "0x4022";
const char* const Vendor_Name = "Zorvat";

using TAttrs = std::initializer_list<std::pair<const char*, String>>;

String L(const char* text)
{
    return QString::fromLatin1(text);
}

String Start(const char* name, TAttrs attrs)
{
    String tag = QLatin1Char('<') + L(name);
    for (const auto& [attr, value] : attrs) tag += QLatin1Char(' ') + L(attr) + QStringLiteral("=\"") + GSDML_Escape(value) + QLatin1Char('"');
    return tag;
}

class TDocument {
public:
    QStringList Lines;

    void Open(int depth, const char* name, TAttrs attrs = {}) { Line(depth, Start(name, attrs) + QLatin1Char('>')); }
    void Close(int depth, const char* name) { Line(depth, QStringLiteral("</") + L(name) + QLatin1Char('>')); }
    void Empty(int depth, const char* name, TAttrs attrs) { Line(depth, Empty_Tag(name, attrs)); }
    void Leaf(int depth, const char* name, const char* text)
    {
        Line(depth, Start(name, {}) + QLatin1Char('>') + GSDML_Escape(L(text)) + QStringLiteral("</") + L(name) + QLatin1Char('>'));
    }
    void Comment(int depth, const char* text) { Line(depth, QStringLiteral("<!--") + L(text) + QStringLiteral("-->")); }
    // A start tag, one empty element and the end tag on one line.
    void Wrapped(int depth, const char* name, const char* inner, TAttrs attrs)
    {
        Line(depth, QLatin1Char('<') + L(name) + QLatin1Char('>') + Empty_Tag(inner, attrs) + QStringLiteral("</") + L(name) + QLatin1Char('>'));
    }
    void Line(int depth, const String& text) { Lines << String(depth, QLatin1Char('\t')) + text; }

private:
    static String Empty_Tag(const char* name, TAttrs attrs) { return Start(name, attrs) + QStringLiteral("/>"); }
};

struct TText {
    const char* Id;
    const char* Value;
};

const TText External_Texts[] = {
    {"IDT_INFO_Device", "Zorvat Gateways"},
    {"IDT_NAME_DAP1", "ZUDUVarur"},
    {"IDT_INFO_DAP1", "DALI Adapter"},
    {"IDT_SUBSLOT_1", "Subslot 1"},
    {"IDT_SUBSLOT_Interface", "Interface"},
    {"IDT_SUBSLOT_Port1", "Port 1"},
    {"IDT_SUBSLOT_Port2", "Port 2"},
    {"IDT_RECORD_NAME_Head", "Parameters of head module"},
    {"IDT_REF_Power", "Percent power"},
    {"IDT_NAME_VS1", "Submodule V1"},
    {"IDT_INFO_VS1", "Description of submodule V1"},
    {"IDT_NAME_IS", "I"},
    {"IDT_NAME_PS1", "P1"},
    {"IDT_NAME_PS2", "P2"},
    {"IDT_NAME_M1", "Module"},
    {"IDT_INFO_M1", "device ZUDUVarur"},
    {"IDT_NAME_FAP", "FAP for ZUDUVarur"},
    {"IDT_INFO_FAP", "Description of FAP for ZUDUVarur"},
    {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
    {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
    {"IDT_NAME_M_PB1", "ZUDUVarur "},
    {"IDT_INFO_M_PB1", "Description of ZUDUVarur"},
    {"IDT_NAME_S_PB1", "Module of a ZUDUVarur"},
    {"IDT_INFO_S_PB1", "Description of module of a ZUDUVarur"},
    {"IDT_PB_Input", "Digital input ZUDUVarur"},
    {"IDT_PB_InputBit0", "Digital input bit ZUDUVarur"},
    {"IDT_NAME_S1", "Submodule 1"},
    {"IDT_INFO_S1", "Description of submodule 1"},
    {"IDT_Input_1", "Input byte"},
    {"IDT_Output_1", "Output word"},
    {"IDT_CATEGORY_DI", "Digital Input"},
    {"IDT_INFO_DI", "Description of digital input"},
    {"IDT_CATEGORY_DO", "Digital output"},
    {"IDT_INFO_DO", "Description of digital output"},
    {"IDT_NAME_M1_IDT_REF_channel", "Canale x"},
    {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
    {"IDT_NAME_M1_Base_Parameters", "Base Parameters"},
    {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
    {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
    {"IDT_ASSIGN_do_continue_counting", "Continue operation"},
};
// The last three texts are written with their value first.
constexpr int Value_First_From = 37;

void Header(TDocument& d)
{
    d.Open(1, "ProfileHeader");
    d.Leaf(2, "ProfileIdentification", "PROFINET Device Profile");
    d.Leaf(2, "ProfileRevision", "1.00");
    d.Leaf(2, "ProfileName", "Device Profile for PROFINET Devices");
    d.Leaf(2, "ProfileSource", "PROFIBUS Nutzerorganisation e. V. (PNO)");
    d.Leaf(2, "ProfileClassID", "Device");
    d.Open(2, "ISO15745Reference");
    d.Leaf(3, "ISO15745Part", "4");
    d.Leaf(3, "ISO15745Edition", "1");
    d.Leaf(3, "ProfileTechnology", "GSDML");
    d.Close(2, "ISO15745Reference");
    d.Close(1, "ProfileHeader");
}

void Name_Info(TDocument& d, int depth, const char* name, const char* info)
{
    d.Open(depth, "ModuleInfo");
    d.Empty(depth + 1, "Name", {{"TextId", L(name)}});
    d.Empty(depth + 1, "InfoText", {{"TextId", L(info)}});
}

void Access_Point(TDocument& d, const TGSDMLParams& p)
{
    d.Open(3, "DeviceAccessPointList");
    d.Open(4, "DeviceAccessPointItem",
           {{"PNIO_Version", L("V2.3")},
            {"RequiredSchemaVersion", L("V2.25")},
            {"ID", L("IDD_1")},
            {"PhysicalSlots", L("0..4")},
            {"ModuleIdentNumber", L("0x00000001")},
            {"MinDeviceInterval", L("64")},
            {"ImplementationType", p.Station_Name},
            {"DNS_CompatibleName", p.Station_Name},
            {"FixedInSlots", L("0")},
            {"ObjectUUID_LocalIndex", L("1")},
            {"MultipleWriteSupported", L("true")},
            {"MaxSupportedRecordSize", L("8192")},
            {"ParameterizationSpeedupSupported", L("true")},
            {"PowerOnToCommReady", L("350")},
            {"DeviceAccessSupported", L("true")},
            {"SharedDeviceSupported", L("true")},
            {"CheckDeviceID_Allowed", L("false")},
            {"NameOfStationNotTransferable", L("true")}});
    Name_Info(d, 5, "IDT_NAME_DAP1", "IDT_INFO_DAP1");
    d.Empty(6, "VendorName", {{"Value", L(Vendor_Name)}});
    d.Empty(6, "OrderNumber", {{"Value", L("KH40227-A1")}});
    d.Close(5, "ModuleInfo");
    d.Open(5, "SubslotList");
    for (const auto& [number, text] : {std::pair{"0", "IDT_SUBSLOT_1"}, {"32768", "IDT_SUBSLOT_Interface"},
                                       {"32769", "IDT_SUBSLOT_Port1"}, {"32770", "IDT_SUBSLOT_Port2"}})
        d.Empty(6, "SubslotItem", {{"SubslotNumber", L(number)}, {"TextId", L(text)}});
    d.Close(5, "SubslotList");
    d.Empty(5, "IOConfigData", {{"MaxInputLength", L("1440")}, {"MaxOutputLength", L("1440")}, {"MaxDataLength", L("2880")}});
    d.Open(5, "UseableModules");
    d.Empty(6, "ModuleItemRef", {{"ModuleItemTarget", L("IDM_1")}, {"FixedInSlots", L("1")}});
    d.Close(5, "UseableModules");
    d.Open(5, "VirtualSubmoduleList");
    d.Open(6, "VirtualSubmoduleItem", {{"ID", L("IDS_V1")}, {"SubmoduleIdentNumber", L("0x00000000")}});
    d.Empty(7, "IOData", {{"IOPS_Length", L("1")}, {"IOCS_Length", L("1")}});
    Name_Info(d, 7, "IDT_NAME_VS1", "IDT_INFO_VS1");
    d.Close(7, "ModuleInfo");
    d.Close(6, "VirtualSubmoduleItem");
    d.Close(5, "VirtualSubmoduleList");
    d.Open(5, "SystemDefinedSubmoduleList");
    d.Open(6, "InterfaceSubmoduleItem",
           {{"ID", L("IDS_I")},
            {"SubmoduleIdentNumber", L("0x00000001")},
            {"SubslotNumber", L("32768")},
            {"TextId", L("IDT_NAME_IS")},
            {"SupportedRT_Classes", L("RT_CLASS_1")},
            {"SupportedProtocols", L("SNMP;LLDP")},
            {"SupportedMibs", L("MIB2")}});
    d.Open(7, "ApplicationRelations");
    d.Empty(8, "TimingProperties", {{"SendClock", L("32")}, {"ReductionRatio", L("1 2 4 8 16 32 64 128 256 512")}});
    d.Close(7, "ApplicationRelations");
    d.Close(6, "InterfaceSubmoduleItem");
    for (int port : {1, 2})
        d.Empty(6, "PortSubmoduleItem",
                {{"ID", L("IDS_P") + String::number(port)},
                 {"SubmoduleIdentNumber", L("0x00000002")},
                 {"SubslotNumber", String::number(32768 + port)},
                 {"TextId", L("IDT_NAME_PS") + String::number(port)},
                 {"MaxPortRxDelay", L("350")},
                 {"MaxPortTxDelay", L("160")}});
    d.Close(5, "SystemDefinedSubmoduleList");
    d.Comment(5, " This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). ");
    d.Comment(5, " FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/");
    d.Close(4, "DeviceAccessPointItem");
    d.Close(3, "DeviceAccessPointList");
}

void Module(TDocument& d, const TGSDMLParams& p)
{
    d.Open(3, "ModuleList");
    d.Comment(4, " The \"normal\" module carrying the FAP. ");
    d.Open(4, "ModuleItem", {{"ID", L("IDM_1")}, {"ModuleIdentNumber", L("0x00000001")}});
    Name_Info(d, 5, "IDT_NAME_M1", "IDT_INFO_M1");
    d.Empty(6, "OrderNumber", {{"Value", L("12345-0040-M")}});
    d.Close(5, "ModuleInfo");
    d.Open(5, "VirtualSubmoduleList");
    d.Open(6, "VirtualSubmoduleItem", {{"ID", L("IDM_1")}, {"SubmoduleIdentNumber", L("0x00000001")}});
    d.Open(7, "IOData", {{"IOPS_Length", L("1")}, {"IOCS_Length", L("1")}});
    d.Wrapped(8, "Input", "DataItem",
              {{"DataType", L("OctetString")}, {"Length", String::number(p.Input_Length)}, {"TextId", L("IDT_Input_1")}});
    d.Wrapped(8, "Output", "DataItem",
              {{"DataType", L("OctetString")}, {"Length", String::number(p.Output_Length)}, {"TextId", L("IDT_Output_1")}});
    d.Close(7, "IOData");
    d.Open(7, "RecordDataList");
    d.Open(8, "ParameterRecordDataItem", {{"Index", L("128")}, {"Length", L("2")}});
    d.Empty(9, "Name", {{"TextId", L("IDT_NAME_M1_IDT_REF_channel")}});
    d.Empty(9, "Const", {{"ByteOffset", L("0")}, {"Data", L("0x00,0x00")}});
    d.Empty(9, "Ref",
            {{"TextId", L("IDT_REF_reaction_to_cpu_stop")},
             {"Visible", L("true")},
             {"DataType", L("BitArea")},
             {"ByteOffset", L("0")},
             {"BitOffset", L("0")},
             {"BitLength", L("2")},
             {"DefaultValue", L("2")},
             {"AllowedValues", L("0..2")},
             {"ValueItemTarget", L("IDV_reaction_to_cpu_stop")},
             {"ID", L("IDT_REF_reaction_to_cpu_stop")}});
    d.Open(9, "MenuList");
    d.Open(10, "MenuItem", {{"ID", L("IDT_NAME_M1_IDT_REF_channel")}});
    d.Empty(11, "Name", {{"TextId", L("IDT_NAME_M1_IDT_REF_channel")}});
    d.Empty(11, "MenuRef", {{"MenuTarget", L("IDT_NAME_M1_Base_Parameters")}});
    d.Close(10, "MenuItem");
    d.Open(10, "MenuItem", {{"ID", L("IDT_NAME_M1_Base_Parameters")}});
    d.Empty(11, "Name", {{"TextId", L("IDT_NAME_M1_Base_Parameters")}});
    d.Empty(11, "ParameterRef", {{"ParameterTarget", L("IDT_REF_reaction_to_cpu_stop")}});
    d.Close(10, "MenuItem");
    d.Close(9, "MenuList");
    d.Close(8, "ParameterRecordDataItem");
    d.Close(7, "RecordDataList");
    Name_Info(d, 7, "IDT_NAME_M1", "IDT_INFO_M1");
    d.Close(7, "ModuleInfo");
    d.Close(6, "VirtualSubmoduleItem");
    d.Close(5, "VirtualSubmoduleList");
    d.Close(4, "ModuleItem");
    d.Close(3, "ModuleList");
}

void Lists(TDocument& d)
{
    d.Open(3, "ValueList");
    d.Open(4, "ValueItem", {{"ID", L("IDV_reaction_to_cpu_stop")}});
    d.Open(5, "Assignments");
    for (const auto& [text, content] : {std::pair{"IDT_ASSIGN_do_set_substitude_values", "0"},
                                        {"IDT_ASSIGN_do_values_will_hold", "1"},
                                        {"IDT_ASSIGN_do_continue_counting", "2"}})
        d.Empty(6, "Assign", {{"TextId", L(text)}, {"Content", L(content)}});
    d.Close(5, "Assignments");
    d.Close(4, "ValueItem");
    d.Close(3, "ValueList");
    d.Open(3, "CategoryList");
    for (const char* kind : {"DI", "DO"}) {
        d.Open(4, "CategoryItem", {{"ID", L("IDC_") + L(kind)}, {"TextId", L("IDT_CATEGORY_") + L(kind)}});
        d.Empty(5, "InfoText", {{"TextId", L("IDT_INFO_") + L(kind)}});
        d.Close(4, "CategoryItem");
    }
    d.Close(3, "CategoryList");
    d.Open(3, "ExternalTextList");
    d.Open(4, "PrimaryLanguage");
    int i = 0;
    for (const TText& t : External_Texts) {
        if (i++ < Value_First_From)
            d.Empty(5, "Text", {{"TextId", L(t.Id)}, {"Value", L(t.Value)}});
        else
            d.Empty(5, "Text", {{"Value", L(t.Value)}, {"TextId", L(t.Id)}});
    }
    d.Close(4, "PrimaryLanguage");
    d.Close(3, "ExternalTextList");
}

// The root, parsed whole; a missing or unreadable file stops the writer.
TXMLNode Load(TXMLDocument& doc, const String& file)
{
    if (!FileExists(file)) throw Exception(Format(Lang_Text(Text_GSDML_Missing_File), {file}));
    try {
        doc.LoadFromFile(file);
    } catch (const Exception& e) {
        throw Exception(Format(Lang_Text(Text_GSDML_Broken_File), {file, e.Message()}));
    }
    const TXMLNode root = doc.DocumentElement();
    if (!root) throw Exception(Format(Lang_Text(Text_GSDML_Broken_File), {file, QStringLiteral("no root element")}));
    return root;
}

} // namespace

String GSDML_Escape(const String& text)
{
    String out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        // A reader turns these into blanks unless they stand as references.
        case '\t': out += QStringLiteral("&#9;"); break;
        case '\n': out += QStringLiteral("&#10;"); break;
        case '\r': out += QStringLiteral("&#13;"); break;
        default:
            // No other control character can stand in an XML 1.0 document at all.
            if (c.unicode() >= 0x20) out += c;
        }
    }
    return out;
}

int Count_DALI_Input_Bytes(const TXMLDocument& daliAccess)
{
    // Read the way the DALI form reads it, so the description and the byte map agree.
    TDALIDevices devices{};
    Load_DALI_Access(daliAccess, devices);
    int bytes = 0;
    for (const TDALIDevice& device : devices)
        if (DALI_Cell_Ticked(device.Enable)) bytes += GSDML_Bytes_Per_Device;
    return bytes;
}

TGSDMLParams Read_GSDML_Params(const String& daliAccessFile, const String& parGenFile)
{
    TGSDMLParams p;
    TXMLDocument dali;
    Load(dali, daliAccessFile);
    p.Input_Length = Count_DALI_Input_Bytes(dali);
    TXMLDocument parGen;
    const TXMLNode root = Load(parGen, parGenFile);
    if (const TXMLNode name = root.ChildNode(QStringLiteral("PROFINET_NAME_STA"))) p.Station_Name = name.Text();
    if (const TXMLNode dali2 = root.ChildNode(QStringLiteral("DALI_ENABLE_DALI_2")); dali2 && dali2.Text() == u"1")
        p.Input_Length += GSDML_Bytes_Per_Device;
    if (p.Station_Name.trimmed().isEmpty()) p.Station_Name = QStringLiteral("SERIAL");
    return p;
}

QByteArray GSDML_File_Bytes(const TGSDMLParams& p)
{
    TDocument d;
    d.Line(0, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    d.Comment(0, " A fieldbus integration example. ");
    d.Open(0, "ISO15745Profile",
           {{"xmlns", L(GSDML_Namespace)},
            {"xmlns:xsi", L(XSI_Namespace)},
            {"xsi:schemaLocation", L(GSDML_Namespace) + QStringLiteral(" ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd")}});
    Header(d);
    d.Open(1, "ProfileBody");
    d.Open(2, "DeviceIdentity", {{"VendorID", L(Vendor_ID)}, {"DeviceID", L(Device_ID)}});
    d.Empty(3, "InfoText", {{"TextId", L("IDT_INFO_Device")}});
    d.Empty(3, "VendorName", {{"Value", L(Vendor_Name)}});
    d.Close(2, "DeviceIdentity");
    d.Open(2, "DeviceFunction");
    d.Empty(3, "Family", {{"MainFamily", L("Gateway")}, {"ProductFamily", L("KH40227")}});
    d.Close(2, "DeviceFunction");
    d.Open(2, "ApplicationProcess");
    Access_Point(d, p);
    Module(d, p);
    Lists(d);
    d.Close(2, "ApplicationProcess");
    d.Close(1, "ProfileBody");
    d.Close(0, "ISO15745Profile");
    QByteArray bytes;
    for (const String& line : d.Lines) bytes += line.toUtf8() + "\r\n";
    return bytes;
}

void Write_GSDML_File(const String& path)
{
    // Everything is read and built before a byte is written.
    try {
        SaveFileOrRaise(path, GSDML_File_Bytes(Read_GSDML_Params(File_DALI_Access, File_ParGen)));
    } catch (const Exception& e) {
        MessageDlg(e.Message(), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    }
}

void Create_GSDML_File(const String& fileName)
{
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(Project_Path);
    dialog.SetFilter(QStringLiteral("PROFINET XML (*.xml)|") + fileName);
    dialog.SetFileName(fileName);
    if (!dialog.Execute()) return;
    // The folder is the user's choice; the name stays the composed one.
    const String target = PathJoin(ExtractFileDir(dialog.FileName()), fileName);
    if (FileExists(target) &&
        MessageDlg(Lang_Text(Text_GSDML_Overwrite), TMsgDlgType::mtConfirmation,
                   TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
        return;
    Write_GSDML_File(target);
}
