#pragma once
// The grid's option objects: small persistent groups of behaviour and look
// switches, each published as one property of the grid and created by it.
// They hold no pointer into the grid's class: where an option has to reach
// the grid (repaint, sort, hide its last row ...) the grid hooks a callback
// when it creates the object. An unhooked callback is simply not called.
//
// Assign copies only from an object of the same class and never notifies.
//
// Beside them, in headers of their own: the search footer's check box
// (ZvCheckBox.h), the focus frame's window, alpha mask and blur
// (ZvGridFocusWindow.h) and the base of cell checkers (ZvStringGridCheck.h).

#include "grid/support/ZvDropDownAppearance.h"
#include "grid/support/ZvGridTypes.h"

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TZvStringGrid;
class TSortIndexList;

// A property that is only a field: getter, setter, stored value.
#define ZV_PLAIN_PROPERTY(Type, Name, Default)                     \
public:                                                            \
    Type Name() const { return F##Name; }                          \
    void Set##Name(const Type& value) { F##Name = value; }         \
                                                                   \
private:                                                           \
    Type F##Name = Default;                                        \
                                                                   \
public:

// ============================================================================
// Search footer, navigation, mouse actions, synchronised grid, bands, focus
// ============================================================================

class TSearchFooter : public TPersistent {
public:
    // The captions and hints are filled only for a grid created new in the
    // designer; at run time they start empty and come from the stored form.
    TSearchFooter(TComponent* AOwner, bool designCreated);
    ~TSearchFooter() override;

    bool AlwaysHighLight() const { return FAlwaysHighLight; }
    void SetAlwaysHighLight(bool value);
    bool AutoSearch() const { return FAutoSearch; }
    void SetAutoSearch(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor value);
    const String& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& value);
    const String& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& value);
    const String& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const String& value);
    const String& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& value);
    const String& HintClose() const { return FHintClose; }
    void SetHintClose(const String& value);
    const String& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const String& value);
    const String& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const String& value);
    const String& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const String& value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value);
    bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
    void SetSearchActiveColumnOnly(bool value);
    int SearchColumn() const { return FSearchColumn; }
    void SetSearchColumn(int value);
    bool SearchMatchStart() const { return FSearchMatchStart; }
    void SetSearchMatchStart(bool value);
    bool SearchFixedCells() const { return FSearchFixedCells; }
    void SetSearchFixedCells(bool value);
    bool SearchHiddenRows() const { return FSearchHiddenRows; }
    void SetSearchHiddenRows(bool value);
    TSearchDirection SearchDirection() const { return FSearchDirection; }
    void SetSearchDirection(TSearchDirection value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool value);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool value);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // Not published: the grid hands its own setting on.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool value);
    // The text last searched for from the footer.
    const String& LastSearch() const { return FLastSearch; }
    void SetLastSearch(const String& value) { FLastSearch = value; }

    TComponent* Owner() const { return FOwner; }
    TNotifyEvent OnChange;

    void Assign(TPersistent* source) override;

private:
    void Changed();
    void FontChanged(TObject* sender);

    TComponent* FOwner;
    bool FAlwaysHighLight = false;
    bool FAutoSearch = true;
    TColor FColor = clWhite;
    TColor FColorTo = clBtnFace;
    String FFindNextCaption, FFindPrevCaption, FHighLightCaption, FMatchCaseCaption;
    String FHintClose, FHintFindNext, FHintFindPrev, FHintHighlight;
    std::unique_ptr<TFont> FFont;
    bool FSearchActiveColumnOnly = false;
    int FSearchColumn = -1;
    bool FSearchMatchStart = false;
    bool FSearchFixedCells = false;
    bool FSearchHiddenRows = false;
    TSearchDirection FSearchDirection = TSearchDirection::sdTopBottom;
    bool FShowClose = true;
    bool FShowFindNext = true;
    bool FShowFindPrev = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
    String FLastSearch;
    bool FAssigning = false;
};

class TNavigation : public TPersistent {
public:
    TNavigation() = default;

    ZV_PLAIN_PROPERTY(bool, AllowInsertRow, false)
    ZV_PLAIN_PROPERTY(bool, AllowDeleteRow, false)
    ZV_PLAIN_PROPERTY(bool, AlwaysEdit, false)
    ZV_PLAIN_PROPERTY(bool, AdvanceOnEnter, false)
    ZV_PLAIN_PROPERTY(bool, AdvanceOnEnterLoop, true)
    ZV_PLAIN_PROPERTY(bool, AdvanceAutoEdit, true)
    ZV_PLAIN_PROPERTY(bool, AdvanceSkipReadOnlyCells, true)
    ZV_PLAIN_PROPERTY(bool, AutoGotoIncremental, false)
    ZV_PLAIN_PROPERTY(bool, AutoComboDropSize, false)
    ZV_PLAIN_PROPERTY(bool, AllowClipboardShortCuts, false)
    ZV_PLAIN_PROPERTY(bool, AllowCtrlEnter, true)
    ZV_PLAIN_PROPERTY(bool, AllowSmartClipboard, false)
    ZV_PLAIN_PROPERTY(bool, AllowRTFClipboard, false)
    ZV_PLAIN_PROPERTY(bool, AllowFmtClipboard, false)
    ZV_PLAIN_PROPERTY(bool, AllowClipboardAlways, false)
    ZV_PLAIN_PROPERTY(bool, AllowClipboardRowGrow, true)
    ZV_PLAIN_PROPERTY(bool, AllowClipboardColGrow, true)
    ZV_PLAIN_PROPERTY(bool, AppendOnArrowDown, false)
    ZV_PLAIN_PROPERTY(bool, EditSelectAll, true)
    ZV_PLAIN_PROPERTY(TInsertPosition, InsertPosition, TInsertPosition::pInsertBefore)
    ZV_PLAIN_PROPERTY(TClipboardPasteAction, ClipboardPasteAction, TClipboardPasteAction::paReplace)
    ZV_PLAIN_PROPERTY(bool, ComboGetUpDown, true)
    ZV_PLAIN_PROPERTY(TCursorAdvance, CursorAdvance, TCursorAdvance::caDefault)
    ZV_PLAIN_PROPERTY(bool, CursorWalkEditor, false)
    ZV_PLAIN_PROPERTY(bool, CursorWalkAlwaysEdit, true)
    ZV_PLAIN_PROPERTY(bool, CursorMoveRows, false)
    ZV_PLAIN_PROPERTY(bool, MoveRowOnSort, false)
    ZV_PLAIN_PROPERTY(bool, KeepScrollOnSort, false)
    ZV_PLAIN_PROPERTY(bool, MoveScrollOnly, false)
    ZV_PLAIN_PROPERTY(bool, ImproveMaskSel, false)
    ZV_PLAIN_PROPERTY(bool, LeftRightRowSelect, true)
    ZV_PLAIN_PROPERTY(bool, CopyHTMLTagsToClipboard, true)
    ZV_PLAIN_PROPERTY(bool, KeepHorizScroll, false)
    ZV_PLAIN_PROPERTY(bool, LineFeedOnEnter, false)
    ZV_PLAIN_PROPERTY(THomeEndAction, HomeEndKey, THomeEndAction::heFirstLastColumn)
    ZV_PLAIN_PROPERTY(bool, SkipFixedCells, true)
    ZV_PLAIN_PROPERTY(bool, SkipDisabledRows, true)
    ZV_PLAIN_PROPERTY(bool, TabToNextAtEnd, false)
    ZV_PLAIN_PROPERTY(TAdvanceDirection, TabAdvanceDirection, TAdvanceDirection::adLeftRight)
    // Only stores: the sorted state is read when the grid sorts.
    ZV_PLAIN_PROPERTY(bool, AutoGotoWhenSorted, false)

public:
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool value);
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection value);
    bool AdvanceAuto() const { return FAdvanceAuto; }
    // Switching it on also switches AdvanceOnEnter on.
    void SetAdvanceAuto(bool value);

    TNotifyEvent OnChange;
    void Assign(TPersistent* source) override;

private:
    bool FAdvanceInsert = false;
    TAdvanceDirection FAdvanceDirection = TAdvanceDirection::adLeftRight;
    bool FAdvanceAuto = false;
};

class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TComponent* AOwner);
    ~TMouseActions() override;

    ZV_PLAIN_PROPERTY(bool, AllColumnSize, false)
    ZV_PLAIN_PROPERTY(bool, AllRowSize, false)
    ZV_PLAIN_PROPERTY(bool, AllSelect, false)
    ZV_PLAIN_PROPERTY(bool, AutoSizeColOnDblClick, true)
    ZV_PLAIN_PROPERTY(bool, CaretPositioning, false)
    ZV_PLAIN_PROPERTY(bool, CheckAllCheck, false)
    ZV_PLAIN_PROPERTY(bool, ColSelect, false)
    ZV_PLAIN_PROPERTY(bool, DirectComboClose, false)
    ZV_PLAIN_PROPERTY(bool, DirectComboDrop, false)
    ZV_PLAIN_PROPERTY(bool, DirectDateClose, false)
    ZV_PLAIN_PROPERTY(bool, DirectDateDrop, false)
    ZV_PLAIN_PROPERTY(bool, DirectEdit, false)
    ZV_PLAIN_PROPERTY(bool, DisjunctRowSelectNoCtrl, false)
    ZV_PLAIN_PROPERTY(TGridFixedCellEdit, FixedRowsEdit, TGridFixedCellEdit::fceNone)
    ZV_PLAIN_PROPERTY(TGridFixedCellEditor, FixedRowsEditor, TGridFixedCellEditor::fceEdit)
    ZV_PLAIN_PROPERTY(TGridFixedCellEditor, FixedColsEditor, TGridFixedCellEditor::fceEdit)
    ZV_PLAIN_PROPERTY(TGridFixedCellEdit, FixedColsEdit, TGridFixedCellEdit::fceNone)
    ZV_PLAIN_PROPERTY(bool, MoveRowOnNodeClick, false)
    ZV_PLAIN_PROPERTY(bool, NoAutoRangeScroll, false)
    ZV_PLAIN_PROPERTY(bool, NodeAllExpandContract, false)
    ZV_PLAIN_PROPERTY(bool, NoScrollOnPartialRow, false)
    ZV_PLAIN_PROPERTY(bool, PreciseCheckBoxCheck, false)
    ZV_PLAIN_PROPERTY(bool, PreciseNodeClick, true)
    ZV_PLAIN_PROPERTY(bool, RangeSelectAndEdit, false)
    ZV_PLAIN_PROPERTY(bool, RowSelect, false)
    ZV_PLAIN_PROPERTY(bool, RowSelectPersistent, false)
    ZV_PLAIN_PROPERTY(bool, SelectOnRightClick, false)
    ZV_PLAIN_PROPERTY(bool, SizeFixedCol, false)
    ZV_PLAIN_PROPERTY(bool, SizeFixedRow, false)
    ZV_PLAIN_PROPERTY(int, WheelIncrement, 0)

public:
    // Switching it on also switches DisjunctRowSelect and CheckAllCheck on; then OnInvalidate.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool value);
    // Switching it on calls OnDisableEdit.
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool value);
    // At design time the three disjunct modes exclude each other.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool value);
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction value);
    TStringList* FixedComboValues() const { return FFixedComboValues.get(); }
    void SetFixedComboValues(TStringList* value);

    TComponent* Owner() const { return FOwner; }
    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TIsDesigningEvent OnIsDesigning;
    TNotifyEvent OnDisableEdit;

    void Assign(TPersistent* source) override;

private:
    bool IsDesigning();
    // A disjunct mode switched on at design time clears the other two.
    void ExcludeOtherDisjunctModes(bool& keep, bool value);

    TComponent* FOwner;
    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    TWheelAction FWheelAction = TWheelAction::waMoveSelection;
    std::unique_ptr<TStringList> FFixedComboValues;
};

class TSyncGrid : public TPersistent {
public:
    explicit TSyncGrid(TZvStringGrid* AOwner) : FOwner(AOwner) {}

    TZvStringGrid* Grid() const { return FGrid; }
    // The owning grid itself is ignored; any other grid (or none) is kept.
    void SetGrid(TZvStringGrid* value);
    TZvStringGrid* Owner() const { return FOwner; }

    ZV_PLAIN_PROPERTY(bool, ScrollVertical, false)
    ZV_PLAIN_PROPERTY(bool, ScrollHorizontal, false)
    ZV_PLAIN_PROPERTY(bool, SelectionColumn, false)
    ZV_PLAIN_PROPERTY(bool, SelectionRow, false)
    ZV_PLAIN_PROPERTY(bool, MoveColumn, false)
    ZV_PLAIN_PROPERTY(bool, MoveRow, false)

public:
    void Assign(TPersistent* source) override;

private:
    TZvStringGrid* FOwner;
    TZvStringGrid* FGrid = nullptr;
};

class TBands : public TPersistent {
public:
    TBands() = default;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int value);
    ZV_PLAIN_PROPERTY(bool, Print, false)

public:
    // PrimaryLength + SecondaryLength, kept by the length setters only.
    int TotalLength() const { return FTotalLength; }

    TNotifyEvent OnChange;
    void Assign(TPersistent* source) override;

private:
    void ChangedWhileActive();

    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TComponent* AOwner) : FOwner(AOwner) {}
    ZV_PLAIN_PROPERTY(bool, Enabled, false)

public:
    TComponent* Owner() const { return FOwner; }
    void Assign(TPersistent* source) override;

private:
    TComponent* FOwner;
};

// ============================================================================
// Sort settings, control look, filter conditions
// ============================================================================

enum class TIndexSortKey { ikShift, ikCtrl };
enum class TSortBlankPosition { blFirst, blLast };
enum class TSortDirection { sdAscending, sdDescending };

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TComponent* AGrid);
    ~TSortSettings() override;

    ZV_PLAIN_PROPERTY(bool, AutoSortForGrouping, true)
    ZV_PLAIN_PROPERTY(bool, AutoColumnMerge, false)
    ZV_PLAIN_PROPERTY(int, Column, -1)
    ZV_PLAIN_PROPERTY(bool, IndexShow, false)
    ZV_PLAIN_PROPERTY(TColor, IndexColor, clYellow)
    ZV_PLAIN_PROPERTY(TIndexSortKey, IndexSortKey, TIndexSortKey::ikShift)
    ZV_PLAIN_PROPERTY(bool, Full, true)
    ZV_PLAIN_PROPERTY(bool, SingleColumn, false)
    ZV_PLAIN_PROPERTY(bool, IgnoreBlanks, false)
    ZV_PLAIN_PROPERTY(TSortBlankPosition, BlankPos, TSortBlankPosition::blFirst)
    ZV_PLAIN_PROPERTY(bool, AutoFormat, true)
    ZV_PLAIN_PROPERTY(TSortDirection, Direction, TSortDirection::sdAscending)
    ZV_PLAIN_PROPERTY(bool, IgnoreCase, false)
    ZV_PLAIN_PROPERTY(TSortDirection, InitSortDirection, TSortDirection::sdAscending)
    ZV_PLAIN_PROPERTY(bool, FixedCols, false)
    ZV_PLAIN_PROPERTY(bool, NormalCellsOnly, false)
    ZV_PLAIN_PROPERTY(bool, UndoSort, false)
    ZV_PLAIN_PROPERTY(bool, SortOnVirtualCells, true)

public:
    bool Show() const { return FShow; }
    // Invalidates the grid when it changes.
    void SetShow(bool value);
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(TBitmap* value);
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(TBitmap* value);
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(TBitmap* value);
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(TBitmap* value);
    int Row() const { return FRow; }
    // Raises "Sort row should be smaller than number of fixed rows" for a row
    // at or past the grid's fixed rows, keeping the old one.
    void SetRow(int value);
    // Colours of the last fixed row's sorted header; clNone paints none.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor value);
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor value);
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor value);
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor value);

    // "u3", "d0", "u-1", or with IndexShow "i;" and the index list ("i;u2;d0").
    String SaveToString() const;
    // Restores the state from such a text and sorts the grid. Raises
    // "Invalid sort settings specifier" for a one-character text.
    void LoadFromString(const String& text);
    // No sort column, the index list emptied, the sort row repainted.
    void Remove();
    void ToggleDirection();

    // ---- Hooks into the grid ----
    TComponent* Grid() const { return FGrid; }
    // The grid's multi-column sort index list (owned by the grid).
    TSortIndexList* SortIndexes() const { return FSortIndexes; }
    void SetSortIndexes(TSortIndexList* list) { FSortIndexes = list; }
    std::function<int()> OnGetFixedRows;
    TNotifyEvent OnSort;            // sort on Column and Direction
    TNotifyEvent OnSortIndexed;     // sort on the index list
    TNotifyEvent OnInvalidate;      // repaint the whole grid
    TNotifyEvent OnRepaintSortRow;  // repaint the last fixed row

    void Assign(TPersistent* source) override;

private:
    int FixedRows() const;
    void StoreHeaderColor(TColor& field, TColor value);
    void Notify(const TNotifyEvent& event);

    TComponent* FGrid;
    TSortIndexList* FSortIndexes = nullptr;
    bool FShow = false;
    std::unique_ptr<TBitmap> FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
    int FRow = 0;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
};

// The look of check boxes, radio buttons and the grid's editors. Named apart
// from the platform's control-style set, which TControl already calls TControlStyle.
enum class TGridControlStyle { csClassic, csFlat, csWinXP, csBorland, csVUD, csGlyph, csTheme };

// The grid's fixed-cell gradient colours that the control look hands on.
enum class TLookGradient {
    lgFrom, lgTo, lgMirrorFrom, lgMirrorTo,
    lgHoverFrom, lgHoverTo, lgHoverMirrorFrom, lgHoverMirrorTo, lgHoverBorder,
    lgDownFrom, lgDownTo, lgDownMirrorFrom, lgDownMirrorTo, lgDownBorder
};
constexpr int LookGradientCount = 14;

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TComponent* AGrid);
    ~TControlLook() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor value);
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(TBitmap* value);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(TBitmap* value);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(TBitmap* value);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(TBitmap* value);

    // The fourteen fixed-cell gradient colours, by name and by kind.
    TColor Gradient(TLookGradient which) const { return FGradient[std::size_t(which)]; }
    void SetGradient(TLookGradient which, TColor value);
    TColor FixedGradientFrom() const { return Gradient(TLookGradient::lgFrom); }
    void SetFixedGradientFrom(TColor v) { SetGradient(TLookGradient::lgFrom, v); }
    TColor FixedGradientTo() const { return Gradient(TLookGradient::lgTo); }
    void SetFixedGradientTo(TColor v) { SetGradient(TLookGradient::lgTo, v); }
    TColor FixedGradientMirrorFrom() const { return Gradient(TLookGradient::lgMirrorFrom); }
    void SetFixedGradientMirrorFrom(TColor v) { SetGradient(TLookGradient::lgMirrorFrom, v); }
    TColor FixedGradientMirrorTo() const { return Gradient(TLookGradient::lgMirrorTo); }
    void SetFixedGradientMirrorTo(TColor v) { SetGradient(TLookGradient::lgMirrorTo, v); }
    TColor FixedGradientHoverFrom() const { return Gradient(TLookGradient::lgHoverFrom); }
    void SetFixedGradientHoverFrom(TColor v) { SetGradient(TLookGradient::lgHoverFrom, v); }
    TColor FixedGradientHoverTo() const { return Gradient(TLookGradient::lgHoverTo); }
    void SetFixedGradientHoverTo(TColor v) { SetGradient(TLookGradient::lgHoverTo, v); }
    TColor FixedGradientHoverMirrorFrom() const { return Gradient(TLookGradient::lgHoverMirrorFrom); }
    void SetFixedGradientHoverMirrorFrom(TColor v) { SetGradient(TLookGradient::lgHoverMirrorFrom, v); }
    TColor FixedGradientHoverMirrorTo() const { return Gradient(TLookGradient::lgHoverMirrorTo); }
    void SetFixedGradientHoverMirrorTo(TColor v) { SetGradient(TLookGradient::lgHoverMirrorTo, v); }
    TColor FixedGradientHoverBorder() const { return Gradient(TLookGradient::lgHoverBorder); }
    void SetFixedGradientHoverBorder(TColor v) { SetGradient(TLookGradient::lgHoverBorder, v); }
    TColor FixedGradientDownFrom() const { return Gradient(TLookGradient::lgDownFrom); }
    void SetFixedGradientDownFrom(TColor v) { SetGradient(TLookGradient::lgDownFrom, v); }
    TColor FixedGradientDownTo() const { return Gradient(TLookGradient::lgDownTo); }
    void SetFixedGradientDownTo(TColor v) { SetGradient(TLookGradient::lgDownTo, v); }
    TColor FixedGradientDownMirrorFrom() const { return Gradient(TLookGradient::lgDownMirrorFrom); }
    void SetFixedGradientDownMirrorFrom(TColor v) { SetGradient(TLookGradient::lgDownMirrorFrom, v); }
    TColor FixedGradientDownMirrorTo() const { return Gradient(TLookGradient::lgDownMirrorTo); }
    void SetFixedGradientDownMirrorTo(TColor v) { SetGradient(TLookGradient::lgDownMirrorTo, v); }
    TColor FixedGradientDownBorder() const { return Gradient(TLookGradient::lgDownBorder); }
    void SetFixedGradientDownBorder(TColor v) { SetGradient(TLookGradient::lgDownBorder, v); }
    // The value a layout compares with before storing (the hover and down
    // from/to pairs are declared the other way round from how they start).
    static TColor DeclaredGradientDefault(TLookGradient which);

    ZV_PLAIN_PROPERTY(bool, FixedDropDownButton, false)
    ZV_PLAIN_PROPERTY(int, HintMaxWidth, 0)
    ZV_PLAIN_PROPERTY(bool, CheckAlwaysActive, false)
    ZV_PLAIN_PROPERTY(bool, RadioAlwaysActive, false)
    ZV_PLAIN_PROPERTY(int, DropDownCount, 8)
    ZV_PLAIN_PROPERTY(TColor, ProgressBorderColor, clGray)

public:
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int value);
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int value);
    TGridControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TGridControlStyle value);
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool value);
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool value);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool value);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool value);
    int ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(int value);
    int ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(int value);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool value);
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* value);
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* value);

    // Back to the colours of construction; the hover and down mirror colours
    // go through their setters so the grid receives them too.
    void Init();

    // ---- Hooks into the grid ----
    TComponent* Grid() const { return FGrid; }
    TNotifyEvent OnInvalidate;
    // The grid's own fixed-cell gradient colour of that kind takes the value.
    std::function<void(TLookGradient which, TColor value)> OnGradientChange;

    void Assign(TPersistent* source) override;

private:
    void CopyGlyph(TBitmap& glyph, TBitmap* value);

    TComponent* FGrid;
    TColor FColor = clBlack;
    TColor FCommentColor = clRed;
    std::unique_ptr<TBitmap> FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    std::array<TColor, LookGradientCount> FGradient{};
    int FCheckSize = 15;
    int FRadioSize = 10;
    TGridControlStyle FControlStyle = TGridControlStyle::csTheme;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    int FProgressMarginX = 2;
    int FProgressMarginY = 2;
    bool FProgressXP = false;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
};

enum class TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum class TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum class TFilterMethod { fmExpression, fmLiteral };

class TFilter;

// One filter condition.
class TFilterData : public TPersistent {
public:
    explicit TFilterData(TFilter* collection = nullptr) : FCollection(collection) {}

    // The real column the condition applies to (a 16-bit value).
    int Column() const { return FColumn; }
    void SetColumn(int value) { FColumn = std::int16_t(value); }
    ZV_PLAIN_PROPERTY(String, Condition, String())
    ZV_PLAIN_PROPERTY(bool, CaseSensitive, true)
    ZV_PLAIN_PROPERTY(TFilterCells, Data, TFilterCells::fcVirtual)
    ZV_PLAIN_PROPERTY(String, Prefix, String())
    ZV_PLAIN_PROPERTY(String, Suffix, String())
    ZV_PLAIN_PROPERTY(TFilterOperation, Operation, TFilterOperation::foSHORT)
    ZV_PLAIN_PROPERTY(TFilterMethod, Method, TFilterMethod::fmExpression)

public:
    TFilter* Collection() const { return FCollection; }
    // Position in its collection, -1 without one.
    int Index() const;
    // Copies everything but Method.
    void Assign(TPersistent* source) override;

private:
    friend class TFilter;
    TFilter* FCollection;
    std::int16_t FColumn = 0;
};

// The filter conditions the grid's filtering evaluates, in order.
class TFilter : public TPersistent {
public:
    explicit TFilter(TComponent* AGrid) : FGrid(AGrid) {}
    ~TFilter() override;

    int Count() const { return int(FItems.size()); }
    TFilterData* Items(int i) const;
    TFilterData* operator[](int i) const { return Items(i); }
    // Copies `value` into condition i.
    void SetItems(int i, TFilterData* value);

    // Appends a condition: foNONE when it is the only one, foAND otherwise.
    TFilterData* Add();
    // Appends like the collection's own add (the index is not used).
    TFilterData* Insert(int index);
    void Delete(int i);
    void Clear();

    // The first condition of that column; a new one (through Add) when none.
    TFilterData* GetColFilter(int Col);
    bool HasFilter(int Col) const;
    // Deletes every condition of the column and repaints its header cell.
    void RemoveColumnFilter(int Col);

    // The grid, which is also the owner for streaming.
    TComponent* Grid() const { return FGrid; }
    TComponent* GetOwner() const { return FGrid; }
    std::function<void(int ACol, int ARow)> OnRepaintCell;

    // Replaces the conditions by copies of the source's.
    void Assign(TPersistent* source) override;

private:
    friend class TFilterData;
    TFilterData* Append();
    void CheckIndex(int i) const;

    TComponent* FGrid;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};

// ============================================================================
// Background, floating footer, grouping, drag and drop, balloons, modified
// cells, drag scrolling, progress bars, filter drop-down, hidden rows
// ============================================================================

enum class TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum class TBackGroundCells { bcNormal, bcFixed, bcAll };

// Every setter stores and invalidates the grid, changed or not.
class TBackGround : public TPersistent {
public:
    explicit TBackGround(TComponent* AGrid);
    ~TBackGround() override;

    int Top() const { return FTop; }
    void SetTop(int value);
    int Left() const { return FLeft; }
    void SetLeft(int value);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay value);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* value);
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor value);

    TComponent* Grid() const { return FGrid; }
    TNotifyEvent OnInvalidate;
    void Assign(TPersistent* source) override;

private:

    TComponent* FGrid;
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = TBackGroundDisplay::bdTile;
    std::unique_ptr<TBitmap> FBitmap;
    TBackGroundCells FCells = TBackGroundCells::bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
};

enum class TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
using TFloatingFooterCalcEvent = std::function<void(TObject* Sender, int ACol, String& Value)>;

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TComponent* AGrid) : FGrid(AGrid) {}

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    ZV_PLAIN_PROPERTY(bool, CalculateHiddenRows, true)
    ZV_PLAIN_PROPERTY(bool, EnableCalculation, true)

public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Column() const { return FColumn; }
    void SetColumn(int value);
    const String& CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const String& value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // The footer panel's height plus one; follows the grid's default row height.
    int Height() const { return FHeight; }
    void SetHeight(int value);

    // True when the grid's last row is the footer and so hidden as a normal row.
    bool HidesLastRow() const { return FVisible && FFooterStyle == TFooterStyle::fsFixedLastRow; }
    // Repaints the footer panel.
    void Invalidate();
    TColumnCalcType GetColumnCalc(int column) const;
    void SetColumnCalc(int column, TColumnCalcType type);

    TFloatingFooterCalcEvent OnCalcFooter;

    // ---- Hooks into the grid ----
    TComponent* Grid() const { return FGrid; }
    // The grid's footer panel (owned by the grid), once it exists.
    TWinControl* FooterPanel() const { return FFooterPanel; }
    void SetFooterPanel(TWinControl* panel) { FFooterPanel = panel; }
    std::function<void(int count)> OnSetFixedFooters;
    // The grid hides (true) or shows (false) its last row as a normal row.
    std::function<void(bool hidden)> OnLastRowHidden;
    TNotifyEvent OnInvalidateGrid;
    // The calculation kept in the cell properties of the column's last-row
    // cell (acNONE when it has none), and storing one there with a recalculation.
    std::function<TColumnCalcType(int column)> OnGetColumnCalc;
    std::function<void(int column, TColumnCalcType type)> OnSetColumnCalc;

    void Assign(TPersistent* source) override;

private:
    void InvalidateGrid();

    TComponent* FGrid;
    TWinControl* FFooterPanel = nullptr;
    TColor FBorderColor = clNone;
    TColor FColor = clBtnFace;
    int FColumn = 0;
    String FCustomTemplate;
    TFooterStyle FFooterStyle = TFooterStyle::fsFixedLastRow;
    bool FShowHint = false;
    bool FVisible = false;
    int FHeight = 23;
};

class TGrouping : public TPersistent {
public:
    TGrouping() = default;

    ZV_PLAIN_PROPERTY(bool, AutoSelectGroup, false)
    ZV_PLAIN_PROPERTY(bool, AutoCheckGroup, false)
    ZV_PLAIN_PROPERTY(String, GroupCountFormat, String())
    ZV_PLAIN_PROPERTY(TColor, HeaderColor, clNone)
    ZV_PLAIN_PROPERTY(TColor, HeaderColorTo, clNone)
    ZV_PLAIN_PROPERTY(TColor, HeaderTextColor, clNone)
    ZV_PLAIN_PROPERTY(bool, HeaderUnderline, false)
    ZV_PLAIN_PROPERTY(TColor, HeaderLineColor, clBlue)
    ZV_PLAIN_PROPERTY(int, HeaderLineWidth, 2)
    ZV_PLAIN_PROPERTY(bool, MergeHeader, false)
    ZV_PLAIN_PROPERTY(bool, MergeSummary, false)
    ZV_PLAIN_PROPERTY(bool, ShowGroupCount, false)
    ZV_PLAIN_PROPERTY(bool, Summary, false)
    ZV_PLAIN_PROPERTY(TColor, SummaryColor, clNone)
    ZV_PLAIN_PROPERTY(TColor, SummaryColorTo, clNone)
    ZV_PLAIN_PROPERTY(TColor, SummaryTextColor, clNone)
    ZV_PLAIN_PROPERTY(bool, SummaryLine, false)
    ZV_PLAIN_PROPERTY(TColor, SummaryLineColor, clBlue)
    ZV_PLAIN_PROPERTY(int, SummaryLineWidth, 2)

public:
    void Assign(TPersistent* source) override;
};

class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TComponent* AGrid) : FGrid(AGrid) {}
    ~TDragDropSettings() override;

    ZV_PLAIN_PROPERTY(bool, ShowCells, true)
    ZV_PLAIN_PROPERTY(bool, OleAcceptFiles, true)
    ZV_PLAIN_PROPERTY(bool, OleAcceptText, true)
    ZV_PLAIN_PROPERTY(bool, OleAcceptURLs, true)
    ZV_PLAIN_PROPERTY(bool, OleAppendRows, false)
    ZV_PLAIN_PROPERTY(bool, OleColumnDragDrop, false)
    ZV_PLAIN_PROPERTY(bool, OleColumnReorder, false)
    ZV_PLAIN_PROPERTY(bool, OleColumnsOnly, false)
    ZV_PLAIN_PROPERTY(bool, OleCopyAlways, false)
    ZV_PLAIN_PROPERTY(bool, OleDropSource, false)
    ZV_PLAIN_PROPERTY(bool, OleEntireRows, false)
    ZV_PLAIN_PROPERTY(bool, OleInsertRows, false)
    ZV_PLAIN_PROPERTY(bool, OleRemoveRows, false)

public:
    bool OleDropTarget() const { return FOleDropTarget; }
    // Registers (true) or revokes (false) the grid's window as a drop
    // target, except at design time.
    void SetOleDropTarget(bool value);
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool value);
    // Whether the registration as a drop target succeeded.
    bool DropTargetRegistered() const { return FRegistered; }

    // ---- Hooks into the grid and its drag-and-drop layer ----
    TComponent* Grid() const { return FGrid; }
    std::function<bool()> OnIsDesigning;
    // Creates the drop target and registers the grid's window; true on success.
    std::function<bool()> OnRegisterDropTarget;
    std::function<void()> OnRevokeDropTarget;
    // The drag-and-drop layer's global rich-text flag.
    std::function<void(bool)> OnDropRTFChange;

    // Copies the fifteen settings as fields: no registration happens.
    void Assign(TPersistent* source) override;

private:
    TComponent* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
    bool FRegistered = false;
};

class TBalloonSettings : public TPersistent {
public:
    TBalloonSettings() = default;

    ZV_PLAIN_PROPERTY(int, AutoHideDelay, -1)
    ZV_PLAIN_PROPERTY(TColor, BackgroundColor, clNone)
    ZV_PLAIN_PROPERTY(int, InitialDelay, -1)
    ZV_PLAIN_PROPERTY(int, ReshowDelay, -1)
    ZV_PLAIN_PROPERTY(TColor, TextColor, clNone)
    ZV_PLAIN_PROPERTY(std::uint8_t, Transparency, 0)

public:
    bool Enable() const { return FEnable; }
    // Stores and fires OnEnableChange (the grid makes or drops its balloon window).
    void SetEnable(bool value);

    TNotifyEvent OnEnableChange;
    void Assign(TPersistent* source) override;

private:
    bool FEnable = false;
};

class TShowModified : public TPersistent {
public:
    TShowModified() = default;

    ZV_PLAIN_PROPERTY(bool, Enabled, false)

public:
    TColor Color() const { return FColor; }
    // Stores and fires OnChange.
    void SetColor(TColor value);

    TNotifyEvent OnChange;
    void Assign(TPersistent* source) override;

private:
    TColor FColor = clYellow;
};

class TDragScrollDelays : public TPersistent {
public:
    ZV_PLAIN_PROPERTY(int, InitialDelay, 1000)
    ZV_PLAIN_PROPERTY(int, RepeatDelay, 250)

public:
    void Assign(TPersistent* source) override;
};

class TDragScrollMargins : public TPersistent {
public:
    ZV_PLAIN_PROPERTY(int, TopMargin, 50)
    ZV_PLAIN_PROPERTY(int, BottomMargin, 50)
    ZV_PLAIN_PROPERTY(int, LeftMargin, 50)
    ZV_PLAIN_PROPERTY(int, RightMargin, 50)

public:
    void Assign(TPersistent* source) override;
};

class TDragScrollOptions : public TPersistent {
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;

    ZV_PLAIN_PROPERTY(bool, Active, false)

public:
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    void SetDelays(TDragScrollDelays* value) { FDelays->Assign(value); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }
    void SetMargins(TDragScrollMargins* value) { FMargins->Assign(value); }

    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};

enum class TProgressStyle { psXP, psClassic };

// Every setter stores a changed value and fires OnChange; an equal value does nothing.
class TGridProgressAppearance : public TPersistent {
public:
    TGridProgressAppearance() = default;

#define ZV_PROGRESS_PROPERTY(Type, Name, Default)                  \
public:                                                            \
    Type Name() const { return F##Name; }                          \
    void Set##Name(const Type& value) { Update(F##Name, value); }  \
                                                                   \
private:                                                           \
    Type F##Name = Default;                                        \
                                                                   \
public:

    ZV_PROGRESS_PROPERTY(TColor, CompleteColor, clRed)
    ZV_PROGRESS_PROPERTY(TColor, CompleteFontColor, clBlue)
    ZV_PROGRESS_PROPERTY(TColor, UnCompleteColor, clNone)
    ZV_PROGRESS_PROPERTY(TColor, UnCompleteFontColor, clWindowText)
    ZV_PROGRESS_PROPERTY(TColor, Level0Color, 0x00FF00)
    ZV_PROGRESS_PROPERTY(TColor, Level0ColorTo, 0xE1FFE1)
    ZV_PROGRESS_PROPERTY(TColor, Level1Color, 0x00FFFF)
    ZV_PROGRESS_PROPERTY(TColor, Level1ColorTo, 0xCAFFFF)
    ZV_PROGRESS_PROPERTY(TColor, Level2Color, 0x53A9FF)
    ZV_PROGRESS_PROPERTY(TColor, Level2ColorTo, 0xA8D3FF)
    ZV_PROGRESS_PROPERTY(TColor, Level3Color, 0x0000FF)
    ZV_PROGRESS_PROPERTY(TColor, Level3ColorTo, 0xCACAFF)
    ZV_PROGRESS_PROPERTY(int, Level1Perc, 70)
    ZV_PROGRESS_PROPERTY(int, Level2Perc, 90)
    ZV_PROGRESS_PROPERTY(TColor, BorderColor, 0x000000)
    ZV_PROGRESS_PROPERTY(bool, ShowBorder, false)
    ZV_PROGRESS_PROPERTY(bool, Stacked, false)
    ZV_PROGRESS_PROPERTY(bool, ShowPercentage, true)
    ZV_PROGRESS_PROPERTY(bool, CompletionSmooth, true)
    ZV_PROGRESS_PROPERTY(bool, ShowGradient, true)
    ZV_PROGRESS_PROPERTY(int, Steps, 11)
    // Not published.
    ZV_PROGRESS_PROPERTY(TProgressStyle, Style, TProgressStyle::psXP)

#undef ZV_PROGRESS_PROPERTY

public:
    TNotifyEvent OnChange;
    // Copies everything and fires OnChange once.
    void Assign(TPersistent* source) override;

private:
    template <class T>
    void Update(T& field, const T& value)
    {
        if (StoreChanged(field, value) && OnChange) OnChange(this);
    }
};

class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown();
    ~TFilterDropDown() override;

    ZV_PLAIN_PROPERTY(bool, AutoSize, false)
    ZV_PLAIN_PROPERTY(TColor, Color, clWindow)
    ZV_PLAIN_PROPERTY(bool, ColumnWidth, false)
    ZV_PLAIN_PROPERTY(int, Height, 150)
    ZV_PLAIN_PROPERTY(int, Width, 150)

public:
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    // A change of either bitmap fires OnChange.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(TBitmap* value);

    TNotifyEvent OnChange;
    void Assign(TPersistent* source) override;

private:
    void GlyphChanged(TObject* sender);

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph, FGlyphActive;
};

// One hidden row, kept aside with its texts while hidden.
class TGridItem : public TPersistent {
public:
    TGridItem();
    ~TGridItem() override;

    ZV_PLAIN_PROPERTY(int, Idx, 0)      // the row's real index
    ZV_PLAIN_PROPERTY(int, Height, 0)   // its height when hidden
    ZV_PLAIN_PROPERTY(int, Level, 0)    // the filter level when hidden

public:
    // The row's cell texts; writing copies the given texts.
    TStringList* Items() const { return FItems.get(); }
    void SetItems(TStringList* value);

private:
    std::unique_ptr<TStringList> FItems;
};

// A listener the grid calls after its cells changed; derive to react.
class TGridChangeNotifier : public TComponent {
public:
    explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
    virtual void GridCellsChanged(TRect cells) { (void)cells; }
};

#undef ZV_PLAIN_PROPERTY
