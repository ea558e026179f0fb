// The string grid's properties that are only a stored value, and the owned objects it hands out.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridClipboard.h"
#include "grid/services/ZvGridDragDrop.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridHTMLXML.h"
#include "grid/services/ZvGridLayout.h"
#include "grid/services/ZvGridPrint.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/ZvGridTextFormats.h"
#include "grid/services/panels/ZvGridPanels.h"

// ---- Automatic numbering ----
int TZvStringGrid::AutoNumberStart() const { return d->FAutoNumberStart; }
void TZvStringGrid::SetAutoNumberStart(int Value) { d->FAutoNumberStart = Value; }
int TZvStringGrid::AutoNumberOffset() const { return d->FAutoNumberOffset; }
void TZvStringGrid::SetAutoNumberOffset(int Value) { d->FAutoNumberOffset = Value; }
TSortDirection TZvStringGrid::AutoNumberDirection() const { return d->FAutoNumberDirection; }
void TZvStringGrid::SetAutoNumberDirection(TSortDirection Value) { d->FAutoNumberDirection = Value; }

// ---- Appearance ----
bool TZvStringGrid::ActiveCellShow() const { return d->FActiveCellShow; }
TFont* TZvStringGrid::ActiveCellFont() const { return d->FActiveCellFont.get(); }
TColor TZvStringGrid::ActiveCellColor() const { return d->FActiveCellColor; }
TColor TZvStringGrid::ActiveCellColorTo() const { return d->FActiveCellColorTo; }
TColor TZvStringGrid::BorderColor() const { return d->FBorderColor; }
TFont* TZvStringGrid::FixedFont() const { return d->FFixedFont.get(); }
TColor TZvStringGrid::HintColor() const { return d->FHintColor; }
void TZvStringGrid::SetHintColor(TColor Value) { d->FHintColor = Value; }
TColor TZvStringGrid::HighlightColor() const { return d->FHighlightColor; }
TColor TZvStringGrid::HighlightTextColor() const { return d->FHighLightTextColor; }
TColor TZvStringGrid::SelectionColor() const { return d->FSelectionColor; }
TColor TZvStringGrid::SelectionColorTo() const { return d->FSelectionColorTo; }
TColor TZvStringGrid::SelectionMirrorColor() const { return d->FSelectionMirrorColor; }
TColor TZvStringGrid::SelectionMirrorColorTo() const { return d->FSelectionMirrorColorTo; }
bool TZvStringGrid::SelectionColorMixer() const { return d->FSelectionColorMixer; }
int TZvStringGrid::SelectionColorMixerFactor() const { return d->FSelectionColorMixerFactor; }
TColor TZvStringGrid::SelectionTextColor() const { return d->FSelectionTextColor; }
bool TZvStringGrid::SelectionRectangle() const { return d->FSelectionRectangle; }
bool TZvStringGrid::SelectionResizer() const { return d->FSelectionResizer; }
TColor TZvStringGrid::SelectionRectangleColor() const { return d->FSelectionRectangleColor; }
bool TZvStringGrid::SelectionRTFKeep() const { return d->FSelectionRTFKeep; }
void TZvStringGrid::SetSelectionRTFKeep(bool Value) { d->FSelectionRTFKeep = Value; }
bool TZvStringGrid::ShowSelection() const { return d->FShowSelection; }
TColor TZvStringGrid::URLColor() const { return d->FURLColor; }
bool TZvStringGrid::URLShow() const { return d->FURLShow; }
bool TZvStringGrid::URLShowInText() const { return d->FURLShowInText; }
bool TZvStringGrid::URLUnderlineOnHover() const { return d->FURLUnderlineOnHover; }
void TZvStringGrid::SetURLUnderlineOnHover(bool Value) { d->FURLUnderlineOnHover = Value; }
bool TZvStringGrid::URLFull() const { return d->FURLFull; }
bool TZvStringGrid::URLEdit() const { return d->FURLEdit; }
void TZvStringGrid::SetURLEdit(bool Value) { d->FURLEdit = Value; }
TColor TZvStringGrid::DisabledFontColor() const { return d->FDisabledFontColor; }
void TZvStringGrid::SetDisabledFontColor(TColor Value) { d->FDisabledFontColor = Value; }
bool TZvStringGrid::UseDisabledFont() const { return d->FUseDisabledFont; }
void TZvStringGrid::SetUseDisabledFont(bool Value) { d->FUseDisabledFont = Value; }
TGridLook TZvStringGrid::Look() const { return d->FLook; }
bool TZvStringGrid::Flat() const { return d->FFlat; }
bool TZvStringGrid::Ctl3D() const { return d->FCtl3D; }
void TZvStringGrid::SetCtl3D(bool Value) { d->FCtl3D = Value; }
bool TZvStringGrid::Hovering() const { return d->FHovering; }
void TZvStringGrid::SetHovering(bool Value) { d->FHovering = Value; }
THoverFixedCells TZvStringGrid::HoverFixedCells() const { return d->FHoverFixedCells; }
void TZvStringGrid::SetHoverFixedCells(THoverFixedCells Value) { d->FHoverFixedCells = Value; }
bool TZvStringGrid::AutoThemeAdapt() const { return d->FAutoThemeAdapt; }
TScrollType TZvStringGrid::ScrollType() const { return d->FScrollType; }
TColor TZvStringGrid::ScrollColor() const { return d->FScrollColor; }
int TZvStringGrid::ScrollWidth() const { return d->FScrollWidth; }
bool TZvStringGrid::ScrollProportional() const { return d->FScrollProportional; }
bool TZvStringGrid::ScrollSynch() const { return d->FScrollSynch; }
void TZvStringGrid::SetScrollSynch(bool Value) { d->FScrollSynch = Value; }
TScrollHintType TZvStringGrid::ScrollHints() const { return d->FScrollHints; }
void TZvStringGrid::SetScrollHints(TScrollHintType Value) { d->FScrollHints = Value; }
TScrollBarAlways TZvStringGrid::ScrollBarAlways() const { return d->FScrollBarAlways; }
TScrollStyle TZvStringGrid::ScrollBars() const { return d->FScrollBarsEx; }
TGridProgressAppearance* TZvStringGrid::ProgressAppearance() const { return d->FProgressAppearance.get(); }
void TZvStringGrid::SetProgressAppearance(TGridProgressAppearance* Value) { d->FProgressAppearance->Assign(Value); }
TBitmap* TZvStringGrid::RowIndicator() const { return d->FRowIndicator.get(); }
bool TZvStringGrid::NoDefaultDraw() const { return d->FNoDefaultDraw; }
void TZvStringGrid::SetNoDefaultDraw(bool Value) { d->FNoDefaultDraw = Value; }
bool TZvStringGrid::NoImageAndText() const { return d->FNoImageAndText; }
void TZvStringGrid::SetNoImageAndText(bool Value) { d->FNoImageAndText = Value; }
bool TZvStringGrid::FitCellsInGrid() const { return d->FFitCellsInGrid; }
void TZvStringGrid::SetFitCellsInGrid(bool Value) { d->FFitCellsInGrid = Value; }
TBorderStyle TZvStringGrid::BorderStyle() const { return d->FBorderStyle; }
void TZvStringGrid::SetBorderStyle(TBorderStyle Value) { d->FBorderStyle = Value; }
TColor TZvStringGrid::VUDGradientFrom() const { return d->FVUDGradient[0]; }
TColor TZvStringGrid::VUDGradient(TLookGradient which) const { return d->FVUDGradient[std::size_t(which)]; }
void TZvStringGrid::SetVUDGradient(TLookGradient which, TColor Value) { d->FVUDGradient[std::size_t(which)] = Value; }
TZvStyle TZvStringGrid::ComponentStyle() const { return d->FComponentStyle; }
const TColorTones& TZvStringGrid::ColorTones() const { return d->FColorTones; }

// ---- Layout ----
bool TZvStringGrid::FixedAsButtons() const { return d->FFixedAsButtons; }
void TZvStringGrid::SetFixedAsButtons(bool Value) { d->FFixedAsButtons = Value; }
bool TZvStringGrid::Multilinecells() const { return d->FMultilinecells; }
void TZvStringGrid::SetMultilinecells(bool Value) { d->FMultilinecells = Value; }
TVAlignment TZvStringGrid::VAlignment() const { return d->FVAlignment; }
bool TZvStringGrid::IntegralHeight() const { return d->FIntegralHeight; }
void TZvStringGrid::SetIntegralHeight(bool Value) { d->FIntegralHeight = Value; }
bool TZvStringGrid::SizeWithForm() const { return d->FSizeWithForm; }
void TZvStringGrid::SetSizeWithForm(bool Value) { d->FSizeWithForm = Value; }
bool TZvStringGrid::AutoSize() const { return d->FAutoSize; }
bool TZvStringGrid::AutoNumAlign() const { return d->FAutoNumAlign; }
void TZvStringGrid::SetAutoNumAlign(bool Value) { d->FAutoNumAlign = Value; }
TEditorType TZvStringGrid::DefaultEditor() const { return d->FDefaultEditor; }
void TZvStringGrid::SetDefaultEditor(TEditorType Value) { d->FDefaultEditor = Value; }
bool TZvStringGrid::SpreadSheet() const { return d->FSpreadSheet; }

// ---- Behaviour ----
bool TZvStringGrid::EnableHTML() const { return d->FEnableHTML; }
void TZvStringGrid::SetEnableHTML(bool Value) { d->FEnableHTML = Value; }
bool TZvStringGrid::EnableWheel() const { return d->FEnableWheel; }
void TZvStringGrid::SetEnableWheel(bool Value) { d->FEnableWheel = Value; }
bool TZvStringGrid::EnableBlink() const { return d->FEnableBlink; }
void TZvStringGrid::SetEnableBlink(bool Value) { d->FEnableBlink = Value; }
bool TZvStringGrid::EnhTextSize() const { return d->FEnhTextSize; }
void TZvStringGrid::SetEnhTextSize(bool Value) { d->FEnhTextSize = Value; }
bool TZvStringGrid::EnhRowColMove() const { return d->FEnhRowColMove; }
void TZvStringGrid::SetEnhRowColMove(bool Value) { d->FEnhRowColMove = Value; }
bool TZvStringGrid::EditWithTags() const { return d->FEditWithTags; }
void TZvStringGrid::SetEditWithTags(bool Value) { d->FEditWithTags = Value; }
const String& TZvStringGrid::FloatFormat() const { return d->FFloatFormat; }
void TZvStringGrid::SetFloatFormat(const String& Value) { d->FFloatFormat = Value; }
bool TZvStringGrid::ExcelStyleDecimalSeparator() const { return d->FExcelStyleDecimalSeparator; }
void TZvStringGrid::SetExcelStyleDecimalSeparator(bool Value) { d->FExcelStyleDecimalSeparator = Value; }
bool TZvStringGrid::HintShowCells() const { return d->FHintShowCells; }
void TZvStringGrid::SetHintShowCells(bool Value) { d->FHintShowCells = Value; }
bool TZvStringGrid::HintShowLargeText() const { return d->FHintShowLargeText; }
void TZvStringGrid::SetHintShowLargeText(bool Value) { d->FHintShowLargeText = Value; }
bool TZvStringGrid::HintShowSizing() const { return d->FHintShowSizing; }
void TZvStringGrid::SetHintShowSizing(bool Value) { d->FHintShowSizing = Value; }
bool TZvStringGrid::HTMLHint() const { return d->FHTMLHint; }
void TZvStringGrid::SetHTMLHint(bool Value) { d->FHTMLHint = Value; }
bool TZvStringGrid::AnchorHint() const { return d->FAnchorHint; }
void TZvStringGrid::SetAnchorHint(bool Value) { d->FAnchorHint = Value; }
THintShowLargeTextPos TZvStringGrid::HintShowLargeTextPos() const { return d->FHintShowLargeTextPos; }
void TZvStringGrid::SetHintShowLargeTextPos(THintShowLargeTextPos Value) { d->FHintShowLargeTextPos = Value; }
bool TZvStringGrid::UseInternalHintClass() const { return d->FUseInternalHintClass; }
void TZvStringGrid::SetUseInternalHintClass(bool Value) { d->FUseInternalHintClass = Value; }
TIntelliPan TZvStringGrid::IntelliPan() const { return d->FIntelliPan; }
void TZvStringGrid::SetIntelliPan(TIntelliPan Value) { d->FIntelliPan = Value; }
bool TZvStringGrid::IntelliZoom() const { return d->FIntelliZoom; }
void TZvStringGrid::SetIntelliZoom(bool Value) { d->FIntelliZoom = Value; }
const String& TZvStringGrid::InvalidEntryTitle() const { return d->FInvalidEntryTitle; }
void TZvStringGrid::SetInvalidEntryTitle(const String& Value) { d->FInvalidEntryTitle = Value; }
const String& TZvStringGrid::InvalidEntryText() const { return d->FInvalidEntryText; }
void TZvStringGrid::SetInvalidEntryText(const String& Value) { d->FInvalidEntryText = Value; }
TInvalidEntryIcon TZvStringGrid::InvalidEntryIcon() const { return d->FInvalidEntryIcon; }
void TZvStringGrid::SetInvalidEntryIcon(TInvalidEntryIcon Value) { d->FInvalidEntryIcon = Value; }
bool TZvStringGrid::Lookup() const { return d->FLookup; }
void TZvStringGrid::SetLookup(bool Value) { d->FLookup = Value; }
bool TZvStringGrid::LookupCaseSensitive() const { return d->FLookupCaseSensitive; }
void TZvStringGrid::SetLookupCaseSensitive(bool Value) { d->FLookupCaseSensitive = Value; }
bool TZvStringGrid::LookupHistory() const { return d->FLookupHistory; }
void TZvStringGrid::SetLookupHistory(bool Value) { d->FLookupHistory = Value; }
int TZvStringGrid::MaxComboLength() const { return d->FMaxComboLength; }
void TZvStringGrid::SetMaxComboLength(int Value) { d->FMaxComboLength = Value; }
bool TZvStringGrid::HideFocusRect() const { return d->FHideFocusRect; }
void TZvStringGrid::SetHideFocusRect(bool Value) { d->FHideFocusRect = Value; }
bool TZvStringGrid::ShowDesignHelper() const { return d->FShowDesignHelper; }
const String& TZvStringGrid::ValidChars() const { return d->FValidChars; }
void TZvStringGrid::SetValidChars(const String& Value) { d->FValidChars = Value; }
const String& TZvStringGrid::EditMask() const { return d->FEditMask; }
void TZvStringGrid::SetEditMask(const String& Value) { d->FEditMask = Value; }

// ---- Further properties, not stored with a form ----
const String& TZvStringGrid::CheckTrue() const { return d->FCheckTrue; }
void TZvStringGrid::SetCheckTrue(const String& Value) { d->FCheckTrue = Value; }
const String& TZvStringGrid::CheckFalse() const { return d->FCheckFalse; }
void TZvStringGrid::SetCheckFalse(const String& Value) { d->FCheckFalse = Value; }
QChar TZvStringGrid::PasswordChar() const { return d->FPasswordChar; }
void TZvStringGrid::SetPasswordChar(QChar Value) { d->FPasswordChar = Value; }
bool TZvStringGrid::SaveFixedCells() const { return d->FSaveFixedCells; }
void TZvStringGrid::SetSaveFixedCells(bool Value) { d->FSaveFixedCells = Value; }
bool TZvStringGrid::SaveFixedRows() const { return d->FSaveFixedRows; }
void TZvStringGrid::SetSaveFixedRows(bool Value) { d->FSaveFixedRows = Value; }
bool TZvStringGrid::SaveFixedCols() const { return d->FSaveFixedCols; }
void TZvStringGrid::SetSaveFixedCols(bool Value) { d->FSaveFixedCols = Value; }
bool TZvStringGrid::SaveHiddenCells() const { return d->FSaveHiddenCells; }
void TZvStringGrid::SetSaveHiddenCells(bool Value) { d->FSaveHiddenCells = Value; }
bool TZvStringGrid::SaveVirtCells() const { return d->FSaveVirtCells; }
void TZvStringGrid::SetSaveVirtCells(bool Value) { d->FSaveVirtCells = Value; }
bool TZvStringGrid::SaveWithHTML() const { return d->FSaveWithHTML; }
void TZvStringGrid::SetSaveWithHTML(bool Value) { d->FSaveWithHTML = Value; }
bool TZvStringGrid::SaveWithRTF() const { return d->FSaveWithRTF; }
void TZvStringGrid::SetSaveWithRTF(bool Value) { d->FSaveWithRTF = Value; }
bool TZvStringGrid::ShowNullDates() const { return d->FShowNullDates; }
void TZvStringGrid::SetShowNullDates(bool Value) { d->FShowNullDates = Value; }
bool TZvStringGrid::ClearTextOnly() const { return d->FClearTextOnly; }
void TZvStringGrid::SetClearTextOnly(bool Value) { d->FClearTextOnly = Value; }
bool TZvStringGrid::SizeGrowOnly() const { return d->FSizeGrowOnly; }
void TZvStringGrid::SetSizeGrowOnly(bool Value) { d->FSizeGrowOnly = Value; }
int TZvStringGrid::MinRowHeight() const { return d->FMinRowHeight; }
void TZvStringGrid::SetMinRowHeight(int Value) { d->FMinRowHeight = Value; }
int TZvStringGrid::MaxRowHeight() const { return d->FMaxRowHeight; }
void TZvStringGrid::SetMaxRowHeight(int Value) { d->FMaxRowHeight = Value; }
int TZvStringGrid::MinColWidth() const { return d->FMinColWidth; }
void TZvStringGrid::SetMinColWidth(int Value) { d->FMinColWidth = Value; }
int TZvStringGrid::MaxColWidth() const { return d->FMaxColWidth; }
void TZvStringGrid::SetMaxColWidth(int Value) { d->FMaxColWidth = Value; }
int TZvStringGrid::ZoomFactor() const { return d->FZoomFactor; }
void TZvStringGrid::SetZoomFactor(int Value) { d->FZoomFactor = Value; }
TPoint TZvStringGrid::XYOffset() const { return d->FXYOffset; }
bool TZvStringGrid::XYOffsetTopLeftOnly() const { return d->FXYOffsetTopLeftOnly; }
void TZvStringGrid::SetXYOffsetTopLeftOnly(bool Value) { d->FXYOffsetTopLeftOnly = Value; }
TObject* TZvStringGrid::EditLink() const { return d->FEditLink; }
void TZvStringGrid::SetEditLink(TObject* Value)
{
    d->FEditLink = Value;
    if (auto* link = dynamic_cast<TComponent*>(Value)) link->FreeNotification(this);
}
TWndMethod TZvStringGrid::GridControlWndProc() const { return d->FGridControlWndProc; }
void TZvStringGrid::SetGridControlWndProc(TWndMethod Proc) { d->FGridControlWndProc = std::move(Proc); }
bool TZvStringGrid::InvokedFocusChange() const { return d->InvokedFocusChange; }
void TZvStringGrid::SetInvokedFocusChange(bool Value) { d->InvokedFocusChange = Value; }
bool TZvStringGrid::LastValidation() const { return d->FLastValidation; }
void TZvStringGrid::SetLastValidation(bool Value) { d->FLastValidation = Value; }
bool TZvStringGrid::GridDestroying() const { return d->FDestroying; }
bool TZvStringGrid::Loading() const { return d->FLoading; }
bool TZvStringGrid::IsLoaded() const { return d->FLoaded; }
bool TZvStringGrid::Designing() const { return d->FDesignTime; }
int TZvStringGrid::UpdateCount() const { return d->FUpdateCount; }
bool TZvStringGrid::IsWinXP() const { return d->FIsWinXP; }
bool TZvStringGrid::IsWin7() const { return d->FIsWin7; }
bool TZvStringGrid::IsWinVista() const { return d->FIsWinVista; }
bool TZvStringGrid::IsComCtl6() const { return d->FIsComCtl6; }
TZvStyle TZvStringGrid::Style() const { return d->FStyle; }
int TZvStringGrid::FilterLevel() const { return d->FFilterLevel; }
int TZvStringGrid::MaxRowCount() const { return d->FMaxRowCount; }
int TZvStringGrid::MaxColCount() const { return d->FMaxColCount; }
int TZvStringGrid::FixedRowsMin() const { return d->FFixedRowsMin; }
int TZvStringGrid::FixedColsMin() const { return d->FFixedColsMin; }

// ---- Option objects ----
TBalloonSettings* TZvStringGrid::Balloon() const { return d->FBalloon.get(); }
void TZvStringGrid::SetBalloon(TBalloonSettings* Value) { d->FBalloon->Assign(Value); }
TBands* TZvStringGrid::Bands() const { return d->FBands.get(); }
void TZvStringGrid::SetBands(TBands* Value) { d->FBands->Assign(Value); }
TBackGround* TZvStringGrid::BackGround() const { return d->FBackGround.get(); }
TCellNode* TZvStringGrid::CellNode() const { return d->FCellNode.get(); }
void TZvStringGrid::SetCellNode(TCellNode* Value) { d->FCellNode->Assign(Value); }
TZvStringGridCheck* TZvStringGrid::CellChecker() const { return d->FCellChecker; }
TStringList* TZvStringGrid::ColumnHeaders() const { return d->FColumnHeaders.get(); }
TControlLook* TZvStringGrid::ControlLook() const { return d->FControlLook.get(); }
void TZvStringGrid::SetControlLook(TControlLook* Value) { d->FControlLook->Assign(Value); }
TDragScrollOptions* TZvStringGrid::DragScrollOptions() const { return d->FDragScrollOptions.get(); }
void TZvStringGrid::SetDragScrollOptions(TDragScrollOptions* Value) { d->FDragScrollOptions->Assign(Value); }
TPopupMenu* TZvStringGrid::FixedDropDownMenu() const { return d->FFixedDropDownMenu; }
TFloatingFooter* TZvStringGrid::FloatingFooter() const { return d->FFloatingFooter.get(); }
void TZvStringGrid::SetFloatingFooter(TFloatingFooter* Value) { d->FFloatingFooter->Assign(Value); }
TFocusHelper* TZvStringGrid::FocusHelper() const { return d->FFocusHelper.get(); }
void TZvStringGrid::SetFocusHelper(TFocusHelper* Value) { d->FFocusHelper->Assign(Value); }
TCustomImageList* TZvStringGrid::GridImages() const { return d->FGridImages; }
TGrouping* TZvStringGrid::Grouping() const { return d->FGrouping.get(); }
void TZvStringGrid::SetGrouping(TGrouping* Value) { d->FGrouping->Assign(Value); }
TStringList* TZvStringGrid::LookupItems() const { return d->FLookupItems.get(); }
TMouseActions* TZvStringGrid::MouseActions() const { return d->FMouseActions.get(); }
void TZvStringGrid::SetMouseActions(TMouseActions* Value) { d->FMouseActions->Assign(Value); }
TNavigation* TZvStringGrid::Navigation() const { return d->FNavigation.get(); }
void TZvStringGrid::SetNavigation(TNavigation* Value) { d->FNavigation->Assign(Value); }
TPictureContainer* TZvStringGrid::PictureContainer() const { return d->FPictureContainer; }
TStringList* TZvStringGrid::RowHeaders() const { return d->FRowHeaders.get(); }
TShowModified* TZvStringGrid::ShowModified() const { return d->FShowModified.get(); }
void TZvStringGrid::SetShowModified(TShowModified* Value) { d->FShowModified->Assign(Value); }
TSizeWhileTyping* TZvStringGrid::SizeWhileTyping() const { return d->FSizeWhileTyping.get(); }
void TZvStringGrid::SetSizeWhileTyping(TSizeWhileTyping* Value) { d->FSizeWhileTyping->Assign(Value); }
TSyncGrid* TZvStringGrid::SyncGrid() const { return d->FSyncGrid.get(); }
void TZvStringGrid::SetSyncGrid(TSyncGrid* Value) { d->FSyncGrid->Assign(Value); }

// ---- Owned lists, panels and windows other classes of the control library reach ----
TIntList* TZvStringGrid::MergedColumns() const { return d->FMergedColumns.get(); }
TIntList* TZvStringGrid::ColumnOrder() const { return d->FColumnOrder.get(); }
TControlList* TZvStringGrid::CellControls() const { return d->FCellControls.get(); }
THTMLPictureCache* TZvStringGrid::PictureCache() const { return d->FPictureCache.get(); }
TCellGraphic* TZvStringGrid::SharedCellGraphic() const { return d->FSharedCellGraphic.get(); }
TGridFocusWindow* TZvStringGrid::FocusFrameWindow() const { return d->FFocusFrameWindow; }
TArrowWindow* TZvStringGrid::ArrowWindow(TArrowDirection dir) const { return d->FArrows[std::size_t(dir)]; }
TGridTransEdit* TZvStringGrid::TransEdit() const { return d->FTransEdit; }
TGridTransCombo* TZvStringGrid::TransCombo() const { return d->FTransCombo; }
TEdit* TZvStringGrid::FormControlEdit() const { return d->FFormControlEdit; }
TComboBox* TZvStringGrid::FormControlCombo() const { return d->FFormControlCombo; }
