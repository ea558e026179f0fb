// Cell text measuring, formatted and saved text, and small grid hooks.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLUtil.h"

#include "platform/DrawText.h"
#include "platform/RichText.h"
#include "platform/SysUtils.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>


// ---- Formatted and saved text ---------------------------------------------------------------

String TZvStringGrid::GetFormattedCell(int ACol, int ARow)
{
    String text = GetCellEx(ACol, ARow);
    if (!OnGetFloatFormat) return text;
    const int numberKind = NumberTextType(text);
    if (numberKind != ntInteger && numberKind != ntDecimal && numberKind != ntExponent) return text;
    bool isFloat = true;
    String format = d->FFloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat || format.isEmpty()) return text;
    try {
        if (format.contains('d'))
            return Format(format, {GetInts(ACol, ARow)});
        return Format(format, {GetFloats(ACol, ARow)});
    } catch (const std::exception&) {
        // A format that does not suit the value shows the text as stored.
        return text;
    }
}

String TZvStringGrid::CalculatedCellText(int ACol, int ARow) { return GetCellEx(ACol, ARow); }

String TZvStringGrid::CellTextToSave(int ACol, int ARow)
{
    String text = d->FSaveVirtCells ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (text.isEmpty()) {
        const TCellType kind = GetCellType(ACol, ARow);
        if (kind == TCellType::ctCheckBox || kind == TCellType::ctTriStateCheckBox) {
            bool checked = false;
            if (kind == TCellType::ctCheckBox) {
                GetCheckBoxState(ACol, RealRowIndex(ARow), checked);
            } else if (const TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
                checked = g->CellCheckBoxState() == TCheckBoxState::cbChecked;
            }
            if (checked)
                QueryCheckTrue(ACol, ARow, text);
            else
                QueryCheckFalse(ACol, ARow, text);
        }
    }
    const int kind = CellTextKind(text, d->FEnableHTML);
    if (kind == ctHTML && !d->FSaveWithHTML) text = StripHTMLTags(text);
    if (kind == ctRichText) {
        if (d->FSaveWithRTF) {
            text.remove('\r');
            text.remove('\n');
        } else {
            text = RichTextPlain(text);
        }
    }
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, text);
    return text;
}

void TZvStringGrid::StoreLoadedCell(int ACol, int ARow, const String& Value)
{
    String value = Value;
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, value);
    SetGridCell(ACol, ARow, value);
}

// The file writers and readers report their progress here; the grid itself has nothing to do.
void TZvStringGrid::ExportNotification(TGridExportState, int) {}
void TZvStringGrid::ImportNotification(TGridImportState, int) {}

// The text editor reports each change here, for grids that follow the typing.
void TZvStringGrid::InplaceEditChangeHook(const String&, int) {}

// ---- Hooks -------------------------------------------------------------------------------------

void TZvStringGrid::FireSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    if (d->FLook == TGridLook::glVista || d->FLook == TGridLook::glWin7 || d->FLook == TGridLook::glOffice2007)
        RepaintRect(TGridRect{ALeft, ATop, ARight, ABottom});
    d->FSelectionChanged = true;
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TZvStringGrid::AutoInsertRow(int ARow)
{
    if (d->FNumNodes == 0) {
        InsertRows(ARow, 1);
    } else if (GetParentRow(DisplRowIndex(ARow)) < 0) {
        InsertNormalRow(ARow);
    } else {
        InsertChildRow(ARow, false);
    }
}

void TZvStringGrid::AutoDeleteRow(int ARow)
{
    if (d->FNumNodes > 0) {
        if (GetParentRow(DisplRowIndex(ARow)) < 0)
            RemoveNormalRow(ARow);
        else
            RemoveChildRow(ARow);
    } else if (RowCount() - FixedRows() - d->FFixedFooters != 1 || d->FFixedRowAlways) {
        RemoveRows(ARow, 1);
    } else {
        // The only normal row stays, emptied, so the grid keeps a row to type in.
        ClearRows(ARow, 1);
    }
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TZvStringGrid::FireFilterDone()
{
    if (OnFilterDone) OnFilterDone(this);
}

void TZvStringGrid::FireFixedEdit(int ACol, int ARow, TStringList* Values, TGridFixedCellEditor& AEditor)
{
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

// ---- Measuring ----------------------------------------------------------------------------------

TPoint TZvStringGrid::GetCellTextSize(int ACol, int ARow, bool ReserveButton, bool Wrap)
{
    const int c = RealToDisplayCol(ACol);
    String text = GetFormattedCell(ACol, ARow);
    int kind = CellTextKind(text, d->FEnableHTML);
    TCanvas& canvas = *Canvas();
    TBrush brush;
    TGridDrawState state;
    GetFontProperties(c, ACol, false, &brush, canvas.Font(), state, ARow);
    if ((ACol < FixedCols() || ARow < FixedRows()) && d->FActiveCellShow &&
        d->FActiveCellFont->Style().Contains(TFontStyle::fsBold))
        canvas.Font()->SetStyle(canvas.Font()->Style() + TFontStyles{TFontStyle::fsBold});
    if (d->FZoomFactor != 0) canvas.Font()->SetSize(canvas.Font()->Size() + d->FZoomFactor);
    if (kind == ctFormula) {
        text = CalculatedCellText(ACol, ARow);
        kind = CellTextKind(text, d->FEnableHTML);
    }

    TRect r = CellRect(c, ARow);
    r.Left += d->FXYOffset.X;
    r.Top += d->FXYOffset.Y;
    if (!d->FXYOffsetTopLeftOnly) {
        r.Right -= d->FXYOffset.X;
        r.Bottom -= d->FXYOffset.Y;
    }
    if (ReserveButton) r.Right -= 17;

    TPoint size{};
    if (kind == ctHTML) {
        if (!Wrap) r.Right = 65535;
        r.Bottom = 65535;
        const TSize s = DrawMarkupText(canvas, text, r, true, true);
        size = {s.cx + 2, s.cy + 2};
    } else if (kind == ctRichText) {
        // Measured as it is painted: with its own formats, on the cell's font.
        QTextDocument doc;
        doc.setDocumentMargin(0);
        doc.setDefaultFont(canvas.Font()->ToQFont());
        LoadRtfIntoDocument(text, doc);
        if (Wrap) doc.setTextWidth(std::max(1, r.Width()));
        size = {int(std::ceil(doc.idealWidth())), int(std::ceil(doc.size().height()))};
    } else {
        int angle = 0;
        const bool rotated = IsRotated(ACol, ARow, angle);
        if (Wrap) {
            r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
            if (d->FInEditMode && ACol == RealCol() && ARow == Row() && text.endsWith('\n')) text += "w";
            unsigned flags = DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;
            flags |= rotated ? DT_SINGLELINE : DT_WORDBREAK;
            TRect m = r;
            const int h = DrawTextEx(canvas, text, m, flags);
            size = {m.Width(), h};
        } else {
            if (d->FURLShow && !d->FURLFull && kind == ctPlain && IsURLText(text)) StripURLScheme(text);
            QStringList lines;
            if (d->FMultilinecells)
                lines = text.split(QRegularExpression("\r\n|\n|\r"));
            else
                lines = {text};
            int widest = 0;
            for (const String& line : lines) widest = std::max(widest, canvas.TextWidth(line));
            size = {widest, canvas.TextHeight("gh") * int(lines.size())};
        }
        if (rotated) {
            const double a = angle * M_PI / 180.0;
            const int s1 = int(size.Y * std::sin(a)), k1 = int(size.X * std::cos(a));
            const int k2 = int(size.Y * std::cos(a)), s2 = int(size.X * std::sin(a));
            size = {std::abs(std::abs(s1) - std::abs(k1)) + 12, std::abs(std::abs(k2) - std::abs(s2)) + 12};
        }
    }
    return size;
}

// ---- Balloons ----------------------------------------------------------------------------------

bool TZvStringGrid::CellBalloonText(int ACol, int ARow, String& Title, String& Text, int& Icon)
{
    if (!d->FBalloon->Enable()) return false;
    const TPoint base = BaseCell(DisplayToRealCol(ACol), ARow);
    const int rc = base.X, rr = base.Y;
    String text = GetCellEx(rc, rr);
    switch (CellTextKind(text, d->FEnableHTML)) {
    case ctHTML: text = StripHTMLTags(text); break;
    case ctRichText: text = RichTextPlain(text); break;
    case ctUnicode: text = DecodeUnicodeCellText(text); break;
    default: break;
    }
    int first = 0;
    while (first < text.size() && (text[first] == '\r' || text[first] == '\n' || text[first] == '\t')) ++first;
    text = text.mid(first);
    text.replace('\t', ' ');
    if (text.size() > 2048) text = text.left(2045) + "...";
    Title.clear();
    Icon = 1;
    String bt, bx;
    int bi = 1;
    if (IsBalloon(rc, rr, bt, bx, bi)) {
        Title = bt;
        text = bx;
        Icon = bi;
    }
    if (OnCellBalloon) OnCellBalloon(this, rc, rr, Title, text, Icon);
    if (Title.isEmpty()) Title = " ";
    if (Title.size() > 100) Title = Title.left(97) + "...";
    Text = text;
    d->FBalloonCell = {rc, rr};
    return true;
}

// The platform sends the grid no tool-tip or date-time notifications: the
// balloon window asks CellBalloonText and the date editors fire their event
// themselves.
void TZvStringGrid::NotifyMessageHook(TMessage&) {}


void TZvStringGrid::RotatedTextRect(TRect& Rect, int Angle, const String& Text, TAlignment HAlign,
                                    TVAlignment VAlign)
{
    // One "w" more gives the turned box the slack the upright text has at its end.
    const TSize extent = Canvas()->TextExtent(Text + u'w');
    Rect = TRect{Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
    const double a = Angle * std::numbers::pi / 180.0;
    const auto projected = [](double v) { return std::abs(int(v)); };
    const int CW = projected(std::cos(a) * extent.cx), SH = projected(std::sin(a) * extent.cy);
    const int SW = projected(std::sin(a) * extent.cx), CH = projected(std::cos(a) * extent.cy);
    RotatedTextOrigin(Rect, int(HAlign), int(VAlign), Angle, CH, SW, SH, CW);
}

int TZvStringGrid::RowLineCount(int ARow)
{
    if (ColCount() <= 0 || !Multilinecells()) return 1;
    int lines = 1;
    for (int i = 0; i < ColCount(); ++i) lines = std::max(lines, LineCountOf(GetCellEx(RealColIndex(i), ARow), true));
    return lines;
}

void TZvStringGrid::InvalidateCellRange(TGridRect R)
{
    if (!HandleAllocated()) return;
    const TRect a = CellRect(R.Left, R.Top), b = CellRect(R.Right, R.Bottom);
    InvalidateRect(TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                         std::max(a.Bottom, b.Bottom)});
}

// The room a cell's text offset takes across and down: the offset on both sides, or only on the top-left one.
int TZvStringGrid::TotalXOffset() const { return d->FXYOffsetTopLeftOnly ? d->FXYOffset.X : 2 * d->FXYOffset.X; }

int TZvStringGrid::TotalYOffset() const { return d->FXYOffsetTopLeftOnly ? d->FXYOffset.Y : 2 * d->FXYOffset.Y; }
