// The grid text file and the grid text stream: the counts of the saved columns and rows, the column widths
// ("cw " index "," width), then one line per non-empty saved cell (column "," row "," text), the text's line
// breaks encoded so that each cell stays on its line. The file counts cells in the grid's own indexes and is
// read with a byte-order mark choosing its encoding; the stream counts them from the first saved cell and is
// UTF-16 little-endian code units, each line ended by CR LF, without a byte-order mark, so that other data may
// follow the grid's lines on the same stream.
//
// Both readers read everything before they change the grid: a file or stream that cannot be read leaves the grid
// as it was.

#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Files.h"
#include "platform/ScopeGuard.h"
#include "platform/SysUtils.h"

#include <QCoreApplication>
#include <QIODevice>

#include <limits>

namespace {

// Counts beyond these are not a grid this program made: refused rather than allocated.
constexpr int MaxFileCols = 65536;
constexpr int MaxFileRows = 16 * 1024 * 1024;
constexpr int MaxFileColWidth = 65535;

// A text's line breaks (CR or LF) encoded so it fits one line; the shared routine encodes only texts that hold a
// CR, which would leave a bare LF to split the line on reading.
String EncodeCellLine(const String& text)
{
    if (text.contains(u'\r') || !text.contains(u'\n')) return EncodeLineBreaks(text);
    return EncodeLineBreaks(text + u'\r').chopped(1);
}

// The leading digits of a text as a number (0 when it starts with none), saturating instead of overflowing.
qint64 LeadingNumber(const String& text, qsizetype from = 0, qsizetype* end = nullptr)
{
    qint64 value = 0;
    qsizetype i = from;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), std::numeric_limits<int>::max());
    if (end) *end = i;
    return value;
}

// A cell line "col,row,text": false for a line that does not start with a column and a row.
bool ParseCellLine(const String& line, int& col, int& row, String& text)
{
    qsizetype at = 0;
    col = int(LeadingNumber(line, 0, &at));
    if (at == 0 || at >= line.size() || line[at] != u',') return false;
    const qsizetype rowStart = at + 1;
    row = int(LeadingNumber(line, rowStart, &at));
    if (at == rowStart || at >= line.size() || line[at] != u',') return false;
    text = line.mid(at + 1);
    return true;
}

void WriteUtf16Line(QByteArray& out, const String& line)
{
    const qsizetype at = out.size();
    out.resize(at + (line.size() + 2) * 2);
    char* p = out.data() + at;
    const auto put = [&p](char16_t unit) {
        *p++ = char(unit & 0xFF);
        *p++ = char(unit >> 8);
    };
    for (QChar c : line) put(c.unicode());
    put(u'\r');
    put(u'\n');
}

// The code units up to the next CR; the unit after the CR is skipped. False at the end of the stream.
bool ReadUtf16Line(QIODevice& In, String& Line)
{
    Line.clear();
    char pair[2];
    bool read = false;
    while (In.read(pair, 2) == 2) {
        read = true;
        const char16_t unit = char16_t(uchar(pair[0]) | (uchar(pair[1]) << 8));
        if (unit == u'\r') {
            In.read(pair, 2);
            return true;
        }
        Line += QChar(unit);
    }
    return read;
}

struct TLoadedCell {
    int Col, Row;
    String Text;
};

}   // namespace

// ---- The grid text file --------------------------------------------------------------------------------------

void TZvStringGrid::SaveToFile(const String& FileName, bool Unicode)
{
    TZvGridTextFormats& service = TextFormatsService();
    const int nh = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int firstRow = SaveStartRow();
    const int lastRow = SaveEndRow();
    std::vector<String> lines;
    lines.push_back(IntToStr(SaveColCount() + nh) + u',' + IntToStr(SaveRowCount()));
    for (int i = SaveStartCol(); i <= SaveEndCol() + nh; ++i)
        lines.push_back(QStringLiteral("cw %1,%2").arg(i).arg(ColWidths(i)));
    service.StartProgress();
    ExportNotification(TGridExportState::esExportStart, firstRow);
    for (int r = firstRow; r <= lastRow; ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        for (int c = SaveStartCol(); c <= SaveEndCol() + nh; ++c) {
            const String text = CellTextToSave(c, r);
            if (!text.isEmpty()) lines.push_back(QStringLiteral("%1,%2,").arg(c).arg(r) + EncodeCellLine(text));
        }
        service.ReportProgress(r * 100.0 / std::max(1, SaveRowCount() - 1));
    }
    ExportNotification(TGridExportState::esExportDone, -1);
    SaveFileOrRaise(FileName, EncodeTextFile(JoinTextLines(lines), Unicode ? TTextFileEncoding::Utf16LEBom
                                                                              : TTextFileEncoding::Windows1252));
}

void TZvStringGrid::LoadFromFile(const String& FileName)
{
    TZvGridTextFormats& service = TextFormatsService();
    const TZvGridTextFormats::TLoadGuard guard(service);
    const std::vector<String> lines = SplitTextLines(DecodeTextFile(ReadFileOrRaise(FileName), false));
    const int a = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    const int b = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();

    // Everything is read and checked before the grid changes.
    int cols = ColCount();
    int rows = RowCount();
    if (!lines.empty() && !lines.front().isEmpty()) {
        const String& counts = lines.front();
        const qsizetype comma = counts.indexOf(u',');
        const qint64 c = LeadingNumber(counts);
        const qint64 r = comma < 0 ? 0 : LeadingNumber(counts, comma + 1);
        if (c > MaxFileCols || r > MaxFileRows)
            throw EZvGridError(QStringLiteral("File contains no data or corrupt file ") + FileName);
        cols = a + int(c);
        rows = b + int(r);
    }
    if (cols == 0 || rows == 0) throw EZvGridError(QStringLiteral("File contains no data or corrupt file ") + FileName);

    std::vector<std::pair<int, int>> widths;
    std::vector<TLoadedCell> cells;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const String& line = lines[k];
        if (line.startsWith(QStringLiteral("cw"))) {
            const qsizetype comma = line.indexOf(u',');
            if (comma < 0) continue;
            const qint64 i = LeadingNumber(line.mid(3, comma - 3).trimmed());
            const qint64 w = LeadingNumber(line.mid(comma + 1, 255));
            if (i < cols && w <= MaxFileColWidth) widths.emplace_back(int(i), int(w));
            continue;
        }
        TLoadedCell cell;
        if (!ParseCellLine(line, cell.Col, cell.Row, cell.Text)) continue;
        if (cell.Col >= cols || cell.Row >= rows) continue;
        cell.Text = DecodeLineBreaks(cell.Text, Multilinecells());
        cells.push_back(std::move(cell));
    }

    ImportNotification(TGridImportState::isImportStart, -1);
    SetColCount(cols);
    SetRowCount(rows);
    for (const auto& [i, w] : widths) SetColWidths(i, w);
    service.StartProgress();
    int lastRow = -1;
    for (const TLoadedCell& cell : cells) {
        if (cell.Row != lastRow) {
            ImportNotification(TGridImportState::isImportNewRow, cell.Row);
            lastRow = cell.Row;
        }
        StoreLoadedCell(cell.Col, cell.Row, cell.Text);
        if (service.WantsProgress()) {
            const int before = service.FLastProgress;
            service.ReportProgress(cell.Row * 100.0 / std::max(1, RowCount() - 1));
            // A long load keeps the window painting, but takes no input: nothing the user does can start another
            // load of this grid or free it while this one runs.
            if (service.FLastProgress != before)
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    ImportNotification(TGridImportState::isImportDone, -1);
    FireCellsChanged(TRect{0, 0, ColCount(), RowCount()});
    RecalcAllFooters();
}

// ---- The grid text stream ------------------------------------------------------------------------------------

void TZvStringGrid::SaveToStream(QIODevice* Stream)
{
    const int firstCol = SaveStartCol();
    const int firstRow = SaveStartRow();
    QByteArray out;
    WriteUtf16Line(out, IntToStr(SaveColCount()) + u',' + IntToStr(SaveRowCount()));
    for (int c = 0; c < ColCount(); ++c) WriteUtf16Line(out, QStringLiteral("cw %1,%2").arg(c).arg(ColWidths(c)));
    ExportNotification(TGridExportState::esExportStart, firstRow);
    for (int r = firstRow; r <= SaveEndRow(); ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        for (int c = firstCol; c <= SaveEndCol(); ++c) {
            const String text = CellTextToSave(c, r);
            if (text.isEmpty()) continue;
            WriteUtf16Line(out, QStringLiteral("%1,%2,").arg(c - firstCol).arg(r - firstRow) + EncodeCellLine(text));
        }
    }
    ExportNotification(TGridExportState::esExportDone, -1);
    Stream->write(out);
}

// Numbers are read strictly: a grid line with a non-number where a number is due raises the conversion error,
// before anything of the grid has changed.
void TZvStringGrid::LoadFromStream(QIODevice* Stream)
{
    const TZvGridTextFormats::TLoadGuard guard(TextFormatsService());
    const int firstCol = SaveStartCol();
    const int firstRow = SaveStartRow();
    const auto count = [](const String& text, int limit) {
        const int n = StrToInt(text);
        if (n < 0 || n > limit) throw EConvertError(QStringLiteral("'%1' is not a valid count").arg(text));
        return n;
    };
    int cols = -1;
    int rows = -1;
    String line;
    if (ReadUtf16Line(*Stream, line) && !line.isEmpty()) {
        const qsizetype comma = line.indexOf(u',');
        cols = count(line.left(comma), MaxFileCols) + firstCol;
        rows = count(line.mid(comma + 1), MaxFileRows) + firstRow;
    }
    std::vector<std::pair<int, int>> widths;
    std::vector<TLoadedCell> cells;
    for (;;) {
        const qint64 at = Stream->pos();
        if (!ReadUtf16Line(*Stream, line)) break;
        if (line.startsWith(QStringLiteral("cw"))) {
            const qsizetype comma = line.indexOf(u',');
            const int i = StrToInt(line.mid(3, comma - 3));
            const int w = StrToInt(line.mid(comma + 1));
            widths.emplace_back(i, w);
            continue;
        }
        // Any other line of the grid's starts with its column and row; the first that does not ends the grid's part.
        const qsizetype colEnd = line.indexOf(u',');
        const qsizetype rowEnd = colEnd < 0 ? -1 : line.indexOf(u',', colEnd + 1);
        if (rowEnd < 0 || !line.front().isDigit()) {
            Stream->seek(at);
            break;
        }
        TLoadedCell cell;
        cell.Col = StrToInt(line.left(colEnd)) + firstCol;
        cell.Row = StrToInt(line.mid(colEnd + 1, rowEnd - colEnd - 1)) + firstRow;
        cell.Text = DecodeLineBreaks(line.mid(rowEnd + 1), Multilinecells());
        cells.push_back(std::move(cell));
    }

    if (cols >= 0) {
        SetColCount(cols);
        SetRowCount(rows);
    }
    // Widths and cells outside the grid are skipped, as the file's reader skips them.
    for (const auto& [i, w] : widths)
        if (i >= 0 && i < ColCount() && w >= 0 && w <= MaxFileColWidth) SetColWidths(i, w);
    for (const TLoadedCell& cell : cells)
        if (cell.Col >= 0 && cell.Col < ColCount() + NumHiddenColumns() && cell.Row >= 0 && cell.Row < RowCount())
            StoreLoadedCell(cell.Col, cell.Row, cell.Text);
    FireCellsChanged(TRect{0, 0, ColCount(), RowCount()});
    RecalcAllFooters();
}
