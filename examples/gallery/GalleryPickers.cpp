#include "examples/gallery/GalleryPickers.h"

#include "dropdowns/pickers/ZvColorPickerDropDown.h"
#include "dropdowns/pickers/ZvDetailDropDown.h"
#include "dropdowns/pickers/ZvGridDropDown.h"
#include "dropdowns/pickers/ZvImagePickerDropDown.h"
#include "dropdowns/pickers/ZvMemoDropDown.h"
#include "dropdowns/pickers/ZvMultiColumnDropDown.h"
#include "dropdowns/pickers/ZvTrackBarDropDown.h"
#include "platform/ImgList.h"

namespace {

// Places a drop-down in the window's next row with its label on the left.
template <class TDropDown>
TDropDown* AddRow(TForm* form, int row, const char* label)
{
    auto* edit = new TDropDown(form);
    edit->SetParent(form);
    edit->SetBounds(140, 20 + row * 36, 220, 21);
    edit->SetLabelCaption(QString::fromLatin1(label));
    edit->SetLabelMargin(4);
    edit->SetLabelPosition(TLabelPosition::lpLeftCenter);
    return edit;
}

} // namespace

TGalleryPickersForm::TGalleryPickersForm(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("Quillmer gallery: pickers"));
    SetBounds(600, 100, 420, 350);
    FImages = new TImageList(this);
    const TColor shades[] = {clRed, clGreen, clBlue, clYellow, clFuchsia, clTeal, clMaroon, clNavy};
    for (TColor c : shades) {
        TBitmap bitmap(16, 16);
        bitmap.Canvas()->Brush()->SetColor(c);
        bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
        FImages->Add(&bitmap, nullptr);
    }

    FTrackBar = AddRow<TZvTrackBarDropDown>(this, 0, "Track bar:");
    FTrackBar->SetMax(20);
    FTrackBar->SetPosition(7);

    FMemo = AddRow<TZvMemoDropDown>(this, 1, "Memo:");
    TStringList lines;
    lines.SetText(QStringLiteral("First line of the memo\nSecond line\nThird line"));
    FMemo->SetMemoText(&lines);

    FDetail = AddRow<TZvDetailDropDown>(this, 2, "Detail:");
    FDetail->SetImages(FImages);
    FDetail->SetItemHeight(40);
    struct TDetail {
        const char* Caption;
        const char* Notes;
    };
    const TDetail details[] = {{"Apple", "A <b>red</b> fruit"},
                               {"Apricot", "Small and <i>orange</i>"},
                               {"Banana", "Long and yellow"}};
    int image = 0;
    for (const TDetail& d : details) {
        TDetailItem* item = FDetail->Items()->Add();
        item->SetCaption(QString::fromLatin1(d.Caption));
        item->SetNotes(QString::fromLatin1(d.Notes));
        item->SetImageIndex(image++);
    }
    FDetail->SetItemIndex(0);

    FImagePicker = AddRow<TZvImagePickerDropDown>(this, 3, "Image:");
    FImagePicker->SetImages(FImages);
    FImagePicker->SetColumns(4);
    FImagePicker->AddImagesFromImageList();
    FImagePicker->SetItemIndex(2);

    FColorList = AddRow<TZvColorPickerDropDown>(this, 4, "Colour list:");
    FColorList->AddDefaultColors();
    FColorList->SetColumns(2);
    FColorList->SetSelectedColor(clRed);

    FColorCube = AddRow<TZvColorPickerDropDown>(this, 5, "Colour cube:");
    FColorCube->ColorValueText = TColorValueText::cvtHTML;
    FColorCube->SetColorSelectionStyle(TColorSelectionStyle::csColorCube);
    FColorCube->SetSelectedColor(0x33CC33);

    // A lookup table and a grid of fruit: rows of texts under column headers.
    struct TRowTexts {
        const char* First;
        const char* Second;
        const char* Third;
    };
    auto fill = [](auto* edit, std::initializer_list<const char*> headers, std::initializer_list<TRowTexts> rows) {
        for (const char* header : headers) edit->Columns()->Add()->Header = QString::fromLatin1(header);
        for (const TRowTexts& row : rows) {
            auto* item = edit->Items()->Add();
            for (const char* text : {row.First, row.Second, row.Third}) item->Text()->Add(QString::fromLatin1(text));
        }
        edit->EndUpdate();
    };

    FColumns = AddRow<TZvMultiColumnDropDown>(this, 6, "Columns:");
    fill(FColumns, {"City", "Country", "People"},
         {{"Berlin", "Germany", "3.7 M"}, {"Bern", "Switzerland", "0.1 M"}, {"Bonn", "Germany", "0.3 M"},
          {"Brussels", "Belgium", "1.2 M"}, {"Budapest", "Hungary", "1.7 M"}});
    FColumns->Columns()->GetItem(2)->Alignment = TAlignment::taRightJustify;
    FColumns->SetItemIndex(1);

    FGridPicker = AddRow<TZvGridDropDown>(this, 7, "Grid:");
    fill(FGridPicker, {"Fruit", "Colour", "Taste"},
         {{"Apple", "red", "sweet"}, {"Apricot", "orange", "sweet"}, {"Banana", "yellow", "mild"},
          {"Cherry", "dark red", "tart"}, {"Lemon", "yellow", "sour"}});
    FGridPicker->Sorting = TGridSorting::gsSingleColumn;
    FGridPicker->SetItemIndex(0);
}
