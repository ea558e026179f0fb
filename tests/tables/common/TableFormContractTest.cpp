// The life cycle every table form shares, run over every registered form:
// showing without a file, a broken file, more rows than the grid, rows below
// a gap, OK writing, Cancel writing nothing. A form registered later is
// checked here without a line of its own; its own tests cover only what is
// its own.
//
// The rows the suite types are disabled where a table has an "Enable"
// column, so no form's checks judge them; a table without one is left as a
// showing resets it. A form that offers a default table of its own when its
// file is missing has it cleared before the suite types.

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "grid/ZvGrid.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "tables/common/UTableForm.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"
#include "tests/core/ProgramStateFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

// Test names and failures name the form.
void PrintTo(const TTableFormKind& kind, std::ostream* os)
{
    *os << kind.Name;
}

namespace {

struct TableFormContract : ProgramStateFixture, ::testing::WithParamInterface<TTableFormKind> {
    TTestSeams Seams;
    TempFolder Folder;
    std::unique_ptr<TTableForm> Form;

    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Project_Path = Folder.Path();
        Set_Files();
        // A configuration that names its BACnet type, as the communication settings leave it.
        Folder.Write(QStringLiteral("ParGen.xml"), "<ParGen><BACnet_Type>0</BACnet_Type></ParGen>");
        Form.reset(GetParam().Make(nullptr));
        Form->AfterConstruction();
    }
    void TearDown() override
    {
        Form.reset();
        ProgramStateFixture::TearDown();
    }

    std::vector<TTableGrid*> Tables()
    {
        std::vector<TTableGrid*> tables;
        for (int i = 0; i < Form->Table_Count(); ++i)
            if (Form->Table(i).Layout) tables.push_back(&Form->Table(i));
        return tables;
    }
    static const TTableColumn& Column(const TTableGrid& t, int col) { return t.Layout->Columns[std::size_t(col)]; }
    static bool Is_Box(const TTableGrid& t, int col) { return Column(t, col).Editor == TEditorType::edDataCheckBox; }
    static int Data_Rows(const TTableGrid& t) { return t.Grid->RowCount() - 1; }
    // The last saved text column that is not the key: where text below a gap is typed.
    static int Text_Col(const TTableGrid& t)
    {
        for (int c = int(t.Layout->Columns.size()) - 1; c > 0; --c)
            if (Column(t, c).Attr && !Is_Box(t, c) && c != t.Layout->Key_Col) return c;
        return 0;
    }

    // The cell a row's text goes into: the key, or the last text column of a table without one.
    static int Edit_Col(const TTableGrid& t) { return t.Layout->Key_Col == No_Key_Col ? Text_Col(t) : t.Layout->Key_Col; }
    // What a showing leaves in a cell: the row number, "Y" in "Enable", a
    // clear box in a check grid, the column's reset text, else nothing.
    static String Reset_Text(const TTableGrid& t, int col, int row)
    {
        if (col == 0) return IntToStr(row);
        if (col == 1 && t.Has_Enable) return QStringLiteral("Y");
        bool state = false;
        if (t.Check_Grid && t.Grid->GetCheckBoxState(col, row, state)) return QStringLiteral("N");
        return ::Reset_Text(t, col);
    }
    // Every data cell of every table as a showing without defaults leaves it.
    void Clear_Tables()
    {
        for (TTableGrid* t : Tables())
            for (int r = 1; r <= Data_Rows(*t); ++r)
                for (int c = 1; c < int(t->Layout->Columns.size()); ++c)
                    Set_Table_Cell_Text(*t, c, r, Reset_Text(*t, c, r));
    }
    // Every cell of a table, from `fromRow` down, as a showing leaves it.
    // Column 0 is each form's own to number (all rows, or the enabled ones).
    static ::testing::AssertionResult Reset_From(const TTableGrid& t, int fromRow)
    {
        for (int r = fromRow; r <= Data_Rows(t); ++r)
            for (int c = 1; c < int(t.Layout->Columns.size()); ++c)
                if (Table_Cell_Text(t, c, r) != Reset_Text(t, c, r))
                    return ::testing::AssertionFailure() << "cell " << c << "," << r << " holds \""
                                                         << Table_Cell_Text(t, c, r).toStdString() << "\"";
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult All_Reset()
    {
        for (TTableGrid* t : Tables())
            if (auto result = Reset_From(*t, 1); !result) return result;
        return ::testing::AssertionSuccess();
    }

    // Rows 1 and 2 of every table with an "Enable" column, disabled, with a
    // text of their own in every saved column; the content row count per table.
    int Type_Disabled_Rows()
    {
        Clear_Tables();
        int rows = 0;
        for (TTableGrid* t : Tables()) {
            if (!t->Has_Enable) continue;
            rows = 2;
            for (int r = 1; r <= rows; ++r)
                for (int c = 1; c < int(t->Layout->Columns.size()); ++c)
                    Set_Table_Cell_Text(*t, c, r, Typed_Text(*t, c, r));
        }
        return rows;
    }
    static String Typed_Text(const TTableGrid& t, int col, int row)
    {
        if (col == 1) return QStringLiteral("N");
        if (Is_Box(t, col)) return QStringLiteral("Y");
        // A pick-list cell holds one of its entries, which a loader may insist on.
        const TTableColumn& column = Column(t, col);
        if (column.Editor == TEditorType::edComboList && !column.Items.empty()) return column.Items.back();
        return QStringLiteral("r%1 c%2 \u00e8").arg(row).arg(col);
    }
    // What the file gives back of a typed cell: a column saved as a fixed text gives that.
    static String Saved_Text(const TTableGrid& t, int col, int row)
    {
        if (const char* fixed = Column(t, col).Saved_As) return QString::fromLatin1(fixed);
        return Typed_Text(t, col, row);
    }
    // The rows Type_Disabled_Rows typed, and every other cell as a showing leaves it.
    ::testing::AssertionResult Typed_Rows_Shown()
    {
        for (TTableGrid* t : Tables()) {
            const int typed = t->Has_Enable ? 2 : 0;
            for (int r = 1; r <= typed; ++r)
                for (int c = 1; c < int(t->Layout->Columns.size()); ++c)
                    if (Table_Cell_Text(*t, c, r) != Saved_Text(*t, c, r))
                        return ::testing::AssertionFailure() << "cell " << c << "," << r << " holds \""
                                                             << Table_Cell_Text(*t, c, r).toStdString() << "\"";
            if (auto result = Reset_From(*t, typed + 1); !result) return result;
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<QByteArray> File_Bytes()
    {
        std::vector<QByteArray> bytes;
        for (const String& file : Form->Files()) {
            QFile f(file);
            bytes.push_back(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)"));
        }
        return bytes;
    }
    bool No_File_Written()
    {
        for (const String& file : Form->Files())
            if (FileExists(file)) return false;
        return true;
    }
    // Through the form's own modal loop: `work` runs on the shown form.
    TModalResult Show_Modal(std::function<void()> work)
    {
        Seams.AnswerModal([&](TCustomForm&) { work(); }, mrAbort);
        return Form->ShowModal();
    }
};

TEST(TableFormKinds, EveryRealFormIsRegistered)
{
    std::vector<std::string> names;
    for (const TTableFormKind& kind : Table_Form_Kinds()) names.push_back(kind.Name);
    for (const char* name : {"TFDALI_Access", "TFSNMPManagerAccess", "TFSNMP_Trap_Access", "TFDMXDefVal", "TFReceiveCAN",
                             "TFTransmitCAN", "TFSet_PDO_Access", "TFSet_SDO_Client_Access", "TFSet_SDO_Server_Access",
                             "TFBACnetAccess", "TFModbus_TCP_Master_Set_Access", "TFSetAccess", "TFKNXAccess"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST_P(TableFormContract, WithoutAFileEveryTableShowsItsResetStateAndNothingIsAsked)
{
    ASSERT_FALSE(Tables().empty());
    Type_Disabled_Rows();
    Form->FormShow(nullptr);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(Form->ModalResult(), mrNone);
    // A default table is the form's own to pin.
    if (!Form->Has_Default_Table()) EXPECT_TRUE(All_Reset());
    EXPECT_TRUE(No_File_Written());
}

TEST_P(TableFormContract, ABrokenFileNamesItselfKeepsTheWindowClosedAndStaysAsItWas)
{
    const QByteArray samples[] = {"<" + Form->Root_Name().toUtf8() + "><row", "", "<!-- only a comment -->",
                                  QByteArray("\xff\xfe<\x00", 4)};
    for (const String& file : Form->Files())
        for (const QByteArray& bytes : samples) {
            SCOPED_TRACE(QFileInfo(file).fileName().toStdString() + " " + bytes.toStdString());
            for (const String& other : Form->Files()) DeleteFile(other);
            Seams.Boxes.clear();
            Form->SetModalResult(mrNone);
            Type_Disabled_Rows();
            Folder.Write(QFileInfo(file).fileName(), bytes);
            Form->FormShow(nullptr);
            ASSERT_EQ(Seams.Boxes.size(), 1u);
            EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Error);
            EXPECT_TRUE(Seams.Boxes[0].Text.contains(file)) << Seams.Boxes[0].Text.toStdString();
            EXPECT_EQ(Form->ModalResult(), mrCancel);
            EXPECT_TRUE(All_Reset()) << "nothing half-read, nothing typed before";
            EXPECT_EQ(Folder.Read(QFileInfo(file).fileName()), bytes);
            for (const String& other : Form->Files()) EXPECT_TRUE(other == file || !FileExists(other)) << other.toStdString();
        }
}

TEST_P(TableFormContract, RowsBeyondTheGridAreWarnedAboutOnceAndTheRestIsLoaded)
{
    constexpr int extra = 2;
    TXMLDocument doc;
    doc.SetActive(true);
    TXMLNode root = doc.CreateRoot(Form->Root_Name());
    int expected = 0;
    for (TTableGrid* t : Tables()) {
        TXMLNode parent = t->Layout->Section ? root.AddChild(QString::fromLatin1(t->Layout->Section)) : root;
        const String key = QString::fromLatin1(Column(*t, Edit_Col(*t)).Attr);
        for (int i = 1; i <= Data_Rows(*t) + extra; ++i) {
            // Complete rows: only the rows beyond the grid are to be warned about.
            TXMLNode row = parent.AddChild(QStringLiteral("row"));
            for (const TTableColumn& column : t->Layout->Columns)
                if (column.Attr) row.SetAttribute(QString::fromLatin1(column.Attr), QStringLiteral("v"));
            row.SetAttribute(key, QStringLiteral("k%1").arg(i));
        }
        expected += extra;
    }
    doc.SaveToFile(Form->Project_File());
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Warning);
    EXPECT_EQ(Seams.Boxes[0].Text,
              Format(Lang_Text(Text_Extra_Rows), {QFileInfo(Form->Project_File()).fileName(), expected}));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    for (TTableGrid* t : Tables()) {
        const int last = Data_Rows(*t);
        EXPECT_EQ(Table_Cell_Text(*t, Edit_Col(*t), last), QStringLiteral("k%1").arg(last));
    }
}

TEST_P(TableFormContract, RowsBelowAGapAreDroppedOnlyWhenTheUserAgrees)
{
    for (TTableGrid* t : Tables()) {
        SCOPED_TRACE(t->Layout->Section ? t->Layout->Section : "rows under the root");
        // Every row of a table without a key is content: it has no gap.
        if (t->Layout->Key_Col == No_Key_Col) continue;
        for (const String& file : Form->Files()) DeleteFile(file);
        Form->FormShow(nullptr);
        Form->SetModalResult(mrNone);
        Seams.Boxes.clear();
        const int typed = Type_Disabled_Rows();
        const int stop = t->Has_Enable ? typed + 1 : 1;
        ASSERT_GT(Text_Col(*t), 0);
        t->Grid->SetCellEx(Text_Col(*t), stop + 1, QStringLiteral("below the gap"));

        Seams.AnswerBox(IDNO);
        Form->Btn_OKClick(nullptr);
        ASSERT_EQ(Seams.Boxes.size(), 1u);
        EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Question);
        EXPECT_EQ(Seams.Boxes[0].Text, Format(Lang_Text(Text_Drop_Rows_Below), {stop}));
        EXPECT_EQ(Form->ModalResult(), mrNone) << "No keeps the window open";
        EXPECT_TRUE(No_File_Written());

        Seams.AnswerBox(IDYES);
        Form->Btn_OKClick(nullptr);
        EXPECT_EQ(Form->ModalResult(), mrOk);
        for (const QByteArray& bytes : File_Bytes()) EXPECT_FALSE(bytes.contains("below the gap"));
        Form->FormShow(nullptr);
        EXPECT_TRUE(Typed_Rows_Shown());
    }
}

TEST_P(TableFormContract, OKWritesEveryFileAsShownAndTheNextShowingReadsItBack)
{
    std::vector<QByteArray> first;
    EXPECT_EQ(Show_Modal([&] {
                  Type_Disabled_Rows();
                  Form->Btn_OK->Click();
              }),
              mrOk);
    EXPECT_TRUE(Seams.Boxes.empty());
    first = File_Bytes();
    for (const QByteArray& bytes : first) {
        EXPECT_NE(bytes, "(none)");
        EXPECT_TRUE(bytes.endsWith("<!--" + Form->Version_Comment().toUtf8() + "-->\n")) << bytes.toStdString();
        EXPECT_TRUE(Form->Version_Comment().startsWith("SW_VERSION = "));
    }

    ::testing::AssertionResult shown = ::testing::AssertionFailure() << "not shown";
    EXPECT_EQ(Show_Modal([&] {
                  shown = Typed_Rows_Shown();
                  Form->Btn_OK->Click();
              }),
              mrOk);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Seams.Boxes.empty());
    EXPECT_EQ(File_Bytes(), first) << "a file read and confirmed unchanged is written the same";
}

TEST_P(TableFormContract, CancelWritesNothingAndTheNextShowingReloadsTheFile)
{
    EXPECT_EQ(Show_Modal([&] {
                  Type_Disabled_Rows();
                  Form->Btn_Cancel->Click();
              }),
              mrCancel);
    EXPECT_TRUE(No_File_Written());

    EXPECT_EQ(Show_Modal([&] {
                  Type_Disabled_Rows();
                  Form->Btn_OK->Click();
              }),
              mrOk);
    const std::vector<QByteArray> saved = File_Bytes();
    EXPECT_EQ(Show_Modal([&] {
                  for (TTableGrid* t : Tables()) {
                      t->Grid->SetCellEx(Edit_Col(*t), 1, QStringLiteral("changed"));
                      t->Grid->SetCellEx(Edit_Col(*t), 4, QStringLiteral("added"));
                  }
                  Form->Btn_Cancel->Click();
              }),
              mrCancel);
    EXPECT_EQ(File_Bytes(), saved);
    ::testing::AssertionResult reloaded = ::testing::AssertionFailure() << "not shown";
    Show_Modal([&] {
        reloaded = Typed_Rows_Shown();
        Form->Btn_Cancel->Click();
    });
    EXPECT_TRUE(reloaded) << "nothing of the cancelled edit survives";
    EXPECT_TRUE(Seams.Boxes.empty());
}

// A file whose rows lack attributes the form cannot do without still loads
// whole: every row is shown, one warning counts the incomplete ones, and OK
// writes every attribute of the layout.
TEST_P(TableFormContract, RowsMissingRequiredAttributesLoadWarnOnceAndOKWritesTheFullLayout)
{
    bool any_required = false;
    TXMLDocument doc;
    doc.SetActive(true);
    TXMLNode root = doc.CreateRoot(Form->Root_Name());
    int incomplete = 0;
    for (TTableGrid* t : Tables()) {
        for (const TTableColumn& column : t->Layout->Columns) any_required |= column.Required;
        TXMLNode parent = t->Layout->Section ? root.AddChild(QString::fromLatin1(t->Layout->Section)) : root;
        for (int i = 1; i <= 2; ++i) {
            TXMLNode row = parent.AddChild(QStringLiteral("row"));
            row.SetAttribute(QString::fromLatin1(Column(*t, Edit_Col(*t)).Attr), QStringLiteral("k%1").arg(i));
            // Disabled, so that no check judges what the file left out.
            if (t->Has_Enable) row.SetAttribute(QString::fromLatin1(Column(*t, 1).Attr), QStringLiteral("N"));
        }
        for (const TTableColumn& column : t->Layout->Columns)
            if (column.Required && &column != &Column(*t, Edit_Col(*t))) {
                incomplete += 2;
                break;
            }
    }
    if (!any_required) GTEST_SKIP() << "every attribute of this form has a default";
    doc.SaveToFile(Form->Project_File());
    Form->FormShow(nullptr);
    ASSERT_EQ(Seams.Boxes.size(), 1u);
    EXPECT_EQ(Seams.Boxes[0].Icon, TMsgBoxIcon::Warning);
    EXPECT_EQ(Seams.Boxes[0].Text,
              Format(Lang_Text(Text_Incomplete_Rows), {QFileInfo(Form->Project_File()).fileName(), incomplete}));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    for (TTableGrid* t : Tables()) EXPECT_EQ(Table_Cell_Text(*t, Edit_Col(*t), 2), "k2");

    Form->Btn_OKClick(nullptr);
    ASSERT_EQ(Form->ModalResult(), mrOk);
    TXMLDocument saved;
    saved.LoadFromFile(Form->Project_File());
    for (TTableGrid* t : Tables()) {
        const TXMLNode parent = t->Layout->Section
                                    ? saved.DocumentElement().ChildNode(QString::fromLatin1(t->Layout->Section))
                                    : saved.DocumentElement();
        ASSERT_TRUE(parent);
        const std::vector<TXMLNode> rows = parent.ChildNodes();
        ASSERT_EQ(rows.size(), 2u);
        for (const TXMLNode& row : rows)
            for (const TTableColumn& column : t->Layout->Columns)
                if (column.Attr) EXPECT_TRUE(row.HasAttribute(QString::fromLatin1(column.Attr))) << column.Attr;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTableForm, TableFormContract, ::testing::ValuesIn(Table_Form_Kinds()),
                         [](const ::testing::TestParamInfo<TTableFormKind>& info) { return std::string(info.param.Name); });

} // namespace
