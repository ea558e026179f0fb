#pragma once
// What the BACnet client tables accept: object types, properties, data
// types, byte counts and multi-byte destination addresses, the mapping of an
// EDE file's numeric object types onto the tables' names, and the checks of
// a whole Read or Write row built from them. Everything here reads only its
// arguments (and the text table for messages), so the rules can be tried
// without a window.
//
// Names are compared trimmed and without regard to case.

#include "tables/common/UTableForm.h"

#include <optional>

enum class TBACnetTable { Read, Write };

// Real columns of the Read table: objects the gateway reads from BACnet devices.
enum TBACnetReadCol {
    BR_N, BR_Enable, BR_Address, BR_Object_Type, BR_Instance, BR_Property, BR_NByte, BR_En_Dest, BR_D_Net,
    BR_D_Len, BR_D_Add, BR_Poll_Time, BR_Max_Err, BR_Position, BR_Start_Bit, BR_Swap, BR_Conversion,
    BR_Mnemonic,
    BR_Col_Count
};
// Real columns of the Write table: objects the gateway writes.
enum TBACnetWriteCol {
    BW_N, BW_Enable, BW_Address, BW_Object_Type, BW_Data_Type, BW_Instance, BW_Property, BW_Priority,
    BW_NByte, BW_En_Dest, BW_D_Net, BW_D_Len, BW_D_Add, BW_Change, BW_Timer, BW_Poll_Time, BW_Max_Err,
    BW_Position, BW_Start_Bit, BW_Swap, BW_Conversion, BW_Mnemonic,
    BW_Col_Count
};

// Property results of Check_Property beyond the byte sizes 1 to 49.
inline constexpr int BACnet_Present_Value = 100;
inline constexpr int BACnet_Proprietary_Property = 200;

// The object code of an object-type text (not the BACnet object-type number):
// 1 to 15 for the named types the table allows, the number itself for a
// proprietary type 128 to 1023, -1 when refused.
int Check_Object_Type(const String& text, TBACnetTable table);
// -1 refused; 1 to 49 the property's size in bytes; 100 Present Value; 200 a
// proprietary property number.
int Check_Property(const String& text, TBACnetTable table, int object_code);
// 1000 when the property is not Present Value (any type then goes); for
// Present Value the value's byte size (4, 8 or 1), -1 when refused.
int Check_Data_Type(const String& text, int object_code, int property_result);
// The data type Present Value has for the object code, empty when none is known.
String Aspected_Data_Type_Value(int object_code, int property_result);
// The largest byte count a data type may take.
int Check_Num_Byte_Max(const String& data_type);

// The text slot that refuses an "Mn" destination address of length n, or 0
// when the address passes.
int Dest_Add_Fault(const String& text, int n, TBACnetTable table);
// True when refused, after one error box naming the table and the row.
bool Check_Dest_Add(const String& text, int n, TBACnetTable table, int row);

// The EDE mapping, by BACnet object-type number.
String Get_ObjType_EDE(int ede_type);   // empty for a type the tables do not serve
String Get_DataType_EDE(int ede_type);  // "Null" for a type the tables do not serve
int Get_NumByte_EDE(int ede_type);

// The hint of a Read row's NByte cell: the bytes the object and property
// give, empty when they say nothing.
String BACnet_Read_NByte_Hint(const String& object_type, const String& property);

// The first failing check of the tables: the message is the table's prefix,
// the row, the text of Slot and Tail (the expected type or the byte maximum).
struct TBACnetFault {
    TBACnetTable Table = TBACnetTable::Read;
    int Row = 0;
    int Slot = 0;
    String Tail = {};
    bool operator==(const TBACnetFault&) const = default;
};
// rows[i] is grid row i + 1 (cut at the first empty key), cells by real
// column. A row is checked only when its "Enable" is exactly "Y". App_Type 0
// wants an IPv4 address in column 2, 1 a slave ID, others nothing there.
std::optional<TBACnetFault> Check_BACnet_Tables(const std::vector<TRowTexts>& read,
                                                const std::vector<TRowTexts>& write, int app_type);
String BACnet_Fault_Text(const TBACnetFault& fault);
