#include "core/UDialogFrame.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

TPanel* New_Dialog_Panel(TForm* form)
{
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetShowCaption(false);
    panel->SetParentColor(true);
    return panel;
}

TLabel* New_Dialog_Label(TForm* form, TWinControl* parent, int left, int top)
{
    auto* label = new TLabel(form);
    label->SetParent(parent);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetTransparent(true);
    return label;
}

TZvPushButton* New_Dialog_Button(TForm* form, TWinControl* parent, int left, int top, int width, int height)
{
    auto* button = new TZvPushButton(form);
    button->SetParent(parent);
    button->SetBounds(left, top, width, height);
    button->SetStyle(TZvPushButtonStyle::bsEncarta);
    button->SetColor(Window_Color);
    button->SetColorWhenDown(Dialog_Button_Down_Color);
    button->SetHotTrackColor(clSkyBlue);
    button->SetShowHint(true);
    return button;
}

void Set_Window_Look(TForm* form, TColor color)
{
    form->SetPosition(TPosition::poScreenCenter);
    form->SetColor(color);
    form->Font()->SetName(QStringLiteral("Verdana"));
    form->Font()->SetHeight(-11);
}

namespace {

TPanel* New_Frame_Panel(TForm* form, TAlign align, int height)
{
    TPanel* panel = New_Dialog_Panel(form);
    panel->SetHeight(height);
    panel->SetAlign(align);
    return panel;
}

TLabel* New_Title_Label(TForm* form, TPanel* panel, int top)
{
    TLabel* label = New_Dialog_Label(form, panel, 16, top);
    label->Font()->SetColor(clGray);
    return label;
}

} // namespace

TDialogFrame Build_Dialog_Frame(TForm* form, int okLeft, int cancelLeft)
{
    Set_Window_Look(form, Window_Color);
    form->SetShowHint(true);

    TDialogFrame frame;
    frame.Title_Panel = New_Frame_Panel(form, TAlign::alTop, Dialog_Title_Panel_Height);
    frame.L_SW_Code = New_Title_Label(form, frame.Title_Panel, 8);
    frame.L_SW_Code->Font()->SetHeight(-32);
    frame.L_SW_Code->SetCaption(Software_Code);
    frame.L_SW_Desc = New_Title_Label(form, frame.Title_Panel, 42);
    frame.L_SW_Desc->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});

    frame.Button_Panel = New_Frame_Panel(form, TAlign::alBottom, Dialog_Button_Panel_Height);
    frame.Btn_OK = New_Dialog_Button(form, frame.Button_Panel, okLeft, Dialog_Button_Top);
    frame.Btn_Cancel = New_Dialog_Button(form, frame.Button_Panel, cancelLeft, Dialog_Button_Top);
    frame.Btn_Cancel->SetModalResult(mrCancel);
    return frame;
}

void Anchor_Dialog_Buttons_Right(const TDialogFrame& frame)
{
    const TAnchors right{TAnchorKind::akTop, TAnchorKind::akRight};
    frame.Btn_OK->SetAnchors(right);
    frame.Btn_Cancel->SetAnchors(right);
}

void Set_Prompt_Dialog_Texts(TForm* form, const TDialogFrame& frame, TLabel* prompt, TControl* input,
                             int first_slot, int first_hint_slot)
{
    form->SetCaption(Lang_Text(first_slot));
    frame.L_SW_Desc->SetCaption(Lang_Text(first_slot + 1));
    prompt->SetCaption(Lang_Text(first_slot + 2));
    frame.Btn_OK->SetCaption(Lang_Text(first_slot + 3));
    frame.Btn_Cancel->SetCaption(Lang_Text(first_slot + 4));
    input->SetHint(Lang_Text(first_hint_slot));
    frame.Btn_OK->SetHint(Lang_Text(first_hint_slot + 1));
    frame.Btn_Cancel->SetHint(Lang_Text(first_hint_slot + 2));
}
