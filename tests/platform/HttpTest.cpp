// The HTTP client against a server of the test's own on 127.0.0.1: the exact
// request it sends, the bodies it hands back and every way a request fails.
// The maker's host only ever appears as a name the seam rewrites; nothing
// is resolved or contacted beyond the loopback address.
#include "platform/Http.h"
#include "platform/Seams.h"

#include "../common/LocalHttpServer.h"
#include "../common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <QList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>

namespace {

const String QueryUrl = QStringLiteral("http://www.zorvat.example/home/download/GetversionSW.asp?nomesw=KS40219");
const String BrowserAccept = QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
const String LibraryAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");

class HttpTest : public ::testing::Test {
protected:
    HttpTest() : Client(nullptr)
    {
        Client.Accept = BrowserAccept;
        Client.UserAgent = LibraryAgent;
    }
    TTestSeams Seams;
    THTTPClient Client;
};

std::vector<QByteArray> HeadLines(const QByteArray& head)
{
    std::vector<QByteArray> lines;
    for (const QByteArray& l : head.split('\n')) lines.push_back(l.endsWith('\r') ? l.chopped(1) : l);
    return lines;
}

TEST_F(HttpTest, SendsAnHttp10GetWithExactlyTheGivenHeaders)
{
    TLocalHttpServer server(TLocalHttpServer::Ok("VER. 1.001\r\n"));
    Seams.RedirectHttpTo(server.Base());

    EXPECT_EQ(Client.Get(QueryUrl), QStringLiteral("VER. 1.001\r\n"));
    EXPECT_EQ(Client.LastStatus(), 200);
    EXPECT_EQ(Client.LastUrl(), server.Base() + QStringLiteral("/home/download/GetversionSW.asp?nomesw=KS40219"));

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto lines = HeadLines(requests[0]);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], QByteArray("GET /home/download/GetversionSW.asp?nomesw=KS40219 HTTP/1.0"));
    const std::set<QByteArray> headers(lines.begin() + 1, lines.end());
    const std::set<QByteArray> expected{
        "Host: 127.0.0.1:" + QByteArray::number(server.Port()),
        "Accept: " + BrowserAccept.toUtf8(),
        "User-Agent: " + LibraryAgent.toUtf8(),
    };
    EXPECT_EQ(headers, expected);
}

TEST_F(HttpTest, EmptyAcceptAndAgentSendNeitherHeader)
{
    TLocalHttpServer server(TLocalHttpServer::Ok("x"));
    Seams.RedirectHttpTo(server.Base());
    Client.Accept.clear();
    Client.UserAgent.clear();
    Client.Get(QStringLiteral("http://www.zorvat.example/a"));
    ASSERT_EQ(server.Requests().size(), 1u);
    const auto lines = HeadLines(server.Requests()[0]);
    EXPECT_EQ(lines.size(), 2u) << server.Requests()[0].constData();
    for (const QByteArray& l : lines) {
        EXPECT_FALSE(l.startsWith("Accept")) << l.constData();
        EXPECT_FALSE(l.startsWith("User-Agent")) << l.constData();
    }
}

TEST_F(HttpTest, BodiesOfSuccessfulAnswers)
{
    struct TCase {
        const char* Name;
        QByteArray Answer;
        String Body;
    };
    const TCase cases[] = {
        {"plain line", TLocalHttpServer::Ok("VER. 2.345"), QStringLiteral("VER. 2.345")},
        {"empty body", TLocalHttpServer::Ok(""), String()},
        {"no content", TLocalHttpServer::Status(204, "No Content"), String()},
        {"body ended by close", "HTTP/1.0 200 OK\r\n\r\nVER. 1.000", QStringLiteral("VER. 1.000")},
        {"UTF-8", TLocalHttpServer::Ok("caf\xC3\xA9"), QStringLiteral("caf\u00E9")},
        {"Windows-1252", TLocalHttpServer::Ok("caf\xE9"), QStringLiteral("caf\u00E9")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLocalHttpServer server(c.Answer);
        Seams.RedirectHttpTo(server.Base());
        EXPECT_EQ(Client.Get(QueryUrl), c.Body);
    }
}

TEST_F(HttpTest, EveryFailureRaisesAnHttpError)
{
    struct TCase {
        const char* Name;
        std::optional<QByteArray> Answer;   // none: the server never answers
        int ExpectedStatus;
    };
    const QByteArray big(200, 'x');
    const TCase cases[] = {
        {"not found", TLocalHttpServer::Status(404, "Not Found", "<html>no</html>"), 404},
        {"server error", TLocalHttpServer::Status(500, "Internal Server Error"), 500},
        {"redirect is not followed", "HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/x\r\n\r\n", 302},
        {"body over the cap, announced", TLocalHttpServer::Ok(big), 200},
        {"body over the cap, unannounced", "HTTP/1.0 200 OK\r\n\r\n" + big, 200},
        {"not HTTP at all", "VER. 1.001\r\n", 0},
        {"never answers", std::nullopt, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TLocalHttpServer server(c.Answer.value_or(QByteArray()),
                                c.Answer ? TLocalHttpServer::TMode::Answer : TLocalHttpServer::TMode::NeverAnswer);
        Seams.RedirectHttpTo(server.Base());
        Client.MaxBodyBytes = 100;
        Client.TimeoutMs = 300;
        EXPECT_THROW(Client.Get(QueryUrl), EHTTPError);
        EXPECT_EQ(Client.LastStatus(), c.ExpectedStatus);
    }
}

TEST_F(HttpTest, NothingListeningRaisesAnHttpError)
{
    Seams.RedirectHttpTo(QStringLiteral("http://127.0.0.1:%1").arg(TLocalHttpServer::ClosedPort()));
    try {
        Client.Get(QueryUrl);
        FAIL() << "no error";
    } catch (const EHTTPError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("127.0.0.1"))) << e.Message().toStdString();
    }
    EXPECT_EQ(Client.LastStatus(), 0);
}

// Restores one environment variable when the test ends.
class TEnvVar {
public:
    TEnvVar(const char* name, const QByteArray& value) : FName(name), FHad(qEnvironmentVariableIsSet(name))
    {
        FOld = qgetenv(name);
        qputenv(name, value);
    }
    ~TEnvVar()
    {
        if (FHad) qputenv(FName, FOld);
        else qunsetenv(FName);
    }

private:
    const char* FName;
    bool FHad;
    QByteArray FOld;
};

TEST_F(HttpTest, ProxyVariablesOfTheEnvironmentAreIgnored)
{
    TLocalHttpServer proxy(TLocalHttpServer::Ok("from the proxy"));
    TLocalHttpServer server(TLocalHttpServer::Ok("direct"));
    const QByteArray proxyAddress = proxy.Base().toUtf8();
    TEnvVar a("http_proxy", proxyAddress), b("HTTP_PROXY", proxyAddress), c("ALL_PROXY", proxyAddress),
        d("all_proxy", proxyAddress), e("no_proxy", ""), f("NO_PROXY", "");
    Seams.RedirectHttpTo(server.Base());
    EXPECT_EQ(Client.Get(QueryUrl), QStringLiteral("direct"));
    EXPECT_TRUE(proxy.Requests().empty());
}

TEST_F(HttpTest, CookiesAreNeitherSentNorKept)
{
    TLocalHttpServer server("HTTP/1.0 200 OK\r\nSet-Cookie: id=42\r\nContent-Length: 1\r\n\r\nx");
    Seams.RedirectHttpTo(server.Base());
    Client.Get(QueryUrl);
    Client.Get(QueryUrl);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[1].contains("Cookie"));
}

} // namespace
