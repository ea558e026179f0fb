#include "grid/editors/ZvGridDatePicker.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvCellEditorRegistry.h"

#include <QCalendarWidget>

#include <cmath>

namespace {

// Both pickers open on the first part, ticked, over the cell in its colour.
void OpenPicker(TDateTimePicker* Picker, const TZvCellEditStart& Start)
{
    Picker->SetPartIndex(0);
    Picker->SetChecked(true);
    TZvCellEditor::PlaceOverCell(Picker, Start.Cell);
    Picker->SetColor(Start.Color);
    Picker->SetEnabled(true);
    Picker->SetVisible(true);
    TZvCellEditor::FocusWithStartChar(Picker, Start.StartChar);
}

} // namespace

// ==== TGridDatePicker =============================================================================
TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TAsgDateTimePicker(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridDatePicker::LoadText(const String& Text)
{
    TDateTime value = 0;
    if (Kind() == TDateTimeKind::dtkTime) {
        SetDateTime(ComposeDateTime(Date(), TryStrToTime(Text, value) ? value : ::Time()));
        return;
    }
    SetDateTime(TryStrToDate(Text, value) ? value : ::Date());
}

void TGridDatePicker::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    const TEditorType kind = Grid->CurrentEditor();
    if (kind == TEditorType::edTimeEdit) {
        SetKind(TDateTimeKind::dtkTime);
        TDateTime t = 0;
        SetDateTime(ComposeDateTime(::Date(), TryStrToTime(Start.Text, t) ? t : ::Time()));
    } else {
        SetKind(TDateTimeKind::dtkDate);
        SetDateMode(kind == TEditorType::edDateEditUpDown ? TDTDateMode::dmUpDown : TDTDateMode::dmComboBox);
        TDateTime value = 0;
        bool isDate = false;
        if (Grid->OnCustomStrToDate) {
            QDateTime d;
            Grid->OnCustomStrToDate(Grid, Start.Text, d, isDate);
            if (isDate) value = DateTimeFromQDateTime(d);
        } else {
            isDate = !Start.Text.trimmed().isEmpty() && TryStrToDateTime(Start.Text, value);
        }
        if (isDate) {
            // The limits are kept strictly inside, so a stored date at a limit still opens.
            if (MaxDate() != 0 && value > MaxDate()) value = MaxDate() - 1;
            if (MinDate() != 0 && value <= MinDate()) value = MinDate() + 1;
        }
        SetDateTime(isDate ? value : Now());
    }
    OpenPicker(this, Start);
}

String TGridDatePicker::EditorText() { return Kind() == TDateTimeKind::dtkTime || Checked() ? Text() : String(); }

void TGridDatePicker::Change()
{
    TAsgDateTimePicker::Change();
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridDatePicker::RememberParts()
{
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(DateTime(), y, mo, d, h, mi, s, ms);
    Fy = quint16(y), Fm = quint16(mo), Fd = quint16(d);
    Fth = quint16(h), Ftm = quint16(mi), Fts = quint16(s), Ftms = quint16(ms);
}

void TGridDatePicker::KeyPress(QChar& Key)
{
    const bool digit = Key >= u'0' && Key <= u'9';
    if (digit) RememberParts();
    TAsgDateTimePicker::KeyPress(Key);
    if (digit) PostMessage(this, DTPShiftFocusMessage());
    if (FGrid->OnKeyPress) {
        QChar k = Key;
        FGrid->OnKeyPress(FGrid, k);
    }
}

void TGridDatePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == DTPShiftFocusMessage()) {
        AutoTabAdvance();
        return;
    }
    TAsgDateTimePicker::WndProc(Message);
}

void TGridDatePicker::AutoTabAdvance()
{
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(DateTime(), y, mo, d, h, mi, s, ms);
    bool next = false;
    if (Kind() == TDateTimeKind::dtkTime) {
        next = h != Fth || mi != Ftm || s != Fts;
    } else if (!Format().isEmpty()) {
        // The format's last part completed is the end of the date: nothing follows it.
        const QChar c = Format().back().toLower();
        const bool last = (d != Fd && c == u'd') || (mo != Fm && c == u'm') || (y != Fy && c == u'y');
        next = !last && (d != Fd || mo != Fm || y != Fy);
    } else {
        next = d != Fd || mo != Fm;
    }
    if (next) PostMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TAsgDateTimePicker::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTALLKEYS;
    if (FGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
}

bool TGridDatePicker::Commit()
{
    const String text = Text();
    FGrid->SetCurrentCell(text);
    return FGrid->ValidateCell(text);
}

void TGridDatePicker::KeyDown(WORD& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END: break;
    default:
        if (Key == VK_F4 && FGrid->MouseActions()->DirectDateDrop() && Kind() == TDateTimeKind::dtkDate) {
            DropDown();
            Key = 0;
            return;
        }
        TAsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        // The cell keeps its own text, also one that is no date: the picker only shows today for it.
        LoadText(FGrid->CurrentCell());
        FGrid->CancelEdit();
        if (FGrid->CanFocus()) FGrid->SetFocus();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        // The part being typed is completed first.
        SendMessage(this, WM_KEYDOWN, VK_RIGHT, 0);
        SendMessage(this, WM_KEYUP, VK_RIGHT, 0);
        if (!Commit()) {
            LoadText(FGrid->NewCellText());
            Invalidate();
            Key = 0;
            FGrid->SetNoAutoAdvance(true);
            return;
        }
        LoadText(FGrid->CurrentCell());
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        if (!Commit()) {
            LoadText(FGrid->NewCellText());
            Invalidate();
            Key = 0;
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            TabToNextCell(FGrid);
            Key = 0;
            return;
        }
        PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
    }
    if (!DroppedDown()) FGrid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridDatePicker::DoExit()
{
    if (Visible()) FGrid->HideInplaceEdit();
    TAsgDateTimePicker::DoExit();
}

// ==== TGridDateTimePicker =========================================================================
TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TZvDateTimePicker(AOwner), FGrid(dynamic_cast<TZvStringGrid*>(AOwner))
{
}

void TGridDateTimePicker::BeginCellEdit(TZvStringGrid* Grid, const TZvCellEditStart& Start)
{
    FGrid = Grid;
    SetKind(TZvDateTimeKind::dkDateTime);
    SetBorderStyle(TBorderStyle::bsNone);
    TDateTime value = 0;
    if (Start.Text.trimmed().isEmpty() || !TryStrToDateTime(Start.Text, value)) value = Now();
    SetDateTime(value);
    FOriginalDateTime = DateTime();
    OpenPicker(this, Start);
}

String TGridDateTimePicker::EditorText()
{
    if (!Checked()) return String();
    const TFormatSettings& fs = FormatSettings();
    return FormatDateTime(fs.ShortDateFormat + u' ' + fs.ShortTimeFormat, DateTime());
}

void TGridDateTimePicker::EndCellEdit() { DisableAndHide(this); }

void TGridDateTimePicker::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TZvDateTimePicker::WMGetDlgCode(Message);
    if (FGrid && FGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
}

void TGridDateTimePicker::KeyDown(WORD& Key, TShiftState Shift)
{
    if (!FGrid) {
        TZvDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        // All of the value goes back, the time of day too, and the cell keeps its own text.
        SetDateTime(FOriginalDateTime);
        FGrid->CancelEdit();
        if (FGrid->CanFocus()) FGrid->SetFocus();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        LeaveToGrid(FGrid);
        if (FGrid->Navigation()->AdvanceOnEnter())
            FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
        Key = 0;
        return;
    }
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
        const String text = EditorText();
        LeaveToGrid(FGrid);
        FGrid->SetCurrentCell(text);
        FGrid->TabToNextCell(GetKeyState(VK_SHIFT) < 0);
        Key = 0;
        return;
    }
    TZvDateTimePicker::KeyDown(Key, Shift);
}

// ==== Registration ===============================================================================
namespace {

// The calendar closing is the grid's OnDatePickerCloseUp, and with a direct close the end of the edit.
void BindCloseUp(TZvStringGrid* Grid, TDateTimePicker* Picker)
{
    Picker->OnCloseUp = [Grid, Picker](TObject*) {
        if (Grid->OnDatePickerCloseUp) Grid->OnDatePickerCloseUp(Grid, Grid->Row(), Grid->Col());
        if (Grid->MouseActions()->DirectDateClose() && Picker->Visible()) Grid->HideInplaceEdit();
    };
}

} // namespace

void RegisterDatePickerCellEditors(TZvCellEditorRegistry& Registry)
{
    Registry.Register({QStringLiteral("DatePicker"),
                       {TEditorType::edDateEdit, TEditorType::edDateEditUpDown, TEditorType::edTimeEdit},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* picker = new TGridDatePicker(Grid);
                           picker->SetParent(Grid);
                           picker->SetVisible(false);
                           picker->SetEnabled(false);
                           BindCloseUp(Grid, picker);
                           picker->OnDropDown = [Grid, picker](TObject*) {
                               if (QCalendarWidget* cal = picker->Calendar()) {
                                   cal->setVerticalHeaderFormat(picker->Weeknumbers()
                                                                    ? QCalendarWidget::ISOWeekNumbers
                                                                    : QCalendarWidget::NoVerticalHeader);
                               }
                               if (Grid->OnDatePickerDropDown) Grid->OnDatePickerDropDown(Grid, Grid->Row(), Grid->Col());
                           };
                           return picker;
                       },
                       true});
    Registry.Register({QStringLiteral("DateTimePicker"),
                       {TEditorType::edDateTimeEdit},
                       [](TZvStringGrid* Grid) -> TZvCellEditor* {
                           auto* picker = new TGridDateTimePicker(Grid);
                           picker->SetParent(Grid);
                           picker->SetVisible(false);
                           picker->SetEnabled(false);
                           picker->SetAutoTab(true);
                           BindCloseUp(Grid, picker);
                           picker->OnTimeChange = [Grid, picker](TObject*) {
                               if (Grid->OnDateTimeChange)
                                   Grid->OnDateTimeChange(Grid, Grid->Col(), Grid->Row(),
                                                          DateTimeToQDateTime(picker->DateTime()));
                           };
                           return picker;
                       },
                       true});
}
