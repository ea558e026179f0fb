#include "grid/support/ZvGridTypes.h"

#include "platform/Forms.h"
#include "platform/Pictures.h"
#include "platform/Themes.h"
#include "tests/common/TestUtil.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

TEST(ZvGridTypes, EditorKindsKeepTheirStoredNumbers)
{
    const std::pair<TEditorType, int> cases[] = {
        {TEditorType::edNormal, 0},        {TEditorType::edComboEdit, 2},     {TEditorType::edComboList, 3},
        {TEditorType::edDataCheckBox, 10}, {TEditorType::edUnitEditBtn, 17},  {TEditorType::edCustom, 25},
        {TEditorType::edNone, 27},         {TEditorType::edZvGridDropDown, 38}, {TEditorType::edMaskEditBtn, 42},
    };
    for (auto [kind, number] : cases) EXPECT_EQ(int(kind), number);
    EXPECT_EQ(EditorTypeCount, int(TEditorType::edMaskEditBtn) + 1);
    EXPECT_EQ(int(TSortStyle::ssAlphaNumericNoCase), 19);
    EXPECT_EQ(int(TColumnCalcType::acSTDDEV), 9);
}

// ---- TIntList -------------------------------------------------------------------------

TEST(ZvGridTypes, IntListNotifiesOnlyThroughAddDeleteAndSet)
{
    struct Case {
        const char* name;
        std::function<void(TIntList&)> op;
        int notifications;
        const char* after;
    };
    const Case cases[] = {
        {"Add", [](TIntList& l) { l.Add(9); }, 1, "1,2,3,9"},
        {"Insert", [](TIntList& l) { l.Insert(0, 9); }, 0, "9,1,2,3"},
        {"Delete", [](TIntList& l) { l.Delete(1); }, 1, "1,3"},
        {"SetInteger", [](TIntList& l) { l.SetInteger(2, 7); }, 1, "1,2,7"},
        {"DeleteValue present", [](TIntList& l) { l.DeleteValue(2); }, 1, "1,3"},
        {"DeleteValue absent", [](TIntList& l) { l.DeleteValue(5); }, 0, "1,2,3"},
        {"Exchange", [](TIntList& l) { l.Exchange(0, 2); }, 0, "3,2,1"},
        {"Clear", [](TIntList& l) { l.Clear(); }, 0, ""},
    };
    for (const Case& c : cases) {
        TIntList list(4, 7);
        list.Insert(0, 1);
        list.Insert(1, 2);
        list.Insert(2, 3);
        int count = 0;
        list.FOnChange = [&](TObject* sender, int col, int row) {
            EXPECT_EQ(sender, &list);
            EXPECT_EQ(col, 4);
            EXPECT_EQ(row, 7);
            ++count;
        };
        c.op(list);
        EXPECT_EQ(count, c.notifications) << c.name;
        EXPECT_EQ(list.CommaText(), QString::fromLatin1(c.after)) << c.name;
    }
}

TEST(ZvGridTypes, IntListCommaTextRoundTripsAndRejectsNonNumbers)
{
    TIntList list;
    int notified = 0;
    list.FOnChange = [&](TObject*, int, int) { ++notified; };
    list.AssignCommaText(QStringLiteral("5,-3,$10"));
    EXPECT_EQ(list.CommaText(), QStringLiteral("5,-3,16"));
    EXPECT_EQ(notified, 3);   // each part goes through Add
    EXPECT_TRUE(list.HasValue(-3));
    EXPECT_FALSE(list.HasValue(3));

    list.AssignCommaText(QString());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CommaText(), QString());

    EXPECT_THROW(list.AssignCommaText(QStringLiteral("1,x,3")), EConvertError);
    EXPECT_EQ(list.CommaText(), QStringLiteral("1"));   // what came before the bad part stays
    EXPECT_THROW(list.GetInteger(5), Exception);
}

// ---- TSortIndexList ---------------------------------------------------------------------

TEST(ZvGridTypes, SortIndexKeysCarryColumnAndDirection)
{
    TSortIndexList keys;
    keys.AddIndex(3, true);
    keys.AddIndex(1, false);
    EXPECT_EQ(keys.SaveToString(), QStringLiteral("u3;d1"));
    EXPECT_EQ(keys.FindIndex(1), 1);
    EXPECT_EQ(keys.FindIndex(2), -1);
    EXPECT_LT(keys.GetInteger(1), 0);   // bit 31 marks the descending key

    keys.ToggleIndex(3);
    keys.ToggleIndex(8);   // absent: nothing
    EXPECT_EQ(keys.SaveToString(), QStringLiteral("d3;d1"));

    keys.SetSortColumns(1, 6);
    EXPECT_EQ(keys.SortColumns(1), 6);
    EXPECT_FALSE(keys.SortDirections(1));   // the direction survives a column change
    keys.SetSortDirections(1, true);
    EXPECT_TRUE(keys.SortDirections(1));
    EXPECT_EQ(keys.SaveToString(), QStringLiteral("d3;u6"));

    TSortIndexList wide;
    wide.AddIndex(70000, true);
    EXPECT_EQ(wide.SaveToString(), QStringLiteral("u4464"));   // only the low 16 bits are written
    EXPECT_EQ(TSortIndexList().SaveToString(), QString());
}

TEST(ZvGridTypes, SortIndexLoadFromStringIsLenient)
{
    const std::pair<const char*, const char*> cases[] = {
        {"u3;d1", "u3;d1"},
        {"U2", "d2"},          // only a lower-case u is ascending
        {"u", ""},             // too short: skipped
        {"u1;x;d3", "u1;d3"},
        {"uabc;d4", "u0;d4"},  // an unreadable number counts as 0
        {"", ""},
        {";;", ""},
    };
    for (auto [text, expected] : cases) {
        TSortIndexList keys;
        keys.AddIndex(9, true);   // cleared first
        keys.LoadFromString(QString::fromLatin1(text));
        EXPECT_EQ(keys.SaveToString(), QString::fromLatin1(expected)) << text;
    }
}

// ---- TControlList ----------------------------------------------------------------------

TEST(ZvGridTypes, ControlListFindsControlsByCellAndWindow)
{
    TForm form(nullptr);
    auto* windowed = new TPanel(&form);
    windowed->SetParent(&form);
    auto* other = new TPanel(&form);

    {
        TControlList list;
        list.AddControl(1, 2, windowed);
        list.AddControl(3, 4, other);
        list.AddControl(1, 2, other);
        EXPECT_EQ(list.ControlIndex(1, 2), 0);
        EXPECT_EQ(list.ControlIndex(3, 4), 1);
        EXPECT_EQ(list.ControlIndex(2, 1), -1);
        EXPECT_EQ(list.GetControl(1)->FObject, other);

        // `other` has no window yet: asking must not make one.
        EXPECT_TRUE(list.HasHandle(windowed->Handle()));
        EXPECT_FALSE(other->HandleAllocated());
        EXPECT_FALSE(list.HasHandle(nullptr));
        EXPECT_FALSE(other->HandleAllocated());

        list.RemoveControl(0);
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(list.ControlIndex(1, 2), 1);
        EXPECT_FALSE(list.HasHandle(windowed->Handle()));
    }
    // The list never frees the controls.
    EXPECT_EQ(form.ComponentCount(), 2);
}

// ---- TFileStringList --------------------------------------------------------------------

TEST(ZvGridTypes, FileStringListReadsAndWritesLineByLine)
{
    TFileStringList lines;
    lines.Write(QStringLiteral("a"));
    lines.Write(QStringLiteral("b"));
    EXPECT_EQ(lines.Count(), 0);   // still pending
    lines.WriteLn(QStringLiteral("c"));
    lines.WriteLn(QStringLiteral("d"));
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("abc"));
    EXPECT_EQ(lines[1], QStringLiteral("d"));

    String s;
    EXPECT_FALSE(lines.AtEnd());
    lines.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("abc"));
    lines.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("d"));
    EXPECT_TRUE(lines.AtEnd());
    lines.ReadLn(s);
    EXPECT_EQ(s, QString());

    lines.Write(QStringLiteral("x"));
    lines.Reset();
    EXPECT_EQ(lines.ReadPosition(), 0);
    EXPECT_EQ(lines.PendingLine(), QString());
    lines.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("abc"));
}

// ---- TFilePicture -----------------------------------------------------------------------

TEST(ZvGridTypes, FilePictureRecordsSizeAndDrawsStretched)
{
    TempFolder folder;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    const String path = folder.File(QStringLiteral("blue.png"));
    ASSERT_TRUE(image.save(path));

    TFilePicture picture;
    picture.SetFilename(path);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);

    TBitmap target(20, 20);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 20, 20));
    picture.DrawPicture(target.Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(target.Canvas()->Pixels(9, 9), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(15, 15), clWhite);

    TFilePicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Height(), 3);

    TFilePicture empty;
    empty.DrawPicture(target.Canvas(), Rect(0, 0, 20, 20));   // nothing to draw, no error
    EXPECT_EQ(target.Canvas()->Pixels(15, 15), clWhite);

    folder.Write(QStringLiteral("broken.png"), QByteArray("\x89PNG not really"));
    EXPECT_THROW(empty.SetFilename(folder.File(QStringLiteral("broken.png"))), Exception);
    EXPECT_THROW(empty.SetFilename(folder.File(QStringLiteral("missing.png"))), Exception);
}

// ---- TArrowWindow and platform checks ---------------------------------------------------

TEST(ZvGridTypes, ArrowWindowsPointTheirWay)
{
    struct Case {
        TArrowDirection dir;
        TPoint inside;
        TPoint outside;
    };
    const Case cases[] = {
        {TArrowDirection::arrUp, {5, 1}, {0, 8}},
        {TArrowDirection::arrDown, {5, 6}, {0, 0}},
        {TArrowDirection::arrLeft, {7, 5}, {7, 0}},
        {TArrowDirection::arrRight, {1, 5}, {8, 9}},
    };
    for (const Case& c : cases) {
        const QRegion region = TArrowWindow::ArrowRegion(c.dir);
        EXPECT_TRUE(region.contains(c.inside.ToQPoint())) << int(c.dir);
        EXPECT_FALSE(region.contains(c.outside.ToQPoint())) << int(c.dir);
    }

    TForm form(nullptr);
    auto* arrow = new TArrowWindow(&form);
    arrow->Init(&form, TArrowDirection::arrLeft);
    EXPECT_EQ(arrow->Dir(), TArrowDirection::arrLeft);
    EXPECT_EQ(arrow->Color(), clLime);
    EXPECT_FALSE(arrow->Visible());
    EXPECT_EQ(arrow->Parent(), &form);
    EXPECT_EQ(arrow->Arrow()[4], (TPoint{8, 5}));
}

TEST(ZvGridTypes, ThemeCheckFollowsTheActiveTheme)
{
    EXPECT_TRUE(IsXPThemeActive());
    const bool before = SetThemeActiveForTest(false);
    EXPECT_FALSE(IsXPThemeActive());
    SetThemeActiveForTest(before);
}
