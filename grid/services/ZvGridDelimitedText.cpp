// Delimited text: writing (SaveToCSV, AppendToCSV) and the one reader behind LoadFromCSV, InsertFromCSV and
// LoadFromCSVStream, with the delimiter detected from the first two lines when none is set.
//
// Quoting: a field is wrapped in double quotes when it holds a double quote (doubled inside), the delimiter, a
// line break or leading spaces, or always with AlwaysQuotes. A CR LF of an unquoted text is written as the
// character 11 inside the quotes; a quoted text keeps its line breaks (CR LF as LF) and the reader joins the
// physical lines while a quote is open, so the cell comes back whole.
//
// The reader reads the whole text and finds its records and their fields before it changes the grid.

#include "grid/services/ZvGridDelimitedText.h"
#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Files.h"
#include "platform/ScopeGuard.h"

#include <QIODevice>

#include <algorithm>
#include <cmath>
#include <span>

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kVT = QChar(11);
const QChar kCandidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

// ---- Writing -------------------------------------------------------------------------------------------------

struct TCSVWriteRules {
    QChar Delimiter;
    bool AlwaysQuotes, QuoteEmptyCells, JavaCSV;
};

String CSVField(String text, const TCSVWriteRules& rules)
{
    const QChar ch = rules.Delimiter;
    text.replace(kQuote, QStringLiteral("\"\""));
    bool quoted = false;
    const auto wrap = [&] {
        text = kQuote + text + kQuote;
        quoted = true;
    };
    // Leading spaces are dropped by the reader outside quotes, so such a text is quoted to keep them.
    if (rules.AlwaysQuotes || (text.contains(kQuote) && !text.contains(ch)) || text.startsWith(u' ')) wrap();
    if (text.isEmpty()) {
        if (rules.JavaCSV) text = QStringLiteral("^");
        else if (rules.QuoteEmptyCells) text = QStringLiteral("\"\"");
        return text;
    }
    // A bare LF splits the line as a CR does, so it counts as a line break here too.
    if (text.contains(ch) || text.contains(u'\r') || text.contains(u'\n')) {
        if (rules.JavaCSV) {
            text = CRToTilde(text);
            text.remove(u'\n');
            if (!quoted && text.contains(ch)) wrap();   // else the delimiter would split the cell on reading
        } else if (quoted) {
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        } else {
            text.replace(QStringLiteral("\r\n"), String(kVT));
            wrap();
        }
    }
    return text;
}

// ---- Reading -------------------------------------------------------------------------------------------------

// The index of the character that closes a quoted field starting at `from`: the last of the first run of quotes of
// odd length that another character follows, or the last of a run that reaches the end; -1 when there is none.
qsizetype ClosingQuote(QStringView line, qsizetype from)
{
    const qsizetype n = line.size();
    qsizetype i = line.indexOf(kQuote, from);
    while (i >= 0) {
        qsizetype e = i;
        while (e < n && line[e] == kQuote) ++e;
        if (e == n || (e - i) % 2 == 1) return e - 1;
        i = line.indexOf(kQuote, e);
    }
    return -1;
}

qsizetype CountUnpaired(QChar ch, const String& line)
{
    qsizetype count = 0;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n;) {
        if (line[i] != ch) {
            ++i;
            continue;
        }
        qsizetype e = i;
        while (e < n && line[e] == ch) ++e;
        if (e == n || (e - i) % 2 == 1) ++count;
        i = e;
    }
    return count;
}

}   // namespace

// The delimiter of a file whose first two lines are these; QChar(0) when no candidate occurs (lines not split).
QChar DetectCSVDelimiter(const String& first, const String& second)
{
    const auto choose = [&](auto count) {
        QChar chosen;
        qsizetype best = 0;
        for (QChar c : kCandidates) {
            const qsizetype a = count(c, first);
            if (a == count(c, second) && a > best) {
                chosen = c;
                best = a;
            }
        }
        return chosen;
    };
    QChar chosen = choose(CountUnpaired);
    if (chosen.isNull()) chosen = choose([](QChar c, const String& s) { return qsizetype(s.count(c)); });
    if (!chosen.isNull()) return chosen;
    qsizetype best = 0;
    for (QChar c : kCandidates) {
        const qsizetype n = std::max(first.count(c), second.count(c));
        if (n > best) {
            chosen = c;
            best = n;
        }
    }
    return chosen;
}

namespace {

// Follows the quotes of a record line by line: whether a quoted field is still open at the end of a physical line,
// so that the reader joins the next one. It takes fields as the splitter does; at the end of a physical line only
// an odd run of quotes closes a field, since the line break that follows is one more character.
class TQuoteScan {
public:
    explicit TQuoteScan(QChar Delimiter) : FDelimiter(Delimiter) {}

    // The next physical line of the record (the first starts the record); true when a quote is open at its end.
    bool Feed(QStringView line)
    {
        const qsizetype n = line.size();
        qsizetype p = 0;
        for (;;) {
            if (!FInQuote) {
                while (n - p >= 2 && line[p] == u' ') ++p;
                if (p < n && line[p] == kQuote) {
                    FInQuote = true;
                    ++p;
                }
            }
            if (FInQuote) {
                qsizetype i = line.indexOf(kQuote, p);
                for (;;) {
                    if (i < 0) return true;
                    qsizetype e = i;
                    while (e < n && line[e] == kQuote) ++e;
                    if ((e - i) % 2 == 1) {
                        p = e;
                        break;
                    }
                    i = e < n ? line.indexOf(kQuote, e) : -1;
                }
                FInQuote = false;
            }
            const qsizetype d = line.indexOf(FDelimiter, p);
            if (d < 0) return false;
            p = d + 1;
        }
    }

private:
    QChar FDelimiter;
    bool FInQuote = false;
};

}   // namespace

bool CSVQuoteOpen(const String& line, QChar ch) { return TQuoteScan(ch).Feed(line); }

namespace {

// Hands each field of one (joined) line to `field` as the characters between its quotes or delimiters, with
// whether its doubled quotes are still to be undone. The reader counts the fields of every record with it before
// the grid changes and then makes each cell's text once, straight from the file's text.
template <class TFieldSink>
void WalkCSVLine(QStringView line, QChar ch, TFieldSink&& field)
{
    const qsizetype n = line.size();
    qsizetype p = 0;
    // While the rest holds the delimiter, each field ends at one; the rest after the last is the last field.
    while (!ch.isNull() && p < n && line.indexOf(ch, p) >= 0) {
        while (n - p >= 2 && line[p] == u' ') ++p;
        if (line[p] == kQuote) {
            const qsizetype close = ClosingQuote(line, p + 1);
            if (close < 0) {
                // No closing quote: the rest of the line is the field, rather than losing it.
                field(line.sliced(p + 1), true);
                return;
            }
            field(line.sliced(p + 1, close - p - 1), true);
            // Stray text after the closing quote is dropped up to the next delimiter.
            const qsizetype next = line.indexOf(ch, close + 1);
            p = next < 0 ? n : next + 1;
        } else {
            const qsizetype d = line.indexOf(ch, p);
            if (d < 0) break;   // a space delimiter went with the leading spaces
            field(line.sliced(p, d - p), false);
            p = d + 1;
        }
    }
    if (p < n) {
        QStringView rest = line.sliced(p);
        qsizetype s = 0;
        while (rest.size() - s >= 2 && rest[s] == u' ') ++s;
        rest = rest.sliced(s);
        if (rest.startsWith(kQuote)) {
            rest = rest.sliced(1);
            if (rest.endsWith(kQuote)) rest.chop(1);
        }
        field(rest, true);
    }
}

// A field's cell text.
String CSVFieldText(QStringView raw, bool undouble, bool JavaCSV)
{
    String text = raw.toString();
    if (undouble) text = UndoubleChar(kQuote, text);
    return JavaCSV ? TildeToCRLF(text) : VTToCRLF(text);
}

int CountCSVFields(QStringView line, QChar ch)
{
    int count = 0;
    WalkCSVLine(line, ch, [&](QStringView, bool) { ++count; });
    return count;
}

}   // namespace

// The fields of one (joined) line.
std::vector<String> SplitCSVLine(const String& line, QChar ch, bool JavaCSV)
{
    std::vector<String> fields;
    WalkCSVLine(line, ch, [&](QStringView raw, bool undouble) { fields.push_back(CSVFieldText(raw, undouble, JavaCSV)); });
    return fields;
}

namespace {

// The records of a text: physical lines joined while a quote is open. When a quote stays open to the end of the
// text, that line stands alone, and so do all after it (each would stay open to the end as well). The records are
// views into the text: a copy of each would double the memory of a large file and its allocations.
std::vector<QStringView> CSVRecords(const String& text, QChar ch, bool& empty)
{
    struct TPhysical {
        qsizetype Start, End, Next;   // the line's characters, and where the line after its break starts
    };
    std::vector<TPhysical> lines;
    const qsizetype n = text.size();
    const QChar* c = text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (c[i] != u'\r' && c[i] != u'\n') continue;
        qsizetype next = i + 1;
        if (c[i] == u'\r' && next < n && c[next] == u'\n') ++next;
        lines.push_back({start, i, next});
        start = next;
        i = next - 1;
    }
    if (start < n) lines.push_back({start, n, n});
    empty = lines.empty();

    std::vector<QStringView> records;
    records.reserve(lines.size());
    const QStringView all(text);
    const auto line = [&](std::size_t k) { return all.sliced(lines[k].Start, lines[k].End - lines[k].Start); };
    bool joining = true;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (joining) {
            TQuoteScan scan(ch);
            std::size_t j = k;
            bool open = scan.Feed(line(k));
            while (open && j + 1 < lines.size()) open = scan.Feed(line(++j));
            if (!open) {
                records.push_back(all.sliced(lines[k].Start, lines[j].End - lines[k].Start));
                k = j;
                continue;
            }
            // Open to the end of the text: this line stands alone, and so does every later one.
            joining = false;
        }
        records.push_back(line(k));
    }
    return records;
}

}   // namespace

// ---- The grid's members --------------------------------------------------------------------------------------

namespace {

// The text of the delimited file of the grid's save range.
String CSVText(TZvStringGrid& grid, TZvGridTextFormats& service, QChar ch, bool hidden, bool alwaysQuotes,
               bool quoteEmpty, bool java)
{
    const TCSVWriteRules rules{ch, alwaysQuotes, quoteEmpty, java};
    const int nh = hidden ? grid.NumHiddenColumns() : 0;
    String text;
    service.StartProgress();
    grid.ExportNotification(TGridExportState::esExportStart, grid.SaveStartRow());
    for (int r = grid.SaveStartRow(); r <= grid.SaveEndRow(); ++r) {
        grid.ExportNotification(TGridExportState::esExportNewRow, r);
        for (int c = grid.SaveStartCol(); c <= grid.SaveEndCol() + nh; ++c) {
            if (c > grid.SaveStartCol()) text += ch;
            text += CSVField(grid.CellTextToSave(hidden ? c : grid.RealColIndex(c), r), rules);
        }
        text += QStringLiteral("\r\n");
        service.ReportProgress(r * 100.0 / std::max(1, grid.RowCount() - 1));
    }
    grid.ExportNotification(TGridExportState::esExportDone, -1);
    return text;
}

}   // namespace

void TZvStringGrid::SaveToCSV(const String& FileName, bool Unicode)
{
    TZvGridTextFormats& s = TextFormatsService();
    const QChar ch = s.FDelimiter.isNull() ? QChar(u',') : s.FDelimiter;
    const String text = CSVText(*this, s, ch, SaveHiddenCells(), s.FAlwaysQuotes, s.FQuoteEmptyCells, s.FJavaCSV);
    SaveFileOrRaise(FileName, EncodeTextFile(text, Unicode           ? TTextFileEncoding::Utf8Bom
                                                   : s.FOemConvert ? TTextFileEncoding::Oem850
                                                                   : TTextFileEncoding::Windows1252));
}

// The file's lines come first as they were; a file read with a byte-order mark is written back in Unicode, so
// that none of its characters is lost to the 8-bit page.
void TZvStringGrid::AppendToCSV(const String& FileName, bool Unicode)
{
    TZvGridTextFormats& s = TextFormatsService();
    const QByteArray old = ReadFileOrRaise(FileName);
    const bool wasUnicode = HasByteOrderMark(old);
    const std::vector<String> lines = SplitTextLines(DecodeTextFile(old, s.FOemConvert));
    const QChar ch = s.FDelimiter.isNull() ? QChar(u',') : s.FDelimiter;
    const String text = JoinTextLines(lines) +
                        CSVText(*this, s, ch, SaveHiddenCells(), s.FAlwaysQuotes, s.FQuoteEmptyCells, s.FJavaCSV);
    SaveFileOrRaise(FileName, EncodeTextFile(text, Unicode || wasUnicode ? TTextFileEncoding::Utf8Bom
                                                   : s.FOemConvert       ? TTextFileEncoding::Oem850
                                                                         : TTextFileEncoding::Windows1252));
}

namespace {

enum class TCSVTarget { Load, Insert };

void ReadCSV(TZvStringGrid& grid, TZvGridTextFormats& service, const QByteArray& bytes, int MaxRows,
             TCSVTarget target, QChar delimiter, bool oem, bool firstRow, bool java, TZvStringGridPrivate& d);

}   // namespace

void TZvStringGrid::LoadFromCSV(const String& FileName, int MaxRows)
{
    const QByteArray bytes = ReadFileOrRaise(FileName);
    if (bytes.isEmpty()) return;
    TZvGridTextFormats& s = TextFormatsService();
    ReadCSV(*this, s, bytes, MaxRows, TCSVTarget::Load, s.FDelimiter, s.FOemConvert, s.FLoadFirstRow, s.FJavaCSV, *d);
}

void TZvStringGrid::InsertFromCSV(const String& FileName, int MaxRows)
{
    const QByteArray bytes = ReadFileOrRaise(FileName);
    if (bytes.isEmpty()) return;
    TZvGridTextFormats& s = TextFormatsService();
    ReadCSV(*this, s, bytes, MaxRows, TCSVTarget::Insert, s.FDelimiter, s.FOemConvert, s.FLoadFirstRow, s.FJavaCSV,
            *d);
}

void TZvStringGrid::LoadFromCSVStream(QIODevice* AStream, int MaxRows)
{
    TZvGridTextFormats& s = TextFormatsService();
    ReadCSV(*this, s, AStream->readAll(), MaxRows, TCSVTarget::Load, s.FDelimiter, s.FOemConvert, s.FLoadFirstRow,
            s.FJavaCSV, *d);
}

namespace {

void ReadCSV(TZvStringGrid& grid, TZvGridTextFormats& service, const QByteArray& bytes, int MaxRows,
             TCSVTarget target, QChar delimiter, bool oem, bool firstRow, bool java, TZvStringGridPrivate& d)
{
    const TZvGridTextFormats::TLoadGuard guard(service);
    const String text = DecodeTextFile(bytes, oem);

    // Everything is read and split into records before the grid changes.
    QChar ch = delimiter;
    if (ch.isNull()) {
        const std::vector<String> firstTwo = SplitTextLines(text.left(text.indexOf(u'\n', text.indexOf(u'\n') + 1)));
        ch = DetectCSVDelimiter(firstTwo.empty() ? String() : firstTwo[0], firstTwo.size() < 2 ? String() : firstTwo[1]);
    }
    bool empty = false;
    const std::vector<QStringView> records = CSVRecords(text, ch, empty);
    if (empty) throw Exception(QStringLiteral("File is empty"));
    const std::size_t from = firstRow ? 0 : 1;
    std::size_t count = records.size() > from ? records.size() - from : 0;
    if (MaxRows > 0) count = std::min<std::size_t>(count, std::size_t(MaxRows));
    const std::span<const QStringView> rows(records.data() + from, count);
    // The fields are counted here and made only as they go into the cells: a table of every field first would
    // hold each text twice over and cost one more allocation per row.
    int widest = 0;
    for (QStringView record : rows) widest = std::max(widest, CountCSVFields(record, ch));

    const int nh = grid.SaveHiddenCells() ? grid.NumHiddenColumns() : 0;
    const bool footerRow = grid.FloatingFooter()->HidesLastRow();
    int r = target == TCSVTarget::Load ? grid.SaveStartRow() : grid.RowCount();
    std::vector<String> kept;
    if (target == TCSVTarget::Insert && footerRow && grid.RowCount() > 0) {
        r = grid.RowCount() - 1;
        for (int c = 0; c < grid.ColCount(); ++c) kept.push_back(grid.GetGridCell(c, r));
        grid.ClearRowObjects(r);
    }

    grid.BeginUpdate();
    const TScopeExit endUpdate([&] { grid.EndUpdate(); });
    grid.ImportNotification(TGridImportState::isImportStart, -1);
    const int firstCol = grid.SaveStartCol();
    if (widest > 0 && firstCol + widest > grid.ColCount() + nh) grid.SetColCount(firstCol + widest - nh);
    if (r + int(rows.size()) + grid.FixedFooters() > grid.RowCount())
        grid.SetRowCount(r + int(rows.size()) + grid.FixedFooters());
    service.StartProgress();
    for (std::size_t k = 0; k < rows.size(); ++k, ++r) {
        grid.ImportNotification(TGridImportState::isImportNewRow, r);
        int c = firstCol;
        WalkCSVLine(rows[k], ch, [&](QStringView raw, bool undouble) {
            grid.StoreLoadedCell(c++, r, CSVFieldText(raw, undouble, java));
        });
        service.ReportProgress((k + 1) * 100.0 / double(rows.size()));
    }
    if (rows.empty()) service.ReportProgress(100);
    grid.SetRowCount(r + grid.FixedFooters());
    d.FMaxRowCount = grid.RowCount();
    if (footerRow) {
        const int last = grid.RowCount() - 1;
        for (int c = 0; c < grid.ColCount(); ++c)
            grid.SetGridCell(c, last, c < int(kept.size()) ? kept[std::size_t(c)] : String());
    }
    grid.ImportNotification(TGridImportState::isImportDone, -1);
    grid.FireCellsChanged(TRect{0, 0, grid.ColCount(), grid.RowCount()});
    grid.RecalcAllFooters();
}

}   // namespace
