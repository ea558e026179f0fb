// Per-cell objects: adding, reading, writing and removing them.

#include "grid/ZvGrid.h"

void TZvStringGrid::ToggleCellCheckBox(int, int, bool) {}
void TZvStringGrid::SelectCellRadioButton(int, int, bool) {}
void TZvStringGrid::FireCheckBoxClick(int, int, bool) {}
void TZvStringGrid::FireCanAddRow(bool&) {}
void TZvStringGrid::FireCanInsertRow(int, bool&) {}
void TZvStringGrid::FireCheckBoxChange(int, int, bool) {}
bool TZvStringGrid::FireRatingChange(int, int, int) { return false; }
void TZvStringGrid::FireColorSelect() {}
void TZvStringGrid::FireImageSelect() {}
bool TZvStringGrid::HasCellType(int, int, TCellTypes) { return false; }
bool TZvStringGrid::HasCheckBox(int, int) { return false; }
bool TZvStringGrid::HasDataCheckBox(int, int) { return false; }
bool TZvStringGrid::HasProgress(int, int) { return false; }
bool TZvStringGrid::HasRating(int, int) { return false; }
bool TZvStringGrid::HasScrollBar(int, int) { return false; }
bool TZvStringGrid::HasAutoRangeScrollBar(int, int) { return false; }
bool TZvStringGrid::HasButton(int, int) { return false; }
bool TZvStringGrid::IsCheckOrButtonCell(int, int) { return false; }
void TZvStringGrid::AddBitmap(int, int, TBitmap*, bool, TCellHAlign, TCellVAlign) {}
TBitmap* TZvStringGrid::CreateBitmap(int, int, bool, TCellHAlign, TCellVAlign) { return nullptr; }
TBitmap* TZvStringGrid::GetBitmap(int, int) { return nullptr; }
bool TZvStringGrid::HasBitmap(int, int) { return false; }
void TZvStringGrid::RemoveBitmap(int, int) {}
void TZvStringGrid::AddPicture(int, int, TPicture*, bool, TStretchMode, int, TCellHAlign, TCellVAlign) {}
TPicture* TZvStringGrid::CreatePicture(int, int, bool, TStretchMode, int, TCellHAlign, TCellVAlign) { return nullptr; }
TPicture* TZvStringGrid::GetPicture(int, int) { return nullptr; }
bool TZvStringGrid::HasPicture(int, int) { return false; }
void TZvStringGrid::RemovePicture(int, int) {}
void TZvStringGrid::AddFilePicture(int, int, TFilePicture*, bool, TStretchMode, int, TCellHAlign, TCellVAlign) {}
TFilePicture* TZvStringGrid::CreateFilePicture(int, int, bool, TStretchMode, int, TCellHAlign, TCellVAlign) { return nullptr; }
TFilePicture* TZvStringGrid::GetFilePicture(int, int) { return nullptr; }
void TZvStringGrid::RemoveFilePicture(int, int) {}
void TZvStringGrid::AddIcon(int, int, TIcon*, TCellHAlign, TCellVAlign) {}
TIcon* TZvStringGrid::CreateIcon(int, int, TCellHAlign, TCellVAlign) { return nullptr; }
void TZvStringGrid::RemoveIcon(int, int) {}
void TZvStringGrid::AddInterfacedCell(int, int, TObject*) {}
TObject* TZvStringGrid::GetInterfacedCell(int, int) { return nullptr; }
void TZvStringGrid::RemoveInterfacedCell(int, int) {}
void TZvStringGrid::AddImageIdx(int, int, int, TCellHAlign, TCellVAlign) {}
bool TZvStringGrid::GetImageIdx(int, int, int&) { return false; }
void TZvStringGrid::SetImageIdx(int, int, int) {}
void TZvStringGrid::RemoveImageIdx(int, int) {}
void TZvStringGrid::AddMultiImage(int, int, int, TCellHAlign, TCellVAlign) {}
void TZvStringGrid::RemoveMultiImage(int, int) {}
void TZvStringGrid::AddDataImage(int, int, int, TCellHAlign, TCellVAlign) {}
bool TZvStringGrid::HasDataImage(int, int) { return false; }
void TZvStringGrid::RemoveDataImage(int, int) {}
void TZvStringGrid::AddRotated(int, int, int, const String&) {}
void TZvStringGrid::SetRotated(int, int, int) {}
bool TZvStringGrid::IsRotated(int, int, int&) { return false; }
void TZvStringGrid::RemoveRotated(int, int) {}
void TZvStringGrid::AddProgress(int, int, TColor, TColor) {}
void TZvStringGrid::AddProgressEx(int, int, TColor, TColor, TColor, TColor) {}
void TZvStringGrid::AddProgressFormatted(int, int, TColor, TColor, TColor, TColor, const String&, double, double) {}
void TZvStringGrid::RemoveProgress(int, int) {}
void TZvStringGrid::AddZvProgress(int, int, int, int) {}
void TZvStringGrid::RemoveZvProgress(int, int) {}
void TZvStringGrid::AddProgressPie(int, int, TColor, int) {}
void TZvStringGrid::SetProgressPie(int, int, int) {}
void TZvStringGrid::RemoveProgressPie(int, int) {}
void TZvStringGrid::AddRangeIndicator(int, int, int, TColor, TColor, bool) {}
void TZvStringGrid::RemoveRangeIndicator(int, int) {}
void TZvStringGrid::AddComment(int, int, const String&) {}
void TZvStringGrid::AddColorComment(int, int, const String&, TColor) {}
String TZvStringGrid::GetComment(int, int) { return String(); }
bool TZvStringGrid::IsComment(int, int, String&) { return false; }
void TZvStringGrid::SetComment(int, int, const String&) {}
void TZvStringGrid::RemoveComment(int, int) {}
void TZvStringGrid::RemoveAllComments() {}
void TZvStringGrid::AddShape(int, int, TCellShape, TColor, TColor, TCellHAlign, TCellVAlign) {}
void TZvStringGrid::SetShapeColor(int, int, TColor) {}
TColor TZvStringGrid::GetShapeColor(int, int) { return clNone; }
void TZvStringGrid::RemoveShape(int, int) {}
void TZvStringGrid::AddRating(int, int, int, TColor, TColor) {}
void TZvStringGrid::RemoveRating(int, int) {}
void TZvStringGrid::AddScrollBar(int, int, bool) {}
void TZvStringGrid::RemoveScrollBar(int, int) {}
void TZvStringGrid::SetScrollPosition(int, int, int) {}
int TZvStringGrid::GetScrollPosition(int, int) { return 0; }
void TZvStringGrid::SetScrollProp(int, int, int, int) {}
void TZvStringGrid::GetScrollProp(int, int, int&, int&) {}
void TZvStringGrid::AddButton(int, int, int, int, const String&, TCellHAlign, TCellVAlign) {}
void TZvStringGrid::AddBitButton(int, int, int, int, const String&, TBitmap*, TCellHAlign, TCellVAlign) {}
TBitmap* TZvStringGrid::CreateBitButton(int, int, int, int, const String&, TCellHAlign, TCellVAlign) { return nullptr; }
void TZvStringGrid::SetButtonText(int, int, const String&) {}
String TZvStringGrid::GetButtonText(int, int) { return String(); }
void TZvStringGrid::PushButton(int, int, bool) {}
void TZvStringGrid::RemoveButton(int, int) {}
void TZvStringGrid::RemoveBitButton(int, int) {}
void TZvStringGrid::RemoveAllButtons() {}
TRect TZvStringGrid::CellButtonRect(int, int) { return TRect{}; }
void TZvStringGrid::AddMarker(int, int, int, int) {}
void TZvStringGrid::GetMarker(int, int, int&, int&) {}
void TZvStringGrid::RemoveMarker(int, int) {}
void TZvStringGrid::RemoveAllMarkers() {}
void TZvStringGrid::AddCheckBox(int, int, bool, bool) {}
void TZvStringGrid::AddCheckBoxColumn(int, bool, bool) {}
void TZvStringGrid::RemoveCheckBoxColumn(int) {}
void TZvStringGrid::RemoveCheckBox(int, int) {}
bool TZvStringGrid::GetCheckBoxState(int, int, bool&) { return false; }
bool TZvStringGrid::IsChecked(int, int) { return false; }
bool TZvStringGrid::SetCheckBoxState(int, int, bool) { return false; }
bool TZvStringGrid::SetCheckBoxState(int, int, TCheckBoxState) { return false; }
bool TZvStringGrid::ChangeCheckBoxState(int, int, bool) { return false; }
void TZvStringGrid::CheckAll(int) {}
void TZvStringGrid::UnCheckAll(int) {}
void TZvStringGrid::ToggleCheckBox(int, int) {}
bool TZvStringGrid::IsInCheckBox(int, int, int, int) { return false; }
void TZvStringGrid::AddRadioButton(int, int, bool) {}
void TZvStringGrid::AddRadioButtonColumn(int) {}
void TZvStringGrid::RemoveRadioButtonColumn(int) {}
void TZvStringGrid::RemoveRadioButton(int, int) {}
bool TZvStringGrid::HasRadioButton(int, int) { return false; }
bool TZvStringGrid::IsRadioButtonChecked(int, int) { return false; }
bool TZvStringGrid::SetRadioButtonState(int, int, bool) { return false; }
void TZvStringGrid::SetRadioButtonColumnIndex(int, int) {}
int TZvStringGrid::GetRadioButtonColumnIndex(int) { return 0; }
