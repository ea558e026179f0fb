// The track bar over a Qt slider.
#include "platform/TrackBar.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner), FLink(std::make_unique<QObject>())
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

TTrackBar::~TTrackBar() { FLink.reset(); }

QWidget* TTrackBar::CreateWidget(QWidget* parentWidget)
{
    auto* slider = new QSlider(Qt::Horizontal, parentWidget);
    FSlider = slider;
    slider->setTickPosition(QSlider::TicksBelow);
    QObject::connect(slider, &QSlider::valueChanged, FLink.get(),
                     [this](int value) { RunGuarded(this, [&] { MovePosition(value); }); });
    return slider;
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ShowState();
}

void TTrackBar::ShowState()
{
    if (!FSlider) return;
    const QSignalBlocker block(FSlider.data());
    FSlider->setRange(FMin, FMax);
    FSlider->setValue(FPosition);
    FSlider->setPageStep(FPageSize);
    FSlider->setSingleStep(1);
    FSlider->setTickInterval(FFrequency);
}

void TTrackBar::MovePosition(int value)
{
    value = std::clamp(value, FMin, FMax);
    if (value == FPosition) return;
    FPosition = value;
    ShowState();
    Changed();
}

void TTrackBar::SetMin(int value)
{
    if (value == FMin) return;
    FMin = value;
    FMax = std::max(FMax, FMin);
    ShowState();
    MovePosition(FPosition);
}

void TTrackBar::SetMax(int value)
{
    if (value == FMax) return;
    FMax = value;
    FMin = std::min(FMin, FMax);
    ShowState();
    MovePosition(FPosition);
}

void TTrackBar::SetPosition(int value) { MovePosition(value); }

void TTrackBar::SetPageSize(int value)
{
    FPageSize = value;
    ShowState();
}

void TTrackBar::SetFrequency(int value)
{
    FFrequency = value;
    ShowState();
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}
