#pragma once
// TCustomZvGridDropDown: a drop-down edit whose pop-up holds a whole string
// grid (the inner grid). With UseItems the grid is refilled from Items at
// every opening, item i in row i + 1; without it the owner fills the inner
// grid and the drop-down reads its cells. Each item row's column-0 cell
// object holds the item index, so a sorted or narrowed list still maps its
// rows back to items. Typing in the edit completes from the lookup column;
// typing in the open list looks an item up or narrows the list down.
//
// The inner grid's events reach the drop-down's OnGrid... events with the
// grid as Sender; the ones that may open a dialog (anchor, button and
// ellipsis clicks) run with the pop-up's activation blocked, so the dialog
// does not close it.

#include "dropdowns/pickers/ZvMultiColumnDropDown.h"
#include "grid/ZvGrid.h"

class TCustomZvGridDropDown;

// The look a cell would be drawn with: its font, alignment and background.
using TGetCellPropEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TFont* AFont, TAlignment& Alignment, TColor& Color)>;

namespace ZvGridDrop {

// The item a row of the list shows, kept as the row's column-0 cell object
// so that it travels with the row through sorting and filtering.
class TItemTag : public TObject {
public:
    explicit TItemTag(int index) : Index(index) {}
    const int Index;
};

// The inner grid: a string grid with the drop-down's columns and a link back to it.
class TZvColGrid : public TZvStringGrid {
public:
    explicit TZvColGrid(TComponent* AOwner);
    ~TZvColGrid() override;

    void SetDropDown(TCustomZvGridDropDown* value) { FZvDropDown = value; }
    TCustomZvGridDropDown* DropDown() const { return FZvDropDown; }
    ZvMultiColumn::TDropDownColumns* Columns() const { return FColumns.get(); }
    TColor HeaderColor = clWhite;
    TColor HeaderColorTo = clGray;
    TColor LineColor = clGray;
    TColor FixedLineColor = 0;
    int HeaderHeight = 25;
    TCustomImageList* Images = nullptr;
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* value) { FHeaderFont->Assign(value); }
    void SetColumns(ZvMultiColumn::TDropDownColumns* value) { FColumns->Assign(value); }
    // The drop-down's line width: kept here, while the inherited grid lines
    // are drawn with no width of their own.
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);
    // Kept for the drop-down's interface; the inherited drawing does not ask them.
    TGetCellTextEvent OnGetCellText;
    TGetCellPropEvent OnGetCellProp;

    void LoadFromDropDown(TCustomZvGridDropDown* D);
    void FillFromItems();
    void AutoSizeColumn(int c);
    void AutoSizeItemColumns();
    void FitRowHeights();
    int ColumnsWidth() const;
    void HideCellEditor() { HideEditor(); }
    // The tag object for an item index (-1: the header row). Tags are shared
    // and live to the program's end: a grid reads its cell objects while it
    // is destroyed, after its own members are gone.
    static TObject* TagFor(int item);
    // The item a row's tag names; -1 for a row without one.
    int ItemOfRowTag(int row) const;

    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool value) { FConfirmSelection = value; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    TNotifyEvent OnSelect;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoSelect();
    void KeyDownHook(WORD& Key, TShiftState Shift) override;
    void MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUpHook(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WindowProcHook(TMessage& Message) override;

private:
    bool InPopup() const;
    bool WheelTurn(const std::function<bool()>& turn);
    TCustomZvGridDropDown* FZvDropDown = nullptr;
    std::unique_ptr<ZvMultiColumn::TDropDownColumns> FColumns;
    std::unique_ptr<TFont> FHeaderFont;
    int FOldRow = 0;
    int FGridLineWidth = 1;
    bool FConfirmSelection = false;
    bool FMouseWheelSelection = false;
};

} // namespace ZvGridDrop

enum class TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum class TDropDownStyle { dsDropDown, dsDropDownList };
enum class TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

class TCustomZvGridDropDown : public TZvCustomDropDown {
public:
    using TDropDownColumns = ZvMultiColumn::TDropDownColumns;
    using TDropDownItems = ZvMultiColumn::TDropDownItems;

    explicit TCustomZvGridDropDown(TComponent* AOwner);
    ~TCustomZvGridDropDown() override;

    // Made by CreateItems at the first use, so that a descendant's items class counts.
    TDropDownItems* Items() const;
    void SetItems(TDropDownItems* value) { Items()->Assign(value); }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* value) { FColumns->Assign(value); }
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool value) { FUseItems = value; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    TDropDownStyle Style() const { return FStyle; }
    void SetStyle(TDropDownStyle value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* value) { FHeaderFont->Assign(value); }
    ZvGridDrop::TZvColGrid* InnerGrid() const { return FGrid; }
    const TStringList& LookupItems() const { return *FLookupItems; }
    const String& LookupEntry() const { return FLookupEntry; }
    TCustomImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TCustomImageList* value);
    // The inner grid's option objects, copied into it at every opening.
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    void SetSearchFooter(TSearchFooter* value) { FSearchFooter->Assign(value); }
    TBands* Bands() const { return FBands.get(); }
    void SetBands(TBands* value) { FBands->Assign(value); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    void SetNavigation(TNavigation* value) { FNavigation->Assign(value); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    void SetMouseActions(TMouseActions* value) { FMouseActions->Assign(value); }
    std::uint32_t GetVersionNumber() const override { return 0x06000101; }

    int LookupColumn = 0;
    TLookupMethod LookupMethod = TLookupMethod::lmLookup;
    bool CaseSensitive = false;
    bool AutoShowDropDown = false;
    bool AutoSizeColumns = true;
    bool DropDownAutoWidth = true;
    bool ColumnSizeWithDropDown = true;
    int DropDownRowHeight = 22;
    int HeaderHeight = 25;
    TColor HeaderColor = clWhite;
    TColor HeaderColorTo = clGray;
    TColor LineColor = 0xF1EDEB;
    TColor FixedLineColor = 0xD1BBA4;
    TColor SelectionTextColor = 0;
    bool HoverRow = false;
    TColor HoverRowColor = clInfoBk;
    TColor HoverRowColorTo = clNone;
    bool RowSelect = true;
    bool GridEditable = false;
    bool ColumnSizing = false;
    bool ColumnMoving = false;
    bool RowSizing = false;
    bool RowMoving = false;
    TGridSorting Sorting = TGridSorting::gsNone;
    bool ReturnIsTab = false;
    bool MatchCase = false;
    bool MatchStart = true;

    int RowCount() const { return Items()->Count(); }
    void BeginUpdate() {} // the lookup texts are rebuilt once, at EndUpdate
    void EndUpdate() { BuildLookupItems(); }
    void Loaded();

    // The item a list row shows (the row itself without a mapping); the first row showing an item.
    int ItemOfRow(int r) const;
    int RowOfItem(int i) const;
    int ItemCount() const;
    // The first candidate of the lookup column that starts with S.
    bool LookupText(const String& S, String& T, int& Index) const;
    // The open list's incremental search: an item index, a grid row or -1.
    int TypeAheadKey(QChar Key);

    void SelectFirstItem();
    void SelectLastItem();
    void SelectNextItem();
    void SelectPreviousItem();
    void SelectNextPage();
    void SelectPreviousPage();
    void FitColumnWidths();

    void SetComponentStyle(TZvStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

    // Entry points of the grid's editor.
    void KeyDownHook(WORD& Key, TShiftState Shift);
    void KeyUpHook(WORD& Key, TShiftState Shift);
    void KeyPressHook(QChar& Key);
    void ChangeHook();

    TNotifyEvent OnSelect;
    // The inner grid's events, with the grid as Sender.
    TAnchorClickEvent OnGridAnchorClick;
    TAnchorEvent OnGridAnchorEnter;
    TAnchorEvent OnGridAnchorExit;
    TAnchorHintEvent OnGridAnchorHint;
    TButtonClickEvent OnGridButtonClick;
    TCanSortEvent OnGridCanSort;
    TClickSortEvent OnGridClickSort;
    TCustomCompareEvent OnGridCustomCompare;
    TRawCompareEvent OnGridRawCompare;
    TCustomCellDrawEvent OnGridCustomCellDraw;
    TCustomCellDrawEvent OnGridCustomCellBkgDraw;
    TGridBalloonEvent OnGridCellBalloon;
    TGridAlignEvent OnGridGetAlignment;
    TGridColorEvent OnGridGetCellColor;
    TGetEditorTypeEvent OnGridGetEditorType;
    TCanEditCellEvent OnGridCanEditCell;
    TEllipsClickEvent OnGridEllipsClick;
    TGridHintEvent OnGridHint;
    TMouseMoveEvent OnGridMouseMove;
    TMouseEvent OnGridMouseDown;
    TMouseEvent OnGridMouseUp;
    TKeyEvent OnGridKeyDown;
    TKeyEvent OnGridKeyUp;
    TKeyPressEvent OnGridKeyPress;
    TClickCellEvent OnGridRightClickCell;
    TNotifyEvent OnGridTopLeftChanged;
    TCheckBoxClickEvent OnGridCheckBoxClick;
    TColumnSizeEvent OnGridColumnSize;
    TColumnSizingEvent OnGridColumnSizing;
    TEndColumnSizeEvent OnGridEndColumnSize;
    TRowSizeEvent OnGridRowSize;
    TRowSizingEvent OnGridRowSizing;
    TEndRowSizeEvent OnGridEndRowSize;
    TRowMoveEvent OnGridRowMove;
    TRowMovingEvent OnGridRowMoving;
    TMovedEvent OnGridRowMoved;
    TColumnMoveEvent OnGridColumnMove;
    TColumnMovingEvent OnGridColumnMoving;
    TMovedEvent OnGridColumnMoved;
    TGridGradientEvent OnGridGetCellGradient;
    TGetEditorPropIntEvent OnGridGetEditorProp;
    TGetDisplTextEvent OnGridGetDiplText;
    TGridFormatEvent OnGridGetFormat;
    TScrollHintEvent OnGridScrollHint;
    TSearchEditChangeEvent OnGridSearchEditChange;
    TAutoAddRowEvent OnGridAutoAddRow;
    TAutoInsertRowEvent OnGridInsertRow;
    TAutoInsertColEvent OnGridInsertCol;
    TAutoDeleteRowEvent OnGridDeleteRow;
    TCanAddRowEvent OnGridCanAddRow;
    TCanInsertRowEvent OnGridCanInsertRow;
    TCanDeleteRowEvent OnGridCanDeleteRow;
    TFloatFormatEvent OnGridGetFloatFormat;
    TSpinClickEvent OnGridSpinClick;   // published; no grid event reaches it

protected:
    // The items collection of this control; a descendant answers its own.
    virtual std::unique_ptr<TDropDownItems> CreateItems(TComponent* AOwner);
    void Notification(TComponent* component, TOperation operation) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void PlaceDropDownControl() override;
    void AdjustDropDownHeight(int& Height) override;
    void OpenDropDownForm() override;
    void CloseDropDownForm(bool Cancel) override;
    void DropDownFormSizing() override;
    void WheelDownNotify() override;
    void WheelUpNotify() override;
    void ControlKeyDown(WORD& Key, TShiftState Shift) override;
    void ControlKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void CMEnter(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override { KeyDownHook(Key, Shift); }
    void KeyUp(WORD& Key, TShiftState Shift) override { KeyUpHook(Key, Shift); }
    void KeyPress(QChar& Key) override { KeyPressHook(Key); }
    void Change() override { ChangeHook(); }

private:
    void BuildLookupItems();
    void BindGridEvents();
    void GridSelectCell(int r);
    void GridSelect();
    void ShowFound(int index, const String& text);
    void SelectTypedRest(const String& text);
    int LookupIndexOf(const String& text) const;
    bool Blocked() const;
    void SetBlock(bool value);

    std::unique_ptr<TFont> FHeaderFont;
    mutable std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    ZvGridDrop::TZvColGrid* FGrid = nullptr;
    TCustomImageList* FGridImages = nullptr;
    bool FUseItems = true;
    int FItemIndex = -1;
    TDropDownStyle FStyle = TDropDownStyle::dsDropDown;
    int FOldItemIndex = -1;
    int FSelRow = 0;
    int FTempItemIndex = -1;
    String FLookupEntry;
    bool FWorkMode = true;
    ZvMultiColumn::TPendingCompletion FCompletion;
    bool FBalloonInit = false;
    friend class ZvGridDrop::TZvColGrid;
};

class TZvGridDropDown : public TCustomZvGridDropDown {
public:
    using TCustomZvGridDropDown::TCustomZvGridDropDown;
};
