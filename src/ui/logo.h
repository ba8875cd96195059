#pragma once

#include "ui/WindowContext.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace zolvera::ui {

// The splash screen: the artwork without a frame, on top, centred, see-through wherever the
// artwork shows its grey background. It closes itself four seconds after it is shown (or, when
// the program is busy, as soon as it handles events again) and is then destroyed.
class Tfrm_Logo : public QWidget {
    Q_OBJECT
public:
    Tfrm_Logo(QWidget* owner, const WindowContext& context);

    Dialogs& dialogs() const { return context_.dialogs; }

    QLabel* Image1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Timer1Timer();

    WindowContext context_;
};

} // namespace zolvera::ui
