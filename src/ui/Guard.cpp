#include "ui/Guard.h"

#include "ui/Seged.h"

#include <exception>

namespace zolvera::ui {

bool runGuarded(QWidget* owner, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& failure) {
        ShowErrorReport(failure.what(), owner);
    }
    return false;
}

} // namespace zolvera::ui
