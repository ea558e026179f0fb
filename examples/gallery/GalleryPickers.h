#pragma once
// The gallery's second window: the picking drop-downs, one of each, filled
// with something to pick: a track bar, a memo, detail items, images, the
// colour picker's list and its cube,
// a multi-column list of cities and a grid of fruit that sorts and narrows.

#include "platform/Forms.h"

class TImageList;
class TZvTrackBarDropDown;
class TZvMemoDropDown;
class TZvDetailDropDown;
class TZvImagePickerDropDown;
class TZvColorPickerDropDown;
class TZvMultiColumnDropDown;
class TZvGridDropDown;

class TGalleryPickersForm : public TForm {
public:
    explicit TGalleryPickersForm(TComponent* AOwner);
    TZvTrackBarDropDown* TrackBar() const { return FTrackBar; }
    TZvMemoDropDown* Memo() const { return FMemo; }
    TZvDetailDropDown* Detail() const { return FDetail; }
    TZvImagePickerDropDown* ImagePicker() const { return FImagePicker; }
    TZvColorPickerDropDown* ColorList() const { return FColorList; }
    TZvColorPickerDropDown* ColorCube() const { return FColorCube; }
    TZvMultiColumnDropDown* Columns() const { return FColumns; }
    TZvGridDropDown* GridPicker() const { return FGridPicker; }

private:
    TImageList* FImages;
    TZvTrackBarDropDown* FTrackBar;
    TZvMemoDropDown* FMemo;
    TZvDetailDropDown* FDetail;
    TZvImagePickerDropDown* FImagePicker;
    TZvColorPickerDropDown* FColorList;
    TZvColorPickerDropDown* FColorCube;
    TZvMultiColumnDropDown* FColumns;
    TZvGridDropDown* FGridPicker;
};
