#pragma once
// The state every window shares (open configuration, folders, per-editor
// files, options, software identity, row clipboard) and the small text checks
// and conversions several windows use. Only the user-interface thread touches
// any of it, so nothing here locks.

#include "platform/Classes.h"

#include <QChar>
#include <cstdint>
#include <memory>
#include <vector>

// ---- Identity of this product -------------------------------------------------

inline const String Built_In_Software_Code = QStringLiteral("KS40219");
inline const String Built_In_Software_Description = QStringLiteral("DALI / SNMP Manager - Converter");
inline const String Software_Version = QStringLiteral("1.000");
// The code the version query sends; kept apart from the one shown on screen
// because the server knows the product by this one.
inline const String Version_Query_Software_Code = QStringLiteral("KS40219");
// The device this product configures, and the code of its manual.
inline const String Device_Code = QStringLiteral("KH40219");
inline const String Manual_Code = QStringLiteral("KM40219");
// The maker's web host: window title, links and the version query all use it.
inline const String Maker_Web_Host = QStringLiteral("www.zorvat.example");

inline const String Default_IP_Address = QStringLiteral("192.168.2.205");
inline const String Default_Language_Name = QStringLiteral("English");

// ---- The program-wide state ---------------------------------------------------
// Every value as the program starts, before the main window sets anything:
// a fresh TProgramState is the reset.

// The values the settings file keeps (Quillmer.xml), as a first start has them.
struct TSettingsValues {
    String Last_IP_Address = Default_IP_Address;
    String Language_Name = Default_Language_Name; // base name of the current language file
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;
};

struct TProgramState {
    // A configuration is open exactly when Project_Path is not empty.
    String Project_Name;
    String Project_Path;
    String Program_Path;  // folder of the program file, no trailing separator
    String Projects_Path; // Program_Path + "/PROJECTS"
    String Master_Path;   // Program_Path + "/MASTER", the firmware image
    String Language_Path; // Program_Path + "/LANGUAGE", language files and flags

    String Main_Caption;
    String Software_Code;        // set from Built_In_Software_Code at start-up
    String Software_Description; // set from Built_In_Software_Description at start-up

    TSettingsValues Settings;
    // The update dialog's memory, kept for the run only.
    int Update_Option_Index = 0; // 0 firmware + configuration, 1 firmware, 2 configuration
    bool Update_Read_Back = true;

    // The per-editor files of the open configuration (named in Editor_Files below).
    String File_ParGen;
    String File_DALI_Access;
    String File_DALI2_Access;
    String File_ModbusTCPM_SetAccess;
    String File_DMX_Default_Values;
    String File_BACnet_Master_Access;
    String File_ModbusM_SetAccess;
    String File_SNMP_Trap;
    String File_CAN_Rec_Frames;
    String File_CAN_Send_Frames;
    String File_SDO_Server_CANopen;
    String File_SDO_Client_CANopen;
    String File_PDO_CANopen;
    String File_KNX_SetAccess;
    String File_SNMP_Manager;

    String BACnet_CSV_Dir; // folder of the last imported EDE file
};

extern TProgramState Program_State;

// Each per-editor file: where its path lives and its name in the configuration's folder.
struct TEditorFile {
    String TProgramState::*Path;
    const char* Name;
};
inline constexpr TEditorFile Editor_Files[] = {
    {&TProgramState::File_ParGen, "ParGen.xml"},
    {&TProgramState::File_DALI_Access, "DALI_Access.xml"},
    {&TProgramState::File_DALI2_Access, "DALI2_Access.xml"},
    {&TProgramState::File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
    {&TProgramState::File_DMX_Default_Values, "DMX_Default_Values.xml"},
    {&TProgramState::File_BACnet_Master_Access, "BACnet_Master_Access.xml"},
    {&TProgramState::File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
    {&TProgramState::File_SNMP_Trap, "SNMP_Trap.xml"},
    {&TProgramState::File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
    {&TProgramState::File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
    {&TProgramState::File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
    {&TProgramState::File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
    {&TProgramState::File_PDO_CANopen, "PDO_CANopen.xml"},
    {&TProgramState::File_KNX_SetAccess, "KNX_SetAccess.xml"},
    {&TProgramState::File_SNMP_Manager, "SNMP_Manager.xml"},
};

// The names every window uses for the values above.
inline String& Project_Name = Program_State.Project_Name;
inline String& Project_Path = Program_State.Project_Path;
inline String& Program_Path = Program_State.Program_Path;
inline String& Projects_Path = Program_State.Projects_Path;
inline String& Master_Path = Program_State.Master_Path;
inline String& Language_Path = Program_State.Language_Path;
inline String& Main_Caption = Program_State.Main_Caption;
inline String& Software_Code = Program_State.Software_Code;
inline String& Software_Description = Program_State.Software_Description;
inline String& Last_IP_Address = Program_State.Settings.Last_IP_Address;
inline String& Language_Name = Program_State.Settings.Language_Name;
inline bool& Enable_Internet = Program_State.Settings.Enable_Internet;
inline bool& Enable_Update = Program_State.Settings.Enable_Update;
inline bool& Enable_Jump_Field_Tables = Program_State.Settings.Enable_Jump_Field_Tables;
inline bool& Double_Click_Auto_Size = Program_State.Settings.Double_Click_Auto_Size;
inline int& Update_Option_Index = Program_State.Update_Option_Index;
inline bool& Update_Read_Back = Program_State.Update_Read_Back;
inline String& File_ParGen = Program_State.File_ParGen;
inline String& File_DALI_Access = Program_State.File_DALI_Access;
inline String& File_DALI2_Access = Program_State.File_DALI2_Access;
inline String& File_ModbusTCPM_SetAccess = Program_State.File_ModbusTCPM_SetAccess;
inline String& File_DMX_Default_Values = Program_State.File_DMX_Default_Values;
inline String& File_BACnet_Master_Access = Program_State.File_BACnet_Master_Access;
inline String& File_ModbusM_SetAccess = Program_State.File_ModbusM_SetAccess;
inline String& File_SNMP_Trap = Program_State.File_SNMP_Trap;
inline String& File_CAN_Rec_Frames = Program_State.File_CAN_Rec_Frames;
inline String& File_CAN_Send_Frames = Program_State.File_CAN_Send_Frames;
inline String& File_SDO_Server_CANopen = Program_State.File_SDO_Server_CANopen;
inline String& File_SDO_Client_CANopen = Program_State.File_SDO_Client_CANopen;
inline String& File_PDO_CANopen = Program_State.File_PDO_CANopen;
inline String& File_KNX_SetAccess = Program_State.File_KNX_SetAccess;
inline String& File_SNMP_Manager = Program_State.File_SNMP_Manager;
inline String& BACnet_CSV_Dir = Program_State.BACnet_CSV_Dir;

// ---- Lists shared by the table forms -----------------------------------------
// They live as long as the program; start-up (Create_Shared_Lists) hands
// them out empty, and nothing ever replaces them, so a form may keep a
// reference.

extern TStringList Row_Copy;                // cell texts of the last copied table row
extern std::vector<bool> Row_Copy_Is_Check; // per copied cell of the DALI check-box grid
extern TStringList MIB_In_Names;
extern TStringList MIB_Out_Names;

// Start-up's creation of the row clipboard and the MIB name lists: all empty.
void Create_Shared_Lists();

// Every value back to what it is when the program starts (a fresh
// TProgramState); the shared lists are emptied, never replaced.
void Reset_Program_State();

// ---- Text checks --------------------------------------------------------------
// Numbers are read as every field reads them (sign, hexadecimal after "$",
// "x" or "0x"); a text that is no number is out of range.

// 0 valid, 1 invalid. A plain number 1..65535 is valid for both kinds;
// individual addresses are area.line.device (0-15, 0-15, 0-255), group
// addresses main/sub (0-31, 0-2047) or main/middle/sub (0-31, 0-7, 0-255).
int Check_KNX_Address(const String& text, bool is_group, bool allow_zero);

bool Is_Not_Dotted(const String& text);

// True when the text is four numbers 0-255 joined by points (blanks around
// the parts allowed). The parts are handed out, trimmed, as far as the text
// could be split, also when the result is false.
bool Split_IP_Address(const String& text, String& a, String& b, String& c, String& d);

// "a.b.c.d:port". All outputs are 0 unless the whole text is valid.
bool Check_IP_Port(const String& text, std::uint8_t& b1, std::uint8_t& b2, std::uint8_t& b3,
                   std::uint8_t& b4, std::uint16_t& port);

// Returns the error flag: true when the text is empty (outputs untouched) or
// any octet is bad (that octet becomes 0; the others are still read).
bool IP_To_Bytes(const String& text, std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, std::uint8_t& d);

// The largest number one OID component may hold. The SNMP manager editor's
// message for an out-of-range component names 65535 and the editor's rules
// are written for it, so the check enforces exactly what the user is told.
inline constexpr std::int64_t OID_Component_Max = 65535;

// 0 valid; 1 longer than 128 characters, 2 a character other than a digit or
// ".", 3 leading ".", 4 trailing ".", 5 two "." in a row, 6 a component above
// OID_Component_Max. An empty text gives 2: it holds no number at all, and the
// editor has a message for 2.
int Check_OID(const String& text);

// Trimmed, letters a to z in either case.
int SNMP_Security_Level_Code(const String& text); // "AUTH NOPRIV" 1, "AUTH PRIV" 3, empty -1, else 0
int SNMP_Auth_Protocol_Code(const String& text);  // "MD5" 1, "SHA" 2, else 0
int SNMP_Priv_Protocol_Code(const String& text);  // "DES" 1, "AES" 2, else 0

// The first character of the regional profile's decimal symbol when that is
// "," or ".", else ",".
QChar Get_Decimal_Separator();

// Turns the other separator into `separator`, then reads the text with the
// regional number format. On failure value is 1.0 and the result false.
bool Str_To_Single(const String& text, QChar separator, float& value);

// The serial ports present, as the device paths a user types on this system
// ("/dev/ttyS0", "/dev/ttyUSB0"): ttyS ports first, then ttyUSB, each by
// number. A port counts when it opens or refuses for lack of permission or
// because it is busy (a port in use). The caller owns the list.
std::unique_ptr<TStringList> Get_COM_Ports();
// The same over another device folder.
std::unique_ptr<TStringList> Get_COM_Ports_In(const String& deviceFolder);
