#pragma once
// The communication settings form: the gateway's address, mask, gateway and
// station name, and its DALI settings, kept in ParGen.xml of the open
// configuration. The form carries a group box for every setting group of the
// maker's gateway families; this product shows only the SNMP manager and the
// DALI boxes, stacked in one column, each collapsible to its title line.

#include "platform/Forms.h"

#include <array>
#include <cstdint>
#include <vector>

class TLabel;
class TEdit;
class TCheckBox;
class TComboBox;
class TGroupBox;
class TXMLDocument;
class TZvPushButton;

// The setting groups, in the order of the form's layout.
enum class TParGenGroup {
    Modbus_TCP_Slave, EtherNetIP, DALI, BACnet, KNX, PROFINET, Modbus_TCP_Master, Modbus_Slave, BACnet_Serial,
    BACnet_Type, Serial, DMX, DNET_Slave, Modbus_Master, SNMP_Agent, CAN, CANopen, SNMP_Manager
};
inline constexpr int ParGen_Group_Count = 18;

// One group box with its collapse and expand buttons (one of the two is
// visible) and its expanded flag.
struct TParGenGroupBox {
    TGroupBox* GB = nullptr;
    TZvPushButton* Btn_Collapse = nullptr;
    TZvPushButton* Btn_Expande = nullptr;
    std::uint8_t Visible = 1;   // 1 while expanded
    // The controls of the title line's row, which a collapsed box would cut through.
    std::vector<TControl*> First_Row;
};

// One element of ParGen.xml and the control that holds it.
struct TParGenSetting {
    const char* Element;
    TEdit* Edit;          // or
    TCheckBox* Check;     // ticked exactly when the element's text is "1"
    const char* Default;  // an edit's text, or a check box's "1"/"0"
};

class TFParGen : public TForm {
public:
    explicit TFParGen(TComponent* AOwner);

    // ---- Events and operations ----
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    // True when every field passes; otherwise one error box for the first fault.
    bool Controllo_Dati();
    void Btn_OKClick(TObject* Sender);
    void Btn_CancelClick(TObject* Sender);
    void On_Change(TObject* Sender);
    void On_Click(TObject* Sender);
    void KeyPress(TObject* Sender, QChar& Key);
    void Enable_DALI_Object() {}
    void TAB_order() {}

    // ---- Texts and layout ----
    void Set_Lang();
    void Collapse_Expand_Creation();
    void Move_GroupBoxs();
    void RePosition_Objects();
    void Btn_GB_Collapse(TObject* Sender);
    void Btn_GB_Expande(TObject* Sender);

    // The 17 elements of ParGen.xml in file order, with their controls.
    std::array<TParGenSetting, 17> Settings() const;
    // Writes the controls' values into XML1 as the file's whole document.
    void Build_Document();

    TParGenGroupBox& Group(TParGenGroup g) { return Groups[std::size_t(g)]; }
    const TParGenGroupBox& Group(TParGenGroup g) const { return Groups[std::size_t(g)]; }
    std::uint8_t GB_SNMP_Manager_Visible() const { return Group(TParGenGroup::SNMP_Manager).Visible; }
    std::uint8_t GB_DALI_Visible() const { return Group(TParGenGroup::DALI).Visible; }

    // ---- State ----
    bool Is_Change = false;
    std::array<TParGenGroupBox, ParGen_Group_Count> Groups{};

    // ---- Controls ----
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TZvPushButton* Btn_OK = nullptr;
    TZvPushButton* Btn_Cancel = nullptr;
    TXMLDocument* XML1 = nullptr;

    TGroupBox* GB_SNMP_Manager = nullptr;
    TZvPushButton* Btn_SNMP_Manager_Collapse = nullptr;
    TZvPushButton* Btn_SNMP_Manager_Expande = nullptr;
    TLabel* L_SNMP_Manager_IP_Add = nullptr;
    std::array<TEdit*, 4> E_IP_SNMP_Manager{};    // E_IP1_SNMP_Manager .. E_IP4_SNMP_Manager
    TLabel* L_SNMP_Manager_SM_Add = nullptr;
    std::array<TEdit*, 4> E_SM_SNMP_Manager{};    // E_SM1_SNMP_Manager .. E_SM4_SNMP_Manager
    TCheckBox* CB_SNMP_Manager_En_GAT = nullptr;
    std::array<TEdit*, 4> E_GAT_SNMP_Manager{};   // E_GAT1_SNMP_Manager .. E_GAT4_SNMP_Manager
    std::vector<TLabel*> Address_Dots;            // the "." between neighbouring parts
    TLabel* L_SNMP_Manager_Name_Station = nullptr;
    TEdit* E_SNMP_Manager_Name_Station = nullptr;

    TGroupBox* GB_DALI = nullptr;
    TZvPushButton* Btn_DALI_Collapse = nullptr;
    TZvPushButton* Btn_DALI_Expande = nullptr;
    TLabel* L_DALI_Console_Port = nullptr;
    TEdit* E_DALI_Console_Port = nullptr;
    TCheckBox* CB_DALI_Disable_Scan = nullptr;
    TCheckBox* CB_DALI_En_DALI2 = nullptr;

    // Controls of other gateway models; this product keeps them hidden and
    // neither loads nor saves them.
    TLabel* L_DALI_Data_Point_ADV = nullptr;
    TEdit* E_DALI_Data_Point_ADV = nullptr;
    TEdit* E_DALI_Data_Point_ADV2 = nullptr;
    TLabel* L_DALI_Data_Point_SW = nullptr;
    TEdit* E_DALI_Data_Point_SW = nullptr;
    TEdit* E_DALI_Data_Point_SW2 = nullptr;
    TLabel* L_DALI_Data_Point_DIM = nullptr;
    TEdit* E_DALI_Data_Point_DIM = nullptr;
    TEdit* E_DALI_Data_Point_DIM2 = nullptr;
    TCheckBox* CB_DALI_SwitchOff = nullptr;
    TLabel* L_DALI_TimeOut = nullptr;
    TEdit* E_DALI_TimeOut = nullptr;
    TLabel* L_DALI_Dimming_Mode = nullptr;
    TComboBox* CB_DALI_Dimming_Mode = nullptr;
    TCheckBox* CB_DALI_Allow_MinMax_Val = nullptr;
    TCheckBox* CB_DALI_Recall_MinMAx = nullptr;
    TCheckBox* CB_DALI_Recall_OldValues = nullptr;
    TLabel* L_DALI_Filter_Write_DALI = nullptr;
    TEdit* E_DALI_Filter_Write_DALI = nullptr;
    TLabel* L_BACnet_Type = nullptr;
    TComboBox* CB_BACnet_Type = nullptr;
    TLabel* L_SNMP_Agent_Sec_Level = nullptr;
    TComboBox* CB_SNMP_Agent_Sec_Level = nullptr;
    TCheckBox* CB_SNMP_Agent_V3 = nullptr;

    // The client area the layout gives the form.
    static constexpr int Client_Width = 312;

private:
    void Build_Groups();
    void Build_SNMP_Manager_Group();
    void Build_DALI_Group();
    void Build_Other_Groups();
    void Load_Settings();
    // The next address edit a "." moves to; nullptr where the chain ends.
    TEdit* Next_Address_Edit(TObject* Sender) const;
    // The group whose collapse (or expand) button this is; nullptr for any other sender.
    TParGenGroupBox* Group_Of_Button(TObject* Sender, bool collapse);
};

extern TFParGen* FParGen;
