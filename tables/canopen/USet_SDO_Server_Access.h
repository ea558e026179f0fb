#pragma once
// The objects the gateway offers as a CANopen SDO server, in the
// manufacturer range 0x2000 to 0x5FFF: up to 500 read-only entries (bytes
// from the input array) and 500 writable ones (bytes into the output
// array). Kept in SDO_Server_CANopen.xml, which the EDS writer reads too.

#include "tables/canopen/UCANopenTables.h"

enum TSDOServerCol {
    SS_N, SS_Index, SS_SubIndex, SS_NByte, SS_Add_B1, SS_Mnemonic = SS_Add_B1 + 4,
    SS_Col_Count
};
inline constexpr int SDO_Server_Rows = 500;
inline constexpr int SDO_Server_Index_Min = 0x2000, SDO_Server_Index_Max = 0x5FFF;

const TTableLayout& SDO_Server_Read_Layout();
const TTableLayout& SDO_Server_Write_Layout();
const TCANopenRules& SDO_Server_Read_Rules();
const TCANopenRules& SDO_Server_Write_Rules();
inline constexpr int SDO_Server_Error_Row = 2450;

class TFSet_SDO_Server_Access : public TCANopenForm {
public:
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);

    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("SDO_Server_CANopen"); }

    TTabSheet* TS_SDO_Read = nullptr;
    TTabSheet* TS_SDO_Write = nullptr;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
