#pragma once
// The frame every configurator dialog shares: the dialog background, a title
// panel across the top with the software code and a bold description, and a
// button panel across the bottom with OK and Cancel.

#include "platform/Graphics.h"

class TForm;
class TPanel;
class TLabel;
class TControl;
class TWinControl;
class TZvPushButton;

// The background of every configurator window, dialog or not.
inline constexpr TColor Window_Color = 0xEDF7F8;
inline constexpr TColor Dialog_Button_Down_Color = 0x0080FF;
inline constexpr int Dialog_Title_Panel_Height = 69;
inline constexpr int Dialog_Button_Panel_Height = 40;
inline constexpr int Dialog_Button_Width = 110;
inline constexpr int Dialog_Button_Height = 28;
inline constexpr int Dialog_Button_Top = 6;

// The controls the frame made; the form owns them all. A dialog that keeps
// them under these names takes them in by deriving from it.
struct TDialogFrame {
    TPanel* Title_Panel = nullptr;
    TLabel* L_SW_Code = nullptr;   // 16, 8: font height -32, shows Software_Code
    TLabel* L_SW_Desc = nullptr;   // 16, 42: bold, the dialog's description
    TPanel* Button_Panel = nullptr;
    TZvPushButton* Btn_OK = nullptr;
    TZvPushButton* Btn_Cancel = nullptr;   // closes the dialog with the Cancel result; Escape does not
};

// Gives the form the dialog's colour and font and builds the two panels on
// it. OK has no modal result: a dialog that checks before closing handles the
// click itself, one that does not sets mrOk. The buttons stand at the given
// left positions of the button panel, Dialog_Button_Top from its top.
TDialogFrame Build_Dialog_Frame(TForm* form, int okLeft, int cancelLeft);

// Keeps both buttons at their distance from the panel's right edge when the
// dialog is resized.
void Anchor_Dialog_Buttons_Right(const TDialogFrame& frame);

// The look the configurator's windows share: centred on the screen, in the
// given colour, with Verdana 8 pt text.
void Set_Window_Look(TForm* form, TColor color);

// A borderless, captionless panel in its parent's colour; the caller places it.
TPanel* New_Dialog_Panel(TForm* form);

// A transparent label at left, top of its parent.
TLabel* New_Dialog_Label(TForm* form, TWinControl* parent, int left, int top);

// A push button in the dialogs' style, showing its hint.
TZvPushButton* New_Dialog_Button(TForm* form, TWinControl* parent, int left, int top,
                                 int width = Dialog_Button_Width, int height = Dialog_Button_Height);

// The texts of a dialog that asks for one thing: the caption at first_slot,
// then the description, the prompt, OK and Cancel in the slots after it; the
// hints of the input, OK and Cancel from first_hint_slot on.
void Set_Prompt_Dialog_Texts(TForm* form, const TDialogFrame& frame, TLabel* prompt, TControl* input,
                             int first_slot, int first_hint_slot);
