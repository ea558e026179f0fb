#pragma once
// The gallery's second window: the picking drop-downs, one of each, filled
// with something to pick: a track bar, a memo, detail items, images, the
// colour picker's list and its cube.

#include "platform/Forms.h"

class TImageList;
class TZvTrackBarDropDown;
class TZvMemoDropDown;
class TZvDetailDropDown;
class TZvImagePickerDropDown;
class TZvColorPickerDropDown;

class TGalleryPickersForm : public TForm {
public:
    explicit TGalleryPickersForm(TComponent* AOwner);
    TZvTrackBarDropDown* TrackBar() const { return FTrackBar; }
    TZvMemoDropDown* Memo() const { return FMemo; }
    TZvDetailDropDown* Detail() const { return FDetail; }
    TZvImagePickerDropDown* ImagePicker() const { return FImagePicker; }
    TZvColorPickerDropDown* ColorList() const { return FColorList; }
    TZvColorPickerDropDown* ColorCube() const { return FColorCube; }

private:
    TImageList* FImages;
    TZvTrackBarDropDown* FTrackBar;
    TZvMemoDropDown* FMemo;
    TZvDetailDropDown* FDetail;
    TZvImagePickerDropDown* FImagePicker;
    TZvColorPickerDropDown* FColorList;
    TZvColorPickerDropDown* FColorCube;
};
