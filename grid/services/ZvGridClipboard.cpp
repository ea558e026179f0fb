// The clipboard: the service's state and the grid's members that front it:
// copy and cut of cells as text, rich text and grid cells, paste of each, and
// the smart fill that continues a pasted value or series over the selection.
//
// Cut and paste touch a cell only when it may be edited there, or every
// normal cell with AllowClipboardAlways; fixed and hidden cells never.

#include "grid/services/ZvGridClipboard.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridCellStream.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Clipbrd.h"
#include "platform/DateUtils.h"
#include "platform/Regional.h"
#include "platform/ScopeGuard.h"
#include "platform/StdCtrls.h"

#include <QBuffer>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

TZvGridClipboard& TZvStringGrid::ClipboardService() const { return MadeOnFirstUse(d->FClipboardService, this); }

bool TZvStringGrid::ExcelClipboardFormat() const { return ClipboardService().FExcelClipboardFormat; }
void TZvStringGrid::SetExcelClipboardFormat(bool Value) { ClipboardService().FExcelClipboardFormat = Value; }
TPoint TZvStringGrid::ClipboardOrigin() const
{
    return {ClipboardService().FClipboardTopLeft.X, ClipboardService().FClipboardTopLeft.Y};
}
TClipOperation TZvStringGrid::LastClipOperation() const { return ClipboardService().FLastOperation; }
bool TZvStringGrid::UsesFormattedClipboard() { return d->FNavigation->AllowFmtClipboard(); }

// Rows that a paste, an inserted or a deleted row changed show as modified when ShowModified asks for it.
void TZvStringGrid::MarkRowsModified(int FromRow, int ToRow)
{
    if (!ShowModified()->Enabled()) return;
    for (int r = FromRow; r <= ToRow; ++r) SetRowModified(r, true);
}

void TZvStringGrid::MarkRowsModified(TPoint, TRect R, TClipOperation) { MarkRowsModified(R.Top, R.Bottom); }

// ---- The text layout --------------------------------------------------------------------------------------------

String TZvGridClipboard::QuoteField(const String& Text, bool ExcelBreaks)
{
    String text = Text;
    if (ExcelBreaks) text.replace(QStringLiteral("\r\n"), QString(QChar(11)));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const bool quote = text.contains(u'\t') || text.contains(u'"') || text.contains(u'\n')
        || (ExcelBreaks && text.contains(QChar(11)));
    if (!quote) return text;
    text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

std::vector<std::vector<String>> TZvGridClipboard::SplitText(const String& Text)
{
    std::vector<std::vector<String>> rows(1);
    const qsizetype n = Text.size();
    qsizetype i = 0;
    auto isBreak = [&](qsizetype k) { return Text[k] == u'\r' || Text[k] == u'\n'; };
    while (true) {
        // One field from i.
        String field;
        bool quoted = false;
        if (i < n && Text[i] == u'"') {
            // A quoted field runs to the quote that is followed by a tab, a line break or the end;
            // without one the quote is text like any other.
            String inner;
            qsizetype k = i + 1;
            bool closed = false;
            while (k < n) {
                if (Text[k] == u'"') {
                    if (k + 1 < n && Text[k + 1] == u'"') {
                        inner += u'"';
                        k += 2;
                        continue;
                    }
                    if (k + 1 == n || Text[k + 1] == u'\t' || isBreak(k + 1)) closed = true;
                    break;
                }
                inner += Text[k++];
            }
            if (closed) {
                // The line breaks of a quoted field are the cell's own, written as one LF each.
                inner.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                inner.replace(u'\r', u'\n');
                inner.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
                inner.replace(QChar(11), QStringLiteral("\r\n"));
                field = inner;
                i = k + 1;
                quoted = true;
            }
        }
        if (!quoted) {
            const qsizetype start = i;
            while (i < n && Text[i] != u'\t' && !isBreak(i)) ++i;
            field = Text.mid(start, i - start);
        }
        rows.back().push_back(field);
        if (i >= n) break;
        if (Text[i] == u'\t') {
            ++i;
            continue;
        }
        // A line break: CR LF, CR or LF.
        if (Text[i] == u'\r' && i + 1 < n && Text[i + 1] == u'\n') ++i;
        ++i;
        rows.emplace_back();
        if (i >= n) {
            rows.back().push_back(String());
            break;
        }
    }
    return rows;
}

void TZvStringGrid::MeasureClipboardText(const String& Text, int& Cols, int& Rows)
{
    Cols = 0;
    Rows = -1;
    if (Text.isEmpty()) return;
    for (const std::vector<String>& line : TZvGridClipboard::SplitText(Text)) {
        Cols = std::max(Cols, int(line.size()));
        if (line.size() > 1 || !line.front().isEmpty()) ++Rows;
    }
}

// ---- Copy ---------------------------------------------------------------------------------------------------------

String TZvStringGrid::RectToClipboardText(TGridRect Rect, bool OnlySelected)
{
    TZvGridClipboard& clip = ClipboardService();
    clip.FClipboardTopLeft = {Rect.Left, Rect.Top};
    const TMouseActions* mouse = d->FMouseActions.get();
    ExportNotification(TGridExportState::esExportStart, -1);
    auto rowCounts = [&](int r) {
        if (!mouse->DisjunctRowSelect() || !OnlySelected || mouse->DisjunctColSelect()) return true;
        return GetRowSelect(mouse->RowSelectPersistent() ? RealRowIndex(r) : r);
    };
    auto colCounts = [&](int c) { return !mouse->DisjunctColSelect() || !OnlySelected || GetColSelect(c); };
    const bool wholeNormal = Rect.Top <= FixedRows() && Rect.Bottom >= RowCount() - 1 - FixedFooters();
    for (int r = Rect.Top; r <= Rect.Bottom; ++r)   // the sizing pass, for handlers that count rows
        if (rowCounts(r))
            ExportNotification(wholeNormal ? TGridExportState::esExportNewRow : TGridExportState::esExportSelRow, r);
    String result;
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        if (!rowCounts(r)) continue;
        ExportNotification(TGridExportState::esExportNewRow, r);
        bool firstCell = true;   // tabs stand only between the cells written
        for (int c = Rect.Left; c <= Rect.Right; ++c) {
            if (!colCounts(c)) continue;
            if (!firstCell) result += u'\t';
            firstCell = false;
            const int rc = RealColIndex(c);
            String text = CellTextToSave(rc, r);
            if (text.startsWith(QStringLiteral("|\\"))) text = DecodeUnicodeCellText(text);
            // A markup or rich text reduced to its plain text: its line breaks are the renderer's.
            bool reduced = true;
            if (!d->FNavigation->CopyHTMLTagsToClipboard() && text.contains(QStringLiteral("</")))
                text = GetStrippedCell(rc, r);
            // A rich text arrives here as its plain text already (CellTextToSave) while the grid has no rich edit.
            else
                reduced = false;
            const bool excel =
                reduced && clip.FExcelClipboardFormat && Multilinecells() && LineCountOf(text, true) > 1;
            result += TZvGridClipboard::QuoteField(text, excel);
        }
        if (Rect.Top < Rect.Bottom) result += QStringLiteral("\r\n");
    }
    ExportNotification(TGridExportState::esExportDone, -1);
    return result;
}

static void CopyRectToClipboard(TZvStringGrid& grid, TGridRect Rect, bool OnlySelected)
{
    const String text = grid.RectToClipboardText(Rect, OnlySelected);
    TClipboard& clipboard = Clipboard();
    clipboard.Open();
    const TScopeExit close([&] { clipboard.Close(); });
    clipboard.Clear();
    clipboard.SetAsText(text);
    const TNavigation* nav = grid.Navigation();
    if (nav->AllowRTFClipboard()) {
        const String rtf = grid.GetCellEx(grid.RealColIndex(Rect.Left), Rect.Top);
        if (rtf.contains(QStringLiteral("{\\"))) clipboard.SetData(String::fromLatin1(MIME_RTF), rtf.toLatin1());
    }
    if (nav->AllowFmtClipboard()) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        grid.SaveRectToBinStream(TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom}, &buffer);
        clipboard.SetData(String::fromLatin1(MIME_GRID_CELLS), WrapGridCells(buffer.data()));
    }
}

void TZvStringGrid::ExpandSelectionToMerged()
{
    TGridRect sel = Selection();
    const TGridRect before = sel;
    if (IsMergedCell(RealColIndex(sel.Left), sel.Top)) {
        const TPoint base = BaseCell(RealColIndex(sel.Left), sel.Top);
        sel.Left = std::min(sel.Left, DisplColIndex(base.X));
        sel.Top = std::min(sel.Top, base.Y);
    }
    if (IsMergedCell(RealColIndex(sel.Right), sel.Bottom)) {
        const TPoint base = BaseCell(RealColIndex(sel.Right), sel.Bottom);
        const TPoint span = CellSpan(base.X, base.Y);
        sel.Right = std::max(sel.Right, DisplColIndex(base.X) + span.X);
        sel.Bottom = std::max(sel.Bottom, base.Y + span.Y);
    }
    if (sel.Left != before.Left || sel.Top != before.Top || sel.Right != before.Right || sel.Bottom != before.Bottom)
        SetSelection(sel);
}

void TZvStringGrid::CopySelectionToClipboard()
{
    ExpandSelectionToMerged();
    const TMouseActions* mouse = d->FMouseActions.get();
    if (!d->FNavigation->AllowFmtClipboard() && mouse->DisjunctRowSelect())
        CopyRectToClipboard(*this, TGridRect{FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()},
                            true);
    else if (!d->FNavigation->AllowFmtClipboard() && mouse->DisjunctColSelect())
        CopyRectToClipboard(*this, TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
    else
        CopyRectToClipboard(*this, Selection(), false);
    ClipboardService().FLastOperation = TClipOperation::coCopy;
}

void TZvStringGrid::CopyToClipBoard()
{
    CopyRectToClipboard(*this, TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    ClipboardService().FLastOperation = TClipOperation::coCopy;
}

void TZvStringGrid::CopyToClipBoardAsHTML()
{
    const String html = SaveToHTMLString(String());
    TClipboard& clipboard = Clipboard();
    clipboard.Open();
    const TScopeExit close([&] { clipboard.Close(); });
    clipboard.Clear();
    clipboard.SetData(String::fromLatin1(MIME_HTML_FORMAT), MakeClipboardHTMLBytes(html));
    clipboard.SetData(String::fromLatin1(MIME_HTML), html.toUtf8());
    clipboard.SetAsText(html);
}

// ---- Cut ------------------------------------------------------------------------------------------------------------

// Whether cut and paste may change the cell (display column, row): a normal cell the user may
// edit, or any normal cell with AllowClipboardAlways.
bool TZvGridClipboard::MayTouch(TZvStringGrid& grid, int c, int r)
{
    if (c < 0 || r < 0 || c >= grid.ColCount() || r >= grid.RowCount()) return false;
    const int rc = grid.RealColIndex(c);
    if (grid.IsEditable(rc, r)) return true;
    if (!grid.Navigation()->AllowClipboardAlways()) return false;
    return !grid.IsFixed(c, r);
}

void TZvStringGrid::CutToClipboard()
{
    const TGridRect range{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
    CopyRectToClipboard(*this, range, false);
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    for (int r = range.Top; r <= range.Bottom; ++r)
        for (int c = range.Left; c <= range.Right; ++c)
            if (TZvGridClipboard::MayTouch(*this, c, r)) SetCellEx(RealColIndex(c), r, String());
    MarkRowsModified(range.Top, range.Bottom);
    ClipboardService().FLastOperation = TClipOperation::coCut;
}

void TZvStringGrid::CutSelectionToClipboard()
{
    const TGridRect sel = Selection();
    CopySelectionToClipboard();
    const TMouseActions* mouse = d->FMouseActions.get();
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    // A disjunct cut clears what it copied, cell by cell, so fixed and protected cells keep their text.
    auto clearCell = [&](int c, int r) {
        if (TZvGridClipboard::MayTouch(*this, c, r)) SetCellEx(RealColIndex(c), r, String());
    };
    if (mouse->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (!GetRowSelect(mouse->RowSelectPersistent() ? RealRowIndex(r) : r)) continue;
            for (int c = FixedCols(); c < ColCount() - FixedRightCols(); ++c) clearCell(c, r);
            MarkRowsModified(r, r);
        }
    } else if (mouse->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c) {
            if (!GetColSelect(c)) continue;
            for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) clearCell(c, r);
        }
    } else {
        TZvGridUndoRedo* undo = UndoRedo();
        if (undo) undo->StartSequence();
        for (int c = sel.Left; c <= sel.Right; ++c)
            for (int r = sel.Top; r <= sel.Bottom; ++r) {
                if (!TZvGridClipboard::MayTouch(*this, c, r)) continue;
                const int rc = RealColIndex(c);
                if (undo) undo->RegisterChange(rc, r, GetCellEx(rc, r), String());
                SetCellEx(rc, r, String());
            }
        MarkRowsModified(sel.Top, sel.Bottom);
        if (undo) undo->StopSequence();
        if (d->FNavigation->AllowFmtClipboard())
            for (int c = sel.Left; c <= sel.Right; ++c)
                for (int r = sel.Top; r <= sel.Bottom; ++r)
                    if (TZvGridClipboard::MayTouch(*this, c, r)) FreeCellObject(RealColIndex(c), r);
    }
    ClipboardService().FLastOperation = TClipOperation::coCut;
    FireCellsChanged(TRect{sel.Left, sel.Top, sel.Right, sel.Bottom});
    if (NumHiddenColumns() > 0) Invalidate();
}

// ---- Paste ----------------------------------------------------------------------------------------------------------

void TZvStringGrid::StoreCellText(int ACol, int ARow, const String& Value)
{
    const int rc = RealColIndex(ACol);
    if (UndoRedo()) UndoRedo()->RegisterChange(rc, ARow, GetCellEx(rc, ARow), Value);
    if (HasCheckBox(rc, ARow)) ChangeCheckBoxState(rc, ARow, Value == CheckTrue());
    else SetCellEx(rc, ARow, Value);
    if (rc != ACol) RepaintCell(ACol, ARow);
}

int TZvStringGrid::PasteTextAt(int Col, int Row, const String& Text, int& Cols, int& Rows)
{
    Cols = 0;
    Rows = 0;
    TNavigation* nav = d->FNavigation.get();
    if (Col < 0 || Row < 0) return 0;
    if (!Options().Contains(goEditing) && !nav->AllowClipboardAlways() && !d->FMouseActions->RangeSelectAndEdit())
        return 0;
    TZvGridClipboard& clip = ClipboardService();
    TZvGridUndoRedo* undo = UndoRedo();
    if (undo) undo->StartSequence();
    int count = 0;
    int minCol = INT_MAX, minRow = INT_MAX, maxCol = -1, maxRow = -1;
    auto growToCol = [&](int c) {
        if (c > ColCount() - 1 && nav->AllowClipboardColGrow()) SetColCount(c + 1);
    };
    auto process = [&](int c, int r, String field) {
        if (c >= ColCount() || r >= RowCount()) return;
        if (!TZvGridClipboard::MayTouch(*this, c, r)) return;
        bool allow = true;
        const bool wide = field.startsWith(QStringLiteral("|\\"));
        if (wide) {
            String value = DecodeUnicodeCellText(field);
            if (OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, c, r, value, allow);
            field = EncodeUnicodeCellText(value);
        } else if (OnClipboardBeforePasteCell) {
            OnClipboardBeforePasteCell(this, c, r, field, allow);
        }
        if (!allow) return;
        StoreCellText(c, r, field);
        minCol = std::min(minCol, c);
        minRow = std::min(minRow, r);
        maxCol = std::max(maxCol, c);
        maxRow = std::max(maxRow, r);
        if (wide && OnClipboardAfterPasteWideCell) OnClipboardAfterPasteWideCell(this, c, r, field);
        else if (OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, r, field);
    };
    BeginUpdate();
    {
        const TScopeExit endUpdate([this] { EndUpdate(); });
        const std::vector<std::vector<String>> lines = TZvGridClipboard::SplitText(Text);
        clip.FTrailingEmptyLine = lines.size() > 1 && lines.back().size() == 1 && lines.back().front().isEmpty();
        clip.FLastRowFields = int(lines[clip.FTrailingEmptyLine ? lines.size() - 2 : lines.size() - 1].size());
        int r = Row;
        for (std::size_t li = 0; li < lines.size(); ++li) {
            const std::vector<String>& fields = lines[li];
            const bool more = li + 1 < lines.size();
            ++Rows;
            ImportNotification(clip.FPasteAll ? TGridImportState::isImportNewRow : TGridImportState::isImportSelRow, r);
            const bool lineEmpty = fields.size() == 1 && fields.front().isEmpty();
            if (nav->ClipboardPasteAction() == TClipboardPasteAction::paInsert && !lineEmpty) InsertRows(r, 1, true);
            int c = Col;
            Cols = 1;
            for (std::size_t fi = 0; fi + 1 < fields.size(); ++fi) {
                ++Cols;
                ++count;
                process(c, r, fields[fi]);
                ++c;
                growToCol(c);
            }
            if (!fields.back().isEmpty() || more) {
                process(c, r, fields.back());
                growToCol(c);
            }
            ++count;
            if (more) {
                ++r;
                const int limit = RowCount() - (FloatingFooter()->HidesLastRow() ? 1 : 0);
                if (r >= limit && nav->AllowClipboardRowGrow()) SetRowCount(RowCount() + 1);
            }
        }
    }
    if (undo) undo->StopSequence();
    if (maxCol >= 0) {
        MarkRowsModified(ClipboardOrigin(), TRect{minCol, minRow, maxCol, maxRow}, clip.FLastOperation);
        FireCellsChanged(TRect{RealColIndex(minCol), minRow, RealColIndex(maxCol), maxRow});
    }
    return count;
}

int TZvStringGrid::PasteAt(int Col, int Row, int& Cols, int& Rows)
{
    Cols = 0;
    Rows = 0;
    TClipboard& clipboard = Clipboard();
    TNavigation* nav = d->FNavigation.get();
    if (UsesFormattedClipboard() && clipboard.HasFormat(String::fromLatin1(MIME_GRID_CELLS))) {
        PasteBegin();
        const TScopeExit pasteEnd([this] { PasteEnd(); });
        QByteArray stream;
        TZvGridCellStream::THeader header;
        String error;
        if (!UnwrapGridCells(clipboard.Data(String::fromLatin1(MIME_GRID_CELLS)), stream))
            throw EZvGridError(QStringLiteral("File contains no data or corrupt file (grid cells on the clipboard)"));
        if (!TZvGridCellStream::ReadHeader(stream, header, error))
            throw EZvGridError(QStringLiteral("File contains no data or corrupt file (%1)").arg(error));
        if (header.ColCount + Col >= ColCount() && nav->AllowClipboardColGrow()) SetColCount(header.ColCount + Col);
        if (header.RowCount + Row >= RowCount() && nav->AllowClipboardRowGrow()) SetRowCount(header.RowCount + Row);
        if (nav->ClipboardPasteAction() == TClipboardPasteAction::paInsert) InsertRows(Row, header.RowCount, true);
        QBuffer buffer(&stream);
        buffer.open(QIODevice::ReadOnly);
        LoadAtPointFromBinStream(TPoint{RealColIndex(Col), Row}, &buffer,
                                 [this](int rc, int r) { return TZvGridClipboard::MayTouch(*this, DisplColIndex(rc), r); });
        const bool own = header.ID == CellStreamService().ID();
        MarkRowsModified(own ? ClipboardOrigin() : TPoint{-1, -1},
                         TRect{Col, Row, Col + header.ColCount - 1, Row + header.RowCount - 1},
                         ClipboardService().FLastOperation);
        Cols = header.ColCount;
        Rows = header.RowCount;
        return Cols * Rows;
    }
    if (nav->AllowRTFClipboard() && clipboard.HasFormat(String::fromLatin1(MIME_RTF))) {
        QByteArray rtf = clipboard.Data(String::fromLatin1(MIME_RTF));
        const qsizetype zero = rtf.indexOf('\0');
        if (zero >= 0) rtf.truncate(zero);
        if (TZvGridClipboard::MayTouch(*this, Col, Row)) StoreCellText(Col, Row, String::fromLatin1(rtf));
        Cols = 1;
        Rows = 1;
        return 0;
    }
    if (clipboard.HasFormat(String::fromLatin1(MIME_TEXT))) return PasteTextAt(Col, Row, clipboard.AsText(), Cols, Rows);
    return 0;
}

void TZvStringGrid::PasteFromClipboard()
{
    TZvGridClipboard& clip = ClipboardService();
    ImportNotification(TGridImportState::isImportStart, -1);
    clip.FPasteAll = true;
    const TScopeExit pasteAll([&] { clip.FPasteAll = false; });
    int cols = 0, rows = 0;
    PasteAt(SaveStartCol(), SaveStartRow(), cols, rows);
    ImportNotification(TGridImportState::isImportDone, -1);
    RecalcAllFooters();
}

String TZvStringGrid::GetSelectionAsText() { return RectToClipboardText(Selection(), false); }

void TZvStringGrid::SetSelectionAsText(const String& Value)
{
    const TGridRect sel = Selection();
    int maxCol = -1, maxRow = -1;
    BeginUpdate();
    {
        const TScopeExit endUpdate([this] { EndUpdate(); });
        const std::vector<std::vector<String>> lines = TZvGridClipboard::SplitText(Value);
        int r = sel.Top;
        for (std::size_t li = 0; li < lines.size(); ++li) {
            const bool more = li + 1 < lines.size();
            int c = sel.Left;
            for (std::size_t fi = 0; fi < lines[li].size(); ++fi, ++c) {
                const String& field = lines[li][fi];
                if (fi + 1 == lines[li].size() && field.isEmpty() && !more) break;
                if (c >= ColCount()) SetColCount(c + 1);
                const String text =
                    field.startsWith(QStringLiteral("|\\")) ? EncodeUnicodeCellText(DecodeUnicodeCellText(field)) : field;
                SetGridCell(RealColIndex(c), r, text);
                maxCol = std::max(maxCol, c);
                maxRow = std::max(maxRow, r);
            }
            if (more) {
                ++r;
                const int limit = RowCount() - (FloatingFooter()->HidesLastRow() ? 1 : 0);
                if (r >= limit) SetRowCount(RowCount() + 1);
            }
        }
    }
    if (maxCol >= 0) FireCellsChanged(TRect{RealColIndex(sel.Left), sel.Top, RealColIndex(maxCol), maxRow});
}

// ---- Selection paste and smart fill -------------------------------------------------------------------------------

namespace {

// A text is a date when it holds two date separators, each after some other character.
bool IsSeriesDate(const String& text)
{
    const QChar sep = FormatSettings().DateSeparator;
    const qsizetype first = text.indexOf(sep);
    if (first < 1) return false;
    const qsizetype second = text.indexOf(sep, first + 1);
    return second > first + 1;
}

bool IsSeriesTime(const String& text) { return text.contains(FormatSettings().TimeSeparator); }

bool IsIntegerText(const String& text)
{
    std::int64_t v = 0;
    return TryStrToInt64(text.trimmed(), v);
}

} // namespace

void TZvStringGrid::PasteSelectionFromClipboard()
{
    TZvGridClipboard& clip = ClipboardService();
    TNavigation* nav = d->FNavigation.get();
    ImportNotification(TGridImportState::isImportStart, -1);
    clip.FPasteAll = false;
    ExpandSelectionToMerged();
    const TGridRect sel = Selection();
    int cols = 0, rows = 0;
    clip.FTrailingEmptyLine = false;
    const int count = PasteAt(Options().Contains(goRowSelect) ? FixedCols() : sel.Left, sel.Top, cols, rows);
    if (!nav->AllowSmartClipboard()) return;
    // The pasted block, counted without the empty line a final line break leaves: one row "a", "b"
    // is two cells whether or not a line break ends it.
    const int n = count - (clip.FTrailingEmptyLine ? 1 : 0);
    const int m = (sel.Bottom - sel.Top + 1) * (sel.Right - sel.Left + 1);
    if (n == m) return;
    const TPoint origin = ClipboardOrigin();
    const bool oneCol = sel.Left == sel.Right;
    const bool oneRow = sel.Top == sel.Bottom;

    // Offers one value to a cell through the paste events and stores it when they allow.
    auto fillCell = [&](int c, int r, String value) {
        bool allow = true;
        const bool first = c == sel.Left && r == sel.Top;
        if (!first && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, c, r, value, allow);
        if (!allow) return;
        StoreCellText(c, r, value);
        MarkRowsModified(origin, TRect{c, r, c, r}, TClipOperation::coCopy);
        if (!first && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, r, value);
    };
    auto finish = [&] {
        ImportNotification(TGridImportState::isImportDone, -1);
        FireCellsChanged(TRect{sel.Left, sel.Top, sel.Right, sel.Bottom});
    };

    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    PasteBegin();
    if (n == 1 && m > 1) {
        const int rc = RealColIndex(sel.Left);
        String value = GetCellEx(rc, sel.Top);
        bool state = false;
        if (HasCheckBox(rc, sel.Top) && GetCheckBoxState(rc, sel.Top, state)) value = state ? CheckTrue() : CheckFalse();
        for (int c = sel.Left; c <= sel.Right; ++c)
            for (int r = sel.Top; r <= sel.Bottom; ++r)
                if (TZvGridClipboard::MayTouch(*this, c, r)) fillCell(c, r, value);
    }
    PasteEnd();

    if (n > 1 && (oneCol || oneRow) && m > 1) {
        const String t1 = GetCellEx(RealColIndex(sel.Left), sel.Top);
        const String t2 = oneRow ? GetCellEx(RealColIndex(sel.Left + 1), sel.Top)
                                 : GetCellEx(RealColIndex(sel.Left), sel.Top + 1);
        // Visits every selected cell in order; `value` gives the text of the next one or nothing to stop.
        auto series = [&](const std::function<std::optional<String>()>& value, const std::function<bool()>& advance) {
            for (int c = sel.Left; c <= sel.Right; ++c)
                for (int r = sel.Top; r <= sel.Bottom; ++r) {
                    if (IsEditable(RealColIndex(c), r)) {
                        const std::optional<String> v = value();
                        if (!v) return;
                        fillCell(c, r, *v);
                    }
                    if (!advance()) return;
                }
        };
        const TFormatSettings& fs = FormatSettings();
        if ((IsSeriesDate(t1) || IsSeriesTime(t1)) && (IsSeriesDate(t2) || IsSeriesTime(t2))) {
            const bool isDate = t1.contains(fs.DateSeparator);
            TDateTime first = 0, second = 0;
            auto convert = [&](const String& t, TDateTime& v) {
                return isDate ? TryStrToDate(t, v) : TryStrToTime(t, v);
            };
            if (convert(t1, first) && convert(t2, second)) {
                int y1, m1, d1, y2, m2, d2;
                DecodeDate(first, y1, m1, d1);
                DecodeDate(second, y2, m2, d2);
                const int dY = y2 - y1, dM = m2 - m1, dD = d2 - d1;
                const TDateTime delta = second - first;
                TDateTime v = first;
                const bool onlyDays = dD != 0 && dY == 0 && dM == 0;
                const bool onlyYears = dY != 0 && dM == 0 && dD == 0;
                const bool onlyMonths = dM != 0 && dY == 0 && dD == 0;
                series([&]() -> std::optional<String> { return isDate ? DateToStr(v) : TimeToStr(v); },
                       [&] {
                           if (!onlyYears && !onlyMonths) {
                               v += onlyDays ? TDateTime(dD) : delta;
                               return true;
                           }
                           int y, mo, dd;
                           DecodeDate(v, y, mo, dd);
                           if (onlyYears) y += dY;
                           mo += onlyMonths ? dM : 0;
                           while (mo < 1) { mo += 12; --y; }
                           while (mo > 12) { mo -= 12; ++y; }
                           TDateTime next = 0;
                           if (!TryEncodeDate(y, mo, dd, next)) return false;
                           v = next + (v - std::floor(v));
                           return true;
                       });
            }
            finish();
            RecalcAllFooters();
            return;
        }
        if (t1.contains(fs.DecimalSeparator) || t2.contains(fs.DecimalSeparator)) {
            double f1 = 0, f2 = 0;
            if (TryStrToFloat(t1, f1) && TryStrToFloat(t2, f2)) {
                const double delta = f2 - f1;
                double f = f1;
                series([&]() -> std::optional<String> { return Format(FloatFormat(), {f}); },
                       [&] {
                           f += delta;
                           return true;
                       });
            }
            finish();
            RecalcAllFooters();
            return;
        }
        if (IsIntegerText(t1) && IsIntegerText(t2)) {
            std::int64_t i1 = 0, i2 = 0;
            TryStrToInt64(t1.trimmed(), i1);
            TryStrToInt64(t2.trimmed(), i2);
            const std::int64_t delta = i2 - i1;
            std::int64_t i = i1;
            series([&]() -> std::optional<String> { return String::number(i); },
                   [&] {
                       i += delta;
                       return true;
                   });
            finish();
            RecalcAllFooters();
            return;
        }
        const int len = n;
        if (len >= 1) {
            if (oneCol) {
                for (int r = sel.Top + len; r <= sel.Bottom; ++r)
                    if (IsEditable(RealColIndex(sel.Left), r))
                        fillCell(sel.Left, r, GetCellEx(RealColIndex(sel.Left), r - len));
                MarkRowsModified(TPoint{sel.Left, sel.Top}, TRect{sel.Left, sel.Top + len, sel.Right, sel.Bottom},
                                 TClipOperation::coCopy);
            } else {
                for (int c = sel.Left + len; c <= sel.Right; ++c)
                    if (IsEditable(RealColIndex(c), sel.Top))
                        fillCell(c, sel.Top, GetCellEx(RealColIndex(c - len), sel.Top));
                MarkRowsModified(TPoint{sel.Left, sel.Top}, TRect{sel.Left + len, sel.Top, sel.Right, sel.Bottom},
                                 TClipOperation::coCopy);
            }
        }
    }
    if (!oneCol && !oneRow) {
        // The block's shape without the empty line of a final line break.
        if (clip.FTrailingEmptyLine) {
            --rows;
            cols = clip.FLastRowFields;
        }
        int c2 = 0, r2 = 0;
        if (rows == 1) {
            for (int r = sel.Top + 1; r <= sel.Bottom; ++r) {
                SetRow(r);
                PasteAt(sel.Left, r, c2, r2);
            }
            SetSelection(sel);
        }
        if (cols == 1) {
            for (int c = sel.Left + 1; c <= sel.Right; ++c) {
                SetCol(c);
                PasteAt(c, sel.Top, c2, r2);
            }
            SetSelection(sel);
        }
    }
    finish();
    RecalcAllFooters();
}
