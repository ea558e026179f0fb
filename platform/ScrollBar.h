#pragma once
// The scroll-bar control: a bar of its own inside a window, not one of the
// window's frame bars (those are platform/ScrollBars.h).
//
// As on the platform, a user's action on the bar is first offered to the
// parent as WM_HSCROLL or WM_VSCROLL (the scroll code and thumb position in
// WParam, the bar itself in LParam). A parent that answers non-zero has
// moved the bar itself; otherwise the bar moves by SmallChange or
// LargeChange, or to the thumb. Min <= Position <= Max always holds; every
// change of Position fires OnChange.

#include "platform/Controls.h"

#include <QPointer>
#include <memory>

class QScrollBar;
class QObject;

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    ~TScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return FMin; }
    void SetMin(int value) { SetParams(FPosition, value, std::max(value, FMax)); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetParams(FPosition, std::min(FMin, value), value); }
    int Position() const { return FPosition; }
    void SetPosition(int value) { SetParams(value, FMin, FMax); }
    void SetParams(int APosition, int AMin, int AMax);
    // The length of the thumb, in units of the range; 0 gives the style's smallest.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value; }

    // Draws the bar as it is now into a rectangle of a canvas, without a window:
    // the grid paints the bars of its cells this way.
    void DrawTo(TCanvas& canvas, const TRect& rect) const;

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    virtual void Changed();
    // The user's action: the parent first, then the bar's own step.
    virtual void Scroll(int code, int thumb);

private:
    void ShowState();

    QPointer<QScrollBar> FBar;
    std::unique_ptr<QObject> FLink;
    TScrollBarKind FKind = TScrollBarKind::sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};
