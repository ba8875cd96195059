#pragma once

#include "ui/Dialogs.h"
#include "ui/WindowContext.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zolvera::ui {

class FolderTree;

// The package builder: a folder of this machine chosen in a path box, a folder tree (rooted at
// the library's group folder, the home folder and the file system root) and the list of its
// files, and "Csomagol", which packs the folder the path box shows into a .dta file named in a
// save dialog. Pictures too large for a package are fitted into it when the user agrees, and
// the status line under the controls tells what the last packing fitted. It stays open for
// packing folder after folder; "Bezár", Esc and the close box close it (the modal result is
// then Rejected).
class Tfrm_Csomagkeszit : public QDialog {
    Q_OBJECT
public:
    // The save dialog starts in packageFolder (the home folder while it is empty), which keeps
    // the folder of each package saved, for the next dialog of the session.
    Tfrm_Csomagkeszit(QWidget* owner, const WindowContext& context, const QString& groupsFolder,
                      QString& packageFolder);
    ~Tfrm_Csomagkeszit() override;

    Dialogs& dialogs() const { return context_.dialogs; }

    QComboBox* ShellComboBox1;
    FolderTree* ShellTreeView1;
    QListWidget* ShellListView1;
    QPushButton* Button2; // "Csomagol"
    QPushButton* Button1; // "Bezár"
    QLabel* StatusBar1;
    FileDialogRequest SaveDialog1;

public Q_SLOTS:
    // Packs the folder the path box shows into the file chosen in the save dialog, asking first
    // whether pictures too large for a package are to be fitted (No packs nothing).
    void BitBtn1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The path box's folder, typed or chosen from its list, selected in the tree. False, with
    // the reason shown, when there is no such folder.
    bool selectTypedFolder(const QString& path);
    // The tree's selection shown in the path box and the file list.
    void showFolder(const QString& path);
    // A name edited in the file list renames the file on disk.
    void renameFile(QListWidgetItem* item);

    WindowContext context_;
    QString& packageFolder_;
    QString listedFolder_;
};

} // namespace zolvera::ui
