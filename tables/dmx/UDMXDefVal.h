#pragma once
// The DMX default values window: the value each channel takes before the
// first command reaches it, and a mnemonic, one row per channel of the
// gateway's universe.

#include "tables/dmx/UDMXDefValFiles.h"

class TZvColumnGrid;

class TFDMXDefVal : public TTableForm {
public:
    explicit TFDMXDefVal(TComponent* AOwner);

    void Set_Lang() override;
    bool Controllo_dati() override;
    String Project_File() const override;
    String Root_Name() const override { return QStringLiteral("DMX_Default_Values"); }

    TZvColumnGrid* ACG_DMX_Def_Val = nullptr;

protected:
    String Delete_Question(int table, int row) const override;
    // The channel count first: it decides the rows the file fills.
    bool Load_Files() override;
};

extern TFDMXDefVal* FDMXDefVal;
