// Appearance properties, style presets and colour tones.

#include "grid/ZvGrid.h"

#include <algorithm>

void TZvStringGrid::SetStyle(TZvGridStyle) {}
void TZvStringGrid::SetTheme(TXPColorScheme) {}
void TZvStringGrid::ApplyOfficeTheme() {}
void TZvStringGrid::SetSelectionColor(TColor Value)
{
    if (FSelectionColor == Value) return;
    FSelectionColor = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionColorTo(TColor Value)
{
    if (FSelectionColorTo == Value) return;
    FSelectionColorTo = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionMirrorColor(TColor Value)
{
    if (FSelectionMirrorColor == Value) return;
    FSelectionMirrorColor = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionMirrorColorTo(TColor Value)
{
    if (FSelectionMirrorColorTo == Value) return;
    FSelectionMirrorColorTo = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionColorMixer(bool Value)
{
    if (FSelectionColorMixer == Value) return;
    FSelectionColorMixer = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionTextColor(TColor Value)
{
    if (FSelectionTextColor == Value) return;
    FSelectionTextColor = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionRectangle(bool Value)
{
    if (FSelectionRectangle == Value) return;
    FSelectionRectangle = Value;
    Invalidate();
}

void TZvStringGrid::SetSelectionResizer(bool Value)
{
    if (FSelectionResizer == Value) return;
    FSelectionResizer = Value;
    Invalidate();
}

void TZvStringGrid::SetComponentStyle(TZvStyle AStyle)
{
    FComponentStyle = AStyle;
    SetStyle(TZvGridStyle(int(AStyle)));
}

void TZvStringGrid::SetColorTones(const TColorTones& ATones)
{
    FColorTones = ATones;
    FHasColorTones = true;
}

void TZvStringGrid::SetMaxEditLength(int Value) { FMaxEditLength = Value; }

void TZvStringGrid::SetSelectionColorMixerFactor(int Value)
{
    if (FSelectionColorMixerFactor == Value) return;
    FSelectionColorMixerFactor = std::clamp(Value, 0, 100);
    Invalidate();
}

void TZvStringGrid::SetShowSelection(bool Value)
{
    if (FShowSelection == Value) return;
    FShowSelection = Value;
    FShowSel = Value;
    Invalidate();
}

void TZvStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!FLoading) Invalidate();
}

void TZvStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVerticalTextFlag = Value == TVAlignment::vtaCenter ? 4 : Value == TVAlignment::vtaBottom ? 8 : 0;
    if (FUpdateCount == 0) Invalidate();
}

void TZvStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value && !FLoading) AutoSizeColumns(false, 10);
}

void TZvStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    if (!Value) return;
    FSelectionRectangle = true;
    FSelectionResizer = true;
    FNavigation->SetAllowSmartClipboard(true);
    SetOptions(Options() + TGridOptions{goRangeSelect, goEditing});
    FMouseActions->SetRangeSelectAndEdit(true);
}
