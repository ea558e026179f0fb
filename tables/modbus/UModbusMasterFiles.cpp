#include "tables/modbus/UModbusMasterFiles.h"

#include "core/UComon.h"

namespace {

using enum TEditorType;
constexpr TAlignment Centre = TAlignment::taCenter;
const TColor Enable_Colour = Rgb(0xFFD8B0), Slave = Rgb(0xE0FAFE), Timing = Rgb(0xA8FFA8), Place = Rgb(0xFCD6F4),
             Swap_Colour = Rgb(0xFFFFA8);

const std::vector<String>& Start_Bits()
{
    static const std::vector<String> items = {"0", "1", "2", "3", "4", "5", "6", "7"};
    return items;
}
const std::vector<String> Read_Types = {"Coil Status", "Input Status", "Holding Register", "Input Register"};
const std::vector<String> Write_Types = {"Coil Status", "Holding Register"};

// The columns every table has, from the header slot of "N" on: the numbers,
// the check box, then the slave's address when the master talks TCP.
TTableColumns Head(int slot, bool tcp)
{
    TTableColumns columns{
        {.Header = slot, .Width = 40},
        {.Header = slot + 1, .Editor = edDataCheckBox, .Width = 50, .Color = Enable_Colour, .Alignment = Centre,
         .Attr = "Enable", .Load_Default = "Y"},
    };
    if (tcp) {
        columns.push_back({.Header = slot + 2, .Width = 101, .Color = Slave, .Attr = "IP_Address", .Required = true});
        columns.push_back({.Header = slot + 3, .Width = 45, .Color = Slave, .Attr = "Port", .Required = true});
    }
    return columns;
}

TTableColumn Text(int slot, int width, TColor colour, const char* attr)
{
    return {.Header = slot, .Width = width, .Color = colour, .Attr = attr, .Required = true};
}
TTableColumn List(int slot, const std::vector<String>& items, int width, TColor colour, const char* attr)
{
    return {.Header = slot, .Editor = edComboList, .Items = items, .Width = width, .Color = colour, .Attr = attr,
            .Required = true};
}
TTableColumn Box(int slot, int width, TColor colour, const char* attr, const char* fallback)
{
    return {.Header = slot, .Editor = edDataCheckBox, .Width = width, .Color = colour, .Alignment = Centre,
            .Attr = attr, .Load_Default = fallback, .Required = !fallback};
}

// The hidden triggers of a Write table: loaded, never shown; `saved_as`
// non-null writes that text whatever the file held.
void Add_Hidden_Triggers(TTableColumns& columns, int slot, int on_change_width, const char* saved_as)
{
    TTableColumn on_change = Box(slot, on_change_width, Timing, "OnChange", nullptr);
    TTableColumn on_cmd = Box(slot + 1, 56, Timing, "OnCMD", "N");
    for (TTableColumn* column : {&on_change, &on_cmd}) {
        column->Hidden = true;
        column->Saved_As = saved_as;
    }
    columns.push_back(on_change);
    columns.push_back(on_cmd);
}

} // namespace

const TModbusMaster& Modbus_TCP_Master()
{
    static const TModbusMaster master = [] {
        TModbusMaster m;
        TTableColumns read = Head(1108, true);
        for (TTableColumn c : {Text(1112, 55, Slave, "Slave_ID"), List(1113, Read_Types, 100, Slave, "Type"),
                               Text(1114, 55, Slave, "Address"), Text(1115, 45, Slave, "NPoint"),
                               Text(1116, 60, Timing, "PollTime"), Text(1117, 64, Timing, "MaxError"),
                               // Its pick list "0" to "127" is filled at every showing.
                               List(1118, {}, 60, Place, "Position"), List(1119, Start_Bits(), 60, Place, "Bit"),
                               Box(1120, 40, Swap_Colour, "Swap", "N"), Text(1121, 200, clWhite, "Mnemonic")})
            read.push_back(c);
        TTableColumns write = Head(1122, true);
        for (TTableColumn c : {Text(1126, 55, Slave, "Slave_ID"), List(1127, Write_Types, 100, Slave, "Type"),
                               Text(1128, 55, Slave, "Address"), Text(1129, 45, Slave, "NPoint"),
                               Text(1130, 60, Timing, "PollTime")})
            write.push_back(c);
        // The gateway takes its TCP write triggers from elsewhere: the file always says "N".
        Add_Hidden_Triggers(write, 1131, 66, "N");
        for (TTableColumn c : {Text(1133, 62, Timing, "MaxError"), List(1134, {}, 55, Place, "Position"),
                               List(1135, Start_Bits(), 55, Place, "Bit"), Box(1136, 40, Swap_Colour, "Swap", "N"),
                               Text(1137, 212, clWhite, "Mnemonic")})
            write.push_back(c);
        m.Read = {{"Modbus_Read", MTR_IP_Address, std::move(read)},
                  {MTR_Enable, MTR_IP_Address, MTR_Port, MTR_Slave_ID, MTR_Type, MTR_Address, MTR_NPoint,
                   MTR_Poll_Time, MTR_Max_Error, MTR_Position, MTR_Bit},
                  false, Modbus_In_Bytes, 1141};
        m.Write = {{"Modbus_Write", MTW_IP_Address, std::move(write)},
                   {MTW_Enable, MTW_IP_Address, MTW_Port, MTW_Slave_ID, MTW_Type, MTW_Address, MTW_NPoint,
                    MTW_Poll_Time, MTW_Max_Error, MTW_Position, MTW_Bit},
                   true, Modbus_Out_Bytes, 1152};
        m.Client_Width = 1007;
        m.Caption_Slot = 1100;
        m.First_Button_Slot = 1102;
        m.Button_Slots = 4;
        m.Error_Row_Slot = 1138;
        m.Delete_Slot = 1161;
        m.Root = "PROFINET_Master_to_Modbus_TCP_Master";
        m.Version = "SW_VERSION = 1.000";
        m.File = &TProgramState::File_ModbusTCPM_SetAccess;
        return m;
    }();
    return master;
}

const TModbusMaster& Modbus_Serial_Master()
{
    static const TModbusMaster master = [] {
        TModbusMaster m;
        TTableColumns read = Head(1710, false);
        for (TTableColumn c : {Text(1712, 60, Slave, "Slave_ID"), List(1713, Read_Types, 115, Slave, "Type"),
                               Text(1714, 60, Slave, "Address"), Text(1715, 64, Slave, "NPoint"),
                               Text(1716, 64, Timing, "PollTime"), Text(1717, 64, Timing, "MaxError"),
                               List(1718, {}, 61, Place, "Position"), List(1719, Start_Bits(), 64, Place, "Bit"),
                               Box(1720, 40, Swap_Colour, "Swap", "N"), Text(1721, 240, clWhite, "Mnemonic")})
            read.push_back(c);
        TTableColumns write = Head(1722, false);
        for (TTableColumn c : {Text(1724, 60, Slave, "Slave_ID"), List(1725, Write_Types, 115, Slave, "Type"),
                               Text(1726, 60, Slave, "Address"), Text(1727, 64, Slave, "NPoint"),
                               Text(1728, 64, Timing, "PollTime")})
            write.push_back(c);
        Add_Hidden_Triggers(write, 1729, 68, nullptr);
        for (TTableColumn c : {Text(1731, 64, Timing, "MaxError"), List(1732, {}, 64, Place, "Position"),
                               List(1733, Start_Bits(), 64, Place, "Bit"), Box(1734, 40, Swap_Colour, "Swap", "N"),
                               Text(1735, 237, clWhite, "Mnemonic")})
            write.push_back(c);
        m.Read = {{"Modbus_Read", MR_Slave_ID, std::move(read)},
                  {MR_Enable, -1, -1, MR_Slave_ID, MR_Type, MR_Address, MR_NPoint, MR_Poll_Time, MR_Max_Error,
                   MR_Position, MR_Bit},
                  false, Modbus_In_Bytes, 1737};
        m.Write = {{"Modbus_Write", MW_Slave_ID, std::move(write)},
                   {MW_Enable, -1, -1, MW_Slave_ID, MW_Type, MW_Address, MW_NPoint, MW_Poll_Time, MW_Max_Error,
                    MW_Position, MW_Bit},
                   true, Modbus_Out_Bytes, 1746};
        m.Client_Width = 956;
        m.Caption_Slot = 1700;
        m.First_Button_Slot = 1702;
        m.Button_Slots = 6;
        m.Error_Row_Slot = 1736;
        m.Delete_Slot = 1755;
        m.Root = "EtherNetIP_to_Modbus";
        m.Version = "SW_VERSION = 1.101";
        m.File = &TProgramState::File_ModbusM_SetAccess;
        return m;
    }();
    return master;
}
