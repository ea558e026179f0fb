#include "tables/bacnet/UBACnetAccessFiles.h"

#include "platform/Files.h"
#include "platform/Xml.h"

namespace {

using enum TEditorType;
constexpr TAlignment Centre = TAlignment::taCenter;

const std::vector<String>& Destination_Lengths()
{
    static const std::vector<String> items = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};
    return items;
}

const std::vector<String>& Start_Bits()
{
    static const std::vector<String> items = {"0", "1", "2", "3", "4", "5", "6", "7"};
    return items;
}

const TColor Box = Rgb(0xFFD8B0), Device = Rgb(0xC9E4E4), Object = Rgb(0xE0FAFE), Dest = Rgb(0xE8E8FF),
             Timing = Rgb(0xA8FFA8), Place = Rgb(0xFCD6F4), Name = clWhite;

TTableColumns Read_Columns()
{
    return {
        {.Header = 1408, .Width = 40},
        {.Header = 1490, .Editor = edDataCheckBox, .Width = 50, .Color = Box, .Alignment = Centre, .Attr = "Enable",
         .Load_Default = "Y"},
        {.Header = 1409, .Width = 110, .Color = Device, .Attr = "IP_Address_Slave_ID"},
        {.Header = 1411, .Editor = edComboEdit,
         .Items = {"Accumulator", "Multi-State Input", "Multi-State Output", "Multi-State Value", "Analog Input",
                   "Analog Output", "Analog Value", "Binary Input", "Binary Output", "Binary Value", "Integer Value",
                   "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone"},
         .Width = 150, .Color = Object, .Attr = "Object_Type"},
        {.Header = 1412, .Width = 80, .Color = Object, .Attr = "Instance"},
        {.Header = 1413, .Editor = edComboEdit,
         .Items = {"Present Value (85)", "Object Identifier (75)", "Units (117)", "Scale (187)", "PreScale (185)",
                   "Polarity (84)", "Event State (36)", "Status Flags (111)", "Object Type (79)",
                   "Number of States (74)"},
         .Width = 150, .Color = Object, .Attr = "Property"},
        {.Header = 1414, .Width = 50, .Color = Object, .Attr = "NumByte"},
        {.Header = 1462, .Editor = edDataCheckBox, .Width = 55, .Color = Dest, .Alignment = Centre,
         .Attr = "Enable_Destination", .Load_Default = "N"},
        {.Header = 1463, .Width = 55, .Color = Dest, .Attr = "Destination_Network"},
        {.Header = 1464, .Editor = edComboList, .Items = Destination_Lengths(), .Width = 50, .Color = Dest,
         .Attr = "Destination_Length"},
        {.Header = 1465, .Width = 110, .Color = Dest, .Attr = "Destination_Address"},
        {.Header = 1415, .Width = 65, .Color = Timing, .Attr = "PollTime"},
        {.Header = 1416, .Width = 55, .Color = Timing, .Attr = "MaxError"},
        {.Header = 1417, .Editor = edComboList, .Width = 90, .Color = Place, .Attr = "Position"},
        {.Header = 1418, .Editor = edComboList, .Items = Start_Bits(), .Width = 60, .Color = Place, .Hidden = true,
         .Attr = "StartBit"},
        {.Header = 1460, .Editor = edDataCheckBox, .Width = 50, .Color = Place, .Alignment = Centre, .Hidden = true,
         .Attr = "Swap", .Load_Default = "N"},
        {.Header = 1480, .Editor = edComboList,
         .Items = {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"}, .Width = 120,
         .Color = Place, .Hidden = true, .Attr = "ConvertFrom", .Load_Default = "None"},
        {.Header = 1419, .Width = 200, .Color = Name, .Attr = "Mnemonic"},
    };
}

TTableColumns Write_Columns()
{
    return {
        {.Header = 1420, .Width = 40},
        {.Header = 1491, .Editor = edDataCheckBox, .Width = 50, .Color = Box, .Alignment = Centre, .Attr = "Enable",
         .Load_Default = "Y"},
        {.Header = 1421, .Width = 110, .Color = Device, .Attr = "IP_Address_Slave_ID"},
        {.Header = 1423, .Editor = edComboEdit,
         .Items = {"Multi-State Output", "Multi-State Value", "Analog Output", "Analog Value", "Binary Output",
                   "Binary Value", "Integer Value", "Large Analog Value", "Positive Integer Value"},
         .Width = 150, .Color = Object, .Attr = "Object_Type"},
        {.Header = 1424, .Editor = edComboList,
         .Items = {"Null", "Boolean", "Unsigned Int", "Signed Int", "Real", "Double", "Octet String",
                   "Character String", "Bit String", "Enumerated", "Date", "Time", "Object ID"},
         .Width = 110, .Color = Object, .Attr = "Data_Type"},
        {.Header = 1425, .Width = 80, .Color = Object, .Attr = "Instance"},
        {.Header = 1426, .Editor = edComboEdit, .Items = {"Present Value (85)"}, .Width = 130, .Color = Object,
         .Attr = "Property"},
        {.Header = 1427, .Width = 55, .Color = Object, .Attr = "Priority"},
        {.Header = 1428, .Width = 50, .Color = Object, .Attr = "NumByte"},
        {.Header = 1466, .Editor = edDataCheckBox, .Width = 55, .Color = Dest, .Alignment = Centre,
         .Attr = "Enable_Destination", .Load_Default = "N"},
        {.Header = 1467, .Width = 55, .Color = Dest, .Attr = "Destination_Network"},
        {.Header = 1468, .Editor = edComboList, .Items = Destination_Lengths(), .Width = 50, .Color = Dest,
         .Attr = "Destination_Length"},
        {.Header = 1469, .Width = 110, .Color = Dest, .Attr = "Destination_Address"},
        {.Header = 1429, .Editor = edDataCheckBox, .Width = 55, .Color = Timing, .Alignment = Centre,
         .Attr = "OnChange", .Load_Default = "N"},
        {.Header = 1430, .Editor = edDataCheckBox, .Width = 50, .Color = Timing, .Alignment = Centre,
         .Attr = "OnTimer", .Load_Default = "N"},
        {.Header = 1431, .Width = 65, .Color = Timing, .Attr = "PollTime"},
        {.Header = 1432, .Width = 55, .Color = Timing, .Attr = "MaxError"},
        {.Header = 1433, .Editor = edComboList, .Width = 90, .Color = Place, .Attr = "Position"},
        {.Header = 1434, .Editor = edComboList, .Items = Start_Bits(), .Width = 60, .Color = Place, .Hidden = true,
         .Attr = "StartBit"},
        {.Header = 1461, .Editor = edDataCheckBox, .Width = 50, .Color = Place, .Alignment = Centre, .Hidden = true,
         .Attr = "Swap", .Load_Default = "N"},
        {.Header = 1481, .Editor = edComboList,
         .Items = {"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"}, .Width = 120,
         .Color = Place, .Hidden = true, .Attr = "ConvertFrom", .Load_Default = "None"},
        {.Header = 1435, .Width = 200, .Color = Name, .Attr = "Mnemonic"},
    };
}

std::vector<String> Devices()
{
    std::vector<String> items;
    for (int i = 0; i < 64; ++i) items.push_back(QStringLiteral("Device %1").arg(i));
    return items;
}

} // namespace

bool BACnet_Type_Has_Address(int app_type)
{
    return app_type == 0 || app_type == 1;
}

const TTableLayout& BACnet_Read_Layout(int app_type)
{
    static const TTableLayout by_address{"BACnet_Read", BR_Address, Read_Columns()};
    static const TTableLayout by_object{"BACnet_Read", BR_Object_Type, Read_Columns()};
    return BACnet_Type_Has_Address(app_type) ? by_address : by_object;
}

const TTableLayout& BACnet_Write_Layout(int app_type)
{
    static const TTableLayout by_address{"BACnet_Write", BW_Address, Write_Columns()};
    static const TTableLayout by_object{"BACnet_Write", BW_Object_Type, Write_Columns()};
    return BACnet_Type_Has_Address(app_type) ? by_address : by_object;
}

std::vector<String> BACnet_Read_Positions()
{
    std::vector<String> items = Devices();
    for (int i = 1; i <= 16; ++i) items.push_back(QStringLiteral("Group %1").arg(i));
    items.push_back(QStringLiteral("Broadcast"));
    for (int i = 1; i <= 16; ++i) items.push_back(QStringLiteral("Scene %1").arg(i));
    return items;
}

std::vector<String> BACnet_Write_Positions(const std::vector<String>& dali2_positions)
{
    std::vector<String> items = Devices();
    items.insert(items.end(), dali2_positions.begin(), dali2_positions.end());
    return items;
}

std::vector<String> Load_DALI2_Positions(const String& path)
{
    std::vector<String> positions;
    if (!FileExists(path)) return positions;
    TXMLDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const Exception&) {
        // The DALI window reports its own broken file; here it only offers no positions.
        return positions;
    }
    const TXMLNode root = doc.DocumentElement();
    if (!root || root.NodeName() != u"DALI2_Access") return positions;
    const TXMLNode rules = root.ChildNode(QStringLiteral("DALI2_SetAccess_Rules"));
    if (!rules) return positions;
    for (const TXMLNode& row : rules.ChildNodes()) {
        if (row.NodeName() != u"row") continue;
        if (row.AttributeOr(QStringLiteral("Enable"), QStringLiteral("Y")) != u"Y") continue;
        if (row.HasAttribute(QStringLiteral("Position"))) positions.push_back(row.Attribute(QStringLiteral("Position")));
    }
    return positions;
}

bool Load_BACnet_Type(const String& path, int& app_type)
{
    app_type = 0;
    if (!FileExists(path)) return false;
    TXMLDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const Exception&) {
        return false;
    }
    const TXMLNode root = doc.DocumentElement();
    if (!root) return false;
    const TXMLNode type = root.ChildNode(QStringLiteral("BACnet_Type"));
    if (!type) return false;
    app_type = StrToIntDef(Trim(type.Text()), 0);
    return true;
}
