#include "core/UQuillmereFirmWare.h"

TFQuillmereFirmWare* FQuillmereFirmWare = nullptr;

TFQuillmereFirmWare::TFQuillmereFirmWare(TComponent* AOwner) : TForm(AOwner) {}
TFQuillmereFirmWare::~TFQuillmereFirmWare() = default;

void TFQuillmereFirmWare::FormCreate(TObject*) {}
void TFQuillmereFirmWare::FormShow(TObject*) {}
void TFQuillmereFirmWare::FormClose(TObject*, TCloseAction&) {}
void TFQuillmereFirmWare::Btn_Click(TObject*) {}
void TFQuillmereFirmWare::Set_Lang() {}
void TFQuillmereFirmWare::Change_Language() {}
void TFQuillmereFirmWare::Timer_UpdateTimer(TObject*) {}
void TFQuillmereFirmWare::L_ZorvatClick(TObject*) {}
void TFQuillmereFirmWare::PROFINET_XML() {}
void TFQuillmereFirmWare::Build_EDS_File() {}
void TFQuillmereFirmWare::Check_Enable_DMX_Def_Val() {}
int TFQuillmereFirmWare::Get_Type_BACnet() { return 0; }
