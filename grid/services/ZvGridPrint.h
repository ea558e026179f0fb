#pragma once
// Printing: the print settings, the page engine that places columns in bands
// and rows on pages, and the page rendering it calls for every page.
//
// The engine works in tenths of a millimetre with y growing upward (see
// ZvGridPrintTarget.h). Every page makes progress: a row too tall for the
// printable area is placed, clipped, on a page of its own. The width and
// offset tables grow with the column count, so any number of columns prints.

#include "grid/ZvGridSettings.h"
#include "grid/services/ZvGridService.h"
#include "platform/Grids.h"

#include <memory>
#include <vector>

class TPrintTarget;

enum class TPrintMode { pmPreview, pmPrint, pmPrintCount, pmPreviewCount };

class TZvGridPrint : public TZvGridService {
public:
    explicit TZvGridPrint(TZvStringGrid* AGrid);

    // The job: counts (unless FastPrint), asks OnPrintStart for a page range,
    // then draws that range. Start and done notifications always pair.
    void PrintJob(TPrintTarget& Target, TGridRect Range, bool SelectedOnly);
    // Counts (unless FastPrint) and draws the first requested page on the
    // target, whose page is the display area.
    void PrintPreviewJob(TPrintTarget& Target, TGridRect Range, bool SelectedOnly);
    // One page of the range on the target, as printed.
    void PrintDrawRect(TPrintTarget& Target, TGridRect Range);
    // Lays out the range and draws the pages of the requested range; the page count.
    int PrintPages(TPrintTarget& Target, TPrintMode Mode, int PageCount, bool SelectedOnly);
    // The page number text of the page being drawn.
    String PrintPageNumberText() const;

private:
    friend class TZvStringGrid;
    bool Drawing() const { return FMode == TPrintMode::pmPreview || FMode == TPrintMode::pmPrint; }
    bool PageInRange(int Page) const { return Page >= FPrintPageFrom && Page <= FPrintPageTo; }
    int ColWidth(int c) const { return MaxWidths[std::size_t(c)]; }
    void BuildPrintColumnWidths();
    TPoint PrintCellSize(int ACol, int ARow);
    int PrintRowHeight(int ARow);
    bool IsRowPrinted(int r) const;
    bool IsColumnPrinted(int c) const;
    void HeaderFooterAreas();
    int PrintHeaderFooter();
    void PrintPageBorders(int First, int Last, int BottomY);
    int PrintRowCells(int Y, int First, int Last, int ARow);
    void PrintStartNextPage();
    void UseFont(TFont* Font);

    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::vector<int> MaxWidths;
    std::vector<int> Indents;
    int FPrintPageFrom = 1;
    int FPrintPageTo = 1;
    int FPrintPageNum = 0;
    int FPrintNrOfPages = 0;
    bool FPrinterDriverFix = false;
    bool FFastPrint = false;
    bool FIsPrintPreview = false;

    // One run of the engine.
    TPrintTarget* FTarget = nullptr;
    TPrintMode FMode = TPrintMode::pmPrint;
    TGridRect FRange;
    bool FSelectedOnly = false;
    int FPageCount = -1;
    int FPW = 0, FPH = 0;
    int FHA = 0, FFA = 0;
    int FMargin = 0, FTextHeight = 0, FHeaderHeight = 0, FFooterHeight = 0, FHalfG = 0, FSpacing = 0;
    double FScale = 1.0;        // screen pixels to tenths of a millimetre
    double FFit = 1.0;          // fit-to-page factor
    double FFontScale = 1.0;    // the fit factor while cells are measured or drawn
    int FPages = 0;             // pages finished
    int FBand = 0, FBandPage = 0;
    bool FBands = false;
    bool FRepeatCols = false;
    int FColStart = 0, FColEnd = 0, FPageWidth = 0;
    int FCachedRow = -1, FCachedHeight = 0;
    TRect FPageRect;
};
