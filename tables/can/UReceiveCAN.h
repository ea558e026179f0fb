#pragma once
// The CAN frames the gateway receives: for each its identifier and format,
// its length, a reception time-out and the positions of the data array
// where its bytes go (0 to 131). Kept in CAN_Rec_Frames.xml.

#include "tables/can/UCANFrames.h"

class TFReceiveCAN : public TCANFrameForm {
public:
    explicit TFReceiveCAN(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("Receive_Frames"); }

    TZvColumnGrid* ACG_CAN_Receive() const { return Grid(); }
};

extern TFReceiveCAN* FReceiveCAN;
