#include "examples/gallery/GalleryDropDownEditors.h"

#include "dropdowns/editors/ZvGridDropDowns.h"
#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"

TGalleryDropDownEditorsForm::TGalleryDropDownEditorsForm(TComponent* AOwner) : TForm(AOwner)
{
    RegisterDropDownCellEditors();
    SetCaption(QStringLiteral("Drop-down cell editors"));
    SetBounds(80, 420, 1000, 220);
    struct {
        const char* Header;
        TEditorType Kind;
        const char* Text;
    } const columns[] = {
        {"", TEditorType::edNormal, ""},
        {"Track bar", TEditorType::edTrackbarDropDown, "4"},
        {"Memo", TEditorType::edMemoDropDown, "Quenta"},
        {"Calculator", TEditorType::edCalculatorDropDown, "12"},
        {"Time", TEditorType::edTimePickerDropDown, "09:15:00"},
        {"Detail", TEditorType::edDetailDropDown, "Alpha"},
        {"Multi-column", TEditorType::edGridDropDown, "Oslo"},
        {"Grid", TEditorType::edZvGridDropDown, "Pear"},
        {"Colour", TEditorType::edColorPickerDropDown, ""},
        {"Image", TEditorType::edImagePickerDropDown, ""},
    };
    constexpr int count = int(std::size(columns));
    Grid = new TZvStringGrid(this);
    Grid->SetParent(this);
    Grid->SetBounds(8, 8, 984, 200);
    Grid->SetColCount(count);
    Grid->SetRowCount(5);
    Grid->SetDefaultRowHeight(24);
    Grid->SetDefaultColWidth(104);
    Grid->SetColWidths(0, 24);
    Grid->SetOptions(Grid->Options() + goEditing + goTabs);
    for (int c = 0; c < count; ++c) {
        Grid->SetCells(c, 0, QString::fromLatin1(columns[c].Header));
        for (int r = 1; r < 5; ++r) Grid->SetCells(c, r, QString::fromLatin1(columns[c].Text));
    }
    Grid->OnGetEditorType = [columns](TObject*, int c, int, TEditorType& e) {
        if (c > 0 && c < count) e = columns[c].Kind;
    };

    // Something to pick in the list editors.
    if (auto* detail = dynamic_cast<TGridDetailPickerDropDown*>(Grid->CellEditor(TEditorType::edDetailDropDown))) {
        for (const char* caption : {"Alpha", "Beta", "Gamma"}) {
            TDetailItem* item = detail->Items()->Add();
            item->SetCaption(QString::fromLatin1(caption));
            item->SetNotes(QStringLiteral("<i>a Greek letter</i>"));
        }
    }
    auto fill = [](auto* list, std::initializer_list<std::pair<const char*, const char*>> rows) {
        list->Columns()->Add()->Header = QStringLiteral("Name");
        list->Columns()->Add()->Header = QStringLiteral("Note");
        for (const auto& [name, note] : rows) {
            TStringList texts;
            texts.Add(QString::fromLatin1(name));
            texts.Add(QString::fromLatin1(note));
            list->Items()->Add()->SetText(texts);
        }
    };
    if (auto* list = dynamic_cast<TGridGridDropDown*>(Grid->CellEditor(TEditorType::edGridDropDown)))
        fill(list, {{"Oslo", "Norway"}, {"Rome", "Italy"}, {"Lima", "Peru"}});
    if (auto* grid = dynamic_cast<TGridZvGridDropDown*>(Grid->CellEditor(TEditorType::edZvGridDropDown)))
        fill(grid, {{"Apple", "red"}, {"Pear", "green"}, {"Plum", "blue"}});
}
