#pragma once

#include <functional>
#include <type_traits>

class QWidget;

namespace zolvera::ui {

class Dialogs;

// Runs an event handler. A failure that escapes it ends the handler and is shown as the
// general error report owned by the given window; it never reaches Qt's signal or event
// machinery. Returns false when the handler failed.
bool runGuarded(Dialogs& dialogs, QWidget* owner, const std::function<void()>& handler);

// A slot for QObject::connect that runs the handler inside runGuarded, reporting through the
// owner's dialogs(): either a member function of the owner
// (guarded(this, &Tfrm_Main::aKepHozzaExecute)) or any callable.
template <typename Owner, typename Handler> auto guarded(Owner* owner, Handler handler) {
    return [owner, handler] {
        runGuarded(owner->dialogs(), owner, [&] {
            if constexpr (std::is_member_function_pointer_v<Handler>)
                (owner->*handler)();
            else
                handler();
        });
    };
}

} // namespace zolvera::ui
