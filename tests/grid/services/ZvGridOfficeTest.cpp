// Workbooks, documents and databases: A1 addresses and column letters; the
// grid saved to a workbook and read back by openpyxl, and workbooks openpyxl
// writes read into the grid, cell for cell; a sheet written into an existing
// workbook beside its others; sheets by name, missing sheets and broken or
// unwritable files; documents checked in their XML; the database reader's
// mapping through a scripted record source, and mdbtools' refusals.

#include "tests/common/TestSeams.h"
#include "tests/grid/services/GridOnForm.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/services/ZvGridOffice.h"
#include "grid/services/ZvOfficeFiles.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/Classes.h"
#include "platform/DateUtils.h"
#include "platform/Forms.h"
#include "platform/Regional.h"
#include "platform/Xml.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// ---- A1 addresses and column letters ----

TEST(OfficeAddresses, ColumnLettersAreGeneralBase26BothWays)
{
    const struct {
        int Column;
        const char* Letters;
    } cases[] = {{1, "A"},     {26, "Z"},    {27, "AA"},   {52, "AZ"},   {53, "BA"},
                 {702, "ZZ"},  {703, "AAA"}, {728, "AAZ"}, {16384, "XFD"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColumnLetters(c.Column), String(c.Letters)) << c.Column;
        EXPECT_EQ(ColumnNumber(String(c.Letters)), c.Column) << c.Letters;
        EXPECT_EQ(ColumnNumber(String(c.Letters).toLower()), c.Column) << c.Letters;
    }
    EXPECT_EQ(ColumnLetters(0), String());
    for (const char* bad : {"", "A1", "[A", "Ä", "AAAAAAAAAAAAAAAAAAAAAAA"}) EXPECT_EQ(ColumnNumber(String::fromUtf8(bad)), -1) << bad;
}

TEST(OfficeAddresses, UsedRangeAddressesParseAsTheSheetReaderTakesThem)
{
    const struct {
        const char* Address;
        int FirstRow, FirstCol, LastRow, LastCol;
        bool IsRange;
    } cases[] = {
        {"$B$2:$D$5", 2, 2, 5, 4, true},
        {"$A$1", 1, 1, 1, 1, false},
        {"$C$7", 7, 3, 7, 3, false},
        {"$3:$7", 3, 1, 7, 256, true},        // whole rows: the classic sheet width
        {"D9", 1, 1, 1, 1, false},            // one cell without "$": everything is 1
        {"B2:D5", 2, 2, 5, 4, true},          // a range without "$" is still a range of cells
        {"$AA$10:$AAA$12", 10, 27, 12, 703, true},
        {"$A$1x:$B$2", -1, -1, 2, 2, true},   // a part that is no number is marked, not guessed
    };
    for (const auto& c : cases) {
        const TA1Range r = ParseA1Range(String(c.Address));
        EXPECT_EQ(r.FirstRow, c.FirstRow) << c.Address;
        EXPECT_EQ(r.FirstCol, c.FirstCol) << c.Address;
        EXPECT_EQ(r.LastRow, c.LastRow) << c.Address;
        EXPECT_EQ(r.LastCol, c.LastCol) << c.Address;
        EXPECT_EQ(r.IsRange, c.IsRange) << c.Address;
    }
    EXPECT_EQ(A1RangeText(1, 1, 4, 27), String("A1:AA4"));
    EXPECT_EQ(A1RangeText(3, 2, 3, 2), String("B3"));
}

// ---- openpyxl, the independent reader and writer ----

// The Debian package installs into the system's Python, which a user's own Python on the path may hide.
String Python()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
}

bool HaveOpenpyxl()
{
    QProcess p;
    p.start(Python(), {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

#define REQUIRE_OPENPYXL()                                                                                              \
    if (!HaveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is not installed (scripts/quillmer.sh test installs it)"

String RunPython(const String& Code, const QStringList& Args)
{
    QProcess p;
    p.start(Python(), QStringList{QStringLiteral("-c"), Code} + Args);
    EXPECT_TRUE(p.waitForFinished(60000));
    const String err = String::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    return String::fromUtf8(p.readAllStandardOutput());
}

// Every sheet of a workbook as openpyxl reads it, from A1: [[title, [[value, ...], ...]], ...]; dates as ISO texts.
QJsonArray ReadWithOpenpyxl(const String& FileName)
{
    const String code = QStringLiteral(
        "import json, sys, datetime, openpyxl\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "def v(x):\n"
        "    return x.isoformat() if isinstance(x, (datetime.date, datetime.datetime)) else x\n"
        "out = []\n"
        "for ws in wb.worksheets:\n"
        "    rows = [[v(c.value) for c in r] for r in ws.iter_rows(min_row=1, min_col=1)]\n"
        "    out.append([ws.title, rows])\n"
        "print(json.dumps(out))\n");
    return QJsonDocument::fromJson(RunPython(code, {FileName}).toUtf8()).array();
}

QJsonArray SheetRows(const QJsonArray& Book, const String& Title)
{
    for (const auto& s : Book)
        if (s.toArray()[0].toString() == Title) return s.toArray()[1].toArray();
    ADD_FAILURE() << "no sheet " << Title.toStdString();
    return {};
}

struct OfficeGrid : GridOnForm {
    TempFolder folder;

    void SetUp() override { ShowGrid(400, 300); }
    void Fill(const std::vector<std::vector<String>>& Rows)
    {
        grid->SetRowCount(int(Rows.size()));
        grid->SetColCount(int(Rows[0].size()));
        for (int r = 0; r < int(Rows.size()); ++r)
            for (int c = 0; c < int(Rows[size_t(r)].size()); ++c) grid->SetCells(c, r, Rows[size_t(r)][size_t(c)]);
    }
};

// ---- Writing workbooks ----

TEST_F(OfficeGrid, AWorkbookWeWriteReadsBackInOpenpyxlCellForCell)
{
    REQUIRE_OPENPYXL();
    const String num = FloatToStr(12.5);
    Fill({{"", "Name", "Amount", "Code"},
          {"1", QString::fromUtf8("B\xC3\xA9la & <Co>"), num, "007"},
          {"2", "", "-3", " padded "},
          {"3", "\"quoted\"", "1e400", "two\r\nlines"}});
    // The fixed row and column are not saved unless asked: the sheet starts with the first normal cell.
    const struct {
        bool SaveFixed;
        int FirstRow, FirstCol;
    } cases[] = {{false, 1, 1}, {true, 0, 0}};
    for (const auto& c : cases) {
        grid->SetSaveFixedCells(c.SaveFixed);
        const String file = folder.File(QStringLiteral("out%1.xlsx").arg(c.SaveFixed));
        grid->SaveToXLS(file, true);
        const QJsonArray rows = SheetRows(ReadWithOpenpyxl(file), QStringLiteral("Sheet1"));
        ASSERT_EQ(rows.size(), 4 - c.FirstRow) << c.SaveFixed;
        for (int r = c.FirstRow; r < 4; ++r)
            for (int col = c.FirstCol; col < 4; ++col) {
                const QJsonValue v = rows[r - c.FirstRow].toArray()[col - c.FirstCol];
                const String expected = StripCR(grid->Cells(col, r));
                if (expected.isEmpty()) {
                    EXPECT_TRUE(v.isNull()) << r << "," << col;
                } else if (v.isDouble()) {
                    // A number only where the text reads back to the same number.
                    EXPECT_EQ(FloatToStr(v.toDouble()), expected) << r << "," << col;
                } else {
                    EXPECT_EQ(v.toString(), expected) << r << "," << col;
                }
            }
    }
    const QJsonArray rows = SheetRows(ReadWithOpenpyxl(folder.File(QStringLiteral("out1.xlsx"))), QStringLiteral("Sheet1"));
    EXPECT_TRUE(rows[1].toArray()[2].isDouble());   // 12.5 is a number the sheet can add up
    EXPECT_TRUE(rows[1].toArray()[3].isString());   // "007" keeps its zeros
    EXPECT_TRUE(rows[3].toArray()[2].isString());   // beyond a double: kept as typed
}

TEST_F(OfficeGrid, WideGridsEndInTheRightColumnAndAnXlsNameGetsTheXlsxFormat)
{
    REQUIRE_OPENPYXL();
    for (const int cols : {27, 53}) {
        grid->SetSaveFixedCells(true);
        grid->SetColCount(cols);
        grid->SetRowCount(2);
        for (int c = 0; c < cols; ++c) {
            grid->SetCells(c, 0, QStringLiteral("h"));
            grid->SetCells(c, 1, ColumnLetters(c + 1));
        }
        const String file = folder.File(QStringLiteral("wide%1.xls").arg(cols));
        grid->SaveToXLS(file, false);
        const String code = QStringLiteral("import sys, openpyxl\nws = openpyxl.load_workbook(open(sys.argv[1], 'rb')).active\n"
                                           "print(ws.dimensions, ws.max_column, ws.cell(2, ws.max_column).value)\n");
        const String expectLast = ColumnLetters(cols);
        EXPECT_EQ(RunPython(code, {file}).trimmed(),
                  QStringLiteral("A1:%1 %2 %3").arg(expectLast + u'2').arg(cols).arg(expectLast));
    }
}

// ---- Reading workbooks ----

TEST_F(OfficeGrid, AWorkbookOpenpyxlWritesIsReadCellForCell)
{
    REQUIRE_OPENPYXL();
    const String file = folder.File(QStringLiteral("theirs.xlsx"));
    RunPython(QStringLiteral("import sys, datetime, openpyxl\n"
                             "wb = openpyxl.Workbook()\n"
                             "a = wb.active\n"
                             "a.title = 'First'\n"
                             "a['A1'] = 'only'\n"
                             "b = wb.create_sheet('Data')\n"
                             "b['B2'] = 'Name'; b['C2'] = 'Born'; b['D2'] = 'Score'\n"
                             "b['B3'] = 'Anna'; b['C3'] = datetime.date(2024, 3, 15); b['D3'] = 12.5\n"
                             "b['B4'] = 'Name'; b['D4'] = '#DIV/0!'\n"
                             "b['B5'] = 'tab\\tand <tag>'; b['C5'] = datetime.datetime(1999, 12, 31, 18, 30); b['D5'] = True\n"
                             "wb.active = 1\n"
                             "wb.save(sys.argv[1])\n"),
              {file});

    auto names = std::unique_ptr<TStringList>(grid->GetXLSSheets(file));
    ASSERT_EQ(names->Count(), 2);
    EXPECT_EQ((*names)[0], String("First"));
    EXPECT_EQ((*names)[1], String("Data"));

    // B2:D5 with a fixed row and column: 3 columns and 4 rows past them.
    grid->SetSaveFixedCells(false);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->SetCells(2, 3, QStringLiteral("stale")); // an empty cell of the sheet empties it
    grid->SetCells(3, 3, QStringLiteral("kept"));  // an error value leaves it
    grid->LoadFromXLS(file); // the sheet the workbook was saved on
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    const String expected[4][3] = {
        {"Name", "Born", "Score"},
        {"Anna", DateTimeToStr(EncodeDate(2024, 3, 15)), FloatToStr(12.5)},
        {"Name", "", "kept"}, // a shared string used twice, an empty cell, an error value
        {"tab\tand <tag>", DateTimeToStr(EncodeDate(1999, 12, 31) + EncodeTime(18, 30, 0, 0)), "True"},
    };
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(grid->Cells(c + 1, r + 1), expected[r][c]) << r << "," << c;

    // By name, and with the fixed cells saved the sheet starts in the grid's corner.
    grid->SetSaveFixedCells(true);
    grid->LoadFromXLSSheet(file, QStringLiteral("First"));
    EXPECT_EQ(grid->Cells(0, 0), String("only"));
}

TEST_F(OfficeGrid, WritingASheetIntoAnOpenpyxlWorkbookKeepsItsOtherSheets)
{
    REQUIRE_OPENPYXL();
    const String file = folder.File(QStringLiteral("book.xlsx"));
    RunPython(QStringLiteral("import sys, openpyxl\n"
                             "wb = openpyxl.Workbook()\n"
                             "k = wb.active; k.title = 'Keep'; k['A1'] = 'kept'; k['B2'] = 42; k['C3'] = '=B2*2'\n"
                             "d = wb.create_sheet('Data'); d['A1'] = 'old'; d['E9'] = 'old too'\n"
                             "wb.save(sys.argv[1])\n"),
              {file});
    grid->SetSaveFixedCells(true);
    Fill({{"a", "b"}, {"1", "2"}});
    grid->SaveToXLSSheet(file, QStringLiteral("Data")); // replaced
    grid->SaveToXLSSheet(file, QStringLiteral("New"));  // added after the others
    const QJsonArray book = ReadWithOpenpyxl(file);
    ASSERT_EQ(book.size(), 3);
    EXPECT_EQ(book[0].toArray()[0].toString(), String("Keep"));
    EXPECT_EQ(book[2].toArray()[0].toString(), String("New"));
    const QJsonArray keep = SheetRows(book, QStringLiteral("Keep"));
    EXPECT_EQ(keep[0].toArray()[0].toString(), String("kept"));
    EXPECT_EQ(keep[1].toArray()[1].toDouble(), 42);
    EXPECT_EQ(keep[2].toArray()[2].toString(), String("=B2*2"));
    for (const String& name : {QStringLiteral("Data"), QStringLiteral("New")}) {
        const QJsonArray rows = SheetRows(book, name);
        ASSERT_EQ(rows.size(), 2) << name.toStdString(); // nothing of the old sheet is left
        ASSERT_EQ(rows[0].toArray().size(), 2) << name.toStdString();
        EXPECT_EQ(rows[0].toArray()[1].toString(), String("b"));
        EXPECT_EQ(rows[1].toArray()[0].toDouble(), 1);
    }
    // And our own reader agrees.
    grid->Clear();
    grid->LoadFromXLSSheet(file, QStringLiteral("New"));
    EXPECT_EQ(grid->Cells(1, 1), String("2"));
}

// Two sheets of the same name: the last one is read; a missing name is an error.
TEST_F(OfficeGrid, ASheetIsFoundByNameTheLastDuplicateWinsAndAMissingOneIsAnError)
{
    const QByteArray first = NewWorkbook(QStringLiteral("Twin"), WorksheetXml({{"first"}}, 1));
    TOfficePackage p = TOfficePackage::FromBytes(WorkbookWithSheet(first, QStringLiteral("Other"), WorksheetXml({{"second"}}, 1)));
    p.SetPart(QStringLiteral("xl/workbook.xml"), p.Part(QStringLiteral("xl/workbook.xml")).replace("\"Other\"", "\"Twin\""));
    const String file = folder.File(QStringLiteral("twins.xlsx"));
    folder.Write(QStringLiteral("twins.xlsx"), p.ToBytes());

    grid->SetSaveFixedCells(true);
    grid->LoadFromXLSSheet(file, QStringLiteral("Twin"));
    EXPECT_EQ(grid->Cells(0, 0), String("second"));

    int changes = 0;
    grid->OnCellsChanged = [&](TObject*, TRect) { ++changes; };
    grid->SetCells(0, 0, QStringLiteral("mine"));
    try {
        grid->LoadFromXLSSheet(file, QStringLiteral("Nope"));
        ADD_FAILURE() << "no error for a missing sheet";
    } catch (const EZvGridError& e) {
        EXPECT_EQ(e.Message(), String("Excel worksheet Nope not found"));
    }
    EXPECT_EQ(grid->Cells(0, 0), String("mine"));
    EXPECT_GE(changes, 1); // the listeners hear of the load even when it fails
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(OfficeGrid, ASheetUsingOneCellFillsOneGridCellAtTheOffsets)
{
    const String file = folder.File(QStringLiteral("one.xlsx"));
    folder.Write(QStringLiteral("one.xlsx"), NewWorkbook(QStringLiteral("S"), WorksheetXml({{}, {}, {"", "", "lonely"}}, 1)));
    grid->SetSaveFixedCells(false);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->LoadFromXLS(file);
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), String("lonely"));
}

// ---- Broken and unwritable workbooks ----

QByteArray BookWithSheetXml(const QByteArray& SheetXml)
{
    TOfficePackage p = TOfficePackage::FromBytes(NewWorkbook(QStringLiteral("S"), WorksheetXml({{"x"}}, 1)));
    p.SetPart(QStringLiteral("xl/worksheets/sheet1.xml"), SheetXml);
    return p.ToBytes();
}

TEST_F(OfficeGrid, BrokenWorkbooksRaiseAClearErrorAndTheGridKeepsItsCells)
{
    const QByteArray head = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    const struct {
        const char* Name;
        QByteArray Bytes;
        const char* Message; // the start of the message
    } cases[] = {
        {"garbage.xlsx", QByteArray("this is no workbook at all"), "Cannot open workbook \""},
        {"empty.xlsx", QByteArray(), "Cannot open workbook \""},
        {"zip-no-book.xlsx", [] { TOfficePackage p; p.SetPart("a.txt", "hello"); return p.ToBytes(); }(), "Cannot open workbook \""},
        {"bad-xml.xlsx", BookWithSheetXml(head + "<row><c r=\"A1\"><v>1</v></row>"), "Incorrect XLS file"},
        {"bad-shared.xlsx", BookWithSheetXml(head + "<row><c r=\"A1\" t=\"s\"><v>99</v></c></row></sheetData></worksheet>"),
         "Incorrect XLS file"},
        {"bad-ref.xlsx", BookWithSheetXml(head + "<row><c r=\"A0\"><v>1</v></c></row></sheetData></worksheet>"),
         "Incorrect XLS file"},
        {"huge-ref.xlsx", BookWithSheetXml(head + "<row><c r=\"XFE1\"><v>1</v></c></row></sheetData></worksheet>"),
         "Incorrect XLS file"},
    };
    for (const auto& c : cases) {
        const String file = folder.File(String(c.Name));
        folder.Write(String(c.Name), c.Bytes);
        Fill({{"keep", "me"}});
        try {
            grid->LoadFromXLS(file);
            ADD_FAILURE() << "no error for " << c.Name;
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().startsWith(String(c.Message))) << c.Name << ": " << e.Message().toStdString();
            if (String(c.Message).startsWith(QStringLiteral("Cannot"))) {
                EXPECT_TRUE(e.Message().contains(file)) << c.Name;
            }
        }
        EXPECT_EQ(grid->Cells(0, 0), String("keep")) << c.Name;
        EXPECT_EQ(Screen->Cursor(), crDefault) << c.Name;
    }
    // A file that is not there at all names itself too.
    const String missing = folder.File(QStringLiteral("missing.xlsx"));
    try {
        grid->GetXLSSheets(missing);
        ADD_FAILURE() << "no error for a missing file";
    } catch (const EZvGridError& e) {
        EXPECT_TRUE(e.Message().contains(missing));
    }
}

TEST_F(OfficeGrid, EveryFailedSaveRaisesWithTheFileNameAndLeavesTheFileAsItWas)
{
    Fill({{"a", "b"}});
    const auto expectFailure = [&](const std::function<void()>& Save, const String& File, const char* What) {
        try {
            Save();
            ADD_FAILURE() << "no error: " << What;
        } catch (const EZvGridError& e) {
            EXPECT_TRUE(e.Message().contains(File)) << What << ": " << e.Message().toStdString();
        }
        EXPECT_EQ(Screen->Cursor(), crDefault) << What;
    };
    const String noDir = folder.File(QStringLiteral("no/such/dir/out.xlsx"));
    expectFailure([&] { grid->SaveToXLS(noDir, true); }, noDir, "SaveToXLS into a missing folder");
    expectFailure([&] { grid->SaveToXLSSheet(noDir, QStringLiteral("S")); }, noDir, "SaveToXLSSheet into a missing folder");
    expectFailure([&] { grid->SaveToDOC(noDir, true); }, noDir, "SaveToDOC into a missing folder");
    EXPECT_FALSE(QFileInfo::exists(noDir));

    const QByteArray garbage = "not a workbook, but somebody's file";
    folder.Write(QStringLiteral("precious.xlsx"), garbage);
    const String precious = folder.File(QStringLiteral("precious.xlsx"));
    expectFailure([&] { grid->SaveToXLSSheet(precious, QStringLiteral("S")); }, precious, "a file that is no workbook");
    EXPECT_EQ(folder.Read(QStringLiteral("precious.xlsx")), garbage);

    folder.Write(QStringLiteral("legacy.xls"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + garbage);
    const String legacy = folder.File(QStringLiteral("legacy.xls"));
    expectFailure([&] { grid->SaveToXLSSheet(legacy, QStringLiteral("S")); }, legacy, "a legacy workbook");

    const String good = folder.File(QStringLiteral("good.xlsx"));
    for (const char* name : {"", "a/b", "[x]", "this name is far too long for a sheet"})
        expectFailure([&] { grid->SaveToXLSSheet(good, String(name)); }, good, name);
    EXPECT_FALSE(QFileInfo::exists(good));
    expectFailure([&] { grid->AppendToDoc(precious, QStringLiteral("m")); }, precious, "appending to no document");
    EXPECT_EQ(folder.Read(QStringLiteral("precious.xlsx")), garbage);
}

// ---- Legacy .xls through FreeXL ----

// A small BIFF8 workbook in a compound file, built here from the formats'
// published layouts (never taken from a foreign file): a 512-byte header, one
// FAT sector, one directory sector (root entry and the "Workbook" stream),
// then the stream itself, padded to the 4096 bytes below which a stream would
// move into the mini stream.
class TBiffWriter {
public:
    QByteArray Out;
    void Record(int Type, const QByteArray& Body);
};

QByteArray Le16(int v)
{
    QByteArray out;
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
}
QByteArray Le32(quint32 v) { return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16)); }

void TBiffWriter::Record(int Type, const QByteArray& Body) { Out += Le16(Type) + Le16(int(Body.size())) + Body; }

// A string as BIFF8 stores it: 8-bit when every character fits, else UTF-16.
QByteArray BiffChars(const String& Text)
{
    bool wide = false;
    for (const QChar c : Text) wide = wide || c.unicode() > 0xFF;
    QByteArray out(1, char(wide ? 1 : 0));
    for (const QChar c : Text) out += wide ? Le16(c.unicode()) : QByteArray(1, char(c.unicode()));
    return out;
}

QByteArray Bof(int Kind) { return Le16(0x0600) + Le16(Kind) + Le16(0x0DBB) + Le16(0x07CC) + Le32(0) + Le32(0x06); }
QByteArray Cell(int Row, int Col) { return Le16(Row) + Le16(Col) + Le16(0); }
QByteArray Dimensions(int FirstRow, int LastRow, int FirstCol, int LastCol)
{
    return Le32(quint32(FirstRow)) + Le32(quint32(LastRow + 1)) + Le16(FirstCol) + Le16(LastCol + 1) + Le16(0);
}

QByteArray LegacyWorkbook()
{
    const std::vector<String> shared = {QStringLiteral("Name"), QString::fromUtf8("\xC5\x81\xC3\xB3" "d\xC5\xBA"), QStringLiteral("solo")};
    const std::vector<String> sheets = {QStringLiteral("Zahlen"), QString::fromUtf8("\xC3\x9C" "bersicht")};
    // The globals, whose sheet list needs the offsets of the sheets that follow them.
    const auto globals = [&](const std::vector<quint32>& Offsets) {
        TBiffWriter w;
        w.Record(0x0809, Bof(0x0005));
        w.Record(0x0042, Le16(1200)); // code page: UTF-16
        w.Record(0x0022, Le16(0));    // dates count from 1900
        for (size_t i = 0; i < sheets.size(); ++i)
            w.Record(0x0085, Le32(Offsets[i]) + Le16(0) + QByteArray(1, char(sheets[i].size())) + BiffChars(sheets[i]));
        QByteArray sst = Le32(quint32(shared.size())) + Le32(quint32(shared.size()));
        for (const String& t : shared) sst += Le16(int(t.size())) + BiffChars(t);
        w.Record(0x00FC, sst);
        w.Record(0x000A, {});
        return w.Out;
    };
    TBiffWriter first, second;
    first.Record(0x0809, Bof(0x0010));
    first.Record(0x0200, Dimensions(1, 2, 1, 2));
    first.Record(0x00FD, Cell(1, 1) + Le32(0));                            // B2: "Name"
    double value = 12.5;
    first.Record(0x0203, Cell(1, 2) + QByteArray(reinterpret_cast<const char*>(&value), 8)); // C2: 12.5
    first.Record(0x027E, Cell(2, 1) + Le32((42u << 2) | 2u));              // B3: 42 as an integer RK
    first.Record(0x00FD, Cell(2, 2) + Le32(1));                            // C3: a UTF-16 text
    first.Record(0x000A, {});
    second.Record(0x0809, Bof(0x0010));
    second.Record(0x0200, Dimensions(4, 4, 3, 3));
    second.Record(0x00FD, Cell(4, 3) + Le32(2)); // D5: "solo"
    second.Record(0x000A, {});
    const quint32 start = quint32(globals({0, 0}).size());
    QByteArray stream = globals({start, start + quint32(first.Out.size())}) + first.Out + second.Out;
    stream.append(QByteArray(std::max<qsizetype>(0, 4096 - stream.size()), '\0'));
    const int sectors = int((stream.size() + 511) / 512);
    stream.append(QByteArray(sectors * 512 - stream.size(), '\0'));

    QByteArray header = QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(16, '\0');
    header += Le16(0x003E) + Le16(0x0003) + Le16(0xFFFE) + Le16(9) + Le16(6) + QByteArray(6, '\0');
    header += Le32(0) + Le32(1) + Le32(1) + Le32(0) + Le32(4096); // no dir count (v3), 1 FAT sector, directory in 1
    header += Le32(0xFFFFFFFE) + Le32(0) + Le32(0xFFFFFFFE) + Le32(0); // no mini FAT, no DIFAT sectors
    header += Le32(0); // the FAT is sector 0
    for (int i = 1; i < 109; ++i) header += Le32(0xFFFFFFFF);

    QByteArray fat = Le32(0xFFFFFFFD) + Le32(0xFFFFFFFE);
    for (int i = 0; i < sectors; ++i) fat += Le32(i + 1 < sectors ? quint32(2 + i + 1) : 0xFFFFFFFEu);
    while (fat.size() < 512) fat += Le32(0xFFFFFFFF);

    const auto entry = [](const String& Name, int Type, quint32 Child, quint32 Start, quint32 Size) {
        QByteArray e;
        for (const QChar c : Name) e += Le16(c.unicode());
        e.append(64 - e.size(), '\0');
        e += Le16(Name.isEmpty() ? 0 : int(Name.size() + 1) * 2);
        e += QByteArray(1, char(Type)) + QByteArray(1, char(1)); // black in the red-black tree
        e += Le32(0xFFFFFFFF) + Le32(0xFFFFFFFF) + Le32(Child);
        e += QByteArray(16 + 4 + 16, '\0'); // class id, state, times
        e += Le32(Start) + Le32(Size) + Le32(0);
        return e;
    };
    QByteArray dir = entry(QStringLiteral("Root Entry"), 5, 1, 0xFFFFFFFE, 0) +
                     entry(QStringLiteral("Workbook"), 2, 0xFFFFFFFF, 2, quint32(stream.size())) +
                     entry(String(), 0, 0xFFFFFFFF, 0, 0) + entry(String(), 0, 0xFFFFFFFF, 0, 0);
    return header + fat + dir + stream;
}

TEST_F(OfficeGrid, ALegacyWorkbookIsReadThroughFreeXL)
{
    folder.Write(QStringLiteral("old.xls"), LegacyWorkbook());
    const String file = folder.File(QStringLiteral("old.xls"));
    auto names = std::unique_ptr<TStringList>(grid->GetXLSSheets(file));
    ASSERT_EQ(names->Count(), 2);
    EXPECT_EQ((*names)[0], String("Zahlen"));
    EXPECT_EQ((*names)[1], QString::fromUtf8("\xC3\x9C" "bersicht"));

    grid->SetSaveFixedCells(true);
    grid->LoadFromXLS(file);
    ASSERT_EQ(grid->ColCount(), 2);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(0, 0), String("Name"));
    EXPECT_EQ(grid->Cells(1, 0), FloatToStr(12.5));
    EXPECT_EQ(grid->Cells(0, 1), String("42"));
    EXPECT_EQ(grid->Cells(1, 1), QString::fromUtf8("\xC5\x81\xC3\xB3" "d\xC5\xBA"));

    grid->LoadFromXLSSheet(file, QString::fromUtf8("\xC3\x9C" "bersicht"));
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->Cells(0, 0), String("solo"));

    // The compound file's signature with nothing sound behind it.
    QByteArray broken = LegacyWorkbook();
    broken.truncate(700);
    folder.Write(QStringLiteral("broken.xls"), broken);
    const String brokenFile = folder.File(QStringLiteral("broken.xls"));
    try {
        grid->LoadFromXLS(brokenFile);
        ADD_FAILURE() << "no error for a broken legacy workbook";
    } catch (const EZvGridError& e) {
        EXPECT_TRUE(e.Message().contains(brokenFile)) << e.Message().toStdString();
    }
    EXPECT_EQ(grid->Cells(0, 0), String("solo"));
}

// ---- Documents ----

struct DocTable {
    std::vector<std::vector<std::pair<String, String>>> Rows; // text, alignment ("" for left)
};

TXMLNode Child(const TXMLNode& N, const char* Name) { return N.ChildNode(String(Name)); }

String ParagraphText(const TXMLNode& P)
{
    String line;
    for (const TXMLNode& r : P.ChildNodes())
        for (const TXMLNode& t : r.ChildNodes()) {
            if (t.NodeName() == u"w:t") line += t.Text();
            if (t.NodeName() == u"w:tab") line += u'\t';
        }
    return line;
}

// A cell's paragraphs, one line each.
String CellText(const TXMLNode& Tc)
{
    QStringList lines;
    for (const TXMLNode& p : Tc.ChildNodes())
        if (p.NodeName() == u"w:p") lines << ParagraphText(p);
    return lines.join(u'\n');
}

DocTable ReadTable(const TXMLNode& Tbl)
{
    DocTable t;
    for (const TXMLNode& tr : Tbl.ChildNodes()) {
        if (tr.NodeName() != u"w:tr") continue;
        t.Rows.emplace_back();
        for (const TXMLNode& tc : tr.ChildNodes()) {
            if (tc.NodeName() != u"w:tc") continue;
            const String jc = Child(Child(Child(tc, "w:p"), "w:pPr"), "w:jc").Attribute(QStringLiteral("w:val"));
            t.Rows.back().emplace_back(CellText(tc), jc);
        }
    }
    return t;
}

// The body's children by name, and the document's XML.
std::vector<TXMLNode> BodyOf(TXMLDocument& Doc, const QByteArray& Package)
{
    Doc.LoadFromBytes(TOfficePackage::FromBytes(Package).Part(QStringLiteral("word/document.xml")));
    return Child(Doc.DocumentElement(), "w:body").ChildNodes();
}

TEST_F(OfficeGrid, ADocumentHoldsTheGridAsATableWithTextsAndAlignment)
{
    Fill({{"", "Left", "Right", "Centre"}, {"1", "a & b", "12", "mid"}, {"2", "tab\there", "", "x\r\ny"}});
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    grid->SetAlignments(2, 1, TAlignment::taRightJustify);
    grid->SetAlignments(3, 1, TAlignment::taCenter);
    grid->SetText(QStringLiteral("My grid"));
    const String file = folder.File(QStringLiteral("out.docx"));
    grid->SaveToDOC(file, true);

    TXMLDocument doc;
    const auto body = BodyOf(doc, folder.Read(QStringLiteral("out.docx")));
    ASSERT_GE(body.size(), 4u);
    EXPECT_EQ(body[0].NodeName(), String("w:tbl")); // at the document's start
    EXPECT_EQ(ParagraphText(body[1]), String("My grid"));
    EXPECT_EQ(body.back().NodeName(), String("w:sectPr"));
    const DocTable t = ReadTable(body[0]);
    ASSERT_EQ(t.Rows.size(), 3u); // all rows and columns, the fixed ones too
    for (const auto& row : t.Rows) ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(t.Rows[0][1].first, String("Left"));
    EXPECT_EQ(t.Rows[1][1].first, String("a & b"));
    EXPECT_EQ(t.Rows[2][1].first, String("tab\there"));
    EXPECT_EQ(t.Rows[2][3].first, String("x\ny")); // a line break becomes a second paragraph
    EXPECT_EQ(t.Rows[1][2], std::make_pair(String("12"), String("right")));
    EXPECT_EQ(t.Rows[1][3], std::make_pair(String("mid"), String("center")));
    EXPECT_EQ(t.Rows[1][1].second, String());
}

// A document with a bookmark in the middle of a paragraph, and text around it.
QByteArray DocumentWithBookmark()
{
    TOfficePackage p = TOfficePackage::FromBytes(NewDocument(String(), {}));
    p.SetPart(QStringLiteral("word/document.xml"),
              "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
              "<w:body><w:p><w:r><w:t>Intro</w:t></w:r></w:p>"
              "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r><w:t>Before</w:t></w:r>"
              "<w:bookmarkStart w:id=\"0\" w:name=\"Here\"/><w:r><w:t>After</w:t></w:r><w:bookmarkEnd w:id=\"0\"/></w:p>"
              "<w:p><w:r><w:t>End</w:t></w:r></w:p><w:sectPr/></w:body></w:document>");
    return p.ToBytes();
}

TEST_F(OfficeGrid, AppendToDocPlacesTheTableAtTheBookmarkOrAtTheEnd)
{
    Fill({{"h1", "h2"}, {"v1", "v2"}});
    grid->SetText(QStringLiteral("Typed"));
    const struct {
        const char* Bookmark;
        std::vector<const char*> Expected; // the body: "T" for the table, else a paragraph's text
    } cases[] = {
        {"Here", {"Typed", "Intro", "Before", "T", "After", "End", "sect"}},
        {"Nowhere", {"Typed", "Intro", "BeforeAfter", "End", "", "T", "", "sect"}},
        {"", {"Typed", "Intro", "BeforeAfter", "End", "", "T", "", "sect"}},
    };
    for (const auto& c : cases) {
        folder.Write(QStringLiteral("doc.docx"), DocumentWithBookmark());
        grid->AppendToDoc(folder.File(QStringLiteral("doc.docx")), String(c.Bookmark));
        TXMLDocument doc;
        const auto body = BodyOf(doc, folder.Read(QStringLiteral("doc.docx")));
        std::vector<String> got;
        for (const TXMLNode& n : body)
            got.push_back(n.NodeName() == u"w:tbl" ? String("T") : n.NodeName() == u"w:sectPr" ? String("sect") : ParagraphText(n));
        std::vector<String> expected(c.Expected.begin(), c.Expected.end());
        EXPECT_EQ(got, expected) << c.Bookmark;
        for (const TXMLNode& n : body)
            if (n.NodeName() == u"w:tbl") {
                const DocTable t = ReadTable(n);
                ASSERT_EQ(t.Rows.size(), 2u);
                EXPECT_EQ(t.Rows[1][1].first, String("v2"));
            }
    }
    // Spelling marks are hidden in the settings, after the view settings that precede the flag.
    {
        TOfficePackage p = TOfficePackage::FromBytes(DocumentWithBookmark());
        p.SetPart(QStringLiteral("word/settings.xml"),
                  "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                  "<w:zoom w:percent=\"100\"/><w:defaultTabStop w:val=\"708\"/></w:settings>");
        folder.Write(QStringLiteral("doc.docx"), p.ToBytes());
        grid->AppendToDoc(folder.File(QStringLiteral("doc.docx")), QStringLiteral("Here"));
        TXMLDocument settings;
        settings.LoadFromBytes(TOfficePackage::FromBytes(folder.Read(QStringLiteral("doc.docx"))).Part(QStringLiteral("word/settings.xml")));
        std::vector<String> order;
        for (const TXMLNode& n : settings.DocumentElement().ChildNodes()) order.push_back(n.NodeName());
        EXPECT_EQ(order, (std::vector<String>{"w:zoom", "w:hideSpellingErrors", "w:defaultTabStop"}));
    }
    // The split keeps the paragraph's look on both halves and the bookmark with the text after it.
    TXMLDocument doc;
    folder.Write(QStringLiteral("doc.docx"), DocumentWithBookmark());
    grid->AppendToDoc(folder.File(QStringLiteral("doc.docx")), QStringLiteral("Here"));
    const auto body = BodyOf(doc, folder.Read(QStringLiteral("doc.docx")));
    EXPECT_EQ(Child(Child(body[4], "w:pPr"), "w:jc").Attribute(QStringLiteral("w:val")), String("center"));
    EXPECT_FALSE(Child(body[4], "w:bookmarkStart").IsNull());
    EXPECT_TRUE(Child(body[2], "w:bookmarkStart").IsNull());
}

// ---- Databases ----

// Records given in the test; Values: null pointers stand for empty fields.
class TScriptedRecords : public TZvRecordSource {
public:
    std::vector<String> Names;
    std::vector<std::vector<const char*>> Records;
    int Count = -1;
    size_t At = 0;
    int FieldCount() const override { return int(Names.size()); }
    String FieldName(int Index) const override { return Names[size_t(Index)]; }
    int RecordCount() const override { return Count; }
    bool Eof() const override { return At >= Records.size(); }
    bool HasValue(int Index) const override { return Records[At][size_t(Index)] != nullptr; }
    String Value(int Index) const override { return String::fromUtf8(Records[At][size_t(Index)]); }
    void MoveNext() override { ++At; }
};

TEST_F(OfficeGrid, ADatabaseQueryFillsTheGridBelowItsFieldNames)
{
    const struct {
        const char* Name;
        int FixedRows, FixedCols, StartRows;
        std::vector<std::vector<const char*>> Records;
        int Count;
        int ExpectRows;
    } cases[] = {
        {"grows row by row", 1, 1, 2, {{"1", "Anna"}, {"2", nullptr}, {"3", "Cleo"}}, -1, 4},
        {"known count", 1, 1, 9, {{"1", "Anna"}, {"2", "Ben"}}, 2, 3},
        {"no fixed rows", 0, 0, 1, {{"1", "Anna"}}, -1, 1},
        {"no records", 1, 1, 5, {}, -1, 5},
    };
    for (const auto& c : cases) {
        grid->SetColCount(5);
        grid->SetRowCount(c.StartRows);
        grid->SetFixedRows(c.FixedRows);
        grid->SetFixedCols(c.FixedCols);
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int col = 0; col < grid->ColCount(); ++col) grid->SetCells(col, r, QStringLiteral("old"));
        String gotFile, gotSQL;
        grid->OfficeService().SetRecordSourceOpener([&](const String& File, const String& SQL) {
            gotFile = File;
            gotSQL = SQL;
            auto s = std::make_unique<TScriptedRecords>();
            s->Names = {QStringLiteral("Id"), QStringLiteral("Name")};
            s->Records = c.Records;
            s->Count = c.Count;
            return s;
        });
        grid->LoadFromMDBTable(QStringLiteral("/data/shop.mdb"), QStringLiteral("Order Details"));
        EXPECT_EQ(gotFile, String("/data/shop.mdb")) << c.Name;
        EXPECT_EQ(gotSQL, String("SELECT * FROM [Order Details]")) << c.Name;
        EXPECT_EQ(grid->ColCount(), 2 + c.FixedCols) << c.Name;
        EXPECT_EQ(grid->RowCount(), c.ExpectRows) << c.Name;
        if (c.FixedRows > 0) {
            EXPECT_EQ(grid->Cells(c.FixedCols, c.FixedRows - 1), String("Id")) << c.Name;
            EXPECT_EQ(grid->Cells(c.FixedCols + 1, c.FixedRows - 1), String("Name")) << c.Name;
        }
        for (size_t i = 0; i < c.Records.size(); ++i)
            for (int f = 0; f < 2; ++f) {
                const char* v = c.Records[i][size_t(f)];
                EXPECT_EQ(grid->Cells(c.FixedCols + f, c.FixedRows + int(i)), String::fromUtf8(v ? v : ""))
                    << c.Name << " record " << i;
            }
        if (c.Records.empty()) {
            EXPECT_EQ(grid->Cells(1, 1), String("old")) << c.Name; // nothing below the header changes
        }
    }
}

TEST(OfficeDatabase, TableNamesAreQuotedAsIdentifiers)
{
    EXPECT_EQ(SelectAllFrom(QStringLiteral("Kunden")), String("SELECT * FROM [Kunden]"));
    EXPECT_EQ(SelectAllFrom(QStringLiteral("x; DROP TABLE y")), String("SELECT * FROM [x; DROP TABLE y]"));
    EXPECT_EQ(SelectAllFrom(QStringLiteral("a]b")), String("SELECT * FROM \"a]b\""));
    EXPECT_THROW(SelectAllFrom(QStringLiteral("a]\"b")), EZvGridError);
}

// No .mdb file can be made here (mdbtools reads them only), so the library is
// driven only as far as it refuses what is no database; the database is closed
// on those paths as on every other (the sanitizer build would show the leak).
TEST_F(OfficeGrid, TheDatabaseReaderRefusesWhatIsNoDatabaseNamingTheFile)
{
    folder.Write(QStringLiteral("fake.mdb"), QByteArray(4096, 'x'));
    for (const String& file : {folder.File(QStringLiteral("fake.mdb")), folder.File(QStringLiteral("missing.mdb"))}) {
        try {
            grid->LoadFromMDBTable(file, QStringLiteral("T"));
            ADD_FAILURE() << "no error for " << file.toStdString();
        } catch (const EZvGridError& e) {
            EXPECT_TRUE(e.Message().contains(file)) << e.Message().toStdString();
        }
    }
}

} // namespace
