#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace zolvera::desktop {
class Registry;
}

namespace zolvera::ui {

class Dialogs;

// The picture preview: the picture large, stretched to 654 x 490 whatever its proportions,
// with the command that makes it the wallpaper ("Beállítás tapétaként", Ctrl+Enter) and the
// close command ("Bezár", Esc) on the tool bar and in the picture's context menu. The modal
// result is Accepted (OK) for the wallpaper command, Rejected (Cancel) otherwise, the title
// bar's close box included.
class Tfrm_mutat : public QDialog {
    Q_OBJECT
public:
    Tfrm_mutat(QWidget* owner, Dialogs& dialogs);
    ~Tfrm_mutat() override;

    Dialogs& dialogs() const { return dialogs_; }

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
    Dialogs& dialogs_;
};

// The preview window while it exists.
extern Tfrm_mutat* frm_mutat;

using WallpaperSetter = std::function<void(const std::string& picturePath)>;

// The work of a thumbnail click for the picture folder + name (folder ends in a separator):
// decodes the picture before any window exists (so a file that cannot be read throws its
// failure and opens nothing), shows it modally with the caption "Zolvera : " + name and, when
// the wallpaper command closed the window, sets folder + name as the desktop wallpaper through
// the registry and the running session's desktop.
void ShowPicturePreview(QWidget* owner, Dialogs& dialogs, desktop::Registry& registry,
                        const std::string& folder, const std::string& name);
// The same with another way of setting the wallpaper (tests).
void ShowPicturePreview(QWidget* owner, Dialogs& dialogs, const std::string& folder,
                        const std::string& name, const WallpaperSetter& setWallpaper);

} // namespace zolvera::ui
