#include "tables/dmx/UDMXDefVal.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Xml.h"

TFDMXDefVal* FDMXDefVal = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFDMXDefVal>("TFDMXDefVal");

} // namespace

TFDMXDefVal::TFDMXDefVal(TComponent* AOwner) : TTableForm(AOwner)
{
    Build_Table_Frame(475, 337);
    // The table's rows are the channels: no row is inserted, deleted or copied.
    for (TZvPushButton* button : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) button->SetVisible(false);
    ACG_DMX_Def_Val = New_Table_Grid(this, DMX_Col_Count, DMX_Max_Channels + 1);
    ACG_DMX_Def_Val->SetAlign(TAlign::alClient);
    ACG_DMX_Def_Val->SetOptions(ACG_DMX_Def_Val->Options() - TGridOptions{goEditing});
    ACG_DMX_Def_Val->OnGridHint = nullptr;
    ACG_DMX_Def_Val->OnDblClickCell = nullptr;
    ACG_DMX_Def_Val->OnKeyPress = nullptr;
    Add_Table(ACG_DMX_Def_Val, &DMX_Default_Values_Layout());
}

void TFDMXDefVal::Set_Lang()
{
    SetCaption(Lang_Text(1300));
    L_SW_Desc->SetCaption(Lang_Text(1301));
    Btn_OK->SetCaption(Lang_Text(1302));
    Btn_Cancel->SetCaption(Lang_Text(1303));
    Set_Column_Texts(ACG_DMX_Def_Val, DMX_Default_Values_Layout().Columns, nullptr);
}

String TFDMXDefVal::Project_File() const
{
    return File_DMX_Default_Values;
}

String TFDMXDefVal::Delete_Question(int, int) const
{
    // The window has no delete button.
    return String();
}

bool TFDMXDefVal::Load_Files()
{
    int channels = DMX_Max_Channels;
    try {
        channels = DMX_Channel_Count(File_ParGen);
    } catch (const Exception& e) {
        MessageDlg(Format(Lang_Text(Text_Broken_File), {File_ParGen, e.Message()}), TMsgDlgType::mtError,
                   TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return false;
    }
    if (ACG_DMX_Def_Val->RowCount() != channels + 1) {
        ACG_DMX_Def_Val->SetRowCount(channels + 1);
        Reset_Tables();
    }
    return Load_Project_File();
}

bool TFDMXDefVal::Controllo_dati()
{
    const std::optional<int> row = Check_DMX_Default_Values(Content_Rows(Table(0)));
    if (!row) return true;
    MessageDlg(DMX_Fault_Text(*row), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}
