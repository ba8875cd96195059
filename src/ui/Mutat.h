#pragma once

#include "ui/WindowContext.h"

#include <QDialog>

#include <string>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace zolvera::ui {

// The picture preview: the picture large, stretched to 654 x 490 whatever its proportions,
// with the command that makes it the wallpaper ("Beállítás tapétaként", Ctrl+Enter) and the
// close command ("Bezár", Esc) on the tool bar and in the picture's context menu. The modal
// result is Accepted (OK) for the wallpaper command, Rejected (Cancel) otherwise, the title
// bar's close box included.
class Tfrm_mutat : public QDialog {
    Q_OBJECT
public:
    Tfrm_mutat(QWidget* owner, const WindowContext& context);

    Dialogs& dialogs() const { return context_.dialogs; }

    QFrame* CoolBar1;
    QToolBar* ToolBar1;
    QAction* aBeallit;
    QAction* aBezar;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QLabel* img;
    QMenu* PopupMenu1;

public Q_SLOTS:
    void aBeallitExecute();
    void aBezarExecute();

private:
    WindowContext context_;
};

// The work of a thumbnail click for the picture folder + name (folder ends in a separator):
// decodes the picture before any window exists (so a file that cannot be read throws its
// failure and opens nothing), shows it modally with the caption "Zolvera : " + name and, when
// the wallpaper command closed the window, sets folder + name as the desktop wallpaper through
// the context's registry and the applier it makes for the running session.
void ShowPicturePreview(QWidget* owner, const WindowContext& context, const std::string& folder,
                        const std::string& name);

} // namespace zolvera::ui
