#pragma once

#include "library/GroupLibrary.h"
#include "ui/Dialogs.h"
#include "ui/Drops.h"
#include "ui/GroupListWatcher.h"
#include "ui/MainLayout.h"
#include "ui/WindowContext.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <string>

namespace zolvera::ui {

// The program's main window: the cover of the current group, the menu and tool bars, the group
// column, the picture grid of the current group and the status bar. It holds the group library
// (the group list, the picture list and the current indices) for the whole run and carries
// every command. It hands the context it is given to every window it opens.
class Tfrm_Main : public QWidget, public library::LibraryView {
    Q_OBJECT
public:
    // FormCreate: loads the settings, routes the application's hints to the status bar and
    // starts with empty lists and both indices at 0.
    Tfrm_Main(std::string appFolder, const WindowContext& context, QWidget* parent = nullptr);
    ~Tfrm_Main() override;

    library::GroupLibrary& library() { return library_; }
    Dialogs& dialogs() const { return context_.dialogs; }
    const MainLayout& controls() const { return ui_; }
    // application folder + "/Zolvera.ini"
    std::string settingsPath() const;
    bool firstShown() const { return firstShown_; }
    // The program's arguments, for the offer to install a package; the application's own
    // unless replaced before the window is first shown.
    void setCommandLine(QStringList arguments) { commandLine_ = std::move(arguments); }
    // Hands a file path or an address to the context's launcher; nothing waits and nothing is
    // reported.
    void ShellOpen(const std::string& command);

    // Shows the group at the index: status panel 0, the cover image, the picture list and the
    // picture grid. With an empty group list it empties all four and reports nothing.
    void ShowGroup(int index);

    // The group library's side of the window.
    void showInfo(const std::string& text) override;
    bool showConfirm(const std::string& text, const std::string& caption) override;
    std::optional<std::string> choosePicture() override;
    void clearGroupColumn() override;
    void buildGroupColumn() override;
    void displayGroup(int index) override { ShowGroup(index); }
    bool keepWaitingForLibrary() override;

public Q_SLOTS:
    void aUjCsoportExecute();
    void aCsopTorolExecute();
    void aCsomagKeszitExecute();
    void aCsomagTelepitExecute();
    void aCsomagLetoltExecute();
    void aBezarExecute();
    void aKepHozzaExecute();
    void aKepTorolExecute();
    void aDiaVetitExecute();
    void aBeallitExecute();
    void aSugoExecute();
    void aHonlapExecute();
    void aLevelExecute();
    void aUjdonsagExecute();
    void aNevjegyExecute();
    // A left click on a thumbnail: opens the picture preview.
    void thumbnailClick(zolvera::ui::PictureView* image);
    // The last step of the first show: the offer to install a package named on the command
    // line (or to make a folder named there a group), then those handed over meanwhile.
    void commandLineOffer();
    // Offers each package (or folder) in turn, as the command-line offer does, once the window has
    // been shown; never two at once, and never under an open dialog or menu: packages that arrive
    // meanwhile wait for it to close. A closed window offers nothing.
    void offerPackages(const QStringList& paths);
    // Brings the window (and the dialog it is showing) in front of the others. On Wayland the
    // compositor raises it only with the activation token of the start that asked for it.
    void bringToFront(const QString& activationToken = QString());

Q_SIGNALS:
    // The window was closed for good: the program has nothing more to show.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Files dragged from a file manager: pictures onto the grid join the current group as
    // "Kép hozzáadása" adds them, a folder onto the group column is offered as a new group, a
    // package anywhere is offered for installing. Anything else, or anything while the window
    // takes no input, is refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Nothing is open over the window that relies on the lists as they are (a dialog, a
    // question, a menu or an offer), so they may change.
    bool undisturbed() const;
    void FormShow();
    // Whether a drop of these files at this point of the window is taken.
    bool takesDrop(const DroppedFiles& dropped, QPoint at) const;
    void runOffers();
    void offerPackage(const std::string& argument);
    // A folder given or dropped: the offer to make it a group.
    void offerFolder(const std::string& folder);
    // Reloads the group column after the list changed on disk, keeping the group shown.
    void followGroupList();
    void firstShowSteps();
    void groupCoverClick(PictureView* image);
    void makeCoverTile(Tile& tile);
    void makePictureTile(Tile& tile, const std::string& groupFolder);
    // The cover image shows the cover of the group at the index.
    void showCover(int index, const std::string& name);
    // A tile's picture that cannot be decoded when painted ends in the general error report.
    void reportDecodeFailures(PictureView* image);

    WindowContext context_;
    MainLayout ui_;
    library::GroupLibrary library_;
    bool firstShown_ = false;
    bool settingsSaveFailed_ = false;
    QStringList commandLine_;
    QStringList pendingOffers_;
    bool offering_ = false;
    bool closed_ = false;
    QTimer offerRetry_; // looks again for a moment to offer while a dialog is open
    GroupListWatcher groupListWatcher_;
    FileDialogRequest od;    // the picture open dialog
    FileDialogRequest oddta; // the package open dialog
    QString packageFolder_;  // where the package builder saved its last package
};

} // namespace zolvera::ui
