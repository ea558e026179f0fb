// Keeping the grid's layout: column widths and positions in an INI file or the
// registry stand-in, the column state string and the print settings section.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/ZvGrid.h"
#include "platform/Forms.h"
#include "platform/IniFiles.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct GridLayout : ::testing::Test {
    TTestSeams seams;
    TempFolder dir;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;

    void SetUp() override
    {
        form->SetBounds(0, 0, 480, 320);
        grid = MakeGrid();
    }
    TZvStringGrid* MakeGrid()
    {
        auto* g = new TZvStringGrid(form.get());
        g->SetParent(form.get());
        g->SetBounds(0, 0, 460, 300);
        g->SetColCount(3);
        g->SetRowCount(3);
        for (int c = 0; c < 3; ++c) g->SetCells(c, 0, QStringLiteral("H%1").arg(c));
        return g;
    }
    void UseIni(TZvStringGrid* g, const String& section = "Cols")
    {
        g->ColumnSize()->SetLocation(TColumnSizeLocation::clIniFile);
        g->ColumnSize()->SetKey(dir.File("layout.ini"));
        g->ColumnSize()->SetSection(section);
    }
};

TEST_F(GridLayout, ColumnWidthsRoundTripAndOnlyDisplayedColumnsAreWritten)
{
    grid->SetColCount(4);
    grid->SetColWidths(1, 80);
    grid->SetColWidths(3, 33);
    grid->HideColumn(3);
    UseIni(grid);
    grid->SaveColSizes();
    EXPECT_EQ(dir.Read("layout.ini"), QByteArray("[Cols]\nCol0=64\nCol1=80\nCol2=64\n"));

    TZvStringGrid* other = MakeGrid();
    UseIni(other);
    other->LoadColSizes();
    EXPECT_EQ(other->ColWidths(0), 64);
    EXPECT_EQ(other->ColWidths(1), 80);
    EXPECT_EQ(other->ColWidths(2), 64);
}

TEST_F(GridLayout, LoadingFromANewPathCreatesTheFileAndBrokenValuesKeepTheWidth)
{
    UseIni(grid);
    grid->LoadColSizes();
    EXPECT_TRUE(QFile::exists(dir.File("layout.ini")));
    EXPECT_EQ(dir.Read("layout.ini"), QByteArray());

    dir.Write("layout.ini", "[Cols]\r\nCol0=abc\r\nCol1=90\r\n; kept\r\nCol9=5\r\n");
    grid->LoadColSizes();
    EXPECT_EQ(grid->ColWidths(0), 64);
    EXPECT_EQ(grid->ColWidths(1), 90);
    // Written back whole: nothing lost, the line ends kept.
    EXPECT_EQ(dir.Read("layout.ini"), QByteArray("[Cols]\r\nCol0=abc\r\nCol1=90\r\n; kept\r\nCol9=5\r\n"));
}

TEST_F(GridLayout, WithoutKeyOrSectionNothingIsReadOrWritten)
{
    struct Case { const char* key; const char* section; };
    for (const Case c : {Case{"", "Cols"}, Case{"x.ini", ""}}) {
        grid->ColumnSize()->SetLocation(TColumnSizeLocation::clIniFile);
        grid->ColumnSize()->SetKey(*c.key ? dir.File(c.key) : String());
        grid->ColumnSize()->SetSection(c.section);
        grid->SaveColSizes();
        grid->LoadColSizes();
        grid->SaveColPositions();
        grid->LoadColPositions();
        EXPECT_TRUE(QDir(dir.Path()).isEmpty()) << c.key << c.section;
    }
}

TEST_F(GridLayout, SaveOnDestroyAndLoadOnCreateThroughTheRegistryStandIn)
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(TRegistryIniFile::StoragePath());
    grid->ColumnSize()->SetLocation(TColumnSizeLocation::clRegistry);
    grid->ColumnSize()->SetKey("Software\\Test\\Grid");
    grid->ColumnSize()->SetSection("Columns");
    grid->ColumnSize()->SetSave(true);
    grid->SetColWidths(2, 111);
    delete grid;
    const TRegistryIniFile reg("Software\\Test\\Grid");
    EXPECT_EQ(reg.ReadInteger("Columns", "Col2", -1), 111);

    TZvStringGrid* other = MakeGrid();
    other->ColumnSize()->SetLocation(TColumnSizeLocation::clRegistry);
    other->ColumnSize()->SetKey("Software\\Test\\Grid");
    other->ColumnSize()->SetSection("Columns");
    other->LoadColSizes();
    EXPECT_EQ(other->ColWidths(2), 111);
    QFile::remove(TRegistryIniFile::StoragePath());
}

TEST_F(GridLayout, ColumnPositionsRoundTrip)
{
    grid->SetColCount(4);
    for (int c = 0; c < 4; ++c) grid->SetCells(c, 0, QStringLiteral("H%1").arg(c));
    grid->SetColumnOrder();
    grid->MoveColumn(0, 3);
    const std::vector<String> moved = {grid->Cells(0, 0), grid->Cells(1, 0), grid->Cells(2, 0), grid->Cells(3, 0)};
    UseIni(grid);
    grid->SaveColPositions();
    const QByteArray text = dir.Read("layout.ini");
    EXPECT_TRUE(text.contains("Pos0=") && text.contains("Pos3=")) << text.constData();

    TZvStringGrid* other = MakeGrid();
    other->SetColCount(4);
    for (int c = 0; c < 4; ++c) other->SetCells(c, 0, QStringLiteral("H%1").arg(c));
    UseIni(other);
    other->LoadColPositions();
    for (int c = 0; c < 4; ++c) EXPECT_EQ(other->Cells(c, 0), moved[std::size_t(c)]) << c;
    EXPECT_EQ(other->ColumnOrder()->Count(), 4);
}

TEST_F(GridLayout, PositionsWithoutPos0ChangeNothing)
{
    UseIni(grid);
    dir.Write("layout.ini", "[Cols]\nPos1=0\nPos2=1\n");
    grid->LoadColPositions();
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid->Cells(c, 0), QStringLiteral("H%1").arg(c));
    EXPECT_TRUE(grid->ColumnOrder()->Empty());
}

TEST_F(GridLayout, ColumnStateStringBothWays)
{
    grid->SetColWidths(1, 80);
    EXPECT_EQ(grid->ColumnStatesToString(), "3#64,80,64#0,1,2#1,1,1");

    TZvStringGrid* other = MakeGrid();
    other->SetColWidths(0, 20);
    other->StringToColumnStates("3#64,80,64#0,1,2#1,1,1");
    EXPECT_EQ(other->ColCount(), 3);
    EXPECT_EQ(other->ColWidths(0), 64);
    EXPECT_EQ(other->ColWidths(1), 80);
    EXPECT_EQ(other->ColumnStatesToString(), "3#64,80,64#0,1,2#1,1,1");
}

TEST_F(GridLayout, ColumnStateHoldsHiddenColumns)
{
    grid->SetColCount(4);
    grid->SetColWidths(0, 50);
    grid->HideColumn(2);
    // N counts the hidden column; widths past ColCount are the default width.
    EXPECT_EQ(grid->ColumnStatesToString(), "4#50,64,64,64#0,1,2,3#1,1,0,1");

    TZvStringGrid* other = MakeGrid();
    other->StringToColumnStates("4#50,70,64,64#0,1,2,3#1,1,0,1");
    EXPECT_EQ(other->ColCount(), 3);
    EXPECT_EQ(other->NumHiddenColumns(), 1);
    EXPECT_TRUE(other->IsHiddenColumn(2));
    EXPECT_EQ(other->ColWidths(0), 50);
    EXPECT_EQ(other->ColWidths(1), 70);
}

TEST_F(GridLayout, MalformedColumnStatesChangeNothing)
{
    grid->SetColWidths(1, 80);
    const String before = grid->ColumnStatesToString();
    const char* bad[] = {"", "3,64,80", "x#64#0#1", "3#64,80,64#0,1#1,1,1", "3#64,a,64#0,1,2#1,1,1",
                         "3#64,80,64#0,z,2#1,1,1", "-2#1#0#1"};
    for (const char* v : bad) {
        try {
            grid->StringToColumnStates(v);
        } catch (const std::exception&) {
            // a clear error is fine; a changed grid is not
        }
        EXPECT_EQ(grid->ColumnStatesToString(), before) << v;
    }
}

TEST_F(GridLayout, PrintSettingsAreWrittenInTheirKeyOrderAndComeBack)
{
    TPrintSettings* p = grid->PrintSettings();
    p->SetColumnSpacing(5);
    p->SetCentered(false);
    p->SetBorders(TPrintBorders::pbAround);
    p->SetPageNr(TPrintPosition::ppBottomCenter);
    p->SetTitleText("Report");
    p->SetFitToPage(TFitToPage::fpShrink);
    p->Font()->SetName("Courier");
    p->Font()->SetSize(12);
    p->Font()->SetStyle(TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline});
    p->SetOrientation(TPrinterOrientation::poLandscape);
    p->TitleLines()->SetText("first\nsecond");
    p->SetPrintGraphics(true);
    grid->SavePrintSettings(dir.File("print.ini"), "Print");

    TMemIniFile ini(dir.File("print.ini"));
    std::vector<String> keys;
    ini.ReadSection("Print", keys);
    const std::vector<String> order = {
        "ColumnSpacing", "RowSpacing", "TitleSpacing", "FixedHeight", "FixedWidth", "Centered", "NoAutoSize",
        "UseFixedHeight", "UseFixedWidth", "RepeatFixedRows", "RepeatFixedCols", "UseDisplFont", "UseDefOrientation",
        "Borders", "BorderColor", "BorderStyle", "Date", "PageNr", "Title", "Time", "DateFormat", "TitleText",
        "FooterSize", "HeaderSize", "LeftSize", "RightSize", "FitToPage", "FontName", "FontSize", "FontStyle",
        "FontColor", "HeaderFontName", "HeaderFontSize", "HeaderFontStyle", "HeaderFontColor", "FooterFontName",
        "FooterFontSize", "FooterFontStyle", "FooterFontColor", "PageNumSep", "PageSuffix", "PagePrefix",
        "Orientation", "TitleLines", "PrintGraphics"};
    EXPECT_EQ(keys, order);
    EXPECT_EQ(ini.ReadString("Print", "Centered", ""), "N");
    EXPECT_EQ(ini.ReadString("Print", "FontStyle", ""), "5");
    EXPECT_EQ(ini.ReadString("Print", "TitleLines", ""), "first\\nsecond");
    EXPECT_EQ(ini.ReadString("Print", "PageNr", ""), "6");

    TZvStringGrid* other = MakeGrid();
    other->LoadPrintSettings(dir.File("print.ini"), "Print");
    const TPrintSettings* q = other->PrintSettings();
    EXPECT_EQ(q->ColumnSpacing(), 5);
    EXPECT_FALSE(q->Centered());
    EXPECT_EQ(q->Borders(), TPrintBorders::pbAround);
    EXPECT_EQ(q->PageNr(), TPrintPosition::ppBottomCenter);
    EXPECT_EQ(q->TitleText(), "Report");
    EXPECT_EQ(q->FitToPage(), TFitToPage::fpShrink);
    EXPECT_EQ(q->Font()->Name(), "Courier");
    EXPECT_EQ(q->Font()->Size(), 12);
    EXPECT_EQ(q->Font()->Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline}));
    EXPECT_EQ(q->Orientation(), TPrinterOrientation::poLandscape);
    EXPECT_EQ(q->TitleLines()->Count(), 2);
    EXPECT_EQ(q->TitleLines()->Strings(1), "second");
    EXPECT_TRUE(q->PrintGraphics());
}

TEST_F(GridLayout, PrintSettingsLoadDefaultsAndTheStoredStyleExactly)
{
    TPrintSettings* p = grid->PrintSettings();
    p->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    p->SetBorders(TPrintBorders::pbDouble);
    dir.Write("print.ini", "[Print]\nFontStyle=0\nBorders=12\nOrientation=7\nCentered=y\nDate=9\n");
    grid->LoadPrintSettings(dir.File("print.ini"), "Print");
    EXPECT_EQ(p->Font()->Style(), TFontStyles());        // plain stays plain
    EXPECT_EQ(p->Borders(), TPrintBorders::pbDouble);     // out of range: unchanged
    EXPECT_EQ(p->Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_FALSE(p->Centered());                          // only "Y" is true
    EXPECT_EQ(p->Date(), TPrintPosition::ppNone);
    EXPECT_EQ(p->ColumnSpacing(), 20);
    EXPECT_EQ(p->HeaderSize(), 100);
    EXPECT_EQ(p->Font()->Name(), "Arial");
    EXPECT_EQ(p->Font()->Size(), 10);

    // A file that cannot be written back still loads.
    dir.Write("ro.ini", "[Print]\nColumnSpacing=7\n");
    QFile::setPermissions(dir.File("ro.ini"), QFileDevice::ReadOwner);
    grid->LoadPrintSettings(dir.File("ro.ini"), "Print");
    EXPECT_EQ(p->ColumnSpacing(), 7);
}

}   // namespace

namespace {
// The message of the exception of type E that F raises.
template <typename E, typename F> String ErrorOf(F f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

struct GridVisualProps : GridLayout {
    QStringList Lines(const String& name)
    {
        return String::fromUtf8(dir.Read(name)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};
}   // namespace

TEST_F(GridVisualProps, SavedFileHoldsEveryKeyInOrderWithItsValueFormat)
{
    grid->SetColor(clRed);
    grid->SetHintColor(0x00123456);
    grid->SetURLShow(true);
    grid->Font()->SetStyle(TFontStyles{TFontStyle::fsBold, TFontStyle::fsStrikeOut});
    grid->Font()->SetSize(11);
    grid->Font()->SetName("Courier");
    grid->FixedFont()->SetStyle(TFontStyles{});
    grid->ControlLook()->SetControlStyle(TGridControlStyle::csFlat);
    grid->BackGround()->SetDisplay(TBackGroundDisplay::bdGradientVert);
    grid->SetLook(TGridLook::glCustom);
    grid->SaveVisualProps(dir.File("look.txt"));
    const QStringList lines = Lines("look.txt");

    QStringList keys;
    for (const String& l : lines) keys << l.section(u'=', 0, 0);
    const QStringList order = {
        "Color", "HintColor", "SelectionColor", "SelectionColorTo", "SelectionMirrorColor", "SelectionMirrorColorTo",
        "SelectionTextColor", "URLColor", "URLShow", "URLShowInText", "ScrollColor", "ActiveRowColor", "ActiveRowShow",
        "ActiveCellShow", "Font.Color", "Font.Style", "Font.Size", "Font.Name", "ActiveCellColor", "ActiveCellColorTo",
        "ActiveCellFont.Color", "ActiveCellFont.Style", "ActiveCellFont.Size", "ActiveCellFont.Name",
        "FixedFont.Color", "FixedFont.Style", "FixedFont.Size", "FixedFont.Name", "Balloon.BackgroundColor",
        "Balloon.TextColor", "Balloon.Transparency", "Bands.PrimaryColor", "Bands.SecondaryColor", "Bands.Active",
        "SortSettings.IndexColor", "FloatingFooter.Color", "ControlLook.CheckSize", "ControlLook.Color",
        "ControlLook.CommentColor", "ControlLook.ControlStyle", "ControlLook.FixedGradientFrom",
        "ControlLook.FixedGradientTo", "ControlLook.RadioSize", "ControlLook.FlatButton",
        "ControlLook.ProgressBorderColor", "ControlLook.ProgressXP", "Look", "SearchFooter.Color",
        "SearchFooter.ColorTo", "Grouping.HeaderColor", "Grouping.HeaderColorTo", "Grouping.HeaderTextColor",
        "Grouping.HeaderUnderline", "Grouping.HeaderLineColor", "Grouping.HeaderLineWidth", "Grouping.SummaryColor",
        "Grouping.SummaryColorTo", "Grouping.SummaryTextColor", "Grouping.SummaryLine", "Grouping.SummaryLineColor",
        "Grouping.SummaryLineWidth", "GridLineColor", "GridFixedLineColor", "BackGround.Top", "BackGround.Left",
        "BackGround.Display", "BackGround.Cells", "BackGround.Color", "BackGround.ColorTo"};
    EXPECT_EQ(keys, order);
    const QStringList expected = {"Color=clRed", "HintColor=$00123456", "URLShow=true", "Font.Style=fsBold,fsStrikeOut",
                                  "Font.Size=11", "Font.Name=Courier", "FixedFont.Style=",
                                  "ControlLook.ControlStyle=csFlat", "Look=", "BackGround.Display=bdGradientVert",
                                  "Grouping.HeaderColor=clNone", "Bands.Active=false"};
    for (const String& e : expected) EXPECT_TRUE(lines.contains(e)) << e.toStdString();
}

TEST_F(GridVisualProps, RoundTripGivesTheSameLook)
{
    grid->SetSelectionColor(0x00ABCDEF);
    grid->SetActiveRowShow(true);
    grid->ActiveCellFont()->SetStyle(TFontStyles{TFontStyle::fsItalic});
    grid->ActiveCellFont()->SetColor(clBlue);
    grid->Balloon()->SetTransparency(200);
    grid->Grouping()->SetHeaderLineWidth(5);
    grid->ControlLook()->SetControlStyle(TGridControlStyle::csTheme);
    grid->BackGround()->SetCells(TBackGroundCells::bcAll);
    grid->SetLook(TGridLook::glXP);
    grid->SaveVisualProps(dir.File("a.txt"));

    auto* other = MakeGrid();
    other->LoadVisualProps(dir.File("a.txt"));
    EXPECT_EQ(other->SelectionColor(), TColor(0x00ABCDEF));
    EXPECT_TRUE(other->ActiveRowShow());
    EXPECT_EQ(other->ActiveCellFont()->Style(), TFontStyles{TFontStyle::fsItalic});
    EXPECT_EQ(other->ActiveCellFont()->Color(), clBlue);
    EXPECT_EQ(other->Balloon()->Transparency(), 200);
    EXPECT_EQ(other->Grouping()->HeaderLineWidth(), 5);
    EXPECT_EQ(other->ControlLook()->ControlStyle(), TGridControlStyle::csTheme);
    EXPECT_EQ(other->BackGround()->Cells(), TBackGroundCells::bcAll);
    EXPECT_EQ(other->Look(), TGridLook::glXP);
    other->SaveVisualProps(dir.File("b.txt"));
    EXPECT_EQ(dir.Read("a.txt"), dir.Read("b.txt"));
}

TEST_F(GridVisualProps, LoadingIgnoresKeyCaseTakesTheFirstLineAndReadsValuesByKind)
{
    grid->SaveVisualProps(dir.File("base.txt"));
    QByteArray text = "balloon.backGROUNDcolor=clLime\r\nBalloon.BackgroundColor=clRed\r\n"
                      "URLSHOW=True\r\nURLShowInText=yes\r\nHintColor=\r\n"
                      "CONTROLLOOK.CONTROLSTYLE=CSWINXP\r\nBackGround.Display=bdNothing\r\n"
                      "Font.Style=fsItalic,FSBOLD\r\nfont.size=14\r\n";
    text += dir.Read("base.txt");
    dir.Write("mixed.txt", text);
    grid->BackGround()->SetDisplay(TBackGroundDisplay::bdFixed);
    grid->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    grid->LoadVisualProps(dir.File("mixed.txt"));
    EXPECT_EQ(grid->Balloon()->BackgroundColor(), clLime);
    EXPECT_TRUE(grid->URLShow());
    EXPECT_FALSE(grid->URLShowInText()) << "only TRUE in any case is true";
    EXPECT_EQ(grid->HintColor(), clNone) << "an empty colour is no colour";
    EXPECT_EQ(grid->ControlLook()->ControlStyle(), TGridControlStyle::csWinXP);
    EXPECT_EQ(grid->BackGround()->Display(), TBackGroundDisplay::bdFixed) << "an unknown name changes nothing";
    EXPECT_EQ(grid->Font()->Style(), TFontStyles{TFontStyle::fsItalic}) << "style names are case-sensitive";
    EXPECT_EQ(grid->Font()->Size(), 14);
}

TEST_F(GridVisualProps, BrokenFilesRaiseTheirErrorsAndKeepWhatWasApplied)
{
    EXPECT_EQ(ErrorOf<Exception>([&] { grid->LoadVisualProps(dir.File("missing.txt")); }),
              "Cannot open file " + dir.File("missing.txt"));
    EXPECT_EQ(ErrorOf<Exception>([&] { grid->SaveVisualProps(dir.File("no/such/dir/x.txt")); }),
              "Cannot Create " + dir.File("no/such/dir/x.txt"));

    grid->SetScrollColor(clMaroon);
    grid->SetGridLineColor(clMaroon);
    struct Case {
        const char* name;
        QByteArray text;
        const char* error;
    } cases[] = {
        {"no Font.Size", "Color=clAqua\r\nFont.Color=clRed\r\n", "'' is not a valid integer value"},
        {"bad Font.Size", "Color=clAqua\r\nFont.Size=big\r\n", "'big' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetColor(clWhite);
        dir.Write("broken.txt", c.text);
        EXPECT_EQ(ErrorOf<EConvertError>([&] { grid->LoadVisualProps(dir.File("broken.txt")); }), c.error);
        EXPECT_EQ(grid->Color(), clAqua) << "keys before the failing one stay applied";
        EXPECT_EQ(grid->Font()->Color(), c.text.contains("Font.Color") ? clRed : clNone);
    }
    EXPECT_EQ(grid->ScrollColor(), clNone) << "a missing colour before the failure is no colour";
    EXPECT_EQ(grid->GridLineColor(), clMaroon) << "keys after the failing one are not reached";
}
