#pragma once

#include "desktop/Registry.h"

#include <string>

namespace zolvera::desktop {

// The registry kept as one REGEDIT4 text file (RegFile), read at every call and replaced
// atomically at every change, so other processes and hand edits are always seen. A store that
// cannot be read or parsed, or is larger than RegFile::kMaxTextSize, is never overwritten: its
// keys count as missing and writes to it are refused.
class FileRegistry : public Registry {
public:
    // The current user's store: ZOLVERA_REGISTRY, else $XDG_CONFIG_HOME/zolvera/registry.reg
    // (~/.config when unset or not absolute, as the base directory rules say).
    static std::string userStorePath();

    explicit FileRegistry(std::string storePath = userStorePath())
        : storePath_(std::move(storePath)) {}

    std::unique_ptr<RegistryKey> openKey(std::uint32_t root, const std::string& path) override;
    std::unique_ptr<RegistryKey> createKey(std::uint32_t root, const std::string& path) override;

private:
    std::string storePath_;
};

} // namespace zolvera::desktop
