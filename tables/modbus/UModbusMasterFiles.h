#pragma once
// The request tables of the gateway as Modbus master, over TCP and over a
// serial line, and their files. The serial master's tables are the TCP
// master's without the slave's IP address and port; everything else the
// two windows do is written once and differs only by the TModbusMaster
// data below.
//
// File: under the root the section Modbus_Read, then Modbus_Write, one row
// element per table row. The hidden "On Change" and "On CMD" columns of the
// Write table are loaded into the grid; the TCP master always saves "N" for
// them, the serial master saves them back as loaded.

#include "tables/common/UTableForm.h"

struct TProgramState;

// Real columns of the TCP master's tables.
enum TModbusTCPReadCol {
    MTR_N, MTR_Enable, MTR_IP_Address, MTR_Port, MTR_Slave_ID, MTR_Type, MTR_Address, MTR_NPoint, MTR_Poll_Time,
    MTR_Max_Error, MTR_Position, MTR_Bit, MTR_Swap, MTR_Mnemonic,
    MTR_Col_Count
};
enum TModbusTCPWriteCol {
    MTW_N, MTW_Enable, MTW_IP_Address, MTW_Port, MTW_Slave_ID, MTW_Type, MTW_Address, MTW_NPoint, MTW_Poll_Time,
    MTW_On_Change, MTW_On_CMD, MTW_Max_Error, MTW_Position, MTW_Bit, MTW_Swap, MTW_Mnemonic,
    MTW_Col_Count
};
// Real columns of the serial master's tables.
enum TModbusReadCol {
    MR_N, MR_Enable, MR_Slave_ID, MR_Type, MR_Address, MR_NPoint, MR_Poll_Time, MR_Max_Error, MR_Position, MR_Bit,
    MR_Swap, MR_Mnemonic,
    MR_Col_Count
};
enum TModbusWriteCol {
    MW_N, MW_Enable, MW_Slave_ID, MW_Type, MW_Address, MW_NPoint, MW_Poll_Time, MW_On_Change, MW_On_CMD,
    MW_Max_Error, MW_Position, MW_Bit, MW_Swap, MW_Mnemonic,
    MW_Col_Count
};

inline constexpr int Modbus_Rows = 512;
// The gateway's input data area (what Read rows fill) and output data area
// (what Write rows send), in bytes: the "Position" lists.
inline constexpr int Modbus_In_Bytes = 128;
inline constexpr int Modbus_Out_Bytes = 1540;

// Where one table keeps the cells its checks read; -1: no such column.
struct TModbusCols {
    int Enable, IP_Address, Port, Slave_ID, Type, Address, NPoint, Poll_Time, Max_Error, Position, Bit;
};

// One direction of requests: what its rows do and the limits that follow.
struct TModbusDirection {
    TTableLayout Layout;
    TModbusCols Cols;
    bool Write = false;         // rows write a slave from the output area
    int Area_Bytes = 0;         // the data area its "Position" points into
    int Slave_ID_Slot = 0;      // text of the Slave ID check; the other checks' texts follow it in order
};

// One of the two masters, as data.
struct TModbusMaster {
    TModbusDirection Read;
    TModbusDirection Write;
    int Client_Width = 0;
    int Caption_Slot = 0;       // caption, then the description label
    int First_Button_Slot = 0;  // the translated button captions from OK on; the tabs' names follow them
    int Button_Slots = 0;
    int Error_Row_Slot = 0;
    int Delete_Slot = 0;
    const char* Root = nullptr;
    const char* Version = nullptr;
    String TProgramState::*File = nullptr;
};

const TModbusMaster& Modbus_TCP_Master();
const TModbusMaster& Modbus_Serial_Master();
