#pragma once
// Controls and windows: TControl < TWinControl < TCustomControl, and
// TGraphicControl. A windowed control is backed by a Qt widget created when
// its handle is first needed; the widget's Qt events are translated into
// window messages and reach the control through WndProc:
//
//   WndProc -> Dispatch -> message handler (WMLButtonDown, WMKeyDown, ...)
//           -> the base handler calls the virtual step (MouseDown, KeyDown, ...)
//           -> the step fires the event (OnMouseDown, OnKeyDown, ...)
//
// A subclass overrides a handler and calls the base one for the inherited
// behaviour. Messages nobody handles go to DefaultHandler, which lets the Qt
// widget do its own processing (so a line edit still edits). A key handler
// that sets the key to 0 stops that default processing.

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"

#include <functional>
#include <vector>

class QWidget;
class QPainter;
class QEvent;
class QImage;
class TWinControl;
class TCustomForm;
class TBasicAction;
class TPopupMenu;

// ---- Errors ------------------------------------------------------------------
// A silent exception: it ends the current operation, and the boundary between
// Qt and our code swallows it without an error box.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};
[[noreturn]] void Abort();

// An operation that the control's state does not allow ("Cannot focus a
// disabled or invisible window", "Cannot make a visible window modal").
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// Runs `f` as code called from Qt: an exception that leaves it is shown as
// the application's error box (see TApplication::HandleException) and goes no
// further. Returns false when `f` raised. Every call from Qt into our code
// goes through here.
void HandleBoundaryException(TObject* sender);
template <class F>
bool RunGuarded(TObject* sender, F&& f)
{
    try {
        f();
        return true;
    } catch (...) {
        HandleBoundaryException(sender);
        return false;
    }
}

// ---- Small types -----------------------------------------------------------------
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBorderStyle { bsNone, bsSingle };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22, crSize = -22;

enum class TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
    csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
    csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;
constexpr TControlStyleItem csAcceptsControls = TControlStyleItem::csAcceptsControls,
                            csCaptureMouse = TControlStyleItem::csCaptureMouse,
                            csClickEvents = TControlStyleItem::csClickEvents,
                            csFramed = TControlStyleItem::csFramed, csSetCaption = TControlStyleItem::csSetCaption,
                            csOpaque = TControlStyleItem::csOpaque,
                            csDoubleClicks = TControlStyleItem::csDoubleClicks,
                            csFixedWidth = TControlStyleItem::csFixedWidth,
                            csFixedHeight = TControlStyleItem::csFixedHeight,
                            csNoStdEvents = TControlStyleItem::csNoStdEvents,
                            csParentBackground = TControlStyleItem::csParentBackground;

enum class TControlStateItem {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy,
    csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateItem>;
constexpr TControlStateItem csLButtonDown = TControlStateItem::csLButtonDown,
                            csClicked = TControlStateItem::csClicked, csFocusing = TControlStateItem::csFocusing,
                            csCreating = TControlStateItem::csCreating,
                            csPaintCopy = TControlStateItem::csPaintCopy,
                            csCustomPaint = TControlStateItem::csCustomPaint,
                            csDestroyingHandle = TControlStateItem::csDestroyingHandle;

// ---- Events ----------------------------------------------------------------------
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

class TControl;
class THintWindow;

// What CM_HINTSHOW carries (LParam points at it): a handler may change the
// text, the position or cancel the hint by answering non-zero.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;            // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;          // in the control's client coordinates
    TPoint CursorPos;          // in the control's client coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
    // The window class for this hint; empty for the application's.
    std::function<THintWindow*(TComponent* AOwner)> HintWindowClass;
};

// ---- Size limits -------------------------------------------------------------------
// The smallest and largest size a control may take, 0 for no limit. Every
// new size of the control is held within them, and a window's limits also
// bound what the user can drag it to.
class TSizeConstraints {
public:
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value) { Store(FMinWidth, value); }
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value) { Store(FMinHeight, value); }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value) { Store(FMaxWidth, value); }
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value) { Store(FMaxHeight, value); }

    // A size held within the limits.
    int Width(int width) const { return Limit(width, FMinWidth, FMaxWidth); }
    int Height(int height) const { return Limit(height, FMinHeight, FMaxHeight); }

    // Fires after each change.
    std::function<void()> OnChange;

private:
    static int Limit(int value, int least, int most)
    {
        if (most > 0 && value > most) value = most;
        return least > 0 && value < least ? least : value;
    }
    void Store(int& field, int value)
    {
        value = value < 0 ? 0 : value;
        if (value == field) return;
        field = value;
        if (OnChange) OnChange();
    }
    int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// ---- TControl ----------------------------------------------------------------------
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // The class name as the platform reports it ("TEdit", "TZvPushButton").
    String ClassName() const;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    virtual bool IsWindowed() const { return false; }

    // ---- Geometry (pixels of the parent's client area) ----
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    virtual void SetClientSize(int w, int h);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;
    TPoint ClientToParent(const TPoint& p, TWinControl* AParent = nullptr) const;
    TPoint ParentToClient(const TPoint& p, TWinControl* AParent = nullptr) const;

    TSizeConstraints* Constraints() const { return FConstraints.get(); }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);

    // ---- State ----
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents (a form: visible itself).
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);
    // Enabled, and so are all its parents.
    bool IsEnabledInChain() const;

    String Caption() const { return GetText(); }
    void SetCaption(const String& value) { SetText(value); }
    String Text() const { return GetText(); }
    // Stores the text and sends CM_TEXTCHANGED when it differs.
    void SetText(const String& value) { SetTextValue(value); }

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value) { FBiDiMode = value; }
    bool UseRightToLeftReading() const { return FBiDiMode != TBiDiMode::bdLeftToRight; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // ---- Painting ----
    virtual void Invalidate();
    // Paints what is waiting to be painted now.
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    // Renders the control as it looks now, its children included.
    QImage PaintToImage();
    void PaintTo(QPainter& painter, int X, int Y);

    void BringToFront();
    void SendToBack();

    // ---- Messages ----
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    virtual void Click();
    virtual void DblClick();

    // ---- Linked action and pop-up menu ----
    // Either is forgotten when it goes away first.
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    // The linked action was linked (CheckDefaults: only fill what still has
    // its default) or one of its properties changed: the control takes over
    // the action's caption, enabled state, hint and visibility.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

    // ---- Events ----
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;

    // Watchers of this control's size, keyed by their owner: each new size
    // reaches them before OnResize, the last added first. A watcher removes
    // itself when its owner goes, so nothing outlives what it calls.
    using TResizeWatch = std::function<void(TControl* Sender)>;
    void AddResizeWatch(const void* Owner, TResizeWatch Watch);
    void RemoveResizeWatch(const void* Owner);

    // Internal: the parent keeps its list in step.
    void SetParentField(TWinControl* p) { FParent = p; }
    // Internal: geometry adopted from the window system, without sending it back.
    void UpdateBoundsFromWindow(int ALeft, int ATop, int AWidth, int AHeight);
    // Internal: a serial number, stable for the control's life (posted messages use it).
    std::uint64_t Serial() const { return FSerial; }

protected:
    // ---- Virtual steps ----
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void Resize();
    virtual String GetText() const { return FText; }
    virtual void SetTextValue(const String& value);
    virtual void VisibleChanging() {}

    // ---- Message handlers ----
    virtual void WMLButtonDown(TWMMouse& Message);
    virtual void WMLButtonUp(TWMMouse& Message);
    virtual void WMLButtonDblClk(TWMMouse& Message);
    virtual void WMRButtonDown(TWMMouse& Message);
    virtual void WMRButtonUp(TWMMouse& Message);
    virtual void WMRButtonDblClk(TWMMouse& Message);
    virtual void WMMButtonDown(TWMMouse& Message);
    virtual void WMMButtonUp(TWMMouse& Message);
    virtual void WMMButtonDblClk(TWMMouse& Message);
    virtual void WMMouseMove(TWMMouse& Message);
    virtual void WMMouseWheel(TWMMouseWheel& Message);
    virtual void WMCancelMode(TWMCancelMode& Message);
    virtual void WMPaint(TWMPaint& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMCursorChanged(TMessage& Message);
    virtual void CMHintShow(TMessage& Message);
    virtual void CMHitTest(TMessage& Message);
    virtual void CMDialogKey(TCMDialogKey& Message);
    virtual void CMDialogChar(TCMDialogChar& Message);

    // Tells the parent that its children need aligning again.
    void RequestAlign();
    // Repaints the control's area of its parent (a graphic control's surface).
    void InvalidateControl();
    // A mouse message's common part: capture, click tracking, the step.
    void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TWMMouse& Message, TMouseButton Button);
    // Font and colour changes that come from the parent, not from the control itself.
    void ApplyParentFont(const TFont* parentFont);
    void ApplyParentColor(TColor parentColor);
    void Notification(TComponent* component, TOperation operation) override;

    TControlStyle FControlStyle;
    TControlState FControlState;

private:
    void FontChanged(TObject* sender);

protected:
    // A new size: the watchers, then the control's own resize step.
    void SizeChanged();
    // The size limits changed: the control takes a size within them.
    virtual void ConstraintsChanged();

private:
    std::vector<std::pair<const void*, TResizeWatch>> FResizeWatches;

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = TAlign::alNone;
    TAnchors FAnchors{TAnchorKind::akLeft, TAnchorKind::akTop};
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FParentFont = true;
    bool FChangingFontFromParent = false;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    std::uint64_t FSerial = 0;
    TBasicAction* FAction = nullptr;
    TPopupMenu* FPopupMenu = nullptr;

    friend class TWinControl;
    friend class TCustomForm;
};

// ---- TWinControl ---------------------------------------------------------------------
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    // ---- Children (in z-order: later ones lie on top) ----
    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(std::size_t(index)); }
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child under a point of the client area; disabled
    // ones only with allowDisabled, windowed ones only with allowWinControls.
    TControl* ControlAtPos(const TPoint& pos, bool allowDisabled, bool allowWinControls = false) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends the message to every child until one answers non-zero.
    void Broadcast(TMessage& Message);
    // Sends a parameterless message to every child.
    void NotifyControls(UINT Msg);

    // ---- Alignment of children ----
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }

    // ---- The Qt widget ----
    bool HandleAllocated() const { return FWidget != nullptr; }
    void HandleNeeded();
    QWidget* Handle();
    // Makes the widget now when the parent already has one (children of a
    // control whose window exists get theirs at once).
    void UpdateHandle();
    // Routes a Qt widget inside this control's widget (a combo's line edit) to this control.
    void AttachSubWidget(QWidget* widget);

    // ---- Focus and tab order ----
    virtual bool CanFocus() const;
    virtual bool Focused() const;
    virtual void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // The windowed children in tab order, descending into containers.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // ---- Painting ----
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    void Invalidate() override;
    void Update() override;
    // Marks a part of the client area for painting.
    void InvalidateRect(const TRect& r);
    // Paints the visible graphic children onto the painter of this control's client area.
    void PaintControls(QPainter& painter);
    // Drawing switched off by WM_SETREDRAW.
    bool RedrawDisabled() const { return FRedrawOff; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool Showing() const override;

    // ---- Events ----
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Internal: the translation of Qt events.
    bool HandleQtEvent(QWidget* widget, QEvent* event);

protected:
    // The widget of this control; a subclass returns its own Qt widget
    // (a QLineEdit, a QComboBox ...), which then paints itself and does its
    // own default processing of the messages handed back to it. Only the
    // plain default widget paints through PaintWindow.
    virtual QWidget* CreateWidget(QWidget* parentWidget);
    // After the widget exists: its first settings. A subclass may add its own
    // (window timers, items); it calls the inherited one first.
    virtual void CreateWnd();
    // Before the widget goes away.
    virtual void DestroyWnd();
    // Paints the client area; TCustomControl paints through its canvas.
    virtual void PaintWindow(QPainter& painter);
    // Aligns the children inside `rect` (the client area).
    virtual void AlignControls(TControl* AControl, TRect& rect);

    // ---- Virtual steps ----
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // True when the key was handled (it is 0 now) and default processing must not run.
    bool DoKeyDown(TWMKey& Message);
    bool DoKeyUp(TWMKey& Message);
    bool DoKeyPress(TWMKey& Message);

    // ---- Message handlers ----
    virtual void WMKeyDown(TWMKey& Message);
    virtual void WMKeyUp(TWMKey& Message);
    virtual void WMChar(TWMKey& Message);
    virtual void WMSysKeyDown(TWMKey& Message);
    virtual void WMSysKeyUp(TWMKey& Message);
    virtual void WMSysChar(TWMKey& Message);
    virtual void CNKeyDown(TWMKey& Message);
    virtual void CNChar(TWMKey& Message);
    virtual void WMSetFocus(TWMSetFocus& Message);
    virtual void WMKillFocus(TWMKillFocus& Message);
    void WMPaint(TWMPaint& Message) override;
    virtual void WMEraseBkgnd(TWMEraseBkgnd& Message);
    virtual void WMSize(TWMSize& Message);
    virtual void WMMove(TWMMove& Message);
    virtual void WMTimer(TWMTimer& Message);
    virtual void WMHScroll(TWMScroll& Message);
    virtual void WMVScroll(TWMScroll& Message);
    virtual void WMGetDlgCode(TWMGetDlgCode& Message);
    virtual void WMSetRedraw(TWMSetRedraw& Message);
    virtual void WMNCHitTest(TWMNCHitTest& Message);
    virtual void WMSetCursor(TWMSetCursor& Message);
    virtual void WMCaptureChanged(TMessage& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMWantSpecialKey(TWMKey& Message);
    virtual void CMShowingChanged(TMessage& Message);
    void CMDialogKey(TCMDialogKey& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMCursorChanged(TMessage& Message) override;

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // The message being handled came from this Qt event (DefaultHandler hands it back to the widget).
    QEvent* CurrentQtEvent() const { return FCurrentEvent; }
    // Paints the client area through the paint steps into the given painter.
    void PaintHandler(TWMPaint& Message);
    // The picture of the client area that paint messages draw into and that
    // the window shows, sized to the client area.
    QImage& Surface();
    // The surface is about to be painted, shown or resized: a painter that
    // drawing outside a paint left open on it must end now.
    virtual void ReleaseSurface() {}
    // Shows or hides the widget as Visible and the parent's showing say.
    void UpdateShowing();
    // Applies font, colour, enabled and cursor to the widget (after creation and on change).
    virtual void ApplyWidgetFont();
    virtual void ApplyWidgetPalette();

private:
    friend class TControl;
    friend class TQtEventBridge;
    void CreateHandle();
    void DestroyHandle();
    void ReleaseWidgets();
    void ApplyWidgetGeometry();
    void AlignChildren(TControl* AControl);
    void ApplyAnchors(int dw, int dh);
    void SendToDefaultWidget(TMessage& Message);
    void SendToDefaultWidgetOnly(QEvent* event, QWidget* widget);
    bool TranslateKeyPress(QWidget* widget, QEvent* event);
    bool TranslateKeyRelease(QWidget* widget, QEvent* event);
    bool TranslateMouse(QWidget* widget, QEvent* event);
    bool TranslateWheel(QWidget* widget, QEvent* event);
    bool TranslatePaint(QWidget* widget, QEvent* event);
    bool TranslateFocus(QWidget* widget, QEvent* event);
    bool TranslateHover(QWidget* widget, QEvent* event);
    void UpdateMouseControl(TControl* control);

    std::vector<TControl*> FControls;
    QWidget* FWidget = nullptr;
    std::vector<QWidget*> FSubWidgets;
    QEvent* FCurrentEvent = nullptr;
    QWidget* FCurrentWidget = nullptr;
    bool FTabStop = false;
    int FTabOrder = -1;
    bool FDoubleBuffered = false;
    bool FRedrawOff = false;
    // What the window shows: its client area as last painted. Paint messages
    // draw into it where it is invalid, and paint events show it.
    QImage FSurface;
    QRegion FInvalid;
    bool FPaintWhole = false;   // the next paint paints all of it (PaintTo)
    int FAlignLevel = 0;
    bool FAligning = false;
    bool FAlignPending = false;
    int FAnchorWidth = -1, FAnchorHeight = -1;
    TControl* FMouseControl = nullptr;   // the graphic child under the pointer
};

// ---- TCustomControl and TGraphicControl --------------------------------------------
// A windowed control that paints itself: WM_PAINT draws through Canvas() and
// the virtual Paint, into a memory image first when DoubleBuffered is set.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    // During Paint it draws where the paint goes; at any other time into the
    // control's picture, which the window shows at once after each drawing.
    TCanvas* Canvas() const;
    TNotifyEvent OnPaint;

protected:
    // Draws the control; the base fires OnPaint.
    virtual void Paint();
    void PaintWindow(QPainter& painter) override;
    void CMFontChanged(TMessage& Message) override;
    void ReleaseSurface() override;

private:
    friend class TControlCanvas;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPainting = false;
};

// A control without a window: its parent paints it (clipped to its bounds,
// offset to its corner) and routes to it the mouse messages over it.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    TNotifyEvent OnPaint;

protected:
    // Draws the control; the base fires OnPaint.
    virtual void Paint();
    void WMPaint(TWMPaint& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// ---- Free functions of the window system ------------------------------------------
// The control whose widget this is (nullptr for a widget that is not ours).
TWinControl* FindControl(const QWidget* widget);
// The deepest control (graphic ones included) under a screen point.
TControl* FindDragTarget(const TPoint& screenPos, bool allowDisabled);
TControl* FindVCLWindow(const TPoint& screenPos);
// The form that holds the control, or nullptr.
TCustomForm* GetParentForm(const TControl* control, bool topForm = true);
// The control's owner chain up to the first form.
TCustomForm* FindOwnerForm(const TComponent* component);

// Sends to the control now and returns its answer.
LRESULT SendMessage(TControl* control, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
LRESULT SendMessage(QWidget* handle, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
// Queues the message; the event loop delivers it later (dropped when the control is gone by then).
bool PostMessage(TControl* control, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
bool PostMessage(QWidget* handle, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

// Mouse capture: while a control holds it, every mouse message goes to it.
TControl* SetCapture(TControl* control);
bool ReleaseCapture();
TControl* GetCapture();
inline TControl* GetCaptureControl() { return GetCapture(); }
inline void SetCaptureControl(TControl* control)
{
    if (control) SetCapture(control); else ReleaseCapture();
}

// Window timers: WM_TIMER with the identifier every `ms` milliseconds of the
// clock seam, until KillTimer. Setting an identifier again restarts it. As on
// the platform, no timer ticks faster than its minimum of 10 ms (and the
// system's resolution of about 15 ms beyond that), so a 1 ms timer does not spin.
constexpr unsigned WindowTimerFloor = 10;
std::uintptr_t SetTimer(TWinControl* control, std::uintptr_t id, unsigned ms);
std::uintptr_t SetTimer(QWidget* handle, std::uintptr_t id, unsigned ms);
bool KillTimer(TWinControl* control, std::uintptr_t id);
bool KillTimer(QWidget* handle, std::uintptr_t id);

// Scroll-bar information of a window's own bars (SB_HORZ, SB_VERT; SB_BOTH
// for ShowScrollBar). The window system keeps range, page, position and
// visibility; the window draws its bars itself and learns of every change
// through CM_SCROLLBARCHANGED (WParam: the bar).
constexpr UINT SIF_RANGE = 0x0001, SIF_PAGE = 0x0002, SIF_POS = 0x0004, SIF_DISABLENOSCROLL = 0x0008,
               SIF_TRACKPOS = 0x0010, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
constexpr UINT CM_SCROLLBARCHANGED = CM_BASE + 100;
struct TScrollInfo {
    UINT cbSize = sizeof(TScrollInfo);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
// Fills the parts that fMask asks for; false for a bar that was never set up.
bool GetScrollInfo(TWinControl* control, int bar, TScrollInfo& info);
// Sets the parts that fMask names; the position is kept inside the range
// (max - page + 1 at most when a page is set). Returns the new position.
int SetScrollInfo(TWinControl* control, int bar, const TScrollInfo& info, bool redraw);
int GetScrollPos(TWinControl* control, int bar);
// Returns the previous position.
int SetScrollPos(TWinControl* control, int bar, int pos, bool redraw);
bool GetScrollRange(TWinControl* control, int bar, int& minPos, int& maxPos);
bool SetScrollRange(TWinControl* control, int bar, int minPos, int maxPos, bool redraw);
bool ShowScrollBar(TWinControl* control, int bar, bool show);
// Whether the bar is shown now.
bool IsScrollBarVisible(const TWinControl* control, int bar);

// The control that has the keyboard focus (ours only).
TWinControl* FindFocusedControl();
// Internal: gives the control's window the keyboard focus now (WM_KILLFOCUS
// to the control that had it, WM_SETFOCUS to this one).
void FocusWindow(TWinControl* control);
