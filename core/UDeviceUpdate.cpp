// The step "Update Device UDP": the images, the update dialog, the updater.
#include "core/UBinConfig.h"
#include "core/UBoot.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Seams.h"

namespace {

// How long the configurator waits for the updater before it takes the user
// interface back; the updater itself runs on.
constexpr std::uint64_t Updater_Wait = 150000;

constexpr int Text_Updater_Not_Started = 1530;

} // namespace

// The images are written before the dialog opens, so they are fresh even
// when the user then cancels it.
void Update_Device()
{
    if (!Build_Bin_Config()) return;
    if (!Save_Bin_Config()) return;
    if (!FBoot) return;
    FBoot->Form_Type = 1;
    FBoot->ShowModal();
}

// Starts the program and waits, without handling messages, until it ends or
// Updater_Wait has passed. A program that is missing or cannot be started is
// said so, with its path: otherwise a good ping would end in silence.
bool Start_Program(const String& NomeSW, const String& Parameter, bool tipo)
{
    TProgramStart start;
    start.Path = NomeSW;
    start.Parameters = Parameter;
    start.Folder = ExtractFileDir(NomeSW);
    start.Hidden = tipo;
    std::shared_ptr<TProcessHandle> process;
    try {
        process = StartProgram(start);
    } catch (const std::exception&) {
        process.reset();
    }
    if (!process) {
        MessageDlg(Format(Lang_Text(Text_Updater_Not_Started), {NomeSW}), TMsgDlgType::mtError,
                   TMsgDlgButtons{TMsgDlgBtn::mbOK});
        return false;
    }
    const std::uint64_t started = GetTickCount64();
    while (process->ExitCode() == STILL_ACTIVE && GetTickCount64() - started < Updater_Wait) Sleep(10);
    return true;
}
