#pragma once
// The About dialog: product picture, description, code, version, manual
// code and the maker's web address. Its texts are fixed English; the text
// table does not reach it.

#include "platform/Forms.h"

class TImage;
class TLabel;
class TZvPushButton;

class TFAbout : public TForm {
public:
    explicit TFAbout(TComponent* AOwner);

    // The dialog keeps its fixed texts in every language, so this does nothing.
    void Set_Lang();

    void FormShow(TObject* Sender);
    // The maker's home page, for a click on the address or the pictures.
    void Label4Click(TObject* Sender);

    TImage* Image2 = nullptr;
    TImage* I_Obrant = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label4 = nullptr;
    TZvPushButton* ZvPushButton1 = nullptr;
};

extern TFAbout* FAbout;

// The maker's home page as the links of the program open it.
String Maker_Home_Page_Url();
// Pictures drawn by the program itself, 81 x 81.
QImage Draw_Product_Picture();
QImage Draw_Brand_Picture();
