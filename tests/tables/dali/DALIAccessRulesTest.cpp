// The three validation passes of the DALI rule tables over cell texts, under
// both decimal settings, and the event-to-condition rule.

#include "core/ULanguage.h"
#include "platform/Regional.h"
#include "tables/dali/UDALI_AccessRules.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

struct DecimalSetting {
    explicit DecimalSetting(QChar sep) : FOld(FormatSettings())
    {
        TFormatSettings s = FOld;
        s.DecimalSeparator = sep;
        s.ThousandSeparator = sep == u',' ? u'.' : u',';
        s.ProfileDecimal = String(sep);
        SetFormatSettings(s);
    }
    ~DecimalSetting() { SetFormatSettings(FOld); }
    TFormatSettings FOld;
};

// Three function rows and two rules that pass every check.
TDALI2Tables Valid_Tables()
{
    TDALI2Tables t;
    t.Functions.push_back({"Addition", "When Equal to Value", "Short Press", "DALI Channel 0", "1", "2", "a"});
    t.Functions.push_back({"Toggle", "AND Logic with Value", "Occupied", "", "", "3", "b"});
    t.Functions.push_back({"Set Out", "No Condition", "12.5", "", "", "", "c"});
    t.Rules.push_back({true, {"Device", "Led Lamp", "0", "0", "0", "0", "0", "3 - c", "0", "1", ""}});
    t.Rules.push_back({true, {"Sensor", "Push Button", "63", "255", "255", "100000000", "100000000", "", "1440", "", ""}});
    return t;
}

struct Case {
    const char* Name;
    std::function<void(TDALI2Tables&)> Change;
    TDALIFault Expected; // Slot 0: passes
};

void Check_Case(const Case& c, QChar sep)
{
    SCOPED_TRACE(std::string(c.Name) + " with separator " + char(sep.unicode()));
    DecimalSetting setting(sep);
    TDALI2Tables t = Valid_Tables();
    c.Change(t);
    const std::optional<TDALIFault> fault = Check_DALI_Tables(t, sep);
    if (c.Expected.Slot == 0)
        EXPECT_FALSE(fault.has_value()) << (fault ? fault->Slot : 0);
    else
        EXPECT_EQ(fault.value_or(TDALIFault{}), c.Expected);
}

auto Fun(int row, int cell, const char* text)
{
    return [=](TDALI2Tables& t) { t.Functions[std::size_t(row - 1)][std::size_t(cell - 1)] = text; };
}
auto Rule(int row, int col, const char* text)
{
    return [=](TDALI2Tables& t) { t.Rules[std::size_t(row - 1)].Cells[std::size_t(col - 2)] = text; };
}

TEST(DALIAccessRules, FunctionPasses)
{
    const Case cases[] = {
        {"valid tables", [](TDALI2Tables&) {}, {}},
        {"empty condition", Fun(2, 2, "  "), {2550, 2}},
        {"button event needs equal", Fun(1, 2, "No Condition"), {2564, 1}},
        {"occupied with equal", Fun(2, 2, "When Equal to Value"), {2566, 2}},
        {"vacant needs nand", [](TDALI2Tables& t) { t.Functions[1][2] = "Vacant"; }, {2565, 2}},
        {"vacant with nand", [](TDALI2Tables& t) { t.Functions[1][2] = "Vacant"; t.Functions[1][1] = "NAND Logic with Value"; }, {}},
        {"events are exact", Fun(2, 3, "occupied"), {2551, 2}},
        {"comma value", Fun(3, 3, "12,5"), {}},
        {"point value", Fun(3, 3, " 12.5 "), {}},
        {"negative value", Fun(3, 3, "-3"), {}},
        {"word value", Fun(3, 3, "abc"), {2551, 3}},
        {"empty value", Fun(3, 3, ""), {2551, 3}},
        {"two separators", Fun(3, 3, "1.2,5"), {2551, 3}},
        {"next at n", Fun(1, 6, "3"), {}},
        {"next zero", Fun(1, 6, "0"), {}},
        {"next above n", Fun(1, 6, "4"), {2552, 1, 3}},
        {"next negative", Fun(2, 6, "-1"), {2552, 2, 3}},
        {"next not a number", Fun(2, 6, "x"), {2552, 2, 3}},
        {"pass 1 before pass 2", [](TDALI2Tables& t) { t.Functions[0][5] = "9"; t.Functions[2][2] = "x"; }, {2551, 3}},
        {"rows after an empty key are not checked",
         [](TDALI2Tables& t) { t.Functions[1][0] = " "; t.Functions[2][1] = ""; t.Rules[0].Cells[7] = "1 - a"; t.Functions[0][5] = "1"; }, {}},
        {"cut table shrinks n", [](TDALI2Tables& t) { t.Functions[2][0] = ""; }, {2552, 2, 2}},
        {"rule function beyond a cut table", [](TDALI2Tables& t) { t.Functions[2][0] = ""; t.Functions[1][5] = ""; }, {2553, 1, 2}},
    };
    for (QChar sep : {QChar(u','), QChar(u'.')})
        for (const Case& c : cases) Check_Case(c, sep);
}

TEST(DALIAccessRules, RulePass)
{
    const Case cases[] = {
        {"device type any case", Rule(1, 3, " led lamp "), {}},
        {"device with sensor type", Rule(1, 3, "Push Button"), {2529, 1}},
        {"sensor with device type", Rule(2, 3, "Dimmer"), {2530, 2}},
        {"other dev/sen counts as sensor", [](TDALI2Tables& t) { t.Rules[0].Cells[0] = "device"; }, {2530, 1}},
        {"channel 64", Rule(1, 4, "64"), {2531, 1}},
        {"channel empty", Rule(1, 4, ""), {2531, 1}},
        {"instance 256", Rule(2, 5, "256"), {2532, 2}},
        {"command 256", Rule(2, 6, "256"), {2536, 2}},
        {"command -1", Rule(1, 6, "-1"), {2536, 1}},
        {"time send too big", Rule(1, 7, "100000001"), {2533, 1}},
        {"timeout too big", Rule(1, 8, "4294967296"), {2534, 1}},
        {"function above n", Rule(1, 9, "4 - "), {2553, 1, 3}},
        {"function none", Rule(1, 9, "0 - None"), {}},
        {"function bare number", Rule(1, 9, "2"), {}},
        {"function not a number", Rule(1, 9, "x - y"), {2553, 1, 3}},
        {"position 1441", Rule(2, 10, "1441"), {2535, 2, 1440}},
        {"position 1440", Rule(1, 10, "1440"), {}},
        {"disabled rule is not checked", [](TDALI2Tables& t) { t.Rules[0].Enable = false; t.Rules[0].Cells[2] = "99"; }, {}},
        {"rules after an empty dev/sen are not checked",
         [](TDALI2Tables& t) { t.Rules[0].Cells[0] = ""; t.Rules[1].Cells[2] = "99"; }, {}},
        {"type checked before channel", [](TDALI2Tables& t) { t.Rules[0].Cells[1] = ""; t.Rules[0].Cells[2] = "99"; }, {2529, 1}},
        {"functions checked before rules", [](TDALI2Tables& t) { t.Rules[0].Cells[2] = "99"; t.Functions[2][2] = "x"; }, {2551, 3}},
    };
    for (QChar sep : {QChar(u','), QChar(u'.')})
        for (const Case& c : cases) Check_Case(c, sep);
}

TEST(DALIAccessRules, AnEmptyFunctionsTableAllowsOnlyFunctionZero)
{
    TDALI2Tables t = Valid_Tables();
    t.Functions.clear();
    EXPECT_EQ(Check_DALI_Tables(t, u'.').value_or(TDALIFault{}), (TDALIFault{2553, 1, 0}));
    t.Rules[0].Cells[7] = "0 - None";
    EXPECT_FALSE(Check_DALI_Tables(t, u'.').has_value());
}

TEST(DALIAccessRules, FaultTextsAreFormattedWithRowAndBound)
{
    Load_Default_Texts();
    EXPECT_EQ(DALI_Fault_Text({2552, 1, 3}), "Functions - Error Row 1!! Next Function must be between 0 and 3");
    EXPECT_EQ(DALI_Fault_Text({2535, 7, 1440}), "Set Access - Error Row 7!! Position Must be Between 0 and 1440");
    EXPECT_EQ(DALI_Fault_Text({2565, 2}),
              "Function - Error Row 2!! Condition for this Event / Value must be \"NAND Logic with Value\"");
}

TEST(DALIAccessRules, EventsDecideTheConditionExactly)
{
    EXPECT_EQ(DALI_Condition_For_Event("Vacant"), DALI_Cond_Nand);
    EXPECT_EQ(DALI_Condition_For_Event("Short Press"), DALI_Cond_Equal);
    EXPECT_EQ(DALI_Condition_For_Event("Movement Sensor"), DALI_Cond_And);
    EXPECT_EQ(DALI_Condition_For_Event("vacant"), "");
    EXPECT_EQ(DALI_Condition_For_Event("12,5"), "");
    EXPECT_EQ(DALI_Event_Names.size(), 17u);
}

TEST(DALIAccessRules, PickListsAndCuts)
{
    EXPECT_EQ(DALI_Function_Pick_List({"up", ""}), (std::vector<String>{"0 - None", "1 - up", "2 - "}));
    const std::vector<String> channels = DALI_Channel_Names();
    ASSERT_EQ(channels.size(), 81u);
    EXPECT_EQ(channels[63], "DALI Channel 63");
    EXPECT_EQ(channels[64], "DALI Group 1");
    EXPECT_EQ(channels[80], "DALI Broadcast");
    TDALI2Tables t = Valid_Tables();
    t.Rules[1].Cells[0] = "\t";
    const TDALI2Tables cut = DALI_Cut_At_Key(t);
    EXPECT_EQ(cut.Functions.size(), 3u);
    EXPECT_EQ(cut.Rules.size(), 1u);
}

} // namespace
