// The program's start, from launching its process to its main window shown on the screen, beside
// a bare Qt main window of the same size started the same way in the same run.
//
// Each iteration launches a fresh process and waits until it reports its first window exposed
// and painted (bench/StartupChild.h); that moment ends the iteration's time, leaving the program
// is not timed. The program is this executable started with --start-report: it runs the steps of
// app/main.cpp (the application, the theme, all windows in their fixed order, the message loop
// that shows the main window), so its whole binary loads as the product's does. The bare window
// is startup_bare_qt beside it, which links Qt alone. Both run under the QPA platform the
// benchmark was started with; the label names it and the size of the window shown.
// QuillmerOverBareQt starts both in every iteration and gives their ratio.
//
// The figure that matters is the one on an X server (or Xvfb):
//   Xvfb :57 -screen 0 1280x1024x24 & DISPLAY=:57 build-bench/bench/startup_bench
// Without any display the children run on the offscreen platform.
#include "bench/StartupChild.h"

#include "app/UQuillmereFirmWare.h"
#include "platform/Forms.h"
#include "platform/Themes.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <optional>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// A child that has shown nothing by then has hung (a dialog waiting for a user, a lost display).
constexpr int Child_Time_Limit_Ms = 30000;

// The steps of app/main.cpp, ended once the main window is on the screen.
int StartQuillmer(int argc, char** argv, int fd)
{
    QApplication qtApp(argc, argv);
    UseThemeForApplication();
    Application->Initialize();
    Application->SetMainFormOnTaskBar(true);
    Create_All_Forms();
    TFirstExposure exposure([fd] {
        TCustomForm* main = Application->MainForm();
        ReportShown(fd, main ? main->Handle() : nullptr);
        Application->Terminate();
    });
    Application->Run();
    Destroy_All_Forms();
    return 0;
}

std::string Beside_Me(const char* name)
{
    std::vector<char> self(4096);
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) return {};
    std::string path(self.data(), size_t(length));
    return path.substr(0, path.rfind('/') + 1) + name;
}

// Launches the program with the report pipe and waits for its line; the seconds from the launch
// to the line, or nothing when the child ended or hung without showing a window.
std::optional<double> TimeOneStart(const std::string& program, std::vector<std::string> args, std::string& line)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return std::nullopt;
    args.insert(args.begin(), Start_Report_Option + std::to_string(pipeFds[1]));
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    const auto launched = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string reply;
    if (spawned == 0) {
        pollfd wait{pipeFds[0], POLLIN, 0};
        char buffer[256];
        while (reply.find('\n') == std::string::npos && poll(&wait, 1, Child_Time_Limit_Ms) > 0) {
            const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
            if (got <= 0) break;
            reply.append(buffer, size_t(got));
        }
    }
    const auto shown = std::chrono::steady_clock::now();
    close(pipeFds[0]);
    if (spawned != 0) return std::nullopt;
    const size_t end = reply.find('\n');
    if (end == std::string::npos) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (end == std::string::npos) return std::nullopt;
    line = reply.substr(0, end);
    return std::chrono::duration<double>(shown - launched).count();
}

void TimeStarts(benchmark::State& state, const std::string& program, const std::vector<std::string>& args)
{
    std::string line;
    for (auto _ : state) {
        const std::optional<double> seconds = TimeOneStart(program, args, line);
        if (!seconds) {
            state.SkipWithError((program + " ended or hung without showing its window").c_str());
            break;
        }
        state.SetIterationTime(*seconds);
    }
    state.SetLabel(line);
}

std::string Quillmer() { return Beside_Me("startup_bench"); }
std::string Bare_Qt() { return Beside_Me("startup_bare_qt"); }

// The bare window's arguments: the size the program's main window is shown with, from one start
// of the program; nothing when the program did not show its window.
std::optional<std::vector<std::string>> Bare_Qt_Args()
{
    std::string line;
    if (!TimeOneStart(Quillmer(), {}, line)) return std::nullopt;
    const size_t x = line.rfind('x');
    const size_t space = line.rfind(' ');
    return std::vector<std::string>{line.substr(space + 1, x - space - 1), line.substr(x + 1)};
}

void QuillmerMainWindow(benchmark::State& state) { TimeStarts(state, Quillmer(), {}); }

void BareQtMainWindow(benchmark::State& state)
{
    const auto args = Bare_Qt_Args();
    if (!args) {
        state.SkipWithError("the program did not show its main window");
        return;
    }
    TimeStarts(state, Bare_Qt(), *args);
}

// Both starts in every iteration, taking turns at going first, so that a change in the machine's
// load falls on both alike: the ratio is the figure to keep within 2.
void QuillmerOverBareQt(benchmark::State& state)
{
    const auto args = Bare_Qt_Args();
    if (!args) {
        state.SkipWithError("the program did not show its main window");
        return;
    }
    double quillmer = 0, bare = 0;
    bool quillmerFirst = true;
    std::string line;
    for (auto _ : state) {
        std::optional<double> q, b;
        if (quillmerFirst) q = TimeOneStart(Quillmer(), {}, line);
        b = TimeOneStart(Bare_Qt(), *args, line);
        if (!quillmerFirst) q = TimeOneStart(Quillmer(), {}, line);
        quillmerFirst = !quillmerFirst;
        if (!q || !b) {
            state.SkipWithError("a start ended or hung without showing its window");
            break;
        }
        quillmer += *q;
        bare += *b;
        state.SetIterationTime(*q + *b);
    }
    if (bare > 0) {
        state.counters["quillmer_ms"] = benchmark::Counter(quillmer * 1000, benchmark::Counter::kAvgIterations);
        state.counters["bare_qt_ms"] = benchmark::Counter(bare * 1000, benchmark::Counter::kAvgIterations);
        state.counters["ratio"] = quillmer / bare;
    }
    state.SetLabel(line);
}

BENCHMARK(QuillmerMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BareQtMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(QuillmerOverBareQt)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(4.0);

bool HasDisplay()
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = getenv(name);
        if (value && *value) return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const int fd = StartReportFd(argc, argv);
    if (fd >= 0) {
        int qtArgc = 1;
        return StartQuillmer(qtArgc, argv, fd);
    }
    if (!HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
