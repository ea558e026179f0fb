#include "examples/gallery/GalleryEditors.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/editors/ZvDateTimePicker.h"

TGalleryEditorsForm::TGalleryEditorsForm(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("Cell editors"));
    SetBounds(60, 60, 760, 300);
    struct {
        const char* Header;
        TEditorType Kind;
        const char* Text;
        int Width;
    } const columns[] = {
        {"", TEditorType::edNormal, "", 24},
        {"Spin", TEditorType::edSpinEdit, "42", 70},
        {"Float", TEditorType::edFloatSpinEdit, "3.25", 70},
        {"Date", TEditorType::edDateEdit, "", 110},
        {"Time", TEditorType::edTimeEdit, "", 90},
        {"Date and time", TEditorType::edDateTimeEdit, "", 200},
        {"Edit button", TEditorType::edEditBtn, "Quenta", 100},
        {"Button", TEditorType::edButton, "Run", 70},
    };
    Grid = new TZvStringGrid(this);
    Grid->SetParent(this);
    Grid->SetBounds(8, 8, 744, 180);
    Grid->SetColCount(8);
    Grid->SetRowCount(5);
    Grid->SetDefaultRowHeight(24);
    Grid->SetOptions(Grid->Options() + goEditing + goTabs);
    Grid->MouseActions()->SetFixedRowsEdit(TGridFixedCellEdit::fceDblClick);
    const String today = DateToStr(Date());
    for (int c = 0; c < 8; ++c) {
        Grid->SetColWidths(c, columns[c].Width);
        Grid->SetCells(c, 0, QString::fromLatin1(columns[c].Header));
        for (int r = 1; r < 5; ++r) {
            String text = QString::fromLatin1(columns[c].Text);
            if (columns[c].Kind == TEditorType::edDateEdit) text = today;
            if (columns[c].Kind == TEditorType::edTimeEdit) text = TimeToStr(EncodeTime(9, 15, 0, 0));
            if (columns[c].Kind == TEditorType::edDateTimeEdit) text = today + QStringLiteral(" 09:15");
            Grid->SetCells(c, r, text);
        }
    }
    Grid->OnGetEditorType = [columns](TObject*, int c, int, TEditorType& e) {
        if (c > 0 && c < 8) e = columns[c].Kind;
    };

    Picker = new TZvDateTimePicker(this);
    Picker->SetParent(this);
    Picker->SetBounds(140, 220, 240, 22);
    Picker->SetLabelPosition(TPickerLabelPosition::lpLeftCenter);
    Picker->SetLabelCaption(QStringLiteral("Due:"));
    Picker->SetAutoTab(true);
    Picker->SetDateTime(Date() + EncodeTime(12, 30, 0, 0));
}
