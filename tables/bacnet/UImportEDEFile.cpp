#include "tables/bacnet/UImportEDEFile.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tables/common/UTableColumn.h"

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {

using enum TEditorType;
constexpr TAlignment Centre = TAlignment::taCenter;
constexpr int Grid_Rows = 513;
constexpr int Text_Error_Line = 1613, Text_Only_Read = 1614, Text_Bad_IP = 1616, Text_Bad_Slave = 1617;

const TTableColumns& EDE_Columns()
{
    const TColor Choice = Rgb(0xFFD8B0), Shown = Rgb(0xE0FAFE);
    static const TTableColumns columns{
        {.Header = 1604, .Width = 40},
        {.Header = 1605, .Editor = edDataCheckBox, .Width = 55, .Color = Choice, .Alignment = Centre},
        {.Header = 1606, .Editor = edDataCheckBox, .Width = 50, .Color = Choice, .Alignment = Centre},
        {.Header = 1607, .Editor = edDataCheckBox, .Width = 50, .Color = Choice, .Alignment = Centre},
        {.Header = 1608, .Width = 190, .Color = Shown, .Read_Only = true},
        {.Header = 1609, .Width = 85, .Color = Shown, .Alignment = Centre, .Read_Only = true},
        {.Header = 1610, .Width = 75, .Color = Shown, .Alignment = Centre, .Read_Only = true},
        {.Header = 1611, .Width = 200, .Color = Shown, .Read_Only = true},
        {.Header = 1612, .Editor = edDataCheckBox, .Width = 95, .Color = Shown, .Alignment = Centre,
         .Read_Only = true},
    };
    return columns;
}

String YN(bool state)
{
    return state ? QStringLiteral("Y") : QStringLiteral("N");
}

void Show_Error(const String& text)
{
    MessageDlg(text, TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

} // namespace

TFImportEDEFile::TFImportEDEFile(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    const TDialogFrame frame = Build_Dialog_Frame(this, 16, 134);
    Title_Panel = frame.Title_Panel;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    Button_Panel = frame.Button_Panel;
    Btn_OK = frame.Btn_OK;
    Btn_Cancel = frame.Btn_Cancel;
    Btn_Select_All = New_Dialog_Button(this, Button_Panel, 252, Dialog_Button_Top);
    Btn_Unselect_All = New_Dialog_Button(this, Button_Panel, 370, Dialog_Button_Top);
    // The address the new rows carry, under the title.
    auto* address = new TPanel(this);
    address->SetParent(this);
    // Top-aligned panels stack in the order of their tops: below the title, not beside it at 0.
    address->SetBounds(0, Title_Panel->Top() + Title_Panel->Height(), ClientWidth(), 34);
    address->SetAlign(TAlign::alTop);
    address->SetBevelOuter(TBevelCut::bvNone);
    address->SetColor(Window_Color);
    LID_IP = New_Dialog_Label(this, address, 16, 10);
    E_ID_IP = new TEdit(this);
    E_ID_IP->SetParent(address);
    E_ID_IP->SetBounds(300, 6, 160, 22);

    ACG = new TZvColumnGrid(this);
    ACG->SetParent(this);
    ACG->SetAlign(TAlign::alClient);
    ACG->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                                 goColSizing, goEditing});
    ACG->SetColCount(EG_Col_Count);
    ACG->SetRowCount(Grid_Rows);
    ACG->SetFixedRows(1);
    ACG->SetFixedCols(1);
    ACG->SetDefaultRowHeight(22);
    Build_Columns(ACG, EDE_Columns());
    ACG->OnCheckBoxClick = [this](TObject* s, int c, int r, bool st) { ACGCheckBoxClick(s, c, r, st); };

    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Select_All->OnClick = [this](TObject* s) { Btn_Select_AllClick(s); };
    Btn_Unselect_All->OnClick = [this](TObject* s) { Btn_Unselect_AllClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFImportEDEFile::~TFImportEDEFile() = default;

void TFImportEDEFile::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(863);
    SetClientHeight(337);
    // The dialog keeps the language of its creation: no language change reaches it.
    Set_Lang();
    List_EDE_Var.clear();
}

void TFImportEDEFile::Set_Lang()
{
    SetCaption(Lang_Text(1600));
    L_SW_Desc->SetCaption(Lang_Text(1601));
    Btn_OK->SetCaption(Lang_Text(1602));
    Btn_Cancel->SetCaption(Lang_Text(1603));
    LID_IP->SetCaption(Lang_Text(1615));
    Btn_Select_All->SetCaption(QStringLiteral("Select All"));
    Btn_Unselect_All->SetCaption(QStringLiteral("Unselect All"));
    Set_Column_Texts(ACG, EDE_Columns(), nullptr);
}

void TFImportEDEFile::DoHide()
{
    ACG->HideInplaceEdit();
    TForm::DoHide();
}

void TFImportEDEFile::FormShow(TObject*)
{
    SetModalResult(mrNone);
    ACG->HideInplaceEdit();
    ACG->SetRowCount(Grid_Rows);
    for (int r = 1; r < Grid_Rows; ++r) {
        ACG->SetCellEx(EG_N, r, IntToStr(r));
        for (int c = 1; c < EG_Col_Count; ++c) ACG->SetCellEx(c, r, String());
    }
    if (E_ID_IP->CanFocus()) E_ID_IP->SetFocus();
    Cancel_EDE_List_Vars();
    if (!Load_EDE_File()) {
        // Nothing could be picked from it: the dialog ends as if cancelled.
        Show_Error(Format(Lang_Text(Text_EDE_Unreadable), {EDE_File}));
        Show_Data_in_Grid();
        SetModalResult(mrCancel);
        return;
    }
    Show_Data_in_Grid();
}

bool TFImportEDEFile::Load_EDE_File()
{
    return ::Load_EDE_File(EDE_File, List_EDE_Var);
}

void TFImportEDEFile::Cancel_EDE_List_Vars()
{
    List_EDE_Var.clear();
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    const int count = int(List_EDE_Var.size());
    ACG->SetRowCount(count == 0 ? 2 : count + 1);
    if (count == 0)
        for (int c = 1; c < EG_Col_Count; ++c) ACG->SetCellEx(c, 1, String());
    for (int i = 0; i < count; ++i) {
        const TBACnet_Var& var = *List_EDE_Var[std::size_t(i)];
        const int r = i + 1;
        // Rows past the reset ones carry no number.
        if (r >= Grid_Rows) ACG->SetCellEx(EG_N, r, String());
        ACG->SetCellEx(EG_Import, r, YN(var.Do_Import));
        ACG->SetCellEx(EG_Read, r, YN(var.Do_Read));
        ACG->SetCellEx(EG_Write, r, YN(var.Do_Write));
        ACG->SetCellEx(EG_Name, r, var.Obj_Name);
        ACG->SetCellEx(EG_Type, r, IntToStr(var.Obj_Type));
        ACG->SetCellEx(EG_Instance, r, IntToStr(var.Obj_Instance));
        ACG->SetCellEx(EG_Description, r, var.Description);
        ACG->SetCellEx(EG_Commandable, r, YN(var.Settable));
    }
}

void TFImportEDEFile::ACGCheckBoxClick(TObject*, int ACol, int ARow, bool State)
{
    if (ARow < 1 || ARow > int(List_EDE_Var.size())) return;
    TBACnet_Var& var = *List_EDE_Var[std::size_t(ARow - 1)];
    if (ACol == EG_Write && State && !var.Settable) {
        Show_Error(Lang_Text(Text_Error_Line) + IntToStr(ARow) + Lang_Text(Text_Only_Read));
        ACG->SetCellEx(EG_Write, ARow, QStringLiteral("N"));
        var.Do_Write = false;
        return;
    }
    if (ACol == EG_Import) var.Do_Import = State;
    else if (ACol == EG_Read) var.Do_Read = State;
    else if (ACol == EG_Write) var.Do_Write = State;
}

void TFImportEDEFile::Btn_Select_AllClick(TObject*)
{
    for (std::size_t i = 0; i < List_EDE_Var.size(); ++i) {
        List_EDE_Var[i]->Do_Import = true;
        ACG->SetCellEx(EG_Import, int(i) + 1, QStringLiteral("Y"));
    }
}

void TFImportEDEFile::Btn_Unselect_AllClick(TObject*)
{
    for (std::size_t i = 0; i < List_EDE_Var.size(); ++i) {
        List_EDE_Var[i]->Do_Import = false;
        ACG->SetCellEx(EG_Import, int(i) + 1, QStringLiteral("N"));
    }
}

void TFImportEDEFile::Btn_OKClick(TObject*)
{
    const String address = E_ID_IP->Text();
    if (App_BACnet_Type == 0) {
        std::uint8_t a, b, c, d;
        if (IP_To_Bytes(address, a, b, c, d)) {
            Show_Error(Lang_Text(Text_Bad_IP));
            return;
        }
    } else if (App_BACnet_Type == 1) {
        const int id = StrToIntDef(Trim(address), -1);
        if (id < 0 || id > 254) {
            Show_Error(Lang_Text(Text_Bad_Slave));
            return;
        }
    }
    SetModalResult(mrOk);
}
