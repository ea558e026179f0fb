#pragma once
// The SNMP manager request table's columns and its file SNMP_Manager.xml:
// one row element per request directly under the root SNMP_Agent_Access,
// one attribute per column. The device image builder reads the same file.

#include "tables/common/UTableForm.h"

// Real columns of the request table.
enum TSNMPManagerCol {
    SM_N, SM_Enable, SM_IP_Address, SM_Version, SM_Community, SM_OID, SM_Type, SM_Mode, SM_On_Change,
    SM_On_Command, SM_On_Timer, SM_Time, SM_Position, SM_Num_Bytes, SM_Conversion, SM_Cancel, SM_User,
    SM_Auth_Pass, SM_Priv_Pass, SM_Security_Level, SM_Auth_Mode, SM_Priv_Mode, SM_Mnemonic,
    SM_Col_Count
};
inline constexpr int SNMP_Manager_Rows = 512;

// Every column of the request table; the key is "IP Address".
const TTableLayout& SNMP_Manager_Layout();
