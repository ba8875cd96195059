#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace zolvera::ui {

class Dialogs;

// The splash screen: the artwork without a frame, on top, centred, see-through wherever the
// artwork shows its grey background. It closes itself four seconds after it is shown (or, when
// the program is busy, as soon as it handles events again) and is then destroyed.
class Tfrm_Logo : public QWidget {
    Q_OBJECT
public:
    Tfrm_Logo(QWidget* owner, Dialogs& dialogs);
    ~Tfrm_Logo() override;

    Dialogs& dialogs() const { return dialogs_; }

    QLabel* Image1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Timer1Timer();

    Dialogs& dialogs_;
};

// The splash screen while it exists.
extern Tfrm_Logo* frm_Logo;

} // namespace zolvera::ui
