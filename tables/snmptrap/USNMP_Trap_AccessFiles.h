#pragma once
// The SNMP trap table's two tables and its file SNMP_Trap.xml: under the
// root SNMP_Trap the section SNMP_Trap_Read, then SNMP_Trap_Write, one row
// element per table row. The MIB writer reads the same file.

#include "tables/common/UTableForm.h"

// Real columns of the Read table: values the gateway reads from its data
// array and sends as traps.
enum TSNMPTrapReadCol {
    TR_N, TR_Enable, TR_Community, TR_Type, TR_On_Change, TR_On_Command, TR_On_Timer, TR_Time, TR_Position,
    TR_Bit, TR_Num_Bits, TR_Description, TR_IP_Address, TR_Conversion, TR_Mnemonic,
    TR_Col_Count
};
// Real columns of the Write table: values the gateway writes into its data array.
enum TSNMPTrapWriteCol {
    TW_N, TW_Enable, TW_Community, TW_Type, TW_Position, TW_Bit, TW_Num_Bits, TW_Description, TW_Conversion,
    TW_Mnemonic,
    TW_Col_Count
};
inline constexpr int SNMP_Trap_Rows = 256;
// The gateway's input and output data areas, in bytes: the "Position" lists.
inline constexpr int SNMP_Trap_Area_Bytes = 1440;
// A new configuration's table: one Read and one Write row per DALI short address.
inline constexpr int SNMP_Trap_Default_Rows = 64;

const TTableLayout& SNMP_Trap_Read_Layout();
const TTableLayout& SNMP_Trap_Write_Layout();

// Row i (0 .. 63) of the default tables, its cells by real column.
TRowTexts SNMP_Trap_Default_Read_Row(int i);
TRowTexts SNMP_Trap_Default_Write_Row(int i);
