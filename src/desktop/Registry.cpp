#include "desktop/Registry.h"

#include "platform/Failure.h"

namespace zolvera::desktop {

namespace {

// A leading backslash means "from the root"; the system calls take the path without it.
std::string relativeKeyPath(const std::string& keyPath) {
    if (!keyPath.empty() && keyPath.front() == '\\')
        return keyPath.substr(1);
    return keyPath;
}

bool isStringType(std::uint32_t type) {
    return type == static_cast<std::uint32_t>(ValueType::String) ||
           type == static_cast<std::uint32_t>(ValueType::ExpandString);
}

} // namespace

std::string ReadRegString(Registry& registry, std::uint32_t root, const std::string& keyPath,
                          const std::string& valueName) {
    const auto key = registry.openKey(root, relativeKeyPath(keyPath));
    if (!key)
        return {};
    const auto value = key->query(valueName);
    if (!value)
        return {};
    if (!isStringType(value->type))
        throw failures::invalidDataType(valueName);
    return value->data.substr(0, value->data.find('\0'));
}

bool WriteRegString(Registry& registry, std::uint32_t root, const std::string& keyPath,
                    const std::string& valueName, const std::string& value) {
    const auto key = registry.createKey(root, relativeKeyPath(keyPath));
    if (!key)
        return false;
    RegistryValue stored{static_cast<std::uint32_t>(ValueType::String), value};
    stored.data.push_back('\0');
    if (!key->set(valueName, stored))
        throw failures::failedToSetData(valueName);
    return true;
}

} // namespace zolvera::desktop
