// The column items, their collection and the column grid's shape: the
// items follow the grid's real columns, and a header written to an item
// lands in the header row.

#include "grid/ZvColumnGrid.h"
#include "platform/Menus.h"
#include "platform/ScopeGuard.h"

#include <QScopedValueRollback>

#include <algorithm>

// ---- TGridColumnItem ---------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TGridColumnCollection* ACollection)
    : FCollection(ACollection),
      FBorderPen(std::make_unique<TPen>()),
      FComboItems(std::make_unique<TStringList>()),
      FFilter(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FPrintFont(std::make_unique<TFont>())
{
    FBorderPen->SetColor(0xC0C0C0);
    FBorderPen->SetWidth(1);
    FPrintBorderPen->SetColor(clBlack);
    FPrintBorderPen->SetWidth(1);
    if (TZvColumnGrid* grid = Grid()) {
        FColor = grid->Color();
        FFont->Assign(grid->Font());
        FHeaderFont->Assign(grid->Font());
        FPrintFont->Assign(grid->Font());
        // Only an item of a grid reports its changes; the spare item has no one to tell.
        FFont->OnChange = [this](TObject*) { Changed(); };
        FHeaderFont->OnChange = [this](TObject*) { Changed(); };
        FBorderPen->OnChange = [this](TObject*) { Changed(); };
        FFilter->OnChange = [this](TObject*) { Repaint(); };
    }
}

TGridColumnItem::~TGridColumnItem()
{
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;
}

TZvColumnGrid* TGridColumnItem::Grid() const
{
    return FCollection ? FCollection->GetOwner() : nullptr;
}

int TGridColumnItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

String TGridColumnItem::DisplayName() const
{
    if (!FName.isEmpty()) return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
    return QStringLiteral("Column %1").arg(Index());
}

void TGridColumnItem::Changed()
{
    if (FCollection) FCollection->ColumnsUpdated();
}

void TGridColumnItem::Repaint()
{
    if (TZvColumnGrid* grid = Grid()) grid->Invalidate();
}

void TGridColumnItem::SetColumnPopup(TPopupMenu* v)
{
    FColumnPopup = v;
    if (v && Grid()) v->FreeNotification(Grid());
}

void TGridColumnItem::SetEditLink(TObject* v)
{
    FEditLink = v;
    if (auto* link = dynamic_cast<TComponent*>(v); link && Grid()) link->FreeNotification(Grid());
}

void TGridColumnItem::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Repaint();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment v)
{
    FHeaderAlignment = v;
    Repaint();
}

void TGridColumnItem::SetFloatFormat(const String& v)
{
    FFloatFormat = v;
    Repaint();
}

void TGridColumnItem::SetEditor(TEditorType v)
{
    if (v == FEditor) return;
    const bool checkBoxes = v == TEditorType::edDataCheckBox || FEditor == TEditorType::edDataCheckBox;
    FEditor = v;
    if (checkBoxes) Repaint();
}

void TGridColumnItem::SetBorders(TCellBorders v)
{
    FBorders = v;
    Changed();
}

void TGridColumnItem::SetColor(TColor v)
{
    FColor = v;
    Changed();
}

void TGridColumnItem::SetFixed(bool v)
{
    FFixed = v;
    Changed();
}

void TGridColumnItem::SetPassword(bool v)
{
    FPassword = v;
    Changed();
}

void TGridColumnItem::SetShowBands(bool v)
{
    FShowBands = v;
    Changed();
}

void TGridColumnItem::SetHeader(const String& v)
{
    // Unchanged headers stop here: the header list's own sync writes every
    // item back, and a write that changes nothing must not start another round.
    if (!StoreChanged(FHeader, v)) return;
    TZvColumnGrid* grid = Grid();
    if (!grid) return;
    grid->HeaderChanged(this);
}

int TGridColumnItem::Width() const
{
    TZvColumnGrid* grid = Grid();
    return grid ? grid->GetAllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int v)
{
    if (TZvColumnGrid* grid = Grid()) grid->SetAllColWidths(Index(), v);
}

String TGridColumnItem::Rows(int ARow) const
{
    TZvColumnGrid* grid = Grid();
    return grid ? grid->GetCellEx(Index(), ARow) : String();
}

void TGridColumnItem::SetRows(int ARow, const String& v)
{
    if (TZvColumnGrid* grid = Grid()) grid->SetCellEx(Index(), ARow, v);
}

int TGridColumnItem::Ints(int ARow) const
{
    TZvColumnGrid* grid = Grid();
    return grid ? grid->GetInts(Index(), ARow) : 0;
}

void TGridColumnItem::SetInts(int ARow, int v)
{
    if (TZvColumnGrid* grid = Grid()) grid->SetInts(Index(), ARow, v);
}

double TGridColumnItem::Floats(int ARow) const
{
    TZvColumnGrid* grid = Grid();
    return grid ? grid->GetFloats(Index(), ARow) : 0.0;
}

void TGridColumnItem::SetFloats(int ARow, double v)
{
    if (TZvColumnGrid* grid = Grid()) grid->SetFloats(Index(), ARow, v);
}

QDateTime TGridColumnItem::Dates(int ARow) const
{
    TZvColumnGrid* grid = Grid();
    return grid ? grid->GetDates(Index(), ARow) : QDateTime();
}

void TGridColumnItem::SetDates(int ARow, const QDateTime& v)
{
    if (TZvColumnGrid* grid = Grid()) grid->SetDates(Index(), ARow, v);
}

QDateTime TGridColumnItem::Times(int ARow) const
{
    TZvColumnGrid* grid = Grid();
    return grid ? grid->GetTimes(Index(), ARow) : QDateTime();
}

void TGridColumnItem::SetTimes(int ARow, const QDateTime& v)
{
    if (TZvColumnGrid* grid = Grid()) grid->SetTimes(Index(), ARow, v);
}

void TGridColumnItem::CopyValues(const TGridColumnItem& src, bool visualsOnly)
{
    FAlignment = src.FAlignment;
    FHeaderAlignment = src.FHeaderAlignment;
    FBorders = src.FBorders;
    FCheckFalse = src.FCheckFalse;
    FCheckTrue = src.FCheckTrue;
    FEditLength = src.FEditLength;
    FEditLink = src.FEditLink;
    FEditMask = src.FEditMask;
    FEditor = src.FEditor;
    FFixed = src.FFixed;
    FPassword = src.FPassword;
    FPrintBorders = src.FPrintBorders;
    FPrintColor = src.FPrintColor;
    FReadOnly = src.FReadOnly;
    FSortPrefix = src.FSortPrefix;
    FSortStyle = src.FSortStyle;
    FSortSuffix = src.FSortSuffix;
    FSpinMax = src.FSpinMax;
    FSpinMin = src.FSpinMin;
    FSpinStep = src.FSpinStep;
    FColumnPopup = src.FColumnPopup;
    FShowBands = src.FShowBands;
    FMinSize = src.FMinSize;
    FMaxSize = src.FMaxSize;
    FAutoMinSize = src.FAutoMinSize;
    FAutoMaxSize = src.FAutoMaxSize;
    FFilterCaseSensitive = src.FFilterCaseSensitive;
    FDefIdx = src.FDefIdx;
    FFloatFormat = src.FFloatFormat;
    FBorderPen->Assign(src.FBorderPen.get());
    FPrintBorderPen->Assign(src.FPrintBorderPen.get());
    FPrintFont->Assign(src.FPrintFont.get());
    FFilter->Assign(src.FFilter.get());
    TZvColumnGrid* grid = Grid();
    if (visualsOnly && grid) {
        FColor = grid->Color();
        FFont->Assign(grid->Font());
        return;
    }
    FColor = src.FColor;
    FFont->Assign(src.FFont.get());
    if (visualsOnly) return;
    FHeader = src.FHeader;
    FName = src.FName;
    FTag = src.FTag;
    FComboItems->Assign(src.FComboItems.get());
    FDropDownCount = src.FDropDownCount;
    FHeaderFont->Assign(src.FHeaderFont.get());
}

void TGridColumnItem::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TGridColumnItem*>(Source)) CopyValues(*src, false);
}

void TGridColumnItem::AssignVisuals(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TGridColumnItem*>(Source)) CopyValues(*src, true);
}

// ---- TGridColumnCollection ---------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TZvColumnGrid* AOwner) : FOwner(AOwner) {}

TGridColumnCollection::~TGridColumnCollection()
{
    // Going away with the grid: nothing is left to adjust.
    FNoRecursiveUpdate = true;
    FItems.clear();
}

TGridColumnItem* TGridColumnCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[std::size_t(Index)].get();
}

int TGridColumnCollection::IndexOf(const TGridColumnItem* Item) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item) return int(i);
    return -1;
}

TGridColumnItem* TGridColumnCollection::Add()
{
    FItems.push_back(std::make_unique<TGridColumnItem>(this));
    TGridColumnItem* item = FItems.back().get();
    ColumnsUpdated();
    if (Count() > 1) item->AssignVisuals(FItems[FItems.size() - 2].get());
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    auto it = FItems.insert(FItems.begin() + Index, std::make_unique<TGridColumnItem>(this));
    TGridColumnItem* item = it->get();
    ColumnsUpdated();
    return item;
}

std::unique_ptr<TGridColumnItem> TGridColumnCollection::Extract(int Index)
{
    Items(Index);
    std::unique_ptr<TGridColumnItem> item = std::move(FItems[std::size_t(Index)]);
    FItems.erase(FItems.begin() + Index);
    return item;
}

void TGridColumnCollection::Delete(int Index)
{
    Extract(Index).reset();
    ColumnsUpdated();
}

void TGridColumnCollection::Clear()
{
    if (FItems.empty()) return;
    BeginUpdate();
    FItems.clear();
    EndUpdate();
}

void TGridColumnCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TGridColumnCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) ColumnsUpdated();
}

void TGridColumnCollection::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TGridColumnCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    FItems.clear();
    for (const auto& item : src->FItems) Add()->Assign(item.get());
    EndUpdate();
}

void TGridColumnCollection::SetOrganization()
{
    {
        TNoRecursiveUpdateScope scope(this);
        if (FOwner) FOwner->SyncColumns();
    }
    for (int i = 0; i < Count(); ++i) FItems[std::size_t(i)]->FDefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner) return;
    // The default places form a permutation after SetOrganization or a full
    // positions file; a pass limit keeps any other set of values from looping.
    for (int pass = 0; pass <= Count(); ++pass) {
        bool moved = false;
        for (int i = 0; i < Count(); ++i) {
            const int def = FItems[std::size_t(i)]->FDefIdx;
            if (def >= 0 && def < i) {
                FOwner->MoveColumn(i, def);
                moved = true;
            }
        }
        if (!moved) break;
    }
}

void TGridColumnCollection::ColumnsUpdated()
{
    if (FUpdateCount > 0 || FNoRecursiveUpdate || !FOwner || FOwner->Loading() || FOwner->Destroying()) return;
    TZvColumnGrid* grid = FOwner;
    const int n = Count() - grid->NumHiddenColumns();
    if (n != grid->ColCount() && n > grid->FixedCols()) grid->SetColCount(n);
    grid->UpdateColumnHeaders();
    grid->Invalidate();
}

// ---- TZvColumnGrid -------------------------------------------------------------------------

TZvColumnGrid::TZvColumnGrid(TComponent* AOwner)
    : TZvStringGrid(AOwner),
      FColumns(CreateColumns()),
      FSaveCol(std::make_unique<TGridColumnItem>(nullptr)),
      FCellGraphic(std::make_unique<TCellGraphic>())
{
    TNoRecursiveUpdateScope scope(FColumns.get());
    SyncColumns();
}

TZvColumnGrid::~TZvColumnGrid()
{
    FColumns.reset();
    FCellGraphic.reset();
    FSaveCol.reset();
}

std::unique_ptr<TGridColumnCollection> TZvColumnGrid::CreateColumns()
{
    return std::make_unique<TGridColumnCollection>(this);
}

void TZvColumnGrid::SetColumns(TGridColumnCollection* Value)
{
    FColumns->Assign(Value);
}

TGridColumnItem* TZvColumnGrid::ItemOf(int RealCol) const
{
    if (RealCol < 0 || RealCol >= FColumns->Count()) return nullptr;
    return FColumns->FItems[std::size_t(RealCol)].get();
}

void TZvColumnGrid::SetColCount(int Value)
{
    TZvStringGrid::SetColCount(Value);
    TNoRecursiveUpdateScope scope(FColumns.get());
    SyncColumns();
}

void TZvColumnGrid::SyncColumns()
{
    if (!FColumns || FItemsFollowShape) return;
    const int want = ColCount() + NumHiddenColumns();
    while (FColumns->Count() < want) FColumns->Add();
    while (FColumns->Count() > want) FColumns->Delete(FColumns->Count() - 1);
}

void TZvColumnGrid::Loaded()
{
    TZvStringGrid::Loaded();
    // A layout may hold fewer items than columns: the items grow to the
    // grid here, never the grid shrinking to the items.
    {
        TNoRecursiveUpdateScope scope(FColumns.get());
        SyncColumns();
    }
    FColumns->SetOrganization();
}

TGridColumnItem* TZvColumnGrid::GetColumnByName(const String& AValue) const
{
    for (const auto& item : FColumns->FItems)
        if (item->Name() == AValue) return item.get();
    return nullptr;
}

void TZvColumnGrid::HeaderChanged(TGridColumnItem* Item)
{
    if (FixedRows() > 0 && !FColMoving) {
        SetCellEx(Item->Index(), 0, Item->Header());
        FColumns->ColumnsUpdated();
    }
    UpdateColumnHeaders();
}

void TZvColumnGrid::UpdateColumnHeaders()
{
    if (FixedRows() <= 0 || !ColumnHeaders()) return;
    TStringList* headers = ColumnHeaders();
    // The list's change handler writes back into the items; held back here,
    // since the items are what the list is being rebuilt from.
    TNotifyEvent saved = std::move(headers->OnChange);
    headers->OnChange = nullptr;
    headers->Clear();
    for (int i = 0; i < FColumns->Count(); ++i) {
        TGridColumnItem* item = FColumns->FItems[std::size_t(i)].get();
        if (item->FHeader.isEmpty()) {
            const String cell = GetCellEx(i, 0);
            if (!cell.isEmpty()) item->FHeader = cell;
        }
        headers->Add(item->FHeader);
    }
    headers->OnChange = std::move(saved);
}

void TZvColumnGrid::SyncColumnHeaders()
{
    if (FSyncingHeaders || !ColumnHeaders()) return;
    FSyncingHeaders = true;
    const TScopeExit done([this] { FSyncingHeaders = false; });
    // Copied first: each header write rebuilds the list from the items.
    const TStringList* headers = ColumnHeaders();
    QStringList lines;
    for (int i = 0; i < headers->Count(); ++i) lines << headers->Strings(i);
    for (int i = 0; i < FColumns->Count() && i < lines.size(); ++i)
        FColumns->FItems[std::size_t(i)]->SetHeader(lines[i]);
}

void TZvColumnGrid::InsertCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0) return;
    ColIndex = std::min(ColIndex, FColumns->Count());
    {
        QScopedValueRollback<bool> hold(FItemsFollowShape, true);
        TZvStringGrid::InsertCols(ColIndex, CCount);
    }
    TNoRecursiveUpdateScope scope(FColumns.get());
    for (int i = 0; i < CCount; ++i) FColumns->Insert(ColIndex);
    SyncColumns();
}

void TZvColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    {
        QScopedValueRollback<bool> hold(FItemsFollowShape, true);
        TZvStringGrid::RemoveCols(ColIndex, CCount);
    }
    {
        TNoRecursiveUpdateScope scope(FColumns.get());
        for (int i = 0; i < CCount && ColIndex >= 0 && ColIndex < FColumns->Count(); ++i)
            FColumns->Delete(ColIndex);
    }
    // One report for the whole removal: the grid's count follows the items once.
    FColumns->ColumnsUpdated();
}

void TZvColumnGrid::Group(int Colindex)
{
    if (TGridColumnItem* item = ItemOf(Colindex)) FSaveCol->Assign(item);
    TZvStringGrid::Group(Colindex);
}

void TZvColumnGrid::UnGroup()
{
    const int grouped = GroupColumn();
    TZvStringGrid::UnGroup();
    if (grouped == -1) return;
    if (TGridColumnItem* item = ItemOf(grouped)) item->Assign(FSaveCol.get());
}

void TZvColumnGrid::RecalcAllFooters()
{
    TZvStringGrid::RecalcAllFooters();
    TNoRecursiveUpdateScope scope(FColumns.get());
    SyncColumns();
}

int TZvColumnGrid::GetVersionNr()
{
    return (3 << 24) | (1 << 16) | (3 << 8) | 1;
}

String TZvColumnGrid::GetVersionString()
{
    const int v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

// ---- TZvColumnGridIO ---------------------------------------------------------------------

namespace {
TZvColumnGrid* ColumnGridOwner(TComponent* AOwner)
{
    auto* grid = dynamic_cast<TZvColumnGrid*>(AOwner);
    if (!grid) throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    return grid;
}
} // namespace

TZvColumnGridIO::TZvColumnGridIO(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(ColumnGridOwner(AOwner)))
{
    FItems->SetNoRecursiveUpdate(true);
}

TZvColumnGridIO::~TZvColumnGridIO() = default;
