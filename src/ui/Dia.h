#pragma once

#include "library/StringList.h"
#include "ui/StepTimer.h"
#include "ui/WindowContext.h"

#include <QDialog>

#include <functional>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QSlider;
class QToolBar;

namespace zolvera::ui {

class DecodeAhead;
class ElidedLabel;
class StretchedImage;

// The slideshow of a group: its pictures one after another, stretched to the window, stepping
// at the slider's interval (1 to 10 seconds) and wrapping at both ends. The tool bar and the
// picture's context menu start (F2), step back (F3) and forth (F4), stop (F5) and close (Esc)
// the show. The window opens maximised or at its normal size as the settings say, with the
// settings' step interval; the slider changes only this window's timer.
class Tfrm_dia : public QDialog {
    Q_OBJECT
public:
    Tfrm_dia(QWidget* owner, const WindowContext& context,
             StepTimer::Ticks ticks = StepTimer::Ticks::FromEventLoop);

    Dialogs& dialogs() const { return context_.dialogs; }

    // Lists the group's pictures, shows the first, starts the show and shows the window
    // modally; comes back when it has closed. A group without pictures, or a first picture
    // that cannot be read, throws before the window is shown.
    void LoadAndRun(const std::string& groupFolder);
    // Shows the picture at the slideshow index, then its place and name in the labels. A
    // picture that cannot be read throws and leaves the picture and labels as they were.
    void ShowPicture();

    int index() const { return index_; }
    const library::StringList& pictures() const { return list_; }

    QFrame* CoolBar1;
    QToolBar* ToolBar1;
    QAction* aIndit;
    QAction* aElozo;
    QAction* aKovetkezo;
    QAction* aLeallit;
    QAction* aBezar;
    QSlider* Track;
    QLabel* lbl;
    ElidedLabel* lbl2; // the picture's name, shortened when the tool bar has no room for it
    StretchedImage* img;
    QMenu* PopupMenu1;
    StepTimer* Timer;
    // While a picture is on show, the next one in the show's direction (backward after F3) is
    // decoded for the picture's size, so that the step only paints it.
    DecodeAhead* Ahead;

public Q_SLOTS:
    void TimerTimer();
    void TrackChange();
    void aInditExecute();
    void aElozoExecute();
    void aKovetkezoExecute();
    void aLeallitExecute();
    void aBezarExecute();
    // Every way of closing ends here; the show stops.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormClose();
    // A step handler guarded so that no step runs while the error box of another is open.
    std::function<void()> guardedStep(void (Tfrm_dia::*handler)());
    // Steps to the next picture in the direction, which the picture decoded ahead follows.
    void step(bool forward);
    void prepareNext();

    WindowContext context_;
    std::string folder_;
    library::StringList list_;
    int index_ = 0;
    bool forward_ = true;
    bool stepping_ = false;
};

// Shows the group in its folder as a slideshow captioned with the group name, modally; comes
// back when the window has closed. Throws as LoadAndRun.
void ShowSlideshow(QWidget* owner, const WindowContext& context, const std::string& groupFolder,
                   const std::string& groupName,
                   StepTimer::Ticks ticks = StepTimer::Ticks::FromEventLoop);

} // namespace zolvera::ui
