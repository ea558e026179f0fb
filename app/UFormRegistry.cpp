#include "app/UFormRegistry.h"

#include "app/UQuillmereFirmWare.h"
#include "core/UAbout.h"
#include "core/UBoot.h"
#include "core/UNew_Project.h"
#include "core/UOpenConf.h"
#include "core/UParGen.h"
#include "core/USoftOptions.h"
#include "core/ZvPushButton.h"
#include "platform/Forms.h"
#include "tables/bacnet/UBACnetAccess.h"
#include "tables/bacnet/UImportEDEFile.h"
#include "tables/dali/UDALI_Access.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tables/snmp/USNMPManagerAccess.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tables/can/UReceiveCAN.h"
#include "tables/can/UTransmitCAN.h"
#include "tables/canopen/USet_PDO_Access.h"
#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"
#include "tables/profinet/UProfinetFileName.h"

#include <algorithm>
#include <type_traits>

namespace {

// What an entry says beyond its window.
struct TEntryDetails {
    int Language_Turn = 0;
    TStepButton Button = nullptr;
    int Caption = -1;
    int Hint = -1;
    bool Needs_Configuration = true;
    TStepAction Action = nullptr;
    void (*Created)() = nullptr;
};

template <auto& Window>
TFormEntry Form(const TEntryDetails& details = {})
{
    using T = std::remove_pointer_t<std::remove_reference_t<decltype(Window)>>;
    TFormEntry entry{
        .Window = []() -> TCustomForm* { return Window; },
        .Create = [] { Application->CreateForm(Window); },
        .Forget = [] { Window = nullptr; },
        .Set_Lang = nullptr,
        .Created = details.Created,
        .Language_Turn = details.Language_Turn,
        .Button = details.Button,
        .Caption = details.Caption,
        .Hint = details.Hint,
        .Needs_Configuration = details.Needs_Configuration,
        .Action = details.Action,
    };
    if constexpr (requires(T& form) { form.Set_Lang(); })
        entry.Set_Lang = [] {
            if (Window) Window->Set_Lang();
        };
    return entry;
}

// The options dialog drives the update timer and hands language changes back to the main window.
void Wire_Options()
{
    FSoftOptions->Update_Timer = FQuillmereFirmWare->Timer_Update;
    FSoftOptions->HTTP_Client = FQuillmereFirmWare->HTTP1;
    FSoftOptions->On_Language_Change = [] { FQuillmereFirmWare->Change_Language(); };
}

using M = TFQuillmereFirmWare;

} // namespace

const std::vector<TFormEntry>& Program_Forms()
{
    // The main window re-reads its own texts first, as Change_Language's own step.
    static const std::vector<TFormEntry> forms = {
        Form<FQuillmereFirmWare>(),
        Form<FNew_Project>({.Language_Turn = 10}),
        Form<FOpenConf>({.Language_Turn = 20}),
        Form<FAbout>({.Button = &M::Btn_Info, .Hint = 12, .Needs_Configuration = false}),
        Form<FSoftOptions>({.Language_Turn = 30, .Button = &M::Btn_Opz, .Hint = 13, .Needs_Configuration = false,
                            .Action = &M::Options_Step, .Created = Wire_Options}),
        Form<FParGen>({.Language_Turn = 50, .Button = &M::Btn_Prm_Gen, .Caption = 20, .Hint = 24,
                       .Action = &M::ParGen_Step}),
        Form<FDALI_Access>({.Language_Turn = 60, .Button = &M::Btn_DALI_Access, .Caption = 21, .Hint = 25}),
        // Shown by the device update, not by a step of its own.
        Form<FBoot>({.Language_Turn = 40}),
        Form<FProfinetFileName>({.Language_Turn = 70, .Button = &M::Btn_PROFINET_XML, .Caption = 27, .Hint = 28,
                                 .Action = &M::PROFINET_XML}),
        Form<FModbus_TCP_Master_Set_Access>(
            {.Language_Turn = 80, .Button = &M::Btn_ModM_SetAccess, .Caption = 29, .Hint = 30}),
        Form<FDMXDefVal>({.Language_Turn = 90, .Button = &M::Btn_DMX_Default, .Caption = 31, .Hint = 32}),
        // The BACnet editor and the EDE import keep the texts of their creation until the next start.
        Form<FBACnetAccess>({.Button = &M::Btn_Set_BACnet_Access}),
        Form<FImportEDEFile>(),
        Form<FSetAccess>({.Language_Turn = 110}),
        Form<FSNMP_Trap_Access>({.Language_Turn = 100, .Button = &M::Btn_SNMP_Trap}),
        Form<FReceiveCAN>({.Language_Turn = 120, .Button = &M::Btn_J1939_Rec_Frame, .Caption = 33, .Hint = 34}),
        Form<FTransmitCAN>({.Language_Turn = 130, .Button = &M::Btn_J1939_Send_Frame, .Caption = 35, .Hint = 36}),
        Form<FSet_PDO_Access>({.Language_Turn = 140, .Button = &M::Btn_PDO_CANopen}),
        Form<FSet_SDO_Client_Access>({.Language_Turn = 150, .Button = &M::Btn_SDO_Client_CANopen}),
        Form<FSet_SDO_Server_Access>({.Language_Turn = 160, .Button = &M::Btn_SDO_Server_CANopen}),
        Form<FKNXAccess>({.Language_Turn = 170, .Button = &M::Btn_KNX_Access, .Caption = 37, .Hint = 38}),
        Form<FSNMPManagerAccess>(
            {.Language_Turn = 180, .Button = &M::Btn_SNMP_Manager_Access, .Caption = 39, .Hint = 40}),
    };
    return forms;
}

const TFormEntry* Step_Of(const TFQuillmereFirmWare& main, const TObject* sender)
{
    for (const TFormEntry& entry : Program_Forms())
        if (entry.Button && static_cast<const TObject*>(main.*entry.Button) == sender) return &entry;
    return nullptr;
}

void Relabel_Forms()
{
    std::vector<const TFormEntry*> turns;
    for (const TFormEntry& entry : Program_Forms())
        if (entry.Language_Turn > 0 && entry.Set_Lang) turns.push_back(&entry);
    std::stable_sort(turns.begin(), turns.end(),
                     [](const TFormEntry* a, const TFormEntry* b) { return a->Language_Turn < b->Language_Turn; });
    for (const TFormEntry* entry : turns) entry->Set_Lang();
}

void Create_All_Forms()
{
    for (const TFormEntry& entry : Program_Forms()) {
        entry.Create();
        if (entry.Created) entry.Created();
    }
}

void Destroy_All_Forms()
{
    Application->DestroyForms();
    for (const TFormEntry& entry : Program_Forms()) entry.Forget();
}
