#include "desktop/FileRegistry.h"

#include "desktop/RegFile.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/UserFolders.h"

#include <filesystem>

namespace zolvera::desktop {

namespace {

// The store as it is now; nothing when it exists but cannot be read or parsed, in which case
// it must not be overwritten. An oversized file is refused before it is read.
std::optional<RegFile> loadStore(const std::string& path) {
    if (!platform::fileExists(path))
        return RegFile();
    std::error_code error;
    const auto size = std::filesystem::file_size(platform::resolve(path), error);
    if (error || size > RegFile::kMaxTextSize)
        return std::nullopt;
    try {
        return RegFile::parse(platform::readWholeFile(path));
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// A text the store could not read back is not written.
bool saveStore(const std::string& path, const RegFile& file) {
    const std::string text = file.text();
    if (text.size() > RegFile::kMaxTextSize)
        return false;
    std::error_code ignored; // a folder that cannot be made shows up as a failed replace
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    try {
        platform::replaceFileAtomically(path, text);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

class FileKey : public RegistryKey {
public:
    FileKey(std::string store, std::uint32_t root, std::string path)
        : store_(std::move(store)), root_(root), path_(std::move(path)) {}

    std::optional<RegistryValue> query(const std::string& name) const override {
        const auto file = loadStore(store_);
        const auto key = file ? file->find(root_, path_) : std::nullopt;
        const RegistryValue* value = key ? file->value(*key, name) : nullptr;
        if (value == nullptr)
            return std::nullopt;
        return *value;
    }

    bool set(const std::string& name, const RegistryValue& value) override {
        auto file = loadStore(store_);
        if (!file)
            return false;
        const auto key = file->create(root_, path_); // again, if deleted meanwhile
        return key && file->setValue(*key, name, value) && saveStore(store_, *file);
    }

private:
    std::string store_;
    std::uint32_t root_;
    std::string path_;
};

} // namespace

std::string FileRegistry::userStorePath() {
    if (auto path = platform::environment("ZOLVERA_REGISTRY"); !path.empty())
        return path;
    return platform::userBaseFolder("XDG_CONFIG_HOME", "/.config") + "/zolvera/registry.reg";
}

std::unique_ptr<RegistryKey> FileRegistry::openKey(std::uint32_t root, const std::string& path) {
    const auto file = loadStore(storePath_);
    if (!file || !file->find(root, path))
        return nullptr;
    return std::make_unique<FileKey>(storePath_, root, path);
}

std::unique_ptr<RegistryKey> FileRegistry::createKey(std::uint32_t root, const std::string& path) {
    auto file = loadStore(storePath_);
    if (!file) // an unreadable store is left alone; the write itself reports the failure
        return RegFile().create(root, path) ? std::make_unique<FileKey>(storePath_, root, path)
                                            : nullptr;
    if (!file->find(root, path) && (!file->create(root, path) || !saveStore(storePath_, *file)))
        return nullptr;
    return std::make_unique<FileKey>(storePath_, root, path);
}

} // namespace zolvera::desktop
