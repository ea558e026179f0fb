#include "tables/modbus/UModbus_TCP_Master_Set_Access.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace {

[[maybe_unused]] const bool Registered =
    Register_Table_Form<TFModbus_TCP_Master_Set_Access>("TFModbus_TCP_Master_Set_Access");

} // namespace
