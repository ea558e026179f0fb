#include "tables/canopen/UCANopenTables.h"

#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"

namespace {

bool Fails(const TRangeCheck& check, const TRowTexts& cells)
{
    const int value = Cell_Number(cells[std::size_t(check.Col)]);
    if (check.One_Two_Four) return value != 1 && value != 2 && value != 4;
    return value < check.Min || value > check.Max;
}

std::optional<TTableFault> First_Range_Fault(const std::vector<TRangeCheck>& checks, const TRowTexts& cells, int row)
{
    for (const TRangeCheck& check : checks)
        if (Fails(check, cells)) return TTableFault{check.Slot, row};
    return std::nullopt;
}

} // namespace

std::optional<TTableFault> Check_CANopen_Table(const std::vector<TRowTexts>& rows, const TCANopenRules& rules)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRowTexts& cells = rows[i];
        const int row = int(i) + 1;
        if (auto fault = First_Range_Fault(rules.Before, cells, row)) return fault;
        // The count passed its own check above, so it names 1 to 8 columns.
        const int count = Cell_Number(cells[std::size_t(rules.Count_Col)]);
        if (const int k = First_Bad_Position(cells, rules.First_Address_Col, count, rules.Positions, false))
            return TTableFault{rules.First_Address_Slot + k - 1, row, rules.Positions - 1};
        if (auto fault = First_Range_Fault(rules.After, cells, row)) return fault;
    }
    return std::nullopt;
}

TTableColumns CANopen_Address_Columns(int firstHeader, int firstHint, int count, int width)
{
    static const char* const names[] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                        "Address_B5", "Address_B6", "Address_B7", "Address_B8"};
    TTableColumns columns;
    for (int k = 0; k < count; ++k)
        columns.push_back({.Header = firstHeader + k, .Hint = firstHint + k, .Width = width,
                           .Color = Rgb(0xFCD6F4), .Attr = names[k]});
    return columns;
}

TTableColumns Joined_Columns(std::initializer_list<TTableColumns> parts)
{
    TTableColumns all;
    for (const TTableColumns& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TTableLayout CANopen_Layout(const char* section, TTableColumns columns)
{
    TTableLayout layout{section, 1, std::move(columns)};
    layout.Attrs_Required = true;
    layout.Header_In_Cells = true;
    return layout;
}

TCANopenForm::TCANopenForm(TComponent* AOwner, int clientWidth, const TCANopenTexts& texts,
                           const TCANopenTable& first, const TCANopenTable& second)
    : TTableForm(AOwner), FTexts(texts), FTableDefs{first, second}
{
    Build_Table_Frame(clientWidth, 337);
    Copy_Clears_Others = true;
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(TAlign::alClient);
    for (int i = 0; i < 2; ++i) {
        FSheets[std::size_t(i)] = new TTabSheet(this);
        FSheets[std::size_t(i)]->SetPageControl(PageControl1);
        const TCANopenTable& def = FTableDefs[std::size_t(i)];
        TZvColumnGrid* grid = New_Table_Grid(FSheets[std::size_t(i)], int(def.Layout->Columns.size()), def.Rows + 1);
        grid->SetAlign(TAlign::alClient);
        grid->SetDefaultRowHeight(21);
        grid->SetFixedRowHeight(21);
        grid->SetHoverRow(true);
        grid->SetHintShowCells(true);
        // Editing starts with the first editable cell made current, as in every grid laid out without it.
        grid->SetOptions(grid->Options() - TGridOptions{goEditing});
        grid->OnClickCell = [this](TObject* s, int r, int c) { Grid_ClickCell(s, r, c); };
        Add_Table(grid, def.Layout);
        (i == 0 ? sga : sgb) = grid;
    }
    PageControl1->SetActivePage(FSheets[0]);
}

void TCANopenForm::Set_Lang()
{
    SetCaption(Lang_Text(FTexts.Caption));
    L_SW_Desc->SetCaption(Lang_Text(FTexts.Caption + 1));
    Set_Button_Texts(FTexts.First_Button_Caption, FTexts.First_Button_Hint);
    for (int i = 0; i < 2; ++i) {
        FSheets[std::size_t(i)]->SetCaption(Lang_Text(FTexts.First_Tab + i));
        const TTableLayout& layout = *FTableDefs[std::size_t(i)].Layout;
        Set_Column_Texts(Table(i).Grid, layout.Columns, &Table(i).Hint, layout.Header_In_Cells);
    }
}

bool TCANopenForm::Controllo_dati()
{
    for (int i = 0; i < 2; ++i)
        if (const auto fault = Check_CANopen_Table(Content_Rows(Table(i)), *FTableDefs[std::size_t(i)].Rules)) {
            Show_Table_Fault(FTexts.Error_Row, *fault);
            return false;
        }
    return true;
}

int TCANopenForm::Active_Table() const
{
    return PageControl1->ActivePage() == FSheets[1] ? 1 : 0;
}

String TCANopenForm::Delete_Question(int, int row) const
{
    return Lang_Text(FTexts.Delete_Question) + IntToStr(row);
}

void TCANopenForm::Fill_Lists()
{
    PROFINET_NByte_IN = CANopen_Area_Bytes;
    PROFINET_NByte_OUT = CANopen_Area_Bytes;
}

void TCANopenForm::Shown()
{
    PageControl1->SetActivePage(FSheets[0]);
}

void TCANopenForm::Grid_ClickCell(TObject* Sender, int ARow, int ACol)
{
    if (ACol != 0 || ARow < 1) return;
    if (auto* grid = dynamic_cast<TZvStringGrid*>(Sender)) grid->SelectRows(ARow, 1);
}
