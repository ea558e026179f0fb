// Per-cell objects: adding, reading, writing and removing them.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/editors/ZvCellEditor.h"

#include "platform/Pictures.h"

#include <cmath>

namespace {

const TCellTypes kCheckBoxTypes{TCellType::ctCheckBox, TCellType::ctDataCheckBox, TCellType::ctVirtCheckBox,
                                TCellType::ctRowCheckBox, TCellType::ctTriStateCheckBox};
const TCellTypes kDataCheckBoxTypes{TCellType::ctDataCheckBox, TCellType::ctVirtCheckBox, TCellType::ctRowCheckBox};
// The boxes whose state is the cell text rather than a flag of the graphic.
const TCellTypes kTextCheckTypes{TCellType::ctDataCheckBox, TCellType::ctVirtCheckBox};
const TCellTypes kCheckOrButtonTypes{TCellType::ctCheckBox,      TCellType::ctDataCheckBox, TCellType::ctRadio,
                                     TCellType::ctButton,        TCellType::ctVirtCheckBox, TCellType::ctRowCheckBox,
                                     TCellType::ctRadioButton,   TCellType::ctTriStateCheckBox};
const TCellTypes kToggleTypes{TCellType::ctCheckBox, TCellType::ctDataCheckBox, TCellType::ctVirtCheckBox,
                              TCellType::ctRowCheckBox, TCellType::ctTriStateCheckBox};
const TCellTypes kHitBoxTypes{TCellType::ctCheckBox,    TCellType::ctDataCheckBox, TCellType::ctVirtCheckBox,
                              TCellType::ctRowCheckBox, TCellType::ctRadioButton,  TCellType::ctTriStateCheckBox};

TCellVAlign CheckVAlign(TVAlignment grid)
{
    switch (grid) {
    case TVAlignment::vtaCenter: return TCellVAlign::vaCenter;
    case TVAlignment::vtaBottom: return TCellVAlign::vaBottom;
    default: return TCellVAlign::vaTop;
    }
}

// A new object the graphic holds, owns and frees with itself.
template <typename T, typename Attach>
T* OwnedObject(TCellGraphic* g, Attach attach)
{
    auto* object = new T;
    attach(g, object);
    g->SetCellCreated(true);
    return object;
}

bool IsKind(const TCellGraphic* g, TCellType kind) { return g && g->CellType() == kind; }
bool IsKindOf(const TCellGraphic* g, TCellTypes kinds) { return g && kinds.Contains(g->CellType()); }

}  // namespace

// ---- Shared steps ---------------------------------------------------------------------------------
TCellGraphic* TZvStringGrid::NewCellGraphic(int ACol, int ARow)
{
    AttachNewCellGraphic(ACol, ARow);
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

TCellGraphic* TZvStringGrid::GraphicOfKind(int ACol, int ARow, TCellType Kind)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return IsKind(g, Kind) ? g : nullptr;
}

TCellGraphic* TZvStringGrid::BaseGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint base = BaseCell(ACol, ARow);
    return GetCellGraphic(base.X, base.Y);
}

void TZvStringGrid::RepaintObjectCell(int ACol, int ARow) { RepaintCell(DisplColIndex(ACol), ARow); }

int TZvStringGrid::DisplayedRowOfReal(int ARow) const { return NumHiddenRows() ? RealToDisplayRow(ARow) : ARow; }

void TZvStringGrid::CheckObjectCell(int ACol, int ARow)
{
    // A row past the displayed ones has no cell to carry the graphic: the
    // hidden rows keep their objects in their own store.
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount())
        throw Exception(QStringLiteral("Invalid cell"));
}

TCellGraphic* TZvStringGrid::CheckGraphicByRealRow(int ACol, int ARow, bool& ByRealRow)
{
    ByRealRow = false;
    if (NumHiddenRows() == 0) return GetCellGraphic(ACol, ARow);
    TCellProperties* props = nullptr;
    if (const TGridItem* item = HiddenRowItem(ARow)) {
        if (ACol >= 0 && ACol < item->Items()->Count())
            props = dynamic_cast<TCellProperties*>(item->Items()->Objects(ACol));
    } else {
        props = dynamic_cast<TCellProperties*>(GetGridObject(ACol, RealToDisplayRow(ARow)));
    }
    if (!props) return GetCellGraphic(ACol, ARow);
    ByRealRow = true;
    return dynamic_cast<TCellGraphic*>(props->GraphicObject());
}

String TZvStringGrid::CheckText(int ACol, int ARow, bool ByRealRow)
{
    if (!ByRealRow) return GetCellEx(ACol, ARow);
    if (const TGridItem* item = HiddenRowItem(ARow))
        return ACol >= 0 && ACol < item->Items()->Count() ? item->Items()->Strings(ACol) : String();
    return GetCellEx(ACol, RealToDisplayRow(ARow));
}

void TZvStringGrid::SetCheckText(int ACol, int ARow, bool ByRealRow, const String& Text)
{
    if (!ByRealRow) {
        SetCellEx(ACol, ARow, Text);
    } else if (TGridItem* item = HiddenRowItem(ARow)) {
        if (ACol >= 0 && ACol < item->Items()->Count()) item->Items()->SetStrings(ACol, Text);
    } else {
        SetCellEx(ACol, RealToDisplayRow(ARow), Text);
    }
}

bool TZvStringGrid::TextIsChecked(int ACol, int ARow, const String& Text)
{
    String trueText;
    QueryCheckTrue(ACol, ARow, trueText);
    return Text == trueText;
}

// ---- Kind tests ---------------------------------------------------------------------------------------
bool TZvStringGrid::HasCellType(int ACol, int ARow, TCellTypes Types)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint base = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(base.X, base.Y);
    return IsKindOf(g, Types);
}

bool TZvStringGrid::HasCheckBox(int ACol, int ARow) { return HasCellType(ACol, ARow, kCheckBoxTypes); }
bool TZvStringGrid::HasDataCheckBox(int ACol, int ARow) { return HasCellType(ACol, ARow, kDataCheckBoxTypes); }
bool TZvStringGrid::HasProgress(int ACol, int ARow) { return HasCellType(ACol, ARow, TCellType::ctProgress); }
bool TZvStringGrid::HasRating(int ACol, int ARow) { return HasCellType(ACol, ARow, TCellType::ctRating); }
bool TZvStringGrid::HasScrollBar(int ACol, int ARow) { return HasCellType(ACol, ARow, TCellType::ctScrollbar); }

bool TZvStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return IsKind(g, TCellType::ctScrollbar) && g->CellBoolean();
}

bool TZvStringGrid::HasButton(int ACol, int ARow)
{
    return HasCellType(ACol, ARow, {TCellType::ctButton, TCellType::ctBitButton});
}

bool TZvStringGrid::IsCheckOrButtonCell(int ACol, int ARow) { return HasCellType(ACol, ARow, kCheckOrButtonTypes); }

bool IsDataGraphicCell(TZvStringGrid* Grid, int ACol, int ARow)
{
    return Grid->HasCellType(ACol, ARow, {TCellType::ctDataCheckBox, TCellType::ctDataImage,
                                          TCellType::ctVirtCheckBox, TCellType::ctRowCheckBox});
}

// ---- Events -------------------------------------------------------------------------------------------
void TZvStringGrid::FireCheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TZvStringGrid::FireCanAddRow(bool& CanAdd)
{
    if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TZvStringGrid::FireCanInsertRow(int ARow, bool& CanInsert)
{
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

void TZvStringGrid::FireCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TZvStringGrid::FireRatingChange(int ACol, int ARow, int Value)
{
    bool allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, Value, allow);
    return allow;
}

// The colour and image picker editors report each pick through these, with
// what the picker holds now.
void TZvStringGrid::FireColorSelect()
{
    if (!OnColorSelect) return;
    TZvCellEditor* picker = CellEditor(TEditorType::edColorPickerDropDown);
    if (!picker) return;
    const TZvPickedValue picked = picker->PickedValue();
    OnColorSelect(this, Col(), Row(), picked.Color, picked.Text);
}

void TZvStringGrid::FireImageSelect()
{
    if (!OnImageSelect) return;
    TZvCellEditor* picker = CellEditor(TEditorType::edImagePickerDropDown);
    if (!picker) return;
    OnImageSelect(this, Col(), Row(), picker->PickedValue().ItemIndex);
}

// ---- Pictures, icons, bitmaps ------------------------------------------------------------------------
void TZvStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                              TCellVAlign val)
{
    NewCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, val, hal);
}

TBitmap* TZvStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    return OwnedObject<TBitmap>(NewCellGraphic(ACol, ARow),
                                [&](TCellGraphic* g, TBitmap* o) { g->SetBitmap(o, Transparent, val, hal); });
}

TBitmap* TZvStringGrid::GetBitmap(int ACol, int ARow)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctBitmap);
    return g ? dynamic_cast<TBitmap*>(g->CellBitmap()) : nullptr;
}

bool TZvStringGrid::HasBitmap(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, TCellType::ctBitmap); }
void TZvStringGrid::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctBitmap); }

void TZvStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    NewCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, val, hal, Padding, StretchMode);
}

TPicture* TZvStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                       TCellHAlign hal, TCellVAlign val)
{
    return OwnedObject<TPicture>(NewCellGraphic(ACol, ARow), [&](TCellGraphic* g, TPicture* o) {
        g->SetPicture(o, Transparent, val, hal, Padding, StretchMode);
    });
}

TPicture* TZvStringGrid::GetPicture(int ACol, int ARow)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctPicture);
    return g ? dynamic_cast<TPicture*>(g->CellBitmap()) : nullptr;
}

bool TZvStringGrid::HasPicture(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, TCellType::ctPicture); }
void TZvStringGrid::RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctPicture); }

void TZvStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                   TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    NewCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, val, hal, Padding, StretchMode);
}

TFilePicture* TZvStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    return OwnedObject<TFilePicture>(NewCellGraphic(ACol, ARow), [&](TCellGraphic* g, TFilePicture* o) {
        g->SetFilePicture(o, Transparent, val, hal, Padding, StretchMode);
    });
}

TFilePicture* TZvStringGrid::GetFilePicture(int ACol, int ARow)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctFilePicture);
    return g ? dynamic_cast<TFilePicture*>(g->CellBitmap()) : nullptr;
}

void TZvStringGrid::RemoveFilePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctFilePicture);
}

void TZvStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    NewCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TZvStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    return OwnedObject<TIcon>(NewCellGraphic(ACol, ARow),
                              [&](TCellGraphic* g, TIcon* o) { g->SetIcon(o, hal, val); });
}

void TZvStringGrid::RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctIcon); }

void TZvStringGrid::AddInterfacedCell(int ACol, int ARow, TObject* AObject)
{
    NewCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TObject* TZvStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctInterface);
    return g ? g->CellBitmap() : nullptr;
}

void TZvStringGrid::RemoveInterfacedCell(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctInterface);
}

// ---- Image-list kinds ------------------------------------------------------------------------------
void TZvStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!d->FGridImages) return;
    NewCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TZvStringGrid::GetImageIdx(int ACol, int ARow, int& idx)
{
    if (!d->FGridImages) return false;
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctImageList);
    if (!g) return false;
    idx = g->CellIndex();
    return true;
}

void TZvStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (!d->FGridImages) return;
    TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctImageList);
    if (!g) return;
    g->SetCellIndex(Idx);
    RepaintObjectCell(ACol, ARow);
}

void TZvStringGrid::RemoveImageIdx(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctImageList);
}

void TZvStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!d->FGridImages) return;
    NewCellGraphic(ACol, ARow)->SetMultiImage(
        ACol, ARow, [this](TObject* Sender, int c, int r) { CellIntListChanged(Sender, c, r); }, val, hal,
        Dir != 0);
}

void TZvStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctImages); }

void TZvStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!d->FGridImages) return;
    // The cell's value is the image index; Aidx only fills an empty cell, so
    // adding it as an offset as well would show image 2 x Aidx.
    NewCellGraphic(ACol, ARow)->SetDataImage(0, hal, val);
    if (GetCellEx(ACol, ARow).isEmpty()) SetCellEx(ACol, ARow, IntToStr(Aidx));
}

bool TZvStringGrid::HasDataImage(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, TCellType::ctDataImage); }

void TZvStringGrid::RemoveDataImage(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, TCellType::ctDataImage)) SetCellEx(ACol, ARow, String());
}

// ---- Rotated text ----------------------------------------------------------------------------------
void TZvStringGrid::AddRotated(int ACol, int ARow, int AAngle, const String& s)
{
    NewCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCellEx(ACol, ARow, s);
}

void TZvStringGrid::SetRotated(int ACol, int ARow, int AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) g = NewCellGraphic(ACol, ARow);
    g->SetAngle(AAngle);
    RepaintObjectCell(ACol, ARow);
}

bool TZvStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctRotated);
    if (!g) return false;
    aAngle = g->CellAngle();
    return true;
}

void TZvStringGrid::RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctRotated); }

// ---- Progress kinds ----------------------------------------------------------------------------------
void TZvStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                         TColor BKTextColor, const String& Fmt, double Min, double Max)
{
    AddProgressEx(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->SetCellErrFrom(int(std::lround(Min)));
    g->SetCellErrLen(int(std::lround(Max)));
    g->SetCellText(Fmt);
}

void TZvStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                  TColor BKTextColor)
{
    AddProgress(ACol, ARow, FGColor, BKColor);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->SetCellIndex(int(FGTextColor));
    g->SetCellAngle(int(BKTextColor));
    g->SetCellBoolean(true);
}

void TZvStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctProgress);
    g->SetCellBitmapColor(FGColor);
    g->SetCellIconColor(BKColor);
    g->SetCellErrFrom(0);
    g->SetCellErrLen(100);
    g->SetCellBoolean(false);
    g->SetCellText(String());
    g->SetCellHAlign(TCellHAlign::haLeft);
    g->SetCellVAlign(TCellVAlign::vaTop);
    if (d->FAutoNumAlign) SetAlignments(ACol, ARow, TAlignment::taRightJustify);
}

void TZvStringGrid::RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctProgress); }

void TZvStringGrid::AddZvProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctXPProgress);
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellBoolean(false);
    g->SetCellText(String());
    g->SetCellHAlign(TCellHAlign::haLeft);
    g->SetCellVAlign(TCellVAlign::vaTop);
}

void TZvStringGrid::RemoveZvProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctXPProgress);
}

void TZvStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctProgressPie);
    g->SetCellBitmapColor(Color);
    g->SetCellAngle(Value);
    g->SetCellHAlign(TCellHAlign::haBeforeText);
    g->SetCellVAlign(TCellVAlign::vaTop);
}

void TZvStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctProgressPie);
    if (!g) return;
    g->SetCellAngle(Value);
    RepaintObjectCell(ACol, ARow);
}

void TZvStringGrid::RemoveProgressPie(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctProgressPie);
}

void TZvStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                      bool ShowValue)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctRangeIndicator);
    g->SetCellIndex(Range);
    g->SetCellBitmapColor(NegColor);
    g->SetCellIconColor(PosColor);
    g->SetCellBoolean(ShowValue);
    g->SetCellHAlign(TCellHAlign::haLeft);
    g->SetCellVAlign(TCellVAlign::vaTop);
}

void TZvStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctRangeIndicator);
}

// ---- Comments -----------------------------------------------------------------------------------------
void TZvStringGrid::AddComment(int ACol, int ARow, const String& Comment)
{
    AddColorComment(ACol, ARow, Comment, d->FControlLook->CommentColor());
}

void TZvStringGrid::AddColorComment(int ACol, int ARow, const String& Comment, TColor Color)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctComment);
    g->SetCellText(Comment);
    g->SetCellIndex(int(Color));
    g->SetCellHAlign(TCellHAlign::haLeft);
    g->SetCellVAlign(TCellVAlign::vaTop);
}

String TZvStringGrid::GetComment(int ACol, int ARow)
{
    String comment;
    IsComment(ACol, ARow, comment);
    return comment;
}

bool TZvStringGrid::IsComment(int ACol, int ARow, String& comment)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctComment);
    if (!g) return false;
    comment = g->CellText();
    return true;
}

void TZvStringGrid::SetComment(int ACol, int ARow, const String& Value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        AddComment(ACol, ARow, Value);
    } else if (g->CellType() == TCellType::ctComment) {
        g->SetCellText(Value);
        RepaintObjectCell(ACol, ARow);
    }
}

void TZvStringGrid::RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctComment); }

void TZvStringGrid::RemoveAllComments()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) RemoveComment(c, r);
}

// ---- Shapes, ratings, scroll bars ---------------------------------------------------------------------
void TZvStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                             TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctShape);
    g->SetCellAngle(int(Shape));
    g->SetCellIndex(int(FillColor));
    g->SetCellBitmapColor(LineColor);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

void TZvStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctShape);
    if (!g) return;
    g->SetCellIndex(int(FillColor));
    RepaintObjectCell(ACol, ARow);
}

TColor TZvStringGrid::GetShapeColor(int ACol, int ARow)
{
    const TCellGraphic* g = GraphicOfKind(ACol, ARow, TCellType::ctShape);
    return g ? TColor(g->CellIndex()) : clNone;
}

void TZvStringGrid::RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctShape); }

void TZvStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctRating);
    g->SetCellAngle(Scale);
    g->SetCellIndex(int(FillColor));
    g->SetCellBitmapColor(EmptyColor);
    g->SetCellHAlign(TCellHAlign::haFull);
}

void TZvStringGrid::RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctRating); }

void TZvStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = NewCellGraphic(ACol, ARow);
    g->SetCellType(TCellType::ctScrollbar);
    g->SetCellIndex(0);
    g->SetCellAngle(0);
    g->SetCellErrFrom(100);
    g->SetCellBoolean(AutoRange);
    if (AutoRange) UpdateCellScrollBar(ACol, ARow);
}

void TZvStringGrid::RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, TCellType::ctScrollbar); }

void TZvStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    TCellGraphic* g = BaseGraphic(ACol, ARow);
    if (!IsKind(g, TCellType::ctScrollbar)) return;
    g->SetCellIndex(Pos);
    RepaintObjectCell(ACol, ARow);
}

int TZvStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return IsKind(g, TCellType::ctScrollbar) ? g->CellIndex() : -1;
}

void TZvStringGrid::SetScrollProp(int ACol, int ARow, int PageSize, int Range)
{
    TCellGraphic* g = BaseGraphic(ACol, ARow);
    if (!IsKind(g, TCellType::ctScrollbar)) return;
    g->SetCellAngle(PageSize);
    g->SetCellErrFrom(Range);
}

void TZvStringGrid::GetScrollProp(int ACol, int ARow, int& PageSize, int& Range)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    const bool scroll = IsKind(g, TCellType::ctScrollbar);
    PageSize = scroll ? g->CellAngle() : -1;
    Range = scroll ? g->CellErrFrom() : -1;
}

// ---- Buttons ------------------------------------------------------------------------------------------
void TZvStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                              TCellVAlign val)
{
    NewCellGraphic(ACol, ARow)->SetButton(bw, bh, val, hal, Caption);
}

void TZvStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                 TCellHAlign hal, TCellVAlign val)
{
    NewCellGraphic(ACol, ARow)->SetBitButton(bw, bh, val, hal, Glyph, Caption);
}

TBitmap* TZvStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                                        TCellVAlign val)
{
    return OwnedObject<TBitmap>(NewCellGraphic(ACol, ARow),
                                [&](TCellGraphic* g, TBitmap* o) { g->SetBitButton(bw, bh, val, hal, o, Caption); });
}

void TZvStringGrid::SetButtonText(int ACol, int ARow, const String& Caption)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!IsKindOf(g, {TCellType::ctButton, TCellType::ctBitButton})) return;
    g->SetCellText(Caption);
    RepaintCell(ACol, ARow);
}

String TZvStringGrid::GetButtonText(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    return IsKindOf(g, {TCellType::ctButton, TCellType::ctBitButton}) ? g->CellText() : String();
}

void TZvStringGrid::PushButton(int ACol, int ARow, bool push)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || g->CellType() == TCellType::ctNode) return;
    g->SetCellBoolean(push);
    RepaintCell(ACol, ARow);
}

void TZvStringGrid::RemoveButton(int ACol, int ARow)
{
    if (HasCellType(ACol, ARow, {TCellType::ctButton, TCellType::ctBitButton})) RemoveCellGraphic(ACol, ARow);
}

void TZvStringGrid::RemoveBitButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctBitButton);
}

void TZvStringGrid::RemoveAllButtons()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) RemoveButton(c, r);
}

TRect TZvStringGrid::CellButtonRect(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g) return TRect{};
    const TRect cell = CellRect(ACol, ARow);
    const int offset = int(std::lround(g->CellValue()));
    const int packed = g->CellIndex();
    TRect r;
    r.Left = cell.Left + (offset & 0xFFFF);
    r.Top = cell.Top + ((offset >> 16) & 0xFFFF);
    r.Right = r.Left + (packed & 0xFFFF);
    r.Bottom = r.Top + ((packed >> 16) & 0xFFFF);
    if (g->CellHAlign() == TCellHAlign::haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    if (g->CellVAlign() == TCellVAlign::vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    return r;
}

// ---- Markers ------------------------------------------------------------------------------------------
void TZvStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = NewCellGraphic(ACol, ARow);
        g->SetCellType(TCellType::ctEmpty);
    }
    g->SetCellErrFrom(ErrPos);
    g->SetCellErrLen(ErrLen);
    RepaintObjectCell(ACol, ARow);
}

void TZvStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    ErrPos = g ? g->CellErrFrom() : 0;
    ErrLen = g ? g->CellErrLen() : 0;
}

void TZvStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (g->CellType() == TCellType::ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->SetCellErrFrom(0);
    g->SetCellErrLen(0);
    RepaintObjectCell(ACol, ARow);
}

void TZvStringGrid::RemoveAllMarkers()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) RemoveMarker(c, r);
}

// ---- Check boxes --------------------------------------------------------------------------------------
void TZvStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    CheckObjectCell(ACol, ARow);
    NewCellGraphic(ACol, ARow)->SetCheckBox(State, Data, CheckVAlign(d->FVAlignment), TCellHAlign::haBeforeText, true);
    if (!Data) return;
    const String text = GetCellEx(ACol, ARow);
    if (text == d->FCheckTrue || text == d->FCheckFalse) return;
    SetCellEx(ACol, ARow, State ? d->FCheckTrue : d->FCheckFalse);
}

void TZvStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    CheckObjectCell(ACol, ARow);
    NewCellGraphic(ACol, ARow)->SetCheckBox(State, true, CheckVAlign(d->FVAlignment), TCellHAlign::haBeforeText);
}

int TZvStringGrid::FirstCheckRow() const { return d->FMouseActions->CheckAllCheck() ? 0 : FixedRows(); }

void TZvStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    for (int r = FirstCheckRow(); r < RowCount(); ++r) {
        if (IsSummary(r)) continue;
        if (IsNode(r))
            AddCheckBox(ACol, r, TCheckBoxState::cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TZvStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    for (int r = FirstCheckRow(); r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

void TZvStringGrid::RemoveCheckBoxColumn(int ACol)
{
    for (int r = FirstCheckRow(); r < RowCount(); ++r)
        if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

void TZvStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!IsKindOf(g, {TCellType::ctCheckBox, TCellType::ctDataCheckBox, TCellType::ctTriStateCheckBox})) return;
    DropRidingBalloon(g);
    RemoveCellGraphic(ACol, ARow);
}

bool TZvStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    bool byRealRow = false;
    const TCellGraphic* g = CheckGraphicByRealRow(ACol, ARow, byRealRow);
    if (!g) return false;
    switch (g->CellType()) {
    case TCellType::ctCheckBox:
        State = g->CellBoolean();
        return true;
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
        State = TextIsChecked(ACol, ARow, CheckText(ACol, ARow, byRealRow));
        return true;
    case TCellType::ctTriStateCheckBox:
        // Read by its three-state value: a grayed box is not checked.
        State = g->CellCheckBoxState() == TCheckBoxState::cbChecked;
        return true;
    case TCellType::ctRowCheckBox:
        if (ACol != 0) return false;
        State = GetRowSelect(ARow);
        return true;
    default:
        return false;
    }
}

bool TZvStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State)
{
    bool byRealRow = false;
    const TCellGraphic* g = CheckGraphicByRealRow(ACol, ARow, byRealRow);
    if (!g) return false;
    switch (g->CellType()) {
    case TCellType::ctCheckBox:
        if (NumHiddenRows() && !byRealRow) return false;
        State = BoolToCheckBoxState(g->CellBoolean());
        return true;
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
        State = BoolToCheckBoxState(TextIsChecked(ACol, ARow, CheckText(ACol, ARow, byRealRow)));
        return true;
    case TCellType::ctTriStateCheckBox:
        State = g->CellCheckBoxState();
        return true;
    case TCellType::ctRowCheckBox:
        if (ACol != 0) return false;
        State = BoolToCheckBoxState(NumHiddenRows() && !byRealRow ? g->CellBoolean() : GetRowSelect(ARow));
        return true;
    default:
        return false;
    }
}

bool TZvStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TZvStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    bool byRealRow = false;
    TCellGraphic* g = CheckGraphicByRealRow(ACol, ARow, byRealRow);
    if (!g) return false;
    switch (g->CellType()) {
    case TCellType::ctCheckBox:
        g->SetCellBoolean(State);
        RepaintObjectCell(ACol, DisplayedRowOfReal(ARow));
        return true;
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox: {
        String text;
        if (State)
            QueryCheckTrue(ACol, ARow, text);
        else
            QueryCheckFalse(ACol, ARow, text);
        // The row is a real one: while rows are hidden it is written by real row too.
        SetCheckText(ACol, ARow, byRealRow, text);
        return true;
    }
    case TCellType::ctRowCheckBox:
        if (ACol != 0) return false;
        SetRowSelect(ARow, State);
        return true;
    default:
        return false;
    }
}

bool TZvStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    bool byRealRow = false;
    TCellGraphic* g = CheckGraphicByRealRow(ACol, ARow, byRealRow);
    if (!IsKind(g, TCellType::ctTriStateCheckBox)) return false;
    g->SetCellCheckBoxState(State);
    RepaintObjectCell(ACol, DisplayedRowOfReal(ARow));
    return true;
}

bool TZvStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType()) {
    case TCellType::ctCheckBox:
        if (g->CellBoolean() != State) {
            g->SetCellBoolean(State);
            FireCheckBoxChange(ACol, ARow, State);
            RepaintObjectCell(ACol, ARow);
        }
        return true;
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox: {
        const bool was = TextIsChecked(ACol, ARow, GetCellEx(ACol, ARow));
        String text;
        if (State)
            QueryCheckTrue(ACol, ARow, text);
        else
            QueryCheckFalse(ACol, ARow, text);
        SetCellEx(ACol, ARow, text);
        if (was != State) FireCheckBoxChange(ACol, ARow, State);
        return true;
    }
    case TCellType::ctRowCheckBox:
        if (ACol != 0) return false;
        if (GetRowSelect(ARow) != State) {
            SetRowSelect(ARow, State);
            FireCheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TZvStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, true);
    if (d->FNumHidden > 0) RepaintCol(DisplColIndex(ACol));
}

void TZvStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, false);
}

void TZvStringGrid::ToggleCheckBox(int ACol, int ARow) { ToggleCellCheckBox(ACol, ARow, false); }

bool TZvStringGrid::ToggleCellCheckBox(int ACol, int ARow, bool ByUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;

    const bool autoGroup = d->FGrouping->AutoCheckGroup();
    const bool nodeRow = autoGroup && IsNode(ARow);
    int span = 0;
    bool contracted = false;
    int parent = -1;
    if (autoGroup) {
        if (nodeRow) {
            span = GetNodeSpan(ARow);
            contracted = GetNodeState(ARow);
        } else {
            parent = GetParentRow(ARow);
            span = parent >= 0 ? GetNodeSpan(parent) : 0;
        }
    }

    if (!IsKindOf(g, kToggleTypes)) return false;
    if (ByUser && !d->FControlLook->CheckAlwaysActive()) {
        bool allow = true;
        QueryCellEditable(ACol, ARow, allow);
        if (!allow) return false;
    }

    bool state = false;
    switch (g->CellType()) {
    case TCellType::ctCheckBox:
        g->SetCellBoolean(!g->CellBoolean());
        state = g->CellBoolean();
        break;
    case TCellType::ctTriStateCheckBox: {
        const TCheckBoxState old = g->CellCheckBoxState();
        TCheckBoxState next = TCheckBoxState::cbChecked;
        if (old == TCheckBoxState::cbChecked)
            next = TCheckBoxState::cbUnchecked;
        else if (old == TCheckBoxState::cbUnchecked && !IsNode(ARow))
            next = TCheckBoxState::cbGrayed;
        g->SetCellCheckBoxState(next);
        state = IsNode(ARow) && next == TCheckBoxState::cbChecked;
        break;
    }
    default: {
        String trueText, falseText;
        QueryCheckTrue(ACol, ARow, trueText);
        QueryCheckFalse(ACol, ARow, falseText);
        state = GetCellEx(ACol, ARow) != trueText;
        SetCellEx(ACol, ARow, state ? trueText : falseText);
        break;
    }
    }

    RepaintObjectCell(ACol, ARow);
    FireCheckBoxChange(ACol, ARow, state);

    if (autoGroup) {
        if (nodeRow) {
            const int nodeReal = RealRowIndex(ARow);
            for (int i = 1; i < span; ++i)
                SetCheckBoxState(ACol, contracted ? nodeReal + i : RealRowIndex(ARow + i), state);
        } else if (parent >= 0 && span > 1) {
            bool reference = false;
            GetCheckBoxState(ACol, RealRowIndex(parent + 1), reference);
            bool mixed = false;
            for (int i = 1; i < span && !mixed; ++i) {
                bool child = false;
                GetCheckBoxState(ACol, RealRowIndex(parent + i), child);
                mixed = child != reference;
            }
            const TCheckBoxState parentState = mixed       ? TCheckBoxState::cbGrayed
                                               : reference ? TCheckBoxState::cbChecked
                                                           : TCheckBoxState::cbUnchecked;
            SetCheckBoxState(ACol, RealRowIndex(parent), parentState);
        }
    }

    if (UndoRedo()) {
        String trueText, falseText;
        QueryCheckTrue(ACol, ARow, trueText);
        QueryCheckFalse(ACol, ARow, falseText);
        if (state)
            UndoRedo()->RegisterChange(ACol, ARow, falseText, trueText);
        else
            UndoRedo()->RegisterChange(ACol, ARow, trueText, falseText);
    }
    return true;
}

bool TZvStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!IsKindOf(g, kHitBoxTypes)) return false;
    if (!d->FMouseActions->PreciseCheckBoxCheck()) return true;

    const int s = d->FControlLook->CheckSize();
    const TRect cell = CellRect(DisplColIndex(ACol), ARow);
    TRect box;
    switch (g->CellVAlign()) {
    case TCellVAlign::vaTop: box.Top = cell.Top + 2; break;
    case TCellVAlign::vaBottom: box.Top = cell.Bottom - s - 2; break;
    case TCellVAlign::vaCenter: box.Top = cell.Top + (cell.Bottom - cell.Top - s) / 2; break;
    default: box.Top = 0; break;
    }
    box.Bottom = box.Top + s;

    TAlignment halign = TAlignment::taLeftJustify;
    TVAlignment valign = TVAlignment::vtaTop;
    CellAlignment(ACol, ARow, halign, valign);
    switch (halign) {
    case TAlignment::taRightJustify:
        box.Left = cell.Right - s - 2;
        if (!GetCellEx(ACol, ARow).isEmpty()) box.Left -= GetCellTextSize(ACol, ARow, false, false).X;
        break;
    case TAlignment::taCenter: box.Left = cell.Left + (cell.Right - cell.Left - s) / 2; break;
    default: box.Left = cell.Left + 2; break;
    }
    box.Right = box.Left + s;
    return XPos >= box.Left && XPos < box.Right && YPos >= box.Top && YPos < box.Bottom;
}

// ---- Radio buttons ---------------------------------------------------------------------------------------
void TZvStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    CheckObjectCell(ACol, ARow);
    NewCellGraphic(ACol, ARow)->SetRadioButton(State, true, CheckVAlign(d->FVAlignment), TCellHAlign::haBeforeText);
}

void TZvStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TZvStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

void TZvStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, TCellType::ctRadioButton);
}

bool TZvStringGrid::HasRadioButton(int ACol, int ARow) { return HasCellType(ACol, ARow, TCellType::ctRadioButton); }

bool TZvStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(ACol, ARow);
    return IsKind(g, TCellType::ctRadioButton) && g->CellBoolean();
}

bool TZvStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = BaseGraphic(ACol, ARow);
    if (!IsKind(g, TCellType::ctRadioButton)) return false;
    if (g->CellBoolean() != State) {
        g->SetCellBoolean(State);
        RepaintObjectCell(ACol, ARow);
    }
    return true;
}

void TZvStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r)) SetRadioButtonState(ACol, r, r == Index);
}

int TZvStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TZvStringGrid::SelectCellRadioButton(int ACol, int ARow, bool ByUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!IsKind(g, TCellType::ctRadioButton)) return false;
    if (ByUser && !d->FControlLook->CheckAlwaysActive()) {
        bool allow = true;
        QueryCellEditable(ACol, ARow, allow);
        if (!allow) return false;
    }
    if (!g->CellBoolean()) {
        g->SetCellBoolean(true);
        RepaintObjectCell(ACol, ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow) continue;
            TCellGraphic* other = GraphicOfKind(ACol, r, TCellType::ctRadioButton);
            if (!other || !other->CellBoolean()) continue;
            other->SetCellBoolean(false);
            RepaintObjectCell(ACol, r);
        }
    }
    return true;
}
