// The cell drawing engine: visual properties, alignment and cell contents.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridFilter.h"
#include "grid/services/ZvGridPrint.h"
#include "grid/services/ZvGridSort.h"

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvGridUtil.h"

#include "platform/DrawText.h"
#include "platform/FrameControls.h"
#include "platform/RichText.h"
#include "platform/Themes.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

bool IsPlainCellType(TCellType t)
{
    return t == TCellType::ctNone || t == TCellType::ctRotated || t == TCellType::ctEmpty;
}

bool IsGradientLook(TGridLook look)
{
    return look == TGridLook::glVUD || look == TGridLook::glXP || look == TGridLook::glVista ||
           look == TGridLook::glWin7 || look == TGridLook::glOffice2007;
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// Lines one pixel outside a fixed cell, along the sides its fixed-line options ask for.
void OutsideLines(TCanvas& canvas, const TRect& r, TGridOptions options, TColor color)
{
    canvas.Pen()->SetColor(color);
    if (options.Contains(goFixedHorzLine)) {
        Line(canvas, r.Left - 1, r.Top - 1, r.Right + 1, r.Top - 1);
        Line(canvas, r.Left - 1, r.Bottom, r.Right + 1, r.Bottom);
    }
    if (options.Contains(goFixedVertLine)) {
        Line(canvas, r.Left - 1, r.Top - 1, r.Left - 1, r.Bottom + 1);
        Line(canvas, r.Right, r.Top - 1, r.Right, r.Bottom + 1);
    }
}

} // namespace

// ---- Visual properties -----------------------------------------------------------------

TColor TZvStringGrid::MixColors(TColor Color1, TColor Color2, int Percent)
{
    if (Percent >= 100) return Color1;
    if (Percent < 1 || Color1 == clNone) return Color2;
    if (Color2 == clNone) return Color1;
    const TColor a = ColorToRGB(Color1), b = ColorToRGB(Color2);
    auto mix = [Percent](unsigned c1, unsigned c2) {
        const long v = std::lround(Percent / 100.0 * c1 + (1 - Percent / 100.0) * c2);
        return unsigned(std::min<long>(v, 255));
    };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void TZvStringGrid::GetFontProperties(int ACol, int RCol, bool Remap, TBrush* ABrush, TFont* AFont,
                                      TGridDrawState& AState, int ARow)
{
    if (Remap) RCol = DisplayToRealCol(ACol);
    const bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    AFont->Assign(fixed ? d->FFixedFont.get() : Font());
    if (auto* props = dynamic_cast<TCellProperties*>(GetGridObject(RCol, ARow))) {
        if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
        if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
        if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
        if (!props->FontName().isEmpty()) AFont->SetName(props->FontName());
    }
    QueryCellColor(RCol, ARow, AState, ABrush, AFont);
}

void TZvStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                        bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                        TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                        bool& WW, TCellGradientDirection& GD)
{
    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    const bool normal = ACol >= fixedCols && ARow >= fixedRows;
    const bool printFonts = Print && !PrintSettings()->UseDisplayFont();
    if (normal)
        AFont->Assign(printFonts ? PrintSettings()->Font() : Font());
    else
        AFont->Assign(printFonts ? PrintSettings()->FixedFont() : d->FFixedFont.get());

    const int RCol = Remap ? DisplayToRealCol(ACol) : ACol;
    const TMouseActions& mouse = *d->FMouseActions;
    const int SelRow = (mouse.DisjunctRowSelect() && mouse.RowSelectPersistent()) || d->FUseEnabledRows
                           ? DisplayToRealRow(ARow)
                           : ARow;

    ABrush->SetColor(clNone);
    AColorTo = AMirrorColor = AMirrorColorTo = clNone;
    bool ownColor = false;

    if (auto* props = dynamic_cast<TCellProperties*>(GetGridObject(RCol, ARow))) {
        if (IsPlainCellType(GetCellType(RCol, ARow))) {
            if (props->BrushColor() != clNone) {
                ABrush->SetColor(props->BrushColor());
                ownColor = true;
            }
        } else {
            ABrush->SetColor(props->BrushColor());
        }
        if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
        if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
        if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
        if (!props->FontName().isEmpty()) AFont->SetName(props->FontName());
        WW = props->WordWrap();
        AColorTo = props->BrushColorTo();
        GD = props->GradientDirection();
    }

    if (AState.Contains(gdSelected)) GD = TCellGradientDirection::GradientVertical;

    const int colCount = ColCount(), rowCount = RowCount();
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        const TBands& bands = *d->FBands;
        const int cycle = bands.PrimaryLength() + bands.SecondaryLength();
        const bool body = ACol >= fixedCols && ACol < colCount + d->FNumHidden - d->FFixedRightCols &&
                          ARow >= fixedRows && ARow < rowCount - d->FFixedFooters;
        if (bands.Active() && (!Print || bands.Print()) && body && cycle > 0)
            ABrush->SetColor((ARow - fixedRows) % cycle < bands.PrimaryLength() ? bands.PrimaryColor()
                                                                                : bands.SecondaryColor());
        if (ACol < fixedCols || ARow < fixedRows || ACol >= colCount - d->FFixedRightCols ||
            ARow >= rowCount - d->FFixedFooters)
            ABrush->SetColor(FixedColor());
    }

    const bool fixedLook = IsFixed(ACol, ARow) || ACol < fixedCols || ARow < fixedRows;
    if (fixedLook && !ownColor) {
        if (!Print) {
            ABrush->SetColor(FixedColor());
            AFont->Assign(d->FFixedFont.get());
            AState.Include(gdFixed);
        }
        if (int(d->FLook) > int(TGridLook::glClassic)) {
            ABrush->SetColor(d->FVUDGradient[std::size_t(TLookGradient::lgFrom)]);
            AColorTo = d->FVUDGradient[std::size_t(TLookGradient::lgTo)];
            AMirrorColor = d->FVUDGradient[std::size_t(TLookGradient::lgMirrorFrom)];
            AMirrorColorTo = d->FVUDGradient[std::size_t(TLookGradient::lgMirrorTo)];
        }
    }

    if (Print)
        FireGetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
    else
        QueryCellColor(RCol, ARow, AState, ABrush, AFont);

    if (OnGetCellGradient) {
        TColor color = ABrush->Color();
        OnGetCellGradient(this, ARow, RCol, color, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(color);
    }

    const TColor plainBrush = ABrush->Color();
    const TColor plainFont = AFont->Color();

    auto selectionLook = [&] {
        ABrush->SetColor(d->FSelectionColor);
        AColorTo = d->FSelectionColorTo;
        AMirrorColor = d->FSelectionMirrorColor;
        AMirrorColorTo = d->FSelectionMirrorColorTo;
        if (d->FSelectionTextColor != clNone) AFont->SetColor(d->FSelectionTextColor);
    };

    const bool body = ACol >= fixedCols && ARow >= fixedRows;
    // The range selection comes with the platform's selected state (which
    // already leaves out the focused cell); the selected-cell list decides alone.
    auto RangeSelected = [&](const TGridDrawState& state) {
        return state.Contains(gdSelected) && !mouse.DisjunctCellSelect();
    };
    const bool selectable = Select && !Print && d->FShowSelection && !fixedLook;
    if (selectable && mouse.DisjunctRowSelect() && body) {
        bool looks;
        if (!d->FMouseDown)
            looks = GetRowSelect(SelRow);
        else if (ARow == Row())
            looks = !GetRowSelect(SelRow) && AState.Contains(gdSelected);
        else
            looks = GetRowSelect(SelRow) || AState.Contains(gdSelected);
        if (looks) {
            AState = TGridDrawState{gdSelected};
            selectionLook();
        } else {
            AState.Exclude(gdSelected);
        }
    } else if (selectable && mouse.DisjunctColSelect() && body) {
        const bool colSelected = GetColSelect(ACol);
        if (((!d->FMouseDown || Col() != ACol) && colSelected) ||
            (d->FMouseDown && !colSelected && AState.Contains(gdSelected))) {
            AState = TGridDrawState{gdSelected};
            selectionLook();
        }
    } else if ((selectable && (IsSelected(ACol, ARow) || RangeSelected(AState))) ||
               (AState.Contains(gdSelected) && d->FMouseDown && d->FShowSelection)) {
        TColor brush = ABrush->Color();
        if (brush == Color() || !d->FSelectionColorMixer)
            brush = d->FSelectionColor;
        else
            brush = MixColors(d->FSelectionColor, brush, d->FSelectionColorMixerFactor);
        selectionLook();
        ABrush->SetColor(brush);
        AState.Include(gdSelected);
    }

    if (mouse.DisjunctCellSelect() && d->FShowSelection) {
        const int key = ARow * 65536 + ACol;
        if (d->FSelectedCells && d->FSelectedCells->HasValue(key)) {
            selectionLook();
            AState.Include(gdSelected);
        } else if (ACol == Col() && ARow == Row()) {
            AState.Exclude(gdSelected);
            ABrush->SetColor(plainBrush);
            AFont->SetColor(plainFont);
        }
    }

    if (d->FUseDisabledFont && ((d->FUseEnabledRows && !GetRowEnabled(SelRow)) || !Enabled()))
        AFont->SetColor(d->FDisabledFontColor);

    if (mouse.DisjunctRowSelect() && ARow != Row() && d->FSelectionColorTo == clNone && IsSelected(ACol, ARow))
        ABrush->SetColor(ShadeColorByPercent(ABrush->Color(), 7));

    FireGetWordWrap(RCol, ARow, WW);
    CellAlignment(RCol, ARow, HA, VA);
}

void TZvStringGrid::CellAlignment(int RCol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    HAlign = d->FDefaultAlignment;
    VAlign = d->FVAlignment;
    bool formula = false;
    if (d->FAutoNumAlign) {
        String text = GetCellEx(RCol, ARow);
        if (text.startsWith('=') || (text.size() > 3 && text.startsWith("|\\") && text[3] == '=')) {
            text = CalculatedCellText(RCol, ARow);
            formula = true;
        }
        const int kind = NumberTextType(text.trimmed());
        if (kind == ntInteger || kind == ntDecimal || kind == ntExponent) HAlign = TAlignment::taRightJustify;
    }
    if (!formula)
        if (auto* props = dynamic_cast<TCellProperties*>(GetGridObject(RCol, ARow))) HAlign = props->Alignment();
    QueryCellAlignment(RCol, ARow, HAlign, VAlign);
}

// ---- Cell contents ----------------------------------------------------------------------

void TZvStringGrid::CellDrawHook(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TBaseGrid::CellDrawHook(ACol, ARow, ARect, AState);
}

void TZvStringGrid::PaintCellContents(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TCanvas& canvas = *ACanvas;
    const TCellPaint saved = d->FCellPaint;
    TCellPaint& cell = d->FCellPaint;
    cell = TCellPaint{};
    cell.Canvas = ACanvas;
    const TMouseActions& mouse = *d->FMouseActions;

    // State of the cell.
    d->FCtl3D = !d->FFlat;
    const int RCol = DisplayToRealCol(ACol);
    cell.RCol = RCol;
    cell.DCol = ACol;
    cell.ARow = ARow;
    cell.SelRow = mouse.DisjunctRowSelect() && mouse.RowSelectPersistent() ? DisplayToRealRow(ARow) : ARow;
    cell.FilterGlyph = ARow == FilterService().FFilterDropDownRow && QueryColumnFilter(RCol);

    // A cell scroll bar takes the right edge; its position shifts the text.
    if (GetCellType(RCol, ARow) == TCellType::ctScrollbar) {
        cell.ScrollPos = GetScrollPosition(RCol, ARow);
        ARect.Right -= PaintCellScrollBar(canvas, RCol, ARow, ARect);
    }

    // Visual properties into the canvas.
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TCellGradientDirection gd = TCellGradientDirection::GradientVertical;
    bool ww = d->FWordWrapEx;
    GetVisualProperties(ACol, ARow, AState, false, false, true, canvas.Brush(), colorTo, mirror, mirrorTo,
                        canvas.Font(), cell.HAlign, cell.VAlign, ww, gd);
    cell.WordWrap = ww;

    CellGraphicLayout(RCol, ARow, cell.Graphic, cell.GraphicWidth, cell.GraphicHeight, cell.GraphicHAlign,
                      cell.GraphicVAlign, cell.DrawText);
    if (RCol == 0 && cell.Graphic && cell.Graphic->CellType() == TCellType::ctNode)
        cell.GraphicWidth = GetNodeLevel(ARow) * 12 + 4;

    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && d->FSelectionColor == clNone)
        canvas.Brush()->SetColor(clHighlight);

    if (d->FZoomFactor != 0) canvas.Font()->SetSize(canvas.Font()->Size() + d->FZoomFactor);
    cell.CellBrush = canvas.Brush()->Color();
    cell.CellFont = canvas.Font()->Color();
    cell.AState = AState;

    bool fixedLook = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (HoverRow() && ARow == HoverRowIdx() && HoverRowCells().Contains(THoverRowCell::hcFixed)) fixedLook = false;

    // A toolkit style other than the platform's own paints fixed and selected cells itself.
    const bool styled = UsesVCLStyles() && (fixedLook || AState.Contains(gdSelected));

    // Background: the fixed-cell look, the row indicator, list-view headers, modified rows.
    if (fixedLook && !styled && IsGradientLook(d->FLook))
        PaintFixedCellLook(canvas, ACol, ARow, ARect, colorTo, mirror, mirrorTo);
    PaintRowIndicator(canvas, RCol, ARow, ARect);
    if (d->FLook == TGridLook::glListView && fixedLook && !d->FFlat && !styled)
        PaintListViewHeader(canvas, ACol, ARow, ARect);
    if (d->FShowModified->Enabled() && ACol == 0 && GetRowModified(RealRowIndex(ARow)))
        FillRectColor(canvas, Rect(ARect.Right - 4, ARect.Top, ARect.Right, ARect.Bottom), d->FShowModified->Color());
    canvas.Brush()->SetColor(cell.CellBrush);

    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, RCol, ARow, AState, ARect, false);

    const int rightBeforeButtons = ARect.Right;
    PaintAlwaysVisibleButtons(canvas, ACol, ARow, ARect);

    // Text, with an interfaced graphic that paints behind it first.
    cell.Rect = ARect;
    const bool hasGraphic = cell.Graphic != nullptr && cell.GraphicWidth + cell.GraphicHeight > 0;
    const bool customDraw = d->FNoDefaultDraw && (OnDrawCell || OnCustomCellDraw);
    if (!customDraw && !(hasGraphic && d->FNoImageAndText)) PaintCellText();
    ARect.Right = rightBeforeButtons;
    canvas.Brush()->SetColor(cell.CellBrush);
    canvas.Font()->SetColor(cell.CellFont);
    ARect = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1);

    // Edges: the cell's borders, the fixed cells' and the tree's lines.
    PaintCellBorders(RCol, ARow, ARect);
    PaintFixedCellEdges(canvas, RCol, ARect, fixedLook);
    PaintTreeLines(canvas, RCol, ARow, ARect);

    // The graphic.
    if (cell.Graphic && cell.Graphic->CellType() != TCellType::ctInterface) {
        TRect r = ARect;
        if (fixedLook) r.Top += 1;
        PaintCellGraphic(ACanvas, RCol, ARow, r, cell.TextWidth);
    }

    if (OnDrawCell) {
        const TRect r = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Right - GridLineWidth(), ARect.Bottom - GridLineWidth());
        OnDrawCell(this, RCol, ARow, r, AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, RCol, ARow, AState, ARect, false);

    PaintCellFocusRect(canvas, RCol, ARow, ARect);
    // Column numbers belong to the form designer, which this program does not have.

    d->FCellPaint = saved;
}

// The gradient of a fixed cell: hovered or pressed (with its drop-down button), the active cell's
// header, the sorted column's header, or the look's own.
void TZvStringGrid::PaintFixedCellLook(TCanvas& canvas, int ACol, int ARow, TRect& ARect, TColor colorTo,
                                       TColor mirror, TColor mirrorTo)
{
    const int RCol = d->FCellPaint.RCol;
    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    auto grad = [&](TLookGradient from, TLookGradient to, TLookGradient mFrom, TLookGradient mTo, TColor border,
                    const TRect& r) {
        DrawGradientBox(canvas, r, d->FVUDGradient[std::size_t(from)], d->FVUDGradient[std::size_t(to)],
                        d->FVUDGradient[std::size_t(mFrom)], d->FVUDGradient[std::size_t(mTo)], true, border, false,
                        true);
    };
    const TColor hoverBorder = d->FVUDGradient[std::size_t(TLookGradient::lgHoverBorder)];
    const TColor downBorder = d->FVUDGradient[std::size_t(TLookGradient::lgDownBorder)];
    auto down = [&](const TRect& r) {
        grad(TLookGradient::lgDownFrom, TLookGradient::lgDownTo, TLookGradient::lgDownMirrorFrom,
             TLookGradient::lgDownMirrorTo, downBorder, r);
    };
    auto hover = [&](const TRect& r) {
        grad(TLookGradient::lgHoverFrom, TLookGradient::lgHoverTo, TLookGradient::lgHoverMirrorFrom,
             TLookGradient::lgHoverMirrorTo, hoverBorder, r);
    };
    const bool hoverAllowed = d->FHoverFixedCells == THoverFixedCells::hfAll ||
                              (d->FHoverFixedCells == THoverFixedCells::hfFixedRows && ARow < fixedRows) ||
                              (d->FHoverFixedCells == THoverFixedCells::hfFixedColumns && ACol < fixedCols);
    const bool moving = d->FMoveIndex >= 0 && d->FMoveIndex == ACol && d->FMouseDownMove;
    const bool hovered = d->FHoverFixedCell.X == ACol && d->FHoverFixedCell.Y == ARow && d->FMoveIndex < 0;
    if (hoverAllowed && (hovered || moving) && !d->FDesignTime) {
        TRect r = ARect;
        r.Bottom += 1;
        const bool pressed = d->FMouseDown || moving;
        const bool dropDown = d->FControlLook->FixedDropDownButton() && FireCanShowFixedDropDown(RCol);
        if (!pressed) {
            hover(r);
        } else if (dropDown) {
            const TRect button = Rect(r.Right - 16, r.Top, r.Right, r.Bottom);
            const TRect rest = Rect(r.Left, r.Top, r.Right - 16, r.Bottom);
            if (d->FPushedFixed) {
                down(button);
                hover(rest);
            } else {
                down(rest);
                hover(button);
            }
        } else {
            down(r);
        }
        if (dropDown) {
            canvas.Pen()->SetColor(pressed ? downBorder : hoverBorder);
            Line(canvas, r.Right - 16, r.Top, r.Right - 16, r.Bottom);
            DrawMarkerTriangle(canvas, r.Right - 8, r.Top + 8, clBlack);
            ARect.Right -= 16;
        }
    } else if (d->FActiveCellShow && ((ACol == fixedCols - 1 && fixedCols > 0 && ARow == Row()) ||
                                      (ARow == fixedRows - 1 && fixedRows > 0 && ACol == Col()))) {
        DrawGradientBox(canvas, ARect, d->FActiveCellColor, d->FActiveCellColorTo, clNone, clNone, true, clNone,
                        false, true);
    } else if (SortSettings()->Column() != -1 && SortSettings()->HeaderColor() != clNone &&
               SortSettings()->Column() == RCol && ARow == fixedRows - 1 &&
               (ACol >= fixedCols || SortSettings()->FixedCols())) {
        DrawGradientBox(canvas, ARect, SortSettings()->HeaderColor(), SortSettings()->HeaderColorTo(),
                        SortSettings()->HeaderMirrorColor(), SortSettings()->HeaderMirrorColorTo(), true, clNone,
                        false, true);
    } else if (!d->FFlat) {
        DrawGradientBox(canvas, ARect, canvas.Brush()->Color(), colorTo, mirror, mirrorTo, true, clNone, false, true);
        if (d->FLook == TGridLook::glVista) {
            canvas.Pen()->SetColor(clWhite);
            Line(canvas, ARect.Left, ARect.Top, ARect.Left, ARect.Bottom);
            Line(canvas, ARect.Right - 1, ARect.Top, ARect.Right - 1, ARect.Bottom);
        }
    }
    canvas.Brush()->SetColor(d->FCellPaint.CellBrush);
}

// The current row's indicator in the first fixed column; the text starts after it.
void TZvStringGrid::PaintRowIndicator(TCanvas& canvas, int RCol, int ARow, TRect& ARect)
{
    const int indicatorWidth = d->FRowIndicator && !d->FRowIndicator->Empty() ? d->FRowIndicator->Width() : 0;
    const bool showIndicator = RCol == 0 && ARow == Row() && FixedCols() > 0 && indicatorWidth > 0 &&
                               !(d->FFixedRowAlways && RowCount() == FixedRows());
    if (!showIndicator) return;
    const int h = d->FRowIndicator->Height();
    int y = ARect.Top;
    if (d->FVAlignment == TVAlignment::vtaCenter) y = ARect.Top + (ARect.Height() - h) / 2;
    if (d->FVAlignment == TVAlignment::vtaBottom) y = ARect.Bottom - h;
    DrawBitmapTransparent(canvas, *d->FRowIndicator, clNone, Bounds(ARect.Left + 2, y, indicatorWidth, h));
    ARect.Left += indicatorWidth + 2;
}

void TZvStringGrid::PaintListViewHeader(TCanvas& canvas, int ACol, int ARow, const TRect& ARect)
{
    if (ThemedControls()) {
        TRect r = ARect;
        r.Bottom += 1;
        const bool inside = d->FHoverFixedCell.X == ACol && d->FHoverFixedCell.Y == ARow;
        const int part = inside ? HP_HEADERITEM : 3;
        const int state = !inside ? HIS_NORMAL : d->FMouseDown ? HIS_PRESSED : HIS_HOT;
        HTHEME theme = OpenThemeData(this, "header");
        DrawThemeBackground(theme, canvas, part, state, r);
        CloseThemeData(theme);
        canvas.Pen()->SetColor(clWhite);
        Line(canvas, ARect.Left, ARect.Top, ARect.Right, ARect.Top);
    } else {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.Pen()->SetColor(clWhite);
        canvas.Rectangle(ARect);
        canvas.Brush()->SetColor(d->FCellPaint.CellBrush);
    }
}

// Editor buttons that show without the editor; the text keeps clear of them.
void TZvStringGrid::PaintAlwaysVisibleButtons(TCanvas& canvas, int ACol, int ARow, TRect& ARect)
{
    const TControlLook& controlLook = *d->FControlLook;
    if (IsFixed(ACol, ARow) || !(controlLook.DropDownAlwaysVisible() || controlLook.SpinButtonsAlwaysVisible()))
        return;
    const int RCol = d->FCellPaint.RCol;
    TButtonLook look = controlLook.FlatButton() ? TButtonLook::blFlat
                       : ThemedControls()       ? TButtonLook::blTheme
                                                : TButtonLook::blClassic;
    if (d->FFlat && d->FHasColorTones && d->FColorTones.Background.BrushColor != clNone)
        look = TButtonLook::blColored;
    bool editable = true;
    QueryCellEditable(RCol, ARow, editable);
    const TButtonState state = editable ? TButtonState::bsNormal : TButtonState::bsDisabled;
    if (controlLook.DropDownAlwaysVisible() && QueryHasComboBox(RCol, ARow)) {
        DrawComboButton(canvas, this, Rect(ARect.Left - 2, ARect.Top - 1, ARect.Right + 1, ARect.Bottom), look, state,
                        d->FColorTones);
        ARect.Right -= 16;
    } else if (controlLook.SpinButtonsAlwaysVisible() && QueryHasSpinEdit(RCol, ARow)) {
        DrawSpinButtons(canvas, this, ARect, look, state, d->FColorTones);
        ARect.Right -= 16;
    }
    canvas.Brush()->SetColor(d->FCellPaint.CellBrush);
}

// The raised or lined edges of a fixed cell by look, and the outside lines of the right fixed columns.
void TZvStringGrid::PaintFixedCellEdges(TCanvas& canvas, int RCol, const TRect& ARect, bool FixedLook)
{
    if (FixedLook && !d->FFlat) {
        TRect r = ARect;
        const TGridOptions options = Options();
        switch (d->FLook) {
        case TGridLook::glClassic: {
            r.Top += 1;
            r.Bottom -= 1;
            r.Left += 1;
            TRect inner = r;
            DrawEdge(canvas, inner, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
            DrawEdge(canvas, inner, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
            canvas.Pen()->SetColor(clBlack);
            Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
            Line(canvas, r.Right - 1, r.Bottom - 1, r.Left - 1, r.Bottom - 1);
            break;
        }
        case TGridLook::glVUD:
        case TGridLook::glXP:
            r.Bottom += 1;
            if (options.Contains(goFixedHorzLine)) {
                canvas.Pen()->SetColor(HalfColor(FixedColor()));
                Line(canvas, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
            }
            canvas.Pen()->SetColor(clWhite);
            canvas.Polyline({{r.Right - 2, r.Top + 1}, {r.Left + 1, r.Top + 1}, {r.Left + 1, r.Bottom - 1}});
            break;
        case TGridLook::glSoft:
            if (d->FCtl3D) {
                r.Right += 1;
                r.Bottom += 1;
                if (options.Contains(goFixedHorzLine)) {
                    canvas.Pen()->SetColor(HalfColor(FixedColor()));
                    Line(canvas, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
                    canvas.Pen()->SetColor(clWhite);
                    canvas.Polyline({{r.Right, r.Top + 1}, {r.Left + 1, r.Top + 1}, {r.Left + 1, r.Bottom - 1}});
                }
                if (options.Contains(goFixedVertLine)) {
                    canvas.Pen()->SetColor(HalfColor(FixedColor()));
                    Line(canvas, r.Right - 2, r.Top, r.Right - 2, r.Bottom - 1);
                    canvas.Pen()->SetColor(clWhite);
                    Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
                }
            } else {
                OutsideLines(canvas, r, options, clBlack);
            }
            break;
        default: break;
        }
    }

    if (d->FFixedRightCols > 0 && d->FFixedRightCols >= ColCount() + d->FNumHidden - RCol &&
        d->FLook != TGridLook::glClassic && !d->FCtl3D) {
        OutsideLines(canvas, ARect, Options(), d->FFlat ? TColor(0x808080) : clBlack);
    }
}

void TZvStringGrid::PaintTreeLines(TCanvas& canvas, int RCol, int ARow, const TRect& ARect)
{
    if (d->FNumNodes <= 0 || RCol != 0 || ARow < FixedRows() || !d->FCellNode->ShowTree()) return;
    const int indent = d->FCellNode->NodeIndent();
    const int level = GetNodeLevel(ARow);
    const int x = RowIndent(ARow) - indent + indent / 2 + 2;
    const int y = ARect.Top + ARect.Height() / 2;
    canvas.Pen()->SetColor(d->FCellNode->TreeColor());
    canvas.Pen()->SetWidth(1);
    if (level > 0) Line(canvas, x, y, d->FCellNode->ShowTreeFull() ? ARect.Right : RowIndent(ARow) + 4, y);
    const int span = GetNodeSpanType(ARow);
    if (span == 1) Line(canvas, x, ARect.Top, x, y);
    if (span == 2) Line(canvas, x, ARect.Top, x, ARect.Bottom + 4);
    const bool last = ARow >= RowCount() - 1;
    const int nextLevel = last ? 0 : GetNodeLevel(ARow + 1);
    for (int i = 1; i <= level; ++i) {
        const int lx = x - indent * i;
        Line(canvas, lx, ARect.Top, lx, (!last && nextLevel != 0) ? ARect.Bottom + 4 : y);
        if ((last || nextLevel == 0) && i < level) Line(canvas, lx, y, x + indent - indent * i, y);
    }
}

// The focus rectangle around the current cell (around a merged cell's whole area from its base cell).
void TZvStringGrid::PaintCellFocusRect(TCanvas& canvas, int RCol, int ARow, const TRect& ARect)
{
    if (d->FHideFocusRect || !Focused() || Options().Contains(goRowSelect) || Row() < FixedRows() ||
        Col() < FixedCols())
        return;
    const TPoint base = BaseCell(RCol, ARow);
    if (base.X != DisplayToRealCol(Col()) || base.Y != Row()) return;
    const int g = GridLineWidth() - 1;
    canvas.DrawFocusRect(Rect(ARect.Left - g, ARect.Top - g, ARect.Right + g - 1, ARect.Bottom + g - 1));
}

// ---- Rich text ----------------------------------------------------------------------------

void TZvStringGrid::DrawRichTextCell(int RCol, int ARow, TRect Rect, TCanvas* Canvas)
{
    // Rich text shows with its own formats, on the cell's font and text colour.
    if (d->FDesignTime) return;
    const String text = GetCellEx(RCol, ARow);
    const int inset = d->FXYOffset.X;
    const TRect r = ::Rect(Rect.Left + inset, Rect.Top, Rect.Right - inset, Rect.Bottom);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(Canvas->Font()->ToQFont());
    LoadRtfIntoDocument(text, doc);
    if (WordWrap()) doc.setTextWidth(r.Width());
    QPainter* painter = Canvas->Painter();
    if (!painter) return;
    painter->save();
    painter->translate(r.Left, r.Top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, ToQColor(Canvas->Font()->Color()));
    context.clip = QRectF(0, 0, r.Width(), r.Height());
    painter->setClipRect(context.clip, Qt::IntersectClip);
    doc.documentLayout()->draw(painter, context);
    painter->restore();
}

String TZvStringGrid::RichTextPlain(const String& Rtf) { return RtfPlainText(Rtf); }
