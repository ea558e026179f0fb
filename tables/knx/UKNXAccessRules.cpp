#include "tables/knx/UKNXAccessRules.h"

#include "core/UComon.h"
#include "core/ULanguage.h"

namespace {

constexpr int Text_Error_Row = 2648;
constexpr int Text_Source = 2649, Text_Individual = 2650, Text_Group = 2651, Text_APCI = 2652,
              Text_Priority = 2653, Text_Format = 2654, Text_Poll_Time = 2655, Text_Position = 2656,
              Text_Bit_Mode = 2657, Text_Length = 2658, Text_Span = 2659;
constexpr int Poll_Max = 100000000;

// Not a number reads as -1, below every range the checks allow.
bool Within(const String& text, int low, int high, int& value)
{
    value = StrToIntDef(text, -1);
    return value >= low && value <= high;
}
bool Within(const String& text, int low, int high)
{
    int value = 0;
    return Within(text, low, high, value);
}

bool Is_Yes(const String& text)
{
    return text.toUpper() == QLatin1String("Y");
}

std::optional<TKNXFault> Row_Fault(const TRowTexts& cells, int row, int max_bytes)
{
    auto fault = [row](int slot, int bound = -1) { return TKNXFault{slot, row, bound}; };
    // The source is a device, so it may never be written as a group.
    const String source = Trim(cells[KX_Source_Address]);
    if (source.contains(QLatin1Char('/')) || Check_KNX_Address(source, false, true)) return fault(Text_Source);
    const String destination = Trim(cells[KX_Destination_Address]);
    const bool group = Is_Not_Dotted(destination);
    if (Check_KNX_Address(destination, group, true)) return fault(group ? Text_Group : Text_Individual);
    const String apci = cells[KX_APCI].toUpper();
    if (apci != QLatin1String("READ") && apci != QLatin1String("WRITE") && !Within(cells[KX_APCI], 0, 1023))
        return fault(Text_APCI);
    if (KNX_Priority(cells[KX_Priority]) != cells[KX_Priority]) return fault(Text_Priority);
    if (Trim(cells[KX_Format]).isEmpty()) return fault(Text_Format);
    if (Is_Yes(cells[KX_On_Timer]) && !Within(cells[KX_Poll_Time], 1, Poll_Max)) return fault(Text_Poll_Time);
    int position = 0;
    if (!Within(cells[KX_Position], 0, max_bytes - 1, position)) return fault(Text_Position, max_bytes - 1);
    int start_bit = 0;
    const bool bit_mode = cells[KX_Bit_Mode].toUpper() != QLatin1String("NO");
    if (bit_mode && !Within(cells[KX_Bit_Mode], 0, 7, start_bit)) return fault(Text_Bit_Mode);
    // Extended frames carry 255 bytes; standard ones 14 (or 112 and 2040 bits).
    const bool extended = Is_Yes(cells[KX_Extended]);
    const int limit = bit_mode ? (extended ? 2040 : 112) : (extended ? 255 : 14);
    int length = 0;
    if (!Within(cells[KX_Length], 1, limit, length)) return fault(Text_Length, limit);
    const int bytes = bit_mode ? (start_bit + length + 7) / 8 : length;
    if (position + bytes > max_bytes) return fault(Text_Span, max_bytes);
    return std::nullopt;
}

} // namespace

std::optional<TKNXFault> Check_KNX_Access(const std::vector<TRowTexts>& rows, int max_bytes)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (Trim(rows[i][KX_Enable]) != QLatin1String("Y")) continue;
        if (auto fault = Row_Fault(rows[i], int(i) + 1, max_bytes)) return fault;
    }
    return std::nullopt;
}

String KNX_Fault_Text(const TKNXFault& fault)
{
    String text = Lang_Text(Text_Error_Row) + IntToStr(fault.Row) + Lang_Text(fault.Slot);
    if (fault.Bound >= 0) text += IntToStr(fault.Bound);
    return text;
}
