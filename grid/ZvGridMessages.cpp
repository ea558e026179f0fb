// Window messages: update batching, the window timer, painting, sizing and
// column stretching, scrolling with its hints, and the auto-scroll while
// something is dragged over the grid.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/ZvStringGridCheck.h"
#include "grid/services/ZvGridLayout.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvHeaderDragButton.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Timers.h"

#include <cmath>
#include <functional>

namespace {

constexpr std::uintptr_t GridTimerId = 111;
constexpr std::uintptr_t MoveTimerId = 1;
constexpr int ScrollHintMaxWidth = 100;

} // namespace

void TZvStringGrid::ConstrainColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TZvStringGrid::ConstrainAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TZvStringGrid::SyncColumnHeaders() {} // the column grid writes its headers here; the string grid has none

void TZvStringGrid::FireScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
    if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

TCanvas* TZvStringGrid::FooterCanvas() const
{
    return FooterPanel() ? FooterPanel()->Canvas() : nullptr;
}

// ---- Update batching ------------------------------------------------------------------------------
void TZvStringGrid::BeginUpdate()
{
    if (!Visible()) return;
    ++d->FUpdateCount;
    if (HandleAllocated()) SendMessage(this, WM_SETREDRAW, 0, 0);
}

// The count goes down whatever the visibility, so a grid hidden inside a
// batch does not stay locked; only the repaint needs a visible window.
void TZvStringGrid::EndUpdate()
{
    if (d->FUpdateCount <= 0) return;
    --d->FUpdateCount;
    if (d->FUpdateCount > 0 || d->FDestroying) return;
    d->FSelChange = false;
    if (HandleAllocated()) SendMessage(this, WM_SETREDRAW, 1, 0);
    if (Visible()) Invalidate();
}

void TZvStringGrid::StartUpdate()
{
    ++d->FUpdateCount;
}

void TZvStringGrid::ResetUpdate()
{
    d->FUpdateCount = 0;
}

void TZvStringGrid::SetLockUpdate(bool Value)
{
    if (Value) BeginUpdate();
    else EndUpdate();
}

// ---- Column stretching ------------------------------------------------------------------------------
void TZvStringGrid::DoStretchColumn(int Index)
{
    if (d->FLoading || d->FDestroying) return;
    const int index = Index == -1 ? ColCount() - 1 : Index;
    if (index >= ColCount()) throw Exception(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || !ColumnSize()->Stretch() || d->FStretchGuard || index < 0) return;
    d->FStretchGuard = true;
    const int client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(0, client);
    } else {
        int sum = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != index) sum += ColWidths(c);
        if (sum < client) SetColWidths(index, client - sum - 1);
        else if (LeftCol() == FixedCols()) SetColWidths(index, DefaultColWidth());
    }
    d->FColChanged = true;
    d->FStretchGuard = false;
}

void TZvStringGrid::StretchRightColumn()
{
    DoStretchColumn(ColCount() - 1);
}

// Proportional thumbs measure the grid in pixels rather than in cells: the
// positions stay 0 .. 127, and the page is the share of the scrolling part
// that the control shows.
namespace {
struct TProportion {
    int Fixed = 0, Total = 0, Before = 0;
};

TProportion MeasureLines(int LineWidth, int Count, int FixedCount, int First, const std::function<int(int)>& Size)
{
    TProportion p{LineWidth, LineWidth, LineWidth};
    for (int i = 0; i < Count; ++i) {
        const int extent = LineWidth + Size(i);
        if (i < FixedCount) {
            p.Fixed += extent;
            continue;
        }
        p.Total += extent;
        if (i < First) p.Before += extent;
    }
    return p;
}

void SetProportionalBar(TWinControl* Control, int Bar, double Share, int Position)
{
    const int max = int((Share + 127) / (1 - Share));
    TScrollInfo info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = max;
    info.nPage = UINT(std::max(1, max - 126));
    info.nPos = Position;
    SetScrollInfo(Control, Bar, info, true);
}
}  // namespace

void TZvStringGrid::UpdateProportionalHScroll()
{
    if (!d->FScrollProportional || d->FLoading || d->FDesignTime || d->FScrollLock || !HandleAllocated()) return;
    const TProportion p = MeasureLines(GridLineWidth(), ColCount(), FixedCols(), LeftCol(),
                                       [this](int c) { return ColWidths(c); });
    if (p.Total <= 0) return;
    const int width = Width();
    const double share = double(width - p.Fixed) / p.Total;
    if (share >= 0.9999 || p.Fixed + p.Total - width < 5) return;
    const int pos = width < p.Total ? int(double(p.Before) / (p.Total - width) * 128) : GetScrollPos(this, SB_HORZ);
    SetProportionalBar(this, SB_HORZ, share, pos);
    SyncFlatHorzScrollInfo();
    const bool always = d->FScrollBarAlways == TScrollBarAlways::saHorz || d->FScrollBarAlways == TScrollBarAlways::saBoth;
    const bool wantsBar = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
    if (!always && (p.Fixed + p.Total <= width || !wantsBar)) ShowScrollBar(this, SB_HORZ, false);
}

void TZvStringGrid::UpdateProportionalVScroll()
{
    if (!d->FScrollProportional || d->FLoading || d->FDesignTime || d->FScrollLock || !HandleAllocated()) return;
    if (VisibleRowCount() + FixedRows() >= RowCount()) return;
    const TProportion p = MeasureLines(GridLineWidth(), RowCount(), FixedRows(), TopRow(),
                                       [this](int r) { return RowHeights(r); });
    if (p.Total <= 0) return;
    const int height = Height();
    const double share = double(height - p.Fixed) / p.Total;
    if (share >= 0.9999) return;
    const int pos = height < p.Total ? int(double(p.Before) / (p.Total - height) * 128) : 127;
    SetProportionalBar(this, SB_VERT, share, pos);
    SyncFlatVertScrollInfo();
}

void TZvStringGrid::ResetFixedCellHighlight()
{
    d->FFixedSizingHover = false;
    if (d->FHoverFixedCells == THoverFixedCells::hfNone) return;
    if (d->FHoverFixedCell.X >= 0) RepaintCell(d->FHoverFixedCell.X, d->FHoverFixedCell.Y);
    d->FHoverFixedCell = {-1, -1};
}

// ---- Platform steps -------------------------------------------------------------------------------------
void TZvStringGrid::WndProc(TMessage& Message)
{
    WindowProcHook(Message);
}

void TZvStringGrid::ColWidthsChanged()
{
    ColWidthsChangedHook();
}

void TZvStringGrid::RowHeightsChanged()
{
    RowHeightsChangedHook();
}

void TZvStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (RowCount() < OldRowCount) FreeCutRowsProperties(OldRowCount);
    SizeChangedHook(OldColCount, OldRowCount);
}

void TZvStringGrid::ComponentRemovedHook(TComponent* AComponent, TOperation Operation)
{
    if (Operation == TOperation::opRemove) {
        if (AComponent == d->FCellChecker) d->FCellChecker = nullptr;
        if (d->FEditLink && AComponent == dynamic_cast<TComponent*>(d->FEditLink)) d->FEditLink = nullptr;
        if (AComponent == d->FFixedDropDownMenu) d->FFixedDropDownMenu = nullptr;
        if (AComponent == d->FGridImages) d->FGridImages = nullptr;
        if (AComponent == reinterpret_cast<TComponent*>(d->FPictureContainer)) d->FPictureContainer = nullptr;
        if (!d->FDestroying && AComponent == d->FSyncGrid->Grid()) d->FSyncGrid->SetGrid(nullptr);
    }
    TBaseGrid::ComponentRemovedHook(AComponent, Operation);
}

// Every message the grid handles itself goes to its handler, which hands
// it on to the base grid where its rules say so.
void TZvStringGrid::DispatchMessageHook(TMessage& Message)
{
    if (Message.Msg == EditDoneMessage()) EditDoneMessageHook(Message);
    switch (Message.Msg) {
    case WM_KEYDOWN: { TWMKey m(Message); KeyDownMessageHook(m); return; }
    case WM_KEYUP: { TWMKey m(Message); KeyUpMessageHook(m); return; }
    case WM_CHAR: { TWMKey m(Message); CharMessageHook(m); return; }
    case WM_LBUTTONDOWN: { TWMMouse m(Message); LButtonDownMessageHook(m); return; }
    case WM_LBUTTONUP: { TWMMouse m(Message); LButtonUpMessageHook(m); return; }
    case WM_LBUTTONDBLCLK: { TWMMouse m(Message); LButtonDblClkMessageHook(m); return; }
    case WM_RBUTTONDOWN: { TWMMouse m(Message); RButtonDownMessageHook(m); return; }
    case WM_RBUTTONUP: { TWMMouse m(Message); RButtonUpMessageHook(m); return; }
    case WM_GETDLGCODE: DlgCodeMessageHook(Message); return;
    case WM_SETFOCUS: { TWMSetFocus m(Message); SetFocusMessageHook(m); return; }
    case WM_KILLFOCUS: { TWMKillFocus m(Message); KillFocusMessageHook(m); return; }
    case CM_DIALOGCHAR: {
        TCMDialogChar m(Message);
        DialogCharMessageHook(m);
        if (m.Result) return;
        break;
    }
    case WM_TIMER: { TWMTimer m(Message); TimerMessageHook(m); return; }
    case WM_PAINT: { TWMPaint m(Message); PaintMessageHook(m); return; }
    case WM_ERASEBKGND: { TWMEraseBkgnd m(Message); EraseBkgndMessageHook(m); return; }
    case WM_SIZE: { TWMSize m(Message); SizeMessageHook(m); return; }
    case WM_HSCROLL: { TWMScroll m(Message); HScrollMessageHook(m); return; }
    case WM_VSCROLL: { TWMScroll m(Message); VScrollMessageHook(m); return; }
    case WM_MOUSEWHEEL: WheelMessageHook(Message); return;
    case CM_HINTSHOW: HintShowMessageHook(Message); return;
    case CM_ENABLEDCHANGED: EnabledChangedMessageHook(Message); return;
    case CM_COLORCHANGED: ColorChangedMessageHook(Message); return;
    case CM_FONTCHANGED: FontChangedMessageHook(Message); return;
    case CM_CURSORCHANGED: CursorChangedMessageHook(Message); return;
    case WM_DESTROY:
        if (d->FGridTimerID) KillTimer(this, GridTimerId);
        d->FGridTimerID = 0;
        break;
    case WM_CAPTURECHANGED:
        if (GridState() == gsColMoving || GridState() == gsRowMoving) {
            if (HeaderDragButton()) HeaderDragButton()->SetVisible(false);
            KillTimer(this, MoveTimerId);
        }
        break;
    default: break;
    }
    TBaseGrid::WndProc(Message);
}

// A touchpad sends many small wheel steps: they add up to a notch before
// the grid moves, instead of each small step counting as a whole notch.
int TZvStringGrid::TakeWheelNotches(int Delta)
{
    if ((d->FWheelRemainder > 0) != (Delta > 0)) d->FWheelRemainder = 0;
    d->FWheelRemainder += Delta;
    const int notches = d->FWheelRemainder / WHEEL_DELTA;
    d->FWheelRemainder -= notches * WHEEL_DELTA;
    return notches;
}

void TZvStringGrid::WheelMessageHook(TMessage& Message)
{
    TWMMouseWheel m(Message);
    const int delta = m.WheelDelta();
    if (delta == 0) return;
    const int notches = TakeWheelNotches(delta);
    if (notches == 0) {
        Message.Result = 1;
        return;
    }
    Message.WParam = MakeWParam(m.Keys(), notches * WHEEL_DELTA);
    TBaseGrid::WndProc(Message);
}

void TZvStringGrid::DlgCodeMessageHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
    if (d->FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

// ---- The window timer ----------------------------------------------------------------------------------
void TZvStringGrid::TimerMessageHook(TWMTimer& Message)
{
    if (Message.TimerID != GridTimerId) {
        TBaseGrid::WndProc(Message.Message);
        return;
    }
    ++d->FTickCount;
    if (d->FNavigation->AutoGotoIncremental() && ++SearchService().FSearchTicks >= 4) {
        SearchService().FIncrSearchText.clear();
        SearchService().FSearchTicks = 0;
    }
    if (d->FHovering && !d->FDesignTime && HandleAllocated()) {
        const TPoint p = ScreenToClient(GetCursorPos());
        const TRect client = ClientRect();
        if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom) {
            const TGridCoord cell = MouseCoord(p.X, p.Y);
            if (cell.X >= FixedCols() && cell.Y >= FixedRows() && cell.X < ColCount() && cell.Y < RowCount()) {
                if (CanFocus() && !Focused()) SetFocus();
                SetRow(cell.Y);
                SetCol(cell.X);
            }
        }
    }
    if (d->FEnableBlink) {
        d->FBlinkOn = !d->FBlinkOn;
        auto blinks = [this](int rc, int r) {
            return GetCellEx(rc, r).contains(QStringLiteral("<BLI"), Qt::CaseInsensitive);
        };
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount() - 1);
        const int lastCol = std::min(AllColCount() - 1, RealColIndex(LeftCol()) + VisibleColCount() + d->FNumHidden);
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int rc = RealColIndex(LeftCol()); rc <= lastCol; ++rc)
                if (blinks(rc, r)) RepaintCell(RealToDisplayCol(rc), r);
        for (int r = 0; r < FixedRows(); ++r)
            for (int rc = RealColIndex(LeftCol()); rc <= lastCol; ++rc)
                if (blinks(rc, r)) RepaintCell(RealToDisplayCol(rc), r);
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = 0; c < FixedCols(); ++c)
                if (blinks(RealColIndex(c), r)) RepaintCell(c, r);
    }
}

// ---- Painting ---------------------------------------------------------------------------------------------
void TZvStringGrid::PaintMessageHook(TWMPaint& Message)
{
    if (d->FUpdateCount > 0) {
        Message.Result = 0;
        return;
    }
    if (d->FPaintCount == 0 && !TabStop()) {
        ++d->FPaintCount;
        UpdateProportionalVScroll();
    }
    TBaseGrid::WndProc(Message.Message);
}

void TZvStringGrid::EraseBkgndMessageHook(TWMEraseBkgnd& Message)
{
    // The grid paints every pixel itself.
    Message.Result = 0;
}

// ---- Size ------------------------------------------------------------------------------------------------
void TZvStringGrid::SizeMessageHook(TWMSize& Message)
{
    if (SearchFooter()->Visible() && SearchPanel()) {
        SearchPanel()->SetHeight(33);
        SearchPanel()->SetHeight(32);
        SearchPanel()->SetAlign(TAlign::alBottom);
    }
    if (ColumnSize()->SynchWithGrid() && d->FOldWidth > 0 && LayoutService().FColSizes) {
        HideInplaceEdit();
        const double factor =
            double(Message.Width() + (d->FBorderStyle == TBorderStyle::bsSingle ? 2 : 0)) / double(d->FOldWidth);
        const int first = ColumnSize()->SynchNormalCellsOnly() ? FixedCols() : 0;
        for (int c = first; c < ColCount() && c < LayoutService().FColSizes->Count(); ++c)
            SetColWidths(c, int(LayoutService().FColSizes->Items(c) * factor));
    }
    bool stretched = false;
    if (ColumnSize()->Stretch() &&
        (d->FScrollBarAlways == TScrollBarAlways::saNone || d->FScrollBarAlways == TScrollBarAlways::saVert)) {
        const int index = ColumnSize()->StretchColumn() == -1 ? ColCount() - 1 : ColumnSize()->StretchColumn();
        int sum = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != index) sum += ColWidths(c);
        if (sum < Width()) {
            TBaseGrid::WndProc(Message.Message);
            DoStretchColumn(ColumnSize()->StretchColumn());
            stretched = d->FScrollBarAlways == TScrollBarAlways::saNone;
        }
    }
    if (stretched) {
        if (OnGridResize) OnGridResize(this);
        return;
    }
    TBaseGrid::WndProc(Message.Message);
    if (d->FScrollProportional) {
        UpdateProportionalHScroll();
        UpdateProportionalVScroll();
    }
    if (!d->FDisableSize && d->FScrollType != TScrollType::ssNormal) {
        d->FDisableSize = true;
        UpdateFlatScrollBars();
        d->FDisableSize = false;
    }
}

void TZvStringGrid::SizeChangedHook(int OldColCount, int OldRowCount)
{
    if (!Parent() || d->FLoading) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    if (ColumnSize()->Stretch()) DoStretchColumn(ColumnSize()->StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    if (d->FScrollType != TScrollType::ssNormal) UpdateFlatScrollBars();
}

// Every other scrolling column (row) takes the sized one's change of size,
// as a factor of its size at the press.
void TZvStringGrid::ScaleOtherLines(bool Columns, int Sized, int SizeAtPress)
{
    if (SizeAtPress <= 0) return;
    const double factor = double(Columns ? ColWidths(Sized) : RowHeights(Sized)) / double(SizeAtPress);
    const int count = Columns ? ColCount() : RowCount();
    for (int i = Columns ? FixedCols() : FixedRows(); i < count; ++i) {
        if (i == Sized) continue;
        if (Columns) SetColWidths(i, int(std::lround(ColWidths(i) * factor)));
        else SetRowHeights(i, int(std::lround(RowHeights(i) * factor)));
    }
}

void TZvStringGrid::ColWidthsChangedHook()
{
    if (d->FColChanged && ColumnSize()->Stretch() && !d->FStretchGuard) DoStretchColumn(ColumnSize()->StretchColumn());
    TBaseGrid::ColWidthsChanged();
    d->FColSized = true;
    if (d->FUserSizedCol >= 0) {
        const int col = d->FUserSizedCol;
        d->FUserSizedCol = -1;
        if (d->FMouseActions->AllColumnSize()) ScaleOtherLines(true, col, d->FSizingColWidth);
        if (OnEndColumnSize) OnEndColumnSize(this, col);
        int width = ColWidths(col);
        ConstrainColumnSize(col, width);
        if (width != ColWidths(col)) SetColWidths(col, width);
        else d->FSizingCell = {-1, -1};
    }
    if (EditorMode() && InplaceEditor()) {
        if (IsCheckOrButtonCell(RealColIndex(Col()), Row())) HideInplaceEdit();
        else UpdateEdit();
    }
    UpdateFooter();
}

void TZvStringGrid::RowHeightsChangedHook()
{
    TBaseGrid::RowHeightsChanged();
    if (d->FUserSizedRow >= 0) {
        const int row = d->FUserSizedRow;
        d->FUserSizedRow = -1;
        if (d->FMouseActions->AllRowSize()) ScaleOtherLines(false, row, d->FSizingRowHeight);
        if (OnEndRowSize) OnEndRowSize(this, row);
        d->FSizingCell = {-1, -1};
    }
    if (EditorMode() && IsCheckOrButtonCell(RealColIndex(Col()), Row())) HideInplaceEdit();
}

// ---- Scrolling --------------------------------------------------------------------------------------------
// The column (row) a thumb position of 0..127 stands for.
int TZvStringGrid::ThumbToCell(bool Horizontal, int Pos)
{
    if (Horizontal) {
        const int range = ColCount() - VisibleColCount() - FixedCols();
        return FixedCols() + int(std::lround(double(Pos) * range / 127.0));
    }
    const int range = RowCount() - VisibleRowCount() - FixedRows();
    return FixedRows() + int(std::lround(double(Pos) * range / 127.0));
}

void TZvStringGrid::ShowScrollHint(const String& Text)
{
    if (!ScrollHintWindow()) return;
    ScrollHintWindow()->SetCaption(Text);
    const int w = std::min(ScrollHintMaxWidth, Canvas() ? Canvas()->TextWidth(Text) + 8 : ScrollHintMaxWidth);
    const TPoint cursor = GetCursorPos();
    ScrollHintWindow()->SetBounds(cursor.X + 10, cursor.Y, w, 18);
    ScrollHintWindow()->SetColor(d->FHintColor);
    ScrollHintWindow()->SetVisible(true);
    d->FScrollHintShowing = true;
}

void TZvStringGrid::HideScrollHint()
{
    if (ScrollHintWindow() && d->FScrollHintShowing) ScrollHintWindow()->SetVisible(false);
    d->FScrollHintShowing = false;
}

void TZvStringGrid::HScrollMessageHook(TWMScroll& Message)
{
    const int code = Message.ScrollCode();
    int pos = Message.Pos();
    if (d->FScrollHints == TScrollHintType::shHorizontal || d->FScrollHints == TScrollHintType::shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        else if (code == SB_THUMBTRACK) {
            String text = QStringLiteral("Col : ") + IntToStr(ThumbToCell(true, pos));
            if (OnScrollHint) OnScrollHint(this, ThumbToCell(true, pos), text);
            ShowScrollHint(text);
        }
    }
    if (d->FIsFlat && code == SB_THUMBPOSITION && ColCount() > 0) {
        const int v = int(std::lround(VisibleColCount() * 128.0 / ColCount()));
        if (v != 128) {
            pos = int(std::lround(pos * 127.0 / (128 - v)));
            Message.Message.WParam = MakeWParam(code, pos);
        }
    }
    if (code == SB_THUMBTRACK && d->FScrollSynch)
        SetLeftCol(std::clamp(ThumbToCell(true, pos), FixedCols(), ColCount() - 1));
    if (FixedCols() == 0 && ThumbToCell(true, pos) >= Col()) HideInplaceEdit();
    TBaseGrid::WndProc(Message.Message);
    if (code == SB_ENDSCROLL && ColCount() == 1) Invalidate();
    if (EditorMode() && IsCheckOrButtonCell(RealColIndex(Col()), Row())) HideInplaceEdit();
    UpdateFooter();
}

void TZvStringGrid::VScrollMessageHook(TWMScroll& Message)
{
    if (d->FDesignTime) {
        TBaseGrid::WndProc(Message.Message);
        return;
    }
    if (CellScrollBarMessage(Message)) return;
    const int code = Message.ScrollCode();
    const int pos = Message.Pos();
    if (d->FScrollHints == TScrollHintType::shVertical || d->FScrollHints == TScrollHintType::shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        else if (code == SB_THUMBTRACK) {
            const int row = ThumbToCell(false, pos);
            String text = QStringLiteral("Row : ") + IntToStr(row);
            if (OnScrollHint) OnScrollHint(this, row, text);
            ShowScrollHint(text);
        }
    }
    if (code == SB_THUMBTRACK && d->FScrollSynch)
        SetTopRow(std::clamp(ThumbToCell(false, pos), FixedRows(), RowCount() - 1));
    if (SearchFooter()->Visible() && (code == SB_LINEDOWN || code == SB_ENDSCROLL) &&
        TopRow() >= RowCount() - VisibleRowCount() && LastRowClearOfSearchFooter()) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WndProc(Message.Message);
    if (SearchFooter()->Visible() && (code == SB_LINEDOWN || code == SB_ENDSCROLL)) ScrollLastRowClearOfSearchFooter();
    if (EditorMode() && IsCheckOrButtonCell(RealColIndex(Col()), Row())) HideInplaceEdit();
}

// ---- Notifications --------------------------------------------------------------------------------------------
void TZvStringGrid::HintShowMessageHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
    auto& info = *reinterpret_cast<THintInfo*>(Message.LParam);
    FillCellHint(info.HintStr, info);
    Message.Result = 0;
}

void TZvStringGrid::EnabledChangedMessageHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
    Invalidate();
}

void TZvStringGrid::ColorChangedMessageHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
    if (d->FFloatingFooter->Visible() && FooterPanel()) FooterPanel()->Invalidate();
}

void TZvStringGrid::FontChangedMessageHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
}

void TZvStringGrid::CursorChangedMessageHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
    if (!d->FCursorChangedByGrid) d->FMouseSelectMode = TMouseSelectMode::msNormal;
    d->FCursorChangedByGrid = false;
}

// ---- Drag auto-scroll ------------------------------------------------------------------------------------------
void TZvStringGrid::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    DragOverHook(Source, X, Y, State, Accept);
}

void TZvStringGrid::DragOverHook(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    DragScrollOver(X, Y, State);
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

// The margins the pointer is in decide the directions; leaving the grid,
// or no margin, stops the timer.
void TZvStringGrid::DragScrollOver(int X, int Y, TDragState State)
{
    TDragScrollOptions* o = d->FDragScrollOptions.get();
    if (!o->Active()) {
        d->FDragScrollTimer.reset();
        d->FDragScrollDirections = {};
        return;
    }
    const bool hadDirection = !d->FDragScrollDirections.Empty();
    TDragScrollDirections dirs;
    if (State != TDragState::dsDragLeave) {
        if (Y < o->Margins()->TopMargin()) dirs.Include(TDragScrollDirection::dsdUp);
        else if (Y > Height() - o->Margins()->BottomMargin()) dirs.Include(TDragScrollDirection::dsdDown);
        if (X < o->Margins()->LeftMargin()) dirs.Include(TDragScrollDirection::dsdLeft);
        else if (X > Width() - o->Margins()->RightMargin()) dirs.Include(TDragScrollDirection::dsdRight);
    }
    d->FDragScrollDirections = dirs;
    if (dirs.Empty()) {
        d->FDragScrollTimer.reset();
        return;
    }
    if (!d->FDragScrollTimer) {
        d->FDragScrollTimer = std::make_unique<TTimer>(nullptr);
        d->FDragScrollTimer->SetInterval(unsigned(o->Delays()->InitialDelay()));
        d->FDragScrollTimer->OnTimer = [this](TObject*) { DragScrollTick(); };
        d->FDragScrollTimer->SetEnabled(true);
    } else if (!hadDirection) {
        d->FDragScrollTimer->SetInterval(unsigned(o->Delays()->InitialDelay()));
    }
}

void TZvStringGrid::DragScrollTick()
{
    if (!d->FDragScrollOptions->Active()) {
        // Stopped here and freed by the next drag-over: this tick still runs inside it.
        d->FDragScrollTimer->SetEnabled(false);
        return;
    }
    d->FDragScrollTimer->SetInterval(unsigned(d->FDragScrollOptions->Delays()->RepeatDelay()));
    TDragScrollDirections dirs = d->FDragScrollDirections;
    bool canScroll = true;
    if (OnDragScroll) OnDragScroll(this, TopRow(), LeftCol(), dirs, canScroll);
    if (!canScroll) return;
    if (dirs.Contains(TDragScrollDirection::dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (dirs.Contains(TDragScrollDirection::dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if (dirs.Contains(TDragScrollDirection::dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (dirs.Contains(TDragScrollDirection::dsdRight) && VisibleColCount() + LeftCol() < ColCount())
        SetLeftCol(LeftCol() + 1);
}

// ---- Accessors ----------------------------------------------------------------------------------------------
bool TZvStringGrid::LockUpdate() const { return d->FUpdateCount > 0; }
TColor TZvStringGrid::ArrowColor() const { return d->FArrowColor; }
int TZvStringGrid::AdvanceOriginCol() const { return d->FAdvanceOrigin.X; }
int TZvStringGrid::AdvanceOriginRow() const { return d->FAdvanceOrigin.Y; }
