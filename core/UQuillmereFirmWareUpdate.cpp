// The step "Update Device UDP": the images, the update dialog, the updater.
#include "core/UQuillmereFirmWare.h"

void TFQuillmereFirmWare::Update_Device() {}
void TFQuillmereFirmWare::Start_Program(const String&, const String&, bool) {}
