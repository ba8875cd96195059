#pragma once

#include <functional>

class QWidget;

namespace zolvera::ui {

// What the windows take from the user while long work runs.
enum class WhileWorking {
    // Nothing: a busy cursor shows, and clicks and keys wait until the work has ended, as if the
    // window's own thread did the work; the windows still repaint and answer the desktop.
    HoldInput,
    // Everything, so that a dialog can be closed to cancel the work.
    TakeInput,
};

// Runs work on a worker thread while the calling window thread goes on with its events, and
// returns once work has ended, rethrowing what it threw. Whatever the work touches must not be
// touched by the window thread meanwhile; the work must not touch widgets.
void runOffThread(const std::function<void()>& work, WhileWorking input = WhileWorking::HoldInput);

// As runOffThread holding input, but work that is still running after a moment shows
// `progress` application-modal, and from then on the progress window takes input (its stop
// button) while its modality keeps every other window from it. Quick work shows nothing.
void runOffThreadWithProgress(const std::function<void()>& work, QWidget& progress);

} // namespace zolvera::ui
