// The drop-down's pop-up window: look, strips, deactivation and sizing.
#include "dropdowns/base/ZvDropDownForm.h"

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvDropDownStrips.h"
#include "grid/support/ZvDropDownDraw.h"
#include "platform/Seams.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

// While the pop-up is open: a press in a window that is not the pop-up's, or
// the application losing the activation, deactivates it; during a size drag
// the pointer's moves size it.
class TDropDownPopupWatch : public QObject {
public:
    explicit TDropDownPopupWatch(TDropDownForm* form) : FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            if (FForm->FSizing) return true;
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget || !FForm->HandleAllocated()) break;
            QWidget* window = widget->window();
            if (window == FForm->Handle() || FForm->BelongsToPopup(window)) break;
            RunGuarded(FForm, [&] { FForm->Deactivated(FindControl(window)); });
            break;
        }
        case QEvent::MouseMove:
            if (FForm->FSizing) {
                const QPoint g = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                RunGuarded(FForm, [&] {
                    FForm->SizeTo(FForm->FSizingSize.cx + g.x() - FForm->FSizingStart.X,
                                  FForm->FSizingSize.cy + g.y() - FForm->FSizingStart.Y);
                });
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (FForm->FSizing) {
                FForm->FSizing = false;
                return true;
            }
            break;
        case QEvent::ApplicationDeactivate:
            // Judged once the window system has settled: a window that closes while it is active (a dialog
            // the pop-up opened, say) leaves the application without one only until the next takes over.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (QApplication::activeWindow()) return;
                    RunGuarded(FForm, [&] { FForm->Deactivated(nullptr); });
                },
                Qt::QueuedConnection);
            break;
        default:
            break;
        }
        return false;
    }

private:
    TDropDownForm* FForm;
};

TDropDownForm::TDropDownForm(TComponent* AOwner) : TForm(AOwner)
{
    FShadow = true;
    FCancelOnDeActivate = true;
}

TDropDownForm::~TDropDownForm()
{
    if (FWatch) qApp->removeEventFilter(FWatch.get());
    BeforeDestruction();
}

QWidget* TDropDownForm::CreateWidget(QWidget* parentWidget)
{
    QWidget* w = TForm::CreateWidget(parentWidget);
    return w;
}

// A frameless window that stays on top (see the header for why it is not a
// Qt pop-up). It has no Qt parent: the edit owns it and deletes it, and a Qt
// parent would delete its window first.
void TDropDownForm::CreateWnd()
{
    TForm::CreateWnd();
    QWidget* w = Handle();
    w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    w->setGeometry(Left(), Top(), Width(), Height());
}

void TDropDownForm::ShowAt(int left, int top, int width, int height)
{
    SetBounds(left, top, 0, 0);
    Show();
    if (FZvDropDown && FZvDropDown->DropDownShadow() && FZvDropDown->ShadowRefresh()) {
        // Hidden only to redraw the shadow: the drop-down stays open.
        TNotifyEvent onHide = std::move(OnHide);
        OnHide = nullptr;
        Hide();
        OnHide = std::move(onHide);
        SetBounds(left, top, 1, 1);
        Show();
    }
    SetBounds(left, top, width, height);
    if (HandleAllocated()) {
        Handle()->raise();
        Handle()->activateWindow();
    }
}

void TDropDownForm::DoShow()
{
    if (!FWatch) FWatch = std::make_unique<TDropDownPopupWatch>(this);
    qApp->installEventFilter(FWatch.get());
    TForm::DoShow();
}

void TDropDownForm::DoHide()
{
    if (FWatch) qApp->removeEventFilter(FWatch.get());
    FSizing = false;
    TForm::DoHide();
}

// A window whose owner chain or parent chain leads to the pop-up is its own;
// so is a modal window, which only code running in the pop-up can open while it is up.
bool TDropDownForm::BelongsToPopup(QWidget* window) const
{
    if (!window || !HandleAllocated()) return false;
    if (window->isModal()) return true;
    for (QWidget* w = window->parentWidget(); w; w = w->parentWidget())
        if (w == const_cast<TDropDownForm*>(this)->Handle()) return true;
    if (TWinControl* control = FindControl(window))
        for (TComponent* c = control->Owner(); c; c = c->Owner())
            if (c == this) return true;
    return false;
}

void TDropDownForm::Deactivated(TWinControl* receiver)
{
    if (FBlockActivate || !Visible()) return;
    FDeActivate = GetTickCount();
    if (receiver && HandleAllocated() && BelongsToPopup(receiver->Handle()->window())) return;
    if (FZvDropDown) FZvDropDown->CloseDropDownForm(FCancelOnDeActivate);
    else Hide();
}

// ---- Look -------------------------------------------------------------------------
void TDropDownForm::Paint()
{
    TForm::Paint();
    PaintBackground(*Canvas());
}

void TDropDownForm::WMSize(TWMSize& Message)
{
    TForm::WMSize(Message);
    Invalidate();
}

void TDropDownForm::PaintBackground(TCanvas& canvas)
{
    if (!FZvDropDown) return;
    const TZvCustomDropDown& edit = *FZvDropDown;
    const int bw = edit.DropDownBorderWidth();
    const TRect client = TForm::ClientRect();
    const TRect r = Rect(client.Left + bw, client.Top + bw, client.Right - bw, client.Bottom - bw);
    if (edit.DropDownColor() != clNone && edit.DropDownGradientEnd() != clNone)
        DrawDropDownGradient(canvas, edit.DropDownColor(), edit.DropDownGradientEnd(),
                             edit.DropDownGradientDirection() == TGradientDirection::gdHorizontal, r, 80);
    else if (edit.DropDownColor() != clNone) {
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(edit.DropDownColor());
        canvas.FillRect(r);
    }
    if (bw > 0) {
        const TRect b = Rect(client.Left + bw / 2, client.Top + bw / 2, client.Right, client.Bottom);
        canvas.Pen()->SetWidth(bw);
        canvas.Pen()->SetColor(edit.DropDownBorderColor());
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        canvas.Rectangle(b);
        canvas.Pen()->SetWidth(1);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    }
}

// Aligned children (header, footer, the hosted control) stay inside the border.
void TDropDownForm::AlignControls(TControl* AControl, TRect& rect)
{
    if (FZvDropDown) {
        const int bw = FZvDropDown->DropDownBorderWidth();
        rect = Rect(rect.Left + bw, rect.Top + bw, rect.Right - bw, rect.Bottom - bw);
    }
    TForm::AlignControls(AControl, rect);
}

// ---- Input ----------------------------------------------------------------------------
void TDropDownForm::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void TDropDownForm::WMNCHitTest(TWMNCHitTest& Message)
{
    const TPoint p = ScreenToClient(Point(Message.XPos(), Message.YPos()));
    Message.Result = FSizeable && p.X > Width() - 10 && p.Y > Height() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
}

void TDropDownForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TForm::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft && FSizeable && X > Width() - 10 && Y > Height() - 10)
        StartSizing(ClientToScreen(Point(X, Y)));
}

void TDropDownForm::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_NCLBUTTONDOWN) {
        // As on the platform, LParam carries the pointer's screen position.
        if (Message.WParam == WPARAM(HTBOTTOMRIGHT))
            StartSizing(Point(GetXParam(Message.LParam), GetYParam(Message.LParam)));
        return;
    }
    TForm::Dispatch(Message);
}

void TDropDownForm::StartSizing(const TPoint& screenPos)
{
    FSizingStart = screenPos;
    FSizingSize = {Width(), Height()};
    FSizing = true;
}

void TDropDownForm::SizeTo(int width, int height)
{
    SetBounds(Left(), Top(), Constraints()->Width(width), Constraints()->Height(height));
    if (OnSizing) OnSizing(this);
}

// ---- Header and footer ------------------------------------------------------------------
template <class TStrip, class TAppearance>
void TDropDownForm::InitializeStrip(TStrip*& strip, TAppearance* appearance, TAlign align)
{
    if (!strip && appearance->Visible()) {
        strip = new TStrip(this);
        strip->SetParent(this);
        strip->SetHeight(appearance->Height());
        strip->SetAlign(align);
    }
    if (!strip) return;
    strip->LinkDropDown(FZvDropDown);
    strip->BuildButtons();
    strip->SetVisible(appearance->Visible());
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FZvDropDown) return;
    InitializeStrip(FHeader, FZvDropDown->DropDownHeader(), TAlign::alTop);
    if (FHeader) {
        FHeader->OnDrawBackGround = FZvDropDown->OnDrawHeader;
        FHeader->OnGetText = FZvDropDown->OnGetHeaderText;
    }
    InitializeStrip(FFooter, FZvDropDown->DropDownFooter(), TAlign::alBottom);
    if (FFooter) {
        FFooter->OnDrawBackGround = FZvDropDown->OnDrawFooter;
        FFooter->OnGetText = FZvDropDown->OnGetFooterText;
    }
}
