// Tree nodes, balloons, radio groups and expand buttons.

#include "grid/ZvGrid.h"

bool TZvStringGrid::IsNode(int) { return false; }
bool TZvStringGrid::IsSummary(int) { return false; }
bool TZvStringGrid::GetNodeState(int) { return false; }
void TZvStringGrid::SetNodeState(int, bool) {}
int TZvStringGrid::GetNodeLevel(int) { return 0; }
int TZvStringGrid::GetNodeSpan(int) { return 0; }
void TZvStringGrid::SetNodeSpan(int, int) {}
void TZvStringGrid::UpdateNodeSpan(int, int) {}
int TZvStringGrid::GetSubNodeCount(int) { return 0; }
void TZvStringGrid::UpdateSubNodeCount(int, int) {}
int TZvStringGrid::GetNodeSpanType(int) { return 0; }
int TZvStringGrid::GetParentRow(int) { return 0; }
void TZvStringGrid::AddNode(int, int) {}
void TZvStringGrid::RemoveNode(int) {}
void TZvStringGrid::RemoveAllNodes() {}
void TZvStringGrid::ExpandNode(int) {}
void TZvStringGrid::ContractNode(int) {}
void TZvStringGrid::DoExpandNode(int) {}
void TZvStringGrid::ExpandAll() {}
void TZvStringGrid::ContractAll() {}
void TZvStringGrid::InsertChildRow(int, bool) {}
void TZvStringGrid::RemoveChildRow(int) {}
void TZvStringGrid::InsertNormalRow(int) {}
void TZvStringGrid::RemoveNormalRow(int) {}
bool TZvStringGrid::IsInNodeButton(int, int) { return false; }
void TZvStringGrid::AddRadio(int, int, int, int, TStringList*) {}
TStringList* TZvStringGrid::CreateRadio(int, int, int, int) { return nullptr; }
bool TZvStringGrid::GetRadioIdx(int, int, int&) { return false; }
bool TZvStringGrid::SetRadioIdx(int, int, int) { return false; }
TStringList* TZvStringGrid::GetRadioStrings(int, int) { return nullptr; }
bool TZvStringGrid::IsRadio(int, int) { return false; }
void TZvStringGrid::RemoveRadio(int, int) {}
void TZvStringGrid::AdvanceCellRadio(int, int, bool) {}
void TZvStringGrid::AddBalloon(int, int, const String&, const String&, int) {}
bool TZvStringGrid::IsBalloon(int, int, String&, String&, int&) { return false; }
void TZvStringGrid::RemoveBalloon(int, int) {}
bool TZvStringGrid::HasBalloon(int, int) { return false; }
void TZvStringGrid::AddExpand(int, int, int) {}
bool TZvStringGrid::ToggleExpand(int, int) { return false; }
bool TZvStringGrid::GetExpandState(int, int) { return false; }
int TZvStringGrid::GetExpandHeight(int, int, bool) { return 0; }
bool TZvStringGrid::HasExpand(int, int) { return false; }
void TZvStringGrid::RemoveExpand(int, int) {}
TRect TZvStringGrid::ExpandButtonRect(int, int) { return TRect{}; }
