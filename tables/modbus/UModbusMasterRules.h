#pragma once
// The checks of the Modbus master tables over their cell texts: the Read
// table, then the Write table, each enabled row ("Enable" trimmed is "Y")
// down to the first row whose key is empty, in column order. The first
// fault is reported; a disabled row is never judged.

#include "tables/modbus/UModbusMasterFiles.h"

#include <optional>

// True (a fault) unless the text is four parts joined by points, each an
// integer 0 to 255. A fifth part stays inside the fourth and fails it.
bool Check_IP_Address(const String& IP_Address);

// The checks in the order they run; each has its own text.
enum class TModbusCheck { IP_Address, Port, Slave_ID, Type, Address, NPoint, Poll_Time, Max_Error, Position, Bit,
                          Too_Many };

struct TModbusFault {
    bool Write = false;  // the fault is in the Write table
    int Row = 0;         // grid row
    TModbusCheck Check = TModbusCheck::IP_Address;
    int Bound = -1;      // the bound the message names at its end; -1: none
    bool operator==(const TModbusFault&) const = default;
};

// rows[i] is grid row i + 1, its cells by the direction's real columns.
std::optional<TModbusFault> Check_Modbus_Table(const TModbusDirection& direction, const std::vector<TRowTexts>& rows);
std::optional<TModbusFault> Check_Modbus_Master(const TModbusMaster& master, const std::vector<TRowTexts>& read,
                                                const std::vector<TRowTexts>& write);
// The text slot of a fault's check.
int Modbus_Fault_Slot(const TModbusMaster& master, const TModbusFault& fault);
// "Error row ", the row, the check's text and its bound, in the current language.
String Modbus_Fault_Text(const TModbusMaster& master, const TModbusFault& fault);
