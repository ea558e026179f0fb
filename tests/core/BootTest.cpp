// The device update dialog: the updater's parameter file, the echo loop,
// the address check, the remembered choices and the hand-off to the updater.
// Every echo goes to a scripted transport or to 127.0.0.1; every program
// start goes to a fake process or to a small script this test writes.

#include "core/UBinConfig.h"
#include "core/UBoot.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/Grids.h"
#include "platform/Icmp.h"
#include "platform/Seams.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"
#include "tests/common/TestSeams.h"

#include <QFile>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

String Q(const char* text) { return QString::fromUtf8(text); }

QByteArray Golden(const char* name)
{
    QFile file(QStringLiteral(QUILLMER_TEST_DATA "/boot/") + Q(name));
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("missing golden ") + name;
    return file.readAll();
}

// What the scripted transport saw and answers. Each echo's answer is the
// number of bytes its reply carried (0: no reply, the full wait passes), -1
// to fail as an unusable echo socket does, or -2 for an echo that could not
// be sent (no route to the address). The script's last answer
// repeats for ever.
struct TEchoScript {
    std::vector<int> Answers{1016};
    std::vector<std::uint32_t> Addresses;
    std::vector<QByteArray> Payloads;
    std::vector<std::uint16_t> Sequences;
    std::vector<unsigned> Timeouts;
    // Runs during each echo, after it was recorded (the echo's number from 0).
    std::function<void(int)> During;
    int Count() const { return int(Addresses.size()); }
};

// Answers from the script; a reply comes after 2 ms, a missing one after the
// whole wait, on the test clock (or at once when there is none).
class TScriptedEcho : public TEchoTransport {
public:
    TScriptedEcho(std::shared_ptr<TEchoScript> script, TTestClock* clock) : FScript(std::move(script)), FClock(clock) {}

    TReplyStatus Echo(std::uint32_t address, std::uint16_t sequence, const QByteArray& payload,
                      unsigned timeoutMs) override
    {
        TEchoScript& s = *FScript;
        const int index = s.Count();
        s.Addresses.push_back(address);
        s.Payloads.push_back(payload);
        s.Sequences.push_back(sequence);
        s.Timeouts.push_back(timeoutMs);
        if (s.During) s.During(index);
        const int answer = s.Answers[std::min<std::size_t>(std::size_t(index), s.Answers.size() - 1)];
        if (answer == -1) throw EIcmpError(Q("no echo socket"));
        TReplyStatus status;
        status.SequenceId = sequence;
        if (answer == -2) {
            status.ReplyStatusType = TReplyStatusTypes::rsError;
            return status;
        }
        if (FClock) FClock->Advance(answer > 0 ? 2 : timeoutMs);
        status.BytesReceived = answer;
        status.ReplyStatusType = answer > 0 ? TReplyStatusTypes::rsEcho : TReplyStatusTypes::rsTimeOut;
        return status;
    }

private:
    std::shared_ptr<TEchoScript> FScript;
    TTestClock* FClock;
};

constexpr std::uint32_t Loopback = 0x7F000001;
const char* const Test_Master = "/opt/quillmer/MASTER";
const char* const Test_Project = "/opt/quillmer/PROJECTS/Plant A";

class BootTest : public ProgramStateFixture {
protected:
    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Program_Path = Dir.Path();
        Master_Path = Q(Test_Master);
        Project_Path = Q(Test_Project);
        Publish(Boot, FBoot);
    }

    void TearDown() override
    {
        Withdraw(Boot, FBoot);
        ProgramStateFixture::TearDown();
    }

    // The dialog answers through a scripted transport on the test clock.
    std::shared_ptr<TEchoScript> Script_Echoes(std::vector<int> answers, bool on_clock = true)
    {
        auto script = std::make_shared<TEchoScript>();
        script->Answers = std::move(answers);
        Boot->Ping->SetTransport(std::make_unique<TScriptedEcho>(script, on_clock ? &Seams.Clock() : nullptr));
        return script;
    }

    void Type_Address(const char* a, const char* b, const char* c, const char* d)
    {
        Boot->E_IP1->SetText(Q(a));
        Boot->E_IP2->SetText(Q(b));
        Boot->E_IP3->SetText(Q(c));
        Boot->E_IP4->SetText(Q(d));
    }

    void Choose(int option, bool read_back)
    {
        Boot->CB_Update_Options->SetItemIndex(option);
        Boot->CB_Update_Option_Read_Back->SetChecked(read_back);
    }

    String Parameter_File() const { return Dir.File(Q("Ethernet_Update.xml")); }

    TTestSeams Seams;   // first made, last gone
    TempFolder Dir;
    std::unique_ptr<TFBoot> Boot;
};

// ---- The updater's parameter file ----------------------------------------------------------

struct TGoldenCase {
    int Option;
    bool Read_Back;
    const char* File;
};

const TGoldenCase Golden_Cases[] = {
    {0, true, "Ethernet_Update_firmware_configuration_read_back.xml"},
    {0, false, "Ethernet_Update_firmware_configuration_no_read_back.xml"},
    {1, true, "Ethernet_Update_firmware_read_back.xml"},
    {1, false, "Ethernet_Update_firmware_no_read_back.xml"},
    {2, true, "Ethernet_Update_configuration_read_back.xml"},
    {2, false, "Ethernet_Update_configuration_no_read_back.xml"},
};

TEST_F(BootTest, ParameterFileMatchesTheGoldenForEveryOptionAndReadBack)
{
    for (const TGoldenCase& c : Golden_Cases) {
        SCOPED_TRACE(c.File);
        EXPECT_EQ(Ethernet_Update_Xml(Q("127.0.0.1"), c.Option, c.Read_Back).toUtf8(), Golden(c.File));

        // The dialog writes the same bytes from its controls, replacing the
        // previous file; the address in the file is the canonical one.
        Type_Address(" 127", "000", "0", "01 ");
        Choose(c.Option, c.Read_Back);
        Boot->Compile_XML_Parameter_New_Boot();
        EXPECT_EQ(Dir.Read(Q("Ethernet_Update.xml")), Golden(c.File));
    }
}

TEST_F(BootTest, ParameterFileRefusesEditsThatHoldNoAddress)
{
    Type_Address("127", "", "0", "1");
    EXPECT_THROW(Boot->Compile_XML_Parameter_New_Boot(), Exception);
    EXPECT_FALSE(FileExists(Parameter_File()));
}

// ---- The address -----------------------------------------------------------------------------

TEST(BootAddress, FourPlainDecimalPartsMakeTheCanonicalAddress)
{
    struct TCase {
        std::array<const char*, 4> Parts;
        const char* Address;   // "" when refused
    } cases[] = {
        {{"127", "0", "0", "1"}, "127.0.0.1"},
        {{" 10", "0 ", "000", "255"}, "10.0.0.255"},
        {{"010", "08", "09", "0"}, "10.8.9.0"},   // leading zeros are decimal, never octal
        {{"127", "", "0", "1"}, ""},
        {{"127", "0", "0", "256"}, ""},
        {{"127", "0", "0", "1000"}, ""},
        {{"127", "-0", "0", "1"}, ""},
        {{"127", "+1", "0", "1"}, ""},
        {{"$7F", "0", "0", "1"}, ""},
        {{"0x7F", "0", "0", "1"}, ""},
        {{"127", "0", "0", "1.2"}, ""},
        {{"127", "0", "0 0", "1"}, ""},
        {{"localhost", "0", "0", "1"}, ""},
        {{"\xEF\xBC\x91", "0", "0", "1"}, ""},   // a full-width digit is no ASCII digit
        {{"99999999999999999999", "0", "0", "1"}, ""},
    };
    for (const auto& c : cases) {
        const std::array<String, 4> parts{Q(c.Parts[0]), Q(c.Parts[1]), Q(c.Parts[2]), Q(c.Parts[3])};
        EXPECT_EQ(Device_Address_From_Parts(parts), Q(c.Address))
            << c.Parts[0] << "|" << c.Parts[1] << "|" << c.Parts[2] << "|" << c.Parts[3];
    }
}

// ---- The echo loop ---------------------------------------------------------------------------

TEST_F(BootTest, EchoLoopCountsAnsweredEchoesWithinFiveSeconds)
{
    struct TCase {
        const char* Name;
        std::vector<int> Answers;
        bool Found;
        int Echoes;
        int Ping_Res;
    } cases[] = {
        {"answers every echo", {1016}, true, 2, 1},
        // 13 unanswered echoes of 410 ms each pass the 5 s limit.
        {"never answers", {0}, false, 13, 2},
        {"answers now and then", {1016, 0, 1016}, true, 3, 1},
        {"answers late in the 5 s", {0, 0, 0, 0, 0, 1016}, true, 7, 1},
        // 12 ms for an answered echo, then unanswered ones until past 5 s.
        {"answers the first echo only", {1016, 0}, false, 14, 2},
        {"answers once, last echo unanswered", {0, 0, 1016, 0}, false, 14, 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto script = Script_Echoes(c.Answers);
        Type_Address("127", "0", "0", "1");
        const std::uint64_t start = Seams.Clock().Now();
        EXPECT_EQ(Boot->Send_Ping(), c.Found);
        EXPECT_EQ(Boot->ping_res, c.Ping_Res);
        EXPECT_FALSE(Boot->Ping_Abandoned);
        ASSERT_EQ(script->Count(), c.Echoes);
        EXPECT_LE(Seams.Clock().Now() - start, TFBoot::Ping_Time_Limit + 410);
        for (int i = 0; i < script->Count(); ++i) {
            EXPECT_EQ(script->Addresses[std::size_t(i)], Loopback);
            EXPECT_EQ(script->Sequences[std::size_t(i)], 0);
            EXPECT_EQ(script->Timeouts[std::size_t(i)], 400u);
            // The echo's data is the address text, filled up to the 1024-byte packet.
            EXPECT_EQ(script->Payloads[std::size_t(i)].size(), 1024 - 8);
            EXPECT_TRUE(script->Payloads[std::size_t(i)].startsWith("127.0.0.1"));
        }
        EXPECT_TRUE(Boot->Btn_Update->Enabled());
    }
}

TEST_F(BootTest, FailedPingTellsWhyAndChangesNothing)
{
    struct TCase {
        const char* Name;
        std::array<const char*, 4> Parts;
        std::vector<int> Answers;
        int Echoes;
        TMsgBoxIcon Icon;
        int Slot;
    } cases[] = {
        {"device silent", {"127", "0", "0", "1"}, {0}, 13, TMsgBoxIcon::Warning, 836},
        {"echo socket unusable", {"127", "0", "0", "1"}, {-1}, 1, TMsgBoxIcon::Error, 837},
        {"no route to the address", {"127", "0", "0", "1"}, {-2}, 1, TMsgBoxIcon::Error, 837},
        {"empty part", {"127", "", "0", "1"}, {1016}, 0, TMsgBoxIcon::Error, 837},
        {"part above 255", {"127", "0", "0", "256"}, {1016}, 0, TMsgBoxIcon::Error, 837},
        {"not a number", {"127", "0", "0", "x"}, {1016}, 0, TMsgBoxIcon::Error, 837},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Seams.Boxes.clear();
        Last_IP_Address = Q("127.0.0.9");
        Update_Option_Index = 0;
        Update_Read_Back = true;
        auto script = Script_Echoes(c.Answers);
        Type_Address(c.Parts[0], c.Parts[1], c.Parts[2], c.Parts[3]);
        Choose(2, false);
        Boot->Btn_Update->Click();

        EXPECT_EQ(script->Count(), c.Echoes);
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(c.Slot));
        EXPECT_EQ(Seams.Boxes[0].Icon, c.Icon);
        EXPECT_EQ(Seams.Boxes[0].Buttons, std::vector<int>{IDOK});
        EXPECT_EQ(Last_IP_Address, Q("127.0.0.9"));
        EXPECT_EQ(Update_Option_Index, 0);
        EXPECT_TRUE(Update_Read_Back);
        EXPECT_FALSE(FileExists(Parameter_File()));
        EXPECT_TRUE(Seams.StartedPrograms.empty());
        EXPECT_TRUE(Boot->Btn_Update->Enabled());
    }
    EXPECT_EQ(Lang_Text(836), Q("Device Not Found!"));
    EXPECT_EQ(Lang_Text(837), Q("Error!!! Check the Ip Address"));
}

// ---- A successful update ---------------------------------------------------------------------

TEST_F(BootTest, AnsweredPingRemembersWritesAndStartsTheUpdater)
{
    auto script = Script_Echoes({1016});
    bool disabled_during_ping = false;
    script->During = [&](int) { disabled_during_ping = !Boot->Btn_Update->Enabled(); };
    Seams.ProgramPollsBeforeExit = 2;
    Type_Address("127", "00", "0", "1");
    Choose(2, false);
    Boot->Btn_Update->Click();

    EXPECT_TRUE(disabled_during_ping);
    EXPECT_TRUE(Boot->Btn_Update->Enabled());
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Last_IP_Address, Q("127.0.0.1"));
    EXPECT_EQ(Update_Option_Index, 2);
    EXPECT_FALSE(Update_Read_Back);
    EXPECT_EQ(Dir.Read(Q("Ethernet_Update.xml")), Golden("Ethernet_Update_configuration_no_read_back.xml"));

    ASSERT_EQ(Seams.StartedPrograms.size(), 1u);
    const TProgramStart& start = Seams.StartedPrograms[0];
    EXPECT_EQ(start.Path, Dir.File(Q("Ethernet_Update.exe")));
    EXPECT_TRUE(start.Parameters.isEmpty());
    EXPECT_FALSE(start.Hidden);
    EXPECT_EQ(start.Folder, Dir.Path());
    ASSERT_EQ(Seams.Processes.size(), 1u);
    EXPECT_FALSE(Seams.Processes[0]->Running());
}

// Clicks that queue up while the updater runs must not start a second ping
// and updater: the button stays disabled until the updater has ended.
TEST_F(BootTest, UpdateButtonStaysDisabledWhileTheUpdaterRuns)
{
    Script_Echoes({1016});
    Type_Address("127", "0", "0", "1");
    Boot->Show();
    int starts = 0;
    bool enabled_during_updater = true;
    ::Seams().StartProgram = [&](const TProgramStart&) -> std::shared_ptr<TProcessHandle> {
        ++starts;
        enabled_during_updater = Boot->Btn_Update->Enabled();
        // A click the user makes meanwhile waits in the queue.
        PostMessage(Boot->Btn_Update, WM_LBUTTONDOWN, MK_LBUTTON, 0x00050005);
        PostMessage(Boot->Btn_Update, WM_LBUTTONUP, 0, 0x00050005);
        return std::make_shared<TFakeProcess>(0);
    };
    Boot->Btn_Update->Click();
    Application->ProcessMessages();

    EXPECT_FALSE(enabled_during_updater);
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(Boot->Btn_Update->Enabled());
    Boot->Hide();
}

TEST_F(BootTest, CancellingOrClosingDuringThePingEndsItAndWritesNothing)
{
    struct TCase {
        const char* Name;
        std::function<void(TFBoot&)> Stop;
    } cases[] = {
        {"Cancel button", [](TFBoot& d) { d.Btn_Cancel->Click(); }},
        {"closing the window", [](TFBoot& d) { d.Close(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Boot->Show();
        Seams.Boxes.clear();
        auto script = Script_Echoes({0});
        script->During = [&](int echo) {
            if (echo == 1) c.Stop(*Boot);
        };
        Type_Address("127", "0", "0", "1");
        Boot->Btn_Update->Click();
        EXPECT_EQ(script->Count(), 2);
        EXPECT_TRUE(Boot->Ping_Abandoned);
        EXPECT_TRUE(Seams.Boxes.empty());
        EXPECT_FALSE(FileExists(Parameter_File()));
        EXPECT_TRUE(Seams.StartedPrograms.empty());
        EXPECT_EQ(Last_IP_Address, Default_IP_Address);
        EXPECT_TRUE(Boot->Btn_Update->Enabled());
        Boot->Hide();
    }
}

TEST_F(BootTest, CancelDuringThePingOfTheModalDialogClosesIt)
{
    auto script = Script_Echoes({0});
    script->During = [&](int) { Boot->Btn_Cancel->Click(); };
    Seams.AnswerModal([&](TCustomForm&) { Boot->Btn_Update->Click(); }, mrNone);
    EXPECT_EQ(Boot->ShowModal(), mrCancel);
    EXPECT_EQ(script->Count(), 1);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_FALSE(FileExists(Parameter_File()));
    EXPECT_TRUE(Seams.StartedPrograms.empty());
}

TEST_F(BootTest, FailedSaveOfTheParameterFileStartsNoUpdater)
{
    Script_Echoes({1016});
    TempFolder other;
    other.Write(Q("not-a-folder"), "x");
    Program_Path = other.File(Q("not-a-folder"));
    Type_Address("127", "0", "0", "1");
    EXPECT_THROW(Boot->Btn_UpdateClick(Boot->Btn_Update), Exception);
    EXPECT_TRUE(Seams.StartedPrograms.empty());
    EXPECT_TRUE(Boot->Btn_Update->Enabled());
}

TEST_F(BootTest, SerialModeOnlyRemembersTheChoices)
{
    auto script = Script_Echoes({1016});
    Boot->Form_Type = 0;
    Choose(1, false);
    Boot->Btn_Update->Click();
    EXPECT_EQ(Update_Option_Index, 1);
    EXPECT_FALSE(Update_Read_Back);
    EXPECT_EQ(script->Count(), 0);
    EXPECT_FALSE(FileExists(Parameter_File()));
    EXPECT_TRUE(Seams.StartedPrograms.empty());
}

// ---- Showing the dialog -------------------------------------------------------------------------

TEST_F(BootTest, ShowingLaysOutTheEthernetModeAndRestoresTheLastChoices)
{
    EXPECT_EQ(Boot->E_IP1->Text(), Q("0"));
    Update_Option_Index = 1;
    Update_Read_Back = false;
    Boot->Form_Type = 1;
    Boot->Show();

    EXPECT_EQ(Boot->ClientWidth(), 449);
    EXPECT_EQ(Boot->ClientHeight(), 230);
    EXPECT_TRUE(Boot->P_IP_Address->Visible());
    EXPECT_TRUE(Boot->P_Options->Visible());
    EXPECT_FALSE(Boot->P_Eth_Search->Visible());
    EXPECT_FALSE(Boot->P_Serial->Visible());
    EXPECT_EQ(Boot->P_Title->Top(), 0);
    EXPECT_EQ(Boot->P_IP_Address->Top(), 69);
    EXPECT_EQ(Boot->P_Options->Top(), 69 + 49);
    EXPECT_EQ(Boot->P_Button->Top(), 230 - 40);
    EXPECT_EQ(Boot->P_IP_Address->TabOrder(), 1);
    EXPECT_EQ(Boot->P_Options->TabOrder(), 3);
    EXPECT_EQ(Boot->L_SW_Code->Caption(), Q("KS40219"));
    EXPECT_EQ(Boot->Caption(), Lang_Text(802));
    EXPECT_EQ(Boot->L_SW_Desc->Caption(), Lang_Text(803));

    EXPECT_EQ(Boot->E_IP1->Text(), Q("192"));
    EXPECT_EQ(Boot->E_IP2->Text(), Q("168"));
    EXPECT_EQ(Boot->E_IP3->Text(), Q("2"));
    EXPECT_EQ(Boot->E_IP4->Text(), Q("205"));
    EXPECT_EQ(Boot->CB_Update_Options->ItemIndex(), 1);
    EXPECT_FALSE(Boot->CB_Update_Option_Read_Back->Checked());
    EXPECT_EQ(Boot->ActiveControl(), Boot->E_IP1);

    // A language change selects the first option; the next showing brings the remembered one back.
    Boot->Hide();
    Boot->Set_Lang();
    EXPECT_EQ(Boot->CB_Update_Options->ItemIndex(), 0);
    Boot->Show();
    EXPECT_EQ(Boot->CB_Update_Options->ItemIndex(), 1);
    Boot->Hide();
}

TEST_F(BootTest, RememberedAddressFillsTheEditsOnlyWhenItIsAnAddress)
{
    struct TCase {
        const char* Stored;
        std::array<const char*, 4> Shown;
    } cases[] = {
        {"127.0.0.1", {"127", "0", "0", "1"}},
        {" 10 . 1 . 2 . 3 ", {"10", "1", "2", "3"}},
        {"1.2.3.256", {"10", "1", "2", "3"}},   // left as they were
        {"1.2.3", {"10", "1", "2", "3"}},
        {"", {"10", "1", "2", "3"}},
        {"a.b.c.d", {"10", "1", "2", "3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        Last_IP_Address = Q(c.Stored);
        Boot->Show();
        EXPECT_EQ(Boot->E_IP1->Text(), Q(c.Shown[0]));
        EXPECT_EQ(Boot->E_IP2->Text(), Q(c.Shown[1]));
        EXPECT_EQ(Boot->E_IP3->Text(), Q(c.Shown[2]));
        EXPECT_EQ(Boot->E_IP4->Text(), Q(c.Shown[3]));
        Boot->Hide();
    }
}

TEST_F(BootTest, UnknownRememberedOptionFallsBackToTheFirst)
{
    for (int remembered : {-1, 3, 1000}) {
        Update_Option_Index = remembered;
        Boot->Show();
        EXPECT_EQ(Boot->CB_Update_Options->ItemIndex(), 0) << remembered;
        Boot->Hide();
    }
}

TEST_F(BootTest, TextsComeFromTheTextTable)
{
    const std::pair<String, int> texts[] = {
        {Boot->L_IP_Address->Caption(), 806},       {Boot->L_List_Device->Caption(), 809},
        {Boot->Btn_Search->Caption(), 810},         {Boot->CB_Find_All_ZVT->Caption(), 813},
        {Boot->L_Update_Option->Caption(), 814},    {Boot->CB_Update_Option_Read_Back->Caption(), 818},
        {Boot->Btn_Cancel->Caption(), 819},         {Boot->Btn_Update->Caption(), 820},
        {Boot->E_IP1->Hint(), 821},                 {Boot->E_IP4->Hint(), 824},
        {Boot->Btn_Search->Hint(), 829},            {Boot->ACG_List_Devices->Hint(), 830},
        {Boot->CB_Find_All_ZVT->Hint(), 831},       {Boot->CB_Update_Options->Hint(), 832},
        {Boot->CB_Update_Option_Read_Back->Hint(), 833}, {Boot->Btn_Cancel->Hint(), 834},
        {Boot->Btn_Update->Hint(), 835},
    };
    for (const auto& [text, slot] : texts) {
        EXPECT_EQ(text, Lang_Text(slot)) << slot;
        EXPECT_NE(text.trimmed(), String()) << "slot " << slot << " has no English text";
    }
    ASSERT_EQ(Boot->CB_Update_Options->Items()->Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ((*Boot->CB_Update_Options->Items())[i], Lang_Text(815 + i));
    EXPECT_EQ(Boot->ACG_List_Devices->Cells(0, 0), Lang_Text(811));
    EXPECT_EQ(Boot->ACG_List_Devices->Cells(1, 0), Lang_Text(812));

    // The caption and description follow the mode.
    for (auto [type, slot] : {std::pair{0, 800}, std::pair{1, 802}, std::pair{2, 804}}) {
        Boot->Form_Type = type;
        Boot->Set_Lang();
        EXPECT_EQ(Boot->Caption(), Lang_Text(slot));
        EXPECT_EQ(Boot->L_SW_Desc->Caption(), Lang_Text(slot + 1));
    }
}

TEST_F(BootTest, DotMovesToTheNextAddressPartAndNeverEntersOne)
{
    Boot->Show();
    const std::array<TEdit*, 4> edits{Boot->E_IP1, Boot->E_IP2, Boot->E_IP3, Boot->E_IP4};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        SCOPED_TRACE(i);
        edits[i]->SetFocus();
        QChar key = u'.';
        Boot->KeyPress(edits[i], key);
        EXPECT_TRUE(key.isNull());
        EXPECT_EQ(Boot->ActiveControl(), edits[std::min<std::size_t>(i + 1, 3)]);
        QChar digit = u'7';
        Boot->KeyPress(edits[i], digit);
        EXPECT_EQ(digit, QChar(u'7'));
    }
    // Typed for real: the dot stays out of the edit.
    Boot->E_IP4->SetText(String());
    Boot->E_IP4->SetFocus();
    Simulate::Type(Boot->E_IP4, Q("1.2"));
    EXPECT_EQ(Boot->E_IP4->Text(), Q("12"));
    Boot->Hide();
}

// The user types a new address over the remembered one, in the dialog's own
// modal loop: each part the focus comes to, by "." or by Tab, has its old text
// selected, so the keys replace it; the ping and the updater get what was typed.
TEST_F(BootTest, AnAddressTypedOverTheRememberedOneIsTheOneUpdated)
{
    ::Seams().ModalStep = RealSeams().ModalStep;
    Seams.ProgramPollsBeforeExit = 0;
    Boot->Form_Type = 1;
    const struct {
        const char* What;
        const char* Keys;
    } cases[] = {{"points", "127.0.0.1"}, {"Tab", "127\t0\t0\t1"}, {"a point too many", "127.0.0.1."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Last_IP_Address = Q("192.168.2.205");
        QFile::remove(Parameter_File());
        auto script = Script_Echoes({1016});
        const TModalLoopGuard guard(*Boot);
        TWinControl* first_focused = nullptr;
        String typed;
        QTimer::singleShot(0, [&] {
            first_focused = Boot->ActiveControl();
            Simulate::TypeIntoFocus(Q(c.Keys));
            typed = Boot->Typed_Address();
            Simulate::Click(Boot->Btn_Update, {5, 5});
            Simulate::Click(Boot->Btn_Cancel, {5, 5});
        });
        EXPECT_EQ(Boot->ShowModal(), mrCancel);
        EXPECT_EQ(first_focused, Boot->E_IP1);
        EXPECT_EQ(typed, Q("127.0.0.1"));
        EXPECT_EQ(script->Addresses, std::vector<std::uint32_t>(2, Loopback));
        EXPECT_TRUE(Seams.Boxes.empty());
        EXPECT_EQ(Last_IP_Address, Q("127.0.0.1"));
        EXPECT_TRUE(Dir.Read(Q("Ethernet_Update.xml")).contains("127.0.0.1"));
    }
}

// ---- The step "Update Device UDP" -------------------------------------------------------------------

TEST_F(BootTest, UpdateDeviceWritesTheImagesThenShowsTheDialogInEthernetMode)
{
    Project_Path = Dir.File(Q("PROJECTS/Plant A"));
    ASSERT_TRUE(ForceDirectories(Project_Path));
    Boot->Form_Type = 0;
    Seams.AnswerModal(mrCancel);
    Update_Device();

    ASSERT_EQ(Seams.ModalForms.size(), 1u);
    EXPECT_EQ(Seams.ModalForms[0].Form, Boot.get());
    EXPECT_EQ(Boot->Form_Type, 1);
    EXPECT_TRUE(Seams.Boxes.empty());
    // Written before the dialog opened, so there even though it was cancelled.
    EXPECT_EQ(Dir.Read(Q("PROJECTS/Plant A/bin/bank1.bin")).size(), 2048);
    EXPECT_TRUE(FileExists(Dir.File(Q("PROJECTS/Plant A/bin/bank2.bin"))));
    EXPECT_TRUE(Seams.StartedPrograms.empty());
}

TEST_F(BootTest, UpdateDeviceStopsWhenTheImagesCannotBeMade)
{
    Project_Path.clear();   // no configuration open: the build refuses
    Update_Device();
    EXPECT_TRUE(Seams.ModalForms.empty());
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);

    // The build works but the bin folder cannot be made: the save refuses.
    Seams.Boxes.clear();
    Dir.Write(Q("PROJECTS/Plant B/bin"), "a file where the folder goes");
    Project_Path = Dir.File(Q("PROJECTS/Plant B"));
    Update_Device();
    EXPECT_TRUE(Seams.ModalForms.empty());
    EXPECT_EQ(Seams.Boxes.size(), 1u);
}

// ---- The updater hand-off -------------------------------------------------------------------------------

TEST_F(BootTest, StartProgramWaitsForTheUpdaterAtMost150SecondsAndNeverStopsIt)
{
    struct TCase {
        const char* Name;
        bool Fail_Start;
        int Polls_Before_Exit;
        bool Hidden;
        std::uint64_t Waited;   // test clock milliseconds
        bool Still_Running;
    } cases[] = {
        {"ends after four polls", false, 3, false, 30, false},
        {"ends at once", false, 0, true, 0, false},
        {"never ends", false, -1, false, 150000, true},
        {"cannot be started", true, -1, false, 0, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Seams.StartedPrograms.clear();
        Seams.Processes.clear();
        Seams.FailProgramStarts = c.Fail_Start;
        Seams.ProgramPollsBeforeExit = c.Polls_Before_Exit;
        const std::uint64_t start = Seams.Clock().Now();
        Seams.Boxes.clear();
        EXPECT_EQ(Start_Program(Dir.File(Q("Ethernet_Update.exe")), Q("-a b"), c.Hidden), !c.Fail_Start);

        EXPECT_EQ(Seams.Clock().Now() - start, c.Waited);
        // A program that cannot be started is said so, naming it.
        ASSERT_EQ(Seams.Boxes.size(), c.Fail_Start ? 1u : 0u);
        if (c.Fail_Start) {
            EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
            EXPECT_TRUE(Seams.Boxes[0].Text.contains(Dir.File(Q("Ethernet_Update.exe")))) << Seams.Boxes[0].Text.toStdString();
        }
        ASSERT_EQ(Seams.StartedPrograms.size(), 1u);
        EXPECT_EQ(Seams.StartedPrograms[0].Path, Dir.File(Q("Ethernet_Update.exe")));
        EXPECT_EQ(Seams.StartedPrograms[0].Parameters, Q("-a b"));
        EXPECT_EQ(Seams.StartedPrograms[0].Hidden, c.Hidden);
        if (c.Fail_Start) continue;
        ASSERT_EQ(Seams.Processes.size(), 1u);
        EXPECT_EQ(Seams.Processes[0]->Running(), c.Still_Running);
    }
}

// A real program in the updater's place: a script that copies the parameter
// file it finds beside itself and ends.
TEST_F(BootTest, RealFakeUpdaterIsStartedInTheProgramFolderAndWaitedFor)
{
    const String updater = Dir.File(Q("Ethernet_Update.exe"));
    Dir.Write(Q("Ethernet_Update.exe"), "#!/bin/sh\ncp Ethernet_Update.xml seen.xml\n");
    ASSERT_TRUE(QFile::setPermissions(updater, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const TSeamHandlers real = RealSeams();
    ::Seams().StartProgram = real.StartProgram;
    ::Seams().Clock = real.Clock;

    Script_Echoes({1016}, false);
    Type_Address("127", "0", "0", "1");
    Choose(1, true);
    Boot->Btn_Update->Click();

    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Dir.Read(Q("seen.xml")), Golden("Ethernet_Update_firmware_read_back.xml"))
        << "the script had ended when the dialog took over again, and read the file beside it";
}

// ---- The real echo, to the loopback address only ----------------------------------------------------------

TEST_F(BootTest, RealPingOfTheLoopbackAddressSucceeds)
{
    if (!IcmpSocketAvailable()) GTEST_SKIP() << "this system lets the test open no ICMP echo socket";
    Type_Address("127", "0", "0", "1");
    EXPECT_TRUE(Boot->Send_Ping());
    EXPECT_EQ(Boot->ping_res, 1);
    EXPECT_EQ(Boot->Ping->ReplyStatus().FromIpAddress, Q("127.0.0.1"));
}

TEST_F(BootTest, Screenshot)
{
    Last_IP_Address = Q("127.0.0.1");
    Boot->Show();
    const QImage image = Boot->PaintToImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(449, 230));
    EXPECT_TRUE(LooksPainted(image, 0xEDF7F8, QRect(0, 0, image.width(), 69)));
    EXPECT_TRUE(image.save(PathJoin(ScreenshotFolder(), Q("device_update.png"))));
    Boot->Hide();
}

} // namespace

// A good ping with no updater beside the program, or one that cannot run:
// the parameter file is written and an error box names the program.
TEST_F(BootTest, MissingOrBrokenUpdaterIsAnErrorBoxNamingIt)
{
    const String updater = Dir.File(Q("Ethernet_Update.exe"));
    const TSeamHandlers real = RealSeams();
    ::Seams().StartProgram = real.StartProgram;
    struct TCase {
        const char* Name;
        const char* Content;   // null: no file at all
    } cases[] = {{"missing", nullptr}, {"not executable", "#!/bin/sh\nexit 0\n"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(updater);
        if (c.Content) Dir.Write(Q("Ethernet_Update.exe"), c.Content);   // without the execute permission
        Seams.Boxes.clear();
        Script_Echoes({1016});
        Type_Address("127", "0", "0", "1");
        Boot->Btn_Update->Click();

        EXPECT_TRUE(FileExists(Parameter_File()));
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_TRUE(Seams.Boxes[0].Text.contains(updater)) << Seams.Boxes[0].Text.toStdString();
    }
}
