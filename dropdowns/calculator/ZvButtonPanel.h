#pragma once
// A custom-drawn panel of push buttons that tracks the hot and pressed button
// itself and reports a click (press and release on the same button) by
// index. The calculator drop-down fills its pop-up with one, carrying the 28
// calculator keys; each key's Tag names the action.

#include "dropdowns/base/ZvDropDownTypes.h"
#include "dropdowns/base/ZvItemSelector.h"
#include "platform/Controls.h"
#include "platform/Pictures.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomImageList;
class TZvCustomDropDown;
class TWinControl;

enum class TButtonPanelType { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TButtonItems;

class TButtonItem : public TPersistent {
public:
    explicit TButtonItem(TButtonItems* collection = nullptr);
    ~TButtonItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) { FCaption = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* value) { FImage->Assign(value); }
    int Tag() const { return FTag; }
    void SetTag(int value) { FTag = value; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor value) { FCaptionColor = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    const String& Name() const { return FName; }
    void SetName(const String& value) { FName = value; }
    bool Special() const { return FSpecial; }
    void SetSpecial(bool value) { FSpecial = value; }
    int Index() const;

    // The rectangle the layout gave the button, in panel coordinates.
    TRect GetRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetRect(int left, int top, int width, int height);

    // From another item: caption, caption colour, tag, glyph, enabled and name
    // (not the special flag nor the rectangle).
    void Assign(TPersistent* source) override;

private:
    TButtonItems* FCollection;
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    int FTag = 0;
    int FHeight = 0, FLeft = 0, FWidth = 0, FTop = 0;
    String FName;
    TColor FCaptionColor = clWhite;
    bool FSpecial = false;
};

// The panel's buttons, in order. Indexing outside raises the list index error.
class TButtonItems : public TPersistent {
public:
    explicit TButtonItems(TPersistent* AOwner) : FMyOwner(AOwner) {}
    TPersistent* GetOwner() const { return FMyOwner; }
    int Count() const { return int(FItems.size()); }
    TButtonItem* Add();
    TButtonItem* Insert(int Index);
    TButtonItem* GetItem(int Index) const;
    void SetItem(int Index, TButtonItem* value) { GetItem(Index)->Assign(value); }
    TButtonItem* operator[](int Index) const { return GetItem(Index); }
    int IndexOf(const TButtonItem* item) const;
    void Clear() { FItems.clear(); }
    void Assign(TPersistent* source) override;

    // Bound by the panel; the collection itself never fires it.
    TNotifyEvent OnChange;

private:
    TPersistent* FMyOwner;
    std::vector<std::unique_ptr<TButtonItem>> FItems;
};

class TButtonAppearance : public TPersistent {
public:
    TButtonAppearance();
    ~TButtonAppearance() override;

#define ZV_PANEL_COLOR(Name)                                                                                          \
    TColor Name() const { return F##Name; }                                                                          \
    void Set##Name(TColor value) { Store(F##Name, value); }
    ZV_PANEL_COLOR(BorderColor)
    ZV_PANEL_COLOR(BorderColorHot)
    ZV_PANEL_COLOR(BorderColorDown)
    ZV_PANEL_COLOR(Color)
    ZV_PANEL_COLOR(ColorTo)
    ZV_PANEL_COLOR(ColorHot)
    ZV_PANEL_COLOR(ColorHotTo)
    ZV_PANEL_COLOR(ColorDown)
    ZV_PANEL_COLOR(ColorDownTo)
    ZV_PANEL_COLOR(TextColor)
    ZV_PANEL_COLOR(SpecialTextColor)
#undef ZV_PANEL_COLOR
    // Stored without a change notification.
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor value) { FShineColor = value; }
    TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor value) { FGlowColorHot = value; }
    TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor value) { FGlowColorDown = value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }

    // From another button appearance every colour and the font.
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Store(TColor& field, TColor value);

    TColor FBorderColor = clBlack;
    TColor FBorderColorHot = clBlack;
    TColor FBorderColorDown = clBlack;
    TColor FColor = 0x9A915F;
    TColor FColorTo = 0xB0A170;
    TColor FColorHot = 0x9F6F1C;
    TColor FColorHotTo = 0xD5C244;
    TColor FColorDown = 0x4B2F08;
    TColor FColorDownTo = 0xADB514;
    TColor FTextColor = clBlack;
    TColor FSpecialTextColor = clMaroon;
    TColor FShineColor = clWhite;
    TColor FGlowColorHot = 0xD5C244;
    TColor FGlowColorDown = 0xD5C244;
    std::unique_ptr<TFont> FFont;
};

class TCustomButtonPanel : public TCustomControl {
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;

    TButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(TButtonItems* value) { FButtons->Assign(value); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout value) { FButtonLayout = value; }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle value) { FItemColorStyle = value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TWinControl* Edit() const { return FEdit; }
    void SetEdit(TWinControl* value);
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType value);
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TButtonAppearance* value) { FButtonAppearance->Assign(value); }
    // The drop-down that hosts the panel; none when the panel stands alone.
    TZvCustomDropDown* ZvDropDown() const { return FZvDropDown; }
    void SetZvDropDown(TZvCustomDropDown* value) { FZvDropDown = value; }

    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }
    // The first button (in order) whose rectangle holds the point, right and bottom edges excluded; -1 for none.
    int ButtonAt(int X, int Y) const;
    // (-1, -1, -1, -1) for an index outside the buttons.
    TRect GetButtonRect(int Index) const;

    virtual void DrawButton(int Index, TCanvas* Canvas);
    virtual void GetButtonArea(TRect& R) const;
    virtual void GetButtonSize(TSize& Size);
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void CreateDefaultButtons();
    virtual void LayoutButtons();
    virtual void InvalidateButton(int Index);
    virtual void DoButtonClick(int Index);
    // After the panel's settings are read in: a standalone panel builds its default keys.
    void Loaded();

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void Resize() override;

private:
    void SetHotIndex(int Index);
    void SetDownIndex(int Index);
    bool Enabled(int Index) const;
    void AppearanceChanged();

    std::unique_ptr<TButtonItems> FButtons;
    TItemLayout FButtonLayout = TItemLayout::ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = TSelectionColorStyle::scCustom;
    int FButtonHot = -1;
    int FOffSetX = 8, FOffSetY = 8;
    int FButtonOffSetX = 4, FButtonOffSetY = 4;
    TCustomImageList* FImages = nullptr;
    int FCaptionGap = 0;
    TWinControl* FEdit = nullptr;
    TButtonPanelType FButtonPanelType = TButtonPanelType::plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    int FButtonDown = -1;
    TZvCustomDropDown* FZvDropDown = nullptr;
};
