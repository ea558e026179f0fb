#include "core/USoftOptions.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

TFSoftOptions* FSoftOptions = nullptr;

namespace {

constexpr int Languages_Per_Page = 6;
constexpr int Flag_Side = 48;
// Flags and names of slots 1 to 6: the left column top to bottom, then the right one.
constexpr TPoint Flag_Pos[Languages_Per_Page] = {{24, 40}, {26, 94}, {24, 148}, {254, 40}, {254, 94}, {254, 148}};
constexpr TPoint Name_Pos[Languages_Per_Page] = {{80, 56}, {80, 110}, {80, 164}, {310, 56}, {310, 110}, {310, 164}};

const String No_Version = QStringLiteral("VER. 0.000");

// A 16 x 16 arrow on a background that the button leaves out (the
// bottom-left pixel's colour).
QImage Arrow_Glyph(bool right)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0x00, 0xFF));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x5C, 0x8A));
    const QPolygon arrow = right ? QPolygon({QPoint(5, 3), QPoint(11, 8), QPoint(5, 13)})
                                 : QPolygon({QPoint(10, 3), QPoint(4, 8), QPoint(10, 13)});
    p.drawPolygon(arrow);
    return image;
}

TCheckBox* New_Check_Box(TForm* form, TWinControl* parent, int left, int top)
{
    auto* c = new TCheckBox(form);
    c->SetParent(parent);
    c->SetBounds(left, top, 440, 17);
    c->SetParentColor(true);
    return c;
}

TTabSheet* New_Sheet(TForm* form, TPageControl* pages)
{
    auto* s = new TTabSheet(form);
    s->SetPageControl(pages);
    s->SetColor(Window_Color);
    return s;
}

bool Is_Read_Only(const String& path)
{
    return !(QFile::permissions(path) & QFileDevice::WriteOwner);
}

} // namespace

// ---- Free helpers ---------------------------------------------------------------

String Version_Query_Url()
{
    return QStringLiteral("http://") + Maker_Web_Host + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") +
           Version_Query_Software_Code;
}

String Maker_Download_Page_Url()
{
    return QStringLiteral("http://") + Maker_Web_Host + QStringLiteral("/Home/download/download.asp#") + Device_Code;
}

void Set_Up_Version_Client(THTTPClient& client)
{
    client.ProtocolVersion = QStringLiteral("1.0");
    client.AllowCookies = false;
    client.Accept = QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    client.UserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");
}

String Download_Link_Caption(const String& text)
{
    return QStringLiteral("<a href=\"") + Maker_Download_Page_Url() + QStringLiteral("\">") + text +
           QStringLiteral("</a>");
}

std::unique_ptr<TStringList> List_Language_Files(const String& folder)
{
    auto list = std::make_unique<TStringList>();
    for (const String& name : ListFiles(folder, QStringLiteral("*.lng"))) {
        // A read-only file is left out, as the listing has always done.
        if (Is_Read_Only(PathJoin(folder, name))) continue;
        list->Add(name);
    }
    list->Sort();
    return list;
}

// ---- The dialog -------------------------------------------------------------------

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner), SL_Languages(std::make_unique<TStringList>())
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    SetClientSize(509, 373);

    TDialogFrame::operator=(Build_Dialog_Frame(this, 16, 134));
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    PC_Options = new TPageControl(this);
    PC_Options->SetParent(this);
    PC_Options->SetAlign(TAlign::alClient);
    TS_Language = New_Sheet(this, PC_Options);
    TS_Con_Options = New_Sheet(this, PC_Options);
    TS_Soft_Settings = New_Sheet(this, PC_Options);
    Build_Language_Tab();
    Build_Connection_Tab();
    Build_Settings_Tab();

    // What creating the dialog does.
    L_SW_Code->SetCaption(Software_Code);
    TS_Con_Options->SetTabVisible(true);
    Set_Lang();
    PC_Options->SetActivePage(TS_Language);

    OnShow = [this](TObject* s) { FormShow(s); };
}

TFSoftOptions::~TFSoftOptions() = default;

void TFSoftOptions::Build_Language_Tab()
{
    L_Sel_Lang = New_Dialog_Label(this, TS_Language, 12, 11);
    for (int k = 0; k < Languages_Per_Page; ++k) {
        auto* flag = new TImage(this);
        flag->SetParent(TS_Language);
        flag->SetBounds(Flag_Pos[k].X, Flag_Pos[k].Y, Flag_Side, Flag_Side);
        flag->SetStretch(true);
        flag->SetCursor(crHandPoint);
        flag->SetTag(k + 1);
        flag->OnClick = [this](TObject* s) { LangClick(s); };
        I_L[std::size_t(k)] = flag;

        auto* name = New_Dialog_Label(this, TS_Language, Name_Pos[k].X, Name_Pos[k].Y);
        name->SetCursor(crHandPoint);
        name->SetTag(k + 1);
        name->OnClick = [this](TObject* s) { LangClick(s); };
        L_L[std::size_t(k)] = name;
    }
    L_Page_Lang = New_Dialog_Label(this, TS_Language, 220, 212);

    TBitmap glyph;
    Btn_Prev = New_Dialog_Button(this, TS_Language, 12, 204, 100);
    glyph.SetImage(Arrow_Glyph(false));
    Btn_Prev->SetGlyph(&glyph);
    Btn_Prev->OnClick = [this](TObject* s) { Btn_NextClick(s); };
    Btn_Next = New_Dialog_Button(this, TS_Language, 379, 205, 100);
    glyph.SetImage(Arrow_Glyph(true));
    Btn_Next->SetGlyph(&glyph);
    Btn_Next->SetLayout(TZvPushButtonLayout::blGlyphRight);
    Btn_Next->OnClick = [this](TObject* s) { Btn_NextClick(s); };
}

void TFSoftOptions::Build_Connection_Tab()
{
    CB_En_Con = New_Check_Box(this, TS_Con_Options, 12, 16);
    CB_Update = New_Check_Box(this, TS_Con_Options, 36, 47);
    Btn_Check_Update = New_Dialog_Button(this, TS_Con_Options, 36, 78, 204);
    Btn_Check_Update->OnClick = [this](TObject* s) { Btn_Check_UpdateClick(s); };
    LL_Check_Update = new TLinkLabel(this);
    LL_Check_Update->SetParent(TS_Con_Options);
    LL_Check_Update->SetLeft(40);
    LL_Check_Update->SetTop(120);
    LL_Check_Update->SetParentColor(true);
    LL_Check_Update->Hide();
    LL_Check_Update->OnLinkClick = [this](TObject* s, const String& link, TSysLinkType) {
        LL_Check_UpdateLinkClick(s, link);
    };
    for (TCheckBox* box : {CB_En_Con, CB_Update}) box->OnClick = [this](TObject* s) { CB_En_ConClick(s); };
}

void TFSoftOptions::Build_Settings_Tab()
{
    CB_Soft_Set_Jump_Table = New_Check_Box(this, TS_Soft_Settings, 12, 16);
    CB_DoubleClick_Auto_Size = New_Check_Box(this, TS_Soft_Settings, 12, 39);
    for (TCheckBox* box : {CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        box->OnClick = [this](TObject* s) { CB_En_ConClick(s); };
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(Lang_Text(300));
    L_SW_Desc->SetCaption(Lang_Text(301));
    TS_Language->SetCaption(Lang_Text(302));
    TS_Con_Options->SetCaption(Lang_Text(303));
    L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
    L_Page_Lang->SetCaption(Lang_Text(305) + QStringLiteral("1") + Lang_Text(306) + QStringLiteral("1"));
    Btn_Prev->SetCaption(Lang_Text(307));
    Btn_Next->SetCaption(Lang_Text(308));
    CB_En_Con->SetCaption(Lang_Text(309));
    CB_Update->SetCaption(Lang_Text(310));
    Btn_Check_Update->SetCaption(Lang_Text(311));
    Btn_OK->SetCaption(Lang_Text(312));
    Btn_Cancel->SetCaption(Lang_Text(313));
    TS_Soft_Settings->SetCaption(Lang_Text(319));
    CB_Soft_Set_Jump_Table->SetCaption(Lang_Text(320));
    CB_DoubleClick_Auto_Size->SetCaption(Lang_Text(321));
}

void TFSoftOptions::FormShow(TObject*)
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->Hide();
    PC_Options->SetActivePage(TS_Language);
    CB_En_Con->SetChecked(Enable_Internet);
    CB_Update->SetChecked(Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages->Clear();
    SL_Languages->AddStrings(*List_Language_Files(Language_Path));
    Show_Page = 1;
    Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Page_Count() const
{
    return (SL_Languages->Count() + Languages_Per_Page - 1) / Languages_Per_Page;
}

void TFSoftOptions::Update_Lang_Page(int page)
{
    const int pages = Page_Count();
    L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
    L_Page_Lang->SetCaption(Lang_Text(305) + IntToStr(page) + Lang_Text(306) + IntToStr(pages));
    Btn_Prev->SetVisible(page != 1);
    Btn_Next->SetVisible(page != pages);

    const int shown = SL_Languages->Count() - Languages_Per_Page * (page - 1);
    for (int k = 1; k <= Languages_Per_Page; ++k) {
        TImage* flag = I_L[std::size_t(k - 1)];
        TLabel* name = L_L[std::size_t(k - 1)];
        if (k > shown) {
            flag->Hide();
            name->Hide();
            continue;
        }
        const String& file = SL_Languages->Strings((page - 1) * Languages_Per_Page + k - 1);
        const String language = file.left(file.length() - 4);
        name->SetCaption(language);
        name->Show();
        Show_Flag(k, language);
    }
}

void TFSoftOptions::Show_Flag(int slot, const String& language)
{
    TImage* flag = I_L[std::size_t(slot - 1)];
    // A picture that is missing or cannot be read gives way to the next one.
    for (const String& picture : {language + QStringLiteral(".bmp"), QStringLiteral("DefaultFlag.bmp")}) {
        const String path = FindFileIgnoringCase(Language_Path, picture);
        if (path.isEmpty() || !QFileInfo(path).isFile()) continue;
        TBitmap bitmap;
        if (!bitmap.LoadFromFile(path)) continue;
        flag->Picture()->Assign(&bitmap);
        flag->Show();
        return;
    }
    flag->Picture()->SetImage(QImage());
    flag->Hide();
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    if (Sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1) ++Show_Page;
    } else if (Sender == Btn_Prev) {
        if (Show_Page - 1 > 0) --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Language_Slot(TObject* Sender) const
{
    for (int k = 0; k < Languages_Per_Page; ++k)
        if (Sender == I_L[std::size_t(k)] || Sender == L_L[std::size_t(k)]) return k + 1;
    return 0;
}

void TFSoftOptions::LangClick(TObject* Sender)
{
    const int slot = Language_Slot(Sender);
    const int index = (Show_Page - 1) * Languages_Per_Page + slot - 1;
    if (slot == 0 || index >= SL_Languages->Count()) return;
    const String& file = SL_Languages->Strings(index);
    const String language = file.left(file.length() - 4);

    const String question = Lang_Text(316) + Language_In_Use + Lang_Text(317) + language + Lang_Text(318);
    if (MessageDlg(question, TMsgDlgType::mtConfirmation, mbYesNo) != mrYes) return;

    Language_In_Use = language;
    // The setting itself changes only with OK; the texts change now.
    const String kept = Language_Name;
    Language_Name = language;
    Load_Language();
    Language_Name = kept;
    if (On_Language_Change) On_Language_Change();
    L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox()
{
    if (CB_En_Con->Checked()) {
        CB_Update->SetEnabled(true);
    } else {
        CB_Update->SetEnabled(false);
        Btn_Check_Update->SetEnabled(false);
    }
    Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*) { Update_CheckBox(); }

void TFSoftOptions::Btn_Check_UpdateClick(TObject*)
{
    if (Check_Version()) LL_Check_Update->SetCaption(Download_Link_Caption(Lang_Text(314)));
    else LL_Check_Update->SetCaption(Lang_Text(315));
    LL_Check_Update->Show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const String& Link) { OpenUrl(Link); }

void TFSoftOptions::Btn_OKClick(TObject*)
{
    Language_Name = Language_In_Use;
    Enable_Internet = CB_En_Con->Checked();
    Enable_Update = CB_Update->Checked();
    if (Update_Timer) Update_Timer->SetEnabled(Enable_Internet && Enable_Update);
    Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}

// ---- Version check ------------------------------------------------------------------

int TFSoftOptions::Conv_Version(const String& text)
{
    const qsizetype blank = text.indexOf(u' ');
    const String version = Trim(blank >= 0 ? text.mid(blank + 1) : text);
    if (version.length() < 5) return -1;
    const String digits = String(version[0]) + version[2] + version[3] + version[4];
    int value = 0;
    return TryStrToInt(digits, value) ? value : -1;
}

bool TFSoftOptions::Is_Newer_Version(const String& answer)
{
    const String trimmed = Trim(answer);
    const String upper = UpperCase(trimmed);
    if (upper.isEmpty() || upper == No_Version) return false;
    const int own = Conv_Version(Software_Version);
    const int offered = Conv_Version(trimmed);
    return own != -1 && offered != -1 && offered > own;
}

THTTPClient& TFSoftOptions::Version_Client()
{
    if (HTTP_Client) return *HTTP_Client;
    if (!FOwnClient) {
        FOwnClient = new THTTPClient(this);
        Set_Up_Version_Client(*FOwnClient);
    }
    return *FOwnClient;
}

bool TFSoftOptions::Check_Version()
{
    String answer;
    try {
        answer = Version_Client().Get(Version_Query_Url());
    } catch (...) {
        // No connection, no answer or an error status: nothing newer known.
        answer.clear();
    }
    return Is_Newer_Version(answer);
}
