#pragma once
// The graphic object a grid cell can carry in its cell properties: a
// bitmap, icon, image index, check box, radio group, rotated text, tree
// node, progress bar, comment, button, picture, rating and so on. Each kind
// reuses the general fields for its own data.

#include "grid/support/ZvGridTypes.h"

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <QVariant>

enum class TCellType {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
    ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
    ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand
};
using TCellTypes = TSet<TCellType>;

enum class TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum class TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum class TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum class TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond, csLineVert,
    csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp, csArrowDown, csArrowLeft,
    csArrowRight, csHalfStar
};

class TIcon;
class TPicture;

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;

    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType v) { FCellType = v; }
    // A bitmap, or the object a kind keeps in its place (picture, file
    // picture, index list, option strings, interfaced object).
    TObject* CellBitmap() const { return FCellBitmap; }
    void SetCellBitmap(TObject* v) { FCellBitmap = v; }
    // The colour kinds (progress bar, shape, rating, range indicator) keep
    // their colours beside the two references.
    TColor CellBitmapColor() const { return FCellBitmapColor; }
    void SetCellBitmapColor(TColor v) { FCellBitmapColor = v; }
    TObject* CellIcon() const { return FCellIcon; }
    void SetCellIcon(TObject* v) { FCellIcon = v; }
    TColor CellIconColor() const { return FCellIconColor; }
    void SetCellIconColor(TColor v) { FCellIconColor = v; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign v) { FCellVAlign = v; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign v) { FCellHAlign = v; }
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int v) { FCellIndex = v; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool v) { FCellTransparent = v; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool v) { FCellCreated = v; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool v) { FCellBoolean = v; }
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int v) { FCellAngle = v; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double v) { FCellValue = v; }
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int v) { FCellErrFrom = v; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int v) { FCellErrLen = v; }
    const String& CellText() const { return FCellText; }
    void SetCellText(const String& v) { FCellText = v; }
    const QVariant& CellVar() const { return FCellVar; }
    void SetCellVar(const QVariant& v) { FCellVar = v; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState v) { FCellCheckBoxState = v; }

    // Each sets CellType and the fields it names, nothing else.
    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign);
    void SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetImageIdx(int Idx, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetDataImage(int Idx, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetMultiImage(int Col, int Row, const TImageChangeEvent& OnChange, TCellVAlign VAlign, TCellHAlign HAlign,
                       bool Vertical);
    void SetCheckBox(bool Value, bool Data, TCellVAlign VAlign, TCellHAlign HAlign, bool Flat);
    void SetCheckBox(TCheckBoxState State, bool Flat, TCellVAlign VAlign, TCellHAlign HAlign);
    void SetRadioButton(bool Value, bool Flat, TCellVAlign VAlign, TCellHAlign HAlign);
    void SetButton(int Width, int Height, TCellVAlign VAlign, TCellHAlign HAlign, const String& Caption);
    void SetBitButton(int Width, int Height, TCellVAlign VAlign, TCellHAlign HAlign, TBitmap* Glyph,
                      const String& Caption);
    void SetPicture(TPicture* APicture, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign, int Margin,
                    TStretchMode StretchMode);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign,
                        int Margin, TStretchMode StretchMode);
    void SetAngle(int AAngle);
    void SetInterfacedCell(TObject* AObject);

    // The size a picture kind takes in an area; other kinds leave Size alone.
    void GetPictureSize(int AreaWidth, int AreaHeight, bool HasText, TSize& Size) const;

    void Assign(TPersistent* source) override;

private:
    // The picture kinds and the two-state controls differ only in the kind they record.
    void SetPictureCell(TCellType Kind, TObject* APicture, bool Transparent, TCellVAlign VAlign, TCellHAlign HAlign,
                        int Margin, TStretchMode StretchMode);
    void SetToggleCell(TCellType Kind, bool Value, bool Flat, TCellVAlign VAlign, TCellHAlign HAlign);

    TCellType FCellType = TCellType::ctNone;
    TObject* FCellBitmap = nullptr;
    TColor FCellBitmapColor = clNone;
    TObject* FCellIcon = nullptr;
    TColor FCellIconColor = clNone;
    TCellVAlign FCellVAlign = TCellVAlign::vaTop;
    TCellHAlign FCellHAlign = TCellHAlign::haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    String FCellText;
    QVariant FCellVar;
    TCheckBoxState FCellCheckBoxState = TCheckBoxState::cbUnchecked;
};
