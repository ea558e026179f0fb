#include "core/UNew_Project.h"

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "core/ZvPushButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"
#include "platform/TextCodec.h"

#include <QRegularExpression>

TFNew_Project* FNew_Project = nullptr;

namespace {

// Names Windows keeps for devices: a folder of that name cannot be made
// there, so a configuration of that name could not be copied to such a machine.
bool Is_Reserved_Device_Name(const String& name)
{
    // The device is reserved with any extension ("CON.txt"), and Windows
    // drops blanks before the extension when it compares ("CON .txt").
    String base = name.section(u'.', 0, 0);
    while (base.endsWith(u' ')) base.chop(1);
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|(COM|LPT)[1-9\u00B9\u00B2\u00B3])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    return reserved.match(base).hasMatch();
}

bool Is_Refused_Character(QChar c)
{
    return c.unicode() < 0x20 || String(QStringLiteral("<>:\"/\\|?*")).contains(c);
}

// A noncharacter or a lone half of a surrogate pair is no letter of any name:
// the settings and updater files could not hold it, and the file system
// would store a different name than the one shown.
bool Has_Noncharacter(const String& name)
{
    if (FirstUnstorableChar(name) >= 0) return true;
    for (char32_t c : name.toUcs4())
        if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return true;
    return false;
}

void Error_Box(const String& text)
{
    MessageDlg(text, TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

void Error_Box(int slot) { Error_Box(Lang_Text(slot)); }

constexpr int Text_Folder_Not_Created = 1500;

// What the file system says about a name it will not take, rather than about
// the folder the name goes into.
bool Is_Refused_Name(const std::error_code& error)
{
    return error == std::errc::filename_too_long || error == std::errc::invalid_argument ||
           error == std::errc::illegal_byte_sequence || error == std::errc::file_exists;
}

} // namespace

bool Is_Valid_Configuration_Name(const String& name)
{
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    for (QChar c : name)
        if (Is_Refused_Character(c)) return false;
    if (Has_Noncharacter(name)) return false;
    if (name.endsWith(u'.') || name.endsWith(u' ')) return false;
    return !Is_Reserved_Device_Name(name);
}

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    TDialogFrame::operator=(Build_Dialog_Frame(this, 85, 203));

    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetBounds(16, 70, 0, 0);

    E_New_Proj = new TEdit(this);
    E_New_Proj->SetParent(this);
    E_New_Proj->SetBounds(16, 94, 297, 21);
    E_New_Proj->SetTabStop(true);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->OnKeyPress = [this](TObject* sender, QChar& key) { E_New_ProjKeyPress(sender, key); };

    Btn_OK->OnClick = [this](TObject* sender) { Btn_OKClick(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    FormCreate(this);
}

void TFNew_Project::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientSize(Client_Width, Client_Height);
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    Set_Prompt_Dialog_Texts(this, *this, Label1, E_New_Proj, 100, 108);
}

void TFNew_Project::FormShow(TObject*)
{
    E_New_Proj->SetText(String());
    if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject* sender, QChar& Key)
{
    if (Key != QChar(13)) return;
    Key = QChar(0);   // Enter is the OK button here, not a character for the edit
    Btn_OKClick(sender);
}

void TFNew_Project::Btn_OKClick(TObject*)
{
    // Taken exactly as typed: a leading blank is part of the folder's name.
    const String name = E_New_Proj->Text();
    if (name.isEmpty()) return Error_Box(107);
    if (!Is_Valid_Configuration_Name(name)) return Error_Box(105);
    // Configurations differing only in letter case would be one folder on
    // the systems they are copied to, so any spelling counts as taken; a
    // file of that name leaves no room for the folder at all.
    const String clash = FindFileIgnoringCase(Projects_Path, name);
    if (!clash.isEmpty()) return Error_Box(DirectoryExists(clash) ? 106 : 105);

    const String folder = PathJoin(Projects_Path, name);
    if (Projects_Path.isEmpty()) return Error_Box(105);
    std::error_code error;
    if (!CreateDir(folder, error)) {
        // A read-only, full or vanished PROJECTS is no fault of the name.
        if (Is_Refused_Name(error)) return Error_Box(105);
        return Error_Box(Format(Lang_Text(Text_Folder_Not_Created),
                                {folder, QString::fromLocal8Bit(error.message().c_str())}));
    }
    ForceDirectories(PathJoin(folder, QStringLiteral("bin")));

    Project_Name = name;
    Project_Path = folder;
    Set_Files();
    SetModalResult(mrOk);
}
