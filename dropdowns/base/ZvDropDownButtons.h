#pragma once
// The buttons of the drop-down edits:
//   TZvDropDownSpeedButton  the arrow inside the edit's right edge (themed, classic or custom colours);
//   TDropDownEditButton     the small window that holds it at a fixed width and turns a left-button
//                           release on it into the edit's ButtonClick;
//   TZvButton               a push button of the pop-up's header and footer strips, painted from a
//                           TZvButtonAppearance that the edit owns and all strip buttons share.
// A strip button's click first sets its form's modal result and, for a closing result, closes the
// drop-down it belongs to; only then, and only for a mouse click, OnClick fires.

#include "dropdowns/base/ZvDropDownTypes.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

class TCustomImageList;
class TTimer;
class TZvCustomDropDown;

// ---- Appearance of the strip buttons -------------------------------------------------
// Every colour setter stores and fires OnChange only when the value changes;
// the Font setter copies without notifying.
class TZvButtonAppearance : public TPersistent {
public:
    TZvButtonAppearance();
    ~TZvButtonAppearance() override;

#define ZV_BUTTON_COLOR(Name)                                                                                         \
    TColor Name() const { return F##Name; }                                                                          \
    void Set##Name(TColor value) { Store(F##Name, value); }
    ZV_BUTTON_COLOR(BorderColor)
    ZV_BUTTON_COLOR(BorderColorHot)
    ZV_BUTTON_COLOR(BorderColorDown)
    ZV_BUTTON_COLOR(BorderColorDisabled)
    ZV_BUTTON_COLOR(BorderColorChecked)
    ZV_BUTTON_COLOR(Color)
    ZV_BUTTON_COLOR(ColorTo)
    ZV_BUTTON_COLOR(ColorDisabled)
    ZV_BUTTON_COLOR(ColorDisabledTo)
    ZV_BUTTON_COLOR(ColorDown)
    ZV_BUTTON_COLOR(ColorDownTo)
    ZV_BUTTON_COLOR(ColorHot)
    ZV_BUTTON_COLOR(ColorHotTo)
    ZV_BUTTON_COLOR(ColorChecked)
    ZV_BUTTON_COLOR(ColorCheckedTo)
#undef ZV_BUTTON_COLOR
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection value);

    // From another button appearance every colour through its setter (not the
    // font); any other source raises the platform's assignment error.
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Store(TColor& field, TColor value);

    TColor FBorderColor = clNone;
    TColor FBorderColorHot = clGray;
    TColor FBorderColorDown = clNavy;
    TColor FBorderColorDisabled = clGray;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = clNone;
    TColor FColorTo = clNone;
    TColor FColorDisabled = 0xF2F2F2;
    TColor FColorDisabledTo = clNone;
    TColor FColorDown = 0xF5D8CA;
    TColor FColorDownTo = 0xF9BDA0;
    TColor FColorHot = 0xF5F0E1;
    TColor FColorHotTo = 0xF9D2B2;
    TColor FColorChecked;     // the hot colours with red and green at 90 %, set by the constructor
    TColor FColorCheckedTo;
    std::unique_ptr<TFont> FFont;
    TGradientDirection FGradient = TGradientDirection::gdVertical;
};

// ---- The arrow button -------------------------------------------------------------------
enum class TButtonStyle { bsButton, bsDropDown };

class TDropDownEditButton;

class TZvDropDownSpeedButton : public TSpeedButton {
public:
    explicit TZvDropDownSpeedButton(TComponent* AOwner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool value);
    // The painters do not read it; the edit sets it from its hot state so that the button repaints.
    bool FocusedLook() const { return FFocused; }
    void SetFocused(bool value);
    // Drawn released from now on, whatever the state.
    void SetUp() { FUp = true; }
    bool Hot() const { return FHot; }
    // Pressed: down or exclusive, unless SetUp was called.
    bool Pressed() const;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void DrawArrowButton(TCanvas& canvas);
    void DrawPushButton(TCanvas& canvas);
    TDropDownEditButton* Container() const;
    bool IsThemed() const;
    int ThemeState() const;

    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP;
    TButtonStyle FButtonStyle = TButtonStyle::bsButton;
};

// ---- The container of the arrow button ---------------------------------------------------
class TDropDownEditButton : public TWinControl {
public:
    explicit TDropDownEditButton(TComponent* AOwner);

    TZvDropDownSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* value) { FButton->SetGlyph(value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& value) { FButton->SetCaption(value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int value) { FButton->SetNumGlyphs(value); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    // The fixed width every bounds change comes back to.
    int FixedWidth() const { return FBWidth; }
    void SetFixedWidth(int value) { FBWidth = value; }

    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor value) { FButtonColor = value; }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor value) { FButtonColorHot = value; }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor value) { FButtonColorDown = value; }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor value) { FButtonTextColor = value; }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor value) { FButtonTextColorHot = value; }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor value) { FButtonTextColorDown = value; }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor value) { FButtonBorderColor = value; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Fired on the release of the left button over the arrow (inside or not).
    TNotifyEvent OnClick;

protected:
    void CMEnabledChanged(TMessage& Message) override;
    void WMSize(TWMSize& Message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TZvDropDownSpeedButton;
    void AdjustButtonSize(int& width, int height);
    void SpeedButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    TZvDropDownSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
};

// ---- Strip buttons -------------------------------------------------------------------------
enum class TZvButtonStyle { tasButton, tasCheck };
enum class TZvButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

class TZvButton : public TCustomControl {
public:
    explicit TZvButton(TComponent* AOwner);
    ~TZvButton() override;

    TZvButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TZvButtonAppearance* value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    TZvCustomDropDown* ZvDropDown() const { return FZvDropDown; }
    void SetZvDropDown(TZvCustomDropDown* value) { FZvDropDown = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    TZvButtonStyle Style() const { return FStyle; }
    void SetStyle(TZvButtonStyle value) { FStyle = value; }
    bool Down() const { return FDown; }
    void SetDown(bool value);
    TZvButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    bool MouseDownInControl() const { return FMouseDownInControl; }
    // True while the un-hot timer watches for a missed mouse-leave.
    bool UnHotTimerRunning() const;

    // Height and width from the caption and the image, whichever is larger.
    void FitToCaption();
    void Click() override;
    virtual void DrawFace(TCanvas& canvas);

    TNotifyEvent OnMouseEnterButton;
    TNotifyEvent OnMouseLeaveButton;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void UnHotTimerTick(TObject* Sender);
    void ButtonPressed(TMessage& Message);
    void ReleaseGroup();
    void UpdateTracking();
    bool Inside(int X, int Y) const;
    void MouseEntered();
    void MouseLeft();

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    bool FHot = false;
    TZvButtonStyle FStyle = TZvButtonStyle::tasButton;
    TZvButtonState FState = TZvButtonState::absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    TTimer* FUnHotTimer;
    bool FInternalClick = false;
    TZvButtonAppearance* FAppearance = nullptr;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    TModalResult FModalResult = mrNone;
    TZvCustomDropDown* FZvDropDown = nullptr;
};

// A modal result that closes the drop-down of a footer button, and whether it cancels.
bool ModalResultCloses(TModalResult result);
bool ModalResultCancels(TModalResult result);
