#pragma once
// The push button of every window: a windowed control that paints itself
// completely (face in one of six drawing styles, bevel, glyph from a strip
// of images, caption, hot tracking with an optional slow fade, pressed look,
// focus rectangle). A click runs OnClick, hands the modal result to the form
// and opens the pop-up menu; Enter and Escape act on the form's Default and
// Cancel buttons.

#include "platform/Controls.h"
#include "platform/Graphics.h"

#include <memory>

class TTimer;
class TCustomImageList;

enum class TZvPushButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum class TZvPushButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TZvPushButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum class TZvPushColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP, lcsAqua,
    lcsDefault, lcsQuicken
};

// ---- Presets -------------------------------------------------------------------------
// What a colour style sets.
struct TZvPushColorPreset {
    TColor Color;
    TColor LightColor;
    TColor ShadowColor;
    TColor ColorWhenDown;
    TColor HotTrackColor;
    bool Flat;
    TZvPushButtonStyle Style;
    TColor FontColor;
};
// The row of a colour style; lcsCustom has none (false).
bool GetColorStylePreset(TZvPushColorStyle style, TZvPushColorPreset& preset);

// What a button kind sets.
struct TZvPushKindPreset {
    int ModalResult;
    const char* Resource;
    String Caption;
};
// The row of a kind; bkCustom has none (false).
bool GetKindPreset(TZvPushButtonKind kind, TZvPushKindPreset& preset);

// The bitmap resources of the button (the kinds' glyphs and the pop-up arrow),
// registered under their names; the button's constructor makes sure of it.
void RegisterPushButtonGlyphs();

// ---- The face ------------------------------------------------------------------------
// Everything the face painter looks at.
struct TZvPushButtonFace {
    int Width = 0;
    int Height = 0;
    TAlignment Alignment = TAlignment::taCenter;
    String Caption;
    TZvPushButtonLayout Layout = TZvPushButtonLayout::blGlyphLeft;
    const TFont* Font = nullptr;             // nullptr: the canvas's font as it is
    TColor ShadowColor = clGray;
    TColor LightColor = clWhite;
    TColor HotTrackColor = clNone;
    TColor ColorWhenDown = clNone;
    TColor Color = clBtnFace;
    TZvPushButtonStyle Style = TZvPushButtonStyle::bsNormal;
    bool HasPopupMenu = false;
    bool WordWrap = false;
    bool Flat = false;
    bool Enabled = true;
    bool Hot = false;
    bool Pressed = false;
    TBitmap* Glyph = nullptr;                // strip of NumGlyphs images; may be nil
    int NumGlyphs = 0;
    int FadeLevel = 0;                       // 0..8
};

// Where a face's caption and glyph go, for a caption already cut and
// measured (width tw, height th) and a glyph cell of gw x gh.
struct TZvFacePlacement {
    int AvailableWidth = 0;   // aw: width of the caption's rectangle
    TRect TextRect;           // the caption is drawn into this rectangle
    TPoint Glyph;             // top-left of the glyph cell
};
// The caption's room: what the caption is cut to and measured in.
int FaceAvailableWidth(TZvPushButtonStyle style, TZvPushButtonLayout layout, int width, int glyphWidth);
TZvFacePlacement PlaceFace(TZvPushButtonStyle style, TZvPushButtonLayout layout, TAlignment alignment,
                           bool wordWrap, int width, int height, int offset, int glyphWidth, int glyphHeight,
                           int textWidth, int textHeight, bool hasCaption);

// The whole layout of a face with the canvas's font: the press offset, the
// caption as cut, its measure, the glyph image to show and the placement.
struct TZvFaceLayout {
    bool Pressed = false;      // pressed as drawn (never while disabled)
    int Offset = 0;            // the press offset
    String Caption;            // cut to the room unless word wrap is on
    int TextWidth = 0;
    int TextHeight = 0;
    unsigned TextFormat = 0;   // DT_* flags of the caption
    int CellWidth = 0;         // gw
    int CellHeight = 0;        // gh
    int SourceX = 0;           // x of the shown image in the strip
    TZvFacePlacement Place;
};
// Sets the canvas's font from the face (bold added for a pressed bsEncarta
// button) and lays the face out.
TZvFaceLayout LayoutFace(TCanvas& canvas, const TZvPushButtonFace& face);

// Paints the whole face into the canvas at (0, 0) .. (Width, Height).
void PaintButtonFace(TCanvas& canvas, const TZvPushButtonFace& face);
// 32 bands from `from` to `to`, top to bottom, in the rectangle.
void DrawGradientBands(TCanvas& canvas, TColor from, TColor to, int left, int top, int right, int bottom);
// The colour `level` eighths of the way from `color` to `hot`.
TColor FadeColor(TColor color, TColor hot, int level);
// One image of the strip, cut out at sourceX and drawn transparent (its
// bottom-left pixel's colour) at (x, y); a source beyond the strip shows the first image.
void DrawGlyphCell(TCanvas& canvas, TBitmap* glyph, int x, int y, int sourceX, int cellWidth, int cellHeight);

// ---- The fade ticker ----------------------------------------------------------------
// Counts the fade down in steps of 30 ms. It ticks on a timer of the user
// interface thread (the clock seam), not on a thread of its own: the steps
// and what the user sees are the same, the button's state is only ever
// touched from one thread, and destroying the button just stops the timer,
// so no hand-off between threads can wait on the other for ever.
class TZvPushButtonThread : public TObject {
public:
    // Made suspended: the timer does not run until Resume.
    explicit TZvPushButtonThread(TNotifyEvent notify);
    ~TZvPushButtonThread() override;

    bool Suspended() const;
    void Resume();
    void Suspend();

    static constexpr unsigned StepMs = 30;

private:
    void DoEvent();

    TNotifyEvent FNotify;
    std::unique_ptr<TTimer> FTimer;
};

// ---- The button ---------------------------------------------------------------------
class TZvPushButton : public TCustomControl {
public:
    explicit TZvPushButton(TComponent* AOwner);
    ~TZvPushButton() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // Always lcsCustom: a colour style is applied, not kept.
    TZvPushColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TZvPushColorStyle value);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor value) { FColorWhenDown = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    void SetEnabled(bool value) override;
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the picture; NumGlyphs becomes width div height; nil empties the glyph.
    void SetGlyph(TBitmap* value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor value) { FHotTrackColor = value; }
    TFont* HotTrackFont() const { return FHTFont.get(); }
    void SetHotTrackFont(TFont* value);
    TZvPushButtonKind Kind() const { return FKind; }
    void SetKind(TZvPushButtonKind value);
    TZvPushButtonLayout Layout() const { return FLayout; }
    void SetLayout(TZvPushButtonLayout value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor value);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool value);
    TZvPushButtonStyle Style() const { return FStyle; }
    void SetStyle(TZvPushButtonStyle value);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool value) { FUseHTFont = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // The window lets its parent show through where the face leaves it
    // unpainted (the Style setter's choice for bsModern, bsShape, bsQuicken).
    bool Transparent() const { return FTransparent; }

    // ---- State, for whoever needs to look ----
    bool Down() const { return bDown; }
    bool CursorOnButton() const { return bCursorOnButton; }
    int HotTrackStep() const { return FHotTrackStep; }
    // The fade ticker, while there is one.
    TZvPushButtonThread* FadeTicker() const { return FThread.get(); }
    // What a paint would show now, as a face description.
    TZvPushButtonFace CurrentFace() const;

    void Click() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

    TNotifyEvent OnMouseExit;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void CMDialogKey(TCMDialogKey& Message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& Message) override;

private:
    void DoButtonClick();
    void CopyActionImage(TCustomImageList* images, int index);
    void HotTrackTick(TObject* Sender);
    void StopFadeTicker();
    void SetTransparentStyle(bool value);
    // The "paint at once" of a property change.
    void PaintNow();
    bool Hot() const;
    bool ParentShowing() const;

    TAlignment FAlignment = TAlignment::taCenter;
    TColor FShadowColor = clGray;
    TColor FColorWhenDown = clNone;
    bool FEnabled = true;
    bool FFlat = false;
    bool FWordWrap = false;
    std::unique_ptr<TBitmap> FGlyph;
    TColor FHotTrackColor = clNone;
    std::unique_ptr<TFont> FHTFont;
    TZvPushButtonKind FKind = TZvPushButtonKind::bkCustom;
    TZvPushButtonLayout FLayout = TZvPushButtonLayout::blGlyphLeft;
    TColor FLightColor = clWhite;
    int FModalResult = 0;
    int FNumGlyphs = 0;
    bool FUseHTFont = false;
    TZvPushColorStyle FDummyStyle = TZvPushColorStyle::lcsCustom;
    TZvPushButtonStyle FStyle = TZvPushButtonStyle::bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    WORD FKeyPressed = 0;   // Enter or Space while it is down on this button
    bool bCursorOnButton = false;
    std::unique_ptr<TZvPushButtonThread> FThread;
    int FHotTrackStep = 0;
    bool FTransparent = false;
};
