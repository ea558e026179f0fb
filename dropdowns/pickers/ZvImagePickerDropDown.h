#pragma once
// TZvImagePickerDropDown: chooses one picture out of a set of image items.
// The pop-up shows them as a grid (Columns to a row) in an item selector;
// the closed edit shows the chosen picture centred over its text area and
// takes no typing. Arrows, Page Up/Down, Home, End and the wheel step through
// the items; typed letters search the captions.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvItemSelector.h"
#include "dropdowns/pickers/ZvPickerSupport.h"
#include "platform/Pictures.h"

class TImageItem : public TPersistent {
public:
    explicit TImageItem(TPickerCollection* collection);
    ~TImageItem() override;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* value) { FImage->Assign(value); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    void Assign(TPersistent* source) override;

private:
    friend class TZvImagePickerDropDown;
    TPickerCollection* FCollection;
    String FCaption;
    int FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
    String FHint;
};

using TImageItems = TPickerItems<TImageItem>;

class TZvImagePickerDropDown : public TZvCustomDropDown {
public:
    explicit TZvImagePickerDropDown(TComponent* AOwner);
    ~TZvImagePickerDropDown() override;

    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value; }
    TImageItems* Items() const { return FItems.get(); }
    void SetItems(TImageItems* value) { FItems->Assign(value); }
    // -1 for none; an index left beyond the items after some were removed reads as none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // The selected item's image index (-1 without a selection); writing selects
    // the first item with that image index, or none.
    int ImageIndex() const;
    void SetImageIndex(int value);
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout value) { FLayout = value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* value) { FItemAppearance->Assign(value); }
    TZvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    const String& CurrentSearch() const { return FSearch.Text(); }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    // One item per image of Images, with empty captions; the items there stay.
    void AddImagesFromImageList();
    // One item per file that the mask (a folder path ending in a file mask)
    // matches, in name order; folders never become items. A file that is not
    // a picture gives an item with an empty picture and no caption.
    void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
    void SetComponentStyle(TZvStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void CloseDropDownForm(bool Cancel) override;
    void WheelDownNotify() override;
    void WheelUpNotify() override;
    void DrawFocusedText() override;
    void WMKeyDown(TWMKey& Message) override;

private:
    void SyncItemSelector();
    void ItemSelected();
    void MoveTo(int index);
    void AddImageFile(const String& path, bool setCaption);
    void PaintSelectedImage();
    bool Open() const { return DroppedDown() && FItemSelector; }

    TZvCustomItemSelector* FItemSelector = nullptr;
    int FColumns = 1;
    TItemLayout FLayout = TItemLayout::ilCaptionRight;
    std::unique_ptr<TImageItems> FItems;
    int FItemIndex = -1;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    TPickerSearch FSearch;
    int FOldItemIndex = -1;
};
