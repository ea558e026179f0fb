// The main window: its controls, the start-up of the program, the step
// buttons, the language change of every window and the periodic version check.
#include "app/UQuillmereFirmWare.h"

#include "core/UBoot.h"
#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"
#include "core/UNew_Project.h"
#include "core/UOpenConf.h"
#include "core/UParGen.h"
#include "app/UQuillmereFirmWareGlyphs.h"
#include "core/USoftOptions.h"
#include "core/ZvPushButton.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"
#include "platform/Xml.h"
#include "tables/writers/USNMP_MIB.h"
#include "tables/writers/UEds.h"
#include "tables/writers/UProfinetXML.h"
#include "tables/profinet/UProfinetFileName.h"

TFQuillmereFirmWare* FQuillmereFirmWare = nullptr;

namespace {

const String Window_Title_Tail = QStringLiteral(" - Configurator ") + Built_In_Software_Code +
                                 QStringLiteral(" - DALI / SNMP Manager ");

// The rows of the step list: a button's top; its step label stands 16 lower.
constexpr int Step_Row_Top[] = {112, 156, 200, 244, 288};
constexpr int Step_Button_Left = 80;
constexpr int Step_Button_Width = 170;
constexpr int Step_Button_Height = 36;
constexpr int Glyph_Button_Size = 50;

using TButtonMember = TZvPushButton* TFQuillmereFirmWare::*;

// The buttons that show no window, whose caption and hint come from the
// text table; the steps' own texts are in Program_Forms.
struct TButtonTexts {
    TButtonMember Button;
    int Caption; // -1: the button shows its glyph only
    int Hint;
};
constexpr TButtonTexts Button_Texts[] = {
    {&TFQuillmereFirmWare::Btn_Close, -1, 14},
    {&TFQuillmereFirmWare::Btn_New, 15, 22},
    {&TFQuillmereFirmWare::Btn_Open, 16, 23},
    {&TFQuillmereFirmWare::Btn_CreateBin, 17, 26},
};

// The hidden buttons of the other gateway families, their picture and,
// where the text table has none for them, their fixed caption.
struct THiddenButton {
    TButtonMember Button;
    const String* Glyph;
    const char* Fixed_Caption;
};
const THiddenButton Hidden_Buttons[] = {
    {&TFQuillmereFirmWare::Btn_PROFINET_XML, &Glyph_File, nullptr},
    {&TFQuillmereFirmWare::Btn_ModM_SetAccess, &Glyph_Table, nullptr},
    {&TFQuillmereFirmWare::Btn_DMX_Default, &Glyph_Table, nullptr},
    {&TFQuillmereFirmWare::Btn_J1939_Rec_Frame, &Glyph_Table, nullptr},
    {&TFQuillmereFirmWare::Btn_J1939_Send_Frame, &Glyph_Table, nullptr},
    {&TFQuillmereFirmWare::Btn_KNX_Access, &Glyph_Table, nullptr},
    {&TFQuillmereFirmWare::Btn_Set_BACnet_Access, &Glyph_Table, "Set BACnet Access"},
    {&TFQuillmereFirmWare::Btn_SNMP_Trap, &Glyph_Table, "Set SNMP Access"},
    {&TFQuillmereFirmWare::Btn_SNMP_MIB, &Glyph_File, "SNMP MIB"},
    {&TFQuillmereFirmWare::Btn_SDO_Server_CANopen, &Glyph_Table, "Set SDO Server"},
    {&TFQuillmereFirmWare::Btn_SDO_Client_CANopen, &Glyph_Table, "Set SDO Client"},
    {&TFQuillmereFirmWare::Btn_PDO_CANopen, &Glyph_Table, "Set PDO Access"},
    {&TFQuillmereFirmWare::Btn_CANopen_EDS, &Glyph_File, "EDS File"},
};

// Every button the window has, in the order they are built.
constexpr TButtonMember All_Button_Members[] = {
    &TFQuillmereFirmWare::Btn_Info,
    &TFQuillmereFirmWare::Btn_Opz,
    &TFQuillmereFirmWare::Btn_Close,
    &TFQuillmereFirmWare::Btn_New,
    &TFQuillmereFirmWare::Btn_Open,
    &TFQuillmereFirmWare::Btn_Prm_Gen,
    &TFQuillmereFirmWare::Btn_DALI_Access,
    &TFQuillmereFirmWare::Btn_SNMP_Manager_Access,
    &TFQuillmereFirmWare::Btn_CreateBin,
    &TFQuillmereFirmWare::Btn_PROFINET_XML,
    &TFQuillmereFirmWare::Btn_ModM_SetAccess,
    &TFQuillmereFirmWare::Btn_DMX_Default,
    &TFQuillmereFirmWare::Btn_J1939_Rec_Frame,
    &TFQuillmereFirmWare::Btn_J1939_Send_Frame,
    &TFQuillmereFirmWare::Btn_KNX_Access,
    &TFQuillmereFirmWare::Btn_Set_BACnet_Access,
    &TFQuillmereFirmWare::Btn_SNMP_Trap,
    &TFQuillmereFirmWare::Btn_SNMP_MIB,
    &TFQuillmereFirmWare::Btn_SDO_Server_CANopen,
    &TFQuillmereFirmWare::Btn_SDO_Client_CANopen,
    &TFQuillmereFirmWare::Btn_PDO_CANopen,
    &TFQuillmereFirmWare::Btn_CANopen_EDS,
};

TLabel* New_Label(TFQuillmereFirmWare* form, bool bold)
{
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetTransparent(true);
    label->Font()->SetColor(clGray);
    if (bold) label->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    return label;
}

TZvPushButton* New_Button(TFQuillmereFirmWare* form, const String& glyph, TColor hotTrack)
{
    auto* button = new TZvPushButton(form);
    button->SetParent(form);
    button->SetColor(Window_Color);
    button->SetColorWhenDown(Main_Button_Down_Color);
    button->SetHotTrackColor(hotTrack);
    TBitmap picture;
    picture.LoadFromResourceName(glyph);
    button->SetGlyph(&picture);
    button->OnClick = [form](TObject* sender) { form->Btn_Click(sender); };
    return button;
}

// A step of the list: left-aligned caption beside its picture.
TZvPushButton* New_Step_Button(TFQuillmereFirmWare* form, const String& glyph, TColor hotTrack,
                               TZvPushButtonStyle style)
{
    TZvPushButton* button = New_Button(form, glyph, hotTrack);
    button->SetBounds(0, 0, Step_Button_Width, Step_Button_Height);
    button->SetAlignment(TAlignment::taLeftJustify);
    button->SetStyle(style);
    return button;
}

} // namespace

String Download_Page_Url()
{
    return QStringLiteral("http://") + Maker_Web_Host + QStringLiteral("/Home/download/download.asp#") + Device_Code;
}

String Home_Page_Url()
{
    return QStringLiteral("http://") + Maker_Web_Host + QStringLiteral("/HOME/default.asp?frompg=") +
           Built_In_Software_Code;
}

// ---- Building the window ----------------------------------------------------------

TFQuillmereFirmWare::TFQuillmereFirmWare(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    Set_Window_Look(this, Window_Color);
    SetShowHint(true);
    SetClientWidth(Main_Client_Width);
    SetClientHeight(Step_Row_Top[4] + 152);

    Register_Main_Window_Glyphs();
    Create_Components();
    Create_Controls();

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

TFQuillmereFirmWare::~TFQuillmereFirmWare()
{
    if (FQuillmereFirmWare == this) FQuillmereFirmWare = nullptr;
}

void TFQuillmereFirmWare::Create_Components()
{
    Timer_Update = new TTimer(this);
    // Off until start-up has read the options; disabled before the handler
    // is bound, so no countdown starts on the way.
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(Update_First_Interval);
    Timer_Update->OnTimer = [this](TObject* sender) { Timer_UpdateTimer(sender); };

    XML1 = new TXMLDocument(this);

    HTTP1 = new THTTPClient(this);
    HTTP1->ProtocolVersion = QStringLiteral("1.0");
    HTTP1->AllowCookies = false;
    HTTP1->Accept = QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    HTTP1->UserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");

    SaveMIB = new TSaveDialog(this);
    SaveMIB->SetDefaultExt(QStringLiteral("*.mib"));
    SaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));

    SaveEDS = new TSaveDialog(this);
    SaveEDS->SetDefaultExt(QStringLiteral("*.eds"));
    SaveEDS->SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
}

void TFQuillmereFirmWare::Create_Controls()
{
    L_SW_Code = New_Label(this, false);
    L_SW_Code->Font()->SetHeight(-32);
    L_SW_Desc = New_Label(this, true);
    L_Begin = New_Label(this, true);

    Shape2 = new TShape(this);
    Shape2->SetParent(this);
    Shape2->SetBounds(0, 0, 348, 36);
    Shape2->Pen()->SetColor(clSilver);
    Shape2->Brush()->SetStyle(TBrushStyle::bsClear);

    L_Name_Conf = New_Label(this, false);
    L_Name_Conf_L2 = New_Label(this, false);

    TLabel** steps[] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4,
                        &L_Step_5, &L_Step_6, &L_Step_7, &L_Step_8};
    for (TLabel** step : steps) *step = New_Label(this, true);

    L_Zorvat = New_Label(this, true);
    L_Zorvat->SetCaption(Maker_Web_Host);
    L_Zorvat->SetCursor(crHandPoint);
    L_Zorvat->OnClick = [this](TObject* sender) { L_ZorvatClick(sender); };

    Shape1 = new TShape(this);
    Shape1->SetParent(this);
    Shape1->SetBounds(0, 0, 674, 1);
    Shape1->Pen()->SetColor(clSilver);

    LL_Update = new TLinkLabel(this);
    LL_Update->SetParent(this);
    LL_Update->SetLeft(208);
    LL_Update->SetTop(19);
    LL_Update->SetVisible(false);
    LL_Update->OnLinkClick = [this](TObject* sender, const String& link, TSysLinkType type) {
        LL_UpdateLinkClick(sender, link, type);
    };

    I_Obrant = new TImage(this);
    I_Obrant->SetParent(this);
    I_Obrant->SetBounds(448, 8, 48, 48);
    TBitmap brand;
    brand.LoadFromResourceName(Glyph_Brand);
    I_Obrant->SetPicture(&brand);
    I_Obrant->SetVisible(false);

    for (TZvPushButton** glyphOnly : {&Btn_Info, &Btn_Opz, &Btn_Close}) {
        const String& glyph = glyphOnly == &Btn_Info ? Glyph_Info : glyphOnly == &Btn_Opz ? Glyph_Options
                                                                                           : Glyph_Close;
        *glyphOnly = New_Button(this, glyph, clYellow);
        (*glyphOnly)->SetBounds(0, 0, Glyph_Button_Size, Glyph_Button_Size);
    }

    using enum TZvPushButtonStyle;
    Btn_New = New_Step_Button(this, Glyph_New, clSkyBlue, bsEncarta);
    Btn_Open = New_Step_Button(this, Glyph_Open, clSkyBlue, bsEncarta);
    Btn_Prm_Gen = New_Step_Button(this, Glyph_Communication, clYellow, bsNormal);
    Btn_DALI_Access = New_Step_Button(this, Glyph_DALI, clYellow, bsEncarta);
    Btn_SNMP_Manager_Access = New_Step_Button(this, Glyph_SNMP, clYellow, bsEncarta);
    Btn_CreateBin = New_Step_Button(this, Glyph_Update, clSkyBlue, bsEncarta);

    // Stacked beside the steps; they never show.
    int row = 0;
    for (const THiddenButton& hidden : Hidden_Buttons) {
        TZvPushButton* button = New_Step_Button(this, *hidden.Glyph, clYellow, bsEncarta);
        this->*hidden.Button = button;
        button->SetLeft(Step_Button_Left + Step_Button_Width + 8);
        button->SetTop(Step_Row_Top[1 + row++ % 4]);
        if (hidden.Fixed_Caption) button->SetCaption(QString::fromLatin1(hidden.Fixed_Caption));
    }
}

std::vector<TZvPushButton*> TFQuillmereFirmWare::All_Buttons() const
{
    std::vector<TZvPushButton*> buttons;
    for (TButtonMember member : All_Button_Members) buttons.push_back(this->*member);
    return buttons;
}

// Start-up's step 2: the steps this product offers, in their rows; the
// others hidden for good.
void TFQuillmereFirmWare::Lay_Out_Steps()
{
    L_SW_Code->SetLeft(16);
    L_SW_Code->SetTop(8);
    L_SW_Desc->SetLeft(16);
    L_SW_Desc->SetTop(42);
    L_Begin->SetLeft(16);
    L_Begin->SetTop(84);
    Shape2->SetLeft(80);
    Shape2->SetTop(70);
    // The labels keep inside the frame, as far from its right side as from
    // its left; what does not fit there is cut short (the frame's hint has it whole).
    const int name_width = Shape2->Width() - 2 * (87 - Shape2->Left());
    for (auto [label, top] : {std::pair{L_Name_Conf, 75}, std::pair{L_Name_Conf_L2, 88}}) {
        label->SetAutoSize(false);
        label->SetEllipsisPosition(TEllipsisPosition::epEndEllipsis);
        label->SetBounds(87, top, name_width, label->TextSize().cy);
    }
    Btn_Info->SetBounds(516, 8, Glyph_Button_Size, Glyph_Button_Size);
    Btn_Opz->SetBounds(574, 8, Glyph_Button_Size, Glyph_Button_Size);
    Btn_Close->SetBounds(632, 8, Glyph_Button_Size, Glyph_Button_Size);

    TLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
    for (TLabel* step : steps) step->Hide();
    L_Zorvat->Hide();

    Btn_New->SetBounds(Step_Button_Left, Step_Row_Top[0], Step_Button_Width, Step_Button_Height);
    Btn_Open->SetBounds(258, Step_Row_Top[0], Step_Button_Width, Step_Button_Height);
    Btn_Prm_Gen->SetBounds(Step_Button_Left, Step_Row_Top[1], Step_Button_Width, Step_Button_Height);
    Btn_CreateBin->SetBounds(Step_Button_Left, Step_Row_Top[2], Step_Button_Width, Step_Button_Height);

    I_Obrant->Hide();
    Btn_DALI_Access->Hide();
    Btn_SNMP_Manager_Access->Hide();
    for (const THiddenButton& hidden : Hidden_Buttons) (this->*hidden.Button)->Hide();

    for (int i = 0; i < 5; ++i) {
        steps[i]->SetLeft(16);
        steps[i]->SetTop(Step_Row_Top[i] + 16);
        steps[i]->Show();
    }
    // The unused rows below, should a later product show them.
    for (int i = 5; i < 8; ++i) {
        steps[i]->SetLeft(16);
        steps[i]->SetTop(Step_Row_Top[4] + 16 + 44 * (i - 4));
    }
    L_Zorvat->SetLeft(565);
    L_Zorvat->SetTop(L_Step_5->Top());
    L_Zorvat->Show();
    Btn_DALI_Access->SetBounds(Step_Button_Left, Step_Row_Top[2], Step_Button_Width, Step_Button_Height);
    Btn_DALI_Access->Show();
    Btn_SNMP_Manager_Access->SetBounds(Step_Button_Left, Step_Row_Top[3], Step_Button_Width, Step_Button_Height);
    Btn_SNMP_Manager_Access->Show();
    Btn_CreateBin->SetBounds(Step_Button_Left, Step_Row_Top[4], Step_Button_Width, Step_Button_Height);
    Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
    SetClientWidth(Main_Client_Width);
    SetClientHeight(Btn_CreateBin->Top() + 152);
}

// ---- Start-up and shut-down ---------------------------------------------------------

void TFQuillmereFirmWare::FormCreate(TObject*)
{
    Create_Text_Table();
    Lay_Out_Steps();
    Set_Program_Folders();
    Read_Setting(XML1);
    Set_Update_Timer_Rule();

    Main_Caption = Maker_Web_Host + Window_Title_Tail;
    Software_Code = Built_In_Software_Code;
    Software_Description = Built_In_Software_Description;
    SetCaption(Main_Caption);
    L_SW_Code->SetCaption(Software_Code);
    L_SW_Desc->SetCaption(Software_Description);

    Load_Language();

    // The last configuration is open again only while its folder is there.
    Open_Configuration(Project_Name);
    Show_Open_Configuration();

    Set_Lang();
    Set_Files();

    Update_Read_Back = true;
    Create_Shared_Lists();
}

void TFQuillmereFirmWare::FormShow(TObject*)
{
    Check_Enable_DMX_Def_Val();
}

void TFQuillmereFirmWare::FormClose(TObject*, TCloseAction&)
{
    // A settings file that cannot be written is said once, and the program
    // ends all the same: refusing to close would only repeat the error.
    try {
        Save_Setting(XML1);
    } catch (const Exception& e) {
        MessageDlg(e.Message(), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    }
}

// The check runs only while the user allows both the connection and the check.
void TFQuillmereFirmWare::Set_Update_Timer_Rule()
{
    Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
}

// ---- Texts ----------------------------------------------------------------------------

void TFQuillmereFirmWare::Set_Lang()
{
    L_Begin->SetCaption(Lang_Text(0));
    TLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
    for (int i = 0; i < 8; ++i) steps[i]->SetCaption(Lang_Text(i + 1));
    auto setTexts = [this](TButtonMember member, int caption, int hint) {
        TZvPushButton* button = this->*member;
        if (caption >= 0) button->SetCaption(Lang_Text(caption));
        if (hint >= 0) button->SetHint(Lang_Text(hint));
    };
    for (const TButtonTexts& texts : Button_Texts) setTexts(texts.Button, texts.Caption, texts.Hint);
    for (const TFormEntry& form : Program_Forms())
        if (form.Button) setTexts(form.Button, form.Caption, form.Hint);
    Show_Open_Configuration();
}

// Program_Forms says which windows re-read their texts, and in which order.
void TFQuillmereFirmWare::Change_Language()
{
    Set_Lang();
    Relabel_Forms();
}

// ---- The steps --------------------------------------------------------------------------

void TFQuillmereFirmWare::Btn_Click(TObject* Sender)
{
    if (Sender == Btn_New) return Create_New_Project();
    if (Sender == Btn_Open) return Open_Project();
    if (Sender == Btn_Close) return Close();
    const TFormEntry* step = Step_Of(*this, Sender);
    if (step && !step->Needs_Configuration) return Run_Step(*step);
    // A configuration whose folder went away while the program ran is not
    // open either: no step may write a new one from defaults in its place,
    // and the frame stops naming it.
    Show_Open_Configuration();
    if (!Open_Configuration_Exists()) {
        MessageDlg(Lang_Text(18), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return;
    }
    if (step) return Run_Step(*step);
    if (Sender == Btn_SNMP_MIB) return Create_MIB_File(SaveMIB);
    if (Sender == Btn_CANopen_EDS) return Build_EDS_File();
    if (Sender == Btn_CreateBin) return ::Update_Device();
}

// The editors ignore what their window answers: each saves its own file on its OK.
void TFQuillmereFirmWare::Run_Step(const TFormEntry& step)
{
    if (step.Action)
        (this->*step.Action)();
    else if (TCustomForm* form = step.Window())
        form->ShowModal();
}

void TFQuillmereFirmWare::Options_Step()
{
    if (!FSoftOptions || FSoftOptions->ShowModal() != mrOk) return;
    Save_Setting(XML1);
    // Enabling a running timer keeps its countdown: a minute before the
    // first check, two hours after it.
    Set_Update_Timer_Rule();
}

void TFQuillmereFirmWare::ParGen_Step()
{
    if (FParGen) FParGen->ShowModal();
    Check_Enable_DMX_Def_Val();
}

void TFQuillmereFirmWare::PROFINET_XML()
{
    if (!FProfinetFileName || FProfinetFileName->ShowModal() != mrOk) return;
    Create_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFQuillmereFirmWare::Build_EDS_File()
{
    SaveEDS->SetInitialDir(Project_Path);
    if (SaveEDS->Execute()) Write_EDS_File(SaveEDS->FileName());
}

void TFQuillmereFirmWare::Check_Enable_DMX_Def_Val() {}

int TFQuillmereFirmWare::Get_Type_BACnet()
{
    if (!FileExists(File_ParGen)) return 0;
    TXMLDocument document;
    try {
        document.LoadFromFile(File_ParGen);
    } catch (const Exception&) {
        return 0;
    }
    return StrToIntDef(document.DocumentElement().ChildNode(QStringLiteral("BACnet_Type")).Text(), 0);
}

// ---- The version check and the links ------------------------------------------------------

void TFQuillmereFirmWare::Timer_UpdateTimer(TObject*)
{
    // No tick may arrive while the query blocks.
    Timer_Update->SetEnabled(false);
    const bool newer = FSoftOptions && FSoftOptions->Check_Version();
    if (newer) {
        LL_Update->SetCaption(QStringLiteral("<a href=\"") + Download_Page_Url() + QStringLiteral("\">") +
                              Lang_Text(19) + QStringLiteral("</a>"));
        LL_Update->Show();
    } else {
        LL_Update->Hide();
    }
    Timer_Update->SetInterval(Update_Next_Interval);
    Timer_Update->SetEnabled(true);
}

void TFQuillmereFirmWare::LL_UpdateLinkClick(TObject*, const String& Link, TSysLinkType)
{
    OpenUrl(Link);
}

void TFQuillmereFirmWare::L_ZorvatClick(TObject*)
{
    OpenUrl(Home_Page_Url());
}

// ---- Configurations ----------------------------------------------------------------------

void TFQuillmereFirmWare::Open_Project()
{
    if (!FOpenConf || FOpenConf->ShowModal() != mrOk) return;
    // A name whose folder went away meanwhile (or none chosen at all) leaves
    // no configuration open rather than one that points nowhere.
    Open_Configuration(FOpenConf->Name_Conf);
    Show_Open_Configuration();
    Set_Files();
}

void TFQuillmereFirmWare::Create_New_Project()
{
    if (!FNew_Project || FNew_Project->ShowModal() != mrOk) return;
    Show_Open_Configuration();
}

void TFQuillmereFirmWare::Show_Open_Configuration()
{
    const bool open = Open_Configuration_Exists();
    if (L_Name_Conf) L_Name_Conf->SetCaption(Lang_Text(open ? 11 : 9));
    if (L_Name_Conf_L2) L_Name_Conf_L2->SetCaption(open ? Project_Name : Lang_Text(10));
    const String hint = open ? Project_Name : String();
    for (TControl* frame_part : {static_cast<TControl*>(Shape2), static_cast<TControl*>(L_Name_Conf),
                                 static_cast<TControl*>(L_Name_Conf_L2)})
        if (frame_part) frame_part->SetHint(hint);
}
