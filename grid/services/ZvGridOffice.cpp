// Spreadsheet, document and database exchange of the grid. Where the grid
// once drove the office applications, it now reads and writes their files:
// there is no running application to attach to, so every writer behaves as
// when none runs (a new workbook or document, saved under the name given).

#include "grid/services/ZvGridOffice.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvOfficeFiles.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/ScopeGuard.h"

#include <QFile>
#include <QFileInfo>

#include <mdbsql.h>

TZvGridOffice& TZvStringGrid::OfficeService() const { return MadeOnFirstUse(d->FOfficeService, this); }

TStringList* TZvStringGrid::GetXLSSheets(const String& FileName) { return OfficeService().GetXLSSheets(FileName); }
void TZvStringGrid::LoadFromXLS(const String& Filename) { OfficeService().LoadFromXLS(Filename); }
void TZvStringGrid::LoadFromXLSSheet(const String& Filename, const String& SheetName) { OfficeService().LoadFromXLSSheet(Filename, SheetName); }
void TZvStringGrid::SaveToXLS(const String& Filename, bool CreateNewSheet) { OfficeService().SaveToXLS(Filename, CreateNewSheet); }
void TZvStringGrid::SaveToXLSSheet(const String& Filename, const String& SheetName) { OfficeService().SaveToXLSSheet(Filename, SheetName); }
void TZvStringGrid::SaveToDOC(const String& Filename, bool CreateNewDocument) { OfficeService().SaveToDOC(Filename, CreateNewDocument); }
void TZvStringGrid::AppendToDoc(const String& Filename, const String& Bookmark) { OfficeService().AppendToDoc(Filename, Bookmark); }
void TZvStringGrid::LoadFromMDBTable(const String& Filename, const String& Table) { OfficeService().LoadFromMDBTable(Filename, Table); }
void TZvStringGrid::LoadFromMDBSQL(const String& Filename, const String& SQL) { OfficeService().LoadFromMDBSQL(Filename, SQL); }

namespace {

// The hourglass while a file is read or written, the former cursor after, on every path.
class THourGlass {
public:
    THourGlass() : FSaved(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~THourGlass() { Screen->SetCursor(FSaved); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor FSaved;
};

[[noreturn]] void CannotSave(const String& What, const String& FileName, const String& Reason)
{
    throw EZvGridError(QStringLiteral("Cannot save %1 \"%2\": %3").arg(What, FileName, Reason));
}

// Saves the bytes in place of the file in one step, so that a failed save leaves the old file whole.
void SaveOfficeFile(const String& What, const String& FileName, const QByteArray& Bytes)
{
    try {
        SaveFileOrRaise(FileName, Bytes);
    } catch (const Exception& e) {
        CannotSave(What, FileName, e.Message());
    }
}

} // namespace

// ---- Workbooks ----

TStringList* TZvGridOffice::GetXLSSheets(const String& FileName)
{
    const THourGlass hourGlass;
    const std::unique_ptr<TWorkbookReader> book = OpenWorkbookFile(FileName);
    auto list = std::make_unique<TStringList>();
    for (const String& name : book->SheetNames()) list->Add(name);
    return list.release();
}

void TZvGridOffice::LoadFromXLS(const String& FileName) { LoadSheet(FileName, nullptr); }

void TZvGridOffice::LoadFromXLSSheet(const String& FileName, const String& SheetName) { LoadSheet(FileName, &SheetName); }

void TZvGridOffice::LoadSheet(const String& FileName, const String* SheetName)
{
    TZvStringGrid& g = *FGrid;
    const THourGlass hourGlass;
    // Whatever happens, the grid tells its listeners and footers about the cells it may have changed.
    const auto finish = [&g] {
        g.FireCellsChanged(TRect{0, 0, g.ColCount() - 1, g.RowCount() - 1});
        g.RecalcAllFooters();
    };
    try {
        const std::unique_ptr<TWorkbookReader> book = OpenWorkbookFile(FileName);
        const std::vector<String> names = book->SheetNames();
        int index = -1;
        if (SheetName) {
            for (int i = 0; i < int(names.size()); ++i)
                if (names[size_t(i)] == *SheetName) index = i; // the last of equal names, as the sheets are walked
            if (index < 0) throw EZvGridError(QStringLiteral("Excel worksheet ") + *SheetName + QStringLiteral(" not found"));
        } else {
            if (names.empty()) throw Exception(QStringLiteral("Incorrect XLS file"));
            index = book->ActiveSheet();
        }
        const TSheetData sheet = book->ReadSheet(index);
        const TA1Range range = ParseA1Range(sheet.UsedRangeAddress());

        const int colOffset = g.SaveFixedCells() || g.SaveFixedCols() ? 0 : g.FixedCols();
        const int rowOffset = g.SaveFixedCells() || g.SaveFixedRows() ? 0 : g.FixedRows();
        const bool known = range.FirstRow != -1 && range.FirstCol != -1 && range.LastRow != -1 && range.LastCol != -1;
        if (known) {
            const int fixedCols = g.FixedCols();
            const int fixedRows = g.FixedRows();
            g.SetColCount(range.LastCol - range.FirstCol + 1 + colOffset);
            g.SetRowCount(range.LastRow - range.FirstRow + 1 + rowOffset);
            if (fixedCols < g.ColCount() && g.FixedCols() != fixedCols) g.SetFixedCols(fixedCols);
            if (fixedRows < g.RowCount() && g.FixedRows() != fixedRows) g.SetFixedRows(fixedRows);
        }
        const auto valueAt = [&sheet](int row, int col, bool& store) {
            store = !sheet.Errors.count({row, col});
            const auto it = sheet.Cells.find({row, col});
            return it == sheet.Cells.end() ? String() : it->second;
        };
        if (!range.IsRange) {
            bool store = true;
            const String text = valueAt(range.FirstRow, range.FirstCol, store);
            if (store) g.StoreLoadedCell(colOffset, rowOffset, text);
        } else if (known) {
            const int rows = std::min(range.LastRow - range.FirstRow + 1, g.RowCount() - rowOffset);
            const int cols = std::min(range.LastCol - range.FirstCol + 1, g.ColCount() - colOffset);
            for (int i = 1; i <= rows; ++i)
                for (int j = 1; j <= cols; ++j) {
                    bool store = true;
                    const String text = valueAt(range.FirstRow + i - 1, range.FirstCol + j - 1, store);
                    if (store) g.StoreLoadedCell(colOffset + j - 1, rowOffset + i - 1, text);
                }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TZvGridOffice::SaveToXLS(const String& FileName, bool CreateNewSheet)
{
    // No workbook is ever open here, so CreateNewSheet changes nothing: a new workbook is always made.
    (void)CreateNewSheet;
    SaveSheet(FileName, QStringLiteral("Sheet1"), false);
}

void TZvGridOffice::SaveToXLSSheet(const String& FileName, const String& SheetName)
{
    SaveSheet(FileName, SheetName, true);
}

void TZvGridOffice::SaveSheet(const String& FileName, const String& SheetName, bool ExistingKept)
{
    TZvStringGrid& g = *FGrid;
    const THourGlass hourGlass;
    const String problem = SheetNameProblem(SheetName);
    if (!problem.isEmpty()) CannotSave(QStringLiteral("workbook"), FileName, problem);

    // An existing workbook is read before anything is built, so that one that cannot be opened is left
    // alone rather than replaced by a new one holding only this sheet.
    QByteArray existing;
    if (ExistingKept && FileExists(FileName)) {
        try {
            existing = ReadFileOrRaise(FileName);
        } catch (const Exception& e) {
            CannotSave(QStringLiteral("workbook"), FileName, e.Message());
        }
        if (existing.startsWith(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
            CannotSave(QStringLiteral("workbook"), FileName,
                       QStringLiteral("sheets can be added to .xlsx workbooks only, not to legacy .xls files"));
    }

    const int startRow = g.SaveStartRow();
    const int startCol = g.SaveStartCol();
    std::vector<std::vector<String>> rows;
    g.ExportNotification(TGridExportState::esExportStart, startRow);
    for (int r = startRow; r < g.RowCount(); ++r) {
        g.ExportNotification(TGridExportState::esExportNewRow, r);
        std::vector<String> row;
        for (int c = startCol; c < g.ColCount(); ++c) row.push_back(StripCR(g.CellTextToSave(g.RealColIndex(c), r)));
        rows.push_back(std::move(row));
    }
    g.ExportNotification(TGridExportState::esExportDone, -1);

    const QByteArray sheetXml = WorksheetXml(rows, 1);
    QByteArray bytes;
    try {
        bytes = existing.isEmpty() && !(ExistingKept && FileExists(FileName)) ? NewWorkbook(SheetName, sheetXml)
                                                                               : WorkbookWithSheet(existing, SheetName, sheetXml);
    } catch (const EZvGridError&) {
        throw;
    } catch (const Exception& e) {
        CannotSave(QStringLiteral("workbook"), FileName, e.Message());
    }
    SaveOfficeFile(QStringLiteral("workbook"), FileName, bytes);
}

// ---- Documents ----

void TZvGridOffice::SaveToDOC(const String& FileName, bool CreateNewDocument)
{
    // No document is ever open here: with or without CreateNewDocument a new one is made.
    (void)CreateNewDocument;
    SaveDocument(FileName, nullptr);
}

void TZvGridOffice::AppendToDoc(const String& FileName, const String& Bookmark) { SaveDocument(FileName, &Bookmark); }

void TZvGridOffice::SaveDocument(const String& FileName, const String* Bookmark)
{
    TZvStringGrid& g = *FGrid;
    const THourGlass hourGlass;
    QByteArray existing;
    if (Bookmark) {
        try {
            existing = ReadFileOrRaise(FileName);
        } catch (const Exception& e) {
            throw EZvGridError(QStringLiteral("Cannot open document \"%1\": %2").arg(FileName, e.Message()));
        }
    }
    TDocTable table;
    g.ExportNotification(TGridExportState::esExportStart, 0);
    for (int a = 1; a <= g.RowCount(); ++a) {
        g.ExportNotification(TGridExportState::esExportNewRow, a);
        std::vector<TDocCell> row;
        for (int c = 1; c <= g.ColCount(); ++c) {
            const int real = g.RealColIndex(c - 1);
            TAlignment h = TAlignment::taLeftJustify;
            TVAlignment v = TVAlignment::vtaTop;
            g.CellAlignment(real, a - 1, h, v);
            const TDocAlign align = h == TAlignment::taRightJustify ? TDocAlign::Right
                                    : h == TAlignment::taCenter     ? TDocAlign::Center
                                                                    : TDocAlign::Left;
            row.push_back({g.CellTextToSave(real, a - 1), align});
        }
        table.push_back(std::move(row));
    }
    g.ExportNotification(TGridExportState::esExportDone, -1);

    QByteArray bytes;
    try {
        bytes = Bookmark ? DocumentWithTable(existing, g.Text(), *Bookmark, table) : NewDocument(g.Text(), table);
    } catch (const Exception& e) {
        if (Bookmark) throw EZvGridError(QStringLiteral("Cannot open document \"%1\": %2").arg(FileName, e.Message()));
        CannotSave(QStringLiteral("document"), FileName, e.Message());
    }
    SaveOfficeFile(QStringLiteral("document"), FileName, bytes);
}

// ---- Databases ----

String SelectAllFrom(const String& Table)
{
    // The reader's SQL takes an identifier in brackets or in double quotes and can escape neither.
    if (!Table.contains(u']')) return QStringLiteral("SELECT * FROM [") + Table + u']';
    if (!Table.contains(u'"')) return QStringLiteral("SELECT * FROM \"") + Table + u'"';
    throw EZvGridError(QStringLiteral("The table name %1 cannot be quoted").arg(Table));
}

namespace {

class TMdbRecordSource : public TZvRecordSource {
public:
    TMdbRecordSource(const String& FileName, const String& SQL) : FSql(mdb_sql_init())
    {
        if (!FSql) throw EZvGridError(QStringLiteral("Cannot open database \"%1\"").arg(FileName));
        // The path goes to the library as it is, never spliced into a statement, so no character
        // of it can change what is run.
        QByteArray path = QFile::encodeName(FileName);
        if (!QFileInfo(FileName).isFile() || !mdb_sql_open(FSql, path.data())) {
            Close();
            throw EZvGridError(QStringLiteral("Cannot open database \"%1\"").arg(FileName));
        }
        const QByteArray query = SQL.toUtf8();
        if (!mdb_sql_run_query(FSql, query.constData()) || !FSql->cur_table) {
            const String reason = mdb_sql_has_error(FSql) ? String::fromUtf8(mdb_sql_last_error(FSql))
                                                          : QStringLiteral("the query returns no records");
            Close();
            throw EZvGridError(QStringLiteral("Cannot run the query on database \"%1\": %2").arg(FileName, reason));
        }
        mdb_sql_bind_all(FSql);
        Fetch();
    }
    ~TMdbRecordSource() override { Close(); }
    TMdbRecordSource(const TMdbRecordSource&) = delete;
    TMdbRecordSource& operator=(const TMdbRecordSource&) = delete;

    int FieldCount() const override { return int(FSql->num_columns); }
    String FieldName(int Index) const override
    {
        auto* col = static_cast<MdbSQLColumn*>(g_ptr_array_index(FSql->columns, guint(Index)));
        return String::fromUtf8(col->name);
    }
    // The library learns the count only by reading the records.
    int RecordCount() const override { return -1; }
    bool Eof() const override { return FEof; }
    bool HasValue(int Index) const override { return !Value(Index).isEmpty(); }
    String Value(int Index) const override
    {
        if (FEof || Index < 0 || guint(Index) >= FSql->bound_values->len) return {};
        return String::fromUtf8(static_cast<const char*>(g_ptr_array_index(FSql->bound_values, guint(Index))));
    }
    void MoveNext() override { Fetch(); }

private:
    void Fetch() { FEof = !FSql->cur_table || !mdb_sql_fetch_row(FSql, FSql->cur_table); }
    void Close()
    {
        if (!FSql) return;
        mdb_sql_exit(FSql); // resets the query and closes the database
        FSql = nullptr;
    }

    MdbSQL* FSql = nullptr;
    bool FEof = true;
};

} // namespace

std::unique_ptr<TZvRecordSource> OpenMdbRecordSource(const String& FileName, const String& SQL)
{
    return std::make_unique<TMdbRecordSource>(FileName, SQL);
}

void TZvGridOffice::LoadFromMDBTable(const String& FileName, const String& Table)
{
    LoadFromMDBSQL(FileName, SelectAllFrom(Table));
}

void TZvGridOffice::LoadFromMDBSQL(const String& FileName, const String& SQL)
{
    TZvStringGrid& g = *FGrid;
    const std::unique_ptr<TZvRecordSource> records = FOpenRecords(FileName, SQL);
    const int n = records->FieldCount();
    const int fixedCols = g.FixedCols();
    const int fixedRows = g.FixedRows();
    // A query without fields still leaves the grid one normal column.
    g.SetColCount(std::max(n, 1) + fixedCols);
    if (fixedRows > 0)
        for (int i = 0; i < n; ++i) g.SetCellEx(fixedCols + i, fixedRows - 1, records->FieldName(i));
    if (records->RecordCount() > 0) g.SetRowCount(fixedRows + records->RecordCount());
    int row = fixedRows;
    while (!records->Eof()) {
        if (row >= g.RowCount()) g.SetRowCount(row + 1);
        for (int i = 0; i < n; ++i)
            g.StoreLoadedCell(fixedCols + i, row, records->HasValue(i) ? records->Value(i) : String());
        records->MoveNext();
        ++row;
    }
}
