#pragma once
// The colour selector panels of the colour picker's pop-up:
//   TZvColorCubePanel      127 colours as a honeycomb of hexagons;
//   TZvColorSpectrumPanel  a 128 x 128 spectrum, any displayed pixel picks;
//   TCustomColorSelector   a palette of colour boxes in rows and columns.
// They know nothing of the drop-down: it binds their selection events.

#include "dropdowns/base/ZvDropDownTypes.h"
#include "dropdowns/pickers/ZvPickerSupport.h"
#include "platform/Controls.h"

#include <array>

class TImage;

class TZvCustomColorSelectorPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    // Fired by the cube and the spectrum when a mouse button is released over them.
    TNotifyEvent OnShouldHide;
};

// ---- Cube ------------------------------------------------------------------------------------
class TZvColorCubePanel : public TZvCustomColorSelectorPanel {
public:
    static constexpr int CellCount = 127;
    struct TCubeCell {
        int X = 0, Y = 0;
        TColor Color = clNone;
    };

    explicit TZvColorCubePanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }
    // Marks the first cell of that colour, or none; no repaint.
    void SetSelectedColor(TColor value) { SelectCell(value, -1); }
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool value);
    // Cell i (1 to 127).
    const TCubeCell& Cell(int i) const { return FCubeCells[std::size_t(i)]; }

    void InitCells();
    void ResetHotCell();
    // The first cell (from 1) whose centre lies within the half-width; -1 when none.
    int CellAtPos(int x, int y) const;
    void SelectCell(TColor color, int index);

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void UpdateSize();
    void DrawHexagon(TCanvas& canvas, int x, int y, int w, int h) const;
    void DrawCell(TCanvas& canvas, int i) const;

    std::array<TCubeCell, CellCount + 1> FCubeCells{};
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;
};

// ---- Spectrum --------------------------------------------------------------------------------
class TZvColorSpectrumPanel : public TZvCustomColorSelectorPanel {
public:
    explicit TZvColorSpectrumPanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value) { FSelectedColor = value; }
    TColor HotColor() const { return FHotColor; }
    TRect HotRect() const { return FHotRect; }
    TRect SelectedRect() const { return FSelectedRect; }
    TImage* SpectrumImage() const { return FSpectrumImage; }

    void UpdateLayout();

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void UpdateSize();
    void PictureMouseDown();
    void PictureMouseMove(int x, int y);
    void DrawSample(TCanvas& canvas, const TRect& box, TColor color) const;

    TImage* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect;
    TRect FSelectedRect;
};

// The 128 x 128 spectrum: the hues left to right, from white at the top
// through the full colours to black at the bottom.
QImage MakeSpectrumImage();

// ---- Palette ---------------------------------------------------------------------------------
enum class TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TPersistent {
public:
    explicit TColorBoxItem(TPickerCollection* collection) : FCollection(collection) {}
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos value) { FColorBoxPos = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    TRect ItemRect() const { return FRect; }
    void SetItemRect(const TRect& r) { FRect = r; }
    void Assign(TPersistent* source) override;

private:
    TPickerCollection* FCollection;
    TColor FColor = clNone;
    TItemPos FColorBoxPos = TItemPos::ipStandAlone;
    bool FEnabled = true;
    TRect FRect{-1, -1, -1, -1};
};

using TColorBoxItems = TPickerItems<TColorBoxItem>;

class TColorBoxAppearance : public TPersistent {
public:
    TColor BorderColor = 0xC5C5C5;
    TColor OuterBorderColorHot = 0x3694F2;
    TColor InnerBorderColorHot = 0x94E2FF;
    TColor OuterBorderColorSelected = clRed;
    TColor InnerBorderColorSelected = 0x94E2FF;
    void Assign(TPersistent* source) override;
    // Never fired: the selector reads the colours at each painting.
    TNotifyEvent OnChange;
};

class TCustomColorSelector : public TZvCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;

    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(TColorBoxItems* value) { FItems->Assign(value); }
    TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
    void SetColorBoxAppearance(TColorBoxAppearance* value) { FColorBoxAppearance->Assign(value); }
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int value);
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value);
    int ItemIndex() const { return ValidIndex(FItemIndex) ? FItemIndex : -1; }
    int ItemHot() const { return ValidIndex(FItemHot) ? FItemHot : -1; }

    virtual void DrawItem(int Index, TCanvas* Canvas);
    virtual void GetContentRect(TRect& R) const;
    virtual void GetColorBoxSize(TSize& Size) const;
    virtual void UpdateLayout();
    virtual void InvalidateItem(int Index);

    void AddOfficeColors();
    // The palette's keys (Page Up to Down) as the drop-down passes them on.
    void HandleKey(WORD Key, bool EditorEnabled, bool DroppedDown);
    void SetItemIndex(int i);
    void SetItemHot(int i);
    int ItemAtPos(int x, int y) const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    bool ValidIndex(int i) const { return i >= 0 && i < FItems->Count(); }
    bool Disabled(int i) const { return ValidIndex(i) && !FItems->GetItem(i)->Enabled(); }
    void DrawItems(TCanvas& canvas);
    void SelectByColumns(int delta);

    std::unique_ptr<TColorBoxItems> FItems;
    std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxWidth = 12;
    int FColorBoxHeight = 12;
    TSelectionColorStyle FItemColorStyle = TSelectionColorStyle::scCustom;
    TColor FSelectedColor = clNone;
    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4;
    int FOffSetY = 4;
};
