// Window messages, update batching, timers and scrolling.

#include "grid/ZvGrid.h"

void TZvStringGrid::ConstrainColumnSize(int, int&) {}
void TZvStringGrid::ConstrainAutoColumnSize(int, int&) {}
void TZvStringGrid::SyncColumnHeaders() {}
void TZvStringGrid::FireScrollCell(int, int, int, int, int) {}
void TZvStringGrid::StartUpdate() {}
void TZvStringGrid::ResetUpdate() {}
void TZvStringGrid::DoStretchColumn(int) {}
void TZvStringGrid::StretchRightColumn() {}
void TZvStringGrid::UpdateProportionalHScroll() {}
void TZvStringGrid::UpdateProportionalVScroll() {}
void TZvStringGrid::ResetFixedCellHighlight() {}
TCanvas* TZvStringGrid::FooterCanvas() const { return nullptr; }
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
    SizeChangedHook(OldColCount, OldRowCount);
}

void TZvStringGrid::ComponentRemovedHook(TComponent* AComponent, TOperation Operation)
{
    TBaseGrid::ComponentRemovedHook(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FCellChecker) FCellChecker = nullptr;
    if (AComponent == FFixedDropDownMenu) FFixedDropDownMenu = nullptr;
    if (AComponent == FGridImages) FGridImages = nullptr;
}

void TZvStringGrid::WindowProcHook(TMessage& Message)
{
    TBaseGrid::WndProc(Message);
}

void TZvStringGrid::DragOverHook(TObject*, int, int, bool&) {}
void TZvStringGrid::SizeChangedHook(int OldColCount, int OldRowCount)
{
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TZvStringGrid::ColWidthsChangedHook()
{
    TBaseGrid::ColWidthsChanged();
}

void TZvStringGrid::RowHeightsChangedHook()
{
    TBaseGrid::RowHeightsChanged();
}

void TZvStringGrid::DlgCodeMessageHook(TMessage&) {}
void TZvStringGrid::TimerMessageHook(TWMTimer&) {}
void TZvStringGrid::PaintMessageHook(TWMPaint&) {}
void TZvStringGrid::EraseBkgndMessageHook(TWMEraseBkgnd&) {}
void TZvStringGrid::SizeMessageHook(TWMSize&) {}
void TZvStringGrid::HScrollMessageHook(TWMScroll&) {}
void TZvStringGrid::VScrollMessageHook(TWMScroll&) {}
void TZvStringGrid::HintShowMessageHook(TMessage&) {}
void TZvStringGrid::EnabledChangedMessageHook(TMessage&) {}
void TZvStringGrid::ColorChangedMessageHook(TMessage&) {}
void TZvStringGrid::FontChangedMessageHook(TMessage&) {}
void TZvStringGrid::CursorChangedMessageHook(TMessage&) {}

void TZvStringGrid::BeginUpdate() { ++FUpdateCount; }

void TZvStringGrid::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) Invalidate();
}

void TZvStringGrid::SetLockUpdate(bool Value)
{
    if (Value) BeginUpdate();
    else EndUpdate();
}
