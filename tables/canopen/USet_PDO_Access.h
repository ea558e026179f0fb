#pragma once
// The CANopen process data objects: up to 30 Receive PDOs (frames the
// gateway receives, their bytes stored into its input array) and 30
// Transmit PDOs (built from its output array, sent on a timer or on a
// change). Kept in PDO_CANopen.xml, which the EDS writer reads too.

#include "tables/canopen/UCANopenTables.h"

enum TPDOReceiveCol { PR_N, PR_COB_ID, PR_Dimension, PR_Add_B1, PR_TimeOut = PR_Add_B1 + 8, PR_Mnemonic, PR_Col_Count };
enum TPDOTransmitCol {
    PT_N, PT_COB_ID, PT_Dimension, PT_Add_B1, PT_Send_Time = PT_Add_B1 + 8, PT_On_Change, PT_Mnemonic, PT_Col_Count
};
inline constexpr int PDO_Rows = 30;

const TTableLayout& PDO_Receive_Layout();
const TTableLayout& PDO_Transmit_Layout();
const TCANopenRules& PDO_Receive_Rules();
const TCANopenRules& PDO_Transmit_Rules();
inline constexpr int PDO_Error_Row = 2268;

class TFSet_PDO_Access : public TCANopenForm {
public:
    explicit TFSet_PDO_Access(TComponent* AOwner);

    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("PDO_CANopen"); }

    TTabSheet* TS_Receive_PDO = nullptr;
    TTabSheet* TS_Transmit_PDO = nullptr;
};

extern TFSet_PDO_Access* FSet_PDO_Access;
