// Printing: the page engine and the page rendering, and the grid's members
// that front them.

#include "grid/services/ZvGridPrint.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridPrintTarget.h"
#include "platform/DateUtils.h"
#include "platform/Printers.h"
#include "platform/ScopeGuard.h"

#include <climits>
#include <cmath>

namespace {
void CheckPrintColumn(int ACol)
{
    if (ACol < 0 || ACol >= 512) throw EZvGridError(QStringLiteral("Columns is not in valid range"));
}

constexpr int UnknownPageTotal = INT_MAX;

bool AtTop(TPrintPosition p)
{
    return p == TPrintPosition::ppTopLeft || p == TPrintPosition::ppTopRight || p == TPrintPosition::ppTopCenter;
}
bool AtBottom(TPrintPosition p) { return p != TPrintPosition::ppNone && !AtTop(p); }
bool AtLeft(TPrintPosition p) { return p == TPrintPosition::ppTopLeft || p == TPrintPosition::ppBottomLeft; }
}   // namespace

TZvGridPrint::TZvGridPrint(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FPrintSettings(std::make_unique<TPrintSettings>(AGrid))
{
}

// ---- Measuring -------------------------------------------------------------------------------

void TZvGridPrint::UseFont(TFont* Font)
{
    FTarget->SetFont(Font->Name(), -FGrid->MapFontHeight(Font->Size()), Font->Style(), Font->Color());
}

bool TZvGridPrint::IsRowPrinted(int r) const
{
    if (!FSelectedOnly) return true;
    if (r < FGrid->FixedRows() && FPrintSettings->FixedCellsAlways()) return true;
    if (FGrid->MouseActions()->DisjunctRowSelect()) return FGrid->GetRowSelect(r);
    const TGridRect s = FGrid->Selection();
    return r >= s.Top && r <= s.Bottom;
}

bool TZvGridPrint::IsColumnPrinted(int c) const
{
    if (!FSelectedOnly || FGrid->MouseActions()->DisjunctRowSelect()) return true;
    if (c < FGrid->FixedCols() && FPrintSettings->FixedCellsAlways()) return true;
    if (FGrid->MouseActions()->DisjunctColSelect()) return FGrid->GetColSelect(c);
    const TGridRect s = FGrid->Selection();
    return c >= s.Left && c <= s.Right;
}

TPoint TZvGridPrint::PrintCellSize(int ACol, int ARow)
{
    String text = FGrid->GetFormattedCell(ACol, ARow);
    UseFont(FPrintSettings->Font());
    if (text.isEmpty()) text = QStringLiteral("gh");
    const QStringList lines = FGrid->Multilinecells() ? text.split(u'\n') : QStringList{text.section(u'\n', 0, 0)};
    int w = 0;
    for (const String& l : lines) w = std::max(w, FTarget->TextExtent(l).X);
    return {w, FTarget->TextExtent(QStringLiteral("gh")).Y * int(lines.size())};
}

void TZvGridPrint::BuildPrintColumnWidths()
{
    const int need = std::max(FGrid->AllColCount(), FRange.Right + 1) + 2;
    MaxWidths.assign(std::size_t(std::max(need, 513)), 0);
    Indents.assign(MaxWidths.size(), 0);
    if (FPrintSettings->NoAutoSize()) {
        for (int c = FRange.Left; c <= FRange.Right; ++c)
            if (IsColumnPrinted(c)) MaxWidths[std::size_t(c)] = int(std::lround(FGrid->ColWidths(c) * FScale));
        return;
    }
    const bool repeatRows = FPrintSettings->RepeatFixedRows();
    for (int r = 0; r <= FRange.Bottom || (repeatRows && r <= FGrid->FixedRows()); ++r) {
        if (r >= FGrid->RowCount()) break;
        if (r < FRange.Top && !(repeatRows && r < FGrid->FixedRows())) continue;
        for (int c = FRange.Left; c <= FRange.Right; ++c) {
            if (!IsColumnPrinted(c)) continue;
            const int rc = FGrid->RealColIndex(c);
            const int w = FPrintSettings->UseFixedWidth() ? FPrintSettings->FixedWidth() : PrintCellSize(rc, r).X;
            if (w > MaxWidths[std::size_t(c)] && !FGrid->IsXMergedCell(rc, r)) MaxWidths[std::size_t(c)] = w;
        }
    }
}

int TZvGridPrint::PrintRowHeight(int ARow)
{
    if (FPrintSettings->NoAutoSizeRow()) return int(std::lround(FGrid->RowHeights(ARow) * FScale)) - 4;
    if (ARow == FCachedRow) return FCachedHeight;
    int h = 0;
    if (FPrintSettings->UseFixedHeight()) {
        h = FPrintSettings->FixedHeight();
    } else {
        FFontScale = FFit;
        for (int c = FRange.Left; c <= FRange.Right; ++c) h = std::max(h, PrintCellSize(FGrid->RealColIndex(c), ARow).Y);
        FFontScale = 1.0;
        h += h / 8;
        if (FGrid->OnPrintSetRowHeight) FGrid->OnPrintSetRowHeight(FGrid, ARow, h);
    }
    FCachedRow = ARow;
    FCachedHeight = h;
    return h;
}

void TZvGridPrint::HeaderFooterAreas()
{
    const TPrintSettings* p = FPrintSettings.get();
    const TPrintPosition items[] = {p->Time(), p->Date(), p->PageNr(), p->Title()};
    const int extra = p->TitleLines()->Count() > 1 ? p->TitleLines()->Count() - 1 : 0;
    if (std::any_of(std::begin(items), std::end(items), AtTop)) {
        FHA = FMargin + FHeaderHeight + p->HeaderSize();
        if (AtTop(p->Title())) FHA += extra * FHeaderHeight;
    } else {
        FHA = p->HeaderSize();
    }
    if (std::any_of(std::begin(items), std::end(items), AtBottom)) {
        FFA = 2 * FMargin + 2 * FFooterHeight + p->FooterSize();
        if (AtBottom(p->Title())) FFA += extra * FFooterHeight;
    } else {
        FFA = FMargin + FFooterHeight + p->FooterSize();
    }
}

// ---- The engine ------------------------------------------------------------------------------

int TZvGridPrint::PrintPages(TPrintTarget& Target, TPrintMode Mode, int PageCount, bool SelectedOnly)
{
    FTarget = &Target;
    FMode = Mode;
    FPageCount = PageCount;
    FSelectedOnly = SelectedOnly;
    FFontScale = FFit = 1.0;
    const TScopeExit done([this] { FFontScale = 1.0; });
    TPrintSettings* p = FPrintSettings.get();

    UseFont(p->HeaderFont());
    FHeaderHeight = Target.TextExtent(QStringLiteral("gh")).Y;
    UseFont(p->FooterFont());
    FFooterHeight = Target.TextExtent(QStringLiteral("gh")).Y;
    UseFont(p->Font());
    FTextHeight = Target.TextExtent(QStringLiteral("gh")).Y;
    FMargin = FTextHeight / 8;
    FHalfG = Target.TextExtent(QStringLiteral("g")).X / 2;
    FSpacing = p->UseFixedWidth() ? 0 : p->ColumnSpacing() + 20;
    FCachedRow = -1;

    const TRect page = Target.PageRect();
    FPW = page.Right - page.Left;
    FPH = page.Bottom;
    FScale = 254.0 / TFont::PixelsPerInch;
    FPageRect = {0, 0, FPW, FPH};

    BuildPrintColumnWidths();
    auto width = [&](int c) { return MaxWidths[std::size_t(c)]; };

    if (p->FitToPage() != TFitToPage::fpNever) {
        long long total = 0;
        for (int c = FRange.Left; c <= FRange.Right; ++c)
            if (IsColumnPrinted(c)) total += width(c) + FSpacing;
        const long long spacing = (long long)(FRange.Right - FRange.Left + 1) * FSpacing;
        double f = total != spacing ? double(FPW - p->RightSize() - p->LeftSize() - spacing) / double(total - spacing) : 1.0;
        if (p->FitToPage() == TFitToPage::fpShrink && f > 1.0) f = 1.0;
        if (p->FitToPage() == TFitToPage::fpGrow && f < 1.0) f = 1.0;
        if (p->FitToPage() == TFitToPage::fpCustom && f != 1.0 && FGrid->OnFitToPage) {
            int percent = int(std::lround(f * 100));
            bool allow = true;
            FGrid->OnFitToPage(FGrid, percent, allow);
            f = allow ? percent / 100.0 : 1.0;
        }
        // A page narrower than its margins and spacing would give no room at
        // all; the table then keeps a sliver rather than vanishing.
        if (f <= 0.0) f = 0.01;
        FFit = f;
        if (f != 1.0)
            for (int c = FRange.Left; c <= FRange.Right; ++c) MaxWidths[std::size_t(c)] = int(width(c) * f);
    }
    if (FGrid->OnPrintSetColumnWidth)
        for (int c = FRange.Left; c <= FRange.Right; ++c) FGrid->OnPrintSetColumnWidth(FGrid, c, MaxWidths[std::size_t(c)]);

    FPages = 0;
    FBand = 0;
    FBands = false;
    bool cancelled = false;
    const int fixedCols = FGrid->FixedCols();
    const int fixedRows = FGrid->FixedRows();
    int f0 = FRange.Left;
    while (f0 <= FRange.Right && !cancelled) {
        ++FBand;
        FBandPage = 0;
        FRepeatCols = fixedCols > 0 && p->RepeatFixedCols() && (f0 != FRange.Left || FRange.Left > fixedCols);
        int rw = 0;
        if (FRepeatCols)
            for (int i = 0; i < fixedCols; ++i) rw += width(i) + FSpacing;
        int u = rw;
        int last = f0 - 1;
        for (int c = f0; c <= FRange.Right; ++c) {
            if (u + width(c) + FSpacing > FPW - p->RightSize()) break;
            u += width(c) + FSpacing;
            last = c;
        }
        FPageWidth = u;
        if (last < f0 + 1) last = f0 + 1;
        last = std::min(last, FRange.Right);
        if (last < FRange.Right) FBands = true;

        const int left = p->Centered() ? 0 : p->LeftSize();
        Indents[0] = left;
        Indents[std::size_t(f0)] = left;
        for (int c = f0; c <= last; ++c)
            Indents[std::size_t(c) + 1] = Indents[std::size_t(c)] + (IsColumnPrinted(c) ? width(c) + FSpacing : 0);
        if (FRepeatCols)
            for (int i = 1; i <= fixedCols; ++i) Indents[std::size_t(i)] = Indents[std::size_t(i) - 1] + width(i - 1) + FSpacing;
        if (p->Centered() && u < FPW) {
            const int d = (FPW - u) / 2;
            for (int c = f0; c <= last + 1; ++c) Indents[std::size_t(c)] += d;
            if (FRepeatCols)
                for (int i = 0; i <= fixedCols; ++i)
                    if (i < f0) Indents[std::size_t(i)] += d;
        }
        for (int c = f0; c <= last + 1; ++c) Indents[std::size_t(c)] += rw;
        FColStart = f0;
        FColEnd = last;

        HeaderFooterAreas();
        int r = FRange.Top;
        if (Drawing() && FGrid->OnPrintPage) FGrid->OnPrintPage(FGrid, nullptr, FPages + 1, FPW, FPH);
        bool pageStart = true;
        bool rowOnPage = false;
        int y = 0;
        int lastPageRow = -1;
        const bool allRows = FRange.Top <= fixedRows && FRange.Bottom >= FGrid->RowCount() - 1 - FGrid->FixedFooters();
        const TGridExportState step = allRows ? TGridExportState::esExportNewRow : TGridExportState::esExportSelRow;
        auto fits = [&](int row) { return y - (2 * FMargin + PrintRowHeight(row) + p->RowSpacing()) > FPH + FFA; };
        while (r <= FRange.Bottom && !cancelled) {
            FGrid->ExportNotification(step, r);
            if (pageStart) {
                pageStart = false;
                rowOnPage = false;
                y = -(FHA + p->TitleSpacing() + PrintHeaderFooter());
                if (r > 0 && p->RepeatFixedRows() && fixedRows > 0 && (FPages > 0 || FRange.Top >= fixedRows)) {
                    for (int fr = 0; fr < fixedRows; ++fr) {
                        if (FRepeatCols) PrintRowCells(y, 0, fixedCols - 1, fr);
                        y -= PrintRowCells(y, f0, last, fr);
                    }
                }
            }
            if (IsRowPrinted(r)) {
                // The first row of a page is placed even when it does not fit:
                // a row taller than the page would otherwise start empty pages
                // for ever. It is clipped at the page's bottom.
                if (fits(r) || !rowOnPage) {
                    if (FRepeatCols) PrintRowCells(y, 0, fixedCols - 1, r);
                    y -= PrintRowCells(y, f0, last, r);
                    rowOnPage = true;
                    ++r;
                }
            } else {
                ++r;
            }
            bool newPage = false;
            if (FGrid->OnPrintNewPage) FGrid->OnPrintNewPage(FGrid, r, newPage);
            const bool pageEnds = rowOnPage && (newPage || (r <= FRange.Bottom && !fits(r)));
            if (Drawing() && (pageEnds || r > FRange.Bottom)) {
                if (FGrid->OnPrintPageDone) FGrid->OnPrintPageDone(FGrid, nullptr, FPages + 1, FPW, FPH);
                if (FGrid->OnPrintCancel) FGrid->OnPrintCancel(FGrid, FPages + 1, cancelled);
            }
            if (pageEnds && r <= FRange.Bottom && !cancelled) {
                PrintPageBorders(f0, last, y);
                lastPageRow = r;
                PrintStartNextPage();
                if (FFastPrint && FMode == TPrintMode::pmPreview && FPrintPageFrom < FPages) r = FRange.Bottom + 1;
                ++FPages;
                ++FBandPage;
                pageStart = true;
            }
        }
        if (lastPageRow != r) PrintPageBorders(f0, last, y);
        f0 = last + 1;
        if (f0 <= FRange.Right && !cancelled) PrintStartNextPage();
        ++FPages;
        ++FBandPage;
    }
    return FPages;
}

void TZvGridPrint::PrintStartNextPage()
{
    if (!PageInRange(FPages + 2)) return;
    if (FMode == TPrintMode::pmPrint && FPages + 1 >= FPrintPageFrom) FTarget->NewPage();
    if (Drawing() && FGrid->OnPrintPage) FGrid->OnPrintPage(FGrid, nullptr, FPages + 2, FPW, FPH);
}

// ---- Page rendering --------------------------------------------------------------------------

String TZvGridPrint::PrintPageNumberText() const
{
    const TPrintSettings* p = FPrintSettings.get();
    String text;
    if (FBands) {
        text = QStringLiteral("%1-%2").arg(FBandPage + 1).arg(FBand);
        if (FGrid->OnPrintGetPageNum) FGrid->OnPrintGetPageNum(FGrid, FBandPage + 1, FBand, text);
        return text;
    }
    text = String::number(FPages + 1 + p->PageNumberOffset());
    if (!p->PageNumSep().isEmpty() && FPageCount > 1 && FPageCount != UnknownPageTotal)
        text += p->PageNumSep() + String::number(FPageCount + p->MaxPagesOffset());
    if (FGrid->OnPrintGetPageNum) FGrid->OnPrintGetPageNum(FGrid, FPages + 1, FBand, text);
    return text;
}

int TZvGridPrint::PrintHeaderFooter()
{
    FFontScale = FFit;
    const TScopeExit restore([this] { FFontScale = 1.0; });
    if (!Drawing() || !PageInRange(FPages + 1)) return 0;
    const TPrintSettings* p = FPrintSettings.get();
    String texts[7];   // by TPrintPosition; 0 unused
    auto place = [&](TPrintPosition pos, const String& item) {
        if (pos == TPrintPosition::ppNone) return;
        String& t = texts[int(pos)];
        t = AtLeft(pos) ? item + u' ' + t : t + u' ' + item;
    };
    const TDateTime now = Now();
    place(p->Time(), FormatDateTime(QStringLiteral("hh:nn"), now));
    place(p->Date(), FormatDateTime(p->DateFormat(), now));
    place(p->PageNr(), p->PagePrefix() + u' ' + PrintPageNumberText() + u' ' + p->PageSuffix());
    const TStringList* lines = p->TitleLines();
    if (!p->TitleText().isEmpty()) {
        place(p->Title(), p->TitleText());
    } else if (lines->Count() > 0 && p->Title() != TPrintPosition::ppNone) {
        String& t = texts[int(p->Title())];
        const String first = lines->Strings(0);
        if (AtLeft(p->Title())) t = first.isEmpty() ? t : t.isEmpty() ? first : first + u' ' + t;
        else t = first.isEmpty() ? t : t.isEmpty() ? first : t + u' ' + first;
    }
    auto xFor = [&](TPrintPosition pos, const String& text) {
        const int w = FTarget->TextExtent(text).X;
        if (AtLeft(pos)) return p->LeftSize();
        if (pos == TPrintPosition::ppTopRight || pos == TPrintPosition::ppBottomRight) return FPW - w - 20 - p->RightSize();
        return (FPW - w) / 2;
    };
    UseFont(p->HeaderFont());
    for (TPrintPosition pos : {TPrintPosition::ppTopLeft, TPrintPosition::ppTopRight, TPrintPosition::ppTopCenter})
        if (!texts[int(pos)].isEmpty()) FTarget->TextOut(xFor(pos, texts[int(pos)]), -p->HeaderSize(), texts[int(pos)]);
    const bool moreLines = p->TitleText().isEmpty() && lines->Count() > 1;
    if (moreLines && AtTop(p->Title()))
        for (int k = 2; k <= lines->Count(); ++k)
            FTarget->TextOut(xFor(p->Title(), lines->Strings(k - 1)), -p->HeaderSize() - (k - 1) * FHeaderHeight,
                             lines->Strings(k - 1));
    UseFont(p->FooterFont());
    const int fy = FPH + FFooterHeight + FMargin + p->FooterSize();
    for (TPrintPosition pos : {TPrintPosition::ppBottomLeft, TPrintPosition::ppBottomRight, TPrintPosition::ppBottomCenter})
        if (!texts[int(pos)].isEmpty()) FTarget->TextOut(xFor(pos, texts[int(pos)]), fy, texts[int(pos)]);
    if (moreLines && AtBottom(p->Title()))
        for (int k = 2; k <= lines->Count(); ++k)
            FTarget->TextOut(xFor(p->Title(), lines->Strings(k - 1)), fy - (k - 1) * FFooterHeight, lines->Strings(k - 1));
    UseFont(p->Font());
    return 0;
}

void TZvGridPrint::PrintPageBorders(int First, int Last, int BottomY)
{
    if (!Drawing() || !PageInRange(FPages + 1)) return;
    const TPrintSettings* p = FPrintSettings.get();
    const TPrintBorders b = p->Borders();
    const int w = b == TPrintBorders::pbDouble ? 10 : 2;
    const int top = -FHA - p->TitleSpacing();
    const int bottom = BottomY + FMargin / 2;
    const int left = FRepeatCols ? Indents[0] : Indents[std::size_t(First)];
    const int right = Indents[std::size_t(Last) + 1];
    if (b == TPrintBorders::pbAround || b == TPrintBorders::pbAroundVertical || b == TPrintBorders::pbAroundHorizontal) {
        FTarget->Line(left, top, right, top, clBlack, w);
        FTarget->Line(right, top, right, bottom, clBlack, w);
        FTarget->Line(right, bottom, left, bottom, clBlack, w);
        FTarget->Line(left, bottom, left, top, clBlack, w);
    }
    if (b == TPrintBorders::pbDouble || b == TPrintBorders::pbHorizontal || b == TPrintBorders::pbAroundHorizontal)
        FTarget->Line(left, bottom, right, bottom, clBlack, w);
    if ((b == TPrintBorders::pbDouble || b == TPrintBorders::pbVertical || b == TPrintBorders::pbAroundVertical) && FRepeatCols)
        for (int i = 0; i < FGrid->FixedCols(); ++i) FTarget->Line(Indents[std::size_t(i)], top, Indents[std::size_t(i)], bottom, clBlack, w);
}

int TZvGridPrint::PrintRowCells(int Y, int First, int Last, int ARow)
{
    FFontScale = FFit;
    const TScopeExit restore([this] { FFontScale = 1.0; });
    const TPrintSettings* p = FPrintSettings.get();
    const int rh = 2 * FMargin + PrintRowHeight(ARow) + p->RowSpacing();
    if (!Drawing() || !PageInRange(FPages + 1) || First > Last) return rh;
    TBrush brush;
    TFont font;
    for (int t = First; t <= Last; ++t) {
        if (!IsColumnPrinted(t)) continue;
        const int c = FGrid->RealColIndex(t);
        const TPoint ext = FGrid->CellExt(c, ARow);
        int cw = 0;
        for (int i = 0; i <= ext.X && t + i < int(MaxWidths.size()); ++i) cw += MaxWidths[std::size_t(t + i)] + FSpacing;
        int ch = rh;
        for (int r = ARow + 1; r <= ARow + ext.Y && r < FGrid->RowCount(); ++r) {
            const int q = int((FGrid->RowHeights(r) - 4) * FScale);
            ch += q + q / 8 + 2 * FMargin + p->RowSpacing();
        }
        TRect cell{Indents[std::size_t(t)], Y, Indents[std::size_t(t)] + cw, Y - ch};
        // A cell reaching below the footer limit is cut to its first row.
        bool bottomSide = true;
        if (cell.Bottom < FPH + p->FooterSize()) {
            cell.Bottom = Y - rh;
            bottomSide = false;
        }
        const int pageRight = Indents[std::size_t(Last) + 1];
        if (cell.Right > FPW) cell.Right = pageRight;

        TCellBorders sides;
        switch (p->Borders()) {
        case TPrintBorders::pbSingle:
        case TPrintBorders::pbDouble: sides = TCellBorders{TCellBorder::cbTop, TCellBorder::cbLeft, TCellBorder::cbRight, TCellBorder::cbBottom}; break;
        case TPrintBorders::pbVertical:
        case TPrintBorders::pbAroundVertical: sides = TCellBorders{TCellBorder::cbLeft, TCellBorder::cbRight}; break;
        case TPrintBorders::pbHorizontal:
        case TPrintBorders::pbAroundHorizontal: sides = TCellBorders{TCellBorder::cbTop, TCellBorder::cbBottom}; break;
        default: break;
        }
        TPen pen;
        pen.SetWidth(1);
        pen.SetColor(p->BorderColor());
        FGrid->FireGetCellPrintBorder(c, ARow, &pen, sides);

        if (FGrid->IsBaseCell(c, ARow)) {
            TGridDrawState state;
            TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
            TAlignment ha = TAlignment::taLeftJustify;
            TVAlignment va = TVAlignment::vtaTop;
            bool ww = false;
            TCellGradientDirection gd{};
            font.Assign(p->Font());
            brush.SetColor(clWhite);
            FGrid->GetVisualProperties(c, ARow, state, true, false, true, &brush, colorTo, mirror, mirrorTo, &font, ha, va,
                                       ww, gd);
            const TRect fill{cell.Left + (sides.Contains(TCellBorder::cbLeft) ? 0 : 2 * pen.Width()), cell.Top,
                             cell.Right, cell.Bottom};
            if (brush.Color() != clNone) FTarget->Fill(fill, brush.Color(), colorTo);
            FGrid->CellAlignment(c, ARow, ha, va);
            UseFont(&font);
            const String text = FGrid->GetFormattedCell(c, ARow).section(u'\n', 0, 0);
            if (!text.isEmpty()) {
                const TPoint size = FTarget->TextExtent(text);
                int x = cell.Left + FHalfG;
                if (ha == TAlignment::taRightJustify) x = cell.Right - FHalfG - size.X;
                else if (ha == TAlignment::taCenter) x = cell.Left + (cell.Right - cell.Left - size.X) / 2;
                int ty = cell.Top - FMargin;
                const int room = rh - FMargin - p->RowSpacing();
                if (va == TVAlignment::vtaCenter) ty = cell.Top - FMargin - std::max(0, (room - size.Y) / 2);
                else if (va == TVAlignment::vtaBottom) ty = cell.Top - std::max(FMargin, room - size.Y);
                FTarget->TextOut(x, ty, text);
            }
        }
        // Covered cells of a merged area draw no lines inside it.
        if (ext.X > 0 || !FGrid->IsBaseCell(c, ARow)) {
            if (FGrid->IsXMergedCell(c, ARow) && !FGrid->IsBaseCell(c, ARow))
                sides = sides - TCellBorders{TCellBorder::cbLeft, TCellBorder::cbRight};
        }
        if (!bottomSide) sides = sides - TCellBorders{TCellBorder::cbBottom};
        const int w = FMode == TPrintMode::pmPrint ? int(std::lround(pen.Width() * FScale)) : pen.Width();
        const TColor col = pen.Color();
        const int lx = t == First ? cell.Left : cell.Left - w;
        if (sides.Contains(TCellBorder::cbLeft)) FTarget->Line(lx, cell.Top, lx, cell.Bottom, col, w);
        if (sides.Contains(TCellBorder::cbRight)) FTarget->Line(cell.Right, cell.Top, cell.Right, cell.Bottom, col, w);
        if (sides.Contains(TCellBorder::cbTop)) FTarget->Line(cell.Left, cell.Top, cell.Right, cell.Top, col, w);
        if (sides.Contains(TCellBorder::cbBottom)) FTarget->Line(cell.Left, cell.Bottom, cell.Right, cell.Bottom, col, w);
    }
    return rh;
}

// ---- Jobs ------------------------------------------------------------------------------------

void TZvGridPrint::PrintJob(TPrintTarget& Target, TGridRect Range, bool SelectedOnly)
{
    FGrid->ExportNotification(TGridExportState::esExportStart, -1);
    const TScopeExit done([this] { FGrid->ExportNotification(TGridExportState::esExportDone, -1); });
    FRange = Range;
    FIsPrintPreview = false;
    int pages = UnknownPageTotal;
    if (!FFastPrint) {
        FPrintPageFrom = 1;
        FPrintPageTo = 0;   // the count draws nothing
        pages = PrintPages(Target, TPrintMode::pmPrintCount, -1, SelectedOnly);
    }
    FPrintPageFrom = 1;
    FPrintPageTo = pages;
    FPrintNrOfPages = pages;
    if (FGrid->OnPrintStart) {
        FGrid->OnPrintStart(FGrid, pages, FPrintPageFrom, FPrintPageTo);
        if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageFrom > FPrintPageTo) return;
    }
    FPrintNrOfPages = FPrintPageTo;
    PrintPages(Target, TPrintMode::pmPrint, pages, SelectedOnly);
}

void TZvGridPrint::PrintPreviewJob(TPrintTarget& Target, TGridRect Range, bool SelectedOnly)
{
    FGrid->ExportNotification(TGridExportState::esExportStart, -1);
    const TScopeExit done([this] {
        FIsPrintPreview = false;
        FGrid->ExportNotification(TGridExportState::esExportDone, -1);
    });
    FRange = Range;
    // A print job may have left a range of pages; a preview shows one page,
    // the first of it, never several drawn over each other.
    FPrintPageTo = FPrintPageFrom;
    int pages = 1;
    if (!FFastPrint) {
        pages = PrintPages(Target, TPrintMode::pmPreviewCount, -1, SelectedOnly);
        FPrintNrOfPages = pages;
    }
    FIsPrintPreview = true;
    int from = 1, to = pages;
    if (FGrid->OnPrintStart) FGrid->OnPrintStart(FGrid, pages, from, to);
    if (from > 0 && to > 0 && to >= from) PrintPages(Target, TPrintMode::pmPreview, pages, SelectedOnly);
}

void TZvGridPrint::PrintDrawRect(TPrintTarget& Target, TGridRect Range)
{
    FRange = Range;
    FPrintPageFrom = FPrintPageTo = FPrintNrOfPages = 1;
    PrintPages(Target, TPrintMode::pmPrint, 1, false);
}

// ---- The grid's members ----------------------------------------------------------------------

TZvGridPrint& TZvStringGrid::PrintService() const { return MadeOnFirstUse(d->FPrintService, this); }

bool TZvStringGrid::PrinterDriverFix() const { return PrintService().FPrinterDriverFix; }
void TZvStringGrid::SetPrinterDriverFix(bool Value) { PrintService().FPrinterDriverFix = Value; }
TPrintSettings* TZvStringGrid::PrintSettings() const { return PrintService().FPrintSettings.get(); }
void TZvStringGrid::SetPrintSettings(TPrintSettings* Value) { PrintSettings()->Assign(Value); }
int TZvStringGrid::PrintNrOfPages() const { return PrintService().FPrintNrOfPages; }
bool TZvStringGrid::FastPrint() const { return PrintService().FFastPrint; }
void TZvStringGrid::SetFastPrint(bool Value) { PrintService().FFastPrint = Value; }
TRect TZvStringGrid::PrintPageRect() const { return PrintService().FPageRect; }
int TZvStringGrid::PrintPageWidth() const { return PrintService().FPageWidth; }
int TZvStringGrid::PrintColStart() const { return PrintService().FColStart; }
int TZvStringGrid::PrintColEnd() const { return PrintService().FColEnd; }

int TZvStringGrid::MapFontHeight(int PointSize) const
{
    return -int(PointSize * 254.0 / 72.0 * PrintService().FFontScale);
}

int TZvStringGrid::MapFontSize(int Height) const { return int(Height * 72.0 / 254.0); }

int TZvStringGrid::GetPrintColWidth(int ACol) const
{
    CheckPrintColumn(ACol);
    const auto& w = PrintService().MaxWidths;
    return std::size_t(ACol) < w.size() ? w[std::size_t(ACol)] : 0;
}

int TZvStringGrid::GetPrintColOffset(int ACol) const
{
    CheckPrintColumn(ACol);
    const auto& i = PrintService().Indents;
    return std::size_t(ACol) < i.size() ? i[std::size_t(ACol)] : 0;
}

void TZvStringGrid::PrintTo(TPrintTarget* Target, TGridRect Gridrect, bool SelectedOnly)
{
    PrintService().PrintJob(*Target, Gridrect, SelectedOnly);
}

void TZvStringGrid::PrintDrawRect(TPrintTarget* Target, TGridRect Gridrect) { PrintService().PrintDrawRect(*Target, Gridrect); }

void TZvStringGrid::PrintRect(TGridRect Gridrect)
{
    TPrinter* printer = Printer();
    const TPrintSettings* p = PrintSettings();
    if (!p->UseDefaultOrientation()) printer->SetLandscape(p->Orientation() == TPrinterOrientation::poLandscape);
    printer->SetTitle(p->JobName());
    printer->BeginDoc();
    const TScopeExit end([printer] { printer->EndDoc(); });
    TPainterPrintTarget target(printer->Painter(), printer->Resolution(), printer->PageWidth(), printer->PageHeight(),
                               [printer] { printer->NewPage(); });
    PrintService().PrintJob(target, Gridrect, PrintService().FSelectedOnly);
}

void TZvStringGrid::Print()
{
    PrintService().FSelectedOnly = false;
    PrintRect({0, 0, ColCount() - 1, RowCount() - 1});
}

void TZvStringGrid::PrintSelection()
{
    PrintService().FSelectedOnly = false;
    PrintRect(Selection());
}

void TZvStringGrid::PrintSelectedRows()
{
    PrintService().FSelectedOnly = true;
    PrintRect({0, 0, ColCount() - 1, RowCount() - 1});
}

void TZvStringGrid::PrintSelectedCols() { PrintSelectedRows(); }

// ---- Preview ---------------------------------------------------------------------------------

int TZvStringGrid::PreviewPage() const { return PrintService().FPrintPageFrom; }
void TZvStringGrid::SetPreviewPage(int Value) { PrintService().FPrintPageFrom = PrintService().FPrintPageTo = Value; }
bool TZvStringGrid::IsPrintPreview() const { return PrintService().FIsPrintPreview; }

void TZvStringGrid::PrintPreviewTo(TPrintTarget* Target, TGridRect Gridrect, bool SelectedOnly)
{
    PrintService().PrintPreviewJob(*Target, Gridrect, SelectedOnly);
}

void TZvStringGrid::PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect, bool SelectedOnly)
{
    // The display area is the paper, at the screen's scale.
    TPainterPrintTarget target(Canvas->Painter(), TFont::PixelsPerInch, Displayrect.Width(), Displayrect.Height());
    PrintPreviewTo(&target, Gridrect, SelectedOnly);
}

void TZvStringGrid::PrintPreview(TCanvas* Canvas, TRect Displayrect)
{
    PrintPreviewRect(Canvas, Displayrect, {0, 0, ColCount() - 1, RowCount() - 1});
}

void TZvStringGrid::PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect)
{
    PrintPreviewRect(Canvas, Displayrect, Selection());
}

void TZvStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect)
{
    PrintPreviewRect(Canvas, Displayrect, {0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TZvStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect)
{
    PrintPreviewSelectedRows(Canvas, Displayrect);
}
