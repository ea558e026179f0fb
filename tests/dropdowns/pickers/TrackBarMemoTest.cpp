// The track-bar and memo drop-downs: keys, drag, text, and the memo's
// Escape, F4, auto-drop and first-line display.
#include "dropdowns/pickers/ZvMemoDropDown.h"
#include "dropdowns/pickers/ZvTrackBarDropDown.h"
#include "platform/Memo.h"
#include "platform/TrackBar.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

namespace {

using TTrackBarFixture = TPickerFixture<TZvTrackBarDropDown>;

TEST_F(TTrackBarFixture, UpAndDownStepByFrequencyWithinTheRange)
{
    Edit->SetFocus();
    Edit->SetFrequency(3);
    struct TCase {
        int From, Key, To;
    } cases[] = {{0, Qt::Key_Up, 0},   {0, Qt::Key_Down, 3}, {8, Qt::Key_Down, 8},
                 {10, Qt::Key_Down, 10}, {10, Qt::Key_Up, 7}, {2, Qt::Key_Up, 2}};
    for (const TCase& c : cases) {
        Edit->SetPosition(c.From);
        Press(c.Key);
        EXPECT_EQ(Edit->Position(), c.To) << c.From << " key " << c.Key;
        EXPECT_EQ(Edit->Text(), IntToStr(c.To));
    }
    // Alt+Down opens the pop-up and does not step.
    Edit->SetPosition(4);
    Press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Position(), 4);
    EXPECT_EQ(Edit->TrackBar()->Position(), 4);
}

TEST_F(TTrackBarFixture, ValuesAreStoredAsTheTrackBarClampsThem)
{
    int changes = 0;
    Edit->OnTrackChange = [&](TObject*) { ++changes; };
    Edit->SetPosition(25);
    EXPECT_EQ(Edit->Position(), 10);
    EXPECT_EQ(Edit->Text(), QStringLiteral("10"));
    Edit->SetMax(6);
    EXPECT_EQ(Edit->Max(), 6);
    EXPECT_EQ(Edit->Position(), 6);
    Edit->SetMin(-4);
    Edit->SetPosition(-9);
    EXPECT_EQ(Edit->Position(), -4);
    EXPECT_EQ(changes, 3);
    // Moving the slider writes the edit.
    Open();
    Edit->TrackBar()->SetPosition(2);
    EXPECT_EQ(Edit->Position(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("2"));
}

TEST_F(TTrackBarFixture, DraggingOverTheEditStepsOncePerPageSizePixels)
{
    struct TCase {
        int PageSize, StepPixels, Moves, Expected;
    } cases[] = {{2, 1, 6, 3}, {2, 4, 2, 7}, {3, -3, 2, 1}, {0, 5, 3, 3}, {-2, 5, 3, 3}};
    for (const TCase& c : cases) {
        Edit->HideDropDown(false);
        Edit->SetPageSize(c.PageSize);
        Edit->SetPosition(3);
        int x = 100;
        Simulate::MouseDown(Edit, Point(x, 10));
        for (int i = 0; i < c.Moves; ++i) {
            x += c.StepPixels;
            Simulate::MouseMove(Edit, Point(x, 10), Qt::LeftButton);
        }
        Simulate::MouseUp(Edit, Point(x, 10));
        EXPECT_EQ(Edit->Position(), c.Expected) << "page " << c.PageSize << " step " << c.StepPixels;
        // Released: moves no longer drag.
        Simulate::MouseMove(Edit, Point(x + 40, 10));
        EXPECT_EQ(Edit->Position(), c.Expected);
    }
}

TEST_F(TTrackBarFixture, TheTextSetsThePositionOnlyWhenItIsAnInteger)
{
    int changes = 0;
    Edit->OnChange = [&](TObject*) { ++changes; };
    Edit->SetText(QStringLiteral("7"));
    EXPECT_EQ(Edit->Position(), 7);
    // The window text as the user leaves it (the text setter writes "0" for an empty number).
    for (const char* bad : {"", "abc", "4.5", "99999999999999"}) {
        EXPECT_NO_THROW(Edit->AssignEditText(QString::fromLatin1(bad)));
        EXPECT_EQ(Edit->Position(), 7) << bad;
    }
    EXPECT_GE(changes, 4) << "OnChange fires before the conversion";
    Edit->SetTextSuffix(QStringLiteral(" px"));
    Edit->SetText(QStringLiteral("5"));
    EXPECT_EQ(Edit->Position(), 5);
    EXPECT_EQ(Edit->Text(), QStringLiteral("5"));
}

using TMemoFixture = TPickerFixture<TZvMemoDropDown>;

// Types at the end of the memo, where the user's caret would be.
void TypeIntoMemo(TMemo* memo, const String& text)
{
    memo->SetFocus();
    Simulate::Key(memo, Qt::Key_End, Qt::ControlModifier);
    Simulate::Type(memo, text);
}

TEST_F(TMemoFixture, EscapeDiscardsTheMemosEditsAndF4KeepsThem)
{
    TStringList lines;
    lines.SetText(QStringLiteral("one\ntwo"));
    Edit->SetMemoText(&lines);
    int memoChanges = 0;
    Edit->OnMemoChange = [&](TObject*) { ++memoChanges; };
    Open();
    TypeIntoMemo(Edit->Memo(), QStringLiteral("X"));
    EXPECT_GT(memoChanges, 0);
    Simulate::Key(Edit->Memo(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(Edit->DroppedDown()) << "Enter stays in the memo";
    Simulate::Key(Edit->Memo(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->MemoText()->Text(), QStringLiteral("one\ntwo\n"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("one\ntwo\n"));

    Open();
    TypeIntoMemo(Edit->Memo(), QStringLiteral("Y"));
    Simulate::Key(Edit->Memo(), Qt::Key_F4);
    EXPECT_FALSE(Edit->DroppedDown());
    // The lines end with a line break, so the memo's caret at the end stands on a line of its own.
    EXPECT_EQ(Edit->MemoText()->Text(), QStringLiteral("one\ntwo\nY\n"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("one\ntwo\nY\n"));
    EXPECT_EQ(Edit->SelStart(), 0);
}

TEST_F(TMemoFixture, ANotEditableEditShowsTheFirstLineCutToFit)
{
    Edit->SetEditorEnabled(false);
    TStringList lines;
    lines.SetText(QStringLiteral("short\nsecond\nthird"));
    Edit->SetMemoText(&lines);
    EXPECT_EQ(Edit->Text(), QStringLiteral("short..."));
    lines.SetText(QStringLiteral("only"));
    Edit->SetMemoText(&lines);
    EXPECT_EQ(Edit->Text(), QStringLiteral("only"));
    const String wide = String(200, u'W');
    lines.SetText(wide + QStringLiteral("\nnext"));
    Edit->SetMemoText(&lines);
    const String shown = Edit->Text();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("..."))) << shown.toStdString();
    EXPECT_TRUE(wide.startsWith(shown.chopped(3)));
    TCanvas canvas;
    canvas.SetFont(Edit->Font());
    EXPECT_LT(canvas.TextWidth(shown), Edit->GetEditRect().Width());
    // A cancelled opening leaves the lines whole, not the cut line the edit shows.
    Open();
    Simulate::Key(Edit->Memo(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(Edit->MemoText()->Count(), 2);
    EXPECT_EQ(Edit->MemoText()->Strings(0), wide);
}

TEST_F(TMemoFixture, CancellingNeverLosesTheLinesSetByCode)
{
    TStringList lines;
    lines.SetText(QStringLiteral("kept\nlines"));
    Edit->SetMemoText(&lines);
    // Escape from the edit itself: the edit's last assigned text was never set.
    Open();
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->MemoText()->Text(), QStringLiteral("kept\nlines\n"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("kept\nlines\n"));
}

TEST_F(TMemoFixture, AutoDropOpensOnEnteringAndClosingDoesNotReopen)
{
    auto* other = new TEdit(Form.get());
    other->SetParent(Form.get());
    other->SetBounds(20, 100, 100, 21);
    other->SetFocus();
    Edit->AutoDrop = true;
    Edit->SetFocus();
    EXPECT_TRUE(Edit->DroppedDown());
    Edit->HideDropDown(false);
    QApplication::processEvents();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(Edit->AutoDrop);
}

TEST_F(TMemoFixture, ReadOnlyReachesTheMemoAtOnceWhenOpenElseAtTheNextOpening)
{
    Open();
    Edit->SetMemoReadOnly(true);
    EXPECT_TRUE(Edit->Memo()->ReadOnly());
    Edit->HideDropDown(false);
    Edit->SetMemoReadOnly(false);
    EXPECT_TRUE(Edit->Memo()->ReadOnly());
    Open();
    EXPECT_FALSE(Edit->Memo()->ReadOnly());
}

TEST_F(TMemoFixture, TypingInTheEditWritesTheLines)
{
    Edit->SetFocus();
    Simulate::Type(Edit, QStringLiteral("abc"));
    EXPECT_EQ(Edit->MemoText()->Text(), QStringLiteral("abc\n"));
}

} // namespace
