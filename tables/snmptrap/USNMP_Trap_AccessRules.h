#pragma once
// The checks of the SNMP trap table over its cell texts: each enabled row of
// the Read table, then of the Write table, in column order; then the
// descriptions of all enabled rows of both tables, which name the MIB's
// objects and so must differ.

#include "tables/snmptrap/USNMP_Trap_AccessFiles.h"

#include <optional>

// True (a fault) when a character of the text, untrimmed, is no ASCII digit
// or letter; with Check_Type 1 the first one must moreover be a lower-case
// letter. An empty text passes.
bool Check_Error_CommName_Desc(const String& text, int Check_Type);

// A row counts as enabled when its "Enable" text in upper case is "Y".
bool SNMP_Trap_Row_Enabled(const String& enable);

// The first fault: its text slot and grid row (0 for the descriptions' clash).
struct TSNMPTrapFault {
    int Slot = 0;
    int Row = 0;
    bool operator==(const TSNMPTrapFault&) const = default;
};

// The tables' rows up to their first empty "Community Name": rows[i] is grid
// row i + 1, its cells by TSNMPTrapReadCol or TSNMPTrapWriteCol. The
// descriptions of the enabled rows checked so far go to `descriptions`.
std::optional<TSNMPTrapFault> Check_SNMP_Trap(const std::vector<TRowTexts>& read,
                                              const std::vector<TRowTexts>& write,
                                              std::vector<String>* descriptions = nullptr);
// The fault's message in the current language.
String SNMP_Trap_Fault_Text(const TSNMPTrapFault& fault);
