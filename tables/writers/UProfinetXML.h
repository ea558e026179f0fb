#pragma once
// The PROFINET device description (GSDML, schema version 2.31) of the DALI
// gateway: a fixed document in which only the station name and the sizes of
// the input and output data items follow the open configuration. UTF-8
// without a byte-order mark, CR LF after every line, tabs by depth.
//
// The input size counts 8 bytes for every enabled DALI device, the same
// eight bytes the DALI byte map gives each enabled address, and 8 more when
// DALI-2 is on. A configuration file that is missing or cannot be read stops
// the writer with one error box and nothing is written: a description with a
// wrong data size would be accepted by the engineering tool and fail only on
// the bus.

#include "platform/SysUtils.h"
#include "platform/Xml.h"

#include <QByteArray>

inline constexpr int GSDML_Output_Bytes = 132;
inline constexpr int GSDML_Bytes_Per_Device = 8;

struct TGSDMLParams {
    int Input_Length = 0;
    int Output_Length = GSDML_Output_Bytes;
    String Station_Name = QStringLiteral("SERIAL");
    bool operator==(const TGSDMLParams&) const = default;
};

// Input bytes of the DALI access document: 8 for every enabled device.
int Count_DALI_Input_Bytes(const TXMLDocument& daliAccess);
// The parameters from the two configuration files; raises Exception with the
// message to show when one is missing or broken.
TGSDMLParams Read_GSDML_Params(const String& daliAccessFile, const String& parGenFile);
QByteArray GSDML_File_Bytes(const TGSDMLParams& params);
// & < > " as entities, tab, line feed and carriage return as character
// references, other control characters left out: the station name is the
// user's text and must read back as it was, as far as XML can hold it.
String GSDML_Escape(const String& text);

// Reads the open configuration and writes the document to the path; a fault
// is named in one error box and nothing is written.
void Write_GSDML_File(const String& path);
// Asks for the folder, confirms replacing a file there, and writes the
// document under `fileName` in that folder.
void Create_GSDML_File(const String& fileName);

// Texts of the writer.
inline constexpr int Text_GSDML_Overwrite = 1011;
inline constexpr int Text_GSDML_Missing_File = 1593;   // %s: the file
inline constexpr int Text_GSDML_Broken_File = 1594;    // %s: the file, %s: the reason
