#include "tables/can/UReceiveCAN.h"

#include "core/UComon.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {
[[maybe_unused]] const bool Registered = Register_Table_Form<TFReceiveCAN>("TFReceiveCAN");
} // namespace

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner)
    : TCANFrameForm(AOwner, 1010, CAN_Receive_Layout(), RC_Byte1, CAN_Receive_Max_Byte, {2000, 2002, 2023, 2058})
{
}

void TFReceiveCAN::Set_Lang()
{
    Set_CAN_Texts();
}

String TFReceiveCAN::Project_File() const
{
    return File_CAN_Rec_Frames;
}

bool TFReceiveCAN::Controllo_dati()
{
    const auto fault = Check_CAN_Receive(Content_Rows(Table(0)));
    if (fault) Show_Table_Fault(CAN_Receive_Error_Row, *fault);
    return !fault;
}
