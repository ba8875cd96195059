#include "desktop/ActiveDesktop.h"

#include "platform/Failure.h"

namespace zolvera::desktop {

namespace {

ActiveDesktopFactory& registeredFactory() {
    static ActiveDesktopFactory factory;
    return factory;
}

} // namespace

void registerActiveDesktop(ActiveDesktopFactory factory) {
    registeredFactory() = std::move(factory);
}

std::unique_ptr<ActiveDesktop> createActiveDesktop() {
    const auto& factory = registeredFactory();
    auto object = factory ? factory() : nullptr;
    if (!object)
        throw Failure("Class not registered");
    return object;
}

} // namespace zolvera::desktop
