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

QIcon iconNamed(const char* name) {
    useResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace zolvera::ui
