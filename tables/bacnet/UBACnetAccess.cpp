#include "tables/bacnet/UBACnetAccess.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UDialogFrame.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "tables/bacnet/UImportEDEFile.h"

TFBACnetAccess* FBACnetAccess = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFBACnetAccess>("TFBACnetAccess");

constexpr int Text_Delete_Row = 1436, Text_No_BACnet_Type = 1457;
constexpr int Wide_Screen = 1270, Wide_Width = 1305, Narrow_Width = 1000;

void Fill(TStringList* items, const std::vector<String>& texts)
{
    items->Clear();
    for (const String& text : texts) items->Add(text);
}

// The highest Position plus NByte of the rows in use, 0 when none says.
int Next_Position(TZvStringGrid* grid, int key, int position, int nbyte)
{
    int next = 0;
    for (int r = 1; r < grid->RowCount(); ++r) {
        if (Trim(grid->GetCellEx(key, r)).isEmpty()) continue;
        const int at = StrToIntDef(Trim(grid->GetCellEx(position, r)), -1);
        const int size = StrToIntDef(Trim(grid->GetCellEx(nbyte, r)), -1);
        if (at >= 0 && size >= 0) next = std::max(next, at + size);
    }
    return next;
}

String Name_Of(const TBACnet_Var& var)
{
    return var.Obj_Name + QStringLiteral(" - ") + var.Description;
}

} // namespace

TFBACnetAccess::TFBACnetAccess(TComponent* AOwner) : TTableForm(AOwner)
{
    Build_Table_Frame(Wide_Width, 337);
    Copy_Clears_Others = true;
    Btn_Import_CSV = New_Dialog_Button(this, Button_Panel, 16 + 6 * 118, Dialog_Button_Top);
    Btn_Import_CSV->OnClick = [this](TObject* s) { Btn_Import_CSVClick(s); };
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(TAlign::alClient);
    TS_BACnet_Read = new TTabSheet(this);
    TS_BACnet_Write = new TTabSheet(this);
    for (TTabSheet* page : {TS_BACnet_Read, TS_BACnet_Write}) page->SetPageControl(PageControl1);

    const auto make = [this](TTabSheet* page, const TTableLayout& layout) {
        TZvColumnGrid* grid = New_Table_Grid(page, int(layout.Columns.size()), BACnet_Rows + 1);
        grid->SetAlign(TAlign::alClient);
        // Only the NByte hint of the Read table; no header hints, no
        // header auto-size, no Enter jump.
        grid->OnGridHint = [this](TObject* s, int r, int c, String& h) { ACG1GridHint(s, r, c, h); };
        grid->OnDblClickCell = nullptr;
        grid->OnKeyPress = nullptr;
        Add_Table(grid, &layout);
        return grid;
    };
    ACG1 = make(TS_BACnet_Read, BACnet_Read_Layout(0));
    ACG2 = make(TS_BACnet_Write, BACnet_Write_Layout(0));
    PageControl1->SetActivePage(TS_BACnet_Read);

    OD_EDE_File = new TOpenDialog(this);
    OD_EDE_File->SetFilter(QStringLiteral("BACnet EDE File (*.csv)|*.csv"));
    OnCreate = [this](TObject* s) {
        FormCreate(s);
        SetClientWidth(Screen && Screen->Width() > Wide_Screen ? Wide_Width : Narrow_Width);
        OD_EDE_File->SetInitialDir(BACnet_CSV_Dir);
    };
}

void TFBACnetAccess::Set_Lang()
{
    SetCaption(Lang_Text(1400));
    L_SW_Desc->SetCaption(Lang_Text(1401));
    Btn_OK->SetCaption(Lang_Text(1402));
    Btn_Cancel->SetCaption(Lang_Text(1403));
    Btn_DelRow->SetCaption(Lang_Text(1404));
    Btn_InsRow->SetCaption(Lang_Text(1405));
    // Copy and Paste keep the window's own captions in every language.
    Btn_CopyRow->SetCaption(QStringLiteral("Copy Row"));
    Btn_PasteRow->SetCaption(QStringLiteral("Paste Row"));
    Btn_Import_CSV->SetCaption(Lang_Text(1459));
    TS_BACnet_Read->SetCaption(Lang_Text(1406));
    TS_BACnet_Write->SetCaption(Lang_Text(1407));
    Set_Column_Texts(ACG1, BACnet_Read_Layout(0).Columns, nullptr);
    Set_Column_Texts(ACG2, BACnet_Write_Layout(0).Columns, nullptr);
}

String TFBACnetAccess::Project_File() const
{
    return File_BACnet_Master_Access;
}

int TFBACnetAccess::Active_Table() const
{
    return PageControl1->ActivePage() == TS_BACnet_Write ? 1 : 0;
}

String TFBACnetAccess::Delete_Question(int, int row) const
{
    return Lang_Text(Text_Delete_Row) + IntToStr(row);
}

void TFBACnetAccess::Fill_Lists()
{
    PageControl1->SetActivePage(TS_BACnet_Read);
    if (!Load_BACnet_Type(File_ParGen, App_BACnet_Type)) {
        MessageDlg(Lang_Text(Text_No_BACnet_Type), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        App_BACnet_Type = 0;
    }
    // The key column follows the type, for the checks, the saving and the import alike.
    Table(0).Layout = &BACnet_Read_Layout(App_BACnet_Type);
    Table(1).Layout = &BACnet_Write_Layout(App_BACnet_Type);
    if (BACnet_Type_Has_Address(App_BACnet_Type)) {
        const bool ip = App_BACnet_Type == 0;
        ACG1->Columns()->Items(BR_Address)->SetHeader(Lang_Text(ip ? 1409 : 1410));
        ACG2->Columns()->Items(BW_Address)->SetHeader(Lang_Text(ip ? 1421 : 1422));
        for (TZvColumnGrid* grid : {ACG1, ACG2})
            if (grid->IsHiddenColumn(BR_Address)) grid->UnHideColumn(BR_Address);
    } else {
        for (TZvColumnGrid* grid : {ACG1, ACG2})
            if (!grid->IsHiddenColumn(BR_Address)) grid->HideColumn(BR_Address);
    }
    Prepare_Devices_Position_Columns();
}

void TFBACnetAccess::Shown()
{
    // The Read tab is in front after every showing; the focus goes to its table.
    TTableForm::Shown();
}

void TFBACnetAccess::Prepare_Devices_Position_Columns()
{
    Fill(ACG1->Columns()->Items(BR_Position)->ComboItems(), BACnet_Read_Positions());
    Fill(ACG2->Columns()->Items(BW_Position)->ComboItems(),
         BACnet_Write_Positions(Load_DALI2_Positions(File_DALI2_Access)));
}

bool TFBACnetAccess::Controllo_dati()
{
    const auto fault = Check_BACnet_Tables(Content_Rows(Table(0)), Content_Rows(Table(1)), App_BACnet_Type);
    if (!fault) return true;
    MessageDlg(BACnet_Fault_Text(*fault), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}

void TFBACnetAccess::ACG1GridHint(TObject* Sender, int ARow, int ACol, String& hintstr)
{
    if (Sender == ACG1) hintstr = Str_Hint_Read(ACG1->RealColIndex(ACol), ARow);
    else hintstr = Str_Hint_Write(ACol, ARow);
}

String TFBACnetAccess::Str_Hint_Read(int ACol, int ARow) const
{
    if (ARow < 1 || ARow >= ACG1->RowCount() || ACol != BR_NByte) return {};
    return BACnet_Read_NByte_Hint(ACG1->GetCellEx(BR_Object_Type, ARow), ACG1->GetCellEx(BR_Property, ARow));
}

String TFBACnetAccess::Str_Hint_Write(int, int) const
{
    return {};
}

void TFBACnetAccess::Btn_Import_CSVClick(TObject*)
{
    TFImportEDEFile* dialog = Import_Dialog ? Import_Dialog : FImportEDEFile;
    if (!dialog) return;
    dialog->App_BACnet_Type = App_BACnet_Type;
    OD_EDE_File->SetInitialDir(BACnet_CSV_Dir);
    if (!OD_EDE_File->Execute()) return;
    const String chosen = OD_EDE_File->FileName();
    BACnet_CSV_Dir = ExcludeTrailingPathDelimiter(ExtractFileDir(chosen));
    OD_EDE_File->SetInitialDir(BACnet_CSV_Dir);
    if (!FileExists(chosen)) return;
    dialog->EDE_File = chosen;
    if (dialog->ShowModal() == mrOk) Add_EDE_Objects(*dialog);
}

void TFBACnetAccess::Add_EDE_Objects(const TFImportEDEFile& dialog)
{
    TTableGrid& read = Table(0);
    TTableGrid& write = Table(1);
    int read_row = Stop_Row(read), write_row = Stop_Row(write);
    int read_at = Next_Position(ACG1, read.Layout->Key_Col, BR_Position, BR_NByte);
    int write_at = Next_Position(ACG2, write.Layout->Key_Col, BW_Position, BW_NByte);
    const String address = dialog.E_ID_IP ? dialog.E_ID_IP->Text() : String();
    // Objects that find no row left in a table are not added to it.
    for (const auto& item : dialog.List_EDE_Var) {
        const TBACnet_Var& var = *item;
        if (!var.Do_Import) continue;
        const String type = Get_ObjType_EDE(var.Obj_Type);
        const int bytes = Get_NumByte_EDE(var.Obj_Type);
        if (var.Do_Read && read_row <= BACnet_Rows) {
            const std::vector<std::pair<int, String>> cells = {
                {BR_Enable, "Y"}, {BR_Address, address}, {BR_Object_Type, type},
                {BR_Instance, IntToStr(var.Obj_Instance)}, {BR_Property, "Present Value (85)"},
                {BR_NByte, IntToStr(bytes)}, {BR_En_Dest, "N"}, {BR_D_Net, ""}, {BR_D_Len, ""}, {BR_D_Add, ""},
                {BR_Poll_Time, "1000"}, {BR_Max_Err, "0"}, {BR_Position, IntToStr(read_at)}, {BR_Start_Bit, "0"},
                {BR_Swap, "N"}, {BR_Conversion, ""}, {BR_Mnemonic, Name_Of(var)}};
            for (const auto& [col, text] : cells) ACG1->SetCellEx(col, read_row, text);
            ++read_row;
            read_at += bytes;
        }
        if (var.Do_Write && write_row <= BACnet_Rows) {
            const std::vector<std::pair<int, String>> cells = {
                {BW_Enable, "Y"}, {BW_Address, address}, {BW_Object_Type, type},
                {BW_Data_Type, Get_DataType_EDE(var.Obj_Type)}, {BW_Instance, IntToStr(var.Obj_Instance)},
                {BW_Property, "Present Value (85)"}, {BW_Priority, "0"}, {BW_NByte, IntToStr(bytes)},
                {BW_En_Dest, "N"}, {BW_D_Net, ""}, {BW_D_Len, ""}, {BW_D_Add, ""}, {BW_Change, "N"},
                {BW_Timer, "N"}, {BW_Poll_Time, "1000"}, {BW_Max_Err, "0"}, {BW_Position, IntToStr(write_at)},
                {BW_Start_Bit, "0"}, {BW_Swap, "N"}, {BW_Conversion, ""}, {BW_Mnemonic, Name_Of(var)}};
            for (const auto& [col, text] : cells) ACG2->SetCellEx(col, write_row, text);
            ++write_row;
            write_at += bytes;
        }
    }
}
