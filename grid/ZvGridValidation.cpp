// Validating an edited cell before the grid moves on, the selection hook
// that guards every change of the current cell and switches editing per
// cell, the change notifiers, and the grid's own enter, exit and click.

#include "grid/ZvGrid.h"
#include "grid/ZvGridBalloon.h"
#include "grid/ZvGridFocusWindow.h"
#include "grid/ZvGridPrivate.h"
#include "grid/editors/ZvCellEditor.h"
#include "grid/ZvStringGridCheck.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/panels/ZvGridPanels.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "platform/ScopeGuard.h"

#include <QWidget>

#include <algorithm>
#include <functional>

namespace {

// Puts a setting back however the scope is left, a raising handler included.
class TRestoreAdvance {
public:
    explicit TRestoreAdvance(TNavigation* Nav) : FNav(Nav), FWas(Nav->AdvanceOnEnter()) { FNav->SetAdvanceOnEnter(false); }
    ~TRestoreAdvance() { FNav->SetAdvanceOnEnter(FWas); }
    TRestoreAdvance(const TRestoreAdvance&) = delete;
    TRestoreAdvance& operator=(const TRestoreAdvance&) = delete;

private:
    TNavigation* FNav;
    bool FWas;
};

} // namespace

// ---- The cell under edit --------------------------------------------------------------------------
void TZvStringGrid::RememberOldCell(int ACol, int ARow)
{
    d->FOldCol = ACol;
    d->FOldRow = ARow;
    const int rc = RealColIndex(ACol);
    d->FOldCellText = GetGridCell(rc, ARow);
    d->FOldCellTextWide = GetWideCells(rc, ARow);
}

void TZvStringGrid::ReopenAfterRejection(int ACol, int ARow, const String& Value, bool ValueReplaced)
{
    HideEditor();
    SetCellEx(RealColIndex(ACol), ARow, Value);
    MoveColRow(ACol, ARow, true, true);
    d->FValidating = false;
    d->FEditing = true;
    ShowInplaceEdit();
    // The next show must load the text editor afresh when the grid did not land on the cell.
    if (!ValueReplaced && Col() != ACol) InvalidateEditor();
}

// An editor that ends its edit on losing the focus (the combo, the check box) is validated before
// the press that took the focus reaches the grid; the press must find the cursor held.
void TZvStringGrid::HoldCursorAfterRejection()
{
    QWidget* window = HandleAllocated() ? Handle() : nullptr;
    if (!window) return;
    d->FHoldCursor = true;
    QMetaObject::invokeMethod(window, [this] { d->FHoldCursor = false; }, Qt::QueuedConnection);
}

// The frame both validations share: only while an edit is in progress and no validation runs, the
// text checked only when it changed (or always validating), and the cell under edit remembered
// afresh however the check ends. False when no edit was in progress, which counts as accepted.
bool TZvStringGrid::RunValidation(const String& NewValue, const String& OldValue, bool& Valid,
                                  const std::function<void(int ACol, int ARow, bool& Valid)>& Check)
{
    Valid = true;
    if (!d->FEditing || d->FValidating) return false;
    d->FEditing = false;
    d->FValidating = true;
    FNewCellText = NewValue;
    const TScopeExit finish([this] {
        RememberOldCell(Col(), Row());
        d->FValidating = false;
    });
    if (NewValue != OldValue || d->FAlwaysValidate) Check(RealColIndex(d->FOldCol), d->FOldRow, Valid);
    return true;
}

bool TZvStringGrid::ValidateCell(const String& NewValue)
{
    bool accepted = true;
    const bool ran = RunValidation(NewValue, d->FOldCellText, accepted, [&](int col, int row, bool& valid) {
        const bool changed = NewValue != d->FOldCellText;
        String value = NewValue;
        {
            const TRestoreAdvance restore(d->FNavigation.get());
            if (d->FCellChecker && d->FCellChecker->AutoCorrect()) value = d->FCellChecker->Correct(col, row, value);
            if (OnCellValidate) OnCellValidate(this, col, row, value, valid);
            if (value != d->FOldCellText) {
                d->FGridModified = true;
                if (FixedCols() > 0) {
                    SetRowModified(row, true);
                    if (d->FShowModified->Enabled()) RepaintCell(0, row);
                }
            }
            if (valid) RecalcColumnFooter(col);
            if (d->FCellChecker && d->FCellChecker->AutoMarkError()) value = d->FCellChecker->MarkError(col, row, value);
            if (valid && UndoRedo()) UndoRedo()->RegisterChange(col, row, d->FOldCellText, value);
            if (valid && changed) FireCellsChanged(TRect{col, row, col, row});
            FNewCellText = value;
        }
        if (valid) {
            d->FHoldCursor = false;
            SetCellEx(col, row, value);
            const TPoint base = BaseCell(col, row);
            if (base.X != col || base.Y != row) SetCellEx(base.X, base.Y, value);
        } else {
            ++d->FRejections;
            d->FLastValidation = false;
            const bool replaced = value != NewValue;
            // A copy: hiding the editor on the way may move the remembered old text.
            const String restore = replaced ? value : d->FOldCellText;
            ReopenAfterRejection(d->FOldCol, row, restore, replaced);
            HoldCursorAfterRejection();
            ShowRejectionBalloon();
        }
        d->FOldCellText = GetGridCell(col, row);
    });
    if (ran && accepted && d->FFocusFrameWindow) d->FFocusFrameWindow->SetVisible(false);
    return accepted;
}

bool TZvStringGrid::ValidateCellWide(const String& NewValue)
{
    bool accepted = true;
    RunValidation(NewValue, d->FOldCellTextWide, accepted, [&](int col, int row, bool& valid) {
        String value = NewValue;
        RecalcColumnFooter(col);
        if (OnCellValidateWide) OnCellValidateWide(this, col, row, value, valid);
        const bool changed = NewValue != d->FOldCellTextWide;
        if (changed) {
            d->FGridModified = true;
            if (d->FShowModified->Enabled() && FixedCols() > 0) {
                SetRowModified(row, true);
                RepaintCell(0, row);
            }
        }
        if (valid && changed) FireCellsChanged(TRect{col, row, col, row});
        FNewCellText = value;
        if (valid) {
            d->FHoldCursor = false;
            SetCellEx(col, row, value);
        } else {
            ++d->FRejections;
            const bool replaced = value != NewValue;
            // A copy, as above.
            const String restore = replaced ? value : d->FOldCellTextWide;
            ReopenAfterRejection(d->FOldCol, row, restore, replaced);
            HoldCursorAfterRejection();
        }
        d->FOldCellTextWide = GetWideCells(col, row);
    });
    return accepted;
}

// The balloon of a rejected entry stands on the field that holds the text.
void TZvStringGrid::ShowRejectionBalloon()
{
    if (d->FInvalidEntryTitle.isEmpty() && d->FInvalidEntryText.isEmpty()) return;
    TWinControl* field = nullptr;
    if (!d->FSpecialEditor && d->FInEditMode) field = InplaceEditor();
    else field = d->FEditCtrl;
    if (!field || !field->HandleAllocated()) return;
    // Its own window, so that the cell balloons' tool is left as it is; owned by the grid.
    if (!d->FRejectionBalloon) d->FRejectionBalloon = new TGridBalloonWindow(this);
    d->FRejectionBalloon->Popup(field->ClientToScreen(TPoint{0, field->Height()}), d->FInvalidEntryTitle,
                             d->FInvalidEntryText, int(d->FInvalidEntryIcon));
}

// ---- Change notifiers -------------------------------------------------------------------------------
void TZvStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (std::find(d->FNotifiers.begin(), d->FNotifiers.end(), ANotifier) == d->FNotifiers.end())
        d->FNotifiers.push_back(ANotifier);
}

void TZvStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    d->FNotifiers.erase(std::remove(d->FNotifiers.begin(), d->FNotifiers.end(), ANotifier), d->FNotifiers.end());
}

// ---- The selection hook -----------------------------------------------------------------------------
bool TZvStringGrid::CellSelectHook(int ACol, int ARow)
{
    if (d->FHoldCursor) return false;
    // A forced move (a pressed cell button, Tab across a row end) skips the
    // editing and change rules; only the row indicators follow it.
    if (d->FForceSelect) {
        RepaintRowIndicators(Row(), ARow);
        return true;
    }
    if (!Parent()) return TBaseGrid::CellSelectHook(ACol, ARow);
    bool allowChange = true;
    bool answer = false;
    if (ACol < 0 || ARow < 0) return answer;
    const int rc = RealColIndex(ACol);
    d->FEditText = GetGridCell(rc, ARow);

    // A covered cell of a merge hands the selection to its base cell.
    if (!Options().Contains(goRangeSelect)) {
        const TPoint base = BaseCell(rc, ARow);
        if (base.X != rc || base.Y != ARow) {
            MoveColRow(DisplColIndex(base.X), base.Y, true, true);
            RepaintCell(DisplColIndex(base.X), base.Y);
            return false;
        }
    }
    if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;
    if (d->FUseEnabledRows && d->FNavigation->SkipDisabledRows() && !GetRowEnabled(ARow)) return false;

    const TGridCoord old{Col(), Row()};
    // A validation that rejects on the way (ending the open editor) keeps the grid where it is.
    const int rejections = d->FRejections;
    String newText = GetCellEx(rc, ARow);
    const bool editorFocused = InplaceEditor() && InplaceEditor()->Focused();

    if (IsCheckOrButtonCell(rc, ARow)) {
        bool editable = true;
        QueryCellEditable(rc, ARow, editable);
        const bool on = Options().Contains(goEditing) || d->FMouseActions->RangeSelectAndEdit();
        if (!d->FEditingDisabled) d->FEditingDisabled = !editable && on;
        if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && editable) {
            d->FEditChange = true;
            SetOptions(Options() + goEditing);
        }
    } else {
        bool editable = Options().Contains(goEditing) || d->FEditingDisabled;
        QueryCellEditable(rc, ARow, editable);
        if (d->FMouseActions->DirectEdit() && editable) {
            d->FCurrentEditor = d->FDefaultEditor;
            if (IsNoEditorCell(rc, ARow)) editable = false;
        }
        if (d->FMouseActions->EditOnDblClickOnly()) editable = false;
        if (editable) {
            d->FEditingDisabled = false;
            if (!Options().Contains(goEditing)) {
                d->FEditChange = true;
                if (!d->FEditing) RememberOldCell(ACol, ARow);
                if (Options().Contains(goRowSelect) && d->FMouseActions->RangeSelectAndEdit())
                    SetOptions(Options() - TGridOptions{goRowSelect});
                SetOptions(Options() + goEditing);
            }
            if (d->FEditing && d->FInEditMode) {
                HideInplaceEdit();
                newText = GetCellEx(rc, ARow);
            }
        } else {
            if (d->FEditing && d->FInEditMode) {
                HideInplaceEdit();
                newText = GetCellEx(rc, ARow);
            }
            if (Options().Contains(goEditing)) {
                d->FInEditMode = false;
                d->FEditingDisabled = true;
                d->FEditChange = true;
                SetOptions(Options() - TGridOptions{goEditing});
            }
        }
    }

    if (d->FRejections != rejections) return false;

    if (!d->FEditing || editorFocused) {
        allowChange = FireCellChanging(old.Y, old.X, ARow, ACol);
        bool fixed = IsFixed(ACol, ARow);
        if (fixed || !allowChange)
            answer = (allowChange && Options().Contains(goRowSelect)) ||
                     (d->FFixedRowAlways && RowCount() <= FixedRows());
        else
            answer = TBaseGrid::CellSelectHook(ACol, ARow);
    } else {
        const String saved = d->FCellCache;
        answer = ValidateCell(CurrentCell());
        allowChange = FireCellChanging(old.Y, old.X, ARow, ACol);
        if (!allowChange) answer = false;
        if (answer) answer = TBaseGrid::CellSelectHook(ACol, ARow);
        else newText = saved;
    }

    if (d->FISelect) d->FISelect->GridSelect(old.X, ARow);
    if (!d->FLoading && ARow != d->FPrevReportedRow) {
        if (OnRowUpdate) OnRowUpdate(this, d->FPrevReportedRow, ARow);
        d->FPrevReportedRow = ARow;
    }
    d->FCellCache = newText;
    return answer;
}

// ---- Enter, exit and click ------------------------------------------------------------------------------
void TZvStringGrid::DoEnter()
{
    if (d->FBlockFocus) return;
    const TScopeExit remember([this] { RememberOldCell(Col(), Row()); });
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || d->FMouseActions->RangeSelectAndEdit()) CellSelectHook(Col(), Row());
}

void TZvStringGrid::ExitHook()
{
    if (d->FBlockFocusKill) return;
    d->FSelChange = false;
    TBaseGrid::DoExit();
}

void TZvStringGrid::DoExit() { ExitHook(); }

bool TZvStringGrid::CurrentCellInView() const
{
    const bool colShown = Col() < FixedCols() || (Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount());
    const bool rowShown = Row() < FixedRows() || (Row() >= TopRow() && Row() < TopRow() + VisibleRowCount());
    return colShown && rowShown;
}

void TZvStringGrid::RepaintMergedCurrentCell()
{
    const int rc = RealColIndex(Col());
    if (!IsMergedCell(rc, Row())) return;
    const TPoint span = CellSpan(rc, Row());
    RepaintRect(TGridRect{Col(), Row(), Col() + span.X, Row() + span.Y});
}

void TZvStringGrid::SetFocusMessageHook(TWMSetFocus& Message)
{
    // The grid moving the focus itself is no user entering it. The flag
    // covers that one focus change: left set, it would silence every later one.
    if (d->InvokedFocusChange) {
        d->InvokedFocusChange = false;
        return;
    }
    TBaseGrid::WndProc(Message.Message);
    const int rc = RealColIndex(Col());
    if (HasCheckBox(rc, Row())) return;
    // A click back into the grid ends a rich-text edit still open.
    if (TZvCellEditor* rich = MadeCellEditor(TEditorType::edRichEdit); rich && rich->EditorControl()->Visible())
        HideInplaceEdit();

    bool editable = true;
    TInplaceEdit* editor = InplaceEditor();
    const bool moving = GridState() == gsRowMoving || GridState() == gsColMoving;
    if (editor) {
        const bool fromEditor =
            editor->HandleAllocated() && Message.FocusedWnd == WPARAM(static_cast<QWidget*>(editor->Handle()));
        if (!fromEditor && !moving && d->FNavigation->AlwaysEdit() && d->FCurrentEditor == TEditorType::edNormal &&
            CurrentCellInView()) {
            QueryCellEditable(rc, Row(), editable);
            if (editable) {
                ShowInplaceEdit();
                return;
            }
        }
    } else if (d->FNavigation->AlwaysEdit() && CurrentCellInView() && !d->FMouseActions->DirectEdit() &&
               !d->FControlLook->DropDownAlwaysVisible()) {
        QueryCellEditable(rc, Row(), editable);
        if (editable && QueryHasComboBox(rc, Row())) ShowInplaceEdit();
    }
    RepaintMergedCurrentCell();
}

void TZvStringGrid::KillFocusMessageHook(TWMKillFocus& Message)
{
    // Storing a special editor moves the focus for a moment: that is no leaving.
    if (d->FBlockFocusKill) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WndProc(Message.Message);
    RepaintMergedCurrentCell();
}

// Alt plus a search button's accelerator runs that button while the search bar shows.
void TZvStringGrid::DialogCharMessageHook(TCMDialogChar& Message)
{
    Message.Result = 0;
    if (!SearchFooter()->Visible() || !SearchPanel()) return;
    const QChar key(char16_t(Message.CharCode));
    const struct {
        const String& Caption;
        bool Shown;
        const TNotifyEvent& Action;
    } buttons[] = {
        {SearchFooter()->FindNextCaption(), SearchFooter()->ShowFindNext(), SearchPanel()->OnForwardClick},
        {SearchFooter()->FindPrevCaption(), SearchFooter()->ShowFindPrev(), SearchPanel()->OnBackwardClick},
        {SearchFooter()->HighLightCaption(), SearchFooter()->ShowHighLight(), SearchPanel()->OnHighlightClick},
    };
    for (const auto& b : buttons) {
        if (!b.Shown || !b.Action || !IsAccel(key, b.Caption)) continue;
        b.Action(SearchPanel());
        Message.Result = 1;
        return;
    }
}

void TZvStringGrid::Click()
{
    TBaseGrid::Click();
    d->FEntered = false;
    RememberOldCell(Col(), Row());
}

// ---- Small slots ------------------------------------------------------------------------------------------
void TZvStringGrid::FireStartBlockFocus(int ACol, int ARow)
{
    if (OnStartBlockFocus) OnStartBlockFocus(this, ACol, ARow);
}

void TZvStringGrid::FireEndBlockFocus()
{
    if (OnEndBlockFocus) OnEndBlockFocus(this);
}

void TZvStringGrid::ApplyStyleServiceColors() {} // the platform draws with its own style, never a named one
