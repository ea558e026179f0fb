#pragma once

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <memory>

enum class TButtonVAlign { tvaTop, tvaCenter, tvaBottom };
enum class TLeftRight { taLeftJustify, taRightJustify };

// The check box of the search footer panel: themed or classic check mark and
// a caption; it raises its own clicks.
class TZvCheckBox : public TCustomControl {
public:
    explicit TZvCheckBox(TComponent* AOwner);
    ~TZvCheckBox() override;

    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight value);
    TButtonVAlign ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TButtonVAlign value);
    String Caption() const { return FCaption; }
    void SetCaption(const String& value);
    bool Checked() const { return FState == TCheckBoxState::cbChecked; }
    void SetChecked(bool value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool value) { FReturnIsTab = value; }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool TransparentCaching() const { return FTransparentCaching; }
    void SetTransparentCaching(bool value) { FTransparentCaching = value; }

    // Flips Checked unless ReadOnly.
    virtual void Toggle();

    bool Down() const { return FDown; }
    bool Hot() const { return FHot; }
    bool IsFocusedFlag() const { return FFocused; }
    bool BackgroundCached() const { return FBkgCache; }

    // Where the check mark goes in the client area.
    TRect CheckRect() const;
    TRect CaptionRect() const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& Message) override;

private:
    bool Themed() const;
    void RepaintCheckArea();
    void SetDown(bool value);
    void DropBackgroundCache();
    void PaintParentBackground(TCanvas& canvas);
    void DrawCheckMark(TCanvas& canvas);
    void DrawCaption(TCanvas& canvas);

    bool FDown = false;
    TCheckBoxState FState = TCheckBoxState::cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TButtonVAlign FBtnVAlign = TButtonVAlign::tvaTop;
    TLeftRight FAlignment = TLeftRight::taLeftJustify;
    bool FEllipsis = false;
    String FCaption;
    bool FIsWinXP = false;
    bool FHot = false;
    bool FClicksDisabled = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};
