#pragma once
// TZvColorPickerDropDown: an edit whose value is a colour (SelectedColor,
// with ItemIndex when it came from Colors). The edit shows a box of the
// colour and, optionally, a text for it; the pop-up offers one of four
// pickers: the named colours of Colors (csList), the 60-colour theme palette
// (csDiscrete), the hexagon cube (csColorCube) or the spectrum (csSpectrum).

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvItemSelector.h"
#include "dropdowns/pickers/ZvPickerSupport.h"

class TCustomColorSelector;
class TZvColorCubePanel;
class TZvColorSpectrumPanel;

class TColorItem : public TPersistent {
public:
    explicit TColorItem(TPickerCollection* collection) : FCollection(collection) {}
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    void Assign(TPersistent* source) override;

private:
    TPickerCollection* FCollection;
    String FCaption;
    TColor FColor = clNone;
    String FHint;
    bool FEnabled = true;
};

using TColorItems = TPickerItems<TColorItem>;

enum class TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum class TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

// The text of a colour in one of the value-text forms (cvtNone gives "").
String ColorValueToText(TColor color, TColorValueText kind);

class TZvColorPickerDropDown : public TZvCustomDropDown {
public:
    explicit TZvColorPickerDropDown(TComponent* AOwner);
    ~TZvColorPickerDropDown() override;

    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(TColorItems* value) { FColors->Assign(value); }
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle value);
    TColorValueText ColorValueText = TColorValueText::cvtNone;
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value);
    // -1 when the colour did not come from Colors; an index left beyond the
    // colours after some were removed reads as -1.
    int ItemIndex() const;
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout value) { FLayout = value; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int value) { FColorBoxWidth = value; }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int value) { FColorBoxHeight = value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* value) { FItemAppearance->Assign(value); }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value);
    virtual String SelectedColorText() const;

    // The pickers, once made (nullptr before).
    TZvCustomItemSelector* ListSelector() const { return FListSelector; }
    TCustomColorSelector* PaletteSelector() const { return FPaletteSelector; }
    TZvColorCubePanel* CubePanel() const { return FCubePanel; }
    TZvColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    const String& CurrentSearch() const { return FSearch.Text(); }

    // Appends the 16 basic colours.
    void AddDefaultColors();
    void SetComponentStyle(TZvStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void PlaceDropDownControl() override;
    void CloseDropDownForm(bool CancelChanges) override;
    void DropDownFormDestroyed() override;
    void WheelDownNotify() override;
    void WheelUpNotify() override;
    void DrawFocusedText() override;
    void WMKeyDown(TWMKey& Message) override;

private:
    void EnsurePicker(TColorSelectionStyle style);
    void EnsureListSelector();
    void EnsurePaletteSelector();
    void EnsureCubePanel();
    void EnsureSpectrumPanel();
    void Host(TControl* picker);
    void PrepareStyle(TColorSelectionStyle style);
    void ShowOnly(TControl* picker);
    void UpdateListSelector();
    void FillListSelectorItems();
    void ListItemSelected();
    void PanelColorSelected(TColor color, bool closeAlways);
    void ListKey(WORD key, bool open);
    void SelectFirstColor();
    void SelectLastColor();
    void SelectNextColor();
    void SelectPreviousColor();
    void PaintSelectedColor();
    bool FixedSizeStyle() const { return FColorSelectionStyle != TColorSelectionStyle::csList; }

    std::unique_ptr<TColorItems> FColors;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TPickerSearch FSearch;
    TZvCustomItemSelector* FListSelector = nullptr;
    TCustomColorSelector* FPaletteSelector = nullptr;
    TZvColorCubePanel* FCubePanel = nullptr;
    TZvColorSpectrumPanel* FSpectrumPanel = nullptr;
    TColorSelectionStyle FColorSelectionStyle = TColorSelectionStyle::csList;
    bool FShowText = true;
    int FColumns = 1;
    TItemLayout FLayout = TItemLayout::ilCaptionRight;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TColor FSelectedColor = clNone;
    int FItemIndex = -1;
    int FOldItemIndex = -1;
    TColor FOldSelectedColor = clNone;
    bool FInternalCall = false;
};
