// The controls that paint themselves: TCustomControl with its canvas and
// TGraphicControl drawn on its parent.
#include "platform/Controls.h"

#include "platform/ActnList.h"
#include "platform/ControlsPrivate.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cxxabi.h>
#include <map>
#include <typeinfo>
#include <unordered_map>


using namespace ControlsPrivate;

// ---- TCustomControl ----------------------------------------------------------------------------
// A control's canvas: drawing on it outside a paint goes into the control's
// picture and asks the window to show it.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TCustomControl* control) : FControl(control) {}

protected:
    void Changed() override
    {
        TCanvas::Changed();
        if (!FControl->FPainting && FControl->HandleAllocated()) FControl->Handle()->update();
    }

private:
    TCustomControl* FControl;
};

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    FCanvas->SetFont(Font());
}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

TCanvas* TCustomControl::Canvas() const
{
    if (!FPainting) {
        // Outside a paint the canvas draws into the picture, kept to the client size.
        auto* self = const_cast<TCustomControl*>(this);
        QImage& surface = self->Surface();
        if (!FCanvas->HandleAllocated()) FCanvas->SetDevice(&surface);
    }
    return FCanvas.get();
}

void TCustomControl::ReleaseSurface() { FCanvas->FreeHandle(); }

void TCustomControl::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintWindow(QPainter& painter)
{
    FCanvas->BeginPaint(&painter);
    FPainting = true;
    try {
        Paint();
    } catch (...) {
        FPainting = false;
        FCanvas->EndPaint();
        throw;
    }
    FPainting = false;
    FCanvas->EndPaint();
}

void TCustomControl::CMFontChanged(TMessage& Message)
{
    FCanvas->SetFont(Font());
    TWinControl::CMFontChanged(Message);
}

// ---- TGraphicControl --------------------------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
    FCanvas->SetFont(Font());
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint()
{
    if (OnPaint) OnPaint(this);
}

void TGraphicControl::WMPaint(TWMPaint& Message)
{
    if (!Message.DC) return;
    FCanvas->BeginPaint(reinterpret_cast<QPainter*>(Message.DC));
    try {
        Paint();
    } catch (...) {
        FCanvas->EndPaint();
        throw;
    }
    FCanvas->EndPaint();
}

void TGraphicControl::CMFontChanged(TMessage& Message)
{
    FCanvas->SetFont(Font());
    TControl::CMFontChanged(Message);
}

void FocusWindow(TWinControl* control)
{
    if (control) {
        control->HandleNeeded();
        control->Handle()->setFocus(Qt::OtherFocusReason);
    }
    MoveFocusTo(control);
}
