#pragma once
// The SNMP manager request table: per row the agent to ask (address,
// version, community or SNMPv3 credentials), the object, what to do (Get,
// Set or Trap, on change, on command or on a timer) and where the value lives
// in the gateway's data array. Kept in SNMP_Manager.xml, which the device
// image builder reads as well: the checks here are the builder's, so a table
// that passes them always builds.

#include "tables/common/UTableForm.h"

class TZvColumnGrid;
class TSNMPStringPool;

// Real columns of the request table.
enum TSNMPManagerCol {
    SM_N, SM_Enable, SM_IP_Address, SM_Version, SM_Community, SM_OID, SM_Type, SM_Mode, SM_On_Change,
    SM_On_Command, SM_On_Timer, SM_Time, SM_Position, SM_Num_Bytes, SM_Conversion, SM_Cancel, SM_User,
    SM_Auth_Pass, SM_Priv_Pass, SM_Security_Level, SM_Auth_Mode, SM_Priv_Mode, SM_Mnemonic,
    SM_Col_Count
};
inline constexpr int SNMP_Manager_Rows = 512;
// The largest "Num Bytes": the device image keeps it in one byte.
inline constexpr int SNMP_Max_Number_Bytes = 255;

// The file shape of the request table.
const TTableLayout& SNMP_Manager_Layout();

class TFSNMPManagerAccess : public TTableForm {
public:
    explicit TFSNMPManagerAccess(TComponent* AOwner);

    void FormCreate(TObject* Sender);
    void Set_Lang() override;
    bool Controllo_dati() override;

    TZvColumnGrid* ACG_SNMP = nullptr;
    TStringList& Hint_SNMP() { return Table(0).Hint; }
    bool& Do_Copy_SNMP() { return Table(0).Do_Copy; }

protected:
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("SNMP_Agent_Access"); }
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;

private:
    // One error box "Error row <row><text of slot>"; always false.
    bool Row_Error(int row, int slot);
    bool Check_Row(int row, TSNMPStringPool& pool);
    bool Check_Duplicates();
    String Cell(int col, int row) const;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;
