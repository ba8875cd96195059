#pragma once

#include <QStringList>

namespace zolvera::ui {

// Sorts names as the system's sorted lists keep them: alphabetically in the user's language,
// without regard to letter case (case decides only between names otherwise equal).
void sortNames(QStringList& names);

} // namespace zolvera::ui
