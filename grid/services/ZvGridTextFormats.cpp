// Delimited, fixed-width and grid text files and streams: the service's state and the grid's members that front it.

#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/SysUtils.h"

#include <QIODevice>

TZvGridTextFormats& TZvStringGrid::TextFormatsService() const { return MadeOnFirstUse(d->FTextFormatsService, this); }

bool TZvStringGrid::OemConvert() const { return TextFormatsService().FOemConvert; }
void TZvStringGrid::SetOemConvert(bool Value) { TextFormatsService().FOemConvert = Value; }
QChar TZvStringGrid::Delimiter() const { return TextFormatsService().FDelimiter; }
void TZvStringGrid::SetDelimiter(QChar Value) { TextFormatsService().FDelimiter = Value; }
bool TZvStringGrid::QuoteEmptyCells() const { return TextFormatsService().FQuoteEmptyCells; }
void TZvStringGrid::SetQuoteEmptyCells(bool Value) { TextFormatsService().FQuoteEmptyCells = Value; }
bool TZvStringGrid::AlwaysQuotes() const { return TextFormatsService().FAlwaysQuotes; }
void TZvStringGrid::SetAlwaysQuotes(bool Value) { TextFormatsService().FAlwaysQuotes = Value; }
bool TZvStringGrid::JavaCSV() const { return TextFormatsService().FJavaCSV; }
void TZvStringGrid::SetJavaCSV(bool Value) { TextFormatsService().FJavaCSV = Value; }
bool TZvStringGrid::LoadFirstRow() const { return TextFormatsService().FLoadFirstRow; }
void TZvStringGrid::SetLoadFirstRow(bool Value) { TextFormatsService().FLoadFirstRow = Value; }

// ---- The grid text stream ------------------------------------------------------------------------------------
// The counts of the saved columns and rows, every column's width ("cw " index "," width), then one line per
// non-empty saved cell: column and row counted from the first saved ones, and the text with its line breaks
// encoded. Each line is UTF-16 little-endian code units ended by CR LF, without a byte-order mark, so that other
// data may follow the grid's lines on the same stream.

namespace {
void WriteLine(QIODevice& Out, const String& Line)
{
    const String text = Line + QStringLiteral("\r\n");
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    Out.write(bytes);
}

// The code units up to the next CR; the unit after the CR is skipped. False at the end of the stream.
bool ReadLine(QIODevice& In, String& Line)
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
}   // namespace

void TZvStringGrid::SaveToStream(QIODevice* Stream)
{
    const int firstCol = SaveStartCol();
    const int firstRow = SaveStartRow();
    WriteLine(*Stream, IntToStr(SaveColCount()) + u',' + IntToStr(SaveRowCount()));
    for (int c = 0; c < ColCount(); ++c) WriteLine(*Stream, QStringLiteral("cw %1,%2").arg(c).arg(ColWidths(c)));
    ExportNotification(TGridExportState::esExportStart, firstRow);
    for (int r = firstRow; r <= SaveEndRow(); ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        for (int c = firstCol; c <= SaveEndCol(); ++c) {
            const String text = CellTextToSave(c, r);
            if (text.isEmpty()) continue;
            WriteLine(*Stream, QStringLiteral("%1,%2,").arg(c - firstCol).arg(r - firstRow) + EncodeLineBreaks(text));
        }
    }
    ExportNotification(TGridExportState::esExportDone, -1);
}

// Numbers are read strictly: a grid line with a non-number where a number is due raises the conversion error.
void TZvStringGrid::LoadFromStream(QIODevice* Stream)
{
    const int firstCol = SaveStartCol();
    const int firstRow = SaveStartRow();
    String line;
    if (ReadLine(*Stream, line) && !line.isEmpty()) {
        const qsizetype comma = line.indexOf(u',');
        SetColCount(StrToInt(line.left(comma)) + firstCol);
        SetRowCount(StrToInt(line.mid(comma + 1)) + firstRow);
    }
    for (;;) {
        const qint64 at = Stream->pos();
        if (!ReadLine(*Stream, line)) break;
        if (line.startsWith(QStringLiteral("cw"))) {
            const qsizetype comma = line.indexOf(u',');
            SetColWidths(StrToInt(line.mid(3, comma - 3)), StrToInt(line.mid(comma + 1)));
            continue;
        }
        // Any other line of the grid's starts with its column and row; the first that does not ends the grid's part.
        const qsizetype colEnd = line.indexOf(u',');
        const qsizetype rowEnd = colEnd < 0 ? -1 : line.indexOf(u',', colEnd + 1);
        if (rowEnd < 0 || !line.front().isDigit()) {
            Stream->seek(at);
            break;
        }
        const int col = StrToInt(line.left(colEnd));
        const int row = StrToInt(line.mid(colEnd + 1, rowEnd - colEnd - 1));
        StoreLoadedCell(col + firstCol, row + firstRow, DecodeLineBreaks(line.mid(rowEnd + 1), Multilinecells()));
    }
    FireCellsChanged(TRect(0, 0, ColCount(), RowCount()));
    RecalcAllFooters();
}
