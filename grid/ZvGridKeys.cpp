// Keyboard handling and the incremental lookup.

#include "grid/ZvGrid.h"

void TZvStringGrid::F2KeyHook() {}
void TZvStringGrid::InplaceEditKeyHook(WORD&, TShiftState) {}
void TZvStringGrid::InplaceEditMessageHook(TMessage&) {}
bool TZvStringGrid::IsOnLastDataRow() { return false; }
void TZvStringGrid::AppendRowOnArrowDown() {}
void TZvStringGrid::KeyPress(QChar& Key)
{
    KeyPressHook(Key);
}

void TZvStringGrid::KeyDownHook(WORD& Key, TShiftState Shift)
{
    TBaseGrid::KeyDownHook(Key, Shift);
}

void TZvStringGrid::KeyPressHook(QChar& Key)
{
    TBaseGrid::KeyPress(Key);
}

void TZvStringGrid::KeyDownMessageHook(TWMKey&) {}
void TZvStringGrid::KeyUpMessageHook(TWMKey&) {}
void TZvStringGrid::CharMessageHook(TWMKey&) {}
