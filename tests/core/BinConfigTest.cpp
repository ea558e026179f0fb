// The device parameter images. Every expectation comes field by field from
// the tests' own encoder of the device's byte layout (BinImageLayout.h); the
// product's builder is only ever the thing under test.
#include "core/UBinConfig.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Files.h"
#include "platform/Seams.h"
#include "tests/common/BinImageLayout.h"
#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace {

using namespace BinLayout;

// Properties every pair of images has, whatever went in.
void ExpectWellFormed(const TBinImages& images)
{
    ASSERT_EQ(images.Bank1.size(), kBank1Size);
    ASSERT_EQ(images.Bank2.size(), kBank2Size);
    EXPECT_EQ(get32(images.Bank1, 2044), byteSum(images.Bank1, 2044));
    const std::uint32_t count = get32(images.Bank1, 484);
    ASSERT_LE(count, 512u);
    for (int i = int(count); i < 512; ++i) {
        const int at = 256 + 36 * i;
        for (int off = 0; off < 36; off += 4) {
            const bool reference = off == 12 || off == 16 || off == 20 || off == 32;
            ASSERT_EQ(get32(images.Bank2, at + off), reference ? kEmptyText : 0u) << "unused record " << i << " +" << off;
        }
    }
}

// ---- Fixtures -----------------------------------------------------------------------------

QByteArray Escaped(const QByteArray& text)
{
    QByteArray out = text;
    out.replace('&', "&amp;").replace('"', "&quot;").replace('<', "&lt;");
    return out;
}

using Attrs = std::vector<std::pair<const char*, QByteArray>>;

QByteArray Row(const Attrs& attrs)
{
    QByteArray row = "  <row";
    for (const auto& [name, value] : attrs) row += QByteArray(" ") + name + "=\"" + Escaped(value) + "\"";
    return row + "/>\n";
}

QByteArray SNMPFile(const QByteArray& rows)
{
    return "<SNMP_Agent_Access>\n" + rows + "</SNMP_Agent_Access>\n<!--SW_VERSION = 1.000-->\n";
}

QByteArray ParGenFile(const std::vector<std::pair<const char*, QByteArray>>& elements)
{
    QByteArray xml = "<Par_Gen>\n";
    for (const auto& [name, text] : elements) xml += QByteArray("  <") + name + ">" + Escaped(text) + "</" + name + ">\n";
    return xml + "</Par_Gen>\n<!--SW_VERSION = 1.000-->\n";
}

QByteArray DALIFile(const std::vector<std::pair<QByteArray, QByteArray>>& elements)
{
    QByteArray xml = "<DALI_Access>\n";
    for (const auto& [name, text] : elements) xml += "  <" + name + ">" + text + "</" + name + ">\n";
    return xml + "</DALI_Access>\n<!--SW_VERSION = 1.000-->\n";
}

class BinConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Create_Text_Table();
        Load_Default_Texts();
        Project_Path = Dir.Path();
        File_ParGen = Dir.File(QStringLiteral("ParGen.xml"));
        File_DALI_Access = Dir.File(QStringLiteral("DALI_Access.xml"));
        File_SNMP_Manager = Dir.File(QStringLiteral("SNMP_Manager.xml"));
    }
    void TearDown() override { Reset_Program_State(); }

    TBinConfigFiles Files() const { return {File_ParGen, File_DALI_Access, File_SNMP_Manager}; }
    TBinImages Build() const { return Build_Bin_Images(Files()); }

    void ParGen(const QByteArray& xml) const { Dir.Write(QStringLiteral("ParGen.xml"), xml); }
    void DALI(const QByteArray& xml) const { Dir.Write(QStringLiteral("DALI_Access.xml"), xml); }
    void SNMP(const QByteArray& xml) const { Dir.Write(QStringLiteral("SNMP_Manager.xml"), xml); }

    // The message of the refusal, or empty when the build went through.
    String Refusal() const
    {
        try {
            Build();
        } catch (const EBinConfigError& e) {
            return e.Message();
        }
        return {};
    }

    String BinFile(const char* name) const { return Dir.File(QStringLiteral("bin/") + QLatin1String(name)); }

    TempFolder Dir;
};

// ---- No files -------------------------------------------------------------------------------

TEST_F(BinConfigTest, WithoutAnyFileTheImagesHoldTheDeviceDefaults)
{
    const TBinImages images = Build();
    ExpectWellFormed(images);
    EXPECT_TRUE(SameImage(images.Bank1, expectedBank1({})));
    EXPECT_TRUE(SameImage(images.Bank2, expectedBank2()));
    // The same facts straight from the offsets.
    EXPECT_EQ(images.Bank1.mid(40, 12), QByteArray("\xC0\xA8\x02\xCD\xFF\xFF\xFF\x00\xFF\xFF\xFF\xFF", 12));
    EXPECT_EQ(get32(images.Bank1, 488), 0x80100u);
    EXPECT_EQ(get32(images.Bank1, 1532), 0x80000u);
    EXPECT_EQ(get32(images.Bank2, 256 + 12), 0x84900u);
}

// ---- ParGen.xml ---------------------------------------------------------------------------

TEST_F(BinConfigTest, ParGenFillsTheParameterBlock)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, QByteArray>> elements;
        Net net;
    };
    // With ParGen.xml present, every missing element takes the reader's
    // fallback, which is not the block's initial value.
    Net fallbacks;
    fallbacks.ip = {192, 168, 0, 10};
    fallbacks.name = "devicename1";
    auto with = [&](auto change) {
        Net n = fallbacks;
        change(n);
        return n;
    };
    const QByteArray gatewayParts[][2] = {{"SNMP_Manager_GAT1", "10"}, {"SNMP_Manager_GAT2", "0"},
                                          {"SNMP_Manager_GAT3", "0"}, {"SNMP_Manager_GAT4", "1"}};
    auto gatewayWith = [&](const char* enable) {
        std::vector<std::pair<const char*, QByteArray>> e;
        for (const auto& part : gatewayParts) e.emplace_back(part[0].constData(), part[1]);
        if (enable) e.emplace_back("SNMP_Manager_EN_GAT", enable);
        return e;
    };
    const std::vector<Case> cases = {
        {"root only", {}, fallbacks},
        {"gateway on", gatewayWith("1"), with([](Net& n) { n.gateway = {10, 0, 0, 1}; })},
        {"gateway off", gatewayWith("0"), fallbacks},
        {"gateway flag missing", gatewayWith(nullptr), fallbacks},
        {"any other flag text keeps the gateway", gatewayWith("yes"), with([](Net& n) { n.gateway = {10, 0, 0, 1}; })},
        {"gateway on with parts missing", {{"SNMP_Manager_EN_GAT", "1"}}, with([](Net& n) { n.gateway = {192, 168, 0, 1}; })},
        {"full form output",
         {{"SNMP_Manager_IP1", "10"}, {"SNMP_Manager_IP2", "1"}, {"SNMP_Manager_IP3", "2"}, {"SNMP_Manager_IP4", "3"},
          {"SNMP_Manager_SM1", "255"}, {"SNMP_Manager_SM2", "255"}, {"SNMP_Manager_SM3", "0"}, {"SNMP_Manager_SM4", "0"},
          {"SNMP_Manager_GAT1", "10"}, {"SNMP_Manager_GAT2", "1"}, {"SNMP_Manager_GAT3", "2"}, {"SNMP_Manager_GAT4", "254"},
          {"SNMP_Manager_EN_GAT", "1"}, {"SNMP_Name_of_Station", "Gate-7"}, {"DALI_CONSOLE_PORT", "20000"},
          {"DALI_DISABLE_SCAN", "1"}, {"DALI_ENABLE_DALI_2", "1"}},
         with([](Net& n) {
             n.ip = {10, 1, 2, 3};
             n.mask = {255, 255, 0, 0};
             n.gateway = {10, 1, 2, 254};
             n.name = "Gate-7";
             n.consolePort = 20000;
             n.daliSwitches = 0x30000;
         })},
        {"hexadecimal parts", {{"SNMP_Manager_IP1", "$0A"}, {"SNMP_Manager_IP2", "0x14"}, {"SNMP_Manager_IP3", "x1E"}, {"SNMP_Manager_IP4", "0XFF"}},
         with([](Net& n) { n.ip = {10, 20, 30, 255}; })},
        {"out of range keeps the low bits", {{"SNMP_Manager_IP1", "300"}, {"SNMP_Manager_SM4", "-1"}, {"DALI_CONSOLE_PORT", "70000"}},
         with([](Net& n) {
             n.ip[0] = 44;
             n.mask[3] = 255;
             n.consolePort = 70000 & 0xFFFF;
         })},
        {"no number takes the fallback", {{"SNMP_Manager_IP2", "abc"}, {"SNMP_Manager_IP3", ""}, {"SNMP_Manager_IP4", "7 "}, {"DALI_CONSOLE_PORT", "port"}},
         fallbacks},
        {"station name empty", {{"SNMP_Name_of_Station", ""}}, with([](Net& n) { n.name.clear(); })},
        {"station name cut to 15 bytes and its zero", {{"SNMP_Name_of_Station", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}},
         with([](Net& n) { n.name = "ABCDEFGHIJKLMNO"; })},
        {"station name keeps the low byte of each character", {{"SNMP_Name_of_Station", "Caf\xC3\xA9"}},
         with([](Net& n) { n.name = "Caf\xE9"; })},
        {"only DALI scan", {{"DALI_DISABLE_SCAN", "1"}, {"DALI_ENABLE_DALI_2", "0"}}, with([](Net& n) { n.daliSwitches = 0x10000; })},
        {"only DALI 2", {{"DALI_ENABLE_DALI_2", "1"}}, with([](Net& n) { n.daliSwitches = 0x20000; })},
        {"switches need exactly 1", {{"DALI_DISABLE_SCAN", " 1"}, {"DALI_ENABLE_DALI_2", "true"}}, fallbacks},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ParGen(ParGenFile(c.elements));
        const TBinImages images = Build();
        ExpectWellFormed(images);
        EXPECT_TRUE(SameImage(images.Bank1, expectedBank1(c.net)));
        EXPECT_TRUE(SameImage(images.Bank2, expectedBank2()));
    }
}

TEST_F(BinConfigTest, ParGenReaderTakesTheFirstElementAsRootAndTheFirstMatchingChild)
{
    // Another root name, a comment before it, a repeated element, a nested
    // element of the same name that is no child of the root.
    ParGen("<!--x--><Other><SNMP_Manager_IP1>11</SNMP_Manager_IP1><SNMP_Manager_IP1>99</SNMP_Manager_IP1>"
           "<Group><SNMP_Manager_IP2>99</SNMP_Manager_IP2></Group></Other>");
    Net n;
    n.ip = {11, 168, 0, 10};
    n.name = "devicename1";
    EXPECT_TRUE(SameImage(Build().Bank1, expectedBank1(n)));
}

TEST_F(BinConfigTest, ChecksumIsThePlainByteSum)
{
    ParGen(ParGenFile({{"SNMP_Manager_IP4", "10"}}));
    const QByteArray before = Build().Bank1;
    ParGen(ParGenFile({{"SNMP_Manager_IP4", "15"}}));
    const QByteArray after = Build().Bank1;
    EXPECT_EQ(get32(after, 2044) - get32(before, 2044), 5u);
}

// ---- DALI_Access.xml ----------------------------------------------------------------------

TEST_F(BinConfigTest, DALIElementsSetTheDeviceFlagWords)
{
    DALI(DALIFile({
        // as the editor writes a row
        {"DALI_ID_DEVICE_5", "1"},
        {"DALI_ID_DEVICE_5_MIN_MAN_VALUE", "0"},
        {"DALI_ID_DEVICE_5_RECALL_LEVEL", "Recall Old Value Level for Switch"},
        // every bit
        {"DALI_ID_DEVICE_0", "1"},
        {"DALI_ID_DEVICE_0_DIMMING_MODE", "Start Break"},
        {"DALI_ID_DEVICE_0_MIN_MAN_VALUE", "1"},
        {"DALI_ID_DEVICE_0_RECALL_LEVEL", "Recall Min-Max Level for Switch"},
        // comparisons are exact: case, blanks, leading zeros
        {"DALI_ID_DEVICE_1", "1 "},
        {"DALI_ID_DEVICE_1_DIMMING_MODE", "start break"},
        {"DALI_ID_DEVICE_01", "1"},
        {"DALI_ID_DEVICE_2", "0"},
        {"DALI_ID_DEVICE_2_RECALL_LEVEL", "None"},
        {"DALI_ID_DEVICE_3_MIN_MAN_VALUE", "1"},
        {"DALI_ID_DEVICE_63", "1"},
        // words past 63 are never set
        {"DALI_ID_DEVICE_64", "1"},
        {"DALI_ID_DEVICE_80", "1"},
    }));
    std::array<std::uint16_t, 81> words{};
    words[0] = 0x8000 | 0x0001 | 0x0004 | 0x0008;
    words[3] = 0x0004;
    words[5] = 0x8010;
    words[63] = 0x8000;
    const TBinImages images = Build();
    ExpectWellFormed(images);
    EXPECT_TRUE(SameImage(images.Bank2, expectedBank2(words, {}, {})));
    EXPECT_EQ(images.Bank2[14], char(0x10));
    EXPECT_EQ(images.Bank2[15], char(0x80));
    EXPECT_TRUE(SameImage(images.Bank1, expectedBank1({})));
}

// ---- SNMP_Manager.xml ---------------------------------------------------------------------

TEST_F(BinConfigTest, VersionTwoRowLaysOutRecordAndPool)
{
    const QByteArray oid = "1.3.6.1.2.1.1.5.0"; // 17 characters
    SNMP(SNMPFile(Row({{"Enable", "Y"}, {"IP_Address", "192.168.1.20"}, {"Version", "2"}, {"Community_String", "public"},
                       {"OID", oid}, {"Type", "String"}, {"Mode", "Trap"}, {"On_Change", "N"}, {"On_Command", "N"},
                       {"On_Timer", "N"}, {"Time", ""}, {"Position", "12"}, {"Number_Bytes", "4"},
                       {"ConvertFrom", "None"}, {"Cancel", "N"}, {"User", "u"}, {"Auth_Pass", "a"}, {"Priv_Pass", "p"},
                       {"Security_Level", "Auth Priv"}, {"Auth_Mode", "MD5"}, {"Priv_Mode", "DES"}, {"Mnemonic", "m"}})));
    Rec r;
    r.ip = {192, 168, 1, 20};
    r.flags = 0x20;
    r.user = QByteArray("public");
    r.oid = oid;
    r.position = 12;
    r.numberBytes = 4;
    const TBinImages images = Build();
    ExpectWellFormed(images);
    Net n;
    n.records = 1;
    EXPECT_TRUE(SameImage(images.Bank1, expectedBank1(n)));
    EXPECT_TRUE(SameImage(images.Bank2, expectedBank2({r}, {oid, "public"})));
    // The addresses the layout promises for this row.
    const int rec = 256;
    EXPECT_EQ(get32(images.Bank2, rec + 32), 0x84901u);
    EXPECT_EQ(get32(images.Bank2, rec + 12), 0x84913u);
    EXPECT_EQ(get32(images.Bank2, rec + 16), 0x84900u);
    EXPECT_EQ(get32(images.Bank2, rec + 20), 0x84900u);
    EXPECT_EQ(images.Bank2.mid(rec + 4, 4), QByteArray("\x14\x01\xA8\xC0", 4));
}

TEST_F(BinConfigTest, RecordFieldsFromRowAttributes)
{
    struct Case {
        const char* what;
        Attrs attrs;
        Rec rec;
        std::vector<QByteArray> pool;
    };
    auto v1 = [](auto change) {
        Rec r;
        r.user = QByteArray("c");
        r.oid = QByteArray("1.1");
        change(r);
        return r;
    };
    const Attrs base = {{"Version", "1"}, {"Community_String", "c"}, {"OID", "1.1"}};
    auto plus = [&](Attrs more) {
        Attrs a = base;
        a.insert(a.end(), more.begin(), more.end());
        return a;
    };
    const std::vector<QByteArray> basePool = {"1.1", "c"};
    const std::vector<Case> cases = {
        {"every attribute missing", {}, [] {
             Rec r;
             r.user = QByteArray("quenta");
             r.oid = QByteArray("");
             return r;
         }(), {"", "quenta"}},
        {"options set, case folded", plus({{"On_Change", "y"}, {"On_Command", "Y"}, {"On_Timer", "y"}, {"Type", "Int"},
                                           {"Cancel", "y"}, {"Mode", "set"}, {"Time", "5000"}, {"Position", "1999"},
                                           {"Number_Bytes", "255"}, {"ConvertFrom", " float * 10 "}, {"IP_Address", "10.1.2.3"}}),
         v1([](Rec& r) {
             r.flags |= 0x01 | 0x02 | 0x04 | 0x08 | 0x80;
             r.mode = 1;
             r.time = 5000;
             r.position = 1999;
             r.numberBytes = 255;
             r.convertFrom = 2;
             r.ip = {10, 1, 2, 3};
         }), basePool},
        {"upper-cased but not trimmed", plus({{"Mode", " GET"}, {"Type", "INT "}, {"On_Timer", " Y"}, {"Cancel", "YES"}}),
         v1([](Rec&) {}), basePool},
        {"mode get", plus({{"Mode", "Get"}}), v1([](Rec& r) { r.mode = 0; }), basePool},
        {"conversions", plus({{"ConvertFrom", "Float"}}), v1([](Rec& r) { r.convertFrom = 1; }), basePool},
        {"conversion by 100", plus({{"ConvertFrom", "FLOAT * 100"}}), v1([](Rec& r) { r.convertFrom = 3; }), basePool},
        {"unknown conversion", plus({{"ConvertFrom", "Float*10"}}), v1([](Rec&) {}), basePool},
        {"numbers that are no numbers fall back", plus({{"Time", "abc"}, {"Position", "x"}, {"Number_Bytes", ""}}),
         v1([](Rec&) {}), basePool},
        {"hexadecimal numbers", plus({{"Time", "$10"}, {"Position", "0x20"}, {"Number_Bytes", "x8"}}),
         v1([](Rec& r) {
             r.time = 16;
             r.position = 32;
             r.numberBytes = 8;
         }), basePool},
        {"position keeps 16 bits, time 32", plus({{"Position", "65537"}, {"Time", "-1"}}),
         v1([](Rec& r) {
             r.position = 1;
             r.time = 0xFFFFFFFF;
         }), basePool},
        {"bad octet becomes 0", plus({{"IP_Address", "1.2.300.4"}}), v1([](Rec& r) { r.ip = {1, 2, 0, 4}; }), basePool},
        {"short address", plus({{"IP_Address", "1.2"}}), v1([](Rec& r) { r.ip = {1, 0, 0, 2}; }), basePool},
        {"version no number is 1", {{"Version", "abc"}, {"Community_String", "c"}, {"OID", "1.1"}}, v1([](Rec&) {}), basePool},
        {"version empty is 1", {{"Version", ""}, {"Community_String", "c"}, {"OID", "1.1"}}, v1([](Rec&) {}), basePool},
        {"version in hexadecimal", {{"Version", "0x2"}, {"Community_String", "c"}, {"OID", "1.1"}},
         v1([](Rec& r) { r.flags = 0x20; }), basePool},
        {"empty community is a text of its own", {{"Community_String", ""}, {"OID", "1.1"}},
         [] {
             Rec r;
             r.user = QByteArray("");
             r.oid = QByteArray("1.1");
             return r;
         }(), {"1.1", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SNMP(SNMPFile(Row(c.attrs)));
        const TBinImages images = Build();
        ExpectWellFormed(images);
        EXPECT_EQ(get32(images.Bank1, 484), 1u);
        EXPECT_TRUE(SameImage(images.Bank2, expectedBank2({c.rec}, c.pool)));
    }
}

TEST_F(BinConfigTest, VersionThreeRows)
{
    struct Case {
        const char* what;
        Attrs attrs;
        std::uint32_t flags;
        std::vector<QByteArray> pool; // OID, user, auth, priv in that order
    };
    const std::vector<Case> cases = {
        {"auth priv, SHA and AES",
         {{"Version", "3"}, {"OID", "1.2"}, {"User", "bob"}, {"Auth_Pass", "ap"}, {"Priv_Pass", "pp"},
          {"Security_Level", "Auth Priv"}, {"Auth_Mode", "SHA"}, {"Priv_Mode", "AES"}},
         0x2B040, {"1.2", "bob", "ap", "pp"}},
        {"auth priv, MD5 and DES, level in another case with blanks",
         {{"Version", "3"}, {"OID", "1.2"}, {"User", "bob"}, {"Auth_Pass", "ap"}, {"Priv_Pass", "pp"},
          {"Security_Level", "  auth priv "}, {"Auth_Mode", "MD5"}, {"Priv_Mode", "DES"}},
         0x40 | 0x1000 | 0x2000 | 0x4000 | 0x10000, {"1.2", "bob", "ap", "pp"}},
        {"auth without priv ignores the priv mode",
         {{"Version", "3"}, {"OID", "1.2"}, {"User", "bob"}, {"Auth_Pass", "ap"}, {"Priv_Pass", "pp"},
          {"Security_Level", "Auth NoPriv"}, {"Auth_Mode", "MD5"}, {"Priv_Mode", "DES"}},
         0x40 | 0x1000 | 0x4000, {"1.2", "bob", "ap", "pp"}},
        {"auth with no mode counts as other than MD5",
         {{"Version", "3"}, {"OID", "1.2"}, {"User", "bob"}, {"Auth_Pass", "ap"}, {"Priv_Pass", "pp"},
          {"Security_Level", "Auth Priv"}},
         0x40 | 0x1000 | 0x2000 | 0x8000 | 0x20000, {"1.2", "bob", "ap", "pp"}},
        {"empty level sets no security bit but still pools the texts",
         {{"Version", "3"}, {"OID", "1.2"}, {"User", "bob"}, {"Auth_Pass", "ap"}, {"Priv_Pass", "pp"},
          {"Security_Level", ""}, {"Auth_Mode", "SHA"}, {"Priv_Mode", "AES"}},
         0x40, {"1.2", "bob", "ap", "pp"}},
        {"no auth no priv", {{"Version", "3"}, {"OID", "1.2"}, {"Security_Level", "NoAuth NoPriv"}, {"Community_String", "ignored"}},
         0x40, {"1.2", "admin", "Quotaverbena", "Lindomarquet"}},
        {"any other version number is version 3", {{"Version", "7"}, {"OID", "1.2"}, {"User", "u"}, {"Auth_Pass", "u"}, {"Priv_Pass", "u"}},
         0x40, {"1.2", "u"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SNMP(SNMPFile(Row(c.attrs)));
        Rec r;
        r.flags = c.flags;
        r.oid = c.pool[0];
        r.user = c.pool[1];
        r.auth = c.pool.size() > 2 ? c.pool[2] : c.pool[1];
        r.priv = c.pool.size() > 3 ? c.pool[3] : c.pool[1];
        const TBinImages images = Build();
        ExpectWellFormed(images);
        EXPECT_TRUE(SameImage(images.Bank2, expectedBank2({r}, c.pool)));
    }
}

TEST_F(BinConfigTest, RowsShareThePoolAndKeepTheirOrder)
{
    SNMP("<SNMP_Agent_Access>\n"
         "  <!-- a comment is no row -->\n" +
         Row({{"Enable", "Y"}, {"OID", "1.3.6"}, {"Community_String", "public"}, {"Time", "1"}}) +
         Row({{"Enable", "N"}, {"OID", "9.9.9"}, {"Community_String", "disabled"}, {"Time", "2"}}) +
         "  some text\n" +
         Row({{"Enable", " y "}, {"OID", "1.3.6"}, {"Community_String", "Public"}, {"Time", "3"}}) +
         Row({{"Enable", ""}, {"OID", "8.8"}, {"Time", "4"}}) +
         "  <request Enable=\"Y\" OID=\"1.3.6\" Community_String=\"public\" Time=\"5\"/>\n"
         "  <row Time=\"6\" OID=\"2.2\" Version=\"2\" Community_String=\"public\"><child/></row>\n"
         "</SNMP_Agent_Access>\n");
    auto rec = [](std::uint32_t time, const char* oid, const char* community, std::uint32_t flags = 0x10) {
        Rec r;
        r.time = time;
        r.oid = QByteArray(oid);
        r.user = QByteArray(community);
        r.flags = flags;
        return r;
    };
    const TBinImages images = Build();
    ExpectWellFormed(images);
    Net n;
    n.records = 4;
    EXPECT_TRUE(SameImage(images.Bank1, expectedBank1(n)));
    EXPECT_TRUE(SameImage(images.Bank2, expectedBank2({rec(1, "1.3.6", "public"), rec(3, "1.3.6", "Public"),
                                                       rec(5, "1.3.6", "public"), rec(6, "2.2", "public", 0x20)},
                                                      {"1.3.6", "public", "Public", "2.2"})));
}

// ---- Limits -----------------------------------------------------------------------------

TEST_F(BinConfigTest, NumberBytesThatTheRecordCannotHoldRefusesTheBuild)
{
    const struct {
        const char* value;
        bool refused;
    } cases[] = {{"255", false}, {"0", false}, {"256", true}, {"1024", true}, {"-1", true}, {"0x100", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        SNMP(SNMPFile(Row({{"Enable", "N"}, {"Number_Bytes", "999"}}) + Row({{"OID", "1"}}) +
                      Row({{"OID", "2"}, {"Number_Bytes", c.value}})));
        const String refusal = Refusal();
        if (c.refused)
            EXPECT_EQ(refusal, QStringLiteral("Error row 3!! Number bytes must be between 0 and 255 to be sent to the device"));
        else
            EXPECT_TRUE(refusal.isEmpty()) << refusal.toStdString();
    }
}

TEST_F(BinConfigTest, AtMost512UsedRows)
{
    QByteArray rows = Row({{"Enable", "N"}});
    for (int i = 0; i < 512; ++i) rows += Row({{"OID", "1.3.6.1." + QByteArray::number(i)}, {"Time", QByteArray::number(i)}});
    SNMP(SNMPFile(rows + Row({{"Enable", "N"}})));
    const TBinImages images = Build();
    ExpectWellFormed(images);
    EXPECT_EQ(get32(images.Bank1, 484), 512u);
    // The last record is the last used row, and its texts sit at the end of the pool.
    const int last = 256 + 511 * 36;
    EXPECT_EQ(get32(images.Bank2, last), 511u);
    const std::uint32_t oidAddress = get32(images.Bank2, last + 32);
    EXPECT_EQ(images.Bank2.mid(int(oidAddress - 0x80000), 12), QByteArray("1.3.6.1.511\0", 12));

    SNMP(SNMPFile(rows + Row({{"Enable", "N"}}) + Row({{"OID", "9"}})));
    EXPECT_EQ(Refusal(), QStringLiteral("Error row 515!! The device takes at most 512 enabled SNMP Manager requests"));
}

TEST_F(BinConfigTest, PoolThatWouldOverflowTheRegionRefusesTheBuild)
{
    // Pool = "" + its zero, then the community + its zero: 47103 bytes fill it exactly.
    const int fits = 47103 - 1 - 1;
    SNMP(SNMPFile(Row({{"OID", ""}, {"Community_String", QByteArray(fits, 'a')}})));
    const TBinImages images = Build();
    ExpectWellFormed(images);
    EXPECT_EQ(images.Bank2.at(kBank2Size - 2), 'a');
    EXPECT_EQ(images.Bank2.at(kBank2Size - 1), '\0');

    SNMP(SNMPFile(Row({{"OID", ""}, {"Community_String", "x"}}) + Row({{"OID", ""}, {"Community_String", QByteArray(fits, 'a')}})));
    EXPECT_EQ(Refusal(), QStringLiteral("Error row 2!! Too many characters used for Community Name / User, OID, AuthPass and PrivPass"));

    // Texts shared by many rows take their room once.
    QByteArray rows;
    for (int i = 0; i < 300; ++i) rows += Row({{"OID", "1.2.3"}, {"Community_String", QByteArray(1000, 'c')}});
    SNMP(SNMPFile(rows));
    EXPECT_TRUE(Refusal().isEmpty());
}

// ---- Broken files --------------------------------------------------------------------------

TEST_F(BinConfigTest, BrokenFilesGiveAClearErrorOrDefaults)
{
    const QByteArray valid = SNMPFile(Row({{"OID", "1.3"}, {"Community_String", "c"}}));
    const struct {
        const char* what;
        QByteArray bytes;
        bool error;
    } samples[] = {
        {"truncated", valid.left(valid.size() / 2), true},
        {"empty file", "", true},
        {"binary junk", QByteArray("\x00\xFF\x13\x89PNG\r\n\x1A\n\x00\x00", 12), true},
        {"unclosed root", "<root><row OID=\"1\"/>", true},
        {"two roots", "<a/><b/>", true},
        {"bare & in an attribute", "<root><row OID=\"1\" Mnemonic=\"Boiler & pumps\"/></root>", true},
        {"bare & in text", "<root><SNMP_Manager_IP1>1 & 2</SNMP_Manager_IP1></root>", true},
        {"undefined entity", "<root><row OID=\"&oid;\"/></root>", true},
        {"duplicate attribute", "<root><row OID=\"1\" OID=\"2\"/></root>", true},
        {"root only", "<root/>", false},
        {"text in the root", "<root>hello</root>", false},
        {"comment only around the root", "<!--c--><root><!--c--></root><!--c-->", false},
    };
    const String files[] = {QStringLiteral("ParGen.xml"), QStringLiteral("DALI_Access.xml"), QStringLiteral("SNMP_Manager.xml")};
    for (const String& file : files) {
        for (const auto& s : samples) {
            SCOPED_TRACE(file.toStdString() + ": " + s.what);
            QDir(Dir.Path()).remove(QStringLiteral("ParGen.xml"));
            QDir(Dir.Path()).remove(QStringLiteral("DALI_Access.xml"));
            QDir(Dir.Path()).remove(QStringLiteral("SNMP_Manager.xml"));
            Dir.Write(file, s.bytes);
            try {
                const TBinImages images = Build();
                EXPECT_FALSE(s.error);
                ExpectWellFormed(images);
                EXPECT_TRUE(SameImage(images.Bank2, expectedBank2()));
            } catch (const EBinConfigError& e) {
                ADD_FAILURE() << "refused: " << e.Message().toStdString();
            } catch (const Exception& e) {
                EXPECT_TRUE(s.error);
                EXPECT_TRUE(e.Message().contains(Dir.File(file))) << e.Message().toStdString();
            }
        }
    }
}

TEST_F(BinConfigTest, MutatedFilesNeverBreakTheBuilder)
{
    const QByteArray sources[] = {
        SNMPFile(Row({{"Enable", "Y"}, {"IP_Address", "10.0.0.1"}, {"Version", "3"}, {"OID", "1.3.6.1"}, {"User", "u"},
                      {"Security_Level", "Auth Priv"}, {"Number_Bytes", "4"}, {"Time", "100"}}) +
                 Row({{"Enable", "Y"}, {"Version", "2"}, {"OID", "1.3.6.2"}, {"Community_String", "public"}})),
        ParGenFile({{"SNMP_Manager_IP1", "10"}, {"SNMP_Manager_EN_GAT", "1"}, {"SNMP_Name_of_Station", "name"},
                    {"DALI_CONSOLE_PORT", "10001"}, {"DALI_DISABLE_SCAN", "1"}}),
        DALIFile({{"DALI_ID_DEVICE_1", "1"}, {"DALI_ID_DEVICE_1_RECALL_LEVEL", "None"}}),
    };
    const String targets[] = {QStringLiteral("SNMP_Manager.xml"), QStringLiteral("ParGen.xml"), QStringLiteral("DALI_Access.xml")};
    std::mt19937 random(20240611);
    int built = 0, refused = 0;
    for (int s = 0; s < 3; ++s) {
        for (int round = 0; round < 80; ++round) {
            QByteArray bytes = sources[s];
            const int edits = 1 + int(random() % 4);
            for (int e = 0; e < edits; ++e) {
                const int at = int(random() % std::uint32_t(bytes.size()));
                switch (random() % 3) {
                case 0: bytes[at] = char(random() % 256); break;
                case 1: bytes.remove(at, 1 + int(random() % 8)); break;
                default: bytes.insert(at, char(random() % 256)); break;
                }
            }
            Dir.Write(targets[s], bytes);
            try {
                ExpectWellFormed(Build());
                ++built;
            } catch (const Exception& e) {
                EXPECT_FALSE(e.Message().isEmpty());
                ++refused;
            }
        }
        QDir(Dir.Path()).remove(targets[s]);
    }
    // Both outcomes occur, so the mutations reach the readers as well as the parser.
    EXPECT_GT(built, 0);
    EXPECT_GT(refused, 0);
}

// ---- Build_Bin_Config and Save_Bin_Config ------------------------------------------------

TEST_F(BinConfigTest, SaveCreatesTheBinFolderAndWritesBothImages)
{
    TTestSeams seams;
    SNMP(SNMPFile(Row({{"OID", "1.3"}, {"Community_String", "c"}})));
    ASSERT_FALSE(DirectoryExists(Dir.File(QStringLiteral("bin"))));
    ASSERT_TRUE(Build_Bin_Config());
    ASSERT_TRUE(Save_Bin_Config());
    EXPECT_TRUE(seams.Boxes.empty());
    const TBinImages expected = Build();
    EXPECT_TRUE(SameImage(Dir.Read(QStringLiteral("bin/bank1.bin")), expected.Bank1));
    EXPECT_TRUE(SameImage(Dir.Read(QStringLiteral("bin/bank2.bin")), expected.Bank2));
    // Nothing but the two images is left behind.
    EXPECT_EQ(QDir(Dir.File(QStringLiteral("bin"))).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A second run replaces them.
    SNMP(SNMPFile(""));
    ASSERT_TRUE(Build_Bin_Config());
    ASSERT_TRUE(Save_Bin_Config());
    EXPECT_TRUE(SameImage(Dir.Read(QStringLiteral("bin/bank2.bin")), expectedBank2()));
}

TEST_F(BinConfigTest, FailedWriteShowsAnErrorAndLeavesTheOldImage)
{
    TTestSeams seams;
    ASSERT_TRUE(Build_Bin_Config());
    Dir.Write(QStringLiteral("bin/bank1.bin"), "old");
    QFile::setPermissions(BinFile("bank1.bin"), QFileDevice::ReadOwner);
    EXPECT_FALSE(Save_Bin_Config());
    ASSERT_EQ(seams.Boxes.size(), 1u);
    EXPECT_EQ(seams.Boxes[0].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(seams.Boxes[0].Text.startsWith(QStringLiteral("Error!! The device parameter files cannot be written: ")));
    EXPECT_TRUE(seams.Boxes[0].Text.contains(BinFile("bank1.bin"))) << seams.Boxes[0].Text.toStdString();
    QFile::setPermissions(BinFile("bank1.bin"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Dir.Read(QStringLiteral("bin/bank1.bin")), QByteArray("old"));

    // A bin that is a file, not a folder.
    TempFolder other;
    other.Write(QStringLiteral("bin"), "x");
    Project_Path = other.Path();
    EXPECT_FALSE(Save_Bin_Config());
    ASSERT_EQ(seams.Boxes.size(), 2u);
    EXPECT_EQ(seams.Boxes[1].Icon, TMsgBoxIcon::Error);
    EXPECT_TRUE(seams.Boxes[1].Text.contains(other.File(QStringLiteral("bin")))) << seams.Boxes[1].Text.toStdString();
}

TEST_F(BinConfigTest, RefusedOrFailedBuildWritesNothing)
{
    TTestSeams seams;
    ASSERT_TRUE(Build_Bin_Config());
    ASSERT_NE(Last_Bin_Images(), nullptr);

    const struct {
        const char* what;
        QByteArray snmp;
        const char* message;
    } cases[] = {
        {"limit", SNMPFile(Row({{"Number_Bytes", "300"}})), "Error row 1!! Number bytes must be between 0 and 255"},
        {"not XML", "<SNMP_Agent_Access><row", "is not a valid XML file"},
        {"bare &", "<SNMP_Agent_Access><row OID=\"1.3\" Mnemonic=\"Boiler & pumps\"/></SNMP_Agent_Access>",
         "is not a valid XML file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        seams.Boxes.clear();
        SNMP(c.snmp);
        EXPECT_FALSE(Build_Bin_Config());
        ASSERT_EQ(seams.Boxes.size(), 1u);
        EXPECT_EQ(seams.Boxes[0].Icon, TMsgBoxIcon::Error);
        EXPECT_TRUE(seams.Boxes[0].Text.contains(QLatin1String(c.message))) << seams.Boxes[0].Text.toStdString();
        // The previous images are gone, so a save cannot write stale ones.
        EXPECT_EQ(Last_Bin_Images(), nullptr);
        EXPECT_FALSE(Save_Bin_Config());
        ASSERT_EQ(seams.Boxes.size(), 2u);
        EXPECT_EQ(seams.Boxes[1].Text, QStringLiteral("Error!! The device parameter files have not been built"));
        EXPECT_FALSE(DirectoryExists(Dir.File(QStringLiteral("bin"))));
    }
}

// None open, or the open one's folder deleted meanwhile: nothing is built
// from defaults and no folder is made in its place.
TEST_F(BinConfigTest, NoOpenConfigurationIsRefused)
{
    for (const String& path : {String(), Dir.File(QStringLiteral("PROJECTS/Gone"))}) {
        SCOPED_TRACE(path.toStdString());
        TTestSeams seams;
        Project_Path = path;
        EXPECT_FALSE(Build_Bin_Config());
        EXPECT_FALSE(Save_Bin_Config());
        ASSERT_EQ(seams.Boxes.size(), 2u);
        for (const TMessageBoxRequest& box : seams.Boxes) {
            EXPECT_EQ(box.Icon, TMsgBoxIcon::Error);
            EXPECT_EQ(box.Text, Lang_Text(18));
        }
        EXPECT_FALSE(DirectoryExists(Dir.File(QStringLiteral("PROJECTS"))));
    }
}

} // namespace
