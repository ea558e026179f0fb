#pragma once
// ICMP echo ("ping") over IPv4: one echo request at a time, waiting a bounded
// time for its reply. The transport is replaceable so that callers' retry
// loops can be tested without a network.

#include "platform/Classes.h"
#include "platform/SysUtils.h"

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <memory>

class EIcmpError : public Exception {
public:
    using Exception::Exception;
};

enum class TReplyStatusTypes { rsEcho, rsError, rsTimeOut };

struct TReplyStatus {
    // Bytes of the echo reply that came back; 0 when none came.
    int BytesReceived = 0;
    String FromIpAddress;
    TReplyStatusTypes ReplyStatusType = TReplyStatusTypes::rsTimeOut;
    unsigned MsRoundTripTime = 0;
    std::uint16_t SequenceId = 0;
};

// Sends one echo request to an IPv4 address (host byte order) and waits at
// most `timeoutMs` for the matching reply. Throws EIcmpError when no echo
// socket can be used.
class TEchoTransport {
public:
    virtual ~TEchoTransport() = default;
    virtual TReplyStatus Echo(std::uint32_t address, std::uint16_t sequence, const QByteArray& payload,
                              unsigned timeoutMs) = 0;
};

// The system's echo: an unprivileged ICMP datagram socket where the system
// allows it, else a raw ICMP socket. Only an echo reply from the pinged
// address that carries our identifier and sequence counts; anything else
// arriving meanwhile is skipped without extending the wait.
class TSystemEchoTransport : public TEchoTransport {
public:
    TSystemEchoTransport();
    ~TSystemEchoTransport() override;
    TReplyStatus Echo(std::uint32_t address, std::uint16_t sequence, const QByteArray& payload,
                      unsigned timeoutMs) override;

private:
    void Open();
    int FSocket = -1;
    bool FDatagram = false;
    std::uint16_t FIdentifier = 0;
};

// True when this process can open some ICMP echo socket.
bool IcmpSocketAvailable();

using TReplyEvent = std::function<void(TObject* ASender, const TReplyStatus& AReplyStatus)>;

class TIcmpClient : public TComponent {
public:
    explicit TIcmpClient(TComponent* AOwner);
    ~TIcmpClient() override;

    String Host;
    unsigned ReceiveTimeout = 400;
    // The whole echo packet: the 8-byte ICMP header and the data.
    int PacketSize = 1024;
    TReplyEvent OnReply;

    // Sends one echo request to Host and waits for its reply; OnReply fires
    // for every echo, a timed-out one included. Throws EIcmpError when Host
    // is no IPv4 address or the echo socket cannot be used.
    void Ping(const String& data = String(), std::uint16_t sequence = 0);
    const TReplyStatus& ReplyStatus() const { return FReplyStatus; }

    // Tests hand in a transport of their own; nullptr goes back to the system's.
    void SetTransport(std::unique_ptr<TEchoTransport> transport);

private:
    TEchoTransport& Transport();
    std::unique_ptr<TEchoTransport> FTransport;
    TReplyStatus FReplyStatus;
};

// The IPv4 address of a dotted text, in host byte order. Names are not
// looked up: a ping never causes a name-service query. Throws EIcmpError
// for anything else.
std::uint32_t ResolveIPv4(const String& host);
