#include "core/UBoot.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Grids.h"
#include "platform/Icmp.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"

TFBoot* FBoot = nullptr;

namespace {

// ---- The updater's parameter file ----------------------------------------------

enum class TImage { Firmware, Bank1, Bank2 };

struct TOperation_Values {
    String File_Name;
    const char* Start_Address;
    const char* Bank_Type;
    const char* Write_CSS;
    const char* Go_To_App_After;
};

TOperation_Values Values_Of(TImage image, int option)
{
    switch (image) {
    case TImage::Firmware:
        // Firmware alone ends in the application; with the configuration to
        // follow, the device stays in its boot loader until bank2 is done.
        return {Master_Path + QStringLiteral("/Sim40219.sim"), "0x8000", "1", "1",
                option == Update_Firmware ? "1" : "0"};
    case TImage::Bank1:
        return {Project_Path + QStringLiteral("/bin/bank1.bin"), "0x07000", "2", "0", "0"};
    case TImage::Bank2:
        return {Project_Path + QStringLiteral("/bin/bank2.bin"), "0x80000", "2", "0", "1"};
    }
    return {};
}

void Add(TXMLNode parent, const char* name, const String& text)
{
    parent.AddChild(QString::fromLatin1(name)).SetText(text);
}

void Add(TXMLNode parent, const char* name, const char* text)
{
    Add(parent, name, QString::fromLatin1(text));
}

void Add_Operation(TXMLNode operations, TImage image, int option, bool read_back)
{
    const TOperation_Values v = Values_Of(image, option);
    TXMLNode op = operations.AddChild(QStringLiteral("Operation"));
    Add(op, "Ope_Protection_Enabled", "");
    Add(op, "Ope_GoToBoot_Before", "0");
    Add(op, "Ope_GoToApp_Before", "0");
    Add(op, "Ope_IP_Address", "");
    Add(op, "Ope_Port", "2008");
    Add(op, "Ope_Port_Sec", "2007");
    Add(op, "Ope_Erase_Memory", "0");
    Add(op, "Ope_FileName", v.File_Name);
    Add(op, "Ope_Start_Address", v.Start_Address);
    Add(op, "Ope_Memory_Type", "0");
    Add(op, "Ope_Bank_Type", v.Bank_Type);
    Add(op, "Ope_Read_Back", read_back ? "1" : "0");
    Add(op, "Ope_Write_CSS", v.Write_CSS);
    Add(op, "Ope_Address_CSS", "0x07A00");
    Add(op, "Ope_Command_CSS", "0x02");
    Add(op, "Ope_Write_Internal_Data", "0");
    Add(op, "Ope_WID_Address", "0x07810");
    Add(op, "Ope_WID_Command", "0x02");
    Add(op, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    Add(op, "Ope_GoToApp_After", v.Go_To_App_After);
}

void Build_Ethernet_Update(TXMLDocument& doc, const String& address, int option, bool read_back)
{
    doc.SetActive(false);
    doc.SetActive(true);
    doc.Clear();
    TXMLNode root = doc.CreateRoot(QStringLiteral("Ethernet_Update"));
    Add(root, "Version", "1000");
    Add(root, "Title", Maker_Web_Host + QStringLiteral(" - ") + Built_In_Software_Code +
                           QStringLiteral(" Ethernet Update"));
    Add(root, "IP_Address_Dev", address);
    Add(root, "Application_Port", "10000");
    Add(root, "Boot_Port", "2008");
    Add(root, "Boot_Port_Sec", "2007");
    Add(root, "Address_Protection", "0x07800");
    Add(root.AddChild(QStringLiteral("Protections")), "Protection", "0x172");
    TXMLNode operations = root.AddChild(QStringLiteral("Operations"));
    if (option == Update_Firmware_And_Configuration || option == Update_Firmware)
        Add_Operation(operations, TImage::Firmware, option, read_back);
    if (option == Update_Firmware_And_Configuration || option == Update_Configuration) {
        Add_Operation(operations, TImage::Bank1, option, read_back);
        Add_Operation(operations, TImage::Bank2, option, read_back);
    }
}

// ---- Controls --------------------------------------------------------------------

TPanel* New_Panel(TFBoot* form, int height)
{
    TPanel* panel = New_Dialog_Panel(form);
    panel->SetBounds(0, 0, TFBoot::Client_Width, height);
    return panel;
}

TLabel* New_Label(TFBoot* form, TPanel* panel, int left, int top, const String& caption = String())
{
    TLabel* label = New_Dialog_Label(form, panel, left, top);
    if (!caption.isEmpty()) label->SetCaption(caption);
    return label;
}

// A list to choose from, not to type into.
TComboBox* New_Choice_Box(TFBoot* form, TPanel* panel, int left, int top, int width)
{
    auto* box = new TComboBox(form);
    box->SetParent(panel);
    box->SetStyle(TComboBoxStyle::csDropDownList);
    box->SetBounds(left, top, width, 21);
    return box;
}

TCheckBox* New_Check_Box(TFBoot* form, TPanel* panel, int left, int top, int width)
{
    auto* box = new TCheckBox(form);
    box->SetParent(panel);
    box->SetBounds(left, top, width, 17);
    box->SetShowHint(true);
    return box;
}

// A part of an address: a plain decimal number 0-255.
bool Read_Address_Part(const String& text, int& value)
{
    const String part = text.trimmed();
    if (part.isEmpty()) return false;
    value = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 255) return false;
    }
    return true;
}

// Keeps the Update button disabled while a ping runs, whichever way it ends.
class TPing_Guard {
public:
    TPing_Guard(TZvPushButton* button, bool& pinging) : FButton(button), FPinging(pinging)
    {
        FWas_Enabled = FButton->Enabled();
        FButton->SetEnabled(false);
        FPinging = true;
    }
    ~TPing_Guard()
    {
        FPinging = false;
        FButton->SetEnabled(FWas_Enabled);
    }
    TPing_Guard(const TPing_Guard&) = delete;
    TPing_Guard& operator=(const TPing_Guard&) = delete;

private:
    TZvPushButton* FButton;
    bool& FPinging;
    bool FWas_Enabled = true;
};

} // namespace

// ---- Free helpers ---------------------------------------------------------------------

String Device_Address_From_Parts(const std::array<String, 4>& parts)
{
    QStringList numbers;
    for (const String& part : parts) {
        int value = 0;
        if (!Read_Address_Part(part, value)) return {};
        numbers << QString::number(value);
    }
    return numbers.join(u'.');
}

String Ethernet_Update_Xml(const String& address, int option, bool read_back)
{
    TXMLDocument doc;
    Build_Ethernet_Update(doc, address, option, read_back);
    return doc.SaveToString();
}

// ---- Construction ------------------------------------------------------------------------

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    SetClientSize(Client_Width, 230);

    const int update_width = 170;
    const TDialogFrame frame = Build_Dialog_Frame(this, Client_Width - 16 - update_width, 16);
    P_Title = frame.Title_Panel;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.Button_Panel;
    Btn_Update = frame.Btn_OK;
    Btn_Update->SetWidth(update_width);
    Btn_Cancel = frame.Btn_Cancel;
    Btn_Update->OnClick = [this](TObject* sender) { Btn_UpdateClick(sender); };
    Btn_Cancel->OnClick = [this](TObject*) { FStop_Asked = FPinging; };

    Create_Address_Panel();
    Create_Search_Panel();
    Create_Options_Panel();
    Create_Serial_Panel();

    Ping = new TIcmpClient(this);
    Ping->ReceiveTimeout = Echo_Wait;
    Ping->PacketSize = 1024;
    Ping->OnReply = [this](TObject* sender, const TReplyStatus& status) { PingReply(sender, status); };
    XML1 = new TXMLDocument(this);

    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnClose = [this](TObject*, TCloseAction&) { FStop_Asked = FPinging; };
    Set_Lang();
}

TFBoot::~TFBoot() = default;

void TFBoot::Create_Address_Panel()
{
    P_IP_Address = New_Panel(this, IP_Panel_Height);
    L_IP_Address = New_Label(this, P_IP_Address, 16, 17);
    TEdit** edits[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    int left = 200;
    for (int i = 0; i < 4; ++i) {
        auto* edit = new TEdit(this);
        edit->SetParent(P_IP_Address);
        edit->SetBounds(left, 13, 44, 21);
        edit->SetText(QStringLiteral("0"));
        edit->SetShowHint(true);
        edit->SetTabOrder(i);
        edit->OnKeyPress = [this](TObject* sender, QChar& key) { KeyPress(sender, key); };
        *edits[i] = edit;
        if (i < 3) L_Dots[std::size_t(i)] = New_Label(this, P_IP_Address, left + 48, 17, QStringLiteral("."));
        left += 56;
    }
}

void TFBoot::Create_Search_Panel()
{
    P_Eth_Search = New_Panel(this, Search_Panel_Height);
    L_List_Device = New_Label(this, P_Eth_Search, 16, 6);
    ACG_List_Devices = new TStringGrid(this);
    ACG_List_Devices->SetParent(P_Eth_Search);
    ACG_List_Devices->SetBounds(16, 24, Client_Width - 32, 130);
    ACG_List_Devices->SetColCount(2);
    ACG_List_Devices->SetRowCount(2);
    ACG_List_Devices->SetFixedCols(0);
    ACG_List_Devices->SetColWidths(0, 200);
    ACG_List_Devices->SetColWidths(1, 200);
    ACG_List_Devices->SetShowHint(true);
    Btn_Search = New_Dialog_Button(this, P_Eth_Search, 16, 164);
    CB_Find_All_ZVT = New_Check_Box(this, P_Eth_Search, 140, 170, 280);
}

void TFBoot::Create_Options_Panel()
{
    P_Options = New_Panel(this, Options_Panel_Height);
    L_Update_Option = New_Label(this, P_Options, 16, 10);
    CB_Update_Options = New_Choice_Box(this, P_Options, 16, 30, 230);
    CB_Update_Options->SetShowHint(true);
    CB_Update_Option_Read_Back = New_Check_Box(this, P_Options, 264, 32, 170);
    CB_Update_Option_Read_Back->SetChecked(true);
}

void TFBoot::Create_Serial_Panel()
{
    P_Serial = New_Panel(this, Serial_Panel_Height);
    L_COM_Port = New_Label(this, P_Serial, 16, 17);
    CB_COM_Port = New_Choice_Box(this, P_Serial, 120, 13, 170);
    Btn_COM_List = New_Dialog_Button(this, P_Serial, 304, 10, 120);
    Btn_COM_List->OnClick = [this](TObject* sender) { Btn_COM_ListClick(sender); };
}

// ---- Texts and layout --------------------------------------------------------------------

void TFBoot::Set_Lang()
{
    const int caption_slot = Form_Type == 0 ? 800 : Form_Type == 2 ? 804 : 802;
    SetCaption(Lang_Text(caption_slot));
    L_SW_Desc->SetCaption(Lang_Text(caption_slot + 1));
    L_IP_Address->SetCaption(Lang_Text(806));
    L_List_Device->SetCaption(Lang_Text(809));
    Btn_Search->SetCaption(Lang_Text(810));
    ACG_List_Devices->SetCells(0, 0, Lang_Text(811));
    ACG_List_Devices->SetCells(1, 0, Lang_Text(812));
    CB_Find_All_ZVT->SetCaption(Lang_Text(813));
    L_Update_Option->SetCaption(Lang_Text(814));
    CB_Update_Options->Clear();
    for (int slot : {815, 816, 817}) CB_Update_Options->Items()->Add(Lang_Text(slot));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(Lang_Text(818));
    Btn_Cancel->SetCaption(Lang_Text(819));
    Btn_Update->SetCaption(Lang_Text(820));
    const auto edits = Address_Edits();
    for (int i = 0; i < 4; ++i) edits[std::size_t(i)]->SetHint(Lang_Text(821 + i));
    Btn_Search->SetHint(Lang_Text(829));
    ACG_List_Devices->SetHint(Lang_Text(830));
    CB_Find_All_ZVT->SetHint(Lang_Text(831));
    CB_Update_Options->SetHint(Lang_Text(832));
    CB_Update_Option_Read_Back->SetHint(Lang_Text(833));
    Btn_Cancel->SetHint(Lang_Text(834));
    Btn_Update->SetHint(Lang_Text(835));
}

// Stacks the first panel and the options panel under the title, in the order
// the tab order follows, and sizes the dialog to hold exactly them.
void TFBoot::Lay_Out(TPanel* first_panel)
{
    first_panel->SetVisible(true);
    P_Options->SetVisible(true);
    SetClientWidth(Client_Width);
    // Top-aligned panels stack in the order of their tops.
    int top = Dialog_Title_Panel_Height;
    for (TPanel* panel : {first_panel, P_Eth_Search, P_Options}) {
        panel->SetTop(top);
        panel->SetAlign(TAlign::alTop);
        top += panel->Height();
    }
    SetClientHeight(P_Title->Height() + first_panel->Height() + P_Options->Height() + P_Button->Height());
    int order = 0;
    for (TPanel* panel : {P_Title, P_IP_Address, P_Eth_Search, P_Options, P_Button, P_Serial})
        panel->SetTabOrder(order++);
    // A remembered option the list does not hold falls back to the first.
    const bool known = Update_Option_Index >= 0 && Update_Option_Index < CB_Update_Options->Items()->Count();
    CB_Update_Options->SetItemIndex(known ? Update_Option_Index : 0);
    CB_Update_Option_Read_Back->SetChecked(Update_Read_Back);
}

void TFBoot::FormShow(TObject*)
{
    Set_Lang();
    L_SW_Code->SetCaption(Software_Code);
    for (TPanel* panel : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
        panel->SetVisible(false);
        panel->SetAlign(TAlign::alNone);
    }
    if (Form_Type == 1) {
        Lay_Out(P_IP_Address);
        String a, b, c, d;
        if (!Last_IP_Address.isEmpty() && Split_IP_Address(Last_IP_Address, a, b, c, d)) {
            E_IP1->SetText(a);
            E_IP2->SetText(b);
            E_IP3->SetText(c);
            E_IP4->SetText(d);
        }
        if (E_IP1->CanFocus()) E_IP1->SetFocus();
    } else if (Form_Type == 0) {
        Lay_Out(P_Serial);
        update_ComPort();
        if (CB_COM_Port->CanFocus()) CB_COM_Port->SetFocus();
    }
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->Clear();
    const std::unique_ptr<TStringList> ports = Get_COM_Ports();
    for (int i = 0; i < ports->Count(); ++i) CB_COM_Port->Items()->Add((*ports)[i]);
    if (CB_COM_Port->Items()->Count() > 0) CB_COM_Port->SetItemIndex(0);
}

void TFBoot::Btn_COM_ListClick(TObject*)
{
    update_ComPort();
}

// ---- Address entry ---------------------------------------------------------------------

// A "." never enters an address part: in the first three it moves on to the
// next part, as the user means it; in the last it is dropped.
void TFBoot::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != u'.') return;
    Key = QChar();
    const auto edits = Address_Edits();
    for (std::size_t i = 0; i + 1 < edits.size(); ++i) {
        if (Sender != edits[i]) continue;
        if (edits[i + 1]->CanFocus()) edits[i + 1]->SetFocus();
        return;
    }
}

String TFBoot::Typed_Address() const
{
    return Device_Address_From_Parts({E_IP1->Text(), E_IP2->Text(), E_IP3->Text(), E_IP4->Text()});
}

// ---- Update ------------------------------------------------------------------------------

void TFBoot::Btn_UpdateClick(TObject*)
{
    if (Form_Type == 0) {
        Update_Option_Index = CB_Update_Options->ItemIndex();
        Update_Read_Back = CB_Update_Option_Read_Back->Checked();
        return;
    }
    if (Form_Type != 1 || FUpdating) return;

    // The button stays disabled from the ping until the updater has ended.
    TPing_Guard busy(Btn_Update, FUpdating);
    if (!Send_Ping()) {
        if (Ping_Abandoned) return;   // the user cancelled: nothing to tell
        if (ping_res == 2)
            MessageDlg(Lang_Text(836), TMsgDlgType::mtWarning, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        else
            MessageDlg(Lang_Text(837), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return;
    }
    Last_IP_Address = Ping_Address;
    Update_Option_Index = CB_Update_Options->ItemIndex();
    Update_Read_Back = CB_Update_Option_Read_Back->Checked();
    Compile_XML_Parameter_New_Boot(Ping_Address);
    Start_Program(PathJoin(Program_Path, QStringLiteral("Ethernet_Update.exe")), String(), false);
    // Clicks queued while the updater ran reach the still disabled button
    // and start nothing.
    Application->ProcessMessages();
}

bool TFBoot::Ping_Stopped_By_User() const
{
    return FStop_Asked || (Modal() && ModalResult() != mrNone);
}

// Echoes, each waiting at most Echo_Wait for its reply, until two have ended
// with a reply that carried data or Ping_Time_Limit has passed; the device
// answered when the last echo's reply carried data. The window stays live
// between echoes, and cancelling or closing it ends the ping at once.
bool TFBoot::Send_Ping()
{
    ping_res = 0;
    Ping_Abandoned = false;
    Ping_Address = Typed_Address();
    if (Ping_Address.isEmpty()) return false;

    FStop_Asked = false;
    TPing_Guard guard(Btn_Update, FPinging);
    try {
        Run_Echoes(Ping_Address);
    } catch (const std::exception&) {
        return false;
    }
    if (Ping_Abandoned) return false;
    return ping_res == 1;
}

void TFBoot::Run_Echoes(const String& address)
{
    const std::uint64_t start = GetTickCount64();
    Ping->Host = address;
    int answered = 0;
    for (;;) {
        const std::uint64_t echo_start = GetTickCount64();
        Ping->Ping(address, 0);
        do {
            Sleep(10);
            Application->ProcessMessages();
            if (Ping_Stopped_By_User()) {
                Ping_Abandoned = true;
                return;
            }
        } while (ping_res == 0 && GetTickCount64() - echo_start <= Echo_Wait);
        if (ping_res == 3) return;   // the echo could not be sent: retrying will not help
        if (ping_res == 1) ++answered;
        if (answered >= 2 || GetTickCount64() - start > Ping_Time_Limit) return;
    }
}

void TFBoot::PingReply(TObject*, const TReplyStatus& AReplyStatus)
{
    // An echo that could not even be sent (no route to the address) is an
    // error of the address, not a device that keeps silent.
    if (AReplyStatus.ReplyStatusType == TReplyStatusTypes::rsError) ping_res = 3;
    else ping_res = AReplyStatus.BytesReceived > 0 ? 1 : 2;
}

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    const String address = Typed_Address();
    if (address.isEmpty()) throw Exception(Lang_Text(837));
    Compile_XML_Parameter_New_Boot(address);
}

void TFBoot::Compile_XML_Parameter_New_Boot(const String& address)
{
    Build_Ethernet_Update(*XML1, address, CB_Update_Options->ItemIndex(), CB_Update_Option_Read_Back->Checked());
    XML1->SaveToFile(PathJoin(Program_Path, QStringLiteral("Ethernet_Update.xml")));
}
