#pragma once
// The DMX default values table and its file DMX_Default_Values.xml: one Row
// element per channel directly under the root DMX_Default_Values, every
// channel written (the table has no key column). The channel count comes
// from the communication settings.

#include "tables/common/UTableForm.h"

#include <optional>

enum TDMXCol { DMX_Channel, DMX_Default_Value, DMX_Mnemonic, DMX_Col_Count };
inline constexpr int DMX_Max_Channels = 512;

const TTableLayout& DMX_Default_Values_Layout();

// DMX_Num_Channels of the settings file at `path`, 1 .. 512; 512 when the
// file or the element is missing or its value lies outside that range.
// Raises Exception naming the file when the file exists but cannot be read.
int DMX_Channel_Count(const String& path);

// The first row whose default value is no integer 0 .. 255; rows[i] is grid
// row i + 1. The fault's message names the row.
std::optional<int> Check_DMX_Default_Values(const std::vector<TRowTexts>& rows);
String DMX_Fault_Text(int row);
