#include "tables/canopen/USet_PDO_Access.h"

#include "core/UComon.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFSet_PDO_Access>("TFSet_PDO_Access");

using enum TEditorType;
const TColor Frame = Rgb(0xE0FAFE), Timing = Rgb(0xA8FFA8);

TTableColumns PDO_Columns(const TTableColumns& head, int firstHeader, int firstHint, const TTableColumns& tail)
{
    return Joined_Columns({head, CANopen_Address_Columns(firstHeader, firstHint, 8, 45), tail});
}

} // namespace

const TTableLayout& PDO_Receive_Layout()
{
    static const TTableLayout layout = CANopen_Layout(
        "Receive_PDO",
        PDO_Columns({{.Header = 2216, .Width = 40},
                     {.Header = 2217, .Hint = 2243, .Width = 65, .Color = Frame, .Attr = "COB-ID"},
                     {.Header = 2218, .Hint = 2244, .Width = 65, .Color = Frame, .Attr = "Dimension"}},
                    2219, 2245,
                    {{.Header = 2227, .Hint = 2253, .Width = 65, .Color = Timing, .Attr = "TimeOut"},
                     {.Header = 2228, .Hint = 2254, .Width = 173, .Color = clWhite, .Attr = "Mnemonic"}}));
    return layout;
}

const TTableLayout& PDO_Transmit_Layout()
{
    static const TTableLayout layout = CANopen_Layout(
        "Transmit_PDO",
        PDO_Columns({{.Header = 2229, .Width = 40},
                     {.Header = 2230, .Hint = 2255, .Width = 65, .Color = Frame, .Attr = "COB-ID"},
                     {.Header = 2231, .Hint = 2256, .Width = 65, .Color = Frame, .Attr = "Dimension"}},
                    2232, 2257,
                    {{.Header = 2240, .Hint = 2265, .Width = 65, .Color = Timing, .Attr = "Send_Time"},
                     {.Header = 2241, .Hint = 2266, .Editor = edDataCheckBox, .Width = 68, .Color = Timing,
                      .Alignment = TAlignment::taCenter, .Attr = "On_Change"},
                     {.Header = 2242, .Hint = 2267, .Width = 105, .Color = clWhite, .Attr = "Mnemonic"}}));
    return layout;
}

const TCANopenRules& PDO_Receive_Rules()
{
    static const TCANopenRules rules{
        {{PR_COB_ID, 0, 2047, 2269}, {PR_Dimension, 1, 8, 2270}}, PR_Dimension, PR_Add_B1, 2271,
        {{PR_TimeOut, 0, 65535, 2279}}};
    return rules;
}

const TCANopenRules& PDO_Transmit_Rules()
{
    static const TCANopenRules rules{
        {{PT_COB_ID, 0, 2047, 2280}, {PT_Dimension, 1, 8, 2281}}, PT_Dimension, PT_Add_B1, 2282,
        {{PT_Send_Time, 0, 100000000, 2290}}};
    return rules;
}

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TCANopenForm(AOwner, 798, {2200, 2202, 2208, 2214, 2291, PDO_Error_Row},
                   {&PDO_Receive_Layout(), &PDO_Receive_Rules(), PDO_Rows},
                   {&PDO_Transmit_Layout(), &PDO_Transmit_Rules(), PDO_Rows})
{
    TS_Receive_PDO = Sheet(0);
    TS_Transmit_PDO = Sheet(1);
}

String TFSet_PDO_Access::Project_File() const
{
    return File_PDO_CANopen;
}
