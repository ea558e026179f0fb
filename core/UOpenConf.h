#pragma once
// The Open Configuration dialog: lists the configurations under PROJECTS and
// hands the chosen name back to the main window.

#include "core/UDialogFrame.h"
#include "platform/Forms.h"

#include <memory>

class TLabel;
class TListBox;
class TStringList;

// The configuration folder under PROJECTS that the name stands for, matched
// ignoring case, in the folder's own spelling; empty when the name is no
// valid configuration name or no such folder exists.
String Find_Configuration(const String& name);

class TFOpenConf : public TForm, public TDialogFrame {
public:
    explicit TFOpenConf(TComponent* AOwner);
    ~TFOpenConf() override;
    void Set_Lang();

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Load_Existing_Configuration();
    // Index of the first entry of SL equal to the name ignoring case, -1 when none.
    int Search_Open_Conf(const String& name) const;
    void ListBox1Click(TObject* Sender);

    // The configuration chosen when the dialog closed with OK.
    String Name_Conf;
    // The configuration folders found at the last show, in the file system's order.
    std::unique_ptr<TStringList> SL;

    TLabel* Label1 = nullptr;
    TListBox* ListBox1 = nullptr;

    static constexpr int Client_Width = 377;
    static constexpr int Client_Height = 351;
    // The least the user can size it to: both buttons beside each other right
    // of the list's left edge, and the list a few entries high above them.
    static constexpr int Min_List_Height = 60;
    static constexpr int Min_Client_Width = 16 + 2 * Dialog_Button_Width + 8 + 18;
    static constexpr int Min_Client_Height = 94 + Min_List_Height + 8 + Dialog_Button_Panel_Height;
};

extern TFOpenConf* FOpenConf;
