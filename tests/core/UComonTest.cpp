#include "core/UComon.h"

#include "platform/Regional.h"
#include "tests/common/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

String Q(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(ProgramState, StartValuesAndReset)
{
    Reset_Program_State();
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_TRUE(Program_Path.isEmpty());
    EXPECT_TRUE(Software_Code.isEmpty());
    EXPECT_TRUE(File_SNMP_Manager.isEmpty());
    EXPECT_TRUE(BACnet_CSV_Dir.isEmpty());
    EXPECT_EQ(Last_IP_Address, Q("192.168.2.205"));
    EXPECT_EQ(Language_Name, Q("English"));
    EXPECT_EQ(Update_Option_Index, 0);
    EXPECT_TRUE(Update_Read_Back);
    EXPECT_FALSE(Enable_Internet || Enable_Update || Enable_Jump_Field_Tables || Double_Click_Auto_Size);

    Project_Name = Q("Plant A");
    Project_Path = Q("/x/PROJECTS/Plant A");
    File_ParGen = Q("/x/PROJECTS/Plant A/ParGen.xml");
    File_KNX_SetAccess = Q("/x/PROJECTS/Plant A/KNX_SetAccess.xml");
    Last_IP_Address = Q("10.0.0.1");
    Language_Name = Q("Italiano");
    Update_Option_Index = 2;
    Update_Read_Back = false;
    Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = true;
    Row_Copy.Add(Q("Y"));
    Row_Copy_Is_Check.push_back(true);
    MIB_In_Names.Add(Q("in1"));
    MIB_Out_Names.Add(Q("out1"));

    Reset_Program_State();
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_TRUE(File_ParGen.isEmpty());
    EXPECT_TRUE(File_KNX_SetAccess.isEmpty());
    EXPECT_EQ(Last_IP_Address, Q("192.168.2.205"));
    EXPECT_EQ(Language_Name, Q("English"));
    EXPECT_EQ(Update_Option_Index, 0);
    EXPECT_TRUE(Update_Read_Back);
    EXPECT_FALSE(Enable_Internet || Enable_Update || Enable_Jump_Field_Tables || Double_Click_Auto_Size);
    EXPECT_EQ(Row_Copy.Count(), 0);
    EXPECT_TRUE(Row_Copy_Is_Check.empty());
    EXPECT_EQ(MIB_In_Names.Count(), 0);
    EXPECT_EQ(MIB_Out_Names.Count(), 0);
}

TEST(ProgramState, BuiltInIdentity)
{
    EXPECT_EQ(Built_In_Software_Code, Q("KS40219"));
    EXPECT_EQ(Built_In_Software_Description, Q("DALI / SNMP Manager - Converter"));
    EXPECT_EQ(Software_Version, Q("1.000"));
    EXPECT_EQ(Version_Query_Software_Code, Q("KS40219"));
    EXPECT_EQ(Maker_Web_Host, Q("www.zorvat.example"));
}

TEST(TextChecks, KnxAddresses)
{
    const struct {
        const char* text;
        bool group;
        bool allowZero;
        int expected;
    } cases[] = {
        // Plain numbers, either kind.
        {"300", false, false, 0}, {"300", true, false, 0}, {"65535", false, false, 0}, {"65535", true, true, 0},
        {"1", true, false, 0}, {"0", false, true, 1}, {"0", true, true, 1}, {"65536", false, false, 1},
        {"70000", true, false, 1}, {"-5", false, false, 1}, {"$FFFF", true, false, 0}, {"0x10", false, false, 0},
        {"", false, true, 1}, {"abc", true, false, 1}, {" 300", false, false, 0}, {"300 ", false, false, 1},
        // Individual addresses: area 0-15, line 0-15, device 0-255.
        {"1.1.1", false, false, 0}, {"1.1", false, false, 1}, {"16.0.1", false, false, 1},
        {"1.2.3.4", false, false, 1}, {"0.0.0", false, true, 0}, {"0.0.0", false, false, 1},
        {"15.15.255", false, false, 0}, {"15.16.0", false, false, 1}, {"1.1.256", false, false, 1},
        {" 1 . 2 . 3 ", false, false, 0}, {"1.1.1/2", false, true, 1}, {"1/1/1", false, true, 1},
        {"$F.x0F.0xFF", false, false, 0}, {"-1.0.0", false, true, 1}, {"a.b.c", false, true, 1},
        {"1..1", false, true, 1}, {"1.1.", false, true, 1}, {".1.1", false, true, 1},
        // Group addresses: main/sub (0-31, 0-2047) or main/middle/sub (0-31, 0-7, 0-255).
        {"31/7/255", true, false, 0}, {"31/2047", true, false, 0}, {"1/2048", true, false, 1},
        {"32/0", true, false, 1}, {"1/2/3/4", true, false, 1}, {"0/0/0", true, true, 1}, {"0/0", true, true, 1},
        {"0/1", true, false, 0}, {"0/0/1", true, false, 0}, {"1.2/3", true, true, 1}, {"31/8/0", true, false, 1},
        {"1/7/256", true, false, 1}, {" 1 / 2 / 3 ", true, false, 0}, {"1/", true, false, 1},
        {"/1", true, false, 1}, {"1//2", true, false, 1}, {"1/2/", true, false, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_KNX_Address(Q(c.text), c.group, c.allowZero), c.expected)
            << "'" << c.text << "' group " << c.group << " zero " << c.allowZero;

    EXPECT_TRUE(Is_Not_Dotted(Q("1/2/3")));
    EXPECT_TRUE(Is_Not_Dotted(String()));
    EXPECT_FALSE(Is_Not_Dotted(Q("1.2.3")));
}

TEST(TextChecks, SplitIpAddress)
{
    const struct {
        const char* text;
        bool ok;
        const char *a, *b, *c, *d;
    } cases[] = {
        {" 192 . 168 . 2 . 205 ", true, "192", "168", "2", "205"},
        {"0.0.0.0", true, "0", "0", "0", "0"},
        {"255.255.255.255", true, "255", "255", "255", "255"},
        {"$FF.x10.0x1.01", true, "$FF", "x10", "0x1", "01"},
        {"1.2.3", false, "1", "2", "", ""},
        {"1.2.3.4.5", false, "1", "2", "3", "4.5"},
        {"256.1.1.1", false, "256", "1", "1", "1"},
        {"1.2.3.-1", false, "1", "2", "3", "-1"},
        {"1..2.3", false, "1", "", "2", "3"},
        {"1.2.3.", false, "1", "2", "3", ""},
        {"", false, "", "", "", ""},
        {"abc", false, "", "", "", ""},
        {"a.b.c.d", false, "a", "b", "c", "d"},
    };
    for (const auto& c : cases) {
        String a = Q("old"), b = Q("old"), cc = Q("old"), d = Q("old");
        EXPECT_EQ(Split_IP_Address(Q(c.text), a, b, cc, d), c.ok) << c.text;
        EXPECT_EQ(a, Q(c.a)) << c.text;
        EXPECT_EQ(b, Q(c.b)) << c.text;
        EXPECT_EQ(cc, Q(c.c)) << c.text;
        EXPECT_EQ(d, Q(c.d)) << c.text;
    }
}

TEST(TextChecks, IpAddressWithPort)
{
    const struct {
        const char* text;
        bool ok;
        int b1, b2, b3, b4, port;
    } cases[] = {
        {"10.0.0.1:47808", true, 10, 0, 0, 1, 47808},
        {"255.255.255.255:65535", true, 255, 255, 255, 255, 65535},
        {"0.0.0.0:0", true, 0, 0, 0, 0, 0},
        {" 10 . 0 . 0 . 1 : 80 ", true, 10, 0, 0, 1, 80},
        {"10.0.0.1:$50", true, 10, 0, 0, 1, 80},
        {"10.0.0.1", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:70000", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:65536", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:-1", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:80:90", false, 0, 0, 0, 0, 0},
        {"10.0.0:80", false, 0, 0, 0, 0, 0},
        {"256.0.0.1:80", false, 0, 0, 0, 0, 0},
        {"10.0.0.256:80", false, 0, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0, 0},
        {"abc:80", false, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        std::uint8_t b1 = 99, b2 = 99, b3 = 99, b4 = 99;
        std::uint16_t port = 99;
        EXPECT_EQ(Check_IP_Port(Q(c.text), b1, b2, b3, b4, port), c.ok) << c.text;
        EXPECT_EQ(b1, c.b1) << c.text;
        EXPECT_EQ(b2, c.b2) << c.text;
        EXPECT_EQ(b3, c.b3) << c.text;
        EXPECT_EQ(b4, c.b4) << c.text;
        EXPECT_EQ(port, c.port) << c.text;
    }
}

TEST(TextChecks, IpToBytes)
{
    const struct {
        const char* text;
        bool error;
        int a, b, c, d;
    } cases[] = {
        {"", true, 77, 77, 77, 77}, // outputs left alone
        {"192.168.2.205", false, 192, 168, 2, 205},
        {"1.2.300.4", true, 1, 2, 0, 4},
        {"1.2", true, 1, 0, 0, 2},
        {"1.2.3.4.5", true, 1, 2, 3, 0},
        {"255.255.255.256", true, 255, 255, 255, 0},
        {"a.b.c.d", true, 0, 0, 0, 0},
        {"$FF.0.0.0", false, 255, 0, 0, 0},
        {" 1.2.3.4", false, 1, 2, 3, 4}, // leading blanks are part of how numbers read
        {"1 .2.3.4", true, 0, 2, 3, 4},  // octets are not trimmed
        {"1.2.3.", true, 1, 2, 3, 0},
    };
    for (const auto& c : cases) {
        std::uint8_t a = 77, b = 77, cc = 77, d = 77;
        EXPECT_EQ(IP_To_Bytes(Q(c.text), a, b, cc, d), c.error) << c.text;
        EXPECT_EQ(a, c.a) << c.text;
        EXPECT_EQ(b, c.b) << c.text;
        EXPECT_EQ(cc, c.c) << c.text;
        EXPECT_EQ(d, c.d) << c.text;
    }
}

TEST(TextChecks, Oid)
{
    const String longValid = String(Q("1.")).repeated(63) + Q("11"); // 128 characters
    const String tooLong = String(Q("1.")).repeated(64) + Q("1");    // 129 characters
    const struct {
        String text;
        int expected;
    } cases[] = {
        {Q("1.3.6.1.2.1.1.1.0"), 0},
        {Q("1"), 0},
        {Q("0"), 0},
        {Q("1.65535"), 0},
        {Q("1.0065535"), 0},
        {longValid, 0},
        {tooLong, 1},
        {tooLong + Q("x"), 1},
        {Q(""), 2},
        {Q("1.a.3"), 2},
        {Q("1 .3"), 2},
        {Q("1.-3"), 2},
        {Q("1.3\n"), 2},
        {Q("１.3"), 2}, // a full-width digit is no digit here
        {Q(".1.3"), 3},
        {Q("."), 3},
        {Q("..1"), 3},
        {Q("1.3."), 4},
        {Q("1.."), 4},
        {Q("1..3"), 5},
        {Q("1.65536"), 6},
        {Q("1.4294967296"), 6},
        {Q("99999999999999999999999.1"), 6},
    };
    for (const auto& c : cases) EXPECT_EQ(Check_OID(c.text), c.expected) << c.text.toStdString();
}

TEST(TextChecks, SnmpNames)
{
    const struct {
        int (*code)(const String&);
        const char* text;
        int expected;
    } cases[] = {
        {SNMP_Security_Level_Code, "AUTH PRIV", 3},
        {SNMP_Security_Level_Code, " auth priv ", 3},
        {SNMP_Security_Level_Code, "Auth NoPriv", 1},
        {SNMP_Security_Level_Code, "noAuthNoPriv", 0},
        {SNMP_Security_Level_Code, "AUTHPRIV", 0},
        {SNMP_Security_Level_Code, "AUTH  PRIV", 0},
        {SNMP_Security_Level_Code, "", -1},
        {SNMP_Security_Level_Code, " \t ", -1},
        {SNMP_Auth_Protocol_Code, "MD5", 1},
        {SNMP_Auth_Protocol_Code, " md5 ", 1},
        {SNMP_Auth_Protocol_Code, "Sha", 2},
        {SNMP_Auth_Protocol_Code, "SHA1", 0},
        {SNMP_Auth_Protocol_Code, "", 0},
        {SNMP_Priv_Protocol_Code, "DES", 1},
        {SNMP_Priv_Protocol_Code, "aes ", 2},
        {SNMP_Priv_Protocol_Code, "3DES", 0},
        {SNMP_Priv_Protocol_Code, "", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.code(Q(c.text)), c.expected) << "'" << c.text << "'";
}

class RegionalCase : public ::testing::Test {
protected:
    void SetUp() override { Saved = FormatSettings(); }
    void TearDown() override { SetFormatSettings(Saved); }
    void Use(QChar decimal, const String& profile)
    {
        TFormatSettings s = Saved;
        s.DecimalSeparator = decimal;
        s.ThousandSeparator = decimal == u'.' ? u',' : u'.';
        s.ProfileDecimal = profile;
        SetFormatSettings(s);
    }
    TFormatSettings Saved;
};

TEST_F(RegionalCase, DecimalSeparatorFromTheProfile)
{
    const struct {
        const char* profile;
        char16_t expected;
    } cases[] = {
        {",", u','}, {".", u'.'}, {"", u','}, {"x", u','}, {".,,", u'.'}, {",.", u','}, {" .", u','},
    };
    for (const auto& c : cases) {
        Use(u'.', Q(c.profile));
        EXPECT_EQ(Get_Decimal_Separator(), QChar(c.expected)) << "'" << c.profile << "'";
    }
}

TEST_F(RegionalCase, StrToSingleWithEitherSeparator)
{
    const struct {
        char16_t regional;
        const char* text;
        char16_t separator;
        bool ok;
        float value;
    } cases[] = {
        {u'.', "1,5", u'.', true, 1.5f},
        {u'.', "1.5", u'.', true, 1.5f},
        {u'.', "-2,25", u'.', true, -2.25f},
        {u'.', "1.5", u',', false, 1.0f}, // becomes "1,5", which a point locale cannot read
        {u'.', "abc", u'.', false, 1.0f},
        {u'.', "", u'.', false, 1.0f},
        {u'.', "1,5,5", u'.', false, 1.0f},
        {u'.', "1e39", u'.', false, 1.0f}, // beyond single precision
        {u',', "1.5", u',', true, 1.5f},
        {u',', "1,5", u',', true, 1.5f},
        {u',', "1,5", u'.', false, 1.0f},
        {u',', "0,1", u',', true, 0.1f},
    };
    for (const auto& c : cases) {
        Use(QChar(c.regional), String(QChar(c.regional)));
        float value = -7.0f;
        EXPECT_EQ(Str_To_Single(Q(c.text), QChar(c.separator), value), c.ok)
            << c.text << " regional " << char(c.regional) << " separator " << char(c.separator);
        EXPECT_FLOAT_EQ(value, c.value) << c.text;
    }
}

TEST(SerialPorts, ListsTheSerialDevicesInOrder)
{
    TempFolder dev;
    for (const char* name : {"ttyS10", "ttyS0", "ttyUSB1", "ttyS2", "ttyUSB0", "ttyACM0", "ttyS", "ttySx",
                             "ttyUSB", "ttyS1a", "console", "ttyS9999999"})
        dev.Write(Q(name), QByteArray());
    QDir(dev.Path()).mkdir(Q("ttyS3"));
    // A port held by someone else (not ours to open) is still present.
    dev.Write(Q("ttyS5"), QByteArray());
    QFile::setPermissions(dev.File(Q("ttyS5")), QFileDevice::Permissions());

    const std::unique_ptr<TStringList> ports = Get_COM_Ports_In(dev.Path());
    ASSERT_TRUE(ports);
    QStringList expected;
    for (const char* name : {"ttyS0", "ttyS2", "ttyS5", "ttyS10", "ttyUSB0", "ttyUSB1"}) expected << dev.File(Q(name));
    EXPECT_EQ(ports->ToQStringList(), expected);

    EXPECT_EQ(Get_COM_Ports_In(dev.File(Q("missing")))->Count(), 0);

    for (const String& port : Get_COM_Ports()->ToQStringList())
        EXPECT_TRUE(port.startsWith(Q("/dev/ttyS")) || port.startsWith(Q("/dev/ttyUSB"))) << port.toStdString();
}

} // namespace
