// The grid's text editor on a string grid: opening by typing, Enter and
// Escape, refused validation, the character filter of each kind, the length
// limit, pasting, look-up completion, edit-change events and rich text typed
// into a plain cell.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvInplaceEdit.h"

#include "platform/Forms.h"
#include "platform/Regional.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A grid whose validation a test decides (it may replace the text) and
// which remembers the cell's text when an editor opens on it.
class TEditGrid : public TZvStringGrid {
public:
    explicit TEditGrid(TComponent* AOwner) : TZvStringGrid(AOwner)
    {
        // The grid's own validation runs; the test only answers it and counts the answers.
        OnCellValidate = [this](TObject*, int, int, String& Value, bool& Valid) {
            ++Validations;
            if (Validate) Valid = Validate(Value);
        };
        OnGetEditorType = [this](TObject*, int, int, TEditorType& AEditor) { AEditor = FKind; };
    }

    std::function<bool(String&)> Validate;
    int Validations = 0;

    // The kind the next opening of the editor resolves.
    void SetKind(TEditorType kind) { FKind = kind; }

private:
    TEditorType FKind = TEditorType::edNormal;
};

struct InplaceEdit : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TEditGrid* grid = nullptr;
    std::vector<String> changes;

    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(0, 0, 480, 320);
        grid = new TEditGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 460, 300);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() + goEditing);
        grid->SetCells(1, 1, QStringLiteral("abc"));
        grid->OnEditChange = [this](TObject*, int, int, const String& v) { changes.push_back(v); };
        form->Show();
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
    }
    void TearDown() override { ClearKeyStates(); }

    TZvInplaceEdit* Editor() { return grid->NormalEdit(); }
    // Opens the editor on the current cell with F2 (the whole text selected).
    TZvInplaceEdit* Open()
    {
        Simulate::Key(grid, Qt::Key_F2);
        EXPECT_NE(Editor(), nullptr);
        return Editor();
    }
};

TEST_F(InplaceEdit, TypingOpensTheEditorWithTheCharacterAndEnterStores)
{
    Simulate::Type(grid, QStringLiteral("a"));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), QStringLiteral("a"));
    Simulate::Type(Editor(), QStringLiteral("x"));
    Simulate::Key(Editor(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(Editor()->Visible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("ax"));
    EXPECT_EQ(grid->Validations, 1) << "Enter validates once";
}

TEST_F(InplaceEdit, EscapePutsTheOriginalTextBackWithoutValidation)
{
    TZvInplaceEdit* ed = Open();
    Simulate::Type(ed, QStringLiteral("zz"));
    Simulate::Key(ed, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("abc"));
    EXPECT_EQ(grid->Validations, 0);
}

TEST_F(InplaceEdit, RefusedEnterKeepsTheEditorWithTheReplacementSelected)
{
    grid->Validate = [](String& text) {
        text = QStringLiteral("fixed");
        return false;
    };
    TZvInplaceEdit* ed = Open();
    Simulate::Type(ed, QStringLiteral("bad"));
    Simulate::Key(ed, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Text(), QStringLiteral("fixed"));
    EXPECT_EQ(ed->SelLength(), 5) << "EditSelectAll selects the text";
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("fixed")) << "a rejection keeps the handler's replacement";
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
}

struct TFilterCase {
    TEditorType Kind;
    const char* Start;
    const char* Typed;
    const char* Result;
    bool Beeps;
};

TEST_F(InplaceEdit, EachKindFiltersTypedCharacters)
{
    using E = TEditorType;
    const TFilterCase cases[] = {
        {E::edNormal, "", "a-1", "a-1", false},
        {E::edNumeric, "", "-12", "-12", false},
        {E::edNumeric, "", "1-2", "12", true},        // "-" only at the start
        {E::edPositiveNumeric, "", "-5x", "5", true},
        {E::edFloat, "", "1.5.2", "1.52", false},     // a second separator is dropped silently
        {E::edFloat, "", "1,5", "15", false},          // the thousands separator too
        {E::edPositiveFloat, "", "-2.5", "2.5", false},
        {E::edUpperCase, "", "abC", "ABC", false},
        {E::edCapital, "", "q", "Q", false},
        {E::edLowerCase, "", "AbC", "abc", false},
        {E::edMixedCase, "", "hello wORLD", "Hello World", false},
    };
    for (const TFilterCase& c : cases) {
        grid->SetKind(c.Kind);
        grid->SetCells(1, 1, QString::fromUtf8(c.Start));
        TZvInplaceEdit* ed = Open();
        ed->SetSelStart(int(ed->Text().size()));
        const int beeps = BeepCount();
        Simulate::Type(ed, QString::fromUtf8(c.Typed));
        EXPECT_EQ(ed->Text(), QString::fromUtf8(c.Result)) << int(c.Kind) << " " << c.Typed;
        EXPECT_EQ(BeepCount() > beeps, c.Beeps) << int(c.Kind) << " " << c.Typed;
        Simulate::Key(ed, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    }
    grid->SetKind(E::edValidChars);
    grid->SetValidChars(QStringLiteral("01"));
    TZvInplaceEdit* ed = Open();
    Simulate::Type(ed, QStringLiteral("1021"));
    EXPECT_EQ(ed->Text(), QStringLiteral("101"));
}

TEST_F(InplaceEdit, LengthLimitDropsCharactersButNotBackspace)
{
    grid->SetMaxEditLength(3);
    TZvInplaceEdit* ed = Open();
    EXPECT_EQ(ed->LengthLimit(), 3);
    ed->SetSelStart(3);
    Simulate::Type(ed, QStringLiteral("d"));
    EXPECT_EQ(ed->Text(), QStringLiteral("abc"));
    Simulate::Key(ed, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(ed->Text(), QStringLiteral("ab"));
    QGuiApplication::clipboard()->setText(QStringLiteral("xy"));
    ed->Perform(WM_PASTE);
    EXPECT_EQ(ed->Text(), QStringLiteral("ab")) << "a paste beyond the limit is ignored";
}

struct TPasteCase {
    TEditorType Kind;
    const char* Clip;
    const char* Result;
};

TEST_F(InplaceEdit, PasteIsFilteredByKindAndLosesOneTrailingLineBreak)
{
    using E = TEditorType;
    const TPasteCase cases[] = {
        {E::edPositiveNumeric, "-5", "7"},
        {E::edPositiveNumeric, "12", "12"},
        {E::edNumeric, "-5", "-5"},
        {E::edFloat, "1.5", "1.5"},
        {E::edFloat, "1.5x", "7"},
        {E::edUpperCase, "ab", "AB"},
        {E::edNormal, "abc\r\n", "abc"},
        {E::edNormal, "a\r\nb", "a\r\nb"},
    };
    std::vector<String> after;
    grid->OnClipboardAfterPasteCell = [&](TObject*, int, int, const String& v) { after.push_back(v); };
    for (const TPasteCase& c : cases) {
        grid->SetKind(c.Kind);
        grid->SetCells(1, 1, QStringLiteral("7"));
        TZvInplaceEdit* ed = Open();
        ed->SelectAll();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.Clip));
        ed->Perform(WM_PASTE);
        EXPECT_EQ(ed->Text(), QString::fromUtf8(c.Result)) << c.Clip;
        Simulate::Key(ed, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("7")) << "Escape undoes the paste in the cell too: " << c.Clip;
    }
    EXPECT_EQ(after.size(), 6u) << "only applied pastes are reported";

    grid->SetKind(E::edNormal);
    grid->OnClipboardPaste = [](TObject*, bool& allow) { allow = false; };
    TZvInplaceEdit* ed = Open();
    ed->Perform(WM_PASTE);
    EXPECT_EQ(ed->Text(), QStringLiteral("7"));
}

// The paste writes the cell at once: what no file can hold is dropped before
// it reaches the editor or the cell; tabs, line ends and every other
// character arrive as they were.
TEST_F(InplaceEdit, PasteDropsWhatNoFileCanHoldFromEditorAndCell)
{
    const QChar lone(char16_t(0xDC00));
    const struct {
        String Clip;
        String Result;
    } cases[] = {
        {QStringLiteral("pump\u00011"), QStringLiteral("pump1")},
        {QString(QChar(0)) + QStringLiteral("a\u0008\u000B\u001Fb"), QStringLiteral("ab")},
        {QStringLiteral("\uFFFEx\uFFFF") + lone, QStringLiteral("x")},
        {QStringLiteral("t\tl\nc\u00E9\U0001F600"), QStringLiteral("t\tl\nc\u00E9\U0001F600")},
    };
    for (const auto& c : cases) {
        grid->SetCells(1, 1, QStringLiteral("[]"));
        TZvInplaceEdit* ed = Open();
        ed->SetSelStart(1);
        ed->SetSelLength(0);
        QGuiApplication::clipboard()->setText(c.Clip);
        Simulate::Key(ed, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        const String expected = QStringLiteral("[") + c.Result + QStringLiteral("]");
        EXPECT_EQ(ed->Text(), expected) << c.Clip.toStdString();
        EXPECT_EQ(grid->Cells(1, 1), expected) << c.Clip.toStdString();
        EXPECT_EQ(ed->SelStart(), 1 + c.Result.size());
        Simulate::Key(ed, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        EXPECT_EQ(grid->Cells(1, 1), expected) << "committed as shown";
    }
}

TEST_F(InplaceEdit, EditChangeFiresOncePerChangeAndNeverWhileLoading)
{
    TZvInplaceEdit* ed = Open();
    EXPECT_TRUE(changes.empty()) << "loading the cell is no change";
    Simulate::Type(ed, QStringLiteral("xy"));
    EXPECT_EQ(changes, (std::vector<String>{QStringLiteral("x"), QStringLiteral("xy")}));
}

TEST_F(InplaceEdit, PasswordKindMasksWithTheGridsCharacter)
{
    grid->SetKind(TEditorType::edPassword);
    grid->SetPasswordChar(QChar('#'));
    TZvInplaceEdit* ed = Open();
    EXPECT_EQ(ed->PasswordChar(), QChar('#'));
    Simulate::Key(ed, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    grid->SetKind(TEditorType::edNormal);
    ed = Open();
    EXPECT_TRUE(ed->PasswordChar().isNull());
}

TEST_F(InplaceEdit, LookupCompletesFromTheItemsKeepingTheTypedCase)
{
    grid->SetLookup(true);
    grid->LookupItems()->Add(QStringLiteral("Sensor"));
    grid->LookupItems()->Add(QStringLiteral("Device"));
    grid->SetCells(1, 1, QString());
    TZvInplaceEdit* ed = Open();
    Simulate::Type(ed, QStringLiteral("se"));
    EXPECT_EQ(ed->Text(), QStringLiteral("sensor"));
    EXPECT_EQ(ed->SelText(), QStringLiteral("nsor"));
    Simulate::Key(ed, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(ed->Text(), QStringLiteral("se")) << "nothing is completed after Backspace";
}

TEST_F(InplaceEdit, RichTextTypedIntoAPlainCellIsShownAndMeasuredAsPlainText)
{
    const String rich = QStringLiteral("{\\rtf1\\ansi x}");
    grid->SetCells(2, 2, QStringLiteral("x"));
    TZvInplaceEdit* ed = Open();
    ed->SetText(rich);
    Simulate::Key(ed, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(grid->Cells(1, 1), rich);
    EXPECT_EQ(grid->GetCellTextSize(1, 1, false, false), grid->GetCellTextSize(2, 2, false, false));
    // Cut-off and unbalanced texts measure and paint without harm.
    for (const char* broken : {"{\\", "{\\rtf1 {{{", "{\\'", "{\\rtf1 \\'zz}"}) {
        grid->SetCells(1, 1, QString::fromUtf8(broken));
        grid->GetCellTextSize(1, 1, false, false);
    }
    grid->Repaint();
}

TEST_F(InplaceEdit, TheOwnerMustBeAZvGrid)
{
    TStringGrid plain(nullptr);
    EXPECT_THROW(TZvInplaceEdit edit(&plain), Exception);
}

}   // namespace
