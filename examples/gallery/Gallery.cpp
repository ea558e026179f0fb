#include "examples/gallery/Gallery.h"

#include "dropdowns/base/ZvDropDownForm.h"

TGalleryPicker::TGalleryPicker(TComponent* AOwner) : TZvCustomDropDown(AOwner)
{
    // The base's construction ran its own CreateDropDownForm; this one adds the selector.
    CreateDropDownForm();
}

void TGalleryPicker::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (FSelector || !DropDownForm()) return;
    FSelector = new TZvCustomItemSelector(DropDownForm());
    FSelector->SetParent(DropDownForm());
    FSelector->SetSelectorType(TSelectorType::stColor);
    FSelector->SetColumns(2);
    FSelector->OnItemSelect = [this](TObject*) {
        const int i = FSelector->ItemIndex();
        if (i < 0) return;
        SetText(FSelector->Items()->GetItem(i)->Caption());
        HideDropDown(false);
    };
    SetHostedControl(FSelector);
}

void TGalleryPicker::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    DropDownForm()->SetSizeable(DropDownSizeable());
}

// The pop-up fits the selector's items, the strips and the border.
void TGalleryPicker::SizeDropDownForm()
{
    TZvCustomDropDown::SizeDropDownForm();
    if (DropDownWidth() > 0 || DropDownHeight() > 0) return;
    const TSize size = FSelector->GetPanelSize();
    int height = size.cy + 4 + 2 * DropDownBorderWidth();
    if (DropDownHeader()->Visible()) height += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) height += DropDownFooter()->Height();
    TDropDownForm* form = DropDownForm();
    form->SetBounds(form->Left(), form->Top(), std::max(Width(), size.cx + 4 + 2 * DropDownBorderWidth()), height);
}

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("Quillmer gallery"));
    SetBounds(100, 100, 480, 360);
    FPicker = new TGalleryPicker(this);
    FPicker->SetParent(this);
    FPicker->SetBounds(120, 24, 200, 21);
    FPicker->SetLabelCaption(QStringLiteral("Colour:"));
    FPicker->SetLabelMargin(4);
    FPicker->SetLabelPosition(TLabelPosition::lpLeftCenter);
    FPicker->DropDownHeader()->SetCaption(QStringLiteral("<b>Pick</b> a colour"));
    FPicker->DropDownFooter()->SetCaption(QStringLiteral("Footer"));
    TFooterButton* ok = FPicker->DropDownFooter()->Buttons()->Add();
    ok->SetCaption(QStringLiteral("OK"));
    ok->SetModalResult(mrOk);
    TFooterButton* cancel = FPicker->DropDownFooter()->Buttons()->Add();
    cancel->SetCaption(QStringLiteral("Cancel"));
    cancel->SetModalResult(mrCancel);
    FPicker->OnDropDownFooterButtonClick = [this](TObject*, int index) {
        FLastButton = QStringLiteral("footer %1").arg(index);
    };
    struct TEntry {
        const char* Caption;
        TColor Color;
    };
    static const TEntry entries[] = {{"Red", clRed},     {"Green", clGreen}, {"Blue", clBlue},
                                     {"Yellow", clYellow}, {"Black", clBlack}, {"White", clWhite}};
    for (const TEntry& e : entries) {
        TSelectorItem* item = FPicker->Selector()->Items()->Add();
        item->SetCaption(QString::fromLatin1(e.Caption));
        item->SetColor(e.Color);
    }
    FPicker->Selector()->UpdateSelectorPanel();
    FPicker->SetText(QStringLiteral("Red"));
    FClockMembers = AddClockMembers(this);
}
