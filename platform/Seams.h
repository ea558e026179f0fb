#pragma once
// The one replaceable seam for everything that would block the user
// interface or leave the machine: message boxes, file dialogs, modal forms,
// opening web links, starting programs, the HTTP client's destination and the
// clock. The product always goes through Seams(); only tests replace the
// handlers (the tests' common library has the scripted and recording ones).
// Nothing switches the seams from outside the program.

#include "platform/SysUtils.h"
#include "platform/Types.h"

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
struct TDragRequest;

// ---- Message box flags and answers -------------------------------------------
constexpr unsigned MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                   MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_CANCELTRYCONTINUE = 0x6, MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
                   MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
                   MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFBUTTON4 = 0x300,
                   MB_DEFMASK = 0xF00;
constexpr unsigned MB_APPLMODAL = 0x0000, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000,
                   MB_SETFOREGROUND = 0x10000, MB_TOPMOST = 0x40000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7, IDCLOSE = 8,
              IDHELP = 9, IDTRYAGAIN = 10, IDCONTINUE = 11;

enum class TMsgBoxIcon { None, Error, Warning, Information, Question };

// One message box as the user would see it. Answers are the platform's
// button results (IDOK .. IDCONTINUE, which are also the modal results).
struct TMessageBoxRequest {
    String Text;
    String Caption;
    TMsgBoxIcon Icon = TMsgBoxIcon::None;
    std::vector<int> Buttons;          // the answers of the buttons, in the order shown
    std::vector<String> ButtonCaptions;  // their captions, same order
    int DefaultButton = IDOK;          // the answer of the button that Enter presses
    int CancelButton = IDOK;           // the answer when the box is closed or Escape is pressed
    unsigned Flags = 0;                // MB_* flags when the request came as such
};

// The request of a message box in the platform's flags (MB_YESNO | MB_ICONQUESTION ...).
TMessageBoxRequest MessageBoxRequestFromFlags(const String& text, const String& caption, unsigned flags);

// A file dialog's filter in the platform's form ("Text files|*.txt|All|*.*") as Qt's name filters.
QStringList ToQtFilters(const String& filter);

struct TFileDialogRequest {
    enum class TKind { Open, Save };
    TKind Kind = TKind::Open;
    String Title;
    String InitialDir;
    String FileName;
    String Filter;          // "Description|*.ext|Other|*.a;*.b"
    int FilterIndex = 1;    // 1-based, as the platform counts
    String DefaultExt;      // without the dot
    bool AllowMultiSelect = false;
    bool OverwritePrompt = false;
    bool FileMustExist = false;
};

struct TFileDialogAnswer {
    bool Accepted = false;
    std::vector<String> FileNames;
    int FilterIndex = 0;    // 0: unchanged
};

// ---- Programs ----------------------------------------------------------------
constexpr std::uint32_t STILL_ACTIVE = 259;

struct TProgramStart {
    String Path;
    String Parameters;
    String Folder;
    bool Hidden = false;
};

// A started program whose end the caller polls.
class TProcessHandle {
public:
    virtual ~TProcessHandle() = default;
    // STILL_ACTIVE while the program runs, then its exit code (0 when unknown).
    virtual std::uint32_t ExitCode() = 0;
};

// ---- Clock -------------------------------------------------------------------
// Milliseconds since some start, sleeping, and repeating timers. Window
// timers and TTimer run on it, so a test clock decides when they tick.
class TClock {
public:
    using TTimerId = std::uint64_t;
    virtual ~TClock() = default;
    virtual std::uint64_t TickCount() = 0;
    virtual void Sleep(unsigned ms) = 0;
    // `onTick` runs every `intervalMs` (at least 1) until StopTimer.
    virtual TTimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(TTimerId id) = 0;
    // Runs the timers that are due now; the message loop calls it.
    virtual void FireDueTimers() {}
};

// The machine's monotonic clock, with Qt timers delivered by the event loop.
class TSystemClock : public TClock {
public:
    TSystemClock();
    ~TSystemClock() override;
    std::uint64_t TickCount() override;
    void Sleep(unsigned ms) override;
    TTimerId StartTimer(unsigned intervalMs, std::function<void()> onTick) override;
    void StopTimer(TTimerId id) override;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// ---- Screens -------------------------------------------------------------------
// One monitor as the window system describes it: its whole area and the part
// that windows may use (without panels and docks), in screen pixels.
struct TMonitorInfo {
    TRect Bounds;
    TRect WorkArea;
    bool Primary = false;
};

// ---- The seam ------------------------------------------------------------------
struct TSeamHandlers {
    // Shows the box and returns the answer of the button pressed.
    std::function<int(const TMessageBoxRequest&)> MessageBox;
    std::function<TFileDialogAnswer(const TFileDialogRequest&)> FileDialog;
    // One turn of a modal form's loop: the real one waits for and handles the
    // next event; a scripted one acts on the form and sets its ModalResult.
    std::function<void(TCustomForm&)> ModalStep;
    // Opens a web link or document with the desktop's "open" action.
    std::function<bool(const String& url)> OpenUrl;
    // Starts a program; nullptr when it could not be started.
    std::function<std::shared_ptr<TProcessHandle>(const TProgramStart&)> StartProgram;
    // The address the HTTP client really asks, for the address it was given.
    std::function<String(const String& url)> HttpUrl;
    // Shows a pop-up menu at a screen point until the user chooses (the
    // chosen item is clicked before it returns) or dismisses it.
    std::function<void(TPopupMenu* menu, int x, int y)> PopupMenu;
    std::shared_ptr<TClock> Clock;
    // The monitors, the primary one among them; read at each use.
    std::function<std::vector<TMonitorInfo>()> Monitors;
    // Runs a drag until it drops or is cancelled (platform/DragDrop.h): the
    // answer and the effect of the drop.
    std::function<std::int32_t(const TDragRequest&, std::uint32_t& Effect)> DragDrop;
};

TSeamHandlers& Seams();
// The real handlers: Qt dialogs, the desktop's services, processes, the system clock.
TSeamHandlers RealSeams();

// ---- What the product calls ---------------------------------------------------------
int ShowMessageBox(const TMessageBoxRequest& request);
std::uint64_t GetTickCount64();
std::uint32_t GetTickCount();
void Sleep(unsigned ms);
std::shared_ptr<TClock> CurrentClock();
bool OpenUrl(const String& url);
std::shared_ptr<TProcessHandle> StartProgram(const TProgramStart& start);
std::vector<TMonitorInfo> Monitors();
// The monitor that holds the point, else the nearest one (by distance to its
// area); false when there is no monitor at all.
bool MonitorFromPoint(const TPoint& point, TMonitorInfo& monitor);
// The primary monitor's height (the platform's SM_CYSCREEN); 0 without monitors.
int PrimaryScreenHeight();
// The desktop's work area (the platform's SPI_GETWORKAREA): the primary monitor's.
TRect DesktopWorkArea();
