#pragma once
// The configurator's main window: the step list, the start-up of the whole
// program, and the components other windows share.

#include "platform/Forms.h"

class TLabel;
class TShape;
class TImage;
class TLinkLabel;
class TTimer;
class TXMLDocument;
class TSaveDialog;
class THTTPClient;
class TZvPushButton;

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

    // ---- Window ------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Btn_Click(TObject* Sender);
    void Set_Lang();
    void Change_Language();
    void Timer_UpdateTimer(TObject* Sender);
    void L_ZorvatClick(TObject* Sender);
    void PROFINET_XML();
    void Build_EDS_File();
    void Check_Enable_DMX_Def_Val();
    int Get_Type_BACnet();

    // ---- Configuration store (UQuillmereFirmWareStore.cpp) -------------------
    void Set_Program_Folders();
    void Read_Setting();
    void Save_Setting();
    void Set_Files();
    void Open_Project();
    void Create_New_Project();
    // The two configuration labels for the open configuration, or for none.
    void Show_Open_Configuration();

    // ---- Device update (UQuillmereFirmWareUpdate.cpp) ------------------------
    void Update_Device();
    void Start_Program(const String& NomeSW, const String& Parameter, bool tipo);
};

extern TFQuillmereFirmWare* FQuillmereFirmWare;
