#include "tables/snmptrap/USNMP_Trap_AccessRules.h"

#include "core/UComon.h"
#include "core/ULanguage.h"

namespace {

constexpr int Text_Error_Row = 1960, Text_Not_Unique = 1980;
constexpr int Time_Max = 1000000000;
constexpr int Int_Bits_Max = 64, String_Bytes_Max = 16;

// The texts of one table's checks; the two tables word them apart.
struct TTrapTexts {
    int Community, Type, Time, Position, Bit, String_Bit, Int_Bits, String_Bytes, Description, IP, Conversion;
};
constexpr TTrapTexts Read_Texts{1976, 1961, 1962, 1963, 1964, 1965, 1966, 1967, 1977, 1968, 1985};
constexpr TTrapTexts Write_Texts{1978, 1969, 0, 1970, 1971, 1972, 1973, 1974, 1979, 0, 1986};

// Where a table keeps the cells the checks read.
struct TTrapCols {
    int Enable, Community, Type, On_Timer, Time, Position, Bit, Num_Bits, Description, IP, Conversion;
};
constexpr TTrapCols Read_Cols{TR_Enable, TR_Community, TR_Type, TR_On_Timer, TR_Time, TR_Position,
                              TR_Bit,    TR_Num_Bits,  TR_Description, TR_IP_Address, TR_Conversion};
// The Write table has no trigger and no destination.
constexpr TTrapCols Write_Cols{TW_Enable, TW_Community, TW_Type, -1, -1, TW_Position,
                               TW_Bit,    TW_Num_Bits,  TW_Description, -1, TW_Conversion};

bool Is_Empty(const String& text)
{
    return Trim(text).isEmpty();
}

// The check that fails first in one enabled row, or 0.
int Row_Fault(const TRowTexts& cells, const TTrapCols& col, const TTrapTexts& text)
{
    if (Check_Error_CommName_Desc(cells[col.Community], 0)) return text.Community;
    if (Is_Empty(cells[col.Type])) return text.Type;
    const bool isInt = cells[col.Type].toUpper() == QLatin1String("INT");
    if (col.On_Timer >= 0 && cells[col.On_Timer].toUpper() == QLatin1String("Y")) {
        const int time = StrToIntDef(cells[col.Time], -1);
        if (time < 1 || time > Time_Max) return text.Time;
    }
    if (Is_Empty(cells[col.Position])) return text.Position;
    if (Is_Empty(cells[col.Bit])) return text.Bit;
    if (!isInt && Trim(cells[col.Bit]) != QLatin1String("0")) return text.String_Bit;
    const int size = StrToIntDef(cells[col.Num_Bits], -1);
    if (isInt && (size < 1 || size > Int_Bits_Max)) return text.Int_Bits;
    if (!isInt && (size < 1 || size > String_Bytes_Max)) return text.String_Bytes;
    if (Check_Error_CommName_Desc(cells[col.Description], 1)) return text.Description;
    String a, b, c, d;
    if (col.IP >= 0 && !Split_IP_Address(cells[col.IP], a, b, c, d)) return text.IP;
    if (Is_Empty(cells[col.Conversion])) return text.Conversion;
    return 0;
}

std::optional<TSNMPTrapFault> Check_Table(const std::vector<TRowTexts>& rows, const TTrapCols& col,
                                          const TTrapTexts& text, std::vector<String>& descriptions)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!SNMP_Trap_Row_Enabled(rows[i][col.Enable])) continue;
        if (const int slot = Row_Fault(rows[i], col, text)) return TSNMPTrapFault{slot, int(i) + 1};
        descriptions.push_back(rows[i][col.Description]);
    }
    return std::nullopt;
}

} // namespace

bool Check_Error_CommName_Desc(const String& text, int Check_Type)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        const bool ok = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
        if (!ok) return true;
    }
    if (Check_Type == 1 && !text.isEmpty() && !(text[0].unicode() >= 'a' && text[0].unicode() <= 'z')) return true;
    return false;
}

bool SNMP_Trap_Row_Enabled(const String& enable)
{
    return enable.toUpper() == QLatin1String("Y");
}

std::optional<TSNMPTrapFault> Check_SNMP_Trap(const std::vector<TRowTexts>& read,
                                              const std::vector<TRowTexts>& write, std::vector<String>* out)
{
    std::vector<String> own;
    std::vector<String>& descriptions = out ? *out : own;
    descriptions.clear();
    if (auto fault = Check_Table(read, Read_Cols, Read_Texts, descriptions)) return fault;
    if (auto fault = Check_Table(write, Write_Cols, Write_Texts, descriptions)) return fault;
    for (std::size_t i = 0; i < descriptions.size(); ++i)
        for (std::size_t j = i + 1; j < descriptions.size(); ++j)
            if (descriptions[i] == descriptions[j]) return TSNMPTrapFault{Text_Not_Unique, 0};
    return std::nullopt;
}

String SNMP_Trap_Fault_Text(const TSNMPTrapFault& fault)
{
    if (fault.Row == 0) return Lang_Text(fault.Slot);
    return Lang_Text(Text_Error_Row) + IntToStr(fault.Row) + Lang_Text(fault.Slot);
}
