#pragma once
// The New Configuration dialog: asks for a name, creates the configuration's
// folders and makes it the open configuration.

#include "core/UDialogFrame.h"
#include "platform/Forms.h"

class TLabel;
class TEdit;

// True when the name can be a configuration's folder on every system the
// configurations travel to: not empty, not "." or "..", no path separator,
// none of <>:"|?* or control characters, no noncharacter (U+FDD0-U+FDEF,
// U+FFFE, U+FFFF and their kin in every plane) or lone surrogate half, no
// trailing dot or blank, and not a reserved device name (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9), with or without an extension, in any letter case.
bool Is_Valid_Configuration_Name(const String& name);

class TFNew_Project : public TForm, public TDialogFrame {
public:
    explicit TFNew_Project(TComponent* AOwner);
    void Set_Lang();

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void E_New_ProjKeyPress(TObject* Sender, QChar& Key);
    void Btn_OKClick(TObject* Sender);

    TLabel* Label1 = nullptr;
    TEdit* E_New_Proj = nullptr;

    static constexpr int Client_Width = 331;
    static constexpr int Client_Height = 162;
};

extern TFNew_Project* FNew_Project;
