#include "desktop/WallpaperLink.h"

#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <sstream>
#include <vector>

namespace zolvera::desktop {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "wallpaper-";
constexpr std::string_view kSuffix = ".bmp";
// The links kept: the new one and the one the desktop may still be fading out.
constexpr std::size_t kKept = 2;
// Lists the links this program made in the folder, so that only those are ever removed.
constexpr char kRecordName[] = "wallpaper-links";
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

// The names of the links this program made in the folder, oldest first, as its record lists
// them: a name that was never ours is never removed.
std::vector<std::string> madeLinks(const fs::path& folder) {
    std::vector<std::string> names;
    std::string text;
    try {
        text = platform::readWholeFile((folder / kRecordName).string());
    } catch (const Failure&) {
        return names; // none made yet, or no record left of them
    }
    std::istringstream lines(text);
    for (std::string name; std::getline(lines, name) && names.size() < kKept;)
        if (linkNumber(name) != 0)
            names.push_back(name);
    return names;
}

void recordMadeLinks(const fs::path& folder, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + "\n";
    try {
        platform::StagedFile record((folder / kRecordName).string(),
                                    platform::StagedFile::NewFiles::Staged,
                                    platform::StagedFile::Naming::AsWritten);
        record.write(text.data(), text.size());
        record.commit();
    } catch (const Failure&) {
        // Without the record the links made so far are only left behind, never others removed.
    }
}

} // namespace

std::string wallpaperLinkFolder() {
    return platform::userBaseFolder("XDG_CACHE_HOME", "/.cache") + "/zolvera";
}

std::string freshWallpaperLink(const std::string& bitmapPath, const std::string& linkFolder) {
    const fs::path folder = linkFolder;
    std::error_code error;
    fs::create_directories(folder, error);
    // Names made or removed in a folder that is a link, or that someone else may write to,
    // could be files that are not ours.
    if (!platform::isOwnFolder(linkFolder))
        return bitmapPath;
    const auto links = linksIn(folder);
    const std::uint32_t number = links.empty() ? 1 : links.back().first + 1;
    const std::string name = std::string(kPrefix) + std::to_string(number) + std::string(kSuffix);
    const fs::path link = folder / name;
    const std::string source = platform::resolve(bitmapPath);
    fs::create_hard_link(source, link, error);
    if (error && !platform::copyFile(source, link.string()))
        return bitmapPath;
    // Keep the new one and the one before it; only names this program made are removed.
    std::vector<std::string> made = madeLinks(folder);
    made.push_back(name);
    for (std::size_t i = 0; i + kKept < made.size(); ++i)
        fs::remove(folder / made[i], error);
    made.erase(made.begin(), made.end() - std::ptrdiff_t(std::min(kKept, made.size())));
    recordMadeLinks(folder, made);
    return link.string();
}

} // namespace zolvera::desktop
