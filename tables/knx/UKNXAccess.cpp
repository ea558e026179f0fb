#include "tables/knx/UKNXAccess.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Xml.h"
#include "tables/knx/UKNXAccessRules.h"

TFKNXAccess* FKNXAccess = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFKNXAccess>("TFKNXAccess");

constexpr int Text_Delete_Row = 2660;

} // namespace

TFKNXAccess::TFKNXAccess(TComponent* AOwner) : TTableForm(AOwner)
{
    Build_Table_Frame(1141, 337);
    ACG_KNX_in_Write = New_Table_Grid(this, KX_Col_Count, KNX_Rows + 1);
    ACG_KNX_in_Write->SetAlign(TAlign::alClient);
    ACG_KNX_in_Write->SetHoverRow(true);
    ACG_KNX_in_Write->SetHintShowCells(true);
    // Editing starts at the first editable cell made current.
    ACG_KNX_in_Write->SetOptions(ACG_KNX_in_Write->Options() - TGridOptions{goEditing});
    ACG_KNX_in_Write->OnClickCell = [this](TObject* s, int r, int c) { Grid_ClickCell(s, r, c); };
    Add_Table(ACG_KNX_in_Write, &KNX_Access_Layout());
}

void TFKNXAccess::Set_Lang()
{
    SetCaption(Lang_Text(2600));
    L_SW_Desc->SetCaption(Lang_Text(2601));
    Set_Button_Texts(2602, 2608);
    // The headers are the cells of row 0, not the columns' own headers.
    const TTableColumns& columns = KNX_Access_Layout().Columns;
    for (int c = 0; c < int(columns.size()); ++c)
        ACG_KNX_in_Write->SetCellEx(c, 0, Lang_Text(columns[std::size_t(c)].Header));
    Hint().Clear();
    for (int c = 1; c < int(columns.size()); ++c) Hint().Add(Lang_Text(columns[std::size_t(c)].Hint));
}

String TFKNXAccess::Project_File() const
{
    return File_KNX_SetAccess;
}

String TFKNXAccess::Delete_Question(int, int row) const
{
    return Lang_Text(Text_Delete_Row) + IntToStr(row);
}

void TFKNXAccess::Fill_Lists()
{
    Max_Num_Byte = KNX_Data_Bytes;
    TStringList* items = ACG_KNX_in_Write->Columns()->Items(KX_Position)->ComboItems();
    items->Clear();
    for (int i = 0; i < Max_Num_Byte; ++i) items->Add(IntToStr(i));
}

int TFKNXAccess::Read_Document(const TXMLNode& root)
{
    const int extra = TTableForm::Read_Document(root);
    const TXMLNode section = root.ChildNode(QStringLiteral("KNX_in_Write"));
    const int loaded = section ? std::min(int(section.ChildNodes().size()), KNX_Rows) : 0;
    for (int r = 1; r <= loaded; ++r)
        ACG_KNX_in_Write->SetCellEx(KX_Priority, r, KNX_Priority(ACG_KNX_in_Write->GetCellEx(KX_Priority, r)));
    return extra;
}

void TFKNXAccess::Shown()
{
    // This window leaves the focus to the window system.
}

bool TFKNXAccess::Controllo_dati()
{
    const auto fault = Check_KNX_Access(Content_Rows(Table(0)), Max_Num_Byte);
    if (!fault) return true;
    MessageDlg(KNX_Fault_Text(*fault), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}
