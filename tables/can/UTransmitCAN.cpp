#include "tables/can/UTransmitCAN.h"

#include "core/UComon.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Xml.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {
[[maybe_unused]] const bool Registered = Register_Table_Form<TFTransmitCAN>("TFTransmitCAN");
} // namespace

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner)
    : TCANFrameForm(AOwner, 1100, CAN_Transmit_Layout(), TC_Byte1, CAN_Transmit_Max_Byte, {2100, 2102, 2125, 2161})
{
}

void TFTransmitCAN::Set_Lang()
{
    Set_CAN_Texts();
}

String TFTransmitCAN::Project_File() const
{
    return File_CAN_Send_Frames;
}

int TFTransmitCAN::Read_Document(const TXMLNode& root)
{
    const int extra = TTableForm::Read_Document(root);
    const std::vector<TXMLNode> rows = root.ChildNodes();
    const int fit = std::min(int(rows.size()), Grid()->RowCount() - 1);
    for (int i = 0; i < fit; ++i)
        if (!rows[std::size_t(i)].HasAttribute(QStringLiteral("Time")) &&
            Grid()->GetCellEx(TC_OnTimer, i + 1) == QLatin1String("Y"))
            Grid()->SetCellEx(TC_Time, i + 1, QStringLiteral("0"));
    return extra;
}

bool TFTransmitCAN::Controllo_dati()
{
    const auto fault = Check_CAN_Transmit(Content_Rows(Table(0)));
    if (fault) Show_Table_Fault(CAN_Transmit_Error_Row, *fault);
    return !fault;
}
