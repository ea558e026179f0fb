// What follows a scroll (background, editors, cell controls, a linked grid),
// the controls placed in cells, the balloon tool window, the simulated cell
// click and the small handlers the grid gives its editors.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/panels/ZvNoActiveForm.h"
#include "grid/services/ZvGridDragDrop.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/ZvGridBalloon.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/services/panels/ZvScrollControl.h"
#include "platform/DrawText.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int BalloonErrorIcon = 3;
constexpr int BalloonTitleLimit = 255;
constexpr int BalloonWidthLimit = 320;

} // namespace

// ---- The balloon tool window ---------------------------------------------------------------------------
TGridBalloonWindow::TGridBalloonWindow(TComponent* AOwner) : THintWindow(AOwner)
{
    SetColor(clInfoBk);
    FHideTimer = std::make_unique<TTimer>(nullptr);
    FHideTimer->SetEnabled(false);
    FHideTimer->OnTimer = [this](TObject*) { Hide(); };
}

TGridBalloonWindow::~TGridBalloonWindow() = default;

void TGridBalloonWindow::AddTool(const TRect& ToolArea, int Icon, const String& Title)
{
    FHasTool = true;
    FToolArea = ToolArea;
    FIcon = Icon < 0 || Icon > 3 ? 0 : Icon;
    FTitle = Title.left(BalloonTitleLimit);
}

void TGridBalloonWindow::SetDelays(int Initial, int Reshow, int AutoHide)
{
    if (Initial != -1) FInitialDelay = Initial;
    if (Reshow != -1) FReshowDelay = Reshow;
    if (AutoHide != -1) FAutoHideDelay = AutoHide;
}

void TGridBalloonWindow::SetAlpha(int Alpha)
{
    FAlpha = std::clamp(Alpha, 0, 255);
    if (HandleAllocated()) Handle()->setWindowOpacity(FAlpha / 255.0);
}

void TGridBalloonWindow::Popup(TPoint ScreenPos, const String& Title, const String& Text, int Icon)
{
    FTitle = Title.left(BalloonTitleLimit);
    FText = Text;
    FIcon = Icon < 0 || Icon > 3 ? 0 : Icon;
    Canvas()->Font()->SetStyle(TFontStyle::fsBold);
    const int titleWidth = Canvas()->TextWidth(FTitle) + (FIcon ? 20 : 0);
    Canvas()->Font()->SetStyle(TFontStyles());
    TRect body = CalcHintRect(BalloonWidthLimit, FText, nullptr);
    const int width = std::max(titleWidth, body.Width()) + 16;
    const int height = body.Height() + Canvas()->TextHeight(QStringLiteral("Ag")) + 16;
    SetCaption(FText);
    SetBoundsRect(Rect(ScreenPos.X, ScreenPos.Y + 16, ScreenPos.X + width, ScreenPos.Y + 16 + height));
    ShowAtBounds();
    FShown = true;
    if (HandleAllocated()) Handle()->setWindowOpacity(FAlpha / 255.0);
    FHideTimer->SetEnabled(false);
    FHideTimer->SetInterval(unsigned(AutoHideDelay()));
    FHideTimer->SetEnabled(true);
}

void TGridBalloonWindow::Hide()
{
    FHideTimer->SetEnabled(false);
    FShown = false;
    ReleaseHandle();
}

void TGridBalloonWindow::Paint()
{
    TCanvas& c = *Canvas();
    const TRect r = ClientRect();
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Color());
    c.Pen()->SetColor(clBlack);
    c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 8, 8);
    int x = r.Left + 6;
    const int y = r.Top + 4;
    if (FIcon != 0) {
        const TColor marks[] = {clNone, clBlue, clYellow, clRed};
        c.Brush()->SetColor(marks[FIcon]);
        c.Ellipse(x, y + 1, x + 14, y + 15);
        x += 20;
    }
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    c.Font()->SetColor(clInfoText);
    c.Font()->SetStyle(TFontStyle::fsBold);
    c.TextOut(x, y, FTitle);
    c.Font()->SetStyle(TFontStyles());
    TRect body = Rect(r.Left + 6, y + c.TextHeight(QStringLiteral("Ag")) + 4, r.Right - 6, r.Bottom - 4);
    DrawText(c, FText, body, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---- Balloons of the grid --------------------------------------------------------------------------------
void TZvStringGrid::BalloonInit()
{
    if (d->FBalloonInitialised) return;
    d->FBalloonInitialised = true;
    d->FBalloonWindow = new TGridBalloonWindow(this);
    // The text is asked from the grid whenever the balloon shows.
    AddBalloonTool(BalloonErrorIcon, String(), QStringLiteral("ToolTipText"));
    d->FBalloonWindow->SetDelays(d->FBalloon->InitialDelay(), d->FBalloon->ReshowDelay(), d->FBalloon->AutoHideDelay());
    if (d->FBalloon->Transparency() != 0) d->FBalloonWindow->SetAlpha(255 - d->FBalloon->Transparency());
    d->FBalloonTimer = std::make_unique<TTimer>(nullptr);
    d->FBalloonTimer->SetEnabled(false);
    d->FBalloonTimer->OnTimer = [this](TObject*) { BalloonTimerTick(); };
}

void TZvStringGrid::AddBalloonTool(int Icon, const String&, const String& Title)
{
    if (!d->FBalloonWindow) return;
    d->FBalloonWindow->AddTool(ClientRect(), Icon, Title);
}

void TZvStringGrid::BalloonDone()
{
    d->FBalloonTimer.reset();
    if (d->FBalloonWindow) {
        d->FBalloonWindow->Hide();
        delete d->FBalloonWindow;
        d->FBalloonWindow = nullptr;
    }
    d->FBalloonInitialised = false;
    d->FBalloonPointerCell = {-1, -1};
}

// The pointer resting on a cell shows its balloon after the initial delay;
// reaching another cell hides it.
void TZvStringGrid::BalloonPointerMoved(int X, int Y)
{
    if (!d->FBalloonWindow || !d->FBalloonTimer) return;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X == d->FBalloonPointerCell.X && cell.Y == d->FBalloonPointerCell.Y) return;
    const bool wasShowing = d->FBalloonWindow->Showing();
    d->FBalloonWindow->Hide();
    d->FBalloonPointerCell = cell;
    d->FBalloonTimer->SetEnabled(false);
    if (cell.X < 0 || cell.Y < 0) return;
    const TGridBalloonWindow* balloon = d->FBalloonWindow;
    d->FBalloonTimer->SetInterval(unsigned(wasShowing ? balloon->ReshowDelay() : balloon->InitialDelay()));
    d->FBalloonTimer->SetEnabled(true);
}

void TZvStringGrid::BalloonTimerTick()
{
    d->FBalloonTimer->SetEnabled(false);
    const TGridCoord cell = d->FBalloonPointerCell;
    if (!d->FBalloonWindow || cell.X < 0 || cell.Y < 0 || cell.X >= ColCount() || cell.Y >= RowCount()) return;
    String title, text;
    int icon = BalloonErrorIcon;
    if (!CellBalloonText(cell.X, cell.Y, title, text, icon) || text.isEmpty()) return;
    const TRect r = CellRect(cell.X, cell.Y);
    d->FBalloonWindow->Popup(ClientToScreen(TPoint{r.Left + 4, r.Bottom - 12}), title, text, icon);
}

// ---- After a scroll ------------------------------------------------------------------------------------
// The cells the fixed background picture lies over now, by displayed index.
TRect TZvStringGrid::BackgroundCellRange()
{
    const TBitmap* picture = d->FBackGround->Bitmap();
    const int left = d->FBackGround->Left(), top = d->FBackGround->Top();
    const TGridCoord from = MouseCoord(left, top);
    const TGridCoord to = MouseCoord(left + picture->Width(), top + picture->Height());
    auto clampCol = [this](int c) { return c < 0 ? ColCount() - 1 : c; };
    auto clampRow = [this](int r) { return r < 0 ? RowCount() - 1 : r; };
    return Rect(std::max(0, from.X), std::max(0, from.Y), clampCol(to.X), clampRow(to.Y));
}

void TZvStringGrid::TopLeftChangeHook()
{
    // The slim bars and the footer's columns follow the scroll position.
    if (VertScrollControl()) VertScrollControl()->Invalidate();
    if (HorzScrollControl()) HorzScrollControl()->Invalidate();
    UpdateFooter();
    const TBitmap* picture = d->FBackGround->Bitmap();
    const bool hasPicture = picture && !picture->Empty();
    const bool fixedPicture = hasPicture && d->FBackGround->Display() == TBackGroundDisplay::bdFixed;
    TRect was;
    if (fixedPicture) {
        // The cells that showed the picture before the scroll have moved by the scroll's amount.
        const TRect now = BackgroundCellRange();
        const int dx = d->FPrevLeftCol - LeftCol(), dy = d->FPrevTopRow - TopRow();
        was = Rect(now.Left + dx, now.Top + dy, now.Right + dx, now.Bottom + dy);
    }

    TBaseGrid::TopLeftChangeHook();

    const TGridRect sel = Selection();
    if (d->FSelectionRectangle && sel.Bottom > sel.Top) Invalidate();
    if (fixedPicture) {
        const TRect now = BackgroundCellRange();
        RepaintRect(TGridRect{std::max(0, was.Left), std::max(0, was.Top), was.Right, was.Bottom});
        RepaintRect(TGridRect{now.Left, now.Top, now.Right, now.Bottom});
    }
    const bool gradient = d->FBackGround->Display() == TBackGroundDisplay::bdGradientHorz ||
                          d->FBackGround->Display() == TBackGroundDisplay::bdGradientVert;
    if ((hasPicture && d->FBackGround->Display() == TBackGroundDisplay::bdTile) ||
        (gradient && d->FBackGround->ColorTo() != clNone))
        Invalidate();

    // Only the text editor scrolls with its cell; every other editor is closed.
    if (d->FInEditMode && d->FCurrentEditor != TEditorType::edNormal) HideInplaceEdit();

    if (d->FScrollType != TScrollType::ssNormal) {
        SyncFlatVertScrollInfo();
        SyncFlatHorzScrollInfo();
    }
    UpdateFooter();
    CellControlsUpdate(false);

    d->FPrevLeftCol = LeftCol();
    d->FPrevTopRow = TopRow();
    if (d->FDesignTime) Invalidate();

    if (TZvStringGrid* linked = d->FSyncGrid->Grid()) {
        if (d->FSyncGrid->ScrollVertical() && linked->RowCount() > TopRow() && linked->TopRow() != TopRow())
            linked->SetTopRow(std::max(linked->FixedRows(), TopRow()));
        if (d->FSyncGrid->ScrollHorizontal() && linked->ColCount() > LeftCol() && linked->LeftCol() != LeftCol())
            linked->SetLeftCol(std::max(linked->FixedCols(), LeftCol()));
    }
    if (VertScrollControl()) VertScrollControl()->Invalidate();
    if (HorzScrollControl()) HorzScrollControl()->Invalidate();
}

// ---- Controls placed in cells ------------------------------------------------------------------------------
void TZvStringGrid::CellControlsUpdate(bool Rebuild)
{
    if (!HandleAllocated() || !d->FCellControls) return;
    FollowCellScrollBar();
    if (Rebuild) {
        d->FCellControls->Clear();
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < AllColCount(); ++c)
                if (const TCellProperties* p = PropsAt(c, r); p && p->Control())
                    d->FCellControls->AddControl(c, RealRowIndex(r), p->Control());
    }
    if (d->FCellControls->Count() == 0) return;

    // The list keeps real columns and real rows; the view needs displayed ones.
    std::vector<TControl*> shown;
    const int lastCol = LeftCol() + VisibleColCount();
    const int lastRow = TopRow() + VisibleRowCount();
    for (int i = 0; i < d->FCellControls->Count(); ++i) {
        TControlItem* item = d->FCellControls->GetControl(i);
        TControl* control = item ? item->FObject : nullptr;
        if (!control) continue;
        const bool hidden = IsHiddenColumn(item->FX) || IsHiddenRow(item->FY);
        const int col = hidden ? -1 : RealToDisplayCol(item->FX);
        const int row = hidden ? -1 : RealToDisplayRow(item->FY);
        const bool normal = col >= FixedCols() && row >= FixedRows();
        if (hidden || (normal && (col < LeftCol() || col > lastCol || row < TopRow() || row > lastRow))) {
            control->SetVisible(false);
            continue;
        }
        if (!normal) continue;
        const TRect r = CellRect(col, row);
        if (r.Width() <= 0 || r.Height() <= 0) {
            control->SetVisible(false);
            continue;
        }
        control->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
        control->SetVisible(true);
        shown.push_back(control);
    }
    // Resizing by one pixel and back makes a control repaint over the cell.
    for (TControl* control : shown) {
        control->Invalidate();
        control->SetWidth(control->Width() + 1);
        control->SetWidth(control->Width() - 1);
    }
}

// ---- The simulated click -------------------------------------------------------------------------------------
void TZvStringGrid::SimulateCellClick(int ACol, int ARow)
{
    const TRect r = CellRect(ACol, ARow);
    d->FForceSelect = true;
    TMouseEvent down = std::move(OnMouseDown);
    TMouseEvent up = std::move(OnMouseUp);
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    const TScopeExit restore([&] {
        OnMouseDown = std::move(down);
        OnMouseUp = std::move(up);
        d->FForceSelect = false;
    });
    MouseDown(TMouseButton::mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
    // The press may scroll a partly shown cell into view: release over where it is now.
    const TRect after = CellRect(ACol, ARow);
    MouseUp(TMouseButton::mbLeft, TShiftState(), after.Left + 2, after.Top + 2);
}

// ---- Small handlers -------------------------------------------------------------------------------------------

// ---- Accessors ----------------------------------------------------------------------------------------------
TGridBalloonWindow* TZvStringGrid::BalloonWindow() const { return d->FBalloonWindow; }
TGridBalloonWindow* TZvStringGrid::RejectionBalloon() const { return d->FRejectionBalloon; }

// ---- The snapshot a cell drag carries -----------------------------------------------------------------------------
TForm* TZvStringGrid::SelectionToForm(TGridRect ARect)
{
    const QImage whole = PaintToImage();
    const TRect a = CellRect(ARect.Left, ARect.Top);
    const TRect b = CellRect(ARect.Right, ARect.Bottom);
    const int left = std::min(a.Left, b.Left) + 1, top = std::min(a.Top, b.Top) + 1;
    const int right = std::max(a.Right, b.Right) + 2, bottom = std::max(a.Bottom, b.Bottom) + 2;
    QImage part = whole.copy(left, top, right - left + 1, bottom - top + 1);
    {
        // Cut from the fixed column or row, the snapshot keeps the fixed cells' edge.
        QPainter painter(&part);
        const TColor line = ColorToRGB(GridFixedLineColor());
        painter.setPen(QColor(GetRValue(line), GetGValue(line), GetBValue(line)));
        if (ARect.Left == 0 && FixedCols() > 0 && Options().Contains(goFixedHorzLine))
            painter.drawLine(0, 0, 0, part.height() - 1);
        if (ARect.Top == 0 && FixedRows() > 0 && Options().Contains(goFixedVertLine))
            painter.drawLine(0, 0, part.width() - 1, 0);
    }
    auto* form = new TNoActiveForm(this);
    form->SetBounds(0, 0, part.width(), part.height());
    auto* picture = new TImage(form);
    picture->SetParent(form);
    picture->SetAlign(TAlign::alClient);
    picture->Picture()->SetImage(part);
    // Above every window and see-through, as the drag's shadow of the cells.
    QWidget* window = form->Handle();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setWindowOpacity(192.0 / 255.0);
    return form;
}
