#pragma once
// A small HTTP client for the version query: one GET at a time, blocking.

#include "platform/Classes.h"
#include "platform/SysUtils.h"

class EHTTPError : public Exception {
public:
    using Exception::Exception;
};

class THTTPClient : public TComponent {
public:
    explicit THTTPClient(TComponent* AOwner);

    String ProtocolVersion = QStringLiteral("1.0");
    String Accept;
    String UserAgent;
    bool AllowCookies = false;

    // The body of the answer. Throws EHTTPError when the request fails.
    String Get(const String& url);
};
