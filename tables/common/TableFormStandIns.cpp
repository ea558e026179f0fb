#include "tables/common/TableFormStandIns.h"

#include "core/UComon.h"
#include "core/UDialogFrame.h"
#include "core/ULanguage.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;
TFSetAccess* FSetAccess = nullptr;
TFKNXAccess* FKNXAccess = nullptr;

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
