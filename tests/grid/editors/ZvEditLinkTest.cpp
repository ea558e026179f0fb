// External edit links on a shown grid: a link whose control is a line edit,
// in the cell and in its pop-up window, driven with real keys: the keys that
// leave the cell and the want-key flags that keep them, F2, typing, Escape
// and Enter; the grid's answer to the control's key question; and the pop-up
// window that belongs to its link.

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvEditLink.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A line edit as the platform's edit is: the arrows are its own, the Tab,
// Enter and Escape keys the form's unless the grid asks for them.
class TLinkEdit : public TEdit {
public:
    using TEdit::TEdit;

protected:
    void WMGetDlgCode(TWMGetDlgCode& Message) override { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
};

// A link over a line edit, made once and kept.
class TLineLink : public TEditLink {
public:
    using TEditLink::TEditLink;

    TWinControl* GetEditControl() override { return FEdit; }
    void CreateEditor(TWinControl* AParent) override
    {
        ++Creates;
        if (!FEdit) {
            FEdit = new TLinkEdit(this);
            FEdit->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
        }
        FEdit->SetParent(AParent);
    }
    // The control stays the link's: a pop-up closing hides it.
    void DestroyEditor() override
    {
        ++Destroys;
        if (FEdit) FEdit->SetVisible(false);
    }
    void SetCellProps(TColor AColor, TFont* AFont) override
    {
        FEdit->SetColor(AColor);
        FEdit->Font()->Assign(AFont);
    }
    String GetEditorValue() override { return FEdit ? FEdit->Text() : String(); }
    void SetEditorValue(const String& S) override { FEdit->SetText(S); }

    TEdit* Edit() const { return FEdit; }
    int Creates = 0;
    int Destroys = 0;

private:
    TEdit* FEdit = nullptr;
};

// Tells when a component it watches goes.
class TGoneWatch : public TComponent {
public:
    explicit TGoneWatch(TComponent* Watched) : TComponent(nullptr) { Watched->FreeNotification(this); }
    bool Gone = false;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove) Gone = true;
    }
};

struct EditLinks : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;
    TLineLink* link = nullptr;

    // Four columns (one fixed), six rows (one fixed); columns 2 and 3 edit through the link.
    void SetUp() override
    {
        ClearKeyStates();
        form->SetBounds(40, 40, 480, 300);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 470, 290);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        for (int r = 1; r < 6; ++r)
            for (int c = 1; c < 4; ++c) grid->SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        grid->SetOptions(grid->Options() + goEditing);
        link = new TLineLink(form.get());
        grid->SetEditLink(link);
        grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
            if (c >= 2) e = TEditorType::edCustom;
        };
        form->Show();
        grid->SetFocus();
        grid->SetCol(2);
        grid->SetRow(2);
    }
    void TearDown() override { ClearKeyStates(); }

    void Open() { Simulate::Key(grid, Qt::Key_F2); }
    TEdit* Edit() { return link->Edit(); }
    bool EditorOpen() { return Edit() && Edit()->Visible() && grid->EditActive(); }
};

} // namespace

TEST_F(EditLinks, F2OpensTheLinksControlInTheCellAndEnterStoresIt)
{
    Open();
    ASSERT_NE(Edit(), nullptr);
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(Edit()->Parent(), grid);
    EXPECT_TRUE(Edit()->Focused());
    EXPECT_EQ(Edit()->Text(), QStringLiteral("r2c2"));
    EXPECT_EQ(grid->EditCtrl(), Edit());
    EXPECT_EQ(link->Grid(), grid);
    EXPECT_EQ(link->EditCell(), (TPoint{2, 2}));
    const TRect cell = grid->CellRect(2, 2);
    EXPECT_EQ(Edit()->BoundsRect(), Rect(cell.Left, cell.Top, cell.Right - grid->GridLineWidth(),
                                         cell.Bottom - grid->GridLineWidth()));
    EXPECT_TRUE(link->SubClassed());
    EXPECT_TRUE(WindowProcReplaced(Edit()));

    Simulate::Key(Edit(), Qt::Key_End);   // End ends the edit unless the link wants it
    EXPECT_FALSE(EditorOpen());
    Open();
    link->SetWantKeyHomeEnd(true);
    Simulate::Key(Edit(), Qt::Key_End);
    Simulate::Type(Edit(), QStringLiteral("+1"));
    Simulate::Key(Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("r2c2+1"));
    EXPECT_FALSE(Edit()->Visible());
    EXPECT_FALSE(grid->EditActive());
    EXPECT_TRUE(grid->Focused());
    EXPECT_FALSE(link->SubClassed());
    EXPECT_FALSE(WindowProcReplaced(Edit())) << "the control has its own procedure back";
    EXPECT_EQ(grid->Row(), 2) << "Enter stays without AdvanceOnEnter";
}

TEST_F(EditLinks, TheKeysThatLeaveTheCellUnlessTheLinkWantsThem)
{
    using Setter = void (TEditLink::*)(bool);
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers mods;
        Setter want;
        bool ends;        // without its want flag
        int rowAfter;     // where the grid stands after it ended
        int colAfter;
    };
    grid->SetOptions(grid->Options() + goTabs);
    const Case cases[] = {
        {"Up", Qt::Key_Up, Qt::NoModifier, &TEditLink::SetWantKeyUpDown, true, 1, 2},
        {"Down", Qt::Key_Down, Qt::NoModifier, &TEditLink::SetWantKeyUpDown, true, 3, 2},
        {"Left", Qt::Key_Left, Qt::NoModifier, &TEditLink::SetWantKeyLeftRight, true, 2, 1},
        {"Right", Qt::Key_Right, Qt::NoModifier, &TEditLink::SetWantKeyLeftRight, true, 2, 3},
        {"Home", Qt::Key_Home, Qt::NoModifier, &TEditLink::SetWantKeyHomeEnd, false, 2, 2},
        {"End", Qt::Key_End, Qt::NoModifier, &TEditLink::SetWantKeyHomeEnd, true, 2, 2},
        {"PageUp", Qt::Key_PageUp, Qt::NoModifier, &TEditLink::SetWantKeyPriorNext, true, 2, 2},
        {"PageDown", Qt::Key_PageDown, Qt::NoModifier, &TEditLink::SetWantKeyPriorNext, true, 2, 2},
        {"Enter", Qt::Key_Return, Qt::NoModifier, &TEditLink::SetWantKeyReturn, true, 2, 2},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, &TEditLink::SetWantTabs, true, 2, 2},   // reaches the control with goTabs
        {"Alt+Home", Qt::Key_Home, Qt::AltModifier, &TEditLink::SetWantKeyHomeEnd, true, 2, 2},
    };
    for (const Case& c : cases) {
        for (const bool wanted : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (wanted ? " wanted" : " not wanted"));
            for (Setter s : {&TEditLink::SetWantKeyUpDown, &TEditLink::SetWantKeyLeftRight, &TEditLink::SetWantKeyHomeEnd,
                             &TEditLink::SetWantKeyPriorNext, &TEditLink::SetWantKeyReturn, &TEditLink::SetWantTabs})
                (link->*s)(false);
            (link->*c.want)(wanted);
            grid->SetCells(2, 2, QStringLiteral("start"));
            grid->SetCol(2);
            grid->SetRow(2);
            grid->SetFocus();
            Open();
            ASSERT_TRUE(EditorOpen());
            Simulate::Key(Edit(), Qt::Key_End);   // End may end the edit itself: open again when it did
            if (!EditorOpen()) Open();
            Simulate::Type(Edit(), QStringLiteral("X"));
            ASSERT_TRUE(EditorOpen());
            const String typed = Edit()->Text();
            Simulate::Key(Edit(), c.key, c.mods);
            ClearKeyStates();
            if (c.ends && !wanted) {
                EXPECT_FALSE(EditorOpen());
                EXPECT_EQ(grid->Cells(2, 2), typed) << "leaving keeps the typed value";
                EXPECT_EQ(grid->Row(), c.rowAfter);
                EXPECT_EQ(grid->Col(), c.colAfter);
            } else {
                EXPECT_TRUE(EditorOpen()) << "the key stays in the control";
                EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("start"));
                EXPECT_EQ(grid->Row(), 2);
                EXPECT_EQ(grid->Col(), 2);
                Simulate::Key(Edit(), Qt::Key_Escape);
                if (EditorOpen()) grid->HideInplaceEdit();
            }
        }
    }
}

TEST_F(EditLinks, EscapePutsBackTheTextFromBeforeTheEdit)
{
    Open();
    Simulate::Type(Edit(), QStringLiteral("zz"));
    EXPECT_NE(Edit()->Text(), QStringLiteral("r2c2"));
    Simulate::Key(Edit(), Qt::Key_Escape);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Edit()->Text(), QStringLiteral("r2c2"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("r2c2"));

    // Wanted, Escape stays in the control and changes nothing.
    link->SetWantKeyEscape(true);
    Open();
    Simulate::Type(Edit(), QStringLiteral("q"));
    Simulate::Key(Edit(), Qt::Key_Escape);
    EXPECT_TRUE(EditorOpen());
}

TEST_F(EditLinks, TypingOnTheGridOpensTheLinkWithThatCharacter)
{
    Simulate::Type(grid, QStringLiteral("w"));
    QCoreApplication::processEvents();
    ASSERT_TRUE(EditorOpen());
    EXPECT_TRUE(Edit()->Text().contains(u'w')) << Edit()->Text().toStdString();
    Simulate::Key(Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(grid->Cells(2, 2).contains(u'w'));
}

TEST_F(EditLinks, TheGridAnswersTheControlsKeyQuestionWhileItTabs)
{
    Open();
    const LRESULT own = Edit()->Perform(WM_GETDLGCODE);
    grid->SetOptions(grid->Options() + goTabs);
    const LRESULT tabbing = Edit()->Perform(WM_GETDLGCODE);
    EXPECT_EQ(tabbing & (DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS), DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS);
    grid->SetOptions(grid->Options() - TGridOptions{goTabs});
    EXPECT_EQ(Edit()->Perform(WM_GETDLGCODE), own) << "without goTabs the control answers itself";
    Simulate::Key(Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    grid->SetOptions(grid->Options() + goTabs);
    EXPECT_EQ(Edit()->Perform(WM_GETDLGCODE), own) << "after the edit the grid no longer answers";
}

TEST_F(EditLinks, TabToNextAtEndMovesOnAndOpensTheNextCellsLink)
{
    grid->SetOptions(grid->Options() + goTabs);
    grid->Navigation()->SetTabToNextAtEnd(true);
    Open();
    Simulate::Type(Edit(), QStringLiteral("!"));
    Simulate::Key(Edit(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid->Cells(2, 2).endsWith(u'!'));
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_TRUE(EditorOpen()) << "the posted F2 opened the next cell";
    EXPECT_EQ(Edit()->Text(), QStringLiteral("r2c3"));
}

TEST_F(EditLinks, APopupLinkOpensAtTheCellAndEnterAndEscapeEndIt)
{
    link->SetEditStyle(TEditStyle::esPopup);
    link->SetPopupWidth(140);
    link->SetPopupHeight(60);
    link->SetPopupLeft(100);   // with the top at -1, the pop-up goes to the cell
    Open();
    TForm* popup = link->PopupForm();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Edit()->Parent(), popup);
    EXPECT_TRUE(popup->Visible());
    EXPECT_EQ(popup->BorderStyle(), TFormBorderStyle::bsNone);
    const TRect cell = grid->CellRect(2, 2);
    EXPECT_EQ((TPoint{popup->Left(), popup->Top()}), grid->ClientToScreen({cell.Left, cell.Top}));
    EXPECT_EQ(popup->Width(), 140);
    EXPECT_EQ(popup->Height(), 60);
    EXPECT_EQ(Edit()->Width(), 140 - grid->GridLineWidth());
    EXPECT_FALSE(link->SubClassed()) << "a pop-up control keeps its own procedure";
    EXPECT_EQ(Edit()->Text(), QStringLiteral("r2c2"));

    Simulate::Key(Edit(), Qt::Key_End, Qt::NoModifier);
    if (!EditorOpen()) Open();
    link->SetWantKeyHomeEnd(true);
    Simulate::Key(Edit(), Qt::Key_End);
    Simulate::Type(Edit(), QStringLiteral("-p"));
    Simulate::Key(Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("r2c2-p")) << "leaving a pop-up with a key keeps its value";
    EXPECT_FALSE(popup->Visible());
    EXPECT_GE(link->Destroys, 1);

    // The same window serves the next opening; Escape there puts the old text back.
    Open();
    EXPECT_EQ(link->PopupForm(), popup);
    EXPECT_TRUE(popup->Visible());
    Simulate::Type(Edit(), QStringLiteral("zz"));
    Simulate::Key(Edit(), Qt::Key_Escape);
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("r2c2-p"));
    EXPECT_FALSE(popup->Visible());

    // A fixed position is taken when both coordinates are set; the link's width follows the cell on request.
    link->SetPopupTop(120);
    link->SetAutoPopupWidth(true);
    Open();
    EXPECT_EQ((TPoint{popup->Left(), popup->Top()}), (TPoint{100, 120}));
    EXPECT_EQ(link->PopupWidth(), cell.Width());
    Simulate::Key(Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

TEST_F(EditLinks, ThePopupWindowIsTheLinksOwnNeverOneFoundByName)
{
    // Another window of the same name lives on, and is not taken for the pop-up.
    auto* other = new TForm(Application);
    other->SetName(QStringLiteral("gridform"));
    TGoneWatch otherWatch(other);
    link->SetEditStyle(TEditStyle::esPopup);
    link->SetPopupWidth(100);
    link->SetPopupHeight(40);
    Open();
    ASSERT_NE(link->PopupForm(), nullptr);
    EXPECT_NE(link->PopupForm(), other);
    EXPECT_FALSE(otherWatch.Gone);
    EXPECT_EQ(link->PopupForm()->Owner(), link);
    Simulate::Key(Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));

    // A second link has a window of its own.
    auto* second = new TLineLink(form.get());
    second->SetEditStyle(TEditStyle::esPopup);
    second->SetPopupWidth(100);
    second->SetPopupHeight(40);
    grid->SetEditLink(second);
    grid->SetRow(3);
    Open();
    ASSERT_NE(second->PopupForm(), nullptr);
    EXPECT_NE(second->PopupForm(), link->PopupForm());
    EXPECT_FALSE(otherWatch.Gone);
    Simulate::Key(second->Edit(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));

    // Freeing a link frees its window and the grid forgets it.
    TGoneWatch popupWatch(second->PopupForm());
    delete second;
    EXPECT_TRUE(popupWatch.Gone);
    EXPECT_EQ(grid->EditLink(), nullptr);
    Open();   // a link-less edCustom cell opens nothing
    EXPECT_FALSE(grid->EditActive());
    delete other;
}

TEST(EditLink, TheBaseClassHasNoControlAndCannotBeFocused)
{
    TEditLink link(nullptr);
    EXPECT_EQ(link.GetEditControl(), nullptr);
    EXPECT_EQ(link.GetEditorValue(), QString());
    link.SetEditorValue(QStringLiteral("ignored"));
    link.SetVisible(true);   // nothing to show
    link.RestoreWinProc();   // nothing to restore
    EXPECT_EQ(link.PopupLeft(), -1);
    EXPECT_EQ(link.PopupTop(), -1);
    EXPECT_EQ(link.EditStyle(), TEditStyle::esInplace);
    EXPECT_FALSE(link.ForcedExit());
    EXPECT_THROW(link.SetFocus(true), Exception);
    EXPECT_THROW(link.SetRect(Rect(0, 0, 10, 10)), Exception);
}

TEST_F(EditLinks, APopupLosingActivationStoresItsValueAndSilencesOneFocusGainOnly)
{
    link->SetEditStyle(TEditStyle::esPopup);
    link->SetPopupWidth(120);
    link->SetPopupHeight(30);
    Open();
    TForm* popup = link->PopupForm();
    ASSERT_NE(popup, nullptr);
    Simulate::Type(Edit(), QStringLiteral("away"));
    ASSERT_TRUE(popup->OnDeactivate);
    popup->OnDeactivate(popup);   // the window system took the activation elsewhere
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("away"));
    EXPECT_FALSE(grid->EditActive());
    EXPECT_FALSE(popup->Visible());
    EXPECT_TRUE(grid->InvokedFocusChange());
    auto* other = new TEdit(form.get());
    other->SetParent(form.get());
    other->SetBounds(0, 292, 60, 8);
    other->SetFocus();
    grid->SetFocus();
    EXPECT_FALSE(grid->InvokedFocusChange()) << "the flag covers one focus change, not every later one";
}
