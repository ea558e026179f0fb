#include "tables/snmptrap/USNMP_Trap_AccessFiles.h"

namespace {

using enum TEditorType;
constexpr TAlignment Centre = TAlignment::taCenter;
constexpr int Name_Length = 15;

const std::vector<String>& Conversions()
{
    static const std::vector<String> items = {"None", "Float", "Float * 10", "Float * 100", "Float / 10",
                                              "Float / 100"};
    return items;
}

const std::vector<String>& Start_Bits()
{
    static const std::vector<String> items = {"0", "1", "2", "3", "4", "5", "6", "7"};
    return items;
}

} // namespace

const TTableLayout& SNMP_Trap_Read_Layout()
{
    const TColor Name = Rgb(0xE0FAFE), Trigger = Rgb(0xA8FFA8), Place = Rgb(0xFCD6F4);
    static const TTableLayout layout{
        "SNMP_Trap_Read", TR_Community,
        {
            {.Header = 1916, .Width = 40},
            {.Header = 1917, .Hint = 1939, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xFFD8B0),
             .Alignment = Centre, .Attr = "Enable", .Load_Default = "Y"},
            {.Header = 1918, .Hint = 1940, .Editor = edComboEdit, .Items = {"Quenta", "Sorvine"}, .Width = 130,
             .Color = Name, .Edit_Length = Name_Length, .Attr = "Community_Name"},
            {.Header = 1919, .Hint = 1941, .Editor = edComboList, .Items = {"Int", "String"}, .Width = 60,
             .Color = Name, .Attr = "Type"},
            {.Header = 1920, .Hint = 1942, .Editor = edDataCheckBox, .Width = 75, .Color = Trigger,
             .Alignment = Centre, .Attr = "On_Change", .Load_Default = "N"},
            {.Header = 1921, .Hint = 1943, .Editor = edDataCheckBox, .Width = 50, .Color = Trigger,
             .Alignment = Centre, .Attr = "On_Command", .Load_Default = "N"},
            {.Header = 1922, .Hint = 1944, .Editor = edDataCheckBox, .Width = 60, .Color = Trigger,
             .Alignment = Centre, .Attr = "On_Timer", .Load_Default = "N"},
            {.Header = 1923, .Hint = 1945, .Width = 65, .Color = Trigger, .Attr = "Time"},
            // Its pick list "0" to "1439" is filled at every showing.
            {.Header = 1924, .Hint = 1946, .Editor = edComboList, .Width = 60, .Color = Place, .Attr = "Position"},
            {.Header = 1925, .Hint = 1947, .Editor = edComboList, .Items = Start_Bits(), .Width = 60,
             .Color = Place, .Attr = "Bit"},
            {.Header = 1926, .Hint = 1948, .Width = 95, .Color = Rgb(0xFFFFA8), .Attr = "NumBits"},
            {.Header = 1927, .Hint = 1949, .Width = 130, .Color = Rgb(0xD5D5FF), .Edit_Length = Name_Length,
             .Attr = "Description"},
            {.Header = 1928, .Hint = 1950, .Width = 120, .Color = Rgb(0xC9E4E4), .Attr = "IP_Address"},
            {.Header = 1981, .Hint = 1983, .Editor = edComboList, .Items = Conversions(), .Width = 100,
             .Color = Rgb(0xFFD8B0), .Attr = "Conversion", .Load_Default = "None"},
            {.Header = 1929, .Hint = 1951, .Width = 130, .Color = clWhite, .Attr = "Mnemonic"},
        }};
    return layout;
}

const TTableLayout& SNMP_Trap_Write_Layout()
{
    const TColor Name = Rgb(0xE0FAFE), Place = Rgb(0xFCD6F4);
    static const TTableLayout layout{
        "SNMP_Trap_Write", TW_Community,
        {
            {.Header = 1930, .Width = 40},
            {.Header = 1931, .Hint = 1952, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xFFD8B0),
             .Alignment = Centre, .Attr = "Enable", .Load_Default = "Y"},
            {.Header = 1932, .Hint = 1953, .Editor = edComboEdit, .Items = {"Quenta", "Sorvine"}, .Width = 130,
             .Color = Name, .Edit_Length = Name_Length, .Attr = "Community_Name"},
            {.Header = 1933, .Hint = 1954, .Editor = edComboList, .Items = {"Int", "String"}, .Width = 60,
             .Color = Name, .Attr = "Type"},
            {.Header = 1934, .Hint = 1955, .Editor = edComboList, .Width = 60, .Color = Place, .Attr = "Position"},
            {.Header = 1935, .Hint = 1956, .Editor = edComboList, .Items = Start_Bits(), .Width = 60,
             .Color = Place, .Attr = "Bit"},
            {.Header = 1936, .Hint = 1957, .Width = 95, .Color = Rgb(0xFFFFA8), .Attr = "NumBits"},
            {.Header = 1937, .Hint = 1958, .Width = 130, .Color = Rgb(0xD5D5FF), .Edit_Length = Name_Length,
             .Attr = "Description"},
            {.Header = 1982, .Hint = 1984, .Editor = edComboList, .Items = Conversions(), .Width = 100,
             .Color = Rgb(0xFFD8B0), .Attr = "Conversion", .Load_Default = "None"},
            {.Header = 1938, .Hint = 1959, .Width = 500, .Color = clWhite, .Attr = "Mnemonic"},
        }};
    return layout;
}

TRowTexts SNMP_Trap_Default_Read_Row(int i)
{
    const String name = QStringLiteral("lampADV%1").arg(i);
    TRowTexts row(TR_Col_Count);
    row[TR_N] = IntToStr(i + 1);
    row[TR_Enable] = "Y";
    row[TR_Community] = "quenta";
    row[TR_Type] = "Int";
    row[TR_On_Change] = row[TR_On_Command] = row[TR_On_Timer] = "N";
    row[TR_Time] = "1000";
    row[TR_Position] = IntToStr(8 * i);
    row[TR_Bit] = "0";
    row[TR_Num_Bits] = "8";
    row[TR_Description] = row[TR_Mnemonic] = name;
    row[TR_IP_Address] = "192.168.2.16";
    row[TR_Conversion] = "None";
    return row;
}

TRowTexts SNMP_Trap_Default_Write_Row(int i)
{
    const String name = QStringLiteral("lamp%1").arg(i);
    TRowTexts row(TW_Col_Count);
    row[TW_N] = IntToStr(i + 1);
    row[TW_Enable] = "Y";
    row[TW_Community] = "quenta";
    row[TW_Type] = "Int";
    row[TW_Position] = IntToStr(i);
    row[TW_Bit] = "0";
    row[TW_Num_Bits] = "8";
    row[TW_Description] = row[TW_Mnemonic] = name;
    row[TW_Conversion] = "None";
    return row;
}
