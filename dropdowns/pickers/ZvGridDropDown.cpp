// The grid drop-down: its inner grid in two modes, the item<->row mapping,
// completion, type-ahead lookup and narrowing, the pop-up's sizing, taking a
// row, and the inner grid's events handed on to the drop-down's own.
#include "dropdowns/pickers/ZvGridDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "grid/ZvGridOptions.h"
#include "platform/DrawText.h"
#include "platform/ImgList.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <deque>

using namespace ZvMultiColumn;

namespace {
constexpr int GridHeight = 180;
constexpr int PageSize = 10;
constexpr int MinWrappedRowHeight = 24;

String LocaleUpper(const String& s) { return QLocale().toUpper(s); }

bool IsMoveKey(WORD k)
{
    return k == VK_PRIOR || k == VK_NEXT || k == VK_END || k == VK_HOME || k == VK_UP || k == VK_DOWN;
}

// Binds a grid event to the drop-down's event of the same shape: it fires
// with the grid's arguments when assigned at the moment of the event.
template <class TEvent>
void Forward(TEvent& gridEvent, const TEvent& mine)
{
    gridEvent = [&mine](auto&&... args) {
        if (mine) mine(std::forward<decltype(args)>(args)...);
    };
}
} // namespace

namespace ZvGridDrop {

// ---- The inner grid ---------------------------------------------------------------------------
TZvColGrid::TZvColGrid(TComponent* AOwner)
    : TZvStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>())
{
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o.Exclude(goRangeSelect);
    o.Include(goHorzLine);
    o.Include(goRowSelect);
    SetOptions(o);
    FOldRow = Row();
}

TZvColGrid::~TZvColGrid() { Images = nullptr; }

void TZvColGrid::SetGridLineWidth(int value)
{
    FGridLineWidth = value;
    TZvStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TZvColGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TZvStringGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent && AComponent == Images) Images = nullptr;
}

TObject* TZvColGrid::TagFor(int item)
{
    static std::deque<TItemTag> tags;   // [0] is the header's, [i + 1] item i's; a deque keeps addresses
    const std::size_t slot = std::size_t(std::max(item, -1) + 1);
    while (tags.size() <= slot) tags.emplace_back(int(tags.size()) - 1);
    return &tags[slot];
}

int TZvColGrid::ItemOfRowTag(int row) const
{
    const auto* tag = dynamic_cast<const TItemTag*>(Objects(0, row));
    return tag ? tag->Index : -1;
}

bool TZvColGrid::InPopup() const { return dynamic_cast<TDropDownForm*>(Parent()) != nullptr; }

void TZvColGrid::LoadFromDropDown(TCustomZvGridDropDown* D)
{
    if (!D) return;
    FZvDropDown = D;
    FColumns->Assign(D->Columns());
    if (ColCount() < FColumns->Count()) SetColCount(FColumns->Count());
    if (D->UseItems()) SetRowCount(D->Items()->Count() + 1);
    for (int i = 0; i < FColumns->Count(); ++i) SetColWidths(i, FColumns->GetItem(i)->Width);
    LineColor = D->LineColor;
    FixedLineColor = D->FixedLineColor;
    HeaderColor = D->HeaderColor;
    HeaderColorTo = D->HeaderColorTo;
    HeaderHeight = D->HeaderHeight;
    FHeaderFont->Assign(D->HeaderFont());
    if (Images != D->Images() && Images) Images->RemoveFreeNotification(this);
    Images = D->Images();
    if (Images) Images->FreeNotification(this);
    SetDefaultRowHeight(std::max(1, D->DropDownRowHeight));
    SetRowHeights(0, D->HeaderHeight);
    TGridOptions o = Options();
    auto setOption = [&o](TGridOption option, bool on) {
        if (on) o.Include(option);
        else o.Exclude(option);
    };
    setOption(goColSizing, D->ColumnSizing);
    setOption(goColMoving, D->ColumnMoving);
    setOption(goRowSizing, D->RowSizing);
    setOption(goRowMoving, D->RowMoving);
    SetOptions(o);
    if (D->AutoSizeColumns) {
        if (D->UseItems()) AutoSizeItemColumns();
        else TZvStringGrid::AutoSizeColumns(true, 4);
    }
    FitRowHeights();
}

void TZvColGrid::FillFromItems()
{
    if (!FZvDropDown) return;
    if (ColCount() != FColumns->Count() && FColumns->Count() > 0) SetColCount(FColumns->Count());
    for (int c = 0; c < FColumns->Count(); ++c) {
        SetCells(c, 0, FColumns->GetItem(c)->Header);
        SetObjects(c, 0, TagFor(-1));
    }
    const TDropDownItems& items = *FZvDropDown->Items();
    if (items.Count() > 0) SetRowCount(FixedRows() + items.Count());
    for (int i = 0; i < items.Count(); ++i) {
        const TDropDownItem& item = *items.GetItem(i);
        for (int c = 0; c < ColCount(); ++c) SetCells(c, i + 1, item.TextAt(c));
        SetObjects(0, i + 1, TagFor(i));
    }
}

void TZvColGrid::AutoSizeColumn(int c)
{
    if (c < 0 || c >= FColumns->Count() || !FColumns->GetItem(c)->AutoSize || !InPopup()) return;
    TDropDownColumn& column = *FColumns->GetItem(c);
    TCanvas& canvas = *Canvas();
    canvas.SetFont(column.Font());
    int widest = 0;
    for (int r = 1; r < RowCount(); ++r) {
        String text;
        int image = -1;
        if (FZvDropDown && r - 1 < FZvDropDown->Items()->Count()) {
            const TDropDownItem& item = *FZvDropDown->Items()->GetItem(r - 1);
            text = item.TextAt(c);
            if (column.ColumnType == TColumnType::ctImage) image = item.ImageIndex;
        } else {
            text = Cells(c, r);
        }
        int w = 0;
        if (image >= 0 && Images) w += Images->Width() + 4;
        if (!text.isEmpty()) {
            TRect rect = Rect(0, 0, 1000, 500);
            DrawText(canvas, text, rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            w += rect.Width() + 6;
        }
        widest = std::max(widest, w);
    }
    column.Width = widest;
    if (FZvDropDown && c < FZvDropDown->Columns()->Count()) FZvDropDown->Columns()->GetItem(c)->Width = widest;
    SetColWidths(c, widest);
}

void TZvColGrid::AutoSizeItemColumns()
{
    for (int c = 0; c < FColumns->Count(); ++c)
        if (FColumns->GetItem(c)->AutoSize) AutoSizeColumn(c);
}

void TZvColGrid::FitRowHeights()
{
    bool wraps = false;
    for (int c = 0; c < FColumns->Count(); ++c) wraps = wraps || FColumns->GetItem(c)->Wordwrap;
    if (!wraps || !InPopup()) return;
    TCanvas& canvas = *Canvas();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        int h = MinWrappedRowHeight;
        for (int c = 0; c < FColumns->Count() && c < ColCount(); ++c) {
            const TDropDownColumn& column = *FColumns->GetItem(c);
            if (!column.Wordwrap) continue;
            String text;
            int image = -1;
            // Items are read only where the row stands for one: with UseItems and inside the list.
            const bool fromItem = FZvDropDown && FZvDropDown->UseItems() && r - 1 >= 0 &&
                                  r - 1 < FZvDropDown->Items()->Count();
            if (fromItem) {
                const TDropDownItem& item = *FZvDropDown->Items()->GetItem(r - 1);
                text = item.TextAt(c);
                if (column.ColumnType == TColumnType::ctImage) image = item.ImageIndex;
            } else {
                text = Cells(c, r);
            }
            int b = 0;
            if (image >= 0 && Images) b = Images->Height() + 6;
            if (!text.isEmpty()) {
                canvas.SetFont(column.Font());
                TRect rect = Rect(0, 0, std::max(1, ColWidths(c)), 500);
                DrawText(canvas, text, rect, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
                b = std::max(b, rect.Height() + 6);
            }
            h = std::max(h, b);
        }
        SetRowHeights(r, h);
    }
}

int TZvColGrid::ColumnsWidth() const
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
    if (VisibleRowCount() + FixedRows() != RowCount()) w += VerticalScrollBarWidth();
    return w;
}

void TZvColGrid::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

void TZvColGrid::KeyDownHook(WORD& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FZvDropDown) SendMessage(FZvDropDown, WM_KEYDOWN, Key, 0);
        return;
    }
    if (Key == VK_RETURN) {
        Key = 0;
        TZvStringGrid::KeyDownHook(Key, Shift);
        DoSelect();
        return;
    }
    TZvStringGrid::KeyDownHook(Key, Shift);
}

void TZvColGrid::MouseDownHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    FOldRow = Row();
    TZvStringGrid::MouseDownHook(Button, Shift, X, Y);
}

void TZvColGrid::MouseUpHook(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvStringGrid::MouseUpHook(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft) return;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < FixedRows() || cell.Y >= RowCount()) return;
    if (HasCheckBox(cell.X, cell.Y)) return;
    DoSelect();
}

// A wheel turn moves the current row without confirming it.
bool TZvColGrid::WheelTurn(const std::function<bool()>& turn)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const TScopeExit done([this] { FMouseWheelSelection = false; });
    return turn();
}

bool TZvColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return WheelTurn([&] { return TZvStringGrid::DoMouseWheelDown(Shift, MousePos); });
}

bool TZvColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return WheelTurn([&] { return TZvStringGrid::DoMouseWheelUp(Shift, MousePos); });
}

// The grid turns its rows on the wheel message itself, before the wheel steps.
void TZvColGrid::WindowProcHook(TMessage& Message)
{
    if (Message.Msg != WM_MOUSEWHEEL) {
        TZvStringGrid::WindowProcHook(Message);
        return;
    }
    WheelTurn([&] {
        TZvStringGrid::WindowProcHook(Message);
        return true;
    });
}

void TZvColGrid::WMKeyDown(TWMKey& Message)
{
    // Tab stays in the list: it neither moves the focus nor a cell.
    if (WORD(Message.CharCode) == VK_TAB) return;
    TZvStringGrid::WMKeyDown(Message);
}

void TZvColGrid::WMChar(TWMKey& Message)
{
    // Enter took the row on its key-down; its character must not start an editor.
    if (WORD(Message.CharCode) == VK_RETURN) {
        Message.Result = 1;
        return;
    }
    TZvStringGrid::WMChar(Message);
}

void TZvColGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TZvStringGrid::WMGetDlgCode(Message);
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
}

} // namespace ZvGridDrop

// ---- The drop-down: construction and styles ----------------------------------------------------
TCustomZvGridDropDown::TCustomZvGridDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FLookupItems(std::make_unique<TStringList>()),
      FSearchFooter(std::make_unique<TSearchFooter>(this, false)),
      FBands(std::make_unique<TBands>()),
      FNavigation(std::make_unique<TNavigation>()),
      FMouseActions(std::make_unique<TMouseActions>(this))
{
    FNavigation->SetHomeEndKey(THomeEndAction::heFirstLastRow);
    // The base's construction styled a header font that did not exist yet:
    // the style runs again now that this control's own parts exist.
    SetComponentStyle(GetComponentStyle());
    CreateDropDownForm();
    HeaderColorTo = clGray;
    HeaderColor = clWhite;
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    SetSelectionColorStyle(TSelectionColorStyle::scOffice2007);
    SelectionTextColor = 0;
}

TCustomZvGridDropDown::~TCustomZvGridDropDown()
{
    if (FGrid) {
        FGrid->OnSelect = nullptr;
        FGrid->OnSelectCell = nullptr;
        FGrid->SetDropDown(nullptr);
    }
}

TCustomZvGridDropDown::TDropDownItems* TCustomZvGridDropDown::Items() const
{
    if (!FItems) {
        auto* self = const_cast<TCustomZvGridDropDown*>(this);
        FItems = self->CreateItems(self);
    }
    return FItems.get();
}

std::unique_ptr<TCustomZvGridDropDown::TDropDownItems> TCustomZvGridDropDown::CreateItems(TComponent* AOwner)
{
    return std::make_unique<TDropDownItems>(AOwner);
}

void TCustomZvGridDropDown::Notification(TComponent* component, TOperation operation)
{
    TZvCustomDropDown::Notification(component, operation);
    if (operation == TOperation::opRemove && component && component == FGridImages) {
        FGridImages = nullptr;
        if (FGrid) FGrid->SetGridImages(nullptr);
    }
}

void TCustomZvGridDropDown::SetStyle(TDropDownStyle value)
{
    FStyle = value;
    SetEditorEnabled(value == TDropDownStyle::dsDropDown);
}

void TCustomZvGridDropDown::SetGridImages(TCustomImageList* value)
{
    if (FGridImages == value) return;
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    FGridImages = value;
    if (value) value->FreeNotification(this);
    if (FGrid) FGrid->SetGridImages(value);
}

void TCustomZvGridDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    SelectionStyleLines(value, LineColor, FixedLineColor);
    TZvCustomDropDown::SetSelectionColorStyle(value);
}

void TCustomZvGridDropDown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    if (!FHeaderFont) return;   // during the base's construction: applied again by ours
    struct TLook {
        TZvStyle Style;
        TColor Header, HeaderTo, Font;
        bool KeepFont;
        TSelectionColorStyle Selection;
        TColor Lines;
    };
    static const TLook looks[] = {
        {TZvStyle::tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, false, TSelectionColorStyle::scOffice2007, 0x962D00},
        {TZvStyle::tsOffice2003Silver, 0xBDA4A5, 0x957475, 0, true, TSelectionColorStyle::scOffice2007, 0x947C7C},
        {TZvStyle::tsOffice2003Olive, 0x82C0AF, 0x447A63, 0, true, TSelectionColorStyle::scOffice2007, 0x588060},
        {TZvStyle::tsOffice2003Classic, 0x808080, 0x808080, 0, true, TSelectionColorStyle::scOffice2007, 0x808080},
        {TZvStyle::tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, false, TSelectionColorStyle::scOffice2007, 0xFFD2AF},
        {TZvStyle::tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, false, TSelectionColorStyle::scOffice2007, 0x5C534C},
        {TZvStyle::tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, false, TSelectionColorStyle::scOffice2007, 0x962D00},
        {TZvStyle::tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, false, TSelectionColorStyle::scOffice2007, 0x74706F},
        {TZvStyle::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0, false, TSelectionColorStyle::scWindowsVista, 0xFCF2DA},
        {TZvStyle::tsWindows7, 0xFDFBFA, 0xFDF3EB, 0, false, TSelectionColorStyle::scWindows7, 0xFBD6B8},
    };
    for (const TLook& look : looks) {
        if (look.Style != AStyle) continue;
        HeaderColor = look.Header;
        HeaderColorTo = look.HeaderTo;
        if (!look.KeepFont) FHeaderFont->SetColor(look.Font);
        SetSelectionColorStyle(look.Selection);
        LineColor = FixedLineColor = look.Lines;
        SelectionTextColor = 0;
        return;
    }
    if (AStyle == TZvStyle::tsWindowsXP || AStyle == TZvStyle::tsTerminal) {
        const bool xp = AStyle == TZvStyle::tsWindowsXP;
        FixedLineColor = xp ? TColor(0) : TColor(0x808080);
        LineColor = xp ? TColor(0xC0C0C0) : TColor(0x808080);
        HeaderColor = HeaderColorTo = clBtnFace;
        SetSelectionColorStyle(TSelectionColorStyle::scCustom);
        SetSelectionColor(clHighlight);
        SetSelectionColorTo(clHighlight);
        FHeaderFont->SetColor(0);
        SelectionTextColor = clHighlightText;
    }
}

void TCustomZvGridDropDown::Loaded()
{
    BuildLookupItems();
    if (FGrid && FUseItems) FGrid->FillFromItems();
}

// ---- Items, rows and lookup texts ----------------------------------------------------------------
int TCustomZvGridDropDown::ItemOfRow(int r) const
{
    if (FGrid && r >= 0 && r < FGrid->RowCount()) return FGrid->ItemOfRowTag(r);
    return r;
}

int TCustomZvGridDropDown::RowOfItem(int i) const
{
    if (!FGrid || i < 0) return FItemIndex;
    for (int r = FGrid->FixedRows(); r < FGrid->RowCount(); ++r)
        if (FGrid->ItemOfRowTag(r) == i) return r;
    return FItemIndex;
}

int TCustomZvGridDropDown::ItemCount() const
{
    if (FUseItems) return Items()->Count();
    return FGrid ? FGrid->RowCount() - FGrid->FixedRows() : 0;
}

void TCustomZvGridDropDown::SetItemIndex(int value)
{
    if (FUseItems) {
        if (value >= Items()->Count()) return;
        FItemIndex = value;
        if (value >= 0 && LookupColumn >= 0) SetText(Items()->GetItem(value)->TextAt(LookupColumn));
        else SetText(String());
        return;
    }
    if (!FGrid) {
        FItemIndex = value;
        return;
    }
    // The row count counts the header row too: an index at or past the last row is no row.
    if (value == FItemIndex || value >= FGrid->RowCount() - FGrid->FixedRows()) return;
    FItemIndex = value;
    SetText(value < 0 ? String() : FGrid->Cells(LookupColumn, value + FGrid->FixedRows()));
}

void TCustomZvGridDropDown::BuildLookupItems()
{
    if (LookupColumn < 0 || Items()->Count() == 0) return;
    FLookupItems->Clear();
    for (int i = 0; i < Items()->Count(); ++i) FLookupItems->Add(Items()->GetItem(i)->TextAt(LookupColumn));
}

int TCustomZvGridDropDown::LookupIndexOf(const String& text) const
{
    const String upper = LocaleUpper(text);
    for (int i = 0; i < FLookupItems->Count(); ++i)
        if (LocaleUpper(FLookupItems->Strings(i)) == upper) return i;
    return -1;
}

bool TCustomZvGridDropDown::LookupText(const String& S, String& T, int& Index) const
{
    Index = -1;
    T.clear();
    if (S.isEmpty()) return false;
    const String key = CaseSensitive ? S : LocaleUpper(S);
    auto matches = [&](const String& candidate) {
        return (CaseSensitive ? candidate : LocaleUpper(candidate)).startsWith(key);
    };
    if (FUseItems) {
        for (int i = 0; i < Items()->Count(); ++i) {
            const TDropDownItem& item = *Items()->GetItem(i);
            if (!item.HasText(LookupColumn) || !matches(item.TextAt(LookupColumn))) continue;
            T = item.TextAt(LookupColumn);
            Index = i;
            return true;
        }
        return false;
    }
    if (!FGrid) return false;
    for (int r = FGrid->FixedRows(); r < FGrid->RowCount(); ++r) {
        const String cell = FGrid->Cells(LookupColumn, r);
        if (!matches(cell)) continue;
        T = cell;
        Index = r;
        return true;
    }
    return false;
}

void TCustomZvGridDropDown::SelectTypedRest(const String& text)
{
    if (FStyle != TDropDownStyle::dsDropDown) return;
    const int typed = int(std::min(FLookupEntry.size(), text.size()));
    SetSelStart(typed);
    SetSelLength(int(text.size()) - typed);
}

void TCustomZvGridDropDown::ShowFound(int index, const String& text)
{
    FItemIndex = index;
    SetText(text);
    SelectTypedRest(text);
}

int TCustomZvGridDropDown::TypeAheadKey(QChar Key)
{
    if (LookupMethod == TLookupMethod::lmNone) return -1;
    const ushort k = Key.unicode();
    if (k == VK_BACK) {
        if (SelLength() > 0) {
            const String text = Text();
            SetText(text.left(SelStart()) + text.mid(SelStart() + SelLength()));
        } else {
            FLookupEntry.chop(1);
            SetText(FLookupEntry);
        }
        SetSelStart(int(Text().size()));
        return -1;
    }
    if (k != VK_TAB) FLookupEntry += Key;
    const String S = FLookupEntry.trimmed();
    if (LookupMethod == TLookupMethod::lmNarrowDown) {
        if (!FGrid) return -1;
        if (S.isEmpty()) {
            FGrid->RemoveAllFilters();
        } else {
            FGrid->SetFixedRowAlways(true);
            FGrid->NarrowDown(S, LookupColumn);
            if (FStyle == TDropDownStyle::dsDropDown && FGrid->RowCount() > FGrid->FixedRows()) {
                const String first = FGrid->Cells(LookupColumn, FGrid->FixedRows());
                SetText(first);
                SelectTypedRest(first);
            }
        }
        return FGrid->FixedRows();
    }
    String T;
    int index = -1;
    if (LookupText(S, T, index)) {
        ShowFound(index, T);
        return index;
    }
    if (FStyle == TDropDownStyle::dsDropDownList) {
        if (LookupText(String(Key), T, index)) {
            FLookupEntry = String(Key);
            ShowFound(index, T);
            return index;
        }
        FLookupEntry.clear();
    }
    return -1;
}

void TCustomZvGridDropDown::SelectFirstItem() { SelectListStep(*this, TListStep::First, ItemCount()); }
void TCustomZvGridDropDown::SelectLastItem() { SelectListStep(*this, TListStep::Last, ItemCount()); }
void TCustomZvGridDropDown::SelectNextItem() { SelectListStep(*this, TListStep::Next, ItemCount()); }
void TCustomZvGridDropDown::SelectPreviousItem() { SelectListStep(*this, TListStep::Previous, ItemCount()); }

void TCustomZvGridDropDown::SelectNextPage()
{
    if (ItemCount() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else SetItemIndex(std::min(FItemIndex + PageSize, ItemCount() - 1));
}

void TCustomZvGridDropDown::SelectPreviousPage()
{
    if (ItemCount() == 0) return;
    SetItemIndex(std::max(FItemIndex - PageSize, 0));
}

// ---- The pop-up -----------------------------------------------------------------------------------
void TCustomZvGridDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FGrid) {
        FGrid = new ZvGridDrop::TZvColGrid(this);
        FGrid->SetParent(DropDownForm());
        FGrid->SetDropDown(this);
        FGrid->SetBounds(0, 0, FGrid->Width(), GridHeight);
        FGrid->SetColor(DropDownColor());
        FGrid->SetDoubleBuffered(true);
        FGrid->Navigation()->SetHomeEndKey(THomeEndAction::heFirstLastRow);
    }
    SetHostedControl(FGrid);
}

bool TCustomZvGridDropDown::Blocked() const { return DropDownForm() && DropDownForm()->BlockActivate(); }

void TCustomZvGridDropDown::SetBlock(bool value)
{
    if (DropDownForm()) DropDownForm()->SetBlockActivate(value);
}

void TCustomZvGridDropDown::BindGridEvents()
{
    ZvGridDrop::TZvColGrid& g = *FGrid;
    g.OnStartBlockFocus = [this](TObject*, int, int) { SetBlock(true); };
    g.OnEndBlockFocus = [this](TObject*) { SetBlock(false); };
    g.OnSelectCell = nullptr;
    g.OnSelect = [this](TObject*) { GridSelect(); };
    // The sort events keep the selected item's row current across a sort.
    g.OnCanSort = [this](TObject*, int, bool&) { FTempItemIndex = FItemIndex; };
    g.OnClickSort = [this](TObject*, int) {
        if (FTempItemIndex < 0 || !FGrid) return;
        const int row = RowOfItem(FTempItemIndex);
        if (row >= FGrid->FixedRows() && row < FGrid->RowCount()) FGrid->SetRow(row);
    };
    g.SetSearchFooter(FSearchFooter.get());
    g.SetMouseActions(FMouseActions.get());
    g.SetNavigation(FNavigation.get());
    g.SetBands(FBands.get());
    g.OnCheckBoxClick = [this](TObject* s, int c, int r, bool state) {
        if (OnGridCheckBoxClick) OnGridCheckBoxClick(s, c, r, state);
    };
    // A dialog opened from these must not close the pop-up.
    auto blocked = [this](auto& event) {
        return [this, &event](auto&&... args) {
            SetBlock(true);
            const TScopeExit unblock([this] { SetBlock(false); });
            if (event) event(std::forward<decltype(args)>(args)...);
        };
    };
    g.OnAnchorClick = blocked(OnGridAnchorClick);
    g.OnButtonClick = blocked(OnGridButtonClick);
    g.OnEllipsClick = blocked(OnGridEllipsClick);
    Forward(g.OnAnchorEnter, OnGridAnchorEnter);
    Forward(g.OnAnchorExit, OnGridAnchorExit);
    Forward(g.OnAnchorHint, OnGridAnchorHint);
    Forward(g.OnCellBalloon, OnGridCellBalloon);
    Forward(g.OnGetEditorType, OnGridGetEditorType);
    Forward(g.OnCanEditCell, OnGridCanEditCell);
    Forward(g.OnGridHint, OnGridHint);
    Forward(g.OnMouseDown, OnGridMouseDown);
    Forward(g.OnMouseUp, OnGridMouseUp);
    Forward(g.OnRightClickCell, OnGridRightClickCell);
    Forward(g.OnColumnSize, OnGridColumnSize);
    Forward(g.OnColumnSizing, OnGridColumnSizing);
    Forward(g.OnEndColumnSize, OnGridEndColumnSize);
    Forward(g.OnRowSize, OnGridRowSize);
    Forward(g.OnRowSizing, OnGridRowSizing);
    Forward(g.OnEndRowSize, OnGridEndRowSize);
    Forward(g.OnRowMove, OnGridRowMove);
    Forward(g.OnRowMoving, OnGridRowMoving);
    Forward(g.OnRowMoved, OnGridRowMoved);
    Forward(g.OnColumnMove, OnGridColumnMove);
    Forward(g.OnColumnMoving, OnGridColumnMoving);
    Forward(g.OnColumnMoved, OnGridColumnMoved);
    Forward(g.OnGetCellGradient, OnGridGetCellGradient);
    Forward(g.OnGetEditorPropInt, OnGridGetEditorProp);
    Forward(g.OnGetDisplText, OnGridGetDiplText);
    Forward(g.OnGetFormat, OnGridGetFormat);
    Forward(g.OnScrollHint, OnGridScrollHint);
    Forward(g.OnSearchEditChange, OnGridSearchEditChange);
    Forward(g.OnAutoAddRow, OnGridAutoAddRow);
    Forward(g.OnAutoInsertRow, OnGridInsertRow);
    Forward(g.OnAutoInsertCol, OnGridInsertCol);
    Forward(g.OnAutoDeleteRow, OnGridDeleteRow);
    Forward(g.OnCanAddRow, OnGridCanAddRow);
    Forward(g.OnCanInsertRow, OnGridCanInsertRow);
    Forward(g.OnCanDeleteRow, OnGridCanDeleteRow);
    g.OnGetAlignment = [this](TObject* s, int r, int c, TAlignment& h, TVAlignment& v) {
        if (c >= 0 && c < FColumns->Count()) h = FColumns->GetItem(c)->Alignment;
        if (OnGridGetAlignment) OnGridGetAlignment(s, r, c, h, v);
    };
    g.OnGetCellColor = [this](TObject* s, int r, int c, TGridDrawState st, TBrush* b, TFont* f) {
        if (c >= 0 && c < FColumns->Count() && r >= FGrid->FixedRows() && b) b->SetColor(FColumns->GetItem(c)->Color);
        if (OnGridGetCellColor) OnGridGetCellColor(s, r, c, st, b, f);
    };
    g.OnGetFloatFormat = [this](TObject* s, int c, int r, bool& isFloat, String& format) {
        format.clear();
        if (OnGridGetFloatFormat) OnGridGetFloatFormat(s, c, r, isFloat, format);
    };
    g.OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) {
        // The balloon window is made anew once per opening, in the pop-up it now lives in.
        if (!FBalloonInit && FGrid && FGrid->Balloon()->Enable()) {
            FGrid->Balloon()->SetEnable(false);
            FGrid->Balloon()->SetEnable(true);
        }
        FBalloonInit = true;
        if (OnGridMouseMove) OnGridMouseMove(s, shift, x, y);
    };
    g.OnTopLeftChanged = [this](TObject*) {
        if (OnGridTopLeftChanged) OnGridTopLeftChanged(this);
    };
    g.OnCustomCellDraw = nullptr;
    g.OnCustomCellBkgDraw = nullptr;
    if (OnGridCustomCellDraw) Forward(g.OnCustomCellDraw, OnGridCustomCellDraw);
    if (OnGridCustomCellBkgDraw) Forward(g.OnCustomCellBkgDraw, OnGridCustomCellBkgDraw);
    g.OnSelectCell = [this](TObject*, int, int r, bool&) { GridSelectCell(r); };
}

void TCustomZvGridDropDown::BeforeDropDown()
{
    DropDownForm()->SetCancelOnDeActivate(false);
    if (!FGrid) {
        TZvCustomDropDown::BeforeDropDown();
        return;
    }
    ZvGridDrop::TZvColGrid& g = *FGrid;
    g.OnSelectCell = nullptr;
    g.LoadFromDropDown(this);
    g.SetColor(DropDownColor());
    g.SortSettings()->SetShow(Sorting != TGridSorting::gsNone);
    g.SortSettings()->SetIndexShow(Sorting == TGridSorting::gsMultiColumn);
    FBalloonInit = false;
    TGridOptions o = g.Options();
    o.Include(goThumbTracking);
    if (RowSelect) o.Include(goRowSelect);
    else o.Exclude(goRowSelect);
    if (GridEditable) o.Include(goEditing);
    else o.Exclude(goEditing);
    g.SetOptions(o);
    g.SetGridImages(FGridImages);
    g.SetComponentStyle(GetComponentStyle());
    if (FUseItems) {
        TZvCustomDropDown::BeforeDropDown();
        g.RemoveAllFilters();
        g.SetRowCount(Items()->Count() + 1);
        g.SetFixedRows(1);
        g.FillFromItems();
        const int r = RowOfItem(FItemIndex);
        if (r >= g.FixedRows() && r < g.RowCount()) g.SetRow(r);
    } else {
        String T;
        int index = -1;
        if (LookupText(Text(), T, index)) g.SetRow(index);
        else if (g.RowCount() > g.FixedRows()) g.SetRow(g.FixedRows());
    }
    if (g.SortSettings()->Column() >= 0 && g.SortSettings()->Show()) g.QSort();
    FOldItemIndex = FItemIndex;
    if (!FUseItems) TZvCustomDropDown::BeforeDropDown();
    BindGridEvents();
}

void TCustomZvGridDropDown::SizeDropDownForm()
{
    TZvCustomDropDown::SizeDropDownForm();
    if (!DropDownAutoWidth || !DropDownForm() || !FGrid) return;
    FitPopupWidth(*this, *FGrid, FGrid->ColumnsWidth());
}

void TCustomZvGridDropDown::PlaceDropDownControl()
{
    if (FGrid) SetHostedControl(FGrid);
    TZvCustomDropDown::PlaceDropDownControl();
}

void TCustomZvGridDropDown::AdjustDropDownHeight(int& Height)
{
    const int strips = StripsHeight();
    // The 4 spare pixels leave room for the grid's own frame below the last row.
    Height = SnapToRows(Height, strips, HeaderHeight, DropDownRowHeight, 4);
}

void TCustomZvGridDropDown::OpenDropDownForm()
{
    TZvCustomDropDown::OpenDropDownForm();
    if (!FGrid) return;
    ZvGridDrop::TZvColGrid& g = *FGrid;
    if (!FUseItems)
        while (FColumns->Count() < g.ColCount()) FColumns->Add();
    if (DroppedDown()) FitColumnWidths();
    if (g.VisibleRowCount() + g.FixedRows() < g.RowCount()) {
        if (g.Row() >= g.TopRow() + g.VisibleRowCount() || g.Row() < g.TopRow()) g.SetTopRow(g.Row());
    }
    FSelRow = g.FixedRows();
    g.SetTabStop(true);
    if (DroppedDown() && g.CanFocus()) g.SetFocus();
}

void TCustomZvGridDropDown::CloseDropDownForm(bool Cancel)
{
    if (DropDownForm() && DropDownForm()->Visible() && FGrid) {
        if (Cancel) {
            SetItemIndex(FOldItemIndex);
        } else {
            if (FGrid->ConfirmSelection())
                SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - FGrid->FixedRows());
            FOldItemIndex = FItemIndex;
            FGrid->SetConfirmSelection(false);
        }
    }
    TZvCustomDropDown::CloseDropDownForm(Cancel);
}

void TCustomZvGridDropDown::DropDownFormSizing() { FitColumnWidths(); }

void TCustomZvGridDropDown::FitColumnWidths()
{
    if (!ColumnSizeWithDropDown || !FGrid || !DropDownForm()) return;
    ZvGridDrop::TZvColGrid& g = *FGrid;
    g.SetScrollBars(ssVertical);
    if (FColumns->Count() == 0) return;
    int W = DropDownForm()->Width();
    if (g.VisibleRowCount() + g.FixedRows() < g.RowCount()) W -= VerticalScrollBarWidth();
    ScaleColumns(g, *FColumns, W);
}

void TCustomZvGridDropDown::GridSelectCell(int r)
{
    FSelRow = r;
    if (FGrid->MouseWheelSelection()) return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(r));
    } else {
        SetText(FGrid->Cells(LookupColumn, r));
        FItemIndex = r - FGrid->FixedRows();
    }
}

void TCustomZvGridDropDown::GridSelect()
{
    if (FGrid->ConfirmSelection()) {
        const int row = FGrid->Row();
        SetItemIndex(FUseItems ? ItemOfRow(row) : row - 1);
        FSelRow = row;
    }
    if (!GridEditable) CloseDropDownForm(false);
    if (OnSelect) OnSelect(this);
}

void TCustomZvGridDropDown::WheelDownNotify()
{
    TZvCustomDropDown::WheelDownNotify();
    // Over the open list the wheel scrolls the list; only the closed edit steps.
    if (!DroppedDown()) SelectNextItem();
}

void TCustomZvGridDropDown::WheelUpNotify()
{
    TZvCustomDropDown::WheelUpNotify();
    if (!DroppedDown()) SelectPreviousItem();
}

// ---- Keys -----------------------------------------------------------------------------------------
void TCustomZvGridDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (!(IsMoveKey(Key) && !Shift.Contains(ssAlt))) TZvCustomDropDown::ControlKeyDown(Key, Shift);
    if (OnGridKeyDown) OnGridKeyDown(this, Key, Shift);
}

void TCustomZvGridDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (IsMoveKey(Key) && !Shift.Contains(ssAlt)) FLookupEntry.clear();
    else TZvCustomDropDown::ControlKeyUp(Key, Shift);
    if (OnGridKeyUp) OnGridKeyUp(this, Key, Shift);
}

void TCustomZvGridDropDown::ControlKeyPress(QChar& Key)
{
    const ushort k = Key.unicode();
    const bool navigation = k == 13 || k == 27 || (k >= 33 && k <= 36) || k == 38 || k == 40;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (!FGrid || (navigation && !alt) || FGrid->Options().Contains(goEditing)) {
        FLookupEntry.clear();
    } else {
        int r = TypeAheadKey(Key);
        if (r >= 0 && FUseItems && LookupMethod == TLookupMethod::lmLookup) r = RowOfItem(r);
        ZvGridDrop::TZvColGrid& g = *FGrid;
        if (r < g.FixedRows() || r >= g.RowCount()) {
            FLookupEntry.clear();
        } else {
            if (g.VisibleRowCount() + g.FixedRows() < g.RowCount()) g.SetTopRow(r);
            g.SetRow(r);
            g.SetCol(0);
            g.InvalidateRow(r);
        }
    }
    if (OnGridKeyPress) OnGridKeyPress(this, Key);
}

void TCustomZvGridDropDown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    if (key == VK_RETURN && FGrid) FGrid->SetConfirmSelection(true);
    TZvCustomDropDown::WMKeyDown(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0 || !IsMoveKey(key)) return;
    FLookupEntry.clear();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool list = FStyle == TDropDownStyle::dsDropDownList;
    switch (key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
        if (!shift && list) SelectLastItem();
        break;
    case VK_HOME:
        if (!shift && list) SelectFirstItem();
        break;
    case VK_UP: SelectPreviousItem(); break;
    case VK_DOWN: SelectNextItem(); break;
    default: break;
    }
}

void TCustomZvGridDropDown::WMChar(TWMKey& Message)
{
    TZvCustomDropDown::WMChar(Message);
    TypeAheadKey(QChar(ushort(Message.CharCode)));
    if (AutoShowDropDown) ShowDropDown();
}

void TCustomZvGridDropDown::CMEnter(TMessage& Message)
{
    TZvCustomDropDown::CMEnter(Message);
    if (FGrid) FGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

void TCustomZvGridDropDown::KeyDownHook(WORD& Key, TShiftState Shift)
{
    if (FGrid && FGrid->Options().Contains(goEditing) && FGrid->EditorMode() && Key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        FGrid->HideCellEditor();
        SetText(FGrid->Cells(LookupColumn, FGrid->Row()));
        FItemIndex = FGrid->Row() - FGrid->FixedRows();
        Key = 0;
        return;
    }
    if (LookupColumn < 0 || ItemCount() == 0) {
        TZvCustomDropDown::KeyDownHook(Key, Shift);
        return;
    }
    const WORD key = Key;
    if (key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE) {
        FWorkMode = false;
    } else if (key == VK_RETURN) {
        const int found = LookupIndexOf(Text());
        if (found >= 0) {
            SetItemIndex(found);
            ChangeHook();
        }
        if (ReturnIsTab) {
            PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
        }
    } else {
        FWorkMode = true;
    }
    if (key == VK_ESCAPE || (key >= VK_PRIOR && key <= VK_DOWN)) FLookupEntry.clear();
    TZvCustomDropDown::KeyDownHook(Key, Shift);
    if (key == VK_ESCAPE) SetItemIndex(LookupIndexOf(Text()));
}

void TCustomZvGridDropDown::KeyUpHook(WORD& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && ReturnIsTab)) TZvCustomDropDown::KeyUp(Key, Shift);
    if (FGrid && FGrid->Options().Contains(goEditing) && FGrid->EditorMode() && Key == VK_RETURN &&
        !Shift.Contains(ssShift)) {
        if (FGrid->Col() == LookupColumn) HideDropDown(false);
        else FGrid->HideCellEditor();
    }
    FinishCompletion(*this, FCompletion, [this](int item) { SetItemIndex(item); });
}

void TCustomZvGridDropDown::KeyPressHook(QChar& Key)
{
    if (ReturnIsTab && Key.unicode() == VK_RETURN) {
        Key = QChar();
        return;
    }
    TZvCustomDropDown::KeyPress(Key);
}

void TCustomZvGridDropDown::ChangeHook()
{
    FCompletion.Pending = false;
    TZvCustomDropDown::Change();
    if (!FWorkMode || Destroying()) return;
    CompleteFromLookups(*this, *FLookupItems, MatchCase, FItemIndex, FCompletion);
}
