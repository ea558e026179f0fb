// The multi-column drop-down: its columns and items, the list in the pop-up,
// completion in the edit, type-ahead in the list, paging and the pop-up's
// snapped height and scaled columns.
#include "dropdowns/pickers/ZvMultiColumnDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "grid/support/ZvDropDownDraw.h"
#include "platform/DrawText.h"
#include "platform/ImgList.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace ZvMultiColumn;

namespace {
constexpr int ListHeight = 180;
constexpr int PageSize = 10;
constexpr int MinWrappedRowHeight = 24;
constexpr int MaxCompletionRest = 255;

String LocaleUpper(const String& s) { return QLocale().toUpper(s); }

// Rounds halves to the even neighbour.
int RoundEven(double v) { return int(std::nearbyint(v)); }
} // namespace

// ---- Columns and items -------------------------------------------------------------------------
TDropDownColumn::TDropDownColumn(TPickerCollection*) : FFont(std::make_unique<TFont>()) {}
TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::Assign(TPersistent* source)
{
    auto* o = dynamic_cast<TDropDownColumn*>(source);
    if (!o) {
        TPersistent::Assign(source);
        return;
    }
    Wordwrap = o->Wordwrap;
    Width = o->Width;
    AutoSize = o->AutoSize;
    Header = o->Header;
    Alignment = o->Alignment;
    Color = o->Color;
    ColumnType = o->ColumnType;
    Ellipsis = o->Ellipsis;
    FFont->Assign(o->FFont.get());
}

TDropDownItem::TDropDownItem(TPickerCollection*) : FText(std::make_unique<TStringList>()) {}
TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::SetText(const TStringList& value)
{
    FText->Clear();
    FText->AddStrings(value);
}

String TDropDownItem::TextAt(int column) const { return HasText(column) ? FText->Strings(column) : String(); }

void TDropDownItem::Assign(TPersistent* source)
{
    auto* o = dynamic_cast<TDropDownItem*>(source);
    if (!o) {
        TPersistent::Assign(source);
        return;
    }
    ImageIndex = o->ImageIndex;
    SetText(*o->FText);
}

TDropDownItems::TItemClass TDropDownItems::GetItemClass() const
{
    return [](TPickerCollection* collection) { return std::make_unique<TDropDownItem>(collection); };
}

int TDropDownItems::IndexInColumn(int Column, const String& Value) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->HasText(Column) && GetItem(i)->TextAt(Column) == Value) return i;
    return -1;
}

// ---- What the column lists share ----------------------------------------------------------------
void ZvMultiColumn::SelectionStyleLines(TSelectionColorStyle style, TColor& line, TColor& fixedLine)
{
    if (style == TSelectionColorStyle::scOffice2007) {
        line = 0xF1EDEB;
        fixedLine = 0xD1BBA4;
    } else if (style == TSelectionColorStyle::scWindowsVista || style == TSelectionColorStyle::scWindows7) {
        line = 0xECECF0;
        fixedLine = 0xD4D2D1;
    }
}

int ZvMultiColumn::SnapToRows(int height, int strips, int headerHeight, int rowHeight, int extra)
{
    if (rowHeight <= 0) return height;
    const int rows = std::max(0, (height - strips - headerHeight - 2) / rowHeight);
    return strips + headerHeight + 2 + rows * rowHeight + extra;
}

void ZvMultiColumn::ScaleColumns(TCustomGrid& grid, const TDropDownColumns& columns, int width)
{
    int total = 1;
    for (int i = 0; i < columns.Count(); ++i) total += columns.GetItem(i)->Width;
    const double f = double(width) / total;
    double carry = 0;
    for (int i = 0; i < columns.Count() && i < grid.ColCount(); ++i) {
        const double exact = f * columns.GetItem(i)->Width;
        const int n = RoundEven(exact);
        carry += exact - n;
        if (carry > 1) {
            grid.SetColWidths(i, n + 1);
            carry -= 1;
        } else {
            grid.SetColWidths(i, n);
        }
    }
}

void ZvMultiColumn::FitPopupWidth(TZvCustomDropDown& edit, TControl& list, int width)
{
    TDropDownForm& form = *edit.DropDownForm();
    list.SetAlign(TAlign::alNone);
    list.SetWidth(width);
    form.SetBounds(form.Left(), form.Top(), list.Width() + 2 * edit.DropDownBorderWidth(), form.Height());
    list.SetAlign(TAlign::alClient);
}

void ZvMultiColumn::CompleteFromLookups(TZvCustomDropDown& edit, const TStringList& lookups, bool matchCase,
                                        int& itemIndex, TPendingCompletion& pending)
{
    const String text = edit.Text();
    edit.SetModifiedState(!text.isEmpty());
    const int caret = std::clamp(edit.SelStart(), 0, int(text.size()));
    const String typed = text.left(caret);
    const String key = matchCase ? typed : LocaleUpper(typed);
    if (!key.isEmpty()) {
        for (int i = 0; i < lookups.Count(); ++i) {
            const String& candidate = lookups.Strings(i);
            if (!(matchCase ? candidate : LocaleUpper(candidate)).startsWith(key)) continue;
            const String rest = candidate.mid(key.size(), MaxCompletionRest);
            itemIndex = pending.Item = i;
            pending.Typed = int(key.size());
            pending.Pending = true;
            edit.SetText(typed + rest);
            edit.SetSelStart(pending.Typed);
            edit.SetSelLength(int(rest.size()));
            return;
        }
    }
    if (!typed.isEmpty() && typed != text) {
        edit.SetText(typed);
        edit.SetSelStart(int(typed.size()));
    }
}

void ZvMultiColumn::FinishCompletion(TZvCustomDropDown& edit, TPendingCompletion& pending,
                                     const std::function<void(int)>& choose)
{
    if (!pending.Pending) return;
    choose(pending.Item);
    edit.SetSelStart(pending.Typed);
    edit.SetSelLength(int(edit.Text().size()) - pending.Typed);
    pending.Pending = false;
}

// ---- The list ------------------------------------------------------------------------------------
TZvColGrid::TZvColGrid(TComponent* AOwner)
    : TStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>())
{
    SetFixedCols(0);
    SetFixedRows(1);
    TGridOptions o = Options();
    o.Exclude(goRangeSelect);
    o.Exclude(goDrawFocusSelected);
    o.Include(goHorzLine);
    o.Include(goRowSelect);
    SetOptions(o);
    SetDefaultDrawing(false);
    TCustomGrid::SetGridLineWidth(0);
}

TZvColGrid::~TZvColGrid() { Images = nullptr; }

void TZvColGrid::SetListLineWidth(int value)
{
    FLineWidth = value;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TZvColGrid::LoadFromDropDown(TZvMultiColumnDropDown* DropDown)
{
    if (!DropDown) return;
    FZvDropDown = DropDown;
    FColumns->Assign(DropDown->Columns());
    const int items = DropDown->Items()->Count();
    SetColCount(std::max(1, FColumns->Count()));
    SetRowCount(items + 1);
    if (items > 0) {
        SetFixedRows(1);
        SetRow(1);
        SetRowCount(items + 1);
    } else {
        // Without items the single row is an empty item row, not a header.
        SetRowCount(1);
        SetFixedRows(0);
    }
    for (int i = 0; i < FColumns->Count(); ++i) SetColWidths(i, FColumns->GetItem(i)->Width);
    LineColor = DropDown->LineColor;
    FixedLineColor = DropDown->FixedLineColor;
    HeaderColor = DropDown->HeaderColor;
    HeaderColorTo = DropDown->HeaderColorTo;
    HeaderHeight = DropDown->HeaderHeight;
    FHeaderFont->Assign(DropDown->HeaderFont());
    Images = DropDown->Images();
    SetDefaultRowHeight(std::max(1, DropDown->DropDownRowHeight));
    if (FixedRows() > 0) SetRowHeights(0, HeaderHeight);
    TGridOptions o = Options();
    if (DropDown->ColumnSizing) o.Include(goColSizing);
    else o.Exclude(goColSizing);
    SetOptions(o);
    AutoSizeColumns();
    FitRowHeights();
}

int TZvColGrid::ColumnsWidth() const
{
    int w = 0;
    for (int i = 0; i < ColCount(); ++i) w += ColWidths(i);
    // The border is none: the list draws no frame of its own.
    if (VisibleRowCount() + FixedRows() != RowCount()) w += VerticalScrollBarWidth();
    return w;
}

TRect TZvColGrid::FullCellRect(int ACol, int ARow) const
{
    const TRect r = CellRect(ACol, ARow);
    return Rect(r.Left, r.Top, r.Left + ColWidths(ACol), r.Top + RowHeights(ARow));
}

void TZvColGrid::AutoSizeColumns()
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->GetItem(i)->AutoSize) AutoSizeColumn(i);
}

void TZvColGrid::AutoSizeColumn(int ACol)
{
    if (!FZvDropDown || ACol < 0 || ACol >= FColumns->Count()) return;
    TDropDownColumn& column = *FColumns->GetItem(ACol);
    if (!column.AutoSize) return;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(column.Font());
    int w = 0;
    const TDropDownItems& items = *FZvDropDown->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const TDropDownItem& item = *items.GetItem(i);
        const String text = item.TextAt(ACol);
        int b = 0;
        if (column.ColumnType == TColumnType::ctImage && item.HasText(ACol) && item.ImageIndex >= 0 && Images)
            b = Images->Width() + 4;
        if (!text.isEmpty()) {
            TRect r = Rect(0, 0, 1000, 500);
            DrawText(canvas, text, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            b += r.Width() + 6;
        }
        w = std::max(w, b);
    }
    column.Width = w;
    FZvDropDown->Columns()->GetItem(ACol)->Width = w;
    SetColWidths(ACol, w);
}

void TZvColGrid::FitRowHeights()
{
    if (!FZvDropDown) return;
    bool wraps = false;
    for (int c = 0; c < FColumns->Count(); ++c) wraps = wraps || FColumns->GetItem(c)->Wordwrap;
    if (!wraps) return;
    const TDropDownItems& items = *FZvDropDown->Items();
    TCanvas& canvas = *Canvas();
    for (int i = 0; i < items.Count() && i + 1 < RowCount(); ++i) {
        const TDropDownItem& item = *items.GetItem(i);
        int h = MinWrappedRowHeight;
        for (int c = 0; c < FColumns->Count(); ++c) {
            const TDropDownColumn& column = *FColumns->GetItem(c);
            if (!column.Wordwrap) continue;
            int b = 0;
            if (column.ColumnType == TColumnType::ctImage && item.HasText(c) && item.ImageIndex >= 0 && Images)
                b = Images->Height() + 6;
            const String text = item.TextAt(c);
            if (!text.isEmpty()) {
                canvas.SetFont(column.Font());
                TRect r = Rect(0, 0, std::max(1, column.Width), 500);
                DrawText(canvas, text, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
                b = std::max(b, r.Height() + 6);
            }
            h = std::max(h, b);
        }
        SetRowHeights(i + 1, h);
    }
}

void TZvColGrid::DoSelect()
{
    if (OnSelect) OnSelect(this);
}

void TZvColGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas& canvas = *Canvas();
    TZvMultiColumnDropDown* owner = FZvDropDown;
    if (owner && owner->OnDropDownDrawItem) {
        owner->OnDropDownDrawItem(owner, ACol, ARow, &canvas, ARect);
        return;
    }
    TRect r = FullCellRect(ACol, ARow);
    (void)ARect;
    const int position = ColCount() == 1 ? 0 : ACol == 0 ? 1 : ACol == ColCount() - 1 ? 2 : 3;
    const bool header = ARow < FixedRows();
    const TDropDownColumn* column = ACol < FColumns->Count() ? FColumns->GetItem(ACol) : nullptr;
    const TColor cellColor = column ? column->Color : Color();
    const TAlignment alignment = column ? column->Alignment : TAlignment::taLeftJustify;
    const bool wrap = column && column->Wordwrap;
    const bool ellipsis = column && column->Ellipsis;
    TFont* font = column ? column->Font() : FHeaderFont.get();
    String text = Cells(ACol, ARow);
    int imageIndex = -1;
    if (!header && owner) {
        const int item = ARow - FixedRows();
        if (item >= 0 && item < owner->Items()->Count()) {
            const TDropDownItem& it = *owner->Items()->GetItem(item);
            if (it.HasText(ACol)) text = it.TextAt(ACol);
            if (column && column->ColumnType == TColumnType::ctImage) imageIndex = it.ImageIndex;
        }
    }
    if (owner && owner->OnDropDownGetItemText) owner->OnDropDownGetItemText(owner, ACol, ARow, text);

    const bool selected = AState.Contains(gdSelected) && !header;
    if (header) {
        text = column ? column->Header : String();
        imageIndex = -1;
        if (HeaderColor == clNone || HeaderColorTo == clNone) {
            canvas.Brush()->SetColor(HeaderColor);
            canvas.FillRect(r);
        } else if (owner) {
            owner->DrawGradient(canvas, HeaderColor, true, r, 80, HeaderColorTo);
        } else {
            DrawDropDownGradient(canvas, HeaderColor, HeaderColorTo, false, r, 80);
        }
    } else if (selected) {
        if (owner) {
            owner->DrawSelectionBackground(canvas, r, position);
        } else {
            canvas.Brush()->SetColor(clActiveCaption);
            canvas.FillRect(r);
        }
    } else {
        canvas.Brush()->SetColor(cellColor);
        canvas.Pen()->SetColor(cellColor);
        canvas.Pen()->SetWidth(1);
        canvas.Rectangle(r);
    }

    int c = 1;
    if (header) {
        canvas.Pen()->SetColor(FixedLineColor);
        canvas.Pen()->SetWidth(1);
    } else {
        if (FLineWidth > 0) canvas.Pen()->SetColor(LineColor);
        canvas.Pen()->SetWidth(std::max(1, FLineWidth));
        c = (FLineWidth + 1) / 2;
    }
    const bool lines = !header ? FLineWidth > 0 : true;
    if (lines && Options().Contains(header ? goFixedHorzLine : goHorzLine)) {
        canvas.MoveTo(r.Left - c + 1, r.Bottom - c);
        canvas.LineTo(r.Right - c + 1, r.Bottom - c);
    }
    if (lines && Options().Contains(header ? goFixedVertLine : goVertLine)) {
        canvas.MoveTo(r.Right - c, r.Bottom - c);
        canvas.LineTo(r.Right - c, r.Top - c);
    }

    TRect content = Rect(r.Left + FLineWidth, r.Top + FLineWidth, r.Right - FLineWidth, r.Bottom - FLineWidth);
    if (owner && owner->Images() && imageIndex >= 0) {
        TCustomImageList& images = *owner->Images();
        const int y = images.Height() < content.Height() ? content.Top + (content.Height() - images.Height()) / 2
                                                         : content.Top;
        images.Draw(canvas, content.Left + 2, y, imageIndex);
        content.Left += images.Width() + 4;
    } else {
        content.Left += 2;
    }
    if (text.isEmpty()) return;
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.SetFont(header ? FHeaderFont.get() : font);
    if (selected && owner) canvas.Font()->SetColor(owner->SelectionTextColor);
    unsigned flags = (wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE) | DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
    if (alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
    else if (alignment == TAlignment::taCenter) flags |= DT_CENTER;
    if (ellipsis) flags |= DT_END_ELLIPSIS;
    DrawText(canvas, text, content, flags);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TZvColGrid::WMKeyDown(TWMKey& Message)
{
    // Tab stays in the list: it neither moves the focus nor a cell.
    if (WORD(Message.CharCode) == VK_TAB) return;
    TStringGrid::WMKeyDown(Message);
}

void TZvColGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TStringGrid::WMGetDlgCode(Message);
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
}

void TZvColGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if (Key == VK_TAB) {
        Key = 0;
        return;
    }
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FZvDropDown) SendMessage(FZvDropDown, WM_KEYDOWN, Key, 0);
        return;
    }
    const WORD key = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (key == VK_RETURN) DoSelect();
}

void TZvColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TZvColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.Y >= FixedRows() && cell.Y < RowCount()) DoSelect();
}

bool TZvColGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const TScopeExit done([this] { FMouseWheelSelection = false; });
    return TStringGrid::DoMouseWheel(Shift, WheelDelta, MousePos);
}

// ---- The drop-down: construction and styles -----------------------------------------------------
TZvMultiColumnDropDown::TZvMultiColumnDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FLookupItems(std::make_unique<TStringList>())
{
    // The base's construction styled a header font that did not exist yet:
    // the style runs again now that this control's own parts exist.
    SetComponentStyle(GetComponentStyle());
    CreateDropDownForm();
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    HeaderColor = clWhite;
    HeaderColorTo = clGray;
    SetSelectionColorStyle(TSelectionColorStyle::scOffice2007);
}

TZvMultiColumnDropDown::~TZvMultiColumnDropDown()
{
    if (FZvColGrid) {
        FZvColGrid->OnSelect = nullptr;
        FZvColGrid->OnSelectCell = nullptr;
        FZvColGrid->SetDropDown(nullptr);
    }
}

void TZvMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    SelectionStyleLines(value, LineColor, FixedLineColor);
    TZvCustomDropDown::SetSelectionColorStyle(value);
}

void TZvMultiColumnDropDown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    if (!FHeaderFont) return;   // during the base's construction: applied again by ours
    struct TLook {
        TZvStyle Style;
        TColor Header, HeaderTo, Font;
        bool KeepFont;
        TSelectionColorStyle Selection;
        TColor SelectionColour;   // clNone: the selection style's own
        TColor SelectionText, Line, FixedLine;
    };
    static const TLook looks[] = {
        {TZvStyle::tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, false, TSelectionColorStyle::scOffice2007, clNone, 0, 0x962D00, 0x962D00},
        {TZvStyle::tsOffice2003Silver, 0xBDA4A5, 0x957475, 0, true, TSelectionColorStyle::scOffice2007, clNone, 0, 0x947C7C, 0x947C7C},
        {TZvStyle::tsOffice2003Olive, 0x82C0AF, 0x447A63, 0, true, TSelectionColorStyle::scOffice2007, clNone, 0, 0x588060, 0x588060},
        {TZvStyle::tsOffice2003Classic, 0x808080, 0x808080, 0, true, TSelectionColorStyle::scOffice2007, clNone, 0, 0x808080, 0x808080},
        {TZvStyle::tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, false, TSelectionColorStyle::scOffice2007, clNone, 0, 0xFFD2AF, 0xFFD2AF},
        {TZvStyle::tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, false, TSelectionColorStyle::scOffice2007, clNone, 0, 0x5C534C, 0x5C534C},
        {TZvStyle::tsWindowsXP, clBtnFace, clBtnFace, 0, false, TSelectionColorStyle::scCustom, clHighlight, clHighlightText, 0xC0C0C0, 0},
        {TZvStyle::tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, false, TSelectionColorStyle::scOffice2007, clNone, 0, 0x962D00, 0x962D00},
        {TZvStyle::tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, false, TSelectionColorStyle::scOffice2007, clNone, 0, 0x74706F, 0x74706F},
        {TZvStyle::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0, false, TSelectionColorStyle::scWindowsVista, clNone, 0, 0xFCF2DA, 0xFCF2DA},
        {TZvStyle::tsWindows7, 0xFDFBFA, 0xFDF3EB, 0, false, TSelectionColorStyle::scWindows7, clNone, 0, 0xFBD6B8, 0xFBD6B8},
        {TZvStyle::tsTerminal, clBtnFace, clBtnFace, 0, false, TSelectionColorStyle::scCustom, clHighlight, clHighlightText, 0x808080, 0x808080},
        {TZvStyle::tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, false, TSelectionColorStyle::scCustom, 0x6CD0FF, 0, 0xEEDDCF, 0xEEDDCF},
        {TZvStyle::tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, false, TSelectionColorStyle::scCustom, 0x6CD0FF, 0, 0xEEDDCF, 0xEEDDCF},
        {TZvStyle::tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, false, TSelectionColorStyle::scCustom, 0x6CD0FF, 0, 0xEEDDCF, 0xEEDDCF},
    };
    for (const TLook& look : looks) {
        if (look.Style != AStyle) continue;
        HeaderColor = look.Header;
        HeaderColorTo = look.HeaderTo;
        if (!look.KeepFont) FHeaderFont->SetColor(look.Font);
        SetSelectionColorStyle(look.Selection);
        if (look.SelectionColour != clNone) {
            SetSelectionColor(look.SelectionColour);
            SetSelectionColorTo(look.SelectionColour);
        }
        SelectionTextColor = look.SelectionText;
        LineColor = look.Line;
        FixedLineColor = look.FixedLine;
        return;
    }
}

void TZvMultiColumnDropDown::Assign(TPersistent* source)
{
    TZvCustomDropDown::Assign(source);
    auto* o = dynamic_cast<TZvMultiColumnDropDown*>(source);
    if (!o || o == this) return;
    CaseSensitive = o->CaseSensitive;
    DropDownAutoWidth = o->DropDownAutoWidth;
    DropDownRowHeight = o->DropDownRowHeight;
    LineColor = o->LineColor;
    FixedLineColor = o->FixedLineColor;
    ColumnSizing = o->ColumnSizing;
    ColumnSizeWithDropDown = o->ColumnSizeWithDropDown;
    FColumns->Assign(o->FColumns.get());
    HeaderColor = o->HeaderColor;
    HeaderColorTo = o->HeaderColorTo;
    HeaderHeight = o->HeaderHeight;
    FHeaderFont->Assign(o->FHeaderFont.get());
    FLookupColumn = o->FLookupColumn;
    SelectionTextColor = o->SelectionTextColor;
    FItems->Assign(o->FItems.get());
    FItemIndex = o->FItemIndex;
}

// ---- Selection and lookup texts -------------------------------------------------------------------
void TZvMultiColumnDropDown::SetItemIndex(int value)
{
    if (value >= FItems->Count()) return;
    FItemIndex = value;
    if (value >= 0 && FLookupColumn >= 0) SetText(FItems->GetItem(value)->TextAt(FLookupColumn));
    else SetText(String());
}

int TZvMultiColumnDropDown::GetItemIndex(const String& Value) const
{
    return FLookupColumn < 0 ? -1 : FItems->IndexInColumn(FLookupColumn, Value);
}

void TZvMultiColumnDropDown::BuildLookupTexts()
{
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    FLookupItems->Clear();
    for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(FItems->GetItem(i)->TextAt(FLookupColumn));
}

void TZvMultiColumnDropDown::SelectFirstItem() { SelectListStep(*this, TListStep::First, FItems->Count()); }
void TZvMultiColumnDropDown::SelectLastItem() { SelectListStep(*this, TListStep::Last, FItems->Count()); }
void TZvMultiColumnDropDown::SelectNextItem() { SelectListStep(*this, TListStep::Next, FItems->Count()); }
void TZvMultiColumnDropDown::SelectPreviousItem() { SelectListStep(*this, TListStep::Previous, FItems->Count()); }

void TZvMultiColumnDropDown::SelectNextPage()
{
    if (FItems->Count() == 0) return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + PageSize, FItems->Count() - 1));
}

void TZvMultiColumnDropDown::SelectPreviousPage()
{
    if (FItems->Count() == 0) return;
    SetItemIndex(FItemIndex < PageSize ? 0 : FItemIndex - PageSize);
}

// ---- The pop-up ----------------------------------------------------------------------------------
void TZvMultiColumnDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || !FItems) return;
    if (!FZvColGrid) {
        FZvColGrid = new TZvColGrid(this);
        FZvColGrid->SetParent(DropDownForm());
    }
    FZvColGrid->SetDropDown(this);
    FZvColGrid->SetBounds(0, 0, FZvColGrid->Width(), ListHeight);
    FZvColGrid->SetColor(DropDownColor());
    FZvColGrid->SetDoubleBuffered(true);
    SetHostedControl(FZvColGrid);
}

void TZvMultiColumnDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    FShowing = true;
    if (FZvColGrid) {
        TZvColGrid& list = *FZvColGrid;
        list.OnSelectCell = nullptr;
        list.LoadFromDropDown(this);
        TGridOptions o = list.Options();
        o.Include(goThumbTracking);
        list.SetOptions(o);
        list.SetColor(DropDownColor());
        list.OnSelectCell = [this](TObject*, int, int ARow, bool& CanSelect) { ListSelectCell(ARow, CanSelect); };
        list.OnSelect = [this](TObject*) { ListSelect(); };
        if (list.RowCount() > 1) list.SetRow(std::max(FItemIndex + 1, list.FixedRows()));
    }
    FOldItemIndex = FItemIndex;
}

void TZvMultiColumnDropDown::SizeDropDownForm()
{
    TZvCustomDropDown::SizeDropDownForm();
    if (!DropDownAutoWidth || !DropDownForm() || !FZvColGrid) return;
    FitPopupWidth(*this, *FZvColGrid, FZvColGrid->ColumnsWidth());
}

void TZvMultiColumnDropDown::PlaceDropDownControl()
{
    if (FZvColGrid) SetHostedControl(FZvColGrid);
    TZvCustomDropDown::PlaceDropDownControl();
}

void TZvMultiColumnDropDown::AdjustDropDownHeight(int& Height)
{
    const int strips = StripsHeight();
    Height = SnapToRows(Height, strips, HeaderHeight, DropDownRowHeight, 0);
}

void TZvMultiColumnDropDown::OpenDropDownForm()
{
    TZvCustomDropDown::OpenDropDownForm();
    FitColumnWidths();
    if (FZvColGrid && FZvColGrid->RowCount() > 1) {
        TZvColGrid& list = *FZvColGrid;
        const int row = FItemIndex < 0 ? 1 : FItemIndex + 1;
        if (row < list.RowCount()) {
            if (row < list.TopRow() || row >= list.TopRow() + list.VisibleRowCount())
                list.SetTopRow(std::max(list.FixedRows(), row - list.VisibleRowCount() + 1));
            list.SetRow(row);
        }
    }
    FShowing = false;
}

void TZvMultiColumnDropDown::CloseDropDownForm(bool Cancel)
{
    if (!DropDownForm() || !DropDownForm()->Visible()) {
        TZvCustomDropDown::CloseDropDownForm(Cancel);
        return;
    }
    TZvCustomDropDown::CloseDropDownForm(Cancel);
    if (Cancel) SetItemIndex(FOldItemIndex);
    else if (FZvColGrid && FZvColGrid->ConfirmSelection()) SetItemIndex(FZvColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TZvMultiColumnDropDown::DropDownFormSizing()
{
    TZvCustomDropDown::DropDownFormSizing();
    FitColumnWidths();
}

void TZvMultiColumnDropDown::FitColumnWidths()
{
    if (!ColumnSizeWithDropDown || !FZvColGrid || !DropDownForm()) return;
    TZvColGrid& list = *FZvColGrid;
    list.SetScrollBars(ssVertical);
    if (FColumns->Count() == 0) return;
    int W = DropDownForm()->Width();
    if (list.VisibleRowCount() + list.FixedRows() < list.RowCount()) W -= VerticalScrollBarWidth();
    ScaleColumns(list, *FColumns, W);
}

void TZvMultiColumnDropDown::ListSelectCell(int ARow, bool& CanSelect)
{
    (void)CanSelect;
    if (FZvColGrid->MouseWheelSelection() || FShowing) return;
    SetItemIndex(ARow - 1);
}

void TZvMultiColumnDropDown::ListSelect()
{
    if (FZvColGrid->ConfirmSelection()) SetItemIndex(FZvColGrid->Row() - 1);
    CloseDropDownForm(false);
    if (OnSelect) OnSelect(this);
}

void TZvMultiColumnDropDown::WheelDownNotify()
{
    TZvCustomDropDown::WheelDownNotify();
    SelectNextItem();
}

void TZvMultiColumnDropDown::WheelUpNotify()
{
    TZvCustomDropDown::WheelUpNotify();
    SelectPreviousItem();
}

// ---- Keys -----------------------------------------------------------------------------------------
namespace {
bool IsListMoveKey(WORD key) { return key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN; }
} // namespace

void TZvMultiColumnDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    // The list moves itself on these; the edit hears them only with Alt.
    if (IsListMoveKey(Key) && !Shift.Contains(ssAlt)) return;
    TZvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TZvMultiColumnDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (IsListMoveKey(Key) && !Shift.Contains(ssAlt)) return;
    TZvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TZvMultiColumnDropDown::ControlKeyPress(QChar& Key)
{
    const ushort k = Key.unicode();
    const bool navigation = k == 13 || k == 27 || k == 33 || k == 34 || k == 35 || k == 36 || k == 38 || k == 40;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if ((!navigation || alt) && FZvColGrid && !FZvColGrid->EditorMode()) {
        const int index = TypeAheadKey(Key);
        if (index >= 0) {
            TZvColGrid& list = *FZvColGrid;
            const int row = index + 1;
            if (row < list.TopRow() || row >= list.TopRow() + list.VisibleRowCount()) list.SetTopRow(row);
            list.SetRow(row);
            list.SetCol(0);
            return;
        }
    }
    FLookupEntry.clear();
}

void TZvMultiColumnDropDown::ShowMatch(int index, const String& match)
{
    FItemIndex = index;
    SetText(match);
}

bool TZvMultiColumnDropDown::FindLookupMatch(String Prefix, String& Match, int& Index) const
{
    Index = -1;
    Match.clear();
    if (!CaseSensitive) Prefix = LocaleUpper(Prefix);
    if (!FZvColGrid || Prefix.isEmpty()) return false;
    for (int i = 0; i < FItems->Count(); ++i) {
        const String stored = FItems->GetItem(i)->TextAt(FLookupColumn);
        const String s = CaseSensitive ? stored : LocaleUpper(stored);
        if (s.startsWith(Prefix)) {
            Match = stored;
            Index = i;
            return true;
        }
    }
    return false;
}

int TZvMultiColumnDropDown::TypeAheadKey(QChar Key)
{
    const ushort k = Key.unicode();
    if (k == VK_BACK) {
        if (SelLength() > 0) return -1;   // the typed part stays; the selected rest goes with the edit's own Backspace
        FLookupEntry.chop(1);
        SetText(FLookupEntry);
        SetSelStart(int(FLookupEntry.size()));
        return -1;
    }
    if (k != VK_TAB) FLookupEntry += Key;
    String match;
    int index = -1;
    if (FindLookupMatch(FLookupEntry, match, index)) {
        ShowMatch(index, match);
        const int typed = int(std::min(FLookupEntry.size(), match.size()));
        SetSelStart(typed);
        SetSelLength(int(match.size()) - typed);
        return index;
    }
    if (FindLookupMatch(String(Key), match, index)) {
        ShowMatch(index, match);
        FLookupEntry = String(Key);
        SetSelStart(1);
        SetSelLength(int(match.size()) - 1);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

void TZvMultiColumnDropDown::WMKeyDown(TWMKey& Message)
{
    TZvCustomDropDown::WMKeyDown(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
    switch (WORD(Message.CharCode)) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_UP: SelectPreviousItem(); break;
    case VK_DOWN: SelectNextItem(); break;
    case VK_HOME:
        if (!EditorEnabled()) SelectFirstItem();
        break;
    case VK_END:
        if (!EditorEnabled()) SelectLastItem();
        break;
    default: break;
    }
}

void TZvMultiColumnDropDown::KeyDownHook(WORD& Key, TShiftState Shift)
{
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TZvCustomDropDown::KeyDownHook(Key, Shift);
        return;
    }
    const WORD key = Key;
    if (key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE) {
        FWorkMode = false;
    } else if (key == VK_RETURN) {
        const String upper = LocaleUpper(Text());
        for (int i = 0; i < FLookupItems->Count(); ++i) {
            if (LocaleUpper(FLookupItems->Strings(i)) != upper) continue;
            SetItemIndex(i);
            ChangeHook();
            break;
        }
        if (ReturnIsTab) {
            PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
        }
    } else {
        FWorkMode = true;
    }
    TZvCustomDropDown::KeyDownHook(Key, Shift);
    if (key == VK_ESCAPE) {
        const String upper = LocaleUpper(Text());
        int found = -1;
        for (int i = 0; i < FLookupItems->Count() && found < 0; ++i)
            if (LocaleUpper(FLookupItems->Strings(i)) == upper) found = i;
        SetItemIndex(found);
    }
}

void TZvMultiColumnDropDown::KeyUpHook(WORD& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && ReturnIsTab)) TZvCustomDropDown::KeyUp(Key, Shift);
    FinishCompletion(*this, FCompletion, [this](int item) { SetItemIndex(item); });
}

void TZvMultiColumnDropDown::KeyPressHook(QChar& Key)
{
    if (ReturnIsTab && Key.unicode() == VK_RETURN) {
        Key = QChar();
        return;
    }
    TZvCustomDropDown::KeyPress(Key);
}

void TZvMultiColumnDropDown::ChangeHook()
{
    FCompletion.Pending = false;
    TZvCustomDropDown::Change();
    if (!FWorkMode || Destroying()) return;
    CompleteFromLookups(*this, *FLookupItems, MatchCase, FItemIndex, FCompletion);
}
