// The colour picker drop-down: its value, the four pickers, keys, wheel and
// the painting of the closed edit.
#include "dropdowns/pickers/ZvColorPickerDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "dropdowns/base/ZvDropDownStrips.h"
#include "dropdowns/pickers/ZvColorSelectors.h"
#include "platform/DrawText.h"
#include "platform/WebColors.h"

#include <algorithm>

namespace {
constexpr int ListHeight = 150;
constexpr int DefaultDropDownHeight = 200;

String HexByte(unsigned value) { return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QChar(u'0')).toUpper(); }

String HtmlText(TColor rgb)
{
    return QStringLiteral("#") + HexByte(GetRValue(rgb)) + HexByte(GetGValue(rgb)) + HexByte(GetBValue(rgb));
}

struct TNamedColor {
    const char* Caption;
    TColor Color;
};
constexpr TNamedColor DefaultColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000},   {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},   {"White", 0xFFFFFF},
};
} // namespace

String ColorValueToText(TColor color, TColorValueText kind)
{
    switch (kind) {
    case TColorValueText::cvtNone: return String();
    case TColorValueText::cvtHex:
        // The stored value as it is: blue, green, red; a system colour keeps its flag byte.
        return QStringLiteral("%1").arg(color, 6, 16, QChar(u'0')).toUpper();
    case TColorValueText::cvtWebName: {
        const TColor rgb = ColorToRGB(color);
        const String name = WebColorName(rgb);
        return name.isEmpty() ? HtmlText(rgb) : name;
    }
    case TColorValueText::cvtRGB: {
        const TColor rgb = ColorToRGB(color);
        return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(GetRValue(rgb)).arg(GetGValue(rgb)).arg(GetBValue(rgb));
    }
    case TColorValueText::cvtHTML: return HtmlText(ColorToRGB(color));
    }
    return String();
}

// ---- Items -----------------------------------------------------------------------------------
void TColorItem::SetCaption(const String& value)
{
    if (value == FCaption) return;
    FCaption = value;
    FCollection->NotifyChange();
}

void TColorItem::SetColor(TColor value)
{
    if (value == FColor) return;
    FColor = value;
    FCollection->NotifyChange();
}

void TColorItem::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TColorItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetCaption(other->FCaption);
    SetColor(other->FColor);
    FEnabled = other->FEnabled;
    FHint = other->FHint;
}

// ---- Construction ----------------------------------------------------------------------------
TZvColorPickerDropDown::TZvColorPickerDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner),
      FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FSearch(this, true)
{
    // The base's construction made the pop-up; this adds the list to it.
    CreateDropDownForm();
    if (FListSelector) FListSelector->ItemAppearance()->ApplyColorStyle(SelectionColorStyle());
    FColors->SetOnChange([](TObject*) {});
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetDropDownHeight(DefaultDropDownHeight);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetCursor(crArrow);
    ApplyItemAppearanceStyle(FItemAppearance.get(), GetComponentStyle());
}

TZvColorPickerDropDown::~TZvColorPickerDropDown()
{
    if (FListSelector) FListSelector->OnItemSelect = nullptr;
    if (FPaletteSelector) FPaletteSelector->OnItemSelect = nullptr;
}

void TZvColorPickerDropDown::AddDefaultColors()
{
    for (const TNamedColor& c : DefaultColors) {
        TColorItem* item = FColors->Add();
        item->SetCaption(QString::fromLatin1(c.Caption));
        item->SetColor(c.Color);
    }
}

void TZvColorPickerDropDown::SetComponentStyle(TZvStyle AStyle)
{
    TZvCustomDropDown::SetComponentStyle(AStyle);
    ApplyItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TZvColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TZvCustomDropDown::SetSelectionColorStyle(value);
    if (FListSelector) FListSelector->ItemAppearance()->ApplyColorStyle(value);
}

// ---- The value -------------------------------------------------------------------------------
int TZvColorPickerDropDown::ItemIndex() const
{
    return FItemIndex >= 0 && FItemIndex < FColors->Count() ? FItemIndex : -1;
}

void TZvColorPickerDropDown::SetItemIndex(int value)
{
    if (value >= FColors->Count()) return;
    FItemIndex = std::max(-1, value);
    if (FItemIndex >= 0) FSelectedColor = FColors->GetItem(FItemIndex)->Color();
    Invalidate();
    if (OnSelect) OnSelect(this);
}

void TZvColorPickerDropDown::SetSelectedColor(TColor value)
{
    if (value == FSelectedColor) return;
    FSelectedColor = value;
    int match = -1;
    for (int i = 0; i < FColors->Count() && match < 0; ++i)
        if (FColors->GetItem(i)->Color() == value) match = i;
    // A colour that no entry has is no entry's: the list's caption would name another colour.
    if (match >= 0) SetItemIndex(match);
    else if (ItemIndex() != -1) SetItemIndex(-1);
    Invalidate();
}

String TZvColorPickerDropDown::SelectedColorText() const
{
    const int i = ItemIndex();
    if (FColorSelectionStyle == TColorSelectionStyle::csList && i >= 0) return FColors->GetItem(i)->Caption();
    return ColorValueToText(FSelectedColor, ColorValueText);
}

void TZvColorPickerDropDown::SetShowText(bool value)
{
    if (value == FShowText) return;
    FShowText = value;
    Invalidate();
}

// ---- Pickers ---------------------------------------------------------------------------------
void TZvColorPickerDropDown::Host(TControl* picker)
{
    picker->SetBounds(0, 0, picker->Width(), picker->Height());
    picker->SetColor(DropDownColor());
    SetHostedControl(picker);
}

void TZvColorPickerDropDown::EnsureListSelector()
{
    if (!DropDownForm()) return;
    if (!FListSelector) {
        FListSelector = new TZvCustomItemSelector(this);
        FListSelector->SetParent(DropDownForm());
    }
    FListSelector->SetSelectorType(TSelectorType::stColor);
    FListSelector->SetHeight(ListHeight);
    FListSelector->UpdateSelectorPanel();
    Host(FListSelector);
}

void TZvColorPickerDropDown::EnsurePaletteSelector()
{
    if (!DropDownForm()) return;
    if (!FPaletteSelector) {
        FPaletteSelector = new TCustomColorSelector(this);
        FPaletteSelector->SetParent(DropDownForm());
        FPaletteSelector->AddOfficeColors();
    }
    FPaletteSelector->UpdateLayout();
    Host(FPaletteSelector);
}

void TZvColorPickerDropDown::EnsureCubePanel()
{
    if (!DropDownForm()) return;
    if (!FCubePanel) {
        FCubePanel = new TZvColorCubePanel(this);
        FCubePanel->SetParent(DropDownForm());
    }
    Host(FCubePanel);
}

void TZvColorPickerDropDown::EnsureSpectrumPanel()
{
    if (!DropDownForm()) return;
    if (!FSpectrumPanel) {
        FSpectrumPanel = new TZvColorSpectrumPanel(this);
        FSpectrumPanel->SetParent(DropDownForm());
    }
    Host(FSpectrumPanel);
}

void TZvColorPickerDropDown::EnsurePicker(TColorSelectionStyle style)
{
    switch (style) {
    case TColorSelectionStyle::csList: EnsureListSelector(); break;
    case TColorSelectionStyle::csDiscrete: EnsurePaletteSelector(); break;
    case TColorSelectionStyle::csColorCube: EnsureCubePanel(); break;
    case TColorSelectionStyle::csSpectrum: EnsureSpectrumPanel(); break;
    }
}

void TZvColorPickerDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    EnsurePicker(FColorSelectionStyle);
}

void TZvColorPickerDropDown::ShowOnly(TControl* picker)
{
    for (TControl* c : std::initializer_list<TControl*>{FListSelector, FPaletteSelector, FCubePanel, FSpectrumPanel})
        if (c && c != picker) c->SetVisible(false);
    if (picker) picker->SetVisible(true);
}

void TZvColorPickerDropDown::FillListSelectorItems()
{
    TSelectorItems& items = *FListSelector->Items();
    items.Clear();
    for (int i = 0; i < FColors->Count(); ++i) {
        const TColorItem& source = *FColors->GetItem(i);
        TSelectorItem* item = items.Add();
        item->SetCaption(source.Caption());
        item->SetColor(source.Color());
        item->SetHint(source.Hint());
    }
}

void TZvColorPickerDropDown::UpdateListSelector()
{
    if (!FListSelector) return;
    TZvCustomItemSelector& s = *FListSelector;
    s.OnItemSelect = nullptr;
    s.SetColumns(FColumns);
    s.SetImages(Images());
    s.SetItemLayout(FLayout);
    s.SetColor(DropDownColor());
    FillListSelectorItems();
    s.SetColorBoxHeight(FColorBoxHeight);
    s.SetColorBoxWidth(FColorBoxWidth);
    s.SetItemAppearance(FItemAppearance.get());
    s.UpdateSelectorPanel();
    s.SetItemIndex(ItemIndex());
    s.OnItemSelect = [this](TObject*) { ListItemSelected(); };
    s.SetShowHint(ShowHint());
}

// The opening's steps for a style: its picker made, placed and shown alone,
// with the drop-down's value and its selection handler.
void TZvColorPickerDropDown::PrepareStyle(TColorSelectionStyle style)
{
    EnsurePicker(style);
    // Each picker brings its own size; the pop-up is fitted around it.
    for (TControl* c : std::initializer_list<TControl*>{FPaletteSelector, FCubePanel, FSpectrumPanel})
        if (c) c->SetAlign(TAlign::alNone);
    switch (style) {
    case TColorSelectionStyle::csList:
        ShowOnly(FListSelector);
        UpdateListSelector();
        if (FListSelector) {
            if (OnDrawColor)
                FListSelector->OnDrawItem = [this](TObject*, TCanvas* c, TRect r, int i) { OnDrawColor(this, c, r, i); };
            else
                FListSelector->OnDrawItem = nullptr;
        }
        break;
    case TColorSelectionStyle::csDiscrete:
        if (!FPaletteSelector) break;
        ShowOnly(FPaletteSelector);
        // Bound only after the colour is set: setting it must not count as a pick.
        FPaletteSelector->OnItemSelect = nullptr;
        FPaletteSelector->SetSelectedColor(FSelectedColor);
        FPaletteSelector->UpdateLayout();
        FPaletteSelector->OnItemSelect = [this](TObject*) {
            PanelColorSelected(FPaletteSelector->SelectedColor(), false);
        };
        FPaletteSelector->SetItemColorStyle(SelectionColorStyle());
        break;
    case TColorSelectionStyle::csColorCube:
        if (!FCubePanel) break;
        ShowOnly(FCubePanel);
        FCubePanel->SetSelectedColor(FSelectedColor);
        FCubePanel->InitCells();
        FCubePanel->ResetHotCell();
        FCubePanel->OnSelect = [this](TObject*) { PanelColorSelected(FCubePanel->SelectedColor(), true); };
        break;
    case TColorSelectionStyle::csSpectrum:
        if (!FSpectrumPanel) break;
        ShowOnly(FSpectrumPanel);
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->UpdateLayout();
        FSpectrumPanel->OnSelect = [this](TObject*) { PanelColorSelected(FSpectrumPanel->SelectedColor(), true); };
        break;
    }
}

void TZvColorPickerDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    PrepareStyle(FColorSelectionStyle);
    FOldItemIndex = ItemIndex();
    FOldSelectedColor = FSelectedColor;
}

void TZvColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle value)
{
    if (value == FColorSelectionStyle) return;
    FColorSelectionStyle = value;
    ForgetUserSize();
    PrepareStyle(value);
    TControl* hosted = HostedControl();
    if (hosted) hosted->SetAlign(TAlign::alNone);
    SizeDropDownForm();
    if (hosted) hosted->SetAlign(TAlign::alClient);
    if (DropDownForm()) DropDownForm()->Invalidate();
}

void TZvColorPickerDropDown::SizeDropDownForm()
{
    TDropDownForm* form = DropDownForm();
    if (!form) return;
    if (FixedSizeStyle()) {
        TControl* hosted = HostedControl();
        const bool shown = hosted && hosted->Visible();
        const int border = 2 * DropDownBorderWidth();
        int height = border + StripsHeight();
        if (shown) height += hosted->Height();
        form->SetBounds(form->Left(), form->Top(), shown ? hosted->Width() + border : Width(), height);
        return;
    }
    if (!FListSelector) {
        TZvCustomDropDown::SizeDropDownForm();
        return;
    }
    FListSelector->SetAlign(TAlign::alNone);
    const TSize size = FListSelector->GetPanelSize();
    if (DropDownWidth() < 1) FListSelector->SetWidth(size.cx);
    if (DropDownHeight() < 1) FListSelector->SetHeight(size.cy);
    TZvCustomDropDown::SizeDropDownForm();
    if (IsScrollBarVisible(FListSelector, SB_VERT)) form->SetWidth(form->Width() + VerticalScrollBarWidth());
}

void TZvColorPickerDropDown::PlaceDropDownControl()
{
    TZvCustomDropDown::PlaceDropDownControl();
    if (!DropDownForm()) return;
    // The palette, cube and spectrum have one size; the list may be resized.
    DropDownForm()->SetSizeable(!FixedSizeStyle() && DropDownSizeable());
}

void TZvColorPickerDropDown::DropDownFormDestroyed()
{
    if (Destroying()) return;
    FListSelector = nullptr;
    FPaletteSelector = nullptr;
    FCubePanel = nullptr;
    FSpectrumPanel = nullptr;
}

// ---- Selection handlers ----------------------------------------------------------------------
void TZvColorPickerDropDown::ListItemSelected()
{
    SetItemIndex(FListSelector->ItemIndex());
    if (!FInternalCall) CloseDropDownForm(false);
}

void TZvColorPickerDropDown::PanelColorSelected(TColor color, bool closeAlways)
{
    SetSelectedColor(color);
    SetItemIndex(-1);
    if (closeAlways || !FInternalCall) CloseDropDownForm(false);
}

void TZvColorPickerDropDown::CloseDropDownForm(bool CancelChanges)
{
    // Escape on the closed edit closes nothing and so restores nothing.
    const bool wasOpen = DropDownForm() && DropDownForm()->Visible();
    TZvCustomDropDown::CloseDropDownForm(CancelChanges);
    // The palette, cube and spectrum have one size: no size is kept for them.
    if (FixedSizeStyle()) ForgetUserSize();
    if (!CancelChanges || !wasOpen) return;
    if (FColorSelectionStyle == TColorSelectionStyle::csList && FListSelector) {
        SetItemIndex(FOldItemIndex);
    } else if (FColorSelectionStyle == TColorSelectionStyle::csDiscrete && FPaletteSelector) {
        FPaletteSelector->SetSelectedColor(FOldSelectedColor);
        // A colour of the opening that the palette does not hold comes back too.
        if (FSelectedColor != FOldSelectedColor) SetSelectedColor(FOldSelectedColor);
    }
}

// ---- Keys and wheel --------------------------------------------------------------------------
void TZvColorPickerDropDown::SelectFirstColor() { SelectListStep(*this, TListStep::First, FColors->Count()); }
void TZvColorPickerDropDown::SelectLastColor() { SelectListStep(*this, TListStep::Last, FColors->Count()); }
void TZvColorPickerDropDown::SelectNextColor() { SelectListStep(*this, TListStep::Next, FColors->Count()); }
void TZvColorPickerDropDown::SelectPreviousColor() { SelectListStep(*this, TListStep::Previous, FColors->Count()); }

void TZvColorPickerDropDown::ListKey(WORD key, bool open)
{
    TZvCustomItemSelector& s = *FListSelector;
    auto internal = [&](auto step) { AsInternalCall(FInternalCall, step); };
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
        if (s.Items()->Count() != FColors->Count()) UpdateListSelector();
        const int target = SelectorPageTarget(s, key == VK_NEXT, FColors->Count());
        MoveSelectorTo(s, FInternalCall, target);
        break;
    }
    case VK_END:
        if (open) internal([&] { s.SelectLast(); });
        else SelectLastColor();
        break;
    case VK_HOME:
        if (open) internal([&] { s.SelectFirst(); });
        else SelectFirstColor();
        break;
    case VK_LEFT:
        if (!EditorEnabled() && open) internal([&] { s.SelectPrevious(); });
        break;
    case VK_RIGHT:
        if (!EditorEnabled() && open) internal([&] { s.SelectNext(); });
        break;
    case VK_UP:
    case VK_DOWN:
        if (open) {
            const int step = key == VK_UP ? -FColumns : FColumns;
            MoveSelectorTo(s, FInternalCall, s.ItemIndex() < 0 ? 0 : s.ItemIndex() + step);
        } else if (key == VK_UP) {
            SelectPreviousColor();
        } else {
            SelectNextColor();
        }
        break;
    default:
        if (GetKeyState(VK_CONTROL) < 0) break;
        FSearch.Add(key);
        internal([&] { s.LookupItem(FSearch.Text()); });
        break;
    }
}

void TZvColorPickerDropDown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    const bool list = FColorSelectionStyle == TColorSelectionStyle::csList;
    const bool palette = FColorSelectionStyle == TColorSelectionStyle::csDiscrete;
    bool taken = false;
    if (Enabled() && DroppedDown() && key == VK_RETURN) {
        if (list && FListSelector && FListSelector->ItemHot() >= 0) {
            FListSelector->SetItemIndex(FListSelector->ItemHot());
            taken = true;
        } else if (palette && FPaletteSelector && FPaletteSelector->ItemHot() >= 0) {
            FPaletteSelector->SetItemIndex(FPaletteSelector->ItemHot());
            taken = true;
        }
    }
    TZvCustomDropDown::WMKeyDown(Message);
    if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
    if (list && FListSelector) {
        if (key == VK_RETURN) {
            if (!taken && OnSelect) OnSelect(this);
        } else {
            ListKey(key, DroppedDown());
        }
    } else if (palette && FPaletteSelector) {
        AsInternalCall(FInternalCall, [&] { FPaletteSelector->HandleKey(key, EditorEnabled(), DroppedDown()); });
        if (key == VK_RETURN && !taken && OnSelect) OnSelect(this);
    }
}

void TZvColorPickerDropDown::WheelDownNotify()
{
    TZvCustomDropDown::WheelDownNotify();
    if (!Enabled() || ReadOnly()) return;
    if (FColorSelectionStyle == TColorSelectionStyle::csList && FListSelector) {
        if (DroppedDown()) return FListSelector->HotNext();
        // The closed edit steps through the colours even before the first opening.
        if (FListSelector->Items()->Count() != FColors->Count()) UpdateListSelector();
        AsInternalCall(FInternalCall, [&] { FListSelector->SelectNext(); });
    } else if (FColorSelectionStyle == TColorSelectionStyle::csDiscrete && FPaletteSelector) {
        if (DroppedDown()) return FPaletteSelector->HotNext();
        AsInternalCall(FInternalCall, [&] { FPaletteSelector->SelectNext(); });
    }
}

void TZvColorPickerDropDown::WheelUpNotify()
{
    TZvCustomDropDown::WheelUpNotify();
    if (!Enabled() || ReadOnly()) return;
    if (FColorSelectionStyle == TColorSelectionStyle::csList && FListSelector) {
        if (DroppedDown()) return FListSelector->HotPrevious();
        if (FListSelector->Items()->Count() != FColors->Count()) UpdateListSelector();
        AsInternalCall(FInternalCall, [&] { FListSelector->SelectPrevious(); });
    } else if (FColorSelectionStyle == TColorSelectionStyle::csDiscrete && FPaletteSelector) {
        if (DroppedDown()) return FPaletteSelector->HotPrevious();
        AsInternalCall(FInternalCall, [&] { FPaletteSelector->SelectPrevious(); });
    }
}

// ---- Painting the closed edit ----------------------------------------------------------------
// The base's paint ends with DrawFocusedText, so the colour comes last.
void TZvColorPickerDropDown::DrawFocusedText()
{
    TZvCustomDropDown::DrawFocusedText();
    PaintSelectedColor();
}

void TZvColorPickerDropDown::PaintSelectedColor()
{
    const QEvent* event = CurrentQtEvent();
    if (!HandleAllocated() || !event || event->type() != QEvent::Paint) return;
    PaintOverWidget(Handle(), [this](TCanvas& canvas) {
        const TRect r = Rect(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
        if (OnDrawSelectedColor) {
            OnDrawSelectedColor(this, &canvas, r);
            return;
        }
        if (FSelectedColor == clNone) return;
        const int top = r.Top + (Height() - FColorBoxHeight) / 2;
        const TRect box = Rect(r.Left + 4, top, r.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
        canvas.Pen()->SetColor(clBlack);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(FSelectedColor);
        canvas.Rectangle(box);
        if (!FShowText) return;
        canvas.SetFont(Font());
        if (!EditorEnabled() && Focused()) canvas.Font()->SetColor(clHighlightText);
        TRect text = Rect(box.Right + 4, r.Top, r.Right, r.Bottom);
        canvas.Brush()->SetColor(Focused() ? clHighlight : Color());
        canvas.FillRect(text);
        DrawText(canvas, SelectedColorText(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    });
}
