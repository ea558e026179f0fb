#pragma once
// The test doubles of the platform's seam: a process a test ends, a clock a
// test moves, the scripted and recording seam handlers, and simulated input.

#include "platform/DragDrop.h"
#include "platform/Seams.h"

#include <QByteArray>
#include <QEvent>
#include <Qt>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class TControl;
class TCustomForm;
class TWinControl;
class TPopupMenu;
class QTimer;

// A process whose end a test decides: by Finish, or after it has been
// polled a given number of times (for callers that wait without handling
// messages in between).
class TFakeProcess : public TProcessHandle {
public:
    explicit TFakeProcess(int pollsBeforeExit = -1, std::uint32_t exitCode = 0)
        : FPollsLeft(pollsBeforeExit), FExitCode(exitCode)
    {
    }
    std::uint32_t ExitCode() override
    {
        ++FPolls;
        if (FRunning && FPollsLeft >= 0 && FPollsLeft-- == 0) FRunning = false;
        return FRunning ? STILL_ACTIVE : FExitCode;
    }
    void Finish(std::uint32_t exitCode = 0)
    {
        FRunning = false;
        FExitCode = exitCode;
    }
    bool Running() const { return FRunning; }
    int Polls() const { return FPolls; }

private:
    bool FRunning = true;
    int FPollsLeft;
    std::uint32_t FExitCode;
    int FPolls = 0;
};

// Time stands still until a test moves it. Advance fires every timer that
// comes due on the way, in the order they come due (timers due at the same
// moment in the order they were started), each at its own moment. Sleep
// moves the time without firing anything, as a sleeping thread handles no
// messages; the next FireDueTimers or Advance delivers what came due.
class TTestClock : public TClock {
public:
    explicit TTestClock(std::uint64_t start = 1000000);
    std::uint64_t TickCount() override { return FNow; }
    void Sleep(unsigned ms) override;
    TTimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) override;
    void StopTimer(TTimerId id) override;
    void FireDueTimers() override;

    void Advance(std::uint64_t ms);
    std::uint64_t Now() const { return FNow; }
    int TimerCount() const { return int(FTimers.size()); }
    // Every Sleep a test clock was asked for, in order.
    const std::vector<unsigned>& Sleeps() const { return FSleeps; }

private:
    struct TEntry {
        unsigned Interval = 1;
        std::uint64_t Due = 0;
        std::uint64_t Order = 0;
        std::function<void()> OnTick;
    };
    void RunUntil(std::uint64_t target);

    std::uint64_t FNow;
    std::uint64_t FNextId = 1;
    std::uint64_t FNextOrder = 1;
    std::map<TTimerId, TEntry> FTimers;
    std::vector<unsigned> FSleeps;
};

// ---- Tests ----------------------------------------------------------------------------
// While alive, every seam is scripted and recorded, and time runs on a test
// clock; the previous handlers come back when it goes. Unscripted requests
// get a neutral answer: a box its default button, a file dialog Cancel, a
// modal form mrCancel, a program a fake process that runs until finished.
class TTestSeams {
public:
    TTestSeams();
    ~TTestSeams();
    TTestSeams(const TTestSeams&) = delete;
    TTestSeams& operator=(const TTestSeams&) = delete;

    // Message boxes.
    std::vector<TMessageBoxRequest> Boxes;
    void AnswerBox(int answer) { FBoxAnswers.push_back(answer); }

    // File dialogs.
    std::vector<TFileDialogRequest> FileDialogs;
    void AnswerFileDialog(const String& fileName, int filterIndex = 0);
    void CancelFileDialog();

    // Modal forms: the callback runs against the shown form, then the form
    // closes with `result` unless the callback set a modal result itself.
    struct TModalRecord {
        TCustomForm* Form = nullptr;
        String ClassName;
        String Caption;
        int Result = 0;   // the modal result in force after the step
    };
    std::vector<TModalRecord> ModalForms;
    void AnswerModal(std::function<void(TCustomForm&)> callback, int result);
    void AnswerModal(int result) { AnswerModal(nullptr, result); }

    // Links and programs.
    std::vector<String> OpenedUrls;
    std::vector<TProgramStart> StartedPrograms;
    std::vector<std::shared_ptr<TFakeProcess>> Processes;
    // The next starts fail (the program cannot be started).
    bool FailProgramStarts = false;
    // Started programs end after this many polls of their exit code (-1: when finished by hand).
    int ProgramPollsBeforeExit = -1;

    // Every HTTP request goes to this base address ("http://127.0.0.1:<port>");
    // by default to a closed loopback port, so nothing leaves the machine.
    void RedirectHttpTo(const String& base) { FHttpBase = base; }
    String HttpBase() const { return FHttpBase; }

    // Pop-up menus: each request is recorded; the next scripted answer clicks
    // the menu's top-level item with that index (-1, or no script: dismissed).
    struct TPopupRecord {
        TPopupMenu* Menu = nullptr;
        int X = 0;
        int Y = 0;
    };
    std::vector<TPopupRecord> Popups;
    void AnswerPopup(int itemIndex) { FPopupAnswers.push_back(itemIndex); }

    // Drags: each is recorded with its formats in the order the data offers
    // them, then played by PlayDrag (which may send drag events to windows
    // and answers as the platform's drag does); without it a drag is cancelled.
    struct TDragRecord {
        std::vector<std::pair<String, QByteArray>> Formats;
        std::uint32_t OkEffects = 0;
    };
    std::vector<TDragRecord> Drags;
    std::function<std::int32_t(const TDragRequest&, std::uint32_t& Effect)> PlayDrag;

    TTestClock& Clock() { return *FClock; }

    // The monitors the window system reports from now on (see Monitors()).
    void SetMonitors(std::vector<TMonitorInfo> monitors)
    {
        Seams().Monitors = [monitors] { return monitors; };
    }

private:
    void Install();
    int NextBoxAnswer(const TMessageBoxRequest& request);
    void ModalStep(TCustomForm& form);

    TSeamHandlers FSaved;
    std::shared_ptr<TTestClock> FClock;
    std::deque<int> FBoxAnswers;
    std::deque<TFileDialogAnswer> FFileAnswers;
    struct TModalScript {
        std::function<void(TCustomForm&)> Callback;
        int Result = 0;
    };
    std::deque<TModalScript> FModalScripts;
    TCustomForm* FLastUnscripted = nullptr;
    std::deque<int> FPopupAnswers;
    String FHttpBase = QStringLiteral("http://127.0.0.1:9");
};

// A test through a form's real modal loop never hangs: should the form still
// be open after `ms` milliseconds, its loop ends with mrAbort.
class TModalLoopGuard {
public:
    explicit TModalLoopGuard(TCustomForm& form, int ms = 10000);
    ~TModalLoopGuard();
    TModalLoopGuard(const TModalLoopGuard&) = delete;
    TModalLoopGuard& operator=(const TModalLoopGuard&) = delete;

private:
    std::unique_ptr<QTimer> FTimer;
};

// ---- Simulated input, for tests ----------------------------------------------------
// Sends Qt input events to a control's widget, so the whole way from Qt
// through the translation into messages is taken, as a user's input would.
// Points are in the control's client coordinates; a graphic control's events
// go to its parent's widget, as the pointer over it would.
namespace Simulate {
// One key press and release, the modifiers released with it. `text` is what
// the key types ("a", "\r"); keys of the numeric keypad pass Qt::KeypadModifier.
void Key(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const String& text = {});
void KeyDown(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const String& text = {});
void KeyUp(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Presses and releases a key for each character.
void Type(TWinControl* control, const String& text);
// Each character goes to the control that has the keyboard focus at that
// moment, as a user's keys do, so a key that moves the focus sends the next
// one elsewhere; "\t" is Tab. Fails the test when nothing has the focus.
void TypeIntoFocus(const String& text);
void MouseDown(TControl* control, const TPoint& at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MouseUp(TControl* control, const TPoint& at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void MouseMove(TControl* control, const TPoint& at, Qt::MouseButtons buttons = Qt::NoButton);
void DoubleClick(TControl* control, const TPoint& at);
void Click(TControl* control, const TPoint& at);
void Wheel(TControl* control, const TPoint& at, int delta);
// The pointer comes over the control's window, or leaves it.
void Enter(TWinControl* control);
void Leave(TWinControl* control);

// The mouse as the window system hands it over: each press and release goes
// to the control's top-level window with a time stamp, `afterMs` later than
// the one before, so Qt's double-click detection, its grab of the pressed
// widget and its routing to an open pop-up all take part. The time is the
// events' own: nothing waits. Points are in the control's client coordinates.
class TPointer {
public:
    void Press(TControl* control, const TPoint& at, int afterMs);
    void Release(TControl* control, const TPoint& at, int afterMs);
    // The pointer moves there, the button held or not as it is.
    void Move(TControl* control, const TPoint& at, int afterMs);
    // Press, then release `holdMs` later.
    void Click(TControl* control, const TPoint& at, int afterMs, int holdMs = 0);

private:
    void Send(TControl* control, const TPoint& at, int afterMs, QEvent::Type type);
    Qt::MouseButtons FButtons;
};
} // namespace Simulate
