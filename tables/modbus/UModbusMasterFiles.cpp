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

// Widths of the columns after the head; the two masters lay the same
// columns out at their own widths. A Read table has no "On Change".
struct TWidths {
    int Slave_ID, Type, Address, NPoint, Poll_Time, On_Change, Max_Error, Position, Bit, Mnemonic;
};

// One table of requests from the header slot of "N" on: the head, the slave
// and the timing, for a Write table the hidden triggers (loaded, never shown;
// `saved_as` non-null writes that text whatever the file held), then the
// place in the data area and the description. Slots follow one another.
TTableColumns Request_Columns(int slot, bool tcp, bool write, const TWidths& w, const char* saved_as = nullptr)
{
    TTableColumns columns = Head(slot, tcp);
    int s = slot + int(columns.size());
    auto add = [&](TTableColumn column) {
        columns.push_back(std::move(column));
        ++s;
    };
    add(Text(s, w.Slave_ID, Slave, "Slave_ID"));
    add(List(s, write ? Write_Types : Read_Types, w.Type, Slave, "Type"));
    add(Text(s, w.Address, Slave, "Address"));
    add(Text(s, w.NPoint, Slave, "NPoint"));
    add(Text(s, w.Poll_Time, Timing, "PollTime"));
    if (write) {
        const TTableColumn on_change = Box(s, w.On_Change, Timing, "OnChange", nullptr);
        const TTableColumn on_cmd = Box(s + 1, 56, Timing, "OnCMD", "N");
        for (TTableColumn trigger : {on_change, on_cmd}) {
            trigger.Hidden = true;
            trigger.Saved_As = saved_as;
            add(trigger);
        }
    }
    add(Text(s, w.Max_Error, Timing, "MaxError"));
    // Its pick list of the area's byte positions is filled at every showing.
    add(List(s, {}, w.Position, Place, "Position"));
    add(List(s, Start_Bits(), w.Bit, Place, "Bit"));
    add(Box(s, 40, Swap_Colour, "Swap", "N"));
    add(Text(s, w.Mnemonic, clWhite, "Mnemonic"));
    return columns;
}

} // namespace

const TModbusMaster& Modbus_TCP_Master()
{
    static const TModbusMaster master = [] {
        TModbusMaster m;
        TTableColumns read = Request_Columns(1108, true, false, {55, 100, 55, 45, 60, 0, 64, 60, 60, 200});
        // The gateway takes its TCP write triggers from elsewhere: the file always says "N".
        TTableColumns write = Request_Columns(1122, true, true, {55, 100, 55, 45, 60, 66, 62, 55, 55, 212}, "N");
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
        TTableColumns read = Request_Columns(1710, false, false, {60, 115, 60, 64, 64, 0, 64, 61, 64, 240});
        TTableColumns write = Request_Columns(1722, false, true, {60, 115, 60, 64, 64, 68, 64, 64, 64, 237});
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
