#pragma once
// The SNMP trap table's window: the objects of the gateway's own SNMP agent
// on two tabs, "SNMP Read" (values read from the data array and sent as
// traps) and "SNMP Write" (values written into it). Column 0 numbers the
// enabled rows, which are the numbers the MIB writer gives their objects.
// The columns and the file are in USNMP_Trap_AccessFiles, the checks in
// USNMP_Trap_AccessRules.

#include "tables/snmptrap/USNMP_Trap_AccessFiles.h"

class TPageControl;
class TTabSheet;
class TZvColumnGrid;

class TFSNMP_Trap_Access : public TTableForm {
public:
    explicit TFSNMP_Trap_Access(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("SNMP_Trap"); }
    bool Has_Default_Table() const override { return true; }

    // Column 0 of every data row: the count of enabled rows down to it, or
    // empty for a disabled row.
    static void Index_Row_Build(TZvStringGrid* grid);
    void ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TS_SNMP_Read = nullptr;
    TTabSheet* TS_SNMP_Write = nullptr;
    TZvColumnGrid* ACG_SNMP_Read = nullptr;
    TZvColumnGrid* ACG_SNMP_Write = nullptr;
    TStringList& Hint_SNMP_Read() { return Table(0).Hint; }
    TStringList& Hint_SNMP_Write() { return Table(1).Hint; }
    bool& Do_Copy_In_Read() { return Table(0).Do_Copy; }
    bool& Do_Copy_In_Write() { return Table(1).Do_Copy; }
    TStringList SL_Check_Desc;
    int NByte_IN = SNMP_Trap_Area_Bytes;
    int NByte_OUT = SNMP_Trap_Area_Bytes;

protected:
    int Active_Table() const override;
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;
    void Missing_File() override;
    // The numbering of both tables; the tab and the focus stay as they were.
    void Shown() override;
    void Rows_Changed(TTableGrid& table) override;
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
