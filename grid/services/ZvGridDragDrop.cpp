// Drag and drop: the service's state, the grid's drop target and drop
// source, the drag start and the grid's members that front them.
//
// Drops honour the clipboard's rule: they change only cells the user may
// edit, or every normal cell with AllowClipboardAlways.

#include "grid/services/ZvGridDragDrop.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridClipboard.h"
#include "grid/services/panels/ZvHeaderDragButton.h"
#include "grid/support/ZvGridTypes.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"

#include <QFileInfo>

#include <algorithm>

TZvGridDragDrop::TZvGridDragDrop(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FDragDropSettings(std::make_unique<TDragDropSettings>(AGrid))
{
    TDragDropSettings* s = FDragDropSettings.get();
    s->OnIsDesigning = [AGrid] {
        bool designing = false;
        AGrid->QueryDesignMode(designing);
        return designing;
    };
    s->OnRegisterDropTarget = [this] { return RegisterTarget(); };
    s->OnRevokeDropTarget = [this] { RevokeTarget(); };
    s->OnDropRTFChange = [](bool on) { SetDragDropFlag(on); };
}

TZvGridDragDrop::~TZvGridDragDrop()
{
    RevokeTarget();
    delete FCellImage;
}

bool TZvGridDragDrop::RegisterTarget()
{
    if (!FGridDropTarget) FGridDropTarget = std::make_unique<TGridDropTarget>(FGrid);
    FGridDropTarget->AcceptText = FDragDropSettings->OleAcceptText();
    FGridDropTarget->AcceptFiles = FDragDropSettings->OleAcceptFiles();
    FGridDropTarget->AcceptURLs = FDragDropSettings->OleAcceptURLs();
    return RegisterDragDrop(FGrid, FGridDropTarget.get());
}

void TZvGridDragDrop::RevokeTarget()
{
    if (RegisteredDropTarget(FGrid)) RevokeDragDrop(FGrid);
}

TZvGridDragDrop& TZvStringGrid::DragDropService() const { return MadeOnFirstUse(d->FDragDropService, this); }

TDragDropSettings* TZvStringGrid::DragDropSettings() const { return DragDropService().FDragDropSettings.get(); }
void TZvStringGrid::SetDragDropSettings(TDragDropSettings* Value) { DragDropSettings()->Assign(Value); }

void TZvStringGrid::OleColumnDragStart(int ACol, int AIndex, TObject* AList)
{
    DragDropService().FOleDragCol = ACol;
    DragDropService().FOleDragIndex = AIndex;
    DragDropService().FOleDragList = AList;
}

void TZvStringGrid::CopyDropTargetFlags()
{
    TZvGridDragDrop& dd = DragDropService();
    if (!dd.FGridDropTarget) return;
    dd.FGridDropTarget->AcceptText = dd.FDragDropSettings->OleAcceptText();
    dd.FGridDropTarget->AcceptFiles = dd.FDragDropSettings->OleAcceptFiles();
    dd.FGridDropTarget->AcceptURLs = dd.FDragDropSettings->OleAcceptURLs();
}

// ---- The drop target --------------------------------------------------------------------------------------------

TGridCoord TGridDropTarget::TargetCell(TPoint Pt, bool ColumnDrag, bool& Append) const
{
    TZvStringGrid& g = *FGrid;
    const TPoint p = g.ScreenToClient(Pt);
    int c = -1, r = -1;
    g.MouseToCell(p.X, p.Y, c, r);
    Append = false;
    const TDragDropSettings* s = g.DragDropSettings();
    if (r < 0 && !ColumnDrag && s->OleEntireRows() && s->OleAppendRows()) {
        const TRect last = g.CellRect(g.LeftCol(), g.RowCount() - 1);
        if (p.Y >= last.Bottom && p.X >= 0 && p.X < g.ClientWidth()) {
            Append = true;
            return {g.FixedCols(), g.RowCount() - 1};
        }
    }
    return {c, r};
}

void TGridDropTarget::HideMarkers()
{
    for (TArrowDirection dir : {TArrowDirection::arrDown, TArrowDirection::arrUp, TArrowDirection::arrLeft})
        if (TArrowWindow* arrow = FGrid->ArrowWindow(dir)) arrow->SetVisible(false);
}

void TGridDropTarget::DragMouseLeave() { HideMarkers(); }

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats)
{
    TZvStringGrid& g = *FGrid;
    const bool columnDrag = DropFormats.Contains(TDropFormat::dfCol);
    bool append = false;
    TGridCoord cell = TargetCell(Pt, columnDrag, append);
    const bool hit = cell.X >= 0 && cell.Y >= 0;
    Allow = hit;
    const TPoint p = g.ScreenToClient(Pt);

    if (!columnDrag) {
        if ((cell.Y == 0 && g.TopRow() > g.FixedRows()) || (g.FixedRows() == 0 && p.Y < 8 && g.TopRow() > 0))
            g.SetTopRow(g.TopRow() - 1);
        else if (cell.Y == g.TopRow() + g.VisibleRowCount() && cell.Y < g.RowCount())
            g.SetTopRow(g.TopRow() + 1);
        const bool atLeft = cell.X >= 0 && cell.X == 0 && g.LeftCol() > g.FixedCols();
        const bool atRight = cell.X == g.LeftCol() + g.VisibleColCount() && cell.X < g.ColCount();
        if (atLeft || atRight) {
            // Sideways only every second tick of the grid's timer, so a column stays readable.
            int& ticks = g.d->FTickCount;
            if (ticks % 2 == 0) {
                g.SetLeftCol(g.LeftCol() + (atLeft ? -1 : 1));
                ++ticks;
            }
        }
    }

    if (columnDrag) {
        if (hit) Allow = cell.Y < g.FixedRows() && cell.X >= g.FixedCols();
        else {
            cell = {g.ColCount(), 0};
            Allow = p.X >= 0 && p.Y >= 0;
        }
    } else if (hit && cell.Y < g.FixedRows() && !(g.RowCount() == 1 && g.FixedRowAlways())) {
        Allow = false;
    }

    const bool files = DropFormats.Contains(TDropFormat::dfFile);
    if (files || DropFormats.Contains(TDropFormat::dfGridCells)) Allow = Allow || files || hit || append;
    if (g.OnOleDragOver) g.OnOleDragOver(&g, cell.Y, cell.X, Allow);
    Allow = Allow && (hit || append || files || columnDrag);

    HideMarkers();
    if (!Allow) return;
    if (columnDrag) {
        const TRect r = cell.X < g.ColCount() ? g.CellRect(cell.X, cell.Y)
                                              : TRect{g.CellRect(g.ColCount() - 1, 0).Right, 0, 0, 0};
        if (TArrowWindow* down = g.ArrowWindow(TArrowDirection::arrDown)) {
            down->SetLeft(r.Left);
            down->SetTop(r.Top - 8);
            down->SetVisible(true);
        }
        if (TArrowWindow* up = g.ArrowWindow(TArrowDirection::arrUp)) {
            up->SetLeft(r.Left);
            up->SetTop(r.Bottom);
            up->SetVisible(true);
        }
        return;
    }
    if (!hit && !append) return;
    int row = cell.Y;
    if (row == 0 && g.FixedRowAlways()) row = 1;
    const int col = g.DragDropSettings()->OleEntireRows() ? g.FixedCols() : cell.X;
    const TRect r = g.CellRect(col, std::min(row, g.RowCount() - 1));
    if (TArrowWindow* left = g.ArrowWindow(TArrowDirection::arrLeft)) {
        left->SetLeft(r.Left - 10);
        left->SetTop(append ? r.Bottom : r.Top);
        left->SetVisible(true);
    }
}

void TGridDropTarget::DropText(TPoint Pt, const String& S)
{
    TZvStringGrid& g = *FGrid;
    TZvGridDragDrop& dd = g.DragDropService();
    const TDragDropSettings* s = g.DragDropSettings();
    const TScopeExit hide([this] { HideMarkers(); });
    if (S.isEmpty()) return;   // an empty text has nothing to place
    bool append = false;
    TGridCoord cell = TargetCell(Pt, false, append);
    if (cell.X < 0 || cell.Y < 0) return;
    int cols = 0, rows = 0;
    TZvStringGrid::MeasureClipboardText(S, cols, rows);
    rows += 1;
    const bool rowSelect = g.Options().Contains(goRowSelect);
    if (rowSelect) cell.X = s->OleEntireRows() ? 0 : g.FixedCols();
    bool allow = true;
    if (g.OnOleDrop) g.OnOleDrop(&g, cell.Y, cell.X, S, allow);
    if (!allow) return;

    if (dd.FDragging && dd.FDropSelection.Top >= cell.Y && s->OleRemoveRows()) {
        dd.FDropSelection.Top += rows;
        dd.FDropSelection.Bottom += rows;
        if (g.MouseActions()->DisjunctRowSelect()) {
            std::vector<bool>& sel = g.d->FRowSelect;
            if (cell.Y <= int(sel.size())) sel.insert(sel.begin() + cell.Y, std::size_t(rows), false);
        }
    }
    if (cell.Y == 0 && g.RowCount() == 1 && g.FixedRowAlways()) cell.Y = 1;
    if (s->OleInsertRows()) {
        const int top = g.TopRow();
        if (append) {
            g.SetRowCount(g.RowCount() + rows);
            cell.Y += 1;
        } else {
            g.InsertRows(cell.Y, rows);
        }
        g.SetTopRow(top > g.FixedRows() ? std::min(top + 1, g.RowCount() - 1) : top);
    } else if (append) {
        cell.Y += 1;
        if (cell.Y + rows > g.RowCount()) g.SetRowCount(cell.Y + rows);
    }
    if (cell.X < g.FixedCols()) cell.X = g.FixedCols();
    int pastedCols = 0, pastedRows = 0;
    g.PasteTextAt(cell.X, cell.Y, S, pastedCols, pastedRows);
    TGridRect block;
    block.Top = cell.Y;
    block.Bottom = std::min(cell.Y + rows - 1, g.RowCount() - 1);
    block.Left = cell.X;
    block.Right = std::min(rowSelect ? block.Left + cols - g.FixedCols() : block.Left + cols - 1, g.ColCount() - 1);
    block.Right = std::max(block.Right, block.Left);
    g.SetSelection(block);
    if (dd.FDragging) dd.FDroppedOnSelf = block;
    HideMarkers();
    if (g.OnOleDropped) g.OnOleDropped(&g, block);
}

void TGridDropTarget::DropStream(TPoint Pt, QBuffer* Stream)
{
    TZvStringGrid& g = *FGrid;
    TZvGridDragDrop& dd = g.DragDropService();
    const TScopeExit hide([this] { HideMarkers(); });
    bool append = false;
    TGridCoord cell = TargetCell(Pt, false, append);
    if (cell.X < 0 || cell.Y < 0) return;
    if (cell.X < g.FixedCols()) cell.X = g.FixedCols();
    if (cell.Y < g.FixedRows()) cell.Y = g.FixedRows();
    Stream->seek(0);
    TZvStringGrid* grid = &g;
    try {
        g.LoadAtPointFromBinStream(TPoint{g.RealColIndex(cell.X), cell.Y}, Stream, [grid](int rc, int r) {
            return TZvGridClipboard::MayTouch(*grid, grid->DisplColIndex(rc), r);
        });
    } catch (const Exception&) {
        return;   // cells that cannot be read change nothing
    }
    if (dd.FDragging) dd.FDroppedOnSelf = g.Selection();
    if (g.OnOleDropped) g.OnOleDropped(&g, g.Selection());
}

// Rich text and links go into the one cell under the point, when the event lets them.
void TGridDropTarget::StoreInCell(TPoint Pt, const String& S,
                                  const std::function<void(TObject*, int, int, const String&, bool&)>& Event)
{
    TZvStringGrid& g = *FGrid;
    const TScopeExit hide([this] { HideMarkers(); });
    bool append = false;
    const TGridCoord cell = TargetCell(Pt, false, append);
    if (cell.X < 0 || cell.Y < 0 || S.isEmpty()) return;
    bool allow = true;
    if (Event) Event(&g, cell.Y, cell.X, S, allow);
    if (allow && TZvGridClipboard::MayTouch(g, cell.X, cell.Y)) g.SetCellEx(g.RealColIndex(cell.X), cell.Y, S);
}

void TGridDropTarget::DropRTF(TPoint Pt, const String& S) { StoreInCell(Pt, S, FGrid->OnOleDrop); }
void TGridDropTarget::DropURL(TPoint Pt, const String& S) { StoreInCell(Pt, S, FGrid->OnOleDropURL); }

void TGridDropTarget::DropFiles(TPoint Pt, const std::vector<String>& Files)
{
    TZvStringGrid& g = *FGrid;
    const TScopeExit hide([this] { HideMarkers(); });
    if (Files.size() != 1) return;
    const String& name = Files.front();
    bool append = false;
    const TGridCoord cell = TargetCell(Pt, false, append);
    bool allow = true;
    if (g.OnOleDropFile) g.OnOleDropFile(&g, cell.Y, cell.X, name, allow);
    if (!allow) return;
    // The kind is the extension's: "x.csv.bak" is no delimited text.
    const String ext = QFileInfo(name).suffix().toUpper();
    if (ext == QLatin1String("CSV")) {
        if (g.OnOleDrop) g.OnOleDrop(&g, -1, -1, name, allow);
        if (allow) g.LoadFromCSV(name);
    } else if (ext == QLatin1String("XLS") || ext == QLatin1String("XLSX")) {
        if (g.OnOleDrop) g.OnOleDrop(&g, -1, -1, name, allow);
        if (allow) g.LoadFromXLS(name);
    }
}

void TGridDropTarget::DropCol(TPoint Pt, int Col)
{
    TZvStringGrid& g = *FGrid;
    TZvGridDragDrop& dd = g.DragDropService();
    bool append = false;
    const TGridCoord cell = TargetCell(Pt, true, append);
    const bool hit = cell.X >= 0 && cell.Y >= 0;
    const int target = hit ? cell.X : g.ColCount();
    HideMarkers();
    if (THeaderDragButton* button = g.HeaderDragButton()) button->SetVisible(false);
    if (dd.FOleDragIndex >= 0) {
        if (auto* list = dynamic_cast<TStringList*>(dd.FOleDragList);
            list && dd.FOleDragIndex < list->Count())
            list->Delete(dd.FOleDragIndex);
        g.UnHideColumn(dd.FOleDragCol);
        if (hit) {
            const TGridOptions before = g.Options();
            g.SetOptions(before + goColMoving);
            g.MoveColumn(g.DisplColIndex(dd.FOleDragCol), target);
            g.SetOptions(before);
        }
        dd.FOleDragIndex = -1;
    } else if (g.DragDropSettings()->OleColumnReorder()) {
        const int to = std::min(target, g.ColCount() - 1);
        if (Col != to && Col >= 0 && Col < g.ColCount()) g.MoveColumn(Col, to);
    }
    if (g.OnOleDropCol) g.OnOleDropCol(&g, cell.Y, Col, target);
}

// ---- The drop source --------------------------------------------------------------------------------------------

void TGridDropSource::CurrentEffect(DWORD Effect)
{
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE) FLastEffect = Effect;
}

void TGridDropSource::QueryDrag()
{
    const TPoint p = GetCursorPos();
    TZvGridDragDrop& dd = FGrid->DragDropService();
    if (FGrid->DragDropSettings()->ShowCells()) {
        if (dd.FCellImage) {
            dd.FCellImage->SetLeft(p.X + 4);
            dd.FCellImage->SetTop(p.Y + 4);
        }
    } else if (THeaderDragButton* button = FGrid->HeaderDragButton()) {
        button->SetLeft(p.X);
        button->SetTop(p.Y - button->Height());
    }
}

void TGridDropSource::DragStopped()
{
    TASGDropSource::DragStopped();
    TZvGridDragDrop& dd = FGrid->DragDropService();
    if (FGrid->DragDropSettings()->ShowCells()) {
        delete dd.FCellImage;
        dd.FCellImage = nullptr;
    }
}

void TZvStringGrid::ShowHeaderDragPicture(int ACol, TPoint ScreenPt)
{
    THeaderDragButton* button = HeaderDragButton();
    if (!button || ACol < 0 || ACol >= ColCount() || FixedRows() == 0) return;
    const TRect r = CellRect(ACol, 0);
    if (!button->Visible()) {
        button->SetCaption(GetCellEx(RealColIndex(ACol), 0));
        button->SetBounds(ScreenPt.X, ScreenPt.Y - (r.Bottom - r.Top), r.Right - r.Left, r.Bottom - r.Top);
        button->SetVisible(true);
        return;
    }
    button->SetLeft(ScreenPt.X);
    button->SetTop(ScreenPt.Y - button->Height());
}

// ---- The drag start ---------------------------------------------------------------------------------------------

// The pressed selection leaves by drag once the pointer moved more than 3
// pixels with the button held; the release then no longer selects the cell.
bool TZvStringGrid::OleDragOnMove(TShiftState Shift, int X, int Y)
{
    if (!d->FSelectionClick || !Shift.Contains(ssLeft)) return false;
    if (std::abs(X - d->FPressPos.X) <= 3 && std::abs(Y - d->FPressPos.Y) <= 3) return false;
    d->FSelectionClick = false;
    int c = -1, r = -1;
    MouseToCell(d->FPressPos.X, d->FPressPos.Y, c, r);
    OleDragStart(c, r);
    return true;
}

void TZvStringGrid::OleDragStart(int ACol, int ARow)
{
    TZvGridDragDrop& dd = DragDropService();
    TDragDropSettings* s = dd.FDragDropSettings.get();
    if (dd.FDragging) return;
    const TGridRect sel = Selection();
    const String text = RectToClipboardText(sel, false);
    bool allow = true;
    if (OnOleDrag) OnOleDrag(this, ARow, ACol, text, allow);
    if (!allow) return;
    TGridDropSource source(this);
    if (OnOleDragStart) OnOleDragStart(this, ARow, ACol);
    FireStartBlockFocus(ACol, ARow);
    dd.FDragging = true;
    dd.FDroppedOnSelf = {-1, -1, -1, -1};
    const TScopeExit done([&] {
        dd.FDragging = false;
        FireEndBlockFocus();
    });
    DWORD effect = DROPEFFECT_NONE;
    HRESULT answer = DRAGDROP_S_CANCEL;
    if (ARow >= 0 && ARow < FixedRows() && s->OleColumnDragDrop()) {
        if (HeaderDragButton()) HeaderDragButton()->SetVisible(false);
        ShowHeaderDragPicture(ACol, GetCursorPos());
        const TScopeExit hideButton([this] {
            if (HeaderDragButton()) HeaderDragButton()->SetVisible(false);
        });
        answer = BeginColumnDragOperation(&source, ACol, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    } else {
        dd.FDropSelection = sel;
        if (s->ShowCells()) {
            delete dd.FCellImage;
            dd.FCellImage = SelectionToForm(sel);
            dd.FCellImage->Show();
        }
        const String rtf = ACol >= 0 && ARow >= 0 ? GetCellEx(RealColIndex(ACol), ARow) : String();
        std::unique_ptr<QBuffer> cells;
        if (d->FNavigation->AllowFmtClipboard()) {
            cells = std::make_unique<QBuffer>();
            cells->open(QIODevice::WriteOnly);
            SaveRectToBinStream(TRect{sel.Left, sel.Top, sel.Right, sel.Bottom}, cells.get());
        }
        answer = BeginTextDragOperation(&source, text, rtf, effect, DROPEFFECT_COPY | DROPEFFECT_MOVE, cells.get());
        delete dd.FCellImage;
        dd.FCellImage = nullptr;
        if (answer == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE && !s->OleCopyAlways()) RemoveDraggedCells();
    }
    if (OnOleDragStop) OnOleDragStop(this, int(answer == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE));
}

// After a move: the dragged rows go with OleRemoveRows, else the dragged
// cells are emptied, all but those the drop itself filled in this grid.
void TZvStringGrid::RemoveDraggedCells()
{
    TZvGridDragDrop& dd = DragDropService();
    const TGridRect src = dd.FDropSelection;
    const TGridRect dropped = dd.FDroppedOnSelf;
    if (src.Left < 0 || src.Top < 0) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    if (dd.FDragDropSettings->OleRemoveRows()) {
        if (d->FMouseActions->DisjunctRowSelect() && GetRowSelectCount() > 0) {
            RemoveSelectedRows();
        } else {
            const int last = std::min(src.Bottom, RowCount() - 1);
            for (int r = last; r >= src.Top && r >= FixedRows(); --r) RemoveRows(r, 1);
        }
        return;
    }
    for (int r = src.Top; r <= src.Bottom; ++r)
        for (int c = src.Left; c <= src.Right; ++c) {
            if (dropped.Left >= 0 && PointInGridRect(c, r, dropped)) continue;
            if (TZvGridClipboard::MayTouch(*this, c, r)) SetCellEx(RealColIndex(c), r, String());
        }
    FireCellsChanged(TRect{RealColIndex(src.Left), src.Top, RealColIndex(src.Right), src.Bottom});
}
