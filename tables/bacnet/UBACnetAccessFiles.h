#pragma once
// The BACnet client tables and their file BACnet_Master_Access.xml: under
// the root BACnet_Master_Access the section BACnet_Read, then BACnet_Write,
// one row element per table row, hidden columns written like shown ones.
// Also the two other files the window reads: the BACnet type in ParGen.xml
// and the enabled DALI-2 positions in DALI2_Access.xml.

#include "tables/bacnet/UBACnetRules.h"
#include "tables/common/UTableForm.h"

inline constexpr int BACnet_Rows = 512;

// The key column is the device address while the configuration has one
// (types 0 and 1), else the object type.
bool BACnet_Type_Has_Address(int app_type);
const TTableLayout& BACnet_Read_Layout(int app_type);
const TTableLayout& BACnet_Write_Layout(int app_type);

// "Device 0" .. "Device 63", "Group 1" .. "Group 16", "Broadcast", "Scene 1" .. "Scene 16".
std::vector<String> BACnet_Read_Positions();
// "Device 0" .. "Device 63", then the enabled DALI-2 positions in file order.
std::vector<String> BACnet_Write_Positions(const std::vector<String>& dali2_positions);

// The Position of every enabled row (a missing "Enable" counts as "Y") of
// the section DALI2_SetAccess_Rules, in file order, duplicates kept. A
// missing or unreadable file, or one without that section, gives none.
std::vector<String> Load_DALI2_Positions(const String& path);

// The integer text of BACnet_Type under the root (a text that is not a
// number reads 0). False when the file is missing, cannot be read or has no
// such element: the caller then warns and works with type 0.
bool Load_BACnet_Type(const String& path, int& app_type);
