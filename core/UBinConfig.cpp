// The device parameter images bank1.bin and bank2.bin.
#include "core/UBinConfig.h"

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Xml.h"

#include <QHash>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// ---- Layout of the images ------------------------------------------------------

constexpr int Param_Block_Size = 2048;
constexpr int Checksum_Offset = 2044;

constexpr int Bank2_Head_Size = 256;
constexpr int DALI_Flag_Words = 81;
constexpr int DALI_Short_Addresses_In_Use = 64;

constexpr int SNMP_Records = 512;
constexpr int SNMP_Record_Size = 36;
constexpr int Region_Size = 65536;
constexpr int Empty_Text_Offset = SNMP_Records * SNMP_Record_Size; // 0x4800
constexpr int Pool_Offset = Empty_Text_Offset + 1;                 // 0x4801
constexpr int Pool_Capacity = Region_Size - Pool_Offset;           // 47103

constexpr std::uint32_t Bank2_Device_Address = 0x80000;
constexpr std::uint32_t Request_Table_Device_Address = 0x80100;

constexpr int Station_Name_Field = 16;
// The last byte of the field stays zero: the device reads a terminated text.
constexpr int Station_Name_Max = Station_Name_Field - 1;

// Parameter block fields the configuration fills.
constexpr int Off_IP = 40, Off_Mask = 44, Off_Gateway = 48;
constexpr int Off_Console_Port = 56;
constexpr int Off_Station_Name = 80;
constexpr int Off_Record_Count = 484;
constexpr int Off_Request_Table = 488;
constexpr int Off_Bank2_Address = 1532;
constexpr int Off_DALI_Switches = 1892;

constexpr std::uint32_t DALI_Scan_Disabled = 0x10000;
constexpr std::uint32_t DALI_2_Enabled = 0x20000;

// DALI device flag bits.
constexpr std::uint16_t Flag_In_Use = 0x8000;
constexpr std::uint16_t Flag_Start_Break = 0x0001;
constexpr std::uint16_t Flag_Min_Max_Only = 0x0004;
constexpr std::uint16_t Flag_Recall_Min_Max = 0x0008;
constexpr std::uint16_t Flag_Recall_Old_Value = 0x0010;

// SNMP manager record flag bits.
constexpr std::uint32_t SNMP_On_Change = 0x00001, SNMP_On_Command = 0x00002, SNMP_On_Timer = 0x00004,
                        SNMP_Type_Int = 0x00008, SNMP_V1 = 0x00010, SNMP_V2 = 0x00020, SNMP_V3 = 0x00040,
                        SNMP_Cancel = 0x00080, SNMP_V3_Auth = 0x01000, SNMP_V3_Priv = 0x02000,
                        SNMP_Auth_MD5 = 0x04000, SNMP_Auth_Other = 0x08000, SNMP_Priv_DES = 0x10000,
                        SNMP_Priv_Other = 0x20000;

// Texts of the messages this unit shows.
constexpr int Text_Project_Not_Valid = 18;
constexpr int Text_Write_Failed = 1520;
constexpr int Text_Number_Bytes = 1521;
constexpr int Text_Too_Many_Requests = 1522;
constexpr int Text_Pool_Full = 1523;
constexpr int Text_Not_Built = 1524;

// ---- Little-endian buffer ----------------------------------------------------------

class TByteImage {
public:
    explicit TByteImage(int size) : FBytes(size, '\0') {}

    void Put8(int offset, std::uint32_t value) { FBytes[offset] = char(value & 0xFF); }
    void Put16(int offset, std::uint32_t value)
    {
        Put8(offset, value);
        Put8(offset + 1, value >> 8);
    }
    void Put32(int offset, std::uint32_t value)
    {
        Put16(offset, value);
        Put16(offset + 2, value >> 16);
    }
    std::uint32_t Get32(int offset) const
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | std::uint8_t(FBytes[offset + i]);
        return value;
    }
    // One byte per character: the low 8 bits of its 16-bit code.
    void PutText(int offset, const String& text)
    {
        for (int i = 0; i < text.size(); ++i) Put8(offset + i, text[i].unicode());
    }
    std::uint32_t ByteSum(int count) const
    {
        std::uint32_t sum = 0;
        for (int i = 0; i < count; ++i) sum += std::uint8_t(FBytes[i]);
        return sum;
    }
    const QByteArray& Bytes() const { return FBytes; }

private:
    QByteArray FBytes;
};

// ---- One build ---------------------------------------------------------------------

struct TSNMPRecord {
    std::uint32_t Time = 0;
    std::uint32_t IP = 0;
    std::uint32_t Flags = 0;
    // String pool references, 0 = the empty text.
    int User = 0; // community for versions 1 and 2
    int Auth_Pass = 0;
    int Priv_Pass = 0;
    int OID = 0;
    std::uint16_t Position = 0;
    std::uint8_t ConvertFrom = 0;
    std::uint8_t Mode = 0;
    std::uint8_t Number_Bytes = 0;
};

class TBinBuilder {
public:
    explicit TBinBuilder(const TBinConfigFiles& files) : FFiles(files) {}

    TBinImages Build()
    {
        Init_Param_Block();
        Read_ParGen_Params();
        Read_DALI_Device_Flags();
        Read_SNMP_Manager_Rows();
        TBinImages images;
        images.Bank1 = Put_Param_Block();
        TByteImage bank2(Bank2_Head_Size + Region_Size);
        Put_Bank2_Header(bank2);
        Put_SNMP_Manager_Table(bank2, FParam.Get32(Off_Request_Table));
        images.Bank2 = bank2.Bytes();
        return images;
    }

private:
    void Init_Param_Block();
    void Read_ParGen_Params();
    void Read_DALI_Device_Flags();
    void Read_SNMP_Manager_Rows();
    void Read_SNMP_Manager_Row(const TXMLNode& row, int rowNumber);
    int Pool_String_Index(const String& text, int rowNumber);
    QByteArray Put_Param_Block();
    void Put_Bank2_Header(TByteImage& bank2) const;
    void Put_SNMP_Manager_Table(TByteImage& bank2, std::uint32_t base) const;

    // The root of the file, or nothing when the file does not exist. A file
    // that exists but cannot be loaded stops the build.
    std::optional<TXMLNode> Load_Root(const String& path);

    const TBinConfigFiles& FFiles;
    TXMLDocument FXml;
    TByteImage FParam{Param_Block_Size};
    std::array<std::uint16_t, DALI_Flag_Words> FDALI_Flags{};
    std::vector<TSNMPRecord> FRecords;
    TSNMPStringPool FPool;
};

std::optional<TXMLNode> TBinBuilder::Load_Root(const String& path)
{
    if (!FileExists(path)) return std::nullopt;
    FXml.LoadFromFile(path);
    return FXml.DocumentElement();
}

void TBinBuilder::Init_Param_Block()
{
    const std::uint8_t ip[] = {192, 168, 2, 205};
    const std::uint8_t mask[] = {255, 255, 255, 0};
    for (int i = 0; i < 4; ++i) {
        FParam.Put8(Off_IP + i, ip[i]);
        FParam.Put8(Off_Mask + i, mask[i]);
        FParam.Put8(Off_Gateway + i, 255);
    }
    FParam.Put32(0, 125000);
    FParam.Put32(4, 125000);
    FParam.Put32(8, 0);
    FParam.Put32(12, 9600);
    FParam.Put16(16, 8);
    FParam.Put16(52, 10000);
    FParam.Put16(54, 10001);
    FParam.Put16(Off_Console_Port, 10001);
    FParam.Put32(404, 38400);
    FParam.Put8(431, 1);
    for (int i = 436; i <= 443; ++i) FParam.Put8(i, 8);
    FParam.Put16(460, 3671);
    FParam.Put16(468, 50000);
    FParam.Put16(470, 50001);
    FParam.Put16(472, 50002);
    FParam.Put16(478, 512);
    FParam.Put32(Off_Record_Count, 0);
    FParam.Put32(Off_Request_Table, Request_Table_Device_Address);
    FParam.Put32(1896, 6000);
    FParam.Put32(1900, 100);
}

// The element's text read as an integer, or the fallback when the element is
// missing or its text is no number.
int Element_Int(const TXMLNode& root, const char* name, int fallback)
{
    const TXMLNode node = root.ChildNode(QString::fromLatin1(name));
    return node ? StrToIntDef(node.Text(), fallback) : fallback;
}

bool Element_Is(const TXMLNode& root, const char* name, const char* text)
{
    const TXMLNode node = root.ChildNode(QString::fromLatin1(name));
    return node && node.Text() == QLatin1String(text);
}

void TBinBuilder::Read_ParGen_Params()
{
    FParam.Put32(Off_Bank2_Address, Bank2_Device_Address);
    const std::optional<TXMLNode> root = Load_Root(FFiles.ParGen);
    if (!root) return;

    // Address parts keep their low 8 bits: the form has validated them, and a
    // hand-edited 300 is the device's 44, as it always was.
    struct TQuad {
        int Offset;
        const char* Names[4];
        int Fallbacks[4];
    };
    static const TQuad quads[] = {
        {Off_IP, {"SNMP_Manager_IP1", "SNMP_Manager_IP2", "SNMP_Manager_IP3", "SNMP_Manager_IP4"}, {192, 168, 0, 10}},
        {Off_Mask, {"SNMP_Manager_SM1", "SNMP_Manager_SM2", "SNMP_Manager_SM3", "SNMP_Manager_SM4"}, {255, 255, 255, 0}},
        {Off_Gateway, {"SNMP_Manager_GAT1", "SNMP_Manager_GAT2", "SNMP_Manager_GAT3", "SNMP_Manager_GAT4"}, {192, 168, 0, 1}},
    };
    for (const TQuad& quad : quads)
        for (int i = 0; i < 4; ++i) FParam.Put8(quad.Offset + i, std::uint32_t(Element_Int(*root, quad.Names[i], quad.Fallbacks[i])));

    // Any text but "0" means a gateway is used; only a missing element or "0" means none.
    const TXMLNode gateway = root->ChildNode(QStringLiteral("SNMP_Manager_EN_GAT"));
    if (!gateway || gateway.Text() == QLatin1String("0"))
        for (int i = 0; i < 4; ++i) FParam.Put8(Off_Gateway + i, 255);

    const TXMLNode station = root->ChildNode(QStringLiteral("SNMP_Name_of_Station"));
    const String name = station ? station.Text() : QStringLiteral("devicename1");
    FParam.PutText(Off_Station_Name, name.left(Station_Name_Max));

    FParam.Put16(Off_Console_Port, std::uint32_t(Element_Int(*root, "DALI_CONSOLE_PORT", 10001)));

    std::uint32_t switches = 0;
    if (Element_Is(*root, "DALI_DISABLE_SCAN", "1")) switches |= DALI_Scan_Disabled;
    if (Element_Is(*root, "DALI_ENABLE_DALI_2", "1")) switches |= DALI_2_Enabled;
    FParam.Put32(Off_DALI_Switches, switches);
}

void TBinBuilder::Read_DALI_Device_Flags()
{
    const std::optional<TXMLNode> root = Load_Root(FFiles.DALI_Access);
    if (!root) return;
    for (int n = 0; n < DALI_Short_Addresses_In_Use; ++n) {
        const String base = QStringLiteral("DALI_ID_DEVICE_") + String::number(n);
        auto is = [&](const char* suffix, const char* text) {
            const TXMLNode node = root->ChildNode(base + QLatin1String(suffix));
            return node && node.Text() == QLatin1String(text);
        };
        std::uint16_t flags = 0;
        if (is("", "1")) flags |= Flag_In_Use;
        if (is("_DIMMING_MODE", "Start Break")) flags |= Flag_Start_Break;
        if (is("_MIN_MAN_VALUE", "1")) flags |= Flag_Min_Max_Only;
        if (is("_RECALL_LEVEL", "Recall Min-Max Level for Switch")) flags |= Flag_Recall_Min_Max;
        if (is("_RECALL_LEVEL", "Recall Old Value Level for Switch")) flags |= Flag_Recall_Old_Value;
        FDALI_Flags[std::size_t(n)] = flags;
    }
}

std::uint8_t ConvertFrom_Code(const String& text)
{
    const String code = UpperCase(Trim(text));
    if (code == QLatin1String("FLOAT")) return 1;
    if (code == QLatin1String("FLOAT * 10")) return 2;
    if (code == QLatin1String("FLOAT * 100")) return 3;
    return 0;
}

String Row_Message(int slot, int rowNumber)
{
    return Format(Lang_Text(slot), {rowNumber});
}

void TBinBuilder::Read_SNMP_Manager_Rows()
{
    FParam.Put32(Off_Record_Count, 0);
    FParam.Put32(Off_Request_Table, Request_Table_Device_Address);
    const std::optional<TXMLNode> root = Load_Root(FFiles.SNMP_Manager);
    if (!root) return;
    // Rows are the root's elements whatever their name; comments and text
    // between them are no rows. Row numbers count them from 1, as the editor
    // numbers its table.
    int rowNumber = 0;
    for (const TXMLNode& row : root->ChildNodes()) {
        ++rowNumber;
        // A row without Enable counts as used; an empty one does not.
        if (row.HasAttribute(QStringLiteral("Enable")) && !SNMP_Row_Enabled(row.Attribute(QStringLiteral("Enable"))))
            continue;
        if (int(FRecords.size()) == SNMP_Records) throw EBinConfigError(Row_Message(Text_Too_Many_Requests, rowNumber));
        Read_SNMP_Manager_Row(row, rowNumber);
    }
    FParam.Put32(Off_Record_Count, std::uint32_t(FRecords.size()));
}

void TBinBuilder::Read_SNMP_Manager_Row(const TXMLNode& row, int rowNumber)
{
    auto attr = [&](const char* name, const char* fallback = "") {
        return row.AttributeOr(QString::fromLatin1(name), QString::fromLatin1(fallback));
    };
    auto upper = [&](const char* name) { return UpperCase(attr(name)); };
    auto intAttr = [&](const char* name, int fallback) {
        return row.HasAttribute(QString::fromLatin1(name)) ? StrToIntDef(attr(name), fallback) : fallback;
    };

    TSNMPRecord record;

    std::uint8_t a = 0, b = 0, c = 0, d = 0;
    IP_To_Bytes(attr("IP_Address"), a, b, c, d);
    record.IP = (std::uint32_t(a) << 24) | (std::uint32_t(b) << 16) | (std::uint32_t(c) << 8) | d;

    const String versionText = row.HasAttribute(QStringLiteral("Version")) ? attr("Version") : QStringLiteral("1");
    const int version = SNMP_Version_Number(versionText);
    record.Flags |= version == 1 ? SNMP_V1 : version == 2 ? SNMP_V2 : SNMP_V3;

    // Missing texts take the device's own defaults.
    const std::vector<String> texts = SNMP_Pool_Texts({versionText, attr("OID"), attr("Community_String", "quenta"),
                                                       attr("User", "admin"), attr("Auth_Pass", "Quotaverbena"),
                                                       attr("Priv_Pass", "Lindomarquet")});
    std::vector<int> refs;
    for (const String& text : texts) refs.push_back(Pool_String_Index(text, rowNumber));
    record.OID = refs[0];

    if (upper("Type") == QLatin1String("INT")) record.Flags |= SNMP_Type_Int;
    const String mode = upper("Mode");
    record.Mode = mode == QLatin1String("GET") ? 0 : mode == QLatin1String("SET") ? 1 : 2;
    if (upper("On_Change") == QLatin1String("Y")) record.Flags |= SNMP_On_Change;
    if (upper("On_Command") == QLatin1String("Y")) record.Flags |= SNMP_On_Command;
    if (upper("On_Timer") == QLatin1String("Y")) record.Flags |= SNMP_On_Timer;

    record.Time = std::uint32_t(intAttr("Time", 1000));
    record.Position = std::uint16_t(intAttr("Position", 0));

    // The editor allows up to 1024 bytes, the record holds 8 bits: a value
    // that does not fit would silently become another one on the device.
    const int numberBytes = intAttr("Number_Bytes", 1);
    if (numberBytes < 0 || numberBytes > 255) throw EBinConfigError(Row_Message(Text_Number_Bytes, rowNumber));
    record.Number_Bytes = std::uint8_t(numberBytes);

    record.ConvertFrom = ConvertFrom_Code(attr("ConvertFrom"));
    if (upper("Cancel") == QLatin1String("Y")) record.Flags |= SNMP_Cancel;

    if (record.Flags & SNMP_V3) {
        record.User = refs[1];
        record.Auth_Pass = refs[2];
        record.Priv_Pass = refs[3];
        const int level = SNMP_Security_Level_Code(attr("Security_Level"));
        if (level > 0) {
            if (level & 1) record.Flags |= SNMP_V3_Auth;
            if (level & 2) record.Flags |= SNMP_V3_Priv;
        }
        if (record.Flags & SNMP_V3_Auth)
            record.Flags |= SNMP_Auth_Protocol_Code(attr("Auth_Mode")) == 1 ? SNMP_Auth_MD5 : SNMP_Auth_Other;
        if (record.Flags & SNMP_V3_Priv)
            record.Flags |= SNMP_Priv_Protocol_Code(attr("Priv_Mode")) == 1 ? SNMP_Priv_DES : SNMP_Priv_Other;
    } else {
        record.User = refs[1];
    }
    FRecords.push_back(record);
}

int TBinBuilder::Pool_String_Index(const String& text, int rowNumber)
{
    const int reference = FPool.Add(text);
    if (FPool.Bytes() > SNMP_Pool_Capacity) throw EBinConfigError(Row_Message(Text_Pool_Full, rowNumber));
    return reference;
}

QByteArray TBinBuilder::Put_Param_Block()
{
    FParam.Put32(Checksum_Offset, FParam.ByteSum(Checksum_Offset));
    return FParam.Bytes();
}

void TBinBuilder::Put_Bank2_Header(TByteImage& bank2) const
{
    bank2.Put32(0, 0);
    for (int n = 0; n < DALI_Flag_Words; ++n) bank2.Put16(4 + 2 * n, FDALI_Flags[std::size_t(n)]);
}

void TBinBuilder::Put_SNMP_Manager_Table(TByteImage& bank2, std::uint32_t base) const
{
    // Device address of every pool text; reference 0 is the empty text.
    std::vector<std::uint32_t> address(FPool.Texts().size() + 1);
    address[0] = base + Empty_Text_Offset;
    std::uint32_t next = base + Pool_Offset;
    for (std::size_t k = 0; k < FPool.Texts().size(); ++k) {
        address[k + 1] = next;
        next += std::uint32_t(FPool.Texts()[k].size()) + 1;
    }

    const TSNMPRecord unused;
    for (int i = 0; i < SNMP_Records; ++i) {
        const TSNMPRecord& r = i < int(FRecords.size()) ? FRecords[std::size_t(i)] : unused;
        const int at = Bank2_Head_Size + i * SNMP_Record_Size;
        bank2.Put32(at + 0, r.Time);
        bank2.Put32(at + 4, r.IP);
        bank2.Put32(at + 8, r.Flags);
        bank2.Put32(at + 12, address[std::size_t(r.User)]);
        bank2.Put32(at + 16, address[std::size_t(r.Auth_Pass)]);
        bank2.Put32(at + 20, address[std::size_t(r.Priv_Pass)]);
        bank2.Put16(at + 24, r.Position);
        bank2.Put8(at + 28, r.ConvertFrom);
        bank2.Put8(at + 29, r.Mode);
        bank2.Put8(at + 30, r.Number_Bytes);
        bank2.Put32(at + 32, address[std::size_t(r.OID)]);
    }
    // The empty text's zero byte and each text's terminator are already zero.
    int at = Bank2_Head_Size + Pool_Offset;
    for (const String& text : FPool.Texts()) {
        bank2.PutText(at, text);
        at += int(text.size()) + 1;
    }
}

// ---- The images between Build_Bin_Config and Save_Bin_Config --------------------

std::optional<TBinImages>& Stored_Images()
{
    static std::optional<TBinImages> images;
    return images;
}

void Show_Error(const String& message)
{
    MessageDlg(message, TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

} // namespace

TBinImages Build_Bin_Images(const TBinConfigFiles& files)
{
    return TBinBuilder(files).Build();
}

bool Write_Bin_Images(const TBinImages& images, const String& binFolder, String* error)
{
    if (!ForceDirectories(binFolder)) {
        if (error) *error = QStringLiteral("Cannot create the folder \"%1\".").arg(binFolder);
        return false;
    }
    return WriteBinaryFile(PathJoin(binFolder, QStringLiteral("bank1.bin")), images.Bank1, error) &&
           WriteBinaryFile(PathJoin(binFolder, QStringLiteral("bank2.bin")), images.Bank2, error);
}

bool Build_Bin_Config()
{
    Stored_Images().reset();
    if (!Open_Configuration_Exists()) {
        Show_Error(Lang_Text(Text_Project_Not_Valid));
        return false;
    }
    try {
        Stored_Images() = Build_Bin_Images({File_ParGen, File_DALI_Access, File_SNMP_Manager});
    } catch (const Exception& e) {
        Show_Error(e.Message());
        return false;
    }
    return true;
}

bool Save_Bin_Config()
{
    if (!Open_Configuration_Exists()) {
        Show_Error(Lang_Text(Text_Project_Not_Valid));
        return false;
    }
    if (!Stored_Images()) {
        Show_Error(Lang_Text(Text_Not_Built));
        return false;
    }
    String reason;
    if (!Write_Bin_Images(*Stored_Images(), PathJoin(Project_Path, QStringLiteral("bin")), &reason)) {
        Show_Error(Format(Lang_Text(Text_Write_Failed), {reason}));
        return false;
    }
    return true;
}

const TBinImages* Last_Bin_Images()
{
    return Stored_Images() ? &*Stored_Images() : nullptr;
}

// ---- The SNMP manager string pool ----------------------------------------------------

bool SNMP_Row_Enabled(const String& enable)
{
    return UpperCase(Trim(enable)) == QLatin1String("Y");
}

int SNMP_Version_Number(const String& version)
{
    const int v = StrToIntDef(version, 1);
    return v == 1 || v == 2 ? v : 3;
}

int TSNMPStringPool::Add(const String& text)
{
    const auto found = FIndex.constFind(text);
    if (found != FIndex.cend()) return *found;
    FTexts.push_back(text);
    FBytes += int(text.size()) + 1;
    const int reference = int(FTexts.size());
    FIndex.insert(text, reference);
    return reference;
}

std::vector<String> SNMP_Pool_Texts(const TSNMPPoolRow& row)
{
    if (SNMP_Version_Number(row.Version) == 3) return {row.OID, row.User, row.Auth_Pass, row.Priv_Pass};
    return {row.OID, row.Community};
}
