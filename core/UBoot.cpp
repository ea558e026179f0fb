#include "core/UBoot.h"

TFBoot* FBoot = nullptr;

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner) {}

void TFBoot::Set_Lang() {}
