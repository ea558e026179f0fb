// Painters of check boxes, radio buttons and sort glyphs.

#include "grid/ZvGrid.h"

void TZvStringGrid::DrawCheckBox(TRect, bool, TCheckBoxState, bool, TGridControlStyle, bool, bool) {}
void TZvStringGrid::DrawRadioGroup(TCanvas*, TRect, bool, double, TGridControlStyle, int, int, bool, TStringList*, bool, bool, int, int) {}
void TZvStringGrid::DrawSortGlyph(TCanvas*, int, int, int) {}
