#pragma once

#include "ui/Panel.h"
#include "ui/PictureView.h"
#include "ui/ScrollBox.h"
#include "ui/StatusBar.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;

namespace zolvera::ui {

// The controls and commands of the main window, made and laid out on the window: the top
// strip with the cover and the bars, the group column, the picture grid and the status bar.
// Every command is also an action of the window itself, so that its shortcut works whatever
// control has the focus.
struct MainLayout {
    explicit MainLayout(QWidget* window);

    Panel* Panel1;
    Panel* Panel4;
    PictureView* img;
    QWidget* CoolBar1;
    QToolBar* ToolBar1;
    QMenuBar* MainMenu1;
    QToolBar* ToolBar2;
    Panel* Panel6;
    ScrollBox* sbx1;
    Panel* Panel7;
    ScrollBox* sbx2;
    QLabel* lblKezdes; // over the empty grid while the library has no group: where to begin
    StatusBar* StatusBar1;
    QMenu* pm1; // the context menu of every thumbnail
    QMenu* pm2; // the context menu of the window and of both scroll boxes

    QAction* aUjCsoport;
    QAction* aCsopTorol;
    QAction* aCsomagKeszit;
    QAction* aCsomagTelepit;
    QAction* aCsomagLetolt;
    QAction* aBezar;
    QAction* aKepHozza;
    QAction* aKepTorol;
    QAction* aDiaVetit;
    QAction* aBeallit;
    QAction* aSugo;
    QAction* aHonlap;
    QAction* aLevel;
    QAction* aUjdonsag;
    QAction* aNevjegy;

private:
    void createActions(QWidget* window);
    void createMenus(QWidget* window);
    QWidget* createTopStrip(QWidget* window);
};

} // namespace zolvera::ui
