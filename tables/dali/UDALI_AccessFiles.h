#pragma once
// The two project files of the DALI access window, as pure conversions
// between an XML document and the cell texts of its tables:
//   DALI_Access.xml   one element per setting of the 64 short addresses,
//   DALI2_Access.xml  the Functions table and the Set Access rules.
// The window fills its grids from these structures and reads them back, so
// the file layouts can be checked without any window. The two rule tables'
// columns (look, texts and attributes) are stated here once.

#include "platform/Xml.h"
#include "tables/common/UTableForm.h"

#include <array>
#include <vector>

inline constexpr int DALI_Addresses = 64;
inline constexpr int DALI_Function_Rows = 250;
inline constexpr int DALI_Rule_Rows = 256;

// ---- DALI_Access.xml -----------------------------------------------------------

inline const String DALI_Recall_None = QStringLiteral("None");
inline const String DALI_Recall_Min_Max = QStringLiteral("Recall Min-Max Level for Switch");
inline const String DALI_Recall_Old_Value = QStringLiteral("Recall Old Value Level for Switch");

// One short address as the device grid shows it ("Enable" and "Min-Max Value"
// hold check-box texts, "Recall Level" one of the three recall texts).
struct TDALIDevice {
    String Enable = QStringLiteral("N");
    String Min_Max = QStringLiteral("N");
    String Recall_Level = DALI_Recall_None;
    bool operator==(const TDALIDevice&) const = default;
};
using TDALIDevices = std::array<TDALIDevice, DALI_Addresses>;

// One of the two recall texts when the text is exactly it, else "None".
String Check_ReCall_Level(const String& text);
// "Start Break" when the text is exactly it, else "Normal".
String Check_Dimming_mode(const String& text);
// A check-box cell counts as ticked when its text, trimmed and upper-cased, is "Y".
bool DALI_Cell_Ticked(const String& text);

// Reads the settings of every address from the document onto `devices`,
// which hold the start values: a missing enable element is "N", a missing
// min-max or recall element keeps the start value.
void Load_DALI_Access(const TXMLDocument& doc, TDALIDevices& devices);
// Rebuilds the document: root, version comment, then 192 elements.
void Write_DALI_Access(TXMLDocument& doc, const TDALIDevices& devices);

// The byte-map export's data lines, one per enabled address (the caller puts
// the header line first): every enabled address owns eight bytes.
std::vector<String> DALI_Map_Lines(const TDALIDevices& devices);

// ---- DALI2_Access.xml ----------------------------------------------------------

// Set Access columns (a check grid) and Functions columns (a column grid).
inline constexpr int AS_Enable = 1, AS_DevSen = 2, AS_Type = 3, AS_Function = 9, AS_NumBytes = 11;
inline constexpr int AS_Cols = 13;
inline constexpr int FN_Function = 1, FN_Condition = 2, FN_Value = 3, FN_Channel = 4, FN_Mnemonic = 7;
inline constexpr int FN_Cols = 8;

// Every column of the two tables with its section in DALI2_Access.xml; the
// keys are "Dev/Sen" and "Function".
const TTableLayout& DALI_Rules_Layout();
const TTableLayout& DALI_Functions_Layout();

// The cells a file row holds: Functions columns 1 to 7, Set Access columns 2 to 12.
inline constexpr int DALI_Function_Cells = FN_Cols - 1;
inline constexpr int DALI_Rule_Cells = AS_Cols - 2;

// Cell i holds grid column i + 1.
using TDALIFunctionRow = std::array<String, DALI_Function_Cells>;
struct TDALIRuleRow {
    bool Enable = true;
    // Cell i holds grid column i + 2: Dev/Sen, Type, Ch. Number, Instance,
    // Command, Time Send, TimeOut, Function, Position, Num Bytes, Mnemonic.
    std::array<String, DALI_Rule_Cells> Cells;
    bool operator==(const TDALIRuleRow&) const = default;
};
struct TDALI2Tables {
    std::vector<TDALIFunctionRow> Functions;
    std::vector<TDALIRuleRow> Rules;
    bool operator==(const TDALI2Tables&) const = default;
};

// Every row element of both sections, in file order. A document whose root is
// not DALI2_Access, or a missing section, gives an empty table; a missing
// attribute an empty cell (a missing "Enable" a ticked rule).
TDALI2Tables Load_DALI2_Access(const TXMLDocument& doc);
// Rebuilds the document from the rows as given: the caller has already cut
// each table at its first row with an empty key cell.
void Write_DALI2_Access(TXMLDocument& doc, const TDALI2Tables& tables);
