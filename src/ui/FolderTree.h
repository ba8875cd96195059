#pragma once

#include <QTreeWidget>

namespace zolvera::ui {

// A tree of the folders of this machine under the roots it is given, e.g. the user's home
// folder and the file system root. A folder's sub-folders (not hidden ones, sorted without
// regard to letter case) are read when it is first opened and not refreshed afterwards. A right
// click selects, as a left click does.
class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // Adds the folder of an absolute path as the last root, shown as the text.
    void addRoot(const QString& path, const QString& text);
    QStringList roots() const;
    // Selects the folder of an absolute path under the innermost root that holds it, opening
    // the folders above it; a hidden folder is added to its parent when it is reached this
    // way. False when the path names no folder or lies under no root.
    bool selectFolder(const QString& path);
    // The selected folder's path; empty when nothing is selected.
    QString selectedFolder() const;

Q_SIGNALS:
    void folderSelected(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& path, const QString& text);
    void fillChildren(QTreeWidgetItem* item);
};

} // namespace zolvera::ui
