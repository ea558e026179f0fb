// The configuration store: program folders, the settings file, the
// per-editor file paths, and opening or creating a configuration.
#include "core/UQuillmereFirmWare.h"

void TFQuillmereFirmWare::Set_Program_Folders() {}
void TFQuillmereFirmWare::Read_Setting() {}
void TFQuillmereFirmWare::Save_Setting() {}
void TFQuillmereFirmWare::Set_Files() {}
void TFQuillmereFirmWare::Open_Project() {}
void TFQuillmereFirmWare::Create_New_Project() {}
void TFQuillmereFirmWare::Show_Open_Configuration() {}
