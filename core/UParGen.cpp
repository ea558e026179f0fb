#include "core/UParGen.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"

#include <QPainter>

TFParGen* FParGen = nullptr;

namespace {

constexpr int Group_Width = 296;
constexpr int Group_Left = 8;
constexpr int First_Group_Top = 70;
constexpr int Group_Gap = 6;
constexpr int Collapsed_Height = 26;
constexpr int Group_Bottom_Margin = 15;
constexpr int Buttons_Below_Groups = 13;
constexpr int Client_Below_Groups = 54;
constexpr int Toggle_Left = 280;
constexpr int Toggle_Top = 10;
constexpr int Toggle_Side = 11;
constexpr int Address_Lefts[4] = {16, 82, 148, 214};
constexpr int Address_Width = 60;
constexpr int Edit_Height = 21;
constexpr int Check_Width = 257;
constexpr int Check_Height = 17;

const String Version_Comment = QStringLiteral("SW_VERSION = 1.000");
const String Root_Name = QStringLiteral("Par_Gen");

struct TGroupText {
    const char* Name;   // for the controls named after the box
    int Caption_Slot;
};

// In the order of TParGenGroup.
constexpr TGroupText Group_Texts[ParGen_Group_Count] = {
    {"Modbus_TCP_Slave", 404}, {"EtherNetIP", 405},       {"DALI", 463},          {"BACnet", 406},
    {"KNX", 407},              {"PROFINET", 408},         {"Modbus_TCP_Master", 411}, {"Modbus_Slave", 412},
    {"BACnet_Serial", 413},    {"BACnet_Type", 414},      {"Serial", 415},        {"DMX", 416},
    {"DNET_Slave", 417},       {"Modbus_Master", 418},    {"SNMP_Agent", 419},    {"CAN", 420},
    {"CANopen", 421},          {"SNMP_Manager", 1855},
};

// An 11-pixel button's glyph: a small chevron, pointing up to collapse and
// down to expand, on a background the button leaves out (the bottom-left
// pixel's colour).
QImage Toggle_Glyph(bool collapse)
{
    QImage image(7, 7, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0x00, 0xFF));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0x2E, 0x5C, 0x8A));
    for (int row = 0; row < 3; ++row) {
        const int y = collapse ? 4 - row : 2 + row;
        p.drawLine(row, y, 6 - row, y);
    }
    return image;
}

int Bottom(const TControl* c) { return c->Top() + c->Height(); }

} // namespace

// ---- Creation ---------------------------------------------------------------------------

TFParGen::TFParGen(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    Set_Window_Look(this, Window_Color);
    SetShowHint(true);

    L_SW_Code = new TLabel(this);
    L_SW_Code->SetParent(this);
    L_SW_Code->SetBounds(16, 8, 0, 0);
    L_SW_Code->SetTransparent(true);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Code->Font()->SetHeight(-32);
    L_SW_Desc = new TLabel(this);
    L_SW_Desc->SetParent(this);
    L_SW_Desc->SetBounds(16, 42, 0, 0);
    L_SW_Desc->SetTransparent(true);
    L_SW_Desc->Font()->SetColor(clGray);
    L_SW_Desc->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});

    XML1 = new TXMLDocument(this);
    Build_Groups();

    for (int left : {71, 192}) {
        auto* b = new TZvPushButton(this);
        b->SetParent(this);
        b->SetBounds(left, 0, 112, 28);
        b->SetStyle(TZvPushButtonStyle::bsEncarta);
        b->SetColor(Window_Color);
        b->SetHotTrackColor(clYellow);
        b->SetColorWhenDown(Dialog_Button_Down_Color);
        b->SetLightColor(clGray);
        (left == 71 ? Btn_OK : Btn_Cancel) = b;
    }
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Cancel->OnClick = [this](TObject* s) { Btn_CancelClick(s); };
    // Tab follows the form from the top: the address box, the DALI box, the buttons.
    GB_SNMP_Manager->SetTabOrder(0);
    GB_DALI->SetTabOrder(1);

    OnShow = [this](TObject* s) { FormShow(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    FormCreate(this);
}

void TFParGen::Build_Groups()
{
    for (int i = 0; i < ParGen_Group_Count; ++i) {
        TParGenGroupBox& g = Groups[std::size_t(i)];
        g.GB = new TGroupBox(this);
        g.GB->SetParent(this);
        g.GB->SetBounds(Group_Left, First_Group_Top, Group_Width, 100);
        g.GB->SetParentColor(true);
        for (bool collapse : {true, false}) {
            auto* b = new TZvPushButton(this);
            b->SetParent(g.GB);
            b->SetBounds(Toggle_Left, Toggle_Top, Toggle_Side, Toggle_Side);
            b->SetStyle(TZvPushButtonStyle::bsEncarta);
            b->SetColor(Window_Color);
            b->SetHotTrackColor(clSkyBlue);
            b->SetShowHint(true);
            // Tab walks the settings, not the layout's buttons.
            b->SetTabStop(false);
            TBitmap glyph;
            glyph.SetImage(Toggle_Glyph(collapse));
            b->SetGlyph(&glyph);
            if (collapse) {
                g.Btn_Collapse = b;
                b->OnClick = [this](TObject* s) { Btn_GB_Collapse(s); };
            } else {
                g.Btn_Expande = b;
                b->OnClick = [this](TObject* s) { Btn_GB_Expande(s); };
            }
        }
    }
    GB_SNMP_Manager = Group(TParGenGroup::SNMP_Manager).GB;
    Btn_SNMP_Manager_Collapse = Group(TParGenGroup::SNMP_Manager).Btn_Collapse;
    Btn_SNMP_Manager_Expande = Group(TParGenGroup::SNMP_Manager).Btn_Expande;
    GB_DALI = Group(TParGenGroup::DALI).GB;
    Btn_DALI_Collapse = Group(TParGenGroup::DALI).Btn_Collapse;
    Btn_DALI_Expande = Group(TParGenGroup::DALI).Btn_Expande;

    Build_SNMP_Manager_Group();
    Build_DALI_Group();
    Build_Other_Groups();
}

namespace {

TLabel* New_Label(TForm* form, TWinControl* parent, int left, int top)
{
    auto* l = new TLabel(form);
    l->SetParent(parent);
    l->SetBounds(left, top, 0, 0);
    l->SetTransparent(true);
    return l;
}

TEdit* New_Edit(TForm* form, TWinControl* parent, int left, int top, int width)
{
    auto* e = new TEdit(form);
    e->SetParent(parent);
    e->SetBounds(left, top, width, Edit_Height);
    return e;
}

TCheckBox* New_Check(TForm* form, TWinControl* parent, int left, int top)
{
    auto* c = new TCheckBox(form);
    c->SetParent(parent);
    c->SetBounds(left, top, Check_Width, Check_Height);
    c->SetParentColor(true);
    return c;
}

TComboBox* New_Combo(TForm* form, TWinControl* parent, int left, int top)
{
    auto* c = new TComboBox(form);
    c->SetParent(parent);
    c->SetBounds(left, top, 126, Edit_Height);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    return c;
}

} // namespace

void TFParGen::Build_SNMP_Manager_Group()
{
    TGroupBox* box = GB_SNMP_Manager;
    auto address_row = [&](std::array<TEdit*, 4>& edits, int top) {
        for (int i = 0; i < 4; ++i) {
            edits[std::size_t(i)] = New_Edit(this, box, Address_Lefts[i], top, Address_Width);
            edits[std::size_t(i)]->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
            if (i == 3) continue;
            TLabel* dot = New_Label(this, box, Address_Lefts[i] + Address_Width + 2, top + 5);
            dot->SetCaption(QStringLiteral("."));
            Address_Dots.push_back(dot);
        }
    };
    L_SNMP_Manager_IP_Add = New_Label(this, box, 16, 24);
    address_row(E_IP_SNMP_Manager, 43);
    L_SNMP_Manager_SM_Add = New_Label(this, box, 16, 79);
    address_row(E_SM_SNMP_Manager, 98);
    CB_SNMP_Manager_En_GAT = New_Check(this, box, 16, 134);
    address_row(E_GAT_SNMP_Manager, 154);
    L_SNMP_Manager_Name_Station = New_Label(this, box, 16, 191);
    E_SNMP_Manager_Name_Station = New_Edit(this, box, 16, 208, 258);
    E_SNMP_Manager_Name_Station->SetMaxLength(15);
    Group(TParGenGroup::SNMP_Manager).First_Row = {L_SNMP_Manager_IP_Add};
}

void TFParGen::Build_DALI_Group()
{
    TGroupBox* box = GB_DALI;
    L_DALI_Console_Port = New_Label(this, box, 16, 24);
    E_DALI_Console_Port = New_Edit(this, box, 148, 21, 126);
    E_DALI_Console_Port->SetShowHint(true);
    Group(TParGenGroup::DALI).First_Row = {L_DALI_Console_Port, E_DALI_Console_Port};

    // The settings of other DALI gateways stand where their layouts want them;
    // this product's layout hides them and moves its two switches up.
    auto data_point = [&](TLabel*& label, TEdit*& first, TEdit*& second, int top) {
        label = New_Label(this, box, 16, top + 3);
        first = New_Edit(this, box, 148, top, Address_Width);
        second = New_Edit(this, box, 214, top, Address_Width);
    };
    data_point(L_DALI_Data_Point_ADV, E_DALI_Data_Point_ADV, E_DALI_Data_Point_ADV2, 55);
    data_point(L_DALI_Data_Point_SW, E_DALI_Data_Point_SW, E_DALI_Data_Point_SW2, 85);
    data_point(L_DALI_Data_Point_DIM, E_DALI_Data_Point_DIM, E_DALI_Data_Point_DIM2, 115);
    CB_DALI_SwitchOff = New_Check(this, box, 16, 150);
    L_DALI_TimeOut = New_Label(this, box, 16, 180);
    E_DALI_TimeOut = New_Edit(this, box, 148, 177, 126);
    L_DALI_Dimming_Mode = New_Label(this, box, 16, 210);
    CB_DALI_Dimming_Mode = New_Combo(this, box, 148, 207);
    CB_DALI_Allow_MinMax_Val = New_Check(this, box, 16, 242);
    CB_DALI_Recall_MinMAx = New_Check(this, box, 16, 266);
    CB_DALI_Recall_OldValues = New_Check(this, box, 16, 290);
    L_DALI_Filter_Write_DALI = New_Label(this, box, 16, 320);
    E_DALI_Filter_Write_DALI = New_Edit(this, box, 148, 317, 126);
    CB_DALI_Disable_Scan = New_Check(this, box, 16, 352);
    CB_DALI_En_DALI2 = New_Check(this, box, 16, 376);
}

void TFParGen::Build_Other_Groups()
{
    TGroupBox* bacnet = Group(TParGenGroup::BACnet_Type).GB;
    L_BACnet_Type = New_Label(this, bacnet, 16, 24);
    CB_BACnet_Type = New_Combo(this, bacnet, 148, 21);
    Group(TParGenGroup::BACnet_Type).First_Row = {L_BACnet_Type, CB_BACnet_Type};

    TGroupBox* agent = Group(TParGenGroup::SNMP_Agent).GB;
    CB_SNMP_Agent_V3 = New_Check(this, agent, 16, 24);
    L_SNMP_Agent_Sec_Level = New_Label(this, agent, 16, 54);
    CB_SNMP_Agent_Sec_Level = New_Combo(this, agent, 148, 51);
    Group(TParGenGroup::SNMP_Agent).First_Row = {CB_SNMP_Agent_V3};

    // Every edit and combo of the form reports changes, every check box clicks.
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (auto* e = dynamic_cast<TEdit*>(c)) e->OnChange = [this](TObject* s) { On_Change(s); };
        else if (auto* cb = dynamic_cast<TComboBox*>(c)) cb->OnChange = [this](TObject* s) { On_Change(s); };
        else if (auto* ck = dynamic_cast<TCheckBox*>(c)) ck->OnClick = [this](TObject* s) { On_Click(s); };
    }
}

void TFParGen::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    for (TParGenGroupBox& g : Groups) g.GB->Hide();
    Collapse_Expand_Creation();
    TAB_order();
    Move_GroupBoxs();
    Set_Lang();
}

// ---- Texts ------------------------------------------------------------------------------

void TFParGen::Set_Lang()
{
    SetCaption(Lang_Text(400));
    L_SW_Desc->SetCaption(Lang_Text(401));
    Btn_OK->SetCaption(Lang_Text(402));
    Btn_Cancel->SetCaption(Lang_Text(403));
    Btn_OK->SetHint(Lang_Text(425));
    Btn_Cancel->SetHint(Lang_Text(426));
    for (int i = 0; i < ParGen_Group_Count; ++i) {
        TParGenGroupBox& g = Groups[std::size_t(i)];
        g.GB->SetCaption(Lang_Text(Group_Texts[i].Caption_Slot));
        g.Btn_Collapse->SetHint(Lang_Text(409));
        g.Btn_Expande->SetHint(Lang_Text(410));
    }

    L_SNMP_Manager_IP_Add->SetCaption(Lang_Text(1856));
    L_SNMP_Manager_SM_Add->SetCaption(Lang_Text(1857));
    CB_SNMP_Manager_En_GAT->SetCaption(Lang_Text(1858));
    L_SNMP_Manager_Name_Station->SetCaption(Lang_Text(1859));

    L_DALI_Console_Port->SetCaption(Lang_Text(464));
    E_DALI_Console_Port->SetHint(Lang_Text(465));
    CB_DALI_Disable_Scan->SetCaption(Lang_Text(1290));
    CB_DALI_Disable_Scan->SetHint(Lang_Text(1291));
    CB_DALI_En_DALI2->SetCaption(Lang_Text(1292));
    CB_DALI_En_DALI2->SetHint(Lang_Text(1293));

    // The hidden controls keep their texts current too, for the layouts that show them.
    L_DALI_Data_Point_ADV->SetCaption(Lang_Text(467));
    L_DALI_Data_Point_SW->SetCaption(Lang_Text(468));
    L_DALI_Data_Point_DIM->SetCaption(Lang_Text(469));
    CB_DALI_SwitchOff->SetCaption(Lang_Text(470));
    L_DALI_TimeOut->SetCaption(Lang_Text(471));
    L_DALI_Dimming_Mode->SetCaption(Lang_Text(472));
    CB_DALI_Allow_MinMax_Val->SetCaption(Lang_Text(473));
    CB_DALI_Recall_MinMAx->SetCaption(Lang_Text(474));
    CB_DALI_Recall_OldValues->SetCaption(Lang_Text(475));
    L_DALI_Filter_Write_DALI->SetCaption(Lang_Text(476));
    L_BACnet_Type->SetCaption(Lang_Text(422));
    CB_SNMP_Agent_V3->SetCaption(Lang_Text(1800));
    L_SNMP_Agent_Sec_Level->SetCaption(Lang_Text(1801));

    auto fill = [](TComboBox* combo, std::initializer_list<int> numbers) {
        TStringList items;
        for (int slot : numbers) items.Add(Lang_Text(slot));
        combo->SetItems(&items);
        combo->SetItemIndex(0);
    };
    fill(CB_DALI_Dimming_Mode, {1231, 1232});
    fill(CB_BACnet_Type, {1233, 1234});
    fill(CB_SNMP_Agent_Sec_Level, {1802, 1803, 1804});
}

// ---- Layout -----------------------------------------------------------------------------

void TFParGen::Collapse_Expand_Creation()
{
    for (TParGenGroupBox& g : Groups) {
        g.Visible = 1;
        g.Btn_Collapse->Show();
        g.Btn_Expande->Hide();
        g.Btn_Collapse->SetBounds(Toggle_Left, Toggle_Top, Toggle_Side, Toggle_Side);
        g.Btn_Expande->SetBounds(Toggle_Left, Toggle_Top, Toggle_Side, Toggle_Side);
    }
}

void TFParGen::Move_GroupBoxs() { RePosition_Objects(); }

void TFParGen::RePosition_Objects()
{
    GB_SNMP_Manager->Show();
    GB_SNMP_Manager->SetBounds(Group_Left, First_Group_Top, Group_Width, GB_SNMP_Manager->Height());
    if (GB_SNMP_Manager_Visible() == 1)
        GB_SNMP_Manager->SetHeight(Bottom(E_SNMP_Manager_Name_Station) + Group_Bottom_Margin);

    GB_DALI->Show();
    for (TControl* c : std::initializer_list<TControl*>{
             L_DALI_Data_Point_ADV, E_DALI_Data_Point_ADV, E_DALI_Data_Point_ADV2, L_DALI_Data_Point_SW,
             E_DALI_Data_Point_SW, E_DALI_Data_Point_SW2, L_DALI_Data_Point_DIM, E_DALI_Data_Point_DIM,
             E_DALI_Data_Point_DIM2, CB_DALI_SwitchOff, L_DALI_TimeOut, E_DALI_TimeOut, L_DALI_Dimming_Mode,
             CB_DALI_Dimming_Mode, CB_DALI_Allow_MinMax_Val, CB_DALI_Recall_MinMAx, CB_DALI_Recall_OldValues,
             L_DALI_Filter_Write_DALI, E_DALI_Filter_Write_DALI})
        c->Hide();
    CB_DALI_Disable_Scan->Show();
    CB_DALI_Disable_Scan->SetBounds(16, 58, Check_Width, Check_Height);
    CB_DALI_En_DALI2->Show();
    CB_DALI_En_DALI2->SetBounds(16, 92, Check_Width, Check_Height);

    GB_DALI->SetBounds(Group_Left, Bottom(GB_SNMP_Manager) + Group_Gap, Group_Width, GB_DALI->Height());
    if (GB_DALI_Visible() == 1) GB_DALI->SetHeight(Bottom(CB_DALI_En_DALI2) + Group_Bottom_Margin);

    Btn_OK->SetTop(Bottom(GB_DALI) + Buttons_Below_Groups);
    Btn_Cancel->SetTop(Bottom(GB_DALI) + Buttons_Below_Groups);
    SetClientSize(Client_Width, Bottom(GB_DALI) + Client_Below_Groups);
}

TParGenGroupBox* TFParGen::Group_Of_Button(TObject* Sender, bool collapse)
{
    for (TParGenGroupBox& g : Groups)
        if (Sender == (collapse ? g.Btn_Collapse : g.Btn_Expande)) return &g;
    return nullptr;
}

void TFParGen::Btn_GB_Collapse(TObject* Sender)
{
    if (TParGenGroupBox* g = Group_Of_Button(Sender, true)) {
        g->GB->SetHeight(Collapsed_Height);
        for (TControl* c : g->First_Row) c->Hide();
        g->Btn_Collapse->Hide();
        g->Btn_Expande->Show();
        g->Visible = 0;
    }
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Expande(TObject* Sender)
{
    if (TParGenGroupBox* g = Group_Of_Button(Sender, false)) {
        for (TControl* c : g->First_Row) c->Show();
        g->Btn_Collapse->Show();
        g->Btn_Expande->Hide();
        g->Visible = 1;
    }
    Move_GroupBoxs();
}

// ---- ParGen.xml -------------------------------------------------------------------------

std::array<TParGenSetting, 17> TFParGen::Settings() const
{
    return {{
        {"SNMP_Manager_IP1", E_IP_SNMP_Manager[0], nullptr, "192"},
        {"SNMP_Manager_IP2", E_IP_SNMP_Manager[1], nullptr, "168"},
        {"SNMP_Manager_IP3", E_IP_SNMP_Manager[2], nullptr, "0"},
        {"SNMP_Manager_IP4", E_IP_SNMP_Manager[3], nullptr, "10"},
        {"SNMP_Manager_SM1", E_SM_SNMP_Manager[0], nullptr, "255"},
        {"SNMP_Manager_SM2", E_SM_SNMP_Manager[1], nullptr, "255"},
        {"SNMP_Manager_SM3", E_SM_SNMP_Manager[2], nullptr, "255"},
        {"SNMP_Manager_SM4", E_SM_SNMP_Manager[3], nullptr, "0"},
        {"SNMP_Manager_GAT1", E_GAT_SNMP_Manager[0], nullptr, "192"},
        {"SNMP_Manager_GAT2", E_GAT_SNMP_Manager[1], nullptr, "168"},
        {"SNMP_Manager_GAT3", E_GAT_SNMP_Manager[2], nullptr, "0"},
        {"SNMP_Manager_GAT4", E_GAT_SNMP_Manager[3], nullptr, "1"},
        {"SNMP_Manager_EN_GAT", nullptr, CB_SNMP_Manager_En_GAT, "0"},
        {"SNMP_Name_of_Station", E_SNMP_Manager_Name_Station, nullptr, "devicename1"},
        {"DALI_CONSOLE_PORT", E_DALI_Console_Port, nullptr, "10001"},
        {"DALI_DISABLE_SCAN", nullptr, CB_DALI_Disable_Scan, "0"},
        {"DALI_ENABLE_DALI_2", nullptr, CB_DALI_En_DALI2, "0"},
    }};
}

void TFParGen::Load_Settings()
{
    // A file that cannot be read or is no XML raises here, before any control
    // changes: the form must not open over defaults that OK would write over
    // the user's file.
    TXMLNode root;
    const bool has_file = FileExists(File_ParGen);
    if (has_file) {
        XML1->LoadFromFile(File_ParGen);
        root = XML1->DocumentElement();
    }
    for (const TParGenSetting& s : Settings()) {
        const TXMLNode node = root.ChildNode(QString::fromLatin1(s.Element));
        const String value = node ? node.Text() : QString::fromLatin1(s.Default);
        if (s.Edit) s.Edit->SetText(value);
        else s.Check->SetChecked(value == QLatin1String("1"));
    }
}

void TFParGen::FormShow(TObject*)
{
    Load_Settings();
    // Loading fired the change and click events; only the user's edits count.
    Is_Change = false;
    Enable_DALI_Object();
    Move_GroupBoxs();
}

void TFParGen::FormActivate(TObject*)
{
    if (Top() < 0) SetTop(0);
}

void TFParGen::Build_Document()
{
    XML1->SetActive(false);
    XML1->SetActive(true);
    TXMLNode root = XML1->CreateRoot(Root_Name);
    XML1->AddDocumentComment(Version_Comment);
    for (const TParGenSetting& s : Settings()) {
        const String value = s.Edit ? s.Edit->Text() : (s.Check->Checked() ? QStringLiteral("1") : QStringLiteral("0"));
        root.AddChild(QString::fromLatin1(s.Element)).SetText(value);
    }
}

// ---- Checks and buttons -----------------------------------------------------------------

bool TFParGen::Controllo_Dati()
{
    struct TCheck {
        const TEdit* Edit;
        int Min, Max;
        int Slot;
    };
    std::vector<TCheck> checks;
    // The port comes first, although its box stands below the addresses.
    checks.push_back({E_DALI_Console_Port, 0, 65535, 466});
    for (int i = 0; i < 4; ++i) checks.push_back({E_IP_SNMP_Manager[std::size_t(i)], 0, 255, 1860 + i});
    for (int i = 0; i < 4; ++i) checks.push_back({E_SM_SNMP_Manager[std::size_t(i)], 0, 255, 1864 + i});
    // A gateway that is not used is not judged: the device ignores it.
    if (CB_SNMP_Manager_En_GAT->Checked())
        for (int i = 0; i < 4; ++i) checks.push_back({E_GAT_SNMP_Manager[std::size_t(i)], 0, 255, 1868 + i});

    for (const TCheck& c : checks) {
        const int value = StrToIntDef(c.Edit->Text(), -1);
        // Port 10000 is the device's own.
        const bool refused = c.Edit == E_DALI_Console_Port && value == 10000;
        if (value >= c.Min && value <= c.Max && !refused) continue;
        MessageDlg(Lang_Text(c.Slot), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return false;
    }
    return true;
}

void TFParGen::Btn_OKClick(TObject*)
{
    if (!Controllo_Dati()) return;
    Build_Document();
    // A failed save raises with the platform's text; the form stays open.
    XML1->SaveToFile(File_ParGen);
    SetModalResult(mrOk);
}

void TFParGen::Btn_CancelClick(TObject*)
{
    if (Is_Change && MessageDlg(Lang_Text(424), TMsgDlgType::mtConfirmation, mbYesNo) != mrYes) return;
    SetModalResult(mrCancel);
}

void TFParGen::On_Change(TObject* Sender)
{
    Is_Change = true;
    if (Sender == CB_BACnet_Type || Sender == CB_SNMP_Agent_Sec_Level) Move_GroupBoxs();
}

void TFParGen::On_Click(TObject* Sender)
{
    Is_Change = true;
    if (Sender == CB_DALI_Recall_MinMAx && CB_DALI_Recall_MinMAx->Checked()) CB_DALI_Recall_OldValues->SetChecked(false);
    if (Sender == CB_DALI_Recall_OldValues && CB_DALI_Recall_OldValues->Checked()) CB_DALI_Recall_MinMAx->SetChecked(false);
    if (Sender == CB_SNMP_Agent_V3) Move_GroupBoxs();
    Enable_DALI_Object();
}

TEdit* TFParGen::Next_Address_Edit(TObject* Sender) const
{
    const std::array<TEdit*, 12> chain = {
        E_IP_SNMP_Manager[0],  E_IP_SNMP_Manager[1],  E_IP_SNMP_Manager[2],  E_IP_SNMP_Manager[3],
        E_SM_SNMP_Manager[0],  E_SM_SNMP_Manager[1],  E_SM_SNMP_Manager[2],  E_SM_SNMP_Manager[3],
        E_GAT_SNMP_Manager[0], E_GAT_SNMP_Manager[1], E_GAT_SNMP_Manager[2], E_GAT_SNMP_Manager[3]};
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        if (Sender == chain[i]) return chain[i + 1];
    return nullptr;
}

void TFParGen::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != u'.') return;
    // The point separates the parts, so it moves on instead of being typed.
    Key = QChar(0);
    TEdit* next = Next_Address_Edit(Sender);
    if (next && next->CanFocus()) next->SetFocus();
}
