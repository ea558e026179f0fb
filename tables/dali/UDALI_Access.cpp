#include "tables/dali/UDALI_Access.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tables/dali/UDALI_AccessRules.h"
#include "tables/common/UGridRows.h"

#include <QCursor>

namespace {

constexpr int Client_Width = 1200;
constexpr int Client_Height = 496;

// Device grid columns (real).
constexpr int DV_Label = 0, DV_Enable = 1, DV_Address = 2, DV_Dimming = 3, DV_MinMax = 4, DV_Recall = 5;
constexpr int Group_Rows = 17;

const std::vector<String> Dimming_Values = {QStringLiteral("Normal"), QStringLiteral("Start Break")};
const std::vector<String> Min_Max_Values = {QStringLiteral("Y"), QStringLiteral("N")};
const std::vector<String> Recall_Values = {DALI_Recall_None, DALI_Recall_Min_Max, DALI_Recall_Old_Value};

// The device grid and, below it, the group and broadcast grid: the same
// settings without the address columns. This product hides the address and
// dimming columns.
const TTableColumns& Device_Columns()
{
    using enum TEditorType;
    constexpr TAlignment Centre = TAlignment::taCenter;
    static const TTableColumns columns = {
        {.Header = 758, .Width = 200, .Read_Only = true},
        {.Header = 759, .Editor = edDataCheckBox, .Width = 90, .Alignment = Centre},
        {.Header = 760, .Width = 190, .Read_Only = true, .Hidden = true},
        {.Header = 761, .Editor = edComboList, .Items = Dimming_Values, .Width = 190, .Hidden = true},
        {.Header = 762, .Editor = edDataCheckBox, .Width = 90, .Alignment = Centre},
        {.Header = 763, .Editor = edComboList, .Items = Recall_Values, .Width = 190},
    };
    return columns;
}

const TTableColumns& Group_Columns()
{
    using enum TEditorType;
    static const TTableColumns columns = {
        {.Header = 764, .Width = 200, .Read_Only = true},
        {.Header = 765, .Editor = edComboList, .Items = Dimming_Values, .Width = 190},
        {.Header = 766, .Editor = edDataCheckBox, .Width = 90, .Alignment = TAlignment::taCenter},
        {.Header = 767, .Editor = edComboList, .Items = Recall_Values, .Width = 190},
    };
    return columns;
}

void Fill(TStringList& list, const std::vector<String>& entries)
{
    list.Clear();
    for (const String& entry : entries) list.Add(entry);
}

constexpr int Text_Map_Not_Written = 1560;

void Show_Error(const String& text)
{
    MessageDlg(text, TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

void Set_Grid_Look(TZvStringGrid* grid)
{
    grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                                  goColSizing, goEditing});
    grid->SetDefaultRowHeight(22);
    grid->SetFixedRowHeight(22);
    grid->SetShowHint(true);
}

} // namespace

TFDALI_Access* FDALI_Access = nullptr;

namespace {
[[maybe_unused]] const bool Registered = Register_Table_Form<TFDALI_Access>("TFDALI_Access");
} // namespace

// ---- Building --------------------------------------------------------------------------------

TFDALI_Access::TFDALI_Access(TComponent* AOwner) : TTableForm(AOwner)
{
    Build_Table_Frame(Client_Width, Client_Height);
    Btn_SelectAll = New_Dialog_Button(this, Button_Panel, 252, Dialog_Button_Top);
    Btn_ClearAll = New_Dialog_Button(this, Button_Panel, 370, Dialog_Button_Top);
    Btn_DALI_Maps = New_Dialog_Button(this, Button_Panel, 488, Dialog_Button_Top);
    Btn_SelectAll->OnClick = [this](TObject* s) { Btn_SelectAllClick(s); };
    Btn_ClearAll->OnClick = [this](TObject* s) { Btn_ClearAllClick(s); };
    Btn_DALI_Maps->OnClick = [this](TObject* s) { Btn_DALI_MapsClick(s); };
    Btn_DALI_Maps->SetVisible(false);
    for (TLabel** label : {&L_NBI_Title, &L_NBI_Value, &L_NBO_Title, &L_NBO_Value})
        *label = New_Dialog_Label(this, Title_Panel, 0, 0);
    L_NBI_Title->SetBounds(700, 10, 120, 16);
    L_NBI_Value->SetBounds(830, 10, 60, 16);
    L_NBO_Title->SetBounds(700, 40, 120, 16);
    L_NBO_Value->SetBounds(830, 40, 60, 16);

    PC_DALI = new TPageControl(this);
    PC_DALI->SetParent(this);
    PC_DALI->SetAlign(TAlign::alClient);
    TS_Select_Device = new TTabSheet(this);
    TS_Set_Access = new TTabSheet(this);
    TS_Functions = new TTabSheet(this);
    for (TTabSheet* page : {TS_Select_Device, TS_Set_Access, TS_Functions}) page->SetPageControl(PC_DALI);
    PC_DALI->OnChange = [this](TObject* s) { PC_DALIChange(s); };

    Build_Device_Tab();
    Build_Rule_Grid();
    Build_Function_Grid();
    PM_Dimming_Mode = New_Header_Menu({"Select All Normal", "Select All Start Break"}, &TFDALI_Access::DimmingModeClick);
    PM_MinMax_Value = New_Header_Menu({"Select All", "Clear All"}, &TFDALI_Access::MinMaxValueClick);
    PM_Recall_Level = New_Header_Menu({"Select All None", "Select All Recall Min-Max Level for Switch",
                                       "Select All Recall Old Value Level for Switch"},
                                      &TFDALI_Access::RecallLevelClick);
    PM_DimMode_GB = New_Header_Menu({"Select All Normal", "Select All Start Break"}, &TFDALI_Access::DimmingModeClick);
    PM_MinMax_GB = New_Header_Menu({"Select All", "Clear All"}, &TFDALI_Access::MinMaxValueClick);
    PM_Recall_GB = New_Header_Menu({"Select All None", "Select All Recall Min-Max Level for Switch",
                                    "Select All Recall Old Value Level for Switch"},
                                   &TFDALI_Access::RecallLevelClick);
    Init_Form_Type();
    PC_DALI->SetActivePage(TS_Select_Device);
    Init_Table();
}

void TFDALI_Access::Build_Device_Tab()
{
    // The group and broadcast grid sits below the device grid behind a
    // splitter; this product keeps both hidden.
    PDaliGroupBroad = New_Dialog_Panel(this);
    PDaliGroupBroad->SetParent(TS_Select_Device);
    PDaliGroupBroad->SetAlign(TAlign::alBottom);
    PDaliGroupBroad->SetHeight(160);
    Splitter_GroupBroad = New_Dialog_Panel(this);
    Splitter_GroupBroad->SetParent(TS_Select_Device);
    Splitter_GroupBroad->SetAlign(TAlign::alBottom);
    Splitter_GroupBroad->SetHeight(4);

    auto make = [this](TWinControl* parent, int rows) {
        auto* grid = new TZvColumnGrid(this);
        grid->SetParent(parent);
        grid->SetAlign(TAlign::alClient);
        Set_Grid_Look(grid);
        grid->SetRowCount(rows);
        grid->SetFixedRows(1);
        grid->SetFixedCols(0);
        grid->OnRightClickCell = [this](TObject* s, int r, int c) { Device_RightClickCell(s, r, c); };
        return grid;
    };
    ACG_DALI_Device = make(TS_Select_Device, DALI_Addresses + 1);
    ACG_DALI_Device->SetColCount(int(Device_Columns().size()));
    Build_Columns(ACG_DALI_Device, Device_Columns());
    ACG_DALI_GroupBroad = make(PDaliGroupBroad, Group_Rows + 1);
    ACG_DALI_GroupBroad->SetColCount(int(Group_Columns().size()));
    Build_Columns(ACG_DALI_GroupBroad, Group_Columns());
}

void TFDALI_Access::Build_Rule_Grid()
{
    ASG = new TZvStringGrid(this);
    ASG->SetParent(TS_Set_Access);
    ASG->SetAlign(TAlign::alClient);
    Set_Grid_Look(ASG);
    ASG->SetColCount(AS_Cols);
    ASG->SetRowCount(DALI_Rule_Rows + 1);
    ASG->SetFixedRows(1);
    ASG->SetFixedCols(1);
    ASG->OnGridHint = [this](TObject* s, int r, int c, String& h) { Grid_Hint(s, r, c, h); };
    ASG->OnDblClickCell = [this](TObject* s, int r, int c) { Grid_DblClickCell(s, r, c); };
    ASG->OnKeyPress = [this](TObject* s, QChar& k) { Grid_KeyPress(s, k); };
    ASG->OnClickCell = [this](TObject* s, int r, int c) { Grid_ClickCell(s, r, c); };
    ASG->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { ASGGetEditorType(s, c, r, e); };
    Add_Table(ASG, &DALI_Rules_Layout(), true);
}

void TFDALI_Access::Build_Function_Grid()
{
    ACG = New_Table_Grid(TS_Functions, FN_Cols, DALI_Function_Rows + 1);
    ACG->SetAlign(TAlign::alClient);
    ACG->OnClickCell = [this](TObject* s, int r, int c) { Grid_ClickCell(s, r, c); };
    ACG->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) { ACGComboChange(s, c, r, i, t); };
    Add_Table(ACG, &DALI_Functions_Layout());
}

TPopupMenu* TFDALI_Access::New_Header_Menu(std::initializer_list<const char*> captions,
                                           void (TFDALI_Access::*click)(TObject*))
{
    auto* menu = new TPopupMenu(this);
    int index = 0;
    for (const char* caption : captions) {
        auto* item = new TMenuItem(this);
        item->SetCaption(QString::fromLatin1(caption));
        item->SetTag(index++);
        item->OnClick = [this, click](TObject* s) { (this->*click)(s); };
        menu->Items()->Add(item);
    }
    return menu;
}

void TFDALI_Access::Init_Form_Type()
{
    // The address and dimming columns are hidden by their descriptors.
    for (TLabel* label : {L_NBI_Title, L_NBI_Value, L_NBO_Title, L_NBO_Value}) label->SetVisible(false);
    Splitter_GroupBroad->SetVisible(false);
    PDaliGroupBroad->SetVisible(false);
}

void TFDALI_Access::Init_Table()
{
    // The Set Access grid took its shape from its descriptors; its pick lists
    // are handed to the combo editor cell by cell.
    Fill(DevSen, DALI_Rules_Layout().Columns[AS_DevSen].Items);
    Fill(SenType, DALI_Sensor_Types);
    Fill(DevType, DALI_Device_Types);
    Fill(NumBytes, DALI_Rules_Layout().Columns[AS_NumBytes].Items);
}

void TFDALI_Access::Set_Lang()
{
    SetCaption(Lang_Text(600));
    L_SW_Desc->SetCaption(Lang_Text(601));
    Btn_OK->SetCaption(Lang_Text(602));
    Btn_Cancel->SetCaption(Lang_Text(603));
    Btn_SelectAll->SetCaption(Lang_Text(604));
    Btn_ClearAll->SetCaption(Lang_Text(605));
    Btn_OK->SetHint(Lang_Text(606));
    Btn_Cancel->SetHint(Lang_Text(607));
    Btn_SelectAll->SetHint(Lang_Text(608));
    Btn_ClearAll->SetHint(Lang_Text(609));
    // The row buttons keep the window's own captions in every language.
    Btn_DelRow->SetCaption(QStringLiteral("Delete Row"));
    Btn_InsRow->SetCaption(QStringLiteral("Insert Row"));
    Btn_CopyRow->SetCaption(QStringLiteral("Copy Row"));
    Btn_PasteRow->SetCaption(QStringLiteral("Paste Row"));
    for (int r = 1; r <= DALI_Addresses; ++r) ACG_DALI_Device->SetCellEx(DV_Label, r, Lang_Text(609 + r));
    L_NBI_Title->SetCaption(Lang_Text(751));
    L_NBO_Title->SetCaption(Lang_Text(752));
    Btn_DALI_Maps->SetCaption(Lang_Text(753));
    Btn_DALI_Maps->SetHint(Lang_Text(754));
    Set_Column_Texts(ACG_DALI_Device, Device_Columns(), nullptr);
    Set_Column_Texts(ACG_DALI_GroupBroad, Group_Columns(), nullptr);
    for (int r = 1; r <= Group_Rows; ++r) ACG_DALI_GroupBroad->SetCellEx(0, r, Lang_Text(767 + r));
    Set_Column_Texts(ASG, DALI_Rules_Layout().Columns, &Hint());
    Set_Column_Texts(ACG, DALI_Functions_Layout().Columns, &Hint_Fun());
    TS_Select_Device->SetCaption(Lang_Text(2555));
    TS_Set_Access->SetCaption(Lang_Text(2556));
    TS_Functions->SetCaption(Lang_Text(2557));
}

// ---- Showing and loading -------------------------------------------------------------------

String TFDALI_Access::Project_File() const
{
    return File_DALI2_Access;
}

String TFDALI_Access::Root_Name() const
{
    return QStringLiteral("DALI2_Access");
}

std::vector<String> TFDALI_Access::Files() const
{
    return {File_DALI_Access, File_DALI2_Access};
}

TDALIDevices TFDALI_Access::Device_Rows() const
{
    TDALIDevices devices;
    for (int n = 0; n < DALI_Addresses; ++n)
        devices[std::size_t(n)] = {ACG_DALI_Device->GetCellEx(DV_Enable, n + 1),
                                   ACG_DALI_Device->GetCellEx(DV_MinMax, n + 1),
                                   ACG_DALI_Device->GetCellEx(DV_Recall, n + 1)};
    return devices;
}

void TFDALI_Access::Set_Device_Rows(const TDALIDevices& devices)
{
    for (int n = 0; n < DALI_Addresses; ++n) {
        const TDALIDevice& device = devices[std::size_t(n)];
        ACG_DALI_Device->SetCellEx(DV_Enable, n + 1, device.Enable);
        ACG_DALI_Device->SetCellEx(DV_MinMax, n + 1, device.Min_Max);
        ACG_DALI_Device->SetCellEx(DV_Recall, n + 1, device.Recall_Level);
    }
}

bool TFDALI_Access::Load_Device_File()
{
    // Start values: no device, min-max off, no recall.
    TDALIDevices devices;
    for (int r = 1; r <= DALI_Addresses; ++r) ACG_DALI_Device->SetCellEx(DV_Dimming, r, Dimming_Values[0]);
    if (FileExists(File_DALI_Access)) {
        try {
            XML1->LoadFromFile(File_DALI_Access);
        } catch (const Exception& e) {
            Show_Error(Format(Lang_Text(Text_Broken_File), {File_DALI_Access, e.Message()}));
            return false;
        }
        Load_DALI_Access(*XML1, devices);
    }
    Set_Device_Rows(devices);
    return true;
}

bool TFDALI_Access::Load_Files()
{
    return Load_Device_File() && Load_Project_File();
}

void TFDALI_Access::Shown()
{
    if (ACG_DALI_Device->CanFocus()) ACG_DALI_Device->SetFocus();
    PC_DALIChange(PC_DALI);
}

TDALI2Tables TFDALI_Access::Rule_Tables() const
{
    TDALI2Tables tables;
    for (int r = 1; r <= DALI_Function_Rows; ++r) {
        TDALIFunctionRow cells;
        for (int c = 0; c < DALI_Function_Cells; ++c) cells[std::size_t(c)] = ACG->GetCellEx(c + 1, r);
        tables.Functions.push_back(cells);
    }
    for (int r = 1; r <= DALI_Rule_Rows; ++r) {
        TDALIRuleRow rule;
        // A rule without a check box (none in this grid) counts as disabled.
        bool ticked = false;
        rule.Enable = ASG->GetCheckBoxState(AS_Enable, r, ticked) && ticked;
        for (int c = 0; c < DALI_Rule_Cells; ++c) rule.Cells[std::size_t(c)] = ASG->GetCellEx(c + 2, r);
        tables.Rules.push_back(rule);
    }
    return tables;
}

void TFDALI_Access::Set_Rule_Tables(const TDALI2Tables& tables)
{
    const int functions = std::min<int>(int(tables.Functions.size()), DALI_Function_Rows);
    for (int i = 0; i < functions; ++i)
        for (int c = 0; c < DALI_Function_Cells; ++c)
            ACG->SetCellEx(c + 1, i + 1, tables.Functions[std::size_t(i)][std::size_t(c)]);
    const int rules = std::min<int>(int(tables.Rules.size()), DALI_Rule_Rows);
    for (int i = 0; i < rules; ++i) {
        const TDALIRuleRow& rule = tables.Rules[std::size_t(i)];
        ASG->SetCheckBoxState(AS_Enable, i + 1, rule.Enable);
        for (int c = 0; c < DALI_Rule_Cells; ++c) ASG->SetCellEx(c + 2, i + 1, rule.Cells[std::size_t(c)]);
    }
}

int TFDALI_Access::Read_Document(const TXMLNode&)
{
    const TDALI2Tables tables = Load_DALI2_Access(*XML1);
    Set_Rule_Tables(tables);
    return std::max(0, int(tables.Functions.size()) - DALI_Function_Rows) +
           std::max(0, int(tables.Rules.size()) - DALI_Rule_Rows);
}

// ---- Confirming ----------------------------------------------------------------------------

bool TFDALI_Access::Controllo_dati()
{
    const std::optional<TDALIFault> fault = Check_DALI_Tables(Rule_Tables(), Get_Decimal_Separator());
    if (!fault) return true;
    Show_Error(DALI_Fault_Text(*fault));
    return false;
}

void TFDALI_Access::Save_Files()
{
    Write_DALI_Access(*XML1, Device_Rows());
    XML1->SaveToFile(File_DALI_Access);
    Write_DALI2_Access(*XML1, DALI_Cut_At_Key(Rule_Tables()));
    XML1->SaveToFile(File_DALI2_Access);
}

// ---- Tabs, buttons and header menus ----------------------------------------------------------

int TFDALI_Access::Active_Table() const
{
    return PC_DALI->ActivePage() == TS_Set_Access ? 0 : 1;
}

String TFDALI_Access::Delete_Question(int, int row) const
{
    return Format(Lang_Text(2554), {row});
}

void TFDALI_Access::PC_DALIChange(TObject*)
{
    const bool devices = PC_DALI->ActivePage() == TS_Select_Device;
    Btn_SelectAll->SetVisible(devices);
    Btn_ClearAll->SetVisible(devices);
    Btn_DALI_Maps->SetVisible(false);
    if (devices) {
        Btn_SelectAll->SetLeft(252);
        Btn_ClearAll->SetLeft(370);
    }
    TZvPushButton* rowButtons[] = {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 4; ++i) {
        rowButtons[i]->SetVisible(!devices);
        rowButtons[i]->SetLeft(252 + 118 * i);
    }
    Compile_Function();
}

void TFDALI_Access::Btn_SelectAllClick(TObject*)
{
    Set_Column(ACG_DALI_Device, DV_Enable, QStringLiteral("Y"));
}

void TFDALI_Access::Btn_ClearAllClick(TObject*)
{
    Set_Column(ACG_DALI_Device, DV_Enable, QStringLiteral("N"));
}

void TFDALI_Access::Set_Column(TZvColumnGrid* grid, int col, const String& value)
{
    for (int r = 1; r < grid->RowCount(); ++r) grid->SetCellEx(col, r, value);
    grid->Invalidate();
}

void TFDALI_Access::Header_Menu_Pick(TObject* Sender, TPopupMenu* device, TPopupMenu* group, int col,
                                     const std::vector<String>& values)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || item->Tag() < 0 || item->Tag() >= std::intptr_t(values.size())) return;
    const String& value = values[std::size_t(item->Tag())];
    auto owns = [item](TPopupMenu* menu) {
        for (int i = 0; i < menu->Items()->Count(); ++i)
            if (menu->Items()->Items(i) == item) return true;
        return false;
    };
    // The group grid's columns are the device grid's shifted left by two.
    if (owns(device)) Set_Column(ACG_DALI_Device, col, value);
    if (owns(group)) Set_Column(ACG_DALI_GroupBroad, col - 2, value);
}

void TFDALI_Access::DimmingModeClick(TObject* Sender)
{
    Header_Menu_Pick(Sender, PM_Dimming_Mode, PM_DimMode_GB, DV_Dimming, Dimming_Values);
}

void TFDALI_Access::MinMaxValueClick(TObject* Sender)
{
    Header_Menu_Pick(Sender, PM_MinMax_Value, PM_MinMax_GB, DV_MinMax, Min_Max_Values);
}

void TFDALI_Access::RecallLevelClick(TObject* Sender)
{
    Header_Menu_Pick(Sender, PM_Recall_Level, PM_Recall_GB, DV_Recall, Recall_Values);
}

void TFDALI_Access::Device_RightClickCell(TObject* Sender, int ARow, int ACol)
{
    auto* grid = dynamic_cast<TZvColumnGrid*>(Sender);
    if (!grid || ARow != 0 || ACol < 0) return;
    const int col = grid->RealColIndex(ACol);
    const bool device = grid == ACG_DALI_Device;
    TPopupMenu* menu = nullptr;
    if (col == (device ? DV_Dimming : 1)) menu = device ? PM_Dimming_Mode : PM_DimMode_GB;
    if (col == (device ? DV_MinMax : 2)) menu = device ? PM_MinMax_Value : PM_MinMax_GB;
    if (col == (device ? DV_Recall : 3)) menu = device ? PM_Recall_Level : PM_Recall_GB;
    if (!menu) return;
    const QPoint at = QCursor::pos();
    menu->Popup(at.x(), at.y());
}

void TFDALI_Access::Btn_DALI_MapsClick(TObject*)
{
    auto dialog = std::make_unique<TSaveDialog>(this);
    dialog->SetFilter(QStringLiteral("Comma-separated value (CSV file)|*.csv"));
    dialog->SetInitialDir(Project_Path);
    if (!dialog->Execute()) return;
    String name = dialog->FileName();
    if (UpperCase(Trim(ExtractFileExt(name))) != QStringLiteral(".CSV")) name += QStringLiteral(".csv");
    if (FileExists(name) &&
        MessageDlg(Lang_Text(755), TMsgDlgType::mtConfirmation,
                   TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}) != mrYes)
        return;
    TStringList lines;
    lines.Add(Lang_Text(756));
    for (const String& line : DALI_Map_Lines(Device_Rows())) lines.Add(line);
    String error;
    if (!SaveFileAtomically(name, lines.Text().toLocal8Bit(), &error))
        Show_Error(Format(Lang_Text(Text_Map_Not_Written), {name, error}));
}

// ---- Set Access and Functions ----------------------------------------------------------------

void TFDALI_Access::Compile_Function()
{
    std::vector<String> mnemonics;
    for (int r = 1; r <= DALI_Function_Rows; ++r) mnemonics.push_back(ACG->GetCellEx(FN_Mnemonic, r));
    Fill(SelFunct, DALI_Function_Pick_List(mnemonics));
}

void TFDALI_Access::SetConditionOnEvent(const String& event, int row)
{
    const String condition = DALI_Condition_For_Event(event);
    if (!condition.isEmpty()) ACG->SetCellEx(FN_Condition, row, condition);
}

void TFDALI_Access::ACGComboChange(TObject*, int ACol, int ARow, int AItemIndex, const String& ASelection)
{
    // Typing fires this too, with item -1: only a pick from the list sets the condition.
    if (ACol == FN_Value && AItemIndex >= 0 && ARow >= 1) SetConditionOnEvent(ASelection, ARow);
}

void TFDALI_Access::ASGGetEditorType(TObject*, int ACol, int ARow, TEditorType& AEditor)
{
    const TStringList* list = nullptr;
    static const TStringList none;
    if (ACol == AS_DevSen) list = &DevSen;
    if (ACol == AS_Type) {
        const String devSen = ASG->GetCellEx(AS_DevSen, ARow);
        list = devSen == QStringLiteral("Sensor") ? &SenType : devSen == QStringLiteral("Device") ? &DevType : &none;
    }
    if (ACol == AS_Function) list = &SelFunct;
    if (ACol == AS_NumBytes) list = &NumBytes;
    if (!list) return;
    if (TGridCombo* combo = ASG->ComboEditor()) combo->SetItems(list);
    AEditor = TEditorType::edComboList;
}

void TFDALI_Access::Grid_ClickCell(TObject* Sender, int ARow, int ACol)
{
    auto* grid = dynamic_cast<TZvStringGrid*>(Sender);
    if (grid && ACol == 0 && ARow >= 1) grid->SelectRows(ARow, 1);
}
