#include "tables/snmp/USNMPManagerAccess.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "tables/snmp/USNMPManagerAccessRules.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFSNMPManagerAccess>("TFSNMPManagerAccess");

constexpr int Text_Delete_Row = 2747;
constexpr int Position_Count = 2000;

} // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner) : TTableForm(AOwner)
{
    Build_Table_Frame(1230, 337);
    ACG_SNMP = New_Table_Grid(this, SM_Col_Count, SNMP_Manager_Rows + 1);
    ACG_SNMP->SetAlign(TAlign::alClient);
    Add_Table(ACG_SNMP, &SNMP_Manager_Layout());
    // The first showing resets and loads the table; until then it stands empty.
}

void TFSNMPManagerAccess::Set_Lang()
{
    SetCaption(Lang_Text(2700));
    L_SW_Desc->SetCaption(Lang_Text(2701));
    Set_Button_Texts(2702, 2748);
    Set_Column_Texts(ACG_SNMP, SNMP_Manager_Layout().Columns, &Hint_SNMP());
}

String TFSNMPManagerAccess::Project_File() const
{
    return File_SNMP_Manager;
}

String TFSNMPManagerAccess::Delete_Question(int, int row) const
{
    return Lang_Text(Text_Delete_Row) + IntToStr(row);
}

void TFSNMPManagerAccess::Fill_Lists()
{
    TStringList* items = ACG_SNMP->Columns()->Items(SM_Position)->ComboItems();
    items->Clear();
    for (int i = 0; i < Position_Count; ++i) items->Add(IntToStr(i));
}

bool TFSNMPManagerAccess::Controllo_dati()
{
    const std::optional<TSNMPFault> fault = Check_SNMP_Manager(Content_Rows(Table(0)));
    if (!fault) return true;
    MessageDlg(SNMP_Fault_Text(*fault), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}
