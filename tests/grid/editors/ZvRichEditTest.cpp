// Rich-text cells on a shown grid: the editor opened by F2, a click and
// typing, what it stores (the cell's RTF), its keys, sub- and superscript,
// the row growing while typing, the hidden converter, and the formats a
// rich-text cell paints.

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridSettings.h"
#include "grid/editors/ZvRichEdit.h"

#include "platform/Forms.h"
#include "platform/RichText.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QCoreApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

const String BoldRed = QStringLiteral(R"({\rtf1{\colortbl ;\red220\green0\blue0;}plain \b\cf1 BOLD RED\b0\cf0  end})");

struct RichCells : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    std::vector<String> log;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 300);
        form->SetColor(clBtnFace);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 470, 290);
        grid->SetColCount(3);
        grid->SetRowCount(8);
        grid->SetColWidths(0, 30);
        grid->SetColWidths(1, 260);
        grid->SetOptions(grid->Options() + goEditing);
        grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = TEditorType::edRichEdit;
        };
        grid->OnEditCellDone = [this](TObject*, int c, int r) { log.push_back(QStringLiteral("done %1 %2").arg(c).arg(r)); };
        grid->SetCells(1, 1, BoldRed);
        form->Show();
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
    }
    void TearDown() override { ClearKeyStates(); }

    TZvRichEdit* Editor() { return grid->InplaceRichEdit(); }
    TPoint Middle(int c, int r)
    {
        const TRect R = grid->CellRect(c, r);
        return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    }
    // The plain text and the bold flag of the character at Pos, as the cell holds them.
    static bool BoldAt(const String& rtf, int pos)
    {
        QTextDocument doc;
        LoadRtfIntoDocument(rtf, doc);
        QTextCursor c(&doc);
        c.setPosition(pos + 1);
        return c.charFormat().fontWeight() >= QFont::DemiBold;
    }
};

} // namespace

TEST_F(RichCells, F2OpensTheEditorWithTheCellsFormattedTextAndLeavingStoresItsRtf)
{
    Simulate::Key(grid, Qt::Key_F2);
    TZvRichEdit* ed = Editor();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->Visible());
    EXPECT_TRUE(ed->Focused());
    EXPECT_EQ(ed->Parent(), grid);
    EXPECT_EQ(grid->EditCtrl(), ed);
    EXPECT_EQ(ed->PlainTextContent(), QStringLiteral("plain BOLD RED end"));
    EXPECT_EQ(ed->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_FALSE(ed->HideSelection());
    EXPECT_EQ(ed->SelLength(), int(ed->PlainTextContent().size())) << "EditSelectAll selects the whole text";

    // The caret to the end and two more characters, typed.
    Simulate::Key(ed, Qt::Key_End, Qt::ControlModifier);
    Simulate::Type(ed, QStringLiteral("!?"));
    EXPECT_EQ(grid->Cells(1, 1), BoldRed) << "nothing is stored before the edit ends";
    Simulate::Click(grid, Middle(2, 3));
    EXPECT_FALSE(ed->Visible());
    const String stored = grid->Cells(1, 1);
    EXPECT_TRUE(LooksLikeRtf(stored)) << stored.toStdString();
    EXPECT_EQ(RtfPlainText(stored), QStringLiteral("plain BOLD RED end!?"));
    EXPECT_TRUE(BoldAt(stored, 6)) << "the formats survive the edit";
    EXPECT_FALSE(BoldAt(stored, 0));
    EXPECT_TRUE(stored.contains(QStringLiteral("\\red220\\green0\\blue0")));
    for (QChar ch : stored) ASSERT_LT(ch.unicode(), 0x80);
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (std::vector<String>{QStringLiteral("done 1 1")}));
}

TEST_F(RichCells, TypingOrAClickOpensTheEditorToo)
{
    // A typed character replaces the selected text of the cell.
    grid->SetRow(2);
    grid->SetCells(1, 2, QStringLiteral("old"));
    Simulate::Type(grid, QStringLiteral("n"));
    QCoreApplication::processEvents();
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Visible());
    Simulate::Type(Editor(), QStringLiteral("ew"));
    EXPECT_EQ(Editor()->PlainTextContent(), QStringLiteral("new"));
    Simulate::Click(grid, Middle(2, 4));
    EXPECT_EQ(RtfPlainText(grid->Cells(1, 2)), QStringLiteral("new"));
    EXPECT_TRUE(LooksLikeRtf(grid->Cells(1, 2))) << "a plain cell edited as rich text becomes RTF";

    // A click on the current cell opens it as well.
    grid->SetCol(1);
    grid->SetRow(1);
    Simulate::Click(grid, Middle(1, 1));
    Simulate::Click(grid, Middle(1, 1));
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->PlainTextContent(), QStringLiteral("plain BOLD RED end"));
}

TEST_F(RichCells, ConvertingCellsAndRichEdits)
{
    TRichEdit* hidden = grid->RichEdit();
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(grid->RichEdit(), hidden) << "one converter per grid";
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(hidden->Width(), 0);
    EXPECT_EQ(hidden->Height(), 0);

    // An empty cell empties the rich edit; an empty rich edit still writes a document.
    grid->CellToRich(1, 1, hidden);
    EXPECT_EQ(hidden->PlainTextContent(), QStringLiteral("plain BOLD RED end"));
    grid->CellToRich(1, 5, hidden);
    EXPECT_EQ(hidden->PlainTextContent(), QString());
    grid->RichToCell(2, 5, hidden);
    EXPECT_FALSE(grid->Cells(2, 5).isEmpty());
    EXPECT_TRUE(LooksLikeRtf(grid->Cells(2, 5)));
    EXPECT_EQ(RtfPlainText(grid->Cells(2, 5)), QString());

    // Characters above the 8-bit range lose their high byte on the way in.
    grid->SetCells(2, 6, QString(QChar(0x0141)) + QStringLiteral("x") + QChar(0x20AC));
    grid->CellToRich(2, 6, hidden);
    EXPECT_EQ(hidden->PlainTextContent(), QStringLiteral("Ax\u00ac"));
    // ... and the RTF written never holds one.
    const String rtf = grid->RichToString(hidden);
    for (QChar ch : rtf) ASSERT_LT(ch.unicode(), 0x80);
    EXPECT_EQ(RtfPlainText(rtf), QStringLiteral("Ax\u00ac"));

    // The converter records the size its content asks for.
    grid->SetCells(2, 7, QStringLiteral("{\\rtf1 one}"));
    grid->CellToRich(2, 7, hidden);
    auto* conv = dynamic_cast<TZvRichEdit*>(hidden);
    ASSERT_NE(conv, nullptr);
    const int oneLine = conv->ReqHeight();
    EXPECT_GT(oneLine, 0);
    grid->SetCells(2, 7, QStringLiteral("{\\rtf1 one\\par two\\par three}"));
    grid->CellToRich(2, 7, hidden);
    EXPECT_GT(conv->ReqHeight(), 2 * oneLine);
    EXPECT_GT(conv->ReqWidth(), 0);
}

TEST_F(RichCells, SubAndSuperscriptMarkTheSelectionAndSurviveTheCell)
{
    Simulate::Key(grid, Qt::Key_F2);
    TZvRichEdit* ed = Editor();
    ASSERT_NE(ed, nullptr);
    ed->SetSelStart(0);
    ed->SetSelLength(5);
    EXPECT_TRUE(ed->IsSelNormal());
    ed->SelSuperscript();
    EXPECT_TRUE(ed->IsSelSuperscript());
    EXPECT_FALSE(ed->IsSelNormal());
    EXPECT_FALSE(ed->IsSelSubscript());
    ed->SelSubscript();
    EXPECT_TRUE(ed->IsSelSubscript());
    EXPECT_FALSE(ed->IsSelSuperscript());
    ed->SelNormal();
    EXPECT_TRUE(ed->IsSelNormal());
    ed->SelSuperscript();
    Simulate::Click(grid, Middle(2, 3));
    const String stored = grid->Cells(1, 1);
    EXPECT_TRUE(stored.contains(QStringLiteral("\\up4 plain"))) << stored.toStdString();

    // Opened again, the same characters are raised.
    grid->SetCol(1);
    grid->SetRow(1);
    Simulate::Key(grid, Qt::Key_F2);
    ed->SetSelStart(1);
    ed->SetSelLength(2);
    EXPECT_TRUE(ed->IsSelSuperscript());
    ed->SetSelStart(7);
    ed->SetSelLength(2);
    EXPECT_TRUE(ed->IsSelNormal());
}

TEST_F(RichCells, TypingALineGrowsTheRowUnlessTheCellWouldReachBelowTheGrid)
{
    grid->SizeWhileTyping()->SetHeight(true);
    std::vector<int> sized;
    grid->OnEndRowSize = [&](TObject*, int r) { sized.push_back(r); };
    grid->Navigation()->SetEditSelectAll(false);
    grid->SetRowHeights(2, 20);
    grid->SetCells(1, 2, QStringLiteral("{\\rtf1 first}"));
    grid->SetRow(2);
    Simulate::Key(grid, Qt::Key_F2);
    TZvRichEdit* ed = Editor();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(grid->RowHeights(2), 20) << "loading the cell grows nothing";
    Simulate::Key(ed, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Simulate::Type(ed, QStringLiteral("second"));
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->Visible()) << "the grown row opens no other editor";
    EXPECT_TRUE(ed->Visible());
    const int needed = int(std::ceil(ed->Document()->size().height()));
    EXPECT_EQ(grid->RowHeights(2), needed + 10);
    EXPECT_EQ(ed->Height(), needed + 9);
    EXPECT_FALSE(sized.empty());
    EXPECT_EQ(sized.back(), 2);
    Simulate::Click(grid, Middle(2, 4));
    EXPECT_EQ(RtfPlainText(grid->Cells(1, 2)), QStringLiteral("first\nsecond"));

    // Near the grid's bottom the row keeps its height.
    const int last = grid->RowCount() - 1;
    grid->SetRowHeights(last, 20);
    grid->SetHeight(grid->CellRect(1, last).Bottom + 6);
    grid->SetCol(1);
    grid->SetRow(last);
    Simulate::Key(grid, Qt::Key_F2);
    Simulate::Key(ed, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Simulate::Type(ed, QStringLiteral("more"));
    EXPECT_EQ(grid->RowHeights(last), 20);
}

TEST_F(RichCells, UpAndDownLeaveTheCellOnlyWithoutWordWrapOrMultilineCells)
{
    grid->Navigation()->SetEditSelectAll(false);
    grid->SetRow(3);
    grid->SetCells(1, 3, QStringLiteral("{\\rtf1 a\\par b}"));
    grid->SetWordWrap(false);
    Simulate::Key(grid, Qt::Key_F2);
    TZvRichEdit* ed = Editor();
    ASSERT_NE(ed, nullptr);
    Simulate::Type(ed, QStringLiteral("z"));
    Simulate::Key(ed, Qt::Key_Up);
    EXPECT_FALSE(ed->Visible()) << "the edit ends";
    EXPECT_EQ(grid->Row(), 2) << "and the grid moves up";
    EXPECT_EQ(RtfPlainText(grid->Cells(1, 3)), QStringLiteral("a\nbz"));

    grid->SetMultilinecells(true);
    grid->SetRow(3);
    Simulate::Key(grid, Qt::Key_F2);
    const int caret = ed->SelStart();
    Simulate::Key(ed, Qt::Key_Up);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_LT(ed->SelStart(), caret) << "the caret moves to the line above";
}

TEST_F(RichCells, TabMovesOnAndOpensTheNextEditorWhenTheGridTabs)
{
    grid->SetOptions(grid->Options() + goTabs);
    grid->SetRow(4);
    grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c >= 1) e = TEditorType::edRichEdit;
    };
    Simulate::Key(grid, Qt::Key_F2);
    TZvRichEdit* ed = Editor();
    ASSERT_NE(ed, nullptr);
    EXPECT_NE(ed->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    Simulate::Type(ed, QStringLiteral("t"));
    Simulate::Key(ed, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(RtfPlainText(grid->Cells(1, 4)), QStringLiteral("t"));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(ed->Visible()) << "the next cell's editor is open";
    EXPECT_TRUE(ed->Focused());
}

TEST_F(RichCells, SelectionChangesReachTheGridsEvent)
{
    int changes = 0;
    grid->OnRichEditSelectionChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Editor());
        ++changes;
    };
    Simulate::Key(grid, Qt::Key_F2);
    const int opened = changes;
    Simulate::Key(Editor(), Qt::Key_Left);
    EXPECT_GT(changes, opened);
}

TEST_F(RichCells, ARichTextCellPaintsItsFormats)
{
    grid->SetCells(1, 2, QStringLiteral("{\\rtf1 plain black text only}"));
    const QImage image = form->PaintToImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(ScreenshotFolder() + "/richtext-cells.png"));
    // Red ink stands in the first cell, where the bold red words are; none in the plain one.
    auto redIn = [&](const TRect& r) {
        int red = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++red;
            }
        return red;
    };
    auto darkIn = [&](const TRect& r) {
        int dark = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (qGray(image.pixel(x, y)) < 80) ++dark;
        return dark;
    };
    const TRect first = grid->CellRect(1, 1);
    const TRect second = grid->CellRect(1, 2);
    EXPECT_GT(redIn(first), 10);
    EXPECT_GT(darkIn(first), 10) << "the plain words in the cell's font colour";
    EXPECT_EQ(redIn(second), 0);
    EXPECT_GT(darkIn(second), 10);
    // Neither shows its markup: RTF text would be far wider than the words.
    EXPECT_EQ(grid->RichTextPlain(grid->Cells(1, 1)), QStringLiteral("plain BOLD RED end"));
}

TEST_F(RichCells, EnterTypedAsAUserDoesStaysInTheEditorAsALineBreak)
{
    grid->Navigation()->SetEditSelectAll(false);
    grid->SetCells(1, 2, QStringLiteral("{\\rtf1 first}"));
    grid->SetRow(2);
    Simulate::Key(grid, Qt::Key_F2);
    TZvRichEdit* ed = Editor();
    ASSERT_NE(ed, nullptr);
    Simulate::TypeIntoFocus(QStringLiteral("\rx"));
    EXPECT_TRUE(ed->Visible());
    EXPECT_FALSE(grid->InplaceEditor() && grid->InplaceEditor()->Visible()) << "the grid's text editor stays shut";
    EXPECT_EQ(ed->PlainTextContent(), QStringLiteral("first\nx"));
}

TEST_F(RichCells, ACellIsMeasuredWithItsFormatsNotItsMarkupOrPlainText)
{
    grid->SetCells(2, 1, QStringLiteral("{\\rtf1\\fs60 Wide}"));
    grid->SetCells(2, 2, QStringLiteral("{\\rtf1 Wide}"));
    grid->SetCells(2, 3, QString());
    grid->AutoSizeCol(2);
    const int large = grid->ColWidths(2);
    grid->SetCells(2, 1, QStringLiteral("{\\rtf1 Wide}"));
    grid->AutoSizeCol(2);
    const int plain = grid->ColWidths(2);
    EXPECT_GT(large, plain + 20) << "30-point text needs far more room";
    EXPECT_LT(plain, grid->Canvas()->TextWidth(QStringLiteral("{\\rtf1 Wide}"))) << "not the markup's width";
    grid->SetCells(2, 1, QStringLiteral("{\\rtf1\\fs60 Wide}"));
    grid->AutoSizeRow(1);
    grid->AutoSizeRow(2);
    EXPECT_GT(grid->RowHeights(1), grid->RowHeights(2) + 10);
}
