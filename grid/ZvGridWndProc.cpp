// The grid's own window procedure in front of the message handlers: the
// end-of-edit message, the editors' notifications turned into the combo
// events, typing mirrored into the cell, the mouse wheel (rows, scrolling and
// zoom), the middle-button pan mode and the wheel overrides.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/support/ZvStyles.h"
#include "grid/editors/ZvCellEditor.h"
#include "grid/services/panels/ZvHeaderDragButton.h"
#include "platform/Timers.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr UINT CM_UIACTIVATE = 0xB029;
constexpr UINT CM_MOUSEWHEEL = 0xB043;
constexpr UINT CM_STYLECHANGED = 0xB051;
constexpr UINT ThemeNotifierMessage = 0x0BB1;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;

constexpr WORD EN_CHANGE = 0x0300;

constexpr std::uintptr_t PanTimerId = 999;
constexpr unsigned PanTimerInterval = 10;
constexpr std::uintptr_t MoveTimerId = 1;
constexpr int PanDeadZone = 5;
constexpr int PanGlyphSize = 32;
constexpr int ZoomLimit = 10;

// The pan cursors by direction: 8000 at rest, then down, left, right, up,
// up-right, up-left, down-right and down-left.
int PanCursorFor(int dx, int dy)
{
    if (dx == 0 && dy == 0) return 8000;
    if (dx == 0) return dy > 0 ? 8001 : 8004;
    if (dy == 0) return dx < 0 ? 8002 : 8003;
    if (dy < 0) return dx > 0 ? 8005 : 8006;
    return dx > 0 ? 8007 : 8008;
}

// The platform's own cursor shapes stand for the pan cursors' artwork.
TCursor PanShape(int id)
{
    switch (id) {
    case 8001:
    case 8004: return crSizeNS;
    case 8002:
    case 8003: return crSizeWE;
    case 8005:
    case 8008: return crSizeNESW;
    case 8006:
    case 8007: return crSizeNWSE;
    default: return crSizeAll;
    }
}

// The spin kinds have no editor in this grid yet; an edit of theirs that is
// open all the same writes through what any control but the text editor types.
bool IsSpinKind(TEditorType t)
{
    return t == TEditorType::edSpinEdit || t == TEditorType::edFloatSpinEdit || t == TEditorType::edTimeSpinEdit ||
           t == TEditorType::edDateSpinEdit;
}

} // namespace

// ---- The window procedure ---------------------------------------------------------------------------
void TZvStringGrid::WindowProcHook(TMessage& Message)
{
    if (Message.Msg == WM_DESTROY) {
        if (d->FAutoThemeAdapt && !d->FDesignTime && HandleAllocated())
            ThemeNotifierInstance(this)->UnRegisterWindow(Handle());
        if (d->FWheelPan) StopPanning();
    }
    if (d->FDestroying) {
        TBaseGrid::WndProc(Message);
        return;
    }
    d->FSelectionBeforeMessage = Selection();

    if (Message.Msg == GridEditDoneMessage) GridEditDoneHook(Message);

    switch (Message.Msg) {
    case WM_CANCELMODE:
        if (Screen->Cursor() == crDrag && d->FEnhRowColMove &&
            (GridState() == gsColMoving || GridState() == gsRowMoving)) {
            Screen->SetCursor(crDefault);
            if (HeaderDragButton()) {
                HeaderDragButton()->SetEnabled(false);
                HeaderDragButton()->SetVisible(false);
            }
            // The platform grid ends the move itself as the message goes on.
            KillTimer(this, MoveTimerId);
        }
        break;
    case WM_PAINT:
        if (d->FPaintCount == 0 && d->FScrollProportional && !d->FDesignTime) {
            UpdateProportionalHScroll();
            UpdateProportionalVScroll();
        }
        break;
    case WM_SIZE:
    case CM_UIACTIVATE:
    case WM_LBUTTONUP:
        if (!d->FDesignTime && d->FScrollProportional) {
            UpdateProportionalHScroll();
            UpdateProportionalVScroll();
        }
        break;
    case WM_THEMECHANGED:
    case ThemeNotifierMessage:
        if (d->FAutoThemeAdapt) ApplyOfficeTheme();
        break;
    case CM_STYLECHANGED: StyleChangedHook(); break;
    case WM_COMMAND:
        if (EditorCommandHook(Message)) return;
        break;
    case WM_TIMER:
        if (Message.WParam == PanTimerId) {
            if (d->FWheelPan && d->FIntelliPan != TIntelliPan::ipNone) PanStep();
            return;
        }
        break;
    case WM_MBUTTONDOWN:
        if (!d->FWheelPan) {
            if (d->FWheelMessage != 0 && d->FIntelliPan != TIntelliPan::ipNone && RowCount() > FixedRows())
                StartPanning(GetXParam(Message.LParam), GetYParam(Message.LParam));
        } else {
            StopPanning();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
        if (d->FWheelPan) StopPanning();
        break;
    case WM_MOUSEMOVE:
        if (d->FBalloonWindow) BalloonPointerMoved(GetXParam(Message.LParam), GetYParam(Message.LParam));
        break;
    case CM_MOUSELEAVE:
        if (d->FBalloonWindow) BalloonPointerMoved(-1, -1);
        break;
    default: break;
    }

    if (d->FWheelMessage != 0 && Message.Msg == d->FWheelMessage && !d->FWheelPan) {
        WheelStepsHook(Message);
        return;
    }

    const int rowBefore = Row();
    DispatchMessageHook(Message);
    // A grid that follows this one's rows is told of the new row.
    if (!d->FDestroying && Row() != rowBefore && d->FSyncGrid->SelectionRow() && d->FSyncGrid->Grid()) SetRow(Row());
}

void TZvStringGrid::GridEditDoneHook(TMessage& Message)
{
    if (OnEditCellDone) OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
    if (d->FMouseActions->EditOnDblClickOnly()) {
        HideInplaceEdit();
        d->FInEditMode = false;
        SetOptions(Options() - TGridOptions{goEditing});
    }
}

void TZvStringGrid::NotifyEditorCommand(TWinControl* Sender, WORD Code)
{
    SendMessage(this, WM_COMMAND, MakeWParam(0, Code), Sender ? reinterpret_cast<LPARAM>(Sender->Handle()) : 0);
}

// True when the notification was fully handled here.
bool TZvStringGrid::EditorCommandHook(TMessage& Message)
{
    const WORD code = HiWord(Message.WParam);
    // LParam is the sending control's window, as the window system reports it; an unknown window is no sender.
    TWinControl* control = FindControl(reinterpret_cast<const QWidget*>(Message.LParam));
    TControl* sender = control;
    auto reflect = [&] {
        if (control && control != this) control->Perform(CN_COMMAND, Message.WParam, Message.LParam);
    };

    if (code == EN_CHANGE) {
        reflect();
        if (d->FShowEditProcess) {
            TInplaceEdit* editor = InplaceEditor();
            if (editor && editor->HandleAllocated()) SendMessage(editor, WM_SETREDRAW, 0, 0);
            if (!d->FEditStart && d->FInEditMode && sender) {
                TZvCellEditor* open = MadeCellEditor(d->FCurrentEditor);
                const bool mirrors =
                    open ? open->WritesThrough(sender) : IsSpinKind(d->FCurrentEditor) && sender != editor;
                if (mirrors) EditTextSetHook(Col(), Row(), sender->Text());
            }
            if (editor && editor->HandleAllocated()) SendMessage(editor, WM_SETREDRAW, 1, 0);
            return true;
        }
    }
    reflect();

    // Copied first: an editor's answer may make another editor on first use.
    const auto editors = d->FCellEditors;
    for (const auto& [name, cellEditor] : editors) cellEditor->GridCommand(this, sender, code);
    return false;
}

void TZvStringGrid::StyleChangedHook()
{
    ApplyStyleServiceColors();
}

// ---- The wheel --------------------------------------------------------------------------------------
void TZvStringGrid::WheelStepsHook(TMessage& Message)
{
    if (Parent() && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) {
        DispatchMessageHook(Message);
        return;
    }
    TWMMouseWheel m(Message);
    const int delta = m.WheelDelta();
    if (delta == 0) return;
    const bool towardsUser = delta < 0;
    const int notches = TakeWheelNotches(delta);
    if (notches == 0) {
        Message.Result = 1;
        return;
    }

    if ((KeysToShiftState(m.Keys()).Contains(ssCtrl) || GetKeyState(VK_CONTROL) < 0) && d->FIntelliZoom) {
        for (int i = 0; i < std::abs(notches); ++i) Zoom(towardsUser ? d->FWheelScrollLines : -d->FWheelScrollLines);
        AutoSizeCells(true, 4, 4);
        return;
    }
    if (!d->FEnableWheel || (d->FFixedRowAlways && RowCount() - FixedRows() <= 1)) return;
    for (int i = 0; i < std::abs(notches); ++i) WheelNotch(towardsUser, Message);
}

void TZvStringGrid::WheelNotch(bool TowardsUser, TMessage& Message)
{
    int step = d->FMouseActions->WheelIncrement();
    if (step < 1) step = d->FWheelScrollLines;
    if (step < 1) step = std::max(1, VisibleRowCount());
    int target = Row();
    const bool scroll = d->FMouseActions->WheelAction() == TWheelAction::waScroll;
    if (scroll) {
        if (TowardsUser) {
            if (TopRow() < RowCount() - VisibleRowCount())
                SetTopRow(std::min(TopRow() + step, std::max(FixedRows(), RowCount() - VisibleRowCount())));
        } else {
            const int s = std::min(step, TopRow() - FixedRows());
            if (TopRow() > FixedRows()) SetTopRow(TopRow() - s);
        }
    } else {
        target = TowardsUser ? Row() + step : Row() - step;
    }

    const int lastRow = RowCount() - d->FFixedFooters - 1;
    target = std::max(FixedRows(), std::min(target, lastRow));
    if (Col() > ColCount() - 1 && Row() > RowCount() - 1) FocusCell(ColCount() - 1, RowCount() - 1);
    if (Col() > ColCount() - 1) SetCol(ColCount() - 1);
    if (Col() < FixedCols() && FixedCols() < ColCount()) SetCol(FixedCols());

    int rowDelta = 0;
    if (target >= FixedRows() && target < RowCount()) {
        const int left = LeftCol();
        StartUpdate();
        if (d->FMouseActions->DisjunctRowSelect() && !scroll) ClearRowSelect();
        rowDelta = target - Row();
        if (!scroll) SetRow(target);
        if (Row() != target) {
            // The move was refused: go half way, and keep the row in view from above.
            const int half = int(std::nearbyint((target - Row()) / 2.0));
            if (half != 0) SetRow(Row() + half);
            if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        }
        if (Options().Contains(goRowSelect) && d->FNavigation->KeepHorizScroll()) SetLeftCol(left);
        ResetUpdate();
        Invalidate();
    }

    bool handled = true;
    TGridCoord cell{Col(), rowDelta};
    MouseWheelHook(cell, handled);
    if ((d->FMouseActions->WheelIncrement() != 0 || d->FMouseActions->DisjunctRowSelect()) && handled) {
        Message.Result = 1;
        TShiftState shift;
        TPoint pos{0, 0};
        if (d->FMouseActions->DisjunctRowSelect()) {
            shift = KeyboardStateToShiftState();
            pos = {GetXParam(Message.LParam), GetYParam(Message.LParam)};
        }
        bool eventHandled = false;
        if (TowardsUser) {
            if (OnMouseWheelDown) OnMouseWheelDown(this, shift, pos, eventHandled);
        } else if (OnMouseWheelUp) {
            OnMouseWheelUp(this, shift, pos, eventHandled);
        }
    }
    const TGridRect now = Selection();
    if (!(now == d->FSelectionBeforeMessage)) {
        FireSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
        d->FSelectionBeforeMessage = now;
    }
}

void TZvStringGrid::Zoom(int Step)
{
    if (d->FZoomFactor + Step < -ZoomLimit || d->FZoomFactor + Step > ZoomLimit) return;
    d->FScrollLock = true;
    d->FZoomFactor += Step;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + Step > 0) SetColWidths(c, ColWidths(c) + Step);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + Step > 0) SetRowHeights(r, RowHeights(r) + Step);
    d->FScrollLock = false;
    if (d->FScrollProportional) {
        UpdateProportionalHScroll();
        UpdateProportionalVScroll();
    }
}

// ---- The wheel overrides -----------------------------------------------------------------------------
bool TZvStringGrid::WheelDownHook(TShiftState Shift, TPoint MousePos)
{
    return WheelOverride(true, Shift, MousePos);
}

bool TZvStringGrid::WheelUpHook(TShiftState Shift, TPoint MousePos)
{
    return WheelOverride(false, Shift, MousePos);
}

bool TZvStringGrid::WheelOverride(bool Down, TShiftState Shift, TPoint MousePos)
{
    if (d->FMouseActions->WheelAction() == TWheelAction::waScroll || !d->FEnableWheel) {
        bool handled = false;
        if (Down && OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
        if (!Down && OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
        return handled;
    }
    const bool directEdit = d->FMouseActions->DirectEdit();
    d->FMouseActions->SetDirectEdit(false);
    bool result = true;
    if (Options().Contains(goRowSelect) && d->FNavigation->KeepHorizScroll()) {
        const int left = LeftCol();
        StartUpdate();
        result = Down ? TBaseGrid::WheelDownHook(Shift, MousePos) : TBaseGrid::WheelUpHook(Shift, MousePos);
        SetLeftCol(left);
        ResetUpdate();
        Invalidate();
    } else {
        const bool editorOpen = d->FInEditMode;
        if (Down) result = TBaseGrid::WheelDownHook(Shift, MousePos);
        else if (Row() >= FixedRows() && Row() < RowCount() && Col() >= FixedCols() && Col() < ColCount())
            result = TBaseGrid::WheelUpHook(Shift, MousePos);
        if (editorOpen && CanFocus()) SetFocus();
    }
    d->FMouseActions->SetDirectEdit(directEdit);
    return result;
}

// ---- Panning -----------------------------------------------------------------------------------------
void TZvStringGrid::StartPanning(int X, int Y)
{
    d->FPrevCursor = Cursor();
    d->FWheelPan = true;
    SetPanCursor(8000);
    SetTimer(this, PanTimerId, PanTimerInterval);
    d->FPanOrigin = {X, Y};
    SetCapture(this);
    SetShowHint(false);
    PaintPanOrigin();
}

void TZvStringGrid::StopPanning()
{
    ReleaseCapture();
    KillTimer(this, PanTimerId);
    SetCursor(d->FPrevCursor);
    SetShowHint(true);
    d->FWheelPan = false;
    InvalidatePanOrigin();
}

void TZvStringGrid::SetPanCursor(int Id)
{
    d->FPanCursorId = Id;
    SetCursor(PanShape(Id));
}

void TZvStringGrid::PanStep()
{
    const TPoint p = ScreenToClient(GetCursorPos());
    int dy = p.Y < d->FPanOrigin.Y - PanDeadZone ? -1 : (p.Y > d->FPanOrigin.Y + PanDeadZone ? 1 : 0);
    int dx = p.X < d->FPanOrigin.X - PanDeadZone ? -1 : (p.X > d->FPanOrigin.X + PanDeadZone ? 1 : 0);
    if (d->FIntelliPan == TIntelliPan::ipHorizontal) dy = 0;
    if (d->FIntelliPan == TIntelliPan::ipVertical) dx = 0;

    const TGridRect before = Selection();
    if (Row() > RowCount() - d->FFixedFooters - 1) SetRow(std::max(FixedRows(), RowCount() - d->FFixedFooters - 1));
    if (Row() < FixedRows() && FixedRows() < RowCount()) SetRow(FixedRows());
    if (Col() > ColCount() - d->FFixedRightCols - 1) SetCol(std::max(FixedCols(), ColCount() - d->FFixedRightCols - 1));
    if (Col() < FixedCols() && FixedCols() < ColCount()) SetCol(FixedCols());

    if (d->FMouseActions->WheelAction() == TWheelAction::waScroll) {
        if ((dx < 0 && LeftCol() > FixedCols()) || (dx > 0 && LeftCol() < ColCount() - VisibleColCount())) {
            InvalidatePanOrigin();
            SetLeftCol(LeftCol() + dx);
        }
        if ((dy < 0 && TopRow() > FixedRows()) || (dy > 0 && TopRow() < RowCount() - VisibleRowCount())) {
            InvalidatePanOrigin();
            SetTopRow(TopRow() + dy);
        }
    } else {
        int c = Col(), r = Row();
        if ((dx < 0 && c > FixedCols()) || (dx > 0 && c < ColCount() - d->FFixedRightCols - 1)) c += dx;
        if ((dy < 0 && r > FixedRows()) || (dy > 0 && r < RowCount() - d->FFixedFooters - 1)) r += dy;
        if (c != Col() || r != Row()) {
            const bool outside = r < TopRow() || r >= TopRow() + VisibleRowCount() || c < LeftCol() ||
                                 c >= LeftCol() + VisibleColCount();
            if (outside) InvalidatePanOrigin();
            if (c != Col()) SetCol(c);
            if (r != Row()) SetRow(r);
        }
    }
    SetPanCursor(PanCursorFor(dx, dy));
    PaintPanOrigin();
    const TGridRect now = Selection();
    if (!(now == before)) FireSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

// The glyph is drawn with the grid's paint; asking for it repaints its square.
void TZvStringGrid::InvalidatePanOrigin()
{
    if (!HandleAllocated()) return;
    const TPoint o = d->FPanOrigin;
    InvalidateRect(Rect(o.X, o.Y, o.X + PanGlyphSize, o.Y + PanGlyphSize));
}

void TZvStringGrid::PaintPanOrigin()
{
    if (!d->FWheelPan) return;
    if (!Canvas()->HandleAllocated()) {
        InvalidatePanOrigin();
        return;
    }
    // Arrows on white around a dot, pointing the ways the pan mode may move.
    TCanvas* canvas = Canvas();
    const int x = d->FPanOrigin.X, y = d->FPanOrigin.Y, m = PanGlyphSize / 2;
    canvas->Brush()->SetColor(clWhite);
    canvas->Pen()->SetColor(clBlack);
    canvas->Ellipse(x + 4, y + 4, x + PanGlyphSize - 4, y + PanGlyphSize - 4);
    canvas->Brush()->SetColor(clBlack);
    canvas->Ellipse(x + m - 2, y + m - 2, x + m + 2, y + m + 2);
    const bool vertical = d->FIntelliPan != TIntelliPan::ipHorizontal;
    const bool horizontal = d->FIntelliPan != TIntelliPan::ipVertical;
    if (vertical) {
        canvas->Polygon({TPoint{x + m, y + 6}, TPoint{x + m - 4, y + 11}, TPoint{x + m + 4, y + 11}});
        canvas->Polygon({TPoint{x + m, y + PanGlyphSize - 6}, TPoint{x + m - 4, y + PanGlyphSize - 11},
                         TPoint{x + m + 4, y + PanGlyphSize - 11}});
    }
    if (horizontal) {
        canvas->Polygon({TPoint{x + 6, y + m}, TPoint{x + 11, y + m - 4}, TPoint{x + 11, y + m + 4}});
        canvas->Polygon({TPoint{x + PanGlyphSize - 6, y + m}, TPoint{x + PanGlyphSize - 11, y + m - 4},
                         TPoint{x + PanGlyphSize - 11, y + m + 4}});
    }
}

// ---- Accessors ----------------------------------------------------------------------------------------------
bool TZvStringGrid::Panning() const { return d->FWheelPan; }
int TZvStringGrid::PanCursorId() const { return d->FWheelPan ? d->FPanCursorId : 0; }
