#pragma once
// The nine drop-down cell editors (the family's rule is in
// ZvGridDropDownEditor.h); each lists only where it differs:
//   track bar     claims Enter and Escape; the cell's integer is the position;
//                 places the caret where a click opened it
//   memo          its lines, joined, are its text; every change is written
//                 into the cell at once, so Escape keeps the last written text
//   calculator    Enter completes the pending calculation before the commit
//   time picker   Up and Down step the part under the caret; no focus highlight
//   detail        the item with the cell's text is selected
//   multi-column  the item whose lookup text is the cell's (item 0 for none)
//   grid          as the multi-column, over its inner grid
//   colour        claims Enter and Escape; closed, Home ends the edit too;
//                 open, only Tab, Enter and Escape are its; only Enter commits;
//                 stores a colour as well as its text
//   image         shows the cell's picture; stores a picture index

#include "dropdowns/calculator/ZvCalculatorDropDown.h"
#include "dropdowns/editors/ZvGridDropDownEditor.h"
#include "dropdowns/pickers/ZvColorPickerDropDown.h"
#include "dropdowns/pickers/ZvDetailDropDown.h"
#include "dropdowns/pickers/ZvGridDropDown.h"
#include "dropdowns/pickers/ZvImagePickerDropDown.h"
#include "dropdowns/pickers/ZvMemoDropDown.h"
#include "dropdowns/pickers/ZvMultiColumnDropDown.h"
#include "dropdowns/pickers/ZvTrackBarDropDown.h"
#include "dropdowns/timepicker/ZvTimePickerDropDown.h"

class TZvCellEditorRegistry;

class TGridTrackbarDropDown : public TGridDropDownOf<TZvTrackBarDropDown> {
public:
    using TGridDropDownOf::TGridDropDownOf;

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
    bool ClaimsEnterAndEscape() const override { return true; }
    bool PlacesCaretOnFocus() const override { return true; }
};

class TGridMemoDropDown : public TGridDropDownOf<TZvMemoDropDown> {
public:
    using TGridDropDownOf::TGridDropDownOf;

protected:
    // The lines joined by line breaks, without one after the last.
    String TextOf() override;
    void LoadCell(const TZvCellEditStart& Start) override;
    bool PlacesCaretOnFocus() const override { return true; }
};

class TGridCalculatorDropDown : public TGridDropDownOf<TZvCalculatorDropdown> {
public:
    using TGridDropDownOf::TGridDropDownOf;

protected:
    void BeforeCommit(WORD Key) override;
    bool PlacesCaretOnFocus() const override { return true; }
};

class TGridTimepickerDropDown : public TGridDropDownOf<TZvTimePickerDropDown> {
public:
    explicit TGridTimepickerDropDown(TComponent* AOwner);

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
};

class TGridDetailPickerDropDown : public TGridDropDownOf<TZvDetailDropDown> {
public:
    using TGridDropDownOf::TGridDropDownOf;

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
};

class TGridGridDropDown : public TGridDropDownOf<TZvMultiColumnDropDown> {
public:
    using TGridDropDownOf::TGridDropDownOf;

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
};

class TGridZvGridDropDown : public TGridDropDownOf<TCustomZvGridDropDown> {
public:
    using TGridDropDownOf::TGridDropDownOf;
    // The drop-down's inner grid.
    TZvStringGrid* Grid() const { return InnerGrid(); }

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
};

class TGridColorDropDown : public TGridDropDownOf<TZvColorPickerDropDown> {
public:
    explicit TGridColorDropDown(TComponent* AOwner);
    // OnColorSelected may change the colour and its text; the text goes into
    // the cell, the colour becomes a shape cell's colour or the cell's own.
    void StoreCellValue(TZvStringGrid* Grid, int RealCol, int Row) override;
    TZvPickedValue PickedValue() override;

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
    bool HandlesKey(WORD Key, TShiftState Shift) const override;
    bool CommitsOn(WORD Key) const override { return Key == VK_RETURN; }
    bool ClaimsEnterAndEscape() const override { return true; }
};

class TGridImageDropDown : public TGridDropDownOf<TZvImagePickerDropDown> {
public:
    using TGridDropDownOf::TGridDropDownOf;
    // OnImageSelected may change the index; a picture cell takes it as its
    // picture, a data-image cell as its text, any other cell nothing.
    void StoreCellValue(TZvStringGrid* Grid, int RealCol, int Row) override;
    TZvPickedValue PickedValue() override;

protected:
    void LoadCell(const TZvCellEditStart& Start) override;
};

// Offers the nine editors to every grid; the program, the gallery and the
// tests call it once at start-up (calling it again changes nothing).
void RegisterDropDownCellEditors();
void RegisterDropDownCellEditors(TZvCellEditorRegistry& Registry);
