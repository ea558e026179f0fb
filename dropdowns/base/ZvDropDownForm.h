#pragma once
// The borderless pop-up a drop-down edit shows below or above itself: the
// member's control between an optional header and footer strip, a background
// and border from the edit's settings, and a sizing corner.
//
// The window is a frameless top-level window that stays on top, not a Qt
// pop-up: Qt closes every pop-up when a modal window shows, and a dialog
// opened from inside the drop-down must leave it open. So the pop-up watches
// by itself what a pop-up window would do for it: while it is open, a press
// in any window that does not belong to it, or the activation moving to such
// a window, is its "deactivation": it records the tick count
// (DeActivateTime) and closes the drop-down with CancelOnDeActivate. A press
// on the arrow of an open drop-down therefore closes it, and the click that
// follows within 250 ms does not reopen it. A window the pop-up owns (a
// dialog opened from inside it) belongs to it.

#include "dropdowns/base/ZvDropDownTypes.h"
#include "platform/Forms.h"

#include <cstdint>
#include <memory>

class QObject;

class TZvCustomDropDown;
class TZvHeader;
class TZvFooter;

class TDropDownForm : public TForm {
public:
    explicit TDropDownForm(TComponent* AOwner);
    ~TDropDownForm() override;

    std::uint32_t DeActivateTime() const { return FDeActivate; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool value) { FShadow = value; }
    TZvHeader* Header() const { return FHeader; }
    TZvFooter* Footer() const { return FFooter; }
    TZvCustomDropDown* ZvDropDown() const { return FZvDropDown; }
    void SetZvDropDown(TZvCustomDropDown* value) { FZvDropDown = value; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool value) { FSizeable = value; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool value) { FCancelOnDeActivate = value; }
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool value) { FBlockActivate = value; }

    // Shows the pop-up at its final bounds, on top and active.
    void ShowAt(int left, int top, int width, int height);
    // True while a size drag runs.
    bool Sizing() const { return FSizing; }
    // Creates or refreshes the header and footer from the edit's settings.
    void InitializeAndUpdate();
    // Empty by design: a hook members may override; nothing calls it.
    virtual void UpdateSize() {}

    // The pop-up lost the activation to `receiver` (nullptr: a window not
    // ours, or a press outside every window): records the tick and closes
    // the drop-down unless `receiver` belongs to the pop-up.
    void Deactivated(TWinControl* receiver);
    // Starts the window system's sizing from the bottom-right corner, as the
    // corner and the footer's grip do (HTBOTTOMRIGHT), the pointer at `screenPos`.
    void StartSizing(const TPoint& screenPos);
    // One step of a size drag to the given size (the window system's or a test's).
    void SizeTo(int width, int height);

    TNotifyEvent OnSizing;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    void DoShow() override;
    void DoHide() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    void WMSize(TWMSize& Message) override;
    void WMNCHitTest(TWMNCHitTest& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void Dispatch(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& rect) override;

private:
    friend class TDropDownPopupWatch;
    void PaintBackground(TCanvas& canvas);
    bool BelongsToPopup(QWidget* window) const;
    template <class TStrip, class TAppearance>
    void InitializeStrip(TStrip*& strip, TAppearance* appearance, TAlign align);

    std::uint32_t FDeActivate = 0;
    bool FShadow = true;
    TZvFooter* FFooter = nullptr;
    TZvHeader* FHeader = nullptr;
    TZvCustomDropDown* FZvDropDown = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    bool FSizing = false;
    TPoint FSizingStart;
    TSize FSizingSize;
    std::unique_ptr<QObject> FWatch;
};

// The WM_NCLBUTTONDOWN the footer's grip sends to start sizing, and the hit-test answer of the corner.
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr LRESULT HTBOTTOMRIGHT = 17;
