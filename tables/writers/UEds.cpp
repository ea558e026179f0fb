#include "tables/writers/UEds.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"
#include "tables/common/UTableForm.h"

#include <algorithm>
#include <optional>

namespace {

const char* const EDS_Description = "Rirovovud ARUZ / UZUrire";
const char* const RPDO_Var_Names[EDS_Max_PDOs] = {"b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",
                                                  "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",
                                                  "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const TPDO_Var_Names[EDS_Max_PDOs] = {"l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",
                                                  "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",
                                                  "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

String Maker_Domain()
{
    return Maker_Web_Host;
}

// v in at least `digits` upper-case hexadecimal digits.
String Hex(std::uint32_t v, int digits)
{
    return QString::number(v, 16).toUpper().rightJustified(digits, u'0');
}
String Hex(int v, int digits)
{
    return Hex(std::uint32_t(v), digits);
}

TXMLNode Section(const TXMLNode& root, const char* name, const String& file)
{
    const TXMLNode section = root ? root.ChildNode(QString::fromLatin1(name)) : TXMLNode();
    if (!section) throw Exception(Format(Lang_Text(Text_EDS_No_Section), {file, QString::fromLatin1(name)}));
    return section;
}

// The root of the file, parsed whole.
TXMLNode Load(TXMLDocument& doc, const String& file)
{
    if (!FileExists(file)) throw Exception(Format(Lang_Text(Text_EDS_Missing_File), {file}));
    try {
        doc.LoadFromFile(file);
    } catch (const Exception& e) {
        throw Exception(Format(Lang_Text(Text_Broken_File), {file, e.Message()}));
    }
    return doc.DocumentElement();
}

// A number of a row: missing, or (without a fallback) no number, stops the writer.
int Number(const TXMLNode& row, const char* attr, int i, const char* section, const String& file,
           std::optional<int> fallback = std::nullopt)
{
    const String name = QString::fromLatin1(attr);
    int value = 0;
    if (row.HasAttribute(name) && TryStrToInt(row.Attribute(name), value)) return value;
    if (row.HasAttribute(name) && fallback) return *fallback;
    throw Exception(Format(Lang_Text(Text_EDS_Bad_Value), {file, name, i + 1, QString::fromLatin1(section)}));
}

std::vector<TEdsPDO> Read_PDOs(const TXMLNode& root, const char* section, const String& file)
{
    std::vector<TEdsPDO> pdos;
    const std::vector<TXMLNode> rows = Section(root, section, file).ChildNodes();
    // The tables hold 30 PDOs each; rows beyond them are no PDOs of this device.
    for (int i = 0; i < int(rows.size()) && i < EDS_Max_PDOs; ++i) {
        const TXMLNode& row = rows[std::size_t(i)];
        pdos.push_back({Number(row, "COB-ID", i, section, file, 0), Number(row, "Dimension", i, section, file, 8)});
    }
    return pdos;
}

void Read_SDOs(const TXMLNode& root, const char* section, bool readonly, const String& file,
               std::vector<TEdsIndex>& indexes)
{
    const std::vector<TXMLNode> rows = Section(root, section, file).ChildNodes();
    for (int i = 0; i < int(rows.size()); ++i) {
        const TXMLNode& row = rows[std::size_t(i)];
        const int index = Number(row, "Index", i, section, file);
        const TEdsSub sub{Number(row, "SubIndex", i, section, file), Number(row, "NByte", i, section, file), readonly};
        auto found = std::find_if(indexes.begin(), indexes.end(), [&](const TEdsIndex& e) { return e.Index == index; });
        if (found == indexes.end())
            indexes.push_back({index, {sub}});
        else
            found->Subs.push_back(sub);
    }
}

// ---- Writing ----

struct TVar {
    const char* Name;
    const char* Data_Type;
    const char* Access;
    const char* Default;  // null: no line
};

class TSheet {
public:
    QStringList Lines;
    void Line(const String& text) { Lines << text; }
    void Empty() { Lines << String(); }
    void Var(const String& section, const String& name, const char* dataType, const char* access,
             const String& defaultValue, bool hasDefault = true, int mapping = 0)
    {
        Line(QLatin1Char('[') + section + QLatin1Char(']'));
        Line(QStringLiteral("ParameterName=") + name);
        Line(QStringLiteral("ObjectType=0x07"));
        Line(QStringLiteral("DataType=") + QLatin1String(dataType));
        Line(QStringLiteral("AccessType=") + QLatin1String(access));
        if (hasDefault) Line(QStringLiteral("DefaultValue=") + defaultValue);
        Line(QStringLiteral("PDOMapping=") + IntToStr(mapping));
        Empty();
    }
    void Var(const String& section, const TVar& v)
    {
        Var(section, QString::fromLatin1(v.Name), v.Data_Type, v.Access,
            v.Default ? QString::fromLatin1(v.Default) : String(), v.Default != nullptr);
    }
    void Group(const String& section, int subNumber, const String& name, const char* objectType)
    {
        Line(QLatin1Char('[') + section + QLatin1Char(']'));
        Line(QStringLiteral("SubNumber=") + IntToStr(subNumber));
        Line(QStringLiteral("ParameterName=") + name);
        Line(QStringLiteral("ObjectType=") + QLatin1String(objectType));
        Empty();
    }
};

String Sub_Name(int index, int sub)
{
    return Hex(index, 4) + QStringLiteral("sub") + QString::number(sub, 16).toUpper();
}

void Head(TSheet& s, const TEdsConfig& c, const QDateTime& now)
{
    const String time = EDS_Time_Text(now.time()), date = EDS_Date_Text(now.date());
    const String desc = QString::fromLatin1(EDS_Description);
    const int R = int(c.Rx.size()), T = int(c.Tx.size());
    s.Lines << "[FileInfo]" << QStringLiteral("FileName=") + QLatin1String(EDS_File_Name) << "FileVersion=1"
            << "FileRevision=0" << "EDSVersion=4.0" << "Description=" + desc << "CreationTime=" + time
            << "CreationDate=" + date << "CreatedBy=" + Maker_Domain() << "ModificationTime=" + time
            << "ModificationDate=" + date << "ModifiedBy=" + Maker_Domain() << String();
    s.Lines << "[DeviceInfo]" << "VendorName=" + Maker_Domain() << "VendorNumber=0x00" << "ProductName=" + desc
            << "ProductNumber=253" << "RevisionNumber=0x0" << "OrderCode=KH40253";
    for (const char* baud : {"10=1", "20=1", "50=1", "125=1", "250=1", "500=1", "800=0", "1000=1"})
        s.Line(QStringLiteral("BaudRate_") + QLatin1String(baud));
    s.Lines << "DynamicChannelsSupported=0" << "GroupMessaging=0" << "LSS_Supported=0" << "Granularity=0"
            << "SimpleBootUpSlave=1" << "SimpleBootUpMaster=0" << "NrOfRXPDO=" + IntToStr(R)
            << "NrOfTXPDO=" + IntToStr(T) << String();
    s.Lines << "[Comments]" << "Lines=0" << String() << "[DummyUsage]";
    for (int i = 1; i <= 7; ++i) s.Line(QStringLiteral("Dummy000%1=0").arg(i));
    s.Empty();
    s.Lines << "[MandatoryObjects]" << "SupportedObjects=3" << "1=0x1000" << "2=0x1001" << "3=0x1018" << String();
    s.Lines << "[OptionalObjects]" << "SupportedObjects=" + IntToStr(8 + 3 * R + 3 * T) << "1=0x1005" << "2=0x1006"
            << "3=0x1008" << "4=0x1014" << "5=0x1016" << "6=0x1017" << "7=0x1029" << "8=0x1280";
    int key = 9;
    const auto list = [&](int base, int count) {
        for (int i = 0; i < count; ++i) s.Line(IntToStr(key++) + QStringLiteral("=0x") + Hex(base + i, 4));
    };
    list(0x1400, R);
    list(0x1600, R);
    list(0x1800, T);
    list(0x1A00, T);
    list(0x7000, R);
    list(0x7050, T);
    s.Empty();
    s.Lines << "[ManufacturerObjects]" << "SupportedObjects=" + IntToStr(int(c.SDO.size()));
    for (std::size_t k = 0; k < c.SDO.size(); ++k)
        s.Line(IntToStr(int(k) + 1) + QStringLiteral("=0x") + Hex(c.SDO[k].Index, 4));
    s.Empty();
}

void Fixed_Objects(TSheet& s)
{
    s.Var("1000", {"Device Type", "0x0007", "const", "0x000101A4"});
    s.Var("1001", {"Error Register", "0x0005", "ro", "0x00"});
    s.Var("1005", {"COB-ID SYNC", "0x0007", "rw", "0x80000080"});
    s.Var("1006", {"Communication Cycle Period", "0x0007", "rw", "0x00000000"});
    s.Var("1008", {"Manufacturer Device Name", "0x0009", "const", "s1"});
    s.Var("1014", {"COB-ID EMCY", "0x0007", "ro", "$NODEID+0x80"});
    s.Group("1016", 3, "Heartbeat Consumer Entries", "0x08");
    s.Var("1016sub0", {"Number of Entries", "0x0005", "ro", "0x02"});
    s.Var("1016sub1", {"Consumer Heartbeat Time 1", "0x0007", "rw", "0x00000000"});
    s.Var("1016sub2", {"Consumer Heartbeat Time 2", "0x0007", "rw", "0x00000000"});
    s.Var("1017", {"Producer Heartbeat Time", "0x0006", "rw", "0x000003E8"});
    s.Group("1018", 5, "Identity Object", "0x09");
    s.Var("1018sub0", {"number of entries", "0x0005", "ro", "0x4"});
    s.Var("1018sub1", {"Vendor Id", "0x0007", "ro", nullptr});
    s.Var("1018sub2", {"Product Code", "0x0007", "ro", nullptr});
    s.Var("1018sub3", {"Revision number", "0x0007", "ro", nullptr});
    s.Var("1018sub4", {"Serial number", "0x0007", "ro", nullptr});
    s.Group("1029", 2, "Error Behaviour", "0x08");
    s.Var("1029sub0", {"Number of Entries", "0x0005", "ro", "1"});
    s.Var("1029sub1", {"Communication Error", "0x0005", "rw", "0x0"});
    s.Group("1280", 4, "Client SDO Parameter 1", "0x09");
    s.Var("1280sub0", {"Number of Entries", "0x0005", "ro", "0x03"});
    s.Var("1280sub1", {"COB-ID Client -> Server", "0x0007", "rw", nullptr});
    s.Var("1280sub2", {"COB-ID Server -> Client", "0x0007", "rw", nullptr});
    s.Var("1280sub3", {"Node ID of the SDO Server", "0x0005", "rw", nullptr});
}

void Communication(TSheet& s, const std::vector<TEdsPDO>& pdos, int base, const char* name)
{
    for (int i = 0; i < int(pdos.size()); ++i) {
        const int index = base + i;
        s.Group(Hex(index, 4), 4, QString::fromLatin1(name) + IntToStr(i + 1), "0x09");
        s.Var(Sub_Name(index, 0), {"Number of Entries", "0x0005", "ro", "0x03"});
        s.Var(Sub_Name(index, 1), "COB-ID", "0x0007", "rw", "0x" + Hex(pdos[std::size_t(i)].COB_ID, 8));
        s.Var(Sub_Name(index, 2), {"Transmission Type", "0x0005", "rw", "0xFE"});
        s.Var(Sub_Name(index, 3), {"Inhibit Time", "0x0006", "rw", "0x0"});
    }
}

void Mapping(TSheet& s, const std::vector<TEdsPDO>& pdos, int base, int mapped, bool numbered, const char* name)
{
    for (int i = 0; i < int(pdos.size()); ++i) {
        const int index = base + i, dim = pdos[std::size_t(i)].Dimension;
        s.Group(Hex(index, 4), std::max(dim, 0) + 1,
                QString::fromLatin1(name) + (numbered ? QStringLiteral(" ") + IntToStr(i + 1) : String()), "0x09");
        s.Var(Sub_Name(index, 0), "Number of Entries", "0x0005", "ro", "0x" + Hex(dim, 2));
        for (int k = 1; k <= dim; ++k)
            s.Var(Sub_Name(index, k), QStringLiteral("Mapping Entry ") + IntToStr(k), "0x0007", "ro",
                  "0x" + Hex(mapped + i, 4) + Hex(k, 2) + "08");
    }
}

void App_Objects(TSheet& s, const std::vector<TEdsPDO>& pdos, int base, const char* name,
                 const char* const* vars, const char* sub0Access, const char* access)
{
    for (int i = 0; i < int(pdos.size()); ++i) {
        const int index = base + i, dim = pdos[std::size_t(i)].Dimension;
        s.Group(Hex(index, 4), std::max(dim, 0) + 1, QString::fromLatin1(name) + IntToStr(i + 1), "0x08");
        s.Var(Sub_Name(index, 0), "Number of Entries", "0x0005", sub0Access, "0x" + Hex(dim, 2));
        for (int k = 1; k <= dim; ++k)
            s.Var(Sub_Name(index, k), QString::fromLatin1(vars[i]) + IntToStr(k), "0x0005", access, "0x00", true, 1);
    }
}

void Manufacturer(TSheet& s, const std::vector<TEdsIndex>& indexes)
{
    for (const TEdsIndex& e : indexes) {
        if (e.Subs.empty()) continue;
        const int smallest = e.Subs.front().Sub, largest = e.Subs.back().Sub;
        const int count = int(e.Subs.size()) + (smallest == 0 ? 0 : 1);
        s.Lines << "[" + Hex(e.Index, 4) + "]" << "SubNumber=" + IntToStr(count) << "ParameterName=App Vars"
                << "ObjectType=0x9" << String();
        if (smallest != 0)
            s.Lines << "[" + Sub_Name(e.Index, 0) + "]" << "ParameterName=Largest Sub-Index supported"
                    << "ObjectType=0x7" << "DataType=0x0005" << "AccessType=ro" << "DefaultValue=0x" + Hex(largest, 2)
                    << "PDOMapping=0" << String();
        for (const TEdsSub& sub : e.Subs) {
            s.Lines << "[" + Sub_Name(e.Index, sub.Sub) + "]" << "ParameterName=Application Variable"
                    << "ObjectType=0x7";
            if (sub.Quantity == 1)
                s.Lines << "DataType=0x0005" << "LowLimit=0x00" << "HighLimit=0xFF" << "DefaultValue=0x00";
            else if (sub.Quantity == 2)
                s.Lines << "DataType=0x0006" << "LowLimit=0x0000" << "HighLimit=0xFFFF" << "DefaultValue=0x0000";
            else
                s.Lines << "DataType=0x0007" << "LowLimit=0x00000000" << "HighLimit=0xFFFFFFFF"
                        << "DefaultValue=0x00000000";
            s.Lines << (sub.Readonly ? "AccessType=ro" : "AccessType=rw") << "PDOMapping=0" << String();
        }
    }
}

} // namespace

String EDS_Time_Text(const QTime& time)
{
    const int h = time.hour();
    const int shown = h > 12 ? h - 12 : h;
    return QStringLiteral("%1:%2%3")
        .arg(shown, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(h >= 12 ? QStringLiteral("PM") : QStringLiteral("AM"));
}

String EDS_Date_Text(const QDate& date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

TEdsConfig Read_EDS_Config(const String& pdoFile, const String& sdoServerFile)
{
    TEdsConfig config;
    TXMLDocument pdo;
    const TXMLNode pdoRoot = Load(pdo, pdoFile);
    config.Rx = Read_PDOs(pdoRoot, "Receive_PDO", pdoFile);
    config.Tx = Read_PDOs(pdoRoot, "Transmit_PDO", pdoFile);
    TXMLDocument sdo;
    const TXMLNode sdoRoot = Load(sdo, sdoServerFile);
    Read_SDOs(sdoRoot, "SDO_Read", true, sdoServerFile, config.SDO);
    Read_SDOs(sdoRoot, "SDO_Write", false, sdoServerFile, config.SDO);
    for (TEdsIndex& e : config.SDO) {
        std::stable_sort(e.Subs.begin(), e.Subs.end(), [](const TEdsSub& a, const TEdsSub& b) { return a.Sub < b.Sub; });
        // Two objects of one name would be one object to a master: which of the two it reads is anyone's guess.
        for (std::size_t k = 1; k < e.Subs.size(); ++k)
            if (e.Subs[k].Sub == e.Subs[k - 1].Sub)
                throw Exception(Format(Lang_Text(Text_EDS_Same_Object),
                                       {QStringLiteral("0x") + Hex(e.Index, 4), QStringLiteral("0x") + Hex(e.Subs[k].Sub, 2)}));
    }
    return config;
}

QByteArray EDS_File_Bytes(const TEdsConfig& c, const QDateTime& now)
{
    TSheet s;
    Head(s, c, now);
    Fixed_Objects(s);
    Communication(s, c.Rx, 0x1400, "Receive PDO Communication Parameter ");
    Mapping(s, c.Rx, 0x1600, 0x7000, false, "Receive PDO Mapping Parameter");
    Communication(s, c.Tx, 0x1800, "Transmit PDO Communication Parameter ");
    Mapping(s, c.Tx, 0x1A00, 0x7050, true, "Transmit PDO Mapping Parameter");
    App_Objects(s, c.Rx, 0x7000, "RPDO", RPDO_Var_Names, "ro", "rww");
    App_Objects(s, c.Tx, 0x7050, "TPDO", TPDO_Var_Names, "rw", "rwr");
    Manufacturer(s, c.SDO);
    s.Empty();
    QByteArray bytes;
    for (const String& line : s.Lines) bytes += EncodeWindows1252(line) + "\r\n";
    return bytes;
}

void Write_EDS_File(const String& path)
{
    // Everything is read and built before a byte is written.
    try {
        SaveFileOrRaise(path, EDS_File_Bytes(Read_EDS_Config(File_PDO_CANopen, File_SDO_Server_CANopen),
                                             QDateTime::currentDateTime()));
    } catch (const Exception& e) {
        MessageDlg(e.Message(), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    }
}
