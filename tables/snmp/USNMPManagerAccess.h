#pragma once
// The SNMP manager request table's window: per row the agent to ask
// (address, version, community or SNMPv3 credentials), the object, what to
// do (Get, Set or Trap, on change, on command or on a timer) and where the
// value lives in the gateway's data array. The columns and the file are in
// USNMPManagerAccessFiles, the checks in USNMPManagerAccessRules.

#include "tables/snmp/USNMPManagerAccessFiles.h"

class TZvColumnGrid;

class TFSNMPManagerAccess : public TTableForm {
public:
    explicit TFSNMPManagerAccess(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("SNMP_Agent_Access"); }

    TZvColumnGrid* ACG_SNMP = nullptr;
    TStringList& Hint_SNMP() { return Table(0).Hint; }
    bool& Do_Copy_SNMP() { return Table(0).Do_Copy; }

protected:
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;
