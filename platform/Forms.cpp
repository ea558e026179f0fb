#include "platform/Forms.h"
#include "platform/Timers.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen;

namespace {

std::vector<TCustomForm*>& AllForms()
{
    static std::vector<TCustomForm*> forms;
    return forms;
}

// Forms in the order they were last activated, the active one last.
std::vector<TCustomForm*>& ActivationOrder()
{
    static std::vector<TCustomForm*> order;
    return order;
}

TCustomForm* ActiveFormPtr = nullptr;

void Forget(std::vector<TCustomForm*>& list, TCustomForm* form)
{
    list.erase(std::remove(list.begin(), list.end(), form), list.end());
}

void ActivateForm(TCustomForm* form)
{
    if (ActiveFormPtr == form) return;
    TCustomForm* old = ActiveFormPtr;
    ActiveFormPtr = form;
    if (form) {
        Forget(ActivationOrder(), form);
        ActivationOrder().push_back(form);
    }
    if (old) old->SetActive(false);
    if (form && ActiveFormPtr == form) form->SetActive(true);
}

// The form that becomes active when the active one goes away: the last one
// activated that is still visible.
void ActivatePrevious(TCustomForm* leaving)
{
    if (ActiveFormPtr != leaving) return;
    const auto& order = ActivationOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (*it != leaving && (*it)->Visible()) {
            ActivateForm(*it);
            return;
        }
    }
    ActiveFormPtr = nullptr;
    leaving->SetActive(false);
}

bool FollowPending = false;

String PlatformErrorText(const Exception& E)
{
    String msg = E.Message();
    if (!msg.isEmpty() && msg.back() > u'.') msg += u'.';
    return msg;
}

} // namespace

void FollowWindowActivation()
{
    if (FollowPending) return;
    FollowPending = true;
    QTimer::singleShot(0, qApp, [] {
        FollowPending = false;
        QWidget* active = QApplication::activeWindow();
        auto* form = dynamic_cast<TCustomForm*>(FindControl(active));
        if (form && form != ActiveFormPtr && form->Visible()) RunGuarded(form, [&] { ActivateForm(form); });
    });
}

void HandleBoundaryException(TObject* sender)
{
    try {
        try {
            throw;
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            Application->HandleException(sender, e);
        } catch (const std::exception& e) {
            Application->HandleException(sender, Exception(QString::fromUtf8(e.what())));
        } catch (...) {
            Application->HandleException(sender, Exception(QStringLiteral("Unknown exception")));
        }
    } catch (...) {
        // An error while reporting an error goes no further than here.
    }
}

// ---- TCustomForm ------------------------------------------------------------------------
TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    FControlStyle.Include(csAcceptsControls);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    AllForms().push_back(this);
}

TCustomForm::~TCustomForm()
{
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
    Forget(ActivationOrder(), this);
    if (ActiveFormPtr == this) ActiveFormPtr = nullptr;
    Forget(AllForms(), this);
}

void TCustomForm::AfterConstruction()
{
    if (FCreated) return;
    FCreated = true;
    if (OnCreate) OnCreate(this);
}

void TCustomForm::BeforeDestruction()
{
    if (FDestroyNotified) return;
    FDestroyNotified = true;
    if (OnDestroy) OnDestroy(this);
}

QWidget* TCustomForm::CreateWidget(QWidget* parentWidget)
{
    auto* w = new QWidget(parentWidget, parentWidget ? Qt::Widget : Qt::Window);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void TCustomForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    Handle()->setWindowTitle(Caption());
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags()
{
    if (!HandleAllocated() || Parent()) return;
    QWidget* w = Handle();
    const bool sysMenu = FBorderIcons.Contains(TBorderIcon::biSystemMenu);
    Qt::WindowFlags f = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (sysMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    bool fixed = true;
    switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
        f = Qt::Window | Qt::FramelessWindowHint;
        break;
    case TFormBorderStyle::bsDialog:
        f |= Qt::Dialog;
        if (sysMenu && FBorderIcons.Contains(TBorderIcon::biHelp)) f |= Qt::WindowContextHelpButtonHint;
        break;
    case TFormBorderStyle::bsToolWindow:
        f |= Qt::Tool;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        f |= Qt::Tool;
        fixed = false;
        break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsSizeable:
        f |= Qt::Window;
        fixed = FBorderStyle == TFormBorderStyle::bsSingle;
        if (sysMenu && FBorderIcons.Contains(TBorderIcon::biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (sysMenu && FBorderIcons.Contains(TBorderIcon::biMaximize) && !fixed) f |= Qt::WindowMaximizeButtonHint;
        break;
    }
    const bool wasVisible = w->isVisible();
    w->setWindowFlags(f);
    if (fixed) w->setFixedSize(Width(), Height());
    else ApplySizeLimits();
    w->setGeometry(Left(), Top(), Width(), Height());
    if (wasVisible) w->show();
}

// A window the user sizes stops at the size limits.
void TCustomForm::ApplySizeLimits()
{
    QWidget* w = Handle();
    const TSizeConstraints& c = *Constraints();
    w->setMinimumSize(c.MinWidth(), c.MinHeight());
    w->setMaximumSize(c.MaxWidth() > 0 ? c.MaxWidth() : QWIDGETSIZE_MAX,
                      c.MaxHeight() > 0 ? c.MaxHeight() : QWIDGETSIZE_MAX);
}

void TCustomForm::ConstraintsChanged()
{
    TCustomControl::ConstraintsChanged();
    const bool sizeable = FBorderStyle == TFormBorderStyle::bsSizeable || FBorderStyle == TFormBorderStyle::bsSizeToolWin;
    if (HandleAllocated() && !Parent() && sizeable) ApplySizeLimits();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value == FBorderIcons) return;
    FBorderIcons = value;
    ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (value == FWindowState) return;
    FWindowState = value;
    if (!HandleAllocated() || !Visible()) return;
    switch (value) {
    case TWindowState::wsMinimized: Handle()->showMinimized(); break;
    case TWindowState::wsMaximized: Handle()->showMaximized(); break;
    default: Handle()->showNormal(); break;
    }
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control != FActiveControl) {
        if (control && (!ContainsControl(control) || !control->CanFocus()))
            throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
        FActiveControl = control;
    }
    if (FActive && control) FocusWindow(control);
}

void TCustomForm::SetActive(bool value)
{
    if (value == FActive) return;
    FActive = value;
    if (!value) {
        Deactivate();
        return;
    }
    Activate();
    if (!FActive) return;
    if (FActiveControl && FActiveControl->CanFocus()) FocusWindow(FActiveControl);
    else FocusWindow(this);
}

void TCustomForm::Activate()
{
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::CanFocus() const
{
    return Visible() && Enabled();
}

void TCustomForm::SetFocus()
{
    if (!FActive) {
        if (!Visible() || !Enabled()) throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
        ActivateForm(this);
        return;
    }
    FocusWindow(FActiveControl ? FActiveControl : this);
}

// Sends CM_EXIT up from the control losing the focus and CM_ENTER down to the
// one getting it, each as far as the containers they do not share.
void TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (control == this || !ContainsControl(control)) return;
    FActiveControl = control;
    if (FFocusedControl == control) return;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    TWinControl* common = control;
    while (common && common != this && old && !common->ContainsControl(old)) common = common->Parent();
    if (!old) common = this;
    for (TWinControl* c = old; c && c != common && c != this; c = c->Parent()) {
        c->Perform(CM_EXIT);
        if (FFocusedControl != control) return;
    }
    std::vector<TWinControl*> chain;
    for (TWinControl* c = control; c && c != common && c != this; c = c->Parent()) chain.push_back(c);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->Perform(CM_ENTER);
        if (FFocusedControl != control) return;
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    if (!control) return;
    if (FFocusedControl && control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
    if (FActiveControl && control->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (!removing && FActive && FindFocusedControl() && control->ContainsControl(FindFocusedControl()))
            FocusWindow(this);
    }
}

void TCustomForm::FocusFirstControl()
{
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
}

void TCustomForm::PlaceOnFirstShow()
{
    if (FPlaced) return;
    FPlaced = true;
    auto centreOn = [this](const TRect& area) {
        SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
    };
    const TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
    switch (FPosition) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        centreOn(screen);
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TCustomForm* other = FPosition == TPosition::poMainFormCenter ? Application->MainForm() : FindOwnerForm(Owner());
        if (other && other != this && other->Visible()) centreOn(other->BoundsRect());
        else centreOn(screen);
        break;
    }
    default:
        break;
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (Visible()) ActivateForm(this);
}

void TCustomForm::Hide()
{
    SetVisible(false);
}

void TCustomForm::CMVisibleChanged(TMessage&)
{
    Perform(CM_SHOWINGCHANGED);
}

// Showing: OnShow while the window is about to appear, then it appears and
// becomes the active window. Hiding: OnHide, then it goes and the window
// activated before it becomes active again.
void TCustomForm::CMShowingChanged(TMessage&)
{
    if (Visible()) {
        HandleNeeded();
        PlaceOnFirstShow();
        FocusFirstControl();
        DoShow();
        if (!Visible()) return;
        Handle()->setGeometry(Left(), Top(), Width(), Height());
        Handle()->show();
        ActivateForm(this);
    } else {
        DoHide();
        if (HandleAllocated()) Handle()->hide();
        ActivatePrevious(this);
    }
}

void TCustomForm::DoShow()
{
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose) OnClose(this, action);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::CloseModal()
{
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
        action = TCloseAction::caHide;
        DoClose(action);
    }
    if (action == TCloseAction::caNone) FModalResult = mrNone;
    else if (action == TCloseAction::caFree) Release();
}

void TCustomForm::Release()
{
    PostMessage(this, CM_RELEASE);
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled()) throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    if (TControl* c = GetCapture()) c->Perform(WM_CANCELMODE);
    ReleaseCapture();
    HandleNeeded();
    Handle()->setWindowModality(Qt::ApplicationModal);
    FModal = true;
    FModalResult = mrNone;
    // The window the user worked in gets the activation back, as the modal window's owner does on
    // Windows; left to the window system, the application may end up with no active window at all.
    const QPointer<QWidget> previous = QApplication::activeWindow();
    auto finish = [this, previous] {
        FModal = false;
        if (previous && previous->isVisible()) previous->activateWindow();
        Hide();
        if (HandleAllocated()) Handle()->setWindowModality(Qt::NonModal);
    };
    try {
        Show();
        for (;;) {
            Seams().ModalStep(*this);
            if (Application->Terminated()) FModalResult = mrCancel;
            if (FModalResult != mrNone) CloseModal();
            if (FModalResult != mrNone) break;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return FModalResult;
}

// Until the keyboard moves the focus the window shows no focus marks, as the
// platform hides them from mouse users; from then on the focused control
// shows its mark (the style draws it only for windows so flagged).
void TCustomForm::ShowFocusCues()
{
    if (HandleAllocated()) Handle()->setAttribute(Qt::WA_KeyboardFocusChange, true);
}

// Tab and the arrows move the focus; every other key is offered to the
// controls, where a button may take Enter or Escape as its own.
void TCustomForm::CMDialogKey(TCMDialogKey& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        const WORD key = WORD(Message.CharCode);
        const TShiftState shift = KeyDataToShiftState(Message.KeyData);
        switch (key) {
        case VK_TAB:
            if (!shift.Contains(ssCtrl)) {
                ShowFocusCues();
                SelectNext(FActiveControl, !shift.Contains(ssShift), true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                ShowFocusCues();
                FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TCustomControl::CMDialogKey(Message);
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(Message);
        if (HandleAllocated()) Handle()->setWindowTitle(Caption());
        break;
    case CM_RELEASE:
        BeforeDestruction();
        delete this;
        break;
    case WM_CLOSE:
        Close();
        break;
    default:
        TCustomControl::Dispatch(Message);
        break;
    }
}

// ---- TApplication -----------------------------------------------------------------------
TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize()
{
    FTerminated = false;
}

void TApplication::FinishCreateForm(TCustomForm* form)
{
    form->AfterConstruction();
    if (!FMainForm) FMainForm = form;
}

void TApplication::Run()
{
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    CurrentClock()->FireDueTimers();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleMessage()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    CurrentClock()->FireDueTimers();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

String TApplication::ExeName() const
{
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : String();
}

String TApplication::Title() const
{
    if (!FTitle.isEmpty()) return FTitle;
    return QFileInfo(ExeName()).completeBaseName();
}

void TApplication::HandleException(TObject* Sender, const Exception& E)
{
    if (dynamic_cast<const EAbort*>(&E)) return;
    try {
        if (OnException) OnException(Sender, E);
        else ShowException(E);
    } catch (...) {
        // The handler of errors must not raise one of its own past this point.
    }
}

void TApplication::ShowException(const Exception& E)
{
    MessageBox(PlatformErrorText(E), Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, unsigned Flags)
{
    return ShowMessageBox(MessageBoxRequestFromFlags(Text, Caption, Flags));
}

void TApplication::DestroyForms()
{
    CancelHint();
    std::vector<TCustomForm*> forms;
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) forms.push_back(f);
    }
    for (TCustomForm* f : forms) f->BeforeDestruction();
    for (TCustomForm* f : forms) delete f;
    FMainForm = nullptr;
}

// ---- TScreen -------------------------------------------------------------------------------
int TScreen::Width() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

void TScreen::SetCursor(TCursor value)
{
    if (value == FCursor) return;
    const bool had = FCursor != crDefault;
    FCursor = value;
    if (!QGuiApplication::instance()) return;
    if (value == crDefault) {
        if (had) QGuiApplication::restoreOverrideCursor();
        return;
    }
    static const std::map<TCursor, Qt::CursorShape> shapes = {
        {crArrow, Qt::ArrowCursor}, {crHourGlass, Qt::WaitCursor}, {crSQLWait, Qt::WaitCursor},
        {crDrag, Qt::DragMoveCursor}, {crNoDrop, Qt::ForbiddenCursor}, {crNo, Qt::ForbiddenCursor},
        {crHandPoint, Qt::PointingHandCursor}, {crCross, Qt::CrossCursor}, {crIBeam, Qt::IBeamCursor},
        {crSizeWE, Qt::SizeHorCursor}, {crSizeNS, Qt::SizeVerCursor}, {crHSplit, Qt::SplitHCursor},
        {crVSplit, Qt::SplitVCursor}, {crMultiDrag, Qt::DragCopyCursor}, {crAppStart, Qt::BusyCursor}};
    const auto it = shapes.find(value);
    const QCursor cursor(it != shapes.end() ? it->second : Qt::ArrowCursor);
    if (had) QGuiApplication::changeOverrideCursor(cursor);
    else QGuiApplication::setOverrideCursor(cursor);
}

TCustomForm* TScreen::ActiveForm() const
{
    return ActiveFormPtr;
}

TWinControl* TScreen::ActiveControl() const
{
    return ActiveFormPtr ? ActiveFormPtr->ActiveControl() : nullptr;
}

int TScreen::FormCount() const
{
    return int(AllForms().size());
}

TCustomForm* TScreen::Forms(int index) const
{
    return AllForms().at(std::size_t(index));
}
