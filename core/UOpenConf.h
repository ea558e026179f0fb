#pragma once
#include "platform/Forms.h"

class TFOpenConf : public TForm {
public:
    explicit TFOpenConf(TComponent* AOwner);
    void Set_Lang();

    // The configuration chosen when the dialog closed with OK.
    String Name_Conf;
};

extern TFOpenConf* FOpenConf;
