#include "desktop/WallpaperLink.h"

#include "platform/FileSystem.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <vector>

namespace zolvera::desktop {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "wallpaper-";
constexpr std::string_view kSuffix = ".bmp";
// Longer numbers are not ours, so a hand-made name cannot make the count wrap.
constexpr std::size_t kMaxDigits = 9;

// The number of one of our links, or 0 for any other name.
std::uint32_t linkNumber(const std::string& name) {
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return 0;
    const std::string_view digits(name.data() + kPrefix.size(),
                                  name.size() - kPrefix.size() - kSuffix.size());
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.size() > kMaxDigits || error != std::errc() || end != digits.data() + digits.size())
        return 0;
    return number;
}

// Our links in the folder, by number.
std::vector<std::pair<std::uint32_t, fs::path>> linksIn(const fs::path& folder) {
    std::vector<std::pair<std::uint32_t, fs::path>> links;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (const auto number = linkNumber(it->path().filename().string()); number != 0)
            links.emplace_back(number, it->path());
    std::sort(links.begin(), links.end());
    return links;
}

} // namespace

std::string wallpaperLinkFolder() {
    return platform::userBaseFolder("XDG_CACHE_HOME", "/.cache") + "/zolvera";
}

std::string freshWallpaperLink(const std::string& bitmapPath, const std::string& linkFolder) {
    const fs::path folder = linkFolder;
    std::error_code error;
    fs::create_directories(folder, error);
    auto links = linksIn(folder);
    const std::uint32_t number = links.empty() ? 1 : links.back().first + 1;
    const fs::path link =
        folder / (std::string(kPrefix) + std::to_string(number) + std::string(kSuffix));
    const std::string source = platform::resolve(bitmapPath);
    fs::create_hard_link(source, link, error);
    if (error && !platform::copyFile(source, link.string()))
        return bitmapPath;
    // Keep the new one and the one before it.
    if (links.size() > 1)
        for (auto it = links.begin(); it != links.end() - 1; ++it)
            fs::remove(it->second, error);
    return link.string();
}

} // namespace zolvera::desktop
