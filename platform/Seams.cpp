#include "platform/Seams.h"

#include "platform/DragDrop.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <signal.h>
#include <sys/types.h>

// ---- File dialog filters ----------------------------------------------------------
// "Text files|*.txt|All|*.*" -> "Text files (*.txt);;All (*.*)". A description that already shows its
// patterns, as "Text files (*.txt)|*.txt" does, is taken as it is: Qt would show them twice.
QStringList ToQtFilters(const String& filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        const QString description = parts[i].trimmed();
        result << (description.endsWith(shown) || description.endsWith(QStringLiteral("(%1)").arg(parts[i + 1]))
                       ? description
                       : QStringLiteral("%1 %2").arg(parts[i], shown));
    }
    return result;
}

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

std::vector<TMonitorInfo> RealMonitors()
{
    std::vector<TMonitorInfo> list;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect b = screen->geometry();
        const QRect w = screen->availableGeometry();
        list.push_back({Rect(b.left(), b.top(), b.right() + 1, b.bottom() + 1),
                        Rect(w.left(), w.top(), w.right() + 1, w.bottom() + 1), screen == primary});
    }
    return list;
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
    h.Monitors = RealMonitors;
    h.DragDrop = RealDoDragDrop;
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

std::vector<TMonitorInfo> Monitors()
{
    return Seams().Monitors ? Seams().Monitors() : std::vector<TMonitorInfo>{};
}

bool MonitorFromPoint(const TPoint& point, TMonitorInfo& monitor)
{
    const std::vector<TMonitorInfo> list = Monitors();
    long long best = -1;
    for (const TMonitorInfo& m : list) {
        const TRect& b = m.Bounds;
        const long long dx = point.X < b.Left ? b.Left - point.X : point.X >= b.Right ? point.X - b.Right + 1 : 0;
        const long long dy = point.Y < b.Top ? b.Top - point.Y : point.Y >= b.Bottom ? point.Y - b.Bottom + 1 : 0;
        const long long distance = dx * dx + dy * dy;
        if (best < 0 || distance < best) {
            best = distance;
            monitor = m;
        }
    }
    return best >= 0;
}

namespace {
bool PrimaryMonitor(TMonitorInfo& monitor)
{
    const std::vector<TMonitorInfo> list = Monitors();
    for (const TMonitorInfo& m : list)
        if (m.Primary) {
            monitor = m;
            return true;
        }
    if (list.empty()) return false;
    monitor = list.front();
    return true;
}
} // namespace

int PrimaryScreenHeight()
{
    TMonitorInfo m;
    return PrimaryMonitor(m) ? m.Bounds.Height() : 0;
}

TRect DesktopWorkArea()
{
    TMonitorInfo m;
    return PrimaryMonitor(m) ? m.WorkArea : TRect{};
}
