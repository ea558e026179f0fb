#include "platform/Seams.h"

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <signal.h>
#include <sys/types.h>

// ---- Message box requests ---------------------------------------------------------
namespace {

String ButtonCaption(int id)
{
    switch (id) {
    case IDOK: return QStringLiteral("OK");
    case IDCANCEL: return QStringLiteral("Cancel");
    case IDABORT: return QStringLiteral("&Abort");
    case IDRETRY: return QStringLiteral("&Retry");
    case IDIGNORE: return QStringLiteral("&Ignore");
    case IDYES: return QStringLiteral("&Yes");
    case IDNO: return QStringLiteral("&No");
    case IDCLOSE: return QStringLiteral("&Close");
    case IDHELP: return QStringLiteral("&Help");
    case IDTRYAGAIN: return QStringLiteral("&Try Again");
    case IDCONTINUE: return QStringLiteral("&Continue");
    default: return QString::number(id);
    }
}

} // namespace

TMessageBoxRequest MessageBoxRequestFromFlags(const String& text, const String& caption, unsigned flags)
{
    TMessageBoxRequest r;
    r.Text = text;
    r.Caption = caption;
    r.Flags = flags;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: r.Buttons = {IDOK, IDCANCEL}; break;
    case MB_ABORTRETRYIGNORE: r.Buttons = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: r.Buttons = {IDYES, IDNO, IDCANCEL}; break;
    case MB_YESNO: r.Buttons = {IDYES, IDNO}; break;
    case MB_RETRYCANCEL: r.Buttons = {IDRETRY, IDCANCEL}; break;
    case MB_CANCELTRYCONTINUE: r.Buttons = {IDCANCEL, IDTRYAGAIN, IDCONTINUE}; break;
    default: r.Buttons = {IDOK}; break;
    }
    for (int id : r.Buttons) r.ButtonCaptions.push_back(ButtonCaption(id));
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: r.Icon = TMsgBoxIcon::Error; break;
    case MB_ICONQUESTION: r.Icon = TMsgBoxIcon::Question; break;
    case MB_ICONWARNING: r.Icon = TMsgBoxIcon::Warning; break;
    case MB_ICONINFORMATION: r.Icon = TMsgBoxIcon::Information; break;
    default: r.Icon = TMsgBoxIcon::None; break;
    }
    const std::size_t def = (flags & MB_DEFMASK) >> 8;
    r.DefaultButton = r.Buttons[def < r.Buttons.size() ? def : 0];
    // Escape answers Cancel when there is such a button; a box with only OK
    // answers OK; a Yes/No box cannot be escaped, and closing it is refused
    // by the platform: the default answer stands in for that.
    auto has = [&](int id) { return std::find(r.Buttons.begin(), r.Buttons.end(), id) != r.Buttons.end(); };
    r.CancelButton = has(IDCANCEL) ? IDCANCEL : (r.Buttons.size() == 1 ? r.Buttons[0] : r.DefaultButton);
    return r;
}

// ---- Clocks --------------------------------------------------------------------------
struct TSystemClock::TImpl {
    TTimerId NextId = 1;
    std::map<TTimerId, QTimer*> Timers;
};

TSystemClock::TSystemClock() : FImpl(std::make_unique<TImpl>()) {}

TSystemClock::~TSystemClock()
{
    for (auto& [id, timer] : FImpl->Timers) delete timer;
}

std::uint64_t TSystemClock::TickCount()
{
    using namespace std::chrono;
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TSystemClock::Sleep(unsigned ms)
{
    QThread::msleep(ms);
}

TClock::TTimerId TSystemClock::StartTimer(unsigned intervalMs, std::function<void()> onTick)
{
    auto* timer = new QTimer;
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(int(std::max(1u, intervalMs)));
    const TTimerId id = FImpl->NextId++;
    QObject::connect(timer, &QTimer::timeout, timer, [tick = std::move(onTick)] { tick(); });
    FImpl->Timers[id] = timer;
    timer->start();
    return id;
}

void TSystemClock::StopTimer(TTimerId id)
{
    auto it = FImpl->Timers.find(id);
    if (it == FImpl->Timers.end()) return;
    it->second->stop();
    // The timer may be stopping itself from inside its own tick.
    it->second->deleteLater();
    FImpl->Timers.erase(it);
}

TTestClock::TTestClock(std::uint64_t start) : FNow(start) {}

void TTestClock::Sleep(unsigned ms)
{
    FSleeps.push_back(ms);
    FNow += ms;
}

TClock::TTimerId TTestClock::StartTimer(unsigned intervalMs, std::function<void()> onTick)
{
    const TTimerId id = FNextId++;
    TEntry e;
    e.Interval = std::max(1u, intervalMs);
    e.Due = FNow + e.Interval;
    e.Order = FNextOrder++;
    e.OnTick = std::move(onTick);
    FTimers.emplace(id, std::move(e));
    return id;
}

void TTestClock::StopTimer(TTimerId id)
{
    FTimers.erase(id);
}

void TTestClock::FireDueTimers()
{
    RunUntil(FNow);
}

void TTestClock::Advance(std::uint64_t ms)
{
    RunUntil(FNow + ms);
}

void TTestClock::RunUntil(std::uint64_t target)
{
    for (;;) {
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it) {
            if (it->second.Due > target) continue;
            if (next == FTimers.end() || it->second.Due < next->second.Due ||
                (it->second.Due == next->second.Due && it->second.Order < next->second.Order))
                next = it;
        }
        if (next == FTimers.end()) break;
        TEntry& e = next->second;
        FNow = std::max(FNow, e.Due);
        e.Due += e.Interval;
        // The tick may stop or start timers, this one included: call a copy.
        std::function<void()> tick = e.OnTick;
        tick();
    }
    FNow = std::max(FNow, target);
}

// ---- Real handlers ------------------------------------------------------------------
namespace {

QMessageBox::Icon ToQtIcon(TMsgBoxIcon icon)
{
    switch (icon) {
    case TMsgBoxIcon::Error: return QMessageBox::Critical;
    case TMsgBoxIcon::Warning: return QMessageBox::Warning;
    case TMsgBoxIcon::Information: return QMessageBox::Information;
    case TMsgBoxIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

int RealMessageBox(const TMessageBoxRequest& r)
{
    QMessageBox box(ToQtIcon(r.Icon), r.Caption, r.Text);
    std::map<QAbstractButton*, int> answers;
    for (std::size_t i = 0; i < r.Buttons.size(); ++i) {
        const String caption = i < r.ButtonCaptions.size() ? r.ButtonCaptions[i] : ButtonCaption(r.Buttons[i]);
        QPushButton* b = box.addButton(caption, QMessageBox::ActionRole);
        answers[b] = r.Buttons[i];
        if (r.Buttons[i] == r.DefaultButton) box.setDefaultButton(b);
        if (r.Buttons[i] == r.CancelButton) box.setEscapeButton(b);
    }
    box.exec();
    auto it = answers.find(box.clickedButton());
    return it != answers.end() ? it->second : r.CancelButton;
}

// "Text files|*.txt|All|*.*" -> "Text files (*.txt);;All (*.*)"
QStringList ToQtFilters(const String& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

TFileDialogAnswer RealFileDialog(const TFileDialogRequest& r)
{
    QFileDialog dialog(QApplication::activeWindow(), r.Title, r.InitialDir);
    const bool save = r.Kind == TFileDialogRequest::TKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (r.AllowMultiSelect ? QFileDialog::ExistingFiles
                                                  : (r.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile)));
    if (!r.OverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = ToQtFilters(r.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(r.FilterIndex, 1, int(filters.size())) - 1;
        dialog.selectNameFilter(filters[index]);
    }
    if (!r.DefaultExt.isEmpty()) dialog.setDefaultSuffix(r.DefaultExt);
    if (!r.FileName.isEmpty()) dialog.selectFile(r.FileName);
    TFileDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) return answer;
    answer.Accepted = true;
    for (const QString& f : dialog.selectedFiles()) answer.FileNames.push_back(f);
    const int chosen = int(filters.indexOf(dialog.selectedNameFilter()));
    answer.FilterIndex = chosen >= 0 ? chosen + 1 : 0;
    return answer;
}

void RealModalStep(TCustomForm&)
{
    Application->HandleMessage();
}

bool RealOpenUrl(const String& url)
{
    const QUrl u = QUrl::fromUserInput(url);
    return u.isValid() && QDesktopServices::openUrl(u);
}

// A program started apart from us: its end is seen by polling its id. Its
// exit code is not ours to read once it runs on its own, so it reads 0.
class TDetachedProcess : public TProcessHandle {
public:
    explicit TDetachedProcess(qint64 pid) : FPid(pid) {}
    std::uint32_t ExitCode() override
    {
        const bool alive = ::kill(pid_t(FPid), 0) == 0 || errno == EPERM;
        return alive ? STILL_ACTIVE : 0;
    }

private:
    qint64 FPid;
};

std::shared_ptr<TProcessHandle> RealStartProgram(const TProgramStart& s)
{
    qint64 pid = 0;
    const QStringList args = QProcess::splitCommand(s.Parameters);
    if (!QProcess::startDetached(s.Path, args, s.Folder, &pid) || pid <= 0) return nullptr;
    return std::make_shared<TDetachedProcess>(pid);
}

} // namespace

TSeamHandlers RealSeams()
{
    TSeamHandlers h;
    h.MessageBox = RealMessageBox;
    h.FileDialog = RealFileDialog;
    h.ModalStep = RealModalStep;
    h.OpenUrl = RealOpenUrl;
    h.StartProgram = RealStartProgram;
    h.HttpUrl = [](const String& url) { return url; };
    h.PopupMenu = [](TPopupMenu* menu, int x, int y) { ShowPopupMenuWindow(*menu, x, y); };
    h.Clock = std::make_shared<TSystemClock>();
    return h;
}

TSeamHandlers& Seams()
{
    static TSeamHandlers handlers = RealSeams();
    return handlers;
}

int ShowMessageBox(const TMessageBoxRequest& request)
{
    return Seams().MessageBox(request);
}

std::shared_ptr<TClock> CurrentClock()
{
    return Seams().Clock;
}

std::uint64_t GetTickCount64()
{
    return Seams().Clock->TickCount();
}

std::uint32_t GetTickCount()
{
    return std::uint32_t(GetTickCount64());
}

void Sleep(unsigned ms)
{
    Seams().Clock->Sleep(ms);
}

bool OpenUrl(const String& url)
{
    return Seams().OpenUrl(url);
}

std::shared_ptr<TProcessHandle> StartProgram(const TProgramStart& start)
{
    return Seams().StartProgram(start);
}

// ---- Test seams ------------------------------------------------------------------------
TTestSeams::TTestSeams() : FSaved(Seams()), FClock(std::make_shared<TTestClock>())
{
    Install();
}

TTestSeams::~TTestSeams()
{
    Seams() = FSaved;
}

void TTestSeams::Install()
{
    TSeamHandlers& h = Seams();
    h.MessageBox = [this](const TMessageBoxRequest& r) {
        Boxes.push_back(r);
        return NextBoxAnswer(r);
    };
    h.FileDialog = [this](const TFileDialogRequest& r) {
        FileDialogs.push_back(r);
        if (FFileAnswers.empty()) return TFileDialogAnswer{};
        TFileDialogAnswer a = FFileAnswers.front();
        FFileAnswers.pop_front();
        return a;
    };
    h.ModalStep = [this](TCustomForm& form) { ModalStep(form); };
    h.OpenUrl = [this](const String& url) {
        OpenedUrls.push_back(url);
        return true;
    };
    h.StartProgram = [this](const TProgramStart& s) -> std::shared_ptr<TProcessHandle> {
        StartedPrograms.push_back(s);
        if (FailProgramStarts) return nullptr;
        auto p = std::make_shared<TFakeProcess>(ProgramPollsBeforeExit);
        Processes.push_back(p);
        return p;
    };
    h.HttpUrl = [this](const String& url) {
        // Keep the path and query, replace scheme, host and port.
        const QUrl u(url);
        QString rest = u.path(QUrl::FullyEncoded);
        if (u.hasQuery()) rest += u'?' + u.query(QUrl::FullyEncoded);
        return FHttpBase + rest;
    };
    h.PopupMenu = [this](TPopupMenu* menu, int x, int y) {
        Popups.push_back({menu, x, y});
        if (FPopupAnswers.empty()) return;
        const int index = FPopupAnswers.front();
        FPopupAnswers.pop_front();
        if (index >= 0 && index < menu->Items()->Count()) menu->Items()->Items(index)->Click();
    };
    h.Clock = FClock;
}

int TTestSeams::NextBoxAnswer(const TMessageBoxRequest& request)
{
    if (FBoxAnswers.empty()) return request.DefaultButton;
    const int a = FBoxAnswers.front();
    FBoxAnswers.pop_front();
    return a;
}

void TTestSeams::AnswerFileDialog(const String& fileName, int filterIndex)
{
    TFileDialogAnswer a;
    a.Accepted = true;
    a.FileNames.push_back(fileName);
    a.FilterIndex = filterIndex;
    FFileAnswers.push_back(a);
}

void TTestSeams::CancelFileDialog()
{
    FFileAnswers.push_back(TFileDialogAnswer{});
}

void TTestSeams::AnswerModal(std::function<void(TCustomForm&)> callback, int result)
{
    FModalScripts.push_back({std::move(callback), result});
}

void TTestSeams::ModalStep(TCustomForm& form)
{
    TModalRecord record;
    record.Form = &form;
    record.ClassName = form.ClassName();
    record.Caption = form.Caption();
    if (FModalScripts.empty()) {
        // An unscripted form closes with Cancel; one that refuses even that
        // would keep the test waiting for ever, so it is an error.
        if (FLastUnscripted == &form)
            throw Exception(QStringLiteral("The modal form %1 did not close").arg(record.ClassName));
        FLastUnscripted = &form;
        form.SetModalResult(mrCancel);
    } else {
        FLastUnscripted = nullptr;
        TModalScript script = std::move(FModalScripts.front());
        FModalScripts.pop_front();
        if (script.Callback) script.Callback(form);
        if (form.ModalResult() == mrNone) form.SetModalResult(script.Result);
    }
    record.Result = form.ModalResult();
    ModalForms.push_back(record);
}

// ---- Simulated input -----------------------------------------------------------------------

namespace {

// The widget that carries the control's input, and the point there.
QWidget* InputWidget(TControl* control, TPoint& at)
{
    auto* w = dynamic_cast<TWinControl*>(control);
    TControl* c = control;
    while (!w && c->Parent()) {
        at = {at.X + c->Left(), at.Y + c->Top()};
        c = c->Parent();
        w = dynamic_cast<TWinControl*>(c);
    }
    return w ? w->Handle() : nullptr;
}

void SendMouse(TControl* control, QEvent::Type type, TPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers)
{
    QWidget* w = InputWidget(control, at);
    if (!w) return;
    const QPointF local(at.X, at.Y);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, modifiers);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

namespace Simulate {

void KeyDown(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers, const String& text)
{
    QKeyEvent e(QEvent::KeyPress, qtKey, modifiers, text);
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void KeyUp(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent e(QEvent::KeyRelease, qtKey, modifiers);
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void Key(TWinControl* control, int qtKey, Qt::KeyboardModifiers modifiers, const String& text)
{
    QPointer<QWidget> w(control->Handle());
    KeyDown(control, qtKey, modifiers, text);
    // The press may have closed or freed what it was typed into.
    if (w && FindControl(w) == control) KeyUp(control, qtKey, modifiers);
    // The fingers leave the modifier keys too.
    if (modifiers.testFlag(Qt::ShiftModifier)) SetKeyDown(VK_SHIFT, false);
    if (modifiers.testFlag(Qt::ControlModifier)) SetKeyDown(VK_CONTROL, false);
    if (modifiers.testFlag(Qt::AltModifier)) SetKeyDown(VK_MENU, false);
}

void Type(TWinControl* control, const String& text)
{
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers mods;
        if (c >= 'a' && c <= 'z') key = Qt::Key_A + (c - 'a');
        else if (c >= 'A' && c <= 'Z') { key = Qt::Key_A + (c - 'A'); mods = Qt::ShiftModifier; }
        else if (c >= '0' && c <= '9') key = Qt::Key_0 + (c - '0');
        else if (c == '\r') key = Qt::Key_Return;
        else if (c == 8) key = Qt::Key_Backspace;
        else if (c == 27) key = Qt::Key_Escape;
        else if (c == ' ') key = Qt::Key_Space;
        else if (c < 0x80) key = int(c);
        Key(control, key, mods, QString(ch));
    }
}

void MouseDown(TControl* control, const TPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    SendMouse(control, QEvent::MouseButtonPress, at, button, button, modifiers);
}

void MouseUp(TControl* control, const TPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    SendMouse(control, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

void MouseMove(TControl* control, const TPoint& at, Qt::MouseButtons buttons)
{
    SendMouse(control, QEvent::MouseMove, at, Qt::NoButton, buttons, Qt::NoModifier);
}

void Click(TControl* control, const TPoint& at)
{
    MouseDown(control, at);
    MouseUp(control, at);
}

void DoubleClick(TControl* control, const TPoint& at)
{
    MouseDown(control, at);
    MouseUp(control, at);
    SendMouse(control, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    MouseUp(control, at);
}

void Wheel(TControl* control, const TPoint& at, int delta)
{
    TPoint p = at;
    QWidget* w = InputWidget(control, p);
    if (!w) return;
    const QPointF local(p.X, p.Y);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

void Enter(TWinControl* control)
{
    QEnterEvent e(QPointF(0, 0), QPointF(0, 0), QPointF(0, 0));
    QCoreApplication::sendEvent(control->Handle(), &e);
}

void Leave(TWinControl* control)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(control->Handle(), &e);
}

} // namespace Simulate
