// The search bar below the cells: its controls, where they stand, and its face.

#include "grid/services/panels/ZvSearchPanel.h"

#include "grid/ZvCheckBox.h"
#include "grid/ZvGrid.h"
#include "grid/support/ZvDropDownDraw.h"
#include "grid/support/ZvGridButton.h"

#include "platform/Messages.h"

#include <vector>

// ---- TRetEdit --------------------------------------------------------------------------------------------------
void TRetEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        if (Shift.Contains(ssCtrl)) {
            if (OnCtrlReturn) OnCtrlReturn(this);
        } else if (OnReturn) {
            OnReturn(this);
        }
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TRetEdit::KeyPress(QChar& Key)
{
    // A line break never lands in the one-line text; the handler still hears it.
    if (Key == QChar(10) || Key == QChar(13)) {
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = QChar(0);
        return;
    }
    TEdit::KeyPress(Key);
}

void TRetEdit::WndProc(TMessage& Message)
{
    TEdit::WndProc(Message);
    // Like a multi-line edit it keeps every key: Enter reaches it, and letters
    // type rather than press the footer buttons whose captions they underline.
    if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTCHARS | DLGC_WANTALLKEYS;
}

// ---- Glyphs ----------------------------------------------------------------------------------------------------
namespace {
constexpr TColor GlyphMask = 0xFF00FF;

enum class TGlyph { Down, Up, Close, Highlight };

// The buttons' small pictures, drawn here rather than loaded: arrows for the
// two directions, a cross for close and a marker stroke for highlight.
std::unique_ptr<TBitmap> MakeGlyph(TGlyph Kind, TColor Ink)
{
    const int size = Kind == TGlyph::Close ? 10 : 12;
    auto bitmap = std::make_unique<TBitmap>(size, size);
    TCanvas& c = *bitmap->Canvas();
    c.Brush()->SetColor(GlyphMask);
    c.FillRect(TRect{0, 0, size, size});
    c.Brush()->SetColor(Ink);
    c.Pen()->SetColor(Ink);
    switch (Kind) {
    case TGlyph::Down: c.Polygon({{1, 3}, {10, 3}, {5, 9}}); break;
    case TGlyph::Up: c.Polygon({{1, 8}, {10, 8}, {5, 2}}); break;
    case TGlyph::Close:
        for (int i = 0; i < 2; ++i) {
            c.MoveTo(1 + i, 1);
            c.LineTo(9 + i, 9);
            c.MoveTo(8 + i, 1);
            c.LineTo(i, 9);
        }
        break;
    case TGlyph::Highlight:
        c.Brush()->SetColor(0x00FFFF);
        c.Pen()->SetColor(0x008080);
        c.Rectangle(TRect{1, 2, 11, 10});
        break;
    }
    bitmap->SetTransparentColor(GlyphMask);
    bitmap->SetTransparent(true);
    return bitmap;
}

TZvGridButton* MakeButton(TSearchPanel* Panel, TNotifyEvent TSearchPanel::*Event)
{
    auto* button = new TZvGridButton(Panel);
    button->SetParent(Panel);
    button->SetParentFont(true);
    button->OnClick = [Panel, Event](TObject*) {
        if (Panel->*Event) (Panel->*Event)(Panel);
    };
    return button;
}

void SetGlyphs(TZvGridButton* Button, TGlyph Kind)
{
    Button->SetGlyph(MakeGlyph(Kind, clBlack).get());
    Button->SetGlyphDisabled(MakeGlyph(Kind, 0x808080).get());
}

void ApplyHint(TZvGridButton* Button, const String& Hint)
{
    Button->SetHint(Hint);
    Button->SetShowHint(!Hint.isEmpty());
}
}   // namespace

// ---- TSearchPanel ----------------------------------------------------------------------------------------------
TSearchPanel::TSearchPanel(TComponent* AOwner, TZvStringGrid* AGrid)
    : TPanel(AOwner), FGrid(AGrid)
{
    SetBevelOuter(TBevelCut::bvNone);
    SetBorderWidth(0);
    SetShowCaption(false);

    FEdit = new TRetEdit(this);
    FEdit->SetParent(this);
    // A search moves the grid's current cell; the text typed so far must not be selected and typed over.
    FEdit->SetAutoSelect(false);
    FEdit->OnChange = [this](TObject*) { EditChanged(); };
    FEdit->OnReturn = [this](TObject*) {
        if (OnForwardClick) OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](TObject*) {
        if (OnBackwardClick) OnBackwardClick(this);
    };
    FEdit->OnKeyDown = [](TObject*, WORD&, TShiftState) {};   // the grid's own keys stay out of the edit

    FForward = MakeButton(this, &TSearchPanel::OnForwardClick);
    SetGlyphs(FForward, TGlyph::Down);
    FForward->SetEnabled(false);
    FBackward = MakeButton(this, &TSearchPanel::OnBackwardClick);
    SetGlyphs(FBackward, TGlyph::Up);
    FBackward->SetEnabled(false);
    FExit = MakeButton(this, &TSearchPanel::OnExitClick);
    FExit->SetGlyph(MakeGlyph(TGlyph::Close, clBlack).get());
    FExit->SetGlyphHot(MakeGlyph(TGlyph::Close, clRed).get());
    FExit->SetGlyphDown(MakeGlyph(TGlyph::Close, 0x000080).get());
    FHighlight = MakeButton(this, &TSearchPanel::OnHighlightClick);
    FHighlight->SetStyle(TZvGridButtonStyle::tasCheck);
    SetGlyphs(FHighlight, TGlyph::Highlight);
    FHighlight->SetEnabled(false);

    FMatchCase = new TZvCheckBox(this);
    FMatchCase->SetParent(this);
    FMatchCase->SetTransparent(true);
    LayoutControls();
}

TSearchPanel::~TSearchPanel() = default;

void TSearchPanel::SetColorTo(TColor Value)
{
    if (StoreChanged(FColorTo, Value)) Invalidate();
}

void TSearchPanel::SetFindNextCaption(const String& Value)
{
    FFindNextCaption = Value;
    FForward->SetCaption(Value);
}

void TSearchPanel::SetFindPrevCaption(const String& Value)
{
    FFindPrevCaption = Value;
    FBackward->SetCaption(Value);
}

void TSearchPanel::SetMatchCaseCaption(const String& Value)
{
    FMatchCaseCaption = Value;
    FMatchCase->SetCaption(Value);
}

void TSearchPanel::SetHighlightCaption(const String& Value)
{
    FHighlightCaption = Value;
    FHighlight->SetCaption(Value);
}

void TSearchPanel::SetHints(const String& FindNext, const String& FindPrev, const String& Close,
                            const String& Highlight)
{
    ApplyHint(FForward, FindNext);
    ApplyHint(FBackward, FindPrev);
    ApplyHint(FExit, Close);
    ApplyHint(FHighlight, Highlight);
}

void TSearchPanel::ShowControls(bool FindNext, bool FindPrev, bool HighLight, bool MatchCase, bool Close)
{
    FForward->SetVisible(FindNext);
    FBackward->SetVisible(FindPrev);
    FHighlight->SetVisible(HighLight);
    FMatchCase->SetVisible(MatchCase);
    FExit->SetVisible(Close);
    LayoutControls();
}

void TSearchPanel::SetFlatButtons(bool Value)
{
    for (TZvGridButton* button : {FForward, FBackward, FExit, FHighlight}) button->SetFlat(Value);
}

void TSearchPanel::LayoutControls()
{
    const bool mirrored = UseRightToLeftReading();
    const auto place = [&](TControl* Control, int L, int T, int W, int H) {
        Control->SetBounds(mirrored ? Width() - W - L : L, T, W, H);
    };
    place(FEdit, 25, 6, 110, FEdit->Height());
    place(FForward, 140, 5, 90, 23);
    place(FBackward, 235, 5, 90, 23);
    place(FExit, 5, 7, 14, 14);
    place(FHighlight, 330, 5, 90, 23);
    place(FMatchCase, FHighlight->Visible() ? 425 : 330, 8, std::max(FMatchCase->Width(), 100), 17);
}

void TSearchPanel::CreateWnd()
{
    TPanel::CreateWnd();
    LayoutControls();
    if (FGrid && FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::EditChanged()
{
    const bool any = !FEdit->Text().isEmpty();
    FForward->SetEnabled(any);
    FBackward->SetEnabled(any);
    FHighlight->SetEnabled(any);
    if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::Paint()
{
    TPanel::Paint();
    TCanvas& c = *Canvas();
    const TRect client = ClientRect();
    if (FColorTo == clNone) {
        c.Brush()->SetColor(Color());
        c.Pen()->SetColor(Color());
        c.FillRect(client);
    } else {
        DrawDropDownGradient(c, Color(), FColorTo, false, client, 32);
    }
    c.Pen()->SetColor(FGrid ? FGrid->GridLineColor() : clGray);
    c.MoveTo(client.Left, client.Top);
    c.LineTo(client.Right, client.Top);
}
