#include "tables/common/UTableForm.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tables/common/UGridRows.h"

#include <QFileInfo>
#include <QStringList>

namespace {

constexpr int Button_Step = 118;

void Show_Error(const String& text)
{
    MessageDlg(text, TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

} // namespace

namespace {

std::vector<TTableFormKind>& Kinds()
{
    static std::vector<TTableFormKind> kinds;
    return kinds;
}

} // namespace

const std::vector<TTableFormKind>& Table_Form_Kinds()
{
    return Kinds();
}

bool Register_Table_Form(const char* name, TTableFormFactory make)
{
    Kinds().push_back({name, make});
    return true;
}

String Table_Cell_Text(const TTableGrid& table, int col, int row)
{
    bool state = false;
    if (table.Check_Grid && table.Grid->GetCheckBoxState(col, row, state))
        return state ? QStringLiteral("Y") : QStringLiteral("N");
    return table.Grid->GetCellEx(col, row);
}

void Set_Table_Cell_Text(const TTableGrid& table, int col, int row, const String& text)
{
    bool state = false;
    if (table.Check_Grid && table.Grid->GetCheckBoxState(col, row, state))
        table.Grid->SetCheckBoxState(col, row, text == QLatin1String("Y"));
    else
        table.Grid->SetCellEx(col, row, text);
}

TTableForm::TTableForm(TComponent* AOwner) : TForm(AOwner)
{
    XML1 = new TXMLDocument(this);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TTableForm::~TTableForm() = default;

// ---- Building -----------------------------------------------------------------------------

void TTableForm::Build_Table_Frame(int clientWidth, int clientHeight)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    const TDialogFrame frame = Build_Dialog_Frame(this, 16, 16 + Button_Step);
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
    Title_Panel = frame.Title_Panel;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    Button_Panel = frame.Button_Panel;
    Btn_OK = frame.Btn_OK;
    Btn_Cancel = frame.Btn_Cancel;
    Btn_DelRow = New_Dialog_Button(this, Button_Panel, 16 + 2 * Button_Step, Dialog_Button_Top);
    Btn_InsRow = New_Dialog_Button(this, Button_Panel, 16 + 3 * Button_Step, Dialog_Button_Top);
    Btn_CopyRow = New_Dialog_Button(this, Button_Panel, 16 + 4 * Button_Step, Dialog_Button_Top);
    Btn_PasteRow = New_Dialog_Button(this, Button_Panel, 16 + 5 * Button_Step, Dialog_Button_Top);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };
}

TZvColumnGrid* TTableForm::New_Table_Grid(TWinControl* parent, int colCount, int rowCount)
{
    auto* grid = new TZvColumnGrid(this);
    grid->SetParent(parent);
    grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                                  goColSizing, goEditing});
    grid->SetColCount(colCount);
    grid->SetRowCount(rowCount);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->SetDefaultRowHeight(22);
    grid->SetFixedRowHeight(22);
    grid->SetFixedColWidth(40);
    grid->SetShowHint(true);
    grid->OnGridHint = [this](TObject* s, int r, int c, String& h) { Grid_Hint(s, r, c, h); };
    grid->OnDblClickCell = [this](TObject* s, int r, int c) { Grid_DblClickCell(s, r, c); };
    grid->OnKeyPress = [this](TObject* s, QChar& k) { Grid_KeyPress(s, k); };
    return grid;
}

TTableGrid& TTableForm::Add_Table(TZvStringGrid* grid, const TTableLayout* layout, bool check)
{
    FTables.push_back(std::make_unique<TTableGrid>());
    TTableGrid& table = *FTables.back();
    table.Grid = grid;
    table.Layout = layout;
    table.Check_Grid = check;
    const TTableColumns& columns = layout->Columns;
    table.Has_Enable = columns.size() > 1 && columns[1].Editor == TEditorType::edDataCheckBox;
    if (check)
        Build_Check_Grid_Columns(grid, columns);
    else if (auto* columnGrid = dynamic_cast<TZvColumnGrid*>(grid))
        Build_Columns(columnGrid, columns);
    return table;
}

void TTableForm::Set_Button_Texts(int first_caption_slot, int first_hint_slot)
{
    TZvPushButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        buttons[i]->SetCaption(Lang_Text(first_caption_slot + i));
        buttons[i]->SetHint(Lang_Text(first_hint_slot + i));
    }
}

void TTableForm::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    Set_Lang();
}

// ---- Showing and loading ------------------------------------------------------------------

void TTableForm::Fill_Lists()
{
    // A form without lists of its own has nothing to fill.
}

void TTableForm::Reset_Tables()
{
    for (const auto& table : FTables) {
        TZvStringGrid* grid = table->Grid;
        const int cols = Real_Col_Count(grid);
        for (int r = 1; r < grid->RowCount(); ++r) {
            grid->SetCellEx(0, r, IntToStr(r));
            for (int c = 1; c < cols; ++c)
                Set_Table_Cell_Text(*table, c, r, Reset_Text(*table, c));
        }
    }
}

String Reset_Text(const TTableGrid& table, int col)
{
    if (col == 1 && table.Has_Enable) return QStringLiteral("Y");
    const TTableColumns& columns = table.Layout ? table.Layout->Columns : TTableColumns{};
    if (col < int(columns.size()) && columns[std::size_t(col)].Reset)
        return QString::fromLatin1(columns[std::size_t(col)].Reset);
    return String();
}

void TTableForm::Missing_File()
{
    // Most forms start a new table empty: the reset already made it so.
}

void TTableForm::Rows_Changed(TTableGrid&)
{
    // Most tables show nothing that depends on the rows' order.
}

String TTableForm::Project_File_Name() const
{
    return QFileInfo(Project_File()).fileName();
}

bool TTableForm::Load_Project_File()
{
    const String path = Project_File();
    if (!FileExists(path)) {
        Missing_File();
        return true;
    }
    // The whole file is parsed before any cell changes, so a broken one
    // leaves the tables as the reset left them.
    try {
        XML1->LoadFromFile(path);
    } catch (const Exception& e) {
        Show_Error(Format(Lang_Text(Text_Broken_File), {path, e.Message()}));
        return false;
    }
    const TXMLNode root = XML1->DocumentElement();
    FIncomplete_Rows = 0;
    const int extra = root ? Read_Document(root) : 0;
    // Whatever the file lacks, the user hears of it once, in one box.
    QStringList warnings;
    if (extra > 0) warnings << Format(Lang_Text(Text_Extra_Rows), {Project_File_Name(), extra});
    if (FIncomplete_Rows > 0)
        warnings << Format(Lang_Text(Text_Incomplete_Rows), {Project_File_Name(), FIncomplete_Rows});
    if (!warnings.isEmpty())
        MessageDlg(warnings.join(QLatin1Char('\n')), TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return true;
}

int TTableForm::Read_Document(const TXMLNode& root)
{
    int extra = 0;
    for (const auto& table : FTables) {
        if (!table->Layout) continue;
        if (!table->Layout->Section) {
            extra += Read_Table(root, *table);
            continue;
        }
        // A missing section is an empty table.
        const TXMLNode section = root.ChildNode(QString::fromLatin1(table->Layout->Section));
        if (section) extra += Read_Table(section, *table);
    }
    return extra;
}

int TTableForm::Read_Table(const TXMLNode& parent, TTableGrid& table)
{
    TZvStringGrid* grid = table.Grid;
    const std::vector<TXMLNode> rows = parent.ChildNodes();
    const int fit = std::min(int(rows.size()), grid->RowCount() - 1);
    const TTableColumns& columns = table.Layout->Columns;
    for (int i = 0; i < fit; ++i) {
        const TXMLNode& row = rows[std::size_t(i)];
        bool incomplete = false;
        for (int col = 0; col < int(columns.size()); ++col) {
            const TTableColumn& column = columns[std::size_t(col)];
            if (!column.Attr) continue;
            const String name = QString::fromLatin1(column.Attr);
            if (row.HasAttribute(name))
                Set_Table_Cell_Text(table, col, i + 1, row.Attribute(name));
            else if (table.Layout->Attrs_Required)
                incomplete = true;   // every attribute is the row's own: no default stands in
            else if (column.Load_Default)
                Set_Table_Cell_Text(table, col, i + 1, QString::fromLatin1(column.Load_Default));
            else if (column.Required)
                incomplete = true;
        }
        if (incomplete) ++FIncomplete_Rows;
    }
    return int(rows.size()) - fit;
}

void TTableForm::End_Edits()
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* grid = dynamic_cast<TZvStringGrid*>(Components(i))) grid->HideInplaceEdit();
}

void TTableForm::DoHide()
{
    End_Edits();
    TForm::DoHide();
}

void TTableForm::FormShow(TObject*)
{
    SetModalResult(mrNone);
    // An editor left open at the last closing would show its old value over
    // the loaded file and store it into the grid at the next click.
    End_Edits();
    Reset_Tables();
    Fill_Lists();
    if (!Load_Files()) {
        // Nothing half-read is shown: the window closes as it opens.
        Reset_Tables();
        SetModalResult(mrCancel);
        return;
    }
    for (const auto& table : FTables) table->Do_Copy = false;
    Shown();
}

void TTableForm::Shown()
{
    if (!FTables.empty() && FTables.front()->Grid->CanFocus()) FTables.front()->Grid->SetFocus();
}

// ---- Confirming and saving ----------------------------------------------------------------

int TTableForm::Stop_Row(const TTableGrid& table) const
{
    TZvStringGrid* grid = table.Grid;
    const int key = table.Layout ? table.Layout->Key_Col : 1;
    if (key == No_Key_Col) return grid->RowCount();
    for (int r = 1; r < grid->RowCount(); ++r)
        if (Trim(grid->GetCellEx(key, r)).isEmpty()) return r;
    return grid->RowCount();
}

int TTableForm::First_Row_Below_Stop(const TTableGrid& table) const
{
    TZvStringGrid* grid = table.Grid;
    const int cols = Real_Col_Count(grid);
    auto* columnGrid = dynamic_cast<TZvColumnGrid*>(grid);
    for (int r = Stop_Row(table) + 1; r < grid->RowCount(); ++r)
        for (int c = 1; c < cols; ++c) {
            // Check boxes hold "Y"/"N" in every row: they are no text of the user's.
            bool state = false;
            if (grid->GetCheckBoxState(c, r, state)) continue;
            if (columnGrid && c < columnGrid->Columns()->Count() &&
                columnGrid->Columns()->Items(c)->Editor() == TEditorType::edDataCheckBox)
                continue;
            if (!Trim(grid->GetCellEx(c, r)).isEmpty()) return r;
        }
    return 0;
}

std::vector<TRowTexts> TTableForm::Content_Rows(const TTableGrid& table) const
{
    std::vector<TRowTexts> rows;
    const int cols = Real_Col_Count(table.Grid);
    const int stop = Stop_Row(table);
    for (int r = 1; r < stop; ++r) {
        TRowTexts& cells = rows.emplace_back();
        for (int c = 0; c < cols; ++c) cells.push_back(Table_Cell_Text(table, c, r));
    }
    return rows;
}

bool TTableForm::Confirm_Dropped_Rows()
{
    for (const auto& table : FTables) {
        if (!table->Layout || First_Row_Below_Stop(*table) == 0) continue;
        const int stop = Stop_Row(*table);
        const String question = Format(Lang_Text(Text_Drop_Rows_Below), {stop});
        if (MessageDlg(question, TMsgDlgType::mtConfirmation, mbYesNo) != mrYes) return false;
    }
    return true;
}

void TTableForm::Write_Table(TXMLNode& parent, const TTableGrid& table) const
{
    const int stop = Stop_Row(table);
    const TTableColumns& columns = table.Layout->Columns;
    for (int r = 1; r < stop; ++r) {
        TXMLNode row = parent.AddChild(QString::fromLatin1(table.Layout->Row_Element));
        for (int col = 0; col < int(columns.size()); ++col) {
            const TTableColumn& column = columns[std::size_t(col)];
            if (!column.Attr) continue;
            const String text = column.Saved_As ? QString::fromLatin1(column.Saved_As) : Table_Cell_Text(table, col, r);
            row.SetAttribute(QString::fromLatin1(column.Attr), text);
        }
    }
}

void TTableForm::Write_Document(TXMLDocument& doc)
{
    doc.SetActive(false);
    doc.Clear();
    doc.SetActive(true);
    TXMLNode root = doc.CreateRoot(Root_Name());
    doc.AddDocumentComment(Version_Comment());
    for (const auto& table : FTables) {
        if (!table->Layout) continue;
        if (!table->Layout->Section) {
            Write_Table(root, *table);
            continue;
        }
        TXMLNode section = root.AddChild(QString::fromLatin1(table->Layout->Section));
        Write_Table(section, *table);
    }
}

void TTableForm::Save_Files()
{
    Write_Document(*XML1);
    XML1->SaveToFile(Project_File());
}

void TTableForm::Btn_OKClick(TObject*)
{
    // A pick still open in its editor is the user's too, on whichever tab it was made.
    End_Edits();
    if (!Controllo_dati()) return;
    if (!Confirm_Dropped_Rows()) return;
    // A failed save raises with the path and reason; the form stays open and
    // the old file stays whole.
    Save_Files();
    SetModalResult(mrOk);
}

// ---- Row buttons and grid events ------------------------------------------------------------

TTableGrid* TTableForm::Table_Of(TObject* Sender)
{
    TZvStringGrid* grid = Grid_Of_Sender(Sender);
    for (const auto& table : FTables)
        if (table->Grid == grid) return table.get();
    return nullptr;
}

void TTableForm::Btn_DelRowClick(TObject*)
{
    const int index = Active_Table();
    TTableGrid& table = Table(index);
    const int row = table.Grid->Row();
    if (row < 1) return;
    if (MessageDlg(Delete_Question(index, row), TMsgDlgType::mtConfirmation, mbYesNo) != mrYes) return;
    if (table.Check_Grid)
        Delete_Row_Check_Grid(row, table.Grid, table.Has_Enable);
    else
        Delete_Row_Column_Grid(row, static_cast<TZvColumnGrid*>(table.Grid));
    Rows_Changed(table);
}

void TTableForm::Btn_InsRowClick(TObject*)
{
    TTableGrid& table = Table(Active_Table());
    const int row = table.Grid->Row();
    if (row < 1) return;
    if (table.Check_Grid)
        Insert_Row_Check_Grid(row, table.Grid, table.Has_Enable && table.Insert_Enable);
    else
        Insert_Row_Column_Grid(row, static_cast<TZvColumnGrid*>(table.Grid), table.Has_Enable && table.Insert_Enable);
    Rows_Changed(table);
}

void TTableForm::Btn_CopyRowClick(TObject*)
{
    TTableGrid& table = Table(Active_Table());
    const int row = table.Grid->Row();
    if (row < 1) return;
    if (table.Check_Grid)
        Copy_Row_Check_Grid(table.Grid, row);
    else
        Copy_Row_Column_Grid(static_cast<TZvColumnGrid*>(table.Grid), row);
    if (Copy_Clears_Others)
        for (const auto& other : FTables) other->Do_Copy = false;
    table.Do_Copy = true;
}

void TTableForm::Btn_PasteRowClick(TObject*)
{
    TTableGrid& table = Table(Active_Table());
    const int row = table.Grid->Row();
    if (row < 1) return;
    if (table.Check_Grid)
        Paste_Row_Check_Grid(table.Grid, row, table.Do_Copy);
    else
        Paste_Row_Column_Grid(static_cast<TZvColumnGrid*>(table.Grid), row, table.Do_Copy);
    Rows_Changed(table);
}

void TTableForm::Grid_Hint(TObject* Sender, int ARow, int ACol, String& hintstr)
{
    hintstr.clear();
    const TTableGrid* table = Table_Of(Sender);
    if (!table || ARow != 0 || ACol < 1 || ACol > table->Hint.Count()) return;
    hintstr = table->Hint[ACol - 1];
}

void TTableForm::Grid_DblClickCell(TObject* Sender, int ARow, int ACol)
{
    Grid_DblClick_AutoSize(Grid_Of_Sender(Sender), ARow, ACol);
}

void TTableForm::Grid_KeyPress(TObject* Sender, QChar& Key)
{
    Grid_Enter_Jump(Sender, Key);
}

void TTableForm::Grid_ClickCell(TObject* Sender, int ARow, int ACol)
{
    TZvStringGrid* grid = Grid_Of_Sender(Sender);
    if (grid && ACol == 0 && ARow >= 1) grid->SelectRows(ARow, 1);
}
