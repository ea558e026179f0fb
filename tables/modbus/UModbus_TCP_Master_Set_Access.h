#pragma once
// The request table of the gateway as Modbus TCP master: each row names a
// slave by IP address, port and unit identifier.

#include "tables/modbus/UModbusMaster.h"

class TFModbus_TCP_Master_Set_Access : public TModbusMasterForm {
public:
    explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner) : TModbusMasterForm(AOwner, Modbus_TCP_Master()) {}
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
