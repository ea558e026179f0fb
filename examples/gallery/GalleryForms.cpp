#include "examples/gallery/GalleryForms.h"

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"
#include "tables/can/UReceiveCAN.h"
#include "tables/can/UTransmitCAN.h"
#include "tables/canopen/USet_PDO_Access.h"
#include "tables/canopen/USet_SDO_Client_Access.h"
#include "tables/canopen/USet_SDO_Server_Access.h"
#include "tables/bacnet/UBACnetAccess.h"
#include "tables/bacnet/UImportEDEFile.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tables/writers/USNMP_MIB.h"
#include "tables/profinet/UProfinetFileName.h"
#include "tables/writers/UProfinetXML.h"

#include <QFile>

#include <algorithm>

namespace {

// Creates the form once, under the application, and shows it modally.
template <class TFormClass>
int Show_Table_Form(TFormClass*& form)
{
    if (!form) Application->CreateForm(form);
    return form->ShowModal();
}

} // namespace

TGalleryTableForms::TGalleryTableForms(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("Quillmer gallery: table forms"));
    SetBounds(600, 100, 320, 440);
    // The forms read and write the files of an open configuration.
    Create_Text_Table();
    Load_Default_Texts();
    Create_Shared_Lists();
    Software_Code = Built_In_Software_Code;
    Project_Path = FFolder.path();
    Set_Files();
    Add_Button("SNMP trap table", [this] { FLastResult = Show_Table_Form(FSNMP_Trap_Access); });
    Add_Button("DMX default values", [this] { FLastResult = Show_Table_Form(FDMXDefVal); });
    FSaveMIB = new TSaveDialog(this);
    FSaveMIB->SetDefaultExt(QStringLiteral("*.mib"));
    FSaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
    Add_Button("SNMP MIB file", [this] { Create_MIB_File(FSaveMIB); });
    Add_Button("CAN receive frames", [this] { FLastResult = Show_Table_Form(FReceiveCAN); });
    Add_Button("CAN transmit frames", [this] { FLastResult = Show_Table_Form(FTransmitCAN); });
    Add_Button("CANopen PDO", [this] { FLastResult = Show_Table_Form(FSet_PDO_Access); });
    Add_Button("CANopen SDO client", [this] { FLastResult = Show_Table_Form(FSet_SDO_Client_Access); });
    Add_Button("CANopen SDO server", [this] { FLastResult = Show_Table_Form(FSet_SDO_Server_Access); });
    Add_Button("GSDML file", [this] {
        FLastResult = Show_Table_Form(FProfinetFileName);
        if (FLastResult == mrOk) Create_GSDML_File(FProfinetFileName->Name_File_XML);
    });
    // The BACnet window asks for the configuration's BACnet type: BACnet/IP here.
    if (QFile parGen(File_ParGen); !parGen.exists() && parGen.open(QIODevice::WriteOnly))
        parGen.write("<ParGen><BACnet_Type>0</BACnet_Type></ParGen>\n");
    Add_Button("BACnet client table", [this] {
        if (!FImportEDEFile) Application->CreateForm(FImportEDEFile);
        FLastResult = Show_Table_Form(FBACnetAccess);
    });
    // A small EDE file of a BACnet device to pick objects from.
    const String sample = FFolder.filePath(QStringLiteral("gallery_device.csv"));
    if (QFile ede(sample); !ede.exists() && ede.open(QIODevice::WriteOnly))
        ede.write("PROJECT_NAME;Gallery\nVERSION_OF_REFERENCEFILE;1\nTIMESTAMP_OF_LAST_CHANGE;-\n"
                  "AUTHOR_OF_LAST_CHANGE;-\nVERSION_OF_LAYOUT;2\n\n"
                  "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;optional;optional\n"
                  "keyname;device;object-name;object-type;object-instance;description;default;min;max;settable\n"
                  "dev;100;Gallery device;8;100;the device\n"
                  "t1;100;Room temperature;0;1;Hall;;;;N;\n"
                  "s1;100;Setpoint;2;2;Hall setpoint;21;5;30;Y;\n"
                  "l1;100;Lamp;4;3;Hall lamp;;;;Y;\n"
                  "m1;100;Energy;46;4;Meter;;;;N;\n");
    Add_Button("EDE import dialog", [this, sample] {
        if (!FImportEDEFile) Application->CreateForm(FImportEDEFile);
        FImportEDEFile->EDE_File = sample;
        FLastResult = FImportEDEFile->ShowModal();
    });
    Add_Button("Modbus TCP master table", [this] { FLastResult = Show_Table_Form(FModbus_TCP_Master_Set_Access); });
    Add_Button("Modbus serial master table", [this] { FLastResult = Show_Table_Form(FSetAccess); });
    Add_Button("KNX telegram table", [this] { FLastResult = Show_Table_Form(FKNXAccess); });
}

void TGalleryTableForms::Add_Button(const char* caption, std::function<void()> click)
{
    auto* button = new TButton(this);
    button->SetParent(this);
    button->SetBounds(24, 24 + 48 * int(FButtons.size()), 272, 32);
    button->SetCaption(QString::fromLatin1(caption));
    button->OnClick = [click](TObject*) { click(); };
    FButtons.push_back(button);
    // The window grows with its buttons.
    SetClientHeight(std::max(ClientHeight(), 24 + 48 * int(FButtons.size())));
}
