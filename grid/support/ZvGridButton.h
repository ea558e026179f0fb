#pragma once
// TZvGridButton: the windowless push button the grid's search footer is
// built from. Flat with solid or gradient faces per state (normal, hot,
// down, checked) or framed like a classic push button; a toggle in a group
// (GroupIndex, AllowAllUp) or a check button (tasCheck); a glyph per state
// with a grey disabled copy and a shade under the hot glyph made on their
// own; an optional drop-down part; colour presets (Look).

#include "grid/support/ZvGridTypes.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"

#include <memory>

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// The drawn state: up, disabled, pressed, and down in a group (exclusive).
enum class TZvGridButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TZvGridButton : public TGraphicControl {
public:
    explicit TZvGridButton(TComponent* AOwner);
    ~TZvGridButton() override;

    void Click() override;

    // ---- Appearance ----
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { Store(FColorTo, v); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { Store(FColorHot, v); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { Store(FColorHotTo, v); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { Store(FColorDown, v); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { Store(FColorDownTo, v); }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor v) { Store(FColorChecked, v); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor v) { Store(FColorCheckedTo, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Store(FBorderColor, v); }
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor v) { Store(FBorderDownColor, v); }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor v) { Store(FBorderHotColor, v); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { Store(FFlat, v); }
    bool Rounded() const { return FRounded; }
    void SetRounded(bool v) { Store(FRounded, v); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { Store(FTransparent, v); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v) { Store(FLayout, v); }
    int Margin() const { return FMargin; }
    // Below -1 is refused: the old margin stays.
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Store(FSpacing, v); }
    bool Shaded() const { return FShaded; }
    void SetShaded(bool v);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool v) { Store(FShowCaption, v); }
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool v) { Store(FDropDownButton, v); }
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* v);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool v) { Store(FAutoXPStyle, v); }
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool v);
    // Colour presets 0 to 6; other values are ignored.
    int Look() const { return FLook; }
    void SetLook(int v);

    // ---- Glyphs: copied in; the disabled and shade glyphs are made on their own ----
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* v);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* v);
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* v);
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }

    // ---- Toggling ----
    TZvGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TZvGridButtonStyle v) { Store(FStyle, v); }
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    TZvGridButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    // Where a glyph and caption go in a client rectangle, as the paint lays them out.
    static void LayoutGlyphAndCaption(TCanvas* Canvas, const TRect& Client, TSize GlyphSize, const String& Caption,
                                      TButtonLayout Layout, int Margin, int Spacing, TPoint Offset, bool RightToLeft,
                                      TPoint& GlyphPos, TRect& TextBounds);
    // Bands of a colour run across a rectangle, framed in FrameColor unless it is none.
    static void DrawButtonGradient(TCanvas* Canvas, TColor From, TColor To, bool Vertical, TRect R, int Steps,
                                   TColor FrameColor);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnDblClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void WndProc(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    template <typename T>
    void Store(T& field, const T& v)
    {
        if (!StoreChanged(field, v)) return;
        Invalidate();
    }
    void BroadcastGroupDown();
    void ButtonPressed(int Group, TZvGridButton* Sender);
    void UpdateTracking();
    void MakeShadeGlyph();
    void PaintFlatFace(TRect& R, bool Hot);
    TBitmap* PaintedGlyph(bool Hot) const;
    void ApplyThemeLook();

    bool FIsComCtl6 = true;
    int FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FSpacing = 4;
    bool FTransparent = false;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyphDisabled;
    std::unique_ptr<TBitmap> FGlyphHot;
    std::unique_ptr<TBitmap> FGlyphDown;
    std::unique_ptr<TBitmap> FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = 0x808080;
    TColor FColorCheckedTo = clNone;
    TZvGridButtonStyle FStyle = TZvGridButtonStyle::tasButton;
    int FLook = -1;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FShowCaption = true;
    TZvGridButtonState FState = TZvGridButtonState::bsUp;
};
