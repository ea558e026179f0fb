#pragma once
// The checks of the SNMP manager request table over its cell texts. They
// are the device image builder's rules, so a table that passes them always
// builds: per enabled row in column order, then duplicates between enabled
// rows, then the string pool's capacity.

#include "tables/snmp/USNMPManagerAccessFiles.h"

#include <optional>

// The largest "Num Bytes": the device image keeps it in one byte.
inline constexpr int SNMP_Max_Number_Bytes = 255;

// The first fault: its text slot and the rows it names (none for the pool's
// capacity; two for a duplicate request).
struct TSNMPFault {
    int Slot = 0;
    int Row = 0;
    int Other_Row = 0;
    bool operator==(const TSNMPFault&) const = default;
};

// `rows` are the table's rows up to its first empty "IP Address": rows[i] is
// grid row i + 1, its cells by TSNMPManagerCol.
std::optional<TSNMPFault> Check_SNMP_Manager(const std::vector<TRowTexts>& rows);
// The fault's message in the current language.
String SNMP_Fault_Text(const TSNMPFault& fault);
