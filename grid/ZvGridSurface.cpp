// The whole-control paint, background, window border, sizing lines and focus frame.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/ZvGridFocusWindow.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/panels/ZvGridPanels.h"

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvDropDownDraw.h"
#include "grid/services/panels/ZvFooterPanel.h"

#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <algorithm>

void TZvStringGrid::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Pen()->SetStyle(TPenStyle::psSolid);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    TBaseGrid::Paint();

    if (EditorMode()) {
        const TGridOptions options = Options();
        const bool noLines =
            GridLineWidth() < 1 || (!options.Contains(goHorzLine) && !options.Contains(goVertLine));
        TRect r = CellRect(Col(), Row());
        r = Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
        canvas.Brush()->SetColor(noLines ? Color() : GridLineColor());
        canvas.FrameRect(r);
    }
    canvas.Pen()->SetColor(clBlack);
    const TBackGround& bg = *d->FBackGround;
    if ((bg.Bitmap() && !bg.Bitmap()->Empty()) || bg.ColorTo() != clNone) PaintBackgroundOutsideCells();
    if (d->FUpdateCount == 0) PaintWindowBorder();
    PaintDesignPanel();
    if (d->FWheelPan) PaintPanOrigin();
    PaintFixedSizingLines();
    if (OnPainted) OnPainted(this);
}

// The line that follows the pointer while a fixed column or row is sized: dotted and inverting
// what lies under it, so it shows on every colour; the release erases it by a repaint.
void TZvStringGrid::PaintFixedSizingLines()
{
    const int x = d->FSizeFixedX;
    const int y = d->FSizeFixedY;
    QPainter* painter = (x >= 0 || y >= 0) ? Canvas()->Painter() : nullptr;
    if (!painter) return;
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
    if (x >= 0) painter->drawLine(x, 0, x, Height());
    if (y >= 0) painter->drawLine(0, y, Width(), y);
    painter->restore();
}

// The quick-configuration panel belongs to the form designer, which this program does not have.
void TZvStringGrid::PaintDesignPanel() {}
void TZvStringGrid::DesignPanelClick(int, int) {}
int TZvStringGrid::DesignPanelHitTest(int, int) { return -1; }

// ---- Background outside the cells -----------------------------------------------------------

void TZvStringGrid::PaintBackgroundOutsideCells()
{
    const TBackGround& bg = *d->FBackGround;
    const bool gradient =
        bg.Display() == TBackGroundDisplay::bdGradientHorz || bg.Display() == TBackGroundDisplay::bdGradientVert;
    if (gradient && bg.ColorTo() == clNone) return;
    const bool moreRows = TopRow() + VisibleRowCount() < RowCount();
    const bool moreCols = LeftCol() + VisibleColCount() < ColCount();
    if (moreRows && moreCols) return;

    const TRect client = ClientRect();
    QRegion free;
    const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
    const TRect lastColRect = CellRect(lastCol, TopRow());
    if (!lastColRect.IsEmpty() && lastColRect.Right + GridLineWidth() < client.Right)
        free += Rect(lastColRect.Right + GridLineWidth(), client.Top, client.Right, client.Bottom).ToQRect();
    const TRect lastRowRect = CellRect(LeftCol(), lastRow);
    if (!lastRowRect.IsEmpty() && lastRowRect.Bottom + GridLineWidth() < client.Bottom)
        free += Rect(client.Left, lastRowRect.Bottom + GridLineWidth(), client.Right, client.Bottom).ToQRect();
    if (free.isEmpty()) return;

    TRect fill = client;
    if (SearchFooter()->Visible()) fill.Bottom -= 32;
    if (d->FFloatingFooter->Visible() && FooterPanel()) fill.Bottom -= FooterPanel()->Height();

    TCanvas& canvas = *Canvas();
    canvas.SetClipRegion(free);
    if (!bg.Bitmap() || bg.Bitmap()->Empty()) {
        DrawDropDownGradient(canvas, bg.Color(), bg.ColorTo(), bg.Display() == TBackGroundDisplay::bdGradientHorz,
                             fill, 128);
    } else if (bg.Display() != TBackGroundDisplay::bdTile) {
        PaintBackgroundPicture(fill);
    } else {
        TRect r = fill;
        if (bg.Cells() == TBackGroundCells::bcNormal) {
            const TRect first = CellRect(FixedCols(), FixedRows());
            r.Left = first.Left;
            r.Top = first.Top;
        }
        r.Left += d->FXYOffset.X;
        r.Top += d->FXYOffset.Y;
        if (bg.Cells() != TBackGroundCells::bcFixed) TileBackground(r);
    }
    canvas.SetClipRegion(QRegion());
}

void TZvStringGrid::PaintBackgroundPicture(TRect Rect)
{
    TBitmap* bmp = d->FBackGround->Bitmap();
    if (!bmp || bmp->Empty()) return;
    const TRect pic = Bounds(d->FBackGround->Left(), d->FBackGround->Top(), bmp->Width(), bmp->Height());
    TRect part;
    if (!IntersectRect(part, pic, Rect)) return;
    TCanvas& canvas = *Canvas();
    canvas.CopyRect(part, *bmp->Canvas(),
                    ::Rect(part.Left - pic.Left, part.Top - pic.Top, part.Right - pic.Left, part.Bottom - pic.Top));
}

void TZvStringGrid::TileBackground(TRect Rect)
{
    TBitmap* bmp = d->FBackGround->Bitmap();
    if (!bmp || bmp->Empty()) return;
    TCanvas& canvas = *Canvas();
    const int w = bmp->Width(), h = bmp->Height();
    for (int y = Rect.Top - 1; y < Rect.Bottom; y += h)
        for (int x = Rect.Left - 1; x < Rect.Right; x += w) {
            const TRect dest = ::Rect(x, y, std::min(x + w, Rect.Right), std::min(y + h, Rect.Bottom));
            canvas.CopyRect(dest, *bmp->Canvas(), ::Rect(0, 0, dest.Width(), dest.Height()));
        }
}

// ---- Window border ------------------------------------------------------------------------------

void TZvStringGrid::PaintWindowBorder()
{
    const TGridLook l = d->FLook;
    const bool look = l == TGridLook::glSoft || l == TGridLook::glVUD || l == TGridLook::glXP ||
                      l == TGridLook::glListView || l == TGridLook::glVista || l == TGridLook::glWin7 ||
                      l == TGridLook::glOffice2007;
    if (!look || d->FBorderStyle != TBorderStyle::bsSingle || d->FBorderColor == clNone || d->FFlat) return;
    // The control has no frame of its own: the border takes its outermost pixels.
    TCanvas& canvas = *Canvas();
    canvas.SetClipRect(TRect());
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    const int W = Width(), H = Height();
    auto outline = [&canvas](int l, int t, int r, int b) {
        canvas.Polyline({{l, t}, {r, t}, {r, b}, {l, b}, {l, t}});
    };
    if (d->FFitCellsInGrid) {
        canvas.Pen()->SetColor(d->FBorderColor);
        outline(1, 1, W - 2, H - 2);
        const TColor parent = Parent() ? Parent()->Color() : Color();
        canvas.Pen()->SetColor(parent);
        outline(0, 0, W - 1, H - 1);
    } else if (d->FIsComCtl6) {
        canvas.Pen()->SetColor(d->FBorderColor);
        outline(0, 0, W - 1, H - 1);
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

// ---- Sizing lines -------------------------------------------------------------------------------

namespace {

// A dotted line drawn by inverting: drawing it again takes it away.
void XorLine(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    TPen saved;
    saved.Assign(canvas.Pen());
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetStyle(TPenStyle::psDot);
    canvas.Pen()->SetMode(TPenMode::pmXor);
    canvas.Pen()->SetWidth(1);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    canvas.SetPen(&saved);
}

} // namespace

void TZvStringGrid::DrawColumnSizingLine(int X)
{
    XorLine(*Canvas(), X, 0, X, std::max(Height(), CellRect(LeftCol(), RowCount() - 1).Bottom));
}

void TZvStringGrid::DrawRowSizingLine(int Y)
{
    XorLine(*Canvas(), 0, Y, std::max(Width(), CellRect(ColCount() - 1, TopRow()).Right), Y);
}

// ---- Focus frame --------------------------------------------------------------------------------

namespace {
TZvStringGrid* FocusFrameGrid = nullptr;
}

QImage TZvStringGrid::FocusFrameImage(const TRect& Cell)
{
    const int W = Cell.Width() + 9, H = Cell.Height() + 9;
    TBitmap mask;
    MakeShadowBitmap(&mask, W, H, 4, 5, 3.0);
    TBitmap colour;
    colour.SetPixelFormat(TPixelFormat::pf24bit);
    colour.SetSize(W, H);
    colour.Canvas()->Brush()->SetColor(0xFDD397);
    colour.Canvas()->FillRect(Rect(0, 0, W, H));
    colour.Canvas()->FreeHandle();
    TGridAlphaMask merged;
    merged.MergeMask(&mask, &colour, 0xFDD397);
    QImage image = merged.Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Only the ring shows: the cell itself stays clear.
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(QRect(4, 4, Cell.Width(), Cell.Height()), Qt::transparent);
    return image;
}

void TZvStringGrid::ShowFocusFrame(TRect Rect)
{
    if (!d->FFocusFrameWindow) return;
    const QImage image = FocusFrameImage(Rect);
    d->FFocusFrameWindow->SetVisible(false);
    const TPoint origin = ClientToScreen(Point(Rect.Left - 4, Rect.Top - 4));
    d->FFocusFrameWindow->SetBounds(origin.X, origin.Y, image.width(), image.height());
    CallUpdateLayeredWindow(d->FFocusFrameWindow, image, 230);
    if (QWidget* w = d->FFocusFrameWindow->Handle()) {
        QRegion ring(0, 0, image.width(), image.height());
        ring -= QRegion(4, 4, Rect.Width(), Rect.Height());
        w->setMask(ring);
    }
    FocusFrameGrid = this;
    d->FFocusFrameWindow->SetVisible(true);
}

void TZvStringGrid::MoveFocusFrame()
{
    if (!d->FFocusFrameWindow || FocusFrameGrid != this) return;
    const TRect r = CellRect(Col(), Row());
    const TPoint origin = ClientToScreen(Point(r.Left - 4, r.Top - 4));
    d->FFocusFrameWindow->SetBounds(origin.X, origin.Y, r.Width() + 9, r.Height() + 9);
}

void TZvStringGrid::HideFocusFrame()
{
    if (FocusFrameGrid == this) FocusFrameGrid = nullptr;
    if (d->FFocusFrameWindow) d->FFocusFrameWindow->SetVisible(false);
}
