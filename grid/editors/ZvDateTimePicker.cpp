#include "grid/editors/ZvDateTimePicker.h"

#include "platform/FrameControls.h"
#include "platform/Themes.h"

#include <cmath>

UINT DTPShiftFocusMessage()
{
    // Only pickers post and handle it, each to itself.
    return WM_APP + 0x0D7F;
}

// ---- The shared look ----------------------------------------------------------------------------
void TPickerLookPainter::DrawBorders(TDateTimePicker* Picker, TCanvas& Canvas, bool Metro, bool DroppedDown)
{
    if (!Metro) return;
    const bool enabled = Picker->Enabled();
    if (enabled && Look.BorderColor == clNone && Look.FocusBorderColor == clNone && !Look.FocusBorder) return;
    const TRect whole{0, 0, Picker->Width(), Picker->Height()};
    Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    auto frame = [&](TRect r, TColor c) {
        Canvas.Brush()->SetColor(c);
        Canvas.FrameRect(r);
    };
    const bool focusedColor = HasFocus && Look.FocusBorderColor != clNone;
    if (!enabled && IsThemed && !Look.DisabledBorder) {
        frame(whole, TColor(0xB99D7F));
    } else if (Look.BorderColor != clNone && !focusedColor) {
        frame(whole, Look.BorderColor);
    } else if (focusedColor) {
        frame(whole, Look.FocusBorderColor);
    } else {
        // The flat look: outer colour the button face when hot, else the parent's background.
        const TColor outer = Hot() ? clBtnFace : (Picker->Parent() ? Picker->Parent()->Color() : clBtnFace);
        const TColor inner = Picker->Color();
        if (Hot()) {
            TRect r = whole;
            DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT);
            frame(r, outer);
            InflateRect(r, -1, -1);
            frame(r, inner);
        } else {
            frame(whole, outer);
            TRect left = whole;
            left.Right -= ButtonWidth;
            InflateRect(left, -1, -1);
            frame(left, outer);
            InflateRect(left, -1, -1);
            frame(left, inner);
        }
    }
    // The flat button at the right edge.
    if (Look.ButtonColor == clNone) return;
    TRect b{Picker->ClientWidth() - ButtonWidth + 2, 0, Picker->ClientWidth(), Picker->ClientHeight()};
    InflateRect(b, -1, -1);
    TColor fill = Look.ButtonColor;
    if (ButtonHover && MouseDown && Look.ButtonColorDown != clNone) fill = Look.ButtonColorDown;
    else if (ButtonHover && Look.ButtonColorHot != clNone) fill = Look.ButtonColorHot;
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(fill);
    Canvas.FillRect(TRect{b.Left + 2, b.Top, b.Right, b.Bottom});
    if (Look.ButtonBorderColor != clNone) {
        Canvas.Pen()->SetColor(Look.ButtonBorderColor);
        Canvas.MoveTo(b.Left + 1, b.Top);
        Canvas.LineTo(b.Left + 1, b.Bottom);
    }
    const TColor arrow = MouseDown && Look.ButtonTextColorDown != clNone ? Look.ButtonTextColorDown
                         : Look.ButtonTextColor != clNone              ? Look.ButtonTextColor
                                                                       : clBlack;
    Canvas.Pen()->SetColor(arrow);
    Canvas.Brush()->SetColor(arrow);
    const int top = b.Top + (b.Height() - 17) / 2;
    Canvas.Polygon({{b.Left + 5, top + 7}, {b.Left + 11, top + 7}, {b.Left + 8, top + 10}});
    (void)DroppedDown;
}

// ---- The look-carrying pickers' shared steps ----------------------------------------------------
TLookDateTimePicker::TLookDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner)
{
    SetDoubleBuffered(true);
    FPainter.IsThemed = IsComCtl6();
}

void TLookDateTimePicker::Paint()
{
    PaintPlatform();
    FPainter.DrawBorders(this, *Canvas(), MetroActive(), DroppedDown());
}

void TLookDateTimePicker::MouseMove(TShiftState Shift, int X, int Y)
{
    TDateTimePicker::MouseMove(Shift, X, Y);
    const bool hover = X > Width() - FPainter.ButtonWidth && X < Width();
    if (hover != FPainter.ButtonHover) {
        FPainter.ButtonHover = hover;
        Invalidate();
    }
}

void TLookDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FPainter.MouseDown = true;
    TDateTimePicker::MouseDown(Button, Shift, X, Y);
}

void TLookDateTimePicker::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FPainter.MouseDown = false;
    TDateTimePicker::MouseUp(Button, Shift, X, Y);
    Invalidate();
}

void TLookDateTimePicker::MouseEnter()
{
    TDateTimePicker::MouseEnter();
    if (!Enabled()) return;
    FPainter.MouseInControl = true;
    Invalidate();
}

void TLookDateTimePicker::MouseLeave()
{
    TDateTimePicker::MouseLeave();
    FPainter.MouseInControl = false;
    FPainter.ButtonHover = false;
    Invalidate();
}

void TLookDateTimePicker::DoEnter()
{
    FPainter.HasFocus = true;
    TDateTimePicker::DoEnter();
}

void TLookDateTimePicker::DoExit()
{
    FPainter.HasFocus = false;
    TDateTimePicker::DoExit();
}

// ---- TAsgDateTimePicker ---------------------------------------------------------------------------
TAsgDateTimePicker::TAsgDateTimePicker(TComponent* AOwner) : TLookDateTimePicker(AOwner) {}

void TAsgDateTimePicker::SetBorderStyle(TBorderStyle value)
{
    if (FPainter.Look.BorderStyle == value) return;
    FPainter.Look.BorderStyle = value;
    ChangeBorderStyle();
}

void TAsgDateTimePicker::SetBorderColor(TColor value)
{
    if (FPainter.Look.BorderColor == value) return;
    FPainter.Look.BorderColor = value;
    Invalidate();
}

void TAsgDateTimePicker::SetMetroStyle(bool value)
{
    if (FPainter.Look.MetroStyle == value) return;
    FPainter.Look.MetroStyle = value;
    Invalidate();
}

// ---- TCustomDateTimePicker ------------------------------------------------------------------------
TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TLookDateTimePicker(AOwner)
{
    FPainter.Look.BorderColor = clBlack;
}

void TCustomDateTimePicker::SetBorderStyle(TBorderStyle value)
{
    if (FPainter.Look.BorderStyle == value) return;
    FPainter.Look.BorderStyle = value;
    Invalidate();
}

void TCustomDateTimePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == DTPShiftFocusMessage()) {
        AutoTabAdvance();
        return;
    }
    TLookDateTimePicker::WndProc(Message);
}

void TCustomDateTimePicker::RememberParts()
{
    if (Kind() != TDateTimeKind::dtkTime) return;
    int h, m, s, ms;
    DecodeTime(TDateTimePicker::DateTime(), h, m, s, ms);
    Fh = quint16(h), Fm = quint16(m), Fs = quint16(s), Fms = quint16(ms);
}

void TCustomDateTimePicker::KeyPress(QChar& Key)
{
    const bool digit = FAutoTab && Key >= u'0' && Key <= u'9';
    if (digit) RememberParts();
    TLookDateTimePicker::KeyPress(Key);
    if (digit) PostMessage(this, DTPShiftFocusMessage());
}

void TCustomDateTimePicker::PostNextPart() { PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0); }

void TCustomDateTimePicker::AutoTabAdvance()
{
    if (Kind() != TDateTimeKind::dtkTime) return;
    int h, m, s, ms;
    DecodeTime(TDateTimePicker::DateTime(), h, m, s, ms);
    if (h != Fh || m != Fm || s != Fs) PostNextPart();
}

// ---- Label placement -----------------------------------------------------------------------------
TPoint PickerLabelPlace(TPickerLabelPosition Position, const TRect& Control, int LabelWidth, int LabelHeight,
                        int Margin)
{
    using P = TPickerLabelPosition;
    const int centreY = Control.Top + (Control.Height() - LabelHeight) / 2;
    const int centreX = Control.Left + (Control.Width() - LabelWidth) / 2;
    switch (Position) {
    case P::lpLeftTop: return {Control.Left - LabelWidth - Margin, Control.Top};
    case P::lpLeftCenter: return {Control.Left - LabelWidth - Margin, centreY};
    case P::lpLeftBottom: return {Control.Left - LabelWidth - Margin, Control.Bottom - LabelHeight};
    case P::lpTopLeft: return {Control.Left, Control.Top - LabelHeight - Margin};
    case P::lpBottomLeft: return {Control.Left, Control.Bottom + Margin};
    case P::lpLeftTopLeft: return {Control.Left - Margin, Control.Top};
    case P::lpLeftCenterLeft: return {Control.Left - Margin, centreY};
    case P::lpLeftBottomLeft: return {Control.Left - Margin, Control.Bottom - LabelHeight};
    case P::lpTopCenter: return {centreX, Control.Top - LabelHeight - Margin};
    case P::lpBottomCenter: return {centreX, Control.Bottom + Margin};
    case P::lpRightTop: return {Control.Right + Margin, Control.Top};
    case P::lpRightCenter: return {Control.Right + Margin, centreY};
    case P::lpRighBottom: return {Control.Right + Margin, Control.Bottom - LabelHeight};
    }
    return {Control.Left, Control.Top};
}

// ---- TZvDateTimePicker ----------------------------------------------------------------------------
TZvDateTimePicker::TZvDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), FLabelFont(std::make_unique<TFont>())
{
    FPainter.Look.BorderStyle = TBorderStyle::bsSingle;
    FLabelFont->OnChange = [this](TObject*) { PlaceLabel(); };
    MakeTimePicker();
    LayoutTimePicker();
}

TZvDateTimePicker::~TZvDateTimePicker()
{
    FLabelFont->OnChange = nullptr;
    // The label is owned by this picker and freed with it, detached from its parent first.
    if (FLabel) FLabel->SetParent(nullptr);
}

void TZvDateTimePicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomDateTimePicker::Notification(AComponent, Operation);
    // The label's parent may free it first, with its other controls.
    if (Operation == TOperation::opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TZvDateTimePicker::MakeTimePicker()
{
    if (FTimePicker || FKind != TZvDateTimeKind::dkDateTime) return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->SetKind(TDateTimeKind::dtkTime);
    FTimePicker->SetAutoTab(FAutoTab);
    FTimePicker->OnChange = [this](TObject*) {
        FireChange();
        if (OnTimeChange) OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject*) { FireClick(); };
    FTimePicker->OnKeyPress = [this](TObject* s, QChar& k) { NoOpHook(s, k); };
    // The keys that end or leave an edit reach this picker's own handling, so an
    // editor built on it sees them; the part keeps its arrows and digits.
    FTimePicker->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (Key == VK_RETURN || Key == VK_TAB || Key == VK_ESCAPE) KeyDown(Key, Shift);
    };
}

void TZvDateTimePicker::FireChange()
{
    if (OnChange) OnChange(this);
}

void TZvDateTimePicker::FireClick()
{
    if (OnClick) OnClick(this);
}

void TZvDateTimePicker::SetKind(TZvDateTimeKind value)
{
    if (FKind == value) return;
    FKind = value;
    TDateTimePicker::SetKind(value == TZvDateTimeKind::dkTime ? TDateTimeKind::dtkTime : TDateTimeKind::dtkDate);
    MakeTimePicker();
    LayoutTimePicker();
}

TDateTime TZvDateTimePicker::Time() const
{
    if (FKind == TZvDateTimeKind::dkDateTime && FTimePicker) return FTimePicker->Time();
    return TDateTimePicker::Time();
}

void TZvDateTimePicker::SetTime(TDateTime value)
{
    TDateTimePicker::SetTime(value);
    LayoutTimePicker();
}

TDateTime TZvDateTimePicker::DateTime() const
{
    if (FKind == TZvDateTimeKind::dkDateTime && FTimePicker)
        return ComposeDateTime(TDateTimePicker::Date(), FTimePicker->Time());
    return TDateTimePicker::DateTime();
}

void TZvDateTimePicker::SetDateTime(TDateTime value)
{
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    const TDateTime whole = ComposeDateTime(EncodeDate(y, mo, d), EncodeTime(h, mi, s, 0));
    TDateTimePicker::SetDateTime(whole);
    MakeTimePicker();
    if (FTimePicker) FTimePicker->SetDateTime(whole);
}

void TZvDateTimePicker::SetDate(TDateTime value)
{
    int h, mi, s, ms;
    DecodeTime(DateTime(), h, mi, s, ms);
    SetDateTime(ComposeDateTime(std::floor(value), EncodeTime(h, mi, s, 0)));
}

void TZvDateTimePicker::SetTimeFormat(const String& value)
{
    FTimeFormat = value;
    if (FTimePicker) FTimePicker->SetFormat(value);
    if (FKind == TZvDateTimeKind::dkTime) SetFormat(value);
    LayoutTimePicker();
}

void TZvDateTimePicker::SetAutoTab(bool value)
{
    TCustomDateTimePicker::SetAutoTab(value);
    if (FTimePicker) FTimePicker->SetAutoTab(value);
}

void TZvDateTimePicker::SetBorderStyle(TBorderStyle value)
{
    TCustomDateTimePicker::SetBorderStyle(value);
    LayoutTimePicker();
}

void TZvDateTimePicker::RememberParts()
{
    TCustomDateTimePicker::RememberParts();
    int y, mo, d;
    DecodeDate(TDateTimePicker::DateTime(), y, mo, d);
    Fy = quint16(y), Fmo = quint16(mo), Fd = quint16(d);
}

void TZvDateTimePicker::AutoTabAdvance()
{
    if (FKind == TZvDateTimeKind::dkTime) {
        TCustomDateTimePicker::AutoTabAdvance();
        return;
    }
    int y, mo, d;
    DecodeDate(TDateTimePicker::DateTime(), y, mo, d);
    const bool dayChanged = d != Fd, monthChanged = mo != Fmo, yearChanged = y != Fy;
    auto toTimePart = [this] {
        if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
    };
    if (!Format().isEmpty()) {
        const QChar c = Format().back().toLower();
        if ((dayChanged && c == u'd') || (monthChanged && c == u'm') || (yearChanged && c == u'y')) toTimePart();
        else if (dayChanged || monthChanged || yearChanged) PostNextPart();
    } else if (dayChanged || monthChanged) {
        PostNextPart();
    } else if (yearChanged) {
        toTimePart();
    }
}

void TZvDateTimePicker::LayoutTimePicker()
{
    if (!FTimePicker) return;
    const bool shown = FKind == TZvDateTimeKind::dkDateTime;
    if (!shown) {
        delete FTimePicker;
        FTimePicker = nullptr;
        return;
    }
    FTimePicker->SetColor(Color());
    FTimePicker->Font()->Assign(Font());
    FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
    FTimePicker->SetFormat(FTimeFormat);
    TBitmap probe;
    probe.Canvas()->SetFont(Font());
    const int a = probe.Canvas()->TextWidth(FTimePicker->Text().left(255)) + 31;
    FTimePicker->SetBounds(Width() - a - 21, 1, a, std::max(0, Height() - 2));
    FTimePicker->SetVisible(true);
}

void TZvDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
    LayoutTimePicker();
    PlaceLabel();
}

void TZvDateTimePicker::SetEnabled(bool value)
{
    TCustomDateTimePicker::SetEnabled(value);
    LayoutTimePicker();
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(value);
}

void TZvDateTimePicker::Paint()
{
    if (FFirstRun) {
        FFirstRun = false;
        LayoutTimePicker();
    }
    TCustomDateTimePicker::Paint();
}

void TZvDateTimePicker::CMVisibleChanged(TMessage& Message)
{
    TCustomDateTimePicker::CMVisibleChanged(Message);
    if (FLabel) FLabel->SetVisible(Visible());
}

void TZvDateTimePicker::DoEnter()
{
    TCustomDateTimePicker::DoEnter();
    if (FLabel && FFocusLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() + TFontStyles{TFontStyle::fsBold});
}

void TZvDateTimePicker::DoExit()
{
    TCustomDateTimePicker::DoExit();
    if (FLabel && FFocusLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() - TFontStyles{TFontStyle::fsBold});
}

void TZvDateTimePicker::SetLabelCaption(const String& value)
{
    FLabelCaption = value;
    if (!FLabel) {
        FLabel = new TLabel(this);
        FLabel->FreeNotification(this);
        FLabel->Font()->Assign(FLabelFont.get());
        FLabel->OnClick = [this](TObject*) {
            if (OnLabelClick) OnLabelClick(this);
        };
        FLabel->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick) OnLabelDblClick(this);
        };
    }
    FLabel->SetCaption(value);
    PlaceLabel();
}

void TZvDateTimePicker::SetLabelPosition(TPickerLabelPosition value)
{
    FLabelPosition = value;
    PlaceLabel();
}

void TZvDateTimePicker::SetLabelMargin(int value)
{
    FLabelMargin = value;
    PlaceLabel();
}

void TZvDateTimePicker::SetLabelTransparent(bool value)
{
    FLabelTransparent = value;
    PlaceLabel();
}

void TZvDateTimePicker::PlaceLabel()
{
    if (!FLabel) return;
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FLabelFont.get());
    TBitmap probe;
    probe.Canvas()->SetFont(FLabel->Font());
    const int w = probe.Canvas()->TextWidth(FLabel->Caption());
    const int h = probe.Canvas()->TextHeight(FLabel->Caption());
    const TPoint at = PickerLabelPlace(FLabelPosition, TRect{Left(), Top(), Left() + Width(), Top() + Height()}, w, h,
                                       FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, w, h);
    FLabel->SetVisible(Visible());
}
