#pragma once
// The grid's date cell editors: the date or time picker (edDateEdit,
// edDateEditUpDown, edTimeEdit) and the date-and-time picker
// (edDateTimeEdit), both made on first use. Each turns Enter, Tab and Escape
// into the grid's commit, validate and move steps; the date picker moves on
// to the next part of the date as soon as a typed digit has filled one.

#include "grid/editors/ZvCellEditor.h"
#include "grid/editors/ZvDateTimePicker.h"

class TGridDatePicker : public TAsgDateTimePicker, public TZvCellEditor {
public:
    // The owner must be a TZvStringGrid.
    explicit TGridDatePicker(TComponent* AOwner);

    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    // The picker's text; an empty text when its check box is cleared.
    String EditorText() override;
    void EndCellEdit() override { DisableAndHide(this); }
    bool WritesThrough(const TControl*) override { return false; }

    bool Weeknumbers() const { return FWeekNumbers; }
    void SetWeeknumbers(bool value) { FWeekNumbers = value; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool value) { FShowToday = value; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool value) { FShowTodayCircle = value; }

    // Moves to the next part when the digit just typed changed one (see the class comment).
    void AutoTabAdvance();

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoExit() override;
    void Change() override;

private:
    // Reads a text into the picker with the regional format of its kind; today when it is none.
    void LoadText(const String& Text);
    void RememberParts();
    // Writes the text into the cell and validates it; false when validation refused it.
    bool Commit();

    quint16 Fy = 0, Fm = 0, Fd = 0;
    quint16 Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    TZvStringGrid* FGrid;
};

class TGridDateTimePicker : public TZvDateTimePicker, public TZvCellEditor {
public:
    explicit TGridDateTimePicker(TComponent* AOwner);

    TWinControl* EditorControl() override { return this; }
    void BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start) override;
    // Short date, a space and short time; an empty text when the check box is cleared.
    String EditorText() override;
    void EndCellEdit() override;
    bool WritesThrough(const TControl*) override { return false; }
    // The value the editor opened with; Escape puts all of it back.
    TDateTime OriginalDateTime() const { return FOriginalDateTime; }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    // Tab stays with the editor when the grid validates or tabs through cells.
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    TDateTime FOriginalDateTime = 0;
    TZvStringGrid* FGrid = nullptr;
};

class TZvCellEditorRegistry;
void RegisterDatePickerCellEditors(TZvCellEditorRegistry& Registry);
