#include "tables/modbus/UModbusMaster.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "tables/modbus/UModbusMasterRules.h"

namespace {

void Fill_Positions(TStringList* items, int bytes)
{
    items->Clear();
    for (int i = 0; i < bytes; ++i) items->Add(IntToStr(i));
}

} // namespace

TModbusMasterForm::TModbusMasterForm(TComponent* AOwner, const TModbusMaster& master)
    : TTableForm(AOwner), FMaster(master)
{
    Build_Table_Frame(master.Client_Width, 337);
    Copy_Clears_Others = true;
    // Captions the text table does not translate for the TCP master.
    Btn_CopyRow->SetCaption(QStringLiteral("Copy Row"));
    Btn_PasteRow->SetCaption(QStringLiteral("Paste Row"));
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(TAlign::alClient);
    TS_Modbus_Read = new TTabSheet(this);
    TS_Modbus_Write = new TTabSheet(this);
    for (TTabSheet* page : {TS_Modbus_Read, TS_Modbus_Write}) page->SetPageControl(PageControl1);

    const auto make = [this](TTabSheet* page, const TTableLayout& layout) {
        TZvColumnGrid* grid = New_Table_Grid(page, int(layout.Columns.size()), Modbus_Rows + 1);
        grid->SetAlign(TAlign::alClient);
        grid->SetHoverRow(true);
        // Editing starts at the first editable cell made current.
        grid->SetOptions(grid->Options() - TGridOptions{goEditing});
        grid->OnGridHint = nullptr;
        grid->OnDblClickCell = nullptr;
        grid->OnKeyPress = nullptr;
        grid->OnClickCell = [this](TObject* s, int r, int c) { Grid_ClickCell(s, r, c); };
        Add_Table(grid, &layout).Insert_Enable = false;
        return grid;
    };
    ACG_Modbus_Read = make(TS_Modbus_Read, master.Read.Layout);
    ACG_Modbus_Write = make(TS_Modbus_Write, master.Write.Layout);
    PageControl1->SetActivePage(TS_Modbus_Read);
}

void TModbusMasterForm::Set_Lang()
{
    SetCaption(Lang_Text(FMaster.Caption_Slot));
    L_SW_Desc->SetCaption(Lang_Text(FMaster.Caption_Slot + 1));
    TZvPushButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < FMaster.Button_Slots; ++i) buttons[i]->SetCaption(Lang_Text(FMaster.First_Button_Slot + i));
    const int tabs = FMaster.First_Button_Slot + FMaster.Button_Slots;
    TS_Modbus_Read->SetCaption(Lang_Text(tabs));
    TS_Modbus_Write->SetCaption(Lang_Text(tabs + 1));
    Set_Column_Texts(ACG_Modbus_Read, FMaster.Read.Layout.Columns, nullptr);
    Set_Column_Texts(ACG_Modbus_Write, FMaster.Write.Layout.Columns, nullptr);
}

String TModbusMasterForm::Project_File() const
{
    return Program_State.*FMaster.File;
}

int TModbusMasterForm::Active_Table() const
{
    return PageControl1->ActivePage() == TS_Modbus_Write ? 1 : 0;
}

String TModbusMasterForm::Delete_Question(int, int row) const
{
    return Lang_Text(FMaster.Delete_Slot) + IntToStr(row);
}

void TModbusMasterForm::Fill_Lists()
{
    NByte_IN = FMaster.Read.Area_Bytes;
    NByte_OUT = FMaster.Write.Area_Bytes;
    Fill_Positions(ACG_Modbus_Read->Columns()->Items(FMaster.Read.Cols.Position)->ComboItems(), NByte_IN);
    Fill_Positions(ACG_Modbus_Write->Columns()->Items(FMaster.Write.Cols.Position)->ComboItems(), NByte_OUT);
}

void TModbusMasterForm::Shown()
{
    PageControl1->SetActivePage(TS_Modbus_Read);
}

bool TModbusMasterForm::Controllo_dati()
{
    const auto fault = Check_Modbus_Master(FMaster, Content_Rows(Table(0)), Content_Rows(Table(1)));
    if (!fault) return true;
    MessageDlg(Modbus_Fault_Text(FMaster, *fault), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}
