#pragma once
// The KNX telegram table's window: one grid of 1024 telegrams, its headers
// written into the cells of row 0, a hint over each header. The columns and
// the file are in UKNXAccessFiles, the checks in UKNXAccessRules.

#include "tables/knx/UKNXAccessFiles.h"

class TZvColumnGrid;

class TFKNXAccess : public TTableForm {
public:
    explicit TFKNXAccess(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("BACnet_to_KNX"); }
    String Version_Comment() const override { return QStringLiteral("SW_VERSION = 1.707"); }

    TZvColumnGrid* ACG_KNX_in_Write = nullptr;
    TStringList& Hint() { return Table(0).Hint; }
    bool& Do_Copy_In_Write() { return Table(0).Do_Copy; }
    int Max_Num_Byte = KNX_Data_Bytes;

protected:
    String Delete_Question(int table, int row) const override;
    void Fill_Lists() override;
    int Read_Document(const TXMLNode& root) override;
    // The focus stays where it was.
    void Shown() override;
};

extern TFKNXAccess* FKNXAccess;
