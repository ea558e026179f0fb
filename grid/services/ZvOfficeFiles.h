#pragma once
// The office files themselves, without a grid: the zip package that .xlsx and
// .docx files are, the workbook reader (.xlsx through the package, legacy .xls
// through FreeXL), the worksheet writer, the document writer and the A1
// addresses that the grid's sheet mapping speaks in. No office application
// runs on Linux, so the files are read and written directly.

#include "platform/SysUtils.h"

#include <QByteArray>

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// ---- A1 addresses ----

// General base 26: 1 is "A", 26 "Z", 27 "AA", 702 "ZZ", 703 "AAA". An index
// below 1 gives the empty text.
String ColumnLetters(int Column);
// The column of a run of letters (either case); -1 when the text is empty,
// holds anything but letters, or names a column past what an int holds.
int ColumnNumber(const String& Letters);

// A used-range address as the sheet reader takes it apart. -1 marks a part
// that is not a number (the grid then keeps its size).
struct TA1Range {
    int FirstRow = -1;
    int FirstCol = -1;
    int LastRow = -1;
    int LastCol = -1;
    bool IsRange = false; // the address held a ":"
};
// "$B$2:$D$5" and "B2:D5" give the cells; "$3:$7" whole rows (columns 1 to
// 256); a single "$A$1" gives it as first and last; an address with neither
// ":" nor "$" counts as the one cell A1.
TA1Range ParseA1Range(const String& Address);
// "A1:C5", or the single cell "A1" when first and last are equal.
String A1RangeText(int FirstRow, int FirstCol, int LastRow, int LastCol);

// ---- The zip package ----

// The parts of a package, in the order they came, held in memory: office
// packages are small, and holding them lets a writer change one part and put
// the whole package back atomically, so a failed save leaves the old file.
class TOfficePackage {
public:
    // Raises Exception with the zip library's reason when the bytes are not a
    // readable zip archive or a part is larger than this program accepts.
    static TOfficePackage FromBytes(const QByteArray& Bytes);
    bool Has(const String& Name) const;
    // Empty when the package has no such part.
    QByteArray Part(const String& Name) const;
    // Replaces the part or adds it at the end.
    void SetPart(const String& Name, const QByteArray& Bytes);
    void RemovePart(const String& Name);
    QByteArray ToBytes() const;
    const std::vector<std::pair<String, QByteArray>>& Parts() const { return FParts; }

private:
    std::vector<std::pair<String, QByteArray>> FParts;
};

// The part a relationship's target names, seen from the part that holds the
// relationship ("xl/workbook.xml" + "worksheets/sheet1.xml" gives
// "xl/worksheets/sheet1.xml"; a target starting with "/" is from the root).
String ResolvePartName(const String& SourcePart, const String& Target);

// ---- Reading workbooks ----

// The cells of one sheet that hold a value, by (row, column), both from 1,
// and the range the sheet uses (cells with nothing but a format included, as
// the spreadsheet counts them). An empty sheet uses the one cell A1.
struct TSheetData {
    std::map<std::pair<int, int>, String> Cells;
    // Cells holding an error value (#DIV/0! and the like): the grid keeps its text there.
    std::set<std::pair<int, int>> Errors;
    int FirstRow = 1;
    int FirstCol = 1;
    int LastRow = 1;
    int LastCol = 1;
    // Widens the used range to hold a cell; the first cell read sets it.
    void Extend(int Row, int Col);
    // The used range as the spreadsheet writes it: "$B$2:$D$5", or "$A$1" for one cell.
    String UsedRangeAddress() const;

private:
    bool FAny = false;
};

class TWorkbookReader {
public:
    virtual ~TWorkbookReader() = default;
    virtual std::vector<String> SheetNames() const = 0;
    // The index of the sheet the workbook opens on.
    virtual int ActiveSheet() const = 0;
    // Raises Exception "Incorrect XLS file" when the sheet's cells cannot be read.
    virtual TSheetData ReadSheet(int Index) const = 0;
};

// An .xlsx package's workbook. Raises Exception naming what is missing when
// the bytes are no workbook.
std::unique_ptr<TWorkbookReader> OpenXlsxWorkbook(const QByteArray& Bytes);
// A workbook file of either kind, told apart by its first bytes (the compound
// file signature of legacy .xls, else the zip package). Raises EZvGridError
// with the file's name when it cannot be opened.
std::unique_ptr<TWorkbookReader> OpenWorkbookFile(const String& FileName);

// ---- Writing workbooks ----

// Rows of cell texts; the first goes to sheet row FirstRow, column A. A text
// the platform reads back to the same number is stored as that number, so
// that the spreadsheet calculates with it; every other text as text.
QByteArray WorksheetXml(const std::vector<std::vector<String>>& Rows, int FirstRow);
// A new workbook with the one sheet.
QByteArray NewWorkbook(const String& SheetName, const QByteArray& SheetXml);
// The package of an existing workbook with the sheet of that name (the last
// one when names repeat) replaced, or added after the others when it has
// none; every other part stays as it was. Raises Exception when the package
// is no workbook.
QByteArray WorkbookWithSheet(const QByteArray& Package, const String& SheetName, const QByteArray& SheetXml);
// Empty when the spreadsheet accepts the name, else the reason it does not.
String SheetNameProblem(const String& SheetName);

// ---- Documents ----

enum class TDocAlign { Left, Center, Right };
struct TDocCell {
    String Text;
    TDocAlign Align = TDocAlign::Left;
};
using TDocTable = std::vector<std::vector<TDocCell>>;

// A new document: the table, then a paragraph with Text, then an empty one
// (the table goes to the document's start, where the grid's text was typed).
QByteArray NewDocument(const String& Text, const TDocTable& Table);
// The document with Text typed at its start and the table at the bookmark, or
// after a new paragraph at the end when the bookmark is empty or the document
// has none. Raises Exception when the package is no document.
QByteArray DocumentWithTable(const QByteArray& Package, const String& Text, const String& Bookmark,
                             const TDocTable& Table);
