// The slim scroll indicator: its thumb from the grid's scroll position, and paging and dragging.

#include "grid/services/panels/ZvScrollControl.h"

#include "grid/ZvGrid.h"

#include <algorithm>
#include <cmath>

namespace {
// The grid along one direction: vertical reads rows, horizontal columns.
struct TAxis {
    TZvStringGrid& G;
    bool Vertical;

    int Count() const { return Vertical ? G.RowCount() : G.ColCount(); }
    int Fixed() const { return Vertical ? G.FixedRows() : G.FixedCols(); }
    int First() const { return Vertical ? G.TopRow() : G.LeftCol(); }
    void SetFirst(int Value) const { Vertical ? G.SetTopRow(Value) : G.SetLeftCol(Value); }
    int Visible() const { return Vertical ? G.VisibleRowCount() : G.VisibleColCount(); }
    int Size(int Index) const { return Vertical ? G.RowHeights(Index) : G.ColWidths(Index); }
    int TrailingFixed() const { return Vertical ? G.FixedFooters() : G.FixedRightCols(); }
    int FixedSize() const
    {
        int total = 0;
        for (int i = 0; i < Fixed() && i < Count(); ++i) total += Size(i);
        return total;
    }
    int TrailingSize() const
    {
        int total = 0;
        for (int i = std::max(Fixed(), Count() - TrailingFixed()); i < Count(); ++i) total += Size(i);
        return total;
    }
};

int RoundHalfEven(double Value) { return int(std::nearbyint(Value)); }
}   // namespace

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) { SetColor(clSilver); }

TZvStringGrid* TScrollControl::Grid() const { return dynamic_cast<TZvStringGrid*>(Parent()); }

void TScrollControl::SetScrollWidth(int Value)
{
    if (StoreChanged(FScrollWidth, Value)) Invalidate();
}

bool TScrollControl::ThumbSpan(int& Start, int& Length) const
{
    TZvStringGrid* grid = Grid();
    if (!grid) return false;
    const TAxis axis{*grid, Direction == 0};
    const int count = axis.Count(), fixed = axis.Fixed();
    // Nothing to show, and nothing to divide by, while every normal line is in view.
    if (count <= fixed || axis.Visible() + fixed >= count) return false;
    const int extent = Direction == 0 ? Height() : Width();
    const int track = extent - axis.FixedSize() - axis.TrailingSize();
    if (track <= 0) return false;
    const double position = double(axis.First() - fixed) / double(count - fixed);
    const double size = double(axis.Visible()) / double(count);
    Length = std::max(20, RoundHalfEven(track * size));
    Start = axis.FixedSize() + RoundHalfEven(track * position);
    if (Start + Length > extent) Start = extent - Length;
    return true;
}

void TScrollControl::WMEraseBkgnd(TWMEraseBkgnd& Message)
{
    // The bar lies over the grid: what is around the thumb is the grid's colour, not the thumb's.
    if (Message.DC && Grid()) {
        auto* p = reinterpret_cast<QPainter*>(Message.DC);
        p->fillRect(ClientRect().ToQRect(), ToQColor(Grid()->Color()));
    }
    Message.Result = 1;
}

void TScrollControl::Paint()
{
    int start = 0, length = 0;
    if (!ThumbSpan(start, length)) return;
    TCanvas& c = *Canvas();
    c.Brush()->SetColor(Color());
    c.Pen()->SetColor(Color());
    c.FillRect(Direction == 0 ? TRect{0, start, FScrollWidth, start + length}
                              : TRect{start, 0, start + length, FScrollWidth});
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    TZvStringGrid* grid = Grid();
    int start = 0, length = 0;
    if (!grid || !ThumbSpan(start, length)) return;
    const TAxis axis{*grid, Direction == 0};
    const int at = Direction == 0 ? Y : X;
    if (at < start) {
        axis.SetFirst(std::max(axis.Fixed(), axis.First() - axis.Visible()));
    } else if (at >= start + length) {
        axis.SetFirst(std::min(axis.First() + axis.Visible(), axis.Count() - axis.Visible()));
    } else {
        FDragging = true;
        FPressPos = at;
        FPressFirst = axis.First();
    }
    Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    TZvStringGrid* grid = Grid();
    if (!FDragging || !grid) return;
    const TAxis axis{*grid, Direction == 0};
    const int span = (Direction == 0 ? Height() : Width()) - axis.Size(0);
    if (span <= 0) return;
    const int moved = (Direction == 0 ? Y : X) - FPressPos;
    const int lines = RoundHalfEven(double(moved) / double(span) * axis.Count());
    axis.SetFirst(std::max(axis.Fixed(), std::min(lines + FPressFirst, axis.Count() - axis.Visible())));
    Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDragging = false;
}
