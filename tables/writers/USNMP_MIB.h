#pragma once
// The SNMP MIB module of the gateway's agent, in SMI notation: one
// read-only object and one notification per enabled "SNMP Read" row of
// SNMP_Trap.xml, one read-write object per enabled "SNMP Write" row. Object
// k of a direction is its k-th enabled row, the number column 0 of the trap
// table shows. The module is 8-bit text (Windows-1252), CR LF after every
// line, the last one too.

#include "platform/SysUtils.h"

#include <QByteArray>
#include <vector>

class TSaveDialog;

// The objects of one direction, in file order: the name (the row's
// description, untrimmed) and whether it is an integer. The flags grow with
// the names, so a hand-made file with more rows than the table holds is
// written whole.
struct TMIBDirection {
    std::vector<String> Names;
    std::vector<bool> Is_Int;
};
struct TMIBObjects {
    TMIBDirection In;
    TMIBDirection Out;
};

// The maker's registration: its node under enterprises and its address.
inline constexpr int MIB_Enterprise_Number = 61234;

// The objects of SNMP_Trap.xml at `path`; without the file, those of the
// trap table's default content (64 integer objects each way). Also refills
// MIB_In_Names and MIB_Out_Names. Raises Exception naming the file when it
// cannot be read or lacks a section; the name lists then keep their contents.
TMIBObjects Read_MIB_Objects(const String& path);
// The module text.
QByteArray MIB_File_Bytes(const TMIBObjects& objects);
// Writes the module into `fileName`, replacing it; raises when it cannot.
void Write_MIB_File(const String& fileName, const TMIBObjects& objects);
// The step: the save dialog in the configuration's folder, the overwrite
// question (No writes nothing), then the objects of the configuration's
// File_SNMP_Trap written. A file that cannot be read or written is named in
// one error box and nothing is written.
void Create_MIB_File(TSaveDialog* SaveMIB);

// Texts of the step.
inline constexpr int Text_MIB_Overwrite = 1011;
inline constexpr int Text_MIB_No_Section = 1544;
