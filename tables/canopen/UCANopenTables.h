#pragma once
// What the three CANopen tables share (PDOs, SDO client requests, SDO
// server entries): two tables on two tabs in a two-section file, no
// "Enable" column (every row up to the first empty key is checked and
// saved), headers written into the cells of row 0, every attribute required
// when the file is read back, and checks that read each numeric cell with
// Cell_Number and then as many byte positions as the row's length names.

#include "tables/can/UCANFrames.h"

#include <array>

class TPageControl;
class TTabSheet;

// The gateway's input and output data arrays, in bytes.
inline constexpr int CANopen_Area_Bytes = 1440;

// One cell's range, or (One_Two_Four) a byte count of 1, 2 or 4.
struct TRangeCheck {
    int Col = 0;
    int Min = 0;
    int Max = 0;
    int Slot = 0;
    bool One_Two_Four = false;
};

// A table's checks in their order: the ranges, then the byte positions
// (as many as the count column says; their texts follow on from
// First_Address_Slot and end with the highest position), then the ranges after.
struct TCANopenRules {
    std::vector<TRangeCheck> Before;
    int Count_Col = 0;
    int First_Address_Col = 0;
    int First_Address_Slot = 0;
    std::vector<TRangeCheck> After = {};
    int Positions = CANopen_Area_Bytes;
};
std::optional<TTableFault> Check_CANopen_Table(const std::vector<TRowTexts>& rows, const TCANopenRules& rules);

class TCANopenForm : public TTableForm {
public:
    bool Controllo_dati() override;
    void Set_Lang() override;
    // A click on a row number selects that row of the grid clicked.
    void Grid_ClickCell(TObject* Sender, int ARow, int ACol);

    TPageControl* PageControl1 = nullptr;
    TZvColumnGrid* sga = nullptr;
    TZvColumnGrid* sgb = nullptr;
    int PROFINET_NByte_IN = CANopen_Area_Bytes;
    int PROFINET_NByte_OUT = CANopen_Area_Bytes;
    // The header hints of a table (0: the first tab's) and its copy flag.
    TStringList& Hint(int table) { return Table(table).Hint; }
    bool& Do_Copy(int table) { return Table(table).Do_Copy; }

protected:
    struct TCANopenTexts {
        int Caption;            // and the description line after it
        int First_Button_Caption, First_Button_Hint;
        int First_Tab;          // and the second tab after it
        int Delete_Question, Error_Row;
    };
    struct TCANopenTable {
        const TTableLayout* Layout;
        const TCANopenRules* Rules;
        int Rows;
    };
    TCANopenForm(TComponent* AOwner, int clientWidth, const TCANopenTexts& texts, const TCANopenTable& first,
                 const TCANopenTable& second);

    TTabSheet* Sheet(int i) const { return FSheets[std::size_t(i)]; }
    int Active_Table() const override;
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;
    // The first tab comes to the front; the focus stays where it is.
    void Shown() override;

private:
    TCANopenTexts FTexts;
    std::array<TCANopenTable, 2> FTableDefs;
    std::array<TTabSheet*, 2> FSheets{};
};

// `count` byte-position columns "Address_B1" and on, their header and hint slots following on.
TTableColumns CANopen_Address_Columns(int firstHeader, int firstHint, int count, int width);
// The parts of a table's columns, in order.
TTableColumns Joined_Columns(std::initializer_list<TTableColumns> parts);

// Layout of a CANopen table: its section, key column 1, all attributes required, headers in row 0's cells.
TTableLayout CANopen_Layout(const char* section, TTableColumns columns);
