// The scroll-bar control over a Qt scroll bar.
#include "platform/ScrollBar.h"

#include "platform/Graphics.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {
// The scroll code a Qt slider action stands for; -1 for none.
int ScrollCodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return -1;
    }
}
} // namespace

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    SetBounds(0, 0, 121, 17);
    SetTabStop(true);
}

TScrollBar::~TScrollBar() { FLink.reset(); }

QWidget* TScrollBar::CreateWidget(QWidget* parentWidget)
{
    auto* bar = new QScrollBar(FKind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal, parentWidget);
    FBar = bar;
    // Qt has already stepped its slider when it reports the action; the bar
    // goes back to Position until the parent or the bar's own rule moves it.
    QObject::connect(bar, &QAbstractSlider::actionTriggered, FLink.get(), [this](int action) {
        const int code = ScrollCodeOf(action);
        const int thumb = FBar ? FBar->sliderPosition() : FPosition;
        if (FBar) FBar->setSliderPosition(FPosition);
        if (code >= 0) RunGuarded(this, [&] { Scroll(code, thumb); });
        if (FBar) FBar->setSliderPosition(FPosition);
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, FLink.get(), [this] {
        RunGuarded(this, [&] {
            Scroll(SB_THUMBPOSITION, FPosition);
            Scroll(SB_ENDSCROLL, FPosition);
        });
    });
    return bar;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ShowState();
}

void TScrollBar::ShowState()
{
    if (!FBar) return;
    const QSignalBlocker block(FBar.data());
    FBar->setOrientation(FKind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal);
    FBar->setRange(FMin, FMax);
    FBar->setPageStep(std::max(FPageSize, 1));
    FBar->setSingleStep(std::max(FSmallChange, 1));
    FBar->setValue(FPosition);
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (value == FKind) return;
    FKind = value;
    SetBounds(Left(), Top(), Height(), Width());
    ShowState();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    AMax = std::max(AMin, AMax);
    const int position = std::clamp(APosition, AMin, AMax);
    const bool moved = position != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = position;
    ShowState();
    if (moved) Changed();
}

void TScrollBar::SetPageSize(int value)
{
    FPageSize = std::max(value, 0);
    ShowState();
}

void TScrollBar::Changed()
{
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(int code, int thumb)
{
    if (TWinControl* parent = Parent()) {
        const UINT msg = FKind == TScrollBarKind::sbVertical ? WM_VSCROLL : WM_HSCROLL;
        if (parent->Perform(msg, MakeWParam(code, thumb), reinterpret_cast<LPARAM>(this)) != 0) return;
    }
    switch (code) {
    case SB_LINEUP: SetPosition(FPosition - FSmallChange); break;
    case SB_LINEDOWN: SetPosition(FPosition + FSmallChange); break;
    case SB_PAGEUP: SetPosition(FPosition - FLargeChange); break;
    case SB_PAGEDOWN: SetPosition(FPosition + FLargeChange); break;
    case SB_TOP: SetPosition(FMin); break;
    case SB_BOTTOM: SetPosition(FMax); break;
    case SB_THUMBTRACK: SetPosition(thumb); break;
    default: break; // the end of a drag and of scrolling move nothing
    }
}

void TScrollBar::DrawTo(TCanvas& canvas, const TRect& rect) const
{
    QPainter* painter = canvas.Painter();
    if (!painter || rect.Width() <= 0 || rect.Height() <= 0) return;
    QStyleOptionSlider option;
    // The style paints parts of the bar from the origin: draw it at the origin of a moved painter.
    option.rect = QRect(0, 0, rect.Width(), rect.Height());
    option.orientation = FKind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal;
    option.state = QStyle::State_Enabled;
    if (option.orientation == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    option.minimum = FMin;
    option.maximum = FMax;
    option.sliderPosition = FPosition;
    option.sliderValue = FPosition;
    option.pageStep = std::max(FPageSize, 1);
    option.singleStep = std::max(FSmallChange, 1);
    option.subControls = QStyle::SC_All;
    painter->save();
    painter->translate(rect.Left, rect.Top);
    // Its frame may reach a pixel past the rectangle, into the neighbour's.
    painter->setClipRect(option.rect, painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    QApplication::style()->drawComplexControl(QStyle::CC_ScrollBar, &option, painter);
    painter->restore();
}
