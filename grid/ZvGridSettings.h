#pragma once
// The string grid's own small option objects: the tree-node look, growing
// the edited cell while typing, column sizing and its persistence, HTML
// export and printing. The grid creates them in its constructor and frees
// them with itself; Assign copies every published setting.

#include "grid/support/ZvGridTypes.h"

#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <memory>

class TZvStringGrid;

enum class TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
enum class TColumnSizeLocation { clRegistry, clIniFile };
enum class TAutoSizeRows { arAll, arNormal, arFixed };
enum class TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum class TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal,
    pbCustom
};
enum class TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum class TPrinterOrientation { poPortrait, poLandscape };

// ---- Tree nodes ------------------------------------------------------------------------
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TZvStringGrid* AOwner);
    ~TCellNode() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(TColor v) { FNodeColor = v; }
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(TBitmap* v);
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(TBitmap* v);
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool v) { FExpandOne = v; }
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool v);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool v);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int v);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor v);
    TZvStringGrid* Owner() const { return FOwner; }

    void Assign(TPersistent* source) override;

private:

    TColor FColor = 0xC0C0C0;
    TNodeType FNodeType = TNodeType::cnXP;
    TColor FNodeColor = clBlack;
    std::unique_ptr<TBitmap> FExpandGlyph;
    bool FExpandOne = false;
    std::unique_ptr<TBitmap> FContractGlyph;
    TZvStringGrid* FOwner;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = 0x808080;
};

// ---- Growing the edited cell ----------------------------------------------------------------
class TSizeWhileTyping : public TPersistent {
public:
    bool Height() const { return FHeight; }
    void SetHeight(bool v) { FHeight = v; }
    bool Width() const { return FWidth; }
    void SetWidth(bool v) { FWidth = v; }

    void Assign(TPersistent* source) override;

private:
    bool FHeight = false;
    bool FWidth = false;
};

// ---- Column sizing and its persistence ------------------------------------------------------
class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TZvStringGrid* AOwner) : FOwner(AOwner) {}

    TZvStringGrid* Owner() const { return FOwner; }
    bool Save() const { return FSave; }
    void SetSave(bool v) { FSave = v; }
    const String& Key() const { return FKey; }
    void SetKey(const String& v) { FKey = v; }
    const String& Section() const { return FSection; }
    void SetSection(const String& v) { FSection = v; }
    bool Stretch() const { return FStretch; }
    // Stores the flag; a grid with a parent window stretches the column at once.
    void SetStretch(bool v);
    int StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(int v) { FStretchColumn = v; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool v) { FSynchWithGrid = v; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool v) { FSynchNormalCellsOnly = v; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation v) { FLocation = v; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows v) { FRows = v; }

    void Assign(TPersistent* source) override;

private:
    TZvStringGrid* FOwner;
    bool FSave = false;
    String FKey;
    String FSection;
    bool FStretch = false;
    int FStretchColumn = -1;   // -1: the last column
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = TColumnSizeLocation::clRegistry;
    TAutoSizeRows FRows = TAutoSizeRows::arAll;
};

// ---- HTML export ------------------------------------------------------------------------------
class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;

    bool AutoPreview() const { return FAutoPreview; }
    void SetAutoPreview(bool v) { FAutoPreview = v; }
    bool ConvertSpecialChars() const { return FConvertSpecialChars; }
    void SetConvertSpecialChars(bool v) { FConvertSpecialChars = v; }
    bool NonBreakingText() const { return FNonBreakingText; }
    void SetNonBreakingText(bool v) { FNonBreakingText = v; }
    bool SaveColor() const { return FSaveColor; }
    void SetSaveColor(bool v) { FSaveColor = v; }
    bool SaveFonts() const { return FSaveFonts; }
    void SetSaveFonts(bool v) { FSaveFonts = v; }
    const String& FooterFile() const { return FFooterFile; }
    void SetFooterFile(const String& v) { FFooterFile = v; }
    const String& HeaderFile() const { return FHeaderFile; }
    void SetHeaderFile(const String& v) { FHeaderFile = v; }
    int BorderSize() const { return FBorderSize; }
    void SetBorderSize(int v) { FBorderSize = v; }
    int CellSpacing() const { return FCellSpacing; }
    void SetCellSpacing(int v) { FCellSpacing = v; }
    int CellPadding() const { return FCellPadding; }
    void SetCellPadding(int v) { FCellPadding = v; }
    const String& TableStyle() const { return FTableStyle; }
    void SetTableStyle(const String& v) { FTableStyle = v; }
    const String& PrefixTag() const { return FPrefixTag; }
    void SetPrefixTag(const String& v) { FPrefixTag = v; }
    const String& SuffixTag() const { return FSuffixTag; }
    void SetSuffixTag(const String& v) { FSuffixTag = v; }
    const String& Summary() const { return FSummary; }
    void SetSummary(const String& v) { FSummary = v; }
    // Percent of the page.
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    TIntList* ColWidths() const { return FColWidths.get(); }
    void SetColWidths(TIntList* v);
    bool XHTML() const { return FXHTML; }
    void SetXHTML(bool v) { FXHTML = v; }
    bool ExportImages() const { return FExportImages; }
    void SetExportImages(bool v) { FExportImages = v; }

    void Assign(TPersistent* source) override;

private:
    bool FAutoPreview = false;
    bool FConvertSpecialChars = false;
    bool FNonBreakingText = false;
    bool FSaveColor = true;
    bool FSaveFonts = true;
    String FFooterFile;
    String FHeaderFile;
    int FBorderSize = 1;
    int FCellSpacing = 0;
    int FCellPadding = 0;
    String FTableStyle;
    String FPrefixTag;
    String FSuffixTag;
    String FSummary;
    int FWidth = 100;
    std::unique_ptr<TIntList> FColWidths;
    bool FXHTML = false;
    bool FExportImages = true;
};

// ---- Printing ---------------------------------------------------------------------------------
class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TZvStringGrid* AGrid);
    ~TPrintSettings() override;

    TZvStringGrid* Grid() const { return FGrid; }
    TPrintPosition Time() const { return FTime; }
    void SetTime(TPrintPosition v) { FTime = v; }
    TPrintPosition Date() const { return FDate; }
    void SetDate(TPrintPosition v) { FDate = v; }
    TPrintPosition PageNr() const { return FPageNr; }
    void SetPageNr(TPrintPosition v) { FPageNr = v; }
    const String& PageNumSep() const { return FPageNumSep; }
    void SetPageNumSep(const String& v) { FPageNumSep = v; }
    const String& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const String& v) { FDateFormat = v; }
    TPrintPosition Title() const { return FTitle; }
    void SetTitle(TPrintPosition v) { FTitle = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* v) { FHeaderFont->Assign(v); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(TFont* v) { FFooterFont->Assign(v); }
    TPrintBorders Borders() const { return FBorders; }
    void SetBorders(TPrintBorders v) { FBorders = v; }
    TPenStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TPenStyle v) { FBorderStyle = v; }
    const String& TitleText() const { return FTitleText; }
    void SetTitleText(const String& v) { FTitleText = v; }
    TStringList* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(TStringList* v) { FTitleLines->Assign(v); }
    bool Centered() const { return FCentered; }
    void SetCentered(bool v) { FCentered = v; }
    bool RepeatFixedRows() const { return FRepeatFixedRows; }
    void SetRepeatFixedRows(bool v) { FRepeatFixedRows = v; }
    bool RepeatFixedCols() const { return FRepeatFixedCols; }
    void SetRepeatFixedCols(bool v) { FRepeatFixedCols = v; }
    int FooterSize() const { return FFooterSize; }
    void SetFooterSize(int v) { FFooterSize = v; }
    int HeaderSize() const { return FHeaderSize; }
    void SetHeaderSize(int v) { FHeaderSize = v; }
    int LeftSize() const { return FLeftSize; }
    void SetLeftSize(int v) { FLeftSize = v; }
    int RightSize() const { return FRightSize; }
    void SetRightSize(int v) { FRightSize = v; }
    int ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(int v) { FColumnSpacing = v; }
    int RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(int v) { FRowSpacing = v; }
    int TitleSpacing() const { return FTitleSpacing; }
    void SetTitleSpacing(int v) { FTitleSpacing = v; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation v) { FOrientation = v; }
    const String& PagePrefix() const { return FPagePrefix; }
    void SetPagePrefix(const String& v) { FPagePrefix = v; }
    const String& PageSuffix() const { return FPageSuffix; }
    void SetPageSuffix(const String& v) { FPageSuffix = v; }
    int FixedHeight() const { return FFixedHeight; }
    void SetFixedHeight(int v) { FFixedHeight = v; }
    bool UseFixedHeight() const { return FUseFixedHeight; }
    void SetUseFixedHeight(bool v) { FUseFixedHeight = v; }
    int FixedWidth() const { return FFixedWidth; }
    void SetFixedWidth(int v) { FFixedWidth = v; }
    bool UseFixedWidth() const { return FUseFixedWidth; }
    void SetUseFixedWidth(bool v) { FUseFixedWidth = v; }
    TFitToPage FitToPage() const { return FFitToPage; }
    void SetFitToPage(TFitToPage v) { FFitToPage = v; }
    bool NoAutoSize() const { return FNoAutoSize; }
    void SetNoAutoSize(bool v) { FNoAutoSize = v; }
    bool PrintGraphics() const { return FPrintGraphics; }
    void SetPrintGraphics(bool v) { FPrintGraphics = v; }
    const String& JobName() const { return FJobName; }
    void SetJobName(const String& v) { FJobName = v; }
    bool NoAutoSizeRow() const { return FNoAutoSizeRow; }
    void SetNoAutoSizeRow(bool v) { FNoAutoSizeRow = v; }
    int PageNumberOffset() const { return FPageNumberOffset; }
    void SetPageNumberOffset(int v) { FPageNumberOffset = v; }
    int MaxPagesOffset() const { return FMaxPagesOffset; }
    void SetMaxPagesOffset(int v) { FMaxPagesOffset = v; }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* v) { FFixedFont->Assign(v); }
    bool UseDisplayFont() const { return FUseDisplayFont; }
    void SetUseDisplayFont(bool v) { FUseDisplayFont = v; }
    bool UseDefaultOrientation() const { return FUseDefaultOrientation; }
    void SetUseDefaultOrientation(bool v) { FUseDefaultOrientation = v; }
    bool FixedCellsAlways() const { return FFixedCellsAlways; }
    void SetFixedCellsAlways(bool v) { FFixedCellsAlways = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }

    void Assign(TPersistent* source) override;

private:
    TZvStringGrid* FGrid;
    TPrintPosition FTime = TPrintPosition::ppNone;
    TPrintPosition FDate = TPrintPosition::ppNone;
    TPrintPosition FPageNr = TPrintPosition::ppNone;
    String FPageNumSep;
    String FDateFormat;
    TPrintPosition FTitle = TPrintPosition::ppNone;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
    TPrintBorders FBorders = TPrintBorders::pbSingle;
    TPenStyle FBorderStyle = TPenStyle::psSolid;
    String FTitleText;
    std::unique_ptr<TStringList> FTitleLines;
    bool FCentered = true;
    bool FRepeatFixedRows = false;
    bool FRepeatFixedCols = false;
    int FFooterSize = 0;
    int FHeaderSize = 0;
    int FLeftSize = 0;
    int FRightSize = 0;
    int FColumnSpacing = 0;
    int FRowSpacing = 0;
    int FTitleSpacing = 0;
    TPrinterOrientation FOrientation = TPrinterOrientation::poPortrait;
    String FPagePrefix;
    String FPageSuffix;
    int FFixedHeight = 0;
    bool FUseFixedHeight = false;
    int FFixedWidth = 0;
    bool FUseFixedWidth = false;
    TFitToPage FFitToPage = TFitToPage::fpNever;
    bool FNoAutoSize = false;
    bool FPrintGraphics = false;
    String FJobName;
    bool FNoAutoSizeRow = false;
    int FPageNumberOffset = 0;
    int FMaxPagesOffset = 0;
    std::unique_ptr<TFont> FFixedFont;
    bool FUseDisplayFont = true;
    bool FUseDefaultOrientation = false;
    bool FFixedCellsAlways = false;
    TColor FBorderColor = clBlack;
};
