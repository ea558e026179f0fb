#pragma once
// Spreadsheet, document and database exchange: the grid's cells to and from
// workbooks (.xlsx, and legacy .xls for reading), into word-processor
// documents as a table, and from the tables and queries of Access databases.
// The files are read and written directly (ZvOfficeFiles.h); databases are
// read through a record source, which tests replace.

#include "grid/services/ZvGridService.h"
#include "platform/SysUtils.h"

#include <functional>
#include <memory>

class TStringList;

// The records of one query, read front to back, as the grid's database reader
// walks them.
class TZvRecordSource {
public:
    virtual ~TZvRecordSource() = default;
    virtual int FieldCount() const = 0;
    virtual String FieldName(int Index) const = 0;
    // The number of records when known in advance, else -1.
    virtual int RecordCount() const = 0;
    virtual bool Eof() const = 0;
    // False when the current record's field holds nothing (a null or empty value).
    virtual bool HasValue(int Index) const = 0;
    virtual String Value(int Index) const = 0;
    virtual void MoveNext() = 0;
};

// Opens the query on the database file; raises EZvGridError naming the file
// when the database cannot be opened or the query not run.
using TZvRecordSourceOpener = std::function<std::unique_ptr<TZvRecordSource>(const String& FileName, const String& SQL)>;

// The record source over an Access database read through mdbtools. It closes
// the database when it goes, whatever happened.
std::unique_ptr<TZvRecordSource> OpenMdbRecordSource(const String& FileName, const String& SQL);
// "SELECT * FROM " and the table name quoted as an identifier; raises
// EZvGridError for a name no quoting can hold.
String SelectAllFrom(const String& Table);

class TZvGridOffice : public TZvGridService {
public:
    using TZvGridService::TZvGridService;

    TStringList* GetXLSSheets(const String& FileName);
    void LoadFromXLS(const String& FileName);
    void LoadFromXLSSheet(const String& FileName, const String& SheetName);
    void SaveToXLS(const String& FileName, bool CreateNewSheet);
    void SaveToXLSSheet(const String& FileName, const String& SheetName);
    void SaveToDOC(const String& FileName, bool CreateNewDocument);
    void AppendToDoc(const String& FileName, const String& Bookmark);
    void LoadFromMDBTable(const String& FileName, const String& Table);
    void LoadFromMDBSQL(const String& FileName, const String& SQL);

    // Where the database reader gets its records; mdbtools unless replaced.
    void SetRecordSourceOpener(TZvRecordSourceOpener Opener) { FOpenRecords = std::move(Opener); }

private:
    void LoadSheet(const String& FileName, const String* SheetName);
    void SaveSheet(const String& FileName, const String& SheetName, bool ExistingKept);
    void SaveDocument(const String& FileName, const String* Bookmark);
    TZvRecordSourceOpener FOpenRecords = OpenMdbRecordSource;
};
