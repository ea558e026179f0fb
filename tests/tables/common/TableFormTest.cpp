// The life cycle and row operations every table editor shares, on a small
// form with one column grid (a hidden column and a check-box column among
// its columns) and one check grid.

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "platform/Xml.h"
#include "tables/common/UGridRows.h"
#include "tables/common/UTableForm.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <gtest/gtest.h>

namespace {

// Column grid: 0 number, 1 Enable (check box), 2 Key, 3 Hidden, 4 Note.
// Check grid: 0 number, 1 box, 2 text, 3 box.
const TTableLayout Main_Layout{"Main", 2,
                               {{.Width = 40},
                                {.Editor = TEditorType::edDataCheckBox, .Attr = "Enable", .Load_Default = "Y"},
                                {.Attr = "Key"},
                                {.Hidden = true, .Attr = "Hidden", .Load_Default = "H"},
                                {.Attr = "Note"}}};
const TTableLayout Check_Layout{"Checks", 2,
                                {{.Width = 40},
                                 {.Editor = TEditorType::edDataCheckBox, .Attr = "On"},
                                 {.Attr = "Text"},
                                 {.Editor = TEditorType::edDataCheckBox, .Attr = "Off"}}};

class TSampleForm : public TTableForm {
public:
    explicit TSampleForm(TComponent* AOwner, const String& file) : TTableForm(AOwner), File(file)
    {
        Build_Table_Frame(600, 300);
        Grid = New_Table_Grid(this, 5, 7);
        Grid->SetAlign(TAlign::alClient);
        Add_Table(Grid, &Main_Layout);
        Checks = new TZvStringGrid(this);
        Checks->SetColCount(4);
        Checks->SetRowCount(5);
        Checks->SetFixedCols(1);
        Add_Table(Checks, &Check_Layout, true);
        Set_Lang();
    }
    void Set_Lang() override { Table(0).Hint.Clear(), Table(0).Hint.Add("h1"), Table(0).Hint.Add("h2"); }
    bool Controllo_dati() override { return Valid; }
    int Active_Table() const override { return Active; }
    String Delete_Question(int table, int row) const override { return QStringLiteral("del %1 %2").arg(table).arg(row); }
    String Project_File() const override { return File; }
    String Root_Name() const override { return QStringLiteral("Sample"); }

    void Fill(int row, const String& key, const String& hidden, const String& note, const String& enable = "Y")
    {
        Grid->SetCellEx(1, row, enable);
        Grid->SetCellEx(2, row, key);
        Grid->SetCellEx(3, row, hidden);
        Grid->SetCellEx(4, row, note);
    }
    QStringList Row(int row)
    {
        QStringList cells;
        for (int c = 0; c < 5; ++c) cells << Grid->GetCellEx(c, row);
        return cells;
    }

    String File;
    TZvColumnGrid* Grid = nullptr;
    TZvStringGrid* Checks = nullptr;
    bool Valid = true;
    int Active = 0;
};

struct TableFormTest : ProgramStateFixture {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TSampleForm> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Form = std::make_unique<TSampleForm>(nullptr, Folder.File("Sample.xml"));
        Form->FormShow(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }
    void Current(int col, int row)
    {
        Form->Grid->SetCol(col);
        Form->Grid->SetRow(row);
    }
};

TEST_F(TableFormTest, ShowingResetsNumbersEnableAndEveryOtherCellHiddenOnesIncluded)
{
    Form->Fill(2, "k", "h", "n", "N");
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->Row(2), (QStringList{"2", "Y", "", "", ""}));
    EXPECT_EQ(Form->Grid->ColCount(), 4);
    EXPECT_EQ(Real_Col_Count(Form->Grid), 5);
}

TEST_F(TableFormTest, CopyAndPasteCarryEveryRealColumnHiddenOnesIncluded)
{
    Form->Fill(1, "k1", "hidden1", "n1", "N");
    Current(1, 1);
    Form->Btn_CopyRowClick(nullptr);
    EXPECT_EQ(Row_Copy.Count(), 4);
    Current(1, 3);
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty()) << "a row holding only its check box is not used";
    EXPECT_EQ(Form->Row(3), (QStringList{"3", "N", "k1", "hidden1", "n1"}));
}

TEST_F(TableFormTest, PasteRefusalsAndTheOverwriteQuestion)
{
    struct Case {
        const char* Name;
        bool Copy;            // copy row 1 first
        int Extra_Entries;    // added to the clipboard after the copy
        const char* Target;   // key text of row 3 before the paste
        int Answer;           // scripted answer, 0: none expected
        const char* Box;      // expected box text slot or question
        bool Changed;
    };
    const Case cases[] = {
        {"no copy in this showing", false, 0, "", 0, "902", false},
        {"clipboard of another shape", true, 1, "", 0, "901", false},
        {"used row, No", true, 0, "x", IDNO, "900", false},
        {"used row, Yes", true, 0, "x", IDYES, "900", true},
        {"blank text is no use", true, 0, "   ", 0, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->FormShow(nullptr);
        Seams.Boxes.clear();
        Form->Fill(1, "k1", "h1", "n1");
        if (c.Copy) {
            Current(1, 1);
            Form->Btn_CopyRowClick(nullptr);
        } else {
            Copy_Row_Column_Grid(Form->Grid, 1); // filled elsewhere: does not count
        }
        for (int i = 0; i < c.Extra_Entries; ++i) Row_Copy.Add("more");
        Form->Grid->SetCellEx(2, 3, c.Target);
        if (c.Answer) Seams.AnswerBox(c.Answer);
        Current(1, 3);
        Form->Btn_PasteRowClick(nullptr);
        if (*c.Box) {
            ASSERT_EQ(Seams.Boxes.size(), 1u);
            EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(String(c.Box).toInt()));
        } else {
            EXPECT_TRUE(Seams.Boxes.empty());
        }
        EXPECT_EQ(Form->Grid->GetCellEx(3, 3), c.Changed ? "h1" : "");
    }
}

TEST_F(TableFormTest, DeleteMovesRowsUpAndInsertPushesThemDown)
{
    for (int r = 1; r < 7; ++r) Form->Fill(r, QStringLiteral("k%1").arg(r), QStringLiteral("h%1").arg(r), "n", r % 2 ? "Y" : "N");
    Seams.AnswerBox(IDNO);
    Current(1, 2);
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(Seams.Boxes.at(0).Text, "del 0 2");
    EXPECT_EQ(Form->Grid->GetCellEx(2, 2), "k2") << "No changes nothing";
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(Form->Row(2), (QStringList{"2", "Y", "k3", "h3", "n"}));
    EXPECT_EQ(Form->Row(5), (QStringList{"5", "N", "k6", "h6", "n"}));
    EXPECT_EQ(Form->Row(6), (QStringList{"6", "", "", "", ""}));

    Current(1, 1);
    Form->Btn_InsRowClick(nullptr);
    EXPECT_EQ(Form->Row(1), (QStringList{"1", "Y", "", "", ""}));
    EXPECT_EQ(Form->Row(2), (QStringList{"2", "Y", "k1", "h1", "n"}));
    EXPECT_EQ(Form->Row(6), (QStringList{"6", "N", "k6", "h6", "n"}));
}

TEST_F(TableFormTest, CheckGridRowsCarryBoxStatesAndTheFreedRowStaysWritable)
{
    Form->Active = 1;
    TZvStringGrid* g = Form->Checks;
    g->SetCheckBoxState(1, 1, true);
    g->SetCellEx(2, 1, "one");
    g->GetCellProperties(2, 1)->SetReadOnly(true);
    g->SetCellEx(2, 2, "two");
    g->SetCheckBoxState(3, 2, true);
    g->SetCol(1);
    g->SetRow(1);
    Form->Btn_CopyRowClick(nullptr);
    EXPECT_EQ(Row_Copy.Count(), 3);
    EXPECT_EQ(Row_Copy_Is_Check, (std::vector<bool>{true, false, true}));
    g->SetRow(3);
    g->SetCellEx(2, 3, "  ");
    Seams.AnswerBox(IDYES);
    Form->Btn_PasteRowClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u) << "blanks make a check-grid row used";
    EXPECT_TRUE(g->IsChecked(1, 3));
    EXPECT_EQ(g->GetCellEx(2, 3), "one");

    g->SetRow(1);
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(g->GetCellEx(2, 1), "two");
    EXPECT_TRUE(g->IsChecked(3, 1));
    g->SetCheckBoxState(1, 2, false);
    EXPECT_FALSE(g->GetCellProperties(2, 1)->ReadOnly()) << "the flag moves with the row below";
    EXPECT_EQ(g->GetCellEx(2, 4), "");
    EXPECT_TRUE(g->IsChecked(1, 4)) << "the freed row's Enable box";
    for (int c = 1; c < 4; ++c) EXPECT_FALSE(g->GetCellProperties(c, 4)->ReadOnly());

    g->SetRow(1);
    Seams.AnswerBox(IDYES);
    Form->Btn_DelRowClick(nullptr);
    EXPECT_FALSE(g->IsChecked(1, 1)) << "the cleared box of row 2 moved up";
    EXPECT_EQ(g->GetCellEx(2, 1), "one");
    Form->Btn_InsRowClick(nullptr);
    EXPECT_EQ(g->GetCellEx(2, 2), "one");
    EXPECT_FALSE(g->IsChecked(1, 2));
    EXPECT_EQ(g->GetCellEx(2, 1), "");
    EXPECT_TRUE(g->IsChecked(1, 1));
}

TEST_F(TableFormTest, CheckGridRefusesAColumnGridClipboard)
{
    Form->Active = 1;
    Form->Checks->SetRow(1);
    Form->Btn_CopyRowClick(nullptr);
    Form->Active = 0;
    Current(1, 1);
    Form->Btn_CopyRowClick(nullptr);
    EXPECT_TRUE(Row_Copy_Is_Check.empty());
    Form->Active = 1;
    Row_Copy.Delete(3); // even when the number of texts fits
    Form->Checks->SetRow(1);
    Form->Btn_PasteRowClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Lang_Text(Text_Copy_Mismatch));
}

TEST_F(TableFormTest, EnterJumpMovesTheSendersGridOnlyWhileTheOptionIsOn)
{
    struct Case {
        bool Option;
        int Col, Row;
        int To_Col, To_Row;
        bool Swallowed;
    };
    const Case cases[] = {
        {true, 1, 1, 2, 1, true}, {true, 3, 2, 1, 3, true}, {true, 3, 6, 1, 1, true}, {false, 1, 1, 1, 1, false},
    };
    for (const Case& c : cases) {
        Enable_Jump_Field_Tables = c.Option;
        Current(c.Col, c.Row);
        QChar key(13);
        Form->Grid_KeyPress(Form->Grid, key);
        EXPECT_EQ(Form->Grid->Col(), c.To_Col);
        EXPECT_EQ(Form->Grid->Row(), c.To_Row);
        EXPECT_EQ(key == QChar(0), c.Swallowed);
    }
    Enable_Jump_Field_Tables = true;
    // An editor sitting on the grid moves its grid; a stranger moves nothing.
    auto* editor = new TEdit(Form.get());
    editor->SetParent(Form->Grid);
    Current(1, 1);
    QChar key(13);
    Grid_Enter_Jump(editor, key);
    EXPECT_EQ(Form->Grid->Col(), 2);
    auto* stranger = new TEdit(Form.get());
    stranger->SetParent(Form.get());
    key = QChar(13);
    Grid_Enter_Jump(stranger, key);
    EXPECT_EQ(Form->Grid->Col(), 2);
    EXPECT_EQ(key, QChar(13));
    key = QChar('a');
    Grid_Enter_Jump(Form->Grid, key);
    EXPECT_EQ(key, QChar('a'));
}

TEST_F(TableFormTest, HeaderDoubleClickFitsTheColumnOnlyWhileTheOptionIsOn)
{
    Form->Grid->SetCellEx(4, 1, QString(60, u'W'));
    const int before = Form->Grid->ColWidths(3);
    Double_Click_Auto_Size = true;
    Form->Grid_DblClickCell(Form->Grid, 1, 3);
    EXPECT_EQ(Form->Grid->ColWidths(3), before) << "a data cell resizes nothing";
    Double_Click_Auto_Size = false;
    Form->Grid_DblClickCell(Form->Grid, 0, 3);
    EXPECT_EQ(Form->Grid->ColWidths(3), before);
    Double_Click_Auto_Size = true;
    Form->Grid_DblClickCell(Form->Grid, 0, 3);
    EXPECT_GT(Form->Grid->ColWidths(3), before);
}

TEST_F(TableFormTest, HeaderHintsComeFromTheHintListForRowZeroOnly)
{
    String hint = "x";
    Form->Grid_Hint(Form->Grid, 0, 2, hint);
    EXPECT_EQ(hint, "h2");
    Form->Grid_Hint(Form->Grid, 1, 2, hint);
    EXPECT_EQ(hint, "");
    Form->Grid_Hint(Form->Grid, 0, 0, hint);
    EXPECT_EQ(hint, "");
}

TEST_F(TableFormTest, LoadingFillsMissingAttributesAndSectionsAndWarnsOnceAboutExtraRows)
{
    QByteArray xml = "<Sample><Main>"
                     "<row Key=\"a\" Hidden=\"ha\" Note=\"na\" Enable=\"N\"/>"
                     "<row Key=\"b\"/>";
    for (int i = 0; i < 7; ++i) xml += "<row Key=\"more\"/>";
    xml += "</Main></Sample>";
    Folder.Write("Sample.xml", xml);
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->Row(1), (QStringList{"1", "N", "a", "ha", "na"}));
    EXPECT_EQ(Form->Row(2), (QStringList{"2", "Y", "b", "H", ""}));
    EXPECT_EQ(Form->Row(6), (QStringList{"6", "Y", "more", "H", ""}));
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Extra_Rows), {"Sample.xml", 3}));
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Warning);
    EXPECT_EQ(Form->Checks->GetCellEx(2, 1), "") << "a missing section is an empty table";
    EXPECT_EQ(Form->ModalResult(), mrNone);
}

TEST_F(TableFormTest, OddButWellFormedFilesLoadWhatTheyHoldAndNothingElse)
{
    struct Case {
        const char* Name;
        const char* Xml;
        const char* Key1;  // key of row 1 after loading
        const char* Key2;
    } cases[] = {
        {"empty root", "<Sample/>", "", ""},
        {"section of another name", "<Sample><Other><row Key=\"x\"/></Other></Sample>", "", ""},
        {"comments and text between rows", "<Sample><Main><!--c-->text<row Key=\"a\"/><!--d--><row Key=\"b\"/></Main></Sample>", "a", "b"},
        {"rows of any name", "<Sample><Main><line Key=\"a\"><sub Key=\"no\"/></line></Main></Sample>", "a", ""},
        {"other characters", "<Sample><Main><row Key=\"\u00e8\u00e9 \u4e2d &#9;\"/></Main></Sample>", "\u00e8\u00e9 \u4e2d \t", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Seams.Boxes.clear();
        Folder.Write("Sample.xml", QByteArray(c.Xml));
        Form->SetModalResult(mrNone);
        Form->FormShow(nullptr);
        EXPECT_EQ(Form->Grid->GetCellEx(2, 1), QString::fromUtf8(c.Key1));
        EXPECT_EQ(Form->Grid->GetCellEx(2, 2), QString::fromUtf8(c.Key2));
        EXPECT_EQ(Form->ModalResult(), mrNone);
        EXPECT_TRUE(Seams.Boxes.empty());
    }
}

TEST_F(TableFormTest, ABrokenFileNamesItselfKeepsTheFormClosedAndStaysAsItWas)
{
    for (const QByteArray& broken : {QByteArray("<Sample><Main><row Key=\"a\"/><row Key="),
                                    QByteArray("<!-- no element -->"), QByteArray("\xff\xfe<"), QByteArray()}) {
        SCOPED_TRACE(broken.toStdString());
        Seams.Boxes.clear();
        Form->SetModalResult(mrNone);
        Folder.Write("Sample.xml", broken);
        Form->Fill(1, "typed", "", "");
        Form->FormShow(nullptr);
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_TRUE(Seams.Boxes[0].Text.contains(Folder.File("Sample.xml")));
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_EQ(Form->ModalResult(), mrCancel);
        EXPECT_EQ(Form->Grid->GetCellEx(2, 1), "");
        EXPECT_EQ(Folder.Read("Sample.xml"), broken);
    }
}

TEST_F(TableFormTest, SavingStopsAtTheFirstEmptyKeyAndAsksBeforeDroppingRowsBelow)
{
    Form->Fill(1, "a", "ha", "na");
    Form->Fill(2, "b", "", "", "N");
    Form->Fill(4, "lost", "", "");
    Seams.AnswerBox(IDNO);
    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Drop_Rows_Below), {3}));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(Folder.File("Sample.xml")));

    Seams.AnswerBox(IDYES);
    Form->Btn_OKClick(nullptr);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_EQ(Folder.Read("Sample.xml"),
              "<Sample>\n"
              "  <Main>\n"
              "    <row Enable=\"Y\" Key=\"a\" Hidden=\"ha\" Note=\"na\" />\n"
              "    <row Enable=\"N\" Key=\"b\" Hidden=\"\" Note=\"\" />\n"
              "  </Main>\n"
              "  <Checks />\n"
              "</Sample>\n"
              "<!--SW_VERSION = 1.000-->\n");
}

TEST_F(TableFormTest, AFailingValidationWritesNothingAndAsksNothing)
{
    Form->Valid = false;
    Form->Fill(3, "x", "", "");
    Form->Btn_OKClick(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(Folder.File("Sample.xml")));
}

} // namespace
