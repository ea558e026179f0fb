#pragma once
// TZvColumnGrid: a string grid configured column by column. Every real
// column owns one TGridColumnItem in Columns (hidden columns included, so
// Columns.Count() is ColCount + NumHiddenColumns); the grid's per-cell
// queries read the item of the real column they are asked about.
//
// Implemented by feature: ZvColumnGrid.cpp (items, collection, the grid's
// shape), ZvColumnGridQueries.cpp (per-cell answers), ZvColumnGridInput.cpp
// (column moves, widths, popups, filters), ZvColumnGridStore.cpp (column
// streams and the INI file of column positions).

#include "grid/ZvGrid.h"

#include <QDataStream>
#include <QIODevice>

#include <memory>
#include <vector>

class TGridColumnCollection;
class TZvColumnGrid;

// The toolkit's errors of the column grid: a list index out of range, a
// column stream that cannot be read, an owner of the wrong class.
class EListError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

enum class TColumnPopupType {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
    cpAllCellsLClick
};

using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// ---- One column's settings ---------------------------------------------------------------
class TGridColumnItem : public TPersistent {
public:
    // ACollection may be null: the grid's spare item lives in no collection.
    explicit TGridColumnItem(TGridColumnCollection* ACollection);
    ~TGridColumnItem() override;

    TGridColumnCollection* Collection() const { return FCollection; }
    // The item's place in its collection, which is its real column; -1 outside one.
    int Index() const;
    String DisplayName() const;

    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int v) { FAutoMinSize = v; }
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int v) { FAutoMaxSize = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders v);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(TPen* v) { FBorderPen->Assign(v); }
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& v) { FCheckFalse = v; }
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& v) { FCheckTrue = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TPopupMenu* ColumnPopup() const { return FColumnPopup; }
    // The grid hears of the menu's removal and forgets it.
    void SetColumnPopup(TPopupMenu* v);
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType v) { FColumnPopupType = v; }
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(TStringList* v) { FComboItems->Assign(v); }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) { FDropDownCount = v; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int v) { FEditLength = v; }
    TObject* EditLink() const { return FEditLink; }
    void SetEditLink(TObject* v);
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& v) { FEditMask = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v);
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(TStringList* v) { FFilter->Assign(v); }
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool v) { FFilterCaseSensitive = v; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool v);
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    const String& Header() const { return FHeader; }
    void SetHeader(const String& v);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment v);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* v) { FHeaderFont->Assign(v); }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int v) { FMinSize = v; }
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int v) { FMaxSize = v; }
    const String& Name() const { return FName; }
    void SetName(const String& v) { FName = v; }
    bool Password() const { return FPassword; }
    void SetPassword(bool v);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool v) { FPrintBorderCustom = v; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders v) { FPrintBorders = v; }
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(TPen* v) { FPrintBorderPen->Assign(v); }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor v) { FPrintColor = v; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool v) { FPrintFontCustom = v; }
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(TFont* v) { FPrintFont->Assign(v); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool v);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle v) { FSortStyle = v; }
    const String& SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const String& v) { FSortPrefix = v; }
    const String& SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const String& v) { FSortSuffix = v; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int v) { FSpinMax = v; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int v) { FSpinMin = v; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int v) { FSpinStep = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    // The grid's width of the real column (shown or remembered while hidden),
    // so the item and the grid never disagree; 0 for an item in no collection.
    int Width() const;
    void SetWidth(int v);
    // The column's default position, recorded by SetOrganization.
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int v) { FDefIdx = v; }

    // The cells of this item's real column, through the grid's conversions.
    String Rows(int ARow) const;
    void SetRows(int ARow, const String& v);
    int Ints(int ARow) const;
    void SetInts(int ARow, int v);
    double Floats(int ARow) const;
    void SetFloats(int ARow, double v);
    QDateTime Dates(int ARow) const;
    void SetDates(int ARow, const QDateTime& v);
    QDateTime Times(int ARow) const;
    void SetTimes(int ARow, const QDateTime& v);

    // Copies the settings of another item as plain values (without the
    // setters' effects); the popup type, print custom flags and width stay.
    void Assign(TPersistent* Source) override;
    // As Assign, but colour and font come from the grid, and the header, name,
    // tag, pick list, drop-down count and header font stay the item's own.
    void AssignVisuals(TPersistent* Source);

private:
    friend class TGridColumnCollection;
    friend class TZvColumnGrid;
    TZvColumnGrid* Grid() const;
    void Changed();
    void Repaint();
    void CopyValues(const TGridColumnItem& src, bool visualsOnly);

    TGridColumnCollection* FCollection;
    int FAutoMinSize = 0;
    int FAutoMaxSize = 0;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen;
    String FCheckFalse = QStringLiteral("N");
    String FCheckTrue = QStringLiteral("Y");
    TColor FColor = clWindow;
    TPopupMenu* FColumnPopup = nullptr;
    TColumnPopupType FColumnPopupType = TColumnPopupType::cpFixedCellsRClick;
    std::unique_ptr<TStringList> FComboItems;
    int FDropDownCount = 8;
    int FEditLength = 0;
    TObject* FEditLink = nullptr;
    String FEditMask;
    TEditorType FEditor = TEditorType::edNormal;
    std::unique_ptr<TStringList> FFilter;
    bool FFilterCaseSensitive = false;
    bool FFixed = false;
    String FFloatFormat;
    std::unique_ptr<TFont> FFont;
    String FHeader;
    TAlignment FHeaderAlignment = TAlignment::taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont;
    int FMinSize = 0;
    int FMaxSize = 0;
    String FName;
    bool FPassword = false;
    bool FPrintBorderCustom = true;
    TCellBorders FPrintBorders{TCellBorder::cbTop, TCellBorder::cbLeft, TCellBorder::cbRight, TCellBorder::cbBottom};
    std::unique_ptr<TPen> FPrintBorderPen;
    TColor FPrintColor = clWhite;
    bool FPrintFontCustom = true;
    std::unique_ptr<TFont> FPrintFont;
    bool FReadOnly = false;
    bool FShowBands = false;
    TSortStyle FSortStyle = TSortStyle::ssAutomatic;
    String FSortPrefix;
    String FSortSuffix;
    int FSpinMax = 0;
    int FSpinMin = 0;
    int FSpinStep = 1;
    int FTag = 0;
    int FDefIdx = 0;
};

// ---- The column items of one grid ---------------------------------------------------------
class TGridColumnCollection : public TPersistent {
public:
    explicit TGridColumnCollection(TZvColumnGrid* AOwner);
    ~TGridColumnCollection() override;

    TZvColumnGrid* GetOwner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    // Raises EListError for an index outside 0 .. Count - 1.
    TGridColumnItem* Items(int Index) const;
    TGridColumnItem* operator[](int Index) const { return Items(Index); }

    // A new item at the end; from the second item on it takes the visual
    // settings of the item before it.
    TGridColumnItem* Add();
    // A new item with the starting values at Index.
    TGridColumnItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    // Copies every item of another collection.
    void Assign(TPersistent* Source) override;

    // Adjusts the count to the grid, then records each item's place as its default.
    void SetOrganization();
    // Moves the grid's columns back to their default places.
    void ResetOrganization();

    // While set, item changes do not adjust the grid.
    bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
    void SetNoRecursiveUpdate(bool v) { FNoRecursiveUpdate = v; }

private:
    friend class TGridColumnItem;
    friend class TZvColumnGrid;
    // The collection's change notification: items added, removed or changed.
    void ColumnsUpdated();
    int IndexOf(const TGridColumnItem* Item) const;
    // Takes an item out without destroying it.
    std::unique_ptr<TGridColumnItem> Extract(int Index);

    TZvColumnGrid* FOwner;
    std::vector<std::unique_ptr<TGridColumnItem>> FItems;
    int FUpdateCount = 0;
    bool FNoRecursiveUpdate = false;
};

// Sets a collection's NoRecursiveUpdate for a scope and puts back what it was.
class TNoRecursiveUpdateScope {
public:
    explicit TNoRecursiveUpdateScope(TGridColumnCollection* c) : FColumns(c), FSaved(c->NoRecursiveUpdate())
    {
        c->SetNoRecursiveUpdate(true);
    }
    ~TNoRecursiveUpdateScope() { FColumns->SetNoRecursiveUpdate(FSaved); }
    TNoRecursiveUpdateScope(const TNoRecursiveUpdateScope&) = delete;
    TNoRecursiveUpdateScope& operator=(const TNoRecursiveUpdateScope&) = delete;

private:
    TGridColumnCollection* FColumns;
    bool FSaved;
};

// ---- The column grid -----------------------------------------------------------------------
class TZvColumnGrid : public TZvStringGrid {
public:
    explicit TZvColumnGrid(TComponent* AOwner);
    ~TZvColumnGrid() override;

    // ==== Items and shape (ZvColumnGrid.cpp) =======================================
    TGridColumnCollection* Columns() const { return FColumns.get(); }
    void SetColumns(TGridColumnCollection* Value);
    int ColCount() const { return TZvStringGrid::ColCount(); }
    // The string grid's setter, then the items follow the new count.
    void SetColCount(int Value);
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool v) { FAutoFilterDisplay = v; }
    TGridColumnItem* GetColumnByName(const String& AValue) const;
    // One item per real column: added or removed at the end only.
    void SyncColumns();
    void Loaded() override;
    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void Group(int Colindex) override;
    void UnGroup() override;
    void RecalcAllFooters() override;
    int GetVersionNr() override;
    String GetVersionString() override;
    // True while a column move rebuilds the items.
    bool ColMoving() const { return FColMoving; }

    // ==== Column streams and positions (ZvColumnGridStore.cpp) ========================
    void SaveColumnsToStream(QIODevice* st);
    // Raises EReadError when the stream does not hold a column stream.
    void LoadColumnsFromStream(QIODevice* st);
    void SaveColPositions() override;
    void LoadColPositions() override;
    void SaveColumnPositions(const String& Key, const String& Section);
    void LoadColumnPositions(const String& Key, const String& Section);

    // ==== Per-cell answers (ZvColumnGridQueries.cpp) ==================================
    void QueryEditorType(int ACol, int ARow, TEditorType& AEditor) override;
    void QueryCellEditable(int ACol, int ARow, bool& CanEdit) override;
    bool QueryHasComboBox(int ACol, int ARow) override;
    void QueryCheckTrue(int ACol, int ARow, String& Value) override;
    void QueryCheckFalse(int ACol, int ARow, String& Value) override;
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    void QueryFixedCell(int ACol, int ARow, bool& IsFixed) override;
    void QueryCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void QueryCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void QueryCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void FireGetFormat(int ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) override;
    String CellFloatFormat(int ACol, int ARow) override;
    void FireIsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    String GetFormattedCell(int ACol, int ARow) override;
    void InitialCellProperties(int ACol, int ARow, TCellGradientDirection& GD, bool& WW, TVAlignment& VA,
                               TAlignment& HA, TColor& MirrorColor, TColor& MirrorColorTo, TColor& ColorTo,
                               TBrush* ABrush, TFont* AFont) override;
    bool QueryColumnFilter(int Column) override;
    void SelectFilterValue(int Column, int ItemIndex) override;
    void ConstrainColumnSize(int ACol, int& AWidth) override;
    void ConstrainAutoColumnSize(int ACol, int& AWidth) override;
    void SyncColumnHeaders() override;
    // The shared graphic every data check-box cell reports.
    TCellGraphic* SharedCheckGraphic() const { return FCellGraphic.get(); }

    TColumnPopupEvent OnColumnPopup;
    TAfterColumnMoved OnAfterColumnMoved;

protected:
    // ==== Column moves, widths, popups, scaling (ZvColumnGridInput.cpp) ==================
    void ColumnMovedHook(int FromIndex, int ToIndex) override;
    void MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ComponentRemovedHook(TComponent* AComponent, TOperation Operation) override;
    String GetEditMask(int ACol, int ARow) override;
    int GetEditLimit() override;

    virtual std::unique_ptr<TGridColumnCollection> CreateColumns();

public:
    // Scales the items' fonts by M/D after the grid's own scaling.
    void ScaleChangeHook(int M, int D) override;

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    // The column item of a real column, or null beyond the last item.
    TGridColumnItem* ItemOf(int RealCol) const;
    bool IsNormalCell(int ACol, int ARow);
    // Writes every item's header into ColumnHeaders without letting the
    // list's change notification come back into the items.
    void UpdateColumnHeaders();
    void HeaderChanged(TGridColumnItem* Item);
    void WriteItem(QDataStream& out, const TGridColumnItem* c);
    // Raises EReadError on a value the stream cannot hold; Width gets the item's width.
    void ReadItem(QDataStream& in, TGridColumnItem* c, int& Width);

    std::unique_ptr<TGridColumnCollection> FColumns;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    bool FColMoving = false;
    bool FAutoFilterDisplay = false;
    bool FSyncingHeaders = false;
    // Set while a column insertion or removal moves the items itself, so the
    // footer recalculation at the end of the grid's update adds none of its own.
    bool FItemsFollowShape = false;
};

// Carries a copy of a grid's columns through the column stream.
class TZvColumnGridIO : public TComponent {
public:
    // Raises EInvalidCast when AOwner is not a TZvColumnGrid.
    explicit TZvColumnGridIO(TComponent* AOwner);
    ~TZvColumnGridIO() override;
    TGridColumnCollection* Items() const { return FItems.get(); }
    void SetItems(TGridColumnCollection* v) { FItems->Assign(v); }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};
