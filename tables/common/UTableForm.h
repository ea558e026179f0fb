#pragma once
// The life cycle every table editor shares: a modal window that edits one
// project file of the open configuration in one or more grids and writes the
// whole file back when the user confirms.
//
//   create   the derived form builds its grids on the frame from its column
//            descriptors (Build_Table_Frame, New_Table_Grid, Add_Table);
//            FormCreate then shows Software_Code and runs Set_Lang
//   show     an edit still open in any grid ended, every table reset (row
//            numbers, "Y" in an "Enable" column), the lists filled, the
//            files loaded; copy flags cleared
//   OK       the open edit ended (its value counts), Controllo_dati, the
//            drop question for rows below a gap, then the files rewritten as
//            a whole and the window closed with mrOk
//   Cancel   the button's modal result; nothing written
//   hiding   however the window closes, the open edit ends with it, so that
//            nothing of it reaches the next showing
//
// A table's content is the rows from 1 down to the row before the first one
// whose key cell is empty after trimming. Loading never stops half way: a
// file that cannot be parsed shows one error box naming it and the window
// does not open; a missing section is an empty table, a missing attribute
// the reset cell or the attribute's load default (a table whose attributes
// are all required warns once about the missing ones and keeps reading);
// rows beyond the grid are warned about once.

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "tables/common/UTableColumn.h"

#include <memory>
#include <vector>

class TPanel;
class TLabel;
class TXMLDocument;
class TXMLNode;
class TZvPushButton;
class TZvStringGrid;
class TZvColumnGrid;
class TWinControl;

// The texts the life cycle adds to a form's own.
inline constexpr int Text_Drop_Rows_Below = 1540;  // rows below a gap with text
inline constexpr int Text_Broken_File = 1541;      // the project file cannot be read
inline constexpr int Text_Extra_Rows = 1542;       // the file holds more rows than the grid
inline constexpr int Text_Incomplete_Rows = 1545;  // rows of the file lack a required attribute

// How one table is kept: its columns (the row-number column first) and where
// its rows stand in the file.
struct TTableLayout {
    const char* Section = nullptr;  // null: the rows stand directly under the root
    int Key_Col = 1;                // No_Key_Col: every grid row is content
    TTableColumns Columns;
    const char* Row_Element = "row";
    // Every saved attribute must be in each row of the file: one missing is
    // warned about (once per load) instead of taking a load default.
    bool Attrs_Required = false;
    // The headers are written into the cells of row 0 instead of the column
    // objects (the grid shows them the same way).
    bool Header_In_Cells = false;
};
// A table without a key column: all its rows are loaded, checked and saved.
inline constexpr int No_Key_Col = -1;

// The cell texts of one table row, by real column.
using TRowTexts = std::vector<String>;

// One grid of a form with what the row buttons and the life cycle need of it.
struct TTableGrid {
    TZvStringGrid* Grid = nullptr;
    const TTableLayout* Layout = nullptr;
    bool Check_Grid = false;   // check boxes are cell objects (else column-grid "Y"/"N" cells)
    bool Has_Enable = true;    // column 1 is the row's "Enable": reset and inserted rows get "Y"
    bool Do_Copy = false;      // a row of this grid was copied since the form was shown
    bool Insert_Enable = true; // an inserted row gets "Y" in its "Enable" column
    TStringList Hint;          // header hints, entry c - 1 for column c
};

class TTableForm : public TForm {
public:
    explicit TTableForm(TComponent* AOwner);
    ~TTableForm() override;

    // ==== Life cycle ====
    // Copies every caption, header and hint from the text table.
    virtual void Set_Lang() = 0;
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    // True when every row passes; otherwise one error box for the first fault.
    virtual bool Controllo_dati() = 0;

    // ==== Row buttons: on the current row of the active table ====
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);

    // ==== Grid events shared by every table ====
    void Grid_Hint(TObject* Sender, int ARow, int ACol, String& hintstr);
    void Grid_DblClickCell(TObject* Sender, int ARow, int ACol);
    void Grid_KeyPress(TObject* Sender, QChar& Key);
    // A click on a row number selects the whole row.
    void Grid_ClickCell(TObject* Sender, int ARow, int ACol);

    // ==== File ====
    // Loads the project file into the tables (after Reset_Tables). False when
    // the file exists but cannot be read: one error box names it, the tables
    // keep their reset state.
    bool Load_Project_File();
    // Builds the whole file of the tables as they stand.
    virtual void Write_Document(TXMLDocument& doc);
    // The number of the first row that ends a table (its key cell empty), or
    // RowCount when every row is used.
    int Stop_Row(const TTableGrid& table) const;
    // The first row below the stop row that holds text in a text column, or 0.
    int First_Row_Below_Stop(const TTableGrid& table) const;

    // The rows a table holds, from row 1 to the row before its stop row.
    std::vector<TRowTexts> Content_Rows(const TTableGrid& table) const;

    // ==== What a form says about itself ====
    virtual String Project_File() const = 0;
    virtual String Root_Name() const = 0;
    // Every file the form reads at its showing and writes on OK.
    virtual std::vector<String> Files() const { return {Project_File()}; }
    // True when a showing without the project file fills the tables with a
    // default content of the form's own rather than leaving them reset.
    virtual bool Has_Default_Table() const { return false; }
    // The comment that follows the root of every file the form writes.
    virtual String Version_Comment() const { return QStringLiteral("SW_VERSION = 1.000"); }

    TTableGrid& Table(int i) { return *FTables[std::size_t(i)]; }
    int Table_Count() const { return int(FTables.size()); }
    TXMLDocument* XML1 = nullptr;

    // The frame, built once by Build_Table_Frame.
    TPanel* Title_Panel = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* Button_Panel = nullptr;
    TZvPushButton* Btn_OK = nullptr;
    TZvPushButton* Btn_Cancel = nullptr;
    TZvPushButton* Btn_DelRow = nullptr;
    TZvPushButton* Btn_InsRow = nullptr;
    TZvPushButton* Btn_CopyRow = nullptr;
    TZvPushButton* Btn_PasteRow = nullptr;

protected:
    // ==== Steps a form may widen ====
    // Reads the form's files into the reset tables; false when one cannot be
    // read (its error box shown): the window then does not open.
    virtual bool Load_Files() { return Load_Project_File(); }
    // A showing that loaded: the focus goes to the first table.
    virtual void Shown();
    // A showing whose project file does not exist: the tables stay reset
    // unless the form has a table of its own to offer.
    virtual void Missing_File();
    // A row button changed rows of this table (insert, delete or paste).
    virtual void Rows_Changed(TTableGrid& table);
    // Writes the form's files once OK's checks passed; a failed save raises.
    virtual void Save_Files();
    // Ends the edit open in any grid of the form as leaving its cell does.
    void End_Edits();
    void DoHide() override;

    // ==== What a form says about itself ====
    // A copy in one table takes the paste right from the others: their rows
    // share one clipboard but not one shape.
    bool Copy_Clears_Others = false;
    // The table the row buttons act on: the one of the active tab.
    virtual int Active_Table() const { return 0; }
    // The delete question for a row of a table.
    virtual String Delete_Question(int table, int row) const = 0;
    // Lists that depend on nothing else, filled at every showing.
    virtual void Fill_Lists();
    // Reads the tables from the root of a loaded file; returns the number of
    // file rows that found no grid row.
    virtual int Read_Document(const TXMLNode& root);
    // The warning about rows beyond the grid names this file.
    String Project_File_Name() const;

    // ==== Building ====
    // Window look, the title panel with L_SW_Code and L_SW_Desc, and the button
    // row OK, Cancel, Delete, Insert, Copy, Paste from x = 16 in steps of 118.
    void Build_Table_Frame(int clientWidth, int clientHeight);
    // A grid in the tables' style: row height 22, row-number column 40 wide,
    // grid lines, range selection, column sizing and editing; the shared
    // hint, double-click and Enter handlers bound.
    TZvColumnGrid* New_Table_Grid(TWinControl* parent, int colCount, int rowCount);
    // A table of the form: a column grid gets its columns from the layout's
    // descriptors; a check grid (check = true) its widths, boxes and cell looks.
    TTableGrid& Add_Table(TZvStringGrid* grid, const TTableLayout* layout, bool check = false);
    // Button captions from six slots in a row and their hints from six more.
    void Set_Button_Texts(int first_caption_slot, int first_hint_slot);

    // ==== Steps of the life cycle ====
    void Reset_Tables();
    int Read_Table(const TXMLNode& parent, TTableGrid& table);
    void Write_Table(TXMLNode& parent, const TTableGrid& table) const;
    // Asks whether rows below a gap may be dropped; false keeps the form open.
    bool Confirm_Dropped_Rows();

private:
    TTableGrid* Table_Of(TObject* Sender);
    int FIncomplete_Rows = 0;  // rows of the file being read that lack a required attribute
    std::vector<std::unique_ptr<TTableGrid>> FTables;
};

// Every table form registers itself once, so that the shared life cycle can
// be checked over all of them.
using TTableFormFactory = TTableForm* (*)(TComponent* AOwner);
struct TTableFormKind {
    const char* Name;
    TTableFormFactory Make;
};
const std::vector<TTableFormKind>& Table_Form_Kinds();
bool Register_Table_Form(const char* name, TTableFormFactory make);
template <class TFormClass>
bool Register_Table_Form(const char* name)
{
    return Register_Table_Form(name, [](TComponent* owner) -> TTableForm* { return new TFormClass(owner); });
}

// A cell as a file holds it: in a check grid "Y"/"N" for a check-box object,
// else the text (a column grid's check boxes are their cells' texts).
String Table_Cell_Text(const TTableGrid& table, int col, int row);
void Set_Table_Cell_Text(const TTableGrid& table, int col, int row, const String& text);
// What a showing writes into a data cell before the file is read: "Y" in an
// "Enable" column, the column's reset text, else nothing.
String Reset_Text(const TTableGrid& table, int col);
