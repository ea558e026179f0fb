#pragma once
// The grid's balloon tool window: one tool over the grid's client area. The
// title and text are asked from the grid each time the balloon shows, so the
// tool itself keeps only its area, icon, delays and transparency.

#include "platform/HintWindow.h"
#include "platform/Timers.h"

#include <memory>

class TGridBalloonWindow : public THintWindow {
public:
    explicit TGridBalloonWindow(TComponent* AOwner);
    ~TGridBalloonWindow() override;

    // Icon: 0 none, 1 information, 2 warning, 3 error; any other value counts as 0.
    void AddTool(const TRect& ToolArea, int Icon, const String& Title);
    bool HasTool() const { return FHasTool; }
    TRect ToolArea() const { return FToolArea; }
    int Icon() const { return FIcon; }
    const String& Title() const { return FTitle; }
    const String& Text() const { return FText; }

    // -1 keeps the window system's delay (500 ms before showing, 100 ms to
    // reshow, 5000 ms before hiding).
    void SetDelays(int Initial, int Reshow, int AutoHide);
    int InitialDelay() const { return FInitialDelay < 0 ? 500 : FInitialDelay; }
    int ReshowDelay() const { return FReshowDelay < 0 ? 100 : FReshowDelay; }
    int AutoHideDelay() const { return FAutoHideDelay < 0 ? 5000 : FAutoHideDelay; }

    // 255 is opaque.
    void SetAlpha(int Alpha);
    int Alpha() const { return FAlpha; }

    // Shows the title and text with the icon below a screen point; hides itself after AutoHideDelay.
    void Popup(TPoint ScreenPos, const String& Title, const String& Text, int Icon);
    void Hide();
    // Popped up and not hidden since.
    bool Showing() const { return FShown; }

protected:
    void Paint() override;

private:
    bool FHasTool = false;
    bool FShown = false;
    TRect FToolArea;
    int FIcon = 0;
    String FTitle;
    String FText;
    int FInitialDelay = -1;
    int FReshowDelay = -1;
    int FAutoHideDelay = -1;
    int FAlpha = 255;
    std::unique_ptr<TTimer> FHideTimer;
};
