// The grid's cell hints through the whole road a user takes: the pointer
// moved over a shown grid by Qt events, the application's hint pause
// elapsing on the test clock, the grid's hint message building the text and
// place (its handler asked with the cell), and the hint window that shows;
// which cells give which text, where it opens, and how moving to another
// cell ends it and asks again.

#include "grid/ZvGrid.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/services/ZvHTMLHintWindow.h"
#include "platform/Forms.h"
#include "tests/common/TestSeams.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

struct TAsked {
    int Row;
    int Col;
    bool operator==(const TAsked&) const = default;
};

struct GridCellHint : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form;
    TZvStringGrid* Grid = nullptr;
    std::vector<TAsked> Asked;

    void SetUp() override
    {
        Application->CancelHint();
        Build();
    }
    void TearDown() override { Application->CancelHint(); }

    // A fresh form with the grid, shown.
    void Build()
    {
        Form = std::make_unique<TForm>(nullptr);
        Asked.clear();
        Form->SetBounds(40, 50, 480, 320);
        Grid = new TZvStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 460, 300);
        Grid->SetColCount(6);
        Grid->SetRowCount(8);
        for (int c = 0; c < 6; ++c) Grid->SetColWidths(c, 64);
        Grid->SetShowHint(true);
        // As the table forms do: a text for each header cell, none elsewhere.
        Grid->OnGridHint = [this](TObject* Sender, int ARow, int ACol, String& hint) {
            EXPECT_EQ(Sender, Grid);
            Asked.push_back({ARow, ACol});
            if (ARow == 0) hint = QStringLiteral("Header %1").arg(ACol);
        };
        Form->Show();
    }

    TPoint In(int c, int r, int dx = 5, int dy = 5)
    {
        const TRect rc = Grid->CellRect(c, r);
        return {rc.Left + dx, rc.Top + dy};
    }
    void MoveTo(const TPoint& at) { Simulate::MouseMove(Grid, at); }
    void Rest() { Seams.Clock().Advance(std::uint64_t(Application->HintPause())); }
    // The pointer rests over a client point; the text of the hint that shows, "" for none.
    String RestAt(const TPoint& at)
    {
        MoveTo(at);
        Rest();
        return Shown();
    }
    static String Shown()
    {
        THintWindow* w = ActiveHintWindow();
        return w ? w->Caption() : String();
    }
    TPoint Screen(const TPoint& p) { return Grid->ClientToScreen(p); }
};

TEST_F(GridCellHint, AHeaderCellsHintComesFromTheHandlerBelowTheCellAtThePointer)
{
    ASSERT_TRUE(Grid->Hint().isEmpty()) << "as on the forms: the grid's own hint is empty";
    Grid->SetHintColor(clYellow);
    const TPoint at = In(2, 0, 11, 7);
    MoveTo(at);
    EXPECT_TRUE(Asked.empty()) << "nothing is asked before the pointer has rested";
    Rest();
    EXPECT_EQ(Asked, (std::vector<TAsked>{{0, 2}}));
    THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), QStringLiteral("Header 2"));
    EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(hint), nullptr) << "a plain text takes the application's window";
    const TPoint place = Screen({at.X, Grid->CellRect(2, 0).Bottom + 6});
    EXPECT_EQ(hint->Left(), place.X);
    EXPECT_EQ(hint->Top(), place.Y);
    EXPECT_EQ(hint->Color(), clYellow);
    EXPECT_TRUE(hint->Handle()->isVisible());
    EXPECT_FALSE(hint->Handle()->isActiveWindow()) << "the grid keeps the focus";
}

TEST_F(GridCellHint, AnotherCellEndsTheHintAndIsAskedWhenThePointerRestsThere)
{
    ASSERT_EQ(RestAt(In(2, 0)), QStringLiteral("Header 2"));
    // Within the same cell the hint stays, and nothing is asked again.
    MoveTo(In(2, 0, 40, 12));
    Rest();
    EXPECT_EQ(Shown(), QStringLiteral("Header 2"));
    EXPECT_EQ(Asked.size(), 1u);

    MoveTo(In(3, 0));
    EXPECT_EQ(ActiveHintWindow(), nullptr) << "reaching another cell hides the hint at once";
    Rest();
    EXPECT_EQ(Shown(), QStringLiteral("Header 3"));
    EXPECT_EQ(ActiveHintWindow()->Left(), Screen(In(3, 0)).X);

    // A data cell gives no text: nothing shows, yet it was asked.
    MoveTo(In(3, 2));
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    Rest();
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    EXPECT_EQ(Asked.back(), (TAsked{2, 3}));
    // And from there a header cell is asked again.
    EXPECT_EQ(RestAt(In(4, 0)), QStringLiteral("Header 4"));
}

TEST_F(GridCellHint, AMergedCellIsOneHintUnderItsBaseCell)
{
    Grid->MergeCells(2, 0, 2, 1);
    ASSERT_EQ(RestAt(In(3, 0)), QStringLiteral("Header 2"));
    EXPECT_EQ(Asked.back(), (TAsked{0, 2}));
    MoveTo(In(2, 0));
    Rest();
    EXPECT_EQ(Shown(), QStringLiteral("Header 2")) << "moving within the merge keeps the hint";
    EXPECT_EQ(Asked.size(), 1u);
}

TEST_F(GridCellHint, TheHandlerGetsTheDisplayedColumn)
{
    Grid->HideColumn(1);
    // Displayed column 2 is real column 3 now.
    EXPECT_EQ(RestAt(In(2, 0)), QStringLiteral("Header 2"));
    EXPECT_EQ(Asked.back(), (TAsked{0, 2}));
}

TEST_F(GridCellHint, KeysAndPressesEndACellHint)
{
    ASSERT_EQ(RestAt(In(2, 0)), QStringLiteral("Header 2"));
    Simulate::Key(Grid, Qt::Key_Down);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    ASSERT_EQ(RestAt(In(3, 0)), QStringLiteral("Header 3"));
    Simulate::MouseDown(Grid, In(3, 0));
    Simulate::MouseUp(Grid, In(3, 0));
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

// Which text a cell gives of its own and where its hint opens, before the
// handler has its say (here it keeps the text it gets for data cells).
TEST_F(GridCellHint, TheCellsOwnTextPlaceAndWindowFollowTheHintOptions)
{
    enum class TAt { BelowCell, CellTop, CellTopLeft, CellTopRight };
    struct TCase {
        const char* Name;
        std::function<void(TZvStringGrid*)> Setup;
        TGridCoord Cell;
        String Expected;
        TAt Place;
        bool HTMLWindow;
    };
    const String markup = QStringLiteral("<b>Bold</b> words");
    const String wide = EncodeUnicodeCellText(QString::fromUtf8("Ω wide"));
    const String longText = QStringLiteral("a text far too long for its narrow column");
    const TCase cases[] = {
        {"data cell, cell hints off", nullptr, {2, 3}, String(), TAt::BelowCell, false},
        {"data cell text", [](TZvStringGrid* g) { g->SetHintShowCells(true); }, {2, 3}, QStringLiteral("plain"),
         TAt::CellTop, false},
        {"fixed cell has no text of its own", [](TZvStringGrid* g) { g->SetHintShowCells(true); }, {0, 3}, String(),
         TAt::BelowCell, false},
        {"markup stripped",
         [&](TZvStringGrid* g) {
             g->SetHintShowCells(true);
             g->SetCells(2, 3, markup);
         },
         {2, 3}, QStringLiteral("Bold words"), TAt::CellTop, false},
        {"markup kept for the markup window",
         [&](TZvStringGrid* g) {
             g->SetHintShowCells(true);
             g->SetHTMLHint(true);
             g->SetCells(2, 3, markup);
         },
         {2, 3}, markup, TAt::CellTop, true},
        {"markup kept, the application's window",
         [&](TZvStringGrid* g) {
             g->SetHintShowCells(true);
             g->SetHTMLHint(true);
             g->SetUseInternalHintClass(false);
             g->SetCells(2, 3, markup);
         },
         {2, 3}, markup, TAt::CellTop, false},
        {"wide text",
         [&](TZvStringGrid* g) {
             g->SetHintShowCells(true);
             g->SetCells(2, 3, wide);
         },
         {2, 3}, wide, TAt::CellTop, true},
        {"comment at the top-right corner", [](TZvStringGrid* g) { g->AddComment(2, 3, QStringLiteral("A note")); },
         {2, 3}, QStringLiteral("A note"), TAt::CellTopRight, false},
        {"large text at the cell",
         [&](TZvStringGrid* g) {
             g->SetHintShowLargeText(true);
             g->SetHintShowLargeTextPos(THintShowLargeTextPos::hpCell);
             g->SetCells(2, 3, longText);
         },
         {2, 3}, longText, TAt::CellTopLeft, false},
        {"text that fits is no large text",
         [](TZvStringGrid* g) { g->SetHintShowLargeText(true); }, {2, 3}, String(), TAt::BelowCell, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Application->CancelHint();
        Build();
        Grid->OnGridHint = [this](TObject*, int ARow, int ACol, String&) { Asked.push_back({ARow, ACol}); };
        Grid->SetCells(2, 3, QStringLiteral("plain"));
        if (c.Setup) c.Setup(Grid);
        const TPoint at = In(c.Cell.X, c.Cell.Y, 7, 4);
        EXPECT_EQ(RestAt(at), c.Expected);
        EXPECT_EQ(Asked, (std::vector<TAsked>{{c.Cell.Y, c.Cell.X}})) << "the handler is asked for every cell";
        THintWindow* hint = ActiveHintWindow();
        if (c.Expected.isEmpty()) {
            EXPECT_EQ(hint, nullptr);
            continue;
        }
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(hint) != nullptr, c.HTMLWindow);
        const TRect rc = Grid->CellRect(c.Cell.X, c.Cell.Y);
        TPoint place;
        switch (c.Place) {
        case TAt::BelowCell: place = {at.X, rc.Bottom + 6}; break;
        case TAt::CellTop: place = {at.X, rc.Top}; break;
        case TAt::CellTopLeft: place = {rc.Left, rc.Top}; break;
        case TAt::CellTopRight: place = {rc.Right, rc.Top}; break;
        }
        EXPECT_EQ(Point(hint->Left(), hint->Top()), Screen(place));
    }
}

TEST_F(GridCellHint, TheHandlersTextWinsAndAWideOneTravelsCoded)
{
    Grid->SetHintShowCells(true);
    Grid->SetCells(2, 3, QStringLiteral("cell"));
    Grid->OnGridHint = [](TObject*, int, int, String& hint) { hint = QStringLiteral("mine, not ") + hint; };
    EXPECT_EQ(RestAt(In(2, 3)), QStringLiteral("mine, not cell"));

    Application->CancelHint();
    Grid->OnGridWideHint = [](TObject*, int, int, String& hint) { hint = QString::fromUtf8("Ω"); };
    MoveTo(In(3, 3));
    Rest();
    auto* hint = dynamic_cast<THTMLHintWindow*>(ActiveHintWindow());
    ASSERT_NE(hint, nullptr) << "wide text is drawn by the grid's window";
    EXPECT_EQ(DecodeUnicodeCellText(hint->Caption()), QString::fromUtf8("Ω"));
}

TEST_F(GridCellHint, TheFloatingFootersRowAsksNoHandler)
{
    Grid->FloatingFooter()->SetVisible(true);
    const int last = Grid->RowCount() - 1;
    // The footer panel covers the last row: ask the grid as the platform does, at a point of that row.
    THintInfo info;
    info.CursorPos = In(2, last);
    info.HintStr = Grid->Hint();
    Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
    EXPECT_TRUE(Asked.empty());
    info.CursorPos = In(2, 0);
    EXPECT_EQ(Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info)), 0);
    EXPECT_EQ(info.HintStr, QStringLiteral("Header 2"));
}

TEST_F(GridCellHint, TheLookSetsTheWidthAndTheGridsFontTheMarkupWindowsFont)
{
    Grid->ControlLook()->SetHintMaxWidth(120);
    Grid->Font()->SetName(QStringLiteral("DejaVu Serif"));
    Grid->OnGridHint = [](TObject*, int, int, String& hint) {
        hint = QStringLiteral("a header hint long enough to be wrapped within the width the look gives");
    };
    MoveTo(In(2, 0));
    Rest();
    THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_LE(hint->Width(), 120 + 6);
    EXPECT_GT(hint->Height(), 2 * hint->Canvas()->TextHeight(QStringLiteral("Ag")));
    EXPECT_EQ(HTMLHintFontName(), QStringLiteral("DejaVu Serif"));
}

TEST_F(GridCellHint, AnAnchorsTitleIsOfferedAndShownBesideThePointer)
{
    Grid->SetAnchorHint(true);
    Grid->SetCells(2, 3, QStringLiteral("<a href=\"http://example.test/x\">link text here</a>"));
    String offered;
    Grid->OnAnchorHint = [&](TObject*, int ARow, int ACol, String& anchor) {
        EXPECT_EQ(ARow, 3);
        EXPECT_EQ(ACol, 2);
        offered = anchor;
        anchor = QStringLiteral("Opens x");
    };
    const TPoint at = In(2, 3, 8, 8);
    EXPECT_EQ(RestAt(at), QStringLiteral("Opens x"));
    EXPECT_EQ(offered, QStringLiteral("http://example.test/x"));
    EXPECT_EQ(Point(ActiveHintWindow()->Left(), ActiveHintWindow()->Top()), Screen({at.X + 8, at.Y - 16}));
}

} // namespace
