#include "grid/ZvGridOptions.h"

namespace {
void Fire(const TNotifyEvent& event, TObject* sender)
{
    if (event) event(sender);
}

// A glyph property keeps its own bitmap and copies what it is given; nil empties it.
void CopyBitmap(TBitmap& target, TBitmap* value)
{
    if (value)
        target.Assign(value);
    else
        target.SetImage(QImage());
}
}

// ============================================================================
// TSearchFooter
// ============================================================================

TSearchFooter::TSearchFooter(TComponent* AOwner, bool designCreated)
    : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
    if (designCreated) {
        FFindNextCaption = QStringLiteral("Find &next");
        FFindPrevCaption = QStringLiteral("Find &previous");
        FHighLightCaption = QStringLiteral("Highlight");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHintClose = QStringLiteral("Close");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
    }
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Changed()
{
    if (!FAssigning) Fire(OnChange, this);
}

void TSearchFooter::FontChanged(TObject*)
{
    Changed();
}



void TSearchFooter::SetAlwaysHighLight(bool value) { if (StoreChanged(FAlwaysHighLight, value)) Changed(); }
void TSearchFooter::SetAutoSearch(bool value) { if (StoreChanged(FAutoSearch, value)) Changed(); }
void TSearchFooter::SetColor(TColor value) { if (StoreChanged(FColor, value)) Changed(); }
void TSearchFooter::SetColorTo(TColor value) { if (StoreChanged(FColorTo, value)) Changed(); }
void TSearchFooter::SetFindNextCaption(const String& value) { if (StoreChanged(FFindNextCaption, value)) Changed(); }
void TSearchFooter::SetFindPrevCaption(const String& value) { if (StoreChanged(FFindPrevCaption, value)) Changed(); }
void TSearchFooter::SetHighLightCaption(const String& value)
{
    if (StoreChanged(FHighLightCaption, value)) Changed();
}
void TSearchFooter::SetMatchCaseCaption(const String& value)
{
    if (StoreChanged(FMatchCaseCaption, value)) Changed();
}
void TSearchFooter::SetHintClose(const String& value) { if (StoreChanged(FHintClose, value)) Changed(); }
void TSearchFooter::SetHintFindNext(const String& value) { if (StoreChanged(FHintFindNext, value)) Changed(); }
void TSearchFooter::SetHintFindPrev(const String& value) { if (StoreChanged(FHintFindPrev, value)) Changed(); }
void TSearchFooter::SetHintHighlight(const String& value) { if (StoreChanged(FHintHighlight, value)) Changed(); }
void TSearchFooter::SetSearchActiveColumnOnly(bool value)
{
    if (StoreChanged(FSearchActiveColumnOnly, value)) Changed();
}
void TSearchFooter::SetSearchColumn(int value) { if (StoreChanged(FSearchColumn, value)) Changed(); }
void TSearchFooter::SetSearchMatchStart(bool value) { if (StoreChanged(FSearchMatchStart, value)) Changed(); }
void TSearchFooter::SetSearchFixedCells(bool value) { if (StoreChanged(FSearchFixedCells, value)) Changed(); }
void TSearchFooter::SetSearchHiddenRows(bool value) { if (StoreChanged(FSearchHiddenRows, value)) Changed(); }
void TSearchFooter::SetSearchDirection(TSearchDirection value)
{
    if (StoreChanged(FSearchDirection, value)) Changed();
}
void TSearchFooter::SetShowClose(bool value) { if (StoreChanged(FShowClose, value)) Changed(); }
void TSearchFooter::SetShowFindNext(bool value) { if (StoreChanged(FShowFindNext, value)) Changed(); }
void TSearchFooter::SetShowFindPrev(bool value) { if (StoreChanged(FShowFindPrev, value)) Changed(); }
void TSearchFooter::SetShowHighLight(bool value) { if (StoreChanged(FShowHighLight, value)) Changed(); }
void TSearchFooter::SetShowMatchCase(bool value) { if (StoreChanged(FShowMatchCase, value)) Changed(); }
void TSearchFooter::SetVisible(bool value) { if (StoreChanged(FVisible, value)) Changed(); }
void TSearchFooter::SetAutoThemeAdapt(bool value) { if (StoreChanged(FAutoThemeAdapt, value)) Changed(); }

void TSearchFooter::SetFont(TFont* value)
{
    // The font's own change report notifies once; an equal font still notifies.
    const bool before = FAssigning;
    FAssigning = true;
    FFont->Assign(value);
    FAssigning = before;
    Changed();
}

void TSearchFooter::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TSearchFooter*>(source);
    if (!s) return;
    FAssigning = true;
    FAlwaysHighLight = s->FAlwaysHighLight;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    FHighLightCaption = s->FHighLightCaption;
    FMatchCaseCaption = s->FMatchCaseCaption;
    FHintClose = s->FHintClose;
    FHintFindNext = s->FHintFindNext;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FFont->Assign(s->FFont.get());
    FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
    FSearchColumn = s->FSearchColumn;
    FSearchMatchStart = s->FSearchMatchStart;
    FSearchHiddenRows = s->FSearchHiddenRows;
    FSearchDirection = s->FSearchDirection;
    FShowClose = s->FShowClose;
    FShowFindNext = s->FShowFindNext;
    FShowFindPrev = s->FShowFindPrev;
    FShowHighLight = s->FShowHighLight;
    FShowMatchCase = s->FShowMatchCase;
    FVisible = s->FVisible;
    FAssigning = false;
}

// ============================================================================
// TNavigation
// ============================================================================

void TNavigation::SetAdvanceInsert(bool value)
{
    if (!StoreChanged(FAdvanceInsert, value)) return;
    Fire(OnChange, this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection value)
{
    if (!StoreChanged(FAdvanceDirection, value)) return;
    Fire(OnChange, this);
}

void TNavigation::SetAdvanceAuto(bool value)
{
    if (!StoreChanged(FAdvanceAuto, value)) return;
    if (value) SetAdvanceOnEnter(true);
}

void TNavigation::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TNavigation*>(source);
    if (!s) return;
    // KeepScrollOnSort stays: it belongs to the grid's own scrolling state.
    const bool keepScroll = FKeepScrollOnSort;
    const TNotifyEvent onChange = OnChange;
    FAllowInsertRow = s->FAllowInsertRow;
    FAllowDeleteRow = s->FAllowDeleteRow;
    FAlwaysEdit = s->FAlwaysEdit;
    FAdvanceOnEnter = s->FAdvanceOnEnter;
    FAdvanceOnEnterLoop = s->FAdvanceOnEnterLoop;
    FAdvanceInsert = s->FAdvanceInsert;
    FAdvanceAutoEdit = s->FAdvanceAutoEdit;
    FAdvanceSkipReadOnlyCells = s->FAdvanceSkipReadOnlyCells;
    FAutoGotoWhenSorted = s->FAutoGotoWhenSorted;
    FAutoGotoIncremental = s->FAutoGotoIncremental;
    FAutoComboDropSize = s->FAutoComboDropSize;
    FAdvanceDirection = s->FAdvanceDirection;
    FAllowClipboardShortCuts = s->FAllowClipboardShortCuts;
    FAllowCtrlEnter = s->FAllowCtrlEnter;
    FAllowSmartClipboard = s->FAllowSmartClipboard;
    FAllowRTFClipboard = s->FAllowRTFClipboard;
    FAllowFmtClipboard = s->FAllowFmtClipboard;
    FAllowClipboardAlways = s->FAllowClipboardAlways;
    FAllowClipboardRowGrow = s->FAllowClipboardRowGrow;
    FAllowClipboardColGrow = s->FAllowClipboardColGrow;
    FAdvanceAuto = s->FAdvanceAuto;
    FAppendOnArrowDown = s->FAppendOnArrowDown;
    FEditSelectAll = s->FEditSelectAll;
    FInsertPosition = s->FInsertPosition;
    FClipboardPasteAction = s->FClipboardPasteAction;
    FComboGetUpDown = s->FComboGetUpDown;
    FCursorAdvance = s->FCursorAdvance;
    FCursorWalkEditor = s->FCursorWalkEditor;
    FCursorWalkAlwaysEdit = s->FCursorWalkAlwaysEdit;
    FCursorMoveRows = s->FCursorMoveRows;
    FMoveRowOnSort = s->FMoveRowOnSort;
    FMoveScrollOnly = s->FMoveScrollOnly;
    FImproveMaskSel = s->FImproveMaskSel;
    FLeftRightRowSelect = s->FLeftRightRowSelect;
    FCopyHTMLTagsToClipboard = s->FCopyHTMLTagsToClipboard;
    FKeepHorizScroll = s->FKeepHorizScroll;
    FLineFeedOnEnter = s->FLineFeedOnEnter;
    FHomeEndKey = s->FHomeEndKey;
    FSkipFixedCells = s->FSkipFixedCells;
    FSkipDisabledRows = s->FSkipDisabledRows;
    FTabToNextAtEnd = s->FTabToNextAtEnd;
    FTabAdvanceDirection = s->FTabAdvanceDirection;
    FKeepScrollOnSort = keepScroll;
    OnChange = onChange;
}

// ============================================================================
// TMouseActions
// ============================================================================

TMouseActions::TMouseActions(TComponent* AOwner)
    : FOwner(AOwner), FFixedComboValues(std::make_unique<TStringList>())
{
}

TMouseActions::~TMouseActions() = default;

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning) OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetHotmailRowSelect(bool value)
{
    FHotmailRowSelect = value;
    if (value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    Fire(OnInvalidate, this);
}

void TMouseActions::SetEditOnDblClickOnly(bool value)
{
    FEditOnDblClickOnly = value;
    if (value) Fire(OnDisableEdit, this);
}

void TMouseActions::ExcludeOtherDisjunctModes(bool& keep, bool value)
{
    keep = value;
    if (!value || !IsDesigning()) return;
    for (bool* mode : {&FDisjunctRowSelect, &FDisjunctColSelect, &FDisjunctCellSelect})
        if (mode != &keep) *mode = false;
}

void TMouseActions::SetDisjunctRowSelect(bool value) { ExcludeOtherDisjunctModes(FDisjunctRowSelect, value); }
void TMouseActions::SetDisjunctColSelect(bool value) { ExcludeOtherDisjunctModes(FDisjunctColSelect, value); }
void TMouseActions::SetDisjunctCellSelect(bool value) { ExcludeOtherDisjunctModes(FDisjunctCellSelect, value); }

void TMouseActions::SetWheelAction(TWheelAction value)
{
    if (!StoreChanged(FWheelAction, value)) return;
    Fire(OnChange, this);
}

void TMouseActions::SetFixedComboValues(TStringList* value)
{
    if (value)
        FFixedComboValues->Assign(value);
    else
        FFixedComboValues->Clear();
}

void TMouseActions::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TMouseActions*>(source);
    if (!s) return;
    FAllColumnSize = s->FAllColumnSize;
    FAllRowSize = s->FAllRowSize;
    FAllSelect = s->FAllSelect;
    FAutoSizeColOnDblClick = s->FAutoSizeColOnDblClick;
    FCaretPositioning = s->FCaretPositioning;
    FCheckAllCheck = s->FCheckAllCheck;
    FColSelect = s->FColSelect;
    FDirectComboClose = s->FDirectComboClose;
    FDirectComboDrop = s->FDirectComboDrop;
    FDirectDateClose = s->FDirectDateClose;
    FDirectDateDrop = s->FDirectDateDrop;
    FDirectEdit = s->FDirectEdit;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    FDisjunctRowSelectNoCtrl = s->FDisjunctRowSelectNoCtrl;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FFixedRowsEdit = s->FFixedRowsEdit;
    FFixedRowsEditor = s->FFixedRowsEditor;
    FFixedColsEditor = s->FFixedColsEditor;
    FFixedColsEdit = s->FFixedColsEdit;
    FMoveRowOnNodeClick = s->FMoveRowOnNodeClick;
    FNoAutoRangeScroll = s->FNoAutoRangeScroll;
    FNodeAllExpandContract = s->FNodeAllExpandContract;
    FNoScrollOnPartialRow = s->FNoScrollOnPartialRow;
    FPreciseCheckBoxCheck = s->FPreciseCheckBoxCheck;
    FPreciseNodeClick = s->FPreciseNodeClick;
    FRangeSelectAndEdit = s->FRangeSelectAndEdit;
    FRowSelect = s->FRowSelect;
    FRowSelectPersistent = s->FRowSelectPersistent;
    FSelectOnRightClick = s->FSelectOnRightClick;
    FSizeFixedCol = s->FSizeFixedCol;
    FWheelIncrement = s->FWheelIncrement;
    FWheelAction = s->FWheelAction;
}

// ============================================================================
// TSyncGrid, TBands, TFocusHelper
// ============================================================================

void TSyncGrid::SetGrid(TZvStringGrid* value)
{
    if (value && value == FOwner) return;
    FGrid = value;
}

void TSyncGrid::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TSyncGrid*>(source);
    if (!s) return;
    SetGrid(s->FGrid);
    FScrollVertical = s->FScrollVertical;
    FScrollHorizontal = s->FScrollHorizontal;
    FSelectionColumn = s->FSelectionColumn;
    FSelectionRow = s->FSelectionRow;
    FMoveColumn = s->FMoveColumn;
    FMoveRow = s->FMoveRow;
}

void TBands::ChangedWhileActive()
{
    if (FActive) Fire(OnChange, this);
}

void TBands::SetActive(bool value)
{
    if (!StoreChanged(FActive, value)) return;
    Fire(OnChange, this);
}

void TBands::SetPrimaryColor(TColor value)
{
    if (!StoreChanged(FPrimaryColor, value)) return;
    ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor value)
{
    if (!StoreChanged(FSecondaryColor, value)) return;
    ChangedWhileActive();
}

void TBands::SetPrimaryLength(int value)
{
    if (!StoreChanged(FPrimaryLength, value)) return;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::SetSecondaryLength(int value)
{
    if (!StoreChanged(FSecondaryLength, value)) return;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TBands*>(source);
    if (!s) return;
    // The total is left alone: only the length setters keep it.
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryColor = s->FSecondaryColor;
    FSecondaryLength = s->FSecondaryLength;
    FPrint = s->FPrint;
}

void TFocusHelper::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TFocusHelper*>(source)) FEnabled = s->FEnabled;
}

// ============================================================================
// TSortSettings
// ============================================================================

TSortSettings::TSortSettings(TComponent* AGrid)
    : FGrid(AGrid),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Notify(const TNotifyEvent& event)
{
    Fire(event, this);
}

int TSortSettings::FixedRows() const
{
    return OnGetFixedRows ? OnGetFixedRows() : 1;
}

void TSortSettings::SetShow(bool value)
{
    if (!StoreChanged(FShow, value)) return;
    Notify(OnInvalidate);
}

void TSortSettings::SetUpGlyph(TBitmap* value) { CopyBitmap(*FUpGlyph, value); }
void TSortSettings::SetDownGlyph(TBitmap* value) { CopyBitmap(*FDownGlyph, value); }
void TSortSettings::SetIndexUpGlyph(TBitmap* value) { CopyBitmap(*FIndexUpGlyph, value); }
void TSortSettings::SetIndexDownGlyph(TBitmap* value) { CopyBitmap(*FIndexDownGlyph, value); }

void TSortSettings::SetRow(int value)
{
    if (value >= FixedRows())
        throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    FRow = value;
}

void TSortSettings::StoreHeaderColor(TColor& field, TColor value)
{
    if (!StoreChanged(field, value)) return;
    if (FixedRows() > 0) Notify(OnRepaintSortRow);
}

void TSortSettings::SetHeaderColor(TColor value) { StoreHeaderColor(FHeaderColor, value); }
void TSortSettings::SetHeaderColorTo(TColor value) { StoreHeaderColor(FHeaderColorTo, value); }
void TSortSettings::SetHeaderMirrorColor(TColor value) { StoreHeaderColor(FHeaderMirrorColor, value); }
void TSortSettings::SetHeaderMirrorColorTo(TColor value) { StoreHeaderColor(FHeaderMirrorColorTo, value); }

String TSortSettings::SaveToString() const
{
    if (FIndexShow)
        return QStringLiteral("i;") + (FSortIndexes ? FSortIndexes->SaveToString() : String());
    const QChar letter = FDirection == TSortDirection::sdDescending ? u'd' : u'u';
    return String(letter) + String::number(FColumn);
}

void TSortSettings::LoadFromString(const String& text)
{
    if (text.isEmpty()) return;
    SetShow(true);
    if (text.size() < 2) throw Exception(QStringLiteral("Invalid sort settings specifier"));

    if (text.contains(QStringLiteral("i;"))) {
        FIndexShow = true;
        const String rest = text.mid(2);
        if (rest.isEmpty()) return;
        if (FSortIndexes) FSortIndexes->LoadFromString(rest);
        Notify(OnSortIndexed);
        return;
    }

    FIndexShow = false;
    // Only the presence of a "u" decides the direction, wherever it stands.
    FDirection = text.contains(u'u') ? TSortDirection::sdAscending : TSortDirection::sdDescending;
    int column = 0;
    if (!TryStrToInt(text.mid(1), column)) return;
    FColumn = column;
    Notify(OnSort);
}

void TSortSettings::Remove()
{
    FColumn = -1;
    if (FSortIndexes) FSortIndexes->Clear();
    Notify(OnRepaintSortRow);
}

void TSortSettings::ToggleDirection()
{
    FDirection = FDirection == TSortDirection::sdAscending ? TSortDirection::sdDescending
                                                           : TSortDirection::sdAscending;
}

void TSortSettings::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TSortSettings*>(source);
    if (!s) return;
    FAutoSortForGrouping = s->FAutoSortForGrouping;
    FAutoColumnMerge = s->FAutoColumnMerge;
    FColumn = s->FColumn;
    FShow = s->FShow;
    FIndexShow = s->FIndexShow;
    FIndexColor = s->FIndexColor;
    FIndexSortKey = s->FIndexSortKey;
    FFull = s->FFull;
    FSingleColumn = s->FSingleColumn;
    FIgnoreBlanks = s->FIgnoreBlanks;
    FBlankPos = s->FBlankPos;
    FAutoFormat = s->FAutoFormat;
    FDirection = s->FDirection;
    FUpGlyph->Assign(s->FUpGlyph.get());
    FDownGlyph->Assign(s->FDownGlyph.get());
    FIndexUpGlyph->Assign(s->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(s->FIndexDownGlyph.get());
    FInitSortDirection = s->FInitSortDirection;
    FFixedCols = s->FFixedCols;
    FNormalCellsOnly = s->FNormalCellsOnly;
    FRow = s->FRow;
    FUndoSort = s->FUndoSort;
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderMirrorColor = s->FHeaderMirrorColor;
    FHeaderMirrorColorTo = s->FHeaderMirrorColorTo;
}

// ============================================================================
// TControlLook
// ============================================================================

namespace {
// The colours a new look starts with, by TLookGradient.
constexpr std::array<TColor, LookGradientCount> ConstructionGradients = {
    clNone, clNone, clNone, clNone,            // from, to, mirror from, mirror to
    clGray, clWhite, clNone, clNone, clSilver, // hover from, to, mirror from, mirror to, border
    clGray, clSilver, clNone, clNone, clGray,  // down from, to, mirror from, mirror to, border
};

bool IsMirror(TLookGradient which)
{
    switch (which) {
    case TLookGradient::lgMirrorFrom:
    case TLookGradient::lgMirrorTo:
    case TLookGradient::lgHoverMirrorFrom:
    case TLookGradient::lgHoverMirrorTo:
    case TLookGradient::lgDownMirrorFrom:
    case TLookGradient::lgDownMirrorTo:
        return true;
    default:
        return false;
    }
}
}

TControlLook::TControlLook(TComponent* AGrid)
    : FGrid(AGrid),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()),
      FGradient(ConstructionGradients),
      FDropDownHeader(std::make_unique<THeaderAppearance>(AGrid)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(AGrid))
{
}

TControlLook::~TControlLook() = default;

TColor TControlLook::DeclaredGradientDefault(TLookGradient which)
{
    switch (which) {
    case TLookGradient::lgHoverFrom: return clWhite;
    case TLookGradient::lgHoverTo: return clGray;
    case TLookGradient::lgDownFrom: return clSilver;
    case TLookGradient::lgDownTo: return clGray;
    default: return ConstructionGradients[std::size_t(which)];
    }
}


void TControlLook::CopyGlyph(TBitmap& glyph, TBitmap* value)
{
    CopyBitmap(glyph, value);
    Fire(OnInvalidate, this);
}

void TControlLook::SetColor(TColor value) { if (StoreChanged(FColor, value)) Fire(OnInvalidate, this); }
void TControlLook::SetCommentColor(TColor value) { if (StoreChanged(FCommentColor, value)) Fire(OnInvalidate, this); }
void TControlLook::SetCheckedGlyph(TBitmap* value) { CopyGlyph(*FCheckedGlyph, value); }
void TControlLook::SetUnCheckedGlyph(TBitmap* value) { CopyGlyph(*FUnCheckedGlyph, value); }
void TControlLook::SetRadioOnGlyph(TBitmap* value) { CopyGlyph(*FRadioOnGlyph, value); }
void TControlLook::SetRadioOffGlyph(TBitmap* value) { CopyGlyph(*FRadioOffGlyph, value); }
void TControlLook::SetCheckSize(int value) { if (StoreChanged(FCheckSize, value)) Fire(OnInvalidate, this); }
void TControlLook::SetRadioSize(int value) { if (StoreChanged(FRadioSize, value)) Fire(OnInvalidate, this); }
void TControlLook::SetControlStyle(TGridControlStyle value)
{
    if (StoreChanged(FControlStyle, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetDropDownAlwaysVisible(bool value)
{
    if (StoreChanged(FDropDownAlwaysVisible, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetSpinButtonsAlwaysVisible(bool value)
{
    if (StoreChanged(FSpinButtonsAlwaysVisible, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetFlatButton(bool value) { if (StoreChanged(FFlatButton, value)) Fire(OnInvalidate, this); }
void TControlLook::SetNoDisabledCheckRadioLook(bool value)
{
    if (StoreChanged(FNoDisabledCheckRadioLook, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetNoDisabledButtonLook(bool value)
{
    if (StoreChanged(FNoDisabledButtonLook, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetProgressMarginX(int value)
{
    if (StoreChanged(FProgressMarginX, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetProgressMarginY(int value)
{
    if (StoreChanged(FProgressMarginY, value)) Fire(OnInvalidate, this);
}
void TControlLook::SetProgressXP(bool value) { if (StoreChanged(FProgressXP, value)) Fire(OnInvalidate, this); }

void TControlLook::SetDropDownHeader(THeaderAppearance* value)
{
    if (value) FDropDownHeader->Assign(value);
}

void TControlLook::SetDropDownFooter(TFooterAppearance* value)
{
    if (value) FDropDownFooter->Assign(value);
}

void TControlLook::SetGradient(TLookGradient which, TColor value)
{
    FGradient[std::size_t(which)] = value;
    // A mirror colour always reaches the grid; the others only when they name a colour.
    if ((IsMirror(which) || value != clNone) && OnGradientChange) OnGradientChange(which, value);
}

void TControlLook::Init()
{
    FColor = clBlack;
    FCommentColor = clRed;
    FProgressBorderColor = clGray;
    FGradient = ConstructionGradients;
    for (TLookGradient which : {TLookGradient::lgHoverMirrorFrom, TLookGradient::lgHoverMirrorTo,
                                TLookGradient::lgDownMirrorFrom, TLookGradient::lgDownMirrorTo})
        SetGradient(which, clNone);
}

void TControlLook::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TControlLook*>(source);
    if (!s) return;
    FCheckSize = s->FCheckSize;
    FRadioSize = s->FRadioSize;
    FControlStyle = s->FControlStyle;
    FCheckedGlyph->Assign(s->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(s->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(s->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(s->FRadioOffGlyph.get());
    FProgressMarginX = s->FProgressMarginX;
    FProgressMarginY = s->FProgressMarginY;
    FCommentColor = s->FCommentColor;
    FColor = s->FColor;
    FProgressBorderColor = s->FProgressBorderColor;
    FCheckAlwaysActive = s->FCheckAlwaysActive;
    FRadioAlwaysActive = s->FRadioAlwaysActive;
    FGradient = s->FGradient;
    FDropDownAlwaysVisible = s->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = s->FSpinButtonsAlwaysVisible;
    FDropDownCount = s->FDropDownCount;
    FDropDownFooter->Assign(s->FDropDownFooter.get());
    FDropDownHeader->Assign(s->FDropDownHeader.get());
    FHintMaxWidth = s->FHintMaxWidth;
}

// ============================================================================
// TFilterData, TFilter
// ============================================================================

int TFilterData::Index() const
{
    if (!FCollection) return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (FCollection->FItems[std::size_t(i)].get() == this) return i;
    return -1;
}

void TFilterData::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TFilterData*>(source);
    if (!s) return;
    FColumn = s->FColumn;
    FCondition = s->FCondition;
    FCaseSensitive = s->FCaseSensitive;
    FData = s->FData;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
    FOperation = s->FOperation;
}

TFilter::~TFilter() = default;

void TFilter::CheckIndex(int i) const
{
    if (i < 0 || i >= Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(i));
}

TFilterData* TFilter::Items(int i) const
{
    CheckIndex(i);
    return FItems[std::size_t(i)].get();
}

void TFilter::SetItems(int i, TFilterData* value)
{
    Items(i)->Assign(value);
}

TFilterData* TFilter::Append()
{
    FItems.push_back(std::make_unique<TFilterData>(this));
    return FItems.back().get();
}

TFilterData* TFilter::Add()
{
    TFilterData* item = Append();
    item->SetOperation(Count() == 1 ? TFilterOperation::foNONE : TFilterOperation::foAND);
    return item;
}

TFilterData* TFilter::Insert(int)
{
    return Append();
}

void TFilter::Delete(int i)
{
    CheckIndex(i);
    FItems.erase(FItems.begin() + i);
}

void TFilter::Clear()
{
    FItems.clear();
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (const auto& item : FItems)
        if (item->Column() == Col) return item.get();
    TFilterData* item = Add();
    item->SetColumn(Col);
    return item;
}

bool TFilter::HasFilter(int Col) const
{
    for (const auto& item : FItems)
        if (item->Column() == Col) return true;
    return false;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[std::size_t(i)]->Column() == Col) Delete(i);
    if (OnRepaintCell) OnRepaintCell(Col, 0);
}

void TFilter::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TFilter*>(source);
    if (!s || s == this) return;
    FItems.clear();
    for (const auto& item : s->FItems) Append()->Assign(item.get());
}

// ============================================================================
// TBackGround
// ============================================================================

TBackGround::TBackGround(TComponent* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}
TBackGround::~TBackGround() = default;


void TBackGround::SetTop(int value) { if (StoreChanged(FTop, value)) Fire(OnInvalidate, this); }
void TBackGround::SetLeft(int value) { if (StoreChanged(FLeft, value)) Fire(OnInvalidate, this); }
void TBackGround::SetDisplay(TBackGroundDisplay value)
{
    if (StoreChanged(FDisplay, value)) Fire(OnInvalidate, this);
}
void TBackGround::SetCells(TBackGroundCells value) { if (StoreChanged(FCells, value)) Fire(OnInvalidate, this); }
void TBackGround::SetColor(TColor value) { if (StoreChanged(FColor, value)) Fire(OnInvalidate, this); }
void TBackGround::SetColorTo(TColor value) { if (StoreChanged(FColorTo, value)) Fire(OnInvalidate, this); }

void TBackGround::SetBitmap(TBitmap* value)
{
    CopyBitmap(*FBitmap, value);
    Fire(OnInvalidate, this);
}

void TBackGround::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TBackGround*>(source);
    if (!s) return;
    FTop = s->FTop;
    FLeft = s->FLeft;
    FDisplay = s->FDisplay;
    FBitmap->Assign(s->FBitmap.get());
    FCells = s->FCells;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
}

// ============================================================================
// TFloatingFooter
// ============================================================================

void TFloatingFooter::Invalidate()
{
    if (FFooterPanel) FFooterPanel->Invalidate();
}

void TFloatingFooter::InvalidateGrid()
{
    Fire(OnInvalidateGrid, this);
}

void TFloatingFooter::SetBorderColor(TColor value)
{
    if (!StoreChanged(FBorderColor, value)) return;
    Invalidate();
}

void TFloatingFooter::SetColor(TColor value)
{
    FColor = value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int value)
{
    FColumn = value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& value)
{
    FCustomTemplate = value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle value)
{
    FFooterStyle = value;
    if (OnLastRowHidden) OnLastRowHidden(HidesLastRow());
    InvalidateGrid();
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool value)
{
    FShowHint = value;
    if (FFooterPanel) FFooterPanel->SetShowHint(value);
}

void TFloatingFooter::SetVisible(bool value)
{
    FVisible = value;
    if (FFooterPanel) {
        FFooterPanel->SetHeight(value ? FHeight - 1 : 0);
        FFooterPanel->SetVisible(value);
    }
    const bool panelVisible = FFooterPanel ? FFooterPanel->Visible() : value;
    if (OnSetFixedFooters)
        OnSetFixedFooters(panelVisible && FFooterStyle == TFooterStyle::fsFixedLastRow ? 1 : 0);
    if (OnLastRowHidden) OnLastRowHidden(HidesLastRow());
    InvalidateGrid();
}

void TFloatingFooter::SetHeight(int value)
{
    FHeight = value;
    if (FFooterPanel && value > 0) FFooterPanel->SetHeight(value - 1);
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int column) const
{
    return OnGetColumnCalc ? OnGetColumnCalc(column) : TColumnCalcType::acNONE;
}

void TFloatingFooter::SetColumnCalc(int column, TColumnCalcType type)
{
    if (OnSetColumnCalc) OnSetColumnCalc(column, type);
}

void TFloatingFooter::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TFloatingFooter*>(source);
    if (!s) return;
    FCalculateHiddenRows = s->FCalculateHiddenRows;
    FColor = s->FColor;
    FColumn = s->FColumn;
    FCustomTemplate = s->FCustomTemplate;
    FFooterStyle = s->FFooterStyle;
    SetVisible(s->FVisible);
    FShowHint = s->FShowHint;
}

// ============================================================================
// TGrouping, TDragDropSettings, TBalloonSettings, TShowModified
// ============================================================================

void TGrouping::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TGrouping*>(source);
    if (!s) return;
    FGroupCountFormat = s->FGroupCountFormat;
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderTextColor = s->FHeaderTextColor;
    FHeaderUnderline = s->FHeaderUnderline;
    FMergeHeader = s->FMergeHeader;
    FMergeSummary = s->FMergeSummary;
    FShowGroupCount = s->FShowGroupCount;
    FSummaryColor = s->FSummaryColor;
    FSummaryColorTo = s->FSummaryColorTo;
    FSummaryTextColor = s->FSummaryTextColor;
    FSummaryLine = s->FSummaryLine;
    FAutoCheckGroup = s->FAutoCheckGroup;
    FAutoSelectGroup = s->FAutoSelectGroup;
}

TDragDropSettings::~TDragDropSettings() = default;

void TDragDropSettings::SetOleDropTarget(bool value)
{
    FOleDropTarget = value;
    if (OnIsDesigning && OnIsDesigning()) return;
    if (value) {
        FRegistered = OnRegisterDropTarget ? OnRegisterDropTarget() : false;
    } else if (FRegistered) {
        if (OnRevokeDropTarget) OnRevokeDropTarget();
        FRegistered = false;
    }
}

void TDragDropSettings::SetOleDropRTF(bool value)
{
    FOleDropRTF = value;
    if (OnDropRTFChange) OnDropRTFChange(value);
}

void TDragDropSettings::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TDragDropSettings*>(source);
    if (!s) return;
    FShowCells = s->FShowCells;
    FOleAcceptFiles = s->FOleAcceptFiles;
    FOleAcceptText = s->FOleAcceptText;
    FOleAcceptURLs = s->FOleAcceptURLs;
    FOleAppendRows = s->FOleAppendRows;
    FOleColumnDragDrop = s->FOleColumnDragDrop;
    FOleColumnReorder = s->FOleColumnReorder;
    FOleColumnsOnly = s->FOleColumnsOnly;
    FOleCopyAlways = s->FOleCopyAlways;
    FOleDropTarget = s->FOleDropTarget;
    FOleDropSource = s->FOleDropSource;
    FOleEntireRows = s->FOleEntireRows;
    FOleInsertRows = s->FOleInsertRows;
    FOleRemoveRows = s->FOleRemoveRows;
    FOleDropRTF = s->FOleDropRTF;
}

void TBalloonSettings::SetEnable(bool value)
{
    FEnable = value;
    Fire(OnEnableChange, this);
}

void TBalloonSettings::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TBalloonSettings*>(source);
    if (!s) return;
    FTextColor = s->FTextColor;
    FBackgroundColor = s->FBackgroundColor;
    FInitialDelay = s->FInitialDelay;
    FReshowDelay = s->FReshowDelay;
    FAutoHideDelay = s->FAutoHideDelay;
    FEnable = s->FEnable;
}

void TShowModified::SetColor(TColor value)
{
    FColor = value;
    Fire(OnChange, this);
}

void TShowModified::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TShowModified*>(source);
    if (!s) return;
    FColor = s->FColor;
    FEnabled = s->FEnabled;
}

// ============================================================================
// Drag scrolling
// ============================================================================

void TDragScrollDelays::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TDragScrollDelays*>(source);
    if (!s) return;
    FInitialDelay = s->FInitialDelay;
    FRepeatDelay = s->FRepeatDelay;
}

void TDragScrollMargins::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TDragScrollMargins*>(source);
    if (!s) return;
    FTopMargin = s->FTopMargin;
    FBottomMargin = s->FBottomMargin;
    FLeftMargin = s->FLeftMargin;
    FRightMargin = s->FRightMargin;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>())
{
}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TDragScrollOptions*>(source);
    if (!s) return;
    FMargins->Assign(s->FMargins.get());
    FDelays->Assign(s->FDelays.get());
    FActive = s->FActive;
}

// ============================================================================
// TGridProgressAppearance
// ============================================================================

void TGridProgressAppearance::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TGridProgressAppearance*>(source);
    if (!s) return;
    FCompleteColor = s->FCompleteColor;
    FCompleteFontColor = s->FCompleteFontColor;
    FUnCompleteColor = s->FUnCompleteColor;
    FUnCompleteFontColor = s->FUnCompleteFontColor;
    FLevel0Color = s->FLevel0Color;
    FLevel0ColorTo = s->FLevel0ColorTo;
    FLevel1Color = s->FLevel1Color;
    FLevel1ColorTo = s->FLevel1ColorTo;
    FLevel2Color = s->FLevel2Color;
    FLevel2ColorTo = s->FLevel2ColorTo;
    FLevel3Color = s->FLevel3Color;
    FLevel3ColorTo = s->FLevel3ColorTo;
    FLevel1Perc = s->FLevel1Perc;
    FLevel2Perc = s->FLevel2Perc;
    FBorderColor = s->FBorderColor;
    FShowBorder = s->FShowBorder;
    FStacked = s->FStacked;
    FShowPercentage = s->FShowPercentage;
    FCompletionSmooth = s->FCompletionSmooth;
    FShowGradient = s->FShowGradient;
    FSteps = s->FSteps;
    FStyle = s->FStyle;
    Fire(OnChange, this);
}

// ============================================================================
// TFilterDropDown
// ============================================================================

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>())
{
    FGlyph->OnChange = [this](TObject* s) { GlyphChanged(s); };
    FGlyphActive->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::GlyphChanged(TObject*)
{
    Fire(OnChange, this);
}

void TFilterDropDown::SetGlyph(TBitmap* value) { CopyBitmap(*FGlyph, value); }
void TFilterDropDown::SetGlyphActive(TBitmap* value) { CopyBitmap(*FGlyphActive, value); }

void TFilterDropDown::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TFilterDropDown*>(source);
    if (!s) return;
    FColor = s->FColor;
    FColumnWidth = s->FColumnWidth;
    FFont->Assign(s->FFont.get());
    FHeight = s->FHeight;
    FWidth = s->FWidth;
    FGlyph->Assign(s->FGlyph.get());
    FGlyphActive->Assign(s->FGlyphActive.get());
}

// ============================================================================
// TGridItem
// ============================================================================

TGridItem::TGridItem() : FItems(std::make_unique<TStringList>()) {}
TGridItem::~TGridItem() = default;

void TGridItem::SetItems(TStringList* value)
{
    if (value)
        FItems->Assign(value);
    else
        FItems->Clear();
}
