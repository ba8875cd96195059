#include "net/HttpClient.h"

#include "platform/Failure.h"
#include "support/NginxServer.h"
#include "support/ScriptedServer.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <future>
#include <thread>

namespace zolvera::net {
namespace {

using test::replyWithBody;
using test::ScriptedServer;
using Then = ScriptedServer::Reply::Then;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class HttpClientTest : public ::testing::Test {
protected:
    // Fetches afresh; the failure text, or "" on success.
    std::string fetch(HttpClient& client, const std::string& url,
                      std::uint64_t maxBody = 1u << 30) {
        body_.clear();
        try {
            client.get(
                url, [this](std::string_view piece) { body_ += piece; }, maxBody);
            return "";
        } catch (const Failure& failure) {
            return failure.what();
        }
    }
    const std::string& received() const { return body_; }

    test::TempDir dir;
    std::string body_;
};

const std::string kRequestTail = "Accept: text/html, */*\r\n"
                                 "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";

TEST_F(HttpClientTest, SendsTheRequestAsWrittenAndReportsTheBodyAsItArrives) {
    ScriptedServer server({{replyWithBody("HTTP/1.1 200 OK", "package bytes")}});
    HttpClient client;
    std::vector<std::uint64_t> reports;
    int ends = 0;
    client.onWork = [&](std::uint64_t count) { reports.push_back(count); };
    client.onWorkEnd = [&] { ++ends; };

    EXPECT_EQ(fetch(client, server.url("/a%20b/c.dta?id=3#top")), "");
    EXPECT_EQ(received(), "package bytes");
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 13u);
    EXPECT_EQ(ends, 1);
    EXPECT_THAT(server.requests(),
                ElementsAre("GET /a%20b/c.dta?id=3 HTTP/1.1\r\nContent-Type: text/html\r\nHost: "
                            "127.0.0.1:" +
                            std::to_string(server.port()) + "\r\n" + kRequestTail + "\r\n"));
}

TEST_F(HttpClientTest, RefusesUrlsItCannotRequestBeforeConnecting) {
    HttpClient client;
    EXPECT_EQ(fetch(client, "https://127.0.0.1/x.dta"), "Nem támogatott protokoll: https.");
    EXPECT_EQ(fetch(client, "csomagok/x.dta"), "Hibás webcím: csomagok/x.dta");
    EXPECT_EQ(fetch(client, "http://host/a\r\nX: y"), "Hibás webcím: http://host/a\r\nX: y");
}

TEST_F(HttpClientTest, SendsCookiesBackOnlyWhereTheyMatch) {
    ScriptedServer server({
        {replyWithBody("HTTP/1.1 200 OK", "",
                       "Set-Cookie: s=1; Path=/pkg\r\nSet-Cookie2: v=\"2\"; Version=\"1\"\r\n"
                       "Set-Cookie: foreign=1; Domain=example.org\r\n")},
        {replyWithBody("HTTP/1.1 200 OK", "")},
        {replyWithBody("HTTP/1.1 200 OK", "")},
    });
    HttpClient client;
    fetch(client, server.url("/zolvera.txt"));
    fetch(client, server.url("/pkg/a.dta"));
    fetch(client, server.url("/pkgother/b.dta"));

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_THAT(requests[0], Not(HasSubstr("Cookie")));
    EXPECT_THAT(requests[1], testing::EndsWith(kRequestTail + "Cookie: s=1; v=2\r\n\r\n"));
    EXPECT_THAT(requests[2], testing::EndsWith(kRequestTail + "Cookie: v=2\r\n\r\n"));
}

TEST_F(HttpClientTest, ReadsEveryKindOfBodyAndSkipsInterimReplies) {
    ScriptedServer server({
        {"HTTP/1.1 100 Continue\r\n\r\n" + replyWithBody("HTTP/1.1 200 OK", "after 100")},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: "
         "chunked\r\n\r\n5\r\nchunk\r\n3\r\ned!\r\n0\r\n\r\n"},
        {"HTTP/1.1 204 No Content\r\n\r\n"},
        {"HTTP/1.1 200 OK\r\n\r\nuntil the end", Then::Close},
    });
    HttpClient client;
    EXPECT_EQ(fetch(client, server.url("/1")), "");
    EXPECT_EQ(received(), "after 100");
    EXPECT_EQ(fetch(client, server.url("/2")), "");
    EXPECT_EQ(received(), "chunked!");
    EXPECT_EQ(fetch(client, server.url("/3")), "");
    EXPECT_EQ(received(), "");
    EXPECT_EQ(fetch(client, server.url("/4")), "");
    EXPECT_EQ(received(), "until the end");
    EXPECT_EQ(server.connections(), 1);
}

TEST_F(HttpClientTest, OtherStatusesFailWithTheirStatusLineAndWriteNothing) {
    ScriptedServer server({
        {replyWithBody("HTTP/1.1 404 Not Found", "<html>missing</html>")},
        {replyWithBody("HTTP/1.1 302 Found", "moved", "Location: /elsewhere.dta\r\n")},
        {replyWithBody("HTTP/1.1 200 OK", "the next one works")},
    });
    HttpClient client;
    EXPECT_EQ(fetch(client, server.url("/zolvera.txt")), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(received(), "");
    EXPECT_EQ(fetch(client, server.url("/old.dta")), "HTTP/1.1 302 Found");
    EXPECT_EQ(received(), "");
    EXPECT_EQ(fetch(client, server.url("/zolvera.txt")), "");
    EXPECT_EQ(received(), "the next one works");
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_THAT(server.requests()[2], testing::StartsWith("GET /zolvera.txt "));
    EXPECT_EQ(server.connections(), 1);
}

TEST_F(HttpClientTest, ReconnectsWhenTheServerClosedTheKeptConnection) {
    ScriptedServer server({
        {replyWithBody("HTTP/1.1 200 OK", "first"), Then::Close},
        {replyWithBody("HTTP/1.1 200 OK", "second")},
    });
    HttpClient client;
    EXPECT_EQ(fetch(client, server.url("/1")), "");
    EXPECT_EQ(fetch(client, server.url("/2")), "");
    EXPECT_EQ(received(), "second");
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(HttpClientTest, SocketFailuresCarryTheSystemsNumberAndText) {
    {
        ScriptedServer server(
            {{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", Then::Reset}});
        HttpClient client;
        EXPECT_EQ(fetch(client, server.url("/x.dta")),
                  "Socket Error # 104\r\nConnection reset by peer.");
    }
    std::uint16_t closedPort = 0;
    {
        ScriptedServer server({});
        closedPort = server.port();
    }
    HttpClient client;
    EXPECT_EQ(fetch(client, "http://127.0.0.1:" + std::to_string(closedPort) + "/x.dta"),
              "Socket Error # 111\r\nConnection refused.");
}

TEST_F(HttpClientTest, FailsAHeaderLineOverTheLimit) {
    const std::string atLimit = "X-Long: " + std::string(16384 - 8, 'a') + "\r\n";
    const std::string overLimit = "X-Long: " + std::string(16384 - 7, 'a') + "\r\n";
    ScriptedServer server({
        {replyWithBody("HTTP/1.1 200 OK", "fits", atLimit)},
        {replyWithBody("HTTP/1.1 200 OK", "too long", overLimit)},
    });
    HttpClient client;
    EXPECT_EQ(fetch(client, server.url("/1")), "");
    EXPECT_EQ(received(), "fits");
    EXPECT_EQ(fetch(client, server.url("/2")), "A válasz egyik fejlécsora túl hosszú.");
}

TEST_F(HttpClientTest, GivesUpOnAServerThatStopsSendingOrNeverAccepts) {
    const TimeLimits shortLimits{std::chrono::milliseconds(100), std::chrono::milliseconds(100)};
    ScriptedServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", Then::Stall}});
    HttpClient client(shortLimits);
    int ends = 0;
    client.onWorkEnd = [&] { ++ends; };
    EXPECT_EQ(fetch(client, server.url("/x.dta")), "Read timed out.");
    EXPECT_EQ(received(), "part");
    EXPECT_EQ(ends, 1);

    // A listener whose queue is full leaves further connection attempts unanswered.
    boost::asio::io_context io;
    boost::asio::ip::tcp::acceptor full(io, {boost::asio::ip::address_v4::loopback(), 0});
    full.listen(0);
    boost::asio::ip::tcp::socket queued(io);
    queued.connect(full.local_endpoint());
    HttpClient waiting(shortLimits);
    EXPECT_EQ(
        fetch(waiting, "http://127.0.0.1:" + std::to_string(full.local_endpoint().port()) + "/"),
        "Connect timed out.");
}

TEST_F(HttpClientTest, DownloadsFromNginxOverOneKeptConnection) {
    const std::string package(3 * 1024 * 1024 + 7, 'p');
    test::writeFile(dir / "www/zolvera.txt", "Tenger\thttp://x/t.dta\t950\r\n");
    test::writeFile(dir / "www/csomagok/tenger.dta", package);
    test::NginxServer nginx(dir / "www", dir / "nginx");
    HttpClient client;

    EXPECT_EQ(fetch(client, nginx.url("/zolvera.txt")), "");
    EXPECT_EQ(received(), "Tenger\thttp://x/t.dta\t950\r\n");
    EXPECT_EQ(fetch(client, nginx.url("/csomagok/tenger.dta")), "");
    EXPECT_TRUE(received() == package);
    EXPECT_EQ(fetch(client, nginx.url("/nincs.dta")), "HTTP/1.1 404 Not Found");

    // Each line starts with the connection's number and the request's number on it. nginx
    // logs a request after answering it; the third was read only after the second was logged.
    const std::string log = nginx.accessLog();
    const std::string connection = log.substr(0, log.find(' '));
    EXPECT_THAT(log, HasSubstr(connection + " 2 \"GET /csomagok/tenger.dta HTTP/1.1\" 200 " +
                               std::to_string(package.size())));
}

TEST_F(HttpClientTest, ReadsAStatusLineWithoutReasonAndReusesOnlyACleanConnection) {
    ScriptedServer server({
        {"HTTP/1.1 200\r\nContent-Length: 2\r\n\r\nokSTRAY"},
        {replyWithBody("HTTP/1.1 200 OK", "second")},
    });
    HttpClient client;
    EXPECT_EQ(fetch(client, server.url("/1")), "");
    EXPECT_EQ(received(), "ok");
    EXPECT_EQ(fetch(client, server.url("/2")), "");
    EXPECT_EQ(received(), "second");
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(HttpClientTest, BodiesOverTheirLimitStopThere) {
    const std::string endless(300 * 1024, 'x');
    ScriptedServer server({
        {replyWithBody("HTTP/1.1 200 OK", std::string(1000, 'x'))},
        {"HTTP/1.1 200 OK\r\n\r\n" + endless, Then::Stall},
        {"HTTP/1.1 404 Not Found\r\n\r\n" + endless, Then::Stall},
    });
    // Only a limit can end these transfers before the read limit.
    HttpClient client({std::chrono::seconds(60), std::chrono::seconds(60)});
    const std::string tooLarge = "A válasz nagyobb a megengedett 100 bájtnál.";
    EXPECT_EQ(fetch(client, server.url("/stated"), 100), tooLarge);
    EXPECT_EQ(received(), ""); // the stated length fails it before any byte
    EXPECT_EQ(fetch(client, server.url("/endless"), 100), tooLarge);
    EXPECT_LE(received().size(), 100u);
    EXPECT_EQ(fetch(client, server.url("/endless-error")), "HTTP/1.1 404 Not Found");
}

TEST_F(HttpClientTest, EndlessInterimRepliesAndChunkLinesFail) {
    std::string interim;
    for (int i = 0; i < 1000; ++i)
        interim += "HTTP/1.1 100 Continue\r\n\r\n";
    ScriptedServer server({
        {interim, Then::Stall},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1;" +
             std::string(kMaxHeaderLine + 1, 'a'),
         Then::Stall},
    });
    HttpClient client({std::chrono::seconds(60), std::chrono::seconds(60)});
    EXPECT_EQ(fetch(client, server.url("/1")), "Túl sok átmeneti (1xx) válasz érkezett.");
    EXPECT_EQ(fetch(client, server.url("/2")), "A válasz egyik darabjának fejsora túl hosszú.");
}

TEST_F(HttpClientTest, ATrickleFailsOnItsAverageRateAndATransferEndsWhenCancelled) {
    ScriptedServer server({
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", Then::Stall},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npart", Then::Stall},
    });
    TimeLimits slowClock;
    auto now = std::chrono::steady_clock::now();
    slowClock.clock = [&now] { return now += std::chrono::seconds(200); };
    HttpClient trickled(slowClock);
    EXPECT_EQ(fetch(trickled, server.url("/1")),
              "Túl lassú átvitel: 120 másodperc után átlagosan kevesebb mint 1024 bájt érkezett "
              "másodpercenként.");

    HttpClient client;
    std::promise<void> arrived;
    client.onWork = [&](std::uint64_t) { arrived.set_value(); };
    std::string failure;
    std::thread worker([&] { failure = fetch(client, server.url("/2")); });
    arrived.get_future().wait();
    client.cancel();
    worker.join();
    EXPECT_EQ(failure, "A letöltés megszakítva.");
}

TEST_F(HttpClientTest, ACancelledTransferDoesNotWaitForANameLookupThatNeverAnswers) {
    // A resolver that does not answer until the test lets it (the system's would give up only
    // after its own time limits, a minute or more).
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    auto asked = std::make_shared<std::promise<void>>();
    HttpClient client({}, [released, asked](const std::string&, std::uint16_t) -> Endpoints {
        asked->set_value();
        released.wait();
        return {};
    });
    auto failure = std::async(std::launch::async, [&] { return fetch(client, "http://silent/"); });
    asked->get_future().wait();
    client.cancel();
    // Bounded only so that the fault fails the test instead of hanging it.
    ASSERT_EQ(failure.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(failure.get(), "A letöltés megszakítva.");
    release.set_value(); // the abandoned lookup thread now ends by itself
}

TEST(CookieJar, RefusesPublicSuffixesAndExpiredCookiesAndBoundsAFlood) {
    CookieJar jar;
    jar.store("www.example.com", "/", "wide=1; Domain=com");
    jar.store("shop.example.co.uk", "/", "uk=1; Domain=.co.uk");
    jar.store("www.example.com", "/", "site=1; Domain=example.com");
    jar.store("www.example.com", "/", "old=1; Expires=Sun, 06 Nov 1994 08:49:37 GMT");
    jar.store("www.example.com", "/", "later=1; expires=Fri, 31-Dec-2099 23:59:59 GMT");
    EXPECT_EQ(jar.header("other.com", "/"), "");
    EXPECT_EQ(jar.header("other.co.uk", "/"), "");
    EXPECT_EQ(jar.header("img.example.com", "/"), "site=1");
    EXPECT_EQ(jar.header("www.example.com", "/"), "site=1; later=1");

    for (int i = 0; i < 46000; ++i)
        jar.store("flood.test", "/", "c" + std::to_string(i) + "=" + std::string(40, 'v'));
    jar.store("big.test", "/", "big=" + std::string(CookieJar::kMaxCookieSize, 'v'));
    EXPECT_EQ(jar.header("big.test", "/"), "");
    const std::string sent = jar.header("flood.test", "/");
    EXPECT_LE(sent.size(), CookieJar::kMaxHeader);
    EXPECT_THAT(sent, testing::StartsWith("c0="));
    EXPECT_THAT(sent, Not(HasSubstr("c200=")));
}

} // namespace
} // namespace zolvera::net
