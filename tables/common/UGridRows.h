#pragma once
// The row operations every table editor shares: copy and paste through the
// program-wide row clipboard (Row_Copy, Row_Copy_Is_Check), delete and
// insert that shift the rows below, the header double-click that fits a
// column, and Enter moving to the next cell.
//
// A row operation carries every real column but the row-number column 0,
// hidden columns included: a hidden column holds data as much as a shown
// one. Column 0 never moves. Questions and refusals go through MessageDlg.
//
// Two kinds of grid: a column grid, whose check boxes are cells of a column
// with the edDataCheckBox editor ("Y"/"N" text), and a check grid, whose
// check boxes are cell objects with a state of their own and whose cells
// each carry a read-only flag.

#include "platform/SysUtils.h"

class TObject;
class TZvStringGrid;
class TZvColumnGrid;

// Texts of the row operations.
inline constexpr int Text_Row_Used = 900;        // overwrite question
inline constexpr int Text_Copy_Mismatch = 901;   // clipboard does not fit the grid
inline constexpr int Text_Copy_First = 902;      // nothing copied in this grid yet

// The real columns a row operation carries: 1 .. Real_Col_Count(grid) - 1.
int Real_Col_Count(TZvStringGrid* grid);

// ---- Column grids ----
void Copy_Row_Column_Grid(TZvColumnGrid* grid, int row);
// has_copy: the grid's own copy flag. Refuses with text 902 without a copy,
// with 901 when the clipboard holds another number of columns; asks text 900
// when a text column of the row (trimmed) holds anything.
void Paste_Row_Column_Grid(TZvColumnGrid* grid, int row, bool has_copy);
void Delete_Row_Column_Grid(int row, TZvColumnGrid* grid);
// The last row's content is lost; the new row gets "Y" in column 1 when set_enable.
void Insert_Row_Column_Grid(int row, TZvColumnGrid* grid, bool set_enable);

// ---- Check grids ----
void Copy_Row_Check_Grid(TZvStringGrid* grid, int row);
// As the column grid's paste, but a cell holding only blanks makes the row used.
void Paste_Row_Check_Grid(TZvStringGrid* grid, int row, bool has_copy);
// States, texts and read-only flags move up; the freed last row is cleared,
// its column-1 box ticked when set_enable, and stays writable.
void Delete_Row_Check_Grid(int row, TZvStringGrid* grid, bool set_enable);
void Insert_Row_Check_Grid(int row, TZvStringGrid* grid, bool set_enable);

// ---- Grid events ----
// Fits a header cell's column to its content when Double_Click_Auto_Size is on.
void Grid_DblClick_AutoSize(TZvStringGrid* grid, int row, int col);
// With Enable_Jump_Field_Tables on, Enter moves the current cell of the grid
// that owns Sender (the grid itself or one of its editors) to the next cell,
// wrapping to column 1 of the next row and from the last row to row 1, and
// swallows the key. A sender that belongs to no grid is left alone.
void Grid_Enter_Jump(TObject* Sender, QChar& Key);
// The grid Sender is or belongs to; null when none.
TZvStringGrid* Grid_Of_Sender(TObject* Sender);
