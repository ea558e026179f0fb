#pragma once
// Forms (top-level windows, shown normally or modally), the application
// object with its message loop and error box, and the screen.

#include "platform/Controls.h"
#include "platform/Seams.h"

class TTimer;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrClose = 8, mrHelp = 9, mrTryAgain = 10, mrContinue = 11, mrAll = 12,
                       mrNoToAll = 13, mrYesToAll = 14;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum class TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
    poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window. Its Width and Height are those of its client area (the
// frame belongs to the window manager), so Width() == ClientWidth().
//
// Escape and Enter do only what the form's controls say: a key that the
// focused control does not want reaches the form as CM_DIALOGKEY; the form
// moves the focus for Tab and the arrow keys, and offers every other key to
// its controls, where a button whose Cancel (Escape) or Default (Enter) is
// set answers by clicking itself. Nothing else closes the form.
class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Fires OnCreate once. TApplication::CreateForm calls it after the
    // constructor has built the form; code that creates a form itself calls it too.
    virtual void AfterConstruction();
    // Fires OnDestroy once, while the whole form still exists; the
    // application calls it before deleting its forms, Release before deleting one.
    virtual void BeforeDestruction();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);

    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }

    // The control that has (or gets, when the form is activated) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    // True while the form is the active window.
    bool Active() const { return FActive; }

    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides what happens (hide by default).
    // A modal form only gets the Cancel result; its loop then closes it.
    void Close();
    virtual bool CloseQuery();
    // Deletes the form from the event loop, after the current message.
    void Release();

    // Shows the form and runs its own loop until ModalResult is set (a button
    // with a modal result, Close, or code), then hides it and returns the result.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }

    void SetFocus() override;
    bool CanFocus() const override;
    bool Showing() const override { return Visible(); }
    // Internal: a control of this form got the focus (from its WM_SETFOCUS).
    void SetFocusedControl(TWinControl* control);
    // Internal: the control leaves the form or becomes unable to hold the focus.
    void DefocusControl(TWinControl* control, bool removing);
    // Internal: the window was activated or deactivated.
    void SetActive(bool value);
    // Internal: the keyboard took over; the focused control shows its focus mark from now on.
    void ShowFocusCues();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();

    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    void CMDialogKey(TCMDialogKey& Message) override;
    void CMShowingChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void ConstraintsChanged() override;

private:
    friend class TApplication;
    void CloseModal();
    void ApplyWindowFlags();
    void ApplySizeLimits();
    void PlaceOnFirstShow();
    void FocusFirstControl();

    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TBorderIcons FBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TPosition FPosition = TPosition::poDesigned;
    TWindowState FWindowState = TWindowState::wsNormal;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    TWinControl* FFocusedControl = nullptr;
    bool FCreated = false;
    bool FDestroyNotified = false;
    bool FPlaced = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application and assigns it to `reference`
    // before its OnCreate runs; the first form becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        T* form = new T(this);
        reference = form;
        FinishCreateForm(form);
    }
    // Shows the main form and handles messages until Terminate (the main form's Close).
    void Run();
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Waits for the next message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* form) { FMainForm = form; }
    // The title of the error box and the message boxes: the program's name unless set.
    String Title() const;
    void SetTitle(const String& value) { FTitle = value; }
    // The full path of the running program.
    String ExeName() const;
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool value) { FMainFormOnTaskBar = value; }

    // The error box for an exception that reached the boundary: OnException
    // when assigned, otherwise ShowException. EAbort is silent.
    void HandleException(TObject* Sender, const Exception& E);
    // The platform's error box: the message (a full stop added when it ends
    // in a letter or digit), the application's title, error icon, OK.
    void ShowException(const Exception& E);
    TExceptionEvent OnException;

    int MessageBox(const String& Text, const String& Caption, unsigned Flags = MB_OK);

    // ---- Hints (FormsHints.cpp) ----
    // A hint is asked for when the pointer has rested HintPause ms over a
    // control whose ShowHint is on (or over a child of it whose ShowHint is
    // off): the control gets CM_HINTSHOW with its Hint as the text, may change
    // the text, place and window class or refuse, and a non-empty text is
    // shown. The pointer moving within the rectangle the control named changes
    // nothing; moving to another control or out of it asks again, after
    // HintShortPause while a hint is showing. A key, a mouse button, the wheel
    // or the pointer leaving the control cancels the hint; HintHidePause hides
    // it. Every pause runs on the clock seam.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    int HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(int value) { FHintShortPause = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor value) { FHintColor = value; }
    // The pointer moved over `Control` to a point of its client area with
    // the buttons and keys of `Message` (WM_MOUSEMOVE), or a button went down.
    void HintMouseMessage(TControl* Control, TMessage& Message);
    // Asks the hint control for its hint at the pointer and shows it.
    void ActivateHint(const TPoint& CursorPos);
    // Hides the hint and forgets its control: the next move starts afresh.
    void CancelHint();
    // Hides the hint window only.
    void HideHint();
    // The control whose hint is pending or showing; nil when none.
    TControl* HintControl() const { return FHintControl; }
    // A control going away is forgotten as the hint's control.
    void ControlDestroyed(TControl* Control);

    // Deletes every form; the program's main calls it before Qt goes away.
    void DestroyForms();

private:
    void FinishCreateForm(TCustomForm* form);

    TCustomForm* FMainForm = nullptr;
    String FTitle;
    bool FTerminated = false;
    bool FShowMainForm = true;
    bool FMainFormOnTaskBar = false;
    enum class THintTimerMode { Show, Hide, Reshow };
    void StartHintTimer(int Interval, THintTimerMode Mode);
    void StopHintTimer();
    void HintTimerExpired();
    void ForgetHintControl();

    bool FShowHint = true;
    int FHintPause = 500;
    int FHintShortPause = 50;
    int FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    TControl* FHintControl = nullptr;
    TRect FHintCursorRect;   // screen; empty until the hint has been asked for
    bool FHintActive = false;
    THintTimerMode FHintTimerMode = THintTimerMode::Show;
    std::unique_ptr<TTimer> FHintTimer;
    bool FInException = false;
};

// The application object; it lives for the whole program.
extern TApplication* Application;

class TScreen {
public:
    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    int FormCount() const;
    TCustomForm* Forms(int index) const;

private:
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;

// Internal: the window system changed the active window; our record follows
// it once the events of the change have all arrived.
void FollowWindowActivation();
