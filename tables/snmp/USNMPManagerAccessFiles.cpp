#include "tables/snmp/USNMPManagerAccessFiles.h"

const TTableLayout& SNMP_Manager_Layout()
{
    using enum TEditorType;
    constexpr TAlignment Centre = TAlignment::taCenter;
    const TColor Target = Rgb(0xE0FAFE), Request = Rgb(0xFFFFA8), Trigger = Rgb(0xA8FFA8), Place = Rgb(0xFCD6F4),
                 V3 = Rgb(0x91DEFF);
    static const TTableLayout layout{
        nullptr, SM_IP_Address,
        {
            {.Header = 2708, .Width = 40},
            {.Header = 2709, .Hint = 2723, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xFFD8B0),
             .Alignment = Centre, .Attr = "Enable", .Load_Default = "Y"},
            {.Header = 2710, .Hint = 2724, .Width = 90, .Color = Target, .Attr = "IP_Address"},
            {.Header = 2711, .Hint = 2725, .Editor = edComboList, .Items = {"1", "2", "3"}, .Width = 60,
             .Color = Target, .Attr = "Version"},
            {.Header = 2712, .Hint = 2726, .Editor = edComboEdit, .Items = {"Quenta", "Sorvine"}, .Width = 106,
             .Color = Target, .Attr = "Community_String"},
            {.Header = 2713, .Hint = 2727, .Width = 100, .Color = Target, .Attr = "OID"},
            {.Header = 2714, .Hint = 2728, .Editor = edComboList, .Items = {"String", "Int"}, .Width = 65,
             .Color = Request, .Attr = "Type"},
            {.Header = 2715, .Hint = 2729, .Editor = edComboList, .Items = {"Get", "Set", "Trap"}, .Width = 65,
             .Color = Request, .Attr = "Mode"},
            {.Header = 2716, .Hint = 2730, .Editor = edDataCheckBox, .Width = 75, .Color = Trigger,
             .Alignment = Centre, .Attr = "On_Change", .Load_Default = "N"},
            {.Header = 2717, .Hint = 2731, .Editor = edDataCheckBox, .Width = 50, .Color = Trigger,
             .Alignment = Centre, .Attr = "On_Command", .Load_Default = "N"},
            {.Header = 2718, .Hint = 2732, .Editor = edDataCheckBox, .Width = 65, .Color = Trigger,
             .Alignment = Centre, .Attr = "On_Timer", .Load_Default = "N"},
            {.Header = 2719, .Hint = 2733, .Width = 65, .Color = Trigger, .Attr = "Time"},
            // Its pick list "0" to "1999" is filled at every showing.
            {.Header = 2720, .Hint = 2734, .Editor = edComboList, .Width = 75, .Color = Place, .Attr = "Position"},
            {.Header = 2721, .Hint = 2735, .Width = 75, .Color = Place, .Attr = "Number_Bytes"},
            {.Header = 2754, .Hint = 2755, .Editor = edComboList,
             .Items = {"None", "Float", "Float * 10", "Float * 100"}, .Width = 95, .Color = Rgb(0xFFD8B0),
             .Attr = "ConvertFrom", .Load_Default = "None"},
            {.Header = 2760, .Hint = 2761, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xD5D5FF),
             .Alignment = Centre, .Attr = "Cancel", .Load_Default = "N"},
            {.Header = 2762, .Hint = 2768, .Width = 70, .Color = V3, .Attr = "User"},
            {.Header = 2763, .Hint = 2769, .Width = 70, .Color = V3, .Attr = "Auth_Pass"},
            {.Header = 2764, .Hint = 2770, .Width = 70, .Color = V3, .Attr = "Priv_Pass"},
            {.Header = 2765, .Hint = 2771, .Editor = edComboList,
             .Items = {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"}, .Width = 100, .Color = V3,
             .Attr = "Security_Level"},
            {.Header = 2766, .Hint = 2772, .Editor = edComboList, .Items = {"MD5", "SHA"}, .Width = 75, .Color = V3,
             .Attr = "Auth_Mode"},
            {.Header = 2767, .Hint = 2773, .Editor = edComboList, .Items = {"DES", "AES"}, .Width = 75, .Color = V3,
             .Attr = "Priv_Mode"},
            {.Header = 2722, .Hint = 2736, .Width = 80, .Attr = "Mnemonic"},
        }};
    return layout;
}
