#pragma once
// TZvDetailDropDown: picks one of a list of detail items, each with a
// picture, a caption and notes in mini-HTML. The pop-up lists them one per
// row in an item selector; typing completes the text to the first caption
// that starts with what was typed; the arrows, Page Up/Down, Home, End and the
// wheel move through the items.

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvItemSelector.h"
#include "dropdowns/pickers/ZvPickerSupport.h"
#include "platform/Pictures.h"

class TDetailItem : public TPersistent {
public:
    explicit TDetailItem(TPickerCollection* collection);
    ~TDetailItem() override;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* value) { FImage->Assign(value); }
    const String& Notes() const { return FNotes; }
    void SetNotes(const String& value) { FNotes = value; }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* value) { FItemObject = value; }
    bool Enabled() const { return FEnabled; }
    void Assign(TPersistent* source) override;

private:
    void ItemChanged() { FCollection->NotifyChange(); }
    TPickerCollection* FCollection;
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    String FNotes;
    TObject* FItemObject = nullptr;
    int FTag = 0;
};

class TDetailItems : public TPickerItems<TDetailItem> {
public:
    using TPickerItems::TPickerItems;
    // The first item whose caption equals the text exactly (case counts); -1 when none.
    int IndexOf(const String& AValue) const;
};


class TZvDetailDropDown : public TZvCustomDropDown {
public:
    explicit TZvDetailDropDown(TComponent* AOwner);
    ~TZvDetailDropDown() override;

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(TDetailItems* value) { FItems->Assign(value); }
    // -1 for none; an index left beyond the items after some were removed reads as none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value) { FItemHeight = value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout value) { FLayout = value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* value) { FItemAppearance->Assign(value); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* value) { FCaptionFont->Assign(value); }
    TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(TFont* value) { FNotesFont->Assign(value); }
    TZvCustomItemSelector* ItemSelector() const { return FItemSelector; }
    const String& CurrentSearch() const { return FSearch.Text(); }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void SetComponentStyle(TZvStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

    // Entry points of the grid's editor.
    void KeyDownHook(WORD& Key, TShiftState Shift);
    void KeyUpHook(WORD& Key, TShiftState Shift);
    void ChangeHook();

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void OpenDropDownForm() override;
    void SizeDropDownForm() override;
    void CloseDropDownForm(bool Cancel) override;
    void DropDownFormSizing() override;
    void WheelDownNotify() override;
    void WheelUpNotify() override;
    void WMKeyDown(TWMKey& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override { KeyDownHook(Key, Shift); }
    void KeyUp(WORD& Key, TShiftState Shift) override { KeyUpHook(Key, Shift); }
    void Change() override { ChangeHook(); }

private:
    void SyncItemSelector();
    void CopyItemsToSelector();
    void ItemSelected();
    void MoveTo(int index);
    void StepOpen(int delta);
    void DrawDetailItem(TObject* Sender, TCanvas* Canvas, TRect R, int Index);
    void MeasureDetailItem(TSize& Size);
    bool Open() const { return DroppedDown() && FItemSelector; }

    std::unique_ptr<TDetailItems> FItems;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    TZvCustomItemSelector* FItemSelector = nullptr;
    TPickerSearch FSearch;
    int FItemIndex = -1;
    int FItemHeight = 22;
    TItemLayout FLayout = TItemLayout::ilCaptionRight;
    bool FInternalCall = false;
    int FOldItemIndex = -1;
    String FOldText;
    bool FWorkMode = true;
    bool FItemChange = false;
    int FItemIdx = -1;
    int FItemSel = 0;
};
