#pragma once
// The window of a Modbus master's request tables: "Modbus Read" and "Modbus
// Write" on two tabs. The TCP master and the serial master are this one
// window over their own TModbusMaster data (UModbus_TCP_Master_Set_Access,
// USetAccess). Every showing opens the Read tab; a copied row can be pasted
// only into the table it came from; an inserted row starts with its
// "Enable" box clear.

#include "tables/modbus/UModbusMasterFiles.h"

class TPageControl;
class TTabSheet;
class TZvColumnGrid;

class TModbusMasterForm : public TTableForm {
public:
    TModbusMasterForm(TComponent* AOwner, const TModbusMaster& master);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QString::fromLatin1(FMaster.Root); }
    String Version_Comment() const override { return QString::fromLatin1(FMaster.Version); }
    const TModbusMaster& Master() const { return FMaster; }

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TS_Modbus_Read = nullptr;
    TTabSheet* TS_Modbus_Write = nullptr;
    TZvColumnGrid* ACG_Modbus_Read = nullptr;
    TZvColumnGrid* ACG_Modbus_Write = nullptr;
    bool& Do_Copy_In_Read() { return Table(0).Do_Copy; }
    bool& Do_Copy_In_Write() { return Table(1).Do_Copy; }
    int NByte_IN = Modbus_In_Bytes;
    int NByte_OUT = Modbus_Out_Bytes;

protected:
    int Active_Table() const override;
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;
    // The Read tab comes to the front; the focus stays where it was.
    void Shown() override;

private:
    const TModbusMaster& FMaster;
};
