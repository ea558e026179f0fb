// Validating an edited cell before the grid moves on, the selection hook
// that guards every change of the current cell and switches editing per
// cell, the change notifiers, and the grid's own enter, exit and click.

#include "grid/ZvGrid.h"
#include "grid/ZvGridBalloon.h"

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
    FOldCol = ACol;
    FOldRow = ARow;
    const int rc = RealColIndex(ACol);
    FOldCellText = GetGridCell(rc, ARow);
    FOldCellTextWide = GetWideCells(rc, ARow);
}

void TZvStringGrid::ReopenAfterRejection(int ACol, int ARow, const String& Value, bool ValueReplaced)
{
    HideEditor();
    SetCellEx(RealColIndex(ACol), ARow, Value);
    MoveColRow(ACol, ARow, true, true);
    FValidating = false;
    FEditing = true;
    ShowInplaceEdit();
    // The next show must load the text editor afresh when the grid did not land on the cell.
    if (!ValueReplaced && Col() != ACol) InvalidateEditor();
}

// The frame both validations share: only while an edit is in progress and no validation runs, the
// text checked only when it changed (or always validating), and the cell under edit remembered
// afresh however the check ends. False when no edit was in progress, which counts as accepted.
bool TZvStringGrid::RunValidation(const String& NewValue, const String& OldValue, bool& Valid,
                                  const std::function<void(int ACol, int ARow, bool& Valid)>& Check)
{
    Valid = true;
    if (!FEditing || FValidating) return false;
    FEditing = false;
    FValidating = true;
    FNewCellText = NewValue;
    const auto finish = [this] {
        RememberOldCell(Col(), Row());
        FValidating = false;
    };
    try {
        if (NewValue != OldValue || FAlwaysValidate) Check(RealColIndex(FOldCol), FOldRow, Valid);
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return true;
}

bool TZvStringGrid::ValidateCell(const String& NewValue)
{
    bool accepted = true;
    const bool ran = RunValidation(NewValue, FOldCellText, accepted, [&](int col, int row, bool& valid) {
        const bool changed = NewValue != FOldCellText;
        String value = NewValue;
        {
            const TRestoreAdvance restore(FNavigation.get());
            if (FCellChecker && FCellChecker->AutoCorrect()) value = FCellChecker->Correct(col, row, value);
            if (OnCellValidate) OnCellValidate(this, col, row, value, valid);
            if (value != FOldCellText) {
                FGridModified = true;
                if (FixedCols() > 0) {
                    SetRowModified(row, true);
                    if (FShowModified->Enabled()) RepaintCell(0, row);
                }
            }
            if (valid) RecalcColumnFooter(col);
            if (FCellChecker && FCellChecker->AutoMarkError()) value = FCellChecker->MarkError(col, row, value);
            if (valid && UndoRedo()) UndoRedo()->RegisterChange(col, row, FOldCellText, value);
            if (valid && changed) FireCellsChanged(TRect{col, row, col, row});
            FNewCellText = value;
        }
        if (valid) {
            SetCellEx(col, row, value);
            const TPoint base = BaseCell(col, row);
            if (base.X != col || base.Y != row) SetCellEx(base.X, base.Y, value);
        } else {
            ++FRejections;
            FLastValidation = false;
            const bool replaced = value != NewValue;
            // A copy: hiding the editor on the way may move the remembered old text.
            const String restore = replaced ? value : FOldCellText;
            ReopenAfterRejection(FOldCol, row, restore, replaced);
            ShowRejectionBalloon();
        }
        FOldCellText = GetGridCell(col, row);
    });
    if (ran && accepted && FFocusFrameWindow) FFocusFrameWindow->SetVisible(false);
    return accepted;
}

bool TZvStringGrid::ValidateCellWide(const String& NewValue)
{
    bool accepted = true;
    RunValidation(NewValue, FOldCellTextWide, accepted, [&](int col, int row, bool& valid) {
        String value = NewValue;
        RecalcColumnFooter(col);
        if (OnCellValidateWide) OnCellValidateWide(this, col, row, value, valid);
        const bool changed = NewValue != FOldCellTextWide;
        if (changed) {
            FGridModified = true;
            if (FShowModified->Enabled() && FixedCols() > 0) {
                SetRowModified(row, true);
                RepaintCell(0, row);
            }
        }
        if (valid && changed) FireCellsChanged(TRect{col, row, col, row});
        FNewCellText = value;
        if (valid) {
            SetCellEx(col, row, value);
        } else {
            ++FRejections;
            const bool replaced = value != NewValue;
            // A copy, as above.
            const String restore = replaced ? value : FOldCellTextWide;
            ReopenAfterRejection(FOldCol, row, restore, replaced);
        }
        FOldCellTextWide = GetWideCells(col, row);
    });
    return accepted;
}

// The balloon of a rejected entry stands on the field that holds the text.
void TZvStringGrid::ShowRejectionBalloon()
{
    if (FInvalidEntryTitle.isEmpty() && FInvalidEntryText.isEmpty()) return;
    TWinControl* field = nullptr;
    if (!FSpecialEditor && FInEditMode) field = InplaceEditor();
    else field = FEditCtrl;
    if (!field || !field->HandleAllocated()) return;
    // Its own window, so that the cell balloons' tool is left as it is; owned by the grid.
    if (!FRejectionBalloon) FRejectionBalloon = new TGridBalloonWindow(this);
    FRejectionBalloon->Popup(field->ClientToScreen(TPoint{0, field->Height()}), FInvalidEntryTitle,
                             FInvalidEntryText, int(FInvalidEntryIcon));
}

// ---- Change notifiers -------------------------------------------------------------------------------
void TZvStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (std::find(FNotifiers.begin(), FNotifiers.end(), ANotifier) == FNotifiers.end())
        FNotifiers.push_back(ANotifier);
}

void TZvStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    FNotifiers.erase(std::remove(FNotifiers.begin(), FNotifiers.end(), ANotifier), FNotifiers.end());
}

// ---- The selection hook -----------------------------------------------------------------------------
bool TZvStringGrid::CellSelectHook(int ACol, int ARow)
{
    if (!Parent()) return TBaseGrid::CellSelectHook(ACol, ARow);
    bool allowChange = true;
    bool answer = false;
    if (ACol < 0 || ARow < 0) return answer;
    const int rc = RealColIndex(ACol);
    FEditText = GetGridCell(rc, ARow);

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

    const TGridCoord old{Col(), Row()};
    // A validation that rejects on the way (ending the open editor) keeps the grid where it is.
    const int rejections = FRejections;
    String newText = GetCellEx(rc, ARow);
    const bool editorFocused = InplaceEditor() && InplaceEditor()->Focused();

    if (IsCheckOrButtonCell(rc, ARow)) {
        bool editable = true;
        QueryCellEditable(rc, ARow, editable);
        const bool on = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
        if (!FEditingDisabled) FEditingDisabled = !editable && on;
        if (!Options().Contains(goEditing) && !Options().Contains(goRowSelect) && editable) {
            FEditChange = true;
            SetOptions(Options() + goEditing);
        }
    } else {
        bool editable = Options().Contains(goEditing) || FEditingDisabled;
        QueryCellEditable(rc, ARow, editable);
        if (FMouseActions->DirectEdit() && editable) {
            FCurrentEditor = FDefaultEditor;
            if (IsNoEditorCell(rc, ARow)) editable = false;
        }
        if (FMouseActions->EditOnDblClickOnly()) editable = false;
        if (editable) {
            FEditingDisabled = false;
            if (!Options().Contains(goEditing)) {
                FEditChange = true;
                if (!FEditing) RememberOldCell(ACol, ARow);
                if (Options().Contains(goRowSelect) && FMouseActions->RangeSelectAndEdit())
                    SetOptions(Options() - TGridOptions{goRowSelect});
                SetOptions(Options() + goEditing);
            }
            if (FEditing && FInEditMode) {
                HideInplaceEdit();
                newText = GetCellEx(rc, ARow);
            }
        } else {
            if (FEditing && FInEditMode) {
                HideInplaceEdit();
                newText = GetCellEx(rc, ARow);
            }
            if (Options().Contains(goEditing)) {
                FInEditMode = false;
                FEditingDisabled = true;
                FEditChange = true;
                SetOptions(Options() - TGridOptions{goEditing});
            }
        }
    }

    if (FRejections != rejections) return false;

    if (!FEditing || editorFocused) {
        allowChange = FireCellChanging(old.Y, old.X, ARow, ACol);
        bool fixed = IsFixed(ACol, ARow);
        if (fixed || !allowChange)
            answer = (allowChange && Options().Contains(goRowSelect)) ||
                     (FFixedRowAlways && RowCount() <= FixedRows());
        else
            answer = TBaseGrid::CellSelectHook(ACol, ARow);
    } else {
        const String saved = FCellCache;
        answer = ValidateCell(CurrentCell());
        allowChange = FireCellChanging(old.Y, old.X, ARow, ACol);
        if (!allowChange) answer = false;
        if (answer) answer = TBaseGrid::CellSelectHook(ACol, ARow);
        else newText = saved;
    }

    if (FISelect) FISelect->GridSelect(old.X, ARow);
    if (!FLoading && ARow != FPrevReportedRow) {
        if (OnRowUpdate) OnRowUpdate(this, FPrevReportedRow, ARow);
        FPrevReportedRow = ARow;
    }
    FCellCache = newText;
    return answer;
}

// ---- Enter, exit and click ------------------------------------------------------------------------------
void TZvStringGrid::DoEnter()
{
    if (FBlockFocus) return;
    try {
        TBaseGrid::DoEnter();
        if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) CellSelectHook(Col(), Row());
    } catch (...) {
        RememberOldCell(Col(), Row());
        throw;
    }
    RememberOldCell(Col(), Row());
}

void TZvStringGrid::ExitHook()
{
    if (FBlockFocusKill) return;
    FSelChange = false;
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
    // The grid moving the focus itself is no user entering it.
    if (InvokedFocusChange) return;
    TBaseGrid::WndProc(Message.Message);
    const int rc = RealColIndex(Col());
    if (HasCheckBox(rc, Row())) return;

    bool editable = true;
    TInplaceEdit* editor = InplaceEditor();
    const bool moving = GridState() == gsRowMoving || GridState() == gsColMoving;
    if (editor) {
        const bool fromEditor =
            editor->HandleAllocated() && Message.FocusedWnd == WPARAM(static_cast<QWidget*>(editor->Handle()));
        if (!fromEditor && !moving && FNavigation->AlwaysEdit() && FCurrentEditor == TEditorType::edNormal &&
            CurrentCellInView()) {
            QueryCellEditable(rc, Row(), editable);
            if (editable) {
                ShowInplaceEdit();
                return;
            }
        }
    } else if (FNavigation->AlwaysEdit() && CurrentCellInView() && !FMouseActions->DirectEdit() &&
               !FControlLook->DropDownAlwaysVisible()) {
        QueryCellEditable(rc, Row(), editable);
        if (editable && QueryHasComboBox(rc, Row())) ShowInplaceEdit();
    }
    RepaintMergedCurrentCell();
}

void TZvStringGrid::KillFocusMessageHook(TWMKillFocus& Message)
{
    // Storing a special editor moves the focus for a moment: that is no leaving.
    if (FBlockFocusKill) {
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
    if (!FSearchFooter->Visible() || !FSearchPanel) return;
    const QChar key(char16_t(Message.CharCode));
    const struct {
        const String& Caption;
        bool Shown;
        const TNotifyEvent& Action;
    } buttons[] = {
        {FSearchFooter->FindNextCaption(), FSearchFooter->ShowFindNext(), FSearchPanel->OnForwardClick},
        {FSearchFooter->FindPrevCaption(), FSearchFooter->ShowFindPrev(), FSearchPanel->OnBackwardClick},
        {FSearchFooter->HighLightCaption(), FSearchFooter->ShowHighLight(), FSearchPanel->OnHighlightClick},
    };
    for (const auto& b : buttons) {
        if (!b.Shown || !b.Action || !IsAccel(key, b.Caption)) continue;
        b.Action(FSearchPanel);
        Message.Result = 1;
        return;
    }
}

void TZvStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
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
