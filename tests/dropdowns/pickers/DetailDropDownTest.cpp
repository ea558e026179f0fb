// The detail drop-down: completion of typed captions, Enter and Escape, the
// open list's keys and type-ahead on the test clock, cancel, stale indices.
#include "dropdowns/pickers/ZvDetailDropDown.h"
#include "tests/dropdowns/pickers/PickerFixture.h"

namespace {

struct TDetailFixture : TPickerFixture<TZvDetailDropDown> {
    int Selects = 0;
    void SetUp() override
    {
        TPickerFixture::SetUp();
        for (const char* caption : {"Apple", "Apricot", "Banana"})
            Edit->Items()->Add()->SetCaption(QString::fromLatin1(caption));
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Edit->SetFocus();
    }
    void Many(int count)
    {
        Edit->Items()->Clear();
        for (int i = 0; i < count; ++i) Edit->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(i));
    }
};

TEST_F(TDetailFixture, TypingCompletesToTheFirstMatchingCaption)
{
    struct TCase {
        const char* Typed;
        const char* Text;
        int Caret, Selected, Index;
    } cases[] = {{"a", "apple", 1, 4, 0}, {"ap", "apple", 2, 3, 0}, {"apr", "apricot", 3, 4, 1},
                 {"B", "Banana", 1, 5, 2}, {"x", "x", 1, 0, -1}};
    for (const TCase& c : cases) {
        Edit->SetItemIndex(-1);
        Edit->SetText(String());
        Selects = 0;
        Simulate::Type(Edit, QString::fromLatin1(c.Typed));
        EXPECT_EQ(Edit->Text(), QString::fromLatin1(c.Text)) << c.Typed;
        EXPECT_EQ(Edit->SelStart(), c.Caret) << c.Typed;
        EXPECT_EQ(Edit->SelLength(), c.Selected) << c.Typed;
        EXPECT_EQ(Edit->ItemIndex(), c.Index) << c.Typed;
        EXPECT_EQ(Selects, 0) << "typing fires no OnSelect: " << c.Typed;
    }
}

TEST_F(TDetailFixture, CompletionCopiesTheWholeRestOfALongCaption)
{
    const String longCaption = QStringLiteral("Q") + String(300, u'z');
    Edit->Items()->Add()->SetCaption(longCaption);
    Simulate::Type(Edit, QStringLiteral("q"));
    EXPECT_EQ(Edit->Text().size(), longCaption.size());
    EXPECT_EQ(Edit->Text().mid(1), longCaption.mid(1));
}

TEST_F(TDetailFixture, BackspaceOverACompletedTailDoesNotCompleteAgain)
{
    Simulate::Type(Edit, QStringLiteral("a"));
    ASSERT_EQ(Edit->Text(), QStringLiteral("apple"));
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Edit->Text(), QStringLiteral("a"));
    Simulate::Type(Edit, QStringLiteral("p"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("apple")) << "the next letter completes again";
}

TEST_F(TDetailFixture, EnterTakesAnEqualCaptionAndEscapeReselectsIt)
{
    Edit->SetItemIndex(2);
    Selects = 0;
    Edit->SetText(QStringLiteral("Apricot"));
    Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
    Edit->SetText(QStringLiteral("Banana"));
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Banana"));
}

TEST_F(TDetailFixture, MinusOneClearsTheTextWithoutOnSelectAndOtherValuesAreIgnored)
{
    Edit->SetItemIndex(1);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Apricot"));
    Edit->SetItemIndex(3);
    Edit->SetItemIndex(-2);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    Edit->SetItemIndex(-1);
    EXPECT_EQ(Edit->Text(), String());
    EXPECT_EQ(Selects, 1);
}

TEST_F(TDetailFixture, ClosedKeysAndWheelSelectItemsDirectly)
{
    Edit->SetEditorEnabled(false);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    Press(Qt::Key_End);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    Simulate::Wheel(Edit, Point(10, 10), 120);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    Press(Qt::Key_Home);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    Press(Qt::Key_Up);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(TDetailFixture, TheOpenListMovesByRowsAndPagesAndStopsAtTheEnds)
{
    Many(20);
    Edit->SetItemIndex(0);
    Open();
    TZvCustomItemSelector& list = *Edit->ItemSelector();
    const int page = list.GetVisibleItemCount();
    ASSERT_GE(page, 1);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Item 1"));
    EXPECT_TRUE(Edit->DroppedDown()) << "a move by key keeps the list open";
    Press(Qt::Key_PageDown);
    EXPECT_EQ(Edit->ItemIndex(), std::min(1 + page, 19));
    for (int i = 0; i < 30; ++i) Press(Qt::Key_PageDown);
    EXPECT_EQ(Edit->ItemIndex(), 19);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 19);
    for (int i = 0; i < 30; ++i) Press(Qt::Key_PageUp);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    Press(Qt::Key_Down);
    // A click on a row chooses it and closes.
    const TRect row = list.Panel()->GetItemRect(2);
    Simulate::Click(list.Panel(), Point(row.Left + 3, row.Top + 3));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Item 2"));
}

TEST_F(TDetailFixture, EscapeRestoresTheItemOfTheOpeningAndItsText)
{
    Edit->SetItemIndex(0);
    Open();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Apple"));
    // Opened with nothing chosen: the typed text comes back and no item stays chosen.
    Edit->SetItemIndex(-1);
    Edit->SetText(QStringLiteral("zz"));
    Open();
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    Press(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->Text(), QStringLiteral("zz"));
}

TEST_F(TDetailFixture, TypeAheadInTheOpenListForgetsItsLetters500MsAfterTheFirst)
{
    Edit->Items()->Add()->SetCaption(QStringLiteral("Red"));
    Edit->Items()->Add()->SetCaption(QStringLiteral("Rest"));
    Open();
    Seams.Clock().Advance(10);
    Simulate::KeyDown(Edit, Qt::Key_R);
    Seams.Clock().Advance(200);
    Simulate::KeyDown(Edit, Qt::Key_E);
    EXPECT_EQ(Edit->CurrentSearch(), QStringLiteral("RE"));
    EXPECT_EQ(Edit->ItemIndex(), 3);
    Seams.Clock().Advance(400);
    EXPECT_EQ(Edit->CurrentSearch(), String()) << "500 ms after the first key, not the last";
    Simulate::KeyDown(Edit, Qt::Key_B);
    EXPECT_EQ(Edit->CurrentSearch(), QStringLiteral("B"));
    EXPECT_EQ(Edit->ItemIndex(), 2);
    Simulate::KeyDown(Edit, Qt::Key_Shift);
    EXPECT_EQ(Edit->CurrentSearch(), QStringLiteral("B")) << "a modifier types no letter";
}

TEST_F(TDetailFixture, AssigningItemsCopiesEveryField)
{
    TDetailItems source(nullptr);
    TObject marker;
    TDetailItem* item = source.Add();
    item->SetCaption(QStringLiteral("Cap"));
    item->SetImageIndex(4);
    item->SetTag(7);
    item->SetItemObject(&marker);
    item->SetNotes(QStringLiteral("<b>n</b>"));
    TBitmap bitmap(3, 2);
    item->Image()->Assign(&bitmap);
    Edit->SetItems(&source);
    ASSERT_EQ(Edit->Items()->Count(), 1);
    const TDetailItem& copy = *Edit->Items()->GetItem(0);
    EXPECT_EQ(copy.Caption(), QStringLiteral("Cap"));
    EXPECT_EQ(copy.ImageIndex(), 4);
    EXPECT_EQ(copy.Tag(), 7);
    EXPECT_EQ(copy.ItemObject(), &marker);
    EXPECT_EQ(copy.Notes(), QStringLiteral("<b>n</b>"));
    EXPECT_EQ(copy.Image()->Width(), 3);
    EXPECT_EQ(Edit->Items()->IndexOf(QStringLiteral("Cap")), 0);
    EXPECT_EQ(Edit->Items()->IndexOf(QStringLiteral("cap")), -1);
}

TEST_F(TDetailFixture, DisabledOrReadOnlyNeverOpens)
{
    for (const auto& [enabled, readOnly] : {std::pair{false, false}, {true, true}}) {
        Edit->SetEnabled(enabled);
        Edit->SetReadOnly(readOnly);
        Edit->ShowDropDown();
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_FALSE(Edit->DropDownForm()->Visible());
    }
}

TEST_F(TDetailFixture, AStaleIndexReadsAsNoneAndPaintsNothing)
{
    Edit->Items()->GetItem(2)->SetNotes(QStringLiteral("Some <i>notes</i>"));
    Edit->SetItemIndex(2);
    Open();
    Edit->Items()->Delete(2);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_FALSE(Edit->DropDownForm()->PaintToImage().isNull());
    Edit->HideDropDown(true);
    Press(Qt::Key_Down);
    EXPECT_EQ(Edit->ItemIndex(), 0);
}

} // namespace
