#pragma once
// The table-editor windows of the other gateway families and of this
// product's own tables, as far as start-up and the main window need them
// today: each exists under its window object, takes its caption from its
// block of the text table, and can be shown modally. Their editors replace
// them one by one: a real form drops its line here and keeps its entry in
// the program's form registry.

#include "platform/Forms.h"

class TTableFormStandIn : public TForm {
public:
    // `captionSlot` is the first slot of the window's block of texts.
    TTableFormStandIn(TComponent* AOwner, int captionSlot);

    // Copies the window's texts from the text table again.
    void Set_Lang();
    int Caption_Slot() const { return FCaptionSlot; }

private:
    int FCaptionSlot;
};

#define QUILLMER_TABLE_FORM(Name, Slot)                                                  \
    class Name : public TTableFormStandIn {                                             \
    public:                                                                              \
        explicit Name(TComponent* AOwner) : TTableFormStandIn(AOwner, Slot) {}           \
    }

QUILLMER_TABLE_FORM(TFModbus_TCP_Master_Set_Access, 1100);
QUILLMER_TABLE_FORM(TFSetAccess, 1700);
QUILLMER_TABLE_FORM(TFKNXAccess, 2600);

#undef QUILLMER_TABLE_FORM

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
extern TFSetAccess* FSetAccess;
extern TFKNXAccess* FKNXAccess;
