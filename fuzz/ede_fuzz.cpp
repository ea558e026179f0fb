// Arbitrary bytes through the EDE reader: it never fails, keeps only the
// object types the BACnet tables serve, and every data line splits into
// exactly sixteen trimmed fields.

#include "platform/TextCodec.h"
#include "tables/bacnet/UEDEFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TBACnet_Var_List list = Parse_EDE_Bytes(bytes);
    for (const auto& var : list) {
        if (!EDE_Type_Supported(var->Obj_Type)) __builtin_trap();
        if (var->Do_Write != var->Settable || !var->Do_Import || !var->Do_Read) __builtin_trap();
        if (var->Obj_Name != Trim(var->Obj_Name)) __builtin_trap();
    }
    const String text = DecodeText(bytes);
    const std::vector<String> fields = Split_EDE_Line(text.left(4096));
    if (fields.size() != 16) __builtin_trap();
    for (const String& field : fields)
        if (field != Trim(field)) __builtin_trap();
    return 0;
}
