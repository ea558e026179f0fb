#pragma once
#include "platform/Forms.h"

class TFBoot : public TForm {
public:
    explicit TFBoot(TComponent* AOwner);
    void Set_Lang();

    // 0 serial port, 1 Ethernet, 2 USB.
    int Form_Type = 1;
};

extern TFBoot* FBoot;
