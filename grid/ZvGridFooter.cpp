// Floating footer, cell hit-testing, scroll-bar appearance and the look presets.

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvHTMLUtil.h"
#include "grid/services/ZvGridSearch.h"
#include "grid/services/ZvGridSort.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvGridPanels.h"
#include "grid/services/panels/ZvScrollControl.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>

// ---- Floating footer ---------------------------------------------------------------------------------------
void TZvStringGrid::CalculateFooterValues(int ACol)
{
    if (!d->FFloatingFooter->Visible() || d->FFloatingFooter->FooterStyle() != TFooterStyle::fsFixedLastRow ||
        !d->FFloatingFooter->EnableCalculation())
        return;
    const int footer = RowCount() - 1;
    const int first = ACol == -1 ? 0 : ACol;
    const int last = ACol == -1 ? AllColCount() - 1 : ACol;
    for (int c = first; c <= last; ++c) {
        if (!HasCellObject(c, footer)) continue;
        const TCellProperties* props = PropsAt(c, footer);
        if (!props) continue;
        WriteFooterValue(c, props->CalcType());
    }
}

void TZvStringGrid::ConnectFloatingFooter()
{
    TFloatingFooter& footer = *d->FFloatingFooter;
    footer.OnSetFixedFooters = [this](int count) { SetFixedFooters(count); };
    footer.OnLastRowHidden = [this](bool hidden) {
        SetHideLastRow(hidden);
        Invalidate();
    };
    footer.OnGetColumnCalc = [this](int column) {
        const TCellProperties* props = PropsAt(column, RowCount() - 1);
        return props ? props->CalcType() : TColumnCalcType::acNONE;
    };
    footer.OnSetColumnCalc = [this](int column, TColumnCalcType type) {
        GetCellProperties(column, RowCount() - 1)->SetCalcType(type);
        RecalcColumnFooter(column);
    };
}

namespace {
bool IsGroupRowGraphic(const TCellProperties* props)
{
    const auto* g = props ? dynamic_cast<const TCellGraphic*>(props->GraphicObject()) : nullptr;
    return g && (g->CellType() == TCellType::ctNode || g->CellType() == TCellType::ctSummary);
}
}  // namespace

void TZvStringGrid::WriteFooterValue(int ACol, TColumnCalcType Kind)
{
    if (Kind == TColumnCalcType::acNONE || Kind == TColumnCalcType::acSPREAD) return;
    const int footer = RowCount() - 1;
    if (Kind == TColumnCalcType::acCUSTOM) {
        String text;
        if (OnFooterCalc) OnFooterCalc(this, ACol, text);
        else if (d->FFloatingFooter->OnCalcFooter) d->FFloatingFooter->OnCalcFooter(this, ACol, text);
        SetCellEx(ACol, footer, text);
        return;
    }

    // The rows of the calculation: the shown data rows above the footer and,
    // with CalculateHiddenRows, the hidden ones. On a grouped grid the group
    // header and summary rows hold no values and are no rows to count.
    const bool grouped = d->FGroupColumn != -1;
    const bool withHidden = d->FFloatingFooter->CalculateHiddenRows();
    std::vector<String> texts;
    int count = 0;
    for (int r = FixedRows(); r < footer; ++r) {
        if (grouped && IsGroupRowGraphic(PropsAt(0, r))) continue;
        ++count;
        if (Kind != TColumnCalcType::acCOUNT && IsBaseCell(ACol, r)) texts.push_back(GetCellEx(ACol, r));
    }
    if (withHidden)
        for (const auto& item : d->FGridItems) {
            TStringList* kept = item->Items();
            if (grouped && IsGroupRowGraphic(kept->Count() > 0 ? dynamic_cast<TCellProperties*>(kept->Objects(0))
                                                                : nullptr))
                continue;
            ++count;
            if (Kind == TColumnCalcType::acCOUNT) continue;
            String value = ACol < kept->Count() ? kept->Strings(ACol) : String();
            FireGetDisplText(ACol, item->Idx(), value);
            texts.push_back(value);
        }
    if (Kind == TColumnCalcType::acCOUNT) {
        SetInts(ACol, footer, count);
        return;
    }
    SetFloats(ACol, footer, FooterCalculation(Kind, texts));
}

double TZvStringGrid::FooterCalculation(TColumnCalcType Kind, const std::vector<String>& Texts)
{
    if (Kind == TColumnCalcType::acDISTINCT) {
        std::set<String> seen;
        for (const String& t : Texts) seen.insert(t.toLower());
        return double(seen.size());
    }
    std::vector<double> values;
    for (const String& t : Texts) {
        try {
            values.push_back(CellTextToFloat(StripHTMLTags(t)));
        } catch (const EZvGridError&) {
            // A cell that holds no number takes no part in the calculation.
        }
    }
    double sum = 0;
    for (double v : values) sum += v;
    const double n = double(Texts.size());
    switch (Kind) {
    case TColumnCalcType::acSUM: return sum;
    case TColumnCalcType::acAVG: return n > 0 ? sum / n : 0;
    case TColumnCalcType::acMIN: return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
    case TColumnCalcType::acMAX: return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    case TColumnCalcType::acSTDDEV: {
        if (n <= 0) return 0;
        const double avg = sum / n;
        double squares = 0;
        for (double v : values) squares += (v - avg) * (v - avg);
        // Unreadable cells count as 0, as every row of the range counts.
        squares += (n - double(values.size())) * avg * avg;
        return std::sqrt(squares / n);
    }
    default: return 0;
    }
}

void TZvStringGrid::CalcFooter(int ACol) { CalculateFooterValues(ACol); }

void TZvStringGrid::LastRowWrittenHook() { UpdateFooter(); }

bool TZvStringGrid::UsesVCLStyles() { return d->FUsesVCLStyles; }

void TZvStringGrid::UpdateFooter()
{
    if (FooterPanel()) FooterPanel()->Invalidate();
}

// ---- Hit-testing ---------------------------------------------------------------------------------------------
void TZvStringGrid::ScreenToCell(TPoint pt, int& ACol, int& ARow)
{
    const TPoint client = ScreenToClient(pt);
    MouseToCell(client.X, client.Y, ACol, ARow);
}

bool TZvStringGrid::IsOnSizingEdge(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const TRect rc = TCustomGrid::CellRect(c, r);
    if (Options().Contains(goColSizing) && r <= FixedRows() && (X - rc.Left < 4 || rc.Right - X < 4)) return true;
    return Options().Contains(goRowSizing) && c <= FixedCols() && (Y - rc.Top <= 3 || rc.Bottom - Y <= 3);
}

// ---- Scroll-bar appearance ---------------------------------------------------------------------------------------
// The flat scroll bars of the Windows common controls do not exist here, so the
// grid keeps its ordinary scroll bars: FIsFlat stays false and the flat-bar calls
// that need it have nothing to act on.
void TZvStringGrid::InitFlatScrollBars() { d->FIsFlat = false; }

void TZvStringGrid::DoneFlatScrollBars() { d->FIsFlat = false; }

void TZvStringGrid::FlatSetScrollProp(int, int, bool) {}   // no flat bars to set (see above)

void TZvStringGrid::FlatShowScrollBar(int, bool) {}   // no flat bars to show (see above)

void TZvStringGrid::ApplyFlatScrollStyle()
{
    const int style = d->FScrollType == TScrollType::ssFlat ? 2 : d->FScrollType == TScrollType::ssEncarta ? 1 : 0;
    if (d->FScrollType == TScrollType::ssMetro) return;
    FlatSetScrollProp(0x100, style, true);
    FlatSetScrollProp(0x200, style, true);
}

void TZvStringGrid::ApplyFlatScrollColor()
{
    if (d->FScrollColor == clNone) return;
    FlatSetScrollProp(0x40, int(d->FScrollColor), true);
    FlatSetScrollProp(0x80, int(d->FScrollColor), true);
}

void TZvStringGrid::ApplyFlatScrollWidth()
{
    FlatSetScrollProp(0x8, d->FScrollWidth, true);
    FlatSetScrollProp(0x4, d->FScrollWidth, true);
}

void TZvStringGrid::SyncFlatVertScrollInfo() {}   // no flat bars to keep in step (see above)

void TZvStringGrid::SyncFlatHorzScrollInfo() {}   // no flat bars to keep in step (see above)

void TZvStringGrid::UpdateFlatScrollBars()
{
    ApplyFlatScrollStyle();
    ApplyFlatScrollColor();
    ApplyFlatScrollWidth();
    const bool vert = VisibleRowCount() + FixedRows() < RowCount();
    FlatShowScrollBar(SB_VERT, vert);
    if (vert) SyncFlatVertScrollInfo();
    const bool horz = VisibleColCount() + FixedCols() < ColCount();
    FlatShowScrollBar(SB_HORZ, horz);
    if (horz) SyncFlatHorzScrollInfo();
}

void TZvStringGrid::CreateScrollControls()
{
    if (!VertScrollControl()) Panels().FVScrlCtrl = NewScrollControl(0);
    if (!HorzScrollControl()) Panels().FHScrlCtrl = NewScrollControl(1);
}

TScrollControl* TZvStringGrid::NewScrollControl(int Direction)
{
    auto* control = new TScrollControl(this);
    control->Direction = Direction;
    control->SetParent(this);
    control->SetDoubleBuffered(true);
    if (Direction == 0) {
        control->SetWidth(6);
        control->SetAlign(TAlign::alRight);
    } else {
        control->SetHeight(6);
        control->SetAlign(TAlign::alBottom);
    }
    control->SetVisible(true);
    return control;
}

namespace {
struct TLookNames {
    const char* Name;
    const char* Display;
};
constexpr TLookNames LookNames[] = {
    {"glStandard", "Standard"}, {"glSoft", "Soft"},           {"glClassic", "Classic"},
    {"glVUD", "VUD"},           {"glXP", "Windows XP"},       {"glListView", "ListView"},
    {"glVista", "Windows Vista"}, {"glWin7", "Windows 7"},    {"glOffice2007", "Office2007"},
};
}   // namespace

String TZvStringGrid::LookName(TGridLook Value)
{
    const auto i = std::size_t(Value);
    return i < std::size(LookNames) ? QString::fromLatin1(LookNames[i].Name) : String();
}

String TZvStringGrid::LookDisplayName(TGridLook Value)
{
    const auto i = std::size_t(Value);
    return i < std::size(LookNames) ? QString::fromLatin1(LookNames[i].Display) : String();
}

void TZvStringGrid::SetActiveCellShow(bool Value)
{
    d->FActiveCellShow = Value;
    Invalidate();
}

void TZvStringGrid::SetActiveCellColor(TColor Value)
{
    d->FActiveCellColor = Value;
    Invalidate();
}

void TZvStringGrid::SetActiveCellColorTo(TColor Value)
{
    d->FActiveCellColorTo = Value;
    Invalidate();
}

void TZvStringGrid::SetURLShow(bool Value)
{
    if (!StoreChanged(d->FURLShow, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetURLShowInText(bool Value)
{
    if (!StoreChanged(d->FURLShowInText, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetShowDesignHelper(bool Value)
{
    if (!StoreChanged(d->FShowDesignHelper, Value)) return;
    Invalidate();
}

void TZvStringGrid::SetXYOffset(TPoint Value)
{
    d->FXYOffset = Value;
    Invalidate();
}

int TZvStringGrid::TotalColCount() { return ColCount() + d->FNumHidden; }

void TZvStringGrid::SetActiveCellFont(TFont* Value)
{
    d->FActiveCellFont->Assign(Value);
    Invalidate();
}

void TZvStringGrid::SetHighlightColor(TColor Value)
{
    if (!StoreChanged(d->FHighlightColor, Value)) return;
    SetHTMLHighlightColors(d->FHighlightColor, d->FHighLightTextColor);
    Invalidate();
}

void TZvStringGrid::SetHighlightTextColor(TColor Value)
{
    if (!StoreChanged(d->FHighLightTextColor, Value)) return;
    SetHTMLHighlightColors(d->FHighlightColor, d->FHighLightTextColor);
    Invalidate();
}

void TZvStringGrid::SetURLColor(TColor Value)
{
    if (!StoreChanged(d->FURLColor, Value)) return;
    if (d->FURLShow) Invalidate();
}

void TZvStringGrid::SetURLFull(bool Value)
{
    d->FURLFull = Value;
    if (d->FURLShow) Invalidate();
}

void TZvStringGrid::SetLook(TGridLook Value)
{
    if (!StoreChanged(d->FLook, Value)) return;
    if (Value != TGridLook::glCustom) {
        d->FControlLook->SetFixedGradientMirrorFrom(clNone);
        d->FControlLook->SetFixedGradientMirrorTo(clNone);
        d->FControlLook->SetFixedGradientFrom(clNone);
        d->FControlLook->SetFixedGradientTo(clNone);
        for (TLookGradient g : {TLookGradient::lgFrom, TLookGradient::lgTo, TLookGradient::lgMirrorFrom,
                                TLookGradient::lgMirrorTo})
            SetVUDGradient(g, clNone);
        SortSettings()->SetHeaderColor(clNone);
    }
    switch (Value) {
    case TGridLook::glVista:
        SetStyle(TZvGridStyle::gsWindowsVista);
        SetSelectionStyle(TGridSelectionStyle::ssVista);
        break;
    case TGridLook::glWin7:
        SetStyle(TZvGridStyle::gsWindows7);
        SetSelectionStyle(TGridSelectionStyle::ssWin7);
        break;
    case TGridLook::glOffice2007:
        SetStyle(TZvGridStyle::gsOffice2007Luna);
        SetSelectionStyle(TGridSelectionStyle::ssOffice2007);
        break;
    case TGridLook::glCustom: break;
    default: ApplyClassicLook(Value); break;
    }
    d->FScrollType = TScrollType::ssNormal;
    d->FBorderStyle = TBorderStyle::bsSingle;
    d->FBorderColor = 0xB99D7F;
    Invalidate();
    if (!d->FLoading) UpdateFooter();
}

void TZvStringGrid::ApplyClassicLook(TGridLook Value)
{
    SetSelectionStyle(TGridSelectionStyle::ssDefault);
    if (d->FLoading) return;
    const bool plain = Value == TGridLook::glStandard || Value == TGridLook::glSoft || Value == TGridLook::glClassic;
    if (plain) {
        SetVUDGradient(TLookGradient::lgFrom, clBtnFace);
        SetVUDGradient(TLookGradient::lgTo, clNone);
        SetFixedColor(clBtnFace);
    } else {
        SetVUDGradient(TLookGradient::lgFrom, 0xFFFFFF);
        SetVUDGradient(TLookGradient::lgTo, Value == TGridLook::glVUD ? TColor(0xC0C0C0) : clBtnFace);
    }
    SetVUDGradient(TLookGradient::lgMirrorFrom, clNone);
    SetVUDGradient(TLookGradient::lgMirrorTo, clNone);
    SetGridFixedLineColor(0x808080);
    SetGridLineColor(0xC0C0C0);
    if (plain || Value == TGridLook::glListView) {
        d->FActiveCellColor = 0x808080;
        d->FActiveCellColorTo = clNone;
        d->FSelectionColor = clHighlight;
        d->FSelectionTextColor = clHighlightText;
        SearchFooter()->SetColor(clBtnFace);
        SearchFooter()->SetColorTo(clBtnFace);
        return;
    }
    d->FActiveCellColor = 0xEACAB6;
    d->FActiveCellColorTo = clNone;
    d->FSelectionColor = 0xEACAB6;
    d->FSelectionColorTo = clNone;
    d->FSelectionTextColor = 0;
    SearchFooter()->SetColor(VUDGradient(TLookGradient::lgFrom));
    SearchFooter()->SetColorTo(VUDGradient(TLookGradient::lgTo));
    const std::pair<TLookGradient, TColor> hoverAndDown[] = {
        {TLookGradient::lgHoverFrom, 0xCFD0D1},      {TLookGradient::lgHoverTo, 0xBEC6C8},
        {TLookGradient::lgHoverMirrorFrom, 0xBEC6C8}, {TLookGradient::lgHoverMirrorTo, 0xABBCBF},
        {TLookGradient::lgDownFrom, 0x868788},       {TLookGradient::lgDownTo, 0x737C7E},
        {TLookGradient::lgDownMirrorFrom, 0x737C7E},  {TLookGradient::lgDownMirrorTo, 0x627376},
    };
    for (const auto& [which, color] : hoverAndDown) SetVUDGradient(which, color);
}

void TZvStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (!StoreChanged(d->FAutoThemeAdapt, Value)) return;
    SearchFooter()->SetAutoThemeAdapt(Value);
    if (Value) {
        ApplyOfficeTheme();
        Invalidate();
    }
}

void TZvStringGrid::SetScrollType(TScrollType Value)
{
    if (StoreChanged(d->FScrollType, Value)) {
        if (Value == TScrollType::ssFlat || Value == TScrollType::ssEncarta) {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        } else {
            DoneFlatScrollBars();
        }
        if (HandleAllocated()) {
            if (Value == TScrollType::ssMetro) {
                CreateScrollControls();
                SetScrollBars(ssNone);
            } else if (VertScrollControl() || HorzScrollControl()) {
                FreeScrollControls();
                SetScrollBars(ssBoth);
            }
        }
    }
    ApplyFlatScrollStyle();
}

void TZvStringGrid::FreeScrollControls()
{
    delete VertScrollControl();
    Panels().FVScrlCtrl = nullptr;
    delete HorzScrollControl();
    Panels().FHScrlCtrl = nullptr;
}

void TZvStringGrid::SetScrollColor(TColor Value)
{
    d->FScrollColor = Value;
    ApplyFlatScrollColor();
}

void TZvStringGrid::SetScrollWidth(int Value)
{
    d->FScrollWidth = Value;
    ApplyFlatScrollWidth();
}

void TZvStringGrid::SetScrollProportional(bool Value)
{
    d->FScrollProportional = Value;
    if (Value) {
        UpdateProportionalHScroll();
        UpdateProportionalVScroll();
    } else if (d->FIsFlat && d->FScrollType == TScrollType::ssNormal) {
        DoneFlatScrollBars();
    }
}

void TZvStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    d->FScrollBarAlways = Value;
    ApplyScrollBarAlways(true);
}

void TZvStringGrid::SetScrollBars(TScrollStyle Value)
{
    d->FScrollBarsEx = Value;
    TBaseGrid::SetScrollBars(Value);
}

void TZvStringGrid::SetRowIndicator(TBitmap* Value)
{
    d->FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TZvStringGrid::SetBackGround(TBackGround* Value)
{
    d->FBackGround->Assign(Value);
    Invalidate();
}

// ---- Accessors ----------------------------------------------------------------------------------------------
void TZvStringGrid::UpdateXYOffset(int X, int Y) { d->FXYOffset = {X, Y}; }
