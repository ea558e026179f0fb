// The memo drop-down.
#include "dropdowns/pickers/ZvMemoDropDown.h"

#include "dropdowns/base/ZvDropDownForm.h"
#include "grid/support/ZvDropDownDraw.h"
#include "platform/Memo.h"
#include "platform/Menus.h"

namespace {
constexpr int MemoHeight = 100;
const String Ellipsis = QStringLiteral("...");
} // namespace

TZvMemoDropDown::TZvMemoDropDown(TComponent* AOwner)
    : TZvCustomDropDown(AOwner), FLines(std::make_unique<TStringList>())
{
    FLines->OnChange = [this](TObject*) { UpdateEditFromMemo(); };
    // The base's construction made the pop-up; this adds the memo to it.
    CreateDropDownForm();
}

TZvMemoDropDown::~TZvMemoDropDown()
{
    FLines->OnChange = nullptr;
}

void TZvMemoDropDown::CreateDropDownForm()
{
    TZvCustomDropDown::CreateDropDownForm();
    if (FMemo || !DropDownForm()) return;
    FMemo = new TMemo(this);
    FMemo->SetParent(DropDownForm());
    FMemo->SetBounds(0, 0, FMemo->Width(), MemoHeight);
    FMemo->SetBorderStyle(TBorderStyle::bsNone);
    FMemo->OnChange = [this](TObject*) {
        if (OnMemoChange) OnMemoChange(this);
    };
    SetHostedControl(FMemo);
    // Typing goes to the memo as soon as it shows.
    SetFocusControl(FMemo);
}

void TZvMemoDropDown::SetMemoText(TStringList* value)
{
    FLines->Assign(value);
    if (FMemo) FMemo->SetText(FLines->Text());
}

void TZvMemoDropDown::SetMemoReadOnly(bool value)
{
    FMemoReadOnly = value;
    if (DroppedDown() && FMemo) FMemo->SetReadOnly(value);
}

void TZvMemoDropDown::BeforeDropDown()
{
    TZvCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (!FMemo) return;
    FMemo->SetText(FLines->Text());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
}

// The memo fills the pop-up once it shows; until then it keeps the edit's
// width and its own height, which the pop-up is sized around.
void TZvMemoDropDown::SizeDropDownForm()
{
    if (FMemo) {
        FMemo->SetAlign(TAlign::alNone);
        FMemo->SetBounds(0, 0, Width(), MemoHeight);
    }
    TZvCustomDropDown::SizeDropDownForm();
}

void TZvMemoDropDown::CloseDropDownForm(bool CancelChanges)
{
    // Closing gives the focus back to the edit, which must not open it again.
    const bool autoDrop = AutoDrop;
    AutoDrop = false;
    const TScopeExit restore([&] { AutoDrop = autoDrop; });
    if (CancelChanges && FMemo && DroppedDown()) FMemo->SetText(FLines->Text());
    {
        // A cancelling close writes back the edit's last assigned text, which
        // may be a cut first line: the lines stay what the memo restored.
        FInternalUpdate = CancelChanges;
        const TScopeExit done([&] { FInternalUpdate = false; });
        TZvCustomDropDown::CloseDropDownForm(CancelChanges);
    }
    if (CancelChanges) UpdateEditFromMemo();
}

void TZvMemoDropDown::DropDownFormHidden()
{
    TZvCustomDropDown::DropDownFormHidden();
    if (FMemo) FLines->SetText(FMemo->Text());
    UpdateEditFromMemo();
    SetSelStart(0);
    SetSelLength(0);
}

void TZvMemoDropDown::UpdateEditFromMemo()
{
    String text;
    if (FLines->Count() == 0 || EditorEnabled()) {
        text = FLines->Text();
    } else {
        text = FLines->Strings(0);
        const TRect r = GetEditRect();
        const int width = r.Width();
        TCanvas canvas;
        canvas.SetFont(Font());
        if (MeasureSingleLine(canvas, text).cx < width) {
            if (FLines->Count() > 1) text += Ellipsis;
        } else {
            text = FitTextToWidth(canvas, text, width, true);
        }
    }
    WriteEdit(text);
}

void TZvMemoDropDown::WriteEdit(const String& text)
{
    const bool was = FInternalUpdate;
    FInternalUpdate = true;
    const TScopeExit restore([&] { FInternalUpdate = was; });
    AssignEditText(text);
}

void TZvMemoDropDown::ChangeHook()
{
    if (!FInternalUpdate) {
        TNotifyEvent notify = std::move(FLines->OnChange);
        FLines->OnChange = nullptr;
        const TScopeExit rebind([&] { FLines->OnChange = std::move(notify); });
        FLines->SetText(Text());
    }
    TZvCustomDropDown::Change();
}

void TZvMemoDropDown::DoEnter()
{
    TZvCustomDropDown::DoEnter();
    if (AutoDrop) OpenDropDownForm();
}

void TZvMemoDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    const bool alt = Shift.Contains(TShiftStateItem::ssAlt);
    if (alt || Key == VK_ESCAPE || Key == VK_F4) TZvCustomDropDown::ControlKeyDown(Key, Shift);
    else if (Key == 'A' && Shift.Contains(TShiftStateItem::ssCtrl) && FMemo) FMemo->SelectAll();
}

void TZvMemoDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (Shift.Contains(TShiftStateItem::ssAlt) || Key == VK_ESCAPE || Key == VK_F4)
        TZvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TZvMemoDropDown::ControlKeyPress(QChar& Key)
{
    if (GetKeyState(VK_MENU) < 0 || Key == QChar(0x1B)) TZvCustomDropDown::ControlKeyPress(Key);
}
