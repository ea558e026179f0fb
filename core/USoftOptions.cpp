#include "core/USoftOptions.h"

TFSoftOptions* FSoftOptions = nullptr;

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner) {}

void TFSoftOptions::Set_Lang() {}

bool TFSoftOptions::Check_Version() { return false; }
