#pragma once
#include "platform/Forms.h"

class TFNew_Project : public TForm {
public:
    explicit TFNew_Project(TComponent* AOwner);
    void Set_Lang();
};

extern TFNew_Project* FNew_Project;
