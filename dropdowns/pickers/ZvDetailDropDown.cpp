// The detail drop-down: its items, the list in the pop-up, keys, wheel and
// the completion of typed captions.
#include "dropdowns/pickers/ZvDetailDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "grid/support/ZvHTMLRender.h"
#include "platform/DrawText.h"
#include "platform/ImgList.h"

#include <algorithm>

namespace {
constexpr int SelectorHeight = 150;
constexpr int DefaultListHeight = 100;
constexpr int SystemBorder = 1;
} // namespace

// ---- Items -----------------------------------------------------------------------------------
TDetailItem::TDetailItem(TPickerCollection* collection) : FCollection(collection), FImage(std::make_unique<TPicture>())
{
}

TDetailItem::~TDetailItem() = default;

void TDetailItem::SetCaption(const String& value)
{
    if (value == FCaption) return;
    FCaption = value;
    ItemChanged();
}

void TDetailItem::SetImageIndex(int value)
{
    if (value == FImageIndex) return;
    FImageIndex = value;
    ItemChanged();
}

void TDetailItem::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TDetailItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetCaption(other->FCaption);
    SetImageIndex(other->FImageIndex);
    FImage->Assign(other->FImage.get());
    FEnabled = other->FEnabled;
    FTag = other->FTag;
    FItemObject = other->FItemObject;
    FNotes = other->FNotes;
}

int TDetailItems::IndexOf(const String& AValue) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->Caption() == AValue) return i;
    return -1;
}

// ---- Construction ----------------------------------------------------------------------------
TZvDetailDropDown::TZvDetailDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner),
      FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>()),
      FSearch(this, false)
{
    // The base's construction made the pop-up; this adds the list to it.
    CreateDropDownForm();
    FItems->SetOnChange([](TObject*) {});
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FCaptionFont->Assign(Font());
    FNotesFont->Assign(Font());
    ApplyItemAppearanceStyle(FItemAppearance.get(), GetComponentStyle());
}

TZvDetailDropDown::~TZvDetailDropDown()
{
    if (FItemSelector) FItemSelector->OnItemSelect = nullptr;
}

void TZvDetailDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FItemSelector) {
        FItemSelector = new TZvCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(TSelectorType::stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), SelectorHeight);
        FItemSelector->SetDoubleBuffered(true);
        FItemSelector->OnDrawItem = [this](TObject* s, TCanvas* c, TRect r, int i) { DrawDetailItem(s, c, r, i); };
        FItemSelector->OnItemSize = [this](TObject*, TSize& size) { MeasureDetailItem(size); };
        FItemSelector->UpdateSelectorPanel();
        FItemSelector->OnResize = [this](TObject*) {
            if (FItemSelector) FItemSelector->UpdateSelectorPanel();
        };
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetHostedControl(FItemSelector);
}

void TZvDetailDropDown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    ApplyItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TZvDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TZvCustomDropDown::SetSelectionColorStyle(value);
    if (FItemSelector) FItemSelector->ItemAppearance()->ApplyColorStyle(value);
}

// ---- The list --------------------------------------------------------------------------------
void TZvDetailDropDown::CopyItemsToSelector()
{
    TSelectorItems& target = *FItemSelector->Items();
    target.Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        const TDetailItem& source = *FItems->GetItem(i);
        TSelectorItem* item = target.Add();
        item->SetCaption(source.Caption());
        item->SetImage(source.Image());
        item->SetImageIndex(source.ImageIndex());
    }
}

void TZvDetailDropDown::SyncItemSelector()
{
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(1);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->SetItemAppearance(FItemAppearance.get());
    CopyItemsToSelector();
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(ItemIndex());
    FItemSelector->OnItemSelect = [this](TObject*) { ItemSelected(); };
}

void TZvDetailDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    SyncItemSelector();
    FOldItemIndex = ItemIndex();
    FOldText = Text();
}

void TZvDetailDropDown::SizeDropDownForm()
{
    if (FItemSelector) {
        FItemSelector->SetAlign(TAlign::alNone);
        if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0) FItemSelector->SetHeight(DefaultListHeight);
    }
    TZvCustomDropDown::SizeDropDownForm();
}

void TZvDetailDropDown::OpenDropDownForm()
{
    TZvCustomDropDown::OpenDropDownForm();
    if (DropDownForm() && DropDownForm()->Visible() && FItemSelector && FItemSelector->CanFocus())
        FItemSelector->SetFocus();
}

void TZvDetailDropDown::CloseDropDownForm(bool Cancel)
{
    // Escape on the closed edit closes nothing and so restores nothing.
    const bool wasOpen = DropDownForm() && DropDownForm()->Visible();
    TZvCustomDropDown::CloseDropDownForm(Cancel);
    if (!Cancel || !FItemSelector || !wasOpen) return;
    if (FOldItemIndex != -1) {
        SetItemIndex(FOldItemIndex);
    } else if (FItemIndex != -1) {
        // Nothing was chosen at the opening: the moves made in the list go,
        // and the text typed before the opening comes back.
        FItemIndex = -1;
        SetText(FOldText);
    }
}

void TZvDetailDropDown::DropDownFormSizing()
{
    if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TZvDetailDropDown::ItemSelected()
{
    const int index = FItemSelector->ItemIndex();
    SetItemIndex(index);
    if (index >= 0 && index < FItems->Count()) SetText(FItems->GetItem(index)->Caption());
    TZvCustomDropDown::SelectAll();
    if (!FInternalCall) CloseDropDownForm(false);
}

// ---- Selection -------------------------------------------------------------------------------
int TZvDetailDropDown::ItemIndex() const
{
    return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

void TZvDetailDropDown::SetItemIndex(int value)
{
    if (value == ItemIndex()) return;
    if (value >= 0 && value < FItems->Count()) {
        FItemIndex = value;
        SetText(FItems->GetItem(value)->Caption());
        TZvCustomDropDown::SelectAll();
        Invalidate();
        if (FItemSelector) FItemSelector->Invalidate();
        if (OnSelect) OnSelect(this);
    } else if (value == -1) {
        SetText(String());
        FItemIndex = -1;
    }
}

void TZvDetailDropDown::SelectFirst() { SelectListStep(*this, TListStep::First, FItems->Count()); }
void TZvDetailDropDown::SelectLast() { SelectListStep(*this, TListStep::Last, FItems->Count()); }
void TZvDetailDropDown::SelectNext() { SelectListStep(*this, TListStep::Next, FItems->Count()); }
void TZvDetailDropDown::SelectPrevious() { SelectListStep(*this, TListStep::Previous, FItems->Count()); }

void TZvDetailDropDown::MoveTo(int index) { MoveSelectorTo(*FItemSelector, FInternalCall, index); }

// Up or Down in the open list: from the selection, or to the first item when there is none.
void TZvDetailDropDown::StepOpen(int delta)
{
    const int current = FItemSelector->ItemIndex();
    const int target = current < 0 ? 0 : current + delta;
    if (target < 0 || target >= FItemSelector->Items()->Count()) return;
    MoveTo(target);
    Invalidate();
}

// ---- Keys and wheel --------------------------------------------------------------------------
void TZvDetailDropDown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    const bool open = Open();
    if (Enabled() && GetKeyState(VK_MENU) >= 0 && FItems->Count() > 0 && FItemSelector) {
        TZvCustomItemSelector& s = *FItemSelector;
        switch (key) {
        case VK_PRIOR:
        case VK_NEXT: {
            if (s.Items()->Count() != FItems->Count()) SyncItemSelector();
            const int target = SelectorPageTarget(s, key == VK_NEXT, FItems->Count());
            if (target >= 0) MoveTo(target);
            break;
        }
        case VK_END:
            if (open) AsInternalCall(FInternalCall, [&] { s.SelectLast(); });
            else if (!EditorEnabled()) SelectLast();
            break;
        case VK_HOME:
            if (open) AsInternalCall(FInternalCall, [&] { s.SelectFirst(); });
            else if (!EditorEnabled()) SelectFirst();
            break;
        case VK_LEFT:
            if (open && !EditorEnabled()) AsInternalCall(FInternalCall, [&] { s.SelectPrevious(); });
            break;
        case VK_RIGHT:
            if (open && !EditorEnabled()) AsInternalCall(FInternalCall, [&] { s.SelectNext(); });
            break;
        case VK_UP:
            if (open) StepOpen(-1);
            else SelectPrevious();
            break;
        case VK_DOWN:
            if (open) StepOpen(1);
            else SelectNext();
            break;
        default:
            if (GetKeyState(VK_CONTROL) >= 0) {
                FSearch.Add(key);
                AsInternalCall(FInternalCall, [&] { s.LookupItem(FSearch.Text()); });
            }
            break;
        }
    }
    // While the list is open its moves keep the caret where it is.
    if (open && (key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP || key == VK_RIGHT ||
                 key == VK_DOWN))
        return;
    TZvCustomDropDown::WMKeyDown(Message);
}

void TZvDetailDropDown::KeyDownHook(WORD& Key, TShiftState Shift)
{
    if (FItems->Count() == 0) {
        TZvCustomDropDown::KeyDownHook(Key, Shift);
        return;
    }
    const WORD key = Key;
    if (key == VK_BACK || key == VK_ESCAPE || key == VK_DELETE) {
        FWorkMode = false;
    } else if (key == VK_RETURN) {
        const int index = FItems->IndexOf(Text());
        if (index >= 0) {
            SetText(FItems->GetItem(index)->Caption());
            SetItemIndex(index);
            ChangeHook();
        }
    } else {
        FWorkMode = true;
    }
    TZvCustomDropDown::KeyDownHook(Key, Shift);
    if (key == VK_ESCAPE) {
        const int index = FItems->IndexOf(Text());
        if (index >= 0) SetItemIndex(index);
    }
}

void TZvDetailDropDown::KeyUpHook(WORD& Key, TShiftState Shift)
{
    TZvCustomDropDown::KeyUp(Key, Shift);
    if (!FItemChange) return;
    SetItemIndex(FItemIdx);
    FItemChange = false;
}

void TZvDetailDropDown::ChangeHook()
{
    FItemChange = false;
    TZvCustomDropDown::Change();
    if (!FWorkMode || Destroying()) return;
    const String text = Text();
    SetModifiedState(!text.isEmpty());
    const int caret = std::clamp(SelStart(), 0, int(text.size()));
    const String typed = text.left(caret);
    const String prefix = text.toUpper().left(caret);
    if (!prefix.isEmpty()) {
        for (int i = 0; i < FItems->Count(); ++i) {
            const String& caption = FItems->GetItem(i)->Caption();
            if (!caption.toUpper().startsWith(prefix)) continue;
            // The whole rest of the caption, however long.
            const String completed = text.left(prefix.size()) + caption.mid(prefix.size());
            FItemIndex = FItemIdx = i;
            FItemSel = int(prefix.size());
            FItemChange = true;
            SetText(completed);
            SetSelStart(FItemSel);
            SetSelLength(int(completed.size()) - FItemSel);
            return;
        }
    }
    if (!typed.isEmpty() && typed != text) {
        SetText(typed);
        SetSelStart(int(typed.size()));
    }
}

void TZvDetailDropDown::WheelDownNotify()
{
    TZvCustomDropDown::WheelDownNotify();
    if (Open()) StepOpen(1);
    else SelectNext();
}

void TZvDetailDropDown::WheelUpNotify()
{
    TZvCustomDropDown::WheelUpNotify();
    if (Open()) StepOpen(-1);
    else SelectPrevious();
}

// ---- Drawing the list ------------------------------------------------------------------------
void TZvDetailDropDown::MeasureDetailItem(TSize& Size)
{
    int width = DropDownWidth();
    if (width <= 0) {
        // Before its first sizing the pop-up has no width yet: the edit's stands in.
        width = DropDownForm() && DropDownForm()->Width() > 0 ? DropDownForm()->Width() : Width();
    }
    width -= 2 * SystemBorder + 4;
    if (FItemSelector && IsScrollBarVisible(FItemSelector, SB_VERT)) width -= VerticalScrollBarWidth();
    Size.cx = std::max(1, width);
    Size.cy = FItemHeight;
}

void TZvDetailDropDown::DrawDetailItem(TObject*, TCanvas* Canvas, TRect R, int Index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count() || !Canvas) return;
    TCanvas& canvas = *Canvas;
    const TDetailItem& item = *FItems->GetItem(Index);
    const String& caption = item.Caption();
    TGraphic* graphic = item.Image()->Graphic();
    auto imageLeft = [&](int w) { return caption.isEmpty() ? R.Left + (R.Width() - w) / 2 : R.Left + 2; };
    if (graphic && !graphic->Empty()) {
        if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) bitmap->SetTransparent(true);
        canvas.Draw(imageLeft(graphic->Width()), R.Top + (R.Height() - graphic->Height()) / 2, graphic);
        R.Left += graphic->Width() + 4;
    } else if (Images() && item.ImageIndex() >= 0) {
        Images()->Draw(canvas, imageLeft(Images()->Width()), R.Top + (R.Height() - Images()->Height()) / 2,
                       item.ImageIndex(), true);
        R.Left += Images()->Width() + 4;
    }
    const int hot = FItemSelector ? FItemSelector->ItemHot() : -1;
    auto textColour = [&](TFont& font) {
        if (Index == hot) font.SetColor(FItemAppearance->ColorHotText);
        if (Index == ItemIndex()) font.SetColor(FItemAppearance->ColorSelectedText);
    };
    canvas.SetFont(FCaptionFont.get());
    textColour(*canvas.Font());
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    R = Rect(R.Left + 4, R.Top + 2, R.Right - 4, R.Bottom);
    TRect c = R;
    DrawText(canvas, caption, c, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (item.Notes().isEmpty()) return;
    R.Top += canvas.TextHeight(QStringLiteral("gh"));
    canvas.SetFont(FNotesFont.get());
    textColour(*canvas.Font());
    THTMLDrawParams params;
    params.Images = Images();
    THTMLDrawResult result;
    DrawHTMLText(canvas, item.Notes(), R, params, result);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}
