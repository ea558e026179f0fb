// The header drag picture and the form that carries dragged cells.

#include "grid/services/panels/ZvHeaderDragButton.h"
#include "grid/services/panels/ZvNoActiveForm.h"

#include "grid/ZvGrid.h"

#include "platform/DrawText.h"
#include "platform/Messages.h"

#include <QWidget>

// ---- THeaderDragButton -------------------------------------------------------------------------------------------
THeaderDragButton::THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    SetEnabled(false);
}

TZvStringGrid* THeaderDragButton::Grid() const { return dynamic_cast<TZvStringGrid*>(Owner()); }

void THeaderDragButton::SetFlat(bool Value)
{
    if (StoreChanged(FFlat, Value)) Invalidate();
}

void THeaderDragButton::Paint()
{
    TCanvas& c = *Canvas();
    const TRect client = ClientRect();
    TZvStringGrid* grid = Grid();
    if (grid) {
        c.Font()->Assign(grid->Font());
        grid->PaintCellExt(&c, 0, 0, client, TGridDrawState{gdFixed});
    }
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    const String caption = Caption();
    if (caption.contains(QStringLiteral("</")) && grid) {
        grid->DrawMarkupText(c, caption, client, false, false);
    } else {
        TRect r = client;
        DrawText(c, caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    }
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
}

namespace {
constexpr LRESULT MouseNoActivate = 3;   // the answer that keeps a click from activating the window
}

// ---- TNoActiveForm ------------------------------------------------------------------------------------------------
TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    QWidget* window = Handle();
    window->setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void TNoActiveForm::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MouseNoActivate; return;
    case WM_ACTIVATE:
        TForm::WndProc(Message);
        Message.Result = 1;
        return;
    default: TForm::WndProc(Message);
    }
}
