// Answers one request with arbitrary bytes from a loopback server that then closes the
// connection, and reads them with the HTTP client: any outcome but a crash, a sanitizer report,
// a hang or a body over its limit reaching the sink is a finding.
#include "net/HttpClient.h"
#include "support/ScriptedServer.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace zolvera;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint64_t kLimit = 4096;
    test::ScriptedServer server({{std::string(reinterpret_cast<const char*>(data), size),
                                  test::ScriptedServer::Reply::Then::Close}});
    net::TimeLimits limits;
    limits.read = std::chrono::seconds(2);
    net::HttpClient client(limits);
    std::uint64_t received = 0;
    try {
        client.get(
            server.url("/zolvera.txt"),
            [&received](std::string_view piece) { received += piece.size(); }, kLimit);
    } catch (const Failure&) {
        // a malformed reply is reported to the user: an expected outcome
    }
    if (received > kLimit)
        std::abort();
    return 0;
}
