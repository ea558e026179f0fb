#pragma once
// A small HTTP server on 127.0.0.1 for tests of the HTTP client and its
// callers. It takes one connection at a time, records the head of every
// request and answers each with the same canned bytes, or never answers.

#include <QByteArray>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

class TLocalHttpServer {
public:
    enum class TMode { Answer, NeverAnswer };

    // `answer` is sent as it stands (status line, headers and body), then
    // the server closes the connection.
    explicit TLocalHttpServer(QByteArray answer, TMode mode = TMode::Answer)
        : FAnswer(std::move(answer)), FMode(mode)
    {
        FListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (FListen < 0) throw std::runtime_error("socket");
        sockaddr_in a = Loopback(0);
        if (::bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(FListen, 8) != 0) {
            ::close(FListen);
            throw std::runtime_error("bind/listen on 127.0.0.1");
        }
        socklen_t len = sizeof a;
        ::getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &len);
        FPort = ntohs(a.sin_port);
        FThread = std::thread([this] { Serve(); });
    }
    ~TLocalHttpServer()
    {
        FStop = true;
        FThread.join();
        ::close(FListen);
    }
    TLocalHttpServer(const TLocalHttpServer&) = delete;
    TLocalHttpServer& operator=(const TLocalHttpServer&) = delete;

    int Port() const { return FPort; }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(FPort); }
    // The head of every request received so far, up to and without the blank line.
    std::vector<QByteArray> Requests() const
    {
        std::lock_guard<std::mutex> g(FLock);
        return FRequests;
    }

    // A 200 answer with this body, ended by the server closing the connection.
    static QByteArray Ok(const QByteArray& body) { return Status(200, "OK", body); }
    static QByteArray Status(int code, const QByteArray& reason, const QByteArray& body = {})
    {
        return "HTTP/1.0 " + QByteArray::number(code) + ' ' + reason +
               "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
               body;
    }

    // A loopback port on which nothing listens (taken and given back at once).
    static int ClosedPort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = Loopback(0);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        ::close(fd);
        return ntohs(a.sin_port);
    }

private:
    static sockaddr_in Loopback(int port)
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(std::uint16_t(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }

    // Waits for `fd` to become readable, waking up to look at the stop flag.
    bool WaitReadable(int fd)
    {
        while (!FStop) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) return true;
        }
        return false;
    }

    void Serve()
    {
        while (WaitReadable(FListen)) {
            const int fd = ::accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            Handle(fd);
            ::close(fd);
        }
    }

    void Handle(int fd)
    {
        QByteArray head;
        char buf[4096];
        while (!head.contains("\r\n\r\n") && head.size() < 65536 && WaitReadable(fd)) {
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0) break;
            head.append(buf, n);
        }
        const qsizetype end = head.indexOf("\r\n\r\n");
        {
            std::lock_guard<std::mutex> g(FLock);
            FRequests.push_back(end >= 0 ? head.left(end) : head);
        }
        if (FMode == TMode::NeverAnswer) {
            // Hold the connection until the client gives up or the test ends.
            while (WaitReadable(fd) && ::recv(fd, buf, sizeof buf, 0) > 0) {}
            return;
        }
        qsizetype sent = 0;
        while (sent < FAnswer.size()) {
            const ssize_t n = ::send(fd, FAnswer.constData() + sent, size_t(FAnswer.size() - sent), MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += n;
        }
        ::shutdown(fd, SHUT_WR);
        // Let the client read everything before the socket goes away.
        while (WaitReadable(fd) && ::recv(fd, buf, sizeof buf, 0) > 0) {}
    }

    QByteArray FAnswer;
    TMode FMode;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    mutable std::mutex FLock;
    std::vector<QByteArray> FRequests;
    std::thread FThread;
};
