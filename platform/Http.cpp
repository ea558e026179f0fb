#include "platform/Http.h"

#include "platform/Seams.h"
#include "platform/TextCodec.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

void GlobalInitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TBodySink {
    QByteArray Body;
    qint64 Max = 0;
    bool TooLong = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<TBodySink*>(user);
    const size_t n = size * count;
    if (sink->Body.size() + qint64(n) > sink->Max) {
        sink->TooLong = true;
        return 0;   // makes libcurl stop with a write error
    }
    sink->Body.append(data, qsizetype(n));
    return n;
}

struct TCurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TSlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

curl_slist* Append(curl_slist* list, const String& header)
{
    curl_slist* grown = curl_slist_append(list, header.toUtf8().constData());
    if (!grown) {
        curl_slist_free_all(list);
        throw EHTTPError(QStringLiteral("Out of memory while preparing the request"));
    }
    return grown;
}

} // namespace

THTTPClient::THTTPClient(TComponent* AOwner) : TComponent(AOwner) {}

String THTTPClient::Get(const String& url)
{
    FLastUrl = Seams().HttpUrl ? Seams().HttpUrl(url) : url;
    FLastStatus = 0;
    FLastBody.clear();

    GlobalInitOnce();
    std::unique_ptr<CURL, TCurlDeleter> curl(curl_easy_init());
    if (!curl) throw EHTTPError(QStringLiteral("The HTTP client could not be started"));
    CURL* c = curl.get();

    const QByteArray address = FLastUrl.toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, address.constData());
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
#else
    curl_easy_setopt(c, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION,
                     ProtocolVersion == QStringLiteral("1.1") ? long(CURL_HTTP_VERSION_1_1)
                                                             : long(CURL_HTTP_VERSION_1_0));
    // The machine's proxy variables must not send the query elsewhere.
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(ConnectTimeoutMs > 0 ? ConnectTimeoutMs : 0));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(TimeoutMs > 0 ? TimeoutMs : 0));
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(MaxBodyBytes));
    if (AllowCookies) curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");   // in memory, this request only

    // "Accept:" with nothing after it removes the header libcurl would add.
    std::unique_ptr<curl_slist, TSlistDeleter> headers(
        Append(nullptr, Accept.isEmpty() ? QStringLiteral("Accept:") : QStringLiteral("Accept: ") + Accept));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    const QByteArray agent = UserAgent.toUtf8();
    if (!UserAgent.isEmpty()) curl_easy_setopt(c, CURLOPT_USERAGENT, agent.constData());

    TBodySink sink;
    sink.Max = MaxBodyBytes;
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode result = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    FLastStatus = int(status);
    FLastBody = sink.Body;

    if (sink.TooLong || result == CURLE_FILESIZE_EXCEEDED)
        throw EHTTPError(QStringLiteral("The answer of %1 is longer than %2 bytes").arg(FLastUrl).arg(MaxBodyBytes));
    if (result != CURLE_OK) {
        const String reason = errorText[0] ? String::fromUtf8(errorText) : String::fromUtf8(curl_easy_strerror(result));
        throw EHTTPError(QStringLiteral("Request to %1 failed: %2").arg(FLastUrl, reason));
    }
    if (status < 200 || status > 299)
        throw EHTTPError(QStringLiteral("Request to %1 failed: HTTP status %2").arg(FLastUrl).arg(status));
    return DecodeText(sink.Body);
}
