#pragma once
// A small HTTP client for the version query: one GET at a time, blocking.
// It sends only the headers it is given (Host aside), never asks a proxy
// from the environment and refuses answers that are not a short 2xx body.

#include "platform/Classes.h"
#include "platform/SysUtils.h"

#include <QByteArray>

class EHTTPError : public Exception {
public:
    using Exception::Exception;
};

class THTTPClient : public TComponent {
public:
    explicit THTTPClient(TComponent* AOwner);

    String ProtocolVersion = QStringLiteral("1.0");   // "1.0" or "1.1"
    String Accept;      // empty: no Accept header at all
    String UserAgent;   // empty: no User-Agent header at all
    bool AllowCookies = false;

    // A server that never answers must not freeze the user interface for
    // ever, so the client bounds the wait even though callers set nothing.
    int ConnectTimeoutMs = 10000;
    int TimeoutMs = 30000;
    // The answers this client is meant for are one line; anything beyond
    // this is no answer to our question.
    qint64 MaxBodyBytes = 64 * 1024;

    // The body of a 2xx answer, decoded as UTF-8 when valid, else Windows-1252.
    // Throws EHTTPError on any failure: no connection, time-out, a status
    // outside 200-299 or a body longer than MaxBodyBytes. The address goes
    // through the seam's HttpUrl first.
    String Get(const String& url);

    // What the last Get did: the address really asked, the status received
    // (0 when none arrived) and the raw body.
    String LastUrl() const { return FLastUrl; }
    int LastStatus() const { return FLastStatus; }
    const QByteArray& LastBody() const { return FLastBody; }

private:
    String FLastUrl;
    int FLastStatus = 0;
    QByteArray FLastBody;
};
