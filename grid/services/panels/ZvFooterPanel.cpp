// The floating footer: its painting by style, and the column its hints and clicks name.

#include "grid/services/panels/ZvFooterPanel.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"

#include "platform/Forms.h"
#include "platform/Messages.h"

#include <QRegularExpression>

TFooterPanel::TFooterPanel(TComponent* AOwner, TZvStringGrid* AGrid) : TCustomControl(AOwner), FGrid(AGrid) {}

template <class TVisit>
void TFooterPanel::ForEachColumn(TVisit Visit) const
{
    int x = 0;
    for (int c = 0; c < FGrid->FixedCols() && c < FGrid->ColCount(); ++c) {
        Visit(c, x, FGrid->ColWidths(c));
        x += FGrid->ColWidths(c);
    }
    for (int c = std::max(FGrid->LeftCol(), FGrid->FixedCols()); c < FGrid->ColCount(); ++c) {
        Visit(c, x, FGrid->ColWidths(c));
        x += FGrid->ColWidths(c);
    }
}

int TFooterPanel::ColumnsWidth() const
{
    int w = 0;
    ForEachColumn([&](int, int Left, int Width) { w = Left + Width; });
    return w;
}

int TFooterPanel::ColumnAt(int X) const
{
    int found = -1;
    ForEachColumn([&](int c, int Left, int Width) {
        if (found < 0 && X >= Left && X < Left + Width) found = c;
    });
    return found;
}

String TFooterPanel::FillTemplate(TZvStringGrid& Grid, const String& Template, int ARow)
{
    static const QRegularExpression placeholder(QStringLiteral("<#([^>]*)>"));
    String out;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(Template); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += Template.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        bool ok = false;
        const int col = m.captured(1).trimmed().toInt(&ok);
        if (ok && col >= 0 && col < Grid.ColCount() && ARow >= 0 && ARow < Grid.RowCount())
            out += Grid.GetCellEx(Grid.RealColIndex(col), ARow);
    }
    return out + Template.mid(from);
}

void TFooterPanel::CreateWnd()
{
    TCustomControl::CreateWnd();
    const TFloatingFooter& footer = *FGrid->FloatingFooter();
    SetHeight(footer.Visible() ? footer.Height() : 0);
    if (FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid);
}

void TFooterPanel::PaintPreviewBox(TCanvas& Canvas, int W)
{
    const TRect box{0, 0, W, ClientHeight()};
    Canvas.Brush()->SetColor(FGrid->FloatingFooter()->Color());
    Canvas.FillRect(box);
    Canvas.Pen()->SetColor(clWhite);
    Canvas.MoveTo(box.Left, box.Bottom - 1);
    Canvas.LineTo(box.Left, box.Top);
    Canvas.LineTo(box.Right - 1, box.Top);
    Canvas.Pen()->SetColor(0x808080);
    Canvas.LineTo(box.Right - 1, box.Bottom - 1);
    Canvas.LineTo(box.Left, box.Bottom - 1);
    Canvas.Brush()->SetColor(FGrid->Color());
    Canvas.FillRect(TRect{W, 0, ClientWidth(), ClientHeight()});
}

void TFooterPanel::PaintLastRow(TCanvas& Canvas, int W)
{
    TZvStringGrid& g = *FGrid;
    const int row = g.RowCount() - 1;
    Canvas.Brush()->SetColor(g.FloatingFooter()->Color());
    Canvas.FillRect(TRect{0, 0, W, ClientHeight()});
    Canvas.Brush()->SetColor(g.Color());
    Canvas.FillRect(TRect{W, 0, ClientWidth(), ClientHeight()});
    if (row < 0) return;
    const bool vert = g.Options().Contains(goFixedVertLine), horz = g.Options().Contains(goFixedHorzLine);
    const TGridLook look = g.Look();
    const bool whiteEdge = vert && !g.Flat() &&
                           (look == TGridLook::glSoft || look == TGridLook::glVUD || look == TGridLook::glXP ||
                            look == TGridLook::glVista);
    ForEachColumn([&](int c, int Left, int Width) {
        const TRect r{Left, 0, Left + Width, ClientHeight()};
        const int real = c < g.FixedCols() ? c : g.RealColIndex(c);
        if (g.IsBaseCell(real, row)) {
            TBrush brush;
            TFont font;
            brush.SetColor(clNone);
            if (g.OnGetCellColor) g.OnGetCellColor(&g, row, real, TGridDrawState{gdFixed}, &brush, &font);
            if (brush.Color() != clNone) {
                Canvas.Brush()->SetColor(brush.Color());
                Canvas.FillRect(r);
            }
            const TColor own = g.GetColors(real, row);
            if (own != clNone) {
                Canvas.Brush()->SetColor(own);
                Canvas.FillRect(r);
            }
            if (g.OnFooterPaint) g.OnFooterPaint(this, real, &Canvas, r);
            else g.PaintCellExt(&Canvas, real, row, r, TGridDrawState{gdFixed});
        }
        if (whiteEdge) {
            Canvas.Pen()->SetColor(clWhite);
            Canvas.MoveTo(r.Left, r.Top);
            Canvas.LineTo(r.Left, r.Bottom);
        }
        if (horz) {
            Canvas.Pen()->SetColor(g.GridLineColor());
            Canvas.MoveTo(r.Left, r.Top);
            Canvas.LineTo(r.Right, r.Top);
        }
        if (vert) {
            const bool scrollable = c >= g.FixedCols();
            Canvas.Pen()->SetColor(scrollable && look != TGridLook::glVista ? TColor(0x808080) : g.GridLineColor());
            Canvas.MoveTo(r.Right - 1, r.Top);
            Canvas.LineTo(r.Right - 1, r.Bottom);
        }
    });
}

void TFooterPanel::Paint()
{
    TZvStringGrid& g = *FGrid;
    TCanvas& canvas = *Canvas();
    const TFloatingFooter& footer = *g.FloatingFooter();
    const int W = ColumnsWidth();
    const TRect client = ClientRect();
    switch (footer.FooterStyle()) {
    case TFooterStyle::fsFixedLastRow: PaintLastRow(canvas, W); break;
    case TFooterStyle::fsColumnPreview: {
        PaintPreviewBox(canvas, W);
        const int col = footer.Column();
        if (col >= 0 && col < g.ColCount() && g.Row() >= 0 && g.Row() < g.RowCount()) {
            const TRect box{0, 0, W, client.Bottom};
            if (g.OnFooterPaint) g.OnFooterPaint(this, col, &canvas, box);
            else g.PaintCellExt(&canvas, g.RealColIndex(col), g.Row(), box, TGridDrawState{gdFixed});
        }
        break;
    }
    case TFooterStyle::fsCustomPreview: {
        PaintPreviewBox(canvas, W);
        const TRect box{2, 2, W - 2, client.Bottom};
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        if (g.Designing()) canvas.TextOut(box.Left, box.Top, footer.CustomTemplate());
        else g.DrawMarkupText(canvas, FillTemplate(g, footer.CustomTemplate(), g.Row()), box, false, false);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        break;
    }
    case TFooterStyle::fsCustomPaint:
        if (g.OnFooterPaint) g.OnFooterPaint(this, footer.Column(), &canvas, client);
        break;
    }
    if (footer.BorderColor() != clNone) {
        canvas.Pen()->SetColor(footer.BorderColor());
        canvas.MoveTo(0, 0);
        canvas.LineTo(W, 0);
    }
}

void TFooterPanel::CMHintShow(TMessage& Message)
{
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    const bool show = FGrid->FloatingFooter()->ShowHint();
    const int col = info ? ColumnAt(info->CursorPos.X) : -1;
    if (col >= 0 && info && FGrid->OnGridHint) {
        String text = info->HintStr;
        FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, text);
        info->HintStr = text;
    }
    FLastHintCol = show ? col : -1;
    Message.Result = show && col >= 0 ? 0 : 1;
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const int col = ColumnAt(X);
    if (FGrid->FloatingFooter()->ShowHint() && FLastHintCol >= 0 && col != FLastHintCol) {
        // A new column under the pointer asks for its own hint.
        if (Application) Application->CancelHint();
        FLastHintCol = col;
    }
}

void TFooterPanel::MouseLeave()
{
    TCustomControl::MouseLeave();
    FLastHintCol = -1;
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    const int col = ColumnAt(X);
    if (FGrid->OnClick) FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, col);
}
