#pragma once

#include "ui/Dialogs.h"

namespace zolvera::ui {

// The dialogs the user sees: QMessageBox and Qt's own QFileDialog (the same on every desktop,
// and able to carry the picture preview pane).
class QtDialogs : public Dialogs {
public:
    bool message(const MessageRequest& request) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
};

// A filter "description|*.a;*.b" as a Qt name filter that shows the description alone and
// matches the patterns without regard to case ("*.a" becomes "*.[aA]").
QString qtNameFilter(const QString& filter);

} // namespace zolvera::ui
