#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"

#include "core/UComon.h"

// The SDO client and server tables: their columns differ little, their
// windows not at all beyond the texts.

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;
TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

[[maybe_unused]] const bool Client_Registered =
    Register_Table_Form<TFSet_SDO_Client_Access>("TFSet_SDO_Client_Access");
[[maybe_unused]] const bool Server_Registered =
    Register_Table_Form<TFSet_SDO_Server_Access>("TFSet_SDO_Server_Access");

using enum TEditorType;
const TColor Frame = Rgb(0xE0FAFE), Timing = Rgb(0xA8FFA8);
constexpr int Time_Max = 100000000;


// ---- Client ----

TTableColumns Client_Head(int header, int hint)
{
    return {{.Header = header, .Width = 40},
            {.Header = header + 1, .Hint = hint, .Width = 60, .Color = Frame, .Attr = "Device_ID"},
            {.Header = header + 2, .Hint = hint + 1, .Width = 55, .Color = Frame, .Attr = "Index"},
            {.Header = header + 3, .Hint = hint + 2, .Width = 60, .Color = Frame, .Attr = "SubIndex"},
            {.Header = header + 4, .Hint = hint + 3, .Width = 45, .Color = Frame, .Attr = "NByte"},
            {.Header = header + 5, .Hint = hint + 4, .Width = 60, .Color = Timing, .Attr = "Poll_Time"}};
}

// The checks before a request's byte positions; a read must be polled, a write may wait for a change.
std::vector<TRangeCheck> Client_Checks(int firstSlot, int pollMin)
{
    return {{CR_Device_ID, 1, 127, firstSlot},
            {CR_Index, 0x1000, 0xFFFF, firstSlot + 1},
            {CR_SubIndex, 0, 255, firstSlot + 2},
            {CR_NByte, 0, 0, firstSlot + 3, true},
            {CR_Poll_Time, pollMin, Time_Max, firstSlot + 4}};
}

// ---- Server ----

TTableColumns Server_Columns(int header, int hint)
{
    return Joined_Columns({{{.Header = header, .Width = 40},
                    {.Header = header + 1, .Hint = hint, .Width = 65, .Color = Frame, .Attr = "Index"},
                    {.Header = header + 2, .Hint = hint + 1, .Width = 61, .Color = Frame, .Attr = "SubIndex"},
                    {.Header = header + 3, .Hint = hint + 2, .Width = 55, .Color = Frame, .Attr = "NByte"}},
                   CANopen_Address_Columns(header + 4, hint + 3, 4, 80),
                   {{.Header = header + 8, .Hint = hint + 7, .Width = 170, .Color = clWhite, .Attr = "Mnemonic"}}});
}

TCANopenRules Server_Rules(int firstSlot)
{
    return {{{SS_Index, SDO_Server_Index_Min, SDO_Server_Index_Max, firstSlot},
             {SS_SubIndex, 0, 255, firstSlot + 1},
             {SS_NByte, 0, 0, firstSlot + 2, true}},
            SS_NByte, SS_Add_B1, firstSlot + 3};
}

} // namespace

const TTableLayout& SDO_Client_Read_Layout()
{
    static const TTableLayout layout = CANopen_Layout(
        "SDO_Read", Joined_Columns({Client_Head(2316, 2339), CANopen_Address_Columns(2322, 2344, 4, 70),
                            {{.Header = 2326, .Hint = 2348, .Width = 163, .Color = clWhite, .Attr = "Mnemonic"}}}));
    return layout;
}

const TTableLayout& SDO_Client_Write_Layout()
{
    static const TTableLayout layout = CANopen_Layout(
        "SDO_Write",
        Joined_Columns({Client_Head(2327, 2349),
                {{.Header = 2333, .Hint = 2354, .Editor = edDataCheckBox, .Width = 68, .Color = Timing,
                  .Alignment = TAlignment::taCenter, .Attr = "On_Change"}},
                CANopen_Address_Columns(2334, 2355, 4, 70),
                {{.Header = 2338, .Hint = 2359, .Width = 95, .Color = clWhite, .Attr = "Mnemonic"}}}));
    return layout;
}

const TCANopenRules& SDO_Client_Read_Rules()
{
    static const TCANopenRules rules{Client_Checks(2361, 1), CR_NByte, CR_Add_B1, 2366};
    return rules;
}

const TCANopenRules& SDO_Client_Write_Rules()
{
    static const TCANopenRules rules{Client_Checks(2370, 0), CW_NByte, CW_Add_B1, 2375};
    return rules;
}

const TTableLayout& SDO_Server_Read_Layout()
{
    static const TTableLayout layout = CANopen_Layout("SDO_Read", Server_Columns(2416, 2434));
    return layout;
}

const TTableLayout& SDO_Server_Write_Layout()
{
    static const TTableLayout layout = CANopen_Layout("SDO_Write", Server_Columns(2425, 2442));
    return layout;
}

const TCANopenRules& SDO_Server_Read_Rules()
{
    static const TCANopenRules rules = Server_Rules(2451);
    return rules;
}

const TCANopenRules& SDO_Server_Write_Rules()
{
    static const TCANopenRules rules = Server_Rules(2458);
    return rules;
}

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TCANopenForm(AOwner, 798, {2300, 2302, 2308, 2314, 2379, SDO_Client_Error_Row},
                   {&SDO_Client_Read_Layout(), &SDO_Client_Read_Rules(), SDO_Client_Rows},
                   {&SDO_Client_Write_Layout(), &SDO_Client_Write_Rules(), SDO_Client_Rows})
{
    TS_SDO_Read = Sheet(0);
    TS_SDO_Write = Sheet(1);
}

String TFSet_SDO_Client_Access::Project_File() const
{
    return File_SDO_Client_CANopen;
}

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TCANopenForm(AOwner, 749, {2400, 2402, 2408, 2414, 2465, SDO_Server_Error_Row},
                   {&SDO_Server_Read_Layout(), &SDO_Server_Read_Rules(), SDO_Server_Rows},
                   {&SDO_Server_Write_Layout(), &SDO_Server_Write_Rules(), SDO_Server_Rows})
{
    TS_SDO_Read = Sheet(0);
    TS_SDO_Write = Sheet(1);
}

String TFSet_SDO_Server_Access::Project_File() const
{
    return File_SDO_Server_CANopen;
}
