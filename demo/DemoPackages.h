#pragma once

#include <QString>

namespace zolvera::demo {

// Paints a few groups that the demo library lacks and packs each into <folder>/<name>.dta,
// ready to be served with their catalogue.
void writeDemoPackages(const QString& folder);

} // namespace zolvera::demo
