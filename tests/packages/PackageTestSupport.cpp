#include "PackageTestSupport.h"

#include <algorithm>
#include <filesystem>

namespace zolvera::test {

std::string le32(std::int64_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string field;
    for (int shift = 0; shift < 32; shift += 8)
        field += static_cast<char>((bits >> shift) & 0xFF);
    return field;
}

std::string packageBytes(const std::string& group,
                         const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string bytes = le32(static_cast<std::int64_t>(group.size())) + group;
    for (const auto& [name, content] : entries)
        bytes += le32(static_cast<std::int64_t>(name.size())) + name +
                 le32(static_cast<std::int64_t>(content.size())) + content;
    return bytes;
}

std::vector<std::string> treeOf(const std::string& root) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string relative = std::filesystem::relative(entry.path(), root).string();
        if (entry.is_directory())
            relative += "/";
        paths.push_back(relative);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

LibraryFixture::LibraryFixture() : app(root / "app"), library(app, view) {
    std::filesystem::create_directories(app + "/Hatterek");
    std::filesystem::create_directories(root / "in");
    writeFile(app + "/Zolvera.lst", "");
}

void LibraryFixture::startWith(const std::vector<std::string>& groups) {
    std::string list;
    for (const std::string& group : groups) {
        std::filesystem::create_directories(app + "/Hatterek/" + group);
        list += group + "\r\n";
    }
    writeFile(app + "/Zolvera.lst", list);
    library.ReloadGroups();
    view.log.clear();
}

std::string LibraryFixture::writePackage(const std::string& name, const std::string& bytes) const {
    const std::string path = root / ("in/" + name);
    writeFile(path, bytes);
    return path;
}

std::string LibraryFixture::groupFile(const std::string& group, const std::string& name) const {
    return app + "/Hatterek/" + group + "/" + name;
}

} // namespace zolvera::test
