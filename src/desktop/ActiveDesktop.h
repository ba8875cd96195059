#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zolvera::desktop {

// Flags of ActiveDesktop::ApplyChanges.
inline constexpr std::uint32_t kApplySave = 1;
inline constexpr std::uint32_t kApplyHtmlGen = 2;
inline constexpr std::uint32_t kApplyRefresh = 4;
inline constexpr std::uint32_t kApplyForce = 8;
inline constexpr std::uint32_t kApplyAll = kApplySave | kApplyHtmlGen | kApplyRefresh | kApplyForce;

// The Active Desktop service: it records a wallpaper file and applies the desktop settings.
// Neither call reports failure to the caller.
class ActiveDesktop {
public:
    virtual ~ActiveDesktop() = default;
    virtual void SetWallpaper(const std::u16string& path, std::uint32_t reserved) = 0;
    virtual void ApplyChanges(std::uint32_t flags) = 0;
};

// Makes Active Desktop objects; empty where the system has no implementation, as here.
using ActiveDesktopFactory = std::function<std::unique_ptr<ActiveDesktop>()>;

// A new Active Desktop object from the factory. Throws "Class not registered" when there is no
// implementation.
std::unique_ptr<ActiveDesktop> createActiveDesktop(const ActiveDesktopFactory& factory);

} // namespace zolvera::desktop
