#include "ui/Guard.h"

#include "ui/Seged.h"

#include <exception>

namespace zolvera::ui {

bool runGuarded(Dialogs& dialogs, QWidget* owner, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& failure) {
        ShowErrorReport(dialogs, failure.what(), owner);
    }
    return false;
}

} // namespace zolvera::ui
