#include "packages/Download.h"

#include "platform/Failure.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace zolvera::packages {
namespace {

using Then = test::ScriptedServer::Reply::Then;

std::string failureOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "no failure";
}

TEST(Downloader, AnOversizedOrUnwritableDownloadFailsAndLeavesNoFile) {
    test::TempDir home;
    std::filesystem::create_directories(home / "Tmp");
    test::ScriptedServer server({
        {"HTTP/1.1 200 OK\r\n\r\n" + std::string(200 * 1024, 'x'), Then::Stall},
        {test::replyWithBody("HTTP/1.1 200 OK", std::string(5000, 'x'))},
    });
    Downloader downloader(home.path());
    EXPECT_EQ(failureOf([&] {
                  downloader.fetchPackage({"V", server.url("/vegtelen.dta"), "10"});
              }),
              "A válasz nagyobb a megengedett 65547 bájtnál.");
    {
        test::FileSizeLimit full(1000);
        EXPECT_EQ(failureOf([&] {
                      downloader.fetchPackage({"N", server.url("/nagy.dta"), "5000"});
                  }),
                  "Disk full");
    }
    EXPECT_TRUE(std::filesystem::is_empty(home / "Tmp"));
}

} // namespace
} // namespace zolvera::packages
