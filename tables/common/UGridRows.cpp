#include "tables/common/UGridRows.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"

namespace {

void Show_Row_Error(int slot)
{
    MessageDlg(Lang_Text(slot), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

bool Confirm_Overwrite()
{
    return MessageDlg(Lang_Text(Text_Row_Used), TMsgDlgType::mtConfirmation, mbYesNo) == mrYes;
}

bool Is_Check_Column(TZvColumnGrid* grid, int col)
{
    return col < grid->Columns()->Count() && grid->Columns()->Items(col)->Editor() == TEditorType::edDataCheckBox;
}

void Copy_Row_Texts(TZvStringGrid* grid, int from, int to)
{
    const int cols = Real_Col_Count(grid);
    for (int c = 1; c < cols; ++c) grid->SetCellEx(c, to, grid->GetCellEx(c, from));
}

bool Cell_Read_Only(TZvStringGrid* grid, int col, int row)
{
    return grid->GetCellProperties(col, row)->ReadOnly();
}

// One check-grid cell taken over by another: its box state or its text, and
// its read-only flag.
void Move_Check_Cell(TZvStringGrid* grid, int col, int from, int to)
{
    bool state = false;
    if (grid->GetCheckBoxState(col, from, state))
        grid->SetCheckBoxState(col, to, state);
    else
        grid->SetCellEx(col, to, grid->GetCellEx(col, from));
    grid->GetCellProperties(col, to)->SetReadOnly(Cell_Read_Only(grid, col, from));
}

// Empties a check-grid row: texts go, boxes are cleared but for the column-1
// box when set_enable, and every cell is writable.
void Free_Check_Row(TZvStringGrid* grid, int row, bool set_enable)
{
    const int cols = Real_Col_Count(grid);
    for (int c = 1; c < cols; ++c) {
        bool state = false;
        if (grid->GetCheckBoxState(c, row, state))
            grid->SetCheckBoxState(c, row, set_enable && c == 1);
        else
            grid->SetCellEx(c, row, String());
        grid->GetCellProperties(c, row)->SetReadOnly(false);
    }
}

} // namespace

int Real_Col_Count(TZvStringGrid* grid)
{
    return grid->ColCount() + grid->NumHiddenColumns();
}

// ---- Column grids -----------------------------------------------------------------------

void Copy_Row_Column_Grid(TZvColumnGrid* grid, int row)
{
    Row_Copy.Clear();
    // The clipboard now holds texts only: no check grid may take them for box states.
    Row_Copy_Is_Check.clear();
    const int cols = Real_Col_Count(grid);
    for (int c = 1; c < cols; ++c) Row_Copy.Add(grid->GetCellEx(c, row));
}

void Paste_Row_Column_Grid(TZvColumnGrid* grid, int row, bool has_copy)
{
    if (!has_copy) return Show_Row_Error(Text_Copy_First);
    const int cols = Real_Col_Count(grid);
    if (Row_Copy.Count() != cols - 1) return Show_Row_Error(Text_Copy_Mismatch);
    bool used = false;
    for (int c = 1; c < cols && !used; ++c)
        used = !Is_Check_Column(grid, c) && !Trim(grid->GetCellEx(c, row)).isEmpty();
    if (used && !Confirm_Overwrite()) return;
    for (int c = 1; c < cols; ++c) grid->SetCellEx(c, row, Row_Copy[c - 1]);
}

void Delete_Row_Column_Grid(int row, TZvColumnGrid* grid)
{
    const int last = grid->RowCount() - 1;
    for (int r = row; r < last; ++r) Copy_Row_Texts(grid, r + 1, r);
    const int cols = Real_Col_Count(grid);
    for (int c = 1; c < cols; ++c) grid->SetCellEx(c, last, String());
}

void Insert_Row_Column_Grid(int row, TZvColumnGrid* grid, bool set_enable)
{
    for (int r = grid->RowCount() - 2; r >= row; --r) Copy_Row_Texts(grid, r, r + 1);
    const int cols = Real_Col_Count(grid);
    for (int c = 1; c < cols; ++c) grid->SetCellEx(c, row, String());
    if (set_enable && cols > 1) grid->SetCellEx(1, row, QStringLiteral("Y"));
}

// ---- Check grids ------------------------------------------------------------------------

void Copy_Row_Check_Grid(TZvStringGrid* grid, int row)
{
    Row_Copy.Clear();
    const int cols = Real_Col_Count(grid);
    Row_Copy_Is_Check.assign(std::size_t(std::max(cols - 1, 0)), false);
    for (int c = 1; c < cols; ++c) {
        bool state = false;
        const bool isCheck = grid->GetCheckBoxState(c, row, state);
        Row_Copy_Is_Check[std::size_t(c - 1)] = isCheck;
        Row_Copy.Add(isCheck ? String(state ? QStringLiteral("Y") : QStringLiteral("N")) : grid->GetCellEx(c, row));
    }
}

void Paste_Row_Check_Grid(TZvStringGrid* grid, int row, bool has_copy)
{
    if (!has_copy) return Show_Row_Error(Text_Copy_First);
    const int cols = Real_Col_Count(grid);
    // A clipboard filled by a column grid carries no check flags for its cells.
    if (Row_Copy.Count() + 1 != cols || int(Row_Copy_Is_Check.size()) != Row_Copy.Count())
        return Show_Row_Error(Text_Copy_Mismatch);
    bool used = false;
    for (int c = 1; c < cols && !used; ++c) {
        bool state = false;
        used = !grid->GetCheckBoxState(c, row, state) && !grid->GetCellEx(c, row).isEmpty();
    }
    if (used && !Confirm_Overwrite()) return;
    for (int c = 1; c < cols; ++c) {
        const String& text = Row_Copy[c - 1];
        if (Row_Copy_Is_Check[std::size_t(c - 1)])
            grid->SetCheckBoxState(c, row, text == QLatin1String("Y"));
        else
            grid->SetCellEx(c, row, text);
    }
}

void Delete_Row_Check_Grid(int row, TZvStringGrid* grid, bool set_enable)
{
    const int last = grid->RowCount() - 1;
    const int cols = Real_Col_Count(grid);
    for (int r = row; r < last; ++r)
        for (int c = 1; c < cols; ++c) Move_Check_Cell(grid, c, r + 1, r);
    Free_Check_Row(grid, last, set_enable);
}

void Insert_Row_Check_Grid(int row, TZvStringGrid* grid, bool set_enable)
{
    const int cols = Real_Col_Count(grid);
    for (int r = grid->RowCount() - 2; r >= row; --r)
        for (int c = 1; c < cols; ++c) Move_Check_Cell(grid, c, r, r + 1);
    Free_Check_Row(grid, row, set_enable);
}

// ---- Grid events ------------------------------------------------------------------------

void Grid_DblClick_AutoSize(TZvStringGrid* grid, int row, int col)
{
    if (!Double_Click_Auto_Size || row != 0 || !grid) return;
    grid->AutoSizeCol(col, 0);
}

TZvStringGrid* Grid_Of_Sender(TObject* Sender)
{
    if (auto* grid = dynamic_cast<TZvStringGrid*>(Sender)) return grid;
    // An editor control sits on its grid, or is owned by it.
    if (auto* control = dynamic_cast<TControl*>(Sender))
        for (TWinControl* p = control->Parent(); p; p = p->Parent())
            if (auto* grid = dynamic_cast<TZvStringGrid*>(p)) return grid;
    if (auto* component = dynamic_cast<TComponent*>(Sender))
        for (TComponent* o = component->Owner(); o; o = o->Owner())
            if (auto* grid = dynamic_cast<TZvStringGrid*>(o)) return grid;
    return nullptr;
}

void Grid_Enter_Jump(TObject* Sender, QChar& Key)
{
    if (!Enable_Jump_Field_Tables || Key != QChar(13)) return;
    TZvStringGrid* grid = Grid_Of_Sender(Sender);
    if (!grid) return;
    if (grid->Col() >= 1 && grid->Row() >= 1) {
        if (grid->Col() < grid->ColCount() - 1) {
            grid->SetCol(grid->Col() + 1);
        } else {
            const int next = grid->Row() >= grid->RowCount() - 1 ? 1 : grid->Row() + 1;
            grid->SetCol(1);
            grid->SetRow(next);
        }
    }
    Key = QChar(0);
}
