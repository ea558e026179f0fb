#pragma once
// The SDO requests the gateway sends as a CANopen SDO client: up to 256
// reads (an object of a device polled, its 1, 2 or 4 bytes stored into the
// input array) and 256 writes (bytes of the output array written into an
// object, on a timer and optionally on a change). Kept in SDO_Client_CANopen.xml.

#include "tables/canopen/UCANopenTables.h"

enum TSDOClientReadCol {
    CR_N, CR_Device_ID, CR_Index, CR_SubIndex, CR_NByte, CR_Poll_Time, CR_Add_B1, CR_Mnemonic = CR_Add_B1 + 4,
    CR_Col_Count
};
enum TSDOClientWriteCol {
    CW_N, CW_Device_ID, CW_Index, CW_SubIndex, CW_NByte, CW_Poll_Time, CW_On_Change, CW_Add_B1,
    CW_Mnemonic = CW_Add_B1 + 4,
    CW_Col_Count
};
inline constexpr int SDO_Client_Rows = 256;

const TTableLayout& SDO_Client_Read_Layout();
const TTableLayout& SDO_Client_Write_Layout();
const TCANopenRules& SDO_Client_Read_Rules();
const TCANopenRules& SDO_Client_Write_Rules();
inline constexpr int SDO_Client_Error_Row = 2360;

class TFSet_SDO_Client_Access : public TCANopenForm {
public:
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);

    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("SDO_Client_CANopen"); }

    TTabSheet* TS_SDO_Read = nullptr;
    TTabSheet* TS_SDO_Write = nullptr;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
