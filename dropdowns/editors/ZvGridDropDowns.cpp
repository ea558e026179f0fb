#include "dropdowns/editors/ZvGridDropDowns.h"

#include "grid/ZvGrid.h"
#include "grid/editors/ZvCellEditorRegistry.h"

// ---- Track bar -------------------------------------------------------------------------------
void TGridTrackbarDropDown::LoadCell(const TZvCellEditStart& Start)
{
    SetPosition(StrToIntDef(Start.Text.trimmed(), Position()));
    // The edit shows the position, also when the text was no number.
    SetText(IntToStr(Position()));
}

// ---- Memo ------------------------------------------------------------------------------------
String TGridMemoDropDown::TextOf()
{
    String text;
    for (int i = 0; i < MemoText()->Count(); ++i) {
        if (i > 0) text += u'\n';
        text += MemoText()->Strings(i);
    }
    return text;
}

void TGridMemoDropDown::LoadCell(const TZvCellEditStart& Start)
{
    SetText(Start.Text);
    SetSelStart(0);
    SetSelLength(0);
}

// ---- Calculator ------------------------------------------------------------------------------
void TGridCalculatorDropDown::BeforeCommit(WORD Key)
{
    if (Key == VK_RETURN) CalcResult();
}

// ---- Time picker -----------------------------------------------------------------------------
TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TGridDropDownOf(AOwner)
{
    SetFocusHighlight(false);
}

void TGridTimepickerDropDown::LoadCell(const TZvCellEditStart& Start)
{
    SetEditorEnabled(true);
    SetText(Start.Text);
}

// ---- Detail list -----------------------------------------------------------------------------
void TGridDetailPickerDropDown::LoadCell(const TZvCellEditStart& Start)
{
    SetText(Start.Text);
    SetEditorEnabled(true);
    const int index = Items()->IndexOf(Start.Text);
    if (index >= 0) SetItemIndex(index);
}

// ---- Multi-column list -----------------------------------------------------------------------
void TGridGridDropDown::LoadCell(const TZvCellEditStart& Start)
{
    SetEditorEnabled(true);
    BeginUpdate();
    EndUpdate();
    SetItemIndex(Start.Text.isEmpty() ? 0 : GetItemIndex(Start.Text));
    SetText(Start.Text);
}

// ---- Grid drop-down ---------------------------------------------------------------------------
void TGridZvGridDropDown::LoadCell(const TZvCellEditStart& Start)
{
    SetEditorEnabled(true);
    InnerGrid()->SetFixedRowAlways(true);
    BeginUpdate();
    EndUpdate();
    if (UseItems()) {
        int index = 0;
        if (!Start.Text.isEmpty()) {
            String found;
            if (!LookupText(Start.Text, found, index)) index = -1;
        }
        SetItemIndex(index);
    }
    SetText(Start.Text);
}

// ---- Colour -----------------------------------------------------------------------------------
TGridColorDropDown::TGridColorDropDown(TComponent* AOwner) : TGridDropDownOf(AOwner) { AddDefaultColors(); }

bool TGridColorDropDown::HandlesKey(WORD Key, TShiftState Shift) const
{
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) return true;
    if (DroppedDown()) return false;
    return Key == VK_HOME || TGridDropDownEditor::HandlesKey(Key, Shift);
}

void TGridColorDropDown::LoadCell(const TZvCellEditStart& Start)
{
    TZvStringGrid* grid = OwnerGrid();
    const bool shape = grid->GetCellType(Start.RealCol, Start.Row) == TCellType::ctShape;
    SetSelectedColor(shape ? grid->GetShapeColor(Start.RealCol, Start.Row)
                           : grid->GetColors(Start.RealCol, Start.Row));
}

TZvPickedValue TGridColorDropDown::PickedValue()
{
    TZvPickedValue picked;
    picked.Color = SelectedColor();
    picked.Text = SelectedColorText();
    picked.ItemIndex = ItemIndex();
    return picked;
}

void TGridColorDropDown::StoreCellValue(TZvStringGrid* Grid, int RealCol, int Row)
{
    TColor color = SelectedColor();
    String text = SelectedColorText();
    if (Grid->OnColorSelected) Grid->OnColorSelected(Grid, RealCol, Row, color, text);
    Grid->StoreEditorText(RealCol, Row, text);
    if (Grid->GetCellType(RealCol, Row) == TCellType::ctShape) Grid->SetShapeColor(RealCol, Row, color);
    else Grid->SetColors(RealCol, Row, color);
}

// ---- Image -----------------------------------------------------------------------------------
void TGridImageDropDown::LoadCell(const TZvCellEditStart&)
{
    TZvStringGrid* grid = OwnerGrid();
    const int col = grid->EditorRealCol();
    const int row = grid->Row();
    const TCellType type = grid->GetCellType(col, row);
    if (type == TCellType::ctImageList || type == TCellType::ctDataImage) {
        SetImages(grid->GridImages());
        if (Items()->Count() == 0) AddImagesFromImageList();
        int index = -1;
        if (type == TCellType::ctImageList) grid->GetImageIdx(col, row, index);
        else index = StrToIntDef(grid->GetCellEx(col, row).trimmed(), -1);
        SetImageIndex(index);
    }
    const int image = ImageIndex();
    SetText(image >= 0 && image < Items()->Count() ? Items()->GetItem(image)->Caption() : String());
}

TZvPickedValue TGridImageDropDown::PickedValue()
{
    TZvPickedValue picked;
    picked.ItemIndex = ItemIndex();
    return picked;
}

void TGridImageDropDown::StoreCellValue(TZvStringGrid* Grid, int RealCol, int Row)
{
    int index = ImageIndex();
    if (Grid->OnImageSelected) Grid->OnImageSelected(Grid, RealCol, Row, index);
    const TCellType type = Grid->GetCellType(RealCol, Row);
    if (type == TCellType::ctImageList) Grid->SetImageIdx(RealCol, Row, index);
    else if (type == TCellType::ctDataImage) Grid->StoreEditorText(RealCol, Row, IntToStr(index));
}

// ---- The grid's access and the registration ---------------------------------------------------
TGridColorDropDown* TZvStringGrid::ColorPickerDropDown()
{
    return dynamic_cast<TGridColorDropDown*>(CellEditor(TEditorType::edColorPickerDropDown));
}

TGridImageDropDown* TZvStringGrid::ImagePickerDropDown()
{
    return dynamic_cast<TGridImageDropDown*>(CellEditor(TEditorType::edImagePickerDropDown));
}

namespace {

// Made hidden and disabled, the grid its owner and parent, in the grid's style.
template <class T>
T* MakeEditor(TZvStringGrid* Grid)
{
    auto* editor = new T(Grid);
    editor->SetParent(Grid);
    editor->SetVisible(false);
    editor->SetEnabled(false);
    editor->SetComponentStyle(Grid->ComponentStyle());
    return editor;
}

template <class T>
TZvCellEditorEntry Entry(const char* Name, TEditorType Kind, std::function<void(TZvStringGrid*, T*)> Setup = {})
{
    return {QString::fromLatin1(Name), {Kind},
            [Setup](TZvStringGrid* Grid) -> TZvCellEditor* {
                T* editor = MakeEditor<T>(Grid);
                if (Setup) Setup(Grid, editor);
                return editor;
            },
            true};
}

} // namespace

void RegisterDropDownCellEditors(TZvCellEditorRegistry& Registry)
{
    using E = TEditorType;
    Registry.Register(Entry<TGridTrackbarDropDown>("TrackbarDropDown", E::edTrackbarDropDown,
                                                   [](TZvStringGrid*, TGridTrackbarDropDown* e) {
                                                       e->SetEditorEnabled(true);
                                                   }));
    Registry.Register(Entry<TGridMemoDropDown>("MemoDropDown", E::edMemoDropDown,
                                               [](TZvStringGrid* Grid, TGridMemoDropDown* e) {
                                                   e->OnChange = [Grid, e](TObject* Sender) {
                                                       if (!e->Loading()) Grid->MemoDropDownToCell(Sender);
                                                   };
                                               }));
    Registry.Register(Entry<TGridCalculatorDropDown>("CalculatorDropDown", E::edCalculatorDropDown,
                                                     [](TZvStringGrid*, TGridCalculatorDropDown* e) {
                                                         e->SetEditorEnabled(true);
                                                     }));
    Registry.Register(Entry<TGridTimepickerDropDown>("TimePickerDropDown", E::edTimePickerDropDown));
    Registry.Register(Entry<TGridDetailPickerDropDown>("DetailPickerDropDown", E::edDetailDropDown));
    Registry.Register(Entry<TGridGridDropDown>("GridDropDown", E::edGridDropDown));
    Registry.Register(Entry<TGridZvGridDropDown>("ZvGridDropDown", E::edZvGridDropDown));
    Registry.Register(Entry<TGridColorDropDown>("ColorPickerDropDown", E::edColorPickerDropDown,
                                                [](TZvStringGrid* Grid, TGridColorDropDown* e) {
                                                    e->OnSelect = [Grid](TObject*) { Grid->FireColorSelect(); };
                                                }));
    Registry.Register(Entry<TGridImageDropDown>("ImagePickerDropDown", E::edImagePickerDropDown,
                                                [](TZvStringGrid* Grid, TGridImageDropDown* e) {
                                                    e->OnSelect = [Grid](TObject*) { Grid->FireImageSelect(); };
                                                }));
}

void RegisterDropDownCellEditors() { RegisterDropDownCellEditors(TZvCellEditorRegistry::Instance()); }
