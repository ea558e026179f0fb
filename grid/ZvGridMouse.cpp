// Mouse press rules for every kind of cell, selection by mouse, and the HTML
// form controls a press opens.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridSearch.h"

#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLRender.h"
#include "grid/support/ZvHTMLUtil.h"
#include "platform/Cursors.h"
#include "platform/ScopeGuard.h"
#include "platform/Seams.h"

#include <cmath>

namespace {

// Within 3 px of a header cell's left or right border.
bool NearVerticalBorder(const TRect& r, int X)
{
    return std::abs(X - r.Left) < 4 || std::abs(r.Right - X) < 4;
}

// "cell://" followed by R, a row number, C and a column number, in either case.
bool ParseCellLink(const String& link, int& ACol, int& ARow)
{
    const String up = link.toUpper();
    const int at = up.indexOf(QStringLiteral("CELL://"));
    if (at < 0) return false;
    const String rest = up.mid(at + 7);
    const int r = rest.indexOf(u'R');
    const int c = rest.indexOf(u'C');
    if (r < 0 || c < 0 || c < r) return false;
    bool okRow = false, okCol = false;
    ARow = rest.mid(r + 1, c - r - 1).toInt(&okRow);
    ACol = rest.mid(c + 1).toInt(&okCol);
    return okRow && okCol;
}

} // namespace

// Only web and mail links leave the program; plain paths, programs and
// other schemes in a cell text are never handed to the desktop.
bool TZvStringGrid::OpenCellLink(const String& Anchor)
{
    int c = 0, r = 0;
    if (ParseCellLink(Anchor, c, r)) {
        if (c >= 0 && c < ColCount() && r >= 0 && r < RowCount()) {
            JumpToCell(c, r);
            ScrollInView(c, r);
        }
        return true;
    }
    const String link = Anchor.trimmed();
    const String lower = link.toLower();
    if (lower.startsWith(QStringLiteral("http://")) || lower.startsWith(QStringLiteral("https://")) ||
        lower.startsWith(QStringLiteral("mailto:")))
        return OpenUrl(link);
    return false;
}

void TZvStringGrid::MouseWheelHook(TGridCoord&, bool&) {} // a descendant may redirect the wheel's target cell
void TZvStringGrid::SelectRangeHook(TGridRect&) {} // a descendant may change what the top-left click selects

void TZvStringGrid::ReplayPress(int X, int Y)
{
    MouseDown(TMouseButton::mbLeft, {}, X, Y);
}

void TZvStringGrid::ReplayClick(int X, int Y)
{
    MouseDown(TMouseButton::mbLeft, {}, X, Y);
    MouseUp(TMouseButton::mbLeft, {}, X, Y);
}

void TZvStringGrid::RadioGroupClick(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    const TPoint base = BaseCell(rc, ARow);
    TStringList* options = GetRadioStrings(base.X, base.Y);
    TCellGraphic* g = GetCellGraphic(base.X, base.Y);
    if (!options || !g) return;
    if (!IsFixed(ACol, ARow)) JumpToCell(RealToDisplayCol(base.X), base.Y);
    Canvas()->SetFont(Font());
    const int spacing =
        int(d->FControlLook->ControlStyle()) >= 2 ? 16 : d->FControlLook->RadioSize();
    const bool horizontal = g->CellBoolean();
    int pos = 0;
    for (int i = 0; i < options->Count(); ++i) {
        const int extent = horizontal ? Canvas()->TextWidth(options->Strings(i)) + spacing
                                      : std::max(spacing, Canvas()->TextHeight(QStringLiteral("gh")));
        const int at = horizontal ? X : Y;
        if (at > pos && at < pos + extent) {
            SetRadioIdx(base.X, base.Y, i);
            RepaintCell(ACol, ARow);
            if (OnRadioClick) OnRadioClick(this, ACol, ARow, i);
            return;
        }
        pos += extent;
    }
}

void TZvStringGrid::ShowCellControl(int ACol, int ARow, int X, int Y)
{
    const String text = GetCellEx(RealColIndex(ACol), ARow);
    String value;
    if (!FindControlTag(text, d->FHTMLControlID, value)) return;
    const TControlTag tag = ParseControlTag(GetControlProp(text, d->FHTMLControlID));
    d->FHTMLControlType = tag.Type.toUpper();
    d->FHTMLControlCell = {ACol, ARow};
    const TRect r = CellRect(ACol, ARow);
    if (d->FHTMLControlType == QStringLiteral("COMBO") && d->FFormControlCombo) {
        d->FFormControlCombo->SetBounds(X - 1, Y + 4, r.Right - r.Left, d->FFormControlCombo->Height());
        d->FFormControlCombo->SetText(value);
        d->FFormControlCombo->SetVisible(true);
        if (d->FFormControlCombo->CanFocus()) d->FFormControlCombo->SetFocus();
    } else if (d->FFormControlEdit) {
        d->FFormControlEdit->SetBounds(X + 1, Y + 8, r.Right - r.Left - 4, 14);
        d->FFormControlEdit->SetPasswordChar(d->FHTMLControlType == QStringLiteral("PASSWORD") ? QChar(u'*') : QChar());
        d->FFormControlEdit->SetText(value);
        d->FFormControlEdit->SetVisible(true);
        if (d->FFormControlEdit->CanFocus()) d->FFormControlEdit->SetFocus();
    }
    d->FHTMLControlEditing = true;
}

String TZvStringGrid::CellControlID() const { return d->FHTMLControlID; }

void TZvStringGrid::CellControlExit(TObject*)
{
    if (!d->FHTMLControlEditing) return;
    d->FHTMLControlEditing = false;
    const bool combo = d->FHTMLControlType == QStringLiteral("COMBO");
    const String value = combo ? (d->FFormControlCombo ? d->FFormControlCombo->Text() : String())
                               : (d->FFormControlEdit ? d->FFormControlEdit->Text() : String());
    const int rc = RealColIndex(d->FHTMLControlCell.X);
    String text = GetCellEx(rc, d->FHTMLControlCell.Y);
    if (SetControlValue(text, d->FHTMLControlID, value)) SetCellEx(rc, d->FHTMLControlCell.Y, text);
    if (combo && d->FFormControlCombo) d->FFormControlCombo->SetVisible(false);
    if (!combo && d->FFormControlEdit) d->FFormControlEdit->SetVisible(false);
    if (OnControlEditDone)
        OnControlEditDone(this, d->FHTMLControlCell.Y, rc, d->FHTMLControlID, d->FHTMLControlType, value);
    d->FHTMLControlType.clear();
}

void TZvStringGrid::CellControlComboSelect(TObject*)
{
    if (OnControlComboSelect && d->FFormControlCombo)
        OnControlComboSelect(this, d->FHTMLControlCell.Y, RealColIndex(d->FHTMLControlCell.X),
                             d->FFormControlCombo->ItemIndex(), d->FHTMLControlID, d->FFormControlCombo->Text());
}

bool TZvStringGrid::IsHoverFixedCell(int ACol, int ARow)
{
    const bool fixedCol = ACol < FixedCols();
    const bool fixedRow = ARow < FixedRows();
    switch (d->FHoverFixedCells) {
    case THoverFixedCells::hfAll: return fixedCol || fixedRow;
    case THoverFixedCells::hfFixedRows: return fixedRow;
    case THoverFixedCells::hfFixedColumns: return fixedCol;
    default: return false;
    }
}

void TZvStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    MouseDownHook(Button, Shift, X, Y);
}

void TZvStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    MouseMoveHook(Shift, X, Y);
}

void TZvStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    MouseUpHook(Button, Shift, X, Y);
}

bool TZvStringGrid::SizingStateHook(int X, int Y)
{
    int index = 0, pos = 0;
    return (Options().Contains(goColSizing) && IsColSizingPoint(X, Y, index, pos)) ||
           (Options().Contains(goRowSizing) && IsRowSizingPoint(X, Y, index, pos));
}

// The base grid has shown the split cursors over a sizing border; elsewhere a selection
// mode shows its own cursor, and over a cell the application may choose one.
void TZvStringGrid::PointerCursorHook(int X, int Y)
{
    if (GridState() != gsNormal || SizingStateHook(X, Y)) return;
    switch (d->FMouseSelectMode) {
    case TMouseSelectMode::msColumn: ShowCursorNow(this, crUpArrow); return;
    case TMouseSelectMode::msRow: ShowCursorNow(this, crHandPoint); return;
    case TMouseSelectMode::msAll:
    case TMouseSelectMode::msResize: ShowCursorNow(this, crCross); return;
    default: break;
    }
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= 0 && cell.Y >= 0) FireGetCellCursor(RealColIndex(cell.X), cell.Y, X, Y);
}

// ---- Left button down ---------------------------------------------------------------------------------

// A left press on a cell, as the press's steps see it.
struct TCellPress {
    TGridCoord Cell;         // displayed column, row: the base cell of a merge
    int RCol = 0;            // its real column
    int X = 0, Y = 0;        // the press, moved into a merged cell's base cell
    TRect CellRect;
    TGridRect SelBefore;     // the selection before the press
    TShiftState Shift;
    bool FixedCell = false;  // in the fixed rows or columns
    bool FixedByRule = false; // fixed by the cell queries
    bool EditAllowed = false;
    bool RangeEdit = false;
    bool ComboCell = false;  // with its drop-down button always shown
    bool DirectEdit = false;
    bool SecondClick = false; // on the cell that alone was selected
};

void TZvStringGrid::LButtonDownMessageHook(TWMMouse& Message)
{
    TCellPress p;
    p.X = Message.XPos();
    p.Y = Message.YPos();
    d->FClickPending = true;
    d->FMouseDownMove = true;
    d->FMouseKeepDown = true;
    d->FSpinUp = false;
    d->FSpinDown = false;
    TGridCoord cell = MouseCoord(p.X, p.Y);
    p.SelBefore = Selection();
    const bool editing = Options().Contains(goEditing);
    p.RangeEdit = d->FMouseActions->RangeSelectAndEdit();

    if (d->FSelectionResizer && d->FSelectionRectangle && OnResizeHandle(p.X, p.Y) &&
        PressResizeGrip(Message, cell, true))
        return;

    if (editing && p.RangeEdit && !PointInGridRect(cell.X, cell.Y, p.SelBefore)) SetOptions(Options() - goEditing);

    if (OnCanClickCell && cell.X >= 0 && cell.Y >= 0) {
        bool allow = true;
        OnCanClickCell(this, cell.Y, cell.X, allow);
        if (!allow) return;
    }

    if (d->FMouseSelectMode == TMouseSelectMode::msResize && PressResizeGrip(Message, cell, false)) return;

    if (GetKeyState(VK_MENU) < 0) p.Shift.Include(ssAlt);
    else if (GetKeyState(VK_SHIFT) < 0) p.Shift.Include(ssShift);
    else if (GetKeyState(VK_CONTROL) < 0) p.Shift.Include(ssCtrl);

    if (d->FMouseActions->DisjunctCellSelect() && !p.Shift.Contains(ssCtrl) && cell.X >= FixedCols() &&
        cell.Y >= FixedRows()) {
        d->FSelectedCells->Clear();
        Invalidate();
    }

    SearchService().FIncrSearchText.clear();
    d->FSelectionClick = false;
    d->FPushedCellButton = {-1, -1};
    d->FSavedScrollPos = {LeftCol(), TopRow()};
    d->FOldKeepLeftCol = LeftCol();
    d->FMoveColInd = -1;
    d->FMoveRowInd = -1;
    d->FDragScrolledUp = false;
    {
        const int px = cell.Y == 0 ? p.X : p.X - 5;
        const int py = cell.X == 0 && cell.Y != 0 ? p.Y - 4 : (cell.Y == 0 ? p.Y : p.Y - 4);
        d->FSizingCell = MouseCoord(px, py);
        if (d->FSizingCell.X >= 0 && d->FSizingCell.Y >= 0) {
            d->FSizingColWidth = ColWidths(d->FSizingCell.X);
            d->FSizingRowHeight = RowHeights(d->FSizingCell.Y);
        }
    }
    d->FPressPos = {p.X, p.Y};

    if (cell.X < 0 || cell.Y < 0) {
        HideInplaceEdit();
        if (!d->FFixedRowAlways) TBaseGrid::WndProc(Message.Message);
        return;
    }

    {
        const TPoint b = BaseCell(RealColIndex(cell.X), cell.Y);
        cell = {RealToDisplayCol(b.X), b.Y};
    }
    p.Cell = cell;
    p.RCol = RealColIndex(cell.X);
    const int rc = p.RCol;
    d->FCaretPositioning = d->FMouseActions->CaretPositioning();
    if (PressFixedSizing(p.X, p.Y)) return;
    p.FixedCell = cell.X < FixedCols() || cell.Y < FixedRows();
    p.FixedByRule = !p.FixedCell && IsFixed(cell.X, cell.Y);
    if (p.FixedCell || p.FixedByRule) HideInplaceEdit();
    p.CellRect = CellRect(cell.X, cell.Y);
    PressFixedButtonLook(p);

    if (d->FControlLook->SpinButtonsAlwaysVisible() && QueryHasSpinEdit(rc, cell.Y) && p.X >= p.CellRect.Right - 18) {
        if (p.Y > (p.CellRect.Top + p.CellRect.Bottom) / 2) d->FSpinDown = true;
        else d->FSpinUp = true;
    }

    p.EditAllowed = Options().Contains(goEditing) || p.RangeEdit;
    QueryCellEditable(rc, cell.Y, p.EditAllowed);

    if (PressNodeGlyph(p)) return;
    if (PressOleDragStart(p)) return;
    if (PressCellWidget(p)) return;

    if (IsMergedCell(rc, cell.Y) && !p.FixedCell && !OnMouseDown) {
        p.X = p.CellRect.Left + 2;
        Message.SetPos({p.X, p.CellRect.Top + 2});
    }

    if (cell.X >= ColCount() || cell.Y >= RowCount()) {
        TBaseGrid::WndProc(Message.Message);
        return;
    }
    if (d->FSizingCell.X >= 0 && d->FSizingCell.Y >= 0) {
        const TRect sized = CellRect(d->FSizingCell.X, d->FSizingCell.Y);
        d->FPressCornerDist = {p.X - sized.Right, p.Y - sized.Bottom};
    }

    if (PressDisjunctRowsCols(Message, p)) return;
    if (PressCellLink(p)) return;

    d->FMoveIndex = -1;
    if (p.FixedCell) PressFixedCell(p);
    d->FPressOffset = {p.X - p.CellRect.Left, p.Y - p.CellRect.Top};

    if (PressCellCheck(p)) return;

    p.ComboCell = d->FControlLook->DropDownAlwaysVisible() && !p.FixedCell && QueryHasComboBox(rc, cell.Y);
    p.DirectEdit = d->FMouseActions->DirectEdit() || p.ComboCell;
    if ((p.EditAllowed || (d->FMouseActions->EditOnDblClickOnly() && p.ComboCell)) && p.DirectEdit) {
        HideInplaceEdit();
        if (CanFocus()) SetFocus();
    }

    const TGridRect& before = p.SelBefore;
    p.SecondClick = before.Left == cell.X && before.Right == cell.X && before.Top == cell.Y && before.Bottom == cell.Y;
    bool editingOff = false;
    if (!p.SecondClick && p.RangeEdit && !p.FixedCell && !p.EditAllowed) {
        SetOptions(Options() - goEditing);
        editingOff = true;
    }

    if (p.FixedByRule) {
        const bool footerRow = d->FFloatingFooter->Visible() && cell.Y == RowCount() - 1 &&
                               d->FFloatingFooter->FooterStyle() == TFooterStyle::fsFixedLastRow;
        if (!footerRow && OnClickCell) OnClickCell(this, cell.Y, cell.X);
        return;
    }

    // Raised before the press may open an editor, which reads it as it takes the focus;
    // a press that opened none leaves it down.
    const bool wasEditing = d->FInEditMode;
    d->FLButFlg = true;
    PressSelectCell(Message, p);
    PressEditCell(p);
    if (wasEditing || !d->FInEditMode) d->FLButFlg = false;

    if (editingOff) FGridState = gsSelecting;
}

// A press on the selection's resize grip copies the selection, so that the
// release can fill the resized one; the cursor stays where it was.
bool TZvStringGrid::PressResizeGrip(TWMMouse& Message, const TGridCoord& Cell, bool Inherit)
{
    (void)Cell;
    const TGridRect sel = Selection();
    const TGridCoord current{Col(), Row()};
    if (Inherit) FGridState = gsSelecting;
    d->FResizeSelection = sel;
    CopySelectionToClipboard();
    d->FMouseResize = true;
    if (!Inherit) return true;
    if (!Options().Contains(goEditing) && !d->FMouseActions->RangeSelectAndEdit()) TBaseGrid::WndProc(Message.Message);
    SetSelection(sel);
    d->FForceSelect = true;
    const TScopeExit forced([this] { d->FForceSelect = false; });
    TBaseGrid::FocusCell(current.X, current.Y, false);
    SetSelection(sel);
    MouseMove(KeyboardStateToShiftState(), Message.XPos(), Message.YPos());
    Message.Result = 1;
    return true;
}

// A press on a fixed column's right border (or a fixed row's bottom one)
// that the pointer was flagged over starts sizing it.
bool TZvStringGrid::PressFixedSizing(int X, int Y)
{
    if (d->FDesignTime) return false;
    // The move that flagged the border left the index of its column or row.
    if (d->FFixedSizingHover && d->FFixedSizingIndex >= 0) {
        d->FFixedSizing = true;
        d->FFixedSizingStart = X;
        DrawFixedSizingLine(true, X);
        return true;
    }
    if (d->FFixedRowSizingHover && d->FFixedRowSizingIndex >= 0) {
        d->FFixedRowSizing = true;
        DrawFixedSizingLine(false, Y);
        return true;
    }
    return false;
}

// With FixedAsButtons a pressed fixed cell is drawn sunken until the release.
void TZvStringGrid::PressFixedButtonLook(const TCellPress& p)
{
    if (!d->FFixedAsButtons || !Options().Contains(goFixedVertLine) || !Options().Contains(goFixedHorzLine)) return;
    if (!p.FixedCell && !p.FixedByRule) return;
    const TGridCoord cell = p.Cell;
    if (cell.X == 0 && IsNode(RealRowIndex(cell.Y)) && IsInNodeButton(cell.Y, p.X)) return;
    d->FPushedFixed = true;
    d->FPushedFixedRect = p.CellRect;
    d->FPushedCellButton = cell;
    RepaintCell(cell.X, cell.Y);
}

// Column 0 of a grid with nodes: the glyph expands or contracts the node (in
// a header: all nodes); elsewhere in the column the press only reports itself.
bool TZvStringGrid::PressNodeGlyph(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    if (cell.X != 0 || !HasNodes()) return false;
    const int rr = RealRowIndex(cell.Y);
    if (cell.Y < FixedRows()) {
        if (!IsNode(rr) || !IsInNodeButton(cell.Y, p.X) || !d->FMouseActions->NodeAllExpandContract()) return false;
        if (GetNodeState(rr)) ExpandAll();
        else ContractAll();
        SetNodeState(rr, !GetNodeState(rr));
        return true;
    }
    if (IsNode(rr) && IsInNodeButton(cell.Y, p.X)) {
        if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, p.Shift, p.X, p.Y);
        if (OnClickCell) OnClickCell(this, cell.Y, cell.X);
        bool allow = true;
        if (GetNodeState(rr)) {
            if (OnBeforeExpandNode) OnBeforeExpandNode(this, cell.Y, rr, allow);
            if (allow) {
                ExpandNode(rr);
                if (OnExpandNode) OnExpandNode(this, cell.Y, rr);
            }
        } else {
            if (OnBeforeContractNode) OnBeforeContractNode(this, cell.Y, rr, allow);
            if (allow) {
                ContractNode(rr);
                if (OnContractNode) OnContractNode(this, cell.Y, rr);
            }
        }
        if (d->FMouseActions->MoveRowOnNodeClick()) SetRow(DisplayedRowOfReal(rr));
        return true;
    }
    if (!d->FMouseActions->RowSelect() && !Options().Contains(goRowSizing)) {
        if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, p.Shift, p.X, p.Y);
        if (OnClickCell) OnClickCell(this, cell.Y, cell.X);
        return true;
    }
    return false;
}

// A press on a selected cell may start dragging it away; whether it does is
// decided when the pointer moves, and a release without a drag selects it.
bool TZvStringGrid::PressOleDragStart(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    if (!DragDropSettings() || !DragDropSettings()->OleDropSource() || Options().Contains(goEditing)) return false;
    const bool selected = PointInGridRect(cell.X, cell.Y, p.SelBefore) && !p.FixedCell;
    const bool header = cell.Y < FixedRows() && !d->FEnhRowColMove;
    if (!selected && !header) return false;
    if (HasButton(p.RCol, cell.Y) || HasCheckBox(p.RCol, cell.Y)) return false;
    if ((d->FMouseActions->ColSelect() || d->FMouseActions->AllSelect()) && cell.Y < FixedRows()) return false;
    if (Options().Contains(goColSizing) && !(p.X > p.CellRect.Left + 3 && p.X < p.CellRect.Right - 3)) return false;
    if (CanFocus()) SetFocus();
    if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, p.Shift, p.X, p.Y);
    d->FSelectionClick = true;
    if (OnClickCell) OnClickCell(this, cell.Y, cell.X);
    return true;
}

// Disjunct row and column selection: Shift extends, Ctrl (or the no-Ctrl
// mode) on a selected row or column marks it for deselecting at the release,
// a plain press starts a new selection.
bool TZvStringGrid::PressDisjunctRowsCols(TWMMouse& Message, const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    TMouseActions* ma = d->FMouseActions.get();
    const bool ctrlLike = p.Shift.Contains(ssCtrl) || GetKeyState(VK_CONTROL) < 0;
    if (ma->DisjunctRowSelect() && cell.Y >= FixedRows() && !(cell.X == 0 && ma->HotmailRowSelect())) {
        if (p.Shift.Contains(ssShift)) {
            TBaseGrid::WndProc(Message.Message);
            SetSelection(GridRect({cell.X, cell.Y}, {p.SelBefore.Left, p.SelBefore.Top}));
            return true;
        }
        const int key = ma->RowSelectPersistent() ? RealRowIndex(cell.Y) : cell.Y;
        if ((ctrlLike || ma->DisjunctRowSelectNoCtrl()) && GetRowSelect(key)) {
            d->FDeselect = true;
        } else if (!ctrlLike && !ma->DisjunctRowSelectNoCtrl()) {
            d->FMouseDown = true;
            if (!p.Shift.Contains(ssAlt)) ClearRowSelect();
        }
    }
    if (ma->DisjunctColSelect() && cell.X >= FixedCols()) {
        if (ctrlLike && GetColSelect(cell.X)) {
            d->FDeselect = true;
        } else if (!ctrlLike) {
            d->FMouseDown = true;
            ClearColSelect();
        }
    }
    return false;
}

// A radio group, a rating, a cell button or an expand button takes the press.
bool TZvStringGrid::PressCellWidget(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    const int rc = p.RCol;
    if (IsRadio(rc, cell.Y) && (p.EditAllowed || d->FControlLook->RadioAlwaysActive())) {
        HideInplaceEdit();
        RadioGroupClick(cell.X, cell.Y, p.X - p.CellRect.Left, p.Y - p.CellRect.Top);
        if (CanFocus()) SetFocus();
        return true;
    }

    if (HasRating(rc, cell.Y) && p.EditAllowed) {
        HideInplaceEdit();
        int value = ((p.X - p.CellRect.Left) / 9) / 2;
        if (FireRatingChange(cell.X, cell.Y, value)) {
            SetFloats(rc, cell.Y, value);
            RepaintCell(cell.X, cell.Y);
        }
        return true;
    }

    if (HasButton(rc, cell.Y) || HasExpand(rc, cell.Y)) {
        HideInplaceEdit();
        if (!p.FixedCell && !p.FixedByRule) {
            d->FForceSelect = true;
            JumpToCell(cell.X, cell.Y);
            d->FForceSelect = false;
        }
        // The button's rectangle and look are asked by displayed column, the expand glyph's by real one.
        const TRect btn = HasButton(rc, cell.Y) ? CellButtonRect(cell.X, cell.Y) : ExpandButtonRect(rc, cell.Y);
        if (p.X >= btn.Left && p.X < btn.Right && p.Y >= btn.Top && p.Y < btn.Bottom) {
            if (HasButton(rc, cell.Y)) PushButton(cell.X, cell.Y, true);
            d->FPushedCellButton = cell;
            SetMouseCapture(true);
            if (OnClickCell) OnClickCell(this, cell.Y, cell.X);
            return true;
        }
    }
    return false;
}

// Links in the cell: a plain URL text, or an anchor or a form control of its markup.
bool TZvStringGrid::PressCellLink(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    const int rc = p.RCol;
    const String text = GetCellEx(rc, cell.Y);
    const bool html = d->FEnableHTML && CellTextKind(text, true) == ctHTML;
    if (!d->FURLShow && !html) return false;
    String anchor;
    THTMLDrawResult hit;
    if (!html && d->FURLShow && IsURLText(text)) anchor = text;
    else if (html && HitTestMarkup(cell.X, cell.Y, p.X, p.Y, hit)) anchor = hit.AnchorVal;
    if (!anchor.isEmpty()) {
        bool autoHandle = true;
        const bool control = anchor == QStringLiteral("ctrl");
        bool canEdit = control && (Options().Contains(goEditing) || p.RangeEdit) && !GetReadOnly(rc, cell.Y);
        if (control) FireCanEditCell(rc, cell.Y, canEdit);
        if (canEdit) {
            PressCellControl(cell.X, cell.Y, hit);
            autoHandle = false;
        } else if (OnAnchorClick) {
            OnAnchorClick(this, cell.Y, cell.X, anchor, autoHandle);
        }
        if (autoHandle && !control) OpenCellLink(anchor);
        return true;
    }
    if (html && text.toUpper().contains(QStringLiteral("<CONTROL"))) {
        if (OnClickCell) OnClickCell(this, cell.Y, cell.X);
        HideInplaceEdit();
        SetSelection({cell.X, cell.Y, cell.X, cell.Y});
        return true;
    }
    return false;
}

// From the fixed cells: the corner selects all, a row header rows, a column header columns; a header
// cell also becomes the one a move would take.
void TZvStringGrid::PressFixedCell(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    const TGridRect& selBefore = p.SelBefore;
    if (cell.X < FixedCols() && cell.Y < FixedRows() && d->FMouseActions->AllSelect() &&
        Options().Contains(goRangeSelect)) {
        if (CanFocus()) SetFocus();
        ExportNotification(TGridExportState::esExportStart, -1);
        ExportNotification(TGridExportState::esExportNewRow, RowCount() - 1);
        ExportNotification(TGridExportState::esExportDone, -1);
        TGridRect all{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        SelectRangeHook(all);
        SetSelection(all);
        ExitHook();
    } else if (cell.X < FixedCols() && cell.Y >= FixedRows() && d->FMouseActions->RowSelect()) {
        const int top = p.Shift.Contains(ssShift) ? selBefore.Top : cell.Y;
        SetSelection(GridRect({FixedCols(), top}, {ColCount() - 1, cell.Y}));
        d->FMouseSelectStart = cell.Y;
        ExitHook();
    } else if (cell.Y < FixedRows() && cell.X >= FixedCols() && d->FMouseActions->ColSelect() &&
               Options().Contains(goRangeSelect)) {
        int from = cell.X;
        if (p.Shift.Contains(ssShift)) from = cell.X < selBefore.Left ? selBefore.Right : selBefore.Left;
        SetSelection(GridRect({from, FixedRows()}, {cell.X, RowCount() - 1}));
        d->FMouseSelectStart = cell.X;
        ExitHook();
    }
    if (cell.Y < FixedRows() && cell.X >= FixedCols()) d->FMoveIndex = cell.X;
    else if (cell.X < FixedCols() && cell.Y >= FixedRows()) d->FMoveIndex = cell.Y;
}

// A check box or radio button under the press toggles (in a header, the whole column's follow).
bool TZvStringGrid::PressCellCheck(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    const int rc = p.RCol;
    if (!((p.EditAllowed || d->FControlLook->CheckAlwaysActive()) &&
          (HasCheckBox(rc, cell.Y) || HasRadioButton(rc, cell.Y)) && IsInCheckBox(rc, cell.Y, p.X, p.Y)))
        return false;
    HideInplaceEdit();
    if (CanFocus()) SetFocus();
    const bool radio = HasRadioButton(rc, cell.Y);
    if (radio) {
        SelectCellRadioButton(rc, cell.Y, true);
        if (OnRadioButtonClick) OnRadioButtonClick(this, cell.X, cell.Y);
    } else {
        ToggleCellCheckBox(rc, cell.Y, true);
    }
    if (d->FShowModified->Enabled()) {
        SetRowModified(cell.Y, true);
        RepaintCell(0, cell.Y);
    }
    bool state = false;
    GetCheckBoxState(rc, RealRowIndex(cell.Y), state);
    if (!d->FNavigation->AlwaysEdit() && !p.FixedCell) TBaseGrid::FocusCell(cell.X, cell.Y, true);
    if (!radio) FireCheckBoxClick(cell.X, cell.Y, state);
    if (d->FHideFocusRect) RepaintCell(cell.X, cell.Y);
    if (cell.Y < FixedRows() && d->FMouseActions->CheckAllCheck()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (HasCheckBox(rc, r)) SetCheckBoxState(rc, r, state);
        Invalidate();
    }
    if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, KeyboardStateToShiftState(), p.X, p.Y);
    Click();
    return true;
}

// The platform grid's own press selects the cell; the view keeps its place where the options ask.
void TZvStringGrid::PressSelectCell(TWMMouse& Message, const TCellPress& p)
{
    const bool keepLeft = Options().Contains(goRowSelect) && d->FNavigation->KeepHorizScroll();
    const int leftBefore = LeftCol();
    const int topBefore = TopRow();
    if (keepLeft) BeginUpdate();
    const bool alwaysEdit = d->FNavigation->AlwaysEdit();
    d->FNavigation->SetAlwaysEdit(false);
    TBaseGrid::WndProc(Message.Message);
    d->FNavigation->SetAlwaysEdit(alwaysEdit);
    if (keepLeft) {
        SetLeftCol(leftBefore);
        EndUpdate();
    }
    if (TopRow() != topBefore && d->FMouseActions->NoScrollOnPartialRow()) SetTopRow(topBefore);

    const TGridCoord cell = p.Cell;
    if (!(cell.Y < FixedRows() && Options().Contains(goColSizing) && NearVerticalBorder(p.CellRect, p.X)) &&
        OnClickCell)
        OnClickCell(this, cell.Y, cell.X);
}

// After the selection: the editor opens on a merged cell clicked again, or at once where editing is direct.
void TZvStringGrid::PressEditCell(const TCellPress& p)
{
    const TGridCoord cell = p.Cell;
    const int rc = p.RCol;
    if (OnCellValidate) RememberOldCell(cell.X, cell.Y);

    if (IsMergedCell(rc, cell.Y) && !p.FixedCell && p.EditAllowed && (p.SecondClick || d->FMouseActions->DirectEdit()))
        ShowInplaceEdit();

    const bool dblClickCombo = d->FMouseActions->EditOnDblClickOnly() && p.ComboCell;
    if (p.DirectEdit && !p.FixedCell && (p.EditAllowed || dblClickCombo) && p.X > p.CellRect.Left + 3 &&
        p.X < p.CellRect.Right - 3 && !IsCheckOrButtonCell(rc, cell.Y)) {
        if (dblClickCombo) {
            SetOptions(Options() + goEditing);
            if (CanFocus()) SetFocus();
        }
        bool allow = true;
        if (cell.Y != Row() && OnRowChanging) OnRowChanging(this, Row(), cell.Y, allow);
        if (cell.X != Col() && OnColChanging) OnColChanging(this, Col(), cell.X, allow);
        if ((cell.X != Col() || cell.Y != Row()) && OnCellChanging)
            OnCellChanging(this, Row(), Col(), cell.Y, cell.X, allow);
        if (allow) {
            JumpToCell(cell.X, cell.Y);
            RememberOldCell(cell.X, cell.Y);
            ShowInplaceEdit();
        }
    }
}

// What of the cell's markup lies under a client point: an anchor's HREF, or
// "ctrl" with the form control's ID, type, value and rectangle. The markup is
// laid out in the rectangle the painter gives it, with the cell's font, so a
// press lands on what the user sees there.
bool TZvStringGrid::HitTestMarkup(int ACol, int ARow, int X, int Y, THTMLDrawResult& Result)
{
    const int RCol = RealColIndex(ACol);
    const String text = GetCellEx(RCol, ARow);
    TRect r = CellRect(ACol, ARow);
    if (r.Width() <= 0 || r.Height() <= 0) return false;
    if (IsFixed(ACol, ARow)) {
        r.Left += GridLineWidth();
        r.Top += GridLineWidth();
    }
    int scrollPos = 0;
    if (GetCellType(RCol, ARow) == TCellType::ctScrollbar) {
        scrollPos = GetScrollPosition(RCol, ARow);
        r.Right -= 16;
    }
    r.Left += d->FXYOffset.X;
    r.Top += d->FXYOffset.Y - scrollPos;
    if (!d->FXYOffsetTopLeftOnly) r.Right -= d->FXYOffset.X;
    r.Left -= 1;
    if (HasCheckBox(RCol, ARow) || HasDataCheckBox(RCol, ARow)) r.Left += ControlLook()->CheckSize();
    if (ARow == FilterService().FFilterDropDownRow && QueryColumnFilter(RCol)) r.Right -= 18;

    TCanvas& canvas = *Canvas();
    TBrush brush;
    TGridDrawState state;
    GetFontProperties(ACol, RCol, false, &brush, canvas.Font(), state, ARow);
    if (d->FZoomFactor != 0) canvas.Font()->SetSize(canvas.Font()->Size() + d->FZoomFactor);
    THTMLDrawParams params = CellMarkupParams();
    params.XPos = X;
    params.YPos = Y;
    params.CheckHotSpot = true;
    Result = THTMLDrawResult{};
    return DrawHTMLText(canvas, text, r, params, Result) && !Result.AnchorVal.isEmpty();
}

// A press on an editable form control of the cell's markup: buttons go down,
// check boxes and radio buttons change their value, text controls open.
void TZvStringGrid::PressCellControl(int ACol, int ARow, const THTMLDrawResult& Hit)
{
    const int rc = RealColIndex(ACol);
    if (d->FHTMLControlEditing) CellControlExit(this);
    String text = GetCellEx(rc, ARow);
    const String type = Hit.ControlType.toUpper();
    String value = Hit.ControlValue;
    d->FHTMLControlID = Hit.ControlID;
    if (type == QStringLiteral("BUTTON")) {
        d->FHTMLButtonDown = true;
        d->FHTMLButtonCell = {ACol, ARow};
        RepaintCell(ACol, ARow);
    } else if (type == QStringLiteral("CHECK")) {
        FindControlTag(text, Hit.ControlID, value);
        value = value.toUpper() == QStringLiteral("TRUE") ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
        if (SetControlValue(text, Hit.ControlID, value)) SetCellEx(rc, ARow, text);
    } else if (type == QStringLiteral("RADIO")) {
        text = ClearRadioControls(text);
        value = QStringLiteral("TRUE");
        if (SetControlValue(text, Hit.ControlID, value)) SetCellEx(rc, ARow, text);
    }
    if (OnControlClick) OnControlClick(this, ARow, ACol, Hit.ControlID, type, value);
    if (type == QStringLiteral("EDIT") || type == QStringLiteral("PASSWORD") || type == QStringLiteral("MASK") ||
        type == QStringLiteral("COMBO"))
        ShowCellControl(ACol, ARow, Hit.ControlRect.Left, Hit.ControlRect.Top);
}

