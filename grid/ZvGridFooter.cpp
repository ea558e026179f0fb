// Floating footer, cell hit-testing, scroll-bar appearance and the look presets.

#include "grid/ZvGrid.h"
#include "grid/ZvHTMLUtil.h"

void TZvStringGrid::CalculateFooterValues(int) {}
void TZvStringGrid::CalcFooter(int) {}
void TZvStringGrid::LastRowWrittenHook() {}
bool TZvStringGrid::UsesVCLStyles() { return false; }
void TZvStringGrid::ScreenToCell(TPoint, int&, int&) {}
bool TZvStringGrid::IsOnSizingEdge(int, int) { return false; }
void TZvStringGrid::UpdateFooter() {}
void TZvStringGrid::InitFlatScrollBars() {}
void TZvStringGrid::DoneFlatScrollBars() {}
void TZvStringGrid::FlatSetScrollProp(int, int, bool) {}
void TZvStringGrid::FlatShowScrollBar(int, bool) {}
void TZvStringGrid::ApplyFlatScrollStyle() {}
void TZvStringGrid::ApplyFlatScrollColor() {}
void TZvStringGrid::ApplyFlatScrollWidth() {}
void TZvStringGrid::SyncFlatVertScrollInfo() {}
void TZvStringGrid::SyncFlatHorzScrollInfo() {}
void TZvStringGrid::UpdateFlatScrollBars() {}
void TZvStringGrid::CreateScrollControls() {}
String TZvStringGrid::LookName(TGridLook) { return String(); }
String TZvStringGrid::LookDisplayName(TGridLook) { return String(); }
void TZvStringGrid::SetActiveCellShow(bool Value)
{
    FActiveCellShow = Value;
    Invalidate();
}

void TZvStringGrid::SetActiveCellColor(TColor Value)
{
    FActiveCellColor = Value;
    Invalidate();
}

void TZvStringGrid::SetActiveCellColorTo(TColor Value)
{
    FActiveCellColorTo = Value;
    Invalidate();
}

void TZvStringGrid::SetURLShow(bool Value)
{
    if (FURLShow == Value) return;
    FURLShow = Value;
    Invalidate();
}

void TZvStringGrid::SetURLShowInText(bool Value)
{
    if (FURLShowInText == Value) return;
    FURLShowInText = Value;
    Invalidate();
}

void TZvStringGrid::SetShowDesignHelper(bool Value)
{
    if (FShowDesignHelper == Value) return;
    FShowDesignHelper = Value;
    Invalidate();
}

void TZvStringGrid::SetXYOffset(TPoint Value)
{
    FXYOffset = Value;
    Invalidate();
}

int TZvStringGrid::TotalColCount() { return ColCount() + FNumHidden; }

void TZvStringGrid::SetActiveCellFont(TFont* Value)
{
    FActiveCellFont->Assign(Value);
    Invalidate();
}

void TZvStringGrid::SetHighlightColor(TColor Value)
{
    if (FHighlightColor == Value) return;
    FHighlightColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighLightTextColor);
    Invalidate();
}

void TZvStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FHighLightTextColor == Value) return;
    FHighLightTextColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighLightTextColor);
    Invalidate();
}

void TZvStringGrid::SetURLColor(TColor Value)
{
    if (FURLColor == Value) return;
    FURLColor = Value;
    if (FURLShow) Invalidate();
}

void TZvStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow) Invalidate();
}

void TZvStringGrid::SetLook(TGridLook Value)
{
    FLook = Value;
    Invalidate();
}

void TZvStringGrid::SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; }

void TZvStringGrid::SetScrollType(TScrollType Value) { FScrollType = Value; }

void TZvStringGrid::SetScrollColor(TColor Value)
{
    FScrollColor = Value;
    ApplyFlatScrollColor();
}

void TZvStringGrid::SetScrollWidth(int Value)
{
    FScrollWidth = Value;
    ApplyFlatScrollWidth();
}

void TZvStringGrid::SetScrollProportional(bool Value) { FScrollProportional = Value; }

void TZvStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    ApplyScrollBarAlways(true);
}

void TZvStringGrid::SetScrollBars(TScrollStyle Value)
{
    FScrollBarsEx = Value;
    TBaseGrid::SetScrollBars(Value);
}

void TZvStringGrid::SetRowIndicator(TBitmap* Value)
{
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TZvStringGrid::SetBackGround(TBackGround* Value)
{
    FBackGround->Assign(Value);
    Invalidate();
}
