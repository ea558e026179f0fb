#include "platform/ExtCtrls.h"

#include <QFontMetrics>

// ---- Panel ------------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks};
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TPanel::SetBevelOuter(TBevelCut value)
{
    if (value == FBevelOuter) return;
    FBevelOuter = value;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value)
{
    if (value == FBevelInner) return;
    FBevelInner = value;
    Invalidate();
}

void TPanel::SetBevelWidth(int value)
{
    if (value == FBevelWidth) return;
    FBevelWidth = std::max(1, value);
    Invalidate();
}

void TPanel::SetBorderWidth(int value)
{
    if (value == FBorderWidth) return;
    FBorderWidth = std::max(0, value);
    Invalidate();
}

void TPanel::SetAlignment(TAlignment value)
{
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TPanel::SetParentBackground(bool value)
{
    if (value == FParentBackground) return;
    FParentBackground = value;
    Invalidate();
}

void TPanel::SetShowCaption(bool value)
{
    if (value == FShowCaption) return;
    FShowCaption = value;
    Invalidate();
}

TColor TPanel::FaceColor() const
{
    if (FParentBackground && Parent()) return Parent()->Color();
    return Color();
}

void TPanel::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    TRect r = ClientRect();
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(FaceColor());
    c.FillRect(r);
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        if (cut == TBevelCut::bvSpace) {
            r = TRect{r.Left + FBevelWidth, r.Top + FBevelWidth, r.Right - FBevelWidth, r.Bottom - FBevelWidth};
            return;
        }
        const bool raised = cut == TBevelCut::bvRaised;
        Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    };
    bevel(FBevelOuter);
    r = TRect{r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth, r.Bottom - FBorderWidth};
    bevel(FBevelInner);
    if (FShowCaption && !Caption().isEmpty()) {
        const TTextBlock block(Caption(), *Font(), 0, true);
        const int top = r.Top + (r.Height() - block.Size().cy) / 2;
        const TRect textRect{r.Left + 2, top, r.Right - 2, top + block.Size().cy};
        c.SetClipRect(r);
        block.Draw(c, textRect, FAlignment, IsEnabledInChain());
        c.SetClipRect(TRect{});
    }
    TCustomControl::Paint();
}

// ---- Shape ---------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    SetBounds(0, 0, 65, 65);
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType value)
{
    if (value == FShape) return;
    FShape = value;
    Invalidate();
}

// The figure's box is inset by half the pen width so that the outline, which
// a wide pen draws centred on the box's edge, stays inside the control.
void TShape::Paint()
{
    TCanvas& c = *Canvas();
    c.SetPen(FPen.get());
    c.SetBrush(FBrush.get());
    const int penWidth = FPen->Width();
    const int inset = penWidth / 2;
    int w = Width() - penWidth + 1;
    int h = Height() - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    int x = inset, y = inset;
    const bool square = FShape == TShapeType::stSquare || FShape == TShapeType::stRoundSquare ||
                        FShape == TShapeType::stCircle;
    if (square) {
        const int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    switch (FShape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare: c.Rectangle(x, y, x + w, y + h); break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: {
        const int corner = std::min(w, h) / 4;
        c.RoundRect(x, y, x + w, y + h, corner, corner);
        break;
    }
    case TShapeType::stEllipse:
    case TShapeType::stCircle: c.Ellipse(x, y, x + w, y + h); break;
    }
    TGraphicControl::Paint();
}

// ---- Image ------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetStretch(bool value)
{
    if (value == FStretch) return;
    FStretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    if (value == FCenter) return;
    FCenter = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    if (value == FProportional) return;
    FProportional = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged();
}

void TImage::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    PictureChanged();
}

void TImage::PictureChanged()
{
    // The picture's transparency follows the image's.
    FPicture->SetTransparent(FTransparent);
    if (FAutoSize && !FPicture->Empty()) SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

TRect TImage::DestRect() const
{
    int w = FPicture->Width();
    int h = FPicture->Height();
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // As large as fits, keeping the picture's proportions.
            if (long(cw) * h <= long(ch) * w) {
                h = int(long(h) * cw / w);
                w = cw;
            } else {
                w = int(long(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return TRect{x, y, x + w, y + h};
}

void TImage::Paint()
{
    if (!FPicture->Empty()) Canvas()->StretchDraw(DestRect(), FPicture.get());
    TGraphicControl::Paint();
}

// ---- Bevel ----------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value)
{
    if (value == FShape) return;
    FShape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (value == FStyle) return;
    FStyle = value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas& c = *Canvas();
    const TColor dark = FStyle == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = FStyle == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    auto band = [&](const TRect& r, TColor color) {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(color);
        c.FillRect(r);
    };
    TRect r = ClientRect();
    switch (FShape) {
    case TBevelShape::bsBox: Frame3D(c, r, dark, light, 1); break;
    case TBevelShape::bsFrame: {
        // An etched frame: a dark ring and a light one one pixel to the lower right.
        TRect outer{0, 0, w - 1, h - 1};
        Frame3D(c, outer, dark, dark, 1);
        TRect inner{1, 1, w, h};
        Frame3D(c, inner, light, light, 1);
        break;
    }
    case TBevelShape::bsTopLine:
        band(TRect{0, 0, w, 1}, dark);
        band(TRect{0, 1, w, 2}, light);
        break;
    case TBevelShape::bsBottomLine:
        band(TRect{0, h - 2, w, h - 1}, dark);
        band(TRect{0, h - 1, w, h}, light);
        break;
    case TBevelShape::bsLeftLine:
        band(TRect{0, 0, 1, h}, dark);
        band(TRect{1, 0, 2, h}, light);
        break;
    case TBevelShape::bsRightLine:
        band(TRect{w - 2, 0, w - 1, h}, dark);
        band(TRect{w - 1, 0, w, h}, light);
        break;
    case TBevelShape::bsSpacer: break;
    }
    TGraphicControl::Paint();
}

// ---- Link label -------------------------------------------------------------------------------

namespace {

// The value of attribute `name` in the inside of a start tag ("a href=x id='y'"), or a null string.
String AttributeValue(const String& tag, const String& name)
{
    int i = 0;
    const int n = int(tag.size());
    while (i < n) {
        while (i < n && !tag[i].isLetter()) ++i;
        const int nameStart = i;
        while (i < n && (tag[i].isLetterOrNumber() || tag[i] == u'-' || tag[i] == u'_')) ++i;
        const String attr = tag.mid(nameStart, i - nameStart);
        while (i < n && tag[i].isSpace()) ++i;
        if (i >= n || tag[i] != u'=') {
            if (attr.isEmpty()) ++i;
            continue;
        }
        ++i;
        while (i < n && tag[i].isSpace()) ++i;
        String value;
        if (i < n && (tag[i] == u'"' || tag[i] == u'\'')) {
            const QChar quote = tag[i++];
            const int end = tag.indexOf(quote, i);
            value = tag.mid(i, end < 0 ? -1 : end - i);
            i = end < 0 ? n : end + 1;
        } else {
            const int start = i;
            while (i < n && !tag[i].isSpace()) ++i;
            value = tag.mid(start, i - start);
        }
        // A present but empty value stays apart from a missing one (a null string).
        if (attr.compare(name, Qt::CaseInsensitive) == 0) return value.isNull() ? QStringLiteral("") : value;
    }
    return String();
}

} // namespace

std::vector<TLinkLabel::Piece> TLinkLabel::Parse(const String& caption)
{
    std::vector<Piece> pieces;
    auto addPlain = [&](const String& text) {
        if (text.isEmpty()) return;
        if (!pieces.empty() && !pieces.back().IsLink) pieces.back().Text += text;
        else {
            Piece plain;
            plain.Text = text;
            pieces.push_back(plain);
        }
    };
    int pos = 0;
    const int n = int(caption.size());
    while (pos < n) {
        int open = caption.indexOf(QStringLiteral("<a"), pos, Qt::CaseInsensitive);
        // Only "<a" followed by a blank or ">" starts an anchor.
        while (open >= 0 && open + 2 < n && !caption[open + 2].isSpace() && caption[open + 2] != u'>')
            open = caption.indexOf(QStringLiteral("<a"), open + 1, Qt::CaseInsensitive);
        const int tagEnd = open >= 0 ? caption.indexOf(u'>', open) : -1;
        if (open < 0 || tagEnd < 0) {
            addPlain(caption.mid(pos));
            break;
        }
        addPlain(caption.mid(pos, open - pos));
        const String tag = caption.mid(open + 2, tagEnd - open - 2);
        const int close = caption.indexOf(QStringLiteral("</a>"), tagEnd + 1, Qt::CaseInsensitive);
        Piece link;
        link.IsLink = true;
        link.Text = caption.mid(tagEnd + 1, close < 0 ? -1 : close - tagEnd - 1);
        link.Href = AttributeValue(tag, QStringLiteral("href"));
        link.Id = AttributeValue(tag, QStringLiteral("id"));
        if (!link.Text.isEmpty()) pieces.push_back(link);
        pos = close < 0 ? n : close + 4;
    }
    return pieces;
}

TLinkLabel::TLinkLabel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 53, 17);
}

void TLinkLabel::SetAutoSize(bool value)
{
    if (value == FAutoSize) return;
    FAutoSize = value;
    Relayout();
}

void TLinkLabel::SetTransparent(bool value)
{
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TLinkLabel::SetLinkColor(TColor value)
{
    if (value == FLinkColor) return;
    FLinkColor = value;
    Invalidate();
}

void TLinkLabel::Relayout()
{
    FPieces = Parse(Caption());
    const QFontMetrics fm(Font()->ToQFont());
    int x = 0;
    for (Piece& p : FPieces) {
        const int w = fm.horizontalAdvance(p.Text);
        p.Bounds = TRect{x, 0, x + w, fm.height()};
        x += w;
    }
    if (FAutoSize) SetBounds(Left(), Top(), std::max(x, 1), fm.height());
    Invalidate();
}

const TLinkLabel::Piece* TLinkLabel::LinkAt(int X, int Y) const
{
    for (const Piece& p : FPieces)
        if (p.IsLink && p.Bounds.Contains({X, Y})) return &p;
    return nullptr;
}

void TLinkLabel::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    if (!FTransparent) {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(Color());
        c.FillRect(ClientRect());
    }
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    const TColor textColor = Font()->Color();
    const TFontStyles style = Font()->Style();
    const bool enabled = IsEnabledInChain();
    for (const Piece& p : FPieces) {
        if (p.IsLink) {
            c.Font()->SetColor(enabled ? FLinkColor : clGrayText);
            c.Font()->SetStyle(style + TFontStyles{TFontStyle::fsUnderline});
        } else {
            c.Font()->SetColor(enabled ? textColor : clGrayText);
            c.Font()->SetStyle(style);
        }
        c.TextOut(p.Bounds.Left, p.Bounds.Top, p.Text);
    }
    c.Font()->SetColor(textColor);
    c.Font()->SetStyle(style);
    TCustomControl::Paint();
}

void TLinkLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FPressedLink = -1;
    if (Button == TMouseButton::mbLeft)
        if (const Piece* p = LinkAt(X, Y)) FPressedLink = int(p - FPieces.data());
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TLinkLabel::MouseMove(TShiftState Shift, int X, int Y)
{
    SetCursor(LinkAt(X, Y) ? crHandPoint : crDefault);
    TCustomControl::MouseMove(Shift, X, Y);
}

// A link is clicked when the button goes down and up on the same link.
void TLinkLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int pressed = FPressedLink;
    FPressedLink = -1;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || pressed < 0) return;
    const Piece* p = LinkAt(X, Y);
    if (!p || int(p - FPieces.data()) != pressed) return;
    if (!p->Href.isNull() || p->Id.isNull()) DoOnLinkClick(p->Href, TSysLinkType::sltURL);
    else DoOnLinkClick(p->Id, TSysLinkType::sltID);
}

void TLinkLabel::DoOnLinkClick(const String& Link, TSysLinkType LinkType)
{
    if (OnLinkClick) OnLinkClick(this, Link, LinkType);
}

void TLinkLabel::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    Relayout();
}

void TLinkLabel::CMFontChanged(TMessage& Message)
{
    TCustomControl::CMFontChanged(Message);
    Relayout();
}
