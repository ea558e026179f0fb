#pragma once
// The checks of the KNX telegram table over its cell texts: each enabled row
// ("Enable" trimmed is "Y") down to the first empty "Source Add", in column
// order. The first fault is reported; a disabled row is never judged.

#include "tables/knx/UKNXAccessFiles.h"

#include <optional>

struct TKNXFault {
    int Slot = 0;    // text of the failed check
    int Row = 0;     // grid row
    int Bound = -1;  // the number the message names at its end; -1: none
    bool operator==(const TKNXFault&) const = default;
};

// rows[i] is grid row i + 1, its cells by TKNXCol; `max_bytes` is the data
// array's size.
std::optional<TKNXFault> Check_KNX_Access(const std::vector<TRowTexts>& rows, int max_bytes = KNX_Data_Bytes);
// "Error row ", the row, the check's text and its number, in the current language.
String KNX_Fault_Text(const TKNXFault& fault);
