#include "examples/gallery/GalleryForms.h"

#include "core/UComon.h"
#include "core/UConfigStore.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/StdCtrls.h"
#include "tables/dmx/UDMXDefVal.h"
#include "tables/knx/UKNXAccess.h"
#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"
#include "tables/modbus/USetAccess.h"
#include "tables/snmptrap/USNMP_Trap_Access.h"
#include "tables/writers/USNMP_MIB.h"

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
    SetBounds(600, 100, 320, 200);
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
