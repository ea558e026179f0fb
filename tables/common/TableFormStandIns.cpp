#include "tables/common/TableFormStandIns.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"

TFProfinetFileName* FProfinetFileName = nullptr;
TFBACnetAccess* FBACnetAccess = nullptr;
TFImportEDEFile* FImportEDEFile = nullptr;
TFReceiveCAN* FReceiveCAN = nullptr;
TFTransmitCAN* FTransmitCAN = nullptr;
TFSet_PDO_Access* FSet_PDO_Access = nullptr;
TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;
TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

TTableFormStandIn::TTableFormStandIn(TComponent* AOwner, int captionSlot)
    : TForm(AOwner), FCaptionSlot(captionSlot)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons(TBorderIcons{TBorderIcon::biSystemMenu});
    SetPosition(TPosition::poScreenCenter);
    SetColor(Window_Color);
    SetClientWidth(640);
    SetClientHeight(400);
    // Every table window copies its texts when it is created.
    Set_Lang();
}

void TTableFormStandIn::Set_Lang()
{
    SetCaption(Lang_Text(FCaptionSlot));
}

void Create_GSDML_File(const String&) {}
void Write_EDS_File(const String&) {}
