#include "grid/ZvGridOptions.h"
#include "grid/ZvCheckBox.h"
#include "grid/ZvGridFocusWindow.h"
#include "grid/ZvStringGridCheck.h"

#include "platform/Forms.h"
#include "platform/Themes.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {
// One field of an option object: how to give it a non-default value and
// whether a copy by Assign must carry it over.
template <class T>
struct TField {
    const char* name;
    std::function<void(T&)> set;
    std::function<bool(const T&, const T&)> same;
    bool copied;
};

#define FIELD(Name, Value, Copied) \
    TField<T>{#Name, [](T& o) { o.Set##Name(Value); }, [](const T& a, const T& b) { return a.Name() == b.Name(); }, Copied}

// A picture field, given `Picture` and compared by the image it shows; always copied.
#define PICTURE_FIELD(Name, Picture)                                                                      \
    TField<T>{#Name, [=](T& o) { o.Set##Name(Picture); },                                                 \
              [](const T& a, const T& b) { return SamePicture(a.Name(), b.Name()); }, true}

// Sets every field of a source to a non-default value, copies it into a
// fresh object and checks each field was copied or left exactly as the table says.
template <class T>
void CheckAssign(const std::vector<TField<T>>& fields, const std::function<std::unique_ptr<T>()>& make)
{
    auto source = make();
    for (const auto& f : fields) f.set(*source);
    auto target = make();
    auto fresh = make();
    target->Assign(source.get());
    for (const auto& f : fields) {
        if (f.copied)
            EXPECT_TRUE(f.same(*target, *source)) << f.name << " was not copied";
        else
            EXPECT_TRUE(f.same(*target, *fresh)) << f.name << " was copied";
        // The table is useless for a field whose non-default equals its default.
        EXPECT_FALSE(f.same(*source, *fresh)) << f.name << " kept its default in the source";
    }
}

TBitmap* SolidBitmap(TColor color, int size = 3)
{
    static std::vector<std::unique_ptr<TBitmap>> keep;
    keep.push_back(std::make_unique<TBitmap>(size, size));
    keep.back()->Canvas()->Brush()->SetColor(color);
    keep.back()->Canvas()->FillRect(Rect(0, 0, size, size));
    return keep.back().get();
}

bool SamePicture(const TBitmap* a, const TBitmap* b)
{
    return a->Image() == b->Image();
}
}

// ============================================================================
// Defaults
// ============================================================================

TEST(ZvGridOptions, SearchFooterDefaultsAndDesignCaptions)
{
    TSearchFooter f(nullptr, false);
    EXPECT_FALSE(f.AlwaysHighLight());
    EXPECT_TRUE(f.AutoSearch());
    EXPECT_EQ(f.Color(), 0xFFFFFFu);
    EXPECT_EQ(f.ColorTo(), 0xFF00000Fu);
    EXPECT_EQ(f.FindNextCaption(), QString());
    EXPECT_EQ(f.HintHighlight(), QString());
    EXPECT_FALSE(f.SearchActiveColumnOnly());
    EXPECT_EQ(f.SearchColumn(), -1);
    EXPECT_FALSE(f.SearchMatchStart());
    EXPECT_FALSE(f.SearchFixedCells());
    EXPECT_FALSE(f.SearchHiddenRows());
    EXPECT_EQ(f.SearchDirection(), TSearchDirection::sdTopBottom);
    EXPECT_TRUE(f.ShowClose() && f.ShowFindNext() && f.ShowFindPrev() && f.ShowHighLight() && f.ShowMatchCase());
    EXPECT_FALSE(f.Visible());

    TSearchFooter designed(nullptr, true);
    const std::pair<String, const char*> captions[] = {
        {designed.FindNextCaption(), "Find &next"},
        {designed.FindPrevCaption(), "Find &previous"},
        {designed.HighLightCaption(), "Highlight"},
        {designed.MatchCaseCaption(), "Match case"},
        {designed.HintClose(), "Close"},
        {designed.HintFindNext(), "Find next occurrence"},
        {designed.HintFindPrev(), "Find previous occurrence"},
        {designed.HintHighlight(), "Highlight occurrences"},
    };
    for (const auto& [actual, expected] : captions) EXPECT_EQ(actual, QString::fromLatin1(expected));
}

TEST(ZvGridOptions, NavigationAndMouseActionDefaults)
{
    TNavigation n;
    const std::pair<bool, bool> navigation[] = {
        {n.AllowInsertRow(), false}, {n.AllowDeleteRow(), false}, {n.AlwaysEdit(), false},
        {n.AdvanceOnEnter(), false}, {n.AdvanceOnEnterLoop(), true}, {n.AdvanceInsert(), false},
        {n.AdvanceAutoEdit(), true}, {n.AdvanceSkipReadOnlyCells(), true}, {n.AutoGotoWhenSorted(), false},
        {n.AllowCtrlEnter(), true}, {n.AllowClipboardRowGrow(), true}, {n.AllowClipboardColGrow(), true},
        {n.AdvanceAuto(), false}, {n.EditSelectAll(), true}, {n.ComboGetUpDown(), true},
        {n.CursorWalkAlwaysEdit(), true}, {n.LeftRightRowSelect(), true}, {n.CopyHTMLTagsToClipboard(), true},
        {n.SkipFixedCells(), true}, {n.SkipDisabledRows(), true}, {n.TabToNextAtEnd(), false},
        {n.KeepScrollOnSort(), false}, {n.AllowClipboardShortCuts(), false},
    };
    for (std::size_t i = 0; i < std::size(navigation); ++i)
        EXPECT_EQ(navigation[i].first, navigation[i].second) << "navigation entry " << i;
    EXPECT_EQ(n.AdvanceDirection(), TAdvanceDirection::adLeftRight);
    EXPECT_EQ(n.InsertPosition(), TInsertPosition::pInsertBefore);
    EXPECT_EQ(n.ClipboardPasteAction(), TClipboardPasteAction::paReplace);
    EXPECT_EQ(n.CursorAdvance(), TCursorAdvance::caDefault);
    EXPECT_EQ(n.HomeEndKey(), THomeEndAction::heFirstLastColumn);
    EXPECT_EQ(n.TabAdvanceDirection(), TAdvanceDirection::adLeftRight);

    TMouseActions m(nullptr);
    EXPECT_TRUE(m.AutoSizeColOnDblClick());
    EXPECT_TRUE(m.PreciseNodeClick());
    EXPECT_FALSE(m.RowSelect() || m.DirectEdit() || m.DisjunctRowSelect() || m.HotmailRowSelect() ||
                 m.EditOnDblClickOnly() || m.SizeFixedRow() || m.CheckAllCheck());
    EXPECT_EQ(m.FixedRowsEdit(), TGridFixedCellEdit::fceNone);
    EXPECT_EQ(m.FixedColsEditor(), TGridFixedCellEditor::fceEdit);
    EXPECT_EQ(m.WheelIncrement(), 0);
    EXPECT_EQ(m.WheelAction(), TWheelAction::waMoveSelection);
    EXPECT_EQ(m.FixedComboValues()->Count(), 0);
}

TEST(ZvGridOptions, SortLookAndOtherDefaults)
{
    TSortSettings s(nullptr);
    EXPECT_TRUE(s.AutoSortForGrouping());
    EXPECT_EQ(s.Column(), -1);
    EXPECT_FALSE(s.Show());
    EXPECT_EQ(s.IndexColor(), 0x00FFFFu);
    EXPECT_TRUE(s.Full());
    EXPECT_TRUE(s.AutoFormat());
    EXPECT_TRUE(s.SortOnVirtualCells());
    EXPECT_EQ(s.Row(), 0);
    EXPECT_EQ(s.HeaderColor(), clNone);
    EXPECT_TRUE(s.UpGlyph()->Empty());

    TControlLook look(nullptr);
    EXPECT_EQ(look.Color(), 0u);
    EXPECT_EQ(look.CommentColor(), 0x0000FFu);
    EXPECT_EQ(look.FixedGradientFrom(), clNone);
    EXPECT_EQ(look.FixedGradientHoverFrom(), 0x808080u);
    EXPECT_EQ(look.FixedGradientHoverTo(), 0xFFFFFFu);
    EXPECT_EQ(look.FixedGradientHoverBorder(), 0xC0C0C0u);
    EXPECT_EQ(look.FixedGradientDownFrom(), 0x808080u);
    EXPECT_EQ(look.FixedGradientDownTo(), 0xC0C0C0u);
    EXPECT_EQ(look.FixedGradientDownBorder(), 0x808080u);
    EXPECT_EQ(TControlLook::DeclaredGradientDefault(TLookGradient::lgHoverFrom), 0xFFFFFFu);
    EXPECT_EQ(TControlLook::DeclaredGradientDefault(TLookGradient::lgDownTo), 0x808080u);
    EXPECT_EQ(look.CheckSize(), 15);
    EXPECT_EQ(look.RadioSize(), 10);
    EXPECT_EQ(look.ControlStyle(), TGridControlStyle::csTheme);
    EXPECT_EQ(look.DropDownCount(), 8);
    EXPECT_EQ(look.ProgressBorderColor(), 0x808080u);
    EXPECT_EQ(look.ProgressMarginX(), 2);
    ASSERT_NE(look.DropDownHeader(), nullptr);
    ASSERT_NE(look.DropDownFooter(), nullptr);

    TBands bands;
    EXPECT_EQ(bands.PrimaryColor(), 0xFF000018u);
    EXPECT_EQ(bands.SecondaryColor(), 0xFF000005u);
    EXPECT_EQ(bands.TotalLength(), 2);

    TGridProgressAppearance p;
    EXPECT_EQ(p.CompleteColor(), 0x0000FFu);
    EXPECT_EQ(p.Level2Color(), 0x53A9FFu);
    EXPECT_EQ(p.Level3ColorTo(), 0xCACAFFu);
    EXPECT_EQ(p.Level1Perc(), 70);
    EXPECT_EQ(p.Steps(), 11);
    EXPECT_EQ(p.Style(), TProgressStyle::psXP);

    TGrouping g;
    EXPECT_EQ(g.HeaderLineColor(), 0xFF0000u);
    EXPECT_EQ(g.SummaryLineWidth(), 2);

    TDragScrollOptions d;
    EXPECT_EQ(d.Delays()->InitialDelay(), 1000);
    EXPECT_EQ(d.Delays()->RepeatDelay(), 250);
    EXPECT_EQ(d.Margins()->LeftMargin(), 50);

    TBalloonSettings b;
    EXPECT_EQ(b.AutoHideDelay(), -1);
    EXPECT_EQ(b.Transparency(), 0);

    TFilterDropDown fd;
    EXPECT_EQ(fd.Height(), 150);
    EXPECT_EQ(fd.Color(), clWindow);

    TBackGround bg(nullptr);
    EXPECT_EQ(bg.ColorTo(), clBtnFace);
    TFloatingFooter ff(nullptr);
    EXPECT_TRUE(ff.CalculateHiddenRows());
    EXPECT_EQ(ff.Color(), clBtnFace);
    EXPECT_EQ(TShowModified().Color(), 0x00FFFFu);
    EXPECT_TRUE(TDragDropSettings(nullptr).OleAcceptURLs());
}

// ============================================================================
// Assign: one table per class
// ============================================================================

TEST(ZvGridOptions, SearchFooterAssign)
{
    using T = TSearchFooter;
    TFont bold;
    bold.SetStyle(TFontStyle::fsBold);
    CheckAssign<T>(
        {
            FIELD(AlwaysHighLight, true, true), FIELD(AutoSearch, false, false), FIELD(Color, clRed, true),
            FIELD(ColorTo, 0xF0F0F0, true), FIELD(FindNextCaption, "n", true), FIELD(FindPrevCaption, "p", true),
            FIELD(HighLightCaption, "h", true), FIELD(MatchCaseCaption, "m", true), FIELD(HintClose, "c", true),
            FIELD(HintFindNext, "hn", true), FIELD(HintFindPrev, "hp", true), FIELD(HintHighlight, "hh", true),
            FIELD(SearchActiveColumnOnly, true, true), FIELD(SearchColumn, 3, true),
            FIELD(SearchMatchStart, true, true), FIELD(SearchFixedCells, true, false),
            FIELD(SearchHiddenRows, true, true), FIELD(SearchDirection, TSearchDirection::sdLeftRight, true),
            FIELD(ShowClose, false, true), FIELD(ShowFindNext, false, true), FIELD(ShowFindPrev, false, true),
            FIELD(ShowHighLight, false, true), FIELD(ShowMatchCase, false, true), FIELD(Visible, true, true),
            TField<T>{"Font", [&](T& o) { o.SetFont(&bold); },
              [](const T& a, const T& b) { return a.Font()->Style() == b.Font()->Style(); }, true},
        },
        [] { return std::make_unique<T>(nullptr, false); });
}

TEST(ZvGridOptions, NavigationAssign)
{
    using T = TNavigation;
    CheckAssign<T>(
        {
            FIELD(AllowInsertRow, true, true), FIELD(AllowDeleteRow, true, true), FIELD(AlwaysEdit, true, true),
            FIELD(AdvanceOnEnterLoop, false, true), FIELD(AdvanceInsert, true, true),
            FIELD(AdvanceAutoEdit, false, true), FIELD(AdvanceSkipReadOnlyCells, false, true),
            FIELD(AutoGotoWhenSorted, true, true), FIELD(AutoGotoIncremental, true, true),
            FIELD(AutoComboDropSize, true, true), FIELD(AdvanceDirection, TAdvanceDirection::adTopBottom, true),
            FIELD(AllowClipboardShortCuts, true, true), FIELD(AllowCtrlEnter, false, true),
            FIELD(AllowSmartClipboard, true, true), FIELD(AllowRTFClipboard, true, true),
            FIELD(AllowFmtClipboard, true, true), FIELD(AllowClipboardAlways, true, true),
            FIELD(AllowClipboardRowGrow, false, true), FIELD(AllowClipboardColGrow, false, true),
            FIELD(AdvanceAuto, true, true),   // also switches AdvanceOnEnter on in the source
            FIELD(AppendOnArrowDown, true, true), FIELD(EditSelectAll, false, true),
            FIELD(InsertPosition, TInsertPosition::pInsertAfter, true),
            FIELD(ClipboardPasteAction, TClipboardPasteAction::paInsert, true), FIELD(ComboGetUpDown, false, true),
            FIELD(CursorAdvance, TCursorAdvance::caSnake, true), FIELD(CursorWalkEditor, true, true),
            FIELD(CursorWalkAlwaysEdit, false, true), FIELD(CursorMoveRows, true, true),
            FIELD(MoveRowOnSort, true, true), FIELD(KeepScrollOnSort, true, false), FIELD(MoveScrollOnly, true, true),
            FIELD(ImproveMaskSel, true, true), FIELD(LeftRightRowSelect, false, true),
            FIELD(CopyHTMLTagsToClipboard, false, true), FIELD(KeepHorizScroll, true, true),
            FIELD(LineFeedOnEnter, true, true), FIELD(HomeEndKey, THomeEndAction::heFirstLastCell, true),
            FIELD(SkipFixedCells, false, true), FIELD(SkipDisabledRows, false, true),
            FIELD(TabToNextAtEnd, true, true), FIELD(TabAdvanceDirection, TAdvanceDirection::adTopBottom, true),
            FIELD(AdvanceOnEnter, true, true),
        },
        [] { return std::make_unique<T>(); });
}

TEST(ZvGridOptions, MouseActionsAssign)
{
    using T = TMouseActions;
    TStringList values;
    values.Add(QStringLiteral("a"));
    CheckAssign<T>(
        {
            FIELD(AllColumnSize, true, true), FIELD(AllRowSize, true, true), FIELD(AllSelect, true, true),
            FIELD(AutoSizeColOnDblClick, false, true), FIELD(CaretPositioning, true, true),
            FIELD(ColSelect, true, true), FIELD(DirectComboClose, true, true), FIELD(DirectComboDrop, true, true),
            FIELD(DirectDateClose, true, true), FIELD(DirectDateDrop, true, true), FIELD(DirectEdit, true, true),
            FIELD(DisjunctRowSelectNoCtrl, true, true), FIELD(DisjunctColSelect, true, true),
            FIELD(DisjunctCellSelect, true, true), FIELD(EditOnDblClickOnly, true, false),
            FIELD(FixedRowsEdit, TGridFixedCellEdit::fceDblClick, true),
            FIELD(FixedRowsEditor, TGridFixedCellEditor::fceComboList, true),
            FIELD(FixedColsEditor, TGridFixedCellEditor::fceComboEdit, true),
            FIELD(FixedColsEdit, TGridFixedCellEdit::fceRightClick, true),
            // Hotmail selection is not copied, but what it switched on in the source is.
            FIELD(HotmailRowSelect, true, false), FIELD(DisjunctRowSelect, true, true),
            FIELD(CheckAllCheck, true, true), FIELD(MoveRowOnNodeClick, true, true),
            FIELD(NoAutoRangeScroll, true, true), FIELD(NodeAllExpandContract, true, true),
            FIELD(NoScrollOnPartialRow, true, true), FIELD(PreciseCheckBoxCheck, true, true),
            FIELD(PreciseNodeClick, false, true), FIELD(RangeSelectAndEdit, true, true), FIELD(RowSelect, true, true),
            FIELD(RowSelectPersistent, true, true), FIELD(SelectOnRightClick, true, true),
            FIELD(SizeFixedCol, true, true), FIELD(SizeFixedRow, true, false), FIELD(WheelIncrement, 3, true),
            FIELD(WheelAction, TWheelAction::waScroll, true),
            TField<T>{"FixedComboValues", [&](T& o) { o.SetFixedComboValues(&values); },
              [](const T& a, const T& b) { return a.FixedComboValues()->Text() == b.FixedComboValues()->Text(); },
              false},
        },
        [] { return std::make_unique<T>(nullptr); });
}

TEST(ZvGridOptions, SmallOptionGroupsAssign)
{
    {
        using T = TBands;
        CheckAssign<T>({FIELD(Active, true, true), FIELD(PrimaryColor, clRed, true), FIELD(PrimaryLength, 3, true),
                        FIELD(SecondaryColor, clBlue, true), FIELD(SecondaryLength, 4, true),
                        FIELD(Print, true, true)},
                       [] { return std::make_unique<T>(); });
        // The total follows only the length setters.
        TBands source, target;
        source.SetPrimaryLength(3);
        target.Assign(&source);
        EXPECT_EQ(target.TotalLength(), 2);
    }
    {
        using T = TFocusHelper;
        CheckAssign<T>({FIELD(Enabled, true, true)}, [] { return std::make_unique<T>(nullptr); });
    }
    {
        using T = TGrouping;
        CheckAssign<T>(
            {FIELD(AutoSelectGroup, true, true), FIELD(AutoCheckGroup, true, true),
             FIELD(GroupCountFormat, "(%d)", true), FIELD(HeaderColor, clRed, true), FIELD(HeaderColorTo, clRed, true),
             FIELD(HeaderTextColor, clRed, true), FIELD(HeaderUnderline, true, true),
             FIELD(HeaderLineColor, clRed, false), FIELD(HeaderLineWidth, 5, false), FIELD(MergeHeader, true, true),
             FIELD(MergeSummary, true, true), FIELD(ShowGroupCount, true, true), FIELD(Summary, true, false),
             FIELD(SummaryColor, clRed, true), FIELD(SummaryColorTo, clRed, true),
             FIELD(SummaryTextColor, clRed, true), FIELD(SummaryLine, true, true),
             FIELD(SummaryLineColor, clRed, false), FIELD(SummaryLineWidth, 5, false)},
            [] { return std::make_unique<T>(); });
    }
    {
        using T = TDragDropSettings;
        CheckAssign<T>(
            {FIELD(ShowCells, false, true), FIELD(OleAcceptFiles, false, true), FIELD(OleAcceptText, false, true),
             FIELD(OleAcceptURLs, false, true), FIELD(OleAppendRows, true, true),
             FIELD(OleColumnDragDrop, true, true), FIELD(OleColumnReorder, true, true),
             FIELD(OleColumnsOnly, true, true), FIELD(OleCopyAlways, true, true), FIELD(OleDropTarget, true, true),
             FIELD(OleDropSource, true, true), FIELD(OleEntireRows, true, true), FIELD(OleInsertRows, true, true),
             FIELD(OleRemoveRows, true, true), FIELD(OleDropRTF, true, true)},
            [] { return std::make_unique<T>(nullptr); });
    }
    {
        using T = TBalloonSettings;
        CheckAssign<T>({FIELD(AutoHideDelay, 5, true), FIELD(BackgroundColor, clRed, true),
                        FIELD(Enable, true, true), FIELD(InitialDelay, 6, true), FIELD(ReshowDelay, 7, true),
                        FIELD(TextColor, clBlue, true), FIELD(Transparency, 100, false)},
                       [] { return std::make_unique<T>(); });
    }
    {
        using T = TShowModified;
        CheckAssign<T>({FIELD(Enabled, true, true), FIELD(Color, clRed, true)},
                       [] { return std::make_unique<T>(); });
    }
    {
        using T = TDragScrollOptions;
        CheckAssign<T>(
            {FIELD(Active, true, true),
             TField<T>{"Delays", [](T& o) { o.Delays()->SetRepeatDelay(9); },
               [](const T& a, const T& b) { return a.Delays()->RepeatDelay() == b.Delays()->RepeatDelay(); }, true},
             TField<T>{"Margins", [](T& o) { o.Margins()->SetBottomMargin(9); },
               [](const T& a, const T& b) { return a.Margins()->BottomMargin() == b.Margins()->BottomMargin(); },
               true}},
            [] { return std::make_unique<T>(); });
    }
}

TEST(ZvGridOptions, SortSettingsAssign)
{
    using T = TSortSettings;
    TBitmap* red = SolidBitmap(clRed);
    CheckAssign<T>(
        {
            FIELD(AutoSortForGrouping, false, true), FIELD(AutoColumnMerge, true, true), FIELD(Column, 4, true),
            FIELD(Show, true, true), FIELD(IndexShow, true, true), FIELD(IndexColor, clRed, true),
            FIELD(IndexSortKey, TIndexSortKey::ikCtrl, true), FIELD(Full, false, true),
            FIELD(SingleColumn, true, true), FIELD(IgnoreBlanks, true, true),
            FIELD(BlankPos, TSortBlankPosition::blLast, true), FIELD(AutoFormat, false, true),
            FIELD(Direction, TSortDirection::sdDescending, true), FIELD(IgnoreCase, true, false),
            FIELD(InitSortDirection, TSortDirection::sdDescending, true), FIELD(FixedCols, true, true),
            FIELD(NormalCellsOnly, true, true), FIELD(Row, -1, true), FIELD(UndoSort, true, true),
            FIELD(SortOnVirtualCells, false, false), FIELD(HeaderColor, clRed, true),
            FIELD(HeaderColorTo, clRed, true), FIELD(HeaderMirrorColor, clRed, true),
            FIELD(HeaderMirrorColorTo, clRed, true),
            PICTURE_FIELD(UpGlyph, red), PICTURE_FIELD(DownGlyph, red),
            PICTURE_FIELD(IndexUpGlyph, red),
            PICTURE_FIELD(IndexDownGlyph, red),
        },
        [] { return std::make_unique<T>(nullptr); });
}

TEST(ZvGridOptions, ControlLookAssign)
{
    using T = TControlLook;
    TBitmap* red = SolidBitmap(clRed);
    std::vector<TField<T>> fields = {
        FIELD(Color, clRed, true), FIELD(CommentColor, clBlue, true), FIELD(FixedDropDownButton, true, false),
        FIELD(HintMaxWidth, 200, true), FIELD(CheckSize, 20, true), FIELD(CheckAlwaysActive, true, true),
        FIELD(RadioSize, 12, true), FIELD(RadioAlwaysActive, true, true),
        FIELD(ControlStyle, TGridControlStyle::csFlat, true), FIELD(DropDownAlwaysVisible, true, true),
        FIELD(DropDownCount, 12, true), FIELD(SpinButtonsAlwaysVisible, true, true), FIELD(FlatButton, true, false),
        FIELD(NoDisabledCheckRadioLook, true, false), FIELD(NoDisabledButtonLook, true, false),
        FIELD(ProgressBorderColor, clRed, true), FIELD(ProgressMarginX, 5, true), FIELD(ProgressMarginY, 6, true),
        FIELD(ProgressXP, true, false),
        PICTURE_FIELD(CheckedGlyph, red),
        PICTURE_FIELD(UnCheckedGlyph, red),
        PICTURE_FIELD(RadioOnGlyph, red),
        PICTURE_FIELD(RadioOffGlyph, red),
        TField<T>{"DropDownHeader", [](T& o) { o.DropDownHeader()->SetCaption(QStringLiteral("h")); },
          [](const T& a, const T& b) { return a.DropDownHeader()->Caption() == b.DropDownHeader()->Caption(); }, true},
        TField<T>{"DropDownFooter", [](T& o) { o.DropDownFooter()->SetColor(clRed); },
          [](const T& a, const T& b) { return a.DropDownFooter()->Color() == b.DropDownFooter()->Color(); }, true},
    };
    for (int i = 0; i < LookGradientCount; ++i) {
        const auto which = TLookGradient(i);
        fields.push_back(TField<T>{"gradient", [=](T& o) { o.SetGradient(which, TColor(0x123400 + i)); },
                           [=](const T& a, const T& b) { return a.Gradient(which) == b.Gradient(which); }, true});
    }
    CheckAssign<T>(fields, [] { return std::make_unique<T>(nullptr); });
}

TEST(ZvGridOptions, FilterAndFooterAndProgressAssign)
{
    {
        using T = TFilterData;
        CheckAssign<T>({FIELD(Column, 3, true), FIELD(Condition, ">5", true), FIELD(CaseSensitive, false, true),
                        FIELD(Data, TFilterCells::fcStripHTML, true), FIELD(Prefix, "$", true),
                        FIELD(Suffix, "%", true), FIELD(Operation, TFilterOperation::foOR, true),
                        FIELD(Method, TFilterMethod::fmLiteral, false)},
                       [] { return std::make_unique<T>(); });
    }
    {
        using T = TFloatingFooter;
        CheckAssign<T>({FIELD(BorderColor, clRed, false), FIELD(CalculateHiddenRows, false, true),
                        FIELD(Color, clRed, true), FIELD(Column, 2, true), FIELD(CustomTemplate, "x", true),
                        FIELD(FooterStyle, TFooterStyle::fsCustomPaint, true), FIELD(ShowHint, true, true),
                        FIELD(Visible, true, true), FIELD(EnableCalculation, false, false),
                        FIELD(Height, 40, false)},
                       [] { return std::make_unique<T>(nullptr); });
    }
    {
        using T = TBackGround;
        TBitmap* red = SolidBitmap(clRed);
        CheckAssign<T>({FIELD(Top, 1, true), FIELD(Left, 2, true), FIELD(Display, TBackGroundDisplay::bdFixed, true),
                        FIELD(Cells, TBackGroundCells::bcAll, true), FIELD(Color, clRed, true),
                        FIELD(ColorTo, clRed, true),
                        PICTURE_FIELD(Bitmap, red)},
                       [] { return std::make_unique<T>(nullptr); });
    }
    {
        using T = TFilterDropDown;
        TBitmap* red = SolidBitmap(clRed);
        TFont big;
        big.SetHeight(-20);
        CheckAssign<T>({FIELD(AutoSize, true, false), FIELD(Color, clRed, true), FIELD(ColumnWidth, true, true),
                        FIELD(Height, 10, true), FIELD(Width, 11, true),
                        TField<T>{"Font", [&](T& o) { o.SetFont(&big); },
                          [](const T& a, const T& b) { return a.Font()->Height() == b.Font()->Height(); }, true},
                        PICTURE_FIELD(Glyph, red),
                        PICTURE_FIELD(GlyphActive, red)},
                       [] { return std::make_unique<T>(); });
    }
    {
        using T = TGridProgressAppearance;
        CheckAssign<T>(
            {FIELD(CompleteColor, 1, true), FIELD(CompleteFontColor, 2, true), FIELD(UnCompleteColor, 3, true),
             FIELD(UnCompleteFontColor, 4, true), FIELD(Level0Color, 5, true), FIELD(Level0ColorTo, 6, true),
             FIELD(Level1Color, 7, true), FIELD(Level1ColorTo, 8, true), FIELD(Level2Color, 9, true),
             FIELD(Level2ColorTo, 10, true), FIELD(Level3Color, 11, true), FIELD(Level3ColorTo, 12, true),
             FIELD(Level1Perc, 13, true), FIELD(Level2Perc, 14, true), FIELD(BorderColor, 15, true),
             FIELD(ShowBorder, true, true), FIELD(Stacked, true, true), FIELD(ShowPercentage, false, true),
             FIELD(CompletionSmooth, false, true), FIELD(ShowGradient, false, true), FIELD(Steps, 3, true),
             FIELD(Style, TProgressStyle::psClassic, true)},
            [] { return std::make_unique<T>(); });
    }
}

TEST(ZvGridOptions, AssignFromAnotherClassChangesNothing)
{
    TNavigation n;
    n.SetAlwaysEdit(true);
    TBands bands;
    n.Assign(&bands);
    EXPECT_TRUE(n.AlwaysEdit());
    TSortSettings s(nullptr);
    s.SetColumn(3);
    s.Assign(&n);
    EXPECT_EQ(s.Column(), 3);
}

// ============================================================================
// Setter side effects
// ============================================================================

TEST(ZvGridOptions, SearchFooterNotifiesAsItsSettersSay)
{
    TSearchFooter f(nullptr, false);
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetColor(clRed);              // a change notifies
    EXPECT_EQ(changes, 1);
    f.SetColor(clRed);              // unchanged: silent, as every setter
    f.SetShowFindNext(true);
    f.SetVisible(false);
    EXPECT_EQ(changes, 1);
    f.SetVisible(true);
    f.SetAutoThemeAdapt(true);
    EXPECT_EQ(changes, 3);
    f.Font()->SetHeight(-20);       // the owned font reports through the footer
    EXPECT_EQ(changes, 4);

    TSearchFooter other(nullptr, true);
    other.Font()->SetHeight(-30);
    f.Assign(&other);               // assignment is silent
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(f.Font()->Height(), -30);
}

TEST(ZvGridOptions, NavigationSideEffects)
{
    TNavigation n;
    int changes = 0;
    n.OnChange = [&](TObject*) { ++changes; };
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    EXPECT_EQ(changes, 0);
    n.SetAdvanceDirection(TAdvanceDirection::adLeftRight);   // unchanged
    n.SetAdvanceInsert(false);
    EXPECT_EQ(changes, 0);
    n.SetAdvanceDirection(TAdvanceDirection::adTopBottomInCol);
    n.SetAdvanceInsert(true);
    EXPECT_EQ(changes, 2);
    n.SetAdvanceAuto(false);
    EXPECT_TRUE(n.AdvanceOnEnter());
}

TEST(ZvGridOptions, MouseActionsSideEffects)
{
    TMouseActions m(nullptr);
    int invalidates = 0, disables = 0, changes = 0;
    bool designing = false;
    m.OnInvalidate = [&](TObject*) { ++invalidates; };
    m.OnDisableEdit = [&](TObject*) { ++disables; };
    m.OnChange = [&](TObject*) { ++changes; };
    m.OnIsDesigning = [&](TObject*, bool& d) { d = designing; };

    m.SetHotmailRowSelect(true);
    m.SetHotmailRowSelect(false);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck());
    EXPECT_EQ(invalidates, 2);

    m.SetEditOnDblClickOnly(false);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disables, 1);

    m.SetWheelAction(TWheelAction::waMoveSelection);
    m.SetWheelAction(TWheelAction::waScroll);
    EXPECT_EQ(changes, 1);

    // At run time the disjunct modes may be combined; in the designer they exclude each other.
    m.SetDisjunctColSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect() && m.DisjunctColSelect());
    designing = true;
    m.SetDisjunctCellSelect(true);
    EXPECT_TRUE(m.DisjunctCellSelect());
    EXPECT_FALSE(m.DisjunctRowSelect() || m.DisjunctColSelect());
    m.SetDisjunctRowSelect(false);   // switching off clears nothing else
    EXPECT_TRUE(m.DisjunctCellSelect());
}

TEST(ZvGridOptions, SyncGridIgnoresItsOwnGridAndBandsNotifyOnlyWhileActive)
{
    int a = 0, b = 0;
    auto* own = reinterpret_cast<TZvStringGrid*>(&a);
    auto* other = reinterpret_cast<TZvStringGrid*>(&b);
    TSyncGrid sync(own);
    sync.SetGrid(other);
    sync.SetGrid(own);
    EXPECT_EQ(sync.Grid(), other);
    sync.SetGrid(nullptr);
    EXPECT_EQ(sync.Grid(), nullptr);

    TBands bands;
    int changes = 0;
    bands.OnChange = [&](TObject*) { ++changes; };
    bands.SetPrimaryColor(clRed);
    bands.SetSecondaryLength(3);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bands.TotalLength(), 4);
    bands.SetActive(true);
    bands.SetActive(true);
    bands.SetPrimaryLength(2);
    bands.SetPrimaryLength(2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bands.TotalLength(), 5);
}

// ---- Sort settings ------------------------------------------------------------------------

namespace {
struct TSortHarness {
    TSortIndexList keys;
    TSortSettings settings{nullptr};
    int fixedRows = 1;
    int sorts = 0, indexedSorts = 0, invalidates = 0, rowRepaints = 0;
    TSortHarness()
    {
        settings.SetSortIndexes(&keys);
        settings.OnGetFixedRows = [this] { return fixedRows; };
        settings.OnSort = [this](TObject*) { ++sorts; };
        settings.OnSortIndexed = [this](TObject*) { ++indexedSorts; };
        settings.OnInvalidate = [this](TObject*) { ++invalidates; };
        settings.OnRepaintSortRow = [this](TObject*) { ++rowRepaints; };
    }
};
}

TEST(ZvGridOptions, SortSettingsTextForm)
{
    struct Case {
        const char* text;
        bool indexShow;
        TSortDirection direction;
        int column;
        int sorts, indexedSorts;
        const char* keys;
    };
    const auto up = TSortDirection::sdAscending, down = TSortDirection::sdDescending;
    const Case cases[] = {
        {"u3", false, up, 3, 1, 0, "u9"},
        {"d5", false, down, 5, 1, 0, "u9"},
        {"x5", false, down, 5, 1, 0, "u9"},       // only a "u" anywhere makes it ascending
        {"u-1", false, up, -1, 1, 0, "u9"},
        {"d$A", false, down, 10, 1, 0, "u9"},     // hexadecimal column numbers are read too
        {"au;5", false, up, 7, 0, 0, "u9"},       // not a number after the first character: no sort
        {"i;", true, down, 7, 0, 0, "u9"},        // the index list stays as it was
        {"i;u1;x;d3", true, down, 7, 0, 1, "u1;d3"},
    };
    for (const Case& c : cases) {
        TSortHarness h;
        h.keys.AddIndex(9, true);
        h.settings.SetColumn(7);
        h.settings.SetDirection(TSortDirection::sdDescending);
        h.settings.LoadFromString(QString::fromLatin1(c.text));
        EXPECT_TRUE(h.settings.Show()) << c.text;
        EXPECT_EQ(h.settings.IndexShow(), c.indexShow) << c.text;
        EXPECT_EQ(h.settings.Direction(), c.direction) << c.text;
        EXPECT_EQ(h.settings.Column(), c.column) << c.text;
        EXPECT_EQ(h.sorts, c.sorts) << c.text;
        EXPECT_EQ(h.indexedSorts, c.indexedSorts) << c.text;
        EXPECT_EQ(h.keys.SaveToString(), QString::fromLatin1(c.keys)) << c.text;
    }

    TSortHarness h;
    EXPECT_EQ(h.settings.SaveToString(), QStringLiteral("u-1"));
    h.settings.SetColumn(0);
    h.settings.ToggleDirection();
    EXPECT_EQ(h.settings.SaveToString(), QStringLiteral("d0"));
    h.settings.SetIndexShow(true);
    h.keys.AddIndex(2, true);
    h.keys.AddIndex(0, false);
    EXPECT_EQ(h.settings.SaveToString(), QStringLiteral("i;u2;d0"));

    h.settings.LoadFromString(QString());   // nothing at all
    EXPECT_EQ(h.invalidates, 0);
}

TEST(ZvGridOptions, SortSettingsErrorsAndRemove)
{
    TSortHarness h;
    try {
        h.settings.LoadFromString(QStringLiteral("u"));
        ADD_FAILURE() << "a one-character text must be refused";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid sort settings specifier"));
    }
    EXPECT_TRUE(h.settings.Show());   // set before the check
    EXPECT_EQ(h.invalidates, 1);

    h.fixedRows = 2;
    h.settings.SetRow(1);
    try {
        h.settings.SetRow(2);
        ADD_FAILURE() << "the sort row must be a fixed row";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Sort row should be smaller than number of fixed rows"));
    }
    EXPECT_EQ(h.settings.Row(), 1);

    h.settings.SetHeaderColor(clRed);
    h.settings.SetHeaderColor(clRed);
    EXPECT_EQ(h.rowRepaints, 1);
    h.fixedRows = 0;
    h.settings.SetHeaderColorTo(clRed);   // no fixed row to repaint
    EXPECT_EQ(h.rowRepaints, 1);

    h.settings.SetColumn(4);
    h.keys.AddIndex(4, true);
    h.settings.Remove();
    EXPECT_EQ(h.settings.Column(), -1);
    EXPECT_EQ(h.keys.Count(), 0);
    EXPECT_EQ(h.rowRepaints, 2);
}

// ---- Control look ---------------------------------------------------------------------------

TEST(ZvGridOptions, ControlLookHandsGradientsToTheGrid)
{
    TControlLook look(nullptr);
    std::vector<std::pair<TLookGradient, TColor>> passed;
    int invalidates = 0;
    look.OnGradientChange = [&](TLookGradient w, TColor c) { passed.emplace_back(w, c); };
    look.OnInvalidate = [&](TObject*) { ++invalidates; };

    look.SetFixedGradientFrom(clNone);         // no colour: kept, not passed
    look.SetFixedGradientHoverBorder(clRed);
    look.SetFixedGradientMirrorTo(clNone);     // mirrors always pass
    ASSERT_EQ(passed.size(), 2u);
    EXPECT_EQ(passed[0], std::make_pair(TLookGradient::lgHoverBorder, clRed));
    EXPECT_EQ(passed[1], std::make_pair(TLookGradient::lgMirrorTo, clNone));
    EXPECT_EQ(look.FixedGradientHoverBorder(), clRed);

    passed.clear();
    look.SetFixedGradientHoverFrom(clBlue);
    look.Init();
    EXPECT_EQ(look.FixedGradientHoverFrom(), 0x808080u);
    EXPECT_EQ(look.FixedGradientHoverBorder(), 0xC0C0C0u);
    // Init passes exactly the four hover and down mirror colours.
    ASSERT_EQ(passed.size(), 5u);
    for (std::size_t i = 1; i < passed.size(); ++i) EXPECT_EQ(passed[i].second, clNone);

    look.SetCheckSize(15);                     // unchanged: silent
    look.SetCheckSize(16);
    look.SetControlStyle(TGridControlStyle::csClassic);
    look.SetCheckedGlyph(SolidBitmap(clRed));
    look.SetDropDownCount(4);                  // plain field
    EXPECT_EQ(invalidates, 3);

    // Assign copies the colours without handing them to the grid.
    TControlLook source(nullptr);
    source.SetFixedGradientHoverFrom(clRed);
    source.SetFixedGradientHoverTo(clBlue);
    passed.clear();
    look.Assign(&source);
    EXPECT_EQ(look.FixedGradientHoverFrom(), clRed);
    EXPECT_EQ(look.FixedGradientHoverTo(), clBlue);
    EXPECT_TRUE(passed.empty());
}

// ---- Filter conditions ------------------------------------------------------------------------

TEST(ZvGridOptions, FilterConditions)
{
    TFilter filter(nullptr);
    std::vector<std::pair<int, int>> repainted;
    filter.OnRepaintCell = [&](int c, int r) { repainted.emplace_back(c, r); };

    EXPECT_EQ(filter.Add()->Operation(), TFilterOperation::foNONE);
    EXPECT_EQ(filter.Add()->Operation(), TFilterOperation::foAND);
    EXPECT_EQ(filter.Insert(0)->Operation(), TFilterOperation::foSHORT);   // appended like a plain add
    EXPECT_EQ(filter[2]->Index(), 2);

    filter[0]->SetColumn(2);
    filter[1]->SetColumn(5);
    filter[2]->SetColumn(2);
    EXPECT_EQ(filter.GetColFilter(2), filter[0]);
    EXPECT_FALSE(filter.HasFilter(7));
    TFilterData* added = filter.GetColFilter(7);
    EXPECT_EQ(added->Column(), 7);
    EXPECT_EQ(added->Operation(), TFilterOperation::foAND);
    EXPECT_TRUE(filter.HasFilter(7));
    EXPECT_EQ(filter.Count(), 4);

    filter.RemoveColumnFilter(2);
    EXPECT_EQ(filter.Count(), 2);
    EXPECT_FALSE(filter.HasFilter(2));
    ASSERT_EQ(repainted.size(), 1u);
    EXPECT_EQ(repainted[0], std::make_pair(2, 0));

    TFilterData replacement;
    replacement.SetColumn(9);
    replacement.SetCondition(QStringLiteral("a*"));
    filter.SetItems(0, &replacement);
    EXPECT_EQ(filter[0]->Column(), 9);
    EXPECT_THROW(filter.Items(5), Exception);

    TFilter copy(nullptr);
    copy.Assign(&filter);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0]->Condition(), QStringLiteral("a*"));
    EXPECT_EQ(copy[1]->Collection(), &copy);

    TFilterData wide;
    wide.SetColumn(70000);   // a 16-bit column
    EXPECT_EQ(wide.Column(), 70000 - 65536);
}

// ---- Floating footer, drag and drop, progress, filter drop-down, balloons ---------------------

TEST(ZvGridOptions, FloatingFooterDrivesTheGridsLastRow)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetVisible(false);
    TFloatingFooter footer(&form);
    footer.SetFooterPanel(panel);
    int fixedFooters = -1, invalidates = 0;
    bool lastRowHidden = false;
    footer.OnSetFixedFooters = [&](int n) { fixedFooters = n; };
    footer.OnLastRowHidden = [&](bool hidden) { lastRowHidden = hidden; };
    footer.OnInvalidateGrid = [&](TObject*) { ++invalidates; };

    footer.SetHeight(30);
    footer.SetVisible(true);
    EXPECT_EQ(fixedFooters, 1);
    EXPECT_TRUE(lastRowHidden);
    EXPECT_TRUE(panel->Visible());
    EXPECT_EQ(panel->Height(), 29);

    footer.SetFooterStyle(TFooterStyle::fsColumnPreview);
    EXPECT_FALSE(lastRowHidden);
    EXPECT_EQ(fixedFooters, 1);   // follows only the next Visible assignment

    footer.SetVisible(false);
    EXPECT_EQ(fixedFooters, 0);
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(panel->Height(), 0);
    EXPECT_EQ(invalidates, 3);

    std::vector<std::pair<int, TColumnCalcType>> stored;
    footer.OnSetColumnCalc = [&](int c, TColumnCalcType t) { stored.emplace_back(c, t); };
    EXPECT_EQ(footer.GetColumnCalc(2), TColumnCalcType::acNONE);
    footer.SetColumnCalc(2, TColumnCalcType::acSUM);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].second, TColumnCalcType::acSUM);
}

TEST(ZvGridOptions, DropTargetRegistersOnlyAtRunTime)
{
    TDragDropSettings dd(nullptr);
    bool designing = true;
    int registers = 0, revokes = 0;
    bool rtf = false;
    dd.OnIsDesigning = [&] { return designing; };
    dd.OnRegisterDropTarget = [&] { ++registers; return true; };
    dd.OnRevokeDropTarget = [&] { ++revokes; };
    dd.OnDropRTFChange = [&](bool v) { rtf = v; };

    dd.SetOleDropTarget(true);
    EXPECT_TRUE(dd.OleDropTarget());
    EXPECT_EQ(registers, 0);
    designing = false;
    dd.SetOleDropTarget(false);   // nothing registered: nothing to revoke
    EXPECT_EQ(revokes, 0);
    dd.SetOleDropTarget(true);
    EXPECT_TRUE(dd.DropTargetRegistered());
    dd.SetOleDropTarget(false);
    EXPECT_EQ(registers, 1);
    EXPECT_EQ(revokes, 1);
    dd.SetOleDropRTF(true);
    EXPECT_TRUE(rtf);
}

TEST(ZvGridOptions, NotifyingSettersOfTheSmallObjects)
{
    TGridProgressAppearance p;
    int progress = 0;
    p.OnChange = [&](TObject*) { ++progress; };
    p.SetSteps(11);
    p.SetStyle(TProgressStyle::psXP);
    EXPECT_EQ(progress, 0);
    p.SetSteps(4);
    EXPECT_EQ(progress, 1);
    TGridProgressAppearance same;
    p.Assign(&same);
    EXPECT_EQ(progress, 2);   // assignment always reports once

    TFilterDropDown fd;
    int glyphs = 0;
    fd.OnChange = [&](TObject*) { ++glyphs; };
    fd.SetGlyph(SolidBitmap(clRed));
    fd.SetWidth(20);
    EXPECT_EQ(glyphs, 1);

    TBalloonSettings balloon;
    int enables = 0;
    balloon.OnEnableChange = [&](TObject*) { ++enables; };
    balloon.SetEnable(false);
    TBalloonSettings on;
    on.SetEnable(true);
    balloon.Assign(&on);
    EXPECT_TRUE(balloon.Enable());
    EXPECT_EQ(enables, 1);

    TShowModified modified;
    int colours = 0;
    modified.OnChange = [&](TObject*) { ++colours; };
    modified.SetColor(modified.Color());
    modified.SetEnabled(true);
    EXPECT_EQ(colours, 1);

    TBackGround bg(nullptr);
    int repaints = 0;
    bg.OnInvalidate = [&](TObject*) { ++repaints; };
    bg.SetTop(0);                  // unchanged: silent
    bg.SetTop(5);
    bg.SetBitmap(nullptr);
    EXPECT_EQ(repaints, 2);
}

TEST(ZvGridOptions, GridItemCopiesItsTextsAndCheckerChangesNothing)
{
    TStringList texts;
    texts.Add(QStringLiteral("a"));
    TGridItem item;
    item.SetItems(&texts);
    texts.Add(QStringLiteral("b"));
    EXPECT_EQ(item.Items()->Count(), 1);
    item.SetIdx(4);
    EXPECT_EQ(item.Idx(), 4);

    TZvStringGridCheck checker(nullptr);
    EXPECT_EQ(checker.MarkError(1, 2, QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(checker.Correct(1, 2, QStringLiteral("y")), QStringLiteral("y"));
}

// ============================================================================
// Check box
// ============================================================================

TEST(ZvGridOptions, CheckBoxTogglesUnlessReadOnly)
{
    TForm form(nullptr);
    auto* box = new TZvCheckBox(&form);
    box->SetParent(&form);
    EXPECT_EQ(box->Width(), 98);
    EXPECT_EQ(box->Height(), 20);
    EXPECT_EQ(box->Caption(), QStringLiteral("TZvCheckBox"));
    EXPECT_FALSE(box->TabStop());
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };

    for (bool readOnly : {false, true}) {
        box->SetReadOnly(readOnly);
        const bool before = box->Checked();
        box->Perform(WM_KEYDOWN, VK_SPACE);
        EXPECT_TRUE(box->Down());
        box->Perform(WM_KEYUP, VK_SPACE);
        EXPECT_FALSE(box->Down());
        EXPECT_EQ(box->Checked(), readOnly ? before : !before) << readOnly;
    }
    EXPECT_EQ(clicks, 2);   // a read-only box still clicks

    box->SetState(TCheckBoxState::cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetReadOnly(false);
    box->Toggle();
    EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
}

TEST(ZvGridOptions, CheckBoxPaintsItsMarkOnBothSides)
{
    TForm form(nullptr);
    form.SetColor(clYellow);
    auto* box = new TZvCheckBox(&form);
    box->SetParent(&form);
    box->SetColor(clWhite);
    box->SetChecked(true);
    for (bool themed : {true, false}) {
        const bool before = SetThemeActiveForTest(themed);
        for (TLeftRight side : {TLeftRight::taLeftJustify, TLeftRight::taRightJustify}) {
            box->SetAlignment(side);
            const QImage image = box->PaintToImage();
            const TRect mark = box->CheckRect();
            EXPECT_EQ(mark.Width(), themed ? 14 : 13);
            bool drawn = false;
            for (int x = mark.Left; x < mark.Right; ++x)
                for (int y = mark.Top; y < mark.Bottom; ++y)
                    drawn |= image.pixelColor(x, y) != QColor(Qt::white);
            EXPECT_TRUE(drawn) << themed << int(side);
        }
        SetThemeActiveForTest(before);
    }
    box->SetTransparent(true);
    const QImage image = box->PaintToImage();
    EXPECT_EQ(image.pixelColor(box->Width() / 2, box->Height() - 1), ToQColor(clYellow));
}

// ============================================================================
// Focus glow: alpha mask, shadow and blur
// ============================================================================

namespace {
const std::uint8_t* Pixel24(TBitmap& b, int x, int y)
{
    return static_cast<const std::uint8_t*>(b.ScanLine(y)) + 3 * x;
}
}

TEST(ZvGridOptions, AlphaMaskPremultipliesByTheMasksRed)
{
    TBitmap picture(2, 1);
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.Canvas()->SetPixel(0, 0, RGB(200, 100, 50));
    picture.Canvas()->SetPixel(1, 0, RGB(200, 100, 50));
    TBitmap mask(2, 1);
    mask.SetPixelFormat(TPixelFormat::pf24bit);
    mask.Canvas()->SetPixel(0, 0, RGB(128, 0, 0));
    mask.Canvas()->SetPixel(1, 0, RGB(0, 255, 255));   // only red counts

    TGridAlphaMask alpha;
    alpha.MergeMask(&mask, &picture, clNone);
    ASSERT_EQ(alpha.Width(), 2);
    const auto* px = static_cast<const std::uint8_t*>(alpha.ScanLine(0));
    EXPECT_EQ(px[0], 25);    // blue 50 * 128/255
    EXPECT_EQ(px[1], 50);    // green
    EXPECT_EQ(px[2], 100);   // red
    EXPECT_EQ(px[3], 128);
    EXPECT_EQ(px[7], 0);

    TBitmap notDib(3, 3);
    notDib.SetPixelFormat(TPixelFormat::pf32bit);
    TGridAlphaMask untouched;
    untouched.MergeMask(&mask, &notDib, clNone);
    EXPECT_TRUE(untouched.Empty());

    TGridAlphaMask copy;
    alpha.SetOpacity(90);
    copy.Assign(&alpha);
    EXPECT_EQ(copy.Opacity(), 90);
    EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(static_cast<const std::uint8_t*>(copy.ScanLine(0))[3], 128);
}

TEST(ZvGridOptions, BlurKernelIsNormalisedAndTrimmed)
{
    for (double radius : {0.5, 3.0, 8.0}) {
        const TBlurKernel k = BuildBlurKernel(radius);
        double sum = 0;
        for (int i = -k.Size; i <= k.Size; ++i) {
            sum += k.Weight(i);
            EXPECT_FLOAT_EQ(k.Weight(i), k.Weight(-i));
        }
        EXPECT_NEAR(sum, 1.0, 1e-6) << radius;
        EXPECT_GE(k.Size, 1);
        EXPECT_LE(k.Size, 10);
    }
    EXPECT_LT(BuildBlurKernel(0.5).Size, BuildBlurKernel(3.0).Size);
}

TEST(ZvGridOptions, BlurRefusesOtherFormatsAndCopiesTheMiddle)
{
    TBitmap wrong(4, 4);
    wrong.SetPixelFormat(TPixelFormat::pf32bit);
    try {
        BlurBitmap24(&wrong, 3.0);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Blur only works for 24-bit bitmaps"));
    }

    // Small pictures are blurred everywhere: a dot spreads to its neighbours.
    TBitmap small(30, 30);
    small.SetPixelFormat(TPixelFormat::pf24bit);
    small.Canvas()->Brush()->SetColor(clBlack);
    small.Canvas()->FillRect(Rect(0, 0, 30, 30));
    small.Canvas()->SetPixel(25, 25, clWhite);
    BlurBitmap24(&small, 2.0);
    EXPECT_GT(Pixel24(small, 25, 26)[0], 0);
    EXPECT_LT(Pixel24(small, 25, 25)[0], 255);

    // In larger ones the middle takes row and column 15, whatever it held.
    TBitmap large(60, 60);
    large.SetPixelFormat(TPixelFormat::pf24bit);
    large.Canvas()->Brush()->SetColor(clBlack);
    large.Canvas()->FillRect(Rect(0, 0, 60, 60));
    large.Canvas()->Brush()->SetColor(clWhite);
    large.Canvas()->FillRect(Rect(28, 28, 33, 33));
    BlurBitmap24(&large, 2.0);
    EXPECT_EQ(Pixel24(large, 30, 30)[1], 0);

    // A white area stays white, but for the truncation of each of the two
    // passes when the single-precision weights add up to just under one.
    TBitmap white(10, 10);
    white.SetPixelFormat(TPixelFormat::pf24bit);
    white.Canvas()->Brush()->SetColor(clWhite);
    white.Canvas()->FillRect(Rect(0, 0, 10, 10));
    BlurBitmap24(&white, 3.0);
    EXPECT_GE(Pixel24(white, 5, 5)[2], 253);
}

TEST(ZvGridOptions, ShadowBitmapIsARoundedFrame)
{
    TBitmap outline;
    MakeShadowBitmap(&outline, 40, 30, 4, 5, 0);
    EXPECT_EQ(outline.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(outline.Width(), 40);
    EXPECT_EQ(Pixel24(outline, 20, 5)[0], 255);    // on the 4-pixel frame inset by 4
    EXPECT_EQ(Pixel24(outline, 20, 15)[0], 0);     // black inside
    EXPECT_EQ(Pixel24(outline, 0, 0)[0], 0);

    TBitmap filled;
    MakeShadowBitmap(&filled, 40, 30, 0, 5, 0);
    EXPECT_EQ(Pixel24(filled, 20, 15)[0], 255);
    EXPECT_EQ(Pixel24(filled, 1, 15)[0], 0);

    TBitmap glow;
    MakeShadowBitmap(&glow, 40, 30, 4, 5, 3.0);
    const int edge = Pixel24(glow, 20, 1)[0];
    EXPECT_GT(edge, 0);     // the blur carries light outside the frame
    EXPECT_LT(edge, 255);
}
