// Row and column operations and cell access shared with the rest of the grid.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridLayout.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"

#include <algorithm>
#include <cmath>
#include <set>

// The search footer's settings go to the panel below the cells.
void TZvStringGrid::SearchFooterChanged()
{
    TSearchPanel* panel = SearchPanel();
    if (d->FLoading || !panel) return;
    const TSearchFooter& footer = *SearchFooter();
    panel->SetColor(footer.Color());
    panel->SetColorTo(footer.ColorTo());
    panel->Font()->Assign(footer.Font());
    panel->SetFindNextCaption(footer.FindNextCaption());
    panel->SetFindPrevCaption(footer.FindPrevCaption());
    panel->SetMatchCaseCaption(footer.MatchCaseCaption());
    panel->SetHighlightCaption(footer.HighLightCaption());
    panel->SetHints(footer.HintFindNext(), footer.HintFindPrev(), footer.HintClose(), footer.HintHighlight());
    panel->SetFlatButtons(ControlLook()->ControlStyle() != TGridControlStyle::csClassic);
    panel->ShowControls(footer.ShowFindNext(), footer.ShowFindPrev(), footer.ShowHighLight(), footer.ShowMatchCase(),
                        footer.ShowClose());
    panel->SetVisible(footer.Visible());
    // At the bottom (the panel is aligned there), a row's worth of buttons high.
    panel->SetHeight(footer.Visible() ? 32 : 0);
    if (footer.Visible()) ScrollLastRowClearOfSearchFooter();
}

// The merged-column list is a list for the application; the grid keeps nothing in step with it.
void TZvStringGrid::MergedColumnsChanged(TObject*, int, int) {}

// ---- Cells addressed by real row ----------------------------------------------------------------------
TGridItem* TZvStringGrid::HiddenRowItem(int ARealRow) const
{
    for (const auto& item : d->FGridItems)
        if (item->Idx() == ARealRow) return item.get();
    return nullptr;
}

// ---- Column calculations ---------------------------------------------------------------------------------
void TZvStringGrid::CalcRowRange(int& FromRow, int& ToRow) const
{
    if (FromRow == -1) FromRow = FixedRows();
    if (ToRow == -1) ToRow = RowCount() - 1 - d->FFixedFooters;
}

std::vector<double> TZvStringGrid::ColumnValues(int ACol, int FromRow, int ToRow)
{
    std::vector<double> values;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (!IsBaseCell(ACol, r)) continue;
        if (d->FIsGrouping && (IsNode(r) || IsSummary(r))) continue;
        try {
            values.push_back(GetFloats(ACol, r));
        } catch (const EZvGridError&) {
            // A cell that holds no number takes no part in the calculation.
        }
    }
    return values;
}

// ---- Rectangles and change notification ---------------------------------------------------------------------
void TZvStringGrid::RecalcColumnFooter(int ACol) { CalcFooter(ACol); }

void TZvStringGrid::RecalcAllFooters() { CalcFooter(-1); }

void TZvStringGrid::FireCellsChanged(TRect R)
{
    if (OnCellsChanged) OnCellsChanged(this, R);
    for (TGridChangeNotifier* notifier : d->FNotifiers) notifier->GridCellsChanged(R);
    RecalcAllFooters();
}

void TZvStringGrid::InitOrigColSizes()
{
    LayoutService().FColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c) LayoutService().FColSizes->Add(ColWidths(c));
    d->FOldWidth = Width();
}

// ---- Following the owner form's size ----------------------------------------------------------------------
void TZvStringGrid::SizeWithFormResize(TObject* Sender)
{
    if (d->FDesignTime || d->FDestroying) return;
    auto* form = dynamic_cast<TCustomForm*>(Sender);
    if (d->FSizeWithForm && form) {
        const int width = Width() + form->Width() - d->FFormWidth;
        const int height = Height() + form->Height() - d->FFormHeight;
        // A form shrunk past the grid leaves the grid as it was.
        if (width > 0 && height > 0) {
            SetBounds(Left(), Top(), width, height);
            d->FFormWidth = form->Width();
            d->FFormHeight = form->Height();
        }
    }
    DoStretchColumn(ColumnSize()->StretchColumn());
}

// ---- Accessors ----------------------------------------------------------------------------------------------
int TZvStringGrid::AllColCount() const { return ColCount() + d->FNumHidden; }
