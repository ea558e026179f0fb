#pragma once
// The device update dialog: the user types the gateway's address and picks
// what to program; the dialog checks that the address answers an echo,
// writes the updater's parameter file and hands over to the updater.

#include "platform/Forms.h"

#include <array>

class TPanel;
class TLabel;
class TEdit;
class TComboBox;
class TCheckBox;
class TStringGrid;
class TZvPushButton;
class TIcmpClient;
class TXMLDocument;
struct TReplyStatus;

// The address the four parts stand for, each a plain decimal number 0-255
// (blanks around a part are allowed, leading zeros dropped: " 010" is 10);
// empty when any part is something else. The same text is pinged and
// handed to the updater, so both always mean the same device.
String Device_Address_From_Parts(const std::array<String, 4>& parts);

// The update operations of the option list, in its order.
enum TUpdate_Option { Update_Firmware_And_Configuration = 0, Update_Firmware = 1, Update_Configuration = 2 };

// Ethernet_Update.xml for the address, option and Read Back choice, with the
// firmware image under Master_Path and the two images of the open
// configuration under Project_Path.
String Ethernet_Update_Xml(const String& address, int option, bool read_back);

class TFBoot : public TForm {
public:
    explicit TFBoot(TComponent* AOwner);
    ~TFBoot() override;

    void Set_Lang();
    void FormShow(TObject* Sender);
    void KeyPress(TObject* Sender, QChar& Key);
    void Btn_UpdateClick(TObject* Sender);
    // True when the device answered; see ping_res for why not.
    bool Send_Ping();
    void PingReply(TObject* ASender, const TReplyStatus& AReplyStatus);
    // Writes Ethernet_Update.xml into the program folder for the address in
    // the four edits; raises Exception when they hold no valid address or
    // the file cannot be written.
    void Compile_XML_Parameter_New_Boot();
    void Compile_XML_Parameter_New_Boot(const String& address);
    void update_ComPort();
    void Btn_COM_ListClick(TObject* Sender);

    // 0 serial port, 1 Ethernet, 2 USB.
    int Form_Type = 1;
    // The last echo: 0 none yet, 1 a reply with data, 2 no reply, 3 not sent.
    int ping_res = 0;
    // The last Send_Ping ended because the user cancelled or closed the dialog.
    bool Ping_Abandoned = false;
    // The address the last Send_Ping used; empty when the edits held none.
    String Ping_Address;

    // The address of the four edits, or empty (see Device_Address_From_Parts).
    String Typed_Address() const;

    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;

    TPanel* P_IP_Address = nullptr;
    TLabel* L_IP_Address = nullptr;
    TEdit* E_IP1 = nullptr;
    TEdit* E_IP2 = nullptr;
    TEdit* E_IP3 = nullptr;
    TEdit* E_IP4 = nullptr;
    std::array<TLabel*, 3> L_Dots{};

    TPanel* P_Eth_Search = nullptr;
    TLabel* L_List_Device = nullptr;
    TStringGrid* ACG_List_Devices = nullptr;
    TZvPushButton* Btn_Search = nullptr;
    TCheckBox* CB_Find_All_ZVT = nullptr;

    TPanel* P_Options = nullptr;
    TLabel* L_Update_Option = nullptr;
    TComboBox* CB_Update_Options = nullptr;
    TCheckBox* CB_Update_Option_Read_Back = nullptr;

    TPanel* P_Serial = nullptr;
    TLabel* L_COM_Port = nullptr;
    TComboBox* CB_COM_Port = nullptr;
    TZvPushButton* Btn_COM_List = nullptr;

    TPanel* P_Button = nullptr;
    TZvPushButton* Btn_Cancel = nullptr;
    TZvPushButton* Btn_Update = nullptr;

    TIcmpClient* Ping = nullptr;
    TXMLDocument* XML1 = nullptr;

    static constexpr int Client_Width = 449;
    static constexpr int IP_Panel_Height = 49;
    static constexpr int Search_Panel_Height = 201;
    static constexpr int Options_Panel_Height = 72;
    static constexpr int Serial_Panel_Height = 49;
    // The echo loop's limits, in milliseconds.
    static constexpr unsigned Echo_Wait = 400;
    static constexpr unsigned Ping_Time_Limit = 5000;

private:
    void Create_Address_Panel();
    void Create_Search_Panel();
    void Create_Options_Panel();
    void Create_Serial_Panel();
    void Lay_Out(TPanel* first_panel);
    std::array<TEdit*, 4> Address_Edits() const { return {E_IP1, E_IP2, E_IP3, E_IP4}; }
    void Run_Echoes(const String& address);
    // The user has cancelled or closed the dialog since the ping began.
    bool Ping_Stopped_By_User() const;

    bool FPinging = false;
    bool FUpdating = false;   // from the ping until the updater has ended
    bool FStop_Asked = false;
};

extern TFBoot* FBoot;

// The step "Update Device UDP": builds and writes the device images of the
// open configuration, then shows the update dialog in Ethernet mode.
void Update_Device();
// Starts the updater and waits for it; false, after an error box naming the
// program, when it is missing or cannot be started.
bool Start_Program(const String& NomeSW, const String& Parameter, bool tipo);
