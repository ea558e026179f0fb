#include "grid/support/ZvGridButton.h"

#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/Themes.h"

#include <QCursor>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

// The colour under a glyph that counts as see-through: its bottom-left pixel.
QRgb TransparentPixel(const QImage& img) { return img.pixel(0, img.height() - 1); }

void InflateRect(TRect& r, int d)
{
    r.Left -= d;
    r.Top -= d;
    r.Right += d;
    r.Bottom += d;
}

bool Inside(const TControl& c, int X, int Y) { return X >= 0 && X < c.Width() && Y >= 0 && Y <= c.Height(); }

struct TLookColors {
    TColor color, colorTo, hot, hotTo, down, downTo, checked, checkedTo, borderDown, borderHot;
};

// Looks 2 to 4 share their hot, down and checked faces.
constexpr TColor kHot = 0xCCF4FF, kHotTo = 0x91D0FF, kDown = 0x4E91FE, kDownTo = 0x8ED3FF, kChecked = 0x8ED3FF,
                 kCheckedTo = 0x55ADFF;

const TLookColors kLooks[] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, kHot, kHotTo, kDown, kDownTo, kChecked, kCheckedTo, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, kHot, kHotTo, kDown, kDownTo, kChecked, kCheckedTo, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, kHot, kHotTo, kDown, kDownTo, kChecked, kCheckedTo, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
};

std::unique_ptr<TBitmap> CopyOf(TBitmap* v)
{
    if (!v || v->Empty()) return std::make_unique<TBitmap>();
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(v);
    return copy;
}

}  // namespace

TZvGridButton::TZvGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()), FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 23, 22);
    SetColor(clBtnFace);
    // The click comes from the release handling below, after the down state has changed.
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleItem::csClickEvents);
    style.Include(TControlStyleItem::csCaptureMouse);
    style.Include(TControlStyleItem::csDoubleClicks);
    SetControlStyle(style);
    FIsComCtl6 = GetComCtlVersion() >= 6;
}

TZvGridButton::~TZvGridButton() = default;

void TZvGridButton::Click() { TGraphicControl::Click(); }

// ---- Properties -----------------------------------------------------------------------------------
void TZvGridButton::SetMargin(int v)
{
    if (v < -1) return;
    Store(FMargin, v);
}

void TZvGridButton::SetShaded(bool v)
{
    FShaded = v;
    if (v) MakeShadeGlyph();
    Invalidate();
}

void TZvGridButton::SetDropDownMenu(TPopupMenu* v)
{
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = v;
    if (v) v->FreeNotification(this);
}

void TZvGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TZvGridButton::SetAutoThemeAdapt(bool v)
{
    FAutoThemeAdapt = v;
    if (v) ApplyThemeLook();
}

void TZvGridButton::ApplyThemeLook()
{
    int look = 1;
    String scheme;
    if (CheckWin32Version(5, 1) && IsThemeActive() && GetCurrentThemeName(nullptr, &scheme, nullptr)) {
        if (scheme == u"NormalColor")
            look = 2;
        else if (scheme == u"HomeStead")
            look = 3;
        else if (scheme == u"Metallic")
            look = 4;
    }
    SetLook(look);
}

void TZvGridButton::SetLook(int v)
{
    if (v < 0 || v > 6) return;
    FLook = v;
    const TLookColors& l = kLooks[v];
    FBorderColor = clNone;
    FFlat = true;
    FRounded = v == 0;
    SetColor(l.color);
    FColorTo = l.colorTo;
    FColorHot = l.hot;
    FColorHotTo = l.hotTo;
    FColorDown = l.down;
    FColorDownTo = l.downTo;
    FColorChecked = l.checked;
    FColorCheckedTo = l.checkedTo;
    FBorderDownColor = l.borderDown;
    FBorderHotColor = l.borderHot;
    Invalidate();
}

// ---- Glyphs -------------------------------------------------------------------------------------------
void TZvGridButton::SetGlyph(TBitmap* v)
{
    FGlyph = CopyOf(v);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
        QImage grey = FGlyph->Image().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < grey.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
            for (int x = 0; x < grey.width(); ++x) {
                const int level = ((qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3) / 2 + 96;
                line[x] = qRgb(level, level, level);
            }
        }
        FGlyphDisabled->SetImage(grey);
    }
    if (FShaded) MakeShadeGlyph();
    Invalidate();
}

void TZvGridButton::SetGlyphHot(TBitmap* v)
{
    FGlyphHot = CopyOf(v);
    Invalidate();
}

void TZvGridButton::SetGlyphDown(TBitmap* v)
{
    FGlyphDown = CopyOf(v);
    Invalidate();
}

void TZvGridButton::SetGlyphDisabled(TBitmap* v)
{
    FGlyphDisabled = CopyOf(v);
    Invalidate();
}

void TZvGridButton::MakeShadeGlyph()
{
    if (FGlyph->Empty()) {
        FGlyphShade = std::make_unique<TBitmap>();
        return;
    }
    QImage shade = FGlyph->Image().convertToFormat(QImage::Format_RGB32);
    const QRgb clear = TransparentPixel(shade);
    for (int y = 0; y < shade.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shade.scanLine(y));
        for (int x = 0; x < shade.width(); ++x) line[x] = line[x] == clear ? clear : qRgb(0x80, 0x80, 0x80);
    }
    FGlyphShade->SetImage(shade);
}

TBitmap* TZvGridButton::PaintedGlyph(bool Hot) const
{
    switch (FState) {
    case TZvGridButtonState::bsDisabled: return FGlyphDisabled->Empty() ? FGlyph.get() : FGlyphDisabled.get();
    case TZvGridButtonState::bsDown:
    case TZvGridButtonState::bsExclusive: return FGlyphDown->Empty() ? FGlyph.get() : FGlyphDown.get();
    default: return Hot && !FGlyphHot->Empty() ? FGlyphHot.get() : FGlyph.get();
    }
}

// ---- Toggling and groups ------------------------------------------------------------------------
void TZvGridButton::SetDown(bool v)
{
    if (FGroupIndex == 0 && FStyle != TZvGridButtonStyle::tasCheck) v = false;
    if (FStyle == TZvGridButtonStyle::tasCheck) {
        FDown = v;
        Invalidate();
        return;
    }
    if (v == FDown || (FDown && !FAllowAllUp)) return;
    FDown = v;
    if (v) {
        if (FState == TZvGridButtonState::bsUp) Invalidate();
        FState = TZvGridButtonState::bsExclusive;
        BroadcastGroupDown();
    } else {
        FState = TZvGridButtonState::bsUp;
        Invalidate();
    }
}

void TZvGridButton::SetAllowAllUp(bool v)
{
    if (!StoreChanged(FAllowAllUp, v)) return;
    BroadcastGroupDown();
}

void TZvGridButton::SetGroupIndex(int v)
{
    if (!StoreChanged(FGroupIndex, v)) return;
    BroadcastGroupDown();
}

void TZvGridButton::BroadcastGroupDown()
{
    if (FGroupIndex == 0 || !Parent()) return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        SendMessage(parent->Controls(i), CM_BUTTONPRESSED, WPARAM(FGroupIndex), reinterpret_cast<LPARAM>(this));
}

void TZvGridButton::ButtonPressed(int Group, TZvGridButton* Sender)
{
    if (Group != FGroupIndex || !Sender || Sender == this) return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = TZvGridButtonState::bsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

void TZvGridButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_BUTTONPRESSED) {
        auto* control = reinterpret_cast<TControl*>(Message.LParam);
        ButtonPressed(int(Message.WParam), dynamic_cast<TZvGridButton*>(control));
        return;
    }
    TGraphicControl::WndProc(Message);
}

// ---- Mouse --------------------------------------------------------------------------------------------
void TZvGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !Enabled()) return;
    if (FDropDownButton && X >= Width() - 12) {
        FState = TZvGridButtonState::bsUp;
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint at = ClientToScreen(TPoint{0, Height()});
            FDropDownMenu->Popup(at.X, at.Y);
        }
        return;
    }
    if (!FDown) {
        FState = TZvGridButtonState::bsDown;
        Invalidate();
    }
    if (FStyle == TZvGridButtonStyle::tasCheck) {
        FState = TZvGridButtonState::bsDown;
        Repaint();
    }
    FDragging = true;
}

void TZvGridButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TZvGridButtonState next = FDown ? TZvGridButtonState::bsExclusive : TZvGridButtonState::bsUp;
        if (Inside(*this, X, Y)) next = FDown ? TZvGridButtonState::bsExclusive : TZvGridButtonState::bsDown;
        if (FStyle == TZvGridButtonStyle::tasCheck && FDown) next = TZvGridButtonState::bsDown;
        if (StoreChanged(FState, next)) {
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TZvGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    const bool inside = Inside(*this, X, Y);
    if (FGroupIndex == 0) {
        FState = TZvGridButtonState::bsUp;
        if (FStyle == TZvGridButtonStyle::tasCheck) {
            SetDown(!FDown);
            FState = TZvGridButtonState::bsUp;
        }
        Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown) Invalidate();
    } else if (FDown) {
        FState = TZvGridButtonState::bsExclusive;
        Invalidate();
    } else {
        FState = TZvGridButtonState::bsUp;
        Invalidate();
    }
    if (inside) Click();
    UpdateTracking();
}

void TZvGridButton::DblClick()
{
    TGraphicControl::DblClick();
    if (FDown && OnDblClick) OnDblClick(this);
}

void TZvGridButton::UpdateTracking()
{
    if (!FFlat || !Enabled()) return;
    const bool over = FindDragTarget(TPoint{QCursor::pos().x(), QCursor::pos().y()}, false) == this;
    if (over != FMouseInControl) Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TZvGridButton::CMMouseEnter(TMessage& Message)
{
    TGraphicControl::CMMouseEnter(Message);
    if (!FMouseInControl && Enabled() && !GetCaptureControl()) {
        FMouseInControl = true;
        Repaint();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TZvGridButton::CMMouseLeave(TMessage& Message)
{
    TGraphicControl::CMMouseLeave(Message);
    if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TZvGridButton::CMEnabledChanged(TMessage& Message)
{
    TGraphicControl::CMEnabledChanged(Message);
    if (!Enabled()) FMouseInControl = false;
    UpdateTracking();
    Repaint();
}

// ---- Painting -----------------------------------------------------------------------------------------
void TZvGridButton::DrawButtonGradient(TCanvas* Canvas, TColor From, TColor To, bool Vertical, TRect R, int Steps,
                                       TColor FrameColor)
{
    if (Steps <= 0) Steps = 1;
    const TColor from = ColorToRGB(From), to = ColorToRGB(To);
    const int fr = int(from & 0xFF), fg = int((from >> 8) & 0xFF), fb = int((from >> 16) & 0xFF);
    const int dr = int(to & 0xFF) - fr, dg = int((to >> 8) & 0xFF) - fg, db = int((to >> 16) & 0xFF) - fb;
    const double extent = Vertical ? R.Bottom - R.Top : R.Right - R.Left;
    const double band = extent / Steps;
    for (int n = 0; n < Steps; ++n) {
        const TColor c = TColor(fr + int(std::lround(double(n) * dr / Steps))) |
                         TColor(fg + int(std::lround(double(n) * dg / Steps))) << 8 |
                         TColor(fb + int(std::lround(double(n) * db / Steps))) << 16;
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
        const int start = int(std::lround(n * band));
        const int len = int(std::lround(band)) + 1;
        if (Vertical)
            Canvas->Rectangle(R.Left, R.Top + start, R.Right, std::min(R.Top + start + len, R.Bottom));
        else
            Canvas->Rectangle(R.Left + start, R.Top, std::min(R.Left + start + len, R.Right), R.Bottom);
    }
    if (FrameColor != clNone) {
        Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
        Canvas->Pen()->SetColor(FrameColor);
        Canvas->Rectangle(R);
        Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    }
}

void TZvGridButton::PaintFlatFace(TRect& R, bool Hot)
{
    TCanvas* c = Canvas();
    const bool down = FState == TZvGridButtonState::bsDown || FState == TZvGridButtonState::bsExclusive;
    const bool checkedDown = FStyle == TZvGridButtonStyle::tasCheck && FDown;
    auto fill = [&](TColor from, TColor to, TColor pen) {
        if (to == clNone) {
            c->Brush()->SetStyle(TBrushStyle::bsSolid);
            c->Brush()->SetColor(from);
            c->Pen()->SetColor(pen == clNone ? from : pen);
            if (FRounded) c->Pen()->SetColor(from);
            c->Rectangle(R);
        } else {
            DrawButtonGradient(c, from, to, true, R, 16, FRounded ? clNone : pen);
        }
    };
    auto roundFrame = [&](TColor pen) {
        if (pen == clNone) return;
        TRect f = R;
        InflateRect(f, 1);
        c->Brush()->SetStyle(TBrushStyle::bsClear);
        c->Pen()->SetColor(pen);
        c->RoundRect(f, 8, 8);
        c->Brush()->SetStyle(TBrushStyle::bsSolid);
    };

    if (FBorderDownColor == clNone || FRounded) InflateRect(R, -1);
    if (!Hot) {
        if (checkedDown)
            fill(FColorChecked, FColorCheckedTo, FBorderDownColor);
        else
            fill(Color(), FColorTo, down ? FBorderDownColor : (FRounded ? clNone : FBorderColor));
        if (FBorderColor != clNone) {
            if (FRounded) {
                roundFrame(FBorderColor);
            } else {
                c->Brush()->SetStyle(TBrushStyle::bsClear);
                c->Pen()->SetColor(FBorderColor);
                c->Rectangle(R);
                c->Brush()->SetStyle(TBrushStyle::bsSolid);
            }
        }
    } else {
        TColor from = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
        if (down) {
            from = FColorDown;
            to = FColorDownTo;
            pen = FBorderDownColor;
        }
        if (checkedDown && !FDragging) {
            from = FColorChecked;
            to = FColorCheckedTo;
            pen = FBorderDownColor;
        }
        fill(from, to, pen);
        if (FRounded) roundFrame(pen);
        if (FDropDownButton && pen != clNone) {
            c->Pen()->SetColor(pen);
            c->MoveTo(R.Right - 12, R.Top);
            c->LineTo(R.Right - 12, R.Bottom);
        }
    }
    InflateRect(R, -1);
}

void TZvGridButton::Paint()
{
    if (!Enabled()) {
        FState = TZvGridButtonState::bsDisabled;
        FDragging = false;
    } else if (FState == TZvGridButtonState::bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? TZvGridButtonState::bsExclusive : TZvGridButtonState::bsUp;
    }
    if (FStyle == TZvGridButtonStyle::tasCheck && FDown) FState = TZvGridButtonState::bsDown;

    TCanvas* c = Canvas();
    c->SetFont(Font());
    TRect r = ClientRect();
    const bool hot = FMouseInControl && Enabled();
    const bool down = FState == TZvGridButtonState::bsDown || FState == TZvGridButtonState::bsExclusive;

    if (FFlat) {
        PaintFlatFace(r, hot);
    } else {
        unsigned state = DFCS_BUTTONPUSH;
        if (down) state |= DFCS_PUSHED;
        DrawFrameControl(*c, r, DFC_BUTTON, state);
        InflateRect(r, -2);
    }

    TPoint offset{0, 0};
    if (down) {
        if (FState == TZvGridButtonState::bsExclusive && !(FFlat && hot)) {
            TRect face = r;
            InflateRect(face, 1);
            if (FColorCheckedTo == clNone) {
                c->Brush()->SetColor(FColorChecked);
                c->FillRect(face);
            } else {
                DrawButtonGradient(c, FColorChecked, FColorCheckedTo, true, face, 16, clNone);
            }
        }
        if (!FFlat) offset = {1, 1};
    } else if (FFlat && hot && FShaded && Enabled()) {
        offset = {-1, -1};
    }

    if (FDropDownButton) {
        const int m = (r.Top + r.Bottom) / 2 - 1;
        c->Brush()->SetColor(Font()->Color());
        c->Pen()->SetColor(Font()->Color());
        c->Polygon({TPoint{r.Right - 8, m}, TPoint{r.Right - 4, m}, TPoint{r.Right - 6, m + 2}});
        r.Right -= 12;
    }

    TBitmap* glyph = PaintedGlyph(hot);
    const String caption = FShowCaption ? Caption() : String();
    const TSize glyphSize = glyph->Empty() ? TSize{0, 0} : TSize{glyph->Width(), glyph->Height()};
    TPoint glyphPos;
    TRect textBounds;
    LayoutGlyphAndCaption(c, r, glyphSize, caption, FLayout, FMargin, FSpacing, offset, UseRightToLeftReading(),
                          glyphPos, textBounds);
    // A glyph-only button keeps its picture in its top-left corner.
    if (Caption().isEmpty()) glyphPos = {0, 0};

    if (!glyph->Empty()) {
        const bool shade = hot && FShaded && Enabled() && !down && !FGlyphShade->Empty();
        if (shade) {
            FGlyphShade->SetTransparent(true);
            c->Draw(glyphPos.X + 2, glyphPos.Y + 2, FGlyphShade.get());
        }
        glyph->SetTransparent(true);
        c->Draw(glyphPos.X, glyphPos.Y, glyph);
    }

    if (!caption.isEmpty()) {
        if (FFlat && hot && FShaded && Enabled() && !down) {
            textBounds.Left += 1;
            textBounds.Right += 1;
            textBounds.Top += 1;
            textBounds.Bottom += 1;
        }
        c->Brush()->SetStyle(TBrushStyle::bsClear);
        const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | (UseRightToLeftReading() ? DT_RTLREADING : 0);
        if (FState == TZvGridButtonState::bsDisabled) {
            TRect shifted = textBounds;
            shifted.Left += 1;
            shifted.Right += 1;
            shifted.Top += 1;
            shifted.Bottom += 1;
            c->Font()->SetColor(clBtnHighlight);
            DrawText(*c, caption, shifted, flags);
            c->Font()->SetColor(clBtnShadow);
        }
        DrawText(*c, caption, textBounds, flags);
        c->Brush()->SetStyle(TBrushStyle::bsSolid);
    }
}

void TZvGridButton::LayoutGlyphAndCaption(TCanvas* Canvas, const TRect& Client, TSize GlyphSize,
                                          const String& Caption, TButtonLayout Layout, int Margin, int Spacing,
                                          TPoint Offset, bool RightToLeft, TPoint& GlyphPos, TRect& TextBounds)
{
    if (RightToLeft) {
        if (Layout == TButtonLayout::blGlyphLeft)
            Layout = TButtonLayout::blGlyphRight;
        else if (Layout == TButtonLayout::blGlyphRight)
            Layout = TButtonLayout::blGlyphLeft;
    }
    const TPoint client{Client.Right - Client.Left, Client.Bottom - Client.Top};
    TPoint text{0, 0};
    if (!Caption.isEmpty()) {
        TRect measure{0, 0, client.X, 0};
        DrawText(*Canvas, Caption, measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.Right - measure.Left, measure.Bottom - measure.Top};
    }
    const TPoint glyph{GlyphSize.cx, GlyphSize.cy};
    const bool horizontal = Layout == TButtonLayout::blGlyphLeft || Layout == TButtonLayout::blGlyphRight;
    TPoint g{0, 0}, t{0, 0};
    if (horizontal) {
        g.Y = (client.Y - glyph.Y + 1) / 2;
        t.Y = (client.Y - text.Y + 1) / 2;
    } else {
        g.X = (client.X - glyph.X + 1) / 2;
        t.X = (client.X - text.X + 1) / 2;
    }
    if (text.X == 0 || glyph.X == 0) Spacing = 0;
    const int total = horizontal ? client.X : client.Y;
    const int glyphExt = horizontal ? glyph.X : glyph.Y;
    const int textExt = horizontal ? text.X : text.Y;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = Spacing = (total - glyphExt - textExt) / 3;
        } else {
            Margin = (total - glyphExt - Spacing - textExt + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (total - Margin - glyphExt - textExt) / 2;
    }
    int glyphAt = 0, textAt = 0;
    switch (Layout) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphTop:
        glyphAt = Margin;
        textAt = glyphAt + glyphExt + Spacing;
        break;
    default:
        glyphAt = total - Margin - glyphExt;
        textAt = glyphAt - Spacing - textExt;
        break;
    }
    if (horizontal) {
        g.X = glyphAt;
        t.X = textAt;
    } else {
        g.Y = glyphAt;
        t.Y = textAt;
    }
    GlyphPos = {g.X + Client.Left + Offset.X, g.Y + Client.Top + Offset.Y};
    TextBounds = TRect{t.X + Client.Left + Offset.X, t.Y + Client.Top + Offset.Y, t.X + Client.Left + Offset.X + text.X,
                       t.Y + Client.Top + Offset.Y + text.Y};
}
