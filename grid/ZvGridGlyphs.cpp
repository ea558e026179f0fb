// Painters of check boxes, radio buttons and sort glyphs.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/ZvGridSort.h"

#include "grid/support/ZvDrawRoutines.h"

#include "platform/FrameControls.h"
#include "platform/Themes.h"

#include <algorithm>

namespace {

// Resource pictures by look: index 0 checked/selected, 1 unchecked, 2 checked
// and disabled, 3 unchecked and disabled.
const char* const VUDChecks[] = {"ASGCHK01", "ASGCHK02", "ASGCHK03", "ASGCHK04"};
const char* const XPChecks[] = {"ASGCHK05", "ASGCHK06", "ASGCHK07", "ASGCHK08"};
const char* const VUDRadios[] = {"ASGRAD01", "ASGRAD02", "ASGRAD03", "ASGRAD04"};
const char* const XPRadios[] = {"ASGRAD05", "ASGRAD06", "ASGRAD07", "ASGRAD08"};

int PictureIndex(bool on, bool enabled) { return (on ? 0 : 1) + (enabled ? 0 : 2); }

void DrawGlyphTransparent(TCanvas& canvas, TBitmap* glyph, int x, int y)
{
    if (!glyph || glyph->Empty()) return;
    DrawBitmapTransparent(canvas, *glyph, clNone, Bounds(x, y, glyph->Width(), glyph->Height()));
}

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2)
{
    canvas.Pen()->SetColor(color);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

} // namespace

bool TZvStringGrid::ThemedControls() const { return d->FIsWinXP && IsThemeActive(); }

TCanvas* TZvStringGrid::CellCanvas() const { return d->FCellPaint.Canvas ? d->FCellPaint.Canvas : Canvas(); }

void TZvStringGrid::DrawCheckBox(TRect Rect, bool Checked, TCheckBoxState State, bool ThreeState,
                                 TGridControlStyle Style, bool Grayed, bool Enabled)
{
    TCanvas& canvas = *CellCanvas();
    if (d->FControlLook->NoDisabledCheckRadioLook() || d->FControlLook->CheckAlwaysActive()) Enabled = true;
    if (Style == TGridControlStyle::csTheme && !(d->FIsComCtl6 && ThemedControls()))
        Style = TGridControlStyle::csClassic;
    if (ThreeState) {
        Checked = State == TCheckBoxState::cbChecked;
        Grayed = State == TCheckBoxState::cbGrayed;
    }
    const int size = d->FControlLook->CheckSize();
    if (UseRightToLeftReading()) {
        const int w = Rect.Width();
        Rect.Left = ClientWidth() - Rect.Left - w;
        Rect.Right = Rect.Left + w;
    }
    switch (Style) {
    case TGridControlStyle::csClassic:
    case TGridControlStyle::csFlat: {
        TRect box = Bounds(Rect.Left + (Rect.Width() - size) / 2, Rect.Top + (Rect.Height() - size) / 2, size, size);
        unsigned flags = DFCS_BUTTONCHECK;
        if (Checked) flags |= DFCS_CHECKED;
        if (Grayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (Style == TGridControlStyle::csFlat) flags |= DFCS_FLAT;
        if (!Enabled) flags |= DFCS_INACTIVE;
        DrawFrameControl(canvas, box, DFC_BUTTON, flags);
        break;
    }
    case TGridControlStyle::csWinXP:
        DrawResourceBitmap(canvas, clNone, Rect, XPChecks[PictureIndex(Checked, Enabled)]);
        break;
    case TGridControlStyle::csVUD:
        DrawResourceBitmap(canvas, clNone, Rect, VUDChecks[PictureIndex(Checked, Enabled)]);
        break;
    case TGridControlStyle::csBorland: {
        const TRect box = Bounds(Rect.Left, Rect.Top, size, size);
        const TColor oldBrush = canvas.Brush()->Color();
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        canvas.Pen()->SetColor(clBtnFace);
        canvas.Rectangle(box);
        const int L = box.Left, T = box.Top, R = box.Right, B = box.Bottom;
        Line(canvas, clBtnHighlight, L, B - 1, L, T);
        Line(canvas, clBtnHighlight, L, T, R - 1, T);
        Line(canvas, clBtnShadow, R - 1, T, R - 1, B - 1);
        Line(canvas, clBtnShadow, R - 1, B - 1, L, B - 1);
        if (Checked) {
            const TColor mark = Enabled ? d->FControlLook->Color() : TColor(0x808080);
            const int c = size / 2;
            Line(canvas, mark, L + 2, T + c, L + 2, B - 2);
            Line(canvas, mark, L + 3, T - 1 + c, L + 3, B - 3);
            Line(canvas, mark, L + 2, B - 2, R - 2, T + 2);
            Line(canvas, mark, L + 3, B - 2, R - 1, T + 2);
        }
        canvas.Brush()->SetColor(oldBrush);
        break;
    }
    case TGridControlStyle::csGlyph: {
        TBitmap* glyph = Checked ? d->FControlLook->CheckedGlyph() : d->FControlLook->UnCheckedGlyph();
        DrawGlyphTransparent(canvas, glyph, Rect.Left, Rect.Top);
        break;
    }
    case TGridControlStyle::csTheme: {
        int state = Checked ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                            : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
        if (Grayed) state = Enabled ? CBS_MIXEDNORMAL : CBS_MIXEDDISABLED;
        HTHEME theme = OpenThemeData(this, "button");
        DrawThemeBackground(theme, canvas, BP_CHECKBOX, state, Bounds(Rect.Left, Rect.Top, size, size));
        CloseThemeData(theme);
        break;
    }
    }
}

void TZvStringGrid::DrawRadioGroup(TCanvas* Canvas, TRect Rect, bool Upward, double Scale, TGridControlStyle Style,
                                   int Row, int Col, bool Selected, TStringList* Options, bool Disabled,
                                   bool Horizontal, int SelectedIndex, int Count)
{
    TCanvas& canvas = *Canvas;
    if (d->FControlLook->NoDisabledCheckRadioLook() || d->FControlLook->RadioAlwaysActive()) Disabled = false;
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    if (Count <= 0) return;
    if (Style == TGridControlStyle::csTheme && !ThemedControls()) return;
    const bool classic = Style == TGridControlStyle::csClassic || Style == TGridControlStyle::csFlat;
    const int radio = d->FControlLook->RadioSize();
    const int textHeight = canvas.TextHeight("gh");
    const int step = (classic ? textHeight : std::max(16, textHeight)) * (Upward ? -1 : 1);
    const bool pictureStyle = Style == TGridControlStyle::csWinXP || Style == TGridControlStyle::csVUD ||
                              Style == TGridControlStyle::csGlyph;
    const TColor oldFont = canvas.Font()->Color();
    if (Selected && d->FShowSelection && d->FSelectionTextColor != clNone)
        canvas.Font()->SetColor(d->FSelectionTextColor);
    const String cellText = Options ? GetCellEx(Col, Row) : String();
    int p = 0;
    for (int i = 1; i <= Count; ++i) {
        const String caption = Options && Options->Count() >= i ? Options->Strings(i - 1) : String();
        const bool on = i == SelectedIndex + 1 || (SelectedIndex == -1 && !caption.isEmpty() && caption == cellText);
        int cx = 0, cy = 0, tx = 0, ty = 0;
        if (Horizontal) {
            if (classic) {
                cx = Rect.Left + 2 + (i - 1) * radio + p;
                cy = Rect.Top + (Rect.Height() - radio) / 2;
                tx = cx + int(Scale * radio);
            } else {
                cx = Rect.Left + p + 16 * i - 14;
                cy = Rect.Top + (Rect.Height() - 16) / 2;
                tx = cx + 16;
            }
            ty = pictureStyle ? cy + 1 : cy - 2;
            p += canvas.TextWidth(caption);
        } else if (!caption.isEmpty()) {
            cx = Rect.Left + 2;
            cy = Rect.Top + step * (i - 1) + 2;
            if (classic) {
                tx = cx + int(Scale * (radio + 4));
                ty = cy - 2;
            } else if (pictureStyle) {
                tx = Rect.Left + 18;
                ty = cy + 1;
            } else {
                tx = Rect.Left + 20;
                ty = cy - 2;
            }
        } else {
            const int w = classic ? int(Scale * radio) : 16;
            cx = Rect.Left + (Rect.Width() - w) / 2;
            cy = Rect.Top + step * (i - 1) + 2;
        }
        switch (Style) {
        case TGridControlStyle::csClassic:
        case TGridControlStyle::csFlat: {
            const bool flat = d->FControlLook->ControlStyle() == TGridControlStyle::csFlat;
            const int s = int(Scale * (flat ? radio + 2 : radio));
            TRect box = Bounds(cx, cy, s, s);
            unsigned flags = DFCS_BUTTONRADIO;
            if (flat) flags |= DFCS_FLAT;
            if (Disabled) flags |= DFCS_INACTIVE;
            if (on) flags |= DFCS_CHECKED;
            DrawFrameControl(canvas, box, DFC_BUTTON, flags);
            break;
        }
        case TGridControlStyle::csBorland: {
            const TColor oldBrush = canvas.Brush()->Color();
            const int L = cx, T = cy;
            canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
            canvas.Brush()->SetColor(clBtnFace);
            canvas.Pen()->SetColor(clBtnFace);
            canvas.Polygon({{L + 2, T + 8}, {L + 8, T + 2}, {L + 14, T + 8}, {L + 8, T + 14}});
            const TColor upper = on ? TColor(0x808080) : clWhite, lower = on ? clWhite : TColor(0x808080);
            Line(canvas, upper, L + 2, T + 8, L + 8, T + 2);
            Line(canvas, upper, L + 8, T + 2, L + 14, T + 8);
            Line(canvas, lower, L + 14, T + 8, L + 8, T + 14);
            Line(canvas, lower, L + 8, T + 14, L + 2, T + 8);
            if (on) {
                canvas.Brush()->SetColor(d->FControlLook->Color());
                canvas.Pen()->SetColor(d->FControlLook->Color());
                canvas.Polygon({{L + 6, T + 8}, {L + 8, T + 6}, {L + 10, T + 8}, {L + 8, T + 10}});
            }
            canvas.Brush()->SetColor(oldBrush);
            canvas.Brush()->SetStyle(TBrushStyle::bsClear);
            break;
        }
        case TGridControlStyle::csWinXP:
            DrawResourceBitmap(canvas, clNone, Bounds(cx, cy, 16, 16), XPRadios[PictureIndex(on, !Disabled)]);
            break;
        case TGridControlStyle::csVUD:
            DrawResourceBitmap(canvas, clNone, Bounds(cx, cy, 16, 16), VUDRadios[PictureIndex(on, !Disabled)]);
            break;
        case TGridControlStyle::csGlyph: {
            const TControlLook& look = *d->FControlLook;
            DrawGlyphTransparent(canvas, on ? look.RadioOnGlyph() : look.RadioOffGlyph(), cx, cy);
            break;
        }
        case TGridControlStyle::csTheme: {
            const int state = on ? (Disabled ? RBS_CHECKEDDISABLED : RBS_CHECKEDNORMAL)
                                 : (Disabled ? RBS_UNCHECKEDDISABLED : RBS_UNCHECKEDNORMAL);
            HTHEME theme = OpenThemeData(this, "button");
            DrawThemeBackground(theme, canvas, BP_RADIOBUTTON, state, Bounds(cx, cy, 16, 16));
            CloseThemeData(theme);
            break;
        }
        }
        if (!caption.isEmpty()) {
            canvas.Brush()->SetStyle(TBrushStyle::bsClear);
            canvas.TextOut(tx, ty, caption);
        }
    }
    canvas.Font()->SetColor(oldFont);
}

void TZvStringGrid::DrawSortGlyph(TCanvas* Canvas, int ACol, int Y, int X)
{
    TCanvas& canvas = *Canvas;
    TSortSettings& sort = *SortSettings();
    const bool indexGlyphs = sort.IndexUpGlyph() && !sort.IndexUpGlyph()->Empty() && sort.IndexDownGlyph() &&
                             !sort.IndexDownGlyph()->Empty();
    const bool plainGlyphs = sort.UpGlyph() && !sort.UpGlyph()->Empty() && sort.DownGlyph() &&
                             !sort.DownGlyph()->Empty();
    int x = X;
    const int y = Y;
    if (UseRightToLeftReading()) {
        const bool glyphs = sort.IndexShow() ? indexGlyphs : plainGlyphs;
        x = ClientWidth() - X - 4 - 7 - (glyphs ? sort.UpGlyph() ? sort.UpGlyph()->Width() : 0 : 0);
    }
    if (sort.IndexShow()) {
        const TSortIndexList* list = SortIndexes();
        const int k = list ? list->FindIndex(ACol) : -1;
        if (k < 0) return;
        const bool ascending = list->SortDirections(k);
        const TColor oldBrush = canvas.Brush()->Color();
        TFont oldFont;
        oldFont.Assign(canvas.Font());
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(sort.IndexColor());
        canvas.Pen()->SetColor(clBlack);
        const String number = QString::number(k + 1);
        if (!ascending) {
            if (indexGlyphs)
                DrawGlyphTransparent(canvas, sort.IndexUpGlyph(), x - 7, y - 7);
            else
                canvas.Polygon({{x - 7, y - 5}, {x + 7, y - 5}, {x, y + 8}});
        } else {
            if (indexGlyphs)
                DrawGlyphTransparent(canvas, sort.IndexDownGlyph(), x - 7, y - 7);
            else
                canvas.Polygon({{x - 6, y + 8}, {x + 6, y + 8}, {x, y - 4}});
        }
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        canvas.Font()->SetColor(clBlack);
        canvas.Font()->SetSize(6);
        canvas.Font()->SetStyle({});
        canvas.TextOut(x - 2, ascending ? y - 2 : y - 4, number);
        canvas.SetFont(&oldFont);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(oldBrush);
        return;
    }
    const bool descending = sort.Direction() == TSortDirection::sdDescending;
    if (!plainGlyphs) {
        canvas.Pen()->SetWidth(1);
        if (descending) {
            Line(canvas, clWhite, x + 4, y - 4, x, y + 4);
            Line(canvas, 0x808080, x, y + 4, x - 4, y - 4);
            Line(canvas, 0x808080, x - 4, y - 4, x + 4, y - 4);
        } else {
            Line(canvas, clWhite, x - 4, y + 4, x + 4, y + 4);
            Line(canvas, clWhite, x + 4, y + 4, x, y - 4);
            Line(canvas, 0x808080, x, y - 4, x - 4, y + 4);
        }
        canvas.Pen()->SetColor(clBlack);
    } else {
        DrawGlyphTransparent(canvas, descending ? sort.DownGlyph() : sort.UpGlyph(), x - 4, y - 4);
        canvas.Brush()->SetColor(FixedColor());
    }
}
