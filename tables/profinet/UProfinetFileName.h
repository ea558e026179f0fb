#pragma once
// The GSDML file-name dialog: a fixed part, the user's optional part and the
// date the program started, composed into the name the writer saves under.

#include "core/UDialogFrame.h"
#include "platform/Forms.h"

#include <QDate>

class TLabel;
class TEdit;

inline const String GSDML_Fixed_Part = QStringLiteral("GSDML-V2.31-Zorvat-KH40227");
// "-YYYYMMDD.xml".
String GSDML_Date_Part(const QDate& date);
// Fixed part, "_" and the user part unless it is blank or already starts with "_", date part.
String GSDML_File_Name(const String& userPart, const String& datePart);
// Characters no file name can hold: the user part would name a folder, or
// end the name early.
bool GSDML_User_Part_Refused(const String& userPart);

inline constexpr int Text_GSDML_Bad_User_Part = 1595;

class TFProfinetFileName : public TForm, public TDialogFrame {
public:
    // `today` fixes the date part for the whole run.
    explicit TFProfinetFileName(TComponent* AOwner, const QDate& today = QDate::currentDate());
    void Set_Lang();

    void FormCreate(TObject* Sender);
    void Btn_OKClick(TObject* Sender);

    TLabel* L_XML_Fix1 = nullptr;
    TEdit* E_XML_User = nullptr;
    TLabel* L_XML_Fix2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    String Name_File_XML;

    static constexpr int Client_Width = 540;
    static constexpr int Client_Height = 205;

private:
    QDate FToday;
};

extern TFProfinetFileName* FProfinetFileName;
