// Cell graphics: finding, sizing and placing the graphic a cell carries, and painting it.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSort.h"

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/ImgList.h"
#include "platform/Pictures.h"
#include "platform/Themes.h"

#include <algorithm>
#include <cmath>

namespace {

// Check boxes and radio buttons are square glyphs of the control look's size,
// whether they are laid out on screen or on paper.
TPoint ControlGlyphSize(TCellType Kind, const TControlLook& Look)
{
    const int side = Kind == TCellType::ctRadioButton ? Look.RadioSize() : Look.CheckSize();
    return {side, side};
}

// The value a progress, rating, range or data-image cell paints. Painting
// never raises: a text that holds no number (or no finite one) paints as 0,
// and a value beyond the int range is held at its end.
double PaintedFloat(TZvStringGrid& Grid, int RCol, int ARow)
{
    try {
        const double v = Grid.GetFloats(RCol, ARow);
        return std::isfinite(v) ? v : 0.0;
    } catch (const EZvGridError&) {
        return 0.0;
    }
}

int PaintedInt(TZvStringGrid& Grid, int RCol, int ARow)
{
    const double v = std::trunc(PaintedFloat(Grid, RCol, ARow));
    return int(std::clamp(v, -2147483647.0, 2147483647.0));
}

bool BesideText(TCellHAlign h) { return h == TCellHAlign::haBeforeText || h == TCellHAlign::haAfterText; }
bool OverText(TCellVAlign v) { return v == TCellVAlign::vaUnderText || v == TCellVAlign::vaAboveText; }

bool IsCheckKind(TCellType t)
{
    return t == TCellType::ctCheckBox || t == TCellType::ctDataCheckBox || t == TCellType::ctVirtCheckBox ||
           t == TCellType::ctRowCheckBox || t == TCellType::ctTriStateCheckBox;
}

// Check boxes that stand for the cell text, so they never share the cell with it.
bool IsTextlessCheck(TCellType t)
{
    return t == TCellType::ctDataCheckBox || t == TCellType::ctVirtCheckBox || t == TCellType::ctRowCheckBox;
}

TSize GraphicSize(TObject* o)
{
    if (auto* g = dynamic_cast<TGraphic*>(o)) return {g->Width(), g->Height()};
    if (auto* p = dynamic_cast<TPicture*>(o)) return {p->Width(), p->Height()};
    if (auto* f = dynamic_cast<TFilePicture*>(o)) return {f->Width(), f->Height()};
    return {};
}

// A radio group's room: captions side by side, or stacked one line each
// (on screen at least 16 pixels a line, the height of its circle).
TPoint RadioGroupExtent(TCanvas& canvas, const TCellGraphic* g, bool screen)
{
    const TStringList* opts = dynamic_cast<TStringList*>(g->CellBitmap());
    const int gh = canvas.TextHeight("gh");
    const int n = opts ? opts->Count() : 0;
    TPoint size{};
    if (g->CellBoolean()) {
        for (int i = 0; i < n; ++i) size.X += canvas.TextWidth(opts->Strings(i)) + 12;
        size.Y = gh;
    } else {
        int widest = 0;
        for (int i = 0; i < n; ++i) widest = std::max(widest, canvas.TextWidth(opts->Strings(i)));
        size = {12 + widest, (screen ? std::max(16, gh) : gh) * n};
    }
    return size;
}

// The size the painter gives the cell's graphic.
TPoint LayoutSize(TZvStringGrid& grid, int ACol, int ARow)
{
    int w = 0, h = 0;
    TCellHAlign ha;
    TCellVAlign va;
    bool drawText;
    TCellGraphic* graphic;
    grid.CellGraphicLayout(ACol, ARow, graphic, w, h, ha, va, drawText);
    return {w, h};
}

} // namespace

// ---- Finding the graphic ----------------------------------------------------------------

TCellGraphic* TZvStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (d->FMouseActions->HotmailRowSelect() && ACol == 0 && d->FSharedCellGraphic) {
        TCellGraphic& g = *d->FSharedCellGraphic;
        g.SetCellType(TCellType::ctRowCheckBox);
        g.SetCellTransparent(d->FControlLook->ControlStyle() == TGridControlStyle::csFlat);
        g.SetCellAngle(0);
        if (ARow == 0) {
            const int normal = RowCount() - FixedRows() - d->FFixedFooters;
            const int selected = GetRowSelectCount();
            g.SetCellBoolean(normal > 0 && selected >= normal);
            g.SetCellAngle(selected > 0 && selected < normal ? 1 : 0);
        } else {
            g.SetCellBoolean(GetRowSelect(ARow));
        }
        return &g;
    }
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

TCellType TZvStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return TCellType::ctEmpty;
    if (d->FMouseActions->HotmailRowSelect() && ACol == 0) return TCellType::ctRowCheckBox;
    const TCellGraphic* graphic = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    return graphic ? graphic->CellType() : TCellType::ctEmpty;
}

TIntList* TZvStringGrid::GetCellImages(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != TCellType::ctImages) return nullptr;
    return dynamic_cast<TIntList*>(g->CellBitmap());
}

int TZvStringGrid::CellImageKey(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return -1;
    switch (g->CellType()) {
    case TCellType::ctBitmap: return int(reinterpret_cast<std::uintptr_t>(g->CellBitmap()));
    case TCellType::ctIcon: return int(reinterpret_cast<std::uintptr_t>(g->CellIcon()));
    case TCellType::ctImageList: return g->CellIndex();
    default: return -1;
    }
}

TCustomImageList* TZvStringGrid::CellImageList() { return d->FGridImages; }

void TZvStringGrid::SetGridImages(TCustomImageList* Value)
{
    if (d->FGridImages == Value) return;
    if (d->FGridImages) d->FGridImages->RemoveFreeNotification(this);
    d->FGridImages = Value;
    if (d->FGridImages) d->FGridImages->FreeNotification(this);
}

void TZvStringGrid::AttachNewCellGraphic(int ACol, int ARow)
{
    if (TCellGraphic* old = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
        SetGraphicObjectEx(ACol, ARow, nullptr);
        FreeCellGraphic(old);
    }
    // The store keeps an object only beside a cell that exists: an empty cell
    // briefly holds a space.
    const bool empty = GetGridCell(ACol, ARow).isEmpty();
    if (empty) SetGridCell(ACol, ARow, " ");
    SetGraphicObjectEx(ACol, ARow, new TCellGraphic());
    if (empty) SetGridCell(ACol, ARow, String());
    if (d->FNumHidden > 0) RepaintCell(RealToDisplayCol(ACol), ARow);
}

bool TZvStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    if (!g) return false;
    SetGraphicObjectEx(ACol, ARow, nullptr);
    FreeCellGraphic(g);
    if (!d->FDestroying) RepaintCell(RealToDisplayCol(ACol), ARow);
    return true;
}

bool TZvStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind)
{
    return GetCellType(ACol, ARow) == Kind && RemoveCellGraphic(ACol, ARow);
}

// ---- Sizes ---------------------------------------------------------------------------------

TPoint TZvStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    TPoint size{};
    CellGraphicExtent(ACol, ARow, size, 0);
    return size;
}

void TZvStringGrid::CellGraphicLayout(int RCol, int ARow, TCellGraphic*& Graphic, int& Width, int& Height,
                                      TCellHAlign& HAlign, TCellVAlign& VAlign, bool& DrawText)
{
    Graphic = GetCellGraphic(RCol, ARow);
    Width = Height = 0;
    HAlign = TCellHAlign::haLeft;
    VAlign = TCellVAlign::vaTop;
    DrawText = true;
    if (!Graphic) return;
    HAlign = Graphic->CellHAlign();
    VAlign = Graphic->CellVAlign();
    const int check = d->FControlLook->CheckSize();
    switch (Graphic->CellType()) {
    case TCellType::ctBitmap:
    case TCellType::ctIcon: {
        const TSize s = GraphicSize(Graphic->CellType() == TCellType::ctBitmap ? Graphic->CellBitmap()
                                                                               : Graphic->CellIcon());
        Width = s.cx;
        Height = s.cy;
        break;
    }
    case TCellType::ctImageList:
    case TCellType::ctDataImage:
        if (TCustomImageList* list = CellImageList()) {
            Width = list->Width();
            Height = list->Height();
        }
        DrawText = Graphic->CellType() == TCellType::ctImageList;
        break;
    case TCellType::ctCheckBox:
    case TCellType::ctTriStateCheckBox: Width = Height = check; break;
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
    case TCellType::ctRowCheckBox:
        Width = Height = check;
        DrawText = false;
        break;
    case TCellType::ctRadioButton: Width = Height = d->FControlLook->RadioSize() + 4; break;
    case TCellType::ctRadio:
    case TCellType::ctRotated:
    case TCellType::ctProgress:
    case TCellType::ctXPProgress:
    case TCellType::ctRangeIndicator: DrawText = false; break;
    case TCellType::ctImages:
        if (TCustomImageList* list = CellImageList()) {
            const TIntList* idx = dynamic_cast<TIntList*>(Graphic->CellBitmap());
            const int n = idx ? idx->Count() : 0;
            if (Graphic->CellBoolean()) {
                Width = n * list->Width();
                Height = list->Height();
            } else {
                Width = list->Width();
                Height = n * list->Height();
            }
        }
        break;
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
        TSize s{};
        const TPoint cs = CellSize(RealToDisplayCol(RCol), ARow);
        Graphic->GetPictureSize(cs.X, cs.Y, true, s);
        Width = s.cx;
        Height = s.cy;
        break;
    }
    case TCellType::ctButton:
    case TCellType::ctBitButton:
        Width = Graphic->CellIndex() & 0xFFFF;
        Height = (Graphic->CellIndex() >> 16) & 0xFFFF;
        break;
    case TCellType::ctProgressPie: Width = Height = 20; break;
    case TCellType::ctShape: Width = Height = RowHeights(ARow) - 2 * d->FXYOffset.Y; break;
    case TCellType::ctRating:
        Width = Graphic->CellAngle() * 18;
        Height = 16;
        DrawText = false;
        break;
    default: break;
    }
}

void TZvStringGrid::CellGraphicExtent(int ACol, int ARow, TPoint& Size, int HeightReserve)
{
    Size = {};
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const bool beside = BesideText(g->CellHAlign());
    const bool over = OverText(g->CellVAlign());
    const bool noText = GetCellEx(ACol, ARow).isEmpty();
    bool measuredCaption = false;
    TCanvas& canvas = *Canvas();
    switch (g->CellType()) {
    case TCellType::ctBitmap:
    case TCellType::ctImageList:
    case TCellType::ctDataImage: {
        TSize s{};
        if (g->CellType() == TCellType::ctBitmap)
            s = GraphicSize(g->CellBitmap());
        else if (TCustomImageList* list = CellImageList())
            s = {list->Width(), list->Height()};
        if (beside || noText) Size.X = s.cx;
        if (over || noText) Size.Y = s.cy;
        break;
    }
    case TCellType::ctIcon: {
        const TSize s = GraphicSize(g->CellIcon());
        if (beside || noText) Size.X = s.cx;
        Size.Y = s.cy;
        break;
    }
    case TCellType::ctCheckBox:
    case TCellType::ctTriStateCheckBox:
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
    case TCellType::ctRowCheckBox:
    case TCellType::ctRadioButton: Size = ControlGlyphSize(g->CellType(), *d->FControlLook); break;
    case TCellType::ctRadio:
        Size = RadioGroupExtent(canvas, g, true);
        measuredCaption = true;
        break;
    case TCellType::ctImages: Size = LayoutSize(*this, ACol, ARow); break;
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
        TSize s{};
        const TPoint cs = CellSize(RealToDisplayCol(ACol), ARow);
        g->GetPictureSize(cs.X - TotalXOffset() - 1, cs.Y - TotalYOffset() - HeightReserve - 1, !noText, s);
        Size = {s.cx, s.cy};
        break;
    }
    case TCellType::ctButton:
    case TCellType::ctBitButton: {
        Size = {g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF};
        if (!noText) {
            if (g->CellHAlign() == TCellHAlign::haCenter) Size.X = 0;
            if (g->CellHAlign() == TCellHAlign::haFull) {
                Size.X = canvas.TextWidth(g->CellText()) + 4;
                measuredCaption = true;
            }
            if (!over) Size.Y = 0;
            if (over) Size.X = 0;
        } else if (g->CellHAlign() == TCellHAlign::haFull) {
            canvas.SetFont(Font());
            Size.X = canvas.TextWidth(g->CellText()) + 4;
            measuredCaption = true;
        }
        break;
    }
    case TCellType::ctProgressPie: Size = {20, 20}; break;
    case TCellType::ctRating: Size = {g->CellAngle() * 18, 16}; break;
    default: break;
    }
    const TPoint cs = CellSize(RealToDisplayCol(ACol), ARow);
    if (g->CellVAlign() == TCellVAlign::vaFull) Size.Y = cs.Y;
    if (g->CellHAlign() == TCellHAlign::haFull && !measuredCaption) Size.X = cs.X;
}

void TZvStringGrid::PrintCellGraphicExtent(int ACol, int ARow, double Scale, int AreaHeight, int AreaWidth,
                                           TPoint& Size)
{
    Size = {};
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const bool beside = BesideText(g->CellHAlign());
    const bool noText = GetCellEx(ACol, ARow).isEmpty();
    switch (g->CellType()) {
    case TCellType::ctBitmap: {
        const TSize s = GraphicSize(g->CellBitmap());
        Size = {s.cx, s.cy};
        break;
    }
    case TCellType::ctIcon: {
        const TSize s = GraphicSize(g->CellIcon());
        Size = {s.cx, s.cy};
        break;
    }
    case TCellType::ctImageList:
        if (TCustomImageList* list = CellImageList()) {
            if (beside || noText) Size.X = list->Width();
            Size.Y = list->Height();
        }
        break;
    case TCellType::ctDataImage:
        if (TCustomImageList* list = CellImageList()) Size = {list->Width(), list->Height()};
        break;
    case TCellType::ctCheckBox:
    case TCellType::ctTriStateCheckBox:
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
    case TCellType::ctRowCheckBox:
    case TCellType::ctRadioButton: Size = ControlGlyphSize(g->CellType(), *d->FControlLook); break;
    case TCellType::ctRadio: Size = RadioGroupExtent(*Canvas(), g, false); break;
    case TCellType::ctImages: Size = LayoutSize(*this, ACol, ARow); break;
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
        TSize s{};
        g->GetPictureSize(AreaWidth, AreaHeight, !noText, s);
        const double scale = Scale > 0 ? Scale : 1;
        Size = {int(std::lround(s.cx / scale)), int(std::lround(s.cy / scale))};
        break;
    }
    case TCellType::ctButton:
    case TCellType::ctBitButton: Size = {g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF}; break;
    case TCellType::ctProgressPie:
    case TCellType::ctNode: Size = {20, 20}; break;
    case TCellType::ctProgress:
    case TCellType::ctXPProgress: {
        const int dc = RealToDisplayCol(ACol);
        Size = {dc < ColCount() ? ColWidths(dc) : 0, RowHeights(ARow)};
        break;
    }
    case TCellType::ctShape: Size.X = Size.Y = RowHeights(ARow) - 2 * d->FXYOffset.Y; break;
    default: break;
    }
}

int TZvStringGrid::RowIndent(int ARow)
{
    if (d->FNumNodes == 0 || ARow < 0) return 0;
    auto* props = dynamic_cast<TCellProperties*>(GetGridObject(0, ARow));
    return props ? props->NodeLevel() * d->FCellNode->NodeIndent() : 0;
}

bool TZvStringGrid::HasNodes() { return d->FNumNodes > 0; }

void TZvStringGrid::FireGetDisplText(int ACol, int ARow, String& Value)
{
    TBaseGrid::FireGetDisplText(ACol, ARow, Value);
    if (d->FURLShowInText) {
        static const char* const schemes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
        for (const char* scheme : schemes) {
            String linked;
            if (AutoLinkURL(Value, scheme, linked)) {
                Value = linked;
                break;
            }
        }
    }
    if (d->FGrouping->ShowGroupCount() && ACol == 1 && IsNode(ARow)) {
        const int count = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
        const String format = d->FGrouping->GroupCountFormat();
        Value += format.isEmpty() ? " (" + QString::number(count) + ")" : Format(format, {count});
    }
}

void TZvStringGrid::RepaintActiveCellHeaders(int Col1, int Row1, int Col2, int Row2)
{
    for (const TPoint& c : {TPoint{Col1, Row1}, TPoint{Col2, Row2}}) {
        if (FixedRows() > 0) RepaintCell(c.X, FixedRows() - 1);
        if (FixedCols() > 0) RepaintCell(FixedCols() - 1, c.Y);
    }
}

// ---- Painting the graphic --------------------------------------------------------------------

void TZvStringGrid::PaintCellGraphic(TCanvas* ACanvas, int RCol, int ARow, TRect ARect, int TextWidth)
{
    TCanvas& canvas = *ACanvas;
    TCellGraphic* g = GetCellGraphic(RCol, ARow);
    if (!g) return;
    const TCellType kind = g->CellType();
    const int t = TextWidth > 0 ? TextWidth + 2 : 0;

    TRect R;
    int left = 0, top = 0, w = 0, h = 0;
    PlaceCellGraphic(RCol, ARow, kind, t, ARect, R, left, top, w, h);

    bool editable = true;
    auto queryEditable = [&] {
        editable = true;
        QueryCellEditable(RCol, ARow, editable);
        return editable;
    };
    const bool selectedLook = d->FCellPaint.Canvas && d->FCellPaint.AState.Contains(gdSelected);

    switch (kind) {
    case TCellType::ctBitmap:
        if (auto* bmp = dynamic_cast<TBitmap*>(g->CellBitmap())) {
            if (g->CellTransparent())
                DrawBitmapTransparent(canvas, *bmp, clNone, Bounds(left, top, bmp->Width(), bmp->Height()));
            else
                canvas.Draw(left, top, bmp);
        }
        break;
    case TCellType::ctIcon:
        if (auto* icon = dynamic_cast<TIcon*>(g->CellIcon())) canvas.Draw(left, top, icon);
        break;
    case TCellType::ctImageList:
        if (TCustomImageList* list = CellImageList()) list->Draw(canvas, left, top, g->CellIndex());
        break;
    case TCellType::ctDataImage:
        if (TCustomImageList* list = CellImageList()) {
            const int idx = PaintedInt(*this, RCol, ARow) + g->CellIndex();
            if (idx >= 0 && idx < list->Count()) list->Draw(canvas, left, top, idx);
        }
        break;
    case TCellType::ctImages:
        if (TCustomImageList* list = CellImageList())
            if (auto* idx = dynamic_cast<TIntList*>(g->CellBitmap()))
                for (int i = 0; i < idx->Count(); ++i) {
                    list->Draw(canvas, left, top, idx->Items(i));
                    if (g->CellBoolean())
                        left += list->Width();
                    else
                        top += list->Height();
                }
        break;
    case TCellType::ctCheckBox:
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
    case TCellType::ctRowCheckBox:
    case TCellType::ctTriStateCheckBox: PaintCellCheckGraphic(g, RCol, ARow, R, top, w, h, t); break;
    case TCellType::ctRadioButton: {
        queryEditable();
        const TRect r = Bounds(left + d->FXYOffset.X, top, d->FControlLook->RadioSize(), d->FControlLook->RadioSize());
        DrawRadioGroup(&canvas, r, false, 1.0, d->FControlLook->ControlStyle(), ARow, RCol, false, nullptr, !editable,
                       false, g->CellBoolean() ? 0 : -2, 1);
        break;
    }
    case TCellType::ctRadio: {
        queryEditable();
        auto* opts = dynamic_cast<TStringList*>(g->CellBitmap());
        DrawRadioGroup(&canvas, R, false, 1.0, d->FControlLook->ControlStyle(), ARow, RCol, selectedLook, opts,
                       !editable, g->CellBoolean(), g->CellIndex(), opts ? opts->Count() : 0);
        break;
    }
    case TCellType::ctRotated: PaintRotatedCellText(canvas, g, RCol, ARow, ARect); break;
    case TCellType::ctNode: PaintNodeGlyph(canvas, g, ARow, ARect); break;
    case TCellType::ctProgress: PaintCellProgress(canvas, g, RCol, ARow, ARect); break;
    case TCellType::ctXPProgress: PaintCellXPProgress(canvas, g, RCol, ARow, ARect); break;
    case TCellType::ctRangeIndicator: {
        const TControlLook& cl = *d->FControlLook;
        const TRect r = Rect(ARect.Left + cl.ProgressMarginX(), ARect.Top + cl.ProgressMarginY(),
                             ARect.Right - cl.ProgressMarginX(), ARect.Bottom - cl.ProgressMarginY());
        // The graphic keeps the negative colour in its bitmap slot and the positive one in its icon slot.
        DrawCenteredValueBar(canvas, r, PaintedInt(*this, RCol, ARow), g->CellIndex(), g->CellBoolean(), g->CellBitmapColor(),
                             g->CellIconColor());
        break;
    }
    case TCellType::ctProgressPie:
        DrawProgressPie(canvas, Bounds(left, top, 20, 20), g->CellBitmapColor(), g->CellAngle(), false);
        break;
    case TCellType::ctComment:
        if (d->FControlLook->CommentColor() != clNone) {
            const TColor c = g->CellAngle() != int(clNone) ? TColor(g->CellIndex()) : d->FControlLook->CommentColor();
            canvas.Brush()->SetColor(c);
            canvas.Pen()->SetColor(c);
            canvas.Polygon({{ARect.Right - 7, ARect.Top}, {ARect.Right - 2, ARect.Top}, {ARect.Right - 2, ARect.Top + 5}});
            canvas.Brush()->SetColor(Color());
        }
        break;
    case TCellType::ctButton:
    case TCellType::ctBitButton:
    case TCellType::ctExpand: PaintCellButton(canvas, g, RCol, ARow, ARect, left, top, w, h); break;
    case TCellType::ctPicture:
        if (auto* pic = dynamic_cast<TPicture*>(g->CellBitmap()); pic && pic->Graphic()) {
            const TRect r = Bounds(left, top, w, h);
            if (g->CellAngle() != 0)
                canvas.StretchDraw(r, pic->Graphic());
            else
                canvas.Draw(r.Left, r.Top, pic->Graphic());
        }
        break;
    case TCellType::ctFilePicture:
        if (auto* fp = dynamic_cast<TFilePicture*>(g->CellBitmap())) fp->DrawPicture(&canvas, Bounds(left, top, w, h));
        break;
    case TCellType::ctShape:
        DrawCellShape(canvas, left, top, w - 1, h - 1, TCellShape(g->CellAngle()), g->CellBitmapColor(),
                      TColor(g->CellIndex()));
        break;
    case TCellType::ctRating: PaintCellRating(canvas, g, RCol, ARow, left, top); break;
    default:
        // The remaining kinds (values, summaries, scroll bars, balloons) show nothing in the cell.
        break;
    }
}

// The graphic's rectangle (inside the cell's margins, except for the kinds that fill the cell), and
// its place there by its alignments, next to the text where it goes before or after it.
void TZvStringGrid::PlaceCellGraphic(int RCol, int ARow, TCellType kind, int t, const TRect& ARect, TRect& R,
                                     int& left, int& top, int& w, int& h)
{
    const TAlignment textAlign = d->FCellPaint.Canvas ? d->FCellPaint.HAlign : d->FDefaultAlignment;
    const TVAlignment textVAlign = d->FCellPaint.Canvas ? d->FCellPaint.VAlign : d->FVAlignment;
    TCellHAlign ha;
    TCellVAlign va;
    bool drawText = true;
    TCellGraphic* lg = nullptr;
    CellGraphicLayout(RCol, ARow, lg, w, h, ha, va, drawText);

    R = ARect;
    if (kind != TCellType::ctNode && kind != TCellType::ctProgress && kind != TCellType::ctRangeIndicator &&
        kind != TCellType::ctXPProgress)
        R = Rect(R.Left + d->FXYOffset.X - 1, R.Top + d->FXYOffset.Y - 1, R.Right - d->FXYOffset.X + 1,
                 R.Bottom - d->FXYOffset.Y + 1);

    left = R.Left + 1;
    switch (ha) {
    case TCellHAlign::haLeft: left = R.Left + 1; break;
    case TCellHAlign::haRight: left = R.Right - 1 - w; break;
    case TCellHAlign::haCenter: left = w < R.Width() ? R.Left + (R.Width() - w) / 2 : R.Left + 1; break;
    case TCellHAlign::haFull: left = R.Left; w = R.Width(); break;
    case TCellHAlign::haBeforeText:
        if (textAlign == TAlignment::taRightJustify) left = R.Right - t - w;
        else if (textAlign == TAlignment::taCenter) left = R.Left + (R.Width() - t - w) / 2;
        else left = R.Left + 1;
        if (left < R.Left) left = R.Left + 1;
        break;
    case TCellHAlign::haAfterText:
        if (textAlign == TAlignment::taRightJustify) left = R.Right - 1 - w;
        else if (textAlign == TAlignment::taCenter) left = std::max(R.Left, R.Left + t + (R.Width() - t - w) / 2);
        else left = R.Left + t;
        break;
    }
    if (IsCheckKind(kind) || kind == TCellType::ctRadioButton) {
        if (textVAlign != d->FVAlignment)
            va = textVAlign == TVAlignment::vtaTop ? TCellVAlign::vaTop
                 : textVAlign == TVAlignment::vtaCenter ? TCellVAlign::vaCenter
                                                        : TCellVAlign::vaBottom;
    }
    top = R.Top + 1;
    switch (va) {
    case TCellVAlign::vaTop:
    case TCellVAlign::vaAboveText: top = R.Top + 1; break;
    case TCellVAlign::vaBottom: top = R.Bottom - 1 - h; break;
    case TCellVAlign::vaCenter: top = h < R.Height() ? R.Top + (R.Height() - h) / 2 : R.Top + 1; break;
    case TCellVAlign::vaUnderText: top = R.Bottom - h; break;
    case TCellVAlign::vaFull: top = R.Top; h = R.Height(); break;
    }
}

// A check box placed by the text's alignment: beside the text, or centred when it has none.
void TZvStringGrid::PaintCellCheckGraphic(TCellGraphic* g, int RCol, int ARow, const TRect& R, int top, int w,
                                          int h, int t)
{
    const TCellType kind = g->CellType();
    const TAlignment textAlign = d->FCellPaint.Canvas ? d->FCellPaint.HAlign : d->FDefaultAlignment;
    const bool textless = IsTextlessCheck(kind);
    const bool hasText = t > 0;
    int x = R.Left + 1;
    if (textAlign == TAlignment::taRightJustify)
        x = R.Right - (textless ? 0 : t) - 1 - w;
    else if (textAlign == TAlignment::taCenter)
        x = textless || !hasText ? R.Left + (R.Width() - w) / 2 : R.Left + (R.Right - t - R.Left) / 2 - w;
    if (x < R.Left) x = R.Left;
    const TRect box = Bounds(x, top, w, h);
    bool editable = true;
    QueryCellEditable(RCol, ARow, editable);
    const TGridControlStyle style = d->FControlLook->ControlStyle();
    if (kind == TCellType::ctTriStateCheckBox) {
        DrawCheckBox(box, false, g->CellCheckBoxState(), true, style, false, editable);
    } else if (kind == TCellType::ctDataCheckBox || kind == TCellType::ctVirtCheckBox) {
        String checkTrue;
        QueryCheckTrue(RCol, ARow, checkTrue);
        DrawCheckBox(box, GetCellEx(RCol, ARow) == checkTrue, TCheckBoxState::cbUnchecked, false, style, false,
                     editable);
    } else {
        DrawCheckBox(box, g->CellBoolean(), TCheckBoxState::cbUnchecked, false, style, g->CellAngle() > 0, editable);
    }
}

// Text turned by the graphic's angle, clipped to the cell, with the sort glyph of a sorted header.
void TZvStringGrid::PaintRotatedCellText(TCanvas& canvas, TCellGraphic* g, int RCol, int ARow, const TRect& ARect)
{
    const TAlignment textAlign = d->FCellPaint.Canvas ? d->FCellPaint.HAlign : d->FDefaultAlignment;
    const String text = GetFormattedCell(RCol, ARow);
    TRect r = ARect;
    const TVAlignment va = d->FCellPaint.Canvas ? d->FCellPaint.VAlign : d->FVAlignment;
    RotatedTextRect(r, g->CellAngle(), text, textAlign, va);
    TFont saved;
    saved.Assign(canvas.Font());
    canvas.Font()->SetOrientation(g->CellAngle() * 10);
    const TRect clip = Rect(ARect.Left + 2, ARect.Top + 2, ARect.Right - 2, ARect.Bottom - 2);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    {
        const TClipWithin within(canvas, clip);
        canvas.TextOut(r.Left, r.Top, text);
    }
    canvas.SetFont(&saved);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    if (IsSortIndicatorCell(RealToDisplayCol(RCol), ARow) &&
        (RCol == SortSettings()->Column() || (SortIndexes() && SortIndexes()->FindIndex(RCol) >= 0)) &&
        FixedRows() > 0 && (RCol >= FixedCols() || SortSettings()->FixedCols()))
        DrawSortGlyph(&canvas, RCol, ARect.Top + 8, ARect.Right - 10);
}

// A progress bar: the theme's where the look asks for it, else the grid's own with its texts.
void TZvStringGrid::PaintCellProgress(TCanvas& canvas, TCellGraphic* g, int RCol, int ARow, const TRect& ARect)
{
    const TRect r = Rect(ARect.Left + 2, ARect.Top + 2, ARect.Right - 2, ARect.Bottom - 2);
    const TControlLook& cl = *d->FControlLook;
    const double value = PaintedFloat(*this, RCol, ARow);
    const bool xpStyle = (cl.ControlStyle() == TGridControlStyle::csWinXP ||
                          cl.ControlStyle() == TGridControlStyle::csTheme) &&
                         ThemedControls() && cl.ProgressXP();
    if (xpStyle) {
        const TRect bar = Rect(ARect.Left + cl.ProgressMarginX(), ARect.Top + cl.ProgressMarginY(),
                               ARect.Right - cl.ProgressMarginX(), ARect.Bottom - cl.ProgressMarginY());
        HTHEME theme = OpenThemeData(this, "Progress");
        DrawThemeBackground(theme, canvas, PP_BAR, 1, bar);
        const TRect inner = Rect(bar.Left + 2, bar.Top + 2, bar.Right - 2, bar.Bottom - 2);
        const int pct = int(std::clamp(value, 0.0, 100.0));
        DrawThemeBackground(theme, canvas, PP_CHUNK, 1,
                            Rect(inner.Left, inner.Top, inner.Left + inner.Width() * pct / 100, inner.Bottom));
        CloseThemeData(theme);
    } else {
        const TColor fill = g->CellBitmapColor(), rest = g->CellIconColor();
        // The bar's own text colour is kept in CellIndex, the background's in CellAngle.
        const TColor fillText = g->CellBoolean() ? TColor(g->CellIndex()) : (ColorToRGB(fill) ^ 0xFFFFFF);
        const TColor restText = g->CellBoolean() ? TColor(g->CellAngle()) : (ColorToRGB(rest) ^ 0xFFFFFF);
        DrawProgressBar(canvas, r, fill, fillText, rest, restText, value, cl.ProgressMarginX(),
                        cl.ProgressMarginY(), g->CellErrFrom(), g->CellErrLen(), g->CellText(),
                        cl.ProgressBorderColor(), false);
    }
}

// The styled progress bar of the progress appearance, over the graphic's value range.
void TZvStringGrid::PaintCellXPProgress(TCanvas& canvas, TCellGraphic* g, int RCol, int ARow, const TRect& ARect)
{
    const TControlLook& cl = *d->FControlLook;
    const TGridProgressAppearance& pa = *d->FProgressAppearance;
    TRect r = Rect(ARect.Left + cl.ProgressMarginX(), ARect.Top + cl.ProgressMarginY(),
                   ARect.Right - cl.ProgressMarginX() - 1, ARect.Bottom - cl.ProgressMarginY() - 1);
    TProgressStyleRecord s;
    s.Level0Color = pa.Level0Color();
    s.Level0ColorTo = pa.Level0ColorTo();
    s.Level1Color = pa.Level1Color();
    s.Level1ColorTo = pa.Level1ColorTo();
    s.Level2Color = pa.Level2Color();
    s.Level2ColorTo = pa.Level2ColorTo();
    s.Level3Color = pa.Level3Color();
    s.Level3ColorTo = pa.Level3ColorTo();
    s.Level1Perc = pa.Level1Perc();
    s.Level2Perc = pa.Level2Perc();
    s.BorderColor = pa.BorderColor();
    s.ShowBorder = pa.ShowBorder();
    s.Stacked = pa.Stacked();
    s.ShowPercentage = pa.ShowPercentage();
    s.Font = Font();
    s.CompleteFontColor = pa.CompleteFontColor();
    s.CompletionSmooth = pa.CompletionSmooth();
    s.ShowGradient = pa.ShowGradient();
    s.Steps = pa.Steps();
    s.BackgroundColor = pa.UnCompleteColor() != clNone ? pa.UnCompleteColor() : canvas.Brush()->Color();
    const int extent = g->CellErrLen() - g->CellErrFrom();
    // An empty range shows an empty bar rather than dividing by zero.
    // A value beyond the range fills the bar, never more.
    const int pct = extent == 0 ? 0
                                : int(std::lround(std::clamp(
                                      std::fabs(PaintedFloat(*this, RCol, ARow) - g->CellErrFrom()) / extent * 100, 0.0, 100.0)));
    DrawStyledProgressBar(canvas, r, pct, s);
}

// Stars up to the graphic's count, filled to the value by halves.
void TZvStringGrid::PaintCellRating(TCanvas& canvas, TCellGraphic* g, int RCol, int ARow, int left, int top)
{
    const double v = std::round(PaintedFloat(*this, RCol, ARow) * 2) / 2;
    int x = left;
    for (int i = 1; i <= g->CellAngle(); ++i, x += 18) {
        DrawCellShape(canvas, x, top, 16, 16, TCellShape::csStar,
                      i <= v ? TColor(g->CellIndex()) : g->CellBitmapColor(), clNone);
        if (i - 1 < v && v < i)
            DrawCellShape(canvas, x, top, 16, 16, TCellShape::csHalfStar, TColor(g->CellIndex()), clNone);
    }
}

void TZvStringGrid::PaintNodeGlyph(TCanvas& canvas, TCellGraphic* g, int ARow, const TRect& ARect)
{
    const TCellNode& node = *d->FCellNode;
    const int indent = node.NodeIndent();
    const int glyphLeft = RowIndent(ARow) - indent / 2 - 4 + ARect.Left;
    const bool contracted = g->CellBoolean();
    if (node.ShowTree() && ARow >= FixedRows()) {
        int x = ARect.Left + RowIndent(ARow) - indent + indent / 2 + 2;
        if (FixedCols() > 0 && !d->FFlat &&
            (d->FLook == TGridLook::glSoft || d->FLook == TGridLook::glVUD || d->FLook == TGridLook::glXP ||
             d->FLook == TGridLook::glListView))
            x += 1;
        const int mid = ARect.Top + ARect.Height() / 2;
        canvas.Pen()->SetColor(node.TreeColor());
        const int next = ARow + 1 < RowCount() ? RowIndent(ARow + 1) : -1;
        if (next > RowIndent(ARow) && !(contracted && next < RowIndent(ARow))) {
            canvas.MoveTo(x, mid);
            canvas.LineTo(x, ARect.Bottom);
        }
        if (ARow > 0 && RowIndent(ARow - 1) >= RowIndent(ARow)) {
            canvas.MoveTo(x, ARect.Top);
            canvas.LineTo(x, ARect.Top + 6);
        }
    }
    TColor back = canvas.Brush()->Color();
    if (back == clNone) back = FixedCols() == 0 ? Color() : FixedColor();
    if (d->FCellPaint.Canvas && d->FCellPaint.AState.Contains(gdSelected)) back = d->FSelectionColor;
    const int midTop = ARect.Top + ARect.Height() / 2;
    switch (node.NodeType()) {
    case TNodeType::cnLeaf:
        DrawResourceBitmap(canvas, back, Bounds(glyphLeft, midTop - 6, 16, 16), contracted ? "ASGLEAFCLOSE" : "ASGLEAFOPEN");
        return;
    case TNodeType::cnXP:
        DrawResourceBitmap(canvas, back, Bounds(glyphLeft + 4, midTop - 5, 9, 9), contracted ? "XPNODEC" : "XPNODEO");
        return;
    case TNodeType::cnGlyph:
        if (node.ExpandGlyph() && !node.ExpandGlyph()->Empty() && node.ContractGlyph() &&
            !node.ContractGlyph()->Empty()) {
            TBitmap* glyph = contracted ? node.ContractGlyph() : node.ExpandGlyph();
            DrawBitmapTransparent(canvas, *glyph, back,
                                  Bounds(glyphLeft, midTop - glyph->Height() / 2, glyph->Width(), glyph->Height()));
            return;
        }
        break;
    default: break;
    }
    const TRect box = Bounds(glyphLeft + 4, midTop - 4, 9, 9);
    if (node.NodeType() == TNodeType::cnFlat) {
        canvas.Brush()->SetColor(node.Color());
        canvas.Pen()->SetColor(node.NodeColor());
        canvas.Rectangle(box);
    } else {
        TRect r = box;
        canvas.Brush()->SetColor(node.Color());
        canvas.FillRect(r);
        Frame3D(canvas, r, contracted ? clWhite : TColor(0x808080), contracted ? TColor(0x808080) : clWhite, 1);
    }
    canvas.Pen()->SetColor(clBlack);
    const int cy = box.Top + 4;
    canvas.MoveTo(box.Left + 2, cy);
    canvas.LineTo(box.Right - 2, cy);
    if (contracted) {
        canvas.MoveTo(box.Left + 4, box.Top + 2);
        canvas.LineTo(box.Left + 4, box.Bottom - 2);
    }
}

void TZvStringGrid::PaintCellButton(TCanvas& canvas, TCellGraphic* g, int RCol, int ARow, const TRect& ARect, int left,
                                    int top, int w, int h)
{
    const TCellType kind = g->CellType();
    bool editable = true;
    QueryCellEditable(RCol, ARow, editable);
    const bool enabled = d->FControlLook->NoDisabledButtonLook() || editable || kind == TCellType::ctExpand;
    TButtonLook look = d->FControlLook->FlatButton() ? TButtonLook::blFlat
                       : ThemedControls()          ? TButtonLook::blTheme
                                                   : TButtonLook::blClassic;
    const bool toned = d->FFlat && d->FHasColorTones && d->FColorTones.Background.BrushColor != clNone;
    if (toned) look = TButtonLook::blColored;
    TButtonState state = g->CellBoolean()                                          ? TButtonState::bsDown
                         : d->FHoverButtonCell.X == RCol && d->FHoverButtonCell.Y == ARow ? TButtonState::bsHot
                                                                                    : TButtonState::bsNormal;
    if (!enabled) state = TButtonState::bsDisabled;
    TRect r = Bounds(left, top, w, h);
    if (kind == TCellType::ctExpand) r = Rect(ARect.Right - 14, ARect.Top + 1, ARect.Right - 1, ARect.Top + 14);
    g->SetCellValue(double(r.Top - ARect.Top) * 65536 + (r.Left - ARect.Left));
    DrawEllipsisButton(canvas, this, r, look, state, d->FColorTones);
    const int shift = state == TButtonState::bsDown ? 1 : 0;
    if (kind == TCellType::ctExpand) {
        canvas.Pen()->SetColor(clBlack);
        if (g->CellVar().toBool())
            canvas.Polyline({{r.Right - 10 + shift, r.Top + 8 + shift}, {r.Right - 7 + shift, r.Top + 5 + shift},
                             {r.Right - 3 + shift, r.Top + 9 + shift}});
        else
            canvas.Polyline({{r.Right - 10 + shift, r.Top + 5 + shift}, {r.Right - 7 + shift, r.Top + 8 + shift},
                             {r.Right - 3 + shift, r.Top + 4 + shift}});
        return;
    }
    int textLeft = r.Left + 1;
    if (auto* glyph = dynamic_cast<TBitmap*>(g->CellBitmap()); kind == TCellType::ctBitButton && glyph && !glyph->Empty()) {
        int gx, gy;
        if (!g->CellText().isEmpty() || glyph->Width() > r.Width()) {
            gx = r.Left + 3;
            gy = glyph->Height() > r.Height() ? r.Top + 3 : r.Top + (r.Height() - glyph->Height()) / 2;
            textLeft = gx + glyph->Width() + 4;
        } else {
            gx = r.Left + (r.Width() - glyph->Width()) / 2;
            gy = r.Top + (r.Height() - glyph->Height()) / 2;
        }
        DrawBitmapTransparent(canvas, *glyph, clNone,
                              Bounds(gx + shift, gy + shift, glyph->Width(), glyph->Height()));
    }
    if (g->CellText().isEmpty()) return;
    const TColor oldFont = canvas.Font()->Color();
    if (look == TButtonLook::blColored) {
        const TColorTones& tn = d->FColorTones;
        const TColor c = state == TButtonState::bsHot        ? tn.Hover.TextColor
                         : state == TButtonState::bsDown     ? tn.Selected.TextColor
                         : state == TButtonState::bsDisabled ? tn.Disabled.TextColor
                                                             : tn.Background.TextColor;
        if (c != clNone) canvas.Font()->SetColor(c);
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    TRect tr = Rect(textLeft + shift, r.Top + shift, r.Right + shift, r.Bottom + shift);
    const bool multiLine = g->CellText().contains('\n') || g->CellText().contains('\r');
    DrawTextEx(canvas, g->CellText(), tr,
               DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | (multiLine ? DT_WORDBREAK : DT_SINGLELINE));
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Font()->SetColor(oldFont);
}

// ---- Accessors ----------------------------------------------------------------------------------------------
TGridCoord TZvStringGrid::HoverButtonCell() const { return d->FHoverButtonCell; }
void TZvStringGrid::SetHoverButtonCell(TGridCoord Value) { d->FHoverButtonCell = Value; }
