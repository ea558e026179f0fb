// The shared pieces of the standard controls (accelerators, text blocks, the
// Qt widgets' colours) and the painted ones: label and group box. Each windowed
// control over a Qt widget has a file of its own (StdCtrls<Control>.cpp).

#include "platform/StdCtrls.h"
#include "platform/StdCtrlsPrivate.h"

#include "platform/DrawText.h"

#include <QFontMetrics>
#include <QPalette>
#include <QWidget>

#include <algorithm>

// ---- Accelerators -------------------------------------------------------------

TAccelText StripAccelChar(const String& caption)
{
    TAccelText result;
    result.Text.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && result.AccelIndex < 0) {
                result.AccelIndex = int(result.Text.size());
                result.Accel = caption[i];
            }
            result.Text += caption[i];
            continue;
        }
        result.Text += c;
    }
    return result;
}

bool IsAccel(QChar key, const String& caption)
{
    const TAccelText a = StripAccelChar(caption);
    return a.AccelIndex >= 0 && a.Accel.toUpper() == key.toUpper();
}

// ---- Text blocks ------------------------------------------------------------------

// Laid out by the same code as DrawText, so a caption measures as it is drawn
// everywhere else; an empty caption measures as one blank.
TTextBlock::TTextBlock(const String& caption, const TFont& font, int wrapWidth, bool showAccelChar,
                       unsigned ellipsis, int ellipsisWidth)
{
    unsigned format = (showAccelChar ? 0u : DT_NOPREFIX) | (wrapWidth > 0 ? DT_WORDBREAK : 0u);
    int width = std::max(0, wrapWidth);
    if (ellipsis && wrapWidth <= 0) {
        format |= ellipsis;
        width = std::max(0, ellipsisWidth);
    }
    const TDrawTextLayout layout(font.ToQFont(), caption.isEmpty() ? QStringLiteral(" ") : caption, format, width);
    for (const TTextLine& line : layout.Lines()) FLines.push_back(LineInfo{line.Text, line.Width, line.Accel});
    FLineHeight = layout.LineHeight();
    FAscent = layout.Ascent();
    FSize = {layout.Width(), layout.Height()};
}

int TTextBlock::LineLeft(int index, const TRect& r, TAlignment alignment) const
{
    const int width = FLines.at(std::size_t(index)).width;
    switch (alignment) {
    case TAlignment::taRightJustify: return r.Right - width;
    case TAlignment::taCenter: return r.Left + (r.Width() - width) / 2;
    default: return r.Left;
    }
}

void TTextBlock::Draw(TCanvas& canvas, const TRect& r, TAlignment alignment, bool enabled) const
{
    const TBrushStyle brushStyle = canvas.Brush()->Style();
    const TColor brushColor = canvas.Brush()->Color();
    const TColor fontColor = canvas.Font()->Color();
    const QFontMetrics fm(canvas.Font()->ToQFont());
    auto drawPass = [&](int dx, int dy, TColor color) {
        canvas.Font()->SetColor(color);
        for (int i = 0; i < LineCount(); ++i) {
            const LineInfo& line = FLines[std::size_t(i)];
            const int x = LineLeft(i, r, alignment) + dx;
            const int y = r.Top + i * FLineHeight + dy;
            canvas.Brush()->SetStyle(TBrushStyle::bsClear);
            canvas.TextOut(x, y, line.text);
            if (line.accel >= 0 && color != clNone) {
                const int ux = x + fm.horizontalAdvance(line.text.left(line.accel));
                const int uw = fm.horizontalAdvance(line.text.mid(line.accel, 1));
                canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
                canvas.Brush()->SetColor(color);
                canvas.FillRect(TRect{ux, y + FAscent + 1, ux + uw, y + FAscent + 2});
            }
        }
    };
    if (enabled) {
        drawPass(0, 0, fontColor);
    } else {
        // Disabled text is etched: a highlight one pixel down and right, the shadow over it.
        drawPass(1, 1, clBtnHighlight);
        drawPass(0, 0, clBtnShadow);
    }
    canvas.Font()->SetColor(fontColor);
    canvas.Brush()->SetStyle(brushStyle);
    canvas.Brush()->SetColor(brushColor);
}

// ---- Colours of the Qt widgets ---------------------------------------------------------

void StdCtrlsPrivate::ApplyColors(TWinControl* control, ColorRole role)
{
    if (!control->HandleAllocated()) return;
    QWidget* widget = control->Handle();
    QPalette palette = widget->palette();
    const QColor text = ToQColor(control->Font()->Color());
    switch (role) {
    case ColorRole::Input:
        palette.setColor(QPalette::Base, ToQColor(control->Color()));
        palette.setColor(QPalette::Text, text);
        break;
    case ColorRole::Caption: palette.setColor(QPalette::WindowText, text); break;
    case ColorRole::Button: palette.setColor(QPalette::ButtonText, text); break;
    }
    widget->setPalette(palette);
}

// ---- Label ------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TLabel::SetEllipsisPosition(TEllipsisPosition value)
{
    if (value == FEllipsisPosition) return;
    FEllipsisPosition = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

TSize TLabel::TextSize() const
{
    const TTextBlock block(Caption(), *Font(), FWordWrap ? Width() : 0, FShowAccelChar);
    return block.Size();
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize) return;
    const TSize size = TextSize();
    const int width = FWordWrap ? Width() : size.cx;
    int left = Left();
    // A right-aligned label keeps its right edge where it was.
    if (FAlignment == TAlignment::taRightJustify && !FWordWrap) left += Width() - width;
    SetBounds(left, Top(), width, size.cy);
}

void TLabel::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    if (!FTransparent) {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(Color());
        c.FillRect(ClientRect());
    }
    // An AutoSize label is always as wide as its caption: nothing to cut.
    unsigned ellipsis = 0;
    if (!FAutoSize) {
        switch (FEllipsisPosition) {
        case TEllipsisPosition::epEndEllipsis: ellipsis = DT_END_ELLIPSIS; break;
        case TEllipsisPosition::epPathEllipsis: ellipsis = DT_PATH_ELLIPSIS; break;
        case TEllipsisPosition::epWordEllipsis: ellipsis = DT_WORD_ELLIPSIS; break;
        case TEllipsisPosition::epNone: break;
        }
    }
    const TTextBlock block(Caption(), *Font(), FWordWrap ? Width() : 0, FShowAccelChar, ellipsis, Width());
    int top = 0;
    if (FLayout == TTextLayout::tlCenter) top = (Height() - block.Size().cy) / 2;
    else if (FLayout == TTextLayout::tlBottom) top = Height() - block.Size().cy;
    block.Draw(c, TRect{0, top, Width(), top + block.Size().cy}, FAlignment, IsEnabledInChain());
    TGraphicControl::Paint();
}

void TLabel::CMTextChanged(TMessage& Message)
{
    TGraphicControl::CMTextChanged(Message);
    AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
    Invalidate();
}

void TLabel::CMDialogChar(TCMDialogChar& Message)
{
    if (FFocusControl && FShowAccelChar && Enabled() && IsAccel(QChar(char16_t(Message.CharCode)), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(Message);
}

// ---- Group box -------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks, csOpaque,
                                  csParentBackground};
    SetBounds(0, 0, 185, 105);
}

// An etched frame (shadow, then highlight one pixel to the lower right) whose
// top runs through the middle of the caption; the caption stands at x 8 on the
// box's own colour.
void TGroupBox::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    const int textHeight = c.TextHeight(QStringLiteral("0"));
    const int top = textHeight / 2;
    c.Brush()->SetColor(clBtnHighlight);
    c.FrameRect(TRect{1, top + 1, Width(), Height()});
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(TRect{0, top, Width() - 1, Height() - 1});
    if (!Caption().isEmpty()) {
        const TTextBlock block(Caption(), *Font(), 0, true);
        const TSize size = block.Size();
        c.Brush()->SetColor(Color());
        c.FillRect(TRect{8, 0, 8 + size.cx, size.cy});
        block.Draw(c, TRect{8, 0, 8 + size.cx, size.cy}, TAlignment::taLeftJustify, IsEnabledInChain());
    }
    TCustomControl::Paint();
}
