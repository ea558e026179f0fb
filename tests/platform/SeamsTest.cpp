// The seam: what tests install, record and answer, and the requests the
// product's message boxes, message dialogs and file dialogs make of it.
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

namespace {

TEST(SeamsTest, TestScopeRestoresTheHandlersItReplaced)
{
    const auto* realClock = Seams().Clock.get();
    {
        TTestSeams outer;
        EXPECT_NE(Seams().Clock.get(), realClock);
        {
            TTestSeams inner;
            ShowMessageBox(MessageBoxRequestFromFlags(QStringLiteral("x"), QString(), MB_OK));
            EXPECT_EQ(inner.Boxes.size(), 1u);
            EXPECT_TRUE(outer.Boxes.empty());
        }
        ShowMessageBox(MessageBoxRequestFromFlags(QStringLiteral("y"), QString(), MB_OK));
        EXPECT_EQ(outer.Boxes.size(), 1u);
    }
    EXPECT_EQ(Seams().Clock.get(), realClock);
}

TEST(SeamsTest, MessageBoxFlagsGiveButtonsIconDefaultAndEscape)
{
    struct TCase {
        unsigned Flags;
        std::vector<int> Buttons;
        TMsgBoxIcon Icon;
        int Default;
        int Cancel;
    };
    const TCase cases[] = {
        {MB_OK, {IDOK}, TMsgBoxIcon::None, IDOK, IDOK},
        {MB_OK | MB_ICONERROR, {IDOK}, TMsgBoxIcon::Error, IDOK, IDOK},
        {MB_OK | MB_ICONWARNING, {IDOK}, TMsgBoxIcon::Warning, IDOK, IDOK},
        {MB_OK | MB_ICONINFORMATION, {IDOK}, TMsgBoxIcon::Information, IDOK, IDOK},
        {MB_OKCANCEL, {IDOK, IDCANCEL}, TMsgBoxIcon::None, IDOK, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, TMsgBoxIcon::Question, IDYES, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, TMsgBoxIcon::None, IDNO, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, TMsgBoxIcon::None, IDCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, TMsgBoxIcon::None, IDABORT, IDABORT},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, TMsgBoxIcon::None, IDRETRY, IDCANCEL},
        {MB_OK | MB_DEFBUTTON4, {IDOK}, TMsgBoxIcon::None, IDOK, IDOK},
    };
    for (const TCase& c : cases) {
        const TMessageBoxRequest r = MessageBoxRequestFromFlags(QStringLiteral("t"), QStringLiteral("c"), c.Flags);
        EXPECT_EQ(r.Buttons, c.Buttons) << std::hex << c.Flags;
        EXPECT_EQ(r.ButtonCaptions.size(), r.Buttons.size());
        EXPECT_EQ(r.Icon, c.Icon) << std::hex << c.Flags;
        EXPECT_EQ(r.DefaultButton, c.Default) << std::hex << c.Flags;
        EXPECT_EQ(r.CancelButton, c.Cancel) << std::hex << c.Flags;
        EXPECT_EQ(r.Flags, c.Flags);
    }
}

TEST(SeamsTest, MessageDlgShowsItsTypeAndButtonsAndReturnsTheAnswer)
{
    TTestSeams seams;
    using B = TMsgDlgBtn;
    struct TCase {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        QString Caption;
        TMsgBoxIcon Icon;
        std::vector<int> Results;
        int Default;
        int Cancel;
    };
    const TCase cases[] = {
        {TMsgDlgType::mtWarning, {B::mbOK}, QStringLiteral("Warning"), TMsgBoxIcon::Warning, {mrOk}, mrOk, mrOk},
        {TMsgDlgType::mtError, {B::mbOK}, QStringLiteral("Error"), TMsgBoxIcon::Error, {mrOk}, mrOk, mrOk},
        {TMsgDlgType::mtInformation, {B::mbOK}, QStringLiteral("Information"), TMsgBoxIcon::Information, {mrOk}, mrOk, mrOk},
        {TMsgDlgType::mtConfirmation, mbYesNo, QStringLiteral("Confirm"), TMsgBoxIcon::Question, {mrYes, mrNo}, mrYes, mrNo},
        {TMsgDlgType::mtConfirmation, mbYesNoCancel, QStringLiteral("Confirm"), TMsgBoxIcon::Question,
         {mrYes, mrNo, mrCancel}, mrYes, mrCancel},
        {TMsgDlgType::mtCustom, mbOKCancel, Application->Title(), TMsgBoxIcon::None, {mrOk, mrCancel}, mrOk, mrCancel},
        {TMsgDlgType::mtWarning, {B::mbAll, B::mbNoToAll, B::mbYesToAll}, QStringLiteral("Warning"), TMsgBoxIcon::Warning,
         {mrAll, mrNoToAll, mrYesToAll}, mrAll, mrAll},
        {TMsgDlgType::mtWarning, {}, QStringLiteral("Warning"), TMsgBoxIcon::Warning, {mrOk}, mrOk, mrOk},
    };
    for (const TCase& c : cases) {
        seams.Boxes.clear();
        EXPECT_EQ(MessageDlg(QStringLiteral("text"), c.Type, c.Buttons, 0), c.Default);
        ASSERT_EQ(seams.Boxes.size(), 1u);
        const TMessageBoxRequest& r = seams.Boxes[0];
        EXPECT_EQ(r.Text, QStringLiteral("text"));
        EXPECT_EQ(r.Caption, c.Caption);
        EXPECT_EQ(r.Icon, c.Icon);
        EXPECT_EQ(r.Buttons, c.Results);
        EXPECT_EQ(r.DefaultButton, c.Default);
        EXPECT_EQ(r.CancelButton, c.Cancel);
    }
    seams.AnswerBox(mrNo);
    EXPECT_EQ(MessageDlg(QStringLiteral("Change language?"), TMsgDlgType::mtConfirmation, mbYesNo, 0), mrNo);
    ShowMessage(QStringLiteral("Hello"));
    EXPECT_EQ(seams.Boxes.back().Buttons, std::vector<int>{mrOk});
    EXPECT_EQ(seams.Boxes.back().Icon, TMsgBoxIcon::None);
}

TEST(SeamsTest, FileDialogsAskTheSeamAndTakeTheAnswer)
{
    TTestSeams seams;
    TSaveDialog save(nullptr);
    save.SetDefaultExt(QStringLiteral("*.mib"));
    save.SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
    save.SetInitialDir(QStringLiteral("/projects/a"));
    save.SetTitle(QStringLiteral("Save MIB"));
    save.SetFileName(QStringLiteral("old.mib"));

    seams.AnswerFileDialog(QStringLiteral("/projects/a/new"));
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/projects/a/new.mib")) << "default extension added";
    seams.AnswerFileDialog(QStringLiteral("/projects/a.b/name.txt"), 2);
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/projects/a.b/name.txt")) << "an extension of its own stays";
    EXPECT_EQ(save.FilterIndex(), 2);
    seams.CancelFileDialog();
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/projects/a.b/name.txt")) << "cancel changes nothing";
    EXPECT_FALSE(save.Execute()) << "unscripted: cancelled";

    ASSERT_EQ(seams.FileDialogs.size(), 4u);
    const TFileDialogRequest& r = seams.FileDialogs[0];
    EXPECT_EQ(r.Kind, TFileDialogRequest::TKind::Save);
    EXPECT_EQ(r.Title, QStringLiteral("Save MIB"));
    EXPECT_EQ(r.InitialDir, QStringLiteral("/projects/a"));
    EXPECT_EQ(r.FileName, QStringLiteral("old.mib"));
    EXPECT_EQ(r.Filter, QStringLiteral("Management Information Base (*.mib)|*.mib"));
    EXPECT_EQ(r.DefaultExt, QStringLiteral("mib"));

    TOpenDialog open(nullptr);
    open.SetOptions({TOpenOption::ofFileMustExist});
    seams.AnswerFileDialog(QStringLiteral("/x/file.ede"));
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(seams.FileDialogs.back().Kind, TFileDialogRequest::TKind::Open);
    EXPECT_TRUE(seams.FileDialogs.back().FileMustExist);
    EXPECT_EQ(open.Files()->Count(), 1);
}

TEST(SeamsTest, DefaultExtensionsAreNormalised)
{
    EXPECT_EQ(NormalizeDefaultExt(QStringLiteral("*.eds")), QStringLiteral("eds"));
    EXPECT_EQ(NormalizeDefaultExt(QStringLiteral(".xml")), QStringLiteral("xml"));
    EXPECT_EQ(NormalizeDefaultExt(QStringLiteral("txt")), QStringLiteral("txt"));
    EXPECT_EQ(NormalizeDefaultExt(QString()), QString());
}

TEST(SeamsTest, LinksAndProgramsAreRecordedAndProcessesEndWhenTold)
{
    TTestSeams seams;
    EXPECT_TRUE(OpenUrl(QStringLiteral("http://www.zorvat.example/HOME/default.asp?frompg=KS40219")));
    EXPECT_EQ(seams.OpenedUrls, std::vector<String>{QStringLiteral("http://www.zorvat.example/HOME/default.asp?frompg=KS40219")});

    TProgramStart start;
    start.Path = QStringLiteral("/opt/q/Ethernet_Update.exe");
    start.Folder = QStringLiteral("/opt/q");
    auto process = StartProgram(start);
    ASSERT_TRUE(process);
    EXPECT_EQ(process->ExitCode(), STILL_ACTIVE);
    seams.Processes.back()->Finish(3);
    EXPECT_EQ(process->ExitCode(), 3u);
    ASSERT_EQ(seams.StartedPrograms.size(), 1u);
    EXPECT_EQ(seams.StartedPrograms[0].Path, start.Path);
    EXPECT_EQ(seams.StartedPrograms[0].Folder, start.Folder);

    seams.FailProgramStarts = true;
    EXPECT_EQ(StartProgram(start), nullptr);
    EXPECT_EQ(seams.StartedPrograms.size(), 2u);
}

TEST(SeamsTest, ProgramWaitedForWithoutMessagesEndsAfterItsPolls)
{
    TTestSeams seams;
    seams.ProgramPollsBeforeExit = 3;
    auto process = StartProgram(TProgramStart{QStringLiteral("/opt/q/Ethernet_Update.exe"), {}, {}, false});
    ASSERT_TRUE(process);
    // A wait of the platform's kind: poll, sleep 10 ms, up to 150 s.
    const std::uint64_t start = GetTickCount64();
    while (process->ExitCode() == STILL_ACTIVE && GetTickCount64() - start < 150000) Sleep(10);
    EXPECT_EQ(GetTickCount64() - start, 30u);
    EXPECT_EQ(seams.Processes.back()->Polls(), 4);

    seams.ProgramPollsBeforeExit = -1;
    auto endless = StartProgram(TProgramStart{QStringLiteral("/opt/q/Ethernet_Update.exe"), {}, {}, false});
    const std::uint64_t again = GetTickCount64();
    while (endless->ExitCode() == STILL_ACTIVE && GetTickCount64() - again < 150000) Sleep(10);
    EXPECT_EQ(GetTickCount64() - again, 150000u);
}

TEST(SeamsTest, HttpRequestsStayOnTheLoopback)
{
    TTestSeams seams;
    EXPECT_EQ(Seams().HttpUrl(QStringLiteral("http://www.zorvat.example/ver/check.asp?sw=KS40219")),
              QStringLiteral("http://127.0.0.1:9/ver/check.asp?sw=KS40219"));
    seams.RedirectHttpTo(QStringLiteral("http://127.0.0.1:8123"));
    EXPECT_EQ(Seams().HttpUrl(QStringLiteral("http://host/a")), QStringLiteral("http://127.0.0.1:8123/a"));
}

TEST(SeamsTest, TestClockFiresTimersInTheOrderTheyComeDue)
{
    TTestClock clock(0);
    std::vector<std::pair<char, std::uint64_t>> ticks;
    clock.StartTimer(300, [&] { ticks.push_back({'a', clock.Now()}); });
    clock.StartTimer(200, [&] { ticks.push_back({'b', clock.Now()}); });
    clock.StartTimer(600, [&] { ticks.push_back({'c', clock.Now()}); });
    clock.Advance(600);
    using T = std::pair<char, std::uint64_t>;
    // At 600 all three are due: in the order they were (re)started.
    EXPECT_EQ(ticks, (std::vector<T>{{'b', 200}, {'a', 300}, {'b', 400}, {'a', 600}, {'b', 600}, {'c', 600}}));
    EXPECT_EQ(clock.Now(), 600u);
}

TEST(SeamsTest, TestClockTimersMayStopAndStartTimersWhileTicking)
{
    TTestClock clock(0);
    std::vector<std::uint64_t> ticks;
    TClock::TTimerId id = 0;
    id = clock.StartTimer(100, [&] {
        ticks.push_back(clock.Now());
        clock.StopTimer(id);
        id = clock.StartTimer(1000, [&] { ticks.push_back(clock.Now()); });
    });
    clock.Advance(2100);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100, 1100, 2100}));
}

TEST(SeamsTest, SleepMovesTimeWithoutTicksUntilTheLoopRuns)
{
    TTestSeams seams;
    int ticks = 0;
    CurrentClock()->StartTimer(25, [&] { ++ticks; });
    const std::uint64_t start = GetTickCount64();
    for (int i = 0; i < 5; ++i) Sleep(10);
    EXPECT_EQ(GetTickCount64() - start, 50u);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(seams.Clock().Sleeps(), (std::vector<unsigned>(5, 10)));
    Application->ProcessMessages();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(GetTickCount(), std::uint32_t(GetTickCount64()));
}

} // namespace

TEST(FileDialogFilters, EachDescriptionShowsItsPatternsOnce)
{
    struct TCase {
        const char* Filter;
        QStringList Expected;
    };
    const TCase cases[] = {
        {"Text files|*.txt|All|*.*", {"Text files (*.txt)", "All (*.*)"}},
        {"BACnet EDE File (*.csv)|*.csv", {"BACnet EDE File (*.csv)"}},
        {"Pictures|*.png;*.jpg", {"Pictures (*.png *.jpg)"}},
        {"Pictures (*.png;*.jpg)|*.png;*.jpg", {"Pictures (*.png;*.jpg)"}},
        {"", {}},
        {"Dangling", {}},
    };
    for (const TCase& c : cases) EXPECT_EQ(ToQtFilters(QString::fromLatin1(c.Filter)), c.Expected) << c.Filter;
}
