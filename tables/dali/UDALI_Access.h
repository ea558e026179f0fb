#pragma once
// The DALI access window, the main window's third step. Three tabs:
//   Select Device  which of the 64 short addresses carry a device, with
//                  their min-max and recall settings (DALI_Access.xml)
//   Set Access     the DALI-2 access rules, a check-box grid
//   Functions      the function table the rules may call
// The two rule tables are saved in DALI2_Access.xml. The file layouts and
// the rule checks live in UDALI_AccessFiles and UDALI_AccessRules; this unit
// keeps the grids, the tab-dependent buttons and the header menus.

#include "grid/support/ZvGridTypes.h"
#include "tables/dali/UDALI_AccessFiles.h"
#include "tables/common/UTableForm.h"

class TPageControl;
class TTabSheet;
class TPopupMenu;
class TMenuItem;

class TFDALI_Access : public TTableForm {
public:
    explicit TFDALI_Access(TComponent* AOwner);

    // ==== Life cycle ====
    bool Controllo_dati() override;
    void Set_Lang() override;
    String Project_File() const override;
    String Root_Name() const override;
    // Both files: the devices' and the rule tables'.
    std::vector<String> Files() const override;

    // ==== Tabs and the device grid ====
    void PC_DALIChange(TObject* Sender);
    void Btn_SelectAllClick(TObject* Sender);
    void Btn_ClearAllClick(TObject* Sender);
    void DimmingModeClick(TObject* Sender);
    void MinMaxValueClick(TObject* Sender);
    void RecallLevelClick(TObject* Sender);
    void Btn_DALI_MapsClick(TObject* Sender);
    void Device_RightClickCell(TObject* Sender, int ARow, int ACol);
    TDALIDevices Device_Rows() const;
    void Set_Device_Rows(const TDALIDevices& devices);

    // ==== Set Access and Functions ====
    void Compile_Function();
    void SetConditionOnEvent(const String& event, int row);
    void ASGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void ACGComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection);
    void Grid_ClickCell(TObject* Sender, int ARow, int ACol);
    // Every data row of both grids, as the file and the checks see them.
    TDALI2Tables Rule_Tables() const;
    void Set_Rule_Tables(const TDALI2Tables& tables);

    TPageControl* PC_DALI = nullptr;
    TTabSheet* TS_Select_Device = nullptr;
    TTabSheet* TS_Set_Access = nullptr;
    TTabSheet* TS_Functions = nullptr;
    TZvColumnGrid* ACG_DALI_Device = nullptr;
    TPanel* PDaliGroupBroad = nullptr;
    TPanel* Splitter_GroupBroad = nullptr;
    TZvColumnGrid* ACG_DALI_GroupBroad = nullptr;
    TZvStringGrid* ASG = nullptr;
    TZvColumnGrid* ACG = nullptr;
    TZvPushButton* Btn_SelectAll = nullptr;
    TZvPushButton* Btn_ClearAll = nullptr;
    TZvPushButton* Btn_DALI_Maps = nullptr;
    TLabel* L_NBI_Title = nullptr;
    TLabel* L_NBI_Value = nullptr;
    TLabel* L_NBO_Title = nullptr;
    TLabel* L_NBO_Value = nullptr;
    TPopupMenu* PM_Dimming_Mode = nullptr;
    TPopupMenu* PM_MinMax_Value = nullptr;
    TPopupMenu* PM_Recall_Level = nullptr;
    TPopupMenu* PM_DimMode_GB = nullptr;
    TPopupMenu* PM_MinMax_GB = nullptr;
    TPopupMenu* PM_Recall_GB = nullptr;
    TStringList DevSen, SenType, DevType, SelFunct, NumBytes;
    TStringList& Hint() { return Table(0).Hint; }
    TStringList& Hint_Fun() { return Table(1).Hint; }
    bool& Do_Copy() { return Table(0).Do_Copy; }
    bool& Do_Copy_Fun() { return Table(1).Do_Copy; }

protected:
    int Active_Table() const override;
    String Delete_Question(int table, int row) const override;
    int Read_Document(const TXMLNode& root) override;
    // The device file first, then the rule tables'.
    bool Load_Files() override;
    // The focus on the device grid and the buttons of the tab shown.
    void Shown() override;
    void Save_Files() override;

private:
    // Creation: the product's shape of the window, then the pick lists.
    void Init_Form_Type();
    void Init_Table();
    void Build_Device_Tab();
    void Build_Rule_Grid();
    void Build_Function_Grid();
    TPopupMenu* New_Header_Menu(std::initializer_list<const char*> captions, void (TFDALI_Access::*click)(TObject*));
    void Set_Column(TZvColumnGrid* grid, int col, const String& value);
    void Header_Menu_Pick(TObject* Sender, TPopupMenu* device, TPopupMenu* group, int col,
                          const std::vector<String>& values);
    bool Load_Device_File();
};

extern TFDALI_Access* FDALI_Access;
