#pragma once
// The configurator's main window: the step list, the start-up of the whole
// program, and the components other windows share.

#include "app/UFormRegistry.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

#include <vector>

class TLabel;
class TShape;
class TImage;
class TLinkLabel;
class TTimer;
class TXMLDocument;
class TSaveDialog;
class THTTPClient;
class TZvPushButton;

// The window's fixed look.
inline constexpr TColor Main_Button_Down_Color = 0x0080FF;
inline constexpr int Main_Client_Width = 694;
// The first check comes a minute after start, later ones every two hours.
inline constexpr unsigned Update_First_Interval = 60000;
inline constexpr unsigned Update_Next_Interval = 7200000;

class TFQuillmereFirmWare : public TForm {
public:
    explicit TFQuillmereFirmWare(TComponent* AOwner);
    ~TFQuillmereFirmWare() override;

    // ---- Shared components ----------------------------------------------------
    TTimer* Timer_Update = nullptr;
    TXMLDocument* XML1 = nullptr;
    THTTPClient* HTTP1 = nullptr;
    TSaveDialog* SaveMIB = nullptr;
    TSaveDialog* SaveEDS = nullptr;

    // ---- Controls ----------------------------------------------------------------
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TLabel* L_Begin = nullptr;
    TShape* Shape2 = nullptr;          // frame around the two configuration labels
    TLabel* L_Name_Conf = nullptr;
    TLabel* L_Name_Conf_L2 = nullptr;
    TLabel* L_Step_1 = nullptr;
    TLabel* L_Step_2 = nullptr;
    TLabel* L_Step_3 = nullptr;
    TLabel* L_Step_4 = nullptr;
    TLabel* L_Step_5 = nullptr;
    TLabel* L_Step_6 = nullptr;
    TLabel* L_Step_7 = nullptr;
    TLabel* L_Step_8 = nullptr;
    TLabel* L_Zorvat = nullptr;
    TShape* Shape1 = nullptr;          // the line under the steps
    TLinkLabel* LL_Update = nullptr;
    TImage* I_Obrant = nullptr;

    TZvPushButton* Btn_Info = nullptr;
    TZvPushButton* Btn_Opz = nullptr;
    TZvPushButton* Btn_Close = nullptr;
    TZvPushButton* Btn_New = nullptr;
    TZvPushButton* Btn_Open = nullptr;
    TZvPushButton* Btn_Prm_Gen = nullptr;
    TZvPushButton* Btn_DALI_Access = nullptr;
    TZvPushButton* Btn_SNMP_Manager_Access = nullptr;
    TZvPushButton* Btn_CreateBin = nullptr;

    // The steps of the other gateway families: built, translated and wired
    // like the others, but never shown in this product.
    TZvPushButton* Btn_PROFINET_XML = nullptr;
    TZvPushButton* Btn_ModM_SetAccess = nullptr;
    TZvPushButton* Btn_DMX_Default = nullptr;
    TZvPushButton* Btn_J1939_Rec_Frame = nullptr;
    TZvPushButton* Btn_J1939_Send_Frame = nullptr;
    TZvPushButton* Btn_KNX_Access = nullptr;
    TZvPushButton* Btn_Set_BACnet_Access = nullptr;
    TZvPushButton* Btn_SNMP_Trap = nullptr;
    TZvPushButton* Btn_SNMP_MIB = nullptr;
    TZvPushButton* Btn_SDO_Server_CANopen = nullptr;
    TZvPushButton* Btn_SDO_Client_CANopen = nullptr;
    TZvPushButton* Btn_PDO_CANopen = nullptr;
    TZvPushButton* Btn_CANopen_EDS = nullptr;

    // ---- Window ------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Btn_Click(TObject* Sender);
    void Set_Lang();
    void Change_Language();
    void Timer_UpdateTimer(TObject* Sender);
    void LL_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
    void L_ZorvatClick(TObject* Sender);
    // The steps that do more than show their window (Program_Forms names them).
    void Options_Step();
    void ParGen_Step();
    void PROFINET_XML();
    void Build_EDS_File();
    void Check_Enable_DMX_Def_Val();
    int Get_Type_BACnet();

    // ---- Configurations (the store itself is core/UConfigStore) -------------
    void Open_Project();
    void Create_New_Project();
    // The two configuration labels for the open configuration, or for none
    // (also when the open one's folder has gone); the whole name is the
    // frame's hint, as a long one is cut short in the frame.
    void Show_Open_Configuration();

    // Every push button of the window, visible or not, in the order they are built.
    std::vector<TZvPushButton*> All_Buttons() const;

private:
    void Run_Step(const TFormEntry& step);
    void Create_Controls();
    void Create_Components();
    void Lay_Out_Steps();
    void Set_Update_Timer_Rule();
};

extern TFQuillmereFirmWare* FQuillmereFirmWare;

// The maker's pages the window links to.
String Download_Page_Url();
String Home_Page_Url();
