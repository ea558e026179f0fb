#pragma once
// A window's own scroll bars, and the window that scrolls its child controls.
//
// The window system keeps each bar's range, page, position and visibility
// (GetScrollInfo and the rest, Controls.h); TWindowScrollBars draws them as Qt
// scroll bars on the window and hands the user's actions back to it as
// WM_HSCROLL and WM_VSCROLL. TScrollingWinControl moves its children under a
// fixed client area: with AutoScroll its bars appear when the children reach
// past it, and their positions are the pixels scrolled.

#include "platform/Controls.h"

#include <QPointer>

class QScrollBar;

class TWindowScrollBars {
public:
    static constexpr int Size = 17;   // a bar's thickness in pixels

    explicit TWindowScrollBars(TWinControl* Owner) : FOwner(Owner) {}
    // Shows, hides, places and fills the bars from the window's scroll-bar state.
    void Sync();

private:
    QPointer<QScrollBar>& Bar(bool horizontal) { return horizontal ? FHorz : FVert; }
    void Action(bool horizontal, int action);
    void Released(bool horizontal);

    TWinControl* FOwner;
    QPointer<QScrollBar> FHorz;   // Qt children of the owner's widget
    QPointer<QScrollBar> FVert;
};

class TScrollingWinControl;

// One of the two bars of a scrolling window.
class TControlScrollBar {
public:
    TControlScrollBar(TScrollingWinControl* Control, int Kind) : FControl(Control), FKind(Kind) {}

    // Pixels scrolled, 0 .. Range less the client extent.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // The extent of the scrolled area; with AutoScroll, the children's.
    int Range() const { return FRange; }
    void SetRange(int Value);
    // Pixels a line step moves.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }
    // Room kept beside a control scrolled into view.
    int Margin() const { return FMargin; }
    void SetMargin(int Value) { FMargin = Value > 0 ? Value : 0; }
    // Whether dragging the thumb scrolls at once (otherwise on its release).
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    bool IsScrollBarVisible() const;
    int ScrollPos() const { return IsScrollBarVisible() ? FPosition : 0; }

private:
    friend class TScrollingWinControl;
    void ScrollMessage(int code, int thumb);

    TScrollingWinControl* FControl;
    int FKind;   // SB_HORZ or SB_VERT
    int FPosition = 0;
    int FRange = 0;
    int FIncrement = 8;
    int FMargin = 0;
    bool FTracking = false;
};

class TScrollingWinControl : public TCustomControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    // Moves every child control by the distances given.
    void ScrollBy(int DeltaX, int DeltaY);
    // Scrolls so that the child control shows whole, as far as it fits.
    void ScrollInView(TControl* AControl);
    // The client area less the bars shown.
    TRect ClientRect() const override;
    // Measures the children again (AutoScroll) and shows, hides and fills the bars.
    void UpdateScrollBars();

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Resize() override;

private:
    friend class TControlScrollBar;
    int FullExtent(int kind) const;

    bool FAutoScroll = true;
    bool FUpdating = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    TWindowScrollBars FBars{this};
};
