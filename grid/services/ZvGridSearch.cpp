// Searching and highlighting: the typed-key row search, the cell walk behind
// Find and Replace, the search footer's handlers, and the tags that highlight
// and mark occurrences in cell texts.

#include "grid/services/ZvGridSearch.h"

#include "grid/ZvGridPrivate.h"
#include "grid/ZvCheckBox.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "grid/support/ZvGridButton.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"

#include "platform/ScopeGuard.h"

using enum TFindParameter;

namespace {
constexpr TPoint NoCell{-1, -1};
const String HighlightTag = QStringLiteral("hi");
const String MarkTag = QStringLiteral("e");

// A display-text handler decides what a cell shows, so the highlight works on that.
String HighlightSourceText(TZvStringGrid& Grid, int ACol, int ARow)
{
    return Grid.OnGetDisplText ? Grid.GetCellEx(ACol, ARow) : Grid.GetGridCell(ACol, ARow);
}

String OpenTag(const String& Tag) { return u'<' + Tag + u'>'; }
String CloseTag(const String& Tag) { return QStringLiteral("</") + Tag + u'>'; }

// Plain text gets its "<", ">", "&" and quotes escaped once tags stand in it,
// occurrence by occurrence in the text as typed, so that no tag lands inside an
// entity; markup keeps its own escaping and is tagged in its visible text.
// Text without an occurrence comes back as it is.
String TagOccurrences(const String& Text, const String& Search, const String& Tag, bool DoCase)
{
    if (Search.isEmpty()) return Text;
    const Qt::CaseSensitivity cs = DoCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (CellTextKind(Text, true) == ctHTML) return HighlightHTMLText(Text, HTMLEscape(Search, false), Tag, DoCase);
    qsizetype p = Text.indexOf(Search, 0, cs);
    if (p < 0) return Text;
    String out;
    qsizetype from = 0;
    for (; p >= 0; p = Text.indexOf(Search, from, cs)) {
        out += HTMLEscape(Text.mid(from, p - from), false);
        out += OpenTag(Tag) + HTMLEscape(Text.mid(p, Search.size()), false) + CloseTag(Tag);
        from = p + Search.size();
    }
    return out + HTMLEscape(Text.mid(from), false);
}

// The inverse of TagOccurrences: the tags go (in any case), and text that was
// plain before (no "<" of its own is left) loses the escaping exactly once.
String RemoveTags(const String& Text, const String& Tag)
{
    if (!Text.contains(OpenTag(Tag), Qt::CaseInsensitive)) return Text;
    String out = Text;
    out.remove(OpenTag(Tag), Qt::CaseInsensitive);
    out.remove(CloseTag(Tag), Qt::CaseInsensitive);
    return out.contains(u'<') ? out : HTMLUnescape(out, false);
}
}   // namespace

TZvGridSearch::TZvGridSearch(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FSearchFooter(std::make_unique<TSearchFooter>(AGrid, AGrid->Designing()))
{
    FSearchFooter->OnChange = [AGrid](TObject*) { AGrid->SearchFooterChanged(); };
}

TZvGridSearch& TZvStringGrid::SearchService() const { return MadeOnFirstUse(d->FSearchService, this); }

TSearchFooter* TZvStringGrid::SearchFooter() const { return SearchService().FSearchFooter.get(); }
void TZvStringGrid::SetSearchFooter(TSearchFooter* Value) { SearchFooter()->Assign(Value); }
const String& TZvStringGrid::IncrSearchText() const { return SearchService().FIncrSearchText; }
void TZvStringGrid::SetIncrSearchText(const String& Value) { SearchService().FIncrSearchText = Value; }
TPoint TZvStringGrid::SearchCell() const { return SearchService().FSearchCell; }
int TZvStringGrid::FindCol() const { return SearchService().FFindCol; }
void TZvStringGrid::SetFindCol(int Value) { SearchService().FFindCol = Value; }
int TZvStringGrid::FindRow() const { return SearchService().FFindRow; }
void TZvStringGrid::SetFindRow(int Value) { SearchService().FFindRow = Value; }

// ---- Typed-key row search -----------------------------------------------------------------------------------
int TZvStringGrid::Search(const String& Text)
{
    int col;
    if (!SortSettings()->Show()) col = FixedCols();
    else if (SortSettings()->IndexShow())
        col = SortIndexes() && SortIndexes()->Count() > 0 ? SortIndexes()->SortColumns(0) : FixedCols();
    else col = SortSettings()->Column();
    if (RowCount() < 2 || col < 0) return -1;
    const String wanted = Text.toUpper();
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (StripHTMLTags(GetCellEx(RealColIndex(col), r)).left(wanted.length()).toUpper() == wanted) return r;
    return -1;
}

// ---- The cell walk -------------------------------------------------------------------------------------------
bool TZvGridSearch::CellMatches(int ACol, int ARow, bool Wide)
{
    TZvStringGrid& g = *FGrid;
    const TFindParameters p = FFindParams;
    const int col = p.Contains(fnIncludeHiddenColumns) ? ACol : g.RealColIndex(ACol);
    String text = Wide                                 ? g.GetWideCells(col, ARow)
                  : p.Contains(fnIncludeHiddenRows) ? g.GetCellsEx(col, ARow)
                                                    : g.GetCellEx(col, ARow);
    if (!Wide && p.Contains(fnIgnoreHTMLTags) && text.contains(u'<')) text = StripHTMLTags(text);
    if (FFindText == QStringLiteral("\"\"")) return text.isEmpty();
    const bool matchCase = p.Contains(fnMatchCase);
    if (p.Contains(fnMatchRegular)) return MatchFilterExpression(FFindText, matchCase ? text : text.toUpper(), matchCase);
    // An empty search text occurs nowhere.
    if (FFindText.isEmpty()) return false;
    // The search text is upper-cased already: comparing without case equals comparing upper-cased texts,
    // without a copy of every cell.
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (p.Contains(fnMatchFull)) return text.compare(FFindText, cs) == 0;
    if (p.Contains(fnMatchStart)) return text.startsWith(FFindText, cs);
    return text.contains(FFindText, cs);
}

TPoint TZvGridSearch::Walk(TPoint StartCell, bool Wide)
{
    TZvStringGrid& g = *FGrid;
    const TFindParameters p = FFindParams;
    if (g.ColCount() == 0 || g.ColCount() == g.FixedCols()) return NoCell;
    if (g.RowCount() == 0 || g.RowCount() + g.NumHiddenRows() == g.FixedRows()) return NoCell;
    int c0 = g.FixedCols(), c1 = g.ColCount() - g.FixedRightCols() - 1;
    int r0 = g.FixedRows(), r1 = g.RowCount() - g.FixedFooters() - 1;
    if (p.Contains(fnIncludeFixed)) {
        c0 = 0, c1 = g.ColCount() - 1, r0 = 0, r1 = g.RowCount() - 1;
    }
    if (p.Contains(fnSelectedCells)) {
        const TGridRect s = g.Selection();
        c0 = s.Left, c1 = s.Right, r0 = s.Top, r1 = s.Bottom;
    }
    if (p.Contains(fnIncludeHiddenColumns)) c1 += g.NumHiddenColumns();
    if (p.Contains(fnIncludeHiddenRows)) r1 += g.NumHiddenRows();
    const bool pinRow = p.Contains(fnFindInCurrentRow) || p.Contains(fnFindInPresetRow);
    const bool pinCol = p.Contains(fnFindInCurrentCol) || p.Contains(fnFindInPresetCol);
    if (pinRow) r0 = r1 = p.Contains(fnFindInCurrentRow) ? g.Row() : FFindRow;
    if (pinCol) c0 = c1 = p.Contains(fnFindInCurrentCol) ? g.Col() : FFindCol;
    if (c0 > c1 || r0 > r1) return NoCell;

    // Cells are numbered in walk order: line by line (rows, or columns
    // column-wise), each line from its first to its last cell.
    const bool rowWise = p.Contains(fnDirectionLeftRight), back = p.Contains(fnBackward);
    const long long nc = c1 - c0 + 1, nr = r1 - r0 + 1, n = nc * nr;
    const long long lineLength = rowWise ? nc : nr;
    long long k = back ? n - 1 : 0;
    if (StartCell != NoCell) {
        int c = pinCol ? c0 : StartCell.X, r = pinRow ? r0 : StartCell.Y;
        const bool pastBoth = back ? c < c0 && r < r0 : c > c1 && r > r1;
        if (!pastBoth) {
            const int outer = rowWise ? r : c, outer0 = rowWise ? r0 : c0, outer1 = rowWise ? r1 : c1;
            const int inner = rowWise ? c : r, inner0 = rowWise ? c0 : r0, inner1 = rowWise ? c1 : r1;
            // Twice the place of the start in walk order; odd between two cells.
            long long twice;
            if (outer < outer0) twice = -1;
            else if (outer > outer1) twice = 2 * n - 1;
            else if (inner < inner0) twice = 2 * (outer - outer0) * lineLength - 1;
            else if (inner > inner1) twice = 2 * ((outer - outer0) * lineLength + lineLength) - 1;
            else twice = 2 * ((outer - outer0) * lineLength + (inner - inner0));
            // One step on from the start: the nearest whole place beyond it in the walk's direction.
            const bool between = twice % 2 != 0;
            if (back) k = between ? (twice - 1) / 2 : twice / 2 - 1;
            else k = between ? (twice + 1) / 2 : twice / 2 + 1;
        }
    }
    for (; k >= 0 && k < n; k += back ? -1 : 1) {
        const int line = int(k / lineLength), at = int(k % lineLength);
        const int c = rowWise ? c0 + at : c0 + line;
        const int r = rowWise ? r0 + line : r0 + at;
        if (rowWise && g.IsIgnoredColumn(c)) continue;
        g.ExportNotification(TGridExportState::esExportNewRow, r);
        if (CellMatches(c, r, Wide)) return {c, r};
    }
    return NoCell;
}

TPoint TZvGridSearch::FindCore(TPoint StartCell, const String& s, TFindParameters FindParams, bool Wide)
{
    FFindParams = FindParams;
    FFindText = FindParams.Contains(fnMatchCase) ? s : s.toUpper();
    const TPoint found = Walk(StartCell, Wide);
    if (found == NoCell) return NoCell;
    FSearchCell = found;
    if (FindParams.Contains(fnAutoGoto)) GotoFound(found);
    return found;
}

void TZvGridSearch::GotoFound(TPoint Cell)
{
    TZvStringGrid& g = *FGrid;
    int row = Cell.Y;
    if (FFindParams.Contains(fnIncludeHiddenRows)) {
        if (g.IsHiddenRow(row)) {
            // The node whose span covers the hidden row opens it; one pass over the shown rows at most.
            for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
                if (!g.IsNode(r)) continue;
                const int first = g.RealRowIndex(r);
                if (first <= row && row < first + g.GetNodeSpan(r)) {
                    if (g.GetNodeState(r)) g.ExpandNode(r);
                    break;
                }
            }
        }
        row = g.DisplRowIndex(row);
    }
    if (row < 0 || row >= g.RowCount()) return;   // still hidden by a filter: nothing to show
    const int col = std::min(Cell.X, g.ColCount() - 1);
    if (g.MouseActions()->DisjunctRowSelect()) {
        g.ClearRowSelect();
        g.SetRowSelect(row, true);
        g.SetRow(row);
    } else {
        g.SetCol(col);
        g.SetRow(row);
    }
}

TPoint TZvStringGrid::Find(TPoint StartCell, const String& s, TFindParameters FindParams)
{
    ExportNotification(TGridExportState::esExportStart, -1);
    const TPoint found = SearchService().FindCore(StartCell, s, FindParams, false);
    // State 4 tells a descendant's progress display that the search ended on a find.
    ExportNotification(found.X >= 0 ? TGridExportState(4) : TGridExportState::esExportSelRow, -1);
    if (found.X >= 0 && FindParams.Contains(fnAutoGoto)) {
        // Keep the found row clear of the bottom edge (and of a floating footer).
        const int a = FloatingFooter()->Visible() ? 2 : 0;
        if (Row() > TopRow() + VisibleRowCount() - a - 2 && VisibleRowCount() + FixedRows() + a < RowCount())
            SetTopRow(TopRow() + a + 1);
    }
    return found;
}

TPoint TZvStringGrid::FindWide(TPoint StartCell, const String& s, TFindParameters FindParams)
{
    ExportNotification(TGridExportState::esExportStart, -1);
    const TPoint found = SearchService().FindCore(StartCell, s, FindParams, true);
    ExportNotification(found.X >= 0 ? TGridExportState(4) : TGridExportState::esExportSelRow, -1);
    return found;
}

TPoint TZvStringGrid::FindFirst(const String& s, TFindParameters FindParams)
{
    const TPoint found = Find(NoCell, s, FindParams);
    SearchService().FSearchCell = found;
    return found;
}

TPoint TZvStringGrid::FindNext()
{
    // After the last match the search cell stays on it, so asking again finds
    // nothing again instead of starting over at the top.
    TZvGridSearch& search = SearchService();
    if (search.FSearchCell == NoCell) return NoCell;
    return Find(search.FSearchCell, search.FFindText, search.FFindParams);
}

int TZvStringGrid::Replace(const String& OrigStr, const String& NewStr, TFindParameters FindParams)
{
    if (OrigStr.isEmpty()) return 0;
    // The walk moves nothing: a node opened on the way would shift the rows still to visit.
    FindParams.Exclude(fnAutoGoto);
    const bool hiddenCols = FindParams.Contains(fnIncludeHiddenColumns);
    const bool hiddenRows = FindParams.Contains(fnIncludeHiddenRows);
    const Qt::CaseSensitivity cs = FindParams.Contains(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    BeginUpdate();
    const TScopeExit done([this] { EndUpdate(); });
    int count = 0;
    for (TPoint cell = Find(NoCell, OrigStr, FindParams); cell.X >= 0; cell = Find(cell, OrigStr, FindParams)) {
        const int col = hiddenCols ? cell.X : RealColIndex(cell.X);
        const String old = hiddenRows ? GetCellsEx(col, cell.Y) : GetCellEx(col, cell.Y);
        String changed = old;
        changed.replace(OrigStr, NewStr, cs);
        if (changed == old) continue;
        if (hiddenRows) SetCellsEx(col, cell.Y, changed);
        else SetCellEx(col, cell.Y, changed);
        ++count;
        const int shown = hiddenRows ? DisplRowIndex(cell.Y) : cell.Y;
        if (ShowModified()->Enabled() && shown >= 0 && shown < RowCount()) SetRowModified(shown, true);
    }
    return count;
}

// ---- The search footer --------------------------------------------------------------------------------------
TFindParameters TZvGridSearch::FooterParams(bool Typing) const
{
    const TZvStringGrid& g = *FGrid;
    const TSearchFooter& footer = *FSearchFooter;
    const TSearchPanel& panel = *g.SearchPanel();
    TFindParameters p{fnAutoGoto};
    if (panel.HighlightButton()->Down()) p.Include(fnIgnoreHTMLTags);
    if (panel.MatchCaseBox()->Checked()) p.Include(fnMatchCase);
    if (footer.SearchActiveColumnOnly()) p.Include(fnFindInCurrentCol);
    if (footer.SearchMatchStart()) p.Include(fnMatchStart);
    if (Typing && footer.SearchFixedCells()) p.Include(fnIncludeFixed);
    if (Typing && footer.SearchHiddenRows()) p.Include(fnIncludeHiddenRows);
    if (footer.SearchDirection() == TSearchDirection::sdLeftRight) p.Include(fnDirectionLeftRight);
    if (footer.SearchColumn() >= 0 && footer.SearchColumn() < g.ColCount()) p.Include(fnFindInPresetCol);
    return p;
}

void TZvGridSearch::FooterHighlight(bool Remove, const String& Text)
{
    TZvStringGrid& g = *FGrid;
    const int col = FSearchFooter->SearchColumn();
    // A column outside the grid highlights nothing rather than cells that are not there.
    if (col >= g.ColCount()) return;
    const bool doCase = g.SearchPanel()->MatchCaseBox()->Checked();
    if (col < 0) {
        if (Remove) g.UnHilightInGrid(false);
        else g.HilightInGrid(false, doCase, Text);
    } else {
        if (Remove) g.UnHilightInCol(false, col);
        else g.HilightInCol(false, doCase, Text, col);
    }
}

void TZvStringGrid::SearchEditChanged(TObject*)
{
    TZvGridSearch& search = SearchService();
    TSearchPanel& panel = *SearchPanel();
    const TSearchFooter& footer = *SearchFooter();
    const String text = panel.SearchEdit()->Text();
    bool defaultSearch = true;
    if (OnSearchEditChange) OnSearchEditChange(this, text, defaultSearch);
    if (!defaultSearch || !footer.AutoSearch()) return;
    const TFindParameters params = search.FooterParams(true);
    if (params.Contains(fnFindInPresetCol)) search.FFindCol = footer.SearchColumn();
    const bool buttonDown = panel.HighlightButton()->Down();
    const bool highlight = buttonDown || footer.AlwaysHighLight();
    if (highlight) search.FooterHighlight(true, text);
    if (text.isEmpty()) {
        panel.SearchEdit()->SetColor(clWindow);
        return;
    }
    const TPoint cell = Find(NoCell, text, params);
    search.FSearchCell = cell;
    FireSearchFooterAction(text, cell.X, cell.Y, TSearchAction::saFindFirst);
    if (cell == NoCell) {
        panel.SearchEdit()->SetColor(clRed);
        return;
    }
    panel.SearchEdit()->SetColor(clWindow);
    ScrollInView(cell.X, cell.Y);
    if (highlight) search.FooterHighlight(false, text);
}

void TZvGridSearch::FooterFind(bool Backward)
{
    TZvStringGrid& g = *FGrid;
    TSearchFooter& footer = *FSearchFooter;
    const String text = g.SearchPanel()->SearchEdit()->Text();
    if (!footer.AutoSearch() && text != footer.LastSearch()) FSearchCell = NoCell;
    footer.SetLastSearch(text);
    TFindParameters params = FooterParams(false);
    if (params.Contains(fnFindInPresetCol)) FFindCol = footer.SearchColumn();
    if (Backward) params.Include(fnBackward);
    const TPoint cell = g.Find(FSearchCell, text, params);
    FSearchCell = cell;
    if (cell != NoCell) g.ScrollInView(cell.X, cell.Y);
    const bool floating = g.FloatingFooter()->Visible();
    if (g.Row() > g.TopRow() + g.VisibleRowCount() + (floating ? 0 : 1) - 3 &&
        g.VisibleRowCount() + g.FixedRows() + (floating ? 1 : 0) < g.RowCount())
        g.SetTopRow(g.TopRow() + 2);
    g.FireSearchFooterAction(text, cell.X, cell.Y, Backward ? TSearchAction::saFindPrevious : TSearchAction::saFindNext);
    g.SearchPanel()->Invalidate();
}

void TZvStringGrid::SearchForwardClick(TObject*) { SearchService().FooterFind(false); }

void TZvStringGrid::SearchBackwardClick(TObject*) { SearchService().FooterFind(true); }

void TZvStringGrid::SearchHighlightClick(TObject*)
{
    TSearchPanel& panel = *SearchPanel();
    SearchService().FooterHighlight(!panel.HighlightButton()->Down(), panel.SearchEdit()->Text());
}

void TZvStringGrid::SearchExitClick(TObject*)
{
    if (OnSearchFooterClose) OnSearchFooterClose(this);
    SearchFooter()->SetVisible(false);
}

// ---- Highlighting and marking ---------------------------------------------------------------------------------
String TZvStringGrid::HilightText(bool DoCase, const String& S, const String& Text)
{
    return TagOccurrences(S, Text, HighlightTag, DoCase);
}

String TZvStringGrid::MarkText(bool DoCase, const String& S, const String& Text)
{
    return TagOccurrences(S, Text, MarkTag, DoCase);
}

String TZvStringGrid::UnHilightText(const String& S) { return RemoveTags(S, HighlightTag); }

String TZvStringGrid::UnMarkText(const String& Text) { return RemoveTags(Text, MarkTag); }

String TZvStringGrid::WithoutSearchTags(const String& Text)
{
    return Text.contains(u'<') ? UnMarkText(UnHilightText(Text)) : Text;
}

void TZvStringGrid::HilightTextInRange(const String& HiText, const String& Tag, int FromCol, int ToCol, int FromRow,
                                       int ToRow, bool DoCase)
{
    BeginUpdate();
    const TScopeExit done([this] { EndUpdate(); });
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            const String text = HighlightSourceText(*this, c, r);
            const String tagged = TagOccurrences(text, HiText, Tag, DoCase);
            if (tagged != text) SetCellEx(c, r, tagged);
        }
    }
}

void TZvStringGrid::UnHilightTextInRange(const String& Tag, int FromCol, int ToCol, int FromRow, int ToRow)
{
    BeginUpdate();
    const TScopeExit done([this] { EndUpdate(); });
    for (int r = FromRow; r <= ToRow; ++r) {
        for (int c = FromCol; c <= ToCol; ++c) {
            if (!IsBaseCell(c, r)) continue;
            const String text = HighlightSourceText(*this, c, r);
            const String plain = RemoveTags(text, Tag);
            if (plain != text) SetCellEx(c, r, plain);
        }
    }
}

// The ranges: DoFixed takes every cell, else the normal ones; some reach into the hidden columns.
namespace {
struct TRange {
    int FromCol, ToCol, FromRow, ToRow;
};

TRange NormalOrAll(const TZvStringGrid& g, bool DoFixed, int ExtraCols)
{
    if (DoFixed) return {0, g.ColCount() - 1 + ExtraCols, 0, g.RowCount() - 1};
    return {g.FixedCols(), g.ColCount() - g.FixedRightCols() - 1 + ExtraCols, g.FixedRows(),
            g.RowCount() - g.FixedFooters() - 1};
}
}   // namespace

void TZvStringGrid::HilightInCell(bool DoCase, const String& HiText, int Col, int Row)
{
    HilightTextInRange(HiText, HighlightTag, Col, Col, Row, Row, DoCase);
}

void TZvStringGrid::HilightInCol(bool DoFixed, bool DoCase, const String& HiText, int Col)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    HilightTextInRange(HiText, HighlightTag, Col, Col, r.FromRow, r.ToRow, DoCase);
}

void TZvStringGrid::HilightInRow(bool DoFixed, bool DoCase, const String& HiText, int Row)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    HilightTextInRange(HiText, HighlightTag, r.FromCol, r.ToCol, Row, Row, DoCase);
}

void TZvStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    const TRange r = NormalOrAll(*this, DoFixed, DoFixed ? 0 : NumHiddenColumns());
    HilightTextInRange(HiText, HighlightTag, r.FromCol, r.ToCol, r.FromRow, r.ToRow, DoCase);
}

void TZvStringGrid::MarkInCell(bool DoCase, const String& HiText, int Col, int Row)
{
    HilightTextInRange(HiText, MarkTag, Col, Col, Row, Row, DoCase);
}

void TZvStringGrid::MarkInCol(bool DoFixed, bool DoCase, const String& HiText, int Col)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    HilightTextInRange(HiText, MarkTag, Col, Col, r.FromRow, r.ToRow, DoCase);
}

void TZvStringGrid::MarkInRow(bool DoFixed, bool DoCase, const String& HiText, int Row)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    HilightTextInRange(HiText, MarkTag, r.FromCol, r.ToCol, Row, Row, DoCase);
}

void TZvStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    HilightTextInRange(HiText, MarkTag, r.FromCol, r.ToCol, r.FromRow, r.ToRow, DoCase);
}

void TZvStringGrid::UnHilightInCell(int Col, int Row) { UnHilightTextInRange(HighlightTag, Col, Col, Row, Row); }

void TZvStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    UnHilightTextInRange(HighlightTag, Col, Col, r.FromRow, r.ToRow);
}

void TZvStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    const TRange r = NormalOrAll(*this, DoFixed, NumHiddenColumns());
    UnHilightTextInRange(HighlightTag, r.FromCol, r.ToCol, Row, Row);
}

void TZvStringGrid::UnHilightInGrid(bool DoFixed)
{
    const TRange r = NormalOrAll(*this, DoFixed, NumHiddenColumns());
    UnHilightTextInRange(HighlightTag, r.FromCol, r.ToCol, r.FromRow, r.ToRow);
}

void TZvStringGrid::UnMarkInCell(int Col, int Row) { UnHilightTextInRange(MarkTag, Col, Col, Row, Row); }

void TZvStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    const TRange r = NormalOrAll(*this, DoFixed, 0);
    UnHilightTextInRange(MarkTag, Col, Col, r.FromRow, r.ToRow);
}

void TZvStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    const TRange r = NormalOrAll(*this, DoFixed, NumHiddenColumns());
    UnHilightTextInRange(MarkTag, r.FromCol, r.ToCol, Row, Row);
}

void TZvStringGrid::UnMarkInGrid(bool DoFixed)
{
    const TRange r = NormalOrAll(*this, DoFixed, NumHiddenColumns());
    UnHilightTextInRange(MarkTag, r.FromCol, r.ToCol, r.FromRow, r.ToRow);
}
