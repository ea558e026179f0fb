#pragma once
// The EDE file: the semicolon-separated object list a BACnet device comes
// with. Only what the client tables can serve is kept. The reader depends on
// nothing but the platform, so it can be fed arbitrary bytes on its own.

#include "platform/SysUtils.h"

#include <memory>
#include <vector>

// One object line of the file and the user's choices for it.
class TBACnet_Var {
public:
    String Key_Name;
    int Device_Instance = -1;
    String Obj_Name;
    int Obj_Type = -1;
    int Obj_Instance = -1;
    String Description;
    String Present_Value_Default, Min_Present_Value, Max_Present_Value;
    bool Settable = false;
    bool Supports_COV = false;
    String Hi_Limit, Low_Limit, State_Text_Reference, Unit_Code;
    String Vendor_Specific_Address;
    bool Do_Import = true;
    bool Do_Read = true;
    bool Do_Write = false;
};
using TBACnet_Var_List = std::vector<std::unique_ptr<TBACnet_Var>>;

// The BACnet object types the client tables serve.
bool EDE_Type_Supported(int obj_type);

// The sixteen fields of one data line, each trimmed; a line with fewer
// fields leaves the rest empty, and the sixteenth takes everything after the
// fifteenth (one trailing ";" dropped).
std::vector<String> Split_EDE_Line(const String& line);

// The supported objects of the file's text, in file order. Data start two
// lines below the marker line ("#" then "mandatory"): the one on line 7 when
// there, else the last one found; no marker, no objects.
TBACnet_Var_List Parse_EDE_Text(const String& text);
// The file's bytes decoded (UTF-8 with or without BOM, else Windows-1252).
TBACnet_Var_List Parse_EDE_Bytes(const QByteArray& bytes);
// False when the file cannot be read; the list is then empty.
bool Load_EDE_File(const String& path, TBACnet_Var_List& list);
