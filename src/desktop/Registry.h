#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The registry as the program sees it: root keys by their Windows codes, key paths with
// backslashes, typed values. Registry is the interface one system's implementation fills in;
// ReadRegString and WriteRegString are the two routines the rest of the program calls, on the
// registry they are given.
namespace zolvera::desktop {

inline constexpr std::uint32_t kClassesRoot = 0x80000000;   // HKEY_CLASSES_ROOT
inline constexpr std::uint32_t kCurrentUser = 0x80000001;   // HKEY_CURRENT_USER
inline constexpr std::uint32_t kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr std::uint32_t kUsers = 0x80000003;         // HKEY_USERS
inline constexpr std::uint32_t kCurrentConfig = 0x80000005; // HKEY_CURRENT_CONFIG

// Value types with their Windows codes.
enum class ValueType : std::uint32_t {
    None = 0,
    String = 1,       // REG_SZ: text and a terminating zero byte
    ExpandString = 2, // REG_EXPAND_SZ: as String, references left unexpanded
    Binary = 3,       // REG_BINARY
    Dword = 4,        // REG_DWORD: 4 bytes, little-endian
};

// A value as stored: its type code (any 32-bit code may occur) and its raw bytes.
struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;

    bool operator==(const RegistryValue&) const = default;
};

// An open key. Closing it (destroying the object) needs no flush: writes are lasting at once.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // The value of that name ("" is the default value), or nothing when there is none.
    virtual std::optional<RegistryValue> query(const std::string& name) const = 0;
    // Stores a value, replacing one of the same name; false when the store refuses the write.
    [[nodiscard]] virtual bool set(const std::string& name, const RegistryValue& value) = 0;
};

// A registry: keys are opened under a root by a path relative to it, without a leading
// backslash; a trailing backslash is allowed. Names are matched without regard to case.
class Registry {
public:
    virtual ~Registry() = default;
    // The existing key, or nullptr when it is missing or cannot be opened.
    virtual std::unique_ptr<RegistryKey> openKey(std::uint32_t root, const std::string& path) = 0;
    // The key, created with its missing parents when needed; nullptr when that fails.
    virtual std::unique_ptr<RegistryKey> createKey(std::uint32_t root, const std::string& path) = 0;
};

// The string value of a key; "" when the key cannot be opened or the value is missing.
// keyPath may start with a backslash, which is dropped. A string or expandable string is
// returned up to its first zero byte, unexpanded; any other type throws
// "Invalid data type for '<valueName>'".
std::string ReadRegString(Registry& registry, std::uint32_t root, const std::string& keyPath,
                          const std::string& valueName);

// Writes a plain string value, creating the key when needed. Returns false (writing nothing)
// when the key can be neither opened nor created; throws "Failed to set data for
// '<valueName>'" when the write is refused.
[[nodiscard]] bool WriteRegString(Registry& registry, std::uint32_t root,
                                  const std::string& keyPath, const std::string& valueName,
                                  const std::string& value);

} // namespace zolvera::desktop
