// The DALI access window's two project files as pure conversions: golden
// layouts, round trips, what a loader makes of missing and odd parts, and
// broken documents.

#include "platform/Xml.h"
#include "tables/dali/UDALI_AccessFiles.h"

#include <gtest/gtest.h>

namespace {

String Saved(const TXMLDocument& doc)
{
    return String::fromUtf8(doc.SaveToBytes());
}

TEST(DALIAccessFile, WritesAllAddressesInOrderWithFlagsAsOneOrZero)
{
    TDALIDevices devices;
    devices[0] = {"Y", "N", DALI_Recall_Min_Max};
    devices[1] = {" y ", "y", DALI_Recall_None};
    devices[63] = {"N", "Y", DALI_Recall_Old_Value};
    TXMLDocument doc;
    Write_DALI_Access(doc, devices);
    const String text = Saved(doc);
    EXPECT_TRUE(text.startsWith("<DALI_Access>\n"
                                "  <DALI_ID_DEVICE_0>1</DALI_ID_DEVICE_0>\n"
                                "  <DALI_ID_DEVICE_0_MIN_MAN_VALUE>0</DALI_ID_DEVICE_0_MIN_MAN_VALUE>\n"
                                "  <DALI_ID_DEVICE_0_RECALL_LEVEL>Recall Min-Max Level for Switch</DALI_ID_DEVICE_0_RECALL_LEVEL>\n"
                                "  <DALI_ID_DEVICE_1>1</DALI_ID_DEVICE_1>\n"
                                "  <DALI_ID_DEVICE_1_MIN_MAN_VALUE>1</DALI_ID_DEVICE_1_MIN_MAN_VALUE>\n"
                                "  <DALI_ID_DEVICE_1_RECALL_LEVEL>None</DALI_ID_DEVICE_1_RECALL_LEVEL>\n"
                                "  <DALI_ID_DEVICE_2>0</DALI_ID_DEVICE_2>\n"))
        << text.left(600).toStdString();
    EXPECT_TRUE(text.endsWith("  <DALI_ID_DEVICE_63>0</DALI_ID_DEVICE_63>\n"
                              "  <DALI_ID_DEVICE_63_MIN_MAN_VALUE>1</DALI_ID_DEVICE_63_MIN_MAN_VALUE>\n"
                              "  <DALI_ID_DEVICE_63_RECALL_LEVEL>Recall Old Value Level for Switch</DALI_ID_DEVICE_63_RECALL_LEVEL>\n"
                              "</DALI_Access>\n"
                              "<!--SW_VERSION = 1.000-->\n"));
    EXPECT_EQ(doc.DocumentElement().ChildNodes().size(), 192u);

    TDALIDevices back;
    TXMLDocument reread;
    reread.LoadFromString(text);
    Load_DALI_Access(reread, back);
    EXPECT_EQ(back[0], (TDALIDevice{"Y", "N", DALI_Recall_Min_Max}));
    EXPECT_EQ(back[1], (TDALIDevice{"Y", "Y", DALI_Recall_None})) << "\" y \" is saved as ticked";
    EXPECT_EQ(back[63], (TDALIDevice{"N", "Y", DALI_Recall_Old_Value}));
    EXPECT_EQ(back[2], TDALIDevice{});
}

TEST(DALIAccessFile, LoadingKeepsStartValuesForMissingElementsAndReadsOddTextsSafely)
{
    TXMLDocument doc;
    doc.LoadFromString("<DALI_Access>"
                       "<DALI_ID_DEVICE_5_MIN_MAN_VALUE>1</DALI_ID_DEVICE_5_MIN_MAN_VALUE>"
                       "<DALI_ID_DEVICE_5>0</DALI_ID_DEVICE_5>"
                       "<DALI_ID_DEVICE_6>1</DALI_ID_DEVICE_6>"
                       "<DALI_ID_DEVICE_6_RECALL_LEVEL>none</DALI_ID_DEVICE_6_RECALL_LEVEL>"
                       "<DALI_ID_DEVICE_7> 1</DALI_ID_DEVICE_7>"
                       "<DALI_ID_DEVICE_7_MIN_MAN_VALUE>yes</DALI_ID_DEVICE_7_MIN_MAN_VALUE>"
                       "<DALI_ID_DEVICE_7_RECALL_LEVEL>Recall Old Value Level for Switch</DALI_ID_DEVICE_7_RECALL_LEVEL>"
                       "<DALI_ID_DEVICE_64>1</DALI_ID_DEVICE_64>"
                       "</DALI_Access>");
    TDALIDevices devices;
    for (TDALIDevice& d : devices) d = {"Y", "Y", DALI_Recall_Min_Max}; // start values that differ from a read
    Load_DALI_Access(doc, devices);
    EXPECT_EQ(devices[5], (TDALIDevice{"N", "Y", DALI_Recall_Min_Max})) << "missing recall keeps the start value";
    EXPECT_EQ(devices[6], (TDALIDevice{"Y", "Y", DALI_Recall_None})) << "recall texts are exact";
    EXPECT_EQ(devices[7], (TDALIDevice{"N", "N", DALI_Recall_Old_Value})) << "only \"1\" ticks";
    EXPECT_EQ(devices[0].Enable, "N") << "a missing enable element is a disabled address";
    EXPECT_EQ(devices[0].Min_Max, "Y");
}

TEST(DALIAccessFile, RecallAndDimmingTextsFallBackToTheirFirstChoice)
{
    EXPECT_EQ(Check_ReCall_Level(DALI_Recall_Old_Value), DALI_Recall_Old_Value);
    EXPECT_EQ(Check_ReCall_Level("recall min-max level for switch"), DALI_Recall_None);
    EXPECT_EQ(Check_ReCall_Level(""), DALI_Recall_None);
    EXPECT_EQ(Check_Dimming_mode("Start Break"), "Start Break");
    EXPECT_EQ(Check_Dimming_mode("start break"), "Normal");
}

TEST(DALIAccessFile, ByteMapGivesEightBytesToEveryEnabledAddress)
{
    TDALIDevices devices;
    devices[0].Enable = "Y";
    devices[2].Enable = "y";
    EXPECT_EQ(DALI_Map_Lines(devices),
              (std::vector<String>{"1; 0; 1; 2; 3; 4; 5; 6, 7;", "3; 8; 9; 10; 11; 12; 13; 14, 15;"}));
}

TDALI2Tables Sample_Tables()
{
    TDALI2Tables t;
    t.Functions.push_back({"Addition", "When Equal to Value", "Short Press", "DALI Channel 3", "128", "2", "up"});
    t.Functions.push_back({"Toggle", "No Condition", "12,5", "DALI Broadcast", "", "0", "a \"q\" & <b>"});
    t.Rules.push_back({true, {"Device", "Led Lamp", "3", "0", "255", "1000", "5000", "1 - up", "12", "", "lamp"}});
    t.Rules.push_back({false, {"Sensor", "Push Button", "4", "1", "0", "0", "0", "0 - None", "0", "2", ""}});
    return t;
}

TEST(DALI2AccessFile, GoldenLayoutAndRoundTrip)
{
    TXMLDocument doc;
    Write_DALI2_Access(doc, Sample_Tables());
    EXPECT_EQ(Saved(doc).toStdString(),
              "<DALI2_Access>\n"
              "  <DALI2_Functions_Rules>\n"
              "    <row Function=\"Addition\" Condition=\"When Equal to Value\" Value=\"Short Press\" "
              "Channel=\"DALI Channel 3\" Val=\"128\" Next_Function=\"2\" Mnemonic=\"up\" />\n"
              "    <row Function=\"Toggle\" Condition=\"No Condition\" Value=\"12,5\" Channel=\"DALI Broadcast\" "
              "Val=\"\" Next_Function=\"0\" Mnemonic=\"a &quot;q&quot; &amp; &lt;b>\" />\n"
              "  </DALI2_Functions_Rules>\n"
              "  <DALI2_SetAccess_Rules>\n"
              "    <row Enable=\"Y\" DeviceSensor=\"Device\" Type=\"Led Lamp\" ChannelNumber=\"3\" Instance=\"0\" "
              "Command=\"255\" TimeSend=\"1000\" TimeOut=\"5000\" Function=\"1 - up\" Position=\"12\" NumBytes=\"\" "
              "Mnemonic=\"lamp\" />\n"
              "    <row Enable=\"N\" DeviceSensor=\"Sensor\" Type=\"Push Button\" ChannelNumber=\"4\" Instance=\"1\" "
              "Command=\"0\" TimeSend=\"0\" TimeOut=\"0\" Function=\"0 - None\" Position=\"0\" NumBytes=\"2\" "
              "Mnemonic=\"\" />\n"
              "  </DALI2_SetAccess_Rules>\n"
              "</DALI2_Access>\n"
              "<!--SW_VERSION = 1.000-->\n");
    TXMLDocument reread;
    reread.LoadFromBytes(doc.SaveToBytes());
    EXPECT_EQ(Load_DALI2_Access(reread), Sample_Tables());
}

TEST(DALI2AccessFile, EmptyTablesStillWriteBothSections)
{
    TXMLDocument doc;
    Write_DALI2_Access(doc, {});
    const TXMLNode root = doc.DocumentElement();
    ASSERT_EQ(root.ChildNodes().size(), 2u);
    EXPECT_EQ(root.ChildNodes()[0].NodeName(), "DALI2_Functions_Rules");
    EXPECT_EQ(root.ChildNodes()[1].NodeName(), "DALI2_SetAccess_Rules");
}

TEST(DALI2AccessFile, MissingPartsLoadAsEmptyCellsTickedRulesOrEmptyTables)
{
    struct Case {
        const char* Name;
        const char* Xml;
        std::size_t Functions;
        std::size_t Rules;
    };
    const Case cases[] = {
        {"no sections", "<DALI2_Access/>", 0, 0},
        {"other root", "<DALI_Access><DALI2_SetAccess_Rules><row DeviceSensor=\"Device\"/></DALI2_SetAccess_Rules></DALI_Access>", 0, 0},
        {"rules only", "<DALI2_Access><DALI2_SetAccess_Rules><row/><row Enable=\"N\"/></DALI2_SetAccess_Rules></DALI2_Access>", 0, 2},
        {"sections swapped", "<DALI2_Access><DALI2_SetAccess_Rules><row/></DALI2_SetAccess_Rules>"
                             "<DALI2_Functions_Rules><row/><row/><row/></DALI2_Functions_Rules></DALI2_Access>", 3, 1},
        {"comment first", "<!--x--><DALI2_Access><DALI2_Functions_Rules><row/></DALI2_Functions_Rules></DALI2_Access>", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TXMLDocument doc;
        doc.LoadFromString(c.Xml);
        const TDALI2Tables t = Load_DALI2_Access(doc);
        EXPECT_EQ(t.Functions.size(), c.Functions);
        EXPECT_EQ(t.Rules.size(), c.Rules);
        for (const TDALIFunctionRow& f : t.Functions)
            for (const String& cell : f) EXPECT_TRUE(cell.isEmpty());
    }
    TXMLDocument doc;
    doc.LoadFromString("<DALI2_Access><DALI2_SetAccess_Rules><row Type=\"Dimmer\"/><row Enable=\"N\"/>"
                       "<row Enable=\"y\"/><row Enable=\"\"/></DALI2_SetAccess_Rules></DALI2_Access>");
    const TDALI2Tables t = Load_DALI2_Access(doc);
    ASSERT_EQ(t.Rules.size(), 4u);
    EXPECT_TRUE(t.Rules[0].Enable) << "a missing Enable ticks the rule";
    EXPECT_EQ(t.Rules[0].Cells[1], "Dimmer");
    EXPECT_TRUE(t.Rules[0].Cells[0].isEmpty());
    EXPECT_FALSE(t.Rules[1].Enable);
    EXPECT_TRUE(t.Rules[2].Enable);
    EXPECT_TRUE(t.Rules[3].Enable) << "only \"N\" clears";
}

// Every cut of a valid file either fails to parse as a whole or loads
// without throwing: a loader never stops half way.
TEST(DALI2AccessFile, TruncatedAndBrokenDocumentsNeverLoadHalfWay)
{
    TXMLDocument good;
    Write_DALI2_Access(good, Sample_Tables());
    const QByteArray bytes = good.SaveToBytes();
    for (int n = 0; n < bytes.size(); n += 7) {
        TXMLDocument doc;
        bool parsed = true;
        try {
            doc.LoadFromBytes(bytes.left(n));
        } catch (const Exception&) {
            parsed = false;
        }
        if (!parsed) {
            EXPECT_TRUE(doc.DocumentElement().IsNull());
            continue;
        }
        const TDALI2Tables t = Load_DALI2_Access(doc);
        EXPECT_LE(t.Functions.size(), 2u);
        EXPECT_LE(t.Rules.size(), 2u);
        TDALIDevices devices;
        Load_DALI_Access(doc, devices);
        EXPECT_EQ(devices[0].Enable, "N");
    }
}

} // namespace
