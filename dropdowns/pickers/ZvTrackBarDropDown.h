#pragma once
// TZvTrackBarDropDown: an integer edit whose pop-up holds a horizontal track
// bar. The edit is not editable by default: the value moves with the slider,
// Up and Down (by Frequency), or a horizontal drag over the edit (one step
// per PageSize pixels).

#include "dropdowns/base/ZvCustomDropDown.h"

class TTrackBar;

class TZvTrackBarDropDown : public TZvCustomDropDown {
public:
    explicit TZvTrackBarDropDown(TComponent* AOwner);

    // Each setter passes the value to the track bar and keeps what it reports
    // back, so a position outside the range is stored clamped.
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
    TTrackBar* TrackBar() const { return FTrackBar; }

    // The edit's change: OnChange, then the position follows an integer text;
    // any other text (empty, a word) leaves the position as it is.
    void ChangeHook();

    TNotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void WMKeyDown(TWMKey& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Change() override { ChangeHook(); }

private:
    void TrackChanged();

    TTrackBar* FTrackBar = nullptr;
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FPageSize = 2;
    int FFrequency = 1;
    int FMouseX = 0;
    bool FDragging = false;
};
