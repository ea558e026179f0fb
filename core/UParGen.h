#pragma once
#include "platform/Forms.h"

class TFParGen : public TForm {
public:
    explicit TFParGen(TComponent* AOwner);
    void Set_Lang();
};

extern TFParGen* FParGen;
