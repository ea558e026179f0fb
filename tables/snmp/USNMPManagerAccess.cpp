#include "tables/snmp/USNMPManagerAccess.h"

#include "core/UBinConfig.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace {

struct TColumnLayout {
    int Header;                 // text slot
    int Hint;                   // text slot, 0 for none
    TEditorType Editor;
    std::initializer_list<const char*> Items;
    int Width;
    TColor Color;
};

constexpr TColor Rgb(unsigned rgb) { return RGB(rgb >> 16, rgb >> 8, rgb); }

const TColumnLayout Column_Layouts[SM_Col_Count] = {
    {2708, 0, TEditorType::edNormal, {}, 40, clBtnFace},
    {2709, 2723, TEditorType::edDataCheckBox, {}, 50, Rgb(0xFFD8B0)},
    {2710, 2724, TEditorType::edNormal, {}, 90, Rgb(0xE0FAFE)},
    {2711, 2725, TEditorType::edComboList, {"1", "2", "3"}, 60, Rgb(0xE0FAFE)},
    {2712, 2726, TEditorType::edComboEdit, {"Quenta", "Sorvine"}, 106, Rgb(0xE0FAFE)},
    {2713, 2727, TEditorType::edNormal, {}, 100, Rgb(0xE0FAFE)},
    {2714, 2728, TEditorType::edComboList, {"String", "Int"}, 65, Rgb(0xFFFFA8)},
    {2715, 2729, TEditorType::edComboList, {"Get", "Set", "Trap"}, 65, Rgb(0xFFFFA8)},
    {2716, 2730, TEditorType::edDataCheckBox, {}, 75, Rgb(0xA8FFA8)},
    {2717, 2731, TEditorType::edDataCheckBox, {}, 50, Rgb(0xA8FFA8)},
    {2718, 2732, TEditorType::edDataCheckBox, {}, 65, Rgb(0xA8FFA8)},
    {2719, 2733, TEditorType::edNormal, {}, 65, Rgb(0xA8FFA8)},
    {2720, 2734, TEditorType::edComboList, {}, 75, Rgb(0xFCD6F4)},
    {2721, 2735, TEditorType::edNormal, {}, 75, Rgb(0xFCD6F4)},
    {2754, 2755, TEditorType::edComboList, {"None", "Float", "Float * 10", "Float * 100"}, 95, Rgb(0xFFD8B0)},
    {2760, 2761, TEditorType::edDataCheckBox, {}, 50, Rgb(0xD5D5FF)},
    {2762, 2768, TEditorType::edNormal, {}, 70, Rgb(0x91DEFF)},
    {2763, 2769, TEditorType::edNormal, {}, 70, Rgb(0x91DEFF)},
    {2764, 2770, TEditorType::edNormal, {}, 70, Rgb(0x91DEFF)},
    {2765, 2771, TEditorType::edComboList, {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"}, 100, Rgb(0x91DEFF)},
    {2766, 2772, TEditorType::edComboList, {"MD5", "SHA"}, 75, Rgb(0x91DEFF)},
    {2767, 2773, TEditorType::edComboList, {"DES", "AES"}, 75, Rgb(0x91DEFF)},
    {2722, 2736, TEditorType::edNormal, {}, 80, clWindow},
};

// Texts of the checks.
constexpr int Text_Error_Row = 2737, Text_IP = 2738, Text_OID_First = 2739, Text_Time = 2745,
              Text_Delete_Row = 2747, Text_Conversion = 2756, Text_Get_Needs_Timer = 2757,
              Text_Security_Level = 2783, Text_Auth_Mode = 2784, Text_Priv_Mode = 2785, Text_Error_Rows = 2786,
              Text_And = 2787, Text_Same_Request = 2788, Text_Too_Many_Characters = 2789,
              Text_Number_Bytes_255 = 1543;

constexpr int Position_Count = 2000;
constexpr int Time_Max = 100000000;

bool Is_Y(const String& text)
{
    return Trim(text) == QLatin1String("Y");
}

} // namespace

const TTableLayout& SNMP_Manager_Layout()
{
    static const TTableLayout layout{nullptr, SM_IP_Address,
                                     {{"Enable", "Y"}, {"IP_Address"}, {"Version"}, {"Community_String"}, {"OID"},
                                      {"Type"}, {"Mode"}, {"On_Change", "N"}, {"On_Command", "N"}, {"On_Timer", "N"},
                                      {"Time"}, {"Position"}, {"Number_Bytes"}, {"ConvertFrom", "None"},
                                      {"Cancel", "N"}, {"User"}, {"Auth_Pass"}, {"Priv_Pass"}, {"Security_Level"},
                                      {"Auth_Mode"}, {"Priv_Mode"}, {"Mnemonic"}}};
    return layout;
}

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner) : TTableForm(AOwner)
{
    OnCreate = [this](TObject* s) { FormCreate(s); };
    Build_Table_Frame(1230, 337);
    ACG_SNMP = New_Table_Grid(this, SM_Col_Count, SNMP_Manager_Rows + 1);
    ACG_SNMP->SetAlign(TAlign::alClient);
    for (int c = 0; c < SM_Col_Count; ++c) {
        const TColumnLayout& column = Column_Layouts[c];
        TGridColumnItem* item = ACG_SNMP->Columns()->Items(c);
        item->SetWidth(column.Width);
        if (c == SM_N) {
            item->SetFixed(true);
            continue;
        }
        item->SetEditor(column.Editor);
        item->SetColor(column.Color);
        for (const char* text : column.Items) item->ComboItems()->Add(QString::fromLatin1(text));
        if (column.Editor == TEditorType::edDataCheckBox) item->SetAlignment(TAlignment::taCenter);
    }
    Add_Table(ACG_SNMP, &SNMP_Manager_Layout());
    // The first showing resets and loads the table; until then it stands empty.
}

void TFSNMPManagerAccess::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientWidth(1230);
    SetClientHeight(337);
    ACG_SNMP->SetRowCount(SNMP_Manager_Rows + 1);
    Set_Lang();
}

void TFSNMPManagerAccess::Set_Lang()
{
    SetCaption(Lang_Text(2700));
    L_SW_Desc->SetCaption(Lang_Text(2701));
    Set_Button_Texts(2702, 2748);
    for (int c = 0; c < SM_Col_Count; ++c) ACG_SNMP->Columns()->Items(c)->SetHeader(Lang_Text(Column_Layouts[c].Header));
    Hint_SNMP().Clear();
    for (int c = 1; c < SM_Col_Count; ++c) Hint_SNMP().Add(Lang_Text(Column_Layouts[c].Hint));
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

String TFSNMPManagerAccess::Cell(int col, int row) const
{
    return ACG_SNMP->GetCellEx(col, row);
}

bool TFSNMPManagerAccess::Row_Error(int row, int slot)
{
    MessageDlg(Lang_Text(Text_Error_Row) + IntToStr(row) + Lang_Text(slot), TMsgDlgType::mtError,
               TMsgDlgButtons{TMsgDlgBtn::mbOK});
    return false;
}

bool TFSNMPManagerAccess::Check_Row(int row, TSNMPStringPool& pool)
{
    std::uint8_t a = 0, b = 0, c = 0, d = 0;
    if (IP_To_Bytes(Cell(SM_IP_Address, row), a, b, c, d)) return Row_Error(row, Text_IP);
    // An empty OID has no number at all: the check calls it a wrong character.
    const String oid = Cell(SM_OID, row);
    if (const int fault = Check_OID(oid)) return Row_Error(row, Text_OID_First + fault - 1);

    const bool onTimer = Is_Y(Cell(SM_On_Timer, row));
    if (Trim(Cell(SM_Mode, row)) == QLatin1String("Get") && !onTimer) return Row_Error(row, Text_Get_Needs_Timer);
    if (onTimer) {
        const int time = StrToIntDef(Cell(SM_Time, row), -1);
        if (time < 1 || time > Time_Max) return Row_Error(row, Text_Time);
    }
    const int bytes = StrToIntDef(Cell(SM_Num_Bytes, row), -1);
    if (bytes < 0 || bytes > SNMP_Max_Number_Bytes) return Row_Error(row, Text_Number_Bytes_255);
    if (Trim(Cell(SM_Conversion, row)).isEmpty()) return Row_Error(row, Text_Conversion);

    if (StrToIntDef(Cell(SM_Version, row), -1) == 3) {
        const int level = SNMP_Security_Level_Code(Cell(SM_Security_Level, row));
        if (level == -1) return Row_Error(row, Text_Security_Level);
        if ((level & 1) && Trim(Cell(SM_Auth_Mode, row)).isEmpty()) return Row_Error(row, Text_Auth_Mode);
        if ((level & 2) && Trim(Cell(SM_Priv_Mode, row)).isEmpty()) return Row_Error(row, Text_Priv_Mode);
    }
    // The pool takes what the image builder will put into it.
    for (const String& text : SNMP_Pool_Texts({Cell(SM_Version, row), oid, Cell(SM_Community, row),
                                               Cell(SM_User, row), Cell(SM_Auth_Pass, row), Cell(SM_Priv_Pass, row)}))
        pool.Add(text);
    return true;
}

bool TFSNMPManagerAccess::Check_Duplicates()
{
    const int stop = Stop_Row(Table(0));
    auto enabled = [&](int r) { return SNMP_Row_Enabled(Cell(SM_Enable, r)); };
    auto same = [&](int r, int s, int col) { return Trim(Cell(col, r)) == Trim(Cell(col, s)); };
    for (int c = 1; c < stop; ++c) {
        if (!enabled(c)) continue;
        for (int d = c + 1; d < stop; ++d) {
            if (!enabled(d)) continue;
            if (same(c, d, SM_IP_Address) && same(c, d, SM_Version) && same(c, d, SM_OID)) {
                MessageDlg(Lang_Text(Text_Error_Rows) + IntToStr(c) + Lang_Text(Text_And) + IntToStr(d) +
                               Lang_Text(Text_Same_Request),
                           TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
                return false;
            }
        }
    }
    return true;
}

bool TFSNMPManagerAccess::Controllo_dati()
{
    TSNMPStringPool pool;
    const int stop = Stop_Row(Table(0));
    for (int row = 1; row < stop; ++row) {
        if (!SNMP_Row_Enabled(Cell(SM_Enable, row))) continue;
        if (!Check_Row(row, pool)) return false;
    }
    if (!Check_Duplicates()) return false;
    if (pool.Bytes() > SNMP_Pool_Capacity) {
        MessageDlg(Lang_Text(Text_Too_Many_Characters), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return false;
    }
    return true;
}
