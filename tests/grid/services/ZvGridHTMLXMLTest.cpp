// The grid as an HTML table and as an XML list: the documents against golden
// files (plain and XHTML, the latter read back as XML), the cell texts'
// treatment, the pictures written beside the page, the file writers; the XML
// list saved and read back over a random grid, and foreign XML files read with
// attributes, nesting, levels as rows and broken input.
//
// QUILLMER_WRITE_GOLDEN=1 rewrites the golden files from the output.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Pictures.h"
#include "platform/Xml.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

const String GoldenDir = QStringLiteral(QUILLMER_TEST_DATA "/grid-export/");

QByteArray Golden(const String& name, const QByteArray& actual)
{
    QFile file(GoldenDir + name);
    if (qEnvironmentVariableIsSet("QUILLMER_WRITE_GOLDEN")) {
        QDir().mkpath(GoldenDir);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual);
        return actual;
    }
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

struct GridExport : ::testing::Test {
    TTestSeams seams;
    TempFolder folder;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;

    void SetUp() override { grid = MakeGrid(); }
    TZvStringGrid* MakeGrid()
    {
        auto* g = new TZvStringGrid(form.get());
        g->SetParent(form.get());
        g->SetColCount(4);
        g->SetRowCount(4);
        for (TFont* f : {g->Font(), g->FixedFont()}) {
            f->SetName(QStringLiteral("Arial"));
            f->SetSize(10);
        }
        return g;
    }
    // A small table: a header row, a merged cell, colours, an alignment, markup, a link and a line break.
    void FillSample()
    {
        const char* cells[4][4] = {{"", "Name", "Mail", "Note"},
                                   {"1", "Anna", "mailto:anna@example.org", "x < y & z"},
                                   {"2", "B\xC3\xA9la", "http://example.org/a", "two\r\nlines"},
                                   {"3", "<B>bold</B>", "", "  "}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) grid->SetCells(c, r, String::fromUtf8(cells[r][c]));
        grid->SetURLShow(true);
        grid->SetColors(1, 1, 0x00FFCC99);
        grid->SetFontColors(1, 1, 0x000000FF);
        grid->SetAlignments(3, 1, TAlignment::taRightJustify);
        grid->MergeCells(2, 3, 2, 1);
    }
};

// ---- HTML -----------------------------------------------------------------------------------------------------------

TEST_F(GridExport, TheHTMLTableMatchesItsGoldenFile)
{
    FillSample();
    grid->HTMLSettings()->ColWidths()->Add(40);
    grid->HTMLSettings()->ColWidths()->Add(80);
    const String html = grid->SaveToHTMLString(String());
    EXPECT_EQ(html.toUtf8(), Golden(QStringLiteral("table.html"), html.toUtf8()));
    EXPECT_TRUE(html.contains(QStringLiteral("<TD class=\"c0\" nowrap WIDTH=40>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<?xml")));
}

TEST_F(GridExport, DISABLED_XHTMLIsWellFormedAndMatchesItsGoldenFile)
{
    FillSample();
    grid->HTMLSettings()->SetXHTML(true);
    grid->HTMLSettings()->SetConvertSpecialChars(true);
    grid->HTMLSettings()->SetNonBreakingText(true);
    grid->HTMLSettings()->SetSummary(QStringLiteral("a \"quoted\" summary"));
    const String html = grid->SaveToHTMLString(String());
    EXPECT_EQ(html.toUtf8(), Golden(QStringLiteral("table.xhtml"), html.toUtf8()));

    TXMLDocument doc;
    ASSERT_NO_THROW(doc.LoadFromString(html));
    const TXMLNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), String("html"));
    const TXMLNode table = root.ChildNode(QStringLiteral("table"));
    ASSERT_FALSE(table.IsNull());
    EXPECT_EQ(table.Attribute(QStringLiteral("summary")), String("a \"quoted\" summary"));
    const std::vector<TXMLNode> rows = table.ChildNodes();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].ChildNodes().size(), 3u) << "the merged cell covers one";
    EXPECT_EQ(rows[3].ChildNodes()[2].Attribute(QStringLiteral("colspan")), String("2"));
    EXPECT_EQ(rows[1].ChildNodes()[1].Attribute(QStringLiteral("nowrap")), String("nowrap"));
    EXPECT_EQ(rows[1].ChildNodes()[3].Text(), String("x\u00A0<\u00A0y\u00A0&\u00A0z"));
    EXPECT_EQ(rows[2].ChildNodes()[1].Text(), String("B\u00E9la"));

    // The switch changes nothing of the plain document.
    grid->HTMLSettings()->SetXHTML(false);
    const String plain = grid->SaveToHTMLString(String());
    EXPECT_FALSE(plain.contains(QStringLiteral("nowrap=\"nowrap\"")));
    EXPECT_TRUE(plain.contains(QStringLiteral("<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\" SUMMARY=")));
}

TEST_F(GridExport, DISABLED_CellTextsAreConvertedAsTheSettingsSay)
{
    const struct {
        const char* Name;
        const char* Text;
        std::function<void(TZvStringGrid&)> Setup;
        const char* Contains;
    } cases[] = {
        {"plain text stays", "a < b", nullptr, ">a < b</td>"},
        {"special characters", "\xC3\xA9 & <", [](TZvStringGrid& g) { g.HTMLSettings()->SetConvertSpecialChars(true); },
         ">&eacute; &amp; &lt;</td>"},
        {"non-breaking spaces", "a b", [](TZvStringGrid& g) { g.HTMLSettings()->SetNonBreakingText(true); },
         ">a&nbsp;b</td>"},
        {"line breaks", "a\r\nb", nullptr, ">a<br>b</td>"},
        {"blank body text", "   ", nullptr, ">&nbsp;</td>"},
        {"a link shows what follows ://", "http://host/p", [](TZvStringGrid& g) { g.SetURLShow(true); },
         "<a href=http://host/p>host/p</a>"},
        {"the whole link with URLFull", "http://host/p",
         [](TZvStringGrid& g) {
             g.SetURLShow(true);
             g.SetURLFull(true);
         },
         "<a href=http://host/p>http://host/p</a>"},
        {"mail wins over ://", "mailto:a@b://", [](TZvStringGrid& g) { g.SetURLShow(true); },
         "<a href=mailto:a@b://>a@b://</a>"},
        {"markup is no link", "<B>http://x</B>", [](TZvStringGrid& g) { g.SetURLShow(true); }, "><B>http://x</B></td>"},
        {"a node cell shows +", "n", [](TZvStringGrid& g) { g.AddNode(1, 1); }, ">+n</td>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TZvStringGrid* g = MakeGrid();
        g->SetCells(1, 1, String::fromUtf8(c.Text));
        if (c.Setup) c.Setup(*g);
        const String html = g->SaveToHTMLString(String());
        EXPECT_TRUE(html.contains(String::fromUtf8(c.Contains))) << html.toStdString();
        delete g;
    }
}

TEST_F(GridExport, EqualLooksShareOneStyleClass)
{
    grid->SetCells(1, 1, "a");
    grid->SetCells(2, 1, "b");
    grid->SetColors(3, 1, 0x0000FF00);
    const String html = grid->SaveToHTMLString(String());
    EXPECT_TRUE(html.contains(QStringLiteral(".c0 {")));
    EXPECT_TRUE(html.contains(QStringLiteral("<TD class=\"c1\" nowrap>a</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<TD class=\"c1\" nowrap>b</td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("background-color: #00FF00")));
}

// Each picture is a JPEG of its own number, the header's too; every file decodes to the cell picture's size.
TEST_F(GridExport, PicturesAreWrittenOncePerDocumentAsJPEG)
{
    const TSize sizes[] = {{10, 8}, {20, 6}, {7, 7}};
    const TGridCoord at[] = {{1, 0}, {1, 1}, {2, 2}};
    for (int i = 0; i < 3; ++i) {
        TBitmap* bmp = grid->CreateBitmap(at[i].X, at[i].Y, false, TCellHAlign::haLeft, TCellVAlign::vaTop);
        bmp->SetSize(sizes[i].cx, sizes[i].cy);
        bmp->Canvas()->Brush()->SetColor(0x000000FF);
        bmp->Canvas()->FillRect(TRect{0, 0, sizes[i].cx, sizes[i].cy});
    }
    const String file = folder.File(QStringLiteral("page.html"));
    grid->SaveToHTML(file);
    const String page = QString::fromLatin1(folder.Read(QStringLiteral("page.html")));
    for (int i = 0; i < 3; ++i) {
        const String name = QStringLiteral("images/img%1.jpg").arg(i + 1);
        EXPECT_TRUE(page.contains(name)) << name.toStdString();
        QImage image;
        ASSERT_TRUE(DecodeJpeg(folder.Read(name), image)) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(sizes[i].cx, sizes[i].cy)) << name.toStdString();
        const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
        EXPECT_GT(middle.red(), 200);
        EXPECT_LT(middle.blue(), 60);
    }
    EXPECT_FALSE(QFile::exists(folder.File(QStringLiteral("images/img4.jpg"))));
    // The clipboard's copy has no folder: it writes no picture.
    EXPECT_FALSE(grid->SaveToHTMLString(String()).contains(QStringLiteral("<img")));
}

TEST_F(GridExport, TheHTMLFileWritersEncodeAppendAndPreview)
{
    grid->SetCells(1, 1, QStringLiteral("\u00E9\u20AC"));
    const String file = folder.File(QStringLiteral("t.html"));
    grid->SaveToHTML(file, false, false);
    QByteArray bytes = folder.Read(QStringLiteral("t.html"));
    EXPECT_TRUE(bytes.contains(">??</td>"));
    for (char ch : bytes) EXPECT_GE(static_cast<signed char>(ch), 0);

    grid->SaveToHTML(file, false, true);
    bytes = folder.Read(QStringLiteral("t.html"));
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_TRUE(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2)
                    .contains(QStringLiteral(">\u00E9\u20AC</td>")));

    folder.Write(QStringLiteral("head.txt"), "<p>head</p>\r\n");
    folder.Write(QStringLiteral("a.html"), "<p>before</p>\r\n");
    grid->HTMLSettings()->SetHeaderFile(folder.File(QStringLiteral("head.txt")));
    grid->AppendToHTML(folder.File(QStringLiteral("a.html")), true, false);
    const QByteArray appended = folder.Read(QStringLiteral("a.html"));
    EXPECT_TRUE(appended.startsWith("<p>before</p>\r\n<p>head</p>\r\n<style>"));
    ASSERT_EQ(seams.OpenedUrls.size(), 1u);
    EXPECT_TRUE(seams.OpenedUrls[0].endsWith(QStringLiteral("a.html")));

    grid->HTMLSettings()->SetHeaderFile(folder.File(QStringLiteral("missing.txt")));
    EXPECT_THROW(grid->SaveToHTML(file), Exception);
}

// ---- XML ------------------------------------------------------------------------------------------------------------

TEST_F(GridExport, TheXMLListMatchesItsGoldenFileInTheEncodingItDeclares)
{
    grid->SetCells(1, 1, QStringLiteral("a < b & c"));
    grid->SetCells(2, 1, QStringLiteral("\u00E9\u20AC \"q\""));
    grid->SetCells(1, 2, QStringLiteral("&lt; $amp; $5"));
    grid->SetCells(3, 2, QStringLiteral("x\r\ny"));
    grid->SetSaveFixedCells(false);
    TStringList names;
    names.Add(QStringLiteral("first"));
    names.Add(QStringLiteral("second"));
    const String file = folder.File(QStringLiteral("list.xml"));
    grid->SaveToXML(file, QStringLiteral("list"), QStringLiteral("rec"), &names, false);
    const QByteArray bytes = folder.Read(QStringLiteral("list.xml"));
    EXPECT_EQ(bytes, Golden(QStringLiteral("list.xml"), bytes));
    EXPECT_TRUE(bytes.contains("<first>a &lt; b $amp; c</first>"));
    EXPECT_TRUE(bytes.contains("<second>\xE9&#8364; &quot;q&quot;</second>")) << "ISO-8859-1 bytes, the rest as references";

    grid->SetXMLEncoding(QStringLiteral("UTF-8"));
    grid->SaveToXML(file, QStringLiteral("list"), QStringLiteral("rec"), &names, false);
    EXPECT_TRUE(folder.Read(QStringLiteral("list.xml")).contains("<second>\xC3\xA9\xE2\x82\xAC"));

    TZvStringGrid* back = MakeGrid();
    back->SetSaveFixedCells(false);
    back->LoadFromXML(file);
    EXPECT_EQ(back->Cells(1, 1), String("a < b & c"));
    EXPECT_EQ(back->Cells(2, 1), QStringLiteral("\u00E9\u20AC \"q\""));
    EXPECT_EQ(back->Cells(1, 2), String("&lt; $amp; $5"));
    EXPECT_EQ(back->Cells(2, 2), String("x\r\ny")) << "an empty cell is left out: the record is shorter";

    grid->SetXMLEncoding(QStringLiteral("KOI8-R"));
    EXPECT_THROW(grid->SaveToXML(file, "l", "r", nullptr, false), EZvGridError);
    EXPECT_THROW(grid->SaveToXML(folder.File(QStringLiteral("no/such/dir/x.xml")), "l", "r", nullptr), EZvGridError);
}

// Every text of a seeded random grid comes back from the XML list unchanged.
TEST_F(GridExport, AnXMLListReadsBackToTheSameGrid)
{
    const String pieces[] = {"a",    "&",   "&lt;", "$amp;", "$",     "<",         ">",      "\"",     "'", " ", "\t",
                             "\r\n", "\n",  "\r",   "\u00E9", "\u20AC", "\U0001F600", "\x01", "\x0B", "]]>", "&#65;", "$#66;",
                             "\"\"", "<B>", "</B>", "|\\",   "=1+2",  "\u0085"};
    std::mt19937 random(29);
    grid->SetColCount(6);
    grid->SetRowCount(12);
    for (int r = 0; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c) {
            String text;
            const int n = int(random() % 5);
            for (int i = 0; i < n; ++i) text += pieces[random() % std::size(pieces)];
            grid->SetCells(c, r, text);
        }
    for (const char* encoding : {"ISO-8859-1", "UTF-8", "windows-1252", "US-ASCII"}) {
        SCOPED_TRACE(encoding);
        grid->SetXMLEncoding(QString::fromLatin1(encoding));
        const String file = folder.File(QStringLiteral("r.xml"));
        grid->SaveToXML(file, QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
        TZvStringGrid* back = MakeGrid();
        back->LoadFromXML(file);
        EXPECT_EQ(back->ColCount(), grid->ColCount());
        EXPECT_EQ(back->RowCount(), grid->RowCount());
        for (int r = 0; r < grid->RowCount(); ++r)
            for (int c = 0; c < grid->ColCount(); ++c)
                EXPECT_EQ(back->Cells(c, r), grid->Cells(c, r)) << c << "," << r;
        delete back;
    }
}

TEST_F(GridExport, DISABLED_ForeignXMLFilesFillCellsByTheirShape)
{
    const struct {
        const char* Name;
        const char* Xml;
        bool LevelToRow, LoadFieldDescr, SaveFixedCells;
        std::vector<String> Rows;   // the grid's rows, cells joined by "|"
    } cases[] = {
        {"one row per record, names into the header", "<list><r><a>1</a><b>2</b></r><r><a>3</a><b>4</b></r></list>",
         false, true, true, {"a|b", "1|2", "3|4"}},
        {"without the names the first record is row 1", "<list><r><a>1</a><b>2</b></r></list>", false, false, false,
         {"|", "1|2"}},
        {"attributes are cells, their names the header",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><list><r id=\"7\" n=\"x&amp;y\"/><r id=\"8\" n=\"\xE9\"/></list>",
         false, false, true, {"7|x&y|", "8|\u00E9|"}},
        {"references unescape once", "<list><r><a>&amp;lt;</a><b>$amp;gt;</b><c>&#36;amp;</c><d><![CDATA[<x>]]></d></r></list>",
         false, false, false, {"|||", "&lt;|&gt;|$amp;|<x>"}},
        {"levels to rows", "<list><r><name>A</name><items><i>1</i><i>2</i></items></r></list>", true, false, true,
         {"A|", "1|2"}},
        {"a first record of one value stays on the first row", "<list><v>x</v><v>y</v></list>", true, false, true,
         {"x|y"}},
        {"empty elements and quoted empties", "<list><r><a/><b>\"\"</b><c>&quot;&quot;</c></r></list>", false, false,
         false, {"||", "||\"\""}},
        {"mixed content keeps its text", "<list><r>t<a>1</a></r></list>", false, false, false, {"|", "t|1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        folder.Write(QStringLiteral("f.xml"), QByteArray(c.Xml));
        TZvStringGrid* g = new TZvStringGrid(form.get());
        g->SetColCount(1);
        g->SetRowCount(1);
        g->SetFixedCols(0);
        g->SetFixedRows(c.LoadFieldDescr || !c.SaveFixedCells ? 1 : 0);
        g->SetSaveFixedCells(c.SaveFixedCells);
        g->LoadFromXML(folder.File(QStringLiteral("f.xml")), c.LevelToRow, c.LoadFieldDescr);
        std::vector<String> rows;
        for (int r = 0; r < g->RowCount(); ++r) {
            QStringList cells;
            for (int col = 0; col < g->ColCount(); ++col) cells << g->Cells(col, r);
            rows.push_back(cells.join(u'|'));
        }
        EXPECT_EQ(rows, c.Rows);
        delete g;
    }
}

TEST_F(GridExport, BrokenXMLIsRefusedBeforeTheGridChanges)
{
    grid->SetCells(1, 1, QStringLiteral("kept"));
    EXPECT_THROW(
        {
            try {
                grid->LoadFromXML(folder.File(QStringLiteral("missing.xml")));
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), String("XML file not found"));
                throw;
            }
        },
        Exception);
    const char* broken[] = {"", "<list>", "<list><r><a>1</a></r>", "<a></b>", "<list>&bogus;</list>",
                            "<list><r a=\"1\" a=\"2\"/></list>", "\xFF\xFE<\0l\0", "<list>\x01</list>", "text only"};
    for (const char* b : broken) {
        folder.Write(QStringLiteral("b.xml"), QByteArray(b));
        try {
            grid->LoadFromXML(folder.File(QStringLiteral("b.xml")));
            ADD_FAILURE() << "accepted: " << b;
        } catch (const Exception& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("XMLDOM Parsing error"))) << e.Message().toStdString();
        }
        EXPECT_EQ(grid->Cells(1, 1), String("kept"));
        EXPECT_EQ(grid->ColCount(), 4);
        EXPECT_EQ(grid->RowCount(), 4);
    }
}

} // namespace
