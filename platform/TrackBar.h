#pragma once
// The horizontal track bar: a slider over a range of integers.

#include "platform/Controls.h"

#include <QPointer>
#include <memory>

class QSlider;
class QObject;

// Min, Max and Position keep Min <= Position <= Max: a new Min or Max moves
// the other end and the position into the range, as the platform's track bar
// does. Every change of Position, by code or by the user, fires OnChange.
// PageSize is the step of Page Up and Page Down, Frequency the distance of
// the tick marks.
class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    ~TTrackBar() override;

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    virtual void Changed();

private:
    void ShowState();
    void MovePosition(int value);

    QPointer<QSlider> FSlider;
    std::unique_ptr<QObject> FLink;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    int FFrequency = 1;
};
