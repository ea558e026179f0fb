#pragma once
// Message dialogs and the file-open and file-save dialogs, all through the seam.

#include "platform/Classes.h"
#include "platform/Seams.h"
#include "platform/Sets.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
                        mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
constexpr TMsgDlgButtons mbYesNo{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
constexpr TMsgDlgButtons mbYesNoCancel{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel};
constexpr TMsgDlgButtons mbYesAllNoAllCancel{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbYesToAll, TMsgDlgBtn::mbNo,
                                             TMsgDlgBtn::mbNoToAll, TMsgDlgBtn::mbCancel};
constexpr TMsgDlgButtons mbOKCancel{TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbIgnore};
constexpr TMsgDlgButtons mbAbortIgnore{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbIgnore};

// Shows a message dialog and returns the modal result of the button pressed
// (mrYes for mbYes ...). Its caption names the type ("Warning", "Error",
// "Information", "Confirm"; the application's title for mtCustom); Enter
// presses OK or else Yes, Escape answers Cancel, else No, else OK.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// The request MessageDlg would show, for tests and for callers that add to it.
TMessageBoxRequest MessageDlgRequest(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// A box with the text and OK, captioned with the application's title.
void ShowMessage(const String& Msg);

enum class TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
    ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
    ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
    ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// The file-open dialog. Execute shows it and, when confirmed, sets FileName
// (with DefaultExt added to a name without extension), Files and FilterIndex.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& v) { FFileName = v; }
    // "Description|*.ext|Other|*.a;*.b"
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    // Stored as given; "*.mib", ".mib" and "mib" all add ".mib".
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& v) { FDefaultExt = v; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& v) { FInitialDir = v; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v) { FTitle = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }
    TStringList* Files() const { return FFiles.get(); }

    virtual bool Execute();

protected:
    virtual TFileDialogRequest::TKind Kind() const { return TFileDialogRequest::TKind::Open; }

private:
    String FFileName;
    String FFilter;
    int FFilterIndex = 1;
    String FDefaultExt;
    String FInitialDir;
    String FTitle;
    TOpenOptions FOptions{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
    std::unique_ptr<TStringList> FFiles = std::make_unique<TStringList>();
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    TFileDialogRequest::TKind Kind() const override { return TFileDialogRequest::TKind::Save; }
};

// The extension DefaultExt stands for, without dot or wildcard ("*.mib" -> "mib").
String NormalizeDefaultExt(const String& defaultExt);
