// The item selector: items, their look, the panel's layout, painting and
// tracking, and the outer control.
#include "dropdowns/base/ZvItemSelector.h"

#include "grid/support/ZvDrawRoutines.h"
#include "grid/support/ZvDropDownDraw.h"
#include "grid/support/ZvHTMLUtil.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"

// ---- Items --------------------------------------------------------------------------------
TSelectorItem::TSelectorItem(TSelectorItems* collection)
    : FCollection(collection), FImage(std::make_unique<TPicture>())
{
}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::Changed()
{
    if (FCollection && FCollection->OnChange) FCollection->OnChange(FCollection);
}

void TSelectorItem::SetCaption(const String& value)
{
    if (value == FCaption) return;
    FCaption = value;
    Changed();
}

void TSelectorItem::SetColor(TColor value)
{
    if (value == FColor) return;
    FColor = value;
    Changed();
}

void TSelectorItem::SetImageIndex(int value)
{
    if (value == FImageIndex) return;
    FImageIndex = value;
    Changed();
}

void TSelectorItem::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TSelectorItem*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    SetImageIndex(s->FImageIndex);
    FImage->Assign(s->FImage.get());
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

TSelectorItem* TSelectorItems::Insert(int index)
{
    if (index < 0 || index > Count()) index = Count();
    FItems.insert(FItems.begin() + index, std::make_unique<TSelectorItem>(this));
    return FItems[std::size_t(index)].get();
}

void TSelectorItems::Delete(int index)
{
    GetItem(index);
    FItems.erase(FItems.begin() + index);
}

TSelectorItem* TSelectorItems::GetItem(int index) const
{
    if (index < 0 || index >= Count()) throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[std::size_t(index)].get();
}

void TSelectorItems::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TSelectorItems*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    if (s == this) return;
    FItems.clear();
    for (const auto& item : s->FItems) Add()->Assign(item.get());
}

// ---- Appearance ---------------------------------------------------------------------------
TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::ApplyColorStyle(TSelectionColorStyle style)
{
    if (style == FColorStyle) return;
    FColorStyle = style;
    struct TSet {
        TColor Hot, HotTo, MirrorHot, MirrorHotTo, Top, Bottom, Border, Edge, Sel, SelTo, MirrorSel, MirrorSelTo;
    };
    TSet set{};
    switch (style) {
    case TSelectionColorStyle::scOffice2007:
        set = {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4,
               0x15C1FB, 0x68E3F9};
        break;
    case TSelectionColorStyle::scWindowsVista:
        set = {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4,
               clNone, clNone};
        break;
    case TSelectionColorStyle::scWindows7:
        set = {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2,
               clNone, clNone};
        break;
    case TSelectionColorStyle::scCustom:
        return;
    }
    ColorHot = set.Hot, ColorHotTo = set.HotTo, ColorMirrorHot = set.MirrorHot, ColorMirrorHotTo = set.MirrorHotTo;
    BorderColorTop = set.Top, BorderColorBottom = set.Bottom, BorderColor = set.Border, EdgeColor = set.Edge;
    ColorSelected = set.Sel, ColorSelectedTo = set.SelTo, ColorMirrorSelected = set.MirrorSel,
    ColorMirrorSelectedTo = set.MirrorSelTo;
}

void TItemAppearance::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TItemAppearance*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    const TColor selectedText = s->ColorSelectedText, hotText = s->ColorHotText;
    const TColor borderHot = s->BorderColorHot, borderSelected = s->BorderColorSelected;
    static_cast<TItemAppearanceColors&>(*this) = *s;
    FFont->Assign(s->FFont.get());
    ApplyColorStyle(s->FColorStyle);
    ColorSelectedText = selectedText, ColorHotText = hotText;
    BorderColorHot = borderHot, BorderColorSelected = borderSelected;
}

// ---- Panel ---------------------------------------------------------------------------------
TCustomItemSelector::TCustomItemSelector(TComponent* AOwner)
    : TCustomControl(AOwner), FZvItemSelector(dynamic_cast<TZvCustomItemSelector*>(AOwner))
{
    if (!FZvItemSelector) throw Exception(QStringLiteral("Invalid parent"));
    SetParentColor(true);
}

bool TCustomItemSelector::ValidIndex(int index) const
{
    return index >= 0 && index < FZvItemSelector->Items()->Count();
}

bool TCustomItemSelector::Disabled(int index) const
{
    return ValidIndex(index) && !FZvItemSelector->Items()->GetItem(index)->Enabled();
}

int TCustomItemSelector::ItemIndex() const { return ValidIndex(FItemIndex) ? FItemIndex : -1; }
int TCustomItemSelector::ItemHot() const { return ValidIndex(FItemHot) ? FItemHot : -1; }

void TCustomItemSelector::SetItemIndex(int value)
{
    if (Disabled(value)) return;
    if (ItemIndex() >= 0 && value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = value;
    if (value < 0) return;
    if (ValidIndex(value)) InvalidateItem(value);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomItemSelector::SetItemHot(int index)
{
    if (index == FItemHot || Disabled(index)) return;
    const int old = FItemHot;
    FItemHot = index;
    if (ValidIndex(old)) InvalidateItem(old);
    if (ValidIndex(index)) InvalidateItem(index);
}

void TCustomItemSelector::SelectFirst()
{
    if (FZvItemSelector->Items()->Count() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    const int n = FZvItemSelector->Items()->Count();
    if (n > 0) SetItemIndex(n - 1);
}

void TCustomItemSelector::SelectNext()
{
    const int i = ItemIndex();
    if (i < 0) SelectFirst();
    else if (i + 1 < FZvItemSelector->Items()->Count()) SetItemIndex(i + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    const int i = ItemIndex();
    if (i < 0) SelectFirst();
    else if (i > 0) SetItemIndex(i - 1);
}

void TCustomItemSelector::HotNext()
{
    const int i = ItemHot();
    if (i < 0) {
        if (FZvItemSelector->Items()->Count() > 0) SetItemHot(0);
    } else if (i + 1 < FZvItemSelector->Items()->Count()) {
        SetItemHot(i + 1);
    }
}

void TCustomItemSelector::HotPrevious()
{
    const int i = ItemHot();
    if (i < 0) {
        if (FZvItemSelector->Items()->Count() > 0) SetItemHot(0);
    } else if (i > 0) {
        SetItemHot(i - 1);
    }
}

bool TCustomItemSelector::LookupItem(const String& S)
{
    TSelectorItems& items = *FZvItemSelector->Items();
    for (int i = 0; i < items.Count(); ++i) {
        const String t = StripHTMLTags(items[i]->Caption()).trimmed().toUpper();
        if (t.startsWith(S)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

TRect TCustomItemSelector::GetItemRect(int index) const
{
    return ValidIndex(index) ? FZvItemSelector->Items()->GetItem(index)->ItemRect() : Rect(-1, -1, -1, -1);
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const
{
    TSelectorItems& items = *FZvItemSelector->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items[i]->ItemRect().Contains(Point(X, Y))) return i;
    return -1;
}

void TCustomItemSelector::GetContentRect(TRect& R) const
{
    const TRect c = ClientRect();
    R = Rect(c.Left + FOffSetX, c.Top + FOffSetY, c.Right - FOffSetX, c.Bottom - FOffSetY);
}

void TCustomItemSelector::InvalidateItem(int index)
{
    if (ValidIndex(index)) InvalidateRect(GetItemRect(index));
}

void TCustomItemSelector::GetItemSize(TSize& size)
{
    TZvCustomItemSelector& s = *FZvItemSelector;
    if (s.OnItemSize) {
        // The handler starts from nothing, so a size it does not set is 0.
        size = TSize{0, 0};
        s.OnItemSize(this, size);
        return;
    }
    int w = 0, h = 0;
    if (s.SelectorType() == TSelectorType::stColor) w = s.ColorBoxWidth(), h = s.ColorBoxHeight();
    TCanvas& canvas = *Canvas();
    canvas.SetFont(s.ItemAppearance()->Font());
    int tw = 0, th = 0;
    for (int i = 0; i < s.Items()->Count(); ++i) {
        TSelectorItem& item = *s.Items()->GetItem(i);
        if (s.SelectorType() == TSelectorType::stImage) {
            if (item.Image()->Graphic() && !item.Image()->Graphic()->Empty()) {
                w = std::max(w, item.Image()->Width());
                h = std::max(h, item.Image()->Height());
            } else if (s.Images() && item.ImageIndex() >= 0) {
                w = std::max(w, s.Images()->Width());
                h = std::max(h, s.Images()->Height());
            }
        }
        const TSize t = DrawItemHTML(canvas, item.Caption(), Rect(0, 0, 1000, 500), s.Images(), true);
        tw = std::max(tw, t.cx);
        th = std::max(th, t.cy);
    }
    if (tw > 0) tw += 4;
    if (s.ItemLayout() == TItemLayout::ilCaptionLeft || s.ItemLayout() == TItemLayout::ilCaptionRight) {
        size.cx = 2 * FItemOffSetX + (w > 0 ? w : 0) + (w > 0 && tw > 0 ? FCaptionGap : 0) + (tw > 0 ? tw : 0);
        size.cy = std::max(th, h) + 2 * FItemOffSetY;
    } else {
        size.cx = std::max(tw, w) + 2 * FItemOffSetX;
        size.cy = 2 * FItemOffSetY + (h > 0 ? h : 0);
        if (th >= 1) size.cy += (h > 0 ? FCaptionGap : 0) + th;
    }
}

void TCustomItemSelector::UpdateLayout()
{
    TSelectorItems& items = *FZvItemSelector->Items();
    if (items.Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize s;
    GetItemSize(s);
    TRect c;
    GetContentRect(c);
    int x = c.Left, y = c.Top, k = 0, m = 0;
    const int columns = FZvItemSelector->Columns();
    for (int i = 0; i < items.Count(); ++i) {
        items[i]->SetItemRect(Rect(x, y, x + s.cx, y + s.cy));
        ++k;
        if (i == items.Count() - 1) break;
        if (k < columns) {
            x += s.cx;
        } else {
            m = std::max(m, x);
            y += s.cy;
            x = c.Left;
            k = 0;
        }
    }
    SetBounds(Left(), Top(), std::max(m, x) + s.cx + c.Left, y + s.cy + c.Top);
    Invalidate();
}

void TCustomItemSelector::Paint()
{
    TCustomControl::Paint();
    DrawItems(*Canvas());
}

void TCustomItemSelector::DrawItems(TCanvas& canvas)
{
    for (int i = 0; i < FZvItemSelector->Items()->Count(); ++i) DrawItem(i, canvas);
}

void TCustomItemSelector::DrawItem(int index, TCanvas& canvas)
{
    if (!ValidIndex(index)) return;
    TZvCustomItemSelector& s = *FZvItemSelector;
    TSelectorItem& item = *s.Items()->GetItem(index);
    TRect r = item.ItemRect();
    if (r.Left < 0 && r.Right < 0) return;
    const TItemAppearance& a = *s.ItemAppearance();
    TColor b = a.BorderColor, top = a.BorderColorTop, bottom = a.BorderColorBottom, e = a.EdgeColor;
    TColor from = clNone, to = clNone, mirror = clNone, mirrorTo = clNone;
    const bool hot = index == ItemHot();
    const bool selected = index == ItemIndex();
    if (hot) {
        from = a.ColorHot, to = a.ColorHotTo, mirror = a.ColorMirrorHot, mirrorTo = a.ColorMirrorHotTo;
        if (a.BorderColorHot != clNone) b = a.BorderColorHot, top = bottom = e = clNone;
    }
    if (selected) {
        b = a.BorderColor, top = a.BorderColorTop, bottom = a.BorderColorBottom, e = a.EdgeColor;
        from = a.ColorSelected, to = a.ColorSelectedTo, mirror = a.ColorMirrorSelected,
        mirrorTo = a.ColorMirrorSelectedTo;
        if (a.BorderColorSelected != clNone) b = a.BorderColorSelected, top = bottom = e = clNone;
    }
    if (!hot && !selected) {
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(r);
    } else if (top == clNone) {
        DrawGradientRect(&canvas, r, from, true, 1, b, to);
    } else {
        DrawSelectionBox(canvas, from, to, mirror, mirrorTo, top, bottom, b, e, Color(), r, TSelectionSegment::ssWhole);
    }
    if (s.OnDrawItem) {
        s.OnDrawItem(this, &canvas, r, index);
        return;
    }
    int w = 0, h = 0;
    const bool picture = item.Image()->Graphic() && !item.Image()->Graphic()->Empty();
    const bool listImage = !picture && s.Images() && item.ImageIndex() >= 0;
    if (s.SelectorType() == TSelectorType::stColor) w = s.ColorBoxWidth(), h = s.ColorBoxHeight();
    else if (picture) w = item.Image()->Width(), h = item.Image()->Height();
    else if (listImage) w = s.Images()->Width(), h = s.Images()->Height();
    TRect t = Rect(r.Left + FItemOffSetX, r.Top + FItemOffSetY, r.Right - FItemOffSetX, r.Bottom - FItemOffSetY);
    TRect k = t;
    canvas.SetFont(a.Font());
    if (hot) canvas.Font()->SetColor(a.ColorHotText);
    if (selected) canvas.Font()->SetColor(a.ColorSelectedText);
    auto content = [&](int x, int y) {
        if (s.SelectorType() == TSelectorType::stColor) {
            canvas.Pen()->SetColor(clBlack);
            canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
            canvas.Brush()->SetColor(item.Color());
            canvas.Rectangle(x, y, x + w, y + h);
        } else if (picture) {
            canvas.Draw(x, y, item.Image()->Graphic());
        } else if (listImage) {
            s.Images()->Draw(canvas, x, y, item.ImageIndex(), item.Enabled());
        }
    };
    auto caption = [&](TRect area, bool centred) {
        if (item.Caption().isEmpty()) return TSize{};
        if (centred) {
            const TSize m = DrawItemHTML(canvas, item.Caption(), area, s.Images(), true);
            if (m.cy < area.Height()) area.Top += (area.Height() - m.cy) / 2;
        }
        canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        const TSize drawn = DrawItemHTML(canvas, item.Caption(), area, s.Images(), false);
        canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
        return drawn;
    };
    const bool hasContent = s.SelectorType() == TSelectorType::stColor || picture || listImage;
    switch (s.ItemLayout()) {
    case TItemLayout::ilCaptionLeft: {
        if (!item.Caption().isEmpty()) {
            t.Right -= w;
            const TSize c = caption(t, true);
            k.Left = t.Left + c.cx + FCaptionGap;
        }
        content(k.Left, s.SelectorType() == TSelectorType::stColor ? k.Top : k.Top + (k.Height() - h) / 2);
        break;
    }
    case TItemLayout::ilCaptionRight:
        content(k.Left, s.SelectorType() == TSelectorType::stColor ? k.Top : k.Top + (k.Height() - h) / 2);
        if (hasContent) t.Left = k.Left + w + FCaptionGap;
        caption(t, true);
        break;
    case TItemLayout::ilCaptionTop:
        if (!item.Caption().isEmpty()) {
            t.Bottom -= h;
            const TSize c = caption(t, false);
            k.Top = t.Top + c.cy + FCaptionGap;
        } else {
            k.Top += (k.Height() - h) / 2;
        }
        k.Left += (k.Width() - w) / 2;
        content(k.Left, k.Top);
        break;
    case TItemLayout::ilCaptionBottom:
        if (item.Caption().isEmpty()) k.Top += (k.Height() - h) / 2;
        k.Left += (k.Width() - w) / 2;
        content(k.Left, k.Top);
        if (hasContent) t.Top = k.Top + h + FCaptionGap;
        caption(t, false);
        break;
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && !Disabled(i)) SetItemIndex(i);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && i != FItemHot) {
        SetItemHot(Disabled(i) ? -1 : i);
        SetHint(FZvItemSelector->Items()->GetItem(i)->Hint());
        Application->CancelHint();
    } else if (i < 0 && FItemHot >= 0) {
        SetItemHot(-1);
    }
}

void TCustomItemSelector::MouseLeave()
{
    TCustomControl::MouseLeave();
    if (FItemHot >= 0) SetItemHot(-1);
}

// ---- Outer selector -------------------------------------------------------------------------
TZvCustomItemSelector::TZvCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner),
      FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    SetColor(clWindow);
    SetParentColor(false);
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    FItemAppearance->OnChange = [](TObject*) {};
    FPanel = new TCustomItemSelector(this);
    FPanel->SetParent(this);
    FPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect) OnItemSelect(this);
    };
    UpdateSelectorPanel();
}

TZvCustomItemSelector::~TZvCustomItemSelector()
{
    FItems->OnChange = nullptr;
}

void TZvCustomItemSelector::UpdateSelectorPanel()
{
    if (!FPanel) return;
    FPanel->UpdateLayout();
    UpdateScrollBars();
}

void TZvCustomItemSelector::SetColumns(int value)
{
    if (value == FColumns || value <= 0) return;
    FColumns = value;
    UpdateSelectorPanel();
}

void TZvCustomItemSelector::SetItemIndex(int value)
{
    if (!FPanel) return;
    FPanel->SetItemIndex(value);
    ScrollItemInView(FPanel->ItemIndex());
}

void TZvCustomItemSelector::SetSelectorType(TSelectorType value)
{
    if (value == FSelectorType) return;
    FSelectorType = value;
    UpdateSelectorPanel();
}

void TZvCustomItemSelector::SetImages(TCustomImageList* value)
{
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    UpdateSelectorPanel();
}

void TZvCustomItemSelector::Notification(TComponent* component, TOperation operation)
{
    TScrollingWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
    if (operation == TOperation::opRemove && component == FPanel) FPanel = nullptr;
}

void TZvCustomItemSelector::SetColorBoxHeight(int value)
{
    if (value == FColorBoxHeight) return;
    FColorBoxHeight = value;
    UpdateSelectorPanel();
}

void TZvCustomItemSelector::SetColorBoxWidth(int value)
{
    if (value == FColorBoxWidth) return;
    FColorBoxWidth = value;
    UpdateSelectorPanel();
}

#define ZV_SELECTOR_MOVE(Name, Index)                                                                                 \
    void TZvCustomItemSelector::Name()                                                                               \
    {                                                                                                                \
        if (!FPanel) return;                                                                                         \
        FPanel->Name();                                                                                              \
        ScrollItemInView(FPanel->Index());                                                                           \
    }
ZV_SELECTOR_MOVE(SelectFirst, ItemIndex)
ZV_SELECTOR_MOVE(SelectLast, ItemIndex)
ZV_SELECTOR_MOVE(SelectNext, ItemIndex)
ZV_SELECTOR_MOVE(SelectPrevious, ItemIndex)
ZV_SELECTOR_MOVE(HotNext, ItemHot)
ZV_SELECTOR_MOVE(HotPrevious, ItemHot)
#undef ZV_SELECTOR_MOVE

void TZvCustomItemSelector::ScrollItemInView(int index)
{
    if (!FPanel || index < 0 || index >= FItems->Count() || !VertScrollBar()->IsScrollBarVisible()) return;
    TControlScrollBar& bar = *VertScrollBar();
    const TRect item = FPanel->GetItemRect(index);
    const int top = item.Top - bar.Margin() + FPanel->Top();
    int bottom = item.Bottom + bar.Margin() + FPanel->Top();
    const int height = ClientHeight();
    if (top < 0) {
        bar.SetPosition(bar.Position() + top);
    } else if (bottom > height) {
        if (bottom - top > height) bottom = top + height;
        bar.SetPosition(bar.Position() + bottom - height);
    }
}

int TZvCustomItemSelector::GetVisibleItemCount() const
{
    if (!FPanel || FItems->Count() == 0) return 0;
    const int itemHeight = FPanel->GetItemRect(0).Height();
    if (itemHeight <= 0) return 0;
    int height = Height();
    if (IsScrollBarVisible(this, SB_HORZ)) height -= 20;
    return height / itemHeight * FColumns;
}

TSize TZvCustomItemSelector::GetPanelSize() const
{
    return FPanel ? TSize{FPanel->Width(), FPanel->Height()} : TSize{100, 50};
}

// The thumb drags the items along at once.
void TZvCustomItemSelector::WndProc(TMessage& Message)
{
    TScrollingWinControl::WndProc(Message);
    if (Message.Msg == WM_VSCROLL && LoWord(Message.WParam) == SB_THUMBTRACK)
        VertScrollBar()->SetPosition(HiWord(Message.WParam));
}

void TZvCustomItemSelector::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}
