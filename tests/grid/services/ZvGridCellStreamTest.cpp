// The binary cell stream: the byte layout of a 2 x 3 rectangle, placing a stream's cells, whole-grid streams,
// cell properties, graphics and their pictures and lists, the cell object kept only within this process, and
// broken, truncated and hostile streams, which leave the grid exactly as it was.

#include "grid/ZvGrid.h"

#include "grid/services/ZvGridCellStream.h"
#include "grid/support/ZvGridCellGraphic.h"
#include "platform/ComponentStream.h"
#include "platform/Files.h"
#include "platform/Pictures.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray Short(const QByteArray& s) { return char(s.size()) + s; }

// An integer value as the format writes it: the shortest of 8, 16 and 32 bits.
QByteArray IntValue(qint32 v)
{
    QByteArray b;
    if (v >= -128 && v <= 127) return QByteArray("\x02") + char(qint8(v));
    if (v >= -32768 && v <= 32767) {
        b = QByteArray("\x03", 1);
        b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
        return b;
    }
    b = QByteArray("\x04", 1);
    for (int i = 0; i < 4; ++i) b.append(char((quint32(v) >> (8 * i)) & 0xFF));
    return b;
}

QByteArray Saved(TZvStringGrid& grid, TRect rect)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    grid.SaveRectToBinStream(rect, &buffer);
    return buffer.data();
}

void Load(TZvStringGrid& grid, const QByteArray& bytes, TPoint at = TPoint{0, 0}, bool full = false)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (full) grid.LoadFromBinStream(&buffer);
    else grid.LoadAtPointFromBinStream(at, &buffer);
}

// A header record of a whole-grid stream with these counts.
void Header(TRecordWriter& w, qint64 cols, qint64 rows)
{
    w.BeginRecord("TGridPropIO");
    w.WriteInteger("ColCount", cols);
    w.WriteInteger("RowCount", rows);
    w.WriteBoolean("FullGrid", true);
    w.EndRecord();
}

struct CellStream : ::testing::Test {
    std::unique_ptr<TZvStringGrid> grid = std::make_unique<TZvStringGrid>(nullptr);
    void SetUp() override
    {
        grid->SetColCount(6);
        grid->SetRowCount(8);
    }
};

// The layout byte for byte: a header record, then one cell record per cell, empty cells included.
TEST_F(CellStream, GoldenTwoByThree)
{
    grid->SetColWidths(1, 30);
    grid->SetColWidths(2, 40);
    grid->SetRowHeights(1, 20);
    grid->SetRowHeights(2, 21);
    grid->SetRowHeights(3, 22);
    grid->SetCells(1, 1, "a");
    grid->SetCells(2, 3, QStringLiteral("\u00e4"));
    const qint32 id = qint32(grid->CellStreamService().ID());

    QByteArray expected;
    // TGridPropIO: "TPF0", class name, empty component name
    expected += "TPF0" + Short("TGridPropIO") + Short("");
    expected += Short("ColCount") + IntValue(2);            // 02 02: vaInt8 2
    expected += Short("RowCount") + IntValue(3);            // 02 03
    expected += Short("ColWidths") + "\x06" + Short("30,40");      // 06: vaString, short string
    expected += Short("RowHeights") + "\x06" + Short("20,21,22");
    expected += Short("FullGrid") + "\x08";                 // 08: vaFalse
    expected += Short("ID") + IntValue(id);
    expected += QByteArray(2, '\0');                        // end of properties, end of children
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 2; ++c) {
            expected += "TPF0" + Short("TGridCellIO") + Short("");
            expected += Short("Col") + IntValue(c) + Short("Row") + IntValue(r);
            if (r == 1 && c == 1) expected += Short("Cell") + "\x06" + Short("a");
            // 12: vaWString, 32-bit count of UTF-16 units, the units
            if (r == 3 && c == 2) expected += Short("Cell") + QByteArray("\x12\x01\x00\x00\x00\xE4\x00", 7);
            expected += Short("HasProp") + "\x08" + QByteArray(2, '\0');
        }
    }
    EXPECT_EQ(Saved(*grid, TRect{1, 1, 2, 3}).toHex(' '), expected.toHex(' '));
}

TEST_F(CellStream, ARectangleLandsAtThePointAndAWholeGridReplacesTheGrid)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) grid->SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    const QByteArray rect = Saved(*grid, TRect{0, 0, 1, 2});
    TZvStringGrid target(nullptr);
    target.SetColCount(8);
    target.SetRowCount(12);
    target.SetCells(0, 0, "stays");
    Load(target, rect, TPoint{5, 7});
    EXPECT_EQ(target.Cells(5, 7), String("00"));
    EXPECT_EQ(target.Cells(6, 9), String("12"));
    EXPECT_EQ(target.Cells(0, 0), String("stays"));
    // Cells falling outside are dropped with what they carry.
    Load(target, rect, TPoint{7, 11});
    EXPECT_EQ(target.Cells(7, 11), String("00"));

    grid->SetColWidths(3, 77);
    grid->SetRowHeights(5, 33);
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    grid->SaveToBinStream(&whole);
    TZvGridCellStream::THeader header;
    String error;
    ASSERT_TRUE(TZvGridCellStream::ReadHeader(whole.data(), header, error)) << error.toStdString();
    EXPECT_TRUE(header.FullGrid);
    EXPECT_EQ(header.ID, grid->CellStreamService().ID());
    EXPECT_NE(header.ID, target.CellStreamService().ID());
    Load(target, whole.data(), TPoint{0, 0}, true);
    EXPECT_EQ(target.ColCount(), 6);
    EXPECT_EQ(target.RowCount(), 8);
    EXPECT_EQ(target.ColWidths(3), 77);
    EXPECT_EQ(target.RowHeights(5), 33);
    EXPECT_EQ(target.Cells(0, 0), String("00"));
    EXPECT_EQ(target.Cells(1, 2), String("12"));
}

TEST_F(CellStream, PropertiesGraphicsAndPayloadsTravel)
{
    TCellProperties* p = grid->GetCellProperties(1, 1);
    p->SetBrushColor(0x123456);
    p->SetFontColor(0xFF000008);   // a system colour: negative as a 32-bit number
    p->SetFontName(QStringLiteral("Sans \u00e9"));
    p->SetFontStyle(TFontStyles{TFontStyle::fsBold, TFontStyle::fsStrikeOut});
    p->SetAlignment(TAlignment::taCenter);
    p->SetEditor(TEditorType::edMaskEditBtn);
    p->SetReadOnly(true);
    p->SetCellObject(0xDEADBEEFCAFE);
    grid->AddCheckBox(2, 1, true, false);
    TBitmap bmp(3, 2);
    bmp.Canvas()->SetPixel(1, 1, 0x0000FF);
    grid->AddBitmap(3, 1, &bmp, false, TCellHAlign::haRight, TCellVAlign::vaBottom);   // not owned: no graphic
    auto* owned = new TBitmap(4, 4);
    owned->Canvas()->SetPixel(2, 3, 0x00FF00);
    grid->AddBitmap(4, 1, owned, true, TCellHAlign::haCenter, TCellVAlign::vaCenter);
    if (TCellGraphic* g = grid->GetCellGraphic(4, 1)) g->SetCellCreated(true);
    TStringList* options = grid->CreateRadio(5, 1, 0, 1);
    options->Add("one");
    options->Add("two");

    const QByteArray bytes = Saved(*grid, TRect{1, 1, 5, 1});
    TZvStringGrid target(nullptr);
    target.SetColCount(6);
    target.SetRowCount(3);
    Load(target, bytes, TPoint{1, 1});
    ASSERT_TRUE(target.HasCellObject(1, 1));
    const TCellProperties* q = target.GetCellProperties(1, 1);
    EXPECT_EQ(q->BrushColor(), TColor(0x123456));
    EXPECT_EQ(q->FontColor(), TColor(0xFF000008));
    EXPECT_EQ(q->FontName(), QStringLiteral("Sans \u00e9"));
    EXPECT_EQ(q->FontStyle(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsStrikeOut}));
    EXPECT_EQ(q->Alignment(), TAlignment::taCenter);
    EXPECT_EQ(q->Editor(), TEditorType::edMaskEditBtn);
    EXPECT_TRUE(q->ReadOnly());
    EXPECT_EQ(q->CellObject(), std::uintptr_t(0xDEADBEEFCAFE)) << "written by a live grid of this process";
    EXPECT_EQ(q->OwnerCol(), 1);
    EXPECT_EQ(target.GetCellType(2, 1), TCellType::ctCheckBox);
    EXPECT_EQ(target.GetCellType(3, 1), TCellType::ctEmpty) << "a bitmap the graphic does not own stays behind";
    ASSERT_EQ(target.GetCellType(4, 1), TCellType::ctBitmap);
    const auto* back = dynamic_cast<const TBitmap*>(target.GetCellGraphic(4, 1)->CellBitmap());
    ASSERT_TRUE(back);
    EXPECT_NE(back, owned);
    EXPECT_EQ(back->Image().pixel(2, 3) & 0xFFFFFF, owned->Image().pixel(2, 3) & 0xFFFFFF);
    EXPECT_EQ(target.GetCellGraphic(4, 1)->CellHAlign(), TCellHAlign::haCenter);
    ASSERT_EQ(target.GetCellType(5, 1), TCellType::ctRadio);
    const auto* list = dynamic_cast<const TStringList*>(target.GetCellGraphic(5, 1)->CellBitmap());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->ToQStringList(), (QStringList{"one", "two"}));

    // From a grid that is gone (or another process), the cell object is meaningless: 0.
    std::unique_ptr<TZvStringGrid> writer = std::make_unique<TZvStringGrid>(nullptr);
    writer->SetColCount(2);
    writer->SetRowCount(2);
    writer->GetCellProperties(0, 0)->SetCellObject(42);
    const QByteArray foreign = Saved(*writer, TRect{0, 0, 0, 0});
    writer.reset();
    Load(target, foreign, TPoint{0, 0});
    EXPECT_EQ(target.GetCellProperties(0, 0)->CellObject(), std::uintptr_t(0));
}

TEST_F(CellStream, ACoordinateAbove65535IsRefused)
{
    grid->SetColCount(70001);
    EXPECT_THROW(Saved(*grid, TRect{69999, 0, 70000, 0}), EZvGridError);
    EXPECT_NO_THROW(Saved(*grid, TRect{65534, 0, 65535, 0}));
}

// Every broken stream raises EZvGridError and leaves the grid exactly as it was, a whole-grid one included.
TEST_F(CellStream, BrokenStreamsLeaveTheGridAsItWas)
{
    grid->SetCells(1, 1, "x");
    grid->GetCellProperties(1, 1)->SetBrushColor(0xFF);
    const QByteArray good = [&] {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        grid->SaveToBinStream(&b);
        return b.data();
    }();
    TZvStringGrid target(nullptr);
    target.SetColCount(3);
    target.SetRowCount(4);
    target.SetCells(2, 3, "mine");

    std::vector<std::pair<const char*, QByteArray>> cases;
    for (int cut : {1, 4, 10, 30, int(good.size()) / 2, int(good.size()) - 3})
        cases.emplace_back("truncated", good.left(cut));
    QByteArray signature = good;
    signature[0] = 'X';
    cases.emplace_back("wrong signature", signature);
    QByteArray tag = good;
    tag[tag.indexOf("ColCount") + 8] = char(0x7F);
    cases.emplace_back("unknown value tag", tag);
    QByteArray name = good;
    name.replace("HasProp", "HasPrix");
    cases.emplace_back("unknown property", name);
    QByteArray binCount;
    {
        TRecordWriter w(binCount);
        Header(w, 70000, 1);
    }
    cases.emplace_back("absurd count", binCount);
    QByteArray negative;
    {
        TRecordWriter w(negative);
        Header(w, -5, 1);
    }
    cases.emplace_back("negative count", negative);
    QByteArray tooMany;
    {
        TRecordWriter w(tooMany);
        Header(w, 1, 1);
        for (int i = 0; i < 2; ++i) {
            w.BeginRecord("TGridCellIO");
            w.WriteInteger("Col", i);
            w.WriteInteger("Row", 0);
            w.WriteBoolean("HasProp", false);
            w.EndRecord();
        }
    }
    cases.emplace_back("more cells than counted", tooMany);
    QByteArray bigBinary;
    {
        TRecordWriter w(bigBinary);
        Header(w, 1, 1);
        w.BeginRecord("TGridBMPIO");
        w.WriteBinary("Bitmap.Data", QByteArray(8, 'z'));
        w.EndRecord();
        bigBinary.chop(12);   // the count says 8 bytes, fewer are there
    }
    cases.emplace_back("binary block past the end", bigBinary);

    for (const auto& [what, bytes] : cases) {
        EXPECT_THROW(Load(target, bytes, TPoint{0, 0}, true), EZvGridError) << what;
        EXPECT_EQ(target.ColCount(), 3) << what;
        EXPECT_EQ(target.RowCount(), 4) << what;
        EXPECT_EQ(target.Cells(2, 3), String("mine")) << what;
        EXPECT_EQ(target.Cells(1, 1), String()) << what;
        EXPECT_FALSE(target.HasCellObject(1, 1)) << what;
    }
    Load(target, good, TPoint{0, 0}, true);
    EXPECT_EQ(target.Cells(1, 1), String("x"));
    EXPECT_EQ(target.GetCellProperties(1, 1)->BrushColor(), TColor(0xFF));
}

TEST_F(CellStream, FilesHoldTheStreamAndNothingElse)
{
    QTemporaryDir dir;
    const String path = dir.filePath("cells.bin");
    grid->SetCells(3, 4, "file");
    grid->SaveToBinFile(path);
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    grid->SaveToBinStream(&b);
    QByteArray onDisk;
    ReadFileBytes(path, onDisk);
    EXPECT_EQ(onDisk, b.data());
    TZvStringGrid target(nullptr);
    target.LoadFromBinFile(path);
    EXPECT_EQ(target.Cells(3, 4), String("file"));
    EXPECT_THROW(target.LoadFromBinFile(dir.filePath("missing.bin")), EFOpenError);
    EXPECT_THROW(grid->SaveToBinFile(dir.filePath("no/dir/x.bin")), EFCreateError);
}

}   // namespace
