#pragma once
// The request table of the gateway as Modbus master on a serial line: each
// row names a slave by its unit identifier alone.

#include "tables/modbus/UModbusMaster.h"

class TFSetAccess : public TModbusMasterForm {
public:
    explicit TFSetAccess(TComponent* AOwner) : TModbusMasterForm(AOwner, Modbus_Serial_Master()) {}
};

extern TFSetAccess* FSetAccess;
