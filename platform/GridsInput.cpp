// The platform grid's input: keys, characters, mouse (selection, sizing and
// moving by drag), wheel, focus, window messages, the selection-scrolling
// timer and the inplace editor.
#include "platform/Grids.h"

#include <QCursor>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

// The timer that scrolls while the mouse selects or moves beyond the cells.
constexpr std::uintptr_t SelectTimerId = 1;
constexpr unsigned SelectTimerInterval = 60;
// How near a border the pointer must be to size (pixels on either side).
constexpr int SizingTolerance = 2;

} // namespace

// ---- Keys ----------------------------------------------------------------------------
bool TCustomGrid::CanGridAcceptKey(WORD, TShiftState)
{
    return true;
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);   // OnKeyDown first: it may take the key
    if (Key == 0 || !CanGridAcceptKey(Key, Shift)) return;
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool extend = Shift.Contains(ssShift) && CanRangeSelect();
    const bool rowSelect = FOptions.Contains(goRowSelect);
    // The end of the selection that moves: the anchor while Shift extends it.
    TGridCoord target = extend ? FAnchor : FCurrent;
    TGridCoord topLeft = FTopLeft;
    const int page = VisibleRowCount();

    switch (Key) {
    case VK_UP: --target.Y; break;
    case VK_DOWN: ++target.Y; break;
    case VK_LEFT:
        if (rowSelect) topLeft.X = std::max(FFixedCols, topLeft.X - 1);
        else --target.X;
        break;
    case VK_RIGHT:
        if (rowSelect) topLeft.X = std::min(MaxTopLeft().X, topLeft.X + 1);
        else ++target.X;
        break;
    case VK_NEXT:
        target.Y += page;
        topLeft.Y += page;
        break;
    case VK_PRIOR:
        target.Y -= page;
        topLeft.Y -= page;
        break;
    case VK_HOME:
        if (ctrl) target.Y = FFixedRows;
        target.X = FFixedCols;
        break;
    case VK_END:
        if (ctrl) target.Y = FRowCount - 1;
        target.X = FColCount - 1;
        break;
    case VK_TAB: {
        if (!FOptions.Contains(goTabs) || rowSelect || Shift.Contains(ssAlt) || ctrl) return;
        // Tab walks the row and wraps to the next row (and from the last cell to the first).
        TGridCoord c = FCurrent;
        if (!Shift.Contains(ssShift)) {
            if (c.X < FColCount - 1) ++c.X;
            else {
                c.X = FFixedCols;
                c.Y = c.Y < FRowCount - 1 ? c.Y + 1 : FFixedRows;
            }
        } else {
            if (c.X > FFixedCols) --c.X;
            else {
                c.X = FColCount - 1;
                c.Y = c.Y > FFixedRows ? c.Y - 1 : FRowCount - 1;
            }
        }
        FocusCell(c.X, c.Y, true);
        Key = 0;
        return;
    }
    case VK_F2:
        SetEditorMode(true);
        return;
    default: return;
    }

    target.X = std::clamp(target.X, FFixedCols, FColCount - 1);
    target.Y = std::clamp(target.Y, FFixedRows, FRowCount - 1);
    if (topLeft.X != FTopLeft.X || topLeft.Y != FTopLeft.Y) {
        const TGridCoord max = MaxTopLeft();
        MoveTopLeft(std::clamp(topLeft.X, FFixedCols, std::max(FFixedCols, max.X)),
                    std::clamp(topLeft.Y, FFixedRows, std::max(FFixedRows, max.Y)));
    }
    if (extend) {
        if (target == FAnchor) return;
        MoveAnchor(target);
        Click();
    } else if (target != FCurrent || FAnchor != FCurrent || FSelection != TGridRect{target.X, target.Y, target.X, target.Y}) {
        FocusCell(target.X, target.Y, true);
    }
}

void TCustomGrid::KeyPress(QChar& Key)
{
    TCustomControl::KeyPress(Key);   // OnKeyPress
    // Enter opens the editor, or closes it keeping the text.
    if (Key == QChar(13) && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) HideEditor();
        else ShowEditor();
        Key = QChar(0);
    }
}

void TCustomGrid::WMChar(TWMKey& Message)
{
    const char16_t ch = char16_t(Message.CharCode);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (FOptions.Contains(goEditing) && !ctrl && (ch == 8 || (ch >= 32 && ch != 127))) {
        ShowEditorChar(QChar(ch));
        return;
    }
    TCustomControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS;
    if (FOptions.Contains(goRowSelect)) return;
    if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

// ---- Mouse ---------------------------------------------------------------------------
bool TCustomGrid::IsSizingPoint(bool horizontal, int along, int across, int& Index, int& Pos) const
{
    if (across < 0 || across >= Axis(!horizontal).FixedBoundary) return false;
    const TAxis a = Axis(horizontal);
    int p = a.FixedBoundary;
    for (int i = a.First; i <= a.LastVisible; ++i) {
        const int border = p + a.Size(i);
        if (along >= border - SizingTolerance && along <= border + a.LineWidth + SizingTolerance) {
            Index = i;
            Pos = border;
            return true;
        }
        p = border + a.LineWidth;
    }
    return false;
}

bool TCustomGrid::IsColSizingPoint(int X, int Y, int& Index, int& Pos) const
{
    return IsSizingPoint(true, X, Y, Index, Pos);
}

bool TCustomGrid::IsRowSizingPoint(int X, int Y, int& Index, int& Pos) const
{
    return IsSizingPoint(false, Y, X, Index, Pos);
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs)
{
    State = gsNormal;
    Index = -1;
    int pos = 0;
    if (FOptions.Contains(goColSizing) && IsColSizingPoint(X, Y, Index, pos)) {
        State = gsColSizing;
        SizingPos = X;
        SizingOfs = X - pos;
    } else if (FOptions.Contains(goRowSizing) && IsRowSizingPoint(X, Y, Index, pos)) {
        State = gsRowSizing;
        SizingPos = Y;
        SizingOfs = Y - pos;
    } else {
        Index = -1;
    }
}

int TCustomGrid::MoveTarget(bool horizontal, int pos) const
{
    const TAxis a = Axis(horizontal);
    if (pos < a.FixedBoundary) return a.First;
    const int cell = CellAt(horizontal, pos);
    return cell < 0 ? std::max(a.LastVisible, a.FixedCount) : std::max(cell, a.FixedCount);
}

int TCustomGrid::MoveTargetCol(int X) const
{
    return MoveTarget(true, X);
}

int TCustomGrid::MoveTargetRow(int Y) const
{
    return MoveTarget(false, Y);
}

void TCustomGrid::SetPointerCursor(TCursor cursor)
{
    if (!HandleAllocated()) return;
    QWidget* w = Handle();
    switch (cursor) {
    case crHSplit: w->setCursor(Qt::SplitHCursor); break;
    case crVSplit: w->setCursor(Qt::SplitVCursor); break;
    case crDrag: w->setCursor(Qt::DragMoveCursor); break;
    default:
        if (Cursor() == crDefault) w->unsetCursor();
        break;
    }
}

void TCustomGrid::StartTimer()
{
    if (FTimerRunning) return;
    SetTimer(this, SelectTimerId, SelectTimerInterval);
    FTimerRunning = true;
}

void TCustomGrid::StopTimer()
{
    if (!FTimerRunning) return;
    KillTimer(this, SelectTimerId);
    FTimerRunning = false;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        if (Shift.Contains(ssDouble)) {
            DblClick();
            if (FOptions.Contains(goEditing) && MouseCoord(X, Y) == FCurrent) ShowEditor();
        } else {
            const TGridCoord cell = MouseCoord(X, Y);
            const bool fixedCol = cell.X >= 0 && cell.X < FFixedCols;
            const bool fixedRow = cell.Y >= 0 && cell.Y < FFixedRows;
            TGridState sizing = gsNormal;
            int index = -1, sizingPos = 0, sizingOfs = 0;
            CalcSizingState(X, Y, sizing, index, sizingPos, sizingOfs);
            if ((sizing == gsColSizing || sizing == gsRowSizing) && index >= 0) {
                FGridState = sizing;
                FSizingIndex = index;
                FSizingPos = sizingPos;
                FSizingOfs = sizingOfs;
            } else if (cell.X < 0 || cell.Y < 0) {
                // Outside the cells: nothing to select.
            } else if (fixedRow && !fixedCol && FOptions.Contains(goColMoving)) {
                HideEditor();
                FGridState = gsColMoving;
                FMoveIndex = FMovePos = cell.X;
                StartTimer();
            } else if (fixedCol && !fixedRow && FOptions.Contains(goRowMoving)) {
                HideEditor();
                FGridState = gsRowMoving;
                FMoveIndex = FMovePos = cell.Y;
                StartTimer();
            } else if (fixedRow || fixedCol) {
                if ((fixedRow && FOptions.Contains(goFixedRowClick)) || (fixedCol && FOptions.Contains(goFixedColClick))) {
                    FPressedCell = cell;
                    InvalidateCell(cell.X, cell.Y);
                }
            } else if (FOptions.Contains(goEditing) && cell == FCurrent && FAnchor == FCurrent &&
                       FSelection == TGridRect{cell.X, cell.Y, cell.X, cell.Y} && !Shift.Contains(ssShift)) {
                // A second press on the current cell edits it.
                ShowEditor();
            } else {
                if (Shift.Contains(ssShift) && CanRangeSelect()) MoveAnchor(cell);
                else MoveCurrent(cell.X, cell.Y, true, true);
                UpdateEdit();
                FGridState = gsSelecting;
                StartTimer();
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
            if (CanRangeSelect()) {
                if (cell != FAnchor) MoveAnchor(cell);
            } else if (cell != FCurrent) {
                MoveCurrent(cell.X, cell.Y, true, true);
            }
        }
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        FSizingPos = FGridState == gsColSizing ? X : Y;
        break;
    case gsColMoving: {
        const int to = MoveTargetCol(X);
        if (to != FMovePos) {
            FMovePos = to;
            InvalidateGrid();
        }
        break;
    }
    case gsRowMoving: {
        const int to = MoveTargetRow(Y);
        if (to != FMovePos) {
            FMovePos = to;
            InvalidateGrid();
        }
        break;
    }
    case gsNormal: {
        TGridState sizing = gsNormal;
        int index = -1, sizingPos = 0, sizingOfs = 0;
        CalcSizingState(X, Y, sizing, index, sizingPos, sizingOfs);
        if (sizing == gsColSizing && index >= 0) SetPointerCursor(crHSplit);
        else if (sizing == gsRowSizing && index >= 0) SetPointerCursor(crVSplit);
        else SetPointerCursor(crDefault);
        if (FOptions.Contains(goFixedHotTrack)) {
            TGridCoord cell = MouseCoord(X, Y);
            if (cell.X >= FFixedCols && cell.Y >= FFixedRows) cell = {-1, -1};
            if (cell != FHotTrackCell) {
                if (FHotTrackCell.X >= 0) InvalidateCell(FHotTrackCell.X, FHotTrackCell.Y);
                FHotTrackCell = cell;
                if (cell.X >= 0) InvalidateCell(cell.X, cell.Y);
            }
        }
        break;
    }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridState state = FGridState;
    FGridState = gsNormal;
    if (Button == TMouseButton::mbLeft || state != gsNormal) {
        StopTimer();
        switch (state) {
        case gsSelecting:
            FGridState = gsSelecting;
            MouseMove(Shift, X, Y);
            FGridState = gsNormal;
            UpdateEdit();
            Click();
            break;
        case gsColSizing: {
            int start = 0;
            if (FSizingIndex >= 0 && CellStart(true, FSizingIndex, start))
                SetColWidths(FSizingIndex, X - FSizingOfs - start);
            break;
        }
        case gsRowSizing: {
            int start = 0;
            if (FSizingIndex >= 0 && CellStart(false, FSizingIndex, start))
                SetRowHeights(FSizingIndex, Y - FSizingOfs - start);
            break;
        }
        case gsColMoving:
            if (FMovePos >= FFixedCols && FMovePos != FMoveIndex) MoveColumn(FMoveIndex, FMovePos);
            else InvalidateGrid();
            break;
        case gsRowMoving:
            if (FMovePos >= FFixedRows && FMovePos != FMoveIndex) MoveRow(FMoveIndex, FMovePos);
            else InvalidateGrid();
            break;
        case gsNormal:
            if (FPressedCell.X >= 0) {
                const TGridCoord pressed = FPressedCell;
                FPressedCell = {-1, -1};
                InvalidateCell(pressed.X, pressed.Y);
                if (MouseCoord(X, Y) == pressed) FixedCellClick(pressed.X, pressed.Y);
            }
            break;
        }
        FSizingIndex = -1;
        FMoveIndex = FMovePos = -1;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::WMCancelMode(TWMCancelMode& Message)
{
    StopTimer();
    if (FGridState == gsColMoving || FGridState == gsRowMoving) InvalidateGrid();
    FGridState = gsNormal;
    FSizingIndex = -1;
    FMoveIndex = FMovePos = -1;
    TCustomControl::WMCancelMode(Message);
}

void TCustomGrid::CMMouseLeave(TMessage& Message)
{
    if (FHotTrackCell.X >= 0) {
        InvalidateCell(FHotTrackCell.X, FHotTrackCell.Y);
        FHotTrackCell = {-1, -1};
    }
    TCustomControl::CMMouseLeave(Message);
}

// ---- Wheel -------------------------------------------------------------------------------
bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    // One step per notch; a small delta still counts as one.
    const int steps = std::max(1, std::abs(WheelDelta) / WHEEL_DELTA);
    bool handled = false;
    for (int i = 0; i < steps; ++i)
        handled = (WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
    return handled;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    if (handled) return true;
    if (FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    if (handled) return true;
    if (FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
    return true;
}

// ---- Window messages ---------------------------------------------------------------------
void TCustomGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_SCROLLBARCHANGED) {
        SyncScrollBars();
        InvalidateGrid();
        return;
    }
    if (Message.Msg == CM_DRAG) {
        auto* info = reinterpret_cast<TDragOverInfo*>(Message.LParam);
        if (info) DragOver(info->Source, info->Pos.X, info->Pos.Y, TDragState(Message.WParam), info->Accept);
        return;
    }
    TCustomControl::WndProc(Message);
}

void TCustomGrid::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateScrollRange();
    SyncScrollBars();
}

void TCustomGrid::Resize()
{
    TCustomControl::Resize();
}

void TCustomGrid::WMSize(TWMSize& Message)
{
    TCustomControl::WMSize(Message);
    UpdateScrollRange();
    SyncScrollBars();
    UpdateEdit();
}

void TCustomGrid::WMSetFocus(TWMSetFocus& Message)
{
    TCustomControl::WMSetFocus(Message);
    InvalidateRect(Selection());
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (FOptions.Contains(goAlwaysShowEditor)) SetEditorMode(true);
}

void TCustomGrid::WMKillFocus(TWMKillFocus& Message)
{
    TCustomControl::WMKillFocus(Message);
    InvalidateRect(Selection());
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::WMTimer(TWMTimer& Message)
{
    if (Message.TimerID != SelectTimerId) {
        TCustomControl::WMTimer(Message);
        return;
    }
    TimedScroll();
}

// While the mouse selects or moves beyond the cells, each tick scrolls one
// cell towards it and carries the selection (or the drop place) along.
void TCustomGrid::TimedScroll()
{
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) {
        StopTimer();
        return;
    }
    const TPoint p = ScreenToClient(GetCursorPos());
    const TAxis h = Axis(true);
    const TAxis v = Axis(false);
    const bool moveCols = FGridState == gsColMoving;
    const bool moveRows = FGridState == gsRowMoving;
    int dx = 0, dy = 0;
    if (!moveRows) {
        if (p.X < h.FixedBoundary && FTopLeft.X > FFixedCols) dx = -1;
        else if (p.X >= h.Extent) dx = 1;
    }
    if (!moveCols) {
        if (p.Y < v.FixedBoundary && FTopLeft.Y > FFixedRows) dy = -1;
        else if (p.Y >= v.Extent) dy = 1;
    }
    if (dx) ModifyScrollBar(SB_HORZ, dx < 0 ? SB_LINEUP : SB_LINEDOWN, 0, false);
    if (dy) ModifyScrollBar(SB_VERT, dy < 0 ? SB_LINEUP : SB_LINEDOWN, 0, false);
    if (moveCols) {
        FMovePos = dx < 0 ? FTopLeft.X : dx > 0 ? std::max(Axis(true).LastFullVisible, FFixedCols) : MoveTargetCol(p.X);
        InvalidateGrid();
        return;
    }
    if (moveRows) {
        FMovePos = dy < 0 ? FTopLeft.Y : dy > 0 ? std::max(Axis(false).LastFullVisible, FFixedRows) : MoveTargetRow(p.Y);
        InvalidateGrid();
        return;
    }
    // The selecting end follows to the edge cell nearest to the pointer.
    const TAxis h2 = Axis(true);
    const TAxis v2 = Axis(false);
    TGridCoord cell = MouseCoord(p.X, p.Y);
    if (cell.X < FFixedCols || p.X < 0 || p.X >= h2.Extent)
        cell.X = p.X < h2.FixedBoundary ? FTopLeft.X : std::max(h2.LastFullVisible, FFixedCols);
    if (cell.Y < FFixedRows || p.Y < 0 || p.Y >= v2.Extent)
        cell.Y = p.Y < v2.FixedBoundary ? FTopLeft.Y : std::max(v2.LastFullVisible, FFixedRows);
    cell.X = std::clamp(cell.X, FFixedCols, FColCount - 1);
    cell.Y = std::clamp(cell.Y, FFixedRows, FRowCount - 1);
    if (CanRangeSelect()) {
        if (cell != FAnchor) MoveAnchor(cell);
    } else if (cell != FCurrent) {
        MoveCurrent(cell.X, cell.Y, true, true);
    }
}

void TCustomGrid::WMHScroll(TWMScroll& Message)
{
    ModifyScrollBar(SB_HORZ, Message.ScrollCode(), Message.Pos(), true);
}

void TCustomGrid::WMVScroll(TWMScroll& Message)
{
    ModifyScrollBar(SB_VERT, Message.ScrollCode(), Message.Pos(), true);
}

void TCustomGrid::CMFontChanged(TMessage& Message)
{
    TCustomControl::CMFontChanged(Message);
    InvalidateGrid();
}

void TCustomGrid::CMColorChanged(TMessage& Message)
{
    TCustomControl::CMColorChanged(Message);
    InvalidateGrid();
}

// ---- Inplace editor --------------------------------------------------------------------
TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
           FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows;
}

bool TCustomGrid::CanEditModify()
{
    return true;
}

bool TCustomGrid::CanEditAcceptKey(QChar)
{
    return true;
}

String TCustomGrid::GetEditText(int, int)
{
    return {};
}

void TCustomGrid::SetEditText(int, int, const String&) {}

String TCustomGrid::GetEditMask(int, int)
{
    return {};
}

int TCustomGrid::GetEditLimit()
{
    return 0;
}

void TCustomGrid::SetEditorMode(bool value)
{
    if (value) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    UpdateText();
    FEditCell = {-1, -1};
    FInplaceEdit->HideEditor();
}

void TCustomGrid::ShowEditorChar(QChar Ch)
{
    ShowEditor();
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    // The typed character replaces the text, as typing over a selected text does.
    const String text = Ch == QChar(8) ? String() : String(Ch);
    FInplaceEdit->SetText(text);
    FInplaceEdit->SetSelStart(int(text.size()));
    FInplaceEdit->SetModified(true);
}

void TCustomGrid::UpdateText()
{
    if (!FInplaceEdit || !FInplaceEdit->Visible() || FEditCell.X < 0) return;
    if (!CanEditModify()) return;
    const String text = FInplaceEdit->Text();
    if (text == FEditOrig) return;
    FEditOrig = text;
    SetEditText(FEditCell.X, FEditCell.Y, text);
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow()) {
        if (FInplaceEdit && FInplaceEdit->Visible()) {
            UpdateText();
            FEditCell = {-1, -1};
            FInplaceEdit->HideEditor();
        }
        return;
    }
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetParent(this);
    }
    if (FEditCell != FCurrent || !FInplaceEdit->Visible()) {
        FEditCell = FCurrent;
        FInplaceEdit->UpdateContents();
        FEditOrig = FInplaceEdit->Text();
    }
    const TRect r = CellRect(FCurrent.X, FCurrent.Y);
    if (r.IsEmpty()) {
        FInplaceEdit->HideEditor();
        return;
    }
    const bool hadFocus = Focused();
    FInplaceEdit->Move(r);
    if (hadFocus && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}

void TCustomGrid::InvalidateEditor()
{
    FEditCell = {-1, -1};
    if (FInplaceEdit && FInplaceEdit->Visible()) UpdateEdit();
}

// ---- TInplaceEdit -----------------------------------------------------------------------
TInplaceEdit::TInplaceEdit(TCustomGrid* AGrid) : TEdit(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetTabStop(false);
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::Move(const TRect& Loc)
{
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    if (!Visible()) Show();
}

void TInplaceEdit::HideEditor()
{
    if (!Visible()) return;
    // The focus goes straight back to the grid before the editor hides; hiding a focused
    // window first would let the window system hand the focus to some other control.
    if (Focused() && FGrid->CanFocus()) FGrid->SetFocus();
    Hide();
}

void TInplaceEdit::UpdateContents()
{
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    SetMaxLength(FGrid->GetEditLimit());
    SetEditMask(FGrid->GetEditMask(col, row));
    SetText(FGrid->GetEditText(col, row));
    SetModified(false);
    SelectAll();
}

void TInplaceEdit::Deselect()
{
    SetSelStart(int(Text().size()));
    SetSelLength(0);
}

bool TInplaceEdit::SendToGrid(WORD& Key, TShiftState Shift)
{
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return true;
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        SendToGrid(Key, Shift);
        break;
    case VK_TAB:
        if (FGrid->Options().Contains(goTabs)) SendToGrid(Key, Shift);
        break;
    case VK_HOME:
    case VK_END:
        if (ctrl) SendToGrid(Key, Shift);
        break;
    default: break;
    }
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    // The grid's key-press step sees Enter and Escape first.
    FGrid->KeyPress(Key);
    if (Key == QChar(27)) {
        UpdateContents();
        Key = QChar(0);
        return;
    }
    if (Key == QChar(9) || Key == QChar(13)) {
        Key = QChar(0);
        return;
    }
    if (Key.unicode() >= 32 && !FGrid->CanEditAcceptKey(Key)) Key = QChar(0);
    if (Key != QChar(0)) TEdit::KeyPress(Key);
}

void TInplaceEdit::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    if (FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}
