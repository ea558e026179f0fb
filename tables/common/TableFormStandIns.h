#pragma once
// The table-editor windows of the other gateway families and of this
// product's own tables, as far as start-up and the main window need them
// today: each exists under its window object, takes its caption from its
// block of the text table, and can be shown modally. Their editors replace
// them one by one: a real form drops its line here and keeps its entry in
// the program's form registry.

#include "platform/Forms.h"

class TTableFormStandIn : public TForm {
public:
    // `captionSlot` is the first slot of the window's block of texts.
    TTableFormStandIn(TComponent* AOwner, int captionSlot);

    // Copies the window's texts from the text table again.
    void Set_Lang();
    int Caption_Slot() const { return FCaptionSlot; }

private:
    int FCaptionSlot;
};

#define QUILLMER_TABLE_FORM(Name, Slot)                                                  \
    class Name : public TTableFormStandIn {                                             \
    public:                                                                              \
        explicit Name(TComponent* AOwner) : TTableFormStandIn(AOwner, Slot) {}           \
    }

QUILLMER_TABLE_FORM(TFBACnetAccess, 1400);
QUILLMER_TABLE_FORM(TFImportEDEFile, 1600);
QUILLMER_TABLE_FORM(TFReceiveCAN, 2000);
QUILLMER_TABLE_FORM(TFTransmitCAN, 2100);
QUILLMER_TABLE_FORM(TFSet_PDO_Access, 2200);
QUILLMER_TABLE_FORM(TFSet_SDO_Client_Access, 2300);
QUILLMER_TABLE_FORM(TFSet_SDO_Server_Access, 2400);

#undef QUILLMER_TABLE_FORM

// The GSDML file-name dialog; its caller reads the composed name after OK.
class TFProfinetFileName : public TTableFormStandIn {
public:
    explicit TFProfinetFileName(TComponent* AOwner) : TTableFormStandIn(AOwner, 1000) {}
    String Name_File_XML;
};

// The side-file writers the main window's hidden steps call. They write
// nothing yet; their writers come with the table editors.
void Create_GSDML_File(const String& fileName);
void Write_EDS_File(const String& path);

extern TFProfinetFileName* FProfinetFileName;
extern TFBACnetAccess* FBACnetAccess;
extern TFImportEDEFile* FImportEDEFile;
extern TFReceiveCAN* FReceiveCAN;
extern TFTransmitCAN* FTransmitCAN;
extern TFSet_PDO_Access* FSet_PDO_Access;
extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
