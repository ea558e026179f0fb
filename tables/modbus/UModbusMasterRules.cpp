#include "tables/modbus/UModbusMasterRules.h"

#include "core/ULanguage.h"

#include <cstdint>

namespace {

constexpr int Poll_Max = 100000000;

// Not a number reads as -1, below every range the checks allow.
int Number(const String& text)
{
    return StrToIntDef(text, -1);
}

bool Within(const String& text, int low, int high)
{
    const int value = Number(text);
    return value >= low && value <= high;
}

// Per-request maxima of the protocol: reading 125 registers or 2000 bits,
// writing 123 registers or 1968 coils.
int NPoint_Limit(bool write, bool bits)
{
    if (write) return bits ? 1968 : 123;
    return bits ? 2000 : 125;
}

bool Is_Bit_Type(bool write, const String& type)
{
    const String t = Trim(type).toUpper();
    return t == QLatin1String("COIL STATUS") || (!write && t == QLatin1String("INPUT STATUS"));
}

std::optional<TModbusFault> Row_Fault(const TModbusDirection& d, const TRowTexts& cells, int row)
{
    const TModbusCols& c = d.Cols;
    auto fault = [&](TModbusCheck check, int bound = -1) { return TModbusFault{d.Write, row, check, bound}; };
    if (c.IP_Address >= 0 && Check_IP_Address(cells[c.IP_Address])) return fault(TModbusCheck::IP_Address);
    if (c.Port >= 0 && !Within(cells[c.Port], 0, 65535)) return fault(TModbusCheck::Port);
    if (!Within(cells[c.Slave_ID], 1, 247)) return fault(TModbusCheck::Slave_ID);
    if (cells[c.Type].isEmpty()) return fault(TModbusCheck::Type);
    const bool bits = Is_Bit_Type(d.Write, cells[c.Type]);
    if (!Within(cells[c.Address], 0, 65535)) return fault(TModbusCheck::Address);
    const int limit = NPoint_Limit(d.Write, bits);
    if (!Within(cells[c.NPoint], 1, limit)) return fault(TModbusCheck::NPoint, limit);
    if (!Within(cells[c.Poll_Time], d.Write ? 0 : 1, Poll_Max)) return fault(TModbusCheck::Poll_Time);
    if (!Within(cells[c.Max_Error], 0, Poll_Max)) return fault(TModbusCheck::Max_Error);
    if (!Within(cells[c.Position], 0, d.Area_Bytes - 1)) return fault(TModbusCheck::Position, d.Area_Bytes - 1);
    const std::int64_t position = Number(cells[c.Position]);
    const std::int64_t points = Number(cells[c.NPoint]);
    std::int64_t last = position + 2 * points - 1;
    if (bits) {
        // The message names the range 0 to 7, so a start bit outside it is
        // refused rather than read as some other bit.
        if (!Within(cells[c.Bit], 0, 7)) return fault(TModbusCheck::Bit);
        last = position + (points + Number(cells[c.Bit]) - 1) / 8;
    }
    if (last >= d.Area_Bytes) return fault(TModbusCheck::Too_Many);
    return std::nullopt;
}

} // namespace

bool Check_IP_Address(const String& IP_Address)
{
    if (IP_Address.isEmpty()) return true;
    // Three cuts at the first three points; the fourth part is all that remains.
    String rest = IP_Address;
    for (int part = 0; part < 4; ++part) {
        const int dot = part < 3 ? rest.indexOf(QLatin1Char('.')) : -1;
        const String text = dot < 0 ? rest : rest.left(dot);
        rest = dot < 0 ? String() : rest.mid(dot + 1);
        if (!Within(text, 0, 255)) return true;
    }
    return false;
}

std::optional<TModbusFault> Check_Modbus_Table(const TModbusDirection& direction, const std::vector<TRowTexts>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (Trim(rows[i][direction.Cols.Enable]) != QLatin1String("Y")) continue;
        if (auto fault = Row_Fault(direction, rows[i], int(i) + 1)) return fault;
    }
    return std::nullopt;
}

std::optional<TModbusFault> Check_Modbus_Master(const TModbusMaster& master, const std::vector<TRowTexts>& read,
                                                const std::vector<TRowTexts>& write)
{
    if (auto fault = Check_Modbus_Table(master.Read, read)) return fault;
    return Check_Modbus_Table(master.Write, write);
}

int Modbus_Fault_Slot(const TModbusMaster& master, const TModbusFault& fault)
{
    const TModbusDirection& d = fault.Write ? master.Write : master.Read;
    return d.Slave_ID_Slot + int(fault.Check) - int(TModbusCheck::Slave_ID);
}

String Modbus_Fault_Text(const TModbusMaster& master, const TModbusFault& fault)
{
    String text = Lang_Text(master.Error_Row_Slot) + IntToStr(fault.Row) + Lang_Text(Modbus_Fault_Slot(master, fault));
    if (fault.Bound >= 0) text += IntToStr(fault.Bound);
    return text;
}
