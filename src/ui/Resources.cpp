#include "ui/Resources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void initZolveraResources() {
    Q_INIT_RESOURCE(zolvera);
}

namespace zolvera::ui {

void useResources() {
    initZolveraResources();
}

} // namespace zolvera::ui
