#include "platform/Dialogs.h"

#include "platform/Forms.h"

namespace {

struct TButtonInfo {
    TMsgDlgBtn Button;
    int Result;
    const char16_t* Caption;
};

// In the order the dialog shows them.
constexpr TButtonInfo ButtonInfos[] = {
    {TMsgDlgBtn::mbYes, mrYes, u"&Yes"},
    {TMsgDlgBtn::mbNo, mrNo, u"&No"},
    {TMsgDlgBtn::mbOK, mrOk, u"OK"},
    {TMsgDlgBtn::mbCancel, mrCancel, u"Cancel"},
    {TMsgDlgBtn::mbAbort, mrAbort, u"&Abort"},
    {TMsgDlgBtn::mbRetry, mrRetry, u"&Retry"},
    {TMsgDlgBtn::mbIgnore, mrIgnore, u"&Ignore"},
    {TMsgDlgBtn::mbAll, mrAll, u"&All"},
    {TMsgDlgBtn::mbNoToAll, mrNoToAll, u"N&o to All"},
    {TMsgDlgBtn::mbYesToAll, mrYesToAll, u"Yes to &All"},
    {TMsgDlgBtn::mbHelp, mrHelp, u"&Help"},
    {TMsgDlgBtn::mbClose, mrClose, u"&Close"},
};

String TypeCaption(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warning");
    case TMsgDlgType::mtError: return QStringLiteral("Error");
    case TMsgDlgType::mtInformation: return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("Confirm");
    default: return Application->Title();
    }
}

TMsgBoxIcon TypeIcon(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return TMsgBoxIcon::Warning;
    case TMsgDlgType::mtError: return TMsgBoxIcon::Error;
    case TMsgDlgType::mtInformation: return TMsgBoxIcon::Information;
    case TMsgDlgType::mtConfirmation: return TMsgBoxIcon::Question;
    default: return TMsgBoxIcon::None;
    }
}

} // namespace

TMessageBoxRequest MessageDlgRequest(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    TMessageBoxRequest r;
    r.Text = Msg;
    r.Caption = TypeCaption(DlgType);
    r.Icon = TypeIcon(DlgType);
    for (const TButtonInfo& b : ButtonInfos) {
        if (!Buttons.Contains(b.Button)) continue;
        r.Buttons.push_back(b.Result);
        r.ButtonCaptions.push_back(QString::fromUtf16(b.Caption));
    }
    if (r.Buttons.empty()) {
        r.Buttons.push_back(mrOk);
        r.ButtonCaptions.push_back(QStringLiteral("OK"));
    }
    auto has = [&](int result) { return std::find(r.Buttons.begin(), r.Buttons.end(), result) != r.Buttons.end(); };
    r.DefaultButton = has(mrOk) ? mrOk : has(mrYes) ? mrYes : r.Buttons.front();
    r.CancelButton = has(mrCancel) ? mrCancel : has(mrNo) ? mrNo : has(mrOk) ? mrOk : r.DefaultButton;
    return r;
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    return ShowMessageBox(MessageDlgRequest(Msg, DlgType, Buttons));
}

void ShowMessage(const String& Msg)
{
    ShowMessageBox(MessageDlgRequest(Msg, TMsgDlgType::mtCustom, TMsgDlgButtons{TMsgDlgBtn::mbOK}));
}

String NormalizeDefaultExt(const String& defaultExt)
{
    String ext = defaultExt.trimmed();
    while (ext.startsWith(u'*') || ext.startsWith(u'.')) ext.remove(0, 1);
    return ext;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TOpenDialog::Execute()
{
    TFileDialogRequest r;
    r.Kind = Kind();
    r.Title = FTitle;
    r.InitialDir = FInitialDir;
    r.FileName = FFileName;
    r.Filter = FFilter;
    r.FilterIndex = FFilterIndex;
    r.DefaultExt = NormalizeDefaultExt(FDefaultExt);
    r.AllowMultiSelect = FOptions.Contains(TOpenOption::ofAllowMultiSelect);
    r.OverwritePrompt = FOptions.Contains(TOpenOption::ofOverwritePrompt);
    r.FileMustExist = FOptions.Contains(TOpenOption::ofFileMustExist);
    const TFileDialogAnswer a = Seams().FileDialog(r);
    if (!a.Accepted || a.FileNames.empty()) return false;
    FFiles->Clear();
    for (String name : a.FileNames) {
        // A name typed without extension gets the default one.
        const int slash = int(name.lastIndexOf(u'/'));
        if (!r.DefaultExt.isEmpty() && name.indexOf(u'.', slash + 1) < 0) name += u'.' + r.DefaultExt;
        FFiles->Add(name);
    }
    FFileName = FFiles->Strings(0);
    if (a.FilterIndex > 0) FFilterIndex = a.FilterIndex;
    return true;
}
