#pragma once

namespace zolvera::ui {

// Registers the program's compiled-in resources (icons, about picture). A static library's
// resources are not registered by themselves; every window that uses them calls this first.
void useResources();

} // namespace zolvera::ui
