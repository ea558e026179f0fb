// The pop-up's header and footer strips and their button list.
#include "dropdowns/base/ZvDropDownStrips.h"

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvDropDownForm.h"
#include "grid/support/ZvDropDownDraw.h"
#include "grid/support/ZvHTMLRender.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"

namespace {
// Posted to a strip whose buttons changed during a click: rebuild once the click is over.
constexpr UINT CM_REBUILDBUTTONS = CM_BASE + 310;
} // namespace

// ---- TDbgList ---------------------------------------------------------------------------
void* TDbgList::GetItemsEx(int index) const
{
    if (index >= Count()) throw Exception(QStringLiteral("Index out of bounds in list read access"));
    if (index < 0) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[std::size_t(index)];
}

void TDbgList::SetItemsEx(int index, void* value)
{
    if (index >= Count()) throw Exception(QStringLiteral("Index out of bounds in list write access"));
    if (index < 0) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    FItems[std::size_t(index)] = value;
}

void TDbgList::Delete(int index)
{
    GetItemsEx(index);
    FItems.erase(FItems.begin() + index);
}

// ---- Strips -----------------------------------------------------------------------------
TZvDropDownStrip::TZvDropDownStrip(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks});
    SetDoubleBuffered(true);
}

TZvDropDownStrip::~TZvDropDownStrip() = default;

void TZvDropDownStrip::SetImages(TCustomImageList* value)
{
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
}

void TZvDropDownStrip::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

void TZvDropDownStrip::LinkDropDown(TZvCustomDropDown* edit)
{
    FZvDropDown = edit;
    SetImages(edit ? edit->Images() : nullptr);
    if (edit) TakeAppearanceOf(edit);
}

void TZvDropDownStrip::AppearanceChanged()
{
    SetVisible(StripAppearance()->Visible());
    SetHeight(StripAppearance()->Height());
}

TZvButton* TZvDropDownStrip::ButtonControl(int index) const
{
    return static_cast<TZvButton*>(FButtonList.GetItemsEx(index));
}

TRect TZvDropDownStrip::ButtonArea() const
{
    const TRect c = ClientRect();
    return Rect(c.Left + 2, c.Top + 2, c.Right - 2, c.Bottom - 2);
}

void TZvDropDownStrip::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i) delete ButtonControl(i);
    FButtonList.Clear();
}

void TZvDropDownStrip::BuildButtons()
{
    if (!FZvDropDown || !StripAppearance()) return;
    if (FClickDepth > 0) {
        FRebuildPending = true;
        return;
    }
    ClearButtons();
    const TRect area = ButtonArea();
    const int h = area.Height();
    for (int i = 0; i < DescriptionCount(); ++i) {
        TDropDownButton* d = Description(i);
        auto* b = new TZvButton(this);
        b->SetParent(this);
        if (IsFooter()) {
            b->SetZvDropDown(FZvDropDown);
            b->SetModalResult(DescriptionResult(i));
        }
        b->SetAppearance(FZvDropDown->ButtonAppearance());
        b->SetCaption(d->Caption());
        b->SetImages(FImages);
        b->SetImageIndex(d->ImageIndex());
        b->SetEnabled(d->Enabled());
        b->FitToCaption();
        if (d->Width() > 0) b->SetWidth(d->Width());
        if (d->Height() > 0) b->SetHeight(d->Height());
        if (b->Height() > h) b->SetHeight(h);
        b->SetTag(i);
        b->OnClick = [this](TObject* sender) { ButtonClicked(sender); };
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

void TZvDropDownStrip::ArrangeButtons()
{
    if (FButtonList.Count() == 0) return;
    const TRect a = ButtonArea();
    const bool right = StripAppearance()->ButtonAlignment() == TButtonAlignment::baRight;
    int x = right ? a.Right : a.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TZvButton* b = ButtonControl(i);
        const int top = std::max(a.Top, (a.Bottom - b->Height()) / 2);
        if (right) {
            b->SetBounds(x - b->Width(), top, b->Width(), b->Height());
            x = b->Left();
        } else {
            b->SetBounds(x, top, b->Width(), b->Height());
            x += b->Width();
        }
    }
}

void TZvDropDownStrip::RefreshButtons()
{
    if (!FZvDropDown) return;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TZvButton* b = ButtonControl(i);
        b->SetAppearance(FZvDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (i < DescriptionCount()) {
            b->SetCaption(Description(i)->Caption());
            b->SetImageIndex(Description(i)->ImageIndex());
            b->SetEnabled(Description(i)->Enabled());
        }
    }
    ArrangeButtons();
}

void TZvDropDownStrip::ButtonClicked(TObject* Sender)
{
    auto* b = dynamic_cast<TZvButton*>(Sender);
    if (!b || !FZvDropDown) return;
    ++FClickDepth;
    {
        struct TLeave {
            TZvDropDownStrip* Strip;
            ~TLeave()
            {
                if (--Strip->FClickDepth == 0 && Strip->FRebuildPending) PostMessage(Strip, CM_REBUILDBUTTONS);
            }
        } leave{this};
        FireButtonClick(int(b->Tag()));
    }
}

void TZvDropDownStrip::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_REBUILDBUTTONS) {
        if (FClickDepth > 0 || !FRebuildPending) return;
        FRebuildPending = false;
        BuildButtons();
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TZvDropDownStrip::WMSize(TWMSize& Message)
{
    TCustomControl::WMSize(Message);
    ArrangeButtons();
}

void TZvDropDownStrip::PaintBorder(TCanvas&, const TRect&) {}

void TZvDropDownStrip::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, &canvas, r);
        return;
    }
    const TDropDownStripAppearance& a = *StripAppearance();
    if (a.ColorTo() == clNone) {
        if (a.Color() != clNone) {
            canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
            canvas.Brush()->SetColor(a.Color());
            canvas.FillRect(r);
        }
    } else {
        DrawDropDownGradient(canvas, a.Color(), a.ColorTo(), a.GradientDirection() == TGradientDirection::gdHorizontal,
                             r, 80);
    }
    if (a.BorderColor() != clNone && a.BorderWidth() > 0) PaintBorder(canvas, r);
    TRect c = Rect(r.Left + a.BorderWidth(), r.Top + a.BorderWidth(), r.Right - a.BorderWidth(),
                   r.Bottom - a.BorderWidth());
    if (a.ImageIndex() >= 0 && FImages) {
        FImages->Draw(canvas, c.Left + 4, c.Top + (c.Height() - FImages->Height()) / 2, a.ImageIndex());
        c.Left += FImages->Width() + 8;
    }
    String text = a.Caption();
    if (OnGetText) OnGetText(this, text);
    if (!text.isEmpty()) {
        if (FButtonList.Count() > 0) c.Right = ButtonControl(FButtonList.Count() - 1)->Left() - 2;
        canvas.SetFont(a.Font());
        const TSize size = DrawItemHTML(canvas, text, c, FImages, true);
        if (size.cy < c.Height()) c.Top += (c.Height() - size.cy) / 2;
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        DrawItemHTML(canvas, text, c, FImages, false);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
    PaintExtra(canvas);
}

namespace {
// The pop-up draws no frame of its own: the strip draws its whole border.
bool FullBorder(const TZvCustomDropDown* edit)
{
    return !edit || edit->DropDownBorderWidth() <= 0 || edit->DropDownBorderColor() == clNone;
}

void BorderPen(TCanvas& canvas, const TDropDownStripAppearance& a)
{
    canvas.Pen()->SetColor(a.BorderColor());
    canvas.Pen()->SetWidth(a.BorderWidth());
}

void HighlightRect(TCanvas& canvas, const TDropDownStripAppearance& a, const TRect& r)
{
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetColor(BlendColors(a.BorderColor(), clWhite, 20));
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(r);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}
} // namespace

// ---- Header -----------------------------------------------------------------------------
TZvHeader::TZvHeader(TComponent* AOwner)
    : TZvDropDownStrip(AOwner), FAppearance(std::make_unique<THeaderAppearance>(AOwner))
{
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
    FAppearance->OnButtonsChanged = [](TObject*) {};
}

TZvHeader::~TZvHeader()
{
    ClearButtons();
}

void TZvHeader::SetAppearance(THeaderAppearance* value) { FAppearance->Assign(value); }

THeaderButtons* TZvHeader::Buttons() const
{
    return FZvDropDown ? FZvDropDown->DropDownHeader()->Buttons() : nullptr;
}

void TZvHeader::TakeAppearanceOf(TZvCustomDropDown* edit) { FAppearance->Assign(edit->DropDownHeader()); }

TRect TZvHeader::ButtonArea() const
{
    const TRect c = ClientRect();
    return Rect(c.Left + 2, c.Top + 2, c.Right - 2, c.Bottom - 3);
}

int TZvHeader::DescriptionCount() const { return Buttons() ? Buttons()->Count() : 0; }
TDropDownButton* TZvHeader::Description(int index) const { return Buttons()->GetItem(index); }

void TZvHeader::FireButtonClick(int index)
{
    if (FZvDropDown && FZvDropDown->OnDropDownHeaderButtonClick)
        FZvDropDown->OnDropDownHeaderButtonClick(FZvDropDown, index);
}

void TZvHeader::PaintBorder(TCanvas& canvas, const TRect& r)
{
    const THeaderAppearance& a = *FAppearance;
    BorderPen(canvas, a);
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Right, r.Bottom - 1);
    if (FullBorder(FZvDropDown)) {
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.LineTo(r.Right, r.Bottom - 1);
    }
    HighlightRect(canvas, a, Rect(r.Left, r.Top, r.Right, r.Bottom - a.BorderWidth()));
}

// ---- Footer -----------------------------------------------------------------------------
TZvFooter::TZvFooter(TComponent* AOwner)
    : TZvDropDownStrip(AOwner), FAppearance(std::make_unique<TFooterAppearance>(AOwner))
{
    TControlStyle style = ControlStyle();
    style.Include(csCaptureMouse);
    SetControlStyle(style);
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
}

TZvFooter::~TZvFooter()
{
    ClearButtons();
}

void TZvFooter::SetAppearance(TFooterAppearance* value) { FAppearance->Assign(value); }

TFooterButtons* TZvFooter::Buttons() const
{
    return FZvDropDown ? FZvDropDown->DropDownFooter()->Buttons() : nullptr;
}

void TZvFooter::TakeAppearanceOf(TZvCustomDropDown* edit) { FAppearance->Assign(edit->DropDownFooter()); }

bool TZvFooter::GripActive() const
{
    return FAppearance->SizeGrip() && FZvDropDown && FZvDropDown->DropDownSizeable();
}

bool TZvFooter::InGripZone(int X, int Y) const { return X > Width() - 12 && Y > Height() - 15; }

TRect TZvFooter::ButtonArea() const
{
    const TRect c = ClientRect();
    return Rect(c.Left + 2, c.Top + 2, c.Right - (GripActive() ? 14 : 2), c.Bottom - 2);
}

int TZvFooter::DescriptionCount() const { return Buttons() ? Buttons()->Count() : 0; }
TDropDownButton* TZvFooter::Description(int index) const { return Buttons()->GetItem(index); }
TModalResult TZvFooter::DescriptionResult(int index) const { return Buttons()->GetItem(index)->ModalResult(); }

void TZvFooter::FireButtonClick(int index)
{
    if (FZvDropDown && FZvDropDown->OnDropDownFooterButtonClick)
        FZvDropDown->OnDropDownFooterButtonClick(FZvDropDown, index);
}

void TZvFooter::PaintBorder(TCanvas& canvas, const TRect& r)
{
    const TFooterAppearance& a = *FAppearance;
    BorderPen(canvas, a);
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Top);
    if (FullBorder(FZvDropDown)) {
        canvas.MoveTo(r.Left, r.Top);
        canvas.LineTo(r.Left, r.Bottom);
        canvas.LineTo(r.Right, r.Bottom);
        canvas.LineTo(r.Right, r.Top);
    }
    HighlightRect(canvas, a, Rect(r.Left, r.Top + a.BorderWidth(), r.Right, r.Bottom));
}

// Six dots in a triangle of three, two and one, lit from the bottom right.
void TZvFooter::PaintExtra(TCanvas& canvas)
{
    if (!GripActive()) return;
    const int gl = ClientWidth() - 16;   // the strip has no border width of its own
    const int gb = ClientHeight();
    static const int dots[6][2] = {{5, 2}, {9, 2}, {13, 2}, {13, 6}, {13, 10}, {9, 6}};
    auto square = [&](int x, int y, TColor color) {
        canvas.Pen()->SetColor(color);
        canvas.Brush()->SetColor(color);
        canvas.Pen()->SetWidth(1);
        canvas.FillRect(Rect(x, y - 2, x + 2, y));
    };
    const TColor light = BlendColors(clWhite, clWhite, 50);
    for (const auto& d : dots) square(gl + d[0], gb - d[1], light);
    for (const auto& d : dots) square(gl + d[0] - 1, gb - d[1] - 1, FAppearance->BorderColor());
}

void TZvFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvDropDownStrip::MouseDown(Button, Shift, X, Y);
    if (GripActive() && Button == TMouseButton::mbLeft && Parent() && InGripZone(X, Y)) {
        ReleaseCapture();
        SendMessage(Parent(), WM_NCLBUTTONDOWN, WPARAM(HTBOTTOMRIGHT), PointToLParam(ClientToScreen(Point(X, Y))));
    }
}

void TZvFooter::MouseMove(TShiftState Shift, int X, int Y)
{
    TZvDropDownStrip::MouseMove(Shift, X, Y);
    if (GripActive() && Parent() && InGripZone(X, Y)) {
        if (Screen->Cursor() != crSizeNWSE) Screen->SetCursor(crSizeNWSE);
    } else {
        RestoreCursor();
    }
}

void TZvFooter::RestoreCursor()
{
    if (Screen->Cursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TZvFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvDropDownStrip::MouseUp(Button, Shift, X, Y);
    RestoreCursor();
}

void TZvFooter::MouseEnter()
{
    if (Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
    TZvDropDownStrip::MouseEnter();
}

void TZvFooter::MouseLeave()
{
    TZvDropDownStrip::MouseLeave();
    RestoreCursor();
}
