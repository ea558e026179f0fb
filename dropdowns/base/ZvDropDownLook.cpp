// The drop-down edit's layout (text beside the button, minimum height), its
// border looks, the focused look of a non-editable edit, and its label.
#include "dropdowns/base/ZvCustomDropDown.h"

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvDropDownDraw.h"
#include "platform/DrawText.h"
#include "platform/Forms.h"
#include "platform/FrameControls.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

// ---- Layout ------------------------------------------------------------------------------
void TZvCustomDropDown::CreateWnd()
{
    TEdit::CreateWnd();
    UpdateEditRect();
    UpdateButtonBounds();
}

void TZvCustomDropDown::UpdateEditRect()
{
    const int bw = FButton ? FButton->Width() : 0;
    FEditRect = Rect(1, 1, ClientWidth() - bw - 3, ClientHeight() + 1);
    // The text keeps clear of the arrow button.
    SetTextMargins(Rect(0, 0, bw + 2, 0));
}

int TZvCustomDropDown::MinimumEditHeight() const
{
    const int h = QFontMetrics(Font()->ToQFont()).height();
    const int s = QFontMetrics(QGuiApplication::font()).height();
    return h + std::min(h, s) / 4;
}

void TZvCustomDropDown::UpdateButtonBounds()
{
    const int m = MinimumEditHeight();
    if (Height() < m) {
        SetHeight(m);
    } else if (FButton) {
        const int a = FFlatLook ? 3 : 4;
        FButton->SetBounds(Width() - FButton->FixedWidth() - a, FFlatLook ? 2 : 0, FButton->FixedWidth(), Height() - a);
        UpdateEditRect();
    }
    Invalidate();
}

void TZvCustomDropDown::WMSize(TWMSize& Message)
{
    TEdit::WMSize(Message);
    UpdateButtonBounds();
}

void TZvCustomDropDown::CMFontChanged(TMessage& Message)
{
    TEdit::CMFontChanged(Message);
    if (HandleAllocated()) UpdateEditRect();
}

void TZvCustomDropDown::CMEnabledChanged(TMessage& Message)
{
    TEdit::CMEnabledChanged(Message);
    if (FButton) FButton->SetEnabled(Enabled());
}

void TZvCustomDropDown::CMVisibleChanged(TMessage& Message)
{
    TEdit::CMVisibleChanged(Message);
    if (FLabel && !LabelCaption().isEmpty()) FLabel->SetVisible(Visible());
}

// ---- Look ---------------------------------------------------------------------------------
bool TZvCustomDropDown::IsHot() const
{
    return FMouseInControl || Screen->ActiveControl() == this;
}

TColor TZvCustomDropDown::BorderFrameColor() const
{
    if (!Enabled() && FThemed && FDisabledBorder) return clSilver;
    if (FBorderColor != clNone && (!Focused() || FFocusBorderColor == clNone)) return FBorderColor;
    if (FFocusBorderColor != clNone) return Focused() ? FFocusBorderColor : clNone;
    return clNone;
}

void TZvCustomDropDown::RepaintBorder()
{
    if (Enabled() && !FFlatLook && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    Invalidate();
    if (FButton) FButton->Button()->SetFocused(IsHot());
}

void TZvCustomDropDown::DrawBorder()
{
    if (!HandleAllocated()) return;
    QImage& surface = Surface();
    if (surface.isNull()) return;
    TCanvas canvas;
    QPainter painter(&surface);
    canvas.BeginPaint(&painter);
    const TRect r = Rect(0, 0, Width(), Height());
    const TColor frame = BorderFrameColor();
    if (frame != clNone) {
        canvas.Brush()->SetColor(frame);
        canvas.FrameRect(r);
    } else if (FBorderColor == clNone && FFocusBorderColor == clNone) {
        TRect e = r;
        if (IsHot()) DrawEdge(canvas, e, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else {
            canvas.Brush()->SetColor(Parent() ? Parent()->Color() : clBtnFace);
            canvas.FrameRect(e);
        }
    }
    canvas.EndPaint();
}

void TZvCustomDropDown::WMPaint(TWMPaint& Message)
{
    TEdit::WMPaint(Message);
    DrawFocusedText();
    if (FBorderColor != clNone || FFocusBorderColor != clNone || (!Enabled() && FDisabledBorder)) DrawBorder();
}

void TZvCustomDropDown::DrawFocusedText()
{
    if (FEditorEnabled || !Focused() || !FFocusHighlight || !HandleAllocated()) return;
    QImage& surface = Surface();
    if (surface.isNull()) return;
    TCanvas canvas;
    QPainter painter(&surface);
    canvas.BeginPaint(&painter);
    TRect r = Rect(2, 2, Width() - (FButton ? FButton->Width() : 0) - 1, Height() - 2);
    canvas.Brush()->SetColor(clHighlight);
    canvas.Pen()->SetColor(clBlack);
    canvas.Rectangle(r);
    r.Left += 2;
    r.Right -= 3;
    canvas.SetFont(Font());
    canvas.Font()->SetColor(clHighlightText);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    DrawText(canvas, Text(), r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    canvas.EndPaint();
}

void TZvCustomDropDown::DrawSelectionBackground(TCanvas& Canvas, const TRect& R, int Segment)
{
    if (FSelectionColorStyle == TSelectionColorStyle::scCustom) {
        Canvas.Brush()->SetColor(FSelectionColor);
        Canvas.Pen()->SetColor(FSelectionColor);
        Canvas.FillRect(R);
        return;
    }
    struct TSix {
        TColor c[6];
    };
    TSix six{{0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0xB3F1FC, 0x58D4FC}};
    if (FSelectionColorStyle == TSelectionColorStyle::scWindowsVista)
        six = {{0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone}};
    else if (FSelectionColorStyle == TSelectionColorStyle::scWindows7)
        six = {{0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone}};
    DrawSelectionBox(Canvas, FSelectionColor, FSelectionColorTo, six.c[0], six.c[1], six.c[2], six.c[3], six.c[4],
                     six.c[5], clNone, R, TSelectionSegment(Segment));
}

void TZvCustomDropDown::DrawGradient(TCanvas& Canvas, TColor Color, bool Vertical, const TRect& R, int Steps,
                                     TColor ColorTo)
{
    DrawDropDownGradient(Canvas, Color, ColorTo, !Vertical, R, Steps);
}

// ---- Label ---------------------------------------------------------------------------------
String TZvCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TZvCustomDropDown::CreateLabel()
{
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->SetFont(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
    FLabel->OnClick = [this](TObject*) { FireLabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { FireLabelDblClick(); };
}

void TZvCustomDropDown::SetLabelCaption(const String& value)
{
    if (!FLabel) CreateLabel();
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    FLabel->SetCaption(value);
    PositionLabel();
}

void TZvCustomDropDown::SetLabelPosition(TLabelPosition value)
{
    FLabelPosition = value;
    if (FLabel) PositionLabel();
}

void TZvCustomDropDown::SetLabelMargin(int value)
{
    FLabelMargin = value;
    if (FLabel) PositionLabel();
}

void TZvCustomDropDown::SetLabelTransparent(bool value)
{
    FLabelTransparent = value;
    if (FLabel) PositionLabel();
}

void TZvCustomDropDown::SetLabelFont(TFont* value)
{
    if (!ParentFont()) FLabelFont->Assign(value);
    if (FLabel) PositionLabel();
}

void TZvCustomDropDown::LabelFontChanged()
{
    if (FLabel) PositionLabel();
}

void TZvCustomDropDown::FireLabelClick()
{
    if (OnLabelClick) OnLabelClick(this);
}

void TZvCustomDropDown::FireLabelDblClick()
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}

void TZvCustomDropDown::PositionLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FLabelFont.get());
    const int w = FLabel->TextSize().cx;
    const int l = Left(), t = Top(), ew = Width(), eh = Height();
    const int lw = FLabel->Width(), lh = FLabel->Height(), m = FLabelMargin;
    const int vCenter = lh < eh ? t + (eh - lh) / 2 : t - (lh - eh) / 2;
    const int hCenter = lw < ew ? l + (ew - lw) / 2 : l - (lw - ew) / 2;
    int top = t, left = l;
    switch (FLabelPosition) {
    case TLabelPosition::lpLeftTop: top = t; left = l - w - m; break;
    case TLabelPosition::lpLeftCenter: top = vCenter; left = l - w - m; break;
    case TLabelPosition::lpLeftBottom: top = t + eh - lh; left = l - w - m; break;
    case TLabelPosition::lpTopLeft: top = t - lh - m; left = l; break;
    case TLabelPosition::lpBottomLeft: top = t + eh + m; left = l; break;
    case TLabelPosition::lpLeftTopLeft: top = t; left = l - m; break;
    case TLabelPosition::lpLeftCenterLeft: top = vCenter; left = l - m; break;
    case TLabelPosition::lpLeftBottomLeft: top = t + eh - lh; left = l - m; break;
    case TLabelPosition::lpTopCenter: top = t - lh - m; left = hCenter; break;
    case TLabelPosition::lpBottomCenter: top = t + eh + m; left = hCenter; break;
    case TLabelPosition::lpRightTop: top = t; left = l + ew + m; break;
    case TLabelPosition::lpRightCenter: top = vCenter; left = l + ew + m; break;
    case TLabelPosition::lpRighBottom: top = t + eh - lh; left = l + ew + m; break;
    case TLabelPosition::lpTopRight: top = t - lh - m; left = l + ew - lw; break;
    case TLabelPosition::lpBottomRight: top = t + eh + m; left = l + ew - lw; break;
    }
    FLabel->SetBounds(left, top, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}
