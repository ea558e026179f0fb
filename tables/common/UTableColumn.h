#pragma once
// One column of a table form, stated once: its texts, its look, how it is
// edited and the attribute it is saved under. The form pattern builds the
// grid's columns, copies the texts at each language change and reads and
// writes the project file from these descriptors, so a column's look and
// its attribute can never drift apart.
//
// A table lists every real column from 0, the row-number column first. A
// fixed column takes only its header and width; a column grid hides its
// Hidden columns, in order, after building the others. A check grid (a
// string grid with check-box cells) gets its boxes, colour and alignment
// as cell properties, since it has no column objects.

#include "grid/support/ZvGridTypes.h"
#include "platform/Graphics.h"

#include <vector>

class TZvStringGrid;
class TZvColumnGrid;
class TStringList;

struct TTableColumn {
    int Header = 0;                          // text slot of the header
    int Hint = 0;                            // text slot of the header hint; 0: none
    TEditorType Editor = TEditorType::edNormal;
    std::vector<String> Items = {};          // the pick list the column's editor offers
    int Width = 64;
    TColor Color = clWindow;
    TAlignment Alignment = TAlignment::taLeftJustify;
    bool Read_Only = false;
    bool Hidden = false;
    int Edit_Length = 0;                     // the most characters its editor takes; 0: no limit
    const char* Attr = nullptr;              // attribute in the project file; null: not saved
    const char* Load_Default = nullptr;      // taken when the attribute is missing; null keeps the reset cell
    const char* Reset = nullptr;             // what a showing writes first; null: empty ("Y" in an "Enable" column)
    bool Required = false;                   // a row without the attribute is incomplete: the load warns
    const char* Saved_As = nullptr;          // written whatever the cell holds; null: the cell's text
};
using TTableColumns = std::vector<TTableColumn>;

// Colours as the tables are written down: 0xRRGGBB.
constexpr TColor Rgb(unsigned rgb) { return RGB(rgb >> 16, rgb >> 8, rgb); }

// Widths, editors, pick lists, colours, alignment, read-only flags, then the hidden columns.
void Build_Columns(TZvColumnGrid* grid, const TTableColumns& columns);
// Widths, a check box in every data cell of a check-box column, the row
// numbers, and each data cell's colour and alignment.
void Build_Check_Grid_Columns(TZvStringGrid* grid, const TTableColumns& columns);
// The headers from the text table, and the hint list refilled: entry c - 1
// for column c (an empty one for a column without a hint). `hints` may be null.
// `inCells`: the headers go into the cells of row 0 even of a column grid.
void Set_Column_Texts(TZvStringGrid* grid, const TTableColumns& columns, TStringList* hints, bool inCells = false);
