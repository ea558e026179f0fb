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

// ---- The open configuration and the folders ---------------------------------

// A configuration is open exactly when Project_Path is not empty.
extern String Project_Name;
extern String Project_Path;
extern String Program_Path;  // folder of the program file, no trailing separator
extern String Projects_Path; // Program_Path + "/PROJECTS"
extern String Master_Path;   // Program_Path + "/MASTER", the firmware image
extern String Language_Path; // Program_Path + "/LANGUAGE", language files and flags

extern String Main_Caption;
extern String Software_Code;        // set from Built_In_Software_Code at start-up
extern String Software_Description; // set from Built_In_Software_Description at start-up

// ---- Settings-file values and the update dialog's memory ---------------------

extern String Last_IP_Address;  // "192.168.2.205" until the settings file says otherwise
extern int Update_Option_Index; // 0 firmware + configuration, 1 firmware, 2 configuration
extern bool Update_Read_Back;   // on at start; kept for the run only
extern String Language_Name;    // base name of the current language file
extern bool Enable_Internet;
extern bool Enable_Update;
extern bool Enable_Jump_Field_Tables;
extern bool Double_Click_Auto_Size;

// ---- Per-editor files of the open configuration ------------------------------

extern String File_ParGen;
extern String File_DALI_Access;
extern String File_DALI2_Access;
extern String File_ModbusTCPM_SetAccess;
extern String File_DMX_Default_Values;
extern String File_BACnet_Master_Access;
extern String File_ModbusM_SetAccess;
extern String File_SNMP_Trap;
extern String File_CAN_Rec_Frames;
extern String File_CAN_Send_Frames;
extern String File_SDO_Server_CANopen;
extern String File_SDO_Client_CANopen;
extern String File_PDO_CANopen;
extern String File_KNX_SetAccess;
extern String File_SNMP_Manager;

extern String BACnet_CSV_Dir; // folder of the last imported EDE file

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

// Every value back to what it is when the program starts, before the main
// window sets anything; the shared lists are emptied.
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
