#pragma once

#include "net/HttpClient.h"
#include "packages/Catalogue.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zolvera::packages {

// The downloads from the maker's web server into the application folder: the catalogue into
// Internet.tmp, then Internet.txt, and a package into Tmp. A transfer goes to a temporary file
// beside its name, is limited in size, keeps a reserve of free disk space for the library's own
// files and takes its name only when complete. Every call blocks until its transfer ends; run it
// off the window thread. The reports are called on that thread.
class Downloader {
public:
    Downloader(std::string appFolder, net::TimeLimits limits = {});

    // A catalogue is a text list: anything larger is not one.
    static constexpr std::uint64_t kMaxCatalogueSize = 16 * 1024 * 1024;
    // A package of unknown size may have at most this many bytes.
    static constexpr std::uint64_t kMaxPackageSize = std::uint64_t(2) << 30;
    // Free space a download leaves on the library's disk, so that the settings and the group
    // list can always be saved.
    static constexpr std::uint64_t kDiskReserve = 8 * 1024 * 1024;

    // Work report: the body bytes received so far in this transfer.
    std::function<void(std::uint64_t)> onProgress;
    // Work end: a body has ended (also when the transfer failed during it).
    std::function<void()> onProgressEnd;

    // Fetches the catalogue of the server ("host[:port]") into Internet.tmp. Throws the
    // transfer's Failure, or net::Cancelled; Internet.txt is left alone.
    void fetchCatalogue(const std::string& server);
    // Puts the fetched catalogue in place of Internet.txt. Throws a Failure when it cannot.
    void replaceCatalogue();
    // Fetches the package of the row into Tmp under its download name and returns the file's
    // path. Throws a Failure when the row's link gives no file name, its size is not a whole
    // number or the transfer fails, and net::Cancelled.
    std::string fetchPackage(const CatalogueEntry& row);

    // Safe from any thread: the running transfer, and every later one, ends with Cancelled.
    void cancel() { http_.cancel(); }

private:
    void fetch(const std::string& url, const std::string& localPath, std::uint64_t maxBody,
               std::uint64_t expectedSize);

    std::string appFolder_;
    net::HttpClient http_;
};

} // namespace zolvera::packages
