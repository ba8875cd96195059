#include "desktop/ActiveDesktop.h"

#include "platform/Failure.h"

namespace zolvera::desktop {

std::unique_ptr<ActiveDesktop> createActiveDesktop(const ActiveDesktopFactory& factory) {
    auto object = factory ? factory() : nullptr;
    if (!object)
        throw Failure("Class not registered");
    return object;
}

} // namespace zolvera::desktop
