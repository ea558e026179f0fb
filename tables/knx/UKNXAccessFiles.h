#pragma once
// The KNX telegram table and its file KNX_SetAccess.xml: under the root
// BACnet_to_KNX the one section KNX_in_Write, one row element per table
// row. Priority is one of four words; anything else a file holds loads as
// "Normal", so the table never shows a priority the gateway does not know.

#include "tables/common/UTableForm.h"

enum TKNXCol {
    KX_N, KX_Enable, KX_Source_Address, KX_Destination_Address, KX_APCI, KX_Priority, KX_Format, KX_Extended,
    KX_ReTest, KX_On_Command, KX_On_Change, KX_On_Timer, KX_Poll_Time, KX_Position, KX_Bit_Mode, KX_Length,
    KX_Mnemonic,
    KX_Col_Count
};
inline constexpr int KNX_Rows = 1024;
// The gateway's data array, in bytes: the "Position" list.
inline constexpr int KNX_Data_Bytes = 1500;

const TTableLayout& KNX_Access_Layout();

// "System", "Urgent", "Normal" or "Low" exactly as written; anything else "Normal".
String KNX_Priority(const String& text);
