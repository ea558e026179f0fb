// Cell text painting: selection colours, filter glyph, cell backgrounds, the
// selection rectangle and the text itself (markup, rich or plain).

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridSort.h"

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvDropDownDraw.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLRender.h"
#include "grid/support/ZvHTMLUtil.h"

#include "platform/DrawText.h"

#include <algorithm>
#include <optional>

namespace {

unsigned HorizontalFlag(TAlignment a)
{
    return a == TAlignment::taRightJustify ? DT_RIGHT : a == TAlignment::taCenter ? DT_CENTER : DT_LEFT;
}

unsigned VerticalFlag(TVAlignment a)
{
    return a == TVAlignment::vtaBottom ? DT_BOTTOM : a == TVAlignment::vtaCenter ? DT_VCENTER : DT_TOP;
}

int SortGlyphY(TVAlignment a, const TRect& r)
{
    return a == TVAlignment::vtaTop ? r.Top + 8 : a == TVAlignment::vtaCenter ? r.Top + r.Height() / 2 : r.Bottom - 8;
}

bool IsButtonLikeKind(TCellType t)
{
    return t == TCellType::ctCheckBox || t == TCellType::ctDataCheckBox || t == TCellType::ctRadio ||
           t == TCellType::ctButton || t == TCellType::ctRadioButton;
}

} // namespace

// What lays out a cell's markup, shared by painting, measuring and hit-testing so that a press
// lands on what the user sees.
THTMLDrawParams TZvStringGrid::CellMarkupParams() const
{
    THTMLDrawParams params;
    params.Images = d->FGridImages;
    params.Pictures = d->FPictureContainer;
    params.WordWrap = !d->FEnhTextSize;
    params.URLColor = d->FURLColor;
    return params;
}

TSize TZvStringGrid::DrawMarkupText(TCanvas& Canvas, const String& Text, TRect Rect, bool MeasureOnly, bool Selected)
{
    // Every markup text of a cell passes here, so measuring and painting share one layout.
    THTMLDrawParams params = CellMarkupParams();
    params.MeasureOnly = MeasureOnly;
    params.Selected = Selected;
    THTMLDrawResult result;
    DrawHTMLText(Canvas, Text, Rect, params, result);
    return {result.XSize, result.YSize};
}

bool TZvStringGrid::IsSortIndicatorCell(int ACol, int ARow)
{
    int row = ARow;
    const TPoint span = CellSpan(DisplayToRealCol(ACol), ARow);
    if (span.Y > 0) row = ARow + span.Y;
    return row == SortSettings()->Row() && SortSettings()->Show() && RowCount() > FixedRows() + 1;
}

void TZvStringGrid::PaintCellText()
{
    TCellPaint& cell = d->FCellPaint;
    TCanvas& canvas = *cell.Canvas;
    const int RCol = cell.RCol, ACol = cell.DCol, ARow = cell.ARow;
    const TGridDrawState AState = cell.AState;
    const bool fixedCell = IsFixed(ACol, ARow);

    // Selected text colours.
    const bool selected = AState.Contains(gdSelected) ||
                          (GetRowSelect(cell.SelRow) && Options().Contains(goRowSelect) && RCol >= FixedCols() &&
                           RCol < ColCount() - d->FFixedRightCols);
    TColor anchorColor = SelectedTextColors(canvas, selected, fixedCell);

    // The text and its kind.
    String text = GetFormattedCell(RCol, ARow);
    int kind = CellTextKind(text, d->FEnableHTML);
    if (kind == ctFormula) {
        text = CalculatedCellText(RCol, ARow);
        kind = CellTextKind(text, d->FEnableHTML);
    }
    int errFrom = 0, errLen = 0;
    GetMarker(RCol, ARow, errFrom, errLen);
    bool password = false;
    FireIsPasswordCell(RCol, ARow, password);
    if (password) FillWithChar(text, d->FPasswordChar.isNull() ? QChar('*') : d->FPasswordChar);

    TRect r = cell.Rect;
    if (fixedCell) {
        r.Left += GridLineWidth();
        r.Top += GridLineWidth();
    }
    std::optional<TClipWithin> scrolledClip;
    if (cell.ScrollPos > 0) {
        scrolledClip.emplace(canvas, r);
        r.Top -= cell.ScrollPos;
    }

    // Filter drop-down glyph.
    if (cell.FilterGlyph) {
        TBitmap* glyph = Filter()->HasFilter(RCol) ? FilterDropDown()->GlyphActive() : FilterDropDown()->Glyph();
        if (!glyph || glyph->Empty())
            DrawResourceBitmap(canvas, FixedColor(), Rect(r.Right - 16, r.Top, r.Right, r.Top + 16), "ASGFILT");
        else
            DrawBitmapTransparent(canvas, *glyph, clNone, Bounds(r.Right - 16, r.Top, glyph->Width(), glyph->Height()));
    }

    const bool body = ACol >= FixedCols() && ARow >= FixedRows();
    const TMouseActions& mouse = *d->FMouseActions;
    if (body && !d->FMouseDown &&
        ((mouse.DisjunctRowSelect() && !GetRowSelect(cell.SelRow)) || (mouse.DisjunctColSelect() && !GetColSelect(ACol)))) {
        anchorColor = d->FURLColor;
        canvas.Brush()->SetColor(Color());
        canvas.Font()->SetColor(Font()->Color());
        QueryCellColor(RCol, ARow, AState, canvas.Brush(), canvas.Font());
        if (d->FZoomFactor != 0) canvas.Font()->SetSize(canvas.Font()->Size() + d->FZoomFactor);
    }

    PaintCellTextBackground(canvas, r);
    if (d->FSelectionRectangle && !fixedCell) PaintSelectionRectangle(canvas);

    if (!cell.DrawText) return;

    // Margins and room for the graphic.
    r.Left += d->FXYOffset.X;
    r.Top += d->FXYOffset.Y;
    if (!d->FXYOffsetTopLeftOnly) r.Right -= d->FXYOffset.X;
    int sortOffset = 0;
    if (cell.Graphic) {
        switch (cell.GraphicHAlign) {
        case TCellHAlign::haBeforeText: r.Left += cell.GraphicWidth; break;
        case TCellHAlign::haAfterText: r.Right -= cell.GraphicWidth; break;
        default: break;
        }
        if (cell.GraphicVAlign == TCellVAlign::vaAboveText) r.Top += cell.GraphicHeight;
        if (cell.GraphicVAlign == TCellVAlign::vaUnderText) r.Bottom -= cell.GraphicHeight;
        if ((cell.GraphicHAlign == TCellHAlign::haBeforeText && cell.HAlign == TAlignment::taLeftJustify) ||
            cell.GraphicHAlign == TCellHAlign::haLeft)
            sortOffset = cell.GraphicWidth;
    }
    if (RCol == 0 && d->FNumNodes > 0 && !IsNode(ARow)) r.Left += RowIndent(ARow);

    const TSortIndexList* indexes = SortIndexes();
    const bool sortHeader = IsSortIndicatorCell(ACol, ARow) &&
                            (RCol == SortSettings()->Column() || (indexes && indexes->FindIndex(RCol) >= 0));
    const bool sortGlyph = sortHeader && FixedRows() > 0 && (RCol >= FixedCols() || SortSettings()->FixedCols()) &&
                           (!SortIndexes() || SortIndexes()->FindIndex(RCol) < 1 || SortSettings()->IndexShow());

    if (kind == ctHTML) {
        TRect hr = r;
        if (cell.FilterGlyph) hr.Right -= 18;
        hr.Left -= 1;
        if (sortGlyph) hr.Right -= 10;
        const TColor oldFont = canvas.Font()->Color();
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        THTMLDrawParams params = CellMarkupParams();
        params.Images = CellImageList();
        params.HoverLink = d->FHoverCell == TGridCoord{ACol, ARow} ? d->FHoverLink : -1;
        params.BlinkOn = d->FBlinkOn || !d->FEnableBlink;
        params.HoverStyle = d->FURLUnderlineOnHover;
        params.Down = GetKeyState(VK_CONTROL) < 0;
        // A selected cell's links take the selection's text colour, so they stay readable.
        params.URLColor = anchorColor;
        params.ShadowColor = TColor(0x808080);
        params.PictureCache = d->FPictureCache.get();
        params.RightToLeft = UseRightToLeftReading();
        THTMLDrawResult drawn;
        DrawHTMLText(canvas, text, hr, params, drawn);
        const TSize size{drawn.XSize, drawn.YSize};
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Font()->SetColor(oldFont);
        if (sortGlyph) DrawSortGlyph(&canvas, RCol, SortGlyphY(cell.VAlign, cell.Rect), hr.Right + 2);
        cell.TextWidth = size.cx + 2;
    } else if (kind == ctRichText) {
        const bool unfocusedNoSel = selected && !AState.Contains(gdFocused) && d->FSelectionColor == clNone;
        canvas.Pen()->SetColor(canvas.Brush()->Color());
        if (!unfocusedNoSel) canvas.FillRect(r);
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        DrawRichTextCell(RCol, ARow, r, &canvas);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Font()->SetColor(clBlack);
    } else {
        PaintPlainCellText(canvas, text, r, anchorColor, sortGlyph, sortOffset, errFrom, errLen);
    }
}

TColor TZvStringGrid::SelectedTextColors(TCanvas& canvas, bool Selected, bool FixedCell)
{
    const TCellPaint& cell = d->FCellPaint;
    if (!Selected || FixedCell) return d->FURLColor;
    if (d->FShowSelection) {
        if (d->FSelectionColor != clNone) canvas.Brush()->SetColor(d->FSelectionColor);
        if (d->FSelectionTextColor != clNone && Enabled()) canvas.Font()->SetColor(d->FSelectionTextColor);
        return d->FSelectionTextColor;
    }
    if (!Focused() || GetCellType(cell.RCol, cell.ARow) == TCellType::ctCheckBox) {
        canvas.Brush()->SetColor(cell.CellBrush);
        canvas.Font()->SetColor(cell.CellFont);
    }
    return d->FURLColor;
}

// The background picture or gradient inside the cell, where the cell has no colour of its own.
void TZvStringGrid::PaintCellTextBackground(TCanvas& canvas, const TRect& r)
{
    const TCellPaint& cell = d->FCellPaint;
    const TGridDrawState AState = cell.AState;
    const TBackGround& bg = *d->FBackGround;
    const bool shownSelected = d->FShowSelection && AState.Contains(gdSelected);
    const bool ownColor = [&] {
        auto* props = dynamic_cast<TCellProperties*>(GetGridObject(cell.RCol, cell.ARow));
        return props && props->BrushColor() != clNone;
    }();
    const bool covers = AState.Contains(gdFixed)
                            ? bg.Cells() == TBackGroundCells::bcFixed || bg.Cells() == TBackGroundCells::bcAll
                            : bg.Cells() == TBackGroundCells::bcNormal || bg.Cells() == TBackGroundCells::bcAll;
    if (bg.Bitmap() && !bg.Bitmap()->Empty() && !ownColor && covers && !shownSelected) {
        const TRect br = Rect(r.Left - (GridLineWidth() - 1), r.Top - (GridLineWidth() - 1), r.Right, r.Bottom);
        if (bg.Display() == TBackGroundDisplay::bdTile)
            TileCellBackground(&canvas, br);
        else
            PaintCellBackgroundPicture(&canvas, br);
    }
    if ((bg.Display() == TBackGroundDisplay::bdGradientHorz || bg.Display() == TBackGroundDisplay::bdGradientVert) &&
        (!ownColor || IsButtonLikeKind(GetCellType(cell.RCol, cell.ARow))) && covers) {
        const bool focused = AState.Contains(gdFocused);
        const bool paint = !d->FShowSelection || (!AState.Contains(gdSelected) && !focused) ||
                           (focused && !Options().Contains(goDrawFocusSelected));
        if (paint)
            PaintCellBackgroundGradient(&canvas, Rect(r.Left - 1, r.Top - GridLineWidth(), r.Right,
                                                      r.Bottom + GridLineWidth() - 1));
    }
}

// The selection rectangle's sides that pass this cell, and the resizer in the range's last corner.
void TZvStringGrid::PaintSelectionRectangle(TCanvas& canvas)
{
    const TCellPaint& cell = d->FCellPaint;
    const int ACol = cell.DCol, ARow = cell.ARow;
    TGridRect sel = Selection();
    if (!CellInGridRect(sel, ACol, ARow)) return;
    if (IsMergedCell(cell.RCol, ARow)) {
        const TPoint base = BaseCell(DisplayToRealCol(sel.Left), sel.Top);
        sel.Left = sel.Right = RealToDisplayCol(base.X);
        sel.Top = sel.Bottom = base.Y;
    }
    const int g = GridLineWidth();
    const TRect cr = cell.Rect;
    canvas.Pen()->SetColor(d->FSelectionRectangleColor);
    canvas.Pen()->SetWidth(2);
    auto line = [&canvas](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (ACol == sel.Left) line(cr.Left - g + 1, cr.Bottom, cr.Left - g + 1, cr.Top - g);
    if (ACol == sel.Right) line(cr.Right - 1, cr.Bottom, cr.Right - 1, cr.Top - g);
    const int right = ACol == sel.Right ? cr.Right - 1 : cr.Right;
    if (ARow == sel.Top) line(cr.Left - g, cr.Top - g + 1, right, cr.Top - g + 1);
    if (ARow == sel.Bottom) line(cr.Left - g, cr.Bottom, right, cr.Bottom);
    if (d->FSelectionResizer && ACol == sel.Right && ARow == sel.Bottom) {
        canvas.Brush()->SetColor(d->FSelectionRectangleColor);
        canvas.FillRect(Rect(cr.Right - 4, cr.Bottom - 4, cr.Right, cr.Bottom));
        canvas.Brush()->SetColor(cell.CellBrush);
    }
    canvas.Pen()->SetWidth(1);
}

// Plain text (and links): one line or wrapped, the error underline, the sort glyph beside the text.
void TZvStringGrid::PaintPlainCellText(TCanvas& canvas, String text, const TRect& r, TColor anchorColor,
                                       bool sortGlyph, int sortOffset, int errFrom, int errLen)
{
    TCellPaint& cell = d->FCellPaint;
    TRect tr = r;
    if (sortGlyph && cell.HAlign == TAlignment::taCenter) tr.Left += 10;
    const bool url = d->FURLShow && IsURLText(text);
    TFontStyles oldStyle = canvas.Font()->Style();
    const TColor fontBeforeURL = canvas.Font()->Color();
    if (url) {
        if (!d->FURLFull) StripURLScheme(text);
        canvas.Font()->SetStyle(oldStyle + TFontStyles{TFontStyle::fsUnderline});
        canvas.Font()->SetColor(anchorColor);
    }
    unsigned flags;
    String shown = text;
    const bool oneLine = LineCountOf(text, d->FMultilinecells) <= 1;
    if (oneLine && !cell.WordWrap) {
        String rest = text;
        shown = FirstLineOf(rest, false);
        flags = DT_SINGLELINE | (d->FEnhTextSize ? DT_END_ELLIPSIS : 0u);
    } else {
        flags = DT_EDITCONTROL;
        if (cell.WordWrap && !d->FMultilinecells && d->FEnhTextSize) flags |= DT_END_ELLIPSIS;
    }
    flags |= DT_EXPANDTABS | DT_NOPREFIX | HorizontalFlag(cell.HAlign) | VerticalFlag(cell.VAlign);
    if (cell.WordWrap || d->FMultilinecells)
        flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else
        flags |= DT_SINGLELINE;
    flags = BiDiDrawFlags(flags, UseRightToLeftReading());
    d->FVerticalTextFlag = int(VerticalFlag(cell.VAlign));
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    if (cell.FilterGlyph) tr.Right -= 16;
    int textWidth = 0;
    if ((cell.Graphic || sortGlyph) && !shown.isEmpty()) {
        TRect m = tr;
        DrawTextEx(canvas, shown, m, flags | DT_CALCRECT);
        textWidth = m.Width();
        if (cell.Graphic) cell.TextWidth = textWidth + 2;
    }
    TRect dr = tr;
    DrawTextEx(canvas, shown, dr, flags);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    if (errLen > 0) {
        const TCellType t = cell.Graphic ? cell.Graphic->CellType() : TCellType::ctEmpty;
        if (t == TCellType::ctEmpty || t == TCellType::ctValue) DrawErrorUnderline(canvas, shown, tr, 0, errFrom, errLen);
    }
    if (sortGlyph) {
        TRect sr = r;
        if (cell.FilterGlyph) sr.Right -= 16;
        const int room = std::max(0, std::min(sr.Width() - 16, textWidth));
        int x = sr.Left + 8;
        if (cell.HAlign == TAlignment::taLeftJustify) x = sr.Left + room + sortOffset + 10;
        if (cell.HAlign == TAlignment::taRightJustify) x = sr.Right - room - 10;
        DrawSortGlyph(&canvas, cell.RCol, SortGlyphY(cell.VAlign, cell.Rect), x);
    }
    if (url) {
        canvas.Font()->SetStyle(oldStyle);
        canvas.Font()->SetColor(fontBeforeURL);
    }
}

void TZvStringGrid::TileCellBackground(TCanvas* Canvas, TRect Rect)
{
    TBitmap* bmp = d->FBackGround->Bitmap();
    if (!bmp || bmp->Empty()) return;
    const int W = bmp->Width(), H = bmp->Height();
    const bool fromNormal = d->FBackGround->Cells() == TBackGroundCells::bcNormal;
    const int originCol = fromNormal ? FixedCols() : 0, originRow = fromNormal ? FixedRows() : 0;
    int xs = 0, ys = 0;
    for (int c = originCol; c < d->FCellPaint.RCol && c < ColCount(); ++c) xs += ColWidths(c);
    for (int r = originRow; r < d->FCellPaint.ARow && r < RowCount(); ++r) ys += RowHeights(r);
    const int xPhase = xs % W, yPhase = ys % H;
    const TClipWithin clip(*Canvas, Rect);
    for (int y = Rect.Top - 1 - yPhase; y < Rect.Bottom; y += H)
        for (int x = Rect.Left - 1 - xPhase; x < Rect.Right; x += W) Canvas->Draw(x, y, bmp);
}

void TZvStringGrid::PaintCellBackgroundPicture(TCanvas* Canvas, TRect Rect)
{
    TBitmap* bmp = d->FBackGround->Bitmap();
    if (!bmp || bmp->Empty()) return;
    const TRect pic = Bounds(d->FBackGround->Left(), d->FBackGround->Top(), bmp->Width(), bmp->Height());
    TRect part;
    if (!IntersectRect(part, pic, Rect)) return;
    const TClipWithin clip(*Canvas, part);
    Canvas->Draw(pic.Left, pic.Top, bmp);
}

void TZvStringGrid::PaintCellBackgroundGradient(TCanvas* Canvas, TRect Rect)
{
    const bool vertical = d->FBackGround->Display() == TBackGroundDisplay::bdGradientVert;
    const int extent = vertical ? Height() : Width();
    const TColor from = d->FBackGround->Color(), to = d->FBackGround->ColorTo();
    const TColor start = InterpolateColor(from, to, 0, extent, vertical ? Rect.Top : Rect.Left);
    const TColor end = InterpolateColor(from, to, 0, extent, vertical ? Rect.Bottom : Rect.Right);
    Canvas->Brush()->SetColor(end);
    Canvas->Pen()->SetColor(end);
    DrawDropDownGradient(*Canvas, start, end, !vertical, Rect, 128);
}
