#pragma once

#include <QIcon>

namespace zolvera::ui {

// Registers the program's compiled-in resources (icons, about picture). A static library's
// resources are not registered by themselves; every window that uses them calls this first.
void useResources();

// The compiled-in icon :/icons/<name>.svg.
QIcon iconNamed(const char* name);

} // namespace zolvera::ui
