#include "tables/common/UTableColumn.h"

#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"

void Build_Columns(TZvColumnGrid* grid, const TTableColumns& columns)
{
    for (int c = 0; c < int(columns.size()); ++c) {
        const TTableColumn& column = columns[std::size_t(c)];
        TGridColumnItem* item = grid->Columns()->Items(c);
        item->SetWidth(column.Width);
        if (c < grid->FixedCols()) {
            item->SetFixed(true);
            continue;
        }
        item->SetEditor(column.Editor);
        item->SetColor(column.Color);
        for (const String& text : column.Items) item->ComboItems()->Add(text);
        item->SetAlignment(column.Alignment);
        item->SetReadOnly(column.Read_Only);
        item->SetEditLength(column.Edit_Length);
    }
    for (int c = 0; c < int(columns.size()); ++c)
        if (columns[std::size_t(c)].Hidden) grid->HideColumn(c);
}

void Build_Check_Grid_Columns(TZvStringGrid* grid, const TTableColumns& columns)
{
    const int cols = int(columns.size());
    for (int c = 0; c < cols; ++c) grid->SetColWidths(c, columns[std::size_t(c)].Width);
    for (int c = grid->FixedCols(); c < cols; ++c)
        if (columns[std::size_t(c)].Editor == TEditorType::edDataCheckBox) grid->AddCheckBoxColumn(c, false, false);
    for (int r = 1; r < grid->RowCount(); ++r) {
        grid->SetCellEx(0, r, IntToStr(r));
        for (int c = grid->FixedCols(); c < cols; ++c) {
            TCellProperties* props = grid->GetCellProperties(c, r);
            props->SetBrushColor(columns[std::size_t(c)].Color);
            props->SetAlignment(columns[std::size_t(c)].Alignment);
        }
    }
}

void Set_Column_Texts(TZvStringGrid* grid, const TTableColumns& columns, TStringList* hints, bool inCells)
{
    auto* columnGrid = inCells ? nullptr : dynamic_cast<TZvColumnGrid*>(grid);
    for (int c = 0; c < int(columns.size()); ++c) {
        const String header = Lang_Text(columns[std::size_t(c)].Header);
        if (columnGrid)
            columnGrid->Columns()->Items(c)->SetHeader(header);
        else
            grid->SetCellEx(c, 0, header);
    }
    if (!hints) return;
    hints->Clear();
    for (int c = 1; c < int(columns.size()); ++c) {
        const int slot = columns[std::size_t(c)].Hint;
        hints->Add(slot ? Lang_Text(slot) : String());
    }
}
