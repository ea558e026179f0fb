#pragma once
// The hint window: a borderless pop-up that shows a control's hint text at a
// screen position, above every other window and without taking the focus.
// Controls may name another hint window class for one hint (THintInfo) or
// for the whole application.

#include "platform/Controls.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;

    // The text's box at the origin, margins included, laid out within MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // Shows the window over `Rect` (screen coordinates) with the text.
    virtual void ActivateHint(const TRect& Rect, const String& AHint);
    // As ActivateHint; `AData` is what the control handed with the hint.
    virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
    // Hides the window.
    void ReleaseHandle();
    // Shown and not yet hidden again.
    bool HintShowing() const;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void Paint() override;
    void CMTextChanged(TMessage& Message) override;
    // Places the window at its bounds and shows it without activating it.
    void ShowAtBounds();
};

// Makes the window a hint for one showing; owned by the caller.
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;

// The application's hint window class; empty means THintWindow.
THintWindowClass ApplicationHintWindowClass();
void SetApplicationHintWindowClass(THintWindowClass windowClass);

// Shows a hint through `windowClass` (or the application's class) as the
// platform's hint handling does: measured within HintMaxWidth (or the
// screen's width), placed at HintPos, coloured HintColor. The window lives
// until the next hint or HideHintWindow; the application times its hiding.
void ShowHintWindow(const THintInfo& info, const THintWindowClass& windowClass);
void HideHintWindow();
// The window of the hint showing now; nil when none is.
THintWindow* ActiveHintWindow();
