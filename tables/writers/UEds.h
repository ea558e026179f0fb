#pragma once
// The CANopen electronic data sheet (EDS, version 4.0) of the gateway as a
// slave: the device information, the fixed communication objects, for
// every Receive and Transmit PDO of PDO_CANopen.xml its communication,
// mapping and application objects, and one manufacturer object per index
// of SDO_Server_CANopen.xml. 8-bit text (Windows-1252), CR LF after every
// line.
//
// Both files are read with the same number reader as the tables that
// write them, so a table the forms accept never stops the writer. A file
// that is missing, cannot be parsed, lacks a section or a needed attribute,
// or names one SDO index and sub-index twice stops the writer with one
// error box; nothing is written then.

#include "platform/SysUtils.h"

#include <QByteArray>
#include <QDateTime>
#include <vector>

struct TEdsPDO {
    int COB_ID = 0;
    int Dimension = 0;
};
struct TEdsSub {
    int Sub = 0;
    int Quantity = 0;  // 1, 2, anything else counts as 4
    bool Readonly = false;
};
struct TEdsIndex {
    int Index = 0;
    std::vector<TEdsSub> Subs;  // sorted by Sub, equal ones in file order
};
struct TEdsConfig {
    std::vector<TEdsPDO> Rx, Tx;     // at most 30 each
    std::vector<TEdsIndex> SDO;      // in order of first appearance
};

inline constexpr int EDS_Max_PDOs = 30;
inline constexpr const char* EDS_File_Name = "DUDI_VARavov.eds";

// "hh:mmAM" / "hh:mmPM": 13..23 less 12 with PM; 12:mm stays 12 with PM; 0..11 with AM.
String EDS_Time_Text(const QTime& time);
// "MM-DD-YYYY".
String EDS_Date_Text(const QDate& date);

// Raises Exception with the message to show.
TEdsConfig Read_EDS_Config(const String& pdoFile, const String& sdoServerFile);
QByteArray EDS_File_Bytes(const TEdsConfig& config, const QDateTime& now);
// The step: reads the configuration's files and writes the sheet at the
// current local time; a fault is named in one error box and nothing is written.
void Write_EDS_File(const String& path);

// Texts of the writer.
inline constexpr int Text_EDS_Missing_File = 1576;   // %s: the file
inline constexpr int Text_EDS_Bad_Value = 1577;      // %s file, %s attribute, %d row, %s section
inline constexpr int Text_EDS_No_Section = 1578;     // %s file, %s section
inline constexpr int Text_EDS_Same_Object = 1579;    // %s index, %s sub-index
