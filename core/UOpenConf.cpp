#include "core/UOpenConf.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner) {}

void TFOpenConf::Set_Lang() {}
