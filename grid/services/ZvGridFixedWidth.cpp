// Fixed-width text: each saved column in a field of its own width, the fields side by side without separator,
// one line per saved row, in the 8-bit page with CR LF line ends. Reading cuts each line at the caller's
// positions (1-based, the last entry the end of the last field).

#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "platform/Files.h"

#include <algorithm>

void TZvStringGrid::SaveToFixed(const String& FileName, TIntList* positions)
{
    TZvGridTextFormats& service = TextFormatsService();
    const bool hidden = SaveHiddenCells();
    const int nh = hidden ? NumHiddenColumns() : 0;
    const int firstCol = SaveStartCol();
    const int lastCol = SaveEndCol() + nh;
    // Hidden columns' cells lie past ColCount and are read there directly, without widening the grid.
    const auto source = [&](int c) { return hidden ? c : RealColIndex(c); };
    for (int c = firstCol + positions->Count(); c <= lastCol; ++c)
        positions->Add(service.MaxColumnTextLength(source(c)) + 1);

    std::vector<String> lines;
    service.StartProgress();
    ExportNotification(TGridExportState::esExportStart, SaveStartRow());
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        String line;
        for (int c = firstCol; c <= lastCol; ++c) {
            const int width = std::max(0, positions->Items(c - firstCol));
            // A line break would end the line inside the row: it takes one character's place as a space.
            String text = CellTextToSave(source(c), r);
            text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            text.replace(u'\r', u' ');
            text.replace(u'\n', u' ');
            line += text.left(width).leftJustified(width, u' ');
        }
        lines.push_back(std::move(line));
        service.ReportProgress((r - SaveStartRow()) * 100.0 / std::max(1, SaveRowCount() - 1));
    }
    ExportNotification(TGridExportState::esExportDone, -1);
    try {
        SaveFileOrRaise(FileName, EncodeTextFile(JoinTextLines(lines), TTextFileEncoding::Windows1252));
    } catch (const EFCreateError&) {
        throw EZvGridError(QStringLiteral("Cannot Create file ") + FileName);
    }
}

void TZvStringGrid::LoadFromFixed(const String& FileName, TIntList* positions, bool DoTrim, int MaxRows)
{
    TZvGridTextFormats& service = TextFormatsService();
    const TZvGridTextFormats::TLoadGuard guard(service);
    // Fewer than two positions give no field at all, and would set ColCount below FixedCols.
    if (positions->Count() < 2)
        throw EZvGridError(QStringLiteral("Fixed-width fields need at least two positions"));
    QByteArray bytes;
    try {
        bytes = ReadFileOrRaise(FileName);
    } catch (const EFOpenError&) {
        throw EZvGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    }
    const std::vector<String> lines = SplitTextLines(DecodeTextFile(bytes, false));
    positions->Sort();
    if (positions->First() < 1) throw EZvGridError(QStringLiteral("Fixed-width positions start at 1"));

    // MaxRows -1 reads every line; any other value that many, and at least one.
    std::size_t count = lines.size();
    if (MaxRows != -1) count = std::min(count, std::size_t(std::max(MaxRows, 1)));
    const int fields = positions->Count() - 1;
    ImportNotification(TGridImportState::isImportStart, -1);
    SetColCount(FixedCols() + fields);
    int r = SaveStartRow();
    service.StartProgress();
    for (std::size_t k = 0; k < count; ++k, ++r) {
        if (r >= RowCount()) SetRowCount(r + 1);
        ImportNotification(TGridImportState::isImportNewRow, r);
        for (int f = 0; f < fields; ++f) {
            const int from = positions->Items(f) - 1;
            String field = lines[k].mid(from, positions->Items(f + 1) - 1 - from);
            if (DoTrim) field = Trim(field);
            StoreLoadedCell(SaveStartCol() + f, r, field);
        }
        service.ReportProgress((k + 1) * 100.0 / double(count));
    }
    ImportNotification(TGridImportState::isImportDone, -1);
    FireCellsChanged(TRect{0, 0, ColCount(), RowCount()});
    RecalcAllFooters();
}
