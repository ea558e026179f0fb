// The EDE reader: where the data begin, how a line splits into fields,
// which objects are kept, and the file's encodings.

#include "platform/TextCodec.h"
#include "tables/bacnet/UEDEFile.h"
#include "tests/common/TestUtil.h"

#include <gtest/gtest.h>

namespace {

String S(const char* text)
{
    return QString::fromUtf8(text);
}

// The EDE template's header: the marker on line 7, the column titles on 8.
const char* const Template_Header =
    "PROJECT_NAME;Plant\n"
    "VERSION_OF_REFERENCEFILE;1\n"
    "TIMESTAMP_OF_LAST_CHANGE;2026-01-01\n"
    "AUTHOR_OF_LAST_CHANGE;someone\n"
    "VERSION_OF_LAYOUT;2\n"
    "\n"
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional\n"
    "keyname;device obj.-instance;object-name;object-type;object-instance;description;present-value-default\n";

std::vector<String> Names(const TBACnet_Var_List& list)
{
    std::vector<String> names;
    for (const auto& var : list) names.push_back(var->Obj_Name);
    return names;
}

TEST(EDEFile, DataStartTwoLinesBelowTheMarker)
{
    const struct {
        const char* Name;
        String Text;
        std::vector<String> Objects;
    } cases[] = {
        {"marker on line 7", S(Template_Header) + "k1;7;temp;0;1;a\nk2;7;valve;1;2;b\n", {"temp", "valve"}},
        {"CRLF lines", String(S(Template_Header) + "k1;7;temp;0;1;a\nk2;7;valve;1;2;b\n").replace("\n", "\r\n"),
         {"temp", "valve"}},
        {"marker on line 10", S("a\nb\nc\nd\ne\nf\ng\nh\ni\n#mandatory;x\ntitles\nk1;7;lamp;4;1;\n"), {"lamp"}},
        // Line 7 wins over a later marker; away from line 7 the last one counts.
        {"line 7 and a later marker",
         S(Template_Header) + "k1;7;first;0;1;a\n# mandatory again\ntitles\nk2;7;second;0;2;b\n",
         {"first", "second"}},
        {"two markers elsewhere", S("#  mandatory\ntitles\nk1;7;early;0;1;\n#mandatory\ntitles\nk2;7;late;0;2;\n"),
         {"late"}},
        {"short file", S("  #mandatory\ntitles\nk;7;only;2;1;desc"), {"only"}},
        {"no marker", S("# optional\ntitles\nk1;7;temp;0;1;a\n"), {}},
        {"marker is case-sensitive", S("#Mandatory\ntitles\nk1;7;temp;0;1;a\n"), {}},
        {"marker text after other text", S("x # mandatory\ntitles\nk1;7;temp;0;1;a\n"), {}},
        {"empty", S(""), {}},
        {"blank data lines skipped", S("#mandatory\ntitles\n\n   \nk1;7;temp;0;1;a\n\n"), {"temp"}},
        {"marker on the last line", S("#mandatory"), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Names(Parse_EDE_Text(c.Text)), c.Objects) << c.Name;
}

TEST(EDEFile, OnlyTheSupportedObjectTypesAreListed)
{
    String text = S("#mandatory\ntitles\n");
    const int supported[] = {0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 45, 46, 48};
    for (int type = -1; type <= 60; ++type) text += QStringLiteral("k;1;o%1;%1;1;\n").arg(type);
    text += S("k;1;text;analog;1;\n");
    const TBACnet_Var_List list = Parse_EDE_Text(text);
    ASSERT_EQ(list.size(), std::size(supported));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->Obj_Type, supported[i]);
        EXPECT_TRUE(EDE_Type_Supported(supported[i]));
    }
    EXPECT_FALSE(EDE_Type_Supported(8)) << "a device object";
}

TEST(EDEFile, FieldsOfALine)
{
    const struct {
        const char* Line;
        std::vector<const char*> Fields;  // the first ones; the rest are empty
        const char* Last;                 // field 16
    } cases[] = {
        {"a;b;c", {"a", "b"}, "c"},
        {"k; 7 ;name;0;1;desc;pv;min;max;Y", {"k", "7", "name", "0", "1", "desc", "pv", "min", "max", ""}, "Y"},
        {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}, "16"},
        {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}, "16"},
        {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;v;w;x;;", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}, "v;w;x;"},
        {"only", {""}, "only"},
        {";;;", {"", "", ""}, ""},
        {"", {""}, ""},
    };
    for (const auto& c : cases) {
        const std::vector<String> fields = Split_EDE_Line(S(c.Line));
        ASSERT_EQ(fields.size(), 16u) << c.Line;
        for (std::size_t i = 0; i < 15; ++i) {
            const char* expected = i < c.Fields.size() ? c.Fields[i] : "";
            // "only" holds no ";": every field before the last is empty.
            EXPECT_EQ(fields[i], S(expected)) << c.Line << " field " << i + 1;
        }
        EXPECT_EQ(fields[15], S(c.Last)) << c.Line;
    }
}

TEST(EDEFile, AnObjectLineBecomesARecordWithItsChoices)
{
    const TBACnet_Var_List list = Parse_EDE_Text(
        S("#mandatory\ntitles\n"
          " key1 ; 1001 ; Room Temp ; 2 ; 17 ; Hall ; 21.5 ; 0 ; 50 ; y ; Y ; 40 ; 5 ; 3 ; 62 ; vendor;more; \n"
          "key2;x;Lamp;4;-;Light;;;;N;n\n"
          "key3;1;Stopped;5;9;desc;1;0;1;Y\n"));
    ASSERT_EQ(list.size(), 3u);
    const TBACnet_Var& a = *list[0];
    EXPECT_EQ(a.Key_Name, "key1");
    EXPECT_EQ(a.Device_Instance, 1001);
    EXPECT_EQ(a.Obj_Name, "Room Temp");
    EXPECT_EQ(a.Obj_Type, 2);
    EXPECT_EQ(a.Obj_Instance, 17);
    EXPECT_EQ(a.Description, "Hall");
    EXPECT_EQ(a.Present_Value_Default, "21.5");
    EXPECT_EQ(a.Min_Present_Value, "0");
    EXPECT_EQ(a.Max_Present_Value, "50");
    EXPECT_TRUE(a.Settable) << "\"y\" is settable";
    EXPECT_TRUE(a.Supports_COV);
    EXPECT_EQ(a.Hi_Limit, "40");
    EXPECT_EQ(a.Low_Limit, "5");
    EXPECT_EQ(a.State_Text_Reference, "3");
    EXPECT_EQ(a.Unit_Code, "62");
    EXPECT_EQ(a.Vendor_Specific_Address, "vendor;more") << "one trailing \";\" dropped";
    EXPECT_TRUE(a.Do_Import && a.Do_Read && a.Do_Write) << "a settable object starts with Write ticked";

    const TBACnet_Var& b = *list[1];
    EXPECT_EQ(b.Device_Instance, -1);
    EXPECT_EQ(b.Obj_Instance, -1);
    EXPECT_FALSE(b.Settable);
    EXPECT_FALSE(b.Do_Write);
    EXPECT_EQ(b.Vendor_Specific_Address, "n");

    // A line that stops after field 10 without a ";": field 10 is empty, field 16 its text.
    const TBACnet_Var& c = *list[2];
    EXPECT_FALSE(c.Settable);
    EXPECT_EQ(c.Max_Present_Value, "1");
    EXPECT_EQ(c.Hi_Limit, "");
    EXPECT_EQ(c.Vendor_Specific_Address, "Y");
}

TEST(EDEFile, EncodingsAndUnreadableFiles)
{
    TempFolder folder;
    const QByteArray body = "#mandatory\ntitles\nk;1;Temp\xc3\xa9rature;0;1;Salle \xc3\xa0 manger;\n";
    const QByteArray latin = "#mandatory\ntitles\nk;1;Temp\xe9rature;0;1;Salle \xe0 manger;\n";
    const struct {
        const char* Name;
        QByteArray Bytes;
    } cases[] = {
        {"utf8.csv", body},
        {"bom.csv", "\xef\xbb\xbf" + body},
        {"cp1252.csv", latin},
    };
    for (const auto& c : cases) {
        folder.Write(S(c.Name), c.Bytes);
        TBACnet_Var_List list;
        ASSERT_TRUE(Load_EDE_File(folder.File(S(c.Name)), list)) << c.Name;
        ASSERT_EQ(list.size(), 1u) << c.Name;
        EXPECT_EQ(list[0]->Obj_Name, S("Temp\u00e9rature")) << c.Name;
        EXPECT_EQ(list[0]->Description, S("Salle \u00e0 manger")) << c.Name;
    }
    TBACnet_Var_List list;
    list.push_back(std::make_unique<TBACnet_Var>());
    EXPECT_FALSE(Load_EDE_File(folder.File("missing.csv"), list));
    EXPECT_TRUE(list.empty()) << "no records of an earlier file survive";
    EXPECT_FALSE(Load_EDE_File(folder.Path(), list)) << "a folder is no file";
}

// Broken samples: no input stops the reader or leaves a record half made.
TEST(EDEFile, BrokenInputReadsWithoutFault)
{
    const QByteArray samples[] = {
        QByteArray("\0\0\0#mandatory\n\n\0;0;;", 21),
        QByteArray("#mandatory\ntitles\n") + QByteArray(100000, ';'),
        QByteArray("#mandatory\ntitles\nk;1;n;0;99999999999999999999;d\n"),
        QByteArray("\xff\xfe#\0m\0", 6),
        QByteArray("#mandatory\r\r\rk;1;n;0;1\r"),
        QByteArray(4096, '\n') + "#mandatory\n",
    };
    for (const QByteArray& bytes : samples) {
        const TBACnet_Var_List list = Parse_EDE_Bytes(bytes);
        for (const auto& var : list) EXPECT_TRUE(EDE_Type_Supported(var->Obj_Type));
    }
    const TBACnet_Var_List overflow = Parse_EDE_Bytes(samples[2]);
    ASSERT_EQ(overflow.size(), 1u);
    EXPECT_EQ(overflow[0]->Obj_Instance, -1) << "a number beyond the field's range is no number";
    EXPECT_EQ(Parse_EDE_Bytes(samples[4]).size(), 1u) << "lone CRs end lines too";
}

} // namespace
