// The cell drawing engine: visual properties, alignment and cell contents.

#include "grid/ZvGrid.h"

void TZvStringGrid::PaintCellContents(TCanvas*, int, int, TRect, TGridDrawState) {}
void TZvStringGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&, TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&) {}
void TZvStringGrid::GetFontProperties(int, int, bool, TBrush*, TFont*, TGridDrawState&, int) {}
void TZvStringGrid::CellAlignment(int, int, TAlignment&, TVAlignment&) {}
TColor TZvStringGrid::MixColors(TColor, TColor, int) { return clNone; }
void TZvStringGrid::DrawRichTextCell(int, int, TRect, TCanvas*) {}
void TZvStringGrid::CellDrawHook(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TBaseGrid::CellDrawHook(ACol, ARow, ARect, AState);
}
