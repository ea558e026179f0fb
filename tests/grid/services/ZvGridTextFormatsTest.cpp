// The grid's text formats: delimited text (golden bytes, quoting, delimiter detection, joined quoted lines, code
// pages, broken input), fixed-width text, the grid text file, the text table and CellToReal. Round trips over a
// seeded random grid state what each format may change.

#include "grid/ZvGrid.h"

#include "grid/services/ZvGridDelimitedText.h"
#include "grid/support/ZvGridTypes.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// UTF-16 little-endian with its byte-order mark.
QByteArray EncodeForTest(const String& text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

struct TextFormats : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TZvStringGrid> grid = std::make_unique<TZvStringGrid>(nullptr);

    void SetUp() override
    {
        grid->SetColCount(1);
        grid->SetRowCount(1);
    }

    String Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray Bytes(const String& path)
    {
        QByteArray b;
        ReadFileBytes(path, b);
        return b;
    }
    static void Write(const String& path, const QByteArray& bytes) { SaveFileAtomically(path, bytes); }
    void Fill(const std::vector<std::vector<String>>& rows)
    {
        grid->SetRowCount(int(rows.size()));
        grid->SetColCount(int(rows.front().size()));
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[r].size()); ++c) grid->SetCells(c, r, rows[r][c]);
    }
    std::vector<String> Row(int r) const
    {
        std::vector<String> row;
        for (int c = 0; c < grid->ColCount(); ++c) row.push_back(grid->Cells(c, r));
        return row;
    }
    void LoadCSV(const QByteArray& bytes, int maxRows = 0)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        grid->LoadFromCSVStream(&buffer, maxRows);
    }
};

// ---- Delimited text: writing --------------------------------------------------------------------------------------

TEST_F(TextFormats, CSVGoldenWithAndWithoutByteOrderMark)
{
    Fill({{"a", "b\"c", ""}, {"x\r\ny", QStringLiteral("W\u00e4rme \u20ac"), "1,5"}});
    grid->SaveToCSV(Path("plain.csv"), false);
    const QByteArray plain = QByteArray("a,\"b\"\"c\",\"\"\r\n") +   // a quote doubles and quotes; empty is ""
                             "\"x\x0By\",W\xE4rme \x80,\"1,5\"\r\n";   // CR LF as 11; 1252 bytes; delimiter quoted
    EXPECT_EQ(Bytes(Path("plain.csv")), plain);
    grid->SaveToCSV(Path("unicode.csv"), true);
    EXPECT_EQ(Bytes(Path("unicode.csv")),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("a,\"b\"\"c\",\"\"\r\n\"x\x0By\",W\u00e4rme \u20ac,\"1,5\"\r\n").toUtf8());

    grid->SetOemConvert(true);
    grid->SaveToCSV(Path("oem.csv"), false);
    EXPECT_EQ(Bytes(Path("oem.csv")).mid(19, 7), QByteArray("W\x84rme ?")) << "850 has no euro sign";
}

TEST_F(TextFormats, CSVFieldRulesAsATable)
{
    const struct {
        const char* Name;
        String Text;
        std::function<void(TZvStringGrid&)> Set;
        QByteArray Written;
    } cases[] = {
        {"plain", "abc", {}, "abc"},
        {"always quotes", "abc", [](TZvStringGrid& g) { g.SetAlwaysQuotes(true); }, "\"abc\""},
        {"empty, quoted", "", {}, "\"\""},
        {"empty, not quoted", "", [](TZvStringGrid& g) { g.SetQuoteEmptyCells(false); }, ""},
        {"Java empty", "", [](TZvStringGrid& g) { g.SetJavaCSV(true); }, "^"},
        {"Java line break", "x\r\ny", [](TZvStringGrid& g) { g.SetJavaCSV(true); }, "x~y"},
        {"Java delimiter", "a,b", [](TZvStringGrid& g) { g.SetJavaCSV(true); }, "\"a,b\""},
        {"quote and delimiter", "a\",b", {}, "\"a\"\",b\""},
        {"quoted line break", "q\"\r\nz", {}, "\"q\"\"\nz\""},
        {"bare LF", "a\nb", {}, "\"a\nb\""},
        {"leading spaces", "  a", {}, "\"  a\""},
        {"own delimiter", "a;b", [](TZvStringGrid& g) { g.SetDelimiter(u';'); }, "\"a;b\""},
        {"other delimiter", "a,b", [](TZvStringGrid& g) { g.SetDelimiter(u';'); }, "a,b"},
    };
    for (const auto& c : cases) {
        grid = std::make_unique<TZvStringGrid>(nullptr);
        grid->SetColCount(1);
        if (c.Set) c.Set(*grid);
        Fill({{c.Text}});
        grid->SaveToCSV(Path("f.csv"));
        EXPECT_EQ(Bytes(Path("f.csv")), c.Written + "\r\n") << c.Name;
        grid->SetCells(0, 0, "changed");
        grid->LoadFromCSV(Path("f.csv"));
        const String back = c.Text == "q\"\r\nz" ? String("q\"\nz") : c.Text;   // a quoted CR LF comes back as LF
        if (!QByteArray(c.Name).startsWith("empty, not")) {
            EXPECT_EQ(grid->Cells(0, 0), back) << c.Name;
        }
    }
}

TEST_F(TextFormats, AppendKeepsTheFileAndRefusesAMissingOne)
{
    Write(Path("a.csv"), "old,line\r\n");
    Fill({{"n", "m"}});
    grid->AppendToCSV(Path("a.csv"));
    EXPECT_EQ(Bytes(Path("a.csv")), QByteArray("old,line\r\nn,m\r\n"));
    EXPECT_THROW(grid->AppendToCSV(Path("missing.csv")), EFOpenError);
    EXPECT_FALSE(FileExists(Path("missing.csv")));
    // A file with a byte-order mark stays Unicode, so none of its characters is lost.
    Write(Path("u.csv"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("\u4e2d\r\n").toUtf8());
    grid->AppendToCSV(Path("u.csv"), false);
    EXPECT_EQ(Bytes(Path("u.csv")), QByteArray("\xEF\xBB\xBF") + QStringLiteral("\u4e2d\r\nn,m\r\n").toUtf8());
}

// ---- Delimited text: reading --------------------------------------------------------------------------------------

TEST(CSVDelimiter, DetectionCases)
{
    const struct {
        String First, Second;
        QChar Expected;
    } cases[] = {
        {"a;\"b,c\";d", "e;\"f,g\";h", u';'},   // two semicolons each, a comma inside quotes
        {"a,b,c", "d,e,f", u','},
        {"a;b;c;d", "", u';'},                   // one line: the most frequent candidate
        {"a|b|c", "d|e|f", u'|'},
        {"a\tb", "c\td", u'\t'},
        {"a,b;c", "d;e,f", u','},                // equal counts: the earlier candidate
        {"a,b,c;x", "d;e;f", u','},              // no equal count: the largest plain count, earlier on a tie
        {"abc", "def", QChar()},                 // nothing to split at
        {"1-2-3", "4-5-6", u'-'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectCSVDelimiter(c.First, c.Second), c.Expected) << c.First.toStdString();
}

TEST(CSVLine, UnpairedQuoteCases)
{
    const struct {
        String Line;
        std::vector<String> Fields;
        bool Open;
    } cases[] = {
        {"a,b", {"a", "b"}, false},
        {"\"a,b\",c", {"a,b", "c"}, false},
        {"\"a\"\"b\",c", {"a\"b", "c"}, false},
        {"\"a\"stray,c", {"a", "c"}, false},            // stray text after the closing quote is dropped
        {"\"open,c", {"open,c"}, true},                 // no closing quote: the rest is the field
        {"x,\"a", {"x", "a"}, true},                    // a last field left open joins the next line
        {"x,\"a\"\"", {"x", "a\""}, true},              // an even run at the end does not close
        {"  a,  \"b\"", {"a", "b"}, false},             // leading spaces go
        {"a,b,", {"a", "b"}, false},
        {"\"\",\"\"", {"", ""}, false},
        {"a\x0B" "b,c", {"a\r\nb", "c"}, false},        // 11 is a line break
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCSVLine(c.Line, u',', false), c.Fields) << c.Line.toStdString();
        EXPECT_EQ(CSVQuoteOpen(c.Line, u','), c.Open) << c.Line.toStdString();
    }
    EXPECT_EQ(SplitCSVLine("x~y,^", u',', true), (std::vector<String>{"x\r\ny", ""}));
}

TEST_F(TextFormats, AQuotedFieldSpanningLinesIsOneCell)
{
    LoadCSV("h1,h2\r\n\"line one\r\nline two\",b\r\nc,\"x\ny\"\r\n");
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(Row(1), (std::vector<String>{"line one\r\nline two", "b"}));
    EXPECT_EQ(Row(2), (std::vector<String>{"c", "x\ny"}));
    // A quote left open to the end joins nothing: each line stands alone and nothing is lost.
    LoadCSV("a,\"never closed\r\nb,c\r\n");
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(Row(0), (std::vector<String>{"a", "never closed"}));
    EXPECT_EQ(Row(1), (std::vector<String>{"b", "c"}));
}

TEST_F(TextFormats, LoadingSizesTheGridAndHonoursItsSettings)
{
    grid->SetRowCount(50);
    LoadCSV("a;b;c\r\nd;e\r\n");
    EXPECT_EQ(grid->RowCount(), 2) << "cut to the rows read";
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->MaxRowCount(), 2);
    EXPECT_EQ(grid->Delimiter(), QChar()) << "the detected delimiter is for that read only";

    grid->SetLoadFirstRow(false);
    LoadCSV("head\r\n1\r\n2\r\n3\r\n", 2);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(0, 0), String("1"));
    EXPECT_EQ(grid->Cells(0, 1), String("2"));

    grid->SetLoadFirstRow(true);
    Write(Path("i.csv"), "x,y\r\n");
    grid->InsertFromCSV(Path("i.csv"));
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Cells(1, 2), String("y"));

    std::vector<short> progress;
    grid->OnFileProgress = [&](TObject*, short p) { progress.push_back(p); };
    LoadCSV("1\r\n2\r\n3\r\n4\r\n");
    EXPECT_EQ(progress, (std::vector<short>{25, 50, 75, 100}));
}

TEST_F(TextFormats, CodePagesOfReadFiles)
{
    LoadCSV("W\xE4rme,\x80\r\n");   // not UTF-8: Windows-1252
    EXPECT_EQ(Row(0), (std::vector<String>{QStringLiteral("W\u00e4rme"), QStringLiteral("\u20ac")}));
    LoadCSV(QStringLiteral("\u00e4,\u4e2d\r\n").toUtf8());   // valid UTF-8 without a mark
    EXPECT_EQ(Row(0), (std::vector<String>{QStringLiteral("\u00e4"), QStringLiteral("\u4e2d")}));
    LoadCSV(QByteArray("\xFF\xFE", 2) + QByteArray("a\0,\0b\0", 6));   // UTF-16 with its mark
    EXPECT_EQ(Row(0), (std::vector<String>{"a", "b"}));
    grid->SetOemConvert(true);
    LoadCSV("W\x84rme,\x9C\r\n");   // page 850
    EXPECT_EQ(Row(0), (std::vector<String>{QStringLiteral("W\u00e4rme"), QStringLiteral("\u00a3")}));
}

TEST_F(TextFormats, EmptyInputIsRefusedOrIgnoredAndNothingChanges)
{
    Fill({{"keep"}});
    EXPECT_THROW(LoadCSV(""), Exception);
    EXPECT_THROW(LoadCSV("\xEF\xBB\xBF"), Exception);
    Write(Path("empty.csv"), "");
    grid->LoadFromCSV(Path("empty.csv"));
    grid->InsertFromCSV(Path("empty.csv"));
    EXPECT_EQ(grid->Cells(0, 0), String("keep"));
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_THROW(grid->LoadFromCSV(Path("missing.csv")), EFOpenError);
    try {
        LoadCSV("");
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), String("File is empty"));
    }
}

// A load cannot start inside another load of the same grid.
TEST_F(TextFormats, ALoadCannotBeReentered)
{
    String refused;
    grid->OnFileProgress = [&](TObject*, short) {
        if (!refused.isEmpty()) return;
        try {
            LoadCSV("inner\r\n");
        } catch (const EZvGridError& e) {
            refused = e.Message();
        }
    };
    LoadCSV("a\r\nb\r\n");
    EXPECT_EQ(refused, String("The grid is already loading a file"));
    EXPECT_EQ(grid->Cells(0, 1), String("b"));
}

// ---- Round trips ---------------------------------------------------------------------------------------------

std::vector<std::vector<String>> RandomCells(quint32 seed, int cols, int rows)
{
    static const String pieces[] = {"a", "Zz", "\"", ",", ";", "\t", "\r\n", "\n", QStringLiteral("\u00e4\u00b0"),
                                    "", " ", "<b>x</b>", "~", "1.5", "|"};
    QRandomGenerator random(seed);
    auto cells = std::vector<std::vector<String>>(static_cast<std::size_t>(rows), std::vector<String>(static_cast<std::size_t>(cols)));
    for (auto& row : cells)
        for (String& cell : row) {
            const int n = int(random.bounded(4));
            for (int k = 0; k < n; ++k) cell += pieces[random.bounded(int(std::size(pieces)))];
        }
    return cells;
}

// What each format may change of a cell's text: CSV turns a quoted CR LF into LF, drops a field of only spaces'
// leading spaces, and cannot tell a tilde (Java) from a line break; the grid text file keeps every text but a
// tab or the character 8 of a multi-line text, which stand for its line breaks.
TEST_F(TextFormats, RoundTripsOverASeededRandomGrid)
{
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u}) {
        const auto cells = RandomCells(seed, 6, 12);
        const auto roundTrip = [&](const std::function<void(TZvStringGrid&)>& set,
                                   const std::function<void(TZvStringGrid&, TZvStringGrid&)>& carry,
                                   const std::function<String(const String&)>& expected, const char* what) {
            TZvStringGrid source(nullptr), target(nullptr);
            if (set) {
                set(source);
                set(target);
            }
            source.SetColCount(6);
            source.SetRowCount(12);
            for (int r = 0; r < 12; ++r)
                for (int c = 0; c < 6; ++c) source.SetCells(c, r, cells[std::size_t(r)][std::size_t(c)]);
            carry(source, target);
            for (int r = 0; r < 12; ++r)
                for (int c = 0; c < 6; ++c)
                    ASSERT_EQ(target.Cells(c, r), expected(cells[std::size_t(r)][std::size_t(c)]))
                        << what << " seed " << seed << " cell " << c << "," << r;
        };
        const String path = Path("round");
        for (bool unicode : {false, true}) {
            roundTrip([](TZvStringGrid& g) {
                          g.SetMultilinecells(true);
                          g.SetDelimiter(u',');
                      },
                      [&](TZvStringGrid& s, TZvStringGrid& t) {
                          s.SaveToCSV(path, unicode);
                          t.LoadFromCSV(path);
                      },
                      [](const String& text) {
                          // A text quoted for its quote (without a delimiter) or its leading space keeps its line
                          // breaks as they are, so a CR LF comes back as LF; every other text comes back whole.
                          const bool quoted = (text.contains(u'"') && !text.contains(u',')) || text.startsWith(u' ');
                          return quoted ? String(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) : text;
                      },
                      unicode ? "CSV (UTF-8)" : "CSV (1252)");
            roundTrip([](TZvStringGrid& g) { g.SetMultilinecells(true); },
                      [&](TZvStringGrid& s, TZvStringGrid& t) {
                          s.SaveToFile(path, unicode);
                          t.LoadFromFile(path);
                      },
                      [](const String& text) {
                          if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
                          return String(text).replace(u'\t', u'\r');
                      },
                      unicode ? "grid text file (UTF-16)" : "grid text file (1252)");
        }
        roundTrip([](TZvStringGrid& g) { g.SetMultilinecells(true); },
                  [&](TZvStringGrid& s, TZvStringGrid& t) { t.Assign(&s); },
                  [](const String& text) {
                      if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
                      return String(text).replace(u'\t', u'\r');
                  },
                  "grid text stream");
    }
}

// ---- Fixed width ------------------------------------------------------------------------------------------------

TEST_F(TextFormats, FixedWidthGoldenAndBack)
{
    Fill({{"id", "name"}, {"1", "Anna"}, {"22", QStringLiteral("J\u00f6rg-Friedrich")}});
    TIntList widths;
    grid->SaveToFixed(Path("f.txt"), &widths);
    EXPECT_EQ(widths.CommaText(), String("3,15")) << "an empty list gets the longest text plus one per column";
    EXPECT_EQ(Bytes(Path("f.txt")), QByteArray("id name           \r\n1  Anna           \r\n22 J\xF6rg-Friedrich \r\n"));

    TIntList narrow;
    narrow.Add(2);
    grid->SaveToFixed(Path("n.txt"), &narrow);
    EXPECT_EQ(Bytes(Path("n.txt")).left(19), QByteArray("idname           \r\n"));

    TZvStringGrid back(nullptr);
    back.SetColCount(7);
    back.SetRowCount(2);
    back.SetFixedCols(1);
    TIntList positions;
    for (int p : {19, 1, 4}) positions.Add(p);
    back.LoadFromFixed(Path("f.txt"), &positions, true, -1);
    EXPECT_EQ(positions.CommaText(), String("1,4,19")) << "sorted in place";
    EXPECT_EQ(back.ColCount(), 3);
    EXPECT_EQ(back.RowCount(), 3);
    EXPECT_EQ(back.Cells(1, 2), String("J\u00f6rg-Friedrich"));
    EXPECT_EQ(back.Cells(0, 1), String("1"));
    back.LoadFromFixed(Path("f.txt"), &positions, false, 0);
    EXPECT_EQ(back.Cells(0, 0), String("id ")) << "MaxRows 0 reads one line, untrimmed";
    EXPECT_EQ(back.Cells(0, 1), String("1")) << "the others stay";
}

TEST_F(TextFormats, FixedWidthFailuresChangeNothing)
{
    Fill({{"keep", "this"}});
    TIntList one;
    one.Add(1);
    EXPECT_THROW(grid->LoadFromFixed(Path("f.txt"), &one, true, -1), EZvGridError);
    TIntList two;
    two.Add(1);
    two.Add(3);
    try {
        grid->LoadFromFixed(Path("missing.txt"), &two, true, -1);
        ADD_FAILURE();
    } catch (const EZvGridError& e) {
        EXPECT_EQ(e.Message(), String("File ") + Path("missing.txt") + " not found");
    }
    try {
        TIntList w;
        grid->SaveToFixed(dir.filePath("no/such/dir.txt"), &w);
        ADD_FAILURE();
    } catch (const EZvGridError& e) {
        EXPECT_EQ(e.Message(), String("Cannot Create file ") + dir.filePath("no/such/dir.txt"));
    }
    EXPECT_EQ(Row(0), (std::vector<String>{"keep", "this"}));
    EXPECT_EQ(grid->ColCount(), 2);
}

// ---- The grid text file ---------------------------------------------------------------------------------------

TEST_F(TextFormats, GridTextFileGolden)
{
    grid->SetColCount(3);
    grid->SetRowCount(2);
    for (int c = 0; c < 3; ++c) grid->SetColWidths(c, 30 + c);
    grid->SetCells(1, 1, "a");
    grid->SaveToFile(Path("g.txt"));
    EXPECT_EQ(Bytes(Path("g.txt")), QByteArray("3,2\r\ncw 0,30\r\ncw 1,31\r\ncw 2,32\r\n1,1,a\r\n"));
    grid->SetCells(2, 0, "x\r\ny");
    grid->SetCells(0, 1, "lf\nonly");
    grid->SaveToFile(Path("u.txt"), true);
    EXPECT_EQ(Bytes(Path("u.txt")),
              EncodeForTest(QStringLiteral("3,2\r\ncw 0,30\r\ncw 1,31\r\ncw 2,32\r\n2,0,x\t\by\r\n0,1,lf\bonly\r\n1,1,a\r\n")));
}

TEST_F(TextFormats, GridTextFileReadingSkipsWhatIsNotACell)
{
    Write(Path("g.txt"), "3,2\r\ncw 0,44\r\ncw 9,99\r\n1,1,in\r\nstray text\r\n0,7,outside\r\n2,0,x\t\by\r\n5,\r\n");
    grid->SetCells(0, 0, "kept");
    for (bool multi : {true, false}) {
        grid->SetMultilinecells(multi);
        grid->LoadFromFile(Path("g.txt"));
        EXPECT_EQ(grid->ColCount(), 3);
        EXPECT_EQ(grid->RowCount(), 2);
        EXPECT_EQ(grid->ColWidths(0), 44);
        EXPECT_EQ(grid->Cells(1, 1), String("in"));
        EXPECT_EQ(grid->Cells(0, 0), String("kept")) << "a line without column and row is no cell 0,0";
        EXPECT_EQ(grid->Cells(2, 0), multi ? String("x\r\ny") : String("x"));
    }
}

TEST_F(TextFormats, BrokenGridTextFilesLeaveTheGrid)
{
    Fill({{"a", "b"}, {"c", "d"}});
    for (const QByteArray& bytes : {QByteArray("0,5\r\n1,1,x\r\n"), QByteArray("x,y\r\n"),
                                    QByteArray("99999999,2\r\n"), QByteArray("2,99999999999\r\n")}) {
        Write(Path("bad.txt"), bytes);
        try {
            grid->LoadFromFile(Path("bad.txt"));
            ADD_FAILURE() << bytes.constData();
        } catch (const EZvGridError& e) {
            EXPECT_EQ(e.Message(), String("File contains no data or corrupt file ") + Path("bad.txt"));
        }
        EXPECT_EQ(grid->ColCount(), 2);
        EXPECT_EQ(grid->RowCount(), 2);
        EXPECT_EQ(Row(1), (std::vector<String>{"c", "d"}));
    }
}

// ---- The text table ---------------------------------------------------------------------------------------------

TEST_F(TextFormats, TextTableGoldenWithAlignmentAndContinuationLines)
{
    grid->SetMultilinecells(true);
    Fill({{"Name", "Qty", "Note"}, {"bolt", "1", "two\r\nlines"}, {"nut", "250", "c"}});
    grid->GetCellProperties(1, 1)->SetAlignment(TAlignment::taRightJustify);
    grid->GetCellProperties(2, 2)->SetAlignment(TAlignment::taCenter);
    grid->SaveToASCII(Path("t.txt"));
    const QByteArray table("Name Qty Note  \r\n"
                           "bolt   1 two   \r\n"
                           "         lines\r\n"
                           "nut  250   c   \r\n");
    EXPECT_EQ(Bytes(Path("t.txt")), table);
    grid->AppendToASCII(Path("t.txt"));
    EXPECT_EQ(Bytes(Path("t.txt")), table + table);

    // Widths are full numbers: a column of 300 characters is laid out whole.
    Fill({{String(300, u'w'), "end"}});
    grid->SaveToASCII(Path("w.txt"), true);
    const QByteArray wide = Bytes(Path("w.txt"));
    EXPECT_EQ(wide.left(2), QByteArray("\xFF\xFE"));
    EXPECT_EQ(wide.size(), 2 + (300 + 1 + 3 + 1 + 2) * 2);
}

TEST_F(TextFormats, CellToReal)
{
    Fill({{"(12)", "", "1.5", "abc", "3x"}});
    EXPECT_EQ(grid->CellToReal(0, 0), -12);
    EXPECT_EQ(grid->CellToReal(1, 0), 0);
    EXPECT_EQ(grid->CellToReal(2, 0), 1.5);
    try {
        grid->CellToReal(3, 0);
        ADD_FAILURE();
    } catch (const EZvGridError& e) {
        EXPECT_EQ(e.Message(), String("Error at position: 1 in Cell [3, 0]."));
    }
}

// ---- Big files ----------------------------------------------------------------------------------------------------

TEST_F(TextFormats, ABigFileRoundTrips)
{
    const int rows = 20000;
    grid->SetColCount(4);
    grid->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 4; ++c) grid->SetCells(c, r, QStringLiteral("r%1c%2,\"q\"").arg(r).arg(c));
    grid->SaveToCSV(Path("big.csv"), true);
    TZvStringGrid back(nullptr);
    back.LoadFromCSV(Path("big.csv"));
    EXPECT_EQ(back.RowCount(), rows);
    EXPECT_EQ(back.Cells(3, rows - 1), QStringLiteral("r%1c3,\"q\"").arg(rows - 1));
}

}   // namespace
