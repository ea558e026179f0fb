#include "grid/ZvGridSettings.h"

#include "grid/ZvGrid.h"

// ---- TCellNode ---------------------------------------------------------------------------
TCellNode::TCellNode(TZvStringGrid* AOwner)
    : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()), FOwner(AOwner)
{
}

TCellNode::~TCellNode() = default;


void TCellNode::SetNodeType(TNodeType v) { if (StoreChanged(FNodeType, v) && FOwner) FOwner->Invalidate(); }
void TCellNode::SetShowTree(bool v) { if (StoreChanged(FShowTree, v) && FOwner) FOwner->Invalidate(); }
void TCellNode::SetShowTreeFull(bool v) { if (StoreChanged(FShowTreeFull, v) && FOwner) FOwner->Invalidate(); }
void TCellNode::SetNodeIndent(int v) { if (StoreChanged(FNodeIndent, v) && FOwner) FOwner->Invalidate(); }
void TCellNode::SetTreeColor(TColor v) { if (StoreChanged(FTreeColor, v) && FOwner) FOwner->Invalidate(); }
void TCellNode::SetExpandGlyph(TBitmap* v) { FExpandGlyph->Assign(v); }
void TCellNode::SetContractGlyph(TBitmap* v) { FContractGlyph->Assign(v); }

void TCellNode::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TCellNode*>(source);
    if (!s) return;   // another kind is ignored
    FColor = s->FColor;
    FNodeType = s->FNodeType;
    FNodeColor = s->FNodeColor;
    FExpandGlyph->Assign(s->FExpandGlyph.get());
    FExpandOne = s->FExpandOne;
    FContractGlyph->Assign(s->FContractGlyph.get());
    FShowTree = s->FShowTree;
    FShowTreeFull = s->FShowTreeFull;
    FNodeIndent = s->FNodeIndent;
    FTreeColor = s->FTreeColor;
}

// ---- TSizeWhileTyping -------------------------------------------------------------------------
void TSizeWhileTyping::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TSizeWhileTyping*>(source);
    if (!s) return;   // another kind is ignored
    FHeight = s->FHeight;
    FWidth = s->FWidth;
}

// ---- TColumnSize ------------------------------------------------------------------------------
void TColumnSize::SetStretch(bool v)
{
    FStretch = v;
    if (FOwner && FOwner->Parent()) FOwner->DoStretchColumn(FStretchColumn);
}

void TColumnSize::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TColumnSize*>(source);
    if (!s) return;   // another kind is ignored
    FSave = s->FSave;
    FKey = s->FKey;
    FSection = s->FSection;
    FStretch = s->FStretch;
    FStretchColumn = s->FStretchColumn;
    FSynchWithGrid = s->FSynchWithGrid;
    FSynchNormalCellsOnly = s->FSynchNormalCellsOnly;
    FLocation = s->FLocation;
    FRows = s->FRows;
}

// ---- THTMLSettings ----------------------------------------------------------------------------
THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>()) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::SetColWidths(TIntList* v) { FColWidths->Assign(v); }

void THTMLSettings::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<THTMLSettings*>(source);
    if (!s) return;   // another kind is ignored
    FAutoPreview = s->FAutoPreview;
    FConvertSpecialChars = s->FConvertSpecialChars;
    FNonBreakingText = s->FNonBreakingText;
    FSaveColor = s->FSaveColor;
    FSaveFonts = s->FSaveFonts;
    FFooterFile = s->FFooterFile;
    FHeaderFile = s->FHeaderFile;
    FBorderSize = s->FBorderSize;
    FCellSpacing = s->FCellSpacing;
    FCellPadding = s->FCellPadding;
    FTableStyle = s->FTableStyle;
    FPrefixTag = s->FPrefixTag;
    FSuffixTag = s->FSuffixTag;
    FSummary = s->FSummary;
    FWidth = s->FWidth;
    FColWidths->Assign(s->FColWidths.get());
    FXHTML = s->FXHTML;
    FExportImages = s->FExportImages;
}

// ---- TPrintSettings ---------------------------------------------------------------------------
TPrintSettings::TPrintSettings(TZvStringGrid* AGrid)
    : FGrid(AGrid),
      FPageNumSep(QStringLiteral("/")),
      FDateFormat(QStringLiteral("dd/mm/yyyy")),
      FFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>()),
      FFixedFont(std::make_unique<TFont>())
{
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TPrintSettings*>(source);
    if (!s) return;   // another kind is ignored
    FTime = s->FTime;
    FDate = s->FDate;
    FPageNr = s->FPageNr;
    FPageNumSep = s->FPageNumSep;
    FDateFormat = s->FDateFormat;
    FTitle = s->FTitle;
    FFont->Assign(s->FFont.get());
    FHeaderFont->Assign(s->FHeaderFont.get());
    FFooterFont->Assign(s->FFooterFont.get());
    FBorders = s->FBorders;
    FBorderStyle = s->FBorderStyle;
    FTitleText = s->FTitleText;
    FTitleLines->Assign(s->FTitleLines.get());
    FCentered = s->FCentered;
    FRepeatFixedRows = s->FRepeatFixedRows;
    FRepeatFixedCols = s->FRepeatFixedCols;
    FFooterSize = s->FFooterSize;
    FHeaderSize = s->FHeaderSize;
    FLeftSize = s->FLeftSize;
    FRightSize = s->FRightSize;
    FColumnSpacing = s->FColumnSpacing;
    FRowSpacing = s->FRowSpacing;
    FTitleSpacing = s->FTitleSpacing;
    FOrientation = s->FOrientation;
    FPagePrefix = s->FPagePrefix;
    FPageSuffix = s->FPageSuffix;
    FFixedHeight = s->FFixedHeight;
    FUseFixedHeight = s->FUseFixedHeight;
    FFixedWidth = s->FFixedWidth;
    FUseFixedWidth = s->FUseFixedWidth;
    FFitToPage = s->FFitToPage;
    FNoAutoSize = s->FNoAutoSize;
    FPrintGraphics = s->FPrintGraphics;
    FJobName = s->FJobName;
    FNoAutoSizeRow = s->FNoAutoSizeRow;
    FPageNumberOffset = s->FPageNumberOffset;
    FMaxPagesOffset = s->FMaxPagesOffset;
    FFixedFont->Assign(s->FFixedFont.get());
    FUseDisplayFont = s->FUseDisplayFont;
    FUseDefaultOrientation = s->FUseDefaultOrientation;
    FFixedCellsAlways = s->FFixedCellsAlways;
    FBorderColor = s->FBorderColor;
}
