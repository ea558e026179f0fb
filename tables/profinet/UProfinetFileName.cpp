#include "tables/profinet/UProfinetFileName.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"

TFProfinetFileName* FProfinetFileName = nullptr;

String GSDML_Date_Part(const QDate& date)
{
    return QStringLiteral("-%1%2%3.xml")
        .arg(date.year())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

String GSDML_File_Name(const String& userPart, const String& datePart)
{
    if (userPart.trimmed().isEmpty()) return GSDML_Fixed_Part + datePart;
    if (userPart.startsWith(u'_')) return GSDML_Fixed_Part + userPart + datePart;
    return GSDML_Fixed_Part + QLatin1Char('_') + userPart + datePart;
}

bool GSDML_User_Part_Refused(const String& userPart)
{
    return userPart.contains(u'/') || userPart.contains(u'\\') || userPart.contains(QChar(0));
}

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner, const QDate& today) : TForm(AOwner), FToday(today)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    TDialogFrame::operator=(Build_Dialog_Frame(this, 296, 414));

    auto label = [this](int left, int top) { return New_Dialog_Label(this, this, left, top); };
    Label1 = label(16, 76);
    Label2 = label(16, 100);
    Label4 = label(246, 100);
    Label5 = label(430, 100);
    L_XML_Fix1 = label(16, 124);
    L_XML_Fix1->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
    L_XML_Fix2 = label(430, 124);
    L_XML_Fix2->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});

    E_XML_User = new TEdit(this);
    E_XML_User->SetParent(this);
    E_XML_User->SetBounds(246, 120, 176, 21);
    E_XML_User->SetTabStop(true);
    E_XML_User->SetShowHint(true);

    Btn_OK->OnClick = [this](TObject* sender) { Btn_OKClick(sender); };
    FormCreate(this);
}

void TFProfinetFileName::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientSize(Client_Width, Client_Height);
    L_XML_Fix1->SetCaption(GSDML_Fixed_Part);
    // No show handler renews it: one run writes one day's name.
    L_XML_Fix2->SetCaption(GSDML_Date_Part(FToday));
    Set_Lang();
}

void TFProfinetFileName::Set_Lang()
{
    SetCaption(Lang_Text(1000));
    L_SW_Desc->SetCaption(Lang_Text(1001));
    Btn_OK->SetCaption(Lang_Text(1002));
    Btn_Cancel->SetCaption(Lang_Text(1003));
    Label1->SetCaption(Lang_Text(1004));
    Label2->SetCaption(Lang_Text(1005));
    Label4->SetCaption(Lang_Text(1006));
    Label5->SetCaption(Lang_Text(1007));
    E_XML_User->SetHint(Lang_Text(1008));
    Btn_OK->SetHint(Lang_Text(1009));
    Btn_Cancel->SetHint(Lang_Text(1010));
}

void TFProfinetFileName::Btn_OKClick(TObject*)
{
    const String user = E_XML_User->Text();
    // Such a name would be written into another folder, or not at all.
    if (GSDML_User_Part_Refused(user)) {
        MessageDlg(Lang_Text(Text_GSDML_Bad_User_Part), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return;
    }
    Name_File_XML = GSDML_File_Name(user, L_XML_Fix2->Caption());
    SetModalResult(mrOk);
}
