#pragma once
// What the CAN and CANopen tables share: numbers read the one way every
// numeric cell is read (and the EDS writer reads them again), the byte
// positions a frame's data bytes take in the gateway's data arrays, and the
// message a failing check shows.
//
// The CAN receive and transmit tables: their columns, their files
// CAN_Rec_Frames.xml (root Receive_Frames) and CAN_Send_Frames.xml (root
// Transmit_Frames), and their checks. Each enabled row is checked: its
// identifier against the range of its Type (11 or 29 bits), its length,
// its time, then as many byte positions as its length names.

#include "tables/common/UTableForm.h"

#include <optional>

class TStringList;

// A cell's number: decimal, or hexadecimal after "$", "x" or "0x"; a text
// that is no number reads as -1, which every range here refuses.
int Cell_Number(const String& text);

// "None" (when `withNone`), then "0" to size - 1.
void Fill_Byte_Positions(TStringList* items, int size, bool withNone);

// The first of `count` byte-position cells from `firstCol` on that is no
// position 0 .. size - 1 (an empty or "None" cell passes when `noneAllowed`),
// as 1 .. count; 0 when all pass.
int First_Bad_Position(const TRowTexts& cells, int firstCol, int count, int size, bool noneAllowed);

// The first fault of a table: "<prefix><row><check's text>", then the bound
// and a closing text where the check has them.
struct TTableFault {
    int Slot = 0;
    int Row = 0;
    int Bound = -1;  // -1: none appended
    int Tail = 0;    // 0: none appended
    bool operator==(const TTableFault&) const = default;
};
String Table_Fault_Text(int prefixSlot, const TTableFault& fault);
// The fault's box: error icon, OK button.
void Show_Table_Fault(int prefixSlot, const TTableFault& fault);

// ---- CAN frames ----
enum TCANReceiveCol {
    RC_N, RC_Enable, RC_CobID, RC_Type, RC_Dim, RC_TimeOut, RC_Byte1, RC_Mnemonic = RC_Byte1 + 8,
    RC_Col_Count
};
enum TCANTransmitCol {
    TC_N, TC_Enable, TC_CobID, TC_Type, TC_Dim, TC_OnChange, TC_OnCMD, TC_OnTimer, TC_Time, TC_Byte1,
    TC_Mnemonic = TC_Byte1 + 8,
    TC_Col_Count
};
inline constexpr int CAN_Frame_Rows = 512;
inline constexpr int CAN_Receive_Max_Byte = 132;
inline constexpr int CAN_Transmit_Max_Byte = 512;
inline constexpr const char* CAN_Type_11 = "2.0A (11 bits)";
inline constexpr const char* CAN_Type_29 = "2.0B (29 bits)";

const TTableLayout& CAN_Receive_Layout();
const TTableLayout& CAN_Transmit_Layout();

// The rows up to the first empty "CobID": rows[i] is grid row i + 1.
std::optional<TTableFault> Check_CAN_Receive(const std::vector<TRowTexts>& rows);
std::optional<TTableFault> Check_CAN_Transmit(const std::vector<TRowTexts>& rows);
inline constexpr int CAN_Receive_Error_Row = 2044;
inline constexpr int CAN_Transmit_Error_Row = 2147;

// ---- The CAN frame windows ----
// One grid of 512 frames; the byte lists follow the data array's size and
// are filled at every showing. These tables neither fit a column on a header
// double-click nor jump on Enter.
class TCANFrameForm : public TTableForm {
public:
    TZvColumnGrid* Grid() const { return FGrid; }
    bool& Do_Copy() { return Table(0).Do_Copy; }
    TStringList& Hint() { return Table(0).Hint; }
    int MAX_Byte = 0;

protected:
    struct TCANFormTexts {
        int Caption, First_Button_Caption, First_Button_Hint, Delete_Question;
    };
    TCANFrameForm(TComponent* AOwner, int clientWidth, const TTableLayout& layout, int firstByteCol, int maxByte,
                  const TCANFormTexts& texts);
    void Set_CAN_Texts();
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;

private:
    TZvColumnGrid* FGrid = nullptr;
    const TTableLayout& FLayout;
    int FFirst_Byte_Col;
    int FMax_Byte;
    TCANFormTexts FTexts;
};
