#include "grid/services/ZvHTMLHintWindow.h"

#include "grid/ZvGrid.h"
#include "grid/support/ZvGridUtil.h"
#include "grid/support/ZvHTMLRender.h"
#include "platform/DrawText.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

String& HintFontName()
{
    static String name = QStringLiteral("Tahoma");
    return name;
}

THTMLDrawParams HintParams(TCustomImageList* images, TPictureContainer* pictures, bool measure)
{
    THTMLDrawParams p;
    p.Images = images;
    p.Pictures = pictures;
    p.MeasureOnly = measure;
    p.WordWrap = true;
    p.ShadowColor = clGray;
    p.HoverColor = clNone;
    p.HoverFontColor = clNone;
    p.URLColor = clBlue;
    return p;
}

}  // namespace

void SetHTMLHintFontName(const String& name) { HintFontName() = name; }

String HTMLHintFontName() { return HintFontName(); }

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void* AData)
{
    if (auto* grid = dynamic_cast<TZvStringGrid*>(static_cast<TObject*>(AData))) {
        FImages = grid->GridImages();
        FPictures = grid->PictureContainer();
    }
    THintWindow::ActivateHintData(Rect, AHint, AData);
}

void THTMLHintWindow::PrepareCanvasFont(bool unicode)
{
    Canvas()->SetFont(Font());
    if (unicode) Canvas()->Font()->SetName(HintFontName());
}

TSize THTMLHintWindow::MeasureText(const String& AHint, int maxWidth)
{
    const bool unicode = CellTextKind(AHint, true) == ctUnicode;
    PrepareCanvasFont(unicode);
    if (unicode) {
        TRect r = Rect(0, 0, maxWidth, 0);
        const int height = DrawText(*Canvas(), DecodeUnicodeCellText(AHint), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return {r.Right, height};
    }
    THTMLDrawResult result;
    DrawHTMLText(*Canvas(), AHint, Rect(0, 0, maxWidth, 0), HintParams(FImages, FPictures, true), result);
    return {result.XSize, result.YSize};
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    const TSize size = MeasureText(AHint, MaxWidth);
    return Rect(0, 0, size.cx, size.cy);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    SetCaption(AHint);
    const bool unicode = CellTextKind(AHint, true) == ctUnicode;
    FWideCaption = unicode ? DecodeUnicodeCellText(AHint) : String();
    const TSize size = MeasureText(AHint, MaxTextWidth);
    FTextWidth = size.cx;
    FTextHeight = size.cy;
    const int margin = unicode ? 8 : 16;
    TRect r{Rect.Left, Rect.Top, Rect.Left + FTextWidth + margin, Rect.Top + FTextHeight + 4};

    // Kept on the monitor nearest the hint's corner, 2 pixels inside its edges.
    const QPoint corner(r.Left, r.Top);
    QScreen* screen = QGuiApplication::screenAt(corner);
    if (!screen) {
        int best = -1;
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            const int dx = std::max({g.left() - corner.x(), 0, corner.x() - g.right()});
            const int dy = std::max({g.top() - corner.y(), 0, corner.y() - g.bottom()});
            if (best < 0 || dx + dy < best) {
                best = dx + dy;
                screen = s;
            }
        }
    }
    if (screen) {
        const QRect g = screen->geometry();
        const int right = g.left() + g.width(), bottom = g.top() + g.height();
        if (r.Right > right) {
            const int shift = r.Right - (right - 2);
            r.Left -= shift;
            r.Right -= shift;
        }
        if (r.Bottom > bottom) {
            const int shift = r.Bottom - (bottom - 2);
            r.Top -= shift;
            r.Bottom -= shift;
        }
    }
    SetBoundsRect(r);
    ShowAtBounds();
    Invalidate();
}

void THTMLHintWindow::Paint()
{
    TCanvas& c = *Canvas();
    const TRect client = ClientRect();
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(client);
    c.Pen()->SetWidth(1);
    c.Pen()->SetColor(cl3DLight);
    c.MoveTo(client.Left, client.Bottom - 1);
    c.LineTo(client.Left, client.Top);
    c.LineTo(client.Right - 1, client.Top);
    c.Pen()->SetColor(cl3DDkShadow);
    c.LineTo(client.Right - 1, client.Bottom - 1);
    c.LineTo(client.Left, client.Bottom - 1);

    const int top = client.Top + (client.Height() - FTextHeight) / 2;
    TRect text = Rect(client.Left + 4, top, client.Right - 4, top + FTextHeight + 8);
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    const bool unicode = !FWideCaption.isEmpty();
    PrepareCanvasFont(unicode);
    if (unicode) {
        DrawText(c, FWideCaption, text, DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    THTMLDrawResult result;
    DrawHTMLText(c, Caption(), text, HintParams(FImages, FPictures, false), result);
}
