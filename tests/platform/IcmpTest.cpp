#include "platform/Icmp.h"

#include <gtest/gtest.h>

namespace {

// Answers every echo as a test script says, and records what was sent.
class TScriptedTransport : public TEchoTransport {
public:
    std::vector<std::uint32_t> Addresses;
    std::vector<int> PayloadSizes;
    TReplyStatus Echo(std::uint32_t address, std::uint16_t sequence, const QByteArray& payload, unsigned) override
    {
        Addresses.push_back(address);
        PayloadSizes.push_back(int(payload.size()));
        TReplyStatus status;
        status.SequenceId = sequence;
        status.BytesReceived = 64;
        status.ReplyStatusType = TReplyStatusTypes::rsEcho;
        return status;
    }
};

TEST(IcmpTest, ResolvesOnlyDottedIPv4Text)
{
    EXPECT_EQ(ResolveIPv4("127.0.0.1"), 0x7F000001u);
    EXPECT_EQ(ResolveIPv4(" 10.1.2.3 "), 0x0A010203u);
    for (const char* bad : {"", "   ", "256.1.1.1", "1.2.3", "localhost", "::1", "1.2.3.4.5"})
        EXPECT_THROW(ResolveIPv4(QString::fromLatin1(bad)), EIcmpError) << bad;
}

TEST(IcmpTest, PingFillsThePacketAndReportsEveryEcho)
{
    TIcmpClient client(nullptr);
    auto transport = std::make_unique<TScriptedTransport>();
    auto* seen = transport.get();
    client.SetTransport(std::move(transport));
    client.Host = "127.0.0.1";
    int replies = 0;
    client.OnReply = [&](TObject* sender, const TReplyStatus& status) {
        EXPECT_EQ(sender, &client);
        EXPECT_EQ(status.BytesReceived, 64);
        ++replies;
    };
    client.Ping("hello", 3);
    ASSERT_EQ(seen->Addresses.size(), 1u);
    EXPECT_EQ(seen->Addresses[0], 0x7F000001u);
    EXPECT_EQ(seen->PayloadSizes[0], 1024 - 8);
    EXPECT_EQ(client.ReplyStatus().SequenceId, 3);
    EXPECT_EQ(replies, 1);

    client.Host = "not an address";
    EXPECT_THROW(client.Ping(), EIcmpError);
    EXPECT_EQ(replies, 1);
}

TEST(IcmpTest, LoopbackAnswersARealEcho)
{
    if (!IcmpSocketAvailable()) GTEST_SKIP() << "This system lets the process open no ICMP socket";
    TIcmpClient client(nullptr);
    client.Host = "127.0.0.1";
    client.ReceiveTimeout = 2000;
    client.Ping("", 1);
    EXPECT_EQ(client.ReplyStatus().ReplyStatusType, TReplyStatusTypes::rsEcho);
    EXPECT_GT(client.ReplyStatus().BytesReceived, 0);
    EXPECT_EQ(client.ReplyStatus().FromIpAddress, "127.0.0.1");
}

} // namespace
