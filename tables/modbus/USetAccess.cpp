#include "tables/modbus/USetAccess.h"

TFSetAccess* FSetAccess = nullptr;

namespace {

[[maybe_unused]] const bool Registered = Register_Table_Form<TFSetAccess>("TFSetAccess");

} // namespace
