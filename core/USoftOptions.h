#pragma once
#include "platform/Forms.h"

class TFSoftOptions : public TForm {
public:
    explicit TFSoftOptions(TComponent* AOwner);
    void Set_Lang();
    // True when the maker's server offers a newer version than this one.
    bool Check_Version();
};

extern TFSoftOptions* FSoftOptions;
