#pragma once
// The item selector that the detail, image and colour drop-downs host: items
// (a mini-HTML caption with a colour box, a picture or an image-list image)
// in a fixed number of columns, a hot and a selected item, owner drawing.
//   TZvCustomItemSelector  the outer control: owns the items, the look and the panel;
//   TCustomItemSelector    the inner panel: lays the items out, paints and tracks them;
//   TSelectorItem(s)       the items; TItemAppearance their colours and font.
// An index that no longer names an item (items removed after it was set)
// reads as "no selection" (-1) everywhere it is fetched.

#include "dropdowns/base/ZvDropDownStyles.h"
#include "dropdowns/base/ZvDropDownTypes.h"
#include "platform/Controls.h"
#include "platform/Pictures.h"
#include "platform/ScrollBars.h"

#include <memory>
#include <vector>

class TCustomImageList;
class TZvCustomItemSelector;
class TSelectorItems;

class TSelectorItem : public TPersistent {
public:
    explicit TSelectorItem(TSelectorItems* collection);
    ~TSelectorItem() override;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* value) { FImage->Assign(value); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    TRect ItemRect() const { return FRect; }
    void SetItemRect(const TRect& r) { FRect = r; }
    void Assign(TPersistent* source) override;

private:
    void Changed();
    TSelectorItems* FCollection;
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    TColor FColor = clNone;
    std::unique_ptr<TPicture> FImage;
    TRect FRect{-1, -1, -1, -1};
    String FHint;
};

class TSelectorItems : public TPersistent {
public:
    explicit TSelectorItems(TPersistent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TSelectorItem* Add() { return Insert(Count()); }
    TSelectorItem* Insert(int index);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    TSelectorItem* GetItem(int index) const;
    TSelectorItem* operator[](int index) const { return GetItem(index); }
    void SetItem(int index, TSelectorItem* value) { GetItem(index)->Assign(value); }
    void Assign(TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    friend class TSelectorItem;
    TPersistent* FOwner;
    std::vector<std::unique_ptr<TSelectorItem>> FItems;
};

class TItemAppearance : public TPersistent, public TItemAppearanceColors {
public:
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // The named colour set; nothing when it is the current style, scCustom changes no colour.
    void ApplyColorStyle(TSelectionColorStyle style);
    void Assign(TPersistent* source) override;
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
    TSelectionColorStyle FColorStyle = TSelectionColorStyle::scOffice2007;
    std::unique_ptr<TFont> FFont;
};

enum class TSelectorType { stImage, stColor };
enum class TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

class TCustomItemSelector : public TCustomControl {
public:
    // Raises "Invalid parent" unless the owner is an item selector.
    explicit TCustomItemSelector(TComponent* AOwner);

    int ItemIndex() const;
    void SetItemIndex(int value);
    int ItemHot() const;
    void SetItemHot(int index);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    TRect GetItemRect(int index) const;
    int ItemAtPos(int X, int Y) const;
    TZvCustomItemSelector* ZvItemSelector() const { return FZvItemSelector; }

    virtual void DrawItem(int index, TCanvas& canvas);
    virtual void GetContentRect(TRect& R) const;
    virtual void GetItemSize(TSize& size);
    virtual void InvalidateItem(int index);
    virtual void UpdateLayout();
    void DrawItems(TCanvas& canvas);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    bool ValidIndex(int index) const;
    bool Disabled(int index) const;

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2, FOffSetY = 2;
    int FItemOffSetX = 4, FItemOffSetY = 4;
    int FCaptionGap = 4;
    TZvCustomItemSelector* FZvItemSelector;
};

class TZvCustomItemSelector : public TScrollingWinControl {
public:
    explicit TZvCustomItemSelector(TComponent* AOwner);
    ~TZvCustomItemSelector() override;

    int Columns() const { return FColumns; }
    void SetColumns(int value);
    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(TSelectorItems* value) { FItems->Assign(value); }
    int ItemIndex() const { return FPanel ? FPanel->ItemIndex() : -1; }
    void SetItemIndex(int value);
    int ItemHot() const { return FPanel ? FPanel->ItemHot() : -1; }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout value) { FItemLayout = value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* value) { FItemAppearance->Assign(value); }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int value);
    TCustomItemSelector* Panel() const { return FPanel; }

    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S) { return FPanel && FPanel->LookupItem(S); }
    // Scrolls the item into view (only with a visible vertical scroll bar).
    void ScrollItemInView(int index);
    // Whole rows that fit, times the columns; 0 without items or for items 0 high.
    int GetVisibleItemCount() const;
    TSize GetPanelSize() const;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

protected:
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = TSelectorType::stImage;
    TItemLayout FItemLayout = TItemLayout::ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TCustomImageList* FImages = nullptr;
    TCustomItemSelector* FPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};
