#include "tables/bacnet/UBACnetRules.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <array>

namespace {

struct TObjectKind {
    const char* Name;
    bool Write;      // the Write table accepts it
    int Ede_Type;    // BACnet object-type number
    const char* Data_Type;
    int Bytes;
};
// Index i holds object code i + 1.
constexpr std::array<TObjectKind, 15> Object_Kinds{{
    {"Accumulator", false, 23, "Unsigned Int", 4},
    {"Multi-State Input", false, 13, "Unsigned Int", 4},
    {"Multi-State Output", true, 14, "Unsigned Int", 4},
    {"Analog Input", false, 0, "Real", 4},
    {"Analog Output", true, 1, "Real", 4},
    {"Binary Input", false, 3, "Enumerated", 1},
    {"Binary Output", true, 4, "Enumerated", 1},
    {"Integer Value", true, 45, "Signed Int", 4},
    {"Large Analog Value", true, 46, "Double", 8},
    {"Positive Integer Value", true, 48, "Unsigned Int", 4},
    {"Multi-State Value", true, 19, "Unsigned Int", 4},
    {"Analog Value", true, 2, "Real", 4},
    {"Binary Value", true, 5, "Enumerated", 1},
    {"Life Safety Point", true, 21, "Enumerated", 2},
    {"Life Safety Zone", true, 22, "Enumerated", 2},
}};

constexpr int Proprietary_Type_Min = 128, Proprietary_Type_Max = 1023;
// The proprietary property range ends one digit short of BACnet's 4194303;
// devices in the field were configured against this limit, so it stays.
constexpr int Proprietary_Property_Min = 512, Proprietary_Property_Max = 4184303;

constexpr int Text_Read_Prefix = 1437, Text_Write_Prefix = 1446;

String Key(const String& text)
{
    return Trim(text).toUpper();
}

bool Is(const String& key, const char* name)
{
    return key == QString::fromLatin1(name).toUpper();
}

bool Among(int code, std::initializer_list<int> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

bool Proprietary_Code(int code)
{
    return code >= Proprietary_Type_Min && code <= Proprietary_Type_Max;
}

// A cell read as a number; one that is not a number counts as -1.
std::int64_t Number(const String& text)
{
    return StrToInt64Def(Trim(text), -1);
}

bool In(const String& text, std::int64_t low, std::int64_t high)
{
    const std::int64_t v = Number(text);
    return v >= low && v <= high;
}

const TObjectKind* Kind_Of_Ede(int ede_type)
{
    for (const TObjectKind& kind : Object_Kinds)
        if (kind.Ede_Type == ede_type) return &kind;
    return nullptr;
}

int Prefix(TBACnetTable table)
{
    return table == TBACnetTable::Read ? Text_Read_Prefix : Text_Write_Prefix;
}

// The texts of one table's checks, Read and Write worded apart.
struct TRowTextSlots {
    int IP, Slave, Object, Instance, Property, Net, Len_Number, Len_Other, Add1, Add2, Add6, Poll, Max_Err;
};
constexpr TRowTextSlots Read_Slots{1438, 1439, 1440, 1441, 1442, 1470, 1471, 1486, 1472, 1473, 1474, 1444, 1445};
constexpr TRowTextSlots Write_Slots{1447, 1448, 1449, 1450, 1451, 1475, 1476, 1487, 1477, 1478, 1479, 1455, 1456};
constexpr int Text_Read_NByte = 1443, Text_Data_Type = 1452, Text_Aspected = 1458, Text_Priority = 1453,
              Text_Write_NByte = 1454;

int Address_Fault(const String& key, int app_type, const TRowTextSlots& texts)
{
    const String text = Trim(key);
    if (app_type == 0) {
        std::uint8_t a, b, c, d;
        return IP_To_Bytes(text, a, b, c, d) ? texts.IP : 0;
    }
    if (app_type == 1) return In(text, 0, 254) ? 0 : texts.Slave;
    return 0;
}

int Destination_Fault(const String& net, const String& len, const String& add, TBACnetTable table,
                      const TRowTextSlots& texts)
{
    if (!In(net, 1, 65535)) return texts.Net;
    int n = 0;
    int length = 0;
    if (TryStrToInt(Trim(len), length)) {
        if (length != 1 && length != 2 && length != 6) return texts.Len_Number;
    } else {
        const String code = Key(len);
        if (code.size() != 2 || code[0] != u'M' || code[1] < u'1' || code[1] > u'8') return texts.Len_Other;
        n = code[1].unicode() - u'0';
    }
    if (n > 0) return Dest_Add_Fault(add, n, table);
    if (length == 1) return In(add, 0, 255) ? 0 : texts.Add1;
    if (length == 2) return In(add, 1, 65535) ? 0 : texts.Add2;
    std::uint8_t a, b, c, d;
    std::uint16_t port;
    return Check_IP_Port(Trim(add), a, b, c, d, port) ? 0 : texts.Add6;
}

std::optional<TBACnetFault> Read_Row_Fault(const TRowTexts& cells, int app_type)
{
    const TRowTextSlots& s = Read_Slots;
    const auto fault = [](int slot) { return TBACnetFault{TBACnetTable::Read, 0, slot, {}}; };
    if (const int slot = Address_Fault(cells[BR_Address], app_type, s)) return fault(slot);
    const int code = Check_Object_Type(cells[BR_Object_Type], TBACnetTable::Read);
    if (code < 0) return fault(s.Object);
    if (!In(cells[BR_Instance], 0, 4294967295LL)) return fault(s.Instance);
    if (Check_Property(cells[BR_Property], TBACnetTable::Read, code) < 0) return fault(s.Property);
    if (!In(cells[BR_NByte], 0, 255)) return fault(Text_Read_NByte);
    if (Key(cells[BR_En_Dest]) == u"Y")
        if (const int slot = Destination_Fault(cells[BR_D_Net], cells[BR_D_Len], cells[BR_D_Add],
                                               TBACnetTable::Read, s))
            return fault(slot);
    if (!In(cells[BR_Poll_Time], 0, 100000000)) return fault(s.Poll);
    if (!In(cells[BR_Max_Err], 0, 65535)) return fault(s.Max_Err);
    return std::nullopt;
}

std::optional<TBACnetFault> Write_Row_Fault(const TRowTexts& cells, int app_type)
{
    const TRowTextSlots& s = Write_Slots;
    const auto fault = [](int slot, String tail = {}) { return TBACnetFault{TBACnetTable::Write, 0, slot, tail}; };
    if (const int slot = Address_Fault(cells[BW_Address], app_type, s)) return fault(slot);
    const int code = Check_Object_Type(cells[BW_Object_Type], TBACnetTable::Write);
    if (code < 0) return fault(s.Object);
    if (!In(cells[BW_Instance], 0, 4294967295LL)) return fault(s.Instance);
    const int property = Check_Property(cells[BW_Property], TBACnetTable::Write, code);
    if (property < 0) return fault(s.Property);
    if (Check_Data_Type(cells[BW_Data_Type], code, property) < 0) {
        const String expected = Aspected_Data_Type_Value(code, property);
        return expected.isEmpty() ? fault(Text_Data_Type) : fault(Text_Aspected, expected);
    }
    if (!In(cells[BW_Priority], 0, 16)) return fault(Text_Priority);
    const int most = Check_Num_Byte_Max(cells[BW_Data_Type]);
    if (!In(cells[BW_NByte], 0, most)) return fault(Text_Write_NByte, IntToStr(most));
    if (Key(cells[BW_En_Dest]) == u"Y")
        if (const int slot = Destination_Fault(cells[BW_D_Net], cells[BW_D_Len], cells[BW_D_Add],
                                               TBACnetTable::Write, s))
            return fault(slot);
    if (cells[BW_Timer].toUpper() == u"Y" && !In(cells[BW_Poll_Time], 0, 100000000)) return fault(s.Poll);
    if (!In(cells[BW_Max_Err], 0, 65535)) return fault(s.Max_Err);
    return std::nullopt;
}

} // namespace

int Check_Object_Type(const String& text, TBACnetTable table)
{
    const String key = Key(text);
    for (std::size_t i = 0; i < Object_Kinds.size(); ++i) {
        if (table == TBACnetTable::Write && !Object_Kinds[i].Write) continue;
        if (Is(key, Object_Kinds[i].Name)) return int(i) + 1;
    }
    const std::int64_t number = Number(text);
    return number >= Proprietary_Type_Min && number <= Proprietary_Type_Max ? int(number) : -1;
}

int Check_Property(const String& text, TBACnetTable table, int code)
{
    const String key = Key(text);
    const bool read = table == TBACnetTable::Read;
    if (Is(key, "Present Value (85)")) return BACnet_Present_Value;
    if (Is(key, "Object Identifier (75)")) return read ? 4 : -1;
    if (Is(key, "Units (117)")) return read && !Among(code, {2, 3, 6, 7, 11, 13}) ? 4 : -1;
    if (Is(key, "Scale (187)")) return read && code == 1 ? 1 : -1;
    if (Is(key, "PreScale (185)")) return read && code == 1 ? 5 : -1;
    if (Is(key, "Polarity (84)")) return read && Among(code, {6, 7, 13}) ? 1 : -1;
    if (Is(key, "Event State (36)")) return read ? 4 : -1;
    if (Is(key, "Status Flags (111)")) return read ? 1 : -1;
    if (Is(key, "Object Type (79)")) return read ? 2 : -1;
    if (Is(key, "Number of States (74)")) return read && Among(code, {2, 3, 11}) ? 4 : -1;
    const std::int64_t number = Number(text);
    if (number >= Proprietary_Property_Min && number <= Proprietary_Property_Max) return BACnet_Proprietary_Property;
    return -1;
}

int Check_Data_Type(const String& text, int code, int property_result)
{
    if (property_result != BACnet_Present_Value) return 1000;
    const String key = Key(text);
    if (Is(key, "Unsigned Int") && Among(code, {3, 10, 11})) return 4;
    if (Is(key, "Signed Int") && code == 8) return 4;
    if (Is(key, "Real") && Among(code, {5, 12})) return 4;
    if (Is(key, "Double") && code == 9) return 8;
    if (Is(key, "Enumerated") && Among(code, {7, 13})) return 1;
    if (Proprietary_Code(code)) return 1;
    return -1;
}

String Aspected_Data_Type_Value(int code, int property_result)
{
    if (property_result != BACnet_Present_Value) return {};
    if (Among(code, {3, 10, 11})) return QStringLiteral("Unsigned Int");
    if (Among(code, {5, 12})) return QStringLiteral("Real");
    if (Among(code, {7, 13})) return QStringLiteral("Enumerated");
    if (code == 8) return QStringLiteral("Signed Int");
    if (code == 9) return QStringLiteral("Double");
    return {};
}

int Check_Num_Byte_Max(const String& data_type)
{
    const String key = Key(data_type);
    if (Is(key, "Null")) return 0;
    if (Is(key, "Boolean")) return 1;
    if (Is(key, "Double")) return 8;
    if (Is(key, "Bit String")) return 120;
    for (const char* four : {"Unsigned Int", "Signed Int", "Real", "Enumerated", "Date", "Time", "Object ID"})
        if (Is(key, four)) return 4;
    return 255;
}

int Dest_Add_Fault(const String& text, int n, TBACnetTable table)
{
    const bool read = table == TBACnetTable::Read;
    const int too_few = read ? 1488 : 1489, bad_byte = read ? 1482 : 1483, too_many = read ? 1484 : 1485;
    const String address = Trim(text);
    if (address.isEmpty()) return too_few;
    int count = 0;
    for (const String& item : address.split(u',')) {
        if (!In(item, 0, 255)) return bad_byte;
        if (++count > n) return too_many;
    }
    return count < n ? too_few : 0;
}

bool Check_Dest_Add(const String& text, int n, TBACnetTable table, int row)
{
    const int slot = Dest_Add_Fault(text, n, table);
    if (slot == 0) return false;
    MessageDlg(BACnet_Fault_Text({table, row, slot, {}}), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return true;
}

String Get_ObjType_EDE(int ede_type)
{
    const TObjectKind* kind = Kind_Of_Ede(ede_type);
    return kind ? QString::fromLatin1(kind->Name) : String();
}

String Get_DataType_EDE(int ede_type)
{
    const TObjectKind* kind = Kind_Of_Ede(ede_type);
    return QString::fromLatin1(kind ? kind->Data_Type : "Null");
}

int Get_NumByte_EDE(int ede_type)
{
    const TObjectKind* kind = Kind_Of_Ede(ede_type);
    return kind ? kind->Bytes : 4;
}

String BACnet_Read_NByte_Hint(const String& object_type, const String& property)
{
    if (Trim(object_type).isEmpty() || Trim(property).isEmpty()) return {};
    const int code = Check_Object_Type(object_type, TBACnetTable::Read);
    const int result = Check_Property(property, TBACnetTable::Read, code);
    if (result >= 1 && result <= 49) return IntToStr(result);
    if (result != BACnet_Present_Value) return {};
    if (Among(code, {1, 2, 3, 4, 5, 8, 10})) return QStringLiteral("4");
    if (Among(code, {6, 7})) return QStringLiteral("1");
    if (code == 9) return QStringLiteral("8");
    return {};
}

std::optional<TBACnetFault> Check_BACnet_Tables(const std::vector<TRowTexts>& read,
                                                const std::vector<TRowTexts>& write, int app_type)
{
    const auto run = [app_type](const std::vector<TRowTexts>& rows, int enable, auto check)
        -> std::optional<TBACnetFault> {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][std::size_t(enable)] != u"Y") continue;
            if (auto fault = check(rows[i], app_type)) {
                fault->Row = int(i) + 1;
                return fault;
            }
        }
        return std::nullopt;
    };
    if (auto fault = run(read, BR_Enable, Read_Row_Fault)) return fault;
    return run(write, BW_Enable, Write_Row_Fault);
}

String BACnet_Fault_Text(const TBACnetFault& fault)
{
    return Lang_Text(Prefix(fault.Table)) + IntToStr(fault.Row) + Lang_Text(fault.Slot) + fault.Tail;
}
