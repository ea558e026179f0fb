#include "core/UOpenConf.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "core/UNew_Project.h"
#include "core/ZvPushButton.h"
#include "platform/ExtCtrls.h"
#include "platform/Files.h"
#include "platform/StdCtrls.h"

#include <algorithm>
#include <vector>

TFOpenConf* FOpenConf = nullptr;

namespace {

// Letters a to z only, as the names are compared where the configurations come from.
bool Same_Name_Ignoring_Case(const String& a, const String& b)
{
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z') x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z') y = char16_t(y + 32);
        if (x != y) return false;
    }
    return true;
}

// The open configuration's folder name: what Project_Path holds after
// PROJECTS and its separator.
String Open_Configuration_Name()
{
    const String prefix = IncludeTrailingPathDelimiter(Projects_Path);
    if (Project_Path.isEmpty() || Projects_Path.isEmpty() || !Project_Path.startsWith(prefix)) return {};
    return Project_Path.mid(prefix.size());
}

} // namespace

String Find_Configuration(const String& name)
{
    if (!Is_Valid_Configuration_Name(name) || Projects_Path.isEmpty()) return {};
    const String found = FindFileIgnoringCase(Projects_Path, name);
    if (found.isEmpty() || !DirectoryExists(found)) return {};
    return ExtractFileName(found);
}

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner), SL(std::make_unique<TStringList>())
{
    SetBorderStyle(TFormBorderStyle::bsSizeable);
    SetClientSize(Client_Width, Client_Height);
    const int cancelLeft = Client_Width - 18 - Dialog_Button_Width;
    TDialogFrame::operator=(Build_Dialog_Frame(this, cancelLeft - Dialog_Button_Width - 8, cancelLeft));
    Btn_OK->SetModalResult(mrOk);
    Anchor_Dialog_Buttons_Right(*this);

    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetBounds(16, 70, 0, 0);

    ListBox1 = new TListBox(this);
    ListBox1->SetParent(this);
    const int listBottom = Client_Height - Dialog_Button_Panel_Height - 8;
    ListBox1->SetBounds(16, 94, Client_Width - 32, listBottom - 94);
    ListBox1->SetAnchors(TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight,
                                  TAnchorKind::akBottom});
    ListBox1->SetTabStop(true);
    ListBox1->SetShowHint(true);
    ListBox1->OnClick = [this](TObject* sender) { ListBox1Click(sender); };
    // Never so small that the buttons move over the list or off its left edge.
    Constraints()->SetMinWidth(Min_Client_Width);
    Constraints()->SetMinHeight(Min_Client_Height);

    OnShow = [this](TObject* sender) { FormShow(sender); };
    FormCreate(this);
}

TFOpenConf::~TFOpenConf() = default;

void TFOpenConf::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(Software_Code);
    SetClientSize(Client_Width, Client_Height);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    Set_Prompt_Dialog_Texts(this, *this, Label1, ListBox1, 200, 205);
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL->Clear();
    // A folder that could not be a configuration elsewhere (a reserved
    // device name, a trailing dot) is not offered: it could not be opened.
    std::vector<String> names;
    for (const String& name : ListSubfolders(Projects_Path))
        if (Is_Valid_Configuration_Name(name)) names.push_back(name);
    // By name, ignoring case, so the entry chosen first does not depend on the
    // order the file system lists the folders in.
    std::stable_sort(names.begin(), names.end(), [](const String& a, const String& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const String& name : names) SL->Add(name);
}

int TFOpenConf::Search_Open_Conf(const String& name) const
{
    for (int i = 0; i < SL->Count(); ++i)
        if (Same_Name_Ignoring_Case((*SL)[i], name)) return i;
    return -1;
}

void TFOpenConf::FormShow(TObject*)
{
    Load_Existing_Configuration();
    ListBox1->SetItems(SL.get());
    int index = Search_Open_Conf(Open_Configuration_Name());
    if (index < 0 && ListBox1->Count() > 0) index = 0;
    if (index < 0) return;   // nothing to choose: the previous choice stays
    ListBox1->SetItemIndex(index);
    Name_Conf = (*SL)[index];
}

void TFOpenConf::ListBox1Click(TObject*)
{
    const int index = ListBox1->ItemIndex();
    if (index >= 0 && index < ListBox1->Count()) Name_Conf = (*ListBox1->Items())[index];
}
