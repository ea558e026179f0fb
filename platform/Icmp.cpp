#include "platform/Icmp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

constexpr std::uint8_t IcmpEchoReply = 0;
constexpr std::uint8_t IcmpEchoRequest = 8;
constexpr int IcmpHeaderSize = 8;

std::uint16_t InternetChecksum(const QByteArray& bytes)
{
    std::uint32_t sum = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i + 1 < n; i += 2) sum += std::uint32_t(data[i] << 8 | data[i + 1]);
    if (n % 2) sum += std::uint32_t(data[n - 1] << 8);
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(~sum);
}

void PutBigEndian16(QByteArray& bytes, int offset, std::uint16_t value)
{
    bytes[offset] = char(value >> 8);
    bytes[offset + 1] = char(value & 0xFF);
}

std::uint16_t GetBigEndian16(const unsigned char* p) { return std::uint16_t(p[0] << 8 | p[1]); }

QByteArray EchoRequest(std::uint16_t identifier, std::uint16_t sequence, const QByteArray& payload)
{
    QByteArray packet(IcmpHeaderSize, '\0');
    packet[0] = char(IcmpEchoRequest);
    PutBigEndian16(packet, 4, identifier);
    PutBigEndian16(packet, 6, sequence);
    packet += payload;
    PutBigEndian16(packet, 2, InternetChecksum(packet));
    return packet;
}

// A different identifier for every transport, so two pings of one process
// never take each other's replies on a raw socket.
std::uint16_t NextIdentifier()
{
    static std::atomic<std::uint16_t> counter{0};
    return std::uint16_t((::getpid() & 0xFFFF) ^ (counter.fetch_add(0x1F3) & 0xFFFF));
}

int OpenEchoSocket(bool& datagram)
{
    int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (s >= 0) {
        datagram = true;
        return s;
    }
    datagram = false;
    return ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
}

using TSteadyClock = std::chrono::steady_clock;

unsigned MillisecondsSince(TSteadyClock::time_point start)
{
    return unsigned(std::chrono::duration_cast<std::chrono::milliseconds>(TSteadyClock::now() - start).count());
}

} // namespace

std::uint32_t ResolveIPv4(const String& host)
{
    const QByteArray text = host.trimmed().toLatin1();
    in_addr numeric{};
    if (text.isEmpty() || ::inet_pton(AF_INET, text.constData(), &numeric) != 1)
        throw EIcmpError(QStringLiteral("Not an IPv4 address: ") + host);
    return ntohl(numeric.s_addr);
}

// ---- TSystemEchoTransport -----------------------------------------------------

TSystemEchoTransport::TSystemEchoTransport() = default;

TSystemEchoTransport::~TSystemEchoTransport()
{
    if (FSocket >= 0) ::close(FSocket);
}

void TSystemEchoTransport::Open()
{
    if (FSocket >= 0) return;
    FSocket = OpenEchoSocket(FDatagram);
    if (FSocket < 0)
        throw EIcmpError(QStringLiteral("Cannot open an ICMP socket: ") + QString::fromLocal8Bit(std::strerror(errno)));
    FIdentifier = NextIdentifier();
    if (FDatagram) {
        // The system puts the socket's local port into the identifier field.
        sockaddr_in local{};
        local.sin_family = AF_INET;
        socklen_t length = sizeof(local);
        if (::bind(FSocket, reinterpret_cast<sockaddr*>(&local), sizeof(local)) == 0 &&
            ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&local), &length) == 0)
            FIdentifier = ntohs(local.sin_port);
    }
}

TReplyStatus TSystemEchoTransport::Echo(std::uint32_t address, std::uint16_t sequence, const QByteArray& payload,
                                        unsigned timeoutMs)
{
    Open();
    TReplyStatus status;
    status.SequenceId = sequence;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(address);
    const QByteArray request = EchoRequest(FIdentifier, sequence, payload);
    const auto start = TSteadyClock::now();
    if (::sendto(FSocket, request.constData(), size_t(request.size()), 0, reinterpret_cast<sockaddr*>(&target),
                 sizeof(target)) < 0) {
        status.ReplyStatusType = TReplyStatusTypes::rsError;
        return status;
    }
    QByteArray buffer(65536, '\0');
    for (;;) {
        const unsigned elapsed = MillisecondsSince(start);
        if (elapsed >= timeoutMs) return status; // rsTimeOut, no bytes
        pollfd waiting{FSocket, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, int(timeoutMs - elapsed));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return status;
        sockaddr_in from{};
        socklen_t fromLength = sizeof(from);
        const ssize_t received = ::recvfrom(FSocket, buffer.data(), size_t(buffer.size()), 0,
                                            reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (received <= 0 || from.sin_addr.s_addr != target.sin_addr.s_addr) continue;
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.constData());
        std::size_t offset = 0;
        if (!FDatagram) offset = std::size_t(bytes[0] & 0x0F) * 4; // a raw socket hands us the IP header too
        if (std::size_t(received) < offset + IcmpHeaderSize) continue;
        const unsigned char* icmp = bytes + offset;
        if (icmp[0] != IcmpEchoReply || GetBigEndian16(icmp + 4) != FIdentifier ||
            GetBigEndian16(icmp + 6) != sequence)
            continue;
        status.BytesReceived = int(std::size_t(received) - offset);
        status.FromIpAddress = QString::fromLatin1(::inet_ntoa(from.sin_addr));
        status.ReplyStatusType = TReplyStatusTypes::rsEcho;
        status.MsRoundTripTime = MillisecondsSince(start);
        return status;
    }
}

bool IcmpSocketAvailable()
{
    bool datagram = false;
    const int s = OpenEchoSocket(datagram);
    if (s < 0) return false;
    ::close(s);
    return true;
}

// ---- TIcmpClient --------------------------------------------------------------------

TIcmpClient::TIcmpClient(TComponent* AOwner) : TComponent(AOwner) {}

TIcmpClient::~TIcmpClient() = default;

void TIcmpClient::SetTransport(std::unique_ptr<TEchoTransport> transport) { FTransport = std::move(transport); }

TEchoTransport& TIcmpClient::Transport()
{
    if (!FTransport) FTransport = std::make_unique<TSystemEchoTransport>();
    return *FTransport;
}

void TIcmpClient::Ping(const String& data, std::uint16_t sequence)
{
    const std::uint32_t address = ResolveIPv4(Host);
    // The data text first, then a filler up to the packet size.
    QByteArray payload = data.toLatin1();
    const int dataSize = std::max(0, PacketSize - IcmpHeaderSize);
    if (payload.size() > dataSize) payload.truncate(dataSize);
    while (payload.size() < dataSize) payload.append(char('a' + payload.size() % 23));
    FReplyStatus = Transport().Echo(address, sequence, payload, ReceiveTimeout);
    if (OnReply) OnReply(this, FReplyStatus);
}
