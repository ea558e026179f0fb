// The BACnet object rules: object types, properties, data types, byte
// maxima, multi-byte destination addresses, the EDE type mapping, and every
// check of a Read and a Write row in its order.

#include "core/ULanguage.h"
#include "tables/bacnet/UBACnetRules.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

namespace {

constexpr TBACnetTable Read = TBACnetTable::Read, Write = TBACnetTable::Write;

String S(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(BACnetRules, ObjectTypesByNameOrProprietaryNumber)
{
    const struct {
        const char* Text;
        int Read_Code, Write_Code;
    } cases[] = {
        {"Accumulator", 1, -1},          {"Multi-State Input", 2, -1}, {"Multi-State Output", 3, 3},
        {"analog input", 4, -1},         {"Analog Output", 5, 5},      {"  binary input ", 6, -1},
        {"Binary Output", 7, 7},         {"INTEGER VALUE", 8, 8},      {"Large Analog Value", 9, 9},
        {"Positive Integer Value", 10, 10}, {"Multi-State Value", 11, 11}, {"Analog Value", 12, 12},
        {"Binary Value", 13, 13},        {"Life Safety Point", 14, 14}, {"Life Safety Zone", 15, 15},
        {"300", 300, 300},               {" 128 ", 128, 128},          {"1023", 1023, 1023},
        {"127", -1, -1},                 {"1024", -1, -1},             {"$80", 128, 128},
        {"", -1, -1},                    {"Analog", -1, -1},           {"4", -1, -1},
        {"99999999999999999999", -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check_Object_Type(S(c.Text), Read), c.Read_Code) << c.Text;
        EXPECT_EQ(Check_Object_Type(S(c.Text), Write), c.Write_Code) << c.Text;
    }
}

TEST(BACnetRules, PropertiesByTableAndObjectCode)
{
    const struct {
        const char* Text;
        TBACnetTable Table;
        int Code;
        int Result;
    } cases[] = {
        {"Present Value (85)", Read, 4, 100},      {"present value (85)", Write, 300, 100},
        {"Object Identifier (75)", Read, 13, 4},   {"Object Identifier (75)", Write, 12, -1},
        {"Units (117)", Read, 13, -1},             {"Units (117)", Read, 12, 4},
        {"Units (117)", Read, 2, -1},              {"Units (117)", Read, 300, 4},
        {"Units (117)", Write, 12, -1},
        {"Scale (187)", Read, 1, 1},               {"Scale (187)", Read, 12, -1},
        {"PreScale (185)", Read, 1, 5},            {"PreScale (185)", Read, 4, -1},
        {"Polarity (84)", Read, 6, 1},             {"Polarity (84)", Read, 13, 1},
        {"Polarity (84)", Read, 4, -1},
        {"Event State (36)", Read, 9, 4},          {"Status Flags (111)", Read, 9, 1},
        {"Object Type (79)", Read, 9, 2},          {"Number of States (74)", Read, 11, 4},
        {"Number of States (74)", Read, 12, -1},   {"Status Flags (111)", Write, 12, -1},
        {"600", Write, 12, 200},                   {"512", Read, 4, 200},
        {"511", Read, 4, -1},                      {"4184303", Write, 3, 200},
        {"4184304", Write, 3, -1},                 {"4194303", Read, 3, -1},
        {"", Read, 4, -1},                         {"Present Value", Read, 4, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_Property(S(c.Text), c.Table, c.Code), c.Result)
            << c.Text << " table " << int(c.Table) << " code " << c.Code;
}

TEST(BACnetRules, DataTypesOfPresentValueAndTheExpectedOne)
{
    const struct {
        const char* Type;
        int Code;
        int Property;
        int Result;
        const char* Expected;
    } cases[] = {
        {"Unsigned Int", 10, 100, 4, "Unsigned Int"}, {"Real", 10, 100, -1, "Unsigned Int"},
        {"Unsigned Int", 3, 100, 4, "Unsigned Int"},  {"unsigned int", 11, 100, 4, "Unsigned Int"},
        {"Signed Int", 8, 100, 4, "Signed Int"},      {"Real", 5, 100, 4, "Real"},
        {"Real", 12, 100, 4, "Real"},                 {"Double", 12, 100, -1, "Real"},
        {"Double", 9, 100, 8, "Double"},              {"Enumerated", 7, 100, 1, "Enumerated"},
        {"Enumerated", 13, 100, 1, "Enumerated"},     {"Boolean", 13, 100, -1, "Enumerated"},
        {"Boolean", 300, 100, 1, ""},                 {"anything", 1023, 100, 1, ""},
        {"Enumerated", 14, 100, -1, ""},              {"Real", 4, 100, -1, ""},
        {"Double", 12, 200, 1000, ""},                {"", 12, 4, 1000, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check_Data_Type(S(c.Type), c.Code, c.Property), c.Result) << c.Type << " " << c.Code;
        const String expected = Aspected_Data_Type_Value(c.Code, c.Property);
        EXPECT_EQ(expected, S(c.Expected)) << c.Code;
        // The expected type is always one the rule accepts.
        if (!expected.isEmpty()) EXPECT_GE(Check_Data_Type(expected, c.Code, c.Property), 0);
    }
}

TEST(BACnetRules, ByteMaximumOfEachDataType)
{
    const std::pair<const char*, int> cases[] = {
        {"Null", 0},       {"Boolean", 1},       {"Unsigned Int", 4}, {"Signed Int", 4},       {"Real", 4},
        {"Double", 8},     {"Octet String", 255}, {"Character String", 255}, {"Bit String", 120},
        {"Enumerated", 4}, {"Date", 4},           {"Time", 4},        {"Object ID", 4},        {" double ", 8},
        {"", 255},         {"Float", 255},
    };
    for (const auto& [type, most] : cases) EXPECT_EQ(Check_Num_Byte_Max(S(type)), most) << type;
}

TEST(BACnetRules, MultiByteDestinationAddresses)
{
    const struct {
        const char* Text;
        int N;
        int Read_Slot;  // 0: passes; the Write table's slot is one above
    } cases[] = {
        {"1,2", 2, 0},        {" 1 , 255 ", 2, 0},   {"1, 2 ,3", 2, 1484}, {"7", 2, 1488},
        {"1,,2", 2, 1482},    {"", 2, 1488},         {"   ", 3, 1488},     {"1,2,3", 3, 0},
        {"1,2", 3, 1488},     {"1,2,3,4", 3, 1484},  {"1,300,3", 3, 1482}, {"1,2,", 2, 1482},
        {"$FF", 1, 0},        {"-1", 1, 1482},       {"1,2,3,4,5,6,7,8", 8, 0}, {"a,1", 2, 1482},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Dest_Add_Fault(S(c.Text), c.N, Read), c.Read_Slot) << c.Text << " M" << c.N;
        EXPECT_EQ(Dest_Add_Fault(S(c.Text), c.N, Write), c.Read_Slot ? c.Read_Slot + 1 : 0) << c.Text;
    }
}

TEST(BACnetRules, DestinationRefusalShowsOneBoxWithTableAndRow)
{
    Load_Default_Texts();
    TTestSeams seams;
    EXPECT_FALSE(Check_Dest_Add(S("1,2"), 2, Write, 4));
    EXPECT_TRUE(seams.Boxes.empty());
    EXPECT_TRUE(Check_Dest_Add(S("1,2,3"), 2, Write, 4));
    ASSERT_EQ(seams.Boxes.size(), 1u);
    EXPECT_EQ(seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_EQ(seams.Boxes[0].Text, S("Error in Write, row 4!! Destination Address has too many bytes"));
    EXPECT_TRUE(Check_Dest_Add(S(""), 3, Read, 1));
    EXPECT_EQ(seams.Boxes.back().Text, S("Error in Read, row 1!! Destination Address has too few bytes"));
}

TEST(BACnetRules, EDETypeMapping)
{
    const struct {
        int Ede;
        const char* Name;
        const char* Data;
        int Bytes;
    } cases[] = {
        {0, "Analog Input", "Real", 4},          {1, "Analog Output", "Real", 4},
        {2, "Analog Value", "Real", 4},          {3, "Binary Input", "Enumerated", 1},
        {4, "Binary Output", "Enumerated", 1},   {5, "Binary Value", "Enumerated", 1},
        {13, "Multi-State Input", "Unsigned Int", 4}, {14, "Multi-State Output", "Unsigned Int", 4},
        {19, "Multi-State Value", "Unsigned Int", 4}, {21, "Life Safety Point", "Enumerated", 2},
        {22, "Life Safety Zone", "Enumerated", 2}, {23, "Accumulator", "Unsigned Int", 4},
        {45, "Integer Value", "Signed Int", 4},  {46, "Large Analog Value", "Double", 8},
        {48, "Positive Integer Value", "Unsigned Int", 4},
        {8, "", "Null", 4},                      {-1, "", "Null", 4},     {47, "", "Null", 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Get_ObjType_EDE(c.Ede), S(c.Name)) << c.Ede;
        EXPECT_EQ(Get_DataType_EDE(c.Ede), S(c.Data)) << c.Ede;
        EXPECT_EQ(Get_NumByte_EDE(c.Ede), c.Bytes) << c.Ede;
        // A mapped name is a type both rules know.
        if (*c.Name) EXPECT_GT(Check_Object_Type(S(c.Name), Read), 0);
    }
}

TEST(BACnetRules, NByteHintOfTheReadTable)
{
    const struct {
        const char* Type;
        const char* Property;
        const char* Hint;
    } cases[] = {
        {"Analog Input", "Present Value (85)", "4"},   {"Binary Input", "Present Value (85)", "1"},
        {"Binary Output", "Present Value (85)", "1"},  {"Large Analog Value", "Present Value (85)", "8"},
        {"Accumulator", "Present Value (85)", "4"},    {"Positive Integer Value", "Present Value (85)", "4"},
        {"Analog Value", "Present Value (85)", ""},    {"Binary Value", "Present Value (85)", ""},
        {"Multi-State Value", "Present Value (85)", ""}, {"300", "Present Value (85)", ""},
        {"Accumulator", "PreScale (185)", "5"},        {"Analog Input", "Object Type (79)", "2"},
        {"Binary Value", "Units (117)", ""},           {"Analog Input", "600", ""},
        {"", "Present Value (85)", ""},                {"Analog Input", "  ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BACnet_Read_NByte_Hint(S(c.Type), S(c.Property)), S(c.Hint)) << c.Type << " / " << c.Property;
}

// ---- Rows ---------------------------------------------------------------------------------------

TRowTexts Read_Row()
{
    TRowTexts row(BR_Col_Count);
    row[BR_Enable] = "Y";
    row[BR_Address] = "10.0.0.5";
    row[BR_Object_Type] = "Analog Input";
    row[BR_Instance] = "1";
    row[BR_Property] = "Present Value (85)";
    row[BR_NByte] = "4";
    row[BR_En_Dest] = "N";
    row[BR_Poll_Time] = "1000";
    row[BR_Max_Err] = "0";
    return row;
}

TRowTexts Write_Row()
{
    TRowTexts row(BW_Col_Count);
    row[BW_Enable] = "Y";
    row[BW_Address] = "10.0.0.5";
    row[BW_Object_Type] = "Analog Value";
    row[BW_Data_Type] = "Real";
    row[BW_Instance] = "1";
    row[BW_Property] = "Present Value (85)";
    row[BW_Priority] = "0";
    row[BW_NByte] = "4";
    row[BW_En_Dest] = "N";
    row[BW_Timer] = "N";
    row[BW_Max_Err] = "0";
    return row;
}

// Each case breaks cells of an otherwise valid row (and, where order
// matters, a later cell too, which must not be the one reported).
TEST(BACnetRules, EveryRowCheckInItsOrder)
{
    Load_Default_Texts();
    struct TCase {
        bool Write;
        int Type;
        std::vector<std::pair<int, const char*>> Cells;
        int Slot;  // 0: passes
        const char* Tail = "";
    };
    const TCase cases[] = {
        {false, 0, {}, 0},
        {true, 0, {}, 0},
        // The device address by type; type 2 checks none.
        {false, 0, {{BR_Address, "10.0.0"}, {BR_Object_Type, ""}}, 1438},
        {false, 0, {{BR_Address, " 10.0.0.300 "}}, 1438},
        {false, 1, {{BR_Address, "10.0.0.5"}}, 1439},
        {false, 1, {{BR_Address, " 254 "}}, 0},
        {false, 1, {{BR_Address, "255"}}, 1439},
        {false, 2, {{BR_Address, "anything"}}, 0},
        {true, 0, {{BW_Address, ""}}, 1447},
        {true, 1, {{BW_Address, "-1"}}, 1448},
        // Object type, instance, property.
        {false, 0, {{BR_Object_Type, "Analog"}, {BR_Instance, "-1"}}, 1440},
        {true, 0, {{BW_Object_Type, "Analog Input"}}, 1449},
        {false, 0, {{BR_Instance, "4294967295"}}, 0},
        {false, 0, {{BR_Instance, "4294967296"}, {BR_Property, ""}}, 1441},
        {true, 0, {{BW_Instance, ""}}, 1450},
        {false, 0, {{BR_Object_Type, "Binary Value"}, {BR_Property, "Units (117)"}}, 1442},
        {true, 0, {{BW_Property, "Units (117)"}}, 1451},
        // Read byte count, poll time, max error.
        {false, 0, {{BR_NByte, "256"}}, 1443},
        {false, 0, {{BR_NByte, ""}}, 1443},
        {false, 0, {{BR_Poll_Time, ""}}, 1444},
        {false, 0, {{BR_Poll_Time, "100000001"}}, 1444},
        {false, 0, {{BR_Max_Err, "65536"}}, 1445},
        {false, 0, {{BR_Max_Err, "65535"}}, 0},
        // Write data type with or without an expected name.
        {true, 0, {{BW_Data_Type, "Double"}}, 1458, "Real"},
        {true, 0, {{BW_Object_Type, "Positive Integer Value"}, {BW_Data_Type, "Real"}}, 1458, "Unsigned Int"},
        {true, 0, {{BW_Object_Type, "Life Safety Zone"}, {BW_Data_Type, "Enumerated"}}, 1452},
        {true, 0, {{BW_Property, "600"}, {BW_Data_Type, "Double"}, {BW_NByte, "8"}}, 0},
        {true, 0, {{BW_Priority, "17"}}, 1453},
        {true, 0, {{BW_Priority, "16"}}, 0},
        // Write byte count against the data type's maximum.
        {true, 0, {{BW_Object_Type, "300"}, {BW_Data_Type, "Boolean"}, {BW_NByte, "1"}}, 0},
        {true, 0, {{BW_Object_Type, "300"}, {BW_Data_Type, "Boolean"}, {BW_NByte, "0"}}, 0},
        {true, 0, {{BW_Object_Type, "300"}, {BW_Data_Type, "Boolean"}, {BW_NByte, "2"}}, 1454, "1"},
        {true, 0, {{BW_Object_Type, "300"}, {BW_Data_Type, "Character String"}, {BW_NByte, "255"}}, 0},
        {true, 0, {{BW_Object_Type, "300"}, {BW_Data_Type, "Character String"}, {BW_NByte, "256"}}, 1454, "255"},
        // Poll time only with the timer; max error always.
        {true, 0, {{BW_Timer, "N"}, {BW_Poll_Time, ""}}, 0},
        {true, 0, {{BW_Timer, "y"}, {BW_Poll_Time, ""}}, 1455},
        {true, 0, {{BW_Timer, "Y"}, {BW_Poll_Time, "100000000"}}, 0},
        {true, 0, {{BW_Max_Err, "x"}}, 1456},
        // Destinations.
        {false, 0, {{BR_En_Dest, " y "}, {BR_D_Net, "0"}}, 1470},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "3"}}, 1471},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "M9"}}, 1486},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, ""}}, 1486},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "1"}, {BR_D_Add, "256"}}, 1472},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "1"}, {BR_D_Add, "0"}}, 0},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "2"}, {BR_D_Add, "0"}}, 1473},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "65535"}, {BR_D_Len, "6"}, {BR_D_Add, " 10.0.0.1:47808 "}}, 0},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "6"}, {BR_D_Add, "10.0.0.1"}}, 1474},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "m3"}, {BR_D_Add, "1 , 2 , 3"}}, 0},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "M3"}, {BR_D_Add, "1,2"}}, 1488},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "M3"}, {BR_D_Add, "1,2,3,4"}}, 1484},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "M3"}, {BR_D_Add, "1,300,3"}}, 1482},
        {false, 0, {{BR_En_Dest, "Y"}, {BR_D_Net, "1"}, {BR_D_Len, "M3"}, {BR_D_Add, ""}}, 1488},
        {false, 0, {{BR_En_Dest, "N"}, {BR_D_Net, "0"}, {BR_D_Len, "x"}}, 0},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "70000"}}, 1475},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "4"}}, 1476},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "M0"}}, 1487},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "1"}, {BW_D_Add, ""}}, 1477},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "2"}, {BW_D_Add, "65536"}}, 1478},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "6"}, {BW_D_Add, "1.2.3.4:65536"}}, 1479},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "M2"}, {BW_D_Add, "1,2,3"}}, 1485},
        {true, 0, {{BW_En_Dest, "Y"}, {BW_D_Net, "1"}, {BW_D_Len, "M2"}, {BW_D_Add, "1,2"}}, 0},
    };
    for (const TCase& c : cases) {
        std::vector<TRowTexts> read{Read_Row()}, write{Write_Row()};
        // A disabled row before it is never judged, however broken.
        TRowTexts off = c.Write ? Write_Row() : Read_Row();
        off[1] = "y";
        off[3] = "broken";
        (c.Write ? write : read).push_back(off);
        TRowTexts& row = c.Write ? write.emplace_back(Write_Row()) : read.emplace_back(Read_Row());
        // A slave ID in every row where the type wants one.
        if (c.Type == 1) {
            for (TRowTexts& r : read) r[BR_Address] = "7";
            for (TRowTexts& r : write) r[BW_Address] = "7";
        }
        for (const auto& [col, text] : c.Cells) row[std::size_t(col)] = S(text);
        const auto fault = Check_BACnet_Tables(read, write, c.Type);
        SCOPED_TRACE(::testing::Message() << (c.Write ? "write" : "read") << " type " << c.Type << " expecting "
                                          << c.Slot);
        if (c.Slot == 0) {
            EXPECT_FALSE(fault) << fault->Slot;
            continue;
        }
        ASSERT_TRUE(fault);
        const TBACnetTable table = c.Write ? Write : Read;
        EXPECT_EQ(*fault, (TBACnetFault{table, 3, c.Slot, S(c.Tail)}));
        EXPECT_EQ(BACnet_Fault_Text(*fault),
                  Lang_Text(c.Write ? 1446 : 1437) + "3" + Lang_Text(c.Slot) + S(c.Tail));
    }
}

TEST(BACnetRules, MessagesAsTheUserReadsThem)
{
    Load_Default_Texts();
    EXPECT_EQ(BACnet_Fault_Text({Write, 2, 1458, "Real"}),
              S("Error in Write, row 2!! Data Type is not correct. Aspected Data Type is Real"));
    EXPECT_EQ(BACnet_Fault_Text({Write, 7, 1454, "1"}), S("Error in Write, row 7!! NByte must be between 0 and 1"));
    // The maximum the message names is kept as the window has always shown it.
    EXPECT_EQ(BACnet_Fault_Text({Read, 1, 1445, ""}), S("Error in Read, row 1!! Max Err must be between 0 and 655535"));
}

TEST(BACnetRules, TheReadTableIsCheckedBeforeTheWriteTable)
{
    TRowTexts bad_read = Read_Row(), bad_write = Write_Row();
    bad_read[BR_NByte] = "300";
    bad_write[BW_Priority] = "99";
    const auto fault = Check_BACnet_Tables({Read_Row(), bad_read}, {bad_write}, 0);
    ASSERT_TRUE(fault);
    EXPECT_EQ(*fault, (TBACnetFault{Read, 2, 1443, {}}));
    // A Write row's destination is its own, whatever the Read row holds.
    TRowTexts write = Write_Row(), read = Read_Row();
    read[BR_En_Dest] = "Y";
    read[BR_Enable] = "N";
    write[BW_En_Dest] = "Y";
    write[BW_D_Net] = "5";
    write[BW_D_Len] = "M2";
    write[BW_D_Add] = "1,2";
    EXPECT_FALSE(Check_BACnet_Tables({read}, {write}, 0));
}

} // namespace
