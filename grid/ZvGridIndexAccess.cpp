// Cell access through the index maps: real and displayed columns, grid and
// real rows, per-cell properties, row colours, cell controls and column order.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/HintWindow.h"

// ---- Cells by real column and real row ---------------------------------------------------

String TZvStringGrid::GetCellsEx(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return String();
    if (TGridItem* hidden = HiddenRowItem(ARow)) {
        // A column added after the row was hidden has no kept text yet: empty.
        String value = ACol < hidden->Items()->Count() ? hidden->Items()->Strings(ACol) : String();
        FireGetDisplText(ACol, ARow, value);
        return value;
    }
    return GetCellEx(ACol, DisplRowIndex(ARow));
}

void TZvStringGrid::SetCellsEx(int ACol, int ARow, const String& Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* hidden = HiddenRowItem(ARow)) {
        TStringList* kept = hidden->Items();
        while (kept->Count() <= ACol) kept->Add(String());
        kept->SetStrings(ACol, Value);
        return;
    }
    const int g = DisplRowIndex(ARow);
    SetCellEx(ACol, g, Value);
    const int d = DisplColIndex(ACol);
    if (d != ACol) RepaintCell(d, g);
}

String TZvStringGrid::GetGridCellsEx(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return String();
    if (TGridItem* hidden = HiddenRowItem(ARow))
        return ACol < hidden->Items()->Count() ? hidden->Items()->Strings(ACol) : String();
    return GetGridCell(ACol, DisplRowIndex(ARow));
}

void TZvStringGrid::SetGridCellsEx(int ACol, int ARow, const String& Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (HiddenRowItem(ARow)) {
        SetCellsEx(ACol, ARow, Value);
        return;
    }
    const int g = DisplRowIndex(ARow);
    SetGridCell(ACol, g, Value);
    RepaintCell(DisplColIndex(ACol), g);
}

String TZvStringGrid::GetWideCellsEx(int ACol, int ARow)
{
    return GetCellsEx(ACol, ARow);
}

void TZvStringGrid::SetWideCellsEx(int ACol, int ARow, const String& Value)
{
    SetCellsEx(ACol, ARow, Value);
}

String TZvStringGrid::GetWideCells(int ACol, int ARow)
{
    return GetCellEx(ACol, ARow);
}

void TZvStringGrid::SetWideCells(int ACol, int ARow, const String& Value)
{
    SetCellEx(ACol, ARow, Value);
}

TObject* TZvStringGrid::GetObjectsEx(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    if (TGridItem* hidden = HiddenRowItem(ARow)) {
        TStringList* kept = hidden->Items();
        if (ACol >= kept->Count()) return nullptr;
        TObject* obj = kept->Objects(ACol);
        if (auto* props = dynamic_cast<TCellProperties*>(obj)) return reinterpret_cast<TObject*>(props->CellObject());
        return obj;
    }
    return GetObjectEx(ACol, DisplRowIndex(ARow));
}

void TZvStringGrid::SetObjectsEx(int ACol, int ARow, TObject* Value)
{
    if (ACol < 0 || ARow < 0) return;
    if (TGridItem* hidden = HiddenRowItem(ARow)) {
        TStringList* kept = hidden->Items();
        while (kept->Count() <= ACol) kept->Add(String());
        // The store keeps a cell's own object in its properties: the kept row does too,
        // so the object is where the store looks once the row is shown again.
        auto* props = dynamic_cast<TCellProperties*>(kept->Objects(ACol));
        if (!props) {
            props = new TCellProperties(this, ACol, ARow);
            kept->SetObjects(ACol, props);
        }
        props->SetCellObject(reinterpret_cast<std::uintptr_t>(Value));
        return;
    }
    SetObjectEx(ACol, DisplRowIndex(ARow), Value);
}

// ---- Rows as they were before the last sort -----------------------------------------------------

int TZvStringGrid::UnSortedRowIndex(int ARow)
{
    const TIntList& xref = *SortService().FSortXRef;
    if (xref.Empty()) return ARow;
    const int i = xref.IndexOf(ARow);
    return i >= 0 ? i : xref.Count();
}

int TZvStringGrid::SortedRowIndex(int ARow)
{
    const TIntList& xref = *SortService().FSortXRef;
    const int unsorted = ARow >= 0 && ARow < xref.Count() ? xref.Items(ARow) : ARow;
    return RealRowIndex(unsorted);
}

String TZvStringGrid::GetUnSortedCell(int ACol, int ARow)
{
    // With fewer entries than the row, the sort never saw it: it stays where it is.
    const int g = SortService().FSortXRef->Count() >= ARow ? UnSortedRowIndex(ARow) : ARow;
    return GetCellEx(ACol, g);
}

void TZvStringGrid::SetUnSortedCell(int ACol, int ARow, const String& Value)
{
    const int g = SortService().FSortXRef->Count() >= ARow ? UnSortedRowIndex(ARow) : ARow;
    SetCellEx(ACol, g, Value);
}

int TZvStringGrid::GetLinesInCell(int ACol, int ARow)
{
    return LineCountOf(GetCellEx(ACol, ARow), true);
}

String TZvStringGrid::GetStrippedCell(int ACol, int ARow)
{
    return StripHTMLTags(GetCellEx(ACol, ARow));
}

TCellProperties* TZvStringGrid::CellObjectByRealRow(int ACol, int ARealRow)
{
    if (TGridItem* hidden = HiddenRowItem(ARealRow)) {
        TStringList* kept = hidden->Items();
        return ACol >= 0 && ACol < kept->Count() ? dynamic_cast<TCellProperties*>(kept->Objects(ACol)) : nullptr;
    }
    return PropsAt(ACol, DisplRowIndex(ARealRow));
}

// ---- Widths of hidden and shown columns ------------------------------------------------------

int TZvStringGrid::GetAllColWidths(int ACol)
{
    if (ACol < 0 || ACol >= int(d->FAllColWidths.size())) return 0;
    if (IsHiddenColumn(ACol)) return d->FAllColWidths[std::size_t(ACol)];
    const int dc = DisplColIndex(ACol);
    return dc >= 0 && dc < ColCount() ? ColWidths(dc) : d->FAllColWidths[std::size_t(ACol)];
}

void TZvStringGrid::SetAllColWidths(int ACol, int Value)
{
    if (ACol < 0 || ACol >= int(d->FAllColWidths.size())) return;
    d->FAllColWidths[std::size_t(ACol)] = std::int16_t(Value);
    if (IsHiddenColumn(ACol)) return;
    const int d = DisplColIndex(ACol);
    if (d >= 0 && d < ColCount()) SetColWidths(d, Value);
}

// ---- Per-cell properties -----------------------------------------------------------------------

TColor TZvStringGrid::GetColors(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->BrushColor() : clNone;
}

void TZvStringGrid::SetColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    if (d->FUpdateCount == 0) RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TZvStringGrid::GetColorsTo(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->BrushColorTo() : clNone;
}

void TZvStringGrid::SetColorsTo(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TZvStringGrid::GetFontColors(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->FontColor() : clNone;
}

void TZvStringGrid::SetFontColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TAlignment TZvStringGrid::GetAlignments(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->Alignment() : TAlignment::taLeftJustify;
}

void TZvStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TCellGradientDirection TZvStringGrid::GetGradientDir(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->GradientDirection() : TCellGradientDirection::GradientVertical;
}

void TZvStringGrid::SetGradientDir(int ACol, int ARow, TCellGradientDirection Value)
{
    GetCellProperties(ACol, ARow)->SetGradientDirection(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TFontStyles TZvStringGrid::GetFontStyles(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->FontStyle() : TFontStyles();
}

void TZvStringGrid::SetFontStyles(int ACol, int ARow, TFontStyles Value)
{
    GetCellProperties(ACol, ARow)->SetFontStyle(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TZvStringGrid::GetFontSizes(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->FontSize() : 0;
}

void TZvStringGrid::SetFontSizes(int ACol, int ARow, int Value)
{
    GetCellProperties(ACol, ARow)->SetFontSize(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

String TZvStringGrid::GetFontNames(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->FontName() : String();
}

void TZvStringGrid::SetFontNames(int ACol, int ARow, const String& Value)
{
    GetCellProperties(ACol, ARow)->SetFontName(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TZvStringGrid::SetFonts(int ACol, int ARow, TFont* Value)
{
    if (!Value) return;
    TCellProperties* p = GetCellProperties(ACol, ARow);
    p->SetFontName(Value->Name());
    p->SetFontSize(Value->Size());
    p->SetFontStyle(Value->Style());
    p->SetFontColor(Value->Color());
    if (d->FUpdateCount == 0) RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZvStringGrid::GetWordWraps(int ACol, int ARow)
{
    return GetCellProperties(ACol, ARow)->WordWrap();
}

void TZvStringGrid::SetWordWraps(int ACol, int ARow, bool Value)
{
    // The properties' setter repaints the cell where it is shown.
    GetCellProperties(ACol, ARow)->SetWordWrap(Value);
}

bool TZvStringGrid::UseHTMLHints() const { return d->FUseHTMLHints; }

void TZvStringGrid::SetUseHTMLHints(bool Value)
{
    d->FUseHTMLHints = Value;
    // The application's hints at large: mini-HTML ones, or the platform's plain window.
    if (Value)
        SetApplicationHintWindowClass([](TComponent* AOwner) -> THintWindow* { return new THTMLHintWindow(AOwner); });
    else
        SetApplicationHintWindowClass({});
}

bool TZvStringGrid::GetReadOnly(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p && p->ReadOnly();
}

void TZvStringGrid::SetReadOnly(int ACol, int ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetReadOnly(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

// ---- Row colours ----------------------------------------------------------------------------

bool TZvStringGrid::PropertiesHoldNothingElse(int ACol, int ARow, const TCellProperties* p)
{
    // What a fresh properties object of this cell would hold: anything
    // beyond it (a graphic, a control, a merge, a flag, a font or colour of
    // its own, a footer calculation) keeps the properties alive.
    // The initial values read the cell's own properties: they are asked with
    // the properties set aside, as for a cell that never had any.
    TObject* own = Objects(ACol, ARow);
    SetObjects(ACol, ARow, nullptr);
    const TFreshCellLook fresh(*this, ACol, ARow);
    SetObjects(ACol, ARow, own);
    const TFont& font = fresh.Font;
    const auto plain = [](TColor v, TColor initial) { return v == clNone || v == initial; };
    return !p->GraphicObject() && !p->Control() && p->CellObject() == 0 && p->IsBaseCell() && p->CellSpanX() == -1 &&
           p->CellSpanY() == -1 && !p->ReadOnly() && p->CalcType() == TColumnCalcType::acNONE &&
           plain(p->FontColor(), font.Color()) && plain(p->BrushColor(), fresh.Brush.Color()) &&
           plain(p->BrushColorTo(), fresh.ColorTo) && p->FontName() == font.Name() && p->FontSize() == font.Size() &&
           p->FontStyle() == font.Style() && p->Alignment() == fresh.HA && p->WordWrap() == fresh.WW;
}

void TZvStringGrid::ApplyRowColor(int ARow, TColor Value, TRowColorField Field)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value != clNone) {
            TCellProperties* p = GetCellProperties(c, ARow);
            switch (Field) {
            case TRowColorField::Brush: p->SetBrushColor(Value); break;
            case TRowColorField::BrushTo: p->SetBrushColorTo(Value); break;
            case TRowColorField::Font: p->SetFontColor(Value); break;
            }
            continue;
        }
        TCellProperties* p = PropsAt(c, ARow);
        if (!p) continue;
        // Only the colour goes; the properties go with it once nothing else is held.
        switch (Field) {
        case TRowColorField::Brush: p->SetBrushColor(clNone); break;
        case TRowColorField::BrushTo: p->SetBrushColorTo(clNone); break;
        case TRowColorField::Font: p->SetFontColor(clNone); break;
        }
        if (PropertiesHoldNothingElse(c, ARow, p)) FreeCellObject(c, ARow);
    }
    RepaintRow(ARow);
}

void TZvStringGrid::SetRowColor(int ARow, TColor Value)
{
    ApplyRowColor(ARow, Value, TRowColorField::Brush);
}

void TZvStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    ApplyRowColor(ARow, Value, TRowColorField::BrushTo);
}

void TZvStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    ApplyRowColor(ARow, Value, TRowColorField::Font);
}

// ---- Cell controls -----------------------------------------------------------------------------

TControl* TZvStringGrid::GetCellControls(int ACol, int ARow)
{
    const TCellProperties* p = PropsAt(ACol, ARow);
    return p ? p->Control() : nullptr;
}

void TZvStringGrid::SetCellControls(int ACol, int ARow, TControl* Value)
{
    if (!d->FCellControls) return;
    // Entries are kept by real column and real row, so they survive hidden rows.
    const int realRow = RealRowIndex(ARow);
    if (!Value) {
        TCellProperties* p = PropsAt(ACol, ARow);
        if (!p || !p->Control()) return;
        const int idx = d->FCellControls->ControlIndex(ACol, realRow);
        if (idx >= 0) d->FCellControls->RemoveControl(idx);
        p->SetControl(nullptr);
        return;
    }
    const int idx = d->FCellControls->ControlIndex(ACol, realRow);
    if (idx >= 0) d->FCellControls->RemoveControl(idx);
    d->FCellControls->AddControl(ACol, realRow, Value);
    TCellProperties* p = GetCellProperties(ACol, ARow);
    p->SetControl(Value);
    Value->SetParent(this);
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    Value->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
}

int TZvStringGrid::NumCellControls() const
{
    return d->FCellControls ? d->FCellControls->Count() : 0;
}

// ---- Column order ---------------------------------------------------------------------------

int TZvStringGrid::ColumnByHeader(const String& AValue)
{
    for (int c = 0; c < AllColCount(); ++c)
        if (GetCellsEx(c, 0) == AValue) return c;
    return -1;
}

void TZvStringGrid::SetColumnOrder()
{
    if (!d->FColumnOrder) d->FColumnOrder = std::make_unique<TIntList>();
    d->FColumnOrder->Clear();
    for (int c = 0; c < ColCount(); ++c) d->FColumnOrder->Add(c);
}

int TZvStringGrid::ColumnPosition(int ACol)
{
    int p = ACol;
    if (d->FColumnOrder && !d->FColumnOrder->Empty()) {
        const int limit = std::min(d->FColumnOrder->Count(), AllColCount());
        for (int i = 0; i < limit; ++i)
            if (d->FColumnOrder->Items(i) == ACol) {
                p = i;
                break;
            }
    }
    if (d->FGroupColumn != -1 && ACol >= d->FGroupColumn) --p;
    return p;
}

int TZvStringGrid::ColumnAtPosition(int APosition)
{
    if (!d->FColumnOrder || d->FColumnOrder->Empty()) SetColumnOrder();
    if (d->FColumnOrder->Empty() || APosition < 0 || APosition >= d->FColumnOrder->Count()) return APosition;
    int c = d->FColumnOrder->Items(APosition);
    if (d->FGroupColumn != -1 && c >= d->FGroupColumn) ++c;
    return c;
}

void TZvStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (!d->FColumnOrder || d->FColumnOrder->Empty()) {
        SetColumnOrder();
        return;
    }
    // Recorded positions form a permutation; the pass limit guards any other list.
    for (int pass = 0; pass <= ColCount(); ++pass) {
        bool moved = false;
        for (int i = 0; i < ColCount() && i < d->FColumnOrder->Count(); ++i) {
            const int want = d->FColumnOrder->Items(i);
            if (want < i) {
                MoveColumn(i, want);
                moved = true;
            }
        }
        if (!moved) break;
    }
}

String TZvStringGrid::GetOriginalCells(int ACol, int ARow)
{
    return GetCellEx(ColumnPosition(ACol), ARow);
}

void TZvStringGrid::SetOriginalCells(int ACol, int ARow, const String& Value)
{
    SetCellEx(ColumnPosition(ACol), ARow, Value);
}

// ---- Cell scroll bars --------------------------------------------------------------------

void TZvStringGrid::UpdateCellScrollBar(int ACol, int ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow)) return;
    SetScrollProp(ACol, ARow, RowHeights(ARow), GetCellTextSize(ACol, ARow, false, true).Y);
}
