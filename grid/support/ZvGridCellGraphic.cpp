#include "grid/support/ZvGridCellGraphic.h"

#include "platform/Pictures.h"

#include <algorithm>
#include <cmath>

TCellGraphic::~TCellGraphic()
{
    switch (FCellType) {
    case TCellType::ctImages:
    case TCellType::ctBalloon:
        delete FCellBitmap;
        break;
    case TCellType::ctBitmap:
    case TCellType::ctRadio:
    case TCellType::ctPicture:
    case TCellType::ctFilePicture:
    case TCellType::ctBitButton:
        if (FCellCreated) delete FCellBitmap;
        break;
    case TCellType::ctIcon:
        if (FCellCreated) delete FCellIcon;
        break;
    case TCellType::ctCheckBox:
    case TCellType::ctDataCheckBox:
    case TCellType::ctRadioButton:
        // A balloon riding on the control leaves its text list here.
        if (FCellAngle == 1) delete FCellBitmap;
        break;
    default:
        break;
    }
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign)
{
    FCellType = TCellType::ctBitmap;
    FCellBitmap = ABmp;
    FCellTransparent = Transparent;
    FCellVAlign = VAlign;
    FCellHAlign = HAlign;
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = TCellType::ctIcon;
    FCellIcon = AIcon;
    FCellHAlign = HAlign;
    FCellVAlign = VAlign;
}

void TCellGraphic::SetImageIdx(int Idx, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = TCellType::ctImageList;
    FCellIndex = Idx;
    FCellHAlign = HAlign;
    FCellVAlign = VAlign;
}

void TCellGraphic::SetDataImage(int Idx, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = TCellType::ctDataImage;
    FCellIndex = Idx;
    FCellHAlign = HAlign;
    FCellVAlign = VAlign;
}

void TCellGraphic::SetMultiImage(int Col, int Row, const TImageChangeEvent& OnChange, TCellVAlign VAlign,
                                 TCellHAlign HAlign, bool Vertical)
{
    FCellType = TCellType::ctImages;
    auto* list = new TIntList(Col, Row);
    list->SetOnChange(OnChange);
    FCellBitmap = list;
    FCellBoolean = !Vertical;
    FCellCreated = true;
    FCellVAlign = VAlign;
    FCellHAlign = HAlign;
}

void TCellGraphic::SetToggleCell(TCellType Kind, bool Value, bool Flat, TCellVAlign VAlign, TCellHAlign HAlign)
{
    FCellType = Kind;
    FCellBoolean = Value;
    FCellAngle = 0;
    FCellTransparent = Flat;
    FCellVAlign = VAlign;
    FCellHAlign = HAlign;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, TCellVAlign VAlign, TCellHAlign HAlign, bool Flat)
{
    SetToggleCell(Data ? TCellType::ctDataCheckBox : TCellType::ctCheckBox, Value, Flat, VAlign, HAlign);
}

void TCellGraphic::SetCheckBox(TCheckBoxState State, bool Flat, TCellVAlign VAlign, TCellHAlign HAlign)
{
    FCellType = TCellType::ctTriStateCheckBox;
    FCellCheckBoxState = State;
    FCellBoolean = false;
    FCellTransparent = Flat;
    FCellVAlign = VAlign;
    FCellHAlign = HAlign;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellVAlign VAlign, TCellHAlign HAlign)
{
    SetToggleCell(TCellType::ctRadioButton, Value, Flat, VAlign, HAlign);
}

void TCellGraphic::SetButton(int Width, int Height, TCellVAlign VAlign, TCellHAlign HAlign, const String& Caption)
{
    FCellType = TCellType::ctButton;
    FCellIndex = Height * 65536 + Width;
    FCellBoolean = false;
    FCellText = Caption;
    FCellVAlign = VAlign;
    FCellHAlign = HAlign;
}

void TCellGraphic::SetBitButton(int Width, int Height, TCellVAlign VAlign, TCellHAlign HAlign, TBitmap* Glyph,
                                const String& Caption)
{
    SetButton(Width, Height, VAlign, HAlign, Caption);
    FCellType = TCellType::ctBitButton;
    FCellBitmap = Glyph;
}

void TCellGraphic::SetPictureCell(TCellType Kind, TObject* APicture, bool Transparent, TCellVAlign VAlign,
                                  TCellHAlign HAlign, int Margin, TStretchMode StretchMode)
{
    FCellType = Kind;
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellVAlign = VAlign;
    FCellHAlign = HAlign;
    FCellIndex = Margin;
    FCellAngle = int(StretchMode);
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign,
                              int Margin, TStretchMode StretchMode)
{
    SetPictureCell(TCellType::ctPicture, APicture, Transparent, VAlign, HAlign, Margin, StretchMode);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign,
                                  int Margin, TStretchMode StretchMode)
{
    SetPictureCell(TCellType::ctFilePicture, APicture, Transparent, VAlign, HAlign, Margin, StretchMode);
}

void TCellGraphic::SetAngle(int AAngle)
{
    FCellType = TCellType::ctRotated;
    // As many whole turns as it takes, without walking them one by one.
    std::int64_t a = AAngle;
    if (a < 0) a += 360 * ((-a + 359) / 360);
    if (a > 360) a -= 360 * ((a - 1) / 360);
    FCellAngle = int(a);
}

void TCellGraphic::SetInterfacedCell(TObject* AObject)
{
    FCellType = TCellType::ctInterface;
    FCellBitmap = AObject;
}

void TCellGraphic::GetPictureSize(int AreaWidth, int AreaHeight, bool, TSize& Size) const
{
    int w = 0, h = 0;
    if (FCellType == TCellType::ctPicture) {
        const auto* pic = dynamic_cast<const TPicture*>(FCellBitmap);
        if (!pic) return;
        w = pic->Width();
        h = pic->Height();
    } else if (FCellType == TCellType::ctFilePicture) {
        const auto* pic = dynamic_cast<const TFilePicture*>(FCellBitmap);
        if (!pic) return;
        w = pic->Width();
        h = pic->Height();
    } else {
        return;
    }
    const int aw = AreaWidth - FCellIndex;
    const int ah = AreaHeight - FCellIndex;
    // Keeps the aspect: the side that would overflow first sets the scale.
    auto keepAspect = [&](double rx, double ry) {
        if (rx >= ry)
            Size = {int(std::lround(w * ry)), ah};
        else
            Size = {aw, int(std::lround(h * rx))};
    };
    const double rx = w ? double(aw) / w : 1.0;
    const double ry = h ? double(ah) / h : 1.0;
    const bool fits = w <= aw && h <= ah;
    switch (FCellAngle) {
    case 1: Size = {aw, ah}; break;
    case 2: keepAspect(rx, ry); break;
    case 3: Size = fits ? TSize{w, h} : TSize{aw, ah}; break;
    case 4:
        if (fits)
            Size = {w, h};
        else
            keepAspect(std::min(rx, 1.0), std::min(ry, 1.0));
        break;
    default: Size = {w, h}; break;
    }
}

void TCellGraphic::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TCellGraphic*>(source);
    if (!s) return;   // another kind is ignored
    FCellType = s->FCellType;
    FCellVAlign = s->FCellVAlign;
    FCellHAlign = s->FCellHAlign;
    FCellIndex = s->FCellIndex;
    FCellTransparent = s->FCellTransparent;
    FCellValue = s->FCellValue;
    FCellAngle = s->FCellAngle;
    FCellBoolean = s->FCellBoolean;
    FCellErrFrom = s->FCellErrFrom;
    FCellErrLen = s->FCellErrLen;
    FCellText = s->FCellText;
    FCellCreated = s->FCellCreated;
}
