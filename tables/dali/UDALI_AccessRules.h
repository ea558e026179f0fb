#pragma once
// The checks of the DALI access window's two rule tables over cell texts:
// the events and the condition each needs, the pick lists, and the three
// validation passes the window runs before it saves.

#include "tables/dali/UDALI_AccessFiles.h"

#include <QChar>
#include <optional>

// ---- Pick lists ----------------------------------------------------------------

extern const std::vector<String> DALI_Dev_Sen_List;
extern const std::vector<String> DALI_Device_Types;
extern const std::vector<String> DALI_Sensor_Types;
extern const std::vector<String> DALI_Num_Bytes_List;
extern const std::vector<String> DALI_Function_Names;
extern const std::vector<String> DALI_Condition_Names;
// The events offered in "Event / Value"; a typed number serves as well.
extern const std::vector<String> DALI_Event_Names;
// "DALI Channel 0" .. "DALI Channel 63", "DALI Group 1" .. "DALI Group 16", "DALI Broadcast".
std::vector<String> DALI_Channel_Names();

inline const String DALI_No_Function = QStringLiteral("0 - None");
// The Set Access "Function" pick list: "0 - None", then "r - mnemonic" for
// every Functions row r, empty rows included.
std::vector<String> DALI_Function_Pick_List(const std::vector<String>& mnemonics);

// ---- Events ----------------------------------------------------------------------

inline const String DALI_Cond_Equal = QStringLiteral("When Equal to Value");
inline const String DALI_Cond_And = QStringLiteral("AND Logic with Value");
inline const String DALI_Cond_Nand = QStringLiteral("NAND Logic with Value");

// The condition an event requires (exact, case-sensitive match of the event
// text), or an empty text for a value.
String DALI_Condition_For_Event(const String& event);

// ---- Validation --------------------------------------------------------------------

// The first fault found: its text slot, the grid row, and the bound for the
// texts that name one (-1 for the others).
struct TDALIFault {
    int Slot = 0;
    int Row = 0;
    int Bound = -1;
    bool operator==(const TDALIFault&) const = default;
};

// Passes 1 and 2 over the Functions rows (cut at the first empty "Function"),
// then pass 3 over the enabled rules (cut at the first empty "Dev/Sen").
// `decimal` is the separator typed numbers are read with.
std::optional<TDALIFault> Check_DALI_Tables(const TDALI2Tables& tables, QChar decimal);
// The fault's message in the current language.
String DALI_Fault_Text(const TDALIFault& fault);

// The rows a save keeps: each table up to, not including, its first row whose
// key cell is empty after trimming.
int DALI_Function_Key_Rows(const std::vector<TDALIFunctionRow>& rows);
int DALI_Rule_Key_Rows(const std::vector<TDALIRuleRow>& rows);
TDALI2Tables DALI_Cut_At_Key(const TDALI2Tables& tables);
