#include "tests/app/ConfigStoreFixture.h"

#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestSeams.h"

#include <QFile>
#include <QImage>

#include <functional>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace {

String Q(const char* utf8) { return QString::fromUtf8(utf8); }
TPoint At(const TControl* c) { return {c->Left(), c->Top()}; }

using NewDialog = ConfigStoreFixture;
using OpenDialog = ConfigStoreFixture;

// The shared frame: colour, the two panels, the title labels and the buttons.
void Expect_Dialog_Frame(const TDialogFrame& frame, int okLeft, int cancelLeft)
{
    EXPECT_EQ(frame.Title_Panel->Height(), 69);
    EXPECT_EQ(frame.Title_Panel->Align(), TAlign::alTop);
    EXPECT_EQ(frame.Button_Panel->Height(), 40);
    EXPECT_EQ(frame.Button_Panel->Align(), TAlign::alBottom);
    EXPECT_EQ(frame.L_SW_Code->Caption(), Q("KS40219"));
    EXPECT_EQ(At(frame.L_SW_Code), TPoint(16, 8));
    EXPECT_EQ(frame.L_SW_Code->Font()->Height(), -32);
    EXPECT_EQ(frame.L_SW_Code->Font()->Color(), clGray);
    EXPECT_EQ(At(frame.L_SW_Desc), TPoint(16, 42));
    EXPECT_TRUE(frame.L_SW_Desc->Font()->Style().Contains(TFontStyle::fsBold));
    for (TZvPushButton* b : {frame.Btn_OK, frame.Btn_Cancel}) {
        EXPECT_EQ(b->Parent(), frame.Button_Panel);
        EXPECT_EQ(b->Width(), 110);
        EXPECT_EQ(b->Height(), 28);
        EXPECT_EQ(b->Top(), 6);
        EXPECT_EQ(b->Style(), TZvPushButtonStyle::bsEncarta);
    }
    EXPECT_EQ(frame.Btn_OK->Left(), okLeft);
    EXPECT_EQ(frame.Btn_Cancel->Left(), cancelLeft);
    EXPECT_EQ(frame.Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_FALSE(frame.Btn_Cancel->Cancel());   // Escape does not close these dialogs
}

TDialogFrame Frame_Of(const TFNew_Project& d)
{
    return {d.Title_Panel, d.L_SW_Code, d.L_SW_Desc, d.Button_Panel, d.Btn_OK, d.Btn_Cancel};
}
TDialogFrame Frame_Of(const TFOpenConf& d)
{
    return {d.Title_Panel, d.L_SW_Code, d.L_SW_Desc, d.Button_Panel, d.Btn_OK, d.Btn_Cancel};
}

void Save_Screenshot(TForm* form, const char* name)
{
    const QImage image = form->PaintToImage();
    ASSERT_FALSE(image.isNull());
    // The software code stands large in the title panel.
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, image.width(), 69))) << name;
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), Q(name))));
}

// ---- New Configuration -------------------------------------------------------------

TEST_F(NewDialog, LayoutAndTexts)
{
    TFNew_Project& d = *NewProject;
    EXPECT_EQ(d.ClientWidth(), 331);
    EXPECT_EQ(d.ClientHeight(), 162);
    EXPECT_EQ(d.Color(), TColor(0xEDF7F8));
    EXPECT_EQ(d.BorderStyle(), TFormBorderStyle::bsSingle);
    EXPECT_EQ(d.BorderIcons(), TBorderIcons{TBorderIcon::biSystemMenu});
    EXPECT_EQ(d.Position(), TPosition::poScreenCenter);
    Expect_Dialog_Frame(Frame_Of(d), 85, 203);
    EXPECT_EQ(d.Btn_OK->ModalResult(), mrNone);   // OK closes only after its checks
    EXPECT_EQ(At(d.Label1), TPoint(16, 70));
    EXPECT_EQ(At(d.E_New_Proj), TPoint(16, 94));
    EXPECT_EQ(d.E_New_Proj->Width(), 297);

    const struct {
        String actual;
        int slot;
    } texts[] = {{d.Caption(), 100},           {d.L_SW_Desc->Caption(), 101},  {d.Label1->Caption(), 102},
                 {d.Btn_OK->Caption(), 103},   {d.Btn_Cancel->Caption(), 104}, {d.E_New_Proj->Hint(), 108},
                 {d.Btn_OK->Hint(), 109},      {d.Btn_Cancel->Hint(), 110}};
    for (const auto& t : texts) EXPECT_EQ(t.actual, Lang_Text(t.slot)) << t.slot;
    EXPECT_EQ(d.Caption(), Q("Create New Configuration"));

    // A language change reaches every text.
    for (int slot : {100, 101, 102, 103, 104, 108, 109, 110}) Lang_Strings.SetStrings(slot, Q("T") + IntToStr(slot));
    d.Set_Lang();
    EXPECT_EQ(d.Caption(), Q("T100"));
    EXPECT_EQ(d.Label1->Caption(), Q("T102"));
    EXPECT_EQ(d.Btn_Cancel->Caption(), Q("T104"));
    EXPECT_EQ(d.E_New_Proj->Hint(), Q("T108"));
    EXPECT_EQ(d.Btn_Cancel->Hint(), Q("T110"));
}

struct TNameCase {
    const char* Name;
    int Slot;   // the message, 0 when the name is taken
};
void PrintTo(const TNameCase& c, std::ostream* os)
{
    // The over-long name would drown the line: its start and length say enough.
    const std::string name(c.Name);
    if (name.size() > 40)
        *os << ::testing::PrintToString(name.substr(0, 40)) << "... (" << name.size() << " bytes)";
    else
        *os << ::testing::PrintToString(name);
    *os << " -> " << c.Slot;
}

// Longer than any file system lets one name be.
const std::string Long_Name(300, 'x');

class NewDialogNames : public ConfigStoreFixture, public ::testing::WithParamInterface<TNameCase> {};

TEST_P(NewDialogNames, RefusedOrCreated)
{
    Make_Configuration(Q("Plant A"));
    Dir.Write(QStringLiteral("PROJECTS/notes"), "a file, not a configuration");
    const std::vector<String> before = Projects_Entries();
    const String name = Q(GetParam().Name);

    TFNew_Project& d = *NewProject;
    d.E_New_Proj->SetText(name);
    d.Btn_OK->Click();

    if (GetParam().Slot != 0) {
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(GetParam().Slot));
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(Seams.Boxes[0].Buttons, std::vector<int>{IDOK});
        EXPECT_EQ(d.ModalResult(), mrNone);   // the dialog stays open for a correction
        EXPECT_EQ(Projects_Entries(), before);
        EXPECT_TRUE(Project_Path.isEmpty());
        EXPECT_TRUE(File_ParGen.isEmpty());
        return;
    }
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(d.ModalResult(), mrOk);
    EXPECT_TRUE(DirectoryExists(Configuration(name)));
    EXPECT_TRUE(DirectoryExists(Configuration(name + Q("/bin"))));
    EXPECT_EQ(Project_Name, name);
    EXPECT_EQ(Project_Path, Configuration(name));
    EXPECT_EQ(File_ParGen, Configuration(name + Q("/ParGen.xml")));
    EXPECT_EQ(File_SNMP_Manager, Configuration(name + Q("/SNMP_Manager.xml")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewDialogNames,
    ::testing::Values(
        // Good names; a leading blank belongs to the name.
        TNameCase{"Plant B", 0}, TNameCase{" lead", 0}, TNameCase{"a.b", 0}, TNameCase{".hidden", 0},
        TNameCase{"CONSOLE", 0}, TNameCase{"COM10", 0}, TNameCase{"LPT0", 0}, TNameCase{"Caf\xC3\xA9", 0},
        TNameCase{"nul_x", 0},
        // Empty.
        TNameCase{"", 107},
        // Taken, in any letter case.
        TNameCase{"Plant A", 106}, TNameCase{"plant a", 106}, TNameCase{"PLANT A", 106},
        // A file of that name: the folder cannot be made.
        TNameCase{"NOTES", 105},
        TNameCase{Long_Name.c_str(), 105},
        // Paths and characters no file name may hold.
        TNameCase{"a/b", 105}, TNameCase{"a\\b", 105}, TNameCase{"../x", 105}, TNameCase{"/abs", 105},
        TNameCase{"a:b", 105}, TNameCase{"a<b", 105}, TNameCase{"a>b", 105}, TNameCase{"a\"b", 105},
        TNameCase{"a|b", 105}, TNameCase{"a?b", 105}, TNameCase{"a*b", 105}, TNameCase{"tab\there", 105},
        TNameCase{"x\x1f", 105},
        // Trailing dot or blank, "." and "..".
        TNameCase{"name.", 105}, TNameCase{"name ", 105}, TNameCase{" ", 105}, TNameCase{".", 105},
        TNameCase{"..", 105},
        // Device names, with or without extension, in any case.
        TNameCase{"CON", 105}, TNameCase{"con", 105}, TNameCase{"Prn", 105}, TNameCase{"aux", 105},
        TNameCase{"NUL", 105}, TNameCase{"COM1", 105}, TNameCase{"com9", 105}, TNameCase{"LPT1", 105},
        TNameCase{"lpt9", 105}, TNameCase{"CON.txt", 105}, TNameCase{"nul.tar.gz", 105},
        TNameCase{"CON .txt", 105}, TNameCase{"COM\xC2\xB9", 105},
        // Noncharacters: no settings or updater file could hold U+FFFE or U+FFFF.
        TNameCase{"A\xEF\xBF\xBE", 105}, TNameCase{"A\xEF\xBF\xBF", 105}, TNameCase{"A\xEF\xB7\x90", 105},
        TNameCase{"A\xEF\xB7\xAF", 105}, TNameCase{"A\xF0\x9F\xBF\xBF", 105}, TNameCase{"A\xF4\x8F\xBF\xBE", 105},
        // Their neighbours are letters like any other.
        TNameCase{"A\xEF\xB7\x8F", 0}, TNameCase{"A\xEF\xBF\xBD", 0}, TNameCase{"Pump\xF0\x9F\x98\x80", 0}),
    [](const ::testing::TestParamInfo<TNameCase>& info) { return "case" + std::to_string(info.index); });

TEST(ConfigurationName, HalvesOfSurrogatePairsStandingAloneAreRefused)
{
    const QChar high(char16_t(0xD83D)), low(char16_t(0xDE00));
    EXPECT_TRUE(Is_Valid_Configuration_Name(Q("Pump") + high + low));
    for (const String& name : {Q("Pump") + high, String(low) + Q("Pump"), Q("P") + low + high + Q("ump")})
        EXPECT_FALSE(Is_Valid_Configuration_Name(name)) << name.toStdString();
}

// Root writes into a read-only folder; while alive, the process runs as an
// ordinary user instead, as the program's users do.
class TAsOrdinaryUser {
public:
    TAsOrdinaryUser() { FSwitched = ::geteuid() == 0 && ::seteuid(65534) == 0; }
    ~TAsOrdinaryUser()
    {
        if (FSwitched) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    bool Ordinary() const { return ::geteuid() != 0; }

private:
    bool FSwitched = false;
};

// A good name whose folder cannot be made because of PROJECTS itself is not
// called invalid: the message names the folder and the system's reason.
TEST_F(NewDialog, AFolderThatCannotBeMadeIsNotBlamedOnTheName)
{
    const struct {
        const char* What;
        std::function<void(const String& projects)> Break;
        std::errc Reason;
    } cases[] = {
        {"read-only PROJECTS",
         [](const String& projects) {
             ASSERT_TRUE(QFile::setPermissions(projects, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                             QFileDevice::ReadOther | QFileDevice::ExeOther));
         },
         std::errc::permission_denied},
        {"PROJECTS gone", [](const String& projects) { ASSERT_TRUE(QDir(projects).removeRecursively()); },
         std::errc::no_such_file_or_directory},
        {"a file named PROJECTS",
         [this](const String& projects) {
             ASSERT_TRUE(QDir(projects).removeRecursively());
             Dir.Write(QStringLiteral("PROJECTS"), "not a folder");
         },
         std::errc::not_a_directory},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Seams.Boxes.clear();
        c.Break(Projects());
        TFNew_Project& d = *NewProject;
        d.E_New_Proj->SetText(Q("Plant B"));
        bool clicked = false;
        if (c.Reason != std::errc::permission_denied) {
            d.Btn_OK->Click();
            clicked = true;
        } else {
            // The way down to PROJECTS stays open to everyone; only PROJECTS refuses.
            ASSERT_TRUE(QFile::setPermissions(Dir.Path(), QFile::permissions(Dir.Path()) | QFileDevice::ExeOther));
            TAsOrdinaryUser user;
            if (user.Ordinary()) {
                d.Btn_OK->Click();
                clicked = true;
            }
        }
        QFile::setPermissions(Projects(), QFile::permissions(Projects()) | QFileDevice::WriteOwner);
        if (!clicked) {
            std::cout << "[  NOTE    ] " << c.What << ": root that cannot become an ordinary user writes anywhere\n";
            continue;
        }
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, Q("Error! The folder ") + Configuration(Q("Plant B")) +
                                           Q(" cannot be created: ") +
                                           Q(std::make_error_code(c.Reason).message().c_str()));
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(d.ModalResult(), mrNone);
        EXPECT_TRUE(Project_Path.isEmpty());
        EXPECT_FALSE(DirectoryExists(Configuration(Q("Plant B"))));
        // PROJECTS as it was, for the next case.
        QFile::remove(Projects());
        QDir().mkpath(Projects());
    }
}

TEST_F(NewDialog, ShowEmptiesTheNameAndEnterActsLikeOk)
{
    TFNew_Project& d = *NewProject;
    d.E_New_Proj->SetText(Q("left from last time"));
    Seams.AnswerModal(
        [&](TCustomForm&) {
            EXPECT_EQ(d.E_New_Proj->Text(), String());
            EXPECT_TRUE(d.E_New_Proj->Focused());
            // Enter on a bad name: the message, and the dialog stays.
            Simulate::Type(d.E_New_Proj, Q("a:b"));
            Simulate::Key(d.E_New_Proj, Qt::Key_Return, Qt::NoModifier, Q("\r"));
            EXPECT_EQ(Seams.Boxes.size(), 1u);
            EXPECT_EQ(d.ModalResult(), mrNone);
        },
        mrNone);
    Seams.AnswerModal(
        [&](TCustomForm&) {
            d.E_New_Proj->SetText(QString());
            Simulate::Type(d.E_New_Proj, Q("Plant B"));
            Simulate::Key(d.E_New_Proj, Qt::Key_Return, Qt::NoModifier, Q("\r"));
        },
        mrCancel);
    EXPECT_EQ(d.ShowModal(), mrOk);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(105));
    EXPECT_EQ(Project_Name, Q("Plant B"));
    EXPECT_EQ(Projects_Entries(), std::vector<String>{Q("Plant B")});
    EXPECT_EQ(d.E_New_Proj->Text(), Q("Plant B"));   // Enter typed nothing into the name
}

// Cancel is no cancel button here: Escape neither closes the dialog nor creates anything.
TEST_F(NewDialog, EscapeLeavesTheDialogOpenAndCreatesNothing)
{
    TFNew_Project& d = *NewProject;
    TModalResult after_escape = -1;
    Seams.AnswerModal(
        [&](TCustomForm&) {
            Simulate::Type(d.E_New_Proj, Q("Plant C"));
            Simulate::Key(d.E_New_Proj, Qt::Key_Escape, Qt::NoModifier, Q("\x1b"));
            after_escape = d.ModalResult();
        },
        mrCancel);
    EXPECT_EQ(d.ShowModal(), mrCancel);
    EXPECT_EQ(after_escape, mrNone);
    EXPECT_TRUE(Projects_Entries().empty());
    EXPECT_TRUE(Project_Path.isEmpty());
}

TEST_F(NewDialog, Screenshot)
{
    NewProject->Show();
    NewProject->E_New_Proj->SetText(Q("Plant A"));
    Save_Screenshot(NewProject.get(), "new_configuration.png");
    NewProject->Hide();
}

// ---- Open Configuration ---------------------------------------------------------------

TEST_F(OpenDialog, LayoutAndTexts)
{
    TFOpenConf& d = *OpenConf;
    EXPECT_EQ(d.ClientWidth(), 377);
    EXPECT_EQ(d.ClientHeight(), 351);
    EXPECT_EQ(d.Color(), TColor(0xEDF7F8));
    EXPECT_EQ(d.BorderStyle(), TFormBorderStyle::bsSizeable);
    Expect_Dialog_Frame(Frame_Of(d), 131, 249);
    EXPECT_EQ(d.Btn_OK->ModalResult(), mrOk);
    EXPECT_EQ(At(d.Label1), TPoint(16, 70));
    EXPECT_EQ(At(d.ListBox1), TPoint(16, 94));
    EXPECT_FALSE(d.ListBox1->MultiSelect());
    EXPECT_TRUE(d.Name_Conf.isEmpty());

    const struct {
        String actual;
        int slot;
    } texts[] = {{d.Caption(), 200},         {d.L_SW_Desc->Caption(), 201},  {d.Label1->Caption(), 202},
                 {d.Btn_OK->Caption(), 203}, {d.Btn_Cancel->Caption(), 204}, {d.ListBox1->Hint(), 205},
                 {d.Btn_OK->Hint(), 206},    {d.Btn_Cancel->Hint(), 207}};
    for (const auto& t : texts) EXPECT_EQ(t.actual, Lang_Text(t.slot)) << t.slot;
    for (int slot = 200; slot <= 207; ++slot) Lang_Strings.SetStrings(slot, Q("T") + IntToStr(slot));
    d.Set_Lang();
    EXPECT_EQ(d.Caption(), Q("T200"));
    EXPECT_EQ(d.ListBox1->Hint(), Q("T205"));
    EXPECT_EQ(d.Btn_Cancel->Hint(), Q("T207"));

    // The list follows the window; the buttons keep to the right edge.
    const TRect list = d.ListBox1->BoundsRect();
    d.SetClientSize(477, 401);
    EXPECT_EQ(d.ListBox1->Width(), list.Width() + 100);
    EXPECT_EQ(d.ListBox1->Height(), list.Height() + 50);
    EXPECT_EQ(d.Btn_Cancel->Left(), 349);
    EXPECT_EQ(d.Btn_OK->Left(), 231);
}

// However small the user drags the window, or code sizes it, the list keeps
// a few entries' room above the buttons and the buttons stay right of its left edge.
TEST_F(OpenDialog, ShrinkingStopsBeforeTheButtonsCoverTheList)
{
    TFOpenConf& d = *OpenConf;
    d.Show();
    // The window system sizes the window, and reports the new size.
    auto Drag_To = [&](int width, int height) {
        d.Handle()->resize(width, height);
        Application->ProcessMessages();
    };
    const struct {
        const char* What;
        std::function<void()> Shrink;
    } cases[] = {
        {"dragged by the user", [&] { Drag_To(60, 40); }},
        {"sized by code", [&] { d.SetClientSize(60, 40); }},
        {"narrower only", [&] { Drag_To(100, 500); }},
        {"lower only", [&] { Drag_To(500, 100); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        d.SetClientSize(TFOpenConf::Client_Width, TFOpenConf::Client_Height);
        c.Shrink();
        EXPECT_GE(d.ClientWidth(), TFOpenConf::Min_Client_Width);
        EXPECT_GE(d.ClientHeight(), TFOpenConf::Min_Client_Height);
        const TRect list = d.ListBox1->BoundsRect();
        EXPECT_GE(list.Height(), TFOpenConf::Min_List_Height);
        EXPECT_LE(list.Bottom, d.Button_Panel->Top());
        EXPECT_GE(d.Btn_OK->Left(), list.Left);
        EXPECT_LE(d.Btn_OK->Left() + d.Btn_OK->Width(), d.Btn_Cancel->Left());
        EXPECT_LE(d.Btn_Cancel->Left() + d.Btn_Cancel->Width(), d.ClientWidth());
    }
    // Growing stays free.
    Drag_To(700, 600);
    EXPECT_EQ(d.ClientWidth(), 700);
    EXPECT_EQ(d.ClientHeight(), 600);
    d.Hide();
}

// Shows the dialog and hands back what it listed and chose.
struct TShown {
    std::vector<String> Items;
    int Selected = -1;
    String Name_Conf;
};
TShown Show_Open(TTestSeams& seams, TFOpenConf& d)
{
    TShown shown;
    seams.AnswerModal(
        [&](TCustomForm&) {
            for (int i = 0; i < d.ListBox1->Count(); ++i) shown.Items.push_back((*d.ListBox1->Items())[i]);
            shown.Selected = d.ListBox1->ItemIndex();
            shown.Name_Conf = d.Name_Conf;
        },
        mrCancel);
    d.ShowModal();
    return shown;
}

TEST_F(OpenDialog, ListsTheFoldersAndPreselectsTheOpenOne)
{
    // Made out of order: the list is by name, ignoring case, whatever order
    // the file system keeps.
    for (const char* name : {"delta", "Beta", "Charlie", "alpha"}) Make_Configuration(Q(name));
    Dir.Write(QStringLiteral("PROJECTS/notes.txt"), "not a configuration");
    // Folders that could not be configurations elsewhere are not offered.
    Make_Configuration(Q("CON"));
    Make_Configuration(Q("trailing."));
    Make_Configuration(Q("Pump\xEF\xBF\xBF"));
    const std::vector<String> expected{Q("alpha"), Q("Beta"), Q("Charlie"), Q("delta")};

    // Open spelled otherwise than on disk: the folder's entry is chosen.
    Project_Name = Q("Alpha");
    Project_Path = Configuration(Q("Alpha"));
    TShown shown = Show_Open(Seams, *OpenConf);
    EXPECT_EQ(shown.Items, expected);
    ASSERT_GE(shown.Selected, 0);
    EXPECT_EQ(shown.Items[std::size_t(shown.Selected)], Q("alpha"));
    EXPECT_EQ(shown.Name_Conf, Q("alpha"));

    // Nothing open: the first entry.
    Project_Name.clear();
    Project_Path.clear();
    shown = Show_Open(Seams, *OpenConf);
    EXPECT_EQ(shown.Selected, 0);
    EXPECT_EQ(shown.Name_Conf, expected.front());

    // Folders added meanwhile show at the next show.
    Make_Configuration(Q("Bravo"));
    shown = Show_Open(Seams, *OpenConf);
    EXPECT_EQ(shown.Items, (std::vector<String>{Q("alpha"), Q("Beta"), Q("Bravo"), Q("Charlie"), Q("delta")}));
}

TEST_F(OpenDialog, EmptyListKeepsThePreviousChoice)
{
    TShown shown = Show_Open(Seams, *OpenConf);
    EXPECT_TRUE(shown.Items.empty());
    EXPECT_EQ(shown.Selected, -1);
    EXPECT_TRUE(shown.Name_Conf.isEmpty());

    OpenConf->Name_Conf = Q("Earlier");
    shown = Show_Open(Seams, *OpenConf);
    EXPECT_EQ(shown.Name_Conf, Q("Earlier"));
}

TEST_F(OpenDialog, ClickingAnEntryChoosesIt)
{
    Make_Configuration(Q("One"));
    Make_Configuration(Q("Two"));
    TFOpenConf& d = *OpenConf;
    Seams.AnswerModal(
        [&](TCustomForm&) {
            const int other = d.ListBox1->ItemIndex() == 0 ? 1 : 0;
            d.ListBox1->UserSelect(other);
            EXPECT_EQ(d.Name_Conf, (*d.ListBox1->Items())[other]);
            d.Btn_OK->Click();
        },
        mrCancel);
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(d.Name_Conf, (*d.ListBox1->Items())[d.ListBox1->ItemIndex()]);
}

TEST_F(OpenDialog, SearchComparesLettersAToZWithoutCase)
{
    TFOpenConf& d = *OpenConf;
    for (const char* n : {"Plant A", "\xC3\x84rger", "x"}) d.SL->Add(Q(n));
    const struct {
        const char* name;
        int index;
    } cases[] = {{"plant a", 0}, {"PLANT A", 0}, {"Plant A", 0}, {"Plant", -1}, {"\xC3\x84rger", 1},
                 {"\xC3\xA4rger", -1}, {"X", 2}, {"", -1}};
    for (const auto& c : cases) EXPECT_EQ(d.Search_Open_Conf(Q(c.name)), c.index) << c.name;
}

TEST_F(OpenDialog, Screenshot)
{
    for (const char* n : {"Plant A", "Plant B", "Warehouse"}) Make_Configuration(Q(n));
    OpenConf->FormShow(OpenConf.get());
    OpenConf->Show();
    Save_Screenshot(OpenConf.get(), "open_configuration.png");
    OpenConf->Hide();
}

} // namespace
