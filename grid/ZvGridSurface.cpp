// The whole-control paint, background, window border, focus frame and design panel.

#include "grid/ZvGrid.h"

void TZvStringGrid::PaintDesignPanel() {}
void TZvStringGrid::DesignPanelClick(int, int) {}
void TZvStringGrid::PaintBackgroundOutsideCells() {}
void TZvStringGrid::PaintBackgroundPicture(TRect) {}
void TZvStringGrid::TileBackground(TRect) {}
void TZvStringGrid::PaintWindowBorder() {}
void TZvStringGrid::DrawColumnSizingLine(int) {}
void TZvStringGrid::DrawRowSizingLine(int) {}
void TZvStringGrid::ShowFocusFrame(TRect) {}
void TZvStringGrid::MoveFocusFrame() {}
void TZvStringGrid::HideFocusFrame() {}
int TZvStringGrid::DesignPanelHitTest(int, int) { return 0; }
void TZvStringGrid::Paint()
{
    TBaseGrid::Paint();
}
