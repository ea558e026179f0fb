#include "grid/support/ZvDropDownAppearance.h"

#include "grid/support/ZvGridTypes.h"

// ---- Button descriptions -----------------------------------------------------------

void TDropDownButton::Changed()
{
    if (FCollection) FCollection->ItemChanged();
}

void TDropDownButton::SetCaption(const String& value)
{
    if (!StoreChanged(FCaption, value)) return;
    Changed();
}

void TDropDownButton::SetEnabled(bool value)
{
    if (!StoreChanged(FEnabled, value)) return;
    Changed();
}

void TDropDownButton::SetWidth(int value)
{
    if (!StoreChanged(FWidth, value)) return;
    Changed();
}

void TDropDownButton::CopyCommon(const TDropDownButton& source)
{
    SetCaption(source.Caption());
    SetImageIndex(source.ImageIndex());
    SetEnabled(source.Enabled());
    SetWidth(source.Width());
    SetHeight(source.Height());
}

void THeaderButton::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<THeaderButton*>(source)) {
        CopyCommon(*other);
        return;
    }
    TDropDownButton::Assign(source);
}

void TFooterButton::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFooterButton*>(source)) {
        CopyCommon(*other);
        SetModalResult(other->ModalResult());
        return;
    }
    TDropDownButton::Assign(source);
}

void TDropDownButtonsBase::ItemChanged()
{
    if (OnChange) OnChange(this);
}

// ---- Appearances ----------------------------------------------------------------------

TDropDownStripAppearance::TDropDownStripAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
}

TDropDownStripAppearance::~TDropDownStripAppearance() = default;

void TDropDownStripAppearance::SetVisible(bool value)
{
    if (!StoreChanged(FVisible, value)) return;
    if (OnChange) OnChange(this);
}

void TDropDownStripAppearance::WireButtons()
{
    ButtonsBase()->OnChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

void TDropDownStripAppearance::CopyFrom(TDropDownStripAppearance& source)
{
    FColorTo = source.FColorTo;
    FColor = source.FColor;
    FBorderColor = source.FBorderColor;
    FCaption = source.FCaption;
    FFont->Assign(source.FFont.get());
    FImageIndex = source.FImageIndex;
    FBorderWidth = source.FBorderWidth;
    FGradientDirection = source.FGradientDirection;
    FHeight = source.FHeight;
    CopyOwnFields(source);
    SetVisible(source.FVisible);
    FButtonAlignment = source.FButtonAlignment;
    ButtonsBase()->Assign(source.ButtonsBase());
}

void TDropDownStripAppearance::CopyColorsFrom(const TDropDownStripAppearance& source)
{
    FColorTo = source.FColorTo;
    FColor = source.FColor;
    FBorderColor = source.FBorderColor;
    FFont->Assign(source.FFont.get());
    FGradientDirection = source.FGradientDirection;
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TDropDownStripAppearance(AOwner), FButtons(std::make_unique<THeaderButtons>(AOwner))
{
    Font()->SetName(QStringLiteral("Tahoma"));
    WireButtons();
}

THeaderAppearance::~THeaderAppearance() = default;

void THeaderAppearance::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<THeaderAppearance*>(source); other && other != this) CopyFrom(*other);
}

void THeaderAppearance::AssignColors(TPersistent* source)
{
    if (auto* other = dynamic_cast<THeaderAppearance*>(source)) CopyColorsFrom(*other);
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TDropDownStripAppearance(AOwner), FButtons(std::make_unique<TFooterButtons>(AOwner))
{
    WireButtons();
}

TFooterAppearance::~TFooterAppearance() = default;

void TFooterAppearance::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFooterAppearance*>(source); other && other != this) CopyFrom(*other);
}

void TFooterAppearance::AssignColors(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFooterAppearance*>(source)) CopyColorsFrom(*other);
}

void TFooterAppearance::CopyOwnFields(const TDropDownStripAppearance& source)
{
    FSizeGrip = static_cast<const TFooterAppearance&>(source).FSizeGrip;
}
