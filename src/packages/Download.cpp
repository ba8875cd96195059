#include "packages/Download.h"

#include "library/LibraryLayout.h"
#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/IoErrorCode.h"
#include "platform/Translate.h"

#include <filesystem>
#include <optional>
#include <utility>

namespace zolvera::packages {

namespace {

// Free space is checked again each time this much has been written.
constexpr std::uint64_t kSpaceCheckStep = 1024 * 1024;

// A package of known size may have a little more than stated.
std::uint64_t allowedSize(std::uint64_t stated) {
    return stated == 0 ? Downloader::kMaxPackageSize : stated + stated / 8 + 64 * 1024;
}

void needRoom(const std::string& folder, std::uint64_t bytes) {
    std::error_code error;
    const std::filesystem::space_info space = std::filesystem::space(folder, error);
    if (!error && space.available < bytes + Downloader::kDiskReserve)
        throw IoFailure(kDiskFull);
}

} // namespace

Downloader::Downloader(std::string appFolder, net::TimeLimits limits)
    : appFolder_(std::move(appFolder)), http_(limits) {
    http_.onWork = [this](std::uint64_t count) {
        if (onProgress)
            onProgress(count);
    };
    http_.onWorkEnd = [this] {
        if (onProgressEnd)
            onProgressEnd();
    };
}

void Downloader::fetchCatalogue(const std::string& server) {
    fetch("http://" + server + std::string(kCatalogueServerPath),
          library::catalogueDownload(appFolder_), kMaxCatalogueSize, 0);
}

void Downloader::replaceCatalogue() {
    const std::string catalogue = library::catalogueFile(appFolder_);
    // A catalogue that cannot be deleted makes the rename fail, which is reported.
    static_cast<void>(platform::deleteFile(catalogue));
    if (!platform::renameFile(library::catalogueDownload(appFolder_), catalogue))
        throw Failure(
            platform::translate("Packages", "Az Internet.tmp nem nevezhető át Internet.txt névre"));
}

std::string Downloader::fetchPackage(const CatalogueEntry& row) {
    const auto size = std::uint64_t(packageSize(row.size));
    const std::optional<std::string> name = downloadName(row.link);
    const std::string local = library::downloadsFolder(appFolder_) + "/" + name.value_or("");
    if (!name)
        throw failures::cannotCreateFile(local, IoFailure(kInvalidFilename).what());
    // The link is requested as the catalogue wrote it, in its own bytes.
    fetch(platform::utf8ToAnsi(row.link).value_or(row.link), local, allowedSize(size), size);
    return local;
}

void Downloader::fetch(const std::string& url, const std::string& localPath, std::uint64_t maxBody,
                       std::uint64_t expectedSize) {
    const std::string folder = platform::folderPart(localPath);
    platform::StagedFile file(localPath);
    needRoom(folder, expectedSize);
    std::uint64_t sinceCheck = 0;
    http_.get(
        url,
        [&](std::string_view piece) {
            if ((sinceCheck += piece.size()) >= kSpaceCheckStep) {
                sinceCheck = 0;
                needRoom(folder, 0);
            }
            file.write(piece.data(), piece.size());
        },
        maxBody);
    file.commit();
}

} // namespace zolvera::packages
