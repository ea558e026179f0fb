#pragma once
// The grid's hint window: shows a cell's mini-HTML (or "|\"-coded Unicode)
// hint rendered, sized to the text with fixed margins, kept on the nearest
// monitor, above everything and without taking the focus.

#include "platform/HintWindow.h"

class TCustomImageList;
class TPictureContainer;

class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner);

    // AData is a TObject* (or nil); a string grid lends the window its images and pictures.
    void ActivateHintData(const TRect& Rect, const String& AHint, void* AData) override;
    TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
    void ActivateHint(const TRect& Rect, const String& AHint) override;

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value) { FImages = value; }
    TPictureContainer* Pictures() const { return FPictures; }
    void SetPictures(TPictureContainer* value) { FPictures = value; }
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }

    // Texts are laid out within this width.
    static constexpr int MaxTextWidth = 1008;

protected:
    void Paint() override;

private:
    // Width and height of the hint's text alone, as it will be painted.
    TSize MeasureText(const String& AHint, int maxWidth);
    void PrepareCanvasFont(bool unicode);

    TCustomImageList* FImages = nullptr;
    TPictureContainer* FPictures = nullptr;
    int FTextWidth = 0;
    int FTextHeight = 0;
    String FWideCaption;
};

// The font name in which "|\"-coded hints are drawn; the grid records its
// own font name here each time it prepares a cell hint.
void SetHTMLHintFontName(const String& name);
String HTMLHintFontName();
