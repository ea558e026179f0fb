#pragma once
// The EDE import dialog: reads a BACnet device's EDE file, lists the objects
// the client tables can serve and lets the user pick which become Read or
// Write rows, and asks for the device address the new rows carry. Only the
// BACnet client window opens it: it sets App_BACnet_Type and EDE_File,
// shows the dialog and, after OK, reads List_EDE_Var and E_ID_IP, which
// stay valid until the next showing.

#include "platform/Forms.h"
#include "tables/bacnet/UEDEFile.h"

class TPanel;
class TLabel;
class TEdit;
class TZvPushButton;
class TZvColumnGrid;

enum TEDEGridCol { EG_N, EG_Import, EG_Read, EG_Write, EG_Name, EG_Type, EG_Instance, EG_Description,
                   EG_Commandable, EG_Col_Count };

// The dialog's own message: the EDE file cannot be read.
inline constexpr int Text_EDE_Unreadable = 1590;

class TFImportEDEFile : public TForm {
public:
    explicit TFImportEDEFile(TComponent* AOwner);
    ~TFImportEDEFile() override;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void Set_Lang();
    void ACGCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
    void Btn_Select_AllClick(TObject* Sender);
    void Btn_Unselect_AllClick(TObject* Sender);
    // False when EDE_File cannot be read.
    bool Load_EDE_File();
    void Show_Data_in_Grid();
    void Cancel_EDE_List_Vars();

    int App_BACnet_Type = 0;
    String EDE_File;
    TBACnet_Var_List List_EDE_Var;

    TPanel* Title_Panel = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* Button_Panel = nullptr;
    TZvColumnGrid* ACG = nullptr;
    TEdit* E_ID_IP = nullptr;
    TLabel* LID_IP = nullptr;
    TZvPushButton* Btn_OK = nullptr;
    TZvPushButton* Btn_Cancel = nullptr;
    TZvPushButton* Btn_Select_All = nullptr;
    TZvPushButton* Btn_Unselect_All = nullptr;

protected:
    void DoHide() override;
};

extern TFImportEDEFile* FImportEDEFile;
