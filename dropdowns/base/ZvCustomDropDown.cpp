// The drop-down edit: construction, settings, the open and close sequences,
// placement and the reopen guard, Assign.
#include "dropdowns/base/ZvCustomDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/ImgList.h"
#include "platform/Seams.h"
#include "platform/Themes.h"

namespace {
// A click on the arrow within this time of the pop-up losing the activation does not reopen it.
constexpr std::uint32_t ReopenGuardMs = 250;
constexpr int PopupMinWidth = 80;
constexpr int PopupMinHeight = 50;
} // namespace

TZvCustomDropDown::TZvCustomDropDown(TComponent* AOwner)
    : TEdit(AOwner),
      FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)),
      FButtonAppearance(std::make_unique<TZvButtonAppearance>()),
      FThemed(IsComCtl6()),
      FLabelFont(std::make_unique<TFont>())
{
    SetBounds(Left(), Top(), 200, 21);
    CreateDropDownForm();
    CreateDropDownButton();
    TControlStyle style = ControlStyle();
    style.Exclude(csSetCaption);
    SetControlStyle(style);
    SetText(String());
    FDropDownHeader->OnChange = [this](TObject*) { HeaderChanged(); };
    FDropDownHeader->OnButtonsChanged = [this](TObject*) { HeaderChanged(); };
    FDropDownFooter->OnChange = [this](TObject*) { FooterChanged(); };
    FDropDownFooter->OnButtonsChanged = [this](TObject*) { FooterChanged(); };
    SetSelectionColorStyle(TSelectionColorStyle::scOffice2007);
    SetComponentStyle(TZvStyle::tsOffice2007Luna);
    FLabelFont->OnChange = [this](TObject*) { LabelFontChanged(); };
}

TZvCustomDropDown::~TZvCustomDropDown()
{
    FDropDownHeader->OnChange = nullptr;
    FDropDownHeader->OnButtonsChanged = nullptr;
    FDropDownFooter->OnChange = nullptr;
    FDropDownFooter->OnButtonsChanged = nullptr;
    FLabelFont->OnChange = nullptr;
    delete FButton;
    FButton = nullptr;
    if (FDropDownForm) {
        TDropDownForm* form = FDropDownForm;
        FDropDownForm = nullptr;
        form->SetZvDropDown(nullptr);
        delete form;
    }
}

void TZvCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    FDropDownForm = new TDropDownForm(this);
    FDropDownForm->SetZvDropDown(this);
    FDropDownForm->SetBorderStyle(TFormBorderStyle::bsNone);
    FDropDownForm->SetVisible(false);
    FDropDownForm->SetBounds(0, 0, FDropDownWidth, FDropDownHeight);
    FDropDownForm->SetDoubleBuffered(true);
    FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
    FDropDownForm->OnHide = [this](TObject*) { DropDownFormHidden(); };
    FDropDownForm->OnKeyPress = [this](TObject*, QChar& key) { FormKeyPress(key); };
    FDropDownForm->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
    FDropDownForm->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) { FormKeyUp(key, shift); };
    FDropDownForm->OnMouseWheel = [this](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        if (delta < 0) FormWheelDown();
        else FormWheelUp();
        handled = true;
    };
    FDropDownForm->OnDestroy = [this](TObject*) { DropDownFormDestroyed(); };
    FDropDownForm->OnSizing = [this](TObject*) { DropDownFormSizing(); };
}

void TZvCustomDropDown::CreateDropDownButton()
{
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->SetParent(this);
        FButton->OnClick = [this](TObject*) { ButtonClick(); };
    }
    UpdateDropDownButton();
}

void TZvCustomDropDown::UpdateDropDownButton()
{
    if (!FButton) return;
    FButton->SetFixedWidth(FDropDownButtonWidth);
    FButton->SetBounds(FButton->Left(), FButton->Top(), FDropDownButtonWidth, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
    UpdateButtonBounds();
}

// ---- Settings ------------------------------------------------------------------------
void TZvCustomDropDown::SetBorderColor(TColor value)
{
    if (value == FBorderColor) return;
    FBorderColor = value;
    Invalidate();
    if (FButton) FButton->Invalidate();
}

void TZvCustomDropDown::SetDisabledBorder(bool value)
{
    if (value == FDisabledBorder) return;
    FDisabledBorder = value;
    Invalidate();
}

void TZvCustomDropDown::SetDropDownWidth(int value)
{
    if (value == FDropDownWidth) return;
    FDropDownWidth = value;
    FUserDropDownWidth = -1;
}

void TZvCustomDropDown::SetDropDownHeight(int value)
{
    if (value == FDropDownHeight) return;
    FDropDownHeight = value;
    FUserDropDownHeight = -1;
}

void TZvCustomDropDown::SetDropDownButtonWidth(int value)
{
    if (!FButton || value == FDropDownButtonWidth) return;
    FDropDownButtonWidth = value;
    FButton->SetFixedWidth(value);
    if (FButton->HandleAllocated()) UpdateButtonBounds();
}

void TZvCustomDropDown::SetDropDownButtonHint(const String& value)
{
    if (value == FDropDownButtonHint) return;
    FDropDownButtonHint = value;
    if (!FButton) return;
    FButton->SetHint(value);
    FButton->SetShowHint(!value.isEmpty());
}

TBitmap* TZvCustomDropDown::DropDownButtonGlyph() const
{
    return FButton ? FButton->Glyph() : nullptr;
}

void TZvCustomDropDown::SetDropDownButtonGlyph(TBitmap* value)
{
    if (FButton) FButton->SetGlyph(value);
}

void TZvCustomDropDown::SetEditorEnabled(bool value)
{
    FEditorEnabled = value;
    TControlStyle style = ControlStyle();
    if (value) style.Include(csDoubleClicks);
    else style.Exclude(csDoubleClicks);
    SetControlStyle(style);
}

void TZvCustomDropDown::SetImages(TCustomImageList* value)
{
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
}

String TZvCustomDropDown::Version() const
{
    const std::uint32_t v = GetVersionNumber();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TZvCustomDropDown::SetFocusControl(TWinControl* value)
{
    if (value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TZvCustomDropDown::SetHostedControl(TControl* value)
{
    if (value == FHostedControl) return;
    if (FHostedControl) FHostedControl->RemoveFreeNotification(this);
    FHostedControl = value;
    if (FHostedControl) FHostedControl->FreeNotification(this);
    PlaceDropDownControl();
}

void TZvCustomDropDown::Notification(TComponent* component, TOperation operation)
{
    TEdit::Notification(component, operation);
    if (operation != TOperation::opRemove || Destroying()) return;
    if (component == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (component == FHostedControl) FHostedControl = nullptr;
    if (component == FFocusControl) FFocusControl = nullptr;
    if (component == FLabel) FLabel = nullptr;
}

void TZvCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) PositionLabel();
}

void TZvCustomDropDown::HeaderChanged()
{
    if (FDroppedDown && FDropDownForm) FDropDownForm->InitializeAndUpdate();
}

void TZvCustomDropDown::FooterChanged()
{
    if (FDroppedDown && FDropDownForm) FDropDownForm->InitializeAndUpdate();
}

// ---- Open -------------------------------------------------------------------------------
void TZvCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TZvCustomDropDown::AdjustDropDownHeight(int&)
{
    // Nothing by default: members with a list trim the height to whole rows.
}

void TZvCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TZvCustomDropDown::SizeDropDownForm()
{
    if (!FDropDownForm) return;
    int width = Width();
    if (FDropDownWidth > 0) width = FDropDownWidth;
    else if (FHostedControl && FHostedControl->Visible()) width = FHostedControl->Width();
    int height = FDropDownHeight;
    if (height <= 0) {
        height = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible()) height += FDropDownHeader->Height();
        if (FDropDownFooter->Visible()) height += FDropDownFooter->Height();
        if (FHostedControl && FHostedControl->Visible()) height += FHostedControl->Height();
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), width, height);
}

void TZvCustomDropDown::PlaceDropDownControl()
{
    if (!FDropDownForm || !FHostedControl) return;
    FHostedControl->SetParent(FDropDownForm);
    FHostedControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FHostedControl->SetAlign(TAlign::alClient);
}

void TZvCustomDropDown::OpenDropDownForm()
{
    if (!FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly()) return;
    BeforeDropDown();
    TDropDownForm& form = *FDropDownForm;
    form.SetShadow(FDropDownShadow);
    form.InitializeAndUpdate();
    form.SetBounds(Left(), Top(), form.Width(), form.Height());
    SizeDropDownForm();
    PlaceDropDownControl();
    form.Constraints()->SetMinWidth(PopupMinWidth);
    form.Constraints()->SetMinHeight(PopupMinHeight);
    BindHostedKeys();

    const TPoint p = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : ClientToScreen(Point(0, 0));
    int left = p.X;
    int top = p.Y;
    const bool below = FDropPosition == TDropPosition::dpDown ||
                       (FDropPosition == TDropPosition::dpAuto && PrimaryScreenHeight() > p.Y + form.Height());
    top = below ? p.Y + Height() - 1 : p.Y - form.Height();
    form.SetBounds(left, top, form.Width(), form.Height());

    bool acceptDrop = true;
    if (OnDropDown) OnDropDown(this, acceptDrop);
    if (!acceptDrop) return;

    // The edit's own monitor decides the shift, wherever it stands in the desktop.
    TMonitorInfo monitor;
    const TRect work = MonitorFromPoint(p, monitor) ? monitor.WorkArea : DesktopWorkArea();
    if (form.Left() + form.Width() > work.Right && form.Left() < work.Right) left = work.Right - form.Width();

    int width = form.Width();
    int height = form.Height();
    if (FUserDropDownWidth != -1) width = FUserDropDownWidth;
    if (FUserDropDownHeight != -1) height = FUserDropDownHeight;

    AdjustDropDownHeight(height);
    FDroppedDown = true;
    form.ShowAt(left, top, width, height);
    FocusDropDownControl();
}

// ---- Close ----------------------------------------------------------------------------
void TZvCustomDropDown::CloseDropDownForm(bool CancelChanges)
{
    if (!FDropDownForm || !FDropDownForm->Visible()) return;
    if (OnBeforeCloseUp) OnBeforeCloseUp(this);
    FUserDropDownWidth = FDropDownForm->Width();
    FUserDropDownHeight = FDropDownForm->Height();
    FDropDownForm->Hide();
    Application->CancelHint();
    if (CancelChanges) SetText(FLastAssignedText);
    if (OnDropUp) OnDropUp(this, CancelChanges);
}

void TZvCustomDropDown::DropDownFormHidden()
{
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !Destroying()) SetFocus();
}

void TZvCustomDropDown::ButtonClick()
{
    if (!FDropDownForm || FDropDownForm->Visible()) return;
    if (GetTickCount() - FDropDownForm->DeActivateTime() > ReopenGuardMs) OpenDropDownForm();
}

// ---- Assign ---------------------------------------------------------------------------
void TZvCustomDropDown::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TZvCustomDropDown*>(source);
    if (!other) return;
    FFocusHighlight = other->FFocusHighlight;
    FShadowRefresh = other->FShadowRefresh;
    FDropDownEnabled = other->FDropDownEnabled;
    FDropDownColor = other->FDropDownColor;
    FDropDownGradientEnd = other->FDropDownGradientEnd;
    FDropDownGradientDirection = other->FDropDownGradientDirection;
    FDropDownBorderColor = other->FDropDownBorderColor;
    FDropDownBorderWidth = other->FDropDownBorderWidth;
    FDropDownShadow = other->FDropDownShadow;
    FDropDownWidth = other->FDropDownWidth;
    FDropDownHeight = other->FDropDownHeight;
    FDropDownSizeable = other->FDropDownSizeable;
    FEditKind = other->FEditKind;
    FEnterMovesFocus = other->FEnterMovesFocus;
    FDigitLimit = other->FDigitLimit;
    FPrecision = other->FPrecision;
    FTextPrefix = other->FTextPrefix;
    FTextSuffix = other->FTextSuffix;
    FForwardDialogKeys = other->FForwardDialogKeys;
    FUndoOnEscape = other->FUndoOnEscape;
    FKeypadDecimalSeparator = other->FKeypadDecimalSeparator;
    FAllowedChars = other->FAllowedChars;
    FAllowNegative = other->FAllowNegative;
    FShowThousandSeparators = other->FShowThousandSeparators;
    FButtonAppearance->Assign(other->FButtonAppearance.get());
    FDropDownHeader->Assign(other->FDropDownHeader.get());
    FDropDownFooter->Assign(other->FDropDownFooter.get());
    FDropPosition = other->FDropPosition;
    FFlatLook = other->FFlatLook;
    SetDropDownButtonWidth(other->FDropDownButtonWidth);
    SetDropDownButtonHint(other->FDropDownButtonHint);
    FEditorEnabled = other->FEditorEnabled;
    if (FButton && other->FButton) {
        FButton->SetGlyph(other->FButton->Glyph());
        FButton->SetButtonCaption(other->FButton->ButtonCaption());
    }
    FEtchedLook = other->FEtchedLook;
    SetImages(other->FImages);
    FSelectionColorStyle = other->FSelectionColorStyle;
    FSelectionColor = other->FSelectionColor;
    FSelectionColorTo = other->FSelectionColorTo;
}
