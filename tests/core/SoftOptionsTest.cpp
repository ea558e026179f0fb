// The Software Options dialog: language pages and flags, the language
// change on Yes, options kept only on OK, the check boxes' enabling rules
// and the version check against a server of the test's own on 127.0.0.1.
#include "core/USoftOptions.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"
#include "tests/common/LocalHttpServer.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"
#include "tests/common/TestSeams.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <optional>

namespace {

class SoftOptionsTest : public ProgramStateFixture {
protected:
    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Language_Path = Dir.Path() + QStringLiteral("/LANGUAGE");
        QDir().mkpath(Language_Path);
        Publish(Dialog, FSoftOptions);
    }
    void TearDown() override
    {
        Withdraw(Dialog, FSoftOptions);
        ProgramStateFixture::TearDown();
        Load_Default_Texts();
    }

    void Language(const String& fileName, const QByteArray& text = "STR 300 = x\n")
    {
        Dir.Write(QStringLiteral("LANGUAGE/") + fileName, text);
    }
    void Flag(const String& fileName, QColor color)
    {
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(Language_Path + u'/' + fileName, "BMP"));
    }
    // The dialog as its show prepares it.
    void Prepare() { Dialog->FormShow(Dialog.get()); }

    std::vector<String> Shown_Names() const
    {
        std::vector<String> names;
        for (TLabel* l : Dialog->L_L)
            if (l->Visible()) names.push_back(l->Caption());
        return names;
    }
    std::vector<int> Shown_Slots() const
    {
        std::vector<int> shown;
        for (int k = 0; k < 6; ++k)
            if (Dialog->L_L[std::size_t(k)]->Visible()) shown.push_back(k + 1);
        return shown;
    }

    TTestSeams Seams;
    TempFolder Dir;
    std::unique_ptr<TFSoftOptions> Dialog;
};

String Page_Text(int page, int pages) { return QStringLiteral("Page %1 / %2").arg(page).arg(pages); }

// ---- Layout and texts -------------------------------------------------------------------

TEST_F(SoftOptionsTest, CreationLaysOutTheDialogWithTheTableTexts)
{
    EXPECT_EQ(Dialog->ClientWidth(), 509);
    EXPECT_EQ(Dialog->ClientHeight(), 373);
    EXPECT_EQ(Dialog->Color(), TColor(0xEDF7F8));
    EXPECT_EQ(Dialog->Caption(), QStringLiteral("Software Options"));
    EXPECT_EQ(Dialog->L_SW_Code->Caption(), QStringLiteral("KS40219"));
    EXPECT_EQ(Dialog->L_SW_Desc->Caption(), QStringLiteral("Software Options"));
    EXPECT_EQ(Dialog->Title_Panel->Height(), 69);
    EXPECT_EQ(Dialog->Button_Panel->Height(), 40);
    EXPECT_EQ(Dialog->Btn_OK->Left(), 16);
    EXPECT_EQ(Dialog->Btn_Cancel->Left(), 134);
    EXPECT_EQ(Dialog->Btn_Cancel->ModalResult(), mrCancel);

    struct TText {
        TControl* Control;
        const char* Text;
    };
    const TText texts[] = {
        {Dialog->TS_Language, "Language"},
        {Dialog->TS_Con_Options, "Connection Options"},
        {Dialog->TS_Soft_Settings, "Software Settings"},
        {Dialog->L_Sel_Lang, "Selected Language : "},
        {Dialog->L_Page_Lang, "Page 1 / 1"},
        {Dialog->Btn_Prev, "Previous"},
        {Dialog->Btn_Next, "Next"},
        {Dialog->CB_En_Con, "Enable Internet Connection"},
        {Dialog->CB_Update, "Check Software Update at Start of Program"},
        {Dialog->Btn_Check_Update, "Check Available Update"},
        {Dialog->CB_Soft_Set_Jump_Table, "Jump into next field in the tables by pressing the Enter Key"},
        {Dialog->CB_DoubleClick_Auto_Size, "Enable Auto Size of Table Columns by Double Click"},
        {Dialog->Btn_OK, "OK"},
        {Dialog->Btn_Cancel, "Cancel"},
    };
    for (const TText& t : texts) EXPECT_EQ(t.Control->Caption(), QString::fromUtf8(t.Text));

    struct TPlace {
        TControl* Control;
        int Left, Top;
        TWinControl* Parent;
    };
    const TPlace places[] = {
        {Dialog->L_Sel_Lang, 12, 11, Dialog->TS_Language},   {Dialog->I_L[0], 24, 40, Dialog->TS_Language},
        {Dialog->I_L[1], 26, 94, Dialog->TS_Language},       {Dialog->I_L[5], 254, 148, Dialog->TS_Language},
        {Dialog->L_L[0], 80, 56, Dialog->TS_Language},       {Dialog->L_L[5], 310, 164, Dialog->TS_Language},
        {Dialog->L_Page_Lang, 220, 212, Dialog->TS_Language}, {Dialog->Btn_Prev, 12, 204, Dialog->TS_Language},
        {Dialog->Btn_Next, 379, 205, Dialog->TS_Language},   {Dialog->CB_En_Con, 12, 16, Dialog->TS_Con_Options},
        {Dialog->CB_Update, 36, 47, Dialog->TS_Con_Options}, {Dialog->Btn_Check_Update, 36, 78, Dialog->TS_Con_Options},
        {Dialog->LL_Check_Update, 40, 120, Dialog->TS_Con_Options},
        {Dialog->CB_Soft_Set_Jump_Table, 12, 16, Dialog->TS_Soft_Settings},
        {Dialog->CB_DoubleClick_Auto_Size, 12, 39, Dialog->TS_Soft_Settings},
    };
    for (const TPlace& p : places) {
        SCOPED_TRACE(p.Control->ClassName().toStdString() + " at " + std::to_string(p.Left));
        EXPECT_EQ(p.Control->Left(), p.Left);
        EXPECT_EQ(p.Control->Top(), p.Top);
        EXPECT_EQ(p.Control->Parent(), p.Parent);
    }
    EXPECT_EQ(Dialog->I_L[0]->Width(), 48);
    EXPECT_EQ(Dialog->Btn_Check_Update->Width(), 204);
    EXPECT_EQ(Dialog->Btn_Check_Update->Height(), 28);
    EXPECT_EQ(Dialog->Btn_Next->Layout(), TZvPushButtonLayout::blGlyphRight);
}

TEST_F(SoftOptionsTest, SetLangFollowsTheTextTable)
{
    Language(QStringLiteral("Italiano.lng"),
             "STR 300 = Opzioni\nSTR 302 = Lingua\nSTR 305 = Pagina \nSTR 306 = \xC2\xB6 di \xC2\xB6\n"
             "STR 312 = Va bene\nSTR 321 = Auto\n");
    Language_Name = QStringLiteral("Italiano");
    Load_Language();
    Dialog->Set_Lang();
    EXPECT_EQ(Dialog->Caption(), QStringLiteral("Opzioni"));
    EXPECT_EQ(Dialog->TS_Language->Caption(), QStringLiteral("Lingua"));
    EXPECT_EQ(Dialog->L_Page_Lang->Caption(), QStringLiteral("Pagina1 di 1"));
    EXPECT_EQ(Dialog->Btn_OK->Caption(), QStringLiteral("Va bene"));
    EXPECT_EQ(Dialog->CB_DoubleClick_Auto_Size->Caption(), QStringLiteral("Auto"));
    EXPECT_EQ(Dialog->Btn_Cancel->Caption(), QStringLiteral("Cancel"));
}

// ---- Language list and pages -------------------------------------------------------------

TEST_F(SoftOptionsTest, ListTakesWritableLngFilesSortedIgnoringCase)
{
    for (const char* name : {"zulu.lng", "Alpha.lng", "beta.LNG", "Gamma.lng"}) Language(QString::fromUtf8(name));
    Language(QStringLiteral("notes.txt"));
    Language(QStringLiteral("Old.lng.bak"));
    QDir().mkpath(Language_Path + QStringLiteral("/Folder.lng"));
    Language(QStringLiteral("Locked.lng"));
    QFile::setPermissions(Language_Path + QStringLiteral("/Locked.lng"), QFileDevice::ReadOwner);

    Prepare();
    ASSERT_EQ(Dialog->SL_Languages->Count(), 4);
    EXPECT_EQ(Dialog->SL_Languages->ToQStringList(),
              QStringList({"Alpha.lng", "beta.LNG", "Gamma.lng", "zulu.lng"}));
    EXPECT_EQ(Shown_Names(), (std::vector<String>{"Alpha", "beta", "Gamma", "zulu"}));
}

TEST_F(SoftOptionsTest, PagesShowSixLanguagesEach)
{
    struct TCase {
        int Files;
        int Page;           // reached with Next from page 1
        String PageText;
        bool Prev, Next;
        std::vector<int> Slots;
    };
    const TCase cases[] = {
        {0, 1, Page_Text(1, 0), false, true, {}},
        {1, 1, Page_Text(1, 1), false, false, {1}},
        {6, 1, Page_Text(1, 1), false, false, {1, 2, 3, 4, 5, 6}},
        {7, 1, Page_Text(1, 2), false, true, {1, 2, 3, 4, 5, 6}},
        {7, 2, Page_Text(2, 2), true, false, {1}},
        {13, 2, Page_Text(2, 3), true, true, {1, 2, 3, 4, 5, 6}},
        {13, 3, Page_Text(3, 3), true, false, {1}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Files) + " files, page " + std::to_string(c.Page));
        QDir(Language_Path).removeRecursively();
        QDir().mkpath(Language_Path);
        for (int i = 0; i < c.Files; ++i) Language(QStringLiteral("L%1.lng").arg(i, 2, 10, QChar(u'0')));
        Prepare();
        for (int p = 1; p < c.Page; ++p) Dialog->Btn_Next->Click();
        EXPECT_EQ(Dialog->Show_Page, c.Page);
        EXPECT_EQ(Dialog->L_Page_Lang->Caption(), c.PageText);
        EXPECT_EQ(Dialog->Btn_Prev->Visible(), c.Prev);
        EXPECT_EQ(Dialog->Btn_Next->Visible(), c.Next);
        EXPECT_EQ(Shown_Slots(), c.Slots);
        for (int k : c.Slots)
            EXPECT_EQ(Dialog->L_L[std::size_t(k - 1)]->Caption(), QStringLiteral("L%1").arg((c.Page - 1) * 6 + k - 1, 2, 10, QChar(u'0')));
    }
}

TEST_F(SoftOptionsTest, TurningPagesStopsAtBothEnds)
{
    for (int i = 0; i < 7; ++i) Language(QStringLiteral("L%1.lng").arg(i));
    Prepare();
    Dialog->Btn_Prev->Click();
    EXPECT_EQ(Dialog->Show_Page, 1);
    Dialog->Btn_Next->Click();
    Dialog->Btn_Next->Click();
    EXPECT_EQ(Dialog->Show_Page, 2);
    Dialog->Btn_Prev->Click();
    EXPECT_EQ(Dialog->Show_Page, 1);
    EXPECT_EQ(Shown_Slots().size(), 6u);

    // A new show starts again on page 1 of the Language tab.
    Dialog->Btn_Next->Click();
    Dialog->PC_Options->SetActivePage(Dialog->TS_Soft_Settings);
    Prepare();
    EXPECT_EQ(Dialog->Show_Page, 1);
    EXPECT_EQ(Dialog->PC_Options->ActivePage(), Dialog->TS_Language);
}

TEST_F(SoftOptionsTest, NoLanguageFilesLeavesNextVisibleAndIdle)
{
    QDir(Language_Path).removeRecursively();   // even without the folder
    Prepare();
    EXPECT_EQ(Dialog->L_Page_Lang->Caption(), Page_Text(1, 0));
    Dialog->Btn_Next->Click();
    EXPECT_EQ(Dialog->Show_Page, 1);
    EXPECT_TRUE(Shown_Slots().empty());
    for (TImage* flag : Dialog->I_L) EXPECT_FALSE(flag->Visible());
}

TEST_F(SoftOptionsTest, FlagIsTheLanguagesOwnThenTheDefaultThenNone)
{
    const QColor own(200, 0, 0), fallback(0, 160, 0);
    struct TCase {
        const char* Name;
        const char* OwnFile;       // nullptr: none
        bool OwnBroken;
        bool Default;
        std::optional<QColor> Shown;
    };
    const TCase cases[] = {
        {"own flag", "Deutsch.bmp", false, true, own},
        {"own flag in other case", "DEUTSCH.BMP", false, false, own},
        {"default flag", nullptr, false, true, fallback},
        {"broken own flag", "Deutsch.bmp", true, true, fallback},
        {"no flag at all", nullptr, false, false, std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QDir(Language_Path).removeRecursively();
        QDir().mkpath(Language_Path);
        Language(QStringLiteral("Deutsch.lng"));
        if (c.OwnFile && c.OwnBroken) Dir.Write(QStringLiteral("LANGUAGE/") + QString::fromUtf8(c.OwnFile), "BMnope");
        else if (c.OwnFile) Flag(QString::fromUtf8(c.OwnFile), own);
        if (c.Default) Flag(QStringLiteral("DefaultFlag.bmp"), fallback);
        Prepare();
        EXPECT_TRUE(Dialog->L_L[0]->Visible());
        EXPECT_EQ(Dialog->I_L[0]->Visible(), c.Shown.has_value());
        if (c.Shown) {
            EXPECT_EQ(Dialog->I_L[0]->Picture()->Image().pixelColor(3, 3), *c.Shown);
        }
    }
}

// ---- Changing the language -------------------------------------------------------------

TEST_F(SoftOptionsTest, NoToTheLanguageQuestionChangesNothing)
{
    Language(QStringLiteral("Italiano.lng"), "STR 300 = Opzioni\n");
    Prepare();
    Seams.AnswerBox(IDNO);
    Dialog->LangClick(Dialog->I_L[0]);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, QStringLiteral("Do you want to change the Language from English to Italiano?"));
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Question);
    EXPECT_EQ(Seams.Boxes[0].Buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(Dialog->Language_In_Use, QStringLiteral("English"));
    EXPECT_EQ(Lang_Text(300), QStringLiteral("Software Options"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
}

TEST_F(SoftOptionsTest, YesLoadsTheLanguageAtOnceButTheSettingWaitsForOk)
{
    Language(QStringLiteral("Italiano.lng"), "STR 300 = Opzioni\nSTR 304 = \xC2\xB6Lingua scelta : \xC2\xB6\n");
    Language(QStringLiteral("English.lng"), "STR 300 = Options (file)\n");
    Prepare();
    Seams.AnswerBox(IDYES);
    Dialog->LangClick(Dialog->L_L[1]);   // sorted: English, Italiano
    EXPECT_EQ(Dialog->Language_In_Use, QStringLiteral("Italiano"));
    EXPECT_EQ(Lang_Text(300), QStringLiteral("Opzioni"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(Dialog->L_Sel_Lang->Caption(), QStringLiteral("Lingua scelta : Italiano"));

    // The question now names the language in use, in the new language's texts.
    Seams.AnswerBox(IDNO);
    Dialog->LangClick(Dialog->L_L[0]);
    ASSERT_EQ(Seams.Boxes.size(), 2u);
    EXPECT_EQ(Seams.Boxes[1].Text, QStringLiteral("Do you want to change the Language from Italiano to English?"));

    Dialog->Btn_OKClick(Dialog->Btn_OK);
    EXPECT_EQ(Language_Name, QStringLiteral("Italiano"));
}

TEST_F(SoftOptionsTest, ChosenLanguageWhoseFileVanishedFallsBackToEnglishTexts)
{
    Language(QStringLiteral("Gone.lng"), "STR 300 = Weg\n");
    Prepare();
    QFile::remove(Language_Path + QStringLiteral("/Gone.lng"));
    Seams.AnswerBox(IDYES);
    Dialog->LangClick(Dialog->I_L[0]);
    EXPECT_EQ(Lang_Text(300), QStringLiteral("Software Options"));
    EXPECT_EQ(Dialog->Language_In_Use, QStringLiteral("Gone"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
}

TEST_F(SoftOptionsTest, ClickOutsideTheShownLanguagesAsksNothing)
{
    Language(QStringLiteral("Only.lng"));
    Prepare();
    Dialog->LangClick(Dialog->L_L[3]);
    Dialog->LangClick(Dialog->Btn_Next);
    EXPECT_TRUE(Seams.Boxes.empty());
}

// ---- Options --------------------------------------------------------------------------------

TEST_F(SoftOptionsTest, ConnectionBoxesEnableEachOther)
{
    struct TCase {
        bool Internet, Update;
        bool UpdateEnabled, CheckEnabled;
    };
    const TCase cases[] = {
        {false, false, false, false},
        {false, true, false, false},
        {true, false, true, false},
        {true, true, true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Internet) + std::to_string(c.Update));
        Enable_Internet = c.Internet;
        Enable_Update = c.Update;
        Prepare();
        EXPECT_EQ(Dialog->CB_En_Con->Checked(), c.Internet);
        EXPECT_EQ(Dialog->CB_Update->Checked(), c.Update);
        EXPECT_EQ(Dialog->CB_Update->Enabled(), c.UpdateEnabled);
        EXPECT_EQ(Dialog->Btn_Check_Update->Enabled(), c.CheckEnabled);
    }
    // Ticking by hand follows the same rules.
    Dialog->CB_En_Con->SetChecked(false);
    EXPECT_FALSE(Dialog->CB_Update->Enabled());
    EXPECT_FALSE(Dialog->Btn_Check_Update->Enabled());
    Dialog->CB_En_Con->SetChecked(true);
    EXPECT_TRUE(Dialog->Btn_Check_Update->Enabled());
    Dialog->CB_Update->SetChecked(false);
    EXPECT_FALSE(Dialog->Btn_Check_Update->Enabled());
}

TEST_F(SoftOptionsTest, OkKeepsTheOptionsCancelDropsThem)
{
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        Enable_Internet = true;
        Enable_Update = false;
        Enable_Jump_Field_Tables = true;
        Double_Click_Auto_Size = false;
        Seams.AnswerModal(
            [&](TCustomForm&) {
                EXPECT_TRUE(Dialog->CB_En_Con->Checked());   // loaded by the show
                Dialog->CB_En_Con->SetChecked(false);        // CB_Update is disabled now, still kept
                Dialog->CB_Update->SetChecked(true);
                Dialog->CB_Soft_Set_Jump_Table->SetChecked(false);
                Dialog->CB_DoubleClick_Auto_Size->SetChecked(true);
                (ok ? Dialog->Btn_OK : Dialog->Btn_Cancel)->Click();
            },
            mrNone);
        EXPECT_EQ(Dialog->ShowModal(), ok ? mrOk : mrCancel);
        EXPECT_EQ(Enable_Internet, !ok);
        EXPECT_EQ(Enable_Update, ok);
        EXPECT_EQ(Enable_Jump_Field_Tables, !ok);
        EXPECT_EQ(Double_Click_Auto_Size, ok);
    }
}

TEST_F(SoftOptionsTest, YesThenCancelKeepsTheOldLanguageSetting)
{
    Language(QStringLiteral("Italiano.lng"), "STR 300 = Opzioni\n");
    Seams.AnswerBox(IDYES);
    Seams.AnswerModal(
        [&](TCustomForm&) {
            Dialog->LangClick(Dialog->I_L[0]);
            Dialog->Btn_Cancel->Click();
        },
        mrNone);
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(Lang_Text(300), QStringLiteral("Opzioni"));   // the screen stays in the new language
}

// ---- Version check -----------------------------------------------------------------------

TEST_F(SoftOptionsTest, ConvVersionReadsTheDigitsAroundThePoint)
{
    struct TCase {
        const char* Text;
        int Version;
    };
    const TCase cases[] = {
        {"VER. 1.234", 1234}, {"1.000", 1000},    {"VER.   2.001  ", 2001}, {"VER. 2.0", -1},
        {"", -1},             {"VER. a.bcd", -1}, {"X 9x876", 9876},       {"VER. 1.0005", 1000},
    };
    for (const TCase& c : cases) EXPECT_EQ(TFSoftOptions::Conv_Version(QString::fromUtf8(c.Text)), c.Version) << c.Text;
}

TEST_F(SoftOptionsTest, CheckVersionAsksTheMakersServerAndJudgesTheAnswer)
{
    struct TCase {
        const char* Name;
        std::optional<QByteArray> Answer;   // none: the server never answers
        bool Newer;
    };
    const TCase cases[] = {
        {"newer", TLocalHttpServer::Ok("VER. 1.001"), true},
        {"newer, with blanks and line end", TLocalHttpServer::Ok("  VER. 2.500\r\n"), true},
        {"equal", TLocalHttpServer::Ok("VER. 1.000"), false},
        {"lower case, equal", TLocalHttpServer::Ok("ver. 1.000"), false},
        {"lower case, newer", TLocalHttpServer::Ok("ver. 1.100"), true},
        {"older", TLocalHttpServer::Ok("VER. 0.999"), false},
        {"server knows no version", TLocalHttpServer::Ok("VER. 0.000"), false},
        {"too short", TLocalHttpServer::Ok("VER. 2.0"), false},
        {"malformed", TLocalHttpServer::Ok("VER. two"), false},
        {"empty", TLocalHttpServer::Ok(""), false},
        {"page not found", TLocalHttpServer::Status(404, "Not Found", "VER. 9.999"), false},
        {"never answers", std::nullopt, false},
    };
    Dialog->Version_Client().TimeoutMs = 300;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLocalHttpServer server(c.Answer.value_or(QByteArray()),
                                c.Answer ? TLocalHttpServer::TMode::Answer : TLocalHttpServer::TMode::NeverAnswer);
        Seams.RedirectHttpTo(server.Base());
        EXPECT_EQ(Dialog->Check_Version(), c.Newer);
        ASSERT_EQ(server.Requests().size(), 1u);
        const QByteArray head = server.Requests()[0];
        EXPECT_TRUE(head.startsWith("GET /home/download/GetversionSW.asp?nomesw=KS40219 HTTP/1.0\r\n"));
        EXPECT_TRUE(head.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
        EXPECT_TRUE(head.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)"));
    }
    // Nothing listening at all.
    Seams.RedirectHttpTo(QStringLiteral("http://127.0.0.1:%1").arg(TLocalHttpServer::ClosedPort()));
    EXPECT_FALSE(Dialog->Check_Version());
}

TEST_F(SoftOptionsTest, CheckButtonShowsTheLinkOrNoUpdate)
{
    TLocalHttpServer newer(TLocalHttpServer::Ok("VER. 1.001"));
    Seams.RedirectHttpTo(newer.Base());
    Enable_Internet = true;
    Enable_Update = true;
    Prepare();
    EXPECT_FALSE(Dialog->LL_Check_Update->Visible());
    Dialog->Btn_Check_Update->Click();
    EXPECT_TRUE(Dialog->LL_Check_Update->Visible());
    const String download = QStringLiteral("http://www.zorvat.example/Home/download/download.asp#KH40219");
    EXPECT_EQ(Dialog->LL_Check_Update->Caption(),
              QStringLiteral("<a href=\"") + download + QStringLiteral("\">New Version Available. Click Here for more Details</a>"));
    Dialog->LL_Check_UpdateLinkClick(Dialog->LL_Check_Update, download);
    EXPECT_EQ(Seams.OpenedUrls, (std::vector<String>{download}));

    TLocalHttpServer same(TLocalHttpServer::Ok("VER. 1.000"));
    Seams.RedirectHttpTo(same.Base());
    Dialog->Btn_Check_Update->Click();
    EXPECT_EQ(Dialog->LL_Check_Update->Caption(), QStringLiteral("No Update Available"));

    // The next show hides the result again.
    Prepare();
    EXPECT_FALSE(Dialog->LL_Check_Update->Visible());
}

// ---- What the dialog is handed --------------------------------------------------------------

TEST_F(SoftOptionsTest, WorksThroughWhatItIsHanded)
{
    TForm owner(nullptr);
    auto* client = new THTTPClient(&owner);
    auto* timer = new TTimer(&owner);
    int language_changes = 0;
    Dialog->HTTP_Client = client;
    Dialog->Update_Timer = timer;
    Dialog->On_Language_Change = [&] {
        ++language_changes;
        Dialog->Set_Lang();
    };

    // The query goes through the client handed over.
    TLocalHttpServer server(TLocalHttpServer::Ok("VER. 1.001"));
    Seams.RedirectHttpTo(server.Base());
    EXPECT_TRUE(Dialog->Check_Version());
    EXPECT_EQ(&Dialog->Version_Client(), client);
    EXPECT_TRUE(client->LastUrl().startsWith(server.Base()));

    // Yes has the windows re-read their texts, once.
    Language(QStringLiteral("Italiano.lng"), "STR 300 = Opzioni\nSTR 312 = Va bene\n");
    Prepare();
    Seams.AnswerBox(IDYES);
    Dialog->LangClick(Dialog->L_L[0]);
    EXPECT_EQ(language_changes, 1);
    EXPECT_EQ(Dialog->Caption(), QStringLiteral("Opzioni"));
    EXPECT_EQ(Dialog->Btn_OK->Caption(), QStringLiteral("Va bene"));

    // OK arms the update timer only with both internet options on.
    struct TCase {
        bool Internet, Update, Timer;
    };
    for (const TCase& c : {TCase{true, true, true}, TCase{true, false, false}, TCase{false, true, false}}) {
        Enable_Internet = c.Internet;
        Enable_Update = c.Update;
        timer->SetEnabled(!c.Timer);
        Prepare();
        Dialog->Btn_OKClick(Dialog->Btn_OK);
        EXPECT_EQ(timer->Enabled(), c.Timer);
    }
    Dialog->HTTP_Client = nullptr;
    Dialog->Update_Timer = nullptr;
    Dialog->On_Language_Change = nullptr;
}

// ---- What a user sees ---------------------------------------------------------------------

TEST_F(SoftOptionsTest, Screenshots)
{
    for (const char* name : {"English", "Deutsch", "Italiano", "Francais", "Espanol", "Nederlands", "Polski"})
        Language(QString::fromUtf8(name) + QStringLiteral(".lng"));
    Flag(QStringLiteral("Deutsch.bmp"), QColor(255, 204, 0));
    Flag(QStringLiteral("DefaultFlag.bmp"), QColor(180, 190, 200));
    Enable_Internet = true;
    Enable_Update = true;
    Prepare();
    const String folder = ScreenshotFolder();
    auto Check_And_Save = [&](const char* name) {
        const QImage image = Dialog->PaintToImage();
        EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, image.rect())) << name;
        EXPECT_TRUE(image.save(folder + QString::fromLatin1(name)));
    };
    Check_And_Save("/soft-options-language.png");
    TLocalHttpServer newer(TLocalHttpServer::Ok("VER. 1.001"));
    Seams.RedirectHttpTo(newer.Base());
    Dialog->PC_Options->SetActivePage(Dialog->TS_Con_Options);
    Dialog->Btn_Check_Update->Click();
    Check_And_Save("/soft-options-connection.png");
    Dialog->PC_Options->SetActivePage(Dialog->TS_Soft_Settings);
    Check_And_Save("/soft-options-settings.png");
}

} // namespace
