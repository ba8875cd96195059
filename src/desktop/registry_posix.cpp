// The registry on POSIX systems: one REGEDIT4 file per user, read at every call and replaced
// atomically at every change, so other processes and hand edits are always seen.
#include "desktop/RegFile.h"
#include "desktop/Registry.h"

#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace zolvera::desktop {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string homeFolder() {
    if (auto home = environment("HOME"); !home.empty())
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// ZOLVERA_REGISTRY, else $XDG_CONFIG_HOME/zolvera/registry.reg (~/.config when unset or not
// absolute, as the base directory rules say).
std::string storePath() {
    if (auto path = environment("ZOLVERA_REGISTRY"); !path.empty())
        return path;
    auto config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/')
        config = homeFolder() + "/.config";
    return config + "/zolvera/registry.reg";
}

// The store as it is now; nothing when it exists but cannot be read or parsed, in which case
// it must not be overwritten.
std::optional<RegFile> loadStore(const std::string& path) {
    if (!platform::fileExists(path))
        return RegFile();
    try {
        return RegFile::parse(platform::readWholeFile(path));
    } catch (const Failure&) {
        return std::nullopt;
    }
}

bool saveStore(const std::string& path, const RegFile& file) {
    std::error_code ignored; // a folder that cannot be made shows up as a failed replace
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return platform::replaceFileAtomically(path, file.text());
}

class FileKey : public RegistryKey {
public:
    FileKey(std::string store, std::uint32_t root, std::string path)
        : store_(std::move(store)), root_(root), path_(std::move(path)) {}

    std::optional<RegistryValue> query(const std::string& name) const override {
        const auto file = loadStore(store_);
        const RegFile::Key* key = file ? file->find(root_, path_) : nullptr;
        const RegistryValue* value = key ? RegFile::value(*key, name) : nullptr;
        if (value == nullptr)
            return std::nullopt;
        return *value;
    }

    bool set(const std::string& name, const RegistryValue& value) override {
        auto file = loadStore(store_);
        if (!file)
            return false;
        RegFile::Key* key = file->create(root_, path_); // again, if deleted meanwhile
        return key != nullptr && RegFile::setValue(*key, name, value) && saveStore(store_, *file);
    }

private:
    std::string store_;
    std::uint32_t root_;
    std::string path_;
};

class FileRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> openKey(std::uint32_t root, const std::string& path) override {
        const auto store = storePath();
        const auto file = loadStore(store);
        if (!file || file->find(root, path) == nullptr)
            return nullptr;
        return std::make_unique<FileKey>(store, root, path);
    }

    std::unique_ptr<RegistryKey> createKey(std::uint32_t root, const std::string& path) override {
        const auto store = storePath();
        auto file = loadStore(store);
        if (!file) // an unreadable store is left alone; the write itself reports the failure
            return RegFile().create(root, path) ? std::make_unique<FileKey>(store, root, path)
                                                : nullptr;
        if (file->find(root, path) == nullptr &&
            (file->create(root, path) == nullptr || !saveStore(store, *file)))
            return nullptr;
        return std::make_unique<FileKey>(store, root, path);
    }
};

} // namespace

Registry& systemRegistry() {
    static FileRegistry registry;
    return registry;
}

} // namespace zolvera::desktop
