#pragma once

#include <QStringList>

class QMimeData;

namespace zolvera::ui {

// What a drag from a file manager carries, as the main window takes it: local files of one
// kind only, so that a drop is taken whole or not at all.
struct DroppedFiles {
    enum class Kind {
        Refused,  // nothing the window takes: other files, a mixture, not local files
        Pictures, // JPEG files (*.jpg, *.jpeg), as the picture open dialog offers them
        Folder,   // one folder
        Packages, // package files (*.dta)
    };
    Kind kind = Kind::Refused;
    QStringList paths;
};

DroppedFiles droppedFiles(const QMimeData* data);

} // namespace zolvera::ui
