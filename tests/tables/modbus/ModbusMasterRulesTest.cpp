// The checks of both Modbus masters' tables: the address check, every row
// check in its order with its bounds, the byte spans at the edges of the
// two data areas, and the joined messages as the user reads them.

#include "core/ULanguage.h"
#include "tables/modbus/UModbusMasterRules.h"

#include <gtest/gtest.h>

namespace {

TEST(ModbusMasterRules, CheckIPAddressFaults)
{
    const struct {
        const char* Text;
        bool Fault;
    } cases[] = {
        {"192.168.1.125", false}, {"0.0.0.0", false},     {"255.255.255.255", false}, {"$C0.x10.0x1.1", false},
        {"", true},               {"1.2.3", true},        {"1.2.3.4.5", true},        {"256.1.1.1", true},
        {"1.2.3.256", true},      {"1..3.4", true},       {"a.b.c.d", true},          {"-1.2.3.4", true},
        {"1.2.3.", true},         {".1.2.3", true},
    };
    for (const auto& c : cases) EXPECT_EQ(Check_IP_Address(QString::fromLatin1(c.Text)), c.Fault) << c.Text;
}

// The cells a case changes, named by what they hold, so one table serves
// both masters whose columns stand apart.
using TCell = int TModbusCols::*;
struct TCase {
    bool Write;
    std::vector<std::pair<TCell, const char*>> Cells;
    std::optional<TModbusCheck> Check;  // none: passes
    int Bound = -1;
    bool Tcp_Only = false;
};

TRowTexts Valid_Row(const TModbusDirection& d)
{
    TRowTexts row(d.Layout.Columns.size());
    const TModbusCols& c = d.Cols;
    row[std::size_t(c.Enable)] = "Y";
    if (c.IP_Address >= 0) row[std::size_t(c.IP_Address)] = "192.168.1.10";
    if (c.Port >= 0) row[std::size_t(c.Port)] = "502";
    row[std::size_t(c.Slave_ID)] = "1";
    row[std::size_t(c.Type)] = "Holding Register";
    row[std::size_t(c.Address)] = "0";
    row[std::size_t(c.NPoint)] = "10";
    row[std::size_t(c.Poll_Time)] = "1000";
    row[std::size_t(c.Max_Error)] = "3";
    row[std::size_t(c.Position)] = "0";
    row[std::size_t(c.Bit)] = "0";
    return row;
}

using enum TModbusCheck;
const TCase Cases[] = {
    {false, {}, std::nullopt},
    {true, {}, std::nullopt},
    // Address and port, with a later bad cell that must not be the one reported.
    {false, {{&TModbusCols::IP_Address, "1.2.3"}, {&TModbusCols::Port, "x"}}, IP_Address, -1, true},
    {true, {{&TModbusCols::IP_Address, ""}}, IP_Address, -1, true},
    {false, {{&TModbusCols::Port, "65536"}, {&TModbusCols::Slave_ID, "0"}}, Port, -1, true},
    {true, {{&TModbusCols::Port, "-1"}}, Port, -1, true},
    {false, {{&TModbusCols::Port, "0"}}, std::nullopt, -1, true},
    {true, {{&TModbusCols::Port, "$FFFF"}}, std::nullopt, -1, true},
    // Slave ID 1 to 247; an empty one ends the table, so only blanks reach the check.
    {false, {{&TModbusCols::Slave_ID, "0"}, {&TModbusCols::Type, ""}}, Slave_ID},
    {false, {{&TModbusCols::Slave_ID, "248"}}, Slave_ID},
    {true, {{&TModbusCols::Slave_ID, "247"}}, std::nullopt},
    {true, {{&TModbusCols::Slave_ID, "abc"}}, Slave_ID},
    // Type: any text passes, only an empty one fails.
    {false, {{&TModbusCols::Type, ""}, {&TModbusCols::Address, "-1"}}, Type},
    {true, {{&TModbusCols::Type, ""}}, Type},
    {false, {{&TModbusCols::Type, " "}}, std::nullopt},
    {false, {{&TModbusCols::Address, "65536"}}, Address},
    {true, {{&TModbusCols::Address, "65535"}}, std::nullopt},
    {true, {{&TModbusCols::Address, "0x10000"}}, Address},
    // NPoint: the protocol's maxima per direction and kind, named in the message.
    {false, {{&TModbusCols::Type, "Input Register"}, {&TModbusCols::NPoint, "126"}}, NPoint, 125},
    {false, {{&TModbusCols::Type, "Input Register"}, {&TModbusCols::NPoint, "64"}}, std::nullopt},
    {false, {{&TModbusCols::Type, "Coil Status"}, {&TModbusCols::NPoint, "2001"}}, NPoint, 2000},
    {false, {{&TModbusCols::Type, " input status "}, {&TModbusCols::NPoint, "0"}}, NPoint, 2000},
    {false, {{&TModbusCols::NPoint, ""}}, NPoint, 125},
    {true, {{&TModbusCols::Type, "Holding Register"}, {&TModbusCols::NPoint, "124"}}, NPoint, 123},
    {true, {{&TModbusCols::Type, "Holding Register"}, {&TModbusCols::NPoint, "123"}, {&TModbusCols::Position, "0"}},
     std::nullopt},
    {true, {{&TModbusCols::Type, "Coil Status"}, {&TModbusCols::NPoint, "1969"}}, NPoint, 1968},
    // An input status written is no bit kind of the Write table: a register row.
    {true, {{&TModbusCols::Type, "Input Status"}, {&TModbusCols::NPoint, "124"}}, NPoint, 123},
    // Poll Time: 0 passes only in the Write table.
    {false, {{&TModbusCols::Poll_Time, "0"}}, Poll_Time},
    {true, {{&TModbusCols::Poll_Time, "0"}}, std::nullopt},
    {false, {{&TModbusCols::Poll_Time, "100000001"}}, Poll_Time},
    {true, {{&TModbusCols::Poll_Time, "100000000"}}, std::nullopt},
    {false, {{&TModbusCols::Max_Error, "-1"}, {&TModbusCols::Position, "999"}}, Max_Error},
    {true, {{&TModbusCols::Max_Error, "100000001"}}, Max_Error},
    {false, {{&TModbusCols::Max_Error, "0"}}, std::nullopt},
    // Position inside its area, the last index named.
    {false, {{&TModbusCols::Position, "128"}}, Position, 127},
    {false, {{&TModbusCols::Position, ""}}, Position, 127},
    {true, {{&TModbusCols::Position, "1540"}}, Position, 1539},
    {true, {{&TModbusCols::Position, "-1"}}, Position, 1539},
    // A bit row needs its start bit; a register row never reads it.
    {false, {{&TModbusCols::Type, "Coil Status"}, {&TModbusCols::Bit, ""}}, Bit},
    {true, {{&TModbusCols::Type, "Coil Status"}, {&TModbusCols::Bit, ""}}, Bit},
    {false, {{&TModbusCols::Type, "Coil Status"}, {&TModbusCols::Bit, "8"}}, Bit},
    {false, {{&TModbusCols::Type, "Coil Status"}, {&TModbusCols::Bit, "2147483647"}}, Bit},
    {false, {{&TModbusCols::Bit, ""}}, std::nullopt},
};

TEST(ModbusMasterRules, EveryRowCheckInItsOrderForBothMasters)
{
    Load_Default_Texts();   // the messages are read from the text table, which no other step filled
    for (const TModbusMaster* master : {&Modbus_TCP_Master(), &Modbus_Serial_Master()}) {
        const bool tcp = master == &Modbus_TCP_Master();
        for (const TCase& c : Cases) {
            if (c.Tcp_Only && !tcp) continue;
            const TModbusDirection& d = c.Write ? master->Write : master->Read;
            std::vector<TRowTexts> read{Valid_Row(master->Read)}, write{Valid_Row(master->Write)};
            TRowTexts& row = (c.Write ? write : read).emplace_back(Valid_Row(d));
            for (const auto& [cell, text] : c.Cells) row[std::size_t(d.Cols.*cell)] = QString::fromLatin1(text);
            const auto fault = Check_Modbus_Master(*master, read, write);
            SCOPED_TRACE(::testing::Message() << (tcp ? "TCP " : "serial ") << (c.Write ? "write" : "read") << " case "
                                              << (&c - Cases));
            if (!c.Check) {
                EXPECT_FALSE(fault) << int(fault->Check);
                continue;
            }
            ASSERT_TRUE(fault);
            EXPECT_EQ(*fault, (TModbusFault{c.Write, 2, *c.Check, c.Bound}));
            const String bound = c.Bound >= 0 ? IntToStr(c.Bound) : String();
            EXPECT_EQ(Modbus_Fault_Text(*master, *fault),
                      Lang_Text(master->Error_Row_Slot) + "2" + Lang_Text(Modbus_Fault_Slot(*master, *fault)) + bound);
        }
    }
}

// Each check's own text, for both masters' blocks of the text table.
TEST(ModbusMasterRules, EachCheckSpeaksWithItsOwnText)
{
    Load_Default_Texts();   // the messages are read from the text table, which no other step filled
    const struct {
        const TModbusMaster* Master;
        bool Write;
        TModbusCheck Check;
        int Slot;
    } cases[] = {
        {&Modbus_TCP_Master(), false, IP_Address, 1139}, {&Modbus_TCP_Master(), false, Too_Many, 1149},
        {&Modbus_TCP_Master(), true, IP_Address, 1150},  {&Modbus_TCP_Master(), true, Port, 1151},
        {&Modbus_TCP_Master(), true, Too_Many, 1160},    {&Modbus_Serial_Master(), false, Slave_ID, 1737},
        {&Modbus_Serial_Master(), false, Too_Many, 1745}, {&Modbus_Serial_Master(), true, Slave_ID, 1746},
        {&Modbus_Serial_Master(), true, Bit, 1753},      {&Modbus_Serial_Master(), true, Too_Many, 1754},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Modbus_Fault_Slot(*c.Master, TModbusFault{c.Write, 1, c.Check}), c.Slot) << c.Slot;

    // The joined messages as the user reads them, with the bound where one is named.
    const TModbusMaster& tcp = Modbus_TCP_Master();
    std::vector<TRowTexts> read{Valid_Row(tcp.Read), Valid_Row(tcp.Read)};
    read[1][MTR_NPoint] = "126";
    EXPECT_EQ(Modbus_Fault_Text(tcp, *Check_Modbus_Master(tcp, read, {})),
              "Error row 2!! [Modbus Read] NPoint must be between 1 and 125");
    read[1][MTR_NPoint] = "10";
    read[1][MTR_IP_Address] = "1.2.3.4.5";
    EXPECT_EQ(Modbus_Fault_Text(tcp, *Check_Modbus_Master(tcp, read, {})),
              "Error row 2!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)");
    const TModbusMaster& serial = Modbus_Serial_Master();
    std::vector<TRowTexts> write{Valid_Row(serial.Write)};
    write[0][MW_Position] = "1540";
    EXPECT_EQ(Modbus_Fault_Text(serial, *Check_Modbus_Master(serial, {}, write)),
              "Error row 1!! [Modbus Write] Position must be between 0 and 1539");
    write[0][MW_Position] = "1530";
    EXPECT_EQ(Modbus_Fault_Text(serial, *Check_Modbus_Master(serial, {}, write)),
              "Error row 1!! [Modbus Write] Too many bytes to read starting from the Position indicate");
}

// The last byte a row covers against the edges of the input area (128
// bytes) and the output area (1540 bytes).
TEST(ModbusMasterRules, ByteSpansAtTheAreaEdges)
{
    const struct {
        bool Write;
        const char* Type;
        const char* NPoint;
        const char* Position;
        const char* Bit;
        bool Fits;
    } cases[] = {
        {false, "Holding Register", "64", "0", "0", true},      // bytes 0 to 127
        {false, "Holding Register", "64", "1", "0", false},
        {false, "Input Register", "1", "126", "", true},        // 126 and 127
        {false, "Input Register", "1", "127", "", false},
        {false, "Coil Status", "2000", "0", "0", false},        // bytes 0 to 249
        {false, "Coil Status", "1024", "0", "0", true},         // ends at byte 127
        {false, "Input Status", "1017", "0", "7", true},        // (1017 + 7 - 1) / 8 = 127
        {false, "Input Status", "1018", "0", "7", false},
        {false, "Coil Status", "1", "127", "7", true},
        {true, "Holding Register", "10", "1520", "", true},     // last byte 1539
        {true, "Holding Register", "10", "1530", "", false},    // 1530 to 1549
        {true, "Coil Status", "8", "1539", "0", true},
        {true, "Coil Status", "9", "1539", "0", false},
        {true, "Coil Status", "1968", "1293", "0", true},       // 1293 + 1967 / 8 = 1538
        {true, "Coil Status", "1968", "1294", "1", false},
    };
    for (const TModbusMaster* master : {&Modbus_TCP_Master(), &Modbus_Serial_Master()})
        for (const auto& c : cases) {
            const TModbusDirection& d = c.Write ? master->Write : master->Read;
            TRowTexts row = Valid_Row(d);
            row[std::size_t(d.Cols.Type)] = c.Type;
            row[std::size_t(d.Cols.NPoint)] = c.NPoint;
            row[std::size_t(d.Cols.Position)] = c.Position;
            row[std::size_t(d.Cols.Bit)] = c.Bit;
            const auto fault = Check_Modbus_Table(d, {row});
            SCOPED_TRACE(::testing::Message() << c.Type << " " << c.NPoint << " at " << c.Position);
            if (c.Fits)
                EXPECT_FALSE(fault) << int(fault->Check);
            else
                EXPECT_EQ(fault, (TModbusFault{c.Write, 1, Too_Many}));
        }
}

// Only rows whose "Enable" reads "Y" after trimming are judged; the others
// may hold anything.
TEST(ModbusMasterRules, OnlyEnabledRowsAreJudged)
{
    const TModbusMaster& master = Modbus_Serial_Master();
    TRowTexts junk(master.Write.Layout.Columns.size(), QStringLiteral("junk"));
    for (const char* enable : {"N", "", "y", "YES"}) {
        junk[MW_Enable] = QString::fromLatin1(enable);
        EXPECT_FALSE(Check_Modbus_Master(master, {}, {junk})) << enable;
    }
    junk[MW_Enable] = " Y ";
    EXPECT_EQ(Check_Modbus_Master(master, {}, {junk}), (TModbusFault{true, 1, Slave_ID}));
}

} // namespace
