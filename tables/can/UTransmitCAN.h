#pragma once
// The CAN frames the gateway sends: for each its identifier and format, its
// length, when it goes out (a data byte changed, on command, on a timer with
// its period) and the positions of the data array its bytes come from (0 to
// 511). Kept in CAN_Send_Frames.xml.

#include "tables/can/UCANFrames.h"

class TFTransmitCAN : public TCANFrameForm {
public:
    explicit TFTransmitCAN(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("Transmit_Frames"); }

    TZvColumnGrid* ACG_CAN_Transmit() const { return Grid(); }

protected:
    // A row that sends on a timer but names no time gets "0".
    int Read_Document(const TXMLNode& root) override;
};

extern TFTransmitCAN* FTransmitCAN;
