#pragma once
#include "platform/Forms.h"

class TFAbout : public TForm {
public:
    explicit TFAbout(TComponent* AOwner);
    void Set_Lang();
};

extern TFAbout* FAbout;
