// The image picker drop-down.
#include "dropdowns/pickers/ZvImagePickerDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/ImgList.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int SelectorHeight = 150;
}

// ---- Items -----------------------------------------------------------------------------------
TImageItem::TImageItem(TPickerCollection* collection) : FCollection(collection), FImage(std::make_unique<TPicture>())
{
}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const String& value)
{
    if (value == FCaption) return;
    FCaption = value;
    FCollection->NotifyChange();
}

void TImageItem::SetImageIndex(int value)
{
    if (value == FImageIndex) return;
    FImageIndex = value;
    FCollection->NotifyChange();
}

void TImageItem::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TImageItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetCaption(other->FCaption);
    SetImageIndex(other->FImageIndex);
    FImage->Assign(other->FImage.get());
    FHint = other->FHint;
}

// ---- Construction ----------------------------------------------------------------------------
TZvImagePickerDropDown::TZvImagePickerDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner),
      FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FSearch(this, false)
{
    // The base's construction made the pop-up; this adds the selector to it.
    CreateDropDownForm();
    if (FItemSelector) FItemSelector->ItemAppearance()->ApplyColorStyle(SelectionColorStyle());
    FItems->SetOnChange([](TObject*) {});
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
    ApplyItemAppearanceStyle(FItemAppearance.get(), GetComponentStyle());
}

TZvImagePickerDropDown::~TZvImagePickerDropDown()
{
    if (FItemSelector) FItemSelector->OnItemSelect = nullptr;
}

void TZvImagePickerDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FItemSelector) {
        FItemSelector = new TZvCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(TSelectorType::stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), SelectorHeight);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetHostedControl(FItemSelector);
}

void TZvImagePickerDropDown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    ApplyItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TZvImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TZvCustomDropDown::SetSelectionColorStyle(value);
    if (FItemSelector) FItemSelector->ItemAppearance()->ApplyColorStyle(value);
}

// ---- The selector ----------------------------------------------------------------------------
void TZvImagePickerDropDown::SyncItemSelector()
{
    if (!FItemSelector) return;
    TZvCustomItemSelector& s = *FItemSelector;
    s.OnItemSelect = nullptr;
    s.SetColumns(FColumns);
    s.SetImages(Images());
    s.SetItemLayout(FLayout);
    s.SetColor(DropDownColor());
    s.SetItemAppearance(FItemAppearance.get());
    s.Items()->Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        const TImageItem& source = *FItems->GetItem(i);
        TSelectorItem* item = s.Items()->Add();
        item->SetCaption(source.Caption());
        item->SetImageIndex(source.ImageIndex());
        item->SetImage(source.Image());
        item->SetHint(source.Hint());
    }
    s.UpdateSelectorPanel();
    s.SetItemIndex(ItemIndex());
    s.OnItemSelect = [this](TObject*) { ItemSelected(); };
    s.SetShowHint(ShowHint());
}

void TZvImagePickerDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    SyncItemSelector();
    if (FItemSelector) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* c, TRect r, int i) { OnDrawItem(this, c, r, i); };
        else
            FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = ItemIndex();
}

void TZvImagePickerDropDown::SizeDropDownForm()
{
    if (!FItemSelector) {
        TZvCustomDropDown::SizeDropDownForm();
        return;
    }
    FItemSelector->SetAlign(TAlign::alNone);
    const TSize size = FItemSelector->GetPanelSize();
    if (DropDownWidth() <= 0) FItemSelector->SetWidth(size.cx);
    if (DropDownHeight() <= 0) FItemSelector->SetHeight(size.cy);
    TZvCustomDropDown::SizeDropDownForm();
    if (IsScrollBarVisible(FItemSelector, SB_VERT)) {
        TDropDownForm& form = *DropDownForm();
        form.SetWidth(form.Width() + VerticalScrollBarWidth());
    }
}

void TZvImagePickerDropDown::CloseDropDownForm(bool Cancel)
{
    // Escape on the closed edit closes nothing and so restores nothing.
    const bool wasOpen = DropDownForm() && DropDownForm()->Visible();
    TZvCustomDropDown::CloseDropDownForm(Cancel);
    if (Cancel && FItemSelector && wasOpen) SetItemIndex(FOldItemIndex);
}

void TZvImagePickerDropDown::ItemSelected()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) CloseDropDownForm(false);
}

void TZvImagePickerDropDown::MoveTo(int index) { MoveSelectorTo(*FItemSelector, FInternalCall, index); }

// ---- Selection -------------------------------------------------------------------------------
int TZvImagePickerDropDown::ItemIndex() const
{
    return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

void TZvImagePickerDropDown::SetItemIndex(int value)
{
    if (value == FItemIndex || value >= FItems->Count()) return;
    FItemIndex = value;
    Invalidate();
    if (OnChange) OnChange(this);
    if (OnSelect) OnSelect(this);
}

int TZvImagePickerDropDown::ImageIndex() const
{
    const int i = ItemIndex();
    return i < 0 ? -1 : FItems->GetItem(i)->ImageIndex();
}

void TZvImagePickerDropDown::SetImageIndex(int value)
{
    for (int i = 0; i < FItems->Count(); ++i) {
        if (FItems->GetItem(i)->ImageIndex() == value) {
            SetItemIndex(i);
            return;
        }
    }
    SetItemIndex(-1);
}

void TZvImagePickerDropDown::SelectFirst() { SelectListStep(*this, TListStep::First, FItems->Count()); }
void TZvImagePickerDropDown::SelectLast() { SelectListStep(*this, TListStep::Last, FItems->Count()); }
void TZvImagePickerDropDown::SelectNext() { SelectListStep(*this, TListStep::Next, FItems->Count()); }
void TZvImagePickerDropDown::SelectPrevious() { SelectListStep(*this, TListStep::Previous, FItems->Count()); }

// ---- Filling ---------------------------------------------------------------------------------
void TZvImagePickerDropDown::AddImagesFromImageList()
{
    if (!Images()) return;
    for (int i = 0; i < Images()->Count(); ++i) FItems->Add()->SetImageIndex(i);
}

void TZvImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption)
{
    const QFileInfo mask(AFolder);
    QDir folder = mask.dir();
    const QStringList names =
        folder.entryList({mask.fileName()}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) AddImageFile(folder.filePath(name), SetImageCaption);
}

void TZvImagePickerDropDown::AddImageFile(const String& path, bool setCaption)
{
    TImageItem* item = FItems->Add();
    if (item->FImage->LoadFromFile(path)) {
        if (setCaption) item->FCaption = QFileInfo(path).fileName();
    } else {
        item->FImage->Assign(nullptr);
    }
}

// ---- Keys and wheel --------------------------------------------------------------------------
void TZvImagePickerDropDown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    bool taken = false;
    if (key == VK_RETURN && Enabled() && DroppedDown() && FItemSelector && FItemSelector->ItemHot() >= 0) {
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        taken = true;
    }
    TZvCustomDropDown::WMKeyDown(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
    const bool open = DroppedDown();
    TZvCustomItemSelector* s = FItemSelector;
    switch (key) {
    case VK_RETURN:
        if (!taken && OnSelect) OnSelect(this);
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (!s) break;
        if (s->Items()->Count() != FItems->Count()) SyncItemSelector();
        if (const int target = SelectorPageTarget(*s, key == VK_NEXT, FItems->Count()); target >= 0) MoveTo(target);
        break;
    case VK_END:
        if (open && s) AsInternalCall(FInternalCall, [&] { s->SelectLast(); });
        else SelectLast();
        break;
    case VK_HOME:
        if (open && s) AsInternalCall(FInternalCall, [&] { s->SelectFirst(); });
        else SelectFirst();
        break;
    case VK_LEFT:
        if (open && s && !EditorEnabled()) AsInternalCall(FInternalCall, [&] { s->SelectPrevious(); });
        break;
    case VK_RIGHT:
        if (open && s && !EditorEnabled()) AsInternalCall(FInternalCall, [&] { s->SelectNext(); });
        break;
    case VK_UP:
        if (open && s) {
            const int target = s->ItemIndex() < 0 ? 0 : s->ItemIndex() - FColumns;
            if (target >= 0) MoveTo(target);
        } else {
            SelectPrevious();
        }
        break;
    case VK_DOWN:
        if (open && s) MoveTo(s->ItemIndex() < 0 ? 0 : s->ItemIndex() + FColumns);
        else SelectNext();
        break;
    default:
        if (s && GetKeyState(VK_CONTROL) >= 0) {
            FSearch.Add(key);
            AsInternalCall(FInternalCall, [&] { s->LookupItem(FSearch.Text()); });
        }
        break;
    }
}

void TZvImagePickerDropDown::WheelDownNotify()
{
    TZvCustomDropDown::WheelDownNotify();
    if (!Enabled() || ReadOnly() || !FItemSelector) return;
    if (DroppedDown()) {
        FItemSelector->HotNext();
        return;
    }
    // The closed edit steps through the items even before the first opening.
    if (FItemSelector->Items()->Count() != FItems->Count()) SyncItemSelector();
    AsInternalCall(FInternalCall, [&] { FItemSelector->SelectNext(); });
}

void TZvImagePickerDropDown::WheelUpNotify()
{
    TZvCustomDropDown::WheelUpNotify();
    if (!Enabled() || ReadOnly() || !FItemSelector) return;
    if (DroppedDown()) {
        FItemSelector->HotPrevious();
        return;
    }
    if (FItemSelector->Items()->Count() != FItems->Count()) SyncItemSelector();
    AsInternalCall(FInternalCall, [&] { FItemSelector->SelectPrevious(); });
}

// ---- Painting the closed edit ----------------------------------------------------------------
// The base's paint ends with DrawFocusedText, so the picture comes last.
void TZvImagePickerDropDown::DrawFocusedText()
{
    TZvCustomDropDown::DrawFocusedText();
    PaintSelectedImage();
}

void TZvImagePickerDropDown::PaintSelectedImage()
{
    const QEvent* event = CurrentQtEvent();
    if (!HandleAllocated() || !event || event->type() != QEvent::Paint) return;
    PaintOverWidget(Handle(), [this](TCanvas& canvas) {
        const TRect r = GetEditRect();
        if (OnDrawSelectedImage) {
            OnDrawSelectedImage(this, &canvas, r);
            return;
        }
        const int i = ItemIndex();
        if (i < 0) return;
        const TImageItem& item = *FItems->GetItem(i);
        TGraphic* graphic = item.Image()->Graphic();
        if (graphic && !graphic->Empty()) {
            canvas.Draw(r.Left + (r.Width() - graphic->Width()) / 2, r.Top + (r.Height() - graphic->Height()) / 2,
                        graphic);
        } else if (Images() && item.ImageIndex() >= 0) {
            Images()->Draw(canvas, r.Left + (r.Width() - Images()->Width()) / 2,
                           r.Top + (r.Height() - Images()->Height()) / 2, item.ImageIndex(), true);
        }
    });
}
