#include "tables/snmptrap/USNMP_Trap_Access.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "tables/snmptrap/USNMP_Trap_AccessRules.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFSNMP_Trap_Access>("TFSNMP_Trap_Access");

constexpr int Text_Delete_Row = 1975;

void Fill_Positions(TStringList* items, int bytes)
{
    items->Clear();
    for (int i = 0; i < bytes; ++i) items->Add(IntToStr(i));
}

void Set_Row(TZvColumnGrid* grid, int row, const TRowTexts& cells)
{
    for (int c = 1; c < int(cells.size()); ++c) grid->SetCellEx(c, row, cells[std::size_t(c)]);
}

} // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner) : TTableForm(AOwner)
{
    Build_Table_Frame(1256, 337);
    Copy_Clears_Others = true;
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(TAlign::alClient);
    TS_SNMP_Read = new TTabSheet(this);
    TS_SNMP_Write = new TTabSheet(this);
    for (TTabSheet* page : {TS_SNMP_Read, TS_SNMP_Write}) page->SetPageControl(PageControl1);

    const auto make = [this](TTabSheet* page, const TTableLayout& layout) {
        TZvColumnGrid* grid = New_Table_Grid(page, int(layout.Columns.size()), SNMP_Trap_Rows + 1);
        grid->SetAlign(TAlign::alClient);
        // The row under the pointer stands out, and cells too narrow for their text show it as a hint.
        grid->SetHoverRow(true);
        grid->SetHintShowCells(true);
        grid->OnCheckBoxClick = [this](TObject* s, int c, int r, bool st) { ACG_SNMP_ReadCheckBoxClick(s, c, r, st); };
        Add_Table(grid, &layout);
        return grid;
    };
    ACG_SNMP_Read = make(TS_SNMP_Read, SNMP_Trap_Read_Layout());
    ACG_SNMP_Write = make(TS_SNMP_Write, SNMP_Trap_Write_Layout());
    // The Write table starts without editing; the first editable cell made
    // current turns it on, as in every grid laid out that way.
    ACG_SNMP_Write->SetOptions(ACG_SNMP_Write->Options() - TGridOptions{goEditing});
    PageControl1->SetActivePage(TS_SNMP_Read);
}

void TFSNMP_Trap_Access::Set_Lang()
{
    SetCaption(Lang_Text(1900));
    L_SW_Desc->SetCaption(Lang_Text(1901));
    Set_Button_Texts(1902, 1910);
    TS_SNMP_Read->SetCaption(Lang_Text(1908));
    TS_SNMP_Write->SetCaption(Lang_Text(1909));
    Set_Column_Texts(ACG_SNMP_Read, SNMP_Trap_Read_Layout().Columns, &Hint_SNMP_Read());
    Set_Column_Texts(ACG_SNMP_Write, SNMP_Trap_Write_Layout().Columns, &Hint_SNMP_Write());
}

String TFSNMP_Trap_Access::Project_File() const
{
    return File_SNMP_Trap;
}

int TFSNMP_Trap_Access::Active_Table() const
{
    return PageControl1->ActivePage() == TS_SNMP_Write ? 1 : 0;
}

String TFSNMP_Trap_Access::Delete_Question(int, int row) const
{
    return Lang_Text(Text_Delete_Row) + IntToStr(row);
}

void TFSNMP_Trap_Access::Fill_Lists()
{
    NByte_IN = SNMP_Trap_Area_Bytes;
    NByte_OUT = SNMP_Trap_Area_Bytes;
    Fill_Positions(ACG_SNMP_Read->Columns()->Items(TR_Position)->ComboItems(), NByte_IN);
    Fill_Positions(ACG_SNMP_Write->Columns()->Items(TW_Position)->ComboItems(), NByte_OUT);
}

void TFSNMP_Trap_Access::Missing_File()
{
    for (int i = 0; i < SNMP_Trap_Default_Rows; ++i) {
        Set_Row(ACG_SNMP_Read, i + 1, SNMP_Trap_Default_Read_Row(i));
        Set_Row(ACG_SNMP_Write, i + 1, SNMP_Trap_Default_Write_Row(i));
    }
}

void TFSNMP_Trap_Access::Index_Row_Build(TZvStringGrid* grid)
{
    int counter = 1;
    for (int r = 1; r < grid->RowCount(); ++r) {
        if (SNMP_Trap_Row_Enabled(grid->GetCellEx(TR_Enable, r)))
            grid->SetCellEx(0, r, IntToStr(counter++));
        else
            grid->SetCellEx(0, r, String());
    }
}

void TFSNMP_Trap_Access::Shown()
{
    Index_Row_Build(ACG_SNMP_Read);
    Index_Row_Build(ACG_SNMP_Write);
}

// Column 0 shows the numbers the MIB will use, so every change of rows renumbers.
void TFSNMP_Trap_Access::Rows_Changed(TTableGrid& table)
{
    Index_Row_Build(table.Grid);
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int, bool)
{
    if (ACol != TR_Enable) return;
    if (auto* grid = dynamic_cast<TZvStringGrid*>(Sender)) Index_Row_Build(grid);
}

bool TFSNMP_Trap_Access::Controllo_dati()
{
    std::vector<String> descriptions;
    const auto fault = Check_SNMP_Trap(Content_Rows(Table(0)), Content_Rows(Table(1)), &descriptions);
    SL_Check_Desc.Clear();
    for (const String& text : descriptions) SL_Check_Desc.Add(text);
    if (!fault) return true;
    MessageDlg(SNMP_Trap_Fault_Text(*fault), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}
