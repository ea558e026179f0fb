#include "core/UDialogFrame.h"

#include "core/UComon.h"
#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace {

TPanel* New_Frame_Panel(TForm* form, TAlign align, int height)
{
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetShowCaption(false);
    panel->SetParentColor(true);
    panel->SetHeight(height);
    panel->SetAlign(align);
    return panel;
}

TLabel* New_Title_Label(TForm* form, TPanel* panel, int top)
{
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetLeft(16);
    label->SetTop(top);
    label->SetTransparent(true);
    label->Font()->SetColor(clGray);
    return label;
}

TZvPushButton* New_Frame_Button(TForm* form, TPanel* panel, int left)
{
    auto* button = new TZvPushButton(form);
    button->SetParent(panel);
    button->SetBounds(left, Dialog_Button_Top, Dialog_Button_Width, Dialog_Button_Height);
    button->SetStyle(TZvPushButtonStyle::bsEncarta);
    button->SetColor(Dialog_Background_Color);
    button->SetColorWhenDown(Dialog_Button_Down_Color);
    button->SetHotTrackColor(clSkyBlue);
    button->SetShowHint(true);
    return button;
}

} // namespace

TDialogFrame Build_Dialog_Frame(TForm* form, int okLeft, int cancelLeft)
{
    form->SetColor(Dialog_Background_Color);
    form->Font()->SetName(QStringLiteral("Verdana"));
    form->Font()->SetHeight(-11);
    form->SetPosition(TPosition::poScreenCenter);
    form->SetShowHint(true);

    TDialogFrame frame;
    frame.Title_Panel = New_Frame_Panel(form, TAlign::alTop, Dialog_Title_Panel_Height);
    frame.L_SW_Code = New_Title_Label(form, frame.Title_Panel, 8);
    frame.L_SW_Code->Font()->SetHeight(-32);
    frame.L_SW_Code->SetCaption(Software_Code);
    frame.L_SW_Desc = New_Title_Label(form, frame.Title_Panel, 42);
    frame.L_SW_Desc->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});

    frame.Button_Panel = New_Frame_Panel(form, TAlign::alBottom, Dialog_Button_Panel_Height);
    frame.Btn_OK = New_Frame_Button(form, frame.Button_Panel, okLeft);
    frame.Btn_Cancel = New_Frame_Button(form, frame.Button_Panel, cancelLeft);
    frame.Btn_Cancel->SetModalResult(mrCancel);
    frame.Btn_Cancel->SetCancel(true);
    return frame;
}

void Anchor_Dialog_Buttons_Right(const TDialogFrame& frame)
{
    const TAnchors right{TAnchorKind::akTop, TAnchorKind::akRight};
    frame.Btn_OK->SetAnchors(right);
    frame.Btn_Cancel->SetAnchors(right);
}
