#include "tables/snmp/USNMPManagerAccessRules.h"

#include "core/UBinConfig.h"
#include "core/UComon.h"
#include "core/ULanguage.h"

namespace {

// Texts of the checks.
constexpr int Text_Error_Row = 2737, Text_IP = 2738, Text_OID_First = 2739, Text_Time = 2745,
              Text_Conversion = 2756, Text_Get_Needs_Timer = 2757, Text_Security_Level = 2783,
              Text_Auth_Mode = 2784, Text_Priv_Mode = 2785, Text_Error_Rows = 2786, Text_And = 2787,
              Text_Same_Request = 2788, Text_Too_Many_Characters = 2789, Text_Number_Bytes_255 = 1543;

constexpr int Time_Max = 100000000;

bool Is_Y(const String& text)
{
    return Trim(text) == QLatin1String("Y");
}

std::optional<TSNMPFault> Check_Row(const TRowTexts& cells, int row, TSNMPStringPool& pool)
{
    const auto fault = [row](int slot) { return TSNMPFault{slot, row}; };
    std::uint8_t a = 0, b = 0, c = 0, d = 0;
    if (IP_To_Bytes(cells[SM_IP_Address], a, b, c, d)) return fault(Text_IP);
    // An empty OID has no number at all: the check calls it a wrong character.
    const String& oid = cells[SM_OID];
    if (const int code = Check_OID(oid)) return fault(Text_OID_First + code - 1);

    const bool onTimer = Is_Y(cells[SM_On_Timer]);
    if (Trim(cells[SM_Mode]) == QLatin1String("Get") && !onTimer) return fault(Text_Get_Needs_Timer);
    if (onTimer) {
        const int time = StrToIntDef(cells[SM_Time], -1);
        if (time < 1 || time > Time_Max) return fault(Text_Time);
    }
    const int bytes = StrToIntDef(cells[SM_Num_Bytes], -1);
    if (bytes < 0 || bytes > SNMP_Max_Number_Bytes) return fault(Text_Number_Bytes_255);
    if (Trim(cells[SM_Conversion]).isEmpty()) return fault(Text_Conversion);

    if (StrToIntDef(cells[SM_Version], -1) == 3) {
        const int level = SNMP_Security_Level_Code(cells[SM_Security_Level]);
        if (level == -1) return fault(Text_Security_Level);
        if ((level & 1) && Trim(cells[SM_Auth_Mode]).isEmpty()) return fault(Text_Auth_Mode);
        if ((level & 2) && Trim(cells[SM_Priv_Mode]).isEmpty()) return fault(Text_Priv_Mode);
    }
    // The pool takes what the image builder will put into it.
    for (const String& text : SNMP_Pool_Texts({cells[SM_Version], oid, cells[SM_Community], cells[SM_User],
                                               cells[SM_Auth_Pass], cells[SM_Priv_Pass]}))
        pool.Add(text);
    return std::nullopt;
}

std::optional<TSNMPFault> Check_Duplicates(const std::vector<TRowTexts>& rows)
{
    const int count = int(rows.size());
    auto enabled = [&](int i) { return SNMP_Row_Enabled(rows[std::size_t(i)][SM_Enable]); };
    auto same = [&](int i, int j, int col) { return Trim(rows[std::size_t(i)][col]) == Trim(rows[std::size_t(j)][col]); };
    for (int i = 0; i < count; ++i) {
        if (!enabled(i)) continue;
        for (int j = i + 1; j < count; ++j) {
            if (!enabled(j)) continue;
            if (same(i, j, SM_IP_Address) && same(i, j, SM_Version) && same(i, j, SM_OID))
                return TSNMPFault{Text_Same_Request, i + 1, j + 1};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TSNMPFault> Check_SNMP_Manager(const std::vector<TRowTexts>& rows)
{
    TSNMPStringPool pool;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!SNMP_Row_Enabled(rows[i][SM_Enable])) continue;
        if (auto fault = Check_Row(rows[i], int(i) + 1, pool)) return fault;
    }
    if (auto fault = Check_Duplicates(rows)) return fault;
    if (pool.Bytes() > SNMP_Pool_Capacity) return TSNMPFault{Text_Too_Many_Characters};
    return std::nullopt;
}

String SNMP_Fault_Text(const TSNMPFault& fault)
{
    if (fault.Other_Row > 0)
        return Lang_Text(Text_Error_Rows) + IntToStr(fault.Row) + Lang_Text(Text_And) + IntToStr(fault.Other_Row) +
               Lang_Text(fault.Slot);
    if (fault.Row > 0) return Lang_Text(Text_Error_Row) + IntToStr(fault.Row) + Lang_Text(fault.Slot);
    return Lang_Text(fault.Slot);
}
