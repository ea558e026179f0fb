#pragma once
// The BACnet client window: which objects of which BACnet devices the
// gateway reads ("BACnet Read") and writes ("BACnet Write"), and where each
// value stands. Column 2 holds the device's IP address or MS/TP slave ID as
// the configuration's BACnet type says, and then is the tables' key; for
// other types it is hidden and the object type is the key. Rows can be
// filled from a device's EDE file through the import dialog.
//
// The window takes its texts once, when it is created.

#include "tables/bacnet/UBACnetAccessFiles.h"

class TPageControl;
class TTabSheet;
class TZvColumnGrid;
class TOpenDialog;
class TFImportEDEFile;

class TFBACnetAccess : public TTableForm {
public:
    explicit TFBACnetAccess(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("BACnet_Master_Access"); }

    void Btn_Import_CSVClick(TObject* Sender);
    void Prepare_Devices_Position_Columns();
    void ACG1GridHint(TObject* Sender, int ARow, int ACol, String& hintstr);
    String Str_Hint_Read(int ACol, int ARow) const;
    String Str_Hint_Write(int ACol, int ARow) const;
    // Appends the objects the dialog's OK left picked below each table's
    // rows, their positions after the highest one in use.
    void Add_EDE_Objects(const TFImportEDEFile& dialog);

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TS_BACnet_Read = nullptr;
    TTabSheet* TS_BACnet_Write = nullptr;
    TZvColumnGrid* ACG1 = nullptr;
    TZvColumnGrid* ACG2 = nullptr;
    TOpenDialog* OD_EDE_File = nullptr;
    TZvPushButton* Btn_Import_CSV = nullptr;
    int App_BACnet_Type = 0;
    bool& Do_Copy_In_Read() { return Table(0).Do_Copy; }
    bool& Do_Copy_In_Write() { return Table(1).Do_Copy; }
    // The import dialog; the program's own one unless a caller sets another.
    TFImportEDEFile* Import_Dialog = nullptr;

protected:
    int Active_Table() const override;
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;
    void Shown() override;
};

extern TFBACnetAccess* FBACnetAccess;
