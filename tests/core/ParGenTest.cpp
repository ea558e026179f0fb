// The communication settings form: layout and texts, collapsing and
// expanding its boxes, loading ParGen.xml (defaults, every element, broken
// files), the checks of OK, the file OK writes, the question on Cancel and
// the "." of the address edits.
#include "core/UParGen.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/Files.h"
#include "platform/Seams.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"
#include "tests/common/TestSeams.h"

#include <QFile>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

String Q(const char* utf8) { return QString::fromUtf8(utf8); }

// "left,top,width,height", so a failure shows the whole geometry.
String Geo(int left, int top, int width, int height)
{
    return QStringLiteral("%1,%2,%3,%4").arg(left).arg(top).arg(width).arg(height);
}
String Geo(const TControl* c) { return Geo(c->Left(), c->Top(), c->Width(), c->Height()); }

using TElements = std::vector<std::pair<const char*, const char*>>;

QByteArray ParGen_Xml(const TElements& elements, const char* root = "Par_Gen")
{
    QByteArray xml = QByteArray("<") + root + ">\n";
    for (const auto& [name, text] : elements) xml += QByteArray("  <") + name + ">" + text + "</" + name + ">\n";
    return xml + "</" + root + ">\n<!--SW_VERSION = 1.000-->\n";
}

// The values of the 17 settings in file order, as the file holds them.
const std::vector<const char*> Default_Values = {"192", "168", "0", "10", "255", "255", "255", "0", "192",
                                                 "168", "0", "1", "0", "devicename1", "10001", "0", "0"};

class ParGenTest : public ProgramStateFixture {
protected:
    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Dir.Path();
        File_ParGen = Dir.File(QStringLiteral("ParGen.xml"));
        Publish(Form, FParGen);
    }
    void TearDown() override
    {
        Withdraw(Form, FParGen);
        ProgramStateFixture::TearDown();
    }

    // What the seams recorded so far is forgotten; scripted answers stay.
    void Forget_Seams()
    {
        Seams.Boxes.clear();
        Seams.ModalForms.clear();
    }

    void Write_ParGen(const QByteArray& bytes) const { Dir.Write(QStringLiteral("ParGen.xml"), bytes); }
    QByteArray Read_ParGen() const { return Dir.Read(QStringLiteral("ParGen.xml")); }

    // Shows the form modally; `body` acts on it while it is open, then it
    // closes with `result` unless the body closed it.
    TModalResult Show_With(std::function<void()> body, TModalResult result = mrCancel)
    {
        Seams.AnswerModal([body = std::move(body)](TCustomForm&) { if (body) body(); }, result);
        return Form->ShowModal();
    }

    // Each character goes to the control that has the focus at that moment.
    void Type_Into_Focus(const String& text)
    {
        for (QChar ch : text) {
            TWinControl* focused = Form->ActiveControl();
            ASSERT_NE(focused, nullptr);
            Simulate::Type(focused, String(ch));
        }
    }

    // What the controls hold, written as the file would hold it.
    std::vector<String> Values() const
    {
        std::vector<String> values;
        for (const TParGenSetting& s : Form->Settings())
            values.push_back(s.Edit ? s.Edit->Text() : (s.Check->Checked() ? QStringLiteral("1") : QStringLiteral("0")));
        return values;
    }
    static std::vector<String> Strings(const std::vector<const char*>& texts)
    {
        std::vector<String> out;
        for (const char* t : texts) out.push_back(Q(t));
        return out;
    }

    TEdit* Edit_Named(const String& name) const
    {
        TFParGen& f = *Form;
        if (name == u"port") return f.E_DALI_Console_Port;
        if (name == u"name") return f.E_SNMP_Manager_Name_Station;
        const int part = name.right(1).toInt() - 1;
        if (name.startsWith(u"ip")) return f.E_IP_SNMP_Manager[std::size_t(part)];
        if (name.startsWith(u"sm")) return f.E_SM_SNMP_Manager[std::size_t(part)];
        return f.E_GAT_SNMP_Manager[std::size_t(part)];
    }

    TTestSeams Seams;
    TempFolder Dir;
    std::unique_ptr<TFParGen> Form;
};

// ---- Layout and texts ---------------------------------------------------------------------

TEST_F(ParGenTest, LayoutOfTheExpandedForm)
{
    TFParGen& f = *Form;
    EXPECT_EQ(f.Color(), TColor(0xEDF7F8));
    EXPECT_EQ(f.BorderStyle(), TFormBorderStyle::bsSingle);
    EXPECT_EQ(f.BorderIcons(), TBorderIcons{TBorderIcon::biSystemMenu});
    EXPECT_EQ(f.Position(), TPosition::poScreenCenter);
    EXPECT_EQ(f.Font()->Name(), Q("Verdana"));
    EXPECT_EQ(f.ClientWidth(), 312);
    EXPECT_EQ(f.ClientHeight(), 498);

    EXPECT_EQ(f.L_SW_Code->Caption(), Q("KS40219"));
    EXPECT_EQ(Geo(f.L_SW_Code).section(u',', 0, 1), Q("16,8"));
    EXPECT_EQ(f.L_SW_Code->Font()->Height(), -32);
    EXPECT_EQ(Geo(f.L_SW_Desc).section(u',', 0, 1), Q("16,42"));
    EXPECT_TRUE(f.L_SW_Desc->Font()->Style().Contains(TFontStyle::fsBold));

    EXPECT_EQ(Geo(f.GB_SNMP_Manager), Geo(8, 70, 296, 244));
    EXPECT_EQ(Geo(f.GB_DALI), Geo(8, 320, 296, 124));
    EXPECT_EQ(Geo(f.Btn_OK), Geo(71, 457, 112, 28));
    EXPECT_EQ(Geo(f.Btn_Cancel), Geo(192, 457, 112, 28));
    for (TZvPushButton* b : {f.Btn_OK, f.Btn_Cancel}) {
        EXPECT_EQ(b->Style(), TZvPushButtonStyle::bsEncarta);
        EXPECT_EQ(b->HotTrackColor(), clYellow);
        EXPECT_EQ(b->ColorWhenDown(), TColor(33023));
        EXPECT_EQ(b->LightColor(), clGray);
        EXPECT_EQ(b->ModalResult(), mrNone);   // both decide in their handlers
    }

    // All 18 boxes exist; only the two of this product show, each with its
    // collapse button at 280, 10.
    int shown = 0;
    for (const TParGenGroupBox& g : f.Groups) {
        ASSERT_NE(g.GB, nullptr);
        EXPECT_EQ(g.GB->Width(), 296);
        EXPECT_EQ(g.Visible, 1);
        EXPECT_TRUE(g.Btn_Collapse->Visible());
        EXPECT_FALSE(g.Btn_Expande->Visible());
        EXPECT_EQ(Geo(g.Btn_Collapse), Geo(280, 10, 11, 11));
        EXPECT_EQ(Geo(g.Btn_Expande), Geo(280, 10, 11, 11));
        EXPECT_EQ(g.Btn_Collapse->HotTrackColor(), clSkyBlue);
        shown += g.GB->Visible() ? 1 : 0;
    }
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(f.GB_SNMP_Manager->Visible());
    EXPECT_TRUE(f.GB_DALI->Visible());

    for (int i = 0; i < 4; ++i) {
        const int left = 16 + 66 * i;
        EXPECT_EQ(Geo(f.E_IP_SNMP_Manager[std::size_t(i)]), Geo(left, 43, 60, 21)) << i;
        EXPECT_EQ(Geo(f.E_SM_SNMP_Manager[std::size_t(i)]), Geo(left, 98, 60, 21)) << i;
        EXPECT_EQ(Geo(f.E_GAT_SNMP_Manager[std::size_t(i)]), Geo(left, 154, 60, 21)) << i;
    }
    EXPECT_EQ(Geo(f.CB_SNMP_Manager_En_GAT), Geo(16, 134, 257, 17));
    EXPECT_EQ(Geo(f.E_SNMP_Manager_Name_Station), Geo(16, 208, 258, 21));
    EXPECT_EQ(f.E_SNMP_Manager_Name_Station->MaxLength(), 15);
    EXPECT_EQ(Geo(f.E_DALI_Console_Port), Geo(148, 21, 126, 21));
    EXPECT_EQ(Geo(f.CB_DALI_Disable_Scan), Geo(16, 58, 257, 17));
    EXPECT_EQ(Geo(f.CB_DALI_En_DALI2), Geo(16, 92, 257, 17));

    // The other models' DALI settings are there, hidden.
    for (TControl* c : std::initializer_list<TControl*>{
             f.E_DALI_Data_Point_ADV, f.E_DALI_Data_Point_SW2, f.L_DALI_Data_Point_DIM, f.CB_DALI_SwitchOff,
             f.E_DALI_TimeOut, f.CB_DALI_Dimming_Mode, f.CB_DALI_Allow_MinMax_Val, f.CB_DALI_Recall_MinMAx,
             f.CB_DALI_Recall_OldValues, f.E_DALI_Filter_Write_DALI})
        EXPECT_FALSE(c->Visible());
}

TEST_F(ParGenTest, TextsComeFromTheTableAndFollowALanguageChange)
{
    TFParGen& f = *Form;
    const struct {
        std::function<String()> Actual;
        int Slot;
        const char* English;
    } texts[] = {
        {[&] { return f.Caption(); }, 400, "Set Communication"},
        {[&] { return f.L_SW_Desc->Caption(); }, 401, "Set Communication Setting"},
        {[&] { return f.Btn_OK->Caption(); }, 402, "OK"},
        {[&] { return f.Btn_Cancel->Caption(); }, 403, "Cancel"},
        {[&] { return f.Btn_OK->Hint(); }, 425, "Confirm and Save the current configuration"},
        {[&] { return f.Btn_Cancel->Hint(); }, 426, "Exit and Discard the current configuration"},
        {[&] { return f.Btn_SNMP_Manager_Collapse->Hint(); }, 409, "Collapse"},
        {[&] { return f.Btn_DALI_Expande->Hint(); }, 410, "Expand"},
        {[&] { return f.GB_SNMP_Manager->Caption(); }, 1855, " SNMP Manager "},
        {[&] { return f.L_SNMP_Manager_IP_Add->Caption(); }, 1856, "IP ADDRESS"},
        {[&] { return f.L_SNMP_Manager_SM_Add->Caption(); }, 1857, "SUBNET Mask"},
        {[&] { return f.CB_SNMP_Manager_En_GAT->Caption(); }, 1858, "GATEWAY"},
        {[&] { return f.L_SNMP_Manager_Name_Station->Caption(); }, 1859, "SNMP Name of Station"},
        {[&] { return f.GB_DALI->Caption(); }, 463, " DALI "},
        {[&] { return f.L_DALI_Console_Port->Caption(); }, 464, "DALI Console Port"},
        {[&] { return f.E_DALI_Console_Port->Hint(); }, 465, "Insert the Port to use with software DALI Console"},
        {[&] { return f.CB_DALI_Disable_Scan->Caption(); }, 1290, "Disable DALI Scan"},
        {[&] { return f.CB_DALI_Disable_Scan->Hint(); }, 1291, "Disable the DALI Scan"},
        {[&] { return f.CB_DALI_En_DALI2->Caption(); }, 1292, "Enable DALI 2"},
        {[&] { return f.CB_DALI_En_DALI2->Hint(); }, 1293, "Enable the DALI 2 protocol"},
        {[&] { return f.CB_DALI_Dimming_Mode->Items()->Strings(1); }, 1232, "Start Break"},
    };
    for (const auto& t : texts) EXPECT_EQ(t.Actual(), Q(t.English)) << t.Slot;
    // The address edits have no hint; every box's buttons have theirs.
    EXPECT_TRUE(f.E_IP_SNMP_Manager[0]->Hint().isEmpty());
    EXPECT_TRUE(f.E_SNMP_Manager_Name_Station->Hint().isEmpty());
    for (const TParGenGroupBox& g : f.Groups) {
        EXPECT_EQ(g.Btn_Collapse->Hint(), Q("Collapse"));
        EXPECT_EQ(g.Btn_Expande->Hint(), Q("Expand"));
        EXPECT_FALSE(Trim(g.GB->Caption()).isEmpty());
    }

    for (const auto& t : texts) Lang_Strings.SetStrings(t.Slot, Q("T") + IntToStr(t.Slot));
    f.CB_DALI_Dimming_Mode->SetItemIndex(1);
    f.Set_Lang();
    for (const auto& t : texts) EXPECT_EQ(t.Actual(), Q("T") + IntToStr(t.Slot)) << t.Slot;
    EXPECT_EQ(f.CB_DALI_Dimming_Mode->ItemIndex(), 0);
    EXPECT_EQ(f.CB_DALI_Dimming_Mode->Items()->Count(), 2);
    EXPECT_EQ(f.L_SW_Code->Caption(), Q("KS40219"));   // not a table text
}

// ---- Collapse and expand ------------------------------------------------------------------

TEST_F(ParGenTest, CollapsingAndExpandingRestackTheBoxes)
{
    TFParGen& f = *Form;
    struct TGeometry {
        int SNMP_Height, DALI_Top, DALI_Height, Buttons_Top, Client_Height;
    };
    auto geometry = [&] {
        EXPECT_EQ(f.GB_SNMP_Manager->Top(), 70);
        EXPECT_EQ(f.Btn_Cancel->Top(), f.Btn_OK->Top());
        EXPECT_EQ(f.ClientWidth(), 312);
        return TGeometry{f.GB_SNMP_Manager->Height(), f.GB_DALI->Top(), f.GB_DALI->Height(), f.Btn_OK->Top(),
                         f.ClientHeight()};
    };
    auto same = [](const TGeometry& a, const TGeometry& b) {
        return a.SNMP_Height == b.SNMP_Height && a.DALI_Top == b.DALI_Top && a.DALI_Height == b.DALI_Height &&
               a.Buttons_Top == b.Buttons_Top && a.Client_Height == b.Client_Height;
    };
    const TGeometry expanded = geometry();
    EXPECT_TRUE(same(expanded, {244, 320, 124, 457, 498}));

    const struct {
        bool SNMP, DALI;   // collapsed
        TGeometry Want;
    } cases[] = {
        {true, false, {26, 102, 124, 239, 280}},
        {false, true, {244, 320, 26, 359, 400}},
        {true, true, {26, 102, 26, 141, 182}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "SNMP " << c.SNMP << " DALI " << c.DALI);
        if (c.SNMP) f.Btn_SNMP_Manager_Collapse->Click();
        if (c.DALI) f.Btn_DALI_Collapse->Click();
        EXPECT_TRUE(same(geometry(), c.Want));
        EXPECT_EQ(f.GB_SNMP_Manager_Visible(), c.SNMP ? 0 : 1);
        EXPECT_EQ(f.GB_DALI_Visible(), c.DALI ? 0 : 1);
        EXPECT_EQ(f.Btn_SNMP_Manager_Collapse->Visible(), !c.SNMP);
        EXPECT_EQ(f.Btn_SNMP_Manager_Expande->Visible(), c.SNMP);
        EXPECT_EQ(f.Btn_DALI_Expande->Visible(), c.DALI);
        // The first row would be cut through by the title line.
        EXPECT_EQ(f.L_SNMP_Manager_IP_Add->Visible(), !c.SNMP);
        EXPECT_EQ(f.L_DALI_Console_Port->Visible(), !c.DALI);
        EXPECT_EQ(f.E_DALI_Console_Port->Visible(), !c.DALI);

        // A language change and a new showing keep the state.
        f.Set_Lang();
        Show_With(nullptr);
        EXPECT_TRUE(same(geometry(), c.Want));

        if (c.SNMP) f.Btn_SNMP_Manager_Expande->Click();
        if (c.DALI) f.Btn_DALI_Expande->Click();
        EXPECT_TRUE(same(geometry(), expanded));
        EXPECT_TRUE(f.L_SNMP_Manager_IP_Add->Visible());
        EXPECT_TRUE(f.E_DALI_Console_Port->Visible());
        EXPECT_TRUE(f.Btn_DALI_Collapse->Visible());
        EXPECT_FALSE(f.Btn_DALI_Expande->Visible());
    }

    // A button of no box only lays out again; a hidden box's buttons change
    // its state but never show it.
    f.Btn_GB_Collapse(f.Btn_OK);
    EXPECT_TRUE(same(geometry(), expanded));
    f.Group(TParGenGroup::KNX).Btn_Collapse->Click();
    EXPECT_EQ(f.Group(TParGenGroup::KNX).Visible, 0);
    EXPECT_FALSE(f.Group(TParGenGroup::KNX).GB->Visible());
    EXPECT_TRUE(same(geometry(), expanded));
}

// ---- Loading ------------------------------------------------------------------------------

TEST_F(ParGenTest, WithoutAFileEveryControlTakesItsDefaultAndCancelAsksNothing)
{
    // Left-overs of an earlier showing must not survive.
    Form->E_IP_SNMP_Manager[0]->SetText(Q("7"));
    Form->CB_DALI_En_DALI2->SetChecked(true);
    std::vector<String> seen;
    const TModalResult result = Show_With([&] {
        seen = Values();
        EXPECT_FALSE(Form->Is_Change);
        Form->Btn_Cancel->Click();
    }, mrNone);
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(seen, Strings(Default_Values));
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_FALSE(FileExists(File_ParGen));
}

TEST_F(ParGenTest, EveryElementLoadsAndEachMissingOneTakesItsOwnDefault)
{
    const std::vector<const char*> all = {"10", "1", "2", "3", "255", "255", "0", "0", "10", "1",
                                          "2", "254", "1", "plant-gw", "$2711", "1", "1"};
    const char* names[] = {"SNMP_Manager_IP1",  "SNMP_Manager_IP2",  "SNMP_Manager_IP3",    "SNMP_Manager_IP4",
                           "SNMP_Manager_SM1",  "SNMP_Manager_SM2",  "SNMP_Manager_SM3",    "SNMP_Manager_SM4",
                           "SNMP_Manager_GAT1", "SNMP_Manager_GAT2", "SNMP_Manager_GAT3",   "SNMP_Manager_GAT4",
                           "SNMP_Manager_EN_GAT", "SNMP_Name_of_Station", "DALI_CONSOLE_PORT", "DALI_DISABLE_SCAN",
                           "DALI_ENABLE_DALI_2"};
    TElements elements;
    for (std::size_t i = 0; i < all.size(); ++i) elements.push_back({names[i], all[i]});
    Write_ParGen(ParGen_Xml(elements));
    Show_With([&] { EXPECT_EQ(Values(), Strings(all)); });

    // One element taken away at a time: only that one falls back.
    for (std::size_t gone = 0; gone < elements.size(); ++gone) {
        TElements some = elements;
        some.erase(some.begin() + std::ptrdiff_t(gone));
        Write_ParGen(ParGen_Xml(some));
        std::vector<const char*> want = all;
        want[gone] = Default_Values[gone];
        Show_With([&] { EXPECT_EQ(Values(), Strings(want)) << names[gone]; });
    }

    // A file with only the first address part.
    Write_ParGen(ParGen_Xml({{"SNMP_Manager_IP1", "10"}}));
    std::vector<const char*> want = Default_Values;
    want[0] = "10";
    Show_With([&] { EXPECT_EQ(Values(), Strings(want)); });
}

TEST_F(ParGenTest, ACheckBoxIsTickedOnlyByTheTextOne)
{
    const struct {
        const char* Text;
        bool Ticked;
    } cases[] = {{"1", true}, {"0", false}, {"", false}, {"yes", false}, {" 1", false}, {"1 ", false},
                 {"01", false}, {"true", false}, {"<![CDATA[1]]>", true}};
    for (const auto& c : cases) {
        Write_ParGen(ParGen_Xml({{"SNMP_Manager_EN_GAT", c.Text}, {"DALI_DISABLE_SCAN", c.Text},
                                 {"DALI_ENABLE_DALI_2", c.Text}}));
        Show_With([&] {
            EXPECT_EQ(Form->CB_SNMP_Manager_En_GAT->Checked(), c.Ticked) << c.Text;
            EXPECT_EQ(Form->CB_DALI_Disable_Scan->Checked(), c.Ticked) << c.Text;
            EXPECT_EQ(Form->CB_DALI_En_DALI2->Checked(), c.Ticked) << c.Text;
        });
    }
}

TEST_F(ParGenTest, TheFirstElementIsTheRootWhateverItsNameAndTextsLoadUntouched)
{
    // A comment before the root, another root name, a repeated element (the
    // first counts), an element nested deeper (not a setting), texts with
    // blanks and entities, and settings the form does not know.
    Write_ParGen("<!-- hand edited -->\n<Something_Else>\n"
                 "  <SNMP_Manager_IP1> 10 </SNMP_Manager_IP1>\n"
                 "  <SNMP_Manager_IP1>99</SNMP_Manager_IP1>\n"
                 "  <Group><SNMP_Manager_IP2>5</SNMP_Manager_IP2></Group>\n"
                 "  <SNMP_Name_of_Station>a&amp;b &lt;c&gt; \xC3\xA9</SNMP_Name_of_Station>\n"
                 "  <DALI_CONSOLE_PORT></DALI_CONSOLE_PORT>\n"
                 "  <BACnet_Type>1</BACnet_Type>\n"
                 "</Something_Else>\n");
    Show_With([&] {
        EXPECT_EQ(Form->E_IP_SNMP_Manager[0]->Text(), Q(" 10 "));
        EXPECT_EQ(Form->E_IP_SNMP_Manager[1]->Text(), Q("168"));
        EXPECT_EQ(Form->E_SNMP_Manager_Name_Station->Text(), Q("a&b <c> \xC3\xA9"));
        EXPECT_EQ(Form->E_DALI_Console_Port->Text(), String());
        EXPECT_FALSE(Form->Is_Change);
    });
}

// A ParGen.xml that cannot be read raises before the form opens, so OK can
// never write the defaults over the user's file.
TEST_F(ParGenTest, ABrokenFileStopsTheShowingAndIsLeftWhole)
{
    const QByteArray golden = ParGen_Xml({{"SNMP_Manager_IP1", "10"}, {"DALI_CONSOLE_PORT", "2000"}});
    const QByteArray samples[] = {
        golden.left(golden.size() / 2),                       // truncated
        QByteArray(),                                          // empty
        QByteArrayLiteral("\x00\x01\xFF\xFE garbage \x80"),    // junk
        "just some text",                                      // no element at all
        "<!-- only a comment -->",                             // no root
        "<Par_Gen><SNMP_Manager_IP1>10</SNMP_Manager_IP2></Par_Gen>",   // mismatched tags
        "<Par_Gen/><Par_Gen/>",                                // two roots
        "<Par_Gen><SNMP_Manager_IP1 a=1>10</SNMP_Manager_IP1></Par_Gen>",   // bad attribute
    };
    for (const QByteArray& bytes : samples) {
        SCOPED_TRACE(bytes.toStdString());
        Write_ParGen(bytes);
        Form->E_IP_SNMP_Manager[0]->SetText(Q("kept"));
        EXPECT_THROW(Form->ShowModal(), Exception);
        EXPECT_FALSE(Form->Visible());
        EXPECT_EQ(Form->E_IP_SNMP_Manager[0]->Text(), Q("kept"));   // nothing loaded half-way
        EXPECT_EQ(Read_ParGen(), bytes);
        EXPECT_TRUE(Seams.ModalForms.empty());
        Forget_Seams();
    }
}

// Byte mutations of a good file: each either loads or stops the showing with
// an exception; the file is never touched and nothing else escapes.
TEST_F(ParGenTest, MutatedFilesLoadOrStopCleanly)
{
    const QByteArray good = ParGen_Xml({{"SNMP_Manager_IP1", "10"},     {"SNMP_Manager_SM4", "0"},
                                        {"SNMP_Manager_EN_GAT", "1"},   {"SNMP_Name_of_Station", "gw"},
                                        {"DALI_CONSOLE_PORT", "10001"}, {"DALI_ENABLE_DALI_2", "1"}});
    std::mt19937 random(20240611);
    const char alphabet[] = "<>/!-&;\"'= \n\x00\xC3\xA9\xFFx1";
    int loaded = 0, refused = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good;
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const int at = int(random() % std::uint32_t(bytes.size()));
            switch (random() % 3) {
            case 0: bytes[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
            case 1: bytes.remove(at, 1 + int(random() % 8)); break;
            default: bytes.insert(at, alphabet[random() % (sizeof alphabet - 1)]); break;
            }
        }
        Write_ParGen(bytes);
        Seams.ModalForms.clear();
        try {
            Show_With(nullptr);
            ++loaded;
        } catch (const Exception&) {
            ++refused;
            // The showing never began: its script waits for the next one,
            // which closes with Cancel all the same.
            ASSERT_TRUE(Seams.ModalForms.empty()) << round;
        }
        ASSERT_FALSE(Form->Visible()) << round;
        ASSERT_EQ(Read_ParGen(), bytes) << round;
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

// ---- Checks -------------------------------------------------------------------------------

TEST_F(ParGenTest, TheChecksOfOkInTheirOrder)
{
    const struct {
        const char* Field;
        const char* Text;
        bool Gateway;   // the gateway check box ticked
        int Slot;       // the message, 0 when everything passes
    } cases[] = {
        {"port", "10001", false, 0},    {"port", "0", false, 0},       {"port", "65535", false, 0},
        {"port", "$FFFF", false, 0},    {"port", "0x2710", false, 466}, {"port", "10000", false, 466},
        {"port", "-1", false, 466},     {"port", "65536", false, 466},  {"port", "abc", false, 466},
        {"port", "", false, 466},       {"port", "1 2", false, 466},
        {"ip1", "256", false, 1860},    {"ip2", "256", false, 1861},    {"ip3", "-1", false, 1862},
        {"ip4", "x", false, 1863},      {"ip1", "0", false, 0},         {"ip4", "255", false, 0},
        {"ip1", "$FF", false, 0},       {"ip2", "+7", false, 0},
        {"sm1", "256", false, 1864},    {"sm2", "", false, 1865},       {"sm3", "1000", false, 1866},
        {"sm4", "2.5", false, 1867},    {"sm4", "255", false, 0},
        {"gat1", "256", true, 1868},    {"gat2", "-5", true, 1869},     {"gat3", "", true, 1870},
        {"gat4", "999", true, 1871},    {"gat4", "254", true, 0},
        // An unused gateway is not judged.
        {"gat1", "999", false, 0},      {"gat4", "junk", false, 0},
        // Nor is the station name.
        {"name", "", false, 0},         {"name", "any text at all, long", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Field << " = '" << c.Text << "' gateway " << c.Gateway);
        Form->FormShow(nullptr);   // the defaults, all valid
        Form->CB_SNMP_Manager_En_GAT->SetChecked(c.Gateway);
        Edit_Named(Q(c.Field))->SetText(Q(c.Text));
        Forget_Seams();
        const bool passed = Form->Controllo_Dati();
        EXPECT_EQ(passed, c.Slot == 0);
        if (c.Slot == 0) {
            EXPECT_TRUE(Seams.Boxes.empty());
            continue;
        }
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(c.Slot));
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(Seams.Boxes[0].Buttons, std::vector<int>{IDOK});
    }
}

TEST_F(ParGenTest, ThePortIsJudgedFirstAndTheBoxesInOrder)
{
    // Every one of these is wrong; each fix brings up the next message.
    const struct {
        const char* Field;
        int Slot;
    } faults[] = {{"port", 466}, {"ip1", 1860}, {"ip4", 1863}, {"sm1", 1864},
                  {"sm4", 1867}, {"gat1", 1868}, {"gat4", 1871}};
    Form->FormShow(nullptr);
    Form->CB_SNMP_Manager_En_GAT->SetChecked(true);
    for (const auto& f : faults) Edit_Named(Q(f.Field))->SetText(Q("70000"));
    for (const auto& f : faults) {
        Forget_Seams();
        EXPECT_FALSE(Form->Controllo_Dati());
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(f.Slot)) << f.Field;
        Edit_Named(Q(f.Field))->SetText(Q("1"));
    }
    Forget_Seams();
    EXPECT_TRUE(Form->Controllo_Dati());
    EXPECT_TRUE(Seams.Boxes.empty());
}

// ---- OK and the written file -------------------------------------------------------------

TEST_F(ParGenTest, OkWritesTheWholeFileAsTypedAndItReadsBack)
{
    // Settings the form does not know are not kept.
    Write_ParGen(ParGen_Xml({{"BACnet_Type", "1"}, {"SNMP_Manager_IP1", "10"}}));
    const TModalResult result = Show_With([&] {
        TFParGen& f = *Form;
        f.E_IP_SNMP_Manager[1]->SetText(Q("0x0A"));   // numbers are written as typed
        f.E_SM_SNMP_Manager[3]->SetText(Q("128"));
        f.E_GAT_SNMP_Manager[0]->SetText(Q("999"));   // not judged: no gateway
        f.E_SNMP_Manager_Name_Station->SetText(Q(" gw & <1> "));
        f.E_DALI_Console_Port->SetText(Q("502"));
        f.CB_DALI_Disable_Scan->SetChecked(true);
        f.Btn_OK->Click();
    }, mrNone);
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    const QByteArray golden = "<Par_Gen>\n"
                              "  <SNMP_Manager_IP1>10</SNMP_Manager_IP1>\n"
                              "  <SNMP_Manager_IP2>0x0A</SNMP_Manager_IP2>\n"
                              "  <SNMP_Manager_IP3>0</SNMP_Manager_IP3>\n"
                              "  <SNMP_Manager_IP4>10</SNMP_Manager_IP4>\n"
                              "  <SNMP_Manager_SM1>255</SNMP_Manager_SM1>\n"
                              "  <SNMP_Manager_SM2>255</SNMP_Manager_SM2>\n"
                              "  <SNMP_Manager_SM3>255</SNMP_Manager_SM3>\n"
                              "  <SNMP_Manager_SM4>128</SNMP_Manager_SM4>\n"
                              "  <SNMP_Manager_GAT1>999</SNMP_Manager_GAT1>\n"
                              "  <SNMP_Manager_GAT2>168</SNMP_Manager_GAT2>\n"
                              "  <SNMP_Manager_GAT3>0</SNMP_Manager_GAT3>\n"
                              "  <SNMP_Manager_GAT4>1</SNMP_Manager_GAT4>\n"
                              "  <SNMP_Manager_EN_GAT>0</SNMP_Manager_EN_GAT>\n"
                              "  <SNMP_Name_of_Station> gw &amp; &lt;1&gt; </SNMP_Name_of_Station>\n"
                              "  <DALI_CONSOLE_PORT>502</DALI_CONSOLE_PORT>\n"
                              "  <DALI_DISABLE_SCAN>1</DALI_DISABLE_SCAN>\n"
                              "  <DALI_ENABLE_DALI_2>0</DALI_ENABLE_DALI_2>\n"
                              "</Par_Gen>\n"
                              "<!--SW_VERSION = 1.000-->\n";
    EXPECT_EQ(Read_ParGen(), golden);

    // The next showing reads back exactly what was written.
    const std::vector<const char*> want = {"10", "0x0A", "0", "10", "255", "255", "255", "128", "999", "168",
                                           "0", "1", "0", " gw & <1> ", "502", "1", "0"};
    Show_With([&] { EXPECT_EQ(Values(), Strings(want)); });
}

TEST_F(ParGenTest, ARefusedOkWritesNothingAndAFailedSaveKeepsTheFormOpen)
{
    const QByteArray before = ParGen_Xml({{"SNMP_Manager_IP1", "10"}});
    Write_ParGen(before);
    TModalResult after_refusal = -1;
    Show_With([&] {
        Form->E_IP_SNMP_Manager[2]->SetText(Q("300"));
        Form->Btn_OK->Click();
        after_refusal = Form->ModalResult();
    });
    EXPECT_EQ(after_refusal, mrNone);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(1862));
    EXPECT_EQ(Read_ParGen(), before);

    // The configuration's folder has gone: the platform's error box, and the form stays.
    Forget_Seams();
    File_ParGen = Dir.File(QStringLiteral("gone/ParGen.xml"));
    TModalResult after_failure = -1;
    Show_With([&] {
        RunGuarded(Form.get(), [&] { Form->Btn_OK->Click(); });
        after_failure = Form->ModalResult();
    });
    EXPECT_EQ(after_failure, mrNone);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(Seams.Boxes[0].Text.contains(Q("gone"))) << Seams.Boxes[0].Text.toStdString();
    EXPECT_FALSE(DirectoryExists(Dir.File(QStringLiteral("gone"))));

    // A read-only file is not replaced.
    Forget_Seams();
    File_ParGen = Dir.File(QStringLiteral("ParGen.xml"));
    ASSERT_TRUE(QFile::setPermissions(File_ParGen, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    Show_With([&] {
        RunGuarded(Form.get(), [&] { Form->Btn_OK->Click(); });
        after_failure = Form->ModalResult();
    });
    QFile::setPermissions(File_ParGen, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(after_failure, mrNone);
    EXPECT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Read_ParGen(), before);
}

// ---- Cancel -------------------------------------------------------------------------------

TEST_F(ParGenTest, CancelAsksOnlyAfterAChangeAndNoKeepsTheFormOpen)
{
    const QByteArray before = ParGen_Xml({{"SNMP_Manager_IP1", "10"}});
    const struct {
        const char* What;
        std::function<void(TFParGen&)> Change;   // nullptr: nothing changed
        int Answer;
        bool Asked;
        TModalResult After;
    } cases[] = {
        {"nothing", nullptr, IDYES, false, mrCancel},
        {"edit, Yes", [](TFParGen& f) { f.E_IP_SNMP_Manager[3]->SetText(Q("11")); }, IDYES, true, mrCancel},
        {"edit, No", [](TFParGen& f) { f.E_IP_SNMP_Manager[3]->SetText(Q("11")); }, IDNO, true, mrNone},
        {"edit changed back", [](TFParGen& f) {
             f.E_DALI_Console_Port->SetText(Q("1"));
             f.E_DALI_Console_Port->SetText(Q("10001"));
         }, IDYES, true, mrCancel},
        {"check box", [](TFParGen& f) { f.CB_DALI_En_DALI2->SetChecked(true); }, IDNO, true, mrNone},
        {"name", [](TFParGen& f) { f.E_SNMP_Manager_Name_Station->SetText(Q("x")); }, IDYES, true, mrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Write_ParGen(before);
        Forget_Seams();
        if (c.Asked) Seams.AnswerBox(c.Answer);
        TModalResult after = -1;
        const TModalResult result = Show_With([&] {
            if (c.Change) c.Change(*Form);
            Form->Btn_Cancel->Click();
            after = Form->ModalResult();
        }, mrNone);
        EXPECT_EQ(after, c.After);
        // Left open, it closes later, unscripted, with Cancel.
        if (c.After == mrNone) {
            EXPECT_EQ(result, mrCancel);
        }
        ASSERT_EQ(Seams.Boxes.size(), c.Asked ? 1u : 0u);
        if (c.Asked) {
            EXPECT_EQ(Seams.Boxes[0].Text, Q("Do you want to exit without saving changes?"));
            EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Question);
            EXPECT_EQ(Seams.Boxes[0].Buttons, (std::vector<int>{IDYES, IDNO}));
        }
        EXPECT_EQ(Read_ParGen(), before);
    }
}

TEST_F(ParGenTest, EscapeAndTheTitleBar)
{
    // Cancel is no cancel button here: Escape asks nothing and closes nothing.
    TModalResult after_escape = -1;
    Show_With([&] {
        Form->E_IP_SNMP_Manager[0]->SetText(Q("1"));
        Simulate::Key(Form->E_IP_SNMP_Manager[0], Qt::Key_Escape, Qt::NoModifier, Q("\x1b"));
        after_escape = Form->ModalResult();
    }, mrNone);
    EXPECT_EQ(after_escape, mrNone);
    EXPECT_TRUE(Seams.Boxes.empty());

    // Closing the window asks nothing and writes nothing.
    Forget_Seams();
    const TModalResult result = Show_With([&] {
        Form->E_IP_SNMP_Manager[0]->SetText(Q("1"));
        Form->Close();
    }, mrNone);
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_FALSE(FileExists(File_ParGen));
}

// ---- Address entry ------------------------------------------------------------------------

TEST_F(ParGenTest, APointMovesToTheNextAddressPartAndIsNeverTyped)
{
    TFParGen& f = *Form;
    std::vector<TEdit*> chain;
    for (const auto* row : {&f.E_IP_SNMP_Manager, &f.E_SM_SNMP_Manager, &f.E_GAT_SNMP_Manager})
        for (TEdit* e : *row) chain.push_back(e);

    Show_With([&] {
        EXPECT_EQ(f.ActiveControl(), chain[0]);   // the first address part has the focus on show
        for (TEdit* e : chain) e->SetText(String());
        for (std::size_t i = 0; i < chain.size(); ++i) {
            SCOPED_TRACE(i);
            chain[i]->SetFocus();
            Simulate::Type(chain[i], Q("."));
            TEdit* want = i + 1 < chain.size() ? chain[i + 1] : chain[i];   // the last keeps the focus
            EXPECT_TRUE(want->Focused());
            for (TEdit* e : chain) EXPECT_EQ(e->Text(), String());
        }

        // A whole address typed into the first part.
        chain[0]->SetFocus();
        Type_Into_Focus(Q("10.1.2.3.255.255"));
        const char* want[] = {"10", "1", "2", "3", "255", "255"};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(chain[std::size_t(i)]->Text(), Q(want[i])) << i;
        EXPECT_TRUE(chain[5]->Focused());

        // Other characters pass: the checks judge them.
        chain[11]->SetFocus();
        Simulate::Type(chain[11], Q("a-1"));
        EXPECT_EQ(chain[11]->Text(), Q("a-1"));
        // The station name takes points and stops at 15 characters.
        f.E_SNMP_Manager_Name_Station->SetText(String());
        f.E_SNMP_Manager_Name_Station->SetFocus();
        Type_Into_Focus(Q("gw.plant.a-12345678"));
        EXPECT_EQ(f.E_SNMP_Manager_Name_Station->Text(), Q("gw.plant.a-1234"));
        EXPECT_TRUE(f.Is_Change);
    });
}

TEST_F(ParGenTest, APointInAPartThatCannotTakeTheFocusStaysPut)
{
    Show_With([&] {
        Form->E_SM_SNMP_Manager[0]->SetEnabled(false);
        Form->E_IP_SNMP_Manager[3]->SetFocus();
        Simulate::Type(Form->E_IP_SNMP_Manager[3], Q("."));
        EXPECT_TRUE(Form->E_IP_SNMP_Manager[3]->Focused());
        EXPECT_EQ(Form->E_IP_SNMP_Manager[3]->Text(), Q("10"));
    });
}

// The user types a new address over the one the form loaded, in the form's
// own modal loop: every part the focus comes to, by "." or by Tab, has its
// old text selected, so the keys replace it instead of landing before it.
TEST_F(ParGenTest, AnAddressTypedOverTheLoadedOneReplacesEveryPart)
{
    ::Seams().ModalStep = RealSeams().ModalStep;
    const struct {
        const char* What;
        const char* Keys;
    } cases[] = {{"points", "127.0.0.1"}, {"Tab", "127\t0\t0\t1"}, {"points, then on to the mask", "127.0.0.1.254"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Write_ParGen(ParGen_Xml({{"SNMP_Manager_IP1", "192"}, {"SNMP_Manager_IP2", "168"},
                                 {"SNMP_Manager_IP3", "2"}, {"SNMP_Manager_IP4", "205"}}));
        const TModalLoopGuard guard(*Form);
        TWinControl* first_focused = nullptr;
        QTimer::singleShot(0, [&] {
            // The form comes back with the focus where it was, on OK: the user
            // goes back to the address.
            first_focused = Form->ActiveControl();
            if (first_focused == Form->Btn_OK) Form->E_IP_SNMP_Manager[0]->SetFocus();
            Simulate::TypeIntoFocus(Q(c.Keys));
            Simulate::Click(Form->Btn_OK, {5, 5});
        });
        EXPECT_EQ(Form->ShowModal(), mrOk);
        if (&c == &cases[0]) {
            EXPECT_EQ(first_focused, Form->E_IP_SNMP_Manager[0]) << "the first showing";
        }
        EXPECT_TRUE(Seams.Boxes.empty());
        const std::vector<String> values = Values();
        EXPECT_EQ(std::vector<String>(values.begin(), values.begin() + 5),
                  Strings({"127", "0", "0", "1", QByteArray(c.Keys).endsWith(".254") ? "254" : "255"}));
        EXPECT_TRUE(Read_ParGen().contains("<SNMP_Manager_IP2>0</SNMP_Manager_IP2>\n"
                                           "  <SNMP_Manager_IP3>0</SNMP_Manager_IP3>\n"
                                           "  <SNMP_Manager_IP4>1</SNMP_Manager_IP4>"))
            << Read_ParGen().toStdString();
    }
}

TEST_F(ParGenTest, TheHiddenControlsKeepTheirOwnRules)
{
    TFParGen& f = *Form;
    f.FormShow(nullptr);
    f.CB_DALI_Recall_MinMAx->SetChecked(true);
    f.CB_DALI_Recall_OldValues->SetChecked(true);
    EXPECT_FALSE(f.CB_DALI_Recall_MinMAx->Checked());
    f.CB_DALI_Recall_MinMAx->SetChecked(true);
    EXPECT_FALSE(f.CB_DALI_Recall_OldValues->Checked());
    EXPECT_TRUE(f.Is_Change);

    // Their changes lay the form out again, which keeps the hidden ones hidden.
    f.Is_Change = false;
    f.E_DALI_TimeOut->Show();
    f.CB_SNMP_Agent_V3->SetChecked(true);
    EXPECT_FALSE(f.E_DALI_TimeOut->Visible());
    EXPECT_TRUE(f.Is_Change);
    EXPECT_FALSE(f.Group(TParGenGroup::SNMP_Agent).GB->Visible());
}

TEST_F(ParGenTest, ActivationPullsAWindowAboveTheScreenDown)
{
    const struct {
        int Top, Want;
    } cases[] = {{-40, 0}, {-1, 0}, {0, 0}, {25, 25}};
    for (const auto& c : cases) {
        Form->SetTop(c.Top);
        Form->FormActivate(Form.get());
        EXPECT_EQ(Form->Top(), c.Want) << c.Top;
    }
}

// ---- Pictures -----------------------------------------------------------------------------

TEST_F(ParGenTest, Screenshots)
{
    auto save = [&](const char* name) {
        const QImage image = Form->PaintToImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.height(), Form->ClientHeight());
        EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, image.rect())) << name;
        EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), Q(name))));
    };
    Form->Show();
    save("communication_settings_expanded.png");
    Form->Btn_SNMP_Manager_Collapse->Click();
    save("communication_settings_snmp_collapsed.png");
    Form->Btn_DALI_Collapse->Click();
    save("communication_settings_collapsed.png");
    Form->Hide();
}

} // namespace
