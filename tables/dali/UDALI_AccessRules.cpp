#include "tables/dali/UDALI_AccessRules.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/SysUtils.h"

#include <algorithm>

const std::vector<String> DALI_Dev_Sen_List = {QStringLiteral("Device"), QStringLiteral("Sensor")};

const std::vector<String> DALI_Device_Types = {
    QStringLiteral("Fluorescent Lamp"), QStringLiteral("Emergency Lamp"), QStringLiteral("High Voltage Discharge"),
    QStringLiteral("Alogen Lamp"),      QStringLiteral("Dimmer"),         QStringLiteral("Converter"),
    QStringLiteral("Led Lamp"),         QStringLiteral("Actuator On Off"), QStringLiteral("Color Control"),
    QStringLiteral("Sequencer")};

const std::vector<String> DALI_Sensor_Types = {
    QStringLiteral("Generic Input"), QStringLiteral("Push Button"),  QStringLiteral("Absolute Input"),
    QStringLiteral("Occupancy Sensor"), QStringLiteral("Light Sensor"), QStringLiteral("Color Sensor"),
    QStringLiteral("Relative Input")};

const std::vector<String> DALI_Num_Bytes_List = {QStringLiteral("1"), QStringLiteral("2")};

const std::vector<String> DALI_Function_Names = {
    QStringLiteral("Function Null"), QStringLiteral("Multiplication"), QStringLiteral("Division"),
    QStringLiteral("Addition"),      QStringLiteral("Subtraction"),    QStringLiteral("Set Out"),
    QStringLiteral("Dim Up"),        QStringLiteral("Dim Down"),       QStringLiteral("Toggle"),
    QStringLiteral("Ramp Start"),    QStringLiteral("Ramp Stop")};

const std::vector<String> DALI_Condition_Names = {
    QStringLiteral("No Condition"),         QStringLiteral("When Equal to Value"),  QStringLiteral("When Lower to Value"),
    QStringLiteral("When Greater to Value"), QStringLiteral("AND Logic with Value"), QStringLiteral("OR Logic with Value"),
    QStringLiteral("XOR Logic with Value"), QStringLiteral("NAND Logic with Value"), QStringLiteral("NOR Logic with Value")};

namespace {

const std::vector<String> Button_Events = {
    QStringLiteral("Button Released"), QStringLiteral("Button Pressed"),    QStringLiteral("Short Press"),
    QStringLiteral("Double Press"),    QStringLiteral("Long Press Start"),  QStringLiteral("Long Press Repeat"),
    QStringLiteral("Long Press Stop"), QStringLiteral("Button Free"),       QStringLiteral("Button Stuck")};
const std::vector<String> Nand_Events = {QStringLiteral("No Movement"), QStringLiteral("Vacant"),
                                         QStringLiteral("Presence Sensor")};
const std::vector<String> And_Events = {QStringLiteral("Movement"), QStringLiteral("Still Vacant"),
                                        QStringLiteral("Occupied"), QStringLiteral("Still Occupied"),
                                        QStringLiteral("Movement Sensor")};

bool Holds(const std::vector<String>& list, const String& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}

bool Holds_Any_Case(const std::vector<String>& list, const String& text)
{
    return std::any_of(list.begin(), list.end(), [&](const String& entry) { return AnsiSameText(entry, text); });
}

int Int_Or(const String& text, int fallback)
{
    return StrToIntDef(text, fallback);
}

bool In_Range(const String& text, int low, int high)
{
    const int v = Int_Or(text, -1);
    return v >= low && v <= high;
}

// The condition slot of each event kind, in the order of DALI_Condition_For_Event.
int Condition_Fault_Slot(const String& condition)
{
    if (condition == DALI_Cond_Equal) return 2564;
    if (condition == DALI_Cond_Nand) return 2565;
    return 2566;
}

std::optional<TDALIFault> Check_Functions(const std::vector<TDALIFunctionRow>& rows, int n, QChar decimal)
{
    for (int i = 0; i < n; ++i) {
        const TDALIFunctionRow& cells = rows[std::size_t(i)];
        const int row = i + 1;
        const String condition = Trim(cells[1]);
        if (condition.isEmpty()) return TDALIFault{2550, row};
        const String event = Trim(cells[2]);
        const String required = DALI_Condition_For_Event(event);
        if (!required.isEmpty()) {
            if (condition != required) return TDALIFault{Condition_Fault_Slot(required), row};
            continue;
        }
        float value = 0;
        if (!Str_To_Single(event, decimal, value)) return TDALIFault{2551, row};
    }
    for (int i = 0; i < n; ++i) {
        const String next = Trim(rows[std::size_t(i)][5]);
        if (next.isEmpty()) continue;
        const int v = Int_Or(next, 500000);
        if (v < 0 || v > n) return TDALIFault{2552, i + 1, n};
    }
    return std::nullopt;
}

std::optional<TDALIFault> Check_Rules(const std::vector<TDALIRuleRow>& rows, int count, int n)
{
    for (int i = 0; i < count; ++i) {
        const TDALIRuleRow& rule = rows[std::size_t(i)];
        if (!rule.Enable) continue;
        const int row = i + 1;
        const auto& c = rule.Cells;
        const String type = Trim(c[1]);
        if (Trim(c[0]) == QStringLiteral("Device")) {
            if (!Holds_Any_Case(DALI_Device_Types, type)) return TDALIFault{2529, row};
        } else if (!Holds_Any_Case(DALI_Sensor_Types, type)) {
            return TDALIFault{2530, row};
        }
        if (!In_Range(c[2], 0, 63)) return TDALIFault{2531, row};
        if (!In_Range(c[3], 0, 255)) return TDALIFault{2532, row};
        if (!In_Range(c[4], 0, 255)) return TDALIFault{2536, row};
        if (!In_Range(c[5], 0, 100000000)) return TDALIFault{2533, row};
        if (!In_Range(c[6], 0, 100000000)) return TDALIFault{2534, row};
        const String function = Trim(c[7]);
        if (!function.isEmpty()) {
            const int blank = function.indexOf(u' ');
            const String number = Trim(blank < 0 ? function : function.left(blank));
            const int v = Int_Or(number, 5000000);
            if (v < 0 || v > n) return TDALIFault{2553, row, n};
        }
        if (!In_Range(c[8], 0, 1440)) return TDALIFault{2535, row, 1440};
    }
    return std::nullopt;
}

template <class Row, class Key>
int Key_Rows(const std::vector<Row>& rows, Key key)
{
    int n = 0;
    while (n < int(rows.size()) && !Trim(key(rows[std::size_t(n)])).isEmpty()) ++n;
    return n;
}

} // namespace

const std::vector<String> DALI_Event_Names = [] {
    std::vector<String> events = Button_Events;
    events.insert(events.end(), Nand_Events.begin(), Nand_Events.end());
    events.insert(events.end(), And_Events.begin(), And_Events.end());
    return events;
}();

std::vector<String> DALI_Channel_Names()
{
    std::vector<String> names;
    for (int i = 0; i < 64; ++i) names.push_back(QStringLiteral("DALI Channel ") + String::number(i));
    for (int i = 1; i <= 16; ++i) names.push_back(QStringLiteral("DALI Group ") + String::number(i));
    names.push_back(QStringLiteral("DALI Broadcast"));
    return names;
}

std::vector<String> DALI_Function_Pick_List(const std::vector<String>& mnemonics)
{
    std::vector<String> list{DALI_No_Function};
    for (std::size_t r = 0; r < mnemonics.size(); ++r)
        list.push_back(String::number(r + 1) + QStringLiteral(" - ") + mnemonics[r]);
    return list;
}

String DALI_Condition_For_Event(const String& event)
{
    if (Holds(Button_Events, event)) return DALI_Cond_Equal;
    if (Holds(Nand_Events, event)) return DALI_Cond_Nand;
    if (Holds(And_Events, event)) return DALI_Cond_And;
    return {};
}

int DALI_Function_Key_Rows(const std::vector<TDALIFunctionRow>& rows)
{
    return Key_Rows(rows, [](const TDALIFunctionRow& r) { return r[0]; });
}

int DALI_Rule_Key_Rows(const std::vector<TDALIRuleRow>& rows)
{
    return Key_Rows(rows, [](const TDALIRuleRow& r) { return r.Cells[0]; });
}

TDALI2Tables DALI_Cut_At_Key(const TDALI2Tables& tables)
{
    TDALI2Tables cut;
    cut.Functions.assign(tables.Functions.begin(), tables.Functions.begin() + DALI_Function_Key_Rows(tables.Functions));
    cut.Rules.assign(tables.Rules.begin(), tables.Rules.begin() + DALI_Rule_Key_Rows(tables.Rules));
    return cut;
}

std::optional<TDALIFault> Check_DALI_Tables(const TDALI2Tables& tables, QChar decimal)
{
    const int n = DALI_Function_Key_Rows(tables.Functions);
    if (auto fault = Check_Functions(tables.Functions, n, decimal)) return fault;
    return Check_Rules(tables.Rules, DALI_Rule_Key_Rows(tables.Rules), n);
}

String DALI_Fault_Text(const TDALIFault& fault)
{
    if (fault.Bound < 0) return Format(Lang_Text(fault.Slot), {fault.Row});
    return Format(Lang_Text(fault.Slot), {fault.Row, fault.Bound});
}
