// The step "Update Device UDP": the images, the update dialog, the updater.
#include "core/UQuillmereFirmWare.h"

#include "core/UBinConfig.h"
#include "core/UBoot.h"
#include "platform/Files.h"
#include "platform/Seams.h"

namespace {

// How long the configurator waits for the updater before it takes the user
// interface back; the updater itself runs on.
constexpr std::uint64_t Updater_Wait = 150000;

} // namespace

// The images are written before the dialog opens, so they are fresh even
// when the user then cancels it.
void TFQuillmereFirmWare::Update_Device()
{
    if (!Build_Bin_Config()) return;
    if (!Save_Bin_Config()) return;
    if (!FBoot) return;
    FBoot->Form_Type = 1;
    FBoot->ShowModal();
}

// Starts the program and waits, without handling messages, until it ends or
// Updater_Wait has passed. A program that cannot be started is not waited
// for; the caller has nothing more to say about it.
void TFQuillmereFirmWare::Start_Program(const String& NomeSW, const String& Parameter, bool tipo)
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
        return;
    }
    if (!process) return;
    const std::uint64_t started = GetTickCount64();
    while (process->ExitCode() == STILL_ACTIVE && GetTickCount64() - started < Updater_Wait) Sleep(10);
}
