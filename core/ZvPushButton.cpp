#include "core/ZvPushButton.h"

#include "platform/ActnList.h"
#include "platform/DrawText.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The colour the face bitmap starts with in the styles that leave parts of
// it unpainted; those parts are never copied to the screen.
constexpr TColor Magenta = 0xFF00FF;
constexpr TColor DisabledTextColor = 0x808080;
constexpr int FullFade = 8;

using Style = TZvPushButtonStyle;
using Layout = TZvPushButtonLayout;

bool LeavesFaceUnpainted(Style style)
{
    return style == Style::bsModern || style == Style::bsShape || style == Style::bsQuicken;
}

// The face bitmap of a shaped style starts magenta, and magenta is what is
// left out when it is copied to the window. The caption's antialiased edge
// drawn over magenta is a mix of the two, which would show as a purple
// fringe: such pixels get the caption's colour with the matching opacity
// instead, so they blend with whatever lies behind the button. Magenta
// itself becomes fully transparent.
void KeyOutMagenta(QImage& image, TColor captionColor)
{
    const TColor f = ColorToRGB(captionColor);
    const int fc[3] = {int(GetRValue(f)), int(GetGValue(f)), int(GetBValue(f))};
    const int mc[3] = {0xFF, 0x00, 0xFF};
    int decisive = 0;
    for (int c = 1; c < 3; ++c)
        if (std::abs(fc[c] - mc[c]) > std::abs(fc[decisive] - mc[decisive])) decisive = c;
    const bool separable = fc[decisive] != mc[decisive];
    const QRgb magenta = qRgb(0xFF, 0x00, 0xFF);
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            if (p == magenta) {
                line[x] = 0;
                continue;
            }
            if (!separable || qAlpha(p) != 0xFF) continue;
            const int pc[3] = {qRed(p), qGreen(p), qBlue(p)};
            const double a = double(pc[decisive] - mc[decisive]) / (fc[decisive] - mc[decisive]);
            if (a <= 0 || a >= 1) continue;
            bool mix = true;
            for (int c = 0; c < 3 && mix; ++c) mix = std::abs(a * fc[c] + (1 - a) * mc[c] - pc[c]) <= 3;
            if (!mix) continue;
            line[x] = qRgba(int(fc[0] * a + 0.5), int(fc[1] * a + 0.5), int(fc[2] * a + 0.5), int(a * 255 + 0.5));
        }
    }
}

unsigned AlignmentFormat(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taLeftJustify: return DT_LEFT | DT_WORDBREAK;
    case TAlignment::taRightJustify: return DT_RIGHT | DT_WORDBREAK;
    case TAlignment::taCenter: break;
    }
    return DT_CENTER | DT_WORDBREAK;
}

} // namespace

// ---- Presets -----------------------------------------------------------------------------

bool GetColorStylePreset(TZvPushColorStyle style, TZvPushColorPreset& preset)
{
    using C = TZvPushColorStyle;
    switch (style) {
    case C::lcsCustom: return false;
    case C::lcsGold: preset = {0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, false, Style::bsModern, 0x000000}; break;
    case C::lcsChrome: preset = {0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, Style::bsModern, 0x000000}; break;
    case C::lcsBlue: preset = {0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, Style::bsModern, 0x000000}; break;
    case C::lcsRed: preset = {0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, Style::bsModern, 0x000000}; break;
    case C::lcsUltraFlat1: preset = {clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, true, Style::bsNormal, 0x000000}; break;
    case C::lcsUltraFlat2: preset = {clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, true, Style::bsNormal, 0x000000}; break;
    case C::lcsUltraFlatXP: preset = {0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, true, Style::bsNormal, 0x000000}; break;
    case C::lcsAqua: preset = {0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, Style::bsModern, 0x000000}; break;
    case C::lcsDefault: preset = {clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, Style::bsNormal, 0x000000}; break;
    case C::lcsQuicken: preset = {0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, false, Style::bsQuicken, 0xFFFFFF}; break;
    }
    return true;
}

bool GetKindPreset(TZvPushButtonKind kind, TZvPushKindPreset& preset)
{
    using K = TZvPushButtonKind;
    switch (kind) {
    case K::bkCustom: return false;
    case K::bkOK: preset = {mrOk, "LBOK", QStringLiteral("OK")}; break;
    case K::bkCancel: preset = {mrCancel, "LBCANCEL", QStringLiteral("Abbrechen")}; break;
    case K::bkHelp: preset = {mrNone, "LBHELP", QStringLiteral("Hilfe")}; break;
    case K::bkYes: preset = {mrYes, "LBYES", QStringLiteral("Ja")}; break;
    case K::bkNo: preset = {mrNo, "LBNO", QStringLiteral("Nein")}; break;
    case K::bkClose: preset = {mrNone, "LBCLOSE", QStringLiteral("Schlie\u00DFen")}; break;
    case K::bkAbort: preset = {mrAbort, "LBABORT", QStringLiteral("Abbrechen")}; break;
    case K::bkRetry: preset = {mrRetry, "LBRETRY", QStringLiteral("Wiederholen")}; break;
    case K::bkIgnore: preset = {mrIgnore, "LBIGNORE", QStringLiteral("Ignorieren")}; break;
    case K::bkAll: preset = {mrAll, "LBALL", QStringLiteral("Alle")}; break;
    }
    return true;
}

// ---- Face geometry -----------------------------------------------------------------------

int FaceAvailableWidth(TZvPushButtonStyle style, TZvPushButtonLayout layout, int width, int glyphWidth)
{
    if (style == Style::bsShape || layout == Layout::blGlyphTop || layout == Layout::blGlyphBottom)
        return std::max(0, width - 8);
    int aw = width - 8;
    if (glyphWidth > 0) aw -= glyphWidth + 4;
    return std::max(0, aw);
}

TZvFacePlacement PlaceFace(TZvPushButtonStyle style, TZvPushButtonLayout layout, TAlignment alignment,
                           bool wordWrap, int width, int height, int offset, int glyphWidth, int glyphHeight,
                           int textWidth, int textHeight, bool hasCaption)
{
    const int W = width, H = height, off = offset, gw = glyphWidth, gh = glyphHeight, th = textHeight;
    TZvFacePlacement p;
    p.AvailableWidth = FaceAvailableWidth(style, layout, W, gw);
    const int aw = p.AvailableWidth;

    if (style == Style::bsShape) {
        // Glyph in the middle, the caption centred over it.
        p.Glyph = {(W - gw) / 2, (H - gh) / 2};
        p.TextRect = {off, (H - th) / 2 + off, W, H};
        return p;
    }

    int tx = off + 4;
    int ty = 0;
    int gx = 0;
    int gy = 0;
    switch (layout) {
    case Layout::blGlyphLeft:
    case Layout::blGlyphRight: {
        ty = (H - th) / 2 + off;
        gy = (H - gh) / 2 + off;
        const int tg = hasCaption ? textWidth + 4 : 0;
        if (layout == Layout::blGlyphLeft) {
            if (gw > 0) tx += gw + 4;
            gx = off + 4;
            if (!wordWrap) {
                switch (alignment) {
                case TAlignment::taLeftJustify: gx = off + 4; break;
                case TAlignment::taRightJustify: gx = W - 4 - gw - tg + off; break;
                case TAlignment::taCenter: gx = (W - gw) / 2 + off - tg / 2; break;
                }
            }
        } else {
            gx = tx + tg;
            if (!wordWrap) {
                switch (alignment) {
                case TAlignment::taLeftJustify: gx = tx + tg; break;
                case TAlignment::taRightJustify: gx = W - 4 + off - gw; break;
                case TAlignment::taCenter: gx = (W - gw) / 2 + off + tg / 2; break;
                }
            }
        }
        break;
    }
    case Layout::blGlyphTop:
    case Layout::blGlyphBottom: {
        const int bh = th + (gh > 0 ? gh + 4 : 0);
        if (layout == Layout::blGlyphTop) {
            ty = (H - bh) / 2 + gh + off;
            gy = (H - bh) / 2 + off;
        } else {
            ty = (H - bh) / 2 + off;
            gy = (H - bh) / 2 + th + off;
        }
        switch (alignment) {
        case TAlignment::taLeftJustify: gx = off + 4; break;
        case TAlignment::taRightJustify: gx = W - gw - 4 + off; break;
        case TAlignment::taCenter: gx = (W - gw) / 2 + off; break;
        }
        break;
    }
    }
    p.Glyph = {gx, gy};
    p.TextRect = {tx, ty, tx + aw, ty + th};
    return p;
}

TZvFaceLayout LayoutFace(TCanvas& canvas, const TZvPushButtonFace& face)
{
    TZvFaceLayout lay;
    lay.Pressed = face.Pressed && face.Enabled;
    lay.Offset = lay.Pressed && face.Style != Style::bsEncarta ? 1 : 0;

    TFont font;
    font.Assign(face.Font ? const_cast<TFont*>(face.Font) : canvas.Font());
    if (face.Style == Style::bsEncarta && lay.Pressed) font.SetStyle(font.Style() + TFontStyle::fsBold);
    canvas.SetFont(&font);

    // The image of the strip: 2 disabled, 4 hot, 3 pressed (pressed wins), else 1.
    const bool hasGlyph = face.Glyph && !face.Glyph->Empty();
    lay.CellWidth = hasGlyph && face.NumGlyphs > 0 ? face.Glyph->Width() / face.NumGlyphs : 0;
    lay.CellHeight = hasGlyph ? face.Glyph->Height() : 0;
    const int gw = lay.CellWidth;
    if (!face.Enabled) {
        lay.SourceX = gw;
    } else {
        lay.SourceX = 0;
        if (face.Hot && face.NumGlyphs > 3) lay.SourceX = 3 * gw;
        if (lay.Pressed && face.NumGlyphs > 2) lay.SourceX = 2 * gw;
    }

    lay.TextFormat = AlignmentFormat(face.Alignment);
    const int aw = FaceAvailableWidth(face.Style, face.Layout, face.Width, gw);
    // A caption too wide loses characters from its end until it fits.
    lay.Caption = face.Caption;
    if (!face.WordWrap)
        while (!lay.Caption.isEmpty() && canvas.TextWidth(lay.Caption) > aw) lay.Caption.chop(1);
    TRect measure{0, 0, aw, 0};
    DrawText(canvas, lay.Caption, measure, DT_CALCRECT | lay.TextFormat);
    lay.TextWidth = measure.Width();
    lay.TextHeight = measure.Height();

    lay.Place = PlaceFace(face.Style, face.Layout, face.Alignment, face.WordWrap, face.Width, face.Height,
                          lay.Offset, gw, lay.CellHeight, lay.TextWidth, lay.TextHeight, !lay.Caption.isEmpty());
    return lay;
}

// ---- Face painting -----------------------------------------------------------------------

TColor FadeColor(TColor color, TColor hot, int level)
{
    const TColor c = ColorToRGB(color);
    const TColor h = ColorToRGB(hot);
    const double f = level / 8.0;
    auto mix = [f](unsigned a, unsigned b) { return unsigned(a * (1 - f) + b * f); };
    return RGB(mix(GetRValue(c), GetRValue(h)), mix(GetGValue(c), GetGValue(h)), mix(GetBValue(c), GetBValue(h)));
}

void DrawGradientBands(TCanvas& canvas, TColor from, TColor to, int left, int top, int right, int bottom)
{
    const TPenStyle savedPen = canvas.Pen()->Style();
    canvas.Pen()->SetStyle(TPenStyle::psClear);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    const TColor a = ColorToRGB(from);
    const TColor b = ColorToRGB(to);
    double r = GetRValue(a), g = GetGValue(a), bl = GetBValue(a);
    const double dr = (double(GetRValue(b)) - r) / 31, dg = (double(GetGValue(b)) - g) / 31,
                 db = (double(GetBValue(b)) - bl) / 31;
    const int total = bottom - top;
    const int band = total / 31 + 1;
    for (int i = 0; i <= 31; ++i) {
        canvas.Brush()->SetColor(RGB(unsigned(r), unsigned(g), unsigned(bl)));
        r += dr;
        g += dg;
        bl += db;
        const int y = top + i * total / 31;
        canvas.FillRect({left, y, right, std::min(y + band, bottom)});
    }
    canvas.Pen()->SetStyle(savedPen);
}

void DrawGlyphCell(TCanvas& canvas, TBitmap* glyph, int x, int y, int sourceX, int cellWidth, int cellHeight)
{
    if (!glyph || glyph->Empty() || cellWidth <= 0 || cellHeight <= 0) return;
    // The cell starts as the first image, so a source beyond the strip leaves that showing.
    TBitmap cell;
    cell.SetImage(glyph->Image().copy(0, 0, cellWidth, cellHeight));
    TBitmap strip;
    strip.Assign(glyph);
    strip.SetTransparent(false);
    cell.Canvas()->Draw(-sourceX, 0, &strip);
    cell.SetTransparentMode(TTransparentMode::tmAuto);
    cell.SetTransparentColor(clDefault);
    cell.SetTransparent(true);
    canvas.Draw(x, y, &cell);
}

namespace {

void Line(TCanvas& canvas, TColor color, std::initializer_list<TPoint> points)
{
    canvas.Pen()->SetColor(color);
    auto it = points.begin();
    canvas.MoveTo(it->X, it->Y);
    for (++it; it != points.end(); ++it) canvas.LineTo(it->X, it->Y);
}

void LineOn(TCanvas& canvas, TColor color, std::initializer_list<TPoint> points)
{
    canvas.Pen()->SetColor(color);
    for (const TPoint& p : points) canvas.LineTo(p.X, p.Y);
}

void PaintBackground(TCanvas& canvas, const TZvPushButtonFace& face, TColor faceColor, int off)
{
    const int W = face.Width, H = face.Height;
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    switch (face.Style) {
    case Style::bsShape:
        canvas.Brush()->SetColor(Magenta);
        canvas.FillRect({0, 0, W, H});
        break;
    case Style::bsNormal:
    case Style::bsEncarta:
    case Style::bsOld:
        canvas.Brush()->SetColor(faceColor);
        canvas.FillRect({0, 0, W, H});
        break;
    case Style::bsModern:
        DrawGradientBands(canvas, face.LightColor, faceColor, 2, 2, W - 2, H / 4 + off);
        DrawGradientBands(canvas, faceColor, face.LightColor, 2, H / 4 + off, W - 2, H - 1);
        break;
    case Style::bsQuicken:
        break;
    }
}

void PaintBevel(TCanvas& canvas, const TZvPushButtonFace& face, TColor faceColor, bool pressed)
{
    const int W = face.Width, H = face.Height;
    const TColor shadow = face.ShadowColor, light = face.LightColor;
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Pen()->SetStyle(TPenStyle::psSolid);
    canvas.Pen()->SetWidth(1);
    const bool classic = face.Style == Style::bsNormal || face.Style == Style::bsEncarta || face.Style == Style::bsOld;
    if (classic) {
        const bool show = face.Enabled ? (!face.Flat || face.Hot || pressed) : !face.Flat;
        if (!show) return;
    }
    switch (face.Style) {
    case Style::bsNormal:
    case Style::bsEncarta:
        Line(canvas, pressed ? shadow : light, {{0, H - 1}, {0, 0}, {W - 1, 0}});
        LineOn(canvas, pressed ? light : shadow, {{W - 1, H - 1}, {0, H - 1}});
        break;
    case Style::bsOld:
        if (!pressed) {
            Line(canvas, shadow, {{W - 2, 0}, {W - 2, H - 2}, {0, H - 2}});
            Line(canvas, light, {{0, H - 1}, {0, 0}, {W - 1, 0}});
            LineOn(canvas, cl3DDkShadow, {{W - 1, H - 1}, {-1, H - 1}});
        } else {
            Line(canvas, shadow, {{1, H - 3}, {1, 1}, {W - 2, 1}});
            Line(canvas, cl3DDkShadow, {{0, H - 1}, {0, 0}, {W - 1, 0}});
            LineOn(canvas, light, {{W - 1, H - 1}, {-1, H - 1}});
        }
        break;
    case Style::bsModern:
        canvas.Pen()->SetColor(pressed ? shadow : faceColor);
        canvas.Rectangle(1, 1, W - 1, H - 1);
        canvas.Pen()->SetColor(shadow);
        canvas.RoundRect(0, 0, W, H, 6, 6);
        break;
    case Style::bsQuicken:
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(faceColor);
        canvas.Pen()->SetStyle(TPenStyle::psClear);
        canvas.RoundRect(0, 1, W, H, 4, 4);
        canvas.Pen()->SetStyle(TPenStyle::psSolid);
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        Line(canvas, shadow, {{4, 0}, {W - 5, 0}});
        Line(canvas, shadow, {{4, H - 1}, {W - 5, H - 1}});
        break;
    case Style::bsShape:
        break;
    }
}

} // namespace

void PaintButtonFace(TCanvas& canvas, const TZvPushButtonFace& face)
{
    const int W = face.Width, H = face.Height;
    const TZvFaceLayout lay = LayoutFace(canvas, face);

    TColor faceColor = ColorToRGB(face.Color);
    if (face.Enabled && face.HotTrackColor != clNone) faceColor = FadeColor(faceColor, face.HotTrackColor, face.FadeLevel);
    if (lay.Pressed && face.ColorWhenDown != clNone) faceColor = face.ColorWhenDown;

    PaintBackground(canvas, face, faceColor, lay.Offset);
    PaintBevel(canvas, face, faceColor, lay.Pressed);

    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    TRect textRect = lay.Place.TextRect;
    if (face.Style == Style::bsShape) {
        // The shape keeps its text colour even when disabled.
        DrawGlyphCell(canvas, face.Glyph, lay.Place.Glyph.X, lay.Place.Glyph.Y, lay.SourceX, lay.CellWidth,
                      lay.CellHeight);
        DrawText(canvas, lay.Caption, textRect, DT_CENTER | DT_WORDBREAK);
    } else {
        if (!face.Enabled) canvas.Font()->SetColor(DisabledTextColor);
        DrawText(canvas, lay.Caption, textRect, lay.TextFormat);
        DrawGlyphCell(canvas, face.Glyph, lay.Place.Glyph.X, lay.Place.Glyph.Y, lay.SourceX, lay.CellWidth,
                      lay.CellHeight);
    }

    if (face.HasPopupMenu) {
        TBitmap arrow;
        if (arrow.LoadFromResourceName(QStringLiteral("LBARROW"))) {
            arrow.SetTransparent(true);
            canvas.Draw(W - 11, H / 2 - 1, &arrow);
        }
    }
}

// ---- Fade ticker ---------------------------------------------------------------------------

TZvPushButtonThread::TZvPushButtonThread(TNotifyEvent notify)
    : FNotify(std::move(notify)), FTimer(std::make_unique<TTimer>(nullptr))
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(StepMs);
    FTimer->OnTimer = [this](TObject*) { DoEvent(); };
}

TZvPushButtonThread::~TZvPushButtonThread()
{
    FTimer->SetEnabled(false);
}

bool TZvPushButtonThread::Suspended() const
{
    return !FTimer->Enabled();
}

void TZvPushButtonThread::Resume()
{
    FTimer->SetEnabled(true);
}

void TZvPushButtonThread::Suspend()
{
    FTimer->SetEnabled(false);
}

void TZvPushButtonThread::DoEvent()
{
    if (FNotify) FNotify(this);
}

// ---- The button ------------------------------------------------------------------------------

TZvPushButton::TZvPushButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
    RegisterPushButtonGlyphs();
    // The button makes its own clicks (no click or double-click events from
    // the platform) and paints every pixel it wants shown (not opaque).
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption};
    SetBounds(Left(), Top(), 100, 23);
    SetColor(clBtnFace);
    SetTabStop(true);
    FThread = std::make_unique<TZvPushButtonThread>([this](TObject* sender) { HotTrackTick(sender); });
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) FHTFont->Assign(form->Font());
}

TZvPushButton::~TZvPushButton()
{
    // Stopping the ticker is all there is to it: it runs on this thread.
    StopFadeTicker();
}

void TZvPushButton::StopFadeTicker()
{
    FThread.reset();
}

bool TZvPushButton::Hot() const
{
    return bCursorOnButton || Focused();
}

bool TZvPushButton::ParentShowing() const
{
    return Parent() && Parent()->Showing();
}

void TZvPushButton::PaintNow()
{
    Repaint();
}

// ---- Properties ----

void TZvPushButton::SetAlignment(TAlignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    PaintNow();
}

void TZvPushButton::SetColorStyle(TZvPushColorStyle value)
{
    TZvPushColorPreset p{};
    if (!GetColorStylePreset(value, p)) return;
    SetColor(p.Color);
    FLightColor = p.LightColor;
    FShadowColor = p.ShadowColor;
    FColorWhenDown = p.ColorWhenDown;
    FHotTrackColor = p.HotTrackColor;
    FFlat = p.Flat;
    Font()->SetColor(p.FontColor);
    // The drawing style only: the window's transparency follows the Style property alone.
    FStyle = p.Style;
    PaintNow();
}

void TZvPushButton::SetEnabled(bool value)
{
    TCustomControl::SetEnabled(value);
    FEnabled = value;
    bDown = false;
    PaintNow();
}

void TZvPushButton::SetFlat(bool value)
{
    if (value == FFlat) return;
    FFlat = value;
    PaintNow();
}

void TZvPushButton::SetGlyph(TBitmap* value)
{
    if (value) {
        FGlyph->Assign(value);
        FNumGlyphs = FGlyph->Height() != 0 ? FGlyph->Width() / FGlyph->Height() : 0;
    } else {
        FGlyph->SetSize(0, 0);
        FNumGlyphs = 0;
    }
    FKind = TZvPushButtonKind::bkCustom;
    Invalidate();
}

void TZvPushButton::SetHotTrackFont(TFont* value)
{
    FHTFont->Assign(value);
}

void TZvPushButton::SetKind(TZvPushButtonKind value)
{
    TZvPushKindPreset p;
    if (GetKindPreset(value, p)) {
        SetNumGlyphs(2);
        SetModalResult(p.ModalResult);
        FGlyph->LoadFromResourceName(QString::fromLatin1(p.Resource));
        SetCaption(p.Caption);
    }
    FKind = value;
    Invalidate();
}

void TZvPushButton::SetLayout(TZvPushButtonLayout value)
{
    if (value == FLayout) return;
    FLayout = value;
    PaintNow();
}

void TZvPushButton::SetLightColor(TColor value)
{
    if (value == FLightColor) return;
    FLightColor = value;
    PaintNow();
}

void TZvPushButton::SetModalResult(int value)
{
    FModalResult = value;
    FKind = TZvPushButtonKind::bkCustom;
}

void TZvPushButton::SetNumGlyphs(int value)
{
    if (value == FNumGlyphs) return;
    FNumGlyphs = value;
    Invalidate();
}

void TZvPushButton::SetShadowColor(TColor value)
{
    if (value == FShadowColor) return;
    FShadowColor = value;
    PaintNow();
}

void TZvPushButton::SetSlowDecease(bool value)
{
    FSlowDecease = value;
    if (value) {
        if (!FThread)
            FThread = std::make_unique<TZvPushButtonThread>([this](TObject* sender) { HotTrackTick(sender); });
    } else if (FThread) {
        FHotTrackStep = 0;
        StopFadeTicker();
    }
    Invalidate();
}

void TZvPushButton::SetStyle(TZvPushButtonStyle value)
{
    FStyle = value;
    SetTransparentStyle(LeavesFaceUnpainted(value));
    Invalidate();
}

void TZvPushButton::SetTransparentStyle(bool value)
{
    // Where the face stays magenta the parent shows through: the erase step
    // leaves the window unfilled (WMEraseBkgnd) and Qt paints the parent below it.
    FTransparent = value;
}

void TZvPushButton::SetWordWrap(bool value)
{
    if (value == FWordWrap) return;
    FWordWrap = value;
    PaintNow();
}

// ---- Painting ----

TZvPushButtonFace TZvPushButton::CurrentFace() const
{
    TZvPushButtonFace f;
    f.Width = Width();
    f.Height = Height();
    f.Alignment = FAlignment;
    f.Caption = Caption();
    f.Layout = FLayout;
    f.Font = Font();
    f.ShadowColor = FShadowColor;
    f.LightColor = FLightColor;
    f.HotTrackColor = FHotTrackColor;
    f.ColorWhenDown = FColorWhenDown;
    f.Color = Color();
    f.Style = FStyle;
    f.HasPopupMenu = PopupMenu() != nullptr;
    f.WordWrap = FWordWrap;
    f.Flat = FFlat;
    f.Enabled = FEnabled;
    f.Hot = Hot();
    f.Pressed = bDown;
    f.Glyph = FGlyph.get();
    f.NumGlyphs = FNumGlyphs;
    f.FadeLevel = FHotTrackStep;
    return f;
}

void TZvPushButton::Paint()
{
    if (!Visible() || Destroying()) return;
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;

    // The face is drawn off screen and copied in one step.
    TBitmap bitmap(W, H);
    TFont font;
    font.Assign(Font());
    if (Hot() && FUseHTFont) font.Assign(FHTFont.get());
    if (LeavesFaceUnpainted(FStyle)) {
        bitmap.SetTransparentMode(TTransparentMode::tmFixed);
        bitmap.SetTransparentColor(Magenta);
        bitmap.SetTransparent(true);
        bitmap.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
        bitmap.Canvas()->Brush()->SetColor(Magenta);
        bitmap.Canvas()->FillRect({0, 0, W, H});
    }

    TZvPushButtonFace face = CurrentFace();
    face.Font = &font;
    TCanvas& bc = *bitmap.Canvas();
    if (FStyle == Style::bsOld && Focused()) {
        // The focused old-style button: its face one pixel inside a black frame.
        face.Width = W - 2;
        face.Height = H - 2;
        if (bDown) face.LightColor = FShadowColor;
        PaintButtonFace(bc, face);
        TBitmap copy;
        copy.Assign(&bitmap);
        copy.SetTransparent(false);
        bc.Draw(1, 1, &copy);
        bc.Brush()->SetStyle(TBrushStyle::bsClear);
        bc.Pen()->SetStyle(TPenStyle::psSolid);
        bc.Pen()->SetColor(clBlack);
        bc.Rectangle(0, 0, W, H);
    } else {
        PaintButtonFace(bc, face);
    }
    if (LeavesFaceUnpainted(FStyle)) {
        // The canvas still holds the caption's font and colour.
        KeyOutMagenta(bitmap.Image(), bc.Font()->Color());
        bitmap.SetTransparent(false);
    }

    Canvas()->Draw(0, 0, &bitmap);
    if (Focused() && Enabled() && FStyle != Style::bsShape) Canvas()->DrawFocusRect({4, 4, W - 4, H - 4});
}

void TZvPushButton::WMEraseBkgnd(TWMEraseBkgnd& Message)
{
    if (FTransparent) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WMEraseBkgnd(Message);
}

// ---- Clicks ----

void TZvPushButton::Click()
{
    bDown = true;
    DoButtonClick();
    // OnClick has run in DoButtonClick; what remains of the inherited click
    // is running the linked action.
    if (Action()) Action()->Execute();
}

void TZvPushButton::DoButtonClick()
{
    if (!Visible() || !Enabled() || !bDown) return;
    bDown = false;
    if (OnClick) OnClick(this);
    if (FModalResult != 0) {
        if (TCustomForm* form = GetParentForm(this, true)) form->SetModalResult(FModalResult);
    }
    if (TPopupMenu* menu = PopupMenu()) {
        const TPoint at = ClientToScreen({0, Height()});
        menu->Popup(at.X, at.Y);
    }
}

// ---- Actions ----

void TZvPushButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TCustomControl::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || !FGlyph->Empty()) return;
    TCustomActionList* list = action->ActionList();
    TCustomImageList* images = list ? list->Images() : nullptr;
    if (!images) return;
    const int index = action->ImageIndex();
    if (index < 0 || index >= images->Count()) return;
    CopyActionImage(images, index);
}

void TZvPushButton::CopyActionImage(TCustomImageList* images, int index)
{
    FGlyph->SetSize(images->Width(), images->Height());
    TCanvas& c = *FGlyph->Canvas();
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Magenta);
    c.FillRect({0, 0, images->Width(), images->Height()});
    images->Draw(c, 0, 0, index);
    FNumGlyphs = 1;
    PaintNow();
}

// ---- Mouse, keys, focus ----

void TZvPushButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && Enabled()) {
        bDown = true;
        if (CanFocus()) SetFocus();
        PaintNow();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TZvPushButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    // The mouse is captured while pressed, so a release anywhere clicks.
    if (bDown) Click();
    bDown = false;
    PaintNow();
}

void TZvPushButton::CMMouseEnter(TMessage&)
{
    if (!Enabled() || !Visible() || !ParentShowing()) return;
    bCursorOnButton = true;
    FHotTrackStep = FullFade;
    PaintNow();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TZvPushButton::CMMouseLeave(TMessage&)
{
    bCursorOnButton = false;
    if (FSlowDecease) {
        if (FThread && FThread->Suspended()) FThread->Resume();
    } else {
        FHotTrackStep = 0;
        PaintNow();
    }
    if (Enabled() && Visible() && ParentShowing() && OnMouseExit) OnMouseExit(this);
}

void TZvPushButton::HotTrackTick(TObject*)
{
    if (Destroying()) return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        if (FThread && !FThread->Suspended()) FThread->Suspend();
        FHotTrackStep = 0;
    }
    PaintNow();
}

void TZvPushButton::CMFocusChanged(TMessage& Message)
{
    // A key held while the focus moves away is no press of this button any more.
    if (!Focused()) FKeyPressed = 0;
    TCustomControl::CMFocusChanged(Message);
    PaintNow();
}

void TZvPushButton::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    if (Enabled() && (key == VK_RETURN || key == VK_SPACE)) {
        bDown = true;
        FKeyPressed = key;
        PaintNow();
    }
    TCustomControl::WMKeyDown(Message);
}

// Only the release of a key that went down on this button clicks it: the
// release of an Enter that closed a dialog lands on whatever button has the
// focus afterwards, and must not press it.
void TZvPushButton::WMKeyUp(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    const bool pressed = key == FKeyPressed && (key == VK_RETURN || key == VK_SPACE);
    if (key == VK_RETURN || key == VK_SPACE) FKeyPressed = 0;
    if (pressed) Click();
    PaintNow();
    TCustomControl::WMKeyUp(Message);
}

void TZvPushButton::CMDialogChar(TCMDialogChar& Message)
{
    if (IsAccel(QChar(char16_t(Message.CharCode)), Caption()) && Visible() && Enabled() && ParentShowing()) {
        bDown = true;
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

namespace {

// A focused button handles Enter itself, and Escape does not reach past it.
// Radio buttons are not buttons in this sense. A form without an active
// control has no such button; a button whose owners hold no form asks the
// form it sits on.
bool ActiveControlIsButton(const TZvPushButton* button)
{
    TCustomForm* form = FindOwnerForm(button);
    if (!form) form = GetParentForm(button);
    const TWinControl* active = form ? form->ActiveControl() : nullptr;
    if (!active) return false;
    const String name = active->ClassName().toUpper();
    return name.contains(QStringLiteral("BUTTON")) && !name.contains(QStringLiteral("RADIOBUTTON"));
}

} // namespace

void TZvPushButton::CMDialogKey(TCMDialogKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    // The default button answers Enter even while hidden or disabled (and then
    // swallows it without a click); the cancel button only as a usable button.
    const bool enter = key == VK_RETURN && FDefault;
    const bool escape = key == VK_ESCAPE && FCancel && KeyDataToShiftState(Message.KeyData).Empty() && Visible() &&
                        Enabled();
    if ((enter || escape) && !ActiveControlIsButton(this)) {
        bDown = true;
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(Message);
}
