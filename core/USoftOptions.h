#pragma once
// The Software Options dialog: language choice from the language files (six
// to a page, with flags), the internet and update-check options with a check
// on demand, the table editors' two options; and the version query the
// main window's update timer uses too.

#include "core/UDialogFrame.h"
#include "platform/Forms.h"

#include <array>
#include <functional>
#include <memory>

class TStringList;
class TLabel;
class TImage;
class TPageControl;
class TTabSheet;
class TCheckBox;
class TLinkLabel;
class THTTPClient;
class TTimer;
class TZvPushButton;
class TPanel;

class TFSoftOptions : public TForm, public TDialogFrame {
public:
    explicit TFSoftOptions(TComponent* AOwner);
    ~TFSoftOptions() override;

    void Set_Lang();
    // True when the maker's server offers a newer version than this one.
    // Any failure of the query counts as no newer version.
    bool Check_Version();

    void FormShow(TObject* Sender);
    void Create_Lang_List();
    void Update_Lang_Page(int page);
    void Btn_NextClick(TObject* Sender);
    void LangClick(TObject* Sender);
    void Update_CheckBox();
    void CB_En_ConClick(TObject* Sender);
    void Btn_Check_UpdateClick(TObject* Sender);
    void LL_Check_UpdateLinkClick(TObject* Sender, const String& Link);
    void Btn_OKClick(TObject* Sender);

    // The version number of a version text ("VER. 1.234" gives 1234), -1 when there is none.
    static int Conv_Version(const String& text);
    // Whether a server's answer reports a version newer than this program's.
    static bool Is_Newer_Version(const String& answer);
    // The client of the version query: the one handed over when there is one,
    // otherwise one of the dialog's own, set up the same way.
    THTTPClient& Version_Client();

    // ---- Handed over at start-up by the main window, which owns them ----
    // The update-check timer, switched with the options on OK.
    TTimer* Update_Timer = nullptr;
    // The version query's client.
    THTTPClient* HTTP_Client = nullptr;
    // Has every window read its texts again after the text table changed.
    std::function<void()> On_Language_Change;

    // ---- Fields ----
    std::unique_ptr<TStringList> SL_Languages;   // language file names, sorted ignoring case
    int Show_Page = 1;
    String Language_In_Use;

    // ---- Controls ----
    TPageControl* PC_Options = nullptr;
    TTabSheet* TS_Language = nullptr;
    TTabSheet* TS_Con_Options = nullptr;
    TTabSheet* TS_Soft_Settings = nullptr;
    TLabel* L_Sel_Lang = nullptr;
    std::array<TImage*, 6> I_L{};   // I_L1 .. I_L6
    std::array<TLabel*, 6> L_L{};   // L_L1 .. L_L6
    TLabel* L_Page_Lang = nullptr;
    TZvPushButton* Btn_Prev = nullptr;
    TZvPushButton* Btn_Next = nullptr;
    TCheckBox* CB_En_Con = nullptr;
    TCheckBox* CB_Update = nullptr;
    TZvPushButton* Btn_Check_Update = nullptr;
    TLinkLabel* LL_Check_Update = nullptr;
    TCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    TCheckBox* CB_DoubleClick_Auto_Size = nullptr;

private:
    void Build_Language_Tab();
    void Build_Connection_Tab();
    void Build_Settings_Tab();
    int Page_Count() const;
    // The slot (1 to 6) a flag or name stands for, 0 for anything else.
    int Language_Slot(TObject* Sender) const;
    void Show_Flag(int slot, const String& language);
    THTTPClient* FOwnClient = nullptr;
};

extern TFSoftOptions* FSoftOptions;

// The address of the version query and of the maker's download page.
String Version_Query_Url();
String Maker_Download_Page_Url();
// Gives a client the protocol and headers of the version query.
void Set_Up_Version_Client(THTTPClient& client);
// The link text that points at the download page, with `text` as its content.
String Download_Link_Caption(const String& text);
// The language files of a folder: names matching *.lng (ignoring case) of
// regular files that are not read-only, sorted ignoring case.
std::unique_ptr<TStringList> List_Language_Files(const String& folder);
