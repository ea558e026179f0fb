// The text table: a table for people to read, each column padded to its widest text plus one space, cells
// aligned as the grid shows them, the further lines of a multi-line cell on continuation lines under their
// column. And CellToReal, a cell's text as a number.

#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"

#include <numeric>

namespace {

// The cell's text in a field of the column's width: right-aligned text padded in front, centred text padded
// on both sides a space at a time (so it may end one longer), left-aligned text as it is.
String AlignedText(String text, int width, TAlignment align)
{
    if (align == TAlignment::taRightJustify) {
        if (text.size() < width) text = String(width - text.size(), u' ') + text;
    } else if (align == TAlignment::taCenter) {
        while (text.size() < width) text = u' ' + text + u' ';
    }
    return text;
}

void WriteTextTable(TZvStringGrid& grid, TZvGridTextFormats& service, const String& FileName, bool Unicode,
                    bool Append)
{
    const TCursor cursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
    const TScopeExit restore([&] { Screen->SetCursor(cursor); });

    std::vector<String> lines;
    bool wasUnicode = false;
    if (Append && FileExists(FileName)) {
        const QByteArray old = ReadFileOrRaise(FileName);
        wasUnicode = HasByteOrderMark(old);
        lines = SplitTextLines(DecodeTextFile(old, false));
    }
    const bool hidden = grid.SaveHiddenCells();
    const bool fixedRows = grid.SaveFixedCells() || grid.SaveFixedRows();
    const bool fixedCols = grid.SaveFixedCells() || grid.SaveFixedCols();
    const int firstRow = fixedRows ? 0 : grid.FixedRows();
    const int firstCol = fixedCols ? 0 : grid.FixedCols();
    const int lastCol = grid.ColCount() - 1 + (hidden ? grid.NumHiddenColumns() : 0);
    const auto source = [&](int c) { return hidden ? c : grid.RealColIndex(c); };
    const bool multi = grid.Multilinecells();

    std::vector<int> widths;
    for (int c = firstCol; c <= lastCol; ++c) widths.push_back(service.MaxColumnTextLength(source(c)));

    grid.ExportNotification(TGridExportState::esExportStart, firstRow);
    for (int r = firstRow; r < grid.RowCount(); ++r) {
        grid.ExportNotification(TGridExportState::esExportNewRow, r);
        String line;
        std::vector<String> more;   // continuation lines of this row
        int columnStart = 0;
        for (int c = firstCol; c <= lastCol; ++c) {
            const int width = widths[std::size_t(c - firstCol)];
            String text = grid.CellTextToSave(source(c), r);
            TAlignment ha = TAlignment::taLeftJustify;
            TVAlignment va = TVAlignment::vtaTop;
            grid.CellAlignment(source(c), r, ha, va);
            const String first = FirstLineOf(text, multi);
            for (std::size_t k = 0; multi && !text.isEmpty(); ++k) {
                const String next = FirstLineOf(text, true);
                if (more.size() <= k) more.emplace_back();
                if (more[k].size() < columnStart) more[k] += String(columnStart - more[k].size(), u' ');
                more[k] += AlignedText(next, width, ha);
            }
            const String aligned = AlignedText(first, width, ha);
            line += aligned;
            if (aligned.size() <= width) line += String(width - aligned.size() + 1, u' ');
            columnStart += width + 1;
        }
        lines.push_back(std::move(line));
        for (String& m : more) lines.push_back(std::move(m));
    }
    grid.ExportNotification(TGridExportState::esExportDone, -1);
    SaveFileOrRaise(FileName, EncodeTextFile(JoinTextLines(lines), Unicode || wasUnicode
                                                                       ? TTextFileEncoding::Utf16LEBom
                                                                       : TTextFileEncoding::Windows1252));
}

}   // namespace

void TZvStringGrid::SaveToASCII(const String& FileName, bool Unicode)
{
    WriteTextTable(*this, TextFormatsService(), FileName, Unicode, false);
}

void TZvStringGrid::AppendToASCII(const String& FileName, bool Unicode)
{
    WriteTextTable(*this, TextFormatsService(), FileName, Unicode, true);
}

// ---- CellToReal ----------------------------------------------------------------------------------------------

namespace {

// A decimal number with "." as its point, read as the class library's Val reads it: 0 when the whole text is a
// number, else the 1-based position of the first character that does not fit.
int ValPosition(const String& text, double& value)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ') ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i;
        return i > from;
    };
    bool any = digits();
    if (i < n && text[i] == u'.') {
        ++i;
        any = digits() || any;
    }
    if (!any) return int(i + 1);
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
        if (!digits()) return int(i + 1);
    }
    if (i < n) return int(i + 1);
    value = text.mid(start).toDouble();
    return 0;
}

}   // namespace

double TZvStringGrid::CellToReal(int ACol, int ARow)
{
    const String text = GetCellEx(ACol, ARow);
    if (text.isEmpty()) return 0;
    double value = 0;
    const int position = ValPosition(CleanNumericText(text), value);
    if (position != 0)
        throw EZvGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(position).arg(ACol).arg(ARow));
    return value;
}
