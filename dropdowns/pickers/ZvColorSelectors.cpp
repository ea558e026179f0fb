// The colour cube, the spectrum and the palette of colour boxes.
#include "dropdowns/pickers/ZvColorSelectors.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

#include <QColor>

#include <algorithm>

namespace {

// ---- The cube's rows: centre y, first centre x and colours, left to right ----
struct TCubeRow {
    int Y, FirstX;
    std::vector<TColor> Colors;
};

const std::vector<TCubeRow>& CubeRows()
{
    static const std::vector<TCubeRow> rows = {
        {20, 55, {0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000}},
        {30, 49, {0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333}},
        {40, 43, {0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666}},
        {50, 37, {0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066}},
        {60, 31, {0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
                  0xFF0099}},
        {70, 25, {0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
                  0xFF00CC, 0xCC0099}},
        {80, 19, {0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
                  0xFF00FF, 0xCC00CC, 0x660066}},
        {90, 25, {0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
                  0x9900CC, 0x800080}},
        {100, 31, {0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
                   0x990099}},
        {110, 37, {0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399}},
        {120, 43, {0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066}},
        {130, 49, {0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099}},
        {140, 55, {0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5}},
    };
    return rows;
}

constexpr int CubeWidth = 182, CubeHeight = 160;
constexpr int SpectrumWidth = 150, SpectrumHeight = 174;
constexpr int SpectrumSide = 128;
constexpr TColor Grey = 0x808080;

TColor FromQRgb(QRgb rgb)
{
    return TColor(qRed(rgb)) | (TColor(qGreen(rgb)) << 8) | (TColor(qBlue(rgb)) << 16);
}

void FillBackground(TCanvas& canvas, TColor color, int width, int height)
{
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(Rect(0, 0, width, height));
}

// The theme palette: row by row, ten boxes each, with the row's box position.
struct TPaletteRow {
    TItemPos Pos;
    std::array<TColor, 10> Colors;
};
constexpr std::array<TPaletteRow, 6> OfficeRows{{
    {TItemPos::ipStandAlone,
     {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7}},
    {TItemPos::ipTop, {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD}},
    {TItemPos::ipMiddle,
     {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB}},
    {TItemPos::ipMiddle,
     {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA}},
    {TItemPos::ipMiddle,
     {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3}},
    {TItemPos::ipBottom,
     {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}},
}};

} // namespace

// ---- Cube ------------------------------------------------------------------------------------
TZvColorCubePanel::TZvColorCubePanel(TComponent* AOwner) : TZvCustomColorSelectorPanel(AOwner)
{
    InitCells();
    UpdateSize();
    SetShowRGBHint(true);
}

void TZvColorCubePanel::UpdateSize() { SetBounds(Left(), Top(), CubeWidth, CubeHeight); }

void TZvColorCubePanel::SetShowRGBHint(bool value)
{
    FShowRGBHint = value;
    SetShowHint(value);
}

void TZvColorCubePanel::InitCells()
{
    FCubeSize = Point(6, 3);
    int i = 1;
    for (const TCubeRow& row : CubeRows()) {
        int x = row.FirstX;
        for (TColor color : row.Colors) {
            FCubeCells[std::size_t(i++)] = {x, row.Y, color};
            x += 2 * FCubeSize.X;
        }
    }
}

void TZvColorCubePanel::ResetHotCell()
{
    FHotIndex = -1;
    UpdateSize();
}

int TZvColorCubePanel::CellAtPos(int x, int y) const
{
    const int r = FCubeSize.X;
    for (int i = 1; i <= CellCount; ++i) {
        const TCubeCell& c = FCubeCells[std::size_t(i)];
        if ((c.X - x) * (c.X - x) + (c.Y - y) * (c.Y - y) <= r * r) return i;
    }
    return -1;
}

void TZvColorCubePanel::SelectCell(TColor color, int index)
{
    FSelectedColor = color;
    if (index >= 1 && index <= CellCount) {
        FSelectedIndex = index;
        return;
    }
    FSelectedIndex = -1;
    for (int i = 1; i <= CellCount; ++i) {
        if (FCubeCells[std::size_t(i)].Color == color) {
            FSelectedIndex = i;
            return;
        }
    }
}

void TZvColorCubePanel::DrawHexagon(TCanvas& canvas, int x, int y, int w, int h) const
{
    canvas.Polygon({Point(x - w, y - h), Point(x, y - 2 * h), Point(x + w, y - h), Point(x + w, y + h),
                    Point(x, y + 2 * h), Point(x - w, y + h)});
}

void TZvColorCubePanel::DrawCell(TCanvas& canvas, int i) const
{
    if (i < 1 || i > CellCount) return;
    const TCubeCell& c = FCubeCells[std::size_t(i)];
    canvas.Pen()->SetColor(c.Color);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(c.Color);
    DrawHexagon(canvas, c.X, c.Y, 6, 3);
    auto frame = [&](TColor outer) {
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        canvas.Pen()->SetColor(outer);
        DrawHexagon(canvas, c.X, c.Y, 5, 3);
        canvas.Pen()->SetColor(clWhite);
        DrawHexagon(canvas, c.X, c.Y, 4, 2);
    };
    if (i == FHotIndex) frame(clRed);
    if (i == FSelectedIndex) frame(clBlack);
}

void TZvColorCubePanel::Paint()
{
    TCanvas& canvas = *Canvas();
    FillBackground(canvas, Color(), Width(), Height());
    TZvCustomColorSelectorPanel::Paint();
    for (int i = 1; i <= CellCount; ++i) DrawCell(canvas, i);
}

void TZvColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int i = CellAtPos(X, Y);
    if (i < 1) return;
    FSelectedIndex = -1;
    SelectCell(FCubeCells[std::size_t(i)].Color, i);
    Invalidate();
    if (OnSelect) OnSelect(this);
}

void TZvColorCubePanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TZvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int i = CellAtPos(X, Y);
    if (i > 0 && i != FHotIndex) {
        FHotIndex = i;
        Invalidate();
        if (FShowRGBHint) {
            const TColor c = FCubeCells[std::size_t(i)].Color;
            SetHint(QStringLiteral("Red: %1,  Green: %2,  Blue: %3")
                        .arg(c & 0xFF)
                        .arg((c >> 8) & 0xFF)
                        .arg((c >> 16) & 0xFF));
            Application->CancelHint();
        }
    } else if (i < 1 && FShowRGBHint) {
        // The hot cell keeps its frame; only the hint goes.
        SetHint(String());
        Application->CancelHint();
    }
}

void TZvColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    if (OnShouldHide) OnShouldHide(this);
}

// ---- Spectrum --------------------------------------------------------------------------------
QImage MakeSpectrumImage()
{
    QImage image(SpectrumSide, SpectrumSide, QImage::Format_RGB32);
    const int half = SpectrumSide / 2;
    for (int y = 0; y < SpectrumSide; ++y) {
        for (int x = 0; x < SpectrumSide; ++x) {
            const QColor hue = QColor::fromHsv(x * 359 / (SpectrumSide - 1), 255, 255);
            QColor c;
            if (y < half) {
                // White at the top, the full hue at the middle.
                const double t = double(y) / half;
                c.setRgb(int(255 + (hue.red() - 255) * t), int(255 + (hue.green() - 255) * t),
                         int(255 + (hue.blue() - 255) * t));
            } else {
                const double t = double(y - half) / (SpectrumSide - 1 - half);
                c.setRgb(int(hue.red() * (1 - t)), int(hue.green() * (1 - t)), int(hue.blue() * (1 - t)));
            }
            image.setPixel(x, y, c.rgb());
        }
    }
    return image;
}

TZvColorSpectrumPanel::TZvColorSpectrumPanel(TComponent* AOwner) : TZvCustomColorSelectorPanel(AOwner)
{
    FSpectrumImage = new TImage(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, SpectrumSide, SpectrumSide);
    FSpectrumImage->Picture()->SetImage(MakeSpectrumImage());
    FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { PictureMouseDown(); };
    FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, int x, int y) { PictureMouseMove(x, y); };
    FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
        if (OnShouldHide) OnShouldHide(this);
    };
    FSpectrumImage->SetCursor(crCross);
    UpdateLayout();
}

void TZvColorSpectrumPanel::UpdateSize() { SetBounds(Left(), Top(), SpectrumWidth, SpectrumHeight); }

void TZvColorSpectrumPanel::UpdateLayout()
{
    UpdateSize();
    TImage& image = *FSpectrumImage;
    image.SetBounds((Width() - image.Width()) / 2, 10, image.Width(), image.Height());
    const int bottom = image.Top() + image.Height();
    FSelectedRect = Rect(image.Left() - 1, bottom + 8, image.Left() + image.Width() / 2 - 2, bottom + 28);
    FHotRect = Rect(FSelectedRect.Right + 4, FSelectedRect.Top, image.Left() + image.Width() + 1,
                    FSelectedRect.Bottom);
    FHotColor = clNone;
    Invalidate();
}

void TZvColorSpectrumPanel::DrawSample(TCanvas& canvas, const TRect& box, TColor color) const
{
    canvas.Pen()->SetColor(Grey);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(Rect(box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1));
    canvas.Pen()->SetColor(clWhite);
    // clNone paints no fill: an empty box until the pointer is over the picture.
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Rectangle(box);
}

void TZvColorSpectrumPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    FillBackground(canvas, Color(), Width(), Height());
    TZvCustomColorSelectorPanel::Paint();
    const TImage& image = *FSpectrumImage;
    const TRect r = Rect(image.Left(), image.Top(), image.Left() + image.Width(), image.Top() + image.Height());
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Pen()->SetColor(clWhite);
    canvas.Rectangle(Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1));
    canvas.Pen()->SetColor(Grey);
    canvas.Rectangle(Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2));
    DrawSample(canvas, FSelectedRect, FSelectedColor);
    DrawSample(canvas, FHotRect, FHotColor);
}

void TZvColorSpectrumPanel::PictureMouseMove(int x, int y)
{
    // The colour shown under the pointer is the picture's own pixel there.
    const QImage& image = FSpectrumImage->Picture()->Image();
    if (!image.valid(x, y)) return;
    FHotColor = FromQRgb(image.pixel(x, y));
    Invalidate();
}

void TZvColorSpectrumPanel::PictureMouseDown()
{
    FSelectedColor = FHotColor;
    Invalidate();
    if (OnSelect) OnSelect(this);
}

void TZvColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    if (OnShouldHide) OnShouldHide(this);
}

// ---- Palette items ---------------------------------------------------------------------------
void TColorBoxItem::SetColor(TColor value)
{
    if (value == FColor) return;
    FColor = value;
    FCollection->NotifyChange();
}

void TColorBoxItem::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TColorBoxItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetColor(other->FColor);
    FEnabled = other->FEnabled;
}

void TColorBoxAppearance::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TColorBoxAppearance*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BorderColor = other->BorderColor;
    OuterBorderColorHot = other->OuterBorderColorHot;
    InnerBorderColorHot = other->InnerBorderColorHot;
    OuterBorderColorSelected = other->OuterBorderColorSelected;
    InnerBorderColorSelected = other->InnerBorderColorSelected;
}

// ---- Palette ---------------------------------------------------------------------------------
TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TZvCustomColorSelectorPanel(AOwner),
      FItems(std::make_unique<TColorBoxItems>(this)),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>())
{
    SetParentColor(true);
    FItems->SetOnChange([this](TObject*) { Invalidate(); });
    SetItemColorStyle(TSelectionColorStyle::scOffice2007);
    UpdateLayout();
}

TCustomColorSelector::~TCustomColorSelector() { FItems->SetOnChange(nullptr); }

#define ZV_PALETTE_SETTER(Name, Field)                                                                               \
    void TCustomColorSelector::Set##Name(int value)                                                                  \
    {                                                                                                                \
        if (value == Field) return;                                                                                  \
        Field = value;                                                                                               \
        UpdateLayout();                                                                                              \
    }
ZV_PALETTE_SETTER(Columns, FColumns)
ZV_PALETTE_SETTER(ColumnGap, FColumnGap)
ZV_PALETTE_SETTER(ColorBoxWidth, FColorBoxWidth)
ZV_PALETTE_SETTER(ColorBoxHeight, FColorBoxHeight)
#undef ZV_PALETTE_SETTER

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle value)
{
    if (value == FItemColorStyle) return;
    FItemColorStyle = value;
    if (value == TSelectionColorStyle::scCustom) return;
    // The three named styles share one set of box colours.
    FColorBoxAppearance->Assign(std::make_unique<TColorBoxAppearance>().get());
    Invalidate();
}

void TCustomColorSelector::GetContentRect(TRect& R) const
{
    R = Rect(FOffSetX, FOffSetY, ClientWidth() - FOffSetX, ClientHeight() - FOffSetY);
}

void TCustomColorSelector::GetColorBoxSize(TSize& Size) const
{
    Size.cx = FColorBoxWidth;
    Size.cy = FColorBoxHeight;
}

void TCustomColorSelector::UpdateLayout()
{
    if (FItems->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize box{};
    GetColorBoxSize(box);
    TRect content;
    GetContentRect(content);
    const int x0 = content.Left, y0 = content.Top;
    int x = x0, y = y0, column = 0, widest = 0;
    bool gap = false;
    const int last = FItems->Count() - 1;
    for (int i = 0; i <= last; ++i) {
        TColorBoxItem& item = *FItems->GetItem(i);
        item.SetItemRect(Rect(x, y, x + box.cx, y + box.cy));
        ++column;
        if (i == last) break;
        if (item.ColorBoxPos() == TItemPos::ipStandAlone) gap = true;
        if (column >= FColumns) {
            widest = std::max(widest, x);
            x = x0;
            y += box.cy + (gap ? FColumnGap : 0);
            column = 0;
            gap = false;
        } else {
            x += box.cx + FColumnGap;
        }
    }
    widest = std::max(widest, x);
    SetBounds(Left(), Top(), widest + box.cx + x0 + 1, y + box.cy + y0);
    Invalidate();
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (ValidIndex(Index)) Invalidate();
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* Canvas)
{
    if (!ValidIndex(Index) || !Canvas) return;
    TCanvas& canvas = *Canvas;
    const TColorBoxItem& item = *FItems->GetItem(Index);
    TRect r = item.ItemRect();
    if (r.Left < 0 && r.Right < 0) return;
    const TColorBoxAppearance& a = *FColorBoxAppearance;
    TColor outer = a.BorderColor, inner = clNone;
    bool state = false;
    if (Index == FItemHot) outer = a.OuterBorderColorHot, inner = a.InnerBorderColorHot, state = true;
    if (Index == FItemIndex) outer = a.OuterBorderColorSelected, inner = a.InnerBorderColorSelected, state = true;
    if (item.Color() != clNone) {
        canvas.Pen()->SetColor(item.Color());
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(item.Color());
        canvas.Rectangle(r);
    }
    if (state) {
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        if (outer != clNone) {
            canvas.Pen()->SetColor(outer);
            canvas.Rectangle(r);
            r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        }
        if (inner != clNone) {
            canvas.Pen()->SetColor(inner);
            canvas.Rectangle(r);
        }
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        return;
    }
    canvas.Pen()->SetColor(a.BorderColor);
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    switch (item.ColorBoxPos()) {
    case TItemPos::ipStandAlone:
        canvas.MoveTo(L, B), canvas.LineTo(L, T), canvas.LineTo(R, T), canvas.LineTo(R, B), canvas.LineTo(L, B);
        break;
    case TItemPos::ipTop:
        canvas.MoveTo(L, B), canvas.LineTo(L, T), canvas.LineTo(R, T), canvas.LineTo(R, B);
        break;
    case TItemPos::ipMiddle:
        canvas.MoveTo(L, T), canvas.LineTo(L, B);
        canvas.MoveTo(R, T), canvas.LineTo(R, B);
        break;
    case TItemPos::ipBottom:
        canvas.MoveTo(L, T), canvas.LineTo(L, B), canvas.LineTo(R, B);
        canvas.MoveTo(R, T), canvas.LineTo(R, B + 1);
        break;
    }
}

void TCustomColorSelector::DrawItems(TCanvas& canvas)
{
    for (int i = 0; i < FItems->Count(); ++i) DrawItem(i, &canvas);
}

void TCustomColorSelector::Paint()
{
    TCanvas& canvas = *Canvas();
    FillBackground(canvas, Color(), Width(), Height());
    TZvCustomColorSelectorPanel::Paint();
    DrawItems(canvas);
}

int TCustomColorSelector::ItemAtPos(int x, int y) const
{
    for (int i = 0; i < FItems->Count(); ++i) {
        const TRect r = FItems->GetItem(i)->ItemRect();
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
    }
    return -1;
}

void TCustomColorSelector::SetItemIndex(int i)
{
    if (Disabled(i)) return;
    if (ValidIndex(FItemIndex)) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = i;
    if (i < 0) return;
    FSelectedColor = FItems->GetItem(i)->Color();
    InvalidateItem(i);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int i)
{
    if (i == FItemHot || Disabled(i)) return;
    if (ValidIndex(FItemHot)) {
        const int old = FItemHot;
        FItemHot = -1;
        InvalidateItem(old);
    }
    FItemHot = i;
    if (i >= 0) InvalidateItem(i);
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && !Disabled(i)) SetItemIndex(i);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TZvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i < 0 || Disabled(i)) {
        if (FItemHot >= 0) SetItemHot(-1);
    } else if (i != FItemHot) {
        SetItemHot(i);
    }
}

void TCustomColorSelector::MouseLeave()
{
    TZvCustomColorSelectorPanel::MouseLeave();
    if (FItemHot >= 0) SetItemHot(-1);
}

void TCustomColorSelector::SetSelectedColor(TColor value)
{
    if (value == FSelectedColor) return;
    FSelectedColor = value;
    if (value == clNone) SetItemIndex(-1);
    for (int i = 0; i < FItems->Count(); ++i) {
        if (FItems->GetItem(i)->Color() == value) {
            SetItemIndex(i);
            return;
        }
    }
    SetItemIndex(-1);
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (ItemIndex() + 1 < FItems->Count()) SetItemIndex(ItemIndex() + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (ItemIndex() >= 1) SetItemIndex(ItemIndex() - 1);
}

void TCustomColorSelector::HotNext()
{
    if (ItemHot() + 1 < FItems->Count()) SetItemHot(ItemHot() + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (ItemHot() >= 1) SetItemHot(ItemHot() - 1);
}

void TCustomColorSelector::SelectByColumns(int delta)
{
    const int target = ItemIndex() < 0 ? 0 : ItemIndex() + delta;
    if (target >= 0 && target < FItems->Count()) SetItemIndex(target);
}

void TCustomColorSelector::HandleKey(WORD Key, bool EditorEnabled, bool DroppedDown)
{
    if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
    const bool arrowsLocked = EditorEnabled && !DroppedDown;
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
        if (!arrowsLocked) SelectPrevious();
        break;
    case VK_RIGHT:
        if (!arrowsLocked) SelectNext();
        break;
    case VK_UP:
        if (DroppedDown) SelectByColumns(-FColumns);
        else SelectPrevious();
        break;
    case VK_DOWN:
        if (DroppedDown) SelectByColumns(FColumns);
        else SelectNext();
        break;
    default: break;
    }
}

void TCustomColorSelector::AddOfficeColors()
{
    FItems->Clear();
    for (const TPaletteRow& row : OfficeRows) {
        for (TColor color : row.Colors) {
            TColorBoxItem* item = FItems->Add();
            item->SetColor(color);
            item->SetColorBoxPos(row.Pos);
        }
    }
    UpdateLayout();
}
