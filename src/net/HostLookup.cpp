#include "net/HostLookup.h"

#include "net/Connection.h"

#include <boost/asio/io_context.hpp>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace zolvera::net {

namespace {

constexpr auto kCancelCheck = std::chrono::milliseconds(100);

// What the lookup thread and the waiting caller share; the thread keeps it alive after the
// caller has gone.
struct Outcome {
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Endpoints> endpoints;
    std::exception_ptr failure;
};

} // namespace

Endpoints systemLookup(const std::string& host, std::uint16_t port) {
    boost::asio::io_context io;
    boost::asio::ip::tcp::resolver resolver(io);
    boost::system::error_code error;
    const auto results = resolver.resolve(host, std::to_string(port), error);
    if (error)
        throw SocketFailure(error);
    Endpoints endpoints;
    for (const auto& result : results)
        endpoints.push_back(result.endpoint());
    return endpoints;
}

Endpoints lookUpAbandonably(const HostLookup& lookup, const std::string& host, std::uint16_t port,
                            const std::atomic<bool>& cancel) {
    auto outcome = std::make_shared<Outcome>();
    std::thread([outcome, lookup, host, port] {
        std::optional<Endpoints> endpoints;
        std::exception_ptr failure;
        try {
            endpoints = lookup(host, port);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(outcome->mutex);
        outcome->endpoints = std::move(endpoints);
        outcome->failure = failure;
        outcome->done.notify_one();
    }).detach();

    std::unique_lock lock(outcome->mutex);
    while (!outcome->endpoints && !outcome->failure) {
        if (cancel)
            throw Cancelled();
        outcome->done.wait_for(lock, kCancelCheck);
    }
    if (outcome->failure)
        std::rethrow_exception(outcome->failure);
    return std::move(*outcome->endpoints);
}

} // namespace zolvera::net
