// The track-bar drop-down.
#include "dropdowns/pickers/ZvTrackBarDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/TrackBar.h"

namespace {
constexpr int TrackBarHeight = 40;
}

TZvTrackBarDropDown::TZvTrackBarDropDown(TComponent* AOwner) : TZvCustomDropDown(AOwner)
{
    // The base's construction made the pop-up; this adds the track bar to it.
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditKind(TDropDownEditType::etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetShadowRefresh(true);
}

void TZvTrackBarDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (FTrackBar || !DropDownForm()) return;
    FTrackBar = new TTrackBar(this);
    FTrackBar->SetParent(DropDownForm());
    FTrackBar->SetBounds(0, 0, FTrackBar->Width(), TrackBarHeight);
    FTrackBar->OnChange = [this](TObject*) { TrackChanged(); };
}

void TZvTrackBarDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (!FTrackBar) return;
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetWidth(Width());
    SetHostedControl(FTrackBar);
}

// The track bar fills the pop-up once it shows; until then it keeps the
// edit's width and its own height, which the pop-up is sized around.
void TZvTrackBarDropDown::SizeDropDownForm()
{
    if (FTrackBar) {
        FTrackBar->SetAlign(TAlign::alNone);
        FTrackBar->SetBounds(0, 0, Width(), TrackBarHeight);
    }
    TZvCustomDropDown::SizeDropDownForm();
}

void TZvTrackBarDropDown::TrackChanged()
{
    FPosition = FTrackBar->Position();
    AssignEditText(IntToStr(FPosition));
    if (OnTrackChange) OnTrackChange(this);
}

void TZvTrackBarDropDown::SetMin(int value)
{
    FMin = value;
    if (!FTrackBar) return;
    FTrackBar->SetMin(value);
    FMin = FTrackBar->Min();
}

void TZvTrackBarDropDown::SetMax(int value)
{
    FMax = value;
    if (!FTrackBar) return;
    FTrackBar->SetMax(value);
    FMax = FTrackBar->Max();
}

void TZvTrackBarDropDown::SetPosition(int value)
{
    FPosition = value;
    if (!FTrackBar) return;
    FTrackBar->SetPosition(value);
    FPosition = FTrackBar->Position();
}

void TZvTrackBarDropDown::SetPageSize(int value)
{
    FPageSize = value;
    if (FTrackBar) FTrackBar->SetPageSize(value);
}

void TZvTrackBarDropDown::SetFrequency(int value)
{
    FFrequency = value;
    if (FTrackBar) FTrackBar->SetFrequency(value);
}

void TZvTrackBarDropDown::WMKeyDown(TWMKey& Message)
{
    const WORD key = WORD(Message.CharCode);
    TZvCustomDropDown::WMKeyDown(Message);
    if (EditorEnabled() || GetKeyState(VK_MENU) < 0) return;
    if (key == VK_UP && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
    else if (key == VK_DOWN && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
}

void TZvTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvCustomDropDown::MouseDown(Button, Shift, X, Y);
    if (!DropDownEnabled() || EditorEnabled()) return;
    FMouseX = X;
    FDragging = true;
}

void TZvTrackBarDropDown::MouseMove(TShiftState Shift, int X, int Y)
{
    TZvCustomDropDown::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    // A page size of 0 or less makes no step rather than dividing by it.
    if (FPageSize > 0) SetPosition(FPosition + (X - FMouseX) / FPageSize);
    FMouseX = X;
}

void TZvTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TZvCustomDropDown::MouseUp(Button, Shift, X, Y);
    FDragging = false;
}

void TZvTrackBarDropDown::ChangeHook()
{
    TZvCustomDropDown::Change();
    bool ok = false;
    const int value = Text().trimmed().toInt(&ok);
    if (ok) SetPosition(value);
}
