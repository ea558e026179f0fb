#pragma once
// TZvMultiColumnDropDown: a drop-down edit whose pop-up lists items in
// several columns under a header row. One column, the lookup column, gives
// the text the edit shows for the chosen item. Typing in the edit completes
// from the lookup texts; typing in the open list jumps to the first item that
// starts with what was typed; the closed edit steps through the items with
// the arrows, Page Up/Down (ten at a time) and the wheel.
//
// TZvColGrid is the list in the pop-up: a platform string grid that keeps no
// data of its own and draws every cell from its owner's columns and items.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/pickers/ZvPickerSupport.h"
#include "platform/Grids.h"

#include <memory>

class TZvMultiColumnDropDown;

namespace ZvMultiColumn {

enum class TColumnType { ctText, ctImage };

class TDropDownColumn : public TPersistent {
public:
    explicit TDropDownColumn(TPickerCollection* collection);
    ~TDropDownColumn() override;
    bool Wordwrap = false;
    int Width = 80;
    bool AutoSize = false;
    String Header;
    TAlignment Alignment = TAlignment::taLeftJustify;
    TColor Color = clWhite;
    TColumnType ColumnType = TColumnType::ctText;
    bool Ellipsis = false;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<TFont> FFont;
};

class TDropDownItem : public TPersistent {
public:
    explicit TDropDownItem(TPickerCollection* collection);
    ~TDropDownItem() override;
    int ImageIndex = -1;
    TStringList* Text() const { return FText.get(); }
    void SetText(const TStringList& value);
    // The item's text in a column; empty when it has fewer texts.
    String TextAt(int column) const;
    bool HasText(int column) const { return column >= 0 && column < FText->Count(); }
    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<TStringList> FText;
};

class TDropDownColumns : public TPickerItems<TDropDownColumn> {
public:
    using TPickerItems::TPickerItems;
};

class TDropDownItems : public TPickerItems<TDropDownItem> {
public:
    using TPickerItems::TPickerItems;
    // The first item whose text in the column equals the value exactly; -1 when none.
    int IndexInColumn(int Column, const String& Value) const;

    // The class of the items the collection makes, as its maker: a
    // descendant answers its own item class and every added item is one.
    using TItemClass = std::unique_ptr<TDropDownItem> (*)(TPickerCollection* collection);
    virtual TItemClass GetItemClass() const;

protected:
    std::unique_ptr<TDropDownItem> NewItem() override { return GetItemClass()(this); }
};

// What the column-list drop-downs (this one and the grid drop-down) share.

// The line colours a selection colour style gives a column list; other styles keep them.
void SelectionStyleLines(TSelectionColorStyle style, TColor& line, TColor& fixedLine);
// The pop-up height snapped to whole item rows below the list's header row;
// a row height of zero or less snaps nothing.
int SnapToRows(int height, int strips, int headerHeight, int rowHeight, int extra);
// Scales the grid's column widths by width / (1 + sum of the columns' widths),
// carrying the rounding so that the columns fill the width.
void ScaleColumns(TCustomGrid& grid, const TDropDownColumns& columns, int width);

// The list takes the width and the pop-up fits around it.
void FitPopupWidth(TZvCustomDropDown& edit, TControl& list, int width);

// A completion made while typing, waiting for the key release.
struct TPendingCompletion {
    bool Pending = false;
    int Item = 0;
    int Typed = 0;
};
// Completes the edit's text up to the caret from the first lookup text that
// starts with it (without case unless matchCase), the rest selected; with no
// match, drops what stood after the caret. A hit sets itemIndex.
void CompleteFromLookups(TZvCustomDropDown& edit, const TStringList& lookups, bool matchCase, int& itemIndex,
                         TPendingCompletion& pending);
// The key release after a completion: the item is chosen through `choose`,
// the typed part stays and the rest is selected.
void FinishCompletion(TZvCustomDropDown& edit, TPendingCompletion& pending, const std::function<void(int)>& choose);

} // namespace ZvMultiColumn

using TGetCellTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Text)>;
using TMultiColumnDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TCanvas* Canvas, const TRect& Rect)>;

class TZvColGrid : public TStringGrid {
public:
    explicit TZvColGrid(TComponent* AOwner);
    ~TZvColGrid() override;

    // Takes the drop-down's columns, items and looks; nothing for none.
    void LoadFromDropDown(TZvMultiColumnDropDown* DropDown);
    void SetDropDown(TZvMultiColumnDropDown* DropDown) { FZvDropDown = DropDown; }
    TZvMultiColumnDropDown* DropDown() const { return FZvDropDown; }

    ZvMultiColumn::TDropDownColumns* Columns() const { return FColumns.get(); }
    TColor HeaderColor = clWhite;
    TColor HeaderColorTo = clGray;
    TColor LineColor = clGray;
    TColor FixedLineColor = 0;
    int HeaderHeight = 25;
    TCustomImageList* Images = nullptr;
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    int ListLineWidth() const { return FLineWidth; }
    // The lines are the list's own: the grid's own line width stays 0.
    void SetListLineWidth(int value);

    // The width the list needs: border, columns and, when not every row fits, a vertical scroll bar.
    int ColumnsWidth() const;
    TRect FullCellRect(int ACol, int ARow) const;
    void AutoSizeColumns();
    void AutoSizeColumn(int ACol);
    void FitRowHeights();

    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool value) { FConfirmSelection = value; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    TNotifyEvent OnSelect;

protected:
    virtual void DoSelect();
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    TZvMultiColumnDropDown* FZvDropDown = nullptr;
    std::unique_ptr<ZvMultiColumn::TDropDownColumns> FColumns;
    std::unique_ptr<TFont> FHeaderFont;
    int FLineWidth = 1;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

class TZvMultiColumnDropDown : public TZvCustomDropDown {
public:
    using TDropDownColumn = ZvMultiColumn::TDropDownColumn;
    using TDropDownItem = ZvMultiColumn::TDropDownItem;
    using TDropDownColumns = ZvMultiColumn::TDropDownColumns;
    using TDropDownItems = ZvMultiColumn::TDropDownItems;

    explicit TZvMultiColumnDropDown(TComponent* AOwner);
    ~TZvMultiColumnDropDown() override;

    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(TDropDownItems* value) { FItems->Assign(value); }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* value) { FColumns->Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int value) { FLookupColumn = value; }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* value) { FHeaderFont->Assign(value); }
    TZvColGrid* List() const { return FZvColGrid; }
    const TStringList& LookupItems() const { return *FLookupItems; }
    const String& LookupEntry() const { return FLookupEntry; }

    bool ColumnSizing = false;
    TColor HeaderColor = clWhite;
    TColor HeaderColorTo = clGray;
    TColor LineColor = 0xF1EDEB;
    TColor FixedLineColor = 0xD1BBA4;
    int HeaderHeight = 25;
    bool DropDownAutoWidth = true;
    bool ColumnSizeWithDropDown = true;
    TColor SelectionTextColor = 0;
    int DropDownRowHeight = 22;
    bool CaseSensitive = false;
    bool ReturnIsTab = false;
    bool MatchCase = false;

    // The first item whose lookup text equals the value exactly; -1 when none.
    int GetItemIndex(const String& Value) const;
    int RowCount() const { return FItems->Count(); }
    void BeginUpdate() {} // the lookup texts are rebuilt once, at EndUpdate
    void EndUpdate() { BuildLookupTexts(); }
    void Loaded() { BuildLookupTexts(); }
    void Assign(TPersistent* source) override;

    void SelectFirstItem();
    void SelectLastItem();
    void SelectNextItem();
    void SelectPreviousItem();
    void SelectNextPage();
    void SelectPreviousPage();

    void SetComponentStyle(TZvStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

    // Entry points of the grid's editor.
    void KeyDownHook(WORD& Key, TShiftState Shift);
    void KeyUpHook(WORD& Key, TShiftState Shift);
    void KeyPressHook(QChar& Key);
    void ChangeHook();
    // The type-ahead of the open list: the item found, or -1.
    int TypeAheadKey(QChar Key);

    TNotifyEvent OnSelect;
    TGetCellTextEvent OnDropDownGetItemText;
    TMultiColumnDrawCellEvent OnDropDownDrawItem;

protected:
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
    void KeyDown(WORD& Key, TShiftState Shift) override { KeyDownHook(Key, Shift); }
    void KeyUp(WORD& Key, TShiftState Shift) override { KeyUpHook(Key, Shift); }
    void KeyPress(QChar& Key) override { KeyPressHook(Key); }
    void Change() override { ChangeHook(); }

private:
    void BuildLookupTexts();
    bool FindLookupMatch(String Prefix, String& Match, int& Index) const;
    void FitColumnWidths();
    void ListSelectCell(int ARow, bool& CanSelect);
    void ListSelect();
    void ShowMatch(int index, const String& match);

    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TStringList> FLookupItems;
    TZvColGrid* FZvColGrid = nullptr;
    int FItemIndex = -1;
    int FLookupColumn = 0;
    bool FShowing = false;
    bool FWorkMode = true;
    ZvMultiColumn::TPendingCompletion FCompletion;
    int FOldItemIndex = -1;
    String FLookupEntry;
};
