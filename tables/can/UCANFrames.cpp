#include "tables/can/UCANFrames.h"

#include "core/ULanguage.h"
#include "platform/Classes.h"
#include "grid/ZvColumnGrid.h"
#include "platform/Dialogs.h"

int Cell_Number(const String& text)
{
    return StrToIntDef(text, -1);
}

void Fill_Byte_Positions(TStringList* items, int size, bool withNone)
{
    items->Clear();
    if (withNone) items->Add(QStringLiteral("None"));
    for (int i = 0; i < size; ++i) items->Add(IntToStr(i));
}

int First_Bad_Position(const TRowTexts& cells, int firstCol, int count, int size, bool noneAllowed)
{
    for (int k = 1; k <= count; ++k) {
        const String text = Trim(cells[std::size_t(firstCol + k - 1)]);
        if (noneAllowed && (text.isEmpty() || text == QLatin1String("None"))) continue;
        const int position = Cell_Number(text);
        if (position < 0 || position >= size) return k;
    }
    return 0;
}

String Table_Fault_Text(int prefixSlot, const TTableFault& fault)
{
    String text = Lang_Text(prefixSlot) + IntToStr(fault.Row) + Lang_Text(fault.Slot);
    if (fault.Bound >= 0) text += IntToStr(fault.Bound);
    if (fault.Tail) text += Lang_Text(fault.Tail);
    return text;
}

void Show_Table_Fault(int prefixSlot, const TTableFault& fault)
{
    MessageDlg(Table_Fault_Text(prefixSlot, fault), TMsgDlgType::mtError, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

// ---- CAN frames -------------------------------------------------------------------------------

namespace {

using enum TEditorType;
constexpr TAlignment Centre = TAlignment::taCenter;
constexpr int Time_Max = 100000000;
constexpr int CobID_11_Max = 2047, CobID_29_Max = 0x1FFFFFFF;

// Where a CAN table keeps what its checks read, and the words of each check.
struct TCANRules {
    int Enable, CobID, Type, Dim, On_Timer, Time, First_Byte, Max_Byte;
    int Cob_11_Text, Cob_29_Text, Dim_Text, Time_Text, Byte1_Text, Tail_Text;
};
constexpr TCANRules Receive_Rules{RC_Enable, RC_CobID, RC_Type, RC_Dim, -1, RC_TimeOut, RC_Byte1, CAN_Receive_Max_Byte,
                                  2045, 2046, 2047, 2048, 2049, 2050};
constexpr TCANRules Transmit_Rules{TC_Enable, TC_CobID, TC_Type, TC_Dim, TC_OnTimer, TC_Time, TC_Byte1,
                                   CAN_Transmit_Max_Byte, 2148, 2149, 2150, 2151, 2152, 2153};

bool Is_Y(const String& text)
{
    return Trim(text).toUpper() == QLatin1String("Y");
}

std::optional<TTableFault> Check_CAN(const std::vector<TRowTexts>& rows, const TCANRules& r)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRowTexts& cells = rows[i];
        const int row = int(i) + 1;
        if (!Is_Y(cells[std::size_t(r.Enable)])) continue;
        const int cob = Cell_Number(cells[std::size_t(r.CobID)]);
        if (Trim(cells[std::size_t(r.Type)]) == QLatin1String(CAN_Type_11)) {
            if (cob < 0 || cob > CobID_11_Max) return TTableFault{r.Cob_11_Text, row};
        } else if (cob < 0 || cob > CobID_29_Max) {
            return TTableFault{r.Cob_29_Text, row};
        }
        const int dim = Cell_Number(cells[std::size_t(r.Dim)]);
        if (dim < 1 || dim > 8) return TTableFault{r.Dim_Text, row};
        if (r.On_Timer < 0 || Is_Y(cells[std::size_t(r.On_Timer)])) {
            const int time = Cell_Number(cells[std::size_t(r.Time)]);
            if (time < 0 || time > Time_Max) return TTableFault{r.Time_Text, row};
        }
        // Byte 1's text stands apart from bytes 2 to 8: the closing text lies between them.
        if (const int k = First_Bad_Position(cells, r.First_Byte, dim, r.Max_Byte, true))
            return TTableFault{k == 1 ? r.Byte1_Text : r.Byte1_Text + k, row, r.Max_Byte - 1, r.Tail_Text};
    }
    return std::nullopt;
}

TTableColumns Byte_Columns(int firstHeader, int firstHint)
{
    static const char* const names[] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};
    TTableColumns columns;
    // The pick lists follow the table's data array and are filled at every showing.
    for (int k = 0; k < 8; ++k)
        columns.push_back({.Header = firstHeader + k, .Hint = firstHint + k, .Editor = edComboList, .Width = 50,
                           .Color = Rgb(0xFCD6F4), .Attr = names[k]});
    return columns;
}

TTableColumns Joined(TTableColumns head, const TTableColumns& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

} // namespace

const TTableLayout& CAN_Receive_Layout()
{
    const TColor Frame = Rgb(0xE0FAFE), Trigger = Rgb(0xA8FFA8);
    static const TTableLayout layout{
        nullptr, RC_CobID,
        Joined(Joined(
                   {
                       {.Header = 2008, .Width = 40},
                       {.Header = 2009, .Hint = 2029, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xFFD8B0),
                        .Alignment = Centre, .Attr = "Enable", .Load_Default = "Y"},
                       {.Header = 2010, .Hint = 2030, .Width = 80, .Color = Frame, .Attr = "COBID"},
                       {.Header = 2011, .Hint = 2031, .Editor = edComboList, .Items = {CAN_Type_11, CAN_Type_29},
                        .Width = 100, .Color = Frame, .Attr = "CAN_Type"},
                       {.Header = 2012, .Hint = 2032, .Width = 70, .Color = Frame, .Attr = "Dim"},
                       {.Header = 2013, .Hint = 2034, .Width = 70, .Color = Trigger, .Attr = "TimeOut",
                        .Load_Default = "0"},
                   },
                   Byte_Columns(2014, 2035)),
               {{.Header = 2022, .Hint = 2043, .Width = 180, .Color = clWhite, .Attr = "Mnemonic"}})};
    return layout;
}

const TTableLayout& CAN_Transmit_Layout()
{
    const TColor Frame = Rgb(0xE0FAFE), Trigger = Rgb(0xA8FFA8);
    static const TTableLayout layout{
        nullptr, TC_CobID,
        Joined(Joined(
                   {
                       {.Header = 2108, .Width = 40},
                       {.Header = 2109, .Hint = 2131, .Editor = edDataCheckBox, .Width = 50, .Color = Rgb(0xFFD8B0),
                        .Alignment = Centre, .Attr = "Enable", .Load_Default = "Y"},
                       {.Header = 2110, .Hint = 2132, .Width = 80, .Color = Frame, .Attr = "COBID"},
                       {.Header = 2111, .Hint = 2133, .Editor = edComboList, .Items = {CAN_Type_11, CAN_Type_29},
                        .Width = 100, .Color = Frame, .Attr = "CAN_Type", .Load_Default = CAN_Type_11},
                       {.Header = 2112, .Hint = 2134, .Width = 70, .Color = Frame, .Attr = "Dim"},
                       {.Header = 2113, .Hint = 2135, .Editor = edDataCheckBox, .Width = 65, .Color = Trigger,
                        .Alignment = Centre, .Attr = "OnChange", .Load_Default = "Y"},
                       {.Header = 2162, .Hint = 2163, .Editor = edDataCheckBox, .Width = 55, .Color = Trigger,
                        .Alignment = Centre, .Attr = "OnCMD", .Load_Default = "N"},
                       {.Header = 2114, .Hint = 2136, .Editor = edDataCheckBox, .Width = 60, .Color = Trigger,
                        .Alignment = Centre, .Attr = "OnTimer", .Load_Default = "N"},
                       // Its load default depends on the row's OnTimer: the form decides it.
                       {.Header = 2115, .Hint = 2137, .Width = 60, .Color = Trigger, .Attr = "Time"},
                   },
                   Byte_Columns(2116, 2138)),
               {{.Header = 2124, .Hint = 2146, .Width = 90, .Color = clWhite, .Attr = "Mnemonic"}})};
    return layout;
}

std::optional<TTableFault> Check_CAN_Receive(const std::vector<TRowTexts>& rows)
{
    return Check_CAN(rows, Receive_Rules);
}

std::optional<TTableFault> Check_CAN_Transmit(const std::vector<TRowTexts>& rows)
{
    return Check_CAN(rows, Transmit_Rules);
}

// ---- The CAN frame windows --------------------------------------------------------------------

TCANFrameForm::TCANFrameForm(TComponent* AOwner, int clientWidth, const TTableLayout& layout, int firstByteCol,
                             int maxByte, const TCANFormTexts& texts)
    : TTableForm(AOwner), FLayout(layout), FFirst_Byte_Col(firstByteCol), FMax_Byte(maxByte), FTexts(texts)
{
    Build_Table_Frame(clientWidth, 337);
    FGrid = New_Table_Grid(this, int(layout.Columns.size()), CAN_Frame_Rows + 1);
    FGrid->SetAlign(TAlign::alClient);
    FGrid->OnDblClickCell = nullptr;
    FGrid->OnKeyPress = nullptr;
    Add_Table(FGrid, &layout);
}

void TCANFrameForm::Set_CAN_Texts()
{
    SetCaption(Lang_Text(FTexts.Caption));
    L_SW_Desc->SetCaption(Lang_Text(FTexts.Caption + 1));
    Set_Button_Texts(FTexts.First_Button_Caption, FTexts.First_Button_Hint);
    Set_Column_Texts(FGrid, FLayout.Columns, &Hint());
}

String TCANFrameForm::Delete_Question(int, int row) const
{
    return Lang_Text(FTexts.Delete_Question) + IntToStr(row);
}

void TCANFrameForm::Fill_Lists()
{
    MAX_Byte = FMax_Byte;
    for (int k = 0; k < 8; ++k)
        Fill_Byte_Positions(FGrid->Columns()->Items(FFirst_Byte_Col + k)->ComboItems(), MAX_Byte, true);
}
