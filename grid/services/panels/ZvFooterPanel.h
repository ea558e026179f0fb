#pragma once
// The floating footer below the cells: the grid's last row in step with its
// columns, a preview of one column or a template filled from the current
// row, or the application's own painting, by FloatingFooter.FooterStyle.
// Hints and clicks name the column under the pointer and the grid's last row.

#include "platform/Controls.h"

class TZvStringGrid;

class TFooterPanel : public TCustomControl {
public:
    TFooterPanel(TComponent* AOwner, TZvStringGrid* AGrid);
    TZvStringGrid* Grid() const { return FGrid; }

    // The grid column under client x (fixed columns, then from the first
    // scrollable one in view); -1 past the last column.
    int ColumnAt(int X) const;
    // The width the grid's columns take in the footer, fixed ones and those from the first in view.
    int ColumnsWidth() const;
    // The template with every "<#n>" replaced by the row's text of column n;
    // a column outside the grid reads as empty, a number that is none is dropped.
    static String FillTemplate(TZvStringGrid& Grid, const String& Template, int ARow);

protected:
    void CreateWnd() override;
    void Paint() override;
    void CMHintShow(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    void PaintLastRow(TCanvas& Canvas, int W);
    void PaintPreviewBox(TCanvas& Canvas, int W);
    // The columns in screen order with their left edges: fixed ones, then the scrollable ones in view.
    template <class TVisit>
    void ForEachColumn(TVisit Visit) const;

    TZvStringGrid* FGrid;
    int FLastHintCol = -1;
};
