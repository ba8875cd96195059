#include "ui/Dialogs.h"

#include "ui/QtDialogs.h"

namespace zolvera::ui {

namespace {

Dialogs* replacement = nullptr;

} // namespace

Dialogs& dialogs() {
    if (replacement != nullptr)
        return *replacement;
    static QtDialogs qtDialogs;
    return qtDialogs;
}

ScopedDialogs::ScopedDialogs(Dialogs& dialogs) : previous_(replacement) {
    replacement = &dialogs;
}

ScopedDialogs::~ScopedDialogs() {
    replacement = previous_;
}

} // namespace zolvera::ui
